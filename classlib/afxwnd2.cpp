// CWnd's wrappers of the window functions. Each does nothing (and returns an empty result)
// while the object has no window, so code may call them before creation or after
// destruction without reaching the desktop or the thread by accident.
#include "afxwnd.h"
#include "afxapp.h"
#include "afxdc.h"
#include "afxmenu.h"
#include "afxframe.h"
#include "afxwinstate.h"
#include <shellapi.h>

#define AFX_NEED_WND(ret) \
    do { \
        if (m_hWnd == NULL) \
            return ret; \
    } while (0)

HWND AFXAPI AfxGetSafeHwnd(const CWnd* pWnd)
{
    return pWnd == nullptr ? NULL : pWnd->m_hWnd;
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

// ---- Styles.

DWORD CWnd::GetStyle() const
{
    AFX_NEED_WND(0);
    return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE);
}

DWORD CWnd::GetExStyle() const
{
    AFX_NEED_WND(0);
    return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE);
}

static BOOL AfxModifyStyle(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (hWnd == NULL)
        return FALSE;
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return AfxModifyStyle(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return AfxModifyStyle(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return AfxModifyStyle(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return AfxModifyStyle(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const
{
    AFX_NEED_WND(0);
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    AFX_NEED_WND(0);
    return (int)::SetWindowLong(m_hWnd, GWL_ID, nID);
}

// ---- Sizes and positions.

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (m_hWnd != NULL)
        ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (m_hWnd != NULL)
        ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (m_hWnd != NULL)
        ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (m_hWnd == NULL)
        return;
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        CRect::SwapLeftRight(lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (m_hWnd != NULL)
        ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (m_hWnd == NULL)
        return;
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        CRect::SwapLeftRight(lpRect);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    if (m_hWnd != NULL)
        ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    if (m_hWnd != NULL)
        ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_hWnd != NULL)
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    AFX_NEED_WND(FALSE);
    return ::SetWindowPos(m_hWnd, pWndInsertAfter == nullptr ? NULL : pWndInsertAfter->m_hWnd, x, y, cx, cy, nFlags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    AFX_NEED_WND(FALSE);
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    AFX_NEED_WND(FALSE);
    WINDOWPLACEMENT wp = *lpwndpl;
    wp.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &wp);
}

UINT CWnd::ArrangeIconicWindows()
{
    AFX_NEED_WND(0);
    return ::ArrangeIconicWindows(m_hWnd);
}

void CWnd::BringWindowToTop()
{
    if (m_hWnd != NULL)
        ::BringWindowToTop(m_hWnd);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (m_hWnd == NULL)
        return;
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == NULL) {
        hWndCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    }
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(GetStyle() & WS_CHILD)) {
        HMONITOR hMon = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfo(hMon, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter == NULL || !::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
    }
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::IsIconic() const
{
    AFX_NEED_WND(FALSE);
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const
{
    AFX_NEED_WND(FALSE);
    return ::IsZoomed(m_hWnd);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    AFX_NEED_WND(0);
    return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}

int CWnd::GetWindowRgn(HRGN hRgn) const
{
    AFX_NEED_WND(ERROR);
    return ::GetWindowRgn(m_hWnd, hRgn);
}

// ---- State.

BOOL CWnd::ShowWindow(int nCmdShow)
{
    AFX_NEED_WND(FALSE);
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    AFX_NEED_WND(FALSE);
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    AFX_NEED_WND(FALSE);
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    AFX_NEED_WND(FALSE);
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    AFX_NEED_WND(FALSE);
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}

BOOL CWnd::FlashWindow(BOOL bInvert)
{
    AFX_NEED_WND(FALSE);
    return ::FlashWindow(m_hWnd, bInvert);
}

// ---- Painting.

void CWnd::Invalidate(BOOL bErase)
{
    if (m_hWnd != NULL)
        ::InvalidateRect(m_hWnd, NULL, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (m_hWnd != NULL)
        ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    if (m_hWnd != NULL)
        ::InvalidateRgn(m_hWnd, (HRGN)AfxGdiHandle(pRgn), bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    if (m_hWnd != NULL)
        ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
    if (m_hWnd != NULL)
        ::ValidateRgn(m_hWnd, (HRGN)AfxGdiHandle(pRgn));
}

void CWnd::UpdateWindow()
{
    if (m_hWnd != NULL)
        ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    AFX_NEED_WND(FALSE);
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)AfxGdiHandle(prgnUpdate), flags);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    AFX_NEED_WND(FALSE);
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase)
{
    AFX_NEED_WND(ERROR);
    return ::GetUpdateRgn(m_hWnd, (HRGN)AfxGdiHandle(pRgn), bErase);
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    if (m_hWnd != NULL)
        ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    AFX_NEED_WND(ERROR);
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip, (HRGN)AfxGdiHandle(prgnUpdate),
                            lpRectUpdate, flags);
}

CDC* CWnd::GetDC()
{
    AFX_NEED_WND(nullptr);
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    AFX_NEED_WND(nullptr);
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    AFX_NEED_WND(nullptr);
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)AfxGdiHandle(prgnClip), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (m_hWnd == NULL || pDC == nullptr)
        return 0;
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    AFX_NEED_WND(nullptr);
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    if (m_hWnd != NULL)
        ::EndPaint(m_hWnd, lpPaint);
}

BOOL CWnd::LockWindowUpdate()
{
    AFX_NEED_WND(FALSE);
    return ::LockWindowUpdate(m_hWnd);
}

void CWnd::UnlockWindowUpdate()
{
    ::LockWindowUpdate(NULL);
}

// ---- Focus, capture, activation.

CWnd* CWnd::SetFocus()
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus()
{
    return CWnd::FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture()
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::SetCapture(m_hWnd));
}

CWnd* PASCAL CWnd::GetCapture()
{
    return CWnd::FromHandle(::GetCapture());
}

CWnd* CWnd::SetActiveWindow()
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* PASCAL CWnd::GetActiveWindow()
{
    return CWnd::FromHandle(::GetActiveWindow());
}

BOOL CWnd::SetForegroundWindow()
{
    AFX_NEED_WND(FALSE);
    return ::SetForegroundWindow(m_hWnd);
}

CWnd* PASCAL CWnd::GetForegroundWindow()
{
    return CWnd::FromHandle(::GetForegroundWindow());
}

CWnd* PASCAL CWnd::GetDesktopWindow()
{
    return CWnd::FromHandle(::GetDesktopWindow());
}

CWnd* PASCAL CWnd::WindowFromPoint(POINT point)
{
    return CWnd::FromHandle(::WindowFromPoint(point));
}

CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return CWnd::FromHandle(::FindWindow(lpszClassName, lpszWindowName));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}

// ---- Timers and caret.

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    AFX_NEED_WND(0);
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    AFX_NEED_WND(FALSE);
    return ::KillTimer(m_hWnd, nIDEvent);
}

