// The off-screen context over DIB surfaces whose pixels are read back exactly.
#include <gtest/gtest.h>

#include "memorydc.h"
#include "winharness.h"

using namespace winharness;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBack = RGB(10, 120, 200);
const COLORREF kInk = RGB(250, 20, 30);
const COLORREF kOther = RGB(0, 200, 0);

HBITMAP WINAPI FailingDibSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD)
{
    return NULL;
}

int BitmapWidth(CDC& dc, int* pBitsPixel = nullptr)
{
    BITMAP bm = {};
    ::GetObject(::GetCurrentObject(dc.m_hDC, OBJ_BITMAP), sizeof(bm), &bm);
    if (pBitsPixel != nullptr)
        *pBitsPixel = bm.bmBitsPixel;
    return bm.bmWidth;
}

TEST(MemoryDCTest, TheRectangleIsFilledAndCopiedBackInOneStep)
{
    DibSurface surface(60, 40, kWhite);
    CDC* pTarget = surface.cdc();
    pTarget->SetBkColor(kBack);
    const CRect rect(10, 10, 40, 30);
    {
        CUiMemoryDC mem(pTarget, &rect, CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kFillBackground);
        EXPECT_TRUE(mem.IsOffscreen());
        mem.SetPixel(12, 12, kInk);
        ::GdiFlush();
        EXPECT_EQ(kWhite, surface.Pixel(12, 12));
        EXPECT_EQ(kWhite, surface.Pixel(20, 20));
    }
    EXPECT_EQ(kInk, surface.Pixel(12, 12));
    EXPECT_EQ(kBack, surface.Pixel(20, 20));
    EXPECT_EQ(kBack, surface.Pixel(10, 10));
    EXPECT_EQ(kBack, surface.Pixel(39, 29));
    EXPECT_EQ(kWhite, surface.Pixel(40, 30));
    EXPECT_EQ(kWhite, surface.Pixel(9, 10));
    EXPECT_EQ(30 * 20, surface.Count(kBack) + 1);
}

TEST(MemoryDCTest, DrawingLandsAtItsLogicalPointWhenTheTargetOriginMoved)
{
    DibSurface surface(60, 40, kWhite);
    CDC* pTarget = surface.cdc();
    pTarget->SetBkColor(kBack);
    pTarget->SetWindowOrg(10, 5);   // logical (10, 5) is device (0, 0)
    const CRect rect(15, 10, 35, 25);
    {
        CUiMemoryDC mem(pTarget, &rect, CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kFillBackground);
        ASSERT_TRUE(mem.IsOffscreen());
        EXPECT_EQ(20, BitmapWidth(mem));
        mem.SetPixel(20, 12, kInk);
    }
    EXPECT_EQ(kInk, surface.Pixel(10, 7));
    EXPECT_EQ(kBack, surface.Pixel(5, 5));
    EXPECT_EQ(kBack, surface.Pixel(24, 19));
    EXPECT_EQ(kWhite, surface.Pixel(25, 20));
    EXPECT_EQ(kWhite, surface.Pixel(4, 5));
}

TEST(MemoryDCTest, CopyingTheTargetFirstStartsFromItsPixelsAtTheirPlace)
{
    DibSurface surface(60, 40, kWhite);
    CDC* pTarget = surface.cdc();
    pTarget->SetWindowOrg(10, 5);
    pTarget->SetPixel(20, 12, kOther);
    const CRect rect(15, 10, 35, 25);
    {
        CUiMemoryDC mem(pTarget, &rect, CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kCopyTarget);
        EXPECT_EQ(kOther, mem.GetPixel(20, 12));
        EXPECT_EQ(kWhite, mem.GetPixel(21, 12));
        mem.SetPixel(22, 12, kInk);
    }
    EXPECT_EQ(kOther, surface.Pixel(10, 7));
    EXPECT_EQ(kInk, surface.Pixel(12, 7));
}

