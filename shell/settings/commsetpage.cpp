#include "commsetpage.h"

#include "commsetrecord.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CCommSetPage, CSettingsPageBase)
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

CCommSetPage::CCommSetPage(CWnd* pParent) : CSettingsPage<CCommSetRecord>(IDD_COMMSET_PAGE, pParent)
{
    Create(IDD_COMMSET_PAGE, pParent);
}

BOOL CCommSetPage::OnInitDialog()
{
    CSettingsPageBase::OnInitDialog();
    LimitText(IDC_COMMSET_NAME, kNameLimit);
    LimitText(IDC_COMMSET_COMMENT, kCommentLimit);
    EnableItem(IDC_COMMSET_AUTO_START, FALSE);
    ShowItem(IDC_COMMSET_AUTO_START, FALSE);
    return TRUE;
}

void CCommSetPage::PutSettings(const CCommSetRecord& set)
{
    SetDlgItemText(IDC_COMMSET_NAME, set.m_strSetName);
    SetDlgItemText(IDC_COMMSET_COMMENT, set.m_strComment);
    SetCheck(IDC_COMMSET_AUTO_START, set.m_nAutoStart);
}

int CCommSetPage::TakeSettings(CCommSetRecord& set)
{
    GetDlgItemText(IDC_COMMSET_NAME, set.m_strSetName);
    GetDlgItemText(IDC_COMMSET_COMMENT, set.m_strComment);
    set.m_nAutoStart = GetCheck(IDC_COMMSET_AUTO_START);
    return 0;
}

void CCommSetPage::OnNameFocus()
{
    SelectWholeText(GetDlgItem(IDC_COMMSET_NAME));
}

void CCommSetPage::OnCommentFocus()
{
    SelectWholeText(GetDlgItem(IDC_COMMSET_COMMENT));
}
