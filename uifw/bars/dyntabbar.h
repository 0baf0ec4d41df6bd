// Tabbed groups of bars: several resizable bars in one place, one shown at a time, chosen by a
// tab strip along the group's bottom edge.
#pragma once
#include "dynbar.h"

class CUiDockDynTabBar : public CUiDockDynBar {
    DECLARE_DYNAMIC(CUiDockDynTabBar)
public:
    explicit CUiDockDynTabBar(UINT nLevel = 0);
    ~CUiDockDynTabBar() override;
};

class CUiDynTabControlBar : public CUiDynControlBar {
    DECLARE_DYNCREATE(CUiDynTabControlBar)
public:
    CUiDynTabControlBar();
    ~CUiDynTabControlBar() override;
    CUiDockDynBar* CreateInnerDockBar() override;
};
