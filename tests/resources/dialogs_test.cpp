// Every dialog template of the shell holds its controls with their ids, classes and texts,
// walked from the template's bytes; pages and panes have the styles their hosts need; the
// drop lists carry their entries as init data in code page 932; in no template of the program
// does a control lie over another.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "resource.h"
#include "resource_reader.h"

using namespace restest;

namespace {

const char kBar[] = "VaviRIZ-ControlBar";
const char kHex[] = "CHexEdit";

struct ExpectedControl
{
    UINT nId;
    const char* className;
    const char* text;  // nullptr: set at run time or not given
};

struct ExpectedTemplate
{
    UINT nId;
    std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedTemplate>& ExpectedTemplates()
{
    static const std::vector<ExpectedTemplate> templates = {
        {100, {{1063, "Static", nullptr}, {1052, "Edit", nullptr}, {1060, "Static", "LuaScript Build."},
               {1059, "Static", nullptr}, {1017, "Button", "ヘルプ..."}, {1, "Button", "OK"}}},
        {130, {{1076, kBar, nullptr}, {1000, kHex, nullptr}}},
        {131, {{1003, "SysTreeView32", nullptr}, {1, "Button", "OK"}, {1002, "Button", "適用"}, {2, "Button", "ｷｬﾝｾﾙ"}}},
        {136, {{1016, "Edit", nullptr}, {1018, "Edit", nullptr}, {1009, "Button", "読み込み時に自動で処理を開始する。"}}},
        {137, {{1031, "Button", "このポートを使用する。"}, {1032, "ComboBox", nullptr}, {1014, "Edit", nullptr},
               {1099, "Button", "ｿｹｯﾄｵﾌﾟｼｮﾝ"}}},
        {142, {{1077, kBar, nullptr}, {1000, kHex, nullptr}, {1005, "Edit", nullptr}}},
        {145, {{1037, "ComboBox", nullptr}, {1010, "Button", "メッセージの表示"}, {1011, "Button", "メッセージの表示"},
               {1012, "Button", "送信ログの表示"}, {1016, "Button", "バイト数"}, {1017, "Button", "バイナリダイジェスト"},
               {1018, "Button", "アスキーダイジェスト"}, {1013, "Button", "受信ログの表示"}, {1019, "Button", "バイト数"},
               {1020, "Button", "バイナリダイジェスト"}, {1021, "Button", "アスキーダイジェスト"},
               {1014, "Button", "送信ログの表示"}, {1022, "Button", "バイト数"}, {1023, "Button", "バイナリダイジェスト"},
               {1024, "Button", "アスキーダイジェスト"}, {1015, "Button", "受信ログの表示"}, {1025, "Button", "バイト数"},
               {1026, "Button", "バイナリダイジェスト"}, {1027, "Button", "アスキーダイジェスト"},
               {1002, "Button", nullptr}, {1003, "Button", nullptr}, {1004, "Button", nullptr}, {1005, "Button", nullptr},
               {1006, "Button", nullptr}, {1007, "Button", nullptr}, {1008, "Button", nullptr}, {1009, "Button", nullptr}}},
        {147, {{1016, "Button", "次の周期受信が無ければ切断"}, {1044, "Static", "周期"}, {1050, "Edit", nullptr},
               {1047, "Static", "ミリ秒"}, {1010, "Button", "送信データエディタから自動送信"}, {1040, "Static", "周期"},
               {1042, "Edit", nullptr}, {1041, "Static", "ミリ秒"}, {1012, "Button", "送信データエディタにランダム領域を作成"},
               {1017, "Button", "ランダム設定..."}, {1015, "Button", "送信１回毎に作成"}, {1046, "Edit", nullptr},
               {1045, "Static", "秒毎に更新"}, {1013, "Button", "送信したら切断する"}, {1018, "Button", "受信したら切断する"},
               {1009, "Button", "受信時動作"}, {1043, "Static", "対応するポート"}, {1037, "ComboBox", nullptr},
               {1006, "Button", "送信データエディタの内容を返信"}, {1007, "Button", "受信したデータを返信"},
               {1008, "Button", "受信したバイト数分の単一データを返信(16進)"}, {1005, "Edit", nullptr},
               {1014, "Button", "拡張動作を行う"}, {1019, "Button", "ｽｸﾘﾌﾟﾄ制御を行う"}}},
        {148, {{1005, "Edit", nullptr}, {1015, "Edit", nullptr}, {1008, "Edit", nullptr}, {1013, "Edit", nullptr},
               {1002, "Button", "DLLを選択..."}, {1018, "Button", "DLLをクリア..."}, {1017, "Button", "詳細設定..."}}},
        {161, {{1044, "SysListView32", "List1"}, {1052, "Edit", nullptr}, {1, "Button", "OK"}, {2, "Button", "ｷｬﾝｾﾙ"}}},
        {164, {{1003, "SysTreeView32", nullptr}, {1, "Button", "OK"}, {1002, "Button", "適用"}, {2, "Button", "ｷｬﾝｾﾙ"}}},
        {165, {{1053, "Edit", nullptr}, {1013, "Edit", nullptr}, {1009, "Button", "保存を行う"}, {1005, "Edit", nullptr},
               {1017, "Button", "..."}, {1008, "Edit", nullptr}, {1014, "Edit", nullptr}, {1039, "ComboBox", nullptr}}},
        {179, {{1044, "SysListView32", nullptr}}},
        {183, {{1037, "ComboBox", nullptr}, {1068, "Edit", nullptr}, {1039, "ComboBox", nullptr},
               {1038, "ComboBox", nullptr}, {1041, "ComboBox", nullptr}, {1040, "ComboBox", nullptr},
               {1042, "ComboBox", nullptr}, {1017, "Button", "設定..."}, {1043, "ComboBox", nullptr},
               {1081, "Static", nullptr}, {1069, "Edit", nullptr}, {1083, kHex, nullptr}, {1070, "Edit", nullptr},
               {1071, "Edit", nullptr}, {1011, "Button", "リトライ周期（通信終了後、自動で処理を繰り返します。）"},
               {1067, "Edit", nullptr}}},
        {185, {{1075, kBar, nullptr}, {1069, "SysTreeView32", nullptr}}},
        {186, {{1071, "SysTreeView32", nullptr}, {1001, "Edit", nullptr}, {1080, "Static", "ホスト名称(IP)"},
               {1070, "Edit", nullptr}, {1002, "Edit", nullptr}, {1003, "Edit", nullptr}, {1, "Button", "実行"},
               {1008, "Edit", nullptr}, {1072, "Edit", nullptr}}},
        {187, {{1037, "ComboBox", nullptr}, {1, "Button", "実行"}, {1003, "Edit", nullptr}}},
        {202, {{1037, "ComboBox", nullptr}, {1038, "ComboBox", nullptr}, {1039, "ComboBox", nullptr}}},
        {205, {{1078, kBar, nullptr}, {1080, kBar, nullptr}, {1079, kHex, nullptr}}},
        {210, {{1037, "ComboBox", nullptr}, {1038, "ComboBox", nullptr}, {1039, "ComboBox", nullptr},
               {1040, "ComboBox", nullptr}, {1041, "ComboBox", nullptr}, {1042, "ComboBox", nullptr},
               {1043, "ComboBox", nullptr}, {1044, "ComboBox", nullptr}, {1000, "Edit", nullptr},
               {1005, "Edit", nullptr}, {1008, "Edit", nullptr}, {1013, "Edit", nullptr}, {1, "Button", "OK"},
               {2, "Button", "ｷｬﾝｾﾙ"}}},
        {237, {{1110, "ComboBox", nullptr}, {1039, "ComboBox", nullptr}, {1037, "ComboBox", nullptr},
               {1011, "Button", "ヘッダ表示"}, {1010, "Button", "アドレス表示"}, {1038, "ComboBox", nullptr},
               {1009, "Button", "ASCIIコード表示"}, {1017, "Button", nullptr}, {1002, "Button", nullptr},
               {1040, "ComboBox", nullptr}, {1111, kHex, nullptr}}},
        {245, {{1124, kBar, nullptr}}},
        {248, {{1006, "Button", "CSV(ﾀﾞｲｼﾞｪｽﾄ)"}, {1007, "Button", "ﾃｷｽﾄ"}, {1, "Button", "OK"}, {2, "Button", "ｷｬﾝｾﾙ"}}},
    };
    return templates;
}

}  // namespace

TEST(DialogTemplates, EveryTemplateHoldsItsControls)
{
    for (const ExpectedTemplate& expected : ExpectedTemplates()) {
        const DialogTemplate dialog = ReadDialog(expected.nId);
        ASSERT_TRUE(dialog.bFound) << expected.nId;
        EXPECT_EQ("MS UI Gothic", dialog.faceName) << expected.nId;
        EXPECT_EQ(9, dialog.wPointSize) << expected.nId;
        for (const ExpectedControl& control : expected.controls) {
            const DialogControl* found = dialog.Find(control.nId);
            ASSERT_NE(nullptr, found) << expected.nId << "/" << control.nId;
            EXPECT_STRCASEEQ(control.className, found->className.c_str()) << expected.nId << "/" << control.nId;
            if (control.text != nullptr) {
                EXPECT_EQ(control.text, found->text) << expected.nId << "/" << control.nId;
            }
        }
    }
}

TEST(DialogTemplates, PanesAndPagesAreChildrenTheirHostsPlace)
{
    for (UINT nPane : {130u, 142u, 179u, 185u, 205u, 245u}) {
        const DWORD dwStyle = ReadDialog(nPane).dwStyle;
        EXPECT_TRUE(dwStyle & WS_CHILD) << nPane;
        EXPECT_FALSE(dwStyle & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_POPUP)) << nPane;
    }
    for (UINT nPage : {136u, 137u, 145u, 147u, 148u, 165u, 183u, 202u, 237u}) {
        const DWORD dwStyle = ReadDialog(nPage).dwStyle;
        EXPECT_TRUE(dwStyle & WS_CHILD) << nPage;
        EXPECT_TRUE(dwStyle & DS_CONTROL) << nPage;
        EXPECT_FALSE(dwStyle & (WS_VISIBLE | WS_CAPTION | WS_POPUP)) << nPage;
    }
    const DialogTemplate detail = ReadDialog(IDD_DETAIL_LOG_PANE);
    const DWORD kTextStyle = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_TABSTOP;
    EXPECT_EQ(kTextStyle, detail.Find(IDC_DETAIL_TEXT)->dwStyle & kTextStyle);
    const DWORD kTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP;
    EXPECT_EQ(kTreeStyle, ReadDialog(IDD_EXPLORER_PANE).Find(IDC_EXPLORER_TREE)->dwStyle & kTreeStyle);
    EXPECT_TRUE(ReadDialog(IDD_COM_TOOL).dwStyle & WS_THICKFRAME);
    EXPECT_TRUE(ReadDialog(IDD_COMMAND_TOOL).dwStyle & WS_THICKFRAME);
    EXPECT_EQ("COMツール", ReadDialog(IDD_COM_TOOL).caption);
    EXPECT_EQ("コマンド発行ツール", ReadDialog(IDD_COMMAND_TOOL).caption);
    EXPECT_EQ("フロー制御設定", ReadDialog(IDD_FLOW_CONTROL).caption);
    EXPECT_EQ("DLL選択", ReadDialog(IDD_DLL_SELECT).caption);
    EXPECT_EQ("保存形式", ReadDialog(IDD_SAVE_FORMAT).caption);
    EXPECT_EQ("通信設定", ReadDialog(IDD_COMM_SETTINGS).caption);
    EXPECT_EQ("その他の設定", ReadDialog(IDD_OTHER_SETTINGS).caption);
}

