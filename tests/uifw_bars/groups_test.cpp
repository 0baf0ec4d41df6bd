// Tabbed groups on a real frame: making a group from two bars, what may not join one, the
// frame's own group object, containers spreading over tabs, the strip (its height, the keys,
// the right-click menu, OLE data over it), painting only the tab on top, the Close button of a group, a bar leaving a group
// of two for another, a group's visibility following its bars inside a container, and the
// main window's default layout of its eight panes.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "bars_test_support.h"
#include "layout_check_support.h"

#include "cmdmanager.h"
#include "ncareabutton.h"
#include "popupmenuwnd.h"

namespace {

using barstest::Pane;
using barstest::PaneFrameFixture;
using barstest::StandInToolBar;

std::vector<CUiControlBar*> Tabs(CUiDynTabControlBar* pGroup)
{
    std::vector<CUiControlBar*> v;
    for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i)
        v.push_back(pGroup->m_wndTabs.GetItemBar(i, true));
    return v;
}

class GroupTest : public barstest::BarsOnFrameTest {
protected:
    GroupTest() : BarsOnFrameTest(CRect(40, 40, 900, 700)) {}
    void TearDown() override
    {
        CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
        BarsOnFrameTest::TearDown();
    }
    // The pane's entry of the bars menu chosen, and the frame laid out at idle.
    void Toggle(Pane* p)
    {
        CUiControlBar::ToggleBarById(fx.pFrame, (UINT)p->GetDlgCtrlID(), true);
        Layout();
    }
    // b1 on the right, b2 joined to it.
    CUiDynTabControlBar* MakeGroup(Pane*& b1, Pane*& b2, UINT nFirstId)
    {
        b1 = MakePane(nFirstId, "One");
        b2 = MakePane(nFirstId + 1, "Two");
        b1->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false);
        b2->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false);
        Layout();
        if (!b1->DockIntoTabbedGroup(b2, -1, nullptr, true))
            return nullptr;
        Layout();
        return b1->GetTabContainerBar();
    }
    // The same with b3 joined at the end.
    CUiDynTabControlBar* MakeGroupOfThree(Pane*& b1, Pane*& b2, Pane*& b3, UINT nFirstId)
    {
        CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, nFirstId);
        b3 = MakePane(nFirstId + 2, "Three");
        if (pGroup == nullptr || !b1->DockIntoTabbedGroup(b3, -1, nullptr, true))
            return nullptr;
        Layout();
        return pGroup;
    }
    // MakeGroup's group with b3 docked below b1, which puts the group and b3 in a container;
    // not laid out yet.
    CUiDynTabControlBar* MakeGroupInContainer(Pane*& b1, Pane*& b2, Pane*& b3, UINT nFirstId)
    {
        CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, nFirstId);
        b3 = MakePane(nFirstId + 2, "Three");
        if (pGroup == nullptr || !b3->DockIntoBar(50, b1, AFX_IDW_DOCKBAR_BOTTOM, true))
            return nullptr;
        return pGroup;
    }
};

TEST_F(GroupTest, TwoBarsMakeAGroupInTheFirstOnesPlaceWithItsStripShown)
{
    Pane* b1 = MakePane(0xD001, "One");
    Pane* b2 = MakePane(0xD002, "Two");
    b1->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false);
    b2->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false);
    Layout();
    CDockBar* pOuter = b1->m_pDockBar;
    const int nIndex = pOuter->FindBar(b1);
    ASSERT_GT(nIndex, 0);
    const int nRequests = fx.pFrame->nTabbedRequests;

    ASSERT_TRUE(b1->DockIntoTabbedGroup(b2, -1, nullptr, true));
    Layout();
    EXPECT_EQ(nRequests + 1, fx.pFrame->nTabbedRequests);
    CControlBar* pEntry = static_cast<CControlBar*>(pOuter->m_arrBars[nIndex]);
    ASSERT_TRUE(pEntry->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)));
    CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(pEntry);
    EXPECT_EQ(pGroup, b1->GetTabContainerBar());
    EXPECT_EQ(pGroup, b2->GetTabContainerBar());
    EXPECT_EQ((std::vector<CUiControlBar*>{b1, b2}), Tabs(pGroup));
    EXPECT_EQ(0, pGroup->m_wndTabs.SelectionGet());
    EXPECT_TRUE(pGroup->m_wndTabs.IsWindowVisible());

    // The strip is as high as its items area and 6 more (and a line above).
    const int nHeight = pGroup->CalcTabStripHeight();
    EXPECT_EQ(pGroup->m_wndTabs.GetItemsArea().Height() + 6, nHeight);
    CRect rcStrip;
    pGroup->m_wndTabs.GetWindowRect(&rcStrip);
    EXPECT_EQ(nHeight + 1, rcStrip.Height());

    // Toolbars join no group, on either side.
    StandInToolBar* pTool = new StandInToolBar;
    bars.push_back(pTool);
    ASSERT_TRUE(pTool->Create(fx.pFrame, 0xD003));
    fx.pFrame->DockControlBar(pTool, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(b1->DockIntoTabbedGroup(pTool, -1, nullptr, true));
    EXPECT_FALSE(pTool->DockIntoTabbedGroup(b1, -1, nullptr, true));
    EXPECT_EQ((std::vector<CUiControlBar*>{b1, b2}), Tabs(pGroup));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pTool->GetDockBarId());
}

