// The metrics that depend on where a control bar stands.
#include "paintmanageroffice2003.h"

#include "controlbar.h"
#include "paintsystem.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

void CUiPaintManager::AdjustBarClientRect(CUiControlBar* pBar, CRect& rc)
{
    if (pBar != nullptr && pBar->IsDockedVertically())
        rc.DeflateRect(1, 3);
    else
        rc.DeflateRect(3, 1);
}

int CUiPaintManager::GetFixedBarPadding(CUiControlBar* pBar)
{
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)))
        return 0;
    return 6;
}

BOOL CUiPaintManager::IsToolBarThemedFrame(CUiControlBar*)
{
    return FALSE;
}

// The bar's "second extended style bit" that the themed frame also asks for names no field
// of the toolbar; it counts as clear.
bool CUiPaintManagerOffice2003::IsThemedDockedToolBar(CUiControlBar* pBar)
{
    CUiToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CUiToolControlBar, pBar);
    if (pToolBar == nullptr || !pToolBar->IsBarDocked() || pToolBar->IsBarFloating())
        return false;
    if (pToolBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)) || pToolBar->IsKindOf(RUNTIME_CLASS(CUiPanelControlBar)))
        return false;
    return !pToolBar->m_bContentWrapped;
}

void CUiPaintManagerOffice2003::AdjustBarClientRect(CUiControlBar* pBar, CRect& rc)
{
    if (GetScreenBitsPerPixel() > 8)
        return;
    CUiPaintManagerXP::AdjustBarClientRect(pBar, rc);
    if (pBar != nullptr && pBar->IsDockedVertically())
        rc.InflateRect(0, 2);
    else
        rc.InflateRect(2, 0);
}

int CUiPaintManagerOffice2003::GetFixedBarPadding(CUiControlBar* pBar)
{
    if (GetScreenBitsPerPixel() > 8 && pBar != nullptr && pBar->IsBarDocked() && !pBar->IsBarFloating())
        return 0;
    return CUiPaintManagerXP::GetFixedBarPadding(pBar);
}

BOOL CUiPaintManagerOffice2003::IsToolBarThemedFrame(CUiControlBar* pBar)
{
    return GetScreenBitsPerPixel() > 8 && IsThemedDockedToolBar(pBar);
}
