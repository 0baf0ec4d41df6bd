// The log file format, shared by saved logs ("*.mqt") and the hourly real-time logs:
//
//   offset 0   int32 100 (format mark)
//   offset 4   28 zero bytes
//   offset 32  records: a 4-byte length n, then the n bytes of a record's serialised body
//
// There is no count and no trailer. These functions only read and write; what the user is
// told about a failure is decided by the log (logstore.cpp).
#pragma once

#include <deque>
#include <functional>
#include <list>
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
// allocated for them. The file may be being written meanwhile (the hourly file of this hour, by
// this program or another): the records found whole when it was opened are read, and a record
// that another appender is still writing at its end is not damage.
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

// Appends records to their hourly files.
//
// A file is written only when it starts with the header (a missing or empty file is given one)
// and is never truncated below its whole records: a torn record at its end (a crash while it was
// written) is cut off first, since the reader stops there and would never reach what came after
// it. The appender remembers where the file ends after its own last write (a write that fails
// part-way is cut back there), so only what others appended since is walked for a tear. A write
// into a file found empty (a new hour's, a new pending file) that fails leaves no file behind,
// unless another has it open: an empty file is one the reader refuses.
//
// When the file is held, and by whom: an appender writes only while it holds the writers' lock
// of the file (a byte far past any end of a file; the system's lock, which other instances of
// the program keep to as well), so records never mix and a tear is cut only while no one can be
// writing a record. It keeps the file open and the lock from one record to the next, shared for
// reading and writing and never inherited by a process the program starts: a record then costs
// one write, not the opens, locks and checks of a file found as it may have been left. It lets
// go at the next tick of its timer (a tenth of a second; the tick comes only when the thread has
// nothing else to do), after a record once it has held the file that long (a steady flood never
// leaves the thread idle: held for seconds, the file would shut out a reader denying writers and,
// under Wine, keep a descriptor of the Wine server for every open of it by anyone meanwhile),
// for a record of another file, after a failure, and at the end; and when another appender
// waits for the file (which it says by locking the knock byte beside the writers'), it lets go
// after its next record and stays out long enough for the other's tick.
// A program that opens the file denying writers (as `type` does) gets in once it is let go.
//
// A record whose file cannot be opened or written now (another program holds it, the disk is
// full, the folder is missing) waits, and so do the records after it for the same file; they go
// in, in order, at the next record of the file or tick at which the file can be written (while
// only records of other files come, it is tried every kRetryMs). The records that wait are kept
// by file, and each file remembers where it ends: a record costs the same however many wait,
// and the records of a file that is free go straight in while those of another wait. At most
// kWaitingMax bytes wait: a record that comes while that much waits is not written. A file
// that is not a log file is never written, and its records do not wait. Nothing is shown.
//
// At the end (Close, or the destructor) the files are tried for up to kCloseWaitMs, which gives
// another appender holding one the time to let go; what still cannot go into its file goes into
// a log file of its own beside it, named after it: AUTOSAVE2024010312.mqt's records into
// AUTOSAVE2024010312-pending.mqt (appended to, when an earlier end left one).
//
// The ticks come through the thread's message loop; an appender is used on one thread.
class CHourlyLogAppender
{
public:
    static const size_t kWaitingMax = 16 * 1024 * 1024;
    static const UINT kTickMs = 100;
    // How often a file whose records wait is tried while only records of other files come.
    static const DWORD kRetryMs = 50;
    // How often the appender that holds the file looks whether another waits for it, and how
    // long it then stays out.
    static const DWORD kKnockLookMs = 25;
    static const DWORD kYieldMs = 150;
    // How long the end tries the files that records wait for, and how often.
    static const DWORD kCloseWaitMs = 1500;
    static const DWORD kCloseLookMs = 20;

    CHourlyLogAppender();
    // Closes; what can be written nowhere then is lost.
    ~CHourlyLogAppender();

    // TRUE when the record is in its file now; FALSE when it waits or is not written.
    BOOL Append(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record);
    // Writes what waits if it can and lets go of the file, as a tick of the timer does.
    void Release();
    // Puts what waits into its files, or into their pending files, as described above, and
    // lets go. FALSE when records are left that could be written nowhere (a full disk); they
    // still wait, for another Close, or for Discard, which drops them.
    BOOL Close();
    void Discard();
    // The bytes of the records waiting.
    size_t GetWaitingBytes() const { return m_nWaitingBytes; }
    // The file of the first records that wait, empty when none wait.
    CString GetWaitingPath() const;

private:
    enum Outcome { Written, Busy, Refused };
    // A file written or waited for, and what is known of it.
    struct HourFile
    {
        CString path;
        ULONGLONG nEnd = 0;  // where its whole records ended after this appender's last write, 0 unknown
        std::deque<std::vector<BYTE>> waiting;  // the records that wait for it, oldest first
        DWORD dwTried = 0;   // when those were last tried
        unsigned nUsed = 0;  // when it was last held, counted in holds
    };

    HourFile& FileOf(const CString& path);
    // Writes the bytes of whole records at the end of the file.
    Outcome Write(HourFile& file, const std::vector<BYTE>& bytes);
    // Holds the file (TRUE): open, and with the writers' lock.
    BOOL Hold(HourFile& file);
    // Holding the file: where the file's whole records end, made ready for the next
    // record (a header given, a tear cut); 0 for a file that is not a log file. bFoundEmpty is
    // set when the file was empty, before its header.
    ULONGLONG PrepareEnd(bool& bFoundEmpty);
    // Writes the records that wait for the file into it (or into another), in order, in
    // chunks of whole records; FALSE when some still wait.
    BOOL WriteWaiting(HourFile& file, HourFile* pInto = nullptr);
    // Tries the files whose records wait: all of them, or with a record of its file at hand,
    // that file and those of the others not tried for kRetryMs.
    void WriteAllWaiting(const HourFile* pRecordFile);
    void LetGo();
    void StartTicking();
    void StopTicking();
    static void CALLBACK OnTick(HWND hWnd, UINT nMsg, UINT_PTR nIdEvent, DWORD dwTime);

    CFile m_file;        // the file held last while it is open
    HourFile* m_pOpen;   // its entry, null while none is open
    std::list<HourFile> m_files;
    unsigned m_nHolds;
    BOOL m_bHeaderChecked;  // since the file was opened
    BOOL m_bLocked;      // holds the writers' lock: the file is held
    BOOL m_bKnocking;    // waits for another appender's lock, and says so
    DWORD m_dwKnockLooked;
    BOOL m_bYielded;     // let another in, and stays out for a while
    DWORD m_dwYieldedAt;
    DWORD m_dwHeldAt;    // when the writers' lock was taken
    size_t m_nWaitingBytes;
    UINT_PTR m_nTimer;

    CHourlyLogAppender(const CHourlyLogAppender&) = delete;
    CHourlyLogAppender& operator=(const CHourlyLogAppender&) = delete;
};

// One record appended by an appender of its own (the file is walked for a tear and closed).
BOOL AppendHourlyLogRecord(LPCSTR pszFolder, LPCSTR pszPrefix, const CCommLogRecord& record);
