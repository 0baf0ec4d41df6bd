// The strip and the mouse: pressing strip buttons and items (a tracked press holds the
// capture until its release), hover feedback with the buttons' tips, selection by resting
// on an item, the smooth scroll of the Previous and Next buttons (timer 1), the tab list
// menu, and reordering items by dragging them in a loop of its own.
#include "tabwnd.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "resourcemanager.h"

#include <cstdlib>

bool CUiTabWnd::OnMouseClick(CPoint pt, bool bPressed, int nMouseButton, UINT nKeyFlags)
{
    const int nHit = HitTestTab(pt);
    if (nHit <= kHitPrev && nHit >= kHitTabList)
        return OnButtonClick(nHit, bPressed, nMouseButton, nKeyFlags);
    if (nHit < 0) {
        TrackingStop(true);
        return false;
    }
    if (bPressed)
        m_ptPress = pt;
    return OnItemClick(nHit, bPressed, nMouseButton, nKeyFlags);
}

bool CUiTabWnd::TrackingStart(int nMouseButton, int nHit)
{
    if (m_bState & kTracking)
        return false;
    m_bState &= ~(kPrevPressed | kNextPressed);
    m_bState2 &= ~(kHelpPressed | kClosePressed | kTabListPressed);
    if (nHit < 0) {
        if (nMouseButton != 1 || !IsButtonEnabled(nHit))
            return false;
        SetButtonPressed(nHit, true);
        RedrawNow();
    }
    m_nTrackedHit = nHit;
    m_nTrackedButton = nMouseButton;
    m_bState |= kTracking;
    if (m_hWnd != NULL)
        CUiMouseCaptureSink::SetCapture(m_hWnd);
    return true;
}

