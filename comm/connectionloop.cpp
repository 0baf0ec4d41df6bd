#include "connectionloop.h"

#include "commsetrecord.h"
#include "portsession.h"
#include "serialapi.h"

namespace {

enum
{
    MsgSetupFailed = 20006,
    MsgCreateEventFailed = 20007,
    MsgReadFailed = 20008,
    MsgWriteFailed = 20009,
    MsgWaitFailed = 20010,
    MsgStopped = 20011,
    MsgUnexpectedWait = 20014,
    MsgWriteDone = 20016,
    MsgNothingRead = 20018,
    MsgCommWaitFailed = 20021,
    MsgClearErrorFailed = 20022,
    MsgEngineFailed = 20023,
    MsgTooManyQueued = 20035,
};

const DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// How long the end waits for writes still on their way (what the output queue of a port at
// 9600 baud holds by default takes a little over two seconds); a second stop cuts it short.
const DWORD kDrainWaitMs = 3000;
// How long a cancelled operation is given to complete. Wine notices a cancellation some
// milliseconds after the call; a real driver at once.
const DWORD kCancelWaitMs = 2000;
// The longest the loop waits on its handles before it looks at the port itself: a comm-event
// wait can end without the loop learning of it (see CommEvent), and bytes queued then would wait
// for good, the peer's line full. A look is one ClearCommError; an idle port costs nothing more.
const DWORD kLookMs = 200;
// How long a comm-event wait that has not reported queued bytes is given to end once the mask is
// set again, and how long the first wait of a connection is tried while the system refuses it.
const DWORD kRenewWaitMs = 500;
// How long a new wait is tried at once while the system still counts the one before: it lets go
// of it within milliseconds, but a loaded system's waiting thread may fall seconds behind. The
// port is read without a wait meanwhile, looked at this often, and a new wait tried at every look.
const DWORD kRearmTryMs = 50;
const DWORD kUnarmedLookMs = 20;

bool IsDone(const OVERLAPPED& ov)
{
    return HasOverlappedIoCompleted(&ov);
}

} // namespace

CConnectionLoop::CConnectionLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup,
                                 const ConnectionLoopResults& results)
    : m_set(setup.set),
      m_nPort(nPort),
      m_hThreadStop(setup.hStop),
      m_hPort(hPort),
      m_slot(GetPortSlot(nPort)),
      m_reporter(GetPortSlot(nPort).m_hFrameWnd, nPort),
      // The port's COM index, as every loop gives it, so the connection shows its real port.
      m_buffer(nCommType, 0, setup.set.m_nComIndex[nPort]),
      m_bRegistered(false),
      m_hWriteEvent(NULL),
      m_hWaitEvent(NULL),
      m_dwErrors(0),
      m_nResult(0),
      m_bUserStopTaken(false),
      m_dwLookErrors(0),
      m_dwLastLook(0),
      m_nArm(0),
      m_nSuspectArm(0),
      m_pWait(NULL),
      m_bWaitArmed(false),
      m_bRearmDue(false),
      m_bWaitLeft(false),
      m_bWritesLeft(false),
      m_results(results)
{
    ZeroMemory(&m_stat, sizeof(m_stat));
}

CConnectionLoop::~CConnectionLoop()
{
}

bool CConnectionLoop::OpenConnection()
{
    m_events.Open(m_slot, m_hThreadStop);
    // A receive buffer of the set's size, which a set file may make larger than the process
    // can allocate.
    try {
        m_delimiters = BytesOf(m_set.m_delimiters[m_nPort]);
        int nRecvSize = m_set.m_nRecvBufferSize[m_nPort];
        m_recv.resize(nRecvSize > 0 ? static_cast<size_t>(nRecvSize) : 0);
        m_pWait = new CommWait;
    } catch (CException* e) {
        e->Delete();
        return Fail(MsgSetupFailed, ERROR_NOT_ENOUGH_MEMORY, m_results.nNoMemory);
    } catch (...) {
        return Fail(MsgSetupFailed, ERROR_NOT_ENOUGH_MEMORY, m_results.nNoMemory);
    }
    ZeroMemory(m_pWait, sizeof(*m_pWait));

    m_hWriteEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWriteEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), m_results.nCreateWriteEvent);
    m_hWaitEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWaitEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), m_results.nCreateWaitEvent);
    m_pWait->ov.hEvent = m_hWaitEvent;
    m_writer.Attach(m_hPort, m_hWriteEvent);

    m_buffer.m_nPort = m_nPort;
    m_buffer.m_nSub = 0;
    m_buffer.m_strEventName = m_events.m_strTriggerName;
    m_reporter.Register(&m_buffer);
    m_bRegistered = true;
    return true;
}

