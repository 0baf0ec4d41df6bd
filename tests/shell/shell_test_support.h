// What the shell's tests share: the folder of the test executable, beside which the build puts
// the test DLLs and the command tool's probe program.
#pragma once

#include <windows.h>

#include "afxwin.h"

#include <string>

extern CWinApp theApp;

// The application's profile under a key of the tests' own, its settings section emptied.
inline void UseTestProfile()
{
    static bool s_keySet = false;
    if (!s_keySet) {
        theApp.SetRegistryKey("KorvaneShellTests");
        s_keySet = true;
    }
    CWinApp::DelRegTree(HKEY_CURRENT_USER, "Software\\KorvaneShellTests");
}

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
