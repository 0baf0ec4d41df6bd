// Text, editing operations and undo of the script editor model. Navigation and selection
// are in coloreditnav.cpp.
#include "coloreditmodel.h"
#include "coloreditchars.h"
#include <algorithm>

using namespace ColorEditChars;

CColorEditModel::CColorEditModel(int tabWidth) : m_nTabWidth(tabWidth > 0 ? tabWidth : 1)
{
    m_store.Clear();
}

CString CColorEditModel::GetLine(int line) const
{
    return LineExists(line) ? m_store.GetLine(line) : CString();
}

int CColorEditModel::GetLineLength(int line) const
{
    return LineExists(line) ? m_store.GetLineRef(line).GetLength() : 0;
}

const unsigned char* CColorEditModel::LineBytes(int line) const
{
    static const unsigned char empty[1] = {0};
    return LineExists(line) ? reinterpret_cast<const unsigned char*>(m_store.GetLineRef(line).GetString())
                            : empty;
}

void CColorEditModel::SetKeywordSet(CKeywordSet* keywords)
{
    m_store.SetKeywordSet(keywords);
    m_store.RecolorAll();
    DirtyAll();
}

CString CColorEditModel::ExpandTab(int column) const
{
    const int n = m_nTabWidth - (column % m_nTabWidth);
    return CString(' ', n);
}

ColorEditRefresh CColorEditModel::TakeRefresh()
{
    ColorEditRefresh r = m_refresh;
    m_refresh = ColorEditRefresh();
    return r;
}

void CColorEditModel::DirtyLines(int first, int last)
{
    if (first > last)
        std::swap(first, last);
    if (first < 0)
        first = 0;
    m_refresh.firstLine = std::min(m_refresh.firstLine, first);
    m_refresh.lastLine = std::max(m_refresh.lastLine, last);
}

// ---- Line primitives --------------------------------------------------------------------

void CColorEditModel::Record(int operation, const CString& text, int line)
{
    TextUndoPiece piece;
    piece.text = text;
    piece.operation = operation;
    piece.line = line;
    piece.caretColumn = m_caret.column;
    piece.caretLine = m_caret.line;
    piece.anchorColumn = m_anchor.column;
    piece.anchorLine = m_anchor.line;
    m_history.Record(piece);
}

void CColorEditModel::InsertLine(const CString& text, int index, bool refresh, bool noRecord)
{
    index = std::clamp(index, 0, GetLineCount());
    if (!noRecord)
        Record(TextUndoPiece::kInserted, CString(), index);
    m_store.InsertLine(text, index, refresh);
    m_refresh.scrollRanges = true;
}

void CColorEditModel::ReplaceLine(const CString& text, int index, bool noRecord)
{
    if (!LineExists(index))
        return;
    if (!noRecord)
        Record(TextUndoPiece::kReplaced, m_store.GetLineRef(index), index);
    m_store.ReplaceLine(text, index);
    m_refresh.scrollRanges = true;
}

void CColorEditModel::DeleteLine(int index, bool noRecord)
{
    if (!LineExists(index))
        return;
    if (!noRecord)
        Record(TextUndoPiece::kDeleted, m_store.GetLineRef(index), index);
    m_store.DeleteLine(index);
    m_refresh.scrollRanges = true;
}

// ---- Whole text -------------------------------------------------------------------------

void CColorEditModel::ResetState()
{
    m_store.Clear();
    m_caret = m_anchor = ColorEditPos();
    m_history.Clear();
    m_refresh.scrollRanges = true;
    DirtyAll();
}

void CColorEditModel::ResetContent()
{
    ResetState();
    m_refresh.changeNotify = true;
}

