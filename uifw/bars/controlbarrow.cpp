// The rows of resizable bars: the row's length shared out among its bars, the queries on a
// row, resizing a row by its strip and splitting two neighbours, with their trackers and
// loops. The arithmetic is rowmath.h's; this file reads the bars into it and back.
#include "controlbar.h"

#include "afxdc.h"
#include "dockbar.h"
#include "dockbararray.h"
#include "dragstate.h"
#include "dynbar.h"
#include "paintdraw.h"
#include "rowmath.h"

#include <algorithm>
#include <vector>

namespace {

bool IsResizableUiBar(void* p)
{
    if (!IsBarEntry(p))
        return false;
    CControlBar* pBar = static_cast<CControlBar*>(p);
    return pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && !static_cast<CUiControlBar*>(pBar)->IsFixedSizeBar();
}

int WindowLength(CControlBar* pBar, bool bHorz)
{
    CRect rc;
    pBar->GetWindowRect(&rc);
    return bHorz ? rc.Width() : rc.Height();
}

// Where the cursor was when the mouse move being handled happened: the pointer may have moved
// on since the message was queued.
CPoint TrackPoint()
{
    const DWORD dwPos = ::GetMessagePos();
    return CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos));
}

} // namespace

CDockBar* CUiControlBar::DockBarOfRow() const
{
    return m_pDockBar;
}

CSize& CUiControlBar::PlaceSize()
{
    CDockBar* pDock = m_pDockBar;
    while (pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        CWnd* pHolder = pDock->GetParent();
        pDock = pHolder != nullptr && pHolder->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pHolder)->m_pDockBar
                                                                                  : nullptr;
    }
    if (pDock != nullptr && pDock != m_pDockBar && !pDock->m_bFloating && (pDock->m_dwStyle & CBRS_ALIGN_ANY))
        return (pDock->m_dwStyle & CBRS_ORIENT_HORZ) ? m_sizeHorz : m_sizeVert;
    return IsDockedVertically() ? m_sizeVert : m_sizeHorz;
}

int CUiControlBar::GetRowLength() const
{
    return IsDockedVertically() ? PlaceSize().cy : PlaceSize().cx;
}

void CUiControlBar::SetRowLength(int nLength)
{
    LengthAlong(!IsDockedVertically()) = nLength;
}

int CUiControlBar::GetRowThickness() const
{
    return IsDockedVertically() ? PlaceSize().cx : PlaceSize().cy;
}

void CUiControlBar::SetRowThickness(int nThickness)
{
    ThicknessAcross(!IsDockedVertically()) = nThickness;
}

int CUiControlBar::GetMinRowLength() const
{
    return IsDockedVertically() ? GetMinExtentVert() : GetMinExtentHorz();
}

int CUiControlBar::GetMinRowThickness() const
{
    return IsDockedVertically() ? GetMinExtentHorz() : GetMinExtentVert();
}

CSize CUiControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (IsBarFloating())
        return m_sizeFloat;
    if (bHorz) {
        m_sizeHorz.cy = std::max<int>(m_sizeHorz.cy, GetMinExtentHorz());
        return m_sizeHorz;
    }
    m_sizeVert.cx = std::max<int>(m_sizeVert.cx, GetMinExtentVert());
    return m_sizeVert;
}

