#include "paintgradients.h"

#include "paintdraw.h"

void PaintTwoPartGradient(HDC hDC, const RECT& rc, COLORREF clrFirst, COLORREF clrMiddle, COLORREF clrLast,
                          BOOL bVertical, int nSteps)
{
    // The cut is measured from the rectangle's own start, so a rectangle away from the
    // origin keeps its proportions.
    RECT first = rc;
    RECT second = rc;
    if (bVertical) {
        first.bottom = second.top = rc.top + MulDiv(rc.bottom - rc.top, 2, 5);
        // Vertical gradients run from the bottom up.
        FillGradientRect(hDC, first, clrMiddle, clrFirst, TRUE, nSteps);
        FillGradientRect(hDC, second, clrLast, clrMiddle, TRUE, nSteps);
    } else {
        first.right = second.left = rc.left + MulDiv(rc.right - rc.left, 2, 5);
        FillGradientRect(hDC, first, clrFirst, clrMiddle, FALSE, nSteps);
        FillGradientRect(hDC, second, clrMiddle, clrLast, FALSE, nSteps);
    }
}
