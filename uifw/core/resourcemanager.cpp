#include "resourcemanager.h"

#include "bitmaputil.h"

#include <vector>

IMPLEMENT_DYNCREATE(CUiResourceManager, CObject)

namespace {

const WORD kLangIdFallback = 0x0409;
const WORD kLangIdSystemDefault = 0x0800;

// Accelerator entry as a resource stores it.
struct AccelResourceEntry {
    WORD fFlags;
    WORD wKey;
    WORD wCmd;
    WORD wPadding;
};

struct LanguageSearch {
    WORD wWanted;
    bool bFound;
};

BOOL CALLBACK MatchLanguage(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
{
    LanguageSearch* pSearch = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage != pSearch->wWanted)
        return TRUE;
    pSearch->bFound = true;
    return FALSE;
}

// The resource in exactly this language. The platform's own language lookup falls back to
// other languages, which would make the caller report a language the resource lacks.
HRSRC FindExactLanguage(HINSTANCE hModule, LPCSTR lpszType, LPCSTR lpszName, WORD wLangId)
{
    LanguageSearch search = {wLangId, false};
    ::EnumResourceLanguagesA(hModule, lpszType, lpszName, MatchLanguage, reinterpret_cast<LONG_PTR>(&search));
    return search.bFound ? ::FindResourceExA(hModule, lpszType, lpszName, wLangId) : NULL;
}

void Report(WORD* pwLangIdOut, WORD wLangId, HINSTANCE* phModuleOut, HINSTANCE hModule)
{
    if (pwLangIdOut != NULL)
        *pwLangIdOut = wLangId;
    if (phModuleOut != NULL)
        *phModuleOut = hModule;
}

// Entry nIndex of a string-table block: its characters and their count, read only inside
// the block. False when the block ends first.
bool StringTableEntry(const ResourceBuffer& block, UINT nIndex, const WCHAR*& pChars, WORD& nChars)
{
    const BYTE* pData = block.GetData();
    const DWORD nSize = block.GetSize();
    DWORD nPos = 0;
    for (UINT i = 0;; i++) {
        if (nSize < sizeof(WORD) || nPos > nSize - sizeof(WORD))
            return false;
        const WORD nCount = (WORD)(pData[nPos] | (pData[nPos + 1] << 8));
        nPos += sizeof(WORD);
        if ((DWORD)nCount * sizeof(WCHAR) > nSize - nPos)
            return false;
        if (i == nIndex) {
            pChars = reinterpret_cast<const WCHAR*>(pData + nPos);
            nChars = nCount;
            return true;
        }
        nPos += (DWORD)nCount * sizeof(WCHAR);
    }
}

// The platform's own loader in the resource module, for the choice off.
template <class Handle, class Loader>
Handle LoadFromResourceModule(Loader load, LPCSTR lpszName, HINSTANCE* phModuleOut)
{
    HINSTANCE hModule = AfxGetResourceHandle();
    Handle handle = load(hModule, lpszName);
    if (handle != NULL)
        Report(NULL, 0, phModuleOut, hModule);
    return handle;
}

struct HolderSlot {
    CUiResourceManager* pManager = NULL;
    ~HolderSlot() { delete pManager; }
};

HolderSlot& Holder()
{
    static HolderSlot slot;
    return slot;
}

} // namespace

CUiResourceManager::CUiResourceManager(bool bAllowCustomLang, WORD wLangIdDesired)
    : m_nFlags(bAllowCustomLang ? kCustomLang : 0), m_wLangIdDesired(wLangIdDesired)
{
}

CUiResourceManager::~CUiResourceManager()
{
}

bool CUiResourceManager::IsCustomLangAllowed() const
{
    return (m_nFlags & kCustomLang) != 0;
}

BYTE CUiResourceManager::AllowCustomLang(bool bAllow)
{
    const BYTE nOld = m_nFlags;
    m_nFlags = (BYTE)(bAllow ? m_nFlags | kCustomLang : m_nFlags & ~kCustomLang);
    return nOld;
}

