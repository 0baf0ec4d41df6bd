#include "toolbarpage.h"

#include "appsettings.h"
#include "resource.h"
#include "settingsvalues.h"

CToolbarPage::CToolbarPage(CWnd* pParent)
{
    Create(IDD_TOOLBAR_PAGE, pParent);
}

void CToolbarPage::PutSettings(void* pRecord)
{
    Put(*static_cast<const CAppSettings*>(pRecord));
}

int CToolbarPage::TakeSettings(void* pRecord)
{
    Take(*static_cast<CAppSettings*>(pRecord));
    return 0;
}

void CToolbarPage::Put(const CAppSettings& settings)
{
    SendDlgItemMessage(IDC_TOOLBARPAGE_SIZE, CB_SETCURSEL, static_cast<WPARAM>(settings.m_nToolSize));
    SendDlgItemMessage(IDC_TOOLBARPAGE_TRAY, CB_SETCURSEL, static_cast<WPARAM>(settings.m_nTaskTray));
    CWnd* pEffects = GetDlgItem(IDC_TOOLBARPAGE_MENU_EFFECT);
    pEffects->SendMessage(CB_RESETCONTENT);
    for (int i = 0; kMenuAnimations[i].szName[0] != '\0'; ++i) {
        const LRESULT nItem = pEffects->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kMenuAnimations[i].szName));
        pEffects->SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nItem), kMenuAnimations[i].nNumber);
    }
    pEffects->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(MenuAnimationListIndex(settings.m_nMenuEffect)));
}

void CToolbarPage::Take(CAppSettings& settings)
{
    settings.m_nToolSize = static_cast<int>(SendDlgItemMessage(IDC_TOOLBARPAGE_SIZE, CB_GETCURSEL));
    settings.m_nTaskTray = static_cast<int>(SendDlgItemMessage(IDC_TOOLBARPAGE_TRAY, CB_GETCURSEL));
    CWnd* pEffects = GetDlgItem(IDC_TOOLBARPAGE_MENU_EFFECT);
    const LRESULT nItem = pEffects->SendMessage(CB_GETCURSEL);
    settings.m_nMenuEffect = nItem < 0 ? 0 : static_cast<int>(pEffects->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nItem)));
}
