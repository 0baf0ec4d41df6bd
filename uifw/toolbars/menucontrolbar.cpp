#include "menucontrolbar.h"

#include "cmdmanager.h"
#include "dockbar.h"
#include "mdibuttons.h"
#include "popupmenuwnd.h"
#include "resourcemanager.h"

IMPLEMENT_DYNCREATE(CUiMenuControlBar, CUiToolControlBar)

const CSize CUiMenuControlBar::g_sizeDefaultButton(23, 20);
bool CUiMenuControlBar::g_bAltKeyConsumed = false;

BEGIN_MESSAGE_MAP(CUiMenuControlBar, CUiToolControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_REGISTERED_MESSAGE(CUiToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

namespace {

// The 32-bit item record without hbmpItem: the size older systems know, still accepted.
const UINT kMenuItemInfoSize = 44;
const UINT kCmdSubmenuButton = CUiCmdItem::kStateNotTracked;

bool IsMenuCancellingMessage(UINT nMessage, WPARAM wParam)
{
    return nMessage == WM_SIZE || nMessage == WM_ACTIVATEAPP || nMessage == WM_SYSCOMMAND ||
           (nMessage == WM_COMMAND && HIWORD(wParam) <= 1);
}

LPCSTR ProfileName(CUiCmdProfile* pProfile)
{
    return pProfile != nullptr ? (LPCSTR)pProfile->GetName() : "";
}

} // namespace

CUiMenuControlBar::CUiMenuControlBar()
    : CUiHookSink(true), m_nMdiButtonsCmdID(0), m_hWndHooked(NULL), m_bFlatTracking(false),
      m_bSysMenuTracking(false), m_nFlatTrackingIndex(-1), m_nOldFlatTrackingIndex(-1), m_bMdiMode(false),
      m_bFullRowLayout(true), m_bUpdatePosted(false), m_bRebuildPosted(false)
{
}

CUiMenuControlBar::~CUiMenuControlBar()
{
    RemoveAllButtons();
    UnhookAllWindows();
    // The MDI client's menu belongs to the child or its document.
    m_menuFromMdi.Detach();
    m_menuFromFrame.DestroyMenu();
}

// ---- Simple queries.

bool CUiMenuControlBar::IsMdiMode() const
{
    return m_bMdiMode;
}

bool CUiMenuControlBar::IsMdiButtonsEnabled() const
{
    return true;
}

CMenu* CUiMenuControlBar::QueryBarMenu()
{
    if (m_menuFromMdi.GetSafeHmenu() != NULL)
        return &m_menuFromMdi;
    if (m_menuFromFrame.GetSafeHmenu() != NULL)
        return &m_menuFromFrame;
    return nullptr;
}

CSize CUiMenuControlBar::GetDefaultButtonSize() const
{
    return g_sizeDefaultButton;
}

CUiBarContentExpandButton* CUiMenuControlBar::CreateContentExpandButton()
{
    if (m_bFullRowLayout)
        return nullptr;
    return CUiToolControlBar::CreateContentExpandButton();
}

bool CUiMenuControlBar::IsContentExpandAllowed() const
{
    if (m_bBarFlags & kContained)
        return false;
    if (m_pDockBar != nullptr) {
        if (IsBarFloating())
            return false;
        if (IsContentExpandWanted())
            return true;
    }
    return m_bFullRowLayout;
}

bool CUiMenuControlBar::RowQueryFlag() const
{
    // The menu bar takes its dock row alone.
    return true;
}

bool CUiMenuControlBar::IsInPrintPreview() const
{
    if ((m_bBarFlags & kContained) || IsBlocked())
        return false;
    return IsFrameInPrintPreview(GetDockSiteFrame());
}

CWnd* CUiMenuControlBar::GetMenuOwnerWnd() const
{
    if (!(m_bBarFlags & kContained))
        return GetDockSiteFrame();
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

CString CUiMenuControlBar::NormalizeMenuText(LPCSTR lpszText)
{
    CString str = lpszText != nullptr ? lpszText : "";
    for (;;) {
        str.TrimLeft();
        str.TrimRight();
        if (str.Remove('&') == 0)
            return str;
    }
}

void CUiMenuControlBar::SetWindowListMenuText(LPCSTR lpszText)
{
    m_sWindowListMenuText = NormalizeMenuText(lpszText);
}

// ---- Creation and destruction.

int CUiMenuControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CUiToolControlBar::OnCreate(lpcs) == -1)
        return -1;
    CFrameWnd* pFrame = FindHostFrame();
    if (pFrame == nullptr) {
        HookParentWindow();
        return 0;
    }
    const HWND hFrame = pFrame->GetSafeHwnd();
    HMENU hMenu = ::GetMenu(hFrame);
    if (!(pFrame->GetStyle() & WS_CHILD) && hMenu != NULL) {
        m_menuFromFrame.Attach(hMenu);
        UpdateMenuBarImpl(false);
        ::SetMenu(hFrame, NULL);
    }
    if (InstallWindowHook(hFrame)) {
        if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) || IsMdiMode()) {
            m_bMdiMode = true;
            const HWND hClient = FindMdiClientWindow();
            if (hClient != NULL)
                HookMdiClient(hClient);
            else
                SetTimer(kTimerFindMdiClient, 10, NULL);
        }
        CUiPopupMenuWnd::PumpPendingMessages(g_bIdleDuringLoops);
    }
    return 0;
}

