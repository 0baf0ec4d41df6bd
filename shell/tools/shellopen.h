// What the shell asks of the system's shell: opening an address and the notification-area
// icon. Each call goes through one replaceable function, so tests see what would be opened or
// shown without a browser starting or a taskbar present.
#pragma once

#include "afxwin.h"

#include <shellapi.h>

typedef HINSTANCE(WINAPI* ShellExecuteProc)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Installs the function that opens (NULL restores the system's ShellExecuteA) and returns
// the one it replaces.
ShellExecuteProc SetShellExecuteProc(ShellExecuteProc pfn);

// The support web page, as the About box shows it.
extern const char kSupportPageAddress[];

// Opens the support web page with the verb "open", shown normally.
void OpenSupportPage(HWND hOwner);

typedef BOOL(WINAPI* ShellNotifyIconProc)(DWORD, PNOTIFYICONDATAA);

// Installs the function that changes the notification-area icon (NULL restores the system's
// Shell_NotifyIconA) and returns the one it replaces.
ShellNotifyIconProc SetShellNotifyIconProc(ShellNotifyIconProc pfn);

BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pData);