// The reset leaves one empty line, and the lines of the text go in front of it, so that line
// stands for the end of the text. Hence the bytes after the last LF are a line of their own
// when there are any, and a text whose last line-ended segment is empty (as GetText makes of
// a text that ends with an empty line) does not insert that segment: the reset's line is it.
void CColorEditModel::SetText(LPCSTR text)
{
    ResetState();

    std::vector<CString> segments;
    CString current;
    int column = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text != NULL ? text : "");
         *p != '\0'; ++p) {
        if (*p == '\r')
            continue;
        if (*p == '\n') {
            segments.push_back(current);
            current.Empty();
            column = 0;
        } else if (*p == '\t') {
            const CString spaces = ExpandTab(column);
            current += spaces;
            column += spaces.GetLength();
        } else {
            current += static_cast<char>(*p);
            ++column;
        }
    }
    if (!current.IsEmpty())
        segments.push_back(current);
    else if (!segments.empty() && segments.back().IsEmpty())
        segments.pop_back();

    for (const CString& line : segments) {
        InsertLine(line, m_caret.line, false);
        ++m_caret.line;
    }
    m_caret = m_anchor = ColorEditPos();
    m_store.RecolorAll();
    CommitEdit();
    DirtyAll();
}

void CColorEditModel::GetText(CString& text) const
{
    const int count = GetLineCount();
    if (count == 1) {
        text = m_store.GetLineRef(0);
        return;
    }
    int total = 0;
    for (int i = 0; i < count; ++i)
        total += m_store.GetLineRef(i).GetLength() + 2;
    text.Empty();
    text.Preallocate(total);
    for (int i = 0; i < count; ++i) {
        text += m_store.GetLineRef(i);
        text += "\r\n";
    }
}

CString CColorEditModel::GetText() const
{
    CString text;
    GetText(text);
    return text;
}

// ---- Steps ------------------------------------------------------------------------------

void CColorEditModel::CommitEdit()
{
    m_history.CloseStep();
    m_refresh.changeNotify = true;
}

bool CColorEditModel::TypeChar(unsigned int code)
{
    // Key chords arrive as control characters (Ctrl+Y as 0x19, Ctrl+Backspace as 0x7F, LF
    // after Ctrl+Enter, which posts its own CR): typed into a script they would show as
    // nothing and break it when it runs, and a NUL would cut the text short. Only TAB and CR
    // mean something here; what a loaded or pasted text holds is left to it.
    if ((code < 0x20 && code != 9 && code != 13) || code == 0x7F)
        return false;
    BeginEdit();
    DeleteSelection();
    if (code == 9)
        InsertTab();
    else if (code == 13)
        BreakLine();
    else
        InsertText(CString(static_cast<char>(code & 0xFF)));
    CommitEdit();
    return true;
}

void CColorEditModel::KeyBackspace()
{
    BeginEdit();
    if (HasSelection())
        DeleteSelection();
    else
        DeleteBackward();
    CommitEdit();
}

void CColorEditModel::KeyDelete()
{
    BeginEdit();
    if (HasSelection())
        DeleteSelection();
    else
        DeleteForward();
    CommitEdit();
}

CString CColorEditModel::Cut()
{
    const CString text = GetSelectedText();
    BeginEdit();
    DeleteSelection();
    CommitEdit();
    return text;
}

void CColorEditModel::Paste(LPCSTR text)
{
    BeginEdit();
    InsertClipboardText(text);
    CommitEdit();
}

// ---- Editing operations -----------------------------------------------------------------

void CColorEditModel::InsertText(const CString& text)
{
    if (text.IsEmpty())
        return;
    if (!LineExists(m_caret.line)) {
        const int index = GetLineCount();
        m_caret.line = index;
        InsertLine(text, index, true);
        m_caret.column = text.GetLength();
    } else {
        const CString& line = m_store.GetLineRef(m_caret.line);
        const int column = std::clamp(m_caret.column, 0, line.GetLength());
        ReplaceLine(line.Left(column) + text + line.Mid(column), m_caret.line);
        m_caret.column = column + text.GetLength();
    }
    m_anchor = m_caret;
    DirtyLines(m_caret.line, m_caret.line);
}

void CColorEditModel::InsertTab()
{
    InsertText(ExpandTab(m_caret.column));
}

