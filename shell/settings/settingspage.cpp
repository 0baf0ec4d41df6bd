#include "settingspage.h"

#include "conversions.h"
#include "settingsnumbers.h"

CSettingsPageBase::CSettingsPageBase(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
}

BOOL CSettingsPageBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyle(DS_MODALFRAME, WS_TABSTOP);
    return TRUE;
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