WORD CUiResourceManager::GetLangIdDesired() const
{
    return m_wLangIdDesired;
}

WORD CUiResourceManager::SetLangIdDesired(WORD wLangId)
{
    m_wLangIdDesired = wLangId;
    return wLangId;
}

WORD CUiResourceManager::GetLangIdNeutral() const
{
    return kLangIdFallback;
}

int CUiResourceManager::GetLocaleInfo(LCTYPE lcType, LPSTR lpszBuffer, int cchBuffer)
{
    if (IsCustomLangAllowed()) {
        for (const WORD wLangId : {m_wLangIdDesired, kLangIdFallback}) {
            const int n = ::GetLocaleInfoA(MAKELCID(wLangId, SORT_DEFAULT), lcType, lpszBuffer, cchBuffer);
            if (n != 0)
                return n;
        }
    }
    for (const LCID lcid : {(LCID)LOCALE_SYSTEM_DEFAULT, (LCID)LOCALE_USER_DEFAULT, (LCID)0}) {
        const int n = ::GetLocaleInfoA(lcid, lcType, lpszBuffer, cchBuffer);
        if (n != 0)
            return n;
    }
    return 0;
}

HINSTANCE CUiResourceManager::FindResourceHandle(LPCSTR lpszType, LPCSTR lpszName, WORD wLangId, WORD* pwLangIdOut,
                                                 HRSRC* phResourceOut)
{
    Report(pwLangIdOut, kLangIdFallback, NULL, NULL);
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hResource = NULL;
    if (IsCustomLangAllowed()) {
        hResource = FindExactLanguage(hModule, lpszType, lpszName, wLangId);
        if (hResource != NULL)
            Report(pwLangIdOut, wLangId, NULL, NULL);
    } else {
        hResource = ::FindResourceA(hModule, lpszName, lpszType);
    }
    if (phResourceOut != NULL)
        *phResourceOut = hResource;
    return hResource != NULL ? hModule : NULL;
}

HINSTANCE CUiResourceManager::FindResourceHandle(LPCSTR lpszType, LPCSTR lpszName, WORD wLangIdDesired,
                                                 WORD wLangIdFallback, WORD* pwLangIdOut, HRSRC* phResourceOut)
{
    HINSTANCE hModule = FindResourceHandle(lpszType, lpszName, wLangIdDesired, pwLangIdOut, phResourceOut);
    if (hModule == NULL && IsCustomLangAllowed() && wLangIdFallback != wLangIdDesired)
        hModule = FindResourceHandle(lpszType, lpszName, wLangIdFallback, pwLangIdOut, phResourceOut);
    return hModule;
}

HINSTANCE CUiResourceManager::FindResourceHandle(LPCSTR lpszType, LPCSTR lpszName, WORD* pwLangIdOut,
                                                 HRSRC* phResourceOut)
{
    return FindResourceHandle(lpszType, lpszName, m_wLangIdDesired, kLangIdFallback, pwLangIdOut, phResourceOut);
}

bool CUiResourceManager::LoadResourceBuffer(ResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName, WORD wLangId,
                                            WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    buffer.Free();
    Report(pwLangIdOut, kLangIdFallback, phModuleOut, NULL);
    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hResource = IsCustomLangAllowed() ? FindExactLanguage(hModule, lpszType, lpszName, wLangId)
                                            : ::FindResourceExA(hModule, lpszType, lpszName, kLangIdSystemDefault);
    if (hResource == NULL || !buffer.LoadFromResource(hModule, hResource))
        return false;
    Report(pwLangIdOut, IsCustomLangAllowed() ? wLangId : kLangIdFallback, phModuleOut, hModule);
    return true;
}

bool CUiResourceManager::LoadResourceBuffer(ResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                            WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                                            HINSTANCE* phModuleOut)
{
    if (LoadResourceBuffer(buffer, lpszType, lpszName, wLangIdDesired, pwLangIdOut, phModuleOut))
        return true;
    return IsCustomLangAllowed() && wLangIdFallback != wLangIdDesired &&
           LoadResourceBuffer(buffer, lpszType, lpszName, wLangIdFallback, pwLangIdOut, phModuleOut);
}

