#include "saveformatdlg.h"

#include "resource.h"

CSaveFormatDlg::CSaveFormatDlg(CWnd* pParent)
    : CDialog(IDD_SAVE_FORMAT, pParent), m_nFormat(FormatCsv)
{
}

BOOL CSaveFormatDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_SAVEFORMAT_CSV, BM_SETCHECK, BST_CHECKED, 0);
    return TRUE;
}

void CSaveFormatDlg::OnOK()
{
    if (SendDlgItemMessage(IDC_SAVEFORMAT_TEXT, BM_GETCHECK, 0, 0) != 0)
        m_nFormat = FormatText;
    CDialog::OnOK();
}
