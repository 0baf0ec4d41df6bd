// The hex view, log-save and toolbar pages on their templates: the four editor records with
// the live sample, the log size and saving rule with the folder choice, and the menu
// animations.
#include "page_host_support.h"

#include "appsettings.h"
#include "hexviewpage.h"
#include "logsavepage.h"
#include "messagetext.h"
#include "othersettingsapply.h"
#include "resource.h"
#include "toolbarpage.h"

#include <shlobj.h>

#include <climits>

using namespace settingstest;

namespace {

class OtherPagesTest : public PageHost {
protected:
    OtherPagesTest()
    {
        SetAppSettingsDefaults(settings);
        // Four records that differ in every field, to see each go back to its own block.
        for (int i = 0; i < CAppSettings::EditorCount; ++i) {
            CEditorDisplaySettings& e = settings.m_editor[i];
            e.nAscii = i % 2;
            e.nAddrCheck = 1 - i % 2;
            e.nAddrDigits = 0;
            e.nMode = 0;
            e.clrBack = RGB(200, 200, 200 + i);
            e.clrText = RGB(0, 0, i);
            e.nFont = i;
            e.nHead = i % 2;
            e.nTextCode = i;
        }
    }
    CAppSettings settings;
};

TEST_F(OtherPagesTest, HexViewKeepsEachEditorsChangesAndTakesAllFour)
{
    CHexViewPage page(&host);
    page.m_nEditorIndex = CAppSettings::EditorCom2;
    page.PutSettings(settings);
    EXPECT_EQ("COM制御2", SelectedText(page.m_hWnd, IDC_HEXVIEW_EDITOR_CHOICE));
    EXPECT_EQ("18", SelectedText(page.m_hWnd, IDC_HEXVIEW_FONT));
    EXPECT_EQ("EUC", SelectedText(page.m_hWnd, IDC_HEXVIEW_CHAR_CODE));
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_HEXVIEW_CHARACTERS));
    EXPECT_EQ(RGB(200, 200, 203), page.m_backColor.GetColor());

    // Record 3: grouping and font; then record 0: header and text colour.
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_GROUPING, 2);
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_FONT, 1);
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorSend);
    EXPECT_EQ("12", SelectedText(page.m_hWnd, IDC_HEXVIEW_FONT));
    EXPECT_EQ("1 Byte", SelectedText(page.m_hWnd, IDC_HEXVIEW_GROUPING));
    Click(page.m_hWnd, IDC_HEXVIEW_HEADER, true);
    winharness::ScriptedPrompts prompts;
    prompts.colorAnswers = {0x00AA55};
    Notify(page.m_hWnd, IDC_HEXVIEW_TEXT_COLOR, BN_CLICKED);
    EXPECT_EQ(0x00AA55u, page.m_sample.GetModel().m_crText);

    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorCom2);
    EXPECT_EQ("4 Byte", SelectedText(page.m_hWnd, IDC_HEXVIEW_GROUPING));
    EXPECT_EQ("14", SelectedText(page.m_hWnd, IDC_HEXVIEW_FONT));
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_EDITOR_CHOICE, CAppSettings::EditorSend);
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_HEXVIEW_HEADER));

    CAppSettings taken;
    SetAppSettingsDefaults(taken);
    EXPECT_EQ(0, page.TakeSettings(taken));
    CEditorDisplaySettings expected[4];
    for (int i = 0; i < 4; ++i)
        expected[i] = settings.m_editor[i];
    expected[0].nHead = 1;
    expected[0].clrText = 0x00AA55;
    expected[3].nMode = 2;
    expected[3].nFont = 1;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameEditorDisplay(expected[i], taken.m_editor[i])) << "record " << i;
    page.DestroyWindow();
}

