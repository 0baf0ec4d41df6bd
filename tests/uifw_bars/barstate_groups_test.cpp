// Saved layouts with tabbed groups: the main window's default layout of its eight panes put
// back onto a fresh frame, a floating group of three with its second tab selected, floating
// bars, groups and containers docked back by a double click on the side they came from, and
// a bar floating alone that the saved layout does not name.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bars_test_support.h"
#include "layout_check_support.h"

#include "barstate.h"
#include "barstate_test_support.h"
#include "barstaterecords.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"

namespace {

using barstatetest::Bytes;
using barstest::Pane;
using barstest::PaneFrameFixture;

std::vector<UINT> TabIds(CUiDynTabControlBar* pGroup)
{
    std::vector<UINT> v;
    for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i)
        v.push_back((UINT)pGroup->m_wndTabs.GetItemBar(i, true)->GetDlgCtrlID());
    return v;
}

Bytes Save(CFrameWnd* pFrame)
{
    return barstatetest::Store([&](CArchive& ar) { EXPECT_TRUE(BarStateSerialize(ar, pFrame, nullptr)); });
}

bool Load(CFrameWnd* pFrame, const Bytes& bytes)
{
    const bool bLoaded = barstatetest::Load(bytes, [&](CArchive& ar) { return BarStateSerialize(ar, pFrame, nullptr); });
    pFrame->RecalcLayout();
    winharness::PumpPending();
    return bLoaded;
}

struct GroupShape {
    std::vector<UINT> tabs;
    std::vector<bool> shown;   // each tab's bar: its window shows and the bars menu checks it
    UINT nSelected = 0;
    CSize size;
    bool bFloating = false;
};

GroupShape ShapeOf(CUiControlBar* pBar)
{
    GroupShape shape;
    CUiDynTabControlBar* pGroup = pBar->GetTabContainerBar();
    if (pGroup == nullptr)
        return shape;
    shape.tabs = TabIds(pGroup);
    for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); ++i) {
        CUiControlBar* pTab = pGroup->m_wndTabs.GetItemBar(i, true);
        shape.shown.push_back(pTab->IsWindowVisible() && (pTab->GetStyle() & WS_VISIBLE) && pTab->IsVisible());
    }
    shape.nSelected = pGroup->GetSelectedBar() != nullptr ? (UINT)pGroup->GetSelectedBar()->GetDlgCtrlID() : 0;
    CRect rc;
    pGroup->GetWindowRect(&rc);
    shape.size = rc.Size();
    shape.bFloating = pGroup->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)) != FALSE;
    return shape;
}

void ExpectSameShape(const GroupShape& a, const GroupShape& b)
{
    EXPECT_EQ(a.tabs, b.tabs);
    EXPECT_EQ(a.shown, b.shown);
    EXPECT_EQ(a.nSelected, b.nSelected);
    EXPECT_EQ(a.size, b.size);
    EXPECT_EQ(a.bFloating, b.bFloating);
}

TEST(BarStateGroups, TheDefaultPaneLayoutComesBackWithItsGroupsTabsSelectionAndSizes)
{
    Bytes saved;
    GroupShape right, bottom;
    {
        PaneFrameFixture a;
        a.BuildDefaultLayout();
        right = ShapeOf(a.panes[PaneFrameFixture::kScript1]);
        bottom = ShapeOf(a.panes[PaneFrameFixture::kConnectionStatus]);
        ASSERT_EQ(3u, right.tabs.size());
        ASSERT_EQ(5u, bottom.tabs.size());
        ASSERT_EQ(std::vector<bool>(3, true), right.shown);
        ASSERT_EQ(std::vector<bool>(5, true), bottom.shown);
        saved = Save(a.pFrame);
    }
    PaneFrameFixture b;
    ASSERT_TRUE(Load(b.pFrame, saved));
    ExpectSameShape(right, ShapeOf(b.panes[PaneFrameFixture::kScript1]));
    ExpectSameShape(bottom, ShapeOf(b.panes[PaneFrameFixture::kConnectionStatus]));
    for (Pane* p : b.panes)
        EXPECT_FALSE(p->IsLeftOutByLayout());
    EXPECT_EQ(300, right.size.cx);
    EXPECT_EQ(250, bottom.size.cy);
}

