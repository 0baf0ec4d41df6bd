// The eight panes in the main window's default layout, moved by a real hand in the Studio 2005
// look: tabs dragged out and dropped on other groups, groups floated and docked back, the
// floating frames, and the tinted drop area over a dock marker. After every step each pane must
// still be reachable and no tab may stand for a pane that is elsewhere.
#include "panes_test_support.h"
#include "ncareabutton.h"
#include "uiprobe.h"

#include <sstream>

namespace {

using panestest::DefaultLayoutFixture;
using panestest::WindowRect;
using barstest::InnerMarkerOfType;
using barstest::Pane;
using P = barstest::PaneFrameFixture;
using e2e::Screenshot;

class PanesByMouse : public ::testing::Test {
protected:
    DefaultLayoutFixture fx;
    winharness::RealHand hand;
    Pane* pane(int i) { return fx.panes[i]; }
    // The tab ids of the pane's group in their order.
    std::vector<UINT> TabsOf(int nPane)
    {
        std::vector<UINT> ids;
        if (CUiDynTabControlBar* pGroup = fx.GroupOf(nPane)) {
            for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i) {
                CUiControlBar* pBar = pGroup->m_wndTabs.GetItemBar(i, false);
                ids.push_back(pBar != nullptr ? (UINT)pBar->GetDlgCtrlID() : 0u);
            }
        }
        return ids;
    }
    static UINT Id(int nPane) { return barstest::PaneSpecs()[nPane].nID; }
    static bool Above(HWND hUpper, HWND hLower)
    {
        for (HWND h = ::GetWindow(hUpper, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (h == hLower)
                return true;
        }
        return false;
    }
    // Presses at from, drags over ptOver, where the inner markers of hTarget come up, and
    // drops on the marker of the type.
    bool DragOntoMarker(CPoint from, CPoint ptOver, HWND hTarget, int nType, int nStep = 24)
    {
        CUiDynDockMarkerWnd* pMarker = nullptr;
        std::ostringstream state;
        hand.MoveTo(from, nStep).Settle().Press().MoveTo(from + CPoint(-10, -10), 4).MoveTo(ptOver, nStep);
        hand.Settle().WaitFor([&] { return (pMarker = InnerMarkerOfType(nType, hTarget)) != nullptr; });
        // Where the drag stood when no marker came up, for the failure's message.
        hand.Call([&] {
            if (pMarker != nullptr)
                return;
            CPoint pt;
            ::GetCursorPos(&pt);
            CUiControlBar* pDragged = CUiControlBar::GetBarBeingDragged();
            auto& inner = CUiDynDockMarkerWnd::InnerDockMarkers;
            state << "pressed at " << from.x << "," << from.y << ", cursor at " << pt.x << "," << pt.y << " (over "
                  << ptOver.x << "," << ptOver.y << "), dragging bar "
                  << (pDragged != nullptr ? (int)pDragged->GetDlgCtrlID() : 0) << ", button "
                  << (::GetAsyncKeyState(VK_LBUTTON) < 0 ? "down" : "up") << ", inner target "
                  << CUiDynDockMarkerWnd::InnerMarkerTarget << " of " << inner.GetSize() << " markers, window there "
                  << ::WindowFromPoint(pt) << ", capture " << ::GetCapture();
        });
        hand.MoveTo([&] { return pMarker != nullptr ? WindowRect(pMarker).CenterPoint() : ptOver; }).Settle();
        hand.Release().Settle();
        const bool bPlayed = hand.Play();
        EXPECT_TRUE(bPlayed) << "the drag's steps did not end, or left a loop running";
        EXPECT_NE(nullptr, pMarker) << "no marker of type " << nType << " came up: " << state.str();
        return bPlayed && pMarker != nullptr;
    }
    static COLORREF ScreenPixel(CPoint pt)
    {
        HDC hScreen = ::GetDC(NULL);
        const COLORREF clr = ::GetPixel(hScreen, pt.x, pt.y);
        ::ReleaseDC(NULL, hScreen);
        return clr;
    }
};

TEST_F(PanesByMouse, APressSelectsItsTabAndATabDraggedOutTakesOnlyItselfAlong)
{
    const CPoint ptScript1 = fx.TabPoint(P::kScript1);
    bool bSelectedOnPress = false;
    hand.MoveTo(ptScript1).Pause(40).Press().Pause(60).Call([&] {
        bSelectedOnPress = fx.GroupOf(P::kScript1)->GetSelectedBar() == pane(P::kScript1);
    });
    hand.MoveTo(ptScript1 + CPoint(-10, -10), 4).MoveTo(fx.ViewPoint()).Pause(120).Release().Pause(60);
    ASSERT_TRUE(hand.Play());
    EXPECT_TRUE(bSelectedOnPress);
    EXPECT_TRUE(fx.FloatingFrameOf(pane(P::kScript1)) != nullptr);
    EXPECT_EQ((std::vector<UINT>{Id(P::kSendEditor), Id(P::kScript2)}), TabsOf(P::kSendEditor));
    EXPECT_TRUE(fx.Reachable());

    // The group left with one pane gives it its place, shown.
    hand.Drag(fx.TabPoint(P::kScript2), fx.ViewPoint() + CPoint(-200, 0));
    ASSERT_TRUE(hand.Play());
    EXPECT_TRUE(fx.GroupOf(P::kSendEditor) == nullptr);
    EXPECT_TRUE(pane(P::kSendEditor)->IsWindowVisible());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, pane(P::kSendEditor)->GetDockBarId());
    EXPECT_TRUE(fx.Reachable());
}

