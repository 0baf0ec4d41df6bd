// Control bars in a frame: layout, delayed showing, the bar list, bar toggle commands, the
// status bar's panes, indicators and prompts, fly-by prompts, tool tips, the halftone brush.
#include "test_app.h"
#include "afxext.h"
#include "winharness.h"
#include "bar_test_support.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

using namespace winharness;

namespace {

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pFrame = MakeBarFrame(view);
        ASSERT_NE(pFrame, nullptr);
        hFrame = pFrame->m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        PumpPending();
    }
    void MakeStatusBar()
    {
        static const UINT indicators[] = {0, ID_TEST_IND_A, ID_TEST_IND_B, ID_TEST_IND_KANA,
                                          ID_TEST_IND_CAPS, ID_TEST_IND_NUM, ID_TEST_IND_SCRL};
        ASSERT_TRUE(status.Create(pFrame));
        ASSERT_TRUE(status.SetIndicators(indicators, 7));
    }
    CString PaneShown(int nIndex) { return status.GetStatusBarCtrl().GetText(nIndex); }

    CBarFrame* pFrame = nullptr;
    HWND hFrame = NULL;
    CWnd view;
    CFixedBar top;
    CFixedBar top2;
    CStatusBar status;
};

} // namespace

TEST_F(BarsTest, TheFrameGivesItsEdgesToTheBarsAndTheRestToTheView)
{
    ASSERT_TRUE(top.Create(pFrame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR));
    MakeStatusBar();
    int h = status.CalcFixedLayout(TRUE, TRUE).cy;
    ASSERT_GT(h, 10);
    pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(&top), CRect(0, 0, 400, 40));
    EXPECT_EQ(ChildRect(&status), CRect(0, 300 - h, 400, 300));
    EXPECT_EQ(ChildRect(&view), CRect(0, 40, 400, 300 - h));

    // A query answers the view's place and moves nothing.
    top.SetWindowPos(NULL, 0, 100, 50, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcQuery;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcQuery, NULL, TRUE);
    EXPECT_EQ(rcQuery, CRect(0, 40, 400, 300 - h));
    EXPECT_EQ(ChildRect(&top), CRect(0, 100, 50, 110));

    // Of two top bars, the one higher in z-order takes the edge.
    ASSERT_TRUE(top2.Create(pFrame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR + 1, CSize(100, 30)));
    top2.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(&top2), CRect(0, 0, 400, 30));
    EXPECT_EQ(ChildRect(&top), CRect(0, 30, 400, 70));
    EXPECT_EQ(ChildRect(&view), CRect(0, 70, 400, 300 - h));
}

TEST_F(BarsTest, ADelayedHideWaitsForTheIdlePassAndAnImmediateShowLaysOut)
{
    ASSERT_TRUE(top.Create(pFrame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR));
    pFrame->RecalcLayout();
    top.m_nPosFlags = 0;
    pFrame->ShowControlBar(&top, FALSE, TRUE);
    EXPECT_FALSE(top.IsVisible());
    EXPECT_TRUE(top.IsWindowVisible());
    theApp.OnIdle(0);
    EXPECT_FALSE(top.IsWindowVisible());
    EXPECT_EQ(top.m_nStateFlags, 0u);
    EXPECT_TRUE(top.m_nPosFlags & SWP_HIDEWINDOW);
    EXPECT_EQ(ChildRect(&view), CRect(0, 0, 400, 300));

    pFrame->ShowControlBar(&top, TRUE, FALSE);
    EXPECT_TRUE(top.IsWindowVisible());
    EXPECT_TRUE(top.IsVisible());
    EXPECT_EQ(ChildRect(&view), CRect(0, 40, 400, 300));
}

