// What the command tool's tests and the benchmark's figure of it share: the probe program built
// with the tests, the tool's run button and parameter, the text the tool shows of the probe's
// "bytes" output, a recorder of the pieces the tool adds to its output, and a bare edit control
// fed the same pieces.
#pragma once

#include <windows.h>

#include "resource.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace cmdtool {

// The probe program beside the running executable, quoted for a command line.
inline std::string Probe()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return "\"" + folder.substr(0, folder.rfind('\\')) + "\\kvrcmdprobe.exe\"";
}

// The run button reads "中断" (stop) while a command runs.
inline bool Running(HWND hDlg)
{
    char text[64] = "";
    ::GetDlgItemTextA(hDlg, IDOK, text, sizeof(text));
    return std::string(text) == "中断";
}

inline void SetParam(HWND hDlg, const std::string& text)
{
    ::SetDlgItemTextA(hDlg, IDC_CMDTOOL_PARAM, text.c_str());
}

// The text the tool shows of the probe's "bytes" output: its 64-byte lines with CR LF ends.
inline std::string ProbeBytesShown(size_t nBytes)
{
    std::string raw;
    char line[65];
    for (unsigned i = 0; raw.size() < nBytes; ++i) {
        std::snprintf(line, sizeof(line), "%08u:abcdefghijklmnopqrstuvwxyz_ABCDEFGHIJKLMNOPQRSTUVWXYZ_\n", i);
        raw += line;
    }
    raw.resize(nBytes);
    std::string shown;
    for (char c : raw) {
        if (c == '\n')
            shown += '\r';
        shown += c;
    }
    return shown;
}

// Notes the length of each text added to an edit control.
struct AdditionRecorder {
    static std::vector<size_t>& Pieces()
    {
        static std::vector<size_t> pieces;
        return pieces;
    }
    static WNDPROC& Old()
    {
        static WNDPROC old = nullptr;
        return old;
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == EM_REPLACESEL && lParam != 0)
            Pieces().push_back(strlen(reinterpret_cast<LPCSTR>(lParam)));
        return ::CallWindowProcA(Old(), hWnd, nMsg, wParam, lParam);
    }
    explicit AdditionRecorder(HWND hEdit) : m_hEdit(hEdit)
    {
        Pieces().clear();
        Old() = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~AdditionRecorder() { ::SetWindowLongPtrA(m_hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Old())); }
    HWND m_hEdit;
};

// Milliseconds a bare edit control like the output takes to take the text added at its end
// in the given pieces; MAXDWORD when it did not end with the whole text.
inline DWORD BareEditMs(HWND hDlg, const std::string& shown, const std::vector<size_t>& pieces)
{
    RECT rc;
    ::GetWindowRect(::GetDlgItem(hDlg, IDC_CMDTOOL_OUTPUT), &rc);
    HWND hEdit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                   WS_POPUP | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                                   rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hDlg, NULL, NULL, NULL);
    ::SendMessageA(hEdit, WM_SETFONT, ::SendDlgItemMessageA(hDlg, IDC_CMDTOOL_OUTPUT, WM_GETFONT, 0, 0), FALSE);
    ::SendMessageA(hEdit, EM_SETLIMITTEXT, 0, 0);
    const DWORD dwStart = ::GetTickCount();
    size_t nAt = 0;
    for (size_t nPiece : pieces) {
        const std::string piece = shown.substr(nAt, nPiece);
        const int nLength = ::GetWindowTextLengthA(hEdit);
        ::SendMessageA(hEdit, EM_SETSEL, nLength, nLength);
        ::SendMessageA(hEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
        nAt += nPiece;
    }
    ::UpdateWindow(hEdit);
    const DWORD dwMs = ::GetTickCount() - dwStart;
    const bool bWhole = shown.size() == static_cast<size_t>(::GetWindowTextLengthA(hEdit));
    ::DestroyWindow(hEdit);
    return bWhole ? dwMs : MAXDWORD;
}

} // namespace cmdtool
