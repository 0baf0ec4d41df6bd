// The prompt hook and AfxMessageBox. Every message box of the program passes through the one
// installed CPromptHook; the default one shows the system's message box. The owner's top-level
// window waits with the owner (CPromptModality), whichever hook answers.
#include "afxwin.h"
#include <shlobj.h>

namespace {
CPromptHook g_defaultHook;
CPromptHook* volatile g_pPromptHook = &g_defaultHook;

// The icon the library adds when the caller gave none: a warning for OK boxes, a question
// for Yes/No boxes.
UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        }
    }
    return nType;
}

// The system's own dialogs (message box, file, colour and folder dialogs) run modal loops that
// show a dialog made hidden only when the queue empties or a timer's message comes; a queue
// that never empties (paints and posts while a device floods the log) would keep the colour
// dialog hidden for as long, with its owner already disabled. While one runs, the thread's
// hooks note the dialog it makes and show it once its loop has run kShowWithinMs, as the class
// library's own modal loop does. The time counts from the end of its WM_INITDIALOG, after
// which the system's loop starts: a dialog whose set-up pumps messages is not shown half
// built. Only that one dialog is watched, and only once: any other dialog made on the thread
// while the prompt waits (one the program made hidden on purpose) is left as it is.
class CSystemPromptShow
{
public:
    CSystemPromptShow() : m_hDialog(NULL), m_bTaken(false), m_bLoopRuns(false), m_dwLoopStart(0),
                          m_pOuter(t_pInnermost)
    {
        const DWORD dwThread = ::GetCurrentThreadId();
        m_hCbt = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, dwThread);
        m_hCallRet = ::SetWindowsHookExA(WH_CALLWNDPROCRET, CallRetProc, NULL, dwThread);
        m_hGetMessage = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageProc, NULL, dwThread);
        t_pInnermost = this;
    }
    ~CSystemPromptShow()
    {
        t_pInnermost = m_pOuter;
        if (m_hGetMessage != NULL)
            ::UnhookWindowsHookEx(m_hGetMessage);
        if (m_hCallRet != NULL)
            ::UnhookWindowsHookEx(m_hCallRet);
        if (m_hCbt != NULL)
            ::UnhookWindowsHookEx(m_hCbt);
    }
    CSystemPromptShow(const CSystemPromptShow&) = delete;
    CSystemPromptShow& operator=(const CSystemPromptShow&) = delete;

private:
    static const DWORD kShowWithinMs = 100;

    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND) {
            CSystemPromptShow* pPrompt = t_pInnermost;
            const CREATESTRUCTA* pcs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            char szClass[16] = "";
            if (pPrompt != NULL && !pPrompt->m_bTaken && !(pcs->style & WS_CHILD) &&
                ::GetClassNameA(reinterpret_cast<HWND>(wParam), szClass, sizeof(szClass)) > 0 &&
                lstrcmpA(szClass, "#32770") == 0) {
                pPrompt->m_hDialog = reinterpret_cast<HWND>(wParam);
                pPrompt->m_bTaken = true;
            }
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }

    static LRESULT CALLBACK CallRetProc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HC_ACTION) {
            const CWPRETSTRUCT* pcwp = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
            if (pcwp->message == WM_INITDIALOG) {
                for (CSystemPromptShow* p = t_pInnermost; p != NULL; p = p->m_pOuter) {
                    if (p->m_hDialog == pcwp->hwnd && !p->m_bLoopRuns) {
                        p->m_bLoopRuns = true;
                        p->m_dwLoopStart = ::GetTickCount();
                    }
                }
            }
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }

    static LRESULT CALLBACK GetMessageProc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HC_ACTION) {
            for (CSystemPromptShow* p = t_pInnermost; p != NULL; p = p->m_pOuter) {
                if (p->m_hDialog != NULL && p->m_bLoopRuns && ::GetTickCount() - p->m_dwLoopStart >= kShowWithinMs) {
                    const HWND hDialog = p->m_hDialog;
                    p->m_hDialog = NULL;
                    if (::IsWindow(hDialog) && !::IsWindowVisible(hDialog))
                        ::ShowWindow(hDialog, SW_SHOWNORMAL);
                }
            }
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }

    static thread_local CSystemPromptShow* t_pInnermost;
    HHOOK m_hCbt;
    HHOOK m_hCallRet;
    HHOOK m_hGetMessage;
    HWND m_hDialog;      // the prompt's dialog, until it is shown
    bool m_bTaken;       // the prompt's dialog was made: no other is watched
    bool m_bLoopRuns;    // its WM_INITDIALOG has returned
    DWORD m_dwLoopStart;
    CSystemPromptShow* m_pOuter;
};

