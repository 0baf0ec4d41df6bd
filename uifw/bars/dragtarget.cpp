// Where a dragged resizable bar would go for a cursor position, how that place is shown, and
// how a finished target becomes one docking operation.
//
// The search goes from the most specific target to the least: a marker under the cursor, a
// floating bar, the outer frame sides (a new outermost ring), the inner frame sides, a docked
// bar; nothing found means floating. The bands are 32 pixels deep over bars, 16 pixels (12
// outside and 4 inside) at the outer sides and 12 pixels inside the free client area.
#include "dragstate.h"

#include <algorithm>

#include "afxdc.h"
#include "dockbar.h"
#include "dockmarkerwnd.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"

namespace {

const int kBand = 32;

// The dock-style bits that let a bar go to a side (top, bottom, left, right).
DWORD SideMask(UINT nSide)
{
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP: return 0x2800;
    case AFX_IDW_DOCKBAR_BOTTOM: return 0x8200;
    case AFX_IDW_DOCKBAR_LEFT: return 0x1400;
    default: return 0x4100;
    }
}

DWORD AlignBitOfSide(UINT nSide)
{
    switch (nSide) {
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    default: return CBRS_ALIGN_TOP;
    }
}

bool IsTabbedGroup(CUiControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar));
}

UINT LevelOfBar(CUiControlBar* pBar)
{
    CDockBar* pDockBar = pBar->m_pDockBar;
    return pDockBar != nullptr && pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pDockBar)->m_nLevel
                                                                               : 0;
}

// The rectangle between the frame's four outer dock bars, in screen coordinates.
CRect FreeAreaBetweenOuterBars(CFrameWnd* pSite)
{
    CRect rcFree;
    pSite->GetClientRect(&rcFree);
    pSite->ClientToScreen(&rcFree);
    for (UINT nSide : kFrameSides) {
        CControlBar* pControlBar = pSite->GetControlBar(nSide);
        if (pControlBar == nullptr || !pControlBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            continue;
        CRect rc;
        if (pControlBar->IsWindowVisible())
            pControlBar->GetWindowRect(&rc);
        else
            rc = static_cast<CUiDockBar*>(pControlBar)->m_rcEdgeLine;
        switch (nSide) {
        case AFX_IDW_DOCKBAR_TOP: rcFree.top = std::max(rcFree.top, rc.bottom); break;
        case AFX_IDW_DOCKBAR_BOTTOM: rcFree.bottom = std::min(rcFree.bottom, rc.top); break;
        case AFX_IDW_DOCKBAR_LEFT: rcFree.left = std::max(rcFree.left, rc.right); break;
        default: rcFree.right = std::min(rcFree.right, rc.left); break;
        }
    }
    return rcFree;
}

// The band of depth nDepth along one side inside rc.
CRect BandAlong(const CRect& rc, UINT nSide, int nDepth)
{
    CRect rcBand(rc);
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP: rcBand.bottom = rc.top + nDepth; break;
    case AFX_IDW_DOCKBAR_BOTTOM: rcBand.top = rc.bottom - nDepth; break;
    case AFX_IDW_DOCKBAR_LEFT: rcBand.right = rc.left + nDepth; break;
    default: rcBand.left = rc.right - nDepth; break;
    }
    return rcBand;
}

// The screen rectangle of a tabbed group's strip while it shows.
bool StripRect(CUiControlBar* pTarget, CRect& rc)
{
    if (!IsTabbedGroup(pTarget))
        return false;
    CUiDynTabWnd& strip = static_cast<CUiDynTabControlBar*>(pTarget)->m_wndTabs;
    if (strip.GetSafeHwnd() == NULL || !strip.IsWindowVisible())
        return false;
    strip.GetWindowRect(&rc);
    return true;
}

int SideIndex(UINT nSide)
{
    for (int i = 0; i < 4; ++i) {
        if (kFrameSides[i] == nSide)
            return i;
    }
    return 0;
}

} // namespace

void CUiControlBar::InternalDraggingState_t::CalcDragTarget(int x, int y, bool bNoDock)
{
    DropProvisionalTabs(FindDragTarget(x, y, bNoDock));
}

