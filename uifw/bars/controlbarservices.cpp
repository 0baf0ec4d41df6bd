// The control bar's window services: its window class, subclassing in dialogs, help hit
// tests, the frame layout it takes part in, the status text of commands, the frame-wide walk
// over the bars, and the operations of the dragging and docking that arrive with their own
// parts (they answer neutral values until then).
#include "controlbar.h"

#include "barwndclass.h"
#include "cmdmanager.h"
#include "commandstatustext.h"
#include "dockbar.h"
#include "dragstate.h"
#include "dynbar.h"
#include "minidockframewnd.h"
#include "ncareabutton.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "popuptrackingstate.h"

namespace {
// A popup menu or a toolbar button's menu is open: bars show no tips and no fly-by text.
bool IsAnyMenuTracked()
{
    return CUiPopupMenuWnd::IsTrackingMenu() || PopupBarTrackingBridge::g_bButtonMenuTracking;
}
} // namespace

bool CUiControlBar::RegisterBarWindowClass()
{
    static bool s_bRegistered = false;
    return RegisterBarWindowClassOnce("VaviRIZ-ControlBar", s_bRegistered);
}

BOOL CUiControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterBarWindowClass() || !CControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = "VaviRIZ-ControlBar";
    return TRUE;
}

void CUiControlBar::PreSubclassWindow()
{
    CControlBar::PreSubclassWindow();
    m_bBarFlags &= ~kNoCmdUI;
    CWnd* pParent = GetParent();
    if (!(m_bBarFlags & kContained) && pParent != nullptr && !pParent->IsKindOf(RUNTIME_CLASS(CControlBar)) &&
        !pParent->IsFrameWnd()) {
        m_dwStyle = GetStyle() & CBRS_ALL;
        m_bBarFlags |= kContained;
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
}

BOOL CUiControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // A container or tabbed group sees the keys of its bars before their dialog handling
    // dispatches them (its tab-switching keys among them).
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)) && pParent->PreTranslateMessage(pMsg))
        return TRUE;
    const UINT m = pMsg->message;
    if ((((m_dwStyle & CBRS_FLYBY) && ((m >= 0x200 && m <= 0x209) || (m >= 0xA0 && m <= 0xA9))) ||
         m == WM_LBUTTONDOWN || m == WM_LBUTTONUP) &&
        !IsAnyMenuTracked())
        FilterFlyBy(pMsg);
    CFrameWnd* pTop = GetTopLevelFrame();
    if (pTop != nullptr && pTop->m_bHelpMode)
        return FALSE;
    if (!(m_bBarFlags & kContained)) {
        CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pOwner != nullptr && pOwner->PreTranslateMessage(pMsg))
            return TRUE;
        for (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
            if (pFrame->PreTranslateMessage(pMsg))
                return TRUE;
        }
    } else {
        // The dialog holding a contained bar translates its keys (and offers them to the frame
        // first); the bar's own dialog handling would eat them all, accelerators and menu keys
        // included, whenever the bar has the focus.
        return FALSE;
    }
    return PreTranslateInput(pMsg);
}

INT_PTR CUiControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (IsAnyMenuTracked())
        return -1;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CUiBarNcAreaButton* pButton = nullptr;
    const_cast<CUiControlBar*>(this)->NcButtonsHitTest(ptScreen, &pButton);
    if (pButton != nullptr) {
        CWnd* pWnd = NcButtonsWindow();
        CRect rcWindow;
        pWnd->GetWindowRect(&rcWindow);
        return pButton->GetTipInfo(CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top), pTI);
    }
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild == nullptr)
        return -1;
    CWnd* pPerm = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
    return pPerm != nullptr ? pPerm->OnToolHitTest(point, pTI) : -1;
}

LRESULT CUiControlBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    if (!(m_bBarFlags & kFrameLayout))
        return 0;
    return CControlBar::OnSizeParent(wParam, lParam);
}

LRESULT CUiControlBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
    if (::GetCapture() == m_hWnd)
        SendMessage(WM_CANCELMODE);
    const int nHit = HelpHitTestAt((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (nHit) {
    case -3:
        return 0;
    case -2:
        return -1;
    case -1:
        return CControlBar::OnHelpHitTest(wParam, lParam);
    default:
        return nHit + (LRESULT)HID_BASE_COMMAND;
    }
}

void CUiControlBar::MoveFocusToFrame()
{
    if (GetSafeHwnd() == NULL)
        return;
    CWnd* pTarget = (m_bBarFlags & kContained) ? GetParent() : static_cast<CWnd*>(FindDockSiteFrame());
    if (pTarget == nullptr)
        pTarget = this;
    HWND hFocus = ::GetFocus();
    if (hFocus != NULL && (hFocus == pTarget->m_hWnd || ::IsChild(pTarget->m_hWnd, hFocus)))
        return;
    pTarget->SetFocus();
}

bool CUiControlBar::IsFrameInHelpMode(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return false;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pWnd) : pWnd->GetParentFrame();
    for (; pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->m_bHelpMode)
            return true;
    }
    return false;
}

bool CUiControlBar::IsFrameInPrintPreview(CFrameWnd* pFrame)
{
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CPreviewView));
}

bool CUiControlBar::IsDockSiteInPrintPreview()
{
    if (m_pDockSite == nullptr || (m_bBarFlags & kContained))
        return false;
    return IsFrameInPrintPreview(m_pDockSite);
}

void CUiControlBar::ShowCommandStatusText(CWnd* pWnd, UINT nID)
{
    ::ShowCommandStatusText(pWnd, nID);
}

