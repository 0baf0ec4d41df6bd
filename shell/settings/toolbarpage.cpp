#include "toolbarpage.h"

#include "appsettings.h"
#include "resource.h"
#include "settingsvalues.h"

CToolbarPage::CToolbarPage(CWnd* pParent) : CSettingsPage<CAppSettings>(IDD_TOOLBAR_PAGE, pParent)
{
    Create(IDD_TOOLBAR_PAGE, pParent);
}

void CToolbarPage::PutSettings(const CAppSettings& settings)
{
    SetListIndex(IDC_TOOLBARPAGE_SIZE, settings.m_nToolSize);
    SetListIndex(IDC_TOOLBARPAGE_TRAY, settings.m_nTaskTray);
    CWnd* pEffects = GetDlgItem(IDC_TOOLBARPAGE_MENU_EFFECT);
    pEffects->SendMessage(CB_RESETCONTENT);
    for (int i = 0; kMenuAnimations[i].szName[0] != '\0'; ++i) {
        const LRESULT nItem = pEffects->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kMenuAnimations[i].szName));
        pEffects->SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nItem), kMenuAnimations[i].nNumber);
    }
    pEffects->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(MenuAnimationListIndex(settings.m_nMenuEffect)));
}

int CToolbarPage::TakeSettings(CAppSettings& settings)
{
    settings.m_nToolSize = GetListIndex(IDC_TOOLBARPAGE_SIZE);
    settings.m_nTaskTray = GetListIndex(IDC_TOOLBARPAGE_TRAY);
    CWnd* pEffects = GetDlgItem(IDC_TOOLBARPAGE_MENU_EFFECT);
    const LRESULT nItem = pEffects->SendMessage(CB_GETCURSEL);
    settings.m_nMenuEffect = nItem < 0 ? 0 : static_cast<int>(pEffects->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nItem)));
    return 0;
}
