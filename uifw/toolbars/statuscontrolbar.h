// The framework's status bar (id 0xE801 in a frame): the window whose handlers relay the
// system changes of its frame to the paint manager.
#pragma once
#include "afxext.h"

class CUiStatusControlBar : public CStatusBar {
    DECLARE_DYNCREATE(CUiStatusControlBar)
public:
    CUiStatusControlBar();
    ~CUiStatusControlBar() override;
};
