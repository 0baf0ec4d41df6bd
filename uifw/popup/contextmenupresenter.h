// How a window shows its context menu (the log list, the hex editors, the script editor). The
// window hands over the menu, the screen point and itself as the command receiver; the one
// presenter the application installed at start-up shows the menu's first submenu. Without a
// presenter nothing opens (tests install their own).
#pragma once

#include "afxwin.h"

class IContextMenuPresenter
{
public:
    virtual ~IContextMenuPresenter() {}
    // Shows the first submenu of menu at ptScreen with pTarget as command receiver. FALSE:
    // nothing was shown (nothing is left behind).
    virtual BOOL TrackContextMenu(CWnd* pTarget, CMenu& menu, CPoint ptScreen) = 0;
};

// The presenter every context menu goes through (not owned); null: no menus.
void SetContextMenuPresenter(IContextMenuPresenter* pPresenter);
IContextMenuPresenter* GetContextMenuPresenter();
// Loads menu resource nMenuId and shows it through the presenter; FALSE when there is no
// presenter, the resource is missing or nothing was shown.
BOOL TrackContextMenuResource(CWnd* pTarget, UINT nMenuId, CPoint ptScreen);
