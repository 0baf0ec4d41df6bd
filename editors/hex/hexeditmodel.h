// The window-free model of the hex editor control: the byte buffer with caret, selection and
// nibble, insert and overwrite mode, the layout in cells of an injected size, scrolling,
// hit-testing, the editing primitives, undo and redo, markers and the character decodings.
//
// CHexEdit is a thin window over it: it measures its font and client area into
// HexViewMetrics, maps each message to one model call, and then carries out the view work
// the model asks for (TakeViewChanges: redraw, scroll bars, caret, capture, timer, tooltip).
// The painter reads the model (layout, bytes, display cells, cell colours, caret) and draws
// into any DC. The display fields below are written by the hosting panes before
// RecalcLayout, as the control's own fields are.
#pragma once

#include "afxdisp.h"

#include <vector>

#include "hexbuffer.h"
#include "hexcodec.h"
#include "hexdecodepoints.h"
#include "hexlayout.h"
#include "hexmarker.h"
#include "hexundo.h"

// View work a model call leaves for the window (bits of TakeViewChanges).
enum HexViewChange : UINT {
    HEXVIEW_REDRAW = 0x0001,           // RedrawWindow: invalidate, erase, update now
    HEXVIEW_SCROLLBARS = 0x0002,       // set both bars from GetScrollBar and show or hide them
    HEXVIEW_CARET = 0x0004,            // GetCaretPlacement: move, show or hide the caret, IME window
    HEXVIEW_CARET_CREATE = 0x0008,     // create the system caret again (GetCaretSize)
    HEXVIEW_CARET_DESTROY = 0x0010,
    HEXVIEW_CAPTURE = 0x0020,
    HEXVIEW_RELEASE_CAPTURE = 0x0040,
    HEXVIEW_TIMER_START = 0x0080,      // timer kHexDragTimerId, kHexDragTimerMs
    HEXVIEW_TIMER_STOP = 0x0100,
    HEXVIEW_TIP_DEACTIVATE = 0x0200,   // TTM_ACTIVATE FALSE on the tooltip control
    HEXVIEW_TIP_UPDATE = 0x0400,       // TTM_UPDATETIPTEXT with GetTipText (tool made on first use)
    HEXVIEW_FOCUS = 0x0800,            // take the focus
};

const UINT kHexDragTimerId = 1;
const UINT kHexDragTimerMs = 200;
const int kHexTipTextMax = 1023;

// What a key asks of the window beyond the model.
enum HexKeyAction {
    HEXKEY_NONE = 0,
    HEXKEY_NEXT_CONTROL,      // WM_NEXTDLGCTL (0, 0) to the parent owner
    HEXKEY_PREVIOUS_CONTROL,  // WM_NEXTDLGCTL (1, 0)
    HEXKEY_COPY,
    HEXKEY_CUT,
    HEXKEY_PASTE,
};

// Mode flags.
const DWORD HEXMODE_HEXCOLUMN = 0x1;  // the caret is in the hex column (else the character column)
const DWORD HEXMODE_INSERT = 0x2;     // insert mode (else overwrite mode)

struct HexCaretPlacement {
    int x = 0;
    int y = 0;
    bool bVisible = false;
};

class HexEditModel {
public:
    HexEditModel();

    // ---- display fields (the panes' settings), followed by RecalcLayout ----
    BOOL m_bShowAddress = TRUE;
    BOOL m_bShowChars = TRUE;
    short m_nAddressDigits = 8;   // 4 or 8
    int m_nFontHeight = 12;       // logical font height
    BOOL m_bShowHeader = TRUE;
    int m_nCharCode = CHARCODE_UTF8;
    short m_nGroupDigits = 4;     // 2, 4 or 8
    short m_nBytesPerLine = kHexBytesPerLine;
    DWORD m_dwMode = HEXMODE_HEXCOLUMN | HEXMODE_INSERT;
    COLORREF m_crBack = 0xFFFFFF;
    COLORREF m_crText = 0x000000;
    // Colours the marker dialog offers for the next marker; each added marker replaces them.
    COLORREF m_crMarkerText = 0x0000FF;
    COLORREF m_crMarkerBack = 0xCCCCEE;
    // The bytes the data-analysis dialog looks at, drawn on its own colour.
    HexMarker m_analysis;

