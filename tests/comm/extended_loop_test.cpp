// Extended mode: the interface version check, the start of a connection, and what the
// extension DLL is told and what its replies make the connection do; and where extension DLLs
// are mapped. The DLL is the test extension built beside the executable, whose replies the
// tests queue.
#include "script_fixture.h"

#include "modulekeeper.h"
#include "plugindll.h"
#include "sessionthreads.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct SeenRequest
{
    DWORD w[10];
    std::vector<BYTE> data;
    int textSize;
    std::vector<char> text;
};

typedef void (*ResetProc)();
typedef void (*AddReplyProc)(DWORD, int, const DWORD*, const BYTE*, int, int, const char*);
typedef int (*RequestCountProc)();
typedef int (*GetRequestProc)(int, DWORD*, BYTE*, int, char*, int*);

class ExtendedTest : public AppTest
{
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_path = ExeFolder() + "\\kvrtest_ext.dll";
        m_hDll = LoadLibraryA(m_path.c_str());
        ASSERT_NE(nullptr, m_hDll);
        m_reset = reinterpret_cast<ResetProc>(GetProcAddress(m_hDll, "KvrTestReset"));
        m_addReply = reinterpret_cast<AddReplyProc>(GetProcAddress(m_hDll, "KvrTestAddReply"));
        m_count = reinterpret_cast<RequestCountProc>(GetProcAddress(m_hDll, "KvrTestRequestCount"));
        m_get = reinterpret_cast<GetRequestProc>(GetProcAddress(m_hDll, "KvrTestGetRequest"));
        ASSERT_TRUE(m_reset && m_addReply && m_count && m_get);
        m_reset();
        set.m_nExtendedMode[0] = 1;
        set.m_nScriptMode[0] = 1;   // extended mode comes first
        set.m_strExtDllPath[0] = m_path.c_str();
    }

    void TearDown() override
    {
        AppTest::TearDown();
        if (m_hDll)
            FreeLibrary(m_hDll);
    }

    // Queues a reply for a command: words by index, data, a length without a pointer, a text.
    void Reply(DWORD command, std::map<int, DWORD> words, const std::vector<BYTE>& data = {}, int result = 0,
               const char* text = nullptr, bool nullData = false)
    {
        DWORD w[10] = {};
        for (const auto& [index, value] : words)
            w[index] = value;
        m_addReply(command, result, w, data.empty() ? nullptr : data.data(), static_cast<int>(data.size()),
                   nullData ? 1 : 0, text);
    }

    std::vector<SeenRequest> Requests() const
    {
        std::vector<SeenRequest> requests;
        for (int i = 0; i < m_count(); ++i) {
            SeenRequest r;
            BYTE data[4096];
            char text[260] = {};
            int n = m_get(i, r.w, data, sizeof(data), text, &r.textSize);
            r.data.assign(data, data + (n < 4096 ? n : 4096));
            r.text.assign(text, text + sizeof(text));
            requests.push_back(r);
        }
        return requests;
    }

    std::vector<DWORD> Commands() const
    {
        std::vector<DWORD> commands;
        for (const auto& r : Requests())
            commands.push_back(r.w[0]);
        return commands;
    }

    int CountCommand(DWORD command) const
    {
        int n = 0;
        for (DWORD c : Commands())
            n += c == command;
        return n;
    }

    // Until the DLL has been told of the connection and the loop waits.
    bool StartTalking()
    {
        return StartConnected() && frame.WaitFor([&] { return CountCommand(1) == 1; });
    }

    std::string m_path;
    HMODULE m_hDll = nullptr;
    ResetProc m_reset = nullptr;
    AddReplyProc m_addReply = nullptr;
    RequestCountProc m_count = nullptr;
    GetRequestProc m_get = nullptr;
};

// The folder of the test executable, which the loader takes for the program's.
std::string ProgramFolder()
{
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    return std::string(exe).substr(0, std::string(exe).find_last_of('\\'));
}

std::string FileOf(HMODULE hModule)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(hModule, path, MAX_PATH);
    return path;
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\'));
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The id of a running process other than this one.
DWORD OtherProcessId()
{
    DWORD dwOther = 0;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(hSnapshot, &entry); more && dwOther == 0; more = Process32Next(hSnapshot, &entry)) {
        if (entry.th32ProcessID != 0 && entry.th32ProcessID != GetCurrentProcessId())
            dwOther = entry.th32ProcessID;
    }
    CloseHandle(hSnapshot);
    return dwOther;
}

} // namespace

// ---- start of a connection -----------------------------------------------------------------

