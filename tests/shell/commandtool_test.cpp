// The command tool as a dialog on its template, running the system's command interpreter and
// the probe program built with the tests.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <regex>
#include <string>

#include "commandoutput.h"
#include "commandrunner.h"
#include "commandtool_support.h"
#include "commandtooldlg.h"
#include "dialogdriver.h"
#include "resource.h"
#include "shell_test_support.h"
#include "textink.h"
#include "winharness.h"

using winharness::PumpUntil;
using cmdtool::AdditionRecorder;
using cmdtool::Probe;
using cmdtool::ProbeBytesShown;
using cmdtool::Running;
using cmdtool::SetParam;

namespace {

bool WaitIdle(HWND hDlg, unsigned ms = 30000)
{
    return PumpUntil([&] { return !Running(hDlg); }, ms);
}


struct InitState {
    std::string commandLine, output, helpOutput, status, host;
    bool hostVisible = true, hostLabelVisible = true;
};

// Opens the tool, runs fn once it is shown and closes it with Cancel.
void WithTool(const std::function<void(HWND)>& fn, InitState* init = nullptr)
{
    DialogDriver driver;
    if (init) {
        driver.onInit = [init](HWND hDlg) {
            init->commandLine = DialogDriver::Text(hDlg, IDC_CMDTOOL_COMMAND_LINE);
            init->output = DialogDriver::Text(hDlg, IDC_CMDTOOL_OUTPUT);
            init->helpOutput = DialogDriver::Text(hDlg, IDC_CMDTOOL_HELP_OUTPUT);
            init->status = DialogDriver::Text(hDlg, IDC_CMDTOOL_STATUS);
            init->host = DialogDriver::Text(hDlg, IDC_CMDTOOL_HOST);
            init->hostVisible = ::IsWindowVisible(::GetDlgItem(hDlg, IDC_CMDTOOL_HOST)) != FALSE;
            init->hostLabelVisible = (::GetWindowLongA(::GetDlgItem(hDlg, IDC_CMDTOOL_HOST_LABEL), GWL_STYLE) & WS_VISIBLE) != 0;
        };
    }
    driver.Step(1, [&](HWND hDlg) {
        fn(hDlg);
        DialogDriver::Post(hDlg, IDCANCEL);
    });
    CCommandToolDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(driver.timedOut);
}

} // namespace

TEST(CommandTool, OpensOnModeCom1AndSelectingTheCommandRunsItsHelp)
{
    InitState init;
    std::string commandLine, helpOutput, output, status;
    bool helpRan = false, focusKept = false;
    SIZE output1072 = {}, client = {};
    WithTool(
        [&](HWND hDlg) {
            HWND hTree = ::GetDlgItem(hDlg, IDC_CMDTOOL_TREE);
            helpRan = TreeView_GetSelection(hTree) != NULL;
            WaitIdle(hDlg);
            // The help run greys the list that had the focus: Esc and Tab must still reach
            // the dialog without a click first.
            focusKept = ::IsChild(hDlg, ::GetFocus()) != FALSE;
            SetParam(hDlg, "com3");
            commandLine = DialogDriver::Text(hDlg, IDC_CMDTOOL_COMMAND_LINE);
            helpOutput = DialogDriver::Text(hDlg, IDC_CMDTOOL_HELP_OUTPUT);
            output = DialogDriver::Text(hDlg, IDC_CMDTOOL_OUTPUT);
            status = DialogDriver::Text(hDlg, IDC_CMDTOOL_STATUS);
            output1072 = ResizedControl(hDlg, IDC_CMDTOOL_OUTPUT, 900, 700);
            client = ClientSize(hDlg);
        },
        &init);
    EXPECT_EQ("mode com1", init.commandLine);
    EXPECT_EQ("", init.output);
    EXPECT_EQ("", init.helpOutput);
    EXPECT_EQ("", init.status);
    EXPECT_EQ("localhost", init.host);
    EXPECT_FALSE(init.hostVisible);
    EXPECT_FALSE(init.hostLabelVisible);
    EXPECT_EQ("mode com3", commandLine);
    EXPECT_TRUE(helpRan);
    EXPECT_TRUE(focusKept);
    EXPECT_NE("", helpOutput);
    EXPECT_EQ("", output);
    EXPECT_EQ(client.cx - 16, output1072.cx);
    EXPECT_EQ(client.cy - 306, output1072.cy);
    EXPECT_TRUE(std::regex_match(status, std::regex("HELPコマンド終了 経過時間 [0-9]+\\.[0-9]{3} sec"))) << status;
}

