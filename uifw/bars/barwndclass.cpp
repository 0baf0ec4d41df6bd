#include "barwndclass.h"

bool RegisterBarWindowClassOnce(LPCSTR lpszClassName, bool& bRegistered)
{
    if (bRegistered)
        return true;
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, lpszClassName, &wc)) {
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = lpszClassName;
        if (!::RegisterClassA(&wc))
            return false;
    }
    bRegistered = true;
    return true;
}
