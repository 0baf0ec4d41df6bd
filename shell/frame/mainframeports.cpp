// The frame's port control and its side of the connection reports.
#include "mainframe.h"

#include "appaccess.h"
#include "channelbuffer.h"
#include "commlogrecord.h"
#include "commsetrecord.h"
#include "currentcommset.h"
#include "logview.h"
#include "portreporter.h"
#include "portsession.h"
#include "resource.h"
#include "scriptloop.h"
#include "sessionthreads.h"

#include <algorithm>

namespace {

HANDLE OpenStopEvent(int nPort)
{
    return ::OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, GetPortSlot(nPort).MakeThreadStopEventName());
}

} // namespace

bool CMainFrame::AnyPortRunning() const
{
    return m_bRunning[0] != 0 || m_bRunning[1] != 0;
}

void CMainFrame::StartPortSession(int nPort)
{
    CCommSetRecord& set = GetCurrentCommSet();
    CPortSlot& slot = GetPortSlot(nPort);
    slot.m_nPort = nPort;
    slot.m_hFrameWnd = m_hWnd;
    slot.m_nRetryWait = 0;
    slot.m_randomEngine.LoadRandomRegions(set.m_randomRegions[nPort],
                                          set.m_nRandomEverySend[nPort] != 0 ? 0 : set.m_nRandomInterval[nPort]);
    // The stop event is made and reset before the thread exists, so a stop at any moment
    // after this call ends the new connection and none left from before does.
    if (set.m_nCommType[nPort] == CCommSetRecord::kCommTypeSerial)
        BeginPortSessionThread(nPort);
    m_bStartEnabled[nPort] = 0;
    m_bSendEnabled[nPort] = 0;
    m_bRunning[nPort] = 1;
}

void CMainFrame::RequestPortSend(int nPort)
{
    const CCommSetRecord& set = GetCurrentCommSet();
    if (set.m_nScriptMode[nPort] != 0) {
        HANDLE hEvent = ::CreateEventA(NULL, FALSE, FALSE, MakeScriptSendEventName(nPort));
        if (hEvent != NULL) {
            ::SetEvent(hEvent);
            ::CloseHandle(hEvent);
        }
        return;
    }
    COleSafeArray data = GetSendEditorBytes();
    if (set.m_nExtendedMode[nPort] == 0 && set.m_nRandomOn[nPort] != 0)
        data = GetPortSlot(nPort).m_randomEngine.ApplyRandomRegions(data);
    for (CChannelBuffer* pBuffer : m_buffers) {
        if (pBuffer->m_nPort == nPort) {
            pBuffer->Push(data, 1);
            pBuffer->Signal();
        }
    }
}

void CMainFrame::StopPortSession(int nPort)
{
    HANDLE hStop = OpenStopEvent(nPort);
    if (hStop != NULL) {
        ::SetEvent(hStop);
        ::CloseHandle(hStop);
    }
}

void CMainFrame::OnPortCommand(UINT nID)
{
    switch (nID) {
    case ID_PORT1_START: StartPortSession(0); break;
    case ID_PORT2_START: StartPortSession(1); break;
    case ID_PORT1_SEND: RequestPortSend(0); break;
    case ID_PORT2_SEND: RequestPortSend(1); break;
    case ID_PORT1_STOP:
    case ID_PORT2_STOP: {
        const int nPort = nID == ID_PORT1_STOP ? 0 : 1;
        StopPortSession(nPort);
        m_bRunning[nPort] = 0;
        // A port of another type runs no connection, so no end will ever enable its start.
        if (GetCurrentCommSet().m_nCommType[nPort] != CCommSetRecord::kCommTypeSerial) {
            m_bStartEnabled[nPort] = 1;
            m_bSendEnabled[nPort] = 0;
        }
        break;
    }
    default: break;
    }
}

void CMainFrame::OnUpdatePortCommand(CCmdUI* pCmdUI)
{
    switch (pCmdUI->m_nID) {
    case ID_PORT1_START: pCmdUI->Enable(m_bStartEnabled[0]); break;
    case ID_PORT2_START: pCmdUI->Enable(m_bStartEnabled[1]); break;
    case ID_PORT1_SEND: pCmdUI->Enable(m_bSendEnabled[0]); break;
    case ID_PORT2_SEND: pCmdUI->Enable(m_bSendEnabled[1]); break;
    case ID_PORT1_STOP: pCmdUI->Enable(m_bRunning[0]); break;
    case ID_PORT2_STOP: pCmdUI->Enable(m_bRunning[1]); break;
    default: break;
    }
}

void CMainFrame::ShowConnections()
{
    if (m_wndConnPane.GetSafeHwnd() != NULL)
        m_wndConnPane.ShowConnections(m_buffers);
}

void CMainFrame::PushToTarget(int nTarget, int nPort, int nSub, const COleSafeArray& data)
{
    for (CChannelBuffer* pBuffer : m_buffers) {
        const bool bMatch = nTarget == 0 ? (pBuffer->m_nPort == nPort && pBuffer->m_nSub == nSub)
                                         : pBuffer->m_nPort == nTarget - 1;
        if (!bMatch)
            continue;
        pBuffer->Push(data, 0);
        pBuffer->Signal();
        if (nTarget == 0)
            break;
    }
}

