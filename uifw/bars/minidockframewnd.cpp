#include "minidockframewnd.h"

#include "afxdc.h"
#include "barpaintdata.h"
#include "barwndclass.h"
#include "controlbar.h"
#include "dockbar.h"
#include "memorydc.h"
#include "monitorinfo.h"
#include "ncbuttonpaintdata.h"
#include "paintdraw.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "popuptrackingstate.h"
#include "toolcontrolbar.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CUiMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CUiMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const DWORD kSystemFrameStyles = WS_CAPTION | WS_THICKFRAME | 0x200;
const DWORD kSystemFrameExStyles = WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

int BorderWidth()
{
    return ::GetSystemMetrics(SM_CXFRAME);
}

int BorderHeight()
{
    return ::GetSystemMetrics(SM_CYFRAME);
}

int CaptionHeight()
{
    return ::GetSystemMetrics(SM_CYSMCAPTION);
}

CRect WorkAreaOf(CWnd* pWnd)
{
    MonitorInfo info;
    MonitorInfoFromWindow(info, pWnd);
    return CRect(info.rcWork);
}

bool g_bInResizeTrack = false;
bool g_bInReachAdjust = false;
bool g_bKeepingInFront = false;
} // namespace

CUiMiniDockFrameWnd::CUiMiniDockFrameWnd()
    : m_bCloseHover(false), m_ptLastTrack(-1, -1), m_nResizeHit(0), m_hLastHosted(NULL), m_bForwardLost(false)
{
    m_rcClose.SetRectEmpty();
    m_rcCaption.SetRectEmpty();
    m_rcResizeStart.SetRectEmpty();
}

CUiMiniDockFrameWnd::~CUiMiniDockFrameWnd()
{
    m_ownerWatch.UnhookAllWindows();
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.DestroyWindow();
}

void CUiMiniDockFrameWnd::OnDestroy()
{
    m_ownerWatch.UnhookAllWindows();
    CMiniDockFrameWnd::OnDestroy();
}

