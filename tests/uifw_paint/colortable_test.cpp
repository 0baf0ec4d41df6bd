// Colour lookup with its fallback and the colour tables of the four looks, built from
// injected system colours, bits per pixel and visual-style schemes.
#include <gtest/gtest.h>

#include "colorhls.h"
#include "paintmanageroffice2003.h"
#include "paintmanagerstudio2005.h"
#include "paintsystem.h"
#include "painttestsupport.h"

using painttest::IdentitySysColor;

namespace {

// The taskband colours of a blue Luna desktop.
const COLORREF kLunaTaskband[kTaskbandColorCount] = {
    RGB(61, 149, 255), RGB(0, 84, 227), RGB(0, 45, 150), RGB(0, 19, 140),
    RGB(36, 94, 221), RGB(141, 178, 227), RGB(255, 222, 107),
};

const BYTE kThemed = kThemeApiUsable | kThemeAppThemed | kThemeTaskbandRead;

std::vector<int> AllIds()
{
    std::vector<int> ids;
    for (int i = 0; i < 50; ++i)
        ids.push_back(i);
    for (int i = 1000; i <= 1011; ++i)
        ids.push_back(i);
    for (int i = 2000; i <= 2010; ++i)
        ids.push_back(i);
    for (int i = 3000; i <= 3024; ++i)
        ids.push_back(i);
    return ids;
}

} // namespace

TEST(ColorTable, BaseLookMapsItsIdsToSystemEntriesAndFallsBackToTheFace)
{
    painttest::PaintLookScope scope;
    scope.UseIdentitySysColors();
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const COLORREF face = IdentitySysColor(COLOR_BTNFACE);
    EXPECT_EQ(face, pm->GetColor(999));
    EXPECT_EQ(face, pm->GetColor(-1));
    EXPECT_EQ(face, pm->GetColor(1000));
    EXPECT_EQ(face, pm->GetColor(4711));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNSHADOW), pm->GetColor(2010));
    EXPECT_EQ(IdentitySysColor(COLOR_WINDOWTEXT), pm->GetColor(1010));
    EXPECT_EQ(IdentitySysColor(COLOR_WINDOWTEXT), pm->GetColor(1011));
    EXPECT_EQ(IdentitySysColor(COLOR_3DLIGHT), pm->GetColor(1003));
    EXPECT_EQ(IdentitySysColor(COLOR_3DDKSHADOW), pm->GetColor(2008));
    EXPECT_EQ(COLOR_INFOBK, painttest::IdentitySysColorIndex(pm->GetColor(COLOR_INFOBK)));
    EXPECT_EQ(pm->GetBrush(COLOR_BTNFACE), pm->GetBrush(60));
    EXPECT_EQ(pm->GetBrush(COLOR_BTNFACE), pm->GetBrush(-3));
    EXPECT_EQ(PaintGetSysColorBrush(COLOR_BTNSHADOW), pm->GetBrush(COLOR_BTNSHADOW));
    EXPECT_EQ((UINT)DSS_DISABLED, pm->m_nDrawStateDisabledFlag);
    EXPECT_EQ(face, pm->GetThemeFillColor());
    EXPECT_EQ((COLORREF)-1, pm->GetMenuShadowColor());
}

TEST(ColorTable, HLSConversionTruncatesAndRoundTrips)
{
    double h = 0, s = 0, l = 0;
    RGBToHLS(RGB(128, 128, 128), h, s, l);
    EXPECT_EQ(0.0, s);
    EXPECT_EQ(RGB(191, 191, 191), HLSToRGB(h, l + (1 - l) * 0.5, s));
    EXPECT_EQ(RGB(191, 191, 191), AdjustColorHLS(RGB(128, 128, 128), 0, 0.5, 0));
    RGBToHLS(RGB(200, 40, 90), h, s, l);
    EXPECT_EQ(RGB(200, 40, 90), HLSToRGB(h, l, s));
    EXPECT_EQ(RGB(255, 0, 0), HLSToRGBDegrees(0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), HLSToRGBDegrees(240, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), HLSToRGBDegrees(-120, 0.5, 1.0));
    EXPECT_EQ(RGB(55, 155, 0), InvertColor(RGB(200, 100, 255)));
    // Negative fractions scale down, positive move towards 1; results are clamped.
    EXPECT_EQ(RGB(64, 64, 64), AdjustColorHLS(RGB(128, 128, 128), 0, -0.5, 0));
    EXPECT_EQ(RGB(0, 0, 0), AdjustColorHLS(RGB(128, 128, 128), 0, -1.5, 0));
}

