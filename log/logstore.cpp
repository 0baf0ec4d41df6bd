// The window-free communication log.
//
// Records live in a deque, oldest first: trimming at MAXLOG takes the front without moving
// the other records (each holds its own payload, so a vector would copy every payload on
// every append once the log is full). Sequence numbers are consecutive modulo 9999 in
// storage order, which lets a row find its record by arithmetic; the search falls back to
// a walk should the numbers ever not line up.
#include "logstore.h"

#include "commsetrecord.h"
#include "currentcommset.h"
#include "logexport.h"
#include "logfiles.h"
#include "logtext.h"
#include "messagetext.h"

namespace {

void ShowStopBox(int nCode)
{
    AfxMessageBox(GetMessageText(nCode), MB_OK | MB_ICONSTOP);
}

}  // namespace

CLogStore::CLogStore()
    : m_pSettings(&m_defaultSettings), m_pSet(&GetCurrentCommSet()), m_pSink(nullptr), m_nShownSeq(-1),
      m_nNextSeq(0)
{
}

void CLogStore::SetSources(const CAppSettings* pSettings, const CCommSetRecord* pSet)
{
    m_pSettings = pSettings != nullptr ? pSettings : &m_defaultSettings;
    m_pSet = pSet != nullptr ? pSet : &GetCurrentCommSet();
}

int CLogStore::MaxRecords() const
{
    // The settings clamp MAXLOG when they load it; a value set otherwise still keeps at
    // least one record and never more than there are sequence numbers.
    const int nMax = m_pSettings->m_nMaxLog;
    if (nMax < 1)
        return 1;
    return nMax > kSeqLimit ? kSeqLimit : nMax;
}

void CLogStore::AppendLogRecord(const CCommLogRecord& record)
{
    Append(record, TRUE);
}

void CLogStore::Append(const CCommLogRecord& record, BOOL bLive)
{
    while (!m_records.empty() && static_cast<int>(m_records.size()) >= MaxRecords())
        DropOldest();

    if (m_nNextSeq >= kSeqLimit || m_nNextSeq < 0)
        m_nNextSeq = 0;
    m_records.push_back(record);
    CCommLogRecord& stored = m_records.back();
    stored.m_nSeq = m_nNextSeq++;

    if (bLive && m_pSettings->m_nAutoSave)
        WriteRealtimeLog(stored);

    if (!(LogDisplayFlags(*m_pSet, stored) & LogFlagListed))
        return;
    m_listed.push_back(stored.m_nSeq);
    if (m_pSink != nullptr)
        m_pSink->OnRowAppended(stored, m_pSettings->m_nAutoScroll != 0);
}

void CLogStore::DropOldest()
{
    const int nSeq = m_records.front().m_nSeq;
    m_records.pop_front();
    // The row goes from the numbers before the list hears of it, so that any notification
    // the list sends while deleting maps rows to the records that remain.
    if (!m_listed.empty() && m_listed.front() == nSeq) {
        m_listed.pop_front();
        if (m_pSink != nullptr)
            m_pSink->OnFirstRowDeleted();
    }
    if (nSeq == m_nShownSeq) {
        m_nShownSeq = -1;
        if (m_pSink != nullptr)
            m_pSink->OnShownRecordDropped();
    }
}

void CLogStore::DeleteAllRows()
{
    m_listed.clear();
    m_nShownSeq = -1;
    if (m_pSink != nullptr)
        m_pSink->OnAllRowsDeleted();
}

void CLogStore::ClearLogView()
{
    DeleteAllRows();
    m_nNextSeq = 0;
    m_records.clear();
}

void CLogStore::RefreshList()
{
    std::deque<CCommLogRecord> records;
    records.swap(m_records);
    const int nFirstSeq = records.empty() ? 0 : records.front().m_nSeq;
    if (m_pSink != nullptr)
        m_pSink->OnRelistBegin();
    DeleteAllRows();
    m_nNextSeq = nFirstSeq;
    for (const CCommLogRecord& record : records)
        Append(record, FALSE);
    if (m_pSink != nullptr)
        m_pSink->OnRelistEnd();
}

int CLogStore::GetRowSeq(int nRow) const
{
    if (nRow < 0 || nRow >= static_cast<int>(m_listed.size()))
        return -1;
    return m_listed[nRow];
}

