// Floating and docking operations, the drag target for screen points, the dock markers with
// their highlight, and the drag loop driven by scripted input, in the base look (tracking
// outlines) and in the Studio 2005 look (markers).
#include <gtest/gtest.h>

#include "bars_test_support.h"

#include "dockhighlightwnd.h"
#include "dockmarkerwnd.h"
#include "dynbar.h"
#include "minidockframewnd.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"

namespace {

using barstest::FrameFixture;
using barstest::Pane;

// A pane whose floating frame cannot be made.
class NoFramePane : public Pane {
public:
    CUiMiniDockFrameWnd* CreateFloatingFrame(DWORD) override { return nullptr; }
};

class DragDockTest : public ::testing::Test {
protected:
    explicit DragDockTest(bool bStudio = false)
    {
        PaintManagerHolder::Get().SetPaintManagerClass(bStudio ? RUNTIME_CLASS(CUiPaintManagerStudio2005)
                                                               : RUNTIME_CLASS(CUiPaintManager));
    }
    FrameFixture fx{CRect(40, 40, 840, 640)};
    std::vector<Pane*> panes;
    template <class T = Pane> T* MakePane(UINT nID)
    {
        T* p = new T;
        p->m_bAutoDelete = FALSE;
        p->Create("Pane", fx.pFrame, nID, 0x5640283C);
        p->EnableDocking(CBRS_ALIGN_ANY);
        panes.push_back(p);
        return p;
    }
    Pane* DockedPane(UINT nID, UINT nSide)
    {
        Pane* p = MakePane(nID);
        p->DockAtFrameSide(nSide, false);
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
        return p;
    }
    // b1 docked on the right, b2 joined to it as a tab.
    CUiDynTabControlBar* MakeGroup(Pane*& b1, Pane*& b2, UINT nFirstId)
    {
        b1 = DockedPane(nFirstId, AFX_IDW_DOCKBAR_RIGHT);
        b2 = DockedPane(nFirstId + 1, AFX_IDW_DOCKBAR_BOTTOM);
        if (!b1->DockIntoTabbedGroup(b2, -1, nullptr, true))
            return nullptr;
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
        return b1->GetTabContainerBar();
    }
    void Layout()
    {
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
    }
    void TearDown() override
    {
        CUiDynDockMarkerWnd::DestroyAllMarkers();
        if (::IsWindow(fx.hFrame))
            ::DestroyWindow(fx.hFrame);
        winharness::PumpPending();
        for (Pane* p : panes)
            delete p;
        PaintManagerHolder::Get().SetPaintManager(nullptr);
    }
    static COLORREF ScreenPixel(int x, int y)
    {
        HDC hScreen = ::GetDC(NULL);
        const COLORREF clr = ::GetPixel(hScreen, x, y);
        ::ReleaseDC(NULL, hScreen);
        return clr;
    }
    static CRect WindowRect(CWnd* p)
    {
        CRect rc;
        p->GetWindowRect(&rc);
        return rc;
    }
    CRect SiteRect() const { return WindowRect(fx.pFrame); }
    static CUiMiniDockFrameWnd* FloatingFrameOf(CUiControlBar* p)
    {
        CFrameWnd* pFrame = p->GetParentFrame();
        return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))
                   ? static_cast<CUiMiniDockFrameWnd*>(pFrame)
                   : nullptr;
    }
    // The drag target the bar would get at the screen point.
    struct Target {
        int m_nKind;
        CUiControlBar* m_pTarget;
        CRect m_rect;
    };
    static Target TargetAt(CUiControlBar* pBar, int x, int y)
    {
        CUiControlBar::InternalDraggingState_t state(pBar);
        state.Empty(false);
        state.CalcDragTarget(x, y, false);
        return {state.m_nKind, state.m_pTarget, state.m_rect};
    }
};

class StudioDragDockTest : public DragDockTest {
protected:
    StudioDragDockTest() : DragDockTest(true) {}
};

// ---- Floating and docking without a drag.

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

