// The metrics that depend on where a control bar stands.
#include "paintmanageroffice2003.h"

#include "paintsystem.h"

void CUiPaintManager::AdjustBarClientRect(CUiControlBar*, CRect& rc)
{
    rc.DeflateRect(3, 1);
}

int CUiPaintManager::GetFixedBarPadding(CUiControlBar*)
{
    return 6;
}

BOOL CUiPaintManager::IsToolBarThemedFrame(CUiControlBar*)
{
    return FALSE;
}

bool CUiPaintManagerOffice2003::IsThemedDockedToolBar(CUiControlBar*)
{
    return false;
}

void CUiPaintManagerOffice2003::AdjustBarClientRect(CUiControlBar* pBar, CRect& rc)
{
    if (GetScreenBitsPerPixel() > 8)
        return;
    CUiPaintManagerXP::AdjustBarClientRect(pBar, rc);
    rc.InflateRect(2, 0);
}

int CUiPaintManagerOffice2003::GetFixedBarPadding(CUiControlBar* pBar)
{
    if (GetScreenBitsPerPixel() > 8 && IsThemedDockedToolBar(pBar))
        return 0;
    return CUiPaintManagerXP::GetFixedBarPadding(pBar);
}

BOOL CUiPaintManagerOffice2003::IsToolBarThemedFrame(CUiControlBar* pBar)
{
    return GetScreenBitsPerPixel() > 8 && IsThemedDockedToolBar(pBar);
}
