// Tracking a real popup menu under Xvfb: real keys and clicks through the thread hooks, the
// own loop, the posted command, the update pass and how the tracking ends.
#include "popup_test_support.h"

using namespace popuptest;
using namespace winharness;

namespace {

class PopupTrackTest : public ::testing::Test {
protected:
    PopupTrackTest() : frame(MakeReceiver()) {}
    ~PopupTrackTest() override
    {
        CUiPopupMenuWnd::CloseTrackedMenus();
        DestroyReceiver(frame);
    }

    // A new top menu of the receiver from the entries.
    CUiPopupMenuWnd* NewMenu(std::initializer_list<Entry> entries)
    {
        HMENU hBar = MakeMenuBar(entries);
        CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
        EXPECT_TRUE(pMenu->LoadMenu(frame->GetSafeHwnd(), hBar, TRUE, TRUE));
        ::DestroyMenu(hBar);
        return pMenu;
    }
    CPoint FrameScreenPoint(int x, int y)
    {
        CPoint pt(x, y);
        frame->ClientToScreen(&pt);
        return pt;
    }
    void TypeKeys(StepScript& script, std::initializer_list<UINT> keys)
    {
        script.Add([] {});   // the opening animation ends first
        for (UINT vk : keys)
            script.Add([vk] { HookKey(vk); });
    }
    static PopupTrackingState& State() { return PopupTrackingState::Get(); }

    PopupScope scope;
    CReceiverFrame* frame;
};

TEST_F(PopupTrackTest, OwnLoopWithAResultPointerReturnsTheChoiceAndPostsNothing)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_DISABLED, "Off"}, {ID_A, "&Alpha"}, {ID_B, "Beta"}});
    StepScript script;
    TypeKeys(script, {VK_DOWN, VK_RETURN});
    script.Start();
    UINT nResult = 99;
    const CPoint pt = FrameScreenPoint(20, 20);
    ASSERT_TRUE(pMenu->TrackMenu(CUiPopupMenuWnd::kOwnLoop | CUiPopupMenuWnd::kNoSend, pt.x, pt.y, nullptr,
                                 nullptr, nullptr, &nResult));
    EXPECT_EQ(ID_A, nResult);
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_FALSE(State().HasHooks());
    PumpFor(50);
    EXPECT_EQ(0, frame->Count(WM_COMMAND, ID_A));
    EXPECT_EQ(0, frame->nHandledA);
}

TEST_F(PopupTrackTest, AChosenCommandIsPostedAndSystemCommandsGoAsSysCommands)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}, {SC_CLOSE, "&Close"}});
    StepScript script;
    TypeKeys(script, {VK_DOWN, VK_RETURN});
    script.Start();
    const CPoint pt = FrameScreenPoint(20, 20);
    ASSERT_TRUE(pMenu->TrackMenu(CUiPopupMenuWnd::kOwnLoop, pt.x, pt.y));
    PumpUntil([&] { return frame->nHandledA > 0; });
    EXPECT_EQ(1, frame->Count(WM_COMMAND, ID_A));
    EXPECT_EQ(1, frame->nHandledA);
    EXPECT_EQ(std::vector<int>({3}), std::vector<int>(g_sounds.end() - 1, g_sounds.end()));

    pMenu = NewMenu({{ID_A, "&Alpha"}, {SC_CLOSE, "&Close"}});
    StepScript second;
    TypeKeys(second, {VK_DOWN, VK_DOWN, VK_RETURN});
    second.Start();
    ASSERT_TRUE(pMenu->TrackMenu(CUiPopupMenuWnd::kOwnLoop, pt.x, pt.y));
    PumpUntil([&] { return frame->Count(WM_SYSCOMMAND, SC_CLOSE) > 0; });
    EXPECT_EQ(1, frame->Count(WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(PopupTrackTest, EscapePostsCommandZeroAndClosesTheChain)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}, {ID_B, "&Beta"}});
    const CPoint pt = FrameScreenPoint(20, 20);
    ASSERT_TRUE(pMenu->TrackMenu(0, pt.x, pt.y));
    EXPECT_TRUE(State().HasHooks());
    ASSERT_TRUE(WaitAnimationEnd());
    HookKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); }));
    PumpFor(30);
    EXPECT_EQ(1, frame->Count(WM_COMMAND, 0));
    EXPECT_EQ(0, frame->nHandledA);
    EXPECT_FALSE(State().HasHooks());
    EXPECT_EQ(1, frame->nClosedNotes);
}

TEST_F(PopupTrackTest, ActivateAppClosesAndDeletesTheChain)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}});
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    const HWND hMenu = pMenu->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hMenu));
    ::SendMessageA(hMenu, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_FALSE(State().HasHooks());
}

