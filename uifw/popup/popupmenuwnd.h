// The framework's popup menu. What the paint manager reads of it: the number of items and
// the last item's flags and icon-area width (the menu-expand area is sized from them).
#pragma once
#include "popupbasewnd.h"

class CUiPopupMenuWnd : public CUiPopupBaseWnd {
    DECLARE_DYNCREATE(CUiPopupMenuWnd)
public:
    CUiPopupMenuWnd();
    ~CUiPopupMenuWnd() override;

    // Item flag: the item has no icon area of its own.
    static const DWORD kItemNoIconArea = 0x10;

    virtual int ItemGetCount() const;
    // The item's flags and the width of its icon area; 0 for an index outside the menu.
    virtual DWORD ItemGetFlags(int nIndex) const;
    virtual int ItemGetIconAreaWidth(int nIndex) const;
};
