// Input of a tracked popup menu: the current item, submenus opening and closing, scrolling,
// expanding, keys, mouse moves and clicks as the tracking hooks hand them over, the menu's
// timers and how a menu closes.
#include <algorithm>
#include <vector>
#include "popupmenuwnd.h"

#include "afxres.h"
#include "cmditem.h"
#include "commandstatustext.h"
#include "popuptrackingstate.h"

BEGIN_MESSAGE_MAP(CUiPopupMenuWnd, CUiPopupBaseWnd)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_ACTIVATEAPP()
    ON_WM_CANCELMODE()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

bool IsAnyMenuAnimating()
{
    return PopupTrackingState::Get().m_pAnimating != nullptr;
}

bool IsTrackingLive()
{
    const PopupTrackingState& state = PopupTrackingState::Get();
    return state.m_pRoot != nullptr && !state.IsEnding();
}

// Draws the opening item of the parent inside a submenu joined with it.
void JoinedItemCallback(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rcExclude, int)
{
    CUiPopupMenuWnd* pSub = static_cast<CUiPopupMenuWnd*>(pMenu);
    CUiPopupMenuWnd* pParent = pSub->GetParentMenu();
    if (!::IsRectEmpty(&rcExclude) && pParent != nullptr)
        pParent->PaintJoinedItem(dc, *pSub, (int)(INT_PTR)pCookie, rcExclude);
}

} // namespace

BOOL CUiPopupMenuWnd::IsInternalCallback() const
{
    return m_pfnCallback == &JoinedItemCallback;
}

CUiPopupMenuWnd* CUiPopupMenuWnd::GetOpenSubmenu() const
{
    for (int i = 0; i < ItemGetCount(); ++i) {
        CUiPopupMenuWnd* pSub = m_items[i].m_pSubmenu;
        if (pSub != nullptr && ::IsWindow(pSub->m_hWnd) && pSub->IsWindowVisible())
            return pSub;
    }
    return nullptr;
}

void CUiPopupMenuWnd::OnNestedMouseActivate()
{
    // Nested menus are not top-most by themselves: the clicked menu and its open submenus
    // are stacked again, the deepest on top and each parent right below its child, and
    // painted at once, since the click is not followed by a paint of its own.
    std::vector<CUiPopupMenuWnd*> chain;
    for (CUiPopupMenuWnd* pMenu = this; pMenu != nullptr && chain.size() < 64; pMenu = pMenu->GetOpenSubmenu())
        chain.push_back(pMenu);
    HWND hAfter = HWND_TOPMOST;
    UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        ::SetWindowPos((*it)->m_hWnd, hAfter, 0, 0, 0, 0, nFlags);
        hAfter = (*it)->m_hWnd;
        nFlags |= SWP_NOREDRAW;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        CClientDC dc(*it);
        (*it)->PaintContent(dc, TRUE);
    }
}

CUiPopupMenuWnd* CUiPopupMenuWnd::GetFocusedMenu() const
{
    return GetTrackingState().m_pFocused;
}

void CUiPopupMenuWnd::SetFocusedMenu()
{
    GetTrackingState().m_pFocused = ::IsWindow(m_hWnd) ? this : nullptr;
}

void CUiPopupMenuWnd::ReleaseFocusedMenu()
{
    PopupTrackingState& state = GetTrackingState();
    if (state.m_pRoot != nullptr && !state.IsEnding() && state.m_pFocused == this)
        state.m_pFocused = nullptr;
}

BOOL CUiPopupMenuWnd::IsPointOverWindow(CPoint pt) const
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    ::ClientToScreen(m_hWnd, &pt);
    return ::WindowFromPoint(pt) == m_hWnd;
}

BOOL CUiPopupMenuWnd::IsTipVisible() const
{
    return !IsNestedTracking() && ::IsWindow(m_hWnd) && GetFocusedMenu() == this &&
           ::IsWindow(m_wndTip.GetSafeHwnd()) && m_wndTip.IsWindowVisible();
}

bool CUiPopupMenuWnd::IsPointOnVisibleTip(POINT ptScreen) const
{
    if (!::IsWindow(m_wndTip.GetSafeHwnd()) || !m_wndTip.IsWindowVisible())
        return false;
    CRect rc;
    m_wndTip.GetWindowRect(rc);
    return rc.PtInRect(ptScreen) != FALSE;
}

