// Icon items: the separator, the icon box by state in the classic and flat looks, the icon
// that stands in for a missing one, and the text colours.
#include <gtest/gtest.h>

#include "cmdicon.h"
#include "iconitempaintdata.h"
#include "paintmanagerxp.h"
#include "painttestsupport.h"

using winharness::DibSurface;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

HBITMAP SolidBitmap(int cx, int cy, COLORREF clr)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    FillSolidRect(hMem, CRect(0, 0, cx, cy), clr);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

class IconItems : public ::testing::Test {
protected:
    IconItems() : surface(60, 30, kSentinel)
    {
        scope.UseIdentitySysColors();
        scope.SetBitsPerPixel(32);
        data.m_rcOuter.SetRect(0, 0, 60, 30);
        data.m_rcIcon.SetRect(4, 4, 20, 20);
        data.m_rcTextArea.SetRect(24, 0, 60, 30);
        data.m_rcText.SetRect(24, 0, 60, 30);
    }
    COLORREF C(int nIndex) { return scope.Current()->GetColor(nIndex); }
    painttest::PaintLookScope scope;
    DibSurface surface;
    IconItemPaintData data;
};

} // namespace

TEST_F(IconItems, AnInfoSeparatorIsAFramedInfoStripAndAPlainOneNothing)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    data.m_bFlags = IconItemPaintData::kSeparator;
    pm->PaintIcon(*surface.cdc(), data);
    EXPECT_EQ(60 * 30, surface.Count(kSentinel));
    data.m_bFlags |= IconItemPaintData::kInfoLook;
    pm->PaintIcon(*surface.cdc(), data);
    EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(26, 2));
    EXPECT_EQ(C(COLOR_INFOBK), surface.Pixel(40, 15));
    EXPECT_EQ(kSentinel, surface.Pixel(25, 15));
    EXPECT_EQ(kSentinel, surface.Pixel(10, 10));
}

TEST_F(IconItems, TheIconBoxShowsTheStateInEachLook)
{
    struct Case {
        BYTE bFlags;
        CRuntimeClass* pLook;
        int nTopLeft, nBottomRight, nFill;
    } cases[] = {
        {IconItemPaintData::kHot, RUNTIME_CLASS(CUiPaintManager), COLOR_BTNFACE, COLOR_3DDKSHADOW, COLOR_BTNSHADOW},
        {IconItemPaintData::kPressed, RUNTIME_CLASS(CUiPaintManager), COLOR_3DDKSHADOW, COLOR_BTNFACE, COLOR_BTNSHADOW},
        {IconItemPaintData::kHot, RUNTIME_CLASS(CUiPaintManagerXP), 2004, 2004, 1001},
        {IconItemPaintData::kPressed, RUNTIME_CLASS(CUiPaintManagerXP), 2004, 2004, 2003},
    };
    for (const Case& c : cases) {
        CUiPaintManager* pm = scope.Install(c.pLook);
        surface.Fill(kSentinel);
        data.m_bFlags = c.bFlags;
        pm->PaintIcon(*surface.cdc(), data);
        EXPECT_EQ(C(c.nTopLeft), surface.Pixel(2, 10)) << c.pLook->m_lpszClassName;
        EXPECT_EQ(C(c.nBottomRight), surface.Pixel(21, 10)) << c.pLook->m_lpszClassName;
        EXPECT_EQ(C(c.nFill), surface.Pixel(10, 10)) << c.pLook->m_lpszClassName;
    }
    // Neither hot nor pressed: no box; an empty outer rectangle: nothing at all.
    surface.Fill(kSentinel);
    data.m_bFlags = 0;
    scope.Current()->PaintIcon(*surface.cdc(), data);
    EXPECT_EQ(60 * 30, surface.Count(kSentinel));
}

TEST_F(IconItems, AMissingSelectedIconFallsBackToTheNormalOneAndTextTakesItsColour)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    CUiCmdIcon normal(SolidBitmap(16, 16, RGB(200, 30, 40)), RGB(255, 0, 255), nullptr, false);
    data.m_pIcon = &normal;
    data.m_bFlags = IconItemPaintData::kSelected;
    data.m_strText = "Item";
    pm->PaintIcon(*surface.cdc(), data);
    EXPECT_EQ(RGB(200, 30, 40), surface.Pixel(10, 10));
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(24, 0, 60, 30), C(COLOR_BTNHIGHLIGHT)));

    surface.Fill(kSentinel);
    data.m_bFlags = IconItemPaintData::kInfoLook;
    data.m_rcOuter.SetRectEmpty();
    pm->PaintIcon(*surface.cdc(), data);
    EXPECT_EQ(60 * 30, surface.Count(kSentinel));
    data.m_rcOuter.SetRect(0, 0, 60, 30);
    pm->PaintIcon(*surface.cdc(), data);
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(24, 0, 60, 30), C(COLOR_INFOTEXT)));
}
