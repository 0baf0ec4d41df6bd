// Painting a popup menu through the current paint manager, and the frames of its opening
// animation.
#include <algorithm>
#include <cstring>
#include <vector>
#include "popupmenuwnd.h"

#include "paintmanager.h"
#include "menuitempaintdata.h"
#include "paintmanagerholder.h"
#include "pushbuttonpaintdata.h"
#include "popuptrackingstate.h"

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

} // namespace

struct PopupItemDrawRecord {
    CDC* m_pDC;
    const RECT* m_pRect;
    PopupMenuItemData* m_pItem;
    CUiPopupMenuWnd* m_pMenu;
    BYTE m_bFlags;
};

struct PopupLeftAreaRecord {
    CDC* m_pDC;
    const RECT* m_pRect;
    CUiPopupMenuWnd* m_pMenu;
};

void CUiPopupMenuWnd::PaintDefaultItem(CDC& dc, const RECT& rcItem, MENUITEMDATA& item, BYTE bDrawFlags)
{
    CUiPaintManager* pPM = PaintManager();
    const bool bSubmenuShown = item.m_pSubmenu != nullptr && ::IsWindow(item.m_pSubmenu->GetSafeHwnd()) &&
                               item.m_pSubmenu->IsWindowVisible();
    const bool bEnabled = item.IsSubmenu() || item.IsEnabled();
    const bool bCurrent = (item.m_bFlags1 & MENUITEMDATA::kCurrent) != 0;
    CUiCmdIcon* pIcon = item.GetIcon();
    const CString text = item.GetText();
    if ((item.m_bFlags1 & MENUITEMDATA::kCompact) != 0) {
        PushButtonPaintData data(this, TRUE, rcItem, text, pIcon, FALSE, FALSE, bCurrent && !bSubmenuShown, FALSE,
                                 bEnabled, TRUE, FALSE, FALSE, 4, NULL, item.IsSubmenu(), 0, FALSE);
        pPM->PaintPushButton(dc, data);
        return;
    }
    const bool bCommand = item.IsCommand();
    const CString accel = item.GetAccelText();
    MenuItemPaintData data(this, rcItem, item.m_cxIconArea, text, accel, pIcon, (bDrawFlags & 0x02) != 0, bCurrent,
                           bCommand && (item.m_bFlags1 & MENUITEMDATA::kChecked) != 0,
                           bCommand && (item.m_bFlags2 & MENUITEMDATA::kRadio) != 0,
                           bCommand && (item.m_bFlags2 & MENUITEMDATA::kIndeterminate) != 0, bEnabled,
                           (bDrawFlags & 0x04) != 0, (bDrawFlags & 0x08) != 0, (bDrawFlags & 0x10) != 0,
                           item.GetCmdID());
    if ((item.m_bFlags1 & MENUITEMDATA::kPaintBit) != 0)
        data.m_bFlags2 |= MenuItemPaintData::kNoIconArea;
    if (item.HasInplaceEdit()) {
        CRect rcField;
        item.GetEditFieldRect(rcItem, rcField);
        data.m_rcInPlace = rcField;
        data.m_strInPlace = item.GetInplaceValueText();
    }
    if (bSubmenuShown)
        data.m_bInPlaceFlags |= MenuItemPaintData::kInPlaceDropDownPushed;
    pPM->PaintMenuItem(dc, data);
}

void CUiPopupMenuWnd::PaintJoinedItem(CDC& dc, CUiPopupMenuWnd& submenu, int nIndex, const RECT& rcExclude)
{
    if (nIndex < 0 || nIndex >= ItemGetCount() || !::IsWindow(submenu.GetSafeHwnd()))
        return;
    MENUITEMDATA& item = m_items[nIndex];
    CRect rcItem, rcButton(rcExclude), rcBody;
    GetItemRect(nIndex, rcItem);
    submenu.ScreenToClient(rcButton);
    rcItem.OffsetRect(rcButton.TopLeft() - rcItem.TopLeft());
    submenu.GetContentRect(rcBody);
    dc.ExcludeClipRect(rcBody);
    const PopupTrackingState& state = GetTrackingState();
    const bool bOwnerDraw = state.m_pRoot != nullptr && (state.m_pRoot->m_nTrackFlags & kOwnerDraw) != 0;
    const BYTE bFlags = (BYTE)((bOwnerDraw ? 0x01 : 0) | (item.IsSubmenu() ? 0x02 : 0));
    bool bDrawn = false;
    if (bOwnerDraw && ::IsWindow(m_hWndReceiver)) {
        PopupItemDrawRecord record = {&dc, &rcItem, &item, this, bFlags};
        bDrawn = ::SendMessageA(m_hWndReceiver, g_nMsgPopupDrawItem, 0, (LPARAM)&record) != 0;
    }
    if (!bDrawn)
        PaintDefaultItem(dc, rcItem, item, bFlags);
    dc.SelectClipRgn(nullptr);
}

