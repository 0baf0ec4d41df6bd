#include "dockbar.h"

#include "afxdc.h"
#include "barwndclass.h"
#include "cmdmanager.h"
#include "controlbar.h"
#include "dockbararray.h"
#include "dyntabbar.h"
#include "memorydc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CUiDockBar, CDockBar)
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

namespace {
const UINT kSideIds[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

DWORD SideAlign(UINT nID)
{
    switch (nID) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    default: return CBRS_ALIGN_RIGHT;
    }
}

// The dock bar's rectangle collapsed onto the side's outer edge.
void CollapseOntoEdge(CRect& rc, UINT nID)
{
    switch (nID) {
    case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top; break;
    case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom; break;
    case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left; break;
    default: rc.left = rc.right; break;
    }
}

template <class Fn> void ForEachFrameDockBar(CFrameWnd* pFrame, Fn fn)
{
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* p = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        if (p->IsKindOf(RUNTIME_CLASS(CUiDockBar)) && !fn(static_cast<CUiDockBar*>(p)))
            return;
    }
}
} // namespace

CUiDockBar::CUiDockBar(UINT nLevel)
    : CDockBar(FALSE), m_bDockFlags(0), m_nLevel(nLevel), m_pOuter(nullptr), m_pInner(nullptr),
      m_pAutoHideArea(nullptr), m_bReentry(0)
{
    m_rcEdgeLine.SetRectEmpty();
    RegisterDockBarClass();
}

CUiDockBar::~CUiDockBar()
{
    UnlinkFromRing();
}

bool CUiDockBar::RegisterDockBarClass()
{
    static bool s_bRegistered = false;
    return RegisterBarWindowClassOnce("VaviRIZ-DockBar", s_bRegistered);
}

BOOL CUiDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterDockBarClass())
        return FALSE;
    cs.lpszClass = "VaviRIZ-DockBar";
    return CDockBar::PreCreateWindow(cs);
}

BOOL CUiDockBar::DestroyWindow()
{
    ReleaseAllBars();
    return CDockBar::DestroyWindow();
}

LRESULT CUiDockBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_CREATE)
        EnableToolTips(TRUE);
    else if (nMsg == WM_DESTROY || nMsg == WM_NCDESTROY)
        UnlinkFromRing();
    return CDockBar::WindowProc(nMsg, wParam, lParam);
}

void CUiDockBar::OnDestroy()
{
    ReleaseAllBars();
    CDockBar::OnDestroy();
}

BOOL CUiDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUiDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
}

void CUiDockBar::OnNcPaint()
{
}

LRESULT CUiDockBar::OnHelpHitTest(WPARAM, LPARAM)
{
    return 0;
}

void CUiDockBar::OnCancelMode()
{
    CDockBar::OnCancelMode();
    CancelToolTips();
}

void CUiDockBar::OnContextMenu(CWnd*, CPoint point)
{
    if (CUiControlBar::IsFrameInHelpMode(this))
        return;
    CControlBar* pFirst = nullptr;
    for (INT_PTR i = 0; i < m_arrBars.GetSize() && pFirst == nullptr; ++i)
        pFirst = GetDockedControlBar((int)i);
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFirst == nullptr || pFrame == nullptr)
        return;
    CWnd* pOwner = pFirst->GetOwner() != nullptr ? pFirst->GetOwner() : pFirst->GetParent();
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (pOwner == nullptr || !pMenu->InitRootMenu(pOwner->m_hWnd) ||
        !BuildBarsPopupMenu(pFrame, pMenu, 0, this, WM_CONTEXTMENU, 0) || pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    pOwner->SetFocus();
    if (!pMenu->TrackMenu(0x800, point.x, point.y))
        delete pMenu;
}

