#include "scriptdlls.h"

#include "conversions.h"
#include "modulekeeper.h"

#include <cstring>

namespace {

// "GetModuleName": 0 when the name of function number nIndex was written into the buffer.
typedef int(__cdecl* GetModuleNameProc)(char* pszBuffer, int nSize, int nIndex);

// A DLL that never answers "no more" would hold the start-up forever; no real list is longer.
const int kMaxFunctionsPerDll = 4096;

} // namespace

CPluginDllList::CPluginDllList()
{
}

CPluginDllList::~CPluginDllList()
{
    Clear();
}

void CPluginDllList::Clear()
{
    for (Entry* pEntry : m_entries) {
        GetExtensionModules().Free(pEntry->hModule);
        delete pEntry;
    }
    m_entries.clear();
}

void CPluginDllList::LoadFolder(LPCSTR pszFolder)
{
    CString strPattern;
    strPattern.Format("%s\\*.dll", pszFolder);
    WIN32_FIND_DATAA find;
    HANDLE hFind = FindFirstFileA(strPattern, &find);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (find.cFileName[0] == '.' || (find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        CString strPath;
        strPath.Format("%s\\%s", pszFolder, find.cFileName);
        Entry* pEntry = LoadOne(strPath);
        if (pEntry)
            m_entries.push_back(pEntry);
    } while (FindNextFileA(hFind, &find));
    FindClose(hFind);
}

CPluginDllList::Entry* CPluginDllList::LoadOne(const CString& strPath)
{
    HMODULE hModule = GetExtensionModules().LoadAtStartUp(strPath);
    if (!hModule)
        return NULL;
    GetModuleNameProc pGetName = reinterpret_cast<GetModuleNameProc>(GetProcAddress(hModule, "GetModuleName"));
    if (!pGetName) {
        GetExtensionModules().Free(hModule);
        return NULL;
    }

    Entry* pEntry = new Entry;
    pEntry->hModule = hModule;
    pEntry->strPath = strPath;
    for (int nIndex = 0; nIndex < kMaxFunctionsPerDll; ++nIndex) {
        char szName[kNameSize];
        std::memset(szName, 0, sizeof(szName));
        if (pGetName(szName, kNameSize, nIndex) != 0)
            break;
        // The DLL's own buffer handling cuts long names; make sure the name ends in the buffer.
        szName[kNameSize - 1] = '\0';
        FARPROC pfn = GetProcAddress(hModule, szName);
        if (!pfn)
            continue;
        Function function;
        std::memset(&function, 0, sizeof(function));
        std::strcpy(function.szName, szName);
        function.pfn = reinterpret_cast<lua_CFunction>(pfn);
        pEntry->functions.push_back(function);
    }
    if (pEntry->functions.empty()) {
        GetExtensionModules().Free(hModule);
        delete pEntry;
        return NULL;
    }
    return pEntry;
}

void CPluginDllList::RegisterAll(lua_State* L) const
{
    for (const Entry* pEntry : m_entries) {
        for (const Function& function : pEntry->functions) {
            lua_pushcclosure(L, function.pfn, 0);
            lua_setfield(L, LUA_GLOBALSINDEX, function.szName);
        }
    }
}

CPluginDllList& GetScriptDllList()
{
    static CPluginDllList s_list;
    return s_list;
}

void LoadScriptDlls()
{
    char szFolder[MAX_PATH];
    if (GetCurrentDirNoSlash(sizeof(szFolder), szFolder) == 0)
        return;
    GetScriptDllList().LoadFolder(szFolder);
}
