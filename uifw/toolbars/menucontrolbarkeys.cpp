// The menu bar's keyboard protocol and its system menus. Alt alone enters keyboard mode (a
// button highlighted, no menu open); arrows move the highlight or open the menu; Alt with an
// access character opens the matching menu of this bar or of another toolbar of the frame;
// Alt+Space opens the frame's system menu and, in an MDI frame, Alt+minus the active child's.
// Left and Right inside an open menu run round the ring: frame system menu, child system
// menu, first menu ... last menu.
//
// g_bAltKeyConsumed remembers that the current Alt press served something else (a
// combination, a command, an activation), so that its release enters no keyboard mode.
#include "menucontrolbar.h"

#include "mdibuttons.h"
#include "popupmenuwnd.h"

namespace {

bool IsKeyMessage(UINT nMessage)
{
    return nMessage == WM_KEYDOWN || nMessage == WM_KEYUP || nMessage == WM_SYSKEYDOWN || nMessage == WM_SYSKEYUP;
}

bool IsMdiWindowCommand(UINT nId)
{
    return (nId >= 0xE130 && nId <= 0xE135) || nId == 0xE150 || nId == 0xE151;
}

bool IsMdiMessage(UINT nMessage)
{
    switch (nMessage) {
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
    case WM_MDIRESTORE:
    case WM_MDIMAXIMIZE:
    case WM_MDITILE:
    case WM_MDICASCADE:
    case WM_MDIICONARRANGE:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- Keyboard highlight.

CComboBox* CUiMenuControlBar::FindDroppedCombo()
{
    HWND hFocus = ::GetFocus();
    for (HWND hWnd : {hFocus, hFocus != NULL ? ::GetParent(hFocus) : (HWND)NULL}) {
        CWnd* pWnd = hWnd != NULL ? CWnd::FromHandlePermanent(hWnd) : nullptr;
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CComboBox)))
            continue;
        if ((pWnd->GetStyle() & 0x3) != 0 && pWnd->SendMessage(CB_GETDROPPEDSTATE) != 0)
            return static_cast<CComboBox*>(pWnd);
        return nullptr;
    }
    return nullptr;
}

void CUiMenuControlBar::CancelFocusWindowMode()
{
    if (CUiPopupMenuWnd::IsTrackingMenu())
        return;
    const HWND hFocus = ::GetFocus();
    if (hFocus != NULL)
        ::SendMessage(hFocus, WM_CANCELMODE, 0, 0);
}

void CUiMenuControlBar::OnMenuBarFocus(bool bRepaint)
{
    if (m_nFlatTrackingIndex < 0 && m_nOldFlatTrackingIndex < 0) {
        m_bFlatTracking = false;
        return;
    }
    if (CComboBox* pCombo = FindDroppedCombo())
        pCombo->SendMessage(CB_SHOWDROPDOWN, FALSE);
    if (m_bFlatTracking) {
        if (m_nFlatTrackingIndex == m_nOldFlatTrackingIndex)
            return;
        if (CUiBarButton* pOld = GetButton(m_nOldFlatTrackingIndex)) {
            pOld->ModifyStyle(0, TBBS_PRESSED | TBBS_CHECKED);
            if (bRepaint)
                InvalidateButton(m_nOldFlatTrackingIndex);
        }
        if (CUiBarButton* pNew = GetButton(m_nFlatTrackingIndex)) {
            pNew->ModifyStyle(TBBS_PRESSED, 0);
            if (bRepaint)
                InvalidateButton(m_nFlatTrackingIndex);
        }
        m_nOldFlatTrackingIndex = m_nFlatTrackingIndex;
        UpdateWindow();
        return;
    }
    if (CUiBarButton* pButton = GetButton(m_nFlatTrackingIndex)) {
        pButton->ModifyStyle(0, TBBS_PRESSED);
        if (bRepaint) {
            InvalidateButton(m_nFlatTrackingIndex);
            UpdateWindow();
        }
    }
    m_nFlatTrackingIndex = m_nOldFlatTrackingIndex = -1;
}

void CUiMenuControlBar::LeaveKeyboardMode(bool bRepaint)
{
    m_bFlatTracking = false;
    OnMenuBarFocus(bRepaint);
}

// ---- Posted track requests.

bool CUiMenuControlBar::TrackButtonMenu(int nIndex, bool, bool)
{
    if (g_bMenuTracking && nIndex == m_nMenuTrackingIndex)
        return true;
    if (!IsVisibleInLayout())
        return false;
    LeaveKeyboardMode(true);
    PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, 0);
    return true;
}

