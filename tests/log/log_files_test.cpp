// Saved logs and hourly real-time logs: exact bytes, reading back, damaged and foreign files,
// and hourly files that must never be truncated.
#include "log_test_support.h"

#include <psapi.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "logfiles.h"
#include "winharness.h"

using namespace logtest;

namespace {

std::vector<BYTE> Header()
{
    std::vector<BYTE> bytes(32, 0);
    bytes[0] = 100;
    return bytes;
}

void AppendBody(std::vector<BYTE>& file, const CCommLogRecord& record)
{
    const std::vector<BYTE> body = BytesOf(record.ToBytes());
    const DWORD n = static_cast<DWORD>(body.size());
    const BYTE length[4] = {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
    file.insert(file.end(), length, length + 4);
    file.insert(file.end(), body.begin(), body.end());
}

void ExpectSameContent(const CCommLogRecord& a, const CCommLogRecord& b)
{
    EXPECT_EQ(a.m_nPort, b.m_nPort);
    EXPECT_EQ(a.m_nKind, b.m_nKind);
    EXPECT_EQ(a.m_nSub, b.m_nSub);
    EXPECT_EQ(a.m_nMsgCode, b.m_nMsgCode);
    EXPECT_EQ(a.m_nSysError, b.m_nSysError);
    EXPECT_EQ(0, std::memcmp(&a.m_time, &b.m_time, sizeof(SYSTEMTIME)));
    EXPECT_EQ(BytesOf(a.m_data), BytesOf(b.m_data));
    EXPECT_EQ(a.m_nPeerPort, b.m_nPeerPort);
}

class SavedLog : public LogStoreTest
{
protected:
    std::string Path() const { return folder.File("saved.mqt"); }

    void ExpectOnlyPrompt(int code)
    {
        ASSERT_EQ(1u, prompts.seen.size());
        EXPECT_EQ(MessageText(code), prompts.seen[0].text);
        EXPECT_EQ(UINT(MB_ICONSTOP), prompts.seen[0].type & MB_ICONMASK);
        prompts.seen.clear();
    }
};

TEST_F(SavedLog, WrittenRecordsReadBackIdentical)
{
    CCommLogRecord message = Message(0, 20003, Text("COM3"));
    message.m_nSysError = 2;
    CCommLogRecord send = Record(1, CCommLogRecord::KindSend, {0x00, 0xFF, 0x10}, Time(2023, 12, 31, 23, 59, 59, 999));
    send.m_nSub = 2;
    CCommLogRecord receive = Record(0, CCommLogRecord::KindReceive, std::vector<BYTE>(300, 0x55));
    store.AppendLogRecord(message);
    store.AppendLogRecord(send);
    store.AppendLogRecord(receive);

    ASSERT_TRUE(store.WriteLogFile(Path().c_str()));
    EXPECT_TRUE(prompts.seen.empty());
    const std::vector<BYTE> file = ReadFileBytes(Path());
    ASSERT_GE(file.size(), 32u);
    EXPECT_EQ(Header(), std::vector<BYTE>(file.begin(), file.begin() + 32));

    // The log is read into a fresh store: numbers start at 0 again.
    CLogStore other;
    CAppSettings otherSettings;
    other.SetSources(&otherSettings, &set);
    ASSERT_TRUE(other.ReadLogFile(Path().c_str()));
    EXPECT_TRUE(prompts.seen.empty());
    ASSERT_EQ(3, other.GetRecordCount());
    ExpectSameContent(message, other.GetRecord(0));
    ExpectSameContent(send, other.GetRecord(1));
    ExpectSameContent(receive, other.GetRecord(2));
    EXPECT_EQ(0, other.GetRecord(0).m_nSeq);
    EXPECT_EQ(2, other.GetRecord(2).m_nSeq);
}

TEST_F(SavedLog, ManyRecordsOfEverySizeReadBackInOrderAcrossTheReadersPieces)
{
    // Bodies of many sizes (none, a few bytes, larger than one piece of the reader) so that
    // length words and bodies fall across the pieces the file is read in; records of the
    // same size follow each other, so a record read into the buffer of the one before it
    // must still come out with its own bytes.
    std::vector<CCommLogRecord> written;
    for (int i = 0; i < 3000; ++i) {
        const size_t size = i == 1000 || i == 2000 ? 70000 + i : static_cast<size_t>((i / 3) % 97);
        std::vector<BYTE> payload(size);
        for (size_t j = 0; j < size; ++j)
            payload[j] = static_cast<BYTE>(i * 7 + j);
        written.push_back(Record(i & 1, 1 + (i & 1), payload, Time(2024, 1, 3, 12, i % 60, i % 60, i % 1000)));
        written.back().m_nSeq = i;
    }
    size_t next = 0;
    ASSERT_TRUE(WriteLogFileRecords(Path().c_str(), [&]() -> const CCommLogRecord* {
        return next < written.size() ? &written[next++] : nullptr;
    }));
    std::vector<CCommLogRecord> read;
    EXPECT_EQ(LogFileReadOk, ReadLogFileRecords(Path().c_str(), [&](const CCommLogRecord& r) { read.push_back(r); }));
    ASSERT_EQ(written.size(), read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written[i].m_nSeq, read[i].m_nSeq);
        ExpectSameContent(written[i], read[i]);
    }
}

TEST_F(SavedLog, RecordIsStoredAsItsLengthAndBody)
{
    CCommLogRecord record = Record(1, CCommLogRecord::KindReceive, {0x41, 0x42});  // a 58-byte body
    store.AppendLogRecord(record);
    ASSERT_TRUE(store.WriteLogFile(Path().c_str()));

    std::vector<BYTE> expected = Header();
    const BYTE length[4] = {0x3A, 0, 0, 0};
    expected.insert(expected.end(), length, length + 4);
    const std::vector<BYTE> body = BytesOf(store.GetRecord(0).ToBytes());
    ASSERT_EQ(58u, body.size());
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(expected, ReadFileBytes(Path()));
}

TEST_F(SavedLog, HeaderOnlyFileIsAnEmptyLogWithoutMessage)
{
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    WriteFileBytes(Path(), Header());
    EXPECT_TRUE(store.ReadLogFile(Path().c_str()));
    EXPECT_EQ(0, store.GetRecordCount());
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(SavedLog, FileCutInsideALengthWordKeepsTheCompleteRecords)
{
    std::vector<BYTE> file = Header();
    AppendBody(file, Record(0, CCommLogRecord::KindSend, {1}));
    AppendBody(file, Record(0, CCommLogRecord::KindSend, {2}));
    file.push_back(0x39);
    file.push_back(0x00);
    WriteFileBytes(Path(), file);

    EXPECT_FALSE(store.ReadLogFile(Path().c_str()));
    EXPECT_EQ(2, store.GetRecordCount());
    ExpectOnlyPrompt(13007);
}

TEST_F(SavedLog, FileCutInsideABodyKeepsTheCompleteRecords)
{
    std::vector<BYTE> file = Header();
    AppendBody(file, Record(0, CCommLogRecord::KindSend, {1}));
    AppendBody(file, Record(0, CCommLogRecord::KindSend, {2, 3, 4}));
    file.resize(file.size() - 2);
    WriteFileBytes(Path(), file);

    EXPECT_FALSE(store.ReadLogFile(Path().c_str()));
    ASSERT_EQ(1, store.GetRecordCount());
    EXPECT_EQ(std::vector<BYTE>{1}, BytesOf(store.GetRecord(0).m_data));
    ExpectOnlyPrompt(13007);
}

TEST_F(SavedLog, DamagedLengthsAreRefusedWithoutReadingOrAllocatingThem)
{
    const DWORD lengths[] = {0, 55, 0x7FFFFFFF, 0xFFFFFFF0};
    for (DWORD n : lengths) {
        std::vector<BYTE> file = Header();
        AppendBody(file, Record(0, CCommLogRecord::KindSend, {1}));
        const BYTE length[4] = {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
        file.insert(file.end(), length, length + 4);
        file.insert(file.end(), 60, 0);
        WriteFileBytes(Path(), file);

        EXPECT_FALSE(store.ReadLogFile(Path().c_str())) << n;
        EXPECT_EQ(1, store.GetRecordCount()) << n;
        ExpectOnlyPrompt(13007);
    }
}

TEST_F(SavedLog, LengthBeyondTheFileAllocatesNothing)
{
    std::vector<BYTE> file = Header();
    const DWORD n = 300 * 1024 * 1024;
    const BYTE length[4] = {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
    file.insert(file.end(), length, length + 4);
    file.insert(file.end(), 100, 0);
    WriteFileBytes(Path(), file);

    typedef BOOL(WINAPI * MemoryInfoFn)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    const MemoryInfoFn memoryInfo = reinterpret_cast<MemoryInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    ASSERT_NE(nullptr, memoryInfo);
    PROCESS_MEMORY_COUNTERS before = {};
    ASSERT_TRUE(memoryInfo(GetCurrentProcess(), &before, sizeof(before)));
    EXPECT_FALSE(store.ReadLogFile(Path().c_str()));
    PROCESS_MEMORY_COUNTERS after = {};
    ASSERT_TRUE(memoryInfo(GetCurrentProcess(), &after, sizeof(after)));
    EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + 100 * 1024 * 1024);
    ExpectOnlyPrompt(13007);
}

TEST_F(SavedLog, ForeignFilesAreRefused)
{
    std::vector<BYTE> file = Header();
    file[0] = 101;
    WriteFileBytes(Path(), file);
    EXPECT_FALSE(store.ReadLogFile(Path().c_str()));
    ExpectOnlyPrompt(13007);

    WriteFileBytes(Path(), std::vector<BYTE>(31, 0));
    EXPECT_FALSE(store.ReadLogFile(Path().c_str()));
    ExpectOnlyPrompt(13007);

    EXPECT_FALSE(store.ReadLogFile(folder.File("missing.mqt").c_str()));
    ExpectOnlyPrompt(13007);
}

TEST_F(SavedLog, RefusedFileLeavesTheCurrentLogAndItsRows)
{
    for (int i = 0; i < 5; ++i)
        store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {BYTE(i)}));
    store.SetShownSeq(3);
    const std::vector<BYTE> text = Text("not a log file, just some text\r\n", false);
    WriteFileBytes(Path(), text);

    EXPECT_FALSE(store.ReadLogFile(Path().c_str()));
    ExpectOnlyPrompt(13007);
    EXPECT_FALSE(store.ReadLogFile(folder.File("missing.mqt").c_str()));
    ExpectOnlyPrompt(13007);

    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), StoredSeqs());
    EXPECT_EQ(std::vector<BYTE>{4}, BytesOf(store.GetRecord(4).m_data));
    EXPECT_EQ(5u, mirror.rows.size());
    EXPECT_EQ(0, mirror.allDeleted);
    EXPECT_EQ(3, store.GetShownSeq());
    EXPECT_EQ(5, store.GetNextSeq());
}

