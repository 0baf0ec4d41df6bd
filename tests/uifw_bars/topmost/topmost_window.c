/* Another program's always-on-top window: a small popup in the screen's bottom right corner,
   titled "kvr topmost", until it is closed (WM_CLOSE). */
#include <windows.h>

static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrev, LPSTR lpCmdLine, int nShow)
{
    WNDCLASSA wc = {0};
    MSG msg;
    HWND hWnd;
    (void)hPrev;
    (void)lpCmdLine;
    (void)nShow;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInst;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "KvrTopmostWindow";
    if (!RegisterClassA(&wc))
        return 1;
    hWnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, "kvr topmost", WS_POPUP,
                           GetSystemMetrics(SM_CXSCREEN) - 40, GetSystemMetrics(SM_CYSCREEN) - 20, 40, 20, NULL, NULL, hInst,
                           NULL);
    if (hWnd == NULL)
        return 1;
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
