// The slider: the one window per frame in which an auto-hidden bar slides out.
//
// Showing a bar moves the bar's content window into the slider, which grows out of the strip
// over the free part of the frame (the client area inside the strips and outer dock bars)
// to the bar's remembered depth, never deeper than the free part. While a bar shows, a
// thread mouse hook lets the slider see the mouse over the whole frame (the inner edge drag,
// the caption), and a 100 ms watch hides the bar once the cursor has stayed away from the
// slider and its strip for 500 ms while the focus is outside. Hiding gives the content back
// to the bar.
#include "tabwnd.h"

#include <algorithm>
#include <ctime>

#include "afxext.h"
#include "barpaintdata.h"
#include "barwndclass.h"
#include "controlbar.h"
#include "dockbar.h"
#include "dynbar.h"
#include "memorydc.h"
#include "ncareabutton.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiDynAutoHideSlider, CWnd)

int CUiDynAutoHideSlider::g_nAnimationSteps = 5;
int CUiDynAutoHideSlider::g_nAnimationStepMs = 10;
bool CUiDynAutoHideSlider::g_bNoShowAnimation = false;
bool CUiDynAutoHideSlider::g_bNoHideAnimation = false;

namespace {
const char kClassName[] = "VaviRIZ-AutohideSlider";
const UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
const int kMinExtent = 20;
const int kEdgeGrip = 5;
const UINT kInnerEdgeHit[4] = {HTBOTTOM, HTTOP, HTRIGHT, HTLEFT};

CUiDynAutoHideSlider* g_pHookOwner = nullptr;
HHOOK g_hHook = NULL;

LRESULT CALLBACK SliderMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CUiDynAutoHideSlider* pSlider = g_pHookOwner;
    if (nCode == HC_ACTION && pSlider != nullptr && ::IsWindow(pSlider->GetSafeHwnd()) && pSlider->IsShown() &&
        pSlider->IsWindowVisible()) {
        const CPoint pt = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt;
        bool bEaten = false;
        switch (wParam) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            bEaten = pSlider->OnHookMove(pt);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONUP:
            bEaten = pSlider->OnHookButton((UINT)wParam, pt);
            break;
        default:
            break;
        }
        if (bEaten)
            return 1;
    }
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

void RemoveHook(CUiDynAutoHideSlider* pSlider)
{
    if (g_pHookOwner != pSlider)
        return;
    if (g_hHook != NULL)
        ::UnhookWindowsHookEx(g_hHook);
    g_hHook = NULL;
    g_pHookOwner = nullptr;
}

// The bar whose remembered sizes the slider uses: a bar inside a container gives the
// container's.
CUiControlBar* SizeOwner(CUiControlBar* pBar)
{
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        CWnd* pContainer = pBar->m_pDockBar->GetParent();
        if (pContainer != nullptr && pContainer->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            return static_cast<CUiControlBar*>(pContainer);
    }
    return pBar;
}

bool IsHorizontalSide(int nSide)
{
    return nSide < 2;
}
}

CUiDynAutoHideSlider* CUiDynAutoHideSlider::FromBar(CUiControlBar* pBar)
{
    if (pBar == nullptr)
        return nullptr;
    CUiDynAutoHideArea* pArea = nullptr;
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        CWnd* p = static_cast<CUiDockBar*>(pBar->m_pDockBar)->GetAutoHideArea();
        if (p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideArea)))
            pArea = static_cast<CUiDynAutoHideArea*>(p);
    }
    if (pArea == nullptr)
        pArea = CUiDynAutoHideArea::FindAreaOfBar(pBar, nullptr);
    CUiDynAutoHideSlider* pSlider = pArea != nullptr ? pArea->GetAutoHideSlider() : nullptr;
    return pSlider != nullptr && pSlider->GetSafeHwnd() != NULL ? pSlider : nullptr;
}

void AnimateAutoHideSlider(CUiControlBar* pBar, bool bShow, bool bAnimate, bool)
{
    CUiDynAutoHideSlider* pSlider = CUiDynAutoHideSlider::FromBar(pBar);
    if (pSlider == nullptr)
        return;
    if (bShow)
        pSlider->Show(pBar, bAnimate);
    else if (pSlider->m_pBar == pBar)
        pSlider->Hide(bAnimate);
}

