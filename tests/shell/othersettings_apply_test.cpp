// The other-settings dialog with its three pages: where it opens (a COM editor's properties,
// the page last chosen), and what Apply changes at once: the frame's refreshes, the log font
// and the editors through the application's host, the menu animation, the saved settings.
#include "page_host_support.h"

#include "dialogdriver.h"
#include "hexeditcom.h"
#include "hexedithost.h"
#include "hexviewpage.h"
#include "othersettingdlg.h"
#include "othersettingsapply.h"
#include "othersettingsopen.h"
#include "popupbasewnd.h"
#include "shell_test_support.h"

using namespace settingstest;

namespace {

// The application's side of Apply, noted instead of carried out.
class RecordingHost : public IOtherSettingsHost {
public:
    void ApplyLogFont(const CAppSettings& settings) override { fonts.push_back(settings.m_nLogFont); }
    void ApplyEditorSettings(int nEditorIndex, const CAppSettings&) override { editors.push_back(nEditorIndex); }
    std::vector<int> fonts;
    std::vector<int> editors;
};

class OtherSettingsTest : public ::testing::Test {
protected:
    OtherSettingsTest()
    {
        UseTestProfile();
        SetAppSettingsDefaults(settings);
        settings.m_nTaskTray = 0;
        SetOtherSettingsHost(&host);
        savedAnimation = CUiPopupBaseWnd::g_nDefaultAnimation;
    }
    ~OtherSettingsTest() override
    {
        if (dlg.GetSafeHwnd() != NULL)
            dlg.DestroyWindow();
        SetOtherSettingsHost(nullptr);
        CUiPopupBaseWnd::g_nDefaultAnimation = savedAnimation;
    }

    HWND Open()
    {
        EXPECT_TRUE(dlg.Create(IDD_OTHER_SETTINGS, frame.wnd()));
        frame.Refreshes();
        return dlg.GetSafeHwnd();
    }
    HWND Page(int nIndex) { return dlg.GetPage(nIndex)->GetSafeHwnd(); }
    // The refreshes that one Apply posted.
    std::vector<WPARAM> ApplyAndRefreshes()
    {
        const size_t nBefore = frame.Refreshes().size();
        Press(dlg.GetSafeHwnd(), IDC_SETTINGS_APPLY);
        const std::vector<WPARAM> all = frame.Refreshes();
        return std::vector<WPARAM>(all.begin() + static_cast<long>(nBefore), all.end());
    }

    CAppSettings settings;
    RecordingHost host;
    RefreshRecorder frame;
    COtherSettingDlg dlg{settings, nullptr};
    int savedAnimation = 0;
};

// Opens the dialog for a hex editor's properties command, as the application does.
class DialogOpeningHost : public IHexEditHost {
public:
    DialogOpeningHost(CAppSettings& settings, CWnd* pFrame) : m_settings(settings), m_pFrame(pFrame) {}
    void SetSendEditorData(const COleSafeArray&) override {}
    void ShowOtherSettings(CWnd*, int nStartPage, int nEditorIndex) override
    {
        RunOtherSettingsDialog(m_settings, m_pFrame, nStartPage, nEditorIndex);
    }

private:
    CAppSettings& m_settings;
    CWnd* m_pFrame;
};

// The dialog is shown once its three pages, dialogs of their own, are made.
const int kDialogDepth = 1 + COtherSettingDlg::kPageCount;

} // namespace

TEST_F(OtherSettingsTest, AComEditorOfPort2OpensTheEditorPageAtItsRecordOwnedByTheFrame)
{
    settings.m_editor[CAppSettings::EditorCom2].nFont = 2;
    settings.m_editor[CAppSettings::EditorCom2].nMode = 1;
    DialogOpeningHost opener(settings, frame.wnd());
    SetHexEditHost(&opener);
    // The editor sits in a pane window of its own, as in a COM control pane.
    CWnd pane;
    pane.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), frame.wnd(), 1);
    CHexEditCom editor;
    editor.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &pane, 2);
    editor.m_nPortIndex = 1;

    DialogDriver driver;
    HWND hOwner = NULL;
    std::string editorChoice, font, grouping;
    int nShownPage = -1;
    driver.Step(kDialogDepth, [&](HWND hDlg) {
        hOwner = ::GetWindow(hDlg, GW_OWNER);
        COtherSettingDlg* pDlg = static_cast<COtherSettingDlg*>(CWnd::FromHandlePermanent(hDlg));
        nShownPage = pDlg->GetShownPage();
        HWND hPage = pDlg->GetPage(COtherSettingDlg::PageHexView)->GetSafeHwnd();
        editorChoice = SelectedText(hPage, IDC_HEXVIEW_EDITOR_CHOICE);
        font = SelectedText(hPage, IDC_HEXVIEW_FONT);
        grouping = SelectedText(hPage, IDC_HEXVIEW_GROUPING);
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_PROPERTIES, 0);
    SetHexEditHost(nullptr);
    EXPECT_FALSE(driver.timedOut);
    ASSERT_FALSE(driver.captions.empty());
    EXPECT_EQ("その他の設定", driver.captions.back());
    EXPECT_EQ(frame.hwnd(), hOwner);
    EXPECT_EQ(COtherSettingDlg::PageHexView, nShownPage);
    EXPECT_EQ("COM制御2", editorChoice);
    EXPECT_EQ("16", font);
    EXPECT_EQ("2 Byte", grouping);
    editor.DestroyWindow();
    pane.DestroyWindow();
}

