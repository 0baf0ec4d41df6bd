// Caret movement and selection of the script editor model. Every move lands on a character
// boundary: a double-byte character is stepped over, selected and classed as a whole, and it
// is neither a letter, a digit nor a space for the word moves.
#include "coloreditmodel.h"
#include "coloreditchars.h"
#include <algorithm>

using namespace ColorEditChars;

namespace {

enum CharClass { kSpace, kAlnum, kOther };

CharClass ClassOf(const unsigned char* p, int start, int length)
{
    if (length != 1)
        return kOther;
    if (IsAsciiSpace(p[start]))
        return kSpace;
    return IsAsciiAlnum(p[start]) ? kAlnum : kOther;
}

bool IsWordDelimiter(unsigned char c)
{
    return c == ' ' || c == '(' || c == ')' || c == '{' || c == '}' || c == '\'' || c == '"';
}

} // namespace

// ---- Selection --------------------------------------------------------------------------

void CColorEditModel::GetSelection(ColorEditPos& start, ColorEditPos& end) const
{
    if (m_caret < m_anchor) {
        start = m_caret;
        end = m_anchor;
    } else {
        start = m_anchor;
        end = m_caret;
    }
}

bool CColorEditModel::GetLineSelection(int line, int& from, int& to) const
{
    if (!HasSelection())
        return false;
    ColorEditPos start, end;
    GetSelection(start, end);
    if (line < start.line || line > end.line)
        return false;
    from = line == start.line ? start.column : 0;
    to = line == end.line ? end.column : INT_MAX;
    return from < to;
}

bool CColorEditModel::IsSelected(int column, int line) const
{
    int from, to;
    return GetLineSelection(line, from, to) && column >= from && column < to;
}

CString CColorEditModel::GetSelectedText() const
{
    if (!HasSelection())
        return CString();
    ColorEditPos start, end;
    GetSelection(start, end);
    if (start.line == end.line) {
        const int from = std::max(start.column, 0);
        return GetLine(start.line).Mid(from, std::max(end.column - from, 0));
    }
    CString text = GetLine(start.line).Mid(std::max(start.column, 0));
    text += "\r\n";
    for (int k = start.line + 1; k < end.line; ++k) {
        text += GetLine(k);
        text += "\r\n";
    }
    text += GetLine(end.line).Left(std::max(end.column, 0));
    return text;
}

void CColorEditModel::SelectAll()
{
    const int last = GetLineCount() - 1;
    m_anchor = ColorEditPos(0, 0);
    m_caret = ColorEditPos(GetLineLength(last), last);
}

ColorEditPos CColorEditModel::ClampPosition(int column, int line) const
{
    line = std::clamp(line, 0, GetLineCount() - 1);
    const int len = GetLineLength(line);
    column = std::clamp(column, 0, len);
    return ColorEditPos(CharStartOf(LineBytes(line), len, column), line);
}

// Delimiters that are trail bytes of a double-byte character ('{' and '}' can be) do not count.
void CColorEditModel::SelectWordAt(int column, int line)
{
    const ColorEditPos click = ClampPosition(column, line);
    const unsigned char* p = LineBytes(click.line);
    const int len = GetLineLength(click.line);
    auto isDelimiter = [&](int i) {
        return i < len && IsWordDelimiter(p[i]) && !IsTrailPosition(p, len, i);
    };
    int start = click.column;
    while (start >= 0 && !isDelimiter(start))
        --start;
    ++start;
    int end = click.column;
    while (end < len && !isDelimiter(end))
        ++end;
    m_caret = ClampPosition(start, click.line);
    m_anchor = ColorEditPos(std::min(end, len), click.line);
}

// ---- Word moves -------------------------------------------------------------------------

int CColorEditModel::WordLeft(int column, int line) const
{
    const unsigned char* p = LineBytes(line);
    const int len = GetLineLength(line);
    column = std::clamp(column, 0, len);
    // Character starts of the line, found once by walking from its first byte.
    std::vector<bool> isStart(len + 1, false);
    for (int i = 0; i < len; i += CharLengthAt(p, len, i))
        isStart[i] = true;
    isStart[len] = true;

    bool seen = false;
    int i = column;
    while (i > 0) {
        int s = i - 1;
        while (s > 0 && !isStart[s])
            --s;
        const CharClass c = ClassOf(p, s, i - s);
        if (c != kSpace)
            seen = true;
        if (seen && c != kAlnum)
            return i == column ? s : i;  // one punctuation character before the caret is stepped over
        i = s;
    }
    return 0;
}

int CColorEditModel::WordRight(int column, int line) const
{
    const unsigned char* p = LineBytes(line);
    const int len = GetLineLength(line);
    bool seen = false;
    int i = std::clamp(column, 0, len);
    const int from = i;
    while (i < len) {
        const int n = CharLengthAt(p, len, i);
        const CharClass c = ClassOf(p, i, n);
        if (c != kSpace)
            seen = true;
        if (seen && c != kAlnum)
            return i == from ? i + n : i;
        i += n;
    }
    return len;
}

// ---- Keys -------------------------------------------------------------------------------

void CColorEditModel::MoveLeft(bool ctrl)
{
    const int len = GetLineLength(m_caret.line);
    const int column = std::min(m_caret.column, len);
    if (column <= 0) {
        if (m_caret.line > 0) {
            m_caret.line = std::min(m_caret.line - 1, GetLineCount() - 1);
            m_caret.column = GetLineLength(m_caret.line);
        } else {
            m_caret.column = 0;
        }
    } else if (ctrl) {
        m_caret.column = WordLeft(column, m_caret.line);
    } else {
        m_caret.column = CharStartOf(LineBytes(m_caret.line), len, column - 1);
    }
}

void CColorEditModel::MoveRight(bool ctrl)
{
    const int last = GetLineCount() - 1;
    if (m_caret.line > last)
        m_caret = ColorEditPos(GetLineLength(last), last);
    const int len = GetLineLength(m_caret.line);
    const int column = std::clamp(m_caret.column, 0, len);
    if (column >= len) {
        if (m_caret.line < last)
            m_caret = ColorEditPos(0, m_caret.line + 1);
        else
            m_caret.column = len;
    } else if (ctrl) {
        m_caret.column = WordRight(column, m_caret.line);
    } else {
        m_caret.column = column + CharLengthAt(LineBytes(m_caret.line), len, column);
    }
}

void CColorEditModel::MoveUp()
{
    if (m_caret.line >= 1)
        m_caret = ClampPosition(m_caret.column, m_caret.line - 1);
}

void CColorEditModel::MoveDown()
{
    if (m_caret.line < GetLineCount() - 1)
        m_caret = ClampPosition(m_caret.column, m_caret.line + 1);
}

void CColorEditModel::MoveHome(bool ctrl)
{
    m_caret.column = 0;
    if (ctrl)
        m_caret.line = 0;
}

void CColorEditModel::MoveEnd(bool ctrl)
{
    if (ctrl) {
        const int last = GetLineCount() - 1;
        m_caret = ColorEditPos(GetLineLength(last), last);
    } else {
        m_caret.column = GetLineLength(m_caret.line);
    }
}

int CColorEditModel::PageUp(int visibleLines)
{
    int target = m_caret.line - visibleLines;
    if (target <= 0)
        target = 0;
    m_caret = ClampPosition(m_caret.column, target);
    return m_caret.line;
}

int CColorEditModel::PageDown(int visibleLines)
{
    const int last = GetLineCount() - 1;
    int target = m_caret.line + visibleLines;
    if (target >= last)
        target = last;
    m_caret = ClampPosition(m_caret.column, target);
    return m_caret.line;
}