bool CUiResourceManager::LoadResourceBuffer(ResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                            WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadResourceBuffer(buffer, lpszType, lpszName, m_wLangIdDesired, kLangIdFallback, pwLangIdOut,
                              phModuleOut);
}

bool CUiResourceManager::LoadString(CString& strText, UINT nId, WORD wLangIdDesired, WORD wLangIdFallback,
                                    WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    if (!IsCustomLangAllowed()) {
        Report(pwLangIdOut, kLangIdFallback, phModuleOut, NULL);
        if (!strText.LoadString(nId))
            return false;
        Report(NULL, 0, phModuleOut, AfxGetResourceHandle());
        return true;
    }
    ResourceBuffer block;
    if (!LoadResourceBuffer(block, RT_STRING, MAKEINTRESOURCEA(LOWORD(nId) / 16 + 1), wLangIdDesired,
                            wLangIdFallback, pwLangIdOut, phModuleOut))
        return false;
    const WCHAR* pChars = NULL;
    WORD nChars = 0;
    if (!StringTableEntry(block, nId % 16, pChars, nChars))
        return false;
    if (nChars != 0)
        strText = CString(pChars, nChars);
    return true;
}

bool CUiResourceManager::LoadString(CString& strText, UINT nId, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadString(strText, nId, m_wLangIdDesired, kLangIdFallback, pwLangIdOut, phModuleOut);
}

bool CUiResourceManager::LoadMenuByName(CMenu* pMenu, LPCSTR lpszName, WORD wLangIdDesired, WORD wLangIdFallback,
                                        WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    Report(pwLangIdOut, kLangIdFallback, phModuleOut, NULL);
    if (pMenu == NULL)
        return false;
    if (pMenu->m_hMenu != NULL)
        pMenu->DestroyMenu();
    HMENU hMenu = NULL;
    if (IsCustomLangAllowed()) {
        ResourceBuffer menu;
        if (LoadResourceBuffer(menu, RT_MENU, lpszName, wLangIdDesired, wLangIdFallback, pwLangIdOut, phModuleOut) &&
            menu.GetData() != NULL)
            hMenu = ::LoadMenuIndirectA(menu.GetData());
    } else {
        hMenu = LoadFromResourceModule<HMENU>(::LoadMenuA, lpszName, phModuleOut);
    }
    return hMenu != NULL && pMenu->Attach(hMenu);
}

bool CUiResourceManager::LoadMenu(CMenu* pMenu, UINT nId, WORD wLangIdDesired, WORD wLangIdFallback,
                                  WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadMenuByName(pMenu, MAKEINTRESOURCEA(LOWORD(nId)), wLangIdDesired, wLangIdFallback, pwLangIdOut,
                          phModuleOut);
}

bool CUiResourceManager::LoadMenu(CMenu* pMenu, UINT nId, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadMenuByName(pMenu, MAKEINTRESOURCEA(LOWORD(nId)), m_wLangIdDesired, kLangIdFallback, pwLangIdOut,
                          phModuleOut);
}

bool CUiResourceManager::LoadMenu(CMenu* pMenu, LPCSTR lpszName, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadMenuByName(pMenu, lpszName, m_wLangIdDesired, kLangIdFallback, pwLangIdOut, phModuleOut);
}

