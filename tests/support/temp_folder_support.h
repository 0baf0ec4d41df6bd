// A folder of its own under the system's temporary folder, removed with its files; a file
// written and read whole in one call, and written over from Linux.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Writes the bytes to the file at path, replacing it; false when it was not written whole.
inline bool WriteWholeFile(const std::string& path, const std::vector<BYTE>& bytes)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    ::CloseHandle(h);
    return ok && written == bytes.size();
}

// The bytes of the file at path; none when it cannot be read whole.
inline std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::vector<BYTE> bytes;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                             OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(h, NULL));
    DWORD n = 0;
    if (!bytes.empty() && (!::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, NULL) || n != bytes.size()))
        bytes.clear();
    ::CloseHandle(h);
    return bytes;
}

// Linux's `cp` of one file over another: the same file, opened for writing and cut, gets the
// new bytes, as a DLL's author copies a new build over the one the program loaded (Windows
// refuses that write while a process has the file mapped; Linux programs never ask). Wine
// starts the Linux program as a process of its own without a handle to wait on: true once the
// file holds the bytes (waited for at most half a minute).
inline bool LinuxCopyOver(const std::string& from, const std::string& to)
{
    typedef char*(CDECL * UnixNameProc)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameProc>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (unixName == NULL)
        return false;
    auto linuxPath = [&](const std::string& path) {
        WCHAR wide[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        char* pszUnix = unixName(wide);
        const std::string unix = pszUnix != NULL ? pszUnix : "";
        ::HeapFree(::GetProcessHeap(), 0, pszUnix);
        return unix;
    };
    std::string command = "/bin/cp \"" + linuxPath(from) + "\" \"" + linuxPath(to) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const std::vector<BYTE> bytes = ReadWholeFile(from);
    for (const DWORD start = ::GetTickCount(); !bytes.empty() && ReadWholeFile(to) != bytes; ::Sleep(20)) {
        if (::GetTickCount() - start >= 30000)
            return false;
    }
    return !bytes.empty();
}

class TempFolder
{
public:
    TempFolder()
    {
        char base[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, base);
        for (int i = 0; i < 1000; ++i) {
            char name[MAX_PATH];
            wsprintfA(name, "%skorvane_%lu_%d", base, ::GetCurrentProcessId(), i);
            if (::CreateDirectoryA(name, NULL)) {
                m_path = name;
                break;
            }
        }
    }
    ~TempFolder()
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((m_path + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((m_path + "\\" + fd.cFileName).c_str());
            } while (::FindNextFileA(h, &fd));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(m_path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};
