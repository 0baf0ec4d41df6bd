// The framework's tab strips: the strip itself, the MDI tab strip, the tab group of docked
// bars and the auto-hide strip with its slider. The paint manager reads the strip's tab
// style (bit 7 keeps a caller's cross margin) and its first relay flag bit.
//
// CUiTabWnd keeps an ordered array of items (text, icon, user data) with a chain beside it
// that links each item to its neighbours, and lays them out along one side of its client
// area. The items, the selection, the layout (RecalcTabLayoutIn) and the hit test
// (HitTestTabIn) work on the object's fields and an area given to them, so they run on an
// object whose window was never made; measuring takes a DC (a screen DC when none is
// given). The window adds painting, the frame layout it takes part in, the mouse (tabmouse)
// and the tooltip. Derived strips hear of changes only through the virtual operations.
// Files: items (tabwnd.cpp), layout and scrolling (tablayout.cpp), the window
// (tabwndwnd.cpp), the mouse (tabmouse.cpp), the MDI strip (tabmdiwnd.cpp).
#pragma once
#include "afxcmn.h"
#include "afxole.h"
#include "afxtempl.h"
#include "afxwin.h"
#include "cmdicon.h"
#include "hooksink.h"
#include "mousecapturesink.h"

class CUiTabWnd;
class CUiPaintManager;
class CUiBarNcAreaButton;
class CUiControlBar;

// One tab of a strip.
class CUiTabItemInfo : public CObject {
    DECLARE_DYNAMIC(CUiTabItemInfo)
public:
    enum : DWORD { kHidden = 0x01, kGroupStart = 0x02, kSelected = 0x04, kGroupActive = 0x08 };

    CUiTabItemInfo(CUiTabWnd* pOwner, LPCSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwFlags, LPARAM lParam);
    ~CUiTabItemInfo() override;
    void Serialize(CArchive&) override {}

    bool IsVisible() const { return (m_dwFlags & kHidden) == 0; }
    // The item's extent in pDC (a screen DC when null) for a strip laid out horizontally or not.
    CSize Measure(CDC* pDC, bool bHorz);

    CUiTabWnd* m_pOwner;
    DWORD m_dwFlags;
    CString m_strText;
    CUiCmdIcon m_icon;
    CSize m_size;
    CSize m_sizeText;
    CSize m_sizeIcon;
    CRect m_rcItem;           // strip coordinates along the strip, window coordinates across
    LPARAM m_lParam;
    BYTE m_bShrunk;           // bit 0: narrower than measured under equal widths
    CUiTabItemInfo* m_pPrev;
    CUiTabItemInfo* m_pNext;
};

class CUiTabWnd : public CWnd, public CUiMouseCaptureSink {
    DECLARE_DYNCREATE(CUiTabWnd)
public:
    typedef CUiTabItemInfo TAB_ITEM_INFO;

    // Tab style bits.
    enum : DWORD {
        kSideMask = 0x0003,           // 0 top, 1 bottom, 2 left, 3 right
        kEqualWidths = 0x0004,
        kHelpShown = 0x0008,
        kCloseShown = 0x0010,
        kSecondVertFont = 0x0020,
        kBoldSelected = 0x0040,
        kGrouped = 0x0080,
        kHelpEnabled = 0x0100,
        kCloseEnabled = 0x0200,
        kPrevEnabled = 0x0400,
        kNextEnabled = 0x0800,
        kEqualAlways = 0x2000,
        kNoIdleScrollButtons = 0x4000,
        kHoverSelect = 0x8000,
        kScrollByPage = 0x10000,
        kTabListShown = 0x80000,
        kTabListEnabled = 0x100000,
        kGroupedFullMeasure = 0x200000,
        kItemDrag = 0x400000,
    };
    // Hit codes besides item indices.
    enum { kHitOutside = -1, kHitRest = -2, kHitItemsArea = -3, kHitPrev = -4, kHitNext = -5, kHitHelp = -6,
           kHitClose = -7, kHitTabList = -8 };
    // State byte.
    enum : BYTE { kFrameLayout = 0x01, kCreated = 0x02, kLayoutDirty = 0x04, kTracking = 0x08, kHovering = 0x10,
                  kSomeShrunk = 0x20, kPrevPressed = 0x40, kNextPressed = 0x80 };
    // Second state byte.
    enum : BYTE { kHelpPressed = 0x01, kClosePressed = 0x02, kTabListPressed = 0x04 };
    enum { kScrollTimer = 1, kHoverSelectTimer = 2 };
    // Menu command of item i in the tab list menu.
    enum : UINT { kTabListCmdBase = 0xFFFF };

