#include "coloredittext.h"

CTextStore::CTextStore() : m_nLongestLine(0), m_pKeywords(&m_ownKeywords) {}

void CTextStore::SetKeywordSet(CKeywordSet* keywords)
{
    m_pKeywords = keywords != NULL ? keywords : &m_ownKeywords;
}

void CTextStore::Colorize(int index)
{
    m_pKeywords->ColorizeLine(m_lines.GetAt(index), m_colors[index]);
}

// The longest length is kept exact after every change; only a change that may shorten the
// longest line walks all lines again, so loading a long text stays linear.
void CTextStore::RecomputeLongestLine()
{
    int longest = 0;
    for (int i = 0; i < GetLineCount(); ++i) {
        const int len = m_lines.GetAt(i).GetLength();
        if (len > longest)
            longest = len;
    }
    m_nLongestLine = longest;
}

void CTextStore::InsertLine(const CString& text, int index, bool refresh)
{
    if (index < 0)
        index = 0;
    if (index > GetLineCount())
        index = GetLineCount();
    m_lines.InsertAt(index, text);
    m_colors.insert(m_colors.begin() + index, LineColorVector());
    if (text.GetLength() > m_nLongestLine)
        m_nLongestLine = text.GetLength();
    if (refresh)
        Colorize(index);
}

void CTextStore::ReplaceLine(const CString& text, int index)
{
    if (index < 0 || index >= GetLineCount())
        return;
    const int oldLength = m_lines.GetAt(index).GetLength();
    m_lines.SetAt(index, text);
    Colorize(index);
    if (text.GetLength() >= m_nLongestLine)
        m_nLongestLine = text.GetLength();
    else if (oldLength == m_nLongestLine)
        RecomputeLongestLine();
}

void CTextStore::DeleteLine(int index)
{
    if (index < 0 || index >= GetLineCount())
        return;
    const int oldLength = m_lines.GetAt(index).GetLength();
    m_lines.RemoveAt(index);
    m_colors.erase(m_colors.begin() + index);
    if (oldLength == m_nLongestLine)
        RecomputeLongestLine();
}

void CTextStore::Clear()
{
    m_lines.RemoveAll();
    m_colors.clear();
    m_nLongestLine = 0;
    InsertLine(CString(), 0, true);
}

void CTextStore::RecolorAll()
{
    RecomputeLongestLine();
    for (int i = 0; i < GetLineCount(); ++i)
        Colorize(i);
}
