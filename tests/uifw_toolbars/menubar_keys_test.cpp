// The menu bar's keyboard protocol on the SDI frame: Alt alone, arrows, access characters of
// this bar and of another toolbar, Alt used by a command, a dropped combo box, and the frame's
// system menu from Alt+Space and from the right end of the menus.
#include <gtest/gtest.h>

#include "menubar_test_support.h"

using namespace mbtest;
using namespace tbtest;

namespace {

class MenuBarKeys : public MenuBarFixture {
protected:
    MenuBarKeys() : modifiers(winharness::kNone)
    {
        MakeMenuBar();
        ::SetFocus(hFrame);
    }
    bool AltDown() { return Key(WM_SYSKEYDOWN, VK_MENU, true); }
    bool AltUp() { return Key(WM_KEYUP, VK_MENU, false); }
    // Alt pressed and released alone: keyboard mode on button 0.
    void EnterKeyboardMode()
    {
        AltDown();
        AltUp();
        ASSERT_TRUE(pMenuBar->m_bFlatTracking);
    }
    bool Pressed(int nIndex) { return (pMenuBar->GetButtonStyle(nIndex) & TBBS_PRESSED) != 0; }

    winharness::KeyboardModifiers modifiers;
};

TEST_F(MenuBarKeys, AltAloneHighlightsTheFirstMenuAndDownOpensIt)
{
    EXPECT_FALSE(AltDown());
    EXPECT_TRUE(AltUp());
    EXPECT_TRUE(pMenuBar->m_bFlatTracking);
    EXPECT_EQ(0, pMenuBar->m_nFlatTrackingIndex);
    EXPECT_TRUE(Pressed(0));
    EXPECT_TRUE(recorder.calls.empty());

    EXPECT_TRUE(Key(WM_KEYDOWN, VK_DOWN, false));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_NE(0u, recorder.calls[0].nFlags & 0x40);
    EXPECT_EQ(std::vector<UINT>({kMenuFirst}), recorder.calls[0].ids);
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
    EXPECT_EQ(0, pMenuBar->m_nMenuTrackingIndex);
}

TEST_F(MenuBarKeys, ArrowsWrapAndSkipSeparatorsDisabledAndHiddenButtons)
{
    EnterKeyboardMode();
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_LEFT, false));
    EXPECT_EQ(3, pMenuBar->m_nFlatTrackingIndex);
    EXPECT_TRUE(Pressed(3));
    EXPECT_FALSE(Pressed(0));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT, false));
    EXPECT_EQ(0, pMenuBar->m_nFlatTrackingIndex);
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT, false));
    EXPECT_EQ(2, pMenuBar->m_nFlatTrackingIndex);   // over the separator

    pMenuBar->SetButtonStyle(3, TBBS_DISABLED);
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT, false));
    EXPECT_EQ(0, pMenuBar->m_nFlatTrackingIndex);
    pMenuBar->SetButtonStyle(3, 0);
    pMenuBar->SetButtonStyle(2, TBBS_HIDDEN);
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT, false));
    EXPECT_EQ(3, pMenuBar->m_nFlatTrackingIndex);
    EXPECT_TRUE(Key(WM_KEYUP, VK_RIGHT, false));

    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE, false));
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
    EXPECT_FALSE(Pressed(3));
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(MenuBarKeys, AltReleasedAgainOrAClickLeavesKeyboardMode)
{
    EnterKeyboardMode();
    EXPECT_TRUE(AltDown());
    EXPECT_TRUE(AltUp());
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
    EXPECT_FALSE(Pressed(0));

    EnterKeyboardMode();
    MSG click = {hFrame, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {0, 0}};
    EXPECT_FALSE(pMenuBar->TranslateMenuKey(&click));
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
}

TEST_F(MenuBarKeys, AnAccessCharacterOpensItsMenuAtOnce)
{
    AltDown();
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'F', true));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(std::vector<UINT>({kMenuFirst}), recorder.calls[0].ids);
    EXPECT_EQ(0, pMenuBar->m_nMenuTrackingIndex);
    EXPECT_TRUE(Key(WM_SYSKEYUP, 'F', true));
    // The release of Alt with the menu open enters no keyboard mode.
    EXPECT_TRUE(AltUp());
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
    EXPECT_EQ(1u, recorder.calls.size());
}