namespace {

std::vector<std::string> ListEntries(UINT nTemplate, UINT nControl)
{
    std::vector<std::string> texts;
    for (const InitEntry& entry : ReadDialogInit(nTemplate)) {
        if (entry.nControlId != nControl)
            continue;
        EXPECT_EQ(0x403, entry.wMessage);  // the 16-bit combo box's add-string
        texts.push_back(entry.text);
    }
    return texts;
}

}  // namespace

TEST(DialogInitData, ListsInOrderInCodePage932)
{
    const std::vector<std::string> kBauds = {"選択してください", "75", "110", "134", "150", "300", "600",
                                             "1200", "1800", "2400", "4800", "7200", "9600", "14400",
                                             "19200", "38400", "56000", "57600", "115200", "128000"};
    EXPECT_EQ(kBauds, ListEntries(IDD_COM_PORT_PAGE, IDC_COMPORT_BAUD_LIST));
    EXPECT_EQ(std::vector<std::string>({"TCP:クライアント", "TCP:サーバ", "UDP", "COM"}),
              ListEntries(IDD_PORT_USE_PAGE, IDC_PORTUSE_TYPE));
    EXPECT_EQ(std::vector<std::string>({"生データ", "固定サイズ", "特定Char"}),
              ListEntries(IDD_COM_PORT_PAGE, IDC_COMPORT_FRAMING));
    EXPECT_EQ(std::vector<std::string>({"表示しない", "表示する(ﾀｽｸﾊﾞｰ表示)", "表示する(ｱｲｺﾝ時ﾀｽｸﾊﾞｰ非表示)"}),
              ListEntries(IDD_TOOLBAR_PAGE, IDC_TOOLBARPAGE_TRAY));
    EXPECT_EQ(std::vector<std::string>({"DTR_CONTROL_DISABLE", "DTR_CONTROL_ENABLE", "DTR_CONTROL_HANDSHAKE"}),
              ListEntries(IDD_FLOW_CONTROL, IDC_FLOW_DTR_CONTROL));
    EXPECT_EQ(std::vector<std::string>({"送信ﾃﾞｰﾀｴﾃﾞｨﾀ", "詳細ﾛｸﾞﾃﾞｰﾀ", "COM制御1", "COM制御2"}),
              ListEntries(IDD_HEX_VIEW_PAGE, IDC_HEXVIEW_EDITOR_CHOICE));

    struct Count
    {
        UINT nTemplate, nControl;
        size_t nEntries;
    };
    const Count kCounts[] = {{183, 1037, 16}, {183, 1038, 4}, {183, 1041, 5}, {183, 1040, 3}, {183, 1042, 2},
                             {210, 1037, 2}, {210, 1038, 2}, {210, 1040, 3}, {210, 1041, 2}, {210, 1042, 2},
                             {210, 1043, 2}, {210, 1044, 2}, {147, 1037, 3}, {145, 1037, 2}, {165, 1039, 4},
                             {202, 1037, 2}, {202, 1039, 0}, {237, 1039, 4}, {237, 1037, 3}, {237, 1038, 2},
                             {237, 1040, 5}, {187, 1037, 16}};
    for (const Count& count : kCounts)
        EXPECT_EQ(count.nEntries, ListEntries(count.nTemplate, count.nControl).size())
            << count.nTemplate << "/" << count.nControl;
    EXPECT_EQ("COM16", ListEntries(IDD_COM_TOOL, IDC_COMTOOL_PORT).back());
}

