#include "settingspage.h"

#include "conversions.h"
#include "settingsnumbers.h"

BEGIN_MESSAGE_MAP(CSettingsPageBase, CDialog)
    ON_WM_ENABLE()
END_MESSAGE_MAP()

CSettingsPageBase::CSettingsPageBase(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
}

BOOL CSettingsPageBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyle(DS_MODALFRAME, WS_TABSTOP);
    return TRUE;
}

void CSettingsPageBase::OnEnable(BOOL bEnable)
{
    CDialog::OnEnable(bEnable);
    if (!bEnable) {
        // A child page greys its own controls when it is disabled here.
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            if (::IsWindowEnabled(hChild)) {
                m_greyedControls.push_back(hChild);
                ::EnableWindow(hChild, FALSE);
            }
        }
        return;
    }
    for (HWND hChild : m_greyedControls) {
        if (::IsWindow(hChild) && ::GetParent(hChild) == m_hWnd)
            ::EnableWindow(hChild, TRUE);
    }
    m_greyedControls.clear();
}

int CSettingsPageBase::GetDlgItemNumber(int nID) const
{
    CString text;
    GetDlgItemText(nID, text);
    return ParseDecimalClamped(text);
}

void CSettingsPageBase::SetDlgItemNumber(int nID, int nValue)
{
    CString text;
    text.Format("%d", nValue);
    SetDlgItemText(nID, text);
}

int CSettingsPageBase::GetDlgItemHex(int nID) const
{
    CString text;
    GetDlgItemText(nID, text);
    return static_cast<int>(ParseHexText(text));
}

void CSettingsPageBase::SetCheck(int nID, int nChecked)
{
    CheckDlgButton(nID, nChecked ? BST_CHECKED : BST_UNCHECKED);
}

int CSettingsPageBase::GetCheck(int nID) const
{
    return IsDlgButtonChecked(nID) == BST_CHECKED ? 1 : 0;
}

void CSettingsPageBase::EnableItem(int nID, BOOL bEnable)
{
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->EnableWindow(bEnable);
}

void CSettingsPageBase::ShowItem(int nID, BOOL bShow)
{
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CSettingsPageBase::LimitText(int nID, int nChars)
{
    SendDlgItemMessage(nID, EM_LIMITTEXT, nChars, 0);
}

int CSettingsPageBase::GetListIndex(int nID) const
{
    return static_cast<int>(const_cast<CSettingsPageBase*>(this)->SendDlgItemMessage(nID, CB_GETCURSEL, 0, 0));
}

void CSettingsPageBase::SetListIndex(int nID, int nIndex)
{
    SendDlgItemMessage(nID, CB_SETCURSEL, nIndex, 0);
}
