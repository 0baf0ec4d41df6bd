// The variants' context menus and command routing: the menu resources, which items each
// editor enables, where the keyboard opens the menu, the application services they call,
// and their dynamic creation.
#include <gtest/gtest.h>

#include <algorithm>

#include "../../res/resource.h"
#include "dialogs_test_support.h"
#include "hexeditcom.h"
#include "hexedithost.h"
#include "hexeditdump.h"
#include "hexeditsend.h"
#include "cmdmanager.h"
#include "popupmenuwnd.h"
#include "popuptracktestsupport.h"
#include "winharness.h"

using namespace winharness;

namespace {

class RecordingHost : public IHexEditHost {
public:
    void SetSendEditorData(const COleSafeArray& data) override { sent.push_back(BytesOf(data)); }
    void ShowOtherSettings(CWnd* pParent, int nStartPage, int nEditorIndex) override
    {
        owner = pParent;
        pages.push_back(nStartPage);
        editors.push_back(nEditorIndex);
    }
    std::vector<ByteVector> sent;
    CWnd* owner = nullptr;
    std::vector<int> pages;
    std::vector<int> editors;
};

// The framework popup of a menu resource with every item's state set from the target's
// handlers (through a command profile bound on the target for the time).
class UpdatedMenu {
public:
    UpdatedMenu(UINT menuId, CWnd* pTarget) : m_hWnd(pTarget->GetSafeHwnd())
    {
        EXPECT_TRUE(m_menu.LoadMenu(menuId));
        CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
        m_bBound = pManager->ProfileFindByWindow(m_hWnd) == nullptr;
        if (m_bBound)
            pManager->ProfileInstall("variantsmenu", m_hWnd);
        EXPECT_TRUE(m_popup.LoadMenu(m_hWnd, m_menu.GetSafeHmenu(), TRUE, TRUE));
        m_popup.UpdateItemsCmdUI();
    }
    ~UpdatedMenu()
    {
        if (m_bBound)
            CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(m_hWnd, true);
    }
    bool Enabled(UINT id) const
    {
        const int nPos = m_popup.ItemFindPosForCmdID(id);
        return nPos >= 0 && m_popup.ItemGetInfo(nPos).IsEnabled();
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        HMENU hPopup = ::GetSubMenu(m_menu.GetSafeHmenu(), 0);
        for (int i = 0; i < ::GetMenuItemCount(hPopup); ++i) {
            char text[128] = "";
            ::GetMenuStringA(hPopup, i, text, sizeof(text), MF_BYPOSITION);
            if (::GetMenuItemID(hPopup, i) != 0)
                texts.push_back(std::to_string(::GetMenuItemID(hPopup, i)) + "=" + text);
        }
        return texts;
    }

private:
    HWND m_hWnd;
    bool m_bBound = false;
    CMenu m_menu;
    CUiPopupMenuWnd m_popup;
};

template <class Editor>
bool MakeVariant(Editor& editor, HWND parent, const ByteVector& data)
{
    if (!editor.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), CWnd::FromHandle(parent), 100))
        return false;
    editor.SetData(ByteArray(data));
    return true;
}

} // namespace

TEST(VariantMenus, MenuResourcesCarryTheCommandTexts)
{
    HiddenParent parent;
    CHexEditCom com;
    ASSERT_TRUE(MakeVariant(com, parent, {1}));
    const std::vector<std::string> texts169 = UpdatedMenu(IDR_HEXEDIT_CONTEXT, &com).Texts();
    EXPECT_EQ((std::vector<std::string>{"32853=全て選択(&A)\tCtrl+A", "32849=ｺﾋﾟｰ(&C)\tCtrl+C", "32845=ﾃﾞｰﾀ解析(&L)...",
                                        "32889=マーカー(&M)...", "32890=マーカー情報(&I)...",
                                        "32834=送信ﾃﾞｰﾀｴﾃﾞｨﾀに送る(&T)\t", "32857=ﾌｧｲﾙに保存(&S)...",
                                        "32852=ﾌﾟﾛﾊﾟﾃｨ..."}),
              texts169);
    const std::vector<std::string> texts141 = UpdatedMenu(IDR_HEXEDIT_SEND_CONTEXT, &com).Texts();
    EXPECT_EQ(15u, texts141.size());
    EXPECT_NE(texts141.end(), std::find(texts141.begin(), texts141.end(), "32857=名前を付けて保存(&S)..."));
    EXPECT_NE(texts141.end(), std::find(texts141.begin(), texts141.end(), "32846=ﾌｧｲﾙに保存"));
    EXPECT_NE(texts141.end(), std::find(texts141.begin(), texts141.end(), "32847=ﾃｷｽﾄ入力(&E)..."));

    CString title;
    ASSERT_TRUE(title.LoadString(IDS_SEND_EDITOR_TITLE));
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ", std::string(title));
}

