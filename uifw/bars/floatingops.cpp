// Floating a bar, toggling it between docked and floating, and docking it beside another bar
// by a side named along or across the rows.
//
// Floating makes the new floating frame before anything else is touched: a frame that cannot
// be made leaves the bar where it was, and the process-wide "bar being floated", which
// silences the visibility bookkeeping of every bar, is cleared on every way out.
#include "controlbar.h"

#include "dockbar.h"
#include "dockbararray.h"
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

CSize CUiControlBar::FloatingSize() const
{
    CSize size = m_sizeFloat;
    if (IsKindOf(RUNTIME_CLASS(CUiDynControlBar))) {
        const CSize sizeLeast = static_cast<const CUiDynControlBar*>(this)->CalcInnerSize();
        size.cx = std::max(size.cx, sizeLeast.cx);
        size.cy = std::max(size.cy, sizeLeast.cy);
    }
    return size;
}

CRect CUiControlBar::FloatingFrameRectAt(CPoint ptFrame) const
{
    CRect rc(CPoint(0, 0), FloatingSize());
    CUiMiniDockFrameWnd::FrameRectAround(&rc);
    return CRect(ptFrame, rc.Size());
}

bool CUiControlBar::FloatAtMRUPosition(DWORD dwStyle)
{
    return FloatAt(m_ptSavedLayout.x, m_ptSavedLayout.y, dwStyle);
}

bool CUiControlBar::DockIntoBarHalf(CUiControlBar* pTarget, UINT nSide, bool bRecalc)
{
    return DockIntoBar(50, pTarget, nSide, bRecalc);
}

namespace {
// The dock bar that holds the outermost container a dock bar lies in (itself outside one), and
// in pHolder the bar in it that holds the rest (pBar itself outside a container).
CDockBar* OutermostDockBar(CDockBar* pDock, CControlBar*& pHolder)
{
    while (pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        CWnd* pContainer = pDock->GetParent();
        const bool bBar = pContainer != nullptr && pContainer->IsKindOf(RUNTIME_CLASS(CUiControlBar));
        pHolder = bBar ? static_cast<CUiControlBar*>(pContainer) : nullptr;
        pDock = bBar ? static_cast<CUiControlBar*>(pContainer)->m_pDockBar : nullptr;
    }
    return pDock;
}

CDockBar* OutermostDockBar(CDockBar* pDock)
{
    CControlBar* pHolder = nullptr;
    return OutermostDockBar(pDock, pHolder);
}

// Whether the four dock bars of the ring hold nothing but pBar.
bool HoldsRingAlone(CUiDockBar* pDock, CControlBar* pBar)
{
    for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); ++i) {
        if (pDock->m_arrBars[i] != nullptr && pDock->m_arrBars[i] != pBar)
            return false;
    }
    for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        CUiDockBar* pOther = nSide == (UINT)pDock->GetDlgCtrlID() ? nullptr : pDock->FindSameLevelDockBar(nSide, false);
        if (pOther != nullptr && !pOther->IsEmpty())
            return false;
    }
    return true;
}
} // namespace

