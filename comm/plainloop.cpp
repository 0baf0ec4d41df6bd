#include "plainloop.h"

#include "appaccess.h"
#include "connectionloop.h"
#include "currentcommset.h"
#include "periodtimer.h"
#include "portsession.h"
#include "serialapi.h"

#include <vector>

namespace {

enum
{
    MsgWriteFailed = 20009,
    MsgStopped = 20011,
    MsgRecvTimeout = 20013,
    MsgEmptySend = 20015,
    MsgWriteDone = 20016,
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
};

const DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// A connection that ends by its end-after-send rule lets the block it just wrote leave the
// port before the purge; the stop command cuts this wait short.
const DWORD kEndWriteWaitMs = 10000;
// After a purge aborted the writes still running, how long their records are waited for.
const DWORD kAbortWaitMs = 2000;

class CPlainLoop : public CConnectionLoop
{
public:
    CPlainLoop(int nCommType, HANDLE hPort, int nPort);
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

CPlainLoop::CPlainLoop(int nCommType, HANDLE hPort, int nPort)
    : CConnectionLoop(nCommType, hPort, nPort, kResults), m_pAutoSendTimer(NULL), m_pRecvTimer(NULL)
{
}

int CPlainLoop::Run()
{
    if (SetUp())
        ServeUntilEnd();
    End();
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
        m_reporter.Message(MsgStopped, 0);
        m_nResult = 1;
        return false;
    case WaitAutoSend: {
        COleSafeArray data = GetSendEditorData();
        if (m_set.m_nRandomOn[m_nPort])
            data = m_slot.m_randomEngine.ApplyRandomRegions(data);
        m_buffer.Push(data, 0);
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
        if (nCode == LineCmdDeliverPending && !m_pending.empty()) {
            if (!OnBlock(m_pending))
                return false;
            m_pending.clear();
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

void CPlainLoop::End()
{
    UnregisterBuffer();
    StopPeriodTimer(m_pAutoSendTimer);
    m_pAutoSendTimer = NULL;
    StopPeriodTimer(m_pRecvTimer);
    m_pRecvTimer = NULL;

    if (m_hPort != INVALID_HANDLE_VALUE && m_hPort != NULL) {
        const SerialApiTable& api = SerialApi();
        if (m_nResult == 0 && m_writer.GetPendingCount()) {
            DWORD dwError = 0;
            int nDone = m_writer.WaitAll(kEndWriteWaitMs, m_events.m_hStop, dwError);
            for (int i = 0; i < nDone; ++i)
                m_reporter.Message(MsgWriteDone, 0);
            if (dwError)
                Fail(MsgWriteFailed, dwError, -8);
        }
        api.PurgeComm(m_hPort, kPurgeAll);
        m_writer.Abandon(kAbortWaitMs);
        // Closing ends the pending comm-event wait, which still refers to the OVERLAPPED
        // record and event of this loop; both are released only after the close.
        api.CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
    }
    CloseEvents();
}

} // namespace

int PlainModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort)
{
    CPlainLoop loop(nCommType, hPort, nPort);
    return loop.Run();
}