class OwnGroup : public CUiDynTabControlBar {
};

// A group whose window cannot be made.
class FailingGroup : public CUiDynTabControlBar {
public:
    static int nDeleted;
    ~FailingGroup() override { ++nDeleted; }
    BOOL PreCreateWindow(CREATESTRUCT&) override { return FALSE; }
};
int FailingGroup::nDeleted = 0;

TEST_F(GroupTest, TheFramesOwnGroupObjectIsUsedAndAContainerSpreadsOverTabs)
{
    // A group that cannot be made is deleted and nothing changes.
    Pane* a1 = MakePane(0xD018, "A");
    Pane* a2 = MakePane(0xD019, "B");
    a1->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false);
    Layout();
    CDockBar* pDockOfA1 = a1->m_pDockBar;
    fx.pFrame->pTabbedBar = new FailingGroup;
    EXPECT_FALSE(a1->DockIntoTabbedGroup(a2, -1, nullptr, true));
    EXPECT_EQ(1, FailingGroup::nDeleted);
    EXPECT_EQ(pDockOfA1, a1->m_pDockBar);
    EXPECT_GT(pDockOfA1->FindBar(a1), 0);
    EXPECT_EQ(nullptr, a2->m_pDockBar);

    OwnGroup* pOwn = new OwnGroup;
    fx.pFrame->pTabbedBar = pOwn;
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD011);
    ASSERT_EQ(pOwn, pGroup);

    Pane* c1 = MakePane(0xD013, "Three");
    Pane* c2 = MakePane(0xD014, "Four");
    c1->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    Layout();
    ASSERT_TRUE(c1->DockBarBeside(c2, AFX_IDW_DOCKBAR_TOP, 50));
    CUiControlBar* pContainer = static_cast<CUiControlBar*>(c1->GetParent()->GetParent());
    ASSERT_TRUE(pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    const HWND hContainer = pContainer->m_hWnd;
    ASSERT_TRUE(pGroup->DockIntoTabbedGroup(pContainer, -1, nullptr, true));
    Layout();
    EXPECT_EQ((std::vector<CUiControlBar*>{b1, b2, c2, c1}), Tabs(pGroup));
    EXPECT_FALSE(::IsWindow(hContainer));
    EXPECT_EQ(pGroup, c1->GetTabContainerBar());
}

namespace stripmenu {
std::vector<UINT> ids;
int Refuse(const PopupTrackCall& call, UINT*)
{
    ids = barstest::MenuCmdIds(call.pMenu);
    return CUiPopupMenuWnd::kHookRefuse;
}
} // namespace stripmenu

