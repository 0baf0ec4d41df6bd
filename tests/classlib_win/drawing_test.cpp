// Drawing into a 32-bit DIB section through CDC, read back pixel by pixel.
#include "test_app.h"
#include "afxdc.h"
#include "winharness.h"
#include <gtest/gtest.h>

using namespace winharness;

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
} // namespace

TEST(Drawing, FillSolidRectCoversExactlyItsRectangle)
{
    DibSurface surface(32, 32);
    CDC* pDC = surface.cdc();
    pDC->FillSolidRect(CRect(2, 3, 10, 12), kRed);
    EXPECT_EQ(surface.Pixel(2, 3), kRed);
    EXPECT_EQ(surface.Pixel(9, 11), kRed);
    EXPECT_EQ(surface.Pixel(10, 11), kWhite);
    EXPECT_EQ(surface.Pixel(9, 12), kWhite);
    EXPECT_EQ(surface.Pixel(1, 3), kWhite);
    EXPECT_EQ(surface.Count(kRed), 8 * 9);
    // The background colour stays set to the fill colour.
    EXPECT_EQ(pDC->GetBkColor(), kRed);
    pDC->FillSolidRect(20, 20, 3, 2, kBlue);
    EXPECT_EQ(surface.Count(kBlue), 6);
}

TEST(Drawing, Draw3dRectPutsTheCornersOnTheBottomRightSide)
{
    DibSurface surface(40, 40);
    CDC* pDC = surface.cdc();
    pDC->Draw3dRect(CRect(10, 10, 20, 16), kBlue, kGreen);
    // Top edge: x 10..18 blue, the top-right corner green.
    for (int x = 10; x <= 18; ++x)
        EXPECT_EQ(surface.Pixel(x, 10), kBlue) << x;
    EXPECT_EQ(surface.Pixel(19, 10), kGreen);
    // Left edge: y 10..14 blue, the bottom-left corner green.
    for (int y = 10; y <= 14; ++y)
        EXPECT_EQ(surface.Pixel(10, y), kBlue) << y;
    EXPECT_EQ(surface.Pixel(10, 15), kGreen);
    for (int y = 10; y <= 15; ++y)
        EXPECT_EQ(surface.Pixel(19, y), kGreen) << y;
    for (int x = 10; x <= 19; ++x)
        EXPECT_EQ(surface.Pixel(x, 15), kGreen) << x;
    EXPECT_EQ(surface.Pixel(15, 12), kWhite);
    EXPECT_EQ(surface.Pixel(20, 10), kWhite);
    EXPECT_EQ(surface.Pixel(9, 10), kWhite);
    EXPECT_EQ(surface.Count(kBlue) + surface.Count(kGreen), 2 * 10 + 2 * 4);
}

TEST(Drawing, JapaneseTextIsMeasuredAndPaintedInTheGothicFont)
{
    DibSurface surface(200, 40);
    CDC* pDC = surface.cdc();
    CFont font;
    ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック"));
    CFont* pOld = pDC->SelectObject(&font);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(pDC->GetCurrentFont(), &font);

    CString text("日本語のテキスト");
    CSize size = pDC->GetTextExtent(text);
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    // A double-byte character is about twice as wide as a single-byte one in this font.
    CSize sizeOne = pDC->GetTextExtent(CString("日"));
    CSize sizeHalf = pDC->GetTextExtent(CString("A"));
    EXPECT_GT(sizeOne.cx, sizeHalf.cx);
    TEXTMETRIC tm;
    ASSERT_TRUE(pDC->GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);

    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    ASSERT_EQ(surface.CountOther(kWhite), 0);
    pDC->TextOut(2, 2, text);
    EXPECT_GT(surface.CountOther(kWhite), 20);
    pDC->SelectObject(pOld);
}

TEST(Drawing, SelectingObjectsReturnsThePreviousOnes)
{
    DibSurface surface(20, 20);
    CDC* pDC = surface.cdc();
    EXPECT_EQ(CDC::FromHandle(surface.dc()), pDC);
    CPen pen(PS_SOLID, 1, kRed);
    CPen* pOldPen = pDC->SelectObject(&pen);
    ASSERT_NE(pOldPen, nullptr);
    EXPECT_EQ(pOldPen->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    pDC->MoveTo(0, 5);
    pDC->LineTo(10, 5);
    EXPECT_EQ(surface.Pixel(0, 5), kRed);
    EXPECT_EQ(surface.Pixel(9, 5), kRed);
    EXPECT_EQ(surface.Pixel(10, 5), kWhite);
    EXPECT_EQ(pDC->SelectObject(pOldPen), &pen);

    CBrush brush(kBlue);
    CRect rc(0, 10, 5, 15);
    pDC->FillRect(&rc, &brush);
    EXPECT_EQ(surface.Pixel(4, 14), kBlue);

    int nSaved = pDC->SaveDC();
    pDC->SetViewportOrg(5, 0);
    pDC->SetPixel(0, 0, kGreen);
    EXPECT_EQ(surface.Pixel(5, 0), kGreen);
    pDC->RestoreDC(nSaved);
    EXPECT_EQ(pDC->GetViewportOrg(), CPoint(0, 0));
    EXPECT_FALSE(pDC->IsPrinting());
    EXPECT_EQ(pDC->GetDeviceCaps(BITSPIXEL), 32);

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(15, 15, 17, 17));
    pDC->SelectClipRgn(&rgn);
    pDC->FillSolidRect(CRect(0, 0, 20, 20), kRed);
    EXPECT_EQ(surface.Pixel(16, 16), kRed);
    EXPECT_EQ(surface.Pixel(14, 16), kWhite);
    pDC->SelectClipRgn(NULL);

    // Temporary objects of foreign handles are freed at idle.
    theApp.OnIdle(1);
}

TEST(Drawing, MemoryDCAndBitmapBlit)
{
    DibSurface surface(16, 16);
    CDC* pDC = surface.cdc();
    CDC memDC;
    ASSERT_TRUE(memDC.CreateCompatibleDC(pDC));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(pDC, 4, 4));
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    memDC.FillSolidRect(CRect(0, 0, 4, 4), kGreen);
    pDC->BitBlt(6, 6, 4, 4, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
    EXPECT_EQ(surface.Count(kGreen), 16);
    EXPECT_EQ(surface.Pixel(6, 6), kGreen);
    EXPECT_EQ(surface.Pixel(10, 10), kWhite);
    BITMAP bm;
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(bm.bmWidth, 4);
}
