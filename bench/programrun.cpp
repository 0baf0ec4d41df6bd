#include "programrun.h"

#include "benchkit.h"

#include <psapi.h>

#include <vector>

namespace bench {

namespace {

struct WindowSearch
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisibleTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER) != NULL)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

} // namespace

ProgramRun::ProgramRun(std::string exePath, std::string workFolder)
    : m_exe(std::move(exePath)), m_folder(std::move(workFolder))
{
}

ProgramRun::~ProgramRun()
{
    if (m_pi.hProcess) {
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_pi.hProcess, 99);
            WaitForSingleObject(m_pi.hProcess, 10000);
        }
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }
}

bool ProgramRun::Start()
{
    std::string command = "\"" + m_exe + "\"";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    m_launch = Now();
    return CreateProcessA(m_exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si,
                          &m_pi) != FALSE;
}

double ProgramRun::WaitShownAndIdle(DWORD timeoutMs)
{
    const DWORD given = GetTickCount();
    WindowSearch search = {m_pi.dwProcessId, NULL};
    // Looked at in short sleeps, so the looking takes next to nothing from the program.
    while (!search.found) {
        if (GetTickCount() - given > timeoutMs || WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0)
            return -1;
        Sleep(2);
        EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
    }
    m_hMain = search.found;
    return WaitIdle(timeoutMs) ? Now() - m_launch : -1;
}

bool ProgramRun::WaitIdle(DWORD timeoutMs)
{
    // The system's idle signal comes once the thread found its queue empty (paints done); a
    // message sent after it is answered only when the thread looks at its queue again, which
    // a class-library loop does after its first idle pass.
    if (WaitForInputIdle(m_pi.hProcess, timeoutMs) != 0)
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(m_hMain, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

double ProgramRun::WorkingSet() const
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(m_pi.hProcess, &counters, sizeof(counters)))
        return 0;
    return static_cast<double>(counters.WorkingSetSize);
}

bool ProgramRun::Close(DWORD timeoutMs)
{
    if (!m_pi.hProcess)
        return false;
    if (m_hMain)
        PostMessageA(m_hMain, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD code = 1;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return code == 0;
}

} // namespace bench
