#include "portsession.h"

#include "connectionparts.h"
#include "currentcommset.h"
#include "extendedloop.h"
#include "plainloop.h"
#include "portreporter.h"
#include "scriptloop.h"
#include "serialapi.h"

namespace {

enum
{
    MsgStarted = 20001,
    MsgEnded = 20002,
    MsgOpenFailed = 20003,
    MsgGetStateFailed = 20004,
    MsgSetStateFailed = 20005,
    MsgSetupFailed = 20006,
    MsgStopped = 20011,
    MsgPurgeFailed = 20012,
    MsgEngineFailed = 20023,
    MsgRetryWaitFailed = 20017,
    MsgTimeoutsFailed = 20019,
    MsgMaskFailed = 20020,
};

const DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

DWORD g_dwStartTick = 0;

// The result of a connection that an exception ended.
const int kResultNoMemory = -10000;

// Waits the set's retry period before a retried connection opens the device; the stop
// command cuts the wait short. 0 to go on, else the connection's result.
int RetryWait(CPortReporter& reporter, HANDLE hStop, DWORD dwPeriod)
{
    DWORD dwWait = WaitForSingleObject(hStop, dwPeriod);
    DWORD dwError = GetLastError();
    switch (dwWait) {
    case WAIT_TIMEOUT:
        return 0;
    case WAIT_OBJECT_0:
        reporter.Message(MsgStopped, 0);
        return 1;
    case WAIT_FAILED:
        reporter.Message(MsgRetryWaitFailed, dwError);
        return -1;
    default:
        reporter.Message(MsgRetryWaitFailed, 0);
        return -2;
    }
}

// Opens and configures the device, then runs the loop of the port's mode, which owns the
// handle from then on. Returns the connection's result.
int OpenAndRun(CPortReporter& reporter, const CConnectionSetup& setup, int nPort)
{
    const CCommSetRecord& set = setup.set;
    const SerialApiTable& api = SerialApi();
    HANDLE hPort = api.CreateFileA(MakeComDeviceName(set.m_nComIndex[nPort]),
                                   GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                                   FILE_FLAG_OVERLAPPED, NULL);
    if (hPort == INVALID_HANDLE_VALUE) {
        reporter.Message(MsgOpenFailed, GetLastError());
        return -3;
    }

    int nCode = 0, nResult = 0;
    DCB dcb;
    ZeroMemory(&dcb, sizeof(dcb));
    dcb.DCBlength = sizeof(dcb);
    COMMTIMEOUTS timeouts;
    ZeroMemory(&timeouts, sizeof(timeouts));
    if (!api.GetCommState(hPort, &dcb)) {
        nCode = MsgGetStateFailed, nResult = -4;
    } else {
        ApplyCommSetToDcb(set, nPort, dcb);
        if (!api.SetCommState(hPort, &dcb)) {
            nCode = MsgSetStateFailed, nResult = -5;
        } else {
            // Every connection starts with DTR and RTS off and no break, whatever the flow
            // settings; the results do not matter.
            api.EscapeCommFunction(hPort, CLRDTR);
            api.EscapeCommFunction(hPort, CLRRTS);
            api.EscapeCommFunction(hPort, CLRBREAK);
            if (!api.SetupComm(hPort, set.m_nInQueue[nPort], set.m_nOutQueue[nPort]))
                nCode = MsgSetupFailed, nResult = -6;
            else if (!api.SetCommTimeouts(hPort, &timeouts))
                nCode = MsgTimeoutsFailed, nResult = -7;
            else if (!api.SetCommMask(hPort, kCommEventMask))
                nCode = MsgMaskFailed, nResult = -8;
            else if (!api.PurgeComm(hPort, kPurgeAll))
                nCode = MsgPurgeFailed, nResult = -9;
        }
    }
    if (nCode) {
        reporter.Message(nCode, GetLastError());
        api.CloseHandle(hPort);
        return nResult;
    }
    // Exactly one loop runs: extended mode before script mode before the plain loop.
    if (set.m_nExtendedMode[nPort])
        return RunExtendedMode(CCommSetRecord::kCommTypeSerial, 0, 0, hPort, nPort, setup);
    if (set.m_nScriptMode[nPort])
        return ScriptModeLoop(CCommSetRecord::kCommTypeSerial, 0, 0, hPort, nPort, setup);
    return PlainModeLoop(CCommSetRecord::kCommTypeSerial, 0, 0, hPort, nPort, setup);
}

// From the waiting state to the loop's end; returns the connection's result.
int Connect(CPortReporter& reporter, const CPortSlot& slot, int nPort, HANDLE hStop)
{
    reporter.State(ConnStateWaiting);
    // The connection's own copy: the settings dialog may replace the current set meanwhile.
    CCommSetRecord set;
    CopyCurrentCommSet(set);
    const CConnectionSetup setup = {set, hStop};
    int nResult = 0;
    if (slot.m_nRetryWait == 1)
        nResult = RetryWait(reporter, hStop,
                            static_cast<DWORD>(set.m_nRetryPeriod[nPort] > 0 ? set.m_nRetryPeriod[nPort] : 0));
    if (nResult == 0) {
        reporter.Message(MsgStarted, 0);
        reporter.State(ConnStateConnected);
        reporter.Pane(ComPaneStart);
        nResult = OpenAndRun(reporter, setup, nPort);
    }
    return nResult;
}

} // namespace