TEST(VariantMenus, TheComEditorLeavesTheMarkerItemsWithoutAHandler)
{
    HiddenParent parent;
    CHexEditCom com;
    ASSERT_TRUE(MakeVariant(com, parent, {1, 2, 3}));
    UpdatedMenu menu(IDR_HEXEDIT_CONTEXT, &com);
    EXPECT_FALSE(menu.Enabled(ID_HEX_MARKER));
    EXPECT_FALSE(menu.Enabled(ID_HEX_MARKER_INFO));
    EXPECT_FALSE(menu.Enabled(ID_HEX_COPY));
    EXPECT_TRUE(menu.Enabled(ID_HEX_SELECT_ALL));
    EXPECT_TRUE(menu.Enabled(ID_HEX_DATA_ANALYSIS));
    EXPECT_TRUE(menu.Enabled(ID_HEX_SEND_TO_SEND_EDITOR));
    EXPECT_TRUE(menu.Enabled(ID_HEX_SAVE_AS));
    EXPECT_TRUE(menu.Enabled(ID_HEX_PROPERTIES));

    com.SelectAll();
    EXPECT_TRUE(UpdatedMenu(IDR_HEXEDIT_CONTEXT, &com).Enabled(ID_HEX_COPY));
    com.SetData(ByteArray({}));
    EXPECT_FALSE(UpdatedMenu(IDR_HEXEDIT_CONTEXT, &com).Enabled(ID_HEX_SELECT_ALL));
    // The COM editor is read-only from its construction.
    EXPECT_FALSE(com.IsEditable());
}

TEST(VariantMenus, SelectionRulesOfTheDumpAndSendEditors)
{
    HiddenParent parent;
    CHexEditDump dump;
    ASSERT_TRUE(MakeVariant(dump, parent, {1, 2, 3}));
    UpdatedMenu dumpMenu(IDR_HEXEDIT_CONTEXT, &dump);
    EXPECT_FALSE(dumpMenu.Enabled(ID_HEX_MARKER));
    EXPECT_TRUE(dumpMenu.Enabled(ID_HEX_MARKER_INFO));
    EXPECT_FALSE(dumpMenu.Enabled(ID_HEX_COPY));
    dump.SelectAll();
    EXPECT_TRUE(UpdatedMenu(IDR_HEXEDIT_CONTEXT, &dump).Enabled(ID_HEX_MARKER));

    CHexEditSend send;
    ASSERT_TRUE(send.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), parent.wnd(), 101));
    send.SetData(ByteArray({1, 2, 3}));
    send.ClearUndo();
    UpdatedMenu fresh(IDR_HEXEDIT_SEND_CONTEXT, &send);
    for (UINT id : {ID_HEX_COPY, ID_HEX_CUT, ID_HEX_MARKER, ID_HEX_UNDO, ID_HEX_REDO, ID_HEX_SAVE})
        EXPECT_FALSE(fresh.Enabled(id)) << id;
    for (UINT id : {ID_HEX_SELECT_ALL, ID_HEX_TEXT_INPUT, ID_HEX_DATA_CLEAR, ID_HEX_READ_FILE, ID_HEX_SAVE_AS,
                    ID_HEX_MARKER_INFO, ID_HEX_DATA_ANALYSIS, ID_HEX_PROPERTIES})
        EXPECT_TRUE(fresh.Enabled(id)) << id;

    send.SelectAll();
    send.Cut();
    UpdatedMenu afterCut(IDR_HEXEDIT_SEND_CONTEXT, &send);
    EXPECT_TRUE(afterCut.Enabled(ID_HEX_UNDO));
    EXPECT_TRUE(afterCut.Enabled(ID_HEX_PASTE));
    send.SendMessage(WM_COMMAND, ID_HEX_UNDO);
    EXPECT_EQ((ByteVector{1, 2, 3}), BytesOf(send.GetData()));
    EXPECT_TRUE(UpdatedMenu(IDR_HEXEDIT_SEND_CONTEXT, &send).Enabled(ID_HEX_REDO));
}