void CUiControlBar::RememberDockedPlace()
{
    CDockBar* pDock = m_pDockBar;
    if (pDock == nullptr || pDock->m_bFloating || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return;
    DockedPlace place;
    CControlBar* pHolder = this;
    if (pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        // A partner that stays: another bar of the group, or the container's neighbour. The
        // bar's tab may be gone already while it is dragged out: its index is the one the strip
        // noted when the drag began. The panes of the tabs beside its own mark its place even
        // when others left the group meanwhile.
        const bool bGroup = pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar));
        if (CUiDynTabControlBar* pGroup = bGroup ? static_cast<CUiDockDynTabBar*>(pDock)->GetGroup() : nullptr) {
            CUiDynTabWnd& tabs = pGroup->m_wndTabs;
            place.nTabIndex = tabs.ItemFindByLParam((LPARAM)this);
            const int nAfter = place.nTabIndex >= 0 ? place.nTabIndex + 1 : tabs.m_nDraggedTab;
            if (place.nTabIndex < 0)
                place.nTabIndex = tabs.m_nDraggedTab;
            CUiControlBar* pBefore = place.nTabIndex > 0 ? tabs.GetItemBar(place.nTabIndex - 1, true) : nullptr;
            CUiControlBar* pAfter = nAfter >= 0 && nAfter < tabs.ItemGetCount() ? tabs.GetItemBar(nAfter, true) : nullptr;
            place.hTabBefore = pBefore != nullptr && pBefore != this ? pBefore->m_hWnd : NULL;
            place.hTabAfter = pAfter != nullptr && pAfter != this ? pAfter->m_hWnd : NULL;
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
            place.sizeOwn[0] = m_sizeHorz;
            place.sizeOwn[1] = m_sizeVert;
            place.sizePartner[0] = pPartner->m_sizeHorz;
            place.sizePartner[1] = pPartner->m_sizeVert;
            // The container's order, not the windows' places: a hidden partner has none.
            if (!bGroup) {
                const bool bBefore = nOwn + 1 < arr.GetSize();
                const bool bAcross = static_cast<CUiDockDynBar*>(pDock)->IsHorizontal();
                place.nPartnerSide = bAcross ? (bBefore ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_RIGHT)
                                             : (bBefore ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_BOTTOM);
            }
        }
        pDock = OutermostDockBar(pDock, pHolder);
    }
    if (pDock != nullptr && !pDock->m_bFloating && pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        CUiDockBar* pSide = static_cast<CUiDockBar*>(pDock);
        place.nSide = (UINT)pSide->GetDlgCtrlID();
        place.nLevel = pSide->m_nLevel;
        if (!RowArrayPlaceOf(pSide->m_arrBars, pSide->FindBar(pHolder), place.nRow, place.nInRow, place.bOwnRow))
            place.nRow = -1;
        // A container it leaves stays in the row and ring, held by the bars left in it.
        place.bOwnRow = place.bOwnRow && pHolder == this;
        place.bOwnRing = place.nLevel > 0 && pHolder == this && HoldsRingAlone(pSide, pHolder);
        GetWindowRect(&place.rcDocked);
        if (BarPlacementRecord* pRecord = GetPlacementRecord())
            place.record = *pRecord;
        // The dock context keeps the side and the rectangle too, as a bar floated by its dock
        // context does: the saved layout carries them, where the place above is not kept.
        if (m_pDockContext != nullptr) {
            m_pDockContext->m_uMRUDockID = place.nSide;
            m_pDockContext->m_rectMRUDockPos = place.rcDocked;
        }
    }
    m_placeDocked = place;
}

