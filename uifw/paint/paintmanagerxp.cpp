#include "paintmanagerxp.h"

#include "colorhls.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"

IMPLEMENT_DYNCREATE(CUiPaintManagerXP, CUiPaintManager)

CUiPaintManagerXP::CUiPaintManagerXP()
    : m_bLookBits(0x03),
      m_chevronGlyphs{&g_glyphSmallDownTriangle, &g_glyphDoubleChevronRight, &g_glyphXPChevronVert,
                      &g_glyphDoubleChevronDown}
{
    for (int& nId : m_nColorIdSlots)
        nId = -1;
}

CUiPaintManagerXP::~CUiPaintManagerXP()
{
}

int CUiPaintManagerXP::GetThemeKind()
{
    return 2;
}

int CUiPaintManagerXP::GetMenuBorderSize()
{
    return 3;
}

COLORREF CUiPaintManagerXP::GetThemeFillColor()
{
    return GetColor(2001);
}

CSize CUiPaintManagerXP::GetGlyphShadowOffset()
{
    return CSize(0, 0);
}

int CUiPaintManagerXP::GetToolBarButtonGap()
{
    return 1;
}

BOOL CUiPaintManagerXP::IsMenuJoinedWithButton()
{
    return TRUE;
}

BOOL CUiPaintManagerXP::IsThemeColorSchemeUsable()
{
    const BYTE bNeeded = kThemeApiUsable | kThemeColorsAllowed;
    return (PaintManagerHolder::Get().m_bThemeFlags & bNeeded) == bNeeded;
}

void CUiPaintManagerXP::MapNewColor(std::initializer_list<int> ids, COLORREF clr)
{
    MapColorIds(ids, SetColorEntry(clr, -1));
}

void CUiPaintManagerXP::InitColorTable()
{
    m_nDrawStateDisabledFlag = DSS_MONO;
    CUiPaintManager::InitColorTable();

    const bool bTrueColor = GetScreenBitsPerPixel() > 8;
    const COLORREF window = PaintGetSysColor(COLOR_WINDOW);
    const COLORREF face = PaintGetSysColor(COLOR_BTNFACE);
    const COLORREF light = PaintGetSysColor(COLOR_3DHILIGHT);
    const COLORREF shadow = PaintGetSysColor(COLOR_BTNSHADOW);
    const COLORREF dark = PaintGetSysColor(COLOR_3DDKSHADOW);
    const COLORREF text = PaintGetSysColor(COLOR_BTNTEXT);
    const COLORREF select = PaintGetSysColor(COLOR_HIGHLIGHT);

    COLORREF w = window, f1 = shadow, a = face, b = face, c = shadow, f2 = shadow, m = shadow;
    COLORREF selection = text;
    if (bTrueColor) {
        w = RGB(GetRValue(window) - MulDiv(GetRValue(window), 2, 85),
                GetGValue(window) - MulDiv(GetGValue(window), 5, 182),
                GetBValue(window) - MulDiv(GetBValue(window), 10, 319));
        f1 = ScaleColorChannels(face, 999, 995, 995);
        a = AdjustColorHLS(face, 0.0, 0.2, 0.0);
        const bool bScheme = IsThemeColorSchemeUsable() != FALSE;
        b = bScheme ? AdjustColorHLS(select, 0.0, 0.65, 0.0) : AdjustColorHLS(select, 0.0, 0.7, -0.7);
        c = bScheme ? AdjustColorHLS(select, 0.0, 0.4, 0.0) : AdjustColorHLS(select, 0.0, 0.5, -0.7);
        f2 = ScaleColorChannels(face, 857, 857, 857);
        m = RGB((3 * GetRValue(shadow) + GetRValue(dark)) / 4, (3 * GetGValue(shadow) + GetGValue(dark)) / 4,
                (3 * GetBValue(shadow) + GetBValue(dark)) / 4);
        selection = select;
    }

    MapNewColor({1000}, a);
    MapNewColor({1001}, b);
    MapNewColor({1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009}, m);
    MapColorId(1010, COLOR_WINDOWTEXT);
    MapNewColor({1011}, bTrueColor ? RGB(0, 0, 0) : light);
    MapNewColor({2000}, a);
    MapNewColor({2001}, w);
    MapNewColor({2002}, f2);
    MapNewColor({2003}, c);
    MapNewColor({2004}, selection);
    MapNewColor({2005}, f1);
    MapColorId(2006, COLOR_HIGHLIGHTTEXT);
    MapColorId(2007, COLOR_3DDKSHADOW);
    MapNewColor({2008}, w);
    MapNewColor({2009}, GetColor(1000));
    MapColorId(2010, COLOR_BTNSHADOW);
}
