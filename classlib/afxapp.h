// Threads and the application object.
//
// CWinThread wraps a thread of the process: a worker thread runs a plain function
// (AfxBeginThread(proc, param, priority)); a thread object with its own InitInstance/Run is
// started with CreateThread. By default the object deletes itself when its thread ends.
//
// CWinApp is the one global application object of the program: its constructor registers
// it, the start-up code (AfxWinMain) calls InitInstance, then Run, then ExitInstance. It
// keeps the profile: with a registry key set (SetRegistryKey) the profile lives in
// HKCU\Software\<key>\<profile name>\<section>, else in an .INI file beside the program.
//
// With windows: Run is the thread's message loop. Each message is first offered to the
// PreTranslateMessage of its window and of each parent up to the main window; when the queue
// is empty, OnIdle updates the command state of the frames and their bars
// (WM_IDLEUPDATECMDUI) and then frees the temporary objects of the handle maps.
//
// Every message box, file dialog, colour dialog and folder browser of the program goes
// through one replaceable prompt hook (CPromptHook), so that tests can see what was asked
// and give the answer without a window. Whatever window owns it, the whole program waits for
// it: the owner's top-level window is disabled for its time (CPromptModality).
#pragma once
#include "afx.h"
#include "afxwnd.h"


// String resource with the application's title (the default application name).
#define AFX_IDS_APP_TITLE 0xE000
class CWinThread;
class CWinApp;

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    virtual ~CWinThread();

    // Starts the thread (suspended with CREATE_SUSPENDED); FALSE when it cannot start.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;
    MSG m_msgCur;

    operator HANDLE() const { return m_hThread; }

    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The thread's main window, else the application's (a worker thread sees the frame).
    virtual CWnd* GetMainWnd();

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Runs the ON_THREAD_MESSAGE handler of a message without a window; FALSE when none.
    BOOL DispatchThreadMessageEx(MSG* pMsg);
    virtual int ExitInstance();
    // Deletes the object when m_bAutoDelete is set; called as the thread ends.
    virtual void Delete();

    void CommonConstruct();
};

// Starts a worker thread running pfnThreadProc(pParam); NULL when it cannot start.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Starts a thread object of a dynamically creatable CWinThread class.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread (started by AfxBeginThread) with nExitCode.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The CWinThread of the calling thread: its own object, or the application on the main thread.
CWinThread* AFXAPI AfxGetThread();

// ---------------------------------------------------------------------------------------

// The recently used files of the File menu: full paths, the newest first.
class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the path first; an equal path (case ignored) moves up instead of repeating.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name shown for entry nIndex: the path relative to lpszCurDir when it lies inside
    // it, else the whole path; FALSE (and an empty name) for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;

private:
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    virtual ~CWinApp();

    LPCSTR m_pszAppName;
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszRegistryKey;
    LPCSTR m_pszProfileName;
    LPCSTR m_pszExeName;
    LPCSTR m_pszHelpFilePath;
    BOOL m_bHelpMode = FALSE;   // context help (Shift+F1) is running
    CRecentFileList* m_pRecentFileList = nullptr;   // owned; null without a File menu list

    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;

    // Profile. Entries read default values when missing or of the wrong type.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = NULL);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // *ppData is allocated with new BYTE[]; the caller delete[]s it. FALSE (and NULL, 0)
    // when the entry is missing.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // The wait cursor (nCode 1 begins, -1 ends, 0 restores it after a dialog).
    virtual void DoWaitCursor(int nCode);
    // Kept for code written for older versions of the library: these do nothing today.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // Shows a message box through the prompt hook with the application's name as caption.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Puts the profile under HKCU\Software\<key>\<profile name> (the key text or a string
    // resource id). Frees the .INI profile name and takes m_pszAppName as profile name.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    // HKCU\Software\<key>\<profile name>, created when missing; NULL without a registry key.
    // The caller closes the key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);
    // Deletes a key with all its subkeys.
    static LONG DelRegTree(HKEY hParentKey, const CString& strKeyName);

    // Fills in the instance handle and the names from the module (the constructor already
    // did, so the names are there even when the program's own WinMain never ran).
    void SetCurrentHandles();

    // ID_APP_EXIT: the main window is asked to close, as its caption's close button asks it.
    afx_msg void OnAppExit();
    DECLARE_MESSAGE_MAP()
};

