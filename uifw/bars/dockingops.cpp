// The docking operations that place a bar without a drag: on a side of the frame (outer or
// inner ring), beside another bar in a nested container, into a tabbed group; and the
// floating frame a bar floats in.
#include "controlbar.h"

#include "dockbar.h"
#include "dynbar.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"

#include <algorithm>
#include <initializer_list>

namespace {
// Bars being re-parented keep their child windows still and skip their show/hide bookkeeping.
void MarkMoving(std::initializer_list<CUiControlBar*> bars, bool bMoving)
{
    for (CUiControlBar* p : bars) {
        if (bMoving)
            p->m_bTrackFlags |= CUiControlBar::kNoChildMove;
        else
            p->m_bTrackFlags &= ~CUiControlBar::kNoChildMove;
    }
}

// A size a bar keeps, or the place it is given when it kept none.
CSize SizeOr(CSize size, CSize sizePlace)
{
    return size.cx > 0 && size.cy > 0 ? size : sizePlace;
}

// A group that a shown bar joined (it may have come as one of a container's bars) shows.
void ShowWithAShownBar(CUiDynTabControlBar* pGroup)
{
    CArray<CUiControlBar*, CUiControlBar*> arr;
    if (CUiDockDynTabBar* pInner = pGroup->GetTabDockBar())
        pInner->CUiDockDynBar::CollectVisibleItems(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (arr[i]->GetStyle() & WS_VISIBLE) {
            arr[i]->ShowHoldersOfShownBar();
            return;
        }
    }
}
} // namespace

// The container takes this bar's entry in its dock bar and this bar moves into the
// container's dock bar; pJoining, the bar that joins, is marked as moving with the two.
void CUiControlBar::GiveOwnPlaceTo(CUiDynControlBar* pContainer, CUiControlBar* pJoining)
{
    CDockBar* pOuter = m_pDockBar;
    CUiDockDynBar* pInner = pContainer->m_pInnerDockBar;
    pContainer->m_pDockSite = m_pDockSite;
    pContainer->m_pDockBar = pOuter;
    pContainer->EnableDocking(CBRS_ALIGN_ANY);
    const int nIndex = pOuter->FindBar(this);
    if (nIndex > 0)
        pOuter->m_arrBars[nIndex] = pContainer;
    m_pDockBar = pInner;
    pInner->m_bFloating = FALSE;
    if (pOuter->m_bFloating) {
        pOuter->m_dwStyle |= CBRS_FLOATING;
        pInner->m_dwStyle &= ~CBRS_FLOATING;
        m_dwStyle &= ~CBRS_FLOATING;
        pJoining->m_dwStyle &= ~CBRS_FLOATING;
    }
    MarkMoving({this, pContainer, pJoining}, true);
    pContainer->SetParent(pOuter);
    SetParent(pInner);
}

// A container or group shows while one of its bars does. A shown bar that joined hidden ones
// (the main frame groups a pane a saved layout left out with a partner that may be hidden)
// shows every container around it, and the floating frame they may lie in.
void CUiControlBar::ShowHoldersOfShownBar()
{
    if (!(GetStyle() & WS_VISIBLE) || m_pDockSite == nullptr)
        return;
    for (CDockBar* pDock = m_pDockBar; pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar));) {
        CWnd* pHolderWnd = pDock->GetParent();
        if (pHolderWnd == nullptr || !pHolderWnd->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            break;
        CUiDynControlBar* pHolder = static_cast<CUiDynControlBar*>(pHolderWnd);
        if (!(pHolder->GetStyle() & WS_VISIBLE))
            m_pDockSite->ShowControlBar(pHolder, TRUE, FALSE);
        pDock = pHolder->m_pDockBar;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
        !pParentFrame->IsWindowVisible())
        pParentFrame->RecalcLayout(TRUE);
}

