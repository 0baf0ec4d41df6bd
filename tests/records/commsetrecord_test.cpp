// Communication sets: defaults, copies, the log-display comparison, and the reader of set
// files checked against files laid out here byte by byte, including damaged and truncated ones.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bytes_test_support.h"
#include "commsetrecord.h"
#include "setfile_writer.h"

namespace {

using Bytes = std::vector<BYTE>;

using testbytes::BufferOf;
using testbytes::BytesOf;

Bytes Pattern(size_t n, BYTE start, BYTE step = 1)
{
    Bytes out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<BYTE>(start + step * i);
    return out;
}

using testsets::Get32;
using testsets::PageItems;
using testsets::Put32;
using testsets::SealHeader;
using testsets::WriteSetFile;

using PortInts = int (CCommSetRecord::*)[2];

// The per-port integer fields of a set, main block then behaviour block.
const PortInts kPortInts[] = {
    &CCommSetRecord::m_nInUse, &CCommSetRecord::m_nCommType, &CCommSetRecord::m_nRecvBufferSize,
    &CCommSetRecord::m_nReservedOne, &CCommSetRecord::m_nAutoRetry, &CCommSetRecord::m_nRetryPeriod,
    &CCommSetRecord::m_nReservedZero, &CCommSetRecord::m_nComIndex, &CCommSetRecord::m_nBaudRate,
    &CCommSetRecord::m_nDataBits, &CCommSetRecord::m_nParity, &CCommSetRecord::m_nStopBits,
    &CCommSetRecord::m_nDetailedFlow, &CCommSetRecord::m_nOptionValue, &CCommSetRecord::m_nRecvFraming,
    &CCommSetRecord::m_nFixedBlockSize, &CCommSetRecord::m_nInQueue, &CCommSetRecord::m_nOutQueue,
    &CCommSetRecord::fOutxCtsFlow, &CCommSetRecord::fOutxDsrFlow, &CCommSetRecord::fDtrControl,
    &CCommSetRecord::fRtsControl, &CCommSetRecord::fDsrSensitivity, &CCommSetRecord::fInX,
    &CCommSetRecord::fOutX, &CCommSetRecord::fTXContinueOnXoff, &CCommSetRecord::XonLim,
    &CCommSetRecord::XoffLim, &CCommSetRecord::XonChar, &CCommSetRecord::XoffChar,
    &CCommSetRecord::m_nRecvTimeoutOn, &CCommSetRecord::m_nRecvTimeout, &CCommSetRecord::m_nAutoSendOn,
    &CCommSetRecord::m_nAutoSendPeriod, &CCommSetRecord::m_nRandomOn, &CCommSetRecord::m_nRandomEverySend,
    &CCommSetRecord::m_nRandomInterval, &CCommSetRecord::m_nEndAfterSend, &CCommSetRecord::m_nEndAfterRecv,
    &CCommSetRecord::m_nRecvActionOn, &CCommSetRecord::m_nReplyTarget, &CCommSetRecord::m_nReplyKind,
    &CCommSetRecord::m_nExtendedMode, &CCommSetRecord::m_nScriptMode,
};

// A set with a value of its own in every field that a file stores.
CCommSetRecord DistinctSet()
{
    CCommSetRecord s;
    int v = 101;
    s.m_nAutoStart = v++;
    for (int port = 0; port < 2; ++port) {
        for (PortInts field : kPortInts)
            (s.*field)[port] = v++;
        for (int i = 0; i < 15; ++i)
            s.m_nReservedBlock[port][i] = v++;
        // Only a port in use is bound to type 3.
        s.m_nInUse[port] = port == 0 ? 1 : 0;
        s.m_nCommType[port] = port == 0 ? 3 : 7;
        s.m_byFixedReply[port] = static_cast<BYTE>(0xC1 + port);
        s.m_clrBack[port] = 0x00102030 + v++;
        for (int kind = 0; kind < 3; ++kind)
            s.m_clrText[port][kind] = 0x00405060 + v++;
        s.m_delimiters[port] = BufferOf(Pattern(2 + port, static_cast<BYTE>(0x0D + port)));
        s.m_randomRegions[port] = BufferOf(Pattern(56 * (port + 1), static_cast<BYTE>(0x30 + port)));
        s.m_strExtDllPath[port] = port == 0 ? "C:\\ext\\表示.dll" : "D:\\plug\\ﾎﾟｰﾄ2.dll";
        s.m_extSettings[port] = BufferOf(Pattern(5 + port, static_cast<BYTE>(0x90 + port)));
        for (int i = 0; i < 1024; ++i)
            s.m_portPage[port][i] = static_cast<BYTE>(i * 3 + port + 1);
        s.m_scriptText[port] = BufferOf(Pattern(12 + port, static_cast<BYTE>('a' + port)));
    }
    s.m_nDateFormat = v++;
    for (int i = 0; i < 6; ++i)
        s.m_nDisplayFlags[i] = v++;
    s.m_strSetName = "設定ﾃｽﾄ表";
    s.m_strComment = "コメント\\comment";
    s.m_sendData = BufferOf(Pattern(9, 0xF0));
    s.m_sendMarkers = BufferOf(Pattern(7, 0x70));
    s.m_detailMarkers = BufferOf(Pattern(4, 0x80));
    return s;
}

void ExpectStoredFieldsEqual(const CCommSetRecord& a, const CCommSetRecord& b)
{
    EXPECT_EQ(a.m_strSetName, b.m_strSetName);
    EXPECT_EQ(a.m_strComment, b.m_strComment);
    EXPECT_EQ(a.m_nAutoStart, b.m_nAutoStart);
    EXPECT_EQ(BytesOf(a.m_sendData), BytesOf(b.m_sendData));
    EXPECT_EQ(BytesOf(a.m_sendMarkers), BytesOf(b.m_sendMarkers));
    EXPECT_EQ(BytesOf(a.m_detailMarkers), BytesOf(b.m_detailMarkers));
    for (size_t i = 0; i < sizeof(kPortInts) / sizeof(kPortInts[0]); ++i) {
        EXPECT_EQ((a.*kPortInts[i])[0], (b.*kPortInts[i])[0]) << "port field " << i;
        EXPECT_EQ((a.*kPortInts[i])[1], (b.*kPortInts[i])[1]) << "port field " << i;
    }
    EXPECT_EQ(0, std::memcmp(a.m_nReservedBlock, b.m_nReservedBlock, sizeof(a.m_nReservedBlock)));
    EXPECT_EQ(0, std::memcmp(a.m_byFixedReply, b.m_byFixedReply, sizeof(a.m_byFixedReply)));
    EXPECT_EQ(0, std::memcmp(a.m_clrBack, b.m_clrBack, sizeof(a.m_clrBack)));
    EXPECT_EQ(0, std::memcmp(a.m_clrText, b.m_clrText, sizeof(a.m_clrText)));
    EXPECT_EQ(a.m_nDateFormat, b.m_nDateFormat);
    EXPECT_EQ(0, std::memcmp(a.m_nDisplayFlags, b.m_nDisplayFlags, sizeof(a.m_nDisplayFlags)));
    for (int port = 0; port < 2; ++port) {
        EXPECT_EQ(a.m_strExtDllPath[port], b.m_strExtDllPath[port]);
        EXPECT_EQ(BytesOf(a.m_delimiters[port]), BytesOf(b.m_delimiters[port]));
        EXPECT_EQ(BytesOf(a.m_randomRegions[port]), BytesOf(b.m_randomRegions[port]));
        EXPECT_EQ(BytesOf(a.m_extSettings[port]), BytesOf(b.m_extSettings[port]));
        EXPECT_EQ(0, std::memcmp(a.m_portPage[port], b.m_portPage[port], 1024));
        EXPECT_EQ(BytesOf(a.m_scriptText[port]), BytesOf(b.m_scriptText[port]));
    }
}

class CommSetFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "korvane_sets_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_folder.c_str(), nullptr);
        m_path = m_folder + "\\test.kvr";
    }

    void TearDown() override
    {
        DeleteFileA(m_path.c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    void Store(const Bytes& bytes)
    {
        ASSERT_TRUE(WriteWholeFile(m_path, bytes)) << m_path;
    }

    // Reads the bytes as a set file into target.
    int Read(const Bytes& bytes, CCommSetRecord& target)
    {
        Store(bytes);
        target.m_strSetPath = m_path.c_str();
        return ReadCommSetFile(target);
    }

    int Read(const Bytes& bytes)
    {
        CCommSetRecord target;
        return Read(bytes, target);
    }

    std::string m_folder;
    std::string m_path;
};

} // namespace

