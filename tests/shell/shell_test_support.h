// What the shell's tests share: the folder of the test executable, beside which the build puts
// the test DLLs and the command tool's probe program.
#pragma once

#include <windows.h>

#include "afxwin.h"
#include "mainapp.h"
#include "temp_folder_support.h"

#include <string>

extern CMainApp theApp;

// The application's profile under a key of the tests' own, its settings section emptied.
inline void UseTestProfile()
{
    theApp.SetRegistryKey("KorvaneShellTests");
    CWinApp::DelRegTree(HKEY_CURRENT_USER, "Software\\KorvaneShellTests");
}

// The program started in the test process writes its state under its own key and looks for its
// files in the working folder: this gives it an empty key and a working folder of its own, and
// at its end puts the folder, the key and the tests' own profile back.
class ProgramHome {
public:
    static constexpr const char* kProfileKey = "Software\\Pellandor\\Korvane";

    ProgramHome()
    {
        CWinApp::DelRegTree(HKEY_CURRENT_USER, kProfileKey);
        ::GetCurrentDirectoryA(MAX_PATH, m_szOldDir);
        ::SetCurrentDirectoryA(folder.Path().c_str());
    }
    ~ProgramHome()
    {
        ::SetCurrentDirectoryA(m_szOldDir);
        CWinApp::DelRegTree(HKEY_CURRENT_USER, kProfileKey);
        UseTestProfile();
    }
    ProgramHome(const ProgramHome&) = delete;
    ProgramHome& operator=(const ProgramHome&) = delete;

    TempFolder folder;

private:
    char m_szOldDir[MAX_PATH] = "";
};

inline std::string ExeFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\'));
}

// The whole text of a dialog's control, however long.
inline std::string ControlText(HWND hDlg, int id)
{
    HWND hCtrl = ::GetDlgItem(hDlg, id);
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(hCtrl)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(hCtrl, &text[0], static_cast<int>(text.size()))));
    return text;
}

// Resizes the dialog and returns the control's size in its client area.
inline SIZE ResizedControl(HWND hDlg, int id, int cx, int cy)
{
    ::SetWindowPos(hDlg, NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT rc;
    ::GetWindowRect(::GetDlgItem(hDlg, id), &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

inline SIZE ClientSize(HWND hDlg)
{
    RECT rc;
    ::GetClientRect(hDlg, &rc);
    return SIZE{rc.right, rc.bottom};
}
