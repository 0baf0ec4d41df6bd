// Script DLLs: DLLs of the working folder whose functions become globals of every script.
//
// At start-up every DLL of the working folder is loaded and asked, through its export
// "GetModuleName" (buffer, size 128, index; C calling convention), for the names of its
// functions, index 0, 1, 2, ... until it answers non-zero. Each listed name that the DLL also
// exports becomes a function record; a name it does not export is left out, so no script can
// call through a missing address. A DLL that lists no usable function is let go again, which
// under Wine leaves it mapped until the program ends, as the keeper keeps everything. The
// list is filled on the main thread before any connection starts and only read afterwards, so
// it takes no lock; the DLLs stay loaded until the list is destroyed at exit. They are mapped
// through the process's module keeper (modulekeeper.h): under Wine it maps copies of its own
// and keeps them mapped, so that nothing done to a DLL's file changes the functions scripts
// call.
//
// Each listed function is a Lua C function: it works on the calling connection's Lua state,
// with the one Lua of lua51.dll that the program and the DLLs share.
#pragma once

#include "afxwin.h"

#include "luaapi.h"

#include <vector>

class CPluginDllList
{
public:
    static const int kNameSize = 128;

    struct Function
    {
        char szName[kNameSize];     // zero-terminated
        lua_CFunction pfn;
    };

    struct Entry
    {
        HMODULE hModule;
        CString strPath;            // folder + "\" + file name
        std::vector<Function> functions;
    };

    CPluginDllList();
    ~CPluginDllList();
    CPluginDllList(const CPluginDllList&) = delete;
    CPluginDllList& operator=(const CPluginDllList&) = delete;

    // Loads every DLL of the folder (given without a trailing backslash) that lists functions,
    // appending an entry per DLL in the order the folder search finds them. Names beginning
    // with "." and folders are skipped.
    void LoadFolder(LPCSTR pszFolder);

    // Unloads every DLL and empties the list.
    void Clear();

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const Entry& GetEntry(int nIndex) const { return *m_entries[static_cast<size_t>(nIndex)]; }

    // Sets every function as a global of the state, in list order and, within a DLL, in the
    // order of its records, so a later name replaces an earlier global of that name. Raises a
    // Lua error only when Lua runs out of memory; call it in protected mode.
    void RegisterAll(lua_State* L) const;

private:
    static Entry* LoadOne(const CString& strPath);

    std::vector<Entry*> m_entries;
};

// The program's one list of script DLLs.
CPluginDllList& GetScriptDllList();

// The start-up loader: fills the list from the working folder (the current directory).
void LoadScriptDlls();
