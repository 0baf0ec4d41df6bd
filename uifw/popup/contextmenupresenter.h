// How a window shows its context menu (the log list, the hex editors). The window names
// the menu resource, the screen point and itself as the command target; the presenter
// builds the popup from the resource's first sub-menu, tracks it, sends the chosen command
// to the target and destroys what it built.
//
// CPlatformMenuPresenter is the first presenter: the platform's own popup menu, with the
// enabled state of each item taken from the target's update handlers just before it opens
// (an item without any handler is greyed). The framework's themed popup takes its place
// behind the same interface.
#pragma once

#include "afxwin.h"

class IContextMenuPresenter
{
public:
    virtual ~IContextMenuPresenter() {}
    // Shows the first sub-menu of menu resource nMenuId at ptScreen with pTarget as command
    // target. FALSE when the menu could not be loaded or shown (nothing is left behind).
    virtual BOOL TrackContextMenu(CWnd* pTarget, UINT nMenuId, CPoint ptScreen) = 0;
};

class CPlatformMenuPresenter : public IContextMenuPresenter
{
public:
    BOOL TrackContextMenu(CWnd* pTarget, UINT nMenuId, CPoint ptScreen) override;
    // The same for a menu at hand (its first sub-menu is shown).
    static BOOL TrackMenu(CWnd* pTarget, CMenu& menu, CPoint ptScreen);

    // Sets the enabled state of every item of pPopup from pTarget's update handlers.
    static void UpdateMenuItems(CWnd* pTarget, CMenu* pPopup);
};
