#include "workerthread.h"

#include "afxapp.h"

HANDLE BeginWorkerThread(AFX_THREADPROC pfnProc, LPVOID pParam, int nPriority, DWORD* pdwThreadId)
{
    CWinThread* pThread = AfxBeginThread(pfnProc, pParam, nPriority, 0, CREATE_SUSPENDED);
    if (!pThread)
        return NULL;
    HANDLE hThread = NULL;
    DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &hThread, SYNCHRONIZE, FALSE, 0);
    if (pdwThreadId)
        *pdwThreadId = pThread->m_nThreadID;
    pThread->ResumeThread();
    return hThread;
}
