// The strip's window: its class, creation or subclassing with the tooltip, the message
// routing, painting through the paint manager's tab operations, the focus it hands to its
// parent and the place it takes in its frame's layout.
#include "tabwnd.h"

#include "barwndclass.h"
#include "controlbar.h"
#include "memorydc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

namespace {
const char kTabWindowClass[] = "VaviRIZ-TabWindow";

bool RegisterTabWindowClass()
{
    static bool s_bRegistered = false;
    return RegisterBarWindowClassOnce(kTabWindowClass, s_bRegistered);
}
} // namespace

BOOL CUiTabWnd::Create(CWnd* pParent, const RECT& rect, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
                       CCreateContext* pContext)
{
    if (!RegisterTabWindowClass())
        return FALSE;
    m_dwTabStyle = dwTabStyle;
    m_bState |= kCreated;
    if (!CWnd::Create(kTabWindowClass, NULL, dwWindowStyle, rect, pParent, nID, pContext)) {
        m_bState &= ~kCreated;
        return FALSE;
    }
    CreateToolTip();
    UpdateLayout(true);
    return TRUE;
}

BOOL CUiTabWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterTabWindowClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kTabWindowClass;
    return TRUE;
}

void CUiTabWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bState & kCreated)
        return;
    // A window made elsewhere carries its tab style in the low word of its window style.
    const DWORD dwStyle = GetStyle();
    m_dwTabStyle = (m_dwTabStyle & ~0xFFFFu) | (dwStyle & 0xFFFF);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~0xFFFFu));
    CreateToolTip();
}

void CUiTabWnd::CreateToolTip()
{
    if (!TooltipsEnabled() || m_wndToolTip.GetSafeHwnd() != NULL)
        return;
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(TRUE);
}

void CUiTabWnd::SetTip(LPCSTR lpszText, const CRect& rc)
{
    if (m_wndToolTip.GetSafeHwnd() == NULL)
        return;
    if (lpszText == nullptr || *lpszText == '\0') {
        if (!m_strTip.IsEmpty())
            m_wndToolTip.DelTool(this, 1);
        m_strTip.Empty();
        return;
    }
    if (!m_strTip.IsEmpty())
        m_wndToolTip.DelTool(this, 1);
    m_strTip = lpszText;
    m_wndToolTip.AddTool(this, m_strTip, &rc, 1);
}

BOOL CUiTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void CUiTabWnd::RedrawNow()
{
    if (m_hWnd == NULL)
        return;
    Invalidate();
    UpdateWindow();
}

LRESULT CUiTabWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == CUiControlBar::g_nMsgQueryRepositionCalcEffect) {
        auto* pRecord = reinterpret_cast<CUiControlBar::LayoutQueryRecord*>(wParam);
        if ((m_dwTabFlags & 1) && pRecord != nullptr && (pRecord->bMode & 0x0F) == 1 && pRecord->pWnd != nullptr &&
            pRecord->pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            pRecord->bMode |= CUiControlBar::LayoutQueryRecord::kLeaveMeOut;
        return 0;
    }
    switch (nMsg) {
    case WM_PAINT:
        OnPaintMsg();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW: {
        const LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        if (nMsg != WM_SHOWWINDOW)
            SetTip(nullptr, CRect());
        UpdateLayout(true);
        return lResult;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        const bool bPressed = nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN;
        const int nButton = (nMsg == WM_LBUTTONDOWN || nMsg == WM_LBUTTONUP) ? 1
                            : (nMsg == WM_RBUTTONDOWN || nMsg == WM_RBUTTONUP) ? 2
                                                                               : 16;
        if (OnMouseClick(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)), bPressed, nButton, (UINT)wParam))
            return 0;
        break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMoveMsg(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_CAPTURECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        OnCaptureChangedMsg((HWND)lParam);
        return lResult;
    }
    case WM_CANCELMODE: {
        const LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        OnCancelModeMsg();
        return lResult;
    }
    case WM_TIMER:
        if (wParam == kScrollTimer) {
            OnScrollTimer();
            return 0;
        }
        if (wParam == kHoverSelectTimer) {
            OnHoverSelectTimer();
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (!CUiControlBar::IsFrameInHelpMode(this)) {
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_MOUSEACTIVATE: {
        CWnd* pParent = GetParent();
        HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
        HWND hForeground = ::GetForegroundWindow();
        if (pParent != nullptr && !(hTop != NULL && hForeground == ::GetLastActivePopup(hTop) && hForeground != hTop))
            pParent->SetFocus();
        return MA_NOACTIVATE;
    }
    case WM_SETFOCUS:
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        RelaySystemChange(this, nMsg, wParam, lParam);
        UpdateLayout(true);
        return lResult;
    }
    case WM_SIZEPARENT:
        return OnSizeParentMsg(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
    case WM_NOTIFY: {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr != nullptr && pHdr->code == (UINT)TTN_SHOW && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd()) {
            ::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
            return 0;
        }
        break;
    }
    case WM_DESTROY:
        StopScroll();
        KillTimer(kHoverSelectTimer);
        if (m_wndToolTip.GetSafeHwnd() != NULL)
            m_wndToolTip.DestroyWindow();
        m_strTip.Empty();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}

void CUiTabWnd::OnPaintMsg()
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager != m_pPaintManager) {
        m_pPaintManager = pManager;
        m_bState |= kLayoutDirty;
    }
    RecalcTabLayout();
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    {
        CUiMemoryDC mdc(&dc, &rcClient);
        PaintItems(mdc, rcClient);
    }
    if (pManager != nullptr)
        pManager->EndPaintSession(this, 0);
}