namespace {

// The pixels under the low line of the edit's first "_", in the upper and the lower half of
// its line, that differ from the edit's background (taken at the top of that cell).
struct LowLineInk {
    int upper = -1, lower = -1;
};

LowLineInk InkUnderLowLine(HWND hEdit)
{
    LowLineInk ink;
    const std::string text = DialogDriver::WindowText(hEdit);
    const size_t at = text.find('_');
    if (at == std::string::npos)
        return ink;
    ::RedrawWindow(hEdit, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    winharness::PumpPending();
    const LRESULT pos = ::SendMessageA(hEdit, EM_POSFROMCHAR, at, 0);
    const LRESULT next = ::SendMessageA(hEdit, EM_POSFROMCHAR, at + 1, 0);
    const int x = static_cast<short>(LOWORD(pos)), y = static_cast<short>(HIWORD(pos));
    const int cx = static_cast<short>(LOWORD(next)) - x;
    HDC hdc = ::GetDC(hEdit);
    HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageA(hEdit, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, hOld);
    RECT rc;
    ::GetClientRect(hEdit, &rc);
    winharness::DibSurface shot(rc.right, rc.bottom);
    ::BitBlt(shot.dc(), 0, 0, rc.right, rc.bottom, hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(hEdit, hdc);
    if (cx <= 0 || y + tm.tmHeight > rc.bottom)
        return ink;
    const COLORREF back = shot.Pixel(x, y);
    ink.upper = ink.lower = 0;
    for (int row = 0; row < tm.tmHeight; ++row)
        for (int col = 0; col < cx; ++col)
            (row < tm.tmHeight / 2 ? ink.upper : ink.lower) += shot.Pixel(x + col, y + row) != back;
    return ink;
}

} // namespace

// The tool's fixed-pitch font, which names no face, shows "_" in its parameter, command-line
// and output boxes, and the same font made at every height the program uses for it (the log
// list, the editors and panes, the COM tool) draws the character's ink inside its line.
TEST(CommandTool, ItsBoxesShowTheLowLineAndTheProgramsFixedPitchFontDrawsItInsideItsLineAtEveryHeight)
{
    std::vector<std::pair<int, LowLineInk>> boxes;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        SetParam(hDlg, "hi_there");
        ::SetDlgItemTextA(hDlg, IDC_CMDTOOL_OUTPUT, "port_name");
        for (int id : {IDC_CMDTOOL_PARAM, IDC_CMDTOOL_COMMAND_LINE, IDC_CMDTOOL_OUTPUT})
            boxes.emplace_back(id, InkUnderLowLine(::GetDlgItem(hDlg, id)));
    });
    for (const auto& [id, ink] : boxes) {
        EXPECT_GT(ink.lower, 0) << "box " << id;
        EXPECT_EQ(0, ink.upper) << "box " << id;
    }
    for (int height : {12, 14, 16, 18}) {
        CFont font;
        ASSERT_TRUE(font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                                    NULL));
        HDC hdc = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hdc, font);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hdc, &tm);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        std::vector<bool> ink;
        const int cx = tm.tmMaxCharWidth + 4;
        ASSERT_TRUE(RenderTextInk(font, "_", 1, cx, tm.tmHeight * 2, ink));
        const bool bInside = std::find(ink.begin(), ink.begin() + cx * tm.tmHeight, true) != ink.begin() + cx * tm.tmHeight;
        EXPECT_TRUE(bInside) << "height " << height << ": no ink of \"_\" inside its line of " << tm.tmHeight << " rows";
    }
}

