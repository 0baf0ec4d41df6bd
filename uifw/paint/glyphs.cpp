// The pixel tables of the built-in figures. '#' is value 1, '.' transparent, digits their
// value (the four-colour shaded triangles). Sources stand before the copies turned from
// them: objects of one file are made in the order written.
#include "glyphs.h"

#include <cstddef>

namespace {

template <size_t N>
struct GlyphTable {
    UINT values[N];
    template <size_t M>
    constexpr GlyphTable(const char (&rows)[M]) : values{}
    {
        static_assert(M == N + 1, "rows do not fill the glyph");
        for (size_t i = 0; i < N; ++i) {
            char c = rows[i];
            values[i] = c == '#' ? 1u : (c >= '0' && c <= '9' ? (UINT)(c - '0') : 0u);
        }
    }
};
template <size_t M>
GlyphTable(const char (&)[M]) -> GlyphTable<M - 1>;

constexpr GlyphTable kSmallDown("#####"
                                ".###."
                                "..#..");

constexpr GlyphTable kDoubleChevronRight("##..##.."
                                         ".##..##."
                                         "..##..##"
                                         ".##..##."
                                         "##..##..");

constexpr GlyphTable kBarTriangle("#####"
                                  "....."
                                  "....."
                                  "#####"
                                  ".###."
                                  "..#..");

constexpr GlyphTable kSmallDoubleChevron("......"
                                         "#...#."
                                         "##..##"
                                         "#...#."
                                         "......");

constexpr GlyphTable kSubmenuArrow("............"
                                   "............"
                                   "............"
                                   "......#....."
                                   "......##...."
                                   "......###..."
                                   "......####.."
                                   "......#####."
                                   "......######"
                                   "......#####."
                                   "......####.."
                                   "......###..."
                                   "......##...."
                                   "......#....."
                                   "............"
                                   "............");

constexpr GlyphTable kSubmenuArrowBar("#..........."
                                      "#..........."
                                      "#..........."
                                      "#.....#....."
                                      "#.....##...."
                                      "#.....###..."
                                      "#.....####.."
                                      "#.....#####."
                                      "#.....######"
                                      "#.....#####."
                                      "#.....####.."
                                      "#.....###..."
                                      "#.....##...."
                                      "#.....#....."
                                      "#..........."
                                      "#...........");

constexpr GlyphTable kEmpty("........."
                            "........."
                            "........."
                            "........."
                            "........."
                            "........."
                            "........."
                            "........."
                            ".........");

constexpr GlyphTable kHeavyCross("........."
                                 ".##...##."
                                 ".###.###."
                                 "..#####.."
                                 "...###..."
                                 "..#####.."
                                 ".###.###."
                                 ".##...##."
                                 ".........");

constexpr GlyphTable kTriangleUp("........."
                                 "........."
                                 "....#...."
                                 "...###..."
                                 "..#####.."
                                 ".#######."
                                 "#########"
                                 "........."
                                 ".........");

constexpr GlyphTable kMinimize("........."
                               "........."
                               "........."
                               "........."
                               "........."
                               "........."
                               ".#######."
                               ".#######."
                               ".........");

constexpr GlyphTable kRestore("...######"
                              "...######"
                              "...#....#"
                              ".######.#"
                              ".######.#"
                              ".#....###"
                              ".#....#.."
                              ".######.."
                              ".........");

constexpr GlyphTable kMaximize("#########"
                               "#########"
                               "#.......#"
                               "#.......#"
                               "#.......#"
                               "#.......#"
                               "#.......#"
                               "#########"
                               ".........");

constexpr GlyphTable kQuestion("..#####.."
                               ".##...##."
                               "......##."
                               ".....##.."
                               "....##..."
                               "....##..."
                               "........."
                               "....##..."
                               "....##...");

constexpr GlyphTable kPin("..#####.."
                          "..#..##.."
                          "..#..##.."
                          "..#..##.."
                          ".#######."
                          "....#...."
                          "....#...."
                          "....#...."
                          ".........");

constexpr GlyphTable kArrowStemUp("....#...."
                                  "...###..."
                                  "..#####.."
                                  ".#######."
                                  "...###..."
                                  "...###..."
                                  "...###..."
                                  "...###..."
                                  ".........");

constexpr GlyphTable kThinCross("........."
                                ".#.....#."
                                "..#...#.."
                                "...#.#..."
                                "....#...."
                                "...#.#..."
                                "..#...#.."
                                ".#.....#."
                                ".........");

constexpr GlyphTable kHollowTriangleUp("........."
                                       "........."
                                       "....#...."
                                       "...#.#..."
                                       "..#...#.."
                                       ".#.....#."
                                       "#########"
                                       "........."
                                       ".........");

constexpr GlyphTable kMediumCross("........."
                                  "........."
                                  "..##.##.."
                                  "...###..."
                                  "....#...."
                                  "...###..."
                                  "..##.##.."
                                  "........."
                                  ".........");

constexpr GlyphTable kPlus("........."
                           "....#...."
                           "....#...."
                           "....#...."
                           ".#######."
                           "....#...."
                           "....#...."
                           "....#...."
                           ".........");

constexpr GlyphTable kMinus("........."
                            "........."
                            "........."
                            "........."
                            ".#######."
                            "........."
                            "........."
                            "........."
                            ".........");

constexpr GlyphTable kBoxedPlus("#########"
                                "#.......#"
                                "#...#...#"
                                "#...#...#"
                                "#.#####.#"
                                "#...#...#"
                                "#...#...#"
                                "#.......#"
                                "#########");

constexpr GlyphTable kBoxedMinus("#########"
                                 "#.......#"
                                 "#.......#"
                                 "#.......#"
                                 "#.#####.#"
                                 "#.......#"
                                 "#.......#"
                                 "#.......#"
                                 "#########");

constexpr GlyphTable kCircledPlus("..#####.."
                                  ".#.....#."
                                  "#...#...#"
                                  "#...#...#"
                                  "#.#####.#"
                                  "#...#...#"
                                  "#...#...#"
                                  ".#.....#."
                                  "..#####..");

constexpr GlyphTable kCircledMinus("..#####.."
                                   ".#.....#."
                                   "#.......#"
                                   "#.......#"
                                   "#.#####.#"
                                   "#.......#"
                                   "#.......#"
                                   ".#.....#."
                                   "..#####..");

constexpr GlyphTable kLargeArrowUp(".....#....."
                                   "....###...."
                                   "...#####..."
                                   "..#######.."
                                   ".#########."
                                   "....###...."
                                   "....###...."
                                   "....###...."
                                   "....###...."
                                   "....###...."
                                   "...........");

constexpr GlyphTable kPointerTopLeft("######....."
                                     "#####......"
                                     "####......."
                                     "#####......"
                                     "##.###....."
                                     "#...###...."
                                     ".....###..."
                                     "......###.."
                                     ".......###."
                                     "........###"
                                     ".........#.");

constexpr GlyphTable kSmallTriangleUp("..#.."
                                      ".###."
                                      "#####");

constexpr GlyphTable kEllipsis("........."
                               ".#..#..#."
                               ".........");

constexpr GlyphTable kShadedTriangleUp(".........."
                                       "....12...."
                                       "...1..2..."
                                       "...1..2..."
                                       "..1....2.."
                                       "..1....2.."
                                       ".1......2."
                                       ".1......2."
                                       ".33333333."
                                       "..........");

constexpr GlyphTable kShadedTriangleDown(".........."
                                         ".33333333."
                                         ".1......2."
                                         ".1......2."
                                         "..1....2.."
                                         "..1....2.."
                                         "...1..2..."
                                         "...1..2..."
                                         "....12...."
                                         "..........");

constexpr GlyphTable kBarTriangleLarge("#######"
                                       "#######"
                                       "......."
                                       "#######"
                                       ".#####."
                                       "..###.."
                                       "...#...");

constexpr GlyphTable kDoubleChevronTriangle("#..#..."
                                            ".#..#.."
                                            "..#..#."
                                            ".#..#.."
                                            "#..#..."
                                            "......."
                                            "......."
                                            "......."
                                            "......."
                                            ".#####."
                                            "..###.."
                                            "...#...");

} // namespace

