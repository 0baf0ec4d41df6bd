// The connection thread: its reports, the retry wait, the device name and the port set-up.
#include "engine_fixture.h"

namespace {

const std::vector<std::string> kSetupCalls = {"CreateFileA",        "GetCommState",  "SetCommState",
                                              "EscapeCommFunction", "SetupComm",     "SetCommTimeouts",
                                              "SetCommMask",        "PurgeComm",     "CloseHandle"};

} // namespace

TEST_F(EngineTest, UnknownDeviceReportsEveryStepInOrder)
{
    set.m_nComIndex[0] = 5;
    Start();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({"state 0", "msg 20001", "state 3", "pane 0", "msg 20003 err 2",
                                        "pane 1", "msg 20002", "state 1"}),
              frame.Trace());
    EXPECT_EQ(std::vector<std::string>({"CreateFileA \\\\.\\COM6 0xC0000000 0x0 0x3 0x40000000"}), fake.Calls());
}

TEST_F(EngineTest, StopDuringRetryWaitEndsWithoutOpening)
{
    GetPortSlot(0).m_nRetryWait = 1;
    set.m_nRetryPeriod[0] = 20000;
    Start();
    ASSERT_TRUE(frame.WaitForText("state 0"));
    frame.Pump(50);
    SetStopEvent();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({"state 0", "msg 20011", "pane 1", "state 1"}), frame.Trace());
    EXPECT_TRUE(fake.Calls().empty());
    EXPECT_EQ(0, device.OpenCount());
}

TEST_F(EngineTest, EndedConnectionsLeaveNoNamedEventOpen)
{
    const CPortSlot& slot = GetPortSlot(0);
    const CString stop = slot.MakeThreadStopEventName(), send = slot.MakeThreadSendEventName();
    const std::vector<CString> names = {stop,
                                        send,
                                        slot.MakeThreadComEventName(),
                                        MakeTimerEventName(send, "ST", 0),
                                        MakeTimerEventName(stop, "RT", 0),
                                        MakeTimerEventName(send, "AT", 0)};
    set.m_nAutoSendOn[0] = 1;
    set.m_nRecvTimeoutOn[0] = 1;
    for (int retryWait = 0; retryWait < 2; ++retryWait) {
        GetPortSlot(0).m_nRetryWait = retryWait;
        set.m_nRetryPeriod[0] = 1;
        ASSERT_TRUE(StartConnected());
        ASSERT_TRUE(Stop());
        CloseHandle(m_hThread);
        CloseHandle(m_hStop);
        m_hThread = m_hStop = nullptr;
        // With the test's own handle closed, an event that can still be opened was left open
        // by the connection.
        for (const CString& name : names) {
            HANDLE h = OpenEventA(SYNCHRONIZE, FALSE, name);
            EXPECT_EQ(nullptr, h) << name.GetString();
            if (h)
                CloseHandle(h);
        }
    }
}

TEST_F(EngineTest, RetryWaitGivesTheDeviceTimeThenOpens)
{
    GetPortSlot(0).m_nRetryWait = 1;
    set.m_nRetryPeriod[0] = 100;
    DWORD start = GetTickCount();
    ASSERT_TRUE(StartConnected());
    EXPECT_GE(GetTickCount() - start, 90u);
    EXPECT_EQ(1, device.OpenCount());
    ASSERT_TRUE(Stop());
    EXPECT_EQ(std::vector<std::string>({"state 0", "msg 20001", "state 3", "pane 0", "msg 20011", "pane 1", "state 1"}),
              Messages());
}

TEST_F(EngineTest, SetUpTakesEverySerialParameterInOrder)
{
    set.m_nBaudRate[0] = 19200;
    set.m_nDataBits[0] = 1;
    set.m_nParity[0] = 2;
    set.m_nStopBits[0] = 2;
    set.m_nDetailedFlow[0] = 1;
    set.fOutxCtsFlow[0] = 1;
    set.fDtrControl[0] = 2;
    set.fRtsControl[0] = 3;
    set.XonLim[0] = 100;
    set.XoffLim[0] = 300;
    set.XonChar[0] = 0x21;
    set.XoffChar[0] = 0x23;
    ASSERT_TRUE(StartConnected());

    DCB dcb = device.LastDcb();
    EXPECT_EQ(19200u, dcb.BaudRate);
    EXPECT_EQ(7, dcb.ByteSize);
    EXPECT_EQ(EVENPARITY, dcb.Parity);
    EXPECT_EQ(1u, dcb.fParity);
    EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
    EXPECT_EQ(1u, dcb.fOutxCtsFlow);
    EXPECT_EQ(0u, dcb.fOutxDsrFlow);
    EXPECT_EQ(static_cast<DWORD>(DTR_CONTROL_HANDSHAKE), dcb.fDtrControl);
    EXPECT_EQ(static_cast<DWORD>(RTS_CONTROL_DISABLE), dcb.fRtsControl) << "RTS mode 3 cannot be set";
    EXPECT_EQ(0u, dcb.fDsrSensitivity);
    EXPECT_EQ(0u, dcb.fOutX);
    EXPECT_EQ(0u, dcb.fInX);
    EXPECT_EQ(1u, dcb.fBinary);
    EXPECT_EQ(100, dcb.XonLim);
    EXPECT_EQ(300, dcb.XoffLim);
    EXPECT_EQ(0x21, dcb.XonChar);
    EXPECT_EQ(0x23, dcb.XoffChar);

    std::vector<std::string> calls = fake.Calls(kSetupCalls);
    EXPECT_EQ(std::vector<std::string>({
                  "CreateFileA \\\\.\\COM1 0xC0000000 0x0 0x3 0x40000000",
                  "GetCommState",
                  "SetCommState",
                  "EscapeCommFunction CLRDTR",
                  "EscapeCommFunction CLRRTS",
                  "EscapeCommFunction CLRBREAK",
                  "SetupComm 2048 2048",
                  "SetCommTimeouts 0 0 0 0 0",
                  "SetCommMask 0x1F9",
                  "PurgeComm 0xF",
              }),
              calls);
    EXPECT_EQ(0x1F9u, device.Mask());
}

