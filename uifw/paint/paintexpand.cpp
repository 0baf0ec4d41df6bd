// The toolbar chevron (content-expand) button and the expand area at the foot of a popup
// menu. Both paint a button or menu-item face and then their glyphs; Office 2003 gives a
// docked toolbar's chevron a rounded face of its own and the menu's expand area a shaded
// round figure behind the glyph.
#include "paintmanageroffice2003.h"

#include "barbutton.h"
#include "menuitempaintdata.h"
#include "paintdraw.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "popupmenuwnd.h"
#include "pushbuttonpaintdata.h"
#include "toolcontrolbar.h"

#include <algorithm>

namespace {

const ChevronGlyphs kClassicChevronGlyphs = {&g_glyphSmallDownTriangle, &g_glyphDoubleChevronRight,
                                             &g_glyphXPChevronVert, &g_glyphDoubleChevronDown};

void PaintChevronFace(CUiPaintManager& pm, CDC& dc, const CRect& rc, BOOL bHorz, BOOL bEnabled, BOOL bPushed,
                      BOOL bHover, CObject* pAsking, BOOL bTransparent)
{
    PushButtonPaintData data(pAsking, bHorz, rc, "", nullptr, TRUE, bHover, bPushed, FALSE, bEnabled, TRUE, FALSE,
                             FALSE, 0, NULL, FALSE, 0, bTransparent);
    pm.PaintPushButton(dc, data);
}

// The arrow and, unless every button is shown, the double chevron; a disabled chevron
// shows the arrow only, engraved in the classic look.
void PaintChevronGlyphs(CUiPaintManager& pm, CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled,
                        BOOL bPushed, const ChevronGlyphs& glyphs, int nChevronShift, bool bEngraved)
{
    const CSize offset = pm.GetGlyphShadowOffset();
    const int gap = 3 * std::max(1, (int)(bHorz ? offset.cy : offset.cx));
    const GlyphBitmap& arrow = bHorz ? *glyphs.pArrowHorz : *glyphs.pArrowVert;
    const GlyphBitmap& chevron = bHorz ? *glyphs.pChevronHorz : *glyphs.pChevronVert;
    CPoint ptArrow, ptChevron;
    if (bHorz) {
        ptArrow.SetPoint(rc.left + (rc.Width() - (int)arrow.Width()) / 2, rc.bottom - gap - (int)arrow.Height());
        ptChevron.SetPoint(rc.left + (rc.Width() - (int)chevron.Width()) / 2, rc.top + gap + nChevronShift);
    } else {
        ptArrow.SetPoint(rc.left + gap, rc.top + (rc.Height() - (int)arrow.Height()) / 2);
        ptChevron.SetPoint(rc.right - gap - (int)chevron.Width() + nChevronShift,
                           rc.top + (rc.Height() - (int)chevron.Height()) / 2);
    }
    if (bPushed) {
        ptArrow.Offset(offset.cx, offset.cy);
        ptChevron.Offset(offset.cx, offset.cy);
    }
    if (bEnabled) {
        const COLORREF colors[2] = {0, pm.GetColor(1010)};
        pm.PaintGlyph(dc, ptArrow.x, ptArrow.y, arrow, colors);
        if (!bNoHidden)
            pm.PaintGlyph(dc, ptChevron.x, ptChevron.y, chevron, colors);
        return;
    }
    if (bEngraved) {
        const COLORREF light[2] = {0, pm.GetColor(COLOR_3DHILIGHT)};
        pm.PaintGlyph(dc, ptArrow.x + 1, ptArrow.y + 1, arrow, light);
    }
    const COLORREF shadow[2] = {0, pm.GetColor(COLOR_BTNSHADOW)};
    pm.PaintGlyph(dc, ptArrow.x, ptArrow.y, arrow, shadow);
}

void PaintChevronButton(CUiPaintManager& pm, CDC& dc, const CRect& rcIn, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled,
                        BOOL bPushed, BOOL bHover, CObject* pAsking, BOOL bTransparent, const ChevronGlyphs& glyphs,
                        int nChevronShift, bool bEngraved)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    PaintChevronFace(pm, dc, rc, bHorz, bEnabled, bPushed, bHover, pAsking, bTransparent);
    PaintChevronGlyphs(pm, dc, rc, bHorz, bNoHidden, bEnabled, bPushed, glyphs, nChevronShift, bEngraved);
}

int ExpandAreaIconWidth(CObject* pMenu)
{
    CUiPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CUiPopupMenuWnd, pMenu);
    if (pPopup == nullptr || pPopup->ItemGetCount() <= 0)
        return 0;
    const int nLast = pPopup->ItemGetCount() - 1;
    if ((pPopup->ItemGetFlags(nLast) & CUiPopupMenuWnd::kItemNoIconArea) != 0)
        return 0;
    return pPopup->ItemGetIconAreaWidth(nLast);
}

// The face of the expand area: an empty menu item, or a pressed button; the glyph's
// rectangle, moved by the look's offset when pressed.
CRect PaintExpandFace(CUiPaintManager& pm, CDC& dc, const CRect& rc, BOOL bPushed, CObject* pMenu)
{
    CRect rcGlyph(rc);
    if (!bPushed) {
        MenuItemPaintData item(pMenu, rc, ExpandAreaIconWidth(pMenu), "", "", nullptr, FALSE, FALSE, FALSE, FALSE,
                               FALSE, TRUE, FALSE, FALSE, FALSE, 0);
        pm.PaintMenuItem(dc, item);
        return rcGlyph;
    }
    PushButtonPaintData button(pMenu, TRUE, rc, "", nullptr, TRUE, FALSE, TRUE, FALSE, TRUE, TRUE, FALSE, FALSE, 0,
                               NULL, FALSE, 0, FALSE);
    pm.PaintPushButton(dc, button);
    const CSize offset = pm.GetGlyphShadowOffset();
    rcGlyph.OffsetRect(offset.cx, offset.cy);
    return rcGlyph;
}

