// The framework push button on a shown dialog: subclassing, mouse and keyboard clicks, the
// split drop-down and the menu alignment inside a docked bar.
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "afxext.h"
#include "cmdmanager.h"
#include "controlbar.h"
#include "popupmenuwnd.h"
#include "uibutton.h"

using namespace dlgtest;
using namespace winharness;

namespace {

class CommandDialog : public CDialog {
public:
    int nCommands = 0;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND && LOWORD(wParam) == IDC_BUTTON && HIWORD(wParam) == BN_CLICKED)
            ++nCommands;
        return CDialog::WindowProc(nMsg, wParam, lParam);
    }
};

std::vector<PopupTrackCall> g_tracked;

int RecordAndRefuse(const PopupTrackCall& call, UINT*)
{
    g_tracked.push_back(call);
    return CUiPopupMenuWnd::kHookRefuse;
}

// A shown, active dialog with the button subclassed and a command profile for its menus.
class ButtonFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateShownDialog(dlg, IDD_CONTROLS, parent.wnd()));
        CmdManagerHolder::GetStoredHandle()->ProfileInstall("dialogs-button", dlg.m_hWnd);
        ASSERT_TRUE(button.SubclassDlgItem(IDC_BUTTON, &dlg));
        PumpPending();
        g_tracked.clear();
        CUiPopupMenuWnd::g_pfnTrackMenuHook = &RecordAndRefuse;
    }
    void TearDown() override
    {
        CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(dlg.m_hWnd, true);
        dlg.DestroyWindow();
    }
    void Key(UINT nMsg, UINT vk)
    {
        MSG msg = {button.m_hWnd, nMsg, vk, 1};
        EXPECT_TRUE(button.PreTranslateMessage(&msg));
    }
    void GiveMenu()
    {
        button.m_menu.CreatePopupMenu();
        button.m_menu.AppendMenu(MF_STRING, 0x8101, "First");
        CMenu bar;
        bar.CreateMenu();
        bar.AppendMenu(MF_POPUP, (UINT_PTR)button.m_menu.Detach(), "Menu");
        button.m_menu.Attach(bar.Detach());
    }

    DialogScope scope;
    HiddenParent parent;
    CommandDialog dlg;
    CUiButton button;
};

} // namespace

TEST_F(ButtonFixture, SubclassingMakesItOwnerDrawnAndKeepsTypeAndAlignment)
{
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & 15);
    EXPECT_EQ(0, button.m_nLogicalType);
    EXPECT_EQ(4, button.m_nTextAlign);
    button.SendMessage(BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
    EXPECT_EQ(BS_AUTOCHECKBOX, button.m_nLogicalType);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & 15);
    Click(button.m_hWnd, 5, 5);
    EXPECT_EQ(BST_CHECKED, button.SendMessage(BM_GETCHECK));
    EXPECT_EQ(1, dlg.nCommands);
}

TEST_F(ButtonFixture, AClickNeedsPressAndReleaseOnTheButtonAndADoubleClickIsOne)
{
    SendMouse(button.m_hWnd, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_TRUE(button.m_bState & CUiButton::kPushed);
    SendMouse(button.m_hWnd, WM_MOUSEMOVE, -40, -40, MK_LBUTTON);
    EXPECT_FALSE(button.m_bState & CUiButton::kPushed);
    SendMouse(button.m_hWnd, WM_LBUTTONUP, -40, -40);
    EXPECT_EQ(0, dlg.nCommands);

    SendMouse(button.m_hWnd, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(button.m_hWnd, WM_LBUTTONUP, 5, 5);
    SendMouse(button.m_hWnd, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
    SendMouse(button.m_hWnd, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(1, dlg.nCommands);
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(ButtonFixture, SpacePushesAndClicksOnReleaseReturnClicksAtOnce)
{
    Key(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(button.m_bState & CUiButton::kPushed);
    EXPECT_EQ(0, dlg.nCommands);
    Key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(1, dlg.nCommands);
    EXPECT_FALSE(button.m_bState & CUiButton::kPushed);
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(2, dlg.nCommands);
    Key(WM_KEYUP, VK_RETURN);
    EXPECT_EQ(2, dlg.nCommands);
}

TEST_F(ButtonFixture, ASplitButtonOpensItsMenuOnTheRightAndClicksOnTheLeft)
{
    button.SetWindowPos(NULL, 0, 0, 100, 24, SWP_NOMOVE | SWP_NOZORDER);
    button.m_bState |= CUiButton::kSplit;
    GiveMenu();
    Click(button.m_hWnd, 95, 10);
    ASSERT_EQ(1u, g_tracked.size());
    EXPECT_EQ(0x24u, g_tracked[0].nFlags);
    CRect rc;
    button.GetWindowRect(&rc);
    EXPECT_EQ((rc.left + rc.right) / 2, g_tracked[0].x);
    EXPECT_EQ((rc.top + rc.bottom) / 2, g_tracked[0].y);
    EXPECT_EQ(0, dlg.nCommands);

    Click(button.m_hWnd, 20, 10);
    EXPECT_EQ(1u, g_tracked.size());
    EXPECT_EQ(1, dlg.nCommands);

    // Without the split the whole button opens the menu and never clicks.
    button.m_bState &= ~CUiButton::kSplit;
    Click(button.m_hWnd, 20, 10);
    EXPECT_EQ(2u, g_tracked.size());
    EXPECT_EQ(1, dlg.nCommands);
}

TEST_F(ButtonFixture, InABarDockedLeftTheMenuOpensToTheRight)
{
    CDockBar dockBar;
    ASSERT_TRUE(dockBar.Create(&dlg, WS_CHILD | CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT));
    class Bar : public CUiControlBar {
    } bar;
    ASSERT_TRUE(bar.CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 60), &dlg, 0xE905));
    bar.m_pDockBar = &dockBar;
    HWND hButton = ::CreateWindowExA(0, "Button", "Bar", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 100, 24,
                                     bar.m_hWnd, (HMENU)IDC_LIST, NULL, NULL);
    CUiButton inBar;
    ASSERT_TRUE(inBar.SubclassWindow(hButton));
    inBar.m_menu.CreateMenu();
    inBar.m_menu.AppendMenu(MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "Menu");
    ::AppendMenuA(::GetSubMenu(inBar.m_menu.m_hMenu, 0), MF_STRING, 0x8102, "Second");
    bar.BringWindowToTop();
    PumpPending();
    Click(hButton, 20, 10);
    ASSERT_EQ(1u, g_tracked.size());
    EXPECT_EQ(0x21u, g_tracked[0].nFlags);
    EXPECT_EQ(dlg.m_hWnd, g_tracked[0].hWndReceiver);
    bar.m_pDockBar = nullptr;
    inBar.DestroyWindow();
    bar.DestroyWindow();
    dockBar.DestroyWindow();
}
