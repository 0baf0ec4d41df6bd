#include "logsavepage.h"

#include "afxdlgs.h"
#include "appsettings.h"
#include "messagetext.h"
#include "resource.h"
#include "settingspagestyle.h"
#include "settingsvalues.h"

namespace {

const int kMaxLogDigits = 4;
const int kPrefixLimit = 32;

} // namespace

BEGIN_MESSAGE_MAP(CLogSavePage, CDialog)
    ON_BN_CLICKED(IDC_LOGSAVE_AUTO, OnAutoSave)
    ON_BN_CLICKED(IDC_LOGSAVE_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CLogSavePage::CLogSavePage(CWnd* pParent)
{
    Create(IDD_LOG_SAVE_PAGE, pParent);
    SendDlgItemMessage(IDC_LOGSAVE_MAX, EM_LIMITTEXT, kMaxLogDigits);
    SendDlgItemMessage(IDC_LOGSAVE_PREFIX, EM_LIMITTEXT, kPrefixLimit);
}

BOOL CLogSavePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LetTabEnterPage(this);
    SetDlgItemText(IDC_LOGSAVE_MAX_NOTE, GetMessageText(13001));
    SetDlgItemText(IDC_LOGSAVE_AUTO_NOTE, GetMessageText(13002));
    return TRUE;
}

void CLogSavePage::PutSettings(void* pRecord)
{
    Put(*static_cast<const CAppSettings*>(pRecord));
}

int CLogSavePage::TakeSettings(void* pRecord)
{
    Take(*static_cast<CAppSettings*>(pRecord));
    return 0;
}

void CLogSavePage::Put(const CAppSettings& settings)
{
    CString entries;
    entries.Format("%d", settings.m_nMaxLog);
    SetDlgItemText(IDC_LOGSAVE_MAX, entries);
    SendDlgItemMessage(IDC_LOGSAVE_FONT, CB_SETCURSEL, static_cast<WPARAM>(settings.m_nLogFont));
    SetDlgItemText(IDC_LOGSAVE_FOLDER, settings.m_strPath);
    SetDlgItemText(IDC_LOGSAVE_PREFIX, settings.m_strFilePrefix);
    SetChecked(this, IDC_LOGSAVE_AUTO, settings.m_nAutoSave);
    ApplySavingRule();
}

void CLogSavePage::Take(CAppSettings& settings)
{
    CString entries;
    GetDlgItemText(IDC_LOGSAVE_MAX, entries);
    settings.m_nMaxLog = LogEntriesFromText(entries);
    settings.m_nAutoSave = IsChecked(this, IDC_LOGSAVE_AUTO);
    settings.m_nLogFont = static_cast<int>(SendDlgItemMessage(IDC_LOGSAVE_FONT, CB_GETCURSEL));
    GetDlgItemText(IDC_LOGSAVE_FOLDER, settings.m_strPath);
    GetDlgItemText(IDC_LOGSAVE_PREFIX, settings.m_strFilePrefix);
}

void CLogSavePage::ApplySavingRule()
{
    const BOOL bSaving = IsChecked(this, IDC_LOGSAVE_AUTO);
    for (int id : {IDC_LOGSAVE_FOLDER, IDC_LOGSAVE_PREFIX, IDC_LOGSAVE_BROWSE})
        GetDlgItem(id)->EnableWindow(bSaving);
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
