// The plain connection loop through the scripted device: framing, sending, line events, line
// commands and the rules that end a connection.
#include "engine_fixture.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<std::string> Only(const std::vector<std::string>& trace, const std::vector<std::string>& prefixes)
{
    std::vector<std::string> out;
    for (const auto& text : trace) {
        for (const auto& prefix : prefixes) {
            if (text.compare(0, prefix.size(), prefix) == 0) {
                out.push_back(text);
                break;
            }
        }
    }
    return out;
}

std::vector<BYTE> Text(const char* text, bool withZero)
{
    std::vector<BYTE> bytes(text, text + std::strlen(text));
    if (withZero)
        bytes.push_back(0);
    return bytes;
}

} // namespace

// ---- framing -------------------------------------------------------------------------------

TEST_F(EngineTest, DelimiterFramingCutsBlocksAndShowsWhatIsPending)
{
    set.m_nRecvFraming[0] = 2;
    set.m_delimiters[0] = Bytes({0x0D, 0x0A});
    ASSERT_TRUE(StartConnected());
    device.Inject({0x41, 0x42, 0x0D, 0x0A, 0x43});
    ASSERT_TRUE(frame.WaitForText("pane 4 43"));
    EXPECT_EQ(std::vector<std::string>({"recv 41 42 0D", "recv 0A", "pane 4 43"}),
              Only(frame.Trace(), {"recv", "pane 4"}));

    LineCommands({128});
    ASSERT_TRUE(frame.WaitForText("linecmd 0"));
    EXPECT_EQ(std::vector<std::string>({"linecmd 128", "recv 43", "linecmd 0"}),
              Only(frame.Trace(), {"recv 43", "linecmd"}));

    // Nothing pending any more: 128 does nothing.
    LineCommands({128});
    ASSERT_TRUE(frame.WaitForText("linecmd 0", 5000, 2));
    EXPECT_EQ(1, frame.Count("recv 43"));
}

