// CString storage and editing. The text pointer always points just behind a CStringData
// header; an empty string points into one shared static header with no capacity, so empty
// strings cost no allocation. Operations walk the text by characters of the process code
// page, so a trail byte is never taken for a character of its own.
#include "afxwin.h"
#include <stdio.h>
#include <stdlib.h>

namespace {

struct EmptyString {
    CStringData header;
    char text[4];
};
EmptyString g_emptyString = {{0, 0}, {0, 0, 0, 0}};

char* EmptyText() { return g_emptyString.text; }

inline bool IsLead(char ch) { return IsDBCSLeadByte((BYTE)ch) != FALSE; }

// Length in bytes of the character at p (1, or 2 for a lead byte followed by a trail).
inline int CharLen(const char* p)
{
    return (IsLead(*p) && p[1] != 0) ? 2 : 1;
}

// Whether the character at p (of length n) is one of the characters of set.
bool CharInSet(const char* p, int n, LPCSTR set)
{
    if (set == NULL)
        return false;
    for (const char* q = set; *q; ) {
        int m = CharLen(q);
        if (m == n && memcmp(p, q, n) == 0)
            return true;
        q += m;
    }
    return false;
}

inline char FoldLower(char ch) { return (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch; }
inline char FoldUpper(char ch) { return (ch >= 'a' && ch <= 'z') ? (char)(ch - 'a' + 'A') : ch; }

int Sign(int n) { return n < 0 ? -1 : (n > 0 ? 1 : 0); }

// Case-insensitive comparison of single-byte letters; double-byte characters compare as
// bytes (their trail bytes may look like letters).
int CompareNoCaseImpl(const char* a, const char* b)
{
    for (;;) {
        bool lead = IsLead(*a) && a[1] != 0;
        unsigned char ca = (unsigned char)(lead ? *a : FoldLower(*a));
        unsigned char cb = (unsigned char)(IsLead(*b) && b[1] != 0 ? *b : FoldLower(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        if (lead) {
            if (a[1] != b[1])
                return (unsigned char)a[1] < (unsigned char)b[1] ? -1 : 1;
            a += 2;
            b += 2;
        } else {
            a++;
            b++;
        }
    }
}

int SafeStrLen(LPCSTR lpsz) { return lpsz == NULL ? 0 : (int)strlen(lpsz); }

} // namespace

// ---------------------------------------------------------------------------------------
// Storage

void CString::AllocBuffer(int nLen)
{
    if (nLen <= 0) {
        m_pchData = EmptyText();
        return;
    }
    if ((size_t)nLen > 0x7FFFFFF0u - sizeof(CStringData))
        AfxThrowMemoryException();
    CStringData* pData = static_cast<CStringData*>(::operator new(sizeof(CStringData) + nLen + 1));
    pData->nDataLength = nLen;
    pData->nAllocLength = nLen;
    pData->data()[nLen] = '\0';
    m_pchData = pData->data();
}

void CString::Release()
{
    if (m_pchData != EmptyText())
        ::operator delete(GetData());
    m_pchData = EmptyText();
}

// Makes room for nLen bytes of text; keeps the text when bKeep. The old buffer is freed only
// after the new one holds the text, so sources inside the old buffer stay readable until then
// by the callers that copy first.
void CString::EnsureCapacity(int nLen, bool bKeep)
{
    CStringData* pOld = GetData();
    if (nLen <= pOld->nAllocLength)
        return;
    int nNewAlloc = nLen;
    if (bKeep && pOld->nAllocLength > 0 && nLen < pOld->nAllocLength + pOld->nAllocLength / 2)
        nNewAlloc = pOld->nAllocLength + pOld->nAllocLength / 2;
    char* pOldText = m_pchData;
    int nOldLen = pOld->nDataLength;
    AllocBuffer(nNewAlloc);
    if (bKeep) {
        memcpy(m_pchData, pOldText, nOldLen + 1);
        GetData()->nDataLength = nOldLen;
    } else {
        m_pchData[0] = '\0';
        GetData()->nDataLength = 0;
    }
    if (pOldText != EmptyText())
        ::operator delete(reinterpret_cast<CStringData*>(pOldText) - 1);
}

void CString::SetLength(int nLen)
{
    if (m_pchData == EmptyText())
        return;
    GetData()->nDataLength = nLen;
    m_pchData[nLen] = '\0';
}

void CString::AssignCopy(int nLen, LPCSTR lpsz)
{
    if (nLen <= 0) {
        if (m_pchData != EmptyText())
            SetLength(0);
        return;
    }
    if (nLen <= GetData()->nAllocLength) {
        memmove(m_pchData, lpsz, nLen);
        SetLength(nLen);
        return;
    }
    CString copy;
    copy.AllocBuffer(nLen);
    memcpy(copy.m_pchData, lpsz, nLen);
    std::swap(m_pchData, copy.m_pchData);
}

void CString::ConcatInPlace(int nSrcLen, LPCSTR lpszSrc)
{
    if (nSrcLen <= 0)
        return;
    int nOldLen = GetLength();
    if (nOldLen < 0 || nSrcLen > 0x7FFFFFF0 - nOldLen)
        AfxThrowMemoryException();
    if (nOldLen + nSrcLen <= GetData()->nAllocLength) {
        memmove(m_pchData + nOldLen, lpszSrc, nSrcLen);
        SetLength(nOldLen + nSrcLen);
        return;
    }
    // The source may be this string's own text: build the result in a new buffer first.
    CStringData* pOld = GetData();
    int nNewAlloc = nOldLen + nSrcLen;
    if (pOld->nAllocLength > 0 && nNewAlloc < pOld->nAllocLength + pOld->nAllocLength / 2)
        nNewAlloc = pOld->nAllocLength + pOld->nAllocLength / 2;
    CString result;
    result.AllocBuffer(nNewAlloc);
    memcpy(result.m_pchData, m_pchData, nOldLen);
    memcpy(result.m_pchData + nOldLen, lpszSrc, nSrcLen);
    result.SetLength(nOldLen + nSrcLen);
    std::swap(m_pchData, result.m_pchData);
}

bool CString::IsLeadAt(int nIndex) const
{
    return IsLead(m_pchData[nIndex]) && m_pchData[nIndex + 1] != 0;
}

// ---------------------------------------------------------------------------------------
// Construction and assignment

CString::CString() : m_pchData(EmptyText()) {}

CString::CString(const CString& stringSrc) : m_pchData(EmptyText())
{
    AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
}

CString::CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData)
{
    stringSrc.m_pchData = EmptyText();
}

CString::CString(char ch, int nRepeat) : m_pchData(EmptyText())
{
    if (nRepeat > 0) {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::CString(LPCSTR lpsz) : m_pchData(EmptyText())
{
    if (lpsz != NULL && HIWORD((DWORD_PTR)lpsz) == 0)
        LoadString(LOWORD((DWORD_PTR)lpsz));
    else
        AssignCopy(SafeStrLen(lpsz), lpsz);
}

CString::CString(LPCSTR lpch, int nLength) : m_pchData(EmptyText())
{
    if (lpch != NULL && nLength > 0)
        AssignCopy(nLength, lpch);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::CString(LPCWSTR lpsz) : CString(lpsz, lpsz == NULL ? 0 : (int)wcslen(lpsz)) {}

CString::CString(LPCWSTR lpch, int nLength) : m_pchData(EmptyText())
{
    if (lpch == NULL || nLength <= 0)
        return;
    int nBytes = WideCharToMultiByte(CP_ACP, 0, lpch, nLength, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return;
    AllocBuffer(nBytes);
    WideCharToMultiByte(CP_ACP, 0, lpch, nLength, m_pchData, nBytes, NULL, NULL);
}

CString::~CString()
{
    Release();
}

const CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc) {
        Release();
        m_pchData = stringSrc.m_pchData;
        stringSrc.m_pchData = EmptyText();
    }
    return *this;
}

const CString& CString::operator=(char ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(SafeStrLen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
    return operator=(reinterpret_cast<LPCSTR>(psz));
}

const CString& CString::operator=(LPCWSTR lpsz)
{
    CString converted(lpsz);
    *this = std::move(converted);
    return *this;
}

void CString::Empty()
{
    Release();
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_pchData[nIndex] = ch;
}

void CString::SetString(LPCSTR psz)
{
    AssignCopy(SafeStrLen(psz), psz);
}

void CString::SetString(LPCSTR psz, int nLength)
{
    AssignCopy(psz == NULL ? 0 : nLength, psz);
}

// ---------------------------------------------------------------------------------------
// Concatenation

const CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

const CString& CString::operator+=(char ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCSTR lpsz)
{
    ConcatInPlace(SafeStrLen(lpsz), lpsz);
    return *this;
}

void CString::Append(LPCSTR psz) { ConcatInPlace(SafeStrLen(psz), psz); }
void CString::Append(LPCSTR psz, int nLength) { ConcatInPlace(psz == NULL ? 0 : nLength, psz); }
void CString::Append(const CString& str) { ConcatInPlace(str.GetLength(), str.m_pchData); }
void CString::AppendChar(char ch) { ConcatInPlace(1, &ch); }

static CString Concat(LPCSTR a, int na, LPCSTR b, int nb)
{
    CString s;
    LPSTR p = s.GetBuffer(na + nb);
    memcpy(p, a, na);
    memcpy(p + na, b, nb);
    s.ReleaseBuffer(na + nb);
    return s;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    return Concat(string1, string1.GetLength(), string2, string2.GetLength());
}

CString AFXAPI operator+(const CString& string, char ch)
{
    return Concat(string, string.GetLength(), &ch, 1);
}

CString AFXAPI operator+(char ch, const CString& string)
{
    return Concat(&ch, 1, string, string.GetLength());
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    return Concat(string, string.GetLength(), lpsz, SafeStrLen(lpsz));
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    return Concat(lpsz, SafeStrLen(lpsz), string, string.GetLength());
}

// ---------------------------------------------------------------------------------------
// Comparison

int CString::Compare(LPCSTR lpsz) const
{
    return Sign(strcmp(m_pchData, lpsz == NULL ? "" : lpsz));
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return CompareNoCaseImpl(m_pchData, lpsz == NULL ? "" : lpsz);
}

int CString::Collate(LPCSTR lpsz) const
{
    return CompareStringA(LOCALE_USER_DEFAULT, 0, m_pchData, -1, lpsz == NULL ? "" : lpsz, -1) - CSTR_EQUAL;
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_pchData, -1, lpsz == NULL ? "" : lpsz, -1) -
           CSTR_EQUAL;
}

bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0; }
bool AFXAPI operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// ---------------------------------------------------------------------------------------
// Substrings

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLen = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLen)
        nFirst = nLen;
    if (nCount > nLen - nFirst)
        nCount = nLen - nFirst;
    if (nFirst == 0 && nCount == nLen)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    int nLen = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount >= nLen)
        return *this;
    return CString(m_pchData + nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    int i = 0;
    while (m_pchData[i]) {
        int n = CharLen(m_pchData + i);
        if (!CharInSet(m_pchData + i, n, lpszCharSet))
            break;
        i += n;
    }
    return Left(i);
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    int i = 0;
    while (m_pchData[i]) {
        int n = CharLen(m_pchData + i);
        if (CharInSet(m_pchData + i, n, lpszCharSet))
            break;
        i += n;
    }
    return Left(i);
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    int nLen = GetLength();
    if (iStart < 0 || iStart >= nLen) {
        iStart = -1;
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == '\0') {
        // No separators: the rest is the one token (and the next call ends).
        CString rest = Mid(iStart);
        iStart = nLen + 1;
        return rest;
    }
    int i = iStart;
    while (i < nLen) {
        int n = CharLen(m_pchData + i);
        if (!CharInSet(m_pchData + i, n, pszTokens))
            break;
        i += n;
    }
    if (i >= nLen) {
        iStart = -1;
        return CString();
    }
    int nFrom = i;
    while (i < nLen) {
        int n = CharLen(m_pchData + i);
        if (CharInSet(m_pchData + i, n, pszTokens))
            break;
        i += n;
    }
    iStart = i + 1;
    return Mid(nFrom, i - nFrom);
}

// ---------------------------------------------------------------------------------------
// Case, order and editing

CString& CString::MakeUpper()
{
    for (int i = 0; m_pchData[i]; ) {
        if (IsLeadAt(i)) {
            i += 2;
        } else {
            m_pchData[i] = FoldUpper(m_pchData[i]);
            i++;
        }
    }
    return *this;
}

CString& CString::MakeLower()
{
    for (int i = 0; m_pchData[i]; ) {
        if (IsLeadAt(i)) {
            i += 2;
        } else {
            m_pchData[i] = FoldLower(m_pchData[i]);
            i++;
        }
    }
    return *this;
}

CString& CString::MakeReverse()
{
    int nLen = GetLength();
    if (nLen < 2)
        return *this;
    CString result;
    LPSTR p = result.GetBuffer(nLen);
    int out = nLen;
    for (int i = 0; i < nLen; ) {
        int n = CharLen(m_pchData + i);
        out -= n;
        memcpy(p + out, m_pchData + i, n);
        i += n;
    }
    result.ReleaseBuffer(nLen);
    *this = std::move(result);
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; m_pchData[i]; ) {
        if (IsLeadAt(i)) {
            i += 2;
            continue;
        }
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            nCount++;
        }
        i++;
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOldLen = SafeStrLen(lpszOld);
    if (nOldLen == 0)
        return 0;
    int nNewLen = SafeStrLen(lpszNew);
    CString result;
    int nCount = 0;
    int nLen = GetLength();
    int nCopied = 0;
    for (int i = 0; i < nLen; ) {
        if (i + nOldLen <= nLen && memcmp(m_pchData + i, lpszOld, nOldLen) == 0) {
            result.Append(m_pchData + nCopied, i - nCopied);
            result.Append(lpszNew, nNewLen);
            i += nOldLen;
            nCopied = i;
            nCount++;
        } else {
            i += CharLen(m_pchData + i);
        }
    }
    if (nCount > 0) {
        result.Append(m_pchData + nCopied, nLen - nCopied);
        *this = std::move(result);
    }
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nLen = GetLength();
    int out = 0;
    for (int i = 0; i < nLen; ) {
        int n = CharLen(m_pchData + i);
        if (n == 1 && m_pchData[i] == chRemove) {
            i++;
            continue;
        }
        memmove(m_pchData + out, m_pchData + i, n);
        out += n;
        i += n;
    }
    int nRemoved = nLen - out;
    if (nRemoved > 0)
        SetLength(out);
    return nRemoved;
}

