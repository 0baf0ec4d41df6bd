// CUiButton: subclassing, messages, mouse and keyboard, the click and the drop-down menu.
#include "uibutton.h"
#include "buttonkinds.h"
#include "cmdicon.h"
#include "cmditem.h"
#include "cmdmanager.h"
#include "cmdprofile.h"
#include "controlbar.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "popuptrackingstate.h"
#include "toolcontrolbar.h"

IMPLEMENT_DYNCREATE(CUiButton, CButton)

namespace {

// The toolbar's message that hands a tracked menu over to the next control.
UINT ContinueTrackMenuMessage()
{
    static const UINT s_nMsg = ::RegisterWindowMessageA("CUiToolControlBar::g_nMsgContinueTrackMenu");
    return s_nMsg;
}

bool IsForwardedPopupMessage(UINT nMsg)
{
    return nMsg == CUiPopupMenuWnd::g_nMsgPrepareMenu || nMsg == CUiPopupMenuWnd::g_nMsgPopupNext ||
           nMsg == CUiPopupMenuWnd::g_nMsgPopupPrev || nMsg == CUiPopupMenuWnd::g_nMsgNotifyMenuExpanded ||
           nMsg == CUiPopupMenuWnd::g_nMsgNotifyMenuClosed || nMsg == CUiPopupMenuWnd::g_nMsgPopupDrawItem ||
           nMsg == CUiPopupMenuWnd::g_nMsgPopupDrawLeftArea;
}

HICON CopyOfIcon(HICON hIcon)
{
    return hIcon != NULL ? ::CopyIcon(hIcon) : NULL;
}

} // namespace

CUiButton::CUiButton()
    : m_dwMenuAlign(4), m_nMenuLeftAreaWidth(0), m_nTextAlign(5), m_nLogicalType(0), m_nCheck(0),
      m_bState(kShowFocus | kBorder), m_bOptions(0), m_nPressedPart(kUiPartNone), m_hCursor(NULL),
      m_hIconHover(NULL), m_hIconNormal(NULL), m_clrTextDisabled((COLORREF)-1), m_clrTextNormal((COLORREF)-1),
      m_clrTextHover((COLORREF)-1), m_clrTextPressed((COLORREF)-1)
{
}

CUiButton::~CUiButton()
{
    SetIcons(NULL, NULL);
    if (m_hCursor != NULL)
        ::DestroyCursor(m_hCursor);
}

BOOL CUiButton::IsEffectivelyEnabled()
{
    return ::IsWindowEnabled(m_hWnd);
}

bool CUiButton::HasDropDownMenu()
{
    return m_menu.GetSafeHmenu() != NULL;
}

HFONT CUiButton::GetDialogFont()
{
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL ? (HFONT)::SendMessageA(hParent, WM_GETFONT, 0, 0) : NULL;
}

void CUiButton::SetIcons(HICON hIconHover, HICON hIconNormal)
{
    if (m_hIconNormal != NULL && m_hIconNormal != m_hIconHover)
        ::DestroyIcon(m_hIconNormal);
    if (m_hIconHover != NULL)
        ::DestroyIcon(m_hIconHover);
    m_hIconHover = hIconHover;
    m_hIconNormal = hIconNormal != NULL ? hIconNormal : hIconHover;
    if (::IsWindow(m_hWnd))
        Repaint();
}

void CUiButton::SetIconsFromResources(UINT nHoverId, UINT nNormalId)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hHover = (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nHoverId), IMAGE_ICON, 0, 0, 0);
    HICON hNormal = nNormalId != 0 ? (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nNormalId), IMAGE_ICON, 0, 0, 0)
                                   : NULL;
    SetIcons(hHover, hNormal);
}

bool CUiButton::SetCursorFromResource(UINT nId)
{
    if (m_hCursor != NULL)
        ::DestroyCursor(m_hCursor);
    m_hCursor = NULL;
    if (nId == (UINT)-1)
        return true;
    m_hCursor = (HCURSOR)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nId), IMAGE_CURSOR, 0, 0, 0);
    if (m_hCursor == NULL)
        m_hCursor = ::LoadCursorA(NULL, MAKEINTRESOURCEA(nId));
    return m_hCursor != NULL;
}

void CUiButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const DWORD dwStyle = GetStyle();
    m_nLogicalType = (int)(dwStyle & 15);
    // Written into the style itself: while the window is being subclassed its procedure may
    // be the control's own or already ours, and ours keeps BM_SETSTYLE for the logical type.
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)((dwStyle & ~(DWORD)15) | BS_OWNERDRAW));
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager != nullptr) {
        CFont& font = m_nLogicalType == BS_DEFPUSHBUTTON ? pManager->m_fontBold : pManager->m_fontNormal;
        if (font.GetSafeHandle() != NULL)
            ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)font.GetSafeHandle(), FALSE);
    }
    m_nTextAlign = UiButtonTextAlignment(dwStyle);
    PostMessage(WM_ENABLE, (WPARAM)IsWindowEnabled());
}

void CUiButton::Repaint()
{
    if (::IsWindow(m_hWnd))
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

int CUiButton::PartUnderPoint(POINT ptClient) const
{
    POINT ptScreen = ptClient;
    ::ClientToScreen(m_hWnd, &ptScreen);
    if (::WindowFromPoint(ptScreen) != m_hWnd)
        return kUiPartNone;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    return UiButtonPartAt(rcClient, ptClient, (m_bState & kSplit) != 0);
}

void CUiButton::ClearPressState()
{
    m_bState &= ~(kHover | kPushed | kMouseTracking | kKeyboardPress);
}

void CUiButton::OnMouseMoveMsg(UINT nFlags, CPoint point)
{
    if (m_bState & kKeyboardPress)
        return;
    Default();
    const int nPart = PartUnderPoint(point);
    const bool bTracking = (m_bState & kMouseTracking) != 0;
    const bool bHovered = ((!bTracking && nPart != kUiPartNone) || (bTracking && nPart == m_nPressedPart)) &&
                          CUiPopupMenuWnd::HoverTestWindowChain(m_hWnd, ::GetActiveWindow(), true, true, true);
    if (bHovered) {
        if (::GetCapture() != m_hWnd)
            CUiMouseCaptureSink::SetCapture(m_hWnd);
        if (!(m_bState & kHover)) {
            m_bState |= kHover;
            if ((nFlags & MK_LBUTTON) && bTracking)
                m_bState |= kPushed;
            else
                m_bState &= ~kPushed;
            Repaint();
        }
    } else {
        if (::GetCapture() == m_hWnd && !bTracking)
            ::ReleaseCapture();
        if (m_bState & kHover) {
            m_bState &= ~(kHover | kPushed);
            Repaint();
        }
    }
}

void CUiButton::OnLButtonDownMsg(CPoint point)
{
    if (m_bState & kKeyboardPress)
        return;
    Default();
    m_nPressedPart = PartUnderPoint(point);
    if (m_nPressedPart != kUiPartNone) {
        m_bState |= kHover | kPushed | kMouseTracking;
        CUiMouseCaptureSink::SetCapture(m_hWnd);
        Repaint();
    }
}

void CUiButton::OnLButtonUpMsg(CPoint point)
{
    if (m_bState & kKeyboardPress)
        return;
    const int nPart = PartUnderPoint(point);
    const bool bClick = (m_bState & kPushed) && (m_bState & kMouseTracking) && nPart == m_nPressedPart;
    m_bState &= ~(kHover | kPushed | kMouseTracking);
    m_nPressedPart = kUiPartNone;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Repaint();
    if (bClick && IsEffectivelyEnabled() && IsWindowVisible())
        OnClick(false, (m_bState & kSplit) && nPart == kUiPartDropDown);
}

void CUiButton::EnsureToolTip()
{
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        return;
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(FALSE);
}

BOOL CUiButton::PreTranslateMessage(MSG* pMsg)
{
    if (!CUiPopupMenuWnd::IsTrackingMenu()) {
        EnsureToolTip();
        if (m_wndToolTip.GetSafeHwnd() != NULL)
            m_wndToolTip.RelayEvent(pMsg);
    }
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)) {
        if (!IsEffectivelyEnabled() || !IsWindowVisible() || (m_bState & kMouseTracking))
            return TRUE;
        const bool bDown = pMsg->message == WM_KEYDOWN;
        const bool bReturn = pMsg->wParam == VK_RETURN;
        if ((bDown && bReturn) || (!bDown && !bReturn)) {
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            ClearPressState();
            Repaint();
            OnClick(true, false);
        } else if (bDown) {
            m_bState |= kHover | kPushed | kKeyboardPress;
            CUiMouseCaptureSink::SetCapture(m_hWnd);
            Repaint();
        }
        return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CUiButton::NotifyParentAndRepaint()
{
    HWND hWnd = m_hWnd;
    HWND hParent = ::GetParent(hWnd);
    ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hWnd), BN_CLICKED), (LPARAM)hWnd);
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        Repaint();
}

