// The in-place field of a popup item is a combo: the combo frame around it, the width of a
// scroll bar kept for its drop-down button.
#pragma once
#include "menuitempaintdata.h"

// Paints the combo frame around rcField; the part of the field left of the button.
CRect PaintMenuItemComboFrame(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcField);
