// The send data editor's document: loading (also from a dropped file), saving, save as,
// reading through the open dialog, clearing, and text input; and the COM editor's save as.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "dialogs_test_support.h"
#include "hex_textview_support.h"
#include "hexcodec.h"
#include "hexeditcom.h"
#include "hexeditsend.h"
#include "textinputdlg.h"
#include "winharness.h"

using namespace winharness;

namespace {

const char kTitle[] = "送信ﾃﾞｰﾀｴﾃﾞｨﾀ";

class SendEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(editor.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), parent.wnd(), 100));
        title = ::CreateWindowExA(0, "STATIC", "untouched", WS_CHILD, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
        editor.SetTitleWindow(title);
        editor.SetData(ByteArray({0xAA, 0xBB}));
        editor.ClearUndo();
    }

    ByteVector Data() const { return BytesOf(editor.GetData()); }
    std::string Title() const { return DialogDriver::WindowText(title); }

    HiddenParent parent;
    CHexEditSend editor;
    HWND title = NULL;
    TempFolder folder;
};

} // namespace

TEST_F(SendEditorTest, LoadFileReplacesTheDataUndoablyAndShowsThePath)
{
    const std::string path = folder.File("five.bin");
    ASSERT_TRUE(WriteWholeFile(path, {1, 2, 3, 4, 5}));
    EXPECT_TRUE(editor.LoadFile(path.c_str()));
    EXPECT_EQ((ByteVector{1, 2, 3, 4, 5}), Data());
    EXPECT_EQ(std::string(kTitle) + " - " + path, Title());
    EXPECT_EQ(path, std::string(editor.GetDocumentPath()));

    editor.Undo();
    EXPECT_TRUE(Data().empty());
    editor.Undo();
    EXPECT_EQ((ByteVector{0xAA, 0xBB}), Data());
}

TEST_F(SendEditorTest, AFileThatCannotBeReadChangesNothing)
{
    ScriptedPrompts prompts;
    const std::string locked = folder.File("locked.bin");
    ASSERT_TRUE(WriteWholeFile(locked, {9, 9, 9}));
    HANDLE hLock = ::CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);

    EXPECT_FALSE(editor.LoadFile(folder.File("missing.bin").c_str()));
    EXPECT_FALSE(editor.LoadFile(locked.c_str()));
    ::CloseHandle(hLock);

    ASSERT_EQ(2u, prompts.records.size());
    for (const PromptRecord& r : prompts.records) {
        EXPECT_EQ("ファイルの読み込みに失敗しました。", r.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), r.type & MB_ICONMASK);
    }
    EXPECT_EQ((ByteVector{0xAA, 0xBB}), Data());
    EXPECT_TRUE(editor.GetDocumentPath().IsEmpty());
    EXPECT_EQ("untouched", Title());
    EXPECT_FALSE(editor.CanUndo());
}

TEST_F(SendEditorTest, ADroppedFileArrivesAsAppMessageWithItsPath)
{
    const std::string path = folder.File("dropped.bin");
    ASSERT_TRUE(WriteWholeFile(path, {7, 8}));
    editor.SendMessage(WM_APP + 5, 0, reinterpret_cast<LPARAM>(path.c_str()));
    EXPECT_EQ((ByteVector{7, 8}), Data());
    EXPECT_EQ(std::string(kTitle) + " - " + path, Title());
}

TEST_F(SendEditorTest, SaveAsWritesANewFileWithoutAskingForAnExistingOne)
{
    ScriptedPrompts prompts;
    const std::string path = folder.File("new.bin");
    prompts.fileAnswers = {path};
    editor.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);

    ByteVector written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ((ByteVector{0xAA, 0xBB}), written);
    ASSERT_EQ(1u, prompts.records.size());
    const PromptRecord& r = prompts.records[0];
    EXPECT_EQ("file-save", r.kind);
    EXPECT_EQ(0u, r.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES),
              r.flags & (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES));
    EXPECT_EQ("bin", r.defExt);
    EXPECT_EQ("Mirtolex Binary Document(*.bin)|*.bin|All Files(*.*)|*.*||", r.filter);
    EXPECT_EQ(std::string(kTitle) + " - " + path, Title());

    // Save (32846) now writes to the document path.
    editor.SetData(ByteArray({1}));
    editor.SendMessage(WM_COMMAND, ID_HEX_SAVE);
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ((ByteVector{1}), written);
}

