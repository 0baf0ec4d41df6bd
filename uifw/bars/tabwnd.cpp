#include "tabwnd.h"

IMPLEMENT_DYNCREATE(CUiTabWnd, CWnd)
IMPLEMENT_DYNCREATE(CUiTabMdiWnd, CUiTabWnd)
IMPLEMENT_DYNCREATE(CUiDynTabWnd, CUiTabWnd)
IMPLEMENT_DYNCREATE(CUiDynAutoHideArea, CUiTabWnd)
IMPLEMENT_DYNCREATE(CUiDynAutoHideSlider, CWnd)

CUiTabWnd::CUiTabWnd() : m_dwTabStyle(0), m_dwTabFlags(0)
{
}

CUiTabWnd::~CUiTabWnd()
{
}

CUiTabMdiWnd::CUiTabMdiWnd()
{
}

CUiTabMdiWnd::~CUiTabMdiWnd()
{
}

CUiDynTabWnd::CUiDynTabWnd()
{
}

CUiDynTabWnd::~CUiDynTabWnd()
{
}

CUiDynAutoHideArea::CUiDynAutoHideArea()
{
}

CUiDynAutoHideArea::~CUiDynAutoHideArea()
{
}

CUiDynAutoHideSlider::CUiDynAutoHideSlider()
{
}

CUiDynAutoHideSlider::~CUiDynAutoHideSlider()
{
}
