// The engine under load and hostile settings: an allocation that cannot succeed, a copy that
// fails inside the channel buffer, sources that expire again before a pass ends, and bytes
// that pile up waiting for their delimiter.
#include "script_fixture.h"

#include <algorithm>
#include <thread>

namespace {

// A byte buffer that claims far more bytes than the process can allocate, over a small block:
// any copy of it fails, while the buffer itself costs nothing. It must be detached (Forget)
// before it is destroyed.
class UncopyableBuffer
{
public:
    UncopyableBuffer()
    {
        SafeArrayAllocDescriptor(1, &m_pArray);
        m_pArray->cbElements = 1;
        m_pArray->fFeatures = FADF_STATIC;
        m_pArray->rgsabound[0].cElements = 0x7FFFFFF0;
        m_pArray->rgsabound[0].lLbound = 0;
        m_pArray->pvData = m_bytes;
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_UI1;
        v.parray = m_pArray;
        m_data.Attach(v);
    }
    ~UncopyableBuffer()
    {
        m_data.Detach();
        SafeArrayDestroyDescriptor(m_pArray);
    }
    const COleSafeArray& Data() const { return m_data; }

private:
    BYTE m_bytes[16] = {};
    SAFEARRAY* m_pArray = nullptr;
    COleSafeArray m_data;
};

// Runs fn on a thread of its own; true when it ended within the time. A thread that hangs is
// left behind (it only waits).
DWORD WINAPI RunFunction(LPVOID p)
{
    auto* fn = static_cast<std::function<void()>*>(p);
    (*fn)();
    delete fn;
    return 0;
}

bool RunsWithin(DWORD ms, std::function<void()> fn)
{
    HANDLE h = CreateThread(nullptr, 0, RunFunction, new std::function<void()>(std::move(fn)), 0, nullptr);
    bool ended = WaitForSingleObject(h, ms) == WAIT_OBJECT_0;
    CloseHandle(h);
    return ended;
}

} // namespace

// ---- allocations that fail -----------------------------------------------------------------

TEST_F(EngineTest, ReceiveBufferTheProcessCannotAllocateEndsOnlyTheConnection)
{
    set.m_nRecvBufferSize[0] = 0x7FFFFFFF;
    Start();
    ASSERT_TRUE(WaitEnded());
    const RecordedReport* failure = frame.FindMessage(20006);
    ASSERT_NE(nullptr, failure);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), failure->error);
    std::vector<std::string> trace = Messages();
    ASSERT_GE(trace.size(), 3u);
    EXPECT_EQ(std::vector<std::string>({"pane 1", "msg 20002", "state 1"}), std::vector<std::string>(trace.end() - 3, trace.end()));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(frame.Buffers().empty());

    // The process goes on, and so does the next connection with a sane set.
    CloseHandle(m_hThread);
    CloseHandle(m_hStop);
    m_hThread = m_hStop = nullptr;
    set.m_nRecvBufferSize[0] = 4096;
    frame.Clear();
    ASSERT_TRUE(StartConnected());
    device.Inject("ok");
    ASSERT_TRUE(frame.WaitForText("recv 6F 6B"));
}

TEST(ChannelBuffer, FailedCopyAnswersFailureAndReleasesTheLock)
{
    // Left behind, not destroyed, when a thread below hangs on it.
    auto* buffer = new CChannelBuffer(3, 0, 0);
    BOOL pushed = TRUE;
    {
        UncopyableBuffer huge;
        try {
            pushed = buffer->Push(huge.Data(), 1);
        } catch (CException* e) {
            e->Delete();
            ADD_FAILURE() << "the failed copy came out of Push as an exception";
        }
    }
    EXPECT_FALSE(pushed);
    EXPECT_EQ(0, buffer->GetCount());

    bool pushedNext = false;
    ASSERT_TRUE(RunsWithin(1000, [&] { pushedNext = buffer->Push(ByteBufferOf({1, 2}), 0) != FALSE; }));
    EXPECT_TRUE(pushedNext);
    std::vector<BYTE> popped;
    ASSERT_TRUE(RunsWithin(1000, [&] {
        COleSafeArray data;
        if (buffer->PopNext(data) > 0)
            popped = BytesOf(data);
    }));
    EXPECT_EQ(std::vector<BYTE>({1, 2}), popped);
    delete buffer;
}

// ---- every source is served ----------------------------------------------------------------

