// The command-update object of popup menus: what the receiver's update handlers set goes
// into the menu item.
#pragma once
#include "afxwin.h"
#include "popupmenuitem.h"

class CUiPopupMenuWnd;

class CUiPopupMenuCmdUI : public CCmdUI {
public:
    CUiPopupMenuCmdUI(HWND hWndReceiver, CUiPopupMenuWnd* pMenu);

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;

    HWND m_hWndReceiver;
    CUiPopupMenuWnd* m_pPopup;
    PopupMenuItemData* m_pItem;
};
