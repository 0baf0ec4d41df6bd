// The send data editor and the detailed log data panes, each hosted from its template in a
// control bar of the test frame.
#include <gtest/gtest.h>

#include <string>

#include "appsettings.h"
#include "commlogrecord.h"
#include "conversions.h"
#include "detaillogpane.h"
#include "messagetext.h"
#include "pane_test_support.h"
#include "pane_test_tools.h"
#include "popupmenuwnd.h"
#include "resource.h"
#include "sendeditorpane.h"
#include "shell_test_support.h"
#include "temp_folder_support.h"
#include "winharness.h"

using namespace panetest;

namespace {

std::string TextOf(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

CCommLogRecord MessageRecord(int code, int error, const std::string& payload)
{
    CCommLogRecord record(0, 0);
    record.m_nKind = 0;
    record.m_nMsgCode = code;
    record.m_nSysError = error;
    if (!payload.empty())
        record.SetPayload(payload.data(), static_cast<int>(payload.size()));
    return record;
}

std::string SystemText(DWORD error)
{
    char* p = NULL;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                     error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&p), 0, NULL);
    std::string text = p != NULL ? p : "";
    ::LocalFree(p);
    return text;
}

class SendEditorPaneTest : public PaneHostFixture {
};

} // namespace

TEST_F(SendEditorPaneTest, ADropLoadsTheFirstFileByItsWholePathAndTitlesTheBar)
{
    TempFolder folder;
    // Two nested folders make a path of exactly 300 characters.
    std::string deep = folder.File(std::string(120, 'd'));
    ASSERT_TRUE(::CreateDirectoryA(deep.c_str(), NULL));
    std::string path = deep + "\\";
    path += std::string(300 - path.size() - 4, 'f') + ".bin";
    ASSERT_EQ(300u, path.size());
    WriteFileBytes(path, std::string("\x01\x02\x03", 3));
    ASSERT_EQ(std::string("\x01\x02\x03", 3), ReadFileBytes(path));
    WriteFileBytes(folder.File("second.bin"), "second");

    winharness::ScriptedPrompts prompts;
    RecordingHexEditHost host;
    CSendEditorPane pane;
    ASSERT_TRUE(HostPane(pane, IDD_SEND_EDITOR_PANE, 32772, IDC_SEND_EDITOR));
    pane.SetTitleTarget(bars.back());
    EXPECT_FALSE(CommandEnabled(&pane, ID_HEX_SAVE));

    DropFiles(pane.m_hWnd, {path, folder.File("second.bin"), folder.File("third.bin")});
    EXPECT_EQ(path, std::string(pane.GetEditor().GetDocumentPath()));
    EXPECT_EQ(std::string("\x01\x02\x03", 3), BytesOf(pane.GetEditor().GetData()));
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ - " + path, WindowText(bars.back()));
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_SAVE));
    EXPECT_TRUE(prompts.records.empty());

    ::DeleteFileW(SystemName(path).c_str());
    ::RemoveDirectoryA(deep.c_str());
}

TEST_F(SendEditorPaneTest, TheToolbarCarriesTheFifteenCommandsAndTheEditorTheSendSettings)
{
    CAppSettings settings;
    SetAppSettingsDefaults(settings);
    settings.m_editor[CAppSettings::EditorSend].nMode = 5;
    settings.m_editor[CAppSettings::EditorSend].nAddrDigits = -1;
    settings.m_editor[CAppSettings::EditorSend].nFont = 3;
    CSendEditorPane pane;
    pane.SetSources(&settings);
    ASSERT_TRUE(HostPane(pane, IDD_SEND_EDITOR_PANE, 32772, IDC_SEND_EDITOR));
    const UINT kIds[] = {ID_HEX_DATA_CLEAR, ID_HEX_READ_FILE, ID_HEX_SAVE, ID_HEX_SAVE_AS, ID_HEX_TEXT_INPUT,
                         ID_HEX_DATA_ANALYSIS, ID_HEX_MARKER, ID_HEX_MARKER_INFO, ID_HEX_UNDO, ID_HEX_REDO,
                         ID_HEX_SELECT_ALL, ID_HEX_COPY, ID_HEX_CUT, ID_HEX_PASTE, ID_HEX_PROPERTIES};
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(kIds[i], pane.GetToolBar().m_arrButtons[i]->GetCmdID(false)) << i;
    EXPECT_EQ(2, pane.GetEditor().GetModel().m_nGroupDigits);
    EXPECT_EQ(4, pane.GetEditor().GetModel().m_nAddressDigits);
    EXPECT_EQ(18, pane.GetEditor().GetModel().m_nFontHeight);
    // The editor fills the pane below its toolbar.
    CRect rcEditor, rcBar, rcPane;
    pane.GetEditor().GetWindowRect(&rcEditor);
    pane.GetToolBar().GetWindowRect(&rcBar);
    pane.GetWindowRect(&rcPane);
    EXPECT_EQ(rcBar.bottom, rcEditor.top);
    EXPECT_EQ(rcPane.Width(), rcEditor.Width());
}

