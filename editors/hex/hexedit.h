// CHexEdit: the hex editor control, a thin window over HexEditModel.
//
// The model owns the bytes, caret, selection, layout arithmetic, editing, undo and markers;
// this window measures its font and client area for the model, hands every message to one
// model call and then carries out the view work the model left (redraw, scroll bars, caret,
// capture, drag timer, tooltip). Painting goes through PaintHexEdit into an off-screen bitmap.
//
// The hosting panes write their settings into the model's display fields (GetModel()) and
// then call RecalcLayout; operations go through CHexEdit so that their view work is done. Dialog templates name the window class "CHexEdit", which the
// application registers at start-up with CHexEdit::RegisterWndClass; such a control is bound
// with DDX_Control, so nothing here may depend on PreCreateWindow having run.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include "hexeditmodel.h"
#include "hexpaint.h"

extern const char kHexEditClassName[];  // "CHexEdit"

class CHexEdit : public CWnd {
    DECLARE_DYNCREATE(CHexEdit)
public:
    CHexEdit();
    virtual ~CHexEdit();

    // Registers the window class "CHexEdit" (double clicks, redraw on resize, I-beam cursor,
    // window background); FALSE when the system refuses it.
    static BOOL RegisterWndClass();

    // As CWnd::Create, with both scroll bars; the class defaults to "CHexEdit".
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The model with its display fields (colours, font height, columns, code mode).
    HexEditModel& GetModel() { return m_model; }
    const HexEditModel& GetModel() const { return m_model; }

    // Measures the font and the client area and lays the model out again.
    void RecalcLayout();

    void SetData(const COleSafeArray& data);
    // The data without any history: for replacements the user is not to undo.
    void ResetData(const COleSafeArray& data);
    COleSafeArray GetData() const { return m_model.GetData(); }
    void SetEditable(BOOL bEditable) { m_model.SetEditable(bEditable); }
    BOOL IsEditable() const { return m_model.IsEditable(); }

    void ClearUndo() { m_model.ClearUndo(); }
    BOOL CanUndo() const { return m_model.CanUndo(); }
    BOOL CanRedo() const { return m_model.CanRedo(); }
    void Undo();
    void Redo();
    void Copy();
    void Cut();
    void Paste();
    // The enabling rule of the paste command: the clipboard offers "BinaryData" or CF_TEXT.
    static BOOL CanPaste();
    void SelectAll();
    BOOL HasNoSelection() const { return m_model.HasNoSelection(); }

    void ClearMarkers();
    int AddMarker(int start, int length, COLORREF crText, COLORREF crBack, LPCSTR comment);
    void SetMarkerData(const COleSafeArray& blob);
    int CountMarkersInRange(int start, int n) const { return m_model.CountMarkersInRange(start, n); }
    void RemoveMarkersInRange(int start, int n);

    BOOL DataToText(CString& text, UINT* pFailIndex, LPCSTR newline = "\r\n", bool* pCloseKanji = NULL) const
    {
        return m_model.DataToText(text, pFailIndex, newline, pCloseKanji);
    }
    void TextToData(LPCSTR text, int mode, LPCSTR newline, bool closeKanji = false);

protected:
    // Carries out the view work the model collected; every path that calls the model ends here.
    void ApplyViewChanges();

    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    DECLARE_MESSAGE_MAP()

    HexEditModel m_model;

private:
    void Apply(UINT changes);
    void ApplyScrollBars();
    // Paints again the rows that would now be painted otherwise, or the whole window when
    // more than rows changed (or what the screen shows is not known).
    void RedrawChanged();
    void CreateSystemCaret();
    void DestroySystemCaret();
    void PlaceCaret();
    void PlaceImeWindow(int x, int y);
    void FillMarkerTool(TOOLINFO& ti);
    void UpdateMarkerTip();

    CFont m_font;                 // the control's own font, for measuring and the input method
    bool m_bCreating = false;     // Create is running (PreSubclassWindow comes before WM_CREATE)
    bool m_bHaveCaret = false;
    bool m_bCaretVisible = false;
    CToolTipCtrl m_toolTip;       // relays this window's messages; a drag deactivates it
    // What is on the screen, as the painting's signature; unknown until the whole client area
    // was painted and again whenever the window is hidden.
    HexPaintSignature m_painted;
    bool m_bPaintedKnown = false;
    CToolTipCtrl m_markerTip;     // the comment of the marker under the mouse
    char m_szTipText[kHexTipTextMax + 1];
};
