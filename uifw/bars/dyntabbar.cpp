#include "dyntabbar.h"

#include "paintdraw.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiDockDynTabBar, CUiDockDynBar)
IMPLEMENT_DYNCREATE(CUiDynTabControlBar, CUiDynControlBar)

BEGIN_MESSAGE_MAP(CUiDynTabControlBar, CUiDynControlBar)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

// ---- The inner dock bar of a group.

CUiDockDynTabBar::CUiDockDynTabBar(UINT nLevel) : CUiDockDynBar(nLevel)
{
}

CUiDockDynTabBar::~CUiDockDynTabBar()
{
}

CUiDynTabControlBar* CUiDockDynTabBar::GetGroup() const
{
    CWnd* pParent = GetSafeHwnd() != NULL ? GetParent() : nullptr;
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)) ? static_cast<CUiDynTabControlBar*>(pParent)
                                                                                     : nullptr;
}

BOOL CUiDockDynTabBar::PreTranslateMessage(MSG* pMsg)
{
    CUiDynTabControlBar* pGroup = GetGroup();
    if (pGroup != nullptr && pGroup->PreTranslateMessage(pMsg))
        return TRUE;
    return CUiDockDynBar::PreTranslateMessage(pMsg);
}

LRESULT CUiDockDynTabBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // The tabs under the selected one cannot be seen, yet exposing the group (the frame shown
    // at start, a window moved off it) leaves each of them and all their children to paint.
    // The group paints before its tabs, and raising a tab exposes it anew.
    if (nMsg == WM_PAINT) {
        for (HWND hBar = ::GetWindow(m_hWnd, GW_CHILD); hBar != NULL; hBar = ::GetWindow(hBar, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(hBar) || !::GetUpdateRect(hBar, NULL, FALSE))
                continue;
            HDC hDC = ::GetDCEx(hBar, NULL, DCX_CACHE | DCX_CLIPSIBLINGS);
            RECT rcClip;
            const bool bCovered = hDC != NULL && ::GetClipBox(hDC, &rcClip) == NULLREGION;
            if (hDC != NULL)
                ::ReleaseDC(hBar, hDC);
            if (bCovered)
                ::RedrawWindow(hBar, NULL, NULL, RDW_VALIDATE | RDW_NOERASE | RDW_NOFRAME | RDW_ALLCHILDREN);
        }
    }
    return CUiDockDynBar::WindowProc(nMsg, wParam, lParam);
}

CSize CUiDockDynTabBar::LayoutTabBars(bool bMark)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CUiDockDynBar::CollectVisibleItems(arr);
    if (arr.GetSize() == 0)
        return rcWindow.Size();
    CRect rcClient;
    GetClientRect(&rcClient);
    HDWP hDWP = ::BeginDeferWindowPos((int)arr.GetSize());
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (bMark)
            arr[i]->m_bTrackFlags |= CUiControlBar::kNoChildMove;
        if (hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, arr[i]->m_hWnd, NULL, rcClient.left, rcClient.top, rcClient.Width(),
                                    rcClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    if (bMark) {
        for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
            arr[i]->m_bTrackFlags &= ~CUiControlBar::kNoChildMove;
            arr[i]->RepositionChildWindow(-1, -1, TRUE);
        }
    }
    return rcWindow.Size();
}

CSize CUiDockDynTabBar::CalcFixedLayout(BOOL, BOOL)
{
    return LayoutTabBars(false);
}

void CUiDockDynTabBar::RecalcLayoutNow()
{
    if (IsLocked())
        return;
    CUiDockDynBar::RecalcLayoutNow();
    SyncBarsWithContainer(true, false);
}

void CUiDockDynTabBar::RefreshBarsState()
{
    if (IsLocked())
        return;
    // Dissolving destroys this dock bar: what follows runs only while its window lives.
    const HWND hWnd = m_hWnd;
    DissolveIfSingle();
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        SyncBarsWithContainer(false, true);
}

void CUiDockDynTabBar::CollectVisibleItems(CArray<CUiControlBar*, CUiControlBar*>& arr)
{
    CUiDynTabControlBar* pGroup = GetGroup();
    if (pGroup == nullptr || pGroup->m_wndTabs.GetSafeHwnd() == NULL)
        return;
    for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i) {
        if (CUiControlBar* pBar = pGroup->m_wndTabs.GetItemBar(i, true))
            arr.Add(pBar);
    }
}

void CUiDockDynTabBar::SyncBarsWithContainer(bool bCopySizes, bool bSelect)
{
    CUiDynTabControlBar* pGroup = GetGroup();
    if (pGroup == nullptr)
        return;
    if (bCopySizes) {
        CArray<CUiControlBar*, CUiControlBar*> arr;
        CUiDockDynBar::CollectVisibleItems(arr);
        for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
            arr[i]->m_sizeHorz = pGroup->m_sizeHorz;
            arr[i]->m_sizeVert = pGroup->m_sizeVert;
            arr[i]->m_sizeFloat = pGroup->m_sizeFloat;
        }
    }
    if (bSelect)
        pGroup->SelectTopBarIfNone();
}