bool CConnectionLoop::StartLineWatch()
{
    if (!SerialApi().ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), m_results.nFirstClearError);
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    m_dwLastLook = GetTickCount();
    return ArmCommWait(m_results.nFirstCommWait);
}

void CConnectionLoop::FillSharedHandles(HANDLE* pHandles) const
{
    pHandles[WaitStop] = m_events.m_hStop;
    pHandles[WaitSend] = m_events.m_hSend;
    pHandles[WaitTimer0] = m_events.m_hAutoSend;
    pHandles[WaitTimer1] = m_events.m_hRecvTimeout;
    pHandles[WaitTrigger] = m_events.m_hTrigger;
    pHandles[WaitWriteDone] = m_hWriteEvent;
    pHandles[WaitCommEvent] = m_hWaitEvent;
    pHandles[WaitLineCommand] = m_events.m_hCommand;
}

void CConnectionLoop::ServeUntilEnd()
{
    HANDLE handles[WaitSharedCount];
    FillSharedHandles(handles);
    DWORD dwIndex = 0;
    while (WaitNext(handles, WaitSharedCount, dwIndex) && ServeRound(handles, WaitSharedCount, dwIndex)) {
    }
}

bool CConnectionLoop::ServeRound(const HANDLE* pHandles, DWORD nCount, DWORD dwFirst)
{
    if (!Guarded([&] { return Serve(dwFirst); }))
        return false;
    // The other handles in the order of the list from the one just served. A wait without
    // time on those not yet passed gives the first that is signalled and takes its signal, as
    // the wait would have: one kernel call per handle served and one to find none left, not
    // one for every handle of the list in every round.
    HANDLE rest[MAXIMUM_WAIT_OBJECTS];
    DWORD order[MAXIMUM_WAIT_OBJECTS];
    const DWORD nRest = nCount - 1;
    for (DWORD k = 0; k < nRest; ++k) {
        order[k] = (dwFirst + 1 + k) % nCount;
        rest[k] = pHandles[order[k]];
    }
    for (DWORD k = 0; k < nRest && KeepServing(); ++k) {
        const DWORD dwWait = WaitForMultipleObjects(nRest - k, rest + k, FALSE, 0);
        if (dwWait >= WAIT_OBJECT_0 + (nRest - k))
            break;
        k += dwWait - WAIT_OBJECT_0;
        const DWORD dwIndex = order[k];
        if (!Guarded([&] { return Serve(dwIndex); }))
            return false;
    }
    return true;
}

bool CConnectionLoop::NoMemory()
{
    return Fail(MsgEngineFailed, ERROR_NOT_ENOUGH_MEMORY, m_results.nNoMemory);
}

void CConnectionLoop::TakeStop(bool bByUser)
{
    ResetEvent(m_events.m_hStop);
    if (bByUser) {
        m_bUserStopTaken = true;
        m_writer.DropWaiting();
        m_buffer.Clear();
    }
    KeepCutRead();
    m_reporter.Message(MsgStopped, 0);
}

void CConnectionLoop::KeepCutRead()
{
    // One record for all of them: the stop waits behind one more row, not behind the backlog.
    std::vector<BYTE> lines;
    for (size_t nBlock; (nBlock = NextPendingBlock()) != 0;) {
        const std::vector<BYTE> block = m_pending.Take(nBlock);
        lines.insert(lines.end(), block.begin(), block.end());
    }
    if (lines.empty())
        return;
    LogTakenBlock(lines);
}

