// Saved-log and hourly-log files: writer, reader and the hourly appender.
//
// Every operation catches the class library's file and memory exceptions here and reports
// by its result. The reader trusts nothing it reads: a length word is checked against the
// bytes left in the file before a buffer is made for it, so a damaged length can neither
// read past the file nor ask for a huge allocation.
#include "logfiles.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "commlogrecord.h"
#include "logbytes.h"

namespace {

const size_t kWriteChunk = 64 * 1024;

void AppendHeader(std::vector<BYTE>& out)
{
    BYTE header[kLogFileHeaderSize] = {};
    LogPutInt32(header, kLogFileMark);
    out.insert(out.end(), header, header + kLogFileHeaderSize);
}

// Appends the length word and the body of the record; FALSE for an empty body.
BOOL AppendRecord(std::vector<BYTE>& out, const CCommLogRecord& record)
{
    COleSafeArray body = record.ToBytes();
    const DWORD n = body.GetOneDimSize();
    if (n == 0)
        return FALSE;
    BYTE length[4];
    LogPutInt32(length, n);
    out.insert(out.end(), length, length + 4);
    void* p = nullptr;
    body.AccessData(&p);
    const BYTE* pBytes = static_cast<const BYTE*>(p);
    out.insert(out.end(), pBytes, pBytes + n);
    body.UnaccessData();
    return TRUE;
}

void WriteThroughFile(CFile& file, const void* pData, UINT nCount)
{
    file.Write(pData, nCount);
}

LogFileWriteFn g_writer = WriteThroughFile;

void WriteAll(CFile& file, std::vector<BYTE>& buffer)
{
    if (!buffer.empty())
        g_writer(file, buffer.data(), static_cast<UINT>(buffer.size()));
    buffer.clear();
}

// The reader's reads of a file, taken from large pieces of it: two reads of the file for
// each small record would cost far more than the records themselves.
class CPieceReader
{
public:
    explicit CPieceReader(CFile& file) : m_file(file), m_piece(kReadPiece) {}

    // As CFile::Read: the bytes copied, fewer only at the end of the file.
    UINT Read(void* pDest, UINT n)
    {
        BYTE* pOut = static_cast<BYTE*>(pDest);
        UINT nDone = 0;
        while (nDone < n) {
            if (m_nAt == m_nEnd) {
                // A large body goes straight to its buffer.
                if (n - nDone >= kReadPiece)
                    return nDone + m_file.Read(pOut + nDone, n - nDone);
                m_nAt = 0;
                m_nEnd = m_file.Read(m_piece.data(), kReadPiece);
                if (m_nEnd == 0)
                    break;
            }
            const UINT nTake = std::min(n - nDone, m_nEnd - m_nAt);
            std::memcpy(pOut + nDone, m_piece.data() + m_nAt, nTake);
            m_nAt += nTake;
            nDone += nTake;
        }
        return nDone;
    }

private:
    static const UINT kReadPiece = 64 * 1024;

