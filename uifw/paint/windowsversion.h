// The Windows family flags and the version text, worked out from what GetVersionExA answers.
// A pure function of the version record, so every platform the program knows can be shown
// without running on it.
#pragma once
#include "afxwin.h"

enum WindowsFamilyFlag : WORD {
    kWinWin32s = 1 << 0,
    kWin9x = 1 << 1,
    kWin95 = 1 << 2,
    kWin98 = 1 << 3,
    kWin9xAbove40 = 1 << 4,
    kWinNT = 1 << 5,
    kWinNT4 = 1 << 6,
    kWin2000 = 1 << 7,
    kWinXP = 1 << 8,
    kWinNT4OrLater = 1 << 9,
    kWinNT5OrLater = 1 << 10,
    kWinNTAbove50 = 1 << 11,
};

// The family flags of the record; strText receives "<name> v.<major>.<minor> (build <n>) <sp>".
WORD ComputeWindowsFamily(const OSVERSIONINFOA& vi, CString& strText);
