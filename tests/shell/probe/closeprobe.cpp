// Closes a top-level window by its title with WM_CLOSE, as a user would; the run command's
// smoke road uses it. Exit code 0 when the window was found.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    for (int i = 0; i < 100; i++) {
        HWND hWnd = ::FindWindowA(NULL, argv[1]);
        if (hWnd != NULL) {
            ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}
