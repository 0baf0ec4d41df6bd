#include "extendedloop.h"

#include "appaccess.h"
#include "connectionloop.h"
#include "commsetrecord.h"
#include "periodtimer.h"
#include "plugindll.h"
#include "portreporter.h"
#include "portsession.h"
#include "serialapi.h"

#include <cstring>
#include <vector>

namespace {

enum
{
    MsgEmptySend = 20015,
    MsgSendDataZero = 10029,
    MsgDllLoadFailed = 10030,
    MsgDllFailed = 10031,
    MsgDllVersion = 10032,
};

const DWORD kKnownActions = KvrActRoute | KvrActEnd | KvrActStartTimer | KvrActStopTimer | KvrActCallWithEditor | KvrActSetEditor;
const DWORD kOneShot = 0x80000000;

const DWORD kVersion100 = 100;
const DWORD kVersion256 = 256;

// How long the end that follows the user's stop gives the chain of calls that the disconnecting
// reply asks for and the writing of what it routed to the port: a chain of a few calls and its
// blocks are long done, and the stop still ends a DLL that asks to be called again on every
// reply, or routes more than the log can take, within a second.
const DWORD kEndChainMs = 500;

const ConnectionLoopResults kResults = {
    -100, // nCreateWriteEvent
    -101, // nCreateWaitEvent
    -102, // nFirstClearError
    -103, // nFirstCommWait
    -5,   // nWaitFailed
    -16,  // nUnexpectedWait
    -8,   // nWriteFailed
    -9,   // nCommWaitFailed
    -10,  // nClearError
    -11,  // nTooManyQueued
    -12,  // nReadFailed
    -13,  // nNothingRead
    -15,  // nRearmCommWait
    -17,  // nNoMemory
};

class CExtendedLoop : public CConnectionLoop
{
public:
    CExtendedLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup, CPluginDll& dll);
    int Run();

private:
    bool Initialise();
    bool Exchange(DWORD dwCommand, DWORD dwParam, const std::vector<BYTE>* pData);
    bool CallDll(int nFailResult);
    bool CarryOut();
    bool StopsHere() override;
    bool WriteRouted();
    void TakeReplyData();
    bool Serve(DWORD dwIndex) override;
    bool SendBlock(const std::vector<BYTE>& bytes) override;
    bool OnBytesRead(DWORD dwRead) override;
    // A block is logged first, then handed to the DLL.
    bool OnBlock(const std::vector<BYTE>& block) override;
    bool LineCommands() override;
    bool Timer(int nId);
    void StartTimer(int nId, int nPeriod, bool bOneShot);
    void StopTimer(int nId);
    void End();

    CPluginDll& m_dll;
    KvrBlock m_request;
    KvrBlock m_reply;
    std::vector<BYTE> m_replyData;  // the reply's data, copied right after each call
    bool m_bTalking;                // the DLL has been told of the connection
    bool m_bEnding;                 // the DLL is being told of the end
    DWORD m_dwEndStart;
    CPeriodTimer* m_pTimer[2];
    int m_nOneShot[2];
};

CExtendedLoop::CExtendedLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup,
                             CPluginDll& dll)
    : CConnectionLoop(nCommType, hPort, nPort, setup, kResults),
      m_dll(dll),
      m_bTalking(false),
      m_bEnding(false),
      m_dwEndStart(0)
{
    std::memset(&m_request, 0, sizeof(m_request));
    std::memset(&m_reply, 0, sizeof(m_reply));
    m_pTimer[0] = m_pTimer[1] = NULL;
    m_nOneShot[0] = m_nOneShot[1] = 0;
}

int CExtendedLoop::Run()
{
    if (Guarded([&] { return OpenConnection() && StartLineWatch() && Initialise(); }))
        ServeUntilEnd();
    Guarded([&] {
        End();
        return true;
    });
    StopTimer(0);
    StopTimer(1);
    ClosePort(false);
    return m_nResult;
}

