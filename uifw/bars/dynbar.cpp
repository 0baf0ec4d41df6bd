#include "dynbar.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CUiDockDynBar, CUiDockBar)
IMPLEMENT_DYNCREATE(CUiDynControlBar, CUiControlBar)

BEGIN_MESSAGE_MAP(CUiDockDynBar, CUiDockBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CUiDynControlBar, CUiControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
// The least extent of a bar across and along a row, as the dock bar's orientation reads them.
int MinThickness(CUiControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->GetMinExtentVert() : pBar->GetMinExtentHorz();
}

int MinLength(CUiControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->GetMinExtentHorz() : pBar->GetMinExtentVert();
}

// The rows that hold bars, as ShareInnerRows takes them.
std::vector<InnerRow> SharesOf(const CUiDockDynBar::VisibleLayoutRows& rows, bool bHorz)
{
    std::vector<InnerRow> shares;
    for (INT_PTR r = 0; r < rows.m_arrRows.GetSize(); ++r) {
        const CUiDockDynBar::VisibleLayoutItem_t& row = *rows.m_arrRows[r];
        if (row.m_arrBars.GetSize() == 0)
            continue;
        InnerRow share;
        share.span.nThickness = row.m_nThickness;
        share.span.nMinThickness = row.m_nMinThickness;
        for (INT_PTR b = 0; b < row.m_arrBars.GetSize(); ++b) {
            RowItem bar;
            bar.nLength = (int)row.m_arrBars[b]->LengthAlong(bHorz);
            bar.nMinLength = MinLength(row.m_arrBars[b], bHorz);
            share.bars.push_back(bar);
        }
        shares.push_back(share);
    }
    return shares;
}
} // namespace

// ---- The rows of a layout.

CUiDockDynBar::VisibleLayoutRows::VisibleLayoutRows()
    : m_nTotalThickness(0), m_nTotalMinThickness(0), m_nMaxRowMinLength(0), m_nBarCount(0)
{
}

CUiDockDynBar::VisibleLayoutRows::~VisibleLayoutRows()
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        delete m_arrRows[i];
}

void CUiDockDynBar::VisibleLayoutRows::AddBarToLastRow(CUiControlBar* pBar)
{
    if (m_arrRows.GetSize() == 0)
        m_arrRows.Add(new VisibleLayoutItem_t);
    m_arrRows[m_arrRows.GetSize() - 1]->m_arrBars.Add(pBar);
}

void CUiDockDynBar::VisibleLayoutRows::StartRow()
{
    if (m_arrRows.GetSize() == 0 || m_arrRows[m_arrRows.GetSize() - 1]->m_arrBars.GetSize() > 0)
        m_arrRows.Add(new VisibleLayoutItem_t);
}

bool CUiDockDynBar::VisibleLayoutRows::IsEmpty() const
{
    return m_arrRows.GetSize() == 0 || (m_arrRows.GetSize() == 1 && m_arrRows[0]->m_arrBars.GetSize() == 0);
}

// ---- The inner dock bar.

CUiDockDynBar::CUiDockDynBar(UINT nLevel) : CUiDockBar(nLevel), m_bDynFlags(0)
{
    m_bAutoDelete = TRUE;
}

CUiDockDynBar::~CUiDockDynBar()
{
}

BOOL CUiDockDynBar::PreTranslateMessage(MSG* pMsg)
{
    return CDockBar::PreTranslateMessage(pMsg);
}

bool CUiDockDynBar::IsHorizontal() const
{
    const int nID = GetSafeHwnd() != NULL ? GetDlgCtrlID() : 0;
    return IsTopOrBottomSide((UINT)nID);
}

CWnd* CUiDockDynBar::GetOuterWindow() const
{
    CWnd* pContainer = GetParent();
    return pContainer != nullptr ? pContainer->GetParent() : nullptr;
}

