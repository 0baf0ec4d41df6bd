// The menu tip's shape without a window: balloon size, pointer and placement against a work
// area of 0,0,1024,768.
#include "popuptipshape.h"

#include <gtest/gtest.h>

namespace {

const CRect kArea(0, 0, 1024, 768);
const CSize kIcon(16, 16);

void ExpectPointer(const PopupTipShape& shape, POINT a, POINT b, POINT c)
{
    const POINT* p = shape.Pointer();
    EXPECT_EQ(CPoint(a), CPoint(p[0]));
    EXPECT_EQ(CPoint(b), CPoint(p[1]));
    EXPECT_EQ(CPoint(c), CPoint(p[2]));
}

TEST(PopupTipShapeTest, AnEmptyTextStillGivesIconAndMargins)
{
    PopupTipShape shape;
    shape.Layout(CSize(0, 0), kIcon, CPoint(306, 306), kArea);
    EXPECT_EQ(24 + 16 + 5, shape.Width());
    EXPECT_EQ(20, shape.Height());
    shape.Layout(CSize(0, 0), CSize(16, 32), CPoint(306, 306), kArea);
    EXPECT_EQ(32, shape.Height());
}

TEST(PopupTipShapeTest, ByDefaultTheBalloonSitsAboveLeftWithThePointerOnTheAnchor)
{
    PopupTipShape shape;
    const CRect rcItem(300, 300, 400, 320);
    const CPoint anchor(rcItem.left + 6, rcItem.top + 6);
    shape.Layout(CSize(80, 14), kIcon, anchor, kArea);
    const int W = shape.Width(), H = shape.Height();
    EXPECT_EQ(80 + 24 + 21, W);
    EXPECT_EQ(34, H);
    EXPECT_EQ(0, shape.Flags());
    ExpectPointer(shape, {W - 12, H - 10}, {W - 12, H + 15}, {W - 37, H - 10});
    EXPECT_EQ(CSize(W, H + 25), shape.WindowSize());
    const CPoint origin = shape.WindowOrigin(anchor, rcItem.Size());
    EXPECT_EQ(CPoint(306 - W + 12, 306 - (H + 25) + 10), origin);
    // The pointer's tip, in screen terms, is the anchor.
    EXPECT_EQ(anchor, origin + CPoint(shape.Pointer()[1]));
}

TEST(PopupTipShapeTest, AtTheLeftEdgeThePointerGoesLeftAtTheTopTheBalloonHangsBelow)
{
    PopupTipShape shape;
    shape.Layout(CSize(80, 14), kIcon, CPoint(6, 306), kArea);
    const int W = shape.Width(), H = shape.Height();
    EXPECT_EQ(PopupTipShape::kPointerLeft, shape.Flags());
    ExpectPointer(shape, {12, H - 10}, {12, H + 15}, {37, H - 10});

    shape.Layout(CSize(80, 14), kIcon, CPoint(306, 6), kArea);
    EXPECT_EQ(PopupTipShape::kPointerTop, shape.Flags());
    ExpectPointer(shape, {W - 12, 10}, {W - 12, -15}, {W - 37, H - 20});
    HRGN hRgn = shape.CreateRegion();
    // The balloon moved down by 25, the pointer reaching up above it.
    EXPECT_TRUE(::PtInRegion(hRgn, W - 13, 20));
    EXPECT_FALSE(::PtInRegion(hRgn, W / 2, 20));
    EXPECT_TRUE(::PtInRegion(hRgn, W / 2, H + 20));
    EXPECT_FALSE(::PtInRegion(hRgn, W / 2, H + 26));
    ::DeleteObject(hRgn);
}

}  // namespace