TEST_F(PanesByMouse, EveryPaneDraggedOutByItsTabDocksBackIntoItsGroupOnADoubleClick)
{
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const std::vector<UINT> tabsBefore = TabsOf(i);
        hand.Drag(fx.TabPoint(i), fx.ViewPoint());
        ASSERT_TRUE(hand.Play());
        ASSERT_TRUE(fx.FloatingFrameOf(pane(i)) != nullptr)
            << "the tab ended docked on dock bar " << pane(i)->GetDockBarId() << ", in a group: " << (fx.GroupOf(i) != nullptr)
            << ", " << TabsOf(i).size() << " tabs there";
        EXPECT_TRUE(fx.Reachable());
        hand.DoubleClick(DefaultLayoutFixture::CaptionPoint(pane(i)));
        ASSERT_TRUE(hand.Play());
        EXPECT_TRUE(fx.FloatingFrameOf(pane(i)) == nullptr);
        EXPECT_EQ(tabsBefore, TabsOf(i));
        EXPECT_EQ(pane(i), fx.GroupOf(i) != nullptr ? fx.GroupOf(i)->GetSelectedBar() : nullptr);
        EXPECT_TRUE(fx.Reachable());
    }
}

TEST_F(PanesByMouse, AFloatingFrameStaysAboveTheMainWindowAndPaintsAllOfItsBar)
{
    hand.Drag(fx.TabPoint(P::kScript2), fx.ViewPoint());
    ASSERT_TRUE(hand.Play());
    CUiMiniDockFrameWnd* pFloating = fx.FloatingFrameOf(pane(P::kScript2));
    ASSERT_TRUE(pFloating != nullptr);
    EXPECT_TRUE(Above(pFloating->m_hWnd, fx.hFrame));
    // The bar fills the frame inside its border with its own background, no black band.
    CRect rcClient;
    pane(P::kScript2)->GetClientRect(&rcClient);
    pane(P::kScript2)->ClientToScreen(&rcClient);
    EXPECT_NE(RGB(0, 0, 0), ScreenPixel(CPoint(rcClient.left + 1, rcClient.CenterPoint().y)));
    EXPECT_NE(RGB(0, 0, 0), ScreenPixel(rcClient.CenterPoint()));
    // A click on the floating frame activates it, a click on the main window the main window;
    // the floating frame stays in front.
    hand.Click(rcClient.CenterPoint());
    ASSERT_TRUE(hand.Play());
    EXPECT_EQ(pFloating->m_hWnd, ::GetActiveWindow());
    hand.Click(CPoint(fx.ViewPoint().x - 300, fx.ViewPoint().y));
    ASSERT_TRUE(hand.Play());
    EXPECT_EQ(fx.hFrame, ::GetActiveWindow());
    EXPECT_TRUE(Above(pFloating->m_hWnd, fx.hFrame));
    EXPECT_NE(RGB(0, 0, 0), ScreenPixel(rcClient.CenterPoint()));
    EXPECT_TRUE(fx.Reachable());
}

