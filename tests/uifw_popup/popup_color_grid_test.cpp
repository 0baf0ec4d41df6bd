// The colour menu's arithmetic without a window: size, swatch and button rectangles, hit
// testing, palette look-ups, the arrow-key walk and what each choice reports.
#include "popupcolorgrid.h"

#include <gtest/gtest.h>

namespace {

PopupColorGrid::Metrics MakeMetrics(int m, int sh, int b, int L)
{
    PopupColorGrid::Metrics metrics;
    metrics.nMargin = m;
    metrics.nShadow = sh;
    metrics.nBorder = b;
    metrics.nLeftBand = L;
    return metrics;
}

TEST(PopupColorGridTest, SizeAndCellsWithoutButtons)
{
    const int m = 2, sh = 4, b = 3, L = 10;
    PopupColorGrid grid;
    grid.Layout(MakeMetrics(m, sh, b, L), false, CSize(0, 0), false, CSize(0, 0));
    EXPECT_EQ(CSize(sh + 2 * m + 160 + L, sh + 2 * m + 100), grid.GetSize());

    const CPoint content(5, 7);
    grid.PlaceInWindow(content);
    // Swatch 9 lies in column 1 and row 1; the band on the left pushes it right.
    EXPECT_EQ(CRect(m + 22 + content.x + L, m + 22 + content.y, m + 38 + content.x + L, m + 38 + content.y),
              grid.GetCellRect(9));
}

TEST(PopupColorGridTest, ButtonsMoveThePaletteAndTakeTheFullWidth)
{
    const int m = 1, sh = 0, b = 2, L = 0;
    PopupColorGrid grid;
    // A default text shorter than 22 still gives a 22 pixel button; a wide custom text
    // widens the menu and both buttons.
    grid.Layout(MakeMetrics(m, sh, b, L), true, CSize(50, 13), true, CSize(200, 30));
    EXPECT_EQ(CSize(206, 2 * m + 100 + (b + 6 + 22) + (b + 6 + 30)), grid.GetSize());

    grid.PlaceInWindow(CPoint(0, 0));
    const int w = 206 - 2 * (m + 3) - sh;
    EXPECT_EQ(CRect(m + 3, m + 3, m + 3 + w, m + 3 + 22), grid.GetDefaultButtonRect());
    const int yCustom = m + 3 + b + 22 + 6 + m + 102;
    EXPECT_EQ(CRect(m + 3, yCustom, m + 3 + w, yCustom + 30), grid.GetCustomButtonRect());
    EXPECT_EQ(CRect(m + 22, m + 22 + b + 22 + 6, m + 38, m + 38 + b + 22 + 6), grid.GetCellRect(9));
}

TEST(PopupColorGridTest, HitTestInIndexOrderThenButtons)
{
    PopupColorGrid grid;
    grid.Layout(MakeMetrics(2, 0, 1, 0), true, CSize(60, 14), true, CSize(80, 14));
    grid.PlaceInWindow(CPoint(3, 3));
    for (int i = 0; i < PopupColorGrid::kColorCount; ++i)
        EXPECT_EQ(i, grid.HitTest(grid.GetCellRect(i).CenterPoint())) << i;
    EXPECT_EQ(PopupColorGrid::kChosenDefault, grid.HitTest(grid.GetDefaultButtonRect().CenterPoint()));
    EXPECT_EQ(PopupColorGrid::kChosenCustom, grid.HitTest(grid.GetCustomButtonRect().CenterPoint()));
    // The two-pixel gap between swatches hits nothing.
    const CRect rc0 = grid.GetCellRect(0);
    EXPECT_EQ(PopupColorGrid::kChosenNone, grid.HitTest(CPoint(rc0.right + 1, rc0.top + 4)));
    EXPECT_EQ(PopupColorGrid::kChosenNone, grid.HitTest(CPoint(-50, -50)));
}

TEST(PopupColorGridTest, PaletteLookups)
{
    EXPECT_EQ(23, PopupColorGrid::FindColorIndex(RGB(127, 127, 127)));
    EXPECT_EQ(-1, PopupColorGrid::FindColorIndex(RGB(1, 2, 3)));
    EXPECT_EQ(16, PopupColorGrid::FindColorIndex(RGB(255, 0, 0)));
    EXPECT_STREQ("Black", PopupColorGrid::Entry(0).pszName);
    EXPECT_STREQ("Pale green ", PopupColorGrid::Entry(35).pszName);
    EXPECT_STREQ("White", PopupColorGrid::Entry(39).pszName);
    EXPECT_EQ(RGB(104, 131, 139), PopupColorGrid::Entry(37).clr);
}

TEST(PopupColorGridTest, ArrowKeysWalkTheGridAndWrap)
{
    EXPECT_EQ(0, PopupColorGrid::MoveInGrid(PopupColorGrid::kChosenNone, VK_DOWN));
    EXPECT_EQ(0, PopupColorGrid::MoveInGrid(PopupColorGrid::kChosenCustom, VK_RIGHT));
    EXPECT_EQ(0, PopupColorGrid::MoveInGrid(PopupColorGrid::kChosenDefault, VK_UP));
    EXPECT_EQ(7, PopupColorGrid::MoveInGrid(0, VK_LEFT));
    EXPECT_EQ(8, PopupColorGrid::MoveInGrid(15, VK_RIGHT));
    EXPECT_EQ(35, PopupColorGrid::MoveInGrid(3, VK_UP));
    EXPECT_EQ(3, PopupColorGrid::MoveInGrid(35, VK_DOWN));
    EXPECT_EQ(17, PopupColorGrid::MoveInGrid(9, VK_DOWN));
    EXPECT_EQ(-1, PopupColorGrid::MoveInGrid(9, VK_RETURN));
}

TEST(PopupColorGridTest, WhatEachChoiceReports)
{
    const COLORREF clrDefault = RGB(9, 8, 7);
    PopupColorGrid::Notification n = PopupColorGrid::Decide(16, true, clrDefault);
    EXPECT_EQ(PopupColorGrid::NotifyChangedFinally, n.kind);
    EXPECT_EQ((WPARAM)RGB(255, 0, 0), n.wParam);
    EXPECT_TRUE(n.bStoreResult);
    EXPECT_EQ(RGB(255, 0, 0), n.clrResult);

    n = PopupColorGrid::Decide(0, false, clrDefault);
    EXPECT_EQ(PopupColorGrid::NotifyChanged, n.kind);
    EXPECT_EQ((WPARAM)RGB(0, 0, 0), n.wParam);
    EXPECT_FALSE(n.bStoreResult);

    n = PopupColorGrid::Decide(PopupColorGrid::kChosenDefault, true, clrDefault);
    EXPECT_EQ(PopupColorGrid::NotifyChangedFinally, n.kind);
    EXPECT_EQ((WPARAM)clrDefault, n.wParam);
    EXPECT_EQ(clrDefault, n.clrResult);

    n = PopupColorGrid::Decide(PopupColorGrid::kChosenCustom, true, clrDefault);
    EXPECT_EQ(PopupColorGrid::NotifyCustColor, n.kind);
    EXPECT_EQ(0u, n.wParam);
    EXPECT_TRUE(n.bStoreResult);
    EXPECT_EQ(PopupColorGrid::kResultCustom, n.clrResult);

    EXPECT_EQ(PopupColorGrid::NotifyNone, PopupColorGrid::Decide(PopupColorGrid::kChosenNone, true, clrDefault).kind);
    EXPECT_EQ(PopupColorGrid::NotifyNone, PopupColorGrid::Decide(40, true, clrDefault).kind);
}

}  // namespace