TEST_F(OtherSettingsTest, TheFramesNextOpeningStartsAtThePageLastChosen)
{
    HWND hDlg = Open();
    ASSERT_TRUE(SelectTreeItem(hDlg, "ﾛｸﾞ"));
    dlg.DestroyWindow();

    DialogDriver driver;
    int nShownPage = -1;
    bool bLogPageVisible = false;
    driver.Step(kDialogDepth, [&](HWND hShown) {
        COtherSettingDlg* pDlg = static_cast<COtherSettingDlg*>(CWnd::FromHandlePermanent(hShown));
        nShownPage = pDlg->GetShownPage();
        bLogPageVisible = pDlg->GetPage(COtherSettingDlg::PageLogSave)->IsWindowVisible() != FALSE;
        DialogDriver::Post(hShown, IDCANCEL);
    });
    RunOtherSettingsDialog(settings, frame.wnd(), kOtherSettingsLastPage);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ(COtherSettingDlg::PageLogSave, nShownPage);
    EXPECT_TRUE(bLogPageVisible);
}

TEST_F(OtherSettingsTest, ApplyPostsTheRefreshesOfWhatChanged)
{
    Open();
    // Nothing changed: only the title.
    EXPECT_EQ(std::vector<WPARAM>{3}, ApplyAndRefreshes());
    EXPECT_TRUE(host.fonts.empty());
    EXPECT_TRUE(host.editors.empty());

    ChooseListEntry(Page(COtherSettingDlg::PageToolbar), IDC_TOOLBARPAGE_SIZE, 1 - settings.m_nToolSize);
    EXPECT_EQ((std::vector<WPARAM>{1, 3}), ApplyAndRefreshes());

    ::SetDlgItemTextA(Page(COtherSettingDlg::PageLogSave), IDC_LOGSAVE_MAX, "777");
    EXPECT_EQ((std::vector<WPARAM>{0, 3}), ApplyAndRefreshes());
    EXPECT_EQ(777, settings.m_nMaxLog);

    // The tray mode takes effect when the frame sets its title again on the last refresh.
    ChooseListEntry(Page(COtherSettingDlg::PageToolbar), IDC_TOOLBARPAGE_TRAY, 1);
    EXPECT_EQ(std::vector<WPARAM>{3}, ApplyAndRefreshes());
    EXPECT_EQ(1, settings.m_nTaskTray);
}

TEST_F(OtherSettingsTest, ApplyHandsTheLogFontAndOnlyTheChangedEditorToTheApplication)
{
    Open();
    ChooseListEntry(Page(COtherSettingDlg::PageLogSave), IDC_LOGSAVE_FONT, 3);
    ApplyAndRefreshes();
    EXPECT_EQ(std::vector<int>{3}, host.fonts);
    EXPECT_TRUE(host.editors.empty());

    HWND hHex = Page(COtherSettingDlg::PageHexView);
    ChooseListEntry(hHex, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorSend);
    Click(hHex, IDC_HEXVIEW_HEADER, !settings.m_editor[CAppSettings::EditorSend].nHead);
    ApplyAndRefreshes();
    EXPECT_EQ(std::vector<int>{CAppSettings::EditorSend}, host.editors);
    EXPECT_EQ(std::vector<int>{3}, host.fonts);

    ChooseListEntry(hHex, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorCom1);
    ChooseListEntry(hHex, IDC_HEXVIEW_CHAR_CODE, 4);
    ChooseListEntry(hHex, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorDump);
    ChooseListEntry(hHex, IDC_HEXVIEW_GROUPING, 2);
    host.editors.clear();
    ApplyAndRefreshes();
    EXPECT_EQ((std::vector<int>{CAppSettings::EditorDump, CAppSettings::EditorCom1}), host.editors);
}

TEST_F(OtherSettingsTest, ApplyMakesTheAnimationTheMenusDefaultAndSavesTheSettings)
{
    Open();
    CUiPopupBaseWnd::g_nDefaultAnimation = 0;
    ChooseListEntry(Page(COtherSettingDlg::PageToolbar), IDC_TOOLBARPAGE_MENU_EFFECT, 7);
    ::SetDlgItemTextA(Page(COtherSettingDlg::PageLogSave), IDC_LOGSAVE_PREFIX, "night");
    ApplyAndRefreshes();
    EXPECT_EQ(7, CUiPopupBaseWnd::g_nDefaultAnimation);

    CAppSettings saved;
    LoadAppSettings(saved);
    EXPECT_EQ(7, saved.m_nMenuEffect);
    EXPECT_STREQ("night", saved.m_strFilePrefix);
}

TEST_F(OtherSettingsTest, CancelAfterApplyKeepsWhatApplyWroteAndDropsTheRest)
{
    Open();
    HWND hHex = Page(COtherSettingDlg::PageHexView);
    ChooseListEntry(hHex, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorCom2);
    ChooseListEntry(hHex, IDC_HEXVIEW_FONT, 3);
    ApplyAndRefreshes();
    ChooseListEntry(hHex, IDC_HEXVIEW_FONT, 1);
    Press(dlg.GetSafeHwnd(), IDCANCEL);
    EXPECT_EQ(3, settings.m_editor[CAppSettings::EditorCom2].nFont);
}