namespace {

// Two controls of a template that may share their place, and why.
struct SharedPlace
{
    UINT nTemplate, nFirst, nSecond;
    const char* reason;
};

const SharedPlace kSharedPlaces[] = {
    {IDD_DETAIL_LOG_PANE, IDC_DETAIL_EDITOR, IDC_DETAIL_TEXT,
     "the pane shows an entry's bytes or a message's text, never both"},
    {IDD_COM_PORT_PAGE, IDC_COMPORT_BLOCK_SIZE, IDC_COMPORT_DELIMITER,
     "the framing shows the block size or the delimiter, never both"},
    {IDD_TEXT_INPUT, IDC_TEXTINPUT_TOOLBAR, IDC_TEXTINPUT_LINE_END,
     "the dialog moves the line-end list into its toolbar as one of the toolbar's buttons"},
};

bool MayShare(UINT nTemplate, UINT nFirst, UINT nSecond)
{
    for (const SharedPlace& shared : kSharedPlaces)
        if (shared.nTemplate == nTemplate && ((shared.nFirst == nFirst && shared.nSecond == nSecond) ||
                                              (shared.nFirst == nSecond && shared.nSecond == nFirst)))
            return true;
    return false;
}

bool IsGroupBox(const DialogControl& control)
{
    return _stricmp(control.className.c_str(), "Button") == 0 && (control.dwStyle & BS_TYPEMASK) == BS_GROUPBOX;
}

// Where the control shows as the dialog opens, in dialog units; empty when the template does
// not place it.
RECT ShownPlace(const DialogControl& control)
{
    RECT rc = control.rc;
    // An up-down control that takes its buddy places itself beside it.
    if (_stricmp(control.className.c_str(), UPDOWN_CLASSA) == 0 && (control.dwStyle & UDS_AUTOBUDDY) &&
        (control.dwStyle & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)))
        return RECT{};
    // A closed drop list shows only its selection field; the template's height includes the
    // list it drops. The field is the font's height with the control's edges, just under 13
    // dialog units with the templates' 9-point font; 14 keeps a unit free below it.
    if (_stricmp(control.className.c_str(), "ComboBox") == 0 && (control.dwStyle & 3) != CBS_SIMPLE)
        rc.bottom = std::min<LONG>(rc.bottom, rc.top + 14);
    return rc;
}