void CUiDockDynBar::OnSize(UINT nType, int cx, int cy)
{
    CUiDockBar::OnSize(nType, cx, cy);
    if (m_bDynFlags & kOutOfFrameList)
        return;
    if (CFrameWnd* pSite = GetDockingFrame())
        pSite->RemoveControlBar(this);
    m_bDynFlags |= kOutOfFrameList;
}

CWnd* CUiDockDynBar::GetAutoHideArea()
{
    CWnd* pOuter = GetOuterWindow();
    return pOuter != nullptr && pOuter->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pOuter)->GetAutoHideArea()
                                                                             : nullptr;
}

bool CUiDockDynBar::SetLayoutLock(bool bLock)
{
    const bool bOld = CUiDockBar::SetLayoutLock(bLock);
    CWnd* pOuter = GetOuterWindow();
    if (pOuter != nullptr && pOuter->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return static_cast<CUiDockBar*>(pOuter)->SetLayoutLock(bLock);
    return bOld;
}

void CUiDockDynBar::CollectVisibleItems(CArray<CUiControlBar*, CUiControlBar*>& arr)
{
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        if (IsBarEntry(m_arrBars[i]) && static_cast<CControlBar*>(m_arrBars[i])->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            arr.Add(static_cast<CUiControlBar*>(m_arrBars[i]));
    }
}

void CUiDockDynBar::BuildRows(VisibleLayoutRows& rows, CControlBar* pLeaving)
{
    const bool bHorz = IsHorizontal();
    const INT_PTR nCount = m_arrBars.GetSize();
    for (INT_PTR i = 1; i < nCount; ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr) {
            if (i != nCount - 1)
                rows.StartRow();
            continue;
        }
        if (!IsBarEntry(p) || p == pLeaving || !static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pBar = static_cast<CUiControlBar*>(p);
        if (pBar->IsVisible())
            rows.AddBarToLastRow(pBar);
    }
    for (INT_PTR r = 0; r < rows.m_arrRows.GetSize(); ++r) {
        VisibleLayoutItem_t& row = *rows.m_arrRows[r];
        if (row.m_arrBars.GetSize() == 0)
            continue;
        row.m_nThickness = (int)row.m_arrBars[0]->ThicknessAcross(bHorz);
        row.m_nMinThickness = MinThickness(row.m_arrBars[0], bHorz);
        int nMinLength = 0;
        for (INT_PTR b = 0; b < row.m_arrBars.GetSize(); ++b) {
            CUiControlBar* pBar = row.m_arrBars[b];
            // The bars of a row share its thickness: it cannot go below the largest least one
            // without leaving that bar (a group under its strip, say) no room.
            row.m_nMinThickness = std::max(row.m_nMinThickness, MinThickness(pBar, bHorz));
            row.m_nPreferredLength += (int)pBar->LengthAlong(bHorz);
            nMinLength += MinLength(pBar, bHorz);
        }
        rows.m_nTotalThickness += row.m_nThickness;
        rows.m_nTotalMinThickness += row.m_nMinThickness;
        rows.m_nMaxRowMinLength = std::max(rows.m_nMaxRowMinLength, nMinLength);
        rows.m_nBarCount += (int)row.m_arrBars.GetSize();
    }
}

void CUiDockDynBar::LayoutRows(VisibleLayoutRows& rows, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return;
    const bool bHorz = IsHorizontal();
    const INT_PTR nRows = rows.m_arrRows.GetSize();
    // A row or bar remembering less than its least (a group made where a thin pane was) is
    // laid out at its least; the others give up what that takes, as far as they can. Every bar
    // of a row takes the row's thickness (a bar that came in from a thinner place has another).
    std::vector<InnerRow> shares = SharesOf(rows, bHorz);
    ShareInnerRows(shares, bHorz ? cy : cx, bHorz ? cx : cy);
    for (INT_PTR r = 0, s = 0; r < nRows; ++r) {
        VisibleLayoutItem_t& row = *rows.m_arrRows[r];
        if (row.m_arrBars.GetSize() == 0)
            continue;
        const InnerRow& share = shares[s++];
        row.m_nThickness = share.span.nThickness;
        for (INT_PTR b = 0; b < row.m_arrBars.GetSize(); ++b) {
            row.m_arrBars[b]->ThicknessAcross(bHorz) = share.span.nThickness;
            row.m_arrBars[b]->LengthAlong(bHorz) = share.bars[b].nLength;
        }
    }
    // Positions: one deferred move for every bar.
    HDWP hDWP = ::BeginDeferWindowPos((int)rows.m_nBarCount);
    CPoint pt(0, 0);
    for (INT_PTR r = 0; r < nRows; ++r) {
        VisibleLayoutItem_t& row = *rows.m_arrRows[r];
        if (row.m_arrBars.GetSize() == 0)
            continue;
        for (INT_PTR b = 0; b < row.m_arrBars.GetSize(); ++b) {
            CUiControlBar* pBar = row.m_arrBars[b];
            const CSize size = pBar->PlaceSize();
            const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
            if (hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, pt.x, pt.y, size.cx, size.cy, nFlags);
            if (hDWP == NULL)
                pBar->MoveWindow(pt.x, pt.y, size.cx, size.cy);
            (bHorz ? pt.x : pt.y) += bHorz ? size.cx : size.cy;
        }
        const int nAcross = (int)row.m_arrBars[0]->ThicknessAcross(bHorz);
        if (bHorz) {
            pt.y += nAcross;
            pt.x = 0;
        } else {
            pt.x += nAcross;
            pt.y = 0;
        }
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    for (INT_PTR r = 0; r < nRows; ++r) {
        VisibleLayoutItem_t& row = *rows.m_arrRows[r];
        for (INT_PTR b = 0; b < row.m_arrBars.GetSize(); ++b)
            row.m_arrBars[b]->RepositionChildWindow(-1, -1, TRUE);
    }
}

CRect CUiDockDynBar::PlaceOnceLeft(CUiControlBar* pBar, const CRect& rcDockBar, CControlBar* pLeaving)
{
    const bool bHorz = IsHorizontal();
    VisibleLayoutRows rows;
    BuildRows(rows, pLeaving);
    std::vector<InnerRow> shares = SharesOf(rows, bHorz);
    ShareInnerRows(shares, bHorz ? rcDockBar.Height() : rcDockBar.Width(), bHorz ? rcDockBar.Width() : rcDockBar.Height());
    int nAcross = 0;
    for (INT_PTR r = 0, s = 0; r < rows.m_arrRows.GetSize(); ++r) {
        const VisibleLayoutItem_t& row = *rows.m_arrRows[r];
        if (row.m_arrBars.GetSize() == 0)
            continue;
        const InnerRow& share = shares[s++];
        int nAlong = 0;
        for (INT_PTR b = 0; b < row.m_arrBars.GetSize(); ++b) {
            const int nLength = share.bars[b].nLength, nThick = share.span.nThickness;
            if (row.m_arrBars[b] == pBar)
                return bHorz ? CRect(CPoint(rcDockBar.left + nAlong, rcDockBar.top + nAcross), CSize(nLength, nThick))
                             : CRect(CPoint(rcDockBar.left + nAcross, rcDockBar.top + nAlong), CSize(nThick, nLength));
            nAlong += nLength;
        }
        nAcross += share.span.nThickness;
    }
    CRect rc;
    pBar->GetWindowRect(&rc);
    return rc;
}

CSize CUiDockDynBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    CRect rc;
    GetWindowRect(&rc);
    VisibleLayoutRows rows;
    BuildRows(rows);
    if (!rows.IsEmpty() && bStretch && rc.Width() >= 1 && rc.Height() >= 1)
        LayoutRows(rows, rc.Width(), rc.Height());
    return rc.Size();
}

void CUiDockDynBar::RecalcLayoutNow()
{
    if (IsLocked() || (m_bReentry & 1) || GetSafeHwnd() == NULL)
        return;
    m_bReentry |= 1;
    CarryOutDelayedShows();
    CalcFixedLayout(TRUE, IsHorizontal());
    m_bReentry &= ~1;
    CUiDockBar::RecalcLayoutNow();
}

// The frame's layout carries out the shows and hides asked for later of the bars on its own
// dock bars only; a bar inside a container would otherwise keep its pending state for good.
// A container in here that no longer holds a shown bar hides, as one on a frame side does at
// the frame's layout: a bar that leaves it shows nothing there any more.
void CUiDockDynBar::CarryOutDelayedShows()
{
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (!IsBarEntry(p))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(p);
        if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) && (pBar->GetStyle() & WS_VISIBLE) &&
            !static_cast<CUiDynControlBar*>(pBar)->HoldsShownBar())
            pBar->DelayShow(FALSE);
        if (pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow))
            pBar->RecalcDelayShow(nullptr);
    }
}

