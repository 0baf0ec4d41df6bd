#include "programdriver.h"

#include "uiprobe.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace e2e {

const char* const kProgramKey = "Software\\Pellandor\\Korvane";

std::string BinFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\'));
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetFullPathNameA((BinFolder() + "\\..\\bin").c_str(), MAX_PATH, path, NULL);
    return path;
}

namespace {

void DeleteKeyTree(HKEY hParent, const std::string& name)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hParent, name.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> subs;
    char sub[256];
    DWORD cch = sizeof(sub);
    for (DWORD i = 0; ::RegEnumKeyExA(hKey, i, sub, &cch, NULL, NULL, NULL, NULL) == ERROR_SUCCESS; ++i) {
        subs.push_back(sub);
        cch = sizeof(sub);
    }
    for (const std::string& s : subs)
        DeleteKeyTree(hKey, s);
    ::RegCloseKey(hKey);
    ::RegDeleteKeyA(hParent, name.c_str());
}

} // namespace

void EmptyProgramKey()
{
    DeleteKeyTree(HKEY_CURRENT_USER, kProgramKey);
}

std::string NewFolder(const char* prefix)
{
    char base[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, base);
    for (int i = 0; i < 1000; ++i) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof(name), "%s%s_%lu_%d", base, prefix, ::GetCurrentProcessId(), i);
        if (::CreateDirectoryA(name, NULL))
            return name;
    }
    return std::string();
}

void RemoveFolder(const std::string& path)
{
    if (path.empty())
        return;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            // A read-only file or folder goes too.
            const std::string child = path + "\\" + name;
            ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(child);
            else
                ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(path.c_str());
}

Program::Program(std::string workFolder, std::string exeFolder)
    : m_folder(std::move(workFolder)), m_exeFolder(exeFolder.empty() ? ProgramFolder() : std::move(exeFolder))
{
}

Program::~Program()
{
    if (m_pi.hProcess == NULL)
        return;
    if (Running()) {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
}

bool Program::Start()
{
    std::string exe = m_exeFolder + "\\korvane.exe";
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    m_hMain = NULL;
    return ::CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, m_folder.c_str(), &si, &m_pi) != 0;
}

namespace {

struct MainSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMain(HWND hWnd, LPARAM lParam)
{
    MainSearch* search = reinterpret_cast<MainSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != search->pid || !::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER) != NULL)
        return TRUE;
    char title[256] = "";
    ::GetWindowTextA(hWnd, title, sizeof(title));
    const std::string text = title;
    const std::string suffix = " - Korvane";
    if (text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND Program::WaitMainWindow(unsigned timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        MainSearch search = {m_pi.dwProcessId, NULL};
        ::EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.found != NULL) {
            m_hMain = search.found;
            return m_hMain;
        }
        if (!Running())
            return NULL;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs);
    return NULL;
}

bool Program::WaitIdle(unsigned timeoutMs)
{
    // The system's idle signal comes once, after the start: later waits go through the
    // program's window.
    const DWORD start = ::GetTickCount();
    ::WaitForInputIdle(m_pi.hProcess, timeoutMs);
    const DWORD spent = ::GetTickCount() - start;
    return m_hMain != NULL && e2e::WaitIdle(m_hMain, spent < timeoutMs ? timeoutMs - spent : 0);
}

bool Program::Running() const
{
    return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::PostClose()
{
    if (m_hMain != NULL)
        ::PostMessageA(m_hMain, WM_CLOSE, 0, 0);
}

bool Program::WaitExit(unsigned timeoutMs, DWORD* pCode)
{
    if (m_pi.hProcess == NULL || ::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    if (pCode != NULL)
        *pCode = code;
    return true;
}

bool Program::CloseAndWait(unsigned timeoutMs)
{
    PostClose();
    DWORD code = 1;
    return WaitExit(timeoutMs, &code) && code == 0;
}

} // namespace e2e
