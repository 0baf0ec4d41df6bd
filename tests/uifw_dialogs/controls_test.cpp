// Label, edit and combo box on a real dialog: type-ahead completion, the edit commands'
// enabled states and the disabled combo's edit.
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "afxres.h"
#include "uicombobox.h"
#include "uieditbase.h"
#include "uilabel.h"

using namespace dlgtest;
using namespace winharness;

namespace {

class EnableRecorder : public CCmdUI {
public:
    int nEnabled = -1;
    void Enable(BOOL bOn) override { nEnabled = bOn ? 1 : 0; }
};

class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(IDD_CONTROLS, parent.wnd()));
        dlg.ShowWindow(SW_SHOW);
        dlg.SetActiveWindow();
        ASSERT_TRUE(combo.SubclassDlgItem(IDC_COMBO, &dlg));
        ASSERT_TRUE(edit.SubclassDlgItem(IDC_EDIT, &dlg));
        PumpPending();
    }
    void TearDown() override { dlg.DestroyWindow(); }

    // A key as the message loop delivers it: offered to the combo, then typed into its edit.
    void Type(UINT vk, UINT ch)
    {
        HWND hEdit = combo.m_wndEditHook.m_hWnd;
        MSG msg = {hEdit, WM_KEYDOWN, vk, 1};
        EXPECT_FALSE(combo.PreTranslateMessage(&msg));
        ::SendMessageA(hEdit, WM_CHAR, ch, 1);
    }
    CString ComboText()
    {
        CString str;
        combo.GetWindowText(str);
        return str;
    }
    CPoint EditSel()
    {
        const DWORD dw = combo.GetEditSel();
        return CPoint(LOWORD(dw), HIWORD(dw));
    }
    int Enabled(UINT nId)
    {
        EnableRecorder state;
        state.m_nID = nId;
        EXPECT_TRUE(edit.OnCmdMsg(nId, (int)CN_UPDATE_COMMAND_UI, &state, nullptr));
        return state.nEnabled;
    }

    DialogScope scope;
    HiddenParent parent;
    CDialog dlg;
    CUiComboBox combo;
    CUiEditBase edit;
};

} // namespace

TEST_F(ControlsFixture, TypingCompletesFromTheListAndBackspaceDoesNot)
{
    ASSERT_NE(nullptr, combo.m_wndEditHook.GetSafeHwnd());
    combo.AddString("115200");
    combo.AddString("1200");
    combo.m_wndEditHook.SetFocus();
    Type('1', '1');
    EXPECT_EQ(CString("115200"), ComboText());
    EXPECT_EQ(CPoint(1, 6), EditSel());
    Type('2', '2');
    EXPECT_EQ(CString("1200"), ComboText());
    EXPECT_EQ(CPoint(2, 4), EditSel());
    Type(VK_BACK, VK_BACK);
    EXPECT_EQ(CString("12"), ComboText());

    // Alt with a letter does nothing in a completing combo.
    MSG alt = {combo.m_wndEditHook.m_hWnd, WM_SYSCHAR, 'x', (LPARAM)(1 << 29)};
    EXPECT_TRUE(combo.PreTranslateMessage(&alt));
}

TEST_F(ControlsFixture, AReadOnlyEditOffersOnlyCopyAndSelectAll)
{
    edit.SetWindowText("hello");
    edit.SetSel(0, 2);
    EXPECT_EQ(0, Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(0, Enabled(ID_EDIT_CUT));
    EXPECT_EQ(1, Enabled(ID_EDIT_COPY));
    EXPECT_EQ(0, Enabled(ID_EDIT_PASTE));
    EXPECT_EQ(0, Enabled(ID_EDIT_CLEAR));
    EXPECT_EQ(1, Enabled(ID_EDIT_SELECT_ALL));
    edit.SetSel(0, -1);
    EXPECT_EQ(0, Enabled(ID_EDIT_SELECT_ALL));

    // Select All executed by the edit itself.
    edit.SetSel(1, 1);
    edit.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(5, nEnd);
}

TEST_F(ControlsFixture, ADisabledComboKeepsItsEditEnabledButReadOnly)
{
    HWND hEdit = combo.m_wndEditHook.m_hWnd;
    combo.EnableWindow(FALSE);
    EXPECT_TRUE(::IsWindowEnabled(hEdit));
    EXPECT_TRUE(::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY);
    combo.EnableWindow(TRUE);
    EXPECT_FALSE(::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY);
}

TEST(LabelTest, TheFormatFollowsTheStaticStyleAndTheText)
{
    EXPECT_EQ((UINT)(DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_VCENTER),
              CUiLabel::FormatForStyle(SS_LEFT, "a\tb"));
    EXPECT_EQ((UINT)(DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_VCENTER), CUiLabel::FormatForStyle(SS_CENTER, "ab"));
    EXPECT_EQ((UINT)(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS),
              CUiLabel::FormatForStyle(SS_RIGHT | SS_CENTERIMAGE, "ab"));
    EXPECT_EQ((UINT)(DT_CENTER | DT_END_ELLIPSIS | DT_VCENTER),
              CUiLabel::FormatForStyle(SS_CENTERIMAGE, "a\r\nb"));
}
