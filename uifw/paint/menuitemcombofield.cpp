#include "menuitemcombofield.h"

#include "barpaintdata.h"

CRect PaintMenuItemComboFrame(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcField)
{
    const bool bSelected = data.Has(MenuItemPaintData::kSelected);
    const bool bDropped = (data.m_bInPlaceFlags & MenuItemPaintData::kInPlaceDropDownPushed) != 0;
    ComboFramePaintData combo(data.m_pAsking, rcField, bSelected, bSelected && bDropped,
                              data.Has(MenuItemPaintData::kEnabled));
    pm.PaintComboFrame(dc, combo);
    CRect rcEdit(rcField);
    rcEdit.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    return rcEdit;
}
