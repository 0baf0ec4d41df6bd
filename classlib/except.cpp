// The exception classes and the AfxThrow functions.
#include "afxwin.h"
#include <errno.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

static BOOL CopyMessage(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

// The text of a file or archive exception: its cause's text, or the generic one for an unknown
// cause, with the file's name put in for %1.
static BOOL CopyCauseMessage(const char* const* ppszCauses, int nCauses, int nCause, int nGeneric,
                             const CString& strFileName, LPSTR lpszError, UINT nMaxError,
                             PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    CString strText(ppszCauses[(nCause >= 0 && nCause < nCauses) ? nCause : nGeneric]);
    strText.Replace("%1", strFileName.IsEmpty() ? "an unnamed file" : (LPCSTR)strFileName);
    return CopyMessage(strText, lpszError, nMaxError);
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    if (GetErrorMessage(szMessage, sizeof(szMessage)))
        return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox("An unsupported operation was attempted.", nType);
}

CSimpleException::CSimpleException() : m_pszMessage(NULL) {}
CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete), m_pszMessage(NULL) {}

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (m_pszMessage == NULL)
        return CException::GetErrorMessage(lpszError, nMaxError, NULL);
    return CopyMessage(m_pszMessage, lpszError, nMaxError);
}

CMemoryException::CMemoryException() { m_pszMessage = "Out of memory."; }
CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) { m_pszMessage = "Out of memory."; }
CNotSupportedException::CNotSupportedException() { m_pszMessage = "An unsupported operation was attempted."; }
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) { m_pszMessage = "An unsupported operation was attempted."; }
CResourceException::CResourceException() { m_pszMessage = "A required resource was unavailable."; }
CResourceException::CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) { m_pszMessage = "A required resource was unavailable."; }
CUserException::CUserException() {}
CUserException::CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
CInvalidArgException::CInvalidArgException() { m_pszMessage = "Invalid argument."; }
CInvalidArgException::CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) { m_pszMessage = "Invalid argument."; }

// ---------------------------------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_LOCK_FAILED:
    case ERROR_INVALID_ACCESS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_TARGET_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return hardIO;
    default:
        return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case EPERM:
    case EACCES: return accessDenied;
    case EBADF: return invalidFile;
    case EDEADLOCK: return sharingViolation;
    case EMFILE: return tooManyOpenFiles;
    case ENOENT:
    case ENFILE: return fileNotFound;
    case ENOSPC: return diskFull;
    case EINVAL:
    case EIO: return hardIO;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), _doserrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const kCauses[] = {
        "No error occurred.",
        "An unspecified error occurred while accessing %1.",
        "%1 was not found.",
        "%1 contains an incorrect path.",
        "%1 could not be opened because there are too many open files.",
        "Access to %1 was denied.",
        "An incorrect file handle was associated with %1.",
        "%1 could not be removed because it is the current directory.",
        "%1 could not be created because the directory is full.",
        "Seek failed on %1",
        "A hardware I/O error was reported while accessing %1.",
        "A sharing violation occurred while accessing %1.",
        "A locking violation occurred while accessing %1.",
        "Disk full while accessing %1.",
        "An attempt was made to access %1 past its end.",
    };
    return CopyCauseMessage(kCauses, (int)_countof(kCauses), m_cause, genericException, m_strFileName,
                            lpszError, nMaxError, pnHelpContext);
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const kCauses[] = {
        "No error occurred.",
        "An unexpected error occurred while reading %1.",
        "Tried to write to %1 while it was being read.",
        "An unexpected end of file was reached while reading %1.",
        "Tried to read from %1 while it was being written.",
        "%1 has an invalid format.",
        "%1 contained an unexpected object.",
        "%1 contains an incorrect schema.",
    };
    return CopyCauseMessage(kCauses, (int)_countof(kCauses), m_cause, genericException, m_strFileName,
                            lpszError, nMaxError, pnHelpContext);
}

// ---------------------------------------------------------------------------------------

void AFXAPI AfxThrowMemoryException()
{
    // Preallocated: there may be no memory left to allocate an exception in.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
