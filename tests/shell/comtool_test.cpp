// The COM tool as a dialog on its template: the report of a port through the scripted serial
// device, each failing step, and the real road to a port that does not exist.
#include <gtest/gtest.h>

#include <string>

#include "comtooldlg.h"
#include "dialogdriver.h"
#include "fakeserial.h"
#include "resource.h"
#include "serialapi.h"
#include "shell_test_support.h"

namespace {

const std::string kRule = "#######################################\r\n";

std::string Header(const char* port)
{
    return kRule + "# Default Status [" + port + "]\r\n" + kRule + "\r\n";
}

// Opens the tool, chooses the port, presses the run button `presses` times and returns the
// report each press left.
std::vector<std::string> RunTool(int comIndex, int presses = 1, std::string* initial = nullptr)
{
    std::vector<std::string> reports;
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        if (initial)
            *initial = ControlText(hDlg, IDC_COMTOOL_REPORT);
        ::SendDlgItemMessageA(hDlg, IDC_COMTOOL_PORT, CB_SETCURSEL, comIndex, 0);
        for (int i = 0; i < presses; ++i) {
            DialogDriver::Press(hDlg, IDOK);
            reports.push_back(ControlText(hDlg, IDC_COMTOOL_REPORT));
        }
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    CComToolDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.timedOut);
    return reports;
}

class ComToolTest : public ::testing::Test {
protected:
    ComToolTest() : device(fake.AddDevice("\\\\.\\COM12"))
    {
        COMMPROP prop = {};
        prop.wPacketLength = 0x40;
        prop.dwMaxBaud = BAUD_USER;
        prop.dwProvSubType = PST_RS232;
        device.SetProperties(prop);
        DCB dcb = {};
        dcb.DCBlength = sizeof(DCB);
        dcb.BaudRate = 19200;
        dcb.XonChar = 0x11;
        device.SetDriverDcb(dcb);
        device.SetDriverMask(EV_RXCHAR | EV_CTS);
        device.SetModemStatus(MS_CTS_ON | MS_DSR_ON);
    }

    FakeSerial fake;
    FakeSerialDevice& device;
};

} // namespace

TEST_F(ComToolTest, ReportsEveryStepOfTheChosenPort)
{
    std::string initial;
    const std::vector<std::string> reports = RunTool(11, 1, &initial);
    EXPECT_EQ("COMポートのデフォルト設定を取得して表示します。", initial);
    ASSERT_EQ(1u, reports.size());
    const std::string& text = reports[0];

    // COM12 is opened by its device-namespace name, read and write, unshared, overlapped.
    const std::vector<std::string> opens = fake.Calls({"CreateFileA"});
    ASSERT_EQ(1u, opens.size());
    EXPECT_EQ(0u, opens[0].find("CreateFileA \\\\.\\COM12 0xC0000000 0x0 0x3 0x40000000")) << opens[0];

    EXPECT_EQ(0u, text.find(Header("COM12") + kRule + "# GetCommProperties\r\n" + kRule + "--- COMMPROP ---\r\n"));
    EXPECT_NE(std::string::npos, text.find("[○]BAUD_USER\r\n"));
    EXPECT_NE(std::string::npos, text.find(kRule + "# GetCommState\r\n" + kRule + "--- DCB ---\r\n"));
    EXPECT_NE(std::string::npos, text.find("[00004B00]:BaudRate "));
    const std::string tail = kRule + "# GetCommMask\r\n" + kRule + "GetCommMask = [00000009]\r\n\r\n" + kRule +
                             "# GetCommModemStatus\r\n" + kRule + "GetCommModemStatus = [00000030]\r\n\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(ComToolTest, AFailingStepEndsTheReportAndClosesThePort)
{
    fake.FailOnce("GetCommModemStatus", ERROR_NOT_SUPPORTED);
    std::string text = RunTool(11).at(0);
    const std::string modemError = "GetCommModemStatus Error [50]\r\n";
    ASSERT_GE(text.size(), modemError.size());
    EXPECT_EQ(modemError, text.substr(text.size() - modemError.size()));
    EXPECT_NE(std::string::npos, text.find("GetCommMask = [00000009]\r\n"));
    EXPECT_FALSE(device.IsOpen());

    // A failing state skips the mask and the modem status, and the port is still closed.
    fake.ClearCalls();
    fake.FailOnce("GetCommState", ERROR_GEN_FAILURE);
    text = RunTool(11).at(0);
    const std::string stateError = "GetCommState Error [31]\r\n";
    EXPECT_EQ(stateError, text.substr(text.size() - stateError.size()));
    EXPECT_EQ(std::string::npos, text.find("GetCommMask"));
    EXPECT_EQ(std::vector<std::string>({"GetCommProperties", "GetCommState", "CloseHandle"}),
              fake.Calls({"GetCommProperties", "GetCommState", "GetCommMask", "GetCommModemStatus", "CloseHandle"}));
    EXPECT_FALSE(device.IsOpen());

    fake.FailOnce("GetCommProperties", ERROR_ACCESS_DENIED);
    text = RunTool(11).at(0);
    EXPECT_EQ(Header("COM12") + "GetCommProperties Error [5]\r\n", text);
    EXPECT_FALSE(device.IsOpen());
}

TEST(ComToolRealPort, AnAbsentPortReportsTheOpenErrorAndASecondPressReplacesIt)
{
    ResetSerialApi();
    const std::vector<std::string> reports = RunTool(15, 2);
    ASSERT_EQ(2u, reports.size());
    const std::string header = Header("COM16");
    ASSERT_EQ(0u, reports[0].find(header + "Open Error [")) << reports[0];
    const std::string rest = reports[0].substr(header.size() + 12);
    const int error = std::atoi(rest.c_str());
    EXPECT_NE(0, error);
    EXPECT_EQ(header + "Open Error [" + std::to_string(error) + "]\r\n", reports[0]);
    EXPECT_EQ(reports[0], reports[1]);
}

TEST_F(ComToolTest, TheReportFollowsTheDialogsSize)
{
    SIZE report = {}, client = {};
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        report = ResizedControl(hDlg, IDC_COMTOOL_REPORT, 700, 500);
        client = ClientSize(hDlg);
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    CComToolDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(client.cx - 16, report.cx);
    EXPECT_EQ(client.cy - 44, report.cy);
}
