// The strip's items: insertion, removal, moves, lookups and the selection with its group
// marks. None of it needs the window; a change asks for a layout, which runs only on a
// visible window when an update is asked.
#include "tabwnd.h"

IMPLEMENT_DYNAMIC(CUiTabItemInfo, CObject)
IMPLEMENT_DYNCREATE(CUiTabWnd, CWnd)
IMPLEMENT_DYNCREATE(CUiDynTabWnd, CUiTabWnd)

CUiTabItemInfo::CUiTabItemInfo(CUiTabWnd* pOwner, LPCSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwFlags,
                               LPARAM lParam)
    : m_pOwner(pOwner), m_dwFlags(dwFlags), m_strText(lpszText != nullptr ? lpszText : ""), m_size(6, 20),
      m_sizeText(0, 0), m_sizeIcon(0, 0), m_rcItem(0, 0, 6, 20), m_lParam(lParam), m_bShrunk(0), m_pPrev(nullptr),
      m_pNext(nullptr)
{
    if (hIcon != NULL)
        m_icon.ConstructFromIcon(hIcon, bCopyIcon);
}

CUiTabItemInfo::~CUiTabItemInfo()
{
}

CUiTabWnd::CUiTabWnd()
    : m_pPaintManager(nullptr), m_dwTabFlags(0), m_dwTabStyle(0), m_nSelIndex(-1), m_nFirstVisible(-1),
      m_nLastVisible(-1), m_nHoverSelectIndex(-1), m_nVisibleCount(0), m_nTotalExtent(0), m_nScrollPos(0),
      m_nScrollMax(0), m_nScrollRemaining(0), m_rcItemsArea(0, 0, 0, 0), m_rcRest(0, 0, 0, 0), m_rcPrev(0, 0, 0, 0),
      m_rcNext(0, 0, 0, 0), m_rcHelp(0, 0, 0, 0), m_rcClose(0, 0, 0, 0), m_rcTabList(0, 0, 0, 0),
      m_bState(kFrameLayout | kLayoutDirty), m_bState2(0), m_nTrackedHit(-1), m_nTrackedButton(-1),
      m_nHoverButton(-1), m_rcLayout(0, 0, 0, 0), m_ptPress(-1, -1), m_rcDragSwap(0, 0, 0, 0), m_bDragging(0)
{
}

CUiTabWnd::~CUiTabWnd()
{
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        delete m_arrItems[i];
    m_arrItems.RemoveAll();
}

CUiTabWnd::TAB_ITEM_INFO* CUiTabWnd::ItemGetInfo(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrItems.GetSize() ? m_arrItems[nIndex] : nullptr;
}

void CUiTabWnd::LinkItems(int nFrom)
{
    const int nCount = ItemGetCount();
    for (int i = nFrom < 1 ? 0 : nFrom - 1; i < nCount; ++i) {
        m_arrItems[i]->m_pPrev = i > 0 ? m_arrItems[i - 1] : nullptr;
        m_arrItems[i]->m_pNext = i + 1 < nCount ? m_arrItems[i + 1] : nullptr;
    }
}

CUiTabWnd::TAB_ITEM_INFO* CUiTabWnd::ItemInsert(LPCSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwFlags,
                                                int nIndex, LPARAM lParam, bool bUpdate)
{
    if (nIndex < 0 || nIndex > ItemGetCount())
        nIndex = ItemGetCount();
    TAB_ITEM_INFO* pItem = new TAB_ITEM_INFO(this, lpszText, hIcon, bCopyIcon, dwFlags, lParam);
    m_arrItems.InsertAt(nIndex, pItem);
    LinkItems(nIndex);
    if (m_nSelIndex >= nIndex)
        ++m_nSelIndex;
    if (pItem->IsVisible())
        ++m_nVisibleCount;
    OnItemInserted(nIndex, pItem);
    UpdateLayout(bUpdate);
    return pItem;
}

int CUiTabWnd::ItemRemove(int nIndex, int nCount, bool bUpdate)
{
    const int nItems = ItemGetCount();
    if (nIndex < 0 || nIndex >= nItems || nCount < 1)
        return 0;
    if (nCount > nItems - nIndex)
        nCount = nItems - nIndex;
    OnItemsRemove(nIndex, nCount, true);
    for (int i = nIndex; i < nIndex + nCount; ++i) {
        if (m_arrItems[i]->IsVisible())
            --m_nVisibleCount;
        delete m_arrItems[i];
    }
    m_arrItems.RemoveAt(nIndex, nCount);
    if (m_nSelIndex >= nIndex && m_nSelIndex < nIndex + nCount)
        m_nSelIndex = -1;
    else if (m_nSelIndex >= nIndex + nCount)
        m_nSelIndex -= nCount;
    if (m_nHoverSelectIndex >= nIndex)
        m_nHoverSelectIndex = -1;
    LinkItems(nIndex);
    OnItemsRemove(nIndex, nCount, false);
    UpdateLayout(bUpdate);
    return nCount;
}