const GlyphBitmap g_glyphSmallDownTriangle(5, 3, 2, kSmallDown.values);
const GlyphBitmap g_glyphSmallRightTriangle(g_glyphSmallDownTriangle, GlyphBitmap::kCounterClockwise);
const GlyphBitmap g_glyphXPChevronVert(g_glyphSmallDownTriangle, GlyphBitmap::kClockwise);
const GlyphBitmap g_glyphDoubleChevronRight(8, 5, 2, kDoubleChevronRight.values);
const GlyphBitmap g_glyphDoubleChevronDown(g_glyphDoubleChevronRight, GlyphBitmap::kClockwise);
const GlyphBitmap g_glyphBarTriangle(5, 6, 2, kBarTriangle.values);
const GlyphBitmap g_glyphBarTriangleTurned(g_glyphBarTriangle, GlyphBitmap::kCounterClockwise);
const GlyphBitmap g_glyphBarTriangleClockwise(g_glyphBarTriangle, GlyphBitmap::kClockwise);
const GlyphBitmap g_glyphSmallDoubleChevron(6, 5, 2, kSmallDoubleChevron.values);
const GlyphBitmap g_glyphSmallDoubleChevronTurned(g_glyphSmallDoubleChevron, GlyphBitmap::kClockwise);
const GlyphBitmap g_glyphSubmenuArrow(12, 16, 2, kSubmenuArrow.values);
const GlyphBitmap g_glyphSubmenuArrowBar(12, 16, 2, kSubmenuArrowBar.values);