bool CConnectionLoop::StopsHere()
{
    if (WaitForSingleObject(m_events.m_hStop, 0) != WAIT_OBJECT_0)
        return false;
    // Every loop ends on the stop.
    Serve(WaitStop);
    return true;
}

bool CConnectionLoop::WaitNext(const HANDLE* pHandles, DWORD nCount, DWORD& dwIndex)
{
    // Looked for on every wait, not only when a wait times out: a timer that expires more often
    // than the look is due would otherwise put it off for good.
    for (;;) {
        const DWORD dwLookMs = m_bRearmDue ? kUnarmedLookMs : kLookMs;
        DWORD dwSinceLook = GetTickCount() - m_dwLastLook;
        if (dwSinceLook >= dwLookMs) {
            if (!Guarded([&] { return LookAtPort(); }))
                return false;
            // What the look read may wait at the loop head, which no handle would wake.
            if (HasWorkAtHead()) {
                dwIndex = nCount;
                return true;
            }
            dwSinceLook = 0;
        }
        DWORD dwWait = WaitForMultipleObjects(nCount, pHandles, FALSE, dwLookMs - dwSinceLook);
        if (dwWait == WAIT_TIMEOUT)
            continue;
        if (dwWait == WAIT_FAILED)
            return Fail(MsgWaitFailed, GetLastError(), m_results.nWaitFailed);
        dwIndex = dwWait - WAIT_OBJECT_0;
        if (dwIndex >= nCount)
            return Fail(MsgUnexpectedWait, 0, m_results.nUnexpectedWait);
        return true;
    }
}

bool CConnectionLoop::LookAtPort()
{
    m_dwLastLook = GetTickCount();
    if (!m_bWaitArmed)
        return ServeUnarmed();
    if (IsDone(m_pWait->ov))
        return CommEvent();    // completed, its signal not seen
    DWORD dwErrors = 0;
    COMSTAT stat;
    if (!SerialApi().ClearCommError(m_hPort, &dwErrors, &stat))
        return Fail(MsgClearErrorFailed, GetLastError(), m_results.nClearError);
    // Kept for the completion of the wait that an error ends, which reports them.
    m_dwLookErrors |= dwErrors;
    if (!stat.cbInQue) {
        m_nSuspectArm = 0;
        return true;
    }
    // Bytes the wait has not reported yet: it may only just have been armed, so it is given
    // until the next look. Still the same wait then, it has missed them.
    if (m_nSuspectArm != m_nArm) {
        m_nSuspectArm = m_nArm;
        return true;
    }
    return RenewCommWait(false);
}

bool CConnectionLoop::Serve(DWORD dwIndex)
{
    switch (dwIndex) {
    case WaitSend:
    case WaitTrigger:
        return SendPath();
    case WaitWriteDone:
        return CollectWrites();
    case WaitCommEvent:
        return CommEvent();
    case WaitLineCommand:
        return LineCommands();
    }
    return Fail(MsgUnexpectedWait, 0, m_results.nUnexpectedWait);
}

bool CConnectionLoop::SendPath()
{
    COleSafeArray data;
    int nPopped;
    for (int nSent = 0; (nPopped = m_buffer.PopNext(data)) > 0; ++nSent) {
        if ((nSent && StopsHere()) || !SendBlock(BytesOf(data)))
            return false;
    }
    if (nPopped < 0)
        return Fail(MsgEngineFailed, GetLastError(), m_results.nNoMemory);
    return CollectWrites();
}

bool CConnectionLoop::WriteBlock(const std::vector<BYTE>& bytes, int nFailResult)
{
    m_reporter.Data(CCommLogRecord::KindSend, bytes.data(), static_cast<int>(bytes.size()));
    DWORD dwError = m_writer.Write(bytes.data(), static_cast<int>(bytes.size()));
    if (dwError)
        return Fail(MsgWriteFailed, dwError, nFailResult);
    return true;
}