TEST_F(GroupTest, TheStripSwitchesByKeysListsItsBarsAndTakesNoOleData)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD021);
    ASSERT_NE(nullptr, pGroup);
    CUiDynTabWnd& tabs = pGroup->m_wndTabs;
    ASSERT_EQ(3, tabs.ItemGetCount());
    EXPECT_EQ(2, tabs.SelectionGet());   // the bar that joined at the end

    MSG msg = {tabs.m_hWnd, WM_KEYDOWN, VK_NEXT, 0, 0, {0, 0}};
    {
        winharness::KeyboardModifiers ctrl(winharness::kCtrl);
        EXPECT_TRUE(tabs.PreTranslateMessage(&msg));
        EXPECT_EQ(0, tabs.SelectionGet());
        msg.wParam = VK_PRIOR;
        EXPECT_TRUE(tabs.PreTranslateMessage(&msg));
        EXPECT_EQ(2, tabs.SelectionGet());
        // Only one tab whose bar shows: nothing changes.
        b1->ShowWindow(SW_HIDE);
        b2->ShowWindow(SW_HIDE);
        msg.wParam = VK_NEXT;
        EXPECT_TRUE(tabs.PreTranslateMessage(&msg));
        EXPECT_EQ(2, tabs.SelectionGet());
        b1->ShowWindow(SW_SHOWNA);
        b2->ShowWindow(SW_SHOWNA);
        EXPECT_EQ(1, tabs.SelectionGet());   // a bar shown again gets its tab selected
        // Keys at a bar of the group reach the strip through the group first.
        MSG atBar = {b1->m_hWnd, WM_KEYDOWN, VK_PRIOR, 0, 0, {0, 0}};
        EXPECT_TRUE(b1->PreTranslateMessage(&atBar));
        EXPECT_EQ(0, tabs.SelectionGet());
        tabs.SelectionSet(2);
    }
    {
        winharness::KeyboardModifiers ctrlShift(winharness::kCtrl | winharness::kShift);
        tabs.PreTranslateMessage(&msg);
        EXPECT_EQ(2, tabs.SelectionGet());
    }

    // A right click lists one command per tab and tells the frame with event code 9.
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("groups", fx.hFrame));
    for (UINT nID : {0xD021u, 0xD022u, 0xD023u}) {
        CUiCmdItem item(nID);
        item.m_strMenuText = "Bar";
        ASSERT_TRUE(pManager->CmdSetup("groups", item, true));
    }
    fx.pFrame->menuEvents.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &stripmenu::Refuse;
    CRect rcStrip;
    tabs.GetWindowRect(&rcStrip);
    tabs.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    tabs.SendMessage(WM_CONTEXTMENU, (WPARAM)tabs.m_hWnd, MAKELPARAM(rcStrip.left + 5, rcStrip.top + 5));
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    ASSERT_FALSE(fx.pFrame->menuEvents.empty());
    EXPECT_EQ(9, fx.pFrame->menuEvents.back().nEvent);
    EXPECT_EQ((std::vector<UINT>{0xD021, 0xD022, 0xD023}), stripmenu::ids);
    pManager->ProfileReleaseWindow(fx.hFrame, true);

    // OLE data over a tab selects it and is refused.
    const CPoint ptTab = tabs.ItemGetWindowRect(1).CenterPoint();
    EXPECT_EQ(DROPEFFECT_NONE, tabs.m_dropTarget.OnDragOver(&tabs, nullptr, 0, ptTab));
    EXPECT_EQ(1, tabs.SelectionGet());
    EXPECT_EQ(DROPEFFECT_NONE, tabs.m_dropTarget.OnDragEnter(&tabs, nullptr, 0, tabs.ItemGetWindowRect(0).CenterPoint()));
    EXPECT_EQ(0, tabs.SelectionGet());
}

TEST_F(GroupTest, ANewTextWidensTheBarsTabAndIsTheGroupsCaptionWhileTheBarIsSelected)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xA0A1);
    ASSERT_NE(nullptr, pGroup);
    CUiDynTabWnd& strip = pGroup->m_wndTabs;
    strip.SelectionSet(strip.ItemFindByLParam((LPARAM)b1));
    strip.UpdateLayout(true);
    const int nTab = strip.ItemFindByLParam((LPARAM)b1);
    const int nBefore = strip.ItemGetWindowRect(nTab).Width();
    b1->SetWindowText("One with a much longer caption");
    EXPECT_GT(strip.ItemGetWindowRect(nTab).Width(), nBefore);
    CString strText;
    pGroup->GetWindowText(strText);
    EXPECT_STREQ("One with a much longer caption", strText);
    b2->SetWindowText("Two again");
    pGroup->GetWindowText(strText);
    EXPECT_STREQ("One with a much longer caption", strText);
}

