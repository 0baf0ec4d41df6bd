// The strip of a tabbed group: tabs that stand for bars, provisional tabs while a bar is
// dragged onto or out of the group, switching with Ctrl+PageUp/PageDown, the menu of the
// group's bars on a right click, and OLE data dragged over a tab.
#include "tabwnd.h"

#include "cmdmanager.h"
#include "dyntabbar.h"
#include "popupmenuwnd.h"
#include "stripmenu.h"

namespace {
CUiDynTabControlBar* GroupOf(const CUiDynTabWnd* pStrip)
{
    CWnd* pParent = pStrip->GetSafeHwnd() != NULL ? pStrip->GetParent() : nullptr;
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)) ? static_cast<CUiDynTabControlBar*>(pParent)
                                                                                     : nullptr;
}
} // namespace

CUiControlBar* CUiDynTabWnd::GetItemBar(int nIndex, bool bSkipProvisional) const
{
    TAB_ITEM_INFO* pItem = ItemGetInfo(nIndex);
    if (pItem == nullptr || (bSkipProvisional && (pItem->m_dwFlags & kProvisional)))
        return nullptr;
    return reinterpret_cast<CUiControlBar*>(pItem->m_lParam);
}

void CUiDynTabWnd::AddBarTab(CUiControlBar* pBar, int nIndex, bool bProvisional, bool bUpdate)
{
    if (ItemFindByLParam((LPARAM)pBar, -1, true, true) >= 0) {
        UpdateLayout(bUpdate);
        return;
    }
    DWORD dwFlags = bProvisional ? (DWORD)kProvisional : 0u;
    if (!pBar->IsVisible())
        dwFlags |= TAB_ITEM_INFO::kHidden;
    ItemInsert(nullptr, NULL, false, dwFlags, nIndex, (LPARAM)pBar, bUpdate);
}

void CUiDynTabWnd::RemoveProvisionalTabs(bool bUpdate)
{
    bool bRemoved = false;
    for (int i = ItemGetCount() - 1; i >= 0; --i) {
        if (ItemGetInfo(i)->m_dwFlags & kProvisional) {
            ItemRemove(i, 1, false);
            bRemoved = true;
        }
    }
    UpdateLayout(bUpdate);
    // The tabs shown for a dragged bar that went elsewhere must not stay on the screen.
    if (bRemoved && !bUpdate && GetSafeHwnd() != NULL)
        Invalidate();
}

bool CUiDynTabWnd::HasProvisionalTabs() const
{
    for (int i = 0; i < ItemGetCount(); ++i) {
        if (ItemGetInfo(i)->m_dwFlags & kProvisional)
            return true;
    }
    return false;
}

int CUiDynTabWnd::HitTestScreenPoint(int x, int y) const
{
    if (GetSafeHwnd() == NULL)
        return -1;
    CPoint pt(x, y);
    ScreenToClient(&pt);
    const int nHit = HitTestTab(pt);
    return nHit >= 0 ? nHit : -1;
}

LPCSTR BarItemCaptionText(CUiTabItemInfo* pItem)
{
    // One text shared by every strip: it is read at once by the caller.
    static CString s_strText;
    CUiControlBar* pBar = pItem != nullptr ? reinterpret_cast<CUiControlBar*>(pItem->m_lParam) : nullptr;
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL)
        return pItem != nullptr ? (LPCSTR)pItem->m_strText : nullptr;
    pBar->GetCaptionText(0, s_strText);
    return s_strText;
}

CUiCmdIcon* BarItemCommandIcon(CUiTabItemInfo* pItem)
{
    CUiControlBar* pBar = pItem != nullptr ? reinterpret_cast<CUiControlBar*>(pItem->m_lParam) : nullptr;
    CFrameWnd* pSite = pBar != nullptr ? pBar->GetDockSiteFrame() : nullptr;
    if (pSite == nullptr)
        return nullptr;
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    CUiCmdProfile* pProfile = pManager->ProfileFindByWindow(pSite->GetSafeHwnd());
    return pProfile != nullptr ? pManager->CmdGetIconPtr(pProfile->GetName(), (UINT)pBar->GetDlgCtrlID()) : nullptr;
}

