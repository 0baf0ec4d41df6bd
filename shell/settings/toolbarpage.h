// CToolbarPage: the toolbar size (effective at the next start), the notification-area mode
// and the popup menus' animation.
#pragma once

#include "afxwin.h"
#include "isettingspage.h"

class CAppSettings;

class CToolbarPage : public CDialog, public ISettingsPage {
public:
    explicit CToolbarPage(CWnd* pParent);

    void PutSettings(void* pRecord) override;
    int TakeSettings(void* pRecord) override;
    void Put(const CAppSettings& settings);
    void Take(CAppSettings& settings);

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
