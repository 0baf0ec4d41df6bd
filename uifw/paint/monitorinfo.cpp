#include "monitorinfo.h"

#include <mutex>
#include <vector>

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

// The space between two spans on one axis, 0 where they overlap.
LONGLONG Gap(LONG a1, LONG a2, LONG b1, LONG b2)
{
    if (a2 <= b1)
        return (LONGLONG)b1 - a2 + 1;
    if (b2 <= a1)
        return (LONGLONG)a1 - b2 + 1;
    return 0;
}

// Every question about a monitor costs Wine a look at the display's configuration (a fifth of
// a millisecond, twice for a monitor's work area), and layout asks a hundred times in a start
// and on every move of a drag. The monitors are listed once and again after a display or
// setting change, and at the latest a second later should no such message come.
class MonitorList
{
public:
    bool Find(MonitorInfo& info, const RECT& rcAsked)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bKnown || ::GetTickCount() - m_dwListed > kMaxAgeMs)
            List();
        if (m_monitors.empty())
            return false;
        info = PickMonitor(m_monitors.data(), m_monitors.size(), rcAsked);
        return true;
    }

    void Forget()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bKnown = false;
    }

private:
    static const DWORD kMaxAgeMs = 1000;

    static BOOL CALLBACK Add(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
    {
        MonitorInfo info;
        FromMonitor(info, hMonitor);
        reinterpret_cast<std::vector<MonitorInfo>*>(lParam)->push_back(info);
        return TRUE;
    }

    void List()
    {
        m_monitors.clear();
        ::EnumDisplayMonitors(NULL, NULL, Add, reinterpret_cast<LPARAM>(&m_monitors));
        m_dwListed = ::GetTickCount();
        m_bKnown = true;
    }

    std::mutex m_mutex;
    std::vector<MonitorInfo> m_monitors;
    DWORD m_dwListed = 0;
    bool m_bKnown = false;
};

MonitorList& Monitors()
{
    static MonitorList* s_pList = new MonitorList;
    return *s_pList;
}

} // namespace

MonitorInfo PickMonitor(const MonitorInfo* pMonitors, size_t nCount, const RECT& rcAsked)
{
    // A point or an empty rectangle counts as its first pixel.
    RECT rc = rcAsked;
    if (rc.right <= rc.left || rc.bottom <= rc.top) {
        rc.right = rc.left + 1;
        rc.bottom = rc.top + 1;
    }
    const MonitorInfo* pBest = nullptr;
    LONGLONG nBestArea = 0;
    for (size_t i = 0; i < nCount; i++) {
        RECT rcShared;
        if (!::IntersectRect(&rcShared, &rc, &pMonitors[i].rcMonitor))
            continue;
        const LONGLONG nArea = (LONGLONG)(rcShared.right - rcShared.left) * (rcShared.bottom - rcShared.top);
        if (nArea > nBestArea) {
            nBestArea = nArea;
            pBest = &pMonitors[i];
        }
    }
    if (pBest != nullptr)
        return *pBest;
    LONGLONG nBestDistance = -1;
    for (size_t i = 0; i < nCount; i++) {
        const RECT& m = pMonitors[i].rcMonitor;
        const LONGLONG dx = Gap(rc.left, rc.right, m.left, m.right);
        const LONGLONG dy = Gap(rc.top, rc.bottom, m.top, m.bottom);
        const LONGLONG nDistance = dx * dx + dy * dy;
        if (nBestDistance < 0 || nDistance < nBestDistance) {
            nBestDistance = nDistance;
            pBest = &pMonitors[i];
        }
    }
    return pBest != nullptr ? *pBest : MonitorInfo();
}

void SetMonitorInfoSource(MonitorInfoSource pfnSource)
{
    g_pfnSource = pfnSource;
}

void ForgetMonitors()
{
    Monitors().Forget();
}

void MonitorInfoFromPoint(MonitorInfo& info, POINT pt)
{
    const RECT rc = {pt.x, pt.y, pt.x + 1, pt.y + 1};
    if (g_pfnSource != nullptr) {
        g_pfnSource(info, rc);
        return;
    }
    if (!Monitors().Find(info, rc))
        FromMonitor(info, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

void MonitorInfoFromRect(MonitorInfo& info, const RECT& rc)
{
    if (g_pfnSource != nullptr) {
        g_pfnSource(info, rc);
        return;
    }
    if (!Monitors().Find(info, rc))
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