bool CConnectionLoop::CollectWrites()
{
    DWORD dwError = 0;
    int nDone = m_writer.Collect(dwError);
    for (int i = 0; i < nDone; ++i)
        m_reporter.Message(MsgWriteDone, 0);
    if (dwError)
        return Fail(MsgWriteFailed, dwError, m_results.nWriteFailed);
    return true;
}

void CConnectionLoop::DrainWrites()
{
    DWORD dwError = 0;
    int nDone = m_writer.WaitAll(kDrainWaitMs, m_events.m_hStop, dwError);
    for (int i = 0; i < nDone; ++i)
        m_reporter.Message(MsgWriteDone, 0);
    if (dwError)
        m_reporter.Message(MsgWriteFailed, dwError);
}

bool CConnectionLoop::CommEvent()
{
    // Without a wait of its own the signal is that of a wait left to the system: once it has
    // ended, the system may take a new one.
    if (!m_bWaitArmed)
        return ServeUnarmed();
    DWORD dwCount = 0;
    BOOL bDone = SerialApi().GetOverlappedResult(m_hPort, &m_pWait->ov, &dwCount, FALSE);
    if (!bDone && GetLastError() == ERROR_IO_INCOMPLETE) {
        // Signalled while the record reads pending. Under Wine that is a wait that completed
        // while its own WaitCommEvent call still ran: Wine's waiting thread writes the events
        // and the result, signals and ends, and the call, resumed after it, writes "pending"
        // into the record, which then reads pending for good. The events written tell it from
        // the signal of an earlier completion, which leaves the new wait's mask empty.
        if (m_pWait->dwEvtMask == 0)
            return true;
        return RenewCommWait(true);
    }
    m_bWaitArmed = false;
    if (!bDone)
        return Fail(MsgCommWaitFailed, GetLastError(), m_results.nCommWaitFailed);
    return ServePort(m_pWait->dwEvtMask);
}

bool CConnectionLoop::ServeUnarmed()
{
    return !m_bRearmDue || ServePort(EV_RXCHAR);
}

bool CConnectionLoop::RenewCommWait(bool bOver)
{
    DWORD dwEvtMask = m_pWait->dwEvtMask;
    if (!bOver) {
        // A wait that still runs ends when the mask is set again; one whose end was lost does not.
        SerialApi().SetCommMask(m_hPort, kCommEventMask);
        const DWORD dwStart = GetTickCount();
        while (!IsDone(m_pWait->ov) && GetTickCount() - dwStart < kRenewWaitMs &&
               WaitForSingleObject(m_events.m_hStop, 10) == WAIT_TIMEOUT) {
        }
        if (IsDone(m_pWait->ov)) {
            DWORD dwCount = 0;
            SerialApi().GetOverlappedResult(m_hPort, &m_pWait->ov, &dwCount, FALSE);
            m_bWaitArmed = false;
            return ServePort(m_pWait->dwEvtMask | EV_RXCHAR);
        }
    }
    // The system may yet write into the record and signal its event: the record is left to it,
    // the event stays open until the end, and a new record serves from here on.
    CommWait* pWait = new CommWait;
    ZeroMemory(pWait, sizeof(*pWait));
    pWait->ov.hEvent = m_hWaitEvent;
    m_pWait = pWait;
    m_bWaitArmed = false;
    m_bWaitLeft = true;
    return ServePort(dwEvtMask | EV_RXCHAR);
}

