// The MDI tab strip. It hooks the frame's MDI client: creation, destruction and activation of
// children post a synchronisation (timer 3) that runs after the client has done its work,
// destruction and activation also update the strip at once. While the strip changes its own
// items in answer to the client (busy) or an item is dragged, selecting a tab activates no
// child and the strip's visibility stays as it is. The client loses its 2-pixel border on the
// side that faces the shown strip, the strip on the side that faces the client, so the two
// look joined.
#include "tabwnd.h"

#include "bitmapicon.h"
#include "controlbar.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiTabMdiWnd, CUiTabWnd)

namespace {

// rc less 2 pixels on every side but nOpenSide (0 top, 1 bottom, 2 left, 3 right; -1 none).
void DeflateBorder(RECT& rc, int nOpenSide)
{
    rc.top += nOpenSide == 0 ? 0 : 2;
    rc.bottom -= nOpenSide == 1 ? 0 : 2;
    rc.left += nOpenSide == 2 ? 0 : 2;
    rc.right -= nOpenSide == 3 ? 0 : 2;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

void AnswerNcCalcSize(WPARAM wParam, LPARAM lParam, int nOpenSide)
{
    RECT* pRect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (pRect != nullptr)
        DeflateBorder(*pRect, nOpenSide);
}

// The ring between window and client rectangle in the face colour, framed by the look's
// client-area border, which is pushed 2 pixels out on the open side so that no line shows there.
void PaintJoinedBorder(HWND hWnd, int nOpenSide, CObject* pAsking)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    CRect rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    if (pManager == nullptr || rcWindow == rcClient)
        return;
    CWindowDC dc(CWnd::FromHandle(hWnd));
    dc.ExcludeClipRect(&rcClient);
    dc.FillSolidRect(&rcWindow, pManager->GetColor(COLOR_BTNFACE));
    CRect rcFrame = rcWindow;
    switch (nOpenSide) {
    case 0: rcFrame.top -= 2; break;
    case 1: rcFrame.bottom += 2; break;
    case 2: rcFrame.left -= 2; break;
    case 3: rcFrame.right += 2; break;
    default: break;
    }
    pManager->PaintClientAreaBorder(dc, rcFrame, pAsking, 0);
}

} // namespace

CUiTabMdiWnd::CUiTabMdiWnd() : m_bBusy(0)
{
    m_dwTabFlags |= 1;
}

CUiTabMdiWnd::~CUiTabMdiWnd()
{
    UnhookAllWindows();
}

HWND CUiTabMdiWnd::GetFrameHwnd()
{
    return m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
}

HWND CUiTabMdiWnd::FindMdiClient()
{
    const HWND hFrame = GetFrameHwnd();
    if (hFrame == NULL)
        return NULL;
    CWnd* pFrame = CWnd::FromHandlePermanent(hFrame);
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return static_cast<CMDIFrameWnd*>(pFrame)->m_hWndMDIClient;
    for (HWND h = ::GetWindow(hFrame, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char szClass[32] = {};
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "mdiclient") == 0)
            return h;
    }
    return NULL;
}

BOOL CUiTabMdiWnd::Create(CWnd* pParent, const RECT& rect, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
                          CCreateContext* pContext)
{
    if (!CUiTabWnd::Create(pParent, rect, nID, dwWindowStyle, dwTabStyle, pContext))
        return FALSE;
    const HWND hClient = FindMdiClient();
    if (hClient != NULL && !IsWindowHookedBySink(hClient)) {
        InstallWindowHook(hClient, false, true);
        SetTimer(kSyncTimer, 10, NULL);
    }
    return TRUE;
}

void CUiTabMdiWnd::SyncWithMdiChildren()
{
    if ((m_bBusy & 1) || IsDragging())
        return;
    m_bBusy |= 1;
    const HWND hFrame = GetFrameHwnd();
    const HWND hClient = FindMdiClient();
    if (hFrame == NULL || hClient == NULL) {
        m_bBusy &= ~1;
        return;
    }
    HWND hActive = NULL;
    CWnd* pFrame = CWnd::FromHandlePermanent(hFrame);
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        CMDIChildWnd* pActive = static_cast<CMDIFrameWnd*>(pFrame)->MDIGetActive();
        hActive = pActive != nullptr ? pActive->GetSafeHwnd() : NULL;
    } else {
        hActive = (HWND)::SendMessage(hClient, WM_MDIGETACTIVE, 0, 0);
    }
    if (hActive != NULL) {
        for (HWND h = ::GetWindow(hClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            int nIndex = ItemFindByLParam((LPARAM)h);
            if (nIndex < 0) {
                ItemInsert(nullptr, NULL, false, 0, -1, (LPARAM)h, false);
                nIndex = ItemGetCount() - 1;
            }
            if (h == hActive)
                SelectionSet(nIndex, true, false);
        }
    }
    // Without an active child there is nothing to add, but tabs of children gone still go and
    // the strip still follows, or its last tab would stay shown.
    for (int i = ItemGetCount() - 1; i >= 0; --i) {
        if (!::IsWindow((HWND)ItemGetInfo(i)->m_lParam))
            ItemRemove(i, 1, false);
    }
    m_bBusy &= ~1;
    UpdateVisibility();
}

