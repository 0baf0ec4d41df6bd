#include "shellopen.h"

#include <shellapi.h>

namespace {
ShellExecuteProc g_pfnShellExecute = ::ShellExecuteA;
} // namespace

const char kSupportPageAddress[] = "https://www.example.com/korvane/";

ShellExecuteProc SetShellExecuteProc(ShellExecuteProc pfn)
{
    const ShellExecuteProc old = g_pfnShellExecute;
    g_pfnShellExecute = pfn != NULL ? pfn : ::ShellExecuteA;
    return old;
}

void OpenSupportPage(HWND hOwner)
{
    g_pfnShellExecute(hOwner, "open", kSupportPageAddress, NULL, NULL, SW_SHOWNORMAL);
}
