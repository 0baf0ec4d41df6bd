// Worker threads, synchronisation objects and the prompt hook.
#include "afxwin.h"
#include "classlib_test_ids.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct ThreadRecord {
    HANDLE hDone;
    LPVOID pParam;
    int nPriority;
    CWnd* pMainWnd;
    CWinThread* pThread;
};
ThreadRecord g_record;

UINT AFX_CDECL RecordingProc(LPVOID pParam)
{
    g_record.pParam = pParam;
    g_record.nPriority = GetThreadPriority(GetCurrentThread());
    g_record.pMainWnd = AfxGetMainWnd();
    g_record.pThread = AfxGetThread();
    SetEvent(g_record.hDone);
    return 0;
}

class ScriptedPrompt : public CPromptHook {
public:
    explicit ScriptedPrompt(int nAnswer) : m_nAnswer(nAnswer) {}
    int MessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) override
    {
        m_texts.push_back(lpszText);
        m_captions.push_back(lpszCaption != NULL ? lpszCaption : "");
        m_types.push_back(nType);
        return m_nAnswer;
    }
    int m_nAnswer;
    std::vector<CString> m_texts;
    std::vector<CString> m_captions;
    std::vector<UINT> m_types;
};

} // namespace

TEST(WorkerThread, RunsProcWithParameterAndPriority)
{
    g_record = {};
    g_record.hDone = CreateEventA(NULL, TRUE, FALSE, NULL);
    CWinApp* pApp = AfxGetApp();
    CWnd* pFakeMain = reinterpret_cast<CWnd*>(0x1000);
    pApp->m_pMainWnd = pFakeMain;

    CWinThread* pThread = AfxBeginThread(RecordingProc, (LPVOID)7, THREAD_PRIORITY_HIGHEST);
    ASSERT_NE(pThread, nullptr);
    ASSERT_EQ(WaitForSingleObject(g_record.hDone, 5000), WAIT_OBJECT_0);
    pApp->m_pMainWnd = NULL;
    CloseHandle(g_record.hDone);

    EXPECT_EQ(g_record.pParam, (LPVOID)7);
    EXPECT_EQ(g_record.nPriority, THREAD_PRIORITY_HIGHEST);
    EXPECT_EQ(g_record.pMainWnd, pFakeMain);
    EXPECT_NE(g_record.pThread, nullptr);
    EXPECT_NE(g_record.pThread, pApp);
}

