// The tools and the About box as the main window opens them: the tool commands belong to the
// frame and stay enabled whatever the ports do; the About command belongs to the application
// object, which the frame's routing reaches after its own map, from the menu and the toolbar.
#include <gtest/gtest.h>

#include "appsettings.h"
#include "currentcommset.h"
#include "dialogdriver.h"
#include "fakeserial.h"
#include "mainframe.h"
#include "pane_test_tools.h"
#include "resource.h"
#include "shell_test_support.h"
#include "winharness.h"

#include <functional>
#include <string>

namespace {

// What the test saw of the one dialog a command opened.
struct OpenedDialog {
    std::string caption;
    HWND hOwner = NULL;
    bool frameDisabled = false;
    std::string version;
};

class ToolCommandsTest : public ::testing::Test {
protected:
    ToolCommandsTest()
    {
        EXPECT_TRUE(theApp.InitInstance());
        frame = theApp.GetMainFrame();
        winharness::PumpPending();
    }

    ~ToolCommandsTest() override
    {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        winharness::PumpPending();
    }

    bool Enabled(UINT nId) { return panetest::CommandEnabled(frame, nId); }

    // Runs `open` and notes the dialog it shows, which the step then closes; `open` returns
    // only once the dialog has ended, as a modal dialog's caller does.
    OpenedDialog OpenAndClose(const std::function<void()>& open)
    {
        OpenedDialog seen;
        int opened = 0;
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            seen.caption = DialogDriver::WindowText(hDlg);
            seen.hOwner = ::GetWindow(hDlg, GW_OWNER);
            seen.frameDisabled = !::IsWindowEnabled(frame->GetSafeHwnd());
            seen.version = DialogDriver::Text(hDlg, IDC_ABOUT_VERSION);
            ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        driver.onInit = [&](HWND) { ++opened; };
        open();
        EXPECT_FALSE(driver.timedOut);
        EXPECT_EQ(1, opened);
        EXPECT_EQ(0, driver.Depth()) << "the command returned while its dialog was still open";
        return seen;
    }

    void MenuCommand(UINT nId) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(nId, 0), 0); }

    int ToolBarIndex(UINT nId)
    {
        for (int i = 0; i < frame->ToolBar().GetButtonsCount(); i++) {
            if (frame->ToolBar().GetButtonID(i) == nId)
                return i;
        }
        return -1;
    }

    // A click on the button, as the user makes it.
    void ClickToolBar(UINT nId)
    {
        CUiToolControlBar& bar = frame->ToolBar();
        int nIndex = ToolBarIndex(nId);
        ASSERT_LE(0, nIndex);
        ASSERT_TRUE(bar.GetButton(nIndex)->IsVisible());
        CPoint pt = bar.GetButton(nIndex)->GetRect().CenterPoint();
        CPoint ptScreen(pt);
        bar.ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        winharness::SendMouse(bar.GetSafeHwnd(), WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
        winharness::SendMouse(bar.GetSafeHwnd(), WM_LBUTTONUP, pt.x, pt.y, 0);
    }

    // What the button hands on when pressed: the last buttons of the default toolbar may sit
    // behind its chevron, where a click cannot reach them.
    void PressToolBarButton(UINT nId)
    {
        int nIndex = ToolBarIndex(nId);
        ASSERT_LE(0, nIndex);
        frame->ToolBar().GetButton(nIndex)->OnDeliverCmd();
    }

    ProgramHome home;
    CMainFrame* frame = nullptr;
};

