// The program in-process: the start-up with a fresh profile and working folder, the main
// frame's layout, start-up sets, ports driven through the scripted serial device, the
// dispatch of connection reports to real channel buffers, the log commands, the tray icon
// and closing while connections run.
#include <gtest/gtest.h>

#include "barstate.h"
#include "barstaterecords.h"
#include "barstate_test_support.h"
#include "monitorinfo.h"
#include "registryarchive.h"
#include "afxfile.h"
#include "appsettings.h"
#include "channelbuffer.h"
#include "commlogrecord.h"
#include "currentcommset.h"
#include "dockbar.h"
#include "dialogdriver.h"
#include "dyntabbar.h"
#include "fakeserial.h"
#include "logview.h"
#include "mainframe.h"
#include "monitorinfo.h"
#include "pane_test_tools.h"
#include "popuptracktestsupport.h"
#include "portreporter.h"
#include "portsession.h"
#include "randomengine.h"
#include "randomregion.h"
#include "registryarchive.h"
#include "resource.h"
#include "scriptloop.h"
#include "setfile_writer.h"
#include "shell_test_support.h"
#include "shellopen.h"
#include "temp_folder_support.h"
#include "winharness.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kProfileKey = ProgramHome::kProfileKey;

std::vector<NOTIFYICONDATAA> g_trayCalls;
std::vector<DWORD> g_trayMessages;

BOOL WINAPI RecordTray(DWORD dwMessage, PNOTIFYICONDATAA pData)
{
    g_trayMessages.push_back(dwMessage);
    g_trayCalls.push_back(*pData);
    return TRUE;
}

std::vector<BYTE> Bytes(COleSafeArray data)
{
    std::vector<BYTE> out(data.GetOneDimSize());
    if (!out.empty()) {
        BYTE* p = NULL;
        data.AccessData(reinterpret_cast<void**>(&p));
        memcpy(out.data(), p, out.size());
        data.UnaccessData();
    }
    return out;
}

COleSafeArray Buffer(const std::vector<BYTE>& bytes)
{
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? NULL : bytes.data());
    return data;
}

std::string g_openVerb, g_openFile;
int g_openShow = -1;

HINSTANCE WINAPI RecordOpen(HWND, LPCSTR lpszVerb, LPCSTR lpszFile, LPCSTR, LPCSTR, INT nShow)
{
    g_openVerb = lpszVerb != NULL ? lpszVerb : "";
    g_openFile = lpszFile != NULL ? lpszFile : "";
    g_openShow = nShow;
    return reinterpret_cast<HINSTANCE>(33);
}

bool KeyExists(const std::string& path)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

DWORD WINAPI SetFromWorker(LPVOID)
{
    theApp.SetSendEditorData(Buffer({1, 2, 3}));
    return 0;
}

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest()
    {
        g_trayCalls.clear();
        g_trayMessages.clear();
        SetShellNotifyIconProc(RecordTray);
    }

    ~MainFrameTest() override
    {
        Close();
        SetShellNotifyIconProc(NULL);
    }

    void Start()
    {
        ASSERT_TRUE(theApp.InitInstance());
        frame = theApp.GetMainFrame();
        ASSERT_NE(nullptr, frame);
        winharness::PumpPending();
    }

    void Close()
    {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        frame = nullptr;
        winharness::PumpPending();
    }

    // Runs the command's handler as the frame's routing does, whatever its update state says.
    void Command(UINT nId)
    {
        frame->OnCmdMsg(nId, CN_COMMAND, NULL, NULL);
    }

    bool Enabled(UINT nId) { return panetest::CommandEnabled(frame, nId); }

    void WriteSet(const char* name, const CCommSetRecord& set)
    {
        ASSERT_TRUE(testsets::WriteSetFileTo((folder.Path() + "\\" + name).c_str(), set));
    }

    ProgramHome home;
    TempFolder& folder = home.folder;
    CMainFrame* frame = nullptr;
};

CString WindowTitle(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return str;
}

TEST_F(MainFrameTest, FirstStartBuildsTheDefaultFrameAndClosingSavesTheProfile)
{
    Start();
    EXPECT_STREQ("Default - Korvane", WindowTitle(frame));
    ASSERT_LE(16, frame->ToolBar().GetButtonsCount());
    EXPECT_EQ((UINT)ID_FRAME_COMM_SETTINGS, frame->ToolBar().GetButtonID(0));
    EXPECT_EQ((UINT)ID_FRAME_ABOUT, frame->ToolBar().GetButtonID(15));
    for (int port = 0; port < 2; port++) {
        EXPECT_STREQ("None", frame->PortStateText(port));
        EXPECT_EQ(0, frame->PortStateImage(port));
    }
    const struct { UINT id; const char* caption; } bars[] = {
        {ID_BAR_DETAIL_LOG, "詳細ﾛｸﾞﾃﾞｰﾀ"}, {ID_BAR_SEND_EDITOR, "送信ﾃﾞｰﾀｴﾃﾞｨﾀ"},
        {ID_BAR_CONN_STATUS, "接続状況"}, {ID_BAR_EXPLORER, "送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ"},
        {ID_BAR_COM_CONTROL1, "COM制御1"}, {ID_BAR_COM_CONTROL2, "COM制御2"},
        {ID_BAR_SCRIPT1, "ｽｸﾘﾌﾟﾄ1"}, {ID_BAR_SCRIPT2, "ｽｸﾘﾌﾟﾄ2"}};
    for (const auto& bar : bars) {
        CUiControlBar* pBar = frame->PaneBar(bar.id);
        ASSERT_NE(nullptr, pBar) << bar.id;
        EXPECT_STREQ(bar.caption, WindowTitle(pBar)) << bar.id;
    }
    EXPECT_TRUE(frame->PaneBar(ID_BAR_SCRIPT1)->IsDockedAtRight());
    EXPECT_TRUE(frame->PaneBar(ID_BAR_CONN_STATUS)->IsDockedAtBottom());
    // The frame's menu lives in the menu bar, without the tray menu's "show window".
    EXPECT_EQ(nullptr, frame->GetMenu());
    CMenu* pBarMenu = frame->MenuBar().GetBarMenu();
    ASSERT_NE(nullptr, pBarMenu);
    EXPECT_EQ((UINT)-1, pBarMenu->GetMenuState(ID_FRAME_SHOW_WINDOW, MF_BYCOMMAND));
    EXPECT_NE((UINT)-1, pBarMenu->GetMenuState(ID_PORT1_START, MF_BYCOMMAND));
    EXPECT_LE(4, frame->MenuBar().GetButtonsCount());
    CMenu tray;
    ASSERT_TRUE(tray.LoadMenu(IDR_TRAY_MENU));
    EXPECT_NE((UINT)-1, tray.GetMenuState(ID_FRAME_SHOW_WINDOW, MF_BYCOMMAND));

    Close();
    DWORD type = 0, size = 0;
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, (std::string(kProfileKey) + "\\CMN").c_str(), "VER",
                                            RRF_RT_REG_SZ, &type, NULL, &size));
    EXPECT_TRUE(KeyExists(std::string(kProfileKey) + "\\VaviRIZ227\\Profiles\\Korvane\\ControlBar"));
    EXPECT_TRUE(KeyExists(std::string(kProfileKey) + "\\VaviRIZ227\\Profiles\\Korvane\\CommandManager"));
}

