// Popup-menu items of the flat looks: the icon column in its own colour or gradient, the
// selection a framed band over the whole item, checked icons on a pressed-colour square.
#include "paintmanagerxp.h"

#include "menuitemcombofield.h"
#include "menuitemparts.h"
#include "paintdraw.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "xppaintparts.h"

namespace {

void PaintSelectedDivider(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcArrow)
{
    const CRect& rcItem = data.m_rcItem;
    SolidFill(dc, rcArrow.left, rcItem.top, 1, rcItem.Height(), pm.GetColor(2003));
    SolidFill(dc, rcArrow.left + 1, rcItem.top, 1, rcItem.Height(), pm.GetColor(2004));
}

// The pressed pair's gradient (hover-pressed when selected), else a solid pressed colour.
void FillMarkedSquare(CUiPaintManagerXP& pm, CDC& dc, const CRect& rc, bool bSelected)
{
    COLORREF clrFirst = 0, clrSecond = 0;
    if (GetScreenBitsPerPixel() > 8 &&
        GetColorIdPair(pm, bSelected ? kSlotPairHoverPressed : kSlotPairPressed, clrFirst, clrSecond))
        FillGradientRect(dc.GetSafeHdc(), rc, clrSecond, clrFirst, TRUE, 256);
    else
        SolidFill(dc, rc, pm.GetColor(bSelected ? 2003 : 1001));
}

} // namespace

void CUiPaintManagerXP::PaintMenuItem(CDC& dc, MenuItemPaintData& data)
{
    const CRect rcItem(data.m_rcItem);
    if (rcItem.IsRectEmpty())
        return;
    const bool bSelected = data.Has(MenuItemPaintData::kSelected);
    const bool bEnabled = data.Has(MenuItemPaintData::kEnabled);
    const bool bMarked = data.Has(MenuItemPaintData::kChecked) || data.Has(MenuItemPaintData::kRadio);
    const bool bIcon = IsNonEmptyIcon(data.m_pIcon);
    const COLORREF clrFrame = GetColor(2004);

    SolidFill(dc, rcItem, GetColor(2001));
    if (!data.Has2(MenuItemPaintData::kNoIconArea)) {
        CRect rcIconArea(rcItem);
        rcIconArea.right = rcItem.left + data.m_cxIconArea;
        FillMenuIconArea(*this, dc, rcIconArea, data.Has(MenuItemPaintData::kRarelyUsed));
    }
    if (bSelected) {
        SolidFill(dc, rcItem, GetColor(1001));
        Frame3d(dc, rcItem, clrFrame, clrFrame);
    }

    CBrush brushDisabled(GetColor(COLOR_BTNSHADOW));
    MenuItemLook look = {};
    look.clrText = GetColor(1010);
    look.clrArrow = look.clrText;
    look.nTextInset = 1;
    look.hDisabledBrush = (HBRUSH)brushDisabled.GetSafeHandle();
    PaintMenuItemTexts(*this, dc, data, look, PaintSelectedDivider);

    CRect rcIcon = MenuItemIconRect(data);
    if (data.Has2(MenuItemPaintData::kIconRightHalf) && data.Has2(MenuItemPaintData::kCheckBoxLeft)) {
        CRect rcBox = MenuItemCheckBoxRect(data);
        FillMarkedSquare(*this, dc, rcBox, bSelected);
        if (data.Has(MenuItemPaintData::kChecked))
            PaintMenuItemMark(*this, dc, data, rcBox);
        Frame3d(dc, rcBox, clrFrame, clrFrame);
    }
    CRect rcMarked(rcIcon);
    rcMarked.InflateRect(2, 2);
    if (bMarked)
        FillMarkedSquare(*this, dc, rcMarked, bSelected);
    if (!bIcon) {
        PaintSysCmdGlyph(dc, data.m_nSysCmd, rcIcon, bSelected, FALSE, bEnabled);
    } else {
        CRect rcUnused;
        PaintCmdIcon(dc, TRUE, "", data.m_pIcon, rcIcon, rcUnused, bMarked, bEnabled, bSelected, 0);
    }
    if (bMarked) {
        if (!bIcon)
            PaintMenuItemMark(*this, dc, data, rcIcon);
        Frame3d(dc, rcMarked, clrFrame, clrFrame);
    }

    if (!data.m_rcInPlace.IsRectEmpty()) {
        CRect rcField(data.m_rcInPlace);
        rcField.InflateRect(2, 2);
        if (data.Has(MenuItemPaintData::kPopup)) {
            CRect rcEdit = PaintMenuItemComboFrame(*this, dc, data, rcField);
            rcEdit.DeflateRect(1, 1);
            if (bSelected) {
                Frame3d(dc, rcEdit, GetColor(2004), GetColor(2004));
            } else {
                Frame3d(dc, rcEdit, GetColor(1000), GetColor(1000));
                Frame3d(dc, CRect(rcEdit.left + 1, rcEdit.top + 1, rcEdit.right - 1, rcEdit.bottom - 1),
                        GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOW));
            }
            PaintMenuItemFieldInside(*this, dc, data, rcEdit);
            return;
        }
        const COLORREF clrField = bSelected ? clrFrame : GetColor(COLOR_3DLIGHT);
        Frame3d(dc, rcField, clrField, clrField);
        PaintMenuItemFieldInside(*this, dc, data, rcField);
    }
}
