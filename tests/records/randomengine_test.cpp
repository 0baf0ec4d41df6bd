// Random-data engine: the generator's sequence, laying region values over data, the renewal
// interval on an injected clock, the ranges that 32-bit arithmetic cannot draw from, and two
// threads sharing one engine.
#include "randomengine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "bytes_test_support.h"

namespace {

using testbytes::At;
using testbytes::BufferOf;
using testbytes::BytesOf;

RandomRegion Region(uint32_t start, uint32_t end, uint32_t type)
{
    RandomRegion r = MakeEmptyRandomRegion();
    r.start = start;
    r.end = end;
    r.type = type;
    return r;
}

RandomRegion SignedRegion(uint32_t start, uint32_t end, uint32_t type, int32_t min, int32_t max)
{
    RandomRegion r = Region(start, end, type);
    r.signedMin = min;
    r.signedMax = max;
    return r;
}

RandomRegion UnsignedRegion(uint32_t start, uint32_t end, uint32_t type, uint32_t min, uint32_t max)
{
    RandomRegion r = Region(start, end, type);
    r.unsignedMin = min;
    r.unsignedMax = max;
    return r;
}

// Applies the regions once, with values drawn from the given seed, over `size` bytes of 0xAA.
std::vector<BYTE> ApplyOnce(const std::vector<RandomRegion>& regions, std::size_t size, uint32_t seed)
{
    CRandomEngine engine;
    engine.LoadRandomRegions(RandomRegionsToBlob(regions), 0);
    SeedRandom(seed);
    return BytesOf(engine.ApplyRandomRegions(BufferOf(std::vector<BYTE>(size, 0xAA))));
}

// The product of the next four draws modulo 2^32, as a 32-bit value is drawn.
uint32_t FourDrawProduct()
{
    uint32_t p = 1;
    for (int i = 0; i < 4; ++i)
        p *= static_cast<uint32_t>(NextRandom());
    return p;
}

// The engine's own rounding of the finite formula, spelled out: each step through memory, so
// the x87 unit's extended precision cannot leak into the result.
double FiniteFormula(double min, double span, int draw)
{
    volatile double t = draw * (1.0 / 32767);
    volatile double scaled = t * span;
    volatile double value = min + scaled;
    return value;
}

} // namespace

TEST(RandomGenerator, SeedOneGivesTheRuntimeSequence)
{
    SeedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected)
        EXPECT_EQ(value, NextRandom());

    SeedRandom(1);
    EXPECT_EQ(41, NextRandom());
}

TEST(RandomEngineApply, ThreeByteUlongRegionChangesOnlyItsBytes)
{
    const std::vector<BYTE> out =
        ApplyOnce({UnsignedRegion(1, 3, RandomValueUlongLE, 0, 0xFFFFFFFF)}, 6, 7);
    SeedRandom(7);
    const uint32_t value = FourDrawProduct();

    ASSERT_EQ(6u, out.size());
    EXPECT_EQ(0xAA, out[0]);
    EXPECT_EQ(static_cast<BYTE>(value), out[1]);
    EXPECT_EQ(static_cast<BYTE>(value >> 8), out[2]);
    EXPECT_EQ(static_cast<BYTE>(value >> 16), out[3]);
    EXPECT_EQ(0xAA, out[4]);
    EXPECT_EQ(0xAA, out[5]);
}

TEST(RandomEngineApply, RegionsPastTheDataAreIgnoredOrCut)
{
    std::vector<BYTE> out = ApplyOnce({UnsignedRegion(6, 9, RandomValueByte, 0, 9),
                                       UnsignedRegion(100, 200, RandomValueByte, 0, 9)},
                                      6, 3);
    EXPECT_EQ(std::vector<BYTE>(6, 0xAA), out);

    out = ApplyOnce({UnsignedRegion(4, 20, RandomValueByte, 0, 9)}, 6, 3);
    ASSERT_EQ(6u, out.size());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0xAA, out[i]);
    EXPECT_LE(out[4], 9);
    EXPECT_LE(out[5], 9);

    // Empty data stays empty.
    CRandomEngine engine;
    engine.LoadRandomRegions(RandomRegionsToBlob({UnsignedRegion(0, 3, RandomValueByte, 0, 9)}), 0);
    EXPECT_EQ(0u, engine.ApplyRandomRegions(BufferOf({})).GetOneDimSize());
}

