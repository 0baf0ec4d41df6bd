// Consuming byte reader used by the file readers.
#include "bytestreamreader.h"

#include <cstring>

CByteStreamReader::CByteStreamReader()
    : m_bFailed(FALSE)
{
    CreateOneDim(VT_UI1, 0);
}

CByteStreamReader::CByteStreamReader(const COleSafeArray& source)
    : COleSafeArray(source), m_bFailed(FALSE)
{
}

CByteStreamReader::CByteStreamReader(const CByteStreamReader& other)
    : COleSafeArray(other), m_bFailed(other.m_bFailed)
{
}

CByteStreamReader& CByteStreamReader::operator=(const CByteStreamReader& other)
{
    if (this != &other) {
        COleSafeArray::operator=(other);
        m_bFailed = other.m_bFailed;
    }
    return *this;
}

DWORD CByteStreamReader::GetRemaining() const
{
    return const_cast<CByteStreamReader*>(this)->GetOneDimSize();
}

int CByteStreamReader::LoadFile(LPCTSTR pszPath)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::modeNoInherit | CFile::typeBinary))
        return 0;
    try {
        const ULONGLONG nFileLength = file.GetLength();
        if (nFileLength > 0x7FFFFFFFull) {
            file.Close();
            return 0;
        }
        const DWORD nLength = static_cast<DWORD>(nFileLength);
        COleSafeArray content;
        content.CreateOneDim(VT_UI1, nLength);
        UINT nRead = 0;
        if (nLength > 0) {
            void* pData = nullptr;
            content.AccessData(&pData);
            try {
                nRead = file.Read(pData, nLength);
            } catch (...) {
                content.UnaccessData();
                throw;
            }
            content.UnaccessData();
        }
        file.Close();
        if (nRead < nLength)
            return 0;
        COleSafeArray::operator=(content);
        m_bFailed = FALSE;
        return 1;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return 0;
}

void CByteStreamReader::CopyOut(DWORD nOffset, void* pDest, DWORD n)
{
    if (n == 0)
        return;
    void* pData = nullptr;
    AccessData(&pData);
    std::memcpy(pDest, static_cast<const BYTE*>(pData) + nOffset, n);
    UnaccessData();
}

void CByteStreamReader::Consume(DWORD n)
{
    const DWORD nSize = GetOneDimSize();
    if (n == 0)
        return;
    if (n >= nSize) {
        COleSafeArray::Clear();
        CreateOneDim(VT_UI1, 0);
        return;
    }
    void* pData = nullptr;
    AccessData(&pData);
    BYTE* p = static_cast<BYTE*>(pData);
    std::memmove(p, p + n, nSize - n);
    UnaccessData();
    ResizeOneDim(nSize - n);
}

BOOL CByteStreamReader::ReadBytes(void* pDest, DWORD n)
{
    if (n > GetRemaining()) {
        m_bFailed = TRUE;
        return FALSE;
    }
    CopyOut(0, pDest, n);
    Consume(n);
    return TRUE;
}

BOOL CByteStreamReader::Skip(DWORD n)
{
    if (n > GetRemaining()) {
        m_bFailed = TRUE;
        return FALSE;
    }
    Consume(n);
    return TRUE;
}

BOOL CByteStreamReader::PeekItemLength(DWORD& nLen)
{
    const DWORD nRemaining = GetRemaining();
    nLen = 0;
    if (nRemaining < 4) {
        m_bFailed = TRUE;
        return FALSE;
    }
    BYTE prefix[4];
    CopyOut(0, prefix, 4);
    const DWORD n = static_cast<DWORD>(prefix[0]) | (static_cast<DWORD>(prefix[1]) << 8) |
                    (static_cast<DWORD>(prefix[2]) << 16) | (static_cast<DWORD>(prefix[3]) << 24);
    // Compared against what follows the prefix so that a huge length cannot wrap around.
    if (n > nRemaining - 4) {
        m_bFailed = TRUE;
        return FALSE;
    }
    nLen = n;
    return TRUE;
}

CString CByteStreamReader::ReadString()
{
    DWORD nLen = 0;
    if (!PeekItemLength(nLen))
        return CString();
    CString text;
    if (nLen > 0) {
        void* pData = nullptr;
        AccessData(&pData);
        const char* pText = static_cast<const char*>(pData) + 4;
        const void* pZero = std::memchr(pText, 0, nLen);
        const int nTextLength = pZero != nullptr
            ? static_cast<int>(static_cast<const char*>(pZero) - pText)
            : static_cast<int>(nLen);
        text = CString(pText, nTextLength);
        UnaccessData();
    }
    Consume(4 + nLen);
    return text;
}

COleSafeArray CByteStreamReader::ReadBlob()
{
    COleSafeArray blob;
    DWORD nLen = 0;
    if (!PeekItemLength(nLen)) {
        blob.CreateOneDim(VT_UI1, 0);
        return blob;
    }
    blob.CreateOneDim(VT_UI1, nLen);
    if (nLen > 0) {
        void* pDest = nullptr;
        blob.AccessData(&pDest);
        CopyOut(4, pDest, nLen);
        blob.UnaccessData();
    }
    Consume(4 + nLen);
    return blob;
}

void CByteStreamReader::Clear()
{
    COleSafeArray::Clear();
    CreateOneDim(VT_UI1, 0);
    m_bFailed = FALSE;
}