thread_local CSystemPromptShow* CSystemPromptShow::t_pInnermost = NULL;
} // namespace

int CPromptHook::MessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    CSystemPromptShow show;
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

INT_PTR CPromptHook::FileDialog(BOOL bOpen, OPENFILENAMEA* pofn)
{
    CSystemPromptShow show;
    BOOL bOK = bOpen ? ::GetOpenFileNameA(pofn) : ::GetSaveFileNameA(pofn);
    return bOK ? IDOK : IDCANCEL;
}

INT_PTR CPromptHook::ColorDialog(CHOOSECOLORA* pcc)
{
    CSystemPromptShow show;
    return ::ChooseColorA(pcc) ? IDOK : IDCANCEL;
}

BOOL CPromptHook::BrowseForFolder(HWND hWndOwner, LPCSTR lpszTitle, UINT ulFlags, CString& strFolder)
{
    BROWSEINFOA bi = {};
    bi.hwndOwner = hWndOwner;
    bi.lpszTitle = lpszTitle;
    bi.ulFlags = ulFlags;
    char szDisplay[MAX_PATH] = "";
    bi.pszDisplayName = szDisplay;
    // The folder browser is a COM client; a thread that has not joined an apartment yet joins
    // one for the time of the call (a thread already in one keeps it).
    const HRESULT hrCom = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    LPITEMIDLIST pidl;
    {
        CSystemPromptShow show;
        pidl = ::SHBrowseForFolderA(&bi);
    }
    char szPath[MAX_PATH] = "";
    BOOL bPath = FALSE;
    if (pidl != NULL) {
        bPath = ::SHGetPathFromIDListA(pidl, szPath);
        ::CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    if (!bPath || szPath[0] == '\0')
        return FALSE;
    strFolder = szPath;
    return TRUE;
}

CPromptHook* AFXAPI AfxSetPromptHook(CPromptHook* pHook)
{
    CPromptHook* pOld = (CPromptHook*)InterlockedExchangePointer((PVOID volatile*)&g_pPromptHook,
                                                                 pHook != NULL ? pHook : &g_defaultHook);
    return pOld;
}

CPromptHook* AFXAPI AfxGetPromptHook()
{
    return g_pPromptHook;
}

HWND AFXAPI AfxGetPromptOwner()
{
    HWND hWnd = ::GetActiveWindow();
    if (hWnd == NULL)
        return NULL;
    HWND hTop = ::GetAncestor(hWnd, GA_ROOTOWNER);
    if (hTop == NULL)
        hTop = hWnd;
    return ::GetLastActivePopup(hTop);
}

CPromptModality::CPromptModality(HWND hWndOwner) : m_hWndOwner(NULL), m_hWndTop(NULL)
{
    // Another thread's windows are left as they are: a worker's prompt has no owner of its own,
    // and enabling a window of a thread that waits for this one would wait for ever.
    if (hWndOwner != NULL && ::GetWindowThreadProcessId(hWndOwner, NULL) == ::GetCurrentThreadId())
        m_hWndOwner = CWnd::GetSafeOwner_(hWndOwner, &m_hWndTop);
}

CPromptModality::~CPromptModality()
{
    if (m_hWndTop == NULL || !::IsWindow(m_hWndTop))
        return;
    ::EnableWindow(m_hWndTop, TRUE);
    // The prompt ended while its owner was disabled with the rest, so the system may have
    // passed the activation on to another window; the owner takes it back.
    if (::IsWindow(m_hWndOwner) && ::IsWindowEnabled(m_hWndOwner) && ::IsWindowVisible(m_hWndOwner) &&
        ::GetActiveWindow() != m_hWndOwner)
        ::SetActiveWindow(m_hWndOwner);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    const HWND hWndOwner = AfxGetPromptOwner();
    CPromptModality modality(hWndOwner);
    return AfxGetPromptHook()->MessageBox(hWndOwner, lpszPrompt, m_pszAppName, WithDefaultIcon(nType));
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (lpszText == NULL)
        lpszText = "";
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    const HWND hWndOwner = AfxGetPromptOwner();
    CPromptModality modality(hWndOwner);
    return AfxGetPromptHook()->MessageBox(hWndOwner, lpszText, NULL, WithDefaultIcon(nType));
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}
