// The framework's popup menu: every context and drop-down menu of the program. A menu is a
// heap object filled from a menu resource or item by item; command items take their texts
// and icons from the command profile of their receiver. TrackMenu registers it as the root
// of the one tracking (PopupTrackingState), updates its items through the receiver's update
// handlers, lays it out, places it on the monitor and shows it top-most without activation;
// thread hooks then route every key and mouse event to the deepest open menu until a command
// is posted to the receiver or the chain is dismissed, and the tracking deletes the menu.
//
// Layout, measuring (with an injected device context), placement and hit testing work on the
// item array and the menu's rectangles only, so they run without a window. The files are cut
// by family: items (popupmenuwnd.cpp), filling from menus and the MDI window list
// (popupmenuload.cpp), layout and placement (popupmenulayout.cpp), tracking and window
// creation (popupmenutrack.cpp), input and timers (popupmenuinput.cpp), the items' in-place
// edits (popupmenuinplace.cpp), painting (popupmenupaint.cpp).
#pragma once
#include "afxtempl.h"
#include "popupbasewnd.h"
#include "popupmenutipwnd.h"
#include "popupmenuitem.h"

class PopupTrackingState;
class CUiPopupMenuWnd;

// What the receiver gets with g_nMsgPrepareMenu.
struct PopupPrepareRecord {
    DWORD m_dwFlags;   // bit 0: update the items again; bit 1: do not show the menu
    CUiPopupMenuWnd* m_pMenu;
};

// The test observer of TrackMenu (off by default): it sees each call first.
struct PopupTrackCall {
    CUiPopupMenuWnd* pMenu;
    UINT nFlags;
    int x, y;
    const RECT* pExclude;
    LPVOID pCookie;
    PopupTrackCallback pfnCallback;
    UINT* pResult;
    BOOL bCookieFlag;
    HWND hWndReceiver;
    HWND hWndOwner;
};

class CUiPopupMenuWnd : public CUiPopupBaseWnd {
    DECLARE_DYNCREATE(CUiPopupMenuWnd)
public:
    typedef PopupMenuItemData MENUITEMDATA;

    // Track flags.
    enum {
        kPlacementMask = 0x000F,
        kJoinWithButton = 0x0010,
        kJoinIfLook = 0x0020,
        kSelectFirst = 0x0040,
        kOwnLoop = 0x0080,
        kShowAll = 0x0100,
        kNoSend = 0x0200,
        kNoUpdate = 0x0400,
        kOwnerDraw = 0x0800,
        kNoShadow = 0x1000,
        kHelpMode = 0x2000,
        kNested = 0x4000,
    };
    // Menu state bits.
    enum { kTopMenu = 0x01, kScrollable = 0x02, kHasHidden = 0x04, kExpanded = 0x08 };
    // Item codes of the buttons.
    enum { kScrollUp = -2, kScrollDown = -3, kExpandButton = -4 };
    enum { kSubmenuTimer = 667, kScrollTimer = 668, kExpandTimer = 670 };

    // An item as painting and the expand effect see it.
    struct VisibleItemDefinition_t {
        int m_nIndex = -1;
        BYTE m_bFlags = 0;   // 0 rarely used, 1 previous rarely used, 2 next rarely used, 3 separator, 4 submenu
        UINT m_nCmdId = 0;
        CRect m_rcItem;
    };
    typedef CArray<VisibleItemDefinition_t, const VisibleItemDefinition_t&> VisibleItems;

    CUiPopupMenuWnd();
    ~CUiPopupMenuWnd() override;

    // Item flag: the item has no icon area of its own.
    static const DWORD kItemNoIconArea = 0x10;