// ---- The group bar.

CUiDynTabControlBar::CUiDynTabControlBar()
{
}

CUiDynTabControlBar::~CUiDynTabControlBar()
{
}

CUiDockDynBar* CUiDynTabControlBar::CreateInnerDockBar()
{
    return new CUiDockDynTabBar(0);
}

CUiDockDynTabBar* CUiDynTabControlBar::GetTabDockBar() const
{
    return m_pInnerDockBar != nullptr && m_pInnerDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar))
               ? static_cast<CUiDockDynTabBar*>(m_pInnerDockBar)
               : nullptr;
}

CUiDynTabControlBar* CUiDynTabControlBar::GetTabContainerBar()
{
    return this;
}

int CUiDynTabControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
        SetDlgCtrlID(AFX_IDW_DOCKBAR_TOP);
    if (CUiDynControlBar::OnCreate(lpcs) == -1)
        return -1;
    CRect rc;
    GetClientRect(&rc);
    if (rc.Width() <= 10)
        rc.right = rc.left + 10;
    rc.top = rc.bottom - 14;
    if (!m_wndTabs.Create(this, rc, (UINT)-1, WS_CHILD | WS_VISIBLE, 5))
        return -1;
    return 0;
}

BOOL CUiDynTabControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTabs.GetSafeHwnd() != NULL && m_wndTabs.PreTranslateMessage(pMsg))
        return TRUE;
    return CUiDynControlBar::PreTranslateMessage(pMsg);
}

bool CUiDynTabControlBar::QueryGripperLayout(bool& bCaptionAcross, bool& bCaptionLeft)
{
    bCaptionAcross = bCaptionLeft = false;
    if (GetSafeHwnd() == NULL || IsAloneInFloatingFrame())
        return false;
    bCaptionAcross = true;
    return true;
}

void CUiDynTabControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (IsBarFloating()) {
        ::InflateRect(&lpncsp->rgrc[0], -1, -1);
        return;
    }
    CUiDynControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

int CUiDynTabControlBar::CalcTabStripHeight()
{
    CRect rc;
    GetClientRect(&rc);
    // The strip is as high as its tabs, however little room the group has: its height counts
    // in the group's least size, which must not shrink with the group.
    rc.right = rc.left + std::max(rc.Width(), 100);
    rc.bottom = rc.top + std::max(rc.Height(), 1000);
    m_wndTabs.RecalcTabLayoutIn(rc, nullptr);
    int nHeight = m_wndTabs.GetItemsArea().Height();
    if (m_wndTabs.GetItemsArea().IsRectEmpty()) {
        CRect rcStrip;
        m_wndTabs.GetWindowRect(&rcStrip);
        nHeight = rcStrip.Height();
    }
    m_wndTabs.UpdateLayout(false);
    return nHeight + 6;
}

void CUiDynTabControlBar::RepositionChildWindow(int cx, int cy, BOOL bRecalc)
{
    CUiDockDynTabBar* pInner = GetTabDockBar();
    if (m_wndTabs.GetSafeHwnd() == NULL || pInner == nullptr || pInner->GetSafeHwnd() == NULL)
        return;
    CRect rc(0, 0, cx, cy);
    if (cx < 0 || cy < 0)
        GetClientRect(&rc);
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)) && pParent->GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
        rc.DeflateRect(1, 1);
    const int nHeight = CalcTabStripHeight();
    m_wndTabs.SetWindowPos(NULL, rc.left, rc.bottom - nHeight - 1, rc.Width(), nHeight + 1,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (m_wndTabs.ItemGetVisibleCount() >= 2) {
        m_wndTabs.ShowWindow(SW_SHOW);
        rc.bottom -= nHeight + 1;
    } else {
        m_wndTabs.ShowWindow(SW_HIDE);
    }
    pInner->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    pInner->LayoutTabBars(true);
    m_wndTabs.UpdateLayout(false);
    m_wndTabs.Invalidate();
    if (bRecalc)
        pInner->RecalcLayoutNow();
}

