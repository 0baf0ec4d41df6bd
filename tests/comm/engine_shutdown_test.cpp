// How connections end: a stop that comes early, a script that never returns, writes still on
// their way, and a port whose pending operations must be over before it is closed.
#include "script_fixture.h"

#include "sessionthreads.h"

#include <algorithm>
#include <string>
#include <thread>

namespace {

// A frame that keeps no handle of the stop event: it opens the event by name whenever it
// resets or sets it, and closes it again at once.
void SetStopByName(int port)
{
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, GetPortSlot(port).MakeThreadStopEventName());
    SetEvent(h);
    CloseHandle(h);
}

} // namespace

// ---- a stop at any moment ------------------------------------------------------------------

TEST_F(EngineTest, StopGivenDuringTheStartedReportIsNotLost)
{
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, GetPortSlot(0).MakeThreadStopEventName());
    ResetEvent(h);
    CloseHandle(h);
    frame.onReport = [](const RecordedReport& report) {
        if (report.type == RecordedReport::Record && report.kind == 0 && report.code == 20001)
            SetStopByName(0);
    };
    m_hThread = CreateThread(nullptr, 0, ThreadProc, nullptr, 0, nullptr);
    bool ended = WaitEnded();
    frame.onReport = nullptr;
    if (!ended) {
        // Lost: end the connection for the next tests.
        m_hStop = CreateEventA(nullptr, TRUE, FALSE, GetPortSlot(0).MakeThreadStopEventName());
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(1, frame.Count("msg 20011"));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ("state 1", frame.Trace().back());
}

// A read that brings a hundred lines, of which the first is logged when the stop comes: every
// loop looks at the stop between the lines of the read and serves it as its wait would, so
// however much each row costs the frame, the stop waits for one more row only: the other lines
// of the read, logged together before the stop. A line not yet complete goes with the port.
TEST_F(AppTest, StopIsTakenBetweenTheLinesOfOneReadInEveryMode)
{
    const std::string dllPath = ExeFolder() + "\\kvrtest_ext.dll";
    HMODULE hDll = LoadLibraryA(dllPath.c_str());
    ASSERT_NE(nullptr, hDll);
    // What earlier tests queued in the extension DLL goes: it answers every call with nothing.
    reinterpret_cast<void (*)()>(GetProcAddress(hDll, "KvrTestReset"))();
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "line " + std::to_string(1000 + i) + "\n";
    const std::string partial = "line 11";
    set.m_nRecvFraming[0] = 2;
    set.m_delimiters[0] = Bytes({0x0A});
    set.m_strExtDllPath[0] = dllPath.c_str();
    app.SetScript(0, "function OnConnected() end function OnReceive(data) end function OnSendPush() end "
                     "function OnTimer(id) end function OnDisConnected() end");
    frame.recordDelayMs = 15;
    frame.onReport = [&](const RecordedReport& report) {
        if (report.type == RecordedReport::Record && report.kind == 2)
            SetStopEvent();
    };
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode == 0 ? "plain" : mode == 1 ? "script" : "extended");
        set.m_nScriptMode[0] = mode == 1;
        set.m_nExtendedMode[0] = mode == 2;
        frame.Clear();
        ASSERT_TRUE(StartConnected());
        device.Inject((lines + partial).c_str());
        ASSERT_TRUE(WaitEnded());
        CloseHandle(m_hThread);
        CloseHandle(m_hStop);
        m_hThread = m_hStop = nullptr;

        std::vector<std::string> rows;
        for (const RecordedReport& report : frame.Reports()) {
            if (report.type == RecordedReport::Record && report.kind == 2)
                rows.emplace_back(report.payload.begin(), report.payload.end());
        }
        EXPECT_EQ(std::vector<std::string>({"line 1000\n", lines.substr(10)}), rows);
        std::vector<std::string> trace = frame.Trace({"pane", "register", "unregister"});
        auto row = std::find_if(trace.begin(), trace.end(), [](const std::string& t) { return t.compare(0, 4, "recv") == 0; });
        ASSERT_NE(trace.end(), row);
        ASSERT_GT(static_cast<size_t>(trace.end() - row), rows.size());
        EXPECT_EQ("msg 20011", row[rows.size()]);
        EXPECT_EQ(1, frame.Count("msg 20011"));
        EXPECT_EQ("state 1", trace.back());
    }
    frame.onReport = nullptr;
    FreeLibrary(hDll);
}

