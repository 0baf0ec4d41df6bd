// Tracking a popup menu: TrackMenu with its flags and its own loop, the command-update pass,
// preparing, placing and creating the window, and delivering the chosen command.
#include "popupmenuwnd.h"

#include "afxres.h"
#include "cmdmanager.h"
#include "commandstatustext.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupinplaceeditwnd.h"
#include "popupmenucmdui.h"
#include "popuptrackingstate.h"

namespace {

CWnd* ReceiverFrame(HWND hWndReceiver)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndReceiver);
    if (pWnd == nullptr)
        return nullptr;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return pWnd;
    return pWnd->GetParentFrame();
}

// Posts the command to the receiver: a registered command delivers itself (counting its use),
// any other id goes as WM_COMMAND.
void PostCommand(HWND hWndReceiver, HWND hWndTarget, UINT nCmdId)
{
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(hWndReceiver);
    CUiCmdItem* pCmd = pProfile != nullptr && nCmdId != 0 ? pProfile->CmdGetPtr(nCmdId) : nullptr;
    if (pCmd != nullptr)
        pCmd->Deliver(hWndTarget, false);
    else
        ::PostMessageA(hWndTarget, WM_COMMAND, nCmdId, 0);
}

} // namespace

PopupTrackingState& CUiPopupMenuWnd::GetTrackingState() const
{
    return PopupTrackingState::Get();
}

BOOL CUiPopupMenuWnd::IsTrackingMenu()
{
    return PopupTrackingState::Get().m_pRoot != nullptr;
}

void CUiPopupMenuWnd::CloseTrackedMenus()
{
    PopupTrackingState& state = PopupTrackingState::Get();
    if (state.m_pRoot != nullptr && !state.IsEnding())
        state.EndMenuTracking();
}

BOOL CUiPopupMenuWnd::PumpPendingMessages(BOOL bIdle)
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            // The application's loop must still see the quit, with its own exit code.
            ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
            ::PostQuitMessage((int)msg.wParam);
            return FALSE;
        }
        if (!AfxPumpMessage()) {
            CWinThread* pThread = AfxGetThread();
            ::PostQuitMessage(pThread != nullptr ? (int)pThread->m_msgCur.wParam : 0);
            return FALSE;
        }
    }
    CWinThread* pThread = AfxGetThread();
    for (LONG lCount = 0; bIdle && pThread != nullptr && pThread->OnIdle(lCount); ++lCount) {
    }
    return TRUE;
}

BOOL CUiPopupMenuWnd::IsNestedTracking() const
{
    if ((m_nTrackFlags & kNested) != 0)
        return TRUE;
    return m_pParent != nullptr ? m_pParent->IsNestedTracking() : FALSE;
}

BOOL CUiPopupMenuWnd::IsContextHelpMode() const
{
    if ((m_nTrackFlags & kHelpMode) != 0)
        return TRUE;
    return m_pParent != nullptr ? m_pParent->IsContextHelpMode() : FALSE;
}

