// Floating a bar, toggling it between docked and floating, and docking it beside another bar
// by a side named along or across the rows.
//
// Floating makes the new floating frame before anything else is touched: a frame that cannot
// be made leaves the bar where it was, and the process-wide "bar being floated", which
// silences the visibility bookkeeping of every bar, is cleared on every way out.
#include "controlbar.h"

#include "dockbar.h"
#include "dragstate.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"

#include <algorithm>

namespace {

// Clears the bar being floated however the operation ends.
class FloatingScope {
public:
    explicit FloatingScope(CUiControlBar* pBar) { CUiControlBar::g_pBarBeingFloated = pBar; }
    ~FloatingScope() { CUiControlBar::g_pBarBeingFloated = nullptr; }
};

} // namespace

bool CUiControlBar::FloatAtMRUPosition(DWORD dwStyle)
{
    return FloatAt(m_ptSavedLayout.x, m_ptSavedLayout.y, dwStyle);
}

bool CUiControlBar::DockIntoBarHalf(CUiControlBar* pTarget, UINT nSide, bool bRecalc)
{
    return DockIntoBar(50, pTarget, nSide, bRecalc);
}

namespace {
// The dock bar that holds the outermost container a dock bar lies in (itself outside one).
CDockBar* OutermostDockBar(CDockBar* pDock)
{
    while (pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        CWnd* pContainer = pDock->GetParent();
        pDock = pContainer != nullptr && pContainer->IsKindOf(RUNTIME_CLASS(CUiControlBar))
                    ? static_cast<CUiControlBar*>(pContainer)->m_pDockBar
                    : nullptr;
    }
    return pDock;
}
} // namespace

void CUiControlBar::RememberDockedPlace()
{
    CDockBar* pDock = m_pDockBar;
    if (pDock == nullptr || pDock->m_bFloating || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return;
    DockedPlace place;
    if (pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        // A partner that stays: another bar of the group, or the container's neighbour. The
        // bar's tab may be gone already while it is dragged out: its index is the one the strip
        // noted when the drag began.
        const bool bGroup = pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar));
        if (CUiDynTabControlBar* pGroup = bGroup ? static_cast<CUiDockDynTabBar*>(pDock)->GetGroup() : nullptr) {
            place.nTabIndex = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)this);
            if (place.nTabIndex < 0)
                place.nTabIndex = pGroup->m_wndTabs.m_nDraggedTab;
        }
        CArray<CUiControlBar*, CUiControlBar*> arr;
        static_cast<CUiDockDynBar*>(pDock)->CUiDockDynBar::CollectVisibleItems(arr);
        INT_PTR nOwn = -1;
        for (INT_PTR i = 0; i < arr.GetSize(); ++i)
            nOwn = arr[i] == this ? i : nOwn;
        CUiControlBar* pPartner = nullptr;
        if (nOwn >= 0 && nOwn + 1 < arr.GetSize())
            pPartner = arr[nOwn + 1];
        else if (nOwn > 0)
            pPartner = arr[nOwn - 1];
        if (pPartner != nullptr) {
            place.hPartner = pPartner->m_hWnd;
            if (!bGroup) {
                CRect rcOwn, rcPartner;
                GetWindowRect(&rcOwn);
                pPartner->GetWindowRect(&rcPartner);
                place.nPartnerSide = rcOwn.right <= rcPartner.left  ? AFX_IDW_DOCKBAR_LEFT
                                     : rcOwn.left >= rcPartner.right ? AFX_IDW_DOCKBAR_RIGHT
                                     : rcOwn.bottom <= rcPartner.top ? AFX_IDW_DOCKBAR_TOP
                                                                     : AFX_IDW_DOCKBAR_BOTTOM;
            }
        }
        pDock = OutermostDockBar(pDock);
    }
    if (pDock != nullptr && !pDock->m_bFloating && pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        place.nSide = (UINT)pDock->GetDlgCtrlID();
        place.nLevel = static_cast<CUiDockBar*>(pDock)->m_nLevel;
        // The dock context keeps the side and the rectangle too, as a bar floated by its dock
        // context does: the saved layout carries them, where the place above is not kept.
        if (m_pDockContext != nullptr) {
            m_pDockContext->m_uMRUDockID = place.nSide;
            GetWindowRect(&m_pDockContext->m_rectMRUDockPos);
        }
    }
    m_placeDocked = place;
}

