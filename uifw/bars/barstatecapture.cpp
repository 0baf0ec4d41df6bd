// Turning a live frame into the records of its saved layout.
//
// The frame's bar list is walked once: floating containers and the inner rings' dock bars
// give the tree of bar records; the class library's dock state and the outer items describe
// everything else (fixed-size bars, bars on the outer ring, bars floating alone). Containers
// are taken apart recursively, their children in their dock bar's order.
#include "barstaterecords.h"

#include "afxext.h"
#include "dockbar.h"
#include "dynbar.h"
#include "dyntabbar.h"
#include "tabwnd.h"

namespace {
const UINT kSideIds[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

bool IsMiniFrame(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
}

UINT RingLevelOf(CDockBar* pDockBar)
{
    return pDockBar != nullptr && pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pDockBar)->m_nLevel
                                                                               : 0;
}

// Calls fn(bar, new row) for each bar of the dock bar's rows, from entry 1 on.
template <class Fn> void ForEachRowBar(CDockBar* pDockBar, Fn fn)
{
    bool bNewRow = false;
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); i++) {
        void* p = pDockBar->m_arrBars[i];
        if (p == nullptr) {
            bNewRow = true;
            continue;
        }
        if (!IsBarEntry(p) || !static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        fn(static_cast<CUiControlBar*>(p), bNewRow);
        bNewRow = false;
    }
}
}

void CUiControlBar::InternalDockStateSite::CaptureState()
{
    Clear();
    CUiDockBar::OptimizeRings(m_pFrame);
    m_pFrame->GetWindowPlacement(&m_wp);

    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == NULL)
            continue;
        if (pBar->IsFloating() && !pBar->IsDockBar() && pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            CaptureFloatingContainer(pBar->GetParentFrame());
        else if (!pBar->IsFloating() && pBar->IsDockBar() && pBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)) &&
                 !IsMiniFrame(pBar->GetParentFrame()) && RingLevelOf(static_cast<CDockBar*>(pBar)) != 0)
            CaptureRingDockBar(static_cast<CDockBar*>(pBar));
    }

    for (UINT nID : kSideIds) {
        CControlBar* pSide = m_pFrame->GetControlBar(nID);
        CWnd* pArea = pSide != nullptr && pSide->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pSide)->GetAutoHideArea()
                                                                                   : nullptr;
        if (pArea == nullptr || !pArea->IsKindOf(RUNTIME_CLASS(CUiTabWnd)))
            break;
        CUiTabWnd* pTabs = static_cast<CUiTabWnd*>(pArea);
        for (int i = 0; i < pTabs->ItemGetCount(); i++) {
            CUiTabItemInfo* pItem = pTabs->ItemGetInfo(i);
            if ((pItem->m_dwFlags & CUiTabItemInfo::kGroupActive) && pItem->m_lParam != 0)
                m_arrAutoHideIds.Add((DWORD)reinterpret_cast<CWnd*>(pItem->m_lParam)->GetDlgCtrlID());
        }
    }

    FrameBarInfoCapture(m_pFrame, *m_pDockState, m_arrOuterItems);
}

void CUiControlBar::InternalDockStateSite::CaptureFloatingContainer(CFrameWnd* pFloatingFrame)
{
    CWnd* pDockBar = pFloatingFrame != nullptr ? pFloatingFrame->GetWindow(GW_CHILD) : nullptr;
    CWnd* pContainer = pDockBar != nullptr ? pDockBar->GetWindow(GW_CHILD) : nullptr;
    if (pContainer == nullptr || !pContainer->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
        return;
    InternalDockStateBar* pRecord = new InternalDockStateBar;
    pRecord->CaptureState(static_cast<CUiControlBar*>(pContainer), nullptr);
    m_arrBars.Add(pRecord);
}

void CUiControlBar::InternalDockStateSite::CaptureRingDockBar(CDockBar* pDockBar)
{
    ForEachRowBar(pDockBar, [&](CUiControlBar* pBar, bool bNewRow) {
        InternalDockStateBar* pRecord = new InternalDockStateBar;
        pRecord->CaptureState(pBar, nullptr);
        if (bNewRow)
            pRecord->m_dwFlags |= InternalDockStateBar::kNewRow;
        m_arrBars.Add(pRecord);
    });
}

// ---------------------------------------------------------------------------------------

void CUiControlBar::InternalDockStateBar::CaptureState(CUiControlBar* pBar, InternalDockStateBar* pParent)
{
    Clear();
    m_nBarId = (UINT)pBar->GetDlgCtrlID();
    m_nDockBarId = pBar->m_pDockBar != nullptr ? (UINT)pBar->m_pDockBar->GetDlgCtrlID() : AFX_IDW_DOCKBAR_FLOAT;
    m_nRingLevel = pBar->IsBarFloating() ? 0 : (int)RingLevelOf(pBar->m_pDockBar);
    if (pBar->IsVisible())
        m_dwFlags |= kVisible;
    if (pBar->IsAutoHidden()) {
        if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar))) {
            if (pParent != nullptr)
                pParent->m_dwFlags |= kAutoHidden;
        } else if (!pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))) {
            m_dwFlags |= kAutoHidden;
        }
    }
    m_nMRUWidth = pBar->m_nMRUWidth;
    m_ptLastFloat = pBar->m_ptSavedLayout;
    m_sizeHorz = pBar->m_sizeHorz;
    m_sizeVert = pBar->m_sizeVert;
    m_sizeFloat = pBar->m_sizeFloat;
    m_dwBarValue = (DWORD)pBar->m_nReclaimExtent;
    if (CDockContext* pContext = pBar->m_pDockContext) {
        m_rcMRUDock = pContext->m_rectMRUDockPos;
        m_dwMRUFloatStyle = pContext->m_dwMRUFloatStyle;
        m_ptMRUFloat = pContext->m_ptMRUFloatPos;
    }
    m_dwStyle = pBar->GetBarStyle();
    pBar->GetWindowRect(&m_rcDock);
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->GetSafeHwnd() != NULL)
        pBar->m_pDockBar->ScreenToClient(&m_rcDock);

    if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))) {
        m_dwFlags |= kKindTabbed;
        CaptureChildren(pBar);
        CaptureFloatingFrame(pBar);
    } else if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar))) {
        m_dwFlags |= kKindContainer;
        CaptureChildren(pBar);
        CaptureFloatingFrame(pBar);
    } else {
        m_dwFlags |= kKindBar;
    }
}