// The status bar along the whole bottom of the frame's client area, in the frame's bar list.
::testing::AssertionResult StatusBarAtTheBottom(CMainFrame* frame)
{
    CMainStatusBar& bar = frame->StatusBar();
    if (frame->GetControlBar(ID_FRAME_VIEW_STATUS_BAR) != &bar)
        return ::testing::AssertionFailure() << "not among the frame's bars";
    if (!bar.IsWindowVisible())
        return ::testing::AssertionFailure() << "hidden";
    CRect rcClient, rcBar;
    frame->GetClientRect(&rcClient);
    bar.GetWindowRect(&rcBar);
    frame->ScreenToClient(&rcBar);
    if (rcBar.bottom != rcClient.bottom || rcBar.left != 0 || rcBar.right != rcClient.right || rcBar.Height() < 10)
        return ::testing::AssertionFailure() << "at " << rcBar.left << "," << rcBar.top << "," << rcBar.right << ","
                                             << rcBar.bottom << " in " << rcClient.right << "x" << rcClient.bottom;
    return ::testing::AssertionSuccess();
}

TEST_F(MainFrameTest, TheStatusBarShowsThePortStatesAtTheBottomOfEveryStartAndTheViewMenuTogglesIt)
{
    Start();
    EXPECT_TRUE(StatusBarAtTheBottom(frame));
    CMainStatusBar& bar = frame->StatusBar();
    theApp.OnIdle(0);
    EXPECT_STREQ("None", bar.GetPaneText(1));
    EXPECT_STREQ("None", bar.GetPaneText(2));
    frame->ShowPortState(0, IDS_STATE_CONNECTED);
    theApp.OnIdle(0);
    EXPECT_STREQ("接続中", bar.GetPaneText(1));
    EXPECT_NE(nullptr, bar.GetStatusBarCtrl().GetIcon(1));
    EXPECT_STREQ("None", bar.GetPaneText(2));
    // Icon and text come only through the bar's own record; the class library's ordinary
    // record of the same pane is left alone.
    struct PlainRecord : CCmdUI {
        int nCalls = 0;
        void Enable(BOOL) override { ++nCalls, m_bEnableChanged = TRUE; }
        void SetCheck(int) override { ++nCalls; }
        void SetText(LPCTSTR) override { ++nCalls; }
    } plain;
    plain.m_nID = ID_STATUS_PORT1;
    plain.DoUpdate(frame, FALSE);
    EXPECT_EQ(0, plain.nCalls);

    // The frame's bars menu lists it with the others.
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    ASSERT_TRUE(pMenu->InitRootMenu(frame->GetSafeHwnd()));
    EXPECT_TRUE(CUiDockBar::BuildBarsPopupMenu(frame, pMenu, 0, &frame->ToolBar(), WM_CONTEXTMENU, 0));
    std::vector<UINT> ids;
    for (int i = 0; i < pMenu->ItemGetCount(); ++i)
        ids.push_back(pMenu->ItemGetCmdID(i));
    delete pMenu;
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), (UINT)ID_FRAME_VIEW_TOOLBAR));
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), (UINT)ID_FRAME_VIEW_STATUS_BAR));

    EXPECT_TRUE(Enabled(ID_FRAME_VIEW_STATUS_BAR));
    EXPECT_EQ(1, panetest::CommandChecked(frame, ID_FRAME_VIEW_STATUS_BAR));
    Command(ID_FRAME_VIEW_STATUS_BAR);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(0, panetest::CommandChecked(frame, ID_FRAME_VIEW_STATUS_BAR));
    Command(ID_FRAME_VIEW_STATUS_BAR);
    EXPECT_EQ(1, panetest::CommandChecked(frame, ID_FRAME_VIEW_STATUS_BAR));
    EXPECT_TRUE(StatusBarAtTheBottom(frame));

    frame->ShowWindow(SW_MAXIMIZE);
    winharness::PumpPending();
    EXPECT_TRUE(StatusBarAtTheBottom(frame));
    Close();
    Start();
    EXPECT_TRUE(StatusBarAtTheBottom(frame));
}

// The menu bar takes the top row alone, across the whole frame; the toolbar stands below it.
TEST_F(MainFrameTest, TheMenuBarIsTheTopRowAndTheToolbarTheNextOnEveryStart)
{
    for (int nStart = 0; nStart < 2; nStart++) {
        Start();
        CRect rcClient, rcMenu, rcTools;
        frame->GetClientRect(&rcClient);
        frame->MenuBar().GetWindowRect(&rcMenu);
        frame->ToolBar().GetWindowRect(&rcTools);
        frame->ScreenToClient(&rcMenu);
        frame->ScreenToClient(&rcTools);
        EXPECT_EQ(0, rcMenu.top) << nStart;
        EXPECT_EQ(0, rcMenu.left) << nStart;
        EXPECT_EQ(rcClient.right, rcMenu.right) << nStart;
        EXPECT_EQ(rcMenu.bottom, rcTools.top) << nStart;
        EXPECT_EQ(0, rcTools.left) << nStart;
        Close();
    }
}

TEST_F(MainFrameTest, TheFramesOwnPaintLeavesTheLogViewToPaintItself)
{
    Start();
    CLogview* pView = frame->GetLogView();
    ASSERT_NE(nullptr, pView);
    CRect rcView;
    pView->GetClientRect(&rcView);
    ASSERT_FALSE(rcView.IsRectEmpty());
    pView->Invalidate();
    frame->Invalidate();
    frame->SendMessage(WM_PAINT);
    CRect rcUpdate;
    EXPECT_TRUE(pView->GetUpdateRect(&rcUpdate));
    EXPECT_EQ(rcView, rcUpdate);

    // Shown, the empty list is the window colour below its column headers.
    winharness::PumpPending();
    CClientDC dc(pView);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), dc.GetPixel(rcView.CenterPoint()));
}

