// The main status bar in a frame, set up as the main frame sets it: its panes and tips, the
// port pane that the frame's own update record widens to its text and icon, and the double
// click that reaches the frame as the pane's command.
#include <gtest/gtest.h>

#include "mainstatusbar.h"
#include "resource.h"
#include "winharness.h"

namespace {

const UINT kIds[] = {0, ID_STATUS_PORT1, ID_STATUS_PORT1 + 1, 59142, 59137, 59138, 59139};
const UINT kTips[] = {0, IDS_STATUS_PORT_TIP, IDS_STATUS_PORT_TIP, 0, 0, 0, 0};

// Gives port 1's pane an icon and the waiting text, as the main frame does, but only through
// the bar's own record; every other record is passed on.
class StatusFrame : public CFrameWnd {
public:
    HICON hIcon = NULL;
    int nMarked = 0;
    int nPassed = 0;
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    afx_msg void OnUpdatePort1(CCmdUI* pCmdUI)
    {
        CMainStatusCmdUI* pOwn = CMainStatusCmdUI::FromCmdUI(pCmdUI);
        if (pOwn == nullptr) {
            ++nPassed;
            pCmdUI->ContinueRouting();
            return;
        }
        ++nMarked;
        pOwn->SetIcon(hIcon);
        pOwn->SetText("処理待機中");
        pOwn->SetTooltip("処理待機中");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PORT1, OnUpdatePort1)
END_MESSAGE_MAP()

class MainStatusBarTest : public ::testing::Test {
protected:
    MainStatusBarTest()
    {
        frame = new StatusFrame;
        frame->Create(NULL, "Status", WS_OVERLAPPEDWINDOW, CRect(50, 50, 750, 450));
        hFrame = frame->GetSafeHwnd();
        EXPECT_TRUE(bar.Create(frame, 0x50008200, 59393));
        EXPECT_TRUE(bar.SetIndicatorsEx(kIds, 7, kTips, nullptr));
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        winharness::PumpPending();
    }
    ~MainStatusBarTest() override
    {
        bar.DestroyWindow();
        ::DestroyWindow(hFrame);
        if (frame->hIcon != NULL)
            ::DestroyIcon(frame->hIcon);
        winharness::PumpPending();
    }

    int TextWidth(LPCSTR lpsz)
    {
        HDC hDC = ::GetDC(bar.GetSafeHwnd());
        HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)bar.SendMessage(WM_GETFONT));
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, lpsz, lstrlenA(lpsz), &size);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(bar.GetSafeHwnd(), hDC);
        return size.cx;
    }
    int PaneWidth(int nIndex)
    {
        UINT nID, nStyle;
        int cx;
        bar.GetPaneInfo(nIndex, nID, nStyle, cx);
        return cx;
    }
    RECT ToolRect(int nIndex)
    {
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = bar.GetSafeHwnd();
        ti.uId = (UINT_PTR)nIndex + 1;
        bar.m_wndToolTip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&ti);
        return ti.rect;
    }

    StatusFrame* frame;
    HWND hFrame;
    CMainStatusBar bar;
};

} // namespace

