// The drag loop under scripted input: the threshold, drops, cancelling, the Ctrl key, drops
// onto markers in Studio 2005, and toolbars moved live between rows and sides.
#include "dragdock_test_support.h"
#include "layout_check_support.h"

#include "barstate.h"
#include "barstate_test_support.h"
#include "uiprobe.h"

#include <memory>
#include <sstream>

namespace {

using barstest::InnerMarkerOfType;
using barstest::Pane;
using dragdocktest::DragLoopTest;
using dragdocktest::StudioDragLoopTest;
using dragdocktest::StudioToolDragTest;
using dragdocktest::ToolDragTest;

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

TEST_F(DragLoopTest, NoDragStartsWhileTheFramesLayoutIsReadOrWritten)
{
    Pane* pBar = DockedPane(0xD03A, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pDockBar = pBar->m_pDockBar;
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    const CPoint pt = CaptionPoint(pBar);
    ASSERT_TRUE(CUiControlBar::FrameLockMapAdd(fx.pFrame, true));
    winharness::ScriptedInputPlayer player;
    bool bDragged = false;
    HWND hCapture = NULL;
    player.Keys(true)
        .MoveTo(pt.x + 20, pt.y + 20)
        .MoveTo(rcClient.right - 2, rcClient.CenterPoint().y)
        .Call([&] {
            bDragged = CUiControlBar::GetBarBeingDragged() != nullptr;
            hCapture = ::GetCapture();
        })
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    DragFrom(pBar, pt, player);
    winharness::PumpUntil([&] { return player.Done(); });
    EXPECT_TRUE(CUiControlBar::FrameLockMapRemove(fx.pFrame));
    EXPECT_FALSE(bDragged);
    EXPECT_NE(pBar->m_hWnd, hCapture);
    EXPECT_EQ(pDockBar, pBar->m_pDockBar);
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pBar->GetDockBarId());
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
    EXPECT_GT(fx.pFrame->nTrackedAreas, 0);   // the outline was offered to the frame
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

// A right click that ends a drag (cancels it in the outline look, drops in the marker look)
// is the drag's: neither its press nor its release reaches the pane under the pointer, which
// would open its menu.
TEST_F(DragLoopTest, ARightClickThatEndsADragOpensNoMenu)
{
    Pane* pBar = DockedPane(0xD03B, AFX_IDW_DOCKBAR_LEFT);
    Pane* pOther = DockedPane(0xD03C, AFX_IDW_DOCKBAR_TOP);
    for (bool bMarkers : {false, true}) {
        SCOPED_TRACE(bMarkers ? "Studio 2005" : "classic");
        if (bMarkers)
            PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005));
        fx.pFrame->menuEvents.clear();
        pBar->nRightButtons = pOther->nRightButtons = 0;
        const CPoint pt = CaptionPoint(pBar);
        bool bDragging = false;
        winharness::RealHand hand;
        hand.MoveTo(pt).Settle().Press().MoveTo(pt + CPoint(10, 10), 4).MoveTo(WindowRect(pOther).CenterPoint()).Settle();
        hand.Call([&] { bDragging = CUiControlBar::GetBarBeingDragged() == pBar; });
        hand.Call([] { e2e::MouseDown(true); }).Pause(30).Call([] { e2e::MouseUp(true); }).Settle();
        hand.Release().Settle();
        ASSERT_TRUE(hand.Play());
        EXPECT_TRUE(bDragging);
        EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingDragged());
        EXPECT_EQ(0, pBar->nRightButtons + pOther->nRightButtons);
        EXPECT_EQ(0u, fx.pFrame->menuEvents.size());
        // A right click of its own still builds the pane's menu.
        hand.Call([] { e2e::MouseDown(true); }).Pause(30).Call([] { e2e::MouseUp(true); }).Settle();
        ASSERT_TRUE(hand.Play());
        EXPECT_EQ(1u, fx.pFrame->menuEvents.size());
    }
}