bool CUiMiniDockFrameWnd::OwnerWatch::DispatchHookedMessage(LRESULT&, HWND, UINT nMessage, WPARAM& wParam,
                                                            LPARAM& lParam)
{
    // Looked at once the owner has moved: the frame's timer comes after the message. A press
    // on a window inside the owner may raise the owner without any message to it (Wine does
    // so for a press on a tab of a docked group): the press is reported by its parent notice.
    const UINT nNotice = nMessage == WM_PARENTNOTIFY ? LOWORD(wParam) : 0;
    const bool bPress = nNotice == WM_LBUTTONDOWN || nNotice == WM_RBUTTONDOWN || nNotice == WM_MBUTTONDOWN;
    const bool bForward = (nMessage == WM_WINDOWPOSCHANGED &&
                           !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) ||
                          (nMessage == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) || nMessage == WM_MOUSEACTIVATE ||
                          bPress;
    if (bForward && m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SetTimer(kTimerKeepInFront, 1, NULL);
    return false;
}

void CUiMiniDockFrameWnd::KeepFloatingFramesInFront(CFrameWnd* pSite)
{
    if (pSite == nullptr || pSite->GetSafeHwnd() == NULL)
        return;
    std::vector<HWND> frames;
    for (HWND h = ::GetTopWindow(NULL); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetWindow(h, GW_OWNER) == pSite->m_hWnd)
            frames.push_back(h);
    }
    for (HWND h : frames) {
        CWnd* p = CWnd::FromHandlePermanent(h);
        if (p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
            static_cast<CUiMiniDockFrameWnd*>(p)->KeepInFrontOfOwner();
    }
}

CPoint CUiMiniDockFrameWnd::PlaceOnWorkArea()
{
    CRect rc;
    GetWindowRect(&rc);
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    std::vector<CPoint> corners;
    for (HWND h = ::GetTopWindow(NULL); h != NULL && hOwner != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* p = h != m_hWnd && ::GetWindow(h, GW_OWNER) == hOwner && ::IsWindowVisible(h) ? CWnd::FromHandlePermanent(h)
                                                                                         : nullptr;
        if (p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) {
            CRect rcOther;
            p->GetWindowRect(&rcOther);
            corners.push_back(rcOther.TopLeft());
        }
    }
    // One caption further down and right at a time, or up and left where the work area ends.
    const int nStep = BorderHeight() + CaptionHeight();
    CRect rcPlaced = FitRectToMonitor(rc, TRUE, TRUE);
    for (int i = 1; i < 64; ++i) {
        if (std::find(corners.begin(), corners.end(), rcPlaced.TopLeft()) == corners.end())
            break;
        const int nOffset = (i % 2 == 1 ? 1 : -1) * ((i + 1) / 2) * nStep;
        rcPlaced = FitRectToMonitor(CRect(rc.TopLeft() + CSize(nOffset, nOffset), rc.Size()), TRUE, TRUE);
    }
    if (rcPlaced.TopLeft() != rc.TopLeft())
        SetWindowPos(NULL, rcPlaced.left, rcPlaced.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return rcPlaced.TopLeft();
}

namespace {

// Whether a shown topmost window of this program (an open menu, a tip) lies at the top of the
// order of windows. Another program's always-on-top window stays there for good and tells
// nothing of this program's menus: counted, it would keep the frames from ever coming forward.
bool TopmostWindowShown()
{
    const DWORD dwProcess = ::GetCurrentProcessId();
    for (HWND h = ::GetTopWindow(NULL); h != NULL && (::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
         h = ::GetWindow(h, GW_HWNDNEXT)) {
        DWORD dwOwner = 0;
        ::GetWindowThreadProcessId(h, &dwOwner);
        if (dwOwner == dwProcess && ::IsWindowVisible(h))
            return true;
    }
    return false;
}

// The popup menus tell the frames when a tracking has ended.
struct TrackingEndedInstaller {
    TrackingEndedInstaller() { PopupTrackingState::g_pfnTrackingEnded = &CUiMiniDockFrameWnd::ComeForwardWhereLost; }
} g_trackingEndedInstaller;

} // namespace

void CUiMiniDockFrameWnd::KeepInFrontOfOwner(bool bForce)
{
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (g_bKeepingInFront || hOwner == NULL || !IsWindowVisible() || !::IsWindowVisible(hOwner))
        return;
    bool bInFront = false;
    for (HWND h = ::GetWindow(hOwner, GW_HWNDPREV); h != NULL && !bInFront; h = ::GetWindow(h, GW_HWNDPREV))
        bInFront = h == m_hWnd;
    if (bInFront && !bForce)
        return;
    // Right in front of the owner, behind the shown windows in front of it. Placed behind one
    // of them, the frame would be in front of the owner only in the system's order of windows:
    // under Wine the X server's stacking follows a window only when it goes to the top, and the
    // owner, raised there before, would go on hiding the frame. So the frame goes to the top,
    // and the shown windows of this thread that were in front of the owner go there again
    // after it, back to front. Hidden windows (tips and the like) move on their own; topmost
    // ones stay above anyway.
    // Another program's window in front of the owner keeps its place: the frame goes right
    // behind the nearest shown window then, as nothing of this thread may be raised over it.
    // While a topmost window is shown (an open menu, whose owner the click that opened it
    // raised), the top lies below it: the system's order changes, the screen does not, and
    // the owner goes on hiding the frame and taking the clicks meant for it. The frame comes
    // forward once more when the topmost window has gone.
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    std::vector<HWND> inFront;
    HWND hNearest = NULL;
    bool bOthers = false;
    const DWORD dwThread = ::GetCurrentThreadId();
    for (HWND h = ::GetWindow(hOwner, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV)) {
        if (!::IsWindowVisible(h) || (::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST))
            continue;
        if (hNearest == NULL)
            hNearest = h;
        if (::GetWindowThreadProcessId(h, NULL) == dwThread)
            inFront.push_back(h);
        else
            bOthers = true;
    }
    m_bForwardLost = !bOthers && TopmostWindowShown();
    if (bInFront && (bOthers || m_bForwardLost))
        return;
    g_bKeepingInFront = true;
    if (bOthers) {
        ::SetWindowPos(m_hWnd, hNearest, 0, 0, 0, 0, nFlags);
    } else {
        // Already in front, the frame keeps its place among the others.
        if (!bInFront)
            inFront.insert(inFront.begin(), m_hWnd);
        for (HWND h : inFront)
            ::SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, nFlags);
    }
    g_bKeepingInFront = false;
}

void CUiMiniDockFrameWnd::ComeForwardWhereLost()
{
    if (TopmostWindowShown())
        return;
    const DWORD dwThread = ::GetCurrentThreadId();
    std::vector<HWND> frames;
    for (HWND h = ::GetTopWindow(NULL); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(h, NULL) == dwThread)
            frames.push_back(h);
    }
    for (HWND h : frames) {
        CWnd* p = ::IsWindow(h) ? CWnd::FromHandlePermanent(h) : nullptr;
        if (p == nullptr || !p->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
            continue;
        CUiMiniDockFrameWnd* pFrame = static_cast<CUiMiniDockFrameWnd*>(p);
        if (pFrame->m_bForwardLost) {
            pFrame->m_bForwardLost = false;
            pFrame->KeepInFrontOfOwner(true);
        }
    }
}

// ---- Creation and the frame's metrics.

void CUiMiniDockFrameWnd::RemoveSystemFrame()
{
    const DWORD dwStyle = GetStyle();
    if (dwStyle & kSystemFrameStyles) {
        ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~kSystemFrameStyles));
        SetWindowPos(NULL, 0, 0, 0, 0, 0x73F);
    }
    const DWORD dwExStyle = GetExStyle();
    if (dwExStyle & kSystemFrameExStyles) {
        ::SetWindowLong(m_hWnd, GWL_EXSTYLE, (LONG)(dwExStyle & ~kSystemFrameExStyles));
        SetWindowPos(NULL, 0, 0, 0, 0, 0x73F);
    }
}

