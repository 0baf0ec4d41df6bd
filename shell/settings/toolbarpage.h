// CToolbarPage: the toolbar size (effective at the next start), the notification-area mode
// and the popup menus' animation.
#pragma once

#include "afxwin.h"
#include "appsettings.h"
#include "settingspage.h"


class CToolbarPage : public CSettingsPage<CAppSettings> {
public:
    explicit CToolbarPage(CWnd* pParent);

    void PutSettings(const CAppSettings& settings) override;
    int TakeSettings(CAppSettings& settings) override;

protected:
};
