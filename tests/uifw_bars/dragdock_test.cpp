// Floating, toggling and docking operations, the drag target for screen points, dock markers
// with their highlight, tabbed groups as targets, and the visibility of bars, in the base
// look (tracking outlines) and in Studio 2005 (markers).
#include "dragdock_test_support.h"
#include "layout_check_support.h"
#include "monitorinfo.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using barstest::Pane;
using dragdocktest::DragDockTest;
using dragdocktest::StudioDragDockTest;
using dragdocktest::NoFramePane;

TEST_F(DragDockTest, FloatAtMovesALonelyFrameAndMakesANewOneForASharedFrame)
{
    Pane* pBar = DockedPane(0xD001, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pBar->FloatAt(300, 200, CBRS_ALIGN_TOP));
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingFloated());
    CUiMiniDockFrameWnd* pFrame = FloatingFrameOf(pBar);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(CPoint(300, 200), WindowRect(pFrame).TopLeft());
    EXPECT_EQ(CPoint(300, 200), pBar->m_ptSavedLayout);

    ASSERT_TRUE(pBar->FloatAt(350, 260, CBRS_ALIGN_TOP));
    EXPECT_EQ(pFrame, FloatingFrameOf(pBar));   // the same window, moved
    EXPECT_EQ(CPoint(350, 260), WindowRect(pFrame).TopLeft());

    // A second bar beside it shares the frame; floating it makes a frame of its own.
    Pane* pOther = MakePane(0xD002);
    ASSERT_TRUE(pBar->DockBarBeside(pOther, AFX_IDW_DOCKBAR_RIGHT, 50));
    winharness::PumpPending();
    ASSERT_EQ(pFrame, FloatingFrameOf(pOther));
    ASSERT_TRUE(pOther->FloatAt(100, 120, CBRS_ALIGN_TOP));
    CUiMiniDockFrameWnd* pOwn = FloatingFrameOf(pOther);
    ASSERT_NE(nullptr, pOwn);
    EXPECT_NE(pFrame, pOwn);
    EXPECT_EQ(CPoint(100, 120), WindowRect(pOwn).TopLeft());
}

TEST_F(DragDockTest, ToggleDockingFloatsADockedBarWhereItFloatedLastAndLeavesAFloatingOne)
{
    Pane* pBar = DockedPane(0xD003, AFX_IDW_DOCKBAR_LEFT);
    pBar->m_ptSavedLayout = CPoint(220, 180);
    // The caption double-click.
    CRect rcWindow = WindowRect(pBar);
    const CPoint ptCaption = rcWindow.TopLeft() + pBar->m_rcCaption.CenterPoint();
    pBar->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    CUiMiniDockFrameWnd* pFrame = FloatingFrameOf(pBar);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(CPoint(220, 180), WindowRect(pFrame).TopLeft());

    const CRect rcBefore = WindowRect(pFrame);
    pBar->ToggleDocking();
    EXPECT_EQ(pFrame, FloatingFrameOf(pBar));
    EXPECT_EQ(rcBefore, WindowRect(pFrame));
}

namespace smallwork {
// A work area a little larger than the test frame (40, 40, 840, 640).
void Source(MonitorInfo& info, const RECT&)
{
    info.rcMonitor = info.rcWork = CRect(0, 0, 880, 680);
    info.dwFlags = 1;
}
struct Scope {
    Scope() { SetMonitorInfoSource(&Source); }
    ~Scope() { SetMonitorInfoSource(nullptr); }
};
} // namespace smallwork

// A bar that never floated floats by a double click beside the place it is docked at, inside
// the work area, never at the screen's corner and never on the corner of a frame floated so
// before; a pane left alone in its group's floating frame floats again where that frame was.
TEST_F(DragDockTest, ADoubleClickFloatsABarWithoutAFloatingPlaceBesideItsDockedPlaceInsideTheWorkArea)
{
    smallwork::Scope workArea;
    const CRect rcWork(0, 0, 880, 680);
    auto doubleClick = [](CUiControlBar* pBar) {
        const CPoint pt = WindowRect(pBar).TopLeft() + pBar->m_rcCaption.CenterPoint();
        pBar->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
        winharness::PumpPending();
    };
    std::vector<CPoint> corners;
    for (UINT nSide : {AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_LEFT}) {
        SCOPED_TRACE(nSide);
        Pane* pBar = DockedPane(0xD0E0 + (UINT)corners.size(), nSide);
        const CRect rcDocked = WindowRect(pBar);
        doubleClick(pBar);
        CUiMiniDockFrameWnd* pFrame = FloatingFrameOf(pBar);
        ASSERT_NE(nullptr, pFrame);
        const CRect rcFrame = WindowRect(pFrame);
        EXPECT_NE(CPoint(0, 0), rcFrame.TopLeft());
        EXPECT_EQ(rcFrame, rcFrame & rcWork) << "outside the work area";
        CRect rcNear = rcDocked;
        rcNear.InflateRect(48, 48);
        EXPECT_TRUE(CRect().IntersectRect(rcFrame, rcNear)) << "away from its docked place";
        for (const CPoint& pt : corners)
            EXPECT_NE(pt, rcFrame.TopLeft()) << "on a frame floated before";
        corners.push_back(rcFrame.TopLeft());
    }

    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD0F0);
    ASSERT_NE(nullptr, pGroup);
    ASSERT_TRUE(pGroup->FloatAt(300, 260, CBRS_ALIGN_TOP));
    ASSERT_TRUE(layoutcheck::DropOnMarker(b2, 14));
    layoutcheck::LayOutAtIdle();
    CUiMiniDockFrameWnd* pLeft = FloatingFrameOf(b1);
    ASSERT_NE(nullptr, pLeft);
    const CPoint ptCaption = WindowRect(pLeft).TopLeft() + pLeft->m_rcCaption.CenterPoint();
    pLeft->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    winharness::PumpPending();
    ASSERT_EQ(nullptr, FloatingFrameOf(b1));
    doubleClick(b1);
    ASSERT_NE(nullptr, FloatingFrameOf(b1));
    EXPECT_EQ(CPoint(300, 260), WindowRect(FloatingFrameOf(b1)).TopLeft());
}

TEST_F(DragDockTest, AFloatingFrameThatCannotBeMadeLeavesTheBarDockedAndTheGlobalClear)
{
    NoFramePane* pBar = MakePane<NoFramePane>(0xD004);
    pBar->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false);
    fx.pFrame->RecalcLayout();
    CDockBar* pDockBar = pBar->m_pDockBar;
    EXPECT_FALSE(pBar->FloatAt(300, 200, CBRS_ALIGN_TOP));
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingFloated());
    EXPECT_EQ(pDockBar, pBar->m_pDockBar);
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pBar->GetDockBarId());
    EXPECT_FALSE(pBar->m_bTrackFlags & CUiControlBar::kNoChildMove);
    pBar->ToggleDocking();
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingFloated());
    EXPECT_EQ(nullptr, FloatingFrameOf(pBar));
}