BOOL CUiMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    RemoveSystemFrame();
    if (HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER))
        m_ownerWatch.InstallWindowHook(hOwner);
    SetTimer(kTimerWatchOwner, 250, NULL);
    SetTimer(kTimerLayoutButtons, 1, NULL);
    EnableToolTips(TRUE);
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(TRUE);
    return TRUE;
}

void CUiMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    FrameRectAround(lpClientRect);
}

void CUiMiniDockFrameWnd::FrameRectAround(LPRECT lpClientRect)
{
    ::InflateRect(lpClientRect, BorderWidth(), BorderHeight());
    lpClientRect->top -= CaptionHeight();
}

void CUiMiniDockFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    RECT& rc = lpncsp->rgrc[0];
    ::InflateRect(&rc, -BorderWidth(), -BorderHeight());
    rc.top += CaptionHeight();
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

BOOL CUiMiniDockFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.RelayEvent(pMsg);
    return CMiniDockFrameWnd::PreTranslateMessage(pMsg);
}

INT_PTR CUiMiniDockFrameWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CControlBar* pBar = GetHostedControlBar();
    if (pTI == nullptr || m_wndToolTip.GetSafeHwnd() == NULL || pBar == nullptr || !(pBar->m_dwStyle & CBRS_TOOLTIPS))
        return -1;
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    CPoint ptBar = point;
    ClientToScreen(&ptBar);
    pBar->ScreenToClient(&ptBar);
    const INT_PTR nHit = pBar->OnToolHitTest(ptBar, &ti);
    if (nHit >= 0 && ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK) {
        CToolTipCtrl& tip = const_cast<CToolTipCtrl&>(m_wndToolTip);
        tip.AddTool(const_cast<CUiMiniDockFrameWnd*>(this), ti.lpszText, &ti.rect, 1);
    }
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK)
        ::free(ti.lpszText);
    return -1;
}

CControlBar* CUiMiniDockFrameWnd::GetHostedControlBar() const
{
    CWnd* pDock = GetWindow(GW_CHILD);
    CWnd* pFirst = pDock != nullptr ? pDock->GetWindow(GW_CHILD) : nullptr;
    CWnd* pPerm = pFirst != nullptr ? CWnd::FromHandlePermanent(pFirst->m_hWnd) : nullptr;
    return pPerm != nullptr && pPerm->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pPerm) : nullptr;
}

CUiControlBar* CUiMiniDockFrameWnd::GetHostedUiBar() const
{
    CControlBar* pBar = GetHostedControlBar();
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) ? static_cast<CUiControlBar*>(pBar) : nullptr;
}

bool CUiMiniDockFrameWnd::IsNotResizableToolBar(CUiControlBar* pBar) const
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) &&
           static_cast<CUiToolControlBar*>(pBar)->m_bNoContentExpand;
}

bool CUiMiniDockFrameWnd::GetContainerCaptionText(CString& strText)
{
    strText.Empty();
    CFrameWnd* pSite = GetParentFrame();
    if (pSite == nullptr)
        return false;
    CSingleLock lock(&CUiControlBar::g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < CUiControlBar::g_arrAllBars.GetSize(); ++i) {
        CUiControlBar* pBar = CUiControlBar::g_arrAllBars[i];
        if (pBar->GetSafeHwnd() == NULL || pBar->m_pDockSite == nullptr || pBar->IsFixedSizeBar() ||
            pBar->IsPlainContainer() || pBar->GetParentFrame() != this || pBar->IsAloneInFloatingFrame() ||
            !pBar->IsVisible())
            continue;
        CDockBar* pDock = pBar->m_pDockBar;
        if (pDock == nullptr || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) || pBar->IsInTabbedGroup())
            continue;
        pBar->GetCaptionText(1, strText);
        break;
    }
    return !strText.IsEmpty();
}

