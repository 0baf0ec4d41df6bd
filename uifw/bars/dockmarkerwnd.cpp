#include "dockmarkerwnd.h"

#include "controlbar.h"
#include "dockbar.h"
#include "dockhighlightwnd.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

IMPLEMENT_DYNAMIC(CUiDynDockMarkerWnd, CWnd)

BEGIN_MESSAGE_MAP(CUiDynDockMarkerWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

const char* const CUiDynDockMarkerWnd::kClassName = "VaviRIZ-DynDockMarker";
CUiDynDockMarkerWnd::MarkerArray CUiDynDockMarkerWnd::OuterDockMarkers;
CUiDynDockMarkerWnd::MarkerArray CUiDynDockMarkerWnd::InnerDockMarkers;
HWND CUiDynDockMarkerWnd::InnerMarkerTarget = NULL;
CWnd* CUiDynDockMarkerWnd::DockMarkerOwnerWnd = nullptr;

namespace {

const UINT_PTR kHoverTimer = 77;

bool IsControlBarWindow(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiControlBar));
}

bool IsInnerDockBar(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiDockBar)) && static_cast<CUiDockBar*>(pWnd)->m_nLevel >= 1;
}

bool WindowHoldsPoint(HWND hWnd, CPoint pt)
{
    CRect rc;
    return ::GetWindowRect(hWnd, &rc) && rc.PtInRect(pt);
}

bool IsSkippedForMarkers(CUiControlBar* pBar)
{
    return pBar->IsFixedSizeBar() || pBar->IsFixedSizeForDrag() || !pBar->IsWindowVisible();
}

// The window a bar stands for as a marker target: its whole tabbed group, itself, or the bar
// under the point inside a nested container (null when none there).
HWND TargetOfBar(CUiControlBar* pBar, CPoint pt)
{
    if (CUiDynTabControlBar* pGroup = pBar->GetTabContainerBar())
        return pGroup->GetSafeHwnd();
    if (!pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)))
        return pBar->GetSafeHwnd();
    return CUiDynDockMarkerWnd::FindTargetInContainer(pBar, pt);
}

// The space the frame's children outside the inner rings take: the outer dock bars, the
// status bar and whatever else lays itself out before the first inner ring.
CRect FreeAreaOfFrame(CFrameWnd* pFrame)
{
    CRect rcFree;
    pFrame->GetClientRect(&rcFree);
    for (HWND hChild = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hChild) == AFX_IDW_PANE_FIRST)
            continue;
        if (IsInnerDockBar(CWnd::FromHandlePermanent(hChild)))
            break;
        CUiDockBar::TakeLayoutRoom(pFrame, hChild, rcFree);
    }
    return rcFree;
}

// The target of the inner markers under the cursor, or null; nKind the set kind it gets.
HWND FindInnerTarget(CFrameWnd* pFrame, CPoint pt, CUiControlBar* pDragged, int& nKind)
{
    nKind = 7;
    CFrameWnd* pOwnFloating = pDragged->GetParentFrame();
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pControlBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pControlBar == pDragged || pControlBar->IsDockBar() || !pControlBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pBar = static_cast<CUiControlBar*>(pControlBar);
        if (pBar->GetSafeHwnd() == NULL || IsSkippedForMarkers(pBar))
            continue;
        CFrameWnd* pMini = pBar->GetParentFrame();
        if (pMini == nullptr || pMini == pFrame || pMini == pOwnFloating || !pMini->IsWindowVisible() ||
            !pMini->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
            continue;
        if (!WindowHoldsPoint(pMini->m_hWnd, pt) || !WindowHoldsPoint(pBar->m_hWnd, pt))
            continue;
        if (HWND hTarget = TargetOfBar(pBar, pt))
            return hTarget;
    }
    for (HWND hChild = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(hChild) || !WindowHoldsPoint(hChild, pt))
            continue;
        if (::GetDlgCtrlID(hChild) == AFX_IDW_PANE_FIRST) {
            nKind = 6;
            return hChild;
        }
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (!IsInnerDockBar(pChild))
            return NULL;
        if (hChild == CUiDynDockMarkerWnd::InnerMarkerTarget)
            return hChild;
        for (HWND hBar = ::GetWindow(hChild, GW_CHILD); hBar != NULL; hBar = ::GetWindow(hBar, GW_HWNDNEXT)) {
            if (!(::GetWindowLong(hBar, GWL_STYLE) & WS_VISIBLE) || !WindowHoldsPoint(hBar, pt))
                continue;
            CWnd* pBarWnd = CWnd::FromHandlePermanent(hBar);
            if (pBarWnd == nullptr)
                return NULL;
            if (hBar == CUiDynDockMarkerWnd::InnerMarkerTarget)
                return hBar;
            if (!pBarWnd->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
                continue;
            if (HWND hTarget = TargetOfBar(static_cast<CUiControlBar*>(pBarWnd), pt))
                return hTarget;
        }
        return NULL;
    }
    return NULL;
}

} // namespace

