// The toolbar of every pane: a framework toolbar bound to a control-bar control of the pane's
// template. A pane is narrow and its commands are few, so it never shows the chevron that a
// frame toolbar shows when its buttons do not fit.
#pragma once
#include "toolcontrolbar.h"

class CPaneToolBar : public CUiToolControlBar {
public:
    CPaneToolBar();
    ~CPaneToolBar() override;

    CUiBarContentExpandButton* CreateContentExpandButton() override;
};

// Lays the pane's toolbars out along its top edge, in child order, with tips and fly-by
// prompts, and gives the control nLeftOverId what is left of the client area.
void LayoutPaneBars(CWnd* pPane, UINT nLeftOverId);
