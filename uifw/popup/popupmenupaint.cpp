// Painting a popup menu through the current paint manager, and the frames of its opening
// animation.
#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>
#include "popupmenuwnd.h"

#include "paintmanager.h"
#include "menuitempaintdata.h"
#include "paintmanagerholder.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "windowsversion.h"
#include "pushbuttonpaintdata.h"
#include "popuptrackingstate.h"

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

// The menu's place beside its button (1 below, 2 above, 3 left, 4 right of it) read as the
// side of the menu's border that meets the button, as the border painters number it (1 the
// bottom, 2 the top, 3 the left, 4 the right side).
int BorderSideMeetingButton(int nJoinedSide)
{
    static const int kSides[5] = {0, 2, 1, 4, 3};
    return nJoinedSide >= 1 && nJoinedSide <= 4 ? kSides[nJoinedSide] : 0;
}

// The stretch of the unfolding effects: halftone where the system has it (the NT family),
// else whole pixels. Answers the mode it replaced.
int SetUnfoldStretchMode(CDC& dc)
{
    const bool bHalftone = (PaintManagerHolder::Get().m_wFamilyFlags & kWinNT) != 0;
    const int nOld = dc.SetStretchBltMode(bHalftone ? HALFTONE : COLORONCOLOR);
    if (bHalftone)
        dc.SetBrushOrg(0, 0);
    return nOld;
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
    PaletteScope paletteTarget(dcTarget, &pPM->m_palette);
    CDC dcMem;
    CBitmap bmp;
    CBitmap* pOldBmp = nullptr;
    CDC* pDC = &dcTarget;
    if (bToWindow && dcMem.CreateCompatibleDC(&dcTarget) &&
        bmp.Attach(CreateOffscreenBitmap(dcTarget.GetSafeHdc(), rcClient.Width(), rcClient.Height()))) {
        pOldBmp = dcMem.SelectObject(&bmp);
        dcMem.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcTarget, 0, 0, SRCCOPY);
        pDC = &dcMem;
    }
    CDC& dc = *pDC;
    PaletteScope palette(dc, &pPM->m_palette);
    CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
    dc.FillSolidRect(rcContent, pPM->GetThemeFillColor());
    pPM->PaintMenuBorder(dc, rcContent, this, 0);
    const bool bJoined = (m_bBaseFlags & kJoined) != 0 && m_nJoinedSide != 0 && ::IsWindow(m_hWnd);
    CRect rcButton(m_rcExclude);
    if (bJoined) {
        // The border opens where the button meets it. The body overlaps the button by one
        // pixel; the painter frames its menu rectangle one pixel out on the joined side and
        // leaves the button's inside open, so both are given one pixel toward each other.
        ScreenToClient(rcButton);
        CRect rcMenu(rcContent), rcOpen(rcButton);
        const int nBorderSide = BorderSideMeetingButton(m_nJoinedSide);
        GrowOnSide(rcMenu, nBorderSide, -1);
        GrowOnSide(rcOpen, m_nJoinedSide, 1);
        pPM->PaintMenuJoinedArea(dc, rcMenu, rcOpen, nBorderSide, this, 0);
        // Where the button opens the border, the body's colour (the line next to it, one
        // pixel further from the button) runs up to the button.
        CRect rcSeam(rcOpen);
        rcSeam.DeflateRect(1, 1);
        rcSeam.IntersectRect(rcSeam, rcContent);
        static const POINT kInward[5] = {{0, 0}, {0, 1}, {0, -1}, {-1, 0}, {1, 0}};
        const POINT d = kInward[m_nJoinedSide];
        if (!rcSeam.IsRectEmpty())
            dc.BitBlt(rcSeam.left, rcSeam.top, rcSeam.Width(), rcSeam.Height(), &dc, rcSeam.left + d.x,
                      rcSeam.top + d.y, SRCCOPY);
    }
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
    if (bJoined && m_pfnCallback != nullptr) {
        // The opening button paints itself where it lies in the window, never into the body.
        const int nSaved = dc.SaveDC();
        dc.ExcludeClipRect(rcContent);
        m_pfnCallback(m_pCookie, dc, this, m_rcExclude, m_nJoinedSide);
        dc.RestoreDC(nSaved);
    }
    dc.SelectObject(pOldFont);
    if (IsShadowEnabled() && IsAnimationEnded() && GetShadowSize() > 0)
        PaintShadows(dc, rcContent, bJoined ? rcButton : CRect(0, 0, 0, 0));
    if (pOldBmp != nullptr) {
        dcTarget.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBmp);
    }
    pPM->EndPaintSession(this, 0);
}