namespace {

std::string Status(HWND hDlg)
{
    return DialogDriver::Text(hDlg, IDC_CMDTOOL_STATUS);
}

// Processes of this Wine session (or system) running the probe.
int ProbeProcesses()
{
    HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Process32First(hSnap, &entry); more; more = ::Process32Next(hSnap, &entry))
        count += _stricmp(entry.szExeFile, "kvrcmdprobe.exe") == 0;
    ::CloseHandle(hSnap);
    return count;
}

int OwnThreads()
{
    HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Thread32First(hSnap, &entry); more; more = ::Thread32Next(hSnap, &entry))
        count += entry.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(hSnap);
    return count;
}

// The open handles of this process. Wine does not count them for GetProcessHandleCount, but
// hands out the lowest free slots, so a scan of the low handle values finds them all.
DWORD HandleCount()
{
    DWORD count = 0;
    for (UINT_PTR value = 4; value < 0x4000; value += 4) {
        DWORD flags = 0;
        count += ::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
    }
    return count;
}

// Runs the parameter with the run button and waits for its end.
void RunParam(HWND hDlg, const std::string& param)
{
    SetParam(hDlg, param);
    DialogDriver::Press(hDlg, IDOK);
    EXPECT_TRUE(WaitIdle(hDlg)) << param;
}

WNDPROC g_oldToolProc = nullptr;
bool g_bInputWaited = false;

// A hand at the keyboard at every report of the worker: a real key pressed and released just
// before the dialog takes the report, so that input waits in the queue while it does.
LRESULT CALLBACK KeyAtEveryReport(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND_OUTPUT) {
        INPUT in[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
        in[0].ki.wVk = in[1].ki.wVk = VK_SHIFT;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
        if (wParam == 0)
            g_bInputWaited = ::GetInputState() != FALSE;
    }
    return ::CallWindowProcA(g_oldToolProc, hWnd, nMsg, wParam, lParam);
}

WNDPROC g_oldOutputProc = nullptr;

// A slow machine: the output field takes longer to paint what a pass of the tool added than the
// pause the tool leaves between two passes.
LRESULT CALLBACK SlowPaint(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_PAINT)
        ::Sleep(50);
    return ::CallWindowProcA(g_oldOutputProc, hWnd, nMsg, wParam, lParam);
}

// Pumps until pred() holds, looking at it only when the queue has run empty, as a loop's idle
// work comes only then. The bound is looked at after every message: a loop that never comes to
// rest never lets a pump that looks at it between passes over the queue look at it at all.
struct RestWait {
    bool bHeld = false;
    // How often the queue ran empty, and when it last did (ms after the start).
    int nRests = 0;
    DWORD dwLastRestMs = 0;
};

RestWait PumpAtRestUntil(const std::function<bool()>& pred, unsigned ms)
{
    RestWait wait;
    bool bBusy = true;
    for (const DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < ms;) {
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            bBusy = true;
            if (msg.message != WM_QUIT) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            continue;
        }
        if (bBusy) {
            bBusy = false;
            ++wait.nRests;
            wait.dwLastRestMs = ::GetTickCount() - dwStart;
        }
        if (pred()) {
            wait.bHeld = true;
            break;
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return wait;
}

} // namespace