TEST_F(SavedLog, FileWithMoreRecordsThanMaxLogKeepsTheLast)
{
    std::vector<BYTE> file = Header();
    for (int i = 0; i < 15; ++i)
        AppendBody(file, Record(0, CCommLogRecord::KindSend, {BYTE(i)}));
    WriteFileBytes(Path(), file);
    settings.m_nMaxLog = 10;

    ASSERT_TRUE(store.ReadLogFile(Path().c_str()));
    ASSERT_EQ(10, store.GetRecordCount());
    EXPECT_EQ(std::vector<BYTE>{5}, BytesOf(store.GetRecord(0).m_data));
    EXPECT_EQ(5, store.GetRecord(0).m_nSeq);
    EXPECT_EQ(10u, mirror.rows.size());
}

TEST_F(SavedLog, EmptyLogOrUncreatableFileShows13006)
{
    WriteFileBytes(Path(), {1, 2, 3});
    EXPECT_FALSE(store.WriteLogFile(Path().c_str()));
    ExpectOnlyPrompt(13006);
    // Refused before the file is created: an existing file keeps its bytes.
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), ReadFileBytes(Path()));

    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {1}));
    EXPECT_FALSE(store.WriteLogFile(folder.File("no\\such\\folder.mqt").c_str()));
    ExpectOnlyPrompt(13006);
}