class XPColorTable : public ::testing::Test {
protected:
    XPColorTable()
    {
        scope.UseIdentitySysColors();
        scope.SetSysColor(COLOR_WINDOW, RGB(255, 255, 255));
        scope.SetSysColor(COLOR_BTNFACE, RGB(212, 208, 200));
        scope.SetSysColor(COLOR_BTNSHADOW, RGB(128, 128, 128));
        scope.SetSysColor(COLOR_3DDKSHADOW, RGB(64, 64, 64));
    }
    painttest::PaintLookScope scope;
};

TEST_F(XPColorTable, AboveEightBitsTheLookComputesItsColours)
{
    scope.SetBitsPerPixel(32);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    EXPECT_EQ(RGB(249, 248, 247), pm->GetColor(2001));
    EXPECT_EQ(RGB(249, 248, 247), pm->GetThemeFillColor());
    EXPECT_EQ(RGB(211, 206, 199), pm->GetColor(2005));
    EXPECT_EQ(RGB(181, 178, 171), pm->GetColor(2002));
    for (int id = 1002; id <= 1009; ++id)
        EXPECT_EQ(RGB(112, 112, 112), pm->GetColor(id)) << id;
    EXPECT_EQ(RGB(220, 217, 211), pm->GetColor(1000));
    EXPECT_EQ(pm->GetColor(1000), pm->GetColor(2000));
    EXPECT_EQ(pm->GetColor(1000), pm->GetColor(2009));
    EXPECT_EQ(RGB(0, 0, 0), pm->GetColor(1011));
    EXPECT_EQ(IdentitySysColor(COLOR_WINDOWTEXT), pm->GetColor(1010));
    EXPECT_EQ(IdentitySysColor(COLOR_HIGHLIGHT), pm->GetColor(2004));
    EXPECT_EQ(IdentitySysColor(COLOR_HIGHLIGHTTEXT), pm->GetColor(2006));
    EXPECT_EQ(RGB(128, 128, 128), pm->GetColor(2010));
    EXPECT_EQ((UINT)DSS_MONO, pm->m_nDrawStateDisabledFlag);
}

TEST_F(XPColorTable, AtEightBitsPlainSystemColoursTakeTheirPlaces)
{
    scope.SetBitsPerPixel(8);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    EXPECT_EQ(RGB(212, 208, 200), pm->GetColor(1000));
    EXPECT_EQ(RGB(212, 208, 200), pm->GetColor(1001));
    for (int id = 1002; id <= 1009; ++id)
        EXPECT_EQ(RGB(128, 128, 128), pm->GetColor(id)) << id;
    EXPECT_EQ(IdentitySysColor(COLOR_3DHILIGHT), pm->GetColor(1011));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNTEXT), pm->GetColor(2004));
    EXPECT_EQ(RGB(255, 255, 255), pm->GetColor(2001));
}

class SchemeColorTable : public ::testing::Test {
protected:
    SchemeColorTable()
    {
        scope.UseIdentitySysColors();
        scope.SetBitsPerPixel(32);
    }
    painttest::PaintLookScope scope;
};

TEST_F(SchemeColorTable, WithoutAUsableSchemeOffice2003MapsSystemEntries)
{
    scope.SetTheme(0, kSchemeNone);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    for (int id : {3000, 3002, 3010, 3012, 3015})
        EXPECT_EQ(IdentitySysColor(COLOR_WINDOW), pm->GetColor(id)) << id;
    for (int id : {3001, 3018})
        EXPECT_EQ(IdentitySysColor(COLOR_BTNFACE), pm->GetColor(id)) << id;
    EXPECT_EQ(IdentitySysColor(COLOR_BTNTEXT), pm->GetColor(3013));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNSHADOW), pm->GetColor(3014));
    EXPECT_EQ(pm->GetColor(2000), pm->GetColor(3016));
    EXPECT_EQ(pm->GetColor(2001), pm->GetColor(3017));
    EXPECT_EQ(AdjustColorHLS(pm->GetColor(2003), 0, 0.3, 0), pm->GetColor(3007));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNFACE), pm->GetColor(COLOR_BTNFACE));
    EXPECT_EQ((COLORREF)-1, pm->GetMenuShadowColor());
    auto* pOffice = static_cast<CUiPaintManagerOffice2003*>(pm);
    EXPECT_EQ(-1, pOffice->m_nExtraColorId);
    EXPECT_EQ(3015, pOffice->m_nColorIdSlots[0]);
    EXPECT_EQ(-1, pOffice->m_nColorIdSlots[4]);
}

