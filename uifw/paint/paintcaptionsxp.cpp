// Caption buttons, system-command glyphs and the client-area border of the flat looks; the
// Studio 2005 look paints the caption buttons of its resizable floating bars as the classic
// look does.
#include "paintmanagerstudio2005.h"

#include "glyphs.h"
#include "ncbuttonpaintdata.h"
#include "paintparts.h"

void CUiPaintManagerXP::PaintBarNcAreaButton(CDC& dc, NcButtonPaintData& data)
{
    CRect rc(data.m_rcItem);
    if (rc.IsRectEmpty())
        return;
    const bool bEnabled = data.Has(NcButtonPaintData::kEnabled);
    const bool bHover = bEnabled && data.Has(NcButtonPaintData::kHover);
    const bool bPushed = data.Has(NcButtonPaintData::kPushed);
    const bool bFlag3 = data.Has(NcButtonPaintData::kFlag3);
    COLORREF clrGlyph = RGB(0, 0, 0);
    if (!bEnabled)
        clrGlyph = GetColor(COLOR_BTNSHADOW);
    else if (!bHover && !bPushed)
        clrGlyph = GetColor(bFlag3 && !data.Has(NcButtonPaintData::kFlag4) ? COLOR_3DDKSHADOW : COLOR_HIGHLIGHTTEXT);

    if (bHover || bPushed) {
        SolidFill(dc, rc, GetColor(bPushed ? 2003 : 1001));
        CRect rcFrame(rc);
        rcFrame.InflateRect(1, 1);
        const COLORREF clrFrame = GetColor(data.Has(NcButtonPaintData::kFlag4) ? 2003 : 2004);
        Frame3d(dc, rcFrame, clrFrame, clrFrame);
    }
    MakeRectEven(rc);
    int nGlyph = (int)data.m_nGlyph;
    if (bFlag3 && !data.Has(NcButtonPaintData::kFlag5) && nGlyph == kGlyphHeavyCross)
        nGlyph = kGlyphThinCross;
    const COLORREF colors[2] = {0, clrGlyph};
    PaintGlyphCentered(dc, rc, GetCaptionGlyph(nGlyph), colors);
}

void CUiPaintManagerStudio2005::PaintBarNcAreaButton(CDC& dc, NcButtonPaintData& data)
{
    if (data.Has(NcButtonPaintData::kFlag3) && data.Has(NcButtonPaintData::kFlag5))
        CUiPaintManager::PaintBarNcAreaButton(dc, data);
    else
        CUiPaintManagerXP::PaintBarNcAreaButton(dc, data);
}

void CUiPaintManagerXP::PaintSysCmdGlyph(CDC& dc, UINT nSysCmd, const CRect& rcIn, BOOL bHover, BOOL bPushed,
                                         BOOL bEnabled)
{
    CRect rc;
    const GlyphBitmap* pGlyph = PlaceSysCmdGlyph(*this, nSysCmd, rcIn, bPushed, rc);
    if (pGlyph == nullptr)
        return;
    const GlyphBitmap& glyph = *pGlyph;
    const COLORREF shadow[2] = {0, GetColor(COLOR_BTNSHADOW)};
    if (!bEnabled) {
        PaintGlyphCentered(dc, rc, glyph, shadow);
        return;
    }
    if ((m_bLookBits & 1) != 0 && bHover && !bPushed) {
        PaintGlyphCentered(dc, rc, glyph, shadow);
        rc.OffsetRect(-2, -2);
    }
    const COLORREF colors[2] = {0, GetColor(1010)};
    PaintGlyphCentered(dc, rc, glyph, colors);
}

void CUiPaintManagerXP::PaintClientAreaBorder(CDC& dc, const CRect& rc, CObject*, LPARAM)
{
    const COLORREF clr = GetColor(COLOR_BTNSHADOW);
    Frame3d(dc, rc, clr, clr);
}
