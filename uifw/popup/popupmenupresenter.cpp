#include "popupmenupresenter.h"

#include "popupmenuwnd.h"

BOOL CUiPopupMenuPresenter::TrackContextMenu(CWnd* pTarget, CMenu& menu, CPoint ptScreen)
{
    if (pTarget == nullptr || !::IsWindow(pTarget->GetSafeHwnd()))
        return FALSE;
    CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
    if (!pPopup->LoadMenu(pTarget->GetSafeHwnd(), menu.GetSafeHmenu(), TRUE, TRUE) ||
        !pPopup->TrackMenu(CUiPopupMenuWnd::kOwnerDraw, ptScreen.x, ptScreen.y)) {
        delete pPopup;
        return FALSE;
    }
    return TRUE;
}
