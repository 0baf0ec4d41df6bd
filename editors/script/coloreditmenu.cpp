// The script editor's context menu and its accelerators.
#include "coloreditmenu.h"
#include "afxres.h"

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
