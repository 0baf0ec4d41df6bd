// Caption buttons of docked and floating bars, and the floating frame: its metrics, hit tests,
// the work-area limits, the border resize loop, its own close button and its coming forward.
#include <gtest/gtest.h>

#include "bars_test_support.h"

#include "minidockframewnd.h"
#include "monitorinfo.h"
#include "ncareabutton.h"
#include "popupmenuwnd.h"
#include "uiprobe.h"

#include <string>

namespace {

using barstest::Pane;
using barstest::StandInToolBar;

class CaptionTest : public barstest::BarsOnFrameTest {
protected:
    CaptionTest() : BarsOnFrameTest(CRect(40, 40, 840, 640)) {}
    StandInToolBar* MakeToolBar(UINT nID)
    {
        StandInToolBar* p = new StandInToolBar;
        p->Create(fx.pFrame, nID);
        p->SetWindowText("Tools");
        bars.push_back(p);
        return p;
    }
    static CUiBarNcAreaButton* Button(CUiControlBar* pBar, CRuntimeClass* pClass)
    {
        for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); ++i) {
            if (pBar->m_arrNcButtons[i]->IsKindOf(pClass))
                return pBar->m_arrNcButtons[i];
        }
        return nullptr;
    }
    static CRect ExpectedAcross(const CRect& rcCaption)
    {
        CRect rc = rcCaption;
        rc.DeflateRect(2, 3, 2, 3);
        rc.left = rc.right - rc.Height();
        rc.OffsetRect(-1, 0);
        return rc;
    }
    static CUiMiniDockFrameWnd* FloatingFrame(CControlBar* pBar)
    {
        CFrameWnd* p = pBar->GetParentFrame();
        return p != nullptr && p->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)) ? static_cast<CUiMiniDockFrameWnd*>(p) : nullptr;
    }
    // The frame of the pane floated at (100, 120).
    CUiMiniDockFrameWnd* Float(Pane* pPane)
    {
        fx.pFrame->FloatControlBar(pPane, CPoint(100, 120), CBRS_ALIGN_TOP);
        winharness::PumpPending();
        return FloatingFrame(pPane);
    }
    static CPoint ScreenCentre(CWnd* pWnd, const CRect& rcInWindow)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc.TopLeft() + rcInWindow.CenterPoint();
    }
};