TEST_F(MainFrameTest, StartUpSetFillsThePanesAndOpensItsPort)
{
    FakeSerial serial;
    serial.AddDevice("\\\\.\\COM1");
    CCommSetRecord set = testsets::PortOneSet("Bench", 1);
    set.m_sendData = Buffer({0x10, 0x20, 0x30});
    set.m_scriptText[0] = Buffer({'-', '-', '1'});
    set.m_scriptText[1] = Buffer({'-', '-', '2'});
    WriteSet("auto.kvr", set);
    Start();
    EXPECT_STREQ("Bench - Korvane", WindowTitle(frame));
    EXPECT_EQ((std::vector<BYTE>{0x10, 0x20, 0x30}), Bytes(frame->SendPane().GetEditor().GetData()));
    // The script editor hands its text back with its own line ends after it.
    EXPECT_EQ(0, memcmp("--1", Bytes(frame->ScriptPane(0).GetScriptText()).data(), 3));
    EXPECT_EQ(0, memcmp("--2", Bytes(frame->ScriptPane(1).GetScriptText()).data(), 3));
    EXPECT_TRUE(winharness::PumpUntil([&] { return serial.Find("\\\\.\\COM1")->OpenCount() == 1; }));
    EXPECT_TRUE(winharness::PumpUntil([&] { return frame->PortStateText(0) == "接続中"; }));
    EXPECT_EQ(1, serial.Find("\\\\.\\COM1")->OpenCount());
}

TEST_F(MainFrameTest, DamagedStartUpSetGivesOneStopBoxAndTheDefaultSet)
{
    FakeSerial serial;
    serial.AddDevice("\\\\.\\COM1");
    HANDLE h = ::CreateFileA("auto.kvr", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    ::WriteFile(h, "kvr\0broken", 10, &written, NULL);
    ::CloseHandle(h);
    winharness::ScriptedPrompts prompts;
    Start();
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("ファイルの読み込みに失敗しました。", prompts.records[0].text);
    EXPECT_EQ((UINT)MB_ICONSTOP, prompts.records[0].type & MB_ICONMASK);
    EXPECT_STREQ("Default - Korvane", WindowTitle(frame));
    winharness::PumpFor(100);
    EXPECT_EQ(0, serial.Find("\\\\.\\COM1")->OpenCount());
}

TEST_F(MainFrameTest, PortRunsEndToEndThroughTheScriptedDevice)
{
    FakeSerial serial;
    FakeSerialDevice& device = serial.AddDevice("\\\\.\\COM1");
    CCommSetRecord set = testsets::PortOneSet("Ports", 1);
    set.m_nRecvActionOn[0] = 1;
    set.m_nReplyKind[0] = 2;
    set.m_byFixedReply[0] = 0x55;
    Start();
    GetCurrentCommSet() = set;
    frame->SetFrameTitle();
    ASSERT_TRUE(Enabled(ID_PORT1_START));
    Command(ID_PORT1_START);
    ASSERT_TRUE(winharness::PumpUntil([&] { return Enabled(ID_PORT1_SEND); }));
    EXPECT_STREQ("接続中", frame->PortStateText(0));
    EXPECT_EQ(3, frame->PortStateImage(0));
    ASSERT_TRUE(winharness::PumpUntil([&] { return frame->ConnPane().m_wndList.GetItemCount() == 1; }));
    EXPECT_STREQ("1:(-)", frame->ConnPane().m_wndList.GetItemText(0, 1));
    EXPECT_STREQ("COM1", frame->ConnPane().m_wndList.GetItemText(0, 3));
    EXPECT_FALSE(frame->ComPane(0).m_bIdle);
    EXPECT_FALSE(Enabled(ID_FRAME_LOAD_LOG));
    EXPECT_FALSE(Enabled(ID_FRAME_SAVE_LOG));
    EXPECT_FALSE(Enabled(ID_FRAME_EXPORT_LOG));
    EXPECT_FALSE(frame->GetLogView()->GetExStyle() & WS_EX_ACCEPTFILES);

    device.Inject(std::vector<BYTE>{0x41, 0x42});
    ASSERT_TRUE(winharness::PumpUntil([&] { return device.Transmitted().size() == 2; }));
    EXPECT_EQ((std::vector<BYTE>{0x55, 0x55}), device.Transmitted());
    CLogStore& store = frame->GetLogView()->GetStore();
    ASSERT_TRUE(winharness::PumpUntil([&] { return store.GetRecordCount() >= 3; }));
    CListCtrl& list = frame->GetLogView()->GetListCtrl();
    ASSERT_TRUE(winharness::PumpUntil([&] { return list.GetItemCount() == store.GetRowCount(); }));
    int nRecv = -1;
    for (int i = 0; i < list.GetItemCount() && nRecv < 0; i++) {
        if (list.GetItemText(i, 3).Find("Recv:0002:4142") == 0)
            nRecv = i;
    }
    ASSERT_LE(0, nRecv);
    list.SetItemState(nRecv, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ((std::vector<BYTE>{0x41, 0x42}), Bytes(frame->DetailPane().GetEditor().GetData()));

    frame->SetSendEditorBytes(Buffer({0x01, 0x02}));
    Command(ID_PORT1_SEND);
    ASSERT_TRUE(winharness::PumpUntil([&] { return device.Transmitted().size() == 4; }));
    EXPECT_EQ((std::vector<BYTE>{0x55, 0x55, 0x01, 0x02}), device.Transmitted());

    Command(ID_PORT1_STOP);
    ASSERT_TRUE(winharness::PumpUntil([&] { return Enabled(ID_PORT1_START); }));
    EXPECT_STREQ("None", frame->PortStateText(0));
    EXPECT_FALSE(Enabled(ID_PORT1_STOP));
    EXPECT_FALSE(Enabled(ID_PORT1_SEND));
    EXPECT_EQ(0, frame->ConnPane().m_wndList.GetItemCount());
    EXPECT_TRUE(frame->ComPane(0).m_bIdle);
    EXPECT_TRUE(Enabled(ID_FRAME_SAVE_LOG));
    EXPECT_TRUE(frame->GetLogView()->GetExStyle() & WS_EX_ACCEPTFILES);
}

TEST_F(MainFrameTest, RepliesAndRoutesReachTheChosenChannelBuffers)
{
    Start();
    CCommSetRecord& set = GetCurrentCommSet();
    set.m_nRecvActionOn[0] = 1;
    set.m_nReplyKind[0] = 1;
    set.m_nReplyTarget[0] = 0;
    CChannelBuffer a(3, 0, 0), b(3, 0, 0), c(3, 0, 1);
    a.m_nPort = 0; a.m_nSub = 0;
    b.m_nPort = 0; b.m_nSub = 1;
    c.m_nPort = 1; c.m_nSub = 0;
    for (CChannelBuffer* p : {&a, &b, &c})
        frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRegister, reinterpret_cast<LPARAM>(p));
    EXPECT_EQ(3, frame->ConnPane().m_wndList.GetItemCount());

    CCommLogRecord record;
    record.m_nPort = 0;
    record.m_nKind = 2;
    record.m_nSub = 1;
    record.m_data = Buffer({7, 8});
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(0, a.GetCount());
    ASSERT_EQ(1, b.GetCount());
    EXPECT_EQ((std::vector<BYTE>{7, 8}), Bytes(b.Pop()));
    EXPECT_EQ(0, b.m_nLastFlag);

    set.m_nReplyTarget[0] = 2;
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(1, c.GetCount());
    EXPECT_EQ(0, a.GetCount());

    set.m_nScriptMode[0] = 1;
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(1, c.GetCount());
    HANDLE hEvent = ::CreateEventA(NULL, FALSE, FALSE, MakeScriptSendEventName(0));
    Command(ID_PORT1_SEND);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hEvent, 0));
    ::CloseHandle(hEvent);
    EXPECT_EQ(0, a.GetCount());
    set.m_nScriptMode[0] = 0;

    const int rows = frame->GetLogView()->GetRecordCount();
    CCommLogRecord route;
    route.m_nPort = 1;
    route.m_nSub = 0;
    route.m_nRouteTarget = 1;
    route.m_data = Buffer({9});
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRoute, reinterpret_cast<LPARAM>(&route));
    EXPECT_EQ(1, a.GetCount());
    EXPECT_EQ(1, b.GetCount());
    EXPECT_EQ(rows, frame->GetLogView()->GetRecordCount());

    for (CChannelBuffer* p : {&a, &b, &c})
        frame->SendMessage(WM_COMM_NOTIFY, CommNotifyUnregister, reinterpret_cast<LPARAM>(p));
    EXPECT_TRUE(frame->RegisteredBuffers().empty());
    EXPECT_EQ(0, frame->ConnPane().m_wndList.GetItemCount());
}