    CFile& m_file;
    std::vector<BYTE> m_piece;
    UINT m_nAt = 0;
    UINT m_nEnd = 0;
};

// Whether a length word read with nLeft bytes of the file after it starts a whole record: a
// body shorter than its fixed part (0 included) or longer than what is left is damage.
bool IsWholeBodyLength(DWORD n, ULONGLONG nLeft)
{
    return n >= static_cast<DWORD>(CCommLogRecord::kBodyHeaderSize) && n <= nLeft;
}

// Where a reader of the log file, nTotal bytes long with a good header and a record starting at
// nFrom, stops: the end of the last whole record. Only the length words are read, from large
// pieces of the file; a body that ends beyond the piece in hand is passed by starting the next
// piece after it.
ULONGLONG WholeRecordsEnd(CFile& file, ULONGLONG nFrom, ULONGLONG nTotal)
{
    const UINT kWalkPiece = 64 * 1024;
    std::vector<BYTE> piece(kWalkPiece);
    ULONGLONG nPieceAt = 0;
    UINT nPieceLength = 0;
    ULONGLONG nPos = nFrom;
    while (nTotal - nPos >= 4) {
        if (nPos + 4 > nPieceAt + nPieceLength) {
            file.Seek(static_cast<LONGLONG>(nPos), CFile::begin);
            nPieceAt = nPos;
            nPieceLength = file.Read(piece.data(), kWalkPiece);
            if (nPieceLength < 4)
                break;
        }
        const DWORD n = LogGetInt32(&piece[static_cast<size_t>(nPos - nPieceAt)]);
        if (!IsWholeBodyLength(n, nTotal - nPos - 4))
            break;
        nPos += 4 + static_cast<ULONGLONG>(n);
    }
    return nPos;
}

// TRUE when the source starts with the 32-byte header with the format mark; read(p, n)
// gives the next bytes of the source and how many it gave.
template <typename ReadFn>
BOOL ReadHeader(ReadFn read)
{
    BYTE header[kLogFileHeaderSize];
    if (read(header, kLogFileHeaderSize) < static_cast<UINT>(kLogFileHeaderSize))
        return FALSE;
    return LogGetInt32(header) == static_cast<DWORD>(kLogFileMark);
}

BOOL ReadHeader(CFile& file)
{
    return ReadHeader([&](void* p, UINT n) { return file.Read(p, n); });
}

// The reader over any source of the file's bytes, nTotal in all. Class-library exceptions
// pass through.
// bCut: the damage found is the file ending inside a record.
template <typename ReadFn>
LogFileReadResult ReadRecordsFrom(ULONGLONG nTotal, ReadFn read,
                                  const std::function<void(const CCommLogRecord&)>& onRecord, bool& bCut)
{
    bCut = false;
    if (!ReadHeader(read))
        return LogFileReadRefused;
    ULONGLONG nPos = kLogFileHeaderSize;
    std::vector<BYTE> body;
    // One record object serves every record: reading a body sets every field of it.
    CCommLogRecord record;
    for (;;) {
        BYTE lengthWord[4];
        const UINT nGot = read(lengthWord, 4);
        if (nGot == 0)
            return LogFileReadOk;
        if (nGot < 4) {
            bCut = true;
            return LogFileReadDamaged;
        }
        nPos += 4;
        const DWORD n = LogGetInt32(lengthWord);
        // Nothing is allocated for a damaged length.
        if (!IsWholeBodyLength(n, nTotal - nPos)) {
            bCut = n >= static_cast<DWORD>(CCommLogRecord::kBodyHeaderSize);
            return LogFileReadDamaged;
        }
        body.resize(n);
        if (read(body.data(), n) < n)
            return LogFileReadDamaged;
        nPos += n;
        if (!record.FromBytes(static_cast<int>(n), body.data()))
            return LogFileReadDamaged;
        onRecord(record);
    }
}

// The bytes that appenders lock, far past any end of a log file; locks are the system's, so
// appenders in other processes keep to them too. The writers' byte is held by the one appender
// that may write the file; the knock byte by one that waits for it.
const DWORD kLockHigh = 0x40000000;
const DWORD kWritersByte = 0;
const DWORD kKnockByte = 1;

BOOL LockByte(HANDLE hFile, DWORD nByte)
{
    return ::LockFile(hFile, nByte, kLockHigh, 1, 0);
}

void UnlockByte(HANDLE hFile, DWORD nByte)
{
    ::UnlockFile(hFile, nByte, kLockHigh, 1, 0);
}

// Whether another handle holds the byte now.
bool IsByteHeld(HANDLE hFile, DWORD nByte)
{
    if (LockByte(hFile, nByte)) {
        UnlockByte(hFile, nByte);
        return false;
    }
    return ::GetLastError() == ERROR_LOCK_VIOLATION;
}

// Whether the record the file of nTotal bytes ends inside was being written: another appender
// writes now, or has written since.
bool IsBeingWritten(CFile& file, ULONGLONG nTotal)
{
    if (!LockByte(file.m_hFile, kWritersByte))
        return ::GetLastError() == ERROR_LOCK_VIOLATION;
    bool bGrown = false;
    try {
        bGrown = file.GetLength() != nTotal;
    } catch (CException* e) {
        e->Delete();
    }
    UnlockByte(file.m_hFile, kWritersByte);
    return bGrown;
}

// The opens of the log files: never handed to a process the program starts, where a file would
// stay open, and refused to others, for the child's life.
const UINT kNoInherit = CFile::modeNoInherit;

// Removes the file if it is empty and no one else has it open. Opened sharing nothing but its
// removal, it can be neither opened nor written by anyone between the look and the removal, so
// a file that another appender has given records meanwhile stays.
void RemoveIfEmpty(LPCSTR pszPath)
{
    const HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD dwHigh = 0;
    if (::GetFileSize(hFile, &dwHigh) == 0 && dwHigh == 0)
        ::DeleteFileA(pszPath);
    ::CloseHandle(hFile);
}

}  // namespace

