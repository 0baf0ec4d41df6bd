#include "tabwnd.h"

IMPLEMENT_DYNCREATE(CUiTabMdiWnd, CUiTabWnd)

CUiTabMdiWnd::CUiTabMdiWnd()
{
}

CUiTabMdiWnd::~CUiTabMdiWnd()
{
}