bool CUiControlBar::DockAtMRUPlace()
{
    if (!IsBarFloating() || m_pDockSite == nullptr)
        return false;
    CWnd* pPartnerWnd = ::IsWindow(m_placeDocked.hPartner) ? CWnd::FromHandlePermanent(m_placeDocked.hPartner) : nullptr;
    if (pPartnerWnd != nullptr && pPartnerWnd != this && pPartnerWnd->IsKindOf(RUNTIME_CLASS(CUiControlBar))) {
        CUiControlBar* pPartner = static_cast<CUiControlBar*>(pPartnerWnd);
        // A partner that moved meanwhile to another side no longer marks the place.
        CDockBar* pPartnerSide = OutermostDockBar(pPartner->m_pDockBar);
        const bool bSameSide = m_placeDocked.nSide == 0 ||
                               (pPartnerSide != nullptr && (UINT)pPartnerSide->GetDlgCtrlID() == m_placeDocked.nSide);
        if (pPartner->m_pDockSite == m_pDockSite && !pPartner->IsBarFloating() && pPartner->IsVisible() && bSameSide) {
            if (m_placeDocked.nPartnerSide != 0)
                return DockIntoBarHalf(pPartner, m_placeDocked.nPartnerSide, true);
            if (!pPartner->DockIntoTabbedGroup(this, m_placeDocked.nTabIndex, nullptr, true))
                return false;
            // Back at its tab, shown: a group made anew put it after its partner.
            if (CUiDynTabControlBar* pGroup = GetTabContainerBar()) {
                CUiDynTabWnd& tabs = pGroup->m_wndTabs;
                const int nTab = tabs.ItemFindByLParam((LPARAM)this);
                const int nWanted = m_placeDocked.nTabIndex;
                if (nTab >= 0 && nWanted >= 0 && nWanted < tabs.ItemGetCount() && nWanted != nTab)
                    tabs.ItemMove(nTab, nWanted, true);
                tabs.SelectionSet(tabs.ItemFindByLParam((LPARAM)this), true, true);
            }
            return true;
        }
    }
    UINT nSide = m_placeDocked.nSide;
    if (nSide == 0)
        nSide = m_pDockContext != nullptr && m_pDockContext->m_uMRUDockID != 0 ? m_pDockContext->m_uMRUDockID
                                                                              : AFX_IDW_DOCKBAR_TOP;
    if (nSide < AFX_IDW_DOCKBAR_TOP || nSide > AFX_IDW_DOCKBAR_BOTTOM)
        nSide = AFX_IDW_DOCKBAR_TOP;
    return InsertIntoFrameDockBar(nSide, std::max<UINT>(m_placeDocked.nLevel, 1));
}

void CUiControlBar::ToggleDocking()
{
    if (IsFixedSizeForDrag()) {
        if (m_pDockContext != nullptr)
            m_pDockContext->ToggleDocking();
        if (m_pDockSite != nullptr && ::IsWindow(m_pDockSite->m_hWnd))
            m_pDockSite->m_nIdleFlags |= 12;
        if (GetSafeHwnd() != NULL)
            RecalcNcFrame();
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (GetDockBarId() == AFX_IDW_DOCKBAR_FLOAT ||
        (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))))
        return;
    FloatAtMRUPosition(CBRS_ALIGN_TOP);
}