// The click comes just after the loop chose to pass a paint on, as a busy machine gives it: the
// loop passes on only that paint, and then sees the press.
namespace rightclickbehindpaint {
bool bArmed = false;
LRESULT CALLBACK OnGetMessage(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_NOREMOVE && bArmed && pMsg->message == WM_PAINT) {
        if (HWND hCapture = ::GetCapture()) {
            bArmed = false;
            ::PostMessageA(hCapture, WM_RBUTTONDOWN, MK_RBUTTON, 0);
            ::PostMessageA(hCapture, WM_RBUTTONUP, 0, 0);
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
} // namespace rightclickbehindpaint

TEST_F(StudioDragLoopTest, ARightClickThatComesWhileTheLoopPassesAPaintOnEndsTheDragAndOpensNoMenu)
{
    Pane* pBar = DockedPane(0xD03D, AFX_IDW_DOCKBAR_LEFT);
    Pane* pOther = DockedPane(0xD03E, AFX_IDW_DOCKBAR_TOP);
    const CPoint pt = CaptionPoint(pBar);
    const CPoint ptOther = WindowRect(pOther).CenterPoint();
    HHOOK hHook = ::SetWindowsHookExA(WH_GETMESSAGE, &rightclickbehindpaint::OnGetMessage, NULL, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    bool bDragging = false;
    winharness::ScriptedInputPlayer player;
    player.Keys(true)
        .MoveTo(pt.x + 20, pt.y + 20)
        .MoveTo(ptOther.x, ptOther.y)
        .Call([&] {
            bDragging = CUiControlBar::GetBarBeingDragged() == pBar;
            rightclickbehindpaint::bArmed = true;
            pOther->Invalidate();
        })
        .Call([] {})
        .Keys(false);
    DragFrom(pBar, pt, player);
    winharness::PumpUntil([&] { return player.Done(); });
    ::UnhookWindowsHookEx(hHook);
    EXPECT_TRUE(bDragging);
    EXPECT_FALSE(rightclickbehindpaint::bArmed) << "no paint was passed on";
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingDragged());
    EXPECT_EQ(0, pBar->nRightButtons + pOther->nRightButtons);
    EXPECT_EQ(0u, fx.pFrame->menuEvents.size());
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

TEST_F(DragLoopTest, CancellingTheDragOfABarTakenFromAGroupPutsItsTabBackSelected)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD049);
    ASSERT_NE(nullptr, pGroup);
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

// The outline is inverted onto the screen and inverted away: a window that paints under it
// meanwhile (the strip the tab leaves, a pane) would keep its pieces.
TEST_F(DragLoopTest, ATabDraggedOutOfItsGroupLeavesNothingOfItsOutlineCancelledOrDropped)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD04A);
    ASSERT_NE(nullptr, pGroup);
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    const CRect rcSite = SiteRect();
    ::SetForegroundWindow(fx.hFrame);   // for the Esc key
    // What of the rectangle on the screen a repaint of the windows changes; empty when nothing.
    auto staleAfterRepaint = [](const CRect& rc, std::initializer_list<HWND> windows) -> std::string {
        const e2e::Screenshot shown(rc);
        for (HWND h : windows)
            ::RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        winharness::PumpPending();
        const e2e::Screenshot fresh(rc);
        const CRect rcStale(shown.DifferenceBounds(fresh));
        if (rcStale.IsRectEmpty())
            return "";
        std::ostringstream text;
        text << shown.Differences(fresh) << " pixels within (" << rcStale.left << "," << rcStale.top << ")-("
             << rcStale.right << "," << rcStale.bottom << ")";
        return text.str();
    };
    for (bool bCancel : {true, false}) {
        SCOPED_TRACE(bCancel ? "cancelled" : "dropped");
        const int nTab = strip.SelectionGet() == 1 ? 2 : 1;
        CUiControlBar* pDragged = strip.GetItemBar(nTab, false);
        CRect rcTab = strip.ItemGetInfo(nTab)->m_rcItem;
        strip.ClientToScreen(&rcTab);
        const CPoint ptTab = rcTab.CenterPoint();
        const CRect rcGroup = WindowRect(pGroup), rcStrip = WindowRect(&strip);
        std::string strGroupMeanwhile;
        // Up out of the strip over the group's lower half, and on over the view.
        winharness::RealHand hand;
        hand.MoveTo(ptTab).Settle().Press().MoveTo(CPoint(ptTab.x, rcStrip.top - 12), 4).Settle();
        // The group paints again meanwhile, as a pane whose content changes does.
        hand.Call([&] { pGroup->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); }).Settle();
        hand.MoveTo(rcSite.CenterPoint()).Settle();
        hand.Call([&] { strGroupMeanwhile = staleAfterRepaint(rcGroup, {pGroup->m_hWnd}); });
        if (bCancel)
            hand.Call([] { e2e::Key(VK_ESCAPE); }).Settle();
        hand.Release().Settle();
        ASSERT_TRUE(hand.Play());
        winharness::IdlePass();
        ASSERT_EQ(bCancel, pDragged->GetTabContainerBar() == pGroup);
        EXPECT_EQ("", strGroupMeanwhile) << "the group, the outline gone on over the view; its strip: (" << rcStrip.left
                                         << "," << rcStrip.top << ")-(" << rcStrip.right << "," << rcStrip.bottom << ")";
        CFrameWnd* pFloating = pDragged->GetParentFrame();
        EXPECT_EQ("", staleAfterRepaint(rcSite, {fx.hFrame, pFloating != fx.pFrame ? pFloating->m_hWnd : NULL}))
            << "the frame after the drag";
    }
}