void CUiPopupMenuWnd::HideTip(BOOL bRestartAnimation)
{
    if (!::IsWindow(m_hWnd) || !::IsWindow(m_wndTip.GetSafeHwnd()))
        return;
    // A fresh capture of the screen under the menu, taken while the tip still covers part
    // of it, would keep the tip's picture; the restart captures again in one step.
    if (bRestartAnimation && !IsAnyMenuAnimating()) {
        m_nAnimation = -1;
        StartAnimation();
    }
    m_wndTip.HideTip();
}

void CUiPopupMenuWnd::PaintNow()
{
    if (!::IsWindow(m_hWnd) || !IsWindowVisible())
        return;
    CClientDC dc(this);
    PaintContent(dc, TRUE);
}

void CUiPopupMenuWnd::ShowStatusPrompt(UINT nCmdId, const MENUITEMDATA* pItem)
{
    CWnd* pReceiver = CWnd::FromHandle(m_hWndReceiver);
    if (!::IsWindow(m_hWndReceiver))
        return;
    UINT nPrompt = AFX_IDS_IDLEMESSAGE;
    if (pItem != nullptr && pItem->IsSelectable() && pItem->IsCommand() && (int)nCmdId > 0) {
        static const UINT kSys[][2] = {{0xF000, 0xEF00}, {0xF010, 0xEF01}, {0xF020, 0xEF02},
                                       {0xF030, 0xEF03}, {0xF040, 0xEF04}, {0xF050, 0xEF05},
                                       {0xF060, 0xEF06}, {0xF120, 0xEF12}, {0xF130, 0xEF13}};
        if (nCmdId >= 0xF000 && nCmdId < 0xF1F0) {
            for (const auto& entry : kSys) {
                if (entry[0] == nCmdId)
                    nPrompt = entry[1];
            }
        } else {
            nPrompt = nCmdId;
        }
    }
    ShowCommandStatusText(pReceiver, nPrompt);
}

void CUiPopupMenuWnd::ReleaseCurrentItem(BOOL bRepaint)
{
    if (!IsNestedTracking())
        HideTip(TRUE);
    if (m_nCurIndex < 0 || m_nCurIndex >= ItemGetCount()) {
        m_nCurIndex = -1;
        return;
    }
    MENUITEMDATA& item = m_items[m_nCurIndex];
    if (item.HasInplaceEdit()) {
        item.m_bFlags3 &= ~MENUITEMDATA::kShowThirdText;
        item.m_strThird.Empty();
        CWnd* pEdit = item.m_pInplaceEdit;
        if (pEdit != nullptr && ::IsWindow(pEdit->GetSafeHwnd()) && pEdit->IsWindowVisible())
            pEdit->ShowWindow(SW_HIDE);
    }
    item.m_bFlags1 &= ~MENUITEMDATA::kCurrent;
    m_nCurIndex = -1;
    if (item.m_pSubmenu != nullptr)
        item.m_pSubmenu->CloseMenu(FALSE);
    ShowStatusPrompt(0, nullptr);
    if (bRepaint)
        PaintNow();
}

void CUiPopupMenuWnd::SetSubMenuTimer(int nIndex)
{
    if (!::IsWindow(m_hWnd))
        return;
    if (m_nPendingSubmenu != nIndex && m_nPendingSubmenu >= 0)
        KillTimer(kSubmenuTimer);
    if (nIndex < 0) {
        m_nPendingSubmenu = -1;
        return;
    }
    if (m_nPendingSubmenu != nIndex) {
        m_nPendingSubmenu = nIndex;
        SetTimer(kSubmenuTimer, 500, nullptr);
    }
}

void CUiPopupMenuWnd::ScrollIntoView(int nIndex)
{
    const int m = GetItemMargin();
    CRect rcItem, rcUp, rcDown, rcExpand;
    GetItemRect(nIndex, rcItem);
    GetItemRect(kScrollUp, rcUp);
    GetItemRect(kScrollDown, rcDown);
    GetItemRect(kExpandButton, rcExpand);
    const int nMax = GetMaxScrollPos();
    int nLower = m_rcContent.bottom;
    if (m_nScrollPos != nMax)
        nLower = m_rcContent.bottom - rcDown.Height() - ((m_bState & kHasHidden) != 0 ? rcExpand.Height() : 0);
    if (rcItem.bottom >= nLower)
        m_nScrollPos += nLower - 2 * m - rcItem.bottom;
    int nUpper = m_rcContent.top;
    if (m_nScrollPos != 0)
        nUpper = m_rcContent.top + rcUp.Height();
    if (rcItem.top <= nUpper)
        m_nScrollPos += nUpper + 2 * m - rcItem.top;
    m_nScrollPos = std::min(0, std::max(nMax, m_nScrollPos));
}