// The worker's last report finds input waiting (the release of the key that ran the command is
// enough): what is left in the pipe is shown all the same.
TEST(CommandTool, OutputLeftAtTheEndIsShownWhateverInputWaits)
{
    std::string output;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        ::SetForegroundWindow(hDlg);
        g_bInputWaited = false;
        g_oldToolProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyAtEveryReport)));
        RunParam(hDlg, "com1 > nul 2>&1 & " + Probe() + " lines");
        PumpUntil([&] { return ControlText(hDlg, IDC_CMDTOOL_OUTPUT).find("second") != std::string::npos; });
        ::SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_oldToolProc));
        output = ControlText(hDlg, IDC_CMDTOOL_OUTPUT);
    });
    EXPECT_TRUE(g_bInputWaited);
    EXPECT_EQ("first line\r\nsecond line\r\n", output);
}

TEST(CommandTool, ALongCommandCountsUpAndStopsWithItsOutputKept)
{
    bool runningState = false, treeEnabled = true, paramEnabled = true, closeRefused = false;
    std::vector<std::string> ticks;
    std::string stoppedStatus, stoppedOutput, linesOutput;
    int probesLeft = -1;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        SetParam(hDlg, "com1 & " + Probe() + " sleep 30");
        DialogDriver::Press(hDlg, IDOK);
        runningState = Running(hDlg);
        treeEnabled = ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_CMDTOOL_TREE)) != FALSE;
        paramEnabled = ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_CMDTOOL_PARAM)) != FALSE;
        PumpUntil([&] {
            const std::string status = Status(hDlg);
            if (ticks.empty() || ticks.back() != status)
                ticks.push_back(status);
            return ticks.size() >= 6 && ControlText(hDlg, IDC_CMDTOOL_OUTPUT).find("sleeping") != std::string::npos;
        });
        // The close box is refused while the command runs.
        ::SendMessageA(hDlg, WM_CLOSE, 0, 0);
        closeRefused = ::IsWindowVisible(hDlg) && Running(hDlg);
        DialogDriver::Press(hDlg, IDOK);
        WaitIdle(hDlg);
        stoppedStatus = Status(hDlg);
        stoppedOutput = ControlText(hDlg, IDC_CMDTOOL_OUTPUT);
        PumpUntil([] { return ProbeProcesses() == 0; });
        probesLeft = ProbeProcesses();

        // Output with CR LF and LF line ends shows each as one CR LF; the run before it is
        // cleared first.
        RunParam(hDlg, "com1 & " + Probe() + " lines");
        linesOutput = ControlText(hDlg, IDC_CMDTOOL_OUTPUT);
    });
    EXPECT_TRUE(runningState);
    EXPECT_FALSE(treeEnabled);
    EXPECT_FALSE(paramEnabled);
    EXPECT_TRUE(closeRefused);
    ASSERT_GE(ticks.size(), 6u);
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_TRUE(std::regex_match(ticks[i], std::regex("コマンド実行中 経過時間 [0-9]+\\.[0-9]{3} sec"))) << ticks[i];
    EXPECT_TRUE(std::regex_match(stoppedStatus, std::regex("コマンド終了\\(中断\\) 経過時間 [0-9]+\\.[0-9]{3} sec")))
        << stoppedStatus;
    EXPECT_NE(std::string::npos, stoppedOutput.find("sleeping\r\n"));
    EXPECT_EQ(std::string::npos, stoppedOutput.find("woke up"));
    EXPECT_EQ(0, probesLeft);
    EXPECT_NE(std::string::npos, linesOutput.find("first line\r\nsecond line\r\n")) << linesOutput;
    EXPECT_EQ(std::string::npos, linesOutput.find("sleeping"));
}