void PaintExpandGlyph(CUiPaintManager& pm, CDC& dc, const CRect& rcGlyph)
{
    const COLORREF colors[2] = {0, pm.GetColor(1010)};
    pm.PaintGlyphCentered(dc, rcGlyph, g_glyphDoubleChevronDown, colors);
}

// Intensity of the shaded round figure at (x, y) of its 16 x 16 square: 255 (untouched)
// outside the circle; inside, in steps of 18, from 252 at the upper left to 0 at the lower right.
int ExpandFigureIntensity(int x, int y)
{
    const int dx = 2 * x - 15, dy = 2 * y - 15;
    if (dx * dx + dy * dy > 15 * 15)
        return 255;
    const int t = x + y;
    return 18 * (14 - (t * 14 + 15) / 30);
}

} // namespace

void CUiPaintManager::PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden, BOOL bEnabled,
                                               BOOL bPushed, BOOL bHover, CObject* pAsking, LPARAM,
                                               BOOL bTransparent)
{
    PaintChevronButton(*this, dc, rc, bHorz, bNoHidden, bEnabled, bPushed, bHover, pAsking, bTransparent,
                       kClassicChevronGlyphs, 0, true);
}

void CUiPaintManagerXP::PaintContentExpandButton(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bNoHidden,
                                                 BOOL bEnabled, BOOL bPushed, BOOL bHover, CObject* pAsking, LPARAM,
                                                 BOOL bTransparent)
{
    // The double chevron stands one pixel further right or down than in the classic look.
    PaintChevronButton(*this, dc, rc, bHorz, bNoHidden, bEnabled, bPushed, bHover, pAsking, bTransparent,
                       m_chevronGlyphs, 1, false);
}

void CUiPaintManagerOffice2003::PaintContentExpandButton(CDC& dc, const CRect& rcIn, BOOL bHorz, BOOL bNoHidden,
                                                         BOOL bEnabled, BOOL bPushed, BOOL bHover, CObject* pAsking,
                                                         LPARAM lParam, BOOL bTransparent)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    CUiBarContentExpandButton* pButton = DYNAMIC_DOWNCAST(CUiBarContentExpandButton, pAsking);
    CUiToolControlBar* pBar = pButton != nullptr ? pButton->GetBar() : nullptr;
    if (pBar == nullptr || !HasThemedBackground(pBar, lParam) || GetScreenBitsPerPixel() <= 8 ||
        !IsThemedDockedToolBar(pBar)) {
        CUiPaintManagerXP::PaintContentExpandButton(dc, rc, bHorz, bNoHidden, bEnabled, bPushed, bHover, pAsking,
                                                    lParam, bTransparent);
        return;
    }
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    // The rounded end joins the button to the toolbar: square towards the bar, round at its end.
    const int nSaved = dc.SaveDC();
    CRgn rgn;
    if (bHorz)
        rgn.CreateRoundRectRgn(rc.left - 6, rc.top, rc.right + 1, rc.bottom + 1, 6, 6);
    else
        rgn.CreateRoundRectRgn(rc.left, rc.top - 6, rc.right + 1, rc.bottom + 1, 6, 6);
    dc.SelectClipRgn(&rgn, RGN_AND);
    if (IsThemeColorSchemeUsable())
        FillGradientRect(dc.GetSafeHdc(), rc, GetColor(3013), GetColor(3012), bHorz, 256);
    else
        SolidFill(dc, rc, GetColor(3005));
    PaintChevronGlyphs(*this, dc, rc, bHorz, bNoHidden, bEnabled, bPushed, m_chevronGlyphs, 1, false);
    dc.RestoreDC(nSaved);
}

void CUiPaintManager::PaintMenuExpandButton(CDC& dc, const CRect& rc, BOOL bPushed, CObject* pMenu)
{
    PaintExpandGlyph(*this, dc, PaintExpandFace(*this, dc, rc, bPushed, pMenu));
}

void CUiPaintManagerOffice2003::PaintMenuExpandButton(CDC& dc, const CRect& rc, BOOL bPushed, CObject* pMenu)
{
    const CRect rcGlyph = PaintExpandFace(*this, dc, rc, bPushed, pMenu);
    if (GetScreenBitsPerPixel() > 8) {
        const COLORREF c15 = GetColor(3015), c16 = GetColor(3016);
        const int left = rc.left + (rc.Width() - 16) / 2;
        const int top = rc.top + (rc.Height() - 16) / 2;
        auto channel = [](int a, int b, int v) { return a - (a - b) * v / 255; };
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 16; ++y) {
                const int v = ExpandFigureIntensity(x, y);
                if (v >= 255)
                    continue;
                dc.SetPixel(left + x, top + y,
                            RGB(channel(GetRValue(c16), GetRValue(c15), v), channel(GetGValue(c16), GetGValue(c15), v),
                                channel(GetBValue(c16), GetBValue(c15), v)));
            }
        }
    }
    PaintExpandGlyph(*this, dc, rcGlyph);
}