void CUiPopupMenuWnd::SetCurrentItem(int nIndex, BOOL bOpenSubmenu, BOOL bRepaint, BOOL bSelectFirstInSubmenu)
{
    if (nIndex != m_nCurIndex) {
        ReleaseCurrentItem(FALSE);
        m_nCurIndex = nIndex;
        if (nIndex < 0)
            return;
    }
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return;
    MENUITEMDATA& item = m_items[nIndex];
    const bool bSelectable = item.IsSelectable();
    if (bSelectable) {
        item.m_bFlags1 |= MENUITEMDATA::kCurrent;
        if ((m_bState & kScrollable) != 0)
            ScrollIntoView(nIndex);
    }
    ShowStatusPrompt(item.m_nCmdId, &item);
    if (bRepaint)
        PaintNow();
    CUiPopupMenuWnd* pSub = item.m_pSubmenu;
    if (!item.IsSubmenu() || pSub == nullptr || (::IsWindow(pSub->m_hWnd) && pSub->IsWindowVisible()))
        bOpenSubmenu = FALSE;
    if (bSelectable && bOpenSubmenu && pSub->IsSubmenuOpenAllowed()) {
        const bool bNested = IsNestedTracking() != FALSE;
        if (!bNested)
            ReleaseFocusedMenu();
        CRect rc;
        GetItemRect(nIndex, rc);
        rc.left -= m_cxLeftArea;
        ClientToScreen(rc);
        if (!::IsWindow(pSub->m_hWnd)) {
            const UINT nFlags = ((item.m_bFlags1 & MENUITEMDATA::kJoinSubmenu) != 0 ? kJoinIfLook : 0) |
                                (m_nTrackFlags & 0x1600);
            if (!pSub->CreatePopupWindow(nFlags, rc.right, rc.top, rc, (LPVOID)(INT_PTR)nIndex,
                                         JoinedItemCallback, FALSE)) {
                // The submenu did not open: this menu keeps the input.
                if (!bNested)
                    SetFocusedMenu();
                return;
            }
        } else {
            pSub->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
            pSub->PaintNow();
        }
    }
    if (bSelectFirstInSubmenu && pSub != nullptr && bOpenSubmenu && pSub->ItemGetCount() > 0) {
        const int nFirst = pSub->GetNextItemIndex(1);
        if (nFirst >= 0)
            pSub->SetCurrentItem(nFirst, FALSE, !IsAnyMenuAnimating(), FALSE);
    }
    // The field of the item shows its submenu as open.
    if (bOpenSubmenu && nIndex < ItemGetCount() && m_items[nIndex].HasInplaceEdit())
        PaintNow();
}

int CUiPopupMenuWnd::GetNextItemIndex(int nDirection) const
{
    const bool bExpandAvail = (m_bState & kHasHidden) != 0 && (m_bState & kExpanded) == 0;
    const int nNone = bExpandAvail ? kExpandButton : -1;
    const int nCount = ItemGetCount();
    if (bExpandAvail && AreAllItemsHidden())
        return kExpandButton;
    if (nCount == 0 || nDirection == 0)
        return nNone;
    if (nDirection == 1 && m_nCurIndex >= 0)
        return m_nCurIndex;
    if (m_nCurIndex < 0) {
        for (int i = 0; i < nCount; ++i) {
            if (m_items[i].IsSelectable())
                return i;
        }
        return nNone;
    }
    if (nCount < 2)
        return -1;
    if (nDirection == 2) {
        for (int i = m_nCurIndex + 1; i < nCount; ++i) {
            if (m_items[i].IsSelectable())
                return i;
        }
        if (bExpandAvail)
            return kExpandButton;
        for (int i = 0; i < m_nCurIndex; ++i) {
            if (m_items[i].IsSelectable())
                return i;
        }
        return -1;
    }
    if (nDirection == 3) {
        for (int i = m_nCurIndex - 1; i >= 0; --i) {
            if (m_items[i].IsSelectable())
                return i;
        }
        for (int i = nCount - 1; i > m_nCurIndex; --i) {
            if (m_items[i].IsSelectable())
                return i;
        }
        return -1;
    }
    return -1;
}