// ---- Hourly real-time log.

class HourlyLog : public LogStoreTest
{
protected:
    HourlyLog() { settings.m_nAutoSave = 1; }

    // The records of an hourly file, or -1 when it is not a log file.
    int CountRecords(const std::string& path)
    {
        int count = 0;
        const LogFileReadResult result =
            ReadLogFileRecords(path.c_str(), [&count](const CCommLogRecord&) { ++count; });
        return result == LogFileReadOk ? count : -1;
    }

    // The payloads' first bytes of every log file of the folder whose name starts with the
    // hourly file's, as the program's reader loads them, file by file.
    std::vector<std::vector<int>> NumbersInFilesOfTheHour(const std::string& hourly)
    {
        std::vector<std::vector<int>> files;
        const std::string stem = hourly.substr(0, hourly.size() - 4);
        WIN32_FIND_DATAA found = {};
        const HANDLE hFind = FindFirstFileA((stem + "*.mqt").c_str(), &found);
        if (hFind == INVALID_HANDLE_VALUE)
            return files;
        do {
            CLogStore reader;
            EXPECT_TRUE(reader.ReadLogFile(folder.File(found.cFileName).c_str())) << found.cFileName;
            files.emplace_back();
            for (int i = 0; i < reader.GetRecordCount(); ++i)
                files.back().push_back(BytesOf(reader.GetRecord(i).m_data).at(0));
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
        return files;
    }

    // The files of the folder that hold nothing: the reader refuses them.
    std::vector<std::string> EmptyFiles()
    {
        std::vector<std::string> empty;
        WIN32_FIND_DATAA found = {};
        const HANDLE hFind = FindFirstFileA(folder.File("*").c_str(), &found);
        if (hFind == INVALID_HANDLE_VALUE)
            return empty;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.nFileSizeLow == 0 && found.nFileSizeHigh == 0)
                empty.push_back(found.cFileName);
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
        return empty;
    }