void CUiTabMdiWnd::UpdateVisibility()
{
    if (m_hWnd == NULL)
        return;
    const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;
    OnSizeParentHook();
    if (bWasVisible != ((GetStyle() & WS_VISIBLE) != 0)) {
        CWnd* pFrame = CWnd::FromHandlePermanent(GetFrameHwnd());
        if (pFrame != nullptr && pFrame->IsFrameWnd())
            static_cast<CFrameWnd*>(pFrame)->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    }
    UpdateLayout(true);
}

void CUiTabMdiWnd::OnSizeParentHook()
{
    if (m_hWnd == NULL)
        return;
    const UINT nKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
    CWnd* pFrame = CWnd::FromHandlePermanent(GetFrameHwnd());
    const bool bPreview = pFrame != nullptr && pFrame->IsFrameWnd() &&
                          CUiControlBar::IsFrameInPrintPreview(static_cast<CFrameWnd*>(pFrame));
    if (ItemGetCount() == 0 || bPreview) {
        if (GetStyle() & WS_VISIBLE)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | nKeep);
        m_nFirstVisible = m_nLastVisible = -1;
        return;
    }
    if (!(GetStyle() & WS_VISIBLE)) {
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_FRAMECHANGED | nKeep);
        if (const HWND hClient = FindMdiClient())
            ::SetWindowPos(hClient, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | nKeep);
    }
}

bool CUiTabMdiWnd::OnSelectionChanged(int, int nNew, bool bBefore)
{
    if (bBefore || (m_bBusy & 1) || IsDragging())
        return true;
    const TAB_ITEM_INFO* pItem = ItemGetInfo(nNew);
    const HWND hClient = FindMdiClient();
    if (pItem != nullptr && hClient != NULL && ::IsWindow((HWND)pItem->m_lParam))
        ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)pItem->m_lParam, 0);
    return true;
}

void CUiTabMdiWnd::OnItemInserted(int, TAB_ITEM_INFO*)
{
    if (ItemGetCount() == 1 && !(m_bBusy & 1) && !IsDragging())
        UpdateVisibility();
}

bool CUiTabMdiWnd::OnItemClick(int nIndex, bool bPressed, int nMouseButton, UINT nKeyFlags)
{
    if (nMouseButton != 1)
        return false;
    return CUiTabWnd::OnItemClick(nIndex, bPressed, nMouseButton, nKeyFlags);
}

bool CUiTabMdiWnd::OnButtonClick(int nHit, bool bPressed, int nMouseButton, UINT nKeyFlags)
{
    if (nMouseButton != 1)
        return false;
    CUiTabWnd::OnButtonClick(nHit, bPressed, nMouseButton, nKeyFlags);
    if (bPressed || (nHit != kHitClose && nHit != kHitHelp) || !IsButtonEnabled(nHit))
        return true;
    const TAB_ITEM_INFO* pItem = ItemGetInfo(SelectionGet());
    if (pItem == nullptr || !::IsWindow((HWND)pItem->m_lParam))
        return true;
    const HWND hChild = (HWND)pItem->m_lParam;
    PostMessage(WM_CANCELMODE);
    if (nHit == kHitClose)
        ::PostMessage(hChild, WM_CLOSE, 0, 0);
    else
        ::PostMessage(hChild, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    return true;
}

LPCSTR CUiTabMdiWnd::ItemGetTextPtr(TAB_ITEM_INFO* pItem)
{
    static CString s_strText;
    if (pItem == nullptr || !::IsWindow((HWND)pItem->m_lParam))
        return nullptr;
    const HWND hChild = (HWND)pItem->m_lParam;
    s_strText.Empty();
    CWnd* pChild = CWnd::FromHandlePermanent(hChild);
    if (pChild != nullptr && pChild->IsFrameWnd()) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pChild);
        CDocument* pDoc = pFrame->GetActiveDocument();
        s_strText = pDoc != nullptr ? pDoc->GetTitle() : pFrame->m_strTitle;
        if (!s_strText.IsEmpty() && pFrame->m_nWindow > 0) {
            CString strNumber;
            strNumber.Format(":%d", pFrame->m_nWindow);
            s_strText += strNumber;
        }
    }
    if (s_strText.IsEmpty()) {
        char szText[512] = {};
        ::GetWindowTextA(hChild, szText, sizeof(szText));
        s_strText = szText;
    }
    return s_strText;
}

