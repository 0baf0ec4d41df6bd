// CMemFile: a file in a block of memory that grows in steps of m_nGrowBytes. A file made over
// a caller's buffer with no growth step cannot grow; writing past it throws
// CMemoryException*. Seeking past the end is allowed; the gap reads as zeros once written.
#include "afx.h"
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return (BYTE*)malloc(nBytes); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return (BYTE*)realloc(lpMem, nBytes); }
BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    return (BYTE*)memcpy(lpMemTarget, lpMemSource, nBytes);
}
void CMemFile::Free(BYTE* lpMem) { free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    SIZE_T dwNewBufferSize = m_nBufferSize;
    while (dwNewBufferSize < dwNewLen) {
        if (dwNewBufferSize > (SIZE_T)-1 - m_nGrowBytes)
            AfxThrowMemoryException();
        dwNewBufferSize += m_nGrowBytes;
    }
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(dwNewBufferSize) : Realloc(m_lpBuffer, dwNewBufferSize);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = dwNewBufferSize;
}

ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }
ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus.m_ctime = rStatus.m_mtime = rStatus.m_atime = CTime();
    rStatus.m_size = m_nFileSize;
    rStatus.m_attribute = normal;
    rStatus.m_padding = 0;
    rStatus.m_szFullName[0] = '\0';
    return TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lNewPos;
    if (nFrom == begin)
        lNewPos = lOff;
    else if (nFrom == current)
        lNewPos = (LONGLONG)m_nPosition + lOff;
    else if (nFrom == end)
        lNewPos = (LONGLONG)m_nFileSize + lOff;
    else
        AfxThrowInvalidArgException();
    if (lNewPos < 0 || (ULONGLONG)lNewPos > (SIZE_T)-1)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = (SIZE_T)lNewPos;
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > (SIZE_T)-1)
        AfxThrowMemoryException();
    SIZE_T nNewLen = (SIZE_T)dwNewLen;
    if (nNewLen > m_nBufferSize)
        GrowFile(nNewLen);
    if (nNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
    if (nNewLen < m_nPosition)
        m_nPosition = nNewLen;
    m_nFileSize = nNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    Memcpy((BYTE*)lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return (UINT)nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition > (SIZE_T)-1 - nCount)
        AfxThrowMemoryException();
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    Memcpy(m_lpBuffer + m_nPosition, (const BYTE*)lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Abort()
{
    Close();
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax)
{
    if (nCommand == bufferCheck)
        return 1;
    if (nCommand == bufferCommit) {
        m_nPosition += nCount;
        if (m_nPosition > m_nFileSize)
            m_nFileSize = m_nPosition;
        return 0;
    }
    if (nCommand == bufferWrite && m_nPosition + nCount > m_nBufferSize)
        GrowFile(m_nPosition + nCount);
    if (ppBufStart != NULL)
        *ppBufStart = m_lpBuffer + m_nPosition;
    if (nCommand == bufferRead) {
        SIZE_T nLeft = m_nPosition < m_nFileSize ? m_nFileSize - m_nPosition : 0;
        if (nCount > nLeft)
            nCount = (UINT)nLeft;
        m_nPosition += nCount;
    }
    if (ppBufMax != NULL)
        *ppBufMax = (BYTE*)(ppBufStart != NULL ? *ppBufStart : m_lpBuffer) + nCount;
    return nCount;
}