// The group's own frame and caption, its strip while it shows, and the largest least size of
// its shown bars: a group at its least size still shows the selected bar.
CSize CUiDynTabControlBar::CalcInnerSize() const
{
    CSize size(CUiControlBar::GetMinExtentHorz(), CUiControlBar::GetMinExtentVert());
    if (m_pInnerDockBar == nullptr || m_pInnerDockBar->GetSafeHwnd() == NULL)
        return size;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    m_pInnerDockBar->CollectVisibleItems(arr);
    CSize sizeBars(0, 0);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (!arr[i]->IsVisible())
            continue;
        sizeBars.cx = std::max(sizeBars.cx, (LONG)arr[i]->GetMinExtentHorz());
        sizeBars.cy = std::max(sizeBars.cy, (LONG)arr[i]->GetMinExtentVert());
    }
    if (m_wndTabs.GetSafeHwnd() != NULL && m_wndTabs.ItemGetVisibleCount() >= 2) {
        CRect rcStrip;
        m_wndTabs.GetWindowRect(&rcStrip);
        sizeBars.cy += rcStrip.Height();
    }
    return size + sizeBars;
}

CUiControlBar* CUiDynTabControlBar::GetSelectedBar() const
{
    return m_wndTabs.GetSafeHwnd() != NULL ? m_wndTabs.GetItemBar(m_wndTabs.SelectionGet(), true) : nullptr;
}

void CUiDynTabControlBar::GetCaptionText(int nKind, CString& strText)
{
    strText.Empty();
    CUiControlBar* pBar = GetSelectedBar();
    if (pBar == nullptr && m_wndTabs.GetSafeHwnd() != NULL && m_wndTabs.ItemGetCount() > 0 && m_pInnerDockBar != nullptr) {
        CWnd* pFirst = m_pInnerDockBar->GetWindow(GW_CHILD);
        CWnd* pPerm = pFirst != nullptr ? CWnd::FromHandlePermanent(pFirst->m_hWnd) : nullptr;
        if (pPerm != nullptr && pPerm->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            pBar = static_cast<CUiControlBar*>(pPerm);
    }
    if (pBar != nullptr)
        pBar->GetCaptionText(nKind == 0 ? 2 : nKind == 1 ? 3 : nKind, strText);
}

void CUiDynTabControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    CUiControlBar* pBar = GetSelectedBar();
    if (pBar != nullptr && pBar->IsWindowVisible())
        pBar->SetFocus();
}

void CUiDynTabControlBar::SelectTopBarIfNone()
{
    if (m_wndTabs.GetSafeHwnd() == NULL || m_wndTabs.ItemGetCount() < 2 || m_wndTabs.SelectionGet() >= 0 ||
        m_pInnerDockBar == nullptr)
        return;
    CWnd* pTop = m_pInnerDockBar->GetWindow(GW_CHILD);
    if (pTop == nullptr)
        return;
    const int nIndex = m_wndTabs.ItemFindByLParam((LPARAM)CWnd::FromHandlePermanent(pTop->m_hWnd));
    if (nIndex < 0)
        return;
    m_wndTabs.SelectionSet(nIndex, true, true);
    pTop->SetFocus();
}

// ---- Tabs in and out.

void CUiDynTabControlBar::DockBarIntoGroup(CUiControlBar* pBar, int& nIndex)
{
    CDockBar* pHolder = m_pDockBar;
    CUiDockBar* pLocked = nullptr;
    if (pHolder != nullptr && pHolder->IsKindOf(RUNTIME_CLASS(CUiDockBar)) && !static_cast<CUiDockBar*>(pHolder)->IsLocked()) {
        pLocked = static_cast<CUiDockBar*>(pHolder);
        pLocked->CUiDockBar::SetLayoutLock(true);
    }
    CUiDockDynTabBar* pInner = GetTabDockBar();
    if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar))) {
        CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(pBar);
        CUiDockDynBar* pTheirs = pContainer->m_pInnerDockBar;
        if (pTheirs != nullptr) {
            pTheirs->RemoveAllPlaceHolders(true);
            CArray<CUiControlBar*, CUiControlBar*> arr;
            pTheirs->CollectVisibleItems(arr);
            for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
                CDockBar* pDock = arr[i]->m_pDockBar;
                CUiDockBar* pOwn = pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pDock)
                                                                                                 : nullptr;
                const HWND hOwn = pOwn != nullptr ? pOwn->m_hWnd : NULL;
                const bool bOwnLocked = pOwn != nullptr && pOwn->CUiDockBar::SetLayoutLock(true);
                DockBarIntoGroup(arr[i], nIndex);
                // The group dissolves around its last bar, and the ring that bar then lay in
                // goes when it leaves: the dock bar may be gone.
                if (pOwn != nullptr && ::IsWindow(hOwn) && CWnd::FromHandlePermanent(hOwn) == pOwn)
                    pOwn->CUiDockBar::SetLayoutLock(bOwnLocked);
            }
        }
    } else if (pInner != nullptr) {
        const bool bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        if (bVisible)
            pBar->ShowWindow(SW_HIDE);
        pInner->DockControlBarEx(pBar, NULL, false);
        if (!pInner->IsLocked()) {
            CRect rc;
            pInner->GetClientRect(&rc);
            if (bVisible && !m_wndTabs.IsWindowVisible()) {
                const int nHeight = CalcTabStripHeight();
                if (nHeight > 0)
                    rc.bottom -= nHeight + 1;
            }
            pBar->MoveWindow(&rc, FALSE);
            pBar->RepositionChildWindow(-1, -1, TRUE);
        }
        if (bVisible)
            pBar->ShowWindow(SW_SHOWNA);
        if (CFrameWnd* pSite = GetDockSiteFrame())
            CUiDockBar::RemovePlaceHolderInFrame(pSite, pBar);
        m_wndTabs.AddBarTab(pBar, nIndex, false, false);
        ++nIndex;
    }
    if (pLocked != nullptr && ::IsWindow(pLocked->m_hWnd))
        pLocked->CUiDockBar::SetLayoutLock(false);
}

