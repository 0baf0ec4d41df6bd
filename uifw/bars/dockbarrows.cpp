// The row layout of the inner rings' dock bars, within the room the frame's layout leaves
// them.
#include "dockbar.h"

#include "controlbar.h"
#include "dockbararray.h"
#include "dyntabbar.h"
#include "rowmath.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace {
// A bar looked for in a dock bar's rows: the index of its row among the rows, and that row's
// shown bars along it (their lengths, the least ones, and whether they may be resized).
struct BarInRows {
    CControlBar* pBar = nullptr;
    size_t nRow = 0;
    bool bFound = false;
    std::vector<RowItem> items;
    size_t nItem = 0;
};

// The rows of a dock bar's shown bars across it: the thickness their bars remember, the least
// they need and whether they may give pixels up; and along it the longest least length. The
// bar pLeaving, about to go elsewhere, counts no more.
void RowsOf(CDockBar* pDock, std::vector<RowSpan>& rows, int& nAlong, CControlBar* pLeaving = nullptr,
            BarInRows* pFind = nullptr)
{
    nAlong = 0;
    const bool bAlongX = (pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    RowSpan row;
    std::vector<RowItem> items;
    bool bAny = false, bHasFound = false;
    for (INT_PTR i = 1; i <= pDock->m_arrBars.GetSize(); ++i) {
        void* p = i < pDock->m_arrBars.GetSize() ? pDock->m_arrBars[i] : nullptr;
        if (p == nullptr) {
            if (bHasFound) {
                pFind->nRow = rows.size();
                pFind->items = items;
                pFind->bFound = true;
            }
            if (bAny)
                rows.push_back(row);
            row = RowSpan();
            items.clear();
            bAny = bHasFound = false;
            continue;
        }
        if (!IsBarEntry(p) || p == pLeaving || !static_cast<CControlBar*>(p)->IsVisible())
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(p);
        CRect rc;
        pBar->GetWindowRect(&rc);
        int nLeast = bAlongX ? rc.Height() : rc.Width(), nLength = bAlongX ? rc.Width() : rc.Height();
        int nThickness = nLeast;
        RowItem item;
        item.bResizable = false;
        item.nLength = nLength;
        if (pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && !static_cast<CUiControlBar*>(pBar)->IsFixedSizeBar()) {
            CUiControlBar* pUi = static_cast<CUiControlBar*>(pBar);
            nLeast = pUi->GetMinRowThickness();
            nThickness = std::max(nLeast, pUi->GetRowThickness());
            nLength = pUi->GetMinRowLength();
            item.bResizable = true;
            item.nLength = pUi->GetRowLength();
            item.nMinLength = nLength;
        } else {
            row.bShrinks = false;
        }
        if (pFind != nullptr && pBar == pFind->pBar) {
            bHasFound = true;
            pFind->nItem = items.size();
        }
        items.push_back(item);
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

namespace {
// A child of the frame in its layout worked out in advance: a window whose room a layout query
// tells, or the rows of an inner ring's dock bar (none yet for a new ring); once laid out, the
// dock bar's rectangle in the frame's client area and its rows as fitted there.
struct LayoutStep {
    HWND hOther = NULL;
    CUiDockBar* pDock = nullptr;
    LaterDockRows dock;
    UINT nSide = 0;
    CRect rcDock;
    std::vector<RowSpan> fitted;
};

// The frame's children in the order its layout takes them, pLeaving's rows left out; the ring
// dock bar pKept takes part even while it shows nothing. nFirstRing: the step before which the
// first inner ring comes.
std::vector<LayoutStep> StepsOfFrame(CFrameWnd* pFrame, CControlBar* pLeaving, CUiDockBar* pKept,
                                     size_t* pFirstRing = nullptr)
{
    std::vector<LayoutStep> steps;
    if (pFirstRing != nullptr)
        *pFirstRing = SIZE_MAX;
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST)
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        const bool bRing = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiDockBar)) &&
                           static_cast<CUiDockBar*>(pWnd)->m_nLevel >= 1;
        if (bRing && pFirstRing != nullptr && *pFirstRing == SIZE_MAX)
            *pFirstRing = steps.size();
        LayoutStep step;
        if (!bRing) {
            step.hOther = h;
        } else if (SharesRows(pWnd) || pWnd == pKept) {
            step.pDock = static_cast<CUiDockBar*>(pWnd);
            step.dock = LaterRowsOf(step.pDock, pLeaving);
        } else {
            continue;
        }
        step.nSide = (UINT)::GetDlgCtrlID(h);
        steps.push_back(step);
    }
    return steps;
}

