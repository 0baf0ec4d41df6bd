// The monitor nearest a point, rectangle or window: its rectangle, its work area and whether
// it is the primary one; without the monitor functions, the desktop and the system work area.
#pragma once
#include "afxwin.h"

struct MonitorInfo {
    RECT rcMonitor = {};
    RECT rcWork = {};
    DWORD dwFlags = 0;   // bit 0: primary monitor
};

// Tests answer every query with monitors of their own (null: the real ones again); the
// function gets the rectangle asked about (a point as a 1 x 1 rectangle, a window as its
// window rectangle).
typedef void (*MonitorInfoSource)(MonitorInfo& info, const RECT& rc);
void SetMonitorInfoSource(MonitorInfoSource pfnSource);

// The monitors are listed anew at the next query: after a display or work area change.
void ForgetMonitors();

// Of nCount monitors, the one the system gives a rectangle: the one sharing the most area with
// it (a point or empty rectangle counting as its first pixel), else the nearest.
MonitorInfo PickMonitor(const MonitorInfo* pMonitors, size_t nCount, const RECT& rc);

void MonitorInfoFromPoint(MonitorInfo& info, POINT pt);
void MonitorInfoFromRect(MonitorInfo& info, const RECT& rc);
void MonitorInfoFromHwnd(MonitorInfo& info, HWND hWnd);
void MonitorInfoFromWindow(MonitorInfo& info, CWnd* pWnd);

// Moves (never resizes) rc so that it is not wholly outside the monitor nearest it, or with
// bKeepInside so that no edge sticks out.
CRect FitRectToMonitor(const RECT& rc, BOOL bUseWorkArea, BOOL bKeepInside);
