// The menu bar on an SDI frame: the buttons made from the frame's menu, the frame's hook, the
// menu set on the frame later, and a bar hosted in a dialog.
#include <gtest/gtest.h>

#include "cmdmanager.h"
#include "menubar_test_support.h"

using namespace mbtest;
using namespace tbtest;

namespace {

class MenuBar : public MenuBarFixture {
protected:
    CUiCmdProfile* Profile() { return CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(hFrame); }
    // The ids of the profile's commands that carry the submenu-button state bits.
    std::vector<UINT> SubmenuCommands()
    {
        std::vector<UINT> ids;
        for (UINT id = 65534; id > 65500; --id) {
            CUiCmdItem* pItem = CmdManagerHolder::GetStoredHandle()->CmdGetPtr(Profile()->GetName(), id);
            if (pItem != nullptr && (pItem->m_dwState & 0x50) == 0x50)
                ids.push_back(id);
        }
        return ids;
    }
};

TEST_F(MenuBar, TheFramesMenuBecomesButtons)
{
    HMENU hMenu = MakeFrameMenu(false);
    CUiMenuControlBar* pBar = MakeMenuBar(hMenu);
    EXPECT_EQ((HMENU)NULL, ::GetMenu(hFrame));
    ASSERT_NE(nullptr, pBar->GetBarMenu());
    EXPECT_EQ(hMenu, pBar->GetBarMenu()->GetSafeHmenu());
    ASSERT_EQ(3, pBar->GetButtonsCount());
    EXPECT_FALSE(pBar->GetButton(0)->IsSeparator());
    EXPECT_TRUE(pBar->GetButton(1)->IsSeparator());
    EXPECT_FALSE(pBar->GetButton(2)->IsSeparator());
    BarFontDC dc(pBar, false);
    const char* texts[] = {"File", nullptr, "Edit"};
    for (int i : {0, 2}) {
        const CSize size = pBar->GetButton(i)->GetSize();
        // The text and its margins, no drop-down part.
        EXPECT_EQ(std::max<int>(23, dc.Measure(texts[i]).cx + 12), size.cx) << i;
        EXPECT_GE(size.cy, 20) << i;
        EXPECT_TRUE(pBar->GetButton(i)->IsAbleToTrackMenu()) << i;
    }

    EXPECT_TRUE(pBar->UpdateMenuBar(true));
    EXPECT_TRUE(pBar->UpdateMenuBar(true));
    EXPECT_EQ(std::vector<UINT>({65534, 65533}), SubmenuCommands());
    EXPECT_EQ(65534u, pBar->GetButtonID(0));
    EXPECT_EQ(65533u, pBar->GetButtonID(2));
    EXPECT_EQ(hMenu, pBar->GetBarMenu()->GetSafeHmenu());
}

TEST_F(MenuBar, AFrameWhoseLayoutIsReadOrWrittenIsNotLaidOutByTheBar)
{
    CUiMenuControlBar* pBar = MakeMenuBar();
    CWnd* pView = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, pView);
    CRect rcLaidOut, rc;
    pView->GetWindowRect(&rcLaidOut);
    pView->MoveWindow(0, 0, 5, 5);
    ASSERT_TRUE(CUiControlBar::FrameLockMapAdd(pFrame, false));
    pBar->RequestFrameRecalcLayout();
    pView->GetWindowRect(&rc);
    EXPECT_TRUE(CUiControlBar::FrameLockMapRemove(pFrame));
    EXPECT_EQ(CSize(5, 5), rc.Size());

    pBar->RequestFrameRecalcLayout();
    pView->GetWindowRect(&rc);
    EXPECT_EQ(rcLaidOut, rc);
}