void CUiButton::OnClick(bool bFromKeyboard, bool bOnDropDownPart)
{
    if (::GetParent(m_hWnd) == NULL)
        return;
    if (UiIsCheckKind(m_nLogicalType)) {
        SendMessage(BM_SETCHECK, SendMessage(BM_GETCHECK) == 0 ? 1 : 0);
        NotifyParentAndRepaint();
        return;
    }
    if (!UiIsPushKind(m_nLogicalType))
        return;
    const bool bSplit = (m_bState & kSplit) != 0;
    if ((!bSplit || bOnDropDownPart) && TrackDropDown(bFromKeyboard))
        return;
    if (HasDropDownMenu() && (!bSplit || bOnDropDownPart))
        return;
    NotifyParentAndRepaint();
}

CWnd* CUiButton::FindMenuReceiver(DWORD& dwFlags, UINT& nCode) const
{
    CWnd* pReceiver = GetParent();
    if (pReceiver == nullptr || !pReceiver->IsKindOf(RUNTIME_CLASS(CControlBar)))
        return pReceiver;
    CWnd* pWalk = pReceiver;
    while (pWalk != nullptr && pWalk->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        CControlBar* pBar = static_cast<CControlBar*>(pWalk);
        if (nCode == 0 && pBar->m_pDockBar != nullptr && pBar->m_pDockBar->GetSafeHwnd() != NULL) {
            dwFlags &= ~(DWORD)0x0F;
            nCode = UiMenuAlignCodeForDockBar((UINT)pBar->m_pDockBar->GetDlgCtrlID());
        }
        pWalk = pWalk->GetParent();
        if (pWalk != nullptr && pWalk->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
            pWalk = pWalk->GetParentFrame();
            break;
        }
    }
    return pWalk;
}

bool CUiButton::TrackDropDown(bool bFromKeyboard)
{
    if (!HasDropDownMenu())
        return false;
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    if (CUiCmdProfile* pProfile = pManager->ProfileFindByWindow(m_hWnd))
        pProfile->UpdateFromMenu(m_menu.GetSafeHmenu());
    CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
    pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);

    DWORD dwFlags = m_dwMenuAlign;
    UINT nCode = 0;
    CWnd* pReceiver = FindMenuReceiver(dwFlags, nCode);
    if (pReceiver == nullptr || !pPopup->LoadMenu(pReceiver->m_hWnd, m_menu.GetSafeHmenu(), TRUE, TRUE)) {
        delete pPopup;
        return true;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int x = (rcWindow.left + rcWindow.right) / 2;
    const int y = (rcWindow.top + rcWindow.bottom) / 2;
    SetFocus();
    dwFlags |= nCode | 0x20;
    if (bFromKeyboard)
        dwFlags |= 0x40;
    if (!(m_bState & kMenuResult)) {
        if (!pPopup->TrackMenu(dwFlags, x, y, &rcWindow, this, &CUiButton::PaintCombinedContent, nullptr, TRUE))
            delete pPopup;
        return true;
    }
    UINT nChosen = 0;
    HWND hWnd = m_hWnd;
    if (!pPopup->TrackMenu(dwFlags | 0x280, x, y, &rcWindow, this, &CUiButton::PaintCombinedContent, &nChosen,
                           TRUE)) {
        delete pPopup;
        return true;
    }
    if (nChosen == 0 || !::IsWindow(hWnd))
        return true;
    ::SetWindowLongA(hWnd, GWL_ID, (LONG)nChosen);
    if (m_bOptions & kAdoptCommand) {
        CUiCmdProfile* pProfile = pManager->ProfileFindByWindow(hWnd);
        CUiCmdItem* pItem = pProfile != nullptr ? pProfile->CmdGetPtr(nChosen) : nullptr;
        if (pItem != nullptr) {
            SetWindowText(pItem->m_strTipTool.IsEmpty() ? pItem->m_strMenuText : pItem->m_strTipTool);
            CUiCmdIcon* pIcon = pProfile->CmdGetIconPtr(nChosen);
            HICON hIcon = pIcon != nullptr && !pIcon->IsEmpty() ? CopyOfIcon(pIcon->GetIcon()) : NULL;
            SetIcons(hIcon, NULL);
        }
    }
    NotifyParentAndRepaint();
    return true;
}

