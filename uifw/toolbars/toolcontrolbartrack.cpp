// The toolbar and the mouse: the hit test, the hot and the pressed button with the capture,
// clicks, the button menus passed from button to button, the end of every open button menu,
// the context-help loop over an open menu and the keyboard lookups of the menu bar.
//
// While the base drags or resizes the bar (its drag and resize bits) every mouse handler
// here leaves the message to the base.
#include "toolcontrolbar.h"

#include <cmath>

#include "mdibuttons.h"
#include "popupmenuwnd.h"
#include "popuptrackingstate.h"

bool CUiToolControlBar::IsBarDragActive() const
{
    return (m_bTrackFlags & (kRowResizing | kRowSplitting | kDragging)) != 0;
}

bool CUiToolControlBar::HoldsCapture() const
{
    return GetSafeHwnd() != NULL && ::GetCapture() == GetSafeHwnd();
}

// ---- Hit tests.

int CUiToolControlBar::HitTestButtonEx(int x, int y, DWORD dwRequired, DWORD dwExcluded, bool bNearest) const
{
    if (GetSafeHwnd() == NULL)
        return -1;
    if (!bNearest && HoldsCapture()) {
        CPoint pt(x, y);
        ClientToScreen(&pt);
        if (::WindowFromPoint(pt) != GetSafeHwnd())
            return -1;
    }
    const bool bAligned = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    int nBest = -1, nBestDistance = 0;
    bool bInLineMet = false;
    for (int i = 0; i < GetButtonsCount(); ++i) {
        CUiBarButton* pButton = m_arrButtons[i];
        const DWORD dwStyle = pButton->GetStyle();
        if (!pButton->IsVisible() || !IsButtonInLayout(i) || (dwStyle & dwRequired) != dwRequired ||
            (dwStyle & dwExcluded) != 0)
            continue;
        const CRect rc = pButton->GetRect();
        if (rc.PtInRect(CPoint(x, y)))
            return i;
        if (!bNearest)
            continue;
        const CPoint ptCentre = rc.CenterPoint();
        const double dx = x - ptCentre.x, dy = y - ptCentre.y;
        const int nDistance = (int)std::sqrt(dx * dx + dy * dy);
        const bool bInLine = bAligned ? (rc.top <= y && y <= rc.bottom) : (rc.left <= x && x <= rc.right);
        if (bInLine && !bInLineMet) {
            bInLineMet = true;
            nBest = i;
            nBestDistance = nDistance;
            continue;
        }
        if (bInLineMet && !bInLine)
            continue;
        if (nBest < 0 || nDistance < nBestDistance) {
            nBest = i;
            nBestDistance = nDistance;
        }
    }
    return bNearest ? nBest : -1;
}

int CUiToolControlBar::HitTestButton(int x, int y) const
{
    return HitTestButtonEx(x, y, 0, TBBS_SEPARATOR, false);
}

// ---- Hot button and mouse moves.

bool CUiToolControlBar::UpdateHotButton(int x, int y)
{
    if (x < 0 || y < 0) {
        POINT pt;
        if (!::GetCursorPos(&pt) || !::ScreenToClient(GetSafeHwnd(), &pt))
            return false;
        x = pt.x;
        y = pt.y;
    }
    const CPoint point(x, y);
    int nCandidate = -1;
    if (CUiPopupMenuWnd::HoverTestWindowChain(GetSafeHwnd(), ::GetActiveWindow(), true, true, true) ||
        CUiPopupMenuWnd::IsTrackingMenu())
        nCandidate = HitTestButton(x, y);
    if (nCandidate == m_nHotIndex)
        return false;
    const int nOld = m_nHotIndex;
    m_nHotIndex = -1;
    if (CUiBarButton* pOld = GetButton(nOld)) {
        pOld->SetHover(false);
        InvalidateButton(nOld);
        UpdateWindow();
        pOld->OnHover(point, false);
    }
    CUiBarButton* pNew = GetButton(nCandidate);
    if (pNew != nullptr && IsFrameInHelpMode(this)) {
        // In help mode only a menu button that opened its menu for the help choice is hot.
        if (pNew->IsAbleToTrackMenu() && pNew->OnHelpHitTest(point) == -3)
            m_nHotIndex = nCandidate;
    } else if (pNew != nullptr) {
        m_nHotIndex = nCandidate;
    }
    CUiBarButton* pHot = GetButton(m_nHotIndex);
    if (pHot == nullptr)
        return true;
    // While a bar's menu is open, a disabled button or the MDI child's right button may be
    // the hot one but is not drawn so.
    if ((pHot->IsDisabled() || pHot->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton))) && g_bMenuTracking)
        return true;
    pHot->SetHover(true);
    InvalidateButton(m_nHotIndex);
    UpdateWindow();
    pHot->OnHover(point, true);
    return true;
}

