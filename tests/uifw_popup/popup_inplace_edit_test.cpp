// The edit field of a menu item on a tracked menu: made hidden with the menu (or supplied by
// the receiver), every keystroke judged by the validation callback, Enter storing or
// committing and ending the tracking, Esc going back to the menu, Alt ending it, focus loss
// dropping a typed text, the delete and select-all messages, and the menu's side: the I-beam
// over the field, a click showing and focusing the edit, and the edit keys the menu's hook
// turns into messages.
#include "popup_test_support.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
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
    // A tracked menu whose first item edits strValue in a field 60 wide, made current.
    CEditWnd* Track(DWORD_PTR dwValidate = 0, DWORD_PTR dwCommit = 0)
    {
        TrackOnly(dwValidate, dwCommit);
        pMenu->SetCurrentItem(0, FALSE, TRUE, TRUE);
        return static_cast<CEditWnd*>(pMenu->ItemGetInfo(0).m_pInplaceEdit);
    }
    void TrackOnly(DWORD_PTR dwValidate = 0, DWORD_PTR dwCommit = 0)
    {
        pMenu = new CUiPopupMenuWnd;
        pMenu->InitRootMenu(frame->GetSafeHwnd());
        EXPECT_TRUE(pMenu->ItemInsertCommand(ID_A, -1, "&Name", nullptr, nullptr, 0));
        EXPECT_TRUE(pMenu->ItemInsertCommand(ID_B, -1, "&Beta", nullptr, nullptr, 0));
        PopupMenuItemData& item = pMenu->ItemGetInfo(0);
        item.m_pInplaceValue = &strValue;
        item.m_cxInplace = 60;
        item.MeasureItem();
        item.m_dwInplaceParams[0] = dwValidate;
        item.m_dwInplaceParams[1] = dwCommit;
        item.m_dwInplaceParams[3] = 55;
        EXPECT_TRUE(pMenu->TrackMenu(0, 200, 200));
        EXPECT_TRUE(WaitAnimationEnd());
    }
    // Screen points of item i: its text, its edit field.
    CPoint TextPoint(int i)
    {
        CRect rc;
        pMenu->GetItemRect(i, rc);
        pMenu->ClientToScreen(rc);
        return CPoint(rc.left + 30, rc.CenterPoint().y);
    }
    CPoint FieldPoint(int i)
    {
        CRect rcItem, rcField;
        pMenu->GetItemRect(i, rcItem);
        pMenu->ItemGetInfo(i).GetEditFieldRect(rcItem, rcField);
        pMenu->ClientToScreen(rcField);
        return rcField.CenterPoint();
    }
    static void ClickAt(CPoint pt)
    {
        HookMouse(WM_LBUTTONDOWN, pt);
        HookMouse(WM_LBUTTONUP, pt);
    }
    // Clicks item 0 and answers its edit, which then has the focus.
    CEditWnd* ClickIntoEdit()
    {
        ClickAt(TextPoint(0));
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
        return PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); });
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