TEST_F(PopupTrackTest, APressOutsideClosesTheChainAndReachesTheWindowBeneath)
{
    const CPoint ptMenu = FrameScreenPoint(200, 20);
    const CPoint ptBeneath = FrameScreenPoint(40, 40);
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}});
    ASSERT_TRUE(pMenu->TrackMenu(0, ptMenu.x, ptMenu.y));
    ASSERT_TRUE(WaitAnimationEnd());
    CRect rcItem;
    pMenu->GetItemRect(0, rcItem);
    pMenu->ClientToScreen(rcItem);
    // On the menu: swallowed, nothing chosen until the release.
    EXPECT_EQ(1, HookMouse(WM_LBUTTONDOWN, rcItem.CenterPoint()));
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    // Outside: the chain closes and the press goes on to the window beneath.
    EXPECT_EQ(0, HookMouse(WM_LBUTTONDOWN, ptBeneath));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_FALSE(State().HasHooks());

    // A release outside closes the chain too, but is swallowed.
    pMenu = NewMenu({{ID_A, "&Alpha"}});
    ASSERT_TRUE(pMenu->TrackMenu(0, ptMenu.x, ptMenu.y));
    ASSERT_TRUE(WaitAnimationEnd());
    EXPECT_EQ(1, HookMouse(WM_LBUTTONUP, ptBeneath));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    // The wheel does nothing while a menu is open.
    pMenu = NewMenu({{ID_A, "&Alpha"}});
    ASSERT_TRUE(pMenu->TrackMenu(0, ptMenu.x, ptMenu.y));
    ASSERT_TRUE(WaitAnimationEnd());
    EXPECT_EQ(1, HookMouse(WM_MOUSEWHEEL, ptBeneath));
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(PopupTrackTest, AQuitMetInTheOwnLoopStaysWithItsExitCode)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}});
    StepScript script;
    script.Add([] { ::PostQuitMessage(7); });
    script.Start();
    ASSERT_TRUE(pMenu->TrackMenu(CUiPopupMenuWnd::kOwnLoop, 100, 100));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(PopupTrackTest, ASecondTrackingEndsTheFirstAndNestedOnesDoNot)
{
    CUiPopupMenuWnd* pFirst = NewMenu({{ID_A, "&Alpha"}});
    ASSERT_TRUE(pFirst->TrackMenu(0, 100, 100));
    const HWND hFirst = pFirst->GetSafeHwnd();

    // Nested: shown inside the running tracking, which goes on.
    CUiPopupMenuWnd nested;
    nested.InitRootMenu(frame->GetSafeHwnd());
    nested.ItemInsertCommand(ID_B, -1, "Nested", nullptr, nullptr, 0);
    ASSERT_TRUE(nested.TrackMenu(CUiPopupMenuWnd::kNested, 300, 300));
    EXPECT_TRUE(State().IsRoot(pFirst));
    EXPECT_TRUE(::IsWindow(hFirst));
    nested.DestroyWindow();

    CUiPopupMenuWnd* pSecond = NewMenu({{ID_B, "&Beta"}});
    ASSERT_TRUE(pSecond->TrackMenu(0, 120, 120));
    EXPECT_FALSE(::IsWindow(hFirst));
    EXPECT_TRUE(State().IsRoot(pSecond));
    CUiPopupMenuWnd::CloseTrackedMenus();
    EXPECT_FALSE(State().HasHooks());
}

TEST_F(PopupTrackTest, HooksPassANegativeCodeOnAndNothingWithoutTracking)
{
    EXPECT_FALSE(State().HasHooks());
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}, {ID_B, "&Beta"}});
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitAnimationEnd());
    // A negative code is not for the hook: the menu must not see it.
    EXPECT_EQ(0, State().KeyboardHook(-1, VK_DOWN, 1));
    EXPECT_EQ(-1, pMenu->GetCurrentItemIndex());
    EXPECT_EQ(1, State().KeyboardHook(HC_ACTION, VK_DOWN, 1));
    EXPECT_EQ(0, pMenu->GetCurrentItemIndex());
    CUiPopupMenuWnd::CloseTrackedMenus();
    EXPECT_FALSE(State().HasHooks());
}

TEST_F(PopupTrackTest, WithNoFocusedMenuTheRootIsNotDrivenAndAReleasedAltCloses)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "&Alpha"}, {ID_B, "&Beta"}});
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitAnimationEnd());
    CRect rcItem;
    pMenu->GetItemRect(1, rcItem);
    pMenu->ClientToScreen(rcItem);
    CUiPopupMenuWnd gone;   // a focused menu whose window is no more
    for (CUiPopupMenuWnd* pFocused : {static_cast<CUiPopupMenuWnd*>(nullptr), &gone}) {
        State().m_pFocused = pFocused;
        // Keys go on to the window with the focus; the mouse reaches neither the menu nor
        // what lies beside it, so a click there closes nothing.
        EXPECT_EQ(0, State().KeyboardHook(HC_ACTION, VK_DOWN, KeyLParam(VK_DOWN, false)));
        EXPECT_EQ(0, State().KeyboardHook(HC_ACTION, VK_DOWN, KeyLParam(VK_DOWN, true)));
        EXPECT_EQ(1, HookMouse(WM_MOUSEMOVE, rcItem.CenterPoint()));
        EXPECT_EQ(1, HookMouse(WM_LBUTTONDOWN, FrameScreenPoint(300, 250)));
        EXPECT_EQ(-1, pMenu->GetCurrentItemIndex());
        ASSERT_TRUE(State().IsRoot(pMenu));
    }
    // Alt pressed goes on and closes nothing; released, it closes the menus.
    EXPECT_EQ(0, State().KeyboardHook(HC_ACTION, VK_MENU, KeyLParam(VK_MENU, false, true)));
    ASSERT_TRUE(State().IsRoot(pMenu));
    EXPECT_EQ(0, State().KeyboardHook(HC_ACTION, VK_MENU, KeyLParam(VK_MENU, true, true)));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_FALSE(State().HasHooks());
}

