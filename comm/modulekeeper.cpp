#include "modulekeeper.h"

#include <algorithm>

CModuleKeeper::CModuleKeeper(bool bKeepMapped) : m_bKeepMapped(bKeepMapped), m_bFreshMapsOver(false)
{
}

CModuleKeeper::~CModuleKeeper()
{
    for (HMODULE hModule : m_kept)
        FreeLibrary(hModule);
}

HMODULE CModuleKeeper::Load(LPCSTR pszPath)
{
    if (m_bFreshMapsOver) {
        // A reference to what is mapped already, which the loader finds without mapping.
        HMODULE hMapped = NULL;
        if (pszPath == NULL || !GetModuleHandleExA(0, pszPath, &hMapped)) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return NULL;
        }
        return hMapped;
    }
    HMODULE hModule = LoadLibraryA(pszPath);
    if (hModule == NULL || !m_bKeepMapped)
        return hModule;
    std::lock_guard<std::mutex> hold(m_lock);
    if (std::find(m_kept.begin(), m_kept.end(), hModule) == m_kept.end()) {
        // The reference is taken from the module itself: no second search by name, which
        // could find another file.
        HMODULE hKept = NULL;
        if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(hModule), &hKept) &&
            hKept != NULL)
            m_kept.push_back(hKept);
    }
    return hModule;
}

void CModuleKeeper::Free(HMODULE hModule)
{
    if (hModule != NULL)
        FreeLibrary(hModule);
}

void CModuleKeeper::Keep(LPCSTR pszPath)
{
    if (!m_bKeepMapped || pszPath == NULL || *pszPath == '\0')
        return;
    Free(Load(pszPath));
}

void CModuleKeeper::KeepFolder(LPCSTR pszFolder)
{
    if (!m_bKeepMapped || pszFolder == NULL || *pszFolder == '\0')
        return;
    const CString strFolder(pszFolder);
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strFolder + "*.dll", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            Keep(strFolder + found.cFileName);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

bool RunningUnderWine()
{
    HMODULE hNtdll = GetModuleHandleA("ntdll.dll");
    return hNtdll != NULL && GetProcAddress(hNtdll, "wine_get_version") != NULL;
}

CModuleKeeper& GetExtensionModules()
{
    static CModuleKeeper* s_pKeeper = new CModuleKeeper(RunningUnderWine());
    return *s_pKeeper;
}
