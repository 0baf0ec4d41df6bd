// The marker command and the marker dialogs on real editors: the question over existing
// markers, the setting dialog with the editor's default colours, and the information dialog's
// reordering, deleting, loading and saving.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "colorbutton.h"
#include "dialogs_test_support.h"
#include "hexeditdump.h"
#include "hexeditsend.h"
#include "messagetext.h"
#include "winharness.h"

using namespace winharness;

namespace {

class MarkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(editor.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), parent.wnd(), 100));
        editor.SetData(ByteArray(ByteVector(32, 0x41)));
        editor.SetEditable(FALSE);
        editor.ClearMarkers();
    }

    // Selects bytes first .. last with the keyboard.
    void Select(int first, int last)
    {
        SendKey(editor.m_hWnd, VK_HOME, kCtrl);
        for (int i = 0; i < first; ++i)
            SendKey(editor.m_hWnd, VK_RIGHT);
        for (int i = first; i <= last; ++i)
            SendKey(editor.m_hWnd, VK_RIGHT, kShift);
        ASSERT_EQ(first, editor.GetModel().GetSelStart());
        ASSERT_EQ(last, editor.GetModel().GetSelEnd());
    }

    std::vector<HexMarker> Markers() const { return editor.GetModel().GetMarkers(); }

    static COLORREF ButtonColor(HWND hDlg, int id)
    {
        CColorButton* pButton = DYNAMIC_DOWNCAST(CColorButton, CWnd::FromHandlePermanent(::GetDlgItem(hDlg, id)));
        return pButton != nullptr ? pButton->GetColor() : CLR_INVALID;
    }

    HiddenParent parent;
    CHexEditDump editor;
};

std::string ListCell(HWND hDlg, int row, int column)
{
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendDlgItemMessageA(hDlg, IDC_MARKER_LIST, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void SelectListRow(HWND hDlg, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendDlgItemMessageA(hDlg, IDC_MARKER_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool Enabled(HWND hDlg, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(hDlg, id)) != FALSE;
}

} // namespace

TEST_F(MarkerTest, MarkerCommandOverTwoMarkersAsksAndRemovesBoth)
{
    editor.AddMarker(0, 4, 0x0000FF, 0xFFFFFF, "first");
    editor.AddMarker(6, 4, 0x00FF00, 0xFFFFFF, "second");
    editor.AddMarker(20, 2, 0xFF0000, 0xFFFFFF, "apart");
    Select(2, 7);

    ScriptedPrompts prompts;
    prompts.messageAnswers = {IDCANCEL, IDOK};
    DialogDriver driver;
    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("選択したエリアには現在マーカーが\r\n 2 件設定されています。\r\n\r\n削除してよろしいですか？",
              prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), prompts.records[0].type);
    EXPECT_EQ(3u, Markers().size());

    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER);
    ASSERT_EQ(1u, Markers().size());
    EXPECT_EQ("apart", std::string(Markers()[0].strComment));
    EXPECT_TRUE(driver.captions.empty());
}

TEST_F(MarkerTest, MarkerCommandWithoutOverlapAddsAMarkerFromTheSettingDialog)
{
    Select(3, 5);
    DialogDriver driver;
    COLORREF text = 0, back = 0;
    std::string comment;
    driver.Step(1, [&](HWND hDlg) {
        text = ButtonColor(hDlg, IDC_MARKER_TEXT_COLOR);
        back = ButtonColor(hDlg, IDC_MARKER_BACK_COLOR);
        comment = DialogDriver::Text(hDlg, IDC_MARKER_COMMENT);
        ::SetDlgItemTextA(hDlg, IDC_MARKER_COMMENT, "ヘッダ");
        DialogDriver::Post(hDlg, IDOK);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER);
    EXPECT_FALSE(driver.timedOut);
    ASSERT_EQ(1u, driver.captions.size());
    EXPECT_EQ("マーカー設定", driver.captions[0]);
    EXPECT_EQ(0x0000FFu, text);
    EXPECT_EQ(0xCCCCEEu, back);
    EXPECT_EQ("Please Input Comment", comment);

    const std::vector<HexMarker> markers = Markers();
    ASSERT_EQ(1u, markers.size());
    const HexMarker& m = markers[0];
    EXPECT_EQ(3, m.nStart);
    EXPECT_EQ(3, m.nLength);
    EXPECT_EQ(0x0000FFu, m.crText);
    EXPECT_EQ(0xCCCCEEu, m.crBack);
    EXPECT_EQ("ヘッダ", std::string(m.strComment));
}

TEST_F(MarkerTest, MarkerCommandsAreRoutedThroughTheSendEditorToo)
{
    CHexEditSend send;
    ASSERT_TRUE(send.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), parent.wnd(), 101));
    send.SetData(ByteArray(ByteVector(8, 0)));
    send.SelectAll();
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDCANCEL); });
    send.SendMessage(WM_COMMAND, ID_HEX_MARKER);
    EXPECT_TRUE(send.GetModel().GetMarkers().empty());
    driver.Step(1, [&](HWND hDlg) { DialogDriver::Post(hDlg, IDOK); });
    send.SendMessage(WM_COMMAND, ID_HEX_MARKER_INFO);
    EXPECT_EQ((std::vector<std::string>{"マーカー設定", "マーカー情報"}), driver.captions);
}