// A hidden bar may never have been laid out (a saved layout put it back hidden): its window has
// no size, and the size it keeps for where it sits stands in, else the joining bar's.
CRect CUiControlBar::PlaceToShareWith(CUiControlBar* pBar) const
{
    CRect rc;
    GetWindowRect(&rc);
    if (!rc.IsRectEmpty())
        return rc;
    CSize size = IsBarFloating() ? m_sizeFloat : PlaceSize();
    if (size.cx <= 0 || size.cy <= 0) {
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        size = rcBar.IsRectEmpty() ? CSize(200, 200) : rcBar.Size();
    }
    return CRect(rc.TopLeft(), size);
}

CRect CUiControlBar::SplitForJoining(CRect& rc, UINT nSide, int nPercent)
{
    CRect rcJoining(rc);
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP:
        rc.top += ::MulDiv(rc.Height(), nPercent, 100);
        rcJoining.bottom = rc.top;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        rc.bottom -= ::MulDiv(rc.Height(), nPercent, 100);
        rcJoining.top = rc.bottom;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rc.left += ::MulDiv(rc.Width(), nPercent, 100);
        rcJoining.right = rc.left;
        break;
    default:
        rc.right -= ::MulDiv(rc.Width(), nPercent, 100);
        rcJoining.left = rc.right;
        break;
    }
    return rcJoining;
}

CUiControlBar* CUiControlBar::HostOfJoining(CUiControlBar* pTarget)
{
    CUiControlBar* pGroup = pTarget->GetTabContainerBar();
    return pGroup != nullptr ? pGroup : pTarget;
}

// DockBarBeside run in thought: the container made in the host's place lies where the host
// will lie once this bar has left its own, less its strips there; its dock bar lays the two
// halves of the host's present place out in it.
CRect CUiControlBar::PlaceBeside(CUiControlBar* pTarget, UINT nSide)
{
    CUiControlBar* pHost = HostOfJoining(pTarget);
    CRect rcHost = pHost->PlaceToShareWith(this);
    const CRect rcOwn = SplitForJoining(rcHost, nSide, 50);
    const CRect rcInner = CUiDockBar::InnerOnceLeft(pHost, pHost->m_nStripVert, pHost->m_nStripHorz, this);
    // One row of the two, along the split; this bar first at the top and left.
    const bool bHorz = nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_RIGHT;
    const bool bOwnFirst = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    std::vector<InnerRow> rows(1);
    InnerRow& row = rows[0];
    row.span.nThickness = bHorz ? rcHost.Height() : rcHost.Width();
    for (CUiControlBar* pBar : {bOwnFirst ? this : pHost, bOwnFirst ? pHost : this}) {
        const CRect& rc = pBar == this ? rcOwn : rcHost;
        row.span.nMinThickness = std::max(row.span.nMinThickness, bHorz ? pBar->GetMinExtentVert() : pBar->GetMinExtentHorz());
        RowItem item;
        item.nLength = bHorz ? rc.Width() : rc.Height();
        item.nMinLength = bHorz ? pBar->GetMinExtentHorz() : pBar->GetMinExtentVert();
        row.bars.push_back(item);
    }
    ShareInnerRows(rows, bHorz ? rcInner.Height() : rcInner.Width(), bHorz ? rcInner.Width() : rcInner.Height());
    const int nBefore = bOwnFirst ? 0 : row.bars[0].nLength, nLength = row.bars[bOwnFirst ? 0 : 1].nLength;
    return bHorz ? CRect(rcInner.left + nBefore, rcInner.top, rcInner.left + nBefore + nLength, rcInner.top + row.span.nThickness)
                 : CRect(rcInner.left, rcInner.top + nBefore, rcInner.left + row.span.nThickness, rcInner.top + nBefore + nLength);
}

bool CUiControlBar::IsLastShownInFloatingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
        return false;
    // The frame's windows depth first, this bar's own left out.
    HWND hNext = ::GetWindow(pFrame->m_hWnd, GW_CHILD);
    while (hNext != NULL) {
        const HWND h = hNext;
        CWnd* pWnd = h != m_hWnd ? CWnd::FromHandlePermanent(h) : nullptr;
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) && !static_cast<CControlBar*>(pWnd)->IsDockBar() &&
            !pWnd->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) && (pWnd->GetStyle() & WS_VISIBLE))
            return false;
        hNext = h != m_hWnd ? ::GetWindow(h, GW_CHILD) : NULL;
        for (HWND hUp = h; hNext == NULL && hUp != pFrame->m_hWnd; hUp = ::GetParent(hUp))
            hNext = ::GetWindow(hUp, GW_HWNDNEXT);
    }
    return true;
}

