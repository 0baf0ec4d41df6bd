// The script editor's context menu and accelerators.
//
// The menu and the accelerator table are built here rather than loaded from a resource, so
// the editor needs nothing from the program's resource script. The menu keeps the shape the
// commands expect: a menu whose first sub-menu ("Ctx") holds the items.
//
// The menu is shown through the program's one context-menu presenter.
#pragma once
#include "afxwin.h"
#include "afxmenu.h"

// Builds the editor's context menu into menu (empty before); FALSE when the system refuses.
BOOL ColorEditBuildContextMenu(CMenu& menu);
// The editor's accelerators: Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z and Ctrl+Shift+Z. The
// caller destroys the table.
HACCEL ColorEditCreateAccelerators();