void CUiDockDynBar::RefreshBarsState()
{
    DissolveIfSingle();
}

// A container left with one bar gives it its place; an empty one goes. Destroying the
// container deletes this dock bar with it, so everything needed afterwards is kept in locals
// first and the object is never touched again.
void CUiDockDynBar::DissolveIfSingle()
{
    if (IsLocked() || GetSafeHwnd() == NULL)
        return;
    if (GetDockedCount() > 0) {
        bool bBar = false, bPlaceHolder = false;
        for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
            void* p = m_arrBars[i];
            if (p == nullptr)
                continue;
            const bool bIsBar = IsBarEntry(p);
            if ((bIsBar && (bBar || bPlaceHolder)) || (!bIsBar && bBar && !bPlaceHolder)) {
                CUiDockBar::RefreshBarsState();
                return;
            }
            (bIsBar ? bBar : bPlaceHolder) = true;
        }
    }
    CWnd* pContainerWnd = GetParent();
    if (pContainerWnd == nullptr || !pContainerWnd->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
        return;
    CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(pContainerWnd);
    CWnd* pOuterWnd = pContainer->GetParent();
    CDockBar* pOuter = pOuterWnd != nullptr && pOuterWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(pOuterWnd)
                                                                                             : nullptr;
    const HWND hOuter = pOuter != nullptr ? pOuter->m_hWnd : NULL;
    CUiDockBar* pUiOuter = pOuter != nullptr && pOuter->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pOuter)
                                                                                            : nullptr;
    CFrameWnd* pSite = GetDockingFrame();
    if (pSite != nullptr && pSite->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pSite = pSite->GetParentFrame();
    CFrameWnd* pParentFrame = GetParentFrame();
    const bool bFloating = pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
    if (bFloating)
        pParentFrame->m_nIdleFlags |= 12;
    CControlBar* pSingle = nullptr;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] == nullptr)
            continue;
        if (!IsBarEntry(m_arrBars[i]))
            return;   // a placeholder keeps the container
        pSingle = static_cast<CControlBar*>(m_arrBars[i]);
        break;
    }
    if (pSingle != nullptr) {
        if (pOuter == nullptr)
            return;
        const int nIndex = pOuter->FindBar(pContainer);
        if (nIndex > 0)
            pOuter->m_arrBars[nIndex] = pSingle;
        pSingle->m_pDockBar = pOuter;
        if (pSingle->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && !static_cast<CUiControlBar*>(pSingle)->IsFixedSizeBar()) {
            CUiControlBar* pUi = static_cast<CUiControlBar*>(pSingle);
            CRect rcContainer;
            pContainer->GetWindowRect(&rcContainer);
            // In a floating frame the floating size is the one the frame's layout asks for:
            // the bar's own, from before it joined the container, would shrink the frame.
            if (pOuter->m_bFloating) {
                pUi->m_sizeFloat = rcContainer.Size();
                // It floats where the container floated, and goes back where that was docked.
                CRect rcFrame = rcContainer;
                if (pParentFrame != nullptr)
                    pParentFrame->GetWindowRect(&rcFrame);
                pUi->m_ptSavedLayout = rcFrame.TopLeft();
                if (pContainer->m_placeDocked.nSide != 0)
                    pUi->m_placeDocked = pContainer->m_placeDocked;
            } else {
                pUi->PlaceSize() = rcContainer.Size();
            }
            // It floats with its dock bar only: one that floated once and came back into the
            // container would otherwise be laid out at its floating size on a frame side.
            pUi->SetBarStyle((pUi->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (pOuter->m_dwStyle & CBRS_ALIGN_ANY) |
                             CBRS_BORDER_ANY | (pOuter->m_bFloating ? CBRS_FLOATING : 0));
        }
        m_arrBars.RemoveAll();
        m_arrBars.Add(nullptr);
        // Re-parenting hides and shows the window again; that is no hide of the bar's own, and
        // its show/hide bookkeeping must not take it for one (a container would hide the
        // containers inside it for good).
        CUiControlBar* pUiSingle =
            pSingle->IsKindOf(RUNTIME_CLASS(CUiControlBar)) ? static_cast<CUiControlBar*>(pSingle) : nullptr;
        const BYTE bOldTrack = pUiSingle != nullptr ? pUiSingle->m_bTrackFlags : 0;
        if (pUiSingle != nullptr)
            pUiSingle->m_bTrackFlags |= CUiControlBar::kNoChildMove;
        pSingle->SetParent(pOuter);
        if (pUiSingle != nullptr)
            pUiSingle->m_bTrackFlags = (BYTE)((pUiSingle->m_bTrackFlags & ~CUiControlBar::kNoChildMove) |
                                              (bOldTrack & CUiControlBar::kNoChildMove));
    } else {
        if (pOuter != nullptr)
            pOuter->RemoveControlBar(pContainer, -1, 0);
    }
    pContainer->m_pInnerDockBar = nullptr;
    if (pSite != nullptr)
        pSite->RemoveControlBar(this);
    const HWND hContainer = pContainer->m_hWnd;
    if (::IsWindow(hContainer))
        pContainer->DestroyWindow();
    if (pUiOuter != nullptr && ::IsWindow(hOuter))
        pUiOuter->RecalcLayoutNow();
    if (!bFloating && pSite != nullptr && ::IsWindow(pSite->m_hWnd))
        pSite->m_nIdleFlags |= 12;
}

