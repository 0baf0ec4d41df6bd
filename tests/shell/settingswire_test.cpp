// The settings dialogs as the running program opens them: the frame's two commands, the log
// view's properties and the editors' (through the application), all owned by the main frame;
// and what an Apply of the other settings reaches in the frame: the log view's font, the one
// editor whose display changed, the title refresh with the notification-area icon.
// The frame's header first: it declares the refresh message that the settings headers define
// only when it is not yet there.
#include "mainframe.h"
#include "page_host_support.h"

#include "appsettings.h"
#include "commsettingdlg.h"
#include "currentcommset.h"
#include "dialogdriver.h"
#include "logview.h"
#include "othersettingdlg.h"
#include "shell_test_support.h"
#include "shellopen.h"

#include <string>
#include <vector>

using namespace settingstest;

namespace {

std::vector<DWORD> g_trayMessages;

BOOL WINAPI RecordTray(DWORD dwMessage, PNOTIFYICONDATAA)
{
    g_trayMessages.push_back(dwMessage);
    return TRUE;
}

// A settings dialog is shown once its pages, dialogs of their own, are made: the eight pages
// of the communication settings and the COM port page inside each port-use page.
const int kCommDialogDepth = 1 + CCommSettingDlg::kPageCount + 2;
const int kOtherDialogDepth = 1 + COtherSettingDlg::kPageCount;

template <class T> T* DialogOf(HWND hDlg)
{
    return dynamic_cast<T*>(CWnd::FromHandlePermanent(hDlg));
}

int TreeImage(HWND hDlg, const std::string& text)
{
    for (const TreeRow& row : Tree(hDlg)) {
        if (row.text == text)
            return row.image;
    }
    return -1;
}

int FontHeight(CWnd* pWnd)
{
    LOGFONTA lf = {};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(pWnd->SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    return lf.lfHeight;
}

class SettingsWireTest : public ::testing::Test {
protected:
    SettingsWireTest()
    {
        g_trayMessages.clear();
        SetShellNotifyIconProc(RecordTray);
        EXPECT_TRUE(theApp.InitInstance());
        frame = theApp.GetMainFrame();
        winharness::PumpPending();
    }

    ~SettingsWireTest() override
    {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd())) {
            frame->m_bRunning[0] = frame->m_bRunning[1] = 0;
            frame->DestroyWindow();
        }
        winharness::PumpPending();
        SetShellNotifyIconProc(NULL);
    }

    void Command(UINT nId) { frame->OnCmdMsg(nId, CN_COMMAND, NULL, NULL); }

    ProgramHome home;
    CMainFrame* frame = nullptr;
};

CString WindowTitle(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return str;
}

} // namespace