    // ---- Items.
    virtual int GetCurrentItemIndex() const { return m_nCurIndex; }
    virtual HWND GetOwnerHwnd() const { return m_hWndReceiver; }
    virtual BOOL LoadMenuResource(HWND hWndReceiver, UINT nMenuId, BOOL bPopupOnly);
    virtual HMENU BuildHMenu(BOOL bDeep);
    virtual BOOL LoadMenu(HWND hWndReceiver, HMENU hMenu, BOOL bPopupOnly, BOOL bTopMenu);
    // One radio item per MDI child (nine at most, the active one marked) after a separator,
    // and a "More Windows" command when there are more. hWndFrame null: the receiver; either
    // way the nearest MDI frame at or above it. FALSE without one or when a command fails.
    virtual BOOL AppendMdiWindowList(HWND hWndFrame = NULL);
    virtual void SetCmdReceiver(HWND hWnd, BOOL bNoSubmenus = FALSE);
    virtual int ItemGetCount() const;
    virtual UINT ItemGetCmdID(int nIndex) const;
    virtual HICON ItemGetIcon(int nIndex);
    virtual CString ItemGetText(int nIndex) const;
    virtual CString ItemGetAccelText(int nIndex) const;
    virtual int ItemFindPosForCmdID(UINT nCmdId, int nStart = -1) const;
    virtual BOOL ItemSetIcon(int nIndex, HICON hIcon);
    virtual BOOL ItemSetText(int nIndex, LPCSTR lpszText);
    virtual BOOL ItemSetAccelText(int nIndex, LPCSTR lpszText);
    virtual CUiPopupMenuWnd* ItemGetPopup(int nIndex) const;
    virtual BOOL ItemIsDisplayed(int nIndex) const;
    virtual void ItemSetDisplayed(int nIndex, BOOL bOn);
    virtual BOOL ItemRemove(int nIndex = -1);
    virtual BOOL ItemInsert(UINT nCmdId, int nPos = -1, LPCSTR lpszText = nullptr, HICON hIcon = NULL,
                            HWND hWndReceiver = NULL);
    virtual BOOL ItemInsertCommand(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccel, const CUiCmdIcon* pIcon,
                                   int nCheck, HWND hWndReceiver = NULL);
    virtual BOOL ItemInsertSubmenu(CUiPopupMenuWnd* pSubmenu, int nPos, LPCSTR lpszText, HICON hIcon = NULL);
    virtual int ItemFindByAccessChar(UINT nChar, int nStart = -1) const;
    virtual int ItemFindByText(LPCSTR lpszText, int nStart = -1) const;
    virtual BOOL AreAllItemsHidden() const;
    virtual BOOL InitRootMenu(HWND hWndReceiver);
    virtual BOOL BuildItemsFromMenu(HMENU hMenu, BOOL bTopMenu);
    virtual MENUITEMDATA& ItemInsertRecord(int nPos, const MENUITEMDATA& item);
    MENUITEMDATA& ItemGetInfo(int nIndex) { return m_items[nIndex]; }
    const MENUITEMDATA& ItemGetInfo(int nIndex) const { return m_items[nIndex]; }
    BOOL ItemInsertWithIcon(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccel, HICON hIcon, int nCheck,
                            HWND hWndReceiver = NULL);
    void SetLeftAreaWidth(int cx) { m_cxLeftArea = cx; }
    // What the paint manager reads: the item's flag byte 1 and icon-area width.
    virtual DWORD ItemGetFlags(int nIndex) const;
    virtual int ItemGetIconAreaWidth(int nIndex) const;

