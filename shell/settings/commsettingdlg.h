// CCommSettingDlg: "通信設定", the communication set edited on a working copy. Eight pages
// under four groups of the tree: the set's name and comment, each port's connection, each
// port's receive actions and extension DLL, and the log display. While a port runs (running
// set by the opener) the six port pages are greyed, and Apply takes nothing from them.
//
// The opener sets running, the set-modified mark and initialPage, runs DoModal and, on IDOK,
// takes the mark back and keeps initialPage as the page for the next opening: Apply marks
// the set modified and stores the page shown at that moment there.
#pragma once

#include "commsetrecord.h"
#include "settingsdlgbase.h"
#include "settingspage.h"

class CCommSettingDlg : public CSettingsDlgBase {
public:
    static const int kPageCount = 8;
    enum PageIndex {
        PageCommSet = 0,
        PagePortUse1 = 1,
        PagePortUse2 = 2,
        PageReceiveAction1 = 3,
        PageReceiveAction2 = 4,
        PageDll1 = 5,
        PageDll2 = 6,
        PageLogDisplay = 7
    };

    explicit CCommSettingDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    int m_bRunning;
    // The opener's set-modified mark; Apply sets it, and the opener takes it back on IDOK.
    int m_bSetModified;
    int m_nInitialPage;
    int m_nCurrentPage;

protected:
    void Apply() override;
    void OnPageShown(int nIndex) override { m_nCurrentPage = nIndex; }

    // The page of an index, created hidden with the set put into it; NULL when none.
    CDialog* CreatePage(int nIndex, ISettingsPage<CCommSetRecord>*& pSettings);

    ISettingsPage<CCommSetRecord>* m_settingsPages[kMaxPages];
};