void CUiTabWnd::ItemRemoveAll(bool bUpdate)
{
    OnAllItemsRemove(true);
    for (int i = 0; i < m_arrItems.GetSize(); ++i)
        delete m_arrItems[i];
    m_arrItems.RemoveAll();
    m_nSelIndex = -1;
    m_nHoverSelectIndex = -1;
    m_nVisibleCount = 0;
    OnAllItemsRemove(false);
    UpdateLayout(bUpdate);
}

bool CUiTabWnd::ItemMove(int nFrom, int nTo, bool bUpdate)
{
    const int nCount = ItemGetCount();
    if (nFrom < 0 || nFrom >= nCount || nTo < 0 || nTo >= nCount || nFrom == nTo || !CanMoveItem(nFrom, nTo))
        return false;
    TAB_ITEM_INFO* pOld = m_arrItems[nFrom];
    CUiCmdIcon* pIcon = &pOld->m_icon;
    HICON hIcon = pIcon->IsEmpty() ? NULL : pIcon->GetIcon();
    // The copy goes behind the target when moving forward, so that removing the old place
    // leaves it at the target index.
    const DWORD dwFlags = pOld->m_dwFlags & ~TAB_ITEM_INFO::kSelected;
    const int nInsert = nTo > nFrom ? nTo + 1 : nTo;
    const CString strText = pOld->m_strText;
    ItemInsert(strText, hIcon, true, dwFlags, nInsert, pOld->m_lParam, false);
    ItemRemove(nTo > nFrom ? nFrom : nFrom + 1, 1, false);
    SelectionSet(nTo, false, false);
    OnItemMoved(nFrom, nTo);
    UpdateLayout(bUpdate);
    return true;
}

int CUiTabWnd::ItemFindByLParam(LPARAM lParam, int nStart, bool bVisible, bool bHidden) const
{
    for (int i = nStart < 0 ? 0 : nStart + 1; i < ItemGetCount(); ++i) {
        const TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (pItem->m_lParam == lParam && (pItem->IsVisible() ? bVisible : bHidden))
            return i;
    }
    return -1;
}

int CUiTabWnd::ItemFindByStyle(DWORD dwRequired, DWORD dwExcluded, int nStart) const
{
    for (int i = nStart < 0 ? 0 : nStart + 1; i < ItemGetCount(); ++i) {
        const DWORD dw = m_arrItems[i]->m_dwFlags;
        if ((dw & dwRequired) == dwRequired && (dw & dwExcluded) == 0)
            return i;
    }
    return -1;
}

int CUiTabWnd::SelectionSet(int nIndex, bool bEnsureVisible, bool bUpdate)
{
    const int nOld = m_nSelIndex;
    if (nIndex < -1 || nIndex >= ItemGetCount())
        return nOld;
    if (!OnSelectionChanged(nOld, nIndex, true))
        return nOld;
    if (TAB_ITEM_INFO* pOld = ItemGetInfo(nOld))
        pOld->m_dwFlags &= ~TAB_ITEM_INFO::kSelected;
    m_nSelIndex = nIndex;
    if (TAB_ITEM_INFO* pNew = ItemGetInfo(nIndex)) {
        pNew->m_dwFlags |= TAB_ITEM_INFO::kSelected | TAB_ITEM_INFO::kGroupActive;
        // One active item per group: from the group's start up to the next group's start.
        TAB_ITEM_INFO* pStart = pNew;
        while (!(pStart->m_dwFlags & TAB_ITEM_INFO::kGroupStart) && pStart->m_pPrev != nullptr)
            pStart = pStart->m_pPrev;
        for (TAB_ITEM_INFO* p = pStart; p != nullptr; p = p->m_pNext) {
            if (p != pStart && (p->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
                break;
            if (p != pNew)
                p->m_dwFlags &= ~TAB_ITEM_INFO::kGroupActive;
        }
    }
    if (OnSelectionChanged(nOld, nIndex, false) && bEnsureVisible && nIndex >= 0)
        ItemEnsureVisible(nIndex, bUpdate);
    else
        UpdateLayout(bUpdate);
    return nOld;
}

bool CUiTabWnd::OnSelectionChanged(int, int, bool)
{
    return true;
}

CUiCmdIcon* CUiTabWnd::ItemGetIconPtr(TAB_ITEM_INFO* pItem)
{
    return pItem != nullptr ? &pItem->m_icon : nullptr;
}

LPCSTR CUiTabWnd::ItemGetTextPtr(TAB_ITEM_INFO* pItem)
{
    return pItem != nullptr ? (LPCSTR)pItem->m_strText : nullptr;
}

CUiDynTabWnd::CUiDynTabWnd()
{
}

CUiDynTabWnd::~CUiDynTabWnd()
{
}

