// The application object, the start-up sequence and the library's WinMain. WinMain lives in
// this file, beside the CWinApp constructor, so every program with an application object
// links it.
#include "afxwin.h"
#include "afxres.h"
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = NULL;
HINSTANCE g_hResource = NULL;

char* DupString(LPCSTR psz)
{
    return psz == NULL ? NULL : _strdup(psz);
}

void FreeString(LPCSTR& psz)
{
    free((void*)psz);
    psz = NULL;
}
} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(DupString(lpszAppName)), m_hInstance(NULL), m_hPrevInstance(NULL), m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_pszExeName(NULL),
      m_pszHelpFilePath(NULL)
{
    g_pApp = this;
    m_bAutoDelete = FALSE;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
    SetCurrentHandles();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && ::IsWindow(m_pMainWnd->m_hWnd))
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp::~CWinApp()
{
    FreeString(m_pszAppName);
    FreeString(m_pszRegistryKey);
    FreeString(m_pszProfileName);
    FreeString(m_pszExeName);
    FreeString(m_pszHelpFilePath);
    delete m_pRecentFileList;
    if (g_pApp == this)
        g_pApp = NULL;
}

void CWinApp::SetCurrentHandles()
{
    if (m_hInstance == NULL)
        m_hInstance = ::GetModuleHandleA(NULL);

    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(m_hInstance, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        szPath[0] = '\0';
    CString strPath(szPath);

    if (m_pszHelpFilePath == NULL) {
        int nDot = strPath.ReverseFind('.');
        CString strHelp = (nDot > strPath.ReverseFind('\\') ? strPath.Left(nDot) : strPath) + ".HLP";
        m_pszHelpFilePath = DupString(strHelp);
    }

    CString strExe = strPath.Mid(strPath.ReverseFind('\\') + 1);
    int nDot = strExe.ReverseFind('.');
    if (nDot >= 0)
        strExe = strExe.Left(nDot);
    if (m_pszExeName == NULL)
        m_pszExeName = DupString(strExe);
    if (m_pszProfileName == NULL)
        m_pszProfileName = DupString(strExe + ".INI");
    if (m_pszAppName == NULL) {
        CString strTitle;
        if (strTitle.LoadString(m_hInstance, AFX_IDS_APP_TITLE) && !strTitle.IsEmpty())
            m_pszAppName = DupString(strTitle);
        else
            m_pszAppName = DupString(m_pszExeName);
    }
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const { return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName); }
HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(NULL, lpszIconName); }
HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const { return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName); }
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(NULL, lpszCursorName); }

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    // Without a main window there is nothing to keep the loop alive.
    if (m_pMainWnd == NULL)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    FreeString(m_pszRegistryKey);
    m_pszRegistryKey = DupString(lpszRegistryKey);
    FreeString(m_pszProfileName);
    m_pszProfileName = DupString(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

// ---------------------------------------------------------------------------------------

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    if (g_pApp != NULL && g_pApp->m_hInstance != NULL)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hResource != NULL ? g_hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

LPCSTR AFXAPI AfxGetAppName()
{
    return g_pApp != NULL ? g_pApp->m_pszAppName : "";
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = ::GetCurrentThread();
    pApp->m_nThreadID = ::GetCurrentThreadId();
    pApp->SetCurrentHandles();
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (!pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        // A main window left half-built by the failed start goes away before the exit.
        if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->m_hWnd != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

HCURSOR AFXAPI AfxGetContextHelpCursor()
{
    return ::LoadCursorA(NULL, MAKEINTRESOURCEA(32651));   // IDC_HELP
}