CUiDynAutoHideSlider::CUiDynAutoHideSlider()
    : m_pArea(nullptr), m_pBar(nullptr), m_sizeContent(0, 0), m_bFlags(0), m_nResizeHit(kIdle), m_nResizeStart(0),
      m_nResizeStart2(0), m_pHoverButton(nullptr), m_pTipButton(nullptr), m_pPressedButton(nullptr)
{
    m_rcFree.SetRectEmpty();
}

CUiDynAutoHideSlider::~CUiDynAutoHideSlider()
{
    RemoveHook(this);
}

void CUiDynAutoHideSlider::PostNcDestroy()
{
    delete this;
}

BOOL CUiDynAutoHideSlider::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = kClassName;
    return CWnd::PreCreateWindow(cs);
}

BOOL CUiDynAutoHideSlider::Create(CFrameWnd* pFrame)
{
    static bool s_bRegistered = false;
    if (pFrame == nullptr || !RegisterBarWindowClassOnce(kClassName, s_bRegistered))
        return FALSE;
    if (!CWnd::CreateEx(0, kClassName, "", WS_CHILD, CRect(0, 0, 0, 0), pFrame, (UINT)-1))
        return FALSE;
    EnableToolTips(TRUE);
    if (m_wndToolTip.Create(this))
        m_wndToolTip.SendMessage(TTM_ACTIVATE, TRUE);
    return TRUE;
}

int CUiDynAutoHideSlider::GetSide() const
{
    return m_pArea != nullptr ? m_pArea->GetSide() : 0;
}

// The frame's client area inside the visible strips, or the visible outer dock bars.
CRect CUiDynAutoHideSlider::CalcFreeRect() const
{
    CFrameWnd* pFrame = GetParentFrame();
    CRect rcFree(0, 0, 0, 0);
    if (pFrame == nullptr)
        return rcFree;
    pFrame->GetClientRect(&rcFree);
    const UINT nIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (int nSide = 0; nSide < 4; nSide++) {
        CControlBar* pDock = pFrame->GetControlBar(nIds[nSide]);
        if (pDock == nullptr)
            continue;
        CWnd* pEdge = nullptr;
        CWnd* pArea = pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pDock)->GetAutoHideArea() : nullptr;
        if (pArea != nullptr && pArea->IsWindowVisible())
            pEdge = pArea;
        else if (pDock->IsWindowVisible())
            pEdge = pDock;
        if (pEdge == nullptr)
            continue;
        CRect rc;
        pEdge->GetWindowRect(&rc);
        pFrame->ScreenToClient(&rc);
        switch (nSide) {
        case 0:
            rcFree.top = std::max<int>(rcFree.top, rc.bottom);
            break;
        case 1:
            rcFree.bottom = std::min<int>(rcFree.bottom, rc.top);
            break;
        case 2:
            rcFree.left = std::max<int>(rcFree.left, rc.right);
            break;
        default:
            rcFree.right = std::min<int>(rcFree.right, rc.left);
            break;
        }
    }
    return rcFree;
}

// Two pixels round, three more at the inner edge, and the bar's caption.
CSize CUiDynAutoHideSlider::NonClientSize() const
{
    CSize size(4, 4);
    (IsHorizontalSide(GetSide()) ? size.cy : size.cx) += 3;
    bool bAcross = false, bAtLeft = false;
    if (m_pBar != nullptr && m_pBar->QueryGripperLayout(bAcross, bAtLeft)) {
        if (bAcross)
            size.cy += m_pBar->m_nCaptionTop + 1;
        else
            size.cx += m_pBar->m_nCaptionLeft + 1;
    }
    return size;
}

// The shown bar's caption in the slider's window coordinates, where the non-client size
// leaves room for it; empty when the bar has none.
CRect CUiDynAutoHideSlider::CaptionRect() const
{
    CRect rc(0, 0, 0, 0);
    bool bAcross = false, bAtLeft = false;
    if (!IsShown() || m_pBar == nullptr || GetSafeHwnd() == NULL || !m_pBar->QueryGripperLayout(bAcross, bAtLeft))
        return rc;
    CRect rcClient;
    GetNonClientRects(const_cast<CUiDynAutoHideSlider*>(this), rc, rcClient);
    rc.DeflateRect(2, 2);
    const int nSide = GetSide();
    (nSide == 0 ? rc.bottom : nSide == 1 ? rc.top : nSide == 2 ? rc.right : rc.left) += (nSide == 0 || nSide == 2) ? -3 : 3;
    if (bAcross)
        rc.bottom = rc.top + m_pBar->m_nCaptionTop;
    else
        rc.right = rc.left + m_pBar->m_nCaptionLeft;
    return rc;
}