TEST_F(ExtendedTest, InterfaceVersion256IsAcceptedAndTheDllHearsTheWholeConnection)
{
    ASSERT_TRUE(StartTalking());
    EXPECT_EQ(std::vector<DWORD>({0x2000000, 0x4000000, 1}), Commands());
    ASSERT_TRUE(Stop());
    EXPECT_EQ(std::vector<DWORD>({0x2000000, 0x4000000, 1, 2}), Commands());
    // A stopped extended connection always reports its end.
    EXPECT_EQ(std::vector<std::string>({"msg 20011", "unregister", "pane 1", "msg 20002", "state 1"}),
              Last(frame.Trace({"pane 2"}), 5));
    EXPECT_FALSE(device.IsOpen());

    std::vector<SeenRequest> requests = Requests();
    // The version query is a bare block; every later call gets a zero-filled text buffer.
    EXPECT_EQ(0u, requests[0].w[7]);
    EXPECT_EQ(0u, requests[0].w[9]);
    for (size_t i = 1; i < requests.size(); ++i) {
        EXPECT_EQ(260u, requests[i].w[7]);
        EXPECT_EQ(0u, requests[i].w[8]);
        EXPECT_EQ(260, requests[i].textSize);
        EXPECT_EQ(std::vector<char>(260, 0), requests[i].text);
    }
}

TEST_F(ExtendedTest, InterfaceVersion100IsAccepted)
{
    Reply(0x2000000, {{0, 100}});
    ASSERT_TRUE(StartTalking());
}

TEST_F(ExtendedTest, WrongInterfaceVersionIsRefused)
{
    Reply(0x2000000, {{0, 101}});
    Start();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({"state 0", "msg 20001", "state 3", "pane 0", "msg 10032", "pane 1", "msg 20002",
                                        "state 1"}),
              frame.Trace());
    EXPECT_EQ(std::vector<DWORD>({0x2000000}), Commands());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(1, device.OpenCount());
}

TEST_F(ExtendedTest, FailedVersionQueryIsReported)
{
    Reply(0x2000000, {{0, 256}}, {}, 1);
    Start();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(1, frame.Count("msg 10031"));
    EXPECT_EQ(0, frame.Count("register"));
}

TEST_F(ExtendedTest, MissingDllIsReported)
{
    set.m_strExtDllPath[0] = (ExeFolder() + "\\no_such_extension.dll").c_str();
    Start();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({"msg 10030", "pane 1", "msg 20002", "state 1"}), Last(frame.Trace(), 4));
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(ExtendedTest, SettingsBytesGoToTheDllWhenItAsks)
{
    set.m_extSettings[0] = Bytes({1, 2, 3, 0, 0xFF});
    Reply(0x4000000, {{1, 1}, {3, 0x11}, {4, 0x22}});
    ASSERT_TRUE(StartTalking());
    std::vector<SeenRequest> requests = Requests();
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ(0x10000000u, requests[2].w[0]);
    EXPECT_EQ(5u, requests[2].w[5]);
    EXPECT_EQ(std::vector<BYTE>({1, 2, 3, 0, 0xFF}), requests[2].data);
    // The two words the DLL keeps come back with the next call.
    EXPECT_EQ(0x11u, requests[2].w[3]);
    EXPECT_EQ(0x22u, requests[2].w[4]);
}

TEST_F(ExtendedTest, NoSettingsCallUnlessAsked)
{
    set.m_extSettings[0] = Bytes({1, 2});
    ASSERT_TRUE(StartTalking());
    EXPECT_EQ(0, CountCommand(0x10000000));
}

TEST_F(ExtendedTest, FailedInitialiseEndsTheConnection)
{
    Reply(0x4000000, {}, {}, 1);
    Start();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(1, frame.Count("msg 10031"));
    EXPECT_EQ(std::vector<DWORD>({0x2000000, 0x4000000, 2}), Commands());
    EXPECT_EQ(std::vector<std::string>({"unregister", "pane 1", "msg 20002", "state 1"}), Last(frame.Trace({"pane 2"}), 4));
}

// ---- data ----------------------------------------------------------------------------------