// ---- The container.

CUiDynControlBar::CUiDynControlBar() : m_pInnerDockBar(nullptr)
{
    m_bBarFlags &= ~kInBarsMenu;
    m_bAutoDelete = TRUE;
}

CUiDynControlBar::~CUiDynControlBar()
{
}

CUiDockDynBar* CUiDynControlBar::CreateInnerDockBar()
{
    return new CUiDockDynBar(0);
}

int CUiDynControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CUiControlBar::OnCreate(lpcs) == -1)
        return -1;
    CUiDockDynBar* pInner = CreateInnerDockBar();
    // A failed creation has deleted the dock bar (it deletes itself).
    if (!pInner->Create(GetParent(), 0x56002F00, (UINT)GetDlgCtrlID()))
        return -1;
    pInner->SetParent(this);
    m_pInnerDockBar = pInner;
    EnableToolTips(TRUE);
    return 0;
}

bool CUiDynControlBar::QueryGripperLayout(bool& bCaptionAcross, bool& bCaptionLeft)
{
    bCaptionAcross = bCaptionLeft = false;
    return false;
}

CSize CUiDynControlBar::CalcInnerSize() const
{
    if (m_pInnerDockBar == nullptr || m_pInnerDockBar->GetSafeHwnd() == NULL)
        return CSize(0, 0);
    CUiDockDynBar::VisibleLayoutRows rows;
    m_pInnerDockBar->BuildRows(rows);
    if (m_pInnerDockBar->IsHorizontal())
        return CSize(rows.m_nMaxRowMinLength, rows.m_nTotalMinThickness);
    return CSize(rows.m_nTotalMinThickness, rows.m_nMaxRowMinLength);
}

