// CWinThread and AfxBeginThread. Each thread started here knows its CWinThread through a
// thread-local pointer; the main thread's is the application object.
#include "afxwin.h"
#include "afxwinstate.h"
#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* t_pCurrentThread = NULL;

// Pseudo handle of the calling thread: the application's main thread carries it and it is
// never closed.
const HANDLE kCurrentThreadPseudoHandle = (HANDLE)(LONG_PTR)-2;

// The temporary objects the message loop lets pile up between idle passes.
const size_t kTempObjectPile = 256;

unsigned __stdcall ThreadEntry(void* pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    t_pCurrentThread = pThread;
    UINT nResult;
    if (pThread->m_pfnThreadProc != NULL) {
        nResult = (*pThread->m_pfnThreadProc)(pThread->m_pThreadParams);
    } else if (!pThread->InitInstance()) {
        nResult = (UINT)pThread->ExitInstance();
    } else {
        nResult = (UINT)pThread->Run();
    }
    t_pCurrentThread = NULL;
    pThread->Delete();
    return nResult;
}
} // namespace

void CWinThread::CommonConstruct()
{
    m_pMainWnd = NULL;
    m_pActiveWnd = NULL;
    m_bAutoDelete = TRUE;
    m_hThread = NULL;
    m_nThreadID = 0;
    memset(&m_msgCur, 0, sizeof(m_msgCur));
}

CWinThread::CWinThread() : m_pThreadParams(NULL), m_pfnThreadProc(NULL)
{
    CommonConstruct();
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc)
{
    CommonConstruct();
}

CWinThread::~CWinThread()
{
    if (m_hThread != NULL && m_hThread != kCurrentThreadPseudoHandle)
        ::CloseHandle(m_hThread);
    if (t_pCurrentThread == this)
        t_pCurrentThread = NULL;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned nThreadID = 0;
    uintptr_t h = _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                 CREATE_SUSPENDED | (dwCreateFlags & STACK_SIZE_PARAM_IS_A_RESERVATION),
                                 &nThreadID);
    if (h == 0)
        return FALSE;
    m_hThread = (HANDLE)h;
    m_nThreadID = nThreadID;
    // Once resumed the thread may end and delete this object at any time.
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread((HANDLE)h);
    return TRUE;
}

int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != NULL)
        return m_pActiveWnd;
    if (m_pMainWnd != NULL)
        return m_pMainWnd;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp != this ? pApp->m_pMainWnd : NULL;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // A thread message goes to the thread object's own map (ON_THREAD_MESSAGE).
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // A modeless window outside the main window's tree: the main window's accelerators
    // get a last chance.
    if (pMainWnd != NULL && pMsg->hwnd != NULL) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd != NULL && pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap->pfnGetBaseMap != NULL; pMap = pMap->pfnGetBaseMap()) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            BOOL bMatch = pMsg->message < 0xC000 ? (p->nMessage == pMsg->message && p->nSig == AfxSig_v_w_l)
                                                 : (p->nMessage == 0xC000 && *(const UINT*)p->nSig == pMsg->message);
            if (bMatch) {
                (this->*reinterpret_cast<void (CWinThread::*)(WPARAM, LPARAM)>((AFX_PMSGT)p->pfn))(pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !AfxTakeDoubleByteHalf(m_msgCur) && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

// Pass 0 updates the command state of the visible frames (their bars answer
// WM_IDLEUPDATECMDUI); pass 1 frees the temporary objects. Then there is nothing more to do.
BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
        }
        AfxIdleUpdateFrames(pMainWnd);
    } else if (lCount >= 1) {
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Paint messages, the caret's blink timer and mouse moves that did not move come
    // constantly; they start no idle pass.
    static thread_local POINT s_ptLast = {-1, -1};
    static thread_local UINT s_nLastMsg = 0;
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (s_nLastMsg == pMsg->message && s_ptLast.x == pMsg->pt.x && s_ptLast.y == pMsg->pt.y)
            return FALSE;
        s_ptLast = pMsg->pt;
        s_nLastMsg = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
            // A thread kept busy by a steady stream of messages (a device sending without
            // pause) reaches no idle pass, and a temporary is made again for the same handle
            // once a paint DC has taken it: they would pile up for as long as the stream lasts.
            // Between two messages of this outermost loop no handler holds one, so a pile is
            // freed here as the idle pass would free it.
            if (AfxTempObjectCount() >= kTempObjectPile)
                AfxDeleteTempMaps();
        } while (::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

// ---------------------------------------------------------------------------------------

// Starts the thread suspended so its priority is set before it runs, then lets it go unless
// the caller asked for it suspended; a thread that cannot be made is deleted.
static CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                               LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == NULL)
        return NULL;
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return NULL;
    CWinThread* pThread = (CWinThread*)pThreadClass->CreateObject();
    if (pThread == NULL)
        return NULL;
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = t_pCurrentThread;
    t_pCurrentThread = NULL;
    if (pThread != NULL && bDelete)
        pThread->Delete();
    _endthreadex(nExitCode);
    for (;;) {
    }
}

CWinThread* AFXAPI AfxGetThread()
{
    if (t_pCurrentThread != NULL)
        return t_pCurrentThread;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_nThreadID == ::GetCurrentThreadId())
        return pApp;
    return NULL;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->GetMainWnd();
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pMainWnd : NULL;
}