TEST_F(ExtendedTest, UserSendIsWrittenOnlyWhenTheDllLeavesWordOneAtZero)
{
    ASSERT_TRUE(StartTalking());
    Push({0x41, 0x42}, 1);
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
    std::vector<SeenRequest> requests = Requests();
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ(8u, requests[3].w[0]);
    EXPECT_EQ(std::vector<BYTE>({0x41, 0x42}), requests[3].data);
    EXPECT_EQ(std::vector<BYTE>({0x41, 0x42}), device.Transmitted());

    Reply(8, {{1, 1}});
    Reply(8, {{1, 0}});
    Push({0x43}, 1);
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(8) == 2; }));
    frame.Pump(30);
    EXPECT_EQ(0, frame.Count("send 43"));
    EXPECT_EQ(1, device.WriteCount());

    // An empty user send goes to the DLL and, when it lets the program write, logs 10029.
    Push({}, 1);
    ASSERT_TRUE(frame.WaitForText("msg 10029"));
    EXPECT_EQ(3, CountCommand(8));
}

TEST_F(ExtendedTest, RoutedDataIsWrittenWithoutAskingTheDll)
{
    ASSERT_TRUE(StartTalking());
    Push({0x55}, 0);
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
    EXPECT_EQ(1, frame.Count("send 55"));
    EXPECT_EQ(0, CountCommand(8));
    Push({}, 0);
    ASSERT_TRUE(frame.WaitForText("msg 20015"));
}

TEST_F(ExtendedTest, ReceivedBlocksAreLoggedThenHandedToTheDll)
{
    set.m_nRecvFraming[0] = 2;
    set.m_delimiters[0] = Bytes({0x0A});
    ASSERT_TRUE(StartTalking());
    device.Inject("ab\ncd");
    ASSERT_TRUE(frame.WaitForText("pane 4 63 64"));
    ASSERT_EQ(1, CountCommand(4));
    EXPECT_EQ(std::vector<BYTE>({'a', 'b', '\n'}), Requests().back().data);
    EXPECT_EQ(1, frame.Count("recv 61 62 0A"));

    LineCommands({128});
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(4) == 2; }));
    EXPECT_EQ(std::vector<BYTE>({'c', 'd'}), Requests().back().data);
    EXPECT_EQ(1, frame.Count("recv 63 64"));

    // Read while the system still counts a wait that a renewal left to it.
    device.KeepWaitCounted(2000);
    device.Inject("ef\n");
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(4) == 3; }));
    device.Inject("gh\n");
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(4) == 4; })) << "the connection ended on the left wait";
    EXPECT_EQ(std::vector<BYTE>({'g', 'h', '\n'}), Requests().back().data);
    EXPECT_EQ(nullptr, frame.FindMessage(20021));
}

// ---- what the DLL answers ------------------------------------------------------------------

TEST_F(ExtendedTest, DllTextsAreLoggedAtTheirLevel)
{
    Reply(0x4000000, {{8, 1}}, {}, 0, "info");
    Reply(1, {{8, 2}, {0, 0x2000}}, {7}, 0, "hi");
    ASSERT_TRUE(StartTalking());
    ASSERT_TRUE(WaitForLog(10037, "hi"));
    EXPECT_EQ(std::vector<std::string>({"info"}), Texts(10036));
    // The text does not keep the reply's actions from being carried out.
    EXPECT_TRUE(frame.WaitFor([&] { return app.Editor() == std::vector<BYTE>({7}); }));

    Reply(4, {{8, 9}}, {}, 0, std::string(300, 'w').c_str());
    device.Inject("x");
    ASSERT_TRUE(frame.WaitForText("msg 10038"));
    // A text that fills the whole buffer is cut at its end.
    EXPECT_EQ(std::vector<std::string>({std::string(259, 'w')}), Texts(10038));
}

TEST_F(ExtendedTest, FailedExchangeLogsNoTextAndEndsTheConnection)
{
    Reply(4, {{8, 2}}, {}, 1, "lost");
    ASSERT_TRUE(StartTalking());
    device.Inject("x");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(1, frame.Count("msg 10031"));
    EXPECT_TRUE(Texts(10037).empty());
    EXPECT_EQ(2u, Commands().back());
}

TEST_F(ExtendedTest, OneShotTimerAsksOnce)
{
    Reply(1, {{0, 0x400}, {1, 0x80000000}, {2, 100}});
    ASSERT_TRUE(StartTalking());
    frame.Pump(300);
    ASSERT_EQ(1, CountCommand(0x10));
    EXPECT_EQ(0u, Requests().back().w[1]);
}

