// The base of the framework's popup windows (menus, menu tips). The paint manager reads
// from it the toolbar a menu was opened from and whether the border that meets that
// button is closed; the popup menus fill both in.
#pragma once
#include "afxwin.h"

class CUiToolControlBar;

class CUiPopupBaseWnd : public CWnd {
    DECLARE_DYNCREATE(CUiPopupBaseWnd)
public:
    CUiPopupBaseWnd();
    ~CUiPopupBaseWnd() override;

    // The toolbar from whose button the popup was opened, or null.
    virtual CUiToolControlBar* GetOwnerToolBar();
    // Whether the border side that meets the owner button is drawn closed.
    virtual BOOL IsJoinedBorderClosed();
};