void CWnd::CreateCaret(CBitmap* pBitmap)
{
    if (m_hWnd != NULL)
        ::CreateCaret(m_hWnd, (HBITMAP)AfxGdiHandle(pBitmap), 0, 0);
}

void CWnd::CreateSolidCaret(int nWidth, int nHeight)
{
    if (m_hWnd != NULL)
        ::CreateCaret(m_hWnd, (HBITMAP)0, nWidth, nHeight);
}

void CWnd::CreateGrayCaret(int nWidth, int nHeight)
{
    if (m_hWnd != NULL)
        ::CreateCaret(m_hWnd, (HBITMAP)1, nWidth, nHeight);
}

void CWnd::ShowCaret()
{
    if (m_hWnd != NULL)
        ::ShowCaret(m_hWnd);
}

void CWnd::HideCaret()
{
    if (m_hWnd != NULL)
        ::HideCaret(m_hWnd);
}

CPoint PASCAL CWnd::GetCaretPos()
{
    POINT pt = {0, 0};
    ::GetCaretPos(&pt);
    return pt;
}

void PASCAL CWnd::SetCaretPos(POINT point)
{
    ::SetCaretPos(point.x, point.y);
}

// ---- Scroll bars. A window with a separate scroll-bar control for the bar uses it.

int CWnd::GetScrollPos(int nBar) const
{
    AFX_NEED_WND(0);
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar != nullptr)
        return ::GetScrollPos(((CWnd*)pBar)->m_hWnd, SB_CTL);
    return ::GetScrollPos(m_hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    AFX_NEED_WND(0);
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    HWND hWndBar = pBar != nullptr ? ((CWnd*)pBar)->m_hWnd : m_hWnd;
    const int nBarKind = pBar != nullptr ? SB_CTL : nBar;
    // Setting a position repaints the bar even when it does not move, which costs a whole
    // non-client paint under Wine; the answer is the same either way.
    SCROLLINFO info = {sizeof(info), SIF_POS};
    if (::GetScrollInfo(hWndBar, nBarKind, &info) && info.nPos == nPos)
        return nPos;
    return ::SetScrollPos(hWndBar, nBarKind, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    *lpMinPos = *lpMaxPos = 0;
    if (m_hWnd == NULL)
        return;
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar != nullptr)
        ::GetScrollRange(((CWnd*)pBar)->m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
    else
        ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (m_hWnd == NULL)
        return;
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar != nullptr)
        ::SetScrollRange(((CWnd*)pBar)->m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    else
        ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    if (m_hWnd != NULL)
        ::ShowScrollBar(m_hWnd, (int)nBar, bShow);
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    AFX_NEED_WND(FALSE);
    return ::EnableScrollBar(m_hWnd, (UINT)nSBFlags, nArrowFlags);
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (m_hWnd == NULL)
        return;
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar != nullptr)
        ((CWnd*)pBar)->EnableWindow(bEnable);
    else
        ::ShowScrollBar(m_hWnd, nBar, bEnable);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    AFX_NEED_WND(FALSE);
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar != nullptr)
        return ::GetScrollInfo(((CWnd*)pBar)->m_hWnd, SB_CTL, lpScrollInfo);
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    AFX_NEED_WND(FALSE);
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    HWND hWndBar = pBar != nullptr ? ((CWnd*)pBar)->m_hWnd : m_hWnd;
    const int nBarKind = pBar != nullptr ? SB_CTL : nBar;
    // A bar given the range, page and position it already has would only be repainted as it
    // is (a whole non-client paint under Wine); nor does it show or hide, which follows a
    // change of range or page.
    const UINT nFields = lpScrollInfo->fMask & (SIF_RANGE | SIF_PAGE | SIF_POS);
    SCROLLINFO now = {sizeof(now), nFields};
    if (nFields != 0 && nFields == (lpScrollInfo->fMask & ~SIF_DISABLENOSCROLL) &&
        ::GetScrollInfo(hWndBar, nBarKind, &now) &&
        (!(nFields & SIF_RANGE) || (now.nMin == lpScrollInfo->nMin && now.nMax == lpScrollInfo->nMax)) &&
        (!(nFields & SIF_PAGE) || now.nPage == lpScrollInfo->nPage) &&
        (!(nFields & SIF_POS) || now.nPos == lpScrollInfo->nPos))
        return TRUE;
    ::SetScrollInfo(hWndBar, nBarKind, lpScrollInfo, bRedraw);
    return TRUE;
}

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info;
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nMax = info.nMax;
    if (info.nPage > 1)
        nMax -= (int)info.nPage - 1;
    return nMax;
}

