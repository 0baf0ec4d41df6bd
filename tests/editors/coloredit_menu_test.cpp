// The script editor's context menu, edit commands and clipboard.
#include "coloredit_test_support.h"
#include "coloreditmenu.h"
#include "afxmenu.h"
#include <map>

using namespace coloredit_test;
using namespace winharness;

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

namespace {

// What the platform popup showed: each item's id and whether it was greyed.
std::map<UINT, bool> g_greyed;
std::vector<UINT> g_ids;

// Runs inside the menu's own loop: reads the open popup, then closes it.
VOID CALLBACK InspectOpenMenu(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    HWND hMenuWnd = ::FindWindowA("#32768", NULL);
    if (hMenuWnd == NULL)
        return;
    ::KillTimer(NULL, idEvent);
    HMENU hMenu = (HMENU)::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0);
    for (int i = 0; hMenu != NULL && i < ::GetMenuItemCount(hMenu); ++i) {
        const UINT id = ::GetMenuItemID(hMenu, i);
        g_ids.push_back(id);
        g_greyed[id] = (::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_GRAYED) != 0;
    }
    ::EndMenu();
}

// A stand-in for a themed popup: keeps the menu it was given.
class CRecordingPresenter : public CColorEditMenuPresenter {
public:
    void ShowContextMenu(CMenu* pPopup, CPoint pt, CWnd* pTarget) override
    {
        at = pt;
        target = pTarget;
        for (UINT i = 0; i < pPopup->GetMenuItemCount(); ++i) {
            CString text;
            pPopup->GetMenuString(i, text, MF_BYPOSITION);
            items.push_back({pPopup->GetMenuItemID((int)i), std::string(text)});
        }
    }
    CPoint at;
    CWnd* target = nullptr;
    std::vector<std::pair<UINT, std::string>> items;
};

class CUpdateProbe : public CCmdUI {
public:
    BOOL enabled = -1;
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
};

} // namespace

class ColorEditMenuTest : public ColorEditWindowTest {
protected:
    // Opens the platform's context menu over the editor and records its items.
    void OpenContextMenu()
    {
        g_greyed.clear();
        g_ids.clear();
        const UINT_PTR timer = ::SetTimer(NULL, 0, 30, InspectOpenMenu);
        CPoint pt(40, 40);
        editor->ClientToScreen(&pt);
        editor->SendMessage(WM_CONTEXTMENU, (WPARAM)hwnd(), MAKELPARAM(pt.x, pt.y));
        ::KillTimer(NULL, timer);
        PumpPending();
    }
    BOOL UpdateState(UINT id)
    {
        CUpdateProbe probe;
        probe.m_nID = id;
        editor->OnCmdMsg(id, (int)CN_UPDATE_COMMAND_UI, &probe, NULL);
        return probe.enabled;
    }
};

TEST_F(ColorEditMenuTest, ContextMenuDisablesUndoWithAnEmptyUndoStack)
{
    editor->SetText("local x = 1");
    editor->ClearUndoHistory();
    SetClipboardText("p");
    OpenContextMenu();
    ASSERT_EQ(g_ids.size(), 8u);
    EXPECT_TRUE(g_greyed[ID_EDIT_UNDO]);
    EXPECT_TRUE(g_greyed[ID_EDIT_REDO]);
    EXPECT_TRUE(g_greyed[ID_EDIT_CUT]);
    EXPECT_TRUE(g_greyed[ID_EDIT_COPY]);
    EXPECT_FALSE(g_greyed[ID_EDIT_PASTE]);
    EXPECT_FALSE(g_greyed[ID_EDIT_SELECT_ALL]);
    EXPECT_EQ(::GetFocus(), hwnd());

    SendChar(hwnd(), 'a');
    KeyDown(VK_LEFT, kShift);
    OpenContextMenu();
    EXPECT_FALSE(g_greyed[ID_EDIT_UNDO]);
    EXPECT_FALSE(g_greyed[ID_EDIT_COPY]);
    EXPECT_FALSE(g_greyed[ID_EDIT_CUT]);
}

TEST_F(ColorEditMenuTest, AnotherPresenterGetsTheSameMenu)
{
    CRecordingPresenter presenter;
    editor->SetContextMenuPresenter(&presenter);
    editor->SendMessage(WM_CONTEXTMENU, (WPARAM)hwnd(), MAKELPARAM(300, 200));
    EXPECT_EQ(presenter.at, CPoint(300, 200));
    EXPECT_EQ(presenter.target, editor.get());
    const std::vector<std::pair<UINT, std::string>> expected = {
        {ID_EDIT_UNDO, "Undo\tCtrl+Z"},   {ID_EDIT_REDO, "Redo\tCtrl+Shift+Z"}, {0, ""},
        {ID_EDIT_CUT, "Cut\tCtrl+X"},     {ID_EDIT_COPY, "&Copy\tCtrl+C"},      {ID_EDIT_PASTE, "Paste\tCtrl+V"},
        {0, ""},                          {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
    };
    EXPECT_EQ(presenter.items, expected);
    editor->SetContextMenuPresenter(NULL);
}

TEST_F(ColorEditMenuTest, PasteIsOfferedWhileTheClipboardHoldsTextEvenWhenItIsOpen)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(UpdateState(ID_EDIT_PASTE));
    SetClipboardText("x");
    // Another window holding the clipboard open does not hide what it offers.
    ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));
    EXPECT_TRUE(UpdateState(ID_EDIT_PASTE));
    ::CloseClipboard();
    EXPECT_TRUE(UpdateState(ID_EDIT_SELECT_ALL));
}

TEST_F(ColorEditMenuTest, PastedLinesSplitAtTheCaretInOneStep)
{
    Type("abcd");
    MoveCaret(2, 0);
    SetClipboardText("x\r\ny");
    parent.notes.clear();
    KeyThroughAppLoop('V', kCtrl);
    EXPECT_EQ(Text(), "abx\r\nycd\r\n");
    EXPECT_EQ(editor->GetModel().GetCaret(), ColorEditPos(1, 1));
    EXPECT_EQ(parent.Count(EN_CHANGE), 1);
    editor->Undo();
    EXPECT_EQ(Text(), "abcd");
}

TEST_F(ColorEditMenuTest, CutCopiesTheSelectionAndRemovesIt)
{
    editor->SetText("one\ntwo\n");
    MoveCaret(1, 0);
    KeyDown(VK_DOWN, kShift);
    KeyThroughAppLoop('X', kCtrl);
    EXPECT_EQ(ClipboardText(), "ne\r\nt");
    EXPECT_EQ(Text(), "owo\r\n\r\n");
    KeyThroughAppLoop('A', kCtrl);
    KeyThroughAppLoop('C', kCtrl);
    EXPECT_EQ(ClipboardText(), "owo\r\n");
}

TEST_F(ColorEditMenuTest, CutKeepsTheSelectionWhenTheCopyFails)
{
    editor->SetText("one\ntwo\n");
    editor->ClearUndoHistory();
    MoveCaret(1, 0);
    KeyDown(VK_RIGHT, kShift);
    ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));  // another window holds the clipboard
    KeyThroughAppLoop('X', kCtrl);
    ::CloseClipboard();
    EXPECT_EQ(Text(), "one\r\ntwo\r\n\r\n");
    EXPECT_TRUE(editor->GetModel().HasSelection());
    EXPECT_FALSE(editor->CanUndo());
}