const CCommLogRecord* CLogStore::FindRowRecord(int nRow) const
{
    const int nSeq = GetRowSeq(nRow);
    return nSeq < 0 ? nullptr : FindRecordBySeq(nSeq);
}

const CCommLogRecord* CLogStore::FindRecordBySeq(int nSeq) const
{
    if (m_records.empty() || nSeq < 0)
        return nullptr;
    const int nIndex = ((nSeq - m_records.front().m_nSeq) % kSeqLimit + kSeqLimit) % kSeqLimit;
    if (nIndex < static_cast<int>(m_records.size()) && m_records[nIndex].m_nSeq == nSeq)
        return &m_records[nIndex];
    for (const CCommLogRecord& record : m_records) {
        if (record.m_nSeq == nSeq)
            return &record;
    }
    return nullptr;
}

BOOL CLogStore::WriteLogFile(LPCSTR pszPath)
{
    // An empty log is refused before the file is created, so an existing file of that name
    // is not emptied for nothing.
    if (m_records.empty()) {
        ShowStopBox(13006);
        return FALSE;
    }
    auto it = m_records.begin();
    const BOOL bWritten = WriteLogFileRecords(pszPath, [&]() -> const CCommLogRecord* {
        return it == m_records.end() ? nullptr : &*it++;
    });
    if (!bWritten)
        ShowStopBox(13006);
    return bWritten;
}

BOOL CLogStore::ReadLogFile(LPCSTR pszPath)
{
    // The file is read aside first: a file that is refused leaves the current log and its
    // rows as they were. Only the last MAXLOG records are kept while reading, and the count of
    // those dropped numbers the kept ones as appending them all would have.
    std::deque<CCommLogRecord> read;
    int nDropped = 0;
    const LogFileReadResult result = ReadLogFileRecords(pszPath, [&](const CCommLogRecord& record) {
        if (static_cast<int>(read.size()) >= MaxRecords()) {
            read.pop_front();
            nDropped = (nDropped + 1) % kSeqLimit;
        }
        read.push_back(record);
    });
    if (result != LogFileReadRefused) {
        if (m_pSink != nullptr)
            m_pSink->OnRelistBegin();
        ClearLogView();
        m_nNextSeq = nDropped;
        for (const CCommLogRecord& record : read)
            Append(record, FALSE);
        if (m_pSink != nullptr)
            m_pSink->OnRelistEnd();
    }
    if (result != LogFileReadOk) {
        ShowStopBox(13007);
        return FALSE;
    }
    return TRUE;
}

BOOL CLogStore::WriteRealtimeLog(const CCommLogRecord& record)
{
    return m_hourly.Append(m_pSettings->m_strPath, m_pSettings->m_strFilePrefix, record);
}

void CLogStore::CloseRealtimeLog()
{
    // Only records that could be written nowhere, not even beside their file, are asked about.
    while (!m_hourly.Close()) {
        const CString text = m_hourly.GetWaitingPath() + "\n" + GetMessageText(13006);
        if (AfxMessageBox(text, MB_RETRYCANCEL | MB_ICONSTOP) != IDRETRY) {
            m_hourly.Discard();
            return;
        }
    }
}

BOOL CLogStore::ExportLogCsv(LPCSTR pszPath)
{
    if (m_records.empty()) {
        ShowStopBox(13006);
        return FALSE;
    }
    const LogExportResult result = ExportLogCsvFile(pszPath, m_records, *m_pSet);
    if (result == LogExportCannotCreate)
        ShowStopBox(13006);
    return result == LogExportOk;
}

BOOL CLogStore::ExportLogText(LPCSTR pszPath)
{
    if (m_records.empty()) {
        ShowStopBox(13006);
        return FALSE;
    }
    const LogExportResult result = ExportLogTextFile(pszPath, m_records, *m_pSet);
    if (result == LogExportCannotCreate)
        ShowStopBox(13006);
    return result == LogExportOk;
}

BOOL CLogStore::OpenDroppedLogFile(LPCSTR pszPath)
{
    CString question;
    question.Format(GetMessageText(13008), pszPath);
    if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return FALSE;
    return ReadLogFile(pszPath);
}
