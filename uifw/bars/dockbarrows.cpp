// The row layout of the inner rings' dock bars, within the room the frame's layout leaves
// them.
#include "dockbar.h"

#include "controlbar.h"
#include "dockbararray.h"
#include "rowmath.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {
// The rows of a dock bar's shown bars across it: the thickness their bars remember, the least
// they need and whether they may give pixels up; and along it the longest least length. The
// bar pLeaving, about to go elsewhere, counts no more.
void RowsOf(CDockBar* pDock, std::vector<RowSpan>& rows, int& nAlong, CControlBar* pLeaving = nullptr)
{
    nAlong = 0;
    const bool bAlongX = (pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    RowSpan row;
    bool bAny = false;
    for (INT_PTR i = 1; i <= pDock->m_arrBars.GetSize(); ++i) {
        void* p = i < pDock->m_arrBars.GetSize() ? pDock->m_arrBars[i] : nullptr;
        if (p == nullptr) {
            if (bAny)
                rows.push_back(row);
            row = RowSpan();
            bAny = false;
            continue;
        }
        if (!IsBarEntry(p) || p == pLeaving || !static_cast<CControlBar*>(p)->IsVisible())
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(p);
        CRect rc;
        pBar->GetWindowRect(&rc);
        int nLeast = bAlongX ? rc.Height() : rc.Width(), nLength = bAlongX ? rc.Width() : rc.Height();
        int nThickness = nLeast;
        if (pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && !static_cast<CUiControlBar*>(pBar)->IsFixedSizeBar()) {
            CUiControlBar* pUi = static_cast<CUiControlBar*>(pBar);
            nLeast = pUi->GetMinRowThickness();
            nThickness = std::max(nLeast, pUi->GetRowThickness());
            nLength = pUi->GetMinRowLength();
        } else {
            row.bShrinks = false;
        }
        row.nThickness = std::max(row.nThickness, nThickness);
        row.nMinThickness = std::max(row.nMinThickness, nLeast);
        bAny = true;
        nAlong = std::max(nAlong, nLength);
    }
}

// A dock bar whose rows take their part of the room the frame's layout leaves the rows.
bool SharesRows(CWnd* pWnd)
{
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CUiDockBar)) || !(pWnd->GetStyle() & WS_VISIBLE))
        return false;
    CUiDockBar* pDock = static_cast<CUiDockBar*>(pWnd);
    return (pDock->m_dwStyle & CBRS_ALIGN_ANY) && !pDock->m_bFloating;
}

LaterDockRows LaterRowsOf(CDockBar* pDock, CControlBar* pLeaving)
{
    LaterDockRows later;
    later.bAlongX = (pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    RowsOf(pDock, later.rows, later.nAlong, pLeaving);
    return later;
}

// What the frame's view keeps across the rows of a dock bar of that direction, laid out before
// it: a quarter of the frame's client area, no less than 100 x 60 pixels where the client area
// has them. The view is what the frame is for; docked bars may remember more than a smaller
// frame has room for.
int ViewLeastAcross(CWnd* pFrame, bool bAlongX)
{
    if (pFrame == nullptr)
        return 0;
    HWND hView = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
    if (hView == NULL || !(::GetWindowLongA(hView, GWL_STYLE) & WS_VISIBLE))
        return 0;
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    const int nClient = bAlongX ? rcClient.Height() : rcClient.Width();
    return std::min(nClient, std::max(bAlongX ? 60 : 100, nClient / 4));
}

// The rows laid out in nRoom across, as the dock bar's layout fits them.
void FitOwnRows(std::vector<RowSpan>& rows, int nRoom)
{
    int nAcross = 0;
    for (const RowSpan& row : rows)
        nAcross += row.nThickness;
    if (nAcross > nRoom)
        FitRowsAcross(rows, nRoom);
}
} // namespace

