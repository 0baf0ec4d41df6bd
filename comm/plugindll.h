// The extension DLL of a port in extended mode: the holder of its module and its export. The
// blocks through which the DLL talks, and what a DLL's author needs, are in kvrextension.h.
#pragma once

#include "afxwin.h"
#include "kvrextension.h"

class CPluginDll
{
public:
    static const int kTextSize = 260;

    CPluginDll();
    ~CPluginDll();
    CPluginDll(const CPluginDll&) = delete;
    CPluginDll& operator=(const CPluginDll&) = delete;

    // Loads the library (through the process's module keeper, which under Wine maps a copy of
    // it and keeps it mapped after Unload) and finds "CallBackKVR"; 1 on success, else unloads
    // and returns 0.
    BOOL Load(LPCSTR pszPath);
    void Unload();

    // Zero-fills the reply and the text buffer, hands the buffer to the DLL in the request,
    // calls, and keeps reply words 3 and 4 in the request for the next call. A text that the
    // DLL left at a level other than 0 is logged (10036, 10037 or 10038) and the call counts
    // as a success. Returns the export's result.
    int Call(KvrBlock& reply, KvrBlock& request);

    // Calls the export as it is, without the text handling.
    int CallDirect(KvrBlock& reply, KvrBlock& request);

    // The text buffer handed to the DLL, for calls that give it one of their own.
    char* TextBuffer() { return m_szText; }

    HWND m_hFrameWnd;           // receiver of the logged texts
    int m_nPort;
    int m_nSub;                 // 0
    CallBackKvrProc m_pCallBack;
    HMODULE m_hModule;

private:
    char m_szText[kTextSize];
};

// The folder of the program file with a trailing backslash; "" when it cannot be read.
CString GetAppDirectory();
