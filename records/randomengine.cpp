// Random-data engine: the process-wide generator, the drawing of region values and their
// application to outgoing data.
#include "randomengine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <mutex>
#include <new>

namespace {

// The generator of the C runtime, one state for the whole process. Its initial state is the
// runtime's (1) until SeedRandom runs.
std::mutex g_randomLock;
uint32_t g_randomState = 1;

// The most value bytes drawn for one region. The dialog accepts any pair of 32-bit addresses,
// so a region may claim gigabytes; a single send over a serial port stays far below this, and
// drawing more would exhaust the address space or stall every send while it draws.
constexpr int64_t kMaxRegionValueBytes = 1024 * 1024;
// The most value bytes drawn at one renewal for all regions together. The blob comes from a
// set file and may hold thousands of regions that each claim everything; drawing a megabyte
// for each would stall every send for seconds. Four regions of the full size still fit.
constexpr int64_t kMaxRenewalValueBytes = 4 * kMaxRegionValueBytes;

int ValueUnit(uint32_t type)
{
    switch (type) {
    case RandomValueChar:
    case RandomValueByte:
        return 1;
    case RandomValueShortLE:
    case RandomValueShortBE:
    case RandomValueWordLE:
    case RandomValueWordBE:
        return 2;
    case RandomValueLongLE:
    case RandomValueLongBE:
    case RandomValueUlongLE:
    case RandomValueUlongBE:
    case RandomValueFloatLE:
    case RandomValueFloatBE:
        return 4;
    case RandomValueDoubleLE:
    case RandomValueDoubleBE:
        return 8;
    default:
        return 1;
    }
}

bool IsBigEndian(uint32_t type)
{
    switch (type) {
    case RandomValueShortBE:
    case RandomValueWordBE:
    case RandomValueLongBE:
    case RandomValueUlongBE:
    case RandomValueFloatBE:
    case RandomValueDoubleBE:
        return true;
    default:
        return false;
    }
}

// min + (draw mod (max - min + 1)) in 64 bits, so that the full 32-bit range (2^32 values)
// gives the draw itself. A pair whose maximum lies below its minimum (max = min - 1 would
// divide by zero) has only its minimum to give.
int64_t IntegerValue(int64_t min, int64_t max, uint64_t draw)
{
    const int64_t span = max - min + 1;
    if (span <= 0)
        return min;
    return min + static_cast<int64_t>(draw % static_cast<uint64_t>(span));
}

// The x87 unit keeps intermediate results in extended precision; these force a value through
// memory so that it is rounded to the stated type, as the formula requires.
float RoundToFloat(float value)
{
    volatile float stored = value;
    return stored;
}

double RoundToDouble(double value)
{
    volatile double stored = value;
    return stored;
}

// min + r * (1 / 32767) * (max - min), with (max - min) first rounded to the value type and
// the rest in double precision. The default full ranges (+-FLT_MAX, +-DBL_MAX) make that span
// overflow to infinity; those are drawn as min + t*max - t*min in long double, which holds
// the span, and kept inside the pair.
template <typename T>
T RealValue(T min, T max, int draw)
{
    double span;
    if constexpr (sizeof(T) == sizeof(float))
        span = RoundToFloat(max - min);
    else
        span = RoundToDouble(max - min);
    if (std::isfinite(span)) {
        const double scaled = RoundToDouble(RoundToDouble(draw * (1.0 / 32767)) * span);
        return static_cast<T>(RoundToDouble(static_cast<double>(min) + scaled));
    }
    const long double t = draw * (1.0L / 32767);
    long double value = static_cast<long double>(min) + t * max - t * min;
    if (min <= max)
        value = std::clamp(value, static_cast<long double>(min), static_cast<long double>(max));
    return static_cast<T>(value);
}

// Writes one value of the region's type at out (unit bytes).
void DrawValue(const RandomRegion& region, BYTE* out)
{
    const uint32_t type = region.type;
    const bool isSigned = RandomValuePairOf(type) == RandomPairSigned;
    // Each pair widens on its own: a conditional mixing them would make the signed pair unsigned.
    int64_t min = region.unsignedMin;
    int64_t max = region.unsignedMax;
    if (isSigned) {
        min = region.signedMin;
        max = region.signedMax;
    }
    const int unit = ValueUnit(type);

    switch (type) {
    case RandomValueChar:
    case RandomValueByte: {
        const uint8_t v = static_cast<uint8_t>(IntegerValue(min, max, NextRandom()));
        std::memcpy(out, &v, 1);
        break;
    }
    case RandomValueShortLE:
    case RandomValueShortBE:
    case RandomValueWordLE:
    case RandomValueWordBE: {
        const uint64_t product = static_cast<uint64_t>(NextRandom()) * NextRandom();
        const uint16_t v = static_cast<uint16_t>(IntegerValue(min, max, product));
        std::memcpy(out, &v, 2);
        break;
    }
    case RandomValueLongLE:
    case RandomValueLongBE:
    case RandomValueUlongLE:
    case RandomValueUlongBE: {
        uint32_t product = static_cast<uint32_t>(NextRandom());
        for (int i = 0; i < 3; ++i)
            product *= static_cast<uint32_t>(NextRandom());
        const uint32_t v = static_cast<uint32_t>(IntegerValue(min, max, product));
        std::memcpy(out, &v, 4);
        break;
    }
    case RandomValueFloatLE:
    case RandomValueFloatBE: {
        const float v = RealValue(region.floatMin, region.floatMax, NextRandom());
        std::memcpy(out, &v, 4);
        break;
    }
    case RandomValueDoubleLE:
    case RandomValueDoubleBE: {
        const double v = RealValue(region.doubleMin, region.doubleMax, NextRandom());
        std::memcpy(out, &v, 8);
        break;
    }
    default:
        out[0] = 0xFF;
        break;
    }
    if (IsBigEndian(type))
        std::reverse(out, out + unit);
}

} // namespace

