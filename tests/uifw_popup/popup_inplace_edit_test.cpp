// The edit field of a menu item on a tracked menu: made hidden with the menu, every keystroke
// judged by the validation callback, Enter storing or committing and ending the tracking, Alt
// ending it, focus loss dropping a typed text, and the delete and select-all messages the menu
// sends.
#include "popup_test_support.h"

#include "popupinplaceeditwnd.h"

using namespace popuptest;
using namespace winharness;

namespace {

typedef CUiPopupMenuWnd::CInPlaceEditWnd CEditWnd;

bool RefuseDigits(CEditWnd*, DWORD_PTR, LPCSTR, LPCSTR lpszNew)
{
    for (LPCSTR p = lpszNew; *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9')
            return false;
    }
    return true;
}

CString g_strCommitted;
DWORD_PTR g_dwCommitCookie = 0;

void Commit(CEditWnd*, DWORD_PTR dwCookie, LPCSTR lpszText)
{
    g_strCommitted = lpszText;
    g_dwCommitCookie = dwCookie;
}

class PopupInplaceEditTest : public ::testing::Test {
protected:
    PopupInplaceEditTest() : frame(MakeReceiver()) { g_strCommitted.Empty(); }
    ~PopupInplaceEditTest() override
    {
        CUiPopupMenuWnd::CloseTrackedMenus();
        DestroyReceiver(frame);
    }
    // A tracked menu whose first item edits strValue in a field 60 wide.
    CEditWnd* Track(DWORD_PTR dwValidate = 0, DWORD_PTR dwCommit = 0)
    {
        pMenu = new CUiPopupMenuWnd;
        pMenu->InitRootMenu(frame->GetSafeHwnd());
        EXPECT_TRUE(pMenu->ItemInsertCommand(ID_A, -1, "&Name", nullptr, nullptr, 0));
        EXPECT_TRUE(pMenu->ItemInsertCommand(ID_B, -1, "&Beta", nullptr, nullptr, 0));
        PopupMenuItemData& item = pMenu->ItemGetInfo(0);
        item.m_pInplaceValue = &strValue;
        item.m_cxInplace = 60;
        item.m_dwInplaceParams[0] = dwValidate;
        item.m_dwInplaceParams[1] = dwCommit;
        item.m_dwInplaceParams[3] = 55;
        EXPECT_TRUE(pMenu->TrackMenu(0, 200, 200));
        EXPECT_TRUE(WaitAnimationEnd());
        pMenu->SetCurrentItem(0, FALSE, TRUE, TRUE);
        return static_cast<CEditWnd*>(pMenu->ItemGetInfo(0).m_pInplaceEdit);
    }
    static CString Text(CWnd* pWnd)
    {
        char sz[256] = "";
        ::GetWindowTextA(pWnd->GetSafeHwnd(), sz, sizeof(sz));
        return sz;
    }
    static void Type(CWnd* pWnd, LPCSTR lpsz)
    {
        for (; *lpsz != '\0'; ++lpsz)
            pWnd->SendMessage(WM_CHAR, (BYTE)*lpsz, 1);
    }
    static void Key(CWnd* pWnd, UINT vk) { pWnd->SendMessage(WM_KEYDOWN, vk, 1); }
    static bool Ended()
    {
        return PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); }, 2000);
    }

    PopupScope scope;
    CReceiverFrame* frame;
    CUiPopupMenuWnd* pMenu = nullptr;
    CString strValue = "old";
};

TEST_F(PopupInplaceEditTest, TheFrameworksEditIsMadeHiddenInTheFieldWithTheValueSelected)
{
    CEditWnd* pEdit = Track();
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(pMenu->GetSafeHwnd(), ::GetParent(pEdit->GetSafeHwnd()));
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_EQ((int)ID_A, ::GetDlgCtrlID(pEdit->GetSafeHwnd()));
    EXPECT_STREQ("old", Text(pEdit));
    EXPECT_EQ(MAKELONG(0, 3), (LONG)pEdit->SendMessage(EM_GETSEL));
    CRect rcItem, rcEdit;
    pMenu->GetItemRect(0, rcItem);
    pEdit->GetWindowRect(rcEdit);
    pMenu->ScreenToClient(rcEdit);
    EXPECT_EQ(CRect(rcItem.right - 1 - 60, rcItem.top + 2, rcItem.right - 1, rcItem.bottom - 2), rcEdit);
    EXPECT_EQ(0x86, (int)pEdit->SendMessage(WM_GETDLGCODE));
    EXPECT_EQ(nullptr, pMenu->ItemGetInfo(1).m_pInplaceEdit);
}