TEST(CommSetRecord, FreshRecordHoldsEveryDefault)
{
    const CCommSetRecord s;
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string dir = cwd;
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    EXPECT_EQ(CString((dir + "\\default.kvr").c_str()), s.m_strSetPath);
    EXPECT_EQ(CString((dir + "\\default.mqt").c_str()), s.m_strLogPath);
    EXPECT_EQ(CString((dir + "\\default.csv").c_str()), s.m_strCsvPath);
    EXPECT_EQ(CString((dir + "\\default.txt").c_str()), s.m_strTextPath);
    EXPECT_EQ(CString("Default"), s.m_strSetName);
    EXPECT_EQ(CString("Please Config Comment..."), s.m_strComment);
    EXPECT_EQ(0, s.m_nAutoStart);
    EXPECT_EQ(0u, BytesOf(s.m_sendData).size());
    EXPECT_EQ(1, s.m_nInUse[0]);
    EXPECT_EQ(0, s.m_nInUse[1]);
    const int reserved[15] = {0x0100007F, 0, 1024, 0, 0, 2000, 1000, 1024, 5, 0, 0x0100007F, 1024, 0, 0x0100007F, 1024};
    for (int port = 0; port < 2; ++port) {
        EXPECT_EQ(3, s.m_nCommType[port]);
        EXPECT_EQ(4096, s.m_nRecvBufferSize[port]);
        EXPECT_EQ(0, std::memcmp(reserved, s.m_nReservedBlock[port], sizeof(reserved)));
        EXPECT_EQ(1, s.m_nReservedOne[port]);
        EXPECT_EQ(0, s.m_nAutoRetry[port]);
        EXPECT_EQ(3000, s.m_nRetryPeriod[port]);
        EXPECT_EQ(0, s.m_nComIndex[port]);
        EXPECT_EQ(9600, s.m_nBaudRate[port]);
        EXPECT_EQ(0, s.m_nDataBits[port]);
        EXPECT_EQ(0, s.m_nParity[port]);
        EXPECT_EQ(0, s.m_nStopBits[port]);
        EXPECT_EQ(0, s.m_nRecvFraming[port]);
        EXPECT_EQ(32, s.m_nFixedBlockSize[port]);
        EXPECT_EQ(2048, s.m_nInQueue[port]);
        EXPECT_EQ(2048, s.m_nOutQueue[port]);
        EXPECT_EQ(0, s.fDtrControl[port]);
        EXPECT_EQ(0, s.fRtsControl[port]);
        EXPECT_EQ(2048, s.XonLim[port]);
        EXPECT_EQ(2048, s.XoffLim[port]);
        EXPECT_EQ(17, s.XonChar[port]);
        EXPECT_EQ(19, s.XoffChar[port]);
        EXPECT_EQ(0u, BytesOf(s.m_delimiters[port]).size());
        EXPECT_EQ(0, s.m_nRecvTimeoutOn[port]);
        EXPECT_EQ(5000, s.m_nRecvTimeout[port]);
        EXPECT_EQ(3000, s.m_nAutoSendPeriod[port]);
        EXPECT_EQ(0, s.m_nRandomEverySend[port]);
        EXPECT_EQ(10, s.m_nRandomInterval[port]);
        EXPECT_EQ(0, s.m_nReplyKind[port]);
        EXPECT_EQ(0, s.m_byFixedReply[port]);
        EXPECT_EQ(0, s.m_nScriptMode[port]);
        EXPECT_EQ(0x000000u, s.m_clrText[port][0]);
        EXPECT_EQ(0xA00000u, s.m_clrText[port][1]);
        EXPECT_EQ(0x0000A0u, s.m_clrText[port][2]);
        EXPECT_TRUE(s.m_strExtDllPath[port].IsEmpty());
        EXPECT_EQ(0u, BytesOf(s.m_randomRegions[port]).size());
        EXPECT_EQ(0u, BytesOf(s.m_scriptText[port]).size());
        for (BYTE b : s.m_portPage[port])
            ASSERT_EQ(0, b);
    }
    EXPECT_EQ(0xDDFFFFu, s.m_clrBack[0]);
    EXPECT_EQ(0xDDFFDDu, s.m_clrBack[1]);
    EXPECT_EQ(1, s.m_nDateFormat);
    const int flags[6] = {1, 15, 15, 1, 15, 15};
    EXPECT_EQ(0, std::memcmp(flags, s.m_nDisplayFlags, sizeof(flags)));
}

