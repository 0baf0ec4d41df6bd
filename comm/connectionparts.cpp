#include "connectionparts.h"

#include "portreporter.h"
#include "portsession.h"
#include "serialapi.h"

#include <algorithm>
#include <cstdio>

namespace {

// Message codes of the line events.
enum
{
    MsgRing = 20024,
    MsgBreakOn = 20025,
    MsgBreakOff = 20026,
    MsgCtsOn = 20027,
    MsgCtsOff = 20028,
    MsgDsrOn = 20029,
    MsgDsrOff = 20030,
    MsgRlsdOn = 20031,
    MsgRlsdOff = 20032,
    MsgLineError = 20033,
    MsgEscapeFailed = 20034,
};

struct EscapeCommand
{
    int nCode;
    DWORD dwFunction;
    LPCSTR pszText;
};

const EscapeCommand kEscapeCommands[] = {
    {LineCmdSetRts, SETRTS, "SETRTS"},
    {LineCmdClrRts, CLRRTS, "CLRRTS"},
    {LineCmdSetDtr, SETDTR, "SETDTR"},
    {LineCmdClrDtr, CLRDTR, "CLRDTR"},
    {LineCmdSetBreak, SETBREAK, "SETBREAK"},
    {LineCmdClrBreak, CLRBREAK, "CLRBREAK"},
};

HANDLE OpenNamedEvent(BOOL bManualReset, LPCSTR pszName)
{
    return CreateEventA(NULL, bManualReset, FALSE, pszName);
}

void CloseEvent(HANDLE& h)
{
    if (h) {
        CloseHandle(h);
        h = NULL;
    }
}

} // namespace

CConnectionEvents::CConnectionEvents()
    : m_hStop(NULL), m_hSend(NULL), m_hAutoSend(NULL), m_hRecvTimeout(NULL), m_hTrigger(NULL),
      m_hCommand(NULL)
{
}

CConnectionEvents::~CConnectionEvents()
{
    Close();
}

void CConnectionEvents::Open(const CPortSlot& slot, HANDLE hStop)
{
    CString strStop = slot.MakeThreadStopEventName();
    CString strSend = slot.MakeThreadSendEventName();
    m_strAutoSendName = MakeTimerEventName(strSend, "ST", 0);
    m_strRecvTimeoutName = MakeTimerEventName(strStop, "RT", 0);
    m_strTriggerName = MakeTimerEventName(strSend, "AT", 0);
    if (!DuplicateHandle(GetCurrentProcess(), hStop, GetCurrentProcess(), &m_hStop, 0, FALSE, DUPLICATE_SAME_ACCESS))
        m_hStop = OpenNamedEvent(TRUE, strStop);
    m_hSend = OpenNamedEvent(FALSE, strSend);
    m_hAutoSend = OpenNamedEvent(FALSE, m_strAutoSendName);
    m_hRecvTimeout = OpenNamedEvent(FALSE, m_strRecvTimeoutName);
    m_hTrigger = OpenNamedEvent(FALSE, m_strTriggerName);
    m_hCommand = OpenNamedEvent(FALSE, slot.MakeThreadComEventName());
}

void CConnectionEvents::Close()
{
    CloseEvent(m_hStop);
    CloseEvent(m_hSend);
    CloseEvent(m_hAutoSend);
    CloseEvent(m_hRecvTimeout);
    CloseEvent(m_hTrigger);
    CloseEvent(m_hCommand);
}

DWORD ReadQueuedBytes(HANDLE hPort, OVERLAPPED& ov, BYTE* pBuffer, DWORD nCount, DWORD& dwRead)
{
    dwRead = 0;
    if (SerialApi().ReadFile(hPort, pBuffer, nCount, &dwRead, &ov))
        return 0;
    DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING)
        return error;
    if (!SerialApi().GetOverlappedResult(hPort, &ov, &dwRead, TRUE))
        return GetLastError();
    return 0;
}

void ReportLineEvents(CPortReporter& reporter, DWORD dwEvtMask, DWORD dwErrors, const COMSTAT& stat)
{
    if (dwEvtMask & EV_BREAK)
        reporter.Message((dwErrors & CE_BREAK) ? MsgBreakOn : MsgBreakOff);
    if (dwEvtMask & EV_CTS)
        reporter.Message(stat.fCtsHold ? MsgCtsOn : MsgCtsOff);
    if (dwEvtMask & EV_DSR)
        reporter.Message(stat.fDsrHold ? MsgDsrOn : MsgDsrOff);
    if (dwEvtMask & EV_RLSD)
        reporter.Message(stat.fRlsdHold ? MsgRlsdOn : MsgRlsdOff);
    if (dwEvtMask & EV_ERR) {
        char text[80];
        std::snprintf(text, sizeof(text), "CE_FRAME=%s, CE_OVERRUN=%s, CE_RXPARITY=%s",
                      (dwErrors & CE_FRAME) ? "ON" : "OFF", (dwErrors & CE_OVERRUN) ? "ON" : "OFF",
                      (dwErrors & CE_RXPARITY) ? "ON" : "OFF");
        reporter.MessageText(MsgLineError, text);
    }
    if (dwEvtMask & EV_RING)
        reporter.Message(MsgRing);
}

BOOL RunEscapeLineCommand(HANDLE hPort, CPortReporter& reporter, int nCode)
{
    for (const EscapeCommand& command : kEscapeCommands) {
        if (command.nCode != nCode)
            continue;
        if (!SerialApi().EscapeCommFunction(hPort, command.dwFunction))
            reporter.MessageText(MsgEscapeFailed, command.pszText);
        return TRUE;
    }
    return FALSE;
}

std::vector<BYTE> BytesOf(const COleSafeArray& data)
{
    std::vector<BYTE> bytes;
    // Access only reads the bytes; the buffer is not changed.
    COleSafeArray& source = const_cast<COleSafeArray&>(data);
    DWORD n = source.GetOneDimSize();
    if (n) {
        BYTE* p = NULL;
        source.AccessData(reinterpret_cast<void**>(&p));
        bytes.assign(p, p + n);
        source.UnaccessData();
    }
    return bytes;
}

COleSafeArray ByteBufferOf(const std::vector<BYTE>& bytes)
{
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()));
    if (!bytes.empty()) {
        BYTE* p = NULL;
        data.AccessData(reinterpret_cast<void**>(&p));
        std::copy(bytes.begin(), bytes.end(), p);
        data.UnaccessData();
    }
    return data;
}
