// The harness itself: an input ends at a page that cannot be read, and the ceiling sees both
// allocation paths, so that a clean run means something.
#include <gtest/gtest.h>

#include "afxdisp.h"
#include "fuzzharness.h"

namespace {

// Whether the byte lies on a committed page that can be read. Asked of the memory manager, not
// found by touching it: under an emulator (qemu-i386) a fault is not told apart from an illegal
// instruction, and the probe itself would end the process.
bool Readable(const BYTE* p)
{
    MEMORY_BASIC_INFORMATION info = {};
    if (!VirtualQuery(p, &info, sizeof(info)) || info.State != MEM_COMMIT)
        return false;
    const DWORD protect = info.Protect & ~(PAGE_GUARD | PAGE_NOCACHE | PAGE_WRITECOMBINE);
    return protect != PAGE_NOACCESS && (info.Protect & PAGE_GUARD) == 0;
}

} // namespace

TEST(FuzzHarness, InputsEndAtAPageThatCannotBeRead)
{
    fuzz::GuardedBuffer buffer;
    const BYTE bytes[] = {1, 2, 3};
    for (size_t n : {size_t(0), size_t(1), size_t(3)}) {
        const BYTE* p = buffer.Place(bytes, n);
        if (n)
            EXPECT_TRUE(Readable(p) && Readable(p + n - 1));
        EXPECT_FALSE(Readable(p + n));
    }
    const fuzz::Bytes big(70000, 0x42);
    const BYTE* p = buffer.Place(big.data(), big.size());
    EXPECT_EQ(0x42, p[big.size() - 1]);
    EXPECT_FALSE(Readable(p + big.size()));
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