namespace {
class CComboDlg : public CDialog {
public:
    int m_nSelChanges = 0;
    afx_msg void OnSelChange() { ++m_nSelChanges; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CComboDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_BARCOMBO, OnSelChange)
END_MESSAGE_MAP()
}

TEST_F(BarsTest, BarsAreListedInCreationOrderAndTheirControlsReachTheOwner)
{
    CFixedBar first, second, third;
    ASSERT_TRUE(first.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    ASSERT_TRUE(second.Create(pFrame, CBRS_ALIGN_BOTTOM, 0xE811));
    ASSERT_TRUE(third.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    ASSERT_EQ(pFrame->m_listControlBars.GetCount(), 3);
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    EXPECT_EQ(pFrame->m_listControlBars.GetNext(pos), &first);
    EXPECT_EQ(pFrame->m_listControlBars.GetNext(pos), &second);
    EXPECT_EQ(pFrame->m_listControlBars.GetNext(pos), &third);
    EXPECT_EQ(first.m_pDockSite, pFrame);
    EXPECT_EQ(pFrame->GetControlBar(0xE810), &first);
    first.DestroyWindow();
    EXPECT_EQ(pFrame->m_listControlBars.GetCount(), 2);
    EXPECT_EQ(pFrame->GetControlBar(0xE810), &third);

    // A combo box in a bar inside a dialog: its selection change reaches the dialog.
    HiddenParent owner;
    CComboDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DATA, owner.wnd()));
    CFixedBar bar;
    ASSERT_TRUE(bar.Create(&dlg, CBRS_ALIGN_TOP, 0xE812));
    EXPECT_EQ(bar.m_pDockSite, nullptr);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 120), &bar, IDC_BARCOMBO));
    combo.AddString("one");
    combo.AddString("two");
    combo.SetCurSel(0);
    SendKey(combo.m_hWnd, VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(dlg.m_nSelChanges, 1);
    dlg.DestroyWindow();
}

TEST_F(BarsTest, ABarCommandTogglesTheBarAndItsMenuItemFollows)
{
    ASSERT_TRUE(top.Create(pFrame, CBRS_ALIGN_TOP, ID_TEST_BAR_TOGGLED));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_TEST_BAR_TOGGLED, "Bar");
    pFrame->RecalcLayout();

    pFrame->SendMessage(WM_COMMAND, ID_TEST_BAR_TOGGLED);
    EXPECT_FALSE(top.IsWindowVisible());
    EXPECT_EQ(ChildRect(&view), CRect(0, 0, 400, 300));
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
    EXPECT_EQ(popup.GetMenuState(ID_TEST_BAR_TOGGLED, MF_BYCOMMAND) & MF_CHECKED, 0u);

    pFrame->SendMessage(WM_COMMAND, ID_TEST_BAR_TOGGLED);
    EXPECT_TRUE(top.IsWindowVisible());
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
    EXPECT_EQ(popup.GetMenuState(ID_TEST_BAR_TOGGLED, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
}

TEST_F(BarsTest, TheStatusBarShowsIndicatorsAndTheCapsLockState)
{
    MakeStatusBar();
    EXPECT_EQ(status.GetCount(), 7);
    EXPECT_EQ(status.GetPaneStyle(0), (UINT)(SBPS_STRETCH | SBPS_NOBORDERS));
    EXPECT_EQ(PaneShown(1), "COM1: 9600bps");
    EXPECT_EQ(status.CommandToIndex(ID_TEST_IND_B), 2);
    EXPECT_EQ(status.GetItemID(4), (UINT)ID_TEST_IND_CAPS);
    CRect rcPane1;
    status.GetItemRect(1, &rcPane1);
    EXPECT_GT(rcPane1.Width(), 20);

    BYTE saved[256];
    ASSERT_TRUE(::GetKeyboardState(saved));
    BYTE keys[256];
    memcpy(keys, saved, sizeof(keys));
    keys[VK_CAPITAL] = 1;
    ::SetKeyboardState(keys);
    theApp.OnIdle(0);
    EXPECT_EQ(PaneShown(4), "CAP");
    keys[VK_CAPITAL] = 0;
    ::SetKeyboardState(keys);
    theApp.OnIdle(0);
    EXPECT_EQ(PaneShown(4), "");
    EXPECT_EQ(status.GetPaneText(4), "CAP");   // kept for when the key is on again
    ::SetKeyboardState(saved);

    CStatusCmdUI state;
    state.m_pOther = &status;
    state.m_nIndex = 1;
    state.m_nID = ID_TEST_IND_A;
    state.Enable(FALSE);
    EXPECT_TRUE(status.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(PaneShown(1), "");
    state.SetCheck(1);
    EXPECT_TRUE(status.GetPaneStyle(1) & SBPS_POPOUT);
    state.Enable(TRUE);
    EXPECT_EQ(PaneShown(1), "COM1: 9600bps");
}

// The status control draws its panes itself, each pane's text whole: a pane as wide as its
// text shows all of it, beside a small icon as without one.
TEST_F(BarsTest, TheStatusBarPaintsItsPanesTextWhole)
{
    MakeStatusBar();
    pFrame->RecalcLayout();
    const char* pszText = "MMMMWW";
    int cxText = 0;
    {
        CClientDC dc(&status);
        HGDIOBJ hOld = dc.SelectObject((HFONT)status.SendMessage(WM_GETFONT));
        cxText = dc.GetTextExtent(pszText, (int)strlen(pszText)).cx;
        dc.SelectObject(hOld);
    }
    status.SetPaneText(1, pszText);
    // The width of the text's ink in pane 1 as the bar shows it with the pane that wide.
    auto InkWidth = [&](int cxPane) {
        status.SetPaneInfo(1, ID_TEST_IND_A, SBPS_NORMAL, cxPane);
        status.Invalidate();
        status.UpdateWindow();
        CRect rc;
        status.GetItemRect(1, &rc);
        CClientDC dc(&status);
        int xFirst = INT_MAX, xLast = INT_MIN;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (dc.GetPixel(x, y) == ::GetSysColor(COLOR_BTNTEXT))
                    xFirst = std::min(xFirst, x), xLast = std::max(xLast, x + 1);
        return xLast - xFirst;
    };
    const int cxWhole = InkWidth(cxText + 40);
    EXPECT_LT(cxText / 2, cxWhole);
    EXPECT_EQ(cxWhole, InkWidth(cxText));

    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON), cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    std::vector<BYTE> andMask(cyIcon * ((cxIcon + 15) / 16) * 2, 0), xorMask(cxIcon * cyIcon * 4, 0x80);
    HICON hIcon = ::CreateIcon(NULL, cxIcon, cyIcon, 1, 32, andMask.data(), xorMask.data());
    status.GetStatusBarCtrl().SetIcon(1, hIcon);
    EXPECT_EQ(cxWhole, InkWidth(cxText + cxIcon));
    status.GetStatusBarCtrl().SetIcon(1, NULL);
    ::DestroyIcon(hIcon);
}

TEST_F(BarsTest, PromptsReachTheFirstPane)
{
    MakeStatusBar();
    pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_IDLE);
    EXPECT_EQ(PaneShown(0), "\xDA\xC3\xDE\xA8");
    pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_OPEN);
    EXPECT_EQ(PaneShown(0), "Open a file");
    pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_MISSING);
    EXPECT_EQ(PaneShown(0), "");

    ASSERT_TRUE(top.Create(pFrame, CBRS_ALIGN_TOP | CBRS_FLYBY, AFX_IDW_TOOLBAR));
    top.SetStatusText(ID_TEST_NEW);
    EXPECT_EQ(PaneShown(0), "Create a new file");
    EXPECT_EQ(top.m_nStateFlags & CControlBar::statusSet, (UINT)CControlBar::statusSet);
    top.SetStatusText(-1);
    EXPECT_EQ(PaneShown(0), "\xDA\xC3\xDE\xA8");
    EXPECT_EQ(top.m_nStateFlags & CControlBar::statusSet, 0u);
}

