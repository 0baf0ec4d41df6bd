// The menu's side of its items' in-place edits: which edit lies under the mouse, showing an
// edit over its field with the focus, taking the focus back on Esc, and the edit keys the
// menu turns into messages while an edit has the focus (the tracking's keyboard hook sees
// every key before the edit does).
#include "popupmenuwnd.h"

#include "popupinplaceeditwnd.h"

bool CUiPopupMenuWnd::IsOwnChild(HWND hWnd) const
{
    return hWnd != NULL && ::IsWindow(m_hWnd) && ::GetParent(hWnd) == m_hWnd &&
           (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

bool CUiPopupMenuWnd::PassOnToInplaceEdit(CPoint pt, bool& bPassOn)
{
    if (!::IsWindow(m_hWnd))
        return false;
    ::ClientToScreen(m_hWnd, &pt);
    const HWND hUnder = ::WindowFromPoint(pt);
    if (!IsOwnChild(hUnder))
        return false;
    for (int i = 0; i < ItemGetCount(); ++i) {
        const CWnd* pEdit = m_items[i].m_pInplaceEdit;
        if (pEdit != nullptr && pEdit->GetSafeHwnd() == hUnder && i != m_nCurIndex) {
            SetCurrentItem(i, FALSE, TRUE, TRUE);
            break;
        }
    }
    bPassOn = true;
    return true;
}

void CUiPopupMenuWnd::ShowInplaceEdit(int nIndex)
{
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return;
    MENUITEMDATA& item = m_items[nIndex];
    CWnd* pEdit = item.m_pInplaceEdit;
    if (pEdit == nullptr || !::IsWindow(pEdit->GetSafeHwnd()) || pEdit->IsWindowVisible())
        return;
    CRect rcItem, rcField;
    GetItemRect(nIndex, rcItem);
    item.GetEditFieldRect(rcItem, rcField);
    pEdit->SetWindowPos(nullptr, rcField.left, rcField.top, rcField.Width(), rcField.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    pEdit->SetFocus();
}

void CUiPopupMenuWnd::ReturnFromInplaceEdit()
{
    if (!::IsWindow(m_hWnd))
        return;
    const int nIndex = m_nCurIndex;
    const HWND hWnd = m_hWnd;
    // The edit hides itself and drops a typed text when it loses the focus.
    SetFocus();
    if (!::IsWindow(hWnd) || nIndex < 0)
        return;
    ReleaseCurrentItem(FALSE);
    SetCurrentItem(nIndex, FALSE, TRUE, TRUE);
}

BOOL CUiPopupMenuWnd::OnInplaceEditKey(UINT nChar, UINT nFlags, HWND hEdit, bool& bPassOn)
{
    bPassOn = false;
    // The Alt key itself, or a key pressed with it: the asynchronous state alone misses
    // both where the system does not keep it for injected input.
    if (nChar == VK_MENU || (nFlags & KF_ALTDOWN) != 0 || ::GetAsyncKeyState(VK_MENU) < 0) {
        PostMessage(WM_CANCELMODE);
        return TRUE;
    }
    if (nChar == VK_ESCAPE) {
        ReturnFromInplaceEdit();
        return TRUE;
    }
    const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    UINT nMsg = 0;
    if (bCtrl) {
        switch (nChar) {
        case VK_INSERT:
        case 'C':
            nMsg = WM_COPY;
            break;
        case 'X':
            nMsg = WM_CUT;
            break;
        case 'V':
            nMsg = WM_PASTE;
            break;
        case 'A':
            nMsg = CInPlaceEditWnd::g_nMsgSelectAll;
            break;
        default:
            break;
        }
    } else if (bShift) {
        if (nChar == VK_DELETE)
            nMsg = WM_CUT;
        else if (nChar == VK_INSERT)
            nMsg = WM_PASTE;
    }
    if (nMsg == 0 && nChar == VK_DELETE && !bShift)
        nMsg = CInPlaceEditWnd::g_nMsgDeleteSelection;
    if (nMsg == 0) {
        bPassOn = true;
        return FALSE;
    }
    ::SendMessageA(hEdit, nMsg, 0, 0);
    return TRUE;
}
