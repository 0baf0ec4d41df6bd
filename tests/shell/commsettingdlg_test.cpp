// The communication settings dialog on its template, created modeless under a stand-in frame:
// its tree, the greyed port pages while a port runs, Apply on the working copy, the page kept
// for the next opening and the refresh it posts to the frame.
#include <gtest/gtest.h>

#include "commsettingdlg.h"
#include "currentcommset.h"
#include "logdisplaypage.h"
#include "portusepage.h"
#include "settings_test_support.h"

using namespace settingstest;

namespace {

class CommSettingDlgTest : public ::testing::Test {
protected:
    CommSettingDlgTest() { SetCommSetDefaults(GetCurrentCommSet(), 1); }
    ~CommSettingDlgTest() override
    {
        if (dlg.GetSafeHwnd() != NULL)
            dlg.DestroyWindow();
    }

    HWND Open(int bRunning, int nInitialPage = 0)
    {
        dlg.m_bRunning = bRunning;
        dlg.m_nInitialPage = nInitialPage;
        EXPECT_TRUE(dlg.Create(IDD_COMM_SETTINGS, frame.wnd()));
        return dlg.GetSafeHwnd();
    }

    // The COM port page of a port's port-use page.
    HWND ComPage(int nPort)
    {
        CPortUsePage* pPage = static_cast<CPortUsePage*>(dlg.GetPage(CCommSettingDlg::PagePortUse1 + nPort));
        return pPage->GetComPortPage()->GetSafeHwnd();
    }
    HWND Page(int nIndex) { return dlg.GetPage(nIndex)->GetSafeHwnd(); }
    // The single page shown, -1 when none or several are.
    int ShownPage()
    {
        int nShown = -1;
        for (int i = 0; i < CCommSettingDlg::kPageCount; ++i) {
            if (dlg.GetPage(i) != nullptr && Visible(Page(i)))
                nShown = nShown == -1 ? i : -2;
        }
        return nShown;
    }

    PageClasses classes;
    RefreshRecorder frame;
    CCommSettingDlg dlg{nullptr};
};

// Whether each window inside a page is enabled (its controls, the COM port page and its own),
// in window order.
void EnabledInside(HWND hParent, std::vector<bool>& states)
{
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        states.push_back(::IsWindowEnabled(hChild) != FALSE);
        EnabledInside(hChild, states);
    }
}

std::vector<bool> EnabledInside(HWND hPage)
{
    std::vector<bool> states;
    EnabledInside(hPage, states);
    return states;
}

} // namespace

TEST_F(CommSettingDlgTest, TreeListsTheEightPagesUnderTheirGroupsGreyedWhileRunning)
{
    HWND hDlg = Open(1, CCommSettingDlg::PagePortUse2);
    const std::vector<TreeRow> expected = {
        {0, "情報", 0},   {1, "基本情報", 1}, {0, "接続", 0},           {1, "ポート１", 2},
        {1, "ポート２", 2}, {0, "動作", 0},     {1, "ポート１", 2},       {1, "ポート２", 2},
        {1, "拡張(ポート１)", 2}, {1, "拡張(ポート２)", 2}, {0, "その他", 0}, {1, "ログ", 1},
    };
    EXPECT_EQ(expected, Tree(hDlg));
    for (int i = CCommSettingDlg::PagePortUse1; i <= CCommSettingDlg::PageDll2; ++i) {
        ASSERT_NE(nullptr, dlg.GetPage(i)) << i;
        EXPECT_FALSE(dlg.GetPage(i)->IsWindowEnabled()) << i;
    }
    // A greyed page still shows what it holds.
    EXPECT_EQ(CCommSettingDlg::PagePortUse2, ShownPage());
    EXPECT_TRUE(dlg.GetPage(CCommSettingDlg::PageCommSet)->IsWindowEnabled());
    EXPECT_TRUE(dlg.GetPage(CCommSettingDlg::PageLogDisplay)->IsWindowEnabled());
}

TEST_F(CommSettingDlgTest, ControlsOfLockedPortPagesAreGreyedAndComeBackAsTheyWereOnceUnlocked)
{
    std::vector<std::vector<bool>> editable;
    {
        CCommSettingDlg unlocked(nullptr);
        unlocked.m_bRunning = 0;
        ASSERT_TRUE(unlocked.Create(IDD_COMM_SETTINGS, frame.wnd()));
        for (int i = CCommSettingDlg::PagePortUse1; i <= CCommSettingDlg::PageDll2; ++i)
            editable.push_back(EnabledInside(unlocked.GetPage(i)->GetSafeHwnd()));
        unlocked.DestroyWindow();
    }
    Open(1);
    for (int i = CCommSettingDlg::PagePortUse1; i <= CCommSettingDlg::PageDll2; ++i) {
        const std::vector<bool>& before = editable[i - CCommSettingDlg::PagePortUse1];
        EXPECT_EQ(std::vector<bool>(before.size(), false), EnabledInside(Page(i))) << "page " << i;
        dlg.GetPage(i)->EnableWindow(TRUE);
        EXPECT_EQ(before, EnabledInside(Page(i))) << "page " << i;
    }
}