TEST_F(ExtendedTest, PeriodicTimerRunsUntilTheDllStopsIt)
{
    // Timer 1 every 20 ms; the third expiry answers "stop timer 1".
    Reply(1, {{0, 0x400}, {1, 1}, {2, 20}});
    Reply(0x10, {});
    Reply(0x10, {});
    Reply(0x10, {{0, 0x800}, {1, 1}});
    Reply(0x10, {});
    ASSERT_TRUE(StartTalking());
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(0x10) == 3; }));
    frame.Pump(150);
    EXPECT_EQ(3, CountCommand(0x10));
    for (const auto& r : Requests()) {
        if (r.w[0] == 0x10) {
            EXPECT_EQ(1u, r.w[1]);
        }
    }
}

TEST_F(ExtendedTest, EndActionEndsTheConnection)
{
    Reply(4, {{0, 0x200}});
    ASSERT_TRUE(StartTalking());
    device.Inject("q");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(0, frame.Count("msg 20011"));
    EXPECT_EQ(std::vector<std::string>({"unregister", "pane 1", "msg 20002", "state 1"}),
              Last(frame.Trace({"pane 2"}), 4));
    EXPECT_EQ(2u, Commands().back());
}

TEST_F(ExtendedTest, EditorActionsGoThroughTheApplication)
{
    app.SetEditor({0xEE});
    // Connected: put 1 2 3 into the editor. Then the editor's bytes are asked for (0x1000),
    // and the answer to that call routes them to port 2.
    Reply(1, {{0, 0x2000}}, {1, 2, 3});
    ASSERT_TRUE(StartTalking());
    EXPECT_EQ(std::vector<BYTE>({1, 2, 3}), app.Editor());

    Reply(4, {{0, 0x1000}, {3, 0x77}});
    // A length without a data pointer is empty data: the editor is emptied.
    Reply(4, {{0, 0x2000}}, {5, 5, 5, 5, 5}, 0, nullptr, true);
    Reply(0x1000, {{0, 0x100}, {1, 2}}, {9, 8});
    device.Inject("e");
    ASSERT_TRUE(frame.WaitForText("route 2 09 08"));
    std::vector<SeenRequest> requests = Requests();
    const SeenRequest& again = requests.back();
    EXPECT_EQ(0x1000u, again.w[0]);
    EXPECT_EQ(0x77u, again.w[3]);
    EXPECT_EQ(std::vector<BYTE>({1, 2, 3}), again.data);
    EXPECT_EQ(0, frame.Count("send 09 08"));

    device.Inject("f");
    ASSERT_TRUE(frame.WaitFor([&] { return app.Editor().empty(); }));
    EXPECT_EQ(2, app.EditorWrites());
}

TEST_F(ExtendedTest, CallAgainBitAndUnknownActionsCallTheDllAgain)
{
    Reply(1, {{0, 0x80000100}, {1, 0}}, {0x61});
    Reply(0x80000100, {{0, 0x4000}});
    ASSERT_TRUE(StartTalking());
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(0x4000) == 1; }));
    EXPECT_EQ(std::vector<DWORD>({0x2000000, 0x4000000, 1, 0x80000100, 0x4000}), Commands());
    EXPECT_EQ(1, frame.Count("route 0 61"));
    // The request of a call-again is the reply itself.
    EXPECT_EQ(std::vector<BYTE>({0x61}), Requests()[3].data);
}

// ---- the end of an extended connection -----------------------------------------------------

TEST_F(ExtendedTest, BytesOfTheLastReplyReachTheDeviceBeforeTheClose)
{
    // The frame's routing: the routed bytes go into the port's own channel buffer.
    frame.onReport = [&](const RecordedReport& report) {
        if (report.type == RecordedReport::Route && !frame.Buffers().empty()) {
            frame.Buffers().front()->Push(Bytes(report.payload), 0);
            frame.Buffers().front()->Signal();
        }
    };
    device.SetWriteDelay(30);
    device.SetLateCompletion(5);
    Reply(2, {{0, 0x100}, {1, 0}}, {0x71, 0x72});
    ASSERT_TRUE(StartTalking());
    ASSERT_TRUE(Stop());
    frame.onReport = nullptr;
    EXPECT_EQ(std::vector<BYTE>({0x71, 0x72}), device.Transmitted());
    EXPECT_EQ(1, frame.Count("send 71 72"));
    EXPECT_EQ(1, frame.Count("msg 20016"));
    EXPECT_EQ(0, device.PendingAtClose());
}

