// CArchive: a buffered binary stream over a CFile, in the library's byte order (little
// endian) and its length-prefixed string encoding. A read past the end of the file throws
// CArchiveException* (endOfFile); storing into a loading archive and the reverse throw too.
#pragma once
#include "afxfile.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();

    // Text lines ending in "\r\n" (WriteString writes the text as given).
    void WriteString(LPCSTR lpsz);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    CArchive& operator<<(int i) { return operator<<((LONG)i); }
    CArchive& operator<<(short w) { return operator<<((WORD)w); }
    CArchive& operator<<(char ch) { return operator<<((BYTE)ch); }
    CArchive& operator<<(unsigned u) { return operator<<((LONG)u); }
    CArchive& operator<<(bool b) { return operator<<((BYTE)(b ? 1 : 0)); }

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(int& i);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(unsigned& u);
    CArchive& operator>>(bool& b);

    // The string encoding: a BYTE length below 0xFF; else 0xFF and a WORD below 0xFFFE;
    // else 0xFFFF and a DWORD. 0xFF 0xFFFE marks a UTF-16 string, converted on reading.
    friend CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    CString m_strFileName;
    void* m_pDocument;

protected:
    void FillBuffer(UINT nBytesNeeded);
    void CheckLoading() const;
    void CheckStoring() const;
    template <typename T> void Put(T v);
    template <typename T> T Get();

    BOOL m_bUserBuf;
    UINT m_nMode;
    int m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
    BOOL m_bDirectBuffer;

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
};

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
