// Toolbars and the menu bar while they are dragged: they move at once, under the cursor when
// floating, along their row, into a new row of their own or into the neighbouring row, or
// past that row with their whole row. The drag state keeps only the cursor kind.
//
// Each side of the frame has a zone around its outer dock bar (a line along the frame's edge
// while the dock bar is hidden): 12 pixels into the frame and 18 more all round. The side the
// bar is on is tried first, then the visible sides, then the hidden ones.
#include "dragstate.h"

#include <algorithm>

#include "dockbar.h"
#include "dockbararray.h"
#include "minidockframewnd.h"
#include "outerrow.h"
#include "paintdraw.h"

namespace {

CRect ZoneOfSide(CFrameWnd* pSite, CDockBar* pDockBar, UINT nSide)
{
    CRect rc;
    if (pDockBar->IsWindowVisible()) {
        pDockBar->GetWindowRect(&rc);
    } else {
        pSite->GetClientRect(&rc);
        pSite->ClientToScreen(&rc);
        switch (nSide) {
        case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top; break;
        case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom; break;
        case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left; break;
        default: rc.left = rc.right; break;
        }
    }
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP: rc.bottom += 12; break;
    case AFX_IDW_DOCKBAR_BOTTOM: rc.top -= 12; break;
    case AFX_IDW_DOCKBAR_LEFT: rc.right += 12; rc.top -= 12; rc.bottom += 12; break;
    default: rc.left -= 12; rc.top -= 12; rc.bottom += 12; break;
    }
    const int nMargin = ::MulDiv(12, 3, 2);
    rc.InflateRect(nMargin, nMargin);
    return rc;
}

// A record saved while the dock bar was longer would pull the bar back past the row's end
// at the next layout; such a record no longer tells where the user put the bar.
void ForgetPlacementBeyond(BarPlacementRecord* pRecord, CDockBar* pDockBar, bool bHorz)
{
    if (pRecord == nullptr || pRecord->nOrder == 0 || pRecord->rcSaved.IsRectEmpty())
        return;
    CRect rcClient;
    pDockBar->GetClientRect(&rcClient);
    if (outerrow::Start(pRecord->rcSaved, bHorz) < 0 ||
        outerrow::End(pRecord->rcSaved, bHorz) > outerrow::Length(rcClient, bHorz))
        pRecord->Reset();
}

} // namespace

void CUiControlBar::DragFixedSizeBar(InternalDraggingState_t& state, int x, int y, bool bNoDock)
{
    state.m_rect.SetRectEmpty();
    CFrameWnd* pSite = m_pDockSite;
    if (bNoDock || ::GetKeyState(VK_CONTROL) < 0 || pSite == nullptr) {
        FloatMoveFixedSizeBar(state, x, y);
        return;
    }
    const CPoint pt(x, y);
    CRect rcSite;
    pSite->GetWindowRect(&rcSite);
    rcSite.InflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
    if (!rcSite.PtInRect(pt)) {
        FloatMoveFixedSizeBar(state, x, y);
        return;
    }
    CDockBar* pDockBars[4] = {};
    bool bHolds[4] = {};
    for (int i = 0; i < 4; ++i) {
        CControlBar* pControlBar = pSite->GetControlBar(kFrameSides[i]);
        if (pControlBar == nullptr || !pControlBar->IsDockBar())
            continue;
        pDockBars[i] = static_cast<CDockBar*>(pControlBar);
        bHolds[i] = ZoneOfSide(pSite, pDockBars[i], kFrameSides[i]).PtInRect(pt) != FALSE;
    }
    // The present side, then the visible sides, then the hidden ones.
    for (int nPass = 0; nPass < 3; ++nPass) {
        for (int i = 0; i < 4; ++i) {
            if (pDockBars[i] == nullptr || !bHolds[i])
                continue;
            const bool bCurrent = pDockBars[i] == m_pDockBar;
            const bool bVisible = pDockBars[i]->IsWindowVisible() != FALSE;
            if ((nPass == 0) != bCurrent || (nPass == 1 && !bVisible) || (nPass == 2 && bVisible))
                continue;
            if (PlaceFixedSizeBarInDockBar(state, x, y, pDockBars[i]))
                return;
        }
    }
    FloatMoveFixedSizeBar(state, x, y);
}

void CUiControlBar::FloatMoveFixedSizeBar(InternalDraggingState_t&, int x, int y)
{
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsBarFloating() && pParentFrame != nullptr && pParentFrame != m_pDockSite) {
        CRect rc;
        pParentFrame->GetWindowRect(&rc);
        const CPoint ptTopLeft(x - m_ptGrabFloat.x, y - m_ptGrabFloat.y);
        pParentFrame->MoveWindow(ptTopLeft.x, ptTopLeft.y, rc.Width(), rc.Height(), TRUE);
        if (!IsContentExpandWanted())
            pParentFrame->BringWindowToTop();
        pParentFrame->m_nIdleFlags |= 12;
        if (m_pDockContext != nullptr)
            m_pDockContext->m_ptMRUFloatPos = ptTopLeft;
    } else {
        m_ptSavedLayout = CPoint(x, y);
        FloatAtMRUPosition(CBRS_ALIGN_TOP);
        if (m_pDockContext != nullptr)
            m_pDockContext->m_ptMRUFloatPos = CPoint(x, y);
    }
    if (::IsWindow(m_hWnd) && ::GetCapture() != m_hWnd)
        CUiMouseCaptureSink::SetCapture(m_hWnd);
}

