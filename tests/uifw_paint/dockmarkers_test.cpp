// Dock markers: the marker sets and where their windows stand, the pictures, the region and
// recolouring operations on bitmaps, and the drop-area highlight tint.
#include <gtest/gtest.h>

#include "bitmaputil.h"
#include "colorhls.h"
#include "dockmarkerpictures.h"
#include "dockmarkerwnd.h"
#include "markerbitmaps.h"
#include "paintmanagerstudio2005.h"
#include "painttestsupport.h"

#include <vector>

namespace {

typedef CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*> MarkerArray;

class DockMarkers : public ::testing::Test {
protected:
    DockMarkers()
    {
        scope.UseIdentitySysColors();
        scope.SetBitsPerPixel(32);
    }
    ~DockMarkers() override
    {
        for (INT_PTR i = 0; i < markers.GetSize(); ++i)
            delete markers[i];
    }
    CRect WindowRect(INT_PTR i)
    {
        CRect rc;
        markers[i]->GetWindowRect(&rc);
        return rc;
    }
    painttest::PaintLookScope scope;
    MarkerArray markers;
};

// A 24-bit picture of cx x cy in key colour with an opaque block at rcOpaque.
HBITMAP MakePicture(int cx, int cy, COLORREF clrKey, const CRect& rcOpaque)
{
    COLORREF* pBits = nullptr;
    HBITMAP hBitmap = Create32BitSection(cx, cy, &pBits);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pPixels[(cy - 1 - y) * cx + x] = ColorToDibPixel(rcOpaque.PtInRect(CPoint(x, y)) ? RGB(10, 20, 30) : clrKey);
    return hBitmap;
}

std::vector<DWORD> WhitePixels(int cx, int cy)
{
    return std::vector<DWORD>((size_t)cx * cy, 0x00FFFFFF);
}

} // namespace

TEST_F(DockMarkers, AnEmptyKindSucceedsWithoutWindowsAndClearsTheOldOnes)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    ASSERT_TRUE(pm->CreateDockMarkers(nullptr, 5, CRect(0, 0, 200, 200), markers));
    ASSERT_EQ(4, markers.GetSize());
    HWND hOld = markers[0]->GetSafeHwnd();
    EXPECT_TRUE(pm->CreateDockMarkers(nullptr, -1, CRect(0, 0, 200, 200), markers));
    EXPECT_EQ(0, markers.GetSize());
    EXPECT_FALSE(::IsWindow(hOld));
    EXPECT_FALSE(pm->CreateDockMarkers(nullptr, 9, CRect(0, 0, 200, 200), markers));
    EXPECT_FALSE(pm->CreateDockMarkers(nullptr, -2, CRect(0, 0, 200, 200), markers));
    EXPECT_EQ(0, markers.GetSize());
}

TEST_F(DockMarkers, TheCompoundMarkerCentresItsBoxInTheTarget)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005));
    ASSERT_TRUE(pm->CreateDockMarkers(nullptr, 6, CRect(100, 100, 300, 300), markers));
    ASSERT_EQ(5, markers.GetSize());
    EXPECT_EQ(CRect(158, 158, 241, 241), WindowRect(0));
    EXPECT_EQ(CRect(178, 152, 221, 182), WindowRect(1));
    EXPECT_EQ(CRect(178, 217, 221, 247), WindowRect(2));
    EXPECT_EQ(CRect(152, 178, 182, 221), WindowRect(3));
    EXPECT_EQ(CRect(217, 178, 247, 221), WindowRect(4));
    const int types[] = {4, 0, 1, 2, 3};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(types[i], markers[i]->GetMarkerType());
        // A hidden popup shaped by its picture.
        EXPECT_FALSE(markers[i]->IsWindowVisible());
        EXPECT_NE(0, markers[i]->GetStyle() & WS_POPUP);
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(ERROR, ::GetWindowRgn(markers[i]->GetSafeHwnd(), hRgn));
        RECT rcBox;
        EXPECT_EQ(COMPLEXREGION, ::GetRgnBox(hRgn, &rcBox));
        ::DeleteObject(hRgn);
    }

    ASSERT_TRUE(pm->CreateDockMarkers(nullptr, 7, CRect(100, 100, 300, 300), markers));
    ASSERT_EQ(6, markers.GetSize());
    EXPECT_EQ(8, markers[5]->GetMarkerType());
    EXPECT_EQ(CRect(183, 183, 216, 216), WindowRect(5));
    EXPECT_EQ(CRect(158, 158, 241, 241), WindowRect(0));

    // Kind 5 puts the four edge markers at the target's edges.
    ASSERT_TRUE(pm->CreateDockMarkers(nullptr, 5, CRect(0, 0, 200, 100), markers));
    ASSERT_EQ(4, markers.GetSize());
    EXPECT_EQ(CRect(78, 0, 121, 30), WindowRect(0));
    EXPECT_EQ(CRect(78, 70, 121, 100), WindowRect(1));
    EXPECT_EQ(CRect(0, 28, 30, 71), WindowRect(2));
    EXPECT_EQ(CRect(170, 28, 200, 71), WindowRect(3));
}

