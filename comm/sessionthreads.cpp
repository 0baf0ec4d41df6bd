#include "sessionthreads.h"

#include "commsetrecord.h"
#include "currentcommset.h"
#include "modulekeeper.h"
#include "portsession.h"
#include "workerthread.h"

#include <mutex>

namespace {

struct SessionThread
{
    int nPort;
    DWORD dwThreadId;
    HANDLE hThread;
    HANDLE hStop;       // a handle of the starter's own
    int nStops;         // stops given by StopPortSessionsAndWait
};

struct StartBlock
{
    int nPort;
    HANDLE hStop;       // the thread's, closed by it when it ends
};

std::mutex g_lock;
std::vector<SessionThread> g_threads;

// The DLLs that the set names for the ports are mapped before a connection starts (see the
// header), whatever the ports' modes: the extension-DLL page loads them too.
void KeepExtensionDlls()
{
    const CCommSetRecord& set = GetCurrentCommSet();
    for (const CString& strPath : set.m_strExtDllPath)
        GetExtensionModules().Keep(strPath);
}

UINT SessionThreadProc(LPVOID pParam)
{
    StartBlock start = *static_cast<StartBlock*>(pParam);
    delete static_cast<StartBlock*>(pParam);
    RunPortSession(start.nPort, start.hStop);
    CloseHandle(start.hStop);
    return 0;
}

bool HasEnded(const SessionThread& thread)
{
    return WaitForSingleObject(thread.hThread, 0) == WAIT_OBJECT_0;
}

// Forgets the threads that have ended. Called with the lock held.
void ForgetEnded()
{
    for (size_t i = 0; i < g_threads.size();) {
        if (HasEnded(g_threads[i])) {
            CloseHandle(g_threads[i].hThread);
            CloseHandle(g_threads[i].hStop);
            g_threads.erase(g_threads.begin() + i);
        } else {
            ++i;
        }
    }
}

HANDLE Duplicate(HANDLE h)
{
    HANDLE hCopy = NULL;
    DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &hCopy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return hCopy;
}

// Stops every running thread that has had fewer than nStops stops. Returns how many still run.
size_t StopRunning(int nStops)
{
    std::lock_guard<std::mutex> hold(g_lock);
    ForgetEnded();
    for (SessionThread& thread : g_threads) {
        if (thread.nStops < nStops) {
            SetEvent(thread.hStop);
            thread.nStops = nStops;
        }
    }
    return g_threads.size();
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the caller's own message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

BOOL BeginPortSessionThread(int nPort)
{
    KeepExtensionDlls();
    GetExtensionModules().EndFreshMaps();
    HANDLE hStop = CreateEventA(NULL, TRUE, FALSE, GetPortSlot(nPort).MakeThreadStopEventName());
    if (!hStop)
        return FALSE;
    ResetEvent(hStop);
    SessionThread thread = {nPort, 0, NULL, Duplicate(hStop), 0};
    StartBlock* pStart = NULL;
    try {
        std::lock_guard<std::mutex> hold(g_lock);
        ForgetEnded();
        g_threads.reserve(g_threads.size() + 1);
        pStart = new StartBlock{nPort, hStop};
        thread.hThread = BeginWorkerThread(SessionThreadProc, pStart, THREAD_PRIORITY_NORMAL, &thread.dwThreadId);
        if (thread.hThread)
            g_threads.push_back(thread);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    if (thread.hThread)
        return TRUE;
    delete pStart;
    CloseHandle(hStop);
    if (thread.hStop)
        CloseHandle(thread.hStop);
    return FALSE;
}

std::vector<UnendedSession> StopPortSessionsAndWait(DWORD dwTimeout)
{
    const DWORD dwStart = GetTickCount();
    for (;;) {
        const DWORD dwElapsed = GetTickCount() - dwStart;
        if (StopRunning(dwElapsed >= dwTimeout / 2 ? 2 : 1) == 0 || dwElapsed >= dwTimeout)
            break;
        PumpMessages();
        DWORD dwStep = dwTimeout - dwElapsed < 10 ? dwTimeout - dwElapsed : 10;
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwStep, QS_ALLINPUT);
    }
    std::vector<UnendedSession> unended;
    std::lock_guard<std::mutex> hold(g_lock);
    ForgetEnded();
    for (const SessionThread& thread : g_threads)
        unended.push_back(UnendedSession{thread.nPort, thread.dwThreadId});
    return unended;
}
