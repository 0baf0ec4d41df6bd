// CUiComboBox: edit hook, enabled state, focus, dropping, hover, flat painting and
// type-ahead completion.
#include "uicombobox.h"
#include "barpaintdata.h"
#include "memorydc.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiComboBox, CComboBox)

CUiComboBox::CUiComboBox() : m_bComboFlags(kTypeAhead | kEditMenu | kCompletionArmed)
{
}

CUiComboBox::~CUiComboBox()
{
}

HWND CUiComboBox::EditChild() const
{
    return ::GetWindow(m_hWnd, GW_CHILD);
}

void CUiComboBox::AttachEditHook()
{
    HWND hEdit = EditChild();
    if (m_wndEditHook.GetSafeHwnd() != NULL || hEdit == NULL)
        return;
    if (m_bComboFlags & kEditMenu)
        m_wndEditHook.m_bEditFlags |= CUiEditBase::kFrameworkMenu;
    else
        m_wndEditHook.m_bEditFlags &= ~CUiEditBase::kFrameworkMenu;
    m_wndEditHook.SubclassWindow(hEdit);
}

void CUiComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    AttachEditHook();
}

void CUiComboBox::DrawFrameNow(bool bPushed, bool bHover)
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return;
    DrawFlatFrame(bPushed, bHover, *CDC::FromHandle(hDC));
    ::ReleaseDC(m_hWnd, hDC);
}

void CUiComboBox::DrawFlatFrame(bool bPushed, bool bHover, CDC& dc)
{
    HWND hCapture = ::GetCapture();
    if (hCapture != NULL && hCapture != m_hWnd && hCapture != EditChild())
        bHover = false;
    if (GetDroppedState())
        bPushed = true;
    const BOOL bEnabled = IsWindowEnabled();
    if (!bEnabled)
        bHover = bPushed = false;
    if (CUiPopupMenuWnd::IsTrackingMenu()) {
        bHover = false;
    } else {
        HWND hFocus = ::GetFocus();
        if (hFocus == m_hWnd || (hFocus != NULL && ::GetParent(hFocus) == m_hWnd))
            bHover = true;
    }
    CRect rc;
    GetClientRect(&rc);
    ComboFramePaintData data(this, rc, bHover, bPushed, bEnabled);
    PaintManagerHolder::Get()->PaintComboFrame(dc, data);
}

void CUiComboBox::PaintFlat(bool bPushed, bool bHover)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    CDC* pDC = CDC::FromHandle(hDC);
    if ((GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0) {
        CComboBox::DefWindowProc(WM_PAINT, (WPARAM)hDC, 0);
        DrawFlatFrame(bPushed, bHover, *pDC);
    } else {
        CRect rcClient;
        GetClientRect(&rcClient);
        ExcludeChildWindowsFromClip(hDC, m_hWnd, nullptr, 0);
        CUiMemoryDC dc(pDC, &rcClient);
        CComboBox::DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
        DrawFlatFrame(bPushed, bHover, dc);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CUiComboBox::StartHover()
{
    m_bComboFlags |= kRepaintPending;
    if (!(m_bComboFlags & kHoverTimer)) {
        m_bComboFlags |= kHoverTimer;
        SetTimer(kHoverTimerId, kHoverPeriod, NULL);
        HoverTimerStep();
    }
}

void CUiComboBox::HoverTimerStep()
{
    POINT pt;
    ::GetCursorPos(&pt);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rcWindow.PtInRect(pt)) {
        if (m_bComboFlags & kRepaintPending) {
            m_bComboFlags &= ~kRepaintPending;
            Invalidate();
        }
        return;
    }
    m_bComboFlags &= ~(kRepaintPending | kHoverTimer);
    Invalidate();
    KillTimer(kHoverTimerId);
    // The combo that owns the focus (the focus window or its parent) takes the hover look over.
    HWND hFocus = ::GetFocus();
    const HWND candidates[2] = {hFocus, hFocus != NULL ? ::GetParent(hFocus) : NULL};
    for (HWND h : candidates) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd != this && pWnd->IsKindOf(RUNTIME_CLASS(CUiComboBox))) {
            static_cast<CUiComboBox*>(pWnd)->StartHover();
            break;
        }
    }
}