    // Opens the file as another program does, once the log has let go of it.
    static HANDLE OpenOnceLetGo(const std::string& path, DWORD access, DWORD share)
    {
        HANDLE h = INVALID_HANDLE_VALUE;
        winharness::PumpUntil([&] {
            h = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            return h != INVALID_HANDLE_VALUE;
        }, 10000);
        return h;
    }

    // Writes the file behind the log's back, once the log has let go of it.
    static void WriteOnceLetGo(const std::string& path, const std::vector<BYTE>& bytes)
    {
        CloseHandle(OpenOnceLetGo(path, GENERIC_WRITE, 0));
        WriteFileBytes(path, bytes);
    }
};

TEST_F(HourlyLog, RecordsGoToTheFileOfTheirHour)
{
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 59, 59, 999)));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {2}, Time(2024, 1, 3, 13, 0, 0, 0)));

    const std::string first = folder.File("AUTOSAVE2024010312.mqt");
    const std::string second = folder.File("AUTOSAVE2024010313.mqt");
    std::vector<BYTE> expected = Header();
    AppendBody(expected, store.GetRecord(0));
    EXPECT_EQ(expected, ReadFileBytes(first));
    expected = Header();
    AppendBody(expected, store.GetRecord(1));
    EXPECT_EQ(expected, ReadFileBytes(second));

    settings.m_strFilePrefix = "LOG_";
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {3}, Time(2024, 1, 3, 13, 30, 0, 0)));
    EXPECT_EQ(1, CountRecords(second));
    EXPECT_EQ(1, CountRecords(folder.File("LOG_2024010313.mqt")));
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(HourlyLog, NothingIsWrittenWhileAutomaticSavingIsOff)
{
    settings.m_nAutoSave = 0;
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 0, 0, 0)));
    EXPECT_FALSE(FileExists(folder.File("AUTOSAVE2024010312.mqt")));
}

TEST_F(HourlyLog, ExistingFileThatIsNotALogStaysByteIdentical)
{
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    std::vector<BYTE> foreign = Header();
    foreign[0] = 99;
    foreign.push_back(7);
    WriteFileBytes(path, foreign);
    WriteFileBytes(folder.File("AUTOSAVE2024010313.mqt"), {100, 0, 0});  // shorter than a header

    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 0, 0, 0)));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 13, 0, 0, 0)));

    EXPECT_EQ(foreign, ReadFileBytes(path));
    EXPECT_EQ((std::vector<BYTE>{100, 0, 0}), ReadFileBytes(folder.File("AUTOSAVE2024010313.mqt")));
    EXPECT_EQ(2, store.GetRecordCount());
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(HourlyLog, RecordsWaitWhileAnotherProgramHoldsTheFileAndGoInInOrderOnceItIsFree)
{
    // A reader that lets others read but not write (as `type` opens a file), and a program
    // that lets others write but not read: opening the file fails while either holds it,
    // although creating it anew would succeed and empty it.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    const DWORD shares[] = {FILE_SHARE_READ, FILE_SHARE_WRITE};
    int minute = 0;
    for (DWORD share : shares) {
        SCOPED_TRACE(share);
        store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(minute)}, Time(2024, 1, 3, 12, minute, 0, 0)));
        ++minute;
        const std::vector<BYTE> before = ReadFileBytes(path);
        const HANDLE hHeld = OpenOnceLetGo(path, GENERIC_READ, share);
        ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
        for (int i = 0; i < 5; ++i, ++minute)
            store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(minute)}, Time(2024, 1, 3, 12, minute, 0, 0)));
        CloseHandle(hHeld);
        EXPECT_EQ(before, ReadFileBytes(path));
        // In as soon as the file is free, without another record to bring them.
        EXPECT_TRUE(winharness::PumpUntil([&] { return CountRecords(path) == minute; }, 10000)) << CountRecords(path);
    }
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(minute)}, Time(2024, 1, 3, 12, minute, 0, 0)));
    std::vector<BYTE> expected = Header();
    for (int i = 0; i < store.GetRecordCount(); ++i)
        AppendBody(expected, store.GetRecord(i));
    EXPECT_EQ(expected, ReadFileBytes(path));
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(HourlyLog, ASteadyFloodLetsGoOfTheFileEveryTenthOfASecond)
{
    // Records that keep coming leave the thread no idle moment for the timer's tick: the file
    // is let go between two records all the same, so that a reader denying writers gets in
    // during the flood (under Wine, every open of a file whose lock is held also keeps a
    // descriptor of the Wine server until the lock goes). No message is pumped here.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    CHourlyLogAppender appender;
    std::vector<BYTE> expected = Header();
    auto append = [&](int n) {
        const CCommLogRecord record =
            Record(0, CCommLogRecord::KindReceive, {BYTE(n), BYTE(n >> 8)}, Time(2024, 1, 3, 12, n % 60, 0, 0));
        AppendBody(expected, record);
        appender.Append(folder.Path().c_str(), "AUTOSAVE", record);
    };
    HANDLE hReader = INVALID_HANDLE_VALUE;
    int n = 0;
    const DWORD dwStart = GetTickCount();
    while (hReader == INVALID_HANDLE_VALUE && GetTickCount() - dwStart < 5000) {
        append(n++);
        Sleep(2);
        hReader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ASSERT_NE(INVALID_HANDLE_VALUE, hReader) << "held through " << n << " records";
    // The records that come while the reader holds the file wait, and go in after it.
    for (int i = 0; i < 3; ++i)
        append(n++);
    CloseHandle(hReader);
    appender.Release();
    EXPECT_EQ(expected, ReadFileBytes(path));
}

TEST_F(HourlyLog, HeldFileIsNotHandedToAChildProcess)
{
    // The command tool's interpreter, and a script's os.execute or io.popen, are started with
    // the program's inheritable handles: one to the held file would hold it for their life.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    CHourlyLogAppender appender;
    ASSERT_TRUE(appender.Append(folder.Path().c_str(), "AUTOSAVE",
                                Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 0, 0, 0))));
    char szInterpreter[MAX_PATH + 16] = "";
    GetSystemDirectoryA(szInterpreter, MAX_PATH);
    lstrcatA(szInterpreter, "\\cmd.exe");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(szInterpreter, nullptr, nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                               &si, &child));
    appender.Release();

    // No one else holds the file for writing: a reader that lets others only read gets in.
    const HANDLE hReader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, hReader);
    CloseHandle(hReader);
    EXPECT_TRUE(appender.Append(folder.Path().c_str(), "AUTOSAVE",
                                Record(0, CCommLogRecord::KindReceive, {2}, Time(2024, 1, 3, 12, 1, 0, 0))));
    appender.Release();
    EXPECT_EQ(2, CountRecords(path));

    TerminateProcess(child.hProcess, 0);
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

