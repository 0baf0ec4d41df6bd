// The one process-wide registry of command profiles. Profiles are found by name (a null or
// empty name is "default", which exists from the start); windows are bound to profiles, and
// a window that is not bound itself uses the profile of its nearest bound ancestor. The
// manager owns the profiles; the window map only points at them.
//
// Every operation holds the manager's lock (re-entrant, so an operation may call another)
// for its whole work on the maps and on the profile it calls into. A missing profile makes
// an operation give false, null or nothing.
#pragma once

#include "afxwin.h"
#include "afxmt.h"
#include "afxtempl.h"

#include "cmdicon.h"
#include "cmditem.h"
#include "cmdprofile.h"

class CUiCmdManager
{
public:
    CUiCmdManager();
    virtual ~CUiCmdManager();

    virtual void CmdRemoveAll(LPCSTR lpszProfile);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual void OnDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    // Installs pProfile (or a new profile) under the name unless one of that name exists; the
    // manager owns pProfile from the call on and deletes it when it is not used. With a
    // window, then binds it.
    bool ProfileInstall(LPCSTR lpszProfile, HWND hWnd = NULL, CUiCmdProfile* pProfile = NULL);
    // A window bound already keeps its profile (true).
    bool ProfileBindWindow(LPCSTR lpszProfile, HWND hWnd);
    // With bDeleteWhenLast the profile goes with its last window (*pbDeleted then true).
    bool ProfileReleaseWindow(HWND hWnd, bool bDeleteWhenLast = false, bool* pbDeleted = NULL);
    CUiCmdProfile* ProfileFindByName(LPCSTR lpszProfile = NULL);
    // The window's profile, or its nearest bound ancestor's; NULL when none.
    CUiCmdProfile* ProfileFindByWindow(HWND hWnd);

    bool CmdSetup(LPCSTR lpszProfile, const CUiCmdItem& cmdTemplate, bool bReplace = false, bool* pbNew = NULL);
    bool CmdRemove(LPCSTR lpszProfile, UINT nCmdId, bool* pbRemoved = NULL);
    bool CmdRemoveByMask(LPCSTR lpszProfile, DWORD dwMask, bool bExact = false);
    CUiCmdItem* CmdAllocPtr(LPCSTR lpszProfile, UINT nCmdId = 0);
    CUiCmdItem* CmdGetPtr(LPCSTR lpszProfile, UINT nCmdId);
    // NULL removes the icon; without bCopy the handle is consumed, also when it is not used.
    bool CmdSetIcon(LPCSTR lpszProfile, UINT nCmdId, HICON hIcon, bool bCopy);
    CUiCmdIcon* CmdGetIconPtr(LPCSTR lpszProfile, UINT nCmdId);
    bool UpdateFromMenu(LPCSTR lpszProfile, HMENU hMenu, bool bReplace = false, bool bRecursive = true,
                        bool bLoadTips = true);
    bool ProfileLoadMenu(LPCSTR lpszProfile, UINT nMenuId, bool bReplace = false, bool bLoadTips = true);
    // Only the low 16 bits of nToolBarId name the resource; *ppIds is freed with delete[].
    bool ProfileLoadToolBar(LPCSTR lpszProfile, UINT nToolBarId, UINT** ppIds = NULL, int* pnCount = NULL,
                            bool bReplace = false, bool bLoadTips = true, COLORREF clrTransparent = RGB(192, 192, 192));
    bool ProfileLoadToolBarEx(LPCSTR lpszProfile, UINT nToolBarId, UINT** ppIds = NULL, int* pnCount = NULL,
                              bool bReplace = false, bool bLoadTips = true,
                              COLORREF clrTransparent = RGB(192, 192, 192));
    bool ProfileMarkCommands(LPCSTR lpszProfile, const UINT* pIds, bool bOn = true);
    bool ProfilePersist(LPCSTR lpszProfile, LPCSTR lpszCompanyKey, LPCSTR lpszProductKey, bool bSave);

protected:
    static CString ProfileName(LPCSTR lpszProfile);
    // Calls fn(profile) for every profile under the lock.
    template <class Fn> void ForEachProfile(Fn fn)
    {
        CSingleLock lock(&m_lock, TRUE);
        POSITION pos = m_profilesByName.GetStartPosition();
        while (pos != NULL) {
            CString strName;
            void* pProfile;
            m_profilesByName.GetNextAssoc(pos, strName, pProfile);
            fn(static_cast<CUiCmdProfile*>(pProfile));
        }
    }

    CMapStringToPtr m_profilesByName;
    CMap<HWND, HWND, CUiCmdProfile*, CUiCmdProfile*> m_profilesByWindow;
    CCriticalSection m_lock;

private:
    CUiCmdManager(const CUiCmdManager&) = delete;
    CUiCmdManager& operator=(const CUiCmdManager&) = delete;
};

class CmdManagerHolder
{
public:
    // Made on first use, deleted at exit.
    static CUiCmdManager* GetStoredHandle();

    // The system notifications as a bar received them: passed to the manager only from the
    // window that relays them for its frame, so each change reaches the profiles once per
    // frame. 0 from any other window.
    static LRESULT OnSysColorChange(CWnd* pWnd);
    static LRESULT OnSettingChange(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection);
    static LRESULT OnDisplayChange(CWnd* pWnd, INT nBitsPerPixel, INT cx, INT cy);
    static LRESULT OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
};

// While true, command prompts go to the first pane of the frame's status bar instead of to
// the frame as WM_SETMESSAGESTRING.
extern bool g_bUiCommandTips;