// ---- The drag target for screen points, base look.

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
    EXPECT_EQ(CRect(CPoint(rcTarget.left + 50 - 7 + rcSite.left, rcTarget.top + 40 - 5 + rcSite.top), CSize(210, 160)),
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

// ---- Markers and highlights, Studio 2005.

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
    EXPECT_EQ(CRect(rcView.left, rcView.top, rcView.right, rcView.top + 30), WindowRect(viewTop.GetHighlight()));
    EXPECT_TRUE(viewTop.GetHighlight()->IsWindowVisible());

    const CRect rcTarget = WindowRect(pTarget);
    CUiDynDockMarkerWnd barLeft(pTarget, 2, NULL, NULL, NULL, CRect(0, 0, 10, 10));
    ASSERT_TRUE(barLeft.ShowHighlight(true));
    EXPECT_EQ(CRect(rcTarget.left, rcTarget.top, rcTarget.left + rcTarget.Width() / 2, rcTarget.bottom),
              WindowRect(barLeft.GetHighlight()));
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
    winharness::PumpFor(120);
    std::vector<COLORREF> atRest;
    for (int x = rc.left; x < rc.right; ++x)
        atRest.push_back(ScreenPixel(x, rc.CenterPoint().y));
    EXPECT_EQ(2, pTop->GetHoverState());

    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    winharness::PumpFor(100);
    EXPECT_EQ(1, pTop->GetHoverState());
    bool bDiffers = false;
    for (int x = rc.left; x < rc.right; ++x)
        bDiffers = bDiffers || atRest[x - rc.left] != ScreenPixel(x, rc.CenterPoint().y);
    EXPECT_TRUE(bDiffers);

    ASSERT_TRUE(pTop->ShowHighlight(true));
    ::SetCursorPos(rc.left - 40, rc.top + 200);
    winharness::PumpFor(100);
    EXPECT_EQ(2, pTop->GetHoverState());
    EXPECT_EQ(nullptr, pTop->GetHighlight());
    CUiControlBar::g_DragStatePrevious.Empty(true);
}

// ---- The drag loop, scripted.

class DragLoopTest : public DragDockTest {
protected:
    // A press on the bar's caption at the point; the steps run inside the drag loop.
    void DragFrom(Pane* pBar, CPoint ptPress, winharness::ScriptedInputPlayer& player)
    {
        ::SetCursorPos(ptPress.x, ptPress.y);
        player.Start();
        CRect rc = WindowRect(pBar);
        pBar->DragLoop(ptPress, CPoint(ptPress.x - rc.left, ptPress.y - rc.top), 1, 1);
        winharness::PumpPending();
    }
    CPoint CaptionPoint(Pane* pBar)
    {
        CRect rc = WindowRect(pBar);
        return CPoint(rc.left + pBar->m_rcCaption.CenterPoint().x, rc.top + pBar->m_rcCaption.CenterPoint().y);
    }
};

TEST_F(DragLoopTest, APressAndReleaseWithoutMovingStartsNoDrag)
{
    Pane* pBar = DockedPane(0xD030, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pDockBar = pBar->m_pDockBar;
    const CPoint pt = CaptionPoint(pBar);
    winharness::ScriptedInputPlayer player;
    bool bDragged = false;
    player.Keys(true).Call([&] { bDragged = CUiControlBar::GetBarBeingDragged() != nullptr; })
        .PostToCapture(WM_LBUTTONUP).Keys(false);
    DragFrom(pBar, pt, player);
    EXPECT_FALSE(bDragged);
    EXPECT_TRUE(CUiControlBar::g_DragStatePrevious.IsEmptyState());
    EXPECT_TRUE(CUiControlBar::g_DragStateCurrent.IsEmptyState());
    EXPECT_EQ(pDockBar, pBar->m_pDockBar);
    EXPECT_NE(pBar->m_hWnd, ::GetCapture());
}

TEST_F(DragLoopTest, ADropOnTheRightBandDocksThereAndTheStatusLineIsEmptyMeanwhile)
{
    CWnd status;
    ASSERT_TRUE(status.Create("STATIC", "x", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), fx.pFrame, AFX_IDW_STATUS_BAR));
    Pane* pBar = DockedPane(0xD031, AFX_IDW_DOCKBAR_TOP);
    Pane* pOther = DockedPane(0xD032, AFX_IDW_DOCKBAR_LEFT);
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    const CPoint pt = CaptionPoint(pBar);
    const CPoint ptOther = WindowRect(pOther).CenterPoint();
    winharness::ScriptedInputPlayer player;
    LRESULT nHit = -1;
    CString strDuring;
    CUiControlBar* pDragged = nullptr;
    player.Keys(true)
        .MoveTo(pt.x + 20, pt.y + 20)
        .MoveTo(rcClient.right - 2, rcClient.CenterPoint().y)
        .Call([&] {
            pDragged = CUiControlBar::GetBarBeingDragged();
            nHit = pOther->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptOther.x, ptOther.y));
            status.GetWindowText(strDuring);
        })
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    DragFrom(pBar, pt, player);
    EXPECT_EQ(pBar, pDragged);
    EXPECT_EQ(HTNOWHERE, nHit);
    EXPECT_STREQ("", strDuring);
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, pBar->GetDockBarId());
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingDragged());
    EXPECT_EQ((UINT)AFX_IDS_IDLEMESSAGE, fx.pFrame->m_nIDLastMessage);
    EXPECT_NE(HTNOWHERE, pOther->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptOther.x, ptOther.y)));
}

