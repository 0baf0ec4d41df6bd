#include "modulekeeper.h"

#include "conversions.h"
#include "dllimports.h"
#include "plugindll.h"

#include <cstdlib>
#include <cstring>

namespace {

// The folder under the system's temporary folder that holds each keeper's copy folder.
const char kCopiesFolder[] = "korvane-dlls";
// The file that a keeper holds open in its copy folder, sharing nothing, while it lives.
const char kInUseName[] = "in-use";

bool IsBareName(LPCSTR pszPath)
{
    return std::strpbrk(pszPath, "\\/:") == NULL;
}

bool FileExists(LPCSTR pszPath)
{
    const DWORD dwAttributes = GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ProcessRuns(DWORD dwProcessId)
{
    HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, dwProcessId);
    if (hProcess == NULL)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool bRuns = WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT;
    CloseHandle(hProcess);
    return bRuns;
}

// Removes the files of a folder and, one level down, of its subfolders, then the folders. A
// file still mapped stays, and so does its folder.
void RemoveFolder(const CString& strFolder, bool bSubfolders)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strFolder + "\\*", &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const CString strPath = strFolder + "\\" + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(strPath);
            else if (bSubfolders && std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
                RemoveFolder(strPath, false);
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(strFolder);
}

// The copy folders that no live keeper holds: those whose in-use file can be deleted (left by
// a Wine server that ended before its processes did), the empty ones (the system removed the
// copies and the in-use file as the keeper's process ended) and those of earlier builds, which
// held no such file, once their process has ended. A folder that a keeper has just made and
// not yet marked may go too: its keeper then makes another.
void RemoveLeftFolders(const CString& strBase)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strBase + "\\*", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == '.')
            continue;
        const CString strFolder = strBase + "\\" + found.cFileName;
        if (DeleteFileA(strFolder + "\\" + kInUseName)) {
            RemoveFolder(strFolder, true);
            continue;
        }
        if (GetLastError() != ERROR_FILE_NOT_FOUND || RemoveDirectoryA(strFolder))
            continue;
        // No process but this one has its id now.
        const DWORD dwProcessId = std::strtoul(found.cFileName, NULL, 10);
        if (dwProcessId != 0 && (dwProcessId == GetCurrentProcessId() || !ProcessRuns(dwProcessId)))
            RemoveFolder(strFolder, true);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

CString FileNameOf(const CString& strPath)
{
    return strPath.Mid(strPath.ReverseFind('\\') + 1);
}

// The file that the loader maps for a DLL that another imports, when it lies where a user's
// DLLs lie: the program's folder, which the loader looks into first, or the working folder,
// which it looks into after the system's folders. Empty for any other DLL.
CString HelperSource(const CString& strName)
{
    if (!IsBareName(strName))
        return CString();
    const CString strBeside = GetAppDirectory() + strName;
    if (FileExists(strBeside))
        return strBeside;
    char szFolder[MAX_PATH];
    for (UINT(WINAPI * pFolder)(LPSTR, UINT) : {GetSystemDirectoryA, GetWindowsDirectoryA}) {
        const UINT n = pFolder(szFolder, sizeof(szFolder));
        if (n > 0 && n < sizeof(szFolder) && FileExists(CString(szFolder) + "\\" + strName))
            return CString();
    }
    const DWORD n = GetCurrentDirNoSlash(sizeof(szFolder), szFolder);
    const CString strHere = CString(szFolder) + "\\" + strName;
    return n > 0 && n < sizeof(szFolder) && FileExists(strHere) ? strHere : CString();
}

// Copies the file to the path and opens the copy for its deletion once the handle is closed
// and no one maps it. NULL when either fails.
HANDLE CopyToDelete(const CString& strSource, const CString& strCopy)
{
    if (!CopyFileA(strSource, strCopy, TRUE))
        return NULL;
    // A read-only file would refuse to be deleted.
    SetFileAttributesA(strCopy, FILE_ATTRIBUTE_NORMAL);
    HANDLE hCopy = CreateFileA(strCopy, DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                               FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (hCopy != INVALID_HANDLE_VALUE)
        return hCopy;
    DeleteFileA(strCopy);
    return NULL;
}

} // namespace

CModuleKeeper::CModuleKeeper(bool bKeepMapped) : m_bKeepMapped(bKeepMapped), m_bFreshMapsOver(false), m_hInUse(NULL)
{
}

