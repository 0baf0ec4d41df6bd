// The umbrella header of the class library: the core, the collections and templates,
// synchronisation, automation types, the application and thread classes, and the windows:
// message maps, CWnd, drawing, menus, frames and views, dialogs and the standard controls.
// The common dialogs are in afxdlgs.h, the common controls in afxcmn.h, the list view in
// afxcview.h.
#pragma once
#include "afx.h"
#include "afxcoll.h"
#include "afxtempl.h"
#include "afxmt.h"
#include "afxdisp.h"
#include "afxapp.h"
#include "afxwnd.h"
#include "afxdc.h"
#include "afxmenu.h"
#include "afxframe.h"
#include "afxdialog.h"
#include "afxctrls.h"