LRESULT CUiMenuControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM)
{
    CWnd* pOwner = GetMenuOwnerWnd();
    if ((pOwner != nullptr && !pOwner->IsWindowEnabled()) || GetButtonsCount() == 0)
        return 0;
    const int nIndex = (int)wParam;
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr) {
        if (m_bFlatTracking)
            LeaveKeyboardMode(true);
        EndAllBarMenuTracking();
        return 0;
    }
    if (pButton->IsAbleToTrackMenu(false) && CUiPopupMenuWnd::IsTrackingMenu()) {
        CUiToolControlBar::TrackButtonMenu(nIndex, true, false);
        return 0;
    }
    EndAllBarMenuTracking();
    if (HoldsCapture())
        ::ReleaseCapture();
    if (!m_bFlatTracking)
        CancelFocusWindowMode();
    m_bFlatTracking = true;
    m_nFlatTrackingIndex = nIndex;
    OnMenuBarFocus(true);
    return 0;
}

// ---- Keys.

bool CUiMenuControlBar::TranslateMenuKey(MSG* pMsg)
{
    if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()))
        return false;
    const UINT nMessage = pMsg->message;
    switch (nMessage) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        g_bAltKeyConsumed = true;
        return false;
    default:
        break;
    }
    const bool bBlocked = IsBlocked();
    if (m_bMdiMode && ((nMessage == WM_COMMAND && IsMdiWindowCommand(LOWORD(pMsg->wParam))) || IsMdiMessage(nMessage)) &&
        (bBlocked || IsDockSiteInPlaceActive()))
        return true;
    const bool bFrame = !(m_bBarFlags & kContained) && GetDockSiteFrame() != nullptr;
    const bool bPreview = bFrame && IsInPrintPreview();

    bool bCommonEnd = true;
    if (nMessage == WM_COMMAND) {
        if (HIWORD(pMsg->wParam) == 0)
            g_bAltKeyConsumed = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    } else if (nMessage == WM_CONTEXTMENU) {
        if (g_bMenuTracking || m_bFlatTracking || bBlocked)
            return true;
    } else if (IsKeyMessage(nMessage)) {
        bCommonEnd = false;
    }
    if (bCommonEnd) {
        if (m_bFlatTracking && !bBlocked && nMessage >= WM_LBUTTONDOWN && nMessage <= WM_MBUTTONDBLCLK)
            LeaveKeyboardMode(true);
        return false;
    }
    // Asked for keys only: it asks the system for the focus, and every message passes here.
    const bool bDroppedCombo = FindDroppedCombo() != nullptr;

    const bool bKeyUp = nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP;
    const UINT nKey = LOBYTE(pMsg->wParam);
    const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool bAlt = (pMsg->lParam & (1 << 29)) != 0;

    if (nKey == VK_MENU && !bCtrl && !bShift) {
        if (bBlocked)
            return true;
        if (bPreview || bDroppedCombo)
            return false;
        if (m_bFlatTracking) {
            if (bKeyUp)
                LeaveKeyboardMode(true);
            return true;
        }
        if (!bKeyUp) {
            g_bAltKeyConsumed = false;
            return false;
        }
        if (g_bAltKeyConsumed)
            return false;
        if (g_bMenuTracking || GetButtonsCount() == 0)
            return true;
        CancelFocusWindowMode();
        g_bMenuExpanded = false;
        if (bFrame) {
            const HWND hFrame = GetDockSiteFrame()->GetSafeHwnd();
            const HWND hForeground = ::GetForegroundWindow();
            if (hFrame != hForeground) {
                bool bRelated = (::GetWindowLong(hFrame, GWL_STYLE) & WS_CHILD) && ::IsChild(hForeground, hFrame);
                for (HWND h = ::GetParent(hForeground); h != NULL && !bRelated; h = ::GetParent(h))
                    bRelated = h == hFrame;
                if (!bRelated)
                    return true;
            }
        }
        TrackButtonMenu(0, false, false);
        return true;
    }

    const bool bMinus = nKey == VK_SUBTRACT || nKey == VK_OEM_MINUS;
    if (bFrame && bAlt && (nKey == VK_SPACE || (m_bMdiMode && bMinus))) {
        if (bBlocked || bKeyUp)
            return true;
        CWnd* pActive = CWnd::GetActiveWindow();
        if (pActive == nullptr || pActive->GetSafeHwnd() == NULL)
            return true;
        if (pActive->GetSafeHwnd() != GetDockSiteFrame()->GetSafeHwnd() && (pActive->GetStyle() & WS_POPUP))
            return true;
        g_bMenuExpanded = false;
        LeaveKeyboardMode(true);
        if (nKey == VK_SPACE) {
            TrackSystemMenuAt(nullptr, true);
            return true;
        }
        if (nMessage == WM_KEYDOWN || nMessage == WM_KEYUP)
            return true;
        if (GetActiveMdiChild(nullptr) != NULL) {
            if (IsDocButtonFirst()) {
                CancelFocusWindowMode();
                CUiToolControlBar::TrackButtonMenu(0, true, false);
            } else {
                TrackChildSystemMenu(nullptr, true);
            }
        } else {
            g_bAltKeyConsumed = true;
        }
        return true;
    }

    if ((bPreview || bDroppedCombo) && !bBlocked)
        return false;

    const bool bNavKey = nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP || nKey == VK_DOWN ||
                         nKey == VK_RETURN || nKey == VK_ESCAPE;
    if ((!bAlt && (!m_bFlatTracking || bNavKey)) || bBlocked) {
        if (!m_bFlatTracking || bBlocked)
            return false;
        if (bKeyUp)
            return true;
        switch (nKey) {
        case VK_RETURN:
        case VK_UP:
        case VK_DOWN: {
            CUiBarButton* pButton = GetButton(m_nFlatTrackingIndex);
            if (CUiPopupMenuWnd::IsTrackingMenu() || pButton == nullptr)
                return true;
            if (!pButton->IsAbleToTrackMenu()) {
                if (nKey == VK_RETURN && (int)pButton->GetCmdID(true) >= 1)
                    pButton->OnClick(CPoint(0, 0), false);
                return true;
            }
            const int nIndex = m_nFlatTrackingIndex;
            CancelFocusWindowMode();
            LeaveKeyboardMode(false);
            CUiToolControlBar::TrackButtonMenu(nIndex, true, false);
            return true;
        }
        case VK_ESCAPE:
            LeaveKeyboardMode(true);
            return true;
        case VK_LEFT:
        case VK_RIGHT: {
            int nNext = FindNextVisibleButton(m_nFlatTrackingIndex, nKey == VK_RIGHT, true);
            if (nNext >= GetButtonsCount())
                nNext = 0;
            else if (nNext < 0)
                nNext = GetButtonsCount() - 1;
            m_nFlatTrackingIndex = nNext;
            OnMenuBarFocus(true);
            return true;
        }
        default:
            OnMenuBarFocus(true);
            return true;
        }
    }

    if (bKeyUp)
        return true;
    return TranslateAccessKey(nKey, bAlt);
}