CModuleKeeper::~CModuleKeeper()
{
    for (const Kept& kept : m_kept)
        FreeLibrary(kept.hModule);
    // A copy goes once no one else has it mapped.
    for (const Kept& kept : m_kept) {
        if (kept.hCopy != NULL)
            CloseHandle(kept.hCopy);
    }
    if (m_hInUse != NULL)
        CloseHandle(m_hInUse);
    for (size_t i = m_folders.size(); i-- > 0;)
        RemoveDirectoryA(m_folders[i]);
}

HMODULE CModuleKeeper::Load(LPCSTR pszPath)
{
    return Load(pszPath, m_bFreshMapsOver);
}

HMODULE CModuleKeeper::LoadAtStartUp(LPCSTR pszPath)
{
    return Load(pszPath, false);
}

HMODULE CModuleKeeper::Load(LPCSTR pszPath, bool bFreshMapsOver)
{
    if (!m_bKeepMapped)
        return LoadLibraryA(pszPath);
    if (pszPath == NULL || *pszPath == '\0') {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return NULL;
    }
    std::lock_guard<std::mutex> hold(m_lock);
    const CString strSource = SourceOf(pszPath);
    HMODULE hModule = NULL;
    if (const Kept* pKept = Find(strSource)) {
        // A reference taken from the module itself: no search by name, which could find
        // another file.
        if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(pKept->hModule),
                               &hModule))
            return hModule;
        return NULL;
    }
    // The loader gives a module of that bare name that is mapped already, from wherever; and
    // a module mapped from the DLL's own file is the one the process uses.
    const bool bByName = IsBareName(pszPath) && GetModuleHandleExA(0, pszPath, &hModule);
    if (bByName || (!strSource.IsEmpty() && GetModuleHandleExA(0, strSource, &hModule))) {
        if (!bFreshMapsOver && !Holds(hModule))
            Add(bByName ? CString() : strSource, hModule, NULL);
        return hModule;
    }
    if (bFreshMapsOver) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return NULL;
    }
    if (strSource.IsEmpty()) {
        // No such file: the loader says why, or finds what it finds by that name.
        hModule = LoadLibraryA(pszPath);
        if (hModule != NULL)
            Add(CString(), hModule, NULL);
        return hModule;
    }
    return MapCopy(strSource);
}

CString CModuleKeeper::SourceOf(LPCSTR pszPath) const
{
    char szFull[MAX_PATH];
    if (!IsBareName(pszPath)) {
        const DWORD n = GetFullPathNameA(pszPath, sizeof(szFull), szFull, NULL);
        return n == 0 || n >= sizeof(szFull) ? CString(pszPath) : CString(szFull);
    }
    // The program's folder is where the loader looks first, and where the DLL choice lists
    // the DLLs whose bare names the sets hold. A DLL kept from there stays found when its file
    // is gone.
    const CString strBeside = GetAppDirectory() + pszPath;
    if (Find(strBeside) != NULL || FileExists(strBeside))
        return strBeside;
    const DWORD n = SearchPathA(NULL, pszPath, NULL, sizeof(szFull), szFull, NULL);
    return n == 0 || n >= sizeof(szFull) ? CString() : CString(szFull);
}

const CModuleKeeper::Kept* CModuleKeeper::Find(const CString& strSource) const
{
    if (strSource.IsEmpty())
        return NULL;
    for (const Kept& kept : m_kept) {
        if (kept.strSource.CompareNoCase(strSource) == 0)
            return &kept;
    }
    return NULL;
}

bool CModuleKeeper::Holds(HMODULE hModule) const
{
    for (const Kept& kept : m_kept) {
        if (kept.hModule == hModule)
            return true;
    }
    return false;
}