TEST_F(HourlyLog, WhatWaitsIsBoundedAndRecordsGoInAgainOnceItIsWritten)
{
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    WriteFileBytes(path, Header());
    const HANDLE hHeld = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    CHourlyLogAppender appender;
    const std::vector<BYTE> mebibyte(1 << 20, 0x5A);
    int count = 0;
    while (appender.GetWaitingBytes() + 2 * mebibyte.size() <= CHourlyLogAppender::kWaitingMax) {
        EXPECT_FALSE(appender.Append(folder.Path().c_str(), "AUTOSAVE",
                                     Record(0, CCommLogRecord::KindReceive, mebibyte, Time(2024, 1, 3, 12, 0, count, 0))));
        ++count;
    }
    const size_t waiting = appender.GetWaitingBytes();
    // One more fits; the next is not kept.
    appender.Append(folder.Path().c_str(), "AUTOSAVE", Record(0, CCommLogRecord::KindReceive, mebibyte, Time(2024, 1, 3, 12, 1, 0, 0)));
    ++count;
    EXPECT_GT(appender.GetWaitingBytes(), waiting);
    const size_t full = appender.GetWaitingBytes();
    appender.Append(folder.Path().c_str(), "AUTOSAVE", Record(0, CCommLogRecord::KindReceive, mebibyte, Time(2024, 1, 3, 12, 2, 0, 0)));
    EXPECT_EQ(full, appender.GetWaitingBytes());
    CloseHandle(hHeld);

    EXPECT_TRUE(appender.Append(folder.Path().c_str(), "AUTOSAVE",
                                Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 3, 0, 0))));
    EXPECT_EQ(0u, appender.GetWaitingBytes());
    appender.Release();
    EXPECT_EQ(count + 1, CountRecords(path));
}

// Called once by the writer below before it writes the last bytes.
std::function<void()> g_beforeTheLastBytes;

// Writes all but the last few bytes of what it is given, lets the test look, then the rest.
void WriteTheLastBytesAfterALook(CFile& file, const void* pData, UINT nCount)
{
    const UINT nFirst = nCount > 5 ? nCount - 5 : 0;
    file.Write(pData, nFirst);
    const std::function<void()> look = std::move(g_beforeTheLastBytes);
    g_beforeTheLastBytes = nullptr;
    if (look)
        look();
    file.Write(static_cast<const BYTE*>(pData) + nFirst, nCount - nFirst);
}