// ---- Fonts and text.

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)AfxGdiHandle(pFont), bRedraw);
}

CFont* CWnd::GetFont() const
{
    AFX_NEED_WND(nullptr);
    return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    if (m_hWnd != NULL)
        ::SetWindowText(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    if (nMaxCount > 0)
        lpszStringBuf[0] = '\0';
    AFX_NEED_WND(0);
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    rString.Empty();
    if (m_hWnd == NULL)
        return;
    int nLen = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    AFX_NEED_WND(0);
    return ::GetWindowTextLength(m_hWnd);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    AFX_NEED_WND(NULL);
    return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon);
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    AFX_NEED_WND(NULL);
    return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon, 0);
}

// ---- Dialog items.

CWnd* CWnd::GetDlgItem(int nID) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = m_hWnd == NULL ? NULL : ::GetDlgItem(m_hWnd, nID);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    if (m_hWnd != NULL)
        ::SetDlgItemText(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    if (nMaxCount > 0)
        lpStr[0] = '\0';
    AFX_NEED_WND(0);
    return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    AFX_NEED_WND(0);
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd == NULL)
        return 0;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    if (m_hWnd != NULL)
        ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    if (lpTrans != nullptr)
        *lpTrans = FALSE;
    AFX_NEED_WND(0);
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (m_hWnd != NULL)
        ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    AFX_NEED_WND(0);
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    if (m_hWnd != NULL)
        ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    AFX_NEED_WND(0);
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_NEED_WND(0);
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

void CWnd::MapDialogRect(LPRECT lpRect) const
{
    if (m_hWnd != NULL)
        ::MapDialogRect(m_hWnd, lpRect);
}

// ---- Relatives.