LPCSTR CUiDynTabWnd::ItemGetTextPtr(TAB_ITEM_INFO* pItem)
{
    return BarItemCaptionText(pItem);
}

CUiCmdIcon* CUiDynTabWnd::ItemGetIconPtr(TAB_ITEM_INFO* pItem)
{
    return BarItemCommandIcon(pItem);
}

void CUiDynTabWnd::PaintItem(CDC& dc, int nIndex, TAB_ITEM_INFO* pItem, const CRect& rcItem, CFont* pFont,
                             LPCSTR lpszText, CUiCmdIcon* pIcon)
{
    // While provisional tabs exist they are drawn as the current one and the others are not.
    const bool bAnyProvisional = HasProvisionalTabs();
    const DWORD dwSaved = pItem->m_dwFlags;
    if (bAnyProvisional) {
        TAB_ITEM_INFO* pPrev = ItemGetInfo(nIndex - 1);
        const bool bCurrent = (dwSaved & kProvisional) && !(pPrev != nullptr && (pPrev->m_dwFlags & kProvisional));
        pItem->m_dwFlags = bCurrent ? (dwSaved | TAB_ITEM_INFO::kSelected) : (dwSaved & ~TAB_ITEM_INFO::kSelected);
    }
    CUiTabWnd::PaintItem(dc, nIndex, pItem, rcItem, pFont, lpszText, pIcon);
    pItem->m_dwFlags = dwSaved;
}

bool CUiDynTabWnd::OnItemClick(int nIndex, bool bPressed, int nMouseButton, UINT nKeyFlags)
{
    if (nMouseButton != 1)
        return false;
    return CUiTabWnd::OnItemClick(nIndex, bPressed, nMouseButton, nKeyFlags);
}

bool CUiDynTabWnd::IsItemDraggable(int nIndex) const
{
    return const_cast<CUiDynTabWnd*>(this)->OnItemPress(nIndex);
}

void CUiDynTabWnd::DragItemLoop(int)
{
}

bool CUiDynTabWnd::OnItemPress(int nIndex)
{
    CPoint pt;
    if (!::GetCursorPos(&pt))
        return false;
    const HWND hWnd = m_hWnd;
    TrackingStop(true);
    CancelHoverTracking(true);
    CUiControlBar* pBar = GetItemBar(nIndex, true);
    TAB_ITEM_INFO* pItem = ItemGetInfo(nIndex);
    if (pBar == nullptr || pItem == nullptr)
        return true;
    pItem->m_dwFlags |= kProvisional;
    if (pItem->m_dwFlags & TAB_ITEM_INFO::kSelected) {
        for (int i = 0; i < ItemGetCount(); ++i)
            ItemGetInfo(i)->m_dwFlags &= ~TAB_ITEM_INFO::kGroupActive;
        pItem->m_dwFlags |= TAB_ITEM_INFO::kGroupActive;
    }
    m_nDraggedTab = nIndex;
    pBar->DragLoop(pt);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return true;
    m_nDraggedTab = -1;
    for (int i = 0; i < ItemGetCount(); ++i) {
        TAB_ITEM_INFO* p = ItemGetInfo(i);
        p->m_dwFlags &= ~kProvisional;
        if (p->m_dwFlags & TAB_ITEM_INFO::kSelected)
            p->m_dwFlags |= TAB_ITEM_INFO::kGroupActive;
    }
    return true;
}

