#include "othersettingdlg.h"

#include "hexviewpage.h"
#include "logsavepage.h"
#include "messagetext.h"
#include "othersettingsapply.h"
#include "resource.h"
#include "toolbarpage.h"

int COtherSettingDlg::s_nLastOtherPage = 0;

COtherSettingDlg::COtherSettingDlg(CAppSettings& settings, CWnd* pParent)
    : CSettingsDlgBase(IDD_OTHER_SETTINGS, pParent), m_nInitialPage(s_nLastOtherPage), m_nEditorIndex(0),
      m_settings(settings)
{
    for (int i = 0; i < kMaxPages; ++i)
        m_settingsPages[i] = NULL;
}

CDialog* COtherSettingDlg::CreatePage(int nIndex, ISettingsPage<CAppSettings>*& pSettings)
{
    pSettings = NULL;
    switch (nIndex) {
    case PageToolbar: {
        CToolbarPage* pPage = new CToolbarPage(this);
        pSettings = pPage;
        return pPage;
    }
    case PageLogSave: {
        CLogSavePage* pPage = new CLogSavePage(this);
        pSettings = pPage;
        return pPage;
    }
    case PageHexView: {
        CHexViewPage* pPage = new CHexViewPage(this);
        pPage->m_nEditorIndex = m_nEditorIndex;
        pSettings = pPage;
        return pPage;
    }
    default:
        return NULL;
    }
}

BOOL COtherSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < kPageCount; ++i) {
        m_pages[i] = CreatePage(i, m_settingsPages[i]);
        if (m_settingsPages[i] != NULL)
            m_settingsPages[i]->PutSettings(m_settings);
    }
    PlacePagesAndImages();
    if (m_nInitialPage >= 0 && m_nInitialPage < kPageCount)
        ShowPage(m_nInitialPage);

    HTREEITEM hRoot = InsertTreeItem(GetMessageText(12001), ImageGroup, TVI_ROOT, m_pages[PageToolbar]);
    HTREEITEM hLog = InsertTreeItem(GetMessageText(12002), ImagePage, hRoot, m_pages[PageLogSave]);
    HTREEITEM hEditor = InsertTreeItem(GetMessageText(12003), ImagePage, hRoot, m_pages[PageHexView]);
    if (m_nInitialPage == PageLogSave)
        m_tree.SelectItem(hLog);
    else if (m_nInitialPage == PageHexView)
        m_tree.SelectItem(hEditor);
    m_tree.Expand(hRoot, TVE_EXPAND);
    return TRUE;
}

void COtherSettingDlg::Apply()
{
    CAppSettings work = m_settings;
    for (int i = 0; i < kPageCount; ++i) {
        if (m_settingsPages[i] != NULL)
            m_settingsPages[i]->TakeSettings(work);
    }
    for (WPARAM nRefresh : ApplyOtherSettingsChanges(m_settings, work))
        PostToFrame(nRefresh);
    m_settings = work;
    PostToFrame(3);
    SaveAppSettings(m_settings);
}
