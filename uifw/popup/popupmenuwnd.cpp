#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiPopupMenuWnd, CUiPopupBaseWnd)

CUiPopupMenuWnd::CUiPopupMenuWnd()
{
}

CUiPopupMenuWnd::~CUiPopupMenuWnd()
{
}

int CUiPopupMenuWnd::ItemGetCount() const
{
    return 0;
}

DWORD CUiPopupMenuWnd::ItemGetFlags(int) const
{
    return 0;
}

int CUiPopupMenuWnd::ItemGetIconAreaWidth(int) const
{
    return 0;
}