    // ---- Tracking.
    virtual BOOL TrackMenu(UINT nFlags, int x, int y, const RECT* pExclude = nullptr, LPVOID pCookie = nullptr,
                           PopupTrackCallback pfnCallback = nullptr, UINT* pResult = nullptr,
                           BOOL bCookieFlag = FALSE);
    virtual BOOL CreateMenuWindow(HWND hWndOwner);
    // The edit of every item that carries an edit field: the receiver's, else the framework's.
    void CreateInplaceEdits();
    void ClearInplaceEdits();
    virtual void UpdateItemsCmdUI();
    virtual void ResetTrackingFields();
    virtual void CalcScrollAndExpandRects();
    virtual int GetItemMargin() const;
    virtual int HitTestItem(CPoint pt, bool* pbOnEdit = nullptr, bool* pbOnArrow = nullptr) const;
    virtual void GetVisibleItemDefinitions(CDC* pDC, VisibleItems& items) const;
    virtual BOOL CreatePopupWindow(UINT nFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                   PopupTrackCallback pfnCallback, BOOL bCookieFlag);
    virtual void ReleaseCurrentItem(BOOL bRepaint);
    virtual void SetSubMenuTimer(int nIndex);
    virtual void SetCurrentItem(int nIndex, BOOL bOpenSubmenu, BOOL bRepaint, BOOL bSelectFirstInSubmenu);
    virtual void GetItemRect(int nIndex, RECT& rc) const;
    virtual BOOL OnTrackMouseWheel(MOUSEHOOKSTRUCT* pHook, bool& bPassOn);
    virtual BOOL OnTrackMouseMove(UINT message, CPoint pt, bool& bPassOn);
    virtual BOOL OnTrackMouseClick(UINT message, CPoint pt, bool& bPassOn);
    virtual BOOL OnTrackKeyDown(UINT nChar, UINT nRepeat, UINT nFlags, bool& bPassOn);
    virtual BOOL IsSubmenuOpenAllowed() const { return TRUE; }
    virtual void ResetShadowAndSurfaces();
    virtual void CloseMenu(BOOL bOnlyReset);
    virtual BOOL IsPointOverWindow(CPoint pt) const;
    virtual void SetFocusedMenu();
    virtual CUiPopupMenuWnd* GetFocusedMenu() const;
    virtual void ReleaseFocusedMenu();
    virtual int GetMaxScrollPos() const;
    virtual BOOL StartScrollTimer(int nIndex);
    virtual void RecalcItemLayout();
    virtual void ExpandMenu();
    virtual BOOL IsTipVisible() const;
    // Whether a screen point lies on this menu's visible tip.
    bool IsPointOnVisibleTip(POINT ptScreen) const;
    virtual void HideTip(BOOL bRestartAnimation);
    virtual BOOL CalcPopupPosition(CRect& rc);
    virtual CSize CalcMenuSize() const;
    virtual int GetNextItemIndex(int nDirection) const;
    virtual void EndTrackingWithCommand(UINT nCmdId, HWND hWndTarget);
    virtual PopupTrackingState& GetTrackingState() const;

    // ---- Base overrides.
    BOOL IsNestedTracking() const override;
    BOOL IsInternalCallback() const override;
    BOOL IsContextHelpMode() const override;
    BOOL IsShadowEnabled() const override;
    int GetShadowSize() const override;
    void GetContentRect(RECT& rc) const override;
    void ResetAnimationSurfaces() override;
    void StartAnimation() override;
    void PaintContent(CDC& dc, BOOL bToWindow) override;
    void RenderAnimationFrame(CDC& dc) override;
    BOOL DestroyWindow() override;
    CUiToolControlBar* GetOwnerToolBar() override;
    BOOL IsJoinedBorderClosed() override { return FALSE; }

    static BOOL IsTrackingMenu();
    static void CloseTrackedMenus();
    // Dispatches every waiting message; FALSE when WM_QUIT was met (it is posted back).
    static BOOL PumpPendingMessages(BOOL bIdle);
    static bool HoverTestWindowChain(HWND hWndA, HWND hWndB, bool bEnabled, bool bVisible, bool bNotTracking);

    // The menu every item change is laid out on: the parent, else this menu.
    CUiPopupMenuWnd* LayoutTarget() { return m_pParent != nullptr ? m_pParent : this; }
    CUiPopupMenuWnd* GetParentMenu() const { return m_pParent; }
    CUiPopupMenuWnd* GetTopMenu();
    void PaintNow();
    // Paints item nIndex of this menu inside its submenu joined with it (rcExclude: the item
    // on the screen), outside the submenu's body.
    void PaintJoinedItem(CDC& dc, CUiPopupMenuWnd& submenu, int nIndex, const RECT& rcExclude);

    // Registered messages.
    static const UINT g_nMsgPrepareMenu;
    static const UINT g_nMsgPopupNext;
    static const UINT g_nMsgPopupPrev;
    static const UINT g_nMsgNotifyMenuExpanded;
    static const UINT g_nMsgNotifyMenuClosed;
    static const UINT g_nMsgPopupDrawItem;
    static const UINT g_nMsgPopupDrawLeftArea;
    static const UINT g_nMsgCreateInplaceEdit;

    // Esc in an in-place edit: the menu takes the focus back and stays on the same item; the
    // edit's text is not stored.
    void ReturnFromInplaceEdit();
    // The edit the framework puts over an item's edit field (popupinplaceeditwnd.h).
    class CInPlaceEditWnd;
    // What g_nMsgCreateInplaceEdit hands the receiver: it stores an edit of its own through
    // ppEdit, or leaves it null and gets the framework's.
    struct InplaceEditCreateRecord {
        CWnd** ppEdit;
        CUiPopupMenuWnd* pMenu;
        MENUITEMDATA* pItem;
        CString* pValue;
        DWORD_PTR dwParams[4];
        RECT rcField;
    };