BOOL WriteLogFileRecords(LPCSTR pszPath, const std::function<const CCommLogRecord*()>& next)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | kNoInherit))
        return FALSE;
    try {
        std::vector<BYTE> buffer;
        AppendHeader(buffer);
        while (const CCommLogRecord* pRecord = next()) {
            if (!AppendRecord(buffer, *pRecord)) {
                WriteAll(file, buffer);
                file.Close();
                return FALSE;
            }
            if (buffer.size() >= kWriteChunk)
                WriteAll(file, buffer);
        }
        WriteAll(file, buffer);
        file.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    file.Abort();
    return FALSE;
}

LogFileReadResult ReadLogFileRecords(LPCSTR pszPath,
                                     const std::function<void(const CCommLogRecord&)>& onRecord)
{
    // Writers are let in: the hourly file of this hour is read while it is being written.
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone | kNoInherit))
        return LogFileReadRefused;
    LogFileReadResult result = LogFileReadDamaged;
    try {
        // What was appended after the file was opened is left for the next reading.
        const ULONGLONG nTotal = file.GetLength();
        ULONGLONG nLeft = nTotal;
        CPieceReader reader(file);
        bool bCut = false;
        result = ReadRecordsFrom(
            nTotal,
            [&](void* p, UINT n) {
                const UINT nTake = reader.Read(p, nLeft < n ? static_cast<UINT>(nLeft) : n);
                nLeft -= nTake;
                return nTake;
            },
            onRecord, bCut);
        if (result == LogFileReadDamaged && bCut && IsBeingWritten(file, nTotal))
            result = LogFileReadOk;
    } catch (CException* e) {
        e->Delete();
        result = LogFileReadDamaged;
    } catch (...) {
        result = LogFileReadDamaged;
    }
    file.Abort();
    return result;
}

LogFileWriteFn SetLogFileWriter(LogFileWriteFn writer)
{
    const LogFileWriteFn previous = g_writer;
    g_writer = writer != nullptr ? writer : WriteThroughFile;
    return previous;
}

LogFileReadResult ReadLogRecords(const BYTE* pBytes, DWORD nLength,
                                 const std::function<void(const CCommLogRecord&)>& onRecord)
{
    DWORD nPos = 0;
    auto read = [&](void* p, UINT n) {
        const UINT nGive = n < nLength - nPos ? n : nLength - nPos;
        if (nGive)
            std::memcpy(p, pBytes + nPos, nGive);
        nPos += nGive;
        return nGive;
    };
    try {
        bool bCut = false;
        return ReadRecordsFrom(nLength, read, onRecord, bCut);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return LogFileReadDamaged;
}

CString HourlyLogPath(LPCSTR pszFolder, LPCSTR pszPrefix, const SYSTEMTIME& time)
{
    CString path;
    path.Format("%s\\%s%04d%02d%02d%02d.mqt", pszFolder, pszPrefix, time.wYear, time.wMonth,
                time.wDay, time.wHour);
    return path;
}

BOOL AppendHourlyLogRecord(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record)
{
    CHourlyLogAppender appender;
    return appender.Append(pszFolder, pszPrefix, record);
}

CHourlyLogAppender::CHourlyLogAppender()
    : m_pOpen(nullptr), m_nHolds(0), m_bHeaderChecked(FALSE), m_bLocked(FALSE), m_bKnocking(FALSE),
      m_dwKnockLooked(0), m_bYielded(FALSE), m_dwYieldedAt(0), m_dwHeldAt(0), m_nWaitingBytes(0), m_nTimer(0)
{
}

CHourlyLogAppender::~CHourlyLogAppender()
{
    Close();
    StopTicking();
}

CHourlyLogAppender::HourFile& CHourlyLogAppender::FileOf(const CString& path)
{
    for (HourFile& file : m_files) {
        if (file.path == path)
            return file;
    }
    // Besides the files whose records wait, the few held last are remembered: the hour's file
    // keeps its end across the tries of the last hour's.
    const size_t kRemembered = 4;
    size_t nIdle = 0;
    auto oldest = m_files.end();
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        if (!it->waiting.empty() || &*it == m_pOpen)
            continue;
        ++nIdle;
        if (oldest == m_files.end() || it->nUsed < oldest->nUsed)
            oldest = it;
    }
    if (nIdle >= kRemembered)
        m_files.erase(oldest);
    m_files.push_back(HourFile());
    m_files.back().path = path;
    return m_files.back();
}

