// Caption buttons, system-command glyphs, command icons beside a text, colour-sample icons
// and the resizable dialog's border.
#include "elementtest.h"

#include "cmdicon.h"
#include "coloricons.h"
#include "glyphs.h"
#include "ncbuttonpaintdata.h"

using namespace elementtest;
using winharness::DibSurface;

namespace {

class Caption : public ElementTest {
protected:
    void Paint(NcButtonPaintData& data)
    {
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintBarNcAreaButton(*surface.cdc(), data);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    }
};

} // namespace

TEST_F(Caption, ClassicButtonIsMadeEvenAndTakesTheMediumCross)
{
    Use(kClassic);
    NcButtonPaintData data(nullptr, CRect(10, 10, 25, 25), kGlyphHeavyCross, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE);
    Paint(data);
    // Even: (11, 11, 25, 25); the fill one pixel around it.
    const CRect rcFill(10, 10, 26, 26);
    EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphMediumCross), rcFill), PixelsOf(surface, RGB(0, 0, 0)));
    EXPECT_EQ(painttest::IdentitySysColor(COLOR_BTNHIGHLIGHT), surface.Pixel(10, 10));
    EXPECT_EQ(painttest::IdentitySysColor(COLOR_BTNSHADOW), surface.Pixel(25, 25));
    EXPECT_EQ(kSentinel, surface.Pixel(9, 9));

    // Pushed: the glyph one pixel right and down, the frame sunken.
    Use(kClassic);
    NcButtonPaintData pushed(nullptr, CRect(10, 10, 24, 24), kGlyphHeavyCross, FALSE, TRUE, TRUE, FALSE, FALSE, FALSE);
    Paint(pushed);
    EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphMediumCross), CRect(10, 10, 26, 26)),
              PixelsOf(surface, RGB(0, 0, 0)));
    EXPECT_EQ(painttest::IdentitySysColor(COLOR_BTNSHADOW), surface.Pixel(9, 9));
}

TEST_F(Caption, FlatLooksHoverFillFrameAndThinCross)
{
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        const CRect rc(10, 10, 24, 24);
        NcButtonPaintData data(nullptr, rc, kGlyphHeavyCross, TRUE, FALSE, TRUE, TRUE, FALSE, FALSE);
        Paint(data);
        EXPECT_EQ(C(2004), surface.Pixel(9, 9));
        EXPECT_EQ(C(2004), surface.Pixel(24, 24));
        EXPECT_EQ(C(1001), surface.Pixel(10, 10));
        EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphThinCross), rc), PixelsOf(surface, RGB(0, 0, 0)));

        Use(look);
        NcButtonPaintData active(nullptr, rc, kGlyphHeavyCross, TRUE, FALSE, TRUE, FALSE, TRUE, FALSE);
        Paint(active);
        EXPECT_EQ(C(2003), surface.Pixel(9, 9));
        EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphHeavyCross), rc), PixelsOf(surface, RGB(0, 0, 0)));
    }

    // Studio 2005 with flags 3 and 5: the classic body (medium cross, fill grown at the left
    // and top only).
    Use(kStudio2005);
    NcButtonPaintData data(nullptr, CRect(10, 10, 24, 24), kGlyphHeavyCross, FALSE, FALSE, TRUE, TRUE, FALSE, TRUE);
    Paint(data);
    EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphMediumCross), CRect(9, 9, 24, 24)),
              PixelsOf(surface, RGB(0, 0, 0)));
    EXPECT_EQ(kSentinel, surface.Pixel(24, 24));
}

TEST_F(Caption, SystemCommandGlyphs)
{
    const CRect rc(10, 10, 30, 30);
    for (Look look : kAllLooks) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintSysCmdGlyph(*surface.cdc(), 0, rc, FALSE, FALSE, TRUE);
        pm->PaintSysCmdGlyph(*surface.cdc(), SC_MOVE, rc, FALSE, FALSE, TRUE);
        EXPECT_EQ(120 * 80, surface.Count(kSentinel));
        pm->PaintSysCmdGlyph(*surface.cdc(), SC_CLOSE, rc, FALSE, FALSE, TRUE);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
        EXPECT_EQ(GlyphPixelsCentered(GetCaptionGlyph(kGlyphHeavyCross), rc), PixelsOf(surface, C(1010)));
    }
    // Classic disabled: engraved, 1004 one pixel right and down under 1006.
    Use(kClassic);
    pm->PaintSysCmdGlyph(*surface.cdc(), SC_CLOSE, rc, FALSE, FALSE, FALSE);
    const PixelSet shadow = GlyphPixelsCentered(GetCaptionGlyph(kGlyphHeavyCross), rc);
    PixelSet light = GlyphPixelsCentered(GetCaptionGlyph(kGlyphHeavyCross), CRect(11, 11, 31, 31));
    for (const auto& p : shadow)
        light.erase(p);
    EXPECT_EQ(shadow, PixelsOf(surface, C(1006)));
    EXPECT_EQ(light, PixelsOf(surface, C(1004)));
}