TEST_F(MainFrameTest, RetryRestartsUntilStopAndAPortOfAnotherTypeCanStartAgain)
{
    FakeSerial serial;   // no device: every open fails
    Start();
    CCommSetRecord set = testsets::PortOneSet("Retry", 1);
    set.m_nAutoRetry[0] = 1;
    set.m_nRetryPeriod[0] = 50;
    GetCurrentCommSet() = set;
    frame->SetFrameTitle();
    Command(ID_PORT1_START);
    CLogStore& store = frame->GetLogView()->GetStore();
    auto FailedOpens = [&] {
        int n = 0;
        for (int i = 0; i < store.GetRecordCount(); i++)
            n += store.GetRecord(i).m_nKind == 0 && store.GetRecord(i).m_nMsgCode == 20003;
        return n;
    };
    ASSERT_TRUE(winharness::PumpUntil([&] { return FailedOpens() >= 3; }));
    EXPECT_TRUE(Enabled(ID_PORT1_STOP));
    EXPECT_FALSE(Enabled(ID_PORT1_START));
    Command(ID_PORT1_STOP);
    ASSERT_TRUE(winharness::PumpUntil([&] { return Enabled(ID_PORT1_START); }));
    EXPECT_FALSE(Enabled(ID_PORT1_STOP));

    GetCurrentCommSet().m_nCommType[0] = 0;
    Command(ID_PORT1_START);
    EXPECT_FALSE(Enabled(ID_PORT1_START));
    EXPECT_TRUE(Enabled(ID_PORT1_STOP));
    Command(ID_PORT1_STOP);
    EXPECT_TRUE(Enabled(ID_PORT1_START));
}

TEST_F(MainFrameTest, LogCommandsAskAndWriteTheAnsweredFiles)
{
    Start();
    winharness::ScriptedPrompts prompts;
    Command(ID_FRAME_SAVE_LOG);
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("ログデータはありません。", prompts.records[0].text);
    EXPECT_EQ(0u, prompts.records[0].type & MB_ICONMASK);

    CCommLogRecord record;
    record.m_nPort = 0;
    record.m_nKind = 2;
    record.m_data = Buffer({0x41, 0x42});
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
    const std::string path = folder.Path() + "\\saved.mqt";
    prompts.fileAnswers.push_back(path);
    Command(ID_FRAME_SAVE_LOG);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str()));
    EXPECT_STREQ(path.c_str(), GetCurrentCommSet().m_strLogPath);
    prompts.fileAnswers.push_back("");
    Command(ID_FRAME_SAVE_LOG);
    EXPECT_STREQ(path.c_str(), GetCurrentCommSet().m_strLogPath);

    prompts.messageAnswers.push_back(IDCANCEL);
    Command(ID_FRAME_CLEAR_LOG);
    EXPECT_EQ("表示中のログを削除します。\nよろしいですか？", prompts.records.back().text);
    EXPECT_EQ(1, frame->GetLogView()->GetRecordCount());

    Command(ID_FRAME_CLEAR_LOG);
    ASSERT_EQ(0, frame->GetLogView()->GetRecordCount());
    prompts.fileAnswers.push_back(path);
    Command(ID_FRAME_LOAD_LOG);
    ASSERT_EQ(1, frame->GetLogView()->GetRecordCount());
    EXPECT_EQ((std::vector<BYTE>{0x41, 0x42}), Bytes(frame->GetLogView()->GetStore().GetRecord(0).m_data));
}

TEST_F(MainFrameTest, ExportAsksTheFormatThenWritesCsvOrText)
{
    Start();
    CCommLogRecord record;
    record.m_nPort = 0;
    record.m_nKind = 2;
    record.m_data = Buffer({0x41, 0x42});
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
    winharness::ScriptedPrompts prompts;
    auto Export = [&](std::vector<UINT> clicks, const std::string& path) {
        DialogDriver driver;
        driver.Step(1, [&](HWND hDlg) {
            for (UINT id : clicks)
                ::SendDlgItemMessageA(hDlg, id, BM_CLICK, 0, 0);
            DialogDriver::Post(hDlg, IDOK);
        });
        prompts.fileAnswers.push_back(path);
        Command(ID_FRAME_EXPORT_LOG);
        EXPECT_FALSE(driver.timedOut);
        return panetest::ReadFileBytes(path);
    };
    const std::string csv = Export({}, folder.Path() + "\\plain.csv");
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("csv", prompts.records[0].defExt);
    const std::string text = Export({IDC_SAVEFORMAT_TEXT}, folder.Path() + "\\plain.txt");
    EXPECT_EQ("txt", prompts.records.back().defExt);
    const std::string digest = Export({IDC_SAVEFORMAT_TEXT, IDC_SAVEFORMAT_CSV}, folder.Path() + "\\digest.csv");
    EXPECT_EQ("csv", prompts.records.back().defExt);
    EXPECT_NE("<missing>", csv);
    EXPECT_NE("<missing>", text);
    EXPECT_NE(csv, text);
    EXPECT_EQ(csv, digest);
}