TEST_F(DragDockTest, DockAtSideWithDragStateGoesLeftAlongAndBelowAcrossATopBar)
{
    Pane* pTarget = DockedPane(0xD005, AFX_IDW_DOCKBAR_TOP);
    Pane* pLeft = MakePane(0xD006);
    ASSERT_TRUE(pTarget->DockAtSideWithDragState(pLeft, true, true));
    CUiDockDynBar* pInner = static_cast<CUiDockDynBar*>(pTarget->m_pDockBar);
    ASSERT_TRUE(pInner->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)));
    EXPECT_EQ(pInner, pLeft->m_pDockBar);
    EXPECT_EQ(pLeft, pInner->m_arrBars[1]);     // on the left, side by side
    EXPECT_EQ(pTarget, pInner->m_arrBars[2]);
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, pInner->GetParent()->GetDlgCtrlID());

    Pane* pOther = DockedPane(0xD007, AFX_IDW_DOCKBAR_TOP);
    Pane* pBelow = MakePane(0xD008);
    ASSERT_TRUE(pOther->DockAtSideWithDragState(pBelow, false, true));
    CUiDockDynBar* pColumn = static_cast<CUiDockDynBar*>(pOther->m_pDockBar);
    ASSERT_TRUE(pColumn->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)));
    EXPECT_EQ(pOther, pColumn->m_arrBars[1]);   // above, the new bar under it
    EXPECT_EQ(pBelow, pColumn->m_arrBars[2]);
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, pColumn->GetParent()->GetDlgCtrlID());
    EXPECT_LT(WindowRect(pOther).top, WindowRect(pBelow).top);
}

TEST_F(DragDockTest, WithCtrlTheBarFloatsAtTheCursorLessItsGrabOffset)
{
    Pane* pBar = DockedPane(0xD010, AFX_IDW_DOCKBAR_LEFT);
    Pane* pTarget = DockedPane(0xD011, AFX_IDW_DOCKBAR_TOP);
    pBar->m_ptGrabFloat = CPoint(7, 5);
    pBar->m_sizeFloat = CSize(210, 160);
    const CRect rcTarget = WindowRect(pTarget);
    winharness::KeyboardModifiers ctrl(winharness::kCtrl);
    const auto state = TargetAt(pBar, rcTarget.left + 50, rcTarget.top + 40);
    EXPECT_EQ(0, state.m_nKind);
    EXPECT_EQ(nullptr, state.m_pTarget);
    const CRect rcSite = SiteRect();
    CRect rcFrame(0, 0, 210, 160);   // the floating frame around the bar
    CUiMiniDockFrameWnd::FrameRectAround(&rcFrame);
    EXPECT_EQ(CRect(CPoint(rcTarget.left + 50 - 7 + rcSite.left, rcTarget.top + 40 - 5 + rcSite.top), rcFrame.Size()),
              state.m_rect);
}

TEST_F(DragDockTest, BandsOverADockedBarGiveTabsAboveAndBelowUnlessItIsTooTall)
{
    Pane* pTarget = DockedPane(0xD012, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD013, AFX_IDW_DOCKBAR_TOP);
    const CRect rc = WindowRect(pTarget);
    ASSERT_GT(rc.Height(), 3 * 32 + 10);
    const int x = rc.CenterPoint().x;
    EXPECT_EQ(27, TargetAt(pBar, x, rc.top + 5).m_nKind);
    auto above = TargetAt(pBar, x, rc.top + 40);
    EXPECT_EQ(1, above.m_nKind);
    EXPECT_EQ(pTarget, above.m_pTarget);
    EXPECT_EQ(2, TargetAt(pBar, x, rc.bottom - 5).m_nKind);
    EXPECT_EQ(13, TargetAt(pBar, WindowRect(pBar).CenterPoint().x, WindowRect(pBar).CenterPoint().y).m_nKind);

    pTarget->nMinHeight = 65;
    EXPECT_NE(1, TargetAt(pBar, x, rc.top + 40).m_nKind);
    EXPECT_NE(2, TargetAt(pBar, x, rc.bottom - 5).m_nKind);
}

TEST_F(DragDockTest, OverAFloatingBarTheBandsLieOnItsFloatingFrame)
{
    Pane* pTarget = DockedPane(0xD017, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD018, AFX_IDW_DOCKBAR_TOP);
    pTarget->m_sizeFloat = CSize(240, 240);
    ASSERT_TRUE(pTarget->FloatAt(300, 200, CBRS_ALIGN_TOP));
    Layout();
    const CRect rc = WindowRect(FloatingFrameOf(pTarget));
    auto top = TargetAt(pBar, rc.CenterPoint().x, rc.top + 5);
    EXPECT_EQ(27, top.m_nKind);
    EXPECT_EQ(pTarget, top.m_pTarget);
    EXPECT_EQ(1, TargetAt(pBar, rc.CenterPoint().x, rc.top + 40).m_nKind);
    EXPECT_EQ(2, TargetAt(pBar, rc.CenterPoint().x, rc.bottom - 5).m_nKind);
}

TEST_F(DragDockTest, FrameSideBandsLieAtTheFreeAreasEdges)
{
    Pane* pBar = DockedPane(0xD014, AFX_IDW_DOCKBAR_TOP);
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    const int yMid = (WindowRect(pBar).bottom + rcClient.bottom) / 2;
    // Outer sides: from 12 px outside the free area to 4 px inside.
    EXPECT_EQ(11, TargetAt(pBar, rcClient.left - 12, yMid).m_nKind);
    EXPECT_EQ(11, TargetAt(pBar, rcClient.left + 3, yMid).m_nKind);
    EXPECT_NE(11, TargetAt(pBar, rcClient.left - 13, yMid).m_nKind);
    EXPECT_EQ(12, TargetAt(pBar, rcClient.right - 2, yMid).m_nKind);
    // Inner sides: 12 px inside the client area the bars leave free.
    auto inner = TargetAt(pBar, rcClient.left + 6, yMid);
    EXPECT_EQ(7, inner.m_nKind);
    EXPECT_EQ(rcClient.left, inner.m_rect.left);
    EXPECT_EQ(0, TargetAt(pBar, rcClient.left + 13, yMid).m_nKind);
    EXPECT_EQ(6, TargetAt(pBar, rcClient.CenterPoint().x, rcClient.bottom - 10).m_nKind);
}

TEST_F(StudioDragDockTest, WithMarkersTheSamePointsFloat)
{
    Pane* pTarget = DockedPane(0xD015, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD016, AFX_IDW_DOCKBAR_TOP);
    const CRect rc = WindowRect(pTarget);
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    for (const CPoint& pt : {CPoint(rc.CenterPoint().x, rc.top + 40), CPoint(rc.CenterPoint().x, rc.bottom - 5),
                             CPoint(rcClient.right - 2, rcClient.CenterPoint().y),
                             CPoint(rcClient.CenterPoint().x, rcClient.bottom - 10)})
        EXPECT_EQ(0, TargetAt(pBar, pt.x, pt.y).m_nKind) << pt.x << "," << pt.y;
}