HMODULE CModuleKeeper::MapCopy(const CString& strSource)
{
    std::vector<Copy> copies;
    bool bImportsRead = false;
    auto discard = [&copies] {
        for (const Copy& copy : copies)
            CloseHandle(copy.hCopy);
        copies.clear();
    };
    const CString strFolder = CopyFolder();
    // The copies keep their files' names; a name met twice (two folders' DLLs) gets a
    // subfolder.
    for (int n = 0; !strFolder.IsEmpty() && n < 100; ++n) {
        CString strIn = strFolder;
        if (n > 0) {
            strIn.Format("%s\\%d", static_cast<LPCSTR>(strFolder), n);
            if (CreateDirectoryA(strIn, NULL))
                m_folders.push_back(strIn);
        }
        const CopyResult result = CopyWithHelpers(strSource, strIn, copies, bImportsRead);
        if (result == CopiedAll)
            break;
        discard();
        if (result == CopyFailed)
            break;
    }
    // Without copies (no temporary folder, no room, no such file), the file itself, as before
    // copies were made: the loader then also says why a missing file fails. A copy whose
    // imports are unknown has its helpers found where the DLL's own file would.
    HMODULE hModule = copies.empty() ? LoadLibraryA(strSource)
                                     : LoadLibraryExA(copies[0].strCopy, NULL,
                                                      bImportsRead ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
    if (hModule == NULL) {
        const DWORD dwError = GetLastError();
        discard();
        SetLastError(dwError);
        return NULL;
    }
    for (size_t i = 0; i < copies.size(); ++i) {
        // A helper that the loader did not map (one whose import it found otherwise) goes.
        HMODULE hMapped = i == 0 ? hModule : GetModuleHandleA(copies[i].strCopy);
        if (hMapped != NULL)
            Add(copies[i].strSource, hMapped, copies[i].hCopy);
        else
            CloseHandle(copies[i].hCopy);
    }
    if (copies.empty())
        Add(strSource, hModule, NULL);
    return hModule;
}

CModuleKeeper::CopyResult CModuleKeeper::CopyWithHelpers(const CString& strSource, const CString& strFolder,
                                                         std::vector<Copy>& copies, bool& bImportsRead)
{
    std::vector<CString> sources(1, strSource);
    for (size_t i = 0; i < sources.size(); ++i) {
        const CString strCopy = strFolder + "\\" + FileNameOf(sources[i]);
        if (FileExists(strCopy))
            return NameTaken;
        HANDLE hCopy = CopyToDelete(sources[i], strCopy);
        if (hCopy == NULL)
            return CopyFailed;
        copies.push_back(Copy{sources[i], strCopy, hCopy});
        // The table of the copy, which is what is mapped: the DLL's own file may change meanwhile.
        std::vector<CString> imports;
        const bool bRead = ReadDllImportsOfFile(strCopy, imports);
        if (i == 0)
            bImportsRead = bRead;
        for (const CString& strName : imports) {
            bool bListed = false;
            for (const CString& strListed : sources)
                bListed = bListed || FileNameOf(strListed).CompareNoCase(strName) == 0;
            // The loader takes a module of that name that is mapped already, from wherever.
            if (bListed || GetModuleHandleA(strName) != NULL)
                continue;
            const CString strHelper = HelperSource(strName);
            if (!strHelper.IsEmpty())
                sources.push_back(strHelper);
        }
    }
    return CopiedAll;
}

void CModuleKeeper::Add(const CString& strSource, HMODULE hModule, HANDLE hCopy)
{
    HMODULE hKept = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(hModule), &hKept);
    // Without a reference of its own (which the system never refuses for a mapped module) the
    // module is not found again; its copy still goes at the process's end.
    m_kept.push_back(Kept{hKept != NULL ? strSource : CString(), hKept, hCopy});
}

CString CModuleKeeper::CopyFolder()
{
    if (!m_strFolder.IsEmpty())
        return m_strFolder;
    char szTemp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof(szTemp), szTemp);
    if (n == 0 || n >= sizeof(szTemp))
        return CString();
    CString strBase(szTemp);
    if (strBase.Right(1) != "\\")
        strBase += "\\";
    strBase += kCopiesFolder;
    CreateDirectoryA(strBase, NULL);
    RemoveLeftFolders(strBase);
    for (int i = 0; i < 1000; ++i) {
        CString strFolder;
        strFolder.Format("%s\\%lu-%d", static_cast<LPCSTR>(strBase), GetCurrentProcessId(), i);
        if (!CreateDirectoryA(strFolder, NULL))
            continue;
        // Another keeper's start may have taken the folder, still unmarked, for a left one.
        HANDLE hInUse = CreateFileA(strFolder + "\\" + kInUseName, DELETE, 0, NULL, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, NULL);
        if (hInUse == INVALID_HANDLE_VALUE) {
            RemoveDirectoryA(strFolder);
            continue;
        }
        m_hInUse = hInUse;
        m_strFolder = strFolder;
        m_folders.push_back(strFolder);
        break;
    }
    return m_strFolder;
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
