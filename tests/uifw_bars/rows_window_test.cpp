// Rows of resizable bars on a ring dock bar of a real frame: the strips and their hit tests,
// a scripted row resize with its cancel, the caption's active state, and the bars menu event.
#include <gtest/gtest.h>

#include "bars_test_support.h"

#include "barpaintdata.h"
#include "paintmanagerholder.h"
#include "uiprobe.h"

namespace {

using barstest::FrameFixture;
using barstest::Pane;

class RowsTest : public ::testing::Test {
protected:
    FrameFixture fx;
    CUiDockBar* pTop = nullptr;
    Pane* Make(UINT nID)
    {
        Pane* p = new Pane;
        p->m_bAutoDelete = FALSE;
        p->Create("Pane", fx.pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER);
        panes.push_back(p);
        return p;
    }
    void SetUp() override
    {
        ASSERT_EQ(1u, CUiDockBar::AppendRing(fx.pFrame));
        pTop = fx.Side(AFX_IDW_DOCKBAR_TOP)->m_pInner;
        ASSERT_NE(nullptr, pTop);
        pTop->SetLayoutLock(true);   // no ring optimisation while the rows are set up
    }
    void TearDown() override
    {
        for (Pane* p : panes) {
            p->DestroyWindow();
            delete p;
        }
    }
    void Layout()
    {
        pTop->SetLayoutLock(false);
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
    }
    CPoint StripCentre(Pane* p, const CRect& rcStrip)
    {
        CRect rc;
        p->GetWindowRect(&rc);
        return rc.TopLeft() + rcStrip.CenterPoint();
    }
    std::vector<Pane*> panes;
};

TEST_F(RowsTest, StripsAnswerTheirHitCodesAndEveryBarIsInertWhileOneIsDragged)
{
    Pane* p1 = Make(0xA001);
    Pane* p2 = Make(0xA002);
    pTop->DockBarAtEdge(p1, false);
    pTop->DockBarAtEdge(p2, false);   // joins the last row
    ASSERT_EQ(4, pTop->m_arrBars.GetSize());
    EXPECT_EQ(p2, pTop->m_arrBars[2]);
    Layout();
    ASSERT_EQ(pTop, p1->m_pDockBar);
    EXPECT_EQ(std::min(::GetSystemMetrics(SM_CYFRAME), 4), p1->m_rcRowResize.Height());
    CRect rc1, rc2;
    p1->GetWindowRect(&rc1);
    p2->GetWindowRect(&rc2);
    ASSERT_FALSE(rc1.IsRectEmpty());
    EXPECT_EQ(rc1.bottom - p1->m_rcRowResize.Height(), rc1.top + p1->m_rcRowResize.top);
    EXPECT_EQ(HTBOTTOM, p1->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc1.left + 20, rc1.bottom - 1)));
    EXPECT_EQ(HTRIGHT, p1->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc1.right - 1, rc1.top + 40)));
    EXPECT_TRUE(p2->m_rcSplitNext.IsRectEmpty());
    EXPECT_EQ(HTCLIENT, p2->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc2.right - 1, rc2.top + 40)));

    CUiControlBar::g_DragStatePrevious.m_pBar = p1;
    CUiControlBar::g_DragStatePrevious.Empty(false);
    EXPECT_EQ(HTNOWHERE, p2->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc2.left + 20, rc2.bottom - 1)));
    EXPECT_EQ(HTNOWHERE, p1->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc1.left + 20, rc1.bottom - 1)));
    CUiControlBar::g_DragStatePrevious.Empty(true);
    CUiControlBar::g_DragStatePrevious.m_pBar = nullptr;
}

