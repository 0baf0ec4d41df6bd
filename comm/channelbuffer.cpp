#include "channelbuffer.h"

CChannelBuffer::CChannelBuffer(int nCommType, int nSecond, int nComIndex)
    : m_nPort(0),
      m_nSub(0),
      m_nCommType(nCommType),
      m_nSecond(nSecond),
      m_nComIndex(nComIndex),
      m_nLastFlag(0),
      m_lock(1, 1)
{
    GetLocalTime(&m_timeCreated);
}

CChannelBuffer::~CChannelBuffer()
{
}

BOOL CChannelBuffer::Push(const COleSafeArray& data, int nFlag)
{
    m_lock.Lock();
    m_queue.push_back(Entry{data, nFlag});
    return m_lock.Unlock();
}

COleSafeArray CChannelBuffer::Pop()
{
    COleSafeArray data;
    if (!PopNext(data))
        data.CreateOneDim(VT_UI1, 0);
    return data;
}

BOOL CChannelBuffer::PopNext(COleSafeArray& data)
{
    m_lock.Lock();
    if (m_queue.empty()) {
        m_lock.Unlock();
        return FALSE;
    }
    Entry entry = m_queue.front();
    m_queue.pop_front();
    m_nLastFlag = entry.nFlag;
    m_lock.Unlock();
    data = entry.data;
    return TRUE;
}

int CChannelBuffer::GetCount()
{
    m_lock.Lock();
    int n = static_cast<int>(m_queue.size());
    m_lock.Unlock();
    return n;
}

void CChannelBuffer::Signal()
{
    HANDLE hEvent = CreateEventA(NULL, FALSE, FALSE, m_strEventName);
    if (hEvent) {
        SetEvent(hEvent);
        CloseHandle(hEvent);
    }
}