bool CUiDynAutoHideSlider::ShowsBar(const CUiControlBar* pBar) const
{
    return pBar != nullptr && IsShown() && m_pBar == pBar && GetSafeHwnd() != NULL && IsWindowVisible();
}

// The caption button under a screen point, the buttons laid out first: the slider may have
// changed size since they were last painted.
CUiBarNcAreaButton* CUiDynAutoHideSlider::CaptionButtonAt(CPoint ptScreen)
{
    if (!IsShown() || m_pBar == nullptr || CaptionRect().IsRectEmpty())
        return nullptr;
    m_pBar->LayoutNcAreaButtons();
    CUiBarNcAreaButton* pButton = nullptr;
    m_pBar->NcButtonsHitTest(ptScreen, &pButton);
    return pButton;
}

// The press is recorded in the button too: the key state a hook sees may not show it yet.
void CUiDynAutoHideSlider::SetPressedButton(CUiBarNcAreaButton* pButton)
{
    if (m_pPressedButton == pButton)
        return;
    if (m_pPressedButton != nullptr)
        m_pPressedButton->m_bFlags &= ~CUiBarNcAreaButton::kPressed;
    m_pPressedButton = pButton;
    if (pButton != nullptr)
        pButton->m_bFlags |= CUiBarNcAreaButton::kHover | CUiBarNcAreaButton::kPressed;
    SendMessage(WM_NCPAINT);
}

void CUiDynAutoHideSlider::UpdateHoverButton(CPoint ptScreen)
{
    CUiBarNcAreaButton* pButton = nullptr;
    if (IsShown() && !CUiPopupMenuWnd::IsTrackingMenu() && CUiControlBar::GetBarBeingDragged() == nullptr) {
        CRect rc;
        GetWindowRect(&rc);
        if (rc.PtInRect(ptScreen))
            pButton = CaptionButtonAt(ptScreen);
    }
    if (pButton == m_pHoverButton)
        return;
    // A hit test stops at the button it finds: the one left behind is told here.
    if (m_pHoverButton != nullptr && m_pHoverButton != pButton)
        m_pHoverButton->m_bFlags &= ~CUiBarNcAreaButton::kHover;
    m_pHoverButton = pButton;
    SendMessage(WM_NCPAINT);
}

// The slider's own tooltip carries the tip of the caption button under the point; the
// answer is always -1, so that the framework adds no tool of its own.
INT_PTR CUiDynAutoHideSlider::OnToolHitTest(CPoint point, TOOLINFO*) const
{
    CUiDynAutoHideSlider* pThis = const_cast<CUiDynAutoHideSlider*>(this);
    if (!IsShown() || m_pBar == nullptr || CUiPopupMenuWnd::IsTrackingMenu() ||
        CUiControlBar::GetBarBeingDragged() != nullptr || !(m_pBar->m_dwStyle & CBRS_TOOLTIPS) ||
        m_wndToolTip.GetSafeHwnd() == NULL)
        return -1;
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CUiBarNcAreaButton* pButton = pThis->CaptionButtonAt(ptScreen);
    if (pButton == nullptr || pButton == m_pTipButton)
        return -1;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    const INT_PTR nTool = pButton->GetTipInfo(ptScreen - rcWindow.TopLeft(), &ti);
    if (nTool > 0 && ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK) {
        CToolTipCtrl& tip = pThis->m_wndToolTip;
        tip.DelTool(pThis, kCaptionTool);
        tip.AddTool(pThis, ti.lpszText, &ti.rect, kCaptionTool);
        pThis->m_pTipButton = pButton;
    }
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK)
        ::free(ti.lpszText);
    return -1;
}

CRect CUiDynAutoHideSlider::StepRect(int nDepth) const
{
    CRect rc(m_rcFree);
    switch (GetSide()) {
    case 0:
        rc.bottom = rc.top + nDepth;
        break;
    case 1:
        rc.top = rc.bottom - nDepth;
        break;
    case 2:
        rc.right = rc.left + nDepth;
        break;
    default:
        rc.left = rc.right - nDepth;
        break;
    }
    return rc;
}