void CUiTabWnd::PaintItems(CDC& dc, const CRect& rcClient)
{
    const bool bHorz = IsHorizontal();
    const bool bGrouped = (m_dwTabStyle & kGrouped) != 0;
    const int nSide = GetSide();
    PaintClientArea(dc, rcClient, m_rcItemsArea, m_rcRest, nSide, bGrouped);
    if (ItemGetCount() > 0 && m_nVisibleCount > 0 && m_nFirstVisible >= 0) {
        CRect rcClip = m_rcItemsArea;
        if (bHorz)
            rcClip.InflateRect(1, bGrouped ? 1 : 0);
        else
            rcClip.InflateRect(bGrouped ? 1 : 0, 1);
        switch (nSide) {
        case 0: rcClip.bottom += 1; break;
        case 1: rcClip.top -= 1; break;
        case 2: rcClip.right += 1; break;
        default: rcClip.left -= 1; break;
        }
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&rcClip);
        for (int i = m_nFirstVisible; i <= m_nLastVisible && i < ItemGetCount(); ++i) {
            TAB_ITEM_INFO* pItem = m_arrItems[i];
            if (!pItem->IsVisible())
                continue;
            const CRect rcItem = ItemGetWindowRect(i);
            if (!dc.RectVisible(&rcItem))
                continue;
            CFont* pFont = GetItemFont((pItem->m_dwFlags & TAB_ITEM_INFO::kSelected) != 0, -1);
            LPCSTR lpszText = ItemGetTextPtr(pItem);
            if (lpszText == nullptr)
                lpszText = pItem->m_strText;
            CUiCmdIcon* pIcon = ItemGetIconPtr(pItem);
            if (pIcon == nullptr || pIcon->IsEmpty())
                pIcon = &pItem->m_icon;
            CFont* pOldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
            PaintItem(dc, i, pItem, rcItem, pFont, lpszText, pIcon);
            if (pOldFont != nullptr)
                dc.SelectObject(pOldFont);
        }
        dc.RestoreDC(nSaved);
    }
    CPoint ptCursor(-1, -1);
    if (m_hWnd != NULL) {
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
    }
    for (int nHit = kHitPrev; nHit >= kHitTabList; --nHit) {
        const CRect rc = GetHitRect(nHit);
        if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
            continue;
        const bool bEnabled = IsButtonEnabled(nHit);
        PaintButton(dc, rc, nHit, bEnabled, bEnabled && rc.PtInRect(ptCursor), IsButtonPressed(nHit));
    }
}

void CUiTabWnd::PaintClientArea(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRest,
                                int nSide, bool bGrouped)
{
    if (CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle())
        pManager->PaintTabClientArea(dc, rcClient, rcItemsArea, rcRest, nSide, bGrouped, this, 0);
}

void CUiTabWnd::PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const CRect& rcItem, CFont* pFont,
                          LPCSTR lpszText, CUiCmdIcon* pIcon)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager == nullptr)
        return;
    const int nSide = GetSide();
    const DWORD dw = pItem->m_dwFlags;
    pManager->PaintTabItem(dc, m_rcItemsArea, nSide == 0 || nSide == 2, IsHorizontal(),
                           (dw & TAB_ITEM_INFO::kSelected) != 0, (m_dwTabStyle & kEqualWidths) != 0,
                           (m_dwTabStyle & kGrouped) != 0, (dw & TAB_ITEM_INFO::kGroupActive) != 0,
                           (m_dwTabStyle & kSecondVertFont) != 0, rcItem, pItem->m_sizeText.cx,
                           pItem->m_sizeText.cy, pFont, lpszText, pIcon, this, (LPARAM)nIndex);
}

