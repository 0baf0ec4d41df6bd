// Separators, menu separator items, menu borders, joined menu borders and status panes of
// the flat looks. Office 2003 frames the separators of its toolbars and status bar with its
// own colours and draws a menu border joined with its button only where the button is a
// real button of a docked bar.
#include "paintmanageroffice2003.h"

#include "barbutton.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "popupmenuwnd.h"
#include "statuscontrolbar.h"
#include "statuspanepaintdata.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"
#include "xppaintparts.h"

namespace {

// The joined side of a menu opened from a toolbar's chevron, without the scheme's colours:
// short lines at both ends of that side, as long as the bar's button extra space.
void PaintChevronMenuJoint(CUiPaintManager& pm, CDC& dc, const CRect& rcBorder, int nSide)
{
    const CSize extra = pm.GetBarButtonExtraSpace();
    const COLORREF clr = pm.GetColor(3008);
    if (nSide == 1 || nSide == 2) {
        const int y = nSide == 2 ? rcBorder.top : rcBorder.bottom - 1;
        SolidFill(dc, rcBorder.left, y, extra.cx, 1, clr);
        SolidFill(dc, rcBorder.right - extra.cx, y, extra.cx, 1, clr);
    } else {
        const int x = nSide == 3 ? rcBorder.left : rcBorder.right - 1;
        SolidFill(dc, x, rcBorder.top, 1, extra.cy, clr);
        SolidFill(dc, x, rcBorder.bottom - extra.cy, 1, extra.cy, clr);
    }
}

} // namespace

void CUiPaintManagerXP::PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject*, LPARAM)
{
    if (!bTransparent)
        SolidFill(dc, rc, GetColor(1000));
    CRect rcLine(rc);
    if (bHorz) {
        rcLine.left = (rc.left + rc.right) / 2 - 1;
        rcLine.right = rcLine.left + 1;
        rcLine.DeflateRect(0, 1);
    } else {
        rcLine.top = (rc.top + rc.bottom) / 2 - 1;
        rcLine.bottom = rcLine.top + 1;
        rcLine.DeflateRect(1, 0);
    }
    if (!rcLine.IsRectEmpty())
        SolidFill(dc, rcLine, GetColor(2002));
}

void CUiPaintManagerOffice2003::PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent,
                                               CObject* pAsking, LPARAM lParam)
{
    const bool bStatusBar = pAsking != nullptr && pAsking->IsKindOf(RUNTIME_CLASS(CUiStatusControlBar));
    const bool bBar = pAsking != nullptr && (pAsking->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) ||
                                             pAsking->IsKindOf(RUNTIME_CLASS(CUiBarButton)));
    if ((!bStatusBar && !bBar) || GetScreenBitsPerPixel() <= 8) {
        CUiPaintManagerXP::PaintSeparator(dc, rc, bHorz, bTransparent, pAsking, lParam);
        return;
    }
    if (!bTransparent)
        SolidFill(dc, rc, GetColor(1000));
    CRect rcLine = TwoPixelSeparatorLine(rc, bHorz);
    // A toolbar stretches its separator across the whole row; the status bar narrows its own.
    if (!bStatusBar) {
        if (bHorz) {
            rcLine.top += 3;
            rcLine.bottom -= 4;
        } else {
            rcLine.left += 4;
            rcLine.right -= 5;
        }
    }
    if (!rcLine.IsRectEmpty())
        Frame3d(dc, rcLine, GetColor(3011), GetColor(3010));
}

void CUiPaintManagerXP::PaintInsetLine(CDC& dc, const CRect& rcItem, int cxIconArea, BOOL bRarelyUsed, CObject*,
                                       LPARAM)
{
    if (rcItem.IsRectEmpty())
        return;
    CRect rcIconArea(rcItem);
    rcIconArea.right = rcItem.left + cxIconArea;
    FillMenuIconArea(*this, dc, rcIconArea, bRarelyUsed != FALSE);
    CRect rcRest(rcItem);
    rcRest.left = rcIconArea.right;
    SolidFill(dc, rcRest, GetColor(2001));
    // The line takes the colour of the look's toolbar separators: the icon area's colours
    // are too close to the menu's own for a light button face (Wine's, and the Windows
    // default of later versions) to leave the line visible.
    const int mid = (rcItem.top + rcItem.bottom) / 2;
    CRect rcLine(rcIconArea.right + 3, mid, rcItem.right, mid + 1);
    if (!rcLine.IsRectEmpty())
        SolidFill(dc, rcLine, GetColor(2002));
}