    CUiTabWnd();
    ~CUiTabWnd() override;

    DWORD GetTabStyle() const { return m_dwTabStyle; }
    void ModifyTabStyle(DWORD dwRemove, DWORD dwAdd) { m_dwTabStyle = (m_dwTabStyle & ~dwRemove) | dwAdd; }
    BOOL IsTabFlagSet(int nBit) const { return (m_dwTabFlags & (1u << nBit)) != 0; }
    int GetSide() const { return (int)(m_dwTabStyle & kSideMask); }
    bool IsHorizontal() const { return GetSide() < 2; }

    // ---- Items.
    int ItemGetCount() const { return (int)m_arrItems.GetSize(); }
    int ItemGetVisibleCount() const { return m_nVisibleCount; }
    TAB_ITEM_INFO* ItemGetInfo(int nIndex) const;
    TAB_ITEM_INFO* ItemInsert(LPCSTR lpszText, HICON hIcon = NULL, bool bCopyIcon = true, DWORD dwFlags = 0,
                              int nIndex = -1, LPARAM lParam = 0, bool bUpdate = true);
    int ItemRemove(int nIndex, int nCount = 1, bool bUpdate = true);
    void ItemRemoveAll(bool bUpdate = true);
    bool ItemMove(int nFrom, int nTo, bool bUpdate = true);
    int ItemFindByLParam(LPARAM lParam, int nStart = -1, bool bVisible = true, bool bHidden = true) const;
    int ItemFindByStyle(DWORD dwRequired, DWORD dwExcluded, int nStart = -1) const;
    bool ItemEnsureVisible(int nIndex, bool bUpdate = true);
    int SelectionGet() const { return m_nSelIndex; }
    int SelectionSet(int nIndex, bool bEnsureVisible = true, bool bUpdate = true);

    // ---- Layout.
    void UpdateLayout(bool bUpdate = true);
    // Lays the items out in rcArea with pDC measuring (a screen DC when null); no window needed.
    void RecalcTabLayoutIn(const CRect& rcArea, CDC* pDC);
    // The hit code of a client point for a client rectangle; no window needed.
    int HitTestTabIn(CPoint pt, const CRect& rcClient) const;
    int HitTestTab(CPoint pt) const;
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetLastVisible() const { return m_nLastVisible; }
    int GetScrollPos() const { return m_nScrollPos; }
    int GetScrollMax() const { return m_nScrollMax; }
    int GetScrollRemaining() const { return m_nScrollRemaining; }
    int GetTotalExtent() const { return m_nTotalExtent; }
    const CRect& GetItemsArea() const { return m_rcItemsArea; }
    // The rectangle of a hit code from -2 to -8 (empty when that part is absent).
    CRect GetHitRect(int nHit) const;
    // An item's rectangle in window coordinates.
    CRect ItemGetWindowRect(int nIndex) const;
    bool IsScrolling() const { return m_nScrollRemaining != 0; }
    bool IsDragging() const { return (m_bDragging & 1) != 0; }
    bool IsTracking() const { return (m_bState & kTracking) != 0; }
    int GetTrackedHit() const { return m_nTrackedHit; }
    int GetHoveredButton() const { return m_nHoverButton; }
    bool SetHoverSelectTimer(int nIndex, UINT nDelay);
    // The length of the items area along the strip.
    int GetItemsAreaLength() const;

