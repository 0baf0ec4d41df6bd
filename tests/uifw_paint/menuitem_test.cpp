// Popup-menu items in the four looks: the system-command glyph in place of an icon, the
// rarely used band, the icon column, the selection, check marks and radio bullets, and the
// insertion marker and focus frame.
#include "elementtest.h"

#include "glyphs.h"
#include "menuitempaintdata.h"
#include "paintdraw.h"

using namespace elementtest;
using winharness::DibSurface;
using winharness::MatchesAsciiMap;

namespace {

class MenuItem : public ElementTest {
protected:
    MenuItemPaintData Item(const CRect& rc, int cxIconArea, UINT nSysCmd, BOOL bSelected = FALSE,
                           BOOL bChecked = FALSE, BOOL bRadio = FALSE, BOOL bRarely = FALSE, BOOL bPrev = FALSE,
                           BOOL bNext = FALSE)
    {
        return MenuItemPaintData(nullptr, rc, cxIconArea, "", "", nullptr, FALSE, bSelected, bChecked, bRadio, FALSE,
                                 TRUE, bRarely, bPrev, bNext, nSysCmd);
    }
    void Paint(MenuItemPaintData& data)
    {
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintMenuItem(*surface.cdc(), data);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    }
};

} // namespace

TEST_F(MenuItem, WithoutIconOrCheckTheSystemCommandGlyphIsShown)
{
    const CRect rc(0, 0, 100, 22);
    for (Look look : kAllLooks) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        MenuItemPaintData data = Item(rc, 24, SC_CLOSE);
        Paint(data);
        const CRect rcIcon(4, 3, 20, 19);
        EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphHeavyCross), rcIcon), PixelsOf(surface, C(1010)));
    }
}

TEST_F(MenuItem, ClassicRarelyUsedLinesOnlyAtTheEndsOfTheBand)
{
    Use(kClassic);
    const CRect rc(0, 10, 100, 30);
    MenuItemPaintData inner = Item(rc, 24, 0, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE);
    Paint(inner);
    EXPECT_EQ(0, painttest::CountIn(surface, CRect(0, 10, 100, 11), C(COLOR_BTNSHADOW)));
    EXPECT_EQ(0, painttest::CountIn(surface, CRect(0, 29, 100, 30), C(COLOR_3DHILIGHT)));
    MenuItemPaintData alone = Item(rc, 24, 0, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE);
    Paint(alone);
    EXPECT_EQ(100, painttest::CountIn(surface, CRect(0, 10, 100, 11), C(COLOR_BTNSHADOW)));
    EXPECT_EQ(100, painttest::CountIn(surface, CRect(0, 29, 100, 30), C(COLOR_3DHILIGHT)));
}

TEST_F(MenuItem, IconColumnOfTheFlatLooks)
{
    const CRect rc(0, 0, 100, 20), rcArea(0, 0, 30, 20);
    scope.SetBitsPerPixel(8);
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        MenuItemPaintData data = Item(rc, 30, 0);
        Paint(data);
        EXPECT_EQ(600, painttest::CountIn(surface, rcArea, C(1000)));
        EXPECT_EQ(70 * 20, painttest::CountIn(surface, CRect(30, 0, 100, 20), C(2001)));
        MenuItemPaintData rarely = Item(rc, 30, 0, FALSE, FALSE, FALSE, TRUE);
        Paint(rarely);
        EXPECT_EQ(600, painttest::CountIn(surface, rcArea, C(2005)));
    }

    // Office 2003 above 8 bits without a usable scheme: the gradient over the left 7/10.
    scope.SetBitsPerPixel(32);
    Use(kOffice2003);
    MenuItemPaintData data = Item(rc, 30, 0);
    Paint(data);
    EXPECT_EQ(20, painttest::CountIn(surface, CRect(0, 0, 1, 20), C(3015)));
    EXPECT_EQ(9 * 20, painttest::CountIn(surface, CRect(21, 0, 30, 20), C(3016)));
    EXPECT_NE(C(3016), surface.Pixel(20, 5));
    EXPECT_NE(C(3015), surface.Pixel(20, 5));
}

TEST_F(MenuItem, SelectionAndMarksOfTheFlatLooks)
{
    const CRect rc(0, 0, 100, 22);
    const CRect rcIcon(4, 3, 20, 19);
    const CPoint centre = rcIcon.CenterPoint();
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        MenuItemPaintData selected = Item(rc, 24, 0, TRUE);
        Paint(selected);
        EXPECT_EQ(2 * (100 + 22) - 4, painttest::CountIn(surface, rc, C(2004)));
        EXPECT_EQ(98 * 20, painttest::CountIn(surface, CRect(1, 1, 99, 21), C(1001)));

        for (bool bRadio : {false, true}) {
            Use(look);
            MenuItemPaintData marked = Item(rc, 24, 0, FALSE, !bRadio, bRadio);
            Paint(marked);
            DibSurface reference(120, 80, kSentinel);
            if (bRadio)
                PaintRadioBullet(reference.dc(), centre.x - 3, centre.y - 3, C(1010));
            else
                PaintCheckMark(reference.dc(), centre.x - 3, centre.y - 3, C(1010));
            EXPECT_EQ(PixelsOf(reference, C(1010)), PixelsOf(surface, C(1010)));
            CRect rcMarked(rcIcon);
            rcMarked.InflateRect(2, 2);
            EXPECT_EQ(2 * (20 + 20) - 4, painttest::CountIn(surface, rcMarked, C(2004)));
            EXPECT_EQ(C(1001), surface.Pixel(rcMarked.left + 1, rcMarked.top + 1));
        }
    }
}

TEST_F(MenuItem, InsertionMarkerAndFocusFrame)
{
    Use(kXP);
    pm->PaintInsertionMarker(*surface.cdc(), CRect(10, 10, 30, 16), TRUE, TRUE);
    const winharness::ColorLegend legend = {{'#', C(COLOR_BTNTEXT)}, {'.', kSentinel}};
    EXPECT_TRUE(MatchesAsciiMap(surface, 5, 8,
                                {"........", "..######", "...####.", "....##..", "....##..", "....##..", "....##..",
                                 "...####.", "..######", "........"},
                                legend));
    Use(kXP);
    pm->PaintInsertionMarker(*surface.cdc(), CRect(10, 10, 16, 30), FALSE, FALSE);
    EXPECT_TRUE(MatchesAsciiMap(surface, 8, 26,
                                {"..........", ".#......#.", ".##....##.", ".########.", ".########.", ".##....##.",
                                 ".#......#.", ".........."},
                                legend));
    for (Look look : kAllLooks) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintFocusFrame(*surface.cdc(), CRect(2, 2, 8, 8));
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
        EXPECT_TRUE(MatchesAsciiMap(surface, 1, 1,
                                    {"........", ".######.", ".######.", ".##..##.", ".##..##.", ".######.",
                                     ".######.", "........"},
                                    {{'#', C(COLOR_BTNTEXT)}, {'.', kSentinel}}));
    }
}
