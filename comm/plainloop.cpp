#include "plainloop.h"

#include "appaccess.h"
#include "channelbuffer.h"
#include "currentcommset.h"
#include "connectionparts.h"
#include "periodtimer.h"
#include "portreporter.h"
#include "portsession.h"
#include "serialapi.h"
#include "serialwriter.h"

#include <vector>

namespace {

enum
{
    MsgCreateEventFailed = 20007,
    MsgReadFailed = 20008,
    MsgWriteFailed = 20009,
    MsgWaitFailed = 20010,
    MsgStopped = 20011,
    MsgRecvTimeout = 20013,
    MsgUnexpectedWait = 20014,
    MsgEmptySend = 20015,
    MsgWriteDone = 20016,
    MsgNothingRead = 20018,
    MsgCommWaitFailed = 20021,
    MsgClearErrorFailed = 20022,
    MsgTooManyQueued = 20035,
    MsgSendTooLong = 20036,
};

// The wait handles, in the order in which a wait reports them.
enum
{
    WaitStop,
    WaitSend,
    WaitAutoSend,
    WaitRecvTimeout,
    WaitTrigger,
    WaitWriteDone,
    WaitCommEvent,
    WaitLineCommand,
    WaitHandleCount
};

const DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// A connection that ends by its end-after-send rule lets the block it just wrote leave the
// port before the purge; the stop command cuts this wait short.
const DWORD kEndWriteWaitMs = 10000;
// After a purge aborted the writes still running, how long their records are waited for.
const DWORD kAbortWaitMs = 2000;

class CPlainLoop
{
public:
    CPlainLoop(int nCommType, HANDLE hPort, int nPort);
    ~CPlainLoop();
    int Run();

private:
    bool SetUp();
    bool Serve(DWORD dwIndex);
    bool SendPath();
    bool CollectWrites();
    bool CommEvent();
    bool ReadPath(DWORD dwQueued);
    bool LineCommands();
    bool ArmCommWait(int nFailResult);
    void RestartRecvTimeout();
    bool EndByRule();
    bool Fail(int nCode, DWORD dwError, int nResult);
    void End();

