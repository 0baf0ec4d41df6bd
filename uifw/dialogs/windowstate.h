// The window-state layer CUiWS stacked over a framework dialog, page or sheet base: size
// gripper, themed painting and control colours, the system menu as a framework popup menu,
// and the place of the saved placement text. Its window procedure runs under the anchoring
// layer CUiWA (uiwa.h), which owns the operations the procedure calls back.
//
// The layer works for any base with the class library's window procedure; the template is
// made concrete over CUiResDlg, CUiResPP and CUiResPS, each with its own control-colour brush
// shared by all its windows.
#pragma once
#include "afxwin.h"
#include "windowstatehelpers.h"

template <class TBase, UINT nSysMenuTimerId>
class CUiWS : public TBase {
public:
    enum { kSavePlacement = 0x01, kMenuOpen = 0x02, kGripperShown = 0x04 };
    static const UINT kSysMenuTimerId = nSysMenuTimerId;

    template <class... Args>
    explicit CUiWS(Args... args) : TBase(args...), m_bWSFlags(kGripperShown), m_rcGripper(0, 0, 0, 0)
    {
    }

    CString m_strProfileSection;
    CString m_strProfileEntry;
    BYTE m_bWSFlags;
    CRect m_rcGripper;

    // Given by the anchoring layer.
    virtual void SavePlacementText() = 0;
    virtual bool TrackSysMenuPopup(const POINT* pPoint, bool bFromKeyboard) = 0;

protected:
    LRESULT WSWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnWSSize(UINT nMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnWSPaint();
    LRESULT OnWSCtlColor(UINT nMsg, WPARAM wParam, LPARAM lParam);
    static HBRUSH s_hCtlColorBrush;
    static COLORREF s_clrCtlColorBrush;
};

template <class TBase, UINT nSysMenuTimerId>
HBRUSH CUiWS<TBase, nSysMenuTimerId>::s_hCtlColorBrush = NULL;
template <class TBase, UINT nSysMenuTimerId>
COLORREF CUiWS<TBase, nSysMenuTimerId>::s_clrCtlColorBrush = CLR_INVALID;

template <class TBase, UINT nSysMenuTimerId>
LRESULT CUiWS<TBase, nSysMenuTimerId>::WSWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_SIZE:
        return OnWSSize(nMsg, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
        LRESULT lr = TBase::WindowProc(nMsg, wParam, lParam);
        if (::IsWindow(this->m_hWnd) && UiWantsFullRepaint(this))
            this->Invalidate();
        return lr;
    }
    case WM_NCHITTEST:
        if (m_bWSFlags & kGripperShown) {
            POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
            ::ScreenToClient(this->m_hWnd, &pt);
            if (m_rcGripper.PtInRect(pt))
                return HTBOTTOMRIGHT;
        }
        break;
    case WM_PAINT:
        return OnWSPaint();
    case WM_ERASEBKGND:
        if ((this->GetStyle() & WS_CLIPCHILDREN) && UiIsThemedWindow(this))
            return 1;
        UiExcludeTransparentChildren((HDC)wParam, this->m_hWnd);
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnWSCtlColor(nMsg, wParam, lParam);
    case WM_TIMER:
        if (wParam != nSysMenuTimerId)
            break;
        if (!UiIsPopupMenuTracking()) {
            m_bWSFlags &= ~kMenuOpen;
            this->KillTimer(nSysMenuTimerId);
        }
        return 0;
    case WM_DESTROY:
        if (m_bWSFlags & kSavePlacement)
            SavePlacementText();
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
        const bool bDown = nMsg == WM_NCLBUTTONDOWN || nMsg == WM_NCRBUTTONDOWN;
        const bool bRight = nMsg == WM_NCRBUTTONDOWN || nMsg == WM_NCRBUTTONUP;
        if (wParam == HTSYSMENU) {
            if (!bDown)
                TrackSysMenuPopup(nullptr, false);
            return 0;
        }
        if (wParam == HTCAPTION && bRight) {
            POINT pt;
            if (::GetCursorPos(&pt))
                TrackSysMenuPopup(&pt, false);
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TBase::WindowProc(nMsg, wParam, lParam);
}

template <class TBase, UINT nSysMenuTimerId>
LRESULT CUiWS<TBase, nSysMenuTimerId>::OnWSSize(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const bool bFull = UiWantsFullRepaint(this);
    const bool bGripper = (m_bWSFlags & kGripperShown) != 0;
    if (bGripper && !m_rcGripper.IsRectEmpty() && !bFull)
        this->InvalidateRect(&m_rcGripper, TRUE);
    LRESULT lr = TBase::WindowProc(nMsg, wParam, lParam);
    if (!::IsWindow(this->m_hWnd))
        return lr;
    if (bGripper) {
        CRect rcClient;
        this->GetClientRect(&rcClient);
        m_rcGripper = UiGripperRectOf(rcClient);
        if (bFull)
            this->Invalidate();
        else
            this->InvalidateRect(&m_rcGripper, TRUE);
    } else if (bFull) {
        this->Invalidate();
    }
    if (bFull) {
        if (this->IsKindOf(RUNTIME_CLASS(CDialog)) || UiClassNameHasHash(this->m_hWnd))
            UiInvalidateVisibleChildren(this->m_hWnd);
        UiPassPaintMessages();
    }
    return lr;
}

template <class TBase, UINT nSysMenuTimerId>
LRESULT CUiWS<TBase, nSysMenuTimerId>::OnWSPaint()
{
    CPaintDC dc(this);
    if (UiIsThemedWindow(this))
        UiPaintThemedBackground(dc, this);
    if ((m_bWSFlags & kGripperShown) && !this->IsZoomed())
        UiPaintSizeGripper(dc, this, m_rcGripper);
    return 0;
}

template <class TBase, UINT nSysMenuTimerId>
LRESULT CUiWS<TBase, nSysMenuTimerId>::OnWSCtlColor(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT lr = TBase::WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_CTLCOLORSTATIC) {
        HWND hCtl = (HWND)lParam;
        if (::IsWindow(hCtl) && !AfxCompareClassName(hCtl, "static"))
            return lr;
        ::SetBkMode((HDC)wParam, TRANSPARENT);
        if ((this->GetStyle() & WS_CHILD) && UiIsThemedWindow(this))
            return (LRESULT)::GetStockObject(NULL_BRUSH);
    }
    return (LRESULT)UiFaceBrush(s_hCtlColorBrush, s_clrCtlColorBrush);
}