bool CUiControlBar::PlaceFixedSizeBarInDockBar(InternalDraggingState_t& state, int x, int y, CDockBar* pDockBar)
{
    if (!(m_dwDockStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY))
        return false;
    state.m_nCursorKind = 0;
    const UINT nSide = (UINT)pDockBar->GetDlgCtrlID();
    const bool bHorz = IsTopOrBottomSide(nSide);
    const CPoint ptGrab = bHorz ? m_ptGrabHorz : m_ptGrabVert;
    CFrameWnd* pSite = m_pDockSite;
    if (pDockBar != m_pDockBar) {
        const CSize size = CalcFixedLayout(FALSE, bHorz);
        const CRect rcDrop(CPoint(x - ptGrab.x, y - ptGrab.y), size);
        ResetPlacementRecord();
        if (pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            static_cast<CUiDockBar*>(pDockBar)->DockControlBarEx(this, &rcDrop, true);
        else
            pDockBar->DockControlBar(this, &rcDrop);
        if (IsContentExpandWanted()) {
            CArray<CUiControlBar*, CUiControlBar*> arrRow;
            CollectVisibleRowBars(arrRow);
            if (arrRow.GetSize() > 1)
                RefreshContentExpandLayout();
        }
        CapturePlacementRecord();
        pSite->RecalcLayout(TRUE);
        RelayoutDockBarAfterMove(pSite, pDockBar);
        return true;
    }

    CArray<CUiControlBar*, CUiControlBar*> arrRow;
    CRect rcRow;
    CollectVisibleRowBars(arrRow, &rcRow);
    if (bHorz)
        rcRow.InflateRect(0, 1);
    else
        rcRow.InflateRect(1, 0);
    const bool bLeadingSide = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    const int a = bLeadingSide ? 2 : 0, b = bLeadingSide ? 0 : -2;
    const int nAcross = bHorz ? y : x;
    const int nLeading = bHorz ? rcRow.top : rcRow.left;
    const int nTrailing = bHorz ? rcRow.bottom : rcRow.right;
    // Along the row, to the cursor.
    auto moveAlong = [&] {
        CRect rcBar;
        GetWindowRect(&rcBar);
        const int nOffset = bHorz ? x - ptGrab.x - rcBar.left : y - ptGrab.y - rcBar.top;
        ForgetPlacementBeyond(GetPlacementRecord(), pDockBar, bHorz);
        bool bChanged = false;
        if (pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)))
            static_cast<CUiDockOuterBar*>(pDockBar)->DragBarInRow(this, nOffset, &bChanged);
        if (bChanged) {
            state.m_nCursorKind = bHorz ? 1 : 2;
            RelayoutDockBarAfterMove(pSite, pDockBar);
        }
        return true;
    };
    if (nAcross > nLeading + a && nAcross < nTrailing + b)
        return moveAlong();

    const bool bBackwards = nAcross <= nLeading + a;
    CUiControlBar* pOtherInRow = nullptr;
    for (INT_PTR i = 0; i < arrRow.GetSize() && pOtherInRow == nullptr; ++i) {
        if (arrRow[i] != this)
            pOtherInRow = arrRow[i];
    }
    if (pOtherInRow != nullptr && pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        ResetPlacementRecord();
        static_cast<CUiDockBar*>(pDockBar)->DockBarInRow(pOtherInRow, this, bBackwards);
        CapturePlacementRecord();
        RelayoutDockBarAfterMove(pSite, pDockBar);
        return true;
    }

    CArray<CUiControlBar*, CUiControlBar*> arrNext;
    CollectAdjacentRowBars(!bBackwards, arrNext);
    // Alone in the outermost row on that side, the bar has its row of its own already. Failing
    // here would float it, and the next move, still in this side's zone, would dock it back:
    // it stays in its row until the cursor leaves the zone.
    if (arrNext.GetSize() == 0)
        return moveAlong();
    CRect rcClient;
    pDockBar->GetClientRect(&rcClient);
    int nLength = bHorz ? CalcFixedLayout(FALSE, TRUE).cx : CalcFixedLayout(FALSE, FALSE).cy;
    CRect rcNext(0, 0, 0, 0);
    for (INT_PTR i = 0; i < arrNext.GetSize(); ++i) {
        const CSize size = arrNext[i]->CalcFixedLayout(FALSE, bHorz);
        nLength += bHorz ? size.cx : size.cy;
        CRect rc;
        arrNext[i]->GetWindowRect(&rc);
        rcNext.UnionRect(rcNext.IsRectEmpty() ? rc : rcNext, rc);
    }
    const bool bFits = nLength <= (bHorz ? rcClient.Width() : rcClient.Height());
    if (bFits || (IsContentExpandWanted() && arrRow.GetSize() > 1)) {
        if (!pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)))
            return false;
        CRect rcBar;
        GetWindowRect(&rcBar);
        const int nOffset = bHorz ? x - ptGrab.x - rcBar.left : y - ptGrab.y - rcBar.top;
        if (!static_cast<CUiDockOuterBar*>(pDockBar)->MoveBarInRow(this, arrNext, nOffset))
            return false;
        RelayoutDockBarAfterMove(pSite, pDockBar);
        return true;
    }
    CRect rcShifted(rcNext);
    CRect rcBar;
    GetWindowRect(&rcBar);
    const int nThickness = bHorz ? rcBar.Height() : rcBar.Width();
    if (bHorz)
        rcShifted.OffsetRect(0, bBackwards ? nThickness : -nThickness);
    else
        rcShifted.OffsetRect(bBackwards ? nThickness : -nThickness, 0);
    if (!rcShifted.PtInRect(CPoint(x, y))) {
        MoveRowPastRow(this, arrNext[0]);
        RelayoutDockBarAfterMove(pSite, pDockBar);
    }
    return true;
}