    const CCommSetRecord& m_set;
    const int m_nPort;
    HANDLE m_hPort;
    CPortSlot& m_slot;
    CPortReporter m_reporter;
    std::vector<BYTE> m_delimiters;
    std::vector<BYTE> m_pending;
    std::vector<BYTE> m_recv;
    CChannelBuffer m_buffer;
    bool m_bRegistered;
    CConnectionEvents m_events;
    HANDLE m_hWriteEvent;
    HANDLE m_hWaitEvent;
    OVERLAPPED m_ovWait;
    CSerialWriter m_writer;
    CPeriodTimer* m_pAutoSendTimer;
    CPeriodTimer* m_pRecvTimer;
    DWORD m_dwEvtMask;
    DWORD m_dwErrors;
    COMSTAT m_stat;
    int m_nResult;
};

CPlainLoop::CPlainLoop(int nCommType, HANDLE hPort, int nPort)
    : m_set(GetCurrentCommSet()),
      m_nPort(nPort),
      m_hPort(hPort),
      m_slot(GetPortSlot(nPort)),
      m_reporter(GetPortSlot(nPort).m_hFrameWnd, nPort),
      m_buffer(nCommType, 0, GetCurrentCommSet().m_nComIndex[nPort]),
      m_bRegistered(false),
      m_hWriteEvent(NULL),
      m_hWaitEvent(NULL),
      m_pAutoSendTimer(NULL),
      m_pRecvTimer(NULL),
      m_dwEvtMask(0),
      m_dwErrors(0),
      m_nResult(0)
{
    ZeroMemory(&m_ovWait, sizeof(m_ovWait));
    ZeroMemory(&m_stat, sizeof(m_stat));
}

CPlainLoop::~CPlainLoop()
{
}

int CPlainLoop::Run()
{
    if (SetUp()) {
        HANDLE handles[WaitHandleCount] = {
            m_events.m_hStop,    m_events.m_hSend, m_events.m_hAutoSend, m_events.m_hRecvTimeout,
            m_events.m_hTrigger, m_hWriteEvent,    m_hWaitEvent,         m_events.m_hCommand,
        };
        for (;;) {
            DWORD dwWait = WaitForMultipleObjects(WaitHandleCount, handles, FALSE, INFINITE);
            if (dwWait == WAIT_FAILED) {
                Fail(MsgWaitFailed, GetLastError(), -5);
                break;
            }
            DWORD dwIndex = dwWait - WAIT_OBJECT_0;
            if (dwIndex >= WaitHandleCount) {
                Fail(MsgUnexpectedWait, 0, -16);
                break;
            }
            if (!Serve(dwIndex))
                break;
        }
    }
    End();
    return m_nResult;
}

bool CPlainLoop::SetUp()
{
    m_delimiters = BytesOf(m_set.m_delimiters[m_nPort]);
    int nRecvSize = m_set.m_nRecvBufferSize[m_nPort];
    m_recv.resize(nRecvSize > 0 ? static_cast<size_t>(nRecvSize) : 0);

    m_events.Open(m_slot);
    m_hWriteEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWriteEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), -1);
    m_hWaitEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWaitEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), -2);
    m_ovWait.hEvent = m_hWaitEvent;
    m_writer.Attach(m_hPort, m_hWriteEvent);

    m_buffer.m_nPort = m_nPort;
    m_buffer.m_nSub = 0;
    m_buffer.m_strEventName = m_events.m_strTriggerName;
    m_reporter.Register(&m_buffer);
    m_bRegistered = true;

    if (m_set.m_nAutoSendOn[m_nPort])
        m_pAutoSendTimer = StartPeriodTimer(m_events.m_strAutoSendName, m_set.m_nAutoSendPeriod[m_nPort]);
    if (m_set.m_nRecvTimeoutOn[m_nPort])
        m_pRecvTimer = StartPeriodTimer(m_events.m_strRecvTimeoutName, m_set.m_nRecvTimeout[m_nPort]);

    if (!SerialApi().ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), -3);
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    return ArmCommWait(-4);
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
    case WaitSend:
    case WaitTrigger:
        return SendPath();
    case WaitRecvTimeout:
        return Fail(MsgRecvTimeout, 0, -7);
    case WaitWriteDone:
        return CollectWrites();
    case WaitCommEvent:
        return CommEvent();
    case WaitLineCommand:
        return LineCommands();
    }
    return Fail(MsgUnexpectedWait, 0, -16);
}

bool CPlainLoop::SendPath()
{
    COleSafeArray data;
    while (m_buffer.PopNext(data)) {
        std::vector<BYTE> bytes = BytesOf(data);
        if (bytes.empty()) {
            m_reporter.Message(MsgEmptySend, 0);
            continue;
        }
        // The block is logged as sent before it is written, so a block refused for its
        // length still shows in the log, followed by the refusal.
        m_reporter.Data(CCommLogRecord::KindSend, bytes.data(), static_cast<int>(bytes.size()));
        if (bytes.size() > static_cast<size_t>(m_set.m_nOutQueue[m_nPort] > 0 ? m_set.m_nOutQueue[m_nPort] : 0))
            return Fail(MsgSendTooLong, 0, -6);
        DWORD dwError = m_writer.Write(bytes.data(), static_cast<int>(bytes.size()));
        if (dwError)
            return Fail(MsgWriteFailed, dwError, -6);
        if (m_set.m_nEndAfterSend[m_nPort])
            return EndByRule();
    }
    // A write that finished at once may have had its completion signal cleared by the start
    // of the next write on the shared event; collect now rather than wait for the event.
    return CollectWrites();
}

bool CPlainLoop::CollectWrites()
{
    DWORD dwError = 0;
    int nDone = m_writer.Collect(dwError);
    for (int i = 0; i < nDone; ++i)
        m_reporter.Message(MsgWriteDone, 0);
    if (dwError)
        return Fail(MsgWriteFailed, dwError, -8);
    return true;
}

