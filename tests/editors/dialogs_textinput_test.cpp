// The text input dialog: its caption, its toolbar with the line-end list moved into it, the
// apply buttons clicked on the real bar, and what it hands back however it closes.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "dialogs_test_support.h"
#include "cmdmanager.h"
#include "toolcontrolbar.h"
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

// The dialogs' parent, bound to a command profile that holds the apply commands with their
// tips as button texts (the bar takes its texts from its nearest bound ancestor).
class ProfiledParent {
public:
    ProfiledParent()
    {
        CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
        pManager->ProfileInstall("textinput-test", m_parent.hwnd());
        for (UINT id : {32892u, 32895u, 32897u, 32896u, 32900u}) {
            CUiCmdItem* pItem = pManager->CmdAllocPtr("textinput-test", id);
            pItem->UpdateFromResource();
            pItem->m_strToolbarText = pItem->m_strTipTool;
        }
    }
    ~ProfiledParent() { CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(m_parent.hwnd(), true); }
    CWnd* wnd() const { return m_parent.wnd(); }

private:
    HiddenParent m_parent;
};

CUiToolControlBar* BarOf(HWND hDlg)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR));
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) ? static_cast<CUiToolControlBar*>(pWnd)
                                                                              : nullptr;
}

// Clicks the toolbar button of a command as the user would: press and release at its middle.
void ClickToolButton(HWND hDlg, UINT id)
{
    CUiToolControlBar* pBar = BarOf(hDlg);
    ASSERT_NE(pBar, nullptr);
    CUiBarButton* pButton = pBar->GetButton(pBar->CommandToButtonIndex(id));
    ASSERT_NE(pButton, nullptr);
    ASSERT_TRUE(pButton->IsVisible());
    const CPoint pt = pButton->GetRect().CenterPoint();
    CPoint ptScreen(pt);
    pBar->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    SendMouse(pBar->GetSafeHwnd(), WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
    SendMouse(pBar->GetSafeHwnd(), WM_LBUTTONUP, pt.x, pt.y);
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
        CUiToolControlBar* pBar = BarOf(hDlg);
        ASSERT_NE(pBar, nullptr);
        for (int i = 0; i < pBar->GetButtonsCount(); ++i) {
            ids.push_back(pBar->GetButtonID(i));
            captions.push_back(std::string(pBar->GetButton(i)->GetText()));
        }
        HWND hCombo = ::GetDlgItem(hBar, IDC_TEXTINPUT_LINE_END);
        CUiBarButton* pComboButton = pBar->GetButton(pBar->CommandToButtonIndex(1037));
        comboInBar = hCombo != NULL && pComboButton != nullptr && pComboButton->GetCtrl() != nullptr &&
                     pComboButton->GetCtrl()->GetSafeHwnd() == hCombo;
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
    ProfiledParent parent;
    CTextInputDlg dlg(parent.wnd());
    dlg.SetData(ByteArray({'a', 'b', '\r', '\n', 'c'}));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.AllStepsRun());

    EXPECT_EQ("VaviRIZ-ControlBar", barClass);
    EXPECT_EQ((std::vector<UINT>{32892, 0, 32895, 32897, 32896, 32900, 0, 1037, 0xFFFFFFBE}), ids);
    EXPECT_EQ((std::vector<std::string>{"ｴﾃﾞｨﾀに反映", "", "SHIFTJISで反映", "JISで反映", "EUCで反映", "UTF8で反映", "",
                                        "", ""}),
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
        ProfiledParent parent;
        CTextInputDlg dlg(parent.wnd());
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