TEST_F(PopupInplaceEditTest, ARefusedKeystrokeLeavesTextAndSelectionAsBefore)
{
    CEditWnd* pEdit = Track(reinterpret_cast<DWORD_PTR>(&RefuseDigits));
    ASSERT_NE(nullptr, pEdit);
    Type(pEdit, "a");
    EXPECT_STREQ("a", Text(pEdit));
    Type(pEdit, "1");
    EXPECT_STREQ("a", Text(pEdit));
    EXPECT_EQ(MAKELONG(1, 1), (LONG)pEdit->SendMessage(EM_GETSEL));
    Type(pEdit, "b");
    EXPECT_STREQ("ab", Text(pEdit));
    EXPECT_STREQ("old", strValue);
}

TEST_F(PopupInplaceEditTest, EnterStoresAnAcceptedTextAndEndsTheTracking)
{
    CEditWnd* pEdit = Track(reinterpret_cast<DWORD_PTR>(&RefuseDigits));
    ASSERT_NE(nullptr, pEdit);
    Type(pEdit, "fresh");
    Key(pEdit, VK_RETURN);
    EXPECT_TRUE(Ended());
    EXPECT_STREQ("fresh", strValue);
}

TEST_F(PopupInplaceEditTest, EnterWithACommitCallbackLeavesTheValueToIt)
{
    CEditWnd* pEdit = Track(0, reinterpret_cast<DWORD_PTR>(&Commit));
    ASSERT_NE(nullptr, pEdit);
    Type(pEdit, "given");
    Key(pEdit, VK_RETURN);
    EXPECT_TRUE(Ended());
    EXPECT_STREQ("given", g_strCommitted);
    EXPECT_EQ(55u, g_dwCommitCookie);
    EXPECT_STREQ("old", strValue);
}

TEST_F(PopupInplaceEditTest, EnterWithARefusedTextStoresNothingAndEndsTheTracking)
{
    strValue = "x1";
    CEditWnd* pEdit = Track(reinterpret_cast<DWORD_PTR>(&RefuseDigits));
    ASSERT_NE(nullptr, pEdit);
    strValue = "kept";
    Key(pEdit, VK_RETURN);
    EXPECT_TRUE(Ended());
    EXPECT_STREQ("kept", strValue);
}

TEST_F(PopupInplaceEditTest, LosingTheFocusShowsTheStoredValueAgain)
{
    CEditWnd* pEdit = Track();
    ASSERT_NE(nullptr, pEdit);
    pEdit->ShowWindow(SW_SHOW);
    Type(pEdit, "xyz");
    EXPECT_STREQ("xyz", Text(pEdit));
    pEdit->SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_STREQ("old", Text(pEdit));
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_STREQ("old", strValue);
}

TEST_F(PopupInplaceEditTest, DeleteAndSelectAllMessages)
{
    CEditWnd* pEdit = Track();
    ASSERT_NE(nullptr, pEdit);
    ::SetWindowTextA(pEdit->GetSafeHwnd(), "abc");
    pEdit->SendMessage(EM_SETSEL, 1, 1);
    pEdit->SendMessage(CEditWnd::g_nMsgDeleteSelection);
    EXPECT_STREQ("ac", Text(pEdit));
    EXPECT_EQ(MAKELONG(1, 1), (LONG)pEdit->SendMessage(EM_GETSEL));
    pEdit->SendMessage(EM_SETSEL, 2, 2);
    pEdit->SendMessage(CEditWnd::g_nMsgDeleteSelection);
    EXPECT_STREQ("ac", Text(pEdit));
    pEdit->SendMessage(CEditWnd::g_nMsgSelectAll);
    EXPECT_EQ(MAKELONG(0, 2), (LONG)pEdit->SendMessage(EM_GETSEL));
    pEdit->SendMessage(CEditWnd::g_nMsgDeleteSelection);
    EXPECT_STREQ("", Text(pEdit));
}

TEST_F(PopupInplaceEditTest, AltEndsTheTracking)
{
    CEditWnd* pEdit = Track();
    ASSERT_NE(nullptr, pEdit);
    Key(pEdit, VK_MENU);
    EXPECT_TRUE(Ended());
    EXPECT_STREQ("old", strValue);
}

} // namespace