TEST_F(StudioDragDockTest, DockCodesFollowTheMarkerTypeAndItsTarget)
{
    Pane* pBar = DockedPane(0xD020, AFX_IDW_DOCKBAR_TOP);
    CWnd* pView = fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    const int types[] = {0, 1, 2, 3, 8, 4, 5};
    const int overBar[] = {22, 23, 24, 25, 26, 0, 0};
    const int overView[] = {18, 19, 20, 21, 0, 0, 0};
    const int atEdge[] = {14, 15, 16, 17, 0, 0, 0};
    for (int i = 0; i < 7; ++i) {
        CUiDynDockMarkerWnd a(pBar, types[i], NULL, NULL, NULL, CRect(0, 0, 10, 10));
        CUiDynDockMarkerWnd b(pView, types[i], NULL, NULL, NULL, CRect(0, 0, 10, 10));
        CUiDynDockMarkerWnd c(nullptr, types[i], NULL, NULL, NULL, CRect(0, 0, 10, 10));
        EXPECT_EQ(overBar[i], a.GetDockCode()) << types[i];
        EXPECT_EQ(overView[i], b.GetDockCode()) << types[i];
        EXPECT_EQ(atEdge[i], c.GetDockCode()) << types[i];
    }
}

TEST_F(StudioDragDockTest, OuterMarkersStandAtTheFreeAreaTopBottomLeftRight)
{
    DockedPane(0xD021, AFX_IDW_DOCKBAR_TOP);
    CUiDynDockMarkerWnd::CreateOuterMarkers(fx.pFrame, false);
    auto& outer = CUiDynDockMarkerWnd::OuterDockMarkers;
    ASSERT_EQ(4, outer.GetSize());
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(i, outer[i]->GetMarkerType());
        EXPECT_EQ(NULL, outer[i]->GetTargetWnd());
        EXPECT_FALSE(outer[i]->IsWindowVisible());
    }
    // The ring of the pane is inside the free area: the top marker stands at the client's top.
    EXPECT_EQ(rcClient.top, WindowRect(outer[0]).top);
    EXPECT_EQ(rcClient.bottom, WindowRect(outer[1]).bottom);
    EXPECT_EQ(rcClient.left, WindowRect(outer[2]).left);
    EXPECT_EQ(rcClient.right, WindowRect(outer[3]).right);
    CUiDynDockMarkerWnd::DestroyAllMarkers();
    EXPECT_EQ(0, outer.GetSize());
    EXPECT_EQ(NULL, ::FindWindowA(CUiDynDockMarkerWnd::kClassName, NULL));
}

TEST_F(StudioDragDockTest, InnerMarkersFollowTheTargetUnderTheCursor)
{
    Pane* pTarget = DockedPane(0xD022, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD023, AFX_IDW_DOCKBAR_TOP);
    CUiControlBar::g_DragStatePrevious.m_pBar = pBar;
    CUiControlBar::g_DragStatePrevious.Empty(false);
    const CRect rc = WindowRect(pTarget);
    ::SetCursorPos(rc.left + 10, rc.top + 40);
    CUiDynDockMarkerWnd::UpdateInnerMarkers(fx.pFrame, true);
    EXPECT_EQ(pTarget->m_hWnd, CUiDynDockMarkerWnd::InnerMarkerTarget);
    ASSERT_GT(CUiDynDockMarkerWnd::InnerDockMarkers.GetSize(), 0);
    CUiDynDockMarkerWnd* pFirst = CUiDynDockMarkerWnd::InnerDockMarkers[0];
    ::SetCursorPos(rc.right - 10, rc.bottom - 10);
    CUiDynDockMarkerWnd::UpdateInnerMarkers(fx.pFrame, true);
    EXPECT_EQ(pFirst, CUiDynDockMarkerWnd::InnerDockMarkers[0]);   // kept, not rebuilt

    CRect rcView = WindowRect(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
    ::SetCursorPos(rcView.CenterPoint().x + 100, rcView.CenterPoint().y + 100);
    CUiDynDockMarkerWnd::UpdateInnerMarkers(fx.pFrame, true);
    EXPECT_EQ(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd, CUiDynDockMarkerWnd::InnerMarkerTarget);
    bool bCentreTab = false;
    for (INT_PTR i = 0; i < CUiDynDockMarkerWnd::InnerDockMarkers.GetSize(); ++i)
        bCentreTab = bCentreTab || CUiDynDockMarkerWnd::InnerDockMarkers[i]->GetMarkerType() == 8;
    EXPECT_FALSE(bCentreTab);   // set kind 6: no tab marker over the view

    // Frame area that is no inner dock bar and no view: no inner markers.
    CRect rcFrame = SiteRect();
    ::SetCursorPos(rcFrame.left + 2, rcFrame.top + 2);
    CUiDynDockMarkerWnd::UpdateInnerMarkers(fx.pFrame, true);
    EXPECT_EQ(NULL, CUiDynDockMarkerWnd::InnerMarkerTarget);
    EXPECT_EQ(0, CUiDynDockMarkerWnd::InnerDockMarkers.GetSize());
    CUiControlBar::g_DragStatePrevious.Empty(true);
}

TEST_F(StudioDragDockTest, HighlightsTakeTheirShapeFromTheMarkerAndItsTarget)
{
    Pane* pTarget = DockedPane(0xD024, AFX_IDW_DOCKBAR_TOP);
    Pane* pBar = DockedPane(0xD025, AFX_IDW_DOCKBAR_LEFT);
    pBar->m_sizeHorz.cy = 10;
    CUiControlBar::g_DragStatePrevious.m_pBar = pBar;
    CUiControlBar::g_DragStatePrevious.Empty(false);
    CWnd* pView = fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    const CRect rcView = WindowRect(pView);

    CUiDynDockMarkerWnd viewTop(pView, 0, NULL, NULL, NULL, CRect(0, 0, 10, 10));
    ASSERT_TRUE(viewTop.ShowHighlight(true));
    ASSERT_NE(nullptr, viewTop.GetHighlight());
    // At the view's top the bar lands in a new innermost ring, at its least thickness as it
    // remembers less; the highlight shows it there.
    const CRect rcTop = WindowRect(viewTop.GetHighlight());
    EXPECT_EQ(rcView.top, rcTop.top);
    EXPECT_EQ(rcView.right, rcTop.right);
    EXPECT_EQ(pBar->GetMinExtentVert(), rcTop.Height());
    EXPECT_TRUE(viewTop.GetHighlight()->IsWindowVisible());

    // Beside a bar it is where the bar lands (SideRoads), gone when hidden.
    CUiDynDockMarkerWnd barLeft(pTarget, 2, NULL, NULL, NULL, CRect(0, 0, 10, 10));
    ASSERT_TRUE(barLeft.ShowHighlight(true));
    ASSERT_NE(nullptr, barLeft.GetHighlight());
    EXPECT_TRUE(barLeft.ShowHighlight(false));
    EXPECT_EQ(nullptr, barLeft.GetHighlight());

    // The frame edges need all four outer markers.
    CUiDynDockMarkerWnd::CreateOuterMarkers(fx.pFrame, false);
    ASSERT_EQ(4, CUiDynDockMarkerWnd::OuterDockMarkers.GetSize());
    CUiDynDockMarkerWnd* pRight = CUiDynDockMarkerWnd::OuterDockMarkers[3];
    CUiDynDockMarkerWnd::OuterDockMarkers.RemoveAt(3);
    EXPECT_FALSE(CUiDynDockMarkerWnd::OuterDockMarkers[0]->ShowHighlight(true));
    CUiDynDockMarkerWnd::OuterDockMarkers.Add(pRight);
    EXPECT_TRUE(CUiDynDockMarkerWnd::OuterDockMarkers[0]->ShowHighlight(true));
    CUiControlBar::g_DragStatePrevious.Empty(true);
}

TEST_F(StudioDragDockTest, TheTabbedShapeOverAThirtyPixelTargetHasAFifteenPixelTab)
{
    // A target of a known colour: the tinted picture differs from it in the main part and the
    // tab, and the band right of the tab keeps the colour beneath.
    CWnd target;
    ASSERT_TRUE(target.CreateEx(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 130), nullptr, 0));
    winharness::PumpPending();
    CUiDynDockMarkerWnd marker(&target, 8, NULL, NULL, NULL, CRect(0, 0, 10, 10));
    Pane* pBar = DockedPane(0xD026, AFX_IDW_DOCKBAR_LEFT);
    CUiControlBar::g_DragStatePrevious.m_pBar = pBar;
    CUiControlBar::g_DragStatePrevious.Empty(false);
    const COLORREF clrBeneath = ScreenPixel(250, 125);
    ASSERT_EQ(clrBeneath, ScreenPixel(120, 105));
    ASSERT_TRUE(marker.ShowHighlight(true));
    CUiDynDockHighlightWnd* pHighlight = marker.GetHighlight();
    EXPECT_EQ(CRect(100, 100, 300, 130), WindowRect(pHighlight));
    pHighlight->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    winharness::PumpPending();
    EXPECT_NE(clrBeneath, ScreenPixel(200, 105));    // main part
    EXPECT_NE(clrBeneath, ScreenPixel(120, 116));    // the tab, 15 px high from the bottom
    EXPECT_EQ(clrBeneath, ScreenPixel(250, 125));    // right of the tab
    EXPECT_EQ(15, CUiDynDockHighlightWnd::TabHeightFor(30));
    marker.ShowHighlight(false);
    target.DestroyWindow();
    CUiControlBar::g_DragStatePrevious.Empty(true);
}

