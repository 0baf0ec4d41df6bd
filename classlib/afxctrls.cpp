// The standard controls: what is more than a message, and the owner-draw reflection.
#include "afxctrls.h"

namespace {

// An item's text into rString: empty when the length query fails (nError), else read into a
// buffer of that length.
template <class Fetch>
void ReadItemText(CString& rString, int nLen, int nError, Fetch fetch)
{
    rString.Empty();
    if (nLen == nError)
        return;
    fetch(rString.GetBuffer(nLen));
    rString.ReleaseBuffer();
}

// The owner-draw messages a list box and a combo box both reflect to their own virtuals;
// FALSE for any other message.
template <class Ctrl>
BOOL ReflectOwnerDraw(Ctrl& ctrl, UINT message, LPARAM lParam, LRESULT& lResult)
{
    switch (message) {
    case WM_DRAWITEM:
        ctrl.DrawItem((LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        ctrl.MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        return TRUE;
    case WM_COMPAREITEM:
        lResult = ctrl.CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        return TRUE;
    case WM_DELETEITEM:
        ctrl.DeleteItem((LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    ReadItemText(rString, GetTextLen(nIndex), LB_ERR, [&](LPSTR p) { GetText(nIndex, p); });
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
int CListBox::VKeyToItem(UINT, UINT) { return -1; }
int CListBox::CharToItem(UINT, UINT) { return -1; }

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult;
    if (message == WM_VKEYTOITEM)
        lResult = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
    else if (message == WM_CHARTOITEM)
        lResult = CharToItem(LOWORD(wParam), HIWORD(wParam));
    else if (!ReflectOwnerDraw(*this, message, lParam, lResult))
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    ReadItemText(rString, GetLBTextLen(nIndex), CB_ERR, [&](LPSTR p) { GetLBText(nIndex, p); });
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult;
    if (!ReflectOwnerDraw(*this, message, lParam, lResult))
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}
