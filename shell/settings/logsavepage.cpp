#include "logsavepage.h"

#include "afxdlgs.h"
#include "appsettings.h"
#include "messagetext.h"
#include "resource.h"
#include "settingsvalues.h"

namespace {

const int kMaxLogDigits = 4;
const int kPrefixLimit = 32;

} // namespace

BEGIN_MESSAGE_MAP(CLogSavePage, CSettingsPageBase)
    ON_BN_CLICKED(IDC_LOGSAVE_AUTO, OnAutoSave)
    ON_BN_CLICKED(IDC_LOGSAVE_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CLogSavePage::CLogSavePage(CWnd* pParent) : CSettingsPage<CAppSettings>(IDD_LOG_SAVE_PAGE, pParent)
{
    Create(IDD_LOG_SAVE_PAGE, pParent);
    LimitText(IDC_LOGSAVE_MAX, kMaxLogDigits);
    LimitText(IDC_LOGSAVE_PREFIX, kPrefixLimit);
}

BOOL CLogSavePage::OnInitDialog()
{
    CSettingsPageBase::OnInitDialog();
    SetDlgItemText(IDC_LOGSAVE_MAX_NOTE, GetMessageText(13001));
    SetDlgItemText(IDC_LOGSAVE_AUTO_NOTE, GetMessageText(13002));
    return TRUE;
}

void CLogSavePage::PutSettings(const CAppSettings& settings)
{
    SetDlgItemNumber(IDC_LOGSAVE_MAX, settings.m_nMaxLog);
    SetListIndex(IDC_LOGSAVE_FONT, settings.m_nLogFont);
    SetDlgItemText(IDC_LOGSAVE_FOLDER, settings.m_strPath);
    SetDlgItemText(IDC_LOGSAVE_PREFIX, settings.m_strFilePrefix);
    SetCheck(IDC_LOGSAVE_AUTO, settings.m_nAutoSave);
    ApplySavingRule();
}

int CLogSavePage::TakeSettings(CAppSettings& settings)
{
    settings.m_nMaxLog = AtLeastMinLogEntries(GetDlgItemNumber(IDC_LOGSAVE_MAX));
    settings.m_nAutoSave = GetCheck(IDC_LOGSAVE_AUTO);
    settings.m_nLogFont = GetListIndex(IDC_LOGSAVE_FONT);
    GetDlgItemText(IDC_LOGSAVE_FOLDER, settings.m_strPath);
    GetDlgItemText(IDC_LOGSAVE_PREFIX, settings.m_strFilePrefix);
    return 0;
}

void CLogSavePage::ApplySavingRule()
{
    const BOOL bSaving = GetCheck(IDC_LOGSAVE_AUTO);
    for (int id : {IDC_LOGSAVE_FOLDER, IDC_LOGSAVE_PREFIX, IDC_LOGSAVE_BROWSE})
        EnableItem(id, bSaving);
}

void CLogSavePage::OnAutoSave()
{
    ApplySavingRule();
}

void CLogSavePage::OnBrowse()
{
    CString folder;
    if (AfxBrowseForFolder(this, GetMessageText(13003), folder))
        SetDlgItemText(IDC_LOGSAVE_FOLDER, folder);
}
