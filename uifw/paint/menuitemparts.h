// The steps of menu-item painting both bodies share: texts, submenu arrow, icon rectangle,
// icon or system-command glyph, check mark, and the in-place field's inside. The looks
// paint backgrounds, selection, fills and frames around them.
#pragma once
#include "menuitempaintdata.h"

struct MenuItemLook {
    COLORREF clrText;
    COLORREF clrArrow;
    // Inset of the text area at top and bottom.
    int nTextInset;
    // A disabled text is drawn through DrawState with this brush (NULL: DrawState's own effect).
    HBRUSH hDisabledBrush;
};

// The item right of its icon area.
CRect MenuItemTextArea(const MenuItemPaintData& data);
// The arrow column of a submenu item.
CRect MenuItemArrowRect(const MenuItemPaintData& data);
// The rectangle the icon (or the glyph or check mark in its place) takes.
CRect MenuItemIconRect(const MenuItemPaintData& data);

// Steps 3 to 6: text, accelerator text, submenu arrow (the divider of a split item is
// painted by pfnDivider when the item is selected), with the DC's font, mode and text colour
// restored afterwards.
void PaintMenuItemTexts(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const MenuItemLook& look,
                        void (*pfnSelectedDivider)(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data,
                                                   const CRect& rcArrow));
// The check mark or radio bullet at the centre of rcIcon less 3, in colour 1010.
void PaintMenuItemMark(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcIcon);
// The check box of an item with a check box in the left half of its icon area: its fill and
// frame come from the look.
CRect MenuItemCheckBoxRect(const MenuItemPaintData& data);
// The inside of the in-place field (already framed by the look) and its text.
void PaintMenuItemFieldInside(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcField);