// The line past the end reads as empty: breaking it makes it a real empty line and adds the
// empty line after it.
void CColorEditModel::BreakLine()
{
    const int n = std::min(m_caret.line, GetLineCount());
    m_caret.line = n;
    CString tail;
    if (LineExists(n)) {
        const CString line = m_store.GetLine(n);
        const int column = std::clamp(m_caret.column, 0, line.GetLength());
        tail = line.Mid(column);
        ReplaceLine(line.Left(column), n);
    } else {
        InsertLine(CString(), n, true);
    }
    m_caret = ColorEditPos(0, n + 1);
    InsertLine(tail, n + 1, true);
    m_anchor = m_caret;
    DirtyLines(n - 1, ColorEditRefresh::kToBottom);
}

void CColorEditModel::DeleteBackward()
{
    const int n = m_caret.line;
    if (!LineExists(n) && n > 0) {
        // The line past the end is empty: Backspace there only steps back to the end of the
        // last line, which is what joining an empty line would leave.
        const int last = GetLineCount() - 1;
        m_caret = ColorEditPos(GetLineLength(last), last);
        m_anchor = m_caret;
        DirtyAll();
        return;
    }
    const CString line = GetLine(n);
    const int column = std::clamp(m_caret.column, 0, line.GetLength());
    if (n <= 0 && column == 0) {
        m_anchor = m_caret;
        return;
    }
    if (column > 0) {
        const int start = CharStartOf(LineBytes(n), line.GetLength(), column - 1);
        ReplaceLine(line.Left(start) + line.Mid(column), n);
        m_caret.column = start;
        DirtyLines(n, n);
    } else {
        const CString previous = m_store.GetLine(n - 1);
        ReplaceLine(previous + line, n - 1);
        DeleteLine(n);
        m_caret = ColorEditPos(previous.GetLength(), n - 1);
        DirtyAll();
    }
    m_anchor = m_caret;
}

void CColorEditModel::DeleteForward()
{
    const int n = m_caret.line;
    if (LineExists(n)) {
        const CString line = m_store.GetLine(n);
        const int len = line.GetLength();
        const int column = std::clamp(m_caret.column, 0, len);
        if (column < len) {
            const int count = CharLengthAt(LineBytes(n), len, column);
            ReplaceLine(line.Left(column) + line.Mid(column + count), n);
            DirtyLines(n, n);
        } else if (LineExists(n + 1)) {
            ReplaceLine(line + m_store.GetLineRef(n + 1), n);
            DeleteLine(n + 1);
            DirtyAll();
        }
    }
    m_anchor = m_caret;
}

// Pieces are written before the caret moves, so that undoing the deletion brings the
// selection back as it was.
void CColorEditModel::DeleteSelection()
{
    if (!HasSelection())
        return;
    ColorEditPos start, end;
    GetSelection(start, end);
    if (!LineExists(start.line)) {
        m_caret = m_anchor = start;
        return;
    }
    const CString startLine = m_store.GetLine(start.line);
    start.column = std::clamp(start.column, 0, startLine.GetLength());
    if (start.line == end.line) {
        const int endColumn = std::clamp(end.column, start.column, startLine.GetLength());
        ReplaceLine(startLine.Left(start.column) + startLine.Mid(endColumn), start.line);
    } else {
        for (int k = start.line + 1; k < end.line; ++k)
            DeleteLine(start.line + 1);
        const CString endLine = GetLine(start.line + 1);
        const int endColumn = std::clamp(end.column, 0, endLine.GetLength());
        ReplaceLine(startLine.Left(start.column) + endLine.Mid(endColumn), start.line);
        DeleteLine(start.line + 1);
    }
    m_caret = m_anchor = start;
    DirtyAll();
}