TEST_F(ToolCommandsTest, ToolsOpenModallyOverTheFrameAndStayEnabledWhilePortsRun)
{
    ASSERT_NE(nullptr, frame);
    const struct { UINT id; const char* caption; } tools[] = {
        {ID_FRAME_COM_TOOL, "COMツール"}, {ID_FRAME_COMMAND_TOOL, "コマンド発行ツール"}};
    ASSERT_NE(nullptr, frame->MenuBar().GetBarMenu());
    for (const auto& tool : tools) {
        EXPECT_NE((UINT)-1, frame->MenuBar().GetBarMenu()->GetMenuState(tool.id, MF_BYCOMMAND)) << tool.id;
        EXPECT_TRUE(Enabled(tool.id)) << tool.id;
        OpenedDialog seen = OpenAndClose([&] { MenuCommand(tool.id); });
        EXPECT_EQ(tool.caption, seen.caption);
        EXPECT_EQ(frame->GetSafeHwnd(), seen.hOwner) << tool.id;
        EXPECT_TRUE(seen.frameDisabled) << tool.id;
        EXPECT_TRUE(::IsWindowEnabled(frame->GetSafeHwnd())) << tool.id;
    }

    // A running port disables the log and settings-file commands; the tools stay.
    FakeSerial serial;
    serial.AddDevice("\\\\.\\COM1");
    CCommSetRecord& set = GetCurrentCommSet();
    set.m_nInUse[0] = 1;
    set.m_nCommType[0] = CCommSetRecord::kCommTypeSerial;
    set.m_nComIndex[0] = 0;
    frame->SetFrameTitle();
    frame->OnCmdMsg(ID_PORT1_START, CN_COMMAND, NULL, NULL);
    ASSERT_TRUE(winharness::PumpUntil([&] { return Enabled(ID_PORT1_SEND); }));
    ASSERT_FALSE(Enabled(ID_FRAME_LOAD_LOG));
    EXPECT_TRUE(Enabled(ID_FRAME_COM_TOOL));
    EXPECT_TRUE(Enabled(ID_FRAME_COMMAND_TOOL));
    EXPECT_EQ("コマンド発行ツール", OpenAndClose([&] { ClickToolBar(ID_FRAME_COMMAND_TOOL); }).caption);
    frame->OnCmdMsg(ID_PORT1_STOP, CN_COMMAND, NULL, NULL);
    EXPECT_TRUE(winharness::PumpUntil([&] { return Enabled(ID_PORT1_START); }));
}

TEST_F(ToolCommandsTest, AboutBoxComesFromTheApplicationObjectByMenuAndToolBar)
{
    ASSERT_NE(nullptr, frame);
    // The frame's own map leaves the command to the application, which the routing asks next.
    AFX_CMDHANDLERINFO info = {};
    EXPECT_FALSE(frame->CWnd::OnCmdMsg(ID_FRAME_ABOUT, CN_COMMAND, NULL, &info));
    ASSERT_TRUE(frame->OnCmdMsg(ID_FRAME_ABOUT, CN_COMMAND, NULL, &info));
    EXPECT_EQ(static_cast<CCmdTarget*>(&theApp), info.pTarget);
    EXPECT_TRUE(Enabled(ID_FRAME_ABOUT));

    const std::string version = "Korvane Version " + std::string(GetProgramFileVersion());
    OpenedDialog byMenu = OpenAndClose([&] { MenuCommand(ID_FRAME_ABOUT); });
    EXPECT_EQ("Korvane Version Infomation", byMenu.caption);
    EXPECT_EQ(version, byMenu.version);
    EXPECT_EQ(frame->GetSafeHwnd(), byMenu.hOwner);
    EXPECT_TRUE(byMenu.frameDisabled);

    OpenedDialog byToolBar = OpenAndClose([&] { PressToolBarButton(ID_FRAME_ABOUT); });
    EXPECT_EQ("Korvane Version Infomation", byToolBar.caption);
    EXPECT_EQ(version, byToolBar.version);
    EXPECT_EQ(frame->GetSafeHwnd(), byToolBar.hOwner);
    EXPECT_TRUE(byToolBar.frameDisabled);
    EXPECT_TRUE(::IsWindowEnabled(frame->GetSafeHwnd()));
}

}  // namespace