TEST_F(ExtendedTest, StopEndsWithoutWaitingForWhatTheDllRoutedAndItsLastChainRunsToItsEnd)
{
    // The frame's routing, into the port's own channel buffer, and what a row of the real
    // window's log costs it.
    int routed = 0, sent = 0;
    size_t transmittedBefore = 0;   // by the connections before
    frame.onReport = [&](const RecordedReport& report) {
        if (report.type == RecordedReport::Route && !frame.Buffers().empty()) {
            frame.Buffers().front()->Push(Bytes(report.payload), 0);
            frame.Buffers().front()->Signal();
            ++routed;
        }
        sent += report.type == RecordedReport::Record && report.kind == 1;
    };
    // Whatever way the test leaves, the end that the fixture waits for reaches none of this.
    struct Unhook
    {
        RecorderWindow& frame;
        ~Unhook() { frame.onReport = nullptr; }
    } unhook{frame};
    frame.recordDelayMs = 15;
    device.SetWriteDelay(20);
    // The chain of the disconnecting reply: three calls that route a byte each and end; calls
    // that route a numbered block each and never end, which the end's half second cuts; or
    // four calls that only ask to be called again.
    enum EndChain { ThreeRoutes, EndlessRoutes, CallsOnly };
    // A received block starts a chain in which every reply routes a numbered block to this port
    // and asks to be called again, up to the last, which an endless chain repeats.
    auto startChain = [&](int length, bool endless, EndChain end) {
        m_reset();
        Reply(4, {{0, 0x80000100}}, {0, 0});
        for (int i = 1; i < length; ++i)
            Reply(0x80000100, {{0, endless || i + 1 < length ? 0x80000100 : 0x100}}, {BYTE(i >> 8), BYTE(i)});
        if (end == ThreeRoutes) {
            Reply(2, {{0, 0xC0000100}}, {0xE1});
            Reply(0xC0000100, {{0, 0xC0000100}}, {0xE2});
            Reply(0xC0000100, {{0, 0x100}}, {0xE3});
        } else if (end == EndlessRoutes) {
            Reply(2, {{0, 0xC0000100}}, {0xE0, 0});
            for (int i = 1; i < 256; ++i)
                Reply(0xC0000100, {{0, 0xC0000100}}, {0xE0, BYTE(i)});
        } else {
            Reply(2, {{0, 0xC0000000}});
            Reply(0xC0000000, {{0, 0xC0000000}});
            Reply(0xC0000000, {{0, 0xC0000000}});
            Reply(0xC0000000, {});
        }
        frame.Clear();
        routed = sent = 0;
        transmittedBefore = device.Transmitted().size();
        ASSERT_TRUE(StartTalking());
        device.Inject("x");
    };
    // Stops; the end does not wait for what was queued (written at the device's pace, three
    // thousand blocks would take a minute) nor for a chain that never ends, whose calls the
    // end's half second cuts before its replies run out. What was listed as sent before the stop (from
    // least to most blocks) is a prefix of what the chain routed, in order; the blocks of it
    // handed to the port were written and completed, the rest got no completion. Everything
    // the disconnecting chain routed was listed as sent after the stop and written, and the
    // buffer stayed registered for it: it goes after the last block listed, followed only by
    // completions before the connection is reported over.
    auto stopAndCheck = [&](size_t least, size_t most, EndChain end) {
        SetStopEvent();
        const bool ended = WaitEnded(10000);
        if (!ended) {
            // An end that writes all the chain queued, or a chain that never looks at the
            // stop: the frame logs at once, and the DLL's emptied replies end the chain.
            frame.recordDelayMs = 0;
            m_reset();
            ASSERT_TRUE(WaitEnded(120000));
        }
        ASSERT_TRUE(ended) << "the connection did not end within 10 s of the stop";
        std::vector<std::string> trace = frame.Trace({"pane 2"});
        const auto stop = std::find(trace.begin(), trace.end(), "msg 20011");
        ASSERT_NE(trace.end(), stop);
        std::vector<std::string> before, after, routedAfter;
        for (auto it = trace.begin(); it != trace.end(); ++it) {
            if (it->compare(0, 4, "send") == 0)
                (it < stop ? before : after).push_back(*it);
            else if (it > stop && it->compare(0, 7, "route 0") == 0)
                routedAfter.push_back("send" + it->substr(7));
        }
        EXPECT_GE(before.size(), least);
        EXPECT_LE(before.size(), most);
        for (size_t i = 0; i < before.size(); ++i) {
            char text[16];
            std::snprintf(text, sizeof(text), "send %02X %02X", unsigned(i >> 8) & 0xFF, unsigned(i) & 0xFF);
            ASSERT_EQ(text, before[i]);
        }
        EXPECT_EQ(routedAfter, after);
        if (end == ThreeRoutes)
            EXPECT_EQ(std::vector<std::string>({"send E1", "send E2", "send E3"}), after);
        else if (end == EndlessRoutes)
            EXPECT_GE(after.size(), 2u);
        else
            EXPECT_TRUE(after.empty());
        const size_t written = static_cast<size_t>(frame.Count("msg 20016")) - after.size();
        ASSERT_LE(written, before.size());
        std::string expected, transmitted;
        for (size_t i = 0; i < written; ++i)
            expected += before[i].substr(4);
        for (const std::string& block : after)
            expected += block.substr(4);
        const std::vector<BYTE> bytes = device.Transmitted();
        for (size_t i = transmittedBefore; i < bytes.size(); ++i) {
            char part[4];
            std::snprintf(part, sizeof(part), " %02X", bytes[i]);
            transmitted += part;
        }
        EXPECT_EQ(expected, transmitted);

        trace = frame.Trace({"pane 2", "route"});
        const auto unregister = std::find(trace.begin(), trace.end(), "unregister");
        ASSERT_NE(trace.end(), unregister);
        ASSERT_GE(trace.end() - unregister, 4);
        EXPECT_EQ(std::vector<std::string>({"pane 1", "msg 20002", "state 1"}), Last(trace, 3));
        EXPECT_TRUE(std::all_of(unregister + 1, trace.end() - 3, [](const std::string& t) { return t == "msg 20016"; }));
        ptrdiff_t lastSend = -1;
        for (size_t i = 0; i < trace.size(); ++i) {
            if (trace[i].compare(0, 4, "send") == 0)
                lastSend = static_cast<ptrdiff_t>(i);
        }
        EXPECT_LT(lastSend, unregister - trace.begin());
        EXPECT_LT(std::find(trace.begin(), trace.end(), "msg 20011"), unregister);
        if (end == CallsOnly) {
            EXPECT_EQ(std::vector<std::string>({"msg 20011", "unregister", "pane 1", "msg 20002", "state 1"}), Last(trace, 5));
        }

        std::vector<DWORD> commands = Commands();
        ASSERT_EQ(1, CountCommand(2));
        std::vector<DWORD> endCalls(std::find(commands.begin(), commands.end(), 2u), commands.end());
        if (end == ThreeRoutes)
            EXPECT_EQ(std::vector<DWORD>({2, 0xC0000100, 0xC0000100}), endCalls);
        else if (end == EndlessRoutes) {
            EXPECT_EQ(after.size(), endCalls.size());
            EXPECT_LT(endCalls.size(), 256u) << "the disconnecting chain ran until its replies ran out";
        }
        else
            EXPECT_EQ(std::vector<DWORD>({2, 0xC0000000, 0xC0000000, 0xC0000000}), endCalls);
        CloseHandle(m_hThread);
        CloseHandle(m_hStop);
        m_hThread = m_hStop = nullptr;
    };

    // The stop comes while the chain still calls: nothing it routed was listed.
    startChain(3000, true, ThreeRoutes);
    ASSERT_TRUE(frame.WaitFor([&] { return routed >= 3000; }));
    stopAndCheck(0, 0, ThreeRoutes);
    if (HasFatalFailure())
        return;

    // The chain routed three thousand blocks and ended; the stop comes while they are written.
    startChain(3000, false, ThreeRoutes);
    ASSERT_TRUE(frame.WaitFor([&] { return sent >= 5; }));
    stopAndCheck(5, 3000, ThreeRoutes);
    if (HasFatalFailure())
        return;

    // The disconnecting chain would route for ever; its half second cuts it.
    startChain(300, true, EndlessRoutes);
    ASSERT_TRUE(frame.WaitFor([&] { return routed >= 300; }));
    stopAndCheck(0, 0, EndlessRoutes);
    if (HasFatalFailure())
        return;

    // The disconnecting chain only asks to be called again: it runs to its end, and the buffer
    // goes right after the stop.
    startChain(300, true, CallsOnly);
    ASSERT_TRUE(frame.WaitFor([&] { return routed >= 300; }));
    stopAndCheck(0, 0, CallsOnly);
}