void CUiMenuControlBar::PreSubclassWindow()
{
    CUiToolControlBar::PreSubclassWindow();
    if (FindHostFrame() == nullptr)
        HookParentWindow();
}

CFrameWnd* CUiMenuControlBar::FindHostFrame() const
{
    // A dialog's owner counts as its parent for GetParent: only a frame or a dock bar right
    // above the bar makes it a frame's bar.
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !(pParent->IsFrameWnd() || pParent->IsKindOf(RUNTIME_CLASS(CDockBar))))
        return nullptr;
    return GetDockSiteFrame();
}

void CUiMenuControlBar::HookParentWindow()
{
    m_bBarFlags |= kContained;
    if (m_hWndHooked != NULL)
        return;
    m_hWndHooked = ::GetParent(GetSafeHwnd());
    if (m_hWndHooked != NULL && !IsWindowHookedBySink(m_hWndHooked))
        InstallWindowHook(m_hWndHooked);
}

void CUiMenuControlBar::OnDestroy()
{
    if (m_nMdiButtonsCmdID != 0) {
        CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
        pManager->CmdRemove(ProfileName(GetCmdProfile()), m_nMdiButtonsCmdID);
        m_nMdiButtonsCmdID = 0;
    }
    UnhookAllWindows();
    CUiToolControlBar::OnDestroy();
}

HWND CUiMenuControlBar::FindMdiClientWindow() const
{
    if (m_bBarFlags & kContained)
        return NULL;
    CFrameWnd* pFrame = GetDockSiteFrame();
    if (pFrame == nullptr)
        return NULL;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return static_cast<CMDIFrameWnd*>(pFrame)->m_hWndMDIClient;
    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[512] = "";
        ::GetClassNameA(hChild, szClass, sizeof(szClass));
        ::CharLowerA(szClass);
        if (szClass[0] != 0 && lstrcmpA(szClass, "mdiclient") == 0)
            return hChild;
    }
    return NULL;
}

bool CUiMenuControlBar::HookMdiClient(HWND hWndClient)
{
    if (!InstallWindowHook(hWndClient))
        return false;
    ::SetWindowPos(hWndClient, NULL, 0, 0, 0, 0, 0x337);
    DoDeferredMenuUpdate();
    return true;
}

bool CUiMenuControlBar::LoadMenuFromResource(UINT nResourceId)
{
    m_menuFromMdi.Detach();
    m_menuFromFrame.DestroyMenu();
    if (!(m_bBarFlags & kContained)) {
        CFrameWnd* pFrame = GetDockSiteFrame();
        if (pFrame != nullptr &&
            (GetSafeHwnd() == NULL || m_menuFromFrame.GetSafeHmenu() != NULL ||
             !IsWindowHookedBySink(pFrame->GetSafeHwnd())))
            return false;
    }
    if (!ResourceManagerHolder::GetResourceManager()->LoadMenu(&m_menuFromFrame, nResourceId))
        return false;
    CUiCmdProfile* pProfile = GetCmdProfile();
    if (pProfile == nullptr ||
        !CmdManagerHolder::GetStoredHandle()->UpdateFromMenu(pProfile->GetName(), m_menuFromFrame.GetSafeHmenu()))
        return false;
    return UpdateMenuBarImpl(true);
}

