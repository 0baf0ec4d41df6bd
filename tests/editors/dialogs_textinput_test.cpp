// The text input dialog: its caption, its toolbar stand-in with the line-end list moved into
// it, the apply buttons, and what it hands back however it closes.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "dialogs_test_support.h"
#include "standintoolbar.h"
#include "textinputdlg.h"
#include "winharness.h"

using namespace winharness;

namespace {

std::string ClassOf(HWND hWnd)
{
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

RECT ChildRect(HWND hParent, HWND hChild)
{
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(NULL, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Clicks the toolbar button of a command as the user would.
void ClickToolButton(HWND hDlg, UINT id)
{
    HWND hBar = ::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR);
    HWND hButton = ::GetDlgItem(hBar, id);
    ASSERT_NE(hButton, (HWND)NULL);
    ::SendMessageA(hBar, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

} // namespace

TEST(TextInputDialog, CaptionNamesTheEncoding)
{
    EXPECT_STREQ(" - ASCII", CTextInputDlg::CaptionSuffix(0));
    EXPECT_STREQ(" - SHIFTJIS", CTextInputDlg::CaptionSuffix(1));
    EXPECT_STREQ(" - UTF8", CTextInputDlg::CaptionSuffix(4));
    EXPECT_STREQ(" - Unknown", CTextInputDlg::CaptionSuffix(7));

    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDCANCEL); });
    CTextInputDlg dlg;
    dlg.m_nCharCode = 3;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1u, driver.captions.size());
    EXPECT_EQ("ﾃｷｽﾄ入力 - EUC", driver.captions[0]);
}

TEST(TextInputDialog, ToolbarHoldsTheApplyButtonsAndTheLineEndList)
{
    DialogDriver driver;
    std::vector<UINT> ids;
    std::vector<std::string> captions;
    std::string barClass;
    bool comboInBar = false;
    RECT bar = {}, edit = {}, client = {};
    std::vector<std::string> lineEnds;
    std::string text;
    driver.Step(1, [&](HWND hDlg) {
        HWND hBar = ::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR);
        barClass = ClassOf(hBar);
        CStandInToolBar* pBar = static_cast<CStandInToolBar*>(CWnd::FromHandlePermanent(hBar));
        ASSERT_NE(pBar, nullptr);
        for (int i = 0; i < pBar->GetButtonCount(); ++i) {
            ids.push_back(pBar->GetButtonID(i));
            HWND hButton = pBar->GetButtonWindow(i);
            captions.push_back(hButton != NULL && ClassOf(hButton) == "Button" ? DialogDriver::WindowText(hButton) : "");
        }
        HWND hCombo = ::GetDlgItem(hBar, IDC_TEXTINPUT_LINE_END);
        comboInBar = hCombo != NULL && pBar->GetButtonWindow(pBar->CommandToButtonIndex(1037)) == hCombo;
        for (int i = 0; i < static_cast<int>(::SendMessageA(hCombo, CB_GETCOUNT, 0, 0)); ++i) {
            char item[32] = "";
            ::SendMessageA(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            lineEnds.push_back(item);
        }
        bar = ChildRect(hDlg, hBar);
        edit = ChildRect(hDlg, ::GetDlgItem(hDlg, IDC_TEXTINPUT_TEXT));
        ::GetClientRect(hDlg, &client);
        text = DialogDriver::Text(hDlg, IDC_TEXTINPUT_TEXT);
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    CTextInputDlg dlg;
    dlg.SetData(ByteArray({'a', 'b', '\r', '\n', 'c'}));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.AllStepsRun());

    EXPECT_EQ("VaviRIZ-ControlBar", barClass);
    EXPECT_EQ((std::vector<UINT>{32892, 0, 32895, 32897, 32896, 32900, 0, 1037}), ids);
    EXPECT_EQ((std::vector<std::string>{"ｴﾃﾞｨﾀに反映", "", "SHIFTJISで反映", "JISで反映", "EUCで反映", "UTF8で反映", "",
                                        ""}),
              captions);
    EXPECT_TRUE(comboInBar);
    EXPECT_EQ((std::vector<std::string>{"CR+LF", "LF"}), lineEnds);
    EXPECT_EQ("ab\r\nc", text);
    EXPECT_EQ(0, bar.left);
    EXPECT_EQ(0, bar.top);
    EXPECT_EQ(client.right, bar.right);
    EXPECT_EQ(24, bar.bottom);
    EXPECT_EQ(4, edit.left);
    EXPECT_EQ(28, edit.top);
    EXPECT_EQ(client.right - 4, edit.right);
    EXPECT_EQ(client.bottom - 4, edit.bottom);
}

TEST(TextInputDialog, ApplyButtonsSetTheEncodingAndHandBackTheText)
{
    const struct {
        UINT id;
        int code;
    } cases[] = {{32892, 0}, {32895, 1}, {32897, 2}, {32896, 3}, {32900, 4}};
    for (const auto& c : cases) {
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            ::SetDlgItemTextA(hDlg, IDC_TEXTINPUT_TEXT, "あ");
            ClickToolButton(hDlg, c.id);
        });
        CTextInputDlg dlg;
        dlg.m_nCharCode = 0;
        EXPECT_EQ(IDOK, dlg.DoModal()) << c.id;
        EXPECT_EQ(c.code, dlg.m_nCharCode) << c.id;
        EXPECT_EQ("あ", std::string(dlg.GetText()));
        EXPECT_EQ((ByteVector{0x82, 0xA0}), BytesOf(dlg.GetData()));
    }
}

