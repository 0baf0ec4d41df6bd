// Layout of a popup menu: which items show, the content size, the window size, the item and
// button rectangles, hit testing and the placement on the monitor. Everything here reads the
// item array and the menu's rectangles only; no window is needed.
#include <algorithm>
#include "popupmenuwnd.h"

#include "cmditem.h"
#include "monitorinfo.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popuptrackingstate.h"

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

bool IsRarelyUsedCommand(const PopupMenuItemData& item)
{
    const CUiCmdItem* pCmd = item.GetCmdItem();
    return pCmd != nullptr && pCmd->StateIsRarelyUsed();
}

} // namespace

int CUiPopupMenuWnd::GetItemMargin() const
{
    return PaintManager()->GetToolBarButtonGap();
}

BOOL CUiPopupMenuWnd::IsShadowEnabled() const
{
    return CUiPopupBaseWnd::IsShadowEnabled() && (m_nTrackFlags & kNoShadow) == 0;
}

int CUiPopupMenuWnd::GetShadowSize() const
{
    return IsShadowEnabled() ? PaintManager()->GetMenuShadowSize() : 0;
}

void CUiPopupMenuWnd::GetContentRect(RECT& rc) const
{
    rc = m_rcContent;
}

void CUiPopupMenuWnd::ResetTrackingFields()
{
    InitAnimation();
    m_bBaseFlags &= ~kJoined;
    m_bState &= 0xF0;
    m_nTrackFlags = 0;
    m_nScrollPos = 0;
    m_nScrollStep = 0;
    m_nCurIndex = m_nPendingSubmenu = m_nHoverIndex = -1;
    m_nExpandHover = 0;
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    m_rcExpand.SetRectEmpty();
    m_nJoinedSide = 0;
    m_pCookie = nullptr;
    m_pfnCallback = nullptr;
    m_bCookieFlag = 0;
}

void CUiPopupMenuWnd::RecalcItemLayout()
{
    int cxIcons = 22;
    for (int i = 0; i < ItemGetCount(); ++i)
        cxIcons = std::max(cxIcons, m_items[i].m_cxIconArea);
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[i];
        if ((item.m_bFlags1 & MENUITEMDATA::kCompact) != 0)
            continue;
        const int nGrowth = cxIcons - item.m_cxIconArea;
        item.m_cxIconArea = cxIcons;
        if (nGrowth > 0 && !item.IsSeparator())
            item.m_cx += nGrowth;
    }
    m_bState &= ~kHasHidden;
    m_sizeContent = CSize(1, 1);
    const bool bShowAll = (m_bState & kExpanded) != 0 || (m_nTrackFlags & kShowAll) != 0;
    bool bAnyShown = false;
    int nPendingSeparator = -1;
    for (int i = 0; i < ItemGetCount(); ++i) {
        MENUITEMDATA& item = m_items[i];
        item.m_nIndex = i;
        bool bShown = true;
        if (bShowAll) {
            if (item.m_pSubmenu != nullptr)
                item.m_pSubmenu->RecalcItemLayout();
        } else if (item.IsSubmenu()) {
            if (item.m_pSubmenu != nullptr)
                item.m_pSubmenu->RecalcItemLayout();
            bShown = (item.m_bFlags2 & MENUITEMDATA::kOwnItem) != 0 || item.m_pSubmenu == nullptr ||
                     !item.m_pSubmenu->AreAllItemsHidden();
        } else if (item.IsSeparator()) {
            bShown = nPendingSeparator < 0 && bAnyShown;
        } else {
            bShown = item.m_pfnClick != nullptr || !IsRarelyUsedCommand(item);
        }
        if ((item.m_bFlags1 & MENUITEMDATA::kAlwaysDisplayed) != 0)
            bShown = true;
        if (bShown && item.IsSeparator() && !bShowAll)
            nPendingSeparator = i;
        else if (bShown && !item.IsSeparator())
            nPendingSeparator = -1;
        if (bShown && !item.IsSeparator())
            bAnyShown = true;
        item.m_bFlags1 = (BYTE)(bShown ? item.m_bFlags1 | MENUITEMDATA::kDisplayed
                                       : item.m_bFlags1 & ~MENUITEMDATA::kDisplayed);
        if (bShown) {
            m_sizeContent.cy += item.m_cy;
            m_sizeContent.cx = std::max<LONG>(m_sizeContent.cx, item.m_cx);
        } else {
            m_bState |= kHasHidden;
        }
    }
    if (nPendingSeparator >= 0) {
        MENUITEMDATA& item = m_items[nPendingSeparator];
        if ((item.m_bFlags1 & MENUITEMDATA::kAlwaysDisplayed) == 0) {
            item.m_bFlags1 &= ~MENUITEMDATA::kDisplayed;
            m_sizeContent.cy -= item.m_cy;
        }
    }
    m_sizeContent.cx = std::max<LONG>(m_sizeContent.cx, 80);
}

