// Stand-in toolbars on the frame's top outer dock bar: a row that compresses before it wraps,
// the placement order, and the delayed layout on its timer.
#include <gtest/gtest.h>

#include "bars_test_support.h"

namespace {

using barstest::FrameFixture;
using barstest::StandInToolBar;

void SetClientWidth(CFrameWnd* pFrame, int cx)
{
    CRect rcWindow, rcClient;
    pFrame->GetWindowRect(&rcWindow);
    pFrame->GetClientRect(&rcClient);
    pFrame->SetWindowPos(NULL, 0, 0, cx + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class OuterTest : public ::testing::Test {
protected:
    FrameFixture fx;
    void SetUp() override { SetClientWidth(fx.pFrame, 400); }
    std::vector<StandInToolBar*> bars;
    CUiDockOuterBar* Top() { return static_cast<CUiDockOuterBar*>(fx.Side(AFX_IDW_DOCKBAR_TOP)); }
    // n toolbars in one row of the top outer dock bar, side by side from the left.
    void MakeRow(int n)
    {
        CUiDockOuterBar* pTop = Top();
        for (int i = 0; i < n; ++i) {
            StandInToolBar* p = new StandInToolBar;
            ASSERT_TRUE(p->Create(fx.pFrame, 0xB001 + i));
            fx.pFrame->DockControlBar(p, AFX_IDW_DOCKBAR_TOP);
            p->MoveWindow(i * 150, 0, 150, 22);
            bars.push_back(p);
        }
        pTop->m_arrBars.RemoveAll();
        pTop->m_arrBars.Add(nullptr);
        for (StandInToolBar* p : bars)
            pTop->m_arrBars.Add(p);
        pTop->m_arrBars.Add(nullptr);
    }
    CRect RectOf(StandInToolBar* p)
    {
        CRect rc;
        p->GetWindowRect(&rc);
        Top()->ScreenToClient(&rc);
        return rc;
    }
    void TearDown() override
    {
        for (StandInToolBar* p : bars) {
            p->DestroyWindow();
            delete p;
        }
    }
};

TEST_F(OuterTest, ARowShrinksFromTheLastBackAndWideningGivesTheLengthsBack)
{
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    ASSERT_EQ(400, rcClient.Width());
    MakeRow(3);
    fx.pFrame->RecalcLayout();
    EXPECT_EQ(150, RectOf(bars[0]).Width());
    EXPECT_EQ(150, RectOf(bars[1]).Width());
    EXPECT_EQ(100, RectOf(bars[2]).Width());
    EXPECT_EQ(400, RectOf(bars[2]).right);
    EXPECT_EQ(RectOf(bars[0]).top, RectOf(bars[2]).top);   // no wrap

    SetClientWidth(fx.pFrame, 600);
    fx.pFrame->RecalcLayout();
    for (StandInToolBar* p : bars)
        EXPECT_EQ(150, RectOf(p).Width());
}

TEST_F(OuterTest, OnlyWhenTheMinimumsNoLongerFitDoesTheLastBarWrap)
{
    MakeRow(7);   // 7 x 60 > 400
    fx.pFrame->RecalcLayout();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(RectOf(bars[0]).top, RectOf(bars[i]).top) << i;
    EXPECT_GT(RectOf(bars[6]).top, RectOf(bars[0]).top);
}

TEST_F(OuterTest, CapturePlacementMakesTheBarTheMostRecentOfItsRow)
{
    MakeRow(3);
    bars[0]->record.nOrder = 1;
    bars[1]->record.nOrder = 0;
    bars[2]->record.nOrder = 2;
    bars[1]->CapturePlacementRecord();
    EXPECT_EQ(1u, bars[1]->record.nOrder);
    EXPECT_EQ(2u, bars[0]->record.nOrder);
    EXPECT_EQ(3u, bars[2]->record.nOrder);
}

TEST_F(OuterTest, DraggingABarAlongItsRowPushesItsNeighboursAndExchangesPlacesWithOneItPasses)
{
    SetClientWidth(fx.pFrame, 600);
    MakeRow(3);
    bars[1]->MoveWindow(200, 0, 150, 22);   // gaps of 50 and 0
    bars[2]->MoveWindow(350, 0, 150, 22);
    bool bChanged = false;
    Top()->DragBarInRow(bars[1], 70, &bChanged);
    EXPECT_TRUE(bChanged);
    EXPECT_EQ(270, RectOf(bars[1]).left);
    EXPECT_EQ(420, RectOf(bars[2]).left);   // pushed, not yet passed
    // Past the middle of its neighbour: the two exchange places, in the row array too.
    Top()->DragBarInRow(bars[1], 500, &bChanged);
    EXPECT_EQ(600, RectOf(bars[1]).right);  // the row's end stops it
    EXPECT_LE(RectOf(bars[2]).right, RectOf(bars[1]).left);
    CDockBar* pTop = Top();
    EXPECT_LT(pTop->FindBar(bars[2]), pTop->FindBar(bars[1]));
    EXPECT_EQ(1u, bars[1]->record.nOrder);
    // All the way back: it passes both and leads the row.
    Top()->DragBarInRow(bars[1], -1000, &bChanged);
    EXPECT_EQ(0, RectOf(bars[1]).left);
    EXPECT_LE(RectOf(bars[1]).right, RectOf(bars[0]).left);
    EXPECT_LE(RectOf(bars[0]).right, RectOf(bars[2]).left);
    EXPECT_LT(pTop->FindBar(bars[1]), pTop->FindBar(bars[0]));
    EXPECT_LT(pTop->FindBar(bars[0]), pTop->FindBar(bars[2]));
}

TEST(OuterDelayedLayout, TwoRequestsArmOneTimerThatWaitsForTheFrameToShow)
{
    FrameFixture hidden(CRect(40, 40, 440, 340), false);
    CUiDockOuterBar* pTop = static_cast<CUiDockOuterBar*>(hidden.Side(AFX_IDW_DOCKBAR_TOP));
    CUiDockOuterBar* pLeft = static_cast<CUiDockOuterBar*>(hidden.Side(AFX_IDW_DOCKBAR_LEFT));
    pLeft->RequestDelayedLayout();   // served by the top dock bar
    pTop->RequestDelayedLayout();
    EXPECT_TRUE(pTop->m_bOuterFlags & CUiDockOuterBar::kPending);
    winharness::PumpFor(60);
    EXPECT_EQ(0, hidden.pFrame->nLayoutsByOuterBar);
    hidden.pFrame->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(winharness::PumpUntil([&] { return !(pTop->m_bOuterFlags & CUiDockOuterBar::kPending); }));
    winharness::PumpFor(60);
    EXPECT_EQ(1, hidden.pFrame->nLayoutsByOuterBar);
}

} // namespace
