// Control bars and dock bars on a real frame: creation, the frame's outer dock bars, rings,
// the window services and the tracked outlines.
#include <gtest/gtest.h>

#include "afxole.h"
#include "cmdmanager.h"
#include "dockbar.h"
#include "dragstate.h"
#include "dynbar.h"
#include "minidockframewnd.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"
#include "popupmenuwnd.h"
#include "bars_test_support.h"
#include "winharness.h"

namespace {

class BarsFrameTest : public ::testing::Test {
protected:
    BarsFrameTest()
    {
        pFrame = new CFrameWnd;
        pFrame->Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 620, 460));
        hFrame = pFrame->GetSafeHwnd();
    }
    ~BarsFrameTest() override
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
    }
    CUiDockBar* Side(UINT nID) { return static_cast<CUiDockBar*>(pFrame->GetControlBar(nID)); }
    CFrameWnd* pFrame;
    HWND hFrame;
};

TEST_F(BarsFrameTest, CreateTakesTheCommandTextAndTheBarLivesThroughWmClose)
{
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("bars", hFrame));
    CUiCmdItem item(40001);
    item.m_strMenuText = "Pa&ne\nTip";
    ASSERT_TRUE(pManager->CmdSetup("bars", item, true));

    CUiControlBar* pBar = new CUiControlBar;
    ASSERT_TRUE(pBar->Create(NULL, pFrame, 40001, 0x5640283C));
    CString strText;
    pBar->GetWindowText(strText);
    EXPECT_STREQ("Pane", strText);
    char szClass[64] = {};
    ::GetClassNameA(pBar->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("VaviRIZ-ControlBar", szClass);
    EXPECT_EQ(0x40283Cu, pBar->m_dwStyle);
    EXPECT_EQ(0x56000000u, (DWORD)::GetWindowLong(pBar->m_hWnd, GWL_STYLE) & 0xFF000000u);
    EXPECT_EQ(0, pBar->SendMessage(WM_CLOSE));
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));

    // Docked at the top: a stored height of 2 is raised to the horizontal minimum.
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pBar->GetDockBarId());
    pBar->m_sizeHorz.cy = 2;
    EXPECT_EQ(pBar->GetMinExtentHorz(), pBar->CalcFixedLayout(FALSE, TRUE).cy);
    EXPECT_EQ(pBar->GetMinExtentHorz(), pBar->m_sizeHorz.cy);

    bool bListed = false;
    for (INT_PTR i = 0; i < CUiControlBar::g_arrAllBars.GetSize(); ++i)
        bListed = bListed || CUiControlBar::g_arrAllBars[i] == pBar;
    EXPECT_TRUE(bListed);
    pBar->DestroyWindow();
    bListed = false;
    for (INT_PTR i = 0; i < CUiControlBar::g_arrAllBars.GetSize(); ++i)
        bListed = bListed || CUiControlBar::g_arrAllBars[i] == pBar;
    EXPECT_TRUE(bListed);   // until its destructor
    delete pBar;
    for (INT_PTR i = 0; i < CUiControlBar::g_arrAllBars.GetSize(); ++i)
        EXPECT_NE(pBar, CUiControlBar::g_arrAllBars[i]);
    pManager->ProfileReleaseWindow(hFrame, true);
}