TEST_F(MenuBarKeys, AltUsedByAMenuCommandEntersNoKeyboardMode)
{
    AltDown();
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_MENU;
    ::SendInput(1, &input, sizeof(input));
    ASSERT_NE(0, ::GetAsyncKeyState(VK_MENU) & 0x8000);
    MSG command = {hFrame, WM_COMMAND, MAKEWPARAM(kMenuFirst, 0), 0, 0, {0, 0}};
    EXPECT_FALSE(pMenuBar->TranslateMenuKey(&command));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(input));
    // The real key messages are not the frame's business here.
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    EXPECT_TRUE(CUiMenuControlBar::g_bAltKeyConsumed);
    EXPECT_FALSE(AltUp());
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);

    // Without Alt down the command leaves the next Alt release free.
    MSG plain = {hFrame, WM_COMMAND, MAKEWPARAM(kMenuFirst, 0), 0, 0, {0, 0}};
    pMenuBar->TranslateMenuKey(&plain);
    EXPECT_FALSE(CUiMenuControlBar::g_bAltKeyConsumed);
}

TEST_F(MenuBarKeys, AltReleasedOverADroppedComboIsLeftAlone)
{
    CComboBox* pCombo = new CComboBox;
    ASSERT_TRUE(pCombo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 80, 200, 300), pFrame,
                               0x3456));
    pCombo->AddString("one");
    pCombo->AddString("two");
    pCombo->SetFocus();
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->GetDroppedState());
    EXPECT_FALSE(AltDown());
    EXPECT_FALSE(AltUp());
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
    EXPECT_TRUE(pCombo->GetDroppedState());
    pCombo->ShowDropDown(FALSE);
    pCombo->DestroyWindow();
    delete pCombo;
}

TEST_F(MenuBarKeys, AnAccessCharacterOfAnotherToolbarUsesThatToolbar)
{
    CUiToolControlBar* pSecond = MakeSecondBar();
    ::SetFocus(hFrame);
    AltDown();
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'T', true));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(std::vector<UINT>({kMenuSecond}), recorder.calls[0].ids);
    EXPECT_EQ(0, pSecond->m_nMenuTrackingIndex);
    EXPECT_EQ(-1, pMenuBar->m_nMenuTrackingIndex);
    CloseMenus();

    // A button without a menu delivers its command.
    AltDown();
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'R', true));
    EXPECT_EQ(std::vector<UINT>({kRun}), pFrame->commands);

    // A letter no toolbar has: the Alt press is used up.
    AltDown();
    EXPECT_FALSE(CUiMenuControlBar::g_bAltKeyConsumed);
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'Q', true));
    EXPECT_TRUE(CUiMenuControlBar::g_bAltKeyConsumed);
    EXPECT_FALSE(AltUp());
    EXPECT_FALSE(pMenuBar->m_bFlatTracking);
    EXPECT_EQ(1u, recorder.calls.size());
}

TEST_F(MenuBarKeys, AltSpaceOpensTheFramesSystemMenuBelowTheCaption)
{
    AltDown();
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_SPACE, true));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(0x966u, recorder.calls[0].nFlags);
    CRect rcWindow;
    ::GetWindowRect(hFrame, &rcWindow);
    CPoint ptClient(0, 0);
    ::ClientToScreen(hFrame, &ptClient);
    EXPECT_EQ(rcWindow.left + ::GetSystemMetrics(SM_CXFRAME), recorder.calls[0].x);
    EXPECT_EQ(ptClient.y, recorder.calls[0].y);
    EXPECT_TRUE(pMenuBar->m_bSysMenuTracking);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_SPACE, true));
}

TEST_F(MenuBarKeys, RightInTheLastMenuOpensTheSystemMenuAndRightAgainTheFirstMenu)
{
    pMenuBar->CUiToolControlBar::TrackButtonMenu(3, true, false);
    ASSERT_EQ(3, pMenuBar->m_nMenuTrackingIndex);
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(0, ::SendMessage(hFrame, CUiPopupMenuWnd::g_nMsgPopupNext, 0, 0));
    ASSERT_EQ(2u, recorder.calls.size());
    EXPECT_TRUE(pMenuBar->m_bSysMenuTracking);
    EXPECT_EQ(-1, pMenuBar->m_nMenuTrackingIndex);
    const std::vector<UINT>& ids = recorder.calls[1].ids;
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), (UINT)SC_CLOSE));

    ::SendMessage(hFrame, CUiPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    ASSERT_EQ(3u, recorder.calls.size());
    EXPECT_EQ(0, pMenuBar->m_nMenuTrackingIndex);
    ::SendMessage(hFrame, CUiPopupMenuWnd::g_nMsgNotifyMenuClosed, 0, 0);
    EXPECT_FALSE(pMenuBar->m_bSysMenuTracking);
    // Left from the first menu goes back to the system menu.
    ::SendMessage(hFrame, CUiPopupMenuWnd::g_nMsgPopupPrev, 0, 0);
    ASSERT_EQ(4u, recorder.calls.size());
    EXPECT_TRUE(pMenuBar->m_bSysMenuTracking);
}

} // namespace