TEST(BarStateGroups, TheSelectedTabIsFoundByItsBarWhenATabBeforeItIsHidden)
{
    Bytes saved;
    {
        PaneFrameFixture a;
        a.BuildDefaultLayout();
        CUiDynTabControlBar* pGroup = a.panes[PaneFrameFixture::kScript2]->GetTabContainerBar();
        ASSERT_NE(nullptr, pGroup);
        a.pFrame->ShowControlBar(a.panes[PaneFrameFixture::kSendEditor], FALSE, FALSE);
        pGroup->m_wndTabs.SelectionSet(pGroup->m_wndTabs.ItemFindByLParam((LPARAM)a.panes[PaneFrameFixture::kScript1]));
        a.pFrame->RecalcLayout();
        winharness::PumpPending();
        ASSERT_EQ(a.panes[PaneFrameFixture::kScript1], pGroup->GetSelectedBar());
        saved = Save(a.pFrame);
    }
    PaneFrameFixture b;
    ASSERT_TRUE(Load(b.pFrame, saved));
    CUiDynTabControlBar* pGroup = b.panes[PaneFrameFixture::kScript2]->GetTabContainerBar();
    ASSERT_NE(nullptr, pGroup);
    EXPECT_EQ(b.panes[PaneFrameFixture::kScript1], pGroup->GetSelectedBar());
    EXPECT_FALSE(b.panes[PaneFrameFixture::kSendEditor]->IsVisible());
}

TEST(BarStateGroups, AFloatingGroupOfThreeComesBackFloatingWithItsSecondTabSelected)
{
    Bytes saved;
    GroupShape floating;
    CRect rcFloat;
    {
        PaneFrameFixture a;
        barstest::Pane* pFirst = a.panes[PaneFrameFixture::kSendEditor];
        ASSERT_TRUE(pFirst->FloatAt(240, 180, CBRS_ALIGN_TOP));
        ASSERT_TRUE(pFirst->DockIntoTabbedGroup(a.panes[PaneFrameFixture::kScript1], -1));
        ASSERT_TRUE(pFirst->DockIntoTabbedGroup(a.panes[PaneFrameFixture::kScript2], -1));
        CUiDynTabControlBar* pGroup = pFirst->GetTabContainerBar();
        ASSERT_NE(nullptr, pGroup);
        ASSERT_EQ(3u, TabIds(pGroup).size());
        pGroup->m_wndTabs.SelectionSet(1, true, true);
        a.pFrame->RecalcLayout();
        winharness::PumpPending();
        floating = ShapeOf(a.panes[PaneFrameFixture::kScript1]);
        ASSERT_TRUE(floating.bFloating);
        ASSERT_EQ((UINT)a.panes[PaneFrameFixture::kScript1]->GetDlgCtrlID(), floating.nSelected);
        pGroup->GetParentFrame()->GetWindowRect(&rcFloat);
        saved = Save(a.pFrame);
    }
    PaneFrameFixture b;
    ASSERT_TRUE(Load(b.pFrame, saved));
    ExpectSameShape(floating, ShapeOf(b.panes[PaneFrameFixture::kScript1]));
    CRect rc;
    CFrameWnd* pFloat = b.panes[PaneFrameFixture::kScript1]->GetTabContainerBar()->GetParentFrame();
    pFloat->GetWindowRect(&rc);
    EXPECT_EQ(rcFloat, rc);
    EXPECT_TRUE(pFloat->IsWindowVisible());
}