TEST(CommSetRecord, DefaultsKeepEditorBuffersAndPathsUnlessAsked)
{
    CCommSetRecord s = DistinctSet();
    s.m_strLogPath = "X:\\kept.mqt";
    s.m_strExtra1 = "extra";
    s.m_nExtra = 77;
    SetCommSetDefaults(s, FALSE);
    EXPECT_EQ(CString("X:\\kept.mqt"), s.m_strLogPath);
    EXPECT_EQ(Pattern(9, 0xF0), BytesOf(s.m_sendData));
    EXPECT_EQ(Pattern(7, 0x70), BytesOf(s.m_sendMarkers));
    EXPECT_EQ(Pattern(4, 0x80), BytesOf(s.m_detailMarkers));
    EXPECT_EQ(CString("extra"), s.m_strExtra1);
    EXPECT_EQ(77, s.m_nExtra);
    EXPECT_EQ(CString("Default"), s.m_strSetName);
    EXPECT_EQ(0u, BytesOf(s.m_scriptText[0]).size());
    EXPECT_EQ(0, s.m_portPage[1][5]);
    SetCommSetDefaults(s, TRUE);
    EXPECT_NE(CString("X:\\kept.mqt"), s.m_strLogPath);
}

TEST(CommSetRecord, CopiesAreDeepAndCompareLogDisplaySeesOnlyTheDisplay)
{
    const CCommSetRecord original = DistinctSet();
    CCommSetRecord copy;
    copy = original;
    ExpectStoredFieldsEqual(original, copy);
    void* p = nullptr;
    copy.m_sendData.AccessData(&p);
    static_cast<BYTE*>(p)[0] = 0x00;
    copy.m_sendData.UnaccessData();
    EXPECT_EQ(0xF0, BytesOf(original.m_sendData)[0]);

    EXPECT_EQ(0, original.CompareLogDisplay(original));
    copy = original;
    copy.m_strComment = "another comment";
    copy.m_nBaudRate[0] = 115200;
    EXPECT_EQ(0, original.CompareLogDisplay(copy));
    for (int i = 0; i < 6; ++i) {
        copy = original;
        copy.m_nDisplayFlags[i] ^= 4;
        EXPECT_NE(0, original.CompareLogDisplay(copy)) << "display flag " << i;
    }
    copy = original;
    copy.m_clrText[1][2] += 1;
    EXPECT_NE(0, original.CompareLogDisplay(copy));
    copy = original;
    copy.m_clrBack[1] += 1;
    EXPECT_NE(0, original.CompareLogDisplay(copy));
    copy = original;
    copy.m_nDateFormat = 0;
    EXPECT_NE(0, original.CompareLogDisplay(copy));
}