BOOL CUiPopupMenuWnd::TrackMenu(UINT nFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                PopupTrackCallback pfnCallback, UINT* pResult, BOOL bCookieFlag)
{
    if (g_pfnTrackMenuHook != nullptr) {
        // The menu window's owner would be the receiver.
        const PopupTrackCall call = {this,    nFlags,      x,
                                     y,       pExclude,    pCookie,
                                     pfnCallback, pResult, bCookieFlag,
                                     m_hWndReceiver, m_hWndReceiver};
        UINT nChosen = 0;
        const int nAnswer = g_pfnTrackMenuHook(call, &nChosen);
        if (nAnswer == kHookRefuse)
            return FALSE;
        if (nAnswer == kHookChoose) {
            if (pResult != nullptr)
                *pResult = nChosen;
            if ((nFlags & kNoSend) == 0 && ::IsWindow(m_hWndReceiver))
                PostCommand(m_hWndReceiver, m_hWndReceiver, nChosen);
            PopupBarTrackingBridge::EndAllBarMenuTracking();
            delete this;
            return TRUE;
        }
    }
    if (pResult != nullptr)
        *pResult = 0;
    CWnd* pFrame = ReceiverFrame(m_hWndReceiver);
    if (pFrame != nullptr && static_cast<CFrameWnd*>(pFrame)->m_bHelpMode)
        nFlags |= kHelpMode;
    const bool bNested = (nFlags & kNested) != 0;
    if (bNested)
        nFlags = (nFlags & ~(UINT)0x08F0) | kShowAll | kNoSend | kNoUpdate | kNoShadow;
    HWND hFocus = ::GetFocus();
    for (int i = 0; i < 2 && hFocus != NULL; ++i, hFocus = ::GetParent(hFocus)) {
        CWnd* pFocus = CWnd::FromHandlePermanent(hFocus);
        if (pFocus != nullptr && pFocus->IsKindOf(RUNTIME_CLASS(CComboBox)) &&
            (pFocus->GetStyle() & 3) != 0 && ::SendMessageA(hFocus, CB_GETDROPPEDSTATE, 0, 0)) {
            ::SendMessageA(hFocus, CB_SHOWDROPDOWN, FALSE, 0);
            break;
        }
    }
    PopupTrackingState& state = GetTrackingState();
    if (state.m_pRoot != nullptr) {
        if (state.IsEnding())
            return FALSE;
        // A nested menu opens inside the running tracking; it must not end it.
        if (!bNested)
            state.EndMenuTracking();
    }
    const HWND hCapture = ::GetCapture();
    if (hCapture != NULL && CWnd::FromHandlePermanent(hCapture) != nullptr) {
        ::ReleaseCapture();
        if (::IsWindow(hCapture))
            ::SendMessageA(hCapture, WM_CANCELMODE, 0, 0);
    }
    if (!bNested) {
        state.BeginMenuTracking(this);
        if (pResult != nullptr)
            state.SetResultCmdIdPtr(pResult);
    }
    m_nTrackFlags = nFlags;
    if (!bNested)
        UpdateItemsCmdUI();
    if (!CreatePopupWindow(nFlags, x, y, pExclude, pCookie, pfnCallback, bCookieFlag)) {
        if (bNested)
            return FALSE;
        // Only the hooks and the state go; the caller keeps the menu.
        if (state.m_pRoot == this)
            state.m_pRoot = nullptr;
        state.EndMenuTracking();
        return FALSE;
    }
    if ((nFlags & kOwnLoop) == 0)
        return TRUE;
    const HWND hWnd = m_hWnd;
    while (state.m_pRoot != nullptr && ::IsWindow(hWnd)) {
        ::WaitMessage();
        // A quit met in the loop ends the tracking; it waits for the application's loop.
        if (!PumpPendingMessages(g_bIdlePump))
            break;
    }
    if (PopupBarTrackingBridge::g_bButtonMenuTracking)
        return TRUE;
    state.EndMenuTracking();
    return TRUE;
}

void CUiPopupMenuWnd::UpdateItemsCmdUI()
{
    if ((m_bState & kTopMenu) != 0 && (m_nTrackFlags & kNoUpdate) != 0)
        return;
    CUiPopupMenuCmdUI cmdUI(m_hWndReceiver, this);
    cmdUI.m_nIndexMax = (UINT)ItemGetCount();
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWndReceiver);
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[i];
        cmdUI.m_nIndex = (UINT)i;
        cmdUI.m_nID = item.GetCmdID();
        cmdUI.m_pItem = &item;
        const bool bSysCmd = item.m_nCmdId > 0xF000 - 1 && item.m_nCmdId < 0xF1F0;
        if (item.IsCommand() && !bSysCmd && pProfile != nullptr) {
            const CUiCmdItem* pCmd = pProfile->CmdGetPtr(item.m_nCmdId);
            if (pCmd != nullptr) {
                item.m_strAccel = pCmd->m_strAccelText;
                item.UpdateAccessChar();
                item.MeasureItem();
            }
        }
        if ((item.m_bFlags2 & MENUITEMDATA::kOwnItem) != 0 || item.IsSeparator() || item.m_pfnClick != nullptr)
            continue;
        if (item.IsSubmenu()) {
            if (item.m_pSubmenu != nullptr)
                item.m_pSubmenu->UpdateItemsCmdUI();
            continue;
        }
        if (bSysCmd || (item.m_nCmdId >= 0xFF00 && item.m_nCmdId <= 0xFF09))
            continue;
        CWnd* pReceiver = CWnd::FromHandle(m_hWndReceiver);
        if (pReceiver != nullptr && ::IsWindow(m_hWndReceiver))
            cmdUI.DoUpdate(pReceiver, TRUE);
    }
}