TEST_F(Caption, CommandIconBesideTheText)
{
    const COLORREF clrIcon = RGB(200, 10, 10);
    DibSurface image(16, 16, clrIcon);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(image.dc(), 16, 16));
    {
        HDC hDC = ::CreateCompatibleDC(image.dc());
        HGDIOBJ hOld = ::SelectObject(hDC, bitmap.GetSafeHandle());
        ::BitBlt(hDC, 0, 0, 16, 16, image.dc(), 0, 0, SRCCOPY);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
    }
    CUiCmdIcon icon((HBITMAP)bitmap.GetSafeHandle(), RGB(255, 0, 255));
    ASSERT_FALSE(icon.IsEmpty());

    Use(kClassic);
    const CRect rcClient(10, 10, 90, 30);
    CRect rcText;
    pm->PaintCmdIcon(*surface.cdc(), TRUE, "Text", &icon, rcClient, rcText, FALSE, TRUE, FALSE, 0);
    EXPECT_EQ(CRect(13, 10, 29, 26), Bounds(PixelsOf(surface, clrIcon)));
    EXPECT_EQ(CRect(29, 10, 90, 30), rcText);

    Use(kClassic);
    pm->PaintCmdIcon(*surface.cdc(), TRUE, "Text", &icon, rcClient, rcText, FALSE, TRUE, FALSE, 2);
    EXPECT_EQ(CRect(71, 12, 87, 28), Bounds(PixelsOf(surface, clrIcon)));
    EXPECT_EQ(CRect(13, 10, 71, 30), rcText);

    // Without an icon nothing is painted and the text keeps the client rectangle.
    Use(kXP);
    pm->PaintCmdIcon(*surface.cdc(), TRUE, "Text", nullptr, rcClient, rcText, FALSE, TRUE, FALSE, 0);
    EXPECT_EQ(rcClient, rcText);
    EXPECT_EQ(120 * 80, surface.Count(kSentinel));
    // XP moves the icon one pixel right and down.
    pm->PaintCmdIcon(*surface.cdc(), TRUE, "Text", &icon, rcClient, rcText, FALSE, TRUE, FALSE, 0);
    EXPECT_EQ(CRect(14, 11, 30, 27), Bounds(PixelsOf(surface, clrIcon)));

    // Disabled, without a generated look: the flat disabled state falls back to the icon's
    // shape in colour 2002.
    Use(kXP);
    pm->PaintCmdIcon(*surface.cdc(), TRUE, "Text", &icon, rcClient, rcText, FALSE, FALSE, FALSE, 0);
    EXPECT_EQ(CRect(14, 11, 30, 27), Bounds(PixelsOf(surface, C(2002))));
    EXPECT_TRUE(PixelsOf(surface, clrIcon).empty());
    // Hovered in the XP look: a shadow in colour 16, the icon raised 2 pixels up and left of it.
    Use(kXP);
    pm->PaintCmdIcon(*surface.cdc(), TRUE, "Text", &icon, rcClient, rcText, FALSE, TRUE, TRUE, 0);
    EXPECT_EQ(CRect(12, 9, 28, 25), Bounds(PixelsOf(surface, clrIcon)));
    EXPECT_EQ(CRect(14, 11, 30, 27), Bounds(PixelsOf(surface, C(COLOR_BTNSHADOW)) ));
}

namespace {

// Pixels where the icon is opaque (the same over white and over black), and its colours.
struct IconPixels {
    PixelSet opaque;
    DibSurface onWhite{16, 16, RGB(255, 255, 255)};
    explicit IconPixels(HICON hIcon)
    {
        DibSurface onBlack(16, 16, RGB(0, 0, 0));
        ::DrawIconEx(onWhite.dc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
        ::DrawIconEx(onBlack.dc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (onWhite.Pixel(x, y) == onBlack.Pixel(x, y))
                    opaque.insert({x, y});
            }
        }
        ::DestroyIcon(hIcon);
    }
};

PixelSet RectPixels(const CRect& rc)
{
    PixelSet pixels;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            pixels.insert({x, y});
    return pixels;
}

} // namespace

TEST(ColorIcons, OpaqueWhereTheColourIs)
{
    const COLORREF clr = RGB(30, 160, 90);
    IconPixels solid(CreateColorIcon(clr));
    EXPECT_EQ(256u, solid.opaque.size());
    EXPECT_EQ(256u, PixelsOf(solid.onWhite, clr).size());

    IconPixels framed(CreateFramedColorIcon(clr));
    PixelSet ring = RectPixels(CRect(1, 2, 15, 14));
    for (const auto& p : RectPixels(CRect(3, 4, 13, 12)))
        ring.erase(p);
    EXPECT_EQ(ring, framed.opaque);
    EXPECT_EQ(ring, PixelsOf(framed.onWhite, clr));

    CFont font;
    font.CreatePointFont(90, "Arial");
    IconPixels text(CreateTextColorIcon(clr, (HFONT)font.GetSafeHandle(), 'A'));
    EXPECT_EQ(RectPixels(CRect(2, 13, 14, 16)), PixelsOf(text.onWhite, clr));
    PixelSet glyph;
    for (const auto& p : text.opaque) {
        if (p.second < 13)
            glyph.insert(p);
    }
    ASSERT_FALSE(glyph.empty());
    EXPECT_LE(Bounds(glyph).bottom, 12);
    EXPECT_EQ(glyph, PixelsOf(text.onWhite, RGB(0, 0, 0), CRect(0, 0, 16, 13)));
}

TEST_F(Caption, ResizableDialogBorder)
{
    const CRect rc(5, 5, 11, 9);
    Use(kClassic);
    pm->PaintResizableDialogNcBorder(*surface.cdc(), rc, nullptr, 0);
    const winharness::ColorLegend classic = {{'S', C(COLOR_BTNSHADOW)}, {'L', C(COLOR_3DHILIGHT)}, {'.', kSentinel}};
    EXPECT_TRUE(winharness::MatchesAsciiMap(surface, 5, 5, {"SSSSSL", "S....L", "S....L", "LLLLLL"}, classic));
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        pm->PaintResizableDialogNcBorder(*surface.cdc(), rc, nullptr, 0);
        const winharness::ColorLegend flat = {{'S', C(COLOR_BTNSHADOW)}, {'.', kSentinel}};
        EXPECT_TRUE(winharness::MatchesAsciiMap(surface, 5, 5, {"SSSSSS", "S....S", "S....S", "SSSSSS"}, flat));
    }
}