TEST_F(GroupTest, AnExposedGroupPaintsOnlyTheTabOnTopAndATabBroughtUpPaintsAnew)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupOfThree(b1, b2, b3, 0xD0A0);
    ASSERT_NE(nullptr, pGroup);
    const std::vector<Pane*> panes = {b1, b2, b3};
    pGroup->m_wndTabs.SelectionSet(1);
    Layout();
    for (Pane* p : panes)
        p->nPaints = 0;

    // The frame exposed as a whole, as when it is first shown or uncovered.
    ::RedrawWindow(fx.hFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    winharness::PumpPending();
    EXPECT_GE(b2->nPaints, 1);
    EXPECT_EQ(0, b1->nPaints);
    EXPECT_EQ(0, b3->nPaints);

    // A tab selected comes up and paints, though its paint was dropped while it lay below.
    for (int nTab : {2, 0}) {
        pGroup->m_wndTabs.SelectionSet(nTab);
        winharness::PumpPending();
        EXPECT_GE(panes[nTab]->nPaints, 1) << nTab;
    }
}

TEST_F(GroupTest, CloseOnAGroupHidesOnlyTheSelectedBar)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD031);
    ASSERT_NE(nullptr, pGroup);
    pGroup->m_wndTabs.SelectionSet(1, true, true);
    CUiBarNcAreaButton* pClose = nullptr;
    for (INT_PTR i = 0; i < pGroup->m_arrNcButtons.GetSize(); ++i) {
        if (pGroup->m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CUiBarNcAreaButtonClose)))
            pClose = pGroup->m_arrNcButtons[i];
    }
    ASSERT_NE(nullptr, pClose);
    ASSERT_TRUE(pClose->IsButtonVisible());
    CRect rcGroup;
    pGroup->GetWindowRect(&rcGroup);
    const CPoint pt = rcGroup.TopLeft() + pClose->m_rc.CenterPoint();
    pGroup->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    pGroup->SendMessage(WM_NCLBUTTONDOWN, HTMINBUTTON, MAKELPARAM(pt.x, pt.y));
    pGroup->SendMessage(WM_NCLBUTTONUP, HTMINBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(b2->IsVisible());
    EXPECT_TRUE(b1->IsVisible());
    EXPECT_TRUE(pGroup->IsVisible());
}

TEST_F(GroupTest, ABarLeavingAGroupOfTwoForAnotherGroupLivesOnThere)
{
    Pane *b1, *b2;
    CUiDynTabControlBar* pGroup = MakeGroup(b1, b2, 0xD101);
    ASSERT_NE(nullptr, pGroup);
    Pane* b3 = MakePane(0xD103, "Three");
    b3->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    Layout();
    pGroup->m_wndTabs.SelectionSet(pGroup->m_wndTabs.ItemFindByLParam((LPARAM)b1));
    // The group left with one bar dissolves while b1 moves: b1 must not go with it.
    ASSERT_TRUE(b3->DockIntoTabbedGroup(b1, -1));
    Layout();
    ASSERT_NE(nullptr, b1->GetSafeHwnd());
    ASSERT_NE(nullptr, b3->GetTabContainerBar());
    EXPECT_EQ(b3->GetTabContainerBar(), b1->GetTabContainerBar());
    EXPECT_TRUE(b1->IsWindowVisible());
    EXPECT_EQ(nullptr, b2->GetTabContainerBar());
    EXPECT_TRUE(b2->IsWindowVisible());
}

