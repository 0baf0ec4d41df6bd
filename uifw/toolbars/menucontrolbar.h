// The framework's menu bar: a toolbar whose buttons are the top-level items of a window menu,
// each opening its submenu as a framework popup menu. It takes the frame's menu at creation
// and keeps it, so the frame shows no menu of its own; to follow what the frame, the MDI
// client and the active MDI child do with menus it sits on their hook chains. Inside a plain
// window (no dock-site frame) it hooks its parent instead.
//
// The work is cut by family: creation, the buttons, deferred work, the hooks and the layout
// overrides (menucontrolbar.cpp); the keyboard protocol and the system menus
// (menucontrolbarkeys.cpp); the document and caption buttons of a maximised MDI child
// (menucontrolbarmdi.cpp, mdibuttons.h).
//
// Rebuilds and updates that hooked windows ask for are posted to the bar itself as WM_TIMER
// 13 (update) and 14 (rebuild), so they run once however many messages asked; a rebuild
// replaces a pending update.
#pragma once
#include "hooksink.h"
#include "toolcontrolbar.h"

class CUiBarMdiRightButton;
struct MdiRightButtonsInfo;

class CUiMenuControlBar : public CUiToolControlBar, public CUiHookSink {
    DECLARE_DYNCREATE(CUiMenuControlBar)
public:
    CUiMenuControlBar();
    ~CUiMenuControlBar() override;

    enum : UINT_PTR { kTimerUpdate = 13, kTimerRebuild = 14, kTimerFindMdiClient = 15 };

    UINT m_nMdiButtonsCmdID;
    HWND m_hWndHooked;
    CString m_sWindowListMenuText;
    bool m_bFlatTracking;
    bool m_bSysMenuTracking;
    int m_nFlatTrackingIndex;
    int m_nOldFlatTrackingIndex;
    CMenu m_menuFromFrame;   // owned
    CMenu m_menuFromMdi;     // the MDI child's or its document's: never destroyed here
    bool m_bMdiMode;
    bool m_bFullRowLayout;
    bool m_bUpdatePosted;
    bool m_bRebuildPosted;

    static const CSize g_sizeDefaultButton;
    // The current Alt press was used for something else: its release enters no keyboard mode.
    static bool g_bAltKeyConsumed;

    // ---- Own slots, in order.
    virtual void GetMdiRightButtonsInfo(MdiRightButtonsInfo& info, CUiBarMdiRightButton* pButton, bool bHorz);
    virtual void OnMenuBarFocus(bool bRepaint);
    virtual bool IsMdiMode() const;
    virtual bool UpdateMenuBarImpl(bool bRecalcLayout);
    virtual CMenu* QueryBarMenu();
    virtual HWND GetActiveMdiChild(BOOL* pbMaximized);
    virtual bool SyncMdiButtons(bool bRecalcLayout);
    virtual bool DoDeferredMenuUpdate();
    virtual bool TrackFrameSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst, const RECT* pExclude,
                                      UINT nFlags, bool bJoinedPaint);
    virtual bool HookMdiClient(HWND hWndClient);
    virtual void PostDeferredMenuUpdate();
    virtual void PostDeferredButtonsRebuild();
    virtual void SetWindowListMenuText(LPCSTR lpszText);
    virtual bool LoadMenuFromResource(UINT nResourceId);
    virtual bool TranslateMenuKey(MSG* pMsg);
    virtual bool TrackSystemMenuAt(const POINT* pPoint, bool bSelectFirst);
    virtual bool TrackChildSystemMenu(const POINT* pPoint, bool bSelectFirst);
    virtual void TakeFrameMenu();
    virtual bool IsMdiButtonsEnabled() const;

    // The menu the bar shows, or null.
    CMenu* GetBarMenu() { return QueryBarMenu(); }
    bool UpdateMenuBar(bool bRecalcLayout) { return UpdateMenuBarImpl(bRecalcLayout); }
    HWND FindMdiClientWindow() const;
    // The text with white space trimmed at both ends and every "&" removed, until stable.
    static CString NormalizeMenuText(LPCSTR lpszText);

    // ---- Inherited slots.
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RequestFrameRecalcLayout() override;
    void OnDragStarted() override;
    void OnDragEnded(InternalDraggingState_t* pPrevious, InternalDraggingState_t* pCurrent, bool bCancelled) override;
    bool RowQueryFlag() const override;
    bool ProcessMouseMove(UINT nFlags, int x, int y) override;
    CUiBarContentExpandButton* CreateContentExpandButton() override;
    bool TrackButtonMenu(int nIndex, bool bSelectFirst, bool bDelayed) override;
    void CalcButtonLayout() override;
    CSize GetDefaultButtonSize() const override;
    bool IsContentExpandAllowed() const override;
    bool DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The frame the bar serves, null when it is hosted in a plain window.
    CFrameWnd* FindHostFrame() const;
    // The plain-window hosting: the parent hooked once.
    void HookParentWindow();
    // Capture released, keyboard mode left, bar menus ended.
    void CancelMenus();
    void LeaveKeyboardMode(bool bRepaint = true);
    // WM_CANCELMODE to the focus window while no popup menu is tracked.
    static void CancelFocusWindowMode();
    // The focus window, or else its parent, is a combo box with its list dropped down.
    static CComboBox* FindDroppedCombo();
    bool IsBlocked() const { return IsContentExpandWanted(); }
    bool IsInPrintPreview() const;
    // The window asked for the owner of the bar's menus: the frame, else the owner or parent.
    CWnd* GetMenuOwnerWnd() const;

    bool OnFrameHookMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool OnChildHookMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool OnMdiClientHookMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    bool CommonHookTail(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // What an open popup menu tells the frame or the child: closed, next or previous menu.
    bool OnPopupMenuNotify(LRESULT& lResult, UINT nMessage, bool bFromChild);
    // Next/previous menu messages and the caption mouse, on the frame and on the child.
    void OnPopupNextPrev(bool bNext, bool bFromChild);
    bool OnFrameNcMouse(UINT nMessage, WPARAM wParam);
    bool OnChildNcMouse(HWND hWndChild, UINT nMessage, WPARAM wParam);
    // Access characters: this bar's and the other toolbars' buttons.
    bool TranslateAccessKey(UINT nKey, bool bAltHeld);
    bool ActivateAccessButton(CUiToolControlBar* pBar, int nIndex);
    void PlaceMdiRightButton();
    bool IsDocButtonFirst() const;
};
