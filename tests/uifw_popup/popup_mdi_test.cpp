// The MDI window list of a popup menu, built from a real MDI frame and its children.
#include "popup_test_support.h"

using namespace popuptest;

namespace {

class PopupMdiTest : public ::testing::Test {
protected:
    PopupMdiTest() : pFrame(new CMDIFrameWnd)
    {
        pFrame->Create(NULL, "mdi receiver", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 460));
        pFrame->ShowWindow(SW_SHOWNA);
        CmdManagerHolder::GetStoredHandle()->ProfileInstall("popupmdi", pFrame->GetSafeHwnd());
        CUiCmdItem* pCmd = CmdManagerHolder::GetStoredHandle()->CmdAllocPtr("popupmdi", ID_A);
        pCmd->m_strMenuText = "A";
    }
    ~PopupMdiTest() override
    {
        const HWND hWnd = pFrame->GetSafeHwnd();
        CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(hWnd, true);
        ::DestroyWindow(hWnd);
        winharness::PumpPending();
    }
    CMDIChildWnd* AddChild(LPCSTR lpszTitle)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame);
        return pChild;
    }
    static bool Radio(const CUiPopupMenuWnd& menu, int nIndex)
    {
        return (menu.ItemGetInfo(nIndex).m_bFlags2 & PopupMenuItemData::kRadio) != 0 &&
               menu.ItemGetInfo(nIndex).GetCmdItem()->StateGetRadio();
    }

    PopupScope scope;
    CMDIFrameWnd* pFrame;
};

TEST_F(PopupMdiTest, ChildrenFollowASeparatorWithTheActiveOneMarked)
{
    AddChild("one");
    CMDIChildWnd* pTwo = AddChild("two");
    AddChild("three");
    pTwo->MDIActivate();

    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.InitRootMenu(pFrame->GetSafeHwnd()));
    ASSERT_TRUE(menu.ItemInsert(ID_A));
    ASSERT_TRUE(menu.AppendMdiWindowList());
    ASSERT_EQ(5, menu.ItemGetCount());
    EXPECT_TRUE(menu.ItemGetInfo(1).IsSeparator());
    EXPECT_EQ("&1 one", menu.ItemGetText(2));
    EXPECT_EQ("&3 three", menu.ItemGetText(4));
    EXPECT_EQ(0xFF01u, menu.ItemGetCmdID(3));
    EXPECT_EQ("Document \"two\"", menu.ItemGetInfo(3).GetCmdItem()->m_strTipStatus);
    EXPECT_FALSE(Radio(menu, 2));
    EXPECT_TRUE(Radio(menu, 3));
    EXPECT_FALSE(Radio(menu, 4));

    // A hidden active child counts as none; a menu without items gets no separator.
    pTwo->ShowWindow(SW_HIDE);
    CUiPopupMenuWnd hidden;
    ASSERT_TRUE(hidden.InitRootMenu(pFrame->GetSafeHwnd()));
    ASSERT_EQ((LRESULT)pTwo->m_hWnd, ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    ASSERT_TRUE(hidden.AppendMdiWindowList(pTwo->m_hWnd));
    ASSERT_EQ(3, hidden.ItemGetCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Radio(hidden, i)) << i;
}

TEST_F(PopupMdiTest, ATenthChildAddsMoreWindowsAndNoFrameFails)
{
    for (int i = 1; i <= 10; ++i)
        AddChild(CString('a' + i - 1, 1));
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.InitRootMenu(pFrame->GetSafeHwnd()));
    ASSERT_TRUE(menu.AppendMdiWindowList());
    ASSERT_EQ(11, menu.ItemGetCount());
    EXPECT_EQ("&9 i", menu.ItemGetText(8));
    EXPECT_TRUE(menu.ItemGetInfo(9).IsSeparator());
    EXPECT_EQ(0xFF09u, menu.ItemGetCmdID(10));
    EXPECT_EQ("More Windows", menu.ItemGetText(10));
    EXPECT_EQ("Manage opened document windows", menu.ItemGetInfo(10).GetCmdItem()->m_strTipStatus);

    CReceiverFrame* pPlain = MakeReceiver();
    CUiPopupMenuWnd plain;
    ASSERT_TRUE(plain.InitRootMenu(pPlain->GetSafeHwnd()));
    ASSERT_TRUE(plain.ItemInsert(0));
    EXPECT_FALSE(plain.AppendMdiWindowList());
    EXPECT_EQ(1, plain.ItemGetCount());
    DestroyReceiver(pPlain);
}

} // namespace
