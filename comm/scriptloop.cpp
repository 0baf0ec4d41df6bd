#include "scriptloop.h"

#include "appaccess.h"
#include "channelbuffer.h"
#include "connectionparts.h"
#include "currentcommset.h"
#include "luahost.h"
#include "messagetext.h"
#include "portreporter.h"
#include "portsession.h"
#include "scriptdlls.h"
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
    MsgUnexpectedWait = 20014,
    MsgWriteDone = 20016,
    MsgNothingRead = 20018,
    MsgCommWaitFailed = 20021,
    MsgClearErrorFailed = 20022,
    MsgTooManyQueued = 20035,
    MsgEmptySend = 10029,
    MsgScriptInfo = 10039,
    MsgNoScript = 13080,
    MsgOnConnectedError = 13083,
    MsgOnSendPushError = 13084,
    MsgOnTimerError = 13085,
    MsgOnReceiveError = 13086,
    MsgOnDisConnectedError = 13087,
};

// The wait handles, in the order in which a wait reports them.
enum
{
    WaitStop,
    WaitSend,
    WaitTimer0,
    WaitTimer1,
    WaitTrigger,
    WaitWriteDone,
    WaitCommEvent,
    WaitLineCommand,
    WaitScriptSend,
    WaitHandleCount
};

// After the port is closed, how long the records of writes still running are waited for.
const DWORD kAbortWaitMs = 2000;

class CScriptLoop
{
public:
    CScriptLoop(int nCommType, HANDLE hPort, int nPort);
    int Run();

private:
    bool SetUp();
    bool LoadScript();
    bool DeliverBlock(bool& bDelivered);
    bool Serve(DWORD dwIndex);
    bool SendPath();
    bool CollectWrites();
    bool CommEvent();
    bool ReadPath(DWORD dwQueued);
    bool LineCommands();
    bool Timer(int nId);
    bool ArmCommWait(int nFailResult);
    bool Fail(int nCode, DWORD dwError, int nResult);
    bool ScriptFailed(int nResult);
    void StopPath();
    void End();

    const CCommSetRecord& m_set;
    const int m_nPort;
    HANDLE m_hPort;
    CPortSlot& m_slot;
    CPortReporter m_reporter;
    CPortSessionContext m_context;
    std::vector<BYTE> m_delimiters;
    std::vector<BYTE> m_pending;
    std::vector<BYTE> m_recv;
    CChannelBuffer m_buffer;
    bool m_bRegistered;
    CConnectionEvents m_events;
    HANDLE m_hScriptSend;
    HANDLE m_hWriteEvent;
    HANDLE m_hWaitEvent;
    OVERLAPPED m_ovWait;
    CSerialWriter m_writer;
    CLuaHost m_host;
    bool m_bLoaded;
    bool m_bReceived;
    bool m_bFlush;
    DWORD m_dwEvtMask;
    DWORD m_dwErrors;
    COMSTAT m_stat;
    int m_nResult;
};

CScriptLoop::CScriptLoop(int nCommType, HANDLE hPort, int nPort)
    : m_set(GetCurrentCommSet()),
      m_nPort(nPort),
      m_hPort(hPort),
      m_slot(GetPortSlot(nPort)),
      m_reporter(GetPortSlot(nPort).m_hFrameWnd, nPort),
      m_context(nPort, hPort),
      // The port's COM index, as every loop gives it, so the connection shows its real port.
      m_buffer(nCommType, 0, GetCurrentCommSet().m_nComIndex[nPort]),
      m_bRegistered(false),
      m_hScriptSend(NULL),
      m_hWriteEvent(NULL),
      m_hWaitEvent(NULL),
      m_host(m_reporter),
      m_bLoaded(false),
      m_bReceived(false),
      m_bFlush(false),
      m_dwEvtMask(0),
      m_dwErrors(0),
      m_nResult(0)
{
    ZeroMemory(&m_ovWait, sizeof(m_ovWait));
    ZeroMemory(&m_stat, sizeof(m_stat));
    m_context.m_pWriter = &m_writer;
    m_context.m_pReporter = &m_reporter;
}