TEST_F(PanesByMouse, AFloatingFrameComesBackInFrontAfterEachPressOnATabOfTheMainWindow)
{
    hand.Drag(fx.TabPoint(P::kScript2), fx.ViewPoint());
    ASSERT_TRUE(hand.Play());
    CUiMiniDockFrameWnd* pFloating = fx.FloatingFrameOf(pane(P::kScript2));
    ASSERT_TRUE(pFloating != nullptr);
    // Such a press raises the main window over the floating frame for a moment (Wine does it
    // without a word to either window); the frame comes back in front by itself.
    int nBehind = 0;
    for (int i = 0; i < 6; ++i) {
        hand.Click(fx.TabPoint(i % 2 == 0 ? P::kScript1 : P::kSendEditor))
            .Settle()
            .WaitFor([&] { return Above(pFloating->m_hWnd, fx.hFrame); })
            .Call([&] { nBehind += Above(pFloating->m_hWnd, fx.hFrame) ? 0 : 1; });
        ASSERT_TRUE(hand.Play());
    }
    EXPECT_EQ(0, nBehind);
}

TEST_F(PanesByMouse, TheBottomGroupFloatedAndDockedBackKeepsAllFivePanesTwice)
{
    const std::vector<UINT> tabs = TabsOf(P::kDetailedLog);
    ASSERT_EQ(5u, tabs.size());
    for (int nRound = 0; nRound < 2; ++nRound) {
        SCOPED_TRACE(nRound);
        // Floated by its caption, docked back by a double click on the floating caption.
        CUiDynTabControlBar* pGroup = fx.GroupOf(P::kDetailedLog);
        hand.Drag(DefaultLayoutFixture::CaptionPoint(pGroup), fx.ViewPoint());
        ASSERT_TRUE(hand.Play());
        ASSERT_TRUE(fx.FloatingFrameOf(fx.GroupOf(P::kDetailedLog)) != nullptr);
        EXPECT_EQ(tabs, TabsOf(P::kDetailedLog));
        EXPECT_TRUE(fx.Reachable());
        hand.DoubleClick(DefaultLayoutFixture::CaptionPoint(fx.GroupOf(P::kDetailedLog)));
        ASSERT_TRUE(hand.Play());
        ASSERT_TRUE(fx.GroupOf(P::kDetailedLog) != nullptr);
        EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, fx.GroupOf(P::kDetailedLog)->GetDockBarId());
        EXPECT_EQ(tabs, TabsOf(P::kDetailedLog));
        EXPECT_TRUE(fx.Reachable());
        // Floated by a double click on its docked caption, and back the same way.
        hand.DoubleClick(DefaultLayoutFixture::CaptionPoint(fx.GroupOf(P::kDetailedLog)));
        ASSERT_TRUE(hand.Play());
        ASSERT_TRUE(fx.FloatingFrameOf(fx.GroupOf(P::kDetailedLog)) != nullptr);
        EXPECT_EQ(tabs, TabsOf(P::kDetailedLog));
        hand.DoubleClick(DefaultLayoutFixture::CaptionPoint(fx.GroupOf(P::kDetailedLog)));
        ASSERT_TRUE(hand.Play());
        EXPECT_EQ(tabs, TabsOf(P::kDetailedLog));
        EXPECT_TRUE(fx.Reachable());
    }
}