LRESULT CUiDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    if (IsLocked())
        return 0;
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if ((m_dwStyle & CBRS_ALIGN_ANY) && GetDlgCtrlID() != AFX_IDW_DOCKBAR_FLOAT) {
        if (pLayout->hDWP != NULL)
            Invalidate();
        m_rcEdgeLine = pLayout->rect;
        CollapseOntoEdge(m_rcEdgeLine, (UINT)GetDlgCtrlID());
        if (CWnd* pParent = GetParent())
            pParent->ClientToScreen(&m_rcEdgeLine);
    }
    return CDockBar::OnSizeParent(wParam, lParam);
}

void CUiDockBar::DoPaint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    {
        CUiMemoryDC dc;
        dc.BeginOffscreen(pDC, rc, 3);
        PaintManagerHolder::Get()->PaintDockBarBackground(dc, rc, this, 0);
        PaintManagerHolder::Get()->EndPaintSession(this, 0);
    }
}

CWnd* CUiDockBar::GetAutoHideArea()
{
    return m_pAutoHideArea;
}

bool CUiDockBar::SetLayoutLock(bool bLock)
{
    const bool bOld = IsLocked();
    m_bDockFlags = bLock ? (m_bDockFlags | kLayoutLock) : (m_bDockFlags & ~kLayoutLock);
    return bOld;
}

namespace {
// The visible nested containers among a dock bar's entries.
template <class Fn> void ForEachContainer(CPtrArray& arr, Fn fn)
{
    for (INT_PTR i = 1; i < arr.GetSize(); ++i) {
        void* p = arr[i];
        if (!IsBarEntry(p) || !static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            continue;
        CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(p);
        if (pContainer->IsFixedSizeBar() || pContainer->IsFixedSizeForDrag() || !pContainer->IsVisible() ||
            pContainer->m_pInnerDockBar == nullptr)
            continue;
        fn(pContainer->m_pInnerDockBar);
    }
}
} // namespace

void CUiDockBar::RecalcLayoutNow()
{
    if (IsLocked() || (m_bReentry & 1))
        return;
    m_bReentry |= 1;
    ForEachContainer(m_arrBars, [](CUiDockDynBar* pInner) { pInner->RecalcLayoutNow(); });
    m_bReentry &= ~1;
}

void CUiDockBar::RefreshBarsState()
{
    if (IsLocked())
        return;
    // A container may dissolve on the way and change the entries; the walk reads them afresh.
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (!IsBarEntry(p) || !static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            continue;
        CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(p);
        if (pContainer->IsFixedSizeBar() || pContainer->IsFixedSizeForDrag() || pContainer->m_pInnerDockBar == nullptr)
            continue;
        pContainer->m_pInnerDockBar->RefreshBarsState();
    }
}

void CUiDockBar::MoveBarInLayout(CControlBar* pBar, const CRect& rcBar, HDWP& hDWP)
{
    if (pBar->m_pDockContext != nullptr && !(pBar->GetBarStyle() & CBRS_FLOATING)) {
        CRect rcScreen = rcBar;
        ClientToScreen(&rcScreen);
        pBar->m_pDockContext->m_rectMRUDockPos = rcScreen;
    }
    if (hDWP != NULL)
        hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

int CUiDockBar::MaxRowExtent(bool bAlongX) const
{
    if (!m_rectLayout.IsRectEmpty())
        return bAlongX ? m_rectLayout.Width() : m_rectLayout.Height();
    CRect rc(0, 0, 0, 0);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetClientRect(&rc);
    return bAlongX ? rc.Width() : rc.Height();
}

DWORD CUiDockBar::IdealLayoutMode(CControlBar* pBar)
{
    const DWORD dwStyle = pBar->GetBarStyle();
    if ((dwStyle & CBRS_SIZE_DYNAMIC) && (dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    return (dwStyle & CBRS_ORIENT_HORZ) ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
}

CSize CUiDockBar::FinishRowsSize(CSize sizeResult, int nAlong, int nAcross, bool bAlongX, BOOL bStretch)
{
    if (nAlong != 0 && !bStretch)
        ++nAlong;
    if (nAcross != 0)
        ++nAcross;
    (bAlongX ? sizeResult.cy : sizeResult.cx) = nAcross;
    if (!bStretch)
        (bAlongX ? sizeResult.cx : sizeResult.cy) = nAlong;
    return sizeResult;
}

// ---- Ring links.

void CUiDockBar::LinkInside(CUiDockBar* pOuter)
{
    m_pOuter = pOuter;
    m_pInner = pOuter->m_pInner;
    if (m_pInner != nullptr)
        m_pInner->m_pOuter = this;
    pOuter->m_pInner = this;
}

void CUiDockBar::JoinNeighbours()
{
    if (m_pOuter != nullptr)
        m_pOuter->m_pInner = m_pInner;
    if (m_pInner != nullptr)
        m_pInner->m_pOuter = m_pOuter;
    m_pOuter = m_pInner = nullptr;
}

void CUiDockBar::UnlinkFromRing()
{
    if (m_pOuter != nullptr && m_pOuter->m_pInner == this)
        m_pOuter->m_pInner = nullptr;
    if (m_pInner != nullptr && m_pInner->m_pOuter == this)
        m_pInner->m_pOuter = nullptr;
    m_pOuter = m_pInner = nullptr;
}

bool CUiDockBar::IsEmpty() const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != nullptr)
            return false;
    }
    return true;
}

void CUiDockBar::DestroyRingDockBar()
{
    JoinNeighbours();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr)
        pFrame->RemoveControlBar(this);
    m_pDockSite = nullptr;
    const BOOL bAutoDelete = m_bAutoDelete;
    DestroyWindow();
    if (!bAutoDelete)
        delete this;
}