int CUiDynControlBar::GetMinExtentHorz() const
{
    return CalcInnerSize().cx;
}

int CUiDynControlBar::GetMinExtentVert() const
{
    return CalcInnerSize().cy;
}

CSize CUiDynControlBar::GetDefaultFloatSize() const
{
    return CalcInnerSize();
}

// Its rows follow a new size at once, as a group's bars do: a floating container is laid out
// before its frame gives it the size it asked for.
void CUiDynControlBar::RepositionChildWindow(int cx, int cy, BOOL bRepaint)
{
    const bool bInner = m_pInnerDockBar != nullptr && m_pInnerDockBar->GetSafeHwnd() != NULL;
    CRect rcOld;
    if (bInner)
        m_pInnerDockBar->GetWindowRect(&rcOld);
    CUiControlBar::RepositionChildWindow(cx, cy, bRepaint);
    CRect rcNew;
    if (bInner)
        m_pInnerDockBar->GetWindowRect(&rcNew);
    if (bInner && rcNew.Size() != rcOld.Size())
        m_pInnerDockBar->RecalcLayoutNow();
}

void CUiDynControlBar::GetInnerBars(CArray<CUiControlBar*, CUiControlBar*>& arr) const
{
    for (INT_PTR i = 0; m_pInnerDockBar != nullptr && i < m_pInnerDockBar->m_arrBars.GetSize(); ++i) {
        void* p = m_pInnerDockBar->m_arrBars[i];
        if (IsBarEntry(p) && static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            arr.Add(static_cast<CUiControlBar*>(p));
    }
}

bool CUiDynControlBar::HoldsShownBar() const
{
    if (m_pInnerDockBar == nullptr || m_pInnerDockBar->GetSafeHwnd() == NULL)
        return false;
    for (INT_PTR i = 1; i < m_pInnerDockBar->m_arrBars.GetSize(); ++i) {
        void* p = m_pInnerDockBar->m_arrBars[i];
        if (!IsBarEntry(p) || !static_cast<CControlBar*>(p)->IsVisible())
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(p);
        if (!pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) || static_cast<CUiDynControlBar*>(pBar)->HoldsShownBar())
            return true;
    }
    return false;
}

