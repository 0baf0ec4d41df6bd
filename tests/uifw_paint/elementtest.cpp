#include "elementtest.h"

#include "glyphbitmap.h"

namespace elementtest {

const char* LookName(Look look)
{
    static const char* names[] = {"classic", "XP", "Office 2003", "Studio 2005"};
    return names[look];
}

PixelSet PixelsOf(const winharness::DibSurface& surface, COLORREF clr, const CRect& rcIn)
{
    CRect rc = rcIn.IsRectEmpty() ? CRect(0, 0, surface.width(), surface.height()) : rcIn;
    PixelSet pixels;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (surface.Pixel(x, y) == clr)
                pixels.insert({x, y});
        }
    }
    return pixels;
}

PixelSet Differences(const winharness::DibSurface& a, const winharness::DibSurface& b)
{
    PixelSet pixels;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                pixels.insert({x, y});
        }
    }
    return pixels;
}

PixelSet GlyphPixels(const GlyphBitmap& glyph, int x, int y)
{
    PixelSet pixels;
    for (int row = 0; row < (int)glyph.Height(); ++row) {
        for (int col = 0; col < (int)glyph.Width(); ++col) {
            if (glyph.Value(col, row) != 0)
                pixels.insert({x + col, y + row});
        }
    }
    return pixels;
}

PixelSet GlyphPixelsCentered(const GlyphBitmap& glyph, const CRect& rc)
{
    return GlyphPixels(glyph, rc.left + (rc.Width() - (int)glyph.Width()) / 2,
                       rc.top + (rc.Height() - (int)glyph.Height()) / 2);
}

CRect Bounds(const PixelSet& pixels)
{
    CRect rc(0, 0, 0, 0);
    bool bFirst = true;
    for (const auto& p : pixels) {
        if (bFirst) {
            rc.SetRect(p.first, p.second, p.first + 1, p.second + 1);
            bFirst = false;
            continue;
        }
        rc.left = std::min(rc.left, (LONG)p.first);
        rc.top = std::min(rc.top, (LONG)p.second);
        rc.right = std::max(rc.right, (LONG)p.first + 1);
        rc.bottom = std::max(rc.bottom, (LONG)p.second + 1);
    }
    return rc;
}

ElementTest::ElementTest() : surface(120, 80, kSentinel)
{
    scope.UseIdentitySysColors();
    scope.SetBitsPerPixel(32);
    scope.SetTheme(0, kSchemeNone);
    scope.GradientFillOff();
}

CUiPaintManager* ElementTest::Use(Look look)
{
    static CRuntimeClass* classes[] = {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerXP),
                                       RUNTIME_CLASS(CUiPaintManagerOffice2003),
                                       RUNTIME_CLASS(CUiPaintManagerStudio2005)};
    pm = scope.Install(classes[look]);
    surface.Fill(kSentinel);
    return pm;
}

} // namespace elementtest
