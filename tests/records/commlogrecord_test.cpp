// Log record body and the byte stream reader: the exact bytes of the saved-log record format,
// deep copies, and reads that must never run past the buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bytes_test_support.h"
#include "bytestreamreader.h"
#include "commlogrecord.h"
#include "temp_folder_support.h"

namespace {

using testbytes::BufferOf;
using testbytes::BytesOf;

CCommLogRecord SampleRecord()
{
    CCommLogRecord record;
    record.m_nSeq = 5;
    record.m_nPort = 1;
    record.m_nKind = CCommLogRecord::KindReceive;
    record.m_time = SYSTEMTIME{2024, 1, 3, 3, 12, 34, 56, 789};
    const BYTE payload[] = {0x41, 0x42};
    record.SetPayload(payload, 2);
    return record;
}

void ExpectSameRecord(const CCommLogRecord& a, const CCommLogRecord& b)
{
    EXPECT_EQ(a.m_nSeq, b.m_nSeq);
    EXPECT_EQ(a.m_nPort, b.m_nPort);
    EXPECT_EQ(a.m_nKind, b.m_nKind);
    EXPECT_EQ(a.m_nSub, b.m_nSub);
    EXPECT_EQ(a.m_nMsgCode, b.m_nMsgCode);
    EXPECT_EQ(a.m_nSysError, b.m_nSysError);
    EXPECT_EQ(a.m_nRouteTarget, b.m_nRouteTarget);
    EXPECT_EQ(a.m_nReserved, b.m_nReserved);
    EXPECT_EQ(0, std::memcmp(&a.m_time, &b.m_time, sizeof(SYSTEMTIME)));
    EXPECT_EQ(BytesOf(a.m_data), BytesOf(b.m_data));
    EXPECT_EQ(a.m_dwPeerAddr, b.m_dwPeerAddr);
    EXPECT_EQ(a.m_nPeerPort, b.m_nPeerPort);
}

void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    ASSERT_TRUE(WriteWholeFile(path, bytes)) << path;
}

} // namespace

TEST(CommLogRecord, SerialisesToTheFixedBodyLayout)
{
    const std::vector<BYTE> expected = {
        0x05, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xE8, 0x07, 0x01, 0x00, 0x03, 0x00, 0x03, 0x00,
        0x0C, 0x00, 0x22, 0x00, 0x38, 0x00, 0x15, 0x03, 0x41, 0x42,
    };
    const CCommLogRecord record = SampleRecord();
    EXPECT_EQ(expected, BytesOf(record.ToBytes()));

    CCommLogRecord back(0, 7);
    ASSERT_EQ(1, back.FromBytes(static_cast<int>(expected.size()), expected.data()));
    ExpectSameRecord(record, back);
}

TEST(CommLogRecord, EveryFieldRoundTripsAndAnEmptyPayloadGivesFiftySixBytes)
{
    CCommLogRecord record(1, 4);
    record.m_nSeq = 9998;
    record.m_nKind = CCommLogRecord::KindMessage;
    record.m_nMsgCode = 20036;
    record.m_nSysError = -2;
    record.m_nRouteTarget = 2;
    record.m_nReserved = 0x12345678;
    record.m_dwPeerAddr = 0x0100007F;
    record.m_nPeerPort = 8080;
    record.m_time = SYSTEMTIME{1999, 12, 5, 31, 23, 59, 58, 999};
    EXPECT_EQ(4, record.m_nSub);

    const std::vector<BYTE> body = BytesOf(record.ToBytes());
    ASSERT_EQ(56u, body.size());
    CCommLogRecord back;
    ASSERT_EQ(1, back.FromBytes(56, body.data()));
    EXPECT_EQ(0, back.GetPayloadSize());
    ExpectSameRecord(record, back);
}