TEST_F(ExtendedTest, StopAndWaitGivesUpOnAThreadStuckInTheDll)
{
    auto blockOn = reinterpret_cast<void (*)(DWORD)>(GetProcAddress(m_hDll, "KvrTestBlockOn"));
    auto blocked = reinterpret_cast<int (*)()>(GetProcAddress(m_hDll, "KvrTestBlockedCalls"));
    auto release = reinterpret_cast<void (*)()>(GetProcAddress(m_hDll, "KvrTestRelease"));
    ASSERT_TRUE(blockOn && blocked && release);
    blockOn(4);
    ASSERT_TRUE(BeginPortSessionThread(0));
    ASSERT_TRUE(frame.WaitFor([&] { return CountCommand(1) == 1; }));
    device.Inject("x");
    ASSERT_TRUE(frame.WaitFor([&] { return blocked() == 1; }));

    DWORD start = GetTickCount();
    std::vector<UnendedSession> unended = StopPortSessionsAndWait(300);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 290u);
    EXPECT_LT(elapsed, 3000u);
    ASSERT_EQ(1u, unended.size());
    EXPECT_EQ(0, unended[0].nPort);
    EXPECT_NE(0u, unended[0].dwThreadId);

    // Once the DLL returns, the connection ends as stopped.
    release();
    EXPECT_TRUE(StopPortSessionsAndWait(5000).empty());
    EXPECT_EQ(1, frame.Count("msg 20011"));
    EXPECT_FALSE(device.IsOpen());
}