void CUiMiniDockFrameWnd::GetCaptionText(CUiControlBar* pBar, CString& strText)
{
    strText.Empty();
    if (pBar != nullptr) {
        if (pBar->IsPlainContainer())
            GetContainerCaptionText(strText);
        else
            pBar->GetCaptionText(1, strText);
    }
    if (strText.IsEmpty()) {
        if (pBar == nullptr)
            GetWindowText(strText);
        else
            pBar->GetWindowText(strText);
    }
}

void CUiMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    CMiniDockFrameWnd::RecalcLayout(bNotify);
    FollowHostedBar();
}

// A group or container left with one bar gives the frame that bar without a word to the
// frame, and the frame keeps its size: its window text would still name the bar that left
// last, and the bar, which had no caption of its own in the group, no caption buttons.
void CUiMiniDockFrameWnd::FollowHostedBar()
{
    CUiControlBar* pBar = GetHostedUiBar();
    if (pBar == nullptr || GetSafeHwnd() == NULL)
        return;
    CString strText, strOld;
    GetCaptionText(pBar, strText);
    GetWindowText(strOld);
    const bool bChanged = strText != strOld || pBar->m_hWnd != m_hLastHosted;
    m_hLastHosted = pBar->m_hWnd;
    if (strText != strOld)
        SetWindowText(strText);
    pBar->CreateNcAreaButtons();
    pBar->LayoutNcAreaButtons();
    if (bChanged && IsWindowVisible())
        SendMessage(WM_NCPAINT);
}

// ---- Size, hit tests and painting.

void CUiMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    const CRect rcWork = WorkAreaOf(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rcWindow.Width() > rcWork.Width() || rcWindow.Height() > rcWork.Height()) {
        MoveWindow(rcWindow.left, rcWindow.top, std::min(rcWindow.Width(), rcWork.Width()),
                   std::min(rcWindow.Height(), rcWork.Height()), TRUE);
        return;
    }
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    m_rcCaption.SetRect(BorderWidth(), BorderHeight(), rcWindow.Width() - BorderWidth(),
                        BorderHeight() + ::GetSystemMetrics(SM_CYSMSIZE));
    m_rcClose.SetRect(m_rcCaption.right - ::GetSystemMetrics(SM_CXSMSIZE), m_rcCaption.top + 2, m_rcCaption.right - 3,
                      m_rcCaption.bottom - 2);
    if (CUiControlBar* pBar = GetHostedUiBar()) {
        pBar->CreateNcAreaButtons();
        pBar->LayoutNcAreaButtons();
    }
    PassPaintMessages(TRUE, TRUE, TRUE);
}

LRESULT CUiMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    if (CUiControlBar::GetBarBeingDragged() != nullptr)
        return HTNOWHERE;
    if (GetStyle() & 0x800)
        ModifyStyle(0x800, 0);
    CRect rc;
    GetWindowRect(&rc);
    if (!rc.PtInRect(point))
        return HTNOWHERE;
    const CPoint pt = point - rc.TopLeft();
    const int cxBorder = BorderWidth(), cyBorder = BorderHeight(), cyCaption = CaptionHeight();
    const int cx = rc.Width(), cy = rc.Height();
    LRESULT nHit;
    if (pt.y < cyBorder) {
        nHit = pt.x < cyCaption ? HTTOPLEFT : pt.x >= cx - cyBorder ? HTTOPRIGHT : HTTOP;
    } else if (pt.y >= cy - cyBorder) {
        nHit = pt.x < cyCaption ? HTBOTTOMLEFT : pt.x >= cx - cyBorder ? HTBOTTOMRIGHT : HTBOTTOM;
    } else if (pt.x < cxBorder) {
        nHit = pt.y < cyCaption ? HTTOPLEFT : pt.y >= cy - cyCaption ? HTBOTTOMLEFT : HTLEFT;
    } else if (pt.x >= cx - cxBorder) {
        nHit = pt.y < cyCaption ? HTTOPRIGHT : pt.y >= cy - cyCaption ? HTBOTTOMRIGHT : HTRIGHT;
    } else if (pt.y < cyBorder + cyCaption) {
        nHit = HTCAPTION;
    } else {
        nHit = HTCLIENT;
    }
    CUiControlBar* pBar = GetHostedUiBar();
    if (pBar == nullptr)
        return nHit;
    CUiBarNcAreaButton* pButton = nullptr;
    const UINT nButtonHit = pBar->NcButtonsHitTest(point, &pButton);
    if (pButton != nullptr) {
        pBar->m_bViewFlags |= CUiControlBar::kButtonHot;
        if (pBar->IsContentExpandWanted())
            SetTimer(kTimerButtonHover, 20, NULL);
        return nButtonHit;
    }
    pBar->m_bViewFlags &= ~CUiControlBar::kButtonHot;
    if (pBar->IsFixedSizeBar()) {
        if (IsNotResizableToolBar(pBar)) {
            if (nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT)
                nHit = HTCAPTION;
        } else if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT) {
            nHit = HTTOP;
        } else if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT) {
            nHit = HTBOTTOM;
        }
    }
    SendMessage(WM_NCPAINT);
    return nHit;
}

