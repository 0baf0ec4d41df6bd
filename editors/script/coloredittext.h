// The text store of the script editor: the lines of the text, one colour per byte of every
// line, and the length of the longest line (for the horizontal scroll range). A line never
// holds CR or LF, and TABs were expanded before the text reached the store.
//
// The lines are coloured by a colouring object: the store's own plain CKeywordSet (every byte
// black) until another one is set; the store does not own an object it is given.
#pragma once
#include "afx.h"
#include "afxcoll.h"
#include "luakeywordset.h"
#include <vector>

class CTextStore {
public:
    CTextStore();
    CTextStore(const CTextStore&) = delete;
    CTextStore& operator=(const CTextStore&) = delete;

    // Inserts a line at index (0..line count); with refresh the new line is coloured at once,
    // else its colours stay empty until RecolorAll.
    void InsertLine(const CString& text, int index, bool refresh);
    void ReplaceLine(const CString& text, int index);
    // Ignored for an index that is not a line.
    void DeleteLine(int index);
    // Leaves exactly one empty line.
    void Clear();

    int GetLineCount() const { return static_cast<int>(m_lines.GetSize()); }
    CString GetLine(int index) const { return m_lines.GetAt(index); }
    const CString& GetLineRef(int index) const { return m_lines.GetAt(index); }
    const LineColorVector& GetLineColors(int index) const { return m_colors[index]; }
    void RecolorAll();
    int GetLongestLineLength() const { return m_nLongestLine; }

    void SetKeywordSet(CKeywordSet* keywords);
    CKeywordSet* GetKeywordSet() const { return m_pKeywords; }

private:
    void RecomputeLongestLine();
    void Colorize(int index);

    int m_nLongestLine;
    CStringArray m_lines;
    CKeywordSet m_ownKeywords;
    CKeywordSet* m_pKeywords;
    std::vector<LineColorVector> m_colors;
};
