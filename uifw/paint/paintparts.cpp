#include "paintparts.h"

#include "paintmanager.h"

void SolidFill(CDC& dc, const RECT& rc, COLORREF clr)
{
    FillSolidRect(dc.GetSafeHdc(), rc, clr);
}

void SolidFill(CDC& dc, int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(dc.GetSafeHdc(), rc, clr);
}

void Frame3d(CDC& dc, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const COLORREF clrOld = dc.GetBkColor();
    dc.Draw3dRect(&rc, clrTopLeft, clrBottomRight);
    dc.SetBkColor(clrOld);
}
