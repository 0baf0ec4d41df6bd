// Backgrounds, the size grip, arrow buttons and the in-place fields of popup menus in the
// classic and XP looks: plain fills and 3-D frames.
#include "barpaintdata.h"
#include "glyphs.h"
#include "paintclip.h"
#include "paintmanagerxp.h"

namespace {

bool PaintsNothing(CDC& dc, const CRect& rc)
{
    return rc.IsRectEmpty() || !dc.RectVisible(&rc);
}

} // namespace

void CUiPaintManager::PaintControlBarBackground(CDC& dc, const CRect& rc, CWnd*, LPARAM)
{
    if (!PaintsNothing(dc, rc))
        FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
}

void CUiPaintManager::PaintDockBarBackground(CDC& dc, const CRect& rc, CWnd*, LPARAM)
{
    if (!PaintsNothing(dc, rc))
        FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNFACE));
}

void CUiPaintManager::PaintDockSplitter(CDC& dc, const CRect& rc, DWORD, DWORD)
{
    if (rc.left < rc.right && rc.top < rc.bottom)
        FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNSHADOW));
}

void CUiPaintManagerXP::PaintDockSplitter(CDC& dc, const CRect& rc, DWORD, DWORD)
{
    if (rc.left < rc.right && rc.top < rc.bottom)
        FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
}

void CUiPaintManager::PaintSizeGrip(CDC& dc, const CRect& rc, DWORD, DWORD)
{
    if (PaintsNothing(dc, rc))
        return;
    HDC hDC = dc.GetSafeHdc();
    HGDIOBJ hOldFont = ::SelectObject(hDC, m_fontMarlett.GetSafeHandle());
    COLORREF clrOld = ::SetTextColor(hDC, GetColor(1010));
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    RECT rcText = rc;
    // "o" is the grip's picture in the Marlett font.
    ::DrawTextA(hDC, "o", 1, &rcText, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, clrOld);
    ::SelectObject(hDC, hOldFont);
}

void CUiPaintManager::PaintToolBarShade(CDC&, CUiBarButton*, LPARAM)
{
}

void CUiPaintManager::PaintToolBarExtras(CDC&, CUiToolControlBar*, int, const CRect&)
{
}

void CUiPaintManager::PaintArrowButton(CDC& dc, BOOL bHorz, const CRect& rc, int nDirection, BOOL bHover,
                                       BOOL bPushed, DWORD, DWORD)
{
    if (PaintsNothing(dc, rc))
        return;
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(COLOR_BTNFACE));
    int nGlyph = bHorz ? (nDirection == 0 ? kGlyphTriangleLeft : kGlyphTriangleRight)
                       : (nDirection == 0 ? kGlyphTriangleUp : kGlyphTriangleDown);
    const COLORREF colors[2] = {0, GetColor(COLOR_BTNTEXT)};
    CRect rcGlyph(rc);
    if (bPushed)
        rcGlyph.OffsetRect(1, 1);
    PaintGlyphCentered(dc, rcGlyph, GetCaptionGlyph(nGlyph), colors);
    CRect rcFrame(rc);
    COLORREF outer[2] = {GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW)};
    COLORREF inner[2] = {GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE)};
    if (bPushed) {
        outer[0] = GetColor(COLOR_3DDKSHADOW);
        outer[1] = GetColor(COLOR_BTNHIGHLIGHT);
        inner[0] = GetColor(COLOR_BTNSHADOW);
        inner[1] = GetColor(COLOR_BTNFACE);
    } else if (bHover) {
        outer[1] = GetColor(COLOR_3DDKSHADOW);
        inner[1] = GetColor(COLOR_BTNSHADOW);
    }
    dc.Draw3dRect(&rcFrame, outer[0], outer[1]);
    rcFrame.DeflateRect(1, 1);
    dc.Draw3dRect(&rcFrame, inner[0], inner[1]);
}

void CUiPaintManager::PaintMenuItemInPlaceWnd(CDC& dc, MenuInPlaceWndPaintData& data)
{
    const BYTE b = data.m_bFlags;
    if ((b & MenuInPlaceWndPaintData::kCombo) != 0) {
        CallerClip clip(dc.GetSafeHdc());
        ComboFramePaintData combo(data.m_pAsking, data.m_rcField, (b & MenuInPlaceWndPaintData::kHot) != 0,
                                  (b & MenuInPlaceWndPaintData::kPushed) != 0,
                                  (b & MenuInPlaceWndPaintData::kEnabled) != 0);
        combo.m_bNoOuterBorder = 1;
        PaintComboFrame(dc, combo);
        return;
    }
    if ((b & MenuInPlaceWndPaintData::kEnabled) != 0 &&
        (b & (MenuInPlaceWndPaintData::kHot | MenuInPlaceWndPaintData::kPushed)) != 0)
        dc.Draw3dRect(&data.m_rcField, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_BTNSHADOW));
}

void CUiPaintManagerXP::PaintMenuItemInPlaceWnd(CDC& dc, MenuInPlaceWndPaintData& data)
{
    const BYTE b = data.m_bFlags;
    if ((b & MenuInPlaceWndPaintData::kCombo) != 0) {
        CUiPaintManager::PaintMenuItemInPlaceWnd(dc, data);
        return;
    }
    const bool bEnabled = (b & MenuInPlaceWndPaintData::kEnabled) != 0;
    FillSolidRect(dc.GetSafeHdc(), data.m_rcField, GetColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (bEnabled && (b & (MenuInPlaceWndPaintData::kHot | MenuInPlaceWndPaintData::kPushed)) != 0) {
        CRect rcFrame(data.m_rcField);
        rcFrame.InflateRect(1, 1);
        dc.Draw3dRect(&rcFrame, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_BTNSHADOW));
    }
}