bool CExtendedLoop::Initialise()
{
    m_request.w[KvrCommand] = KvrCmdInitialise;
    m_bTalking = true;
    if (!CallDll(-104))
        return false;
    if (m_reply.w[KvrParam] == 1) {
        // The DLL takes the port's settings bytes, which the set keeps for it.
        std::vector<BYTE> settings = BytesOf(m_set.m_extSettings[m_nPort]);
        KvrBlock request;
        std::memset(&request, 0, sizeof(request));
        request.w[KvrKeep1] = m_request.w[KvrKeep1];
        request.w[KvrKeep2] = m_request.w[KvrKeep2];
        m_request = request;
        m_request.w[KvrCommand] = KvrCmdSettings;
        m_request.w[KvrLength] = static_cast<DWORD>(settings.size());
        m_request.w[KvrData] = settings.empty() ? 0 : reinterpret_cast<DWORD>(settings.data());
        if (!CallDll(-105))
            return false;
    }
    // "Connected" goes out as a copy of the last reply.
    m_request = m_reply;
    m_request.w[KvrCommand] = KvrCmdConnected;
    if (!CallDll(-106))
        return false;
    return CarryOut();
}

// One exchange: a fresh request (only the two words the DLL keeps come back), the data of a
// received block or a user's send, the call, then the actions of the reply.
bool CExtendedLoop::Exchange(DWORD dwCommand, DWORD dwParam, const std::vector<BYTE>* pData)
{
    KvrBlock request;
    std::memset(&request, 0, sizeof(request));
    request.w[KvrKeep1] = m_request.w[KvrKeep1];
    request.w[KvrKeep2] = m_request.w[KvrKeep2];
    request.w[KvrCommand] = dwCommand;
    request.w[KvrParam] = dwParam;
    if (pData && !pData->empty()) {
        request.w[KvrLength] = static_cast<DWORD>(pData->size());
        request.w[KvrData] = reinterpret_cast<DWORD>(pData->data());
    }
    m_request = request;
    if (!CallDll(-106))
        return false;
    if (dwCommand == KvrCmdUserSend && m_reply.w[KvrParam] == 0) {
        if (pData->empty())
            m_reporter.Message(MsgSendDataZero, 0);
        else if (!WriteBlock(*pData, -107))
            return false;
    }
    return CarryOut();
}

bool CExtendedLoop::CallDll(int nFailResult)
{
    int nResult = m_dll.Call(m_reply, m_request);
    TakeReplyData();
    if (nResult == 1)
        return Fail(MsgDllFailed, 0, nFailResult);
    return true;
}

void CExtendedLoop::TakeReplyData()
{
    // A length without a pointer is no data.
    const BYTE* p = reinterpret_cast<const BYTE*>(m_reply.w[KvrData]);
    DWORD n = m_reply.w[KvrLength];
    if (p && n)
        m_replyData.assign(p, p + n);
    else
        m_replyData.clear();
}

