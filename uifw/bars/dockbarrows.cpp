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
// they need and whether they may give pixels up; and along it the longest least length.
void RowsOf(CDockBar* pDock, std::vector<RowSpan>& rows, int& nAlong)
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
        if (!IsBarEntry(p) || !static_cast<CControlBar*>(p)->IsVisible())
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
    std::vector<RowSpan> shared(rows);
    int nKeepAlong = 0;
    for (CWnd* pNext = GetWindow(GW_HWNDNEXT); pNext != nullptr; pNext = pNext->GetWindow(GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(pNext->m_hWnd);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CUiDockBar)) || !(pWnd->GetStyle() & WS_VISIBLE))
            continue;
        CUiDockBar* pDock = static_cast<CUiDockBar*>(pWnd);
        if (!(pDock->m_dwStyle & CBRS_ALIGN_ANY) || pDock->m_bFloating)
            continue;
        std::vector<RowSpan> later;
        int nAlong = 0;
        RowsOf(pDock, later, nAlong);
        if (((pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0) == bAlongX)
            shared.insert(shared.end(), later.begin(), later.end());
        else
            nKeepAlong = std::max(nKeepAlong, nAlong);
    }
    const int nRoom = (bAlongX ? m_rectLayout.Height() : m_rectLayout.Width()) - nKeepAlong;
    // The bars across this dock bar's rows laid out later share the view's extent there.
    const int nForView = std::max(0, ViewLeastAcross(GetParent(), bAlongX) - nKeepAlong);
    int nLeast = 0;
    for (const RowSpan& row : shared)
        nLeast += row.bShrinks ? std::min(row.nMinThickness, row.nThickness) : row.nThickness;
    FitRowsAcross(shared, std::max(nRoom - nForView, std::min(nRoom, nLeast)));
    int nOwn = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        nOwn += shared[i].nThickness;
    return std::max(0, nOwn);
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