CRect CUiDynAutoHideSlider::FullRect() const
{
    const CSize nc = NonClientSize();
    return StepRect(IsHorizontalSide(GetSide()) ? m_sizeContent.cy + nc.cy : m_sizeContent.cx + nc.cx);
}

void CUiDynAutoHideSlider::RunAnimation(bool bShowing)
{
    const int nSteps = g_nAnimationSteps;
    const bool bHorz = IsHorizontalSide(GetSide());
    const CRect rcFull = FullRect();
    const int nFull = bHorz ? rcFull.Height() : rcFull.Width();
    CWnd* pContent = GetWindow(GW_CHILD);
    m_bFlags |= kAnimating;
    for (int nStep = 0; nStep < nSteps; nStep++) {
        const clock_t tStart = clock();
        const int nDepth = ::MulDiv(nFull, bShowing ? nStep : nSteps - 1 - nStep, nSteps + 1);
        const CRect rc = StepRect(nDepth);
        SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW | SWP_NOCOPYBITS);
        if (pContent != nullptr) {
            // The content slides in with the window: its far part shows first.
            const int nHidden = nFull - nDepth;
            const int nSide = GetSide();
            pContent->SetWindowPos(NULL, nSide == 2 ? -nHidden : 0, nSide == 0 ? -nHidden : 0, m_sizeContent.cx,
                                   m_sizeContent.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        RedrawWindow(NULL, NULL, kRedrawAll);
        PassPaintMessages(TRUE, TRUE, TRUE);
        const long nElapsedMs = (long)((clock() - tStart) * 1000 / CLOCKS_PER_SEC);
        if (nElapsedMs < g_nAnimationStepMs)
            ::Sleep((DWORD)(g_nAnimationStepMs - nElapsedMs));
    }
    m_bFlags &= ~kAnimating;
}

void CUiDynAutoHideSlider::ResetCaptionButtons()
{
    if (m_pBar == nullptr)
        return;
    m_pBar->m_bViewFlags &= ~CUiControlBar::kFocusInside;
    for (INT_PTR i = 0; i < m_pBar->m_arrNcButtons.GetSize(); i++)
        m_pBar->m_arrNcButtons[i]->NcHitTest(CPoint(-1, -1));
}

void CUiDynAutoHideSlider::Show(CUiControlBar* pBar, bool bAnimate)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL || !::IsWindow(pBar->m_hWnd))
        return;
    CUiPopupMenuWnd::CloseTrackedMenus();
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.SendMessage(TTM_POP);
    if (IsShown() && m_pBar == pBar)
        return;
    if (IsShown())
        Hide(bAnimate);

    const CRect rcFree = CalcFreeRect();
    if (rcFree.Width() < kMinExtent || rcFree.Height() < kMinExtent)
        return;
    CUiDynAutoHideArea* pArea = CUiDynAutoHideArea::FindAreaOfBar(pBar, nullptr);
    if (pArea == nullptr)
        return;
    const bool bHorz = pArea->IsHorizontal();
    CUiControlBar* pOwner = SizeOwner(pBar);
    const int nFreeDepth = bHorz ? rcFree.Height() : rcFree.Width();
    const int nDepth = std::min<int>(std::max<int>(bHorz ? pOwner->m_sizeHorz.cy : pOwner->m_sizeVert.cx, kMinExtent), nFreeDepth);

    m_bFlags |= kShown;
    m_pBar = pBar;
    m_pArea = pArea;
    m_rcFree = rcFree;
    const CSize nc = NonClientSize();
    const CRect rcFull = StepRect(nDepth);
    m_sizeContent = CSize(std::max<int>(rcFull.Width() - nc.cx, 0), std::max<int>(rcFull.Height() - nc.cy, 0));

    CWnd* pContent = pBar->GetWindow(GW_CHILD);
    if (pContent != nullptr) {
        pContent->SetParent(this);
        pContent->SetWindowPos(NULL, 0, 0, 0, 0,
                               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    }
    if (bAnimate && g_nAnimationSteps > 0 && g_nAnimationStepMs > 0 && !g_bNoShowAnimation)
        RunAnimation(true);
    if (pContent != nullptr)
        pContent->SetWindowPos(NULL, 0, 0, m_sizeContent.cx, m_sizeContent.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(&CWnd::wndTop, rcFull.left, rcFull.top, rcFull.Width(), rcFull.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    RedrawWindow(NULL, NULL, kRedrawAll);

    g_pHookOwner = this;
    if (g_hHook == NULL)
        g_hHook = ::SetWindowsHookExA(WH_MOUSE, SliderMouseHookProc, NULL, ::GetCurrentThreadId());
    ResetCaptionButtons();
    SetTimer(kTimerWatch, 100, NULL);
}

void CUiDynAutoHideSlider::Hide(bool bAnimate)
{
    if (!IsShown())
        return;
    if (m_pArea != nullptr && ::IsWindow(m_pArea->GetSafeHwnd())) {
        // The strip's own selection change must not hide the bar a second time.
        const BYTE bOldQuiet = m_pArea->m_bQuiet;
        m_pArea->m_bQuiet |= CUiDynAutoHideArea::kQuietNoSlide;
        m_pArea->SelectionSet(-1, false, false);
        m_pArea->m_bQuiet = bOldQuiet;
    }
    RemoveHook(this);
    if (bAnimate && g_nAnimationSteps > 0 && g_nAnimationStepMs > 0 && !g_bNoHideAnimation)
        RunAnimation(false);
    ResetCaptionButtons();
    KillTimer(kTimerWatch);
    KillTimer(kTimerHide);
    m_bFlags &= ~kHidePending;

    bool bFocusInside = false;
    CWnd* pContent = GetWindow(GW_CHILD);
    if (pContent != nullptr && m_pBar != nullptr && ::IsWindow(m_pBar->m_hWnd)) {
        const HWND hFocus = ::GetFocus();
        bFocusInside = hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus);
        pContent->SetParent(m_pBar);
        CRect rcClient;
        m_pBar->GetClientRect(&rcClient);
        pContent->SetWindowPos(NULL, 0, 0, rcClient.Width(), rcClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER);
    m_pArea = nullptr;
    m_pBar = nullptr;
    m_bFlags &= ~(kShown | kFocusInside | kHidePending);
    m_nResizeHit = kIdle;
    m_pHoverButton = m_pTipButton = m_pPressedButton = nullptr;
    m_rcFree.SetRectEmpty();
    if (bFocusInside) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetFocus();
    }
}

bool CUiDynAutoHideSlider::IsCursorNear() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt))
        return true;
    if (m_pArea == nullptr || !::IsWindow(m_pArea->GetSafeHwnd()))
        return false;
    m_pArea->GetWindowRect(&rc);
    rc.InflateRect(2, 2);
    return rc.PtInRect(pt) != FALSE;
}

