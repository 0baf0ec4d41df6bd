// The strip's layout: measuring the items, the items area with the buttons at its far end,
// scrolling, and the hit test. Coordinates along the strip are x for a strip at the top or
// bottom and y for one at the left or right; an item keeps its rectangle in strip
// coordinates along the strip (from 0, before scrolling) and in window coordinates across it.
#include "tabwnd.h"

#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

#include <algorithm>

namespace {

int Along(const CRect& rc, bool bHorz, bool bFar)
{
    return bHorz ? (bFar ? rc.right : rc.left) : (bFar ? rc.bottom : rc.top);
}

int AlongLength(const CRect& rc, bool bHorz)
{
    return bHorz ? rc.Width() : rc.Height();
}

int AlongExtent(const CSize& size, bool bHorz)
{
    return bHorz ? size.cx : size.cy;
}

int CrossExtent(const CSize& size, bool bHorz)
{
    return bHorz ? size.cy : size.cx;
}

} // namespace

CSize CUiTabItemInfo::Measure(CDC* pDC, bool bHorz)
{
    CFont* pFont = m_pOwner->GetItemFont((m_dwFlags & kSelected) != 0, -1);
    LPCSTR lpszText = m_pOwner->ItemGetTextPtr(this);
    if (lpszText == nullptr)
        lpszText = m_strText;
    CUiCmdIcon* pIcon = m_pOwner->ItemGetIconPtr(this);
    if (pIcon == nullptr || pIcon->IsEmpty())
        pIcon = &m_icon;

    HDC hScreen = NULL;
    HDC hDC = pDC != nullptr ? pDC->GetSafeHdc() : NULL;
    if (hDC == NULL)
        hDC = hScreen = ::GetDC(NULL);
    RECT rcText;
    MeasureTextRect(hDC, lpszText, pFont != nullptr ? (HFONT)pFont->GetSafeHandle() : NULL, rcText);
    if (hScreen != NULL)
        ::ReleaseDC(NULL, hScreen);
    m_sizeText = CSize(rcText.right - rcText.left, rcText.bottom - rcText.top);
    m_sizeIcon = pIcon->IsEmpty() ? CSize(0, 0) : pIcon->GetSize();

    CSize size;
    if (bHorz) {
        size.cx = std::max(m_sizeText.cx + m_sizeIcon.cx + (m_sizeIcon.cx >= 1 ? 3 : 0) + 7, 6L);
        size.cy = std::max(std::max(m_sizeIcon.cy, m_sizeText.cy) + 4, 20L);
    } else {
        m_sizeText = CSize(m_sizeText.cx + 10, m_sizeText.cy + 2);
        size.cx = std::max(std::max(m_sizeIcon.cx, m_sizeText.cy) + 4, 22L);
        size.cy = std::max(m_sizeText.cx + m_sizeIcon.cy + (m_sizeIcon.cy >= 1 ? 3 : 0) + 7, 4L);
    }
    m_pOwner->OnMeasureItem(this, pDC, size);
    m_size = size;
    return size;
}

CFont* CUiTabWnd::GetItemFont(bool bSelected, int nSide)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager == nullptr)
        return nullptr;
    if (nSide < 0)
        nSide = GetSide();
    const bool bBold = bSelected && (m_dwTabStyle & kBoldSelected) && !(m_dwTabStyle & kGrouped);
    if (nSide < 2)
        return bBold ? &pManager->m_fontBold : &pManager->m_fontNormal;
    if (m_dwTabStyle & kSecondVertFont)
        return bBold ? &pManager->m_fontBoldVertUp : &pManager->m_fontNormalVertUp;
    return bBold ? &pManager->m_fontBoldVert : &pManager->m_fontNormalVert;
}

void CUiTabWnd::GetLayoutMargins(int& nLead, int& nFar, int& nCross)
{
    nLead = 4;
    nFar = 2;
    nCross = (m_dwTabStyle & kGrouped) ? 0 : 2;
    if (CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle())
        pManager->GetTabItemPadding(this, nLead, nFar, nCross);
}