TEST_F(MainStatusBarTest, TheFramesIndicatorsGiveSevenPanesAndTheTipOverBothPortPanes)
{
    EXPECT_EQ(7, bar.GetCount());
    EXPECT_EQ(ID_STATUS_PORT1, bar.GetItemID(1));
    EXPECT_STREQ("Port 1", bar.GetPaneText(1));
    EXPECT_EQ(2, bar.m_wndToolTip.GetToolCount());
    CString strTip;
    strTip.LoadString(IDS_STATUS_PORT_TIP);
    ASSERT_FALSE(strTip.IsEmpty());
    EXPECT_EQ(strTip, bar.GetPaneTip(1));
    EXPECT_EQ(strTip, bar.GetPaneTip(2));
    for (int i = 1; i <= 2; ++i) {
        CRect rcPane;
        bar.GetItemRect(i, &rcPane);
        EXPECT_EQ(rcPane, CRect(ToolRect(i))) << i;
    }
    // Resizing the frame moves the panes, and the tips follow them.
    ::SetWindowPos(hFrame, NULL, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    frame->RecalcLayout();
    winharness::PumpPending();
    CRect rcPane;
    bar.GetItemRect(2, &rcPane);
    EXPECT_EQ(rcPane, CRect(ToolRect(2)));
}

TEST_F(MainStatusBarTest, ThePortPaneTakesIconAndTextFromTheBarsOwnRecordOnly)
{
    frame->hIcon = (HICON)::LoadImageA(NULL, MAKEINTRESOURCEA(32512), IMAGE_ICON, 16, 16, LR_SHARED);
    ASSERT_NE((HICON)NULL, frame->hIcon);
    frame->hIcon = ::CopyIcon(frame->hIcon);
    bar.OnUpdateCmdUI(frame, TRUE);

    EXPECT_EQ(1, frame->nMarked);
    EXPECT_EQ(1, frame->nPassed);
    EXPECT_STREQ("処理待機中", bar.GetPaneText(1));
    EXPECT_EQ(frame->hIcon, bar.GetStatusBarCtrl().GetIcon(1));
    EXPECT_EQ(TextWidth("処理待機中") + ::GetSystemMetrics(SM_CXSMICON), PaneWidth(1));
    EXPECT_STREQ("処理待機中", bar.GetPaneTip(1));
    // A pane without its own handler keeps its text and width.
    EXPECT_STREQ("Port 2", bar.GetPaneText(2));
    EXPECT_EQ(TextWidth("Port 2"), PaneWidth(2));

    // The icon gone, the width is the text's again.
    CMainStatusCmdUI record;
    record.m_pOther = &bar;
    record.m_nIndex = 1;
    record.m_nID = ID_STATUS_PORT1;
    record.SetIcon(NULL);
    EXPECT_EQ(TextWidth("処理待機中"), PaneWidth(1));
}

TEST_F(MainStatusBarTest, ADoubleClickOnAPaneSendsItsIdToTheFrame)
{
    CRect rcPane;
    bar.GetItemRect(1, &rcPane);
    winharness::SendMouse(bar.GetSafeHwnd(), WM_LBUTTONDBLCLK, rcPane.CenterPoint().x, rcPane.CenterPoint().y);
    ASSERT_EQ(1u, frame->commands.size());
    EXPECT_EQ(ID_STATUS_PORT1, frame->commands[0]);
    // The stretching first pane has no command.
    bar.GetItemRect(0, &rcPane);
    winharness::SendMouse(bar.GetSafeHwnd(), WM_LBUTTONDBLCLK, rcPane.CenterPoint().x, rcPane.CenterPoint().y);
    EXPECT_EQ(1u, frame->commands.size());
}

TEST_F(MainStatusBarTest, AnOwnerDrawnPaneStaysOwnerDrawnAndPaintsInItsColoursAfterTheIcon)
{
    bar.SetPaneOwnerDrawn(3, RGB(255, 255, 255), RGB(200, 0, 0));
    CMainStatusCmdUI record;
    record.m_pOther = &bar;
    record.m_nIndex = 3;
    record.m_nID = 59142;
    record.SetText("ABC");
    EXPECT_STREQ("ABC", bar.FindOwnerDrawn(3)->strText);
    EXPECT_EQ(TextWidth("ABC"), PaneWidth(3));
    // Setting the width laid out every pane again; this one is still the bar's to draw.
    const LRESULT lLength = bar.SendMessage(SB_GETTEXTLENGTHA, 3);
    EXPECT_TRUE(HIWORD(lLength) & SBT_OWNERDRAW);

    winharness::DibSurface surface(40, 20, RGB(0, 255, 0));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.itemID = 3;
    dis.hDC = surface.dc();
    dis.rcItem = {0, 0, 40, 20};
    dis.itemData = (ULONG_PTR)bar.FindOwnerDrawn(3);
    bar.DrawItem(&dis);
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(39, 19));
    EXPECT_GT(surface.Count(RGB(255, 255, 255)), 0);
}
