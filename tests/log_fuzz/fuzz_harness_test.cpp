// The harness itself: an input ends at a page that cannot be read, and the ceiling sees both
// allocation paths, so that a clean run means something.
#include <gtest/gtest.h>

#include "afxdisp.h"
#include "fuzzharness.h"

TEST(FuzzHarness, InputsEndAtAPageThatCannotBeRead)
{
    fuzz::GuardedBuffer buffer;
    const BYTE bytes[] = {1, 2, 3};
    for (size_t n : {size_t(0), size_t(1), size_t(3)}) {
        const BYTE* p = buffer.Place(bytes, n);
        EXPECT_FALSE(IsBadReadPtr(p, n));
        EXPECT_TRUE(IsBadReadPtr(p + n, 1));
    }
    const fuzz::Bytes big(70000, 0x42);
    const BYTE* p = buffer.Place(big.data(), big.size());
    EXPECT_EQ(0x42, p[big.size() - 1]);
    EXPECT_TRUE(IsBadReadPtr(p + big.size(), 1));
}

TEST(FuzzHarness, CeilingSeesOperatorNewAndSafeArrays)
{
    std::vector<std::string> over = fuzz::WithCeiling(4096, [] {
        COleSafeArray array;
        array.CreateOneDim(VT_UI1, 5000);
        std::vector<BYTE> small(4096);
        std::vector<BYTE> large(4097);
    });
    // The refused request throws the library's memory exception out of the body.
    EXPECT_EQ(std::vector<std::string>({"a class-library exception left the reader",
                                        "task-memory request of 5000 bytes over the ceiling of 4096",
                                        "operator new request of 4097 bytes over the ceiling of 4096"}),
              over);
    EXPECT_TRUE(fuzz::WithCeiling(4096, [] { std::vector<BYTE> large(1 << 20); }).size() == 2);
    EXPECT_TRUE(fuzz::WithCeiling(0, [] { std::vector<BYTE> large(1 << 20); }).empty());
}

TEST(FuzzHarness, MutationsAreTheSameOnEveryRun)
{
    fuzz::Seed seed;
    seed.bytes = {8, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    seed.lengthFields = {0};
    seed.boundaries = {4, 12};
    // The structured cases first: six length values, then three cuts per boundary.
    EXPECT_EQ(0u, fuzz::Get32(fuzz::Mutate({seed}, 0), 0));
    EXPECT_EQ(7u, fuzz::Get32(fuzz::Mutate({seed}, 1), 0));
    EXPECT_EQ(9u, fuzz::Get32(fuzz::Mutate({seed}, 3), 0));
    EXPECT_EQ(0xFFFFFFFFu, fuzz::Get32(fuzz::Mutate({seed}, 5), 0));
    EXPECT_EQ(3u, fuzz::Mutate({seed}, 6).size());
    EXPECT_EQ(5u, fuzz::Mutate({seed}, 8).size());
    EXPECT_EQ(fuzz::Mutate({seed}, 1234), fuzz::Mutate({seed}, 1234));
    EXPECT_NE(fuzz::Mutate({seed}, 1234), fuzz::Mutate({seed}, 1235));
}
