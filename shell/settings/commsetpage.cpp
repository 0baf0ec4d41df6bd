#include "commsetpage.h"

#include "commsetrecord.h"
#include "resource.h"
#include "settingspagestyle.h"

BEGIN_MESSAGE_MAP(CCommSetPage, CDialog)
    ON_EN_SETFOCUS(IDC_COMMSET_NAME, OnNameFocus)
    ON_EN_SETFOCUS(IDC_COMMSET_COMMENT, OnCommentFocus)
END_MESSAGE_MAP()

namespace {

const int kNameLimit = 64;
const int kCommentLimit = 1024;

void SelectWholeText(CWnd* pEdit)
{
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    pEdit->SendMessage(EM_SCROLLCARET, 0, 0);
}

} // namespace

CCommSetPage::CCommSetPage(CWnd* pParent)
{
    Create(IDD_COMMSET_PAGE, pParent);
}

BOOL CCommSetPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LetTabEnterPage(this);
    SendDlgItemMessage(IDC_COMMSET_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SendDlgItemMessage(IDC_COMMSET_COMMENT, EM_LIMITTEXT, kCommentLimit, 0);
    CWnd* pAutoStart = GetDlgItem(IDC_COMMSET_AUTO_START);
    pAutoStart->EnableWindow(FALSE);
    pAutoStart->ShowWindow(SW_HIDE);
    return TRUE;
}

void CCommSetPage::PutSettings(void* pRecord)
{
    Put(*static_cast<const CCommSetRecord*>(pRecord));
}

int CCommSetPage::TakeSettings(void* pRecord)
{
    Take(*static_cast<CCommSetRecord*>(pRecord));
    return 0;
}

void CCommSetPage::Put(const CCommSetRecord& set)
{
    SetDlgItemText(IDC_COMMSET_NAME, set.m_strSetName);
    SetDlgItemText(IDC_COMMSET_COMMENT, set.m_strComment);
    SetChecked(this, IDC_COMMSET_AUTO_START, set.m_nAutoStart);
}

void CCommSetPage::Take(CCommSetRecord& set)
{
    GetDlgItemText(IDC_COMMSET_NAME, set.m_strSetName);
    GetDlgItemText(IDC_COMMSET_COMMENT, set.m_strComment);
    set.m_nAutoStart = IsChecked(this, IDC_COMMSET_AUTO_START);
}

void CCommSetPage::OnNameFocus()
{
    SelectWholeText(GetDlgItem(IDC_COMMSET_NAME));
}

void CCommSetPage::OnCommentFocus()
{
    SelectWholeText(GetDlgItem(IDC_COMMSET_COMMENT));
}