TEST(CommSetRecord, ChecksumXorsLittleEndianWordsWithAPaddedTail)
{
    const BYTE bytes[] = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(0x04030201u ^ 0x00070605u, ComputeSetChecksum(bytes, 7));
    EXPECT_EQ(0u, ComputeSetChecksum(bytes, 0));
}

TEST_F(CommSetFileTest, Version103FileWithEveryFieldReadsBackEqual)
{
    const CCommSetRecord written = DistinctSet();
    CCommSetRecord target;
    target.m_strExtra1 = "not in the file";
    target.m_nExtra = 5;
    target.m_nReservedDisplay = 9;
    target.m_sendData = BufferOf({0x01});
    ASSERT_EQ(0, Read(WriteSetFile(written, 103), target));
    ExpectStoredFieldsEqual(written, target);
    EXPECT_EQ(CString(m_path.c_str()), target.m_strSetPath);
    EXPECT_EQ(CString("not in the file"), target.m_strExtra1);
    EXPECT_EQ(5, target.m_nExtra);
    EXPECT_EQ(0, target.m_nReservedDisplay);  // not in the file: back to its default
}

TEST_F(CommSetFileTest, FieldsComeFromTheirAbsoluteOffsets)
{
    Bytes file = WriteSetFile(DistinctSet(), 103);
    Put32(file, 688, 0x5A);      // Port 1 main block, word 44: XOFF character
    file[1328] = 0x3C;           // Port 2 behaviour block, byte 48: fixed reply byte
    SealHeader(file);
    CCommSetRecord target;
    ASSERT_EQ(0, Read(file, target));
    EXPECT_EQ(0x5A, target.XoffChar[0]);
    EXPECT_EQ(0x3C, target.m_byFixedReply[1]);
    EXPECT_EQ(0xC1, target.m_byFixedReply[0]);
}