bool CUiControlBar::CanDockNow(CUiControlBar*)
{
    return !IsMarkerDockingMode() || GetDragDockMode() == 1;
}

CUiDynTabControlBar* CUiControlBar::GetTabContainerBar()
{
    if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd))
        return nullptr;
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar)))
        return nullptr;
    CWnd* pGroup = pParent->GetParent();
    return pGroup != nullptr && pGroup->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)) ? static_cast<CUiDynTabControlBar*>(pGroup)
                                                                                   : nullptr;
}

UINT CUiControlBar::GetDockBarLevel() const
{
    return static_cast<CUiDockBar*>(m_pDockBar)->m_nLevel;
}

bool CUiControlBar::IsPlainContainer() const
{
    return IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) && !IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar));
}

bool CUiControlBar::IsInTabbedGroup() const
{
    return m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar));
}

CUiMiniDockFrameWnd* CUiControlBar::CreateFloatingFrame(DWORD dwStyle)
{
    CUiMiniDockFrameWnd* pFrame = new CUiMiniDockFrameWnd;
    // A frame that cannot be made has deleted itself.
    if (!pFrame->Create(m_pDockSite, dwStyle))
        return nullptr;
    return pFrame;
}

void CUiControlBar::NoteOrientationOfNewSide(UINT nSide)
{
    CDockBar* pDock = m_pDockBar;
    while (pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        CWnd* pHolder = pDock->GetParent();
        pDock = pHolder != nullptr && pHolder->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pHolder)->m_pDockBar
                                                                                  : nullptr;
    }
    // A bar from a floating frame, or never docked, keeps what it remembers.
    bool bNew = false;
    if (pDock != nullptr && !pDock->m_bFloating && (pDock->m_dwStyle & CBRS_ALIGN_ANY)) {
        const bool bWasAcross = (pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        bNew = bWasAcross != IsTopOrBottomSide(nSide);
    }
    SetNewToOrientation(bNew);
}

bool CUiControlBar::DockAtFrameSide(UINT nDockBarId, bool bInner, CFrameWnd* pFrame, bool bRecalc)
{
    CFrameWnd* pTarget = pFrame != nullptr ? pFrame : m_pDockSite;
    if (pTarget == nullptr)
        return false;
    NoteOrientationOfNewSide(nDockBarId);
    // A frame still holding a shown bar stays: hidden, it would never lay itself out again.
    if (IsLastShownInFloatingFrame())
        GetParentFrame()->ShowWindow(SW_HIDE);
    CUiDockBar::InsertRingAtLevel(pTarget, 1);
    const UINT nLevel = bInner ? CUiDockBar::AppendRing(pTarget) : 1;
    return InsertIntoFrameDockBar(nDockBarId, nLevel, pTarget, bRecalc);
}