bool CUiButton::PutToPopupMenu(CUiPopupMenuWnd* pPopup)
{
    if (!HasDropDownMenu() || pPopup == nullptr)
        return false;
    CUiPopupMenuWnd* pSubmenu = new CUiPopupMenuWnd;
    if (!pSubmenu->LoadMenu(pPopup->GetOwnerHwnd(), m_menu.GetSafeHmenu(), TRUE, TRUE)) {
        delete pSubmenu;
        return false;
    }
    CString strText;
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWnd);
    CUiCmdItem* pItem = pProfile != nullptr ? pProfile->CmdGetPtr((UINT)GetDlgCtrlID()) : nullptr;
    if (pItem != nullptr && !pItem->m_strMenuText.IsEmpty())
        strText = pItem->m_strMenuText;
    else
        GetWindowText(strText);
    if (!pPopup->ItemInsertSubmenu(pSubmenu, -1, strText, CopyOfIcon(m_hIconHover))) {
        delete pSubmenu;
        return false;
    }
    return true;
}

LRESULT CUiButton::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case BM_GETCHECK:
        return m_nCheck;
    case BM_SETCHECK:
        m_nCheck = (int)wParam;
        Repaint();
        return 0;
    case BM_SETSTYLE:
        m_nLogicalType = (int)(wParam & 15);
        Repaint();
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_NOTIFY: {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if (pHdr != nullptr && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd() && pHdr->code == TTN_SHOW) {
            ::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return 0;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (PopupBarTrackingBridge::g_bButtonMenuTracking) {
            CWnd* pParent = GetParent();
            if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiToolControlBar))) {
                TrackDropDown(false);
                return 0;
            }
        }
        OnMouseMoveMsg((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDownMsg(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUpMsg(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_CAPTURECHANGED: {
        LRESULT lr = Default();
        if ((HWND)lParam != m_hWnd && (m_bState & (kHover | kPushed))) {
            m_bState &= ~(kHover | kPushed);
            Repaint();
        }
        return lr;
    }
    case WM_KILLFOCUS: {
        LRESULT lr = Default();
        if (m_bState & (kHover | kPushed)) {
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            m_bState &= ~(kHover | kPushed);
            Repaint();
        }
        return lr;
    }
    case WM_SETCURSOR:
        if (m_hCursor != NULL) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        if (m_nLogicalType == BS_OWNERDRAW || m_nLogicalType == 8) {
            break;
        } else {
            PAINTSTRUCT ps;
            HDC hDC = ::BeginPaint(m_hWnd, &ps);
            PaintBuffered(hDC);
            ::EndPaint(m_hWnd, &ps);
            return 0;
        }
    case WM_ENABLE: {
        LRESULT lr = Default();
        HDC hDC = ::GetDC(m_hWnd);
        PaintBuffered(hDC);
        ::ReleaseDC(m_hWnd, hDC);
        return lr;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED: {
        LRESULT lr = Default();
        PaintManagerHolder& holder = PaintManagerHolder::Get();
        if (nMsg == WM_SYSCOLORCHANGE)
            holder.OnSysColorChange(this);
        else if (nMsg == WM_SETTINGCHANGE)
            holder.OnSettingChange(this, (UINT)wParam, (LPCSTR)lParam);
        else if (nMsg == WM_DISPLAYCHANGE)
            holder.OnDisplayChange(this, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
        else
            holder.OnThemeChanged(this, wParam, lParam);
        return lr;
    }
    default:
        if (nMsg == ContinueTrackMenuMessage()) {
            TrackDropDown(lParam != 0);
            return 1;
        }
        if (nMsg == CUiControlBar::g_nMsgPutToPopupMenu)
            return PutToPopupMenu((CUiPopupMenuWnd*)wParam) ? 1 : 0;
        if (IsForwardedPopupMessage(nMsg))
            return ::SendMessageA(::GetParent(m_hWnd), nMsg, wParam, lParam);
        break;
    }
    return CButton::WindowProc(nMsg, wParam, lParam);
}

LRESULT CUiButton::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT lr = CButton::DefWindowProc(nMsg, wParam, lParam);
    switch (nMsg) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case BM_SETIMAGE:
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGED:
        Repaint();
        break;
    default:
        break;
    }
    return lr;
}

void CUiButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    PaintBuffered(lpDrawItemStruct->hDC);
}
