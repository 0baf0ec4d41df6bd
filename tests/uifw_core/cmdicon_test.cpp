// Command icons: sizes of icons, free colour keys, scaling, the generated look and the mark
// bitmaps read back pixel by pixel from DIB surfaces, and the archive form.
#include <gtest/gtest.h>

#include "archive_test_support.h"
#include "bitmapicon.h"
#include "cmdicon.h"
#include "winharness.h"

#include <functional>
#include <vector>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kSentinel = RGB(1, 2, 3);

// A 32-bit bitmap whose pixel (x, y) is colorAt(x, y).
HBITMAP MakeBitmap(int cx, int cy, const std::function<COLORREF(int, int)>& colorAt)
{
    winharness::DibSurface surface(cx, cy);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(surface.dc(), cx, cy);
    HDC hDC = ::CreateCompatibleDC(surface.dc());
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            ::SetPixel(hDC, x, y, colorAt(x, y));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// An icon (not a cursor) made from a bitmap and a mask; the caller destroys it.
HICON MakeIcon(int cx, int cy, const std::function<COLORREF(int, int)>& colorAt, bool bIcon = true,
               DWORD dwHotspotX = 0, DWORD dwHotspotY = 0)
{
    HBITMAP hColor = MakeBitmap(cx, cy, colorAt);
    std::vector<BYTE> maskBits((size_t)((cx + 15) / 16 * 2) * cy, 0);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, maskBits.data());
    ICONINFO info = {bIcon ? TRUE : FALSE, dwHotspotX, dwHotspotY, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// Draws the icon's image at (0, 0) of a surface filled with the sentinel colour.
void DrawOn(winharness::DibSurface& surface, HICON hIcon)
{
    surface.Fill(kSentinel);
    ::DrawIconEx(surface.dc(), 0, 0, hIcon, 0, 0, 0, NULL, DI_NORMAL);
}

class CInspectedIcon : public CUiCmdIcon
{
public:
    using CUiCmdIcon::CUiCmdIcon;
    HICON HeldGeneratedLook() const { return m_generated.m_hIcon; }
    HICON HeldIcon() const { return m_icon.m_hIcon; }
};

std::vector<BYTE> Stored(CUiCmdIcon& icon)
{
    return archivetest::Stored([&icon](CArchive& ar) { EXPECT_TRUE(icon.Serialize(ar)); });
}

bool LoadInto(CUiCmdIcon& icon, const std::vector<BYTE>& bytes)
{
    return archivetest::Loaded(bytes, [&icon](CArchive& ar) { return icon.Serialize(ar); });
}

} // namespace

TEST(CmdIcon, IconSizeIsTwiceTheHotspotOrTheColourBitmapsSize)
{
    HICON hIcon = MakeIcon(16, 16, [](int, int) { return RGB(10, 20, 30); });
    CUiCmdIcon icon;
    icon.ConstructFromIcon(hIcon, true);
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(icon.GetIcon(), &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(8u, info.xHotspot);
    EXPECT_EQ(8u, info.yHotspot);
    EXPECT_EQ(CSize(16, 16), icon.GetSize());
    EXPECT_NE(hIcon, icon.GetIcon());
    EXPECT_FALSE(icon.IsBitmapBased());
    ::DestroyIcon(hIcon);

    // Hotspots giving 0 modulo 256: the colour bitmap decides.
    HICON hCursor = MakeIcon(24, 20, [](int, int) { return RGB(1, 1, 1); }, false, 0, 0);
    CUiCmdIcon cursor;
    cursor.AssignFromHICON(hCursor, false);
    EXPECT_EQ(CSize(24, 20), cursor.GetSize());
    HICON hWide = MakeIcon(24, 20, [](int, int) { return RGB(1, 1, 1); }, false, 128, 5);
    cursor.AssignFromHICON(hWide, false);
    EXPECT_EQ(CSize(24, 20), cursor.GetSize());
    EXPECT_EQ(hWide, cursor.DetachAsIcon());
    EXPECT_TRUE(cursor.IsEmpty());
    ::DestroyIcon(hWide);
}

TEST(CmdIcon, ExtractBitmapChoosesAKeyNoPixelUses)
{
    // Left half magenta, right half blue: magenta is taken, green is free.
    HICON hIcon = MakeIcon(8, 8, [](int x, int) { return x < 4 ? kMagenta : RGB(0, 0, 255); });
    CUiCmdIcon icon;
    icon.AssignFromHICON(hIcon, false);
    HBITMAP hBitmap = NULL;
    COLORREF clrKey = 0;
    CBitmapColorList colors;
    COLORREF* pBits = NULL;
    ASSERT_TRUE(icon.ExtractBitmap(&hBitmap, &clrKey, &colors, &pBits));
    EXPECT_EQ(RGB(0, 255, 0), clrKey);
    ASSERT_GE(colors.GetSize(), 3);
    EXPECT_EQ(RGB(0, 255, 0), colors[0]);
    ::DeleteObject(hBitmap);

    // A bitmap keeps its key unless the pixels are asked for; then its key pixels follow.
    HBITMAP hSource = MakeBitmap(4, 1, [](int x, int) { return x == 0 ? RGB(192, 192, 192) : kMagenta; });
    CUiCmdIcon keyed(hSource, kMagenta, NULL, false);
    ASSERT_TRUE(keyed.ExtractBitmap(&hBitmap, &clrKey));
    EXPECT_EQ(kMagenta, clrKey);
    ::DeleteObject(hBitmap);
    ASSERT_TRUE(keyed.ExtractBitmap(&hBitmap, &clrKey, NULL, &pBits));
    EXPECT_EQ(RGB(0, 255, 0), clrKey);
    // The section's pixels are blue-green-red: green sits in the middle byte either way.
    EXPECT_EQ(0x00C0C0C0u, pBits[0] & 0xFFFFFF);
    EXPECT_EQ(0x0000FF00u, pBits[3] & 0xFFFFFF);
    ::DeleteObject(hBitmap);
    EXPECT_FALSE(CUiCmdIcon().ExtractBitmap(&hBitmap, &clrKey));
}

TEST(CmdIcon, ScalingHalvesTheImageAndKeepsKeyPixelsTransparent)
{
    HBITMAP hSource = MakeBitmap(32, 32, [](int x, int) { return x < 16 ? RGB(200, 0, 0) : kMagenta; });
    CUiCmdIcon big(hSource, kMagenta, NULL, false);
    CUiCmdIcon small;
    ASSERT_TRUE(small.ScaleToSize(big, 16, 16));
    EXPECT_FALSE(small.IsEmpty());
    EXPECT_EQ(CSize(16, 16), small.GetSize());

    winharness::DibSurface surface(16, 16);
    DrawOn(surface, small.GetIcon());
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(7, 15));
    EXPECT_EQ(kSentinel, surface.Pixel(8, 0));
    EXPECT_EQ(kSentinel, surface.Pixel(15, 15));
    EXPECT_EQ(128, surface.Count(kSentinel));

    EXPECT_FALSE(small.ScaleToSize(CUiCmdIcon(), 16, 16));
    EXPECT_FALSE(small.ScaleToSize(big, 0, 16));
    // The same size is a copy.
    ASSERT_TRUE(small.ScaleToSize(big, 32, 32));
    EXPECT_TRUE(small.IsBitmapBased());
}

TEST(CmdIcon, GeneratedLookTintsEveryOpaquePixel)
{
    // White, black and a key pixel.
    HBITMAP hSource = MakeBitmap(3, 1, [](int x, int) {
        return x == 0 ? RGB(255, 255, 255) : x == 1 ? RGB(0, 0, 0) : kMagenta;
    });
    CInspectedIcon icon(hSource, kMagenta, NULL, false);
    EXPECT_EQ(nullptr, icon.GetGeneratedIcon());
    EXPECT_EQ(CUiCmdIcon::kNoTint, icon.SetTintColor(RGB(255, 0, 0)));
    icon.SetLightnessFactor(0.0);
    HICON hLook = icon.GetGeneratedIcon();
    ASSERT_NE(nullptr, hLook);
    winharness::DibSurface surface(3, 1);
    DrawOn(surface, hLook);
    EXPECT_EQ(RGB(255, 63, 63), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), surface.Pixel(1, 0));
    EXPECT_EQ(kSentinel, surface.Pixel(2, 0));

    // The same tint keeps the look; another drops it.
    EXPECT_EQ(RGB(255, 0, 0), icon.SetTintColor(RGB(255, 0, 0)));
    EXPECT_EQ(hLook, icon.HeldGeneratedLook());
    icon.SetTintColor(RGB(0, 128, 64));
    EXPECT_EQ(nullptr, icon.HeldGeneratedLook());

    // Factor 1.4 makes every pixel full light: a flat silhouette in (255 + 3 x tint) / 4.
    icon.SetLightnessFactor(1.4);
    DrawOn(surface, icon.GetGeneratedIcon());
    EXPECT_EQ(RGB(63, 159, 111), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(63, 159, 111), surface.Pixel(1, 0));
    EXPECT_EQ(kSentinel, surface.Pixel(2, 0));
    EXPECT_DOUBLE_EQ(1.4, icon.SetLightnessFactor(0.7));
    EXPECT_EQ(nullptr, icon.HeldGeneratedLook());

    // A new image drops the look too.
    icon.GetGeneratedIcon();
    icon.CreateBlankBitmap(RGB(0, 0, 1), 4, 4);
    EXPECT_EQ(nullptr, icon.HeldGeneratedLook());
}