    // Framework-wide switches.
    static bool g_bHideRarelyUsed;
    static bool g_bHighlightRarelyUsed;
    static bool g_bExpandOnHover;
    static bool g_bExpandAnimation;
    static bool g_bKeepInWorkArea;
    static bool g_bMenuTips;
    static bool g_bSysCmdSwitch;
    static bool g_bIdlePump;

    // The TrackMenu test hook: 0 go on, 1 refuse, 2 choose *pnChosen.
    enum { kHookGoOn = 0, kHookRefuse = 1, kHookChoose = 2 };
    typedef int (*TrackMenuHook)(const PopupTrackCall& call, UINT* pnChosen);
    static TrackMenuHook g_pfnTrackMenuHook;

    // ---- Fields.
    int m_nCurIndex;
    int m_nPendingSubmenu;
    int m_nHoverIndex;
    BYTE m_bState;
    UINT m_nExpandHover;
    UINT m_nTrackFlags;
    HWND m_hWndReceiver;
    int m_nScrollPos;
    int m_nScrollStep;
    CUiPopupMenuWnd* m_pParent;
    CRect m_rcScrollUp;
    CRect m_rcScrollDown;
    CRect m_rcExpand;
    int m_cxLeftArea;
    int m_nJoinedSide;
    CRgn m_rgnWindow;
    CRect m_rcContent;
    CArray<MENUITEMDATA, const MENUITEMDATA&> m_items;
    CUiPopupMenuTipWnd m_wndTip;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    void PostNcDestroy() override;
    void OnAnimationEnded() override;
    void OnNestedMouseActivate() override;
    // The submenu whose window shows, or null.
    CUiPopupMenuWnd* GetOpenSubmenu() const;

    // Whether hWnd is a child window of this menu (an in-place edit).
    bool IsOwnChild(HWND hWnd) const;
    // A mouse event over a child window (a shown in-place edit; pt in client coordinates):
    // its item becomes current and the event goes on to the edit. False elsewhere.
    bool PassOnToInplaceEdit(CPoint pt, bool& bPassOn);
    // Places the item's hidden edit over its field, shows it and gives it the focus.
    void ShowInplaceEdit(int nIndex);
    // Keys while the focus is in an in-place edit: the edit commands the menu turns into
    // messages, the rest passed on to the edit.
    BOOL OnInplaceEditKey(UINT nChar, UINT nFlags, HWND hEdit, bool& bPassOn);
    // Closes, empties and deletes the submenu of an item.
    static void DestroySubmenu(CUiPopupMenuWnd* pSubmenu, HWND hWndReceiver);
    // The receiver's recent files inserted at nPos; FALSE when an insertion failed.
    BOOL InsertRecentFiles(int nPos, bool& bInserted);
    bool ReadMenuEntry(MENUITEMDATA& item, HMENU hMenu, int nPos);
    void EnableSysCommands();
    void ShowStatusPrompt(UINT nCmdId, const MENUITEMDATA* pItem);
    void InvokeItem(int nIndex);
    void ScrollIntoView(int nIndex);
    void PaintDefaultItem(CDC& dc, const RECT& rcItem, MENUITEMDATA& item, BYTE bDrawFlags);
    // One frame of the expand effect at progress p, from the content picture.
    void PaintExpandFrame(CDC& dcFrame, CDC& dcContent, int p);
    // The shadows of the body and, joined (rcButton not empty), of the opening button.
    void PaintShadows(CDC& dc, const CRect& rcContent, const CRect& rcButton);
    // What lay under the window, put back where a shadow of rcBody falls.
    void RestoreUnderShadow(CDC& dc, const CRect& rcBody, int s);
    // The opening button and the shadow around it keep the background picture in a frame of
    // the animation (client coordinates; nothing for a menu that is not joined).
    void KeepJoinedButtonInFrame(int cx, int cy);

    friend class PopupTrackingState;
    DECLARE_MESSAGE_MAP()
};
