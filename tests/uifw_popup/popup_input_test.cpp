// Input of a tracked menu: moving through the items, access characters, submenus opened and
// closed by keys and by the delay timer, scrolling, the expand button and the menu bar's
// next and previous messages.
#include "popup_test_support.h"

using namespace popuptest;
using namespace winharness;

namespace {

class PopupInputTest : public ::testing::Test {
protected:
    PopupInputTest() : frame(MakeReceiver()) {}
    ~PopupInputTest() override
    {
        CUiPopupMenuWnd::CloseTrackedMenus();
        DestroyReceiver(frame);
    }
    CUiPopupMenuWnd* NewRoot()
    {
        CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
        pMenu->InitRootMenu(frame->GetSafeHwnd());
        return pMenu;
    }
    // Tracks [&Alpha, &More > [&Beta]] at (200, 200).
    CUiPopupMenuWnd* TrackWithSubmenu(CUiPopupMenuWnd*& pSub)
    {
        CUiPopupMenuWnd* pMenu = NewRoot();
        pMenu->ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 0);
        pMenu->ItemInsertSubmenu(nullptr, -1, "&More");
        pSub = pMenu->ItemGetPopup(1);
        pSub->ItemInsertCommand(ID_B, -1, "&Beta", nullptr, nullptr, 0);
        EXPECT_TRUE(pMenu->TrackMenu(0, 200, 200));
        return pMenu;
    }
    void Key(UINT vk)
    {
        HookKey(vk);
        // A submenu that opened animates first.
        WaitAnimationEnd();
    }
    static PopupTrackingState& State() { return PopupTrackingState::Get(); }

    PopupScope scope;
    CReceiverFrame* frame;
};

TEST_F(PopupInputTest, DownWrapsOrReachesTheExpandButton)
{
    CUiPopupMenuWnd menu;
    menu.InitRootMenu(frame->GetSafeHwnd());
    for (UINT id : {ID_A, ID_B, ID_C})
        menu.ItemInsertCommand(id, -1, "x", nullptr, nullptr, 0);
    menu.ItemGetInfo(1).m_bFlags2 &= ~PopupMenuItemData::kEnabled;
    EXPECT_EQ(0, menu.GetNextItemIndex(1));
    menu.m_nCurIndex = 0;
    EXPECT_EQ(2, menu.GetNextItemIndex(2));
    menu.m_nCurIndex = 2;
    EXPECT_EQ(0, menu.GetNextItemIndex(2));
    EXPECT_EQ(0, menu.GetNextItemIndex(3));
    menu.m_nCurIndex = 0;
    EXPECT_EQ(2, menu.GetNextItemIndex(3));
    menu.m_nCurIndex = 2;
    menu.m_bState |= CUiPopupMenuWnd::kHasHidden;
    EXPECT_EQ(CUiPopupMenuWnd::kExpandButton, menu.GetNextItemIndex(2));
    menu.m_nCurIndex = -1;
}

TEST_F(PopupInputTest, AUniqueAccessCharacterChoosesAtOnceASharedOneMoves)
{
    CUiPopupMenuWnd* pMenu = NewRoot();
    pMenu->ItemInsertCommand(ID_SAVE, -1, "&Save", nullptr, nullptr, 0);
    pMenu->ItemInsertCommand(ID_SEND, -1, "&Send", nullptr, nullptr, 0);
    pMenu->ItemInsertCommand(ID_OPEN, -1, "&Open", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    Key('S');
    EXPECT_EQ(0, pMenu->GetCurrentItemIndex());
    Key('S');
    EXPECT_EQ(1, pMenu->GetCurrentItemIndex());
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    Key('O');
    ASSERT_TRUE(PumpUntil([&] { return frame->Count(WM_COMMAND, ID_OPEN) > 0; }));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(PopupInputTest, LeftClosesOnlyTheSubmenuEscapeTheWholeChain)
{
    CUiPopupMenuWnd* pSub = nullptr;
    CUiPopupMenuWnd* pMenu = TrackWithSubmenu(pSub);
    ASSERT_TRUE(WaitAnimationEnd());
    Key(VK_DOWN);
    Key(VK_DOWN);
    ASSERT_EQ(1, pMenu->GetCurrentItemIndex());
    Key(VK_RIGHT);
    ASSERT_TRUE(::IsWindow(pSub->GetSafeHwnd()));
    EXPECT_EQ(pSub, State().m_pFocused);
    EXPECT_EQ(0, pSub->GetCurrentItemIndex());
    Key(VK_LEFT);
    EXPECT_FALSE(::IsWindow(pSub->GetSafeHwnd()) && pSub->IsWindowVisible());
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_EQ(pMenu, State().m_pFocused);
    EXPECT_EQ(1, pMenu->GetCurrentItemIndex());
    Key(VK_RIGHT);
    ASSERT_EQ(pSub, State().m_pFocused);
    Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); }));
    EXPECT_EQ(1, frame->Count(WM_COMMAND, 0));
}