void DestroyDockMarkerArray(CUiDynDockMarkerWnd::MarkerArray& arr)
{
    // Out of the set before any goes: destroying a top-level window lets other threads' sent
    // messages in, and whoever looks at the set then must not find a marker already deleted.
    CUiDynDockMarkerWnd::MarkerArray dying;
    dying.Copy(arr);
    arr.RemoveAll();
    for (INT_PTR i = 0; i < dying.GetSize(); ++i) {
        CUiDynDockMarkerWnd* pMarker = dying[i];
        if (pMarker->GetSafeHwnd() != NULL)
            pMarker->DestroyWindow();
        delete pMarker;
    }
}

bool CUiDynDockMarkerWnd::RegisterMarkerClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, kClassName, &wc))
        return true;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

CWnd* CUiDynDockMarkerWnd::EnsureOwnerWnd()
{
    if (DockMarkerOwnerWnd != nullptr)
        return DockMarkerOwnerWnd;
    if (!RegisterMarkerClass())
        return nullptr;
    CWnd* pOwner = new CWnd;
    if (!pOwner->CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, CRect(0, 0, 0, 0), CWnd::GetDesktopWindow(), 0)) {
        delete pOwner;
        return nullptr;
    }
    DockMarkerOwnerWnd = pOwner;
    return pOwner;
}

CUiDynDockMarkerWnd::CUiDynDockMarkerWnd(CWnd* pTarget, int nType, HBITMAP hHover, HBITMAP hNormal, HRGN hShape,
                                         const RECT& rc)
    : m_pHighlight(nullptr), m_hWndTarget(pTarget != nullptr ? pTarget->GetSafeHwnd() : NULL), m_nType(nType),
      m_nHoverState(0)
{
    m_bmpHover.Attach(hHover);
    m_bmpNormal.Attach(hNormal);
    m_rgnShape.Attach(hShape);
    CWnd* pOwner = EnsureOwnerWnd();
    if (pOwner == nullptr)
        return;
    if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, rc, pOwner, 0))
        return;
    // The window owns its shape from now on.
    ::SetWindowRgn(m_hWnd, (HRGN)m_rgnShape.Detach(), FALSE);
    SetTimer(kHoverTimer, 50, NULL);
}

CUiDynDockMarkerWnd::~CUiDynDockMarkerWnd()
{
    ShowHighlight(false);
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CUiDynDockMarkerWnd::DestroyWindow()
{
    ShowHighlight(false);
    return CWnd::DestroyWindow();
}

BOOL CUiDynDockMarkerWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterMarkerClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kClassName;
    return TRUE;
}

bool CUiDynDockMarkerWnd::IsValidMarkerType() const
{
    return (m_nType >= 0 && m_nType <= 3) || m_nType == 8;
}

int CUiDynDockMarkerWnd::GetDockCode() const
{
    if (!IsValidMarkerType())
        return 0;
    if (m_hWndTarget == NULL)
        return m_nType == 8 ? 0 : 14 + m_nType;
    if (IsControlBarWindow(m_hWndTarget))
        return m_nType == 8 ? 26 : 22 + m_nType;
    return m_nType == 8 ? 0 : 18 + m_nType;
}

int CUiDynDockMarkerWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATEANDEAT;
}