TEST_F(MenuBar, ACommandMissingFromTheProfileStopsTheBuild)
{
    HMENU hMenu = MakeFrameMenu(false);
    ::InsertMenuA(hMenu, 1, MF_BYPOSITION | MF_STRING, kMissing, "Missing");
    CUiMenuControlBar* pBar = MakeMenuBar(hMenu);
    pBar->m_bFullRowLayout = false;   // a finished build would add the chevron
    EXPECT_FALSE(pBar->UpdateMenuBar(true));
    EXPECT_EQ(1, pBar->GetButtonsCount());
    EXPECT_EQ(nullptr, pBar->m_pContentExpandButton);

    // Once the command exists the build goes through, the chevron last.
    CmdManagerHolder::GetStoredHandle()->CmdAllocPtr(Profile()->GetName(), kMissing);
    EXPECT_TRUE(pBar->UpdateMenuBar(true));
    EXPECT_EQ(5, pBar->GetButtonsCount());
    EXPECT_TRUE(pBar->IsContentExpandButton(4));
}

TEST_F(MenuBar, FrameMessagesEndMenusAndKeyboardMode)
{
    CUiMenuControlBar* pBar = MakeMenuBar();
    const struct {
        UINT nMsg;
        WPARAM wParam;
    } cases[] = {{WM_SIZE, SIZE_RESTORED}, {WM_SYSCOMMAND, 0}, {WM_COMMAND, MAKEWPARAM(kMenuFirst, 1)}};
    for (const auto& c : cases) {
        pBar->CUiToolControlBar::TrackButtonMenu(0, true, false);
        ASSERT_TRUE(CUiToolControlBar::g_bMenuTracking) << c.nMsg;
        pBar->m_bFlatTracking = true;
        pBar->m_nFlatTrackingIndex = 2;
        ::SendMessage(hFrame, c.nMsg, c.wParam, c.nMsg == WM_SIZE ? MAKELPARAM(600, 300) : 0);
        EXPECT_FALSE(CUiToolControlBar::g_bMenuTracking) << c.nMsg;
        EXPECT_EQ(-1, pBar->m_nMenuTrackingIndex) << c.nMsg;
        EXPECT_FALSE(pBar->m_bFlatTracking) << c.nMsg;
        EXPECT_EQ(-1, pBar->m_nFlatTrackingIndex) << c.nMsg;
        CloseMenus();
    }
}

TEST_F(MenuBar, ParentNotifyWhileAPopupIsOpenStopsAtTheBar)
{
    MakeMenuBar();
    MessageRecorder after(hFrame);
    ::SendMessage(hFrame, WM_PARENTNOTIFY, WM_CREATE, 0);
    EXPECT_TRUE(after.Saw(WM_PARENTNOTIFY));
    after.messages.clear();

    pMenuBar->CUiToolControlBar::TrackButtonMenu(0, true, false);
    ASSERT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_EQ(0, ::SendMessage(hFrame, WM_PARENTNOTIFY, WM_CREATE, 0));
    EXPECT_FALSE(after.Saw(WM_PARENTNOTIFY));
}

TEST_F(MenuBar, ARightPressOnTheCaptionOpensTheSystemMenuAtTheCursor)
{
    MakeMenuBar();
    CRect rcWindow;
    ::GetWindowRect(hFrame, &rcWindow);
    const CPoint pt(rcWindow.left + 80, rcWindow.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
    ::SetCursorPos(pt.x, pt.y);
    EXPECT_EQ(0, ::SendMessage(hFrame, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y)));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(0x926u, recorder.calls[0].nFlags);
    EXPECT_EQ(pt.x, recorder.calls[0].x);
    EXPECT_EQ(pt.y, recorder.calls[0].y);
    EXPECT_TRUE(pMenuBar->m_bSysMenuTracking);
    // The system commands are the items.
    const std::vector<UINT>& ids = recorder.calls[0].ids;
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), (UINT)SC_CLOSE));
}