// Dragged off the frame in the outline look, a docked pane shows the floating frame it will
// get, on the screen where it lands.
TEST_F(DragLoopTest, TheOutlineOfAFloatingDropIsTheFrameThatLands)
{
    Pane* pBar = DockedPane(0xD04B, AFX_IDW_DOCKBAR_LEFT);
    const CRect rcSite = SiteRect();
    const CPoint pt = CaptionPoint(pBar);
    // Bare screen right of the frame, where the pane is dropped.
    const CRect rcBare(rcSite.right + 20, rcSite.top, ::GetSystemMetrics(SM_CXSCREEN), rcSite.bottom);
    const CPoint ptDrop(rcBare.left + 140, rcBare.top + 150);
    std::unique_ptr<e2e::Screenshot> before;
    CRect rcOutline(0, 0, 0, 0);
    winharness::RealHand hand;
    hand.Call([&] { before.reset(new e2e::Screenshot(rcBare)); });
    hand.MoveTo(pt).Settle().Press().MoveTo(pt + CPoint(10, 10), 4).MoveTo(ptDrop).Settle();
    // The loop may take the look between putting the last outline away and drawing the next.
    hand.WaitFor([&] {
        rcOutline = before->DifferenceBounds(e2e::Screenshot(rcBare));
        return !rcOutline.IsRectEmpty();
    });
    hand.Release().Settle();
    ASSERT_TRUE(hand.Play());
    CUiMiniDockFrameWnd* pFloating = FloatingFrameOf(pBar);
    ASSERT_NE(nullptr, pFloating);
    using layoutcheck::RectText;
    EXPECT_EQ(RectText(WindowRect(pFloating)), RectText(rcOutline));
}

TEST_F(StudioDragLoopTest, TheCentreMarkerOfABarMakesTheDraggedBarATabOfItsGroup)
{
    Pane* pTarget = DockedPane(0xD060, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD061, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(26, DropOnMarker(pBar, WindowRect(pTarget).CenterPoint(), [] { return InnerMarkerOfType(8); }));
    EXPECT_EQ(0, fx.pFrame->nTrackedAreas);   // markers instead of outlines
    CUiDynTabControlBar* pGroup = pTarget->GetTabContainerBar();
    ASSERT_NE(nullptr, pGroup);
    EXPECT_EQ(pGroup, pBar->GetTabContainerBar());
    EXPECT_GE(pGroup->m_wndTabs.ItemFindByLParam((LPARAM)pBar), 0);
    EXPECT_EQ(nullptr, CUiControlBar::GetBarBeingDragged());
    EXPECT_EQ(NULL, ::FindWindowA(CUiDynDockMarkerWnd::kClassName, NULL));
}

TEST_F(StudioDragLoopTest, OverAGroupTheCentreMarkerGivesTheStripsFirstPlace)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD062);
    ASSERT_NE(nullptr, pGroup);
    Pane* pBar = DockedPane(0xD064, AFX_IDW_DOCKBAR_TOP);
    const CRect rc = WindowRect(pGroup);
    EXPECT_EQ(30, DropOnMarker(pBar, CPoint(rc.CenterPoint().x, rc.top + 40), [] { return InnerMarkerOfType(8); }));
    EXPECT_EQ(pGroup, pBar->GetTabContainerBar());
    EXPECT_EQ(0, pGroup->m_wndTabs.ItemFindByLParam((LPARAM)pBar));
}

TEST_F(StudioDragLoopTest, TheFrameEdgeMarkerDocksOutsideTheInnerRings)
{
    Pane* pLeft = DockedPane(0xD065, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD066, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(17, DropOnMarker(pBar, WindowRect(pLeft).CenterPoint(), [] {
        auto& outer = CUiDynDockMarkerWnd::OuterDockMarkers;
        return outer.GetSize() == 4 ? outer[3] : nullptr;
    }));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, pBar->GetDockBarId());
    EXPECT_EQ(1u, pBar->GetDockBarLevel());
    EXPECT_GT(pLeft->GetDockBarLevel(), 1u);
}

