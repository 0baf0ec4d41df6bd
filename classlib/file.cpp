// CFile over a Win32 file handle. Open reports failure by its result; every other operation
// throws CFileException* with the cause mapped from the system error.
#include "afx.h"

#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    // A path longer than MAX_PATH (a dropped file deep in a folder tree) opens as it stands:
    // the name goes to the system in UTF-16, where the ANSI functions would stop at MAX_PATH.
    std::vector<wchar_t> full;
    DWORD nFull = 0;
    if (lpszFileName != NULL) {
        const int nWide = MultiByteToWideChar(CP_ACP, 0, lpszFileName, -1, NULL, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(nWide > 0 ? nWide : 1), L'\0');
        if (nWide > 0)
            MultiByteToWideChar(CP_ACP, 0, lpszFileName, -1, wide.data(), nWide);
        nFull = GetFullPathNameW(wide.data(), 0, NULL, NULL);
        full.assign(nFull + 1, L'\0');
        if (nFull > 0)
            nFull = GetFullPathNameW(wide.data(), nFull + 1, full.data(), NULL);
    }
    if (nFull == 0 || nFull >= full.size()) {
        if (pError != NULL) {
            pError->m_lOsError = lpszFileName == NULL ? ERROR_INVALID_NAME : (LONG)GetLastError();
            if (pError->m_lOsError == 0)
                pError->m_lOsError = ERROR_FILENAME_EXCED_RANGE;
            pError->m_cause = CFileException::badPath;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    const int nNarrow = WideCharToMultiByte(CP_ACP, 0, full.data(), -1, NULL, 0, NULL, NULL);
    std::vector<char> narrow(static_cast<size_t>(nNarrow > 0 ? nNarrow : 1), '\0');
    if (nNarrow > 0)
        WideCharToMultiByte(CP_ACP, 0, full.data(), -1, narrow.data(), nNarrow, NULL, NULL);
    m_strFileName = narrow.data();
    // A drive path past MAX_PATH needs the extended-length prefix.
    std::wstring sysName(full.data());
    if (sysName.size() >= MAX_PATH && sysName.size() > 2 && sysName[1] == L':')
        sysName = L"\\\\?\\" + sysName;

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default: dwAccess = GENERIC_READ; break;
    }

    // The compatibility mode is exclusive, as on the platform.
    DWORD dwShareMode = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: dwShareMode = FILE_SHARE_READ; break;
    case shareDenyRead: dwShareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: dwShareMode = 0; break;
    }

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE hFile = ::CreateFileW(sysName.c_str(), dwAccess, dwShareMode, &sa, dwCreateFlag, dwFlags, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (pError != NULL) {
            pError->m_lOsError = (LONG)::GetLastError();
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

CFile* CFile::Duplicate() const
{
    CFile* pFile = new CFile();
    HANDLE hFile;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hFile, 0, FALSE,
                           DUPLICATE_SAME_ACCESS)) {
        delete pFile;
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    }
    pFile->m_hFile = hFile;
    pFile->m_bCloseOnDelete = m_bCloseOnDelete;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

static void ThrowLastError(LPCSTR lpszFileName)
{
    LONG lError = (LONG)::GetLastError();
    if (lError == 0)
        lError = ERROR_GEN_FAILURE;
    CFileException::ThrowOsError(lError, lpszFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        ThrowLastError(m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD nWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        ThrowLastError(m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD dwMethod = nFrom == begin ? FILE_BEGIN : (nFrom == end ? FILE_END : FILE_CURRENT);
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero, liPos;
    liZero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)liPos.QuadPart;
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    LONG lError = 0;
    if (m_hFile != hFileNull) {
        bError = !::CloseHandle(m_hFile);
        if (bError)
            lError = (LONG)::GetLastError();
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString strName = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError(lError ? lError : ERROR_GEN_FAILURE, strName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

UINT CFile::GetBufferPtr(UINT nCommand, UINT, void** ppBufStart, void** ppBufMax)
{
    if (nCommand != bufferCheck) {
        if (ppBufStart != NULL)
            *ppBufStart = NULL;
        if (ppBufMax != NULL)
            *ppBufMax = NULL;
    }
    return 0;
}

static void FillStatus(CFileStatus& rStatus, const FILETIME& ftCreate, const FILETIME& ftAccess,
                       const FILETIME& ftWrite, ULONGLONG nSize, DWORD dwAttributes)
{
    rStatus.m_ctime = CTime(ftCreate);
    rStatus.m_atime = CTime(ftAccess);
    rStatus.m_mtime = CTime(ftWrite);
    rStatus.m_size = nSize;
    rStatus.m_attribute = (BYTE)(dwAttributes & 0xFF);
    rStatus.m_padding = 0;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    memset(rStatus.m_szFullName, 0, sizeof(rStatus.m_szFullName));
    lstrcpynA(rStatus.m_szFullName, m_strFileName, MAX_PATH);
    BY_HANDLE_FILE_INFORMATION info;
    if (m_hFile == hFileNull || !::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    FillStatus(rStatus, info.ftCreationTime, info.ftLastAccessTime, info.ftLastWriteTime,
               ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow, info.dwFileAttributes);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    if (lpszFileName == NULL)
        return FALSE;
    LPSTR pFilePart = NULL;
    DWORD n = GetFullPathNameA(lpszFileName, MAX_PATH, rStatus.m_szFullName, &pFilePart);
    if (n == 0 || n >= MAX_PATH) {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(lpszFileName, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(hFind);
    FillStatus(rStatus, findData.ftCreationTime, findData.ftLastAccessTime, findData.ftLastWriteTime,
               ((ULONGLONG)findData.nFileSizeHigh << 32) | findData.nFileSizeLow, findData.dwFileAttributes);
    return TRUE;
}

CString CFile::GetFileName() const
{
    CString strPath = GetFilePath();
    int nSlash = strPath.ReverseFind('\\');
    int nOther = strPath.ReverseFind('/');
    if (nOther > nSlash)
        nSlash = nOther;
    return strPath.Mid(nSlash + 1);
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        ThrowLastError(lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        ThrowLastError(lpszFileName);
}