TEST_F(PanesByMouse, TheSelectedTabOfAGroupOfTwoDroppedOnOtherTabsFiftyTimes)
{
    // The right group becomes a group of two (scripts 1 and 2).
    hand.Drag(fx.TabPoint(P::kSendEditor), fx.TabPoint(P::kConnectionStatus));
    ASSERT_TRUE(hand.Play());
    ASSERT_TRUE(fx.Reachable());
    for (int n = 0; n < 50; ++n) {
        SCOPED_TRACE(n);
        // The selected one of a group of two onto the other group's tabs, and back.
        const int nFrom = n % 2 == 0 ? P::kScript1 : P::kScript2;
        const int nOther = n % 2 == 0 ? P::kScript2 : P::kScript1;
        hand.Drag(fx.TabPoint(nFrom), fx.TabPoint(P::kComControl1), 60);
        ASSERT_TRUE(hand.Play());
        ASSERT_TRUE(fx.Reachable());
        EXPECT_TRUE(fx.GroupOf(nFrom) == fx.GroupOf(P::kDetailedLog))
            << "the tab ended " << (fx.FloatingFrameOf(pane(nFrom)) != nullptr ? "floating" : "docked")
            << " on dock bar " << pane(nFrom)->GetDockBarId() << ", in a group: " << (fx.GroupOf(nFrom) != nullptr);
        // Pressed away from where the last drop let go, or the press would make a double click.
        CUiDynTabControlBar* pOtherGroup = fx.GroupOf(nOther);
        const HWND hOther = pOtherGroup != nullptr ? pOtherGroup->m_hWnd : pane(nOther)->m_hWnd;
        ASSERT_TRUE(DragOntoMarker(fx.TabPoint(nFrom) + CPoint(12, 0), WindowRect(pane(nOther)).CenterPoint(), hOther, 8, 60));
        ASSERT_TRUE(fx.Reachable());
        ASSERT_TRUE(fx.GroupOf(nFrom) != nullptr);
        ASSERT_TRUE(fx.GroupOf(nFrom) == fx.GroupOf(nOther));
    }
}

TEST_F(PanesByMouse, OverADockMarkerTheDropAreaIsTintedUntilTheDrop)
{
    CUiDynTabControlBar* pBottom = fx.GroupOf(P::kDetailedLog);
    const CRect rcBottom = WindowRect(pBottom);
    const CPoint ptArea(rcBottom.left + 40, rcBottom.CenterPoint().y);
    const COLORREF clrBefore = ScreenPixel(ptArea);
    CUiDynDockMarkerWnd* pLeft = nullptr;
    bool bTinted = false, bStillTinted = false;
    const CPoint ptTab = fx.TabPoint(P::kScript2);
    hand.MoveTo(ptTab).Pause(40).Press().MoveTo(ptTab + CPoint(-10, -10), 4).MoveTo(fx.ViewPoint()).MoveTo(rcBottom.CenterPoint());
    // The markers of the view the drag passes come up first, and go at its next move.
    hand.Settle().WaitFor([&] { return (pLeft = InnerMarkerOfType(2, pBottom->m_hWnd)) != nullptr; });
    // The tint is looked for until it shows, however long the window takes to draw it.
    auto tinted = [&] { return pLeft != nullptr && pLeft->GetHighlight() != nullptr && ScreenPixel(ptArea) != clrBefore; };
    hand.MoveTo([&] { return pLeft != nullptr ? WindowRect(pLeft).CenterPoint() : rcBottom.CenterPoint(); })
        .Settle()
        .WaitFor([&] { return bTinted = tinted(); });
    // Resting on the marker, a few pixels further: the area stays.
    hand.MoveTo([&] { return pLeft != nullptr ? WindowRect(pLeft).CenterPoint() + CPoint(2, 2) : rcBottom.CenterPoint(); })
        .Settle()
        .Pause(300);
    hand.Call([&] { bStillTinted = tinted(); });
    hand.Release().Pause(60);
    ASSERT_TRUE(hand.Play());
    EXPECT_TRUE(bTinted);
    EXPECT_TRUE(bStillTinted);
    // Dropped on the left marker: beside the group, on its left.
    EXPECT_TRUE(fx.FloatingFrameOf(pane(P::kScript2)) == nullptr);
    EXPECT_LT(WindowRect(pane(P::kScript2)).CenterPoint().x, WindowRect(fx.GroupOf(P::kDetailedLog)).left);
    EXPECT_TRUE(fx.Reachable());
}