TEST(WorkerThread, KeptObjectGivesExitCode)
{
    CWinThread* pThread = AfxBeginThread([](LPVOID p) -> UINT { return (UINT)(UINT_PTR)p + 1; }, (LPVOID)41,
                                         THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD dwExit = 0;
    GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(dwExit, 42u);
    delete pThread;

    // AfxEndThread leaves with the given code.
    pThread = AfxBeginThread([](LPVOID) -> UINT { AfxEndThread(9, FALSE); }, NULL, THREAD_PRIORITY_NORMAL, 0,
                             CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(dwExit, 9u);
    delete pThread;
}

TEST(Synchronisation, LocksAndEvents)
{
    CCriticalSection cs;
    long nCounter = 0;
    std::vector<CWinThread*> threads;
    struct Shared {
        CCriticalSection* pcs;
        long* pCounter;
    } shared = {&cs, &nCounter};
    for (int i = 0; i < 4; i++) {
        CWinThread* pThread = AfxBeginThread(
            [](LPVOID p) -> UINT {
                Shared* s = (Shared*)p;
                for (int k = 0; k < 10000; k++) {
                    CSingleLock lock(s->pcs, TRUE);
                    long v = *s->pCounter;
                    *s->pCounter = v + 1;
                }
                return 0;
            },
            &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        threads.push_back(pThread);
    }
    for (CWinThread* pThread : threads) {
        WaitForSingleObject(pThread->m_hThread, 10000);
        delete pThread;
    }
    EXPECT_EQ(nCounter, 40000);

    CEvent event(FALSE, TRUE, "KorvaneClasslibTestEvent");
    HANDLE hSame = OpenEventA(SYNCHRONIZE, FALSE, "KorvaneClasslibTestEvent");
    ASSERT_NE(hSame, nullptr);
    EXPECT_EQ(WaitForSingleObject(hSame, 0), (DWORD)WAIT_TIMEOUT);
    event.SetEvent();
    EXPECT_EQ(WaitForSingleObject(hSame, 0), WAIT_OBJECT_0);
    event.ResetEvent();
    EXPECT_EQ(WaitForSingleObject(hSame, 0), (DWORD)WAIT_TIMEOUT);
    CloseHandle(hSame);

    CSemaphore sem(2, 2);
    CSingleLock a(&sem, TRUE), b(&sem, TRUE), c(&sem);
    EXPECT_TRUE(a.IsLocked());
    EXPECT_TRUE(b.IsLocked());
    EXPECT_FALSE(c.Lock(0));
    a.Unlock();
    EXPECT_TRUE(c.Lock(0));

    CEvent e1, e2;
    CSyncObject* objects[] = {&e1, &e2};
    CMultiLock multi(objects, 2);
    e2.SetEvent();
    EXPECT_EQ(multi.Lock(1000, FALSE), WAIT_OBJECT_0 + 1);
    EXPECT_TRUE(multi.IsLocked(1));
    EXPECT_FALSE(multi.IsLocked(0));
}

TEST(PromptHook, MessageBoxGoesThroughTheHook)
{
    ScriptedPrompt prompt(IDRETRY);
    CPromptHook* pOld = AfxSetPromptHook(&prompt);
    EXPECT_EQ(AfxMessageBox("ポートを開けません", MB_ICONSTOP | MB_RETRYCANCEL), IDRETRY);
    ASSERT_EQ(prompt.m_texts.size(), 1u);
    EXPECT_EQ(prompt.m_texts[0], "ポートを開けません");
    EXPECT_EQ(prompt.m_types[0] & MB_ICONMASK, (UINT)MB_ICONSTOP);
    EXPECT_EQ(prompt.m_types[0] & MB_TYPEMASK, (UINT)MB_RETRYCANCEL);
    EXPECT_EQ(prompt.m_captions[0], AfxGetApp()->m_pszAppName);

    prompt.m_nAnswer = IDYES;
    EXPECT_EQ(AfxMessageBox(IDS_TEST_PROMPT, MB_YESNO), IDYES);
    ASSERT_EQ(prompt.m_texts.size(), 2u);
    EXPECT_EQ(prompt.m_texts[1], "ポートを開けません");
    // Without an icon of its own a Yes/No box gets the question mark.
    EXPECT_EQ(prompt.m_types[1] & MB_ICONMASK, (UINT)MB_ICONQUESTION);

    // A hook sees prompts from worker threads too.
    CWinThread* pThread = AfxBeginThread([](LPVOID) -> UINT { return (UINT)AfxMessageBox("thread", MB_OK); },
                                         NULL, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    WaitForSingleObject(pThread->m_hThread, 5000);
    DWORD dwExit = 0;
    GetExitCodeThread(pThread->m_hThread, &dwExit);
    delete pThread;
    EXPECT_EQ(dwExit, (DWORD)IDYES);
    ASSERT_EQ(prompt.m_texts.size(), 3u);
    EXPECT_EQ(prompt.m_types[2] & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);

    EXPECT_EQ(AfxSetPromptHook(pOld), &prompt);
    EXPECT_EQ(AfxGetPromptHook(), pOld);
}

TEST(PromptHook, ExceptionReportsThroughTheHook)
{
    ScriptedPrompt prompt(IDOK);
    CPromptHook* pOld = AfxSetPromptHook(&prompt);
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\x\\データ.bin");
    e.ReportError(MB_ICONSTOP);
    AfxSetPromptHook(pOld);
    ASSERT_EQ(prompt.m_texts.size(), 1u);
    EXPECT_GE(prompt.m_texts[0].Find("データ.bin"), 0);
    EXPECT_EQ(prompt.m_types[0] & MB_ICONMASK, (UINT)MB_ICONSTOP);
}

namespace {

// The folder browser's own road, on a thread of its own whose dialogs are cancelled as soon
// as they initialise.
struct BrowseRun {
    bool bInMultiThreaded;  // the thread joins the multi-threaded apartment first
    bool bDialogSeen = false;
    HRESULT hrDuring = E_FAIL;  // a single-threaded join while the browser is shown
    BOOL bChosen = TRUE;
    HRESULT hrAfter = E_FAIL;  // a multi-threaded join after the browse
};
BrowseRun* g_pBrowseRun = nullptr;

LRESULT CALLBACK CancelDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* p = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && p->message == WM_INITDIALOG) {
        g_pBrowseRun->bDialogSeen = true;
        g_pBrowseRun->hrDuring = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(g_pBrowseRun->hrDuring))
            ::CoUninitialize();
        ::PostMessageA(p->hwnd, WM_COMMAND, IDCANCEL, 0);
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

DWORD WINAPI BrowseOnThread(LPVOID pParam)
{
    BrowseRun& run = *static_cast<BrowseRun*>(pParam);
    if (run.bInMultiThreaded)
        ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, CancelDialogs, NULL, ::GetCurrentThreadId());
    CPromptHook hook;
    CString folder;
    run.bChosen = hook.BrowseForFolder(NULL, "folder", 0x0001, folder);
    ::UnhookWindowsHookEx(hHook);
    run.hrAfter = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    if (SUCCEEDED(run.hrAfter))
        ::CoUninitialize();
    if (run.bInMultiThreaded)
        ::CoUninitialize();
    return 0;
}

void RunBrowse(BrowseRun& run)
{
    g_pBrowseRun = &run;
    HANDLE hThread = ::CreateThread(NULL, 0, BrowseOnThread, &run, 0, NULL);
    ASSERT_NE(hThread, (HANDLE)NULL);
    EXPECT_EQ(::WaitForSingleObject(hThread, 20000), WAIT_OBJECT_0);
    ::CloseHandle(hThread);
    g_pBrowseRun = nullptr;
}

} // namespace

TEST(PromptHook, FolderBrowserJoinsAnApartmentOnlyForItsCall)
{
    // Outside any apartment: the browser runs in one, which is left again afterwards.
    BrowseRun outside{false};
    RunBrowse(outside);
    EXPECT_TRUE(outside.bDialogSeen);
    EXPECT_EQ(outside.hrDuring, S_FALSE);
    EXPECT_FALSE(outside.bChosen);
    EXPECT_EQ(outside.hrAfter, S_OK);

    // A thread already in the multi-threaded apartment stays there.
    BrowseRun inside{true};
    RunBrowse(inside);
    EXPECT_EQ(inside.hrDuring, RPC_E_CHANGED_MODE);
    EXPECT_FALSE(inside.bChosen);
    EXPECT_EQ(inside.hrAfter, S_FALSE);
}
