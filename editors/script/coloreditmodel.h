// The window-free model of the script editor: the text store, caret and selection anchor,
// navigation, the editing operations and their undo history. ColorEditWnd is a thin layer
// over it: it maps keys, characters, mouse clicks and commands to the calls below, paints
// each line from GetLineRef / GetLineColors / GetLineSelection, and after every call drains
// TakeRefresh() to learn what to repaint, whether the scroll ranges changed, which lines an
// undo brought into view and whether to send EN_CHANGE.
//
// Positions are byte columns into a line. The caret may stand one line past the last line
// (after pasting text that ends with a line end); that line reads as empty everywhere.
// Every user action (TypeChar, KeyBackspace, KeyDelete, Cut, Paste, SetText) is one undo
// step; consecutive keystrokes are never merged. Read-only mode is the window's business:
// it simply does not call the editing operations.
#pragma once
#include "afx.h"
#include "coloredittext.h"
#include "coloreditundo.h"
#include <climits>
#include <vector>

struct ColorEditPos {
    int column = 0;
    int line = 0;

    ColorEditPos() = default;
    ColorEditPos(int c, int l) : column(c), line(l) {}
    bool operator==(const ColorEditPos& o) const { return column == o.column && line == o.line; }
    bool operator!=(const ColorEditPos& o) const { return !(*this == o); }
    bool operator<(const ColorEditPos& o) const
    {
        return line != o.line ? line < o.line : column < o.column;
    }
};

// What the window has to do after a model call; accumulated until TakeRefresh().
struct ColorEditRefresh {
    static constexpr int kToBottom = INT_MAX;

    bool changeNotify = false;   // send EN_CHANGE to the parent (once)
    bool scrollRanges = false;   // line count or line lengths changed: update the scroll bars
    bool all = false;            // repaint the whole client area
    int firstLine = INT_MAX;     // else repaint lines firstLine..lastLine (kToBottom: down to
    int lastLine = -1;           // the bottom of the client area); none when first > last
    std::vector<int> showLines;  // EnsureLineVisible for each, in order (Undo and Redo)

    bool HasDirtyLines() const { return all || firstLine <= lastLine; }
};

class CColorEditModel {
public:
    explicit CColorEditModel(int tabWidth = 4);
    CColorEditModel(const CColorEditModel&) = delete;
    CColorEditModel& operator=(const CColorEditModel&) = delete;

    // Text and colouring.
    int GetLineCount() const { return m_store.GetLineCount(); }
    bool LineExists(int line) const { return line >= 0 && line < GetLineCount(); }
    CString GetLine(int line) const;                // empty for a line that does not exist
    const CString& GetLineRef(int line) const { return m_store.GetLineRef(line); }
    int GetLineLength(int line) const;              // 0 for a line that does not exist
    // One colour per byte; may be shorter than the line only while an edit is under way.
    const LineColorVector& GetLineColors(int line) const { return m_store.GetLineColors(line); }
    int GetLongestLineLength() const { return m_store.GetLongestLineLength(); }
    int GetTabWidth() const { return m_nTabWidth; }
    void SetKeywordSet(CKeywordSet* keywords);
    const CTextStore& GetStore() const { return m_store; }

    // Whole text. SetText splits at LF, drops CR and expands TABs; the lines go in front of
    // the empty line that the reset leaves, so SetText(GetText()) gives the same text back.
    void SetText(LPCSTR text);
    void GetText(CString& text) const;
    CString GetText() const;
    void ResetContent();
    CString ExpandTab(int column) const;

    // Caret and selection.
    ColorEditPos GetCaret() const { return m_caret; }
    ColorEditPos GetAnchor() const { return m_anchor; }
    void SetCaret(const ColorEditPos& pos) { m_caret = pos; }
    void SetAnchor(const ColorEditPos& pos) { m_anchor = pos; }
    void CollapseSelection() { m_anchor = m_caret; }
    bool HasSelection() const { return m_caret != m_anchor; }
    void GetSelection(ColorEditPos& start, ColorEditPos& end) const;
    bool IsSelected(int column, int line) const;
    // Selected columns [from, to) of a line (to may be INT_MAX); false when none.
    bool GetLineSelection(int line, int& from, int& to) const;
    CString GetSelectedText() const;
    void SelectAll();
    // Double click: the run between delimiters around the column; caret at its start.
    void SelectWordAt(int column, int line);
    // Line limited to the text, column to the line, then moved off a trail byte.
    ColorEditPos ClampPosition(int column, int line) const;

    // Navigation keys; the anchor is the caller's (Shift) business.
    void MoveLeft(bool ctrl);
    void MoveRight(bool ctrl);
    void MoveUp();
    void MoveDown();
    void MoveHome(bool ctrl);
    void MoveEnd(bool ctrl);
    // Move the caret by a page; return the line to scroll to.
    int PageUp(int visibleLines);
    int PageDown(int visibleLines);
    int WordLeft(int column, int line) const;   // column reached on the same line (column > 0)
    int WordRight(int column, int line) const;  // column reached on the same line (column < length)

    // User actions, one undo step each.
    // WM_CHAR: TAB expands, CR breaks the line, every other control character (Backspace,
    // handled on key-down, among them) and DEL are ignored; returns false for an ignored code.
    bool TypeChar(unsigned int code);
    void KeyBackspace();
    void KeyDelete();
    // Removes the selection and returns its text for the clipboard.
    CString Cut();
    void Paste(LPCSTR text);
    void Undo();
    void Redo();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    void ClearUndoHistory() { m_history.Clear(); }
    const CTextUndoHistory& GetHistory() const { return m_history; }

    // Parts of the user actions, for callers that frame their own step.
    void BeginEdit() { m_history.BeginEdit(); }
    void CommitEdit();
    void InsertText(const CString& text);
    void InsertTab();
    void BreakLine();
    void DeleteBackward();
    void DeleteForward();
    void DeleteSelection();
    void InsertClipboardText(LPCSTR text);

    // Line primitives; unless noRecord, each writes an undo piece first.
    void InsertLine(const CString& text, int index, bool refresh, bool noRecord = false);
    void ReplaceLine(const CString& text, int index, bool noRecord = false);
    void DeleteLine(int index, bool noRecord = false);

    ColorEditRefresh TakeRefresh();
    const ColorEditRefresh& PeekRefresh() const { return m_refresh; }

private:
    void Record(int operation, const CString& text, int line);
    void ApplyUndoRecord(CUndoStack& source, CUndoStack& target);
    void ResetState();
    void DirtyLines(int first, int last);
    void DirtyAll() { m_refresh.all = true; }
    const unsigned char* LineBytes(int line) const;

    int m_nTabWidth;
    CTextStore m_store;
    ColorEditPos m_caret;
    ColorEditPos m_anchor;
    CTextUndoHistory m_history;
    ColorEditRefresh m_refresh;
};