void CUiTabWnd::TrackingStop(bool bReleaseCapture)
{
    if (!(m_dwTabStyle & kScrollByPage) && m_nScrollRemaining != 0 && m_hWnd != NULL)
        SendMessage(WM_CANCELMODE);
    m_ptPress = CPoint(-1, -1);
    if (m_nTrackedHit < 0 && IsButtonPressed(m_nTrackedHit)) {
        SetButtonPressed(m_nTrackedHit, false);
        RedrawNow();
    }
    const bool bWasTracking = (m_bState & kTracking) != 0;
    m_bState &= ~kTracking;
    m_nTrackedHit = -1;
    m_nTrackedButton = -1;
    if (bWasTracking && bReleaseCapture && m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

bool CUiTabWnd::OnButtonClick(int nHit, bool bPressed, int nMouseButton, UINT)
{
    if (bPressed) {
        if (TrackingStart(nMouseButton, nHit)) {
            RedrawNow();
            if (nHit == kHitPrev || nHit == kHitNext)
                ScrollItems(nHit == kHitPrev ? -1 : 1, true);
        }
        return true;
    }
    TrackingStop(true);
    if (nMouseButton == 1 && nHit == kHitTabList && IsButtonEnabled(kHitTabList))
        ShowTabListMenu();
    return true;
}

bool CUiTabWnd::OnItemClick(int nIndex, bool bPressed, int nMouseButton, UINT)
{
    if (bPressed) {
        if (TrackingStart(nMouseButton, nIndex))
            SelectionSet(nIndex, true, true);
    } else {
        TrackingStop(true);
    }
    return nMouseButton != 2;
}

bool CUiTabWnd::IsItemDraggable(int nIndex) const
{
    return nIndex >= 0 && nIndex < ItemGetCount() && (m_dwTabStyle & kItemDrag) && !(m_dwTabStyle & kGrouped);
}

bool CUiTabWnd::IsValidVisibleItem(int nIndex) const
{
    const TAB_ITEM_INFO* pItem = ItemGetInfo(nIndex);
    return pItem != nullptr && pItem->IsVisible();
}

bool CUiTabWnd::SetHoverSelectTimer(int nIndex, UINT nDelay)
{
    if (m_nHoverSelectIndex >= 0 && m_hWnd != NULL)
        KillTimer(kHoverSelectTimer);
    m_nHoverSelectIndex = -1;
    if (nIndex == -1)
        return true;
    if (m_nVisibleCount < 1 || !IsValidVisibleItem(nIndex))
        return false;
    m_nHoverSelectIndex = nIndex;
    if (m_hWnd != NULL)
        SetTimer(kHoverSelectTimer, nDelay, NULL);
    return true;
}

void CUiTabWnd::OnHoverSelectTimer()
{
    KillTimer(kHoverSelectTimer);
    const int nIndex = m_nHoverSelectIndex;
    m_nHoverSelectIndex = -1;
    if (nIndex == m_nSelIndex || !IsValidVisibleItem(nIndex))
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTestTab(pt) == nIndex)
        SelectionSet(nIndex, true, true);
}

void CUiTabWnd::ButtonHoverStart(int nHit)
{
    if (!CUiPopupMenuWnd::HoverTestWindowChain(m_hWnd, ::GetActiveWindow(), true, true, true))
        return;
    m_nHoverButton = nHit;
    m_bState |= kHovering;
    RedrawNow();
    CUiMouseCaptureSink::SetCapture(m_hWnd);
    if (!TooltipsEnabled())
        return;
    static const struct {
        int nHit;
        UINT nId;
        LPCSTR lpszBuiltIn;
    } kTips[] = {{kHitPrev, 30052, "Previous"}, {kHitNext, 30053, "Next"}, {kHitHelp, 30054, "Help"},
                 {kHitClose, 30055, ""}, {kHitTabList, 30342, ""}};
    CString strText;
    for (const auto& tip : kTips) {
        if (tip.nHit != nHit)
            continue;
        CUiResourceManager* pResources = ResourceManagerHolder::GetResourceManager();
        if (pResources == nullptr || !pResources->LoadString(strText, tip.nId))
            strText = tip.lpszBuiltIn;
    }
    SetTip(strText, GetHitRect(nHit));
}

void CUiTabWnd::CancelHoverTracking(bool bReleaseCapture)
{
    if (!(m_bState & kHovering))
        return;
    m_bState &= ~kHovering;
    m_nHoverButton = -1;
    RedrawNow();
    if (bReleaseCapture && !(m_bState & kTracking) && m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CUiTabWnd::UpdateItemTip(int nHit)
{
    const TAB_ITEM_INFO* pItem = ItemGetInfo(nHit);
    if (pItem == nullptr || !(pItem->m_bShrunk & 1) || !TooltipsEnabled()) {
        SetTip(nullptr, CRect());
        return;
    }
    LPCSTR lpszText = ItemGetTextPtr(const_cast<TAB_ITEM_INFO*>(pItem));
    if (lpszText == nullptr)
        lpszText = pItem->m_strText;
    if (m_strTip != lpszText)
        SetTip(lpszText, ItemGetWindowRect(nHit));
}

void CUiTabWnd::OnMouseMoveMsg(CPoint pt)
{
    if (m_bState & kTracking) {
        if (m_nTrackedHit >= 0 && m_nTrackedHit < ItemGetCount()) {
            // A group's strip drags the tab's bar out while it is asked (IsItemDraggable), and
            // a group left with one bar dissolves, strip and all: nothing of this object may
            // be touched once its window is gone.
            const HWND hWnd = m_hWnd;
            if (m_ptPress.x >= 0 && (std::abs(pt.x - m_ptPress.x) >= 6 || std::abs(pt.y - m_ptPress.y) >= 6) &&
                IsItemDraggable(m_nTrackedHit) && ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this) {
                SetTip(nullptr, CRect());
                DragItemLoop(m_nTrackedHit);
            }
            return;
        }
        SetTip(nullptr, CRect());
        const bool bButtonPressed = (m_bState & (kPrevPressed | kNextPressed)) || (m_bState2 & 0x07);
        if (!bButtonPressed && m_nScrollRemaining == 0)
            SendMessage(WM_CANCELMODE);
        return;
    }
    const int nHit = HitTestTab(pt);
    if (nHit <= kHitPrev && nHit >= kHitTabList) {
        if (nHit != m_nHoverButton || !(m_bState & kHovering) || ::GetCapture() != m_hWnd) {
            CancelHoverTracking(false);
            ButtonHoverStart(nHit);
        }
        return;
    }
    CancelHoverTracking(true);
    if (nHit >= 0 && IsValidVisibleItem(nHit) && (m_dwTabStyle & kHoverSelect) && nHit != m_nHoverSelectIndex)
        SetHoverSelectTimer(nHit, 200);
    UpdateItemTip(nHit);
}

void CUiTabWnd::OnCaptureChangedMsg(HWND hWndNew)
{
    if (hWndNew != NULL && hWndNew != m_hWnd) {
        TrackingStop(false);
        CancelHoverTracking(false);
    }
}

void CUiTabWnd::OnCancelModeMsg()
{
    StopScroll();
    TrackingStop(true);
    CancelHoverTracking(true);
}

void CUiTabWnd::DragItemLoop(int nIndex)
{
    const HWND hWnd = m_hWnd;
    CUiMouseCaptureSink::SetCapture(hWnd);
    m_bDragging |= 1;
    int nDragged = nIndex;
    const bool bHorz = IsHorizontal();
    for (;;) {
        if (!::IsWindow(hWnd))
            return;   // the window died with its object possibly gone: touch nothing
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            CWinThread* pThread = AfxGetThread();
            for (LONG n = 0; pThread != nullptr && pThread->OnIdle(n); ++n) {
            }
            if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
                ::WaitMessage();
            continue;
        }
        const UINT m = msg.message;
        if (m == WM_MOUSEMOVE) {
            MSG last = msg;
            while (::PeekMessage(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
                last = msg;
            if (::GetCapture() != hWnd)
                break;
            CPoint pt;
            if (last.hwnd == hWnd) {
                pt = CPoint((short)LOWORD(last.lParam), (short)HIWORD(last.lParam));
            } else {
                ::GetCursorPos(&pt);
                ScreenToClient(&pt);
            }
            CRect rcClient;
            GetClientRect(&rcClient);
            const int nAlong = bHorz ? pt.x : pt.y;
            const int nEnd = bHorz ? rcClient.right : rcClient.bottom;
            if (nAlong < 0 || nAlong >= nEnd) {
                if (m_nScrollRemaining == 0)
                    ScrollItems(nAlong < 0 ? -1 : 1, true);
                continue;
            }
            StopScroll();
            const int nHit = HitTestTab(pt);
            if (nHit < 0 || nHit == nDragged)
                continue;
            if (m_rcDragSwap.PtInRect(pt) && std::abs(nHit - nDragged) < 2)
                continue;
            const CRect rcTarget = ItemGetWindowRect(nHit);
            if (ItemMove(nDragged, nHit, true)) {
                m_rcDragSwap = rcTarget;
                nDragged = nHit;
                m_nTrackedHit = nHit;
            }
            continue;
        }
        const bool bEnd = m == WM_LBUTTONUP || (m >= 0x0204 && m <= 0x020A) || m == WM_CAPTURECHANGED ||
                          (m >= 0x00A1 && m <= 0x00A9) || m == WM_SYSCOLORCHANGE || m == WM_SETTINGCHANGE ||
                          m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_CONTEXTMENU || ::GetCapture() != hWnd;
        if (!AfxPumpPeekedMessage(msg)) {
            ::PostQuitMessage(0);
            break;
        }
        if (bEnd)
            break;
    }
    if (!::IsWindow(hWnd))
        return;
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_rcDragSwap.SetRectEmpty();
    m_bState &= ~kTracking;
    m_nTrackedHit = -1;
    m_nTrackedButton = -1;
    m_ptPress = CPoint(-1, -1);
    StopScroll();
    UpdateLayout(true);
    m_bDragging &= ~1;
}

void CUiTabWnd::PaintTabListPressed(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rcExclude, int)
{
    CUiTabWnd* pThis = static_cast<CUiTabWnd*>(pCookie);
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pThis == nullptr || pMenu == nullptr || pManager == nullptr)
        return;
    CRect rc(rcExclude);
    pMenu->ScreenToClient(&rc);
    pManager->PaintTabButton(dc, rc, kHitTabList, 0, pThis->IsHorizontal(), TRUE, FALSE, TRUE,
                             (pThis->m_dwTabStyle & kGrouped) != 0, pThis, 0);
}

void CUiTabWnd::ShowTabListMenu()
{
    if (m_hWnd == NULL || m_rcTabList.IsRectEmpty())
        return;
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (!pMenu->InitRootMenu(m_hWnd)) {
        delete pMenu;
        return;
    }
    const bool bGrouped = (m_dwTabStyle & kGrouped) != 0;
    for (int i = 0; i < ItemGetCount(); ++i) {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (bGrouped && i > 0 && (pItem->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
            pMenu->ItemInsert(0, -1);
        LPCSTR lpszText = ItemGetTextPtr(pItem);
        CUiCmdIcon* pIcon = ItemGetIconPtr(pItem);
        if (pIcon == nullptr || pIcon->IsEmpty())
            pIcon = &pItem->m_icon;
        pMenu->ItemInsertCommand(kTabListCmdBase + (UINT)i, -1, lpszText != nullptr ? lpszText : (LPCSTR)pItem->m_strText,
                                 nullptr, pIcon->IsEmpty() ? nullptr : pIcon, i == m_nSelIndex ? 1 : 0, m_hWnd);
    }
    static const UINT kPlacement[] = {4, 6, 1, 3};
    CRect rc = m_rcTabList;
    ClientToScreen(&rc);
    const int nSide = GetSide();
    const CPoint pt = nSide == 0 ? CPoint(rc.left, rc.bottom) : nSide == 2 ? CPoint(rc.right, rc.top) : rc.TopLeft();
    UINT nResult = 0;
    const HWND hWnd = m_hWnd;
    if (!pMenu->TrackMenu(kPlacement[nSide] | 0xFA0, pt.x, pt.y, &rc, this, PaintTabListPressed, &nResult)) {
        delete pMenu;
        return;
    }
    if (::IsWindow(hWnd))
        OnTabListCommand(nResult);
}

void CUiTabWnd::OnTabListCommand(UINT nCmd)
{
    if (nCmd < kTabListCmdBase)
        return;
    const int nIndex = (int)(nCmd - kTabListCmdBase);
    if (nIndex >= ItemGetCount())
        return;
    SelectionSet(nIndex, true, true);
    if (m_hWnd != NULL)
        Invalidate();
}
