// Caption buttons, system-command glyphs and the client-area border of the classic look:
// system 3-D colours straight from the system, glyphs engraved when disabled.
#include "paintmanager.h"

#include "glyphs.h"
#include "ncbuttonpaintdata.h"
#include "paintparts.h"
#include "paintsystem.h"

int SysCmdGlyphIndex(UINT nSysCmd)
{
    switch (nSysCmd) {
    case SC_CLOSE:
        return kGlyphHeavyCross;
    case SC_MINIMIZE:
        return kGlyphMinimize;
    case SC_MAXIMIZE:
        return kGlyphMaximize;
    case SC_RESTORE:
        return kGlyphRestore;
    case SC_CONTEXTHELP:
        return kGlyphQuestion;
    default:
        return -1;
    }
}

void MakeRectEven(CRect& rc)
{
    if ((rc.Width() & 1) != 0)
        ++rc.left;
    if ((rc.Height() & 1) != 0)
        ++rc.top;
}

const GlyphBitmap* PlaceSysCmdGlyph(CUiPaintManager& pm, UINT nSysCmd, const CRect& rcIn, BOOL bPushed, CRect& rc)
{
    const int nGlyph = SysCmdGlyphIndex(nSysCmd);
    if (nGlyph < 0)
        return nullptr;
    rc = rcIn;
    if (bPushed)
        rc.OffsetRect(pm.GetGlyphShadowOffset());
    return &GetCaptionGlyph(nGlyph);
}

void CUiPaintManager::PaintBarNcAreaButton(CDC& dc, NcButtonPaintData& data)
{
    CRect rc(data.m_rcItem);
    if (rc.IsRectEmpty())
        return;
    const COLORREF clrFace = PaintGetSysColor(COLOR_BTNFACE);
    const COLORREF clrShadow = PaintGetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrDark = PaintGetSysColor(COLOR_3DDKSHADOW);
    const COLORREF clrLight = PaintGetSysColor(COLOR_BTNHIGHLIGHT);
    const bool bEnabled = data.Has(NcButtonPaintData::kEnabled);
    const COLORREF colors[2] = {0, bEnabled ? RGB(0, 0, 0) : clrShadow};

    MakeRectEven(rc);
    const int nGlyph = data.m_nGlyph == kGlyphHeavyCross ? kGlyphMediumCross : (int)data.m_nGlyph;
    CRect rcFill(rc);
    if (!data.Has(NcButtonPaintData::kFlag5))
        rcFill.InflateRect(1, 1);
    else
        rcFill.InflateRect(1, 1, 0, 0);
    SolidFill(dc, rcFill, clrFace);

    CRect rcGlyph(rcFill);
    if (data.Has(NcButtonPaintData::kPushed))
        rcGlyph.OffsetRect(1, 1);
    PaintGlyphCentered(dc, rcGlyph, GetCaptionGlyph(nGlyph), colors);

    if (bEnabled && data.Has(NcButtonPaintData::kPushed)) {
        Frame3d(dc, rcFill, clrShadow, clrLight);
    } else if (bEnabled && data.Has(NcButtonPaintData::kHover)) {
        Frame3d(dc, rcFill, clrFace, clrDark);
        CRect rcInner(rcFill);
        rcInner.DeflateRect(1, 1);
        Frame3d(dc, rcInner, clrLight, clrShadow);
    } else {
        Frame3d(dc, rcFill, clrLight, clrShadow);
    }
}

void CUiPaintManager::PaintSysCmdGlyph(CDC& dc, UINT nSysCmd, const CRect& rcIn, BOOL bHover, BOOL bPushed,
                                       BOOL bEnabled)
{
    CRect rc;
    const GlyphBitmap* pGlyph = PlaceSysCmdGlyph(*this, nSysCmd, rcIn, bPushed, rc);
    if (pGlyph == nullptr)
        return;
    const GlyphBitmap& glyph = *pGlyph;
    if (!bEnabled) {
        const COLORREF light[2] = {0, GetColor(1004)};
        CRect rcLight(rc);
        rcLight.OffsetRect(1, 1);
        PaintGlyphCentered(dc, rcLight, glyph, light);
        const COLORREF shadow[2] = {0, GetColor(1006)};
        PaintGlyphCentered(dc, rc, glyph, shadow);
        return;
    }
    const COLORREF colors[2] = {0, GetColor(bHover ? COLOR_HIGHLIGHTTEXT : 1010)};
    PaintGlyphCentered(dc, rc, glyph, colors);
}

void CUiPaintManager::PaintClientAreaBorder(CDC& dc, const CRect& rc, CObject*, LPARAM)
{
    Frame3d(dc, rc, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_3DHILIGHT));
}

void CUiPaintManager::PaintResizableDialogNcBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam)
{
    PaintClientAreaBorder(dc, rc, pAsking, lParam);
}