TEST_F(GroupTest, AGroupInsideAContainerShowsWithItsFirstShownBarAndHidesWithItsLast)
{
    Pane *b1, *b2, *b3;
    CUiDynTabControlBar* pGroup = MakeGroupInContainer(b1, b2, b3, 0xD111);
    ASSERT_NE(nullptr, pGroup);
    Layout();
    ASSERT_TRUE(pGroup->GetParent()->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)));
    Toggle(b1);
    Toggle(b2);
    EXPECT_FALSE(pGroup->GetStyle() & WS_VISIBLE);
    Toggle(b2);
    EXPECT_TRUE(b2->IsWindowVisible());
    // b2 floats off while b1 stays hidden: nothing of the group is left to show.
    ASSERT_TRUE(b2->FloatAt(300, 200, CBRS_ALIGN_TOP));
    Layout();
    EXPECT_FALSE(pGroup->GetStyle() & WS_VISIBLE);
    Toggle(b1);
    EXPECT_TRUE(b1->IsWindowVisible());
    EXPECT_TRUE(b3->IsWindowVisible());

    // A group of three whose only shown pane floats off beside a hidden pane: nothing of the
    // container is left to show either.
    Pane* b4 = MakePane(0xD114, "Four");
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b4, -1, nullptr, true));
    ASSERT_TRUE(b2->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false));
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b2, -1, nullptr, true));
    Layout();
    for (Pane* p : {b1, b3, b4})
        Toggle(p);
    ASSERT_TRUE(b2->IsWindowVisible());
    ASSERT_NE(nullptr, b2->GetTabContainerBar());
    CWnd* pContainer = b2->GetTabContainerBar()->GetParent()->GetParent();
    ASSERT_TRUE(pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    layoutcheck::LayOutAtIdle();
    ASSERT_TRUE(b2->FloatAt(300, 200, CBRS_ALIGN_TOP));
    layoutcheck::LayOutAtIdle();
    EXPECT_FALSE(pContainer->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(b1->GetTabContainerBar()->GetStyle() & WS_VISIBLE);
}

// The main window groups a pane a saved layout left out with an anchor that may be hidden: the
// pane shows with its new group or container, and the hidden one comes back from the bars menu.
TEST_F(GroupTest, APaneJoiningAHiddenOneShowsAndTheHiddenOneComesBack)
{
    auto expectOnScreen = [](Pane* p) {
        EXPECT_TRUE(p->IsWindowVisible()) << std::hex << p->GetDlgCtrlID();
        CRect rc;
        p->GetWindowRect(&rc);
        EXPECT_FALSE(rc.IsRectEmpty()) << std::hex << p->GetDlgCtrlID();
    };
    Pane* pHidden = MakePane(0xD121, "Hidden");
    pHidden->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false);
    Pane* pBeside = MakePane(0xD122, "Beside");
    pBeside->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    Pane *g1, *g2, *pNeighbour;
    CUiDynTabControlBar* pInner = MakeGroupInContainer(g1, g2, pNeighbour, 0xD123);
    ASSERT_NE(nullptr, pInner);
    Layout();
    for (Pane* p : {pHidden, pBeside, g1, g2, pNeighbour})
        Toggle(p);
    ASSERT_FALSE(pInner->GetParent()->GetParent()->GetStyle() & WS_VISIBLE);

    Pane* j1 = MakePane(0xD126, "Joins the hidden pane");
    Pane* j2 = MakePane(0xD127, "Docks beside the hidden pane");
    Pane* j3 = MakePane(0xD128, "Joins the group in a hidden container");
    for (Pane* p : {j1, j2, j3})
        p->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false);
    Layout();
    ASSERT_TRUE(pHidden->DockIntoTabbedGroup(j1, -1));
    ASSERT_TRUE(j2->DockIntoBar(50, pBeside, AFX_IDW_DOCKBAR_BOTTOM, true));
    ASSERT_TRUE(g2->DockIntoTabbedGroup(j3, -1));
    Layout();
    for (Pane* p : {j1, j2, j3})
        expectOnScreen(p);
    for (Pane* p : {pHidden, pBeside, g1, g2, pNeighbour}) {
        EXPECT_FALSE(p->IsWindowVisible()) << std::hex << p->GetDlgCtrlID();
        Toggle(p);
        expectOnScreen(p);
    }
}

// A pane that spanned the frame remembers a side thickness as wide as the frame; docked at the
// outer edge it still leaves the panes docked inside it, a group in a container among them,
// a part of the frame of their own.
TEST_F(GroupTest, APaneAsWideAsTheFrameDockedOutsideLeavesTheGroupInsideItOnScreen)
{
    Pane *b1, *b2, *b3;
    ASSERT_NE(nullptr, MakeGroupInContainer(b1, b2, b3, 0xD131));
    Pane* pWide = MakePane(0xD134, "Wide");
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    pWide->m_sizeVert = CSize(rcClient.Width(), 300);
    pWide->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    Layout();
    for (Pane* p : {b1, b3, pWide})
        EXPECT_FALSE(layoutcheck::ShownPart(p).IsRectEmpty()) << std::hex << p->GetDlgCtrlID();
}

