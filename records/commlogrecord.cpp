// Log record: construction, deep copy and the fixed serialised body of the log files.
#include "commlogrecord.h"

#include <cstring>

#include "logbytes.h"

namespace {

void PutWord(BYTE* p, WORD v)
{
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
}

WORD GetWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

// Whether the buffer is a byte array of n bytes from index 0 that nobody holds open.
bool IsByteBufferOf(const COleSafeArray& buffer, DWORD n)
{
    const SAFEARRAY* p = buffer.parray;
    return buffer.vt == (VT_ARRAY | VT_UI1) && p != nullptr && p->cDims == 1 && p->cLocks == 0 &&
           p->rgsabound[0].lLbound == 0 && p->rgsabound[0].cElements == n;
}

// Makes dest an owned copy of nLength bytes; a zero length gives an empty buffer. A buffer of
// the right size is filled in place: a record reused for record after record (a log file
// being read, a connection's reports) would otherwise make and free a buffer for each.
void CopyIntoBuffer(COleSafeArray& dest, const void* pData, int nLength)
{
    const DWORD n = static_cast<DWORD>(nLength > 0 ? nLength : 0);
    if (!IsByteBufferOf(dest, n)) {
        dest.Clear();
        dest.CreateOneDim(VT_UI1, n);
    }
    if (n > 0) {
        void* pDest = nullptr;
        dest.AccessData(&pDest);
        if (pData != nullptr)
            std::memcpy(pDest, pData, n);
        else
            std::memset(pDest, 0, n);
        dest.UnaccessData();
    }
}

} // namespace

CCommLogRecord::CCommLogRecord()
    : CCommLogRecord(0, 0)
{
}

CCommLogRecord::CCommLogRecord(int nPort, int nSub)
    : m_nSeq(0), m_nPort(nPort), m_nKind(KindMessage), m_nSub(nSub), m_nMsgCode(0),
      m_nSysError(0), m_nRouteTarget(0), m_nReserved(0), m_dwPeerAddr(0), m_nPeerPort(-1)
{
    std::memset(&m_time, 0, sizeof(m_time));
    m_data.CreateOneDim(VT_UI1, 0);
}

CCommLogRecord::CCommLogRecord(const CCommLogRecord& other)
    : m_nSeq(other.m_nSeq), m_nPort(other.m_nPort), m_nKind(other.m_nKind),
      m_nSub(other.m_nSub), m_nMsgCode(other.m_nMsgCode), m_nSysError(other.m_nSysError),
      m_nRouteTarget(other.m_nRouteTarget), m_nReserved(other.m_nReserved),
      m_time(other.m_time), m_data(other.m_data), m_dwPeerAddr(other.m_dwPeerAddr),
      m_nPeerPort(other.m_nPeerPort)
{
}

CCommLogRecord& CCommLogRecord::operator=(const CCommLogRecord& other)
{
    if (this != &other) {
        m_nSeq = other.m_nSeq;
        m_nPort = other.m_nPort;
        m_nKind = other.m_nKind;
        m_nSub = other.m_nSub;
        m_nMsgCode = other.m_nMsgCode;
        m_nSysError = other.m_nSysError;
        m_nRouteTarget = other.m_nRouteTarget;
        m_nReserved = other.m_nReserved;
        m_time = other.m_time;
        m_data = other.m_data;
        m_dwPeerAddr = other.m_dwPeerAddr;
        m_nPeerPort = other.m_nPeerPort;
    }
    return *this;
}

CCommLogRecord::~CCommLogRecord() = default;

int CCommLogRecord::GetPayloadSize() const
{
    return static_cast<int>(const_cast<COleSafeArray&>(m_data).GetOneDimSize());
}

void CCommLogRecord::SetPayload(const void* pData, int nLength)
{
    CopyIntoBuffer(m_data, pData, nLength);
}

void CCommLogRecord::SetPayload(const COleSafeArray& data)
{
    m_data = data;
}

COleSafeArray CCommLogRecord::ToBytes() const
{
    const int nPayload = GetPayloadSize();
    COleSafeArray out;
    out.CreateOneDim(VT_UI1, static_cast<DWORD>(kBodyHeaderSize + nPayload));
    BYTE* p = nullptr;
    out.AccessData(reinterpret_cast<void**>(&p));
    LogPutInt32(p + 0, static_cast<DWORD>(m_nSeq));
    LogPutInt32(p + 4, static_cast<DWORD>(m_nPort));
    LogPutInt32(p + 8, static_cast<DWORD>(m_nKind));
    LogPutInt32(p + 12, static_cast<DWORD>(m_nSub));
    LogPutInt32(p + 16, static_cast<DWORD>(m_nMsgCode));
    LogPutInt32(p + 20, static_cast<DWORD>(m_nSysError));
    LogPutInt32(p + 24, static_cast<DWORD>(m_nRouteTarget));
    LogPutInt32(p + 28, static_cast<DWORD>(m_nReserved));
    LogPutInt32(p + 32, m_dwPeerAddr);
    LogPutInt32(p + 36, static_cast<DWORD>(m_nPeerPort));
    PutWord(p + 40, m_time.wYear);
    PutWord(p + 42, m_time.wMonth);
    PutWord(p + 44, m_time.wDayOfWeek);
    PutWord(p + 46, m_time.wDay);
    PutWord(p + 48, m_time.wHour);
    PutWord(p + 50, m_time.wMinute);
    PutWord(p + 52, m_time.wSecond);
    PutWord(p + 54, m_time.wMilliseconds);
    if (nPayload > 0) {
        COleSafeArray& payload = const_cast<COleSafeArray&>(m_data);
        void* pSrc = nullptr;
        payload.AccessData(&pSrc);
        std::memcpy(p + kBodyHeaderSize, pSrc, static_cast<size_t>(nPayload));
        payload.UnaccessData();
    }
    out.UnaccessData();
    return out;
}

int CCommLogRecord::FromBytes(int nLength, const BYTE* pData)
{
    if (nLength < kBodyHeaderSize || pData == nullptr)
        return 0;
    m_nSeq = static_cast<int>(LogGetInt32(pData + 0));
    m_nPort = static_cast<int>(LogGetInt32(pData + 4));
    m_nKind = static_cast<int>(LogGetInt32(pData + 8));
    m_nSub = static_cast<int>(LogGetInt32(pData + 12));
    m_nMsgCode = static_cast<int>(LogGetInt32(pData + 16));
    m_nSysError = static_cast<int>(LogGetInt32(pData + 20));
    m_nRouteTarget = static_cast<int>(LogGetInt32(pData + 24));
    m_nReserved = static_cast<int>(LogGetInt32(pData + 28));
    m_dwPeerAddr = LogGetInt32(pData + 32);
    m_nPeerPort = static_cast<int>(LogGetInt32(pData + 36));
    m_time.wYear = GetWord(pData + 40);
    m_time.wMonth = GetWord(pData + 42);
    m_time.wDayOfWeek = GetWord(pData + 44);
    m_time.wDay = GetWord(pData + 46);
    m_time.wHour = GetWord(pData + 48);
    m_time.wMinute = GetWord(pData + 50);
    m_time.wSecond = GetWord(pData + 52);
    m_time.wMilliseconds = GetWord(pData + 54);
    CopyIntoBuffer(m_data, pData + kBodyHeaderSize, nLength - kBodyHeaderSize);
    return 1;
}