void CUiDynAutoHideSlider::OnWatchTimer()
{
    if (!IsShown() || !IsWindowVisible()) {
        KillTimer(kTimerWatch);
        return;
    }
    if (IsResizing() || IsAnimating())
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (CUiControlBar::GetBarBeingDragged() != nullptr || (pFrame != nullptr && CUiControlBar::IsFrameInPrintPreview(pFrame))) {
        SendMessage(WM_CANCELMODE);
        return;
    }
    const HWND hFocus = ::GetFocus();
    const bool bFocusInside = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bFocusInside != ((m_bFlags & kFocusInside) != 0)) {
        m_bFlags = (BYTE)((m_bFlags & ~kFocusInside) | (bFocusInside ? kFocusInside : 0));
        SendMessage(WM_NCPAINT);
        return;
    }
    if (!bFocusInside && !(m_bFlags & kHidePending) && !IsCursorNear()) {
        m_bFlags |= kHidePending;
        SetTimer(kTimerHide, 500, NULL);
    }
}

void CUiDynAutoHideSlider::OnHideTimer()
{
    if (CUiPopupMenuWnd::IsTrackingMenu())
        return;
    m_bFlags &= ~kHidePending;
    KillTimer(kTimerHide);
    if (IsShown() && !IsCursorNear())
        Hide(true);
}

// ---------------------------------------------------------------------------------------

