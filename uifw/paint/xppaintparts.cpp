#include "paintparts.h"
#include "xppaintparts.h"

#include "paintdraw.h"
#include "paintsystem.h"

bool GetColorIdPair(CUiPaintManagerXP& pm, int nPair, COLORREF& clrFirst, COLORREF& clrSecond)
{
    const int nFirst = pm.m_nColorIdSlots[2 * nPair];
    const int nSecond = pm.m_nColorIdSlots[2 * nPair + 1];
    if (nFirst == -1 || nSecond == -1)
        return false;
    clrFirst = pm.GetColor(nFirst);
    clrSecond = pm.GetColor(nSecond);
    return true;
}

void FillMenuIconArea(CUiPaintManagerXP& pm, CDC& dc, const CRect& rcArea, bool bRarelyUsed)
{
    if (rcArea.IsRectEmpty())
        return;
    COLORREF clrFirst = 0, clrSecond = 0;
    const int nPair = bRarelyUsed ? kSlotPairRarelyUsed : kSlotPairIconArea;
    if (GetScreenBitsPerPixel() <= 8 || !GetColorIdPair(pm, nPair, clrFirst, clrSecond)) {
        SolidFill(dc, rcArea, pm.GetColor(bRarelyUsed ? 2005 : 1000));
        return;
    }
    CRect rcGradient(rcArea);
    if (!pm.IsThemeColorSchemeUsable()) {
        rcGradient.right = rcArea.left + MulDiv(rcArea.Width(), 7, 10);
        CRect rcRest(rcGradient.right, rcArea.top, rcArea.right, rcArea.bottom);
        SolidFill(dc, rcRest, clrSecond);
    }
    FillGradientRect(dc.GetSafeHdc(), rcGradient, clrFirst, clrSecond, FALSE, 256);
}
