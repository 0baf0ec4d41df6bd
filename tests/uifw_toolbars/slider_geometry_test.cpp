// The slider button's parts, range and steps, without windows: a slider made by class name
// has no bar and lays itself out horizontally in the rectangle it is given.
#include <gtest/gtest.h>

#include <algorithm>

#include "barsliderbutton.h"
#include "slidermath.h"

namespace {

using namespace SliderMath;

int Length(const RECT& rc)
{
    return rc.right - rc.left;
}

bool IsEmptyPart(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

// A slider in a 150 x 22 horizontal button (scroll area the last 50 pixels).
CUiBarSliderButton* MakeSlider(UINT nTotal, UINT nPage, UINT nArrows)
{
    CUiBarSliderButton* pSlider =
        static_cast<CUiBarSliderButton*>(RUNTIME_CLASS(CUiBarSliderButton)->CreateObject());
    pSlider->SetScrollTotal(nTotal);
    pSlider->SetScrollPageSize(nPage);
    pSlider->SetScrollButtonExtentH(nArrows);
    const RECT rc = {0, 0, 150, 22};
    pSlider->SetRect(rc);
    return pSlider;
}

TEST(SliderGeometry, WithoutPageOrArrowsTheThumbIsSixPixelsOnAGrooveTrack)
{
    CUiBarSliderButton* pSlider = MakeSlider(100, 0, 0);
    EXPECT_EQ(100u, pSlider->GetScrollRange());
    const RECT& rcThumb = pSlider->GetPartRect(kThumb);
    EXPECT_EQ(6, Length(rcThumb));
    EXPECT_EQ(100, rcThumb.left);
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kDecrement)));
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kIncrement)));
    EXPECT_EQ(50, Length(pSlider->GetPartRect(kTrack)));
    EXPECT_EQ(100, Length(pSlider->GetPartRect(kLabel)));
    // At 0 nothing lies before the thumb; the rest of the track lies after it.
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kPageBefore)));
    EXPECT_EQ(44, Length(pSlider->GetPartRect(kPageAfter)));
    delete pSlider;
}

TEST(SliderGeometry, APageMakesTheThumbItsShareOfTheTrackAndArrowsShortenTheRange)
{
    CUiBarSliderButton* pSlider = MakeSlider(100, 10, 10);
    EXPECT_EQ(90u, pSlider->GetScrollRange());
    const int nTrack = Length(pSlider->GetPartRect(kTrack));
    EXPECT_EQ(30, nTrack);
    EXPECT_EQ(std::max(::MulDiv(nTrack, 10, 100), 4), Length(pSlider->GetPartRect(kThumb)));
    EXPECT_EQ(10, Length(pSlider->GetPartRect(kDecrement)));
    EXPECT_EQ(140, pSlider->GetPartRect(kIncrement).left);

    // At the end of the range the thumb ends at the track's end.
    pSlider->SetScrollPos(90);
    EXPECT_EQ(pSlider->GetPartRect(kTrack).right, pSlider->GetPartRect(kThumb).right);
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kPageAfter)));
    delete pSlider;

    pSlider = MakeSlider(100, 10, 0);
    EXPECT_EQ(100u, pSlider->GetScrollRange());
    delete pSlider;

    // A wide page: the thumb is the share, at least 4 pixels.
    Settings s;
    s.nTotal = 400;
    s.nPage = 100;
    RECT parts[kPartCount];
    CalcSliderLayout(RECT{0, 0, 150, 22}, true, s, parts);
    EXPECT_EQ(::MulDiv(50, 100, 400), Length(parts[kThumb]));
}

TEST(SliderGeometry, ALowerTotalPullsThePositionDown)
{
    CUiBarSliderButton* pSlider = MakeSlider(100, 0, 0);
    pSlider->SetScrollPos(50);
    EXPECT_EQ(100u, pSlider->SetScrollTotal(20));
    EXPECT_EQ(20u, pSlider->GetScrollPos());
    delete pSlider;
}

TEST(SliderGeometry, ANewSliderHasNoThumb)
{
    CUiBarSliderButton* pSlider = MakeSlider(0, 0, 0);
    EXPECT_EQ(0u, pSlider->GetScrollRange());
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kThumb)));
    delete pSlider;

    // Also with arrows, and when the total does not exceed the page.
    pSlider = MakeSlider(0, 0, 10);
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kThumb)));
    delete pSlider;
    pSlider = MakeSlider(5, 10, 10);
    EXPECT_EQ(0u, pSlider->GetScrollRange());
    EXPECT_TRUE(IsEmptyPart(pSlider->GetPartRect(kThumb)));
    delete pSlider;
}

TEST(SliderGeometry, AVerticalSliderLaysOutDownwardsAndAShortTrackPlacesNoThumb)
{
    Settings s;
    s.nTotal = 100;
    s.nArrowExtent = 8;
    s.nAreaLength = 40;
    RECT parts[kPartCount];
    CalcSliderLayout(RECT{0, 0, 22, 100}, false, s, parts);
    EXPECT_EQ(60, parts[kScrollArea].top);
    EXPECT_EQ(68, parts[kTrack].top);
    EXPECT_EQ(92, parts[kTrack].bottom);
    EXPECT_EQ(8, parts[kThumb].bottom - parts[kThumb].top);
    EXPECT_EQ(22, parts[kThumb].right);

    s.nAreaLength = 21;   // a track of 5 pixels
    CalcSliderLayout(RECT{0, 0, 22, 100}, false, s, parts);
    EXPECT_TRUE(IsEmptyPart(parts[kThumb]));
    EXPECT_FALSE(IsEmptyPart(parts[kIncrement]));
}

TEST(SliderGeometry, StepsStayInsideTheRange)
{
    EXPECT_EQ(-1, StepOf(kPageBefore, 0, 100));
    EXPECT_EQ(10, StepOf(kPageAfter, 10, 100));
    EXPECT_EQ(5, StepOf(kPageAfter, 10, 5));
    EXPECT_EQ(1, StepOf(kIncrement, 10, 100));
    EXPECT_EQ(-1, StepOf(kDecrement, 10, 100));
    EXPECT_EQ(0, StepOf(kThumb, 10, 100));

    EXPECT_EQ(0u, MoveByStep(3, -10, 100));
    EXPECT_EQ(100u, MoveByStep(95, 10, 100));
    EXPECT_EQ(100u, MoveByStep(100, 1, 100));
    EXPECT_EQ(51u, MoveByStep(50, 1, 100));

    // Half the free track moves half the range; a drag past the end stops at it.
    EXPECT_EQ(50u, DragPosition(0, 10, 20, 100));
    EXPECT_EQ(100u, DragPosition(60, 300, 20, 100));
    EXPECT_EQ(0u, DragPosition(30, -15, 20, 100));
}

} // namespace