TEST(CommLogRecord, ShortBodyIsRefusedAndLeavesTheRecordUnchanged)
{
    const CCommLogRecord original = SampleRecord();
    CCommLogRecord record = original;
    const std::vector<BYTE> body(56, 0xEE);
    EXPECT_EQ(0, record.FromBytes(55, body.data()));
    EXPECT_EQ(0, record.FromBytes(0, body.data()));
    EXPECT_EQ(0, record.FromBytes(-1, body.data()));
    ExpectSameRecord(original, record);
}

TEST(CommLogRecord, ARecordFilledAgainKeepsNothingOfItsLastPayloadAndCopiesKeepTheirOwn)
{
    // Filled again with a payload of the same size, of another size, of none and of zeros.
    CCommLogRecord record = SampleRecord();
    const CCommLogRecord before = record;
    const BYTE other[] = {0x43, 0x44};
    record.SetPayload(other, 2);
    EXPECT_EQ(std::vector<BYTE>({0x43, 0x44}), BytesOf(record.m_data));
    EXPECT_EQ(std::vector<BYTE>({0x41, 0x42}), BytesOf(before.m_data));
    record.SetPayload(nullptr, 2);
    EXPECT_EQ(std::vector<BYTE>({0x00, 0x00}), BytesOf(record.m_data));
    const std::vector<BYTE> body = BytesOf(before.ToBytes());
    ASSERT_EQ(1, record.FromBytes(static_cast<int>(body.size()), body.data()));
    EXPECT_EQ(std::vector<BYTE>({0x41, 0x42}), BytesOf(record.m_data));
    ASSERT_EQ(1, record.FromBytes(56, body.data()));
    EXPECT_EQ(0, record.GetPayloadSize());
    // A payload handed over as a buffer with another lower bound is replaced, not refilled.
    SAFEARRAYBOUND bound = {2, 5};
    COleSafeArray shifted;
    shifted.Create(VT_UI1, 1, &bound);
    record.SetPayload(shifted);
    record.SetPayload(other, 2);
    long lower = -1;
    record.m_data.GetLBound(1, &lower);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(std::vector<BYTE>({0x43, 0x44}), BytesOf(record.m_data));
}

TEST(CommLogRecord, DefaultsAndDeepCopies)
{
    const CCommLogRecord fresh;
    EXPECT_EQ(-1, fresh.m_nPeerPort);
    EXPECT_EQ(0, fresh.GetPayloadSize());
    EXPECT_EQ(0, fresh.m_nSeq);
    EXPECT_EQ(0u, fresh.m_dwPeerAddr);
    const CCommLogRecord second(1, 3);
    EXPECT_EQ(1, second.m_nPort);
    EXPECT_EQ(3, second.m_nSub);
    EXPECT_EQ(-1, second.m_nPeerPort);

    const CCommLogRecord original = SampleRecord();
    CCommLogRecord copy(original);
    CCommLogRecord assigned;
    assigned = original;
    for (CCommLogRecord* changed : {&copy, &assigned}) {
        void* p = nullptr;
        changed->m_data.AccessData(&p);
        static_cast<BYTE*>(p)[0] = 0x7A;
        changed->m_data.UnaccessData();
    }
    EXPECT_EQ((std::vector<BYTE>{0x41, 0x42}), BytesOf(original.m_data));
    EXPECT_EQ((std::vector<BYTE>{0x7A, 0x42}), BytesOf(copy.m_data));
    EXPECT_EQ((std::vector<BYTE>{0x7A, 0x42}), BytesOf(assigned.m_data));
}

TEST(ByteStreamReader, StringsStopAtZeroButConsumeTheirLength)
{
    CByteStreamReader reader(BufferOf({0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62}));
    EXPECT_EQ(CString(""), reader.ReadString());
    EXPECT_EQ(7u, reader.GetRemaining());
    EXPECT_EQ(CString("a"), reader.ReadString());
    EXPECT_EQ(0u, reader.GetRemaining());
    EXPECT_FALSE(reader.HasFailed());

    // Past the end: nothing is taken, the failure is remembered.
    EXPECT_EQ(CString(""), reader.ReadString());
    EXPECT_TRUE(reader.HasFailed());
    BYTE sentinel[2] = {0xA5, 0xA5};
    EXPECT_FALSE(reader.ReadBytes(sentinel, 1));
    EXPECT_EQ(0xA5, sentinel[0]);
    EXPECT_EQ(0u, BytesOf(reader.ReadBlob()).size());
}