TEST_F(DockMarkers, EveryPictureIsAComplete24BitBitmapFile)
{
    struct Expect {
        const unsigned char* pData;
        DWORD dwSize;
        int cx, cy;
    } pictures[] = {{g_abDockMarker_top, 4014, 43, 30},    {g_abDockMarker_bottom, 4014, 43, 30},
                    {g_abDockMarker_left, 4010, 30, 43},   {g_abDockMarker_right, 4010, 30, 43},
                    {g_abDockMarker_centre, 20970, 83, 83}, {g_abDockMarker_small, 3354, 33, 33}};
    for (const Expect& e : pictures) {
        const BITMAPFILEHEADER* pFile = reinterpret_cast<const BITMAPFILEHEADER*>(e.pData);
        const BITMAPINFOHEADER* pInfo = reinterpret_cast<const BITMAPINFOHEADER*>(e.pData + sizeof(BITMAPFILEHEADER));
        EXPECT_EQ(0x4D42, pFile->bfType);
        EXPECT_EQ(e.dwSize, pFile->bfSize);
        EXPECT_EQ(54u, pFile->bfOffBits);
        EXPECT_EQ(40u, pInfo->biSize);
        EXPECT_EQ(e.cx, pInfo->biWidth);
        EXPECT_EQ(e.cy, pInfo->biHeight);
        EXPECT_EQ(24, pInfo->biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, pInfo->biCompression);
        HBITMAP hBitmap = LoadBitmapFromMemory(e.pData, e.dwSize);
        ASSERT_NE((HBITMAP)NULL, hBitmap);
        // Green is transparent: the shape lies inside the picture and leaves some of it out.
        HRGN hRgn = BitmapToRegion(hBitmap, RGB(0, 255, 0), 0);
        RECT rcBox;
        EXPECT_EQ(COMPLEXREGION, ::GetRgnBox(hRgn, &rcBox));
        EXPECT_TRUE(rcBox.left >= 0 && rcBox.top >= 0 && rcBox.right <= e.cx && rcBox.bottom <= e.cy);
        ::DeleteObject(hRgn);
        ::DeleteObject(hBitmap);
    }
}

TEST_F(DockMarkers, RegionsFollowTheOpaquePixelsAndZeroShiftsMakeNoCopy)
{
    const COLORREF green = RGB(0, 255, 0);
    HBITMAP hFramed = MakePicture(40, 30, green, CRect(5, 3, 33, 27));
    HRGN hRgn = BitmapToRegion(hFramed, green, 0);
    ASSERT_NE((HRGN)NULL, hRgn);
    RECT rcBox;
    EXPECT_EQ(SIMPLEREGION, ::GetRgnBox(hRgn, &rcBox));
    EXPECT_EQ(CRect(5, 3, 33, 27), CRect(rcBox));
    ::DeleteObject(hRgn);

    // Within the tolerance a near-green counts as green too.
    HBITMAP hAllGreen = MakePicture(40, 30, green, CRect(0, 0, 0, 0));
    hRgn = BitmapToRegion(hAllGreen, green, 0);
    ASSERT_NE((HRGN)NULL, hRgn);
    EXPECT_EQ(NULLREGION, ::GetRgnBox(hRgn, &rcBox));
    ::DeleteObject(hRgn);
    HBITMAP hNear = MakePicture(40, 30, RGB(3, 255, 2), CRect(0, 0, 0, 0));
    hRgn = BitmapToRegion(hNear, green, RGB(4, 0, 4));
    EXPECT_EQ(NULLREGION, ::GetRgnBox(hRgn, &rcBox));
    ::DeleteObject(hRgn);

    EXPECT_EQ((HBITMAP)NULL, AdjustBitmapHLS(hFramed, green, 0, 0, 0, 0));
    HBITMAP hLighter = AdjustBitmapHLS(hFramed, green, 0, 0, 0.5, 0);
    ASSERT_NE((HBITMAP)NULL, hLighter);
    COLORREF* pBits = nullptr;
    HBITMAP hCopy = CloneBitmap(hLighter, NULL, &pBits);
    const DWORD* pPixels = reinterpret_cast<const DWORD*>(pBits);
    EXPECT_EQ(AdjustColorHLS(RGB(10, 20, 30), 0, 0.5, 0), DibPixelToColor(pPixels[(29 - 10) * 40 + 10]));
    EXPECT_EQ(green, DibPixelToColor(pPixels[0]));
    for (HGDIOBJ h : {(HGDIOBJ)hCopy, (HGDIOBJ)hLighter, (HGDIOBJ)hFramed, (HGDIOBJ)hAllGreen, (HGDIOBJ)hNear})
        ::DeleteObject(h);
}

