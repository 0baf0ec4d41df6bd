// An extension DLL that answers nonsense drives connections in extended mode: received
// blocks, user sends and the timers it starts keep asking it, and whatever it answers the
// connection carries out or refuses without a crash. A connection it ends or fails is started
// again until it has given its replies.
#include "script_fixture.h"

#include "fuzzharness.h"

namespace {

typedef void (*FuzzStartProc)(unsigned);
typedef long (*FuzzRepliesProc)();

class ExtensionFuzz : public AppTest
{
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_path = ExeFolder() + "\\kvrtest_extfuzz.dll";
        m_hDll = LoadLibraryA(m_path.c_str());
        ASSERT_NE(nullptr, m_hDll);
        m_start = reinterpret_cast<FuzzStartProc>(GetProcAddress(m_hDll, "KvrFuzzStart"));
        m_replies = reinterpret_cast<FuzzRepliesProc>(GetProcAddress(m_hDll, "KvrFuzzReplies"));
        ASSERT_TRUE(m_start && m_replies);
        set.m_nExtendedMode[0] = 1;
        set.m_strExtDllPath[0] = m_path.c_str();
        set.m_extSettings[0] = Bytes({1, 2, 3});
        app.SetEditor({0x10, 0x20, 0x30});
    }

    void TearDown() override
    {
        AppTest::TearDown();
        if (m_hDll)
            FreeLibrary(m_hDll);
    }

    // Ends the connection's thread handles once it ended by itself.
    void Forget()
    {
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        CloseHandle(m_hStop);
        m_hStop = nullptr;
    }

    std::string m_path;
    HMODULE m_hDll = nullptr;
    FuzzStartProc m_start = nullptr;
    FuzzRepliesProc m_replies = nullptr;
};

} // namespace

TEST_F(ExtensionFuzz, TenThousandSeededRepliesThroughConnections)
{
    const long target = fuzz::InputCount(10000);
    m_start(20261207);
    int connections = 0;
    int round = 0;
    const DWORD began = GetTickCount();
    const DWORD bound = fuzz::LongRun() ? 800000 : 120000;
    const std::vector<std::string> over = fuzz::WithCeiling(fuzz::kDefaultCeiling, [&] {
        while (m_replies() < target) {
            if (!m_hThread) {
                Start();
                ++connections;
            }
            // Traffic that asks the DLL: a received block and now and then a user's send.
            device.Inject(std::vector<BYTE>{static_cast<BYTE>(round), 0x0D, 0x0A});
            if (!frame.Buffers().empty())
                Push({0x55, static_cast<BYTE>(round)}, round % 2);
            ++round;
            frame.Pump(1);
            if (WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0) {
                Forget();
                frame.Clear();
            }
            if (frame.Reports().size() > 20000)
                frame.Clear();
            ASSERT_LT(GetTickCount() - began, bound) << "replies so far: " << m_replies();
        }
    });
    EXPECT_TRUE(over.empty()) << testing::PrintToString(over);
    ASSERT_TRUE(Stop() || !m_hThread);
    std::printf("fuzz extension replies    %ld replies through %d connections  %.2f s\n", m_replies(), connections,
                (GetTickCount() - began) / 1000.0);
    EXPECT_GE(m_replies(), target);
    EXPECT_GE(connections, 1);
}
