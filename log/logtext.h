// Texts of one log record, shared by the log list, the CSV export and the text dump: the
// payload read as text, the two 16-byte digests, the display flags of a record's port and
// kind, and the four texts of a list row.
//
// Records also come from log files, which may be damaged or foreign, so nothing here trusts
// a record's fields: payload texts stop at the end of the payload when no zero byte comes,
// and a port or kind outside the set's tables has no display flags and no colours.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

class CCommLogRecord;
class CCommSetRecord;

// Bits of a display flag word of the communication set (one word per port and kind).
enum LogDisplayFlag
{
    LogFlagListed = 0x1,     // the record is listed and exported
    LogFlagByteCount = 0x2,  // ":%04d" byte count in the list, a count field in the CSV
    LogFlagHexDigest = 0x4,
    LogFlagAsciiDigest = 0x8,
};

// Read access to a record's payload for the length of a scope.
class CLogPayload
{
public:
    explicit CLogPayload(const CCommLogRecord& record);
    ~CLogPayload();
    const BYTE* Data() const { return m_pData; }
    int Size() const { return m_nSize; }

private:
    COleSafeArray& m_array;
    const BYTE* m_pData;
    int m_nSize;
    CLogPayload(const CLogPayload&) = delete;
    CLogPayload& operator=(const CLogPayload&) = delete;
};

// The payload as a character string: its bytes up to the first zero byte, or all of them
// when none comes.
CString LogPayloadText(const CCommLogRecord& record);

// 16 cells of "%02X" (two spaces past the end of the bytes), one space after every odd
// cell: always 40 characters. Only the first 16 bytes count.
CString LogHexDigest(const BYTE* pData, int nSize);
// 16 characters: printable bytes (0x20..0x7E) as they are, "." for others, " " past the end.
CString LogAsciiDigest(const BYTE* pData, int nSize);

// The display flag word of the record's port and kind (index port * 3 + kind); 0 for an
// index outside the set's six words.
int LogDisplayFlags(const CCommSetRecord& set, const CCommLogRecord& record);
// The row colours of the record's port and kind; FALSE when the set has none for them.
BOOL LogRowColors(const CCommSetRecord& set, const CCommLogRecord& record, COLORREF& clrText,
                  COLORREF& clrBack);

// "Send" / "Recv" / the message text of a kind-0 record (empty for any other kind).
CString LogKindText(const CCommLogRecord& record);

struct CLogRowTexts
{
    CString strNo;        // "%04d" of sequence + 1
    CString strId;        // "1:(-)", "2:(3)"
    CString strTime;      // time, or date and time
    CString strContents;
};

// The four texts of a list row under the set's date format and display flags.
void BuildLogRowTexts(const CCommLogRecord& record, const CCommSetRecord& set, CLogRowTexts& texts);
// The row's "No." text alone.
CString LogRowNumberText(const CCommLogRecord& record);
