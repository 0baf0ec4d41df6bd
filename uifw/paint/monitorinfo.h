// The monitor nearest a point, rectangle or window: its rectangle, its work area and whether
// it is the primary one; without the monitor functions, the desktop and the system work area.
#pragma once
#include "afxwin.h"

struct MonitorInfo {
    RECT rcMonitor = {};
    RECT rcWork = {};
    DWORD dwFlags = 0;   // bit 0: primary monitor
};

void MonitorInfoFromPoint(MonitorInfo& info, POINT pt);
void MonitorInfoFromRect(MonitorInfo& info, const RECT& rc);
void MonitorInfoFromHwnd(MonitorInfo& info, HWND hWnd);
void MonitorInfoFromWindow(MonitorInfo& info, CWnd* pWnd);

// Moves (never resizes) rc so that it is not wholly outside the monitor nearest it, or with
// bKeepInside so that no edge sticks out.
CRect FitRectToMonitor(const RECT& rc, BOOL bUseWorkArea, BOOL bKeepInside);
