// The framework's popup menu behind the context-menu seam: the menu is filled through the
// receiver's command profile (bound on the receiver or one of its ancestors), its items take
// their state from the receiver's update handlers, and the chosen command is posted to the
// receiver. The tracking owns the menu once it is shown.
#pragma once
#include "contextmenupresenter.h"

class CUiPopupMenuPresenter : public IContextMenuPresenter
{
public:
    BOOL TrackContextMenu(CWnd* pTarget, CMenu& menu, CPoint ptScreen) override;
};
