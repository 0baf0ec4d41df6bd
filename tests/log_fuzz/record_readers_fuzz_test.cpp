// The shared records' readers of outside bytes fed mutated inputs: the communication-set file,
// the byte stream reader on its own, and the random-region blob with the engine that lays the
// regions over outgoing data.
#include <gtest/gtest.h>

#include <cstring>

#include "bytestreamreader.h"
#include "bytes_test_support.h"
#include "commsetrecord.h"
#include "fuzzharness.h"
#include "randomengine.h"
#include "randomregion.h"

using fuzz::Append32;
using fuzz::Bytes;
using fuzz::Put32;
using fuzz::Seed;
using testbytes::BufferOf;
using testbytes::BytesOf;

namespace {

void AppendItem(Seed& seed, const Bytes& item)
{
    seed.lengthFields.push_back(seed.bytes.size());
    seed.boundaries.push_back(seed.bytes.size());
    Append32(seed.bytes, static_cast<DWORD>(item.size()));
    seed.bytes.insert(seed.bytes.end(), item.begin(), item.end());
    seed.boundaries.push_back(seed.bytes.size());
}

Bytes TextBytes(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

// Size word and checksum for the bytes as they are, as a writer of set files leaves them.
void SealSetFile(Bytes& file)
{
    if (file.size() < 32)
        return;
    Put32(file, 24, static_cast<DWORD>(file.size()));
    Put32(file, 28, 0);
    Put32(file, 28, ComputeSetChecksum(file.data(), static_cast<DWORD>(file.size())));
}

std::vector<RandomRegion> SomeRegions()
{
    RandomRegion a = MakeEmptyRandomRegion();
    a.start = 2;
    a.end = 9;
    a.type = RandomValueShortBE;
    SetRandomFullRange(a);
    RandomRegion b = MakeEmptyRandomRegion();
    b.start = 0;
    b.end = 3;
    b.type = RandomValueDoubleLE;
    SetRandomFullRange(b);
    return {a, b};
}

// A set file of the version with every item present, the ports in use on the serial type.
Seed SetFileSeed(int version)
{
    Seed seed;
    seed.bytes.assign(1792, 0);
    std::memcpy(seed.bytes.data(), "kvr", 4);
    Put32(seed.bytes, 16, static_cast<DWORD>(version));
    for (int port = 0; port < 2; ++port) {
        Put32(seed.bytes, 512 + 256 * port, 1);
        Put32(seed.bytes, 512 + 256 * port + 4, 3);
    }
    seed.boundaries = {0, 16, 24, 28, 32, 36, 512, 768, 1024, 1280, 1536};
    AppendItem(seed, TextBytes("fuzz set"));
    AppendItem(seed, TextBytes("comment\x83\x65"));
    AppendItem(seed, BytesOf(RandomRegionsToBlob(SomeRegions())));
    AppendItem(seed, Bytes());
    AppendItem(seed, TextBytes("ext.dll"));
    AppendItem(seed, TextBytes(""));
    AppendItem(seed, Bytes{1, 2, 3});
    AppendItem(seed, Bytes());
    AppendItem(seed, Bytes{0x41, 0x42, 0x00, 0x43});
    if (version > 100) {
        AppendItem(seed, Bytes{0x0D, 0x0A});
        AppendItem(seed, Bytes{0x03});
    }
    if (version > 101) {
        AppendItem(seed, Bytes(24, 0x15));
        AppendItem(seed, Bytes());
        AppendItem(seed, Bytes(1024, 0x5A));
        AppendItem(seed, Bytes(7, 0x01));
    }
    if (version > 102) {
        AppendItem(seed, TextBytes("function OnReceive(d) SendData(d) end"));
        AppendItem(seed, TextBytes("-- port 2"));
    }
    SealSetFile(seed.bytes);
    return seed;
}

bool ReadSet(const BYTE* p, size_t n)
{
    CCommSetRecord set;
    const int result = ReadCommSetBytes(set, p, static_cast<DWORD>(n));
    // What the program does next with a set: its regions and markers are read in turn.
    RandomRegionsFromBlob(set.m_randomRegions[0]);
    RandomRegionsFromBlob(set.m_randomRegions[1]);
    return result == CommSetReadOk;
}

} // namespace

TEST(FuzzRecords, CommunicationSetFiles)
{
    const std::vector<Seed> seeds = {SetFileSeed(103), SetFileSeed(101), SetFileSeed(100)};
    // As they come, most are refused by the size word or the checksum; sealed again, the
    // mutations reach the blocks and the items.
    fuzz::RunResult raw = fuzz::Run("commset", seeds, fuzz::InputCount(1500), ReadSet);
    EXPECT_TRUE(raw.Passed()) << testing::PrintToString(raw.failures);
    fuzz::RunResult sealed = fuzz::Run("commset sealed", seeds, fuzz::InputCount(3000), ReadSet, SealSetFile);
    EXPECT_TRUE(sealed.Passed()) << testing::PrintToString(sealed.failures);
    EXPECT_GT(sealed.accepted, 0);
    EXPECT_GT(sealed.refused, 0);
}

TEST(FuzzRecords, CommunicationSetWhoseLastItemRunsPastTheEnd)
{
    Seed seed = SetFileSeed(103);
    const size_t last = seed.lengthFields.back();
    for (DWORD length : {DWORD(fuzz::Get32(seed.bytes, last) + 1), DWORD(0x7FFFFFFF), DWORD(0xFFFFFFFF)}) {
        Bytes file = seed.bytes;
        Put32(file, last, length);
        SealSetFile(file);
        CCommSetRecord set;
        set.m_sendMarkers = BufferOf({9, 9});
        set.m_scriptText[1] = BufferOf({7, 7});
        EXPECT_EQ(CommSetReadTruncated, ReadCommSetBytes(set, file.data(), static_cast<DWORD>(file.size())));
        // The items before it are read; the damaged one keeps what the load left there.
        EXPECT_EQ(CString("fuzz set"), set.m_strSetName);
        EXPECT_EQ(Bytes(24, 0x15), BytesOf(set.m_sendMarkers));
        EXPECT_EQ(Bytes(), BytesOf(set.m_scriptText[1]));
    }
}

namespace {

// A stream of string and blob items, each as the reader's layout holds it.
Seed StreamSeed()
{
    Seed seed;
    AppendItem(seed, TextBytes("first"));
    AppendItem(seed, Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    AppendItem(seed, Bytes());
    AppendItem(seed, TextBytes("with\0zero"));
    AppendItem(seed, Bytes(300, 0xEE));
    return seed;
}

// Reads strings, blobs, raw bytes and skips in turn until the stream is used up or fails.
bool ReadStream(const BYTE* p, size_t n)
{
    CByteStreamReader reader(BufferOf(Bytes(p, p + n)));
    for (int step = 0; !reader.HasFailed() && reader.GetRemaining() > 0; ++step) {
        BYTE raw[6];
        switch (step % 4) {
        case 0: reader.ReadString(); break;
        case 1: reader.ReadBlob(); break;
        case 2: reader.ReadBytes(raw, sizeof(raw)); break;
        default: reader.Skip(3); break;
        }
    }
    return !reader.HasFailed();
}

} // namespace

TEST(FuzzRecords, ByteStreams)
{
    fuzz::RunResult result = fuzz::Run("byte stream", {StreamSeed()}, fuzz::InputCount(3000), ReadStream);
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
}

namespace {

Seed RegionSeed()
{
    Seed seed;
    seed.bytes = BytesOf(RandomRegionsToBlob(SomeRegions()));
    for (size_t at = 0; at <= seed.bytes.size(); at += kRandomRegionSize)
        seed.boundaries.push_back(at);
    // The start and end words are the lengths of this format.
    for (size_t at = 0; at < seed.bytes.size(); at += kRandomRegionSize) {
        seed.lengthFields.push_back(at);
        seed.lengthFields.push_back(at + 4);
    }
    return seed;
}

bool ReadRegions(const BYTE* p, size_t n)
{
    const std::vector<RandomRegion> regions = RandomRegionsFromBytes(p, static_cast<DWORD>(n));
    for (RandomRegion region : regions) {
        RandomRangeMinText(region);
        RandomRangeMaxText(region);
        IsRandomRangeValid(region);
        ClampRandomRange(region);
    }
    // Laid over a short send, as a connection does.
    CRandomEngine engine;
    engine.SetClock([] { return 1000LL; });
    engine.LoadRandomRegions(BufferOf(Bytes(p, p + n)), 0);
    const Bytes data(12, 0x11);
    const Bytes sent = BytesOf(engine.ApplyRandomRegions(BufferOf(data)));
    EXPECT_EQ(data.size(), sent.size());
    return !regions.empty();
}

} // namespace

TEST(FuzzRecords, RandomRegionBlobs)
{
    SeedRandom(7);
    fuzz::RunResult result = fuzz::Run("random regions", {RegionSeed()}, fuzz::InputCount(1000), ReadRegions);
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
}

// Every region of a blob may claim the whole address range; the engine must not draw values
// for all of them when the blob holds many.
TEST(FuzzRecords, ManyRegionsClaimingEverythingAreDrawnInBoundedTime)
{
    RandomRegion wide = MakeEmptyRandomRegion();
    wide.start = 0;
    wide.end = 0xFFFFFFFF;
    wide.type = RandomValueByte;
    SetRandomFullRange(wide);
    Seed seed;
    seed.bytes = BytesOf(RandomRegionsToBlob(std::vector<RandomRegion>(200, wide)));
    fuzz::RunResult result = fuzz::Run("many wide regions", {seed}, 1, ReadRegions);
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
}