void CUiPopupMenuWnd::PaintContent(CDC& dcTarget, BOOL bToWindow)
{
    CUiPaintManager* pPM = PaintManager();
    CRect rcClient;
    if (::IsWindow(m_hWnd))
        GetClientRect(rcClient);
    else
        rcClient.SetRect(0, 0, m_rcContent.right + GetShadowSize(), m_rcContent.bottom + GetShadowSize());
    // A shown in-place edit paints itself.
    if (::IsWindow(m_hWnd)) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(hChild))
                continue;
            CRect rcChild;
            ::GetWindowRect(hChild, rcChild);
            ScreenToClient(rcChild);
            dcTarget.ExcludeClipRect(rcChild);
        }
    }
    CRect rcContent;
    GetContentRect(rcContent);
    CDC dcMem;
    CBitmap bmp;
    CBitmap* pOldBmp = nullptr;
    CDC* pDC = &dcTarget;
    if (bToWindow && dcMem.CreateCompatibleDC(&dcTarget) &&
        bmp.CreateCompatibleBitmap(&dcTarget, rcClient.Width(), rcClient.Height())) {
        pOldBmp = dcMem.SelectObject(&bmp);
        dcMem.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcTarget, 0, 0, SRCCOPY);
        pDC = &dcMem;
    }
    CDC& dc = *pDC;
    CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
    dc.FillSolidRect(rcContent, pPM->GetThemeFillColor());
    pPM->PaintMenuBorder(dc, rcContent, this, 0);
    const int m = GetItemMargin();
    CRgn rgnClip;
    rgnClip.CreateRectRgnIndirect(rcClient);
    dc.SelectClipRgn(&rgnClip);
    auto exclude = [&](const CRect& rc) {
        if (!rc.IsRectEmpty())
            dc.ExcludeClipRect(rcClient.left, rc.top - 1, rcClient.right, rc.bottom + 1);
    };
    CRect rcExpand, rcUp, rcDown;
    GetItemRect(kExpandButton, rcExpand);
    const bool bScrollable = (m_bState & kScrollable) != 0;
    if (bScrollable && m_nScrollPos != 0)
        GetItemRect(kScrollUp, rcUp);
    if (bScrollable && m_nScrollPos != GetMaxScrollPos())
        GetItemRect(kScrollDown, rcDown);
    exclude(rcExpand);
    exclude(rcUp);
    exclude(rcDown);
    dc.ExcludeClipRect(rcClient.left, rcClient.top, rcClient.right, rcContent.top + m);
    dc.ExcludeClipRect(rcClient.left, rcContent.bottom - m, rcClient.right, rcClient.bottom);
    VisibleItems items;
    GetVisibleItemDefinitions(nullptr, items);
    const PopupTrackingState& state = GetTrackingState();
    const bool bOwnerDraw = !IsNestedTracking() && state.m_pRoot != nullptr &&
                            (state.m_pRoot->m_nTrackFlags & kOwnerDraw) != 0;
    bool bPrevCompact = false;
    for (int i = 0; i < items.GetSize(); ++i) {
        const VisibleItemDefinition_t& def = items[i];
        MENUITEMDATA& item = m_items[def.m_nIndex];
        if (!item.IsSeparator()) {
            BYTE bFlags = (BYTE)(item.IsSubmenu() ? 0x02 : 0);
            if (g_bHighlightRarelyUsed)
                bFlags |= (BYTE)((def.m_bFlags & 0x07) << 2);
            bool bDrawn = false;
            if (bOwnerDraw && ::IsWindow(m_hWndReceiver)) {
                PopupItemDrawRecord record = {&dc, &def.m_rcItem, &item, this, (BYTE)(bFlags | 0x01)};
                bDrawn = ::SendMessageA(m_hWndReceiver, g_nMsgPopupDrawItem, 0, (LPARAM)&record) != 0;
            }
            if (!bDrawn)
                PaintDefaultItem(dc, def.m_rcItem, item, bFlags);
            bPrevCompact = (item.m_bFlags1 & MENUITEMDATA::kCompact) != 0;
            continue;
        }
        if (bPrevCompact) {
            const CRect& r = def.m_rcItem;
            const int top = r.top - 1 + r.Height() / 2;
            pPM->PaintSeparator(dc, CRect(r.left, top, r.right, top + 2), TRUE, FALSE, this, 0);
        } else {
            pPM->PaintInsetLine(dc, def.m_rcItem, item.m_cxIconArea, (def.m_bFlags & 0x01) != 0, this, 0);
        }
        bPrevCompact = false;
    }
    dc.SelectClipRgn(nullptr);
    CPoint ptHot;
    ::GetCursorPos(&ptHot);
    if (::IsWindow(m_hWnd))
        ScreenToClient(&ptHot);
    if (!rcExpand.IsRectEmpty())
        pPM->PaintMenuExpandButton(dc, rcExpand, rcExpand.PtInRect(ptHot), this);
    // The scroll buttons: arrows of the symbol font, pressed while scrolling their way.
    const struct {
        const CRect& rc;
        LPCSTR pszArrow;
        bool bPushed;
    } buttons[] = {{rcUp, "t", m_nScrollStep > 0 || m_nCurIndex == kScrollUp},
                   {rcDown, "u", m_nScrollStep < 0 || m_nCurIndex == kScrollDown}};
    for (const auto& button : buttons) {
        if (button.rc.IsRectEmpty())
            continue;
        PushButtonPaintData data(this, TRUE, button.rc, button.pszArrow, nullptr, TRUE,
                                 button.rc.PtInRect(ptHot), button.bPushed || button.rc.PtInRect(ptHot), FALSE,
                                 TRUE, FALSE, FALSE, FALSE, 1 | 4, (HFONT)pPM->m_fontMarlett.GetSafeHandle(), FALSE,
                                 0, FALSE);
        pPM->PaintPushButton(dc, data);
    }
    if (m_cxLeftArea != 0 && ::IsWindow(m_hWndReceiver)) {
        const CRect rcBand(rcContent.left + m, rcContent.top + m, rcContent.left + m + m_cxLeftArea,
                           rcContent.bottom - m);
        PopupLeftAreaRecord record = {&dc, &rcBand, this};
        ::SendMessageA(m_hWndReceiver, g_nMsgPopupDrawLeftArea, 0, (LPARAM)&record);
    }
    if ((m_bBaseFlags & kJoined) != 0 && ::IsWindow(m_hWnd)) {
        CRect rcButton(m_rcExclude);
        ScreenToClient(rcButton);
        pPM->PaintMenuJoinedArea(dc, rcButton, rcClient, m_nJoinedSide, this, 0);
        if (m_pfnCallback != nullptr)
            m_pfnCallback(m_pCookie, dc, this, m_rcExclude, m_nJoinedSide);
    }
    dc.SelectObject(pOldFont);
    const int s = GetShadowSize();
    if (IsShadowEnabled() && IsAnimationEnded() && s > 0) {
        // The shadow darkens what lay under the window before it showed.
        if (m_bmpUnder.GetSafeHandle() != NULL && !m_shadowBody.HasCachedStrips()) {
            CDC dcUnder;
            dcUnder.CreateCompatibleDC(&dc);
            CBitmap* pOld = dcUnder.SelectObject(&m_bmpUnder);
            dc.BitBlt(rcContent.right, rcContent.top, s, rcContent.Height() + s, &dcUnder, rcContent.right,
                      rcContent.top, SRCCOPY);
            dc.BitBlt(rcContent.left, rcContent.bottom, rcContent.Width() + s, s, &dcUnder, rcContent.left,
                      rcContent.bottom, SRCCOPY);
            dcUnder.SelectObject(pOld);
        }
        const CRect rcNone(0, 0, 0, 0);
        m_shadowBody.Paint(dc, rcContent, rcNone, rcNone, s, 75, 100, TRUE, TRUE, FALSE);
    }
    if (pOldBmp != nullptr) {
        dcTarget.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBmp);
    }
    pPM->EndPaintSession(this, 0);
}

