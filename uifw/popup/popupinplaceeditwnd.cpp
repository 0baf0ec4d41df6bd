#include "popupinplaceeditwnd.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"

const UINT CUiPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection =
    ::RegisterWindowMessageA("CUiPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection");
const UINT CUiPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll =
    ::RegisterWindowMessageA("CUiPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll");

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

} // namespace

CUiPopupMenuWnd::CInPlaceEditWnd::CInPlaceEditWnd(CString* pValue, DWORD_PTR dwValidate, DWORD_PTR dwCommit,
                                                  DWORD_PTR dwHook, DWORD_PTR dwCookie)
    : m_pfnValidate(reinterpret_cast<ValidateProc>(dwValidate)),
      m_pfnCommit(reinterpret_cast<CommitProc>(dwCommit)), m_pfnHook(reinterpret_cast<HookProc>(dwHook)),
      m_dwCookie(dwCookie), m_pValue(pValue), m_bFlags(0), m_pMenu(nullptr)
{
}

CUiPopupMenuWnd::CInPlaceEditWnd::~CInPlaceEditWnd() {}

BOOL CUiPopupMenuWnd::CInPlaceEditWnd::Create(CUiPopupMenuWnd* pMenu, const RECT& rect, UINT nID)
{
    m_bFlags &= ~kCommitting;
    m_strInitial = m_pValue != nullptr ? *m_pValue : CString();
    m_pMenu = pMenu;
    // Hidden: the menu shows it when its item becomes current.
    if (!CEdit::Create(WS_CHILD | ES_AUTOHSCROLL, rect, pMenu, nID))
        return FALSE;
    if (CUiPaintManager* pPaint = PaintManager())
        SendMessage(WM_SETFONT, (WPARAM)pPaint->m_fontNormal.GetSafeHandle(), TRUE);
    ::SetWindowTextA(m_hWnd, m_strInitial);
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
    return TRUE;
}

void CUiPopupMenuWnd::CInPlaceEditWnd::PostNcDestroy()
{
    delete this;
}

void CUiPopupMenuWnd::CInPlaceEditWnd::PostCancelMode()
{
    ::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
}

CString CUiPopupMenuWnd::CInPlaceEditWnd::Text() const
{
    CString str;
    const int n = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, str.GetBuffer(n + 1), n + 1);
    str.ReleaseBuffer();
    return str;
}

LRESULT CUiPopupMenuWnd::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnHook != nullptr) {
        LRESULT lResult = 0;
        if (m_pfnHook(&lResult, message, wParam, lParam, this, m_dwCookie))
            return lResult;
    }
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* pRect = reinterpret_cast<RECT*>(lParam);
        pRect->left += 2;
        pRect->top += 2;
        pRect->bottom -= 2;
        return 0;
    }
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        // No edit context menu inside a menu.
        return 0;
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_CHAR:
        return GuardedEdit(message, wParam, lParam);
    case WM_KILLFOCUS:
        ShowWindow(SW_HIDE);
        // A typed text that was not entered is dropped.
        if ((m_bFlags & kCommitting) == 0)
            ::SetWindowTextA(m_hWnd, m_pValue != nullptr ? (LPCSTR)*m_pValue : "");
        return CEdit::WindowProc(message, wParam, lParam);
    default:
        break;
    }
    if (message == g_nMsgDeleteSelection) {
        DeleteSelection();
        return 0;
    }
    if (message == g_nMsgSelectAll) {
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(EM_SCROLLCARET);
        return 0;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

LRESULT CUiPopupMenuWnd::CInPlaceEditWnd::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case VK_ESCAPE:
        if (m_pMenu != nullptr)
            m_pMenu->ReturnFromInplaceEdit();
        return 0;
    case VK_MENU:
        PostCancelMode();
        return 0;
    case VK_RETURN: {
        m_bFlags |= kCommitting;
        const HWND hWnd = m_hWnd;
        const HWND hMenu = ::GetParent(hWnd);
        const CString strText = Text();
        const bool bAccepted = m_pfnValidate == nullptr || m_pfnValidate(this, m_dwCookie, strText, strText);
        // The callbacks may have ended the menu, and this object with its window.
        if (bAccepted && ::IsWindow(hWnd)) {
            if (m_pfnCommit != nullptr)
                m_pfnCommit(this, m_dwCookie, strText);
            else if (m_pValue != nullptr)
                *m_pValue = strText;
        }
        if (::IsWindow(hWnd))
            ::PostMessageA(hMenu, WM_CANCELMODE, 0, 0);
        return 0;
    }
    default:
        break;
    }
    if (::GetAsyncKeyState(VK_MENU) < 0) {
        PostCancelMode();
        return 0;
    }
    return GuardedEdit(WM_KEYDOWN, wParam, lParam);
}

LRESULT CUiPopupMenuWnd::CInPlaceEditWnd::GuardedEdit(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CString strOld = Text();
    const DWORD dwSel = (DWORD)SendMessage(EM_GETSEL);
    // Redraw stays off until the refused change is undone, so nothing flickers.
    SendMessage(WM_SETREDRAW, FALSE);
    const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    if (!::IsWindow(m_hWnd))
        return lResult;
    const CString strNew = Text();
    if (m_pfnValidate != nullptr && !m_pfnValidate(this, m_dwCookie, strOld, strNew)) {
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(EM_SCROLLCARET);
        SendMessage(EM_REPLACESEL, FALSE, (LPARAM)(LPCSTR)strOld);
        SendMessage(EM_SETSEL, LOWORD(dwSel), HIWORD(dwSel));
        SendMessage(EM_SCROLLCARET);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    ::UpdateWindow(m_hWnd);
    return lResult;
}

void CUiPopupMenuWnd::CInPlaceEditWnd::DeleteSelection()
{
    DWORD dwStart = 0, dwEnd = 0;
    SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    if (dwStart != dwEnd) {
        SendMessage(EM_REPLACESEL, FALSE, (LPARAM)"");
        return;
    }
    SendMessage(WM_SETREDRAW, FALSE);
    SendMessage(EM_SETSEL, dwStart, dwStart + 1);
    SendMessage(EM_SCROLLCARET);
    SendMessage(EM_REPLACESEL, FALSE, (LPARAM)"");
    SendMessage(EM_SETSEL, dwStart, dwStart);
    SendMessage(EM_SCROLLCARET);
    SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
}

void CUiPopupMenuWnd::CInPlaceEditWnd::PaintFrame()
{
    CRect rcWindow, rcClient;
    ::GetWindowRect(m_hWnd, rcWindow);
    ::GetClientRect(m_hWnd, rcClient);
    ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
    if (rcWindow == rcClient)
        return;
    CUiPaintManager* pPaint = PaintManager();
    if (pPaint == nullptr)
        return;
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    HDC hDC = ::GetWindowDC(m_hWnd);
    ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    HBRUSH hBrush = ::CreateSolidBrush(pPaint->GetColor(5));
    ::FillRect(hDC, rcWindow, hBrush);
    ::DeleteObject(hBrush);
    ::ReleaseDC(m_hWnd, hDC);
}