TEST_F(SendEditorTest, AnEmptyBufferSavesAsAnEmptyFileAndAnUnwritablePathIsReported)
{
    ScriptedPrompts prompts;
    const std::string empty = folder.File("empty.bin");
    ASSERT_TRUE(WriteWholeFile(empty, {1, 2, 3}));
    const std::string unwritable = folder.File("no such folder\\x.bin");
    prompts.fileAnswers = {empty, unwritable};
    editor.SetData(ByteArray({}));
    editor.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    ByteVector written = {0xFF};
    ASSERT_TRUE(ReadWholeFile(empty, written));
    EXPECT_TRUE(written.empty());

    editor.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    ASSERT_EQ(3u, prompts.records.size());
    EXPECT_EQ(empty, prompts.records[1].initial);
    EXPECT_EQ("ファイルの保存に失敗しました。", prompts.records[2].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), prompts.records[2].type & MB_ICONMASK);
}

TEST_F(SendEditorTest, ReadFileAsksForAnExistingFile)
{
    ScriptedPrompts prompts;
    const std::string path = folder.File("read.bin");
    ASSERT_TRUE(WriteWholeFile(path, {0x31, 0x32, 0x33}));
    prompts.fileAnswers = {"", path};
    editor.SendMessage(WM_COMMAND, ID_HEX_READ_FILE);
    EXPECT_EQ((ByteVector{0xAA, 0xBB}), Data());
    editor.SendMessage(WM_COMMAND, ID_HEX_READ_FILE);
    EXPECT_EQ((ByteVector{0x31, 0x32, 0x33}), Data());
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ("file-open", prompts.records[1].kind);
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES),
              prompts.records[1].flags & (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES));
}

TEST_F(SendEditorTest, ClearDataForgetsContentHistoryAndFile)
{
    ScriptedPrompts prompts;
    const std::string path = folder.File("c.bin");
    ASSERT_TRUE(WriteWholeFile(path, {5}));
    ASSERT_TRUE(editor.LoadFile(path.c_str()));
    prompts.messageAnswers = {IDCANCEL, IDOK};
    editor.SendMessage(WM_COMMAND, ID_HEX_DATA_CLEAR);
    EXPECT_EQ((ByteVector{5}), Data());
    editor.SendMessage(WM_COMMAND, ID_HEX_DATA_CLEAR);
    EXPECT_TRUE(Data().empty());
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_FALSE(editor.CanRedo());
    EXPECT_TRUE(editor.GetDocumentPath().IsEmpty());
    EXPECT_EQ(kTitle, Title());
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ("現在のデータとUNDO履歴、ファイルの関連を削除します。\nよろしいですか？", prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), prompts.records[0].type);
}

TEST_F(SendEditorTest, TextInputRefusesDataThatIsNoText)
{
    ScriptedPrompts prompts;
    DialogDriver driver;
    editor.SetData(ByteArray({'A', 'B', 'C', 'D', 'E', 0x0D, 'F', 'G'}));
    editor.SendMessage(WM_COMMAND, ID_HEX_TEXT_INPUT);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("文字列の変換に失敗しました。\r\nアドレス=[00000005]", prompts.records[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), prompts.records[0].type & MB_ICONMASK);
    EXPECT_TRUE(driver.captions.empty());
}

TEST_F(SendEditorTest, TextInputAppliesTheTextInTheChosenEncoding)
{
    editor.GetModel().m_nCharCode = 1;
    editor.SetData(ByteArray({'h', 'i', '\r', '\n'}));
    editor.ClearUndo();
    DialogDriver driver;
    std::string offered;
    driver.Step(1, [&](HWND hDlg) {
        offered = DialogDriver::Text(hDlg, IDC_TEXTINPUT_TEXT);
        ::SetDlgItemTextA(hDlg, IDC_TEXTINPUT_TEXT, "あ");
        HWND hBar = ::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR);
        ::SendMessageA(hBar, WM_COMMAND, MAKEWPARAM(ID_TEXTINPUT_EUC, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hBar, ID_TEXTINPUT_EUC)));
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_TEXT_INPUT);
    EXPECT_FALSE(driver.timedOut);
    ASSERT_EQ(1u, driver.captions.size());
    EXPECT_EQ("ﾃｷｽﾄ入力 - SHIFTJIS", driver.captions[0]);
    EXPECT_EQ("hi\r\n", offered);
    EXPECT_EQ((ByteVector{0xA4, 0xA2}), Data());
    editor.Undo();
    editor.Undo();
    EXPECT_EQ((ByteVector{'h', 'i', '\r', '\n'}), Data());
}

