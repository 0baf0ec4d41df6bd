// The relays of the four system notifications. Every bar, outer dock bar, tab window and
// status bar of a frame handles them, but only one window per frame passes them on: the
// framework's status bar, else the first outer dock bar, else the first MDI tab window.
#include "paintmanagerholder.h"
#include "paintsystem.h"
#include "monitorinfo.h"

#include "dockbar.h"
#include "minidockframewnd.h"
#include "paintmanager.h"
#include "statuscontrolbar.h"
#include "tabwnd.h"

namespace {

bool IsWindowOf(CWnd* pWnd, HWND hWnd)
{
    return pWnd != nullptr && pWnd->GetSafeHwnd() == hWnd;
}

CWnd* PermanentChild(CWnd* pFrame, UINT nID)
{
    HWND hChild = ::GetDlgItem(pFrame->GetSafeHwnd(), (int)nID);
    return hChild != NULL ? CWnd::FromHandlePermanent(hChild) : nullptr;
}

} // namespace

BOOL PaintManagerHolder::IsThemeRelayWindow(CWnd* pWnd) const
{
    // Without a window there is no frame to relay for twice.
    if (pWnd == nullptr)
        return TRUE;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CUiStatusControlBar)))
        return TRUE;
    CWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? pWnd : pWnd->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return TRUE;
    const HWND hWnd = pWnd->GetSafeHwnd();

    CWnd* pStatus = PermanentChild(pFrame, AFX_IDW_STATUS_BAR);
    if (pStatus != nullptr && pStatus->IsKindOf(RUNTIME_CLASS(CUiStatusControlBar)))
        return IsWindowOf(pStatus, hWnd);

    static const UINT kDockBars[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                      AFX_IDW_DOCKBAR_RIGHT};
    for (UINT nID : kDockBars) {
        CWnd* pDockBar = PermanentChild(pFrame, nID);
        if (pDockBar != nullptr && pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)))
            return IsWindowOf(pDockBar, hWnd);
    }

    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CUiTabMdiWnd)))
            return hChild == hWnd;
    }
    return TRUE;
}

LRESULT PaintManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (!IsThemeRelayWindow(pWnd) || m_pPaintManager == nullptr)
        return 0;
    return m_pPaintManager->OnSysColorChange();
}

LRESULT PaintManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection)
{
    ForgetMonitors();
    if (!IsThemeRelayWindow(pWnd) || m_pPaintManager == nullptr)
        return 0;
    return m_pPaintManager->OnSettingChange(uFlags, lpszSection);
}

LRESULT PaintManagerHolder::OnDisplayChange(CWnd* pWnd, INT nBitsPerPixel, INT cx, INT cy)
{
    ForgetDisplayBitsPerPixel();
    ForgetMonitors();
    if (!IsThemeRelayWindow(pWnd) || m_pPaintManager == nullptr)
        return 0;
    return m_pPaintManager->OnDisplayChange(nBitsPerPixel, cx, cy);
}

LRESULT PaintManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (!IsThemeRelayWindow(pWnd) || m_pPaintManager == nullptr)
        return 0;
    return m_pPaintManager->OnThemeChanged(wParam, lParam);
}