TEST_F(PopupTrackTest, TheUpdatePassSetsTheItemsFromTheHandlers)
{
    CUiPopupMenuWnd* pMenu =
        NewMenu({{ID_CHECKED, "Checked"}, {ID_RADIO, "Radio"}, {ID_RENAMED, "Old"}, {ID_DISABLED, "Off"},
                 {ID_NOHANDLER, "None"}, {ID_A, "Handled"}, {SC_MOVE, "Move"}});
    pMenu->ItemInsertCommand(ID_C, -1, "Own", nullptr, nullptr, 0);
    pMenu->ItemGetInfo(pMenu->ItemGetCount() - 1).m_bFlags2 &= ~PopupMenuItemData::kEnabled;
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    auto item = [&](int i) -> PopupMenuItemData& { return pMenu->ItemGetInfo(i); };
    EXPECT_NE(0, item(0).m_bFlags1 & PopupMenuItemData::kChecked);
    EXPECT_NE(0, item(1).m_bFlags2 & PopupMenuItemData::kRadio);
    EXPECT_EQ("Renamed", item(2).GetText());
    EXPECT_FALSE(item(3).IsEnabled());
    EXPECT_FALSE(item(4).IsEnabled());
    EXPECT_TRUE(item(5).IsEnabled());
    EXPECT_TRUE(item(6).IsEnabled());    // a window-system command: its own rules
    EXPECT_FALSE(item(7).IsEnabled());   // own item: untouched by the handler that enables it
    CUiPopupMenuWnd::CloseTrackedMenus();

    // 0x400: no pass at all.
    pMenu = NewMenu({{ID_DISABLED, "Off"}});
    ASSERT_TRUE(pMenu->TrackMenu(CUiPopupMenuWnd::kNoUpdate, 100, 100));
    EXPECT_TRUE(pMenu->ItemGetInfo(0).IsEnabled());
    CUiPopupMenuWnd::CloseTrackedMenus();
}

TEST_F(PopupTrackTest, ThePrepareMessageCancelsOrAsksForASecondPass)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "Alpha"}});
    frame->dwPrepareAnswer = 2;
    EXPECT_FALSE(pMenu->TrackMenu(0, 100, 100));
    EXPECT_EQ(1, frame->nPrepare);
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_FALSE(State().HasHooks());
    EXPECT_EQ(1, pMenu->ItemGetCount());   // still the caller's
    delete pMenu;

    pMenu = NewMenu({{ID_DISABLED, "Off"}});
    frame->dwPrepareAnswer = 0;
    frame->nUpdates = 0;
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    EXPECT_EQ(1, frame->nUpdates);
    CUiPopupMenuWnd::CloseTrackedMenus();

    pMenu = NewMenu({{ID_DISABLED, "Off"}});
    frame->dwPrepareAnswer = 1;
    frame->nUpdates = 0;
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    EXPECT_EQ(2, frame->nUpdates);
    CUiPopupMenuWnd::CloseTrackedMenus();
}

TEST_F(PopupTrackTest, AFrameInHelpModeMarksTheTracking)
{
    CUiPopupMenuWnd* pMenu = NewMenu({{ID_A, "Alpha"}});
    frame->m_bHelpMode = TRUE;
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    EXPECT_NE(0u, pMenu->m_nTrackFlags & CUiPopupMenuWnd::kHelpMode);
    frame->m_bHelpMode = FALSE;
    CUiPopupMenuWnd::CloseTrackedMenus();
}

TEST_F(PopupTrackTest, WindowSystemCommandsFollowTheReceiversPlacement)
{
    frame->ShowWindow(SW_MAXIMIZE);
    CUiPopupMenuWnd* pMenu = NewMenu({{SC_MAXIMIZE, "Max"}, {SC_RESTORE, "Restore"}, {SC_SIZE, "Size"}});
    ASSERT_EQ(3, pMenu->ItemGetCount());
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    EXPECT_FALSE(pMenu->ItemGetInfo(0).IsEnabled());
    EXPECT_TRUE(pMenu->ItemGetInfo(1).IsEnabled());
    EXPECT_FALSE(pMenu->ItemGetInfo(2).IsEnabled());
    CUiPopupMenuWnd::CloseTrackedMenus();
    frame->ShowWindow(SW_RESTORE);
}

} // namespace
