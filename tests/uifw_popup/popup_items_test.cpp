// Items of a popup menu: filling from a Windows menu with the recent files spliced in,
// searching by access character, inserting into a menu without a parent, and the way back to
// a Windows menu.
#include "popup_test_support.h"

#include "afxres.h"

using namespace popuptest;

namespace {

class PopupItemsTest : public ::testing::Test {
protected:
    PopupItemsTest() : frame(MakeReceiver()) {}
    ~PopupItemsTest() override
    {
        delete theApp.m_pRecentFileList;
        theApp.m_pRecentFileList = nullptr;
        DestroyReceiver(frame);
    }
    std::vector<CString> Texts(const CUiPopupMenuWnd& menu) const
    {
        std::vector<CString> texts;
        for (int i = 0; i < menu.ItemGetCount(); ++i)
            texts.push_back(menu.ItemGetInfo(i).IsSeparator() ? CString("-") : menu.ItemGetText(i));
        return texts;
    }

    PopupScope scope;
    CReceiverFrame* frame;
};

TEST_F(PopupItemsTest, RecentFilesAreSplicedInWithTheirNumbersAndASeparator)
{
    theApp.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 12);
    const char* names[] = {"l", "k", "j", "i", "h", "g", "f", "e", "d", "c", "b", "a"};
    for (const char* name : names)
        theApp.m_pRecentFileList->Add(CString("Z:\\elsewhere\\") + name);
    HMENU hBar = MakeMenuBar({{ID_A, "A"}, {0, nullptr}, {0, nullptr}, {ID_B, "B"}, {ID_FILE_MRU_FILE1, "MRU"},
                              {ID_C, "C"}});
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.LoadMenu(frame->GetSafeHwnd(), hBar, TRUE, TRUE));
    const std::vector<CString> texts = Texts(menu);
    ASSERT_EQ(17u, texts.size());
    EXPECT_EQ("A", texts[0]);
    EXPECT_EQ("-", texts[1]);
    EXPECT_EQ("B", texts[2]);
    EXPECT_EQ("&1 Z:\\elsewhere\\a", texts[3]);
    EXPECT_EQ("&9 Z:\\elsewhere\\i", texts[11]);
    EXPECT_EQ("1&0 Z:\\elsewhere\\j", texts[12]);
    EXPECT_EQ("1&1 Z:\\elsewhere\\k", texts[13]);
    EXPECT_EQ("1&2 Z:\\elsewhere\\l", texts[14]);
    EXPECT_EQ("-", texts[15]);
    EXPECT_EQ("C", texts[16]);
    EXPECT_EQ(0xE110u + 11, menu.ItemGetCmdID(14));
    EXPECT_EQ('2', menu.ItemGetInfo(14).m_cAccessChar);
    ::DestroyMenu(hBar);
}

TEST_F(PopupItemsTest, WithoutRecentFilesTheEntryGoesAndNoSeparatorIsAdded)
{
    HMENU hBar = MakeMenuBar({{ID_A, "A"}, {0, nullptr}, {0, nullptr}, {ID_B, "B"}, {ID_FILE_MRU_FILE1, "MRU"},
                              {ID_C, "C"}});
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.LoadMenu(frame->GetSafeHwnd(), hBar, TRUE, TRUE));
    const std::vector<CString> texts = Texts(menu);
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ("A", texts[0]);
    EXPECT_EQ("-", texts[1]);
    EXPECT_EQ("B", texts[2]);
    EXPECT_EQ("C", texts[3]);
    ::DestroyMenu(hBar);
}

TEST_F(PopupItemsTest, AccessCharacterSearchSkipsDisabledItemsAndWraps)
{
    HMENU hBar = MakeMenuBar({{ID_SAVE, "&Save"}, {ID_SELECT, "&Select"}, {ID_SEND, "&Send"}});
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.LoadMenu(frame->GetSafeHwnd(), hBar, TRUE, TRUE));
    menu.ItemGetInfo(1).m_bFlags2 &= ~PopupMenuItemData::kEnabled;
    EXPECT_EQ(0, menu.ItemFindByAccessChar('S', -1));
    EXPECT_EQ(2, menu.ItemFindByAccessChar('s', 0));
    EXPECT_EQ(0, menu.ItemFindByAccessChar('S', 2));
    EXPECT_EQ(-1, menu.ItemFindByAccessChar('0', -1));
    ::DestroyMenu(hBar);
}

TEST_F(PopupItemsTest, InsertingIntoAMenuWithoutParentLaysOutThatMenu)
{
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.InitRootMenu(frame->GetSafeHwnd()));
    EXPECT_FALSE(menu.ItemInsert(0x7777));   // not in the profile
    EXPECT_TRUE(menu.ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 1));
    EXPECT_TRUE(menu.ItemInsertSubmenu(nullptr, -1, "&More"));
    CUiPopupMenuWnd* pSub = menu.ItemGetPopup(1);
    ASSERT_NE(nullptr, pSub);
    EXPECT_TRUE(pSub->ItemInsertCommand(ID_B, -1, "Beta", nullptr, nullptr, 0));
    EXPECT_TRUE(pSub->ItemInsert(0));
    EXPECT_EQ(2, pSub->ItemGetCount());
    EXPECT_GT(menu.m_sizeContent.cy, 1);
    EXPECT_TRUE(menu.ItemSetText(0, "&Alpha\tCtrl+A"));
    EXPECT_EQ("&Alpha", menu.ItemGetText(0));
    EXPECT_EQ("Ctrl+A", menu.ItemGetAccelText(0));
    EXPECT_FALSE(menu.InitRootMenu(frame->GetSafeHwnd()));
}

TEST_F(PopupItemsTest, AWindowsMenuBuiltBackKeepsItsSubmenus)
{
    CUiPopupMenuWnd menu;
    ASSERT_TRUE(menu.InitRootMenu(frame->GetSafeHwnd()));
    menu.ItemInsertCommand(ID_A, -1, "Alpha", "F2", nullptr, 0);
    menu.ItemInsertSubmenu(nullptr, -1, "More");
    menu.ItemGetPopup(1)->ItemInsertCommand(ID_B, -1, "Beta", nullptr, nullptr, 0);
    HMENU hDeep = menu.BuildHMenu(TRUE);
    ASSERT_NE((HMENU)NULL, hDeep);
    char text[64] = {};
    ::GetMenuStringA(hDeep, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("Alpha\tF2", text);
    HMENU hSub = ::GetSubMenu(hDeep, 1);
    ASSERT_NE((HMENU)NULL, hSub);
    EXPECT_EQ(1, ::GetMenuItemCount(hSub));
    EXPECT_EQ(ID_B, ::GetMenuItemID(hSub, 0));
    HMENU hFlat = menu.BuildHMenu(FALSE);
    EXPECT_EQ(0, ::GetMenuItemCount(::GetSubMenu(hFlat, 1)));
    ::DestroyMenu(hDeep);
    ::DestroyMenu(hFlat);
}

} // namespace