BOOL CUiComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && !(m_bComboFlags & (kRepaintPending | kHoverTimer)) &&
        (pMsg->hwnd == m_hWnd || ::GetParent(pMsg->hwnd) == m_hWnd))
        StartHover();
    if (m_bComboFlags & kTypeAhead) {
        if (pMsg->message == WM_SYSCHAR)
            return TRUE;
        if (pMsg->message == WM_KEYDOWN) {
            if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK)
                m_bComboFlags &= ~kCompletionArmed;
            else
                m_bComboFlags |= kCompletionArmed;
        }
    } else {
        m_bComboFlags &= ~kCompletionArmed;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

void CUiComboBox::CompleteTypedText()
{
    if ((m_bComboFlags & (kTypeAhead | kCompletionArmed)) != (kTypeAhead | kCompletionArmed))
        return;
    CString strTyped;
    GetWindowText(strTyped);
    const DWORD dwSel = GetEditSel();
    const int nStart = LOWORD(dwSel), nEnd = HIWORD(dwSel);
    const int nTyped = strTyped.GetLength();
    if (SelectString(-1, strTyped) == CB_ERR) {
        SetWindowText(strTyped);
        SetEditSel(nStart, nEnd);
    }
    if (nEnd >= nTyped || dwSel == (DWORD)CB_ERR)
        SetEditSel(nTyped, -1);
    else
        SetEditSel(nStart, nEnd);
}

BOOL CUiComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITUPDATE)
        CompleteTypedText();
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CUiComboBox::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CREATE: {
        LRESULT lr = CComboBox::WindowProc(nMsg, wParam, lParam);
        AttachEditHook();
        return lr;
    }
    case WM_ENABLE: {
        LRESULT lr = CComboBox::WindowProc(nMsg, wParam, lParam);
        HWND hEdit = EditChild();
        if (hEdit != NULL) {
            ::EnableWindow(hEdit, TRUE);
            ::SendMessageA(hEdit, EM_SETREADONLY, wParam ? FALSE : TRUE, 0);
        }
        Invalidate();
        return lr;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        LRESULT lr = CComboBox::WindowProc(nMsg, wParam, lParam);
        if (!::IsWindow(m_hWnd))
            return lr;
        DrawFrameNow(GetDroppedState() != FALSE, nMsg == WM_SETFOCUS);
        if (nMsg == WM_KILLFOCUS && GetDroppedState())
            ShowDropDown(FALSE);
        return lr;
    }
    case WM_LBUTTONDOWN: {
        if ((GetStyle() & 3) == CBS_SIMPLE)
            break;
        HWND hWnd = m_hWnd;
        HWND hParent = ::GetParent(hWnd);
        if (hParent != NULL)
            ::SendMessageA(hParent, WM_CANCELMODE, 0, 0);
        if (!::IsWindow(hWnd))
            return 0;
        if (m_wndEditHook.GetSafeHwnd() != NULL)
            m_wndEditHook.SetFocus();
        else
            SetFocus();
        DrawFrameNow(true, true);
        PostMessage(CB_SHOWDROPDOWN, GetDroppedState() ? FALSE : TRUE);
        return 0;
    }
    case WM_LBUTTONUP: {
        LRESULT lr = CComboBox::WindowProc(nMsg, wParam, lParam);
        Invalidate();
        return lr;
    }
    case WM_MOUSEMOVE: {
        LRESULT lr = CComboBox::WindowProc(nMsg, wParam, lParam);
        StartHover();
        return lr;
    }
    case WM_TIMER:
        if (wParam == kHoverTimerId) {
            HoverTimerStep();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        const DWORD dwOldEx = (DWORD)GetExStyle();
        const DWORD dwEdges = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
        if (dwOldEx & dwEdges) {
            ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)(dwOldEx & ~dwEdges));
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        POINT pt;
        ::GetCursorPos(&pt);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        PaintFlat(false, rcWindow.PtInRect(pt) != FALSE);
        return 0;
    }
    default:
        break;
    }
    return CComboBox::WindowProc(nMsg, wParam, lParam);
}