TEST_F(PopupInputTest, ASubmenuOverflowingTheRightEdgeOpensToTheLeftAndSoDoesItsOwn)
{
    CUiPopupMenuWnd* pMenu = NewRoot();
    pMenu->ItemInsertSubmenu(nullptr, -1, "&More");
    CUiPopupMenuWnd* pSub = pMenu->ItemGetPopup(0);
    pSub->ItemInsertSubmenu(nullptr, -1, "&Deeper");
    CUiPopupMenuWnd* pDeep = pSub->ItemGetPopup(0);
    pDeep->ItemInsertCommand(ID_B, -1, "&Beta", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 900, 100));
    ASSERT_TRUE(WaitAnimationEnd());
    pMenu->SetCurrentItem(0, TRUE, TRUE, TRUE);
    ASSERT_TRUE(::IsWindow(pSub->GetSafeHwnd()));
    pSub->SetCurrentItem(0, TRUE, TRUE, TRUE);
    ASSERT_TRUE(::IsWindow(pDeep->GetSafeHwnd()));
    CRect rcItem, rcSub, rcSubItem, rcDeep;
    pMenu->GetItemRect(0, rcItem);
    pMenu->ClientToScreen(rcItem);
    pSub->GetWindowRect(rcSub);
    EXPECT_LE(rcSub.right, rcItem.left);
    pSub->GetItemRect(0, rcSubItem);
    pSub->ClientToScreen(rcSubItem);
    pDeep->GetWindowRect(rcDeep);
    EXPECT_LE(rcDeep.right, rcSubItem.left);
    EXPECT_LE(rcSub.right, 1024);
}

TEST_F(PopupInputTest, TheMouseMakesAnItemCurrentAndASubmenuItemWaitsForTheDelay)
{
    CUiPopupMenuWnd* pSub = nullptr;
    CUiPopupMenuWnd* pMenu = TrackWithSubmenu(pSub);
    ASSERT_TRUE(WaitAnimationEnd());
    CRect rcA, rcMore;
    pMenu->GetItemRect(0, rcA);
    pMenu->ClientToScreen(rcA);
    pMenu->GetItemRect(1, rcMore);
    pMenu->ClientToScreen(rcMore);
    EXPECT_EQ(1, HookMouse(WM_MOUSEMOVE, rcA.CenterPoint()));
    EXPECT_EQ(0, pMenu->GetCurrentItemIndex());
    EXPECT_EQ(0, HookMouse(WM_MOUSEMOVE, rcA.CenterPoint()));   // no change: goes on
    EXPECT_EQ(1, HookMouse(WM_MOUSEMOVE, rcMore.CenterPoint()));
    EXPECT_EQ(1, pMenu->GetCurrentItemIndex());
    EXPECT_EQ(1, pMenu->m_nPendingSubmenu);
    EXPECT_FALSE(::IsWindow(pSub->GetSafeHwnd()));
    // Away from every menu: the current item is released.
    EXPECT_EQ(0, HookMouse(WM_MOUSEMOVE, CPoint(rcA.left - 100, rcA.top)));
    EXPECT_EQ(-1, pMenu->GetCurrentItemIndex());
}

TEST_F(PopupInputTest, TheSubmenuDelayOpensOnlyWithTheCursorInside)
{
    CUiPopupMenuWnd* pSub = nullptr;
    CUiPopupMenuWnd* pMenu = TrackWithSubmenu(pSub);
    ASSERT_TRUE(WaitAnimationEnd());
    CRect rc;
    pMenu->GetItemRect(1, rc);
    pMenu->ClientToScreen(rc);
    ::SetCursorPos(rc.left - 50, rc.top);
    pMenu->SetSubMenuTimer(1);
    pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kSubmenuTimer);
    EXPECT_FALSE(::IsWindow(pSub->GetSafeHwnd()));
    EXPECT_EQ(-1, pMenu->m_nPendingSubmenu);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    pMenu->SetSubMenuTimer(1);
    pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kSubmenuTimer);
    EXPECT_TRUE(::IsWindow(pSub->GetSafeHwnd()));
}