TEST_F(StudioDragDockTest, AMarkerShowsItsHoverPictureUnderTheCursorAndDropsItsHighlightWhenLeft)
{
    Pane* pBar = DockedPane(0xD027, AFX_IDW_DOCKBAR_LEFT);
    CUiControlBar::g_DragStatePrevious.m_pBar = pBar;
    CUiControlBar::g_DragStatePrevious.Empty(false);
    CUiDynDockMarkerWnd::CreateOuterMarkers(fx.pFrame, true);
    ASSERT_EQ(4, CUiDynDockMarkerWnd::OuterDockMarkers.GetSize());
    CUiDynDockMarkerWnd* pTop = CUiDynDockMarkerWnd::OuterDockMarkers[0];
    const CRect rc = WindowRect(pTop);
    ::SetCursorPos(rc.left - 40, rc.top + 200);
    winharness::PumpUntil([&] { return pTop->GetHoverState() == 2; });
    winharness::PumpFor(60);
    std::vector<COLORREF> atRest;
    for (int x = rc.left; x < rc.right; ++x)
        atRest.push_back(ScreenPixel(x, rc.CenterPoint().y));
    EXPECT_EQ(2, pTop->GetHoverState());

    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    winharness::PumpUntil([&] { return pTop->GetHoverState() == 1; });
    winharness::PumpFor(60);
    EXPECT_EQ(1, pTop->GetHoverState());
    bool bDiffers = false;
    for (int x = rc.left; x < rc.right; ++x)
        bDiffers = bDiffers || atRest[x - rc.left] != ScreenPixel(x, rc.CenterPoint().y);
    EXPECT_TRUE(bDiffers);

    ASSERT_TRUE(pTop->ShowHighlight(true));
    ::SetCursorPos(rc.left - 40, rc.top + 200);
    winharness::PumpUntil([&] { return pTop->GetHoverState() == 2; });
    EXPECT_EQ(2, pTop->GetHoverState());
    EXPECT_EQ(nullptr, pTop->GetHighlight());
    CUiControlBar::g_DragStatePrevious.Empty(true);
}

// Destroying a marker's window lets other threads' sent messages in (a test's hand asking
// what markers show); the set must not hold a marker deleted already when they ask.
std::vector<INT_PTR> g_setSizesAtDestroy;

LRESULT CALLBACK NoteSetSizeAtDestroy(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_DESTROYWND) {
        CWnd* pWnd = CWnd::FromHandlePermanent((HWND)wParam);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiDynDockMarkerWnd)))
            g_setSizesAtDestroy.push_back(CUiDynDockMarkerWnd::OuterDockMarkers.GetSize());
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

TEST_F(StudioDragDockTest, AMarkerSetIsEmptyBeforeItsFirstWindowGoes)
{
    CUiDynDockMarkerWnd::CreateOuterMarkers(fx.pFrame, true);
    ASSERT_EQ(4, CUiDynDockMarkerWnd::OuterDockMarkers.GetSize());
    g_setSizesAtDestroy.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, &NoteSetSizeAtDestroy, NULL, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    CUiDynDockMarkerWnd::DestroyAllMarkers();
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(std::vector<INT_PTR>(4, 0), g_setSizesAtDestroy);
}

TEST_F(DragDockTest, FloatingAGroupsSelectedBarRemovesItsTabAndADoubleClickOnATabFloatsItsBar)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD040);
    ASSERT_NE(nullptr, pGroup);
    ASSERT_EQ(3, pGroup->m_wndTabs.ItemGetCount());
    const int nTab = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)b2);
    pGroup->m_wndTabs.SelectionSet(nTab);
    ASSERT_TRUE(b2->FloatAt(300, 300, CBRS_ALIGN_TOP));
    EXPECT_EQ(-1, pGroup->m_wndTabs.ItemFindByLParam((LPARAM)b2));
    EXPECT_NE(nullptr, FloatingFrameOf(b2));

    // The double click on b3's tab.
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    Layout();
    const int nTab3 = strip.ItemFindByLParam((LPARAM)b3);
    ASSERT_GE(nTab3, 0);
    CRect rcTab = strip.ItemGetInfo(nTab3)->m_rcItem;
    b3->m_ptSavedLayout = CPoint(260, 240);
    strip.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
    winharness::PumpPending();
    CUiMiniDockFrameWnd* pFrame = FloatingFrameOf(b3);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(CPoint(260, 240), WindowRect(pFrame).TopLeft());
}

TEST_F(DragDockTest, AnUnselectedBarFloatsWithItsOwnTabAndTheGroupDissolvesAroundTheLastOne)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD048);
    ASSERT_NE(nullptr, pGroup);
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    strip.SelectionSet(strip.ItemFindByLParam((LPARAM)b3));
    ASSERT_TRUE(b1->FloatAt(300, 300, CBRS_ALIGN_TOP));
    EXPECT_EQ(-1, strip.ItemFindByLParam((LPARAM)b1));
    EXPECT_GE(strip.ItemFindByLParam((LPARAM)b2), 0);
    EXPECT_EQ(b3, pGroup->GetSelectedBar());
    // No placeholder of the floated bar keeps the group together.
    EXPECT_LT(pGroup->GetTabDockBar()->FindBar((CControlBar*)(UINT_PTR)0xD048), 1);
    ASSERT_TRUE(b2->FloatAt(320, 320, CBRS_ALIGN_TOP));
    winharness::PumpPending();
    EXPECT_EQ(nullptr, b3->GetTabContainerBar());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, b3->GetDockBarId());
    EXPECT_TRUE(b3->IsWindowVisible());
}