// A tabbed group's children are its tabs' bars in tab order; a container's keep their rows.
void CUiControlBar::InternalDockStateBar::CaptureChildren(CUiControlBar* pBar)
{
    if (GetKind() == kKindTabbed) {
        CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(pBar);
        CUiControlBar* pSelected = (pGroup->GetStyle() & WS_VISIBLE) ? pGroup->GetSelectedBar() : nullptr;
        CUiDynTabWnd& tabs = pGroup->m_wndTabs;
        const int nCount = tabs.GetSafeHwnd() != NULL ? tabs.ItemGetCount() : 0;
        for (int i = 0; i < nCount; i++) {
            CUiControlBar* pChild = tabs.GetItemBar(i, true);
            if (pChild == nullptr)
                continue;
            InternalDockStateBar* pRecord = new InternalDockStateBar;
            pRecord->CaptureState(pChild, this);
            pRecord->m_dwFlags |= kChild | kTab | (pChild == pSelected ? (DWORD)kSelectedTab : 0u);
            m_arrChildren.Add(pRecord);
        }
        return;
    }
    CWnd* pInner = pBar->GetWindow(GW_CHILD);
    if (pInner == nullptr || !pInner->IsKindOf(RUNTIME_CLASS(CDockBar)))
        return;
    ForEachRowBar(static_cast<CDockBar*>(pInner), [&](CUiControlBar* pChild, bool bNewRow) {
        InternalDockStateBar* pRecord = new InternalDockStateBar;
        pRecord->CaptureState(pChild, this);
        pRecord->m_dwFlags |= kChild | (bNewRow ? (DWORD)kNewRow : 0u);
        m_arrChildren.Add(pRecord);
    });
}

void CUiControlBar::InternalDockStateBar::CaptureFloatingFrame(CUiControlBar* pBar)
{
    if (!pBar->IsFloating())
        return;
    CFrameWnd* pFloatingFrame = pBar->GetParentFrame();
    if (pFloatingFrame == nullptr)
        return;
    m_dwFlags |= kFloating;
    pFloatingFrame->GetWindowRect(&m_rcFloatFrame);
    m_dwFloatFrameStyle = pFloatingFrame->GetStyle();
}

// ---------------------------------------------------------------------------------------

void FrameBarInfoCapture(CFrameWnd* pFrame, CDockState& state,
                         CArray<CUiControlBar::OuterItemData_t, CUiControlBar::OuterItemData_t&>& items)
{
    state.Clear();
    items.RemoveAll();
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == NULL || pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) ||
            pBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
            continue;
        if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
            continue;
        if (pBar->IsDockBar() && pBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT) {
            CWnd* pFirst = pBar->GetWindow(GW_CHILD);
            if (pFirst != nullptr && pFirst->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
                continue;
        }
        if (pBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)) && static_cast<CUiDockBar*>(pBar)->m_nLevel != 0)
            continue;
        CSize sizeGrowth(0, 0);
        if (pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar))) {
            CUiControlBar* pUiBar = static_cast<CUiControlBar*>(pBar);
            const bool bFixed = pUiBar->IsFixedSizeBar();
            if (!bFixed && !pUiBar->IsFloating() && (pBar->m_pDockBar == nullptr || RingLevelOf(pBar->m_pDockBar) > 0))
                continue;
            CUiControlBar::OuterItemData_t item;
            item.m_nBarId = (DWORD)pBar->GetDlgCtrlID();
            item.m_ptPos = pUiBar->m_ptSavedLayout;
            item.m_sizeHorz = pUiBar->m_sizeHorz;
            item.m_sizeVert = pUiBar->m_sizeVert;
            item.m_sizeFloat = pUiBar->m_sizeFloat;
            if (BarPlacementRecord* pRecord = pUiBar->GetPlacementRecord())
                item.m_record = *pRecord;
            if (pUiBar->IsFloating()) {
                CRect rcFrame, rcBar;
                pUiBar->GetParentFrame()->GetWindowRect(&rcFrame);
                item.m_ptPos = rcFrame.TopLeft();
                item.m_bFlags |= CUiControlBar::OuterItemData_t::kFloating;
                if (bFixed) {
                    pUiBar->GetWindowRect(&rcBar);
                    sizeGrowth = CSize(rcFrame.Width() - rcBar.Width(), rcFrame.Height() - rcBar.Height());
                    item.m_sizeFloat += sizeGrowth;
                }
            }
            items.Add(item);
            if (sizeGrowth.cx > 0 && sizeGrowth.cy > 0)
                sizeGrowth = item.m_sizeFloat;
            else
                sizeGrowth = CSize(0, 0);
        }
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        if (pInfo->m_pBar == nullptr) {
            delete pInfo;
            continue;
        }
        if (sizeGrowth.cx > 0 && sizeGrowth.cy > 0)
            pInfo->m_nMRUWidth = sizeGrowth.cx;
        state.m_arrBarInfo.Add(pInfo);
    }
}