CSize CUiControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (IsBarFloating() || !(nMode & (LM_HORZDOCK | LM_VERTDOCK))) {
        if (nLength > 0)
            (nMode & LM_LENGTHY ? m_sizeFloat.cy : m_sizeFloat.cx) = nLength;
        if (nMode & (LM_MRUWIDTH | LM_COMMIT))
            return m_sizeFloat;
        return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0);
    }
    const bool bHorz = (nMode & LM_HORZ) != 0;
    CDockBar* pDock = m_pDockBar;
    if (nLength >= 0 || pDock == nullptr || pDock->m_bFloating)
        return CalcFixedLayout(FALSE, bHorz);

    int nAvailable = bHorz ? pDock->m_rectLayout.Width() : pDock->m_rectLayout.Height();
    if (nAvailable == 0 || pDock->m_rectLayout.IsRectEmpty()) {
        CRect rc;
        pDock->GetWindowRect(&rc);
        nAvailable = bHorz ? rc.Width() : rc.Height();
    }
    if (nAvailable <= 0)
        nAvailable = 3;
    const int nStart = 2 * ::GetSystemMetrics(bHorz ? SM_CYBORDER : SM_CXBORDER);

    CPtrArray& arr = pDock->m_arrBars;
    const int nSelfPos = pDock->FindBar(this);
    if (nSelfPos < 0)
        return CalcFixedLayout(FALSE, bHorz);
    int nFirst, nEnd;
    RowArrayRowBounds(arr, nSelfPos, nFirst, nEnd);
    std::vector<RowItem> items;
    std::vector<int> positions;
    int nSelf = -1;
    for (int i = nFirst; i < nEnd; ++i) {
        if (!IsBarEntry(arr[i]))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(arr[i]);
        RowItem item;
        item.bVisible = pBar->IsVisible() != FALSE;
        item.bResizable = IsResizableUiBar(pBar);
        if (item.bResizable) {
            CUiControlBar* p = static_cast<CUiControlBar*>(pBar);
            item.nLength = p->GetRowLength();
            item.nMinLength = p->GetMinRowLength();
            item.nThickness = p->GetRowThickness();
        } else {
            item.nLength = WindowLength(pBar, bHorz);
        }
        if (pBar == this)
            nSelf = (int)items.size();
        items.push_back(item);
        positions.push_back(i);
    }
    RowFit fit = DistributeRowLength(items, nSelf, nAvailable, nStart);
    if (fit.outcome == RowFit::kAnswerFixed) {
        if (fit.nBreakAfter >= 0)
            arr.InsertAt(positions[fit.nBreakAfter] + 1, (void*)nullptr);
        return CalcFixedLayout(FALSE, bHorz);
    }
    for (size_t k = 0; k < items.size(); ++k) {
        if (!items[k].bResizable)
            continue;
        CUiControlBar* p = static_cast<CUiControlBar*>(arr[positions[k]]);
        p->SetRowLength(items[k].nLength);
        if (items[k].bVisible && fit.outcome == RowFit::kLaidOut && (int)k < fit.nRowEnd && fit.nThickness > 0)
            p->SetRowThickness(fit.nThickness);
    }
    int nLaidOut = (int)items.size();
    if (fit.nBreakBefore >= 0) {
        arr.InsertAt(positions[fit.nBreakBefore], (void*)nullptr);
        nLaidOut = fit.nBreakBefore;
    }
    // A layout query moves nothing: the bars stay where the last layout put them.
    if (pDock->m_bLayoutQuery)
        return CalcFixedLayout(FALSE, bHorz);
    HDWP hDWP = ::BeginDeferWindowPos(nLaidOut);
    int nOffset = 0;
    for (int k = 0; k < nLaidOut; ++k) {
        if (!items[k].bVisible)
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(arr[positions[k]]);
        CRect rcOld;
        pBar->GetWindowRect(&rcOld);
        pDock->ScreenToClient(&rcOld);
        CRect rc(rcOld);
        // Along the row only: the dock bar's layout that asks sets the thickness across, which
        // may be less than the bars remember where the frame has less room; the window never
        // shows the remembered one in between.
        if (items[k].bResizable) {
            CUiControlBar* p = static_cast<CUiControlBar*>(pBar);
            if (bHorz)
                rc.right = rc.left + p->GetRowLength();
            else
                rc.bottom = rc.top + p->GetRowLength();
        }
        const int nLead = bHorz ? rc.left : rc.top;
        if (nLead != nOffset)
            rc.OffsetRect(bHorz ? nOffset - nLead : 0, bHorz ? 0 : nOffset - nLead);
        if (rc != rcOld && hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        nOffset += bHorz ? rc.Width() : rc.Height();
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    return CalcFixedLayout(FALSE, bHorz);
}

// ---- Row queries.

void CUiControlBar::CollectRowBars(CArray<CUiControlBar*, CUiControlBar*>& arrResult, bool bResizableOnly,
                                   CRect* pRect, int* pIndex, bool* pAnyResizable, bool* pFull)
{
    arrResult.RemoveAll();
    if (pRect != nullptr)
        pRect->SetRectEmpty();
    if (pIndex != nullptr)
        *pIndex = -1;
    if (pAnyResizable != nullptr)
        *pAnyResizable = false;
    if (pFull != nullptr)
        *pFull = false;
    CDockBar* pDock = m_pDockBar;
    const int nPos = pDock != nullptr ? pDock->FindBar(this) : -1;
    if (nPos < 0)
        return;
    int nFirst, nEnd;
    RowArrayRowBounds(pDock->m_arrBars, nPos, nFirst, nEnd);
    int nSum = 0;
    bool bWholeRow = false;
    for (int i = nFirst; i < nEnd; ++i) {
        void* p = pDock->m_arrBars[i];
        if (!IsBarEntry(p) || !static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pBar = static_cast<CUiControlBar*>(p);
        if (bResizableOnly && pBar->IsFixedSizeBar())
            continue;
        if (pBar == this && pIndex != nullptr)
            *pIndex = (int)arrResult.GetSize();
        arrResult.Add(pBar);
        if (pAnyResizable != nullptr && !pBar->IsFixedSizeBar())
            *pAnyResizable = true;
        bWholeRow = bWholeRow || pBar->RowQueryFlag();
        nSum += pBar->GetRowLength();
        if (pRect != nullptr && pBar->GetSafeHwnd() != NULL) {
            CRect rc;
            pBar->GetWindowRect(&rc);
            pRect->UnionRect(pRect->IsRectEmpty() ? rc : *pRect, rc);
        }
    }
    if (pFull != nullptr) {
        CRect rcDock;
        pDock->GetWindowRect(&rcDock);
        *pFull = bWholeRow || nSum >= (IsDockedVertically() ? rcDock.Height() : rcDock.Width()) - 1;
    }
}

void CUiControlBar::CollectVisibleRowBars(CArray<CUiControlBar*, CUiControlBar*>& arr, CRect* pRect, int* pIndex,
                                          bool* pAnyResizable, bool* pFull)
{
    CollectRowBars(arr, false, pRect, nullptr, pAnyResizable, pFull);
    for (INT_PTR i = arr.GetSize() - 1; i >= 0; --i) {
        if (!arr[i]->IsVisible())
            arr.RemoveAt(i);
    }
    if (pIndex != nullptr) {
        *pIndex = -1;
        for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
            if (arr[i] == this)
                *pIndex = (int)i;
        }
    }
}

void CUiControlBar::CollectAdjacentRowBars(bool bForward, CArray<CUiControlBar*, CUiControlBar*>& arrResult)
{
    arrResult.RemoveAll();
    CDockBar* pDock = m_pDockBar;
    const int nPos = pDock != nullptr ? pDock->FindBar(this) : -1;
    if (nPos < 0)
        return;
    const CPtrArray& arr = pDock->m_arrBars;
    int nFirst, nEnd;
    RowArrayRowBounds(arr, nPos, nFirst, nEnd);
    int nStart;
    if (bForward) {
        if (nEnd + 1 >= arr.GetSize())
            return;
        nStart = nEnd + 1;
    } else {
        if (nFirst < 2)
            return;
        int nPrevFirst, nPrevEnd;
        RowArrayRowBounds(arr, nFirst - 2, nPrevFirst, nPrevEnd);
        nStart = nPrevFirst;
    }
    int nRowFirst, nRowEnd;
    RowArrayRowBounds(arr, nStart, nRowFirst, nRowEnd);
    for (int i = nRowFirst; i < nRowEnd; ++i) {
        void* p = arr[i];
        if (IsBarEntry(p) && static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)) &&
            static_cast<CControlBar*>(p)->IsVisible())
            arrResult.Add(static_cast<CUiControlBar*>(p));
    }
}