bool CUiMenuControlBar::TranslateAccessKey(UINT nKey, bool bAltHeld)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    WORD wChar = 0;
    const int nChars = ::ToAsciiEx(nKey, ::MapVirtualKeyA(nKey, 0), state, &wChar, 1,
                                   ::GetKeyboardLayout(::GetCurrentThreadId()));
    if (nChars <= 0) {
        g_bAltKeyConsumed = true;
        return m_bFlatTracking;
    }
    char sz[2] = {(char)LOBYTE(wChar), 0};
    ::CharUpperA(sz);
    const UINT nChar = (BYTE)sz[0];
    (void)bAltHeld;
    int nIndex = FindButtonByAccessKey(nChar);
    if (nIndex >= 0)
        return ActivateAccessButton(this, nIndex);
    CArray<CUiToolControlBar*, CUiToolControlBar*> others;
    if (!(m_bBarFlags & kContained) || (GetParent() != nullptr && GetParent()->IsFrameWnd())) {
        CArray<CUiControlBar*, CUiControlBar*> bars;
        CollectBarsOfSameFrame(true, bars, 0xFFF, 0, 0);
        for (INT_PTR i = 0; i < bars.GetSize(); ++i)
            if (bars[i] != this && bars[i]->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) &&
                bars[i]->GetSafeHwnd() != NULL)
                others.Add(static_cast<CUiToolControlBar*>(bars[i]));
    } else if (CWnd* pParent = GetParent()) {
        for (HWND h = ::GetWindow(pParent->GetSafeHwnd(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CWnd* pWnd = CWnd::FromHandlePermanent(h);
            if (pWnd != nullptr && pWnd != this && pWnd->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) &&
                pWnd->IsWindowVisible())
                others.Add(static_cast<CUiToolControlBar*>(pWnd));
        }
    }
    for (INT_PTR i = 0; i < others.GetSize(); ++i) {
        nIndex = others[i]->FindButtonByAccessKey(nChar);
        if (nIndex >= 0)
            return ActivateAccessButton(others[i], nIndex);
    }
    g_bAltKeyConsumed = true;
    return false;
}

