// Saved-log and hourly-log files: writer, reader and the hourly appender.
//
// Every operation catches the class library's file and memory exceptions here and reports
// by its result. The reader trusts nothing it reads: a length word is checked against the
// bytes left in the file before a buffer is made for it, so a damaged length can neither
// read past the file nor ask for a huge allocation.
#include "logfiles.h"

#include <algorithm>
#include <cstring>
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

// Where a reader of the log file, nTotal bytes long with a good header, stops: the end of the
// last whole record. Only the length words are read, from large pieces of the file; a body
// that ends beyond the piece in hand is passed by starting the next piece after it.
ULONGLONG WholeRecordsEnd(CFile& file, ULONGLONG nTotal)
{
    const UINT kWalkPiece = 64 * 1024;
    std::vector<BYTE> piece(kWalkPiece);
    ULONGLONG nPieceAt = 0;
    UINT nPieceLength = 0;
    ULONGLONG nPos = kLogFileHeaderSize;
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
template <typename ReadFn>
LogFileReadResult ReadRecordsFrom(ULONGLONG nTotal, ReadFn read,
                                  const std::function<void(const CCommLogRecord&)>& onRecord)
{
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
        if (nGot < 4)
            return LogFileReadDamaged;
        nPos += 4;
        const DWORD n = LogGetInt32(lengthWord);
        // Nothing is allocated for a damaged length.
        if (!IsWholeBodyLength(n, nTotal - nPos))
            return LogFileReadDamaged;
        body.resize(n);
        if (read(body.data(), n) < n)
            return LogFileReadDamaged;
        nPos += n;
        if (!record.FromBytes(static_cast<int>(n), body.data()))
            return LogFileReadDamaged;
        onRecord(record);
    }
}

}  // namespace

BOOL WriteLogFileRecords(LPCSTR pszPath, const std::function<const CCommLogRecord*()>& next)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite))
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
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite))
        return LogFileReadRefused;
    LogFileReadResult result = LogFileReadDamaged;
    try {
        CPieceReader reader(file);
        result = ReadRecordsFrom(
            file.GetLength(), [&](void* p, UINT n) { return reader.Read(p, n); }, onRecord);
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
        return ReadRecordsFrom(nLength, read, onRecord);
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

BOOL CHourlyLogAppender::Append(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record)
{
    const CString path = HourlyLogPath(pszFolder, pszPrefix, record.m_time);
    try {
        std::vector<BYTE> bytes;
        if (!AppendRecord(bytes, record))
            return FALSE;

        // The file kept open since the last record, which nobody else could write meanwhile.
        if (m_file.m_hFile != CFile::hFileNull) {
            if (path == m_strPath && m_file.GetLength() == m_nEnd)
                return WriteAtEnd(path, m_nEnd, bytes);
            Release();
        }

        CFile existing;
        CFileException error;
        if (existing.Open(path, CFile::modeRead | CFile::shareDenyNone, &error)) {
            const BOOL bLogFile = ReadHeader(existing);
            existing.Close();
            if (!bLogFile)
                return FALSE;
        } else if (error.m_lOsError == ERROR_FILE_NOT_FOUND) {
            // Created only when it is missing: opening-or-creating never truncates, and a
            // file that appeared in the meantime is left for the next record.
            CFile created;
            if (!created.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite |
                                        CFile::shareDenyWrite))
                return FALSE;
            if (created.GetLength() != 0) {
                created.Close();
                return FALSE;
            }
            std::vector<BYTE> header;
            AppendHeader(header);
            try {
                WriteAll(created, header);
            } catch (CException* e) {
                // A cut header would make the file foreign to every later record of the hour.
                e->Delete();
                created.Abort();
                ::DeleteFileA(path);
                return FALSE;
            }
            created.Close();
            Remember(path, kLogFileHeaderSize);
        } else {
            // Held by another program, access denied, or no such folder: the file (if any)
            // is left alone and this record is not written.
            return FALSE;
        }

        if (!m_file.Open(path, CFile::modeReadWrite | CFile::shareDenyWrite))
            return FALSE;
        ULONGLONG nEnd = m_file.GetLength();
        if (path != m_strPath || nEnd != m_nEnd) {
            // A file this appender did not leave as it is now (written before a crash, or by
            // another writer since) may end in a torn record, and every record appended after
            // it would be unreadable. The torn bytes never were readable: they go.
            const ULONGLONG nWhole = WholeRecordsEnd(m_file, nEnd);
            if (nWhole < nEnd) {
                m_file.SetLength(nWhole);
                nEnd = nWhole;
            }
        }
        return WriteAtEnd(path, nEnd, bytes);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    Release();
    return FALSE;
}

void CHourlyLogAppender::Release()
{
    m_file.Abort();
}

BOOL CHourlyLogAppender::WriteAtEnd(const CString& path, ULONGLONG nEnd, std::vector<BYTE>& bytes)
{
    Forget();
    // The bytes are handed over (and gone) with the write.
    const ULONGLONG nNewEnd = nEnd + bytes.size();
    m_file.Seek(static_cast<LONGLONG>(nEnd), CFile::begin);
    try {
        WriteAll(m_file, bytes);
    } catch (CException* e) {
        // A record cut short (a full disk) would hide every later record of the hour from
        // the reader: the file goes back to where it ended.
        e->Delete();
        try {
            m_file.SetLength(nEnd);
        } catch (CException* eCut) {
            eCut->Delete();
        }
        Release();
        return FALSE;
    }
    Remember(path, nNewEnd);
    return TRUE;
}

void CHourlyLogAppender::Remember(const CString& path, ULONGLONG nEnd)
{
    m_strPath = path;
    m_nEnd = nEnd;
}

void CHourlyLogAppender::Forget()
{
    m_strPath.Empty();
    m_nEnd = 0;
}