bool CUiDynControlBar::CanDockNow(CUiControlBar* pOther)
{
    if (!CUiControlBar::CanDockNow(pOther))
        return false;
    if (m_pInnerDockBar == nullptr)
        return true;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    m_pInnerDockBar->CollectVisibleItems(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (!arr[i]->CanDockNow(pOther))
            return false;
    }
    return true;
}

CSize CUiDynControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    // Floating, it is never smaller than what its bars take: it may remember the size of a
    // thin pane whose place it took, and a group it took in since needs its caption and strip.
    if (IsBarFloating())
        m_sizeFloat = FloatingSize();
    CSize size = CUiControlBar::CalcDynamicLayout(nLength, nMode);
    if (m_pDockBar == nullptr || m_pDockBar->m_bLayoutQuery || m_pInnerDockBar == nullptr ||
        m_pInnerDockBar->GetSafeHwnd() == NULL)
        return size;
    if (!HoldsShownBar()) {
        // A group inside, left with no shown bar, hides with it and not at some later layout.
        m_pInnerDockBar->CarryOutDelayedShows();
        if (CFrameWnd* pSite = GetDockSiteFrame())
            pSite->ShowControlBar(this, FALSE, FALSE);
        return CSize(0, 0);
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
        m_pDockBar->GetParentFrame() == pParentFrame && !m_pInnerDockBar->IsLocked())
        m_pInnerDockBar->RecalcLayoutNow();
    return size;
}
