// A folder of its own under the system's temporary folder, removed with its files.
#pragma once

#include <windows.h>

#include <string>

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