bool CExtendedLoop::CarryOut()
{
    while (m_reply.w[KvrCommand] != 0) {
        const DWORD dwAction = m_reply.w[KvrCommand];
        m_request = m_reply;
        if (dwAction & KvrActRoute) {
            CCommLogRecord record(m_nPort, 0);
            record.m_nKind = CCommLogRecord::KindSend;
            record.m_nRouteTarget = static_cast<int>(m_reply.w[KvrParam]);
            GetLocalTime(&record.m_time);
            record.SetPayload(m_replyData.data(), static_cast<int>(m_replyData.size()));
            ::SendMessageA(m_reporter.GetFrameWnd(), WM_COMM_NOTIFY, CommNotifyRoute,
                           reinterpret_cast<LPARAM>(&record));
            if (m_bEnding && m_bUserStopTaken && !WriteRouted())
                return false;
        } else if (dwAction & KvrActEnd) {
            m_nResult = -999;
            return false;
        } else if (dwAction & KvrActStartTimer) {
            DWORD dwParam = m_reply.w[KvrParam];
            StartTimer((dwParam & ~kOneShot) == 0 ? 0 : 1, static_cast<int>(m_reply.w[KvrPeriod]),
                       (dwParam & kOneShot) != 0);
        } else if (dwAction & KvrActStopTimer) {
            StopTimer((m_reply.w[KvrParam] & ~kOneShot) == 0 ? 0 : 1);
        } else if (dwAction & KvrActCallWithEditor) {
            if (StopsHere())
                return false;
            // Straight back to the DLL with its own reply and the editor's bytes. The text
            // words of a reply mean nothing, so the call gets the program's buffer there.
            std::vector<BYTE> editor = BytesOf(GetSendEditorData());
            m_request.w[KvrLength] = static_cast<DWORD>(editor.size());
            m_request.w[KvrData] = editor.empty() ? 0 : reinterpret_cast<DWORD>(editor.data());
            std::memset(m_dll.TextBuffer(), 0, CPluginDll::kTextSize);
            m_request.w[KvrText] = reinterpret_cast<DWORD>(m_dll.TextBuffer());
            m_request.w[KvrTextSize] = CPluginDll::kTextSize;
            m_request.w[KvrTextLevel] = 0;
            std::memset(&m_reply, 0, sizeof(m_reply));
            int nResult = m_dll.CallDirect(m_reply, m_request);
            m_request.w[KvrKeep1] = m_reply.w[KvrKeep1];
            m_request.w[KvrKeep2] = m_reply.w[KvrKeep2];
            m_request.w[KvrLength] = 0;
            m_request.w[KvrData] = 0;
            TakeReplyData();
            if (nResult == 1)
                return Fail(MsgDllFailed, 0, -108);
            continue;
        } else if (dwAction & KvrActSetEditor) {
            SetSendEditorData(ByteBufferOf(m_replyData));
        }
        if ((dwAction & KvrActCallAgain) || !(dwAction & kKnownActions)) {
            if (StopsHere() || !CallDll(-109))
                return false;
        } else {
            m_reply.w[KvrCommand] = 0;
        }
    }
    return true;
}

// Every call returns at once, so a DLL that asks to be called again on every reply would keep
// the connection from its wait, where the stop is served: the stop is looked at between the
// calls too, and ends the connection as it does there. In the end a stop cuts the chain and the
// writing of what it routed; after the user's stop, which was taken already and greys the
// command, so does the end's time (what the chain routed until then is written already).
bool CExtendedLoop::StopsHere()
{
    if (!m_bEnding)
        return CConnectionLoop::StopsHere();
    const bool bStopped = WaitForSingleObject(m_events.m_hStop, 0) == WAIT_OBJECT_0;
    return bStopped || (m_bUserStopTaken && GetTickCount() - m_dwEndStart >= kEndChainMs);
}

// The end's chain after the user's stop has only the end's time: what a call routes to this
// port is logged and written before the next call, so that all that the chain routed within that
// time is written when the time cuts it, and the end takes no longer for a DLL that routed much.
// The user's send pushed after the stop is dropped by it, as those queued before were.
bool CExtendedLoop::WriteRouted()
{
    COleSafeArray data;
    int nPopped;
    while ((nPopped = m_buffer.PopNext(data)) > 0) {
        if (m_buffer.m_nLastFlag != 1 && !SendBlock(BytesOf(data)))
            return false;
    }
    if (nPopped < 0)
        return NoMemory();
    return CollectWrites();
}

bool CExtendedLoop::Serve(DWORD dwIndex)
{
    switch (dwIndex) {
    case WaitStop:
        TakeStop();
        return false;
    case WaitTimer0:
        return Timer(0);
    case WaitTimer1:
        return Timer(1);
    }
    return CConnectionLoop::Serve(dwIndex);
}

bool CExtendedLoop::SendBlock(const std::vector<BYTE>& bytes)
{
    // The user's send: the DLL decides.
    if (m_buffer.m_nLastFlag == 1)
        return Exchange(KvrCmdUserSend, 0, &bytes);
    if (bytes.empty()) {
        m_reporter.Message(MsgEmptySend, 0);
        return true;
    }
    return WriteBlock(bytes, -6);
}