UINT CUiDockBar::GetInnerLevel()
{
    CUiDockBar* p = this;
    while (p->m_pInner != nullptr)
        p = p->m_pInner;
    return p->m_nLevel;
}

CUiDockBar* CUiDockBar::GetRingDockBar(UINT nLevel)
{
    CUiDockBar* p = this;
    while (p != nullptr && p->m_nLevel > nLevel)
        p = p->m_pOuter;
    while (p != nullptr && p->m_nLevel < nLevel) {
        if (p->m_pInner == nullptr) {
            CFrameWnd* pFrame = p->GetParentFrame();
            if (pFrame == nullptr || AppendRing(pFrame) == 0 || p->m_pInner == nullptr)
                return nullptr;
        }
        p = p->m_pInner;
    }
    return p;
}

CUiDockBar* CUiDockBar::FindDockBarOfLevel(CFrameWnd* pFrame, UINT nLevel, UINT nID, bool bCreate)
{
    for (int nTry = 0; nTry < 2; ++nTry) {
        CUiDockBar* pFound = nullptr;
        ForEachFrameDockBar(pFrame, [&](CUiDockBar* p) {
            if (p->m_nLevel == nLevel && (UINT)p->GetDlgCtrlID() == nID && p->GetParent() == pFrame) {
                pFound = p;
                return false;
            }
            return true;
        });
        if (pFound != nullptr || !bCreate)
            return pFound;
        AppendRing(pFrame);
    }
    return nullptr;
}

CUiDockBar* CUiDockBar::FindSameLevelDockBar(UINT nID, bool bCreate)
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr ? FindDockBarOfLevel(pFrame, m_nLevel, nID, bCreate) : nullptr;
}