CControlBar* CUiControlBar::FindRowNeighbour(bool bForward, bool bControlBarsOnly, bool bResizableOnly)
{
    CDockBar* pDock = m_pDockBar;
    const int nPos = pDock != nullptr ? pDock->FindBar(this) : -1;
    if (nPos < 0)
        return nullptr;
    const CPtrArray& arr = pDock->m_arrBars;
    for (int i = nPos + (bForward ? 1 : -1); i > 0 && i < arr.GetSize() && arr[i] != nullptr; i += bForward ? 1 : -1) {
        if (!IsBarEntry(arr[i]))
            continue;
        CControlBar* p = static_cast<CControlBar*>(arr[i]);
        if (bControlBarsOnly && !p->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        if (bResizableOnly && !IsResizableUiBar(p))
            continue;
        return p;
    }
    return nullptr;
}

CControlBar* CUiControlBar::FindRowEnd(bool bLast, bool bControlBarsOnly, bool bResizableOnly)
{
    CControlBar* pEnd = this;
    for (CControlBar* p = this; p != nullptr;) {
        pEnd = p;
        if (!p->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            break;
        p = static_cast<CUiControlBar*>(p)->FindRowNeighbour(bLast, bControlBarsOnly, bResizableOnly);
    }
    return pEnd;
}

bool CUiControlBar::IsFirstInRow(bool bStrict)
{
    CDockBar* pDock = m_pDockBar;
    const int nPos = pDock != nullptr ? pDock->FindBar(this) : -1;
    if (nPos < 0)
        return true;
    for (int i = nPos - 1; i > 0 && pDock->m_arrBars[i] != nullptr; --i) {
        void* p = pDock->m_arrBars[i];
        if (!IsBarEntry(p))
            continue;
        if (bStrict && !IsResizableUiBar(p))
            return false;
        return false;
    }
    return true;
}

bool CUiControlBar::IsLastInRow(bool bResizableOnly)
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    if (bResizableOnly) {
        CollectRowBars(arr, true);
        for (INT_PTR i = arr.GetSize() - 1; i >= 0; --i) {
            if (!arr[i]->IsVisible())
                arr.RemoveAt(i);
        }
    } else {
        CollectVisibleRowBars(arr);
    }
    return arr.GetSize() > 0 && arr[arr.GetSize() - 1] == this;
}

bool CUiControlBar::IsSingleVisibleInRow(bool bFixedOnly, bool bResizableOnly)
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CollectVisibleRowBars(arr);
    int nCount = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if ((bFixedOnly && !arr[i]->IsFixedSizeBar()) || (bResizableOnly && arr[i]->IsFixedSizeBar()))
            continue;
        ++nCount;
    }
    return nCount == 1;
}

