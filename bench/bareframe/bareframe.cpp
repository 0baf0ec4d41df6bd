// The floor of the start-up and memory figures: a bare Win32 program that registers a window
// class, creates a frame window with a menu, shows it and runs its message loop until closed.
#include "bareframe.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nShow)
{
    HWND hWnd = bareframe::CreateFrame(hInstance, "KorvaneBareFrame", "Bare - Korvane", WS_OVERLAPPEDWINDOW, 800, 600);
    if (!hWnd)
        return 2;
    return bareframe::ShowAndRun(hWnd, nShow);
}
