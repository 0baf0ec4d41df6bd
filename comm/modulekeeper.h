// Where extension DLLs are mapped and let go: the connections in extended mode, the DLL
// choice's probes and the extension-DLL page (each through a CPluginDll holder), and the
// starter of connections all go through one keeper of the process.
//
// Under Wine, a connection's wait for comm events runs on a thread of Wine's own that ends
// without leaving the loader's list of threads. Mapping a DLL that has thread-local storage
// (every DLL built with MinGW has it) makes the loader walk that list; once such a thread has
// ended, the walk reaches freed memory, the load faults or never returns, and the program
// stops answering (a DLL choice that probes the DLL never shows). Loading a DLL that is
// mapped already only takes a reference. So under Wine the keeper keeps every module it
// mapped until the program ends, and the program has it map, before its first connection,
// every DLL it may load later: those of its own folder, which the DLL choice lists, and those
// the start-up set names. From the first connection on it maps nothing afresh: a DLL that
// could not be mapped before (one missing a DLL it needs, say) or that came later is then
// refused as if it could not be loaded, and waits for the program's next start.
//
// On Windows nothing is kept: a module stays mapped while a holder has it, so each
// connection loads its DLL afresh and frees it at its end, and a probe leaves no DLL mapped
// and no file in use.
#pragma once

#include "afxwin.h"

#include <atomic>
#include <mutex>
#include <vector>

class CModuleKeeper
{
public:
    explicit CModuleKeeper(bool bKeepMapped);
    // Lets go of the modules it kept.
    ~CModuleKeeper();
    CModuleKeeper(const CModuleKeeper&) = delete;
    CModuleKeeper& operator=(const CModuleKeeper&) = delete;

    bool KeepsMapped() const { return m_bKeepMapped; }

    // LoadLibraryA. When keeping, a module that it had not kept yet gets one reference more,
    // held until the keeper goes, so that the holder's Free never unmaps it; once fresh maps
    // are over, only a module mapped already is given (NULL with ERROR_MOD_NOT_FOUND else).
    HMODULE Load(LPCSTR pszPath);
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
    const bool m_bKeepMapped;
    std::atomic<bool> m_bFreshMapsOver;
    std::mutex m_lock;
    std::vector<HMODULE> m_kept;
};

// Whether the program runs under Wine (ntdll has Wine's own exports).
bool RunningUnderWine();

// The process's keeper: it keeps modules when running under Wine. It is never destroyed; the
// process's end unmaps what it kept.
CModuleKeeper& GetExtensionModules();