int CString::Insert(int nIndex, char ch)
{
    char text[2] = {ch, 0};
    return Insert(nIndex, text);
}

int CString::Insert(int nIndex, LPCSTR pstr)
{
    int nLen = GetLength();
    int nInsert = SafeStrLen(pstr);
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLen)
        nIndex = nLen;
    if (nInsert == 0)
        return nLen;
    CString result;
    LPSTR p = result.GetBuffer(nLen + nInsert);
    memcpy(p, m_pchData, nIndex);
    memcpy(p + nIndex, pstr, nInsert);
    memcpy(p + nIndex + nInsert, m_pchData + nIndex, nLen - nIndex);
    result.ReleaseBuffer(nLen + nInsert);
    *this = std::move(result);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < nLen) {
        if (nCount > nLen - nIndex)
            nCount = nLen - nIndex;
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, nLen - nIndex - nCount);
        SetLength(nLen - nCount);
    }
    return GetLength();
}

// ---------------------------------------------------------------------------------------
// Trimming

namespace {
const char kWhiteSpace[] = " \t\r\n\v\f";
}

CString& CString::TrimRight()
{
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimRight(char chTarget)
{
    char set[2] = {chTarget, 0};
    return TrimRight(set);
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    int nKeep = 0;
    for (int i = 0; m_pchData[i]; ) {
        int n = CharLen(m_pchData + i);
        if (!CharInSet(m_pchData + i, n, lpszTargets))
            nKeep = i + n;
        i += n;
    }
    if (nKeep < GetLength())
        SetLength(nKeep);
    return *this;
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhiteSpace);
}