bool CUiToolControlBar::ProcessMouseMove(UINT nFlags, int x, int y)
{
    if (CUiPopupMenuWnd::IsTrackingMenu() && !g_bMenuTracking)
        return true;
    if (IsBarDragActive()) {
        CUiControlBar::HandleMouseMove(nFlags, x, y);
        return true;
    }
    if (m_nPressedIndex >= 0) {
        const int nPressed = m_nPressedIndex;
        DWORD dwStyle = GetButtonStyle(nPressed) & ~TBBS_PRESSED;
        if (HoldsCapture()) {
            if (HitTestButton(x, y) == nPressed)
                dwStyle |= TBBS_PRESSED;
        } else {
            m_nPressedIndex = -1;
        }
        SetButtonStyle(nPressed, dwStyle);
        UpdateWindow();
        return true;
    }
    const bool bChanged = UpdateHotButton(x, y);
    if (HoldsCapture() && m_nHotIndex < 0 && m_nPressedIndex < 0 && m_nMenuTrackingIndex < 0) {
        POINT pt;
        if (::GetCursorPos(&pt) && ::WindowFromPoint(pt) != GetSafeHwnd())
            ::ReleaseCapture();
    }
    if (bChanged)
        return true;
    CUiControlBar::HandleMouseMove(nFlags, x, y);
    return true;
}

bool CUiToolControlBar::HandleMouseMove(UINT nFlags, int x, int y)
{
    return ProcessMouseMove(nFlags, x, y);
}

// ---- Press and release.

void CUiToolControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Outside the buttons (the gripper, the bar's ends) a press drags the bar.
    if (IsBarDragActive()) {
        CUiControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    MoveFocusToFrame();
    m_nPressedIndex = HitTestButton(point.x, point.y);
    if (m_nPressedIndex < 0) {
        CUiControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    const int nIndex = m_nPressedIndex;
    UpdateButtonCmdUI(nIndex);
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->IsDisabled() || nIndex == m_nMenuTrackingIndex) {
        m_nPressedIndex = -1;
        return;
    }
    pButton->ModifyStyle(TBBS_PRESSED, 0);
    pButton->SetTrackingPressed();
    InvalidateButton(nIndex);
    UpdateWindow();
    CWnd* pCtrl = pButton->GetCtrl();
    const HWND hCtrl = pCtrl != nullptr ? pCtrl->GetSafeHwnd() : NULL;
    const HWND hBar = GetSafeHwnd();
    pButton->OnClick(point, true);
    if (!::IsWindow(hBar))
        return;
    if (g_bMenuTracking || (hCtrl != NULL && (!::IsWindow(hCtrl) || ::IsWindowVisible(hCtrl))))
        m_nPressedIndex = -1;
    else
        CUiMouseCaptureSink::SetCapture(hBar);
}

void CUiToolControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if ((m_nPressedIndex < 0 && m_nHotIndex < 0) || IsBarDragActive()) {
        CUiControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nHot = m_nHotIndex;
    CUiBarButton* pHot = GetButton(nHot);
    m_nHotIndex = -1;
    int nPressed = m_nPressedIndex;
    CUiBarButton* pPressed = GetButton(nPressed);
    DWORD dwNew = 0;
    bool bClick = false;
    if (pPressed != nullptr) {
        if (pPressed->IsTrackingPressed()) {
            pPressed->ClearTrackingPressed();
            InvalidateButton(nPressed);
        }
        m_nPressedIndex = -1;
        // A release elsewhere keeps the other state bits: only the press goes.
        dwNew = pPressed->GetStyle() & ~TBBS_PRESSED;
        if (HitTestButton(point.x, point.y) == nPressed) {
            UpdateButtonCmdUI(nPressed);
            if (!pPressed->IsDisabled() && (dwNew & TBBS_CHECKBOX)) {
                if (dwNew & TBBS_INDETERMINATE)
                    dwNew &= ~TBBS_INDETERMINATE;
                dwNew ^= TBBS_CHECKED;
            }
            bClick = true;
        }
    }
    if (HoldsCapture())
        ::ReleaseCapture();
    const HWND hBar = GetSafeHwnd();
    if (bClick) {
        if (GetButton(nPressed) == pPressed) {
            pPressed->OnClick(point, false);
            if (!::IsWindow(hBar))
                return;
        } else {
            nPressed = -1;
        }
    }
    if (!g_bMenuTracking && pPressed != nullptr && nPressed >= 0 && GetButton(nPressed) == pPressed) {
        SetButtonStyle(nPressed, dwNew);
        UpdateButtonCmdUI(nPressed);
    }
    if (pHot != nullptr && GetButton(nHot) == pHot) {
        pHot->SetHover(false);
        pHot->OnHover(point, false);
        InvalidateButton(nHot);
    }
    UpdateWindow();
}

void CUiToolControlBar::OnCancelMode()
{
    CUiControlBar::OnCancelMode();
    bool bAny = false;
    if (CUiBarButton* pPressed = GetButton(m_nPressedIndex)) {
        if (m_nPressedIndex != m_nMenuTrackingIndex)
            pPressed->ModifyStyle(0, TBBS_PRESSED);
        pPressed->ClearTrackingPressed();
        bAny = true;
    }
    m_nPressedIndex = -1;
    if (CUiBarButton* pHot = GetButton(m_nHotIndex)) {
        pHot->SetHover(false);
        m_nHotIndex = -1;
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        pHot->OnHover(pt, false);
        bAny = true;
    }
    m_nHotIndex = -1;
    if (!bAny)
        return;
    if (HoldsCapture())
        ::ReleaseCapture();
    Invalidate();
    UpdateWindow();
}

void CUiToolControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if ((m_nPressedIndex >= 0 || m_nHotIndex >= 0) && (pWnd == nullptr || pWnd->GetSafeHwnd() != GetSafeHwnd()))
        SendMessage(WM_CANCELMODE);
    CUiControlBar::OnCaptureChanged(pWnd);
}