TEST(MemoryDCTest, APrinterIsDrawnIntoDirectlyAndKeepsItsObject)
{
    DibSurface surface(60, 40, kWhite);
    CDC printer;
    printer.Attach(surface.dc());
    printer.m_bPrinting = TRUE;
    printer.SetBkColor(kBack);
    const CRect rect(10, 10, 40, 30);
    {
        CUiMemoryDC mem(&printer, &rect, CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kFillBackground);
        EXPECT_FALSE(mem.IsOffscreen());
        EXPECT_EQ(surface.dc(), mem.m_hDC);
        EXPECT_TRUE(mem.IsPrinting());
        EXPECT_EQ(&printer, CDC::FromHandle(surface.dc()));
        mem.SetPixel(12, 12, kInk);
        ::GdiFlush();
        EXPECT_EQ(kInk, surface.Pixel(12, 12));
        EXPECT_EQ(kBack, surface.Pixel(20, 20));
        // Drawn behind its back: a copy at the end would paint over it.
        ::SetPixel(surface.dc(), 21, 21, kOther);
    }
    EXPECT_EQ(kOther, surface.Pixel(21, 21));
    EXPECT_EQ(&printer, CDC::FromHandle(surface.dc()));
    printer.Detach();
}

TEST(MemoryDCTest, WithoutARectangleTheClipBoxIsCovered)
{
    DibSurface surface(60, 40, kWhite);
    CDC* pTarget = surface.cdc();
    pTarget->SetBkColor(kBack);
    pTarget->IntersectClipRect(5, 5, 25, 15);
    {
        CUiMemoryDC mem(pTarget, NULL,
                        CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kFillBackground | CUiMemoryDC::kDibSection);
        ASSERT_TRUE(mem.IsOffscreen());
        EXPECT_NE(nullptr, mem.GetDibBits());
        int nBits = 0;
        EXPECT_EQ(20, BitmapWidth(mem, &nBits));
        EXPECT_EQ(32, nBits);
    }
    EXPECT_EQ(20 * 10, surface.Count(kBack));
    EXPECT_EQ(kBack, surface.Pixel(5, 5));
    EXPECT_EQ(kBack, surface.Pixel(24, 14));
    ::SelectClipRgn(surface.dc(), NULL);
}

TEST(MemoryDCTest, AFailedDibSectionDrawsStraightIntoTheTarget)
{
    DibSurface surface(60, 40, kWhite);
    CDC* pTarget = surface.cdc();
    pTarget->SetBkColor(kBack);
    const CRect rect(10, 10, 40, 30);
    CUiMemoryDC::s_pfnCreateDIBSection = FailingDibSection;
    {
        CUiMemoryDC mem(pTarget, &rect,
                        CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kFillBackground | CUiMemoryDC::kDibSection);
        EXPECT_FALSE(mem.IsOffscreen());
        EXPECT_EQ(nullptr, mem.GetDibBits());
        EXPECT_EQ(surface.dc(), mem.m_hDC);
        mem.SetPixel(12, 12, kInk);
        ::GdiFlush();
        EXPECT_EQ(kInk, surface.Pixel(12, 12));
        EXPECT_EQ(kBack, surface.Pixel(20, 20));
    }
    CUiMemoryDC::s_pfnCreateDIBSection = ::CreateDIBSection;
    EXPECT_EQ(kInk, surface.Pixel(12, 12));
    EXPECT_NE((HDC)NULL, surface.dc());
    EXPECT_NE(0, ::GetDeviceCaps(surface.dc(), BITSPIXEL));
}

TEST(MemoryDCTest, MonochromeAndNoOffscreenOptions)
{
    DibSurface surface(60, 40, kWhite);
    CDC* pTarget = surface.cdc();
    const CRect rect(0, 0, 16, 8);
    {
        CUiMemoryDC mem(pTarget, &rect, CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kMonochrome);
        int nBits = 0;
        EXPECT_EQ(16, BitmapWidth(mem, &nBits));
        EXPECT_EQ(1, nBits);
    }
    {
        // Without the off-screen bit the target is used as it is.
        CUiMemoryDC mem(pTarget, &rect, CUiMemoryDC::kFillBackground);
        EXPECT_FALSE(mem.IsOffscreen());
        EXPECT_EQ(surface.dc(), mem.m_hDC);
    }
    EXPECT_NE((HDC)NULL, surface.dc());
}

} // namespace
