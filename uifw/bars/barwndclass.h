// The framework's bar window classes: registered once per process, asking GetClassInfo
// first, so a class another part registered under the same name is used as it is. And the
// one road by which the bar windows pass the system's notifications on.
#pragma once
#include "afxwin.h"

// Double clicks, global, DefWindowProc, the arrow cursor, no background, no menu.
bool RegisterBarWindowClassOnce(LPCSTR lpszClassName, bool& bRegistered);

// Passes WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_DISPLAYCHANGE or WM_THEMECHANGED with its
// values to the paint manager's and the command manager's relays; other messages are ignored.
void RelaySystemChange(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// The window's rectangle and its client rectangle, both in window coordinates (the window's
// top-left corner at 0, 0): what a non-client painter works with.
void GetNonClientRects(CWnd* pWnd, CRect& rcWindow, CRect& rcClient);