TEST_F(MainFrameTest, TrayIconFollowsTheTitleWithATipCutBetweenCharacters)
{
    GetAppSettings().m_nTaskTray = 1;
    Start();
    GetAppSettings().m_nTaskTray = 1;
    frame->SetFrameTitle();
    ASSERT_FALSE(g_trayCalls.empty());
    EXPECT_EQ((DWORD)NIM_ADD, g_trayMessages.front());
    EXPECT_EQ(kTrayIconId, g_trayCalls.front().uID);
    CString name;
    for (int i = 0; i < 40; i++)
        name += "あ";
    GetCurrentCommSet().m_strSetName = name;
    frame->SetFrameTitle();
    EXPECT_EQ((DWORD)NIM_MODIFY, g_trayMessages.back());
    EXPECT_EQ(62u, strlen(g_trayCalls.back().szTip));
    Close();
    EXPECT_EQ((DWORD)NIM_DELETE, g_trayMessages.back());
    GetAppSettings().m_nTaskTray = 0;
}

TEST_F(MainFrameTest, WorkerCallsOnTheSendEditorAreDoneByTheMainThread)
{
    Start();
    HANDLE hThread = ::CreateThread(NULL, 0, SetFromWorker, NULL, 0, NULL);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(hThread, 100));   // waits for the pump
    ASSERT_TRUE(winharness::PumpUntil([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }));
    ::CloseHandle(hThread);
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), Bytes(frame->GetSendEditorBytes()));
}

TEST_F(MainFrameTest, AMovedBarStaysMovedAndAMinimisedFrameComesBackRestored)
{
    Start();
    ASSERT_TRUE(frame->ToolBar().DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false));
    ASSERT_TRUE(frame->ToolBar().IsDockedAtBottom());
    frame->ShowWindow(SW_MINIMIZE);
    winharness::PumpPending();
    Close();

    Start();
    EXPECT_TRUE(frame->ToolBar().IsDockedAtBottom());
    EXPECT_FALSE(frame->ToolBar().IsDockedAtTop());
    EXPECT_FALSE(frame->IsIconic());
    EXPECT_TRUE(frame->IsWindowVisible());
}

// Each pane's group (its tab ids in order), whether the pane shows, and each group's selected tab.
struct PaneLayout {
    std::vector<std::vector<UINT>> groups;
    std::vector<UINT> selected;
    std::vector<bool> shown;
    bool operator==(const PaneLayout& o) const { return groups == o.groups && selected == o.selected && shown == o.shown; }
};

PaneLayout PaneLayoutOf(CMainFrame* frame)
{
    static const UINT kPanes[] = {ID_BAR_DETAIL_LOG,   ID_BAR_SEND_EDITOR,  ID_BAR_CONN_STATUS, ID_BAR_EXPLORER,
                                  ID_BAR_COM_CONTROL1, ID_BAR_COM_CONTROL2, ID_BAR_SCRIPT1,     ID_BAR_SCRIPT2};
    PaneLayout layout;
    for (UINT id : kPanes) {
        CUiControlBar* pBar = frame->PaneBar(id);
        layout.shown.push_back(pBar != nullptr && pBar->IsWindowVisible() && pBar->IsVisible());
        CUiDynTabControlBar* pGroup = pBar != nullptr ? pBar->GetTabContainerBar() : nullptr;
        std::vector<UINT> tabs;
        for (int i = 0; pGroup != nullptr && i < pGroup->m_wndTabs.ItemGetCount(); ++i)
            tabs.push_back((UINT)pGroup->m_wndTabs.GetItemBar(i, true)->GetDlgCtrlID());
        layout.groups.push_back(tabs);
        CUiControlBar* pSelected = pGroup != nullptr ? pGroup->GetSelectedBar() : nullptr;
        layout.selected.push_back(pSelected != nullptr ? (UINT)pSelected->GetDlgCtrlID() : 0);
        // The selected pane is the one on top, the one a person sees.
        CWnd* pTop = pGroup != nullptr ? pGroup->m_pInnerDockBar->GetWindow(GW_CHILD) : nullptr;
        while (pTop != nullptr && !pTop->IsWindowVisible())
            pTop = pTop->GetWindow(GW_HWNDNEXT);
        EXPECT_EQ(pSelected != nullptr ? pSelected->m_hWnd : NULL, pTop != nullptr ? pTop->m_hWnd : NULL) << id;
    }
    return layout;
}

TEST_F(MainFrameTest, EveryPaneComesBackShownInItsGroupWithItsSelectedTabAfterEachRestart)
{
    Start();
    CUiDynTabControlBar* pBottom = frame->PaneBar(ID_BAR_CONN_STATUS)->GetTabContainerBar();
    ASSERT_NE(nullptr, pBottom);
    pBottom->m_wndTabs.SelectionSet(pBottom->m_wndTabs.ItemFindByLParam((LPARAM)frame->PaneBar(ID_BAR_COM_CONTROL1)));
    winharness::PumpPending();
    const PaneLayout first = PaneLayoutOf(frame);
    ASSERT_EQ(std::vector<bool>(8, true), first.shown);
    ASSERT_EQ(frame->PaneBar(ID_BAR_COM_CONTROL1), pBottom->GetSelectedBar());
    ASSERT_EQ(3u, first.groups[6].size());
    ASSERT_EQ(5u, first.groups[2].size());
    for (int run = 1; run <= 3; run++) {
        Close();
        Start();
        EXPECT_TRUE(frame->IsWindowVisible()) << run;
        const PaneLayout again = PaneLayoutOf(frame);
        EXPECT_EQ(first.shown, again.shown) << run;
        EXPECT_EQ(first.groups, again.groups) << run;
        EXPECT_EQ(first.selected, again.selected) << run;
    }
}

// The saved layout as it lies in the registry: read into records, changed, written back.
class SavedLayoutTest : public MainFrameTest {
protected:
    using Record = CUiControlBar::InternalDockStateBar;
    using Site = CUiControlBar::InternalDockStateSite;