CSize CUiPopupMenuWnd::CalcMenuSize() const
{
    const int s = GetShadowSize();
    const int g = GetItemMargin();
    const bool bHidden = (m_bState & kHasHidden) != 0;
    int cx = m_sizeContent.cx + m_cxLeftArea + s + 2 * g;
    int cy = m_sizeContent.cy + s + 2 * g + (bHidden ? PaintManager()->GetMenuCheckMarkHeight() : 0);
    cx = std::max(cx, 2 * s + 10);
    cy = std::max(cy, 2 * s + 10);
    cy += bHidden ? 2 : 1;
    return CSize(cx, cy);
}

void CUiPopupMenuWnd::CalcScrollAndExpandRects()
{
    const CRect& c = m_rcContent;
    const int g = GetItemMargin();
    const int h = PaintManager()->GetMenuCheckMarkHeight();
    m_rcExpand.SetRectEmpty();
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    if ((m_bState & kHasHidden) != 0) {
        m_rcExpand.SetRect(c.left + g, c.bottom - g - h, c.right - g, c.bottom - g);
        m_rcExpand.DeflateRect(1, 0);
        m_rcExpand.OffsetRect(0, -1);
    }
    if ((m_bState & kScrollable) != 0) {
        m_rcScrollUp.SetRect(c.left + g, c.top + g, c.right - g, c.top + g + h);
        m_rcScrollDown.SetRect(c.left + g, c.bottom - g - h, c.right - g, c.bottom - g);
        if ((m_bState & kHasHidden) != 0)
            m_rcScrollDown.OffsetRect(0, -h);
        m_rcScrollUp.DeflateRect(1, 0);
        m_rcScrollDown.DeflateRect(1, 0);
        m_rcScrollUp.left += m_cxLeftArea;
        m_rcScrollDown.left += m_cxLeftArea;
        m_rcScrollDown.OffsetRect(0, -1);
    }
}

void CUiPopupMenuWnd::GetItemRect(int nIndex, RECT& rcOut) const
{
    CRect c(m_rcContent);
    c.left += m_cxLeftArea;
    ::SetRectEmpty(&rcOut);
    if (nIndex == kScrollUp || nIndex == kScrollDown) {
        if ((m_bState & kScrollable) != 0)
            rcOut = nIndex == kScrollUp ? m_rcScrollUp : m_rcScrollDown;
        return;
    }
    if (nIndex == kExpandButton) {
        if ((m_bState & kHasHidden) != 0)
            rcOut = m_rcExpand;
        return;
    }
    if (nIndex < 0 || nIndex >= ItemGetCount() || !m_items[nIndex].IsDisplayed())
        return;
    const int g = GetItemMargin();
    int top = m_nScrollPos + g + 1;
    for (int i = 0; i < nIndex; ++i) {
        if (m_items[i].IsDisplayed())
            top += m_items[i].m_cy;
    }
    const MENUITEMDATA& item = m_items[nIndex];
    CRect rc(g + 1, top, g + m_sizeContent.cx - 1, top + item.m_cy);
    if ((item.m_bFlags1 & MENUITEMDATA::kCompact) != 0) {
        rc.left = g + 3;
        rc.right = item.m_cx;
    }
    rc.OffsetRect(c.left, c.top);
    rcOut = rc;
}

