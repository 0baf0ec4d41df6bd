// The framework colour button on a shown dialog: the colour menu it opens (seen through the
// popup menus' track hook), the split main part, the menu's notifications relayed to the
// parent, and the custom-colour dialogs (the system's through the prompt hook, the
// framework's run modally).
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "popupcolormenuwnd.h"
#include "uicolorbutton.h"
#include "uifwres.h"

using namespace dlgtest;
using namespace winharness;

namespace {

struct Notification {
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
};

class NotedDialog : public CDialog {
public:
    std::vector<Notification> notes;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
            nMsg == CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally)
            notes.push_back({nMsg, wParam, lParam});
        return CDialog::WindowProc(nMsg, wParam, lParam);
    }
};

struct TrackedColorMenu {
    UINT nFlags;
    HWND hWndOwner;
    DWORD dwOptions;
    COLORREF clrDefault;
    COLORREF clrSelected;
    LPARAM lCookie;
};
std::vector<TrackedColorMenu> g_menus;

int RecordColorMenuAndRefuse(const PopupTrackCall& call, UINT*)
{
    CUiPopupColorMenuWnd* pMenu = dynamic_cast<CUiPopupColorMenuWnd*>(call.pMenu);
    if (pMenu != nullptr)
        g_menus.push_back({call.nFlags, call.hWndOwner, pMenu->m_dwOptions, pMenu->m_clrDefault,
                           pMenu->m_clrInitial, pMenu->m_lCookie});
    return CUiPopupMenuWnd::kHookRefuse;
}

class ColorButtonFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateShownDialog(dlg, IDD_CHECKS, parent.wnd()));
        ASSERT_TRUE(button.SubclassDlgItem(IDC_COLOR_BUTTON, &dlg));
        button.m_clrCurrent = RGB(1, 2, 3);
        button.m_clrDefault = RGB(9, 9, 9);
        button.m_lNotifyValue = 77;
        PumpPending();
        g_menus.clear();
        CUiPopupMenuWnd::g_pfnTrackMenuHook = &RecordColorMenuAndRefuse;
    }
    void TearDown() override { dlg.DestroyWindow(); }

    DialogScope scope;
    HiddenParent parent;
    NotedDialog dlg;
    CUiColorButton button;
};

} // namespace

TEST_F(ColorButtonFixture, TheFinalColourIsTakenAndSentOnAndTheDefaultMinusOneIsBlack)
{
    button.PostMessage(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)-1, 5);
    PumpPending();
    EXPECT_EQ(RGB(0, 0, 0), button.m_clrCurrent);
    ASSERT_EQ(1u, dlg.notes.size());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, dlg.notes[0].nMsg);
    EXPECT_EQ((WPARAM)-1, dlg.notes[0].wParam);
    EXPECT_EQ(5, dlg.notes[0].lParam);

    // The live colour under the cursor only passes through.
    button.SendMessage(CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged, RGB(4, 5, 6), 6);
    EXPECT_EQ(RGB(0, 0, 0), button.m_clrCurrent);
    ASSERT_EQ(2u, dlg.notes.size());
    EXPECT_EQ((WPARAM)RGB(4, 5, 6), dlg.notes[1].wParam);
}

TEST_F(ColorButtonFixture, AClickOpensTheColourMenuWithTheButtonsColours)
{
    Click(button.m_hWnd, 5, 5);
    ASSERT_EQ(1u, g_menus.size());
    EXPECT_EQ(0x24u, g_menus[0].nFlags);
    EXPECT_EQ(button.m_hWnd, g_menus[0].hWndOwner);
    EXPECT_EQ(3u, g_menus[0].dwOptions);
    EXPECT_EQ(RGB(9, 9, 9), g_menus[0].clrDefault);
    EXPECT_EQ(RGB(1, 2, 3), g_menus[0].clrSelected);
    EXPECT_EQ(77, g_menus[0].lCookie);
    EXPECT_TRUE(dlg.notes.empty());

    button.m_bShowDefaultColor = false;
    Click(button.m_hWnd, 5, 5);
    ASSERT_EQ(2u, g_menus.size());
    EXPECT_EQ((DWORD)CUiPopupColorMenuWnd::kShowCustomButton, g_menus[1].dwOptions);
}

TEST_F(ColorButtonFixture, ASplitButtonsMainPartSendsTheCurrentColourWithoutAMenu)
{
    button.m_bState |= CUiButton::kSplit;
    Click(button.m_hWnd, 5, 5);
    EXPECT_TRUE(g_menus.empty());
    ASSERT_EQ(1u, dlg.notes.size());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, dlg.notes[0].nMsg);
    EXPECT_EQ((WPARAM)RGB(1, 2, 3), dlg.notes[0].wParam);
    EXPECT_EQ(77, dlg.notes[0].lParam);

    CRect rc;
    button.GetClientRect(&rc);
    Click(button.m_hWnd, rc.right - 3, 5);
    EXPECT_EQ(1u, g_menus.size());
}

TEST_F(ColorButtonFixture, ACustomColourComesFromTheSystemDialogFullyOpen)
{
    ScriptedPrompts prompts;
    prompts.colorAnswers = {-1, (long)RGB(40, 50, 60)};
    button.SendMessage(CUiPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, 88);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("color", prompts.records[0].kind);
    EXPECT_TRUE(prompts.records[0].flags & CC_FULLOPEN);
    EXPECT_EQ("030201", prompts.records[0].initial);
    EXPECT_EQ(RGB(1, 2, 3), button.m_clrCurrent);
    EXPECT_TRUE(dlg.notes.empty());

    button.SendMessage(CUiPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, 88);
    EXPECT_EQ(RGB(40, 50, 60), button.m_clrCurrent);
    ASSERT_EQ(1u, dlg.notes.size());
    EXPECT_EQ((WPARAM)RGB(40, 50, 60), dlg.notes[0].wParam);
    EXPECT_EQ(88, dlg.notes[0].lParam);
}

TEST_F(ColorButtonFixture, WithoutTheSystemDialogTheFrameworksColourDialogOpens)
{
    button.m_bUseSystemColorDialog = false;
    for (UINT nEnd : {IDCANCEL, IDOK}) {
        ScriptedInputPlayer player;
        player.Call([nEnd] {
            HWND hDlg = ::FindWindowA(NULL, "Color");
            ASSERT_NE((HWND)NULL, hDlg);
            ::SetDlgItemTextA(hDlg, IDC_UI_COLOR_RED, "200");
            ::PostMessageA(hDlg, WM_COMMAND, nEnd, 0);
        });
        player.Start();
        button.SendMessage(CUiPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, 99);
        EXPECT_TRUE(player.Done());
    }
    EXPECT_EQ(RGB(200, 2, 3), button.m_clrCurrent);
    ASSERT_EQ(1u, dlg.notes.size());
    EXPECT_EQ((WPARAM)RGB(200, 2, 3), dlg.notes[0].wParam);
    EXPECT_EQ(99, dlg.notes[0].lParam);
}
