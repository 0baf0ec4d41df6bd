#include "menuitemparts.h"

#include "glyphs.h"
#include "paintdraw.h"
#include "paintparts.h"

#include <algorithm>

CRect MenuItemTextArea(const MenuItemPaintData& data)
{
    CRect rc(data.m_rcItem);
    rc.left += data.m_cxIconArea;
    return rc;
}

CRect MenuItemArrowRect(const MenuItemPaintData& data)
{
    CRect rc(data.m_rcItem);
    rc.DeflateRect(3, 3);
    rc.left = rc.right - 16;
    return rc;
}

CRect MenuItemIconRect(const MenuItemPaintData& data)
{
    CSize size = IsNonEmptyIcon(data.m_pIcon) ? IconSize(data.m_pIcon) : CSize(16, 16);
    if (size.cx < 19 && size.cy < size.cx)
        size.cy = size.cx;
    const CRect& rcItem = data.m_rcItem;
    CRect rcArea(rcItem.left, rcItem.top, rcItem.left + data.m_cxIconArea, rcItem.bottom);
    if (data.Has2(MenuItemPaintData::kIconRightHalf)) {
        rcArea.left += data.m_cxIconArea / 2;
        rcArea.right -= 2;
    }
    const int x = rcArea.left + (rcArea.Width() - size.cx) / 2;
    const int y = rcItem.top + (rcItem.Height() - size.cy) / 2;
    return CRect(x, y, x + size.cx, y + size.cy);
}

CRect MenuItemCheckBoxRect(const MenuItemPaintData& data)
{
    const CRect& rcItem = data.m_rcItem;
    const int cx = rcItem.Height() - 2;
    return CRect(rcItem.left + 1, rcItem.top + 1, rcItem.left + 1 + cx, rcItem.top + 1 + cx);
}

namespace {

void DrawItemText(CDC& dc, LPCSTR lpszText, const CRect& rcArea, bool bRightAligned, const MenuItemLook& look,
                  bool bEnabled, UINT nDisabledFlags)
{
    RECT rcMeasure = {0, 0, 0, 0};
    dc.DrawText(lpszText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
    const int cx = rcMeasure.right - rcMeasure.left;
    const int cy = rcMeasure.bottom - rcMeasure.top;
    const int x = bRightAligned ? rcArea.right - 16 - cx : rcArea.left;
    const int y = rcArea.top + (rcArea.Height() - cy) / 2;
    UINT nFlags = DST_PREFIXTEXT;
    HBRUSH hBrush = NULL;
    if (!bEnabled) {
        nFlags |= nDisabledFlags;
        hBrush = look.hDisabledBrush;
    }
    ::DrawStateA(dc.GetSafeHdc(), hBrush, NULL, (LPARAM)lpszText, lstrlenA(lpszText), x, y, cx, cy, nFlags);
}

} // namespace

void PaintMenuItemTexts(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const MenuItemLook& look,
                        void (*pfnSelectedDivider)(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data,
                                                   const CRect& rcArrow))
{
    const bool bEnabled = data.Has(MenuItemPaintData::kEnabled);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(look.clrText);
    HGDIOBJ hOldFont = dc.SelectObject((HGDIOBJ)pm.m_fontNormal.GetSafeHandle());

    CRect rcText = MenuItemTextArea(data);
    rcText.DeflateRect(3, look.nTextInset);
    if (data.m_pszText != nullptr && data.m_pszText[0] != '\0')
        DrawItemText(dc, data.m_pszText, rcText, false, look, bEnabled, pm.m_nDrawStateDisabledFlag);
    if (data.m_pszAccel != nullptr && data.m_pszAccel[0] != '\0')
        DrawItemText(dc, data.m_pszAccel, rcText, true, look, bEnabled, pm.m_nDrawStateDisabledFlag);

    if (data.Has(MenuItemPaintData::kPopup)) {
        CRect rcArrow = MenuItemArrowRect(data);
        const bool bSplit = data.Has2(MenuItemPaintData::kSplitCommand);
        if (!data.Has2(MenuItemPaintData::kArrowGlyph)) {
            if (bSplit) {
                if (data.Has(MenuItemPaintData::kSelected))
                    pfnSelectedDivider(pm, dc, data, rcArrow);
                else
                    pm.PaintSeparator(dc, CRect(rcArrow.left, data.m_rcItem.top, rcArrow.left + 1, data.m_rcItem.bottom),
                                      TRUE, TRUE, data.m_pAsking, 0);
            }
            dc.SetTextColor(look.clrArrow);
            dc.SelectObject((HGDIOBJ)pm.m_fontMarlett.GetSafeHandle());
            CRect rcChar(rcArrow);
            rcChar.left += 2;
            dc.DrawText("8", 1, &rcChar, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            const COLORREF colors[2] = {0, look.clrArrow};
            pm.PaintGlyphCentered(dc, rcArrow, bSplit ? g_glyphSubmenuArrowBar : g_glyphSubmenuArrow, colors);
        }
    }

    dc.SelectObject(hOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}

void PaintMenuItemMark(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcIcon)
{
    const CPoint centre = rcIcon.CenterPoint();
    if (data.Has(MenuItemPaintData::kChecked))
        PaintCheckMark(dc.GetSafeHdc(), centre.x - 3, centre.y - 3, pm.GetColor(1010));
    else if (data.Has(MenuItemPaintData::kRadio))
        PaintRadioBullet(dc.GetSafeHdc(), centre.x - 3, centre.y - 3, pm.GetColor(1010));
}

void PaintMenuItemFieldInside(CUiPaintManager& pm, CDC& dc, const MenuItemPaintData& data, const CRect& rcField)
{
    CRect rcInside(rcField);
    rcInside.DeflateRect(1, 1);
    SolidFill(dc, rcInside, pm.GetColor(data.Has(MenuItemPaintData::kEnabled) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (data.m_strInPlace.IsEmpty())
        return;
    CRect rcText(rcInside);
    rcText.DeflateRect(5, 2, 2, 1);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(pm.GetColor(COLOR_BTNTEXT));
    HGDIOBJ hOldFont = dc.SelectObject((HGDIOBJ)pm.m_fontNormal.GetSafeHandle());
    dc.DrawText(data.m_strInPlace, &rcText, DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(hOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}
