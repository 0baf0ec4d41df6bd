// The connection thread of a port and what every connection shares: the port slots, the names
// of the connection's kernel events, and the line-state word shown in the COM control pane.
//
// A started port runs PortSessionThread on a worker thread of its own. The thread holds the
// port's stop event from before its first report to its end, takes a copy of the current
// communication set of its own, opens the serial device the copy names, configures it
// completely from the copy, and hands the open handle to the loop of the port's mode, which
// owns it from then on. Nothing is thrown out of the thread: a failed allocation that reaches
// its entry is reported (20023, ERROR_NOT_ENOUGH_MEMORY) and the connection ends as any other. The
// thread never touches a window: it reports by synchronous SendMessage to the frame window of
// the port's slot, so the main thread has handled each report before the thread goes on.
#pragma once

#include "afxwin.h"

#include "randomengine.h"

class CCommSetRecord;

// Per-port record of the application. The frame fills the first three fields before it starts
// the connection thread; the thread only reads them.
struct CPortSlot
{
    CPortSlot();

    int m_nPort;            // the port while a connection of it runs; -1 when none was started
    HWND m_hFrameWnd;       // receiver of every report
    int m_nRetryWait;       // 1: an automatic retry, which first waits the set's retry period
    int m_nCounter;         // kept by the frame
    CRandomEngine m_randomEngine;

    CString MakeThreadStopEventName() const;
    CString MakeThreadSendEventName() const;
    CString MakeThreadComEventName() const;
};

// The two slots, index 0 = "Port 1", 1 = "Port 2".
CPortSlot& GetPortSlot(int nPort);

// The tick count that the application keeps at start-up; with the process id it keeps the
// event names of two running instances apart.
void SetStartTickCount(DWORD dwTick);
DWORD GetStartTickCount();

// "%08X%08XMirtolex<kind>%04d", e.g. kind "ThreadStop": the connection event names.
CString MakeThreadEventName(LPCSTR pszKind, DWORD dwTick, DWORD dwProcessId, int nPort);
// "%s_<suffix>%04d", e.g. suffix "RT": the timer and trigger names built on a connection name.
CString MakeTimerEventName(LPCSTR pszBase, LPCSTR pszSuffix, int nNumber);

// Bit 31 CTS hold, 30 DSR hold, 29 RLSD hold, 27 CE_FRAME, 26 CE_OVERRUN, 25 CE_RXPARITY,
// 24 CE_BREAK; only the low byte of the error word counts.
DWORD LineStateWord(DWORD dwErrors, const COMSTAT& stat);

// The device name of a COM index (0 = COM1). The device namespace prefix opens COM10 and
// above, which plain "COMn" names cannot reach.
CString MakeComDeviceName(int nComIndex);

// Thread procedure; the parameter is the port index. It opens the port's stop event by name
// before anything else. Always returns 0.
UINT PortSessionThread(LPVOID pParam);

// The connection of a port on the calling thread, with the stop event it holds for its whole
// life (see BeginPortSessionThread, which creates it before the thread starts).
void RunPortSession(int nPort, HANDLE hStop);

// Fills a device control block from the current set's fields of a port, starting from what
// the driver reported.
void ApplyCommSetToDcb(const CCommSetRecord& set, int nPort, DCB& dcb);