CUiCmdIcon* CUiTabMdiWnd::ItemGetIconPtr(TAB_ITEM_INFO* pItem)
{
    if (pItem == nullptr || !::IsWindow((HWND)pItem->m_lParam))
        return nullptr;
    const HWND hChild = (HWND)pItem->m_lParam;
    HICON hIcon = FindWindowIcon(hChild);
    if (hIcon == NULL)
        return nullptr;
    CUiCmdIcon icon;
    icon.ConstructFromIcon(hIcon, true);
    if (!m_iconItem.ScaleToSize(icon, 16, 16) || m_iconItem.IsEmpty())
        return nullptr;
    return &m_iconItem;
}

bool CUiTabMdiWnd::DispatchHookedMessage(LRESULT& lResult, HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return false;
    switch (nMessage) {
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE: {
        const int nIndex = ItemFindByLParam((LPARAM)wParam);
        if (nIndex >= 0) {
            m_bBusy |= 1;
            if (nMessage == WM_MDIDESTROY)
                ItemRemove(nIndex, 1, true);
            else
                SelectionSet(nIndex, true, true);
            m_bBusy &= ~1;
        }
        PostMessage(WM_TIMER, kSyncTimer, 0);
        return false;
    }
    case WM_MDICREATE:
    case WM_MDIREFRESHMENU:
        PostMessage(WM_TIMER, kSyncTimer, 0);
        return false;
    case WM_WINDOWPOSCHANGING:
        if (WINDOWPOS* pPos = reinterpret_cast<WINDOWPOS*>(lParam))
            pPos->flags |= SWP_FRAMECHANGED;
        return false;
    case WM_NCCALCSIZE:
        AnswerNcCalcSize(wParam, lParam, (GetStyle() & WS_VISIBLE) ? ClientSideFacingStrip() : -1);
        lResult = 0;
        return true;
    case WM_NCPAINT: {
        const HWND hClient = FindMdiClient();
        if (hClient != NULL)
            PaintJoinedBorder(hClient, (GetStyle() & WS_VISIBLE) ? ClientSideFacingStrip() : -1, this);
        lResult = 0;
        return true;
    }
    default:
        return false;
    }
}

LRESULT CUiTabMdiWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // The strip's open side faces the client: tabs on top open at the bottom, and so on.
    const int nOpenSide = GetSide() ^ 1;
    switch (nMsg) {
    case WM_TIMER:
        if (wParam == kSyncTimer) {
            KillTimer(kSyncTimer);
            if (!(m_bBusy & 1))
                SyncWithMdiChildren();
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGING:
        if (WINDOWPOS* pPos = reinterpret_cast<WINDOWPOS*>(lParam))
            pPos->flags |= SWP_FRAMECHANGED;
        break;
    case WM_NCCALCSIZE:
        if (GetStyle() & WS_VISIBLE) {
            AnswerNcCalcSize(wParam, lParam, nOpenSide);
            return 0;
        }
        break;
    case WM_NCPAINT:
        PaintJoinedBorder(m_hWnd, nOpenSide, this);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenuMsg(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_DESTROY:
        UnhookAllWindows();
        break;
    default:
        break;
    }
    return CUiTabWnd::WindowProc(nMsg, wParam, lParam);
}

void CUiTabMdiWnd::OnContextMenuMsg(CPoint pt)
{
    if (CUiControlBar::IsFrameInHelpMode(this))
        return;
    CWnd* pFrame = CWnd::FromHandle(GetFrameHwnd());
    if (pFrame == nullptr)
        return;
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (!pMenu->InitRootMenu(pFrame->m_hWnd)) {
        delete pMenu;
        return;
    }
    CUiControlBar::POPUP_MENU_EVENT_DATA data(7, pMenu, this, pt, WM_CONTEXTMENU, 0);
    if (!data.NotifyTarget(false)) {
        delete pMenu;
        return;
    }
    data.NotifyTarget(true);
    if (pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    pFrame->SetFocus();
    if (!pMenu->TrackMenu(0x800, pt.x, pt.y))
        delete pMenu;
}