CUiControlBar* CUiControlBar::InternalDraggingState_t::FindDragTarget(int x, int y, bool bNoDock)
{
    // A group that stays the target of a drop into it keeps the tabs it showed for the
    // dragged bar.
    ForgetDeadTarget();
    CUiControlBar* pOld = m_pTarget;
    FillDragTarget(x, y, bNoDock);
    // A marker beside the same group is no drop into it either.
    return pOld != m_pTarget || m_nKind < 28 || m_nKind > 30 ? pOld : nullptr;
}

void CUiControlBar::InternalDraggingState_t::FillDragTarget(int x, int y, bool bNoDock)
{
    CUiControlBar* pBar = m_pBar;
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL)
        return;
    if (pBar->IsFixedSizeForDrag()) {
        pBar->DragFixedSizeBar(*this, x, y, bNoDock);
        return;
    }
    const CPoint pt(x, y);
    const int nMode = CUiControlBar::GetDragDockMode();
    const bool bMarkerSlot = pBar->IsMarkerDockingMode();
    if (bMarkerSlot && pBar->IsDockedAtFrameSide() && nMode != 1 && pBar->m_pDockBar != nullptr) {
        CRect rcOwn;
        pBar->m_pDockBar->GetWindowRect(&rcOwn);
        if (rcOwn.PtInRect(pt))
            return;
    }
    m_rect.SetRectEmpty();
    m_nKind = 0;
    SetTarget(nullptr, true);
    const int nMinWidth = std::max(pBar->GetMinExtentHorz(), 8);
    const int nMinHeight = std::max(pBar->GetMinExtentVert(), 8);
    CFrameWnd* pSite = pBar->m_pDockSite;
    CRect rcSite(0, 0, 0, 0);
    if (pSite != nullptr)
        pSite->GetWindowRect(&rcSite);
    const bool bFloating = pBar->IsBarFloating() != FALSE;

    if (nMode == 1 && !bNoDock && bFloating) {
        CWnd* pUnder = CWnd::FromHandlePermanent(::WindowFromPoint(pt));
        if (pUnder != nullptr && pUnder->IsKindOf(RUNTIME_CLASS(CUiDynDockMarkerWnd))) {
            CUiDynDockMarkerWnd* pMarker = static_cast<CUiDynDockMarkerWnd*>(pUnder);
            if (pMarker->IsValidMarkerType()) {
                int nKind = pMarker->GetDockCode();
                HWND hTarget = pMarker->GetTargetWnd();
                CWnd* pTargetWnd = hTarget != NULL && ::IsWindow(hTarget) ? CWnd::FromHandlePermanent(hTarget) : nullptr;
                CUiControlBar* pTarget = pTargetWnd != nullptr && pTargetWnd->IsKindOf(RUNTIME_CLASS(CUiControlBar))
                                             ? static_cast<CUiControlBar*>(pTargetWnd)
                                             : nullptr;
                if (nKind >= 22 && nKind <= 26 && (pTarget == nullptr || (nKind == 26 && !pBar->CanDockNow(pTarget))))
                    nKind = 0;
                if (hTarget != NULL && pTargetWnd == nullptr)
                    nKind = 0;
                if (nKind != 0) {
                    m_nKind = nKind;
                    SetTarget(pTarget, true);
                    CRect rcStrip;
                    if (nKind == 26 && StripRect(pTarget, rcStrip)) {
                        m_nKind = 30;
                        CalcTabIndex(rcStrip.left + 2, rcStrip.CenterPoint().y);
                    }
                    return;
                }
            }
        }
    }

    bool bStayFloating = bNoDock;
    if (nMode != 1 && !bNoDock && bFloating &&
        (pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) || !bMarkerSlot)) {
        CFrameWnd* pParentFrame = pBar->GetParentFrame();
        CRect rcFrame;
        if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
            pParentFrame->GetWindowRect(&rcFrame);
            if (rcFrame.PtInRect(pt))
                bStayFloating = true;
        }
    }

    if (!bStayFloating && ::GetKeyState(VK_CONTROL) >= 0 && pSite != nullptr) {
        if (!FindFloatingTarget(pt, nMinWidth, nMinHeight) && !FindOuterSide(pt) && !FindInnerSide(pt) &&
            !FindDockedTarget(pt, nMinWidth, nMinHeight))
            m_nKind = 0;
        if (nMode == 1 && m_nKind != 28 && m_nKind != 29 && m_nKind != 30) {
            m_nKind = 0;
            m_rect.SetRectEmpty();
        }
    }

    if (m_nKind == 0) {
        SetTarget(nullptr, true);
        CRect rc;
        CFrameWnd* pParentFrame = pBar->GetParentFrame();
        if (bFloating && pParentFrame != nullptr && pParentFrame != pSite) {
            pParentFrame->GetWindowRect(&rc);
            const int t = std::min(pBar->m_rcCaption.Width(), pBar->m_rcCaption.Height());
            rc.OffsetRect(x - pBar->m_ptGrabFloat.x - rc.left - t, y - pBar->m_ptGrabFloat.y - rc.top - t / 2);
        } else {
            // The frame the bar will float in, not the bar alone: that is what lands there.
            rc = pBar->FloatingFrameRectAt(CPoint(x - pBar->m_ptGrabFloat.x, y - pBar->m_ptGrabFloat.y));
        }
        rc.OffsetRect(rcSite.left, rcSite.top);
        m_rect = rc;
    }
}

