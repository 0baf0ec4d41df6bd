// COtherSettingDlg: "その他の設定", the application settings edited on a working copy. Three
// pages: the root "ｼｽﾃﾑ設定" (toolbar, notification area, menu animation), "ﾛｸﾞ" (log saving)
// and "ｴﾃﾞｨﾀ" (the display of the four hex editors, starting at editorIndex).
//
// The page last chosen in the tree is remembered for the life of the process and is where
// the next dialog opens, unless the opener sets initialPage itself.
#pragma once

#include "appsettings.h"
#include "settingsdlgbase.h"
#include "settingspage.h"

class COtherSettingDlg : public CSettingsDlgBase {
public:
    static const int kPageCount = 3;
    enum PageIndex { PageToolbar = 0, PageLogSave = 1, PageHexView = 2 };

    // settings: the application settings that Apply writes back.
    explicit COtherSettingDlg(CAppSettings& settings, CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    int m_nInitialPage;
    int m_nEditorIndex;

    // The page last chosen in the tree of any other-settings dialog.
    static int s_nLastOtherPage;

protected:
    void Apply() override;
    void OnPageShown(int nIndex) override { s_nLastOtherPage = nIndex; }

    // The page of an index, created hidden; NULL when none.
    CDialog* CreatePage(int nIndex, ISettingsPage<CAppSettings>*& pSettings);

    CAppSettings& m_settings;
    ISettingsPage<CAppSettings>* m_settingsPages[kMaxPages];
};