TEST(VariantMenus, ContextMenusGoThroughTheSeamAfterTheEditorTookTheFocus)
{
    HiddenParent parent;
    CHexEditCom com;
    CHexEditDump dump;
    CHexEditSend send;
    ASSERT_TRUE(MakeVariant(com, parent, {1}));
    ASSERT_TRUE(dump.Create(WS_CHILD | WS_VISIBLE, CRect(10, 20, 300, 200), parent.wnd(), 101));
    ASSERT_TRUE(send.Create(WS_CHILD | WS_VISIBLE, CRect(30, 40, 300, 200), parent.wnd(), 102));
    CmdManagerHolder::GetStoredHandle()->ProfileInstall("variantseam", parent.hwnd());
    {
        popuptrack::TrackRecorder recorder;
        recorder.Refuse();
        const struct {
            CHexEdit* editor;
            UINT menu;
        } cases[] = {{&com, IDR_HEXEDIT_CONTEXT}, {&dump, IDR_HEXEDIT_CONTEXT}, {&send, IDR_HEXEDIT_SEND_CONTEXT}};
        for (const auto& c : cases) {
            c.editor->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c.editor->m_hWnd), MAKELPARAM(-1, -1));
            ASSERT_FALSE(recorder.calls.empty());
            const popuptrack::RecordedTrack& call = recorder.calls.back();
            POINT origin = {0, 0};
            ::ClientToScreen(c.editor->m_hWnd, &origin);
            EXPECT_EQ(c.editor->m_hWnd, call.hWndReceiver);
            EXPECT_EQ(popuptrack::MenuResourceIds(c.menu), call.ids);
            EXPECT_EQ(0x800u, call.nFlags);
            EXPECT_EQ(CPoint(origin.x + 5, origin.y + 5), CPoint(call.x, call.y));
            EXPECT_EQ(c.editor->m_hWnd, call.hWndFocus);
        }
        send.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(send.m_hWnd), MAKELPARAM(300, 200));
        ASSERT_EQ(4u, recorder.calls.size());
        EXPECT_EQ(CPoint(300, 200), CPoint(recorder.calls[3].x, recorder.calls[3].y));
        EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());

        // A real popup: the marker items, without a handler in the COM editor, are disabled.
        recorder.GoOn();
        com.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(com.m_hWnd), MAKELPARAM(100, 100));
        const popuptrack::RecordedTrack shown = popuptrack::TrackedRootItems();
        ASSERT_EQ(popuptrack::MenuResourceIds(IDR_HEXEDIT_CONTEXT), shown.ids);
        for (size_t i = 0; i < shown.ids.size(); ++i) {
            if (shown.ids[i] == ID_HEX_MARKER || shown.ids[i] == ID_HEX_MARKER_INFO) {
                EXPECT_FALSE(shown.enabled[i]) << shown.ids[i];
            }
            if (shown.ids[i] == ID_HEX_SELECT_ALL) {
                EXPECT_TRUE(shown.enabled[i]);
            }
        }
    }
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    // No presenter: nothing opens.
    com.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(com.m_hWnd), MAKELPARAM(100, 100));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(parent.hwnd(), true);
}

TEST(VariantMenus, ApplicationServicesReceiveTheBytesAndTheEditorIndex)
{
    HiddenParent parent;
    CHexEditCom com;
    CHexEditDump dump;
    CHexEditSend send;
    ASSERT_TRUE(MakeVariant(com, parent, {0xC0, 0x01}));
    ASSERT_TRUE(MakeVariant(dump, parent, {0xD0}));
    ASSERT_TRUE(MakeVariant(send, parent, {0xE0}));
    com.m_nPortIndex = 1;

    // Without a host the commands do nothing.
    com.SendMessage(WM_COMMAND, ID_HEX_SEND_TO_SEND_EDITOR);

    RecordingHost host;
    SetHexEditHost(&host);
    com.SendMessage(WM_COMMAND, ID_HEX_SEND_TO_SEND_EDITOR);
    dump.SendMessage(WM_COMMAND, ID_HEX_SEND_TO_SEND_EDITOR);
    com.SendMessage(WM_COMMAND, ID_HEX_PROPERTIES);
    dump.SendMessage(WM_COMMAND, ID_HEX_PROPERTIES);
    send.SendMessage(WM_COMMAND, ID_HEX_PROPERTIES);
    // The send editor has no such command.
    send.SendMessage(WM_COMMAND, ID_HEX_SEND_TO_SEND_EDITOR);
    SetHexEditHost(nullptr);

    EXPECT_EQ((std::vector<ByteVector>{{0xC0, 0x01}, {0xD0}}), host.sent);
    EXPECT_EQ((std::vector<int>{2, 2, 2}), host.pages);
    EXPECT_EQ((std::vector<int>{3, 1, 0}), host.editors);
    EXPECT_EQ(&send, host.owner);
}

TEST(VariantMenus, TheDumpEditorTakesNoTypingButKeepsItsCommands)
{
    HiddenParent parent;
    CHexEditDump dump;
    ASSERT_TRUE(MakeVariant(dump, parent, {1, 2}));
    dump.SetEditable(FALSE);
    SendChar(dump.m_hWnd, 'F');
    SendKey(dump.m_hWnd, VK_DELETE);
    EXPECT_EQ((ByteVector{1, 2}), BytesOf(dump.GetData()));
    dump.SendMessage(WM_COMMAND, ID_HEX_SELECT_ALL);
    EXPECT_FALSE(dump.HasNoSelection());
}

TEST(VariantMenus, VariantsAreCreatableByTheirRuntimeClassNames)
{
    const struct {
        CRuntimeClass* rc;
        const char* name;
    } cases[] = {{RUNTIME_CLASS(CHexEditCom), "CHexEditCom"},
                 {RUNTIME_CLASS(CHexEditDump), "CHexEditDump"},
                 {RUNTIME_CLASS(CHexEditSend), "CHexEditSend"}};
    for (const auto& c : cases) {
        EXPECT_STREQ(c.name, c.rc->m_lpszClassName);
        CObject* pObject = c.rc->CreateObject();
        ASSERT_NE(pObject, nullptr);
        EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CHexEdit)));
        delete pObject;
    }
}
