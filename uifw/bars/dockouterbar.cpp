// The outer dock bars: the rows of fixed-size bars (outerrow.h's layout applied to windows),
// the delayed frame layout on a 1 ms timer, and the relays of system changes.
#include "dockbar.h"

#include "barwndclass.h"
#include "cmdmanager.h"
#include "controlbar.h"
#include "dockbararray.h"
#include "paintmanagerholder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiDockOuterBar, CUiDockBar)

BEGIN_MESSAGE_MAP(CUiDockOuterBar, CUiDockBar)
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CUiDockOuterBar::CUiDockOuterBar() : CUiDockBar(0), m_bOuterFlags(0)
{
}

CUiDockOuterBar::~CUiDockOuterBar()
{
}

void CUiDockOuterBar::InitItem(OuterLayoutItemData& item, CControlBar* pBar, int nMaxExtent, bool bHorz)
{
    item.pBar = pBar;
    item.bFlags = pBar->IsVisible() ? 1 : 0;
    const bool bUi = pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) != FALSE;
    CUiControlBar* pUi = bUi ? static_cast<CUiControlBar*>(pBar) : nullptr;
    item.bControlBar = bUi;
    item.bFixedSize = pUi == nullptr || pUi->IsFixedSizeBar();
    item.bSingleOnRow = pUi != nullptr && pUi->IsSingleOnRow();
    item.pRecord = pUi != nullptr ? pUi->GetPlacementRecord() : nullptr;
    item.sizePreferred = pBar->CalcDynamicLayout(-1, IdealLayoutMode(pBar));
    if (pUi != nullptr && pUi->RowQueryFlag()) {
        item.nContentLength = outerrow::Along(item.sizePreferred, bHorz);
        (bHorz ? item.sizePreferred.cx : item.sizePreferred.cy) = nMaxExtent;
    }
    CRect rcWindow, rcClient;
    pBar->GetWindowRect(&rcWindow);
    pBar->GetClientRect(&rcClient);
    item.sizeMin = CSize(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    if (pUi != nullptr)
        item.sizeMin += pUi->GetMinSize();
    item.rcCurrent = rcWindow;
    ScreenToClient(&item.rcCurrent);
    item.rcLayout = item.rcCurrent;
}

CSize CUiDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorzArg)
{
    CSize sizeResult = CControlBar::CalcFixedLayout(bStretch, bHorzArg);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nMaxExtent = MaxRowExtent(bHorz);
    CSize sizeRows(0, 0);
    CPoint ptRunning(0, 0);
    HDWP hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    std::vector<OuterLayoutItemData> row;
    auto layOutRow = [&]() {
        std::vector<OuterLayoutItemData> visible;
        for (OuterLayoutItemData& item : row) {
            if (item.bFlags & 1)
                visible.push_back(item);
            else
                item.pBar->RecalcDelayShow(nullptr);
        }
        row.clear();
        if (visible.empty())
            return;
        outerrow::LayoutRowItems(visible, nMaxExtent, bHorz, m_bFloating != FALSE, ptRunning, sizeRows);
        for (OuterLayoutItemData& item : visible) {
            if (m_bLayoutQuery || item.rcLayout == item.rcCurrent)
                continue;
            MoveBarInLayout(item.pBar, item.rcLayout, hDWP);
        }
    };
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr) {
            layOutRow();
            continue;
        }
        if (!IsBarEntry(p))
            continue;
        OuterLayoutItemData item;
        InitItem(item, static_cast<CControlBar*>(p), nMaxExtent, bHorz);
        row.push_back(item);
    }
    layOutRow();
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    sizeResult = FinishRowsSize(sizeResult, bHorz ? sizeRows.cx : sizeRows.cy, bHorz ? sizeRows.cy : sizeRows.cx,
                                bHorz, bStretch);
    if (!m_bLayoutQuery)
        RecalcLayoutNow();
    return sizeResult;
}