bool CUiControlBar::IsMinimizedInRow()
{
    return (IsDockedVertically() || IsDockedHorizontally()) && GetRowLength() == GetMinRowLength();
}

bool CUiControlBar::IsMaximizedInRow()
{
    if (IsBarFloating() || IsMinimizedInRow())
        return false;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CollectRowBars(arr, true);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (arr[i] != this && !arr[i]->IsMinimizedInRow())
            return false;
    }
    return true;
}

bool CUiControlBar::CanSplitNext()
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    int nIndex = -1;
    CollectRowBars(arr, true, nullptr, &nIndex);
    CUiControlBar* pNext = nullptr;
    for (INT_PTR i = nIndex + 1; nIndex >= 0 && i < arr.GetSize() && pNext == nullptr; ++i) {
        if (arr[i]->IsVisible())
            pNext = arr[i];
    }
    return !(IsMinimizedInRow() && (pNext == nullptr || pNext->IsMinimizedInRow()));
}

bool CUiControlBar::CanSplitPrev()
{
    return CanSplitNext();
}

namespace {

// The row's resizable bars read into row items, and written back after fn changed them.
template <class Fn> void EditRowLengths(CUiControlBar* pSelf, Fn fn)
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    int nIndex = -1;
    pSelf->CollectRowBars(arr, true, nullptr, &nIndex);
    if (nIndex < 0)
        return;
    std::vector<RowItem> items(arr.GetSize());
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        items[i].nLength = arr[i]->GetRowLength();
        items[i].nMinLength = arr[i]->GetMinRowLength();
    }
    fn(items, nIndex);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        arr[i]->SetRowLength(items[i].nLength);
}

} // namespace

void CUiControlBar::MinimizeInRow()
{
    if (IsBarFloating() || IsSingleVisibleInRow(false, false))
        return;
    EditRowLengths(this, [](std::vector<RowItem>& items, int nSelf) { MinimizeRowItem(items, nSelf); });
    RecalcFrameNow();
    if (CFrameWnd* pFrame = FindDockSiteFrame())
        pFrame->SetFocus();
}

void CUiControlBar::MaximizeInRow()
{
    if (IsBarFloating() || IsSingleVisibleInRow(false, false))
        return;
    EditRowLengths(this, [](std::vector<RowItem>& items, int nSelf) { MaximizeRowItem(items, nSelf); });
    RecalcFrameNow();
}

void CUiControlBar::MakeOwnRowAndStretch()
{
    RecalcFrameNow();
    CDockBar* pDock = m_pDockBar;
    const int nPos = pDock != nullptr ? pDock->FindBar(this) : -1;
    if (nPos < 0)
        return;
    CPtrArray& arr = pDock->m_arrBars;
    if (nPos + 1 >= arr.GetSize() || arr[nPos + 1] != nullptr)
        arr.InsertAt(nPos + 1, (void*)nullptr);
    if (arr[nPos - 1] != nullptr)
        arr.InsertAt(nPos, (void*)nullptr);
    SetRowLength(32767);
    RecalcFrameNow();
}

void CUiControlBar::RecalcFrameNow()
{
    if (CFrameWnd* pFrame = FindDockSiteFrame())
        pFrame->RecalcLayout(TRUE);
}

// ---- Resizing and splitting.

void CUiControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsFixedSizeBar() || IsBarFloating()) {
        CControlBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (nHitTest != HTLEFT && nHitTest != HTBOTTOM && !IsMinimizedInRow() && NcButtonsHitTest(point, nullptr) == HTCLIENT)
        SetFocus();
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (rcWindow == rcClient)
        return;
    const CPoint pt = point - rcWindow.TopLeft();
    if (m_rcRowResize.PtInRect(pt)) {
        RowResizeLoop(point);
    } else if (m_rcSplitNext.PtInRect(pt)) {
        m_bViewFlags &= ~kSplitPrev;
        if (CanSplitNext())
            RowSplitLoop();
    } else if (m_rcSplitPrev.PtInRect(pt)) {
        if (CanSplitPrev()) {
            m_bViewFlags |= kSplitPrev;
            RowSplitLoop();
        }
    }
}

void CUiControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if ((m_bViewFlags & kButtonHot) && ClickNcAreaButtons(point))
        return;
    if (m_bTrackFlags & kRowResizing)
        RowResizeStop(false);
    else if (m_bTrackFlags & kRowSplitting)
        RowSplitStop(false);
    else if (!(m_bTrackFlags & kDragging))
        CControlBar::OnNcLButtonUp(nHitTest, point);
}

void CUiControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTrackFlags & kRowResizing)
        RowResizeStop(false);
    else if (m_bTrackFlags & kRowSplitting)
        RowSplitStop(false);
    else if (m_bTrackFlags & kDragging)
        DragStop(false);
    else
        CControlBar::OnLButtonUp(nFlags, point);
}

void CUiControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!HandleMouseMove(nFlags, point.x, point.y))
        CControlBar::OnMouseMove(nFlags, point);
}

void CUiControlBar::OnCancelMode()
{
    if (m_bTrackFlags & kRowResizing)
        RowResizeStop(true);
    if (m_bTrackFlags & kRowSplitting)
        RowSplitStop(true);
    if (m_bTrackFlags & kDragging)
        DragStop(true);
    CControlBar::OnCancelMode();
}

void CUiControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTrackFlags & kRowResizing)
        RowResizeStop(true);
    if (m_bTrackFlags & kRowSplitting)
        RowSplitStop(true);
    CControlBar::OnCaptureChanged(pWnd);
}

void CUiControlBar::IdleAndWait()
{
    if (g_bIdleDuringLoops) {
        CWinThread* pThread = AfxGetThread();
        for (LONG n = 0; pThread != nullptr && pThread->OnIdle(n); ++n) {
        }
    }
    ::WaitMessage();
}

void CUiControlBar::RunTrackingLoop(BYTE bFlag, bool bSplit)
{
    // The tracker lies across the row for a resize and along it for a split.
    m_bTrackFlags |= bFlag;
    CUiMouseCaptureSink::SetCapture(m_hWnd);
    const bool bBand = !(bSplit ? IsLiveRowSplit() : IsLiveRowResize());
    auto drawBand = [&](bool bErasing) {
        if (bSplit)
            DrawRowSplitTracker(bErasing);
        else
            DrawRowResizeTracker(bErasing);
    };
    if (bBand) {
        CPoint pt;
        ::GetCursorPos(&pt);
        m_nTrackerPos = ((IsDockedHorizontally() != bSplit) ? pt.y : pt.x) - (bSplit ? 0 : m_nResizeGrip);
        drawBand(false);
    }
    while (m_bTrackFlags & bFlag) {
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            IdleAndWait();
            continue;
        }
        const UINT m = msg.message;
        const bool bCancel = m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_CONTEXTMENU ||
                             m == (bSplit ? (UINT)WM_NCLBUTTONDOWN : (UINT)WM_NCLBUTTONUP) || m == WM_NCRBUTTONDOWN ||
                             m == WM_NCRBUTTONUP || m == 0xA7 || m == 0xA8 || m == WM_RBUTTONDOWN ||
                             m == WM_MBUTTONDOWN || m == WM_MBUTTONUP || (m >= 0x100 && m <= 0x108);
        if (bCancel) {
            const bool bRightPress = TakeRightPressThatEnded(msg);
            if (bSplit)
                RowSplitStop(true);
            else
                RowResizeStop(true);
            if (bRightPress)
                TakeRightRelease();
            break;
        }
        // The band is inverted onto the windows under it: one that paints while it shows would
        // keep its pieces once it is inverted away.
        if (m == WM_PAINT && bBand) {
            drawBand(true);
            PassPaintMessages(TRUE, TRUE, TRUE);
            drawBand(false);
            continue;
        }
        if (!AfxPumpPeekedMessage(msg)) {
            ::PostQuitMessage(0);
            break;
        }
    }
}