// ---- The buttons.

bool CUiMenuControlBar::UpdateMenuBarImpl(bool bRecalcLayout)
{
    SetButtonList(nullptr, 0);
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    CUiCmdProfile* pProfile = GetCmdProfile();
    const CString strProfile = ProfileName(pProfile);
    pManager->CmdRemoveByMask(strProfile, kCmdSubmenuButton);
    CMenu* pMenu = GetBarMenu();
    HMENU hMenu = pMenu != nullptr ? pMenu->GetSafeHmenu() : NULL;
    const int nCount = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    for (int nPos = 0; nPos < nCount; ++nPos) {
        char szText[1024] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = kMenuItemInfoSize;
        mii.fMask = 0x3F;
        mii.dwTypeData = szText;
        mii.cch = sizeof(szText);
        if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii))
            return false;
        CUiCmdItem* pItem = nullptr;
        bool bWindowList = false;
        if (mii.hSubMenu != NULL) {
            pItem = pManager->CmdAllocPtr(strProfile, 0);
            if (pItem == nullptr)
                return false;
            pItem->m_dwState |= kCmdSubmenuButton | CUiCmdItem::kStateBasic;
            bWindowList = m_bMdiMode && !m_sWindowListMenuText.IsEmpty() &&
                          NormalizeMenuText(szText) == m_sWindowListMenuText;
        } else if (mii.wID != 0) {
            pItem = pManager->CmdGetPtr(strProfile, mii.wID);
            if (pItem == nullptr)
                return false;
        } else {
            if (!InsertButton(nPos, 0, false))
                return false;
            continue;
        }
        if (pItem->m_strMenuText.IsEmpty())
            pItem->m_strMenuText = szText;
        if (pItem->m_strToolbarText.IsEmpty())
            pItem->m_strToolbarText = szText;
        if (!InsertButton(nPos, pItem->m_nCmdId, false))
            return false;
        if (mii.hSubMenu != NULL)
            SetButtonMenu(nPos, mii.hSubMenu, false, false, false);
        if (bWindowList)
            SetButtonAppendMdiWindows(nPos, true);
    }
    m_pContentExpandButton = CreateContentExpandButton();
    if (m_pContentExpandButton != nullptr)
        m_arrButtons.Add(m_pContentExpandButton);
    if (m_bMdiMode) {
        if (!IsDockSiteInPlaceActive() && SyncMdiButtons(false))
            bRecalcLayout = true;
        DoDeferredMenuUpdate();
    }
    if (bRecalcLayout && GetSafeHwnd() != NULL) {
        Invalidate();
        RequestFrameRecalcLayout();
        UpdateWindow();
    }
    return true;
}

// ---- Deferred work.

void CUiMenuControlBar::PostDeferredMenuUpdate()
{
    if (m_bUpdatePosted || m_bRebuildPosted || GetSafeHwnd() == NULL)
        return;
    m_bUpdatePosted = true;
    PostMessage(WM_TIMER, kTimerUpdate, 0);
}

void CUiMenuControlBar::PostDeferredButtonsRebuild()
{
    if (m_bRebuildPosted || GetSafeHwnd() == NULL)
        return;
    m_bRebuildPosted = true;
    m_bUpdatePosted = false;
    PostMessage(WM_TIMER, kTimerRebuild, 0);
}

void CUiMenuControlBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTimerUpdate:
        if (m_bUpdatePosted)
            DoDeferredMenuUpdate();
        m_bUpdatePosted = false;
        return;
    case kTimerRebuild:
        if (m_bRebuildPosted)
            UpdateMenuBarImpl(true);
        m_bRebuildPosted = false;
        return;
    case kTimerFindMdiClient: {
        const HWND hClient = FindMdiClientWindow();
        if (hClient != NULL) {
            KillTimer(kTimerFindMdiClient);
            HookMdiClient(hClient);
        }
        return;
    }
    default:
        CUiToolControlBar::OnTimer(nIDEvent);
        return;
    }
}