void CUiControlBar::RelayoutDockBarAfterMove(CFrameWnd* pFrame, CDockBar* pDockBar)
{
    if (pFrame == nullptr || pDockBar == nullptr)
        return;
    pDockBar->Invalidate();
    if (!pDockBar->IsWindowVisible()) {
        pFrame->RecalcLayout(TRUE);
        return;
    }
    // A dock bar that keeps its thickness lays itself out alone; the frame only when it grew
    // or shrank.
    const bool bHorz = IsTopOrBottomSide((UINT)pDockBar->GetDlgCtrlID());
    const CRect rcSavedLayout = pDockBar->m_rectLayout;
    const BOOL bSavedQuery = pDockBar->m_bLayoutQuery;
    CRect rcWindow;
    pDockBar->GetWindowRect(&rcWindow);
    pDockBar->m_rectLayout.SetRect(0, 0, rcWindow.Width(), rcWindow.Height());
    pDockBar->m_bLayoutQuery = TRUE;
    const CSize size = pDockBar->CalcFixedLayout(TRUE, bHorz);
    pDockBar->m_bLayoutQuery = FALSE;
    if ((bHorz ? size.cy : size.cx) == (bHorz ? rcWindow.Height() : rcWindow.Width()))
        pDockBar->CalcFixedLayout(TRUE, bHorz);
    else
        pFrame->RecalcLayout(TRUE);
    pDockBar->m_rectLayout = rcSavedLayout;
    pDockBar->m_bLayoutQuery = bSavedQuery;
    PassPaintMessages(TRUE, TRUE, TRUE);
}

void CUiControlBar::MoveRowPastRow(CControlBar* pBar, CControlBar* pOther)
{
    CDockBar* pDockBar = pBar->m_pDockBar;
    if (pDockBar == nullptr || pOther->m_pDockBar != pDockBar)
        return;
    pDockBar->Invalidate();
    pBar->Invalidate();
    pOther->Invalidate();
    CPtrArray& arr = pDockBar->m_arrBars;
    const int nPos = pDockBar->FindBar(pBar);
    const int nOtherPos = pDockBar->FindBar(pOther);
    if (nPos <= 0 || nOtherPos <= 0)
        return;
    int nFirst, nEnd;
    RowArrayRowBounds(arr, nPos, nFirst, nEnd);
    const bool bBefore = nPos < nOtherPos;
    CPtrArray row;
    for (int i = nFirst; i < nEnd; ++i)
        row.Add(arr[i]);
    // The row and the break that ends it.
    const int nCount = (nEnd < arr.GetSize() && arr[nEnd] == nullptr) ? nEnd - nFirst + 1 : nEnd - nFirst;
    arr.RemoveAt(nFirst, nCount);
    const int nOtherNow = pDockBar->FindBar(pOther);
    int nOtherFirst, nOtherEnd;
    RowArrayRowBounds(arr, nOtherNow, nOtherFirst, nOtherEnd);
    int nInsert;
    if (bBefore) {
        if (nOtherEnd >= arr.GetSize())
            arr.Add(nullptr);
        nInsert = nOtherEnd + 1;
    } else {
        nInsert = std::max(nOtherFirst, 1);
    }
    for (INT_PTR i = 0; i < row.GetSize(); ++i)
        arr.InsertAt(nInsert + (int)i, row[i]);
    arr.InsertAt(nInsert + (int)row.GetSize(), (void*)nullptr);
}