TEST_F(DragDockTest, AFloatedBarDocksBackAtItsTabOrAtItsSideWhenItsGroupFloatsMeanwhile)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD04A);
    ASSERT_NE(nullptr, pGroup);
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    const int nTab = strip.ItemFindByLParam((LPARAM)b1);
    ASSERT_TRUE(b1->FloatAt(300, 300, CBRS_ALIGN_TOP));
    ASSERT_TRUE(b1->DockAtMRUPlace());
    winharness::PumpPending();
    EXPECT_EQ(pGroup, b1->GetTabContainerBar());
    EXPECT_EQ(nTab, strip.ItemFindByLParam((LPARAM)b1));
    EXPECT_EQ(b1, pGroup->GetSelectedBar());

    // The group floats while b1 floats on its own: b1 goes back to the side, not into it.
    ASSERT_TRUE(b1->FloatAt(300, 300, CBRS_ALIGN_TOP));
    ASSERT_TRUE(pGroup->FloatAt(500, 200, CBRS_ALIGN_TOP));
    winharness::PumpPending();
    ASSERT_NE(nullptr, FloatingFrameOf(pGroup));
    ASSERT_TRUE(b1->DockAtMRUPlace());
    winharness::PumpPending();
    EXPECT_EQ(nullptr, FloatingFrameOf(b1));
    EXPECT_NE(pGroup, b1->GetTabContainerBar());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, b1->GetDockBarId());
    EXPECT_TRUE(b1->IsWindowVisible());
}

// Panes docked back in another order than they left: each comes back between the tabs it left.
TEST_F(DragDockTest, FloatedBarsDockBackBetweenTheTabsTheyLeftInAnyOrder)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD04C);
    ASSERT_NE(nullptr, pGroup);
    Pane* b4 = DockedPane(0xD04F, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b4, -1, nullptr, true));
    Layout();
    auto order = [&] {
        std::vector<CControlBar*> bars;
        for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i)
            bars.push_back(pGroup->m_wndTabs.GetItemBar(i, true));
        return bars;
    };
    ASSERT_EQ((std::vector<CControlBar*>{b1, b2, b3, b4}), order());
    ASSERT_TRUE(b3->FloatAt(300, 300, CBRS_ALIGN_TOP));
    ASSERT_TRUE(b1->FloatAt(340, 340, CBRS_ALIGN_TOP));
    ASSERT_TRUE(b3->DockAtMRUPlace());
    winharness::PumpPending();
    EXPECT_EQ((std::vector<CControlBar*>{b2, b3, b4}), order());
    ASSERT_TRUE(b1->DockAtMRUPlace());
    winharness::PumpPending();
    EXPECT_EQ((std::vector<CControlBar*>{b1, b2, b3, b4}), order());
}

// Whatever way a pane leaves a floating group or container, the pane left behind stays on
// screen, also once the frames laid themselves out at idle time (the message loop lays out
// shown frames only).
TEST_F(DragDockTest, ThePaneLeftInAFloatingGroupOrContainerStaysOnScreenWhicheverWayTheOtherLeaves)
{
    Pane* pOtherGroup = DockedPane(0xD0A0, AFX_IDW_DOCKBAR_TOP);
    Pane* pNeighbour = DockedPane(0xD0A1, AFX_IDW_DOCKBAR_RIGHT);
    const std::pair<const char*, std::function<void(Pane*)>> ways[] = {
        {"onto the frame's left marker", [](Pane* p) { EXPECT_TRUE(layoutcheck::DropOnMarker(p, 16)); }},
        {"onto the view's bottom marker", [](Pane* p) { EXPECT_TRUE(layoutcheck::DropOnMarker(p, 19)); }},
        {"to a frame side", [](Pane* p) { EXPECT_TRUE(p->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, true)); }},
        {"into another group", [&](Pane* p) { EXPECT_TRUE(pOtherGroup->DockIntoTabbedGroup(p, -1)); }},
        {"beside a docked pane", [&](Pane* p) { EXPECT_TRUE(p->DockIntoBar(50, pNeighbour, AFX_IDW_DOCKBAR_TOP, true)); }},
        {"floating on its own", [](Pane* p) { EXPECT_TRUE(p->FloatAt(100, 500, CBRS_ALIGN_TOP)); }},
    };
    UINT nId = 0xD0B0;
    for (const auto& way : ways) {
        for (bool bGroup : {true, false}) {
            SCOPED_TRACE(std::string(bGroup ? "group, " : "container, ") + way.first);
            Pane* pStays = MakePane(nId++);
            Pane* pLeaves = MakePane(nId++);
            ASSERT_TRUE(pStays->FloatAt(520, 140, CBRS_ALIGN_TOP));
            ASSERT_TRUE(bGroup ? pStays->DockIntoTabbedGroup(pLeaves, -1)
                               : pLeaves->DockIntoBar(50, pStays, AFX_IDW_DOCKBAR_RIGHT, true));
            layoutcheck::LayOutAtIdle();
            way.second(pLeaves);
            layoutcheck::LayOutAtIdle();
            EXPECT_TRUE(pLeaves->IsWindowVisible());
            EXPECT_NE(nullptr, FloatingFrameOf(pStays));
            EXPECT_TRUE(pStays->IsWindowVisible());
            EXPECT_FALSE(WindowRect(pStays).IsRectEmpty());
            // Out of the way of the next pair.
            fx.pFrame->ShowControlBar(pStays, FALSE, FALSE);
        }
    }
}

TEST_F(DragDockTest, AFailedFloatKeepsTheBarsTab)
{
    Pane* b1 = DockedPane(0xD044, AFX_IDW_DOCKBAR_RIGHT);
    NoFramePane* b2 = MakePane<NoFramePane>(0xD045);
    b2->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false);
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b2, -1, nullptr, true));
    Layout();
    CUiDynTabControlBar* pGroup = b1->GetTabContainerBar();
    ASSERT_NE(nullptr, pGroup);
    const int nTab = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)b2);
    ASSERT_GE(nTab, 0);
    pGroup->m_wndTabs.SelectionSet(nTab);
    EXPECT_FALSE(b2->FloatAt(300, 300, CBRS_ALIGN_TOP));
    EXPECT_EQ(nTab, pGroup->m_wndTabs.ItemFindByLParam((LPARAM)b2));
    EXPECT_EQ(pGroup, b2->GetTabContainerBar());
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingFloated());
}

TEST_F(DragDockTest, OverAGroupTheTopBandJoinsItAndItsStripGivesTheTabUnderTheCursor)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD046);
    ASSERT_NE(nullptr, pGroup);
    Pane* pBar = DockedPane(0xD048, AFX_IDW_DOCKBAR_TOP);
    const CRect rc = WindowRect(pGroup);
    auto top = TargetAt(pBar, rc.CenterPoint().x, rc.top + 5);
    EXPECT_EQ(28, top.m_nKind);
    EXPECT_EQ(pGroup, top.m_pTarget);
    ASSERT_TRUE(pGroup->m_wndTabs.IsWindowVisible());
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    CRect rcTab = strip.ItemGetInfo(1)->m_rcItem;
    strip.ClientToScreen(&rcTab);
    CUiControlBar::InternalDraggingState_t state(pBar);
    state.Empty(false);
    state.CalcDragTarget(rcTab.CenterPoint().x, rcTab.CenterPoint().y, false);
    EXPECT_EQ(29, state.m_nKind);
    EXPECT_EQ(1, state.m_nTabIndex);
    // Shown as a provisional tab while it is the target; gone with the target.
    state.DrawTracker(false);
    EXPECT_EQ(3, strip.ItemGetCount());
    EXPECT_GE(strip.ItemFindByLParam((LPARAM)pBar), 0);
    state.CalcDragTarget(rc.left - 200, rc.top - 200, false);
    EXPECT_EQ(2, strip.ItemGetCount());
    EXPECT_EQ(-1, strip.ItemFindByLParam((LPARAM)pBar));
}