std::string Describe(const DialogControl& control)
{
    const RECT& rc = control.rc;
    return std::to_string((int)control.nId) + " " + control.className + " \"" + control.text + "\" at " +
           std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right - rc.left) + "x" +
           std::to_string(rc.bottom - rc.top);
}

}  // namespace

// The templates read here are the program's own: korvane.exe links the same resources.
TEST(DialogTemplates, AreThoseOfTheProgram)
{
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strProgram(szPath);
    strProgram = strProgram.substr(0, strProgram.find_last_of('\\')) + "\\..\\bin\\korvane.exe";
    HMODULE hProgram = ::LoadLibraryExA(strProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hProgram) << strProgram;
    std::vector<UINT> program = DialogIds(hProgram), own = DialogIds();
    ::FreeLibrary(hProgram);
    std::sort(program.begin(), program.end());
    std::sort(own.begin(), own.end());
    EXPECT_EQ(program, own);
}

// No control lies over another where a user would see both: a group box holds controls
// wholly inside it, and nothing straddles its edge.
TEST(DialogTemplates, NoControlLiesOverAnother)
{
    const std::vector<UINT> ids = DialogIds();
    EXPECT_GE(ids.size(), 30u);
    for (UINT nTemplate : ids) {
        const DialogTemplate dialog = ReadDialog(nTemplate);
        ASSERT_TRUE(dialog.bFound) << nTemplate;
        for (size_t i = 0; i < dialog.controls.size(); ++i) {
            for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
                const DialogControl& a = dialog.controls[i];
                const DialogControl& b = dialog.controls[j];
                const RECT rcA = ShownPlace(a), rcB = ShownPlace(b);
                RECT rcBoth;
                if (!::IntersectRect(&rcBoth, &rcA, &rcB) || MayShare(nTemplate, a.nId, b.nId))
                    continue;
                // A control wholly inside a group box.
                if (IsGroupBox(a) != IsGroupBox(b) && ::EqualRect(&rcBoth, IsGroupBox(a) ? &rcB : &rcA))
                    continue;
                ADD_FAILURE() << "template " << nTemplate << ": " << Describe(a) << " and " << Describe(b);
            }
        }
    }
}
