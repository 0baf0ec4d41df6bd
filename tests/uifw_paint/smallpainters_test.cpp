// The small painters: the dot row, sunken and pane frames, caption bands and item texts, and
// which of them an invisible rectangle stops.
#include <gtest/gtest.h>

#include "glyphs.h"
#include "paintdraw.h"
#include "paintmanagerstudio2005.h"
#include "painttestsupport.h"

using winharness::DibSurface;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

class SmallPainters : public ::testing::Test {
protected:
    SmallPainters() : surface(80, 40, kSentinel)
    {
        scope.UseIdentitySysColors();
        scope.SetBitsPerPixel(32);
        scope.GradientFillOff();
    }
    COLORREF C(int nIndex) { return scope.Current()->GetColor(nIndex); }
    painttest::PaintLookScope scope;
    DibSurface surface;
};

} // namespace

TEST_F(SmallPainters, TheDotRowIsNineRaisedDotsCentredInItsRectangle)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    pm->PaintResizeGripper(*surface.cdc(), CRect(0, 0, 50, 10), 0);
    const winharness::ColorLegend legend = {{'.', kSentinel}, {'d', C(COLOR_3DDKSHADOW)}, {'w', C(COLOR_WINDOW)}};
    EXPECT_TRUE(winharness::MatchesAsciiMap(surface, 6, 3, {
        "..........",
        ".dd..dd..d",
        ".ddw.ddw.d",
        "..ww..ww..",
        "..........",
    }, legend));
    // Nine dots: the last starts at 7 + 32.
    EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(39, 4));
    EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(41, 6));
    EXPECT_EQ(kSentinel, surface.Pixel(43, 4));
    EXPECT_EQ(9 * 4 + 9 * 3, surface.CountOther(kSentinel));

    // Moved down by the offset.
    surface.Fill(kSentinel);
    pm->PaintResizeGripper(*surface.cdc(), CRect(0, 0, 50, 10), 5);
    EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(7, 9));
}

TEST_F(SmallPainters, SunkenFramesAreFourRingsOrOneFlatFrame)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    pm->PaintSunkenFrame(*surface.cdc(), CRect(0, 0, 20, 20), 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF expected[4][2] = {{C(COLOR_BTNFACE), C(COLOR_3DDKSHADOW)}, {white, C(COLOR_BTNSHADOW)},
                                     {C(COLOR_BTNFACE), C(COLOR_BTNFACE)}, {C(COLOR_BTNSHADOW), white}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(expected[k][0], surface.Pixel(k, 10)) << k;
        EXPECT_EQ(expected[k][1], surface.Pixel(19 - k, 10)) << k;
    }
    EXPECT_EQ(kSentinel, surface.Pixel(10, 10));

    CUiPaintManager* office = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    surface.Fill(kSentinel);
    office->PaintSunkenFrame(*surface.cdc(), CRect(0, 0, 20, 20), 0, 0);
    EXPECT_EQ(76, surface.Count(C(1008)));
    EXPECT_EQ(80 * 40 - 76, surface.Count(kSentinel));
}

TEST_F(SmallPainters, AnInvisibleRectangleStopsAllButTheDraggerTheDotRowAndThePaneFrame)
{
    for (CRuntimeClass* pLook : {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerXP),
                                 RUNTIME_CLASS(CUiPaintManagerOffice2003), RUNTIME_CLASS(CUiPaintManagerStudio2005)}) {
        CUiPaintManager* pm = scope.Install(pLook);
        CDC& dc = *surface.cdc();
        surface.Fill(kSentinel);
        ::ExcludeClipRect(surface.dc(), 0, 0, 40, 40);
        const CRect rc(0, 0, 40, 20);
        pm->FillWindowColorRect(dc, rc, 0);
        pm->PaintFrameRect(dc, rc);
        pm->PaintCaptionText(dc, rc, "Text");
        pm->PaintCaptionFrame(dc, rc, "Text");
        pm->PaintSmallCaptionText(dc, rc, "Text", nullptr, FALSE, FALSE, FALSE);
        pm->PaintToolTipText(dc, rc, "Text");
        pm->PaintCaptionBackground(dc, rc, "Text");
        pm->PaintCaptionIcon(dc, rc, &GetCaptionGlyph(kGlyphHeavyCross), 0);
        pm->FillShadowColorRect(dc, rc, 0, 0);
        pm->PaintPanelBackground(dc, rc, CRect(5, 5, 10, 10), nullptr, 0);
        pm->PaintSunkenFrame(dc, rc, 0, 0);
        ::SelectClipRgn(surface.dc(), NULL);
        EXPECT_EQ(80 * 40, surface.Count(kSentinel)) << pLook->m_lpszClassName;

        ::ExcludeClipRect(surface.dc(), 0, 0, 40, 40);
        pm->PaintMenuBarDragger(dc, rc, TRUE);
        pm->PaintResizeGripper(dc, rc, 0);
        pm->PaintPaneFrame(dc, rc, nullptr);
        ::SelectClipRgn(surface.dc(), NULL);
        surface.Fill(kSentinel);
        pm->PaintMenuBarDragger(dc, CRect(40, 0, 80, 10), TRUE);
        EXPECT_NE(kSentinel, surface.Pixel(60, 5));
        surface.Fill(kSentinel);
        pm->PaintPaneFrame(dc, CRect(40, 0, 80, 10), nullptr);
        EXPECT_EQ(C(1000), surface.Pixel(60, 5));
    }
}

