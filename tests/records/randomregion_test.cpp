// Random-region record: its 56-byte layout, the blob rules and the type table that the engine
// and the region dialogs share.
#include "randomregion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bytes_test_support.h"

namespace {

using testbytes::At;
using testbytes::BufferOf;
using testbytes::BytesOf;

RandomRegion DistinctRegion(uint32_t start)
{
    RandomRegion r = MakeEmptyRandomRegion();
    r.start = start;
    r.end = start + 0x0102;
    r.type = RandomValueDoubleBE;
    r.signedMin = -5;
    r.signedMax = 0x11223344;
    r.unsignedMin = 0xA1A2A3A4;
    r.unsignedMax = 0xB1B2B3B4;
    r.floatMin = 1.5f;
    r.floatMax = -2.0f;
    r.doubleMin = 0.25;
    r.doubleMax = -1.0;
    return r;
}

} // namespace

TEST(RandomRegionRecord, FieldsLieAtTheirBlobOffsets)
{
    COleSafeArray blob = RandomRegionsToBlob({DistinctRegion(0x10)});
    const std::vector<BYTE> b = BytesOf(blob);
    ASSERT_EQ(56u, b.size());
    EXPECT_EQ(0x10u, At<uint32_t>(b, 0));
    EXPECT_EQ(0x112u, At<uint32_t>(b, 4));
    EXPECT_EQ(13u, At<uint32_t>(b, 8));
    EXPECT_EQ(-5, At<int32_t>(b, 12));
    EXPECT_EQ(0x11223344, At<int32_t>(b, 16));
    EXPECT_EQ(0xA1A2A3A4u, At<uint32_t>(b, 20));
    EXPECT_EQ(0xB1B2B3B4u, At<uint32_t>(b, 24));
    EXPECT_EQ(1.5f, At<float>(b, 28));
    EXPECT_EQ(-2.0f, At<float>(b, 32));
    EXPECT_EQ(0u, At<uint32_t>(b, 36));
    EXPECT_EQ(0.25, At<double>(b, 40));
    EXPECT_EQ(-1.0, At<double>(b, 48));
    // Little-endian on the wire: the start address 0x10 is the first byte.
    EXPECT_EQ(0x10, b[0]);
    EXPECT_EQ(0x44, b[16]);
}

TEST(RandomRegionRecord, BlobHoldsRecordsOnlyInWholeMultiplesOf56)
{
    EXPECT_TRUE(RandomRegionsFromBlob(BufferOf({})).empty());
    EXPECT_TRUE(RandomRegionsFromBlob(COleSafeArray()).empty());
    EXPECT_TRUE(RandomRegionsFromBlob(BufferOf(std::vector<BYTE>(57, 0))).empty());
    EXPECT_TRUE(RandomRegionsFromBlob(BufferOf(std::vector<BYTE>(55, 0))).empty());

    COleSafeArray two = RandomRegionsToBlob({DistinctRegion(1), DistinctRegion(2)});
    const std::vector<BYTE> bytes = BytesOf(two);
    ASSERT_EQ(112u, bytes.size());
    const std::vector<RandomRegion> back = RandomRegionsFromBlob(BufferOf(bytes));
    ASSERT_EQ(2u, back.size());
    EXPECT_EQ(0, std::memcmp(&back[0], bytes.data(), 56));
    EXPECT_EQ(1u, back[0].start);
    EXPECT_EQ(2u, back[1].start);
    EXPECT_EQ(-1.0, back[1].doubleMax);

    // One byte more and the whole blob is refused, not just its tail.
    std::vector<BYTE> damaged = bytes;
    damaged.push_back(0);
    EXPECT_TRUE(RandomRegionsFromBlob(BufferOf(damaged)).empty());
}

TEST(RandomRegionRecord, NoRecordsGiveAnEmptyByteArray)
{
    COleSafeArray blob = RandomRegionsToBlob({});
    EXPECT_EQ(VT_ARRAY | VT_UI1, blob.vt);
    EXPECT_EQ(0u, blob.GetOneDimSize());
}

