#include "cmdmanager.h"

#include "paintmanagerholder.h"

bool g_bUiCommandTips = true;

namespace {

const char kDefaultProfile[] = "default";

struct ManagerSlot {
    CUiCmdManager* pManager = NULL;
    ~ManagerSlot() { delete pManager; }
};

} // namespace

CUiCmdManager* CmdManagerHolder::GetStoredHandle()
{
    static ManagerSlot slot;
    if (slot.pManager == NULL)
        slot.pManager = new CUiCmdManager;
    return slot.pManager;
}

LRESULT CmdManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (PaintManagerHolder::Get().IsThemeRelayWindow(pWnd))
        GetStoredHandle()->OnSysColorChange();
    return 0;
}

LRESULT CmdManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection)
{
    if (PaintManagerHolder::Get().IsThemeRelayWindow(pWnd))
        GetStoredHandle()->OnSettingChange(uFlags, lpszSection);
    return 0;
}

LRESULT CmdManagerHolder::OnDisplayChange(CWnd* pWnd, INT nBitsPerPixel, INT cx, INT cy)
{
    if (PaintManagerHolder::Get().IsThemeRelayWindow(pWnd))
        GetStoredHandle()->OnDisplayChange(nBitsPerPixel, cx, cy);
    return 0;
}

LRESULT CmdManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (PaintManagerHolder::Get().IsThemeRelayWindow(pWnd))
        GetStoredHandle()->OnThemeChanged(wParam, lParam);
    return 0;
}

CUiCmdManager::CUiCmdManager() : m_profilesByName(10), m_profilesByWindow(10)
{
    ProfileInstall(kDefaultProfile);
}

CUiCmdManager::~CUiCmdManager()
{
    CSingleLock lock(&m_lock, TRUE);
    ForEachProfile([](CUiCmdProfile* pProfile) { delete pProfile; });
    m_profilesByName.RemoveAll();
    m_profilesByWindow.RemoveAll();
}

CString CUiCmdManager::ProfileName(LPCSTR lpszProfile)
{
    return (lpszProfile == NULL || *lpszProfile == '\0') ? CString(kDefaultProfile) : CString(lpszProfile);
}

CUiCmdProfile* CUiCmdManager::ProfileFindByName(LPCSTR lpszProfile)
{
    CSingleLock lock(&m_lock, TRUE);
    void* pProfile = NULL;
    if (!m_profilesByName.Lookup(ProfileName(lpszProfile), pProfile))
        return NULL;
    return static_cast<CUiCmdProfile*>(pProfile);
}

CUiCmdProfile* CUiCmdManager::ProfileFindByWindow(HWND hWnd)
{
    CSingleLock lock(&m_lock, TRUE);
    for (; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CUiCmdProfile* pProfile = NULL;
        if (m_profilesByWindow.Lookup(hWnd, pProfile))
            return pProfile;
    }
    return NULL;
}

bool CUiCmdManager::ProfileInstall(LPCSTR lpszProfile, HWND hWnd, CUiCmdProfile* pProfile)
{
    const CString strName = ProfileName(lpszProfile);
    {
        CSingleLock lock(&m_lock, TRUE);
        void* pExisting = NULL;
        if (m_profilesByName.Lookup(strName, pExisting))
            delete pProfile;
        else
            m_profilesByName[strName] = pProfile != NULL ? pProfile : new CUiCmdProfile(strName);
    }
    if (hWnd == NULL)
        return true;
    return ProfileBindWindow(strName, hWnd);
}

bool CUiCmdManager::ProfileBindWindow(LPCSTR lpszProfile, HWND hWnd)
{
    if (hWnd == NULL)
        return false;
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    if (pProfile == NULL)
        return false;
    CUiCmdProfile* pBound = NULL;
    if (!m_profilesByWindow.Lookup(hWnd, pBound))
        m_profilesByWindow[hWnd] = pProfile;
    return true;
}

bool CUiCmdManager::ProfileReleaseWindow(HWND hWnd, bool bDeleteWhenLast, bool* pbDeleted)
{
    if (pbDeleted != NULL)
        *pbDeleted = false;
    if (hWnd == NULL)
        return false;
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = NULL;
    if (!m_profilesByWindow.Lookup(hWnd, pProfile))
        return false;
    m_profilesByWindow.RemoveKey(hWnd);
    if (!bDeleteWhenLast)
        return true;
    POSITION pos = m_profilesByWindow.GetStartPosition();
    while (pos != NULL) {
        HWND hOther;
        CUiCmdProfile* pOther;
        m_profilesByWindow.GetNextAssoc(pos, hOther, pOther);
        if (pOther == pProfile)
            return true;
    }
    pos = m_profilesByName.GetStartPosition();
    while (pos != NULL) {
        CString strName;
        void* pNamed;
        m_profilesByName.GetNextAssoc(pos, strName, pNamed);
        if (pNamed == pProfile) {
            m_profilesByName.RemoveKey(strName);
            break;
        }
    }
    delete pProfile;
    if (pbDeleted != NULL)
        *pbDeleted = true;
    return true;
}

