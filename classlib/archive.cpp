// CArchive: a buffer between the serialising code and the file. Loading reads the file in
// buffer-sized blocks; storing fills the buffer and writes it when full, on Flush and Close.
#include "afx.h"
#include <stdlib.h>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_bUserBuf(lpBuf != NULL), m_nMode(nMode), m_nBufSize(nBufSize < 128 ? 128 : nBufSize),
      m_pFile(pFile), m_bDirectBuffer(FALSE)
{
    if (lpBuf == NULL || nBufSize < 128) {
        m_bUserBuf = FALSE;
        m_lpBufStart = new BYTE[m_nBufSize];
    } else {
        m_lpBufStart = (BYTE*)lpBuf;
    }
    if (pFile != NULL)
        m_strFileName = pFile->GetFilePath();
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        // A destructor must not throw: a failure here was the caller's to see through Close.
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::CheckLoading() const
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() const
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::Abort()
{
    m_pFile = NULL;
}

void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    Flush();
    m_pFile = NULL;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading()) {
        // Give back what was read ahead, so the file stands where the archive does.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    }
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    CheckLoading();
    UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnused > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnused);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnused;
    while ((UINT)(m_lpBufMax - m_lpBufCur) < nBytesNeeded) {
        UINT nSpace = (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax);
        if (nSpace == 0)
            break;
        UINT nRead = m_pFile->Read(m_lpBufMax, nSpace);
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    BYTE* pOut = (BYTE*)lpBuf;
    UINT nLeft = nMax;
    UINT nInBuf = (UINT)(m_lpBufMax - m_lpBufCur);
    UINT nCopy = nInBuf < nLeft ? nInBuf : nLeft;
    memcpy(pOut, m_lpBufCur, nCopy);
    m_lpBufCur += nCopy;
    pOut += nCopy;
    nLeft -= nCopy;
    if (nLeft == 0)
        return nMax;
    // Large reads go straight to the caller's memory, small ones through the buffer.
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
    while (nLeft >= (UINT)m_nBufSize) {
        UINT nRead = m_pFile->Read(pOut, nLeft);
        if (nRead == 0)
            return nMax - nLeft;
        pOut += nRead;
        nLeft -= nRead;
    }
    if (nLeft > 0) {
        FillBuffer(nLeft);
        nInBuf = (UINT)(m_lpBufMax - m_lpBufCur);
        nCopy = nInBuf < nLeft ? nInBuf : nLeft;
        memcpy(pOut, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        nLeft -= nCopy;
    }
    return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    const BYTE* pIn = (const BYTE*)lpBuf;
    UINT nSpace = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nMax <= nSpace) {
        memcpy(m_lpBufCur, pIn, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= (UINT)m_nBufSize) {
        m_pFile->Write(pIn, nMax);
        return;
    }
    memcpy(m_lpBufCur, pIn, nMax);
    m_lpBufCur += nMax;
}

template <typename T>
void CArchive::Put(T v)
{
    CheckStoring();
    if ((size_t)(m_lpBufMax - m_lpBufCur) < sizeof(T))
        Flush();
    memcpy(m_lpBufCur, &v, sizeof(T));
    m_lpBufCur += sizeof(T);
}

template <typename T>
T CArchive::Get()
{
    CheckLoading();
    if ((size_t)(m_lpBufMax - m_lpBufCur) < sizeof(T))
        FillBuffer(sizeof(T));
    if ((size_t)(m_lpBufMax - m_lpBufCur) < sizeof(T))
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    T v;
    memcpy(&v, m_lpBufCur, sizeof(T));
    m_lpBufCur += sizeof(T);
    return v;
}

CArchive& CArchive::operator<<(BYTE by) { Put(by); return *this; }
CArchive& CArchive::operator<<(WORD w) { Put(w); return *this; }
CArchive& CArchive::operator<<(LONG l) { Put(l); return *this; }
CArchive& CArchive::operator<<(DWORD dw) { Put(dw); return *this; }
CArchive& CArchive::operator<<(float f) { Put(f); return *this; }
CArchive& CArchive::operator<<(double d) { Put(d); return *this; }
CArchive& CArchive::operator<<(LONGLONG dwdw) { Put(dwdw); return *this; }
CArchive& CArchive::operator<<(ULONGLONG dwdw) { Put(dwdw); return *this; }

CArchive& CArchive::operator>>(BYTE& by) { by = Get<BYTE>(); return *this; }
CArchive& CArchive::operator>>(WORD& w) { w = Get<WORD>(); return *this; }
CArchive& CArchive::operator>>(DWORD& dw) { dw = Get<DWORD>(); return *this; }
CArchive& CArchive::operator>>(LONG& l) { l = Get<LONG>(); return *this; }
CArchive& CArchive::operator>>(float& f) { f = Get<float>(); return *this; }
CArchive& CArchive::operator>>(double& d) { d = Get<double>(); return *this; }
CArchive& CArchive::operator>>(LONGLONG& dwdw) { dwdw = Get<LONGLONG>(); return *this; }
CArchive& CArchive::operator>>(ULONGLONG& dwdw) { dwdw = Get<ULONGLONG>(); return *this; }
CArchive& CArchive::operator>>(int& i) { i = (int)Get<LONG>(); return *this; }
CArchive& CArchive::operator>>(short& w) { w = (short)Get<WORD>(); return *this; }
CArchive& CArchive::operator>>(char& ch) { ch = (char)Get<BYTE>(); return *this; }
CArchive& CArchive::operator>>(unsigned& u) { u = (unsigned)Get<LONG>(); return *this; }
CArchive& CArchive::operator>>(bool& b) { b = Get<BYTE>() != 0; return *this; }

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
    } else {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

// ---------------------------------------------------------------------------------------
// Strings

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz != NULL)
        Write(lpsz, (UINT)strlen(lpsz));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    BOOL bAny = FALSE;
    for (;;) {
        if (m_lpBufCur == m_lpBufMax) {
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        char ch = (char)*m_lpBufCur++;
        bAny = TRUE;
        if (ch == '\n')
            break;
        rString += ch;
    }
    if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == '\r')
        rString.Truncate(rString.GetLength() - 1);
    return bAny;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        return NULL;
    CString strLine;
    if (!ReadString(strLine))
        return NULL;
    lstrcpynA(lpsz, strLine, (int)nMax);
    return lpsz;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    DWORD nLength = (DWORD)string.GetLength();
    if (nLength < 0xFF) {
        ar << (BYTE)nLength;
    } else {
        ar << (BYTE)0xFF;
        if (nLength < 0xFFFE) {
            ar << (WORD)nLength;
        } else {
            ar << (WORD)0xFFFF;
            ar << nLength;
        }
    }
    ar.Write((LPCSTR)string, nLength);
    return ar;
}