TEST_F(CaptionTest, DockedBarsPlaceCloseAndAutoHideAlongTheirCaption)
{
    Pane* pLeft = MakePane(0xB001);
    ASSERT_TRUE(pLeft->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
    Layout();
    CUiBarNcAreaButton* pClose = Button(pLeft, RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    CUiBarNcAreaButton* pAutoHide = Button(pLeft, RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    CUiBarNcAreaButton* pMenu = Button(pLeft, RUNTIME_CLASS(CUiBarNcAreaButtonMenu));
    ASSERT_NE(nullptr, pClose);
    ASSERT_NE(nullptr, pAutoHide);
    ASSERT_NE(nullptr, pMenu);
    ASSERT_FALSE(pLeft->m_rcCaption.IsRectEmpty());
    EXPECT_TRUE(pClose->IsButtonVisible());
    EXPECT_EQ(ExpectedAcross(pLeft->m_rcCaption), pClose->m_rc);
    EXPECT_FALSE(pAutoHide->IsButtonVisible());   // no auto-hide strips on this frame
    EXPECT_FALSE(pMenu->IsButtonVisible());

    // With an auto-hide strip the pin stands 3 px left of Close.
    CUiDockBar* pDock = static_cast<CUiDockBar*>(pLeft->m_pDockBar);
    pDock->m_pAutoHideArea = fx.pFrame;
    pLeft->LayoutNcAreaButtons();
    EXPECT_TRUE(pAutoHide->IsButtonVisible());
    EXPECT_EQ(pClose->m_rc.left - 3, pAutoHide->m_rc.right);
    EXPECT_EQ(pClose->m_rc.top, pAutoHide->m_rc.top);

    // Close answers HTMINBUTTON; the tips fall back to the built-in texts.
    const CPoint ptClose = ScreenCentre(pLeft, pClose->m_rc);
    EXPECT_EQ(HTMINBUTTON, pLeft->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptClose.x, ptClose.y)));
    EXPECT_TRUE(pLeft->m_bViewFlags & CUiControlBar::kButtonHot);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    CPoint ptClient = ptClose;
    pLeft->ScreenToClient(&ptClient);
    EXPECT_EQ((INT_PTR)0xB001, pLeft->OnToolHitTest(ptClient, &ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ("Hide", ti.lpszText);
    ::free(ti.lpszText);
    pDock->m_pAutoHideArea = nullptr;

    // A top-docked bar with its caption at the left stacks the buttons downwards.
    Pane* pTop = MakePane(0xB002);
    pTop->m_bBarFlags &= ~CUiControlBar::kCaptionAcross;
    ASSERT_TRUE(pTop->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, false));
    Layout();
    static_cast<CUiDockBar*>(pTop->m_pDockBar)->m_pAutoHideArea = fx.pFrame;
    pTop->LayoutNcAreaButtons();
    pClose = Button(pTop, RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    pAutoHide = Button(pTop, RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    CRect rcExpected = pTop->m_rcCaption;
    ASSERT_LT(rcExpected.Width(), rcExpected.Height());
    rcExpected.DeflateRect(3, 2, 3, 2);
    rcExpected.bottom = rcExpected.top + rcExpected.Width();
    rcExpected.OffsetRect(0, 1);
    EXPECT_EQ(rcExpected, pClose->m_rc);
    EXPECT_TRUE(pAutoHide->IsButtonVisible());
    EXPECT_EQ(pClose->m_rc.bottom + 3, pAutoHide->m_rc.top);
    EXPECT_EQ(pClose->m_rc.left, pAutoHide->m_rc.left);
    static_cast<CUiDockBar*>(pTop->m_pDockBar)->m_pAutoHideArea = nullptr;
}

TEST_F(CaptionTest, FloatingBarsShowCloseAndAToolBarItsMenuButtonDockedToolBarsNone)
{
    Pane* pPane = MakePane(0xB011);
    CUiMiniDockFrameWnd* pMini = Float(pPane);
    ASSERT_NE(nullptr, pMini);
    ASSERT_TRUE(pPane->IsBarFloating());
    EXPECT_TRUE(Button(pPane, RUNTIME_CLASS(CUiBarNcAreaButtonClose))->IsButtonVisible());
    EXPECT_FALSE(Button(pPane, RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide))->IsButtonVisible());
    EXPECT_FALSE(Button(pPane, RUNTIME_CLASS(CUiBarNcAreaButtonMenu))->IsButtonVisible());
    CRect rcCaption = pMini->m_rcCaption;
    rcCaption.InflateRect(2, 2, 1, 2);
    EXPECT_EQ(ExpectedAcross(rcCaption), Button(pPane, RUNTIME_CLASS(CUiBarNcAreaButtonClose))->m_rc);

    StandInToolBar* pDocked = MakeToolBar(0xB012);
    fx.pFrame->DockControlBar(pDocked, AFX_IDW_DOCKBAR_TOP);
    Layout();
    pDocked->CreateNcAreaButtons();
    pDocked->LayoutNcAreaButtons();
    for (INT_PTR i = 0; i < pDocked->m_arrNcButtons.GetSize(); ++i)
        EXPECT_FALSE(pDocked->m_arrNcButtons[i]->IsButtonVisible());

    StandInToolBar* pTool = MakeToolBar(0xB013);
    fx.pFrame->FloatControlBar(pTool, CPoint(400, 120), CBRS_ALIGN_TOP);
    winharness::PumpPending();
    ASSERT_NE(nullptr, FloatingFrame(pTool));
    CUiBarNcAreaButton* pClose = Button(pTool, RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    CUiBarNcAreaButton* pMenu = Button(pTool, RUNTIME_CLASS(CUiBarNcAreaButtonMenu));
    ASSERT_NE(nullptr, pMenu);
    EXPECT_TRUE(pClose->IsButtonVisible());
    EXPECT_TRUE(pMenu->IsButtonVisible());
    EXPECT_FALSE(Button(pTool, RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide))->IsButtonVisible());
    EXPECT_EQ(pClose->m_rc.left - 3, pMenu->m_rc.right);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    pMenu->GetTipInfo(CPoint(0, 0), &ti);
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ("Options", ti.lpszText);
    ::free(ti.lpszText);
}

namespace optionsmenu {
std::string strFirstItem;
int nCalls = 0;
UINT nFlags = 0;
int Choose(const PopupTrackCall& call, UINT* pnChosen)
{
    ++nCalls;
    nFlags = call.nFlags;
    strFirstItem = call.pMenu->ItemGetCount() > 0 ? (LPCSTR)call.pMenu->ItemGetInfo(0).m_strText : "";
    *pnChosen = 0;
    return CUiPopupMenuWnd::kHookChoose;
}
} // namespace optionsmenu

TEST_F(CaptionTest, CloseHidesTheBarAndTheOptionsButtonOpensItsMenuUnlessTheFrameFilledNothing)
{
    Pane* pPane = MakePane(0xB021);
    ASSERT_TRUE(pPane->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
    Layout();
    CUiBarNcAreaButton* pClose = Button(pPane, RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    const CPoint pt = ScreenCentre(pPane, pClose->m_rc);
    pPane->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    pPane->SendMessage(WM_NCLBUTTONDOWN, HTMINBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(pPane->IsVisible());
    pPane->SendMessage(WM_NCLBUTTONUP, HTMINBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(pPane->IsVisible());

    StandInToolBar* pTool = MakeToolBar(0xB022);
    fx.pFrame->FloatControlBar(pTool, CPoint(400, 120), CBRS_ALIGN_TOP);
    winharness::PumpPending();
    CUiBarNcAreaButton* pMenu = Button(pTool, RUNTIME_CLASS(CUiBarNcAreaButtonMenu));
    ASSERT_TRUE(pMenu != nullptr && pMenu->IsButtonVisible());
    const CPoint ptInside = pMenu->m_rc.CenterPoint();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &optionsmenu::Choose;
    EXPECT_TRUE(pMenu->OnClick(ptInside));
    EXPECT_EQ(1, optionsmenu::nCalls);
    EXPECT_EQ("&Show/hide panels", optionsmenu::strFirstItem);
    EXPECT_EQ(0x824u, optionsmenu::nFlags);

    fx.pFrame->bAnswerConstruct = true;
    EXPECT_FALSE(pMenu->OnClick(ptInside));
    EXPECT_EQ(1, optionsmenu::nCalls);
    fx.pFrame->bAnswerConstruct = false;
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    winharness::PumpPending();
}

// ---- The floating frame.

// A bar of the class library alone: no caption buttons of its own.
class PlainBar : public CControlBar {
public:
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    CSize CalcDynamicLayout(int, DWORD) override { return CSize(120, 80); }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(120, 80); }
};

TEST_F(CaptionTest, FloatingFrameMetricsStylesAndHitTests)
{
    const int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    Pane* pPane = MakePane(0xB031);
    CUiMiniDockFrameWnd* pMini = Float(pPane);
    ASSERT_NE(nullptr, pMini);

    CUiMiniDockFrameWnd* pMade = pPane->CreateFloatingFrame(CBRS_ALIGN_TOP);
    ASSERT_NE(nullptr, pMade);
    EXPECT_EQ(0u, pMade->GetStyle() & 0xC40200u);
    EXPECT_EQ(0u, pMade->GetExStyle() & 0x20181u);
    EXPECT_EQ(fx.pFrame, pMade->GetParentFrame());
    pMade->DestroyWindow();

    CRect rc(0, 0, 100, 100);
    pMini->CalcWindowRect(&rc);
    EXPECT_EQ(CRect(-cx, -cy - cyCaption, 100 + cx, 100 + cy), rc);
    EXPECT_EQ(0u, pMini->GetStyle() & 0xC40200u);
    EXPECT_EQ(0u, pMini->GetExStyle() & 0x20181u);

    CRect rcWindow;
    pMini->GetWindowRect(&rcWindow);
    auto hit = [&](int x, int y) { return pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(HTTOP, hit(rcWindow.left + cyCaption + 10, rcWindow.top));
    EXPECT_EQ(HTCAPTION, hit(rcWindow.left + cyCaption + 10, rcWindow.top + cy + 2));
    EXPECT_EQ(HTTOPLEFT, hit(rcWindow.left + 1, rcWindow.top + 1));
    EXPECT_EQ(HTRIGHT, hit(rcWindow.right - 1, rcWindow.CenterPoint().y));
    EXPECT_EQ(HTNOWHERE, hit(rcWindow.right + 5, rcWindow.top));
    CUiControlBar::g_DragStatePrevious.m_pBar = pPane;
    CUiControlBar::g_DragStatePrevious.Empty(false);
    EXPECT_EQ(HTNOWHERE, hit(rcWindow.left + cyCaption + 10, rcWindow.top));
    CUiControlBar::g_DragStatePrevious.Empty(true);
    CUiControlBar::g_DragStatePrevious.m_pBar = nullptr;

    // A toolbar that may not be resized is moved by every border.
    StandInToolBar* pTool = MakeToolBar(0xB032);
    pTool->m_bNoContentExpand = 1;
    fx.pFrame->FloatControlBar(pTool, CPoint(400, 120), CBRS_ALIGN_TOP);
    winharness::PumpPending();
    CUiMiniDockFrameWnd* pToolFrame = FloatingFrame(pTool);
    ASSERT_NE(nullptr, pToolFrame);
    CRect rcTool;
    pToolFrame->GetWindowRect(&rcTool);
    const CPoint ptMid = rcTool.CenterPoint();
    for (CPoint pt : {CPoint(rcTool.left, ptMid.y), CPoint(rcTool.right - 1, ptMid.y), CPoint(ptMid.x, rcTool.top),
                      CPoint(ptMid.x, rcTool.bottom - 1), CPoint(rcTool.left, rcTool.top),
                      CPoint(rcTool.right - 1, rcTool.bottom - 1)})
        EXPECT_EQ(HTCAPTION, pToolFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y))) << pt.x << "," << pt.y;
}

namespace {

// Another program showing its always-on-top window while this lives (the tests' kvrtopmost).
class OtherProgramsTopmostWindow {
public:
    OtherProgramsTopmostWindow()
    {
        char sz[MAX_PATH] = {};
        ::GetModuleFileNameA(NULL, sz, MAX_PATH);
        std::string path = sz;
        path = path.substr(0, path.rfind('\\') + 1) + "kvrtopmost.exe";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        if (::CreateProcessA(path.c_str(), NULL, NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi)) {
            ::CloseHandle(m_pi.hThread);
            e2e::WaitFor([this] {
                m_hWnd = ::FindWindowA("KvrTopmostWindow", "kvr topmost");
                return m_hWnd != NULL && ::IsWindowVisible(m_hWnd);
            });
        }
    }
    ~OtherProgramsTopmostWindow()
    {
        if (m_pi.hProcess == NULL)
            return;
        if (m_hWnd != NULL)
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_pi.hProcess, e2e::kPatienceMs) != WAIT_OBJECT_0)
            ::TerminateProcess(m_pi.hProcess, 1);
        ::CloseHandle(m_pi.hProcess);
    }
    HWND Handle() const { return m_hWnd; }

private:
    PROCESS_INFORMATION m_pi = {};
    HWND m_hWnd = NULL;
};

// How often a window was asked to the top of the order of windows.
struct BroughtToTop {
    static HWND s_hWnd;
    static int s_nTimes;
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && p->hwnd == s_hWnd && p->message == WM_WINDOWPOSCHANGING) {
            const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(p->lParam);
            s_nTimes += !(pos->flags & SWP_NOZORDER) && pos->hwndInsertAfter == HWND_TOP;
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
};
HWND BroughtToTop::s_hWnd = NULL;
int BroughtToTop::s_nTimes = 0;

} // namespace

// Another program's always-on-top window stays shown for good and says nothing of this
// program's menus: the frame comes forward when its owner does, and after a menu of its own
// program stood in front, all the same.
TEST_F(CaptionTest, AFloatingFrameComesForwardWhileAnotherProgramShowsAnAlwaysOnTopWindow)
{
    Pane* pPane = MakePane(0xB051);
    CUiMiniDockFrameWnd* pMini = Float(pPane);
    ASSERT_NE(nullptr, pMini);
    ASSERT_TRUE(pMini->IsWindowVisible() && fx.pFrame->IsWindowVisible());
    const OtherProgramsTopmostWindow other;
    ASSERT_NE(nullptr, other.Handle()) << "the other program showed no window";
    BroughtToTop::s_hWnd = pMini->m_hWnd;
    BroughtToTop::s_nTimes = 0;
    const HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &BroughtToTop::Hook, NULL, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);

    pMini->KeepInFrontOfOwner(true);
    EXPECT_GT(BroughtToTop::s_nTimes, 0) << "the frame did not come forward with its owner";
    EXPECT_FALSE(pMini->m_bForwardLost);

    BroughtToTop::s_nTimes = 0;
    pMini->m_bForwardLost = true;
    CUiMiniDockFrameWnd::ComeForwardWhereLost();
    EXPECT_GT(BroughtToTop::s_nTimes, 0) << "the frame did not come forward once the menu had gone";
    EXPECT_FALSE(pMini->m_bForwardLost);
    ::UnhookWindowsHookEx(hHook);
}

TEST_F(CaptionTest, FloatingFrameStaysOnTheWorkAreaAndResizesByItsBorder)
{
    Pane* pPane = MakePane(0xB041);
    CUiMiniDockFrameWnd* pMini = Float(pPane);
    ASSERT_NE(nullptr, pMini);
    MonitorInfo info;
    MonitorInfoFromWindow(info, pMini);
    const CRect rcWork(info.rcWork);

    CRect rc;
    pMini->GetWindowRect(&rc);
    pMini->SetWindowPos(NULL, rc.left, rcWork.top - 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pMini->GetWindowRect(&rc);
    EXPECT_EQ(rcWork.top, rc.top);
    // The frame takes its bar's size: a bar larger than the work area gets a frame as large
    // as the work area.
    const CSize sizeFloat = pPane->m_sizeFloat;
    pPane->m_sizeFloat = CSize(rcWork.Width() + 300, rcWork.Height() + 300);
    pMini->RecalcLayout();
    pMini->GetWindowRect(&rc);
    EXPECT_EQ(rcWork.Width(), rc.Width());
    EXPECT_EQ(rcWork.Height(), rc.Height());
    pPane->m_sizeFloat = sizeFloat;
    pMini->SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pMini->RecalcLayout();
    winharness::PumpPending();

    // The right border dragged by 50 px; a key ends the resize where it was.
    pMini->GetWindowRect(&rc);
    const CSize sizeBefore = pPane->m_sizeFloat;
    const CPoint ptStart(rc.right - 1, rc.CenterPoint().y);
    ::SetCursorPos(ptStart.x, ptStart.y);
    {
        winharness::ScriptedInputPlayer player;
        player.Keys(true)
            .MoveTo(rc.right + 20, ptStart.y)
            .MoveTo(rc.right + 50, ptStart.y)
            .Call([&] { ::PostMessageA(pMini->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); })
            .MoveTo(rc.right + 90, ptStart.y);
        player.Start();
        pMini->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptStart.x, ptStart.y));
    }
    winharness::PumpPending();
    EXPECT_EQ(sizeBefore.cx + 50, pPane->m_sizeFloat.cx);
    EXPECT_EQ(sizeBefore.cy, pPane->m_sizeFloat.cy);
    EXPECT_FALSE(pMini->IsResizing());
}

TEST_F(CaptionTest, AFrameWithoutAFrameworkBarHidesItOnAReleaseOnItsCloseButtonOnly)
{
    PlainBar* pBar = new PlainBar;
    bars.push_back(pBar);
    ASSERT_TRUE(pBar->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), fx.pFrame, 0xB051));
    pBar->m_dwStyle = CBRS_ALIGN_TOP;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    fx.pFrame->FloatControlBar(pBar, CPoint(200, 200), CBRS_ALIGN_TOP);
    winharness::PumpPending();
    CUiMiniDockFrameWnd* pMini = FloatingFrame(pBar);
    ASSERT_NE(nullptr, pMini);
    ASSERT_FALSE(pMini->m_rcClose.IsRectEmpty());
    const CPoint pt = ScreenCentre(pMini, pMini->m_rcClose);
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pMini, FloatingFrame(pBar));   // still floating there
    EXPECT_TRUE(pBar->IsWindowVisible());
    pMini->SendMessage(WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
}

} // namespace