int CUiPopupMenuWnd::HitTestItem(CPoint pt, bool* pbOnEdit, bool* pbOnArrow) const
{
    if (pbOnEdit != nullptr)
        *pbOnEdit = false;
    if (pbOnArrow != nullptr)
        *pbOnArrow = false;
    if (!m_rcContent.PtInRect(pt))
        return -1;
    if ((m_bState & kScrollable) != 0) {
        if (m_rcScrollUp.PtInRect(pt) && m_nScrollPos != 0)
            return kScrollUp;
        if (m_rcScrollDown.PtInRect(pt) && m_nScrollPos > GetMaxScrollPos())
            return kScrollDown;
    }
    if ((m_bState & kHasHidden) != 0 && m_rcExpand.PtInRect(pt))
        return kExpandButton;
    for (int i = 0; i < ItemGetCount(); ++i) {
        if (!m_items[i].IsDisplayed())
            continue;
        CRect rc;
        GetItemRect(i, rc);
        if (!rc.PtInRect(pt))
            continue;
        const MENUITEMDATA& item = m_items[i];
        if (item.HasInplaceEdit()) {
            CRect rcField;
            item.GetEditFieldRect(rc, rcField);
            if (pbOnEdit != nullptr)
                *pbOnEdit = rcField.PtInRect(pt) != FALSE;
            if (pbOnArrow != nullptr && item.IsSubmenu())
                *pbOnArrow = pt.x >= rcField.right && pt.x < rcField.right + ::GetSystemMetrics(SM_CXHTHUMB);
        }
        return i;
    }
    return -1;
}

int CUiPopupMenuWnd::GetMaxScrollPos() const
{
    int nSpan = m_sizeContent.cy + 2 * GetItemMargin() + GetShadowSize() - m_rcContent.Height();
    if ((m_bState & kHasHidden) != 0)
        nSpan += PaintManager()->GetMenuCheckMarkHeight();
    return -nSpan;
}

void CUiPopupMenuWnd::GetVisibleItemDefinitions(CDC* pDC, VisibleItems& items) const
{
    items.RemoveAll();
    const bool bNested = IsNestedTracking() != FALSE;
    for (int i = 0; i < ItemGetCount(); ++i) {
        const MENUITEMDATA& item = m_items[i];
        if (!item.IsDisplayed())
            continue;
        CRect rc;
        GetItemRect(i, rc);
        if (rc.IsRectEmpty() || (pDC != nullptr && !pDC->RectVisible(&rc)))
            continue;
        VisibleItemDefinition_t def;
        def.m_nIndex = i;
        def.m_nCmdId = item.GetCmdID();
        def.m_rcItem = rc;
        if (item.IsSeparator())
            def.m_bFlags |= 0x08;
        if (item.IsSubmenu()) {
            def.m_bFlags |= 0x10;
            if (item.m_pSubmenu != nullptr && item.m_pSubmenu->AreAllItemsHidden() &&
                (item.m_bFlags2 & MENUITEMDATA::kOwnItem) == 0 &&
                (item.m_bFlags1 & MENUITEMDATA::kAlwaysDisplayed) == 0)
                def.m_bFlags |= 0x01;
        } else if (!item.IsSeparator() && !bNested && IsRarelyUsedCommand(item)) {
            def.m_bFlags |= 0x01;
        }
        items.Add(def);
    }
    for (int i = 0; i < items.GetSize(); ++i) {
        if (i > 0 && (items[i - 1].m_bFlags & 0x01) != 0)
            items[i].m_bFlags |= 0x02;
        if (i + 1 < items.GetSize() && (items[i + 1].m_bFlags & 0x01) != 0)
            items[i].m_bFlags |= 0x04;
    }
    for (int i = 1; !bNested && i + 1 < items.GetSize(); ++i) {
        VisibleItemDefinition_t& def = items[i];
        if ((def.m_bFlags & 0x08) != 0 && (def.m_bFlags & 0x06) == 0x06) {
            def.m_bFlags |= 0x01;
            items[i - 1].m_bFlags |= 0x04;
            items[i + 1].m_bFlags |= 0x02;
        }
    }
}