// The frame's layout run in thought: every child before the inner rings takes its room as a
// layout query tells; each inner ring's dock bar takes its rows' room as its own layout
// computes it.
void LayOutSteps(CFrameWnd* pFrame, std::vector<LayoutStep>& steps)
{
    CRect rcArea;
    pFrame->GetClientRect(&rcArea);
    for (size_t i = 0; i < steps.size(); ++i) {
        LayoutStep& step = steps[i];
        if (step.hOther != NULL) {
            CUiDockBar::TakeLayoutRoom(pFrame, step.hOther, rcArea);
            continue;
        }
        std::vector<LaterDockRows> later;
        for (size_t j = i + 1; j < steps.size(); ++j) {
            if (steps[j].hOther == NULL)
                later.push_back(steps[j].dock);
        }
        const bool bX = step.dock.bAlongX;
        const int nExtent = std::max(0, bX ? rcArea.Height() : rcArea.Width());
        step.fitted = step.dock.rows;
        FitOwnRows(step.fitted, RoomForRows(step.fitted, bX, nExtent, ViewLeastAcross(pFrame, bX), later));
        int nTotal = 0;
        for (const RowSpan& row : step.fitted)
            nTotal += row.nThickness;
        nTotal = std::min(nTotal, nExtent);
        step.rcDock = rcArea;
        switch (step.nSide) {
        case AFX_IDW_DOCKBAR_TOP: step.rcDock.bottom = rcArea.top += nTotal; break;
        case AFX_IDW_DOCKBAR_BOTTOM: step.rcDock.top = rcArea.bottom -= nTotal; break;
        case AFX_IDW_DOCKBAR_LEFT: step.rcDock.right = rcArea.left += nTotal; break;
        default: step.rcDock.left = rcArea.right -= nTotal; break;
        }
    }
}

// The part of a laid-out dock bar that its row nRow takes across, from nStart to nEnd along,
// in screen coordinates.
CRect RowPartOf(CFrameWnd* pFrame, const LayoutStep& step, size_t nRow, int nStart, int nEnd)
{
    const bool bX = step.dock.bAlongX;
    const int nTotal = bX ? step.rcDock.Height() : step.rcDock.Width();
    int nBefore = 0;
    for (size_t r = 0; r < nRow; ++r)
        nBefore += step.fitted[r].nThickness;
    const int nThick = std::max(0, std::min<int>(step.fitted[nRow].nThickness, nTotal - nBefore));
    const CRect& rcDock = step.rcDock;
    CRect rc = bX ? CRect(rcDock.left + nStart, rcDock.top + nBefore, rcDock.left + nEnd, rcDock.top + nBefore + nThick)
                  : CRect(rcDock.left + nBefore, rcDock.top + nStart, rcDock.left + nBefore + nThick, rcDock.top + nEnd);
    pFrame->ClientToScreen(&rc);
    return rc;
}

// The entries of a dock bar but pLeaving's: bars and placeholders.
int EntriesBut(CDockBar* pDock, CControlBar* pLeaving)
{
    int n = 0;
    for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); ++i) {
        void* p = pDock->m_arrBars[i];
        n += p != nullptr && p != pLeaving ? 1 : 0;
    }
    return n;
}

// The plain container (no tabbed group) whose dock bar holds the bar.
CUiDynControlBar* ContainerOf(CControlBar* pBar)
{
    CDockBar* pDock = pBar->m_pDockBar;
    if (pDock == nullptr || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)) || pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar)))
        return nullptr;
    CWnd* pHolder = pDock->GetParent();
    return pHolder != nullptr && pHolder->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) ? static_cast<CUiDynControlBar*>(pHolder)
                                                                                     : nullptr;
}
// The bar whose place pBar takes once pLeaving has left: pBar, or the plain container it is
// then left alone in, which dissolves (and so on outwards).
CControlBar* PlaceTakenOnceLeft(CControlBar* pBar, CControlBar* pLeaving)
{
    while (CUiDynControlBar* pContainer = ContainerOf(pBar)) {
        if (EntriesBut(pBar->m_pDockBar, pLeaving) != 1)
            break;
        pBar = pContainer;
    }
    return pBar;
}
} // namespace