    // ---- Virtual operations.
    virtual CFont* GetItemFont(bool bSelected, int nSide = -1);
    virtual BOOL Create(CWnd* pParent, const RECT& rect, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
                        CCreateContext* pContext = NULL);
    using CWnd::Create;
    virtual void OnSizeParentHook() {}
    virtual bool TrackingStart(int nMouseButton, int nHit);
    virtual void TrackingStop(bool bReleaseCapture);
    virtual void ButtonHoverStart(int nHit);
    virtual void CancelHoverTracking(bool bReleaseCapture);
    virtual bool IsItemDraggable(int nIndex) const;
    virtual void DragItemLoop(int nIndex);
    virtual bool OnButtonClick(int nHit, bool bPressed, int nMouseButton, UINT nKeyFlags);
    virtual bool OnItemClick(int nIndex, bool bPressed, int nMouseButton, UINT nKeyFlags);
    virtual bool OnSelectionChanged(int nOld, int nNew, bool bBefore);
    virtual CUiCmdIcon* ItemGetIconPtr(TAB_ITEM_INFO* pItem);
    virtual LPCSTR ItemGetTextPtr(TAB_ITEM_INFO* pItem);
    virtual void OnItemInserted(int, TAB_ITEM_INFO*) {}
    virtual void OnItemsRemove(int, int, bool) {}
    virtual void OnAllItemsRemove(bool) {}
    virtual void GetLayoutMargins(int& nLead, int& nFar, int& nCross);
    virtual void PaintItems(CDC& dc, const CRect& rcClient);
    virtual void PaintClientArea(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRest,
                                 int nSide, bool bGrouped);
    virtual void OnMeasureItem(TAB_ITEM_INFO*, CDC*, CSize&) {}
    virtual void PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const CRect& rcItem, CFont* pFont,
                           LPCSTR lpszText, CUiCmdIcon* pIcon);
    virtual void PaintButton(CDC& dc, const CRect& rcButton, int nHit, bool bEnabled, bool bHover, bool bPressed);
    virtual CSize GetButtonSize();
    virtual void ScrollItems(int nStep, bool bRepeat);
    virtual bool TooltipsEnabled() { return true; }
    virtual bool CanMoveItem(int, int) { return true; }
    virtual void OnItemMoved(int, int) {}

    // ---- Mouse.
    // A press or release of mouse button 1 (left), 2 (right) or 16 (middle); false: default processing.
    virtual bool OnMouseClick(CPoint pt, bool bPressed, int nMouseButton, UINT nKeyFlags);
    // Opens the tab list menu under the Tab list button.
    void ShowTabListMenu();
    // What the tab list menu chose: command nCmd selects its item.
    void OnTabListCommand(UINT nCmd);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void CreateToolTip();
    void RecalcTabLayout();
    void LinkItems(int nFrom);
    bool IsValidVisibleItem(int nIndex) const;
    bool IsButtonEnabled(int nHit) const;
    bool IsButtonPressed(int nHit) const;
    void SetButtonPressed(int nHit, bool bPressed);
    void StopScroll();
    void RedrawNow();
    void OnScrollTimer();
    void OnHoverSelectTimer();
    void OnMouseMoveMsg(CPoint pt);
    void OnCaptureChangedMsg(HWND hWndNew);
    void OnCancelModeMsg();
    void UpdateItemTip(int nHit);
    void SetTip(LPCSTR lpszText, const CRect& rc);
    LRESULT OnSizeParentMsg(AFX_SIZEPARENTPARAMS* lpLayout);
    void OnPaintMsg();
    static void PaintTabListPressed(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rcExclude, int nJoinedSide);

    CUiPaintManager* m_pPaintManager;
    CToolTipCtrl m_wndToolTip;
    DWORD m_dwTabFlags;       // relay flags; bit 0: left out of a frame's query layout pass
    DWORD m_dwTabStyle;
    int m_nSelIndex;
    int m_nFirstVisible;
    int m_nLastVisible;
    int m_nHoverSelectIndex;
    int m_nVisibleCount;
    int m_nTotalExtent;
    int m_nScrollPos;
    int m_nScrollMax;
    int m_nScrollRemaining;
    CRect m_rcItemsArea;
    CRect m_rcRest;
    CRect m_rcPrev;
    CRect m_rcNext;
    CRect m_rcHelp;
    CRect m_rcClose;
    CRect m_rcTabList;
    CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*> m_arrItems;
    BYTE m_bState;
    BYTE m_bState2;
    int m_nTrackedHit;
    int m_nTrackedButton;
    int m_nHoverButton;
    CRect m_rcLayout;
    CPoint m_ptPress;
    CRect m_rcDragSwap;
    BYTE m_bDragging;
    CString m_strTip;         // the text of the tooltip's one tool, empty without one
};

// One tab per child of an MDI frame, kept in step with the MDI client through a hook on the
// client's window procedure; the strip and the client draw joined borders.
class CUiTabMdiWnd : public CUiTabWnd, public CUiHookSink {
    DECLARE_DYNCREATE(CUiTabMdiWnd)
public:
    enum { kSyncTimer = 3 };

    CUiTabMdiWnd();
    ~CUiTabMdiWnd() override;

    virtual void UpdateVisibility();
    virtual void SyncWithMdiChildren();
    virtual HWND GetFrameHwnd();
    virtual HWND FindMdiClient();

    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
                CCreateContext* pContext = NULL) override;
    using CWnd::Create;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnSizeParentHook() override;
    bool OnButtonClick(int nHit, bool bPressed, int nMouseButton, UINT nKeyFlags) override;
    bool OnItemClick(int nIndex, bool bPressed, int nMouseButton, UINT nKeyFlags) override;
    bool OnSelectionChanged(int nOld, int nNew, bool bBefore) override;
    CUiCmdIcon* ItemGetIconPtr(TAB_ITEM_INFO* pItem) override;
    LPCSTR ItemGetTextPtr(TAB_ITEM_INFO* pItem) override;
    void OnItemInserted(int nIndex, TAB_ITEM_INFO* pItem) override;
    bool DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override;

    bool IsBusy() const { return (m_bBusy & 1) != 0; }