// ---- Button menus.

bool CUiToolControlBar::TrackButtonMenu(int nIndex, bool bSelectFirst, bool bDelayed)
{
    if (g_bMenuTracking && nIndex == m_nMenuTrackingIndex)
        return true;
    CUiBarButton* pButton = GetButton(nIndex);
    if (!IsVisibleInLayout() || pButton == nullptr || (pButton->GetStyle() & (TBBS_DISABLED | TBBS_HIDDEN)) ||
        !pButton->IsAbleToTrackMenu())
        return false;
    POINT pt;
    if (!::GetCursorPos(&pt))
        return false;
    ScreenToClient(&pt);
    if (bDelayed) {
        PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, 0);
        return true;
    }
    pButton->OnTrackPopup(pt, bSelectFirst);
    return true;
}

LRESULT CUiToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM)
{
    CWnd* pCounts = nullptr;
    if (m_bBarFlags & kContained) {
        pCounts = GetOwner();
        if (pCounts == nullptr)
            pCounts = GetParent();
    } else {
        pCounts = GetDockSiteFrame();
    }
    if (pCounts != nullptr && !pCounts->IsWindowEnabled())
        return 0;
    if (GetButtonsCount() == 0)
        return 0;
    const int nIndex = (int)wParam;
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr) {
        EndAllBarMenuTracking();
        return 0;
    }
    if (pButton->IsAbleToTrackMenu() && CUiPopupMenuWnd::IsTrackingMenu()) {
        TrackButtonMenu(nIndex, true, false);
        return 0;
    }
    EndAllBarMenuTracking();
    if (HoldsCapture())
        ::ReleaseCapture();
    return 0;
}

void CUiToolControlBar::SetMenuTrackingButton(int nIndex)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (m_nMenuTrackingIndex >= 0) {
        if (CUiBarButton* pOld = GetButton(m_nMenuTrackingIndex)) {
            pOld->SetStyle(pOld->GetStyle() & ~(TBBS_CHECKED | TBBS_PRESSED | TBBS_INDETERMINATE));
            pOld->ClearTrackingPressed();
            InvalidateButton(m_nMenuTrackingIndex);
        }
        m_nMenuTrackingIndex = -1;
    }
    if (CUiBarButton* pNew = GetButton(nIndex)) {
        m_nMenuTrackingIndex = nIndex;
        pNew->SetStyle((pNew->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_PRESSED);
        pNew->SetTrackingPressed();
        InvalidateButton(nIndex);
    }
    UpdateWindow();
}

void CUiToolControlBar::EndAllBarMenuTracking()
{
    g_bMenuTracking = false;
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); ++i) {
            CUiControlBar* pBar = g_arrAllBars[i];
            if (pBar->GetSafeHwnd() != NULL && pBar->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)))
                static_cast<CUiToolControlBar*>(pBar)->SetMenuTrackingButton(-1);
        }
    }
    PopupTrackingState& state = PopupTrackingState::Get();
    if (state.m_pRoot != nullptr && !state.IsEnding() && state.m_pRoot->GetSafeHwnd() != NULL)
        ::PostMessage(state.m_pRoot->GetSafeHwnd(), WM_CANCELMODE, 0, 0);
    CWnd::CancelToolTips();
}