namespace {

// The innermost dock bar of each side among the frame's ring dock bars.
bool InnermostRing(CFrameWnd* pFrame, CUiDockBar* (&sides)[4])
{
    for (int s = 0; s < 4; ++s)
        sides[s] = nullptr;
    ForEachFrameDockBar(pFrame, [&](CUiDockBar* p) {
        if (p->GetParent() != pFrame)
            return true;
        for (int s = 0; s < 4; ++s) {
            if ((UINT)p->GetDlgCtrlID() == kSideIds[s] && (sides[s] == nullptr || p->m_nLevel > sides[s]->m_nLevel))
                sides[s] = p;
        }
        return true;
    });
    return sides[0] != nullptr && sides[1] != nullptr && sides[2] != nullptr && sides[3] != nullptr;
}

CUiDockBar* CreateRingDockBar(CFrameWnd* pFrame, UINT nLevel, UINT nID, CUiDockBar* pOuter)
{
    CUiDockBar* pNew = new CUiDockBar(nLevel);
    pNew->m_bAutoDelete = TRUE;
    if (!pNew->Create(pFrame, SideAlign(nID) | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, nID))
        return nullptr;
    pNew->LinkInside(pOuter);
    pNew->SetBarStyle(pOuter->GetBarStyle());
    pNew->m_pAutoHideArea = pOuter->m_pAutoHideArea;
    CRect rcEdge = pOuter->m_rcEdgeLine;
    if (pFrame->IsWindowVisible() && pOuter->GetDockedVisibleCount() > 0) {
        pOuter->GetWindowRect(&rcEdge);
        CollapseOntoEdge(rcEdge, nID);
    }
    pNew->m_rcEdgeLine = rcEdge;
    return pNew;
}

} // namespace