void CUiPopupMenuWnd::RestoreUnderShadow(CDC& dc, const CRect& rcBody, int s)
{
    if (m_bmpUnder.GetSafeHandle() == NULL)
        return;
    CDC dcUnder;
    if (!dcUnder.CreateCompatibleDC(&dc))
        return;
    CBitmap* pOld = dcUnder.SelectObject(&m_bmpUnder);
    dc.BitBlt(rcBody.right, rcBody.top, s, rcBody.Height() + s, &dcUnder, rcBody.right, rcBody.top, SRCCOPY);
    dc.BitBlt(rcBody.left, rcBody.bottom, rcBody.Width() + s, s, &dcUnder, rcBody.left, rcBody.bottom, SRCCOPY);
    dcUnder.SelectObject(pOld);
}

void CUiPopupMenuWnd::PaintShadows(CDC& dc, const CRect& rcContent, const CRect& rcButton)
{
    // The shadows darken what lay under the window before it showed, once; later paints put
    // back their cached strips. A menu joined with its button casts one shadow with it: the
    // body's shadow never falls on the button, and the button's (a top menu's only; a
    // submenu's opening item lies in its parent) never on the body, each told of the other so
    // that their strips meet without a gap or a corner.
    const int s = GetShadowSize();
    const bool bJoined = !rcButton.IsRectEmpty();
    const bool bButtonShadow = bJoined && m_pParent == nullptr;
    const CRect rcNone(0, 0, 0, 0);
    auto outside = [&dc](const CRect& rcOut, const std::function<void()>& paint) {
        const int nSaved = dc.SaveDC();
        dc.ExcludeClipRect(rcOut);
        paint();
        dc.RestoreDC(nSaved);
    };
    if (bButtonShadow && !m_shadowExclude.HasCachedStrips())
        outside(rcContent, [&] { RestoreUnderShadow(dc, rcButton, s); });
    if (!m_shadowBody.HasCachedStrips())
        outside(rcButton, [&] { RestoreUnderShadow(dc, rcContent, s); });
    if (bButtonShadow) {
        outside(rcContent, [&] {
            m_shadowExclude.Paint(dc, rcButton, rcButton, rcContent, s, 75, 100, TRUE, TRUE, FALSE);
        });
    }
    outside(rcButton, [&] {
        m_shadowBody.Paint(dc, rcContent, bJoined ? rcContent : rcNone, rcButton, s, 75, 100, TRUE, TRUE, FALSE);
    });
}