TEST(RandomEngineApply, ByteOrderAndSmallRanges)
{
    // A one-value range of 0x1234 shows the byte order of each 16-bit type.
    std::vector<BYTE> out = ApplyOnce({SignedRegion(0, 1, RandomValueShortBE, 0x1234, 0x1234),
                                       SignedRegion(2, 3, RandomValueShortLE, 0x1234, 0x1234),
                                       UnsignedRegion(4, 5, RandomValueWordBE, 0x1234, 0x1234)},
                                      6, 1);
    EXPECT_EQ((std::vector<BYTE>{0x12, 0x34, 0x34, 0x12, 0x12, 0x34}), out);

    // -1 .. 1 as "char" gives only FF, 00 and 01, and all of them.
    out = ApplyOnce({SignedRegion(0, 199, RandomValueChar, -1, 1)}, 200, 5);
    std::set<BYTE> seen(out.begin(), out.end());
    EXPECT_EQ((std::set<BYTE>{0x00, 0x01, 0xFF}), seen);

    // A float region whose minimum and maximum are both 0 writes 0.0.
    RandomRegion zero = Region(0, 3, RandomValueFloatLE);
    out = ApplyOnce({zero}, 4, 5);
    EXPECT_EQ(std::vector<BYTE>(4, 0), out);

    // A type outside the table fills its range with FF.
    out = ApplyOnce({Region(1, 2, 14)}, 4, 5);
    EXPECT_EQ((std::vector<BYTE>{0xAA, 0xFF, 0xFF, 0xAA}), out);
}

TEST(RandomEngineApply, ReversedRegionKeepsLaterRegionsPaired)
{
    // The middle region ends before it starts; the third still gets its own values.
    const std::vector<BYTE> out = ApplyOnce({UnsignedRegion(0, 0, RandomValueByte, 1, 1),
                                             UnsignedRegion(5, 2, RandomValueByte, 2, 2),
                                             UnsignedRegion(3, 3, RandomValueByte, 3, 3)},
                                            4, 1);
    EXPECT_EQ((std::vector<BYTE>{1, 0xAA, 0xAA, 3}), out);
}

TEST(RandomEngineLoad, BlobRulesAndInterval)
{
    CRandomEngine engine;
    engine.LoadRandomRegions(BufferOf(std::vector<BYTE>(57, 0)), 10);
    EXPECT_EQ(0, engine.GetRegionCount());
    EXPECT_EQ(10, engine.GetRenewalInterval());

    COleSafeArray two = RandomRegionsToBlob({Region(0, 0, 1), Region(1, 1, 1)});
    engine.LoadRandomRegions(two, 0);
    EXPECT_EQ(2, engine.GetRegionCount());
    EXPECT_EQ(0, engine.GetRenewalInterval());

    // A blob of another element type holds nothing.
    COleSafeArray words;
    words.CreateOneDim(VT_I4, 14);
    engine.LoadRandomRegions(words, 0);
    EXPECT_EQ(0, engine.GetRegionCount());
}