TEST_F(DragDockTest, HidingAndShowingTheMiddleBarOfARowGivesTheNeighboursTheirLengthsBack)
{
    Pane* a = DockedPane(0xD050, AFX_IDW_DOCKBAR_TOP);
    CUiDockBar* pTop = static_cast<CUiDockBar*>(a->m_pDockBar);
    Pane* b = MakePane(0xD051);
    Pane* c = MakePane(0xD052);
    a->nMinLength = c->nMinLength = 60;
    pTop->DockBarAtEdge(b, false);   // the last row: a's
    pTop->DockBarAtEdge(c, false);
    Layout();
    ASSERT_EQ(pTop, c->m_pDockBar);
    ASSERT_EQ(pTop->FindBar(a) + 2, pTop->FindBar(c));
    const int nA = a->m_sizeHorz.cx, nC = c->m_sizeHorz.cx;
    const int nWidthA = WindowRect(a).Width(), nWidthC = WindowRect(c).Width();

    fx.pFrame->ShowControlBar(b, FALSE, FALSE);
    Layout();
    EXPECT_GT(WindowRect(a).Width() + WindowRect(c).Width(), nWidthA + nWidthC);
    fx.pFrame->ShowControlBar(b, TRUE, FALSE);
    Layout();
    EXPECT_NEAR(nA, a->m_sizeHorz.cx, 1);
    EXPECT_NEAR(nC, c->m_sizeHorz.cx, 1);
    EXPECT_NEAR(nWidthA, WindowRect(a).Width(), 1);
    EXPECT_NEAR(nWidthC, WindowRect(c).Width(), 1);
    EXPECT_GE(a->m_sizeHorz.cx, 60);
    EXPECT_GE(c->m_sizeHorz.cx, 60);
}

TEST_F(DragDockTest, AContainerHidesWithItsLastVisibleBarAndShowsWithAnyOfThem)
{
    Pane* a = DockedPane(0xD056, AFX_IDW_DOCKBAR_LEFT);
    Pane* b = MakePane(0xD057);
    ASSERT_TRUE(a->DockAtSideWithDragState(b, true, false));
    Layout();
    CWnd* pContainer = a->m_pDockBar->GetParent();
    ASSERT_TRUE(pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    fx.pFrame->ShowControlBar(a, FALSE, FALSE);
    Layout();
    EXPECT_TRUE(pContainer->IsWindowVisible());
    fx.pFrame->ShowControlBar(b, FALSE, FALSE);
    Layout();
    EXPECT_FALSE(pContainer->IsWindowVisible());
    fx.pFrame->ShowControlBar(b, TRUE, FALSE);
    Layout();
    EXPECT_TRUE(pContainer->IsWindowVisible());
}

TEST_F(DragDockTest, AGroupFollowsTheVisibilityOfItsBars)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD058);
    ASSERT_NE(nullptr, pGroup);
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    strip.SelectionSet(strip.ItemFindByLParam((LPARAM)b1));
    CWnd* pNext = b1->GetWindow(GW_HWNDNEXT);
    while (pNext != nullptr && !pNext->IsWindowVisible())
        pNext = pNext->GetWindow(GW_HWNDNEXT);
    ASSERT_TRUE(pNext == b2 || pNext == b3);
    fx.pFrame->ShowControlBar(b1, FALSE, FALSE);
    Layout();
    EXPECT_EQ(pNext->m_hWnd, strip.GetItemBar(strip.SelectionGet(), true)->m_hWnd);
    fx.pFrame->ShowControlBar(b1, TRUE, FALSE);
    Layout();
    EXPECT_EQ(b1, strip.GetItemBar(strip.SelectionGet(), true));
    fx.pFrame->ShowControlBar(b2, FALSE, FALSE);
    fx.pFrame->ShowControlBar(b3, FALSE, FALSE);
    Layout();
    EXPECT_FALSE(strip.IsWindowVisible());
}

TEST_F(DragDockTest, TheBarsMenuChecksTheVisibleBars)
{
    class RecordingCmdUI : public CCmdUI {
    public:
        int nCheck = -1;
        void Enable(BOOL) override {}
        void SetCheck(int n) override { nCheck = n; }
    };
    Pane* pBar = DockedPane(0xD05B, AFX_IDW_DOCKBAR_LEFT);
    RecordingCmdUI ui;
    pBar->UpdateBarCheckCmdUI(&ui, true);
    EXPECT_EQ(1, ui.nCheck);
    fx.pFrame->ShowControlBar(pBar, FALSE, FALSE);
    pBar->UpdateBarCheckCmdUI(&ui, true);
    EXPECT_EQ(0, ui.nCheck);
    ui.nCheck = -1;
    pBar->UpdateBarCheckCmdUI(&ui, false);   // only the fixed-size bars answer without bAllBars
    EXPECT_EQ(-1, ui.nCheck);
}

TEST_F(DragDockTest, AfterAFailedFloatHidingAndShowingStillGivesTheRowLengthBack)
{
    Pane* a = DockedPane(0xD05C, AFX_IDW_DOCKBAR_TOP);
    CUiDockBar* pTop = static_cast<CUiDockBar*>(a->m_pDockBar);
    NoFramePane* b = MakePane<NoFramePane>(0xD05D);
    pTop->DockBarAtEdge(b, false);
    Layout();
    ASSERT_EQ(pTop, b->m_pDockBar);
    EXPECT_FALSE(b->FloatAt(200, 200, CBRS_ALIGN_TOP));
    const int nA = a->m_sizeHorz.cx;
    const int nB = b->m_sizeHorz.cx;
    fx.pFrame->ShowControlBar(b, FALSE, FALSE);
    Layout();
    EXPECT_EQ(nB, b->m_nReclaimExtent);
    fx.pFrame->ShowControlBar(b, TRUE, FALSE);
    Layout();
    EXPECT_EQ(0, b->m_nReclaimExtent);
    EXPECT_NEAR(nA, a->m_sizeHorz.cx, 1);
}