bool CUiControlBar::InternalDraggingState_t::TestTargetBands(CUiControlBar* pTarget, const CRect& rcHit, CPoint pt,
                                                             int nMinWidth, int nMinHeight, bool bDocked)
{
    CUiControlBar* pBar = m_pBar;
    const bool bAccept = pBar->CanDockNow(pTarget) && pTarget->CanDockNow(pBar);
    const int nTargetMinWidth = pTarget->GetMinExtentHorz();
    const int nTargetMinHeight = pTarget->GetMinExtentVert();
    int nKind = 0;
    const bool bVertical = bDocked ? rcHit.Width() >= nMinWidth && nMinHeight <= 64 && nTargetMinHeight <= 64
                                   : rcHit.Width() >= nMinWidth && rcHit.Height() / 2 >= nMinHeight &&
                                         rcHit.Height() / 2 >= nTargetMinHeight;
    if (bVertical) {
        CRect rcStrip;
        const bool bStrip = StripRect(pTarget, rcStrip);
        int nAboveTop = rcHit.top;
        if (bAccept) {
            if (pt.y >= rcHit.top && pt.y < rcHit.top + kBand)
                nKind = bStrip ? 28 : 27;
            nAboveTop = rcHit.top + kBand;
        }
        const int nBottom = bStrip ? rcStrip.top : rcHit.bottom;
        if (nKind == 0 && pt.y >= nAboveTop && pt.y < nAboveTop + kBand)
            nKind = 1;
        else if (nKind == 0 && bStrip && rcStrip.PtInRect(pt) && (!bDocked || pBar->IsDockableByDrag()))
            nKind = 29;
        else if (nKind == 0 && pt.y >= nBottom - kBand && pt.y < nBottom)
            nKind = 2;
    }
    const bool bHorizontal = bDocked ? rcHit.Height() >= nMinHeight && nMinWidth <= 64 && nTargetMinWidth <= 64
                                     : rcHit.Height() >= nMinHeight && rcHit.Width() / 2 >= nMinWidth &&
                                           rcHit.Width() / 2 >= nTargetMinWidth;
    if (nKind == 0 && (bDocked || !bVertical) && bHorizontal) {
        if (pt.x >= rcHit.left && pt.x < rcHit.left + kBand)
            nKind = 3;
        else if (pt.x >= rcHit.right - kBand && pt.x < rcHit.right)
            nKind = 4;
    }
    if (nKind == 0)
        return false;
    // The preview is the place the drop gives: the bar's half of the target's place, or the
    // whole group it joins, where the frame's layout will have them once the bar has left its
    // own place.
    const CRect rcPreview = nKind <= 4 ? pBar->PlaceBeside(pTarget, kFrameSides[nKind - 1])
                                       : CUiDockBar::PlaceOnceLeft(HostOfJoining(pTarget), pBar);
    if (nKind >= 27 ||
        (bDocked && pTarget->m_pDockBar != nullptr && !pTarget->IsBarFloating() && pTarget->IsSingleVisibleInRow(false, false)))
        m_bFlags &= ~kSplit;
    if (bDocked && pTarget->m_pDockBar != nullptr) {
        if (!pTarget->IsDockedVertically() ? rcPreview.Width() < nMinWidth : rcPreview.Height() < nMinHeight)
            return false;
    } else if (rcPreview.Width() < nMinWidth || rcPreview.Height() < nMinHeight) {
        return false;
    }
    m_nKind = nKind;
    m_rect = rcPreview;
    SetTarget(pTarget, true);
    if (nKind == 29)
        CalcTabIndex(pt.x, pt.y);
    return true;
}