TEST(RandomEngineRenewal, ValuesLastForTheIntervalOnTheInjectedClock)
{
    long long now = 0;
    CRandomEngine engine;
    engine.SetClock([&now] { return now; });
    engine.LoadRandomRegions(
        RandomRegionsToBlob({UnsignedRegion(0, 15, RandomValueUlongLE, 0, 0xFFFFFFFF)}), 10);
    const COleSafeArray data = BufferOf(std::vector<BYTE>(16, 0));
    SeedRandom(11);

    now = 100;
    const std::vector<BYTE> first = BytesOf(engine.ApplyRandomRegions(data));
    now = 105;
    const std::vector<BYTE> second = BytesOf(engine.ApplyRandomRegions(data));
    now = 110; // not yet past the interval
    const std::vector<BYTE> third = BytesOf(engine.ApplyRandomRegions(data));
    now = 111;
    const std::vector<BYTE> fourth = BytesOf(engine.ApplyRandomRegions(data));

    EXPECT_NE(std::vector<BYTE>(16, 0), first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, third);
    EXPECT_NE(first, fourth);

    // Reloading forgets the last renewal; interval 0 draws for every use.
    engine.LoadRandomRegions(
        RandomRegionsToBlob({UnsignedRegion(0, 15, RandomValueUlongLE, 0, 0xFFFFFFFF)}), 0);
    const std::vector<BYTE> a = BytesOf(engine.ApplyRandomRegions(data));
    const std::vector<BYTE> b = BytesOf(engine.ApplyRandomRegions(data));
    EXPECT_NE(a, b);
}

TEST(RandomEngineRanges, EmptyAndReversedIntegerRangesGiveTheMinimum)
{
    // max = min - 1 (span 0) and max below min, signed and unsigned.
    const std::vector<BYTE> out =
        ApplyOnce({UnsignedRegion(0, 0, RandomValueByte, 5, 4), SignedRegion(1, 1, RandomValueChar, 10, -10),
                   SignedRegion(2, 3, RandomValueShortLE, -3, -4), UnsignedRegion(4, 7, RandomValueUlongLE, 100, 50),
                   SignedRegion(8, 11, RandomValueLongBE, INT32_MAX, INT32_MIN)},
                  12, 9);
    EXPECT_EQ(5, out[0]);
    EXPECT_EQ(10, out[1]);
    EXPECT_EQ(-3, At<int16_t>(out, 2));
    EXPECT_EQ(100u, At<uint32_t>(out, 4));
    EXPECT_EQ((std::vector<BYTE>{0x7F, 0xFF, 0xFF, 0xFF}), std::vector<BYTE>(out.begin() + 8, out.end()));
}

TEST(RandomEngineRanges, FullThirtyTwoBitRangesGiveTheDrawItself)
{
    const std::vector<BYTE> out = ApplyOnce({UnsignedRegion(0, 3, RandomValueUlongLE, 0, 0xFFFFFFFF),
                                             SignedRegion(4, 7, RandomValueLongLE, INT32_MIN, INT32_MAX),
                                             UnsignedRegion(8, 11, RandomValueUlongBE, 0, 0xFFFFFFFF)},
                                            12, 21);
    SeedRandom(21);
    const uint32_t p1 = FourDrawProduct();
    const uint32_t p2 = FourDrawProduct();
    const uint32_t p3 = FourDrawProduct();
    EXPECT_EQ(p1, At<uint32_t>(out, 0));
    EXPECT_EQ(static_cast<int32_t>(p2 ^ 0x80000000u), At<int32_t>(out, 4)); // -2^31 + P
    EXPECT_EQ(p3, (uint32_t(out[8]) << 24) | (uint32_t(out[9]) << 16) | (uint32_t(out[10]) << 8) | out[11]);

    // A signed range wider than 2^31 values, which overflows 32-bit signed arithmetic.
    const std::vector<BYTE> wide = ApplyOnce({SignedRegion(0, 399, RandomValueLongLE, -2000000000, 2000000000)}, 400, 4);
    for (std::size_t i = 0; i < wide.size(); i += 4) {
        const int32_t v = At<int32_t>(wide, i);
        EXPECT_GE(v, -2000000000);
        EXPECT_LE(v, 2000000000);
    }
}

TEST(RandomEngineRanges, FiniteRealRangesKeepTheFormulaBitForBit)
{
    RandomRegion f = Region(0, 3, RandomValueFloatLE);
    f.floatMin = 1.0f;
    f.floatMax = 2.5f;
    RandomRegion d = Region(4, 11, RandomValueDoubleBE);
    d.doubleMin = -3.0;
    d.doubleMax = 1e10;
    const std::vector<BYTE> out = ApplyOnce({f, d}, 12, 33);

    SeedRandom(33);
    const int r1 = NextRandom();
    const int r2 = NextRandom();
    const float expectedFloat = static_cast<float>(FiniteFormula(1.0f, 1.5f, r1));
    const double expectedDouble = FiniteFormula(-3.0, 1e10 + 3.0, r2);
    EXPECT_EQ(0, std::memcmp(&expectedFloat, out.data(), 4));
    std::vector<BYTE> big(out.begin() + 4, out.end());
    std::reverse(big.begin(), big.end());
    EXPECT_EQ(0, std::memcmp(&expectedDouble, big.data(), 8));
}

