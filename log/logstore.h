// The communication log without its window: the stored records (oldest first, at most
// MAXLOG of them), their sequence numbers 0..9998, the sequence numbers of the listed rows,
// the record shown in the detail pane, the display filter, the log files and the exports.
//
// The list window (CLogview) is a thin layer over it: the store tells the window through
// ILogRowSink which rows to add and delete, and the window maps selection, custom draw and
// row lookups back to the store. Message boxes go through the class library's prompt hook.
//
// Only live records (AppendLogRecord) reach the hourly real-time log. Records that are
// listed again (RefreshList) or read from a log file are already stored somewhere and are
// appended without it, so a refresh never duplicates the hourly files.
#pragma once

#include <deque>

#include "afxwin.h"
#include "appsettings.h"
#include "commlogrecord.h"
#include "logfiles.h"

class CCommSetRecord;

// What the store asks of the list it feeds.
class ILogRowSink
{
public:
    virtual ~ILogRowSink() {}
    // A row was added at the end for the record; bAutoScroll: select, focus and show it. The
    // row's texts are the record's BuildLogRowTexts, made when a list needs them.
    virtual void OnRowAppended(const CCommLogRecord& record, BOOL bAutoScroll) = 0;
    // The first row went with the oldest record.
    virtual void OnFirstRowDeleted() = 0;
    // Every row went (clear, refresh, reading a file).
    virtual void OnAllRowsDeleted() = 0;
    // The record shown in the detail pane was dropped from the log.
    virtual void OnShownRecordDropped() = 0;
    // Every row is about to be listed again (refresh, reading a file), and all of them were:
    // a list may hold its drawing between the two.
    virtual void OnRelistBegin() {}
    virtual void OnRelistEnd() {}
};

class CLogStore
{
public:
    // Sequence numbers run 0..kSeqLimit-1 and then start again at 0.
    static const int kSeqLimit = 9999;

    CLogStore();

    // The settings (MAXLOG, AUTO, PATH, FILE, auto-scroll) and the communication set (date
    // format, display flags, colours) are read at each use, never copied. Without a call
    // the store reads its own default settings and the current communication set.
    void SetSources(const CAppSettings* pSettings, const CCommSetRecord* pSet);
    void SetRowSink(ILogRowSink* pSink) { m_pSink = pSink; }
    const CAppSettings& Settings() const { return *m_pSettings; }
    const CCommSetRecord& CommSet() const { return *m_pSet; }

    // A new record: numbered, stored, written to the hourly file while AUTO is on, listed
    // when its display flag allows. The oldest records go first when the log is full.
    void AppendLogRecord(const CCommLogRecord& record);
    void ClearLogView();
    // Lists every stored record again under the current display settings, with its number.
    void RefreshList();

    int GetRecordCount() const { return static_cast<int>(m_records.size()); }
    const CCommLogRecord& GetRecord(int nIndex) const { return m_records[nIndex]; }
    const std::deque<CCommLogRecord>& Records() const { return m_records; }
    int GetRowCount() const { return static_cast<int>(m_listed.size()); }
    int GetNextSeq() const { return m_nNextSeq; }
    // The sequence number that a row shows, -1 for no such row.
    int GetRowSeq(int nRow) const;
    // The stored record of a row, or null.
    const CCommLogRecord* FindRowRecord(int nRow) const;
    const CCommLogRecord* FindRecordBySeq(int nSeq) const;

    // The record last shown in the detail pane (-1 none).
    int GetShownSeq() const { return m_nShownSeq; }
    void SetShownSeq(int nSeq) { m_nShownSeq = nSeq; }

    // Files. Failures are shown in stop boxes: 13006 for writing, 13007 for reading.
    BOOL WriteLogFile(LPCSTR pszPath);
    // Replaces the log by the file's records; those read before any damage stay. A file that
    // is refused (cannot be opened, not a log file) leaves the log as it was.
    BOOL ReadLogFile(LPCSTR pszPath);
    // Appends the record to its hourly file, or leaves it waiting there while the file is busy
    // (CHourlyLogAppender says when the file is held and what waits); failures are silent.
    BOOL WriteRealtimeLog(const CCommLogRecord& record);
    // At the program's end: the records that wait go into their hourly files or beside them
    // (CHourlyLogAppender::Close); records that can go nowhere (a full disk) are shown with
    // their file and 13006, to be tried again or given up.
    void CloseRealtimeLog();
    BOOL ExportLogCsv(LPCSTR pszPath);
    BOOL ExportLogText(LPCSTR pszPath);
    // A log file dropped on the list: asks 13008 with the path (OK / Cancel) and reads the
    // file on OK. TRUE when it was read.
    BOOL OpenDroppedLogFile(LPCSTR pszPath);

private:
    void Append(const CCommLogRecord& record, BOOL bLive);
    void DropOldest();
    void DeleteAllRows();
    int MaxRecords() const;

    const CAppSettings* m_pSettings;
    const CCommSetRecord* m_pSet;
    ILogRowSink* m_pSink;
    int m_nShownSeq;
    std::deque<int> m_listed;
    std::deque<CCommLogRecord> m_records;
    int m_nNextSeq;
    CAppSettings m_defaultSettings;
    CHourlyLogAppender m_hourly;
};
