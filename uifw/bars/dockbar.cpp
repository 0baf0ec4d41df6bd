#include "dockbar.h"

IMPLEMENT_DYNAMIC(CUiDockBar, CDockBar)
IMPLEMENT_DYNAMIC(CUiDockOuterBar, CUiDockBar)

CUiDockBar::CUiDockBar(BOOL bFloating) : CDockBar(bFloating)
{
}

CUiDockBar::~CUiDockBar()
{
}

CUiDockOuterBar::CUiDockOuterBar(BOOL bFloating) : CUiDockBar(bFloating)
{
}

CUiDockOuterBar::~CUiDockOuterBar()
{
}