void CUiPopupMenuWnd::ResetShadowAndSurfaces()
{
    m_rgnWindow.DeleteObject();
    m_shadowBody.Destroy();
    m_shadowExclude.Destroy();
    CUiPopupBaseWnd::ResetAnimationSurfaces();
    if (::IsWindow(m_hWnd))
        KillTimer(kAnimationTimer);
    // With its timer gone the animation never ends by itself: input would stay swallowed.
    m_bAnimFlags |= 1;
    if (GetTrackingState().m_pAnimating == this)
        GetTrackingState().m_pAnimating = nullptr;
}

void CUiPopupMenuWnd::CloseMenu(BOOL bOnlyReset)
{
    if (::IsWindow(m_hWndReceiver))
        ShowStatusPrompt(0, nullptr);
    const bool bNested = IsNestedTracking() != FALSE;
    if (!bNested) {
        HideTip(FALSE);
        ResetShadowAndSurfaces();
        ReleaseFocusedMenu();
    }
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[i];
        item.m_bFlags1 &= ~MENUITEMDATA::kCurrent;
        if (item.m_pSubmenu != nullptr && ::IsWindow(item.m_pSubmenu->m_hWnd))
            item.m_pSubmenu->CloseMenu(FALSE);
    }
    m_nHoverIndex = m_nCurIndex = -1;
    if (bOnlyReset || !::IsWindow(m_hWnd))
        return;
    // Decided before the window goes: destroying the root's window ends the tracking, which
    // deletes this menu.
    const bool bEndBarTracking = PopupBarTrackingBridge::g_bButtonMenuTracking && m_pParent == nullptr;
    ShowWindow(SW_HIDE);
    if (!bNested) {
        SetSubMenuTimer(-1);
        DestroyWindow();
    }
    if (bEndBarTracking)
        PopupBarTrackingBridge::EndAllBarMenuTracking();
}

BOOL CUiPopupMenuWnd::StartScrollTimer(int nIndex)
{
    if (nIndex != kScrollUp && nIndex != kScrollDown)
        return FALSE;
    SetSubMenuTimer(-1);
    ReleaseCurrentItem(FALSE);
    m_nCurIndex = nIndex;
    if (::IsWindow(m_hWnd)) {
        InvalidateRect(nullptr, FALSE);
        SetTimer(kScrollTimer, 15, nullptr);
    }
    if (!IsNestedTracking())
        SetFocusedMenu();
    return TRUE;
}

void CUiPopupMenuWnd::ExpandMenu()
{
    SetSubMenuTimer(-1);
    HideTip(FALSE);
    if (IsAnyMenuAnimating() || IsTipVisible())
        return;
    const CSize sizeOld = CalcMenuSize();
    m_bState |= kExpanded;
    RecalcItemLayout();
    CalcScrollAndExpandRects();
    if (::IsWindow(m_hWnd)) {
        if (CalcMenuSize() == sizeOld) {
            InvalidateRect(nullptr, FALSE);
            UpdateWindow();
        } else {
            const HWND hWnd = m_hWnd;
            CRect rcOld;
            GetWindowRect(rcOld);
            SetWindowRgn(NULL, FALSE);
            ShowWindow(SW_HIDE);
            ::RedrawWindow(NULL, rcOld, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            ResetShadowAndSurfaces();
            m_nPendingSound = 1;
            m_nAnimation = g_bExpandAnimation ? -2 : -1;
            CRect rc;
            if (!CalcPopupPosition(rc)) {
                if (!::IsWindow(hWnd))
                    return;
            }
            if (m_rgnWindow.GetSafeHandle() != NULL) {
                CRgn copy;
                copy.CreateRectRgn(0, 0, 0, 0);
                copy.CopyRgn(&m_rgnWindow);
                SetWindowRgn((HRGN)copy.Detach(), FALSE);
            }
            CalcScrollAndExpandRects();
            SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
            CaptureScreenUnder();
            StartAnimation();
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        }
    }
    if (::IsWindow(m_hWndReceiver))
        ::SendMessageA(m_hWndReceiver, g_nMsgNotifyMenuExpanded, 0, (LPARAM)this);
}

void CUiPopupMenuWnd::InvokeItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return;
    MENUITEMDATA& item = m_items[nIndex];
    if (item.m_pfnClick != nullptr) {
        item.m_pfnClick(this, &item);
        PaintNow();
        return;
    }
    if (item.IsCommand()) {
        if (item.m_pfnBeforeCommand != nullptr && item.m_pfnBeforeCommand(this, &item))
            return;
        EndTrackingWithCommand(item.m_nCmdId, item.m_hWndReceiver);
        return;
    }
    if (item.IsSubmenu()) {
        SetSubMenuTimer(-1);
        SetCurrentItem(nIndex, TRUE, TRUE, TRUE);
    }
}

