// CSV and text exports of the log. Both walk all stored records, print the ones whose port
// and kind are listed under the set's display flags, and number each by its position in
// the whole log (counted from 1), so filtered records leave gaps.
#pragma once

#include <deque>

#include "afxwin.h"

class CCommLogRecord;
class CCommSetRecord;

enum LogExportResult
{
    LogExportOk = 0,
    LogExportCannotCreate = 1,  // nothing written
    LogExportWriteFailed = 2,   // the file holds what was written before the failure
};

// A CSV field: as it is, or in double quotes with inner quotes doubled when it holds a
// comma, a double quote, CR or LF. Bytes are tested one by one: none of these four can be
// the second byte of a double-byte character, and a reader splits on the bytes alone.
CString LogCsvField(const CString& field);

// One CSV line (with its CR LF) of the record at the zero-based position in the log.
CString LogCsvLine(const CCommLogRecord& record, int nPosition, const CCommSetRecord& set);
// One text-dump entry (ending with its empty line) of the record at the position.
CString LogTextEntry(const CCommLogRecord& record, int nPosition);

LogExportResult ExportLogCsvFile(LPCSTR pszPath, const std::deque<CCommLogRecord>& records,
                                 const CCommSetRecord& set);
LogExportResult ExportLogTextFile(LPCSTR pszPath, const std::deque<CCommLogRecord>& records,
                                  const CCommSetRecord& set);
