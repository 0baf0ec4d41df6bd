#include "commsettingdlg.h"

#include "commsetpage.h"
#include "currentcommset.h"
#include "dllpage.h"
#include "logdisplaypage.h"
#include "messagetext.h"
#include "portusepage.h"
#include "receiveactionpage.h"
#include "resource.h"

namespace {

bool IsPortPage(int nIndex)
{
    return nIndex >= CCommSettingDlg::PagePortUse1 && nIndex <= CCommSettingDlg::PageDll2;
}

template <class Page>
Page* MakePortPage(CWnd* pParent, int nPort)
{
    Page* pPage = new Page(pParent);
    pPage->SetPort(nPort);
    return pPage;
}

} // namespace

CCommSettingDlg::CCommSettingDlg(CWnd* pParent)
    : CSettingsDlgBase(IDD_COMM_SETTINGS, pParent), m_bRunning(0), m_bSetModified(0), m_nInitialPage(0), m_nCurrentPage(0)
{
    for (int i = 0; i < kMaxPages; ++i)
        m_settingsPages[i] = NULL;
}

CDialog* CCommSettingDlg::CreatePage(int nIndex, ISettingsPage<CCommSetRecord>*& pSettings)
{
    pSettings = NULL;
    switch (nIndex) {
    case PageCommSet: {
        CCommSetPage* pPage = new CCommSetPage(this);
        pSettings = pPage;
        return pPage;
    }
    case PagePortUse1:
    case PagePortUse2: {
        CPortUsePage* pPage = MakePortPage<CPortUsePage>(this, nIndex - PagePortUse1);
        pSettings = pPage;
        return pPage;
    }
    case PageReceiveAction1:
    case PageReceiveAction2: {
        CReceiveActionPage* pPage = MakePortPage<CReceiveActionPage>(this, nIndex - PageReceiveAction1);
        pSettings = pPage;
        return pPage;
    }
    case PageDll1:
    case PageDll2: {
        CDllPage* pPage = MakePortPage<CDllPage>(this, nIndex - PageDll1);
        pSettings = pPage;
        return pPage;
    }
    case PageLogDisplay: {
        CLogDisplayPage* pPage = new CLogDisplayPage(this);
        pSettings = pPage;
        return pPage;
    }
    default:
        return NULL;
    }
}

BOOL CCommSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nCurrentPage = m_nInitialPage;

    const CCommSetRecord& set = GetCurrentCommSet();
    for (int i = 0; i < kPageCount; ++i) {
        m_pages[i] = CreatePage(i, m_settingsPages[i]);
        if (m_settingsPages[i] != NULL)
            m_settingsPages[i]->PutSettings(set);
        if (m_bRunning && IsPortPage(i) && m_pages[i] != NULL)
            m_pages[i]->EnableWindow(FALSE);
    }
    PlacePagesAndImages();

    // Groups and their pages, in page order.
    static const struct {
        int nGroupCode;
        int nItemCode;
    } kTree[kPageCount] = {
        {11002, 11003}, {11004, 11005}, {11004, 11006}, {11007, 11008},
        {11007, 11009}, {11007, 11010}, {11007, 11011}, {11012, 11013},
    };
    HTREEITEM hGroup = NULL;
    for (int i = 0; i < kPageCount; ++i) {
        if (i == 0 || kTree[i].nGroupCode != kTree[i - 1].nGroupCode) {
            if (hGroup != NULL)
                m_tree.Expand(hGroup, TVE_EXPAND);
            hGroup = InsertTreeItem(GetMessageText(kTree[i].nGroupCode), ImageGroup, TVI_ROOT, NULL);
        }
        const int nImage = m_bRunning && IsPortPage(i) ? ImageLocked : ImagePage;
        HTREEITEM hItem = InsertTreeItem(GetMessageText(kTree[i].nItemCode), nImage, hGroup, m_pages[i]);
        if (i == m_nInitialPage)
            m_tree.SelectItem(hItem);
    }
    m_tree.Expand(hGroup, TVE_EXPAND);
    return TRUE;
}

void CCommSettingDlg::Apply()
{
    CCommSetRecord work;
    CopyCurrentCommSet(work);
    for (int i = 0; i < kPageCount; ++i) {
        if (m_settingsPages[i] == NULL || (m_bRunning && IsPortPage(i)))
            continue;
        m_settingsPages[i]->TakeSettings(work);
    }
    const bool bDisplayChanged = GetCurrentCommSet().CompareLogDisplay(work) != 0;
    AssignCurrentCommSet(work);
    m_bSetModified = 1;
    if (bDisplayChanged)
        PostToFrame(0);
    m_nInitialPage = m_nCurrentPage;
}