TEST_F(SmallPainters, PaneFramesAndTheClassicDragger)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    pm->PaintPaneFrame(*surface.cdc(), CRect(0, 0, 20, 10), nullptr);
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(0, 5));
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(19, 5));
    EXPECT_EQ(C(1000), surface.Pixel(10, 5));
    scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003))->PaintPaneFrame(*surface.cdc(), CRect(0, 0, 20, 10), nullptr);
    EXPECT_EQ(C(1000), surface.Pixel(0, 5));

    pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    surface.Fill(kSentinel);
    pm->PaintMenuBarDragger(*surface.cdc(), CRect(0, 0, 60, 12), FALSE);
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(30, 0));
    EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(30, 1));
    EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(0, 8));
    EXPECT_EQ(C(1000), surface.Pixel(30, 6));
}

TEST_F(SmallPainters, TextsTooLongForTheirRectangleEndInAnEllipsis)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const CRect rc(4, 4, 70, 30);
    pm->PaintToolTipText(*surface.cdc(), rc, "WWWWWWWWWWWWWWWWWWWWWWWWWW");
    const COLORREF ink = C(COLOR_WINDOWTEXT);
    const CRect rcInk = painttest::InkBounds(surface, CRect(0, 0, 80, 40), ink);
    ASSERT_FALSE(rcInk.IsRectEmpty());
    EXPECT_TRUE(CRect(rc).PtInRect(rcInk.TopLeft()));
    EXPECT_LE(rcInk.right, rc.right);
    // The end of the text is dots on the baseline, far lower than a letter.
    const CRect rcEnd = painttest::InkBounds(surface, CRect(rcInk.right - 5, 0, rcInk.right, 40), ink);
    EXPECT_LE(rcEnd.Height(), rcInk.Height() / 2);
    // The text starts 7 pixels in and is centred vertically.
    EXPECT_GE(rcInk.left, rc.left + 7);
    EXPECT_LE(rcInk.left, rc.left + 9);
    EXPECT_NEAR((rcInk.top + rcInk.bottom) / 2, (rc.top + rc.bottom) / 2, 3);
}

TEST_F(SmallPainters, ClassicCaptionButtonFacesRiseWhenHotAndSinkWhenPushed)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const CRect rc(10, 10, 40, 30);
    pm->PaintCaptionButtonFace(*surface.cdc(), rc, "", 0, 0, 0, 0);
    EXPECT_EQ(600, painttest::CountIn(surface, rc, C(COLOR_BTNSHADOW)));
    pm->PaintCaptionButtonFace(*surface.cdc(), rc, "", 1, 0, 0, 0);
    EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(10, 20));
    EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(39, 20));
    surface.Fill(kSentinel);
    pm->PaintCaptionButtonFace(*surface.cdc(), rc, "", 2, 0, 0, 0);
    EXPECT_EQ(kSentinel, surface.Pixel(10, 20));
    EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(11, 20));
    EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(38, 20));
    EXPECT_EQ(kSentinel, surface.Pixel(39, 20));
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(20, 20));
}

TEST_F(SmallPainters, FlatCaptionButtonFacesAreFramedAndLightWhenHot)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    const CRect rc(10, 10, 40, 30);
    pm->PaintCaptionButtonFace(*surface.cdc(), rc, "", 0, 0, 0, 0);
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(10, 20));
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(39, 20));
    EXPECT_EQ(C(1000), surface.Pixel(25, 20));
    pm->PaintCaptionButtonFace(*surface.cdc(), rc, "", 1, 0, 0, 0);
    EXPECT_EQ(C(2001), surface.Pixel(25, 20));

    CUiPaintManager* office = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    surface.Fill(kSentinel);
    office->PaintCaptionButtonFace(*surface.cdc(), rc, "", 0, 0, 0, 0);
    DibSurface expected(80, 40, kSentinel);
    FillGradientRect(expected.dc(), CRect(11, 11, 39, 29), C(3016), C(3015), TRUE, 256);
    EXPECT_EQ(expected.Pixel(25, 12), surface.Pixel(25, 12));
    EXPECT_EQ(expected.Pixel(25, 27), surface.Pixel(25, 27));
}