// Where extension DLLs are mapped: by Windows' rule a module is mapped from the DLL's file while
// a holder has it; by the rule the program keeps under Wine (where mapping a DLL with
// thread-local storage after a connection's comm wait faults, and where a Linux program may
// write into a mapped DLL's file), the keeper maps a copy of its own, which stays mapped until
// the keeper goes, however often it is loaded and freed again, and goes with it; the DLL's own
// file is left free to be replaced or removed. A module the process mapped already from the
// DLL's file is taken as it is. The copies' folders that earlier starts left go at the next
// start, whatever process id named them, while a live keeper's stays. The process's keeper
// follows Wine's rule here, and the holder of the connections, probes and page goes through it.
TEST(ModuleKeeper, KeepsWhatItMappedOnlyUnderWinesRuleAndEveryDllHolderGoesThroughTheProcesssKeeper)
{
    TempFolder folder;
    const std::string source = ProgramFolder() + "\\kvrtest_ext.dll";
    std::vector<std::string> paths;
    for (const char* name : {"one.dll", "two.dll", "three.dll", "four.dll", "live.dll"}) {
        paths.push_back(folder.File(name));
        ASSERT_TRUE(CopyFileA(source.c_str(), paths.back().c_str(), FALSE)) << name;
    }
    auto mapped = [](const std::string& path) { return GetModuleHandleA(path.c_str()) != NULL; };
    {
        CModuleKeeper windows(false);
        const HMODULE hOne = windows.Load(paths[0].c_str());
        EXPECT_TRUE(mapped(paths[0]));
        windows.Free(hOne);
        windows.Keep(paths[1].c_str());
        windows.KeepFolder((folder.Path() + "\\").c_str());
        for (const std::string& path : paths)
            EXPECT_FALSE(mapped(path)) << path;
    }
    // Another keeper lives on beside; the folders that ended starts left are empty, one named by
    // this process's id (a fresh Wine session gives the program the same id at every start),
    // one by another process that runs.
    CModuleKeeper live(true);
    const HMODULE hLive = live.Load(paths[4].c_str());
    ASSERT_NE(nullptr, hLive);
    const std::string liveCopy = FileOf(hLive);
    live.Free(hLive);
    std::vector<std::string> left;
    for (DWORD dwProcessId : {GetCurrentProcessId(), OtherProcessId()}) {
        ASSERT_NE(0u, dwProcessId);
        left.push_back(FolderOf(FolderOf(liveCopy)) + "\\" + std::to_string(dwProcessId) + "-917");
        ASSERT_TRUE(CreateDirectoryA(left.back().c_str(), nullptr)) << left.back();
    }
    std::vector<std::string> copies;
    // The process mapped four.dll itself: the keeper takes that module.
    const HMODULE hFour = LoadLibraryA(paths[3].c_str());
    ASSERT_NE(nullptr, hFour);
    {
        CModuleKeeper wine(true);
        const HMODULE hOne = wine.Load(paths[0].c_str());
        ASSERT_NE(nullptr, hOne);
        wine.Free(hOne);
        const std::string copy = FileOf(hOne);
        EXPECT_NE(std::string::npos, copy.find("\\korvane-dlls\\")) << copy;
        EXPECT_EQ("\\one.dll", copy.substr(copy.find_last_of('\\'))) << copy;
        EXPECT_FALSE(mapped(paths[0]));
        for (const std::string& path : left)
            EXPECT_FALSE(Exists(path)) << path;
        EXPECT_TRUE(Exists(liveCopy) && mapped(liveCopy)) << liveCopy;
        for (int i = 0; i < 3; ++i) {
            const HMODULE hAgain = wine.Load(paths[0].c_str());
            EXPECT_EQ(hOne, hAgain) << "load " << i;
            wine.Free(hAgain);
        }
        wine.KeepFolder((folder.Path() + "\\").c_str());
        for (size_t i = 0; i < 4; ++i) {
            const HMODULE hModule = wine.Load(paths[i].c_str());
            ASSERT_NE(nullptr, hModule) << paths[i];
            copies.push_back(FileOf(hModule));
            wine.Free(hModule);
        }
        EXPECT_EQ(copy, copies[0]);
        EXPECT_EQ(paths[3], copies[3]);
        // The DLLs' own files are free: removed, the kept modules are still given by their paths.
        for (const std::string& path : paths)
            EXPECT_TRUE(DeleteFileA(path.c_str()) || path == paths[3]) << path << " " << GetLastError();
        wine.EndFreshMaps();
        const HMODULE hTwo = wine.Load(paths[1].c_str());
        EXPECT_EQ(copies[1], FileOf(hTwo));
        wine.Free(hTwo);
    }
    // The keeper held one reference of each, and nothing was left over: its copies went with it.
    for (const std::string& copy : {copies[0], copies[1], copies[2]}) {
        EXPECT_EQ(nullptr, GetModuleHandleA(copy.c_str())) << copy;
        EXPECT_FALSE(Exists(copy)) << copy;
    }
    EXPECT_FALSE(Exists(FolderOf(copies[0])));
    EXPECT_TRUE(mapped(paths[3]));
    FreeLibrary(hFour);
    EXPECT_FALSE(mapped(paths[3]));

    ASSERT_TRUE(RunningUnderWine());
    EXPECT_TRUE(GetExtensionModules().KeepsMapped());
    // The DLL beside the tests, which the holder maps for good (from a copy, or from the file
    // when a fixture of the process mapped it first).
    std::string file;
    {
        CPluginDll dll;
        ASSERT_TRUE(dll.Load(source.c_str()));
        file = FileOf(dll.m_hModule);
    }
    EXPECT_NE(nullptr, GetModuleHandleA(file.c_str())) << "the holder's unload unmapped the DLL";
}

