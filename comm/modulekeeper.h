// Where extension DLLs and script DLLs are mapped and let go: the connections in extended mode,
// the DLL choice's probes and the extension-DLL page (each through a CPluginDll holder), the
// script-DLL list and the starter of connections all go through one keeper of the process.
//
// Under Wine, a connection's wait for comm events runs on a thread of Wine's own that ends
// without leaving the loader's list of threads. Mapping a DLL that has thread-local storage
// (every DLL built with MinGW has it) makes the loader walk that list; once such a thread has
// ended, the walk reaches freed memory, the load faults or never returns, and the program
// stops answering (a DLL choice that probes the DLL never shows). Loading a DLL that is
// mapped already only takes a reference. So under Wine the keeper keeps every module it
// mapped until the program ends, and the program has it map, before its first connection,
// every DLL it may load later: those of its own folder, which the DLL choice lists, the script
// DLLs of the working folder, and those the start-up set names. From the first connection on
// it maps nothing afresh: a DLL that could not be mapped before (one missing a DLL it needs,
// say) or that came later is then refused as if it could not be loaded, and waits for the
// program's next start.
//
// Under Wine the keeper maps a copy of the DLL that it made itself, not the DLL's own file.
// Wine maps the pages of a DLL that lie at page boundaries of its file straight from the file,
// and Linux programs ignore the share modes that keep Windows programs from writing to a
// mapped DLL: a `cp` of a new build over the file (the same file, new bytes) changed the code
// and data of the running DLL, which crashed at its next call or at the next thread's start.
// Nothing outside the program knows the copy, so nothing done to the DLL's file changes what
// runs; the build the program mapped stays until its next start, as every DLL mapped under
// Wine does anyway. The same holds for the DLLs it imports that the loader would map from the
// program's folder or the working folder, its helpers: the keeper reads the import table of
// each copy, copies those helpers (and theirs) beside it, and maps the copy with the loader
// looking into the copy's folder instead of the program's, so that the helpers are mapped from
// their copies. A helper mapped already (lua51.dll, one copied for an earlier DLL) is the one
// the loader takes by its name, and is not copied again; DLLs of the system's folders and of
// the path are mapped from their own files.
//
// Each copy lies under its own file name in a folder of the keeper under the system's
// temporary folder ("korvane-dlls\<process id>-<n>"), held by a handle that deletes it when
// the handle goes: the system removes the copies when the process ends, however it ends. The
// keeper holds a file in its folder open without sharing while it lives; the next keeper to
// make a folder removes every folder that no live keeper holds so, whatever process id the
// folder was named by (a fresh Wine session gives the program the same one at every start). A
// DLL asking for its own module's file name gets the copy's; the DLLs' documents say where to
// look instead. A module the process has mapped already from the DLL's own file (the program's
// lua51.dll, say) is taken as it is: a copy would be a second module with state of its own.
//
// On Windows nothing is kept or copied: the system refuses to write into a mapped DLL's file,
// a module stays mapped while a holder has it, so each connection loads its DLL afresh and
// frees it at its end, and a probe leaves no DLL mapped and no file in use.
#pragma once

#include "afxwin.h"

#include <atomic>
#include <mutex>
#include <vector>

class CModuleKeeper
{
public:
    explicit CModuleKeeper(bool bKeepMapped);
    // Lets go of the modules it kept; the copies it made go with them.
    ~CModuleKeeper();
    CModuleKeeper(const CModuleKeeper&) = delete;
    CModuleKeeper& operator=(const CModuleKeeper&) = delete;

    bool KeepsMapped() const { return m_bKeepMapped; }

    // LoadLibraryA, or, when keeping, a copy's LoadLibraryA: a DLL it had not kept yet is
    // copied, mapped and given one reference more, held until the keeper goes, so that the
    // holder's Free never unmaps it; a DLL kept already (named by the same path, or by its
    // bare name for the program's folder) is given again, even when its file has gone since,
    // and so is a module mapped already from the DLL's file or, for a bare name, one of that
    // name, as the loader gives it. Once fresh maps are over, only a module mapped already is
    // given (NULL with ERROR_MOD_NOT_FOUND else).
    HMODULE Load(LPCSTR pszPath);
    // Load without the end of fresh maps, for the script DLLs, which the start-up maps once,
    // before any connection, and never again.
    HMODULE LoadAtStartUp(LPCSTR pszPath);
    // When keeping: nothing is mapped afresh from now on. Called before a connection starts.
    void EndFreshMaps() { m_bFreshMapsOver = m_bKeepMapped; }
    // FreeLibrary of a handle that Load gave.
    void Free(HMODULE hModule);

    // When keeping: maps the DLL at pszPath (nothing for an empty path or a DLL that cannot be
    // loaded), or every DLL of pszFolder (ending with a backslash), and keeps it. Nothing
    // otherwise.
    void Keep(LPCSTR pszPath);
    void KeepFolder(LPCSTR pszFolder);

private:
    struct Kept
    {
        CString strSource;      // the DLL's own file, a full path
        HMODULE hModule;
        HANDLE hCopy;           // deletes the copy once closed and unmapped; NULL when not a copy
    };

    HMODULE Load(LPCSTR pszPath, bool bFreshMapsOver);
    // The full path that LoadLibraryA would map for pszPath: a bare name is looked for in the
    // program's folder first, as the loader does.
    CString SourceOf(LPCSTR pszPath) const;
    const Kept* Find(const CString& strSource) const;
    bool Holds(HMODULE hModule) const;
    struct Copy
    {
        CString strSource;
        CString strCopy;
        HANDLE hCopy;           // deletes the copy once closed and unmapped
    };
    enum CopyResult
    {
        CopiedAll,
        NameTaken,              // a file of one of the names lies in the folder
        CopyFailed,
    };

    // Maps a copy of the file with copies of its helpers, or when no copy can be made the file
    // itself, and keeps them. Called with the lock held.
    HMODULE MapCopy(const CString& strSource);
    // Copies the DLL into the folder, then each helper of a copy; bImportsRead tells whether
    // the DLL's import table could be read.
    static CopyResult CopyWithHelpers(const CString& strSource, const CString& strFolder, std::vector<Copy>& copies,
                                      bool& bImportsRead);
    // Adds the module with a reference of the keeper's own. Called with the lock held.
    void Add(const CString& strSource, HMODULE hModule, HANDLE hCopy);
    CString CopyFolder();

    const bool m_bKeepMapped;
    std::atomic<bool> m_bFreshMapsOver;
    std::mutex m_lock;
    std::vector<Kept> m_kept;
    CString m_strFolder;            // the keeper's copy folder, made at its first copy
    HANDLE m_hInUse;                // held open in it, sharing nothing, while the keeper lives
    std::vector<CString> m_folders; // it and the subfolders made for names met twice
};

// Whether the program runs under Wine (ntdll has Wine's own exports).
bool RunningUnderWine();

// The process's keeper: it keeps modules when running under Wine. It is never destroyed; the
// process's end unmaps what it kept.
CModuleKeeper& GetExtensionModules();
