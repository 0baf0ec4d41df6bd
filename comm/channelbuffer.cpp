#include "channelbuffer.h"

CChannelBuffer::CChannelBuffer(int nCommType, int nSecond, int nComIndex)
    : m_nPort(0),
      m_nSub(0),
      m_nCommType(nCommType),
      m_nSecond(nSecond),
      m_nComIndex(nComIndex),
      m_nLastFlag(0),
      m_hTrigger(NULL)
{
    GetLocalTime(&m_timeCreated);
}

CChannelBuffer::~CChannelBuffer()
{
    if (m_hTrigger)
        CloseHandle(m_hTrigger);
}

BOOL CChannelBuffer::Push(const COleSafeArray& data, int nFlag)
{
    try {
        COleSafeArray copy(data);
        CSingleLock lock(&m_lock, TRUE);
        if (!lock.IsLocked())
            return FALSE;
        m_queue.emplace_back();
        // Handing the copy over allocates nothing, so the entry is complete or not there.
        VARIANT v = copy.Detach();
        m_queue.back().data.Attach(v);
        m_queue.back().nFlag = nFlag;
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return FALSE;
}

COleSafeArray CChannelBuffer::Pop()
{
    COleSafeArray data;
    if (PopNext(data) <= 0)
        data.CreateOneDim(VT_UI1, 0);
    return data;
}

int CChannelBuffer::PopNext(COleSafeArray& data)
{
    VARIANT v;
    {
        CSingleLock lock(&m_lock, TRUE);
        if (!lock.IsLocked())
            return -1;
        if (m_queue.empty())
            return 0;
        v = m_queue.front().data.Detach();
        m_nLastFlag = m_queue.front().nFlag;
        m_queue.pop_front();
    }
    data.Attach(v);
    return 1;
}

int CChannelBuffer::GetCount()
{
    CSingleLock lock(&m_lock, TRUE);
    return static_cast<int>(m_queue.size());
}

void CChannelBuffer::Clear()
{
    // The blocks are freed when this goes, outside the lock.
    std::deque<Entry> dropped;
    {
        CSingleLock lock(&m_lock, TRUE);
        if (!lock.IsLocked())
            return;
        dropped.swap(m_queue);
    }
}

void CChannelBuffer::Signal()
{
    HANDLE hKept = NULL;
    {
        CSingleLock lock(&m_lock, TRUE);
        if (m_hTrigger && m_strTriggerName == m_strEventName)
            hKept = m_hTrigger;
    }
    // The kept handle is closed only by the destructor, so it is set outside the lock: the
    // woken connection finds the lock free when it pops.
    if (hKept) {
        SetEvent(hKept);
        return;
    }
    HANDLE hEvent = CreateEventA(NULL, FALSE, FALSE, m_strEventName);
    if (!hEvent)
        return;
    const bool bExisted = GetLastError() == ERROR_ALREADY_EXISTS;
    SetEvent(hEvent);
    // An event that nobody else holds goes with this handle, as if it had never been made: a
    // signal keeps no event alive for a connection that has not opened it yet. The first
    // handle is kept; a later name gets the plain path.
    if (bExisted) {
        CSingleLock lock(&m_lock, TRUE);
        if (!m_hTrigger) {
            m_hTrigger = hEvent;
            m_strTriggerName = m_strEventName;
            return;
        }
    }
    CloseHandle(hEvent);
}