bool CUiDynAutoHideSlider::OnHookButton(UINT nMsg, CPoint ptScreen)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const HWND hUnder = ::WindowFromPoint(ptScreen);
    const bool bOver = rcWindow.PtInRect(ptScreen) && (hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder));
    switch (nMsg) {
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
        if (IsResizing() || !bOver)
            return false;
        const UINT nHit = (UINT)SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
        if (nHit == kInnerEdgeHit[GetSide()]) {
            m_nResizeHit = (int)nHit;
            CPoint pt(ptScreen);
            GetParent()->ScreenToClient(&pt);
            m_nResizeStart = m_nResizeStart2 = IsHorizontalSide(GetSide()) ? pt.y : pt.x;
            return true;
        }
        if (CUiBarNcAreaButton* pButton = CaptionButtonAt(ptScreen)) {
            SetPressedButton(pButton);
            return true;
        }
        CRect rcCaption = CaptionRect();
        rcCaption.OffsetRect(rcWindow.TopLeft());
        if (!rcCaption.PtInRect(ptScreen))
            return false;
        CWnd* pFirst = GetWindow(GW_CHILD);
        (pFirst != nullptr ? pFirst : this)->SetFocus();
        return true;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
        if (IsResizing()) {
            m_nResizeHit = kIdle;
            return true;
        }
        CUiBarNcAreaButton* pPressed = m_pPressedButton;
        if (pPressed == nullptr)
            return false;
        if (bOver && CaptionButtonAt(ptScreen) == pPressed) {
            const CPoint ptWindow = ptScreen - rcWindow.TopLeft();
            Hide(false);
            pPressed->OnClick(ptWindow);
            return true;
        }
        SetPressedButton(nullptr);
        return false;
    }
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: {
        const HWND hFocus = ::GetFocus();
        if (bOver && hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus))
            SetFocus();
        return false;
    }
    default:
        if (m_pPressedButton != nullptr)
            SetPressedButton(nullptr);
        return false;
    }
}

bool CUiDynAutoHideSlider::OnHookMove(CPoint ptScreen)
{
    if (!IsResizing()) {
        UpdateHoverButton(ptScreen);
        return false;
    }
    CPoint pt(ptScreen);
    GetParent()->ScreenToClient(&pt);
    CRect rcLimit(m_rcFree);
    rcLimit.DeflateRect(kMinExtent, kMinExtent);
    CRect rc;
    GetWindowRect(&rc);
    GetParent()->ScreenToClient(&rc);
    const CRect rcOld(rc);
    switch (GetSide()) {
    case 0:
        rc.bottom = std::min<int>(std::max<int>(pt.y, rc.top + kMinExtent), (int)rcLimit.bottom);
        break;
    case 1:
        rc.top = std::max<int>(std::min<int>(pt.y, rc.bottom - kMinExtent), (int)rcLimit.top);
        break;
    case 2:
        rc.right = std::min<int>(std::max<int>(pt.x, rc.left + kMinExtent), (int)rcLimit.right);
        break;
    default:
        rc.left = std::max<int>(std::min<int>(pt.x, rc.right - kMinExtent), (int)rcLimit.left);
        break;
    }
    if (rc != rcOld) {
        SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOCOPYBITS | SWP_NOOWNERZORDER);
        RedrawWindow(NULL, NULL, kRedrawAll);
    }
    return true;
}