bool CPlainLoop::CommEvent()
{
    const SerialApiTable& api = SerialApi();
    DWORD dwCount = 0;
    if (!api.GetOverlappedResult(m_hPort, &m_ovWait, &dwCount, FALSE))
        return Fail(MsgCommWaitFailed, GetLastError(), -9);
    if (!api.ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), -10);
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    ReportLineEvents(m_reporter, m_dwEvtMask, m_dwErrors, m_stat);
    if ((m_dwEvtMask & EV_RXCHAR) && m_stat.cbInQue) {
        if (!ReadPath(m_stat.cbInQue))
            return false;
    }
    return ArmCommWait(-15);
}

bool CPlainLoop::ReadPath(DWORD dwQueued)
{
    if (dwQueued > m_recv.size())
        return Fail(MsgTooManyQueued, GetLastError(), -11);
    DWORD dwRead = 0;
    DWORD dwError = ReadQueuedBytes(m_hPort, m_ovWait, m_recv.data(), dwQueued, dwRead);
    if (dwError)
        return Fail(MsgReadFailed, dwError, -12);
    if (dwRead == 0)
        return Fail(MsgNothingRead, 0, -13);
    RestartRecvTimeout();

    const int nFraming = m_set.m_nRecvFraming[m_nPort];
    if (nFraming == 0) {
        m_reporter.Data(CCommLogRecord::KindReceive, m_recv.data(), static_cast<int>(dwRead));
        if (m_set.m_nEndAfterRecv[m_nPort])
            return EndByRule();
        return true;
    }
    m_pending.insert(m_pending.end(), m_recv.begin(), m_recv.begin() + dwRead);
    for (;;) {
        int nBlock = ReceiveBlockLength(m_pending, nFraming, m_set.m_nFixedBlockSize[m_nPort], m_delimiters);
        if (nBlock == 0)
            break;
        std::vector<BYTE> block(m_pending.begin(), m_pending.begin() + nBlock);
        m_pending.erase(m_pending.begin(), m_pending.begin() + nBlock);
        m_reporter.Data(CCommLogRecord::KindReceive, block.data(), nBlock);
        if (m_set.m_nEndAfterRecv[m_nPort])
            return EndByRule();
    }
    COleSafeArray pending = ByteBufferOf(m_pending);
    m_reporter.Pane(ComPanePending, reinterpret_cast<LPARAM>(&pending));
    return true;
}

bool CPlainLoop::LineCommands()
{
    // Several commands may have been queued before the event was seen: ask until the pane
    // has none left.
    for (;;) {
        int nCode = static_cast<int>(m_reporter.Pane(ComPaneNextLineCommand, 0));
        if (nCode == 0)
            return true;
        if (RunEscapeLineCommand(m_hPort, m_reporter, nCode))
            continue;
        if (nCode == LineCmdDiscardPending) {
            m_pending.clear();
        } else if (nCode == LineCmdDeliverPending && !m_pending.empty()) {
            m_reporter.Data(CCommLogRecord::KindReceive, m_pending.data(), static_cast<int>(m_pending.size()));
            if (m_set.m_nEndAfterRecv[m_nPort])
                return EndByRule();
            m_pending.clear();
        }
    }
}

bool CPlainLoop::ArmCommWait(int nFailResult)
{
    m_dwEvtMask = 0;
    if (!SerialApi().WaitCommEvent(m_hPort, &m_dwEvtMask, &m_ovWait)) {
        DWORD dwError = GetLastError();
        if (dwError != ERROR_IO_PENDING)
            return Fail(MsgCommWaitFailed, dwError, nFailResult);
    }
    return true;
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

bool CPlainLoop::Fail(int nCode, DWORD dwError, int nResult)
{
    m_reporter.Message(nCode, dwError);
    m_nResult = nResult;
    return false;
}

void CPlainLoop::End()
{
    if (m_bRegistered)
        m_reporter.Unregister(&m_buffer);
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
    if (m_hWriteEvent)
        CloseHandle(m_hWriteEvent);
    if (m_hWaitEvent)
        CloseHandle(m_hWaitEvent);
    m_hWriteEvent = m_hWaitEvent = NULL;
    m_events.Close();
}

} // namespace

int PlainModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort)
{
    CPlainLoop loop(nCommType, hPort, nPort);
    return loop.Run();
}