TEST_F(DragDockTest, ShowCommandsAndAutoHide)
{
    Pane* pBar = DockedPane(0xD053, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_FALSE(CUiControlBar::ToggleBarById(fx.pFrame, 0xD0FF, true));
    EXPECT_TRUE(CUiControlBar::ToggleBarById(fx.pFrame, 0xD053, true));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(CUiControlBar::ToggleBarById(fx.pFrame, 0xD053, true));
    EXPECT_TRUE(pBar->IsWindowVisible());

    // Without auto-hide areas nothing switches; nor does a floating bar or a toolbar.
    EXPECT_FALSE(pBar->SetAutoHideMode(true, false, true, false));
    EXPECT_FALSE(pBar->IsAutoHidden());
    Pane* pFloating = DockedPane(0xD054, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pFloating->FloatAt(300, 300, CBRS_ALIGN_TOP));
    EXPECT_FALSE(pFloating->SetAutoHideMode(true, false, true, false));
    barstest::StandInToolBar tool;
    ASSERT_TRUE(tool.Create(fx.pFrame, 0xD055));
    fx.pFrame->DockControlBar(&tool, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(tool.SetAutoHideMode(true, false, true, false));
    EXPECT_FALSE(tool.IsAutoHidden());
    tool.DestroyWindow();
}

TEST_F(DragDockTest, DockIntoBarHalfBelowATabDocksBelowTheWholeGroup)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD069);
    ASSERT_NE(nullptr, pGroup);
    Pane* pBar = DockedPane(0xD06B, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pBar->DockIntoBarHalf(b2, AFX_IDW_DOCKBAR_BOTTOM, true));
    Layout();
    CUiDockDynBar* pInner = static_cast<CUiDockDynBar*>(pGroup->m_pDockBar);
    ASSERT_TRUE(pInner->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)));
    EXPECT_EQ(pInner, pBar->m_pDockBar);
    EXPECT_EQ(pGroup, pInner->m_arrBars[1]);
    EXPECT_EQ(pBar, pInner->m_arrBars[2]);
    EXPECT_EQ(pGroup, b2->GetTabContainerBar());
    EXPECT_LT(WindowRect(pGroup).top, WindowRect(pBar).top);
}

TEST_F(DragDockTest, TheCaptionShowsTheMoveCursorExceptOverItsButtons)
{
    Pane* pBar = DockedPane(0xD07A, AFX_IDW_DOCKBAR_LEFT);
    const CRect rcWindow = WindowRect(pBar);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    pBar->ClientToScreen(&rcClient);
    auto clientOf = [&](CPoint ptWindow) {
        return CPoint(ptWindow.x + rcWindow.left - rcClient.left, ptWindow.y + rcWindow.top - rcClient.top);
    };
    pBar->UpdateCursor(clientOf(CPoint(pBar->m_rcCaption.left + 4, pBar->m_rcCaption.CenterPoint().y)));
    EXPECT_EQ(::LoadCursor(NULL, IDC_SIZEALL), ::GetCursor());
    ASSERT_GT(pBar->m_arrNcButtons.GetSize(), 0);
    CUiBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
    ASSERT_TRUE(pClose->IsButtonVisible());
    pBar->UpdateCursor(clientOf(pClose->m_rc.CenterPoint()));
    EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW), ::GetCursor());
}


// ---- The main window's groups moved onto a side of the frame by each road a hand takes.

using barstest::PaneFrameFixture;

// An outline dropped in the band at a side of the free area (the frame's, a new outermost
// ring, or the view's), or a drop on the frame-edge or view marker of that side.
enum class Road { kOutlineOuter, kOutlineInner, kMarkerEdge, kMarkerView };

CRect RectOf(CWnd* p)
{
    CRect rc;
    p->GetWindowRect(&rc);
    return rc;
}

const char* NameOf(Road road)
{
    const char* names[] = {"outline at the frame's side", "outline at the view's side", "frame-edge marker", "view marker"};
    return names[(int)road];
}

// The eight panes in the main window's default layout, with the main window's toolbar rows;
// the look put back afterwards.
struct DefaultPanes {
    PaneFrameFixture fx{true};
    DefaultPanes() { fx.BuildDefaultLayout(); }
    ~DefaultPanes()
    {
        CUiControlBar::g_DragStatePrevious.Empty(true);
        CUiDynDockMarkerWnd::DestroyAllMarkers();
        PaintManagerHolder::Get().SetPaintManager(nullptr);
    }
    CUiControlBar* GroupOf(int nPane) { return fx.panes[nPane]->GetTabContainerBar(); }
    // The frame made lower, so that the rows no longer get all they remember.
    void MakeHeight(int cy)
    {
        fx.pFrame->SetWindowPos(NULL, 0, 0, 1200, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layoutcheck::Idle();
    }
    // pBar dropped on the side nSide by the road; the place the preview showed for it.
    CRect DropOnSide(CUiControlBar* pBar, UINT nSide, Road road)
    {
        const int nIndex = nSide == AFX_IDW_DOCKBAR_TOP ? 0 : nSide == AFX_IDW_DOCKBAR_BOTTOM ? 1 : nSide == AFX_IDW_DOCKBAR_LEFT ? 2 : 3;
        CWnd* pView = fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
        CRect rcPreview;
        if (road == Road::kOutlineOuter || road == Road::kOutlineInner) {
            PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManager));
            // The free area between the outer dock bars (only the top one holds bars), or the view.
            CRect rc;
            if (road == Road::kOutlineOuter) {
                fx.pFrame->GetClientRect(&rc);
                fx.pFrame->ClientToScreen(&rc);
                rc.top = RectOf(fx.pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)).bottom;
            } else {
                rc = RectOf(pView);
            }
            const int d = road == Road::kOutlineOuter ? 2 : 6;
            const CPoint pts[4] = {CPoint(rc.CenterPoint().x, rc.top + d), CPoint(rc.CenterPoint().x, rc.bottom - d - 1),
                                   CPoint(rc.left + d, rc.CenterPoint().y), CPoint(rc.right - d - 1, rc.CenterPoint().y)};
            CUiControlBar::InternalDraggingState_t state(pBar);
            state.Empty(false);
            state.CalcDragTarget(pts[nIndex].x, pts[nIndex].y, false);
            EXPECT_EQ((road == Road::kOutlineOuter ? 9 : 5) + nIndex, state.m_nKind) << NameOf(road);
            rcPreview = state.m_rect;
            EXPECT_TRUE(pBar->DragApplyTarget(state, false)) << NameOf(road);
        } else {
            PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005));
            CUiControlBar::g_DragStatePrevious.m_pBar = pBar;
            CUiControlBar::g_DragStatePrevious.Empty(false);
            CUiDynDockMarkerWnd overView(pView, nIndex, NULL, NULL, NULL, CRect(0, 0, 10, 10));
            CUiDynDockMarkerWnd::CreateOuterMarkers(fx.pFrame, false);
            CUiDynDockMarkerWnd* pMarker =
                road == Road::kMarkerView ? &overView : CUiDynDockMarkerWnd::OuterDockMarkers[nIndex];
            EXPECT_TRUE(CUiDynDockHighlightWnd::CalcHighlightRect(pMarker, rcPreview)) << NameOf(road);
            const int nKind = pMarker->GetDockCode();
            CUiControlBar::g_DragStatePrevious.Empty(true);
            CUiDynDockMarkerWnd::DestroyAllMarkers();
            EXPECT_TRUE(layoutcheck::DropOnMarker(pBar, nKind)) << NameOf(road);
        }
        layoutcheck::Idle();
        return rcPreview;
    }
    // The group pBar dropped beside the group pTarget on its side nSide by an outline over the
    // band of that side, or by the marker of that side or (0) of the centre; the place the
    // preview showed for it.
    CRect DropBeside(CUiControlBar* pBar, CUiControlBar* pTarget, UINT nSide, bool bMarker)
    {
        const UINT kSides[5] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, 0};
        const int nIndex = (int)(std::find(kSides, kSides + 4, nSide) - kSides);
        CRect rcPreview;
        CUiControlBar::InternalDraggingState_t state(pBar);
        state.Empty(false);
        if (!bMarker) {
            PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManager));
            // The bands over the target, or over its floating frame: above it under the band
            // that joins the group, below it over its strip, at its left and right.
            const CRect rc = RectOf(pTarget->IsBarFloating() ? static_cast<CWnd*>(pTarget->GetParentFrame()) : pTarget);
            const int yStrip = RectOf(&static_cast<CUiDynTabControlBar*>(pTarget)->m_wndTabs).top;
            const CPoint pts[4] = {CPoint(rc.CenterPoint().x, rc.top + 40), CPoint(rc.CenterPoint().x, yStrip - 5),
                                   CPoint(rc.left + 5, rc.CenterPoint().y), CPoint(rc.right - 6, rc.CenterPoint().y)};
            state.CalcDragTarget(pts[nIndex].x, pts[nIndex].y, false);
            EXPECT_EQ(nIndex + 1, state.m_nKind) << "outline";
            EXPECT_EQ(pTarget, state.m_pTarget) << "outline";
            rcPreview = state.m_rect;
            EXPECT_TRUE(pBar->DragApplyTarget(state, false)) << "outline";
        } else {
            PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005));
            CUiControlBar::g_DragStatePrevious.m_pBar = pBar;
            CUiControlBar::g_DragStatePrevious.Empty(false);
            CUiDynDockMarkerWnd marker(pTarget, nIndex < 4 ? nIndex : 8, NULL, NULL, NULL, CRect(0, 0, 10, 10));
            EXPECT_TRUE(CUiDynDockHighlightWnd::CalcHighlightRect(&marker, rcPreview)) << "marker";
            state.m_nKind = marker.GetDockCode();
            state.SetTarget(pTarget, true);
            CUiControlBar::g_DragStatePrevious.Empty(true);
            EXPECT_TRUE(pBar->DragApplyTarget(state, true)) << "marker";
        }
        layoutcheck::Idle();
        return rcPreview;
    }
};

