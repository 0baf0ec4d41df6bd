// Random-region record: the type table and the blob form of the records.
#include "randomregion.h"

#include <cfloat>
#include <climits>
#include <cstring>

namespace {

struct TypeInfo {
    const char* name;
    RandomValuePair pair;
};

const TypeInfo kTypes[RandomValueTypeCount] = {
    {"char", RandomPairSigned},        {"BYTE", RandomPairUnsigned},
    {"short(LE)", RandomPairSigned},   {"short(BE)", RandomPairSigned},
    {"WORD(LE)", RandomPairUnsigned},  {"WORD(BE)", RandomPairUnsigned},
    {"long(LE)", RandomPairSigned},    {"long(BE)", RandomPairSigned},
    {"ULONG(LE)", RandomPairUnsigned}, {"ULONG(BE)", RandomPairUnsigned},
    {"float(LE)", RandomPairFloat},    {"float(BE)", RandomPairFloat},
    {"double(LE)", RandomPairDouble},  {"double(BE)", RandomPairDouble},
};

CString RangeText(const RandomRegion& region, bool maximum)
{
    CString text;
    switch (RandomValuePairOf(region.type)) {
    case RandomPairSigned:
        text.Format("%d", maximum ? region.signedMax : region.signedMin);
        break;
    case RandomPairUnsigned:
        text.Format("%u", maximum ? region.unsignedMax : region.unsignedMin);
        break;
    case RandomPairFloat:
        text.Format("%f", static_cast<double>(maximum ? region.floatMax : region.floatMin));
        break;
    case RandomPairDouble:
        text.Format("%f", maximum ? region.doubleMax : region.doubleMin);
        break;
    case RandomPairNone:
        break;
    }
    return text;
}

} // namespace

RandomRegion MakeEmptyRandomRegion()
{
    RandomRegion region;
    std::memset(&region, 0, sizeof region);
    return region;
}

const char* RandomValueTypeName(uint32_t type)
{
    return type < RandomValueTypeCount ? kTypes[type].name : "";
}

RandomValuePair RandomValuePairOf(uint32_t type)
{
    return type < RandomValueTypeCount ? kTypes[type].pair : RandomPairNone;
}

void SetRandomFullRange(RandomRegion& region)
{
    switch (region.type) {
    case RandomValueChar:
        region.signedMin = -128;
        region.signedMax = 127;
        break;
    case RandomValueByte:
        region.unsignedMin = 0;
        region.unsignedMax = 255;
        break;
    case RandomValueShortLE:
    case RandomValueShortBE:
        region.signedMin = -32768;
        region.signedMax = 32767;
        break;
    case RandomValueWordLE:
    case RandomValueWordBE:
        region.unsignedMin = 0;
        region.unsignedMax = 65535;
        break;
    case RandomValueLongLE:
    case RandomValueLongBE:
        region.signedMin = INT32_MIN;
        region.signedMax = INT32_MAX;
        break;
    case RandomValueUlongLE:
    case RandomValueUlongBE:
        region.unsignedMin = 0;
        region.unsignedMax = UINT32_MAX;
        break;
    case RandomValueFloatLE:
    case RandomValueFloatBE:
        region.floatMin = -FLT_MAX;
        region.floatMax = FLT_MAX;
        break;
    case RandomValueDoubleLE:
    case RandomValueDoubleBE:
        region.doubleMin = -DBL_MAX;
        region.doubleMax = DBL_MAX;
        break;
    default:
        break;
    }
}

void ClampRandomRange(RandomRegion& region)
{
    switch (region.type) {
    case RandomValueChar:
        if (region.signedMin < -128)
            region.signedMin = -128;
        if (region.signedMax > 127)
            region.signedMax = 127;
        break;
    case RandomValueByte:
        if (region.unsignedMax > 255)
            region.unsignedMax = 255;
        break;
    case RandomValueShortLE:
    case RandomValueShortBE:
        if (region.signedMin < -32768)
            region.signedMin = -32768;
        if (region.signedMax > 32767)
            region.signedMax = 32767;
        break;
    case RandomValueWordLE:
    case RandomValueWordBE:
        if (region.unsignedMax > 65535)
            region.unsignedMax = 65535;
        break;
    default:
        break;
    }
}

bool IsRandomRangeValid(const RandomRegion& region)
{
    switch (RandomValuePairOf(region.type)) {
    case RandomPairSigned:
        return region.signedMin < region.signedMax;
    case RandomPairUnsigned:
        return region.unsignedMin < region.unsignedMax;
    case RandomPairFloat:
        return region.floatMin < region.floatMax;
    case RandomPairDouble:
        return region.doubleMin < region.doubleMax;
    case RandomPairNone:
        break;
    }
    return false;
}

CString RandomRangeMinText(const RandomRegion& region)
{
    return RangeText(region, false);
}

CString RandomRangeMaxText(const RandomRegion& region)
{
    return RangeText(region, true);
}

void ReadRandomRegion(const BYTE* bytes, RandomRegion& region)
{
    std::memcpy(&region, bytes, kRandomRegionSize);
}

void WriteRandomRegion(const RandomRegion& region, BYTE* bytes)
{
    std::memcpy(bytes, &region, kRandomRegionSize);
}

std::vector<RandomRegion> RandomRegionsFromBlob(const COleSafeArray& blob)
{
    if (blob.vt != (VT_ARRAY | VT_UI1))
        return std::vector<RandomRegion>();
    COleSafeArray bytes(blob);
    const DWORD size = bytes.GetOneDimSize();
    if (size == 0)
        return std::vector<RandomRegion>();
    BYTE* data = nullptr;
    bytes.AccessData(reinterpret_cast<void**>(&data));
    std::vector<RandomRegion> regions = RandomRegionsFromBytes(data, size);
    bytes.UnaccessData();
    return regions;
}

std::vector<RandomRegion> RandomRegionsFromBytes(const BYTE* bytes, DWORD size)
{
    std::vector<RandomRegion> regions;
    if (size == 0 || size % kRandomRegionSize != 0)
        return regions;
    regions.resize(size / kRandomRegionSize);
    for (std::size_t i = 0; i < regions.size(); ++i)
        ReadRandomRegion(bytes + i * kRandomRegionSize, regions[i]);
    return regions;
}

COleSafeArray RandomRegionsToBlob(const std::vector<RandomRegion>& regions)
{
    COleSafeArray blob;
    blob.CreateOneDim(VT_UI1, static_cast<DWORD>(regions.size() * kRandomRegionSize));
    if (!regions.empty()) {
        BYTE* data = nullptr;
        blob.AccessData(reinterpret_cast<void**>(&data));
        for (std::size_t i = 0; i < regions.size(); ++i)
            WriteRandomRegion(regions[i], data + i * kRandomRegionSize);
        blob.UnaccessData();
    }
    return blob;
}