TEST_F(HourlyLog, TwoAppendersWriteOneFileWholeRecordsEachInItsOrderWhileTheReaderReadsIt)
{
    // Two instances of the program with the same folder and prefix.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    CHourlyLogAppender appenders[2];
    const int kEach = 20;
    int wholeWhenRead = -1;
    const LogFileWriteFn previous = SetLogFileWriter(nullptr);
    // Each sends a line every 20 ms, and its timer ticks between.
    for (int i = 0; i < kEach; ++i) {
        // The program's reader reads the file while a record is being written.
        if (i == 1) {
            SetLogFileWriter(WriteTheLastBytesAfterALook);
            g_beforeTheLastBytes = [&] {
                EXPECT_TRUE(store.ReadLogFile(path.c_str()));
                wholeWhenRead = store.GetRecordCount();
            };
        }
        for (int which = 0; which < 2; ++which) {
            appenders[which].Append(folder.Path().c_str(), "AUTOSAVE",
                                    Record(which, CCommLogRecord::KindReceive, {BYTE(which), BYTE(i)},
                                           Time(2024, 1, 3, 12, i, which, 0)));
        }
        winharness::PumpFor(20);
    }
    EXPECT_TRUE(winharness::PumpUntil([&] { return CountRecords(path) == 2 * kEach; }, 10000)) << CountRecords(path);
    SetLogFileWriter(previous);
    g_beforeTheLastBytes = nullptr;
    EXPECT_GE(wholeWhenRead, 1);
    EXPECT_TRUE(prompts.seen.empty());

    std::vector<int> next(2, 0);
    int count = 0;
    EXPECT_EQ(LogFileReadOk, ReadLogFileRecords(path.c_str(), [&](const CCommLogRecord& record) {
        const std::vector<BYTE> payload = BytesOf(record.m_data);
        ASSERT_EQ(2u, payload.size());
        EXPECT_EQ(next[payload[0]]++, payload[1]);
        ++count;
    }));
    EXPECT_EQ(2 * kEach, count);
}

TEST_F(HourlyLog, MissingFolderIsSilent)
{
    settings.m_strPath = folder.File("absent").c_str();
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 0, 0, 0)));
    EXPECT_EQ(1, store.GetRecordCount());
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(HourlyLog, RefreshingAndReadingALogDoNotWriteTheHourlyFile)
{
    const std::string hourly = folder.File("AUTOSAVE2024010312.mqt");
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 0, 0, 0)));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindSend, {2}, Time(2024, 1, 3, 12, 0, 1, 0)));
    ASSERT_EQ(2, CountRecords(hourly));

    store.RefreshList();
    EXPECT_EQ(2, CountRecords(hourly));

    const std::string saved = folder.File("saved.mqt");
    ASSERT_TRUE(store.WriteLogFile(saved.c_str()));
    ASSERT_TRUE(store.ReadLogFile(saved.c_str()));
    EXPECT_EQ(2, store.GetRecordCount());
    EXPECT_EQ(2, CountRecords(hourly));
    // Reading the hourly file itself does not grow it either.
    ASSERT_TRUE(store.ReadLogFile(hourly.c_str()));
    EXPECT_EQ(2, CountRecords(hourly));
}

// Writes the first half of what it is given, then reports a full disk.
void WriteHalfThenFail(CFile& file, const void* pData, UINT nCount)
{
    file.Write(pData, nCount / 2);
    AfxThrowFileException(CFileException::diskFull);
}

TEST_F(HourlyLog, AppendThatFailsPartWayLeavesEveryRecordReadable)
{
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 12, 0, 0, 0)));
    const std::vector<BYTE> before = ReadFileBytes(path);

    const LogFileWriteFn previous = SetLogFileWriter(WriteHalfThenFail);
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {2, 2, 2}, Time(2024, 1, 3, 12, 1, 0, 0)));
    SetLogFileWriter(previous);
    EXPECT_EQ(before, ReadFileBytes(path));

    // The appender knows where the file it cut back ends, and does not walk the records before
    // it again: a length word changed behind its back (and put back after) goes unseen.
    std::vector<BYTE> changed = before;
    changed[32] = 0xFF;
    WriteOnceLetGo(path, changed);
    for (int i = 0; i < 10; ++i)
        store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {BYTE(10 + i)}, Time(2024, 1, 3, 12, 2, 0, 0)));
    std::vector<BYTE> after = ReadFileBytes(path);
    ASSERT_GT(after.size(), 32u);
    after[32] = before[32];
    WriteOnceLetGo(path, after);
    // The record that failed went in first, once the file could be written.
    std::vector<BYTE> expected = Header();
    for (int i = 0; i < 12; ++i)
        AppendBody(expected, store.GetRecord(i));
    EXPECT_EQ(expected, ReadFileBytes(path));

    // A new hour's file whose header could not be written is not left behind as a foreign
    // file: it holds nothing until its records go in.
    const std::string next = folder.File("AUTOSAVE2024010313.mqt");
    SetLogFileWriter(WriteHalfThenFail);
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {3}, Time(2024, 1, 3, 13, 0, 0, 0)));
    SetLogFileWriter(previous);
    EXPECT_TRUE(ReadFileBytes(next).empty());
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {4}, Time(2024, 1, 3, 13, 1, 0, 0)));
    EXPECT_EQ(2, CountRecords(next));
    EXPECT_TRUE(prompts.seen.empty());
}

