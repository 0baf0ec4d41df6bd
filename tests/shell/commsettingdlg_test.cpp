// The communication settings dialog on its template, created modeless under a stand-in frame:
// its tree, the greyed port pages while a port runs, Apply on the working copy, the page kept
// for the next opening and the refresh it posts to the frame.
#include <gtest/gtest.h>

#include "commsettingdlg.h"
#include "currentcommset.h"
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

    RefreshRecorder frame;
    CCommSettingDlg dlg{nullptr};
};

} // namespace

TEST_F(CommSettingDlgTest, TreeListsTheEightPagesUnderTheirGroupsGreyedWhileRunning)
{
    HWND hDlg = Open(1);
    const std::vector<TreeRow> expected = {
        {0, "情報", 0},   {1, "基本情報", 1}, {0, "接続", 0},           {1, "ポート１", 2},
        {1, "ポート２", 2}, {0, "動作", 0},     {1, "ポート１", 2},       {1, "ポート２", 2},
        {1, "拡張(ポート１)", 2}, {1, "拡張(ポート２)", 2}, {0, "その他", 0}, {1, "ログ", 1},
    };
    EXPECT_EQ(expected, Tree(hDlg));
}
