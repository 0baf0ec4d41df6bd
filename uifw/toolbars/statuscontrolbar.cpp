#include "statuscontrolbar.h"

IMPLEMENT_DYNCREATE(CUiStatusControlBar, CStatusBar)

CUiStatusControlBar::CUiStatusControlBar()
{
}

CUiStatusControlBar::~CUiStatusControlBar()
{
}