bool CConnectionLoop::ServePort(DWORD dwEvtMask)
{
    const SerialApiTable& api = SerialApi();
    if (!api.ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), m_results.nClearError);
    m_dwErrors |= m_dwLookErrors;
    m_dwLookErrors = 0;
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    ReportLineEvents(m_reporter, dwEvtMask, m_dwErrors, m_stat);
    if ((dwEvtMask & EV_RXCHAR) && m_stat.cbInQue) {
        const DWORD dwQueued = m_stat.cbInQue;
        if (dwQueued > m_recv.size())
            return Fail(MsgTooManyQueued, 0, m_results.nTooManyQueued);
        DWORD dwRead = 0;
        DWORD dwError = ReadQueuedBytes(m_hPort, m_pWait->ov, m_recv.data(), dwQueued, dwRead);
        if (dwError)
            return Fail(MsgReadFailed, dwError, m_results.nReadFailed);
        if (dwRead == 0)
            return Fail(MsgNothingRead, 0, m_results.nNothingRead);
        if (!OnBytesRead(dwRead))
            return false;
    }
    return ArmCommWait(m_results.nRearmCommWait);
}

bool CConnectionLoop::FrameReceivedBytes(DWORD dwRead)
{
    const int nFraming = m_set.m_nRecvFraming[m_nPort];
    if (nFraming == 0)
        return OnBlock(std::vector<BYTE>(m_recv.begin(), m_recv.begin() + dwRead));
    if (!AppendPending(dwRead))
        return false;
    for (int nBlocks = 0;; ++nBlocks) {
        size_t nBlock = NextPendingBlock();
        if (nBlock == 0)
            break;
        if ((nBlocks && StopsHere()) || !OnBlock(m_pending.Take(nBlock)))
            return false;
    }
    ShowPending();
    return true;
}

bool CConnectionLoop::AppendPending(DWORD dwRead)
{
    if (!m_pending.Append(m_recv.data(), dwRead))
        return Fail(MsgTooManyQueued, ERROR_NOT_ENOUGH_MEMORY, m_results.nTooManyQueued);
    return true;
}

size_t CConnectionLoop::NextPendingBlock()
{
    return m_pending.NextBlock(m_set.m_nRecvFraming[m_nPort], m_set.m_nFixedBlockSize[m_nPort], m_delimiters);
}

bool CConnectionLoop::OnBlock(const std::vector<BYTE>&)
{
    return true;
}

void CConnectionLoop::ShowPending()
{
    m_reporter.Pane(ComPanePending, reinterpret_cast<LPARAM>(&m_pending.View()));
}

void CConnectionLoop::LogTakenBlock(const std::vector<BYTE>& block)
{
    m_reporter.Data(CCommLogRecord::KindReceive, block.data(), static_cast<int>(block.size()));
    ShowPending();
}

int CConnectionLoop::NextLineCommand()
{
    // Several commands may have been queued before the event was seen: the pane is asked
    // until it has none left.
    for (;;) {
        int nCode = static_cast<int>(m_reporter.Pane(ComPaneNextLineCommand, 0));
        if (nCode == LineCmdDiscardPending)
            DiscardPending();
        else if (nCode == 0 || !RunEscapeLineCommand(m_hPort, m_reporter, nCode))
            return nCode;
    }
}

void CConnectionLoop::DiscardPending()
{
    m_pending.Clear();
}

bool CConnectionLoop::ArmCommWait(int nFailResult)
{
    const DWORD dwStart = GetTickCount();
    for (;;) {
        m_pWait->dwEvtMask = 0;
        if (SerialApi().WaitCommEvent(m_hPort, &m_pWait->dwEvtMask, &m_pWait->ov)) {
            // Done at once: bytes came while the last ones were read and handed on. Wine then
            // leaves the event unsignalled (it resets it as the wait starts), and a peer whose
            // line is full sends no further character, so the loop would wait for good with
            // bytes queued: the completion is signalled here and served as any other.
            SetEvent(m_hWaitEvent);
            break;
        }
        const DWORD dwError = GetLastError();
        if (dwError == ERROR_IO_PENDING)
            break;
        // The system refuses a second wait while it still counts one: a wait served from its
        // record before its own end was through (Wine's thread marks the record done, then lets
        // go of the port's wait, then signals), or one left to it after a renewal. The port still
        // reads: after a short try the connection goes on without a wait until the system lets go.
        if (dwError != ERROR_INVALID_PARAMETER)
            return Fail(MsgCommWaitFailed, dwError, nFailResult);
        const DWORD dwElapsed = GetTickCount() - dwStart;
        if (m_nArm == 0 && dwElapsed >= kRenewWaitMs)
            return Fail(MsgCommWaitFailed, dwError, nFailResult);
        if (m_nArm != 0 && (m_bRearmDue || dwElapsed >= kRearmTryMs)) {
            m_bRearmDue = true;
            return true;
        }
        if (WaitForSingleObject(m_events.m_hStop, 5) == WAIT_OBJECT_0)
            return true;    // the stop is served next; no wait runs
    }
    ++m_nArm;
    m_bWaitArmed = true;
    m_bRearmDue = false;
    return true;
}