bool CUiControlBar::FloatAt(int x, int y, DWORD dwStyle)
{
    FloatingScope scope(this);
    const UINT nMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_pDockBar != nullptr && m_pDockBar->m_bFloating && m_pDockBar->GetDockedCount() == 1) {
        if (CWnd* pFrame = m_pDockBar->GetParent())
            pFrame->SetWindowPos(NULL, x, y, 0, 0, nMoveOnly);
        m_ptSavedLayout = CPoint(x, y);
        return true;
    }

    DWORD dwFloatStyle = dwStyle;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwFloatStyle |= CBRS_SIZE_DYNAMIC;
        if (dwFloatStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
            dwFloatStyle &= ~(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM);
            dwFloatStyle |= CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC;
        }
    }
    CUiMiniDockFrameWnd* pFloating = CreateFloatingFrame(dwFloatStyle);
    if (pFloating == nullptr)
        return false;

    const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    CDockBar* pOldDockBar = m_pDockBar;
    const HWND hOldDockBar = pOldDockBar != nullptr ? pOldDockBar->GetSafeHwnd() : NULL;
    const bool bOldWasSide = pOldDockBar != nullptr && !pOldDockBar->m_bFloating &&
                             pOldDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar));
    CFrameWnd* pOldFrame = GetParentFrame();
    const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : NULL;
    RememberDockedPlace();
    // The bar leaves its dock bar first, and a group takes its tab (not the selected one)
    // with it: the floating frame's dock bar would leave a placeholder behind, which keeps a
    // group or container with one bar left from dissolving.
    if (bOldWasSide)
        static_cast<CUiDockBar*>(pOldDockBar)->RemoveControlBarEx(this, -1, 0, false);

    pFloating->SetWindowPos(NULL, x, y, 0, 0, nMoveOnly);
    if (pFloating->GetOwner() == nullptr && m_pDockSite != nullptr)
        pFloating->SetOwner(m_pDockSite);
    CWnd* pFloatingDockBar = pFloating->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT);
    m_bTrackFlags |= kNoChildMove;
    if (pFloatingDockBar != nullptr && pFloatingDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        static_cast<CUiDockBar*>(pFloatingDockBar)->DockControlBarEx(this, nullptr, false);
    else if (pFloatingDockBar != nullptr && pFloatingDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
        static_cast<CDockBar*>(pFloatingDockBar)->DockControlBar(this, nullptr);
    m_bTrackFlags &= ~kNoChildMove;
    pFloating->RecalcLayout(TRUE);
    if (bVisible) {
        pFloating->ShowWindow(SW_SHOWNA);
        pFloating->UpdateWindow();
    }
    m_ptSavedLayout = CPoint(x, y);

    if (bOldWasSide && ::IsWindow(hOldDockBar))
        static_cast<CUiDockBar*>(pOldDockBar)->RefreshBarsState();
    if (pOldFrame != nullptr && pOldFrame != m_pDockSite && ::IsWindow(hOldFrame)) {
        if (pOldFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
            pOldFrame->RecalcLayout(TRUE);
        else
            pOldFrame->m_nIdleFlags |= 12;
    }
    if (m_pDockSite != nullptr) {
        CUiDockBar::RemovePlaceHolderInFrame(m_pDockSite, this);
        CUiDockBar::OptimizeRings(m_pDockSite);
        m_pDockSite->RecalcLayout(TRUE);
    }
    RepositionChildWindow(-1, -1, TRUE);
    return true;
}

bool CUiControlBar::DockIntoBar(int nPercent, CUiControlBar* pTarget, UINT nSide, bool bRecalc)
{
    if (pTarget == nullptr)
        return false;
    CFrameWnd* pOwnFrame = GetParentFrame();
    if (GetBarBeingDragged() == this && GetDragDockMode() == 1 && IsLastShownInFloatingFrame())
        pOwnFrame->ShowWindow(SW_HIDE);
    CUiControlBar* pHost = pTarget->GetTabContainerBar();
    if (pHost == nullptr)
        pHost = pTarget;

    CFrameWnd* pHostFrame = pHost->GetParentFrame();
    CFrameWnd* pHostSite = pHost->m_pDockSite;
    const bool bHostInOwnSite = pHostFrame == pHostSite || m_pDockSite == nullptr || pHostSite == m_pDockSite;
    CFrameWnd* pOldFrame = pOwnFrame != pHostSite ? pOwnFrame : nullptr;
    const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : NULL;
    const HWND hHostSite = pHostSite != nullptr ? pHostSite->GetSafeHwnd() : NULL;

    if (!pHost->DockBarBeside(this, nSide, nPercent))
        return false;
    if (!bRecalc)
        return true;
    if (pHostFrame != nullptr && ::IsWindow(pHostFrame->m_hWnd))
        pHostFrame->RecalcLayout(TRUE);
    if (pOldFrame != nullptr && ::IsWindow(hOldFrame))
        pOldFrame->RecalcLayout(TRUE);
    if (bHostInOwnSite && pHostSite != nullptr && ::IsWindow(hHostSite))
        pHostSite->RecalcLayout(TRUE);
    return true;
}

bool CUiControlBar::DockAtSideWithDragState(CUiControlBar* pBar, bool bAlong, bool bBefore, CFrameWnd* pFrame,
                                            bool bRecalc)
{
    if (CUiDynTabControlBar* pGroup = GetTabContainerBar())
        return pGroup->DockAtSideWithDragState(pBar, bAlong, bBefore, pFrame, bRecalc);
    if (pBar == nullptr || GetSafeHwnd() == NULL)
        return false;
    InternalDraggingState_t state(pBar);
    state.SetTarget(this, false);
    state.Empty(false);
    GetWindowRect(&state.m_rect);
    state.m_nLevel = 0;

    // Columns: (along, before) = (1,1), (1,0), (0,1), (0,0).
    static const int kTop[4] = {3, 4, 2, 1}, kBottom[4] = {3, 4, 1, 2}, kLeft[4] = {1, 2, 4, 3},
                     kRight[4] = {1, 2, 3, 4};
    const int nColumn = (bAlong ? 0 : 2) + (bBefore ? 0 : 1);
    const UINT nId = GetDockBarId();
    bool bSplit = true;
    switch (nId) {
    case AFX_IDW_DOCKBAR_TOP: state.m_nKind = kTop[nColumn]; bSplit = bAlong; break;
    case AFX_IDW_DOCKBAR_BOTTOM: state.m_nKind = kBottom[nColumn]; bSplit = bAlong; break;
    case AFX_IDW_DOCKBAR_LEFT: state.m_nKind = kLeft[nColumn]; bSplit = !bAlong; break;
    case AFX_IDW_DOCKBAR_RIGHT: state.m_nKind = kRight[nColumn]; bSplit = !bAlong; break;
    default: state.m_nKind = kRight[nColumn]; break;
    }
    if (bSplit)
        state.m_bFlags |= InternalDraggingState_t::kSplit;
    else
        state.m_bFlags &= ~InternalDraggingState_t::kSplit;

    const bool bApplied = pBar->DragApplyTarget(state, true);
    CFrameWnd* pSite = pFrame != nullptr ? pFrame : m_pDockSite;
    if (pSite != nullptr && ::IsWindow(pSite->m_hWnd)) {
        if (bRecalc)
            pSite->RecalcLayout(TRUE);
        else
            pSite->m_nIdleFlags |= 12;
    }
    state.SetTarget(nullptr, true);
    return bApplied;
}
