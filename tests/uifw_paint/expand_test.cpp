// The toolbar chevron and the popup menu's expand area: glyph places and colours, the
// Office 2003 shaded figure, and the Office 2003 chevron face on a docked toolbar, which
// leaves the caller's clip region as it was.
#include "elementtest.h"

#include "barbutton.h"
#include "glyphs.h"
#include "toolcontrolbar.h"

using namespace elementtest;

namespace {

class Expand : public ElementTest {
protected:
    void Chevron(const CRect& rc, BOOL bNoHidden, BOOL bEnabled, CObject* pAsking = nullptr)
    {
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintContentExpandButton(*surface.cdc(), rc, TRUE, bNoHidden, bEnabled, FALSE, FALSE, pAsking, 0, FALSE);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    }
};

PixelSet Union(PixelSet a, const PixelSet& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(Expand, XPChevronGlyphs)
{
    const CRect rc(10, 10, 22, 32);
    Use(kXP);
    Chevron(rc, FALSE, TRUE);
    // The arrow's bottom 3 pixels above the bottom edge, the double chevron 4 below the top.
    const PixelSet arrow = GlyphPixels(g_glyphSmallDownTriangle, 13, 26);
    const PixelSet chevron = GlyphPixels(g_glyphDoubleChevronRight, 12, 14);
    EXPECT_EQ(Union(arrow, chevron), PixelsOf(surface, C(1010)));
    Use(kXP);
    Chevron(rc, TRUE, TRUE);
    EXPECT_EQ(arrow, PixelsOf(surface, C(1010)));
}

TEST_F(Expand, ClassicDisabledChevronShowsTheEngravedArrowOnly)
{
    const CRect rc(10, 10, 22, 32);
    Use(kClassic);
    Chevron(rc, FALSE, FALSE);
    const PixelSet shadow = GlyphPixels(g_glyphSmallDownTriangle, 13, 26);
    PixelSet light = GlyphPixels(g_glyphSmallDownTriangle, 14, 27);
    for (const auto& p : shadow)
        light.erase(p);
    EXPECT_EQ(shadow, PixelsOf(surface, C(COLOR_BTNSHADOW), rc));
    EXPECT_EQ(light, PixelsOf(surface, C(COLOR_3DHILIGHT), CRect(11, 11, 21, 31)));
}

TEST_F(Expand, MenuExpandArea)
{
    const CRect rc(0, 0, 40, 12);
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        scope.SetBitsPerPixel(8);
        Use(look);
        pm->PaintMenuExpandButton(*surface.cdc(), rc, FALSE, nullptr);
        const PixelSet glyph = GlyphPixelsCentered(g_glyphDoubleChevronDown, rc);
        EXPECT_EQ(glyph, PixelsOf(surface, C(1010)));
        EXPECT_EQ(40 * 12 - (int)glyph.size(), painttest::CountIn(surface, rc, C(2001)));
        scope.SetBitsPerPixel(32);
    }

    // Office 2003 above 8 bits: a shaded round figure between 3015 and 3016 behind the glyph.
    for (Look look : {kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        pm->PaintMenuExpandButton(*surface.cdc(), CRect(0, 0, 40, 20), FALSE, nullptr);
        const COLORREF a = C(3015), b = C(3016), face = C(2001), ink = C(1010);
        auto between = [](int v, int x, int y) { return v >= std::min(x, y) && v <= std::max(x, y); };
        int nShaded = 0;
        for (int y = 2; y < 18; ++y) {
            for (int x = 12; x < 28; ++x) {
                const COLORREF c = surface.Pixel(x, y);
                if (c == face || c == ink)
                    continue;
                ++nShaded;
                EXPECT_TRUE(between(GetRValue(c), GetRValue(a), GetRValue(b)) &&
                            between(GetGValue(c), GetGValue(a), GetGValue(b)) &&
                            between(GetBValue(c), GetBValue(a), GetBValue(b)))
                    << x << ", " << y;
            }
        }
        EXPECT_LT(100, nShaded);
        EXPECT_EQ(face, surface.Pixel(12, 2));   // outside the circle
    }
}

TEST_F(Expand, Office2003ChevronFaceOnADockedToolbarKeepsTheCallersClip)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 320)));
    const HWND hFrame = pFrame->GetSafeHwnd();
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CUiToolControlBar toolbar;
    toolbar.m_dwStyle = CBRS_ALIGN_TOP;
    ASSERT_TRUE(toolbar.CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, 0xE810));
    toolbar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);
    CUiBarContentExpandButton chevron(&toolbar);

    Use(kOffice2003);
    const CRect rc(10, 10, 22, 32);
    CRgn rgnCaller;
    rgnCaller.CreateRectRgn(0, 0, 18, 80);
    surface.cdc()->SelectClipRgn(&rgnCaller);
    Chevron(rc, FALSE, TRUE, &chevron);
    surface.cdc()->SelectClipRgn(nullptr);
    // Its own face (3005 without a scheme) and its own glyphs, never right of the caller's clip.
    EXPECT_EQ(C(3005), surface.Pixel(11, 20));
    EXPECT_EQ(0, painttest::CountIn(surface, CRect(18, 0, 120, 80), C(3005)));
    EXPECT_EQ(120 * 80 - 18 * 80, painttest::CountIn(surface, CRect(18, 0, 120, 80), kSentinel));
    EXPECT_FALSE(PixelsOf(surface, C(1010)).empty());

    ::DestroyWindow(hFrame);
    winharness::PumpPending();
}