static HWND AfxGetParentOwner(HWND hWnd)
{
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

CWnd* CWnd::GetParent() const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner != NULL)
        return CWnd::FromHandle(m_hWndOwner);
    return GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = pOwnerWnd->GetSafeHwnd();
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetWindow(m_hWnd, nFlag));
}

CWnd* CWnd::GetTopWindow() const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetLastActivePopup() const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(::GetLastActivePopup(m_hWnd));
}

CFrameWnd* CWnd::GetParentFrame() const
{
    AFX_NEED_WND(nullptr);
    for (CWnd* pParentWnd = GetParent(); pParentWnd != nullptr; pParentWnd = pParentWnd->GetParent()) {
        if (pParentWnd->IsFrameWnd())
            return (CFrameWnd*)pParentWnd;
    }
    return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    AFX_NEED_WND(nullptr);
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = AfxGetParentOwner(hWndParent)) != NULL)
        hWndParent = hWndT;
    return CWnd::FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    AFX_NEED_WND(nullptr);
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL)
        hWndOwner = hWndT;
    return CWnd::FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    AFX_NEED_WND(nullptr);
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != NULL)
        hWndParent = hWndT;
    return CWnd::FromHandle(hWndParent);
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    AFX_NEED_WND(nullptr);
    CFrameWnd* pFrameWnd = IsFrameWnd() ? (CFrameWnd*)this : GetParentFrame();
    if (pFrameWnd != nullptr) {
        CFrameWnd* pTemp;
        while ((pTemp = pFrameWnd->GetParentFrame()) != nullptr)
            pFrameWnd = pTemp;
    }
    return pFrameWnd;
}

static HWND AfxFindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hWndChild) == nID &&
            (!bOnlyPerm || CWnd::FromHandlePermanent(hWndChild) != nullptr))
            return hWndChild;
    }
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetTopWindow(hWndChild) != NULL) {
            HWND hFound = AfxFindDescendant(hWndChild, nID, bOnlyPerm);
            if (hFound != NULL)
                return hFound;
        }
    }
    return NULL;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    AFX_NEED_WND(nullptr);
    return CWnd::FromHandle(AfxFindDescendant(m_hWnd, nID, bOnlyPerm));
}

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == NULL) {
        CWnd* pMainWnd = AfxGetMainWnd();
        // The main window of another thread cannot own this thread's windows.
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != NULL &&
            ::GetWindowThreadProcessId(pMainWnd->m_hWnd, NULL) == ::GetCurrentThreadId())
            hWnd = pMainWnd->m_hWnd;
    }
    // A popup cannot be owned by a child window.
    while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != NULL; hWndTemp = ::GetParent(hWndTemp))
        hWndTop = hWndTemp;

    if (hParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    if (pWndTop != nullptr) {
        if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = NULL;
        }
    }
    return hWnd;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return CWnd::FromHandle(GetSafeOwner_(pParent->GetSafeHwnd(), pWndTop));
}

// ---- Messages.

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    AFX_NEED_WND(0);
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    AFX_NEED_WND(FALSE);
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    AFX_NEED_WND(FALSE);
    return ::SendNotifyMessage(m_hWnd, message, wParam, lParam);
}

namespace {

struct DescendantMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    BOOL bOnlyPerm;
};

void SendToOne(HWND hWnd, const DescendantMessage& m)
{
    if (m.bOnlyPerm) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr)
            AfxCallWndProc(pWnd, hWnd, m.message, m.wParam, m.lParam);
    } else {
        ::SendMessage(hWnd, m.message, m.wParam, m.lParam);
    }
}