    // ---- data ----
    // Replaces the whole content: undoable in two steps in an editor, without any history in
    // a viewer (not editable). Ends a drag in progress.
    void SetData(const COleSafeArray& data);
    void SetData(const BYTE* bytes, UINT n);
    // Replaces the whole content and empties both histories: for replacements the user is
    // not to undo.
    void ResetData(const COleSafeArray& data);
    void ResetData(const BYTE* bytes, UINT n);
    COleSafeArray GetData() const { return m_buffer.ToSafeArray(); }
    const HexBuffer& GetBuffer() const { return m_buffer; }
    UINT GetDataSize() const { return m_buffer.GetSize(); }
    bool HasData() const { return m_buffer.HasData(); }
    void SetEditable(BOOL editable) { m_bEditable = editable; }
    BOOL IsEditable() const { return m_bEditable; }

    // ---- layout and scrolling ----
    void SetViewMetrics(const HexViewMetrics& metrics);
    // Address digits, columns, rows and scroll bars; nothing before metrics were given.
    void RecalcLayout();
    const HexLayout& GetLayout() const { return m_layout; }
    const HexColumns& GetColumns() const { return m_layout.cols; }
    bool EnsureCaretVisible();
    bool UpdateScrollBars();
    const HexScrollBar& GetScrollBar(int bar) const { return bar == SB_VERT ? m_vbar : m_hbar; }
    void VScroll(UINT code, int trackPos);
    void HScroll(UINT code, int trackPos);
    void MouseWheel(int delta);
    int GetTop() const { return m_nTop; }
    int GetHScroll() const { return m_nHScroll; }

    // ---- caret, selection, hit-testing ----
    int GetCaret() const { return m_nCaret; }
    int GetNibble() const { return m_nNibble; }
    bool IsHexColumn() const { return (m_dwMode & HEXMODE_HEXCOLUMN) != 0; }
    bool IsInsertMode() const { return (m_dwMode & HEXMODE_INSERT) != 0; }
    BOOL HasNoSelection() const { return m_nSelStart == -1; }
    int GetSelStart() const { return m_nSelStart; }
    int GetSelEnd() const { return m_nSelEnd; }
    void MoveCaret(int dx, int dy, bool force);
    // Without pIndex the caret moves to the hit byte; with it only the index is given. False on
    // the header row, where nothing happens.
    bool HitTest(int x, int y, int* pIndex = NULL);
    void UpdateCaretPos();
    const HexCaretPlacement& GetCaretPlacement() const { return m_caretPlacement; }
    bool IsCaretShown() const { return m_bCaretShown; }
    SIZE GetCaretSize() const;
    void SelectAll();

    // ---- input ----
    HexKeyAction KeyDown(UINT vk, bool shift, bool ctrl);
    void Char(UINT ch);
    void ImeChar(UINT code);
    void LButtonDown(int x, int y, bool shift);
    void LButtonUp(int x, int y);
    void LButtonDblClk(int x, int y);
    void MouseMove(int x, int y);
    void DragTimer();
    void SetFocus();
    void KillFocus();
    bool IsMouseSelecting() const { return m_bMouseSelecting; }

    // ---- editing primitives ----
    int PrepareTyping();
    bool InsertUnits(UINT index, UINT n);
    void RemoveUnits(UINT index, UINT n);
    void RemoveSelection();
    void ZeroSelection();
    void InsertData(const BYTE* bytes, UINT n);
    void UpdateDragSelection(int x, int y);

    // ---- clipboard support (the clipboard calls are in hexclipboard) ----
    // The selected bytes; false without a selection.
    bool GetSelectedBytes(std::vector<BYTE>& bytes) const;
    // Removes (insert mode) or zero-fills (overwrite mode) the selection after a copy.
    void CutSelection();

    // ---- undo and redo ----
    // joined: undone and redone in one step with the record before it.
    void AddUndoRecord(int kind, const BYTE* bytes, UINT count, bool clearRedo, bool joined = false);
    void AddRedoRecord(int kind, const BYTE* bytes, UINT count, bool joined = false);
    bool PopUndoRecord(HexUndoRecord& record) { return m_undo.Pop(record); }
    bool PopRedoRecord(HexUndoRecord& record) { return m_redo.Pop(record); }
    void Undo();
    void Redo();
    BOOL CanUndo() const { return !m_undo.IsEmpty(); }
    BOOL CanRedo() const { return !m_redo.IsEmpty(); }
    void ClearUndo() { m_undo.Clear(); }
    void ClearRedo() { m_redo.Clear(); }
    const HexUndoList& GetUndoList() const { return m_undo; }
    const HexUndoList& GetRedoList() const { return m_redo; }