// A target that floats or sits outside the framework's dock bars shares its place; one in a
// row of a dock bar may take the whole row.
void CUiControlBar::InternalDraggingState_t::SetSplitForTarget(CUiControlBar* pTarget)
{
    if (pTarget->m_pDockBar == nullptr || !pTarget->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ||
        pTarget->IsBarFloating())
        m_bFlags |= kSplit;
    else
        m_bFlags &= ~kSplit;
}

namespace {

CUiDynTabWnd* LiveStripOf(CUiControlBar* pGroup)
{
    if (!IsTabbedGroup(pGroup) || !::IsWindow(pGroup->m_hWnd))
        return nullptr;
    CUiDynTabWnd& strip = static_cast<CUiDynTabControlBar*>(pGroup)->m_wndTabs;
    return strip.GetSafeHwnd() != NULL ? &strip : nullptr;
}

} // namespace

void CUiControlBar::InternalDraggingState_t::DropProvisionalTabs(CUiControlBar* pGroup)
{
    if (CUiDynTabWnd* pStrip = LiveStripOf(pGroup))
        pStrip->RemoveProvisionalTabs(false);
}

bool CUiControlBar::InternalDraggingState_t::HasProvisionalTabs(CUiControlBar* pGroup)
{
    CUiDynTabWnd* pStrip = LiveStripOf(pGroup);
    return pStrip != nullptr && pStrip->HasProvisionalTabs();
}