void CUiPopupMenuWnd::PaintExpandFrame(CDC& dcFrame, CDC& dcContent, int p)
{
    // The newly shown (rarely used) items grow from nothing while the others keep their
    // height, so the menu seems to open up between its items.
    const CRect& c = m_rcContent;
    VisibleItems items;
    GetVisibleItemDefinitions(nullptr, items);
    if (items.GetSize() == 0) {
        const int nOldMode = SetUnfoldStretchMode(dcFrame);
        dcFrame.StretchBlt(c.left, c.top, c.Width(), p * c.Height() / 100, &dcContent, c.left, c.top, c.Width(),
                           c.Height(), SRCCOPY);
        dcFrame.SetStretchBltMode(nOldMode);
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

void CUiPopupMenuWnd::KeepJoinedButtonInFrame(int cx, int cy)
{
    // The button and the shadow room around it (not on the side that meets the body) stay
    // as the screen showed them until the animation ends: the button is drawn on the bar
    // already, and its own picture and shadow come with the first direct paint.
    if ((m_bBaseFlags & kJoined) == 0 || m_nJoinedSide == 0 || m_pFrameBits == nullptr || m_pBackBits == nullptr ||
        !::IsWindow(m_hWnd))
        return;
    const int s = GetShadowSize();
    CRect rc(m_rcExclude);
    ScreenToClient(rc);
    rc.InflateRect(s, s);
    GrowOnSide(rc, m_nJoinedSide, -s);
    rc.IntersectRect(rc, CRect(0, 0, cx, cy));
    for (int y = rc.top; y < rc.bottom; ++y)
        memcpy(m_pFrameBits + (size_t)y * cx + rc.left, m_pBackBits + (size_t)y * cx + rc.left,
               (size_t)rc.Width() * 4);
}

void CUiPopupMenuWnd::RenderAnimationFrame(CDC& dc)
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect rcClient;
    GetClientRect(rcClient);
    const int cx = rcClient.Width();
    const int cy = rcClient.Height();
    PaletteScope palette(dc, &PaintManager()->m_palette);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return;
    const int k = m_nAnimation;
    const bool bPixels = k != 4 || ScreenBitsPerPixel() > 8;
    if (m_bmpContent.GetSafeHandle() == NULL) {
        if (bPixels) {
            if (!MakeSections(dc, dcMem, cx, cy))
                return;
        } else {
            if (!m_bmpContent.Attach(CreateOffscreenBitmap(dc.GetSafeHdc(), cx, cy)))
                return;
            CBitmap* pOld = dcMem.SelectObject(&m_bmpContent);
            PaintContent(dcMem, FALSE);
            dcMem.SelectObject(pOld);
        }
    }
    CBitmap* pShow = &m_bmpContent;
    const int p = std::min(m_nProgress, 100);
    const bool bJoined = (m_bBaseFlags & kJoined) != 0;
    const int nSide = bJoined ? m_nJoinedSide : 0;
    if (k == 4 && m_pFrameBits != nullptr) {
        FadePixels(m_pFrameBits, m_pBackBits, m_pContentBits, cx, cy, p);
        pShow = &m_bmpFrame;
    } else if (k >= 7 && k <= 10 && m_pFrameBits != nullptr) {
        // Every effect starts from what lay under the window, the dissolve too.
        if (m_nPrevProgress == 0)
            memcpy(m_pFrameBits, m_pBackBits, (size_t)cx * cy * 4);
        MixPixels(k, m_pFrameBits, m_pBackBits, m_pContentBits, cx, cy, p, m_nPrevProgress);
        KeepJoinedButtonInFrame(cx, cy);
        pShow = &m_bmpFrame;
    } else if ((k == -2 || k == 2 || k == 3 || k == 5 || k == 6) && m_pFrameBits != nullptr) {
        // Slides and unfolding: the content moved in or stretched over what lay beneath; a
        // menu joined with its button comes out of the button's side.
        const CRect& c = m_rcContent;
        memcpy(m_pFrameBits, m_pBackBits, (size_t)cx * cy * 4);
        CDC dcFrame;
        dcFrame.CreateCompatibleDC(&dc);
        CBitmap* pOldFrame = dcFrame.SelectObject(&m_bmpFrame);
        CBitmap* pOldContent = dcMem.SelectObject(&m_bmpContent);
        dcFrame.IntersectClipRect(c);
        if (k == -2) {
            PaintExpandFrame(dcFrame, dcMem, p);
        } else if (k <= 3) {
            const int dx = k == 2 ? (100 - p) * c.Width() / 100 : 0;
            const int dy = (100 - p) * c.Height() / 100;
            const int x = nSide == 3 ? c.left + dx : c.left - dx;
            const int y = nSide == 2 ? c.top + dy : c.top - dy;
            dcFrame.BitBlt(x, y, c.Width(), c.Height(), &dcMem, c.left, c.top, SRCCOPY);
        } else {
            const int sw = k == 5 ? p * c.Width() / 100 : c.Width();
            const int sh = p * c.Height() / 100;
            const int x = nSide == 3 ? c.right - sw : c.left;
            const int y = nSide == 2 ? c.bottom - sh : c.top;
            const int nOldMode = SetUnfoldStretchMode(dcFrame);
            dcFrame.StretchBlt(x, y, sw, sh, &dcMem, c.left, c.top, c.Width(), c.Height(), SRCCOPY);
            dcFrame.SetStretchBltMode(nOldMode);
        }
        dcMem.SelectObject(pOldContent);
        dcFrame.SelectObject(pOldFrame);
        ::GdiFlush();
        KeepJoinedButtonInFrame(cx, cy);
        pShow = &m_bmpFrame;
    }
    CBitmap* pOld = dcMem.SelectObject(pShow);
    dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}