TEST_F(SchemeColorTable, Studio2005GivesTheOffice2003ColoursWithoutTheBlueScheme)
{
    for (int scheme : {kSchemeNone, kSchemeSilver}) {
        SCOPED_TRACE(scheme);
        scope.SetTheme(scheme == kSchemeNone ? 0 : kThemed, scheme, kLunaTaskband);
        std::vector<COLORREF> office, studio;
        CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
        for (int id : AllIds())
            office.push_back(pm->GetColor(id));
        pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005));
        for (int id : AllIds())
            studio.push_back(pm->GetColor(id));
        EXPECT_EQ(office, studio);
    }
}

TEST_F(SchemeColorTable, AUsableSchemeColoursTheTableButNotTheSystem)
{
    scope.SetTheme(kThemed, kSchemeBlue, kLunaTaskband);
    auto* pm = static_cast<CUiPaintManagerOffice2003*>(scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003)));
    COLORREF c1 = 0, c2 = 0;
    ASSERT_TRUE(pm->InitSchemeGradientColors(&c1, &c2));
    EXPECT_NE(IdentitySysColor(COLOR_BTNFACE), c1);
    EXPECT_EQ(c1, pm->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNFACE), PaintGetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c1, pm->GetColor(3001));
    EXPECT_EQ(AdjustColorHLS(c1, 0, -0.25, 0), pm->GetColor(1010));
    EXPECT_EQ(AdjustColorHLS(c1, 0, -0.6, 0.5), pm->GetMenuShadowColor());
    EXPECT_EQ(3005, pm->m_nExtraColorId);
    EXPECT_EQ(3019, pm->m_nColorIdSlots[4]);
    EXPECT_EQ(3024, pm->m_nColorIdSlots[9]);

    // Studio 2005 on the blue scheme has colours of its own.
    pm = static_cast<CUiPaintManagerOffice2003*>(scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005)));
    EXPECT_EQ(RGB(225, 225, 210), pm->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(225, 225, 210), pm->GetColor(1000));
    EXPECT_EQ(RGB(49, 106, 197), pm->GetColor(2004));
}

TEST_F(SchemeColorTable, RebuildsKeepTheTableSizeAndFollowTheSystem)
{
    scope.SetTheme(kThemed, kSchemeBlue, kLunaTaskband);
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerXP),
                                  RUNTIME_CLASS(CUiPaintManagerOffice2003), RUNTIME_CLASS(CUiPaintManagerStudio2005)}) {
        SCOPED_TRACE(pClass->m_lpszClassName);
        CUiPaintManager* pm = scope.Install(pClass);
        const int nSize = pm->GetColorTableSize();
        for (int i = 0; i < 3; ++i) {
            pm->OnSysColorChange();
            EXPECT_EQ(nSize, pm->GetColorTableSize());
        }
        pm->OnSettingChange(0, "");
        pm->OnDisplayChange(32, 1280, 1024);
        pm->OnThemeChanged(0, 0);
        EXPECT_EQ(nSize, pm->GetColorTableSize());
    }

    // A changed system colour reaches the table at the next system change.
    scope.SetTheme(0, kSchemeNone);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    scope.SetSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_NE(RGB(1, 2, 3), pm->GetColor(COLOR_BTNFACE));
    pm->OnSysColorChange();
    EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(1000));
}

TEST_F(SchemeColorTable, AtEightBitsOffice2003MapsOnlyTheShadowCopy)
{
    scope.SetBitsPerPixel(8);
    scope.SetTheme(kThemed, kSchemeBlue, kLunaTaskband);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNSHADOW), pm->GetColor(3014));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNFACE), pm->GetColor(3000));
    EXPECT_EQ(IdentitySysColor(COLOR_BTNFACE), pm->GetColor(COLOR_BTNFACE));
    EXPECT_FALSE(pm->HasThemedBackground(nullptr, 0));
}