// Panes leaving the floating containers they came in: each container left with one bar gives
// it its place, and the floating frame keeps its size then and after a load, as does every pane.
TEST(BarStateGroups, AFloatingContainerLeftHoldingAGroupAndAPaneKeepsItsSizeAndComesBackAtIt)
{
    using P = PaneFrameFixture;
    const int kPanes[] = {P::kConnectionStatus, P::kScript1, P::kScript2};
    Bytes saved;
    CRect rcFloat, rcBefore, rc;
    CSize sizes[3];
    {
        PaneFrameFixture a;
        ASSERT_TRUE(a.panes[P::kConnectionStatus]->FloatAt(596, 57, CBRS_ALIGN_TOP));
        ASSERT_TRUE(a.panes[P::kScript2]->DockIntoBar(50, a.panes[P::kConnectionStatus], AFX_IDW_DOCKBAR_BOTTOM, true));
        ASSERT_TRUE(a.panes[P::kScript1]->DockIntoBar(50, a.panes[P::kScript2], AFX_IDW_DOCKBAR_LEFT, true));
        layoutcheck::Idle();
        a.panes[P::kScript2]->GetParentFrame()->GetWindowRect(&rcBefore);
        ASSERT_TRUE(a.panes[P::kConnectionStatus]->DockIntoBar(50, a.panes[P::kScript2], AFX_IDW_DOCKBAR_TOP, true));
        ASSERT_TRUE(a.panes[P::kConnectionStatus]->DockIntoTabbedGroup(a.panes[P::kScript1], 1));
        layoutcheck::Idle();
        a.panes[P::kScript2]->GetParentFrame()->GetWindowRect(&rcFloat);
        EXPECT_EQ(rcBefore, rcFloat);
        for (int i = 0; i < 3; i++) {
            a.panes[kPanes[i]]->GetWindowRect(&rc);
            sizes[i] = rc.Size();
        }
        saved = Save(a.pFrame);
    }
    PaneFrameFixture b;
    ASSERT_TRUE(Load(b.pFrame, saved));
    layoutcheck::Idle();
    CFrameWnd* pFloat = b.panes[P::kScript2]->GetParentFrame();
    ASSERT_EQ(pFloat, b.panes[P::kScript1]->GetTabContainerBar()->GetParentFrame());
    pFloat->GetWindowRect(&rc);
    EXPECT_EQ(rcFloat, rc);
    for (int i = 0; i < 3; i++) {
        b.panes[kPanes[i]]->GetWindowRect(&rc);
        EXPECT_EQ(sizes[i], rc.Size()) << i;
    }
}

// The side of the frame where the bar is docked, through the containers holding it; 0 when
// it floats.
UINT SideOf(CControlBar* pBar)
{
    CDockBar* pDock = pBar->m_pDockBar;
    while (pDock != nullptr && pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar)))
        pDock = static_cast<CControlBar*>(pDock->GetParent())->m_pDockBar;
    return pDock == nullptr || pDock->m_bFloating ? 0 : (UINT)pDock->GetDlgCtrlID();
}