void CUiDynTabControlBar::AddBarAsTab(CUiControlBar* pBar, int nIndex, bool bRecalc)
{
    m_wndTabs.RemoveProvisionalTabs(false);
    if (nIndex < 0 || nIndex > m_wndTabs.ItemGetCount())
        nIndex = m_wndTabs.ItemGetCount();
    DockBarIntoGroup(pBar, nIndex);
    m_wndTabs.UpdateLayout(bRecalc);
    if (!bRecalc)
        return;
    if (CFrameWnd* pSite = GetDockSiteFrame())
        CUiDockBar::OptimizeRings(pSite);
    RepositionChildWindow(-1, -1, TRUE);
    PassPaintMessages(TRUE, TRUE, TRUE);
}

void CUiDynTabControlBar::InsertBarTabs(CUiControlBar* pBar, int nIndex, bool bUpdate)
{
    if (nIndex < 0 || nIndex > m_wndTabs.ItemGetCount())
        nIndex = m_wndTabs.ItemGetCount();
    if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar))) {
        CUiDockDynBar* pTheirs = static_cast<CUiDynControlBar*>(pBar)->m_pInnerDockBar;
        if (pTheirs != nullptr) {
            CArray<CUiControlBar*, CUiControlBar*> arr;
            pTheirs->CollectVisibleItems(arr);
            for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
                if (!arr[i]->IsVisible())
                    continue;
                const int nBefore = m_wndTabs.ItemGetCount();
                InsertBarTabs(arr[i], nIndex, false);
                nIndex += m_wndTabs.ItemGetCount() - nBefore;
            }
        }
    } else {
        m_wndTabs.AddBarTab(pBar, nIndex, true, false);
    }
    m_wndTabs.UpdateLayout(bUpdate);
}

void CUiDynTabControlBar::OnBarVisibilityChanged(CUiControlBar* pBar)
{
    CWnd* pParent = GetParent();
    if (m_pDockBar == nullptr && (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))))
        return;
    const int nIndex = m_wndTabs.ItemFindByLParam((LPARAM)pBar);
    if (nIndex < 0)
        return;
    CUiTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.ItemGetInfo(nIndex);
    const bool bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    const bool bWasHidden = !pItem->IsVisible();
    if (!bVisible && nIndex == m_wndTabs.SelectionGet()) {
        int nNext = -1;
        for (CWnd* p = pBar->GetWindow(GW_HWNDNEXT); p != nullptr && nNext < 0; p = p->GetWindow(GW_HWNDNEXT)) {
            if (p->GetStyle() & WS_VISIBLE)
                nNext = m_wndTabs.ItemFindByLParam((LPARAM)CWnd::FromHandlePermanent(p->m_hWnd));
        }
        m_wndTabs.SelectionSet(nNext, false, false);
    }
    if (bVisible == bWasHidden) {
        // The strip counts its visible tabs; a flag flipped here changes that count by one.
        const int nSel = m_wndTabs.SelectionGet();
        const DWORD dwFlags = (pItem->m_dwFlags & ~CUiTabItemInfo::kHidden) | (bVisible ? 0u : (DWORD)CUiTabItemInfo::kHidden);
        const LPARAM lParam = pItem->m_lParam;
        m_wndTabs.ItemRemove(nIndex, 1, false);
        m_wndTabs.ItemInsert(nullptr, NULL, false, dwFlags & ~CUiTabItemInfo::kSelected, nIndex, lParam, false);
        // The tab is back at its index: the selection is where it was, before it or after it.
        if (nSel >= 0 && m_wndTabs.SelectionGet() != nSel)
            m_wndTabs.SelectionSet(nSel, false, false);
    }
    if (bVisible && bWasHidden)
        m_wndTabs.SelectionSet(nIndex, false, false);
    m_wndTabs.UpdateLayout(true);
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pParentFrame->m_nIdleFlags |= 12;
    RepositionChildWindow(-1, -1, TRUE);
}
