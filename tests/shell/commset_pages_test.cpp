// The set page and the log-display page on their templates: the hidden auto-start flag, the
// name edit's selection on focus, and the display masks with the column rule.
#include "page_host_support.h"

#include "commsetpage.h"
#include "commsetrecord.h"
#include "logdisplaypage.h"
#include "resource.h"

using namespace settingstest;

namespace {

class CommSetPagesTest : public PageHost {
protected:
    CommSetPagesTest() { SetCommSetDefaults(set, FALSE); }
    CCommSetRecord set;
};

TEST_F(CommSetPagesTest, TheHiddenAutoStartFlagSurvivesPutAndTake)
{
    CCommSetPage page(&host);
    ASSERT_TRUE(::IsWindow(page.m_hWnd));
    EXPECT_FALSE(page.IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_COMMSET_AUTO_START)));
    EXPECT_FALSE(Enabled(page.m_hWnd, IDC_COMMSET_AUTO_START));
    EXPECT_TRUE(page.GetStyle() & WS_TABSTOP);

    for (int nFlag : {1, 0}) {
        set.m_nAutoStart = nFlag;
        set.m_strSetName = "Line A";
        set.m_strComment = "first\r\nsecond";
        page.PutSettings(set);
        CCommSetRecord taken;
        taken.m_nAutoStart = 1 - nFlag;
        EXPECT_EQ(0, page.TakeSettings(taken));
        EXPECT_EQ(nFlag, taken.m_nAutoStart);
        EXPECT_STREQ("Line A", taken.m_strSetName);
        EXPECT_STREQ("first\r\nsecond", taken.m_strComment);
    }
    page.DestroyWindow();
}

TEST_F(CommSetPagesTest, FocusingTheNameSelectsItsWholeText)
{
    CCommSetPage page(&host);
    set.m_strSetName = "Bench line 7";
    page.PutSettings(set);
    page.ShowWindow(SW_SHOW);
    HWND hName = ::GetDlgItem(page.m_hWnd, IDC_COMMSET_NAME);
    ::SendMessageA(hName, EM_SETSEL, 3, 3);
    ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_COMMSET_COMMENT));
    ::SetFocus(hName);
    ASSERT_EQ(hName, ::GetFocus());
    DWORD nStart = 99, nEnd = 99;
    ::SendMessageA(hName, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    EXPECT_EQ(0u, nStart);
    EXPECT_EQ(12u, nEnd);
    page.DestroyWindow();
}

TEST_F(CommSetPagesTest, AReceiveMaskWithoutItsListBitShowsItsColumnsGreyed)
{
    CLogDisplayPage page(&host);
    set.m_nDisplayFlags[2] = 0x6;  // port 1 receive: byte count and hex digest, not listed
    page.PutSettings(set);
    EXPECT_FALSE(Checked(page.m_hWnd, IDC_LOGDISP_RECV1));
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_LOGDISP_RECV1_BYTES));
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_LOGDISP_RECV1_HEX));
    EXPECT_FALSE(Checked(page.m_hWnd, IDC_LOGDISP_RECV1_TEXT));
    for (int id : {IDC_LOGDISP_RECV1_BYTES, IDC_LOGDISP_RECV1_HEX, IDC_LOGDISP_RECV1_TEXT})
        EXPECT_FALSE(Enabled(page.m_hWnd, id)) << id;
    // The other groups are listed by default and keep their columns usable.
    EXPECT_TRUE(Enabled(page.m_hWnd, IDC_LOGDISP_SEND1_BYTES));
    EXPECT_TRUE(Enabled(page.m_hWnd, IDC_LOGDISP_RECV2_TEXT));

    CCommSetRecord taken;
    page.TakeSettings(taken);
    EXPECT_EQ(0x6, taken.m_nDisplayFlags[2]);
    EXPECT_EQ(0, taken.CompareLogDisplay(set));

    Click(page.m_hWnd, IDC_LOGDISP_RECV1, true);
    EXPECT_TRUE(Enabled(page.m_hWnd, IDC_LOGDISP_RECV1_HEX));
    Click(page.m_hWnd, IDC_LOGDISP_SEND2, false);
    EXPECT_FALSE(Enabled(page.m_hWnd, IDC_LOGDISP_SEND2_BYTES));
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_LOGDISP_SEND2_BYTES));
    page.TakeSettings(taken);
    EXPECT_EQ(0x7, taken.m_nDisplayFlags[2]);
    EXPECT_EQ(0xE, taken.m_nDisplayFlags[4]);
    page.DestroyWindow();
}

TEST_F(CommSetPagesTest, EveryDisplayFieldGoesBackToItsOwnPlace)
{
    CLogDisplayPage page(&host);
    set.m_nDateFormat = 0;
    const int flags[6] = {0, 0x9, 0x4, 1, 0x3, 0xA};
    for (int i = 0; i < 6; ++i)
        set.m_nDisplayFlags[i] = flags[i];
    for (int port = 0; port < 2; ++port) {
        set.m_clrBack[port] = RGB(10 + port, 0, 0);
        for (int kind = 0; kind < 3; ++kind)
            set.m_clrText[port][kind] = RGB(0, 20 + port, kind);
    }
    page.PutSettings(set);
    EXPECT_EQ("YYYY/MM/DD HH:MI:SS.SSS", SelectedText(page.m_hWnd, IDC_LOGDISP_DATE_FORMAT));
    EXPECT_FALSE(Checked(page.m_hWnd, IDC_LOGDISP_MESSAGES1));
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_LOGDISP_MESSAGES2));
    EXPECT_EQ(RGB(0, 21, 1), page.m_colors[6].GetColor());  // port 2 send text

    CCommSetRecord taken;
    SetCommSetDefaults(taken, FALSE);
    page.TakeSettings(taken);
    EXPECT_EQ(0, taken.CompareLogDisplay(set));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(flags[i], taken.m_nDisplayFlags[i]) << i;

    // A colour chosen on a button is what the page takes.
    winharness::ScriptedPrompts prompts;
    prompts.colorAnswers = {0x123456};
    Notify(page.m_hWnd, IDC_LOGDISP_BACK2, BN_CLICKED);
    page.TakeSettings(taken);
    EXPECT_EQ(0x123456u, taken.m_clrBack[1]);
    EXPECT_NE(0, taken.CompareLogDisplay(set));
    page.DestroyWindow();
}

} // namespace