void CUiDockOuterBar::CapturePlacement(CUiControlBar* pBar)
{
    BarPlacementRecord* pSelf = pBar->GetPlacementRecord();
    if (pSelf == nullptr)
        return;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    pBar->CollectRowBars(arr, false);
    std::vector<BarPlacementRecord*> others;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        BarPlacementRecord* pRecord = arr[i] != pBar ? arr[i]->GetPlacementRecord() : nullptr;
        if (pRecord != nullptr)
            others.push_back(pRecord);
    }
    outerrow::CaptureRowPlacement(pSelf, others, (int)m_arrBars.GetSize());
}

namespace {

int MinLengthOf(CControlBar* pBar, bool bHorz)
{
    if (pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
        return outerrow::Along(static_cast<CUiControlBar*>(pBar)->GetMinSize(), bHorz);
    CRect rc;
    pBar->GetWindowRect(&rc);
    return bHorz ? rc.Width() : rc.Height();
}

} // namespace

bool CUiDockOuterBar::MoveBarInRow(CUiControlBar* pBar, CArray<CUiControlBar*, CUiControlBar*>& arrRow, int nOffset)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rcClient;
    GetClientRect(&rcClient);
    int nOthersMin = 0;
    std::vector<std::pair<int, int>> spans;
    std::vector<CRect> rects;
    for (INT_PTR i = 0; i < arrRow.GetSize(); ++i) {
        nOthersMin += MinLengthOf(arrRow[i], bHorz);
        CRect rc;
        arrRow[i]->GetWindowRect(&rc);
        ScreenToClient(&rc);
        rects.push_back(rc);
        spans.push_back({outerrow::Start(rc, bHorz), outerrow::End(rc, bHorz)});
    }
    if (outerrow::Length(rcClient, bHorz) - nOthersMin < MinLengthOf(pBar, bHorz))
        return false;
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    ScreenToClient(&rcBar);
    const CRect rcOld = rcBar;
    const int nWanted = std::max(0, outerrow::Start(rcBar, bHorz) + nOffset);
    outerrow::RowInsertion where;
    if (!outerrow::FindRowInsertion(spans, nWanted, where))
        return false;
    const int nPos = FindBar(pBar);
    if (nPos > 0)
        RowArrayRemoveEntry(m_arrBars, nPos);
    if (where.nBefore >= 0) {
        const CRect& rcRef = rects[where.nBefore];
        outerrow::MoveTo(rcBar, bHorz, std::min<int>(nWanted, outerrow::Start(rcRef, bHorz)));
        if (bHorz)
            rcBar.OffsetRect(0, rcRef.top - rcBar.top);
        else
            rcBar.OffsetRect(rcRef.left - rcBar.left, 0);
        m_arrBars.InsertAt(FindBar(arrRow[where.nBefore]), pBar);
    } else {
        const CRect& rcRef = rects[where.nAfter];
        if (bHorz)
            rcBar.OffsetRect(0, rcRef.top - rcBar.top);
        else
            rcBar.OffsetRect(rcRef.left - rcBar.left, 0);
        outerrow::MoveTo(rcBar, bHorz, std::max<int>(nWanted, outerrow::End(rcRef, bHorz)));
        m_arrBars.InsertAt(FindBar(arrRow[where.nAfter]) + 1, pBar);
    }
    if (rcBar != rcOld)
        pBar->SetWindowPos(NULL, rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height(), 0x51C);
    return true;
}

