// The push-button face of the classic look: raised and pressed 3-D frames, a half-tone fill
// for a hovered pressed button, text through DrawState so that a disabled caption is
// engraved.
#include "paintmanager.h"

#include "paintparts.h"
#include "pushbuttonparts.h"

namespace {

void PaintPushButtonFrames(CUiPaintManager& pm, CDC& dc, const PushButtonPaintData& data, const PushButtonParts& parts)
{
    const bool bFlat = data.Has(PushButtonPaintData::kFlat);
    const bool bHover = data.Has(PushButtonPaintData::kHover);
    const bool bBorder = data.Has(PushButtonPaintData::kDrawBorder);
    const CRect rcFrame = parts.bSeparated ? parts.rcMain : CRect(data.m_rcItem);
    if (data.Has(PushButtonPaintData::kPushed) && !parts.bSeparated) {
        if (!bFlat || bBorder)
            Frame3d(dc, rcFrame, pm.GetColor(1007), pm.GetColor(1005));
    } else if (!bFlat) {
        CRect rcRaised(rcFrame);
        if (bHover) {
            Frame3d(dc, rcFrame, pm.GetColor(1006), pm.GetColor(1008));
            rcRaised.DeflateRect(1, 1);
        }
        Frame3d(dc, rcRaised, pm.GetColor(1004), pm.GetColor(1006));
    } else if (bHover && bBorder) {
        Frame3d(dc, rcFrame, pm.GetColor(1004), pm.GetColor(1006));
    }

    if (!parts.bSeparated)
        return;
    if (parts.bPressedLook) {
        if (!bFlat || bBorder)
            Frame3d(dc, parts.rcDrop, pm.GetColor(1007), pm.GetColor(1005));
    } else if (!bFlat || (bHover && bBorder)) {
        Frame3d(dc, parts.rcDrop, pm.GetColor(1004), pm.GetColor(1006));
    }
}

} // namespace

void CUiPaintManager::PaintPushButton(CDC& dc, PushButtonPaintData& data)
{
    PushButtonParts parts;
    if (!parts.Begin(data))
        return;
    if (parts.bSeparated && (data.Has(PushButtonPaintData::kPushed) || data.Has2(PushButtonPaintData::kDropDownPushed)))
        data.m_bFlags &= (BYTE)~PushButtonPaintData::kHover;
    const bool bEnabled = data.Has(PushButtonPaintData::kEnabled);
    const bool bHover = data.Has(PushButtonPaintData::kHover);
    const bool bPushed = data.Has(PushButtonPaintData::kPushed);

    const COLORREF clrOldText = dc.GetTextColor();
    const COLORREF clrOldBk = dc.GetBkColor();
    const int nOldMode = dc.SetBkMode(TRANSPARENT);

    const COLORREF clrBack = GetColor(bHover || bPushed ? 1001 : 1000);
    const bool bTransparent = data.Has2(PushButtonPaintData::kTransparent);
    if (parts.bDropDown && !bTransparent) {
        if (bEnabled && bHover && parts.bPressedLook)
            ::FillRect(dc.GetSafeHdc(), &parts.rcDrop, (HBRUSH)m_brushHalftone[0].GetSafeHandle());
        else
            SolidFill(dc, parts.rcDrop, clrBack);
    }
    if (!bTransparent) {
        if (bEnabled && bPushed && bHover)
            ::FillRect(dc.GetSafeHdc(), &parts.rcMain, (HBRUSH)m_brushHalftone[0].GetSafeHandle());
        else
            SolidFill(dc, parts.rcMain, clrBack);
    }
    PaintPushButtonFrames(*this, dc, data, parts);
    PaintDropDownArrow(*this, dc, data, parts, GetColor(bEnabled ? 1010 : 1006));

    PushButtonTextStyle style = {};
    style.bDrawState = true;
    if (!bEnabled) {
        const COLORREF clrForced = data.m_clrForced[PushButtonPaintData::kForcedDisabled];
        style.clrText = clrForced != (COLORREF)-1 ? clrForced : GetColor(COLOR_BTNFACE);
        if (clrForced == (COLORREF)-1) {
            style.nDrawStateFlags = m_nDrawStateDisabledFlag;
            style.bEngraved = true;
            style.clrLight = GetColor(COLOR_3DHILIGHT);
            style.clrEngraved = GetColor(COLOR_BTNSHADOW);
        }
    } else {
        COLORREF clr = (COLORREF)-1;
        if (bPushed)
            clr = data.m_clrForced[PushButtonPaintData::kForcedPressed];
        if (clr == (COLORREF)-1 && bHover)
            clr = data.m_clrForced[PushButtonPaintData::kForcedHover];
        if (clr == (COLORREF)-1)
            clr = data.m_clrForced[PushButtonPaintData::kForcedNormal];
        style.clrText = clr != (COLORREF)-1 ? clr : GetColor(COLOR_BTNTEXT);
    }
    PaintPushButtonContent(*this, dc, data, parts, bPushed, style);

    dc.SetBkMode(nOldMode);
    dc.SetBkColor(clrOldBk);
    dc.SetTextColor(clrOldText);
}
