// A port session as a person runs it: the communication settings chosen in their dialog, the
// port started from the toolbar, bytes from the device shown in the log and answered by the
// automatic echo, bytes typed into the send data editor sent with Ctrl+2, the port stopped;
// then the log saved through the file menu, cleared with F8 and loaded back; a port in extended
// mode stopped and started again, then in plain mode, and the extension-DLL choice after them.
#include <gtest/gtest.h>

#include "journeys.h"
#include "resource.h"
#include "temp_folder_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const char kStartPrompt[] = "通信処理を開始します。(ﾎﾟｰﾄ1)";
const char kStopPrompt[] = "通信処理を終了します。(ﾎﾟｰﾄ1)";
// The first log row whose contents column is a record of that kind ("Recv", "Send") holding
// the bytes' hex; -1 when none.
// A file dialog of the program: the whole path typed into its name field, then Enter.
void AnswerFileDialog(Korvane& k, const std::string& path)
{
    HWND hDlg = k.WaitAnyDialog();
    ASSERT_NE(nullptr, hDlg) << "no file dialog";
    WaitStill(ScreenRect(hDlg));
    Type(path);
    Key(VK_RETURN);
    ASSERT_TRUE(k.WaitDialogGone(hDlg)) << "the file dialog stayed open";
}

// The file menu's command by its access key.
void FileCommand(Korvane& k, char accessKey)
{
    ASSERT_NE(nullptr, k.OpenMenu('F'));
    Key(static_cast<WORD>(accessKey));
    ASSERT_TRUE(WaitFor([&] { return k.NoMenuOpen(); }));
}

} // namespace

TEST(PortSession, SettingsStartReceiveEchoSendAndStopAsAPersonDoes)
{
    SerialPeer peer;
    ASSERT_TRUE(peer.Open()) << "the peer's end of the pseudo-terminal pair (COM" << PeerCom() << ")";
    Korvane k;
    ASSERT_TRUE(k.Start());
    ChooseSettings(k);
    if (HasFatalFailure())
        return;

    ASSERT_TRUE(k.ClickToolButton(kStartPrompt)) << "no toolbar button shows \"" << kStartPrompt << "\"";
    ASSERT_TRUE(WaitFor([&] { return PortState(k) == kConnected; })) << PortState(k);

    const std::vector<BYTE> block = {0x11, 0x22, 0x33, 0x44, 0xA5};
    ASSERT_TRUE(peer.Write(block));
    const std::vector<BYTE> echo = peer.Read(block.size());
    EXPECT_EQ(Hex(block), Hex(echo)) << "the automatic echo";
    if (Hex(block) != Hex(echo)) {
        for (const auto& row : k.LogRows())
            ADD_FAILURE() << row[0] << " " << row[1] << " " << row[3];
    }
    EXPECT_TRUE(WaitFor([&] { return FindLogRow(k, "Recv", block) >= 0; })) << "no received row";
    EXPECT_TRUE(WaitFor([&] { return FindLogRow(k, "Send", block) >= 0; })) << "no row of the echo";

    // Hex typed into the send data editor, sent with Ctrl+2.
    HWND hEditor = FindChild(k.PaneBar(32772), "CHexEdit");
    ASSERT_NE(nullptr, hEditor);
    const RECT rcEditor = ScreenRect(hEditor);
    Click(rcEditor.left + 90, rcEditor.top + 24);
    Type("C0FFEE0102");
    Key('2', kCtrl);
    EXPECT_EQ("C0FFEE0102", Hex(peer.Read(5)));
    EXPECT_TRUE(WaitFor([&] { return FindLogRow(k, "Send", {0xC0, 0xFF, 0xEE, 0x01, 0x02}) >= 0; }));

    ASSERT_TRUE(k.ClickToolButton(kStopPrompt));
    EXPECT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << PortState(k);
    EXPECT_TRUE(k.Close());
}

