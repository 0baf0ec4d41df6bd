#include "minidockframewnd.h"

IMPLEMENT_DYNCREATE(CUiMiniDockFrameWnd, CMiniDockFrameWnd)

CUiMiniDockFrameWnd::CUiMiniDockFrameWnd()
{
}

CUiMiniDockFrameWnd::~CUiMiniDockFrameWnd()
{
}
