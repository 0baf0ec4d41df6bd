// How a connection thread tells the main frame what happens on its port.
//
// Every report is a synchronous SendMessage to the frame window of the port's slot: the frame
// has logged the record (and, for a received block, run its receive action) before the
// connection goes on. WM_APP+4 carries connection states, log records and the registration of
// the connection's channel buffer; WM_APP+8 drives the port's COM control pane.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include "commlogrecord.h"

class CChannelBuffer;

// WM_APP+4 cases (wParam).
enum CommNotify
{
    CommNotifyState = 1,
    CommNotifyRecord = 2,
    CommNotifyRegister = 3,
    CommNotifyUnregister = 4,
    CommNotifyRoute = 6,
};

// WM_APP+8 actions (high word of wParam).
enum ComPaneAction
{
    ComPaneStart = 0,
    ComPaneEnd = 1,
    ComPaneLineState = 2,
    ComPaneNextLineCommand = 3,
    ComPanePending = 4,
};

// Connection states of WM_APP+4 case 1.
enum ConnectionState
{
    ConnStateWaiting = 0,
    ConnStateEnded = 1,
    ConnStateConnected = 3,
};

const UINT WM_COMM_NOTIFY = WM_APP + 4;
const UINT WM_COM_PANE = WM_APP + 8;

class CPortReporter
{
public:
    CPortReporter(HWND hFrameWnd, int nPort);

    int GetPort() const { return m_nPort; }
    HWND GetFrameWnd() const { return m_hFrameWnd; }

    void State(int nState);
    // A message entry (kind 0) with its code, error number and optional payload.
    void Message(int nCode, DWORD dwError = 0);
    void Message(int nCode, DWORD dwError, const void* pPayload, int nLength);
    // A message entry whose payload is the text and its terminating zero byte.
    void MessageText(int nCode, LPCSTR pszText);
    // A send (kind 1) or receive (kind 2) entry with its bytes.
    void Data(int nKind, const void* pData, int nLength);
    void Data(int nKind, const COleSafeArray& data);

    void Register(CChannelBuffer* pBuffer);
    void Unregister(CChannelBuffer* pBuffer);

    LRESULT Pane(int nAction, LPARAM lParam = 0);

private:
    void Send(CCommLogRecord& record);

    HWND m_hFrameWnd;
    int m_nPort;
    CCommLogRecord m_record;
};