    static CString LayoutPath()
    {
        CString strPath;
        BarStateRegistryPath(strPath, "Korvane", "Pellandor", "Korvane");
        return strPath;
    }
    static std::vector<BYTE> ReadLayout()
    {
        CMemFile file(1024);
        EXPECT_TRUE(RegistryArchiveRead(file, LayoutPath(), HKEY_CURRENT_USER));
        std::vector<BYTE> bytes((size_t)file.GetLength());
        file.SeekToBegin();
        file.Read(bytes.data(), (UINT)bytes.size());
        return bytes;
    }
    static void WriteLayout(const std::vector<BYTE>& bytes)
    {
        CMemFile file(1024);
        file.Write(bytes.data(), (UINT)bytes.size());
        file.SeekToBegin();
        ASSERT_TRUE(RegistryArchiveWrite(file, LayoutPath(), HKEY_CURRENT_USER));
    }
    // The bytes read into records, damaged by fn, and stored again.
    static std::vector<BYTE> Damaged(const std::vector<BYTE>& bytes, const std::function<void(Site&)>& fn)
    {
        Site site(nullptr);
        EXPECT_TRUE(barstatetest::Load(bytes, [&](CArchive& ar) { return site.SerializeState(ar); }));
        fn(site);
        return barstatetest::Store([&](CArchive& ar) { site.SerializeState(ar); });
    }
    static Record* Find(CArray<Record*, Record*>& records, UINT nId)
    {
        for (INT_PTR i = 0; i < records.GetSize(); i++) {
            if (records[i]->m_nBarId == nId)
                return records[i];
            if (Record* p = Find(records[i]->m_arrChildren, nId))
                return p;
        }
        return nullptr;
    }
    static Record* Holding(Site& site, UINT nId)
    {
        for (INT_PTR i = 0; i < site.m_arrBars.GetSize(); i++) {
            CArray<Record*, Record*> one;
            one.Add(site.m_arrBars[i]);
            if (Find(one, nId) != nullptr)
                return site.m_arrBars[i];
        }
        return nullptr;
    }

    // What a person finds after the start: the window shows on the work area, and every pane
    // shows, or shows when the view menu asks, inside it, with a tab when it is in a group.
    void ExpectWindowAndPanesWithinReach()
    {
        ASSERT_NE(nullptr, frame);
        EXPECT_TRUE(frame->IsWindowVisible());
        EXPECT_FALSE(frame->IsIconic());
        MonitorInfo info;
        MonitorInfoFromWindow(info, frame);
        const CRect rcWork(info.rcWork);
        CRect rcFrame;
        frame->GetWindowRect(&rcFrame);
        EXPECT_EQ(rcFrame, rcFrame & rcWork);
        EXPECT_GE(rcFrame.Width(), 320);
        EXPECT_GE(rcFrame.Height(), 240);
        for (UINT id : kPaneIds) {
            CUiControlBar* pBar = frame->PaneBar(id);
            ASSERT_NE(nullptr, pBar);
            if (!pBar->IsWindowVisible()) {
                Command(id);
                winharness::PumpPending();
            }
            EXPECT_TRUE(pBar->IsWindowVisible()) << id;
            CRect rc;
            pBar->GetWindowRect(&rc);
            EXPECT_TRUE(rcWork.PtInRect(CPoint(rc.left + 4, rc.top + 4))) << id;
            EXPECT_LE(rc.Width(), rcWork.Width()) << id;
            EXPECT_GE(rc.Width(), 20) << id;
            EXPECT_GE(rc.Height(), 20) << id;
            if (CUiDynTabControlBar* pGroup = pBar->GetTabContainerBar()) {
                EXPECT_GE(pGroup->m_wndTabs.ItemFindByLParam((LPARAM)pBar), 0) << id;
            }
        }
        CRect rcView;
        frame->GetLogView()->GetWindowRect(&rcView);
        EXPECT_GT(rcView.Width(), 100);
        EXPECT_GT(rcView.Height(), 50);
    }

    static constexpr UINT kPaneIds[8] = {ID_BAR_DETAIL_LOG,   ID_BAR_SEND_EDITOR,  ID_BAR_CONN_STATUS, ID_BAR_EXPLORER,
                                         ID_BAR_COM_CONTROL1, ID_BAR_COM_CONTROL2, ID_BAR_SCRIPT1,     ID_BAR_SCRIPT2};
};