CString& CString::TrimLeft(char chTarget)
{
    char set[2] = {chTarget, 0};
    return TrimLeft(set);
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    int i = 0;
    while (m_pchData[i]) {
        int n = CharLen(m_pchData + i);
        if (!CharInSet(m_pchData + i, n, lpszTargets))
            break;
        i += n;
    }
    if (i > 0)
        Delete(0, i);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR lpszTargets) { return TrimRight(lpszTargets).TrimLeft(lpszTargets); }

// ---------------------------------------------------------------------------------------
// Searching

int CString::Find(char ch) const
{
    return Find(ch, 0);
}

int CString::Find(char ch, int nStart) const
{
    int nLen = GetLength();
    if (nStart < 0)
        nStart = 0;
    for (int i = 0; i < nLen; ) {
        int n = CharLen(m_pchData + i);
        if (i >= nStart && n == 1 && m_pchData[i] == ch)
            return i;
        i += n;
    }
    return -1;
}

int CString::Find(LPCSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    int nLen = GetLength();
    int nSub = SafeStrLen(lpszSub);
    if (nStart < 0)
        nStart = 0;
    if (nStart > nLen)
        return -1;
    for (int i = 0; i + nSub <= nLen; ) {
        if (i >= nStart && memcmp(m_pchData + i, lpszSub, nSub) == 0)
            return i;
        if (i >= nLen)
            break;
        i += CharLen(m_pchData + i);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int nFound = -1;
    for (int i = 0; m_pchData[i]; ) {
        int n = CharLen(m_pchData + i);
        if (n == 1 && m_pchData[i] == ch)
            nFound = i;
        i += n;
    }
    return nFound;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    for (int i = 0; m_pchData[i]; ) {
        int n = CharLen(m_pchData + i);
        if (CharInSet(m_pchData + i, n, lpszCharSet))
            return i;
        i += n;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------
// Formatting

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    CString result;
    result.AppendFormatV(lpszFormat, argList);
    *this = std::move(result);
}

// The C99 formatter of the runtime: it reports the needed length, which the older one does not.
void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
        return;
    va_list args;
    va_copy(args, argList);
    int nAdd = __mingw_vsnprintf(NULL, 0, lpszFormat, args);
    va_end(args);
    if (nAdd <= 0)
        return;
    int nOldLen = GetLength();
    EnsureCapacity(nOldLen + nAdd, true);
    va_copy(args, argList);
    __mingw_vsnprintf(m_pchData + nOldLen, nAdd + 1, lpszFormat, args);
    va_end(args);
    SetLength(nOldLen + nAdd);
}

void AFX_CDECL CString::FormatArgs(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::AppendFormatArgs(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    AppendFormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::FormatMessageArgs(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    LPSTR lpszTemp = NULL;
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
                         (LPSTR)&lpszTemp, 0, &argList) == 0 ||
        lpszTemp == NULL) {
        Empty();
    } else {
        *this = lpszTemp;
        LocalFree(lpszTemp);
    }
    va_end(argList);
}

// ---------------------------------------------------------------------------------------
// Resources

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // The table holds UTF-16; the read-only pointer form gives its exact length.
    LPCWSTR pText = NULL;
    int nChars = ::LoadStringW(hInstance, nID, (LPWSTR)&pText, 0);
    if (nChars <= 0 || pText == NULL) {
        Empty();
        return FALSE;
    }
    CString converted(pText, nChars);
    *this = std::move(converted);
    return TRUE;
}