void CUiPaintManagerXP::PaintMenuBorder(CDC& dc, const CRect& rc, CObject*, LPARAM)
{
    if (rc.IsRectEmpty())
        return;
    const COLORREF clrOuter = GetColor(2007);
    const COLORREF clrInner = GetColor(2001);
    Frame3d(dc, rc, clrOuter, clrOuter);
    CRect rcInner(rc);
    rcInner.DeflateRect(1, 1);
    Frame3d(dc, rcInner, clrInner, clrInner);
    rcInner.right -= 1;
    rcInner.bottom -= 1;
    Frame3d(dc, rcInner, clrInner, clrInner);
}

// The clip region is the caller's again when this returns (see the classic look's body).
void CUiPaintManagerXP::PaintMenuJoinedArea(CDC& dc, const CRect& rcBorder, const CRect& rcButton, int nSide,
                                            CObject*, LPARAM)
{
    if (rcBorder.IsRectEmpty())
        return;
    SolidFill(dc, rcBorder, GetColor(2000));
    CRect rcFrame(rcBorder);
    GrowOnSide(rcFrame, nSide, 1);
    CRect rcExclude(rcButton);
    rcExclude.DeflateRect(1, 1);
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&rcExclude);
    const COLORREF clr = GetColor(2007);
    Frame3d(dc, rcFrame, clr, clr);
    dc.RestoreDC(nSaved);
}

void CUiPaintManagerOffice2003::PaintMenuJoinedArea(CDC& dc, const CRect& rcBorderIn, const CRect& rcButton,
                                                    int nSide, CObject* pAsking, LPARAM lParam)
{
    if (rcBorderIn.IsRectEmpty())
        return;
    CUiPopupMenuWnd* pMenu = DYNAMIC_DOWNCAST(CUiPopupMenuWnd, pAsking);
    CUiToolControlBar* pBar = pMenu != nullptr ? pMenu->GetOwnerToolBar() : nullptr;
    if (pMenu == nullptr || GetScreenBitsPerPixel() <= 8 ||
        (pBar != nullptr && (pBar->m_bContentWrapped || pBar->m_pDockSite == nullptr))) {
        CUiPaintManagerXP::PaintMenuJoinedArea(dc, rcBorderIn, rcButton, nSide, pAsking, lParam);
        return;
    }
    CUiBarButton* pButton = nullptr;
    if (pBar != nullptr && pBar->m_nMenuTrackingIndex >= 0 && pBar->m_nMenuTrackingIndex < pBar->m_arrButtons.GetSize())
        pButton = pBar->m_arrButtons[pBar->m_nMenuTrackingIndex];
    const bool bMenuBar = pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar));
    if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CUiBarContentExpandButton)) && !bMenuBar) {
        if (!IsThemeColorSchemeUsable())
            PaintChevronMenuJoint(*this, dc, rcBorderIn, nSide);
        return;
    }

    CRect rcBorder(rcBorderIn);
    GrowOnSide(rcBorder, nSide, 1);
    CRect rcExclude(rcButton);
    rcExclude.DeflateRect(1, 1);
    // A button with an icon always joins its menu: only text buttons may close the border.
    const bool bIconButton = pButton != nullptr && IsNonEmptyIcon(pButton->GetIconPtr());
    const bool bClosed = pMenu->IsJoinedBorderClosed() && !bMenuBar && !bIconButton;
    if (bClosed && nSide == 4) {
        rcBorder.right -= 2;
        rcExclude.right -= 2;
    } else if (bClosed && nSide == 3) {
        rcBorder.left += 1;
        rcExclude.left += 1;
    }
    const COLORREF clrFrame = GetColor(2007);
    const int nSaved = dc.SaveDC();
    // The owner button is excluded before the fill: the border rect reaches into the button.
    dc.ExcludeClipRect(&rcExclude);
    SolidFill(dc, rcBorder, GetColor(bClosed ? 2000 : 2001));
    // Joined, the frame stays open where it meets the button; closed, it runs round.
    if (!bClosed)
        Frame3d(dc, rcBorder, clrFrame, clrFrame);
    dc.RestoreDC(nSaved);
    if (bClosed)
        Frame3d(dc, rcBorder, clrFrame, clrFrame);
}

void CUiPaintManagerXP::PaintStatusPane(CDC& dc, StatusPanePaintData& data)
{
    if (data.m_dwKind != StatusPanePaintData::kPane) {
        CUiPaintManager::PaintStatusPane(dc, data);
        return;
    }
    const COLORREF clr = GetColor(COLOR_BTNSHADOW);
    Frame3d(dc, data.m_rcItem, clr, clr);
}

void CUiPaintManagerOffice2003::PaintStatusPane(CDC& dc, StatusPanePaintData& data)
{
    if (data.m_dwKind != StatusPanePaintData::kPane) {
        CUiPaintManager::PaintStatusPane(dc, data);
        return;
    }
    const COLORREF clr = GetColor(3014);
    Frame3d(dc, data.m_rcItem, clr, clr);
}