TEST(CommandTool, EscWhileRunningEndsTheWorkerAndTheChildAndLeaksNothing)
{
    // A first run makes whatever the system creates once.
    WithTool([&](HWND hDlg) { WaitIdle(hDlg); });
    const DWORD handlesBefore = HandleCount();
    const int threadsBefore = OwnThreads();
    bool wasRunning = false;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        SetParam(hDlg, "com1 & " + Probe() + " sleep 30");
        DialogDriver::Press(hDlg, IDOK);
        wasRunning = PumpUntil([&] { return ProbeProcesses() == 1; }) && Running(hDlg);
        HWND hFocus = ::GetFocus();
        winharness::PostKeyDown(hFocus != NULL ? hFocus : hDlg, VK_ESCAPE);
        // WithTool's own Cancel follows; the Esc above closes the dialog first.
    });
    winharness::PumpUntil([&] { return ProbeProcesses() == 0 && OwnThreads() == threadsBefore; });
    EXPECT_TRUE(wasRunning);
    EXPECT_EQ(0, ProbeProcesses());
    EXPECT_EQ(threadsBefore, OwnThreads());
    EXPECT_EQ(handlesBefore, HandleCount());
}

TEST(CommandTool, RunsLeaveNoHandlesBehindAndLongParametersArriveWhole)
{
    DWORD afterFirst = 0, afterEleventh = 0;
    std::string lengthOutput;
    const std::string prefix = "com1 & " + Probe() + " length ";
    const std::string param = prefix + std::string(5000 - prefix.size() - 8, 'x') + "ABCDEFGH";
    winharness::ScriptedPrompts prompts;
    std::string refusedStatus;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        // The count sees a new handle.
        const DWORD before = HandleCount();
        HANDLE hEvent = ::CreateEventA(NULL, FALSE, FALSE, NULL);
        EXPECT_EQ(before + 1, HandleCount());
        ::CloseHandle(hEvent);
        RunParam(hDlg, "com1");
        afterFirst = HandleCount();
        for (int i = 0; i < 10; ++i)
            RunParam(hDlg, "com1");
        afterEleventh = HandleCount();

        RunParam(hDlg, param);
        lengthOutput = ControlText(hDlg, IDC_CMDTOOL_OUTPUT);

        // A command line longer than the system takes fails to start like any other.
        RunParam(hDlg, "com1 " + std::string(40000, 'y'));
        refusedStatus = Status(hDlg);
    });
    EXPECT_NE(0u, afterFirst);
    EXPECT_EQ(afterFirst, afterEleventh);
    EXPECT_NE(std::string::npos, lengthOutput.find("length=" + std::to_string(5000 - prefix.size()) + " tail=ABCDEFGH"))
        << lengthOutput;
    ASSERT_EQ(1u, prompts.records.size());
    EXPECT_EQ("コマンド起動に失敗しました。", prompts.records[0].text);
    EXPECT_TRUE(std::regex_match(refusedStatus, std::regex("コマンド終了 経過時間 [0-9]+\\.[0-9]{3} sec"))) << refusedStatus;
}