void CUiTabWnd::PaintButton(CDC& dc, const CRect& rcButton, int nHit, bool bEnabled, bool bHover, bool bPressed)
{
    if (CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle())
        pManager->PaintTabButton(dc, rcButton, nHit, 0, IsHorizontal(), bEnabled, bHover, bPressed,
                                 (m_dwTabStyle & kGrouped) != 0, this, 0);
}

bool CUiTabWnd::IsButtonEnabled(int nHit) const
{
    switch (nHit) {
    case kHitPrev: return (m_dwTabStyle & kPrevEnabled) != 0;
    case kHitNext: return (m_dwTabStyle & kNextEnabled) != 0;
    case kHitHelp: return (m_dwTabStyle & kHelpEnabled) != 0;
    case kHitClose: return (m_dwTabStyle & kCloseEnabled) != 0;
    case kHitTabList: return (m_dwTabStyle & kTabListEnabled) != 0;
    default: return false;
    }
}

namespace {
// Where the pressed state of a strip button lives: the state byte or the second one, and its bit.
struct PressedBit {
    int nHit;
    bool bSecond;
    BYTE bBit;
};
const PressedBit kPressedBits[] = {{CUiTabWnd::kHitPrev, false, CUiTabWnd::kPrevPressed},
                                   {CUiTabWnd::kHitNext, false, CUiTabWnd::kNextPressed},
                                   {CUiTabWnd::kHitHelp, true, CUiTabWnd::kHelpPressed},
                                   {CUiTabWnd::kHitClose, true, CUiTabWnd::kClosePressed},
                                   {CUiTabWnd::kHitTabList, true, CUiTabWnd::kTabListPressed}};
} // namespace

bool CUiTabWnd::IsButtonPressed(int nHit) const
{
    for (const PressedBit& p : kPressedBits) {
        if (p.nHit == nHit)
            return ((p.bSecond ? m_bState2 : m_bState) & p.bBit) != 0;
    }
    return false;
}

void CUiTabWnd::SetButtonPressed(int nHit, bool bPressed)
{
    for (const PressedBit& p : kPressedBits) {
        if (p.nHit != nHit)
            continue;
        BYTE& b = p.bSecond ? m_bState2 : m_bState;
        b = bPressed ? (BYTE)(b | p.bBit) : (BYTE)(b & ~p.bBit);
    }
}

LRESULT CUiTabWnd::OnSizeParentMsg(AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (!(m_bState & kFrameLayout) || lpLayout == nullptr)
        return 0;
    CRect rcRemaining(lpLayout->rect);
    if (rcRemaining.IsRectEmpty()) {
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
        return 0;
    }
    OnSizeParentHook();
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    m_rcLayout = CRect(0, 0, rcRemaining.Width(), rcRemaining.Height());
    RecalcTabLayoutIn(m_rcLayout, nullptr);
    m_rcLayout.SetRectEmpty();
    if (m_rcItemsArea.IsRectEmpty())
        return 0;
    const bool bHorz = IsHorizontal();
    const int nThickness = bHorz ? m_rcItemsArea.Height() : m_rcItemsArea.Width();
    CRect rcWindow = rcRemaining;
    switch (GetSide()) {
    case 0:
        rcWindow.bottom = rcWindow.top + nThickness + 9;
        lpLayout->rect.top = rcWindow.bottom;
        break;
    case 1:
        rcWindow.top = rcWindow.bottom - nThickness - 6;
        lpLayout->rect.bottom = rcWindow.top;
        break;
    case 2:
        rcWindow.right = rcWindow.left + nThickness + 9;
        lpLayout->rect.left = rcWindow.right;
        break;
    default:
        rcWindow.left = rcWindow.right - nThickness - 6;
        lpLayout->rect.right = rcWindow.left;
        break;
    }
    if (bHorz)
        lpLayout->sizeTotal.cy += rcWindow.Height();
    else
        lpLayout->sizeTotal.cx += rcWindow.Width();
    AfxRepositionWindow(lpLayout, m_hWnd, &rcWindow);
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    UpdateLayout(true);
    return 0;
}
