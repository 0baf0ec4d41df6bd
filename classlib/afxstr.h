// CString: the ANSI string of the program. Text is kept as the bytes of the process code page
// (932), so double-byte characters, trail bytes of 0x5C included, pass through untouched;
// searching and case mapping step over double-byte characters with IsDBCSLeadByte.
//
// The object holds exactly one pointer, to NUL-terminated text; the length and the capacity
// sit in a header just before the text. Every CString owns its buffer (no sharing), so
// strings may be handed between threads freely.
#pragma once
#include "afxdefs.h"

struct CStringData {
    int nDataLength;   // bytes of text, without the terminating NUL
    int nAllocLength;  // bytes the buffer can hold, without the terminating NUL
    char* data() { return reinterpret_cast<char*>(this + 1); }
};

class CString;

// A formatting argument as it goes to "...": itself, except that a CString goes as its text.
template <typename T>
inline const T& AfxFormatArg(const T& value) { return value; }
inline LPCSTR AfxFormatArg(const CString& value);

class CString {
public:
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(char ch, int nRepeat = 1);
    // A pointer whose high word is zero is a string resource id, as MAKEINTRESOURCE makes.
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    ~CString();

    const CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    const CString& operator=(char ch);
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(const unsigned char* psz);
    const CString& operator=(LPCWSTR lpsz);

    const CString& operator+=(const CString& string);
    const CString& operator+=(char ch);
    const CString& operator+=(LPCSTR lpsz);

    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, char ch);
    friend CString AFXAPI operator+(char ch, const CString& string);
    friend CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
    friend CString AFXAPI operator+(LPCSTR lpsz, const CString& string);

    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    char GetAt(int nIndex) const { return m_pchData[nIndex]; }
    char operator[](int nIndex) const { return m_pchData[nIndex]; }
    char operator[](unsigned int nIndex) const { return m_pchData[nIndex]; }
    char operator[](long nIndex) const { return m_pchData[nIndex]; }
    char operator[](unsigned long nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, char ch);
    operator LPCSTR() const { return m_pchData; }
    LPCSTR GetString() const { return m_pchData; }
    void SetString(LPCSTR psz);
    void SetString(LPCSTR psz, int nLength);
    void Append(LPCSTR psz);
    void Append(LPCSTR psz, int nLength);
    void Append(const CString& str);
    void AppendChar(char ch);

    // Byte-wise comparisons (strcmp / lstrcmpi / locale collation).
    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

    // Substrings; indices are byte positions, clamped to the text.
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Case mapping changes single-byte letters only; double-byte characters stay as they are.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);

    // Searches match whole characters only: a byte that is the trail byte of a double-byte
    // character is never a match. Results are byte indices, -1 when not found.
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR lpszSub) const;
    int Find(LPCSTR lpszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // printf conventions. The arguments pass through AfxFormatArg, which hands a CString on
    // as its text pointer: GCC gives class objects to "..." by reference, so without this a
    // CString for %s would print its own address. The C-variadic cores are FormatArgs and
    // AppendFormatArgs.
    template <typename... Args>
    void Format(LPCSTR lpszFormat, const Args&... args) { FormatArgs(lpszFormat, AfxFormatArg(args)...); }
    template <typename... Args>
    void Format(UINT nFormatID, const Args&... args)
    {
        CString strFormat;
        strFormat.LoadString(nFormatID);
        FormatArgs(strFormat.m_pchData, AfxFormatArg(args)...);
    }
    template <typename... Args>
    void AppendFormat(LPCSTR lpszFormat, const Args&... args) { AppendFormatArgs(lpszFormat, AfxFormatArg(args)...); }
    // FormatMessage-style inserts (%1, %2!d!, ...).
    template <typename... Args>
    void FormatMessage(LPCSTR lpszFormat, const Args&... args) { FormatMessageArgs(lpszFormat, AfxFormatArg(args)...); }
    template <typename... Args>
    void FormatMessage(UINT nFormatID, const Args&... args)
    {
        CString strFormat;
        strFormat.LoadString(nFormatID);
        FormatMessageArgs(strFormat.m_pchData, AfxFormatArg(args)...);
    }
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList);
    void AFX_CDECL FormatArgs(LPCSTR lpszFormat, ...);
    void AFX_CDECL AppendFormatArgs(LPCSTR lpszFormat, ...);
    void AFX_CDECL FormatMessageArgs(LPCSTR lpszFormat, ...);

    // Loads a string resource from the resource handle (AfxGetResourceHandle).
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct buffer access: the buffer holds at least nMinBufLength bytes plus a NUL. After
    // writing, ReleaseBuffer(-1) takes the length from the terminating NUL.
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBuffer();
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPSTR LockBuffer();
    void UnlockBuffer();
    void Preallocate(int nLength);
    void Truncate(int nNewLength);

    BSTR AllocSysString() const;

private:
    char* m_pchData;

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void AllocBuffer(int nLen);
    void Release();
    void EnsureCapacity(int nLen, bool bKeep);
    void AssignCopy(int nLen, LPCSTR lpsz);
    void ConcatInPlace(int nSrcLen, LPCSTR lpszSrc);
    void SetLength(int nLen);
    bool IsLeadAt(int nIndex) const;
};

inline LPCSTR AfxFormatArg(const CString& value) { return value.GetString(); }

bool AFXAPI operator==(const CString& s1, const CString& s2);
bool AFXAPI operator==(const CString& s1, LPCSTR s2);
bool AFXAPI operator==(LPCSTR s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, LPCSTR s2);
bool AFXAPI operator!=(LPCSTR s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, LPCSTR s2);
bool AFXAPI operator<(LPCSTR s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, LPCSTR s2);
bool AFXAPI operator>(LPCSTR s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, LPCSTR s2);
bool AFXAPI operator<=(LPCSTR s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, LPCSTR s2);
bool AFXAPI operator>=(LPCSTR s1, const CString& s2);

// Helpers for raw ANSI text in the process code page.
int AFXAPI AfxLoadString(UINT nIDS, LPSTR lpszBuf, UINT nMaxBuf = 256);