TEST_F(BarsTest, AFlyByBarShowsThePromptAfterARestAndTheIdleTextAfterLeaving)
{
    MakeStatusBar();
    ASSERT_TRUE(top.Create(pFrame, CBRS_ALIGN_TOP | CBRS_FLYBY, AFX_IDW_TOOLBAR));
    top.m_nHit = ID_TEST_NEW;
    pFrame->RecalcLayout();
    pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_IDLE);
    PumpPending();

    CPoint pt(10, 10);
    top.ClientToScreen(&pt);
    ASSERT_TRUE(::SetCursorPos(pt.x, pt.y));
    MSG msg = {};
    msg.hwnd = top.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(10, 10);
    msg.pt = pt;
    msg.time = ::GetTickCount();
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(hFrame, &msg));
    EXPECT_EQ(CControlBar::GetLastStatusHit(), ID_TEST_NEW);
    EXPECT_EQ(PaneShown(0), "\xDA\xC3\xDE\xA8");   // not before the rest
    DWORD dwStart = ::GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return PaneShown(0) == "Create a new file"; }));
    EXPECT_GE(::GetTickCount() - dwStart, 250u);

    ASSERT_TRUE(::SetCursorPos(1270, 1010));
    EXPECT_TRUE(PumpUntil([&] { return PaneShown(0) == "\xDA\xC3\xDE\xA8"; }));
    EXPECT_EQ(top.m_nStateFlags & CControlBar::statusSet, 0u);
    EXPECT_EQ(CControlBar::GetLastStatusHit(), -1);
}