// The frame's menu changes after creation: another menu replaces the held one (destroyed);
// the same menu again is only taken off the frame.
TEST_F(MenuBar, AMenuSetOnTheFrameLaterIsShown)
{
    HMENU hFirst = MakeFrameMenu(false);
    CUiMenuControlBar* pBar = MakeMenuBar(hFirst);
    ASSERT_EQ(3, pBar->GetButtonsCount());

    HMENU hSecond = ::CreateMenu();
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenuA(hPopup, MF_STRING, kMenuFirst, "First");
    ::AppendMenuA(hSecond, MF_POPUP, (UINT_PTR)hPopup, "&Only");
    ::SetMenu(hFrame, hSecond);
    ::SendMessage(hFrame, WM_NULL, 0, 0);
    EXPECT_EQ((HMENU)NULL, ::GetMenu(hFrame));
    winharness::PumpPending();
    EXPECT_EQ(hSecond, pBar->GetBarMenu()->GetSafeHmenu());
    EXPECT_EQ(1, pBar->GetButtonsCount());
    EXPECT_FALSE(::IsMenu(hFirst));

    ::SetMenu(hFrame, hSecond);
    ::SendMessage(hFrame, WM_NULL, 0, 0);
    winharness::PumpPending();
    EXPECT_EQ((HMENU)NULL, ::GetMenu(hFrame));
    EXPECT_TRUE(::IsMenu(hSecond));
    EXPECT_EQ(hSecond, pBar->GetBarMenu()->GetSafeHmenu());
    EXPECT_EQ(1, pBar->GetButtonsCount());
}

TEST_F(MenuBar, DestroyingTheBarUnhooksTheFrame)
{
    MakeMenuBar();
    EXPECT_TRUE(pMenuBar->IsWindowHookedBySink(hFrame));
    pMenuBar->DestroyWindow();
    EXPECT_FALSE(pMenuBar->IsWindowHookedBySink(hFrame));
    // The frame's messages no longer reach the bar.
    ::SetMenu(hFrame, MakeFrameMenu(false));
    ::SendMessage(hFrame, WM_NULL, 0, 0);
    EXPECT_NE((HMENU)NULL, ::GetMenu(hFrame));
}

// A bar in a dialog: it hooks its parent, loads its menu from a resource and pre-translates
// keys itself.
TEST_F(MenuBar, ABarInADialogHooksItsParentAndTranslatesKeys)
{
    // A window owned by the frame, as a dialog is.
    const HWND hDialog = ::CreateWindowExA(WS_EX_DLGMODALFRAME, AfxRegisterWndClass(0), "Dialog",
                                           WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 400, 200, hFrame, NULL,
                                           ::GetModuleHandleA(NULL), NULL);
    ASSERT_NE((HWND)NULL, hDialog);
    ::SetForegroundWindow(hDialog);
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfileInstall("menubar-dialog", hDialog);
    pManager->CmdAllocPtr("menubar-dialog", kMenuFirst);
    CUiMenuControlBar bar;
    ASSERT_TRUE(bar.Create("Menu bar", CWnd::FromHandle(hDialog), 0xC100, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    bar.SetWindowPos(nullptr, 0, 0, 300, 24, SWP_NOZORDER);
    EXPECT_NE(0, bar.m_bBarFlags & CUiControlBar::kContained);
    EXPECT_EQ(hDialog, bar.m_hWndHooked);
    EXPECT_TRUE(bar.IsWindowHookedBySink(hDialog));
    ASSERT_TRUE(bar.LoadMenuFromResource(701));
    ASSERT_EQ(1, bar.GetButtonsCount());
    EXPECT_EQ("&File", CString(bar.GetButton(0)->GetText()));

    ::SetFocus(hDialog);
    MSG down = KeyMsg(hDialog, WM_SYSKEYDOWN, VK_MENU, true);
    MSG up = KeyMsg(hDialog, WM_KEYUP, VK_MENU, false);
    EXPECT_FALSE(bar.PreTranslateMessage(&down));
    EXPECT_TRUE(bar.PreTranslateMessage(&up));
    winharness::PumpPending();
    EXPECT_TRUE(bar.m_bFlatTracking);
    EXPECT_NE(0u, bar.GetButtonStyle(0) & TBBS_PRESSED);
    // The parent's own key messages pass the bar through its hook.
    ::SendMessage(hDialog, WM_KEYDOWN, VK_ESCAPE, winharness::KeyLParam(VK_ESCAPE, false));
    EXPECT_FALSE(bar.m_bFlatTracking);

    EXPECT_FALSE(bar.IsWindowHookedBySink(hFrame));
    bar.DestroyWindow();
    EXPECT_FALSE(bar.IsWindowHookedBySink(hDialog));
    pManager->ProfileReleaseWindow(hDialog, true);
    ::DestroyWindow(hDialog);
}

} // namespace
