#include "periodtimer.h"

#include "workerthread.h"

namespace {

// How long a stop waits for the timer thread to end. The thread waits on nothing but its
// stop event, so it ends at once unless the machine is starved.
const DWORD kStopWaitMs = 5000;

LONG g_nLiveTimers = 0;

} // namespace

// Shared by the starter and the timer thread; whichever lets go last frees it, so a thread
// that outlives a bounded stop never touches freed memory or a closed handle.
class CPeriodTimer
{
public:
    char m_szName[256];
    DWORD m_dwPeriod;
    HANDLE m_hStop;
    HANDLE m_hThread;
    LONG m_nRefs;

    void Release()
    {
        if (InterlockedDecrement(&m_nRefs) == 0) {
            CloseHandle(m_hStop);
            if (m_hThread)
                CloseHandle(m_hThread);
            delete this;
        }
    }
};

static UINT PeriodTimerThread(LPVOID pParam)
{
    CPeriodTimer* pTimer = static_cast<CPeriodTimer*>(pParam);
    HANDLE hEvent = CreateEventA(NULL, FALSE, FALSE, pTimer->m_szName);
    while (WaitForSingleObject(pTimer->m_hStop, pTimer->m_dwPeriod) == WAIT_TIMEOUT) {
        if (hEvent)
            SetEvent(hEvent);
    }
    if (hEvent)
        CloseHandle(hEvent);
    pTimer->Release();
    InterlockedDecrement(&g_nLiveTimers);
    return 0;
}

CPeriodTimer* StartPeriodTimer(LPCSTR pszName, int nPeriod)
{
    CPeriodTimer* pTimer = new CPeriodTimer;
    lstrcpynA(pTimer->m_szName, pszName, sizeof(pTimer->m_szName));
    // A period of 0 would spin at the highest priority.
    pTimer->m_dwPeriod = nPeriod > 0 ? static_cast<DWORD>(nPeriod) : 1;
    pTimer->m_hStop = CreateEventA(NULL, TRUE, FALSE, NULL);
    pTimer->m_hThread = NULL;
    pTimer->m_nRefs = 2;
    if (!pTimer->m_hStop) {
        delete pTimer;
        return NULL;
    }

    InterlockedIncrement(&g_nLiveTimers);
    pTimer->m_hThread = BeginWorkerThread(PeriodTimerThread, pTimer, THREAD_PRIORITY_HIGHEST);
    if (!pTimer->m_hThread) {
        InterlockedDecrement(&g_nLiveTimers);
        CloseHandle(pTimer->m_hStop);
        delete pTimer;
        return NULL;
    }
    return pTimer;
}

void StopPeriodTimer(CPeriodTimer* pTimer)
{
    if (!pTimer)
        return;
    SetEvent(pTimer->m_hStop);
    if (pTimer->m_hThread)
        WaitForSingleObject(pTimer->m_hThread, kStopWaitMs);
    pTimer->Release();
}

int GetLivePeriodTimerCount()
{
    return InterlockedCompareExchange(&g_nLiveTimers, 0, 0);
}
