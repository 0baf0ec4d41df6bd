#include "dyntabbar.h"

IMPLEMENT_DYNAMIC(CUiDockDynTabBar, CUiDockDynBar)
IMPLEMENT_DYNCREATE(CUiDynTabControlBar, CUiDynControlBar)

CUiDockDynTabBar::CUiDockDynTabBar(UINT nLevel) : CUiDockDynBar(nLevel)
{
}

CUiDockDynTabBar::~CUiDockDynTabBar()
{
}

CUiDynTabControlBar::CUiDynTabControlBar()
{
}

CUiDynTabControlBar::~CUiDynTabControlBar()
{
}

CUiDockDynBar* CUiDynTabControlBar::CreateInnerDockBar()
{
    return new CUiDockDynTabBar(0);
}

bool CUiControlBar::DockIntoTabbedGroup(CUiControlBar*, int, CFrameWnd*, bool)
{
    return false;
}
