#include "shellopen.h"

#include <shellapi.h>

namespace {
ShellExecuteProc g_pfnShellExecute = ::ShellExecuteA;
ShellNotifyIconProc g_pfnShellNotifyIcon = ::Shell_NotifyIconA;
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

ShellNotifyIconProc SetShellNotifyIconProc(ShellNotifyIconProc pfn)
{
    const ShellNotifyIconProc old = g_pfnShellNotifyIcon;
    g_pfnShellNotifyIcon = pfn != NULL ? pfn : ::Shell_NotifyIconA;
    return old;
}

BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pData)
{
    return g_pfnShellNotifyIcon(dwMessage, pData);
}