TEST_F(SavedLayoutTest, EachDamagedValueInTheRegistryGivesAWindowThatShowsOnTheWorkAreaWithEveryPaneWithinReach)
{
    // The default layout with script 2 and the explorer floating as a group of their own.
    Start();
    CUiControlBar* pScript2 = frame->PaneBar(ID_BAR_SCRIPT2);
    ASSERT_TRUE(pScript2->FloatAt(300, 200, CBRS_ALIGN_TOP));
    ASSERT_TRUE(pScript2->DockIntoTabbedGroup(frame->PaneBar(ID_BAR_EXPLORER), -1));
    winharness::PumpPending();
    Close();
    const std::vector<BYTE> saved = ReadLayout();
    ASSERT_FALSE(saved.empty());

    struct Case {
        const char* pszName;
        std::function<void(Site&)> damage;
        std::function<void(CMainFrame*)> check;
    };
    const Case cases[] = {
        {"show command 1234", [](Site& s) { s.m_wp.showCmd = 1234; }},
        {"a window of no size", [](Site& s) { s.m_wp.rcNormalPosition.right = s.m_wp.rcNormalPosition.left; }},
        {"a window of negative size", [](Site& s) { ::SetRect(&s.m_wp.rcNormalPosition, 400, 300, 100, 100); }},
        {"a floating group of no size",
         [](Site& s) {
             Record* p = Holding(s, ID_BAR_SCRIPT2);
             p->m_rcFloatFrame.right = p->m_rcFloatFrame.left;
             p->m_rcFloatFrame.bottom = p->m_rcFloatFrame.top;
         }},
        {"a pane 0x3FFFFFFF wide",
         [](Site& s) {
             Holding(s, ID_BAR_SCRIPT1)->m_sizeVert.cx = 0x3FFFFFFF;
             Find(s.m_arrBars, ID_BAR_SCRIPT1)->m_sizeVert.cx = 0x3FFFFFFF;
         }},
        {"the toolbar named twice",
         [](Site& s) {
             // The toolbar lies in the outer top dock bar, whose rows the class library's
             // dock state keeps: a second row names it again.
             ASSERT_NE(nullptr, s.m_pDockState);
             CControlBarInfo* pTop = nullptr;
             for (INT_PTR i = 0; i < s.m_pDockState->m_arrBarInfo.GetSize(); i++) {
                 CControlBarInfo* pInfo = s.m_pDockState->GetBarInfo(static_cast<int>(i));
                 if (pInfo->m_bDockBar && pInfo->m_nBarID == AFX_IDW_DOCKBAR_TOP)
                     pTop = pInfo;
             }
             ASSERT_NE(nullptr, pTop);
             bool bNamed = false;
             for (INT_PTR i = 0; i < pTop->m_arrBarID.GetSize(); i++)
                 bNamed = bNamed || pTop->m_arrBarID[i] == ID_FRAME_VIEW_TOOLBAR;
             ASSERT_TRUE(bNamed);
             pTop->m_arrBarID.Add(ID_FRAME_VIEW_TOOLBAR);
             pTop->m_arrBarID.Add(0);
         }},
        {"a group whose pane names the group's own id",
         [](Site& s) {
             Record* p = Holding(s, ID_BAR_CONN_STATUS);
             p->m_nBarId = 0x7123;
             p->m_arrChildren[0]->m_nBarId = 0x7123;
         }},
        {"a pane left out",
         [](Site& s) {
             Record* p = Holding(s, ID_BAR_CONN_STATUS);
             for (INT_PTR i = 0; i < p->m_arrChildren.GetSize(); i++) {
                 if (p->m_arrChildren[i]->m_nBarId == ID_BAR_COM_CONTROL1) {
                     delete p->m_arrChildren[i];
                     p->m_arrChildren.RemoveAt(i);
                     break;
                 }
             }
         },
         // It comes back where the default layout has it, shown.
         [](CMainFrame* f) {
             EXPECT_TRUE(f->PaneBar(ID_BAR_COM_CONTROL1)->IsWindowVisible());
             EXPECT_NE(nullptr, f->PaneBar(ID_BAR_COM_CONTROL1)->GetTabContainerBar());
             EXPECT_EQ(f->PaneBar(ID_BAR_CONN_STATUS)->GetTabContainerBar(),
                       f->PaneBar(ID_BAR_COM_CONTROL1)->GetTabContainerBar());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        WriteLayout(Damaged(saved, c.damage));
        Start();
        if (c.check)
            c.check(frame);
        ExpectWindowAndPanesWithinReach();
        CUiToolControlBar& tool = frame->ToolBar();
        // The toolbar floated leaves nothing of itself behind (its dock bar may go with it).
        CDockBar* pToolDock = tool.m_pDockBar;
        const HWND hToolDock = pToolDock != nullptr ? pToolDock->m_hWnd : NULL;
        ASSERT_TRUE(tool.FloatAt(500, 500, CBRS_ALIGN_TOP));
        if (::IsWindow(hToolDock) && CWnd::FromHandlePermanent(hToolDock) == pToolDock) {
            for (INT_PTR i = 0; i < pToolDock->m_arrBars.GetSize(); i++)
                EXPECT_NE((void*)&tool, pToolDock->m_arrBars[i]);
        }
        Close();
    }
    // A layout cut short is no layout: the default one is built.
    WriteLayout(std::vector<BYTE>(saved.begin(), saved.begin() + saved.size() / 2));
    Start();
    ExpectWindowAndPanesWithinReach();
    EXPECT_TRUE(frame->PaneBar(ID_BAR_SCRIPT1)->IsDockedAtRight());
}

TEST_F(MainFrameTest, F8AndCtrl1ReachTheFrameWithTheFocusInTheSendEditor)
{
    FakeSerial serial;
    serial.AddDevice("\\\\.\\COM1");
    Start();
    GetCurrentCommSet() = testsets::PortOneSet("Keys", 1);
    frame->SetFrameTitle();
    CCommLogRecord record;
    record.m_nPort = 0;
    record.m_nKind = 2;
    record.m_data = Buffer({0x41});
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
    frame->SendPane().GetEditor().SetFocus();
    winharness::ScriptedPrompts prompts;
    prompts.messageAnswers.push_back(IDCANCEL);
    MSG msg = {frame->SendPane().GetEditor().GetSafeHwnd(), WM_KEYDOWN, VK_F8, 0};
    EXPECT_TRUE(theApp.PreTranslateMessage(&msg));
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("表示中のログを削除します。\nよろしいですか？", prompts.records[0].text);

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    msg.wParam = '1';
    EXPECT_TRUE(theApp.PreTranslateMessage(&msg));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(winharness::PumpUntil([&] { return frame->PortStateText(0) == "接続中"; }));
}

TEST_F(MainFrameTest, ClosingWhileBothPortsRunEndsTheirThreadsAndSavesEverything)
{
    FakeSerial serial;
    FakeSerialDevice& one = serial.AddDevice("\\\\.\\COM1");
    FakeSerialDevice& two = serial.AddDevice("\\\\.\\COM2");
    Start();
    GetAppSettings().m_nTaskTray = 1;
    CCommSetRecord set = testsets::PortOneSet("Closing", 1);
    set.m_nInUse[1] = 1;
    set.m_nCommType[1] = CCommSetRecord::kCommTypeSerial;
    set.m_nComIndex[1] = 1;
    GetCurrentCommSet() = set;
    frame->SetFrameTitle();
    Command(ID_PORT1_START);
    Command(ID_PORT2_START);
    ASSERT_TRUE(winharness::PumpUntil([&] { return one.IsOpen() && two.IsOpen(); }));
    ASSERT_TRUE(winharness::PumpUntil([&] { return frame->RegisteredBuffers().size() == 2; }));

    // A worker keeps using the accessors while the frame closes.
    struct Worker {
        static DWORD WINAPI Run(LPVOID pStop)
        {
            while (!*static_cast<volatile LONG*>(pStop)) {
                theApp.SetSendEditorData(Buffer({1, 2}));
                theApp.GetSendEditorData();
            }
            return 0;
        }
    };
    volatile LONG stop = 0;
    HANDLE hWorker = ::CreateThread(NULL, 0, Worker::Run, (LPVOID)&stop, 0, NULL);
    winharness::PumpFor(50);
    const DWORD dwStart = ::GetTickCount();
    Close();
    EXPECT_GT(30000u, ::GetTickCount() - dwStart);
    EXPECT_FALSE(one.IsOpen());
    EXPECT_FALSE(two.IsOpen());
    stop = 1;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hWorker, 30000));
    ::CloseHandle(hWorker);
    ASSERT_FALSE(g_trayMessages.empty());
    EXPECT_EQ((DWORD)NIM_DELETE, g_trayMessages.back());
    // The settings were saved as they stood at the close.
    DWORD type = 0, value = 0, size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, (std::string(kProfileKey) + "\\CMN").c_str(),
                                            "TASKTRY", RRF_RT_REG_DWORD, &type, &value, &size));
    EXPECT_EQ(1u, value);
    GetAppSettings().m_nTaskTray = 0;
}

TEST_F(MainFrameTest, TheLogFontChosenInTheSettingsIsTheListsAtTheNextStart)
{
    auto ListFontHeight = [&] {
        LOGFONTA font = {};
        HFONT hFont = (HFONT)frame->GetLogView()->SendMessage(WM_GETFONT);
        ::GetObjectA(hFont, sizeof(font), &font);
        return font.lfHeight;
    };
    Start();
    EXPECT_EQ(12, ListFontHeight());
    GetAppSettings().m_nLogFont = 2;
    Close();
    GetAppSettings().m_nLogFont = 0;
    Start();
    EXPECT_EQ(2, GetAppSettings().m_nLogFont);
    EXPECT_EQ(16, ListFontHeight());
    GetAppSettings().m_nLogFont = 0;
}