// ---- a script that never returns -----------------------------------------------------------

TEST_F(ScriptTest, StopEndsACallbackThatNeverReturns)
{
    Run(R"(
function OnConnected() Logput(1, 'ready') end
function OnSendPush() Logput(1, 'spinning') while true do end end
function OnDisConnected() Logput(1, 'bye') end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    SendCommand();
    ASSERT_TRUE(WaitForLog(10039, "spinning"));
    SetStopEvent();
    bool ended = WaitEnded();
    if (!ended) {
        TerminateThread(m_hThread, 1);
        FAIL() << "the stop did not end the endless callback";
    }
    EXPECT_FALSE(device.IsOpen());
    // Ended as a stop, not as a script error.
    EXPECT_EQ(1, frame.Count("msg 20011"));
    EXPECT_TRUE(Texts(10041).empty());
    EXPECT_EQ(std::vector<std::string>({"ready", "spinning", "bye"}), Texts(10039));
    EXPECT_EQ(std::vector<std::string>({"pane 1", "msg 20002", "state 1"}), Tail(3));
}

// ---- writes on their way when the connection ends ------------------------------------------

TEST_F(ScriptTest, BytesSentFromOnDisConnectedReachTheDevice)
{
    device.SetWriteDelay(30);
    Run(R"(
function OnConnected() Logput(1, 'ready') end
function OnDisConnected() SendData({0x61, 0x62}) end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    ASSERT_TRUE(Stop());
    EXPECT_EQ(std::vector<BYTE>({0x61, 0x62}), device.Transmitted());
    EXPECT_EQ(1, frame.Count("send 61 62"));
    EXPECT_EQ(1, frame.Count("msg 20016"));
    EXPECT_EQ(nullptr, frame.FindMessage(20009));
}

TEST_F(EngineTest, PlainStopReportsTheWriteStillOnItsWay)
{
    device.SetWriteDelay(50);
    ASSERT_TRUE(StartConnected());
    Push({1, 2, 3});
    ASSERT_TRUE(frame.WaitForText("send 01 02 03"));
    ASSERT_TRUE(Stop());
    EXPECT_EQ(std::vector<BYTE>({1, 2, 3}), device.Transmitted());
    EXPECT_EQ(1, frame.Count("msg 20016"));
    EXPECT_EQ(1, frame.Count("msg 20011"));
}

TEST_F(EngineTest, SecondStopCutsTheWaitForAWriteThatNeverEnds)
{
    // As under Wine: the purge leaves the write running, cancelled operations end late.
    device.SetLateCompletion(5);
    device.HoldWrites(true);
    ASSERT_TRUE(StartConnected());
    Push({1, 2, 3});
    ASSERT_TRUE(frame.WaitForText("send 01 02 03"));
    SetStopEvent();
    ASSERT_TRUE(frame.WaitForText("msg 20011"));
    DWORD start = GetTickCount();
    SetStopEvent();
    ASSERT_TRUE(WaitEnded());
    // Not the three seconds the first stop gives the writes.
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_TRUE(device.Transmitted().empty());
    EXPECT_EQ(0, frame.Count("msg 20016"));
    EXPECT_EQ(0, device.PendingAtClose()) << "the port was closed with its write still pending";
}

// ---- nothing pending when the port is closed -----------------------------------------------

// As under Wine, the wait ends some milliseconds after the mask is cleared, and its event is
// signalled a while after its record reads done: the event is closed only after its signal.
TEST_F(EngineTest, EveryEndFinishesTheCommWaitBeforeClosing)
{
    device.SetLateCompletion(5);
    device.SetLateWaitSignal(40);
    ASSERT_TRUE(StartConnected());
    device.Inject("a");
    ASSERT_TRUE(frame.WaitForText("recv 61"));
    ASSERT_TRUE(Stop());
    EXPECT_EQ(0, device.PendingAtClose()) << "stopped";
    EXPECT_EQ(0, device.SignalledAfterClose()) << "stopped";
    CloseHandle(m_hThread);
    CloseHandle(m_hStop);
    m_hThread = m_hStop = nullptr;

    // Ended by a failure instead.
    ASSERT_TRUE(StartConnected());
    fake.FailOnce("WriteFile", 31);
    Push({7});
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(0, device.PendingAtClose()) << "ended by a failed write";
    EXPECT_EQ(0, device.SignalledAfterClose()) << "ended by a failed write";
}

TEST_F(ScriptTest, ScriptEndFinishesTheCommWaitBeforeClosing)
{
    device.SetLateCompletion(5);
    device.SetLateWaitSignal(40);
    Run("function OnConnected() Logput(1, 'ready') end function OnDisConnected() end");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    ASSERT_TRUE(Stop());
    EXPECT_EQ(0, device.PendingAtClose());
    EXPECT_EQ(0, device.SignalledAfterClose());
}

// ---- the engine's own start, and the stop the shell waits for ------------------------------

TEST_F(EngineTest, StopRightAfterTheStartEndsBeforeTheDeviceIsUsed)
{
    ASSERT_TRUE(BeginPortSessionThread(0));
    SetStopByName(0);
    EXPECT_TRUE(StopPortSessionsAndWait(5000).empty());
    EXPECT_EQ(1, frame.Count("msg 20011"));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(0, frame.Count("recv"));
    EXPECT_EQ("state 1", frame.Trace().back());
}

TEST_F(EngineTest, StopAndWaitEndsBothPortsReceivingAtFullSpeed)
{
    FakeSerialDevice& com2 = fake.AddDevice("\\\\.\\COM2");
    set.m_nComIndex[1] = 1;
    ASSERT_TRUE(BeginPortSessionThread(0));
    ASSERT_TRUE(BeginPortSessionThread(1));
    ASSERT_TRUE(frame.WaitFor([&] { return frame.Buffers().size() == 2; }));

    volatile bool quit = false;
    // As fast as the ports read, with a few kilobytes always queued.
    std::thread feeder([&] {
        std::vector<BYTE> bytes(256, 0x5A);
        while (!quit) {
            bool fed = false;
            for (FakeSerialDevice* port : {&device, &com2}) {
                if (port->IsOpen() && port->InputQueueCount() < 4096) {
                    port->Inject(bytes);
                    fed = true;
                }
            }
            Sleep(fed ? 0 : 1);
        }
    });
    ASSERT_TRUE(frame.WaitFor([&] { return frame.Count("pane 2 00000000") > 40; }));

    DWORD start = GetTickCount();
    std::vector<UnendedSession> unended = StopPortSessionsAndWait(30000);
    DWORD elapsed = GetTickCount() - start;
    quit = true;
    feeder.join();

    EXPECT_TRUE(unended.empty()) << "after " << elapsed << " ms";
    EXPECT_EQ(2, frame.Count("state 1"));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(com2.IsOpen());
    // Every byte the ports read is in the log.
    DWORD logged[2] = {0, 0};
    for (const RecordedReport& report : frame.Reports()) {
        if (report.type == RecordedReport::Record && report.kind == 2)
            logged[report.port] += static_cast<DWORD>(report.payload.size());
    }
    EXPECT_GT(logged[0], 0u);
    EXPECT_EQ(device.ReadTotal(), logged[0]);
    EXPECT_EQ(com2.ReadTotal(), logged[1]);
}
