// The extension DLL of a port in extended mode, and the blocks through which it talks.
//
// An extension DLL exports one function, "CallBackKVR" (reply block, request block), with the
// platform's standard calling convention. The program fills the request; the DLL fills the
// reply and returns 1 when it failed. Both blocks are ten 32-bit little-endian words, 40 bytes:
// this is a 32-bit program, so a data or text pointer is one word. The request's data is valid
// only during the call; the program copies the reply's data right after it.
#pragma once

#include "afxwin.h"

// Word indices of the blocks.
enum KvrWord
{
    KvrCommand = 0,     // request: command; reply: action (bit 31: call again)
    KvrParam = 1,       // request: timer id of command 0x10; reply: route target or timer id
    KvrPeriod = 2,      // reply: timer period in milliseconds
    KvrKeep1 = 3,       // handed back from the previous reply
    KvrKeep2 = 4,
    KvrLength = 5,      // data length in bytes
    KvrData = 6,        // data pointer
    KvrTextSize = 7,    // request: size of the text buffer (260)
    KvrTextLevel = 8,   // reply: 0 none, 1 information, 2 notice, other warning
    KvrText = 9,        // request: pointer to the zero-filled text buffer
    KvrWordCount = 10
};

struct KvrBlock
{
    DWORD w[KvrWordCount];
};
static_assert(sizeof(KvrBlock) == 40, "the blocks are 40 bytes");
static_assert(sizeof(void*) == 4, "pointers travel in 32-bit words");

typedef int(WINAPI* CallBackKvrProc)(KvrBlock* pReply, KvrBlock* pRequest);

class CPluginDll
{
public:
    static const int kTextSize = 260;

    CPluginDll();
    ~CPluginDll();
    CPluginDll(const CPluginDll&) = delete;
    CPluginDll& operator=(const CPluginDll&) = delete;

    // Loads the library (through the process's module keeper, which under Wine keeps it
    // mapped after Unload) and finds "CallBackKVR"; 1 on success, else unloads and returns 0.
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
