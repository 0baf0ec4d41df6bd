#include "scriptloop.h"

#include "appaccess.h"
#include "connectionloop.h"
#include "commsetrecord.h"
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
    -123, // nNoMemory
};

class CScriptLoop : public CConnectionLoop
{
public:
    CScriptLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup);
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
    bool KeepServing() override { return !m_context.m_nDisconnect; }
    bool HasWorkAtHead() const override { return m_bReceived; }
    bool Timer(int nId);
    bool ScriptFailed(int nResult);
    void StopPath(bool bByUser = true);
    void End();

    CPortSessionContext m_context;
    HANDLE m_hScriptSend;
    CLuaHost m_host;
    bool m_bLoaded;
    bool m_bReceived;
    bool m_bFlush;
};

CScriptLoop::CScriptLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup)
    : CConnectionLoop(nCommType, hPort, nPort, setup, kResults),
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
    if (Guarded([&] { return SetUp() && LoadScript(); })) {
        HANDLE handles[WaitHandleCount];
        FillSharedHandles(handles);
        handles[WaitScriptSend] = m_hScriptSend;
        bool bDelivered = false;
        for (;;) {
            if (m_context.m_nDisconnect) {
                StopPath(false);
                break;
            }
            if (!Guarded([&] { return DeliverBlock(bDelivered); }))
                break;
            if (bDelivered)
                continue;
            m_bReceived = false;
            DWORD dwIndex = 0;
            if (!WaitNext(handles, WaitHandleCount, dwIndex))
                break;
            if (dwIndex < WaitHandleCount && !ServeRound(handles, WaitHandleCount, dwIndex))
                break;
        }
    }
    Guarded([&] {
        End();
        return true;
    });
    // Lua is closed first, so nothing that Lua runs while it closes can reach the context or
    // the port after they are gone.
    m_host.Close();
    m_context.StopTimer(0);
    m_context.StopTimer(1);
    ClosePort(false);
    if (m_hScriptSend)
        CloseHandle(m_hScriptSend);
    m_hScriptSend = NULL;
    m_context.m_hTimerEvent[0] = m_context.m_hTimerEvent[1] = NULL;
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
    m_context.m_hStop = m_events.m_hStop;
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
// The blocks of one read come here one a turn, with no wait between them where the stop would
// be served, so it is looked at between them.
bool CScriptLoop::DeliverBlock(bool& bDelivered)
{
    const bool bBetween = bDelivered;
    bDelivered = false;
    if (!m_bReceived || m_pending.IsEmpty())
        return true;
    size_t nBlock = m_pending.Size();
    if (m_bFlush)
        m_bFlush = false;
    else
        nBlock = NextPendingBlock();
    if (nBlock == 0)
        return true;
    if (bBetween && StopsHere())
        return false;
    std::vector<BYTE> block = m_pending.Take(nBlock);
    LogTakenBlock(block);
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
    if (!AppendPending(dwRead))
        return false;
    ShowPending();
    m_bReceived = true;
    return true;
}

void CScriptLoop::DiscardPending()
{
    m_pending.Clear();
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
        if (nCode == LineCmdDeliverPending && !m_pending.IsEmpty()) {
            m_bFlush = true;
            m_bReceived = true;
        }
    }
}

// A callback that a stop interrupted ends the connection as stopped, not as a script error.
bool CScriptLoop::ScriptFailed(int nResult)
{
    if (m_context.m_nInterrupted) {
        m_context.m_nInterrupted = 0;
        StopPath();
        return false;
    }
    m_nResult = nResult;
    return false;
}

// The script's own Disconnect lets what it sent before leave the port. Bytes the user asked to
// deliver and the loop head had not come to yet are one block, whatever the framing.
void CScriptLoop::StopPath(bool bByUser)
{
    if (m_bFlush && !m_pending.IsEmpty())
        LogTakenBlock(m_pending.TakeAll());
    m_bFlush = false;
    TakeStop(bByUser);
}

// OnDisConnected runs with the stop taken, so that only a second stop interrupts it; the bytes
// it sends are waited for with the writes still on their way.
void CScriptLoop::End()
{
    if (m_host.IsOpen() && m_bLoaded) {
        if (!m_host.Call("OnDisConnected", MsgOnDisConnectedError) && !m_context.m_nInterrupted)
            m_nResult = -122;
    }
    m_host.Close();
    UnregisterBuffer();
    m_context.StopTimer(0);
    m_context.StopTimer(1);
    DrainWrites();
}

} // namespace

int ScriptModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort,
                   const CConnectionSetup& setup)
{
    CScriptLoop loop(nCommType, hPort, nPort, setup);
    return loop.Run();
}

CString MakeScriptSendEventName(int nPort)
{
    CString strName;
    strName.Format("%08X%08XMirtolexLuaScriptSendEvent%d", static_cast<unsigned>(GetStartTickCount()),
                   static_cast<unsigned>(GetCurrentProcessId()), nPort);
    return strName;
}