TEST_F(SendEditorTest, TextInputWithTheLfChoiceEndsLinesWithLf)
{
    editor.GetModel().m_nCharCode = 0;
    editor.SetData(ByteArray({}));
    DialogDriver driver;
    driver.Step(1, [&](HWND hDlg) {
        HWND hCombo = ::GetDlgItem(::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR), IDC_TEXTINPUT_LINE_END);
        ::SendMessageA(hCombo, CB_SETCURSEL, 1, 0);
        ::SetDlgItemTextA(hDlg, IDC_TEXTINPUT_TEXT, "a\r\nb");
        ::SendMessageA(hDlg, WM_COMMAND, ID_TEXTINPUT_APPLY, 0);
    });
    editor.SendMessage(WM_COMMAND, ID_HEX_TEXT_INPUT);
    EXPECT_EQ((ByteVector{'a', '\n', 'b'}), Data());
    CTextInputDlg::SetLastLineEnd(0);
}

// ---- Text input gives the bytes back.

namespace {

// Names with IBM extension kanji: 髙橋, 﨑 and 德, one per line.
const char kNames[] = "\xFB\xFC\x8B\xB4\r\n\xFA\xB1\r\n\xFA\xBA";

class SendEditorTextTest : public SendEditorTest {
protected:
    void Load(int mode, const ByteVector& bytes)
    {
        editor.GetModel().m_nCharCode = mode;
        editor.SetData(ByteArray(bytes));
        editor.ClearUndo();
    }
    // Opens the text input; the field gets text unless it is null, then the button is pressed.
    // Returns the text the dialog offered ("<none>" when it did not open).
    std::string RunTextInput(UINT button, const char* text = nullptr)
    {
        DialogDriver driver;
        std::string offered = "<none>";
        driver.Step(1, [&](HWND hDlg) {
            offered = DialogDriver::Text(hDlg, IDC_TEXTINPUT_TEXT);
            if (text != nullptr)
                ::SetDlgItemTextA(hDlg, IDC_TEXTINPUT_TEXT, text);
            HWND hBar = ::GetDlgItem(hDlg, IDC_TEXTINPUT_TOOLBAR);
            ::SendMessageA(hBar, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(hBar, button)));
        });
        editor.SendMessage(WM_COMMAND, ID_HEX_TEXT_INPUT);
        EXPECT_FALSE(driver.timedOut);
        return offered;
    }
};

const int kTextModes[] = {CHARCODE_SJIS, CHARCODE_JIS, CHARCODE_EUC, CHARCODE_UTF8};
const UINT kModeButtons[] = {ID_TEXTINPUT_SJIS, ID_TEXTINPUT_JIS, ID_TEXTINPUT_EUC, ID_TEXTINPUT_UTF8};

} // namespace

TEST_F(SendEditorTextTest, BytesThatWouldNotComeBackAreRefusedAtTheirFirstByte)
{
    ScriptedPrompts prompts;
    const struct {
        int mode;
        ByteVector bytes;
        const char* message;
    } cases[] = {
        {CHARCODE_SJIS, {0x81, 0x00, 'A', 'B', 'C'}, "文字列の変換に失敗しました。\r\nアドレス=[00000000]"},
        {CHARCODE_EUC, {'x', 0x8E, 'A', 'B'}, "文字列の変換に失敗しました。\r\nアドレス=[00000001]"},
        {CHARCODE_SJIS, {'a', 'b', 0x82, 0x0D, 0x0A}, "文字列の変換に失敗しました。\r\nアドレス=[00000002]"},
        // LF and CR LF together: one of them would change under either choice.
        {CHARCODE_ASCII, {'a', '\r', '\n', 'b', '\n', 'c'}, "文字列の変換に失敗しました。\r\nアドレス=[00000004]"},
    };
    for (const auto& c : cases) {
        Load(c.mode, c.bytes);
        EXPECT_EQ("<none>", RunTextInput(ID_TEXTINPUT_APPLY));
        EXPECT_EQ(c.bytes, Data());
        ASSERT_EQ(1u, prompts.records.size());
        EXPECT_EQ(c.message, prompts.records[0].text);
        prompts.records.clear();
    }
}