void CUiPopupMenuWnd::EnableSysCommands()
{
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWndReceiver);
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[i];
        const UINT nId = item.GetCmdID();
        if (nId < 0xF000 || nId >= 0xF1F0 || !::IsWindow(item.m_hWndReceiver))
            continue;
        const HWND hWnd = item.m_hWndReceiver;
        const DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
        const DWORD dwExStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
        const bool bMin = ::IsIconic(hWnd) != FALSE;
        const bool bMax = ::IsZoomed(hWnd) != FALSE;
        bool bEnable;
        switch (nId & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE:
            bEnable = !bMin && !bMax && !g_bSysCmdSwitch;
            break;
        case SC_MAXIMIZE:
            bEnable = (dwStyle & WS_MAXIMIZEBOX) != 0 && !bMax && !g_bSysCmdSwitch;
            break;
        case SC_MINIMIZE:
            bEnable = (dwStyle & WS_MINIMIZEBOX) != 0 && !bMin;
            break;
        case SC_RESTORE:
            bEnable = (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMax || bMin);
            break;
        case SC_CLOSE: {
            HMENU hSys = ::GetSystemMenu(hWnd, FALSE);
            const UINT nState = hSys != NULL ? ::GetMenuState(hSys, SC_CLOSE, MF_BYCOMMAND) : 0;
            bEnable = nState == (UINT)-1 || (nState & (MF_GRAYED | MF_DISABLED)) == 0;
            break;
        }
        case SC_CONTEXTHELP:
            bEnable = (dwExStyle & WS_EX_CONTEXTHELP) != 0;
            break;
        default:
            continue;
        }
        // A command missing from the profile has no state to write.
        CUiCmdItem* pCmd = pProfile != nullptr ? pProfile->CmdGetPtr(nId) : nullptr;
        if (pCmd != nullptr)
            pCmd->StateEnable(bEnable);
        item.m_bFlags2 = (BYTE)(bEnable ? item.m_bFlags2 | MENUITEMDATA::kEnabled
                                        : item.m_bFlags2 & ~MENUITEMDATA::kEnabled);
    }
}