bool CUiControlBar::InsertIntoFrameDockBar(UINT nDockBarId, UINT nLevel, CFrameWnd* pFrame, bool bRecalc)
{
    CFrameWnd* pTarget = pFrame != nullptr ? pFrame : m_pDockSite;
    if (pTarget == nullptr)
        return false;
    CControlBar* pDockBar = pTarget->GetControlBar(nDockBarId);
    if (pDockBar == nullptr || !pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return false;
    CUiDockBar* pUiDockBar = static_cast<CUiDockBar*>(pDockBar);
    if (nLevel != 0)
        pUiDockBar = pUiDockBar->GetRingDockBar(nLevel);
    if (pUiDockBar == nullptr)
        return false;
    pUiDockBar->DockBarAtEdge(this, true);
    if (bRecalc)
        pTarget->RecalcLayout(TRUE);
    return true;
}

bool CUiControlBar::DockBarBeside(CUiControlBar* pBar, UINT nSide, int nPercent)
{
    CDockBar* pOuter = m_pDockBar;
    if (pBar == nullptr || pOuter == nullptr || pOuter->GetSafeHwnd() == NULL)
        return false;
    CRect rcThis = PlaceToShareWith(pBar), rcBar;
    const CPoint ptOrigin = rcThis.TopLeft();
    CRect rcOld = rcThis;
    pOuter->ScreenToClient(&rcOld);
    rcBar = SplitForJoining(rcThis, nSide, nPercent);
    const UINT nContainerId = IsTopOrBottomSide(nSide) ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;

    CUiDynControlBar* pContainer = new CUiDynControlBar;
    pContainer->m_sizeHorz = SizeOr(m_sizeHorz, rcOld.Size());
    pContainer->m_sizeVert = SizeOr(m_sizeVert, rcOld.Size());
    const DWORD dwStyle =
        ((GetStyle() | (pBar->GetStyle() & WS_VISIBLE) | (m_dwStyle & CBRS_ALIGN_ANY)) & ~(CBRS_GRIPPER | CBRS_FLOATING)) | 0xF10;
    // A container that cannot be made has deleted itself; nothing has changed yet.
    if (!pContainer->Create(NULL, m_pDockSite, nContainerId, dwStyle))
        return false;
    CUiDockDynBar* pInner = pContainer->m_pInnerDockBar;
    CDockBar* pOldOfBar = pBar->m_pDockBar;
    const HWND hOldOfBar = pOldOfBar != nullptr ? pOldOfBar->m_hWnd : NULL;
    GiveOwnPlaceTo(pContainer, pBar);
    pBar->m_pDockBar = pInner;
    pBar->SetParent(pInner);

    if (pOldOfBar != nullptr && pOldOfBar->GetSafeHwnd() != NULL) {
        if (pOldOfBar->m_bFloating || !pOldOfBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            pOldOfBar->RemoveControlBar(pBar, -1, FALSE);
        else
            static_cast<CUiDockBar*>(pOldOfBar)->RemoveControlBarEx(pBar, -1, 0, false);
    }

    const bool bBarFirst = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    pInner->m_arrBars.Add(bBarFirst ? static_cast<CUiControlBar*>(pBar) : this);
    pInner->m_arrBars.Add(bBarFirst ? this : static_cast<CUiControlBar*>(pBar));
    pInner->m_arrBars.Add(nullptr);

    // Only the sizes for where the two now lie: those of the other orientation stay what the
    // bars had on a side of it, for when they go back to one.
    PlaceSize() = rcThis.Size();
    pBar->PlaceSize() = rcBar.Size();
    pContainer->m_sizeFloat = rcOld.Size();

    rcThis.OffsetRect(-ptOrigin.x, -ptOrigin.y);
    rcBar.OffsetRect(-ptOrigin.x, -ptOrigin.y);
    MoveWindow(&rcThis, FALSE);
    pBar->MoveWindow(&rcBar, FALSE);
    pContainer->MoveWindow(&rcOld, FALSE);

    MarkMoving({this, pContainer, pBar}, false);
    pBar->ShowHoldersOfShownBar();
    // The container the bar came from may hold one bar now: it gives that bar its place, as
    // when the bar leaves for a group; kept, it would stand around that bar with borders of
    // its own until a load dissolved it.
    if (pOldOfBar != nullptr && pOldOfBar != pInner && pOldOfBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)) &&
        ::IsWindow(hOldOfBar) && CWnd::FromHandlePermanent(hOldOfBar) == pOldOfBar)
        static_cast<CUiDockDynBar*>(pOldOfBar)->RefreshBarsState();
    if (m_pDockSite != nullptr)
        CUiDockBar::OptimizeRings(m_pDockSite);

    if (CFrameWnd* pParentFrame = pContainer->GetParentFrame()) {
        pParentFrame->RecalcLayout(TRUE);
        pContainer->RepositionChildWindow(-1, -1, TRUE);
        pContainer->CreateNcAreaButtons();
        pContainer->LayoutNcAreaButtons();
        if (pContainer->m_pInnerDockBar != nullptr)
            pContainer->m_pInnerDockBar->RecalcLayoutNow();
    }
    return true;
}