// A chatty device: numbered lines of 40 bytes written to the program as fast as the line
// takes them, port 1 cutting blocks at each line feed and the log scrolling with them. F12
// goes once 200 lines are on their way, and the device keeps writing until the dialog shows
// and for 500 lines more: the dialog shows while lines come, every line is a row of its own,
// in order, and the stop then ends the port. A list that painted every row on its own read
// the device at the screen's pace, and a dialog asked for during the flood stayed hidden while
// the queue never emptied. How fast lines are shown is the benchmark's (its log floods).
TEST(PortSession, AChattyDeviceIsLoggedLineByLineWhileF12OpensAtOnce)
{
    const int kChunkLines = 50;
    // The log (MAXLOG 9999) keeps every line written.
    const int kMaxLines = 9000;
    SerialPeer peer;
    ASSERT_TRUE(peer.Open()) << "the peer's end of the pseudo-terminal pair (COM" << PeerCom() << ")";
    Korvane k;
    SetProgramSetting("MAXLOG", 9999);
    ASSERT_TRUE(WriteStartupSet(k, "Chatty", "", true));
    ASSERT_TRUE(k.Start());
    ASSERT_TRUE(WaitFor([&] { return PortState(k) == kConnected; })) << PortState(k);
    ASSERT_TRUE(TurnOnAutoScroll(k));
    k.Activate();
    const int nRowsBefore = k.LogCount();

    // Each line: its number, letters up to 39 bytes, a line feed.
    auto Chunk = [&](int nFirst) {
        std::vector<BYTE> lines;
        for (int i = nFirst; i < nFirst + kChunkLines; ++i) {
            char line[41];
            std::snprintf(line, sizeof(line), "%05d%.34s\n", i, "abcdefghijklmnopqrstuvwxyzABCDEFGH");
            lines.insert(lines.end(), line, line + 40);
        }
        return lines;
    };
    int nWritten = 0, nAtDialog = 0, nRowsAtDialog = 0;
    DWORD dwPressed = 0, dwShownMs = 0;
    HWND hDlg = NULL;
    while (nWritten < kMaxLines && (hDlg == NULL || nWritten < nAtDialog + 500)) {
        ASSERT_TRUE(peer.Write(Chunk(nWritten)));
        nWritten += kChunkLines;
        if (dwPressed == 0 && nWritten >= 200) {
            Key(VK_F12);
            dwPressed = ::GetTickCount();
        } else if (dwPressed != 0 && hDlg == NULL && (hDlg = k.WaitDialog("通信設定", 0)) != NULL) {
            dwShownMs = ::GetTickCount() - dwPressed;
            nAtDialog = nWritten;
            nRowsAtDialog = k.LogCount() - nRowsBefore;
        }
    }
    std::printf("F12 showed its dialog %lu ms after the key, %d lines written and %d shown by then\n",
                static_cast<unsigned long>(dwShownMs), nAtDialog, nRowsAtDialog);
    ASSERT_NE(nullptr, hDlg) << "F12 opened no settings dialog while " << nWritten << " lines came";
    Key(VK_ESCAPE);
    EXPECT_TRUE(k.WaitDialogGone(hDlg));

    ASSERT_TRUE(WaitFor([&] { return k.LogCount() >= nRowsBefore + nWritten; }))
        << k.LogCount() - nRowsBefore << " of " << nWritten << " lines logged";
    std::vector<std::string> numbers;
    for (const auto& row : k.LogRows()) {
        const size_t at = row[3].find(":[");
        if (row[3].compare(0, 4, "Recv") == 0 && at != std::string::npos)
            numbers.push_back(row[3].substr(at + 2, 5));
    }
    ASSERT_EQ(static_cast<size_t>(nWritten), numbers.size());
    for (int i = 0; i < nWritten; ++i) {
        char number[6];
        std::snprintf(number, sizeof(number), "%05d", i);
        ASSERT_EQ(number, numbers[static_cast<size_t>(i)]) << "row of line " << i;
    }

    k.Activate();
    Key('3', kCtrl);
    EXPECT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << PortState(k);
    EXPECT_TRUE(k.Close());
}