void CUiDynAutoHideSlider::StoreDepth(int cx, int cy)
{
    m_sizeContent = CSize(cx, cy);
    if (m_pBar != nullptr) {
        CUiControlBar* pOwner = SizeOwner(m_pBar);
        const CSize nc = NonClientSize();
        if (IsHorizontalSide(GetSide()))
            pOwner->m_sizeHorz.cy = cy + nc.cy;
        else
            pOwner->m_sizeVert.cx = cx + nc.cx;
    }
    if (CWnd* pContent = GetWindow(GW_CHILD))
        pContent->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUiDynAutoHideSlider::ShowBarsMenu(CPoint pt)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (!pMenu->InitRootMenu(pFrame->m_hWnd) ||
        !CUiDockBar::BuildBarsPopupMenu(pFrame, pMenu, 4, m_pBar, WM_CONTEXTMENU, 0) || pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    if (!pMenu->TrackMenu(0x800, pt.x, pt.y))
        delete pMenu;
}

BOOL CUiDynAutoHideSlider::PreTranslateMessage(MSG* pMsg)
{
    if (IsShown()) {
        if (m_pArea != nullptr && m_pArea->PreTranslateMessage(pMsg))
            return TRUE;
        if (m_wndToolTip.GetSafeHwnd() != NULL)
            m_wndToolTip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CUiDynAutoHideSlider::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC dc(this);
        if (GetWindow(GW_CHILD) == nullptr) {
            CRect rc;
            GetClientRect(&rc);
            dc.FillSolidRect(&rc, PaintManagerHolder::Get().GetStoredHandle()->GetColor(15));
        }
        return 0;
    }
    case WM_NCHITTEST: {
        if (!IsShown() || IsAnimating() || IsResizing())
            return HTCLIENT;
        CRect rc;
        GetWindowRect(&rc);
        const CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        const int nSide = GetSide();
        const bool bNear = nSide == 0 ? pt.y >= rc.bottom - kEdgeGrip : nSide == 1 ? pt.y < rc.top + kEdgeGrip
                           : nSide == 2 ? pt.x >= rc.right - kEdgeGrip : pt.x < rc.left + kEdgeGrip;
        return bNear ? kInnerEdgeHit[nSide] : HTCLIENT;
    }
    case WM_NCCALCSIZE: {
        if (m_pArea == nullptr || m_pBar == nullptr)
            return 0;
        RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
        ::InflateRect(&rc, -2, -2);
        const int nSide = GetSide();
        (nSide == 0 ? rc.bottom : nSide == 1 ? rc.top : nSide == 2 ? rc.right : rc.left) += (nSide == 0 || nSide == 2) ? -3 : 3;
        bool bAcross = false, bAtLeft = false;
        if (m_pBar->QueryGripperLayout(bAcross, bAtLeft)) {
            if (bAcross)
                rc.top += m_pBar->m_nCaptionTop + 1;
            else
                rc.left += m_pBar->m_nCaptionLeft + 1;
        }
        if (rc.bottom < rc.top)
            rc.bottom = rc.top;
        if (rc.right < rc.left)
            rc.right = rc.left;
        return 0;
    }
    case WM_NCPAINT: {
        CWindowDC dcWindow(this);
        CRect rcWindow, rcClient;
        GetNonClientRects(this, rcWindow, rcClient);
        dcWindow.ExcludeClipRect(&rcClient);
        CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
        CUiMemoryDC dc;
        dc.BeginOffscreen(&dcWindow, rcWindow, 3);
        dc.FillSolidRect(&rcWindow, pPaint->GetColor(15));
        dc.Draw3dRect(&rcWindow, pPaint->GetColor(16), pPaint->GetColor(20));
        const CRect rcCaption = CaptionRect();
        bool bAcross = false, bAtLeft = false;
        if (!rcCaption.IsRectEmpty() && m_pBar->QueryGripperLayout(bAcross, bAtLeft)) {
            m_pBar->LayoutNcAreaButtons();
            CRect rcText(rcCaption);
            rcText.DeflateRect(bAcross ? 2 : 0, bAcross ? 0 : 2);
            m_pBar->AdjustCaptionTextRect(rcText);
            CString strText;
            m_pBar->GetCaptionText(0, strText);
            GripperPaintData caption(this, rcCaption, rcText, (m_bFlags & kFocusInside) != 0, FALSE, bAtLeft, TRUE, strText);
            pPaint->PaintGripper(dc, caption);
            m_pBar->PaintNcAreaButtons(dc);
        }
        return 0;
    }
    case WM_SIZE: {
        const LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        if (IsShown() && !IsAnimating())
            StoreDepth((short)LOWORD(lParam), (short)HIWORD(lParam));
        return lResult;
    }
    case WM_CANCELMODE: {
        const LRESULT lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        if (IsShown() && !IsAnimating() && !IsResizing())
            Hide(false);
        return lResult;
    }
    case WM_TIMER:
        if (wParam == kTimerWatch)
            OnWatchTimer();
        else if (wParam == kTimerHide)
            OnHideTimer();
        return 0;
    case WM_SETFOCUS:
        if (IsShown() && IsWindowVisible()) {
            if (CWnd* pFirst = GetWindow(GW_CHILD))
                pFirst->SetFocus();
        }
        return 0;
    case WM_CONTEXTMENU:
        if (IsShown() && !CUiControlBar::IsFrameInHelpMode(this))
            ShowBarsMenu(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_CLOSE:
        return 0;
    case WM_DESTROY:
        SendMessage(WM_CANCELMODE);
        break;
    case WM_SIZEPARENT:
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}