bool CUiMenuControlBar::DoDeferredMenuUpdate()
{
    if ((m_bBarFlags & kContained) || GetBarBeingDragged() != nullptr || !IsWindowVisible())
        return true;
    const HWND hChild = GetActiveMdiChild(nullptr);
    if (hChild == m_hWndHooked)
        return true;
    if (m_hWndHooked != NULL)
        InstallWindowHook(m_hWndHooked, true);
    m_hWndHooked = hChild;
    if (hChild != NULL)
        InstallWindowHook(hChild);
    RequestFrameRecalcLayout();
    return true;
}

HWND CUiMenuControlBar::GetActiveMdiChild(BOOL* pbMaximized)
{
    BOOL bMaximized = FALSE;
    if (pbMaximized != nullptr)
        *pbMaximized = FALSE;
    if (!m_bMdiMode)
        return NULL;
    CFrameWnd* pFrame = GetDockSiteFrame();
    const HWND hClient = FindMdiClientWindow();
    if (pFrame == nullptr || hClient == NULL)
        return NULL;
    HWND hChild = (HWND)::SendMessage(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    if (hChild != NULL && !(::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (!pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ||
            (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
             static_cast<CMDIChildWnd*>(pChild)->m_bPseudoInactive)) {
            hChild = NULL;
            bMaximized = FALSE;
        }
    }
    if (pbMaximized != nullptr)
        *pbMaximized = hChild != NULL && bMaximized;
    return hChild;
}

void CUiMenuControlBar::TakeFrameMenu()
{
    if ((m_bBarFlags & kContained) || IsDockSiteInPlaceActive())
        return;
    CFrameWnd* pFrame = GetDockSiteFrame();
    if (pFrame == nullptr)
        return;
    HMENU hMenu = ::GetMenu(pFrame->GetSafeHwnd());
    if (hMenu == NULL)
        return;
    ::SetMenu(pFrame->GetSafeHwnd(), NULL);
    // A menu set on the frame later is the one to show now; the one held so far is ours.
    if (hMenu != m_menuFromFrame.GetSafeHmenu()) {
        m_menuFromFrame.DestroyMenu();
        m_menuFromFrame.Attach(hMenu);
    }
    PostDeferredButtonsRebuild();
}

// ---- Hooks.

void CUiMenuControlBar::CancelMenus()
{
    const HWND hCapture = ::GetCapture();
    if (hCapture != NULL) {
        CWnd* pCapture = CWnd::FromHandlePermanent(hCapture);
        if (hCapture == GetSafeHwnd() || (pCapture != nullptr && pCapture->IsKindOf(RUNTIME_CLASS(CUiControlBar))))
            ::ReleaseCapture();
    }
    LeaveKeyboardMode(true);
    if (g_bMenuTracking)
        EndAllBarMenuTracking();
}

bool CUiMenuControlBar::DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                                              LPARAM& lParam)
{
    if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()) || CWnd::FromHandlePermanent(GetSafeHwnd()) != this ||
        GetBarBeingDragged() != nullptr)
        return CUiHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
    CFrameWnd* pFrame = (m_bBarFlags & kContained) ? nullptr : GetDockSiteFrame();
    const HWND hFrame = pFrame != nullptr ? pFrame->GetSafeHwnd() : NULL;
    // Messages that cancel the menus go on to the window unseen by the key translation.
    bool bCancelling = false;
    if ((pFrame != nullptr && hWnd == hFrame) || (pFrame == nullptr && hWnd == m_hWndHooked)) {
        if (OnFrameHookMsg(lResult, hWnd, nMessage, wParam, lParam))
            return true;
        bCancelling = IsMenuCancellingMessage(nMessage, wParam);
    } else if (pFrame != nullptr && hWnd == m_hWndHooked) {
        if (OnChildHookMsg(lResult, hWnd, nMessage, wParam, lParam))
            return true;
        bCancelling = IsMenuCancellingMessage(nMessage, wParam) || nMessage == WM_WINDOWPOSCHANGED;
    } else if (pFrame != nullptr && hWnd == FindMdiClientWindow()) {
        if (OnMdiClientHookMsg(lResult, hWnd, nMessage, wParam, lParam))
            return true;
    }
    if (!bCancelling && CommonHookTail(hWnd, nMessage, wParam, lParam))
        return true;
    return CUiHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
}


