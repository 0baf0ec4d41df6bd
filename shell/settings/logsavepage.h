// CLogSavePage: how many entries the log keeps, the automatic saving of the log to hourly
// files (switch, folder, file-name prefix) and the log list's font size.
#pragma once

#include "afxwin.h"
#include "appsettings.h"
#include "settingspage.h"


class CLogSavePage : public CSettingsPage<CAppSettings> {
public:
    explicit CLogSavePage(CWnd* pParent);

    void PutSettings(const CAppSettings& settings) override;
    int TakeSettings(CAppSettings& settings) override;

protected:
    BOOL OnInitDialog() override;
    // The folder, prefix and folder button are usable only while saving is on; they keep
    // their values either way.
    void ApplySavingRule();
    afx_msg void OnAutoSave();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};