TEST_F(CommSettingDlgTest, ApplyWhileRunningLeavesEveryPortFieldOfTheSet)
{
    GetCurrentCommSet().m_nBaudRate[0] = 19200;
    GetCurrentCommSet().m_nExtendedMode[1] = 1;
    HWND hDlg = Open(1);
    SetText(ComPage(0), IDC_COMPORT_BAUD, "300");
    Click(Page(CCommSettingDlg::PageReceiveAction2), IDC_RECV_EXTENDED, false);
    SetText(Page(CCommSettingDlg::PageCommSet), IDC_COMMSET_NAME, "Renamed");
    Press(hDlg, IDC_SETTINGS_APPLY);
    EXPECT_EQ(19200, GetCurrentCommSet().m_nBaudRate[0]);
    EXPECT_EQ(1, GetCurrentCommSet().m_nExtendedMode[1]);
    EXPECT_STREQ("Renamed", GetCurrentCommSet().m_strSetName);
    // A name alone leaves the log display: the frame is not asked to list the log again.
    EXPECT_TRUE(frame.Refreshes().empty());
}

TEST_F(CommSettingDlgTest, AChangedLogColourMakesApplyRefreshTheFrameLog)
{
    HWND hDlg = Open(0);
    CLogDisplayPage* pLog = static_cast<CLogDisplayPage*>(dlg.GetPage(CCommSettingDlg::PageLogDisplay));
    pLog->m_colors[4].SetColor(RGB(1, 2, 3));
    Press(hDlg, IDC_SETTINGS_APPLY);
    EXPECT_EQ(RGB(1, 2, 3), GetCurrentCommSet().m_clrBack[1]);
    EXPECT_EQ(std::vector<WPARAM>{0}, frame.Refreshes());
    Press(hDlg, IDC_SETTINGS_APPLY);
    EXPECT_EQ(std::vector<WPARAM>{0}, frame.Refreshes());
}

TEST_F(CommSettingDlgTest, GroupItemsKeepThePageAndOkKeepsTheShownPageForTheNextOpening)
{
    HWND hDlg = Open(0, CCommSettingDlg::PageReceiveAction2);
    EXPECT_EQ(CCommSettingDlg::PageReceiveAction2, ShownPage());
    ASSERT_TRUE(SelectTreeItem(hDlg, "接続"));
    EXPECT_EQ(CCommSettingDlg::PageReceiveAction2, ShownPage());
    ASSERT_TRUE(SelectTreeItem(hDlg, "拡張(ポート２)"));
    EXPECT_EQ(CCommSettingDlg::PageDll2, ShownPage());
    EXPECT_EQ(CCommSettingDlg::PageReceiveAction2, dlg.m_nInitialPage);
    Press(hDlg, IDOK);
    EXPECT_EQ(CCommSettingDlg::PageDll2, dlg.m_nInitialPage);
}

TEST_F(CommSettingDlgTest, ApplyWritesTheWorkingCopyAndCancelKeepsWhatApplyWrote)
{
    HWND hDlg = Open(0);
    SetText(ComPage(1), IDC_COMPORT_BAUD, "115200");
    Click(Page(CCommSettingDlg::PageReceiveAction1), IDC_RECV_TIMEOUT, true);
    Press(hDlg, IDC_SETTINGS_APPLY);
    EXPECT_EQ(115200, GetCurrentCommSet().m_nBaudRate[1]);
    EXPECT_EQ(1, GetCurrentCommSet().m_nRecvTimeoutOn[0]);

    SetText(ComPage(1), IDC_COMPORT_BAUD, "300");
    Click(Page(CCommSettingDlg::PageReceiveAction1), IDC_RECV_TIMEOUT, false);
    Press(hDlg, IDCANCEL);
    EXPECT_EQ(115200, GetCurrentCommSet().m_nBaudRate[1]);
    EXPECT_EQ(1, GetCurrentCommSet().m_nRecvTimeoutOn[0]);
    EXPECT_EQ(0, dlg.m_nInitialPage);
}