void CUiPopupMenuWnd::PaintExpandFrame(CDC& dcFrame, CDC& dcContent, int p)
{
    // The newly shown (rarely used) items grow from nothing while the others keep their
    // height, so the menu seems to open up between its items.
    const CRect& c = m_rcContent;
    VisibleItems items;
    GetVisibleItemDefinitions(nullptr, items);
    if (items.GetSize() == 0) {
        dcFrame.StretchBlt(c.left, c.top, c.Width(), p * c.Height() / 100, &dcContent, c.left, c.top, c.Width(),
                           c.Height(), SRCCOPY);
        return;
    }
    std::vector<CRect> sources, targets;
    int nTargetTop = c.top;
    int nSourceTotal = 0, nTargetTotal = 0;
    for (int i = 0; i < items.GetSize(); ++i) {
        const CRect& rc = items[i].m_rcItem;
        const int top = i == 0 ? c.top : rc.top;
        const int bottom = i == items.GetSize() - 1 ? c.bottom : rc.bottom;
        const CRect src(c.left, top, c.right, bottom);
        const int h = (items[i].m_bFlags & 0x01) != 0 ? src.Height() * p / 100 : src.Height();
        sources.push_back(src);
        targets.push_back(CRect(c.left, nTargetTop, c.right, nTargetTop + h));
        nTargetTop += h;
        nSourceTotal += src.Height();
        nTargetTotal += h;
    }
    const int nShift = (m_bBaseFlags & kJoined) != 0 && m_nJoinedSide == 2 ? nSourceTotal - nTargetTotal : 0;
    for (size_t i = 0; i < targets.size(); ++i) {
        const CRect& t = targets[i];
        if (!t.IsRectEmpty())
            dcFrame.BitBlt(t.left, t.top + nShift, t.Width(), t.Height(), &dcContent, sources[i].left,
                           sources[i].top, SRCCOPY);
    }
}

