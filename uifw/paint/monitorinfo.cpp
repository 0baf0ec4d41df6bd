#include "monitorinfo.h"

namespace {

MonitorInfoSource g_pfnSource = nullptr;

void FromMonitor(MonitorInfo& info, HMONITOR hMonitor)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (hMonitor != NULL && ::GetMonitorInfoA(hMonitor, &mi)) {
        info.rcMonitor = mi.rcMonitor;
        info.rcWork = mi.rcWork;
        info.dwFlags = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0;
        return;
    }
    ::GetWindowRect(::GetDesktopWindow(), &info.rcMonitor);
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0))
        info.rcWork = info.rcMonitor;
    info.dwFlags = 1;
}

} // namespace

void SetMonitorInfoSource(MonitorInfoSource pfnSource)
{
    g_pfnSource = pfnSource;
}

void MonitorInfoFromPoint(MonitorInfo& info, POINT pt)
{
    if (g_pfnSource != nullptr) {
        const RECT rc = {pt.x, pt.y, pt.x + 1, pt.y + 1};
        g_pfnSource(info, rc);
        return;
    }
    FromMonitor(info, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

void MonitorInfoFromRect(MonitorInfo& info, const RECT& rc)
{
    if (g_pfnSource != nullptr) {
        g_pfnSource(info, rc);
        return;
    }
    FromMonitor(info, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST));
}

void MonitorInfoFromHwnd(MonitorInfo& info, HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd)) {
        POINT pt = {0, 0};
        if (g_pfnSource != nullptr) {
            MonitorInfoFromPoint(info, pt);
            return;
        }
        FromMonitor(info, ::MonitorFromPoint(pt, MONITOR_DEFAULTTOPRIMARY));
        return;
    }
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    MonitorInfoFromRect(info, rc);
}

void MonitorInfoFromWindow(MonitorInfo& info, CWnd* pWnd)
{
    MonitorInfoFromHwnd(info, pWnd != nullptr ? pWnd->GetSafeHwnd() : NULL);
}

CRect FitRectToMonitor(const RECT& rcIn, BOOL bUseWorkArea, BOOL bKeepInside)
{
    CRect rc(rcIn);
    MonitorInfo info;
    MonitorInfoFromRect(info, rc);
    const CRect m(bUseWorkArea ? info.rcWork : info.rcMonitor);
    if (rc.left >= m.right)
        rc.OffsetRect(m.right - rc.right, 0);
    if (rc.top >= m.bottom)
        rc.OffsetRect(0, m.bottom - rc.bottom);
    if (rc.right <= m.left)
        rc.OffsetRect(m.left - rc.left, 0);
    if (rc.bottom <= m.top)
        rc.OffsetRect(0, m.top - rc.top);
    if (bKeepInside) {
        if (rc.right > m.right)
            rc.OffsetRect(m.right - rc.right, 0);
        if (rc.bottom > m.bottom)
            rc.OffsetRect(0, m.bottom - rc.bottom);
        if (rc.left < m.left)
            rc.OffsetRect(m.left - rc.left, 0);
        if (rc.top < m.top)
            rc.OffsetRect(0, m.top - rc.top);
    }
    return rc;
}
