// The receive-action page on its template: the enabling rules, with the two modes switching
// every other action off; what Take stores; the random settings dialog on the page's copy.
#include <gtest/gtest.h>

#include <vector>

#include "bytes_test_support.h"
#include "dialogdriver.h"
#include "receiveactionpage.h"
#include "settings_test_support.h"

using namespace settingstest;

namespace {

// The 22 controls that either mode greys.
const int kModeControlled[] = {1016, 1044, 1047, 1050, 1010, 1040, 1041, 1042, 1012, 1017, 1015,
                               1046, 1045, 1013, 1018, 1009, 1043, 1037, 1005, 1006, 1007, 1008};

class ReceiveActionPageTest : public ::testing::Test {
protected:
    ReceiveActionPageTest() : page(parent.wnd())
    {
        SetCommSetDefaults(set, 1);
        page.SetPort(1);
        hPage = page.GetSafeHwnd();
    }

    std::vector<int> EnabledOf(const std::vector<int>& ids)
    {
        std::vector<int> on;
        for (int id : ids) {
            if (Enabled(hPage, id))
                on.push_back(id);
        }
        return on;
    }

    PageClasses classes;
    winharness::HiddenParent parent;
    CCommSetRecord set;
    CReceiveActionPage page;
    HWND hPage = NULL;
};

} // namespace

TEST_F(ReceiveActionPageTest, ModesGreyEveryOtherActionAndLeavingThemRestoresTheRules)
{
    set.m_nAutoSendOn[1] = 0;
    set.m_nRandomOn[1] = 1;
    set.m_nRandomEverySend[1] = 0;
    set.m_nRecvActionOn[1] = 1;
    page.PutSettings(set);
    EXPECT_TRUE(Enabled(hPage, IDC_RECV_RANDOM_SECONDS));

    Click(hPage, IDC_RECV_EXTENDED, true);
    EXPECT_FALSE(Enabled(hPage, IDC_RECV_SCRIPT));
    EXPECT_TRUE(EnabledOf(std::vector<int>(std::begin(kModeControlled), std::end(kModeControlled))).empty());

    Click(hPage, IDC_RECV_EXTENDED, false);
    EXPECT_EQ((std::vector<int>{1016, 1010, 1013, 1018, 1009, 1012, 1019}),
              EnabledOf({1016, 1010, 1013, 1018, 1009, 1012, 1019}));
    EXPECT_FALSE(Enabled(hPage, IDC_RECV_AUTO_SEND_MS));
    EXPECT_FALSE(Checked(hPage, IDC_RECV_AUTO_SEND));

    Click(hPage, IDC_RECV_SCRIPT, true);
    EXPECT_FALSE(Enabled(hPage, IDC_RECV_EXTENDED));
    EXPECT_FALSE(Enabled(hPage, IDC_RECV_ACTION));
    Click(hPage, IDC_RECV_SCRIPT, false);
    EXPECT_TRUE(Enabled(hPage, IDC_RECV_EXTENDED));

    Click(hPage, IDC_RECV_RANDOM_EVERY_SEND, true);
    EXPECT_TRUE(EnabledOf({1046, 1045}).empty());
    Click(hPage, IDC_RECV_RANDOM_EVERY_SEND, false);
    EXPECT_EQ((std::vector<int>{1046, 1045}), EnabledOf({1046, 1045}));
    Click(hPage, IDC_RECV_RANDOM, false);
    EXPECT_TRUE(EnabledOf({1017, 1015, 1046, 1045}).empty());
}

TEST_F(ReceiveActionPageTest, ReplyByteAndModeAreStoredAsShown)
{
    set.m_nReplyKind[1] = 7;
    set.m_nRecvActionOn[1] = 1;
    page.PutSettings(set);
    EXPECT_TRUE(Checked(hPage, IDC_RECV_REPLY_EDITOR));

    ::CheckRadioButton(hPage, IDC_RECV_REPLY_EDITOR, IDC_RECV_REPLY_BYTE, IDC_RECV_REPLY_BYTE);
    SetText(hPage, IDC_RECV_REPLY_BYTE_VALUE, "FF");
    SetText(hPage, IDC_RECV_TIMEOUT_MS, "");
    ChooseListEntry(hPage, IDC_RECV_TARGET, 2);
    page.TakeSettings(set);
    EXPECT_EQ(0xFF, set.m_byFixedReply[1]);
    EXPECT_EQ(2, set.m_nReplyKind[1]);
    EXPECT_EQ(2, set.m_nReplyTarget[1]);
    EXPECT_EQ(0, set.m_nRecvTimeout[1]);

    SetText(hPage, IDC_RECV_REPLY_BYTE_VALUE, "");
    page.TakeSettings(set);
    EXPECT_EQ(0, set.m_byFixedReply[1]);
}

TEST_F(ReceiveActionPageTest, CancellingTheRandomDialogKeepsThePageRegions)
{
    std::vector<BYTE> region(56, 0);
    region[0] = 4;
    set.m_randomRegions[1] = testbytes::BufferOf(region);
    set.m_nRandomOn[1] = 1;
    page.PutSettings(set);
    bool opened = false;
    {
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            opened = true;
            DialogDriver::Post(hDlg, IDCANCEL);
        });
        Press(hPage, IDC_RECV_RANDOM_SETTINGS);
    }
    EXPECT_TRUE(opened);
    CCommSetRecord out;
    page.TakeSettings(out);
    EXPECT_EQ(region, testbytes::BytesOf(out.m_randomRegions[1]));
}
