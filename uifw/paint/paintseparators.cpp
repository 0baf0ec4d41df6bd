// Separators, menu separator items, menu borders, the border of a menu joined with its
// button, and status-bar panes in the classic look, with the border lines of a bar that
// every look draws alike.
#include "paintmanager.h"

#include "afxext.h"
#include "paintparts.h"
#include "statuspanepaintdata.h"

#include <algorithm>

void GrowOnSide(CRect& rc, int nSide, int n)
{
    switch (nSide) {
    case 1:
        rc.bottom += n;
        break;
    case 2:
        rc.top -= n;
        break;
    case 3:
        rc.left -= n;
        break;
    case 4:
        rc.right += n;
        break;
    default:
        break;
    }
}

namespace {

// One-pixel lines along the sides of rc, leaving out the side nOpen.
void DrawRing(CDC& dc, const CRect& rc, int nOpen, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (nOpen != 2)
        SolidFill(dc, rc.left, rc.top, rc.Width(), 1, clrTopLeft);
    if (nOpen != 3)
        SolidFill(dc, rc.left, rc.top, 1, rc.Height(), clrTopLeft);
    if (nOpen != 4)
        SolidFill(dc, rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
    if (nOpen != 1)
        SolidFill(dc, rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
}

} // namespace

void CUiPaintManager::PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject*, LPARAM)
{
    if (!bTransparent)
        SolidFill(dc, rc, GetColor(1000));
    CRect rcLine = TwoPixelSeparatorLine(rc, bHorz);
    Frame3d(dc, rcLine, GetColor(1006), GetColor(1004));
}

CRect TwoPixelSeparatorLine(const CRect& rc, BOOL bHorz)
{
    CRect rcLine(rc);
    if (bHorz) {
        const int mid = (rc.left + rc.right) / 2;
        rcLine.left = mid - 1;
        rcLine.right = mid + 1;
        rcLine.bottom -= 1;
    } else {
        const int mid = (rc.top + rc.bottom) / 2;
        rcLine.top = mid - 1;
        rcLine.bottom = mid + 1;
        rcLine.right -= 1;
    }
    return rcLine;
}

void CUiPaintManager::PaintInsetLine(CDC& dc, const CRect& rcItem, int, BOOL bRarelyUsed, CObject*, LPARAM)
{
    if (rcItem.IsRectEmpty())
        return;
    if (bRarelyUsed) {
        CRect rcFill(rcItem);
        rcFill.InflateRect(2, 0);
        ::FillRect(dc.GetSafeHdc(), &rcFill, (HBRUSH)m_brushHalftone[0].GetSafeHandle());
    } else {
        SolidFill(dc, rcItem, GetColor(1000));
    }
    const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
    const int mid = (rcItem.top + rcItem.bottom) / 2;
    CRect rcLine(rcItem.left + nInset, mid - 1, rcItem.right - nInset, mid + 1);
    Frame3d(dc, rcLine, GetColor(bRarelyUsed ? 1000 : 1006), GetColor(1004));
}

void CUiPaintManager::PaintMenuBorder(CDC& dc, const CRect& rc, CObject*, LPARAM)
{
    if (rc.IsRectEmpty())
        return;
    CRect rcRing(rc);
    const int ids[4][2] = {{1000, 1008}, {1004, 1006}, {1000, 1000}, {1000, 1000}};
    for (const auto& pair : ids) {
        Frame3d(dc, rcRing, GetColor(pair[0]), GetColor(pair[1]));
        rcRing.DeflateRect(1, 1);
    }
}

// The clip region is the caller's again when this returns: the painters exclude the owner
// button from it, and a menu that clipped its scroll area or its child windows must not be
// painted over afterwards.
void CUiPaintManager::PaintMenuJoinedArea(CDC& dc, const CRect& rcBorder, const CRect& rcButton, int nSide,
                                          CObject*, LPARAM)
{
    if (rcBorder.IsRectEmpty())
        return;
    const int nWidth = GetToolBarButtonGap() - 1;
    CRect rcArea(rcBorder);
    GrowOnSide(rcArea, nSide, nWidth);
    CRect rcExclude(rcButton);
    if (nSide == 1 || nSide == 2)
        rcExclude.DeflateRect(nWidth, 0);
    else
        rcExclude.DeflateRect(0, nWidth);
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&rcExclude);
    SolidFill(dc, rcArea, GetColor(1000));
    DrawRing(dc, rcBorder, nSide, GetColor(1000), GetColor(1006));
    CRect rcInner(rcBorder);
    rcInner.DeflateRect(1, 1);
    GrowOnSide(rcInner, nSide, 1);
    DrawRing(dc, rcInner, nSide, GetColor(1004), GetColor(1008));
    dc.RestoreDC(nSaved);
}

void PaintBarBorderLines(CDC& dc, const StatusPanePaintData& data, COLORREF clrFirst, COLORREF clrSecond)
{
    const DWORD dwStyle = data.m_dwBarStyle;
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    const CRect& rc = data.m_rcItem;
    const int cyBorder2 = 2 * ::GetSystemMetrics(SM_CYBORDER);
    int top = rc.top, bottom = rc.bottom;
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
        top += cyBorder2;
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
        bottom -= cyBorder2;
    const bool b3d = (dwStyle & CBRS_BORDER_3D) != 0;
    const int in = b3d ? 1 : 0;
    if ((dwStyle & CBRS_BORDER_LEFT) != 0)
        SolidFill(dc, rc.left, top, 1, bottom - top, clrSecond);
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
        SolidFill(dc, rc.left, rc.top, rc.Width(), 1, clrSecond);
    if ((dwStyle & CBRS_BORDER_RIGHT) != 0)
        SolidFill(dc, rc.right - 1 - in, top, 1, bottom - top, clrSecond);
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
        SolidFill(dc, rc.left, rc.bottom - 1 - in, rc.Width(), 1, clrSecond);
    if (!b3d)
        return;
    if ((dwStyle & CBRS_BORDER_LEFT) != 0)
        SolidFill(dc, rc.left + 1, top, 1, bottom - top, clrFirst);
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
        SolidFill(dc, rc.left, rc.top + 1, rc.Width(), 1, clrFirst);
    if ((dwStyle & CBRS_BORDER_RIGHT) != 0)
        SolidFill(dc, rc.right - 1, top, 1, bottom - top, clrFirst);
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
        SolidFill(dc, rc.left, rc.bottom - 1, rc.Width(), 1, clrFirst);
}

void CUiPaintManager::PaintStatusPane(CDC& dc, StatusPanePaintData& data)
{
    if (data.m_dwKind == StatusPanePaintData::kPane)
        Frame3d(dc, data.m_rcItem, GetColor(1006), GetColor(1004));
    else
        PaintBarBorderLines(dc, data, GetColor(1000), GetColor(1000));
}