namespace {

using T = GlyphBitmap;

const T g_c0(9, 9, 2, kEmpty.values);
const T g_c1(9, 9, 2, kHeavyCross.values);
const T g_c2(9, 9, 2, kTriangleUp.values);
const T g_c3(g_c2, T::kHalfTurn);
const T g_c4(g_c2, T::kCounterClockwise);
const T g_c5(g_c4, T::kHalfTurn);
const T g_c6(9, 9, 2, kMinimize.values);
const T g_c7(9, 9, 2, kRestore.values);
const T g_c8(9, 9, 2, kMaximize.values);
const T g_c9(9, 9, 2, kQuestion.values);
const T g_c10(9, 9, 2, kPin.values);
const T g_c11(g_c10, T::kClockwise);
const T g_c12(9, 9, 2, kArrowStemUp.values);
const T g_c13(g_c12, T::kHalfTurn);
const T g_c14(g_c12, T::kCounterClockwise);
const T g_c15(g_c14, T::kHalfTurn);
const T g_c16(9, 9, 2, kThinCross.values);
const T g_c17(9, 9, 2, kHollowTriangleUp.values);
const T g_c18(g_c17, T::kHalfTurn);
const T g_c19(g_c17, T::kCounterClockwise);
const T g_c20(g_c19, T::kHalfTurn);
const T g_c21(9, 9, 2, kMediumCross.values);
const T g_c22(9, 9, 2, kPlus.values);
const T g_c23(9, 9, 2, kMinus.values);
const T g_c24(9, 9, 2, kBoxedPlus.values);
const T g_c25(9, 9, 2, kBoxedMinus.values);
const T g_c26(9, 9, 2, kCircledPlus.values);
const T g_c27(9, 9, 2, kCircledMinus.values);
const T g_c28(11, 11, 2, kLargeArrowUp.values);
const T g_c29(g_c28, T::kHalfTurn);
const T g_c30(g_c28, T::kCounterClockwise);
const T g_c31(g_c30, T::kHalfTurn);
const T g_c32(11, 11, 2, kPointerTopLeft.values);
const T g_c33(g_c32, T::kClockwise);
const T g_c34(g_c33, T::kClockwise);
const T g_c35(g_c34, T::kClockwise);
const T g_c36(5, 3, 2, kSmallTriangleUp.values);
const T g_c37(g_c36, T::kHalfTurn);
const T g_c38(g_c36, T::kCounterClockwise);
const T g_c39(g_c38, T::kHalfTurn);
const T g_c40(9, 3, 2, kEllipsis.values);
const T g_c41(10, 10, 4, kShadedTriangleUp.values);
const T g_c42(10, 10, 4, kShadedTriangleDown.values);
const T g_c43(g_c42, T::kClockwise);
const T g_c44(g_c41, T::kClockwise);
const T g_c45(7, 7, 2, kBarTriangleLarge.values);
const T g_c46(7, 12, 2, kDoubleChevronTriangle.values);

const GlyphBitmap* const g_captionGlyphs[kCaptionGlyphCount] = {
    &g_c0, &g_c1, &g_c2, &g_c3, &g_c4, &g_c5, &g_c6, &g_c7, &g_c8, &g_c9, &g_c10, &g_c11,
    &g_c12, &g_c13, &g_c14, &g_c15, &g_c16, &g_c17, &g_c18, &g_c19, &g_c20, &g_c21, &g_c22, &g_c23,
    &g_c24, &g_c25, &g_c26, &g_c27, &g_c28, &g_c29, &g_c30, &g_c31, &g_c32, &g_c33, &g_c34, &g_c35,
    &g_c36, &g_c37, &g_c38, &g_c39, &g_c40, &g_c41, &g_c42, &g_c43, &g_c44, &g_c45, &g_c46,
};

} // namespace

const GlyphBitmap& GetCaptionGlyph(int nIndex)
{
    if (nIndex < 0 || nIndex >= kCaptionGlyphCount)
        return g_c0;
    return *g_captionGlyphs[nIndex];
}
