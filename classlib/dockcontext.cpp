// CDockContext: a bar's memory of where it floated and docked, and its mouse moves.
//
// StartDrag and StartResize are a small working form: the mouse moves or sizes the bar until
// the button is released, and a release over a dock bar the bar may use docks it there. No
// road of this program reaches them: every fixed-size bar of the framework docks live while
// it is dragged, and resizable bars have drags of their own.
#include "afxext.h"
#include <algorithm>

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_ptMRUFloatPos(0, 0), m_dwMRUFloatStyle(CBRS_ALIGN_TOP),
      m_uMRUDockID(0)
{
    m_rectMRUDockPos.SetRectEmpty();
    if (m_pDockSite == nullptr)
        m_pDockSite = pBar->GetDockingFrame();
}

CDockContext::~CDockContext()
{
}

void CDockContext::ToggleDocking()
{
    if (m_pDockSite == nullptr)
        m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == nullptr || m_pBar->m_hWnd == NULL)
        return;
    if (m_pBar->IsFloating()) {
        CControlBar* pTarget = m_pDockSite->GetControlBar(m_uMRUDockID);
        if (pTarget == nullptr || !pTarget->IsDockBar())
            return;
        m_pDockSite->DockControlBar(m_pBar, (CDockBar*)pTarget,
                                    m_rectMRUDockPos.IsRectEmpty() ? NULL : (LPCRECT)&m_rectMRUDockPos);
        m_pDockSite->RecalcLayout();
        return;
    }
    if (m_pBar->m_pDockBar != nullptr) {
        m_uMRUDockID = m_pBar->m_pDockBar->GetDlgCtrlID();
        m_pBar->GetWindowRect(&m_rectMRUDockPos);
    }
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    m_pDockSite->RecalcLayout();
}

BOOL CDockContext::TrackMouse(CPoint ptStart, CPoint& ptEnd, void (*pfnMove)(CDockContext*, CPoint, CPoint))
{
    HWND hWndCapture = m_pBar->m_hWnd;
    ::SetCapture(hWndCapture);
    BOOL bDone = FALSE;
    BOOL bCancelled = FALSE;
    ptEnd = ptStart;
    while (!bDone && ::GetCapture() == hWndCapture) {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            bCancelled = TRUE;
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (pfnMove != nullptr)
                pfnMove(this, ptEnd, pt);
            ptEnd = pt;
            break;
        }
        case WM_LBUTTONUP:
            ptEnd = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &ptEnd);
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                bCancelled = TRUE;
                bDone = TRUE;
            }
            break;
        case WM_RBUTTONDOWN:
            bCancelled = TRUE;
            bDone = TRUE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (!bDone)
        bCancelled = TRUE;   // the capture went elsewhere
    if (::GetCapture() == hWndCapture)
        ::ReleaseCapture();
    return !bCancelled;
}

void CDockContext::StartDrag(CPoint pt)
{
    if (m_pDockSite == nullptr || m_pBar->m_hWnd == NULL)
        return;
    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    CSize sizeOffset(pt.x - rectBar.left, pt.y - rectBar.top);
    // A floating bar's frame follows the mouse.
    auto moveFloating = [](CDockContext* pContext, CPoint ptFrom, CPoint ptTo) {
        if (!pContext->m_pBar->IsFloating() || pContext->m_pBar->m_pDockBar == nullptr)
            return;
        CWnd* pFrame = pContext->m_pBar->m_pDockBar->GetParent();
        CRect rect;
        pFrame->GetWindowRect(&rect);
        rect.OffsetRect(ptTo - ptFrom);
        pFrame->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    CPoint ptEnd;
    if (!TrackMouse(pt, ptEnd, moveFloating))
        return;

    CRect rectDrop(CPoint(ptEnd.x - sizeOffset.cx, ptEnd.y - sizeOffset.cy), rectBar.Size());
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pDockBar = (CControlBar*)m_pDockSite->m_listControlBars.GetNext(pos);
        if (!pDockBar->IsDockBar() || pDockBar->IsFloating() || !(pDockBar->m_dwStyle & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CRect rectDock;
        pDockBar->GetWindowRect(&rectDock);
        rectDock.InflateRect(4, 4);
        if (rectDock.PtInRect(ptEnd)) {
            m_pDockSite->DockControlBar(m_pBar, (CDockBar*)pDockBar, &rectDrop);
            m_pDockSite->RecalcLayout();
            return;
        }
    }
    if (!m_pBar->IsFloating()) {
        m_pDockSite->FloatControlBar(m_pBar, rectDrop.TopLeft(), m_dwMRUFloatStyle);
        m_pDockSite->RecalcLayout();
    }
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (!m_pBar->IsFloating() || m_pBar->m_pDockBar == nullptr)
        return;
    CPoint ptEnd;
    if (!TrackMouse(pt, ptEnd, nullptr))
        return;
    CSize sizeOld = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    int nDelta = ptEnd.x - pt.x;
    if (nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT)
        nDelta = -nDelta;
    m_pBar->CalcDynamicLayout(std::max(1, (int)sizeOld.cx + nDelta), LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    CFrameWnd* pFrame = m_pBar->m_pDockBar->GetParentFrame();
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
}