TEST(RandomEngineRanges, FullRealRangesGiveFiniteValuesInRange)
{
    RandomRegion f = Region(0, 399, RandomValueFloatLE);
    f.floatMin = -FLT_MAX;
    f.floatMax = FLT_MAX;
    RandomRegion d = Region(400, 799, RandomValueDoubleLE);
    d.doubleMin = -DBL_MAX;
    d.doubleMax = DBL_MAX;
    RandomRegion fb = Region(800, 803, RandomValueFloatBE);
    fb.floatMin = -FLT_MAX;
    fb.floatMax = FLT_MAX;
    const std::vector<BYTE> out = ApplyOnce({f, d, fb}, 804, 17);

    std::set<float> distinct;
    for (std::size_t i = 0; i < 400; i += 4) {
        const float v = At<float>(out, i);
        ASSERT_TRUE(std::isfinite(v)) << i;
        distinct.insert(v);
    }
    EXPECT_GT(distinct.size(), 50u);
    for (std::size_t i = 400; i < 800; i += 8)
        ASSERT_TRUE(std::isfinite(At<double>(out, i))) << i;

    // The values are those of min + t*max - t*min with t = r / 32767.
    SeedRandom(17);
    const long double t = NextRandom() * (1.0L / 32767);
    const float first = static_cast<float>(-static_cast<long double>(FLT_MAX) + t * FLT_MAX + t * FLT_MAX);
    EXPECT_EQ(first, At<float>(out, 0));

    std::vector<BYTE> big(out.begin() + 800, out.end());
    std::reverse(big.begin(), big.end());
    EXPECT_TRUE(std::isfinite(At<float>(big, 0)));
}

TEST(RandomEngineRanges, HugeRegionDrawsWithoutExhaustingMemory)
{
    const std::vector<BYTE> out = ApplyOnce({UnsignedRegion(0, 0xFFFFFFFF, RandomValueByte, 7, 7)}, 64, 2);
    EXPECT_EQ(std::vector<BYTE>(64, 7), out);
}

TEST(RandomEngineThreads, TwoThreadsApplyingTheSameEngine)
{
    CRandomEngine engine;
    engine.LoadRandomRegions(RandomRegionsToBlob({UnsignedRegion(2, 5, RandomValueUlongBE, 0, 0xFFFFFFFF),
                                                  SignedRegion(8, 9, RandomValueChar, -1, 1),
                                                  UnsignedRegion(12, 40, RandomValueByte, 0, 9)}),
                             0);
    const std::vector<BYTE> input(16, 0xAA);

    auto worker = [&engine, &input](int* faults) {
        const COleSafeArray data = BufferOf(input);
        for (int i = 0; i < 10000; ++i) {
            const std::vector<BYTE> out = BytesOf(engine.ApplyRandomRegions(data));
            bool ok = out.size() == 16 && out[0] == 0xAA && out[1] == 0xAA && out[6] == 0xAA &&
                      out[7] == 0xAA && out[10] == 0xAA && out[11] == 0xAA;
            for (int k = 8; ok && k <= 9; ++k)
                ok = out[k] == 0xFF || out[k] <= 1;
            for (int k = 12; ok && k < 16; ++k)
                ok = out[k] <= 9;
            if (!ok)
                ++*faults;
        }
    };
    int faults1 = 0;
    int faults2 = 0;
    std::thread t1(worker, &faults1);
    std::thread t2(worker, &faults2);
    t1.join();
    t2.join();
    EXPECT_EQ(0, faults1);
    EXPECT_EQ(0, faults2);
}