void CUiPopupMenuWnd::RenderAnimationFrame(CDC& dc)
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect rcClient;
    GetClientRect(rcClient);
    const int cx = rcClient.Width();
    const int cy = rcClient.Height();
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return;
    const bool bPixels = m_nAnimation != 4 || ScreenBitsPerPixel() > 8;
    if (m_bmpContent.GetSafeHandle() == NULL) {
        if (bPixels) {
            if (!MakeSections(dc, dcMem, cx, cy))
                return;
        } else {
            if (!m_bmpContent.CreateCompatibleBitmap(&dc, cx, cy))
                return;
            CBitmap* pOld = dcMem.SelectObject(&m_bmpContent);
            PaintContent(dcMem, FALSE);
            dcMem.SelectObject(pOld);
        }
    }
    CBitmap* pShow = &m_bmpContent;
    const int p = std::min(m_nProgress, 100);
    if (m_nAnimation == 4 && m_pFrameBits != nullptr) {
        FadePixels(m_pFrameBits, m_pBackBits, m_pContentBits, cx, cy, p);
        pShow = &m_bmpFrame;
    } else if (m_nAnimation >= 7 && m_nAnimation <= 10 && m_pFrameBits != nullptr) {
        if (m_nPrevProgress == 0 && p > 0 && m_nAnimation != 7)
            memcpy(m_pFrameBits, m_pBackBits, (size_t)cx * cy * 4);
        MixPixels(m_nAnimation, m_pFrameBits, m_pBackBits, m_pContentBits, cx, cy, p, m_nPrevProgress);
        pShow = &m_bmpFrame;
    } else if ((m_nAnimation == -2 || m_nAnimation == 2 || m_nAnimation == 3 || m_nAnimation == 5 ||
                m_nAnimation == 6) &&
               m_pFrameBits != nullptr) {
        // Slides and unfolding: the content moved in or stretched over what lay beneath.
        const CRect& c = m_rcContent;
        memcpy(m_pFrameBits, m_pBackBits, (size_t)cx * cy * 4);
        CDC dcFrame;
        dcFrame.CreateCompatibleDC(&dc);
        CBitmap* pOldFrame = dcFrame.SelectObject(&m_bmpFrame);
        CBitmap* pOldContent = dcMem.SelectObject(&m_bmpContent);
        dcFrame.IntersectClipRect(c);
        if (m_nAnimation == -2) {
            PaintExpandFrame(dcFrame, dcMem, p);
        } else if (m_nAnimation <= 3) {
            const int dx = m_nAnimation == 2 ? (100 - p) * c.Width() / 100 : 0;
            const int dy = (100 - p) * c.Height() / 100;
            dcFrame.BitBlt(c.left - dx, c.top - dy, c.Width(), c.Height(), &dcMem, c.left, c.top, SRCCOPY);
        } else {
            const int sw = m_nAnimation == 5 ? p * c.Width() / 100 : c.Width();
            const int sh = p * c.Height() / 100;
            const int nOldMode = dcFrame.SetStretchBltMode(COLORONCOLOR);
            dcFrame.StretchBlt(c.left, c.top, sw, sh, &dcMem, c.left, c.top, c.Width(), c.Height(), SRCCOPY);
            dcFrame.SetStretchBltMode(nOldMode);
        }
        dcMem.SelectObject(pOldContent);
        dcFrame.SelectObject(pOldFrame);
        pShow = &m_bmpFrame;
    }
    CBitmap* pOld = dcMem.SelectObject(pShow);
    dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}