// Long output arrives whole, a zero byte in it hides nothing after it, and a command that
// writes without pause is stopped, not left to its end; while it writes, the message loop comes
// to rest between two passes however slowly the output field paints. (How fast the output shows
// against a bare edit control and how soon the stop answers are figures of the benchmark.)
TEST(CommandTool, OutputOfAnyLengthIsShownWholeAndAStopEndsAFloodingCommand)
{
    const size_t kBytes = 2 * 1024 * 1024;
    const std::string expected = ProbeBytesShown(kBytes);
    bool bComplete = false, bSame = false, bRunning = false;
    RestWait flooding;
    std::string nulOutput, stoppedStatus;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        HWND hOutput = ::GetDlgItem(hDlg, IDC_CMDTOOL_OUTPUT);
        SetParam(hDlg, "com1 > nul 2>&1 & " + Probe() + " bytes " + std::to_string(kBytes));
        DialogDriver::Press(hDlg, IDOK);
        bComplete = PumpUntil(
            [&] { return ::GetWindowTextLengthA(hOutput) >= static_cast<int>(expected.size()); }, 120000);
        WaitIdle(hDlg);
        bSame = ControlText(hDlg, IDC_CMDTOOL_OUTPUT) == expected;

        RunParam(hDlg, "com1 > nul 2>&1 & " + Probe() + " nul");
        nulOutput = ControlText(hDlg, IDC_CMDTOOL_OUTPUT);
    });
    // The probe writes for ten minutes unless it is stopped, however slowly its output comes on
    // a busy or emulated machine. The pump looks at the output only when the queue is empty, as
    // a loop's idle work comes only then. A dialog of its own, so that the wait's bound comes
    // within the five minutes the dialog driver gives a step: past them the driver cancels the
    // dialog, which hides it, and the loop comes to rest for want of paint.
    const unsigned kFloodMs = 240000;
    WithTool([&](HWND hDlg) {
        WaitIdle(hDlg);
        HWND hOutput = ::GetDlgItem(hDlg, IDC_CMDTOOL_OUTPUT);
        SetParam(hDlg, "com1 > nul 2>&1 & " + Probe() + " flood 600");
        g_oldOutputProc =
            reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hOutput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SlowPaint)));
        DialogDriver::Press(hDlg, IDOK);
        flooding = PumpAtRestUntil([&] { return ::GetWindowTextLengthA(hOutput) > 20000; }, kFloodMs);
        bRunning = Running(hDlg);
        ::SetWindowLongPtrA(hOutput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_oldOutputProc));
        DialogDriver::Press(hDlg, IDOK);
        WaitIdle(hDlg);
        stoppedStatus = Status(hDlg);
    });
    EXPECT_TRUE(bComplete);
    EXPECT_TRUE(bSame);
    EXPECT_EQ("before^@after\r\n", nulOutput);
    EXPECT_TRUE(flooding.bHeld) << "no rest of the message loop saw over 20000 characters of output in "
                                << kFloodMs / 1000 << " s of the flood: it came to rest " << flooding.nRests
                                << " times, the last " << flooding.dwLastRestMs << " ms in";
    EXPECT_TRUE(bRunning);
    EXPECT_TRUE(std::regex_match(stoppedStatus, std::regex("コマンド終了\\(中断\\) 経過時間 [0-9]+\\.[0-9]{3} sec")))
        << stoppedStatus;
}

// A character whose two bytes come in two reads is shown whole, and so is a CR LF; a zero
// byte shows as a mark.
TEST(CommandTool, OutputTextKeepsCharactersWholeAcrossReads)
{
    CCommandOutputText text;
    const std::string a = "x\n\x82";   // "x", a line feed and the first byte of "あ"
    const std::string b("\xA0y\0z", 4);   // its second byte, "y", a zero byte, "z"
    std::string shown = static_cast<LPCSTR>(text.Take(a.data(), static_cast<int>(a.size())));
    shown += static_cast<LPCSTR>(text.Take(b.data(), static_cast<int>(b.size())));
    EXPECT_EQ("x\r\nあy^@z", shown);
    shown = static_cast<LPCSTR>(text.Take("one\r", 4));
    shown += static_cast<LPCSTR>(text.Take("\ntwo", 4));
    EXPECT_EQ("one\r\ntwo", shown);
    // A first byte without its second shows as "?" and takes nothing after it.
    EXPECT_EQ("?^@", std::string(text.Take("\x82\0", 2)));
    text.Take("\x82", 1);
    text.Reset();
    EXPECT_EQ("A", std::string(text.Take("A", 1)));
}

// A first byte that ends a line has no second byte: the line end stays, in one read or two.
TEST(CommandTool, ALeadByteBeforeALineEndLeavesTheLineEnd)
{
    CCommandOutputText text;
    EXPECT_EQ("one?\r\ntwo?\rthree", std::string(text.Take("one\x82\ntwo\x82\rthree", 15)));
    std::string shown = static_cast<LPCSTR>(text.Take("four\x82", 5));
    shown += static_cast<LPCSTR>(text.Take("\nfive", 5));
    EXPECT_EQ("four?\r\nfive", shown);
}