TEST_F(PanesByMouse, ATabDraggedAcrossAFloatingGroupsTabsOntoAnEdgeMarkerLeavesNoTabThere)
{
    CUiDynTabControlBar* pBottom = fx.GroupOf(P::kDetailedLog);
    hand.Drag(DefaultLayoutFixture::CaptionPoint(pBottom), fx.ViewPoint());
    ASSERT_TRUE(hand.Play());
    ASSERT_TRUE(fx.FloatingFrameOf(pBottom) != nullptr);
    const std::vector<UINT> tabs = TabsOf(P::kDetailedLog);
    // Over the floating group's tabs, where it offers a tab, then on to the left edge marker.
    const CPoint ptTab = fx.TabPoint(P::kScript2);
    const CPoint ptStrip = fx.TabPoint(P::kConnectionStatus);
    CUiDynDockMarkerWnd* pLeft = nullptr;
    hand.MoveTo(ptTab).Settle().Press().MoveTo(ptTab + CPoint(-10, -10), 4).MoveTo(ptStrip).Settle().Pause(150);
    hand.MoveTo(fx.ViewPoint() + CPoint(-150, 0)).Settle().WaitFor([&] {
        auto& outer = CUiDynDockMarkerWnd::OuterDockMarkers;
        return outer.GetSize() == 4 && (pLeft = outer[2]) != nullptr;
    });
    hand.MoveTo([&] { return pLeft != nullptr ? WindowRect(pLeft).CenterPoint() : fx.ViewPoint(); }).Settle();
    hand.Release().Settle();
    ASSERT_TRUE(hand.Play());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, pane(P::kScript2)->GetDockBarId());
    EXPECT_EQ(tabs, TabsOf(P::kDetailedLog));
    EXPECT_TRUE(fx.Reachable());
    // The strip shows what it holds: painted afresh, it looks the same.
    CUiDynTabWnd& strip = fx.GroupOf(P::kDetailedLog)->m_wndTabs;
    winharness::PumpPending();
    const Screenshot shown(WindowRect(&strip));
    strip.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    winharness::PumpPending();
    EXPECT_EQ(0, shown.Differences(Screenshot(WindowRect(&strip))));
}

// The right group floated by its caption, two of its tabs dragged out onto edge markers: the
// frame left holding the third pane takes its text and its close button, which hides it.
TEST_F(PanesByMouse, AFloatingFrameLeftWithOnePaneByTabsDraggedOutTakesItsTextAndCloseButton)
{
    hand.Drag(DefaultLayoutFixture::CaptionPoint(fx.GroupOf(P::kSendEditor)), fx.ViewPoint());
    ASSERT_TRUE(hand.Play());
    CUiMiniDockFrameWnd* pFloating = fx.FloatingFrameOf(fx.GroupOf(P::kSendEditor));
    ASSERT_TRUE(pFloating != nullptr);
    int nEdge = 3;
    for (int nPane : {P::kScript2, P::kScript1}) {
        const CPoint ptTab = fx.TabPoint(nPane);
        CUiDynDockMarkerWnd* pEdge = nullptr;
        hand.MoveTo(ptTab).Settle().Press().MoveTo(ptTab + CPoint(-10, -10), 4).MoveTo(fx.ViewPoint()).Settle();
        hand.WaitFor([&] {
            auto& outer = CUiDynDockMarkerWnd::OuterDockMarkers;
            return outer.GetSize() == 4 && (pEdge = outer[nEdge]) != nullptr;
        });
        hand.MoveTo([&] { return pEdge != nullptr ? WindowRect(pEdge).CenterPoint() : fx.ViewPoint(); }).Settle();
        hand.Release().Settle();
        ASSERT_TRUE(hand.Play());
        ASSERT_TRUE(fx.FloatingFrameOf(pane(nPane)) == nullptr);
        nEdge = 1;
    }
    ASSERT_TRUE(pFloating == fx.FloatingFrameOf(pane(P::kSendEditor)));
    CString strText, strPane;
    pFloating->GetWindowText(strText);
    pane(P::kSendEditor)->GetWindowText(strPane);
    EXPECT_EQ(strPane, strText);
    CUiBarNcAreaButton* pClose = nullptr;
    for (INT_PTR i = 0; i < pane(P::kSendEditor)->m_arrNcButtons.GetSize(); ++i) {
        if (pane(P::kSendEditor)->m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CUiBarNcAreaButtonClose)))
            pClose = pane(P::kSendEditor)->m_arrNcButtons[i];
    }
    ASSERT_TRUE(pClose != nullptr && pClose->IsButtonVisible());
    hand.Click(WindowRect(pFloating).TopLeft() + pClose->m_rc.CenterPoint()).Settle();
    ASSERT_TRUE(hand.Play());
    EXPECT_FALSE(pane(P::kSendEditor)->IsVisible());
}

} // namespace

