// CLogSavePage: how many entries the log keeps, the automatic saving of the log to hourly
// files (switch, folder, file-name prefix) and the log list's font size.
#pragma once

#include "afxwin.h"
#include "isettingspage.h"

class CAppSettings;

class CLogSavePage : public CDialog, public ISettingsPage {
public:
    explicit CLogSavePage(CWnd* pParent);

    void PutSettings(void* pRecord) override;
    int TakeSettings(void* pRecord) override;
    void Put(const CAppSettings& settings);
    void Take(CAppSettings& settings);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // The folder, prefix and folder button are usable only while saving is on; they keep
    // their values either way.
    void ApplySavingRule();
    afx_msg void OnAutoSave();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};