TEST_F(RowsTest, ScriptedRowResizeMovesTheNextRowAndEscapeRestores)
{
    Pane* p1 = Make(0xA011);
    Pane* p2 = Make(0xA012);
    pTop->DockBarAtEdge(p1, false);
    pTop->DockBarInRow(p1, p2, false);   // a row of its own after p1's
    p1->m_sizeHorz.cy = 100;
    p2->m_sizeHorz.cy = 100;
    Layout();
    ASSERT_FALSE(p1->m_rcRowResize.IsRectEmpty());
    const CPoint pt = StripCentre(p1, p1->m_rcRowResize);

    {
        ::SetCursorPos(pt.x, pt.y);
        winharness::ScriptedInputPlayer player;
        player.Keys(true).MoveTo(pt.x, pt.y + 30).Keys(false).PostToCapture(WM_LBUTTONUP);
        player.Start();
        p1->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(pt.x, pt.y));
        EXPECT_TRUE(player.Done());
    }
    EXPECT_EQ(130, p1->m_sizeHorz.cy);
    EXPECT_EQ(70, p2->m_sizeHorz.cy);
    EXPECT_FALSE(p1->m_bTrackFlags & CUiControlBar::kRowResizing);
    EXPECT_GT(fx.pFrame->nTrackedAreas, 0);   // the tracker was offered to the frame

    // Esc during a resize leaves every size as it was.
    const CPoint pt2 = StripCentre(p1, p1->m_rcRowResize);
    {
        ::SetCursorPos(pt2.x, pt2.y);
        winharness::ScriptedInputPlayer player;
        player.Keys(true).MoveTo(pt2.x, pt2.y + 25).Call([&] { ::PostMessageA(p1->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); });
        player.Start();
        p1->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(pt2.x, pt2.y));
    }
    EXPECT_EQ(130, p1->m_sizeHorz.cy);
    EXPECT_EQ(70, p2->m_sizeHorz.cy);
    winharness::PumpPending();   // the Esc stays queued for the window that has the focus

    // Far upwards: never thinner than twice the minimum thickness.
    const CPoint pt3 = StripCentre(p1, p1->m_rcRowResize);
    {
        ::SetCursorPos(pt3.x, pt3.y);
        winharness::ScriptedInputPlayer player;
        player.Keys(true).MoveTo(pt3.x, pt3.y - 200).Keys(false).PostToCapture(WM_LBUTTONUP);
        player.Start();
        p1->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(pt3.x, pt3.y));
    }
    EXPECT_EQ(2 * p1->GetMinExtentVert(), p1->m_sizeHorz.cy);
}

TEST_F(RowsTest, ScriptedSplitKeepsTheSumAndANeighbourAtItsMinimumStops)
{
    Pane* p1 = Make(0xA051);
    Pane* p2 = Make(0xA052);
    for (Pane* p : {p1, p2}) {
        p->nMinLength = 40;
        pTop->DockBarAtEdge(p, false);
    }
    Layout();
    ASSERT_FALSE(p1->m_rcSplitNext.IsRectEmpty());
    auto split = [&](int dx) {
        const CPoint pt = StripCentre(p1, p1->m_rcSplitNext);
        ::SetCursorPos(pt.x, pt.y);
        winharness::ScriptedInputPlayer player;
        player.Keys(true).MoveTo(pt.x + dx, pt.y).Keys(false).PostToCapture(WM_LBUTTONUP);
        player.Start();
        p1->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(pt.x, pt.y));
    };
    const int n1 = p1->m_sizeHorz.cx, n2 = p2->m_sizeHorz.cx;
    split(20);
    EXPECT_EQ(n1 + 20, p1->m_sizeHorz.cx);
    EXPECT_EQ(n2 - 20, p2->m_sizeHorz.cx);

    // The neighbour at its minimum: nothing changes.
    p1->m_sizeHorz.cx = n1 + n2 - 40;
    p2->m_sizeHorz.cx = 40;
    Layout();
    split(15);
    EXPECT_EQ(n1 + n2 - 40, p1->m_sizeHorz.cx);
    EXPECT_EQ(40, p2->m_sizeHorz.cx);

    // Cancelled while the bar under the band paints again (as a pane whose content changes
    // does): nothing of the inverted band stays on it.
    Layout();
    const CPoint pt = StripCentre(p1, p1->m_rcSplitNext);
    CRect rcRow;
    pTop->GetWindowRect(&rcRow);
    ::SetForegroundWindow(fx.hFrame);   // for the Esc key
    winharness::RealHand hand;
    hand.MoveTo(pt).Settle().Press().MoveTo(CPoint(pt.x - 30, pt.y), 10).Settle();
    hand.Call([&] { p1->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN); }).Settle();
    hand.MoveTo(CPoint(pt.x - 60, pt.y), 10).Settle();
    hand.Call([] { e2e::Key(VK_ESCAPE); }).Settle().Release().Settle();
    ASSERT_TRUE(hand.Play());
    winharness::PumpPending();
    EXPECT_FALSE(p1->m_bTrackFlags & CUiControlBar::kRowSplitting);
    const e2e::Screenshot shown(rcRow);
    pTop->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    winharness::PumpPending();
    EXPECT_EQ(0, shown.Differences(e2e::Screenshot(rcRow))) << "pixels of the row a repaint changes";
}

