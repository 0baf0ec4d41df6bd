// The log file format, shared by saved logs ("*.mqt") and the hourly real-time logs:
//
//   offset 0   int32 100 (format mark)
//   offset 4   28 zero bytes
//   offset 32  records: a 4-byte length n, then the n bytes of a record's serialised body
//
// There is no count and no trailer. These functions only read and write; what the user is
// told about a failure is decided by the log (logstore.cpp).
#pragma once

#include <functional>
#include <vector>

#include "afxwin.h"

class CCommLogRecord;

const int kLogFileMark = 100;
const int kLogFileHeaderSize = 32;

enum LogFileReadResult
{
    LogFileReadOk = 0,
    LogFileReadRefused = 1,   // cannot be opened, short header or wrong mark
    LogFileReadDamaged = 2,   // a record is cut, has length 0 or is shorter than a body
};

// Writes the header and every record that next() hands out until it returns null. FALSE
// when the file cannot be created, a body is empty or writing fails; the file then holds
// what was written before.
BOOL WriteLogFileRecords(LPCSTR pszPath, const std::function<const CCommLogRecord*()>& next);

// Reads every complete record of the file in order and hands it to onRecord; stops at the
// first damage. Lengths are checked against the bytes left in the file before anything is
// allocated for them.
LogFileReadResult ReadLogFileRecords(LPCSTR pszPath,
                                     const std::function<void(const CCommLogRecord&)>& onRecord);

// The one call through which the bytes of the log files reach the disk; it raises the class
// library's file exception when the system takes fewer bytes than given. Tests put a writer
// here that fails part-way, as a disk that fills up does. Returns the writer it replaces.
typedef void (*LogFileWriteFn)(CFile& file, const void* pData, UINT nCount);
LogFileWriteFn SetLogFileWriter(LogFileWriteFn writer);

// The same over the bytes of a log file already in memory.
LogFileReadResult ReadLogRecords(const BYTE* pBytes, DWORD nLength,
                                 const std::function<void(const CCommLogRecord&)>& onRecord);

// Folder + "\" + prefix + "YYYYMMDDHH.mqt" of the record time.
CString HourlyLogPath(LPCSTR pszFolder, LPCSTR pszPrefix, const SYSTEMTIME& time);

// Appends records to their hourly files. A missing file is created with the header; an
// existing file is appended to only when it can be opened now and starts with the header,
// and is never truncated below its whole records: a torn record at its end (a crash while it
// was written) is cut off first, since the reader stops there and would never reach what came
// after it. The appender remembers where the file it last wrote ends, so only a file it did
// not leave as it is now is walked for a tear. A write that fails part-way is cut back, so the
// file keeps whole records only. FALSE (nothing written) otherwise; nothing is shown.
//
// The file written stays open (others may read it, not write it) until Release or a record of
// another file: a device that sends a record a millisecond costs one write a record, not the
// opens and checks of a file found as it may have been left.
class CHourlyLogAppender
{
public:
    BOOL Append(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record);
    // Closes the file kept open since the last record.
    void Release();

private:
    // Writes the record's bytes at the end of the open file, or takes them back (and closes
    // it); then the file is remembered as this appender left it.
    BOOL WriteAtEnd(const CString& path, ULONGLONG nEnd, std::vector<BYTE>& bytes);
    void Remember(const CString& path, ULONGLONG nEnd);
    void Forget();

    CFile m_file;        // the file last written while it is kept open
    CString m_strPath;   // the file last written, empty for none
    ULONGLONG m_nEnd = 0;  // its length after that write
};

// One record appended by an appender of its own (the file is walked for a tear and closed).
BOOL AppendHourlyLogRecord(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record);