TEST_F(EngineTest, BusyAutomaticSendLeavesRoomForReadsAndLineCommands)
{
    // Every pass of the 10 ms automatic send takes longer than its period, since the frame
    // takes 6 ms for each record.
    set.m_nAutoSendOn[0] = 1;
    set.m_nAutoSendPeriod[0] = 10;
    editor.bytes = {0x55};
    frame.onReport = [](const RecordedReport& report) {
        if (report.type == RecordedReport::Record)
            Sleep(6);
    };
    ASSERT_TRUE(StartConnected());
    ASSERT_TRUE(frame.WaitForText("msg 20016", 30000, 5));

    // A read is served within a round or two of the loop, however slow the machine: counted in
    // the automatic sends that went out between the bytes' arrival and their read.
    std::vector<int> sendsBefore;
    for (int i = 0; i < 5; ++i) {
        char text[8];
        wsprintfA(text, "r%d", i);
        const size_t from = frame.Reports().size();
        device.Inject(text);
        std::string expected = "recv 72 " + std::string(i < 10 ? "3" : "") + std::to_string(i);
        ASSERT_TRUE(frame.WaitForText(expected)) << "the read of block " << i << " was never served";
        int sends = 0;
        for (size_t k = from; k < frame.Reports().size() && frame.Reports()[k].Text() != expected; ++k)
            sends += frame.Reports()[k].type == RecordedReport::Record && frame.Reports()[k].kind == 1;
        sendsBefore.push_back(sends);
    }
    for (int sends : sendsBefore)
        EXPECT_LE(sends, 3) << ::testing::PrintToString(sendsBefore);

    LineCommands({1});
    ASSERT_TRUE(frame.WaitForText("linecmd 1")) << "the line command was never served";
    frame.onReport = nullptr;
}

TEST_F(ScriptTest, MillisecondTimerLeavesRoomForEveryReceivedBlock)
{
    frame.onReport = [](const RecordedReport& report) {
        if (report.type == RecordedReport::Record)
            Sleep(3);
    };
    Run(R"(
function OnConnected() SetTimer(0, 1) Logput(1, 'ready') end
function OnTimer(id) Logput(1, 't') end
function OnReceive(t) Logput(1, 'rx' .. #t) end
function OnDisConnected() end
)");
    ASSERT_TRUE(WaitForLog(10039, "ready"));
    ASSERT_TRUE(frame.WaitFor([&] { return Texts(10039).size() > 10; }));
    for (int i = 1; i <= 5; ++i) {
        device.Inject(std::vector<BYTE>(static_cast<size_t>(i), 0x41));
        ASSERT_TRUE(WaitForLog(10039, "rx" + std::to_string(i))) << "OnReceive never ran for block " << i;
    }
    frame.onReport = nullptr;
}

// ---- bytes waiting for their delimiter -----------------------------------------------------
// (What a read costs while megabytes wait is a figure of the benchmark.)

TEST_F(EngineTest, MoreQueuedThanTheReceiveBufferHoldsReportsNoLeftoverError)
{
    set.m_nRecvBufferSize[0] = 8;
    ASSERT_TRUE(StartConnected());
    device.Inject(std::vector<BYTE>(9, 0x30));
    ASSERT_TRUE(WaitEnded());
    EXPECT_EQ(1, frame.Count("msg 20035"));
    EXPECT_EQ(nullptr, frame.FindMessage(20008));
}

// ---- the set a connection reads ------------------------------------------------------------

TEST_F(EngineTest, RunningConnectionKeepsTheSetItStartedWith)
{
    ASSERT_TRUE(StartConnected());
    // The settings dialog's Apply while the connection runs.
    CCommSetRecord changed = set;
    changed.m_nRecvFraming[0] = 1;
    changed.m_nFixedBlockSize[0] = 2;
    changed.m_delimiters[0] = Bytes({0x0A, 0x0D});
    AssignCurrentCommSet(changed);
    device.Inject("abcd");
    ASSERT_TRUE(frame.WaitForText("recv 61 62 63 64"));
    EXPECT_EQ(0, frame.Count("recv 61 62"));
    ASSERT_TRUE(Stop());

    // The next connection starts with the new set.
    CloseHandle(m_hThread);
    CloseHandle(m_hStop);
    m_hThread = m_hStop = nullptr;
    ASSERT_TRUE(StartConnected());
    device.Inject("abcd");
    ASSERT_TRUE(frame.WaitForText("recv 63 64"));
    EXPECT_EQ(1, frame.Count("recv 61 62"));
}