namespace {
// Answers tool 7 with a handed-over "Tip" over its left half.
class CTipWnd : public CWnd {
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        CRect rect;
        GetClientRect(&rect);
        rect.right /= 2;
        if (!rect.PtInRect(point))
            return -1;
        pTI->hwnd = m_hWnd;
        pTI->uId = 7;
        pTI->rect = rect;
        pTI->lpszText = (LPSTR)calloc(4, 1);
        strcpy(pTI->lpszText, "Tip");
        return 7;
    }
};

MSG MouseMove(CWnd* pWnd, int x, int y)
{
    MSG msg = {};
    msg.hwnd = pWnd->m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(x, y);
    msg.pt = CPoint(x, y);
    pWnd->ClientToScreen(&msg.pt);
    msg.time = ::GetTickCount();
    return msg;
}
}

TEST_F(BarsTest, ToolTipsFollowTheToolUnderTheCursor)
{
    CTipWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, AfxGetDefaultWndClass(), "tips", WS_POPUP | WS_VISIBLE, 600, 100, 200, 60, NULL, NULL));
    wnd.EnableToolTips(TRUE);
    MSG msg = MouseMove(&wnd, 20, 20);
    CWnd::WalkPreTranslateTree(NULL, &msg);
    CToolTipCtrl* pTip = AfxGetThreadToolTip();
    ASSERT_NE(pTip, nullptr);
    EXPECT_EQ(pTip->GetToolCount(), 1);
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(pTip->SendMessage(TTM_ENUMTOOLSA, 0, (LPARAM)&ti));
    EXPECT_EQ(ti.uId, 7u);
    CString strTip;
    pTip->GetText(strTip, &wnd, 7);
    EXPECT_EQ(strTip, "Tip");

    msg = MouseMove(&wnd, 150, 20);
    CWnd::WalkPreTranslateTree(NULL, &msg);
    EXPECT_EQ(pTip->GetToolCount(), 0);

    // Shown after a rest over the tool, hidden by CancelToolTips.
    pTip->SetDelayTime(TTDT_INITIAL, 10);
    msg = MouseMove(&wnd, 20, 20);
    ::SetCursorPos(msg.pt.x, msg.pt.y);
    CWnd::WalkPreTranslateTree(NULL, &msg);
    EXPECT_TRUE(PumpUntil([&] { return pTip->IsWindowVisible() != FALSE; }));
    CWnd::CancelToolTips();
    EXPECT_FALSE(pTip->IsWindowVisible());
    wnd.DestroyWindow();
    EXPECT_EQ(pTip->GetToolCount(), 0);

    // A callback tool of a bar gets the tip of its command's string from the frame.
    ASSERT_TRUE(top.Create(pFrame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR));
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = pTip->m_hWnd;
    info.hdr.idFrom = ID_TEST_TIPCMD;
    info.hdr.code = TTN_NEEDTEXTA;
    top.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_STREQ(info.lpszText, "Tip");
}

TEST_F(BarsTest, TheHalftoneBrushIsACheckerboardAndARemovedMenuStaysRemoved)
{
    DibSurface dib(16, 16);
    CBrush* pBrush = CDC::GetHalftoneBrush();
    ASSERT_NE(pBrush, nullptr);
    CDC* pDC = dib.cdc();
    CBrush* pOld = pDC->SelectObject(pBrush);
    pDC->PatBlt(0, 0, 16, 16, PATINVERT);
    for (int y = 0; y < 16; y++) {
        for (int x = 1; x < 16; x++)
            ASSERT_NE(dib.Pixel(x, y), dib.Pixel(x - 1, y)) << x << "," << y;
        if (y > 0) {
            ASSERT_NE(dib.Pixel(0, y), dib.Pixel(0, y - 1));
        }
    }
    EXPECT_EQ(dib.Count(RGB(0, 0, 0)), 128);
    pDC->PatBlt(0, 0, 16, 16, PATINVERT);
    EXPECT_EQ(dib.Count(RGB(255, 255, 255)), 256);
    pDC->SelectObject(pOld);

    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    menu.AppendMenu(MF_STRING, ID_TEST_HANDLED, "Item");
    pFrame->m_hMenuDefault = menu.m_hMenu;
    ::SetMenu(hFrame, NULL);
    pFrame->DelayUpdateFrameMenu(NULL);
    theApp.OnIdle(0);
    EXPECT_EQ(::GetMenu(hFrame), (HMENU)NULL);
    pFrame->m_hMenuDefault = NULL;
}