bool CConnectionLoop::FinishCommWait(DWORD dwTimeout)
{
    if (!m_bWaitArmed)
        return true;
    // Wine finishes a comm-event wait on a thread of its own, which marks the record done a
    // moment before it signals the event (milliseconds on a busy machine): the wait is over
    // only once both have happened, or a newer event given the closed event's handle value
    // would take the signal. The record is polled as well, since the event may hold a signal
    // of an earlier completion; a signal taken once the record reads done is this wait's.
    const DWORD dwStart = GetTickCount();
    bool bSignalled = false;
    for (;;) {
        const bool bDone = IsDone(m_pWait->ov);
        if (bDone && bSignalled)
            break;
        const DWORD dwElapsed = GetTickCount() - dwStart;
        if (dwElapsed >= dwTimeout)
            return false;
        const DWORD dwStep = bDone ? dwTimeout - dwElapsed : 10;
        if (WaitForSingleObject(m_hWaitEvent, dwStep) == WAIT_OBJECT_0)
            bSignalled = bDone || IsDone(m_pWait->ov);
    }
    // The wait's outcome, ERROR_OPERATION_ABORTED included, means nothing any more.
    DWORD dwCount = 0;
    SerialApi().GetOverlappedResult(m_hPort, &m_pWait->ov, &dwCount, FALSE);
    m_bWaitArmed = false;
    return true;
}

bool CConnectionLoop::Fail(int nCode, DWORD dwError, int nResult)
{
    m_reporter.Message(nCode, dwError);
    m_nResult = nResult;
    return false;
}

void CConnectionLoop::UnregisterBuffer()
{
    if (m_bRegistered)
        m_reporter.Unregister(&m_buffer);
    m_bRegistered = false;
}

void CConnectionLoop::ClosePort(bool bPurge)
{
    if (m_hPort != INVALID_HANDLE_VALUE && m_hPort != NULL) {
        const SerialApiTable& api = SerialApi();
        // An empty mask ends a pending comm-event wait; cancelling is the last resort.
        api.SetCommMask(m_hPort, 0);
        if (!FinishCommWait(kCancelWaitMs)) {
            api.CancelIo(m_hPort);
            FinishCommWait(kCancelWaitMs);
        }
        // A purge does not end every pending write (Wine's leaves them running), and Wine may
        // not cancel a write that is part way through at the first request.
        const DWORD dwStart = GetTickCount();
        while (m_writer.GetPendingCount() && GetTickCount() - dwStart < kCancelWaitMs) {
            api.CancelIo(m_hPort);
            m_writer.WaitReleased(50);
        }
        m_bWritesLeft = !m_writer.Abandon();
        if (bPurge)
            api.PurgeComm(m_hPort, kPurgeAll);
        api.CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
    }
    CloseEvents();
}

void CConnectionLoop::CloseEvents()
{
    // An event that a record left to the system still refers to stays open: closed, its handle
    // value could be given to a newer event, which the system would then signal.
    if (m_hWriteEvent && !m_bWritesLeft)
        CloseHandle(m_hWriteEvent);
    if (!m_bWaitArmed) {
        if (m_hWaitEvent && !m_bWaitLeft)
            CloseHandle(m_hWaitEvent);
        delete m_pWait;
    }
    m_pWait = NULL;
    m_hWriteEvent = m_hWaitEvent = NULL;
    m_events.Close();
}