void CMainFrame::AutoReply(const CCommLogRecord& record)
{
    const CCommSetRecord& set = GetCurrentCommSet();
    const int nPort = record.m_nPort != 0 ? 1 : 0;
    if (record.m_nKind != 2 || set.m_nScriptMode[nPort] != 0 || set.m_nExtendedMode[nPort] != 0 ||
        set.m_nRecvActionOn[nPort] == 0)
        return;
    COleSafeArray reply(record.m_data);
    switch (set.m_nReplyKind[nPort]) {
    case 0:
        reply = GetSendEditorBytes();
        if (set.m_nRandomOn[nPort] != 0)
            reply = GetPortSlot(nPort).m_randomEngine.ApplyRandomRegions(reply);
        break;
    case 2: {
        const DWORD n = reply.GetOneDimSize();
        if (n > 0) {
            BYTE* p = NULL;
            reply.AccessData(reinterpret_cast<void**>(&p));
            memset(p, set.m_byFixedReply[nPort], n);
            reply.UnaccessData();
        }
        break;
    }
    default: break;
    }
    PushToTarget(set.m_nReplyTarget[nPort], nPort, record.m_nSub, reply);
}

LRESULT CMainFrame::OnConnectionEvent(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case CommNotifyState: {
        const int* pState = reinterpret_cast<const int*>(lParam);
        const int nPort = pState[0] != 0 ? 1 : 0;
        UINT nText = 0;
        switch (pState[1]) {
        case ConnStateWaiting: nText = IDS_STATE_WAITING; break;
        case ConnStateConnected:
            m_bSendEnabled[nPort] = 1;
            nText = IDS_STATE_CONNECTED;
            break;
        case ConnStateEnded: {
            nText = IDS_STATE_NONE;
            const CCommSetRecord& set = GetCurrentCommSet();
            const bool bRetry = !m_bClosing && set.m_nCommType[nPort] == CCommSetRecord::kCommTypeSerial &&
                                m_bRunning[nPort] != 0 && set.m_nAutoRetry[nPort] != 0;
            m_bSendEnabled[nPort] = 0;
            if (bRetry) {
                CPortSlot& slot = GetPortSlot(nPort);
                slot.m_nPort = nPort;
                slot.m_hFrameWnd = m_hWnd;
                slot.m_nRetryWait = 1;
                BeginPortSessionThread(nPort);
            } else {
                GetPortSlot(nPort).m_nPort = -1;
                m_bStartEnabled[nPort] = 1;
                m_bRunning[nPort] = 0;
            }
            break;
        }
        default: return 0;
        }
        ShowPortState(nPort, nText);
        if (m_pLogView != NULL)
            m_pLogView->DragAcceptFiles(!AnyPortRunning());
        return 0;
    }
    case CommNotifyRecord: {
        const CCommLogRecord& record = *reinterpret_cast<const CCommLogRecord*>(lParam);
        if (m_pLogView != NULL)
            m_pLogView->AppendLogRecord(record);
        AutoReply(record);
        return 0;
    }
    case CommNotifyRegister:
        m_buffers.push_back(reinterpret_cast<CChannelBuffer*>(lParam));
        ShowConnections();
        return 0;
    case CommNotifyUnregister: {
        CChannelBuffer* pBuffer = reinterpret_cast<CChannelBuffer*>(lParam);
        m_buffers.erase(std::remove(m_buffers.begin(), m_buffers.end(), pBuffer), m_buffers.end());
        ShowConnections();
        return 0;
    }
    case CommNotifyRoute: {
        const CCommLogRecord& record = *reinterpret_cast<const CCommLogRecord*>(lParam);
        PushToTarget(record.m_nRouteTarget, record.m_nPort, record.m_nSub, record.m_data);
        return 0;
    }
    default: return 0;
    }
}

LRESULT CMainFrame::UpdateComControlPane(WPARAM wParam, LPARAM lParam)
{
    const int nAction = HIWORD(wParam);
    if (nAction > ComPanePending)
        return 0;
    CComControlPane& pane = ComPane(LOWORD(wParam));
    if (pane.GetSafeHwnd() == NULL)
        return 0;
    return pane.OnLineAction(static_cast<UINT>(nAction), lParam);
}

LRESULT CMainFrame::OnFrameRefresh(WPARAM wParam, LPARAM)
{
    if (wParam == 0 && m_pLogView != NULL)
        m_pLogView->RefreshList();
    else if (wParam == 3)
        SetFrameTitle();
    return 0;
}

COleSafeArray CMainFrame::GetSendEditorBytes()
{
    if (m_wndSendPane.GetSafeHwnd() == NULL)
        return COleSafeArray();
    return m_wndSendPane.GetEditor().GetData();
}

void CMainFrame::SetSendEditorBytes(const COleSafeArray& data)
{
    if (m_wndSendPane.GetSafeHwnd() != NULL)
        m_wndSendPane.GetEditor().SetData(data);
}

COleSafeArray CMainFrame::GetScriptBytes(int nPort)
{
    return ScriptPane(nPort).GetScriptText();
}

LRESULT CMainFrame::OnAccessGetSendData(WPARAM, LPARAM lParam)
{
    *reinterpret_cast<COleSafeArray*>(lParam) = GetSendEditorBytes();
    return 1;
}

LRESULT CMainFrame::OnAccessSetSendData(WPARAM, LPARAM lParam)
{
    SetSendEditorBytes(*reinterpret_cast<const COleSafeArray*>(lParam));
    return 1;
}

LRESULT CMainFrame::OnAccessGetScript(WPARAM wParam, LPARAM lParam)
{
    *reinterpret_cast<COleSafeArray*>(lParam) = GetScriptBytes(static_cast<int>(wParam));
    return 1;
}