bool CUiMenuControlBar::ActivateAccessButton(CUiToolControlBar* pBar, int nIndex)
{
    CancelFocusWindowMode();
    LeaveKeyboardMode(true);
    CUiBarButton* pButton = pBar->GetButton(nIndex);
    if (pButton->IsAbleToTrackMenu()) {
        g_bMenuExpanded = false;
        pBar->CUiToolControlBar::TrackButtonMenu(nIndex, true, false);
    } else {
        g_bAltKeyConsumed = (::GetKeyState(VK_MENU) & 0x8000) != 0 || (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
        pButton->OnDeliverCmd();
    }
    return true;
}

// ---- Moving between menus.

void CUiMenuControlBar::OnPopupNextPrev(bool bNext, bool bFromChild)
{
    const bool bBlocked = IsBlocked();
    const bool bPreview = IsFrameInPrintPreview(GetDockSiteFrame());
    if (bFromChild) {
        if (!bNext) {
            if (!bBlocked)
                TrackSystemMenuAt(nullptr, true);
            return;
        }
        int nFrom = m_nMenuTrackingIndex;
        if (nFrom < 0 && !m_bSysMenuTracking)
            return;
        if (m_nMenuTrackingIndex < 0 || IsDocButtonFirst())
            nFrom = IsDocButtonFirst() ? 0 : -1;
        const int nFirst = FindNextVisibleButton(nFrom, true, true);
        if (nFirst >= 0)
            CUiToolControlBar::TrackButtonMenu(nFirst, true, false);
        return;
    }
    if (m_nMenuTrackingIndex >= 0 || bPreview) {
        const int nLast = FindNextVisibleButton(-1, false, true);
        const int nFirstMenu = IsDocButtonFirst() ? 0 : FindNextVisibleButton(GetButtonsCount() - 1, true, true);
        if (bNext && m_nMenuTrackingIndex == nLast) {
            if (!bBlocked)
                TrackSystemMenuAt(nullptr, true);
            return;
        }
        if (!bNext && m_nMenuTrackingIndex == nFirstMenu && IsMdiButtonsEnabled()) {
            if (bBlocked)
                return;
            if (!(m_bMdiMode && !bPreview && GetActiveMdiChild(nullptr) != NULL && TrackChildSystemMenu(nullptr, true)))
                TrackSystemMenuAt(nullptr, true);
            return;
        }
        const int nOther = FindNextVisibleButton(m_nMenuTrackingIndex, bNext, true);
        if (nOther == m_nMenuTrackingIndex || bPreview)
            return;
        CUiToolControlBar::TrackButtonMenu(nOther, true, false);
        return;
    }
    if (!m_bSysMenuTracking)
        return;
    if (bNext && m_bMdiMode && GetActiveMdiChild(nullptr) != NULL && IsMdiButtonsEnabled()) {
        TrackChildSystemMenu(nullptr, true);
        return;
    }
    const int nIndex = bNext ? FindNextVisibleButton(GetButtonsCount() - 1, true, true)
                             : FindNextVisibleButton(0, false, true);
    if (nIndex >= 0)
        CUiToolControlBar::TrackButtonMenu(nIndex, true, false);
}

// ---- System menus from the mouse.

bool CUiMenuControlBar::OnFrameNcMouse(UINT nMessage, WPARAM wParam)
{
    const bool bIcon = wParam == HTSYSMENU, bCaption = wParam == HTCAPTION;
    if ((nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN) && bIcon)
        return true;
    POINT pt;
    if (nMessage == WM_NCRBUTTONDOWN && bCaption) {
        g_bMenuExpanded = false;
        if (!IsBlocked() && ::GetCursorPos(&pt))
            TrackSystemMenuAt(&pt, false);
        return true;
    }
    if ((nMessage == WM_NCLBUTTONUP && bIcon) || (nMessage == WM_NCRBUTTONUP && (bIcon || bCaption))) {
        g_bMenuExpanded = false;
        if (IsBlocked())
            return true;
        if (nMessage == WM_NCRBUTTONUP) {
            if (::GetCursorPos(&pt))
                TrackSystemMenuAt(&pt, false);
        } else {
            TrackSystemMenuAt(nullptr, false);
        }
        return true;
    }
    return false;
}

bool CUiMenuControlBar::OnChildNcMouse(HWND hWndChild, UINT nMessage, WPARAM wParam)
{
    const bool bIcon = wParam == HTSYSMENU, bCaption = wParam == HTCAPTION;
    const bool bRight = nMessage == WM_NCRBUTTONDOWN || nMessage == WM_NCRBUTTONUP;
    bool bOpen = false;
    if (::IsIconic(hWndChild)) {
        if (bCaption && nMessage == WM_NCLBUTTONUP)
            return true;
        bOpen = bCaption && nMessage == WM_NCLBUTTONDOWN;
    } else {
        if (bIcon && (nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN))
            return true;
        bOpen = (nMessage == WM_NCLBUTTONUP && bIcon) || (nMessage == WM_NCRBUTTONUP && (bIcon || bCaption)) ||
                (nMessage == WM_NCRBUTTONDOWN && bCaption);
    }
    if (!bOpen)
        return false;
    g_bMenuExpanded = false;
    if (!IsBlocked()) {
        POINT pt;
        const bool bHavePoint = bRight && ::GetCursorPos(&pt);
        TrackChildSystemMenu(bHavePoint ? &pt : nullptr, false);
    }
    return true;
}

// ---- System menus.

bool CUiMenuControlBar::TrackSystemMenuAt(const POINT* pPoint, bool bSelectFirst)
{
    g_bMenuTracking = true;
    SetMenuTrackingButton(-1);
    m_bSysMenuTracking = TrackFrameSystemMenu(GetDockSiteFrame(), pPoint, bSelectFirst, nullptr, (UINT)-1, false);
    return m_bSysMenuTracking;
}

bool CUiMenuControlBar::TrackChildSystemMenu(const POINT* pPoint, bool bSelectFirst)
{
    if (!m_bMdiMode)
        return false;
    if (IsDocButtonFirst()) {
        CancelFocusWindowMode();
        return TrackButtonMenu(0, bSelectFirst, false);
    }
    const HWND hChild = GetActiveMdiChild(nullptr);
    CWnd* pChild = hChild != NULL ? CWnd::FromHandlePermanent(hChild) : nullptr;
    if (pChild == nullptr)
        return false;
    g_bMenuTracking = true;
    SetMenuTrackingButton(-1);
    m_bSysMenuTracking = TrackFrameSystemMenu(pChild, pPoint, bSelectFirst, nullptr, (UINT)-1, false);
    return m_bSysMenuTracking;
}

bool CUiMenuControlBar::TrackFrameSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst,
                                             const RECT* pExclude, UINT nFlags, bool bJoinedPaint)
{
    LeaveKeyboardMode(true);
    if (nFlags == (UINT)-1)
        nFlags = 6;
    const bool bWasTracking = g_bMenuTracking;
    const int nWasIndex = m_nMenuTrackingIndex;
    EndAllBarMenuTracking();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == NULL)
        return false;
    const HWND hWnd = pWnd->GetSafeHwnd();
    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hSysMenu == NULL)
        return false;
    CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
    if (!pPopup->InitRootMenu(hWnd) || !pPopup->LoadMenu(hWnd, hSysMenu, FALSE, TRUE)) {
        delete pPopup;
        return false;
    }
    POINT pt;
    if (pPoint != nullptr) {
        pt = *pPoint;
    } else {
        RECT rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        POINT ptClient = {0, 0};
        ::ClientToScreen(hWnd, &ptClient);
        pt.x = rcWindow.left + ::GetSystemMetrics(SM_CXFRAME);
        pt.y = ptClient.y;
    }
    if (bSelectFirst)
        nFlags |= CUiPopupMenuWnd::kSelectFirst;
    if (bWasTracking)
        nFlags |= CUiPopupMenuWnd::kShowAll;
    ::SetFocus(hWnd);
    g_bMenuTracking = bSelectFirst ? bWasTracking : false;
    if (nWasIndex >= 0)
        SetMenuTrackingButton(nWasIndex);
    const BOOL bTracked =
        bJoinedPaint ? pPopup->TrackMenu(nFlags | 0x820, pt.x, pt.y, pExclude, this,
                                         &CUiToolControlBar::PaintTrackedButtonCallback)
                     : pPopup->TrackMenu(nFlags | 0x820, pt.x, pt.y, pExclude);
    if (!bTracked) {
        delete pPopup;
        EndAllBarMenuTracking();
        return false;
    }
    g_bMenuTracking = true;
    return true;
}
