#include "connectionloop.h"

#include "currentcommset.h"
#include "portsession.h"
#include "serialapi.h"

namespace {

enum
{
    MsgCreateEventFailed = 20007,
    MsgReadFailed = 20008,
    MsgWriteFailed = 20009,
    MsgWaitFailed = 20010,
    MsgUnexpectedWait = 20014,
    MsgWriteDone = 20016,
    MsgNothingRead = 20018,
    MsgCommWaitFailed = 20021,
    MsgClearErrorFailed = 20022,
    MsgTooManyQueued = 20035,
};

} // namespace

CConnectionLoop::CConnectionLoop(int nCommType, HANDLE hPort, int nPort, const ConnectionLoopResults& results)
    : m_set(GetCurrentCommSet()),
      m_nPort(nPort),
      m_hPort(hPort),
      m_slot(GetPortSlot(nPort)),
      m_reporter(GetPortSlot(nPort).m_hFrameWnd, nPort),
      // The port's COM index, as every loop gives it, so the connection shows its real port.
      m_buffer(nCommType, 0, GetCurrentCommSet().m_nComIndex[nPort]),
      m_bRegistered(false),
      m_hWriteEvent(NULL),
      m_hWaitEvent(NULL),
      m_dwEvtMask(0),
      m_dwErrors(0),
      m_nResult(0),
      m_results(results)
{
    ZeroMemory(&m_ovWait, sizeof(m_ovWait));
    ZeroMemory(&m_stat, sizeof(m_stat));
}

CConnectionLoop::~CConnectionLoop()
{
}

bool CConnectionLoop::OpenConnection()
{
    m_delimiters = BytesOf(m_set.m_delimiters[m_nPort]);
    int nRecvSize = m_set.m_nRecvBufferSize[m_nPort];
    m_recv.resize(nRecvSize > 0 ? static_cast<size_t>(nRecvSize) : 0);

    m_events.Open(m_slot);
    m_hWriteEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWriteEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), m_results.nCreateWriteEvent);
    m_hWaitEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWaitEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), m_results.nCreateWaitEvent);
    m_ovWait.hEvent = m_hWaitEvent;
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
    while (WaitNext(handles, WaitSharedCount, dwIndex) && Serve(dwIndex)) {
    }
}

bool CConnectionLoop::WaitNext(const HANDLE* pHandles, DWORD nCount, DWORD& dwIndex)
{
    DWORD dwWait = WaitForMultipleObjects(nCount, pHandles, FALSE, INFINITE);
    if (dwWait == WAIT_FAILED)
        return Fail(MsgWaitFailed, GetLastError(), m_results.nWaitFailed);
    dwIndex = dwWait - WAIT_OBJECT_0;
    if (dwIndex >= nCount)
        return Fail(MsgUnexpectedWait, 0, m_results.nUnexpectedWait);
    return true;
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
    while (m_buffer.PopNext(data)) {
        if (!SendBlock(BytesOf(data)))
            return false;
    }
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

void CConnectionLoop::ReportFinalWrites()
{
    DWORD dwError = 0;
    int nDone = m_writer.Collect(dwError);
    for (int i = 0; i < nDone; ++i)
        m_reporter.Message(MsgWriteDone, 0);
    if (dwError)
        m_reporter.Message(MsgWriteFailed, dwError);
}

bool CConnectionLoop::CommEvent()
{
    const SerialApiTable& api = SerialApi();
    DWORD dwCount = 0;
    if (!api.GetOverlappedResult(m_hPort, &m_ovWait, &dwCount, FALSE))
        return Fail(MsgCommWaitFailed, GetLastError(), m_results.nCommWaitFailed);
    if (!api.ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), m_results.nClearError);
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    ReportLineEvents(m_reporter, m_dwEvtMask, m_dwErrors, m_stat);
    if ((m_dwEvtMask & EV_RXCHAR) && m_stat.cbInQue) {
        const DWORD dwQueued = m_stat.cbInQue;
        if (dwQueued > m_recv.size())
            return Fail(MsgTooManyQueued, GetLastError(), m_results.nTooManyQueued);
        DWORD dwRead = 0;
        DWORD dwError = ReadQueuedBytes(m_hPort, m_ovWait, m_recv.data(), dwQueued, dwRead);
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
    m_pending.insert(m_pending.end(), m_recv.begin(), m_recv.begin() + dwRead);
    for (;;) {
        int nBlock = ReceiveBlockLength(m_pending, nFraming, m_set.m_nFixedBlockSize[m_nPort], m_delimiters);
        if (nBlock == 0)
            break;
        std::vector<BYTE> block(m_pending.begin(), m_pending.begin() + nBlock);
        m_pending.erase(m_pending.begin(), m_pending.begin() + nBlock);
        if (!OnBlock(block))
            return false;
    }
    ShowPending();
    return true;
}

bool CConnectionLoop::OnBlock(const std::vector<BYTE>&)
{
    return true;
}

void CConnectionLoop::ShowPending()
{
    COleSafeArray pending = ByteBufferOf(m_pending);
    m_reporter.Pane(ComPanePending, reinterpret_cast<LPARAM>(&pending));
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
    m_pending.clear();
}

bool CConnectionLoop::ArmCommWait(int nFailResult)
{
    m_dwEvtMask = 0;
    if (!SerialApi().WaitCommEvent(m_hPort, &m_dwEvtMask, &m_ovWait)) {
        DWORD dwError = GetLastError();
        if (dwError != ERROR_IO_PENDING)
            return Fail(MsgCommWaitFailed, dwError, nFailResult);
    }
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

void CConnectionLoop::CloseEvents()
{
    if (m_hWriteEvent)
        CloseHandle(m_hWriteEvent);
    if (m_hWaitEvent)
        CloseHandle(m_hWaitEvent);
    m_hWriteEvent = m_hWaitEvent = NULL;
    m_events.Close();
}