namespace {

// The thicknesses bars remember, to be given back to those still alive.
class RememberedThicknesses {
public:
    void Add(const CArray<CUiControlBar*, CUiControlBar*>& arr)
    {
        for (INT_PTR i = 0; i < arr.GetSize(); ++i)
            m_entries.push_back(Entry{arr[i]->m_hWnd, arr[i], arr[i]->GetRowThickness()});
    }
    // True when one of them had changed.
    bool GiveBack() const
    {
        bool bChanged = false;
        for (const Entry& entry : m_entries) {
            if (CWnd::FromHandlePermanent(entry.hWnd) != entry.pBar || entry.pBar->GetRowThickness() == entry.nThickness)
                continue;
            entry.pBar->SetRowThickness(entry.nThickness);
            bChanged = true;
        }
        return bChanged;
    }

private:
    struct Entry {
        HWND hWnd;
        CUiControlBar* pBar;
        int nThickness;
    };
    std::vector<Entry> m_entries;
};

} // namespace

void CUiControlBar::RowResizeLoop(CPoint ptTaken)
{
    const bool bHorz = IsDockedHorizontally();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int nShown = bHorz ? rcWindow.Height() : rcWindow.Width();
    // The drag is measured from where the strip was taken, so that a drag let go there asks for
    // the thickness shown wherever across the strip it began.
    const int nHalf = (bHorz ? m_rcRowResize.Height() : m_rcRowResize.Width()) / 2;
    const int nEdge = bHorz ? rcWindow.top : rcWindow.left;
    const int nAsksShown = IsDockedAtTop() || IsDockedAtLeft() ? nEdge + nShown - nHalf : nEdge + nHalf;
    m_nResizeGrip = (bHorz ? ptTaken.y : ptTaken.x) - nAsksShown;
    // A row that a smaller window squeezed remembers more than it shows, for when the window
    // grows again: a drag let go where the row shows gives every row what it remembered.
    CArray<CUiControlBar*, CUiControlBar*> arr;
    RememberedThicknesses remembered;
    CollectRowBars(arr, true);
    remembered.Add(arr);
    CollectOuterRowBars(arr);
    remembered.Add(arr);
    // A live resize lays the frame out at every step: the rows beyond hold from the start.
    if (IsLiveRowResize())
        KeepOuterRowsShown();
    m_nTrackedValue = nShown;
    RunTrackingLoop(kRowResizing, false);
    if (m_nTrackedValue == nShown && remembered.GiveBack())
        RecalcFrameNow();
}

void CUiControlBar::RowResizeTrack()
{
    CFrameWnd* pFrame = FindDockSiteFrame();
    if (pFrame == nullptr)
        return;
    const bool bHorz = IsDockedHorizontally();
    CRect rcFrame, rcWindow;
    pFrame->GetWindowRect(&rcFrame);
    GetWindowRect(&rcWindow);
    const int nMax = bHorz ? rcFrame.Height() - GetMinExtentVert() : rcFrame.Width() - GetMinExtentHorz();
    if (nMax < 1)
        return;
    const CPoint pt = TrackPoint();
    const int nAt = (bHorz ? pt.y : pt.x) - m_nResizeGrip;
    const int nDistance = nAt - (bHorz ? rcWindow.top : rcWindow.left);
    const int nHalf = (bHorz ? m_rcRowResize.Height() : m_rcRowResize.Width()) / 2;
    const bool bLeading = IsDockedAtTop() || IsDockedAtLeft();
    // Measured from the thickness shown: the one remembered may be more than the frame has room
    // for, as in a window made smaller.
    const int nShown = bHorz ? rcWindow.Height() : rcWindow.Width();
    const int nNew = RowResizeThickness(nDistance, nHalf, nShown, bLeading, GetMinRowThickness(), nMax);
    m_nTrackedValue = nNew;
    if (!IsLiveRowResize()) {
        if (nAt != m_nTrackerPos) {
            DrawRowResizeTracker(true);
            m_nTrackerPos = nAt;
            DrawRowResizeTracker(false);
        }
        return;
    }
    if (nNew == nShown)
        return;
    SetThicknessOfRow(nNew);
    pFrame->RecalcLayout(TRUE);
    if (m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        static_cast<CUiDockBar*>(m_pDockBar)->RecalcLayoutNow();
    KeepShownRowThickness();
}

void CUiControlBar::SetThicknessOfRow(int nThickness)
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CollectRowBars(arr, true);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        arr[i]->SetRowThickness(nThickness);
}

// The frame's layout keeps the view its room, so a row can show thinner than the drag asked
// for. Remembered, the size asked for would put the next drag (measured from it) and the next
// start off by the overshoot: the row keeps what the user sees. Only a resize does this; a
// frame made smaller keeps each row's thickness for when it grows again.
void CUiControlBar::KeepShownRowThickness()
{
    const int nShown = WindowLength(this, IsDockedVertically());
    if (nShown < GetRowThickness())
        SetThicknessOfRow(std::max(nShown, GetMinRowThickness()));
}