// Restores the log files' writer when asked, as a user frees the disk before answering.
class FreeingTheDisk : public CPromptHook
{
public:
    explicit FreeingTheDisk(LogFileWriteFn writer) : m_writer(writer) { m_pOld = AfxSetPromptHook(this); }
    ~FreeingTheDisk() override { AfxSetPromptHook(m_pOld); }

    int MessageBox(HWND, LPCSTR lpszText, LPCSTR, UINT nType) override
    {
        seen.push_back({lpszText, nType});
        SetLogFileWriter(m_writer);
        return IDRETRY;
    }

    std::vector<PromptSeen> seen;

private:
    LogFileWriteFn m_writer;
    CPromptHook* m_pOld;
};

TEST_F(HourlyLog, WhatWaitsAtTheEndGoesBesideItsHeldFileOnlyWhatCanGoNowhereIsAskedAboutAndNoFileIsLeftEmpty)
{
    // The program ends while a reader denying writers still holds the hour's file: every record
    // is afterwards in a log file of the folder named after it, each file in order, and once.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    HANDLE hHeld = INVALID_HANDLE_VALUE;
    {
        CHourlyLogAppender appender;
        for (int i = 0; i < 30; ++i) {
            if (i == 10)
                hHeld = OpenOnceLetGo(path, GENERIC_READ, FILE_SHARE_READ);
            appender.Append(folder.Path().c_str(), "AUTOSAVE",
                            Record(0, CCommLogRecord::KindReceive, {BYTE(i)}, Time(2024, 1, 3, 12, i, 0, 0)));
        }
        ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
        EXPECT_NE(0u, appender.GetWaitingBytes());
    }
    const std::vector<std::vector<int>> heldHour = NumbersInFilesOfTheHour(path);
    std::vector<int> all;
    for (const std::vector<int>& numbers : heldHour) {
        EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
        all.insert(all.end(), numbers.begin(), numbers.end());
    }
    std::sort(all.begin(), all.end());
    std::vector<int> expected(30);
    for (int i = 0; i < 30; ++i)
        expected[i] = i;
    EXPECT_EQ(expected, all);

    // A full disk takes them nowhere: the end asks, naming their file, and tries again. What
    // the disk refused leaves no file behind: an empty one is a log file the reader refuses.
    const std::string next = folder.File("AUTOSAVE2024010313.mqt");
    const LogFileWriteFn previous = SetLogFileWriter(WriteHalfThenFail);
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 13, 0, 0, 0)));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {2}, Time(2024, 1, 3, 13, 1, 0, 0)));
    {
        FreeingTheDisk answer(previous);
        store.CloseRealtimeLog();
        ASSERT_EQ(1u, answer.seen.size());
        EXPECT_EQ(next + "\n" + MessageText(13006), answer.seen[0].text);
        EXPECT_EQ(UINT(MB_RETRYCANCEL), answer.seen[0].type & MB_TYPEMASK);
    }
    EXPECT_EQ(2, CountRecords(next));
    EXPECT_TRUE(prompts.seen.empty());
    EXPECT_EQ(std::vector<std::string>(), EmptyFiles());

    // Given up: a record of a new hour, and one of the held hour, whose pending file keeps what
    // the first end put there through the append that fails.
    SetLogFileWriter(WriteHalfThenFail);
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {30}, Time(2024, 1, 3, 12, 59, 0, 0)));
    store.AppendLogRecord(Record(0, CCommLogRecord::KindReceive, {1}, Time(2024, 1, 3, 14, 0, 0, 0)));
    prompts.answers.push_back(IDCANCEL);
    store.CloseRealtimeLog();
    SetLogFileWriter(previous);
    EXPECT_EQ(1u, prompts.seen.size());
    CloseHandle(hHeld);
    EXPECT_EQ(heldHour, NumbersInFilesOfTheHour(path));
    EXPECT_EQ(std::vector<std::string>(), EmptyFiles());
}