namespace {

// Through F12's dialog: port 1's receive action in extended mode or not, then OK.
void ChooseExtendedMode(Korvane& k, bool bExtended)
{
    k.Activate();
    Key(VK_F12);
    HWND hDlg = k.WaitDialog("通信設定");
    ASSERT_NE(nullptr, hDlg) << "F12 opened no settings dialog";
    ASSERT_TRUE(k.ClickTreeItem(FindChild(hDlg, "SysTreeView32"), "ポート１", 1));
    HWND hExtended = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hExtended = ShownChild(hDlg, "Button", IDC_RECV_EXTENDED)) != NULL; }));
    if ((::SendMessageA(hExtended, BM_GETCHECK, 0, 0) == BST_CHECKED) != bExtended)
        Click(ScreenRect(hExtended).left + 6, Center(ScreenRect(hExtended)).y);
    ASSERT_TRUE(WaitFor([&] { return (::SendMessageA(hExtended, BM_GETCHECK, 0, 0) == BST_CHECKED) == bExtended; }));
    const POINT ok = Center(ScreenRect(FindChild(hDlg, "Button", IDOK)));
    Click(ok.x, ok.y);
    ASSERT_TRUE(k.WaitDialogGone(hDlg)) << "the settings dialog stayed open after OK";
}

// What the tests' first build of the table-echo DLL answers to a block: its mark, then each
// byte through its table.
std::vector<BYTE> FirstBuildEcho(const std::vector<BYTE>& block)
{
    std::vector<BYTE> echo = {0xA1};
    for (size_t i = 0; i < block.size(); ++i) {
        const unsigned k = static_cast<unsigned>(i % 256 * 256 + block[i]);
        echo.push_back(static_cast<BYTE>((k * 7 + (k >> 8)) & 0xFF));
    }
    return echo;
}

} // namespace