void CUiControlBar::CollectOuterRowBars(CArray<CUiControlBar*, CUiControlBar*>& arr)
{
    arr.RemoveAll();
    CDockBar* pDock = m_pDockBar;
    const int nPos = pDock != nullptr ? pDock->FindBar(this) : -1;
    if (nPos < 0 || pDock->m_bFloating || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ||
        pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
        return;
    auto take = [&arr](CDockBar* p, int nFrom, int nTo) {
        for (int i = nFrom; i < nTo; ++i) {
            if (IsResizableUiBar(p->m_arrBars[i]))
                arr.Add(static_cast<CUiControlBar*>(p->m_arrBars[i]));
        }
    };
    // A top or left dock bar's first rows lie at the edge, a bottom or right one's last rows.
    int nFirst, nEnd;
    RowArrayRowBounds(pDock->m_arrBars, nPos, nFirst, nEnd);
    if (IsDockedAtTop() || IsDockedAtLeft())
        take(pDock, 0, nFirst);
    else
        take(pDock, nEnd, (int)pDock->m_arrBars.GetSize());
    for (CUiDockBar* p = static_cast<CUiDockBar*>(pDock)->m_pOuter; p != nullptr; p = p->m_pOuter)
        take(p, 0, (int)p->m_arrBars.GetSize());
}

// The rows between a resized row and the frame's edge hold it there: one that a smaller window
// squeezed would take back its remembered thickness from what the resize gives up and push
// the row's strip away from where it was let go. They keep what they show.
void CUiControlBar::KeepOuterRowsShown()
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CollectOuterRowBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (arr[i]->IsVisible())
            arr[i]->KeepShownRowThickness();
    }
}

void CUiControlBar::RowResizeStop(bool bCancelled)
{
    m_bTrackFlags &= ~kRowResizing;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (IsLiveRowResize())
        return;
    DrawRowResizeTracker(true);
    const UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
    if (bCancelled) {
        if (m_pDockBar != nullptr)
            m_pDockBar->RedrawWindow(NULL, NULL, kRedraw);
        return;
    }
    // The band drew over the layout, which still shows the row as it was when taken.
    const bool bResized = m_nTrackedValue != WindowLength(this, IsDockedVertically());
    if (bResized) {
        KeepOuterRowsShown();
        CArray<CUiControlBar*, CUiControlBar*> arr;
        CollectRowBars(arr, true);
        const int nDelta = arr.GetSize() > 0 ? arr[0]->GetRowThickness() - m_nTrackedValue : 0;
        SetThicknessOfRow(m_nTrackedValue);
        if (nDelta != 0) {
            CArray<CUiControlBar*, CUiControlBar*> arrNext;
            CollectAdjacentRowBars(IsDockedAtTop() || IsDockedAtLeft(), arrNext);
            for (INT_PTR i = 0; i < arrNext.GetSize(); ++i) {
                if (!arrNext[i]->IsFixedSizeBar())
                    arrNext[i]->SetRowThickness(arrNext[i]->GetRowThickness() + nDelta);
            }
        }
    }
    RecalcFrameNow();
    if (bResized)
        KeepShownRowThickness();
    if (m_pDockBar != nullptr)
        m_pDockBar->RedrawWindow(NULL, NULL, kRedraw);
}

void CUiControlBar::RowSplitLoop()
{
    m_nTrackedValue = 0;
    RunTrackingLoop(kRowSplitting, true);
}