// The file menu's exit closes the frame as its caption's close button does: the running port
// is stopped and waited for, and the layout and the settings are saved.
TEST_F(MainFrameTest, ExitIsEnabledAndClosesTheFrameWhileAPortRuns)
{
    FakeSerial serial;
    FakeSerialDevice& device = serial.AddDevice("\\\\.\\COM1");
    Start();
    GetCurrentCommSet() = testsets::PortOneSet("Exit", 1);
    frame->SetFrameTitle();
    Command(ID_PORT1_START);
    ASSERT_TRUE(winharness::PumpUntil([&] { return device.IsOpen(); }));
    EXPECT_TRUE(Enabled(ID_FRAME_EXIT));
    const HWND hFrame = frame->GetSafeHwnd();
    frame->SendMessage(WM_COMMAND, ID_FRAME_EXIT, 0);
    EXPECT_FALSE(::IsWindow(hFrame));
    frame = nullptr;
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(KeyExists(std::string(kProfileKey) + "\\VaviRIZ227\\Profiles\\Korvane\\ControlBar"));
    EXPECT_TRUE(KeyExists(std::string(kProfileKey) + "\\CMN"));
}

TEST_F(MainFrameTest, ExtendedModeSendsTheEditorBytesWithoutTheRandomRegions)
{
    Start();
    CCommSetRecord& set = GetCurrentCommSet();
    RandomRegion region = MakeEmptyRandomRegion();
    region.start = 0;
    region.end = 1;
    region.type = RandomValueByte;
    region.unsignedMin = region.unsignedMax = 0x10;
    CRandomEngine& engine = GetPortSlot(0).m_randomEngine;
    engine.LoadRandomRegions(RandomRegionsToBlob({region}), 0);
    set.m_nRandomOn[0] = 1;
    CChannelBuffer buffer(3, 0, 0);
    buffer.m_nPort = 0;
    buffer.m_nSub = 0;
    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyRegister, reinterpret_cast<LPARAM>(&buffer));
    frame->SetSendEditorBytes(Buffer({1, 2, 3}));

    Command(ID_PORT1_SEND);
    ASSERT_EQ(1, buffer.GetCount());
    EXPECT_EQ(0x10, Bytes(buffer.Pop())[0]);
    set.m_nExtendedMode[0] = 1;
    Command(ID_PORT1_SEND);
    ASSERT_EQ(1, buffer.GetCount());
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), Bytes(buffer.Pop()));

    frame->SendMessage(WM_COMM_NOTIFY, CommNotifyUnregister, reinterpret_cast<LPARAM>(&buffer));
    engine.LoadRandomRegions(COleSafeArray(), 0);
    set.m_nRandomOn[0] = set.m_nExtendedMode[0] = 0;
}

TEST_F(MainFrameTest, TheTrayIconHidesAMinimisedWindowShowsItAgainAndOpensItsMenu)
{
    Start();
    GetAppSettings().m_nTaskTray = 2;
    frame->SetFrameTitle();
    frame->ShowWindow(SW_MINIMIZE);
    winharness::PumpPending();
    EXPECT_FALSE(frame->IsWindowVisible());
    frame->SendMessage(WM_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
    winharness::PumpPending();
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_FALSE(frame->IsIconic());

    popuptrack::TrackRecorder recorder;
    recorder.Refuse();
    EXPECT_EQ(1, frame->SendMessage(WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONDOWN));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(popuptrack::MenuResourceIds(IDR_TRAY_MENU), recorder.calls[0].ids);
    GetAppSettings().m_nTaskTray = 0;
}

TEST_F(MainFrameTest, WorkersGetAndSetTheSendDataWholeWhileTheMainThreadEdits)
{
    Start();
    struct Worker {
        static DWORD WINAPI Run(LPVOID pBroken)
        {
            // A thousand calls: each is a round trip through the main thread's queue, which
            // costs milliseconds under Wine, and the fault shows within the first hundred.
            for (int i = 0; i < 500; i++) {
                const BYTE value = static_cast<BYTE>(i);
                theApp.SetSendEditorData(Buffer(std::vector<BYTE>(64, value)));
                const std::vector<BYTE> read = Bytes(theApp.GetSendEditorData());
                // Whoever wrote last, a read is one write's bytes, never a mixture.
                for (BYTE b : read) {
                    if (b != read[0] || read.size() != 64)
                        ::InterlockedIncrement(static_cast<LONG*>(pBroken));
                }
            }
            return 0;
        }
    };
    LONG broken = 0;
    HANDLE hWorker = ::CreateThread(NULL, 0, Worker::Run, &broken, 0, NULL);
    // The main thread edits between the calls it serves.
    int nEdits = 0;
    while (::MsgWaitForMultipleObjects(1, &hWorker, FALSE, 5000, QS_ALLINPUT) != WAIT_OBJECT_0) {
        winharness::PumpPending();
        if (nEdits++ % 16 == 0)
            frame->SetSendEditorBytes(Buffer(std::vector<BYTE>(64, 0xEE)));
    }
    ::CloseHandle(hWorker);
    EXPECT_EQ(0, broken);
    EXPECT_LT(0, nEdits);
}

TEST_F(MainFrameTest, TheSupportPageOpensThroughTheShell)
{
    Start();
    ShellExecuteProc pOld = SetShellExecuteProc(RecordOpen);
    frame->SendMessage(WM_COMMAND, ID_FRAME_SUPPORT_PAGE, 0);
    SetShellExecuteProc(pOld);
    EXPECT_EQ("open", g_openVerb);
    EXPECT_EQ(kSupportPageAddress, g_openFile);
    EXPECT_EQ(SW_SHOWNORMAL, g_openShow);
}

TEST_F(MainFrameTest, AltReachesTheMenuBarThroughTheFramesOwnPreTranslation)
{
    Start();
    frame->SetForegroundWindow();
    frame->GetLogView()->SetFocus();
    winharness::KeyboardModifiers modifiers(winharness::kNone);
    popuptrack::TrackRecorder recorder;
    recorder.Refuse();
    auto Key = [&](UINT nMessage, UINT vk, bool bAlt) {
        MSG msg = {::GetFocus(), nMessage, vk, winharness::KeyLParam(vk, nMessage == WM_KEYUP, bAlt)};
        const BOOL bTaken = theApp.PreTranslateMessage(&msg);
        winharness::PumpPending();
        return bTaken != FALSE;
    };
    Key(WM_SYSKEYDOWN, VK_MENU, true);
    EXPECT_TRUE(Key(WM_KEYUP, VK_MENU, false));
    EXPECT_TRUE(frame->MenuBar().m_bFlatTracking);
    Key(WM_KEYDOWN, VK_ESCAPE, false);
    EXPECT_FALSE(frame->MenuBar().m_bFlatTracking);
}

} // namespace