TEST_F(CommSetFileTest, DamagedHeadersAreRefusedWithTheirCodes)
{
    const Bytes good = WriteSetFile(DistinctSet(), 103);
    ASSERT_EQ(0, Read(good));

    Bytes file = good;
    file[2] = 's';
    SealHeader(file);
    EXPECT_EQ(-2, Read(file));

    file = good;
    Put32(file, 16, 104);
    SealHeader(file);
    EXPECT_EQ(-3, Read(file));
    Put32(file, 16, 99);
    SealHeader(file);
    EXPECT_EQ(-3, Read(file));

    file = good;
    Put32(file, 24, static_cast<DWORD>(good.size() + 1));
    EXPECT_EQ(-4, Read(file));
    Put32(file, 24, static_cast<DWORD>(good.size() - 1));
    EXPECT_EQ(-4, Read(file));

    file = good;
    Put32(file, 28, Get32(good, 28) ^ 0x100);
    EXPECT_EQ(-5, Read(file));
}

TEST_F(CommSetFileTest, AnyFlippedBitOutsideTheChecksumWordIsRefused)
{
    const Bytes good = WriteSetFile(DistinctSet(), 103);
    for (size_t pos = 0; pos < good.size(); ++pos) {
        if (pos >= 28 && pos < 32)
            continue;
        Bytes file = good;
        file[pos] ^= static_cast<BYTE>(1u << (pos % 8));
        const int result = Read(file);
        const bool checkedBeforeSum = pos < 4 || (pos >= 16 && pos < 20) || (pos >= 24 && pos < 28);
        if (checkedBeforeSum)
            EXPECT_LT(result, 0) << "byte " << pos;
        else
            ASSERT_EQ(-5, result) << "byte " << pos;
    }
}

TEST_F(CommSetFileTest, PortTypeRuleAppliesOnlyToPortsInUse)
{
    CCommSetRecord s = DistinctSet();
    s.m_nInUse[1] = 1;
    s.m_nCommType[1] = 1;
    CCommSetRecord target;
    EXPECT_EQ(-6, Read(WriteSetFile(s, 103), target));
    // What came before the refusal stays read; the rest holds the defaults.
    EXPECT_EQ(s.m_nBaudRate[0], target.m_nBaudRate[0]);
    EXPECT_EQ(s.m_nAutoStart, target.m_nAutoStart);
    EXPECT_EQ(1, target.m_nCommType[1]);
    EXPECT_EQ(5000, target.m_nRecvTimeout[0]);
    EXPECT_EQ(CString("Default"), target.m_strSetName);

    s.m_nInUse[1] = 0;
    EXPECT_EQ(0, Read(WriteSetFile(s, 103), target));
    EXPECT_EQ(1, target.m_nCommType[1]);

    s = DistinctSet();
    s.m_nCommType[0] = 2;
    EXPECT_EQ(-6, Read(WriteSetFile(s, 103)));
}

TEST_F(CommSetFileTest, MissingFileLeavesTheRecordUntouched)
{
    CCommSetRecord target;
    target.m_strSetName = "kept";
    target.m_strSetPath = (m_folder + "\\absent.kvr").c_str();
    EXPECT_EQ(-1, ReadCommSetFile(target));
    EXPECT_EQ(CString("kept"), target.m_strSetName);
}

