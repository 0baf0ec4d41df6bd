// The bare frame program's parts, shared with the program that does only what the start cannot
// do without: a registered class, a frame window with a menu, and the message loop.
#pragma once

#include <windows.h>

namespace bareframe {

inline LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

inline HMENU BuildMenu()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 1, "&Open...");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 2, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 3, "&About...");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

// The frame, hidden; NULL when its class or window cannot be made.
inline HWND CreateFrame(HINSTANCE hInstance, const char* pszClass, const char* pszTitle, DWORD dwStyle, int cx, int cy)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = pszClass;
    if (!RegisterClassA(&wc))
        return nullptr;
    return CreateWindowA(pszClass, pszTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, cx, cy, nullptr, BuildMenu(),
                         hInstance, nullptr);
}

// Shows the frame and runs its loop until it is closed.
inline int ShowAndRun(HWND hWnd, int nShow)
{
    ShowWindow(hWnd, nShow);
    UpdateWindow(hWnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace bareframe