TEST_F(StudioDragLoopTest, TheViewsLeftMarkerDocksOnANewInnermostRing)
{
    Pane* pLeft = DockedPane(0xD067, AFX_IDW_DOCKBAR_LEFT);
    Pane* pBar = DockedPane(0xD068, AFX_IDW_DOCKBAR_TOP);
    const CRect rcView = WindowRect(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(20, DropOnMarker(pBar, CPoint(rcView.CenterPoint().x + 120, rcView.CenterPoint().y + 60),
                               [] { return InnerMarkerOfType(2); }));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, pBar->GetDockBarId());
    EXPECT_GT(pBar->GetDockBarLevel(), pLeft->GetDockBarLevel());
}

TEST_F(DragLoopTest, ADropOnTheDraggedBarItselfChangesNothing)
{
    Pane* pBar = DockedPane(0xD06C, AFX_IDW_DOCKBAR_LEFT);
    CDockBar* pDockBar = pBar->m_pDockBar;
    const CRect rcBefore = WindowRect(pBar);
    const CPoint pt = CaptionPoint(pBar);
    winharness::ScriptedInputPlayer player;
    int nKind = -1;
    player.Keys(true)
        .MoveTo(rcBefore.CenterPoint().x, rcBefore.CenterPoint().y)
        .Call([&] { nKind = CUiControlBar::g_DragStatePrevious.m_nKind; })
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    DragFrom(pBar, pt, player);
    Layout();
    EXPECT_EQ(13, nKind);
    EXPECT_EQ(pDockBar, pBar->m_pDockBar);
    EXPECT_EQ(rcBefore, WindowRect(pBar));
}

TEST_F(ToolDragTest, MoveRowPastRowPutsTheWholeRowOnTheOtherSide)
{
    auto* a = MakeTool(0xD070);
    auto* b = MakeTool(0xD071);
    auto* c = MakeTool(0xD072);
    CDockBar* pTop = a->m_pDockBar;
    SetRows(pTop, {nullptr, a, b, nullptr, c, nullptr});
    CUiControlBar::MoveRowPastRow(a, c);
    const std::vector<void*> expected = {nullptr, c, nullptr, a, b, nullptr};
    ASSERT_EQ((INT_PTR)expected.size(), pTop->m_arrBars.GetSize());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], pTop->m_arrBars[(INT_PTR)i]) << i;
    CUiControlBar::MoveRowPastRow(a, c);
    const std::vector<void*> back = {nullptr, a, b, nullptr, c, nullptr};
    for (size_t i = 0; i < back.size(); ++i)
        EXPECT_EQ(back[i], pTop->m_arrBars[(INT_PTR)i]) << i;
}

TEST_F(ToolDragTest, ACtrlDragFloatsUnderTheCursorAndStaysFloatingOutsideTheFrame)
{
    auto* pTool = MakeTool(0xD073);
    Layout();
    const CRect rc = WindowRect(pTool);
    const CPoint pt(rc.left + 10, rc.CenterPoint().y);
    const CRect rcSite = SiteRect();
    CPoint ptOutside(rcSite.right + 20, rcSite.top + 100);
    CRect rcFrameInside, rcFrameOutside;
    winharness::ScriptedInputPlayer player;
    player.Keys(true, winharness::kCtrl)
        .MoveTo(rcSite.CenterPoint().x, rcSite.CenterPoint().y)
        .Call([&] {
            if (CFrameWnd* p = pTool->GetParentFrame())
                p->GetWindowRect(&rcFrameInside);
        })
        .Keys(true)
        .MoveTo(ptOutside.x, ptOutside.y)
        .Call([&] {
            if (CFrameWnd* p = pTool->GetParentFrame())
                p->GetWindowRect(&rcFrameOutside);
        })
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    DragFrom(pTool, pt, player);
    EXPECT_TRUE(pTool->IsBarFloating());
    EXPECT_EQ(rcSite.CenterPoint(), rcFrameInside.TopLeft());   // floated at the cursor
    EXPECT_EQ(CPoint(ptOutside.x - pTool->m_ptGrabFloat.x, ptOutside.y - pTool->m_ptGrabFloat.y), rcFrameOutside.TopLeft());
    EXPECT_NE(nullptr, FloatingFrameOf(pTool));
}