CRect CUiDockBar::PlaceOfNewRow(CFrameWnd* pFrame, UINT nSide, CUiDockBar* pInto, bool bOutermost, const RowSpan& row,
                                CControlBar* pLeaving)
{
    size_t nFirstRing = SIZE_MAX;
    std::vector<LayoutStep> steps = StepsOfFrame(pFrame, pLeaving, pInto, &nFirstRing);
    size_t nTarget = pInto == nullptr && bOutermost ? std::min(nFirstRing, steps.size()) : steps.size();
    for (size_t i = 0; i < steps.size() && pInto != nullptr; ++i) {
        if (steps[i].pDock == pInto)
            nTarget = i;
    }
    if (pInto == nullptr) {
        LayoutStep ring;
        ring.nSide = nSide;
        ring.dock.bAlongX = IsTopOrBottomSide(nSide);
        steps.insert(steps.begin() + nTarget, ring);
    }
    if (nTarget == steps.size())
        return CRect(0, 0, 0, 0);
    // Where it goes: the inner side's first row at the bottom and right, the last elsewhere.
    std::vector<RowSpan>& rows = steps[nTarget].dock.rows;
    const bool bFirstRow = nSide == AFX_IDW_DOCKBAR_BOTTOM || nSide == AFX_IDW_DOCKBAR_RIGHT;
    rows.insert(bFirstRow ? rows.begin() : rows.end(), row);
    const size_t nNew = bFirstRow ? 0 : rows.size() - 1;
    LayOutSteps(pFrame, steps);
    const LayoutStep& step = steps[nTarget];
    return RowPartOf(pFrame, step, nNew, 0, step.dock.bAlongX ? step.rcDock.Width() : step.rcDock.Height());
}

CRect CUiDockBar::PlaceOnceLeft(CControlBar* pBar, CControlBar* pLeaving)
{
    pBar = PlaceTakenOnceLeft(pBar, pLeaving);
    CRect rc;
    pBar->GetWindowRect(&rc);
    CDockBar* pDock = pBar->m_pDockBar;
    if (pDock == nullptr || pDock->m_bFloating || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return rc;
    const bool bAlongX = (pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (CUiDynControlBar* pContainer = ContainerOf(pBar)) {
        if (!pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            return rc;
        return static_cast<CUiDockDynBar*>(pDock)->PlaceOnceLeft(
            static_cast<CUiControlBar*>(pBar),
            InnerOnceLeft(pContainer, pContainer->m_nStripVert, pContainer->m_nStripHorz, pLeaving), pLeaving);
    }
    CFrameWnd* pFrame = pDock->GetParent() != nullptr ? DYNAMIC_DOWNCAST(CFrameWnd, pDock->GetParent()) : nullptr;
    if (pFrame == nullptr || static_cast<CUiDockBar*>(pDock)->m_nLevel < 1)
        return rc;
    // In a ring dock bar: its row across as the frame lays the rings out, and along the row
    // the length the row's first resizable bar shares out.
    BarInRows found;
    found.pBar = pBar;
    std::vector<RowSpan> spans;
    int nLongest = 0;
    RowsOf(pDock, spans, nLongest, pLeaving, &found);
    std::vector<LayoutStep> steps = StepsOfFrame(pFrame, pLeaving, static_cast<CUiDockBar*>(pDock));
    LayOutSteps(pFrame, steps);
    for (const LayoutStep& step : steps) {
        if (step.pDock != pDock || !found.bFound || found.nRow >= step.fitted.size())
            continue;
        std::vector<RowItem>& items = found.items;
        int nFirst = 0;
        while (nFirst < (int)items.size() && !items[nFirst].bResizable)
            ++nFirst;
        if (nFirst < (int)items.size()) {
            const int nBorders = 2 * ::GetSystemMetrics(bAlongX ? SM_CYBORDER : SM_CXBORDER);
            DistributeRowLength(items, nFirst, bAlongX ? step.rcDock.Width() : step.rcDock.Height(), nBorders);
        }
        int nStart = 0;
        for (size_t i = 0; i < found.nItem; ++i)
            nStart += items[i].nLength;
        return RowPartOf(pFrame, step, found.nRow, nStart, nStart + items[found.nItem].nLength);
    }
    return rc;
}

CRect CUiDockBar::InnerOnceLeft(CControlBar* pEntry, int nStripVert, int nStripHorz, CControlBar* pLeaving)
{
    pEntry = PlaceTakenOnceLeft(pEntry, pLeaving);
    CRect rc = PlaceOnceLeft(pEntry, pLeaving);
    CDockBar* pDock = pEntry->m_pDockBar;
    if (pDock == nullptr)
        return rc;
    // Floating, the container keeps a pixel of border and holds its dock bar a frame's width
    // inside; docked, its strips are all it takes.
    if (pDock->m_bFloating) {
        rc.DeflateRect(1 + ::GetSystemMetrics(SM_CXFRAME), 1 + ::GetSystemMetrics(SM_CYFRAME));
        return rc;
    }
    CRect rcClient(CPoint(0, 0), rc.Size()), rcRowResize, rcSplitNext, rcSplitPrev;
    CUiControlBar::TakeStrips((UINT)pDock->GetDlgCtrlID(), CUiControlBar::SplitterEdgesAt(pDock, pEntry, pLeaving),
                              nStripVert, nStripHorz, rcClient, rcRowResize, rcSplitNext, rcSplitPrev);
    rcClient.OffsetRect(rc.TopLeft());
    return rcClient;
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
