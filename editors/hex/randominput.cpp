// Parsing and checking of one random region's input.
#include "randominput.h"

#include <cmath>
#include <cstdlib>

#include "conversions.h"

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// White space, a sign and the leading digits. The magnitude stops growing once it is past
// every 32-bit value, so no digit string can overflow it.
void ReadDecimal(LPCSTR text, bool& negative, uint64_t& magnitude)
{
    negative = false;
    magnitude = 0;
    if (text == nullptr)
        return;
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const uint64_t cap = 0x100000000ULL * 2;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude < cap)
            magnitude = magnitude * 10 + static_cast<uint64_t>(*p - '0');
    }
}

} // namespace

bool ParseRandomSigned(LPCSTR text, int32_t& value)
{
    bool negative = false;
    uint64_t magnitude = 0;
    ReadDecimal(text, negative, magnitude);
    if (negative ? magnitude > 0x80000000ULL : magnitude > 0x7FFFFFFFULL)
        return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
    return true;
}

bool ParseRandomUnsigned(LPCSTR text, uint32_t& value)
{
    bool negative = false;
    uint64_t magnitude = 0;
    ReadDecimal(text, negative, magnitude);
    // A minus sign would wrap around to a huge value; only "-0" is still zero.
    if ((negative && magnitude != 0) || magnitude > 0xFFFFFFFFULL)
        return false;
    value = static_cast<uint32_t>(magnitude);
    return true;
}

bool ParseRandomDouble(LPCSTR text, double& value)
{
    const double v = text != nullptr ? std::strtod(text, nullptr) : 0.0;
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ParseRandomFloat(LPCSTR text, float& value)
{
    double v = 0.0;
    if (!ParseRandomDouble(text, v))
        return false;
    const float f = static_cast<float>(v);
    if (!std::isfinite(f))
        return false;
    value = f;
    return true;
}

int ParseRandomRegionInput(LPCSTR startText, LPCSTR endText, int type, LPCSTR minText, LPCSTR maxText,
                           RandomRegion& region)
{
    RandomRegion r = MakeEmptyRandomRegion();
    r.start = ParseHexText(startText);
    r.end = ParseHexText(endText);
    if (r.start > r.end)
        return kRandomInputBadAddress;

    r.type = static_cast<uint32_t>(type);
    bool ok = false;
    switch (RandomValuePairOf(r.type)) {
    case RandomPairSigned:
        ok = ParseRandomSigned(minText, r.signedMin) && ParseRandomSigned(maxText, r.signedMax);
        break;
    case RandomPairUnsigned:
        ok = ParseRandomUnsigned(minText, r.unsignedMin) && ParseRandomUnsigned(maxText, r.unsignedMax);
        break;
    case RandomPairFloat:
        ok = ParseRandomFloat(minText, r.floatMin) && ParseRandomFloat(maxText, r.floatMax);
        break;
    case RandomPairDouble:
        ok = ParseRandomDouble(minText, r.doubleMin) && ParseRandomDouble(maxText, r.doubleMax);
        break;
    case RandomPairNone:
        break;
    }
    if (!ok)
        return kRandomInputBadRange;
    ClampRandomRange(r);
    if (!IsRandomRangeValid(r))
        return kRandomInputBadRange;
    region = r;
    return kRandomInputAccepted;
}