TEST_F(RowsTest, RowsShareTheirLengthAndMaximizeTakesTheOthersToTheirMinimum)
{
    Pane* p1 = Make(0xA021);
    Pane* p2 = Make(0xA022);
    Pane* p3 = Make(0xA023);
    for (Pane* p : {p1, p2, p3}) {
        p->nMinLength = 40;
        pTop->DockBarAtEdge(p, false);
    }
    Layout();
    CRect rcDock;
    pTop->GetWindowRect(&rcDock);
    EXPECT_EQ(rcDock.Width(), p1->m_sizeHorz.cx + p2->m_sizeHorz.cx + p3->m_sizeHorz.cx);
    const int nSum = p1->m_sizeHorz.cx + p2->m_sizeHorz.cx + p3->m_sizeHorz.cx;
    p2->MaximizeInRow();
    EXPECT_EQ(40, p1->m_sizeHorz.cx);
    EXPECT_EQ(40, p3->m_sizeHorz.cx);
    EXPECT_EQ(nSum - 80, p2->m_sizeHorz.cx);

    // Alone in its row a bar ignores it.
    Pane* pAlone = Make(0xA024);
    pAlone->nMinLength = 40;
    pTop->DockBarInRow(p1, pAlone, false);
    pAlone->m_sizeHorz.cx = 123;
    pAlone->MaximizeInRow();
    pAlone->MinimizeInRow();
    EXPECT_EQ(123, pAlone->m_sizeHorz.cx);
}

TEST_F(RowsTest, FixedSizeBarsThatNoLongerFitWrapAndAResizableOneStaysClipped)
{
    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    const int nCount = rcClient.Width() / 150 + 2;
    std::vector<barstest::StandInToolBar*> bars;
    for (int i = 0; i < nCount; ++i) {
        auto* p = new barstest::StandInToolBar;
        ASSERT_TRUE(p->Create(fx.pFrame, 0xA061 + i));
        pTop->DockBarAtEdge(p, false);   // one row
        bars.push_back(p);
    }
    Pane* pPane = Make(0xA0F0);
    pTop->DockBarAtEdge(pPane, false);
    Layout();
    int nBreaks = 0;
    for (INT_PTR i = 1; i + 1 < pTop->m_arrBars.GetSize(); ++i)
        nBreaks += pTop->m_arrBars[i] == nullptr ? 1 : 0;
    EXPECT_GE(nBreaks, 1);
    CRect rcFirst, rcLast;
    bars.front()->GetWindowRect(&rcFirst);
    bars.back()->GetWindowRect(&rcLast);
    EXPECT_GT(rcLast.top, rcFirst.top);
    // The pane follows the last toolbar in its row: it never wraps.
    const int nPanePos = pTop->FindBar(pPane);
    EXPECT_EQ(bars.back(), pTop->m_arrBars[nPanePos - 1]);
    for (auto* p : bars) {
        p->DestroyWindow();
        delete p;
    }
}

// A look that notes what the bar asks it to paint.
class RecordingPaintManager : public CUiPaintManager {
public:
    std::vector<std::string> calls;
    CRect rcFrameWindow, rcFrameClient, rcCaption, rcText;
    std::string strText;
    bool bActive = false, bAtLeft = false, bResizable = false;
    void PaintControlBarBorders(CDC&, BarFramePaintData& data) override
    {
        calls.push_back("frame");
        rcFrameWindow = data.m_rcItem;
        rcFrameClient = data.m_rcClient;
        bResizable = data.IsResizable();
    }
    void PaintGripper(CDC&, GripperPaintData& data) override
    {
        calls.push_back("caption");
        rcCaption = data.m_rcItem;
        rcText = data.m_rcText;
        strText = data.m_lpszText;
        bActive = data.IsActive();
        bAtLeft = data.IsHorzBar();
    }
};