TEST_F(BarsFrameTest, EnableFrameDockingReplacesTheRequestedSidesOnly)
{
    EXPECT_FALSE(EnableFrameDocking(pFrame, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM, FALSE));
    EXPECT_TRUE(Side(AFX_IDW_DOCKBAR_TOP)->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)));
    EXPECT_TRUE(Side(AFX_IDW_DOCKBAR_BOTTOM)->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)));
    EXPECT_EQ(nullptr, pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_NE(RUNTIME_CLASS(CUiMiniDockFrameWnd), pFrame->m_pFloatingFrameClass);

    EXPECT_TRUE(EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE));
    EXPECT_EQ(RUNTIME_CLASS(CUiMiniDockFrameWnd), pFrame->m_pFloatingFrameClass);
    CControlBar* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(pTop->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)));
    EXPECT_EQ(1u, CUiDockBar::AppendRing(pFrame));
    EXPECT_EQ(pTop, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(BarsFrameTest, RingsComeAndGoAndAPlaceholderContainerDoesNotHangTheOptimisation)
{
    ASSERT_TRUE(EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE));
    CUiDockBar* pOuterTop = Side(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(1u, CUiDockBar::AppendRing(pFrame));
    ASSERT_EQ(2u, CUiDockBar::AppendRing(pFrame));
    CUiDockBar* pRing1 = pOuterTop->m_pInner;
    ASSERT_NE(nullptr, pRing1);
    CUiDockBar* pRing2 = pRing1->m_pInner;
    ASSERT_NE(nullptr, pRing2);
    EXPECT_EQ(1u, pRing1->m_nLevel);
    EXPECT_EQ(pRing1, pRing2->m_pOuter);
    EXPECT_EQ((int)AFX_IDW_DOCKBAR_TOP, pRing2->GetDlgCtrlID());
    EXPECT_EQ(2u, Side(AFX_IDW_DOCKBAR_RIGHT)->GetInnerLevel());

    // Ring 2 holds a bar; ring 1 is empty and goes.
    CUiControlBar* pBar = new CUiControlBar;
    pBar->m_bAutoDelete = FALSE;
    ASSERT_TRUE(pBar->Create("Pane", pFrame, 0x9001, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    pRing2->DockBarAtEdge(pBar, false);   // ends with the optimisation
    EXPECT_EQ(pRing2, pOuterTop->m_pInner);
    EXPECT_EQ(1u, pRing2->m_nLevel);
    EXPECT_EQ(pBar->m_pDockBar, pRing2);

    // A container holding only a placeholder stays; the walk still ends.
    CUiDynControlBar* pContainer = new CUiDynControlBar;
    ASSERT_TRUE(pContainer->Create(NULL, pFrame, AFX_IDW_DOCKBAR_LEFT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_NE(nullptr, pContainer->m_pInnerDockBar);
    pContainer->m_pInnerDockBar->m_arrBars.InsertAt(1, (void*)(UINT_PTR)0x9003);
    const HWND hContainer = pContainer->m_hWnd;
    CUiDockBar::OptimizeRings(pFrame);
    EXPECT_TRUE(::IsWindow(hContainer));

    // A new ring inserted at level 1 pushes the ring holding the bar inwards.
    EXPECT_TRUE(CUiDockBar::InsertRingAtLevel(pFrame, 1));
    EXPECT_EQ(2u, pRing2->m_nLevel);
    ASSERT_NE(nullptr, pOuterTop->m_pInner);
    EXPECT_EQ(1u, pOuterTop->m_pInner->m_nLevel);
    EXPECT_EQ(pRing2, pOuterTop->m_pInner->m_pInner);
    EXPECT_FALSE(CUiDockBar::InsertRingAtLevel(pFrame, 1));   // all four of ring 1 empty: nothing

    // A dock bar destroyed with bars leaves them alive on the frame.
    CUiControlBar* pSecond = new CUiControlBar;
    pSecond->m_bAutoDelete = FALSE;
    ASSERT_TRUE(pSecond->Create("Two", pFrame, 0x9004, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    pRing2->DockBarAtEdge(pSecond, false);
    pRing2->ReleaseAllBars();
    EXPECT_EQ(1, pRing2->m_arrBars.GetSize());
    EXPECT_EQ(nullptr, pBar->m_pDockBar);
    pRing2->DockBarAtEdge(pBar, false);
    pRing2->DockBarAtEdge(pSecond, false);
    pRing2->DestroyRingDockBar();
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
    EXPECT_TRUE(::IsWindow(pSecond->m_hWnd));
    EXPECT_EQ(pFrame->m_hWnd, ::GetParent(pBar->m_hWnd));
    EXPECT_EQ(pFrame->m_hWnd, ::GetParent(pSecond->m_hWnd));
    pBar->DestroyWindow();
    pSecond->DestroyWindow();
    delete pBar;
    delete pSecond;
}

TEST_F(BarsFrameTest, RightDockBarPutsAnInnerSideBarFirstInARowOfItsOwn)
{
    ASSERT_TRUE(EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE));
    CUiDockBar* pRight = Side(AFX_IDW_DOCKBAR_RIGHT);
    CUiControlBar* pA = new CUiControlBar;
    CUiControlBar* pB = new CUiControlBar;
    ASSERT_TRUE(pA->Create("A", pFrame, 0x9011, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    ASSERT_TRUE(pB->Create("B", pFrame, 0x9012, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    pRight->SetLayoutLock(true);
    pRight->DockBarAtEdge(pA, false);
    pRight->DockBarAtEdge(pB, true);
    EXPECT_EQ(pB, pRight->m_arrBars[1]);
    EXPECT_EQ(nullptr, pRight->m_arrBars[2]);
    EXPECT_EQ(pA, pRight->m_arrBars[3]);
    pRight->SetLayoutLock(false);
}

TEST_F(BarsFrameTest, HelpHitTestStatusTextAndTheQueryLayout)
{
    class CHelpBar : public CUiControlBar {
    public:
        int nAnswer = -2;
        int HelpHitTestAt(int, int) override { return nAnswer; }
    };
    CHelpBar bar;
    ASSERT_TRUE(bar.Create("Help", pFrame, 0x9021, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    EXPECT_EQ(-1, bar.SendMessage(WM_HELPHITTEST, 0, 0));
    bar.nAnswer = 5;
    EXPECT_EQ(0x10005, bar.SendMessage(WM_HELPHITTEST, 0, 0));

    // Without a status bar the frame gets WM_SETMESSAGESTRING.
    class CRecordingFrame : public CFrameWnd {
    public:
        std::vector<WPARAM> ids;
        LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
        {
            if (nMsg == WM_SETMESSAGESTRING)
                ids.push_back(wParam);
            return CFrameWnd::WindowProc(nMsg, wParam, lParam);
        }
    };
    CRecordingFrame* pRec = new CRecordingFrame;
    ASSERT_TRUE(pRec->Create(NULL, "Rec"));
    CUiControlBar::ShowCommandStatusText(pRec, 40001);
    CUiControlBar::ShowCommandStatusText(pRec, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ((std::vector<WPARAM>{40001, AFX_IDS_IDLEMESSAGE}), pRec->ids);

    // With a status bar the command's prompt goes into its first pane, from a child window too.
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("status", pRec->m_hWnd));
    CUiCmdItem item(40001);
    item.m_strTipStatus = "Prompt";
    ASSERT_TRUE(pManager->CmdSetup("status", item, true));
    CStatusBar status;
    ASSERT_TRUE(status.Create(pRec));
    const UINT indicators[] = {0, 40002};
    ASSERT_TRUE(status.SetIndicators(indicators, 2));
    pRec->ids.clear();
    CUiControlBar::ShowCommandStatusText(&status, 40001);
    EXPECT_STREQ("Prompt", status.GetPaneText(0));
    EXPECT_TRUE(pRec->ids.empty());
    CUiControlBar::ShowCommandStatusText(pRec, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ((std::vector<WPARAM>{AFX_IDS_IDLEMESSAGE}), pRec->ids);
    pManager->ProfileReleaseWindow(pRec->m_hWnd, true);
    pRec->DestroyWindow();

    // A child that leaves itself out is ignored in a query only.
    class CLeaveOutBar : public CUiControlBar {
    public:
        int nSizeParent = 0;
        LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
        {
            if (nMsg == g_nMsgQueryRepositionCalcEffect) {
                reinterpret_cast<LayoutQueryRecord*>(wParam)->bMode |= LayoutQueryRecord::kLeaveMeOut;
                return 0;
            }
            if (nMsg == WM_SIZEPARENT)
                ++nSizeParent;
            return CUiControlBar::WindowProc(nMsg, wParam, lParam);
        }
    };
    CLeaveOutBar leave;
    ASSERT_TRUE(leave.Create("Out", pFrame, 0x9022, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    CRect rc;
    CUiControlBar::RepositionBarsEx(pFrame, 0x9022, 0x9022, 0, reposQuery, &rc, NULL, TRUE);
    EXPECT_EQ(0, leave.nSizeParent);
    CUiControlBar::RepositionBarsEx(pFrame, 0x9022, 0x9022, 0, reposDefault, NULL, NULL, TRUE);
    EXPECT_EQ(1, leave.nSizeParent);
}

// Asked whether it takes part in the layout, a bar whose show waits for the frame's next
// layout is shown now; a hidden bar stays hidden.
TEST(BarVisibility, AShowWaitingForTheLayoutIsMadeWhenTheBarIsAskedAboutItsPlace)
{
    barstest::FrameFixture fx;
    barstest::StandInToolBar tool;
    ASSERT_TRUE(tool.Create(fx.pFrame, 0x9311));
    fx.pFrame->DockControlBar(&tool, AFX_IDW_DOCKBAR_TOP);
    fx.pFrame->ShowControlBar(&tool, FALSE, FALSE);
    fx.pFrame->RecalcLayout();
    winharness::PumpPending();
    EXPECT_FALSE(tool.IsVisibleInLayout());
    EXPECT_FALSE(tool.IsWindowVisible());
    fx.pFrame->ShowControlBar(&tool, TRUE, TRUE);
    ASSERT_FALSE(tool.IsWindowVisible());
    EXPECT_TRUE(tool.IsVisibleInLayout());
    EXPECT_TRUE(tool.IsWindowVisible());
    tool.DestroyWindow();
}

// An item active in place in the frame's view keeps the bars that ask for it out of the
// layout; a floating frame answers for its frame and an MDI frame for its active child; a print
// preview or a plain document hides nothing.
TEST(BarVisibility, AnItemActiveInPlaceInTheFramesViewKeepsTheBarsThatAskItHidden)
{
    COleDocument doc;   // outlives the frame's views
    CDocument plain;
    barstest::FrameFixture fx;
    CCreateContext ctx;
    ctx.m_pCurrentDoc = &doc;
    auto viewOn = [&ctx](CView* pView, CFrameWnd* pFrame) {
        pView->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 0, 0), pFrame, 0xE901, &ctx);
        pFrame->SetActiveView(pView, FALSE);
        return pView;
    };
    COleClientItem* pItem = new COleClientItem(&doc);
    pItem->m_pView = viewOn(new CView, fx.pFrame);
    pItem->m_nItemState = COleClientItem::activeUIState;
    barstest::StandInToolBar tool;
    ASSERT_TRUE(tool.Create(fx.pFrame, 0x9321));
    tool.m_dwStyle |= CBRS_HIDE_INPLACE;
    fx.pFrame->DockControlBar(&tool, AFX_IDW_DOCKBAR_TOP);
    fx.pFrame->ShowControlBar(&tool, FALSE, FALSE);
    fx.pFrame->ShowControlBar(&tool, TRUE, TRUE);
    EXPECT_FALSE(tool.IsVisibleInLayout());
    CMiniDockFrameWnd* pFloating = fx.pFrame->CreateFloatingFrame(CBRS_ALIGN_TOP);
    EXPECT_TRUE(CUiControlBar::IsInPlaceActiveFrame(pFloating));
    pFloating->DestroyWindow();

    pItem->m_pView = viewOn(new CPreviewView, fx.pFrame);
    EXPECT_FALSE(CUiControlBar::IsInPlaceActiveFrame(fx.pFrame));
    ctx.m_pCurrentDoc = &plain;
    viewOn(new CView, fx.pFrame);
    EXPECT_TRUE(tool.IsVisibleInLayout());

    CMDIFrameWnd* pMdi = new CMDIFrameWnd;
    ASSERT_TRUE(pMdi->Create(NULL, "MDI", WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310)));
    CMDIChildWnd* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(NULL, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pMdi));
    ctx.m_pCurrentDoc = &doc;
    pItem->m_pView = viewOn(new CView, pChild);
    EXPECT_TRUE(CUiControlBar::IsInPlaceActiveFrame(pMdi));
    pMdi->DestroyWindow();
    tool.DestroyWindow();
}

TEST_F(BarsFrameTest, BarInADialogIsContained)
{
    winharness::HiddenParent parent;
    HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | CBRS_TOP | CBRS_GRIPPER, 0, 0, 50, 50, parent, NULL,
                                    NULL, NULL);
    CUiControlBar bar;
    ASSERT_TRUE(bar.SubclassWindow(hChild));
    EXPECT_TRUE(bar.m_bBarFlags & CUiControlBar::kContained);
    EXPECT_EQ((DWORD)(CBRS_TOP | CBRS_GRIPPER), bar.m_dwStyle & (CBRS_TOP | CBRS_GRIPPER));
    bar.m_bBarFlags &= ~CUiControlBar::kFrameLayout;
    AFX_SIZEPARENTPARAMS layout = {};
    layout.rect = CRect(0, 0, 100, 100);
    EXPECT_EQ(0, bar.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout));
    EXPECT_EQ(CRect(0, 0, 100, 100), CRect(layout.rect));
    // Keys at a contained bar with the focus are its dialog's to translate (the frame's
    // accelerators and menu keys come through the dialog's bar); the bar eats none.
    for (UINT nMsg : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR}) {
        MSG msg = {hChild, nMsg, nMsg == WM_SYSCHAR ? (WPARAM)'v' : (WPARAM)VK_F12, 0};
        EXPECT_FALSE(bar.PreTranslateMessage(&msg)) << nMsg;
    }
    bar.UnsubclassWindow();
    ::DestroyWindow(hChild);
}

TEST(BarsMenu, FramesBarsWithTextBecomeCommandsUnlessTheFrameBuildsTheMenu)
{
    barstest::FrameFixture fx;
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("menu", fx.hFrame));
    barstest::StandInToolBar tb;
    ASSERT_TRUE(tb.Create(fx.pFrame, 0x9101));
    tb.SetWindowText("Tools");
    CUiControlBar named, unnamed;
    ASSERT_TRUE(named.Create("Named", fx.pFrame, 0x9102, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(unnamed.Create("", fx.pFrame, 0x9103, WS_CHILD | WS_VISIBLE | CBRS_TOP));

    fx.pFrame->bAnswerConstruct = true;
    EXPECT_TRUE(CUiDockBar::BuildBarsPopupMenu(fx.pFrame, nullptr, 1, &named, WM_RBUTTONUP, 0));
    EXPECT_EQ(nullptr, pManager->CmdGetPtr("menu", 0x9102));
    fx.pFrame->bAnswerConstruct = false;
    EXPECT_TRUE(CUiDockBar::BuildBarsPopupMenu(fx.pFrame, nullptr, 1, &named, WM_RBUTTONUP, 0));
    ASSERT_NE(nullptr, pManager->CmdGetPtr("menu", 0x9102));
    EXPECT_STREQ("Named", pManager->CmdGetPtr("menu", 0x9102)->m_strMenuText);
    EXPECT_NE(nullptr, pManager->CmdGetPtr("menu", 0x9101));
    EXPECT_EQ(nullptr, pManager->CmdGetPtr("menu", 0x9103));
    ASSERT_EQ(2u, fx.pFrame->menuEvents.size());
    EXPECT_EQ(1, fx.pFrame->menuEvents[0].nEvent);
    tb.DestroyWindow();
    named.DestroyWindow();
    unnamed.DestroyWindow();
    pManager->ProfileReleaseWindow(fx.hFrame, true);
}

namespace menucheck {
std::vector<UINT> ids;
UINT nFlags = 0;
int Refuse(const PopupTrackCall& call, UINT*)
{
    nFlags = call.nFlags;
    ids = barstest::MenuCmdIds(call.pMenu);
    return 1;
}
} // namespace menucheck

TEST(BarsMenu, FixedSizeBarsThenASeparatorThenTheResizableOnes)
{
    barstest::FrameFixture fx;
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("menu2", fx.hFrame));
    barstest::StandInToolBar t1, t2;
    ASSERT_TRUE(t1.Create(fx.pFrame, 0x9301));
    ASSERT_TRUE(t2.Create(fx.pFrame, 0x9302));
    t1.SetWindowText("T1");
    t2.SetWindowText("T2");
    CUiControlBar p1, p2, p3;
    ASSERT_TRUE(p1.Create("P1", fx.pFrame, 0x9303, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(p2.Create("P2", fx.pFrame, 0x9304, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(p3.Create("", fx.pFrame, 0x9305, WS_CHILD | WS_VISIBLE | CBRS_TOP));

    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    ASSERT_TRUE(pMenu->InitRootMenu(fx.hFrame));
    EXPECT_TRUE(CUiDockBar::BuildBarsPopupMenu(fx.pFrame, pMenu, 1, &p1, WM_RBUTTONUP, 0));
    const std::vector<UINT> ids = barstest::MenuCmdIds(pMenu);
    EXPECT_EQ((std::vector<UINT>{0x9301, 0x9302, 0xFFFFFFFF, 0x9303, 0x9304}), ids);
    ASSERT_EQ(5, pMenu->ItemGetCount());
    EXPECT_TRUE(pMenu->ItemGetInfo(2).IsSeparator());
    delete pMenu;

    fx.pFrame->bAnswerConstruct = true;
    pMenu = new CUiPopupMenuWnd;
    ASSERT_TRUE(pMenu->InitRootMenu(fx.hFrame));
    EXPECT_TRUE(CUiDockBar::BuildBarsPopupMenu(fx.pFrame, pMenu, 1, &p1, WM_RBUTTONUP, 0));
    EXPECT_EQ(0, pMenu->ItemGetCount());
    delete pMenu;
    fx.pFrame->bAnswerConstruct = false;

    // A right click on the bar's non-client area tracks the filled menu at the cursor.
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &menucheck::Refuse;
    p1.SendMessage(WM_NCRBUTTONUP, HTCAPTION, 0);
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    EXPECT_EQ(0x800u, menucheck::nFlags);
    EXPECT_EQ(ids, menucheck::ids);
    for (CWnd* p : std::initializer_list<CWnd*>{&t1, &t2, &p1, &p2, &p3})
        p->DestroyWindow();
    pManager->ProfileReleaseWindow(fx.hFrame, true);
}

TEST(OuterDocking, ABarWantingItsOwnRowDockedInsideARowEndsAloneBeforeIt)
{
    barstest::FrameFixture fx;
    CUiDockOuterBar* pTop = static_cast<CUiDockOuterBar*>(fx.Side(AFX_IDW_DOCKBAR_TOP));
    barstest::StandInToolBar a, b, menu;
    menu.bRowOfItsOwn = true;
    ASSERT_TRUE(a.Create(fx.pFrame, 0x9201));
    ASSERT_TRUE(b.Create(fx.pFrame, 0x9202));
    ASSERT_TRUE(menu.Create(fx.pFrame, 0x9203));
    pTop->DockControlBarEx(&a, nullptr, false);
    pTop->DockControlBarEx(&b, nullptr, false);
    pTop->m_arrBars.RemoveAll();
    for (void* p : {(void*)nullptr, (void*)&a, (void*)&b, (void*)nullptr})
        pTop->m_arrBars.Add(p);
    fx.pFrame->RecalcLayout();
    CRect rcA, rcB;
    a.GetWindowRect(&rcA);
    b.GetWindowRect(&rcB);
    ASSERT_EQ(rcA.top, rcB.top);
    CRect rcDrop(rcA.right - 10, rcA.top, rcA.right + 10, rcA.bottom);   // between the two
    pTop->DockControlBarEx(&menu, &rcDrop, false);
    ASSERT_EQ(6, pTop->m_arrBars.GetSize());
    EXPECT_EQ(&menu, pTop->m_arrBars[1]);
    EXPECT_EQ(nullptr, pTop->m_arrBars[2]);
    EXPECT_EQ(&a, pTop->m_arrBars[3]);
    EXPECT_EQ(&b, pTop->m_arrBars[4]);
    a.DestroyWindow();
    b.DestroyWindow();
    menu.DestroyWindow();
}

TEST(DragDockMode, TheLookDecidesBetweenTrackingRectanglesAndMarkers)
{
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    ASSERT_TRUE(holder.SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManager)));
    CUiControlBar bar;
    EXPECT_EQ(0, CUiControlBar::GetDragDockMode());
    EXPECT_FALSE(bar.IsMarkerDockingMode());
    ASSERT_TRUE(holder.SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005)));
    EXPECT_EQ(1, CUiControlBar::GetDragDockMode());
    EXPECT_TRUE(bar.IsMarkerDockingMode());
    EXPECT_FALSE(bar.IsLiveRowResize());   // marker-guided: resizing still uses a tracker
    holder.SetPaintManager(nullptr);
}

TEST(DragState, CursorKindIsNotComparedAndEmptyFalseRearms)
{
    CUiControlBar::InternalDraggingState_t a(nullptr), b(nullptr);
    a.m_nCursorKind = 1;
    b.m_nCursorKind = 2;
    EXPECT_TRUE(a.IsEqual(b));
    b.m_nKind = 5;
    EXPECT_FALSE(a.IsEqual(b));
    a.m_rect = CRect(1, 2, 3, 4);
    a.Empty(false);
    EXPECT_FALSE(a.IsEmptyState());
    EXPECT_TRUE(a.m_rect.IsRectEmpty());
    a.m_rect = CRect(1, 2, 3, 4);
    a.Empty(false);   // not empty already: the rectangle stays
    EXPECT_EQ(CRect(1, 2, 3, 4), a.m_rect);
}

TEST_F(BarsFrameTest, TabbedOutlineInvertsAndRestoresUnlessTheFrameDrawsIt)
{
    class CHandlingFrame : public CFrameWnd {
    public:
        bool bHandle = false;
        LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
        {
            if (nMsg == CUiControlBar::g_nMsgDrawTackedArea && bHandle)
                reinterpret_cast<DrawTrackedAreaData*>(wParam)->m_bFlags |= DrawTrackedAreaData::kHandled;
            return CFrameWnd::WindowProc(nMsg, wParam, lParam);
        }
    };
    CHandlingFrame* pOwner = new CHandlingFrame;
    ASSERT_TRUE(pOwner->Create(NULL, "Owner"));
    CUiControlBar bar;
    ASSERT_TRUE(bar.Create("Src", pOwner, 0x9031, WS_CHILD | CBRS_TOP));
    winharness::DibSurface surface(100, 30, RGB(255, 255, 255));
    DrawTrackedAreaData data(&bar, surface.cdc(), 3, CRect(0, 0, 100, 30), false);
    DrawTrackedArea(data);
    const int nChanged = surface.CountOther(RGB(255, 255, 255));
    EXPECT_GT(nChanged, 0);
    // The 15-px tab: the tab's interior, right of the corner piece, is not drawn.
    const int cx = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(RGB(255, 255, 255), surface.Pixel(8 + cx + 2, 30 - 15 + 2));
    // The corner piece at the left edge is 15 high: the frame line above it is drawn.
    EXPECT_NE(RGB(255, 255, 255), surface.Pixel(1, 30 - 15 - 1));
    EXPECT_EQ(RGB(255, 255, 255), surface.Pixel(1, 30 - 15 + 1));
    EXPECT_EQ(RGB(255, 255, 255), surface.Pixel(50, 5));   // the body is not drawn either
    DrawTrackedArea(data);
    EXPECT_EQ(0, surface.CountOther(RGB(255, 255, 255)));
    pOwner->bHandle = true;
    DrawTrackedArea(data);
    EXPECT_EQ(0, surface.CountOther(RGB(255, 255, 255)));

    // A bar without a frame gets the default drawing: the halftone inverts every other pixel.
    CUiControlBar loose;
    DrawTrackedAreaData band(&loose, surface.cdc(), 0, CRect(0, 0, 100, 30), false);
    DrawTrackedArea(band);
    EXPECT_EQ(100 * 30 / 2, surface.CountOther(RGB(255, 255, 255)));
    DrawTrackedArea(band);
    EXPECT_EQ(0, surface.CountOther(RGB(255, 255, 255)));
    bar.DestroyWindow();
    pOwner->DestroyWindow();
}

} // namespace