BOOL CUiPopupMenuWnd::CreatePopupWindow(UINT nFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                        PopupTrackCallback pfnCallback, BOOL bCookieFlag)
{
    const bool bShowAll = (nFlags & kShowAll) != 0 || !g_bHideRarelyUsed;
    const bool bNested = IsNestedTracking() != FALSE || (nFlags & kNested) != 0;
    PopupTrackingState& state = GetTrackingState();
    if (!bNested && state.IsRoot(this) && ::IsWindow(m_hWndReceiver)) {
        PopupPrepareRecord record = {0, this};
        ::SendMessageA(m_hWndReceiver, g_nMsgPrepareMenu, (WPARAM)&record, (LPARAM)this);
        if ((record.m_dwFlags & 2) != 0)
            return FALSE;
        if ((record.m_dwFlags & 1) != 0)
            UpdateItemsCmdUI();
    }
    if (!bNested)
        EnableSysCommands();
    const BYTE bKeep = m_bState & (kTopMenu | kHasHidden);
    ResetTrackingFields();
    m_bState |= bKeep;
    m_nTrackFlags = nFlags;
    m_pCookie = pCookie;
    m_pfnCallback = pfnCallback;
    m_bCookieFlag = (BYTE)(bCookieFlag ? 1 : 0);
    const bool bParentExpanded = m_pParent != nullptr && (m_pParent->m_bState & kExpanded) != 0;
    if (bShowAll || bParentExpanded) {
        m_bState &= ~kHasHidden;
        m_bState |= kExpanded;
    }
    RecalcItemLayout();
    if (x < 0 || y < 0) {
        POINT pt;
        if (!::GetCursorPos(&pt))
            return FALSE;
        x = pt.x;
        y = pt.y;
    }
    m_ptTrack = CPoint(x, y);
    if (pExclude != nullptr) {
        m_rcExclude = *pExclude;
        m_bBaseFlags |= kHasExclude;
        if ((nFlags & kJoinWithButton) != 0 ||
            ((nFlags & kJoinIfLook) != 0 && PaintManagerHolder::Get()->IsMenuJoinedWithButton()))
            m_bBaseFlags |= kJoined;
    } else {
        m_rcExclude.SetRect(x - 3, y - 3, x + 3, y + 3);
        m_bBaseFlags &= ~kHasExclude;
    }
    const CSize size = CalcMenuSize();
    if (pExclude != nullptr) {
        const CRect& e = m_rcExclude;
        switch (nFlags & kPlacementMask) {
        case 1: m_ptTrack = CPoint(e.right, e.top); break;
        case 2: m_ptTrack.x = x - size.cx / 2; break;
        case 3: m_ptTrack = CPoint(e.left - size.cx, e.top); break;
        case 4: m_ptTrack = CPoint(e.left, e.bottom); break;
        case 5: m_ptTrack.y = y - size.cy / 2; break;
        case 6: m_ptTrack = CPoint(e.left, e.top - size.cy); break;
        default: break;
        }
    }
    if (!CreateMenuWindow(m_hWndReceiver))
        return FALSE;
    if ((nFlags & kSelectFirst) != 0) {
        const int nFirst = GetNextItemIndex(1);
        if (nFirst >= 0)
            SetCurrentItem(nFirst, FALSE, FALSE, FALSE);
    }
    m_nAnimation = bNested || PopupBarTrackingBridge::g_bButtonMenuTracking ? 0 : g_nDefaultAnimation;
    m_nPendingSound = 2;
    StartAnimation();
    if (m_nAnimation == 0 && !bNested) {
        m_nAnimation = -1;
        StartAnimation();
    }
    if (m_rgnWindow.GetSafeHandle() != NULL) {
        CRgn copy;
        copy.CreateRectRgn(0, 0, 0, 0);
        copy.CopyRgn(&m_rgnWindow);
        SetWindowRgn((HRGN)copy.Detach(), FALSE);
    }
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!bNested)
        SetFocusedMenu();
    return TRUE;
}

BOOL CUiPopupMenuWnd::CreateMenuWindow(HWND hWndOwner)
{
    CRect rc;
    if (!CalcPopupPosition(rc) || rc.IsRectEmpty())
        return FALSE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    const DWORD dwExStyle = IsNestedTracking() ? 0 : WS_EX_TOPMOST;
    if (!CreateEx(dwExStyle, lpszClass, "", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(), hWndOwner, NULL))
        return FALSE;
    CalcScrollAndExpandRects();
    CreateInplaceEdits();
    if (!IsContextHelpMode())
        ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
    CaptureScreenUnder();
    return TRUE;
}

void CUiPopupMenuWnd::CreateInplaceEdits()
{
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[i];
        if (item.m_pInplaceValue == nullptr)
            continue;
        item.m_pInplaceEdit = nullptr;
        CRect rcField;
        rcField.SetRectEmpty();
        if (item.IsDisplayed()) {
            CRect rcItem;
            GetItemRect(i, rcItem);
            item.GetEditFieldRect(rcItem, rcField);
        }
        if (::IsWindow(item.m_hWndReceiver)) {
            InplaceEditCreateRecord record = {&item.m_pInplaceEdit, this, &item, item.m_pInplaceValue, {}, rcField};
            for (int k = 0; k < 4; ++k)
                record.dwParams[k] = item.m_dwInplaceParams[k];
            ::SendMessageA(item.m_hWndReceiver, g_nMsgCreateInplaceEdit, (WPARAM)&record, 0);
        }
        if (item.m_pInplaceEdit != nullptr)
            continue;
        CInPlaceEditWnd* pEdit =
            new CInPlaceEditWnd(item.m_pInplaceValue, item.m_dwInplaceParams[0], item.m_dwInplaceParams[1],
                                item.m_dwInplaceParams[2], item.m_dwInplaceParams[3]);
        if (pEdit->Create(this, rcField, item.m_nCmdId))
            item.m_pInplaceEdit = pEdit;
        else
            delete pEdit;
    }
}

void CUiPopupMenuWnd::ClearInplaceEdits()
{
    for (int i = 0; i < ItemGetCount(); ++i)
        m_items[i].m_pInplaceEdit = nullptr;
}