TEST_F(PopupInputTest, ScrollingMovesByFiveAndStopsAtEitherEnd)
{
    CUiPopupMenuWnd* pMenu = NewRoot();
    for (int i = 0; i < 40; ++i)
        pMenu->ItemInsertCommand(ID_A, -1, "Item", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 10));
    ASSERT_TRUE(WaitAnimationEnd());
    ASSERT_NE(0, pMenu->m_bState & CUiPopupMenuWnd::kScrollable);
    const int nMax = pMenu->GetMaxScrollPos();
    ASSERT_LT(nMax, -10);
    CRect rc;
    pMenu->GetItemRect(CUiPopupMenuWnd::kScrollDown, rc);
    pMenu->ClientToScreen(rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kScrollTimer);
    EXPECT_EQ(-5, pMenu->m_nScrollPos);
    for (int i = 0; i < 200 && pMenu->m_nScrollPos > nMax; ++i)
        pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kScrollTimer);
    EXPECT_EQ(nMax, pMenu->m_nScrollPos);
    pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kScrollTimer);
    EXPECT_EQ(nMax, pMenu->m_nScrollPos);
    pMenu->GetItemRect(CUiPopupMenuWnd::kScrollUp, rc);
    pMenu->ClientToScreen(rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kScrollTimer);
    EXPECT_EQ(nMax + 5, pMenu->m_nScrollPos);
    for (int i = 0; i < 200 && pMenu->m_nScrollStep != 0; ++i)
        pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kScrollTimer);
    EXPECT_EQ(0, pMenu->m_nScrollPos);
    EXPECT_EQ(0, pMenu->m_nScrollStep);
}

TEST_F(PopupInputTest, RestingOnTheExpandButtonExpandsOnTheThirtyFirstTick)
{
    CUiPopupMenuWnd* pMenu = NewRoot();
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(frame->GetSafeHwnd());
    ASSERT_NE(nullptr, pProfile);
    pProfile->CmdAllocPtr(ID_D)->m_strMenuText = "Rare";
    pMenu->ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->ItemInsert(ID_D, -1));   // a command of the profile, never used: rarely used
    pProfile->m_nRarelyPercent = 10;
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    ASSERT_NE(0, pMenu->m_bState & CUiPopupMenuWnd::kHasHidden);
    CRect rc;
    pMenu->GetItemRect(CUiPopupMenuWnd::kExpandButton, rc);
    pMenu->ClientToScreen(rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    pMenu->m_nExpandHover = 1;
    for (int i = 0; i < 30; ++i)
        pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kExpandTimer);
    EXPECT_EQ(0, pMenu->m_bState & CUiPopupMenuWnd::kExpanded);
    pMenu->SendMessage(WM_TIMER, CUiPopupMenuWnd::kExpandTimer);
    EXPECT_NE(0, pMenu->m_bState & CUiPopupMenuWnd::kExpanded);
    EXPECT_TRUE(pMenu->ItemIsDisplayed(1));
}

TEST_F(PopupInputTest, WhileABarTracksRightAndLeftMoveToTheNextAndPreviousButton)
{
    PopupBarTrackingBridge::g_bButtonMenuTracking = true;
    CUiPopupMenuWnd* pMenu = NewRoot();
    pMenu->ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    Key(VK_RIGHT);
    Key(VK_LEFT);
    PumpFor(30);
    ASSERT_EQ(2u, frame->received.size());
    EXPECT_EQ(CUiPopupMenuWnd::g_nMsgPopupNext, frame->received[0].message);
    EXPECT_EQ(CUiPopupMenuWnd::g_nMsgPopupPrev, frame->received[1].message);
    PopupBarTrackingBridge::g_bButtonMenuTracking = false;
}

TEST_F(PopupInputTest, KillingTheAnimationTimerLetsInputThrough)
{
    CUiPopupBaseWnd::g_nDefaultAnimation = 4;
    CUiPopupMenuWnd* pMenu = NewRoot();
    pMenu->ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_EQ(pMenu, State().m_pAnimating);
    pMenu->ResetShadowAndSurfaces();
    EXPECT_EQ(nullptr, State().m_pAnimating);
    Key(VK_DOWN);
    EXPECT_EQ(0, pMenu->GetCurrentItemIndex());
}

} // namespace