TEST_F(RowsTest, TheNonClientAreaPaintsTheFrameThenTheCaptionInTheLook)
{
    Pane* p1 = Make(0xA071);
    pTop->DockBarAtEdge(p1, false);
    Layout();
    RecordingPaintManager* pLook = new RecordingPaintManager;
    ASSERT_TRUE(PaintManagerHolder::Get().SetPaintManager(pLook));
    p1->SendMessage(WM_NCPAINT, 1, 0);
    EXPECT_EQ((std::vector<std::string>{"frame", "caption"}), pLook->calls);
    CRect rcWindow, rcClient;
    p1->GetWindowRect(&rcWindow);
    p1->GetClientRect(&rcClient);
    p1->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    EXPECT_EQ(CRect(0, 0, rcWindow.Width(), rcWindow.Height()), pLook->rcFrameWindow);
    EXPECT_EQ(rcClient, pLook->rcFrameClient);
    EXPECT_TRUE(pLook->bResizable);
    EXPECT_EQ(p1->m_rcCaption, pLook->rcCaption);
    EXPECT_EQ(p1->m_rcCaption.left + 2, pLook->rcText.left);
    EXPECT_EQ("Pane", pLook->strText);
    EXPECT_FALSE(pLook->bActive);
    EXPECT_FALSE(pLook->bAtLeft);   // across the top
    p1->m_bViewFlags |= CUiControlBar::kFocusInside;
    p1->SendMessage(WM_NCPAINT, 1, 0);
    EXPECT_TRUE(pLook->bActive);
    PaintManagerHolder::Get().SetPaintManager(nullptr);
}

TEST_F(RowsTest, ABarOfAHiddenFrameLeavesItsFrameUnpaintedUntilTheFrameShows)
{
    Pane* p1 = Make(0xA072);
    pTop->DockBarAtEdge(p1, false);
    Layout();
    fx.pFrame->ShowWindow(SW_HIDE);
    winharness::PumpPending();
    RecordingPaintManager* pLook = new RecordingPaintManager;
    ASSERT_TRUE(PaintManagerHolder::Get().SetPaintManager(pLook));
    p1->SendMessage(WM_NCPAINT, 1, 0);
    EXPECT_TRUE(pLook->calls.empty());
    fx.pFrame->ShowWindow(SW_SHOWNA);
    fx.pFrame->UpdateWindow();
    winharness::PumpPending();
    EXPECT_EQ((std::vector<std::string>{"frame", "caption"}), pLook->calls);
    PaintManagerHolder::Get().SetPaintManager(nullptr);
}

TEST_F(RowsTest, FocusInsideMakesTheCaptionActiveAtTheNextIdlePass)
{
    Pane* p1 = Make(0xA031);
    pTop->DockBarAtEdge(p1, false);
    Layout();
    CEdit* pEdit = new CEdit;
    ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), p1, 1));
    fx.pFrame->SetActiveWindow();
    fx.pFrame->SetFocus();
    p1->UpdateCmdUIGuarded(FALSE);
    ASSERT_FALSE(p1->m_bViewFlags & CUiControlBar::kFocusInside);
    pEdit->SetFocus();
    if (::GetFocus() != pEdit->m_hWnd)
        GTEST_SKIP() << "the window manager gave no focus";
    const int nBefore = p1->nNcPaints;
    p1->UpdateCmdUIGuarded(FALSE);
    EXPECT_TRUE(p1->m_bViewFlags & CUiControlBar::kFocusInside);
    EXPECT_GT(p1->nNcPaints, nBefore);
    fx.pFrame->SetFocus();
    const int nAfter = p1->nNcPaints;
    p1->UpdateCmdUIGuarded(FALSE);
    EXPECT_FALSE(p1->m_bViewFlags & CUiControlBar::kFocusInside);
    EXPECT_GT(p1->nNcPaints, nAfter);
    pEdit->DestroyWindow();
    delete pEdit;
}

TEST_F(RowsTest, RightClickOnTheNonClientAreaAsksTheFrameWithEventTwoAtTheCursor)
{
    Pane* p1 = Make(0xA041);
    pTop->DockBarAtEdge(p1, false);
    Layout();
    ::SetCursorPos(200, 100);
    fx.pFrame->bAnswerConstruct = true;
    p1->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(200, 100));
    ASSERT_EQ(1u, fx.pFrame->menuEvents.size());
    EXPECT_EQ(2, fx.pFrame->menuEvents[0].nEvent);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    EXPECT_EQ(ptCursor, fx.pFrame->menuEvents[0].pt);
}

} // namespace