TEST_F(DragLoopTest, EscapeOrARightClickCancelsAndTheFrameLaysOutAtIdleTime)
{
    Pane* pBar = DockedPane(0xD033, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pDockBar = pBar->m_pDockBar;
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    const CPoint pt = CaptionPoint(pBar);
    for (UINT nMsg : {(UINT)WM_KEYDOWN, (UINT)WM_RBUTTONDOWN}) {
        fx.pFrame->m_nIdleFlags = 0;
        winharness::ScriptedInputPlayer player;
        player.Keys(true)
            .MoveTo(pt.x + 20, pt.y + 20)
            .MoveTo(rcClient.right - 2, rcClient.CenterPoint().y)
            .PostToCapture(nMsg, nMsg == WM_KEYDOWN ? VK_ESCAPE : 0)
            .MoveTo(rcClient.right - 3, rcClient.CenterPoint().y)
            .PostToCapture(WM_LBUTTONUP)
            .Keys(false);
        DragFrom(pBar, pt, player);
        EXPECT_EQ(pDockBar, pBar->m_pDockBar) << nMsg;
        EXPECT_EQ(12u, fx.pFrame->m_nIdleFlags & 12u) << nMsg;
        EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingDragged());
    }
}

TEST_F(DragLoopTest, PressingCtrlWhileTheMouseRestsFloatsTheTargetWithinAStep)
{
    Pane* pBar = DockedPane(0xD034, AFX_IDW_DOCKBAR_TOP);
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    const CPoint pt = CaptionPoint(pBar);
    int nBefore = -1, nAfter = -1;
    winharness::ScriptedInputPlayer player;
    player.Keys(true)
        .MoveTo(pt.x + 20, pt.y + 20)
        .MoveTo(rcClient.right - 2, rcClient.CenterPoint().y)
        .Call([&] { nBefore = CUiControlBar::g_DragStatePrevious.m_nKind; })
        .Keys(true, winharness::kCtrl)
        .PostToCapture(WM_KEYDOWN, VK_CONTROL)
        .Call([&] {})
        .Call([&] {})
        .Call([&] { nAfter = CUiControlBar::g_DragStatePrevious.m_nKind; })
        .PostToCapture(WM_KEYDOWN, VK_ESCAPE)
        .Keys(false);
    DragFrom(pBar, pt, player);
    EXPECT_EQ(12, nBefore);
    EXPECT_EQ(0, nAfter);
}

// ---- Groups.

TEST_F(DragDockTest, FloatingAGroupsSelectedBarRemovesItsTabAndADoubleClickOnATabFloatsItsBar)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD040);
    ASSERT_NE(nullptr, pGroup);
    Pane* b3 = DockedPane(0xD042, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b3, -1, nullptr, true));
    Layout();
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

TEST_F(DragLoopTest, CancellingTheDragOfABarTakenFromAGroupPutsItsTabBackSelected)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD049);
    ASSERT_NE(nullptr, pGroup);
    Pane* b3 = DockedPane(0xD04B, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b3, -1, nullptr, true));
    Layout();
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    ASSERT_EQ(1, strip.ItemFindByLParam((LPARAM)b2));
    strip.SelectionSet(0);
    CRect rcTab = strip.ItemGetInfo(1)->m_rcItem;
    CPoint ptTab = rcTab.CenterPoint();
    strip.ClientToScreen(&ptTab);
    const CRect rcGroup = WindowRect(pGroup);
    winharness::ScriptedInputPlayer player;
    player.Keys(true)
        .MoveTo(ptTab.x - 30, ptTab.y - 30)
        .MoveTo(rcGroup.CenterPoint().x, rcGroup.top + 5)      // over its own group
        .MoveTo(rcGroup.left - 150, rcGroup.top + 100)         // away again: its tab goes
        .PostToCapture(WM_KEYDOWN, VK_ESCAPE)
        .Keys(false);
    ::SetCursorPos(ptTab.x, ptTab.y);
    player.Start();
    strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
    winharness::PumpPending();
    EXPECT_EQ(pGroup, b2->GetTabContainerBar());
    EXPECT_EQ(1, strip.ItemFindByLParam((LPARAM)b2));
    EXPECT_EQ(1, strip.SelectionGet());
    EXPECT_EQ(3, strip.ItemGetCount());
}

// ---- Visibility.

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
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD058);
    ASSERT_NE(nullptr, pGroup);
    Pane* b3 = DockedPane(0xD05A, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b3, -1, nullptr, true));
    Layout();
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

} // namespace