TEST(CmdIcon, BlankBitmapIsWhollyTransparent)
{
    CInspectedIcon icon;
    COLORREF* pBits = NULL;
    ASSERT_TRUE(icon.CreateBlankBitmap(CUiCmdIcon::kNoTint, 16, 16, &pBits));
    EXPECT_TRUE(icon.IsBitmapBased());
    EXPECT_EQ(CSize(16, 16), icon.GetSize());
    EXPECT_EQ(kMagenta, icon.GetBitmapColorKey());
    ASSERT_NE(nullptr, pBits);
    EXPECT_EQ(0x00FF00FFu, pBits[0] & 0xFFFFFF);
    winharness::DibSurface surface(16, 16);
    DrawOn(surface, icon.GetIcon());
    EXPECT_EQ(256, surface.Count(kSentinel));
    // A system change makes the cached icon again.
    EXPECT_NE(nullptr, icon.HeldIcon());
    icon.OnSysColorChange();
    EXPECT_EQ(nullptr, icon.HeldIcon());
    EXPECT_FALSE(icon.CreateBlankBitmap(kMagenta, 0, 16));
    EXPECT_TRUE(icon.IsEmpty());
}

TEST(CmdIcon, ArchiveKeepsEmptyBitmapAndIconImages)
{
    CUiCmdIcon empty;
    const std::vector<BYTE> emptyBytes = Stored(empty);
    EXPECT_EQ(std::vector<BYTE>{0}, emptyBytes);
    CUiCmdIcon loaded;
    loaded.CreateBlankBitmap(kMagenta, 4, 4);
    ASSERT_TRUE(LoadInto(loaded, emptyBytes));
    EXPECT_TRUE(loaded.IsEmpty());

    HBITMAP hSource = MakeBitmap(5, 3, [](int x, int y) { return x == y ? RGB(0, 0, 200) : RGB(0, 255, 0); });
    CUiCmdIcon bitmapIcon(hSource, RGB(0, 255, 0), NULL, false);
    const std::vector<BYTE> bitmapBytes = Stored(bitmapIcon);
    EXPECT_EQ(1, bitmapBytes[0]);
    ASSERT_TRUE(LoadInto(loaded, bitmapBytes));
    EXPECT_TRUE(loaded.IsBitmapBased());
    EXPECT_EQ(CSize(5, 3), loaded.GetSize());
    EXPECT_EQ(RGB(0, 255, 0), loaded.GetBitmapColorKey());
    winharness::DibSurface original(5, 3), copy(5, 3);
    DrawOn(original, bitmapIcon.GetIcon());
    DrawOn(copy, loaded.GetIcon());
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(original.Pixel(x, y), copy.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(RGB(0, 0, 200), copy.Pixel(2, 2));
    EXPECT_EQ(kSentinel, copy.Pixel(4, 0));

    HICON hIcon = MakeIcon(16, 16, [](int x, int y) { return RGB(x * 16, y * 16, 77); });
    CUiCmdIcon iconIcon;
    iconIcon.AssignFromHICON(hIcon, false);
    const std::vector<BYTE> iconBytes = Stored(iconIcon);
    EXPECT_EQ(2, iconBytes[0]);
    EXPECT_EQ(0x07, iconBytes[1]);
    ASSERT_TRUE(LoadInto(loaded, iconBytes));
    EXPECT_FALSE(loaded.IsBitmapBased());
    EXPECT_EQ(CSize(16, 16), loaded.GetSize());
    winharness::DibSurface iconOriginal(16, 16), iconCopy(16, 16);
    DrawOn(iconOriginal, iconIcon.GetIcon());
    DrawOn(iconCopy, loaded.GetIcon());
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ASSERT_EQ(iconOriginal.Pixel(x, y), iconCopy.Pixel(x, y)) << x << "," << y;

    // Cut short anywhere: false, and the icon is left empty.
    for (size_t nCut : {(size_t)1, bitmapBytes.size() - 2}) {
        std::vector<BYTE> cut(bitmapBytes.begin(), bitmapBytes.begin() + nCut);
        loaded.CreateBlankBitmap(kMagenta, 4, 4);
        EXPECT_FALSE(LoadInto(loaded, cut));
        EXPECT_TRUE(loaded.IsEmpty());
    }
}

TEST(CmdIcon, CopiesOwnTheirImagesAndFollowTheOther)
{
    HBITMAP hSource = MakeBitmap(4, 4, [](int, int) { return RGB(9, 9, 9); });
    CUiCmdIcon original(hSource, kMagenta, NULL, false);
    original.SetTintColor(RGB(1, 0, 0));
    CUiCmdIcon copy(original);
    EXPECT_TRUE(copy.IsBitmapBased());
    EXPECT_NE(original.GetBitmap(), copy.GetBitmap());
    EXPECT_EQ(RGB(1, 0, 0), copy.GetTintColor());
    EXPECT_GT(copy.GetBitsPerPixel(), 8u);

    HICON hIcon = MakeIcon(8, 8, [](int, int) { return RGB(5, 5, 5); });
    CUiCmdIcon iconBased;
    iconBased.AssignFromHICON(hIcon, false);
    copy = iconBased;
    EXPECT_FALSE(copy.IsBitmapBased());
    EXPECT_NE(hIcon, copy.GetIcon());
    EXPECT_EQ(CSize(8, 8), copy.GetSize());
    copy = copy;
    EXPECT_EQ(CSize(8, 8), copy.GetSize());
    copy.Empty();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(CUiCmdIcon::kNoTint, copy.GetTintColor());
}

TEST(CmdIcon, PaintStatesDrawTheImageTheGeneratedLookOrTheBrushColour)
{
    HBITMAP hSource = MakeBitmap(4, 4, [](int x, int) { return x < 2 ? RGB(200, 0, 0) : kMagenta; });
    CUiCmdIcon icon(hSource, kMagenta, NULL, false);
    winharness::DibSurface surface(4, 4, kSentinel);
    HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 160));

    EXPECT_TRUE(icon.Paint(surface.cdc(), CPoint(0, 0), CUiCmdIcon::kPaintNormal));
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(1, 3));
    EXPECT_EQ(kSentinel, surface.Pixel(2, 0));

    surface.Fill(kSentinel);
    EXPECT_TRUE(icon.Paint(surface.cdc(), CPoint(0, 0), CUiCmdIcon::kPaintMono, hBrush));
    EXPECT_EQ(RGB(0, 0, 160), surface.Pixel(0, 0));
    EXPECT_EQ(8, surface.Count(RGB(0, 0, 160)));
    EXPECT_EQ(kSentinel, surface.Pixel(3, 3));

    // Flat disabled: the generated look when there is a tint, else the brush colour.
    surface.Fill(kSentinel);
    EXPECT_TRUE(icon.Paint(surface.cdc(), CPoint(0, 0), CUiCmdIcon::kPaintFlatDisabled, hBrush));
    EXPECT_EQ(8, surface.Count(RGB(0, 0, 160)));
    icon.SetTintColor(RGB(0, 0, 255));
    surface.Fill(kSentinel);
    EXPECT_TRUE(icon.Paint(surface.cdc(), CPoint(0, 0), CUiCmdIcon::kPaintFlatDisabled, hBrush));
    EXPECT_EQ(RGB(63, 63, 255), surface.Pixel(0, 0));
    EXPECT_EQ(8, surface.Count(kSentinel));

    EXPECT_FALSE(CUiCmdIcon().Paint(surface.cdc(), CPoint(0, 0)));
    ::DeleteObject(hBrush);
}

TEST(CmdIcon, AnIconMadeFromABitmapHasTheSizeItsOwnInformationGives)
{
    // Odd sizes: twice the centre hotspot is one pixel short of the bitmap.
    for (const CSize& size : {CSize(16, 16), CSize(15, 13), CSize(1, 1)}) {
        SCOPED_TRACE(size.cx);
        CBitmap bitmap;
        CWindowDC screen(nullptr);
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, size.cx, size.cy));
        CmdIconIconHolder made, asked;
        made.TakeMadeFromBitmap(CreateIconFromBitmap((HBITMAP)bitmap.m_hObject, RGB(192, 192, 192)),
                                (HBITMAP)bitmap.m_hObject);
        asked.Take(CreateIconFromBitmap((HBITMAP)bitmap.m_hObject, RGB(192, 192, 192)), false);
        ASSERT_NE((HICON)NULL, made.m_hIcon);
        EXPECT_EQ(asked.m_cx, made.m_cx);
        EXPECT_EQ(asked.m_cy, made.m_cy);
    }
}