// True: handled with lResult. False: the dispatcher goes on (the key translation, then the
// window).
bool CUiMenuControlBar::OnFrameHookMsg(LRESULT& lResult, HWND, UINT nMessage, WPARAM wParam, LPARAM)
{
    if (nMessage == WM_PARENTNOTIFY && CUiPopupMenuWnd::IsTrackingMenu()) {
        lResult = 0;
        return true;
    }
    if (IsMenuCancellingMessage(nMessage, wParam)) {
        CancelMenus();
        return false;
    }
    if (!(m_bBarFlags & kContained) && nMessage >= WM_NCMOUSEMOVE && nMessage <= WM_NCMBUTTONDBLCLK &&
        OnFrameNcMouse(nMessage, wParam)) {
        lResult = 0;
        return true;
    }
    if (nMessage == CUiPopupMenuWnd::g_nMsgNotifyMenuExpanded) {
        g_bMenuExpanded = true;
        lResult = 0;
        return true;
    }
    if (OnPopupMenuNotify(lResult, nMessage, false))
        return true;
    if (!(m_bBarFlags & kContained))
        TakeFrameMenu();
    return false;
}

bool CUiMenuControlBar::OnChildHookMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_PARENTNOTIFY && CUiPopupMenuWnd::IsTrackingMenu()) {
        lResult = 0;
        return true;
    }
    if (IsMenuCancellingMessage(nMessage, wParam) || nMessage == WM_WINDOWPOSCHANGED) {
        CancelMenus();
        CUiPopupMenuWnd::CloseTrackedMenus();
        const bool bFrameChanged =
            nMessage == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_FRAMECHANGED);
        if (nMessage != WM_SIZE && (nMessage != WM_WINDOWPOSCHANGED || bFrameChanged))
            TakeFrameMenu();
        if (bFrameChanged && !IsBlocked()) {
            WINDOWPLACEMENT wp = {sizeof(wp)};
            ::GetWindowPlacement(hWnd, &wp);
            if (wp.showCmd != SW_SHOWMAXIMIZED || (!IsDocButtonFirst() && IsMdiButtonsEnabled()))
                PostDeferredButtonsRebuild();
        }
        return false;
    }
    if (IsFrameInPrintPreview(GetDockSiteFrame())) {
        lResult = 0;
        return true;
    }
    if (nMessage >= WM_NCMOUSEMOVE && nMessage <= WM_NCMBUTTONDBLCLK && OnChildNcMouse(hWnd, nMessage, wParam)) {
        lResult = 0;
        return true;
    }
    return OnPopupMenuNotify(lResult, nMessage, true);
}

bool CUiMenuControlBar::OnPopupMenuNotify(LRESULT& lResult, UINT nMessage, bool bFromChild)
{
    if (nMessage == CUiPopupMenuWnd::g_nMsgNotifyMenuClosed) {
        m_bSysMenuTracking = false;
    } else if (nMessage == CUiPopupMenuWnd::g_nMsgPopupNext || nMessage == CUiPopupMenuWnd::g_nMsgPopupPrev) {
        OnPopupNextPrev(nMessage == CUiPopupMenuWnd::g_nMsgPopupNext, bFromChild);
    } else {
        return false;
    }
    lResult = 0;
    return true;
}

