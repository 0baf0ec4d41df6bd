// The port-use page with its COM port page on their templates, and the flow-control dialog
// opened from it: what Put shows and Take stores, the rules between the controls, and the
// retry box driving the engine's automatic retry.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogdriver.h"
#include "flowcontroldlg.h"
#include "portusepage.h"
#include "settings_test_support.h"

using namespace settingstest;

namespace {

class PortUsePageTest : public ::testing::Test {
protected:
    PortUsePageTest() : page(parent.wnd())
    {
        SetCommSetDefaults(set, 1);
        set.m_nInUse[1] = 1;
        page.SetPort(1);
        hPage = page.GetSafeHwnd();
        hCom = page.GetComPortPage()->GetSafeHwnd();
    }

    CCommSetRecord Taken()
    {
        CCommSetRecord out;
        SetCommSetDefaults(out, 1);
        page.TakeSettings(out);
        return out;
    }

    PageClasses classes;
    winharness::HiddenParent parent;
    CCommSetRecord set;
    CPortUsePage page;
    HWND hPage = NULL;
    HWND hCom = NULL;
};

} // namespace

TEST_F(PortUsePageTest, TakeFixesTheBaudAndBufferAndCarriesTheBlockByteForByte)
{
    for (int i = 0; i < CCommSetRecord::kPortPageSize; ++i)
        set.m_portPage[1][i] = static_cast<BYTE>(i * 7 + 3);
    set.m_nCommType[1] = 0;
    page.PutSettings(set);
    page.PutSettings(set);

    HWND hType = ::GetDlgItem(hPage, IDC_PORTUSE_TYPE);
    ASSERT_EQ(1, ::SendMessageA(hType, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("COM", Text(hPage, IDC_PORTUSE_TYPE));

    SetText(hCom, IDC_COMPORT_BAUD, "");
    SetText(hPage, IDC_PORTUSE_BUFFER, "5");
    CCommSetRecord out = Taken();
    EXPECT_EQ(9600, out.m_nBaudRate[1]);
    EXPECT_EQ(16, out.m_nRecvBufferSize[1]);
    EXPECT_EQ(3, out.m_nCommType[1]);
    EXPECT_EQ(0, std::memcmp(set.m_portPage[1], out.m_portPage[1], CCommSetRecord::kPortPageSize));
    EXPECT_EQ(0, out.m_portPage[0][5]);

    SetText(hCom, IDC_COMPORT_BAUD, "9999999999");
    EXPECT_EQ(2147483647, Taken().m_nBaudRate[1]);
}

TEST_F(PortUsePageTest, BaudListFillsTheEditAndUseStateAndFramingShowTheirControls)
{
    page.PutSettings(set);
    SetText(hCom, IDC_COMPORT_BAUD, "4800");
    ChooseListEntry(hCom, IDC_COMPORT_BAUD_LIST, 0);
    EXPECT_EQ("4800", Text(hCom, IDC_COMPORT_BAUD));
    const int n115200 = static_cast<int>(::SendDlgItemMessageA(hCom, IDC_COMPORT_BAUD_LIST, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                                              reinterpret_cast<LPARAM>("115200")));
    ChooseListEntry(hCom, IDC_COMPORT_BAUD_LIST, n115200);
    EXPECT_EQ("115200", Text(hCom, IDC_COMPORT_BAUD));
    EXPECT_EQ(115200, Taken().m_nBaudRate[1]);

    EXPECT_TRUE(Visible(hCom));
    Click(hPage, IDC_PORTUSE_USE, false);
    EXPECT_FALSE(Visible(hCom));
    EXPECT_FALSE(Enabled(hPage, IDC_PORTUSE_TYPE));
    EXPECT_FALSE(Enabled(hPage, IDC_PORTUSE_BUFFER));
    Click(hPage, IDC_PORTUSE_USE, true);
    EXPECT_TRUE(Visible(hCom));
    EXPECT_EQ("115200", Text(hCom, IDC_COMPORT_BAUD));

    ChooseListEntry(hCom, IDC_COMPORT_FRAMING, 2);
    EXPECT_EQ("Char指定", Text(hCom, IDC_COMPORT_FRAMING_LABEL));
    EXPECT_TRUE(Visible(hCom, IDC_COMPORT_FRAMING_LABEL));
    EXPECT_TRUE(Visible(hCom, IDC_COMPORT_DELIMITER));
    EXPECT_FALSE(Visible(hCom, IDC_COMPORT_BLOCK_SIZE));
    ChooseListEntry(hCom, IDC_COMPORT_FRAMING, 1);
    EXPECT_EQ("データサイズ", Text(hCom, IDC_COMPORT_FRAMING_LABEL));
    EXPECT_TRUE(Visible(hCom, IDC_COMPORT_BLOCK_SIZE));
    EXPECT_FALSE(Visible(hCom, IDC_COMPORT_DELIMITER));
    ChooseListEntry(hCom, IDC_COMPORT_FRAMING, 0);
    EXPECT_FALSE(Visible(hCom, IDC_COMPORT_FRAMING_LABEL));
    EXPECT_FALSE(Visible(hCom, IDC_COMPORT_BLOCK_SIZE));
    EXPECT_FALSE(Visible(hCom, IDC_COMPORT_DELIMITER));
}

TEST_F(PortUsePageTest, RetryBoxDrivesTheEngineRetry)
{
    set.m_nAutoRetry[1] = 1;
    set.m_nRetryPeriod[1] = 3000;
    set.m_nOptionValue[1] = 0;
    page.PutSettings(set);
    EXPECT_TRUE(Checked(hCom, IDC_COMPORT_RETRY));
    EXPECT_EQ("3000", Text(hCom, IDC_COMPORT_RETRY_PERIOD));
    EXPECT_TRUE(Enabled(hCom, IDC_COMPORT_RETRY_PERIOD));

    SetText(hCom, IDC_COMPORT_RETRY_PERIOD, "500");
    CCommSetRecord out = Taken();
    EXPECT_EQ(1, out.m_nAutoRetry[1]);
    EXPECT_EQ(500, out.m_nRetryPeriod[1]);
    EXPECT_EQ(500, out.m_nOptionValue[1]);

    Click(hCom, IDC_COMPORT_RETRY, false);
    EXPECT_FALSE(Enabled(hCom, IDC_COMPORT_RETRY_PERIOD));
    out.m_nRetryPeriod[1] = 700;
    page.TakeSettings(out);
    EXPECT_EQ(0, out.m_nAutoRetry[1]);
    EXPECT_EQ(0, out.m_nOptionValue[1]);
    EXPECT_EQ(700, out.m_nRetryPeriod[1]);

    page.PutSettings(out);
    EXPECT_FALSE(Checked(hCom, IDC_COMPORT_RETRY));
    EXPECT_EQ("0", Text(hCom, IDC_COMPORT_RETRY_PERIOD));
    EXPECT_FALSE(Enabled(hCom, IDC_COMPORT_RETRY_PERIOD));
}

TEST_F(PortUsePageTest, FlowControlDialogTakesItsValuesOnOkOnly)
{
    set.m_nDetailedFlow[1] = 1;
    set.fDtrControl[1] = 2;
    set.XonChar[1] = 0x11;
    set.XoffChar[1] = 0x13;
    page.PutSettings(set);
    EXPECT_TRUE(Enabled(hCom, IDC_COMPORT_FLOW_SETTINGS));
    ChooseListEntry(hCom, IDC_COMPORT_FLOW, 0);
    EXPECT_FALSE(Enabled(hCom, IDC_COMPORT_FLOW_SETTINGS));
    ChooseListEntry(hCom, IDC_COMPORT_FLOW, 1);

    std::string shownDtr, shownXon, afterG;
    {
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            shownDtr = Text(hDlg, IDC_FLOW_DTR_CONTROL);
            shownXon = Text(hDlg, IDC_FLOW_XON_CHAR);
            ::SendDlgItemMessageA(hDlg, IDC_FLOW_DTR_CONTROL, CB_SETCURSEL, 0, 0);
            SetText(hDlg, IDC_FLOW_XON_CHAR, "1A");
            DialogDriver::Post(hDlg, IDCANCEL);
        });
        Press(hCom, IDC_COMPORT_FLOW_SETTINGS);
        EXPECT_TRUE(driver.AllStepsRun());
    }
    EXPECT_EQ("DTR_CONTROL_HANDSHAKE", shownDtr);
    EXPECT_EQ("11", shownXon);
    CCommSetRecord out = Taken();
    EXPECT_EQ(2, out.fDtrControl[1]);
    EXPECT_EQ(0x11, out.XonChar[1]);
    EXPECT_EQ(2048, out.XonLim[1]);

    {
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            ::SendDlgItemMessageA(hDlg, IDC_FLOW_DTR_CONTROL, CB_SETCURSEL, 1, 0);
            ::SendDlgItemMessageA(hDlg, IDC_FLOW_INX, CB_SETCURSEL, 1, 0);
            SetText(hDlg, IDC_FLOW_XON_CHAR, "1");
            ::SendDlgItemMessageA(hDlg, IDC_FLOW_XON_CHAR, EM_SETSEL, 1, 1);
            ::SendDlgItemMessageA(hDlg, IDC_FLOW_XON_CHAR, WM_CHAR, 'A', 0);
            ::SendDlgItemMessageA(hDlg, IDC_FLOW_XON_CHAR, WM_CHAR, 'G', 0);
            afterG = Text(hDlg, IDC_FLOW_XON_CHAR);
            SetText(hDlg, IDC_FLOW_XOFF_CHAR, "");
            SetText(hDlg, IDC_FLOW_XON_LIM, "100");
            DialogDriver::Post(hDlg, IDOK);
        });
        Press(hCom, IDC_COMPORT_FLOW_SETTINGS);
        EXPECT_TRUE(driver.AllStepsRun());
    }
    EXPECT_EQ("1A", afterG);
    out = Taken();
    EXPECT_EQ(1, out.fDtrControl[1]);
    EXPECT_EQ(1, out.fInX[1]);
    EXPECT_EQ(0x1A, out.XonChar[1]);
    EXPECT_EQ(0, out.XoffChar[1]);
    EXPECT_EQ(100, out.XonLim[1]);
    EXPECT_EQ(2048, out.XoffLim[1]);
}