TEST_F(SettingsWireTest, CommSettingsKnowARunningPortAndComeBackAtThePageLeftWithOk)
{
    ASSERT_NE(nullptr, frame);
    frame->m_bRunning[1] = 1;
    DialogDriver driver;
    int nFirstPage = -1, nLockedImage = -1;
    HWND hOwner = NULL;
    driver.Step(kCommDialogDepth, [&](HWND hDlg) {
        CCommSettingDlg* pDlg = DialogOf<CCommSettingDlg>(hDlg);
        nFirstPage = pDlg->GetShownPage();
        nLockedImage = TreeImage(hDlg, "ポート２");
        hOwner = ::GetWindow(hDlg, GW_OWNER);
        SetText(pDlg->GetPage(CCommSettingDlg::PageCommSet)->GetSafeHwnd(), IDC_COMMSET_NAME, "Bench");
        SelectTreeItem(hDlg, "拡張(ポート２)");
        DialogDriver::Post(hDlg, IDOK);
    });
    Command(ID_FRAME_COMM_SETTINGS);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ(CCommSettingDlg::PageCommSet, nFirstPage);
    EXPECT_EQ(CSettingsDlgBase::ImageLocked, nLockedImage);
    EXPECT_EQ(frame->GetSafeHwnd(), hOwner);
    // The title follows the name at once, before any posted refresh is handled.
    EXPECT_STREQ("Bench - Korvane", WindowTitle(frame));

    frame->m_bRunning[1] = 0;
    int nSecondPage = -1, nOpenImage = -1;
    driver.Step(kCommDialogDepth, [&](HWND hDlg) {
        nSecondPage = DialogOf<CCommSettingDlg>(hDlg)->GetShownPage();
        nOpenImage = TreeImage(hDlg, "ポート２");
        // Apply notes the page shown; Cancel must still not hand it to the frame.
        SelectTreeItem(hDlg, "ログ");
        Press(hDlg, IDC_SETTINGS_APPLY);
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    Command(ID_FRAME_COMM_SETTINGS);
    EXPECT_EQ(CCommSettingDlg::PageDll2, nSecondPage);
    EXPECT_EQ(CSettingsDlgBase::ImagePage, nOpenImage);

    int nThirdPage = -1;
    driver.Step(kCommDialogDepth, [&](HWND hDlg) {
        nThirdPage = DialogOf<CCommSettingDlg>(hDlg)->GetShownPage();
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    Command(ID_FRAME_COMM_SETTINGS);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_EQ(CCommSettingDlg::PageDll2, nThirdPage);
}

// The dialog is handed the frame's set-modified mark and gives it back on OK: the set
// counts as modified once settings were applied to it; a cancelled visit changes nothing.
TEST_F(SettingsWireTest, TheSetModifiedMarkGoesIntoTheDialogAndComesBackWithOk)
{
    ASSERT_NE(nullptr, frame);
    DialogDriver driver;
    std::vector<int> handed;
    auto Visit = [&](int nFrameMark, UINT nButton) {
        frame->m_bSetModified = nFrameMark;
        driver.Step(kCommDialogDepth, [&, nButton](HWND hDlg) {
            handed.push_back(DialogOf<CCommSettingDlg>(hDlg)->m_bSetModified);
            DialogDriver::Post(hDlg, nButton);
        });
        Command(ID_FRAME_COMM_SETTINGS);
        return frame->m_bSetModified;
    };
    EXPECT_EQ(0, Visit(0, IDCANCEL));
    EXPECT_EQ(1, Visit(0, IDOK));
    EXPECT_EQ(1, Visit(1, IDCANCEL));
    EXPECT_EQ((std::vector<int>{0, 0, 1}), handed);
    EXPECT_FALSE(driver.timedOut);
}

TEST_F(SettingsWireTest, OtherSettingsOpenAtTheOpenersPageAndAreAlwaysOwnedByTheFrame)
{
    ASSERT_NE(nullptr, frame);
    DialogDriver driver;
    struct Opening {
        HWND hOwner = NULL;
        int nPage = -1;
        std::string editorChoice;
    } fromPane, fromFrame, fromLog;
    auto note = [](Opening& o, HWND hDlg) {
        COtherSettingDlg* pDlg = DialogOf<COtherSettingDlg>(hDlg);
        o.hOwner = ::GetWindow(hDlg, GW_OWNER);
        o.nPage = pDlg->GetShownPage();
        o.editorChoice = SelectedText(pDlg->GetPage(COtherSettingDlg::PageHexView)->GetSafeHwnd(),
                                      IDC_HEXVIEW_EDITOR_CHOICE);
    };
    driver.Step(kOtherDialogDepth, [&](HWND hDlg) {
        note(fromPane, hDlg);
        SelectTreeItem(hDlg, "ﾛｸﾞ");
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    theApp.ShowOtherSettings(&frame->ComPane(1), COtherSettingDlg::PageHexView, CAppSettings::EditorCom2);
    EXPECT_EQ(frame->GetSafeHwnd(), fromPane.hOwner);
    EXPECT_EQ(COtherSettingDlg::PageHexView, fromPane.nPage);
    EXPECT_EQ("COM制御2", fromPane.editorChoice);

    driver.Step(kOtherDialogDepth, [&](HWND hDlg) {
        note(fromFrame, hDlg);
        SelectTreeItem(hDlg, "ｴﾃﾞｨﾀ");
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    Command(ID_FRAME_OTHER_SETTINGS);
    EXPECT_EQ(frame->GetSafeHwnd(), fromFrame.hOwner);
    EXPECT_EQ(COtherSettingDlg::PageLogSave, fromFrame.nPage);
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ", fromFrame.editorChoice);

    driver.Step(kOtherDialogDepth, [&](HWND hDlg) {
        note(fromLog, hDlg);
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    frame->GetLogView()->SendMessage(WM_COMMAND, CLogview::kPropertiesCommand, 0);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_EQ(frame->GetSafeHwnd(), fromLog.hOwner);
    EXPECT_EQ(COtherSettingDlg::PageLogSave, fromLog.nPage);
}

TEST_F(SettingsWireTest, OtherSettingsApplyReachesTheLogViewTheChangedEditorAndTheTrayAtOnce)
{
    ASSERT_NE(nullptr, frame);
    ASSERT_EQ(0, GetAppSettings().m_nTaskTray);
    const int nOldFont = FontHeight(frame->GetLogView());
    const short nComGroups = frame->ComPane(0).GetEditor().GetModel().m_nGroupDigits;
    const short nDumpGroups = frame->DetailPane().GetEditor().GetModel().m_nGroupDigits;
    ASSERT_NE(8, frame->SendPane().GetEditor().GetModel().m_nGroupDigits);
    const int nOldToolSize = GetAppSettings().m_nToolSize;
    CRect toolBarBefore;
    frame->ToolBar().GetWindowRect(&toolBarBefore);

    DialogDriver driver;
    int nFontAfterApply = 0, nSendGroupsAfterApply = 0;
    driver.Step(kOtherDialogDepth, [&](HWND hDlg) {
        COtherSettingDlg* pDlg = DialogOf<COtherSettingDlg>(hDlg);
        HWND hToolbarPage = pDlg->GetPage(COtherSettingDlg::PageToolbar)->GetSafeHwnd();
        ChooseListEntry(hToolbarPage, IDC_TOOLBARPAGE_TRAY, 1);
        ChooseListEntry(hToolbarPage, IDC_TOOLBARPAGE_SIZE, 1 - nOldToolSize);
        HWND hLog = pDlg->GetPage(COtherSettingDlg::PageLogSave)->GetSafeHwnd();
        const int nFont = static_cast<int>(::SendDlgItemMessageA(hLog, IDC_LOGSAVE_FONT, CB_GETCURSEL, 0, 0));
        ChooseListEntry(hLog, IDC_LOGSAVE_FONT, nFont == 0 ? 3 : 0);
        ChooseListEntry(pDlg->GetPage(COtherSettingDlg::PageHexView)->GetSafeHwnd(), IDC_HEXVIEW_GROUPING, 2);
        Press(hDlg, IDC_SETTINGS_APPLY);
        nFontAfterApply = FontHeight(frame->GetLogView());
        nSendGroupsAfterApply = frame->SendPane().GetEditor().GetModel().m_nGroupDigits;
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    Command(ID_FRAME_OTHER_SETTINGS);
    winharness::PumpPending();
    EXPECT_FALSE(driver.timedOut);
    EXPECT_NE(nOldFont, nFontAfterApply);
    EXPECT_EQ(8, nSendGroupsAfterApply);
    EXPECT_EQ(nComGroups, frame->ComPane(0).GetEditor().GetModel().m_nGroupDigits);
    EXPECT_EQ(nDumpGroups, frame->DetailPane().GetEditor().GetModel().m_nGroupDigits);
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD}), g_trayMessages);
    EXPECT_TRUE(frame->m_bTrayAdded);
    // A new toolbar size waits for the next start.
    CRect toolBarAfter;
    frame->ToolBar().GetWindowRect(&toolBarAfter);
    EXPECT_EQ(toolBarBefore.Size(), toolBarAfter.Size());
    EXPECT_EQ(1 - nOldToolSize, GetAppSettings().m_nToolSize);
}