class DetailLogPaneTest : public PaneHostFixture {
protected:
    DetailLogPaneTest()
    {
        SetAppSettingsDefaults(settings);
        settings.m_editor[CAppSettings::EditorDump].nFont = 2;
        pane.SetSources(&settings);
        bHosted = HostPane(pane, IDD_DETAIL_LOG_PANE, 32774, IDC_DETAIL_EDITOR);
    }

    std::string Shown(const CCommLogRecord& record)
    {
        pane.SendMessage(WM_SHOW_LOG_RECORD, 0, reinterpret_cast<LPARAM>(&record));
        return TextOf(pane.GetTextView());
    }

    CAppSettings settings;
    winharness::ScriptedPrompts prompts;
    RecordingHexEditHost host;
    CDetailLogPane pane;
    bool bHosted = false;
};

TEST_F(DetailLogPaneTest, AMessageEntryShowsItsTextPayloadAndTheExplanationOfItsError)
{
    ASSERT_TRUE(bHosted);
    const std::string message = std::string(GetMessageText(13021));
    const std::string socket = message + "\r\nabc\r\n\r\nWSAETIMEDOUT (10060)\r\n" +
                               std::string(LfToCrLf(WinsockErrorText(0, 10060))) + "\r\n" +
                               std::string(LfToCrLf(WinsockErrorText(1, 10060)));
    EXPECT_EQ(socket, Shown(MessageRecord(13021, 10060, std::string("abc\0zz", 6))));
    EXPECT_TRUE(pane.GetTextView().IsWindowVisible());
    EXPECT_FALSE(pane.GetEditor().IsWindowVisible());

    const std::string system = std::string(GetMessageText(20003)) + "\r\n\r\nRESULT CODE = (2)\r\n" + SystemText(2);
    EXPECT_EQ(system, Shown(MessageRecord(20003, 2, "")));
    EXPECT_EQ(message, Shown(MessageRecord(13021, 0, "")));
}

TEST_F(DetailLogPaneTest, AReceiveEntryShowsItsBytesReadOnlyAndAClearDisablesTheByteCommands)
{
    ASSERT_TRUE(bHosted);
    CCommLogRecord receive(0, 0);
    receive.m_nKind = 2;
    receive.SetPayload("\x10\x20\x30", 3);
    pane.SendMessage(WM_SHOW_LOG_RECORD, 0, reinterpret_cast<LPARAM>(&receive));
    EXPECT_EQ(CDetailLogPane::kDumpView, pane.GetViewMode());
    EXPECT_TRUE(pane.GetEditor().IsWindowVisible());
    EXPECT_FALSE(pane.GetTextView().IsWindowVisible());
    EXPECT_EQ(std::string("\x10\x20\x30", 3), BytesOf(pane.GetEditor().GetData()));
    EXPECT_FALSE(pane.GetEditor().IsEditable());
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_SEND_TO_SEND_EDITOR));
    pane.SendMessage(WM_COMMAND, ID_HEX_SEND_TO_SEND_EDITOR);
    ASSERT_EQ(1u, host.sent.size());
    EXPECT_EQ(std::string("\x10\x20\x30", 3), host.sent[0]);

    pane.SendMessage(WM_SHOW_LOG_RECORD, 1, 0);
    EXPECT_EQ(CDetailLogPane::kTextView, pane.GetViewMode());
    EXPECT_TRUE(pane.GetTextView().IsWindowVisible());
    EXPECT_EQ("", TextOf(pane.GetTextView()));
    for (UINT id : {ID_HEX_DATA_ANALYSIS, ID_HEX_SEND_TO_SEND_EDITOR, ID_HEX_SAVE_AS, ID_HEX_MARKER,
                    ID_HEX_MARKER_INFO, ID_HEX_SELECT_ALL, ID_HEX_COPY})
        EXPECT_FALSE(CommandEnabled(&pane, id)) << id;
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_PROPERTIES));

    // The text view's properties open the hex view page for the dump editor.
    pane.SendMessage(WM_COMMAND, ID_HEX_PROPERTIES);
    ASSERT_EQ(1u, host.properties.size());
    EXPECT_EQ(std::make_pair(2, 1), host.properties[0]);
}