TEST_F(SendEditorTextTest, AnUnchangedApplyChangesNoByte)
{
    for (int i = 0; i < 4; ++i) {
        const int mode = kTextModes[i];
        // Pasted into the field and applied in the mode, the names come back as the same text.
        Load(mode, {});
        RunTextInput(kModeButtons[i], kNames);
        const ByteVector named = Data();
        EXPECT_EQ(std::string(kNames), RunTextInput(ID_TEXTINPUT_APPLY)) << mode;
        EXPECT_EQ(named, Data()) << mode;

        // Typed through the input method, they are the bytes that pasting them gives.
        const char oneLine[] = "\xFB\xFC\x8B\xB4\xFA\xB1\xFA\xBA";
        Load(mode, {});
        RunTextInput(kModeButtons[i], oneLine);
        ByteVector pasted = Data();
        if (mode == CHARCODE_JIS)  // typed pairs carry no escape
            pasted.erase(pasted.begin(), pasted.begin() + 3);
        Load(mode, {});
        for (const char* p = oneLine; *p != '\0'; p += 2)
            editor.SendMessage(WM_IME_CHAR, (static_cast<BYTE>(p[0]) << 8) | static_cast<BYTE>(p[1]), 1);
        EXPECT_EQ(pasted, Data()) << mode;
    }

    const ByteVector blocks[] = {
        {0x1B, '$', 'B', 0x24, 0x22, 0x1B, '(', 'B'},                  // JIS, closed
        {0x1B, '$', 'B', 0x24, 0x22},                                  // JIS, left open
        {'a', '\n', 0x82, 0xA0, '\n'},                                  // LF line ends
        {0xE9, 0xAB, 0x99, 0xE6, 0xA9, 0x8B, '\t', 'x', '\r', '\n'}, // UTF-8 髙橋
    };
    const int modes[] = {CHARCODE_JIS, CHARCODE_JIS, CHARCODE_SJIS, CHARCODE_UTF8};
    for (int i = 0; i < 4; ++i) {
        Load(modes[i], blocks[i]);
        EXPECT_NE("<none>", RunTextInput(ID_TEXTINPUT_APPLY)) << i;
        EXPECT_EQ(blocks[i], Data()) << i;
    }
    // The LF data opened with the LF choice, which stays the choice for the next use.
    EXPECT_EQ(0, CTextInputDlg::GetLastLineEnd());
    Load(CHARCODE_SJIS, {'a', '\n'});
    RunTextInput(ID_TEXTINPUT_APPLY);
    EXPECT_EQ(1, CTextInputDlg::GetLastLineEnd());
    CTextInputDlg::SetLastLineEnd(0);
}

TEST_F(SendEditorTextTest, RandomBlocksThatOpenComeBackFromAnUnchangedApply)
{
    std::mt19937 random(38);
    for (int mode : {CHARCODE_ASCII, CHARCODE_SJIS, CHARCODE_JIS, CHARCODE_EUC, CHARCODE_UTF8}) {
        const std::vector<ByteVector> pieces = textview_test::Pieces(mode);
        for (int found = 0; found < 3;) {
            const ByteVector block = textview_test::RandomBlock(random, pieces, "\r\n");
            std::string text;
            if (block.empty() || !HexDataToText(block.data(), static_cast<UINT>(block.size()), mode, text, NULL))
                continue;
            ++found;
            Load(mode, block);
            EXPECT_NE("<none>", RunTextInput(ID_TEXTINPUT_APPLY));
            EXPECT_EQ(block, Data()) << mode;
        }
    }
}

TEST(ComEditor, SaveAsWritesTheBytesAndRemembersThePath)
{
    HiddenParent parent;
    CHexEditCom com;
    ASSERT_TRUE(com.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), parent.wnd(), 100));
    com.SetData(ByteArray({0x10, 0x20}));
    TempFolder folder;
    const std::string path = folder.File("com.bin");
    ScriptedPrompts prompts;
    prompts.fileAnswers = {path, ""};
    com.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    ByteVector written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ((ByteVector{0x10, 0x20}), written);
    com.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    ASSERT_EQ(2u, prompts.records.size());
    EXPECT_EQ(0u, prompts.records[0].flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(path, prompts.records[1].initial);
    EXPECT_EQ(path, std::string(com.m_strPath));
}
