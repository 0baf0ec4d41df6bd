#include "luakeywordset.h"
#include "coloreditchars.h"
#include <cstdio>
#include <cstring>

using namespace ColorEditChars;

bool KeywordLess::operator()(const CString& a, const CString& b) const
{
    const int la = a.GetLength();
    const int lb = b.GetLength();
    const int n = memcmp(a.GetString(), b.GetString(), la < lb ? la : lb);
    return n != 0 ? n < 0 : la < lb;
}

CKeywordSet::CKeywordSet() : m_bCaseFolding(false) {}

CKeywordSet::~CKeywordSet() = default;

bool CKeywordSet::Lookup(const KeywordClass& keywords, const CString& word) const
{
    if (!m_bCaseFolding)
        return keywords.count(word) != 0;
    CString upper(word);
    upper.MakeUpper();
    return keywords.count(upper) != 0;
}

bool CKeywordSet::IsKeyword1(const CString& word) { return Lookup(m_keywords1, word); }
bool CKeywordSet::IsKeyword2(const CString& word) { return Lookup(m_keywords2, word); }
bool CKeywordSet::IsKeyword3(const CString& word) { return Lookup(m_keywords3, word); }

namespace {

// Splits keyword-file bytes into words as the C library's "%255s" scan does: runs of bytes
// other than the six white-space characters, a run longer than the limit cut into pieces.
// Bytes may arrive in pieces; a word cut between two pieces is joined.
class KeywordFileScanner {
public:
    explicit KeywordFileScanner(CKeywordSet& set) : m_set(set) {}

    void Feed(const char* p, size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            const char c = p[i];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
                Finish();
                continue;
            }
            m_word[m_length++] = c;
            if (m_length == CKeywordSet::kMaxFileWordLength)
                Finish();
        }
    }

    void Finish()
    {
        if (m_length == 0)
            return;
        // A word read by the scan ends at its first zero byte when it becomes a string.
        CString keyword(m_word, static_cast<int>(strnlen(m_word, m_length)));
        m_length = 0;
        if (m_set.m_bCaseFolding)
            keyword.MakeUpper();
        m_set.m_keywords1.insert(keyword);
    }

private:
    CKeywordSet& m_set;
    char m_word[CKeywordSet::kMaxFileWordLength];
    size_t m_length = 0;
};

} // namespace

void CKeywordSet::LoadKeywordFile(LPCSTR path)
{
    if (path == NULL || *path == '\0')
        return;
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return;
    KeywordFileScanner scanner(*this);
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), file)) > 0)
        scanner.Feed(chunk, n);
    scanner.Finish();
    fclose(file);
}

void CKeywordSet::LoadKeywordBytes(const char* p, size_t n)
{
    KeywordFileScanner scanner(*this);
    scanner.Feed(p, n);
    scanner.Finish();
}

// Words are runs of ASCII letters and digits (so my_var is two words); a double-byte
// character is skipped whole, so that its trail byte, which may be an ASCII letter, never
// becomes part of a word.
void CKeywordSet::ColorizeLine(const CString& line, LineColorVector& colors)
{
    const int len = line.GetLength();
    if (len == 0) {
        colors.clear();
        return;
    }
    colors.assign(len, kColorPlainText);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(line.GetString());
    int i = 0;
    while (i < len) {
        if (!IsAsciiAlnum(p[i])) {
            i += CharLengthAt(p, len, i);
            continue;
        }
        const int start = i;
        while (i < len && IsAsciiAlnum(p[i]))
            ++i;
        CString& word = m_word;
        word.SetString(line.GetString() + start, i - start);
        COLORREF color;
        if (IsKeyword1(word))
            color = kColorKeyword1;
        else if (IsKeyword2(word))
            color = kColorKeyword2;
        else if (IsKeyword3(word))
            color = kColorKeyword3;
        else
            continue;
        for (int k = start; k < i; ++k)
            colors[k] = color;
    }
}

void CLuaKeywordSet::ColorizeLine(const CString& line, LineColorVector& colors)
{
    const int len = line.GetLength();
    if (len == 0) {
        colors.clear();
        return;
    }
    colors.resize(len);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(line.GetString());
    if (len >= 2 && p[0] == '-' && p[1] == '-') {
        colors.assign(len, kColorLuaComment);
        return;
    }
    CKeywordSet::ColorizeLine(line, colors);

    // Escaped quotes are masked so that they neither open nor close a string; a backslash
    // that is the trail byte of a double-byte character escapes nothing.
    std::vector<unsigned char>& s = m_masked;
    s.assign(p, p + len);
    for (int i = 0; i < len;) {
        if (IsLeadByte(s[i]) && i + 1 < len) {
            i += 2;
        } else if (s[i] == '\\' && i + 1 < len && (s[i + 1] == '\'' || s[i + 1] == '"')) {
            s[i] = s[i + 1] = 'a';
            i += 2;
        } else {
            ++i;
        }
    }

    enum { kCode, kSingleQuoted, kDoubleQuoted, kComment } state = kCode;
    for (int i = 0; i < len - 1; ++i) {
        if (state == kComment) {
            colors[i] = kColorLuaComment;
        } else if (IsLeadByte(s[i])) {
            ++i;
        } else if (state == kCode) {
            if (s[i] == '\'')
                state = kSingleQuoted;
            else if (s[i] == '"')
                state = kDoubleQuoted;
            else if (s[i] == '-' && s[i + 1] == '-') {
                state = kComment;
                --i; // the first '-' is coloured by the next pass
            }
        } else if (state == kSingleQuoted) {
            if (s[i] == '\'')
                state = kCode;
        } else if (s[i] == '"') {
            state = kCode;
        }
    }
    if (state == kComment)
        colors[len - 1] = kColorLuaComment;
}