int CScriptLoop::Run()
{
    if (SetUp() && LoadScript()) {
        HANDLE handles[WaitHandleCount] = {
            m_events.m_hStop,    m_events.m_hSend, m_events.m_hAutoSend, m_events.m_hRecvTimeout,
            m_events.m_hTrigger, m_hWriteEvent,    m_hWaitEvent,         m_events.m_hCommand,
            m_hScriptSend,
        };
        for (;;) {
            if (m_context.m_nDisconnect) {
                StopPath();
                break;
            }
            bool bDelivered = false;
            if (!DeliverBlock(bDelivered))
                break;
            if (bDelivered)
                continue;
            m_bReceived = false;
            DWORD dwWait = WaitForMultipleObjects(WaitHandleCount, handles, FALSE, INFINITE);
            if (dwWait == WAIT_FAILED) {
                Fail(MsgWaitFailed, GetLastError(), -109);
                break;
            }
            DWORD dwIndex = dwWait - WAIT_OBJECT_0;
            if (dwIndex >= WaitHandleCount) {
                Fail(MsgUnexpectedWait, 0, -121);
                break;
            }
            if (!Serve(dwIndex))
                break;
        }
    }
    End();
    return m_nResult;
}

bool CScriptLoop::SetUp()
{
    m_delimiters = BytesOf(m_set.m_delimiters[m_nPort]);
    int nRecvSize = m_set.m_nRecvBufferSize[m_nPort];
    m_recv.resize(nRecvSize > 0 ? static_cast<size_t>(nRecvSize) : 0);

    m_events.Open(m_slot);
    m_context.m_strTimerName[0] = m_events.m_strAutoSendName;
    m_context.m_strTimerName[1] = m_events.m_strRecvTimeoutName;
    m_context.m_hTimerEvent[0] = m_events.m_hAutoSend;
    m_context.m_hTimerEvent[1] = m_events.m_hRecvTimeout;
    m_hScriptSend = CreateEventA(NULL, FALSE, FALSE, MakeScriptSendEventName(m_nPort));

    m_hWriteEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWriteEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), -100);
    m_hWaitEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hWaitEvent)
        return Fail(MsgCreateEventFailed, GetLastError(), -101);
    m_ovWait.hEvent = m_hWaitEvent;
    m_writer.Attach(m_hPort, m_hWriteEvent);

    m_buffer.m_nPort = m_nPort;
    m_buffer.m_nSub = 0;
    m_buffer.m_strEventName = m_events.m_strTriggerName;
    m_reporter.Register(&m_buffer);
    m_bRegistered = true;

    if (!SerialApi().ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), -102);
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    return ArmCommWait(-103);
}

bool CScriptLoop::LoadScript()
{
    std::vector<BYTE> script = BytesOf(GetScriptText(m_nPort));
    if (script.empty()) {
        m_reporter.MessageText(MsgScriptInfo, GetMessageText(MsgNoScript));
        m_nResult = -104;
        return false;
    }
    // The text ends at its first zero byte; the copy is one byte longer so it always has one.
    std::vector<char> text(script.size() + 1, '\0');
    std::copy(script.begin(), script.end(), text.begin());

    if (!m_host.Create(&m_context, GetScriptDllList()) || !m_host.Load(text)) {
        m_nResult = -105;
        return false;
    }
    m_bLoaded = true;
    bool bRan = m_host.RunChunk();
    // Library calls at the top level may have written.
    if (!CollectWrites())
        return false;
    if (!bRan)
        return ScriptFailed(-106);
    if (!m_host.Call("OnConnected", MsgOnConnectedError))
        return ScriptFailed(-107);
    return CollectWrites();
}

