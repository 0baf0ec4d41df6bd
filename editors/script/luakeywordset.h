// Keyword colouring of the script editor. A colouring object gives every byte of one line a
// text colour: CKeywordSet colours whole words found in its three keyword classes, and
// CLuaKeywordSet adds Lua comments ("--" to the end of the line, outside strings). The text
// store calls the object once per line; the object keeps no state between lines, so a string
// left open at the end of a line does not continue on the next.
#pragma once
#include "afx.h"
#include <set>
#include <vector>

// One COLORREF per byte of a line.
typedef std::vector<COLORREF> LineColorVector;

// Colours of the classes (COLORREF, 0x00BBGGRR).
const COLORREF kColorPlainText = RGB(0, 0, 0);
const COLORREF kColorKeyword1 = RGB(0, 0, 200);
const COLORREF kColorKeyword2 = RGB(128, 0, 0);
const COLORREF kColorKeyword3 = RGB(255, 0, 255);
const COLORREF kColorLuaComment = RGB(0, 150, 0);

// Orders keywords by their unsigned bytes, as the multibyte string comparison does for
// code page 932 text.
struct KeywordLess {
    bool operator()(const CString& a, const CString& b) const;
};

typedef std::set<CString, KeywordLess> KeywordClass;

class CKeywordSet {
public:
    CKeywordSet();
    virtual ~CKeywordSet();

    virtual void ColorizeLine(const CString& line, LineColorVector& colors);
    // Adds the white-space separated words of a file to keyword class 1.
    virtual void LoadKeywordFile(LPCSTR path);
    // The same over the bytes of a keyword file already in memory.
    void LoadKeywordBytes(const char* p, size_t n);
    virtual bool IsKeyword1(const CString& word);
    virtual bool IsKeyword2(const CString& word);
    virtual bool IsKeyword3(const CString& word);

    // Longest word LoadKeywordFile takes in one piece; a longer run of bytes is read as
    // several words of at most this length.
    static constexpr int kMaxFileWordLength = 255;

    bool m_bCaseFolding;
    KeywordClass m_keywords1;
    KeywordClass m_keywords2;
    KeywordClass m_keywords3;

private:
    bool Lookup(const KeywordClass& keywords, const CString& word) const;

    // The word being looked up, kept only so that its buffer serves word after word.
    CString m_word;
};

class CLuaKeywordSet : public CKeywordSet {
public:
    void ColorizeLine(const CString& line, LineColorVector& colors) override;

private:
    // The line with its escaped quotes masked, kept only so that its buffer serves line
    // after line.
    std::vector<unsigned char> m_masked;
};
