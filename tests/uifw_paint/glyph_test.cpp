// The built-in glyphs: their figures, their turned copies and how they are painted, checked
// as ASCII maps of a sentinel-filled surface.
#include <gtest/gtest.h>

#include "glyphs.h"
#include "painttestsupport.h"

using winharness::DibSurface;
using winharness::MatchesAsciiMap;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);
const COLORREF kInk = RGB(200, 0, 0);
const COLORREF kInk2 = RGB(0, 200, 0);
const COLORREF kInk3 = RGB(0, 0, 200);
const COLORREF kColors[4] = {RGB(9, 9, 9), kInk, kInk2, kInk3};
const winharness::ColorLegend kLegend = {{'.', kSentinel}, {'#', kInk}, {'2', kInk2}, {'3', kInk3}};

// The glyph's rows as text, '#' for 1 and digits above.
std::vector<std::string> Rows(const GlyphBitmap& glyph)
{
    std::vector<std::string> rows;
    for (UINT y = 0; y < glyph.Height(); ++y) {
        std::string row;
        for (UINT x = 0; x < glyph.Width(); ++x) {
            UINT v = glyph.Value((int)x, (int)y);
            row += v == 0 ? '.' : (v == 1 ? '#' : (char)('0' + v));
        }
        rows.push_back(row);
    }
    return rows;
}

class GlyphPaint : public ::testing::Test {
protected:
    GlyphPaint() : surface(24, 24, kSentinel) { pm = scope.Install(RUNTIME_CLASS(CUiPaintManager)); }
    painttest::PaintLookScope scope;
    CUiPaintManager* pm;
    DibSurface surface;
};

} // namespace

TEST(Glyphs, TurnedCopiesPointTheWayTheirTurnSays)
{
    EXPECT_EQ(std::vector<std::string>({"#####", ".###.", "..#.."}), Rows(g_glyphSmallDownTriangle));
    // Clockwise: pointing left; counter-clockwise: pointing right.
    EXPECT_EQ(std::vector<std::string>({"..#", ".##", "###", ".##", "..#"}), Rows(g_glyphXPChevronVert));
    EXPECT_EQ(std::vector<std::string>({"#..", "##.", "###", "##.", "#.."}), Rows(g_glyphSmallRightTriangle));
    const GlyphBitmap& up = GetCaptionGlyph(kGlyphTriangleUp);
    const GlyphBitmap& down = GetCaptionGlyph(kGlyphTriangleDown);
    ASSERT_EQ(9u, down.Width());
    ASSERT_EQ(9u, down.Height());
    std::vector<std::string> upRows = Rows(up);
    std::vector<std::string> downRows = Rows(down);
    for (int y = 0; y < 9; ++y)
        EXPECT_EQ(std::string(upRows[8 - y].rbegin(), upRows[8 - y].rend()), downRows[y]);
    // Its widest row lies above its point.
    EXPECT_EQ("#########", downRows[2]);
    EXPECT_EQ("....#....", downRows[6]);
    EXPECT_TRUE(g_glyphXPChevronVert.OwnsValues());
    EXPECT_FALSE(g_glyphSmallDownTriangle.OwnsValues());
}

TEST(Glyphs, ListedFiguresAreDrawnAsListed)
{
    EXPECT_EQ(std::vector<std::string>({"##..##..", ".##..##.", "..##..##", ".##..##.", "##..##.."}),
              Rows(g_glyphDoubleChevronRight));
    EXPECT_EQ(5u, g_glyphDoubleChevronDown.Width());
    EXPECT_EQ(8u, g_glyphDoubleChevronDown.Height());
    EXPECT_EQ(std::vector<std::string>({"#####", ".....", ".....", "#####", ".###.", "..#.."}),
              Rows(g_glyphBarTriangle));
    EXPECT_EQ(std::vector<std::string>({"......", "#...#.", "##..##", "#...#.", "......"}),
              Rows(g_glyphSmallDoubleChevron));
    EXPECT_EQ(6u, g_glyphBarTriangleTurned.Width());
    EXPECT_EQ(5u, g_glyphSmallDoubleChevronTurned.Width());
    EXPECT_EQ(std::vector<std::string>({"..#..", ".###.", "#####"}), Rows(GetCaptionGlyph(36)));
    EXPECT_EQ(std::vector<std::string>({"#####", ".###.", "..#.."}), Rows(GetCaptionGlyph(37)));
    EXPECT_EQ(std::vector<std::string>({".........", ".#..#..#.", "........."}), Rows(GetCaptionGlyph(40)));
    EXPECT_EQ(std::vector<std::string>({"#######", "#######", ".......", "#######", ".#####.", "..###..", "...#..."}),
              Rows(GetCaptionGlyph(45)));
    std::vector<std::string> minimize = Rows(GetCaptionGlyph(kGlyphMinimize));
    for (int y = 0; y < 9; ++y)
        EXPECT_EQ(y == 6 || y == 7 ? ".#######." : ".........", minimize[y]) << y;
    std::vector<std::string> chevronTriangle = Rows(GetCaptionGlyph(46));
    ASSERT_EQ(12u, chevronTriangle.size());
    EXPECT_EQ(".#####.", chevronTriangle[9]);
    EXPECT_EQ("..###..", chevronTriangle[10]);
    EXPECT_EQ("...#...", chevronTriangle[11]);
    for (int y = 5; y < 9; ++y)
        EXPECT_EQ(".......", chevronTriangle[y]);

    // The submenu arrow: a right-pointing triangle in rows 3 to 13 from column 6.
    std::vector<std::string> arrow = Rows(g_glyphSubmenuArrow);
    EXPECT_EQ("......######", arrow[8]);
    EXPECT_EQ("......#.....", arrow[3]);
    EXPECT_EQ("......#.....", arrow[13]);
    EXPECT_EQ("............", arrow[14]);
    std::vector<std::string> arrowBar = Rows(g_glyphSubmenuArrowBar);
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ('#' + arrow[y].substr(1), arrowBar[y]) << y;
}

