// The script editor's context menu, its platform presenter and its accelerators.
#include "coloreditmenu.h"
#include "coloreditwnd.h"

void CColorEditPlatformMenu::UpdateMenuItems(CMenu* pMenu, CCmdTarget* pTarget)
{
    if (pMenu == NULL || pTarget == NULL)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        CMenu* pSub = pMenu->GetSubMenu((int)state.m_nIndex);
        if (pSub != NULL) {
            UpdateMenuItems(pSub, pTarget);
            continue;
        }
        state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separator
        state.m_pSubMenu = NULL;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CColorEditPlatformMenu::ShowContextMenu(CMenu* pPopup, CPoint ptScreen, CWnd* pTarget)
{
    if (pPopup == NULL || pTarget == NULL)
        return;
    UpdateMenuItems(pPopup, pTarget);
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pTarget);
}

CColorEditPlatformMenu& CColorEditPlatformMenu::Instance()
{
    static CColorEditPlatformMenu s_presenter;
    return s_presenter;
}

BOOL ColorEditBuildContextMenu(CMenu& menu)
{
    CMenu popup;
    if (!menu.CreateMenu() || !popup.CreatePopupMenu())
        return FALSE;
    struct Item {
        UINT nID;
        LPCSTR pszText;
    };
    static const Item items[] = {
        {ID_EDIT_UNDO, "Undo\tCtrl+Z"},
        {ID_EDIT_REDO, "Redo\tCtrl+Shift+Z"},
        {0, NULL},
        {ID_EDIT_CUT, "Cut\tCtrl+X"},
        {ID_EDIT_COPY, "&Copy\tCtrl+C"},
        {ID_EDIT_PASTE, "Paste\tCtrl+V"},
        {0, NULL},
        {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
    };
    for (const Item& item : items) {
        BOOL bOk = item.nID == 0 ? popup.AppendMenu(MF_SEPARATOR)
                                 : popup.AppendMenu(MF_STRING, item.nID, item.pszText);
        if (!bOk)
            return FALSE;
    }
    // The menu owns the popup from here on.
    if (!menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.GetSafeHmenu(), "Ctx"))
        return FALSE;
    popup.Detach();
    return TRUE;
}

HACCEL ColorEditCreateAccelerators()
{
    ACCEL accel[] = {
        {FVIRTKEY | FCONTROL, 'A', ID_EDIT_SELECT_ALL},
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
        {FVIRTKEY | FCONTROL | FSHIFT, 'Z', ID_EDIT_REDO},
    };
    return ::CreateAcceleratorTable(accel, (int)(sizeof(accel) / sizeof(accel[0])));
}
