// The script connection loop: callbacks, framing into OnReceive, sending, script errors and
// the ways a script connection ends.
#include "script_fixture.h"

#include "messagetext.h"

namespace {

std::string MessageTextOf(int code)
{
    return std::string(static_cast<LPCSTR>(GetMessageText(code)));
}

const char kReceiveLogger[] = R"(
function OnConnected() Logput(1, 'ready') end
function OnReceive(t) Logput(1, table.concat(t, ',') .. ' n=' .. #t) end
function OnDisConnected() end
)";

} // namespace

// ---- callbacks and sending -----------------------------------------------------------------

TEST_F(ScriptTest, OnConnectedSendsAndStopEndsTheConnection)
{
    set.m_nComIndex[0] = 2;
    FakeSerialDevice& com3 = fake.AddDevice("\\\\.\\COM3");
    Run("function OnConnected() SendData({0x41,0x42}) end function OnDisConnected() end");
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
    EXPECT_EQ(std::vector<std::string>({"send 41 42", "msg 20016"}), Tail(2));
    EXPECT_EQ(std::vector<BYTE>({0x41, 0x42}), com3.Transmitted());
    // The connection shows its real COM port in its channel buffer.
    ASSERT_EQ(1u, frame.Buffers().size());
    EXPECT_EQ(2, frame.Buffers().front()->m_nComIndex);
    EXPECT_EQ(3, frame.Buffers().front()->m_nCommType);

    ASSERT_TRUE(Stop());
    EXPECT_EQ(std::vector<std::string>({"msg 20011", "unregister", "pane 1", "msg 20002", "state 1"}),
              Last(frame.Trace({"pane 2"}), 5));
    EXPECT_FALSE(com3.IsOpen());
}