UINT CUiDockBar::AppendRing(CFrameWnd* pFrame)
{
    CUiDockBar* sides[4];
    if (!InnermostRing(pFrame, sides))
        return 0;
    const UINT nLevel = sides[0]->m_nLevel + 1;
    HWND hAfter = sides[3]->m_hWnd;
    for (int s = 0; s < 4; ++s) {
        CUiDockBar* pNew = CreateRingDockBar(pFrame, nLevel, kSideIds[s], sides[s]);
        if (pNew == nullptr)
            return 0;
        ::SetWindowPos(pNew->m_hWnd, hAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
        hAfter = pNew->m_hWnd;
    }
    return nLevel;
}

bool CUiDockBar::InsertRingAtLevel(CFrameWnd* pFrame, UINT nLevel)
{
    if (nLevel == 0)
        return false;   // ring 0 is the outer dock bars
    CUiDockBar* found[4];
    bool bAllEmpty = true;
    for (int s = 0; s < 4; ++s) {
        CControlBar* pOuterBar = pFrame->GetControlBar(kSideIds[s]);
        if (pOuterBar == nullptr || !pOuterBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            return false;
        found[s] = static_cast<CUiDockBar*>(pOuterBar)->GetRingDockBar(nLevel);
        if (found[s] == nullptr)
            return false;
        bAllEmpty = bAllEmpty && found[s]->IsEmpty();
    }
    if (bAllEmpty)
        return false;
    for (int s = 0; s < 4; ++s) {
        for (CUiDockBar* p = found[s]; p != nullptr; p = p->m_pInner)
            ++p->m_nLevel;
    }
    HWND hAfter = found[3]->m_pOuter != nullptr ? found[3]->m_pOuter->m_hWnd : HWND_TOP;
    for (int s = 0; s < 4; ++s) {
        CUiDockBar* pNew = CreateRingDockBar(pFrame, nLevel, kSideIds[s], found[s]->m_pOuter);
        if (pNew == nullptr)
            return false;
        ::SetWindowPos(pNew->m_hWnd, hAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
        hAfter = pNew->m_hWnd;
    }
    return true;
}

bool CUiDockBar::InsertRingInside()
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr && InsertRingAtLevel(pFrame, m_nLevel + 1);
}

void CUiDockBar::OptimizeRings(CFrameWnd* pFrame)
{
    // A pass starts again only after it dissolved a container: a container whose dock bar
    // stays empty without dissolving (locked, or holding only a placeholder) would otherwise
    // make the walk run for ever.
    for (;;) {
        CUiDockBar* chains[4];
        for (int s = 0; s < 4; ++s) {
            CControlBar* p = pFrame->GetControlBar(kSideIds[s]);
            if (p == nullptr || !p->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
                return;
            chains[s] = static_cast<CUiDockBar*>(p)->m_pInner;
        }
        if (chains[0] == nullptr)
            return;
        UINT nRemoved = 0;
        while (chains[0] != nullptr && chains[1] != nullptr && chains[2] != nullptr && chains[3] != nullptr) {
            CUiDockBar* next[4];
            const bool bEmpty = chains[0]->IsEmpty() && chains[1]->IsEmpty() && chains[2]->IsEmpty() && chains[3]->IsEmpty();
            for (int s = 0; s < 4; ++s) {
                next[s] = chains[s]->m_pInner;
                if (bEmpty) {
                    chains[s]->DestroyRingDockBar();
                } else {
                    chains[s]->m_nLevel -= nRemoved;
                    chains[s]->RefreshBarsState();
                }
            }
            if (bEmpty)
                ++nRemoved;
            for (int s = 0; s < 4; ++s)
                chains[s] = next[s];
        }
        // The containers of this frame whose dock bar holds no bar.
        CArray<CUiDockBar*, CUiDockBar*> arrEmpty;
        {
            CSingleLock lock(&CUiControlBar::g_csAllBars, TRUE);
            for (INT_PTR i = 0; i < CUiControlBar::g_arrAllBars.GetSize(); ++i) {
                CUiControlBar* pBar = CUiControlBar::g_arrAllBars[i];
                if (!pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) || pBar->GetSafeHwnd() == NULL ||
                    pBar->m_pDockSite != pFrame)
                    continue;
                CUiDockDynBar* pInner = static_cast<CUiDynControlBar*>(pBar)->m_pInnerDockBar;
                if (pInner != nullptr && pInner->GetSafeHwnd() != NULL && pInner->GetDockedCount() < 1)
                    arrEmpty.Add(pInner);
            }
        }
        bool bDissolved = false;
        for (INT_PTR i = 0; i < arrEmpty.GetSize(); ++i) {
            HWND hDock = arrEmpty[i]->m_hWnd;
            arrEmpty[i]->RefreshBarsState();
            bDissolved = bDissolved || !::IsWindow(hDock);
        }
        if (!bDissolved)
            return;
    }
}

void CUiDockBar::OptimizeRingsIfUnlocked()
{
    if (IsLocked())
        return;
    if (CFrameWnd* pFrame = GetParentFrame())
        OptimizeRings(pFrame);
}

// ---- Bars in and out.

void CUiDockBar::ReleaseAllBars()
{
    const bool bOld = SetLayoutLock(true);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    for (INT_PTR i = m_arrBars.GetSize() - 2; i >= 1; --i) {
        void* p = m_arrBars[i];
        if (IsBarEntry(p)) {
            CControlBar* pBar = static_cast<CControlBar*>(p);
            if (pBar->m_pDockBar == this)
                pBar->m_pDockBar = nullptr;
            if (pBar->GetSafeHwnd() != NULL && pFrame != nullptr && pFrame->GetSafeHwnd() != NULL)
                pBar->SetParent(pFrame);
        }
        m_arrBars.RemoveAt(i);
    }
    while (m_arrBars.GetSize() > 1)
        m_arrBars.RemoveAt(m_arrBars.GetSize() - 1);
    SetLayoutLock(bOld);
}

void CUiDockBar::TakeFromOldDockBar(CControlBar* pBar)
{
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == nullptr || pOld == this)
        return;
    if (pOld->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        CUiDockBar* pUiOld = static_cast<CUiDockBar*>(pOld);
        pUiOld->RemoveControlBarEx(pBar, -1, 0, false);
        pUiOld->RefreshBarsState();
    } else {
        pOld->RemoveControlBar(pBar);
    }
}

void CUiDockBar::AdoptBar(CControlBar* pBar)
{
    pBar->SetParent(this);
    DWORD dwStyle = (pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
    TakeFromOldDockBar(pBar);
}

void CUiDockBar::DockBarAtEdge(CControlBar* pBar, bool bInnerSide)
{
    const bool bInnerFirst = bInnerSide && (GetDlgCtrlID() == AFX_IDW_DOCKBAR_RIGHT || GetDlgCtrlID() == AFX_IDW_DOCKBAR_BOTTOM);
    const int nOld = FindBar(pBar);
    if (nOld == 1 && bInnerFirst) {
        // Already first: it stays.
    } else if (nOld > 0) {
        RowArrayRemoveEntry(m_arrBars, nOld);
        if (bInnerFirst)
            RowArrayPlaceAtEdge(m_arrBars, pBar, true);
        else
            RowArrayAppendRow(m_arrBars, pBar);
    } else {
        AdoptBar(pBar);
        RowArrayPlaceAtEdge(m_arrBars, pBar, bInnerFirst);
    }
    FinishDockingInRow(pBar);
}

void CUiDockBar::DockBarAtRow(CControlBar* pBar, int nRow, int nInRow, bool bOwnRow)
{
    const int nOld = FindBar(pBar);
    if (nOld > 0)
        RowArrayRemoveEntry(m_arrBars, nOld);
    else
        AdoptBar(pBar);
    RowArrayPlaceAt(m_arrBars, pBar, nRow, nInRow, bOwnRow);
    FinishDockingInRow(pBar);
}

void CUiDockBar::FinishDockingInRow(CControlBar* pBar)
{
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    OptimizeRingsIfUnlocked();
}

int CUiDockBar::DockBarInRow(CControlBar* pRefBar, CControlBar* pBar, bool bBackwards)
{
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    CDockBar* pOld = pBar->m_pDockBar;
    HWND hOld = pOld != nullptr ? pOld->m_hWnd : NULL;
    const int nOld = FindBar(pBar);
    if (nOld > 0)
        RowArrayRemoveEntry(m_arrBars, nOld);
    else
        AdoptBar(pBar);
    const int nRef = FindBar(pRefBar);
    const int nPos = nRef > 0 ? RowArrayInsertRowBeside(m_arrBars, nRef, pBar, bBackwards) : RowArrayAppendRow(m_arrBars, pBar);
    pBar->m_pDockBar = this;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RecalcLayoutNow();
    if (pOld != nullptr && pOld != this && ::IsWindow(hOld) && pOld->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        static_cast<CUiDockBar*>(pOld)->RecalcLayoutNow();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame == nullptr || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        OptimizeRingsIfUnlocked();
    return nPos;
}

void CUiDockBar::DockControlBarEx(CControlBar* pBar, LPCRECT lpRect, bool bMove)
{
    // The dock bar the bar leaves is tidied up only once the bar lives here: a container it
    // leaves with one bar dissolves, and destroying the container would take along every
    // window still inside it.
    CUiDockBar* pOldToRefresh = nullptr;
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != this && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        CUiDockBar* pOld = static_cast<CUiDockBar*>(pBar->m_pDockBar);
        pOld->RemoveControlBarEx(pBar, -1, (m_bFloating && !pOld->m_bFloating) ? 1 : 0, false);
        if (!pOld->m_bFloating && !IsLocked())
            pOldToRefresh = pOld;
    }
    const HWND hOldToRefresh = pOldToRefresh != nullptr ? pOldToRefresh->m_hWnd : NULL;
    DockControlBarHere(pBar, lpRect, bMove);
    if (pOldToRefresh != nullptr && ::IsWindow(hOldToRefresh) && CWnd::FromHandlePermanent(hOldToRefresh) == pOldToRefresh)
        pOldToRefresh->RefreshBarsState();
}

void CUiDockBar::DockControlBarHere(CControlBar* pBar, LPCRECT lpRect, bool bMove)
{
    CDockBar::DockControlBar(pBar, lpRect);
    int nPos = FindBar(pBar);
    if (nPos <= 0)
        return;
    auto wantsOwnRow = [](void* p) {
        return IsBarEntry(p) && static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)) &&
               static_cast<CUiControlBar*>(p)->IsFixedSizeForDrag() && static_cast<CUiControlBar*>(p)->RowQueryFlag();
    };
    if (lpRect != NULL) {
        if (wantsOwnRow(m_arrBars[nPos - 1]))
            m_arrBars.InsertAt(nPos++, (void*)nullptr);
        if (nPos + 1 < m_arrBars.GetSize() && wantsOwnRow(m_arrBars[nPos + 1]))
            m_arrBars.InsertAt(nPos + 1, (void*)nullptr);
        if (bMove) {
            CRect rc(*lpRect);
            ScreenToClient(&rc);
            pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }
    bool bFound = false;
    if (CFrameWnd* pFrame = GetDockingFrame())
        RemovePlaceHolderInFrame(pFrame, (void*)(UINT_PTR)(pBar->GetDlgCtrlID() & 0xFFFF), &bFound);
    nPos = FindBar(pBar);
    if (nPos > 0 && pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && static_cast<CUiControlBar*>(pBar)->RowQueryFlag())
        RowArrayIsolate(m_arrBars, nPos);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->m_nIdleFlags |= 12;
}

bool CUiDockBar::RemoveControlBarEx(CControlBar* pBar, int nPosExclude, int nPlaceHolderMode, bool bDelayLayout)
{
    if (pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && !static_cast<CUiControlBar*>(pBar)->IsFixedSizeForDrag() &&
        nPlaceHolderMode == 1)
        nPlaceHolderMode = 0;
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return false;
    CFrameWnd* pFrame = GetDockingFrame();
    const UINT nIdleBefore = pFrame != nullptr ? pFrame->m_nIdleFlags : 0;
    const BOOL bResult = CDockBar::RemoveControlBar(pBar, nPosExclude, nPlaceHolderMode);
    if (IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar))) {
        // A bar that leaves a group takes its tab with it.
        if (CUiDynTabControlBar* pGroup = static_cast<CUiDockDynTabBar*>(this)->GetGroup()) {
            const int nTab = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)pBar);
            if (nTab >= 0)
                pGroup->m_wndTabs.ItemRemove(nTab, 1, false);
            pGroup->RepositionChildWindow(-1, -1, TRUE);
        }
    }
    if (!bDelayLayout && !m_bFloating && pFrame != nullptr && ::IsWindow(pFrame->m_hWnd))
        pFrame->m_nIdleFlags = nIdleBefore;
    return bResult && pBar->m_pDockContext != nullptr;
}