TEST(ByteStreamReader, LengthsThatRunPastTheEndTakeNothing)
{
    // Each length claims more than is left; a huge one would wrap a careless bound check and
    // make the reader copy far beyond its buffer.
    const std::vector<std::vector<BYTE>> cases = {
        {0x05, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63, 0x64},
        {0xFF, 0xFF, 0xFF, 0xFF, 0x61, 0x62},
        {0xFC, 0xFF, 0xFF, 0xFF, 0x61, 0x62},
        {0x00, 0x00, 0x00, 0x80},
        {0x01, 0x00, 0x00},
    };
    for (const auto& bytes : cases) {
        CByteStreamReader blobReader(BufferOf(bytes));
        EXPECT_EQ(0u, BytesOf(blobReader.ReadBlob()).size());
        EXPECT_TRUE(blobReader.HasFailed());
        EXPECT_EQ(bytes.size(), blobReader.GetRemaining());

        CByteStreamReader textReader(BufferOf(bytes));
        EXPECT_EQ(CString(""), textReader.ReadString());
        EXPECT_TRUE(textReader.HasFailed());
        EXPECT_EQ(bytes, BytesOf(textReader));
    }

    CByteStreamReader reader(BufferOf({1, 2, 3}));
    BYTE dest[8];
    std::memset(dest, 0xA5, sizeof(dest));
    EXPECT_FALSE(reader.ReadBytes(dest, 4));
    EXPECT_EQ(0xA5, dest[0]);
    EXPECT_EQ(3u, reader.GetRemaining());
    EXPECT_TRUE(reader.ReadBytes(dest, 3));
    EXPECT_EQ(3, dest[2]);
    EXPECT_EQ(0xA5, dest[3]);
    EXPECT_EQ(0u, reader.GetRemaining());
}

TEST(ByteStreamReader, BlobsAndBytesComeOffTheFront)
{
    CByteStreamReader reader(BufferOf({0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x10, 0x20, 0xAA, 0xBB}));
    EXPECT_EQ(0u, BytesOf(reader.ReadBlob()).size());
    EXPECT_EQ(8u, reader.GetRemaining());
    EXPECT_EQ((std::vector<BYTE>{0x10, 0x20}), BytesOf(reader.ReadBlob()));
    BYTE tail[2] = {};
    EXPECT_TRUE(reader.ReadBytes(tail, 2));
    EXPECT_EQ(0xAA, tail[0]);
    EXPECT_EQ(0xBB, tail[1]);
    EXPECT_EQ(0u, reader.GetRemaining());
    EXPECT_FALSE(reader.HasFailed());
}

TEST(ByteStreamReader, LoadFileReadsWholeFilesAndKeepsTheBufferOnFailure)
{
    TempFolder folder;
    const std::string path = folder.File("stream.bin");
    std::vector<BYTE> content(70000);
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<BYTE>(i * 7);
    WriteFileBytes(path, content);

    CByteStreamReader reader(BufferOf({9, 8, 7}));
    EXPECT_EQ(0, reader.LoadFile(folder.File("missing.bin").c_str()));
    EXPECT_EQ((std::vector<BYTE>{9, 8, 7}), BytesOf(reader));

    EXPECT_EQ(1, reader.LoadFile(path.c_str()));
    EXPECT_EQ(content, BytesOf(reader));

    WriteFileBytes(path, {});
    EXPECT_EQ(1, reader.LoadFile(path.c_str()));
    EXPECT_EQ(0u, reader.GetRemaining());

    reader = CByteStreamReader(BufferOf({1, 2}));
    reader.Clear();
    EXPECT_EQ(0u, reader.GetRemaining());
}
