#include "paintmanageroffice2003.h"

#include "colorhls.h"
#include "paintdraw.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUiPaintManagerOffice2003, CUiPaintManagerXP)

namespace {

COLORREF Hls(COLORREF clr, double dL, double dS = 0.0, double dH = 0.0)
{
    return AdjustColorHLS(clr, dH, dL, dS);
}

} // namespace

CUiPaintManagerOffice2003::CUiPaintManagerOffice2003() : m_nExtraColorId(-1)
{
    m_bLookBits = 0x04;
    m_chevronGlyphs = {&g_glyphBarTriangle, &g_glyphSmallDoubleChevron, &g_glyphBarTriangleTurned,
                       &g_glyphSmallDoubleChevronTurned};
    m_nColorIdSlots[0] = 3015;
    m_nColorIdSlots[1] = 3016;
    m_nColorIdSlots[2] = 3017;
    m_nColorIdSlots[3] = 3018;
}

CUiPaintManagerOffice2003::~CUiPaintManagerOffice2003()
{
}

int CUiPaintManagerOffice2003::GetThemeKind()
{
    return 3;
}

BOOL CUiPaintManagerOffice2003::IsThemeColorSchemeUsable()
{
    const BYTE bNeeded = kThemeApiUsable | kThemeTaskbandRead | kThemeColorsAllowed;
    if ((PaintManagerHolder::Get().m_bThemeFlags & bNeeded) != bNeeded)
        return FALSE;
    const int nScheme = PaintManagerHolder::Get().m_nScheme;
    return nScheme == kSchemeBlue || nScheme == kSchemeOlive || nScheme == kSchemeSilver;
}

BOOL CUiPaintManagerOffice2003::InitSchemeGradientColors(COLORREF* pBase, COLORREF* pAccent)
{
    if (!IsThemeColorSchemeUsable())
        return FALSE;
    const COLORREF* band = PaintManagerHolder::Get().m_clrTaskband;
    double hue = 0.0, sat = 0.0, light = 0.0;
    RGBToHLS(band[kTaskbandFillHint], hue, sat, light);
    double h1 = 0.0, s1 = 0.0, l1 = 0.0, h2 = 0.0, s2 = 0.0, l2 = 0.0;
    RGBToHLS(band[kTaskbandEdgeLight], h1, s1, l1);
    RGBToHLS(band[kTaskbandEdgeShadow], h2, s2, l2);
    if (pBase != nullptr)
        *pBase = HLSToRGB(hue, (l1 + l2) / 2.0, sat);
    if (pAccent != nullptr)
        *pAccent = AdjustColorHLS(band[kTaskbandAccentHint], 0.01, 0.0, 0.0);
    return TRUE;
}

COLORREF CUiPaintManagerOffice2003::GetMenuShadowColor()
{
    COLORREF clrBase = 0;
    if (!IsThemeColorSchemeUsable() || !InitSchemeGradientColors(&clrBase, nullptr))
        return (COLORREF)-1;
    return Hls(clrBase, -0.6, 0.5);
}

int CUiPaintManagerOffice2003::GetMenuCheckMarkHeight()
{
    return std::max(18, CUiPaintManagerXP::GetMenuCheckMarkHeight());
}

BOOL CUiPaintManagerOffice2003::HasThemedBackground(CWnd*, LPARAM)
{
    return GetScreenBitsPerPixel() > 8;
}

CSize CUiPaintManagerOffice2003::GetToolBarButtonOffset(BOOL bFlag)
{
    return bFlag ? CSize(0, -1) : CSize(0, 0);
}

COLORREF CUiPaintManagerOffice2003::GetIconBkColorHint()
{
    if ((PaintManagerHolder::Get().m_wFamilyFlags & kWinNT5OrLater) == 0)
        return (COLORREF)-1;
    return GetColor(COLOR_BTNFACE);
}

double CUiPaintManagerOffice2003::GetIconEffectFactor()
{
    return 0.7;
}

CSize CUiPaintManagerOffice2003::GetBarButtonExtraSpace()
{
    return CSize(4, 4);
}

BOOL CUiPaintManagerOffice2003::PaintGradientBackground(CDC& dc, const CRect& rc, const CRect& rcClip, LPARAM)
{
    if (rc.IsRectEmpty())
        return FALSE;
    const COLORREF clrFrom = GetColor(3001);
    const COLORREF clrTo = GetColor(3000);
    int nSaved = dc.SaveDC();
    if (!rcClip.IsRectEmpty())
        dc.IntersectClipRect(&rcClip);
    CRect rcGradient(rc);
    if (rc.Width() >= 700) {
        rcGradient.right = rc.left + 700;
        CRect rcRest(rcGradient.right, rc.top, rc.right, rc.bottom);
        FillSolidRect(dc.GetSafeHdc(), rcRest, clrTo);
    }
    FillGradientRect(dc.GetSafeHdc(), rcGradient, clrFrom, clrTo, FALSE, 64);
    dc.RestoreDC(nSaved);
    return TRUE;
}

void CUiPaintManagerOffice2003::ResetSchemeColorSlots()
{
    for (int i = 4; i < 10; ++i)
        m_nColorIdSlots[i] = -1;
    m_nExtraColorId = -1;
}

void CUiPaintManagerOffice2003::InitColorTable()
{
    BuildOffice2003Colors();
}