// Port 1 in extended mode with an extension DLL that only the program loads, beside a second
// one in the program's folder (both with thread-local storage, as every DLL built with MinGW):
// its second connection of the run talks through the DLL as its first did, a plain connection
// follows, and then the DLL choice of the settings opens at once, three times, listing both.
// Under Wine a connection thread that mapped the DLL afresh after an earlier connection hung in
// the loader for good, and a choice that mapped a DLL anew after connections had run never
// showed, the program no longer answering. Beside them lie files the program cannot use: a DLL
// that needs a DLL found nowhere (it could not be mapped at the start and must not be mapped
// anew after a connection: the choice faulted there), bytes named .dll, an empty .dll, and a
// usable DLL put there once connections have run, which waits for the next start.
// The port's DLL echoes each block through a table of its build; between the first and the
// second connection another build of it is copied over its file from Linux, as `cp` does (the
// same file, new bytes): the program goes on with the build it loaded. It crashed there when it
// ran the DLL from its own file, which Wine maps in place.
TEST(PortSession, ExtendedModeTwiceThenPlainAndTheDllChoiceStillOpensAtOnce)
{
    SerialPeer peer;
    ASSERT_TRUE(peer.Open()) << "the peer's end of the pseudo-terminal pair (COM" << PeerCom() << ")";
    Korvane k;
    const std::string folder = k.CopyProgramFolder();
    ASSERT_FALSE(folder.empty());
    const std::string dll = folder + "\\kvrjourney_ext.dll";
    ASSERT_TRUE(::CopyFileA((BinFolder() + "\\kvrtest_extbuild1.dll").c_str(), dll.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((BinFolder() + "\\kvrtest_ext.dll").c_str(), (folder + "\\kvrjourney_more.dll").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((BinFolder() + "\\kvrtest_extmissing.dll").c_str(),
                            (folder + "\\kvrjourney_missing.dll").c_str(), FALSE));
    ASSERT_TRUE(WriteWholeFile(folder + "\\kvrjourney_noise.dll", std::vector<BYTE>(3000, 0xA7)));
    ASSERT_TRUE(WriteWholeFile(folder + "\\kvrjourney_empty.dll", {}));
    ASSERT_TRUE(WriteStartupSet(k, "Extended", dll));
    ASSERT_TRUE(k.Start());
    for (BYTE round = 0; round < 3; ++round) {
        // The last round is a plain connection.
        if (round == 2) {
            ChooseExtendedMode(k, false);
            if (HasFatalFailure())
                return;
        }
        if (round > 0) {
            ASSERT_TRUE(k.ClickToolButton(kStartPrompt));
        }
        ASSERT_TRUE(WaitFor([&] { return PortState(k) == kConnected; })) << "round " << int(round);
        const std::vector<BYTE> block = {0xE7, 0x01, round};
        ASSERT_TRUE(peer.Write(block));
        EXPECT_TRUE(WaitFor([&] { return FindLogRow(k, "Recv", block) >= 0; })) << "round " << int(round);
        if (round < 2) {
            EXPECT_EQ(Hex(FirstBuildEcho(block)), Hex(peer.Read(4))) << "round " << int(round);
        }
        // The user's send goes to the DLL, whose reply leaves the writing to the program.
        if (round == 0) {
            const RECT rc = ScreenRect(FindChild(k.PaneBar(32772), "CHexEdit"));
            Click(rc.left + 90, rc.top + 24);
            Type("5AA5");
        }
        k.Activate();
        Key('2', kCtrl);
        EXPECT_EQ("5AA5", Hex(peer.Read(2))) << "round " << int(round);
        ASSERT_TRUE(k.ClickToolButton(kStopPrompt));
        ASSERT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << "round " << int(round) << ": " << PortState(k);
        if (round == 0) {
            ASSERT_TRUE(LinuxCopyOver(BinFolder() + "\\kvrtest_extbuild2.dll", dll));
        }
    }

    ASSERT_TRUE(::CopyFileA((BinFolder() + "\\kvrtest_ext.dll").c_str(), (folder + "\\kvrjourney_late.dll").c_str(), FALSE));
    k.Activate();
    Key(VK_F12);
    HWND hDlg = k.WaitDialog("通信設定");
    ASSERT_NE(nullptr, hDlg) << "F12 opened no settings dialog";
    ASSERT_TRUE(k.ClickTreeItem(FindChild(hDlg, "SysTreeView32"), "拡張(ポート１)"));
    HWND hChoose = NULL;
    ASSERT_TRUE(WaitFor([&] {
        hChoose = FindChild(hDlg, "Button", IDC_DLLPAGE_CHOOSE, "DLLを選択...");
        return hChoose != NULL && ::IsWindowVisible(hChoose);
    }));
    for (int opening = 0; opening < 3; ++opening) {
        const POINT at = Center(ScreenRect(hChoose));
        Click(at.x, at.y);
        HWND hChoice = k.WaitDialog("DLL選択");
        ASSERT_NE(nullptr, hChoice) << "opening " << opening << ": the DLL choice did not show";
        EXPECT_EQ(2, ListCount(FindChild(hChoice, "SysListView32", IDC_DLLSELECT_LIST))) << "opening " << opening;
        Key(VK_ESCAPE);
        ASSERT_TRUE(k.WaitDialogGone(hChoice)) << "opening " << opening;
    }
    Key(VK_ESCAPE);
    ASSERT_TRUE(k.WaitDialogGone(hDlg));
    EXPECT_TRUE(k.Close());
}

TEST(LogFile, SavedThroughTheFileMenuClearedWithF8AndLoadedBack)
{
    SerialPeer peer;
    Korvane k;
    StartConnected(k, peer, "LogFile");
    if (HasFatalFailure())
        return;
    const std::vector<std::vector<BYTE>> blocks = {{0x01, 0x02}, {0xFE, 0xDC, 0xBA}, {0x5A}};
    for (const std::vector<BYTE>& block : blocks) {
        ASSERT_TRUE(peer.Write(block));
        ASSERT_TRUE(WaitFor([&] { return FindLogRow(k, "Recv", block) >= 0; }));
    }
    k.Activate();
    Key('3', kCtrl);
    ASSERT_TRUE(WaitFor([&] { return PortState(k) == kNone; })) << PortState(k);
    // The list follows the log in batches: the stop's record, the connection's last, is listed
    // once its batch has come, and with it every record before.
    ASSERT_TRUE(WaitFor([&] { return FindLogRow(k, "シリアル処理は中断しました") >= 0; })) << "no row of the stop";
    const std::vector<std::vector<std::string>> before = k.LogRows();

    const std::string path = k.File("saved.mqt");
    FileCommand(k, 'W');
    AnswerFileDialog(k, path);
    ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    k.Activate();
    Key(VK_F8);
    ASSERT_NE(nullptr, k.WaitAnyDialog()) << "F8 asked nothing";
    Key(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return k.LogCount() == 0; })) << k.LogCount() << " rows left after F8";

    FileCommand(k, 'L');
    AnswerFileDialog(k, path);
    ASSERT_TRUE(WaitFor([&] { return k.LogCount() == static_cast<int>(before.size()); })) << k.LogCount();
    EXPECT_EQ(before, k.LogRows());
    EXPECT_TRUE(k.Close());
}
