// The toolbar's painting through a recording look: which buttons and separators reach the
// painters, the row decoration and the open button drawn again on its menu.
#include <gtest/gtest.h>

#include "recordinglook.h"
#include "toolbar_test_support.h"

using namespace tbtest;

namespace {

class ToolBarPaint : public ToolBarFixture {
protected:
    painttest::RecordingLookScope scope;
    painttest::RecordingLook& Look() { return scope.look(); }
    void Paint(CUiToolControlBar* pBar)
    {
        CRect rc;
        pBar->GetClientRect(&rc);
        winharness::DibSurface surface(rc.Width(), rc.Height());
        Look().calls.clear();
        pBar->DoPaint(surface.cdc());
    }
    bool Painted(CUiBarButton* pButton)
    {
        for (const painttest::PaintCall& call : Look().Calls("PushButton"))
            if (call.pAsking == pButton)
                return true;
        return false;
    }
};

TEST_F(ToolBarPaint, AHiddenButtonAndItsSeparatorAreNotPainted)
{
    CUiToolControlBar* pBar = MakeBar({kIconFirst, 0, kIconFirst + 1, kIconFirst + 2});
    pBar->GetButton(2)->ModifyStyle(TBBS_HIDDEN, 0);
    pBar->CalcButtonLayout();
    Paint(pBar);
    EXPECT_TRUE(Painted(pBar->GetButton(0)));
    EXPECT_TRUE(Painted(pBar->GetButton(3)));
    EXPECT_FALSE(Painted(pBar->GetButton(2)));
    EXPECT_TRUE(Look().Calls("Separator").empty());
    EXPECT_EQ(1u, Look().Calls("ContentExpandButton").size());
}

// A bar that a sibling covers wholly (a pane behind the selected tab of its group) gets a
// paint whose clip is empty: it draws nothing and makes no button icons, until it shows.
TEST_F(ToolBarPaint, ABarWhoseClipIsEmptyPaintsNothing)
{
    CUiToolControlBar* pBar = MakeBar({kIconFirst, 0, kIconFirst + 1});
    CRect rc;
    pBar->GetClientRect(&rc);
    winharness::DibSurface surface(rc.Width(), rc.Height());
    Look().calls.clear();
    ::IntersectClipRect(surface.dc(), 0, 0, 0, 0);
    pBar->DoPaint(surface.cdc());
    EXPECT_TRUE(Look().calls.empty());

    Paint(pBar);
    EXPECT_TRUE(Painted(pBar->GetButton(0)));
    EXPECT_TRUE(Painted(pBar->GetButton(2)));
}

TEST_F(ToolBarPaint, ARowSeparatorIsTheStripUnderItsRowOrNothingWithoutAGap)
{
    CUiToolControlBar* pBar = MakeBar({kIconFirst, 0, kIconFirst + 1});
    CUiBarButton* pSeparator = pBar->GetButton(1);
    pSeparator->SetWrap(pBar->GetLayoutMode(), true);
    Look().nFixedBarPadding = 0;
    Paint(pBar);
    EXPECT_TRUE(Look().Calls("Separator").empty());

    Look().nFixedBarPadding = 6;
    Paint(pBar);
    const auto separators = Look().Calls("Separator");
    ASSERT_EQ(1u, separators.size());
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    const int nBottom = pSeparator->GetRect().bottom;
    // The strip under the row, drawn across (the orientation turned), shrunk at its ends.
    EXPECT_EQ(CRect(rcClient.left + 1, nBottom, rcClient.right - 1, nBottom + 6), separators[0].rc);
    EXPECT_FALSE(separators[0].bHorz);
}

TEST_F(ToolBarPaint, EachRowOfADecoratedBarGetsItsDecoration)
{
    CUiToolControlBar* pBar = MakeBar({kIconFirst, kIconFirst + 1, kIconFirst + 2, kIconFirst + 3});
    Look().bThemedToolBarFrame = TRUE;
    Paint(pBar);
    ASSERT_EQ(1u, Look().Calls("ToolBarExtras").size());
    pBar->GetButton(1)->SetWrap(pBar->GetLayoutMode(), true);
    Paint(pBar);
    const auto rows = Look().Calls("ToolBarExtras");
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(1, rows[0].nIndex);
    EXPECT_EQ(pBar->GetButtonsCount(), rows[1].nIndex);
}

TEST_F(ToolBarPaint, TheOpenButtonIsDrawnPlainOnItsMenuAndKeepsItsState)
{
    CUiToolControlBar* pBar = MakeBar({kOpen, kSave});
    CUiBarButton* pButton = pBar->GetButton(0);
    pBar->SetMenuTrackingButton(0);
    pButton->SetHover(true);
    ASSERT_NE(0u, pButton->GetStyle() & TBBS_PRESSED);
    winharness::DibSurface surface(200, 100);
    ::SetViewportOrgEx(surface.dc(), 3, 4, NULL);
    Look().calls.clear();
    CUiToolControlBar::PaintTrackedButtonCallback(pBar, *surface.cdc(), pFrame, CRect(0, 0, 60, 30), 0);
    const auto pushes = Look().Calls("PushButton");
    ASSERT_EQ(1u, pushes.size());
    EXPECT_EQ(pButton, pushes[0].pAsking);
    EXPECT_EQ(0, pushes[0].bFlags & (PushButtonPaintData::kHover | PushButtonPaintData::kPushed));
    EXPECT_EQ(1u, Look().Calls("ToolBarShade").size());
    EXPECT_NE(0u, pButton->GetStyle() & TBBS_PRESSED);
    EXPECT_TRUE(pButton->IsHover());
    POINT pt = {0, 0};
    ::GetViewportOrgEx(surface.dc(), &pt);
    EXPECT_EQ(3, pt.x);
    EXPECT_EQ(4, pt.y);
}

} // namespace
