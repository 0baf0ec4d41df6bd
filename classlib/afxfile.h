// CFile over a Win32 file handle, and CMemFile over a growable block of memory. Reads return
// what was read (short at end of file); every failure of the system throws CFileException*.
#pragma once
#include "afxexcept.h"
#include "afxtime.h"

struct CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size;
    BYTE m_attribute;
    BYTE m_padding;
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    // Opens or throws CFileException*.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    // FALSE on failure; the reason goes to pError when given (nothing is thrown).
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual CFile* Duplicate() const;

    virtual ULONGLONG GetPosition() const;
    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCSTR lpszNewName);

    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);

    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);

    // Closes and throws on failure; Abort closes and never throws.
    virtual void Abort();
    virtual void Flush();
    virtual void Close();

    // Direct buffer access of memory files (CArchive uses it); plain files support none.
    enum BufferCommand { bufferRead, bufferWrite, bufferCommit, bufferCheck };
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL,
                              void** ppBufMax = NULL);

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    // Takes a caller's buffer; with nGrowBytes 0 the file cannot grow past nBufferSize.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives the buffer to the caller (free() it when it was allocated here) and empties the file.
    BYTE* Detach();

    virtual ULONGLONG GetPosition() const;
    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Abort();
    virtual void Flush();
    virtual void Close();
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual CFile* Duplicate() const;
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL,
                              void** ppBufMax = NULL);

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};