void CUiPopupMenuWnd::EndTrackingWithCommand(UINT nCmdId, HWND hWndTarget)
{
    PopupTrackingState& state = GetTrackingState();
    if (state.m_pResult != nullptr)
        *state.m_pResult = nCmdId;
    const UINT nFlags = m_nTrackFlags;
    const HWND hWndReceiver = m_hWndReceiver;
    const bool bNested = IsNestedTracking() != FALSE;
    CRect rcUnion;
    rcUnion.SetRectEmpty();
    HWND hTop = NULL;
    for (CUiPopupMenuWnd* pMenu = this; pMenu != nullptr; pMenu = pMenu->m_pParent) {
        if (!::IsWindow(pMenu->GetSafeHwnd()))
            continue;
        CRect rc;
        pMenu->GetWindowRect(rc);
        rcUnion.UnionRect(rcUnion, rc);
        pMenu->ShowWindow(SW_HIDE);
        if (hTop == NULL)
            hTop = ::GetAncestor(::GetWindow(pMenu->GetSafeHwnd(), GW_OWNER), GA_ROOT);
    }
    if (hTop != NULL && !rcUnion.IsRectEmpty()) {
        ::MapWindowPoints(NULL, hTop, reinterpret_cast<POINT*>(&rcUnion), 2);
        if ((::GetWindowLongA(hTop, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
            std::swap(rcUnion.left, rcUnion.right);
        ::RedrawWindow(hTop, rcUnion, NULL, 0x78D);
    }
    if (state.m_pRoot != nullptr && ::IsWindow(state.m_pRoot->GetSafeHwnd()))
        state.m_pRoot->PostMessage(WM_CLOSE);
    if (PopupBarTrackingBridge::g_bButtonMenuTracking)
        PopupBarTrackingBridge::EndAllBarMenuTracking();
    const HWND hTarget = hWndTarget != NULL ? hWndTarget : hWndReceiver;
    if (!::IsWindow(hTarget) || bNested)
        return;
    if ((nFlags & kNoSend) == 0)
        PostCommand(hWndReceiver, hTarget, nCmdId);
    PlaySoundEvent(3);
}

BOOL CUiPopupMenuWnd::DestroyWindow()
{
    if (!::IsWindow(m_hWnd))
        return TRUE;
    return CUiPopupBaseWnd::DestroyWindow();
}

void CUiPopupMenuWnd::PostNcDestroy()
{
    // The final clean-up of a top-level menu: the receiver hears of it and the tracking ends
    // (which deletes the root). Nothing of this menu may be used after EndMenuTracking.
    const bool bTop = m_pParent == nullptr && !IsNestedTracking();
    const HWND hWndReceiver = m_hWndReceiver;
    // The item edits went with their windows, whichever road ended this one (a posted
    // WM_CLOSE does not pass through DestroyWindow).
    ClearInplaceEdits();
    ResetShadowAndSurfaces();
    if (!bTop)
        return;
    if (::IsWindow(hWndReceiver))
        ::SendMessageA(hWndReceiver, g_nMsgNotifyMenuClosed, 0, (LPARAM)this);
    PopupTrackingState& state = PopupTrackingState::Get();
    if (!state.IsEnding() && state.IsRoot(this))
        state.EndMenuTracking();
}

bool CUiPopupMenuWnd::HoverTestWindowChain(HWND hWndA, HWND hWndB, bool bEnabled, bool bVisible, bool bNotTracking)
{
    if (bNotTracking && IsTrackingMenu())
        return false;
    for (HWND h : {hWndA, hWndB}) {
        if (h == NULL || !::IsWindow(h))
            return false;
        if (bEnabled && !::IsWindowEnabled(h))
            return false;
        if (bVisible && (::GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) == 0)
            return false;
    }
    HWND hParent = ::GetParent(hWndA);
    if (hParent == NULL)
        return false;
    for (; hParent != NULL; hParent = ::GetParent(hParent)) {
        if ((::GetWindowLongA(hParent, GWL_STYLE) & (WS_POPUP | WS_VISIBLE)) == 0)
            continue;
        for (HWND hB = hWndB; hB != NULL; hB = ::GetParent(hB)) {
            if (hB == hParent)
                return true;
        }
    }
    return false;
}
