// System DLLs that only some commands need (the file and colour dialogs, shell services,
// sounds) are loaded when one of their functions is first called, not when the program
// starts: under Wine every DLL loaded at start costs a hundred server requests or more.
//
// Calls of these functions go through their import slots (__imp__Name@N, the headers
// declare them imported). This file defines the slots itself, each pointing first to a
// resolver that loads the DLL, puts the real function into the slot and calls it; from then
// on calls go straight to the function. A function not listed here is imported as usual.
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

FARPROC DelayedProc(const char* pszDll, const char* pszName)
{
    HMODULE hModule = ::LoadLibraryA(pszDll);
    FARPROC pfn = hModule != NULL ? ::GetProcAddress(hModule, pszName) : NULL;
    if (pfn == NULL)
        ::RaiseException(ERROR_PROC_NOT_FOUND, EXCEPTION_NONCONTINUABLE, 0, NULL);
    return pfn;
}

} // namespace

// The slot's name is the one the compiler calls through: "__imp__" + name + "@" + bytes of
// arguments (the i386 stdcall decoration). The function's own name is defined too, as a jump
// through the slot: an initialiser that takes the function's address refers to that name.
#define DELAYED_IMPORT(dll, ret, name, bytes, params, args)                                              \
    extern "C" ret(WINAPI* g_imp_##name) params __asm__("__imp__" #name "@" #bytes);                  \
    static ret WINAPI Resolve_##name params                                                            \
    {                                                                                                  \
        g_imp_##name = reinterpret_cast<ret(WINAPI*) params>(DelayedProc(dll, #name));                 \
        return g_imp_##name args;                                                                      \
    }                                                                                                  \
    ret(WINAPI* g_imp_##name) params = Resolve_##name;                                                 \
    extern "C" ret WINAPI Through_##name params __asm__("_" #name "@" #bytes);                          \
    ret WINAPI Through_##name params                                                                   \
    {                                                                                                  \
        return g_imp_##name args;                                                                      \
    }

DELAYED_IMPORT("comdlg32.dll", BOOL, ChooseColorA, 4, (LPCHOOSECOLORA p), (p))
DELAYED_IMPORT("comdlg32.dll", BOOL, GetOpenFileNameA, 4, (LPOPENFILENAMEA p), (p))
DELAYED_IMPORT("comdlg32.dll", BOOL, GetSaveFileNameA, 4, (LPOPENFILENAMEA p), (p))

DELAYED_IMPORT("shell32.dll", void, DragAcceptFiles, 8, (HWND h, BOOL b), (h, b))
DELAYED_IMPORT("shell32.dll", void, DragFinish, 4, (HDROP h), (h))
DELAYED_IMPORT("shell32.dll", UINT, DragQueryFileA, 16, (HDROP h, UINT i, LPSTR s, UINT n), (h, i, s, n))
DELAYED_IMPORT("shell32.dll", LPITEMIDLIST, SHBrowseForFolderA, 4, (LPBROWSEINFOA p), (p))
DELAYED_IMPORT("shell32.dll", DWORD_PTR, SHGetFileInfoA, 20,
               (LPCSTR s, DWORD a, SHFILEINFOA* p, UINT n, UINT f), (s, a, p, n, f))
DELAYED_IMPORT("shell32.dll", BOOL, SHGetPathFromIDListA, 8, (LPCITEMIDLIST p, LPSTR s), (p, s))
DELAYED_IMPORT("shell32.dll", HINSTANCE, ShellExecuteA, 24,
               (HWND h, LPCSTR o, LPCSTR f, LPCSTR a, LPCSTR d, INT n), (h, o, f, a, d, n))
DELAYED_IMPORT("shell32.dll", BOOL, Shell_NotifyIconA, 8, (DWORD m, PNOTIFYICONDATAA p), (m, p))

DELAYED_IMPORT("winmm.dll", BOOL, PlaySoundA, 12, (LPCSTR s, HMODULE h, DWORD f), (s, h, f))