void SeedRandom()
{
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
}

void SeedRandom(uint32_t seed)
{
    std::lock_guard<std::mutex> guard(g_randomLock);
    g_randomState = seed;
}

int NextRandom()
{
    std::lock_guard<std::mutex> guard(g_randomLock);
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFF);
}

CRandomEngine::CRandomEngine() : m_lock(1, 1), m_lastRenewal(0), m_interval(0)
{
}

void CRandomEngine::LoadRandomRegions(const COleSafeArray& blob, int interval)
{
    // The frame loads a port's regions when it starts the port; a connection of that port
    // that is still ending may be applying them at that moment.
    CSingleLock lock(&m_lock, TRUE);
    m_lastRenewal = 0;
    m_interval = interval;
    m_values.clear();
    m_regions = RandomRegionsFromBlob(blob);
}

COleSafeArray CRandomEngine::ApplyRandomRegions(const COleSafeArray& data)
{
    CSingleLock lock(&m_lock, TRUE);
    if (m_interval == 0 || Now() > m_lastRenewal + m_interval)
        RenewLocked();

    COleSafeArray result(data);
    if (result.vt != (VT_ARRAY | VT_UI1))
        return result;
    const int64_t length = result.GetOneDimSize();
    if (length == 0)
        return result;

    BYTE* bytes = nullptr;
    result.AccessData(reinterpret_cast<void**>(&bytes));
    const std::size_t count = std::min(m_regions.size(), m_values.size());
    for (std::size_t i = 0; i < count; ++i) {
        const RandomRegion& region = m_regions[i];
        const std::vector<BYTE>& values = m_values[i];
        const int64_t start = region.start;
        if (values.empty() || start >= length)
            continue;
        const int64_t end = std::min<int64_t>(region.end, length - 1);
        if (start > end)
            continue;
        const int64_t n = std::min<int64_t>(end - start + 1, static_cast<int64_t>(values.size()));
        std::memcpy(bytes + start, values.data(), static_cast<std::size_t>(n));
    }
    result.UnaccessData();
    return result;
}

void CRandomEngine::RenewRandomValues()
{
    CSingleLock lock(&m_lock, TRUE);
    RenewLocked();
}

void CRandomEngine::SetClock(Clock clock)
{
    CSingleLock lock(&m_lock, TRUE);
    m_clock = std::move(clock);
}

int CRandomEngine::GetRegionCount()
{
    CSingleLock lock(&m_lock, TRUE);
    return static_cast<int>(m_regions.size());
}

int CRandomEngine::GetRenewalInterval()
{
    CSingleLock lock(&m_lock, TRUE);
    return m_interval;
}

long long CRandomEngine::Now() const
{
    return m_clock ? m_clock() : static_cast<long long>(std::time(nullptr));
}

void CRandomEngine::RenewLocked()
{
    m_lastRenewal = Now();
    m_values.clear();
    m_values.reserve(m_regions.size());
    int64_t budget = kMaxRenewalValueBytes;
    for (const RandomRegion& region : m_regions) {
        // Every region keeps a buffer, an empty one when its end lies before its start or the
        // renewal's bytes are used up, so that the i-th buffer always belongs to the i-th region.
        m_values.emplace_back();
        const int64_t n = std::min<int64_t>({static_cast<int64_t>(region.end) - region.start + 1,
                                             kMaxRegionValueBytes, budget});
        if (n <= 0)
            continue;
        budget -= n;
        const int unit = ValueUnit(region.type);
        const int64_t valueCount = (n + unit - 1) / unit;
        std::vector<BYTE>& values = m_values.back();
        try {
            values.resize(static_cast<std::size_t>(valueCount * unit));
        } catch (const std::bad_alloc&) {
            values.clear();
            continue;
        }
        for (int64_t v = 0; v < valueCount; ++v)
            DrawValue(region, values.data() + v * unit);
        values.resize(static_cast<std::size_t>(n));
    }
}