int AFXAPI AfxLoadString(UINT nIDS, LPSTR lpszBuf, UINT nMaxBuf)
{
    CString s;
    if (nMaxBuf == 0 || lpszBuf == NULL)
        return 0;
    s.LoadString(nIDS);
    int n = s.GetLength();
    if ((UINT)n >= nMaxBuf)
        n = (int)nMaxBuf - 1;
    memcpy(lpszBuf, (LPCSTR)s, n);
    lpszBuf[n] = '\0';
    return n;
}

// ---------------------------------------------------------------------------------------
// Buffer access

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < GetLength())
        nMinBufLength = GetLength();
    EnsureCapacity(nMinBufLength, true);
    return m_pchData;
}

LPSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pchData == EmptyText())
        return;
    int nAlloc = GetData()->nAllocLength;
    if (nNewLength < 0) {
        const void* pEnd = memchr(m_pchData, 0, nAlloc + 1);
        nNewLength = pEnd == NULL ? nAlloc : (int)((const char*)pEnd - m_pchData);
    }
    if (nNewLength > nAlloc)
        nNewLength = nAlloc;
    SetLength(nNewLength);
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    EnsureCapacity(nNewLength, true);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::FreeExtra()
{
    if (m_pchData == EmptyText() || GetLength() == GetData()->nAllocLength)
        return;
    CString copy(m_pchData, GetLength());
    *this = std::move(copy);
}

LPSTR CString::LockBuffer()
{
    return m_pchData;
}

void CString::UnlockBuffer() {}

void CString::Preallocate(int nLength)
{
    EnsureCapacity(nLength, true);
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        SetLength(nNewLength);
}

BSTR CString::AllocSysString() const
{
    int nChars = MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, nChars);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (nChars > 0)
        MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), bstr, nChars);
    return bstr;
}
