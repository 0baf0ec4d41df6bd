// The script editor's context menu and accelerators.
//
// The menu and the accelerator table are built here rather than loaded from a resource, so
// the editor needs nothing from the program's resource script. The menu keeps the shape the
// commands expect: a menu whose first sub-menu ("Ctx") holds the items.
//
// The menu is shown through a presenter. CColorEditPlatformMenu shows the platform's popup
// menu after running every item's update handler on the target; a themed popup of the
// window framework can take its place through ColorEditWnd::SetContextMenuPresenter.
#pragma once
#include "afxwin.h"
#include "afxmenu.h"

class CColorEditMenuPresenter {
public:
    virtual ~CColorEditMenuPresenter() {}
    // Shows pPopup at a screen point; the chosen command reaches pTarget as WM_COMMAND.
    virtual void ShowContextMenu(CMenu* pPopup, CPoint ptScreen, CWnd* pTarget) = 0;
};

class CColorEditPlatformMenu : public CColorEditMenuPresenter {
public:
    void ShowContextMenu(CMenu* pPopup, CPoint ptScreen, CWnd* pTarget) override;

    // Runs the update handler of every item, sub-menus included, with pTarget as the
    // command target; an item without a handler keeps its state.
    static void UpdateMenuItems(CMenu* pMenu, CCmdTarget* pTarget);
    // The presenter every editor starts with.
    static CColorEditPlatformMenu& Instance();
};

// Builds the editor's context menu into menu (empty before); FALSE when the system refuses.
BOOL ColorEditBuildContextMenu(CMenu& menu);
// The editor's accelerators: Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z and Ctrl+Shift+Z. The
// caller destroys the table.
HACCEL ColorEditCreateAccelerators();
