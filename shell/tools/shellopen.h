// Opening an address through the system's shell. The call goes through one replaceable
// function, so tests see what would be opened without a browser starting.
#pragma once

#include "afxwin.h"

typedef HINSTANCE(WINAPI* ShellExecuteProc)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Installs the function that opens (NULL restores the system's ShellExecuteA) and returns
// the one it replaces.
ShellExecuteProc SetShellExecuteProc(ShellExecuteProc pfn);

// The support web page, as the About box shows it.
extern const char kSupportPageAddress[];

// Opens the support web page with the verb "open", shown normally.
void OpenSupportPage(HWND hOwner);