// The entries of one profile section read with the section's key opened once, where each
// GetProfileInt and GetProfileString opens the whole key path again; the values and
// defaults are the same as theirs.
class CProfileSectionReader
{
public:
    CProfileSectionReader(CWinApp* pApp, LPCSTR lpszSection);
    ~CProfileSectionReader();
    CProfileSectionReader(const CProfileSectionReader&) = delete;
    CProfileSectionReader& operator=(const CProfileSectionReader&) = delete;

    UINT GetInt(LPCSTR lpszEntry, int nDefault);
    CString GetString(LPCSTR lpszEntry, LPCSTR lpszDefault = NULL);

private:
    CWinApp* m_pApp;
    CString m_strSection;
    HKEY m_hKey;
};

CWinApp* AFXAPI AfxGetApp();
// The cursor of context help (Shift+F1): the arrow with the question mark.
HCURSOR AFXAPI AfxGetContextHelpCursor();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
LPCSTR AFXAPI AfxGetAppName();
// The main window of the calling thread, else of the application.
CWnd* AFXAPI AfxGetMainWnd();

// Start-up: the library's WinMain calls this; a program defines no WinMain of its own.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// ---------------------------------------------------------------------------------------
// The prompt hook: every message box and common dialog of the program passes through it. The
// default shows the system's box or dialog. A test installs its own to record and answer.

class CPromptHook {
public:
    virtual ~CPromptHook() {}
    virtual int MessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
    // The file open (bOpen) or save dialog; IDOK with the choice in *pofn, or IDCANCEL.
    virtual INT_PTR FileDialog(BOOL bOpen, OPENFILENAMEA* pofn);
    // The colour dialog; IDOK with the colour in pcc->rgbResult, or IDCANCEL.
    virtual INT_PTR ColorDialog(CHOOSECOLORA* pcc);
    // The shell's folder browser (BIF_ flags); TRUE with the chosen folder's path.
    virtual BOOL BrowseForFolder(HWND hWndOwner, LPCSTR lpszTitle, UINT ulFlags, CString& strFolder);
};

// Installs a hook (NULL restores the default) and returns the one it replaces.
CPromptHook* AFXAPI AfxSetPromptHook(CPromptHook* pHook);
CPromptHook* AFXAPI AfxGetPromptHook();
// The window that owns a prompt shown now: the last active popup of the calling thread's
// active top-level window; NULL when the thread has none.
HWND AFXAPI AfxGetPromptOwner();

// Held for the time of a prompt whose owner is given: the top-level window above the owner is
// disabled when it is another window than the owner and enabled, and enabled again at the end,
// when the owner gets the activation back. A box owned by a floating frame disables only that
// frame; the main frame above it, and with it every other floating frame, would go on taking
// clicks and keys, so that a second prompt could open or the first fall behind. Message boxes,
// the common dialogs and the folder browser hold one; a modal CDialog disables the same window
// through PreModal.
class CPromptModality {
public:
    explicit CPromptModality(HWND hWndOwner);
    ~CPromptModality();
    CPromptModality(const CPromptModality&) = delete;
    CPromptModality& operator=(const CPromptModality&) = delete;

private:
    HWND m_hWndOwner; // the owner's top-level window
    HWND m_hWndTop;   // the window disabled for the prompt's time, NULL when none was
};

// Kept for code written for the library: ActiveX control containment is not supported and
// this does nothing.
inline void AFXAPI AfxEnableControlContainer() {}

// The pre-translate walk of the calling thread (its CWinThread's PreTranslateMessage).
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
// One message of the calling thread's loop; FALSE on WM_QUIT.
BOOL AFXAPI AfxPumpMessage();
// The message a loop has just peeked and chosen to pass on, and nothing else: input that came
// in front of a peeked paint or timer meanwhile stays queued for the loop to judge. FALSE on
// WM_QUIT.
BOOL AFXAPI AfxPumpPeekedMessage(const MSG& peeked);
// Sends WM_IDLEUPDATECMDUI to the visible frames of this thread other than pSkip.
void AFXAPI AfxIdleUpdateFrames(CWnd* pSkip);

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