TEST(RandomRegionTypes, NamesAndPairsInCodeOrder)
{
    const char* names[] = {"char",     "BYTE",      "short(LE)", "short(BE)", "WORD(LE)",
                           "WORD(BE)", "long(LE)",  "long(BE)",  "ULONG(LE)", "ULONG(BE)",
                           "float(LE)", "float(BE)", "double(LE)", "double(BE)"};
    for (uint32_t t = 0; t < RandomValueTypeCount; ++t)
        EXPECT_STREQ(names[t], RandomValueTypeName(t)) << t;
    EXPECT_STREQ("", RandomValueTypeName(14));

    const RandomValuePair pairs[] = {RandomPairSigned,   RandomPairUnsigned, RandomPairSigned,
                                     RandomPairSigned,   RandomPairUnsigned, RandomPairUnsigned,
                                     RandomPairSigned,   RandomPairSigned,   RandomPairUnsigned,
                                     RandomPairUnsigned, RandomPairFloat,    RandomPairFloat,
                                     RandomPairDouble,   RandomPairDouble};
    for (uint32_t t = 0; t < RandomValueTypeCount; ++t)
        EXPECT_EQ(pairs[t], RandomValuePairOf(t)) << t;
    EXPECT_EQ(RandomPairNone, RandomValuePairOf(0xFFFFFFFF));
}

TEST(RandomRegionTypes, FullRangesAndTheirTexts)
{
    struct Case {
        uint32_t type;
        const char* min;
        const char* max;
    } cases[] = {
        {RandomValueChar, "-128", "127"},
        {RandomValueByte, "0", "255"},
        {RandomValueShortBE, "-32768", "32767"},
        {RandomValueWordLE, "0", "65535"},
        {RandomValueLongBE, "-2147483648", "2147483647"},
        {RandomValueUlongLE, "0", "4294967295"},
    };
    for (const Case& c : cases) {
        RandomRegion r = MakeEmptyRandomRegion();
        r.type = c.type;
        SetRandomFullRange(r);
        EXPECT_STREQ(c.min, RandomRangeMinText(r)) << c.type;
        EXPECT_STREQ(c.max, RandomRangeMaxText(r)) << c.type;
        EXPECT_TRUE(IsRandomRangeValid(r)) << c.type;
    }

    RandomRegion f = MakeEmptyRandomRegion();
    f.type = RandomValueFloatLE;
    SetRandomFullRange(f);
    EXPECT_EQ(-3.4028234663852886e+38f, f.floatMin);
    EXPECT_EQ(3.4028234663852886e+38f, f.floatMax);
    f.floatMin = 1.5f;
    EXPECT_STREQ("1.500000", RandomRangeMinText(f));

    RandomRegion d = MakeEmptyRandomRegion();
    d.type = RandomValueDoubleBE;
    SetRandomFullRange(d);
    EXPECT_EQ(-1.7976931348623157e+308, d.doubleMin);
    EXPECT_EQ(1.7976931348623157e+308, d.doubleMax);
    d.doubleMax = -0.125;
    EXPECT_STREQ("-0.125000", RandomRangeMaxText(d));
}

TEST(RandomRegionTypes, ClampsKeepTheUnitAndValidityWantsMinBelowMax)
{
    RandomRegion c = MakeEmptyRandomRegion();
    c.type = RandomValueChar;
    c.signedMin = -500;
    c.signedMax = 10;
    ClampRandomRange(c);
    EXPECT_EQ(-128, c.signedMin);
    EXPECT_EQ(10, c.signedMax);

    RandomRegion b = MakeEmptyRandomRegion();
    b.type = RandomValueByte;
    b.unsignedMin = 10;
    b.unsignedMax = 300;
    ClampRandomRange(b);
    EXPECT_EQ(10u, b.unsignedMin);
    EXPECT_EQ(255u, b.unsignedMax);

    RandomRegion s = MakeEmptyRandomRegion();
    s.type = RandomValueShortLE;
    s.signedMin = -40000;
    s.signedMax = 40000;
    ClampRandomRange(s);
    EXPECT_EQ(-32768, s.signedMin);
    EXPECT_EQ(32767, s.signedMax);

    RandomRegion l = MakeEmptyRandomRegion();
    l.type = RandomValueLongLE;
    l.signedMin = INT32_MIN;
    l.signedMax = INT32_MAX;
    ClampRandomRange(l);
    EXPECT_EQ(INT32_MIN, l.signedMin);

    RandomRegion equal = MakeEmptyRandomRegion();
    equal.type = RandomValueChar;
    equal.signedMin = equal.signedMax = 100;
    ClampRandomRange(equal);
    EXPECT_FALSE(IsRandomRangeValid(equal)); // 100 .. 100 becomes 100 .. 100, still no range

    RandomRegion u = MakeEmptyRandomRegion();
    u.type = RandomValueUlongLE;
    u.unsignedMin = 0x80000000;
    u.unsignedMax = 1; // below the minimum when compared unsigned, above it when signed
    EXPECT_FALSE(IsRandomRangeValid(u));
}
