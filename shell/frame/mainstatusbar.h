// The main frame's status bar: the class library's status bar with a tip over each pane that
// asks for one, icons in panes, pane widths that follow their text, and optional owner-drawn
// panes in colours of their own. Its update pass first hands each pane a record of its own
// (CMainStatusCmdUI, known by its marker), through which an update handler can also set the
// pane's icon, tip and width; the ordinary pass of the class library follows.
#pragma once
#include "afxcmn.h"
#include "afxext.h"
#include "afxtempl.h"

// A pane the bar draws itself.
struct MainStatusPaneRecord {
    int nIndex;
    COLORREF clrText;
    COLORREF clrBack;   // -1: transparent
    CString strText;
    int cxIcon;         // 0 without icon
};

class CMainStatusBar : public CStatusBar {
public:
    CMainStatusBar();
    ~CMainStatusBar() override;

    // Panes from pIds (0 a separator); a pane with a nonzero id gets a tip of string
    // pTipIds[i] when that is nonzero, and the icon pIcons[i] when that is set. Either array
    // may be null.
    BOOL SetIndicatorsEx(const UINT* pIds, int nCount, const UINT* pTipIds, const HICON* pIcons);
    // Has the bar draw pane nIndex itself in these colours.
    void SetPaneOwnerDrawn(int nIndex, COLORREF clrText, COLORREF clrBack);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // ---- What the update record does to a pane.
    void SetPaneTextFitted(int nIndex, LPCTSTR lpszText);
    void SetPaneTip(int nIndex, LPCTSTR lpszText);
    void SetPaneWidth(int nIndex, int cxWidth);
    void SetPaneIcon(int nIndex, HICON hIcon);
    CString GetPaneTip(int nIndex) const;
    MainStatusPaneRecord* FindOwnerDrawn(int nIndex) const;

    CToolTipCtrl m_wndToolTip;

protected:
    CArray<MainStatusPaneRecord*, MainStatusPaneRecord*> m_arrOwnerDrawn;

    // The pane's width from its current text, and the small icon when it has one.
    void FitPaneWidth(int nIndex);
    void UpdateToolRects();
    void MarkOwnerDrawn(const MainStatusPaneRecord& record);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The record of the bar's own update pass. Its menu field holds the marker, which no menu
// can equal: handlers that know the bar test for it before they use the extra operations.
class CMainStatusCmdUI : public CCmdUI {
public:
    enum : UINT_PTR { kMarker = 9999 };

    CMainStatusCmdUI();

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
    virtual void SetTooltip(LPCTSTR lpszText);
    virtual void SetWidth(int cxWidth);
    virtual void SetIcon(HICON hIcon);

    // The record behind pCmdUI when it is one of the bar's own, else null.
    static CMainStatusCmdUI* FromCmdUI(CCmdUI* pCmdUI);

private:
    CMainStatusBar* Bar() const { return static_cast<CMainStatusBar*>(m_pOther); }
};