const Road kRoads[] = {Road::kOutlineOuter, Road::kOutlineInner, Road::kMarkerEdge, Road::kMarkerView};

// A group laid out across a side of one orientation beside another (side by side in a column
// on the right, stacked in a row at the bottom) keeps what it remembers for the other one:
// moved to a side of that orientation by any road it takes its remembered thickness there
// (the frame has room for it), not its extent in the column or row it left; and back on a
// side of the first orientation it takes what it had there.
TEST(SideRoads, AGroupMovedToASideOfTheOtherOrientationTakesWhatItRemembersForIt)
{
    auto across = [](UINT nSide, const CRect& rc) {
        return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM ? rc.Height() : rc.Width();
    };
    for (Road road : kRoads) {
        for (bool bColumn : {true, false}) {
            DefaultPanes a;
            CUiControlBar* pEditor = a.GroupOf(PaneFrameFixture::kSendEditor);
            CUiControlBar* pBottom = a.GroupOf(PaneFrameFixture::kDetailedLog);
            const UINT nOther = bColumn ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_RIGHT;
            const UINT nBack = bColumn ? AFX_IDW_DOCKBAR_RIGHT : AFX_IDW_DOCKBAR_BOTTOM;
            const int nRemembered = bColumn ? pEditor->m_sizeHorz.cy : pEditor->m_sizeVert.cx;
            ASSERT_TRUE(bColumn ? pBottom->DockIntoBar(50, pEditor, AFX_IDW_DOCKBAR_RIGHT, true)
                                : pEditor->DockIntoBar(50, pBottom, AFX_IDW_DOCKBAR_TOP, true));
            layoutcheck::Idle();
            const int nHad = across(nBack, RectOf(pEditor));
            const std::string strFrom = std::string(bColumn ? "from a column" : "from a row") + " by the " + NameOf(road);
            a.DropOnSide(pEditor, nOther, road);
            ASSERT_EQ(nOther, pEditor->GetDockBarId()) << strFrom;
            EXPECT_EQ(nRemembered, across(nOther, layoutcheck::ShownPart(pEditor))) << strFrom;
            a.DropOnSide(pEditor, nBack, road);
            EXPECT_EQ(nHad, across(nBack, layoutcheck::ShownPart(pEditor))) << strFrom << ", back";
        }
    }
}

// What a drag shows at a side of the frame or of the view, the outline or the tinted drop
// area, is where the group lands there, also where the frame is too low for all the rows
// remember and the rows already on that side give up pixels too.
TEST(SideRoads, ThePreviewAtASideIsWhereTheGroupLands)
{
    for (Road road : kRoads) {
        for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM}) {
            DefaultPanes a;
            a.MakeHeight(600);
            CUiControlBar* pEditor = a.GroupOf(PaneFrameFixture::kSendEditor);
            const CRect rcPreview = a.DropOnSide(pEditor, nSide, road);
            EXPECT_EQ(layoutcheck::RectText(rcPreview), layoutcheck::RectText(RectOf(pEditor)))
                << "side " << std::hex << nSide << " by the " << NameOf(road);
        }
    }
}

// What a drag shows beside a group, the outline over its band or the tinted drop area of its
// marker, is where the dragged group lands beside it, or the group it joins: also where the
// dragged group leaves a place the target then takes (a ring across the frame, the column the
// two shared) and where the target floats.
TEST(SideRoads, ThePreviewBesideAGroupIsWhereTheGroupLands)
{
    enum Setup { kDocked, kInItsColumn, kFloating };
    const char* names[] = {"docked", "in the target's column", "floating target"};
    const UINT kTop = AFX_IDW_DOCKBAR_TOP, kBottom = AFX_IDW_DOCKBAR_BOTTOM;
    for (bool bMarker : {false, true}) {
        for (Setup setup : {kDocked, kInItsColumn, kFloating}) {
            // No band over a floating frame lies at its left or right while it is high enough to
            // be split across. The drop area is worked out as the outline is: two sides and the
            // group's centre do there.
            std::vector<UINT> sides = {kTop, kBottom};
            if (bMarker)
                sides = {kTop, AFX_IDW_DOCKBAR_RIGHT, 0};
            else if (setup != kFloating)
                sides = {kTop, kBottom, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
            for (UINT nSide : sides) {
                DefaultPanes a;
                CUiControlBar* pEditor = a.GroupOf(PaneFrameFixture::kSendEditor);
                CUiControlBar* pBottom = a.GroupOf(PaneFrameFixture::kDetailedLog);
                if (setup == kInItsColumn) {
                    ASSERT_TRUE(pBottom->DockIntoBar(50, pEditor, AFX_IDW_DOCKBAR_BOTTOM, true));
                }
                if (setup == kFloating)
                    pEditor->FloatAt(300, 200, CBRS_ALIGN_TOP);
                layoutcheck::Idle();
                const CRect rcPreview = a.DropBeside(pBottom, pEditor, nSide, bMarker);
                const CRect rcLanded = RectOf(nSide != 0 ? pBottom : a.GroupOf(PaneFrameFixture::kDetailedLog));
                EXPECT_EQ(layoutcheck::RectText(rcPreview), layoutcheck::RectText(rcLanded))
                    << (bMarker ? "marker" : "outline") << ", " << names[setup] << ", side " << std::hex << nSide;
            }
        }
    }
}

} // namespace