void CUiCmdManager::CmdRemoveAll(LPCSTR lpszProfile)
{
    CSingleLock lock(&m_lock, TRUE);
    if (CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile))
        pProfile->CmdRemoveAll();
}

void CUiCmdManager::OnSysColorChange()
{
    ForEachProfile([&](CUiCmdProfile* pProfile) { pProfile->OnSysColorChange(); });
}

void CUiCmdManager::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    ForEachProfile([&](CUiCmdProfile* pProfile) { pProfile->OnSettingChange(uFlags, lpszSection); });
}

void CUiCmdManager::OnDisplayChange(int nBitsPerPixel, int cx, int cy)
{
    ForEachProfile([&](CUiCmdProfile* pProfile) { pProfile->OnDisplayChange(nBitsPerPixel, cx, cy); });
}

void CUiCmdManager::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    ForEachProfile([&](CUiCmdProfile* pProfile) { pProfile->OnThemeChanged(wParam, lParam); });
}

bool CUiCmdManager::CmdSetup(LPCSTR lpszProfile, const CUiCmdItem& cmdTemplate, bool bReplace, bool* pbNew)
{
    CSingleLock lock(&m_lock, TRUE);
    if (pbNew != NULL)
        *pbNew = false;
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL && pProfile->CmdSetup(cmdTemplate, bReplace, pbNew);
}

bool CUiCmdManager::CmdRemove(LPCSTR lpszProfile, UINT nCmdId, bool* pbRemoved)
{
    CSingleLock lock(&m_lock, TRUE);
    if (pbRemoved != NULL)
        *pbRemoved = false;
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL && pProfile->CmdRemove(nCmdId, pbRemoved);
}

bool CUiCmdManager::CmdRemoveByMask(LPCSTR lpszProfile, DWORD dwMask, bool bExact)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    if (pProfile == NULL)
        return false;
    pProfile->CmdRemoveByMask(dwMask, bExact);
    return true;
}

CUiCmdItem* CUiCmdManager::CmdAllocPtr(LPCSTR lpszProfile, UINT nCmdId)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL ? pProfile->CmdAllocPtr(nCmdId) : NULL;
}

CUiCmdItem* CUiCmdManager::CmdGetPtr(LPCSTR lpszProfile, UINT nCmdId)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL ? pProfile->CmdGetPtr(nCmdId) : NULL;
}

bool CUiCmdManager::CmdSetIcon(LPCSTR lpszProfile, UINT nCmdId, HICON hIcon, bool bCopy)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    if (pProfile == NULL) {
        if (hIcon != NULL && !bCopy)
            ::DestroyIcon(hIcon);
        return false;
    }
    return pProfile->CmdSetIconHandle(nCmdId, hIcon, bCopy);
}

CUiCmdIcon* CUiCmdManager::CmdGetIconPtr(LPCSTR lpszProfile, UINT nCmdId)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL ? pProfile->CmdGetIconPtr(nCmdId) : NULL;
}

bool CUiCmdManager::UpdateFromMenu(LPCSTR lpszProfile, HMENU hMenu, bool bReplace, bool bRecursive,
                                   bool bLoadTips)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL && pProfile->UpdateFromMenu(hMenu, bReplace, bRecursive, bLoadTips);
}

bool CUiCmdManager::ProfileLoadMenu(LPCSTR lpszProfile, UINT nMenuId, bool bReplace, bool bLoadTips)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL && pProfile->UpdateFromMenuResource(nMenuId, bReplace, bLoadTips);
}

bool CUiCmdManager::ProfileLoadToolBar(LPCSTR lpszProfile, UINT nToolBarId, UINT** ppIds, int* pnCount,
                                       bool bReplace, bool bLoadTips, COLORREF clrTransparent)
{
    return ProfileLoadToolBarEx(lpszProfile, LOWORD(nToolBarId), ppIds, pnCount, bReplace, bLoadTips,
                                clrTransparent);
}

bool CUiCmdManager::ProfileLoadToolBarEx(LPCSTR lpszProfile, UINT nToolBarId, UINT** ppIds, int* pnCount,
                                         bool bReplace, bool bLoadTips, COLORREF clrTransparent)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL &&
           pProfile->UpdateFromToolBar(nToolBarId, ppIds, pnCount, bReplace, bLoadTips, clrTransparent);
}

bool CUiCmdManager::ProfileMarkCommands(LPCSTR lpszProfile, const UINT* pIds, bool bOn)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL && pProfile->SetBasicCommands(pIds, bOn);
}

bool CUiCmdManager::ProfilePersist(LPCSTR lpszProfile, LPCSTR lpszCompanyKey, LPCSTR lpszProductKey, bool bSave)
{
    CSingleLock lock(&m_lock, TRUE);
    CUiCmdProfile* pProfile = ProfileFindByName(lpszProfile);
    return pProfile != NULL && pProfile->PersistInRegistry(lpszCompanyKey, lpszProductKey, bSave);
}