bool CUiControlBar::DockIntoTabbedGroup(CUiControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc)
{
    if (pBar == nullptr || pBar == this || !CanDockNow(pBar) || !pBar->CanDockNow(this) || IsFixedSizeBar() ||
        IsFixedSizeForDrag() || pBar->IsFixedSizeBar() || pBar->IsFixedSizeForDrag())
        return false;
    CFrameWnd* pSite = pFrame != nullptr ? pFrame : m_pDockSite;
    CFrameWnd* pOldFrameOfBar = pBar->GetSafeHwnd() != NULL ? pBar->GetParentFrame() : nullptr;
    const HWND hOldFrameOfBar = pOldFrameOfBar != nullptr ? pOldFrameOfBar->m_hWnd : NULL;

    if (!IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))) {
        if (CUiDynTabControlBar* pGroup = GetTabContainerBar())
            return pGroup->DockIntoTabbedGroup(pBar, nIndex, pFrame, bRecalc);
        CDockBar* pOuter = m_pDockBar;
        if (pSite == nullptr || pOuter == nullptr || pOuter->GetSafeHwnd() == NULL)
            return false;
        CUiDynTabControlBar* pGroup = nullptr;
        pSite->SendMessage(g_nMsgCreateTabbedBar, (WPARAM)&pGroup, 0);
        if (pGroup == nullptr)
            pGroup = new CUiDynTabControlBar;
        const DWORD dwStyle =
            ((GetStyle() | (pBar->GetStyle() & WS_VISIBLE)) & ~CBRS_FLOATING) | (m_dwStyle & CBRS_ALIGN_ANY) | 0x400F10;
        // A group that cannot be made has deleted itself; nothing has changed yet.
        if (!pGroup->Create(NULL, m_pDockSite, GetDockBarId(), dwStyle))
            return false;
        CUiDockDynTabBar* pInner = pGroup->GetTabDockBar();
        CDockBar* pOldOfBar = pBar->m_pDockBar;
        const HWND hOldOfBar = pOldOfBar != nullptr ? pOldOfBar->m_hWnd : NULL;
        const bool bOldIsUiDock = pOldOfBar != nullptr && pOldOfBar->IsKindOf(RUNTIME_CLASS(CUiDockBar));
        const CRect rcThis = PlaceToShareWith(pBar);

        GiveOwnPlaceTo(pGroup, pBar);
        pInner->m_arrBars.Add(this);
        pInner->m_arrBars.Add(nullptr);
        pGroup->m_sizeHorz = SizeOr(m_sizeHorz, rcThis.Size());
        pGroup->m_sizeVert = SizeOr(m_sizeVert, rcThis.Size());
        pGroup->m_sizeFloat = SizeOr(m_sizeFloat, rcThis.Size());
        MoveWindow(0, 0, rcThis.Width(), rcThis.Height(), FALSE);
        pGroup->m_wndTabs.AddBarTab(this, -1, false, false);
        pGroup->AddBarAsTab(pBar, -1, false);
        MarkMoving({this, pGroup, pBar}, false);
        if (bOldIsUiDock && ::IsWindow(hOldOfBar) && CWnd::FromHandlePermanent(hOldOfBar) == pOldOfBar)
            static_cast<CUiDockBar*>(pOldOfBar)->RefreshBarsState();
        if (m_pDockSite != nullptr) {
            CUiDockBar::RemovePlaceHolderInFrame(m_pDockSite, this);
            CUiDockBar::RemovePlaceHolderInFrame(m_pDockSite, pBar);
            CUiDockBar::OptimizeRings(m_pDockSite);
        }
        pInner->LayoutTabBars(true);
        int nSelect = pGroup->m_wndTabs.ItemFindByStyle(0, CUiTabItemInfo::kHidden);
        pGroup->m_wndTabs.SelectionSet(nSelect >= 0 ? nSelect : 0, true, true);
        pGroup->RepositionChildWindow(-1, -1, FALSE);
        ShowWithAShownBar(pGroup);

        CFrameWnd* pGroupFrame = pGroup->GetParentFrame();
        if (pGroupFrame != nullptr) {
            const bool bMini = pGroupFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
            if (!bMini && !bRecalc)
                return true;
            pGroup->CreateNcAreaButtons();
            pGroup->LayoutNcAreaButtons();
            if (pGroupFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
                pGroupFrame->RecalcLayout(TRUE);
            else
                pGroupFrame->m_nIdleFlags |= 12;
            if (bMini && m_pDockSite != nullptr) {
                if (m_pDockSite->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
                    m_pDockSite->RecalcLayout(TRUE);
                else
                    m_pDockSite->m_nIdleFlags |= 12;
            }
        }
        if (bRecalc && ::IsWindow(hOldFrameOfBar) && pOldFrameOfBar != pGroupFrame)
            pOldFrameOfBar->RecalcLayout(TRUE);
        return true;
    }

    CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(this);
    m_bTrackFlags |= kNoChildMove;
    pBar->m_bTrackFlags |= kNoChildMove;
    if (pBar->m_pDockBar != nullptr && pOldFrameOfBar != nullptr)
        pOldFrameOfBar->m_nIdleFlags |= 12;
    const bool bBarIsGroup = pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar));
    const HWND hBar = pBar->m_hWnd;
    pGroup->AddBarAsTab(pBar, nIndex, false);
    CUiDynTabWnd& tabs = pGroup->m_wndTabs;
    const int n = nIndex < 0 ? tabs.ItemGetCount() - 1 : nIndex;
    int nSelect = -1;
    for (int i = 0, nSeen = 0; i < tabs.ItemGetCount(); ++i) {
        if (!tabs.ItemGetInfo(i)->IsVisible())
            continue;
        if (nSeen++ == n) {
            nSelect = i;
            break;
        }
    }
    if (nSelect < 0)
        nSelect = std::min(n, tabs.ItemGetCount() - 1);
    // Short of shown tabs that index may name a hidden bar's tab: the joining bar's own is
    // selected instead, or the first shown one.
    if (nSelect >= 0 && !tabs.ItemGetInfo(nSelect)->IsVisible()) {
        const int nOwn = ::IsWindow(hBar) ? tabs.ItemFindByLParam((LPARAM)pBar) : -1;
        const int nFirstShown = tabs.ItemFindByStyle(0, CUiTabItemInfo::kHidden);
        if (nOwn >= 0 && tabs.ItemGetInfo(nOwn)->IsVisible())
            nSelect = nOwn;
        else if (nFirstShown >= 0)
            nSelect = nFirstShown;
    }
    tabs.SelectionSet(nSelect, true, true);
    RepositionChildWindow(-1, -1, FALSE);
    // A group docked into this one has spread its bars over tabs and may be gone.
    if (!bBarIsGroup && ::IsWindow(hBar))
        pBar->RepositionChildWindow(-1, -1, FALSE);
    m_bTrackFlags &= ~kNoChildMove;
    if (::IsWindow(hBar))
        pBar->m_bTrackFlags &= ~kNoChildMove;
    ShowWithAShownBar(pGroup);
    // The frame lays the group out only now: a size it gives the group must reach the strip
    // and the bars, which a group still marked as moving would not pass on.
    if (CFrameWnd* pGroupFrame = GetParentFrame()) {
        if (bRecalc)
            pGroupFrame->RecalcLayout(TRUE);
        else
            pGroupFrame->m_nIdleFlags |= 12;
    }
    if (bRecalc) {
        if (m_pDockSite != nullptr)
            CUiDockBar::OptimizeRings(m_pDockSite);
        if (::IsWindow(hOldFrameOfBar))
            pOldFrameOfBar->RecalcLayout(TRUE);
    }
    return true;
}