BOOL CALLBACK SendToDescendant(HWND hWnd, LPARAM lParam)
{
    SendToOne(hWnd, *reinterpret_cast<const DescendantMessage*>(lParam));
    return TRUE;
}

} // namespace

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           BOOL bDeep, BOOL bOnlyPerm)
{
    const DescendantMessage m = {message, wParam, lParam, bOnlyPerm};
    if (bDeep) {
        // The system walks the whole tree in the same order (each child, then its own
        // descendants, then its next sibling) asking once per window, where a walk by
        // GetTopWindow and GetWindow asks twice: under Wine every such question is a call to
        // the server, and the idle pass sends its update to every window of the frame.
        ::EnumChildWindows(hWnd, SendToDescendant, reinterpret_cast<LPARAM>(&m));
        return;
    }
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
        SendToOne(hWndChild, m);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    if (m_hWnd != NULL)
        SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

// ---- Menus.

CMenu* CWnd::GetMenu() const
{
    AFX_NEED_WND(nullptr);
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    AFX_NEED_WND(FALSE);
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

void CWnd::DrawMenuBar()
{
    if (m_hWnd != NULL)
        ::DrawMenuBar(m_hWnd);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    AFX_NEED_WND(nullptr);
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

// ---- Miscellaneous.

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    if (m_hWnd != NULL)
        ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    CPromptModality modality(m_hWnd);
    return AfxGetPromptHook()->MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (lpLayout != nullptr && lpLayout->hDWP == NULL)
        return;
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    RepositionBarsFiltered(nIDFirst, nIDLast, nIDLeftOver, nFlags, lpRectParam, lpRectClient, bStretch, nullptr, nullptr);
}

void CWnd::RepositionBarsFiltered(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                                  LPCRECT lpRectClient, BOOL bStretch, bool (*pfnSkip)(HWND, void*), void* pContext)
{
    if (m_hWnd == NULL)
        return;
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = nFlags != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

    // Each bar takes its part of layout.rect; the pane gets what is left.
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != nullptr &&
                 (pfnSkip == nullptr || !pfnSkip(hWndChild, pContext)))
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nFlags == reposQuery) {
        if (lpRectParam != NULL) {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != NULL) {
        CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
        if (nFlags == reposExtra && lpRectParam != NULL) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        pLeftOver->CalcWindowRect(&layout.rect);
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

BOOL CWnd::IsTopParentActive() const
{
    CWnd* pTop = GetTopLevelParent();
    if (pTop == nullptr)
        return FALSE;
    HWND hActive = ::GetForegroundWindow();
    return hActive != NULL && (hActive == pTop->m_hWnd || ::GetWindow(hActive, GW_OWNER) == pTop->m_hWnd ||
                               CWnd::FromHandle(hActive)->GetTopLevelParent() == pTop);
}

void CWnd::ActivateTopParent()
{
    CWnd* pTop = GetTopLevelParent();
    if (pTop == nullptr)
        return;
    HWND hActive = ::GetActiveWindow();
    if (hActive == NULL || !(hActive == pTop->m_hWnd || ::IsChild(pTop->m_hWnd, hActive)))
        pTop->SetActiveWindow();
}

// ---- Modal loop: pumps the thread's messages (with the pre-translate walk and idle
// processing) until EndModalLoop.
//
// A dialog made hidden is shown at the first idle moment, once it has laid itself out; but
// a queue that never empties (paints and posts while a device floods the log) would keep it
// hidden, with its owner already disabled, so it is shown once it has waited this long.
const DWORD kModalShowWithinMs = 100;

int CWnd::RunModalLoop(DWORD dwFlags)
{
    const DWORD dwStart = ::GetTickCount();
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    HWND hWndSelf = m_hWnd;
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    CWinThread* pThread = AfxGetThread();
    MSG msgLocal = {};
    MSG* pMsg = pThread != nullptr ? &pThread->m_msgCur : &msgLocal;

    for (;;) {
        while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
            // A message sent to the dialog while the queue was looked at may have ended it.
            if (!ContinueModal())
                goto ExitModal;
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        do {
            BOOL bPumped = pThread != nullptr ? pThread->PumpMessage() : FALSE;
            if (pThread == nullptr) {
                if (::GetMessage(pMsg, NULL, 0, 0)) {
                    if (!AfxTakeDoubleByteHalf(*pMsg) && !WalkPreTranslateTree(NULL, pMsg)) {
                        ::TranslateMessage(pMsg);
                        ::DispatchMessage(pMsg);
                    }
                    bPumped = TRUE;
                }
            }
            if (!bPumped) {
                // WM_QUIT: the outer loop must see it too.
                ::PostQuitMessage((int)pMsg->wParam);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (!::IsWindow(hWndSelf)) {
                // The window went away under the loop.
                return m_nModalResult;
            }
            // A dialog that ended with this message is never shown, not even for a moment.
            if (!ContinueModal())
                goto ExitModal;
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN ||
                              ::GetTickCount() - dwStart >= kModalShowWithinMs)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (pThread != nullptr ? pThread->IsIdleMessage(pMsg) : TRUE) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}

// ---------------------------------------------------------------------------------------
// Default handlers.

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnDisplayChange(UINT, int, int) { Default(); }
LRESULT CWnd::OnThemeChanged() { return Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
