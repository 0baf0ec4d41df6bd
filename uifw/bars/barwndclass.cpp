#include "barwndclass.h"

#include "cmdmanager.h"
#include "paintmanagerholder.h"

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

void RelaySystemChange(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SYSCOLORCHANGE:
        PaintManagerHolder::Get().OnSysColorChange(pWnd);
        CmdManagerHolder::OnSysColorChange(pWnd);
        break;
    case WM_SETTINGCHANGE:
        PaintManagerHolder::Get().OnSettingChange(pWnd, (UINT)wParam, (LPCSTR)lParam);
        CmdManagerHolder::OnSettingChange(pWnd, (UINT)wParam, (LPCSTR)lParam);
        break;
    case WM_DISPLAYCHANGE:
        PaintManagerHolder::Get().OnDisplayChange(pWnd, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
        CmdManagerHolder::OnDisplayChange(pWnd, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_THEMECHANGED:
        PaintManagerHolder::Get().OnThemeChanged(pWnd, wParam, lParam);
        CmdManagerHolder::OnThemeChanged(pWnd, wParam, lParam);
        break;
    default:
        break;
    }
}

void GetNonClientRects(CWnd* pWnd, CRect& rcWindow, CRect& rcClient)
{
    pWnd->GetWindowRect(&rcWindow);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
}
