// The framework's status bar: the class library's status bar (a common status control)
// painted by the current look, double-buffered, with a size gripper, pane icons, optional
// separators between panes, controls kept over their panes, per-pane text formats and tips,
// and the frame's bars menu on a right click. A frame's status bar of this class (id 0xE801)
// is the window that relays the system changes of its frame to the paint manager and the
// command manager.
//
// The control still keeps the panes' parts, texts and icons; only its drawing is replaced.
// A text or icon change runs with the control's own painting held off, then the bar repaints
// itself once, so the unthemed look never flashes.
#pragma once
#include "afxext.h"
#include "afxtempl.h"

class CUiStatusControlBar : public CStatusBar {
    DECLARE_DYNCREATE(CUiStatusControlBar)
public:
    // A pane's extra data, by its command id.
    struct _ED_ {
        UINT m_nTextFormat = 0;
        CString m_strTipText;
    };
    // A control window kept over a pane.
    struct _STATUSBAR_PANE_CTRL_ {
        HWND m_hWnd;
        UINT m_nPaneId;
        bool m_bAutoDestroy;
    };
    // Option flags.
    enum {
        kBorderFirstPane = 0x01,
        kThemed = 0x02,
        kSeparators = 0x04,
        kHideDisabledText = 0x08,
        kNoIcons = 0x10,
    };
    static const UINT kDefaultTextFormat = DT_SINGLELINE | DT_VCENTER;

    CUiStatusControlBar();
    ~CUiStatusControlBar() override;

    virtual int HitTestPane(CPoint point) const;
    virtual void EraseBackground(CDC& dc, const CRect& rc);
    virtual void PrePaintPane(CDC& dc, int nIndex, const CRect& rc, LPCSTR lpszText);
    virtual void DrawPane(CDC& dc, int nIndex, const CRect& rc, UINT nStyle, HICON hIcon, LPCSTR lpszText,
                          UINT nFormat);
    virtual COLORREF GetPaneTextColor(int nIndex) const;
    virtual bool IsGripperVisible() const;
    virtual void DrawGripper(CDC& dc, const CRect& rc);
    virtual void DrawPaneSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane);

    UINT GetPaneTextFormat(int nIndex) const;
    CString GetPaneTipText(int nIndex) const;
    // The owner's settings of a pane (by index); false for a bad index.
    bool SetPaneTextFormat(int nIndex, UINT nFormat);
    bool SetPaneTipText(int nIndex, LPCSTR lpszTip);
    // Keeps hWnd over the pane of nPaneId from now on; with bAutoDestroy the bar destroys
    // the window with itself. False for a window that does not exist.
    bool AddPaneControl(HWND hWnd, UINT nPaneId, bool bAutoDestroy);
    // The control leaves the bar (its window stays); false when it was not there.
    bool RemovePaneControl(HWND hWnd);

    // A pane's rectangle as painted: the last pane reaches the gripper or its own width.
    void GetPaneRect(int nIndex, CRect& rc) const;
    // The whole bar into dc (the off-screen picture of WM_PAINT).
    void PaintBar(CDC& dc);
    void RepositionPaneControls();
    void UpdateColors();

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    CMap<UINT, UINT, _ED_, const _ED_&> m_mapExtraData;
    BYTE m_bOptions;
    UINT m_nDefaultTextFormat;
    COLORREF m_clrBackground;
    COLORREF m_clrText;
    COLORREF m_clrTextDisabled;
    CArray<_STATUSBAR_PANE_CTRL_*, _STATUSBAR_PANE_CTRL_*> m_arrPaneControls;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    enum { kPaintSuppressed = 0x01 };
    BYTE m_bFlags;
    // The pane's extra data, made with the default format when it has none; null for a bad
    // index.
    _ED_* PaneExtraData(int nIndex);
    // The system changes after default processing: colours, then both relays.
    LRESULT OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam);
};