// An extension DLL that imports a helper DLL from the program's folder has the helper mapped
// from a copy beside its own: a new build of the helper written over its file in place, as
// `cp` does, changes nothing that runs, and the helper's copy goes with the keeper.
TEST(ModuleKeeper, MapsTheHelperThatADllImportsFromTheProgramsFolderFromACopyBesideItsOwn)
{
    const std::string helper = ProgramFolder() + "\\kvrhelper.dll";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\kvrtest_extbuild1.dll").c_str(), helper.c_str(), FALSE));
    const std::vector<BYTE> block = {0xE7, 0x01, 0x5A};
    auto echo = [&block](HMODULE hDll) {
        const auto call = reinterpret_cast<CallBackKvrProc>(GetProcAddress(hDll, "CallBackKVR"));
        KvrBlock reply = {};
        KvrBlock request = {};
        request.w[KvrCommand] = KvrCmdReceived;
        request.w[KvrLength] = static_cast<DWORD>(block.size());
        request.w[KvrData] = reinterpret_cast<DWORD>(block.data());
        call(&reply, &request);
        const BYTE* data = reinterpret_cast<const BYTE*>(reply.w[KvrData]);
        return std::vector<BYTE>(data, data + reply.w[KvrLength]);
    };
    std::string helperCopy;
    {
        CModuleKeeper keeper(true);
        const HMODULE hDll = keeper.Load((ProgramFolder() + "\\kvrtest_exthelped.dll").c_str());
        ASSERT_NE(nullptr, hDll);
        const std::vector<BYTE> first = echo(hDll);
        ASSERT_EQ(4u, first.size());
        EXPECT_EQ(0xA1, first[0]);
        helperCopy = FileOf(GetModuleHandleA("kvrhelper.dll"));
        ASSERT_EQ(FolderOf(FileOf(hDll)) + "\\kvrhelper.dll", helperCopy);
        ASSERT_TRUE(LinuxCopyOver(ProgramFolder() + "\\kvrtest_extbuild2.dll", helper));
        EXPECT_EQ(first, echo(hDll));
        keeper.Free(hDll);
    }
    EXPECT_EQ(nullptr, GetModuleHandleA("kvrhelper.dll"));
    EXPECT_FALSE(Exists(helperCopy));
    EXPECT_TRUE(DeleteFileA(helper.c_str()));
}