CPortSlot::CPortSlot() : m_nPort(-1), m_hFrameWnd(NULL), m_nRetryWait(0), m_nCounter(0)
{
}

CString CPortSlot::MakeThreadStopEventName() const
{
    return MakeThreadEventName("ThreadStop", g_dwStartTick, GetCurrentProcessId(), m_nPort);
}

CString CPortSlot::MakeThreadSendEventName() const
{
    return MakeThreadEventName("ThreadSend", g_dwStartTick, GetCurrentProcessId(), m_nPort);
}

CString CPortSlot::MakeThreadComEventName() const
{
    return MakeThreadEventName("ThreadCom", g_dwStartTick, GetCurrentProcessId(), m_nPort);
}

CPortSlot& GetPortSlot(int nPort)
{
    static CPortSlot s_slots[2];
    return s_slots[nPort == 1 ? 1 : 0];
}

void SetStartTickCount(DWORD dwTick)
{
    g_dwStartTick = dwTick;
}

DWORD GetStartTickCount()
{
    return g_dwStartTick;
}

CString MakeThreadEventName(LPCSTR pszKind, DWORD dwTick, DWORD dwProcessId, int nPort)
{
    CString strName;
    strName.Format("%08X%08XMirtolex%s%04d", static_cast<unsigned>(dwTick),
                   static_cast<unsigned>(dwProcessId), pszKind, nPort);
    return strName;
}

CString MakeTimerEventName(LPCSTR pszBase, LPCSTR pszSuffix, int nNumber)
{
    CString strName;
    strName.Format("%s_%s%04d", pszBase, pszSuffix, nNumber);
    return strName;
}

DWORD LineStateWord(DWORD dwErrors, const COMSTAT& stat)
{
    DWORD dwWord = 0;
    if (stat.fCtsHold)
        dwWord |= 0x80000000;
    if (stat.fDsrHold)
        dwWord |= 0x40000000;
    if (stat.fRlsdHold)
        dwWord |= 0x20000000;
    if (dwErrors & CE_FRAME)
        dwWord |= 0x08000000;
    if (dwErrors & CE_OVERRUN)
        dwWord |= 0x04000000;
    if (dwErrors & CE_RXPARITY)
        dwWord |= 0x02000000;
    if (dwErrors & CE_BREAK)
        dwWord |= 0x01000000;
    return dwWord;
}

