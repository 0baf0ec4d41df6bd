// A folder of its own under the system's temporary folder, removed with its files, and a file
// written whole in one call.
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
