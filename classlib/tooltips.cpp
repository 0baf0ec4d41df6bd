// Tool tips of windows: one tooltip control per thread serves every window that enabled tool
// tips.
//
// The pre-translate walk hands each mouse message to the first window on the way up that has
// WF_TOOLTIPS. On a move the window is asked which tool lies under the cursor
// (OnToolHitTest); when the answer differs from the tool the tooltip holds, the old tool is
// taken out and the new one put in, so the tooltip never holds more than one tool. Every
// mouse message is then relayed, which lets the tooltip time its showing and hiding. A text
// returned by OnToolHitTest other than LPSTR_TEXTCALLBACK is a calloc'd copy the caller
// hands over; it is freed here once the tooltip has copied it.
#include "afxwin.h"
#include "afxcmn.h"
#include "afxext.h"
#include "afxwinstate.h"
#include <cstdlib>

CToolTipCtrl* AFXAPI AfxGetThreadToolTip(BOOL bCreate)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->pToolTip != nullptr && !::IsWindow(pState->pToolTip->m_hWnd)) {
        delete pState->pToolTip;
        pState->pToolTip = nullptr;
    }
    if (pState->pToolTip == nullptr && bCreate) {
        CToolTipCtrl* pToolTip = new CToolTipCtrl;
        if (!pToolTip->Create(NULL, TTS_ALWAYSTIP)) {
            delete pToolTip;
            return nullptr;
        }
        pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
        pState->pToolTip = pToolTip;
        pState->toolTipInfo.cbSize = 0;
        pState->hToolTipHit = NULL;
        pState->nToolTipHit = -1;
    }
    return pState->pToolTip;
}

static void AfxRemoveCurrentTool(AFX_WIN_THREAD_STATE* pState)
{
    if (pState->toolTipInfo.cbSize != 0 && pState->pToolTip != nullptr)
        pState->pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)&pState->toolTipInfo);
    pState->toolTipInfo.cbSize = 0;
    pState->hToolTipHit = NULL;
    pState->nToolTipHit = -1;
}

void AFXAPI AfxToolTipWindowGone(HWND hWnd)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (hWnd != NULL && (pState->hToolTipHit == hWnd || pState->toolTipInfo.hwnd == hWnd))
        AfxRemoveCurrentTool(pState);
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else {
        m_nFlags &= ~WF_TOOLTIPS;
        AfxToolTipWindowGone(m_hWnd);
    }
    return bOld;
}

void PASCAL CWnd::CancelToolTips(BOOL bKeys)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    CToolTipCtrl* pToolTip = AfxGetThreadToolTip(FALSE);
    if (pToolTip != nullptr)
        pToolTip->SendMessage(TTM_POP);
    if (bKeys && pState->pLastStatus != nullptr && pState->pLastStatus->m_hWnd != NULL)
        pState->pLastStatus->SetStatusText(-1);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_hWnd == NULL)
        return -1;
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1)
        return -1;
    if (pTI != NULL && pTI->cbSize >= TTTOOLINFOA_V2_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nID;
}

BOOL AFXAPI AfxIsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (m_hWnd == NULL || !AfxIsMouseMessage(pMsg->message))
        return;
    // A window nearer to the message's window that shows tips has handled it already.
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL && hWnd != m_hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && (pWnd->m_nFlags & WF_TOOLTIPS))
            return;
    }
    CToolTipCtrl* pToolTip = AfxGetThreadToolTip(TRUE);
    if (pToolTip == nullptr)
        return;
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();

    CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    if (pMsg->message >= WM_NCMOUSEMOVE && pMsg->message <= WM_NCMBUTTONDBLCLK)
        ::ScreenToClient(m_hWnd, &point);
    else
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);

    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        TOOLINFO ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        INT_PTR nHit = OnToolHitTest(point, &ti);
        if (nHit != pState->nToolTipHit || pState->hToolTipHit != m_hWnd) {
            AfxRemoveCurrentTool(pState);
            if (nHit != -1) {
                if (ti.hwnd == NULL)
                    ti.hwnd = m_hWnd;
                if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect))
                    ::GetClientRect(ti.hwnd, &ti.rect);
                if (pToolTip->SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti)) {
                    pState->toolTipInfo = ti;
                    pState->toolTipInfo.lpszText = NULL;
                }
                pState->hToolTipHit = m_hWnd;
                pState->nToolTipHit = nHit;
            }
        }
        if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
            free(ti.lpszText);
    }

    if (pState->toolTipInfo.cbSize == 0)
        return;
    // The tooltip matches a relayed message to its tool by window and client point.
    MSG msg = *pMsg;
    HWND hWndTool = (pState->toolTipInfo.uFlags & TTF_IDISHWND) ? (HWND)pState->toolTipInfo.uId
                                                                 : pState->toolTipInfo.hwnd;
    CPoint ptTool = point;
    ::MapWindowPoints(m_hWnd, hWndTool, &ptTool, 1);
    msg.hwnd = hWndTool;
    msg.lParam = MAKELPARAM(ptTool.x, ptTool.y);
    if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)
        msg.message = msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
    pToolTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
}