namespace {
// The bar's tab moved between the panes of the tabs it stood between, as far as they are
// still in its group; else to the index it had.
void MoveTabBackBetween(CUiControlBar* pBar, const CUiControlBar::DockedPlace& place)
{
    CUiDynTabControlBar* pGroup = pBar->GetTabContainerBar();
    if (pGroup == nullptr)
        return;
    CUiDynTabWnd& tabs = pGroup->m_wndTabs;
    const int nTab = tabs.ItemFindByLParam((LPARAM)pBar);
    if (nTab < 0)
        return;
    // Indexes among the other tabs, as if the bar's own were out.
    auto otherIndex = [&](HWND h) {
        CWnd* p = ::IsWindow(h) ? CWnd::FromHandlePermanent(h) : nullptr;
        const int n = p != nullptr ? tabs.ItemFindByLParam((LPARAM)p) : -1;
        return n < 0 ? -1 : n > nTab ? n - 1 : n;
    };
    const int nBefore = otherIndex(place.hTabBefore), nAfter = otherIndex(place.hTabAfter);
    int nWanted = nBefore >= 0 ? nBefore + 1 : nAfter >= 0 ? nAfter : place.nTabIndex;
    nWanted = std::min(nWanted, tabs.ItemGetCount() - 1);
    if (nWanted >= 0 && nWanted != nTab)
        tabs.ItemMove(nTab, nWanted, true);
    tabs.SelectionSet(tabs.ItemFindByLParam((LPARAM)pBar), true, true);
}
} // namespace

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
        // A hidden partner still holds the place: the bar goes back beside it or into its group.
        if (pPartner->m_pDockSite == m_pDockSite && pPartner->GetParentFrame() == m_pDockSite && bSameSide) {
            if (m_placeDocked.nPartnerSide != 0) {
                if (!DockIntoBarHalf(pPartner, m_placeDocked.nPartnerSide, true))
                    return false;
                // The two share the place as they did, not by halves.
                m_sizeHorz = m_placeDocked.sizeOwn[0];
                m_sizeVert = m_placeDocked.sizeOwn[1];
                pPartner->m_sizeHorz = m_placeDocked.sizePartner[0];
                pPartner->m_sizeVert = m_placeDocked.sizePartner[1];
                if (m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
                    static_cast<CUiDockBar*>(m_pDockBar)->RecalcLayoutNow();
                return true;
            }
            if (!pPartner->DockIntoTabbedGroup(this, m_placeDocked.nTabIndex, nullptr, true))
                return false;
            // Back at its tab, shown: a group made anew put it after its partner.
            MoveTabBackBetween(this, m_placeDocked);
            return true;
        }
    }
    UINT nSide = m_placeDocked.nSide;
    if (nSide == 0)
        nSide = m_pDockContext != nullptr && m_pDockContext->m_uMRUDockID != 0 ? m_pDockContext->m_uMRUDockID
                                                                              : AFX_IDW_DOCKBAR_TOP;
    if (nSide < AFX_IDW_DOCKBAR_TOP || nSide > AFX_IDW_DOCKBAR_BOTTOM)
        nSide = AFX_IDW_DOCKBAR_TOP;
    const UINT nLevel = std::max<UINT>(m_placeDocked.nLevel, 1);
    if (m_placeDocked.nSide == 0 || m_placeDocked.nRow < 0)
        return InsertIntoFrameDockBar(nSide, nLevel);
    // Back in the ring and row it left: the ring it held alone went as it left.
    if (m_placeDocked.bOwnRing)
        CUiDockBar::InsertRingAtLevel(m_pDockSite, nLevel);
    CControlBar* pOuter = m_pDockSite->GetControlBar(nSide);
    CUiDockBar* pDock = pOuter != nullptr && pOuter->IsKindOf(RUNTIME_CLASS(CUiDockBar))
                            ? static_cast<CUiDockBar*>(pOuter)->GetRingDockBar(nLevel)
                            : nullptr;
    if (pDock == nullptr)
        return InsertIntoFrameDockBar(nSide, nLevel);
    pDock->DockBarAtRow(this, m_placeDocked.nRow, m_placeDocked.nInRow, m_placeDocked.bOwnRow);
    m_pDockSite->RecalcLayout(TRUE);
    return true;
}

void CUiControlBar::LeavePlaceHolderAtDockedPlace()
{
    if (m_placeDocked.nSide == 0 || m_placeDocked.nRow < 0 || m_placeDocked.nLevel != 0 || m_pDockSite == nullptr)
        return;
    CControlBar* pOuter = m_pDockSite->GetControlBar(m_placeDocked.nSide);
    if (pOuter == nullptr || !pOuter->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return;
    CUiDockBar* pDock = static_cast<CUiDockBar*>(pOuter);
    void* pId = (void*)(UINT_PTR)(GetDlgCtrlID() & 0xFFFF);
    if (pDock->FindBar(static_cast<CControlBar*>(pId)) <= 0)
        RowArrayPlaceAt(pDock->m_arrBars, pId, m_placeDocked.nRow, m_placeDocked.nInRow, m_placeDocked.bOwnRow);
    if (m_pDockContext != nullptr) {
        m_pDockContext->m_uMRUDockID = m_placeDocked.nSide;
        m_pDockContext->m_rectMRUDockPos = m_placeDocked.rcDocked;
    }
    // Its drag reset the record on every side it crossed and may have forgotten it there: one
    // that no longer ranks the bar where it stood would have the row squeeze it to its least
    // when it docks back, its neighbours keeping its length.
    SetPlacementRecord(m_placeDocked.record);
}

CRect CUiControlBar::DockedHolderRect(UINT& nSide) const
{
    CControlBar* pHolder = const_cast<CUiControlBar*>(this);
    CDockBar* pDock = OutermostDockBar(m_pDockBar, pHolder);
    nSide = pDock != nullptr ? (UINT)pDock->GetDlgCtrlID() : 0;
    CRect rc;
    (pHolder != nullptr ? pHolder : this)->GetWindowRect(&rc);
    return rc;
}

namespace {
// A frame of that size beside the docked place, towards the middle of the frame the place is
// on: what stays docked there stays in sight.
CPoint BesideDockedPlace(const CRect& rcDocked, UINT nSide, CSize sizeFrame)
{
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP: return CPoint(rcDocked.left, rcDocked.bottom);
    case AFX_IDW_DOCKBAR_BOTTOM: return CPoint(rcDocked.left, rcDocked.top - sizeFrame.cy);
    case AFX_IDW_DOCKBAR_LEFT: return CPoint(rcDocked.right, rcDocked.top);
    case AFX_IDW_DOCKBAR_RIGHT: return CPoint(rcDocked.left - sizeFrame.cx, rcDocked.top);
    default: return rcDocked.TopLeft();
    }
}

// The floating frame the bar floats in now, or null.
CUiMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar)
{
    CFrameWnd* pFrame = pBar->GetParentFrame();
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)) ? static_cast<CUiMiniDockFrameWnd*>(pFrame)
                                                                                   : nullptr;
}

