// Shared set-up of the element painters' tests: a look installed with identity system
// colours, a true-colour screen, no visual-style scheme and band gradients, a surface to
// paint on, and pixel-set comparisons against a reference drawn by hand.
#pragma once
#include <gtest/gtest.h>

#include "paintmanagerstudio2005.h"
#include "painttestsupport.h"

#include <set>
#include <utility>

namespace elementtest {

const COLORREF kSentinel = RGB(1, 2, 3);

enum Look { kClassic, kXP, kOffice2003, kStudio2005 };
const Look kAllLooks[] = {kClassic, kXP, kOffice2003, kStudio2005};
const char* LookName(Look look);

typedef std::set<std::pair<int, int>> PixelSet;
// The pixels of clr inside rc (the whole surface when rc is empty).
PixelSet PixelsOf(const winharness::DibSurface& surface, COLORREF clr, const CRect& rc = CRect(0, 0, 0, 0));
// The pixels where the two surfaces differ.
PixelSet Differences(const winharness::DibSurface& a, const winharness::DibSurface& b);
// The pixels a glyph sets when painted at (x, y).
PixelSet GlyphPixels(const GlyphBitmap& glyph, int x, int y);
PixelSet GlyphPixelsCentered(const GlyphBitmap& glyph, const CRect& rc);
CRect Bounds(const PixelSet& pixels);

class ElementTest : public ::testing::Test {
protected:
    ElementTest();
    // Installs the look (after any change of bits per pixel) and fills the surface.
    CUiPaintManager* Use(Look look);
    COLORREF C(int nId) { return pm->GetColor(nId); }

    painttest::PaintLookScope scope;
    winharness::DibSurface surface;
    CUiPaintManager* pm = nullptr;
};

} // namespace elementtest
