// The framework's bar window classes: registered once per process, asking GetClassInfo
// first, so a class another part registered under the same name is used as it is.
#pragma once
#include "afxwin.h"

// Double clicks, global, DefWindowProc, the arrow cursor, no background, no menu.
bool RegisterBarWindowClassOnce(LPCSTR lpszClassName, bool& bRegistered);