namespace {

// Leaves out, in a query layout, the children that ask for it.
bool SkipInQuery(HWND hWndChild, void* pContext)
{
    CUiControlBar::LayoutQueryRecord& record = *static_cast<CUiControlBar::LayoutQueryRecord*>(pContext);
    record.bMode &= 0x0F;
    ::SendMessage(hWndChild, CUiControlBar::g_nMsgQueryRepositionCalcEffect, (WPARAM)&record, 0);
    return (record.bMode & 0x0F) == 1 && (record.bMode & CUiControlBar::LayoutQueryRecord::kLeaveMeOut);
}

} // namespace

void CUiControlBar::RepositionBarsEx(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                                     LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    LayoutQueryRecord record = {};
    record.bMode = (BYTE)(nFlags & 0x0F);
    record.pWnd = pWnd;
    record.nIDFirst = nIDFirst;
    record.nIDLast = nIDLast;
    record.nIDLeftOver = nIDLeftOver;
    if (lpRectParam != NULL)
        record.rcParam = *lpRectParam;
    if (lpRectClient != NULL)
        record.rcClient = *lpRectClient;
    record.bStretch = bStretch ? 1 : 0;
    pWnd->RepositionBarsFiltered(nIDFirst, nIDLast, nIDLeftOver, nFlags, lpRectParam, lpRectClient, bStretch,
                                 &SkipInQuery, &record);
}

int CUiControlBar::GetDragDockMode()
{
    if (g_nDragDockMode != -1)
        return g_nDragDockMode;
    return PaintManagerHolder::Get()->GetDockingDragMode() != 0 ? 1 : 0;
}

// ---- The walk over the frame's bars.

namespace {

bool PassesMask(CUiControlBar* pBar, DWORD dwMask, CPoint pt)
{
    if (dwMask == 0xFFF)
        return true;
    if (!(dwMask & 0x007) || !(dwMask & 0x300) || !(dwMask & 0xC00))
        return false;
    const bool bFixed = pBar->IsFixedSizeBar();
    if (bFixed ? !(dwMask & 0x001) : !(dwMask & (pBar->IsMinimizedInRow() ? 0x002 : 0x004)))
        return false;
    if (pBar->IsBarFloating()) {
        if (!(dwMask & 0x080))
            return false;
    } else if (dwMask & 0x078) {
        switch (pBar->GetDockBarId()) {
        case AFX_IDW_DOCKBAR_TOP: if (!(dwMask & 0x008)) return false; break;
        case AFX_IDW_DOCKBAR_BOTTOM: if (!(dwMask & 0x010)) return false; break;
        case AFX_IDW_DOCKBAR_LEFT: if (!(dwMask & 0x020)) return false; break;
        case AFX_IDW_DOCKBAR_RIGHT: if (!(dwMask & 0x040)) return false; break;
        default: break;
        }
    }
    if (!(dwMask & (pBar->IsVisible() ? 0x100 : 0x200)))
        return false;
    if (!(dwMask & (pBar->IsWindowVisible() ? 0x400 : 0x800)))
        return false;
    if (dwMask < 0x8000)
        return true;
    CRect rcWindow;
    CWnd* pArea = pBar->IsBarFloating() && pBar->GetParentFrame() != nullptr ? static_cast<CWnd*>(pBar->GetParentFrame()) : pBar;
    pArea->GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(pt))
        return false;
    if (dwMask & 0x8000)
        return true;
    if (dwMask & 0x10000) {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        pBar->ClientToScreen(&rcClient);
        if (!rcClient.PtInRect(pt))
            return false;
    }
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    if ((dwMask & 0x20000) && !pBar->m_rcCaption.PtInRect(CPoint(pt.x - rcBar.left, pt.y - rcBar.top)))
        return false;
    static const struct {
        DWORD dwBit;
        LRESULT nHit;
    } kHits[] = {{0x40000, HTLEFT}, {0x80000, HTRIGHT}, {0x100000, HTTOP}, {0x200000, HTBOTTOM},
                 {0x400000, HTTOPLEFT}, {0x800000, HTTOPRIGHT}, {0x1000000, HTBOTTOMLEFT},
                 {0x2000000, HTBOTTOMRIGHT}, {0x4000000, HTNOWHERE}, {0x10000000, HTSIZE},
                 {0x20000000, HTMINBUTTON}, {0x40000000, HTMAXBUTTON}, {0x80000000, HTCLIENT}};
    const LRESULT nHit = pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    for (const auto& h : kHits) {
        if ((dwMask & h.dwBit) && nHit != h.nHit)
            return false;
    }
    return true;
}

} // namespace

void CUiControlBar::CollectFrameBars(CWnd* pExclude, CFrameWnd* pFrame, CArray<CUiControlBar*, CUiControlBar*>& arr,
                                     DWORD dwMask, int x, int y)
{
    CSingleLock lock(&g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); ++i) {
        CUiControlBar* pBar = g_arrAllBars[i];
        if (pBar->GetSafeHwnd() == NULL || (pBar->m_bBarFlags & kContained) || pBar->IsPlainContainer())
            continue;
        if (pExclude != nullptr && (pBar == pExclude || ::IsChild(pExclude->m_hWnd, pBar->m_hWnd)))
            continue;
        if (pBar->FindDockSiteFrame() != pFrame)
            continue;
        if (!PassesMask(pBar, dwMask, CPoint(x, y)))
            continue;
        AddBarUnique(arr, pBar);
        if (dwMask != 0xFFF && (dwMask & 0x8000))
            return;
    }
}

// ---- Operations of the dragging and docking parts.

bool CUiControlBar::InsertBarsMenuItem(CUiPopupMenuWnd* pMenu)
{
    return (m_bBarFlags & kInBarsMenu) && pMenu != nullptr && pMenu->ItemInsert((UINT)GetDlgCtrlID(), -1);
}

