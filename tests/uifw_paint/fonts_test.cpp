// The fonts made from the system's menu font and the half-tone brushes.
#include <gtest/gtest.h>

#include <utility>

#include "paintdraw.h"
#include "paintsystem.h"
#include "painttestsupport.h"

namespace {

LOGFONT LogFontOf(CFont& font)
{
    LOGFONT lf = {};
    font.GetLogFont(&lf);
    return lf;
}

LOGFONTA SystemMenuFont()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0);
    return ncm.lfMenuFont;
}

int CALLBACK MatchFamily(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto* pName = reinterpret_cast<std::pair<const char*, bool>*>(lParam);
    if (lstrcmpiA(pLogFont->lfFaceName, pName->first) == 0)
        pName->second = true;
    return 1;
}

bool HasFamily(const char* pszName)
{
    std::pair<const char*, bool> match(pszName, false);
    HDC hDC = ::GetDC(NULL);
    ::EnumFontFamiliesA(hDC, NULL, MatchFamily, (LPARAM)&match);
    ::ReleaseDC(NULL, hDC);
    return match.second;
}

} // namespace

TEST(PaintFonts, ThirteenFontsFromTheMenuFont)
{
    // The painters' pixel tests assume the screen of 96 dots per inch.
    ASSERT_EQ(96, painttest::ScreenDpi());
    painttest::PaintLookScope scope;
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const LOGFONT normal = LogFontOf(pm->m_fontNormal);
    EXPECT_EQ(0, normal.lfEscapement);
    EXPECT_EQ(2700, LogFontOf(pm->m_fontNormalVert).lfEscapement);
    EXPECT_EQ(900, LogFontOf(pm->m_fontNormalVertUp).lfEscapement);
    EXPECT_EQ(900, LogFontOf(pm->m_fontBold).lfWeight);
    EXPECT_EQ(2700, LogFontOf(pm->m_fontBoldVert).lfEscapement);
    EXPECT_EQ(900, LogFontOf(pm->m_fontBoldVertUp).lfWeight);
    CFont* smalls[] = {&pm->m_fontNormalSmall, &pm->m_fontNormalVertSmall, &pm->m_fontNormalVertUpSmall,
                       &pm->m_fontBoldSmall, &pm->m_fontBoldVertSmall, &pm->m_fontBoldVertUpSmall};
    for (CFont* pFont : smalls) {
        LOGFONT lf = LogFontOf(*pFont);
        EXPECT_GE(lf.lfHeight, -11);
        EXPECT_EQ(normal.lfHeight < -11 ? -11 : normal.lfHeight, lf.lfHeight);
    }
    EXPECT_EQ(900, LogFontOf(pm->m_fontBoldSmall).lfWeight);
    EXPECT_EQ(2700, LogFontOf(pm->m_fontBoldVertSmall).lfEscapement);

    const LOGFONT glyph = LogFontOf(pm->m_fontMarlett);
    EXPECT_STREQ("Marlett", glyph.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, glyph.lfCharSet);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, glyph.lfHeight);
    EXPECT_EQ(&pm->m_fontNormal, &pm->GetStatusBarFont());

    // Both text heights are the normal font's height + 2.
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, pm->m_fontNormal.GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    EXPECT_EQ(tm.tmHeight + 2, pm->GetFontTextHeight(FALSE));
    EXPECT_EQ(tm.tmHeight + 2, pm->GetFontTextHeight(TRUE));
}

TEST(PaintFonts, TheMenuFontKeepsTheSystemFaceUnlessTahomaIsPreferred)
{
    const LOGFONTA system = SystemMenuFont();
    HFONT hFont = CUiPaintManager::CreateMenuFont(FALSE);
    ASSERT_NE((HFONT)NULL, hFont);
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof(lf), &lf);
    ::DeleteObject(hFont);
    EXPECT_STREQ(system.lfFaceName, lf.lfFaceName);
    EXPECT_EQ(system.lfHeight, lf.lfHeight);

    // Preferring "Tahoma" takes it only where the system has that family.
    hFont = CUiPaintManager::CreateMenuFont(TRUE);
    ASSERT_NE((HFONT)NULL, hFont);
    ::GetObjectA(hFont, sizeof(lf), &lf);
    ::DeleteObject(hFont);
    EXPECT_STREQ(HasFamily("tahoma") ? "Tahoma" : system.lfFaceName, lf.lfFaceName);
}

TEST(PaintFonts, VerticalFontsTakeArialOnOlderFamilies)
{
    painttest::PaintLookScope scope;
    scope.SetVersion(VER_PLATFORM_WIN32_NT, 4, 0, 1381, "");
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    EXPECT_STREQ("Arial", LogFontOf(pm->m_fontNormalVert).lfFaceName);
    EXPECT_STRNE("Arial", LogFontOf(pm->m_fontNormal).lfFaceName);
}

TEST(PaintBrushes, HalftoneBrushesBlendTheTableColours)
{
    painttest::PaintLookScope scope;
    scope.UseIdentitySysColors();
    scope.SetSysColor(COLOR_BTNFACE, RGB(200, 100, 0));
    scope.SetSysColor(COLOR_3DHILIGHT, RGB(255, 255, 255));
    scope.SetSysColor(COLOR_BTNSHADOW, RGB(100, 50, 10));
    scope.SetBitsPerPixel(32);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    auto colorOf = [](CBrush& brush) {
        LOGBRUSH lb = {};
        brush.GetLogBrush(&lb);
        EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle);
        return lb.lbColor;
    };
    EXPECT_EQ(RGB(227, 177, 127), colorOf(pm->m_brushHalftone[0]));
    EXPECT_EQ(RGB(233, 193, 153), colorOf(pm->m_brushHalftone[1]));
    EXPECT_EQ(RGB(244, 224, 204), colorOf(pm->m_brushHalftone[2]));
    EXPECT_EQ(RGB(150, 75, 5), colorOf(pm->m_brushHalftone[3]));
    EXPECT_EQ(RGB(140, 70, 6), colorOf(pm->m_brushHalftone[4]));
    EXPECT_EQ(RGB(120, 60, 8), colorOf(pm->m_brushHalftone[5]));
    EXPECT_EQ(RGB(227, 177, 127), colorOf(pm->m_brushHalftone[6]));

    scope.SetBitsPerPixel(8);
    pm->InitHalftoneBrushes();
    for (CBrush& brush : pm->m_brushHalftone) {
        LOGBRUSH lb = {};
        ASSERT_NE((HGDIOBJ)NULL, brush.GetSafeHandle());
        brush.GetLogBrush(&lb);
        EXPECT_TRUE(lb.lbStyle == BS_PATTERN || lb.lbStyle == BS_DIBPATTERN) << lb.lbStyle;
    }
}

TEST(PaintBrushes, DitherBitmapsFollowTheirMasks)
{
    HBITMAP hBitmap = MakeDitherBitmap(RGB(255, 0, 0), RGB(0, 0, 255), 1, 1, 2, 2, RGB(0, 255, 0));
    ASSERT_NE((HBITMAP)NULL, hBitmap);
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(hMem, 0, 0));      // row 0, column 0: A
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(hMem, 1, 0));      // row 0, odd column: B
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(hMem, 0, 1));      // odd row, even column: B
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(hMem, 1, 1));      // odd row, odd column: A
    EXPECT_EQ(RGB(0, 255, 0), ::GetPixel(hMem, 2, 0));      // a line column
    EXPECT_EQ(RGB(0, 255, 0), ::GetPixel(hMem, 0, 3));      // a line row
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hBitmap);
}