// The bars keep their order and never overlap: the dragged bar uses up the gap to its
// neighbour first, then pushes the bars beyond it, and the row's ends stop them all.
void CUiDockOuterBar::DragBarInRow(CUiControlBar* pBar, int nOffset, bool* pbChanged)
{
    if (pbChanged != nullptr)
        *pbChanged = false;
    if (nOffset == 0)
        return;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CArray<CUiControlBar*, CUiControlBar*> arrRow;
    int nIndex = -1;
    pBar->CollectVisibleRowBars(arrRow, nullptr, &nIndex);
    if (nIndex < 0)
        return;
    std::vector<OuterLayoutItemData> items(arrRow.GetSize());
    for (INT_PTR i = 0; i < arrRow.GetSize(); ++i) {
        items[i].pBar = arrRow[i];
        arrRow[i]->GetWindowRect(&items[i].rcLayout);
        ScreenToClient(&items[i].rcLayout);
        items[i].rcCurrent = items[i].rcLayout;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nSwaps = outerrow::DragItemInRow(items, nIndex, nOffset, outerrow::Length(rcClient, bHorz), bHorz,
                                               [&](int i, int j) { SwapRowItems(items[i].pBar, items[j].pBar); });
    bool bMoved = nSwaps > 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].rcLayout == items[i].rcCurrent)
            continue;
        bMoved = true;
        const CRect& rc = items[i].rcLayout;
        items[i].pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), 0x51C);
        if (BarPlacementRecord* pRecord = static_cast<CUiControlBar*>(items[i].pBar)->GetPlacementRecord())
            pRecord->rcSaved = rc;
    }
    if (!bMoved)
        return;
    CapturePlacement(pBar);
    if (pbChanged != nullptr)
        *pbChanged = true;
}

void CUiDockOuterBar::SwapRowItems(CControlBar* pA, CControlBar* pB)
{
    const int nA = FindBar(pA), nB = FindBar(pB);
    if (nA > 0 && nB > 0) {
        m_arrBars[nA] = pB;
        m_arrBars[nB] = pA;
    }
}

// ---- Delayed layout.

void CUiDockOuterBar::RequestDelayedLayout()
{
    if (m_bOuterFlags & kPending)
        return;
    CUiDockOuterBar* pTarget = this;
    if (CFrameWnd* pFrame = GetDockingFrame()) {
        for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
            CControlBar* p = pFrame->GetControlBar(nID);
            if (p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar))) {
                pTarget = static_cast<CUiDockOuterBar*>(p);
                break;
            }
        }
    }
    if (pTarget->m_bOuterFlags & kPending)
        return;
    pTarget->StartDelayedLayoutTimer();
}

void CUiDockOuterBar::StartDelayedLayoutTimer()
{
    m_bOuterFlags |= kPending;
    if (TryLayoutNow()) {
        KillTimer(kDelayedLayoutTimer);
        m_bOuterFlags &= ~kPending;
        return;
    }
    SetTimer(kDelayedLayoutTimer, 1, NULL);
}

bool CUiDockOuterBar::TryLayoutNow()
{
    CFrameWnd* pFrame = GetDockingFrame();
    if ((m_bOuterFlags & kRunning) || pFrame == nullptr || pFrame->m_bInRecalcLayout || !pFrame->IsWindowVisible() ||
        CUiControlBar::FrameLockMapFind(pFrame))
        return false;
    m_bOuterFlags |= kRunning;
    pFrame->RecalcLayout();
    m_bOuterFlags &= ~kRunning;
    return true;
}

void CUiDockOuterBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDelayedLayoutTimer) {
        CUiDockBar::OnTimer(nIDEvent);
        return;
    }
    if (TryLayoutNow()) {
        KillTimer(kDelayedLayoutTimer);
        m_bOuterFlags &= ~kPending;
    }
}

void CUiDockOuterBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (CUiControlBar::IsFrameInHelpMode(this))
        return;
    CUiDockBar::OnLButtonDblClk(nFlags, point);
}

void CUiDockOuterBar::OnSysColorChange()
{
    CUiDockBar::OnSysColorChange();
    RelaySystemChange(this, WM_SYSCOLORCHANGE, 0, 0);
}

void CUiDockOuterBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CUiDockBar::OnSettingChange(uFlags, lpszSection);
    RelaySystemChange(this, WM_SETTINGCHANGE, uFlags, (LPARAM)lpszSection);
}

LRESULT CUiDockOuterBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    RelaySystemChange(this, WM_DISPLAYCHANGE, wParam, lParam);
    return lResult;
}

LRESULT CUiDockOuterBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    RelaySystemChange(this, WM_THEMECHANGED, wParam, lParam);
    return lResult;
}