TEST_F(ToolDragTest, AlongItsOwnRowTheToolbarOnlyMovesAlongWithTheSizingCursor)
{
    for (UINT nSide : {(UINT)AFX_IDW_DOCKBAR_TOP, (UINT)AFX_IDW_DOCKBAR_LEFT}) {
        auto* pTool = MakeTool(nSide == AFX_IDW_DOCKBAR_TOP ? 0xD074 : 0xD075, nSide);
        Layout();
        const bool bHorz = nSide == AFX_IDW_DOCKBAR_TOP;
        CDockBar* pDock = pTool->m_pDockBar;
        const CRect rc = WindowRect(pTool);
        const CPoint pt = rc.CenterPoint();
        const CPoint ptTo = bHorz ? CPoint(pt.x + 30, pt.y) : CPoint(pt.x, pt.y + 30);
        HCURSOR hCursor = NULL;
        winharness::ScriptedInputPlayer player;
        player.Keys(true)
            .MoveTo(ptTo.x, ptTo.y)
            .MoveTo(ptTo.x, ptTo.y + (bHorz ? 1 : 0))
            .Call([&] { hCursor = ::GetCursor(); })
            .PostToCapture(WM_LBUTTONUP)
            .Keys(false);
        DragFrom(pTool, pt, player);
        EXPECT_EQ(pDock, pTool->m_pDockBar);
        const CRect rcAfter = WindowRect(pTool);
        if (bHorz) {
            EXPECT_EQ(rc.left + 30, rcAfter.left);
            EXPECT_EQ(rc.top, rcAfter.top);
        } else {
            EXPECT_EQ(rc.top + 30, rcAfter.top);
            EXPECT_EQ(rc.left, rcAfter.left);
        }
        EXPECT_EQ(::LoadCursor(NULL, bHorz ? IDC_SIZEWE : IDC_SIZENS), hCursor);
    }
}

TEST_F(StudioToolDragTest, APressOnAToolbarStartsItsDragInTheLookWithMarkers)
{
    auto* pTool = MakeTool(0xD07A);
    Layout();
    const CRect rc = WindowRect(pTool);
    const CPoint pt = rc.CenterPoint();
    winharness::ScriptedInputPlayer player;
    player.Keys(true).MoveTo(pt.x + 30, pt.y).MoveTo(pt.x + 30, pt.y + 1).PostToCapture(WM_LBUTTONUP).Keys(false);
    ::SetCursorPos(pt.x, pt.y);
    player.Start();
    CPoint ptClient = pt;
    pTool->ScreenToClient(&ptClient);
    pTool->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    winharness::PumpUntil([&] { return player.Done(); });
    EXPECT_EQ(rc.left + 30, WindowRect(pTool).left);
    EXPECT_EQ(rc.top, WindowRect(pTool).top);
}

TEST_F(ToolDragTest, AloneInItsRowOverARowThatCannotTakeItTheRowsSwap)
{
    CRect rcWindow, rcClient;
    fx.pFrame->GetWindowRect(&rcWindow);
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->SetWindowPos(NULL, 0, 0, 400 + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto* a = MakeTool(0xD076);
    auto* b = MakeTool(0xD077);
    auto* c = MakeTool(0xD078);
    CDockBar* pTop = a->m_pDockBar;
    SetRows(pTop, {nullptr, a, nullptr, b, c, nullptr});
    const CRect rcA = WindowRect(a), rcB = WindowRect(b);
    ASSERT_LT(rcA.bottom, rcB.CenterPoint().y);
    const CPoint pt = rcA.CenterPoint();
    winharness::ScriptedInputPlayer player;
    player.Keys(true).MoveTo(pt.x, rcB.CenterPoint().y).PostToCapture(WM_LBUTTONUP).Keys(false);
    DragFrom(a, pt, player);
    ASSERT_EQ(6, pTop->m_arrBars.GetSize());
    EXPECT_EQ(b, pTop->m_arrBars[1]);
    EXPECT_EQ(c, pTop->m_arrBars[2]);
    EXPECT_EQ(nullptr, pTop->m_arrBars[3]);
    EXPECT_EQ(a, pTop->m_arrBars[4]);
    EXPECT_EQ(rcA.top, WindowRect(b).top);   // laid out at once
    EXPECT_EQ(rcB.top, WindowRect(a).top);
}

// A toolbar alone in the last row has no row beyond it to go to: pulled just past its row it
// stays docked there and follows the cursor along, however often the hand moves there.
TEST_F(StudioToolDragTest, AloneInTheLastRowAndPulledJustPastItTheToolbarStaysInItsRow)
{
    auto* a = MakeTool(0xD07C);
    auto* b = MakeTool(0xD07D);
    Layout();
    CDockBar* pTop = b->m_pDockBar;
    const CRect rcA = WindowRect(a), rcB = WindowRect(b);
    ASSERT_LE(rcA.bottom, rcB.top);
    const CPoint ptPress(rcB.left + 6, rcB.CenterPoint().y);
    winharness::RealHand hand;
    hand.MoveTo(ptPress).Settle().Press().MoveTo(ptPress + CPoint(10, 0), 4).Settle();
    for (int i = 1; i <= 8; ++i)
        hand.MoveTo(CPoint(ptPress.x + 10 + 10 * i, rcB.bottom + 6 + i % 2), 4).Settle();
    hand.Release().Settle();
    ASSERT_TRUE(hand.Play());
    EXPECT_EQ(nullptr, FloatingFrameOf(b));
    EXPECT_EQ(pTop, b->m_pDockBar);
    EXPECT_EQ(rcB.top, WindowRect(b).top);
    EXPECT_EQ(rcB.left + 90, WindowRect(b).left);
}

// A double click on the caption of the toolbar's floating frame.
void DockBackByDoubleClick(CControlBar* p)
{
    CFrameWnd* pFrame = p->GetParentFrame();
    ASSERT_TRUE(pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)));
    auto* pMini = static_cast<CUiMiniDockFrameWnd*>(pFrame);
    CRect rc;
    pMini->GetWindowRect(&rc);
    const CPoint pt = rc.TopLeft() + pMini->m_rcCaption.CenterPoint();
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    layoutcheck::LayOutAtIdle();
}