bool CExtendedLoop::OnBytesRead(DWORD dwRead)
{
    return FrameReceivedBytes(dwRead);
}

bool CExtendedLoop::OnBlock(const std::vector<BYTE>& block)
{
    m_reporter.Data(CCommLogRecord::KindReceive, block.data(), static_cast<int>(block.size()));
    return Exchange(KvrCmdReceived, 0, &block);
}

bool CExtendedLoop::LineCommands()
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

bool CExtendedLoop::Timer(int nId)
{
    if (m_nOneShot[nId])
        StopTimer(nId);
    return Exchange(KvrCmdTimer, static_cast<DWORD>(nId), NULL);
}

void CExtendedLoop::StartTimer(int nId, int nPeriod, bool bOneShot)
{
    if (m_pTimer[nId])
        return;
    const CString& strName = nId == 0 ? m_events.m_strAutoSendName : m_events.m_strRecvTimeoutName;
    m_pTimer[nId] = StartPeriodTimer(strName, nPeriod > 0 ? nPeriod : 1);
    m_nOneShot[nId] = m_pTimer[nId] && bOneShot ? 1 : 0;
}

void CExtendedLoop::StopTimer(int nId)
{
    if (!m_pTimer[nId])
        return;
    StopPeriodTimer(m_pTimer[nId]);
    m_pTimer[nId] = NULL;
    m_nOneShot[nId] = 0;
    // A period that ran out before the stop is no expiry of a running timer.
    ResetEvent(nId == 0 ? m_events.m_hAutoSend : m_events.m_hRecvTimeout);
}

void CExtendedLoop::End()
{
    // The DLL hears of the end whatever ended the connection; what it answers is carried out,
    // but no longer changes the result.
    if (m_bTalking) {
        int nResult = m_nResult;
        m_bEnding = true;
        m_dwEndStart = GetTickCount();
        Exchange(KvrCmdDisconnecting, 0, NULL);
        // What the reply routed to this port is written before the buffer goes (after the
        // user's stop, which dropped what was queued before, it was written as it came).
        SendPath();
        m_nResult = nResult;
    }
    UnregisterBuffer();
    StopTimer(0);
    StopTimer(1);
    // What the DLL's last reply sent leaves the port before it is closed (without a purge).
    DrainWrites();
}

} // namespace

int ExtendedModeLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup, CPluginDll& dll)
{
    CExtendedLoop loop(nCommType, hPort, nPort, setup, dll);
    return loop.Run();
}

int RunExtendedMode(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort,
                    const CConnectionSetup& setup)
{
    const CPortSlot& slot = GetPortSlot(nPort);
    CPortReporter reporter(slot.m_hFrameWnd, nPort);
    CPluginDll dll;
    dll.m_hFrameWnd = slot.m_hFrameWnd;
    dll.m_nPort = nPort;
    dll.m_nSub = 0;

    int nResult = 0;
    if (!dll.Load(setup.set.m_strExtDllPath[nPort])) {
        reporter.Message(MsgDllLoadFailed, 0);
        nResult = -200;
    } else {
        KvrBlock reply, request;
        std::memset(&reply, 0, sizeof(reply));
        std::memset(&request, 0, sizeof(request));
        request.w[KvrCommand] = KvrVersionQuery;
        if (dll.CallDirect(reply, request) != 0) {
            reporter.Message(MsgDllFailed, 0);
            nResult = -201;
        } else if (reply.w[KvrCommand] != kVersion100 && reply.w[KvrCommand] != kVersion256) {
            reporter.Message(MsgDllVersion, 0);
            nResult = -202;
        }
    }
    if (nResult) {
        SerialApi().CloseHandle(hPort);
        return nResult;
    }
    // The loop's own result does not reach the connection thread.
    ExtendedModeLoop(nCommType, hPort, nPort, setup, dll);
    return 0;
}
