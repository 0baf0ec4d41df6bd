// The framework's built-in figures: arrows, caption-button symbols, pins, chevrons, plus and
// minus boxes. Figures that differ only in direction are stored once and turned at start-up.
// The caption-glyph table (47 entries, indexed by glyph number) serves the caption, tab,
// system-command and bar-button painters; the others are named.
#pragma once
#include "glyphbitmap.h"

extern const GlyphBitmap g_glyphSmallDownTriangle;        // 5 x 3, drop-down arrow
extern const GlyphBitmap g_glyphSmallRightTriangle;       // 3 x 5, drop-down arrow on vertical bars
extern const GlyphBitmap g_glyphXPChevronVert;            // 3 x 5
extern const GlyphBitmap g_glyphDoubleChevronRight;       // 8 x 5
extern const GlyphBitmap g_glyphDoubleChevronDown;        // 5 x 8, also the menu expand button
extern const GlyphBitmap g_glyphBarTriangle;              // 5 x 6
extern const GlyphBitmap g_glyphBarTriangleTurned;        // 6 x 5
extern const GlyphBitmap g_glyphBarTriangleClockwise;     // 6 x 5
extern const GlyphBitmap g_glyphSmallDoubleChevron;       // 6 x 5
extern const GlyphBitmap g_glyphSmallDoubleChevronTurned; // 5 x 6
extern const GlyphBitmap g_glyphSubmenuArrow;             // 12 x 16
extern const GlyphBitmap g_glyphSubmenuArrowBar;          // 12 x 16

const int kCaptionGlyphCount = 47;

enum CaptionGlyph {
    kGlyphEmpty = 0, kGlyphHeavyCross = 1, kGlyphTriangleUp = 2, kGlyphTriangleDown = 3,
    kGlyphTriangleLeft = 4, kGlyphTriangleRight = 5, kGlyphMinimize = 6, kGlyphRestore = 7,
    kGlyphMaximize = 8, kGlyphQuestion = 9, kGlyphPinUpright = 10, kGlyphPinLying = 11,
    kGlyphThinCross = 16, kGlyphMediumCross = 21, kGlyphPlus = 22, kGlyphMinus = 23,
    kGlyphSmallTriangleUp = 36, kGlyphEllipsis = 40,
};

// Entry nIndex of the caption-glyph table; the empty glyph for an index outside it.
const GlyphBitmap& GetCaptionGlyph(int nIndex);

// The chevron glyphs of a look: arrow and double chevron of a horizontal bar, then of a
// vertical bar.
struct ChevronGlyphs {
    const GlyphBitmap* pArrowHorz;
    const GlyphBitmap* pChevronHorz;
    const GlyphBitmap* pArrowVert;
    const GlyphBitmap* pChevronVert;
};