TEST(BarStateGroups, ADoubleClickOnAFloatingCaptionDocksItOnTheSideItFloatedFromBeforeTheLayoutWasSaved)
{
    using P = PaneFrameFixture;
    // A pane taken out of two side by side at the left, the bottom group, two other panes side
    // by side at the left.
    const struct {
        int nPane;
        bool bWhole;   // its group or container floats with it
        UINT nSide;
    } kFloated[] = {{P::kScript2, false, AFX_IDW_DOCKBAR_LEFT},
                    {P::kConnectionStatus, true, AFX_IDW_DOCKBAR_BOTTOM},
                    {P::kSendExplorer, true, AFX_IDW_DOCKBAR_LEFT}};
    Bytes saved;
    {
        PaneFrameFixture a;
        a.BuildDefaultLayout();
        for (int n : {P::kSendExplorer, P::kScript1}) {
            ASSERT_TRUE(a.panes[n]->FloatAt(300, 300, CBRS_ALIGN_TOP));
            ASSERT_TRUE(a.panes[n]->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
            ASSERT_TRUE(a.panes[n]->DockBarBeside(a.panes[n == P::kScript1 ? P::kScript2 : P::kComControl1],
                                                  AFX_IDW_DOCKBAR_RIGHT, 50));
        }
        layoutcheck::Idle();
        int nAt = 200;
        for (const auto& f : kFloated) {
            Pane* pPane = a.panes[f.nPane];
            ASSERT_EQ(f.nSide, SideOf(pPane)) << f.nPane;
            CWnd* pHolder = f.bWhole ? pPane->GetParent()->GetParent() : pPane;
            ASSERT_TRUE(static_cast<CUiControlBar*>(pHolder)->FloatAt(nAt, nAt, CBRS_ALIGN_TOP));
            nAt += 100;
            layoutcheck::Idle();
        }
        saved = Save(a.pFrame);
    }
    PaneFrameFixture b;
    ASSERT_TRUE(Load(b.pFrame, saved));
    for (const auto& f : kFloated) {
        CFrameWnd* pFloating = b.panes[f.nPane]->GetParentFrame();
        ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) << f.nPane;
        CRect rc;
        pFloating->GetWindowRect(&rc);
        const CPoint ptCaption(rc.left + 40, rc.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
        ASSERT_EQ(HTCAPTION, (int)pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
        pFloating->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
        layoutcheck::Idle();
        EXPECT_EQ(f.nSide, SideOf(b.panes[f.nPane])) << f.nPane;
    }
}

// A saved group may name panes this program does not have (another version wrote it). One
// left with a single pane gives it its place at once, docked or floating, as when a person
// drags the other panes out; a second save and load then puts every pane where the first did.
TEST(BarStateGroups, AGroupLeftWithOnePaneByTheLoadDissolvesAtOnceAndASecondRoundTripChangesNothing)
{
    const UINT kLone[] = {barstest::PaneSpecs()[PaneFrameFixture::kScript1].nID,
                          barstest::PaneSpecs()[PaneFrameFixture::kDetailedLog].nID};
    Bytes saved;
    {
        PaneFrameFixture a;
        a.BuildDefaultLayout();
        Pane* pDetail = a.panes[PaneFrameFixture::kDetailedLog];
        ASSERT_TRUE(pDetail->FloatAt(500, 300, CBRS_ALIGN_TOP));
        ASSERT_TRUE(pDetail->DockIntoTabbedGroup(a.panes[PaneFrameFixture::kSendExplorer], -1));
        CUiControlBar::InternalDockStateSite site(a.pFrame);
        site.CaptureState();
        UINT nUnknown = 0x7F00;
        for (INT_PTR i = 0; i < site.m_arrBars.GetSize(); i++) {
            auto& children = site.m_arrBars[i]->m_arrChildren;
            const bool bLone = std::any_of(children.GetData(), children.GetData() + children.GetSize(), [&](auto* p) {
                return p->m_nBarId == kLone[0] || p->m_nBarId == kLone[1];
            });
            for (INT_PTR c = 0; bLone && c < children.GetSize(); c++) {
                if (children[c]->m_nBarId != kLone[0] && children[c]->m_nBarId != kLone[1])
                    children[c]->m_nBarId = nUnknown++;
            }
        }
        ASSERT_EQ(0x7F03u, nUnknown);
        saved = barstatetest::Store([&](CArchive& ar) { site.SerializeState(ar); });
    }
    struct Place {
        CRuntimeClass* pHolder;
        UINT nSide;
        bool bFloating, bShown;
        CRect rc;
    };
    auto placeOf = [](CUiControlBar* p) {
        CRect rc;
        p->GetWindowRect(&rc);
        return Place{p->m_pDockBar->GetRuntimeClass(), p->GetDockBarId(), p->IsBarFloating() != FALSE,
                     p->IsWindowVisible() != FALSE, rc};
    };
    PaneFrameFixture b, c;
    ASSERT_TRUE(Load(b.pFrame, saved));
    ASSERT_TRUE(Load(c.pFrame, Save(b.pFrame)));
    for (int i = 0; i < 8; i++) {
        SCOPED_TRACE(i);
        if (b.panes[i]->GetDlgCtrlID() == (int)kLone[0] || b.panes[i]->GetDlgCtrlID() == (int)kLone[1]) {
            EXPECT_EQ(nullptr, b.panes[i]->GetTabContainerBar());
            EXPECT_TRUE(b.panes[i]->IsWindowVisible());
        }
        const Place first = placeOf(b.panes[i]), second = placeOf(c.panes[i]);
        EXPECT_STREQ(first.pHolder->m_lpszClassName, second.pHolder->m_lpszClassName);
        EXPECT_EQ(first.nSide, second.nSide);
        EXPECT_EQ(first.bFloating, second.bFloating);
        EXPECT_EQ(first.bShown, second.bShown);
        if (first.bShown) {
            EXPECT_EQ(first.rc, second.rc);
        }
    }
    EXPECT_TRUE(b.panes[PaneFrameFixture::kDetailedLog]->IsBarFloating());
}

// The send data editor's group, beside the bottom group in a column on the right, docked at the
// top takes no more than the frame leaves there: the view and the group left on the right keep
// a usable height, a taller frame does not give it the column's height, and a save and load put
// every pane back where it was.
TEST(BarStateGroups, AGroupDockedAtTheTopFromAColumnTakesWhatTheFrameLeavesAndComesBackThere)
{
    auto viewOf = [](PaneFrameFixture& fx) { return layoutcheck::ShownPart(fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)); };
    Bytes saved;
    std::vector<CRect> rects;
    {
        PaneFrameFixture a;
        a.BuildDefaultLayout();
        Pane* pEditor = a.panes[PaneFrameFixture::kSendEditor];
        Pane* pDetail = a.panes[PaneFrameFixture::kDetailedLog];
        ASSERT_TRUE(pDetail->GetTabContainerBar()->DockIntoBar(50, pEditor, AFX_IDW_DOCKBAR_RIGHT, true));
        layoutcheck::Idle();
        CUiDynTabControlBar* pTop = pEditor->GetTabContainerBar();
        ASSERT_TRUE(pTop->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false));
        layoutcheck::Idle();
        ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, pDetail->GetTabContainerBar()->GetDockBarId());
        CRect rcClient;
        a.pFrame->GetClientRect(&rcClient);
        EXPECT_GE(viewOf(a).Height(), rcClient.Height() / 4);
        EXPECT_GE(layoutcheck::ShownPart(pDetail).Height(), 60);
        const int nTop = layoutcheck::ShownPart(pTop).Height();
        EXPECT_LE(nTop, rcClient.Height() - rcClient.Height() / 4);

        a.pFrame->SetWindowPos(NULL, 0, 0, 1200, 1000, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layoutcheck::Idle();
        EXPECT_EQ(nTop, layoutcheck::ShownPart(pTop).Height()) << "a taller frame";
        a.pFrame->SetWindowPos(NULL, 0, 0, 1200, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layoutcheck::Idle();
        for (Pane* p : a.panes)
            rects.push_back(layoutcheck::ShownPart(p));
        rects.push_back(viewOf(a));
        saved = Save(a.pFrame);
    }
    PaneFrameFixture b;
    ASSERT_TRUE(Load(b.pFrame, saved));
    layoutcheck::Idle();
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(layoutcheck::RectText(rects[i]), layoutcheck::RectText(layoutcheck::ShownPart(b.panes[i]))) << i;
    EXPECT_EQ(layoutcheck::RectText(rects[8]), layoutcheck::RectText(viewOf(b))) << "the view";
}

TEST(BarStateGroups, ABarFloatingAloneIsDockedOnTheSideOfItsStyleAndHiddenWhenTheLayoutDoesNotNameIt)
{
    PaneFrameFixture a;
    CUiControlBar::InternalDockStateSite site(a.pFrame);
    site.CaptureState();
    const Bytes empty = barstatetest::Store([&](CArchive& ar) { site.SerializeState(ar); });

    CUiControlBar* pBar = a.panes[PaneFrameFixture::kScript1];
    ASSERT_TRUE(pBar->FloatAt(300, 200, CBRS_ALIGN_TOP));
    winharness::PumpPending();
    pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    CFrameWnd* pFloat = pBar->GetParentFrame();
    ASSERT_TRUE(pFloat->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)));
    ASSERT_TRUE(Load(a.pFrame, empty));
    EXPECT_EQ(a.pFrame, pBar->GetParentFrame());
    ASSERT_NE(nullptr, pBar->m_pDockBar);
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, (UINT)pBar->m_pDockBar->GetDlgCtrlID());
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_TRUE(pBar->IsLeftOutByLayout());
    // A bar never docked waits on the inner ring, where it has its size once it shows.
    CUiControlBar* pNever = a.panes[PaneFrameFixture::kScript2];
    EXPECT_TRUE(pNever->IsLeftOutByLayout());
    a.pFrame->ShowControlBar(pNever, TRUE, FALSE);
    a.pFrame->RecalcLayout();
    CRect rc;
    pNever->GetWindowRect(&rc);
    EXPECT_GT(rc.Width(), 20);
    EXPECT_GT(rc.Height(), 20);
}

} // namespace
