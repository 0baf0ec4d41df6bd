// ColorEditWnd: the script editor control, a thin window over CColorEditModel.
//
// The model owns the lines with their colours, the caret and anchor, the editing operations
// and the undo history. This window turns messages into model calls and, after every call,
// carries out what the model reports (ApplyRefresh): lines to bring into view, scroll ranges
// to update, lines to repaint and one EN_CHANGE for the parent. It keeps the view state
// itself: the scroll position in lines and columns, the cell metrics of its fixed-pitch
// font, the caret, and the mouse selection.
//
// Geometry: the text starts at x = 8 (a left margin) and y = 0; every byte is one cell of
// m_nCellWidth pixels, a double-byte character two cells drawn as one glyph, every line
// m_nLineHeight pixels. Painting goes through Paint, which draws into any DC (the window
// paints through an off-screen bitmap; tests paint into a DIB).
//
// The message handlers are split by family: coloreditwnd.cpp (creation, public operations,
// focus, caret, notifications), coloreditpaint.cpp, coloreditscroll.cpp, coloreditkeys.cpp
// (keys, characters, accelerators), coloreditmouse.cpp, coloreditcmds.cpp (edit commands,
// clipboard, context menu).
#pragma once

#include "afxres.h"
#include "afxwin.h"
#include "coloreditmodel.h"
#include "luakeywordset.h"
#include "lowlinecell.h"


class ColorEditWnd : public CWnd {
    DECLARE_DYNAMIC(ColorEditWnd)
public:
    // Creates the window at once: a visible child with a vertical scroll bar, and a
    // horizontal one when bHScroll is set. The window is not created when its font cannot be.
    ColorEditWnd(CWnd* pParentWnd, const RECT& rect, UINT nID, int nTabWidth, BOOL bHScroll);
    // The same; the editor always uses its own 12-pixel fixed-pitch font, so the point size
    // and face name are accepted for the callers that pass them and otherwise ignored.
    ColorEditWnd(CWnd* pParentWnd, const RECT& rect, UINT nID, int nTabWidth, BOOL bHScroll,
                 int nPointSize, LPCTSTR lpszFaceName);
    virtual ~ColorEditWnd();

    // ---- Text.
    // Replaces the whole text: lines split at LF, CR dropped, TABs expanded. One undo step
    // and one EN_CHANGE; callers that load a script call ClearUndoHistory afterwards.
    void SetText(LPCSTR lpszText);
    // The lines joined with CR LF (after every line when there are two or more).
    void GetText(CString& strText) const;
    CString GetLine(int nLine) const;
    void ResetContent();
    void ClearUndoHistory();

    // ---- Look.
    // The colouring object (not owned); every line is coloured again.
    void SetKeywordSet(CKeywordSet* pKeywords);
    void SetSelectionBkColor(COLORREF crBack);
    // Adds pixels to the cell width until the window is next shown; negative adds nothing.
    void AddCharSpacing(int nPixels);

    // ---- Edit commands (also reached through the accelerators and the context menu).
    void Undo();
    void Redo();
    // TRUE when the selection is on the clipboard.
    BOOL Copy();
    void Cut();
    void Paste();
    void SelectAll();
    BOOL CanUndo() const { return m_model.CanUndo(); }
    BOOL CanRedo() const { return m_model.CanRedo(); }
    // Whether anchor and caret differ; repaints when the answer changed since the last call.
    BOOL HasSelection();

    // ---- Painting: the background and every line that meets rcPaint (client coordinates).
    void Paint(CDC* pDC, const RECT& rcPaint);

    // ---- View state.
    int GetCellWidth() const { return m_nCellWidth; }
    int GetLineHeight() const { return m_nLineHeight; }
    int GetTopLine() const { return m_nTopLine; }
    int GetFirstVisibleColumn() const { return m_nFirstColumn; }
    const CColorEditModel& GetModel() const { return m_model; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // While set, Backspace, Delete, typing, Cut and Paste change nothing; SetText, Undo and
    // Redo still do.
    BOOL m_bReadOnly;

protected:
    void Construct(CWnd* pParentWnd, const RECT& rect, UINT nID, BOOL bHScroll);
    // Carries out what the model collected since the last call; every model call ends here.
    void ApplyRefresh();
    void NotifyParent(UINT nCode);

    // Geometry.
    int VisibleLines() const;
    int WholeLinesThatFit() const;
    int VisibleColumns() const;
    int LastVisibleLine() const;
    CRect LineRect(int nLine) const;
    CRect LinesRect(int nFirst, int nLast) const;
    void InvalidateLines(int nFirst, int nLast, BOOL bErase = FALSE);
    // Client column and line under a point, as a button-down sees it.
    ColorEditPos PositionFromPoint(CPoint point) const;

    // Caret, anchor and scrolling.
    void UpdateCaret(BOOL bShow);
    void UpdateAnchor(BOOL bExtend);
    void EnsureCaretVisible();
    void ScrollToLine(int nLine);
    void EnsureLineVisible(int nLine);
    void UpdateScrollBars();
    void ScrollClient(int dx, int dy);
    BOOL HasScrollBar(int nBar) const;

    void DrawLine(CDC* pDC, int nLine, int y, const CellLowLine& lowLine);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnEditSelectAll();
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateNeedSel(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

    int m_nCellWidth;
    int m_nLineHeight;
    HCURSOR m_hCursor;
    CFont m_font;
    int m_nFirstColumn;
    int m_nTopLine;
    COLORREF m_crBack;
    COLORREF m_crSelBack;
    COLORREF m_crSelText;
    CColorEditModel m_model;
    BOOL m_bSelectionShown;
    BOOL m_bSelecting;
    BOOL m_bCaretCreated;
    int m_nMouseDownX;
    int m_nMouseDownY;
    BOOL m_bAccelEnabled;
    UINT m_nID;
    HACCEL m_hAccel;

    static const int kLeftMargin = 8;
};