// The right group floated by its caption and closed by its frame's close button: every pane
// of it left the screen, and the view menu says so of each; choosing one there shows that
// pane alone, in the frame, checked.
TEST_F(PanesByMouse, AFloatingGroupClosedByItsFrameLeavesEachPaneUncheckedAndTheViewMenuShowsOneAgain)
{
    class CheckOf : public CCmdUI {
    public:
        int nCheck = -1;
        explicit CheckOf(UINT nID) { m_nID = nID; }
        void Enable(BOOL) override {}
        void SetCheck(int n) override { nCheck = n; }
    };
    auto checks = [&] {
        std::vector<int> v;
        for (int nPane : {P::kSendEditor, P::kScript1, P::kScript2}) {
            CheckOf ui(Id(nPane));
            fx.pFrame->OnUpdateControlBarMenu(&ui);
            v.push_back(ui.nCheck);
        }
        return v;
    };
    auto shown = [&] {
        std::vector<int> v;
        for (int nPane : {P::kSendEditor, P::kScript1, P::kScript2})
            v.push_back(pane(nPane)->IsWindowVisible() ? 1 : 0);
        return v;
    };
    CUiDynTabControlBar* pGroup = fx.GroupOf(P::kSendEditor);
    hand.Drag(DefaultLayoutFixture::CaptionPoint(pGroup), fx.ViewPoint());
    ASSERT_TRUE(hand.Play());
    CUiMiniDockFrameWnd* pFloating = fx.FloatingFrameOf(pGroup);
    ASSERT_TRUE(pFloating != nullptr);
    CUiBarNcAreaButton* pClose = nullptr;
    for (INT_PTR i = 0; i < pGroup->m_arrNcButtons.GetSize(); ++i) {
        if (pGroup->m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CUiBarNcAreaButtonClose)))
            pClose = pGroup->m_arrNcButtons[i];
    }
    ASSERT_TRUE(pClose != nullptr && pClose->IsButtonVisible());
    hand.Click(WindowRect(pFloating).TopLeft() + pClose->m_rc.CenterPoint()).Settle();
    ASSERT_TRUE(hand.Play());
    EXPECT_FALSE(pFloating->IsWindowVisible());
    EXPECT_EQ((std::vector<int>{0, 0, 0}), shown());
    EXPECT_EQ((std::vector<int>{0, 0, 0}), checks());

    EXPECT_TRUE(fx.pFrame->OnBarCheck(Id(P::kScript1)));
    winharness::IdlePass();
    EXPECT_EQ((std::vector<int>{0, 1, 0}), shown());
    EXPECT_EQ((std::vector<int>{0, 1, 0}), checks());
    EXPECT_TRUE(fx.Reachable());

    // Closed by Alt+F4 in its frame, the same.
    ASSERT_TRUE(pFloating == fx.FloatingFrameOf(pGroup) && pFloating->IsWindowVisible());
    hand.Call([&] { e2e::Activate(pFloating->m_hWnd); }).Settle();
    hand.Call([] { e2e::Key(VK_F4, e2e::kAlt); }).Settle();
    ASSERT_TRUE(hand.Play());
    EXPECT_FALSE(pFloating->IsWindowVisible());
    EXPECT_EQ((std::vector<int>{0, 0, 0}), shown());
    EXPECT_EQ((std::vector<int>{0, 0, 0}), checks());
}