// What the frame's layout leaves this dock bar's rows across: the rest of the layout rectangle
// less what the dock bars it lays out after this one take for their shown bars (those of the
// other direction their least length) and less the view's least size. The rows of the dock
// bars of one direction share what is left as one set of rows, this dock bar's first: bars
// remember sizes a larger frame gave them, and the first dock bars laid out must not take it
// all. The view gives way where the rows would not keep their least.
int CUiDockBar::RoomAcrossRows(bool bAlongX, const std::vector<RowSpan>& rows) const
{
    if (m_rectLayout.IsRectEmpty() || m_bFloating)
        return INT_MAX;
    std::vector<LaterDockRows> later;
    for (CWnd* pNext = GetWindow(GW_HWNDNEXT); pNext != nullptr; pNext = pNext->GetWindow(GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(pNext->m_hWnd);
        if (SharesRows(pWnd))
            later.push_back(LaterRowsOf(static_cast<CUiDockBar*>(pWnd), nullptr));
    }
    return RoomForRows(rows, bAlongX, bAlongX ? m_rectLayout.Height() : m_rectLayout.Width(),
                       ViewLeastAcross(GetParent(), bAlongX), later);
}

void CUiDockBar::TakeLayoutRoom(CFrameWnd* pFrame, HWND hChild, CRect& rcFree)
{
    if (CWnd::FromHandlePermanent(hChild) != nullptr) {
        CUiControlBar::LayoutQueryRecord record = {};
        record.bMode = 1;
        record.pWnd = pFrame;
        record.nIDFirst = 0;
        record.nIDLast = 0xFFFF;
        record.nIDLeftOver = AFX_IDW_PANE_FIRST;
        ::SendMessage(hChild, CUiControlBar::g_nMsgQueryRepositionCalcEffect, (WPARAM)&record, 0);
        if (record.bMode & CUiControlBar::LayoutQueryRecord::kLeaveMeOut)
            return;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = NULL;
    layout.rect = rcFree;
    ::SendMessage(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    rcFree = layout.rect;
}

// The frame's layout run in thought with the row added: every child before the inner rings
// takes its room as a layout query tells; each inner ring's dock bar takes its rows' room as
// its own layout computes it, the row counting where it will lie.
CRect CUiDockBar::PlaceOfNewRow(CFrameWnd* pFrame, UINT nSide, CUiDockBar* pInto, bool bOutermost, const RowSpan& row,
                                CControlBar* pLeaving)
{
    const bool bAlongX = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
    // Where it goes: the inner side's first row at the bottom and right, the last elsewhere.
    const bool bFirstRow = nSide == AFX_IDW_DOCKBAR_BOTTOM || nSide == AFX_IDW_DOCKBAR_RIGHT;
    struct Step {
        HWND hOther = NULL;          // a child laid out by a query
        LaterDockRows dock;          // else a dock bar's rows
        bool bTarget = false;
        UINT nSide = 0;
    };
    std::vector<Step> steps;
    Step target;
    target.bTarget = true;
    target.nSide = nSide;
    target.dock.bAlongX = bAlongX;
    if (pInto != nullptr)
        RowsOf(pInto, target.dock.rows, target.dock.nAlong, pLeaving);
    target.dock.rows.insert(bFirstRow ? target.dock.rows.begin() : target.dock.rows.end(), row);
    const size_t nNew = bFirstRow ? 0 : target.dock.rows.size() - 1;
    bool bPlaced = false;
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST)
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        const bool bRing = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiDockBar)) &&
                           static_cast<CUiDockBar*>(pWnd)->m_nLevel >= 1;
        if (bRing && bOutermost && !bPlaced) {
            steps.push_back(target);
            bPlaced = true;
        }
        if (pWnd == pInto) {
            steps.push_back(target);
            bPlaced = true;
            continue;
        }
        Step step;
        if (!bRing)
            step.hOther = h;
        else if (SharesRows(pWnd))
            step.dock = LaterRowsOf(static_cast<CUiDockBar*>(pWnd), pLeaving);
        else
            continue;
        step.nSide = (UINT)::GetDlgCtrlID(h);
        steps.push_back(step);
    }
    if (!bPlaced)
        steps.push_back(target);

    CRect rcArea;
    pFrame->GetClientRect(&rcArea);
    for (size_t i = 0; i < steps.size(); ++i) {
        Step& step = steps[i];
        if (step.hOther != NULL) {
            TakeLayoutRoom(pFrame, step.hOther, rcArea);
            continue;
        }
        std::vector<LaterDockRows> later;
        for (size_t j = i + 1; j < steps.size(); ++j) {
            if (steps[j].hOther == NULL)
                later.push_back(steps[j].dock);
        }
        const bool bX = step.dock.bAlongX;
        const int nExtent = std::max(0, bX ? rcArea.Height() : rcArea.Width());
        std::vector<RowSpan> rows = step.dock.rows;
        FitOwnRows(rows, RoomForRows(rows, bX, nExtent, ViewLeastAcross(pFrame, bX), later));
        int nTotal = 0, nBefore = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            nBefore += step.bTarget && r < nNew ? rows[r].nThickness : 0;
            nTotal += rows[r].nThickness;
        }
        nTotal = std::min(nTotal, nExtent);
        CRect rcDock(rcArea);
        switch (step.nSide) {
        case AFX_IDW_DOCKBAR_TOP: rcDock.bottom = rcArea.top + nTotal; rcArea.top = rcDock.bottom; break;
        case AFX_IDW_DOCKBAR_BOTTOM: rcDock.top = rcArea.bottom - nTotal; rcArea.bottom = rcDock.top; break;
        case AFX_IDW_DOCKBAR_LEFT: rcDock.right = rcArea.left + nTotal; rcArea.left = rcDock.right; break;
        default: rcDock.left = rcArea.right - nTotal; rcArea.right = rcDock.left; break;
        }
        if (!step.bTarget)
            continue;
        CRect rc(rcDock);
        const int nThick = std::min<int>(rows[nNew].nThickness, nTotal - nBefore);
        if (bX)
            rc.SetRect(rcDock.left, rcDock.top + nBefore, rcDock.right, rcDock.top + nBefore + nThick);
        else
            rc.SetRect(rcDock.left + nBefore, rcDock.top, rcDock.left + nBefore + nThick, rcDock.bottom);
        pFrame->ClientToScreen(&rc);
        return rc;
    }
    return CRect(0, 0, 0, 0);
}

