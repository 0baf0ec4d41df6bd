// Icon items: an icon in a box that lights up while hot or pressed, with a text beside it or
// running vertically, or an info-coloured separator.
#include "cmdicon.h"
#include "iconitempaintdata.h"
#include "paintmanagerxp.h"

namespace {

bool Shows(CDC& dc, const CRect& rc)
{
    return !rc.IsRectEmpty() && dc.RectVisible(&rc);
}

bool HasImage(CUiCmdIcon* pIcon)
{
    return pIcon != nullptr && !pIcon->IsEmpty();
}

} // namespace

void CUiPaintManager::PaintIcon(CDC& dc, IconItemPaintData& data)
{
    PaintIconItem(dc, data, false);
}

void CUiPaintManagerXP::PaintIcon(CDC& dc, IconItemPaintData& data)
{
    PaintIconItem(dc, data, true);
}

void CUiPaintManager::PaintIconItem(CDC& dc, IconItemPaintData& data, bool bFlat)
{
    HDC hDC = dc.GetSafeHdc();
    const BYTE b = data.m_bFlags;
    const bool bInfo = (b & IconItemPaintData::kInfoLook) != 0;
    if ((b & IconItemPaintData::kSeparator) != 0) {
        if (bInfo && Shows(dc, data.m_rcTextArea)) {
            CRect rc(data.m_rcTextArea);
            rc.DeflateRect(2, 2);
            dc.FillSolidRect(&rc, GetColor(COLOR_INFOBK));
            dc.Draw3dRect(&rc, GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_3DDKSHADOW));
        }
        return;
    }
    if (!Shows(dc, data.m_rcOuter))
        return;
    const bool bHot = (b & IconItemPaintData::kHot) != 0;
    const bool bPressed = (b & IconItemPaintData::kPressed) != 0;
    if (Shows(dc, data.m_rcIcon)) {
        CUiCmdIcon* pIcon = (b & IconItemPaintData::kSelected) != 0 ? data.m_pIconSelected : data.m_pIcon;
        if (!HasImage(pIcon))
            pIcon = HasImage(data.m_pIconSelected) ? data.m_pIconSelected : data.m_pIcon;
        CRect rcBox(data.m_rcIcon);
        rcBox.InflateRect(2, 2);
        if (bFlat && (bHot || bPressed)) {
            dc.FillSolidRect(&rcBox, GetColor(bPressed ? 2003 : 1001));
            dc.Draw3dRect(&rcBox, GetColor(2004), GetColor(2004));
        } else if (!bFlat && (bHot || bPressed)) {
            dc.FillSolidRect(&rcBox, GetColor(COLOR_BTNSHADOW));
        }
        if (HasImage(pIcon))
            ::DrawIconEx(hDC, data.m_rcIcon.left, data.m_rcIcon.top, pIcon->GetIcon(), data.m_rcIcon.Width(),
                         data.m_rcIcon.Height(), 0, NULL, DI_NORMAL);
        if (!bFlat && bPressed)
            dc.Draw3dRect(&rcBox, GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_BTNFACE));
        else if (!bFlat && bHot)
            dc.Draw3dRect(&rcBox, GetColor(COLOR_BTNFACE), GetColor(COLOR_3DDKSHADOW));
    }
    if (!Shows(dc, data.m_rcTextArea) || data.m_strText.IsEmpty())
        return;
    HGDIOBJ hOldFont = data.m_hFont != NULL ? ::SelectObject(hDC, data.m_hFont) : NULL;
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF clrOld = ::SetTextColor(hDC, GetColor(bInfo ? COLOR_INFOTEXT : COLOR_BTNHIGHLIGHT));
    if ((b & IconItemPaintData::kVerticalText) == 0) {
        CRect rc(data.m_rcText);
        rc.DeflateRect(1, 0);
        rc.IntersectRect(&rc, &data.m_rcTextArea);
        ::DrawTextA(hDC, data.m_strText, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    } else {
        CRect rcClip(data.m_rcTextArea);
        rcClip.InflateRect(3, 0);
        const bool bFromBottom = (data.m_bFlags2 & IconItemPaintData::kVertTextLeft) != 0;
        const int x = data.m_rcTextArea.left + data.m_rcTextArea.Width() / 2;
        const int y = bFromBottom ? data.m_rcTextArea.bottom - 4 : data.m_rcTextArea.top + 4;
        UINT nOldAlign = ::SetTextAlign(hDC, TA_BASELINE);
        ::ExtTextOutA(hDC, x, y, ETO_CLIPPED, &rcClip, data.m_strText, (UINT)data.m_strText.GetLength(), NULL);
        ::SetTextAlign(hDC, nOldAlign);
    }
    ::SetTextColor(hDC, clrOld);
    ::SetBkMode(hDC, nOldMode);
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
}