void CUiPaintManagerOffice2003::BuildOffice2003Colors()
{
    ResetSchemeColorSlots();
    PaintManagerHolder::Get().m_bThemeFlags &= (BYTE) ~(kThemeApiUsable | kThemeTaskbandRead);
    PaintManagerHolder::Get().LoadThemeApi();
    CUiPaintManagerXP::InitColorTable();

    if (GetScreenBitsPerPixel() <= 8) {
        MapNewColor({3014}, GetColor(COLOR_BTNSHADOW));
        return;
    }

    COLORREF c1 = 0, c2 = 0;
    if (!IsThemeColorSchemeUsable() || !InitSchemeGradientColors(&c1, &c2)) {
        const COLORREF face = GetColor(COLOR_BTNFACE);
        const COLORREF shadow = GetColor(COLOR_BTNSHADOW);
        MapColorIds({3000, 3002, 3010, 3012, 3015}, COLOR_WINDOW);
        MapColorIds({3001, 3018}, COLOR_BTNFACE);
        MapNewColor({3011}, Hls(face, -0.2));
        MapNewColor({3003}, Hls(shadow, 0.2));
        MapNewColor({3004}, Hls(shadow, 0.7, 0.1));
        MapNewColor({3005}, Hls(shadow, -0.05));
        MapNewColor({3006, 3007}, Hls(GetColor(2003), 0.3));
        MapNewColor({3008, 3009}, Hls(GetColor(2003), 0.6));
        MapColorId(3013, COLOR_BTNTEXT);
        MapColorId(3014, COLOR_BTNSHADOW);
        MapNewColor({3016}, GetColor(2000));
        MapNewColor({3017}, GetColor(2001));
        return;
    }

    const bool bSilver = PaintManagerHolder::Get().m_nScheme == kSchemeSilver;
    const COLORREF d = Hls(c1, 0.95, -0.05);
    const COLORREF q = Hls(PullTowardsWhite(d, 40, 20), 0.06, 0.05);
    const COLORREF a = Hls(c1, 0.2);
    const COLORREF k = Hls(c1, -0.25);
    const COLORREF r = Hls(c1, 0.5);
    const COLORREF w = Hls(Hls(Hls(c1, 0.2), -0.25, 0.1), -0.5);
    const COLORREF f1 = ScaleColorChannels(c1, 999, 995, 995);
    const COLORREF f2 = ScaleColorChannels(c1, 857, 857, 857);
    const COLORREF t1 = Hls(c2, 0.6, 0.45, 0.02);
    const COLORREF t2 = Hls(c2, -0.3, 0.45);

    MapNewColor({1000}, a);
    MapNewColor({1001}, t1);
    MapNewColor({1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011}, k);
    int nShared = 0;
    LookupColorId(1002, nShared);
    MapNewColor({2000}, a);
    MapNewColor({2001}, q);
    MapNewColor({2002}, f2);
    MapNewColor({2003}, t2);
    MapNewColor({2004}, w);
    MapNewColor({2005}, f1);
    MapColorId(2006, COLOR_BTNTEXT);
    MapNewColor({2007}, Hls(c1, -0.68));
    MapColorId(2008, nShared);
    MapNewColor({2009}, r);
    MapColorId(2010, COLOR_BTNSHADOW);
    MapNewColor({3000}, bSilver ? Hls(c1, 0.8, 0.0, 0.1) : Hls(c1, 0.43));
    MapNewColor({3001}, bSilver ? Hls(c1, 0.4, 0.0, 0.1) : c1);
    MapNewColor({3002}, Hls(c1, 0.95));
    MapNewColor({3003}, Hls(c1, -0.6));
    MapNewColor({3004}, Hls(c1, -0.1));
    MapNewColor({3005}, Hls(c1, -0.6));
    MapNewColor({3006}, Hls(c2, 0.85));
    MapNewColor({3007}, Hls(c2, -0.05));
    MapNewColor({3008}, Hls(c2, 0.3));
    MapNewColor({3009}, Hls(c2, -0.3));
    MapNewColor({3010}, Hls(c1, 0.98));
    MapNewColor({3011}, Hls(c1, -0.45));
    MapNewColor({3012}, Hls(c1, 0.97));
    MapNewColor({3013, 3014}, Hls(c1, -0.97));
    MapNewColor({3015}, Hls(c1, 0.75));
    MapNewColor({3016}, Hls(GetColor(2000), -0.1));
    MapNewColor({3017}, Hls(c1, 0.3));
    MapNewColor({3018}, Hls(c1, -0.25));
    MapNewColor({3019}, Hls(c2, 0.8));
    MapNewColor({3020}, Hls(c2, 0.2));
    MapNewColor({3021}, Hls(c2, 0.4));
    MapNewColor({3022}, Hls(c2, -0.05));
    MapNewColor({3023}, Hls(c2, -0.3, 0.75));
    MapNewColor({3024}, Hls(c2, 0.5));

    for (int i = 0; i < 6; ++i)
        m_nColorIdSlots[4 + i] = 3019 + i;
    m_nExtraColorId = 3005;

    SetColorEntry(c1, COLOR_BTNFACE);
    SetColorEntry(Hls(c1, 0.45, 0.1), COLOR_3DLIGHT);
    SetColorEntry(Hls(c1, 0.75), COLOR_3DHILIGHT);
    SetColorEntry(Hls(c1, -0.45, 0.1), COLOR_BTNSHADOW);
    SetColorEntry(Hls(c1, -0.75), COLOR_3DDKSHADOW);
}