TEST_F(HourlyLog, AnAppenderEndingWhileAnotherHoldsTheFileGetsItsRecordsInOnceTheOtherLetsGo)
{
    // Two instances of the program: the other holds the file after its record, and its next
    // record comes a while after this one has begun to end.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    const HANDLE hHolding = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE hEnding = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE hEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        CHourlyLogAppender appender;
        appender.Append(folder.Path().c_str(), "AUTOSAVE",
                        Record(1, CCommLogRecord::KindReceive, {1, 0}, Time(2024, 1, 3, 12, 0, 0, 0)));
        SetEvent(hHolding);
        WaitForSingleObject(hEnding, INFINITE);
        Sleep(300);
        appender.Append(folder.Path().c_str(), "AUTOSAVE",
                        Record(1, CCommLogRecord::KindReceive, {1, 1}, Time(2024, 1, 3, 12, 0, 1, 0)));
        // The appenders' timers are listed for the one thread that the program has.
        WaitForSingleObject(hEnded, INFINITE);
    });
    WaitForSingleObject(hHolding, INFINITE);
    {
        CHourlyLogAppender appender;
        for (int i = 0; i < 5; ++i) {
            EXPECT_FALSE(appender.Append(folder.Path().c_str(), "AUTOSAVE",
                                         Record(0, CCommLogRecord::KindReceive, {0, BYTE(i)},
                                                Time(2024, 1, 3, 12, 1, i, 0))));
        }
        SetEvent(hEnding);
    }
    SetEvent(hEnded);
    other.join();
    for (HANDLE h : {hHolding, hEnding, hEnded})
        CloseHandle(h);
    std::vector<int> next(2, 0);
    EXPECT_EQ(LogFileReadOk, ReadLogFileRecords(path.c_str(), [&](const CCommLogRecord& record) {
        const std::vector<BYTE> payload = BytesOf(record.m_data);
        EXPECT_EQ(next[payload.at(0)]++, payload.at(1));
    }));
    EXPECT_EQ((std::vector<int>{5, 2}), next);
}

TEST_F(HourlyLog, TornTailIsCutBackToTheLastWholeRecordBeforeAppending)
{
    // Whole records, then a record torn by a crash: its length word promises more than follows.
    const std::string path = folder.File("AUTOSAVE2024010312.mqt");
    std::vector<BYTE> file = Header();
    // The middle record is larger than the pieces the file is walked in.
    for (int i = 0; i < 3; ++i)
        AppendBody(file, Record(0, CCommLogRecord::KindReceive, std::vector<BYTE>(i == 1 ? 100000 : 1, BYTE(i)),
                                Time(2024, 1, 3, 12, 0, i, 0)));
    const std::vector<BYTE> whole = file;
    AppendBody(file, Record(0, CCommLogRecord::KindReceive, std::vector<BYTE>(100, 0xEE)));
    file.resize(file.size() - 40);
    WriteFileBytes(path, file);

    // The reader meets the tear after the whole records and says so.
    EXPECT_FALSE(store.ReadLogFile(path.c_str()));
    ASSERT_EQ(1u, prompts.seen.size());
    EXPECT_EQ(MessageText(13007), prompts.seen[0].text);
    prompts.seen.clear();
    EXPECT_EQ(3, store.GetRecordCount());

    for (int i = 0; i < 10; ++i)
        store.AppendLogRecord(Record(1, CCommLogRecord::KindSend, {BYTE(0x40 + i)}, Time(2024, 1, 3, 12, 5, i, 0)));
    EXPECT_EQ(13, CountRecords(path));
    std::vector<BYTE> expected = whole;
    for (int i = 0; i < 10; ++i)
        AppendBody(expected, store.GetRecord(3 + i));
    EXPECT_EQ(expected, ReadFileBytes(path));

    // A tear made behind the appender's back (another writer that crashed), here inside a
    // length word, is found as well; so is one in the file of the next hour.
    std::vector<BYTE> torn = ReadFileBytes(path);
    torn.insert(torn.end(), {0x60, 0x00});
    WriteOnceLetGo(path, torn);
    const std::string next = folder.File("AUTOSAVE2024010313.mqt");
    std::vector<BYTE> nextFile = Header();
    nextFile.insert(nextFile.end(), {0x00, 0x00, 0x00});
    WriteFileBytes(next, nextFile);
    store.AppendLogRecord(Record(1, CCommLogRecord::KindSend, {0x50}, Time(2024, 1, 3, 12, 59, 0, 0)));
    store.AppendLogRecord(Record(1, CCommLogRecord::KindSend, {0x51}, Time(2024, 1, 3, 13, 0, 0, 0)));
    EXPECT_EQ(14, CountRecords(path));
    EXPECT_EQ(1, CountRecords(next));
    EXPECT_TRUE(prompts.seen.empty());
}

TEST(HourlyLogPath, FolderPrefixAndHourOfTheRecord)
{
    EXPECT_EQ("C:\\logs\\AUTOSAVE2024010312.mqt",
              Str(HourlyLogPath("C:\\logs", "AUTOSAVE", Time(2024, 1, 3, 12, 59, 59, 999))));
    EXPECT_EQ("D:\\x2001110100.mqt", Str(HourlyLogPath("D:", "x", Time(2001, 11, 1, 0, 0, 0, 0))));
}

}  // namespace