BOOL CUiPopupMenuWnd::OnTrackMouseWheel(MOUSEHOOKSTRUCT*, bool&)
{
    return TRUE;
}

BOOL CUiPopupMenuWnd::OnTrackMouseMove(UINT message, CPoint pt, bool& bPassOn)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    if (!IsAnimationEnded() || !IsTrackingLive() || IsAnyMenuAnimating())
        return TRUE;
    if (PassOnToInplaceEdit(pt, bPassOn))
        return FALSE;
    // The highlight stays on the edited item.
    if (IsOwnChild(::GetFocus()))
        return TRUE;
    if (!IsPointOverWindow(pt)) {
        if (m_pParent != nullptr && ::IsWindow(m_pParent->m_hWnd)) {
            CPoint ptParent(pt);
            ClientToScreen(&ptParent);
            m_pParent->ScreenToClient(&ptParent);
            const HWND hWnd = m_hWnd;
            if (m_pParent->OnTrackMouseMove(message, ptParent, bPassOn)) {
                if (::IsWindow(hWnd))
                    m_nHoverIndex = -1;
                return bPassOn ? FALSE : TRUE;
            }
        }
        if (m_nCurIndex >= 0 && m_nHoverIndex >= 0 && GetFocusedMenu() == this) {
            const MENUITEMDATA& item = m_items[m_nCurIndex];
            if (item.m_pSubmenu == nullptr || item.m_pSubmenu->m_nCurIndex < 0)
                ReleaseCurrentItem(TRUE);
        }
        m_nHoverIndex = -1;
        return FALSE;
    }
    const int nHit = HitTestItem(pt);
    if (nHit == kExpandButton) {
        ReleaseCurrentItem(TRUE);
        if (g_bExpandOnHover) {
            SetFocusedMenu();
            if (m_nExpandHover == 0) {
                SetTimer(kExpandTimer, 30, nullptr);
                m_nExpandHover = 1;
            }
        }
        return TRUE;
    }
    if (nHit == kScrollUp || nHit == kScrollDown)
        return StartScrollTimer(nHit);
    if (nHit < 0 || !m_items[nHit].IsSelectable())
        return FALSE;
    if (nHit == m_nCurIndex)
        return FALSE;
    SetSubMenuTimer(-1);
    SetFocusedMenu();
    SetCurrentItem(nHit, FALSE, TRUE, TRUE);
    m_nHoverIndex = nHit;
    const MENUITEMDATA& item = m_items[nHit];
    if (item.IsSubmenu()) {
        HideTip(FALSE);
        if (item.m_pSubmenu != nullptr && !::IsWindow(item.m_pSubmenu->m_hWnd))
            SetSubMenuTimer(nHit);
    } else if (g_bMenuTips && GetFocusedMenu() == this) {
        const CUiCmdItem* pCmd = item.GetCmdItem();
        if (pCmd != nullptr && !pCmd->m_strTipTool.IsEmpty()) {
            CRect rcItem;
            GetItemRect(nHit, rcItem);
            ClientToScreen(rcItem);
            m_wndTip.SetText(pCmd->m_strTipTool);
            m_wndTip.ShowTipAt(this, rcItem);
        }
    }
    return TRUE;
}

