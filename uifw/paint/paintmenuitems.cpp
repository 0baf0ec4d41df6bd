// Popup-menu items of the classic look (a half-tone band marks rarely used items, the
// selection is the highlight colour behind the text), with the insertion marker and the focus
// frame that every look draws alike.
#include "paintmanager.h"

#include "menuitemcombofield.h"
#include "menuitemparts.h"
#include "paintparts.h"
#include "cmdicon.h"

namespace {

void FillHalftone(CUiPaintManager& pm, CDC& dc, const CRect& rc)
{
    ::FillRect(dc.GetSafeHdc(), &rc, (HBRUSH)pm.m_brushHalftone[0].GetSafeHandle());
}

void PaintSelectedDivider(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcArrow)
{
    CRect rcColumn(rcArrow.left, data.m_rcItem.top, data.m_rcItem.right, data.m_rcItem.bottom);
    if (data.Has(MenuItemPaintData::kRarelyUsed))
        FillHalftone(pm, dc, rcColumn);
    else
        SolidFill(dc, rcColumn, pm.GetColor(1000));
}

} // namespace

void CUiPaintManager::PaintMenuItem(CDC& dc, MenuItemPaintData& data)
{
    const CRect rcItem(data.m_rcItem);
    if (rcItem.IsRectEmpty())
        return;
    const bool bSelected = data.Has(MenuItemPaintData::kSelected);
    const bool bEnabled = data.Has(MenuItemPaintData::kEnabled);
    const bool bRarely = data.Has(MenuItemPaintData::kRarelyUsed);
    const bool bMarked = data.Has(MenuItemPaintData::kChecked) || data.Has(MenuItemPaintData::kRadio);
    const bool bIcon = IsNonEmptyIcon(data.m_pIcon);

    if (bRarely) {
        FillHalftone(*this, dc, rcItem);
        if (!data.Has(MenuItemPaintData::kPrevRarelyUsed))
            SolidFill(dc, rcItem.left, rcItem.top, rcItem.Width(), 1, GetColor(COLOR_BTNSHADOW));
        if (!data.Has2(MenuItemPaintData::kNextRarelyUsed))
            SolidFill(dc, rcItem.left, rcItem.bottom - 1, rcItem.Width(), 1, GetColor(COLOR_3DHILIGHT));
    } else {
        SolidFill(dc, rcItem, GetColor(1000));
    }
    if (bSelected || !bRarely) {
        CRect rcText(rcItem);
        if (bIcon || bMarked)
            rcText.left += data.m_cxIconArea;
        rcText.DeflateRect(1, 1);
        SolidFill(dc, rcText, GetColor(bSelected ? COLOR_HIGHLIGHT : 1000));
    }

    MenuItemLook look = {};
    look.clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : 1010);
    look.clrArrow = look.clrText;
    look.nTextInset = 3;
    PaintMenuItemTexts(*this, dc, data, look, PaintSelectedDivider);

    CRect rcIcon = MenuItemIconRect(data);
    if (data.Has2(MenuItemPaintData::kIconRightHalf) && data.Has2(MenuItemPaintData::kCheckBoxLeft)) {
        CRect rcBox = MenuItemCheckBoxRect(data);
        FillHalftone(*this, dc, rcBox);
        if (data.Has(MenuItemPaintData::kChecked))
            PaintMenuItemMark(*this, dc, data, rcBox);
        Frame3d(dc, rcBox, GetColor(1006), GetColor(1004));
    }
    CRect rcMarked(rcIcon);
    rcMarked.InflateRect(2, 2);
    if (bMarked)
        FillHalftone(*this, dc, rcMarked);
    if (!bIcon)
        PaintSysCmdGlyph(dc, data.m_nSysCmd, rcIcon, bSelected, FALSE, bEnabled);
    else
        data.m_pIcon->Paint(&dc, rcIcon.TopLeft(), bEnabled ? CUiCmdIcon::kPaintNormal : CUiCmdIcon::kPaintDisabled);
    if (bMarked) {
        if (!bIcon)
            PaintMenuItemMark(*this, dc, data, rcIcon);
        Frame3d(dc, rcMarked, GetColor(1006), GetColor(1004));
    } else if (bIcon && bSelected && bEnabled) {
        Frame3d(dc, rcMarked, GetColor(1004), GetColor(1006));
    }

    if (!data.m_rcInPlace.IsRectEmpty()) {
        CRect rcField(data.m_rcInPlace);
        rcField.InflateRect(2, 2, 2, 3);
        if (data.Has(MenuItemPaintData::kPopup)) {
            PaintMenuItemFieldInside(*this, dc, data, PaintMenuItemComboFrame(*this, dc, data, rcField));
            return;
        }
        Frame3d(dc, rcField, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
        CRect rcInner(rcField);
        rcInner.DeflateRect(1, 1);
        if (bSelected)
            Frame3d(dc, rcInner, GetColor(COLOR_BTNSHADOW), GetColor(COLOR_3DHILIGHT));
        else
            Frame3d(dc, rcInner, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
        PaintMenuItemFieldInside(*this, dc, data, rcInner);
    }
}

void CUiPaintManager::PaintInsertionMarker(CDC& dc, const CRect& rc, BOOL bNearEdge, BOOL bHorz)
{
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    if (bHorz) {
        const int X = bNearEdge ? rc.left : rc.right;
        const int T = rc.top, B = rc.bottom;
        SolidFill(dc, CRect(X - 1, T - 1, X + 1, B + 1), clr);
        SolidFill(dc, CRect(X - 3, T - 1, X + 3, T), clr);
        SolidFill(dc, CRect(X - 2, T - 1, X + 2, T + 1), clr);
        SolidFill(dc, CRect(X - 3, B, X + 3, B + 1), clr);
        SolidFill(dc, CRect(X - 2, B - 1, X + 2, B + 1), clr);
        return;
    }
    const int Y = bNearEdge ? rc.top : rc.bottom;
    const int L = rc.left, R = rc.right;
    SolidFill(dc, CRect(L - 1, Y - 1, R + 1, Y + 1), clr);
    SolidFill(dc, CRect(L - 1, Y - 3, L, Y + 3), clr);
    SolidFill(dc, CRect(L - 1, Y - 2, L + 1, Y + 2), clr);
    SolidFill(dc, CRect(R, Y - 3, R + 1, Y + 3), clr);
    SolidFill(dc, CRect(R - 1, Y - 2, R + 1, Y + 2), clr);
}

void CUiPaintManager::PaintFocusFrame(CDC& dc, const CRect& rc)
{
    if (!dc.RectVisible(&rc))
        return;
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    CRect rcFrame(rc);
    Frame3d(dc, rcFrame, clr, clr);
    rcFrame.DeflateRect(1, 1);
    Frame3d(dc, rcFrame, clr, clr);
}