// The loop head: cuts the next complete block off the pending bytes and hands it to OnReceive.
bool CScriptLoop::DeliverBlock(bool& bDelivered)
{
    bDelivered = false;
    if (!m_bReceived || m_pending.empty())
        return true;
    size_t nBlock = m_pending.size();
    if (m_bFlush)
        m_bFlush = false;
    else
        nBlock = static_cast<size_t>(ReceiveBlockLength(m_pending, m_set.m_nRecvFraming[m_nPort],
                                                        m_set.m_nFixedBlockSize[m_nPort], m_delimiters));
    if (nBlock == 0)
        return true;
    std::vector<BYTE> block(m_pending.begin(), m_pending.begin() + nBlock);
    m_pending.erase(m_pending.begin(), m_pending.begin() + nBlock);
    m_reporter.Data(CCommLogRecord::KindReceive, block.data(), static_cast<int>(block.size()));
    COleSafeArray pending = ByteBufferOf(m_pending);
    m_reporter.Pane(ComPanePending, reinterpret_cast<LPARAM>(&pending));
    bDelivered = true;
    bool bCalled = m_host.Call("OnReceive", block, MsgOnReceiveError);
    if (!CollectWrites())
        return false;
    return bCalled || ScriptFailed(-108);
}

bool CScriptLoop::Serve(DWORD dwIndex)
{
    switch (dwIndex) {
    case WaitStop:
        StopPath();
        return false;
    case WaitSend:
    case WaitTrigger:
        return SendPath();
    case WaitTimer0:
        return Timer(0);
    case WaitTimer1:
        return Timer(1);
    case WaitWriteDone:
        return CollectWrites();
    case WaitCommEvent:
        return CommEvent();
    case WaitLineCommand:
        return LineCommands();
    case WaitScriptSend: {
        bool bCalled = m_host.Call("OnSendPush", MsgOnSendPushError);
        if (!CollectWrites())
            return false;
        return bCalled || ScriptFailed(-111);
    }
    }
    return Fail(MsgUnexpectedWait, 0, -121);
}

bool CScriptLoop::SendPath()
{
    COleSafeArray data;
    while (m_buffer.PopNext(data)) {
        std::vector<BYTE> bytes = BytesOf(data);
        if (bytes.empty()) {
            m_reporter.Message(MsgEmptySend, 0);
            continue;
        }
        m_reporter.Data(CCommLogRecord::KindSend, bytes.data(), static_cast<int>(bytes.size()));
        DWORD dwError = m_writer.Write(bytes.data(), static_cast<int>(bytes.size()));
        if (dwError)
            return Fail(MsgWriteFailed, dwError, -112);
    }
    return CollectWrites();
}

// Reports every finished write. Also called after each callback and each send pass: a write
// that finished at once may have had its completion signal cleared by the start of the next
// write on the shared event.
bool CScriptLoop::CollectWrites()
{
    DWORD dwError = 0;
    int nDone = m_writer.Collect(dwError);
    for (int i = 0; i < nDone; ++i)
        m_reporter.Message(MsgWriteDone, 0);
    if (dwError)
        return Fail(MsgWriteFailed, dwError, -114);
    return true;
}

bool CScriptLoop::Timer(int nId)
{
    if (m_context.m_nOneShot[nId])
        m_context.StopTimer(nId);
    bool bCalled = m_host.Call("OnTimer", static_cast<double>(nId), MsgOnTimerError);
    if (!CollectWrites())
        return false;
    return bCalled || ScriptFailed(-113);
}

bool CScriptLoop::CommEvent()
{
    const SerialApiTable& api = SerialApi();
    DWORD dwCount = 0;
    if (!api.GetOverlappedResult(m_hPort, &m_ovWait, &dwCount, FALSE))
        return Fail(MsgCommWaitFailed, GetLastError(), -115);
    if (!api.ClearCommError(m_hPort, &m_dwErrors, &m_stat))
        return Fail(MsgClearErrorFailed, GetLastError(), -116);
    m_reporter.Pane(ComPaneLineState, static_cast<LPARAM>(LineStateWord(m_dwErrors, m_stat)));
    ReportLineEvents(m_reporter, m_dwEvtMask, m_dwErrors, m_stat);
    if ((m_dwEvtMask & EV_RXCHAR) && m_stat.cbInQue) {
        if (!ReadPath(m_stat.cbInQue))
            return false;
    }
    return ArmCommWait(-120);
}