TEST_F(EngineTest, FixedSizeFramingKeepsTheRestUntilDiscarded)
{
    set.m_nRecvFraming[0] = 1;
    set.m_nFixedBlockSize[0] = 4;
    ASSERT_TRUE(StartConnected());
    device.Inject({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    ASSERT_TRUE(frame.WaitForText("pane 4 08 09"));
    EXPECT_EQ(std::vector<std::string>({"recv 00 01 02 03", "recv 04 05 06 07"}), Only(frame.Trace(), {"recv"}));

    LineCommands({64, 128});
    ASSERT_TRUE(frame.WaitForText("linecmd 0"));
    EXPECT_EQ(2, static_cast<int>(Only(frame.Trace(), {"recv"}).size())) << "discarded bytes are not delivered";

    // A block completed by bytes of two reads.
    device.Inject({0x10, 0x11});
    ASSERT_TRUE(frame.WaitForText("pane 4 10 11"));
    device.Inject({0x12, 0x13, 0x14});
    ASSERT_TRUE(frame.WaitForText("recv 10 11 12 13"));
    ASSERT_TRUE(frame.WaitForText("pane 4 14"));
}

TEST_F(EngineTest, FramingZeroLogsEveryReadAsOneBlock)
{
    ASSERT_TRUE(StartConnected());
    device.Inject({0x41, 0x0D, 0x42});
    ASSERT_TRUE(frame.WaitForText("recv 41 0D 42"));
    EXPECT_EQ(0, frame.Count("pane 4"));
    EXPECT_EQ(0u, device.InputQueueCount());
}

TEST_F(EngineTest, ReadAnsweredLaterIsWaitedFor)
{
    device.SetReadDelay(40);
    ASSERT_TRUE(StartConnected());
    device.Inject("AB");
    ASSERT_TRUE(frame.WaitForText("recv 41 42"));
    EXPECT_EQ(nullptr, frame.FindMessage(20008));
    device.Inject("C");
    ASSERT_TRUE(frame.WaitForText("recv 43"));
}

TEST_F(EngineTest, BytesQueuedDuringARunningReadAreReadWithoutAnotherCharacter)
{
    // Under Wine the next wait then completes at once and signals nothing, and a peer whose
    // line is full sends no character that could end a wait.
    device.SetWineAtOnceWait(true);
    device.SetReadDelay(100);
    ASSERT_TRUE(StartConnected());
    auto called = [&](const char* name) { return frame.WaitFor([&] { return !fake.Calls({name}).empty(); }); };
    ASSERT_TRUE(called("WaitCommEvent"));
    device.Inject("AB");
    ASSERT_TRUE(called("ReadFile"));
    device.Inject("C");
    ASSERT_TRUE(frame.WaitForText("recv 41 42"));
    ASSERT_TRUE(frame.WaitForText("recv 43")) << "the loop waits for a signal with bytes queued";
    EXPECT_EQ(0u, device.InputQueueCount());
}

TEST_F(EngineTest, BytesOfAWaitWhoseEndWasLostAreReadAndTheLoopWaitsAgain)
{
    // Under Wine a wait that ends while its own call still runs reads pending for good, its
    // events written and its event signalled; a wait may also end with nothing said at all. The
    // peer's line full, no further character comes to end another wait.
    ASSERT_TRUE(StartConnected());
    device.LoseWaitEnds(1, true);
    device.Inject("AB");
    ASSERT_TRUE(frame.WaitForText("recv 41 42")) << "the loop took a signalled end for an earlier one";
    device.LoseWaitEnds(1, false);
    device.Inject("CD");
    ASSERT_TRUE(frame.WaitForText("recv 43 44")) << "the loop never looked at the port's queue";
    device.Inject("EF");
    ASSERT_TRUE(frame.WaitForText("recv 45 46"));
    EXPECT_EQ(nullptr, frame.FindMessage(20021));
    // The wait running now is one the device counts: the stop ends it by the mask alone.
    fake.ClearCalls();
    ASSERT_TRUE(Stop());
    EXPECT_TRUE(fake.Calls({"CancelIo"}).empty());
}

TEST_F(EngineTest, AWaitTheSystemStillCountsLeavesThePortReadUntilItTakesANewOne)
{
    // A loaded system's waiting thread may fall seconds behind: the wait that a renewal left is
    // still counted, and a new one refused, long after the mask was set again.
    ASSERT_TRUE(StartConnected());
    device.KeepWaitCounted(2000);
    device.Inject("AB");
    ASSERT_TRUE(frame.WaitForText("recv 41 42"));
    const int taken = device.WaitsTaken();
    device.Inject("CD");
    ASSERT_TRUE(frame.WaitForText("recv 43 44")) << "the connection ended while the device still counted the left wait";
    device.Inject("EF");
    ASSERT_TRUE(frame.WaitForText("recv 45 46"));
    ASSERT_TRUE(frame.WaitFor([&] { return device.WaitsTaken() > taken; })) << "no new wait once the device let go";
    device.Inject("GH");
    ASSERT_TRUE(frame.WaitForText("recv 47 48"));
    EXPECT_EQ(nullptr, frame.FindMessage(20021));
    EXPECT_EQ(std::vector<std::string>({"recv 41 42", "recv 43 44", "recv 45 46", "recv 47 48"}),
              Only(frame.Trace(), {"recv"}));
}

// ---- sending -------------------------------------------------------------------------------

TEST_F(EngineTest, PushedBlockIsLoggedThenWrittenThenCompleted)
{
    ASSERT_TRUE(StartConnected());
    size_t mark = frame.Reports().size();
    Push({0x41, 0x42});
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
    std::vector<std::string> trace = frame.Trace();
    EXPECT_EQ(std::vector<std::string>({"send 41 42", "msg 20016"}),
              std::vector<std::string>(trace.begin() + mark, trace.end()));
    EXPECT_EQ(std::vector<BYTE>({0x41, 0x42}), device.Transmitted());

    Push({});
    ASSERT_TRUE(frame.WaitForText("msg 20015"));
    EXPECT_EQ(1, device.WriteCount());
}

TEST_F(EngineTest, BlockLongerThanTheOutputQueueIsLoggedThenRefused)
{
    ASSERT_TRUE(StartConnected());
    std::vector<BYTE> big(3000, 0x55);
    Push(big);
    ASSERT_TRUE(WaitEnded());
    std::vector<std::string> trace = Messages();
    ASSERT_GE(trace.size(), 5u);
    EXPECT_EQ(std::vector<std::string>({"msg 20036", "pane 1", "msg 20002", "state 1"}),
              std::vector<std::string>(trace.end() - 4, trace.end()));
    EXPECT_EQ(0, trace[trace.size() - 5].compare(0, 8, "send 55 "));
    EXPECT_EQ(3000u, frame.Reports()[frame.Reports().size() - 6].payload.size());
    EXPECT_TRUE(device.Transmitted().empty());
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(EngineTest, LateWritesKeepTheirBytesUntilTheyComplete)
{
    device.SetWriteDelay(50);
    ASSERT_TRUE(StartConnected());
    std::vector<BYTE> first(64), second(32);
    for (size_t i = 0; i < first.size(); ++i)
        first[i] = static_cast<BYTE>(i);
    for (size_t i = 0; i < second.size(); ++i)
        second[i] = static_cast<BYTE>(0xA0 + i);
    // Both blocks are on their way at once.
    CChannelBuffer* buffer = frame.Buffers().front();
    buffer->Push(Bytes(first), 1);
    buffer->Push(Bytes(second), 1);
    buffer->Signal();
    ASSERT_TRUE(frame.WaitForText("msg 20016", 5000, 2));
    std::vector<BYTE> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(expected, device.Transmitted());
    EXPECT_EQ(nullptr, frame.FindMessage(20009));
}

TEST_F(EngineTest, EndAfterSendLetsTheBlockLeaveBeforeClosing)
{
    set.m_nEndAfterSend[0] = 1;
    device.SetWriteDelay(50);
    ASSERT_TRUE(StartConnected());
    Push({0x31, 0x32, 0x33});
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<BYTE>({0x31, 0x32, 0x33}), device.Transmitted());
    std::vector<std::string> trace = Messages();
    EXPECT_EQ(std::vector<std::string>({"send 31 32 33", "msg 20016", "pane 1", "msg 20002", "state 1"}),
              std::vector<std::string>(trace.end() - 5, trace.end()));
}

TEST_F(EngineTest, SecondStopAbortsAHeldWriteAndReleasesItSafely)
{
    device.HoldWrites(true);
    ASSERT_TRUE(StartConnected());
    Push({1, 2, 3});
    ASSERT_TRUE(frame.WaitForText("send 01 02 03"));
    frame.Pump(30);
    EXPECT_EQ(0, frame.Count("msg 20016"));
    // The first stop waits for the write; the second gives up on it.
    SetStopEvent();
    ASSERT_TRUE(frame.WaitForText("msg 20011"));
    ASSERT_TRUE(Stop());
    EXPECT_TRUE(device.Transmitted().empty());
    EXPECT_EQ(0, frame.Count("msg 20016"));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(0, device.PendingAtClose());
}

TEST_F(EngineTest, FailedWriteEndsTheConnection)
{
    ASSERT_TRUE(StartConnected());
    fake.FailOnce("WriteFile", 31);
    Push({7});
    ASSERT_TRUE(WaitEnded());
    std::vector<std::string> trace = Messages();
    EXPECT_EQ(std::vector<std::string>({"send 07", "msg 20009 err 31", "pane 1", "msg 20002", "state 1"}),
              std::vector<std::string>(trace.end() - 5, trace.end()));
}

// ---- line events and line commands ---------------------------------------------------------

TEST_F(EngineTest, LineEventsAreLoggedAndShown)
{
    ASSERT_TRUE(StartConnected());
    device.SetRlsd(true);
    ASSERT_TRUE(frame.WaitForText("msg 20031"));
    EXPECT_EQ(1, frame.Count("pane 2 20000000"));
    device.SetRlsd(false);
    ASSERT_TRUE(frame.WaitForText("msg 20032"));

    device.RaiseErrors(CE_FRAME);
    ASSERT_TRUE(frame.WaitForText("msg 20033"));
    EXPECT_EQ(Text("CE_FRAME=ON, CE_OVERRUN=OFF, CE_RXPARITY=OFF", true), frame.FindMessage(20033)->payload);
    EXPECT_EQ(1, frame.Count("pane 2 08000000"));

    device.Ring();
    ASSERT_TRUE(frame.WaitForText("msg 20024"));

    size_t mark = frame.Reports().size();
    device.SetCts(true);
    ASSERT_TRUE(frame.WaitForText("msg 20027"));
    device.RaiseErrors(CE_FRAME | CE_BREAK);
    ASSERT_TRUE(frame.WaitForText("pane 2 89000000"));
    ASSERT_TRUE(frame.WaitForText("msg 20033", 5000, 2));
    std::vector<std::string> trace = frame.Trace();
    EXPECT_EQ(std::vector<std::string>({"pane 2 80000000", "msg 20027", "pane 2 89000000", "msg 20025", "msg 20033"}),
              std::vector<std::string>(trace.begin() + mark, trace.end()));
    // Every message has error 0, and only the line-error messages carry a payload.
    for (const auto& report : frame.Reports()) {
        if (report.type != RecordedReport::Record || report.kind != 0)
            continue;
        EXPECT_EQ(0u, report.error);
        EXPECT_EQ(report.code == 20033, !report.payload.empty()) << report.code;
    }
}

TEST_F(EngineTest, LineCommandsAreAskedForUntilNoneIsLeft)
{
    ASSERT_TRUE(StartConnected());
    fake.ClearCalls();
    fake.FailOnce("EscapeCommFunction", 31);
    LineCommands({16, 1, 4, 99, 2, 8, 32});
    ASSERT_TRUE(frame.WaitForText("linecmd 0"));
    EXPECT_EQ(std::vector<std::string>({"EscapeCommFunction SETBREAK", "EscapeCommFunction SETRTS",
                                        "EscapeCommFunction SETDTR", "EscapeCommFunction CLRRTS",
                                        "EscapeCommFunction CLRDTR", "EscapeCommFunction CLRBREAK"}),
              fake.Calls({"EscapeCommFunction"}));
    const RecordedReport* failed = frame.FindMessage(20034);
    ASSERT_NE(nullptr, failed);
    EXPECT_EQ(0u, failed->error);
    EXPECT_EQ(Text("SETBREAK", true), failed->payload);
    EXPECT_EQ(1, frame.Count("msg 20034"));
    // The loop goes on.
    Push({0x0F});
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
}

// ---- rules that end a connection -----------------------------------------------------------

TEST_F(EngineTest, EndAfterReceivedBlockEndsWithEndMessage)
{
    set.m_nEndAfterRecv[0] = 1;
    set.m_nRecvFraming[0] = 2;
    set.m_delimiters[0] = Bytes({0x0A});
    ASSERT_TRUE(StartConnected());
    device.Inject({0x61, 0x0A, 0x62, 0x0A});
    ASSERT_TRUE(WaitEnded());
    std::vector<std::string> trace = Messages();
    EXPECT_EQ(std::vector<std::string>({"recv 61 0A", "pane 1", "msg 20002", "state 1"}),
              std::vector<std::string>(trace.end() - 4, trace.end()));
    EXPECT_EQ(0, frame.Count("msg 20011"));
    EXPECT_EQ(1, frame.Count("unregister"));
}

TEST_F(EngineTest, ReceiveTimeOutCountsFromTheLastBytes)
{
    set.m_nRecvTimeoutOn[0] = 1;
    set.m_nRecvTimeout[0] = 150;
    ASSERT_TRUE(StartConnected());
    // Traffic every 50 ms keeps the connection alive.
    for (int i = 0; i < 6; ++i) {
        device.Inject({static_cast<BYTE>(i)});
        frame.Pump(50);
    }
    EXPECT_EQ(0, frame.Count("msg 20013"));
    EXPECT_EQ(6u, Only(frame.Trace(), {"recv"}).size());
    ASSERT_TRUE(WaitEnded());
    std::vector<std::string> trace = Messages();
    EXPECT_EQ(std::vector<std::string>({"msg 20013", "pane 1", "msg 20002", "state 1"}),
              std::vector<std::string>(trace.end() - 4, trace.end()));
}

TEST_F(EngineTest, ReceiveTimeOutWithoutTraffic)
{
    set.m_nRecvTimeoutOn[0] = 1;
    set.m_nRecvTimeout[0] = 100;
    DWORD start = GetTickCount();
    ASSERT_TRUE(StartConnected());
    ASSERT_TRUE(WaitEnded());
    EXPECT_GE(GetTickCount() - start, 90u);
    EXPECT_EQ(1, frame.Count("msg 20013"));
    EXPECT_EQ(1, frame.Count("msg 20002"));
}

TEST_F(EngineTest, AutomaticSendSendsTheEditorOnEveryPeriod)
{
    set.m_nAutoSendOn[0] = 1;
    set.m_nAutoSendPeriod[0] = 50;
    ASSERT_TRUE(StartConnected());
    ASSERT_TRUE(frame.WaitForText("msg 20015", 5000, 3));
    EXPECT_EQ(0, device.WriteCount());

    editor.bytes = {0x41};
    ASSERT_TRUE(frame.WaitForText("msg 20016", 5000, 2));
    EXPECT_GE(frame.Count("send 41"), 2);
    std::vector<BYTE> sent = device.Transmitted();
    EXPECT_TRUE(std::all_of(sent.begin(), sent.end(), [](BYTE b) { return b == 0x41; }));
    // The automatic send pushes with flag 0.
    EXPECT_EQ(0, frame.Buffers().front()->m_nLastFlag);
}

TEST_F(EngineTest, StopEndsWithoutEndMessage)
{
    ASSERT_TRUE(StartConnected());
    ASSERT_TRUE(Stop());
    EXPECT_EQ(std::vector<std::string>({"state 0", "msg 20001", "state 3", "pane 0", "register", "pane 2 00000000",
                                        "msg 20011", "unregister", "pane 1", "state 1"}),
              frame.Trace());
    EXPECT_TRUE(frame.Buffers().empty());
    std::vector<std::string> calls = fake.Calls({"PurgeComm", "CloseHandle"});
    EXPECT_EQ(std::vector<std::string>({"PurgeComm 0xF", "PurgeComm 0xF", "CloseHandle"}), calls);
}
