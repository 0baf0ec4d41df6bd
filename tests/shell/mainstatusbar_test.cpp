// The main status bar in a frame, set up as the main frame sets it: its panes and tips, the
// port pane that the frame's own update record widens to its text and icon, every port state
// text shown whole beside the icon, and the double click that reaches the frame as the pane's
// command.
#include <gtest/gtest.h>

#include <climits>

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

namespace {

// A pale solid icon: none of its pixels passes for the ink of a text.
HICON MakePaleIcon()
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    HDC hScreen = ::GetDC(NULL);
    ICONINFO info = {TRUE, 0, 0, ::CreateBitmap(cx, cx, 1, 1, NULL), ::CreateCompatibleBitmap(hScreen, cx, cx)};
    ::ReleaseDC(NULL, hScreen);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, info.hbmColor);
    ::PatBlt(hDC, 0, 0, cx, cx, WHITENESS);
    ::SelectObject(hDC, info.hbmMask);
    ::PatBlt(hDC, 0, 0, cx, cx, BLACKNESS);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return hIcon;
}

// The dark pixels of a rectangle: their bounding box, and their rows of '#' and '.' over it.
struct Ink {
    CRect rc{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    std::string rows;
};

Ink InkOf(const winharness::DibSurface& surface, const CRect& rc)
{
    auto dark = [&](int x, int y) {
        const COLORREF clr = surface.Pixel(x, y);
        return GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 3 * 128;
    };
    Ink ink;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (dark(x, y))
                ink.rc.SetRect(std::min<int>(ink.rc.left, x), std::min<int>(ink.rc.top, y),
                               std::max<int>(ink.rc.right, x + 1), std::max<int>(ink.rc.bottom, y + 1));
    for (int y = ink.rc.top; y < ink.rc.bottom; ++y) {
        for (int x = ink.rc.left; x < ink.rc.right; ++x)
            ink.rows += dark(x, y) ? '#' : '.';
        ink.rows += '\n';
    }
    return ink;
}

} // namespace

TEST_F(MainStatusBarTest, EveryPortStateTextShowsWholeBesideTheIconThemedAndClassic)
{
    frame->hIcon = MakePaleIcon();
    HMODULE hTheme = ::LoadLibraryA("uxtheme.dll");
    typedef HRESULT(WINAPI * PFN_SetWindowTheme)(HWND, LPCWSTR, LPCWSTR);
    auto pfnSetWindowTheme = hTheme != NULL ? (PFN_SetWindowTheme)::GetProcAddress(hTheme, "SetWindowTheme") : nullptr;
    ASSERT_NE(nullptr, pfnSetWindowTheme);
    CRect rcClient;
    bar.GetClientRect(&rcClient);
    winharness::DibSurface ground(rcClient.Width(), rcClient.Height());
    winharness::DibSurface shown(rcClient.Width(), rcClient.Height());
    for (bool bClassic : {false, true}) {
        // The status control draws its panes in the system's visual style, or without one with
        // sunken edges, and places icon and text differently in each.
        if (bClassic) {
            pfnSetWindowTheme(bar.GetSafeHwnd(), L" ", L" ");
            bar.SendMessage(WM_THEMECHANGED);
        }
        for (const char* pszText : {"None", "処理待機中", "接続ﾄﾗｲ中", "接続中"}) {
            const char* pszLook = bClassic ? " classic" : " themed";
            bar.SetPaneIcon(1, frame->hIcon);
            bar.SetPaneTextFitted(1, pszText);
            CRect rcPane;
            bar.GetItemRect(1, &rcPane);
            bar.SetPaneText(1, "");
            ground.PrintWindow(bar.GetSafeHwnd());
            bar.SetPaneText(1, pszText);
            shown.PrintWindow(bar.GetSafeHwnd());

            // The same text unclipped in the bar's font, converted as the control converts it.
            WCHAR szWide[64] = {};
            const int nWide = ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, szWide, 64) - 1;
            winharness::DibSurface whole(rcPane.Width() * 2, rcPane.Height() * 2);
            HGDIOBJ hOld = ::SelectObject(whole.dc(), (HFONT)bar.SendMessage(WM_GETFONT));
            ::TextOutW(whole.dc(), 4, 4, szWide, nWide);
            ::SelectObject(whole.dc(), hOld);
            ::GdiFlush();

            const Ink expected = InkOf(whole, CRect(0, 0, whole.width(), whole.height()));
            const Ink ink = InkOf(shown, rcPane);
            ASSERT_FALSE(expected.rows.empty()) << pszText;
            EXPECT_EQ(expected.rows, ink.rows) << pszText << pszLook << ", pane " << rcPane.Width() << " wide";
            // Nothing of the pane's edge or icon lies under the text or touches it at its sides.
            CRect rcUnder = ink.rc;
            rcUnder.InflateRect(1, 0);
            rcUnder.IntersectRect(rcUnder, rcPane);
            const COLORREF clrGround = ground.Pixel(rcUnder.left, rcUnder.top);
            int nOther = 0;
            for (int y = rcUnder.top; y < rcUnder.bottom; ++y)
                for (int x = rcUnder.left; x < rcUnder.right; ++x)
                    nOther += ground.Pixel(x, y) != clrGround;
            EXPECT_EQ(0, nOther) << pszText << pszLook << ", pane " << rcPane.Width() << " wide";
        }
    }
    ::FreeLibrary(hTheme);
}
