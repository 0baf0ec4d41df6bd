// The framework's toolbar, with the menu bar and the panel bar that derive from it: a
// fixed-size docking bar holding an ordered array of bar buttons (the chevron, when there is
// one, always last). The bar owns its buttons.
//
// The work is cut by family: the button array, command update, tips and the class-wide
// state (toolcontrolbar.cpp), the size questions of the docking code and the placement of
// the buttons (toolcontrolbarlayout.cpp), painting (toolcontrolbarpaint.cpp), and the mouse,
// the button menus and the help loop over an open menu (toolcontrolbartrack.cpp).
//
// The paint manager reads the four option and layout bits by name, the index of the button
// whose menu is open and the button array.
#pragma once
#include "afxtempl.h"
#include "barbutton.h"
#include "barcolorbutton.h"
#include "contentexpandbutton.h"
#include "controlbar.h"
#include "outerrow.h"

class CUiToolControlBar : public CUiControlBar {
    DECLARE_DYNCREATE(CUiToolControlBar)
public:
    CUiToolControlBar();
    ~CUiToolControlBar() override;

    // The command-update record of one button: m_pOther is the bar, m_nIndex the button.
    class CUiToolControlBarCmdUI : public CCmdUI {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetRadio(BOOL bOn = TRUE) override;
        void SetText(LPCTSTR lpszText) override;

    private:
        CUiToolControlBar* Bar() const;
        bool IsChevron() const;
        void StoreCheck(int nCheck);
        CUiCmdItem* Item() const;
    };

    CUiBarContentExpandButton* m_pContentExpandButton;
    CArray<CUiBarButton*, CUiBarButton*> m_arrButtons;
    BYTE m_bShowBarsInContentMenu : 1;
    BYTE m_bNoContentExpand : 1;
    BYTE m_bContentWrapped : 1;
    BYTE m_bInRelayout : 1;
    BarPlacementRecord m_placement;
    int m_nMenuTrackingIndex;
    int m_nPressedIndex;
    int m_nHotIndex;

    // ---- Process-wide.
    static const UINT g_nMsgTrackButtonMenu;
    static const UINT g_nMsgContinueTrackMenu;
    static const CSize g_sizeDefaultButton;
    // A button's drop-down menu is tracked (shared with the popup menus).
    static bool& g_bMenuTracking;
    static bool g_bMenuExpanded;
    static bool g_bHelpLoopActive;
    static bool g_bOptionA;         // icons at double size
    static bool g_bShowToolTips;
    static bool g_bOptionC;         // the tip ends with the shortcut in parentheses

    // ---- Class-library slots.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override;
    void DoPaint(CDC* pDC) override;

    // ---- CUiControlBar slots.
    bool RowQueryFlag() const override;
    CSize GetMinSize() const override;
    BarPlacementRecord* GetPlacementRecord() override;
    void SetPlacementRecord(const BarPlacementRecord& record) override;
    bool IsSingleOnRow() const override;
    void RequestFrameRecalcLayout() override;
    void RefreshContentExpandLayout() override;
    bool IsMarkerDockingMode() const override;
    void UpdateCursor(CPoint ptClient) override;
    void ToggleDocking() override;
    int HelpHitTestAt(int x, int y) override;
    bool HandleMouseMove(UINT nFlags, int x, int y) override;

    // ---- Own slots, in order.
    virtual void GetButtonRect(int nIndex, RECT* pRect) const;
    virtual bool QueryGlobalOptionA() const;
    virtual bool IsToolTipsEnabled() const;
    virtual bool QueryGlobalOptionC() const;
    virtual CUiBarButton* CreateBarButton(UINT nCmdID, DWORD dwStyle);
    virtual CUiBarContentExpandButton* CreateContentExpandButton();
    virtual bool TrackButtonMenu(int nIndex, bool bSelectFirst, bool bDelayed);
    virtual void CalcButtonLayout();
    virtual void AdjustInsideRect(CRect& rect, bool bHorz) const;
    virtual CSize CalcLayoutExtent(DWORD nMode, int nLength);
    virtual CSize CalcWrappedExtent(bool bVertical);
    virtual void WrapButtonRows(int nLength, bool bVertical);
    virtual int WrapButtonsVertically(int nHeight);
    virtual int WrapButtonsHorizontally(int nWidth, int nHeight);
    virtual CSize GetDefaultButtonSize() const;
    virtual bool IsContentExpandAllowed() const;
    virtual int HitTestButton(int x, int y) const;