TEST(Glyphs, TheCaptionTableHasItsSizesAndColours)
{
    for (int i = 0; i < kCaptionGlyphCount; ++i) {
        const GlyphBitmap& glyph = GetCaptionGlyph(i);
        SCOPED_TRACE(i);
        EXPECT_GT(glyph.Width(), 0u);
        UINT maxValue = 0;
        for (UINT y = 0; y < glyph.Height(); ++y) {
            for (UINT x = 0; x < glyph.Width(); ++x)
                maxValue = std::max(maxValue, glyph.Value((int)x, (int)y));
        }
        EXPECT_LT(maxValue, glyph.ColorCount());
        if (i != 0) {
            EXPECT_GT(maxValue, 0u);
        }
    }
    EXPECT_EQ(11u, GetCaptionGlyph(28).Width());
    EXPECT_EQ(11u, GetCaptionGlyph(35).Height());
    EXPECT_EQ(4u, GetCaptionGlyph(43).ColorCount());
    EXPECT_EQ(10u, GetCaptionGlyph(44).Width());
    EXPECT_EQ(&GetCaptionGlyph(0), &GetCaptionGlyph(47));
    EXPECT_EQ(&GetCaptionGlyph(0), &GetCaptionGlyph(-1));
}

TEST_F(GlyphPaint, PaintsEveryValueInItsColourAndLeavesZeroesAlone)
{
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    pm->PaintGlyph(*surface.cdc(), 3, 4, GetCaptionGlyph(41), kColors);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_TRUE(MatchesAsciiMap(surface, 3, 4,
                                {"..........", "....#2....", "...#..2...", "...#..2...", "..#....2..",
                                 "..#....2..", ".#......2.", ".#......2.", ".33333333.", ".........."},
                                kLegend));
    EXPECT_EQ(24 * 24 - 22, surface.Count(kSentinel));
}

TEST_F(GlyphPaint, CentringAndTheVisibleArea)
{
    CRect rc(4, 6, 14, 16);
    pm->PaintGlyphCentered(*surface.cdc(), rc, g_glyphSmallDownTriangle, kColors);
    EXPECT_TRUE(MatchesAsciiMap(surface, 4, 6,
                                {"..........", "..........", "..........", "..#####...", "...###....",
                                 "....#.....", ".........."},
                                kLegend));
    // A reversed rectangle is normalised; an empty one paints nothing.
    surface.Fill(kSentinel);
    pm->PaintGlyphCentered(*surface.cdc(), CRect(14, 16, 4, 6), g_glyphSmallDownTriangle, kColors);
    EXPECT_EQ(kInk, surface.Pixel(6, 9));
    surface.Fill(kSentinel);
    pm->PaintGlyphCentered(*surface.cdc(), CRect(4, 6, 4, 16), g_glyphSmallDownTriangle, kColors);
    EXPECT_EQ(24 * 24, surface.Count(kSentinel));
    // A glyph larger than its rectangle starts left of and above it.
    pm->PaintGlyphCentered(*surface.cdc(), CRect(10, 10, 13, 11), g_glyphSmallDownTriangle, kColors);
    EXPECT_EQ(kInk, surface.Pixel(9, 9));

    // Outside the visible area nothing is painted, not even the part that would show.
    surface.Fill(kSentinel);
    ::IntersectClipRect(surface.dc(), 0, 0, 10, 10);
    pm->PaintGlyph(*surface.cdc(), 12, 12, g_glyphDoubleChevronRight, kColors);
    ::SelectClipRgn(surface.dc(), NULL);
    EXPECT_EQ(24 * 24, surface.Count(kSentinel));
}