    // ---- markers ----
    int AddMarker(int start, int length, COLORREF crText, COLORREF crBack, LPCSTR comment);
    void ClearMarkers();
    int CountMarkersInRange(int start, int n) const;
    void RemoveMarkersInRange(int start, int n);
    void SetMarkerData(const COleSafeArray& blob);
    const std::vector<HexMarker>& GetMarkers() const { return m_markers; }
    // Index of the first marker covering byte b, or -1.
    int FindMarkerAt(LONGLONG b) const;
    // The tooltip text for a point: the comment of the first marker covering the byte there,
    // cut to kHexTipTextMax bytes; empty when none covers it.
    CString GetMarkerTipAt(int x, int y);
    const CString& GetTipText() const { return m_strTip; }

    // ---- character decodings ----
    // The text view of the data, offered only when it gives the data back (HexDataToText).
    BOOL DataToText(CString& text, UINT* pFailIndex, LPCSTR newline = "\r\n", bool* pCloseKanji = NULL) const;
    void TextToData(LPCSTR text, int mode, LPCSTR newline, bool closeKanji = false);
    void GetDisplayCells(UINT first, UINT count, std::vector<HexCharCell>& cells) const;

    // ---- painting support ----
    // Colours of byte b's cells: analysis highlight, else marker or the control's colours,
    // swapped inside the selection.
    void GetCellColors(LONGLONG b, COLORREF& crText, COLORREF& crBack) const;

    // The view work collected since the last call.
    UINT TakeViewChanges();

private:
    void SetCaretColumn(bool hexColumn);
    void ClearSelection();
    bool GetSelectionRange(UINT& start, UINT& count) const;
    void ExtendSelection(int oldCaret, int newCaret);
    void PlainKey(UINT vk, bool& handled);
    HexKeyAction ShiftKey(UINT vk);
    HexKeyAction CtrlKey(UINT vk);
    void DeleteKey();
    void BackspaceKey();
    bool ApplyHistoryRecord(HexUndoRecord& record, bool toRedo, bool joinInverse);
    void StepHistory(HexUndoList& source, bool toRedo);
    void AfterHistoryStep();
    void OverwriteAndInsert(const BYTE* bytes, UINT n);
    void AssignFrom(const COleSafeArray& data, void (HexEditModel::*assign)(const BYTE*, UINT));
    void ReplaceContent(const BYTE* bytes, UINT n);
    // Ends mouse-selecting: capture released, timer stopped, keep-column cleared.
    void EndDrag();
    bool IsOnHeaderRow(int y) const;
    bool IsInClient(int x, int y) const;
    void Changed(UINT changes) { m_nChanges |= changes; }

    HexBuffer m_buffer;
    // Where the character column's decoding may start, kept while the bytes stay the same.
    mutable HexDecodePoints m_decodePoints;
    BOOL m_bEditable = TRUE;
    HexViewMetrics m_metrics;
    bool m_bHaveMetrics = false;
    HexLayout m_layout;
    HexScrollBar m_vbar;
    HexScrollBar m_hbar;
    bool m_bScrollBarsKnown = false;

    int m_nSelStart = -1;
    int m_nSelEnd = -1;
    int m_nHScroll = 0;
    int m_nCaret = 0;
    int m_nTop = 0;
    int m_nNibble = 0;

    bool m_bMouseSelecting = false;
    int m_nAnchor = 0;
    bool m_bKeepColumn = false;
    bool m_bTimerRunning = false;
    POINT m_ptLastDrag = {0, 0};
    POINT m_ptLastDown = {-1, -1};

    bool m_bFocused = false;
    bool m_bCaretShown = false;
    HexCaretPlacement m_caretPlacement;

    HexUndoList m_undo;
    HexUndoList m_redo;
    std::vector<HexMarker> m_markers;
    CString m_strTip;
    CString m_strLastTip;
    UINT m_nChanges = 0;
};