    static CFont* GetButtonFont(bool bVertical);

    // ---- Buttons.
    int GetButtonsCount() const { return (int)m_arrButtons.GetSize(); }
    CUiBarButton* GetButton(int nIndex) const;
    CUiBarButton* GetButtonAt(int nIndex) const { return GetButton(nIndex); }
    bool SetButtonList(const UINT* pIds, int nCount);
    bool LoadToolBarCommands(UINT nResourceId);
    bool InsertButton(int nPos, UINT nCmdID, bool bRecalc = true);
    bool RemoveButton(int nIndex, bool bRecalc = true);
    void RemoveAllButtons();
    int CommandToButtonIndex(UINT nCmdID) const;
    UINT GetButtonID(int nIndex) const;
    DWORD GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, DWORD dwStyle);
    // bRecalc false leaves the layout to a later RequestFrameRecalcLayout, for a caller that
    // attaches several controls in a row.
    bool AttachButtonControl(int nIndex, CWnd* pCtrl, bool bNotOwned = false, bool bRecalc = true);
    bool SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupOnly = true, bool bOwned = true, bool bRecalc = true);
    bool SetButtonAppendMdiWindows(int nIndex, bool bOn);
    bool IsContentExpandButton(int nIndex) const;
    int GetLayoutMode() const;
    int FindButtonByAccessKey(UINT nKey) const;
    int FindNextVisibleButton(int nIndex, bool bForward, bool bSkipDisabled) const;
    void InvalidateButton(int nIndex);
    void UpdateButtonCmdUI(int nIndex);
    // The profile of the bar's window (or its nearest bound ancestor's); null when none.
    class CUiCmdProfile* GetCmdProfile() const;

    // ---- Layout.
    CSize CalcMinimumSize(bool bHorz);
    // Whether the button takes part in layout: no TBBS_HIDDEN, not a separator before one.
    bool IsButtonInLayout(int nIndex) const;
    // Aligned at the top or bottom, or laid out without content expansion.
    bool IsHorizontalBar() const;

    // ---- Tracking.
    int HitTestButtonEx(int x, int y, DWORD dwRequired, DWORD dwExcluded, bool bNearest) const;
    bool UpdateHotButton(int x, int y);
    virtual bool ProcessMouseMove(UINT nFlags, int x, int y);
    void SetMenuTrackingButton(int nIndex);
    static void EndAllBarMenuTracking();
    int HelpModeMenuLoop();
    static void PaintTrackedButtonCallback(LPVOID pCookie, CDC& dc, CWnd* pPopup, const RECT& rc, int nJoinedSide);
    // Whether a bar tracks menus the way the popup menus join with: a live toolbar.
    static bool IsLiveToolBar(LPVOID pCookie);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    bool IsBarDragActive() const;
    bool HoldsCapture() const;
    // Selects the measuring font of the direction into a client context of the bar.
    class MeasureContext;
    friend class MeasureContext;
    void PlaceButtons();
    // One pass over the buttons setting the wrap flags of the current layout mode along one
    // direction; with bKeepFlags the flags already set decide. The number of lines.
    int WrapWalk(CDC& dc, int nAvailable, bool bMeasureHorz, bool bAlongHeight, bool bAllowed, bool bKeepFlags);
    void HideOverflow(CArray<CRect, const CRect&>& rects, CArray<bool, bool>& visible, int nIndex, int nOverflow,
                      int& nPos, bool bHorz);
};