bool CScriptLoop::ReadPath(DWORD dwQueued)
{
    if (dwQueued > m_recv.size())
        return Fail(MsgTooManyQueued, GetLastError(), -117);
    DWORD dwRead = 0;
    DWORD dwError = ReadQueuedBytes(m_hPort, m_ovWait, m_recv.data(), dwQueued, dwRead);
    if (dwError)
        return Fail(MsgReadFailed, dwError, -118);
    if (dwRead == 0)
        return Fail(MsgNothingRead, 0, -119);
    m_pending.insert(m_pending.end(), m_recv.begin(), m_recv.begin() + dwRead);
    COleSafeArray pending = ByteBufferOf(m_pending);
    m_reporter.Pane(ComPanePending, reinterpret_cast<LPARAM>(&pending));
    m_bReceived = true;
    return true;
}

bool CScriptLoop::LineCommands()
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
            // A delivery asked for before the discard has nothing left to deliver; it must not
            // make the next bytes one block whatever the framing.
            m_bFlush = false;
        } else if (nCode == LineCmdDeliverPending && !m_pending.empty()) {
            m_bFlush = true;
            m_bReceived = true;
        }
    }
}

bool CScriptLoop::ArmCommWait(int nFailResult)
{
    m_dwEvtMask = 0;
    if (!SerialApi().WaitCommEvent(m_hPort, &m_dwEvtMask, &m_ovWait)) {
        DWORD dwError = GetLastError();
        if (dwError != ERROR_IO_PENDING)
            return Fail(MsgCommWaitFailed, dwError, nFailResult);
    }
    return true;
}

bool CScriptLoop::Fail(int nCode, DWORD dwError, int nResult)
{
    m_reporter.Message(nCode, dwError);
    m_nResult = nResult;
    return false;
}

bool CScriptLoop::ScriptFailed(int nResult)
{
    m_nResult = nResult;
    return false;
}

void CScriptLoop::StopPath()
{
    m_reporter.Message(MsgStopped, 0);
}

void CScriptLoop::End()
{
    if (m_host.IsOpen() && m_bLoaded) {
        if (!m_host.Call("OnDisConnected", MsgOnDisConnectedError))
            m_nResult = -122;
    }
    // Closed first, so nothing that Lua runs while it closes can reach the context or the
    // port after they are gone.
    m_host.Close();
    if (m_bRegistered)
        m_reporter.Unregister(&m_buffer);
    m_bRegistered = false;
    m_context.StopTimer(0);
    m_context.StopTimer(1);

    DWORD dwError = 0;
    int nDone = m_writer.Collect(dwError);
    for (int i = 0; i < nDone; ++i)
        m_reporter.Message(MsgWriteDone, 0);
    if (dwError)
        m_reporter.Message(MsgWriteFailed, dwError);

    if (m_hPort != INVALID_HANDLE_VALUE && m_hPort != NULL) {
        // Closing ends the pending comm-event wait and the writes still running, which refer
        // to this loop's OVERLAPPED records and events; those are released only afterwards.
        SerialApi().CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
        m_writer.Abandon(kAbortWaitMs);
    }
    if (m_hWriteEvent)
        CloseHandle(m_hWriteEvent);
    if (m_hWaitEvent)
        CloseHandle(m_hWaitEvent);
    if (m_hScriptSend)
        CloseHandle(m_hScriptSend);
    m_hWriteEvent = m_hWaitEvent = m_hScriptSend = NULL;
    m_context.m_hTimerEvent[0] = m_context.m_hTimerEvent[1] = NULL;
    m_events.Close();
}

} // namespace

int ScriptModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort)
{
    CScriptLoop loop(nCommType, hPort, nPort);
    return loop.Run();
}

CString MakeScriptSendEventName(int nPort)
{
    CString strName;
    strName.Format("%08X%08XMirtolexLuaScriptSendEvent%d", static_cast<unsigned>(GetStartTickCount()),
                   static_cast<unsigned>(GetCurrentProcessId()), nPort);
    return strName;
}