// Puts a frame floated by a double click beside the docked place when the bar had no floating
// place of its own, then wholly on the work area; answers its top-left corner.
CPoint PlaceFloatedFrame(CUiMiniDockFrameWnd* pFloating, bool bOwnPlace, const CRect& rcDocked, UINT nSide)
{
    if (!bOwnPlace) {
        CRect rc;
        pFloating->GetWindowRect(&rc);
        const CPoint pt = BesideDockedPlace(rcDocked, nSide, rc.Size());
        pFloating->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return pFloating->PlaceOnWorkArea();
}
} // namespace

bool CUiControlBar::FloatByDoubleClick()
{
    const bool bOwnPlace = m_ptSavedLayout != CPoint(0, 0);
    UINT nSide = 0;
    const CRect rcDocked = DockedHolderRect(nSide);
    const CPoint pt = bOwnPlace ? m_ptSavedLayout : rcDocked.TopLeft();
    if (!FloatAt(pt.x, pt.y, CBRS_ALIGN_TOP))
        return false;
    if (CUiMiniDockFrameWnd* pFloating = FloatingFrameOf(this))
        m_ptSavedLayout = PlaceFloatedFrame(pFloating, bOwnPlace, rcDocked, nSide);
    return true;
}

void CUiControlBar::ToggleDockingByContext()
{
    if (m_pDockContext != nullptr) {
        const bool bDocked = !IsFloating();
        const bool bOwnPlace = m_pDockContext->m_ptMRUFloatPos != CPoint(0, 0);
        UINT nSide = 0;
        const CRect rcDocked = DockedHolderRect(nSide);
        if (bDocked && !bOwnPlace)
            m_pDockContext->m_ptMRUFloatPos = rcDocked.TopLeft();
        m_pDockContext->ToggleDocking();
        CUiMiniDockFrameWnd* pFloating = bDocked ? FloatingFrameOf(this) : nullptr;
        if (pFloating != nullptr)
            m_pDockContext->m_ptMRUFloatPos = PlaceFloatedFrame(pFloating, bOwnPlace, rcDocked, nSide);
    }
    if (CFrameWnd* pSite = GetDockSiteFrame())
        pSite->m_nIdleFlags |= 12;
    if (GetSafeHwnd() != NULL)
        RecalcNcFrame();
}

void CUiControlBar::ToggleDocking()
{
    if (IsFixedSizeForDrag()) {
        ToggleDockingByContext();
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (GetDockBarId() == AFX_IDW_DOCKBAR_FLOAT ||
        (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))))
        return;
    FloatByDoubleClick();
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
    // A fixed-size bar moves through the dock bars while it is dragged: the place it left is
    // the one it had when the drag began.
    const bool bFixed = IsFixedSizeForDrag();
    if (!bFixed || GetBarBeingDragged() != this)
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
        if (bFixed)
            LeavePlaceHolderAtDockedPlace();
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
    CUiControlBar* pHost = HostOfJoining(pTarget);

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