// A container remembering less than its group's caption and strip take, across its rows or
// along them or as a floating frame, is laid out large enough for the group's selected pane and
// for the pane beside it.
TEST_F(GroupTest, AThinContainerShowsTheSelectedPaneOfItsGroupAndThePaneBesideIt)
{
    Pane* b1 = MakePane(0xD141, "One");
    Pane* b2 = MakePane(0xD142, "Two");
    Pane* b3 = MakePane(0xD143, "Three");
    b1->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false);
    ASSERT_TRUE(b1->DockIntoTabbedGroup(b2, -1, nullptr, true));
    ASSERT_TRUE(b3->DockIntoBar(50, b1, AFX_IDW_DOCKBAR_BOTTOM, true));
    CUiDynTabControlBar* pGroup = b1->GetTabContainerBar();
    CUiDynControlBar* pContainer = static_cast<CUiDynControlBar*>(pGroup->GetParent()->GetParent());
    ASSERT_TRUE(pContainer->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    pContainer->m_sizeHorz.cy = 10;
    Layout();
    ASSERT_EQ(2, pGroup->m_wndTabs.ItemGetVisibleCount());
    auto expectBothShown = [&](const char* pszWhere) {
        EXPECT_FALSE(layoutcheck::ShownPart(pGroup->GetSelectedBar()).IsRectEmpty()) << pszWhere;
        EXPECT_FALSE(layoutcheck::ShownPart(b3).IsRectEmpty()) << pszWhere;
    };
    expectBothShown("across");

    // Along: the group remembers a length below its least, the pane beside it the rest.
    CRect rcInner;
    pContainer->m_pInnerDockBar->GetClientRect(&rcInner);
    pGroup->m_sizeVert.cy = 10;
    b3->m_sizeVert.cy = rcInner.Height() - 10;
    Layout();
    expectBothShown("along");

    // Floating, at a size below what the group and the pane beside it take.
    ASSERT_TRUE(pContainer->FloatAt(300, 200, CBRS_ALIGN_TOP));
    Layout();
    pContainer->m_sizeFloat = CSize(60, 30);
    pContainer->GetParentFrame()->RecalcLayout();
    winharness::PumpPending();
    expectBothShown("floating");
}