TEST_F(OtherPagesTest, TheSampleHoldsTheFirst128BytesReadOnlyAndFollowsTheRecord)
{
    CHexViewPage page(&host);
    page.PutSettings(settings);
    COleSafeArray data = page.m_sample.GetData();
    long nUpper = -1;
    data.GetUBound(1, &nUpper);
    ASSERT_EQ(0x7F, nUpper);
    for (long i = 0; i <= nUpper; ++i) {
        BYTE b = 0xFF;
        data.GetElement(&i, &b);
        ASSERT_EQ(static_cast<BYTE>(i), b);
    }
    EXPECT_FALSE(page.m_sample.IsEditable());

    const HexEditModel& model = page.m_sample.GetModel();
    const int nCodeBefore = model.m_nCharCode;
    EXPECT_EQ(2, model.m_nGroupDigits);
    EXPECT_EQ(4, model.m_nAddressDigits);
    EXPECT_EQ(12, model.m_nFontHeight);
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_GROUPING, 2);   // "4 Byte"
    EXPECT_EQ(8, model.m_nGroupDigits);
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_ADDRESS_DIGITS, 1);   // "8桁"
    EXPECT_EQ(8, model.m_nAddressDigits);
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_FONT, 3);
    EXPECT_EQ(18, model.m_nFontHeight);
    Click(page.m_hWnd, IDC_HEXVIEW_ADDRESS, false);
    EXPECT_FALSE(model.m_bShowAddress);
    // The character code is kept for the editor, not shown on the sample.
    ChooseListEntry(page.m_hWnd, IDC_HEXVIEW_CHAR_CODE, 4);
    EXPECT_EQ(nCodeBefore, model.m_nCharCode);
    EXPECT_EQ(4, page.m_records[0].nTextCode);
    page.DestroyWindow();
}

TEST_F(OtherPagesTest, LogSaveReadsItsNotesAndRaisesSmallCounts)
{
    CLogSavePage page(&host);
    EXPECT_EQ("通信ログをリアルタイムにファイル保存します。", Text(page.m_hWnd, IDC_LOGSAVE_AUTO_NOTE));
    EXPECT_EQ(std::string(GetMessageText(13001)), Text(page.m_hWnd, IDC_LOGSAVE_MAX_NOTE));
    settings.m_nMaxLog = 500;
    page.PutSettings(settings);
    EXPECT_EQ("500", Text(page.m_hWnd, IDC_LOGSAVE_MAX));

    struct { const char* text; int stored; } cases[] = {{"5", 10}, {"", 10}, {"1234", 1234}, {"99999999999", INT_MAX}};
    for (const auto& c : cases) {
        page.SetDlgItemText(IDC_LOGSAVE_MAX, c.text);
        CAppSettings taken;
        page.TakeSettings(taken);
        EXPECT_EQ(c.stored, taken.m_nMaxLog) << c.text;
    }
    // Typing stops at four digits.
    page.SetDlgItemText(IDC_LOGSAVE_MAX, "");
    for (char ch : std::string("123456"))
        ::SendMessageA(::GetDlgItem(page.m_hWnd, IDC_LOGSAVE_MAX), WM_CHAR, static_cast<WPARAM>(ch), 1);
    EXPECT_EQ("1234", Text(page.m_hWnd, IDC_LOGSAVE_MAX));
    page.DestroyWindow();
}

TEST_F(OtherPagesTest, WithSavingOffTheFolderAndPrefixAreGreyButStillSaved)
{
    CLogSavePage page(&host);
    settings.m_nAutoSave = 0;
    settings.m_strPath = "C:\\logs";
    settings.m_strFilePrefix = "run";
    settings.m_nLogFont = 2;
    page.PutSettings(settings);
    for (int id : {IDC_LOGSAVE_FOLDER, IDC_LOGSAVE_PREFIX, IDC_LOGSAVE_BROWSE})
        EXPECT_FALSE(Enabled(page.m_hWnd, id)) << id;
    EXPECT_EQ("16", SelectedText(page.m_hWnd, IDC_LOGSAVE_FONT));
    CAppSettings taken;
    page.TakeSettings(taken);
    EXPECT_EQ(0, taken.m_nAutoSave);
    EXPECT_STREQ("C:\\logs", taken.m_strPath);
    EXPECT_STREQ("run", taken.m_strFilePrefix);
    EXPECT_EQ(2, taken.m_nLogFont);

    Click(page.m_hWnd, IDC_LOGSAVE_AUTO, true);
    for (int id : {IDC_LOGSAVE_FOLDER, IDC_LOGSAVE_PREFIX, IDC_LOGSAVE_BROWSE})
        EXPECT_TRUE(Enabled(page.m_hWnd, id)) << id;
    page.TakeSettings(taken);
    EXPECT_EQ(1, taken.m_nAutoSave);
    page.DestroyWindow();
}