protected:
    // The side of the MDI client that faces the strip: 0 top, 1 bottom, 2 left, 3 right.
    int ClientSideFacingStrip() const { return GetSide(); }
    void OnContextMenuMsg(CPoint pt);

    CUiCmdIcon m_iconItem;
    BYTE m_bBusy;
};

// The strip of a tabbed group of bars (dyntabbar.h): each tab's user data is its bar.
class CUiDynTabWnd : public CUiTabWnd {
    DECLARE_DYNCREATE(CUiDynTabWnd)
public:
    CUiDynTabWnd();
    ~CUiDynTabWnd() override;

    // A tab shown only while a bar is dragged onto the group or out of it.
    enum : DWORD { kProvisional = 0x80000000 };

    // OLE data dragged over a tab shows that tab's bar, to be dropped into it; the strip
    // itself takes nothing.
    class CDynDropTarget : public COleDropTarget {
    public:
        explicit CDynDropTarget(CUiDynTabWnd* pStrip) : m_pStrip(pStrip) {}
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        CUiDynTabWnd* m_pStrip;
    };
    CDynDropTarget m_dropTarget{this};
    int m_nDraggedTab = -1;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    bool IsItemDraggable(int nIndex) const override;
    void DragItemLoop(int nIndex) override;
    bool OnItemClick(int nIndex, bool bPressed, int nMouseButton, UINT nKeyFlags) override;
    bool OnSelectionChanged(int nOld, int nNew, bool bBefore) override;
    CUiCmdIcon* ItemGetIconPtr(TAB_ITEM_INFO* pItem) override;
    LPCSTR ItemGetTextPtr(TAB_ITEM_INFO* pItem) override;
    void PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const CRect& rcItem, CFont* pFont, LPCSTR lpszText,
                   CUiCmdIcon* pIcon) override;

    void AddBarTab(CUiControlBar* pBar, int nIndex, bool bProvisional, bool bUpdate);
    void RemoveProvisionalTabs(bool bUpdate);
    bool HasProvisionalTabs() const;
    CUiControlBar* GetItemBar(int nIndex, bool bSkipProvisional) const;
    int HitTestScreenPoint(int x, int y) const;
    // Ctrl+PageUp/PageDown: the previous or next tab whose bar shows; false when none.
    bool StepSelection(bool bForward);
    // The drag of a pressed tab's bar out of the group.
    bool OnItemPress(int nIndex);
    void OnLButtonDblClkMsg(CPoint pt);
    void OnContextMenuMsg(CPoint pt);
};

class CUiDynAutoHideSlider;

// The strip along one side of a frame that holds the frame's auto-hidden bars as tabs (a
// former tabbed group as one group of tabs); selecting a tab slides its bar out in the frame's
// slider. See autohidearea.cpp.
class CUiDynAutoHideArea : public CUiTabWnd {
    DECLARE_DYNCREATE(CUiDynAutoHideArea)
public:
    CUiDynAutoHideArea();
    ~CUiDynAutoHideArea() override;

    // Quiet flags: no slide-out or slide-in follows a selection change; the hover part of
    // the frame-active test is waived.
    enum : BYTE { kQuietNoSlide = 0x01, kQuietActive = 0x02 };

    class CDynDropTarget : public COleDropTarget {
    public:
        explicit CDynDropTarget(CUiDynAutoHideArea* pStrip) : m_pStrip(pStrip) {}
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        CUiDynAutoHideArea* m_pStrip;
    };
    CDynDropTarget m_dropTarget{this};
    CUiDynAutoHideSlider* m_pSlider;
    BYTE m_bQuiet;
    CRect m_rcLastWindow;
    BYTE m_bNoAnimation;

    static bool g_bRegisterDropTargets;
    static bool g_bKeyboardSwitch;
    static int g_nTabLook;        // -1: the paint manager's; 0 collapsed; 1 full

    virtual BOOL Create(CFrameWnd* pFrame, CUiDynAutoHideSlider* pSlider, UINT nSideId);
    using CUiTabWnd::Create;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnSizeParentHook() override;
    bool OnSelectionChanged(int nOld, int nNew, bool bBefore) override;
    CUiCmdIcon* ItemGetIconPtr(TAB_ITEM_INFO* pItem) override;
    LPCSTR ItemGetTextPtr(TAB_ITEM_INFO* pItem) override;
    void GetLayoutMargins(int& nLead, int& nFar, int& nCross) override;