namespace {

CString ClipboardText()
{
    CString str;
    if (!::OpenClipboard(NULL))
        return "(no clipboard)";
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    if (hData != NULL) {
        str = static_cast<LPCSTR>(::GlobalLock(hData));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return str;
}

void EmptyClipboard()
{
    if (::OpenClipboard(NULL)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

// Whether a system menu window is open (checked from a timer inside its modal loop, which the
// timer then ends).
bool g_bSystemMenuSeen = false;

void CALLBACK EndSystemMenu(HWND, UINT, UINT_PTR nId, DWORD)
{
    if (::FindWindowA("#32768", NULL) != NULL && ::IsWindowVisible(::FindWindowA("#32768", NULL))) {
        g_bSystemMenuSeen = true;
        ::EndMenu();
    }
}

TEST(PopupInplaceEditMeasure, TheItemIsItsTextThenTheFieldWithoutTheAccelerator)
{
    PopupScope scope;
    CString strValue = "v";
    PopupMenuItemData item;
    item.m_nCmdId = ID_A;
    item.m_strText = "&Name";
    item.m_strAccel = "Ctrl+N";
    item.m_pInplaceValue = &strValue;
    item.m_cxInplace = 60;
    item.MeasureItem();
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, PaintManagerHolder::Get().GetStoredHandle()->m_fontNormal.GetSafeHandle());
    RECT rc = {0, 0, 0, 0};
    ::DrawTextA(hDC, "Name", -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    EXPECT_EQ(rc.right + 21 + 60 + 12, item.m_cx);
    EXPECT_EQ(0xFFFFFFFFu, item.GetCmdID());
}

TEST_F(PopupInplaceEditTest, AReceiverMaySupplyItsOwnEdit)
{
    CEdit own;
    CUiPopupMenuWnd::InplaceEditCreateRecord seen = {};
    frame->onCreateInplaceEdit = [&](CUiPopupMenuWnd::InplaceEditCreateRecord& record) {
        seen = record;
        own.Create(WS_CHILD | ES_AUTOHSCROLL, record.rcField, record.pMenu, 77);
        *record.ppEdit = &own;
    };
    TrackOnly(0, 0);
    EXPECT_EQ(&own, pMenu->ItemGetInfo(0).m_pInplaceEdit);
    EXPECT_EQ(pMenu, seen.pMenu);
    EXPECT_EQ(&strValue, seen.pValue);
    EXPECT_EQ(55u, seen.dwParams[3]);
    // The framework made none beside it.
    EXPECT_EQ(own.GetSafeHwnd(), ::GetWindow(pMenu->GetSafeHwnd(), GW_CHILD));
    EXPECT_EQ(NULL, ::GetWindow(own.GetSafeHwnd(), GW_HWNDNEXT));
    // A click shows and focuses the receiver's edit as it would the framework's.
    ClickAt(TextPoint(0));
    ASSERT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_TRUE(own.IsWindowVisible());
    EXPECT_EQ(own.GetSafeHwnd(), ::GetFocus());
    CUiPopupMenuWnd::CloseTrackedMenus();
    frame->onCreateInplaceEdit = nullptr;
}

TEST_F(PopupInplaceEditTest, TheCursorIsTheIBeamOverTheFieldOnly)
{
    TrackOnly();
    const HCURSOR hIBeam = ::LoadCursorA(NULL, IDC_IBEAM);
    const LPARAM lHit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    ::SetCursorPos(FieldPoint(0).x, FieldPoint(0).y);
    pMenu->SendMessage(WM_SETCURSOR, (WPARAM)pMenu->GetSafeHwnd(), lHit);
    EXPECT_EQ(hIBeam, ::GetCursor());
    ::SetCursorPos(TextPoint(0).x, TextPoint(0).y);
    pMenu->SendMessage(WM_SETCURSOR, (WPARAM)pMenu->GetSafeHwnd(), lHit);
    EXPECT_NE(hIBeam, ::GetCursor());
    pMenu->ItemGetInfo(0).m_bFlags3 &= ~PopupMenuItemData::kEditOnClick;
    ::SetCursorPos(FieldPoint(0).x, FieldPoint(0).y);
    pMenu->SendMessage(WM_SETCURSOR, (WPARAM)pMenu->GetSafeHwnd(), lHit);
    EXPECT_NE(hIBeam, ::GetCursor());
}

TEST_F(PopupInplaceEditTest, AClickOnTheItemShowsAndFocusesTheEditAndTheHighlightStays)
{
    TrackOnly();
    CEditWnd* pEdit = ClickIntoEdit();
    ASSERT_NE(nullptr, pEdit);
    ASSERT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(0, pMenu->m_nCurIndex);
    // While the edit has the focus, moving over another item changes nothing.
    HookMouse(WM_MOUSEMOVE, TextPoint(1));
    EXPECT_EQ(0, pMenu->m_nCurIndex);
    // Moves and clicks over the shown edit go on to it.
    bool bPassOn = false;
    CPoint pt = FieldPoint(0);
    pMenu->ScreenToClient(&pt);
    EXPECT_FALSE(pMenu->OnTrackMouseClick(WM_LBUTTONDOWN, pt, bPassOn));
    EXPECT_TRUE(bPassOn);
    // Released, the item hides its edit.
    pMenu->ReleaseCurrentItem(FALSE);
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(PopupInplaceEditTest, TheEditTakingTheFocusOfAnInactiveApplicationKeepsTheMenuOpen)
{
    ASSERT_EQ(NULL, ::GetActiveWindow());
    TrackOnly();
    ClickIntoEdit();
    EXPECT_EQ(pMenu->GetSafeHwnd(), ::GetActiveWindow());
    PumpFor(50);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(PopupInplaceEditTest, EscReturnsToTheMenuOnTheSameItemWithTheValueUnchanged)
{
    TrackOnly();
    CEditWnd* pEdit = ClickIntoEdit();
    ASSERT_NE(nullptr, pEdit);
    Type(pEdit, "xyz");
    HookKey(VK_ESCAPE);
    PumpFor(50);
    ASSERT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_EQ(0, pMenu->m_nCurIndex);
    EXPECT_EQ(pMenu->GetSafeHwnd(), ::GetFocus());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_STREQ("old", Text(pEdit));
    EXPECT_STREQ("old", strValue);

    // The edit's own Esc goes the same way.
    ClickIntoEdit();
    Type(pEdit, "abc");
    Key(pEdit, VK_ESCAPE);
    PumpFor(50);
    ASSERT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_EQ(0, pMenu->m_nCurIndex);
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_STREQ("old", strValue);

    // Back in the menu, Esc ends the tracking.
    HookKey(VK_ESCAPE);
    EXPECT_TRUE(Ended());
}

TEST_F(PopupInplaceEditTest, EnterOnTheItemShowsTheEditAndAShownEditGetsItsEnterItself)
{
    CEditWnd* pEdit = Track();
    ASSERT_NE(nullptr, pEdit);
    HookKey(VK_RETURN);
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    bool bPassOn = false;
    EXPECT_FALSE(pMenu->OnTrackKeyDown(VK_RETURN, 1, 0, bPassOn));
    EXPECT_TRUE(bPassOn);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(PopupInplaceEditTest, EditKeysThroughTheMenuWhileTheEditHasTheFocus)
{
    TrackOnly();
    CEditWnd* pEdit = ClickIntoEdit();
    ASSERT_NE(nullptr, pEdit);
    EmptyClipboard();
    {
        KeyboardModifiers ctrl(kCtrl);
        HookKey('C');
        EXPECT_STREQ("old", ClipboardText());
        pEdit->SendMessage(EM_SETSEL, 0, 2);
        HookKey(VK_INSERT);
        EXPECT_STREQ("ol", ClipboardText());
        pEdit->SendMessage(EM_SETSEL, 0, 1);
        HookKey('X');
        EXPECT_STREQ("o", ClipboardText());
        EXPECT_STREQ("ld", Text(pEdit));
    }
    {
        KeyboardModifiers shift(kShift);
        pEdit->SendMessage(EM_SETSEL, 0, -1);
        HookKey(VK_DELETE);
        EXPECT_STREQ("ld", ClipboardText());
        EXPECT_STREQ("", Text(pEdit));
        HookKey(VK_INSERT);
        EXPECT_STREQ("ld", Text(pEdit));
    }
    {
        KeyboardModifiers ctrl(kCtrl);
        HookKey('V');
        EXPECT_STREQ("ldld", Text(pEdit));
        HookKey('A');
        EXPECT_EQ(MAKELONG(0, 4), (LONG)pEdit->SendMessage(EM_GETSEL));
        // Other keys with Ctrl go on to the edit.
        bool bPassOn = false;
        EXPECT_FALSE(pMenu->OnTrackKeyDown('Z', 1, 0, bPassOn));
        EXPECT_TRUE(bPassOn);
    }
    pEdit->SendMessage(EM_SETSEL, 1, 1);
    HookKey(VK_DELETE);
    EXPECT_STREQ("lld", Text(pEdit));
    pEdit->SendMessage(EM_SETSEL, 3, 3);
    HookKey(VK_DELETE);
    EXPECT_STREQ("lld", Text(pEdit));
    // Letters are the edit's, not access characters of the menu.
    bool bPassOn = false;
    EXPECT_FALSE(pMenu->OnTrackKeyDown('B', 1, 0, bPassOn));
    EXPECT_TRUE(bPassOn);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_STREQ("old", strValue);
}

TEST_F(PopupInplaceEditTest, AltThroughTheMenuEndsTheTracking)
{
    TrackOnly();
    ASSERT_NE(nullptr, ClickIntoEdit());
    HookKey(VK_MENU);
    EXPECT_TRUE(Ended());

    TrackOnly();
    ASSERT_NE(nullptr, ClickIntoEdit());
    PopupTrackingState::Get().KeyboardHook(HC_ACTION, 'N', KeyLParam('N', false, true));
    EXPECT_TRUE(Ended());
    EXPECT_STREQ("old", strValue);
}

TEST_F(PopupInplaceEditTest, RightButtonAndContextMenuMessagesAreSwallowed)
{
    TrackOnly();
    CEditWnd* pEdit = ClickIntoEdit();
    ASSERT_NE(nullptr, pEdit);
    g_bSystemMenuSeen = false;
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, &EndSystemMenu);
    for (UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK})
        EXPECT_EQ(0, pEdit->SendMessage(message, MK_RBUTTON, MAKELPARAM(5, 5)));
    CRect rc;
    pEdit->GetWindowRect(rc);
    EXPECT_EQ(0, pEdit->SendMessage(WM_CONTEXTMENU, (WPARAM)pEdit->GetSafeHwnd(),
                                    MAKELPARAM(rc.left + 5, rc.top + 5)));
    PumpFor(150);
    ::KillTimer(NULL, nTimer);
    EXPECT_FALSE(g_bSystemMenuSeen);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
}

TEST_F(PopupInplaceEditTest, EditPointersAreClearedWhenTheMenuWindowEnds)
{
    pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    ASSERT_TRUE(pMenu->ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 0));
    ASSERT_TRUE(pMenu->ItemInsertSubmenu(nullptr, -1, "&More"));
    CUiPopupMenuWnd* pSub = pMenu->ItemGetPopup(1);
    ASSERT_TRUE(pSub->ItemInsertCommand(ID_B, -1, "&Name", nullptr, nullptr, 0));
    pSub->ItemGetInfo(0).m_pInplaceValue = &strValue;
    pSub->ItemGetInfo(0).m_cxInplace = 60;
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    // Closed by the parent.
    pMenu->SetCurrentItem(1, TRUE, TRUE, FALSE);
    ASSERT_TRUE(::IsWindow(pSub->GetSafeHwnd()));
    EXPECT_NE(nullptr, pSub->ItemGetInfo(0).m_pInplaceEdit);
    pMenu->ReleaseCurrentItem(FALSE);
    EXPECT_FALSE(::IsWindow(pSub->GetSafeHwnd()));
    EXPECT_EQ(nullptr, pSub->ItemGetInfo(0).m_pInplaceEdit);
    // Ended by WM_CLOSE, which bypasses the menu's DestroyWindow.
    pMenu->SetCurrentItem(1, TRUE, TRUE, FALSE);
    ASSERT_NE(nullptr, pSub->ItemGetInfo(0).m_pInplaceEdit);
    pSub->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(pSub->GetSafeHwnd()));
    EXPECT_EQ(nullptr, pSub->ItemGetInfo(0).m_pInplaceEdit);
}

} // namespace