CString MakeComDeviceName(int nComIndex)
{
    CString strName;
    strName.Format("\\\\.\\COM%d", nComIndex + 1);
    return strName;
}

void ApplyCommSetToDcb(const CCommSetRecord& set, int nPort, DCB& dcb)
{
    dcb.BaudRate = static_cast<DWORD>(set.m_nBaudRate[nPort]);

    int nParity = set.m_nParity[nPort];
    if (nParity == 0) {
        dcb.Parity = NOPARITY;
        dcb.fParity = 0;
    } else if (nParity >= 1 && nParity <= 4) {
        dcb.Parity = static_cast<BYTE>(nParity);
        dcb.fParity = 1;
    }

    int nStopBits = set.m_nStopBits[nPort];
    if (nStopBits >= 0 && nStopBits <= 2)
        dcb.StopBits = static_cast<BYTE>(nStopBits);

    int nDataBits = set.m_nDataBits[nPort];
    if (nDataBits >= 0 && nDataBits <= 4)
        dcb.ByteSize = static_cast<BYTE>(8 - nDataBits);

    // Flow control off first; fBinary, fTXContinueOnXoff, fErrorChar, fNull and fAbortOnError
    // keep the driver's values.
    dcb.fOutxCtsFlow = 0;
    dcb.fOutxDsrFlow = 0;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.XonLim = 2048;
    dcb.XoffLim = 2048;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;

    if (!set.m_nDetailedFlow[nPort])
        return;
    if (set.fOutxCtsFlow[nPort])
        dcb.fOutxCtsFlow = 1;
    if (set.fOutxDsrFlow[nPort])
        dcb.fOutxDsrFlow = 1;
    if (set.fDtrControl[nPort] == 1)
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
    else if (set.fDtrControl[nPort] == 2)
        dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    if (set.fRtsControl[nPort] == 1)
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
    else if (set.fRtsControl[nPort] == 2)
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    if (set.fDsrSensitivity[nPort])
        dcb.fDsrSensitivity = 1;
    if (set.fInX[nPort])
        dcb.fInX = 1;
    if (set.fOutX[nPort])
        dcb.fOutX = 1;
    if (set.fTXContinueOnXoff[nPort])
        dcb.fTXContinueOnXoff = 1;
    dcb.XonLim = static_cast<WORD>(set.XonLim[nPort]);
    dcb.XoffLim = static_cast<WORD>(set.XoffLim[nPort]);
    dcb.XonChar = static_cast<char>(set.XonChar[nPort]);
    dcb.XoffChar = static_cast<char>(set.XoffChar[nPort]);
}

UINT PortSessionThread(LPVOID pParam)
{
    const int nPort = static_cast<int>(reinterpret_cast<INT_PTR>(pParam));
    // Held before anything is reported, so that a stop given from then on is seen.
    HANDLE hStop = CreateEventA(NULL, TRUE, FALSE, GetPortSlot(nPort).MakeThreadStopEventName());
    RunPortSession(nPort, hStop);
    if (hStop)
        CloseHandle(hStop);
    return 0;
}

void RunPortSession(int nPort, HANDLE hStop)
{
    const CPortSlot& slot = GetPortSlot(nPort);
    CPortReporter reporter(slot.m_hFrameWnd, nPort);
    int nResult = 0;
    // Nothing may leave the thread: the runtime would end the whole program. The loops end
    // their own failures; what still arrives here is a failed allocation around them.
    try {
        nResult = Connect(reporter, slot, nPort, hStop);
    } catch (CException* e) {
        e->Delete();
        nResult = kResultNoMemory;
    } catch (...) {
        nResult = kResultNoMemory;
    }
    try {
        if (nResult == kResultNoMemory)
            reporter.Message(MsgEngineFailed, ERROR_NOT_ENOUGH_MEMORY);
        reporter.Pane(ComPaneEnd);
        if (nResult != 1)
            reporter.Message(MsgEnded, 0);
        reporter.State(ConnStateEnded);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}