bool CUiMenuControlBar::OnMdiClientHookMsg(LRESULT& lResult, HWND, UINT nMessage, WPARAM& wParam, LPARAM&)
{
    if (nMessage == WM_PARENTNOTIFY && CUiPopupMenuWnd::IsTrackingMenu()) {
        lResult = 0;
        return true;
    }
    CFrameWnd* pFrame = GetDockSiteFrame();
    switch (nMessage) {
    case WM_MDISETMENU: {
        lResult = (LRESULT)m_menuFromMdi.Detach();
        if (wParam != 0)
            m_menuFromMdi.Attach((HMENU)wParam);
        if (IsDockSiteInPlaceActive()) {
            ::SetMenu(pFrame->GetSafeHwnd(), (HMENU)wParam);
        } else {
            if (::GetMenu(pFrame->GetSafeHwnd()) != NULL)
                ::SetMenu(pFrame->GetSafeHwnd(), NULL);
            PostDeferredButtonsRebuild();
        }
        CallOriginalProcWithParams(0, 0);
        DoDeferredMenuUpdate();
        m_bUpdatePosted = false;
        return true;
    }
    case WM_MDIREFRESHMENU:
        CallOriginalProcWithParams(0, 0);
        DoDeferredMenuUpdate();
        m_bUpdatePosted = false;
        lResult = 0;
        return true;
    case WM_CONTEXTMENU: {
        lResult = 0;
        POINT pt;
        if (IsFrameInHelpMode(pFrame) || !::GetCursorPos(&pt))
            return true;
        CWnd* pOwner = GetOwner();
        if (pOwner == nullptr)
            pOwner = GetParent();
        CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
        if (!pPopup->InitRootMenu(pOwner->GetSafeHwnd()) ||
            !CUiDockBar::BuildBarsPopupMenu(pFrame, pPopup, 6, this, WM_CONTEXTMENU, 0) || pPopup->ItemGetCount() == 0) {
            delete pPopup;
            return true;
        }
        pOwner->SetFocus();
        if (!pPopup->TrackMenu(0x800, pt.x, pt.y))
            delete pPopup;
        return true;
    }
    case WM_MDIACTIVATE:
    case WM_MDIDESTROY:
    case WM_MDINEXT:
        PostDeferredMenuUpdate();
        return false;
    default:
        return false;
    }
}

bool CUiMenuControlBar::CommonHookTail(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {hWnd, nMessage, wParam, lParam, 0, {0, 0}};
    return TranslateMenuKey(&msg);
}

// ---- Mouse on the bar.

void CUiMenuControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bFlatTracking && m_nMenuTrackingIndex >= 0 && HitTestButton(point.x, point.y) == m_nMenuTrackingIndex)
        return;
    CUiToolControlBar::OnLButtonDown(nFlags, point);
}

void CUiMenuControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bFlatTracking) {
        CUiToolControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    LeaveKeyboardMode(false);
    CUiToolControlBar::OnLButtonUp(nFlags, point);
    Invalidate();
}

bool CUiMenuControlBar::ProcessMouseMove(UINT nFlags, int x, int y)
{
    if (!m_bFlatTracking)
        return CUiToolControlBar::ProcessMouseMove(nFlags, x, y);
    const int nIndex = HitTestButton(x, y);
    if (nIndex != -1 && nIndex != m_nFlatTrackingIndex)
        TrackButtonMenu(nIndex, false, false);
    return true;
}

// ---- Layout and docking.

void CUiMenuControlBar::CalcButtonLayout()
{
    CUiToolControlBar::CalcButtonLayout();
    PlaceMdiRightButton();
}

void CUiMenuControlBar::RequestFrameRecalcLayout()
{
    CUiToolControlBar::RequestFrameRecalcLayout();
    if (m_bBarFlags & kContained)
        return;
    CFrameWnd* pFrame = GetDockSiteFrame();
    // While the frame's saved layout is read or written, only that code lays the frame out.
    if (pFrame == nullptr || IsBarFloating() || pFrame->m_bInRecalcLayout || FrameLockMapFind(pFrame))
        return;
    if (pFrame->IsWindowVisible())
        pFrame->RecalcLayout(TRUE);
}

void CUiMenuControlBar::OnDragStarted()
{
    LeaveKeyboardMode(true);
    if (g_bMenuTracking)
        EndAllBarMenuTracking();
    CUiToolControlBar::OnDragStarted();
}

void CUiMenuControlBar::OnDragEnded(InternalDraggingState_t* pPrevious, InternalDraggingState_t* pCurrent,
                                    bool bCancelled)
{
    CUiToolControlBar::OnDragEnded(pPrevious, pCurrent, bCancelled);
    if (m_bMdiMode) {
        SyncMdiButtons(true);
        CalcButtonLayout();
    }
}

BOOL CUiMenuControlBar::PreTranslateMessage(MSG* pMsg)
{
    if ((m_bBarFlags & kContained) && TranslateMenuKey(pMsg))
        return TRUE;
    return CUiToolControlBar::PreTranslateMessage(pMsg);
}
