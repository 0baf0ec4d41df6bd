// Texts of a log record for the list and the exports.
#include "logtext.h"

#include "commlogrecord.h"
#include "commsetrecord.h"
#include "messagetext.h"

namespace {

const int kDigestBytes = 16;
const int kFlagWords = 6;

int FlagIndex(const CCommLogRecord& record)
{
    if (record.m_nPort < 0 || record.m_nKind < 0)
        return -1;
    const long long index = static_cast<long long>(record.m_nPort) * 3 + record.m_nKind;
    return index < kFlagWords ? static_cast<int>(index) : -1;
}

}  // namespace

CLogPayload::CLogPayload(const CCommLogRecord& record)
    : m_array(const_cast<COleSafeArray&>(record.m_data)), m_pData(nullptr), m_nSize(0)
{
    const DWORD nSize = m_array.GetOneDimSize();
    if (nSize > 0) {
        void* p = nullptr;
        m_array.AccessData(&p);
        m_pData = static_cast<const BYTE*>(p);
        m_nSize = static_cast<int>(nSize);
    }
}

CLogPayload::~CLogPayload()
{
    if (m_pData != nullptr)
        m_array.UnaccessData();
}

CString LogPayloadText(const CCommLogRecord& record)
{
    CLogPayload payload(record);
    int nLength = 0;
    while (nLength < payload.Size() && payload.Data()[nLength] != 0)
        ++nLength;
    if (nLength == 0)
        return CString();
    return CString(reinterpret_cast<const char*>(payload.Data()), nLength);
}

CString LogHexDigest(const BYTE* pData, int nSize)
{
    static const char kHex[] = "0123456789ABCDEF";
    char text[kDigestBytes * 2 + kDigestBytes / 2 + 1];
    int n = 0;
    for (int i = 0; i < kDigestBytes; ++i) {
        if (i < nSize) {
            text[n++] = kHex[pData[i] >> 4];
            text[n++] = kHex[pData[i] & 0x0F];
        } else {
            text[n++] = ' ';
            text[n++] = ' ';
        }
        if (i % 2 == 1)
            text[n++] = ' ';
    }
    return CString(text, n);
}

CString LogAsciiDigest(const BYTE* pData, int nSize)
{
    char text[kDigestBytes];
    for (int i = 0; i < kDigestBytes; ++i) {
        if (i >= nSize)
            text[i] = ' ';
        else if (pData[i] >= 0x20 && pData[i] <= 0x7E)
            text[i] = static_cast<char>(pData[i]);
        else
            text[i] = '.';
    }
    return CString(text, kDigestBytes);
}

int LogDisplayFlags(const CCommSetRecord& set, const CCommLogRecord& record)
{
    const int index = FlagIndex(record);
    return index < 0 ? 0 : set.m_nDisplayFlags[index];
}

BOOL LogRowColors(const CCommSetRecord& set, const CCommLogRecord& record, COLORREF& clrText,
                  COLORREF& clrBack)
{
    const int index = FlagIndex(record);
    if (index < 0)
        return FALSE;
    // The text colours are one table of six, port by port, like the flags.
    clrText = set.m_clrText[index / 3][index % 3];
    clrBack = set.m_clrBack[index / 3];
    return TRUE;
}

CString LogKindText(const CCommLogRecord& record)
{
    switch (record.m_nKind) {
    case CCommLogRecord::KindMessage: return GetMessageText(record.m_nMsgCode);
    case CCommLogRecord::KindSend: return CString("Send");
    case CCommLogRecord::KindReceive: return CString("Recv");
    default: return CString();
    }
}

CString LogRowNumberText(const CCommLogRecord& record)
{
    CString strNo;
    strNo.Format("%04d", record.m_nSeq + 1);
    return strNo;
}

void BuildLogRowTexts(const CCommLogRecord& record, const CCommSetRecord& set, CLogRowTexts& texts)
{
    texts.strNo = LogRowNumberText(record);

    texts.strId.Format("%d", record.m_nPort + 1);
    if (record.m_nSub > 0)
        texts.strId.AppendFormat(":(%d)", record.m_nSub);
    else
        texts.strId += ":(-)";

    const SYSTEMTIME& t = record.m_time;
    if (set.m_nDateFormat == 1)
        texts.strTime.Format("%02d:%02d:%02d.%03d", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    else
        texts.strTime.Format("%04d/%02d/%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour,
                             t.wMinute, t.wSecond, t.wMilliseconds);

    texts.strContents = LogKindText(record);
    if (record.m_nKind == CCommLogRecord::KindMessage) {
        if (record.GetPayloadSize() > 0)
            texts.strContents += " (" + LogPayloadText(record) + ")";
        return;
    }
    if (record.m_nKind != CCommLogRecord::KindSend && record.m_nKind != CCommLogRecord::KindReceive)
        return;

    const int nFlags = LogDisplayFlags(set, record);
    CLogPayload payload(record);
    if (nFlags & LogFlagByteCount)
        texts.strContents.AppendFormat(":%04d", payload.Size());
    if (nFlags & LogFlagHexDigest)
        texts.strContents += ":" + LogHexDigest(payload.Data(), payload.Size());
    if (nFlags & LogFlagAsciiDigest)
        texts.strContents += ":[" + LogAsciiDigest(payload.Data(), payload.Size()) + "]";
    if (record.m_nPeerPort != -1) {
        const DWORD a = record.m_dwPeerAddr;
        texts.strContents.AppendFormat(" IP:%u.%u.%u.%u Port:%u", a & 0xFF, (a >> 8) & 0xFF,
                                       (a >> 16) & 0xFF, (a >> 24) & 0xFF,
                                       static_cast<unsigned>(record.m_nPeerPort));
    }
}