// ---- Context help over an open button menu.

namespace {

int HelpIdOfSysCommand(WPARAM wParam)
{
    // Positions and sizes ride in the low four bits: the command is the rest.
    const UINT nCommand = (UINT)wParam & 0xFFF0;
    switch (nCommand) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
    case SC_TASKLIST:
        return (int)(0x1EF00 + ((nCommand - 0xF000) >> 4));
    default:
        return (int)wParam;
    }
}

void RemoveMessage(const MSG& msg)
{
    MSG removed;
    ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
}

} // namespace

int CUiToolControlBar::HelpModeMenuLoop()
{
    CFrameWnd* pSite = m_pDockSite;
    if (pSite == nullptr || !pSite->m_bHelpMode || g_bHelpLoopActive)
        return -3;
    g_bHelpLoopActive = true;
    const HWND hSite = pSite->GetSafeHwnd(), hBar = GetSafeHwnd();
    int nResult = -3;
    for (;;) {
        MSG msg;
        bool bEnded = false;
        while (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!::IsWindow(hSite) || !::IsWindow(hBar) || !pSite->m_bHelpMode) {
                bEnded = true;
                break;
            }
            ::WaitMessage();
        }
        if (bEnded)
            break;
        if (msg.hwnd != NULL) {
            CWnd* pWnd = CWnd::FromHandlePermanent(msg.hwnd);
            CUiControlBar* pCtlBar = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiControlBar))
                                         ? static_cast<CUiControlBar*>(pWnd)
                                         : nullptr;
            const int x = (short)LOWORD(msg.lParam), y = (short)HIWORD(msg.lParam);
            if (msg.message == WM_LBUTTONDOWN && pCtlBar != nullptr) {
                const int nHit = pCtlBar->HelpHitTestAt(x, y);
                if (nHit > 0) {
                    RemoveMessage(msg);
                    nResult = nHit;
                    break;
                }
            } else if (msg.message == WM_MOUSEMOVE && pCtlBar != nullptr) {
                bool bHandled = true;
                if (pCtlBar->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)))
                    bHandled = static_cast<CUiToolControlBar*>(pCtlBar)->ProcessMouseMove((UINT)msg.wParam, x, y);
                else
                    pCtlBar->HandleMouseMove((UINT)msg.wParam, x, y);
                if (bHandled) {
                    RemoveMessage(msg);
                    continue;
                }
            } else if (msg.message == WM_COMMAND && HIWORD(msg.wParam) <= 1) {
                RemoveMessage(msg);
                nResult = LOWORD(msg.wParam);
                break;
            } else if (msg.message == WM_SYSCOMMAND) {
                RemoveMessage(msg);
                nResult = HelpIdOfSysCommand(msg.wParam);
                break;
            }
        }
        if (!AfxGetThread()->PumpMessage())
            break;
    }
    g_bHelpLoopActive = false;
    return nResult;
}

// ---- Keyboard lookups.

int CUiToolControlBar::FindButtonByAccessKey(UINT nKey) const
{
    for (int i = 0; i < GetButtonsCount(); ++i) {
        CUiBarButton* pButton = m_arrButtons[i];
        if (pButton->IsSeparator() || !pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) ||
            pButton->IsKindOf(RUNTIME_CLASS(CUiBarContentExpandButton)) ||
            pButton->IsKindOf(RUNTIME_CLASS(CUiBarMdiDocButton)) || pButton->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton)))
            continue;
        const CString strText = pButton->GetText();
        const int nAmp = strText.Find('&');
        if (nAmp < 0 || nAmp + 1 >= strText.GetLength())
            continue;
        char sz[2] = {strText[nAmp + 1], 0};
        ::CharUpperA(sz);
        if ((BYTE)sz[0] == (BYTE)nKey)
            return i;
    }
    return -1;
}

int CUiToolControlBar::FindNextVisibleButton(int nIndex, bool bForward, bool bSkipDisabled) const
{
    const int nCount = GetButtonsCount();
    if (nCount == 0)
        return -1;
    if (nCount == 1)
        return 0;
    int i = nIndex;
    for (int nStep = 0; nStep < nCount; ++nStep) {
        i = bForward ? (i + 1 >= nCount ? 0 : i + 1) : (i - 1 < 0 ? nCount - 1 : i - 1);
        if (i == nIndex)
            return nIndex;
        CUiBarButton* pButton = m_arrButtons[i];
        if (!pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) || pButton->IsSeparator() ||
            pButton->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton)))
            continue;
        if (bSkipDisabled && pButton->IsDisabled())
            continue;
        return i;
    }
    return nIndex;
}
