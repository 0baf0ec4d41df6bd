// The saved-log and hourly-log readers fed mutated files, each record read then turned into
// the texts of a list row, a CSV line and a text entry as the log does with it.
#include <gtest/gtest.h>

#include <string>

#include "bytes_test_support.h"
#include "commlogrecord.h"
#include "commsetrecord.h"
#include "fuzzharness.h"
#include "logexport.h"
#include "logfiles.h"
#include "logstore.h"
#include "logtext.h"
#include "temp_folder_support.h"
#include "messagetext.h"
#include "winharness.h"

using fuzz::Bytes;
using fuzz::Seed;

namespace {


Bytes FileBytes(const std::string& path)
{
    CFile file;
    Bytes bytes;
    if (file.Open(path.c_str(), CFile::modeRead)) {
        bytes.resize(static_cast<size_t>(file.GetLength()));
        if (!bytes.empty())
            bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
        file.Close();
    }
    return bytes;
}

std::vector<CCommLogRecord> SomeRecords()
{
    std::vector<CCommLogRecord> records;
    SYSTEMTIME time = {2024, 5, 3, 9, 14, 30, 15, 250};
    const char text[] = "hello\r\n";
    for (int i = 0; i < 4; ++i) {
        CCommLogRecord record(i % 2, 0);
        record.m_nSeq = i;
        record.m_time = time;
        record.m_nKind = i % 3;
        record.m_nMsgCode = i == 0 ? 20001 : 0;
        record.SetPayload(reinterpret_cast<const BYTE*>(text), i == 3 ? 0 : static_cast<int>(sizeof(text)) - i);
        records.push_back(record);
    }
    return records;
}

// The length words and the boundaries of a log file: header, each length word, each body's
// fixed part, each record's end.
Seed LogSeed(Bytes bytes)
{
    Seed seed;
    seed.bytes = std::move(bytes);
    seed.boundaries = {0, 4, 32};
    size_t at = 32;
    while (at + 4 <= seed.bytes.size()) {
        const DWORD n = fuzz::Get32(seed.bytes, at);
        seed.lengthFields.push_back(at);
        seed.boundaries.push_back(at + 4);
        seed.boundaries.push_back(at + 4 + CCommLogRecord::kBodyHeaderSize);
        at += 4 + n;
        seed.boundaries.push_back(at);
    }
    return seed;
}

Seed SavedLogSeed(const TempFolder& folder)
{
    const std::vector<CCommLogRecord> records = SomeRecords();
    size_t next = 0;
    const std::string path = folder.File("saved.mqt");
    EXPECT_TRUE(WriteLogFileRecords(path.c_str(), [&]() -> const CCommLogRecord* {
        return next < records.size() ? &records[next++] : nullptr;
    }));
    return LogSeed(FileBytes(path));
}

Seed HourlyLogSeed(const TempFolder& folder)
{
    std::vector<CCommLogRecord> records = SomeRecords();
    for (const CCommLogRecord& record : records)
        EXPECT_TRUE(AppendHourlyLogRecord(folder.Path().c_str(), "fz", record));
    return LogSeed(FileBytes(HourlyLogPath(folder.Path().c_str(), "fz", records[0].m_time).GetString()));
}

bool ReadLog(const BYTE* p, size_t n)
{
    static CCommSetRecord s_set = [] {
        CCommSetRecord set;
        for (int& flags : set.m_nDisplayFlags)
            flags = LogFlagListed | LogFlagByteCount | LogFlagHexDigest | LogFlagAsciiDigest;
        return set;
    }();
    int position = 0;
    const LogFileReadResult result = ReadLogRecords(p, static_cast<DWORD>(n), [&](const CCommLogRecord& record) {
        CLogRowTexts texts;
        BuildLogRowTexts(record, s_set, texts);
        LogCsvLine(record, position, s_set);
        LogTextEntry(record, position);
        COLORREF text, back;
        LogRowColors(s_set, record, text, back);
        ++position;
    });
    return result == LogFileReadOk;
}

} // namespace

TEST(FuzzLog, SavedAndHourlyLogFiles)
{
    TempFolder folder;
    const std::vector<Seed> seeds = {SavedLogSeed(folder), HourlyLogSeed(folder)};
    ASSERT_EQ(4u, seeds[0].lengthFields.size());
    ASSERT_EQ(4u, seeds[1].lengthFields.size());
    fuzz::RunResult result = fuzz::Run("log files", seeds, fuzz::InputCount(3000), ReadLog);
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
    EXPECT_GT(result.refused, 0);
}

// The log keeps the first record of a file whose second length is 0xFFFFFFF0, and says the
// file is damaged, without asking for memory the file cannot fill.
TEST(FuzzLog, SecondRecordLengthNearFourGigabytesKeepsTheFirstRecord)
{
    TempFolder folder;
    Seed seed = SavedLogSeed(folder);
    fuzz::Put32(seed.bytes, seed.lengthFields[1], 0xFFFFFFF0);
    const std::string path = folder.File("damaged.mqt");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(seed.bytes.data(), static_cast<UINT>(seed.bytes.size()));
    }
    winharness::ScriptedPrompts prompts;
    CLogStore store;
    BOOL read = TRUE;
    const std::vector<std::string> over = fuzz::WithCeiling(64 * 1024, [&] { read = store.ReadLogFile(path.c_str()); });
    EXPECT_TRUE(over.empty()) << testing::PrintToString(over);
    EXPECT_FALSE(read);
    EXPECT_EQ(1, store.GetRecordCount());
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_NE(std::string::npos, prompts.records[0].text.find(GetMessageText(13007).GetString()));
}