// A frame where the test's frame is, with stand-ins like these docked at the top, and the saved
// layout loaded into it.
struct LoadedFrame {
    barstest::FrameFixture fx{CRect(40, 40, 840, 640)};
    std::vector<std::unique_ptr<barstest::StandInToolBar>> bars;
    bool bLoaded = false;
    LoadedFrame(const barstatetest::Bytes& saved, std::initializer_list<barstest::StandInToolBar*> like)
    {
        for (barstest::StandInToolBar* p : like) {
            bars.emplace_back(new barstest::StandInToolBar);
            bars.back()->bRowOfItsOwn = p->bRowOfItsOwn;
            bars.back()->bTurns = p->bTurns;
            bars.back()->Create(fx.pFrame, (UINT)p->GetDlgCtrlID());
            fx.pFrame->DockControlBar(bars.back().get(), AFX_IDW_DOCKBAR_TOP);
        }
        bLoaded = barstatetest::Load(saved, [&](CArchive& ar) { return BarStateSerialize(ar, fx.pFrame, nullptr); });
        layoutcheck::LayOutAtIdle();
    }
};

// A toolbar dragged out of its row of its own, docking on the frame's right side on the way
// out, floats; a double click on its floating frame puts it back in the row and side it left,
// also in a fresh frame the saved layout was loaded into.
TEST_F(ToolDragTest, AToolbarFloatedAcrossAnotherSideDocksBackInTheRowItLeftByADoubleClick)
{
    auto* a = MakeTool(0xD080);
    auto* b = MakeTool(0xD081);
    auto* c = MakeTool(0xD082);
    CDockBar* pTop = a->m_pDockBar;
    SetRows(pTop, {nullptr, a, nullptr, b, nullptr, c, nullptr});
    const auto rows = layoutcheck::RowsOf(pTop);
    const CRect rcB = WindowRect(b);
    const CRect rcSite = SiteRect();
    UINT nSideOnTheWay = 0;
    winharness::ScriptedInputPlayer player;
    player.Keys(true)
        .MoveTo(rcSite.right - 6, rcSite.CenterPoint().y)
        .MoveTo(rcSite.right - 5, rcSite.CenterPoint().y + 20)
        .Call([&] { nSideOnTheWay = b->GetDockBarId(); })
        .MoveTo(rcSite.right + 150, rcSite.CenterPoint().y + 40)
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    DragFrom(b, CPoint(rcB.left + 6, rcB.CenterPoint().y), player);
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, nSideOnTheWay);
    ASSERT_NE(nullptr, FloatingFrameOf(b));
    const barstatetest::Bytes saved =
        barstatetest::Store([&](CArchive& ar) { BarStateSerialize(ar, fx.pFrame, nullptr); });
    DockBackByDoubleClick(b);
    EXPECT_EQ(pTop, b->m_pDockBar);
    EXPECT_EQ(rows, layoutcheck::RowsOf(pTop));
    EXPECT_EQ(rcB, WindowRect(b));

    LoadedFrame fresh(saved, {a, b, c});
    ASSERT_TRUE(fresh.bLoaded);
    DockBackByDoubleClick(fresh.bars[1].get());
    CDockBar* pFreshTop = static_cast<CDockBar*>(fresh.fx.pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(pFreshTop, fresh.bars[1]->m_pDockBar);
    const std::vector<std::vector<CControlBar*>> rowsAgain = {
        {fresh.bars[0].get()}, {fresh.bars[1].get()}, {fresh.bars[2].get()}};
    EXPECT_EQ(rowsAgain, layoutcheck::RowsOf(pFreshTop));
}