TEST_F(EngineTest, WithoutDetailedFlowTheDriverKeepsOnlyItsOwnFlags)
{
    DCB driver = device.LastDcb();
    driver.fParity = 1;
    driver.fTXContinueOnXoff = 1;
    driver.fAbortOnError = 1;
    driver.StopBits = TWOSTOPBITS;
    device.SetDriverDcb(driver);
    set.m_nStopBits[0] = 7;     // out of range: left as read
    set.fOutxCtsFlow[0] = 1;    // ignored without detailed flow
    ASSERT_TRUE(StartConnected());

    DCB dcb = device.LastDcb();
    EXPECT_EQ(9600u, dcb.BaudRate);
    EXPECT_EQ(8, dcb.ByteSize);
    EXPECT_EQ(NOPARITY, dcb.Parity);
    EXPECT_EQ(0u, dcb.fParity) << "parity index 0 clears what the driver had";
    EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
    EXPECT_EQ(1u, dcb.fTXContinueOnXoff);
    EXPECT_EQ(1u, dcb.fAbortOnError);
    EXPECT_EQ(0u, dcb.fOutxCtsFlow);
    EXPECT_EQ(0u, dcb.fOutxDsrFlow);
    EXPECT_EQ(static_cast<DWORD>(DTR_CONTROL_DISABLE), dcb.fDtrControl);
    EXPECT_EQ(static_cast<DWORD>(RTS_CONTROL_DISABLE), dcb.fRtsControl);
    EXPECT_EQ(0u, dcb.fDsrSensitivity);
    EXPECT_EQ(0u, dcb.fOutX);
    EXPECT_EQ(0u, dcb.fInX);
    EXPECT_EQ(2048, dcb.XonLim);
    EXPECT_EQ(2048, dcb.XoffLim);
    EXPECT_EQ(0x11, dcb.XonChar);
    EXPECT_EQ(0x13, dcb.XoffChar);
}

TEST_F(EngineTest, ComIndexTwelveOpensCom13)
{
    FakeSerialDevice& com13 = fake.AddDevice("\\\\.\\COM13");
    set.m_nComIndex[0] = 12;
    ASSERT_TRUE(StartConnected());
    EXPECT_EQ(1, com13.OpenCount());
    EXPECT_EQ(12, frame.Buffers().front()->m_nComIndex);
    ASSERT_TRUE(Stop());
    EXPECT_FALSE(com13.IsOpen());
}

struct SetupFailure
{
    const char* call;
    int code;
};

class SetupFailureTest : public EngineTest, public ::testing::WithParamInterface<SetupFailure>
{
};

TEST_P(SetupFailureTest, ReportsItsMessageWithTheErrorAndCloses)
{
    const SetupFailure& failure = GetParam();
    fake.FailOnce(failure.call, 1234);
    Start();
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(std::vector<std::string>({"state 0", "msg 20001", "state 3", "pane 0",
                                        "msg " + std::to_string(failure.code) + " err 1234", "pane 1",
                                        "msg 20002", "state 1"}),
              frame.Trace());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ("CloseHandle", fake.Calls().back());
}

INSTANTIATE_TEST_SUITE_P(EachSetupCall, SetupFailureTest,
                         ::testing::Values(SetupFailure{"GetCommState", 20004}, SetupFailure{"SetCommState", 20005},
                                           SetupFailure{"SetupComm", 20006}, SetupFailure{"SetCommTimeouts", 20019},
                                           SetupFailure{"SetCommMask", 20020}, SetupFailure{"PurgeComm", 20012}),
                         [](const ::testing::TestParamInfo<SetupFailure>& info) { return std::string(info.param.call); });

TEST_F(EngineTest, BothPortsRunAtOnceOnTheirOwnEvents)
{
    FakeSerialDevice& com2 = fake.AddDevice("\\\\.\\COM2");
    set.m_nComIndex[1] = 1;
    ASSERT_TRUE(StartConnected(0));
    HANDLE first = m_hThread, firstStop = m_hStop;
    m_hThread = m_hStop = nullptr;
    ASSERT_TRUE(frame.WaitFor([&] { return frame.Count("register") == 1; }));
    Start(1);
    ASSERT_TRUE(frame.WaitFor([&] { return frame.Buffers().size() == 2; }));
    EXPECT_TRUE(com2.IsOpen());
    // Stopping port 2 leaves port 1 running.
    ASSERT_TRUE(Stop());
    EXPECT_TRUE(device.IsOpen());
    EXPECT_FALSE(com2.IsOpen());
    CloseHandle(m_hThread);
    CloseHandle(m_hStop);
    m_hThread = first;
    m_hStop = firstStop;
    ASSERT_TRUE(Stop());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(2, frame.Count("msg 20011"));
    EXPECT_EQ(0, frame.Count("msg 20002"));
}