void CUiDockBar::RemovePlaceHolderEx(void* pBarOrId, bool bSearchFrame, bool* pbFound)
{
    void* pId = pBarOrId;
    if (IsBarEntry(pBarOrId))
        pId = (void*)(UINT_PTR)(static_cast<CControlBar*>(pBarOrId)->GetDlgCtrlID() & 0xFFFF);
    const int nPos = FindBar(static_cast<CControlBar*>(pId));
    if (nPos > 0) {
        RowArrayRemoveEntry(m_arrBars, nPos);
        if (pbFound != nullptr)
            *pbFound = true;
        return;
    }
    if (bSearchFrame) {
        if (CFrameWnd* pFrame = GetDockingFrame())
            RemovePlaceHolderInFrame(pFrame, pId, pbFound);
    }
}

void CUiDockBar::RemovePlaceHolderInFrame(CFrameWnd* pFrame, void* pBarOrId, bool* pbFound)
{
    // The inner dock bars of containers left the frame's list of bars: they are reached
    // through their containers.
    bool bFound = false;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL && !bFound) {
        CControlBar* p = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        CUiDockBar* pDockBar = nullptr;
        if (p->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            pDockBar = static_cast<CUiDockBar*>(p);
        else if (p->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            pDockBar = static_cast<CUiDynControlBar*>(p)->m_pInnerDockBar;
        if (pDockBar != nullptr && pDockBar->GetSafeHwnd() != NULL)
            pDockBar->RemovePlaceHolderEx(pBarOrId, false, &bFound);
    }
    if (pbFound != nullptr)
        *pbFound = bFound;
}

void CUiDockBar::RemoveAllPlaceHolders(bool bSearchFrame)
{
    CPtrArray ids;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != nullptr && !IsBarEntry(m_arrBars[i]))
            ids.Add(m_arrBars[i]);
    }
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
        RemovePlaceHolderEx(ids[i], bSearchFrame);
}

