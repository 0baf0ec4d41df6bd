#include "paintmanagerstudio2005.h"

#include "colorhls.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

IMPLEMENT_DYNCREATE(CUiPaintManagerStudio2005, CUiPaintManagerOffice2003)

namespace {

COLORREF Hls(COLORREF clr, double dL, double dS = 0.0)
{
    return AdjustColorHLS(clr, 0.0, dL, dS);
}

} // namespace

CUiPaintManagerStudio2005::CUiPaintManagerStudio2005()
{
}

CUiPaintManagerStudio2005::~CUiPaintManagerStudio2005()
{
}

int CUiPaintManagerStudio2005::GetThemeKind()
{
    return 4;
}

void CUiPaintManagerStudio2005::GetTabItemPadding(CUiTabWnd*, int& nLead, int& nFar, int& nCross)
{
    nLead = 0;
    nFar = 2;
    nCross = 2;
}

int CUiPaintManagerStudio2005::GetDockingDragMode()
{
    return 1;
}

BOOL CUiPaintManagerStudio2005::IsStudioStyleAutoHideTabs()
{
    return TRUE;
}

BOOL CUiPaintManagerStudio2005::IsThemeColorSchemeUsable()
{
    const BYTE bNeeded = kThemeApiUsable | kThemeTaskbandRead | kThemeColorsAllowed;
    if ((PaintManagerHolder::Get().m_bThemeFlags & bNeeded) != bNeeded)
        return FALSE;
    return PaintManagerHolder::Get().m_nScheme == kSchemeBlue || PaintManagerHolder::Get().m_nScheme == kSchemeSilver;
}

BOOL CUiPaintManagerStudio2005::InitSchemeGradientColors(COLORREF* pBase, COLORREF* pAccent)
{
    if (!IsThemeColorSchemeUsable())
        return FALSE;
    if (PaintManagerHolder::Get().m_nScheme != kSchemeBlue)
        return CUiPaintManagerOffice2003::InitSchemeGradientColors(pBase, pAccent);
    if (pBase != nullptr)
        *pBase = RGB(225, 225, 210);
    if (pAccent != nullptr)
        *pAccent = RGB(49, 106, 197);
    return TRUE;
}

void CUiPaintManagerStudio2005::InitColorTable()
{
    PaintManagerHolder::Get().m_bThemeFlags &= (BYTE) ~(kThemeApiUsable | kThemeTaskbandRead);
    PaintManagerHolder::Get().LoadThemeApi();
    if (GetScreenBitsPerPixel() <= 8 || !IsThemeColorSchemeUsable() || PaintManagerHolder::Get().m_nScheme == kSchemeSilver) {
        BuildOffice2003Colors();
        return;
    }

    ResetSchemeColorSlots();
    CUiPaintManagerXP::InitColorTable();
    COLORREF c1 = 0, c2 = 0;
    if (!IsThemeColorSchemeUsable() || !InitSchemeGradientColors(&c1, &c2))
        return;

    const COLORREF p = PullTowardsWhite(Hls(c1, 0.95, -0.05), 40, 20);
    const COLORREF f1 = ScaleColorChannels(c1, 999, 995, 995);
    const COLORREF f2 = ScaleColorChannels(c1, 857, 857, 857);
    const COLORREF v = Hls(c2, 0.7);
    const COLORREF u = Hls(c2, 0.5);

    MapNewColor({1000}, c1);
    MapNewColor({1001}, v);
    MapNewColor({1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011}, p);
    int nShared = 0;
    LookupColorId(1002, nShared);
    MapNewColor({2000}, c1);
    MapNewColor({2001}, p);
    MapNewColor({2002}, f2);
    MapNewColor({2003}, u);
    MapNewColor({2004}, c2);
    MapNewColor({2005}, f1);
    MapColorId(2006, COLOR_BTNTEXT);
    MapNewColor({2007}, Hls(c1, -0.5));
    MapColorId(2008, nShared);
    MapNewColor({2009}, c1);
    MapColorId(2010, COLOR_BTNSHADOW);
    MapNewColor({3000}, Hls(c1, 0.8));
    MapNewColor({3001}, Hls(c1, 0.15));
    MapNewColor({3002}, Hls(c1, 0.95));
    MapNewColor({3003}, Hls(c1, -0.2));
    MapNewColor({3004}, Hls(c1, 0.6));
    MapNewColor({3005}, Hls(c1, -0.4, -0.4));
    MapNewColor({3006}, v);
    MapNewColor({3007}, v);
    MapNewColor({3008}, u);
    MapNewColor({3009}, u);
    MapNewColor({3010}, Hls(c1, 0.98));
    MapNewColor({3011}, Hls(c1, -0.4));
    MapNewColor({3012}, Hls(c1, 0.97));
    MapNewColor({3013}, Hls(c1, -0.97));
    MapColorId(3014, COLOR_BTNSHADOW);
    MapNewColor({3015}, Hls(c1, 0.98));
    MapNewColor({3016}, Hls(GetColor(2000), -0.2, -0.1));
    MapNewColor({3017}, Hls(c1, 0.98));
    MapNewColor({3018}, Hls(GetColor(2000), -0.4, -0.1));
    MapNewColor({3019}, v);
    MapNewColor({3020}, v);
    for (int nId = 3021; nId <= 3024; ++nId)
        MapNewColor({nId}, u);

    for (int i = 0; i < 6; ++i)
        m_nColorIdSlots[4 + i] = 3019 + i;
    m_nExtraColorId = 3005;

    SetColorEntry(c1, COLOR_BTNFACE);
    SetColorEntry(Hls(c1, 0.1), COLOR_3DLIGHT);
    SetColorEntry(Hls(c1, 0.95), COLOR_3DHILIGHT);
    SetColorEntry(Hls(c1, -0.3, -0.5), COLOR_BTNSHADOW);
    SetColorEntry(Hls(c1, -0.7, -0.5), COLOR_3DDKSHADOW);
}

CRuntimeClass* PaintManagerClassOfLook(UINT nLookCmdId)
{
    switch (nLookCmdId) {
    case 32828:
        return RUNTIME_CLASS(CUiPaintManagerOffice2003);
    case 32829:
        return RUNTIME_CLASS(CUiPaintManagerXP);
    case 32830:
        return RUNTIME_CLASS(CUiPaintManager);
    default:
        return RUNTIME_CLASS(CUiPaintManagerStudio2005);
    }
}
