// The script editor's context menu, edit commands and clipboard.
#include "coloredit_test_support.h"
#include "coloreditmenu.h"
#include "afxmenu.h"
#include "cmdmanager.h"
#include "contextmenupresenter.h"
#include "popuptracktestsupport.h"
#include <map>

using namespace coloredit_test;
using namespace winharness;

namespace {

// A presenter that keeps the menu it was given.
class CRecordingPresenter : public IContextMenuPresenter {
public:
    BOOL TrackContextMenu(CWnd* pTarget, CMenu& menu, CPoint pt) override
    {
        at = pt;
        target = pTarget;
        HMENU hPopup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
        for (int i = 0; hPopup != NULL && i < ::GetMenuItemCount(hPopup); ++i) {
            char text[128] = "";
            ::GetMenuStringA(hPopup, i, text, sizeof(text), MF_BYPOSITION);
            items.push_back({::GetMenuItemID(hPopup, i), std::string(text)});
        }
        return TRUE;
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
    // Opens the framework popup over the editor and reads its items as the update pass left
    // them (true: greyed), then closes it.
    std::map<UINT, bool> OpenContextMenu()
    {
        popuptrack::TrackRecorder recorder;
        CmdManagerHolder::GetStoredHandle()->ProfileInstall("coloredittest", parent.m_hWnd);
        CPoint pt(40, 40);
        editor->ClientToScreen(&pt);
        editor->SendMessage(WM_CONTEXTMENU, (WPARAM)hwnd(), MAKELPARAM(pt.x, pt.y));
        const popuptrack::RecordedTrack items = popuptrack::TrackedRootItems();
        std::map<UINT, bool> greyed;
        for (size_t i = 0; i < items.ids.size(); ++i) {
            if (items.ids[i] != 0)
                greyed[items.ids[i]] = !items.enabled[i];
        }
        count = items.ids.size();
        CUiPopupMenuWnd::CloseTrackedMenus();
        CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(parent.m_hWnd, true);
        PumpPending();
        return greyed;
    }
    size_t count = 0;
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
    std::map<UINT, bool> greyed = OpenContextMenu();
    ASSERT_EQ(count, 8u);
    EXPECT_TRUE(greyed[ID_EDIT_UNDO]);
    EXPECT_TRUE(greyed[ID_EDIT_REDO]);
    EXPECT_TRUE(greyed[ID_EDIT_CUT]);
    EXPECT_TRUE(greyed[ID_EDIT_COPY]);
    EXPECT_FALSE(greyed[ID_EDIT_PASTE]);
    EXPECT_FALSE(greyed[ID_EDIT_SELECT_ALL]);
    EXPECT_EQ(::GetFocus(), hwnd());

    SendChar(hwnd(), 'a');
    KeyDown(VK_LEFT, kShift);
    greyed = OpenContextMenu();
    EXPECT_FALSE(greyed[ID_EDIT_UNDO]);
    EXPECT_FALSE(greyed[ID_EDIT_COPY]);
    EXPECT_FALSE(greyed[ID_EDIT_CUT]);
}

TEST_F(ColorEditMenuTest, AnotherPresenterGetsTheSameMenu)
{
    CRecordingPresenter presenter;
    SetContextMenuPresenter(&presenter);
    editor->SendMessage(WM_CONTEXTMENU, (WPARAM)hwnd(), MAKELPARAM(300, 200));
    EXPECT_EQ(presenter.at, CPoint(300, 200));
    EXPECT_EQ(presenter.target, editor.get());
    const std::vector<std::pair<UINT, std::string>> expected = {
        {ID_EDIT_UNDO, "Undo\tCtrl+Z"},   {ID_EDIT_REDO, "Redo\tCtrl+Shift+Z"}, {0, ""},
        {ID_EDIT_CUT, "Cut\tCtrl+X"},     {ID_EDIT_COPY, "&Copy\tCtrl+C"},      {ID_EDIT_PASTE, "Paste\tCtrl+V"},
        {0, ""},                          {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
    };
    EXPECT_EQ(presenter.items, expected);
    SetContextMenuPresenter(NULL);
    // No presenter: nothing opens.
    editor->SendMessage(WM_CONTEXTMENU, (WPARAM)hwnd(), MAKELPARAM(300, 200));
    EXPECT_FALSE(CUiPopupMenuWnd::IsTrackingMenu());
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