BOOL CUiPopupMenuWnd::CalcPopupPosition(CRect& rcOut)
{
    for (int nRound = 0; nRound < 4; ++nRound) {
        m_nJoinedSide = 0;
        MonitorInfo mi;
        if ((m_bBaseFlags & kHasExclude) != 0)
            MonitorInfoFromRect(mi, m_rcExclude);
        else if (m_pParent != nullptr && ::IsWindow(m_pParent->GetSafeHwnd()))
            MonitorInfoFromWindow(mi, m_pParent);
        else
            MonitorInfoFromPoint(mi, m_ptTrack);
        const CRect limit(g_bKeepInWorkArea ? mi.rcWork : mi.rcMonitor);
        const CSize size = CalcMenuSize();
        const int s = GetShadowSize();
        const int g = GetItemMargin();
        const bool bJoined = (m_bBaseFlags & kJoined) != 0;
        const bool bExclude = (m_bBaseFlags & kHasExclude) != 0;
        const int nSlack = bJoined ? 0 : g + s;
        if (m_pParent != nullptr && (m_nTrackFlags & kPlacementMask) == 0 && !bJoined &&
            ::IsWindow(m_pParent->GetSafeHwnd())) {
            if ((m_pParent->m_nTrackFlags & kPlacementMask) != 0) {
                m_nTrackFlags |= m_pParent->m_nTrackFlags & ~kPlacementMask;
            } else if (m_pParent->m_pParent != nullptr && ::IsWindow(m_pParent->m_pParent->GetSafeHwnd())) {
                CRect rcParent, rcGrand;
                m_pParent->GetWindowRect(rcParent);
                m_pParent->m_pParent->GetWindowRect(rcGrand);
                const bool bLeft = rcParent.CenterPoint().x < rcGrand.CenterPoint().x;
                m_nTrackFlags |= bLeft ? 3 : 1;
                // The placement found here also places the point, as it would have before:
                // else a submenu of a submenu that opened to the left still starts at the
                // item's right edge and opens to the right.
                if (bExclude)
                    m_ptTrack = bLeft ? CPoint(m_rcExclude.left - size.cx, m_rcExclude.top)
                                      : CPoint(m_rcExclude.right, m_rcExclude.top);
            }
        }
        const UINT nPlacement = m_nTrackFlags & kPlacementMask;
        const CRect& e = m_rcExclude;
        CRect r(m_ptTrack, size);
        int nJoinOffset = 0;
        if (bJoined) {
            if (nPlacement == 4 || nPlacement == 1)
                nJoinOffset = 1;
            else if (nPlacement == 6 || nPlacement == 3)
                nJoinOffset = -(s + 1);
            if (nPlacement == 4 || nPlacement == 6)
                r.OffsetRect(0, -nJoinOffset);
            else if (nPlacement == 1 || nPlacement == 3)
                r.OffsetRect(-nJoinOffset, 0);
        }
        if (r.bottom > limit.bottom && bExclude)
            r.OffsetRect(0, e.Height() - r.Height() + nSlack + (bJoined ? s : 0));
        if (r.bottom > limit.bottom)
            r.OffsetRect(0, bExclude ? limit.bottom - r.bottom : -r.Height());
        if (r.top < limit.top)
            r.OffsetRect(0, limit.top - r.top);
        const bool bSubmenuBeside = m_pParent != nullptr && bExclude;
        if (r.right > limit.right && bSubmenuBeside)
            r.OffsetRect(-(e.Width() + r.Width()), 0);
        if (r.right > limit.right)
            r.OffsetRect(bExclude ? limit.right - r.right : -r.Width(), 0);
        if (r.left < limit.left && bSubmenuBeside)
            r.OffsetRect(e.Width() + r.Width(), 0);
        if (r.left < limit.left)
            r.OffsetRect(limit.left - r.left, 0);
        if ((bExclude || bJoined) && (CRect().IntersectRect(r, e) || bJoined)) {
            const int nRoomLeft = std::max<LONG>(0, e.left - limit.left);
            const int nRoomAbove = std::max<LONG>(0, e.top - limit.top);
            const int nRoomBelow = std::max<LONG>(0, limit.bottom - e.bottom);
            if (nPlacement == 3 && nRoomLeft > r.Width()) {
                r.OffsetRect(e.left - nJoinOffset - r.right, 0);
            } else if (nPlacement == 6 && nRoomAbove > r.Height()) {
                r.OffsetRect(0, e.top - nJoinOffset - r.bottom);
            } else if (nPlacement == 4 && nRoomBelow <= r.Height()) {
                const HWND hWnd = GetSafeHwnd();
                if (::IsWindow(hWnd)) {
                    CRect rcOld;
                    GetWindowRect(rcOld);
                    ShowWindow(SW_HIDE);
                    ResetShadowAndSurfaces();
                    PumpPendingMessages(g_bIdlePump);
                    // The pump may have ended the tracking and deleted this menu with its
                    // window: nothing of it may be touched then.
                    if (!::IsWindow(hWnd)) {
                        rcOut.SetRectEmpty();
                        return FALSE;
                    }
                    ::RedrawWindow(NULL, rcOld, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                }
                m_nTrackFlags = (m_nTrackFlags & ~(UINT)0x9) | 6;
                continue;
            }
        }
        const bool bTop = m_pParent == nullptr;
        auto clamp = [&](LONG delta, bool bVertical) {
            if (delta == 0)
                return;
            r.OffsetRect(bVertical ? 0 : delta, bVertical ? delta : 0);
            if (bTop)
                m_bBaseFlags &= ~(kHasExclude | kJoined);
        };
        if (r.left < limit.left)
            clamp(limit.left - r.left, false);
        if (r.right > limit.right)
            clamp(limit.right - r.right, false);
        if (r.top < limit.top)
            clamp(limit.top - r.top, true);
        if (r.bottom > limit.bottom)
            clamp(limit.bottom - r.bottom, true);
        if (r.Height() > limit.Height()) {
            r.top = limit.top;
            r.bottom = limit.bottom;
            m_bState |= kScrollable;
        }
        if ((m_bBaseFlags & kJoined) == 0) {
            m_rcContent.SetRect(0, 0, r.Width() - s, r.Height() - s);
            rcOut = r;
            return TRUE;
        }
        const CRect rb(r.left, r.top, r.right - s, r.bottom - s);
        if (rb.bottom - 1 == e.top || rb.bottom == e.top)
            m_nJoinedSide = 2;
        else if (rb.top + 1 == e.bottom || rb.top == e.bottom)
            m_nJoinedSide = 1;
        else if (rb.left + 1 == e.right || rb.left == e.right)
            m_nJoinedSide = 4;
        else if (rb.right - 1 == e.left || rb.right == e.left)
            m_nJoinedSide = 3;
        if (m_nJoinedSide == 0) {
            m_bBaseFlags &= ~kJoined;
            continue;
        }
        CRect ePrime(e.left, e.top, e.right + s, e.bottom + s);
        CRect rcWindow;
        rcWindow.UnionRect(r, ePrime);
        if (m_pParent != nullptr) {
            if (m_nJoinedSide == 3 || m_nJoinedSide == 4)
                rcWindow.bottom -= s;
            else
                rcWindow.right -= s;
        }
        m_rgnWindow.DeleteObject();
        CRect rR(r), rE(ePrime);
        rR.OffsetRect(-rcWindow.left, -rcWindow.top);
        rE.OffsetRect(-rcWindow.left, -rcWindow.top);
        m_rgnWindow.CreateRectRgnIndirect(rR);
        CRgn rgnButton;
        rgnButton.CreateRectRgnIndirect(rE);
        m_rgnWindow.CombineRgn(&m_rgnWindow, &rgnButton, RGN_OR);
        m_rcContent.SetRect(rR.left, rR.top, rR.right - s, rR.bottom - s);
        if (m_pParent != nullptr)
            rcWindow.OffsetRect(m_nJoinedSide == 3 ? s + 1 : (m_nJoinedSide == 4 ? -2 : 0), 0);
        rcOut = rcWindow;
        return TRUE;
    }
    rcOut.SetRectEmpty();
    return FALSE;
}