// The toolbar dragged into the menu bar's row is the bar placed last there and keeps its
// length beside it. Dragged out across the right side low enough to reach past that side's
// end, where it moves once more, and off the frame, it floats; a double click on its floating
// frame puts it back at the place and length it had beside the menu bar, which a saved layout
// keeps.
TEST_F(ToolDragTest, AToolbarFloatedFromTheMenuBarsRowAcrossAnotherSideDocksBackAtItsPlaceAndLength)
{
    barstest::StandInToolBar *pMenu, *pTool;
    MakeMenuBarAndToolBarRows(pMenu, pTool);
    const CRect rcMenu = WindowRect(pMenu), rcTool = WindowRect(pTool);
    {
        const CPoint pt(rcTool.left + 4, rcTool.CenterPoint().y);
        winharness::ScriptedInputPlayer player;
        player.Keys(true)
            .MoveTo(pt.x, rcMenu.CenterPoint().y)
            .MoveTo(rcMenu.right - rcTool.Width() + 4, rcMenu.CenterPoint().y)
            .PostToCapture(WM_LBUTTONUP)
            .Keys(false);
        DragFrom(pTool, pt, player);
    }
    layoutcheck::LayOutAtIdle();
    const CRect rcInRow = WindowRect(pTool), rcMenuInRow = WindowRect(pMenu);
    ASSERT_EQ(rcMenuInRow.top, rcInRow.top);
    ASSERT_EQ(rcTool.Width(), rcInRow.Width());
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    UINT nSideOnTheWay = 0;
    {
        const CPoint pt(rcInRow.left + 4, rcInRow.CenterPoint().y);
        winharness::ScriptedInputPlayer player;
        player.Keys(true)
            .MoveTo(pt.x, pt.y + 40)
            .MoveTo(rcClient.right - 6, rcClient.bottom - 60)
            .MoveTo(rcClient.right - 6, rcClient.bottom - 59)
            .Call([&] { nSideOnTheWay = pTool->GetDockBarId(); })
            .MoveTo(rcClient.right + 150, rcClient.CenterPoint().y)
            .PostToCapture(WM_LBUTTONUP)
            .Keys(false);
        DragFrom(pTool, pt, player);
    }
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, nSideOnTheWay);
    ASSERT_NE(nullptr, FloatingFrameOf(pTool));
    DockBackByDoubleClick(pTool);
    using layoutcheck::RectText;
    EXPECT_EQ(RectText(rcInRow), RectText(WindowRect(pTool)));
    EXPECT_EQ(RectText(rcMenuInRow), RectText(WindowRect(pMenu)));

    const barstatetest::Bytes saved =
        barstatetest::Store([&](CArchive& ar) { BarStateSerialize(ar, fx.pFrame, nullptr); });
    LoadedFrame fresh(saved, {pMenu, pTool});
    ASSERT_TRUE(fresh.bLoaded);
    EXPECT_EQ(RectText(rcInRow), RectText(WindowRect(fresh.bars[1].get())));
}