// Panes remembering widths a wider frame gave them, docked side by side on both sides (one
// shown again from the bars menu after another was docked at the edge), still leave the view a
// quarter of the client area and share the rest alike, the last laid out as wide as the first,
// also after a layout query (a drag asks one at every move); a frame wide enough gives each its
// remembered width back.
TEST_F(GroupTest, PanesRememberingMoreThanTheFrameHoldsLeaveTheViewAQuarterAndGetTheirWidthsBackLater)
{
    Pane *b1, *b2;
    ASSERT_NE(nullptr, MakeGroup(b1, b2, 0xD151));
    CUiDynTabControlBar* pGroup = b1->GetTabContainerBar();
    Pane* pLeft = MakePane(0xD153, "Left");
    Pane* pHidden = MakePane(0xD154, "Hidden");
    Pane* pEdge = MakePane(0xD155, "Edge");
    pGroup->m_sizeVert.cx = 220;
    for (Pane* p : {pLeft, pHidden, pEdge})
        p->m_sizeVert = CSize(220, 300);
    pLeft->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    pHidden->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    Layout();
    Toggle(pHidden);
    pEdge->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false);
    Layout();
    Toggle(pHidden);
    CRect rcQuery(0, 0, 0, 0);
    CUiControlBar::RepositionBarsEx(fx.pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcQuery, NULL, TRUE);
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    const CRect rcView = layoutcheck::ShownPart(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
    EXPECT_GE(rcView.Width(), std::max(100, rcClient.Width() / 4));
    EXPECT_GE(rcView.Height(), std::max(60, rcClient.Height() / 4));
    for (CUiControlBar* p : {(CUiControlBar*)pGroup, (CUiControlBar*)pLeft, (CUiControlBar*)pHidden, (CUiControlBar*)pEdge}) {
        CRect rcWindow;
        p->GetWindowRect(&rcWindow);
        EXPECT_EQ(rcWindow, layoutcheck::ShownPart(p)) << std::hex << p->GetDlgCtrlID() << ": cut off";
        EXPECT_NEAR(layoutcheck::ShownPart(pEdge).Width(), layoutcheck::ShownPart(p).Width(), 20) << std::hex << p->GetDlgCtrlID();
    }

    fx.pFrame->SetWindowPos(NULL, 0, 0, 1280, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    for (CUiControlBar* p : {(CUiControlBar*)pGroup, (CUiControlBar*)pLeft, (CUiControlBar*)pHidden, (CUiControlBar*)pEdge})
        EXPECT_EQ(220, layoutcheck::ShownPart(p).Width()) << std::hex << p->GetDlgCtrlID();
}

TEST(DefaultLayout, EightPanesInARightAndABottomGroup)
{
    PaneFrameFixture fx;
    Pane** p = fx.panes;
    Pane* pScript1 = p[PaneFrameFixture::kScript1];
    pScript1->m_sizeHorz = pScript1->m_sizeVert = CSize(300, 300);
    ASSERT_TRUE(pScript1->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false));
    ASSERT_TRUE(pScript1->DockIntoTabbedGroup(p[PaneFrameFixture::kScript2], 1));
    ASSERT_TRUE(pScript1->DockIntoTabbedGroup(p[PaneFrameFixture::kSendEditor], 0));
    Pane* pStatus = p[PaneFrameFixture::kConnectionStatus];
    pStatus->m_sizeHorz = pStatus->m_sizeVert = CSize(250, 250);
    ASSERT_TRUE(pStatus->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false));
    ASSERT_TRUE(pStatus->DockIntoTabbedGroup(p[PaneFrameFixture::kComControl2], 1));
    ASSERT_TRUE(pStatus->DockIntoTabbedGroup(p[PaneFrameFixture::kComControl1], 1));
    ASSERT_TRUE(pStatus->DockIntoTabbedGroup(p[PaneFrameFixture::kSendExplorer], 1));
    ASSERT_TRUE(pStatus->DockIntoTabbedGroup(p[PaneFrameFixture::kDetailedLog], 0));
    fx.pFrame->RecalcLayout();
    winharness::PumpPending();

    CUiDynTabControlBar* pRight = pScript1->GetTabContainerBar();
    CUiDynTabControlBar* pBottom = pStatus->GetTabContainerBar();
    ASSERT_NE(nullptr, pRight);
    ASSERT_NE(nullptr, pBottom);
    EXPECT_EQ((std::vector<CUiControlBar*>{p[PaneFrameFixture::kSendEditor], pScript1, p[PaneFrameFixture::kScript2]}),
              Tabs(pRight));
    EXPECT_EQ(p[PaneFrameFixture::kSendEditor], pRight->GetSelectedBar());
    EXPECT_EQ((std::vector<CUiControlBar*>{p[PaneFrameFixture::kDetailedLog], pStatus, p[PaneFrameFixture::kSendExplorer],
                                           p[PaneFrameFixture::kComControl1], p[PaneFrameFixture::kComControl2]}),
              Tabs(pBottom));
    EXPECT_EQ(p[PaneFrameFixture::kDetailedLog], pBottom->GetSelectedBar());

    CRect rcRight, rcBottom, rcView;
    pRight->GetWindowRect(&rcRight);
    pBottom->GetWindowRect(&rcBottom);
    fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcView);
    EXPECT_EQ(300, rcRight.Width());
    EXPECT_EQ(250, rcBottom.Height());
    ASSERT_TRUE(pBottom->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)));
    ASSERT_TRUE(pRight->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)));
    EXPECT_EQ(1u, pBottom->GetDockBarLevel());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, pBottom->GetDockBarId());
    EXPECT_EQ(2u, pRight->GetDockBarLevel());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, pRight->GetDockBarId());
    EXPECT_LE(rcRight.bottom, rcBottom.top);   // pushed inward by the bottom group
    EXPECT_EQ(rcRight.left, rcView.right);
    EXPECT_EQ(rcBottom.top, rcView.bottom);
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    fx.pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcClient.left, rcView.left);
    EXPECT_EQ(rcClient.top, rcView.top);
    EXPECT_EQ(rcClient.right, rcRight.right);
    EXPECT_EQ(rcClient.bottom, rcBottom.bottom);
}

// Every ring of every side with its rows, from the frame's edge inwards; a group is named by
// its first tab's pane.
std::string RingRows(CFrameWnd* pFrame)
{
    std::ostringstream out;
    for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        for (auto* p = static_cast<CUiDockBar*>(pFrame->GetControlBar(nSide))->m_pInner; p != nullptr; p = p->m_pInner) {
            out << std::hex << nSide << " ring " << p->m_nLevel << ':';
            for (const auto& row : layoutcheck::RowsOf(p)) {
                out << " [";
                for (CControlBar* pBar : row) {
                    if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)))
                        out << " group of " << static_cast<CUiDynTabControlBar*>(pBar)->m_wndTabs.GetItemBar(0, true)->GetDlgCtrlID();
                    else
                        out << ' ' << pBar->GetDlgCtrlID();
                }
                out << " ]";
            }
            out << '\n';
        }
    }
    return out.str();
}

