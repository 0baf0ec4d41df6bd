// The platform's popup menu behind the context-menu interface.
#include "contextmenupresenter.h"

void CPlatformMenuPresenter::UpdateMenuItems(CWnd* pTarget, CMenu* pPopup)
{
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = pPopup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        // Separators (0) and sub-menus (-1) carry no command of their own.
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;
        state.m_pSubMenu = nullptr;
        state.DoUpdate(pTarget, TRUE);
    }
}

BOOL CPlatformMenuPresenter::TrackContextMenu(CWnd* pTarget, UINT nMenuId, CPoint ptScreen)
{
    CMenu menu;
    if (!menu.LoadMenu(nMenuId))
        return FALSE;
    return TrackMenu(pTarget, menu, ptScreen);
}

BOOL CPlatformMenuPresenter::TrackMenu(CWnd* pTarget, CMenu& menu, CPoint ptScreen)
{
    if (pTarget == nullptr)
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return FALSE;
    UpdateMenuItems(pTarget, pPopup);
    return pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pTarget);
}