BOOL CUiPopupMenuWnd::OnTrackMouseClick(UINT message, CPoint pt, bool& bPassOn)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    if (!IsTrackingLive() || IsAnyMenuAnimating())
        return TRUE;
    if (PassOnToInplaceEdit(pt, bPassOn))
        return FALSE;
    const bool bRelease = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
    const bool bNonClient = message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK;
    if (bRelease && !IsPointOverWindow(pt)) {
        CPoint ptTip(pt);
        ClientToScreen(&ptTip);
        if (IsPointOnVisibleTip(ptTip))
            return TRUE;
        if (m_pParent == nullptr) {
            if (bNonClient) {
                CloseMenu(FALSE);
                return FALSE;
            }
            if (PopupBarTrackingBridge::g_bButtonMenuTracking &&
                PopupBarTrackingBridge::g_pfnIsPointInTrackedButton != nullptr) {
                CPoint ptScreen(pt);
                ClientToScreen(&ptScreen);
                const HWND hUnder = ::WindowFromPoint(ptScreen);
                if (hUnder != NULL && PopupBarTrackingBridge::g_pfnIsPointInTrackedButton(hUnder, ptScreen))
                    return TRUE;
            }
            CloseMenu(FALSE);
            return TRUE;
        }
        CPoint ptParent(pt);
        ClientToScreen(&ptParent);
        m_pParent->ScreenToClient(&ptParent);
        const HWND hWnd = m_hWnd;
        if (!m_pParent->OnTrackMouseClick(message, ptParent, bPassOn))
            return FALSE;
        if (bPassOn)
            return FALSE;
        if (::IsWindow(hWnd))
            CloseMenu(FALSE);
        return TRUE;
    }
    bool bOnEdit = false, bOnArrow = false;
    const int nHit = HitTestItem(pt, &bOnEdit, &bOnArrow);
    if (bRelease && (nHit == kScrollUp || nHit == kScrollDown))
        return StartScrollTimer(nHit);
    if (nHit < 0) {
        if (!bRelease) {
            if ((m_bBaseFlags & kJoined) != 0 && m_pParent == nullptr) {
                CPoint ptScreen(pt);
                ClientToScreen(&ptScreen);
                if (m_rcExclude.PtInRect(ptScreen)) {
                    CloseMenu(FALSE);
                    return TRUE;
                }
            }
            return FALSE;
        }
        if (nHit == kExpandButton) {
            if ((m_bState & kHasHidden) != 0 && (m_bState & kExpanded) == 0)
                ExpandMenu();
            return TRUE;
        }
        if (message == WM_LBUTTONUP)
            return FALSE;
        CloseMenu(FALSE);
        return TRUE;
    }
    if (!bRelease)
        return TRUE;
    MENUITEMDATA& item = m_items[nHit];
    if (item.IsSeparator() || (item.IsCommand() && !item.IsEnabled())) {
        // A disabled item ends the tracking without a command.
        PopupBarTrackingBridge::EndAllBarMenuTracking();
        CloseTrackedMenus();
        return TRUE;
    }
    if (item.HasInplaceEdit() && !item.IsSubmenu()) {
        if (!IsContextHelpMode()) {
            SetFocusedMenu();
            SetCurrentItem(nHit, FALSE, TRUE, TRUE);
            if ((m_items[nHit].m_bFlags3 & MENUITEMDATA::kEditOnClick) != 0)
                ShowInplaceEdit(nHit);
        }
        return TRUE;
    }
    if (item.IsSubmenu()) {
        if (item.m_pSubmenu != nullptr && ::IsWindow(item.m_pSubmenu->m_hWnd))
            return FALSE;
        if (item.HasInplaceEdit() && (bOnArrow || (item.m_bFlags3 & MENUITEMDATA::kEditOnClick) == 0))
            ReleaseCurrentItem(FALSE);
        SetCurrentItem(nHit, TRUE, TRUE, TRUE);
        return TRUE;
    }
    if (item.IsCommand()) {
        InvokeItem(nHit);
        return TRUE;
    }
    CloseMenu(FALSE);
    return TRUE;
}