bool CUiControlBar::InternalDraggingState_t::FindFloatingTarget(CPoint pt, int nMinWidth, int nMinHeight)
{
    CUiControlBar* pBar = m_pBar;
    if (!pBar->IsDockableByDrag())
        return false;
    // The first floating bar whose floating frame holds the point.
    CArray<CUiControlBar*, CUiControlBar*> arr;
    pBar->CollectBarsOfSameFrame(GetDragDockMode() == 1, arr, 0x0584, pt.x, pt.y);
    CUiControlBar* pTarget = nullptr;
    CRect rcHit;
    for (INT_PTR i = 0; i < arr.GetSize() && pTarget == nullptr; ++i) {
        CFrameWnd* pTargetFrame = arr[i]->GetParentFrame();
        if (!arr[i]->IsBarFloating() || pTargetFrame == nullptr || pTargetFrame == pBar->m_pDockSite)
            continue;
        pTargetFrame->GetWindowRect(&rcHit);
        if (rcHit.PtInRect(pt))
            pTarget = arr[i];
    }
    if (pTarget == nullptr || pTarget == pBar || !(pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
        return false;
    SetSplitForTarget(pTarget);
    return TestTargetBands(pTarget, rcHit, pt, nMinWidth, nMinHeight, false);
}

CRect CUiControlBar::PlaceOfNewRowOnSide(UINT nSide, CUiDockBar* pInto, bool bOutermost)
{
    if (m_pDockSite == nullptr)
        return CRect(0, 0, 0, 0);
    const bool bAlongX = IsTopOrBottomSide(nSide);
    RowSpan row;
    row.nMinThickness = bAlongX ? GetMinExtentVert() : GetMinExtentHorz();
    row.nThickness = std::max<int>(row.nMinThickness, bAlongX ? m_sizeHorz.cy : m_sizeVert.cx);
    return CUiDockBar::PlaceOfNewRow(m_pDockSite, nSide, pInto, bOutermost, row, this);
}

bool CUiControlBar::InternalDraggingState_t::FindOuterSide(CPoint pt)
{
    CUiControlBar* pBar = m_pBar;
    CFrameWnd* pSite = pBar->m_pDockSite;
    if (!pBar->IsDockableByDrag())
        return false;
    const CRect rcFree = FreeAreaBetweenOuterBars(pSite);
    CRect rcZone(rcFree);
    rcZone.InflateRect(12, 12);
    if (rcZone.IsRectEmpty() || !rcZone.PtInRect(pt))
        return false;
    for (UINT nSide : kFrameSides) {
        if (!(pBar->m_dwDockStyle & SideMask(nSide)) || !BandAlong(rcZone, nSide, 16).PtInRect(pt))
            continue;
        m_rect = pBar->PlaceOfNewRowOnSide(nSide, nullptr, true);
        m_nKind = 9 + SideIndex(nSide);
        m_nLevel = 1;
        return true;
    }
    return false;
}

bool CUiControlBar::InternalDraggingState_t::FindInnerSide(CPoint pt)
{
    CUiControlBar* pBar = m_pBar;
    CFrameWnd* pSite = pBar->m_pDockSite;
    CRect rcSite;
    pSite->GetWindowRect(&rcSite);
    rcSite.InflateRect(32, 32);
    if (!rcSite.PtInRect(pt))
        return false;
    CRect rcClient(0, 0, 0, 0);
    CUiControlBar::RepositionBarsEx(pSite, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcClient, NULL, TRUE);
    pSite->ClientToScreen(&rcClient);
    if (rcClient.IsRectEmpty() || !rcClient.PtInRect(pt))
        return false;
    for (UINT nSide : kFrameSides) {
        if (!(pBar->m_dwDockStyle & SideMask(nSide)))
            continue;
        CControlBar* pControlBar = pSite->GetControlBar(nSide);
        if (pControlBar == nullptr || !pControlBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            continue;
        CUiDockBar* pOuter = static_cast<CUiDockBar*>(pControlBar);
        if (pBar->IsMarkerDockingMode() && pBar->IsDockedAtFrameSide()) {
            if (pBar->GetDockBarId() != nSide)
                continue;
            CRect rcOwn;
            pBar->m_pDockBar->GetWindowRect(&rcOwn);
            if (rcOwn.PtInRect(pt)) {
                m_nKind = 13;
                return true;
            }
            continue;
        }
        if (!BandAlong(rcClient, nSide, 12).PtInRect(pt))
            continue;
        const UINT nInner = pOuter->GetInnerLevel();
        UINT nLevel = nInner + 1;
        if (LevelOfBar(pBar) + 2 < nInner) {
            const int i = SideIndex(nSide);
            const UINT nPerp1 = i < 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;
            const UINT nPerp2 = i < 2 ? AFX_IDW_DOCKBAR_RIGHT : AFX_IDW_DOCKBAR_BOTTOM;
            CUiDockBar* pRing = pOuter->GetRingDockBar(nInner);
            CUiDockBar* p1 = pRing != nullptr ? pRing->FindSameLevelDockBar(nPerp1, false) : nullptr;
            CUiDockBar* p2 = pRing != nullptr ? pRing->FindSameLevelDockBar(nPerp2, false) : nullptr;
            if ((p1 == nullptr || p1->IsEmpty()) && (p2 == nullptr || p2->IsEmpty()))
                nLevel = nInner;
        }
        // Shown where the layout will put it: no deeper than the frame leaves it there.
        m_rect = pBar->PlaceOfNewRowOnSide(nSide, nLevel == nInner ? pOuter->GetRingDockBar(nLevel) : nullptr, false);
        m_nKind = 5 + SideIndex(nSide);
        m_nLevel = nLevel;
        return true;
    }
    return false;
}

bool CUiControlBar::InternalDraggingState_t::FindDockedTarget(CPoint pt, int nMinWidth, int nMinHeight)
{
    CUiControlBar* pBar = m_pBar;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    pBar->CollectBarsOfSameFrame(GetDragDockMode() == 1, arr, 0x857C, pt.x, pt.y);
    if (arr.GetSize() == 0)
        return false;
    CUiControlBar* pTarget = arr[0];
    if (pTarget == pBar) {
        m_nKind = 13;
        return true;
    }
    if (!pBar->IsDockableByDrag() && LevelOfBar(pTarget) > 0)
        return false;
    const UINT nSide = pTarget->IsBarFloating() ? AFX_IDW_DOCKBAR_TOP : pTarget->GetDockBarId();
    if (!(pBar->m_dwDockStyle & CBRS_ALIGN_ANY) || !(pBar->m_dwDockStyle & AlignBitOfSide(nSide)))
        return false;
    SetSplitForTarget(pTarget);
    CRect rcHit;
    pTarget->GetWindowRect(&rcHit);
    return TestTargetBands(pTarget, rcHit, pt, nMinWidth, nMinHeight, true);
}

bool CUiControlBar::InternalDraggingState_t::IsOutlined() const
{
    const CUiControlBar* pBar = m_pBar;
    if (pBar == nullptr || m_nKind == 13 || pBar->IsFixedSizeBar() || GetDragDockMode() == 1 ||
        pBar->IsMarkerDockingMode() || m_rect.IsRectEmpty())
        return false;
    return !(m_nKind >= 28 && m_nKind <= 30 && m_pTarget != nullptr);
}

void CUiControlBar::InternalDraggingState_t::DrawTracker(bool bErase)
{
    ForgetDeadTarget();
    CUiControlBar* pBar = m_pBar;
    if (pBar == nullptr || m_nKind == 13 || pBar->IsFixedSizeBar())
        return;
    const bool bMarkers = GetDragDockMode() == 1;
    if (pBar->IsMarkerDockingMode() ? !bMarkers : m_rect.IsRectEmpty())
        return;
    CFrameWnd* pOwnFrame = pBar->GetParentFrame();
    const bool bOwnFloating = pBar->IsBarFloating() && pOwnFrame != nullptr && pOwnFrame != pBar->m_pDockSite;
    if (m_nKind >= 28 && m_nKind <= 30 && m_pTarget != nullptr) {
        // The group shows the bar as provisional tabs; they go with the target (SetTarget).
        if (bErase || !IsTabbedGroup(m_pTarget))
            return;
        if (bMarkers && bOwnFloating && pBar->IsLastShownInFloatingFrame())
            pOwnFrame->ShowWindow(SW_HIDE);
        CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(m_pTarget);
        if (m_nKind != 28)
            pGroup->m_wndTabs.RemoveProvisionalTabs(false);
        pGroup->InsertBarTabs(pBar, m_nKind == 28 ? -1 : m_nTabIndex, false);
        pGroup->m_wndTabs.Invalidate();
        return;
    }
    if (bMarkers) {
        if (bOwnFloating && !pOwnFrame->IsWindowVisible())
            pOwnFrame->ShowWindow(SW_SHOWNOACTIVATE);
        return;
    }
    CFrameWnd* pSite = pBar->m_pDockSite;
    if (pSite == nullptr)
        return;
    CRect rc(m_rect);
    // Inside the client area of the target's frame, where the bar lands: the place may reach
    // beyond the target's dock bar now, which grows once the bar has left its own place.
    if (CFrameWnd* pTargetFrame = m_pTarget != nullptr ? m_pTarget->GetParentFrame() : nullptr) {
        CRect rcClient;
        pTargetFrame->GetClientRect(&rcClient);
        pTargetFrame->ClientToScreen(&rcClient);
        if (!rc.IntersectRect(&rc, &rcClient))
            return;
    }
    CRect rcSite;
    pSite->GetWindowRect(&rcSite);
    rc.OffsetRect(-rcSite.left, -rcSite.top);
    if (rc.Width() < 2 * ::GetSystemMetrics(SM_CXFRAME) + 1 || rc.Height() < 2 * ::GetSystemMetrics(SM_CYFRAME) + 1)
        return;
    CWnd* pDrawWnd = nullptr;
    if (m_pTarget != nullptr) {
        CFrameWnd* pTargetFrame = m_pTarget->GetParentFrame();
        pDrawWnd = pTargetFrame;
        if (pTargetFrame != nullptr && pTargetFrame != pSite) {
            pSite->ClientToScreen(&rc);
            pTargetFrame->ScreenToClient(&rc);
            rc.OffsetRect(-1, -1);
        }
    } else if (m_nKind >= 5 && m_nKind <= 12) {
        pDrawWnd = pSite;
    }
    HWND hDraw = pDrawWnd != nullptr ? pDrawWnd->GetSafeHwnd() : ::GetDesktopWindow();
    HDC hDC = ::GetDCEx(hDraw, NULL, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (hDC == NULL)
        return;
    DrawTrackedAreaData data(pBar, CDC::FromHandle(hDC), m_nKind == 27 ? 3 : 2, rc, bErase);
    DrawTrackedArea(data);
    ::ReleaseDC(hDraw, hDC);
}
