#include "plainloop.h"

#include "appaccess.h"
#include "connectionloop.h"
#include "commsetrecord.h"
#include "periodtimer.h"
#include "portsession.h"
#include "serialapi.h"

#include <vector>

namespace {

enum
{
    MsgWriteFailed = 20009,
    MsgRecvTimeout = 20013,
    MsgEmptySend = 20015,
    MsgSendTooLong = 20036,
};

const ConnectionLoopResults kResults = {
    -1,  // nCreateWriteEvent
    -2,  // nCreateWaitEvent
    -3,  // nFirstClearError
    -4,  // nFirstCommWait
    -5,  // nWaitFailed
    -16, // nUnexpectedWait
    -8,  // nWriteFailed
    -9,  // nCommWaitFailed
    -10, // nClearError
    -11, // nTooManyQueued
    -12, // nReadFailed
    -13, // nNothingRead
    -15, // nRearmCommWait
    -17, // nNoMemory
};

class CPlainLoop : public CConnectionLoop
{
public:
    CPlainLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup);
    int Run();

private:
    // The timers of this loop are the automatic-send period and the receive time-out.
    enum
    {
        WaitAutoSend = WaitTimer0,
        WaitRecvTimeout = WaitTimer1,
    };

    bool SetUp();
    bool Serve(DWORD dwIndex) override;
    bool SendBlock(const std::vector<BYTE>& bytes) override;
    bool OnBytesRead(DWORD dwRead) override;
    bool OnBlock(const std::vector<BYTE>& block) override;
    bool LineCommands() override;
    void RestartRecvTimeout();
    bool EndByRule();
    void End();

    CPeriodTimer* m_pAutoSendTimer;
    CPeriodTimer* m_pRecvTimer;
};

CPlainLoop::CPlainLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup)
    : CConnectionLoop(nCommType, hPort, nPort, setup, kResults), m_pAutoSendTimer(NULL), m_pRecvTimer(NULL)
{
}

int CPlainLoop::Run()
{
    if (Guarded([&] { return SetUp(); }))
        ServeUntilEnd();
    Guarded([&] {
        End();
        return true;
    });
    ClosePort(true);
    return m_nResult;
}

bool CPlainLoop::SetUp()
{
    if (!OpenConnection())
        return false;
    if (m_set.m_nAutoSendOn[m_nPort])
        m_pAutoSendTimer = StartPeriodTimer(m_events.m_strAutoSendName, m_set.m_nAutoSendPeriod[m_nPort]);
    if (m_set.m_nRecvTimeoutOn[m_nPort])
        m_pRecvTimer = StartPeriodTimer(m_events.m_strRecvTimeoutName, m_set.m_nRecvTimeout[m_nPort]);
    return StartLineWatch();
}

bool CPlainLoop::Serve(DWORD dwIndex)
{
    switch (dwIndex) {
    case WaitStop:
        TakeStop();
        m_nResult = 1;
        return false;
    case WaitAutoSend: {
        COleSafeArray data = GetSendEditorData();
        if (m_set.m_nRandomOn[m_nPort])
            data = m_slot.m_randomEngine.ApplyRandomRegions(data);
        if (!m_buffer.Push(data, 0))
            return NoMemory();
        return SendPath();
    }
    case WaitRecvTimeout:
        return Fail(MsgRecvTimeout, 0, -7);
    }
    return CConnectionLoop::Serve(dwIndex);
}

bool CPlainLoop::SendBlock(const std::vector<BYTE>& bytes)
{
    if (bytes.empty()) {
        m_reporter.Message(MsgEmptySend, 0);
        return true;
    }
    // The block is logged as sent before it is written, so a block refused for its length
    // still shows in the log, followed by the refusal.
    m_reporter.Data(CCommLogRecord::KindSend, bytes.data(), static_cast<int>(bytes.size()));
    if (bytes.size() > static_cast<size_t>(m_set.m_nOutQueue[m_nPort] > 0 ? m_set.m_nOutQueue[m_nPort] : 0))
        return Fail(MsgSendTooLong, 0, -6);
    DWORD dwError = m_writer.Write(bytes.data(), static_cast<int>(bytes.size()));
    if (dwError)
        return Fail(MsgWriteFailed, dwError, -6);
    if (m_set.m_nEndAfterSend[m_nPort])
        return EndByRule();
    return true;
}

bool CPlainLoop::OnBytesRead(DWORD dwRead)
{
    RestartRecvTimeout();
    return FrameReceivedBytes(dwRead);
}

bool CPlainLoop::OnBlock(const std::vector<BYTE>& block)
{
    m_reporter.Data(CCommLogRecord::KindReceive, block.data(), static_cast<int>(block.size()));
    if (m_set.m_nEndAfterRecv[m_nPort])
        return EndByRule();
    return true;
}

bool CPlainLoop::LineCommands()
{
    for (;;) {
        int nCode = NextLineCommand();
        if (nCode == 0)
            return true;
        if (nCode == LineCmdDeliverPending && !m_pending.IsEmpty()) {
            if (!OnBlock(m_pending.TakeAll()))
                return false;
        }
    }
}

void CPlainLoop::RestartRecvTimeout()
{
    if (!m_pRecvTimer)
        return;
    StopPeriodTimer(m_pRecvTimer);
    // A period that ran out before these bytes were read is no time-out any more.
    ResetEvent(m_events.m_hRecvTimeout);
    m_pRecvTimer = StartPeriodTimer(m_events.m_strRecvTimeoutName, m_set.m_nRecvTimeout[m_nPort]);
}

bool CPlainLoop::EndByRule()
{
    m_nResult = 0;
    return false;
}

// Before the purge, the blocks already written leave the port (a block written just before
// an end rule or a stop included).
void CPlainLoop::End()
{
    UnregisterBuffer();
    StopPeriodTimer(m_pAutoSendTimer);
    m_pAutoSendTimer = NULL;
    StopPeriodTimer(m_pRecvTimer);
    m_pRecvTimer = NULL;
    DrainWrites();
}

} // namespace

int PlainModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort,
                  const CConnectionSetup& setup)
{
    CPlainLoop loop(nCommType, hPort, nPort, setup);
    return loop.Run();
}