BOOL CUiPopupMenuWnd::OnTrackKeyDown(UINT nChar, UINT, UINT nFlags, bool& bPassOn)
{
    if (!::IsWindow(m_hWnd) || !IsAnimationEnded() || !IsTrackingLive() || IsAnyMenuAnimating())
        return TRUE;
    const bool bOnEditItem = m_nCurIndex >= 0 && m_nCurIndex < ItemGetCount() && m_items[m_nCurIndex].HasInplaceEdit();
    const HWND hFocus = ::GetFocus();
    if (IsOwnChild(hFocus) && !(nChar == VK_RETURN && bOnEditItem))
        return OnInplaceEditKey(nChar, nFlags, hFocus, bPassOn);
    const bool bBarTracking = PopupBarTrackingBridge::g_bButtonMenuTracking;
    const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (nChar) {
    case VK_RETURN:
        if (bOnEditItem) {
            const MENUITEMDATA& item = m_items[m_nCurIndex];
            CWnd* pEdit = item.m_pInplaceEdit;
            if (pEdit != nullptr && ::IsWindow(pEdit->GetSafeHwnd()) &&
                (item.m_bFlags3 & MENUITEMDATA::kEditOnClick) != 0) {
                // A shown edit gets its Enter itself.
                if (pEdit->IsWindowVisible()) {
                    bPassOn = true;
                    return FALSE;
                }
                ShowInplaceEdit(m_nCurIndex);
                return TRUE;
            }
            if (!item.IsSubmenu())
                return OnTrackKeyDown(VK_RIGHT, 1, 0, bPassOn);
        }
        if (m_nCurIndex >= 0) {
            if (m_items[m_nCurIndex].IsSubmenu())
                return OnTrackKeyDown(VK_RIGHT, 1, 0, bPassOn);
            InvokeItem(m_nCurIndex);
        }
        return TRUE;
    case VK_MENU:
    case VK_ESCAPE:
        EndTrackingWithCommand(0, NULL);
        return TRUE;
    case VK_SPACE:
        return TRUE;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (nChar == VK_DOWN && bCtrl && (m_bState & kHasHidden) != 0) {
            ExpandMenu();
            return TRUE;
        }
        const int nDirection = nChar == VK_UP ? 3 : nChar == VK_DOWN ? 2 : nChar == VK_PRIOR ? 4 : 5;
        const int nNext = GetNextItemIndex(nDirection);
        if (nNext == kExpandButton) {
            const int nFormer = m_nCurIndex;
            ExpandMenu();
            if (nFormer >= 0) {
                SetCurrentItem(nFormer, FALSE, !IsAnyMenuAnimating(), FALSE);
                const int nAfter = GetNextItemIndex(2);
                if (nAfter >= 0)
                    SetCurrentItem(nAfter, FALSE, !IsAnyMenuAnimating(), FALSE);
            }
            return TRUE;
        }
        if (nNext >= 0 && nNext != m_nCurIndex) {
            SetCurrentItem(nNext, FALSE, TRUE, TRUE);
            return TRUE;
        }
        return FALSE;
    }
    case VK_LEFT:
        if (m_pParent == nullptr) {
            if (bBarTracking && ::IsWindow(m_hWndReceiver))
                ::PostMessageA(m_hWndReceiver, g_nMsgPopupPrev, 0, 0);
            return TRUE;
        }
        {
            CUiPopupMenuWnd* pParent = m_pParent;
            const int nIndex = pParent->m_nCurIndex;
            pParent->ReleaseCurrentItem(FALSE);   // closes this submenu
            pParent->SetCurrentItem(nIndex, FALSE, TRUE, FALSE);
            pParent->SetFocusedMenu();
        }
        return TRUE;
    case VK_RIGHT:
        if (m_nCurIndex >= 0 && m_items[m_nCurIndex].IsSubmenu() && m_items[m_nCurIndex].m_pSubmenu != nullptr) {
            if (!::IsWindow(m_items[m_nCurIndex].m_pSubmenu->m_hWnd)) {
                SetSubMenuTimer(-1);
                SetCurrentItem(m_nCurIndex, TRUE, TRUE, TRUE);
            }
            return FALSE;
        }
        if (bBarTracking && ::IsWindow(m_hWndReceiver))
            ::PostMessageA(m_hWndReceiver, g_nMsgPopupNext, 0, 0);
        return TRUE;
    default:
        break;
    }
    if (bShift || bCtrl)
        return FALSE;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    WORD wChar = 0;
    const UINT nScan = ::MapVirtualKeyA(nChar, 0);
    if (::ToAsciiEx(nChar, nScan, keys, &wChar, 0, ::GetKeyboardLayout(0)) != 1)
        return FALSE;
    const UINT ch = (BYTE)wChar;
    const int nFound = ItemFindByAccessChar(ch, m_nCurIndex);
    if (nFound < 0) {
        if (m_nCurIndex >= 0 && m_items[m_nCurIndex].m_cAccessChar != 0 &&
            m_items[m_nCurIndex].m_cAccessChar == (BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)ch)) {
            InvokeItem(m_nCurIndex);
            return TRUE;
        }
        return FALSE;
    }
    SetCurrentItem(nFound, TRUE, TRUE, TRUE);
    if (ItemFindByAccessChar(ch, nFound) < 0 && !m_items[nFound].IsSubmenu())
        InvokeItem(nFound);
    return TRUE;
}

