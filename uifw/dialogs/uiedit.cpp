// CUiEdit: hover tracking and the flat frame.
#include "uiedit.h"
#include "barpaintdata.h"
#include "memorydc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiEdit, CUiEditBase)

CUiEdit::CUiEdit() : m_bHoverFlags(0)
{
}

BOOL CUiEdit::IsEffectivelyEnabled()
{
    return IsWindowEnabled();
}

void CUiEdit::RedrawFrame()
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void CUiEdit::DrawFlatFrame(const RECT& rc, CDC& dc)
{
    CRect rcFrame(rc);
    rcFrame.DeflateRect(1, 1);
    const bool bFocused = ::GetFocus() == m_hWnd && !CUiPopupMenuWnd::IsTrackingMenu();
    ControlFramePaintData data(this, rcFrame, FALSE, (m_bHoverFlags & kMouseOver) != 0, IsEffectivelyEnabled(),
                               bFocused);
    PaintManagerHolder::Get()->PaintControlFrame(dc, data);
}

void CUiEdit::OnHoverTimer()
{
    const BYTE bBefore = m_bHoverFlags;
    POINT pt;
    ::GetCursorPos(&pt);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(pt)) {
        KillTimer(kHoverTimerId);
        m_bHoverFlags &= ~kMouseOver;
    } else if (IsWindowVisible() && ::WindowFromPoint(pt) == m_hWnd) {
        m_bHoverFlags |= kMouseOver;
    }
    if (bBefore != m_bHoverFlags)
        RedrawFrame();
}

void CUiEdit::PaintNonClient()
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    {
        CUiMemoryDC dc(CDC::FromHandle(hDC), &rcWindow);
        dc.FillSolidRect(&rcWindow, PaintManagerHolder::Get()->GetColor(kFirstExtendedColorId));
        CRect rcFrame = rcWindow;
        rcFrame.DeflateRect(3, 3);
        DrawFlatFrame(rcFrame, dc);
    }
    ::ReleaseDC(m_hWnd, hDC);
}

LRESULT CUiEdit::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_MOUSEMOVE: {
        LRESULT lr = CUiEditBase::WindowProc(nMsg, wParam, lParam);
        if (CUiPopupMenuWnd::HoverTestWindowChain(m_hWnd, ::GetActiveWindow(), true, true, true))
            SetTimer(kHoverTimerId, kHoverPeriod, NULL);
        return lr;
    }
    case WM_TIMER:
        if (wParam == kHoverTimerId) {
            OnHoverTimer();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        LRESULT lr = CUiEditBase::WindowProc(nMsg, wParam, lParam);
        if (::IsWindow(m_hWnd))
            RedrawFrame();
        return lr;
    }
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    default:
        break;
    }
    return CUiEditBase::WindowProc(nMsg, wParam, lParam);
}
