#include "scriptloop.h"

#include "appaccess.h"
#include "connectionloop.h"
#include "currentcommset.h"
#include "luahost.h"
#include "messagetext.h"
#include "portreporter.h"
#include "portsession.h"
#include "scriptdlls.h"
#include "serialapi.h"

#include <vector>

namespace {

enum
{
    MsgStopped = 20011,
    MsgEmptySend = 10029,
    MsgScriptInfo = 10039,
    MsgNoScript = 13080,
    MsgOnConnectedError = 13083,
    MsgOnSendPushError = 13084,
    MsgOnTimerError = 13085,
    MsgOnReceiveError = 13086,
    MsgOnDisConnectedError = 13087,
};

const ConnectionLoopResults kResults = {
    -100, // nCreateWriteEvent
    -101, // nCreateWaitEvent
    -102, // nFirstClearError
    -103, // nFirstCommWait
    -109, // nWaitFailed
    -121, // nUnexpectedWait
    -114, // nWriteFailed
    -115, // nCommWaitFailed
    -116, // nClearError
    -117, // nTooManyQueued
    -118, // nReadFailed
    -119, // nNothingRead
    -120, // nRearmCommWait
};

// After the port is closed, how long the records of writes still running are waited for.
const DWORD kAbortWaitMs = 2000;

class CScriptLoop : public CConnectionLoop
{
public:
    CScriptLoop(int nCommType, HANDLE hPort, int nPort);
    int Run();

private:
    // After the shared handles, the script send event.
    enum
    {
        WaitScriptSend = WaitSharedCount,
        WaitHandleCount
    };

    bool SetUp();
    bool LoadScript();
    bool DeliverBlock(bool& bDelivered);
    bool Serve(DWORD dwIndex) override;
    bool SendBlock(const std::vector<BYTE>& bytes) override;
    bool OnBytesRead(DWORD dwRead) override;
    void DiscardPending() override;
    bool LineCommands() override;
    bool Timer(int nId);
    bool ScriptFailed(int nResult);
    void StopPath();
    void End();

    CPortSessionContext m_context;
    HANDLE m_hScriptSend;
    CLuaHost m_host;
    bool m_bLoaded;
    bool m_bReceived;
    bool m_bFlush;
};

CScriptLoop::CScriptLoop(int nCommType, HANDLE hPort, int nPort)
    : CConnectionLoop(nCommType, hPort, nPort, kResults),
      m_context(nPort, hPort),
      m_hScriptSend(NULL),
      m_host(m_reporter),
      m_bLoaded(false),
      m_bReceived(false),
      m_bFlush(false)
{
    m_context.m_pWriter = &m_writer;
    m_context.m_pReporter = &m_reporter;
}

int CScriptLoop::Run()
{
    if (SetUp() && LoadScript()) {
        HANDLE handles[WaitHandleCount];
        FillSharedHandles(handles);
        handles[WaitScriptSend] = m_hScriptSend;
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
            DWORD dwIndex = 0;
            if (!WaitNext(handles, WaitHandleCount, dwIndex) || !Serve(dwIndex))
                break;
        }
    }
    End();
    return m_nResult;
}

bool CScriptLoop::SetUp()
{
    if (!OpenConnection())
        return false;
    m_context.m_strTimerName[0] = m_events.m_strAutoSendName;
    m_context.m_strTimerName[1] = m_events.m_strRecvTimeoutName;
    m_context.m_hTimerEvent[0] = m_events.m_hAutoSend;
    m_context.m_hTimerEvent[1] = m_events.m_hRecvTimeout;
    m_hScriptSend = CreateEventA(NULL, FALSE, FALSE, MakeScriptSendEventName(m_nPort));
    return StartLineWatch();
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
    ShowPending();
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
    case WaitTimer0:
        return Timer(0);
    case WaitTimer1:
        return Timer(1);
    case WaitScriptSend: {
        bool bCalled = m_host.Call("OnSendPush", MsgOnSendPushError);
        if (!CollectWrites())
            return false;
        return bCalled || ScriptFailed(-111);
    }
    }
    return CConnectionLoop::Serve(dwIndex);
}

bool CScriptLoop::SendBlock(const std::vector<BYTE>& bytes)
{
    if (bytes.empty()) {
        m_reporter.Message(MsgEmptySend, 0);
        return true;
    }
    return WriteBlock(bytes, -112);
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

// Received bytes wait at the loop head, which hands them to OnReceive block by block.
bool CScriptLoop::OnBytesRead(DWORD dwRead)
{
    m_pending.insert(m_pending.end(), m_recv.begin(), m_recv.begin() + dwRead);
    ShowPending();
    m_bReceived = true;
    return true;
}

void CScriptLoop::DiscardPending()
{
    m_pending.clear();
    // A delivery asked for before the discard has nothing left to deliver; it must not make
    // the next bytes one block whatever the framing.
    m_bFlush = false;
}

bool CScriptLoop::LineCommands()
{
    for (;;) {
        int nCode = NextLineCommand();
        if (nCode == 0)
            return true;
        if (nCode == LineCmdDeliverPending && !m_pending.empty()) {
            m_bFlush = true;
            m_bReceived = true;
        }
    }
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
    UnregisterBuffer();
    m_context.StopTimer(0);
    m_context.StopTimer(1);
    ReportFinalWrites();

    if (m_hPort != INVALID_HANDLE_VALUE && m_hPort != NULL) {
        // Closing ends the pending comm-event wait and the writes still running, which refer
        // to this loop's OVERLAPPED records and events; those are released only afterwards.
        SerialApi().CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
        m_writer.Abandon(kAbortWaitMs);
    }
    if (m_hScriptSend)
        CloseHandle(m_hScriptSend);
    m_hScriptSend = NULL;
    m_context.m_hTimerEvent[0] = m_context.m_hTimerEvent[1] = NULL;
    CloseEvents();
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