TEST_F(MarkerTest, InformationDialogMovesARowUpAndOkAppliesTheOrder)
{
    editor.AddMarker(0, 2, 0x000011, 0xEEEEEE, "zero");
    editor.AddMarker(4, 3, 0x000022, 0xDDDDDD, "one");
    DialogDriver driver;
    std::vector<bool> buttonsBefore, buttonsOnRow1;
    std::vector<std::string> rows;
    bool itemDrawAsked = false;
    std::vector<COLORREF> rowColors;
    driver.Step(1, [&](HWND hDlg) {
        for (int id : {IDC_MARKER_EDIT, IDC_MARKER_DELETE, IDC_MARKER_UP, IDC_MARKER_DOWN, IDC_MARKER_SAVE,
                       IDC_MARKER_DELETE_ALL, IDC_MARKER_LOAD})
            buttonsBefore.push_back(Enabled(hDlg, id));
        SelectListRow(hDlg, 1);
        for (int id : {IDC_MARKER_UP, IDC_MARKER_DOWN})
            buttonsOnRow1.push_back(Enabled(hDlg, id));
        DialogDriver::Press(hDlg, IDC_MARKER_UP);
        // Each row is drawn in its marker's colours.
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.hdr.hwndFrom = ::GetDlgItem(hDlg, IDC_MARKER_LIST);
        draw.nmcd.hdr.idFrom = IDC_MARKER_LIST;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        itemDrawAsked = ::SendMessageA(hDlg, WM_NOTIFY, IDC_MARKER_LIST, reinterpret_cast<LPARAM>(&draw)) ==
                        CDRF_NOTIFYITEMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = 0;
        ::SendMessageA(hDlg, WM_NOTIFY, IDC_MARKER_LIST, reinterpret_cast<LPARAM>(&draw));
        rowColors = {draw.clrText, draw.clrTextBk};
        for (int row = 0; row < 2; ++row)
            rows.push_back(ListCell(hDlg, row, 0) + "/" + ListCell(hDlg, row, 1) + "/" + ListCell(hDlg, row, 2));
        // The editor keeps its order until OK.
        EXPECT_EQ("zero", std::string(editor.GetModel().GetMarkers()[0].strComment));
        DialogDriver::Post(hDlg, IDOK);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER_INFO);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ((std::vector<bool>{false, false, false, false, true, true, true}), buttonsBefore);
    EXPECT_EQ((std::vector<bool>{true, false}), buttonsOnRow1);
    EXPECT_EQ((std::vector<std::string>{"4/3/one", "0/2/zero"}), rows);
    EXPECT_TRUE(itemDrawAsked);
    EXPECT_EQ((std::vector<COLORREF>{0x000022, 0xDDDDDD}), rowColors);

    ASSERT_EQ(2u, Markers().size());
    EXPECT_EQ("one", std::string(Markers()[0].strComment));
    EXPECT_EQ("zero", std::string(Markers()[1].strComment));
    // The last marker added again gives the defaults of the next one.
    EXPECT_EQ(0x000011u, editor.GetModel().m_crMarkerText);
    EXPECT_EQ(0xEEEEEEu, editor.GetModel().m_crMarkerBack);
}

TEST_F(MarkerTest, InformationDialogCancelDiscardsTheChanges)
{
    editor.AddMarker(0, 2, 0, 0xFFFFFF, "zero");
    editor.AddMarker(4, 3, 0, 0xFFFFFF, "one");
    ScriptedPrompts prompts;
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        DialogDriver::Press(hDlg, IDC_MARKER_DELETE_ALL);
        EXPECT_EQ(0, static_cast<int>(::SendDlgItemMessageA(hDlg, IDC_MARKER_LIST, LVM_GETITEMCOUNT, 0, 0)));
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER_INFO);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("登録されているデータを削除します。\r\nよろしいですか？", prompts.records[0].text);
    EXPECT_EQ(2u, Markers().size());
}