// Length prefix of a stored string; tells whether the text is UTF-16.
static DWORD ReadStringLength(CArchive& ar, bool& bWide)
{
    bWide = false;
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE) {
        bWide = true;
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        ar >> wLen;
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen;
    ar >> dwLen;
    if (dwLen == 0xFFFFFFFF)
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    return dwLen;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    bool bWide;
    DWORD nLength = ReadStringLength(ar, bWide);
    DWORD nBytes = bWide ? nLength * 2 : nLength;
    if (bWide && nLength > 0x7FFFFFFF)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    // A damaged length must not make us allocate more than the file can still hold.
    CFile* pFile = ar.GetFile();
    if (pFile != NULL) {
        ULONGLONG nAvailable = (ULONGLONG)(ar.m_lpBufMax - ar.m_lpBufCur);
        try {
            ULONGLONG nLength = pFile->GetLength();
            ULONGLONG nPosition = pFile->GetPosition();
            if (nLength > nPosition)
                nAvailable += nLength - nPosition;
        } catch (CException* e) {
            e->Delete();
            nAvailable = ~0ULL;
        }
        if ((ULONGLONG)nBytes > nAvailable)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    if (!bWide) {
        LPSTR p = string.GetBufferSetLength((int)nLength);
        UINT nRead = ar.Read(p, nLength);
        if (nRead != nLength) {
            string.Empty();
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        }
        string.ReleaseBuffer((int)nLength);
    } else {
        WCHAR* pWide = new WCHAR[nLength + 1];
        UINT nRead = ar.Read(pWide, nBytes);
        if (nRead != nBytes) {
            delete[] pWide;
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        }
        string = CString(pWide, (int)nLength);
        delete[] pWide;
    }
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size) { ar.Write(&size, sizeof(SIZE)); return ar; }
CArchive& AFXAPI operator<<(CArchive& ar, POINT point) { ar.Write(&point, sizeof(POINT)); return ar; }
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect) { ar.Write(&rect, sizeof(RECT)); return ar; }

static void ReadExact(CArchive& ar, void* p, UINT n)
{
    if (ar.Read(p, n) != n)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size) { ReadExact(ar, &size, sizeof(SIZE)); return ar; }
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point) { ReadExact(ar, &point, sizeof(POINT)); return ar; }
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect) { ReadExact(ar, &rect, sizeof(RECT)); return ar; }
