#include "portreporter.h"

#include "channelbuffer.h"

#include <cstring>

CPortReporter::CPortReporter(HWND hFrameWnd, int nPort)
    : m_hFrameWnd(hFrameWnd), m_nPort(nPort), m_record(nPort, 0)
{
}

void CPortReporter::State(int nState)
{
    int state[2] = {m_nPort, nState};
    ::SendMessageA(m_hFrameWnd, WM_COMM_NOTIFY, CommNotifyState, reinterpret_cast<LPARAM>(state));
}

void CPortReporter::Message(int nCode, DWORD dwError)
{
    Message(nCode, dwError, NULL, 0);
}

void CPortReporter::Message(int nCode, DWORD dwError, const void* pPayload, int nLength)
{
    m_record.m_nKind = CCommLogRecord::KindMessage;
    m_record.m_nMsgCode = nCode;
    m_record.m_nSysError = static_cast<int>(dwError);
    m_record.SetPayload(pPayload, nLength);
    Send(m_record);
}

void CPortReporter::MessageText(int nCode, LPCSTR pszText)
{
    Message(nCode, 0, pszText, static_cast<int>(std::strlen(pszText)) + 1);
}

void CPortReporter::Data(int nKind, const void* pData, int nLength)
{
    m_record.m_nKind = nKind;
    m_record.m_nMsgCode = 0;
    m_record.m_nSysError = 0;
    m_record.SetPayload(pData, nLength);
    Send(m_record);
}

void CPortReporter::Data(int nKind, const COleSafeArray& data)
{
    m_record.m_nKind = nKind;
    m_record.m_nMsgCode = 0;
    m_record.m_nSysError = 0;
    m_record.SetPayload(data);
    Send(m_record);
}

void CPortReporter::Register(CChannelBuffer* pBuffer)
{
    ::SendMessageA(m_hFrameWnd, WM_COMM_NOTIFY, CommNotifyRegister, reinterpret_cast<LPARAM>(pBuffer));
}

void CPortReporter::Unregister(CChannelBuffer* pBuffer)
{
    ::SendMessageA(m_hFrameWnd, WM_COMM_NOTIFY, CommNotifyUnregister, reinterpret_cast<LPARAM>(pBuffer));
}

LRESULT CPortReporter::Pane(int nAction, LPARAM lParam)
{
    return ::SendMessageA(m_hFrameWnd, WM_COM_PANE, MAKEWPARAM(m_nPort, nAction), lParam);
}

void CPortReporter::Send(CCommLogRecord& record)
{
    GetLocalTime(&record.m_time);
    ::SendMessageA(m_hFrameWnd, WM_COMM_NOTIFY, CommNotifyRecord, reinterpret_cast<LPARAM>(&record));
}