TEST(TextInputDialog, ClosingStillKeepsTheTextAndTheLineEndForTheNextUse)
{
    CTextInputDlg::SetLastLineEnd(0);
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        HWND hCombo = ::GetDlgItem(::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR), IDC_TEXTINPUT_LINE_END);
        EXPECT_EQ(0, static_cast<int>(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0)));
        ::SendMessageA(hCombo, CB_SETCURSEL, 1, 0);
        ::SetDlgItemTextA(hDlg, IDC_TEXTINPUT_TEXT, "kept");
        ::SendMessageA(hDlg, WM_COMMAND, ID_TEXTINPUT_CLOSE, 0);
    });
    CTextInputDlg first;
    EXPECT_EQ(IDCANCEL, first.DoModal());
    EXPECT_TRUE(first.IsLfOnly());
    EXPECT_EQ("kept", std::string(first.GetText()));
    EXPECT_EQ(1, CTextInputDlg::GetLastLineEnd());

    // The next dialog starts with LF; an empty field gives an empty byte array.
    int shownLineEnd = -1;
    driver.Step(1, [&](HWND hDlg) {
        HWND hCombo = ::GetDlgItem(::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR), IDC_TEXTINPUT_LINE_END);
        shownLineEnd = static_cast<int>(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
        ::SetDlgItemTextA(hDlg, IDC_TEXTINPUT_TEXT, "");
        ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
    });
    CTextInputDlg second;
    EXPECT_EQ(IDCANCEL, second.DoModal());
    EXPECT_EQ(1, shownLineEnd);
    const COleSafeArray& data = second.GetData();
    EXPECT_EQ(static_cast<VARTYPE>(VT_ARRAY | VT_UI1), data.vt);
    EXPECT_TRUE(BytesOf(data).empty());
    CTextInputDlg::SetLastLineEnd(0);
}

TEST(StandInToolBar, AttachesOnlyItsOwnChildWithTheButtonsId)
{
    ASSERT_TRUE(CStandInToolBar::RegisterWndClass());
    HiddenParent parent;
    CStandInToolBar bar;
    ASSERT_TRUE(bar.Create(kControlBarClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 24), parent.wnd(), 5));
    const UINT ids[] = {32892, 0, 1037};
    ASSERT_TRUE(bar.SetButtonList(ids, 3));
    EXPECT_EQ(2, bar.CommandToButtonIndex(1037));
    EXPECT_EQ(-1, bar.CommandToButtonIndex(4711));

    CComboBox outside, wrongId, inside;
    ASSERT_TRUE(outside.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 60, 100), parent.wnd(), 1037));
    ASSERT_TRUE(wrongId.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 60, 100), &bar, 1038));
    ASSERT_TRUE(inside.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 60, 100), &bar, 1037));
    EXPECT_FALSE(bar.AttachButtonControl(2, &outside));
    EXPECT_FALSE(bar.AttachButtonControl(2, &wrongId));
    EXPECT_FALSE(bar.AttachButtonControl(5, &inside));
    EXPECT_TRUE(bar.AttachButtonControl(2, &inside));
    EXPECT_EQ(inside.m_hWnd, bar.GetButtonWindow(2));
    EXPECT_EQ(NULL, bar.GetButtonWindow(1));
}