// The toolbar enters the menu bar's row by either road a hand takes and has its whole length
// there, as the row has room for both: its floating frame dragged by the caption through the
// row it left, with its drop place reaching past the row's end, up into the menu bar's row;
// then, moved by its gripper before the menu bar, the menu bar dragged by its gripper to the
// row's left end. A saved layout keeps it.
TEST_F(ToolDragTest, AToolbarEnteringTheMenuBarsRowByEitherRoadHasItsWholeLength)
{
    barstest::StandInToolBar *pMenu, *pTool;
    MakeMenuBarAndToolBarRows(pMenu, pTool);
    const CRect rcMenu = WindowRect(pMenu), rcTool = WindowRect(pTool);
    const int yMenu = rcMenu.CenterPoint().y;
    auto drag = [&](CUiControlBar* pBar, CPoint ptPress, std::initializer_list<CPoint> path) {
        winharness::ScriptedInputPlayer player;
        player.Keys(true);
        for (const CPoint& pt : path)
            player.MoveTo(pt.x, pt.y);
        player.PostToCapture(WM_LBUTTONUP).Keys(false);
        ::SetCursorPos(ptPress.x, ptPress.y);
        player.Start();
        pBar->DragLoop(ptPress);
        layoutcheck::LayOutAtIdle();
    };
    pTool->FloatAt(rcTool.left + 100, rcTool.bottom + 200, CBRS_ALIGN_TOP);
    Layout();
    CUiMiniDockFrameWnd* pFloating = FloatingFrameOf(pTool);
    ASSERT_NE(nullptr, pFloating);
    const int x = rcMenu.right - rcTool.Width() / 2;
    drag(pTool, WindowRect(pFloating).TopLeft() + pFloating->m_rcCaption.CenterPoint(),
         {CPoint(x, rcTool.CenterPoint().y), CPoint(x + 1, rcTool.CenterPoint().y), CPoint(x + 2, yMenu)});
    using layoutcheck::RectText;
    ASSERT_EQ(rcMenu.top, WindowRect(pTool).top) << "not in the menu bar's row";
    EXPECT_EQ(rcTool.Width(), WindowRect(pTool).Width()) << "its floating frame dragged into the menu bar's row";

    CRect rcInRow = WindowRect(pTool);
    drag(pTool, CPoint(rcInRow.left + 4, yMenu), {CPoint(rcMenu.left + 40, yMenu), CPoint(rcMenu.left + 30, yMenu)});
    rcInRow = WindowRect(pTool);
    ASSERT_LT(rcInRow.left, WindowRect(pMenu).left) << "not before the menu bar";
    const CRect rcMenuAfter = WindowRect(pMenu);
    drag(pMenu, CPoint(rcMenuAfter.left + 4, yMenu), {CPoint(rcMenu.left + 4, yMenu), CPoint(rcMenu.left + 2, yMenu)});
    ASSERT_LT(WindowRect(pMenu).left, WindowRect(pTool).left) << "the menu bar did not pass the toolbar";
    EXPECT_EQ(rcTool.Width(), WindowRect(pTool).Width()) << "the menu bar dragged to the row's left end";

    const barstatetest::Bytes saved =
        barstatetest::Store([&](CArchive& ar) { BarStateSerialize(ar, fx.pFrame, nullptr); });
    LoadedFrame fresh(saved, {pMenu, pTool});
    ASSERT_TRUE(fresh.bLoaded);
    EXPECT_EQ(RectText(WindowRect(pTool)), RectText(WindowRect(fresh.bars[1].get())));
}

TEST_F(ToolDragTest, AHiddenOuterDockBarTakesAToolbarNearItsEdge)
{
    auto* pTool = MakeTool(0xD079);
    Layout();
    CDockBar* pBottom = fx.pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)->IsDockBar()
                            ? static_cast<CDockBar*>(fx.pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM))
                            : nullptr;
    ASSERT_NE(nullptr, pBottom);
    pBottom->ShowWindow(SW_HIDE);
    // Well inside the frame: only the zone along the hidden bottom edge holds the point.
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    const CRect rc = WindowRect(pTool);
    winharness::ScriptedInputPlayer player;
    player.Keys(true)
        .MoveTo(rcClient.CenterPoint().x, rcClient.bottom - 25)
        .PostToCapture(WM_LBUTTONUP)
        .Keys(false);
    DragFrom(pTool, rc.CenterPoint(), player);
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, pTool->GetDockBarId());
}

TEST_F(ToolDragTest, WithinItsRowARecordFromALongerDockBarNoLongerPullsTheBar)
{
    auto* pTool = MakeTool(0xD07A);
    Layout();
    CDockBar* pTop = pTool->m_pDockBar;
    CRect rcClient;
    pTop->GetClientRect(&rcClient);
    const CRect rc = WindowRect(pTool);
    // Saved while the frame was wider: the place lies past the row's end now.
    pTool->record.nOrder = 1;
    pTool->record.rcSaved.SetRect(rcClient.right + 40, 0, rcClient.right + 40 + rc.Width(), rc.Height());
    pTool->m_ptGrabHorz = CPoint(5, 5);
    // A step across the row that does not move the bar along it.
    CUiControlBar::InternalDraggingState_t state(pTool);
    ASSERT_TRUE(pTool->PlaceFixedSizeBarInDockBar(state, rc.left + 5, rc.top + 8, pTop));
    Layout();
    EXPECT_EQ(rc, WindowRect(pTool));
    EXPECT_LE(pTool->record.rcSaved.right, rcClient.right);
}

} // namespace