HACCEL CUiResourceManager::LoadAcceleratorsByName(LPCSTR lpszName, WORD wLangIdDesired, WORD wLangIdFallback,
                                                  WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    Report(pwLangIdOut, kLangIdFallback, phModuleOut, NULL);
    if (!IsCustomLangAllowed())
        return LoadFromResourceModule<HACCEL>(::LoadAcceleratorsA, lpszName, phModuleOut);
    ResourceBuffer table;
    if (!LoadResourceBuffer(table, RT_ACCELERATOR, lpszName, wLangIdDesired, wLangIdFallback, pwLangIdOut,
                            phModuleOut))
        return NULL;
    // Whole entries only; the last one carries the end mark (0x80) in its flags.
    const AccelResourceEntry* pEntries = reinterpret_cast<const AccelResourceEntry*>(table.GetData());
    const DWORD nEntries = table.GetSize() / sizeof(AccelResourceEntry);
    if (nEntries == 0)
        return NULL;
    std::vector<ACCEL> accels(nEntries);
    for (DWORD i = 0; i < nEntries; i++) {
        accels[i].fVirt = (BYTE)(pEntries[i].fFlags & 0x7F);
        accels[i].key = pEntries[i].wKey;
        accels[i].cmd = pEntries[i].wCmd;
    }
    return ::CreateAcceleratorTableA(accels.data(), (int)nEntries);
}

HACCEL CUiResourceManager::LoadAccelerators(UINT nId, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                                            HINSTANCE* phModuleOut)
{
    return LoadAcceleratorsByName(MAKEINTRESOURCEA(LOWORD(nId)), wLangIdDesired, wLangIdFallback, pwLangIdOut,
                                  phModuleOut);
}

HACCEL CUiResourceManager::LoadAccelerators(UINT nId, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadAcceleratorsByName(MAKEINTRESOURCEA(LOWORD(nId)), m_wLangIdDesired, kLangIdFallback, pwLangIdOut,
                                  phModuleOut);
}

HACCEL CUiResourceManager::LoadAccelerators(LPCSTR lpszName, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadAcceleratorsByName(lpszName, m_wLangIdDesired, kLangIdFallback, pwLangIdOut, phModuleOut);
}

HBITMAP CUiResourceManager::LoadBitmapByName(LPCSTR lpszName, WORD wLangIdDesired, WORD wLangIdFallback,
                                             WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    Report(pwLangIdOut, kLangIdFallback, phModuleOut, NULL);
    if (!IsCustomLangAllowed())
        return LoadFromResourceModule<HBITMAP>(::LoadBitmapA, lpszName, phModuleOut);
    HRSRC hResource = NULL;
    HINSTANCE hModule =
        FindResourceHandle(RT_BITMAP, lpszName, wLangIdDesired, wLangIdFallback, pwLangIdOut, &hResource);
    if (hModule == NULL)
        return NULL;
    HBITMAP hBitmap = LoadBitmapFromResource(hModule, hResource);
    if (hBitmap != NULL)
        Report(NULL, 0, phModuleOut, hModule);
    return hBitmap;
}

HBITMAP CUiResourceManager::LoadBitmap(UINT nId, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                                       HINSTANCE* phModuleOut)
{
    return LoadBitmapByName(MAKEINTRESOURCEA(LOWORD(nId)), wLangIdDesired, wLangIdFallback, pwLangIdOut,
                            phModuleOut);
}

HBITMAP CUiResourceManager::LoadBitmap(UINT nId, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadBitmapByName(MAKEINTRESOURCEA(LOWORD(nId)), m_wLangIdDesired, kLangIdFallback, pwLangIdOut,
                            phModuleOut);
}

HBITMAP CUiResourceManager::LoadBitmap(LPCSTR lpszName, WORD* pwLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadBitmapByName(lpszName, m_wLangIdDesired, kLangIdFallback, pwLangIdOut, phModuleOut);
}

CUiResourceManager* ResourceManagerHolder::GetResourceManager()
{
    HolderSlot& slot = Holder();
    if (slot.pManager == NULL)
        slot.pManager = new CUiResourceManager(false, kLangIdFallback);
    return slot.pManager;
}

void ResourceManagerHolder::InstallResourceManager(CUiResourceManager* pManager)
{
    HolderSlot& slot = Holder();
    if (pManager == slot.pManager && pManager != NULL)
        return;
    delete slot.pManager;
    slot.pManager = pManager != NULL ? pManager : new CUiResourceManager(false, kLangIdFallback);
}