void CUiPopupMenuWnd::OnTimer(UINT_PTR nIDEvent)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (::IsWindow(m_hWnd))
        ScreenToClient(&ptCursor);
    switch (nIDEvent) {
    case kSubmenuTimer:
        if (IsAnyMenuAnimating())
            return;
        KillTimer(kSubmenuTimer);
        if (IsTrackingLive() && m_nPendingSubmenu >= 0 && m_nPendingSubmenu < ItemGetCount()) {
            CRect rc;
            GetItemRect(m_nPendingSubmenu, rc);
            if (rc.PtInRect(ptCursor)) {
                const int nIndex = m_nPendingSubmenu;
                m_nPendingSubmenu = -1;
                SetCurrentItem(nIndex, TRUE, TRUE, FALSE);
                return;
            }
        }
        m_nPendingSubmenu = -1;
        return;
    case kScrollTimer: {
        SetSubMenuTimer(-1);
        if (m_nCurIndex >= 0)
            ReleaseCurrentItem(TRUE);
        m_nScrollStep = m_rcScrollUp.PtInRect(ptCursor) ? 5 : m_rcScrollDown.PtInRect(ptCursor) ? -5 : 0;
        m_nScrollPos += m_nScrollStep;
        const int nMax = GetMaxScrollPos();
        if (m_nScrollPos > 0 || m_nScrollPos < nMax || m_nScrollStep == 0) {
            m_nScrollPos = std::min(0, std::max(nMax, m_nScrollPos));
            KillTimer(kScrollTimer);
            m_nScrollStep = 0;
            if (m_nCurIndex == kScrollUp || m_nCurIndex == kScrollDown)
                m_nCurIndex = -1;
        }
        InvalidateRect(nullptr, FALSE);
        return;
    }
    case kExpandTimer:
        if (m_nExpandHover < 1500) {
            if (m_nExpandHover <= 1)
                m_nExpandHover = 0;
            m_nExpandHover += 50;
            return;
        }
        KillTimer(kExpandTimer);
        m_nExpandHover = 0;
        if ((m_bState & kHasHidden) != 0 && (m_bState & kExpanded) == 0 && !IsAnyMenuAnimating() &&
            HitTestItem(ptCursor) == kExpandButton)
            ExpandMenu();
        return;
    default:
        CUiPopupBaseWnd::OnTimer(nIDEvent);
    }
}

void CUiPopupMenuWnd::OnAnimationEnded()
{
    if (GetTrackingState().m_pAnimating == this)
        GetTrackingState().m_pAnimating = nullptr;
}

void CUiPopupMenuWnd::StartAnimation()
{
    if (IsNestedTracking())
        return;
    SetSubMenuTimer(-1);
    HideTip(FALSE);
    CUiPopupBaseWnd::StartAnimation();
    GetTrackingState().m_pAnimating = IsAnimationEnded() ? nullptr : this;
}

void CUiPopupMenuWnd::ResetAnimationSurfaces()
{
    CUiPopupBaseWnd::ResetAnimationSurfaces();
    if (::IsWindow(m_hWnd)) {
        InvalidateRect(nullptr, FALSE);
        SetFocusedMenu();
    }
}

void CUiPopupMenuWnd::OnActivateApp(BOOL bActive, DWORD)
{
    // An in-place edit taking the focus activates the menu, and with it an inactive
    // application: only leaving the application closes the menu.
    if (!bActive)
        CloseMenu(FALSE);
}

void CUiPopupMenuWnd::OnCancelMode()
{
    if (IsNestedTracking())
        return;
    const bool bBar = PopupBarTrackingBridge::g_bButtonMenuTracking;
    CloseTrackedMenus();
    if (bBar)
        PopupBarTrackingBridge::EndAllBarMenuTracking();
}

void CUiPopupMenuWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (::IsWindow(m_hWnd) && IsNestedTracking() && bShow)
        PaintNow();
}

BOOL CUiPopupMenuWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!IsContextHelpMode() && ::IsWindow(m_hWnd)) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        bool bOnEdit = false;
        const int nHit = HitTestItem(pt, &bOnEdit);
        if (nHit >= 0 && bOnEdit && (m_items[nHit].m_bFlags3 & MENUITEMDATA::kEditOnClick) != 0) {
            ::SetCursor(::LoadCursorA(NULL, IDC_IBEAM));
            return TRUE;
        }
    }
    return CUiPopupBaseWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CUiPopupMenuWnd::OnMouseMove(UINT, CPoint)
{
}

void CUiPopupMenuWnd::OnLButtonDown(UINT, CPoint)
{
}

void CUiPopupMenuWnd::OnRButtonDown(UINT, CPoint)
{
}