CString CHourlyLogAppender::GetWaitingPath() const
{
    for (const HourFile& file : m_files) {
        if (!file.waiting.empty())
            return file.path;
    }
    return CString();
}

BOOL CHourlyLogAppender::Append(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record)
{
    try {
        std::vector<BYTE> bytes;
        if (!AppendRecord(bytes, record))
            return FALSE;
        HourFile& file = FileOf(HourlyLogPath(pszFolder, pszPrefix, record.m_time));
        // What waits goes first, its file being free again perhaps; a record goes behind the
        // records of its file that still wait.
        if (m_nWaitingBytes != 0)
            WriteAllWaiting(&file);
        if (file.waiting.empty()) {
            const Outcome outcome = Write(file, bytes);
            if (outcome != Busy)
                return outcome == Written;
            file.dwTried = ::GetTickCount();
        }
        if (m_nWaitingBytes + bytes.size() > kWaitingMax)
            return FALSE;
        m_nWaitingBytes += bytes.size();
        file.waiting.push_back(std::move(bytes));
        StartTicking();
        return FALSE;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return FALSE;
}

void CHourlyLogAppender::Release()
{
    try {
        WriteAllWaiting(nullptr);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    // One that waits for another appender to let it in keeps knocking.
    if (!m_bKnocking)
        LetGo();
    if (m_nWaitingBytes == 0 && m_file.m_hFile == CFile::hFileNull)
        StopTicking();
}

BOOL CHourlyLogAppender::Close()
{
    try {
        m_bYielded = FALSE;
        const DWORD dwStart = ::GetTickCount();
        for (;;) {
            WriteAllWaiting(nullptr);
            if (m_nWaitingBytes == 0 || ::GetTickCount() - dwStart >= kCloseWaitMs)
                break;
            ::Sleep(kCloseLookMs);
        }
        LetGo();
        for (auto it = m_files.begin(); m_nWaitingBytes != 0 && it != m_files.end(); ++it) {
            if (it->waiting.empty())
                continue;
            // The hourly file's name, before its ".mqt", names the file of its pending records.
            HourFile& into = FileOf(it->path.Left(it->path.GetLength() - 4) + "-pending.mqt");
            WriteWaiting(*it, &into);
        }
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    LetGo();
    if (m_nWaitingBytes == 0)
        StopTicking();
    return m_nWaitingBytes == 0;
}

void CHourlyLogAppender::Discard()
{
    for (HourFile& file : m_files)
        file.waiting.clear();
    m_nWaitingBytes = 0;
}

void CHourlyLogAppender::WriteAllWaiting(const HourFile* pRecordFile)
{
    const DWORD dwNow = ::GetTickCount();
    for (HourFile& file : m_files) {
        if (file.waiting.empty() ||
            (pRecordFile != nullptr && &file != pRecordFile && dwNow - file.dwTried < kRetryMs))
            continue;
        file.dwTried = dwNow;
        WriteWaiting(file);
    }
}

BOOL CHourlyLogAppender::WriteWaiting(HourFile& file, HourFile* pInto)
{
    HourFile& into = pInto != nullptr ? *pInto : file;
    // Held first: a file that cannot be had costs the same however many records wait for it.
    if (!Hold(into))
        return FALSE;
    std::vector<BYTE> chunk;
    while (!file.waiting.empty()) {
        // The records that follow each other go in one write.
        chunk.clear();
        size_t nRecords = 0;
        for (const std::vector<BYTE>& bytes : file.waiting) {
            if (!chunk.empty() && chunk.size() + bytes.size() > kWriteChunk)
                break;
            chunk.insert(chunk.end(), bytes.begin(), bytes.end());
            ++nRecords;
        }
        const Outcome outcome = Write(into, chunk);
        // A pending file that is not a log file keeps them as a busy one does.
        if (outcome == Busy || (outcome == Refused && &into != &file))
            return FALSE;
        // Written, or refused for good (not a log file): they wait no longer.
        m_nWaitingBytes -= chunk.size();
        file.waiting.erase(file.waiting.begin(), file.waiting.begin() + static_cast<ptrdiff_t>(nRecords));
    }
    return TRUE;
}

CHourlyLogAppender::Outcome CHourlyLogAppender::Write(HourFile& file, const std::vector<BYTE>& bytes)
{
    if (!Hold(file))
        return Busy;
    Outcome outcome = Busy;
    ULONGLONG nEnd = 0;
    bool bFoundEmpty = false;
    try {
        nEnd = PrepareEnd(bFoundEmpty);
        if (nEnd == 0) {
            outcome = Refused;
        } else {
            m_file.Seek(static_cast<LONGLONG>(nEnd), CFile::begin);
            g_writer(m_file, bytes.data(), static_cast<UINT>(bytes.size()));
            file.nEnd = nEnd + bytes.size();
            outcome = Written;
        }
    } catch (CException* e) {
        e->Delete();
        // A record cut short (a full disk) would hide every later record of the hour from the
        // reader: the file goes back to where its whole records ended, which is remembered. One
        // found empty goes back to nothing, its header too: a cut header would make it foreign
        // to every later record, and a lone one is a file of no records.
        if (nEnd != 0 || bFoundEmpty) {
            const ULONGLONG nBack = bFoundEmpty ? 0 : nEnd;
            try {
                m_file.SetLength(nBack);
                file.nEnd = nBack;
            } catch (CException* eCut) {
                eCut->Delete();
                file.nEnd = 0;
            }
        }
    }
    if (outcome != Written) {
        LetGo();
        // An empty file left behind (made by the open) is one the reader refuses, and, beside an
        // hourly file, one that the user finds after the close.
        if (bFoundEmpty)
            RemoveIfEmpty(file.path);
        return outcome;
    }
    // Another appender that waits for the file is let in, now and then looked for.
    const DWORD dwNow = ::GetTickCount();
    if (dwNow - m_dwKnockLooked >= kKnockLookMs) {
        m_dwKnockLooked = dwNow;
        if (IsByteHeld(m_file.m_hFile, kKnockByte)) {
            LetGo();
            m_dwYieldedAt = dwNow;
            m_bYielded = TRUE;
        }
    }
    // A steady flood leaves the thread no idle moment for the tick: held a tick's length, the
    // file is let go after the record all the same.
    if (m_bLocked && dwNow - m_dwHeldAt >= kTickMs)
        LetGo();
    return Written;
}

BOOL CHourlyLogAppender::Hold(HourFile& file)
{
    if (m_bYielded) {
        // Long enough for the other's next tick to find the file free.
        if (::GetTickCount() - m_dwYieldedAt < kYieldMs)
            return FALSE;
        m_bYielded = FALSE;
    }
    if (m_file.m_hFile != CFile::hFileNull && m_pOpen != &file)
        LetGo();
    if (m_file.m_hFile == CFile::hFileNull) {
        // Opening or creating never truncates. A program that holds the file and lets no one
        // write it, or read it, keeps it from being opened at all.
        if (!m_file.Open(file.path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite |
                                        CFile::shareDenyNone | kNoInherit))
            return FALSE;
        m_pOpen = &file;
        m_bHeaderChecked = FALSE;
        StartTicking();
    }
    file.nUsed = ++m_nHolds;
    if (m_bLocked)
        return TRUE;
    if (!LockByte(m_file.m_hFile, kWritersByte)) {
        // Another appender holds it: this one knocks, keeping the file open to do so, and is
        // let in when the other looks next.
        if (!m_bKnocking)
            m_bKnocking = LockByte(m_file.m_hFile, kKnockByte);
        return FALSE;
    }
    m_bLocked = TRUE;
    m_dwHeldAt = ::GetTickCount();
    if (m_bKnocking) {
        UnlockByte(m_file.m_hFile, kKnockByte);
        m_bKnocking = FALSE;
    }
    m_dwKnockLooked = ::GetTickCount();
    return TRUE;
}

ULONGLONG CHourlyLogAppender::PrepareEnd(bool& bFoundEmpty)
{
    ULONGLONG& nKnown = m_pOpen->nEnd;
    const ULONGLONG nLength = m_file.GetLength();
    if (nLength == 0) {
        // Created now, or left empty by another.
        bFoundEmpty = true;
        std::vector<BYTE> header;
        AppendHeader(header);
        m_file.Seek(0, CFile::begin);
        g_writer(m_file, header.data(), static_cast<UINT>(header.size()));
        m_bHeaderChecked = TRUE;
        nKnown = kLogFileHeaderSize;
        return nKnown;
    }
    if (nLength < static_cast<ULONGLONG>(kLogFileHeaderSize))
        return 0;
    if (!m_bHeaderChecked) {
        m_file.Seek(0, CFile::begin);
        if (!ReadHeader(m_file))
            return 0;
        m_bHeaderChecked = TRUE;
    }
    if (nLength == nKnown)
        return nKnown;
    // Others appended since (or the file was never written by this appender). Under the lock
    // no one is writing a record, so a tear is one that a crash left.
    ULONGLONG nWhole = 0;
    if (nKnown >= static_cast<ULONGLONG>(kLogFileHeaderSize) && nKnown < nLength)
        nWhole = WholeRecordsEnd(m_file, nKnown, nLength);
    // A tear, or an end that is not where a record of this file starts (the file was replaced):
    // the whole file is walked before anything is cut.
    if (nWhole < nLength)
        nWhole = WholeRecordsEnd(m_file, kLogFileHeaderSize, nLength);
    if (nWhole < nLength)
        m_file.SetLength(nWhole);
    nKnown = nWhole;
    return nKnown;
}

void CHourlyLogAppender::LetGo()
{
    if (m_file.m_hFile != CFile::hFileNull) {
        if (m_bLocked)
            UnlockByte(m_file.m_hFile, kWritersByte);
        if (m_bKnocking)
            UnlockByte(m_file.m_hFile, kKnockByte);
    }
    m_bLocked = FALSE;
    m_bKnocking = FALSE;
    m_pOpen = nullptr;
    m_file.Abort();
}

namespace {

// The appenders whose timers tick, by timer.
std::map<UINT_PTR, CHourlyLogAppender*>& TickingAppenders()
{
    static std::map<UINT_PTR, CHourlyLogAppender*> s_appenders;
    return s_appenders;
}

}  // namespace

void CHourlyLogAppender::StartTicking()
{
    if (m_nTimer != 0)
        return;
    m_nTimer = ::SetTimer(nullptr, 0, kTickMs, OnTick);
    if (m_nTimer != 0)
        TickingAppenders()[m_nTimer] = this;
}

void CHourlyLogAppender::StopTicking()
{
    if (m_nTimer == 0)
        return;
    ::KillTimer(nullptr, m_nTimer);
    TickingAppenders().erase(m_nTimer);
    m_nTimer = 0;
}

void CALLBACK CHourlyLogAppender::OnTick(HWND, UINT, UINT_PTR nIdEvent, DWORD)
{
    const auto it = TickingAppenders().find(nIdEvent);
    if (it != TickingAppenders().end())
        it->second->Release();
}