// The rows of an inner dock bar: each bar starts at the running point or further on at the
// place it has, and is kept inside the maximum; a fixed-size bar that no longer fits wraps
// into a row of its own, a resizable one never does (its row shares the length, and it is
// clipped). Rows are as thick as their thickest bar, and rows of resizable bars grow thinner
// when together they would take more than the frame leaves the dock bar.
CSize CUiDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeResult = CControlBar::CalcFixedLayout(bStretch, bHorz);
    const bool bAlongX = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nMax = MaxRowExtent(bAlongX);
    struct Placed {
        CControlBar* pBar;
        CRect rc;
        CRect rcCurrent;
        size_t nRow;
    };
    std::vector<Placed> placed;
    std::vector<RowSpan> rows;
    int nAlong = 0, nAcross = 0, nThickness = 0, nAlongMax = 0;
    int nRowMin = 0;
    bool bWrapPending = false, bRowShrinks = true;
    auto endRow = [&]() {
        if (nThickness == 0)
            return;
        RowSpan row;
        row.nThickness = nThickness;
        row.nMinThickness = nRowMin;
        row.bShrinks = bRowShrinks;
        rows.push_back(row);
        nAcross += nThickness;
        nAlong = 0;
        nThickness = nRowMin = 0;
        bRowShrinks = true;
    };
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr) {
            endRow();
            continue;
        }
        if (!IsBarEntry(p))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(p);
        const bool bResizable =
            pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && !static_cast<CUiControlBar*>(pBar)->IsFixedSizeBar();
        int nMinAlong, nMinAcross = 0;
        if (bResizable) {
            CUiControlBar* pUi = static_cast<CUiControlBar*>(pBar);
            nMinAlong = bAlongX ? pUi->GetMinExtentHorz() : pUi->GetMinExtentVert();
            nMinAcross = pUi->GetMinRowThickness();
        } else {
            CRect rcWindow, rcClient;
            pBar->GetWindowRect(&rcWindow);
            pBar->GetClientRect(&rcClient);
            nMinAlong = bAlongX ? rcWindow.Width() - rcClient.Width() : rcWindow.Height() - rcClient.Height();
        }
        if (!pBar->IsVisible()) {
            if (!bWrapPending)
                pBar->RecalcDelayShow(nullptr);
            continue;
        }
        const CSize sizeIdeal = pBar->CalcDynamicLayout(-1, IdealLayoutMode(pBar));
        // A container that found nothing of its own to show hid itself just now.
        if (!pBar->IsVisible())
            continue;
        const int nIdealAlong = bAlongX ? sizeIdeal.cx : sizeIdeal.cy;
        // A thickness remembered below the bar's least one (a group's grows with its strip)
        // is laid out at the least.
        const int nIdealAcross = std::max<int>(bAlongX ? sizeIdeal.cy : sizeIdeal.cx, nMinAcross);
        CRect rcCurrent;
        pBar->GetWindowRect(&rcCurrent);
        ScreenToClient(&rcCurrent);
        int nStart = nAlong;
        int nEnd = nStart + nIdealAlong;
        if (!m_bFloating) {
            const int nCurrent = bAlongX ? rcCurrent.left : rcCurrent.top;
            if (nCurrent > nStart) {
                nEnd += nCurrent - nStart;
                nStart = nCurrent;
            }
            if (nEnd > nMax) {
                const int nBack = std::max(nAlong, nStart - (nEnd - nMax));
                nEnd -= nStart - nBack;
                nStart = nBack;
                nEnd = std::min(nEnd, nMax);
            }
        }
        if (bWrapPending) {
            nEnd -= nStart;
            nStart = 0;
            bWrapPending = false;
        } else if (!bResizable && i > 0 && m_arrBars[i - 1] != nullptr &&
                   (nEnd - nStart < nMinAlong || nStart >= nMax)) {
            m_arrBars.InsertAt(i, (void*)nullptr);
            bWrapPending = true;
            endRow();
            continue;   // the null just inserted ends the row; the bar comes next
        }
        Placed place = {pBar,
                        bAlongX ? CRect(nStart, nAcross, nEnd, nAcross + nIdealAcross)
                                : CRect(nAcross, nStart, nAcross + nIdealAcross, nEnd),
                        rcCurrent, rows.size()};
        placed.push_back(place);
        nAlong = nStart + nIdealAlong;
        nAlongMax = std::max(nAlongMax, nAlong);
        nThickness = std::max(nThickness, nIdealAcross);
        nRowMin = std::max(nRowMin, nMinAcross);
        bRowShrinks = bRowShrinks && bResizable;
        if (!m_bLayoutQuery)
            pBar->RecalcDelayShow(nullptr);
    }
    endRow();
    const int nRoom = RoomAcrossRows(bAlongX, rows);
    if (nAcross > nRoom) {
        FitRowsAcross(rows, nRoom);
        std::vector<int> starts;
        nAcross = 0;
        for (const RowSpan& row : rows) {
            starts.push_back(nAcross);
            nAcross += row.nThickness;
        }
        for (Placed& place : placed) {
            const int nStart = starts[place.nRow];
            const int nThick = rows[place.nRow].nThickness;
            if (bAlongX)
                place.rc.SetRect(place.rc.left, nStart, place.rc.right, nStart + std::min(place.rc.Height(), nThick));
            else
                place.rc.SetRect(nStart, place.rc.top, nStart + std::min(place.rc.Width(), nThick), place.rc.bottom);
        }
    }
    if (!m_bLayoutQuery && nRoom != INT_MAX) {
        // A bar new to this orientation keeps the thickness the frame left it here.
        for (const Placed& place : placed) {
            if (!place.pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
                continue;
            CUiControlBar* pUi = static_cast<CUiControlBar*>(place.pBar);
            if (!pUi->IsNewToOrientation())
                continue;
            pUi->SetNewToOrientation(false);
            const int nPlaced = bAlongX ? place.rc.Height() : place.rc.Width();
            if (!pUi->IsFixedSizeBar() && nPlaced < pUi->GetRowThickness())
                pUi->SetRowThickness(std::max(nPlaced, pUi->GetMinRowThickness()));
        }
    }
    if (!m_bLayoutQuery) {
        HDWP hDWP = ::BeginDeferWindowPos((int)placed.size());
        for (const Placed& place : placed) {
            if (place.rc != place.rcCurrent)
                MoveBarInLayout(place.pBar, place.rc, hDWP);
        }
        if (hDWP != NULL)
            ::EndDeferWindowPos(hDWP);
    }
    sizeResult = FinishRowsSize(sizeResult, nAlongMax, std::max(0, nAcross - 1), bAlongX, bStretch);
    if (!m_bLayoutQuery)
        RecalcLayoutNow();
    return sizeResult;
}