// ---- The bars menu.

bool CUiDockBar::BuildBarsPopupMenu(CFrameWnd* pFrame, CUiPopupMenuWnd* pMenu, WORD nEvent, CWnd* pSource, UINT nMsg,
                                    LPARAM lExtra)
{
    CUiControlBar::POPUP_MENU_EVENT_DATA data(nEvent, pMenu, pSource, CPoint(-1, -1), nMsg, lExtra);
    if (data.NotifyTarget(false))
        return true;
    CArray<CUiControlBar*, CUiControlBar*> collected, arr;
    CUiControlBar::CollectFrameBars(nullptr, pFrame, collected, 0xFFF, 0, 0);
    // A tabbed group stands in the frame's list for its bars; the menu lists the bars, in the
    // order of their tabs.
    for (INT_PTR i = 0; i < collected.GetSize(); ++i) {
        CUiDockDynTabBar* pTabs = collected[i]->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))
                                      ? static_cast<CUiDynTabControlBar*>(collected[i])->GetTabDockBar()
                                      : nullptr;
        if (pTabs != nullptr)
            pTabs->CollectVisibleItems(arr);
        else
            arr.Add(collected[i]);
    }
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    CUiCmdProfile* pProfile = pManager->ProfileFindByWindow(pFrame->GetSafeHwnd());
    const bool bInPlace = CUiControlBar::IsInPlaceActiveFrame(pFrame);
    int nLastFixed = -1;   // the kind of the last bar put in: -1 none, 0 resizable, 1 fixed-size
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        CUiControlBar* pBar = arr[i];
        if (pBar->GetSafeHwnd() == NULL || (pBar->m_nStateFlags & CControlBar::tempHide) ||
            (bInPlace && (pBar->m_dwStyle & CBRS_HIDE_INPLACE)))
            continue;
        CString strText;
        pBar->GetWindowText(strText);
        if (strText.IsEmpty())
            continue;
        const int nFixed = pBar->IsFixedSizeForDrag() ? 1 : 0;
        if (pMenu != nullptr && nLastFixed >= 0 && nLastFixed != nFixed)
            pMenu->ItemInsert(0, -1);
        CUiCmdItem item((UINT)pBar->GetDlgCtrlID());
        item.m_strMenuText = strText;
        if (pProfile != nullptr)
            pManager->CmdSetup(pProfile->GetName(), item, false);
        if (pBar->InsertBarsMenuItem(pMenu))
            nLastFixed = nFixed;
    }
    auto isSeparator = [pMenu](int n) { return pMenu->ItemGetInfo(n).IsSeparator(); };
    if (pMenu != nullptr) {
        for (int n = pMenu->ItemGetCount() - 1; n > 0; --n) {
            if (isSeparator(n) && isSeparator(n - 1))
                pMenu->ItemRemove(n);
        }
    }
    data.NotifyTarget(true);
    if (pMenu != nullptr && pMenu->ItemGetCount() > 0 && isSeparator(pMenu->ItemGetCount() - 1))
        pMenu->ItemRemove(pMenu->ItemGetCount() - 1);
    return true;
}