TEST_F(DetailLogPaneTest, TheTextViewTakesTheDumpFontHeightAndItsMenuSelectsAll)
{
    ASSERT_TRUE(bHosted);
    HFONT hFont = reinterpret_cast<HFONT>(pane.GetTextView().SendMessage(WM_GETFONT));
    LOGFONTA lf = {};
    ASSERT_TRUE(::GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_EQ(16, lf.lfHeight);

    Shown(MessageRecord(13021, 0, "payload"));
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_SELECT_ALL));
    EXPECT_FALSE(CommandEnabled(&pane, ID_HEX_COPY));

    // A keyboard context menu opens menu 169 beside the view's corner; choosing select all
    // selects the whole text.
    static std::vector<PopupTrackCall> tracked;
    tracked.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = [](const PopupTrackCall& call, UINT* pnChosen) {
        tracked.push_back(call);
        *pnChosen = ID_HEX_SELECT_ALL;
        return static_cast<int>(CUiPopupMenuWnd::kHookChoose);
    };
    HWND hView = pane.GetTextView().m_hWnd;
    ::SendMessageA(hView, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hView), MAKELPARAM(-1, -1));
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    winharness::PumpPending();
    ASSERT_EQ(1u, tracked.size());
    POINT corner = {0, 0};
    ::ClientToScreen(hView, &corner);
    EXPECT_EQ(corner.x + 5, tracked[0].x);
    EXPECT_EQ(corner.y + 5, tracked[0].y);
    EXPECT_EQ(hView, tracked[0].hWndReceiver);
    EXPECT_TRUE(CommandEnabled(&pane, ID_HEX_COPY));
    DWORD start = 1, end = 0;
    ::SendMessageA(hView, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    const std::string shown = std::string(GetMessageText(13021)) + "\r\npayload";
    EXPECT_EQ(static_cast<DWORD>(::MultiByteToWideChar(CP_ACP, 0, shown.c_str(), -1, NULL, 0) - 1), end);
}

TEST_F(DetailLogPaneTest, TheTextViewShowsItsLowLinesAtTheSmallestFont)
{
    ASSERT_TRUE(bHosted);
    settings.m_editor[CAppSettings::EditorDump].nFont = 0;
    pane.ApplyEditorSettings(settings);
    Shown(MessageRecord(13021, 0, "EV_TXEMPTY"));
    HWND hView = pane.GetTextView().m_hWnd;
    ::RedrawWindow(hView, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    winharness::PumpPending();

    // The cell of "_" as the view places its characters, 12 pixels high.
    const int underscore = static_cast<int>(::SendMessageA(hView, EM_LINEINDEX, 1, 0)) + 2;
    const LRESULT at = ::SendMessageA(hView, EM_POSFROMCHAR, underscore, 0);
    const LRESULT next = ::SendMessageA(hView, EM_POSFROMCHAR, underscore + 1, 0);
    const int x = static_cast<short>(LOWORD(at)), y = static_cast<short>(HIWORD(at));
    const int cx = static_cast<short>(LOWORD(next)) - x;
    ASSERT_GT(cx, 0);
    CRect rc;
    ::GetClientRect(hView, &rc);
    winharness::DibSurface shot(rc.Width(), rc.Height());
    HDC hdc = ::GetDC(hView);
    ::BitBlt(shot.dc(), 0, 0, rc.Width(), rc.Height(), hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(hView, hdc);
    const COLORREF back = settings.m_editor[CAppSettings::EditorDump].clrBack;
    int upper = 0, lower = 0;
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < cx; ++col)
            (row < 6 ? upper : lower) += shot.Pixel(x + col, y + row) != back;
    EXPECT_GT(lower, 0);
    EXPECT_EQ(0, upper);
}
