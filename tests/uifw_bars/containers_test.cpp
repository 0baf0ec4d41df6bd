// Nested containers on a real frame: docking one bar beside another, the rows that fill the
// container, the container dissolving when a bar leaves, and its place in the bars menu.
#include <gtest/gtest.h>

#include "bars_test_support.h"

#include "cmdmanager.h"
#include "dynbar.h"
#include "popupmenuwnd.h"

namespace {

using barstest::Pane;

class ContainerTest : public barstest::BarsOnFrameTest {
protected:
    ContainerTest() : BarsOnFrameTest(CRect(40, 40, 840, 640)) {}
    // A bar docked alone on the left, its column 300 px long.
    Pane* DockedTarget(UINT nID)
    {
        CRect rcWindow, rcClient;
        fx.pFrame->GetWindowRect(&rcWindow);
        fx.pFrame->GetClientRect(&rcClient);
        fx.pFrame->SetWindowPos(NULL, 0, 0, rcWindow.Width(), 300 + rcWindow.Height() - rcClient.Height(),
                                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pane* p = MakePane(nID);
        p->m_sizeVert = CSize(200, 300);
        p->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
        return p;
    }
    static CSize WindowSize(CWnd* p)
    {
        CRect rc;
        p->GetWindowRect(&rc);
        return rc.Size();
    }
};

TEST_F(ContainerTest, DockBarBesideSplitsTheTargetsPlaceInAContainer)
{
    Pane* pTarget = DockedTarget(0xC001);
    ASSERT_EQ(CSize(200, 300), WindowSize(pTarget));
    CDockBar* pOuter = pTarget->m_pDockBar;
    const int nIndex = pOuter->FindBar(pTarget);
    ASSERT_GT(nIndex, 0);
    Pane* pBar = MakePane(0xC002);

    ASSERT_TRUE(pTarget->DockBarBeside(pBar, AFX_IDW_DOCKBAR_TOP, 50));
    CControlBar* pEntry = static_cast<CControlBar*>(pOuter->m_arrBars[nIndex]);
    ASSERT_TRUE(pEntry->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(pEntry);
    EXPECT_EQ(0xE81C, pContainer->GetDlgCtrlID());
    EXPECT_EQ(CSize(200, 300), pContainer->m_sizeFloat);
    CUiDockDynBar* pInner = pContainer->m_pInnerDockBar;
    ASSERT_NE(nullptr, pInner);
    ASSERT_EQ(4, pInner->m_arrBars.GetSize());
    EXPECT_EQ(pBar, pInner->m_arrBars[1]);
    EXPECT_EQ(pTarget, pInner->m_arrBars[2]);
    EXPECT_EQ(pInner, pTarget->m_pDockBar);
    EXPECT_EQ(pInner, pBar->m_pDockBar);

    CRect rcBar, rcTarget, rcClient;
    pBar->GetWindowRect(&rcBar);
    pTarget->GetWindowRect(&rcTarget);
    pContainer->GetClientRect(&rcClient);
    EXPECT_EQ(rcBar.bottom, rcTarget.top);   // pBar above
    // Halves of the container's client area (its own strips take the rest of the 300 px).
    EXPECT_EQ(rcBar.Height(), rcTarget.Height());
    EXPECT_EQ(rcClient.Height(), rcBar.Height() + rcTarget.Height());
    EXPECT_EQ(rcClient.Width(), rcBar.Width());

    // The bars menu lists the bars, never the container.
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("containers", fx.hFrame));
    pContainer->SetWindowText("Box");
    EXPECT_EQ((std::vector<UINT>{0xC001, 0xC002}), barstest::BarsMenuCmdIds(fx.pFrame, pTarget));
    pManager->ProfileReleaseWindow(fx.hFrame, true);
}

// A bar is never laid out below its least length, so that it can be seen and grabbed.
TEST_F(ContainerTest, NoPercentLeavesTheNewBarOnlyItsLeastExtent)
{
    Pane* pTarget = DockedTarget(0xC011);
    Pane* pBar = MakePane(0xC012);
    ASSERT_TRUE(pTarget->DockBarBeside(pBar, AFX_IDW_DOCKBAR_TOP, 0));
    EXPECT_GT(pBar->GetMinExtentVert(), 0);
    EXPECT_EQ(pBar->GetMinExtentVert(), WindowSize(pBar).cy);
    EXPECT_EQ(pBar->GetMinExtentVert(), pBar->m_sizeVert.cy);
    EXPECT_GT(WindowSize(pTarget).cy, 250);
}

TEST_F(ContainerTest, ABarLeavingATwoBarContainerGetsItsPlaceBackAHundredTimes)
{
    Pane* pTarget = DockedTarget(0xC021);
    CDockBar* pOuter = pTarget->m_pDockBar;
    const int nIndex = pOuter->FindBar(pTarget);
    Pane* pOther = MakePane(0xC022);
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(pTarget->DockBarBeside(pOther, AFX_IDW_DOCKBAR_TOP, 50));
        ASSERT_EQ(pOuter, pTarget->GetParent()->GetParent()->GetParent());
        CWnd* pContainer = static_cast<CWnd*>(pOuter->m_arrBars[nIndex]);
        ASSERT_TRUE(pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
        const HWND hContainer = pContainer->m_hWnd;
        const HWND hInner = static_cast<CUiDynControlBar*>(pContainer)->m_pInnerDockBar->m_hWnd;
        const CSize size = WindowSize(pContainer);
        ASSERT_TRUE(pOther->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false));
        ASSERT_FALSE(::IsWindow(hContainer));
        ASSERT_FALSE(::IsWindow(hInner));
        ASSERT_EQ(pTarget, pOuter->m_arrBars[nIndex]);
        ASSERT_EQ(pOuter, pTarget->m_pDockBar);
        ASSERT_EQ(pOuter, pTarget->GetParent());
        ASSERT_EQ(size, pTarget->m_sizeVert);
    }
    fx.pFrame->RecalcLayout();
    EXPECT_EQ(CSize(200, 300), WindowSize(pTarget));
}

// In a floating frame too, where no layout of the frame's rings would dissolve it later.
TEST_F(ContainerTest, ABarLeavingAFloatingTwoBarContainerToDockBesideAnotherGivesTheOtherItsPlace)
{
    Pane* pTarget = MakePane(0xC025);
    Pane* pOther = MakePane(0xC026);
    Pane* pThird = MakePane(0xC027);
    ASSERT_TRUE(pThird->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false));
    ASSERT_TRUE(pTarget->FloatAt(300, 200, CBRS_ALIGN_TOP));
    CDockBar* pFloating = pTarget->m_pDockBar;
    ASSERT_TRUE(pOther->DockIntoBar(50, pTarget, AFX_IDW_DOCKBAR_TOP, true));
    CWnd* pContainer = pTarget->GetParent()->GetParent();
    ASSERT_TRUE(pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    const HWND hContainer = pContainer->m_hWnd;
    ASSERT_TRUE(pOther->DockIntoBar(50, pThird, AFX_IDW_DOCKBAR_TOP, true));
    EXPECT_FALSE(::IsWindow(hContainer));
    EXPECT_EQ(pFloating, pTarget->m_pDockBar);
    EXPECT_EQ(pFloating, pTarget->GetParent());
}

TEST_F(ContainerTest, AContainerOfHiddenBarsIsEmptyAndHidden)
{
    Pane* pTarget = DockedTarget(0xC031);
    Pane* pBar = MakePane(0xC032);
    ASSERT_TRUE(pTarget->DockBarBeside(pBar, AFX_IDW_DOCKBAR_TOP, 50));
    CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(pTarget->GetParent()->GetParent());
    fx.pFrame->ShowControlBar(pTarget, FALSE, FALSE);
    EXPECT_TRUE(pContainer->IsWindowVisible());
    fx.pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_FALSE(pContainer->IsWindowVisible());
    EXPECT_EQ(CSize(0, 0), pContainer->CalcDynamicLayout(-1, LM_VERTDOCK));
}

TEST_F(ContainerTest, RowsNeverGoBelowTheirMinimumAndTheInnerSizeIsTheLeastAnyLayoutTakes)
{
    Pane* pTarget = DockedTarget(0xC041);
    Pane* pBar = MakePane(0xC042);
    ASSERT_TRUE(pTarget->DockBarBeside(pBar, AFX_IDW_DOCKBAR_RIGHT, 50));
    CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(pTarget->GetParent()->GetParent());
    EXPECT_EQ(0xE81B, pContainer->GetDlgCtrlID());
    CUiDockDynBar* pInner = pContainer->m_pInnerDockBar;
    ASSERT_TRUE(pInner->IsHorizontal());
    // Two rows stacked downwards: thicknesses at least 30 and 40, lengths at least 100 and 80.
    pInner->m_arrBars.RemoveAll();
    pInner->m_arrBars.Add(nullptr);
    pInner->m_arrBars.Add(pTarget);
    pInner->m_arrBars.Add(nullptr);
    pInner->m_arrBars.Add(pBar);
    pInner->m_arrBars.Add(nullptr);
    pTarget->nMinHeight = 30;
    pTarget->nMinLength = 100;
    pBar->nMinHeight = 40;
    pBar->nMinLength = 80;
    EXPECT_EQ(CSize(100, 70), pContainer->CalcInnerSize());
    EXPECT_EQ(100, pContainer->GetMinExtentHorz());
    EXPECT_EQ(70, pContainer->GetMinExtentVert());

    pTarget->PlaceSize() = CSize(150, 120);
    pBar->PlaceSize() = CSize(150, 100);
    CUiDockDynBar::VisibleLayoutRows rows;
    pInner->BuildRows(rows);
    ASSERT_EQ(2, rows.m_arrRows.GetSize());
    EXPECT_EQ(220, rows.m_nTotalThickness);
    pInner->LayoutRows(rows, 300, 20);
    EXPECT_EQ(30, pTarget->PlaceSize().cy);
    EXPECT_EQ(40, pBar->PlaceSize().cy);
    EXPECT_EQ(300, pTarget->PlaceSize().cx);

    // A row whose bar is hidden takes no part.
    pBar->ShowWindow(SW_HIDE);
    CUiDockDynBar::VisibleLayoutRows visible;
    pInner->BuildRows(visible);
    EXPECT_EQ(1, visible.m_nBarCount);
    pInner->LayoutRows(visible, 300, 90);
    EXPECT_EQ(90, pTarget->PlaceSize().cy);
    EXPECT_EQ(40, pBar->PlaceSize().cy);
}

} // namespace
