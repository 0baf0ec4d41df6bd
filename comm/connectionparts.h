// Parts that every connection loop shares: the connection's named events, the reading of
// what the device has queued, the framing of received bytes into blocks, the line-event
// messages and the line commands of the COM control pane.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include <vector>

class CCommSetRecord;
class CPortReporter;
struct CPortSlot;

// What the connection thread hands to the loop of its mode with the open port: its own copy of
// the communication set, taken when it started, and the stop event, which it holds from before
// the connection starts until it ends, so that no stop is ever lost.
struct CConnectionSetup
{
    const CCommSetRecord& set;
    HANDLE hStop;
};

// The six named events of a connection: stop (manual reset) and the auto-reset events send,
// automatic-send period "%s_ST0000", receive time-out "%s_RT0000", channel-buffer trigger
// "%s_AT0000" and line command. Each is created or opened by name, not signalled at first.
class CConnectionEvents
{
public:
    CConnectionEvents();
    ~CConnectionEvents();
    CConnectionEvents(const CConnectionEvents&) = delete;
    CConnectionEvents& operator=(const CConnectionEvents&) = delete;

    void Open(const CPortSlot& slot, HANDLE hStop);
    void Close();

    CString m_strAutoSendName;      // "%s_ST%04d" from the send-event name
    CString m_strRecvTimeoutName;   // "%s_RT%04d" from the stop-event name
    CString m_strTriggerName;       // "%s_AT%04d" from the send-event name

    HANDLE m_hStop;
    HANDLE m_hSend;
    HANDLE m_hAutoSend;
    HANDLE m_hRecvTimeout;
    HANDLE m_hTrigger;
    HANDLE m_hCommand;
};

// Every event a connection waits for on its port: received characters, the modem lines, breaks,
// line errors and ring (not EV_RXFLAG, not EV_TXEMPTY).
const DWORD kCommEventMask = EV_RXCHAR | EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_ERR | EV_RING;

// Reads exactly nCount queued bytes with the given OVERLAPPED record. A read that the system
// answers with ERROR_IO_PENDING is waited for, and its count taken from its completion.
// Returns 0 or the error of the failed call; dwRead gets the count.
DWORD ReadQueuedBytes(HANDLE hPort, OVERLAPPED& ov, BYTE* pBuffer, DWORD nCount, DWORD& dwRead);

// One message entry per event bit of the mask, in the order break, CTS, DSR, RLSD, error, ring.
void ReportLineEvents(CPortReporter& reporter, DWORD dwEvtMask, DWORD dwErrors, const COMSTAT& stat);

// Line commands of the COM control pane.
enum LineCommandCode
{
    LineCmdSetRts = 1,
    LineCmdClrRts = 2,
    LineCmdSetDtr = 4,
    LineCmdClrDtr = 8,
    LineCmdSetBreak = 16,
    LineCmdClrBreak = 32,
    LineCmdDiscardPending = 64,
    LineCmdDeliverPending = 128,
};

// Carries out a command of the escape functions (1 to 32): returns TRUE when the code is one of
// them. A failed escape function is reported as message 20034 with the command's text.
BOOL RunEscapeLineCommand(HANDLE hPort, CPortReporter& reporter, int nCode);

// Copies a byte buffer into a vector, and back.
std::vector<BYTE> BytesOf(const COleSafeArray& data);
COleSafeArray ByteBufferOf(const std::vector<BYTE>& bytes);