void CUiDynDockMarkerWnd::OnPaint()
{
    CPaintDC dc(this);
    CBitmap& bmp = m_nHoverState == 1 ? m_bmpHover : m_bmpNormal;
    if (bmp.GetSafeHandle() == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return;
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

void CUiDynDockMarkerWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (!IsWindowVisible())
        return;
    if (m_hWndTarget != NULL && !::IsWindow(m_hWndTarget)) {
        for (INT_PTR i = 0; i < InnerDockMarkers.GetSize(); ++i) {
            if (InnerDockMarkers[i]->GetSafeHwnd() != NULL)
                InnerDockMarkers[i]->ShowWindow(SW_HIDE);
        }
        // The drag loop looks again for a target.
        if (CUiControlBar* pDragged = CUiControlBar::GetBarBeingDragged()) {
            CPoint pt;
            if (::GetCursorPos(&pt) && pDragged->GetSafeHwnd() != NULL) {
                pDragged->ScreenToClient(&pt);
                pDragged->PostMessage(WM_MOUSEMOVE, ::GetKeyState(VK_CONTROL) < 0 ? 0x11 : 0, MAKELPARAM(pt.x, pt.y));
            }
        }
        return;
    }
    CPoint pt;
    const int nState = ::GetCursorPos(&pt) && ::WindowFromPoint(pt) == m_hWnd ? 1 : 2;
    if (nState == m_nHoverState)
        return;
    m_nHoverState = nState;
    if (nState != 1)
        ShowHighlight(false);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CUiDynDockMarkerWnd::ShowHighlight(bool bShow)
{
    if (!bShow) {
        if (m_pHighlight != nullptr) {
            if (m_pHighlight->GetSafeHwnd() != NULL)
                m_pHighlight->DestroyWindow();
            delete m_pHighlight;
            m_pHighlight = nullptr;
        }
        return true;
    }
    ShowHighlight(false);
    for (MarkerArray* pSet : {&OuterDockMarkers, &InnerDockMarkers}) {
        for (INT_PTR i = 0; i < pSet->GetSize(); ++i) {
            if ((*pSet)[i] != this)
                (*pSet)[i]->ShowHighlight(false);
        }
    }
    PassPaintMessages(TRUE, TRUE, TRUE);
    m_pHighlight = new CUiDynDockHighlightWnd(this);
    if (m_pHighlight->GetSafeHwnd() != NULL)
        return true;
    ShowHighlight(false);
    return false;
}

void CUiDynDockMarkerWnd::HideAllHighlights(bool bPassPaint)
{
    for (MarkerArray* pSet : {&OuterDockMarkers, &InnerDockMarkers}) {
        for (INT_PTR i = 0; i < pSet->GetSize(); ++i)
            (*pSet)[i]->ShowHighlight(false);
    }
    if (bPassPaint)
        PassPaintMessages(TRUE, TRUE, TRUE);
}

namespace {

void ShowMarkerSet(CUiDynDockMarkerWnd::MarkerArray& arr, bool bShow)
{
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        CUiDynDockMarkerWnd* pMarker = arr[i];
        if (pMarker->GetSafeHwnd() == NULL)
            continue;
        const bool bVisible = pMarker->IsWindowVisible() != FALSE;
        if (bVisible && !bShow)
            pMarker->ShowWindow(SW_HIDE);
        else if (!bVisible && bShow)
            pMarker->ShowWindow(SW_SHOWNOACTIVATE);
    }
}

} // namespace

void CUiDynDockMarkerWnd::ShowAllMarkers(bool bShow)
{
    ShowMarkerSet(OuterDockMarkers, bShow);
    ShowMarkerSet(InnerDockMarkers, bShow);
    PassPaintMessages(TRUE, TRUE, TRUE);
}

void CUiDynDockMarkerWnd::DestroyAllMarkers()
{
    DestroyDockMarkerArray(OuterDockMarkers);
    DestroyDockMarkerArray(InnerDockMarkers);
    if (DockMarkerOwnerWnd != nullptr) {
        if (DockMarkerOwnerWnd->GetSafeHwnd() != NULL)
            DockMarkerOwnerWnd->DestroyWindow();
        delete DockMarkerOwnerWnd;
        DockMarkerOwnerWnd = nullptr;
    }
    InnerMarkerTarget = NULL;
}

void CUiDynDockMarkerWnd::CreateOuterMarkers(CFrameWnd* pFrame, bool bShow)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL)
        return;
    CRect rcFree = FreeAreaOfFrame(pFrame);
    pFrame->ClientToScreen(&rcFree);
    PaintManagerHolder::Get()->CreateDockMarkers(nullptr, 5, rcFree, OuterDockMarkers);
    ShowMarkerSet(OuterDockMarkers, bShow);
    PassPaintMessages(TRUE, TRUE, TRUE);
}

void CUiDynDockMarkerWnd::UpdateInnerMarkers(CFrameWnd* pFrame, bool bShow)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL)
        return;
    CPoint pt;
    HWND hTarget = NULL;
    int nKind = 7;
    if (::GetCursorPos(&pt)) {
        CUiControlBar* pDragged = CUiControlBar::GetBarBeingDragged();
        if (pDragged == nullptr)
            return;
        CWnd* pUnder = CWnd::FromHandlePermanent(::WindowFromPoint(pt));
        if (pUnder != nullptr && pUnder->IsKindOf(RUNTIME_CLASS(CUiDynDockMarkerWnd)))
            return;
        hTarget = FindInnerTarget(pFrame, pt, pDragged, nKind);
    }
    if (InnerMarkerTarget != NULL && !::IsWindow(InnerMarkerTarget))
        InnerMarkerTarget = NULL;
    if (hTarget == InnerMarkerTarget) {
        if (hTarget == NULL)
            DestroyDockMarkerArray(InnerDockMarkers);
        return;
    }
    DestroyDockMarkerArray(InnerDockMarkers);
    InnerMarkerTarget = hTarget;
    if (hTarget == NULL)
        return;
    CRect rc;
    ::GetWindowRect(hTarget, &rc);
    PaintManagerHolder::Get()->CreateDockMarkers(CWnd::FromHandle(hTarget), nKind, rc, InnerDockMarkers);
    ShowMarkerSet(InnerDockMarkers, bShow);
    PassPaintMessages(TRUE, TRUE, TRUE);
}

HWND CUiDynDockMarkerWnd::FindTargetInContainer(CWnd* pContainer, CPoint pt)
{
    if (pContainer == nullptr || !pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
        return NULL;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    static_cast<CUiDynControlBar*>(pContainer)->GetInnerBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        CUiControlBar* pBar = arr[i];
        if (pBar->GetSafeHwnd() == NULL || IsSkippedForMarkers(pBar) || !WindowHoldsPoint(pBar->m_hWnd, pt))
            continue;
        if (HWND hFound = TargetOfBar(pBar, pt))
            return hFound;
    }
    return NULL;
}