    void AppendControlBar(CUiControlBar* pBar, bool bQuiet);
    void RemoveControlBar(CUiControlBar* pBar, bool bQuiet);
    CUiDynAutoHideSlider* GetAutoHideSlider() const { return m_pSlider; }
    CUiControlBar* GetItemBar(int nIndex) const;
    bool IsFrameActive() const;
    static CUiDynAutoHideArea* FindAreaOfBar(CUiControlBar* pBar, int* pnIndex);
    static void GetFrameAreas(CWnd* pWnd, CUiDynAutoHideArea** ppTop, CUiDynAutoHideArea** ppBottom,
                              CUiDynAutoHideArea** ppLeft, CUiDynAutoHideArea** ppRight);

protected:
    void RemovePlainBar(CUiControlBar* pBar, bool bQuiet);
    bool SwitchByKey(bool bForward);
    void SettleLook();
    void NoticeMove(bool bUnlessResizing);
    void PlaceInZOrder(CFrameWnd* pFrame, UINT nSideId);
    void ShowContextMenu(CPoint pt);
};

// The one window per frame in which an auto-hidden bar slides out over the frame. See
// autohideslider.cpp.
class CUiDynAutoHideSlider : public CWnd {
    DECLARE_DYNCREATE(CUiDynAutoHideSlider)
public:
    CUiDynAutoHideSlider();
    ~CUiDynAutoHideSlider() override;

    enum : BYTE { kShown = 0x01, kFocusInside = 0x02, kHidePending = 0x04, kAnimating = 0x08 };
    enum { kIdle = 1 };
    enum : UINT_PTR { kTimerWatch = 1, kTimerHide = 2 };
    enum : UINT_PTR { kCaptionTool = 1 };

    CUiDynAutoHideArea* m_pArea;
    CUiControlBar* m_pBar;
    CSize m_sizeContent;
    BYTE m_bFlags;
    int m_nResizeHit;
    int m_nResizeStart;
    int m_nResizeStart2;
    CUiBarNcAreaButton* m_pHoverButton;
    CUiBarNcAreaButton* m_pTipButton;
    CUiBarNcAreaButton* m_pPressedButton;
    CToolTipCtrl m_wndToolTip;
    CRect m_rcFree;

    static int g_nAnimationSteps;
    static int g_nAnimationStepMs;
    static bool g_bNoShowAnimation;
    static bool g_bNoHideAnimation;

    virtual BOOL Create(CFrameWnd* pFrame);
    using CWnd::Create;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // The slider of the strip a bar is or would be auto-hidden in.
    static CUiDynAutoHideSlider* FromBar(CUiControlBar* pBar);
    bool ShowsBar(const CUiControlBar* pBar) const;
    bool IsFocusInside() const { return (m_bFlags & kFocusInside) != 0; }
    CRect CaptionRect() const;
    bool IsShown() const { return (m_bFlags & kShown) != 0; }
    bool IsAnimating() const { return (m_bFlags & kAnimating) != 0; }
    bool IsResizing() const { return m_nResizeHit != kIdle; }
    // The strip side (0 top, 1 bottom, 2 left, 3 right) of the shown bar.
    int GetSide() const;
    void Show(CUiControlBar* pBar, bool bAnimate);
    void Hide(bool bAnimate);
    // The mouse hook's part: true eats the message.
    bool OnHookButton(UINT nMsg, CPoint ptScreen);
    bool OnHookMove(CPoint ptScreen);

protected:
    CRect CalcFreeRect() const;
    CSize NonClientSize() const;
    CRect FullRect() const;
    CRect StepRect(int nDepth) const;
    void RunAnimation(bool bShowing);
    void OnWatchTimer();
    void OnHideTimer();
    bool IsCursorNear() const;
    void ResetCaptionButtons();
    void StoreDepth(int cx, int cy);
    void ShowBarsMenu(CPoint pt);
    CUiBarNcAreaButton* CaptionButtonAt(CPoint ptScreen);
    void SetPressedButton(CUiBarNcAreaButton* pButton);
    void UpdateHoverButton(CPoint ptScreen);
};

// The texts and icons of tabs whose user data is a bar: the bar's caption, and the icon of
// its id in its frame's command profile.
LPCSTR BarItemCaptionText(CUiTabItemInfo* pItem);
CUiCmdIcon* BarItemCommandIcon(CUiTabItemInfo* pItem);

// Shows or hides a bar in its frame's slider.
void AnimateAutoHideSlider(CUiControlBar* pBar, bool bShow, bool bAnimate, bool bFlag);