TEST_F(CommSetFileTest, TruncatedFilesAreRefusedWithoutReadingPastTheEnd)
{
    const CCommSetRecord written = DistinctSet();
    const Bytes good = WriteSetFile(written, 103);

    // Shorter than the fixed part, whatever the header says.
    for (size_t length : {size_t(0), size_t(3), size_t(35), size_t(1791)}) {
        Bytes file(good.begin(), good.begin() + length);
        EXPECT_EQ(-7, Read(file)) << length;
    }
    Bytes fixedOnly(good.begin(), good.begin() + 1792);
    SealHeader(fixedOnly);
    EXPECT_EQ(-7, Read(fixedOnly));

    // Every cut inside the variable part, with a size word and checksum that match the cut:
    // some item then runs past the end.
    for (size_t length = 1793; length < good.size(); ++length) {
        Bytes file(good.begin(), good.begin() + length);
        SealHeader(file);
        ASSERT_EQ(-7, Read(file)) << length;
    }

    // The items before the damaged one are kept.
    Bytes file(good.begin(), good.end() - 1);
    SealHeader(file);
    CCommSetRecord target;
    target.m_sendData = BufferOf({0x55});
    ASSERT_EQ(-7, Read(file, target));
    EXPECT_EQ(written.m_strSetName, target.m_strSetName);
    EXPECT_EQ(BytesOf(written.m_scriptText[0]), BytesOf(target.m_scriptText[0]));
    EXPECT_EQ(0u, BytesOf(target.m_scriptText[1]).size());

    // Lengths far beyond the file, one of them large enough to wrap a 32-bit sum.
    for (DWORD huge : {0xFFFFFFFFu, 0xFFFFFFFDu, 0x7FFFFFFFu, 0x00010000u}) {
        Bytes bad = good;
        Put32(bad, 1792, huge);
        SealHeader(bad);
        CCommSetRecord damaged;
        damaged.m_sendData = BufferOf({0x55});
        EXPECT_EQ(-7, Read(bad, damaged)) << huge;
        EXPECT_EQ(CString("Default"), damaged.m_strSetName);
        EXPECT_EQ(Bytes{0x55}, BytesOf(damaged.m_sendData));
    }
}

TEST_F(CommSetFileTest, OlderVersionsLeaveLaterFieldsAsTheyWere)
{
    const CCommSetRecord written = DistinctSet();
    auto primed = [] {
        CCommSetRecord target;
        target.m_sendMarkers = BufferOf({1, 2, 3});
        target.m_detailMarkers = BufferOf({4});
        target.m_delimiters[0] = BufferOf({9});
        target.m_scriptText[1] = BufferOf({7});
        target.m_portPage[0][0] = 0x66;
        return target;
    };

    CCommSetRecord v100 = primed();
    ASSERT_EQ(0, Read(WriteSetFile(written, 100), v100));
    EXPECT_EQ(BytesOf(written.m_sendData), BytesOf(v100.m_sendData));
    EXPECT_EQ(BytesOf(written.m_extSettings[1]), BytesOf(v100.m_extSettings[1]));
    EXPECT_EQ((Bytes{1, 2, 3}), BytesOf(v100.m_sendMarkers));
    EXPECT_EQ((Bytes{4}), BytesOf(v100.m_detailMarkers));
    EXPECT_EQ(0u, BytesOf(v100.m_delimiters[0]).size());
    EXPECT_EQ(0u, BytesOf(v100.m_scriptText[1]).size());
    EXPECT_EQ(0, v100.m_portPage[0][0]);

    CCommSetRecord v101 = primed();
    ASSERT_EQ(0, Read(WriteSetFile(written, 101), v101));
    EXPECT_EQ(BytesOf(written.m_delimiters[0]), BytesOf(v101.m_delimiters[0]));
    EXPECT_EQ(BytesOf(written.m_delimiters[1]), BytesOf(v101.m_delimiters[1]));
    EXPECT_EQ((Bytes{1, 2, 3}), BytesOf(v101.m_sendMarkers));

    PageItems pages;
    pages.given = true;
    pages.page[0] = Pattern(2000, 0x11, 7);
    pages.page[1] = Pattern(10, 0x40);
    CCommSetRecord v102 = primed();
    ASSERT_EQ(0, Read(WriteSetFile(written, 102, &pages), v102));
    EXPECT_EQ(BytesOf(written.m_sendMarkers), BytesOf(v102.m_sendMarkers));
    EXPECT_EQ(BytesOf(written.m_detailMarkers), BytesOf(v102.m_detailMarkers));
    EXPECT_EQ(0, std::memcmp(pages.page[0].data(), v102.m_portPage[0], 1024));
    EXPECT_EQ(0, std::memcmp(pages.page[1].data(), v102.m_portPage[1], 10));
    for (int i = 10; i < 1024; ++i)
        ASSERT_EQ(0, v102.m_portPage[1][i]) << i;
    EXPECT_EQ(0u, BytesOf(v102.m_scriptText[1]).size());
}
