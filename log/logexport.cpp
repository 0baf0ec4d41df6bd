// CSV and text exports of the log.
#include "logexport.h"

#include "commlogrecord.h"
#include "commsetrecord.h"
#include "logtext.h"
#include "messagetext.h"

namespace {

const int kBytesPerLine = 16;

BOOL IsDataKind(const CCommLogRecord& record)
{
    return record.m_nKind == CCommLogRecord::KindSend || record.m_nKind == CCommLogRecord::KindReceive;
}

void AddField(CString& line, const CString& field)
{
    line += LogCsvField(field);
    line += ",";
}

CString Number(int n)
{
    CString text;
    text.Format("%d", n);
    return text;
}

void WriteText(CFile& file, const CString& text)
{
    if (!text.IsEmpty())
        file.Write(text.GetString(), static_cast<UINT>(text.GetLength()));
}

// Creates the file and writes what lineOf gives for every listed record. The header is
// written first when given.
template <typename LineOf>
LogExportResult WriteExport(LPCSTR pszPath, const std::deque<CCommLogRecord>& records,
                            const CCommSetRecord& set, const CString& header, LineOf lineOf)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::modeNoInherit))
        return LogExportCannotCreate;
    try {
        WriteText(file, header);
        int nPosition = 0;
        for (const CCommLogRecord& record : records) {
            if (LogDisplayFlags(set, record) & LogFlagListed)
                WriteText(file, lineOf(record, nPosition));
            ++nPosition;
        }
        file.Close();
        return LogExportOk;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    file.Abort();
    return LogExportWriteFailed;
}

}  // namespace

CString LogCsvField(const CString& field)
{
    const char* p = field.GetString();
    const int n = field.GetLength();
    BOOL bQuote = FALSE;
    for (int i = 0; i < n && !bQuote; ++i)
        bQuote = p[i] == ',' || p[i] == '"' || p[i] == '\r' || p[i] == '\n';
    if (!bQuote)
        return field;
    CString quoted("\"");
    for (int i = 0; i < n; ++i) {
        if (p[i] == '"')
            quoted += '"';
        quoted += p[i];
    }
    quoted += '"';
    return quoted;
}

CString LogCsvLine(const CCommLogRecord& record, int nPosition, const CCommSetRecord& set)
{
    const SYSTEMTIME& t = record.m_time;
    CString line;
    CString text;
    AddField(line, Number(nPosition + 1));
    AddField(line, Number(record.m_nPort + 1));
    AddField(line, record.m_nSub > 0 ? Number(record.m_nSub) : CString());
    text.Format("%04d/%02d/%02d", t.wYear, t.wMonth, t.wDay);
    AddField(line, text);
    text.Format("%02d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
    AddField(line, text);
    text.Format("%03d", t.wMilliseconds);
    AddField(line, text);
    AddField(line, Number(record.m_nKind));
    AddField(line, LogKindText(record));

    if (record.m_nKind == CCommLogRecord::KindMessage) {
        if (record.GetPayloadSize() > 0)
            AddField(line, LogPayloadText(record));
    } else if (IsDataKind(record)) {
        AddField(line, CString());
        const int nFlags = LogDisplayFlags(set, record);
        CLogPayload payload(record);
        if (nFlags & LogFlagByteCount)
            AddField(line, Number(payload.Size()));
        if (nFlags & LogFlagHexDigest)
            AddField(line, LogHexDigest(payload.Data(), payload.Size()));
        if (nFlags & LogFlagAsciiDigest)
            AddField(line, LogAsciiDigest(payload.Data(), payload.Size()));
        if (record.m_nPeerPort != -1) {
            const DWORD a = record.m_dwPeerAddr;
            text.Format("%u.%u.%u.%u", a & 0xFF, (a >> 8) & 0xFF, (a >> 16) & 0xFF, (a >> 24) & 0xFF);
            AddField(line, text);
            text.Format("%u", static_cast<unsigned>(record.m_nPeerPort));
            AddField(line, text);
        }
    }
    line += "\r\n";
    return line;
}

CString LogTextEntry(const CCommLogRecord& record, int nPosition)
{
    const SYSTEMTIME& t = record.m_time;
    CString entry;
    entry.Format("No.%d\r\n", nPosition + 1);
    if (record.m_nPort == 0)
        entry += "############################## Port.1 ##############################\r\n";
    else
        entry.AppendFormat("============================== Port.2 Sub.%d ==============================\r\n",
                           record.m_nSub);
    entry.AppendFormat("%04d/%02d/%02d %02d:%02d:%02d.%03d\r\n", t.wYear, t.wMonth, t.wDay, t.wHour,
                       t.wMinute, t.wSecond, t.wMilliseconds);

    CLogPayload payload(record);
    switch (record.m_nKind) {
    case CCommLogRecord::KindMessage:
        entry.AppendFormat("%s\r\n%s", GetMessageText(13100), GetMessageText(record.m_nMsgCode));
        if (payload.Size() > 0)
            entry += "\r\n" + LogPayloadText(record);
        break;
    case CCommLogRecord::KindSend:
        entry.AppendFormat("%s %d Byte", GetMessageText(13101), payload.Size());
        break;
    case CCommLogRecord::KindReceive:
        entry.AppendFormat("%s %d Byte", GetMessageText(13102), payload.Size());
        break;
    default:
        entry += "???";
        break;
    }
    entry += "\r\n";

    if (IsDataKind(record)) {
        if (record.m_nPeerPort != -1) {
            const DWORD a = record.m_dwPeerAddr;
            entry.AppendFormat("Info=[%u.%u.%u.%u] [%u]\r\n", a & 0xFF, (a >> 8) & 0xFF, (a >> 16) & 0xFF,
                               (a >> 24) & 0xFF, static_cast<unsigned>(record.m_nPeerPort));
        }
        for (int nOffset = 0; nOffset < payload.Size(); nOffset += kBytesPerLine) {
            const BYTE* pLine = payload.Data() + nOffset;
            const int nLine = payload.Size() - nOffset;
            entry.AppendFormat("%08X: ", nOffset);
            entry += LogHexDigest(pLine, nLine) + " [" + LogAsciiDigest(pLine, nLine) + "]\r\n";
        }
    }
    entry += "\r\n";
    return entry;
}

LogExportResult ExportLogCsvFile(LPCSTR pszPath, const std::deque<CCommLogRecord>& records,
                                 const CCommSetRecord& set)
{
    return WriteExport(pszPath, records, set, GetMessageText(13064),
                       [&set](const CCommLogRecord& record, int nPosition) {
                           return LogCsvLine(record, nPosition, set);
                       });
}

LogExportResult ExportLogTextFile(LPCSTR pszPath, const std::deque<CCommLogRecord>& records,
                                  const CCommSetRecord& set)
{
    return WriteExport(pszPath, records, set, CString(),
                       [](const CCommLogRecord& record, int nPosition) {
                           return LogTextEntry(record, nPosition);
                       });
}