TEST_F(ScriptTest, SendCommandOnlyWakesOnSendPush)
{
    app.SetEditor({0x10, 0x20});
    Run(R"(
function OnConnected() Logput(1, 'ready') end
function OnSendPush() Logput(1, 'push') SendData(GetEditorData()) end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    SendCommand();
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
    EXPECT_EQ(std::vector<std::string>({"ready", "push"}), Texts(10039));
    EXPECT_EQ(std::vector<BYTE>({0x10, 0x20}), device.Transmitted());

    // The event is the one of this instance and this port only.
    CString expected;
    expected.Format("%08X%08XMirtolexLuaScriptSendEvent1", static_cast<unsigned>(GetStartTickCount()),
                    static_cast<unsigned>(GetCurrentProcessId()));
    EXPECT_STREQ(expected, MakeScriptSendEventName(1));
    SendCommand(1);
    HANDLE plain = CreateEventA(nullptr, FALSE, FALSE, "MirtolexLuaScriptSendEvent0");
    SetEvent(plain);
    frame.Pump(100);
    CloseHandle(plain);
    EXPECT_EQ(1, frame.Count("send 10 20"));
}

TEST_F(ScriptTest, BytesOnlyALookFindsReachOnReceiveWithNothingElseSignalled)
{
    // The peer waits for each answer before it sends again, and no timer runs.
    Run(R"(
function OnConnected() Logput(1, 'ready') end
function OnReceive(t) SendData(t) end
function OnDisConnected() end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    auto answered = [&](const char* text) {
        return frame.WaitFor([&] {
            std::vector<BYTE> sent = device.Transmitted();
            return std::string(sent.begin(), sent.end()) == text;
        });
    };
    device.LoseWaitEnds(1, false);
    device.Inject("AB");
    ASSERT_TRUE(answered("AB")) << "the bytes that the look read never reached OnReceive";
    // Read while the system still counts the wait that a renewal left.
    device.KeepWaitCounted(2000);
    device.Inject("CD");
    ASSERT_TRUE(answered("ABCD"));
    device.Inject("EF");
    ASSERT_TRUE(answered("ABCDEF"));
    EXPECT_EQ(nullptr, frame.FindMessage(20021));
}

TEST_F(ScriptTest, ChannelBufferBlocksAreWrittenWithoutTheScript)
{
    Run("function OnConnected() Logput(1, 'ready') end function OnDisConnected() end");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    Push({0x31}, 0);
    ASSERT_TRUE(frame.WaitForText("msg 20016"));
    EXPECT_EQ(std::vector<BYTE>({0x31}), device.Transmitted());
    Push({}, 0);
    ASSERT_TRUE(frame.WaitForText("msg 10029"));
    EXPECT_EQ(1, device.WriteCount());
    // No output-queue limit in script mode.
    Push(std::vector<BYTE>(3000, 0x77), 1);
    ASSERT_TRUE(frame.WaitForText("msg 20016", 5000, 2));
    EXPECT_EQ(3001u, device.Transmitted().size());
}

TEST_F(ScriptTest, LateWritesKeepTheScriptsBytesUntilTheyComplete)
{
    device.SetWriteDelay(60);
    Run(R"(
function OnConnected()
    local a = {}
    for i = 1, 200 do a[i] = i end
    SendData(a)
    SendData('xyz')
    a = nil
    collectgarbage('collect')
    Logput(1, 'ready')
end
)");
    ASSERT_TRUE(frame.WaitForText("msg 20016", 5000, 2));
    std::vector<BYTE> expected;
    for (int i = 1; i <= 200; ++i)
        expected.push_back(static_cast<BYTE>(i));
    expected.insert(expected.end(), {'x', 'y', 'z'});
    EXPECT_EQ(expected, device.Transmitted());
    EXPECT_EQ(nullptr, frame.FindMessage(20009));
}

TEST_F(ScriptTest, SecondStopWithAHeldWriteEndsCleanly)
{
    device.HoldWrites(true);
    Run("function OnConnected() SendData('abc') Logput(1, 'ready') end function OnDisConnected() end");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    // The first stop waits for the write; the second gives up on it.
    SetStopEvent();
    ASSERT_TRUE(frame.WaitForText("msg 20011"));
    ASSERT_TRUE(Stop());
    EXPECT_TRUE(device.Transmitted().empty());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(std::vector<std::string>({"msg 20011", "pane 1", "msg 20002", "state 1"}), Tail(4));
}

TEST_F(ScriptTest, DisconnectEndsAfterTheCallbackAndRunsOnDisConnected)
{
    Run(R"(
function OnConnected() Disconnect() Logput(1, 'after') end
function OnDisConnected() Logput(1, 'bye') end
)");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({"after", "bye"}), Texts(10039));
    EXPECT_EQ(std::vector<std::string>({"msg 20011", "msg 10039", "pane 1", "msg 20002", "state 1"}), Tail(5));
}

// ---- received blocks -----------------------------------------------------------------------

TEST_F(ScriptTest, FramingZeroHandsEveryReadToOnReceive)
{
    Run(kReceiveLogger);
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    device.Inject("12");
    ASSERT_TRUE(WaitForLog(10039, "49,50 n=2"));
    EXPECT_EQ(1, frame.Count("recv 31 32"));
}

TEST_F(ScriptTest, DelimiterFramingCallsOnReceiveOnceForTheWholeBlock)
{
    set.m_nRecvFraming[0] = 2;
    set.m_delimiters[0] = Bytes({0x0A});
    Run(kReceiveLogger);
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    device.Inject("ab");
    ASSERT_TRUE(frame.WaitForText("pane 4 61 62"));
    frame.Pump(30);
    EXPECT_EQ(1u, Texts(10039).size());
    device.Inject("c\n");
    ASSERT_TRUE(WaitForLog(10039, "97,98,99,10 n=4"));
    frame.Pump(30);
    EXPECT_EQ(2u, Texts(10039).size());
    EXPECT_EQ(1, frame.Count("recv 61 62 63 0A"));
}

TEST_F(ScriptTest, LineCommandDeliversOrDiscardsWhatIsPending)
{
    set.m_nRecvFraming[0] = 1;
    set.m_nFixedBlockSize[0] = 10;
    Run(kReceiveLogger);
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    device.Inject("xy");
    ASSERT_TRUE(frame.WaitForText("pane 4 78 79"));
    LineCommands({128});
    ASSERT_TRUE(WaitForLog(10039, "120,121 n=2"));

    // A delivery asked for and then discarded leaves nothing, and the next bytes are framed
    // by the rule again.
    device.Inject("pq");
    ASSERT_TRUE(frame.WaitForText("pane 4 70 71"));
    LineCommands({128, 64});
    ASSERT_TRUE(frame.WaitForText("linecmd 0", 5000, 2));
    device.Inject("r");
    ASSERT_TRUE(frame.WaitForText("pane 4 72"));
    frame.Pump(30);
    EXPECT_EQ(2u, Texts(10039).size());
    EXPECT_EQ(0, frame.Count("recv 72"));
}

// ---- script errors -------------------------------------------------------------------------

TEST_F(ScriptTest, MissingCallbacksReportTheErrorPairs)
{
    Run("x = 1");
    ASSERT_TRUE(WaitEnded());
    std::vector<std::string> warnings = Texts(10041);
    std::vector<std::string> details = Texts(10042);
    ASSERT_EQ(2u, warnings.size());
    EXPECT_EQ(MessageTextOf(13083), warnings[0]);
    EXPECT_EQ("ｽｸﾘﾌﾟﾄ実行ｴﾗｰ (OnConnected)", warnings[0]);
    EXPECT_EQ(MessageTextOf(13087), warnings[1]);
    ASSERT_EQ(2u, details.size());
    EXPECT_NE(std::string::npos, details[0].find("attempt to call a nil value")) << details[0];
    EXPECT_EQ(std::vector<std::string>({"msg 10041", "msg 10042", "msg 10041", "msg 10042", "pane 1", "msg 20002",
                                        "state 1"}),
              Tail(7));
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(ScriptTest, EmptyScriptCreatesNoLuaState)
{
    Run("");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({MessageTextOf(13080)}), Texts(10039));
    // No state: no OnDisConnected was tried.
    EXPECT_TRUE(Texts(10041).empty());
    EXPECT_EQ(std::vector<std::string>({"msg 10039", "unregister", "pane 1", "msg 20002", "state 1"}),
              Last(frame.Trace({"pane 2"}), 5));
}

TEST_F(ScriptTest, LoadErrorEndsWithoutOnDisConnected)
{
    Run("function OnConnected( end");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({MessageTextOf(13081)}), Texts(10041));
    ASSERT_EQ(1u, Texts(10042).size());
    EXPECT_NE(std::string::npos, Texts(10042)[0].find("[string \"?\"]:1:")) << Texts(10042)[0];
}

TEST_F(ScriptTest, ErrorInTheMainChunkStillRunsOnDisConnected)
{
    Run("function OnDisConnected() Logput(1, 'bye') end error('broken')");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({MessageTextOf(13082)}), Texts(10041));
    ASSERT_EQ(1u, Texts(10042).size());
    EXPECT_NE(std::string::npos, Texts(10042)[0].find("broken"));
    EXPECT_EQ(std::vector<std::string>({"bye"}), Texts(10039));
}

TEST_F(ScriptTest, ErrorInOnReceiveEndsTheConnection)
{
    Run(R"(
function OnConnected() Logput(1, 'ready') end
function OnReceive(t) error({}) end
function OnDisConnected() Logput(1, 'bye') end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    device.Inject("z");
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({MessageTextOf(13086)}), Texts(10041));
    // An error value that is no text gives an empty text.
    EXPECT_EQ(std::vector<std::string>({""}), Texts(10042));
    EXPECT_EQ(std::vector<std::string>({"ready", "bye"}), Texts(10039));
    EXPECT_EQ(std::vector<std::string>({"pane 1", "msg 20002", "state 1"}), Tail(3));
}

TEST_F(ScriptTest, ErroringGlobalsTableFailsLikeAScriptError)
{
    // strict.lua style: reading an undeclared global raises an error.
    Run(R"(
function OnConnected() Logput(1, 'ready') end
function OnDisConnected() end
setmetatable(_G, {__index = function(t, k) error('undeclared ' .. k, 2) end})
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    SendCommand();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({MessageTextOf(13084)}), Texts(10041));
    ASSERT_EQ(1u, Texts(10042).size());
    EXPECT_NE(std::string::npos, Texts(10042)[0].find("undeclared OnSendPush"));
}