void CUiMiniDockFrameWnd::OnNcPaint()
{
    CWindowDC dcWindow(this);
    CRect rcWindow, rcClient;
    GetNonClientRects(this, rcWindow, rcClient);
    dcWindow.ExcludeClipRect(&rcClient);
    CUiControlBar* pBar = GetHostedUiBar();
    const bool bResizable = pBar != nullptr && !pBar->IsFixedSizeBar();
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    {
        CUiMemoryDC dc;
        dc.BeginOffscreen(&dcWindow, rcWindow, 3);
        BarFramePaintData frame(this, rcWindow, rcClient, TRUE, bResizable, FALSE);
        pPaint->PaintControlBarBorders(dc, frame);
        CString strText;
        GetCaptionText(pBar, strText);
        CRect rcText = m_rcCaption;
        rcText.right = m_rcClose.left;
        if (pBar != nullptr)
            pBar->AdjustCaptionTextRect(rcText);
        rcText.DeflateRect(2, 0);
        HWND hFocus = ::GetFocus();
        const bool bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
        GripperPaintData caption(this, m_rcCaption, rcText, bActive, TRUE, FALSE, bResizable,
                                 strText.IsEmpty() ? nullptr : (LPCSTR)strText);
        pPaint->PaintGripper(dc, caption);
        if (pBar == nullptr) {
            NcButtonPaintData button(this, m_rcClose, 1, m_bCloseHover, FALSE, TRUE, FALSE, bActive, TRUE);
            pPaint->PaintBarNcAreaButton(dc, button);
        } else {
            pBar->PaintNcAreaButtons(dc);
        }
        pPaint->EndPaintSession(this, 0);
    }
}

BOOL CUiMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
    SendMessage(WM_NCPAINT);
    if (bActive) {
        if (CUiControlBar* pBar = GetHostedUiBar())
            pBar->RedrawWindow(NULL, NULL, 0x185);
    }
    return bResult;
}

BOOL CUiMiniDockFrameWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUiMiniDockFrameWnd::OnPaint()
{
    // The frame's own area only: a frame without WS_CLIPCHILDREN would validate its bars with
    // it, and a bar that never paints shows black.
    RedrawWindow(NULL, NULL, RDW_VALIDATE | RDW_NOCHILDREN);
}

// ---- The close button and the mouse on the non-client area.

void CUiMiniDockFrameWnd::UpdateCloseButtonHover(CPoint ptScreen)
{
    if (CUiControlBar* pBar = GetHostedUiBar()) {
        pBar->NcButtonsHitTest(ptScreen, nullptr);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const bool bHover = m_rcClose.PtInRect(CPoint(ptScreen - rcWindow.TopLeft())) != FALSE;
    if (bHover != m_bCloseHover) {
        m_bCloseHover = bHover;
        SendMessage(WM_NCPAINT);
    }
    if (bHover)
        SetTimer(kTimerCloseHover, 20, NULL);
    else
        KillTimer(kTimerCloseHover);
}

void CUiMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (IsResizing())
        return;
    Default();
    (void)nHitTest;
    UpdateCloseButtonHover(point);
}

void CUiMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (m_rcClose.PtInRect(CPoint(point - rcWindow.TopLeft())) && GetHostedUiBar() == nullptr)
        return;
    CUiControlBar* pBar = GetHostedUiBar();
    if (nHitTest == HTCAPTION) {
        ActivateTopParent();
        if (pBar != nullptr && !pBar->IsContentExpandWanted())
            BringWindowToTop();
        if (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) {
            CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
            return;
        }
        CControlBar* pFirst = GetFirstBar();
        if (pBar != nullptr) {
            if (pBar->IsFixedSizeBar() && !pBar->IsMarkerDockingMode()) {
                if (pBar->m_pDockContext != nullptr)
                    pBar->m_pDockContext->StartDrag(point);
            } else {
                pBar->DragLoop(point);
            }
        } else if (pFirst != nullptr && pFirst->m_pDockContext != nullptr) {
            pFirst->m_pDockContext->StartDrag(point);
        }
        return;
    }
    if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        ActivateTopParent();
        CControlBar* pFirst = GetFirstBar();
        if (pFirst == nullptr || !pFirst->IsKindOf(RUNTIME_CLASS(CUiControlBar))) {
            CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
            return;
        }
        CUiControlBar* pUi = static_cast<CUiControlBar*>(pFirst);
        if (pUi->IsFixedSizeBar() && !pUi->IsMarkerDockingMode() && pUi->m_pDockContext != nullptr)
            pUi->m_pDockContext->StartResize((int)nHitTest, point);
        else
            ResizeLoop((int)nHitTest);
        return;
    }
    if (nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON || nHitTest == HTSYSMENU)
        return;
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CUiMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (IsResizing()) {
        ResizeStop();
        return;
    }
    if (CUiControlBar::GetBarBeingDragged() != nullptr)
        return;
    CUiControlBar* pBar = GetHostedUiBar();
    if (pBar != nullptr && (pBar->m_bViewFlags & CUiControlBar::kButtonHot)) {
        pBar->ClickNcAreaButtons(point);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CControlBar* pHosted = GetHostedControlBar();
    if (pBar == nullptr && pHosted != nullptr && m_rcClose.PtInRect(CPoint(point - rcWindow.TopLeft()))) {
        CFrameWnd* pSite = GetParentFrame();
        if (pSite != nullptr)
            pSite->ShowControlBar(pHosted, FALSE, FALSE);
        return;
    }
    (void)nHitTest;
    Default();
}

void CUiMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (nHitTest == HTCAPTION && m_rcClose.PtInRect(CPoint(point - rcWindow.TopLeft())))
        return;
    if (CUiControlBar* pBar = GetHostedUiBar()) {
        // A resizable bar goes back where it was docked; a toolbar's dock context knows its place.
        if (pBar->IsFixedSizeBar() || pBar->IsFixedSizeForDrag())
            pBar->ToggleDocking();
        else
            pBar->DockAtMRUPlace();
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CUiMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    if (IsResizing()) {
        ResizeStop();
        return;
    }
    CUiControlBar* pBar = GetHostedUiBar();
    CFrameWnd* pSite = GetParentFrame();
    if (nHitTest != HTCAPTION || pBar == nullptr || pSite == nullptr) {
        Default();
        return;
    }
    if (CUiControlBar::IsFrameInHelpMode(this))
        return;
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (!pMenu->InitRootMenu(pSite->m_hWnd) || !CUiDockBar::BuildBarsPopupMenu(pSite, pMenu, 5, pBar, 164, 0) ||
        pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    (void)point;
    if (!pMenu->TrackMenu(0x800, pt.x, pt.y))
        delete pMenu;
}

// ---- The resize loop.

void CUiMiniDockFrameWnd::ResizeLoop(int nHitTest)
{
    CUiPopupMenuWnd::CloseTrackedMenus();
    CancelToolTips();
    CUiControlBar* pBar = GetHostedUiBar();
    if (pBar != nullptr && pBar->IsFixedSizeBar() && !pBar->IsMarkerDockingMode() && pBar->m_pDockContext != nullptr) {
        CPoint pt;
        ::GetCursorPos(&pt);
        pBar->m_pDockContext->StartResize(nHitTest, pt);
        return;
    }
    if (nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
        return;
    m_nResizeHit = nHitTest;
    if (pBar != nullptr && !pBar->IsFixedSizeBar())
        pBar->ModifyStyle(0x2000, 0);
    BringWindowToTop();
    CUiMouseCaptureSink::SetCapture(m_hWnd);
    GetWindowRect(&m_rcResizeStart);
    while (m_nResizeHit != 0) {
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        const UINT m = msg.message;
        if (m == WM_ACTIVATEAPP || m == WM_COMMAND || (m >= 0x100 && m <= 0x108)) {
            ResizeStop();
            break;
        }
        if (m == WM_MOUSEMOVE) {
            while (::PeekMessage(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
            }
            CPoint pt;
            ::GetCursorPos(&pt);
            ResizeTrack(pt.x, pt.y);
            continue;
        }
        if (::GetCapture() != m_hWnd) {
            ResizeStop();
            break;
        }
        if (!AfxPumpPeekedMessage(msg)) {
            ::PostQuitMessage(0);
            break;
        }
    }
}

void CUiMiniDockFrameWnd::ResizeStop()
{
    m_ptLastTrack = CPoint(-1, -1);
    if (m_nResizeHit == 0)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CUiControlBar* pBar = GetHostedUiBar();
    if (pBar != nullptr && !pBar->IsFixedSizeBar())
        pBar->ModifyStyle(0, 0x2000);
    m_nResizeHit = 0;
}

void CUiMiniDockFrameWnd::ResizeTrack(int x, int y)
{
    if (g_bInResizeTrack || (m_ptLastTrack.x == x && m_ptLastTrack.y == y))
        return;
    m_ptLastTrack = CPoint(x, y);
    CUiControlBar* pBar = GetHostedUiBar();
    if (pBar == nullptr)
        return;
    g_bInResizeTrack = true;
    CRect rc, rcClient;
    GetWindowRect(&rc);
    GetClientRect(&rcClient);
    const int nNcWidth = rc.Width() - rcClient.Width();
    const int nNcHeight = rc.Height() - rcClient.Height();
    const int nMinWidth = std::max(nNcWidth, pBar->GetMinExtentHorz());
    const int nMinHeight = std::max(nNcHeight, pBar->GetMinExtentVert());
    const bool bFixed = pBar->IsFixedSizeBar();
    int nHit = m_nResizeHit;
    bool bMirroredX = false, bMirroredY = false;
    if (bFixed) {
        if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
            nHit = HTTOP;
        else if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
            nHit = HTBOTTOM;
        if (nHit == HTLEFT) {
            nHit = HTRIGHT;
            x = rc.left + rc.right - x;
            bMirroredX = true;
        } else if (nHit == HTTOP) {
            nHit = HTBOTTOM;
            y = rc.top + rc.bottom - y;
            bMirroredY = true;
        }
    }
    const bool bLeft = nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT;
    const bool bRight = nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT;
    const bool bTop = nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT;
    const bool bBottom = nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT;
    const CRect rcOld = rc;
    if (bLeft)
        rc.left = std::min<LONG>(x, rc.right);
    if (bRight)
        rc.right = std::max<LONG>(x, rc.left);
    if (bTop)
        rc.top = std::min<LONG>(y, rc.bottom);
    if (bBottom)
        rc.bottom = std::max<LONG>(y, rc.top);
    if (rc.Width() < nMinWidth)
        rc.right = rc.left + nMinWidth;
    if (rc.Height() < nMinHeight)
        rc.bottom = rc.top + nMinHeight;
    if (bLeft && rc.right > rcOld.right)
        rc.OffsetRect(rcOld.right - rc.right, 0);
    if (bTop && rc.bottom > rcOld.bottom)
        rc.OffsetRect(0, rcOld.bottom - rc.bottom);
    if (!bFixed) {
        const CSize sizeDefault = pBar->GetDefaultFloatSize();
        const CRect rcWork = WorkAreaOf(this);
        rc.right = rc.left + std::min<int>(std::max<int>(rc.Width(), sizeDefault.cx), rcWork.Width());
        rc.bottom = rc.top + std::min<int>(std::max<int>(rc.Height(), sizeDefault.cy), rcWork.Height());
        pBar->m_sizeFloat = CSize(rc.Width() - nNcWidth, rc.Height() - nNcHeight);
        MoveWindow(&rc, TRUE);
        RecalcLayout();
        SetTimer(kTimerLayoutButtons, 1, NULL);
    } else {
        const bool bAlongX = bLeft || bRight;
        const DWORD dwMode = bAlongX ? (LM_COMMIT | LM_HORZ) : (LM_COMMIT | LM_LENGTHY | LM_HORZ);
        const int nLength = bAlongX ? rc.Width() - nNcWidth : rc.Height() - nNcHeight - ::GetSystemMetrics(SM_CYFRAME);
        const CSize size = pBar->CalcDynamicLayout(nLength, dwMode);
        if (size != pBar->m_sizeFloat) {
            pBar->m_sizeFloat = size;
            CRect rcFrame(0, 0, size.cx, size.cy);
            CalcWindowRect(&rcFrame);
            CRect rcNew(rc.TopLeft(), rcFrame.Size());
            if (bMirroredX)
                rcNew.OffsetRect(m_rcResizeStart.right - rcFrame.Width() - rcNew.left, 0);
            if (bMirroredY)
                rcNew.OffsetRect(0, m_rcResizeStart.bottom - rcFrame.Height() - rcNew.top);
            if (pBar->m_pDockContext != nullptr)
                pBar->m_pDockContext->m_ptMRUFloatPos = rcNew.TopLeft();
            MoveWindow(&rcNew, TRUE);
            SendMessage(WM_NCPAINT);
            RecalcLayout();
            pBar->RedrawWindow(NULL, NULL, 0x385);
        }
    }
    g_bInResizeTrack = false;
}

void CUiMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsResizing()) {
        CMiniDockFrameWnd::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    ResizeTrack(point.x, point.y);
}

void CUiMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (IsResizing() && pWnd != this) {
        ResizeStop();
        return;
    }
    CMiniDockFrameWnd::OnCaptureChanged(pWnd);
}

void CUiMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsResizing()) {
        ResizeStop();
        return;
    }
    CMiniDockFrameWnd::OnLButtonUp(nFlags, point);
}

void CUiMiniDockFrameWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (IsResizing()) {
        ResizeStop();
        return;
    }
    CMiniDockFrameWnd::OnRButtonDown(nFlags, point);
}

void CUiMiniDockFrameWnd::OnCancelMode()
{
    CMiniDockFrameWnd::OnCancelMode();
    CUiPopupMenuWnd::CloseTrackedMenus();
    CancelToolTips();
    ResizeStop();
}

// Closed (Alt+F4 on a pane inside) as by its close button.
void CUiMiniDockFrameWnd::OnClose()
{
    if (CUiControlBar* pBar = GetHostedUiBar())
        pBar->HideByClose();
    else
        CMiniDockFrameWnd::OnClose();
}

// ---- Timers, limits and staying reachable.

void CUiMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    CUiControlBar* pBar = GetHostedUiBar();
    switch (nIDEvent) {
    case kTimerKeepInFront:
        // The owner came forward: on the screen it may now cover the frame even where the
        // order of windows still has the frame in front of it.
        KillTimer(nIDEvent);
        KeepInFrontOfOwner(true);
        return;
    case kTimerWatchOwner:
        KeepInFrontOfOwner(m_bForwardLost);
        return;
    case kTimerLayoutButtons:
        KillTimer(nIDEvent);
        if (pBar != nullptr)
            pBar->LayoutNcAreaButtons();
        if (IsWindowVisible())
            SendMessage(WM_NCPAINT);
        return;
    case kTimerCloseHover: {
        CPoint pt;
        ::GetCursorPos(&pt);
        UpdateCloseButtonHover(pt);
        return;
    }
    case kTimerButtonHover: {
        if (CUiControlBar::GetBarBeingDragged() != nullptr || pBar == nullptr) {
            KillTimer(nIDEvent);
            return;
        }
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pBar->NcButtonsHitTest(pt, nullptr) == HTCLIENT) {
            PostMessage(WM_NCPAINT);
            pBar->m_bViewFlags &= ~CUiControlBar::kButtonHot;
        }
        if (!(pBar->m_bViewFlags & CUiControlBar::kButtonHot))
            KillTimer(nIDEvent);
        return;
    }
    default:
        break;
    }
    if (pBar != nullptr && nIDEvent == (UINT_PTR)pBar->GetDlgCtrlID() && !IsResizing()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        HWND hUnder = ::WindowFromPoint(pt);
        if (hUnder != NULL && (hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder)) && !CUiPopupMenuWnd::IsTrackingMenu() &&
            IsWindowEnabled() && ::GetFocus() != NULL)
            BringWindowToTop();
        return;
    }
    CMiniDockFrameWnd::OnTimer(nIDEvent);
}

void CUiMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniDockFrameWnd::OnGetMinMaxInfo(lpMMI);
    const CRect rcWork = WorkAreaOf(this);
    lpMMI->ptMaxTrackSize.x = std::min<LONG>(lpMMI->ptMaxTrackSize.x, rcWork.Width());
    lpMMI->ptMaxTrackSize.y = std::min<LONG>(lpMMI->ptMaxTrackSize.y, rcWork.Height());
}

void CUiMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
    RemoveSystemFrame();
}

void CUiMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CMiniDockFrameWnd::OnWindowPosChanged(lpwndpos);
    // Kept in front of its owner while it moves or shows: the system may have put the owner
    // in front meanwhile without a word to either window.
    if (!(lpwndpos->flags & SWP_NOMOVE) || !(lpwndpos->flags & SWP_NOZORDER) || (lpwndpos->flags & SWP_SHOWWINDOW))
        KeepInFrontOfOwner();
    CUiControlBar* pBar = GetHostedUiBar();
    if (IsResizing() || g_bInReachAdjust || (lpwndpos->flags & SWP_NOMOVE) || pBar == nullptr || !pBar->IsBarFloating())
        return;
    const CRect rcWork = WorkAreaOf(this);
    CRect rc;
    GetWindowRect(&rc);
    int nTop = rc.top;
    if (nTop < rcWork.top)
        nTop = rcWork.top;
    else if (nTop + CaptionHeight() > rcWork.bottom)
        nTop = std::max<int>(rcWork.bottom - CaptionHeight(), rcWork.top);
    if (nTop == rc.top)
        return;
    g_bInReachAdjust = true;
    SetWindowPos(NULL, rc.left, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->LayoutNcAreaButtons();
    PostMessage(WM_NCPAINT);
    PassPaintMessages(TRUE, TRUE, TRUE);
    g_bInReachAdjust = false;
}