TEST_F(DockMarkers, HueShiftsTurnTheWayTheScreenShowsThem)
{
    const COLORREF green = RGB(0, 255, 0);
    HBITMAP hPicture = MakePicture(4, 4, green, CRect(0, 0, 4, 4));
    HBITMAP hShifted = AdjustBitmapHLS(hPicture, green, 0, 0.6, 0, -0.45);
    COLORREF* pBits = nullptr;
    HBITMAP hCopy = CloneBitmap(hShifted, NULL, &pBits);
    EXPECT_EQ(AdjustColorHLS(RGB(10, 20, 30), 0.6, 0, -0.45), DibPixelToColor(reinterpret_cast<DWORD*>(pBits)[5]));
    for (HGDIOBJ h : {(HGDIOBJ)hCopy, (HGDIOBJ)hShifted, (HGDIOBJ)hPicture})
        ::DeleteObject(h);
}

TEST_F(DockMarkers, TheHighlightIsACheckerboardAtEightBitsAndATintAbove)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    const RECT rcNone = {0, 0, 0, 0};
    scope.SetBitsPerPixel(8);
    std::vector<DWORD> pixels = WhitePixels(6, 5);
    pm->PaintDockMarkerHighlight(pixels.data(), 6, 5, FALSE, rcNone, rcNone, (COLORREF)-1, (COLORREF)-1, 0);
    const DWORD shadow = ColorToDibPixel(pm->GetColor(COLOR_BTNSHADOW));
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ((row & 1) != (col & 1) ? shadow : 0x00FFFFFFu, pixels[row * 6 + col]) << row << "," << col;

    scope.SetBitsPerPixel(32);
    pixels = WhitePixels(6, 5);
    pm->PaintDockMarkerHighlight(pixels.data(), 6, 5, FALSE, rcNone, rcNone, RGB(0, 0, 128), (COLORREF)-1, 0);
    EXPECT_EQ(AdjustColorHLS(RGB(128, 128, 192), 0, 0.1, 0), DibPixelToColor(pixels[7]));
    EXPECT_EQ(RGB(140, 140, 198), DibPixelToColor(pixels[7]));

    // With rectangles only their pixels change, and a border band takes the border tint.
    pixels = WhitePixels(20, 20);
    const RECT rcOuter = {0, 0, 20, 14};
    const RECT rcTab = {4, 14, 12, 20};
    pm->PaintDockMarkerHighlight(pixels.data(), 20, 20, TRUE, rcOuter, rcTab, RGB(0, 0, 0), RGB(255, 0, 0), 2);
    auto at = [&](int x, int y) { return DibPixelToColor(pixels[(19 - y) * 20 + x]); };
    const COLORREF tinted = AdjustColorHLS(RGB(128, 128, 128), 0, 0.1, 0);
    const COLORREF bordered = AdjustColorHLS(RGB(255, 128, 128), 0, 0.1, 0);
    EXPECT_EQ(tinted, at(10, 7));
    EXPECT_EQ(bordered, at(0, 7));
    EXPECT_EQ(bordered, at(10, 0));
    EXPECT_EQ(bordered, at(15, 13));
    EXPECT_EQ(tinted, at(8, 13));   // open where the tab joins
    EXPECT_EQ(bordered, at(4, 16));
    EXPECT_EQ(bordered, at(8, 19));
    EXPECT_EQ(tinted, at(8, 16));
    EXPECT_EQ(RGB(255, 255, 255), at(15, 17));
}

TEST_F(DockMarkers, Office2003TintsWithItsSchemeColour)
{
    scope.SetTheme(kThemeApiUsable | kThemeAppThemed | kThemeTaskbandRead | kThemeColorsAllowed, kSchemeOlive);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    const RECT rcNone = {0, 0, 0, 0};
    std::vector<DWORD> pixels = WhitePixels(4, 4);
    pm->PaintDockMarkerHighlight(pixels.data(), 4, 4, FALSE, rcNone, rcNone, (COLORREF)-1, (COLORREF)-1, 0);
    const COLORREF expected = AdjustColorHLS(RGB(255 + (170 - 255) / 2, 255 + (187 - 255) / 2, 255 + (131 - 255) / 2), 0, 0.1, 0);
    EXPECT_EQ(expected, DibPixelToColor(pixels[0]));

    // The olive scheme turns the normal pictures; the centre marker keeps its colours.
    CBitmap normal, hover;
    normal.Attach(MakePicture(4, 4, RGB(0, 255, 0), CRect(0, 0, 4, 4)));
    hover.Attach(MakePicture(4, 4, RGB(0, 255, 0), CRect(0, 0, 4, 4)));
    HGDIOBJ hOriginal = normal.GetSafeHandle();
    pm->AdjustDockMarkerColors(4, normal, RGB(0, 255, 0), hover, RGB(0, 255, 0));
    EXPECT_EQ(hOriginal, normal.GetSafeHandle());
    pm->AdjustDockMarkerColors(0, normal, RGB(0, 255, 0), hover, RGB(0, 255, 0));
    EXPECT_NE(hOriginal, normal.GetSafeHandle());
}