CSize CUiTabWnd::GetButtonSize()
{
    const int n = std::max(std::max(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 12);
    return CSize(n, n);
}

int CUiTabWnd::GetItemsAreaLength() const
{
    return AlongLength(m_rcItemsArea, IsHorizontal());
}

void CUiTabWnd::UpdateLayout(bool bUpdate)
{
    m_bState |= kLayoutDirty;
    if (!bUpdate || m_hWnd == NULL || !::IsWindow(m_hWnd) || !IsWindowVisible())
        return;
    RecalcTabLayout();
    Invalidate();
    UpdateWindow();
}

void CUiTabWnd::RecalcTabLayout()
{
    if (m_hWnd == NULL || !(m_bState & kLayoutDirty))
        return;
    CRect rcArea = m_rcLayout;
    if (rcArea.IsRectEmpty())
        GetClientRect(&rcArea);
    CClientDC dc(this);
    RecalcTabLayoutIn(rcArea, &dc);
}

void CUiTabWnd::RecalcTabLayoutIn(const CRect& rcArea, CDC* pDC)
{
    m_bState &= ~(kLayoutDirty | kSomeShrunk);
    for (CRect* p : {&m_rcItemsArea, &m_rcRest, &m_rcPrev, &m_rcNext, &m_rcHelp, &m_rcClose, &m_rcTabList})
        p->SetRectEmpty();
    m_nFirstVisible = m_nLastVisible = -1;
    if (rcArea.IsRectEmpty() || rcArea.left > rcArea.right || rcArea.top > rcArea.bottom)
        return;

    const bool bHorz = IsHorizontal();
    const bool bGrouped = (m_dwTabStyle & kGrouped) != 0;
    const bool bEqual = !bGrouped && (m_dwTabStyle & kEqualWidths) != 0;
    const int nCount = ItemGetCount();

    // Extents along the strip and the strip's thickness.
    CArray<int, int> extents;
    extents.SetSize(nCount);
    int nTotal = bGrouped ? 10 : 0;
    int nThickness = 0;
    bool bFirstGroup = true;
    for (int i = 0; i < nCount; ++i) {
        extents[i] = 0;
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        pItem->m_bShrunk = 0;
        if (pItem->IsVisible()) {
            const CSize size = pItem->Measure(pDC, bHorz);
            extents[i] = AlongExtent(size, bHorz);
            nThickness = std::max(nThickness, CrossExtent(size, bHorz));
        }
    }
    if (!bGrouped) {
        for (int i = 0; i < nCount; ++i)
            nTotal += extents[i];
    } else if (m_dwTabStyle & kGroupedFullMeasure) {
        bool bFirst = true;
        for (int i = 0; i < nCount; ++i) {
            if (!m_arrItems[i]->IsVisible())
                continue;
            if (!bFirst && (m_arrItems[i]->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
                nTotal += 20;
            bFirst = false;
            nTotal += extents[i];
        }
    } else {
        // A group shows its active member in full and the others without their text.
        for (int nStart = 0; nStart < nCount;) {
            int nEnd = nStart + 1;
            while (nEnd < nCount && !(m_arrItems[nEnd]->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
                ++nEnd;
            int nFull = 0, nCollapsed = 0, nMembers = 0;
            for (int i = nStart; i < nEnd; ++i) {
                const TAB_ITEM_INFO* pItem = m_arrItems[i];
                if (!pItem->IsVisible())
                    continue;
                ++nMembers;
                nFull = std::max(nFull, extents[i]);
                const int nIcon = pItem->m_sizeIcon.cx >= 1 ? 3 : 0;
                nCollapsed = std::max(nCollapsed, extents[i] - (int)pItem->m_sizeText.cx - nIcon);
            }
            if (nMembers > 0) {
                if (!bFirstGroup)
                    nTotal += 20;
                bFirstGroup = false;
                nTotal += (nMembers - 1) * nCollapsed + nFull;
                for (int i = nStart; i < nEnd; ++i) {
                    if (m_arrItems[i]->IsVisible())
                        extents[i] = (m_arrItems[i]->m_dwFlags & TAB_ITEM_INFO::kGroupActive) ? nFull : nCollapsed;
                }
            }
            nStart = nEnd;
        }
    }
    m_nTotalExtent = nTotal;

    int nLead = 4, nFar = 2, nCross = bGrouped ? 0 : 2;
    GetLayoutMargins(nLead, nFar, nCross);
    const int nButton = GetButtonSize().cx;
    const bool bClose = (m_dwTabStyle & kCloseShown) != 0;
    const bool bTabList = (m_dwTabStyle & kTabListShown) != 0;
    const bool bHelp = (m_dwTabStyle & kHelpShown) != 0;
    int nRun = nFar;
    bool bAnyButton = false;
    if (bClose) {
        nRun += 2 + nButton + 2;
        bAnyButton = true;
    }
    for (bool bShown : {bTabList, bHelp}) {
        if (!bShown)
            continue;
        nRun += nButton + 2 + (bAnyButton ? 0 : 2);
        bAnyButton = true;
    }
    if (!bEqual) {
        nRun += 2 * nButton + 4 + (bAnyButton ? 0 : 2);
        bAnyButton = true;
    }

    nThickness = std::max(nThickness, bHorz ? 20 : 22);
    CRect& rcItems = m_rcItemsArea;
    switch (GetSide()) {
    case 0:
        rcItems.SetRect(rcArea.left, rcArea.top + nCross, rcArea.right, std::min(rcArea.top + nCross + nThickness, rcArea.bottom));
        m_rcRest.SetRect(rcArea.left, rcItems.bottom, rcArea.right, rcArea.bottom);
        break;
    case 1:
        rcItems.SetRect(rcArea.left, std::max(rcArea.bottom - nCross - nThickness, rcArea.top), rcArea.right, rcArea.bottom - nCross);
        m_rcRest.SetRect(rcArea.left, rcArea.top, rcArea.right, rcItems.top);
        break;
    case 2:
        rcItems.SetRect(rcArea.left + nCross, rcArea.top, std::min(rcArea.left + nCross + nThickness, rcArea.right), rcArea.bottom);
        m_rcRest.SetRect(rcItems.right, rcArea.top, rcArea.right, rcArea.bottom);
        break;
    default:
        rcItems.SetRect(std::max(rcArea.right - nCross - nThickness, rcArea.left), rcArea.top, rcArea.right - nCross, rcArea.bottom);
        m_rcRest.SetRect(rcArea.left, rcArea.top, rcItems.left, rcArea.bottom);
        break;
    }
    if (bHorz) {
        rcItems.left = rcArea.left + nLead;
        rcItems.right = std::max(rcArea.right - nRun, rcItems.left);
    } else {
        rcItems.top = rcArea.top + nLead;
        rcItems.bottom = std::max(rcArea.bottom - nRun, rcItems.top);
    }
    if (m_rcRest.IsRectEmpty())
        m_rcRest.SetRectEmpty();
    const int nLength = AlongLength(rcItems, bHorz);

    m_nScrollMax = std::max(nTotal - nLength, 0);
    int nCommon = 0;
    if (bEqual && m_nVisibleCount > 0 && (m_nScrollMax >= 1 || (m_dwTabStyle & kEqualAlways))) {
        const int nMin = bHorz ? 6 : 4;
        nCommon = std::max(nLength / m_nVisibleCount, nMin);
        m_nTotalExtent = nCommon * m_nVisibleCount;
        m_nScrollMax = std::max(m_nTotalExtent - nLength, 0);
    }
    m_nScrollPos = std::min(std::max(m_nScrollPos, 0), m_nScrollMax);
    const bool bScrollButtons = !bEqual && !((m_dwTabStyle & kNoIdleScrollButtons) && m_nScrollMax < 1);

    // Buttons from the far end: Close, Tab list, Help, Next, Previous.
    const int nAreaEnd = Along(rcArea, bHorz, true) - nFar;
    int nEnd = nAreaEnd - 2;
    const int nCrossStart = bHorz ? rcItems.top + (rcItems.Height() - nButton) / 2
                                  : rcItems.left + (rcItems.Width() - nButton) / 2;
    auto place = [&](CRect& rc) {
        if (bHorz)
            rc.SetRect(nEnd - nButton, nCrossStart, nEnd, nCrossStart + nButton);
        else
            rc.SetRect(nCrossStart, nEnd - nButton, nCrossStart + nButton, nEnd);
        nEnd -= nButton + 2;
    };
    if (bClose)
        place(m_rcClose);
    if (bTabList)
        place(m_rcTabList);
    if (bHelp)
        place(m_rcHelp);
    if (bScrollButtons) {
        place(m_rcNext);
        place(m_rcPrev);
    }

    // Items one after the other; window position = strip position + items-area start - scroll.
    int nPos = 0;
    bool bFirst = true;
    const int nCrossPos = bHorz ? rcItems.top : rcItems.left;
    const int nCrossLen = bHorz ? rcItems.Height() : rcItems.Width();
    for (int i = 0; i < nCount; ++i) {
        TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (!pItem->IsVisible())
            continue;
        if (bGrouped && !bFirst && (pItem->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
            nPos += 20;
        bFirst = false;
        int nExtent = extents[i];
        if (nCommon > 0) {
            if (nExtent > nCommon) {
                pItem->m_bShrunk |= 1;
                m_bState |= kSomeShrunk;
            }
            nExtent = nCommon;
        }
        if (bHorz)
            pItem->m_rcItem.SetRect(nPos, nCrossPos, nPos + nExtent, nCrossPos + nCrossLen);
        else
            pItem->m_rcItem.SetRect(nCrossPos, nPos, nCrossPos + nCrossLen, nPos + nExtent);
        nPos += nExtent;
    }

    for (int i = 0; i < nCount; ++i) {
        const TAB_ITEM_INFO* pItem = m_arrItems[i];
        if (!pItem->IsVisible())
            continue;
        const int nNear = Along(pItem->m_rcItem, bHorz, false) - m_nScrollPos;
        const int nFarEdge = Along(pItem->m_rcItem, bHorz, true) - m_nScrollPos;
        if (m_nFirstVisible < 0 && nFarEdge >= 0)
            m_nFirstVisible = i;
        if (nNear <= nLength + 8)
            m_nLastVisible = i;
    }
    m_dwTabStyle &= ~(kPrevEnabled | kNextEnabled);
    if (m_nFirstVisible < 0 || m_nLastVisible < 0) {
        m_nFirstVisible = m_nLastVisible = -1;
        return;
    }
    if (m_nFirstVisible > m_nLastVisible)
        m_nLastVisible = m_nFirstVisible;
    if (bScrollButtons) {
        if (m_nScrollMax >= 1 && m_nScrollPos >= 1)
            m_dwTabStyle |= kPrevEnabled;
        if (m_nScrollMax >= 1 && m_nScrollPos < m_nScrollMax)
            m_dwTabStyle |= kNextEnabled;
    }
}

CRect CUiTabWnd::GetHitRect(int nHit) const
{
    switch (nHit) {
    case kHitRest: return m_rcRest;
    case kHitPrev: return m_rcPrev;
    case kHitNext: return m_rcNext;
    case kHitHelp: return m_rcHelp;
    case kHitClose: return m_rcClose;
    case kHitTabList: return m_rcTabList;
    default: return CRect(0, 0, 0, 0);
    }
}

CRect CUiTabWnd::ItemGetWindowRect(int nIndex) const
{
    const TAB_ITEM_INFO* pItem = ItemGetInfo(nIndex);
    if (pItem == nullptr)
        return CRect(0, 0, 0, 0);
    CRect rc = pItem->m_rcItem;
    const int nShift = Along(m_rcItemsArea, IsHorizontal(), false) - m_nScrollPos;
    if (IsHorizontal())
        rc.OffsetRect(nShift, 0);
    else
        rc.OffsetRect(0, nShift);
    return rc;
}

int CUiTabWnd::HitTestTabIn(CPoint pt, const CRect& rcClient) const
{
    if (rcClient.IsRectEmpty() || !rcClient.PtInRect(pt))
        return kHitOutside;
    for (int nHit = kHitRest; nHit >= kHitTabList; --nHit) {
        if (nHit == kHitItemsArea)
            continue;
        if (GetHitRect(nHit).PtInRect(pt))
            return nHit;
    }
    if (!m_rcItemsArea.PtInRect(pt))
        return kHitOutside;
    if (m_nVisibleCount == 0 || m_nFirstVisible < 0)
        return kHitItemsArea;
    for (int i = m_nFirstVisible; i <= m_nLastVisible && i < ItemGetCount(); ++i) {
        if (m_arrItems[i]->IsVisible() && ItemGetWindowRect(i).PtInRect(pt))
            return i;
    }
    return kHitItemsArea;
}

int CUiTabWnd::HitTestTab(CPoint pt) const
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return kHitOutside;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    return HitTestTabIn(pt, rcClient);
}

bool CUiTabWnd::ItemEnsureVisible(int nIndex, bool bUpdate)
{
    const TAB_ITEM_INFO* pItem = ItemGetInfo(nIndex);
    if (pItem == nullptr || !pItem->IsVisible()) {
        UpdateLayout(bUpdate);
        return false;
    }
    RecalcTabLayout();
    if (m_nScrollMax > 0) {
        const bool bHorz = IsHorizontal();
        const int nLength = GetItemsAreaLength();
        const int nNear = Along(pItem->m_rcItem, bHorz, false) - m_nScrollPos;
        const int nFarEdge = Along(pItem->m_rcItem, bHorz, true) - m_nScrollPos;
        if (nFarEdge > nLength + 6) {
            m_nScrollPos += nFarEdge - nLength;
            m_nScrollPos = std::min(m_nScrollPos + 6, m_nScrollMax);
        }
        if (nNear < 0) {
            m_nScrollPos += nNear;
            m_nScrollPos = std::max(m_nScrollPos - 6, 0);
        }
        m_nScrollPos = std::min(m_nScrollPos, m_nScrollMax);
    }
    UpdateLayout(bUpdate);
    return true;
}

void CUiTabWnd::ScrollItems(int nStep, bool bRepeat)
{
    if (m_nScrollMax <= 0 || m_rcItemsArea.IsRectEmpty() || m_nVisibleCount == 0 || nStep == 0)
        return;
    if ((nStep < 0 && m_nScrollPos <= 0) || (nStep > 0 && m_nScrollPos >= m_nScrollMax))
        return;
    if (bRepeat) {
        const int nDistance = (m_dwTabStyle & kScrollByPage) ? GetItemsAreaLength()
                              : nStep > 0 ? m_nScrollMax - m_nScrollPos
                                          : m_nScrollPos;
        m_nScrollRemaining = nStep > 0 ? nDistance : -nDistance;
        if (m_hWnd != NULL && m_nScrollRemaining != 0)
            SetTimer(kScrollTimer, 20, NULL);
        return;
    }
    m_nScrollPos = std::min(std::max(m_nScrollPos + nStep, 0), m_nScrollMax);
    UpdateLayout(true);
}

void CUiTabWnd::OnScrollTimer()
{
    if (m_nScrollRemaining == 0) {
        KillTimer(kScrollTimer);
        return;
    }
    const int nStep = std::min(std::max(m_nScrollRemaining, -10), 10);
    ScrollItems(nStep, false);
    if (m_nScrollRemaining > 0)
        m_nScrollRemaining = std::max(m_nScrollRemaining - 10, 0);
    else
        m_nScrollRemaining = std::min(m_nScrollRemaining + 10, 0);
    if (m_nScrollRemaining == 0)
        KillTimer(kScrollTimer);
}

void CUiTabWnd::StopScroll()
{
    m_nScrollRemaining = 0;
    if (m_hWnd != NULL)
        KillTimer(kScrollTimer);
}