// COM control 1 docked outermost on the right, floated as a caption drag ends and docked back
// as a double click on its frame docks it: outermost on the right again, every ring and row as
// before; the same for the right group floated by a double click on its caption after a pane
// took a row of its own inside it in its ring.
TEST(DefaultLayout, BarsDockedBackByADoubleClickTakeTheRingAndTheRowTheyLeft)
{
    PaneFrameFixture fx;
    fx.BuildDefaultLayout();
    Pane** p = fx.panes;
    Pane* pCom1 = p[PaneFrameFixture::kComControl1];
    CUiDynTabControlBar* pRight = p[PaneFrameFixture::kScript1]->GetTabContainerBar();
    ASSERT_TRUE(pCom1->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false));
    layoutcheck::LayOutAtIdle();
    const std::string outermost = RingRows(fx.pFrame);
    ASSERT_TRUE(pCom1->FloatAt(300, 300, CBRS_ALIGN_TOP));
    layoutcheck::LayOutAtIdle();
    ASSERT_TRUE(pCom1->DockAtMRUPlace());
    layoutcheck::LayOutAtIdle();
    EXPECT_EQ(outermost, RingRows(fx.pFrame));
    CRect rcCom1, rcRight;
    pCom1->GetWindowRect(&rcCom1);
    pRight->GetWindowRect(&rcRight);
    EXPECT_GE(rcCom1.left, rcRight.right);

    ASSERT_TRUE(p[PaneFrameFixture::kComControl2]->InsertIntoFrameDockBar(AFX_IDW_DOCKBAR_RIGHT, pRight->GetDockBarLevel()));
    layoutcheck::LayOutAtIdle();
    const std::string inside = RingRows(fx.pFrame);
    pRight->ToggleDocking();
    layoutcheck::LayOutAtIdle();
    ASSERT_TRUE(pRight->IsBarFloating());
    ASSERT_TRUE(pRight->DockAtMRUPlace());
    layoutcheck::LayOutAtIdle();
    EXPECT_EQ(inside, RingRows(fx.pFrame));
}

// The frame's list of bars (what the drag targets are found among) names a group, not its
// bars, and never a plain container but its bars; the bars menu still lists every pane.
TEST(DefaultLayout, TheFramesBarListStandsEachGroupInForItsBarsButTheBarsMenuListsEveryPane)
{
    PaneFrameFixture fx;
    fx.BuildDefaultLayout();
    Pane c1, c2;
    c1.m_bAutoDelete = c2.m_bAutoDelete = FALSE;
    ASSERT_TRUE(c1.Create("C1", fx.pFrame, 0x9401, 0x5640283C));
    ASSERT_TRUE(c2.Create("C2", fx.pFrame, 0x9402, 0x5640283C));
    c1.EnableDocking(CBRS_ALIGN_ANY);
    c2.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(c1.DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
    ASSERT_TRUE(c2.DockIntoBarHalf(&c1, AFX_IDW_DOCKBAR_BOTTOM, true));
    ASSERT_TRUE(c1.m_pDockBar->GetParent()->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    Pane** p = fx.panes;
    CUiDynTabControlBar* pRight = p[PaneFrameFixture::kScript1]->GetTabContainerBar();
    CUiDynTabControlBar* pBottom = p[PaneFrameFixture::kDetailedLog]->GetTabContainerBar();

    CArray<CUiControlBar*, CUiControlBar*> arr;
    CUiControlBar::CollectFrameBars(nullptr, fx.pFrame, arr, 0xFFF, 0, 0);
    std::vector<CUiControlBar*> bars(arr.GetData(), arr.GetData() + arr.GetSize());
    std::sort(bars.begin(), bars.end());
    std::vector<CUiControlBar*> expected{pRight, pBottom, &c1, &c2};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, bars);
    // Left out with one of its bars, a group still stands in for the others.
    arr.RemoveAll();
    p[PaneFrameFixture::kScript1]->CollectBarsOfSameFrame(true, arr, 0xFFF, 0, 0);
    EXPECT_EQ(4, arr.GetSize());

    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("panes", fx.hFrame));
    std::vector<UINT> ids = barstest::BarsMenuCmdIds(fx.pFrame, &c1);
    std::sort(ids.begin(), ids.end());
    std::vector<UINT> all{0x9401, 0x9402};
    for (int i = 0; i < 8; ++i)
        all.push_back(barstest::PaneSpecs()[i].nID);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, ids);
    pManager->ProfileReleaseWindow(fx.hFrame, true);
    ::DestroyWindow(fx.hFrame);
    winharness::PumpPending();
}

} // namespace