TEST_F(OtherPagesTest, AChosenFolderGoesIntoTheFieldAndACancelledChoiceChangesNothing)
{
    CLogSavePage page(&host);
    settings.m_nAutoSave = 1;
    settings.m_strPath = "C:\\before";
    page.PutSettings(settings);
    winharness::ScriptedPrompts prompts;
    prompts.folderAnswers = {"", "D:\\hourly logs"};
    Notify(page.m_hWnd, IDC_LOGSAVE_BROWSE, BN_CLICKED);
    EXPECT_EQ("C:\\before", Text(page.m_hWnd, IDC_LOGSAVE_FOLDER));
    Notify(page.m_hWnd, IDC_LOGSAVE_BROWSE, BN_CLICKED);
    EXPECT_EQ("D:\\hourly logs", Text(page.m_hWnd, IDC_LOGSAVE_FOLDER));
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ("folder", prompts.records[0].kind);
    EXPECT_EQ("保存を行うディレクトリを指定してください。", prompts.records[0].text);
    EXPECT_EQ(static_cast<DWORD>(BIF_RETURNONLYFSDIRS), prompts.records[0].flags & BIF_RETURNONLYFSDIRS);
    CAppSettings taken;
    page.TakeSettings(taken);
    EXPECT_STREQ("D:\\hourly logs", taken.m_strPath);
    page.DestroyWindow();
}

TEST_F(OtherPagesTest, ToolbarPageShowsTheAnimationByNumber)
{
    CToolbarPage page(&host);
    settings.m_nToolSize = 1;
    settings.m_nTaskTray = 2;
    settings.m_nMenuEffect = 42;
    page.PutSettings(settings);
    EXPECT_EQ(11, static_cast<int>(page.SendDlgItemMessage(IDC_TOOLBARPAGE_MENU_EFFECT, CB_GETCOUNT)));
    EXPECT_EQ("(none)", SelectedText(page.m_hWnd, IDC_TOOLBARPAGE_MENU_EFFECT));
    EXPECT_EQ("小さいサイズ", SelectedText(page.m_hWnd, IDC_TOOLBARPAGE_SIZE));
    EXPECT_EQ("表示する(ｱｲｺﾝ時ﾀｽｸﾊﾞｰ非表示)", SelectedText(page.m_hWnd, IDC_TOOLBARPAGE_TRAY));
    CAppSettings taken;
    page.TakeSettings(taken);
    EXPECT_EQ(0, taken.m_nMenuEffect);
    EXPECT_EQ(1, taken.m_nToolSize);
    EXPECT_EQ(2, taken.m_nTaskTray);

    // Put again (the dialog may): the list is not doubled.
    settings.m_nMenuEffect = 7;
    page.PutSettings(settings);
    EXPECT_EQ(11, static_cast<int>(page.SendDlgItemMessage(IDC_TOOLBARPAGE_MENU_EFFECT, CB_GETCOUNT)));
    EXPECT_EQ("Noise", SelectedText(page.m_hWnd, IDC_TOOLBARPAGE_MENU_EFFECT));
    ChooseListEntry(page.m_hWnd, IDC_TOOLBARPAGE_MENU_EFFECT, 9);
    page.TakeSettings(taken);
    EXPECT_EQ(9, taken.m_nMenuEffect);
    page.DestroyWindow();
}

} // namespace
