// The push-button face of the flat looks (XP, Office 2003, Studio 2005): one frame colour,
// the hover and pressed colours or the look's gradient pairs, no glyph offset when pressed.
#include "paintmanagerxp.h"

#include "paintdraw.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "pushbuttonparts.h"
#include "xppaintparts.h"

void CUiPaintManagerXP::PaintPushButton(CDC& dc, PushButtonPaintData& data)
{
    PushButtonParts parts;
    if (!parts.Begin(data))
        return;
    const bool bEnabled = data.Has(PushButtonPaintData::kEnabled);
    const bool bHover = data.Has(PushButtonPaintData::kHover);
    const bool bPushed = data.Has(PushButtonPaintData::kPushed);
    const bool bFlat = data.Has(PushButtonPaintData::kFlat);
    const bool bBorder = data.Has(PushButtonPaintData::kDrawBorder);
    const bool bDropPushed = data.Has2(PushButtonPaintData::kDropDownPushed);
    const bool bIdle = !bHover && !bPushed;

    const COLORREF clrOldText = dc.GetTextColor();
    const COLORREF clrOldBk = dc.GetBkColor();
    const int nOldMode = dc.SetBkMode(TRANSPARENT);

    const COLORREF clrIdle = GetColor(bFlat ? 1000 : COLOR_BTNFACE);
    const bool bMainPushed = bPushed && !bDropPushed;
    COLORREF clrMain = bIdle ? clrIdle : GetColor(1001);
    int nPair = bHover ? kSlotPairHover : -1;
    if (bMainPushed) {
        clrMain = GetColor(bHover ? 2003 : 1001);
        nPair = bHover ? kSlotPairHoverPressed : kSlotPairPressed;
    }
    COLORREF clrDrop = clrMain;
    if (parts.bSeparated)
        clrDrop = bPushed && !bHover ? GetColor(1000) : (bHover ? GetColor(1001) : clrIdle);
    if (bDropPushed)
        clrDrop = GetColor(bHover ? 2003 : 1001);

    if (!data.Has2(PushButtonPaintData::kTransparent)) {
        if (parts.bDropDown)
            SolidFill(dc, parts.rcDrop, clrDrop);
        COLORREF clrFirst = 0, clrSecond = 0;
        if (nPair >= 0 && GetScreenBitsPerPixel() > 8 && GetColorIdPair(*this, nPair, clrFirst, clrSecond)) {
            if (data.Has(PushButtonPaintData::kHorz))
                FillGradientRect(dc.GetSafeHdc(), parts.rcMain, clrSecond, clrFirst, TRUE, 256);
            else
                FillGradientRect(dc.GetSafeHdc(), parts.rcMain, clrFirst, clrSecond, FALSE, 256);
        } else {
            SolidFill(dc, parts.rcMain, clrMain);
        }
    }

    const COLORREF clrFrame = GetColor(bIdle && !bFlat ? 21 : 2004);
    const CRect rcWhole(data.m_rcItem);
    const CRect rcFrame = parts.bSeparated ? parts.rcMain : rcWhole;
    if (bPushed) {
        if (!bFlat || bBorder)
            Frame3d(dc, rcFrame, clrFrame, clrFrame);
    } else if (!bFlat || (bHover && bBorder)) {
        Frame3d(dc, parts.rcMain, clrFrame, clrFrame);
        if (bHover)
            Frame3d(dc, rcWhole, clrFrame, clrFrame);
    }
    if (parts.bSeparated && (!bFlat || (bBorder && (bHover || parts.bPressedLook))))
        Frame3d(dc, parts.rcDrop, clrFrame, clrFrame);
    PaintDropDownArrow(*this, dc, data, parts, GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));

    PushButtonTextStyle style = {};
    COLORREF clr = (COLORREF)-1;
    if (!bEnabled) {
        clr = data.m_clrForced[PushButtonPaintData::kForcedDisabled];
        if (clr == (COLORREF)-1)
            clr = GetColor(COLOR_BTNSHADOW);
    } else if (bHover && parts.bPressedLook) {
        clr = data.m_clrForced[PushButtonPaintData::kForcedPressed];
        if (clr == (COLORREF)-1)
            clr = data.m_clrForced[PushButtonPaintData::kForcedNormal];
        if (clr == (COLORREF)-1)
            clr = GetColor(2006);
    } else {
        clr = data.m_clrForced[PushButtonPaintData::kForcedNormal];
        if (clr == (COLORREF)-1)
            clr = GetColor(COLOR_BTNTEXT);
    }
    style.clrText = clr;
    PaintPushButtonContent(*this, dc, data, parts, parts.bPressedLook, style);

    dc.SetBkMode(nOldMode);
    dc.SetBkColor(clrOldBk);
    dc.SetTextColor(clrOldText);
}