void CColorEditModel::InsertClipboardText(LPCSTR text)
{
    DeleteSelection();
    const int column = std::clamp(m_caret.column, 0, GetLineLength(m_caret.line));
    m_caret.column = column;
    int current = column;
    CString accumulator, tail;
    bool sawLineEnd = false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text != NULL ? text : "");
         *p != '\0'; ++p) {
        if (*p == '\r')
            continue;
        if (*p == '\t') {
            const CString spaces = ExpandTab(current);
            accumulator += spaces;
            current += spaces.GetLength();
        } else if (*p == '\n') {
            if (!sawLineEnd && LineExists(m_caret.line)) {
                const CString line = m_store.GetLine(m_caret.line);
                tail = line.Mid(column);
                ReplaceLine(line.Left(column) + accumulator, m_caret.line);
            } else {
                m_caret.line = std::min(m_caret.line, GetLineCount());
                InsertLine(accumulator, m_caret.line, false);
            }
            sawLineEnd = true;
            accumulator.Empty();
            m_caret = ColorEditPos(0, m_caret.line + 1);
            current = 0;
        } else {
            accumulator += static_cast<char>(*p);
            ++current;
        }
    }
    if (!sawLineEnd) {
        if (!accumulator.IsEmpty()) {
            if (LineExists(m_caret.line)) {
                const CString line = m_store.GetLine(m_caret.line);
                ReplaceLine(line.Left(column) + accumulator + line.Mid(column), m_caret.line);
                m_caret.column = column + accumulator.GetLength();
            } else {
                m_caret.line = GetLineCount();
                InsertLine(accumulator, m_caret.line, false);
                m_caret.column = accumulator.GetLength();
            }
        }
    } else {
        // The piece after the last line end is a line of its own, even when it is empty,
        // except at the very end of the text, where the caret past the last line stands for it.
        m_caret.line = std::min(m_caret.line, GetLineCount());
        const CString last = accumulator + tail;
        if (!last.IsEmpty() || LineExists(m_caret.line))
            InsertLine(last, m_caret.line, false);
        m_caret.column = accumulator.GetLength();
    }
    m_anchor = m_caret;
    m_store.RecolorAll();
    m_refresh.scrollRanges = true;
    DirtyAll();
}

// ---- Undo -------------------------------------------------------------------------------

void CColorEditModel::Undo()
{
    ApplyUndoRecord(m_history.m_undo, m_history.m_redo);
    m_refresh.changeNotify = true;
}

void CColorEditModel::Redo()
{
    ApplyUndoRecord(m_history.m_redo, m_history.m_undo);
    m_refresh.changeNotify = true;
}

// Pieces are reverted newest first and their inverses appended in that order, so applying
// the inverse record replays the changes oldest first: Undo then Redo restores the text,
// caret and anchor of the moment after the edit.
void CColorEditModel::ApplyUndoRecord(CUndoStack& source, CUndoStack& target)
{
    if (source.empty())
        return;
    CUndoRecord record = source.back();
    source.pop_back();
    CUndoRecord inverse;
    int firstLine = INT_MAX;
    while (!record.m_pieces.empty()) {
        const TextUndoPiece p = record.m_pieces.back();
        record.m_pieces.pop_back();
        firstLine = std::min(firstLine, p.line);
        m_refresh.showLines.push_back(p.line);

        TextUndoPiece q;
        switch (p.operation) {
        case TextUndoPiece::kInserted:
            q.operation = TextUndoPiece::kDeleted;
            q.text = GetLine(p.line);
            DeleteLine(p.line, true);
            break;
        case TextUndoPiece::kDeleted:
            q.operation = TextUndoPiece::kInserted;
            InsertLine(p.text, p.line, true, true);
            break;
        default:
            q.operation = TextUndoPiece::kReplaced;
            q.text = GetLine(p.line);
            ReplaceLine(p.text, p.line, true);
            break;
        }
        q.line = p.line;
        q.caretColumn = m_caret.column;
        q.caretLine = m_caret.line;
        q.anchorColumn = m_anchor.column;
        q.anchorLine = m_anchor.line;
        m_caret = ColorEditPos(p.caretColumn, p.caretLine);
        m_anchor = ColorEditPos(p.anchorColumn, p.anchorLine);
        inverse.m_pieces.push_back(q);
    }
    target.push_back(inverse);
    DirtyLines(firstLine, ColorEditRefresh::kToBottom);
}