TEST_F(MarkerTest, InformationDialogEditsAndDeletesRows)
{
    editor.AddMarker(0, 2, 0, 0xFFFFFF, "zero");
    editor.AddMarker(4, 3, 0, 0xFFFFFF, "one");
    editor.AddMarker(9, 1, 0, 0xFFFFFF, "two");
    ScriptedPrompts prompts;
    DialogDriver driver;
    int selectedAfterDelete = -2;
    driver.Step(1, [&](HWND hDlg) {
        SelectListRow(hDlg, 0);
        DialogDriver::Post(hDlg, IDC_MARKER_EDIT);
    });
    driver.Step(2, [&](HWND hDlg) {
        EXPECT_EQ("zero", DialogDriver::Text(hDlg, IDC_MARKER_COMMENT));
        ::SetDlgItemTextA(hDlg, IDC_MARKER_COMMENT, "renamed");
        DialogDriver::Post(hDlg, IDOK);
    });
    driver.Step(1, [&](HWND hDlg) {
        EXPECT_EQ("renamed", ListCell(hDlg, 0, 2));
        // Deleting the last row selects the new last row.
        SelectListRow(hDlg, 2);
        DialogDriver::Press(hDlg, IDC_MARKER_DELETE);
        selectedAfterDelete = static_cast<int>(
            ::SendDlgItemMessageA(hDlg, IDC_MARKER_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        DialogDriver::Post(hDlg, IDOK);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER_INFO);
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_EQ(1, selectedAfterDelete);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("two\r\n\r\nを削除します。\r\nよろしいですか？", prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), prompts.records[0].type);
    ASSERT_EQ(2u, Markers().size());
    EXPECT_EQ("renamed", std::string(Markers()[0].strComment));
    EXPECT_EQ(4, Markers()[1].nStart);
}

TEST_F(MarkerTest, InformationDialogSavesAndLoadsMarkerFilesAndRejectsOtherFiles)
{
    TempFolder folder;
    const std::string saved = folder.File("saved.mrk");
    const std::string other = folder.File("other.mrk");
    ASSERT_TRUE(WriteWholeFile(other, {'N', 'O', 'T', 'K', 'R', 'A', 'M'}));
    editor.AddMarker(1, 2, 0x010203, 0x040506, "abc");

    ScriptedPrompts prompts;
    prompts.fileAnswers = {saved, other, saved};
    DialogDriver driver;
    int rowsAfterBadLoad = -1;
    driver.Step(1, [&](HWND hDlg) {
        DialogDriver::Press(hDlg, IDC_MARKER_SAVE);
        DialogDriver::Press(hDlg, IDC_MARKER_LOAD);
        rowsAfterBadLoad = static_cast<int>(::SendDlgItemMessageA(hDlg, IDC_MARKER_LIST, LVM_GETITEMCOUNT, 0, 0));
        DialogDriver::Press(hDlg, IDC_MARKER_LOAD);
        DialogDriver::Post(hDlg, IDOK);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_MARKER_INFO);
    EXPECT_TRUE(driver.AllStepsRun());

    ByteVector file;
    ASSERT_TRUE(ReadWholeFile(saved, file));
    const ByteVector expected = {'K', 'R', 'A', 'M', 24, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 2, 1, 0, 6, 5, 4, 0,
                                 'a', 'b', 'c', 0};
    EXPECT_EQ(expected, file);

    std::vector<PromptRecord> files, messages;
    for (const PromptRecord& r : prompts.records)
        (r.kind == "message" ? messages : files).push_back(r);
    ASSERT_EQ(3u, files.size());
    EXPECT_EQ("file-save", files[0].kind);
    EXPECT_EQ("Mirtolex Marker file(*.mrk)|*.mrk|All Files(*.*)|*.*||", files[0].filter);
    EXPECT_EQ(0u, files[0].flags & OFN_FILEMUSTEXIST);
    EXPECT_NE(0u, files[0].flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ("file-open", files[1].kind);
    EXPECT_NE(0u, files[1].flags & OFN_FILEMUSTEXIST);
    // Each dialog starts from the marker file path of the process, which follows the choices.
    EXPECT_EQ(saved, files[1].initial);
    EXPECT_EQ(other, files[2].initial);
    EXPECT_EQ(saved, std::string(GetMarkerFilePath()));

    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("ファイルの読み込みに失敗しました。", messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), messages[0].type & MB_ICONMASK);
    EXPECT_EQ(0, rowsAfterBadLoad);

    ASSERT_EQ(1u, Markers().size());
    EXPECT_EQ("abc", std::string(Markers()[0].strComment));
    EXPECT_EQ(0x040506u, Markers()[0].crBack);
    SetMarkerFilePath("default.mrk");
}
