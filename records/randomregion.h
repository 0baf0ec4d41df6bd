// Random-region record: one byte range of the send data that is overwritten with random values
// of a chosen type before it is sent.
//
// The record is 56 bytes, little-endian, with no padding, and the same 56 bytes are its form in
// the region blob that the communication set carries per port (N records back to back). The
// random-data engine reads the records; the region dialogs edit them and rely on the type table
// kept here (names, which min/max pair a type uses, its full range, its clamps and the texts of
// its values) so that every user of a region sees the same rules.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum RandomValueType : uint32_t {
    RandomValueChar = 0,      // "char"
    RandomValueByte = 1,      // "BYTE"
    RandomValueShortLE = 2,   // "short(LE)"
    RandomValueShortBE = 3,   // "short(BE)"
    RandomValueWordLE = 4,    // "WORD(LE)"
    RandomValueWordBE = 5,    // "WORD(BE)"
    RandomValueLongLE = 6,    // "long(LE)"
    RandomValueLongBE = 7,    // "long(BE)"
    RandomValueUlongLE = 8,   // "ULONG(LE)"
    RandomValueUlongBE = 9,   // "ULONG(BE)"
    RandomValueFloatLE = 10,  // "float(LE)"
    RandomValueFloatBE = 11,  // "float(BE)"
    RandomValueDoubleLE = 12, // "double(LE)"
    RandomValueDoubleBE = 13, // "double(BE)"
    RandomValueTypeCount = 14
};

// Which minimum/maximum pair of the record a type reads.
enum RandomValuePair {
    RandomPairSigned,
    RandomPairUnsigned,
    RandomPairFloat,
    RandomPairDouble,
    RandomPairNone // a type code outside the table
};

struct RandomRegion {
    uint32_t start;       // index of the first byte of the range in the send data
    uint32_t end;         // index of the last byte, inclusive
    uint32_t type;        // RandomValueType
    int32_t signedMin;    // types 0, 2, 3, 6, 7
    int32_t signedMax;
    uint32_t unsignedMin; // types 1, 4, 5, 8, 9
    uint32_t unsignedMax;
    float floatMin;       // types 10, 11
    float floatMax;
    uint32_t reserved;    // written as 0
    double doubleMin;     // types 12, 13
    double doubleMax;
};

constexpr std::size_t kRandomRegionSize = 56;

// The record is copied to and from the blob as it lies in memory (the program runs on x86,
// which is little-endian), so its layout must be the blob's to the byte.
static_assert(sizeof(RandomRegion) == kRandomRegionSize, "RandomRegion must be 56 bytes");
static_assert(offsetof(RandomRegion, type) == 8);
static_assert(offsetof(RandomRegion, signedMin) == 12);
static_assert(offsetof(RandomRegion, unsignedMin) == 20);
static_assert(offsetof(RandomRegion, floatMin) == 28);
static_assert(offsetof(RandomRegion, reserved) == 36);
static_assert(offsetof(RandomRegion, doubleMin) == 40);
static_assert(offsetof(RandomRegion, doubleMax) == 48);

// A zeroed record (start 0, end 0, type "char", every pair 0).
RandomRegion MakeEmptyRandomRegion();

// The name shown for a type ("char" .. "double(BE)"); "" for a code outside the table.
const char* RandomValueTypeName(uint32_t type);

RandomValuePair RandomValuePairOf(uint32_t type);

// Puts the pair of the record's type to the type's full range (what choosing a type does).
void SetRandomFullRange(RandomRegion& region);

// Clamps the pair of the record's type into what the type's unit can hold.
void ClampRandomRange(RandomRegion& region);

// True when the minimum of the record's pair is strictly below its maximum.
bool IsRandomRangeValid(const RandomRegion& region);

// The minimum or maximum of the record's pair as text: "%d", "%u" or "%f".
CString RandomRangeMinText(const RandomRegion& region);
CString RandomRangeMaxText(const RandomRegion& region);

// One record to and from its 56 bytes.
void ReadRandomRegion(const BYTE* bytes, RandomRegion& region);
void WriteRandomRegion(const RandomRegion& region, BYTE* bytes);

// The records of a blob in order. A blob that is empty, not a byte array, or whose length is
// not a multiple of 56 holds no record.
std::vector<RandomRegion> RandomRegionsFromBlob(const COleSafeArray& blob);
// The same over the blob's bytes.
std::vector<RandomRegion> RandomRegionsFromBytes(const BYTE* bytes, DWORD size);

// The blob of the records, 56 bytes each in order; an empty byte array when there is none.
COleSafeArray RandomRegionsToBlob(const std::vector<RandomRegion>& regions);