void CUiControlBar::RowSplitTrack()
{
    const bool bHorz = IsDockedHorizontally();
    const bool bPrev = (m_bViewFlags & kSplitPrev) != 0;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint pt;
    pt = TrackPoint();
    const int nDistance = bHorz ? pt.x - rcWindow.left : pt.y - rcWindow.top;
    const CRect& rcStrip = bPrev ? m_rcSplitPrev : m_rcSplitNext;
    const int nHalf = (bHorz ? rcStrip.Width() : rcStrip.Height()) / 2;
    const int nLength = GetRowLength();
    const int nNew = bPrev ? std::max(GetMinRowLength(), nHalf - nDistance + nLength)
                           : std::max(GetMinRowLength(), nHalf + nDistance);
    m_nTrackedValue = nLength - nNew;
    if (m_nTrackedValue == 0)
        return;
    if (IsLiveRowSplit()) {
        ApplySplit(m_nTrackedValue);
        RecalcFrameNow();
        if (m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            static_cast<CUiDockBar*>(m_pDockBar)->RecalcLayoutNow();
        return;
    }
    DrawRowSplitTracker(true);
    CArray<CUiControlBar*, CUiControlBar*> arr;
    int nIndex = -1;
    CollectVisibleRowBars(arr, nullptr, &nIndex);
    CRect rcDock;
    m_pDockBar->GetWindowRect(&rcDock);
    auto extent = [&](CUiControlBar* p) { return p->IsFixedSizeBar() ? WindowLength(p, bHorz) : p->GetMinRowLength(); };
    int nLow, nHigh;
    if (!bPrev) {
        int nAfter = 0;
        for (INT_PTR i = nIndex + 1; i < arr.GetSize(); ++i)
            nAfter += extent(arr[i]);
        nLow = (bHorz ? rcWindow.left : rcWindow.top) + GetMinRowLength();
        nHigh = (bHorz ? rcDock.right : rcDock.bottom) - nAfter;
    } else {
        int nBefore = 0;
        for (INT_PTR i = 0; i < nIndex; ++i)
            nBefore += extent(arr[i]);
        nHigh = (bHorz ? rcWindow.right : rcWindow.bottom) - GetMinRowLength();
        nLow = (bHorz ? rcDock.left : rcDock.top) + nBefore;
    }
    m_nTrackerPos = std::min(std::max<int>(bHorz ? pt.x : pt.y, nLow), nHigh);
    DrawRowSplitTracker(false);
}

void CUiControlBar::ApplySplit(int nTracked)
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    int nIndex = -1;
    CollectRowBars(arr, true, nullptr, &nIndex);
    CUiControlBar* pNeighbour = nullptr;
    if (m_bViewFlags & kSplitPrev) {
        for (INT_PTR i = nIndex - 1; i >= 0 && pNeighbour == nullptr; --i)
            pNeighbour = arr[i];
    } else {
        for (INT_PTR i = nIndex + 1; i < arr.GetSize() && pNeighbour == nullptr; ++i)
            pNeighbour = arr[i];
    }
    int nLength = GetRowLength();
    int nNeighbour = pNeighbour != nullptr ? pNeighbour->GetRowLength() : 0;
    ApplySplitLengths(nLength, GetMinRowLength(), pNeighbour != nullptr ? &nNeighbour : nullptr,
                      pNeighbour != nullptr ? pNeighbour->GetMinRowLength() : 0, nTracked);
    SetRowLength(nLength);
    if (pNeighbour != nullptr)
        pNeighbour->SetRowLength(nNeighbour);
}

void CUiControlBar::RowSplitStop(bool bCancelled)
{
    m_bTrackFlags &= ~kRowSplitting;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (IsLiveRowSplit())
        return;
    DrawRowSplitTracker(true);
    if (bCancelled || m_nTrackedValue == 0)
        return;
    ApplySplit(m_nTrackedValue);
    RecalcFrameNow();
}

namespace {

void DrawBand(CUiControlBar* pBar, CRect rcBand, bool bErasing)
{
    CFrameWnd* pFrame = pBar->FindDockSiteFrame();
    if (pFrame == nullptr)
        return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    rcBand.OffsetRect(-rcFrame.left, -rcFrame.top);
    HDC hDC = ::GetDCEx(pFrame->m_hWnd, NULL, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (hDC == NULL)
        return;
    DrawTrackedAreaData data(pBar, CDC::FromHandle(hDC), 0, rcBand, bErasing);
    DrawTrackedArea(data);
    ::ReleaseDC(pFrame->m_hWnd, hDC);
}

} // namespace

void CUiControlBar::DrawRowResizeTracker(bool bErasing)
{
    if (m_pDockBar == nullptr)
        return;
    CRect rc;
    m_pDockBar->GetWindowRect(&rc);
    if (IsDockedHorizontally()) {
        const int h = m_rcRowResize.Height();
        rc.top = m_nTrackerPos - h / 2;
        rc.bottom = rc.top + h;
    } else {
        const int w = m_rcRowResize.Width();
        rc.left = m_nTrackerPos - w / 2;
        rc.right = rc.left + w;
    }
    DrawBand(this, rc, bErasing);
}

void CUiControlBar::DrawRowSplitTracker(bool bErasing)
{
    CRect rc;
    GetWindowRect(&rc);
    const CRect& rcStrip = (m_bViewFlags & kSplitPrev) ? m_rcSplitPrev : m_rcSplitNext;
    if (IsDockedHorizontally()) {
        const int w = rcStrip.Width();
        rc.left = m_nTrackerPos - w / 2;
        rc.right = rc.left + w;
    } else {
        const int h = rcStrip.Height();
        rc.top = m_nTrackerPos - h / 2;
        rc.bottom = rc.top + h;
    }
    DrawBand(this, rc, bErasing);
}
