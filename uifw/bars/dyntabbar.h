// Tabbed groups of bars: several resizable bars in one place, one shown at a time, chosen by a
// tab strip along the group's bottom edge.
//
// A group is a nested container (dynbar.h) whose inner dock bar stacks all its bars over its
// whole client area; the strip (CUiDynTabWnd, tabwnd.h) is a member of the group bar, each
// tab's user data its bar, and shows only from two visible tabs on. Selecting a tab brings
// its bar to the top and gives it the focus. A container docked into a group spreads its bars
// over tabs; a group left with one bar dissolves like any container.
#pragma once
#include "dynbar.h"
#include "tabwnd.h"

class CUiDynTabControlBar;

class CUiDockDynTabBar : public CUiDockDynBar {
    DECLARE_DYNAMIC(CUiDockDynTabBar)
public:
    explicit CUiDockDynTabBar(UINT nLevel = 0);
    ~CUiDockDynTabBar() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void RecalcLayoutNow() override;
    void RefreshBarsState() override;
    void CollectVisibleItems(CArray<CUiControlBar*, CUiControlBar*>& arr) override;

    CUiDynTabControlBar* GetGroup() const;
    // Puts every bar over the whole client area; with bMark the bars keep their child windows
    // still while they move and reposition them afterwards.
    CSize LayoutTabBars(bool bMark);
    void SyncBarsWithContainer(bool bCopySizes, bool bSelect);
};

class CUiDynTabControlBar : public CUiDynControlBar {
    DECLARE_DYNCREATE(CUiDynTabControlBar)
public:
    CUiDynTabControlBar();
    ~CUiDynTabControlBar() override;

    CUiDynTabWnd m_wndTabs;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RepositionChildWindow(int cx, int cy, BOOL bRecalc) override;
    bool QueryGripperLayout(bool& bCaptionAcross, bool& bCaptionLeft) override;
    CUiDynTabControlBar* GetTabContainerBar() override;
    void GetCaptionText(int nKind, CString& strText) override;
    CSize CalcInnerSize() const override;
    CUiDockDynBar* CreateInnerDockBar() override;

    CUiDockDynTabBar* GetTabDockBar() const;
    void AddBarAsTab(CUiControlBar* pBar, int nIndex, bool bRecalc);
    void InsertBarTabs(CUiControlBar* pBar, int nIndex, bool bUpdate);
    void OnBarVisibilityChanged(CUiControlBar* pBar);
    void SelectTopBarIfNone();
    int CalcTabStripHeight();
    void DockBarIntoGroup(CUiControlBar* pBar, int& nIndex);
    // The bar whose tab is selected (provisional tabs left out), or null.
    CUiControlBar* GetSelectedBar() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    DECLARE_MESSAGE_MAP()
};