bool CUiDynTabWnd::OnSelectionChanged(int nOld, int nNew, bool bBefore)
{
    const bool bAnswer = CUiTabWnd::OnSelectionChanged(nOld, nNew, bBefore);
    if (bBefore || nNew < 0 || ItemGetVisibleCount() < 1)
        return bAnswer;
    CUiControlBar* pBar = GetItemBar(nNew, false);
    CUiDynTabControlBar* pGroup = GroupOf(this);
    if (pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd()) || pGroup == nullptr)
        return bAnswer;
    CUiDockDynTabBar* pInner = pGroup->GetTabDockBar();
    if (pInner != nullptr)
        pInner->SetLayoutLock(true);
    pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    pBar->SetFocus();
    if (pInner != nullptr)
        pInner->SetLayoutLock(false);
    pGroup->RecalcNcFrame();
    if (pInner != nullptr)
        pInner->LayoutTabBars(true);
    CString strText;
    pBar->GetWindowText(strText);
    pGroup->SetWindowText(strText);
    if (pInner != nullptr)
        pInner->SetWindowText(strText);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame->SendMessage(WM_NCPAINT);
    return bAnswer;
}

bool CUiDynTabWnd::StepSelection(bool bForward)
{
    const int nCount = ItemGetCount();
    const int nSel = SelectionGet();
    if (GetSafeHwnd() == NULL || ItemGetVisibleCount() < 1 || nSel < 0)
        return false;
    for (int nStep = 1; nStep < nCount; ++nStep) {
        const int i = ((nSel + (bForward ? nStep : -nStep)) % nCount + nCount) % nCount;
        TAB_ITEM_INFO* pItem = ItemGetInfo(i);
        CUiControlBar* pBar = GetItemBar(i, true);
        if (!pItem->IsVisible() || pBar == nullptr || !pBar->IsWindowVisible())
            continue;
        CancelToolTips();
        SelectionSet(i, true, true);
        return true;
    }
    return false;
}

BOOL CUiDynTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_MENU) >= 0 &&
        GetSafeHwnd() != NULL && ItemGetVisibleCount() > 0 && SelectionGet() >= 0) {
        StepSelection(pMsg->wParam == VK_NEXT);
        return TRUE;
    }
    return CUiTabWnd::PreTranslateMessage(pMsg);
}

LRESULT CUiDynTabWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CREATE: {
        const LRESULT lResult = CUiTabWnd::WindowProc(nMsg, wParam, lParam);
        if (lResult != -1 && AfxOleIsInitialized())
            m_dropTarget.Register(this);
        return lResult;
    }
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClkMsg(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return DefWindowProc(nMsg, wParam, lParam);
    case WM_CONTEXTMENU:
        OnContextMenuMsg(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 1;
    default:
        return CUiTabWnd::WindowProc(nMsg, wParam, lParam);
    }
}

void CUiDynTabWnd::OnLButtonDblClkMsg(CPoint pt)
{
    CUiControlBar* pBar = GetItemBar(HitTestTab(pt), true);
    if (pBar != nullptr)
        pBar->FloatByDoubleClick();
}

void CUiDynTabWnd::OnContextMenuMsg(CPoint pt)
{
    if (CUiControlBar::IsFrameInHelpMode(this))
        return;
    CUiDynTabControlBar* pGroup = GroupOf(this);
    CFrameWnd* pSite = pGroup != nullptr ? pGroup->GetDockSiteFrame() : nullptr;
    if (pSite == nullptr)
        return;
    TrackStripMenu(this, pSite, 9, pt, 123, [this](CUiPopupMenuWnd* pMenu) {
        for (int i = 0; i < ItemGetCount(); ++i) {
            if (CUiControlBar* pBar = GetItemBar(i, true))
                pMenu->ItemInsert((UINT)pBar->GetDlgCtrlID(), -1);
        }
    });
}

DROPEFFECT CUiDynTabWnd::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                                     CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CUiDynTabWnd::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    const int nHit = m_pStrip->HitTestTab(point);
    if (nHit >= 0 && nHit != m_pStrip->SelectionGet())
        m_pStrip->SelectionSet(nHit, true, true);
    return DROPEFFECT_NONE;
}
