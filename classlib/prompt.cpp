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
} // namespace

int CPromptHook::MessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

INT_PTR CPromptHook::FileDialog(BOOL bOpen, OPENFILENAMEA* pofn)
{
    BOOL bOK = bOpen ? ::GetOpenFileNameA(pofn) : ::GetSaveFileNameA(pofn);
    return bOK ? IDOK : IDCANCEL;
}

INT_PTR CPromptHook::ColorDialog(CHOOSECOLORA* pcc)
{
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
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
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
