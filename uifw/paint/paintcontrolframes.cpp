// The flat frames of the framework's edits and combo boxes: rings grown out from the client
// rectangle, coloured by hover, focus and the enabled state, and the combo's drop-down
// button with its "Marlett" arrow.
#include "barpaintdata.h"
#include "paintclip.h"
#include "paintmanageroffice2003.h"
#include "paintsystem.h"
#include "pushbuttonpaintdata.h"
#include "toolcontrolbar.h"

namespace {

struct EditRings {
    COLORREF ring4[2];
    COLORREF ring5[2];
};

void PaintEditRings(CDC& dc, const CRect& rcClient, const EditRings& rings, COLORREF clrWindow)
{
    CRect rc(rcClient);
    for (int i = 0; i < 3; ++i) {
        dc.Draw3dRect(&rc, clrWindow, clrWindow);
        rc.InflateRect(1, 1);
    }
    dc.Draw3dRect(&rc, rings.ring4[0], rings.ring4[1]);
    rc.InflateRect(1, 1);
    dc.Draw3dRect(&rc, rings.ring5[0], rings.ring5[1]);
}

// The rings of the flat looks: 2004 for hover or focus, both rings for both.
EditRings FlatEditRings(CUiPaintManager& pm, const ControlFramePaintData& data)
{
    const COLORREF flat = pm.GetColor(1000);
    const COLORREF hot = pm.GetColor(2004);
    EditRings rings = {{flat, flat}, {flat, flat}};
    if (data.IsEnabled() && (data.IsHover() || data.IsFocused())) {
        rings.ring4[0] = rings.ring4[1] = hot;
        if (data.IsHover() && data.IsFocused())
            rings.ring5[0] = rings.ring5[1] = hot;
    }
    return rings;
}

} // namespace

void CUiPaintManager::PaintControlFrame(CDC& dc, ControlFramePaintData& data)
{
    const COLORREF flat = GetColor(1000);
    EditRings rings = {{flat, flat}, {flat, flat}};
    if (data.IsEnabled() && data.IsHover() && data.IsFocused()) {
        rings = {{GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_BTNFACE)},
                 {GetColor(COLOR_BTNSHADOW), GetColor(COLOR_BTNHIGHLIGHT)}};
    } else if (data.IsEnabled() && (data.IsHover() || data.IsFocused())) {
        rings.ring4[0] = GetColor(COLOR_BTNSHADOW);
        rings.ring4[1] = GetColor(COLOR_BTNHIGHLIGHT);
    }
    PaintEditRings(dc, data.m_rcItem, rings, GetColor(COLOR_WINDOW));
}

void CUiPaintManagerXP::PaintControlFrame(CDC& dc, ControlFramePaintData& data)
{
    PaintEditRings(dc, data.m_rcItem, FlatEditRings(*this, data), GetColor(COLOR_WINDOW));
}

void CUiPaintManagerOffice2003::PaintControlFrame(CDC& dc, ControlFramePaintData& data)
{
    PaintEditRings(dc, data.m_rcItem, FlatEditRings(*this, data), GetColor(COLOR_WINDOW));
    CEdit* pEdit = DYNAMIC_DOWNCAST(CEdit, data.m_pAsking);
    if (pEdit == nullptr)
        return;
    int nGrow = 2;
    if (data.IsEnabled() && data.IsHover() && data.IsFocused())
        nGrow += 2;
    else if (data.IsEnabled() && (data.IsHover() || data.IsFocused()))
        nGrow += 1;
    CRect rcKeep(data.m_rcItem);
    rcKeep.InflateRect(nGrow, nGrow);
    CallerClip clip(dc.GetSafeHdc());
    dc.ExcludeClipRect(&rcKeep);
    PaintThemedBackground(dc, pEdit, 0);
}

// The drop-down button: "6" of the "Marlett" font on a flat push button.
void CUiPaintManager::PaintComboDropButton(CDC& dc, const CRect& rcButton, BOOL bHover, BOOL bPushed, BOOL bEnabled,
                                           BOOL bTransparent)
{
    // The symbol character set finds the font by its face; whole pixels keep the arrow crisp.
    LOGFONTA lf = {};
    lf.lfHeight = MulDiv(60, 96, ::GetDeviceCaps(dc.GetSafeHdc(), LOGPIXELSX));
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynA(lf.lfFaceName, "Marlett", LF_FACESIZE);
    CFont font;
    font.CreatePointFontIndirect(&lf);
    PushButtonPaintData button(this, TRUE, rcButton, "6", nullptr, TRUE, bHover, bPushed, FALSE, bEnabled, TRUE, FALSE,
                               FALSE, 5, (HFONT)font.GetSafeHandle(), FALSE, 0, bTransparent);
    PaintPushButton(dc, button);
}

void CUiPaintManager::PaintComboFrame(CDC& dc, ComboFramePaintData& data)
{
    const bool bActive = data.IsHot() || data.IsPushed();
    const bool bCustom = !bActive && data.m_clrBackground != (COLORREF)-1;
    const COLORREF face = data.m_clrFace != (COLORREF)-1 ? data.m_clrFace : GetColor(1000);
    const COLORREF dark = bCustom ? data.m_clrBackground : GetColor(1004);
    const COLORREF light = bCustom ? data.m_clrBackground : GetColor(1000);
    const COLORREF back = bCustom ? data.m_clrBackground : GetColor(data.IsEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
    CRect rc(data.m_rcItem);
    dc.Draw3dRect(&rc, bActive ? GetColor(1007) : face, bActive ? GetColor(1005) : face);
    rc.DeflateRect(1, 1);
    const COLORREF inner = data.IsEnabled() ? light : dark;
    dc.Draw3dRect(&rc, inner, inner);
    CRect rcButton(rc.right - ::GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom);
    dc.Draw3dRect(&rcButton, light, light);
    rcButton.DeflateRect(1, 1);
    dc.Draw3dRect(&rcButton, dark, dark);
    dc.FillSolidRect(rcButton.left - 3, rc.top, 3, rc.Height(), data.IsEnabled() ? back : light);
    if (bActive) {
        CRect rcFill(rcButton);
        rcFill.DeflateRect(1, 1);
        dc.FillSolidRect(&rcFill, light);
        rcButton.left += 1;
    }
    PaintComboDropButton(dc, rcButton, data.IsHot() && !data.IsPushed(), data.IsPushed(), data.IsEnabled(), FALSE);
    if (!bActive)
        dc.Draw3dRect(&rcButton, dark, dark);
}

void CUiPaintManagerXP::PaintComboFrame(CDC& dc, ComboFramePaintData& data)
{
    const int nSaved = dc.SaveDC();
    const bool bActive = data.IsHot() || data.IsPushed();
    const bool bCustomBack = !bActive && data.m_clrBackground != (COLORREF)-1;
    const COLORREF back = bCustomBack ? data.m_clrBackground : GetColor(data.IsEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
    const COLORREF face = !bActive && data.m_clrFace != (COLORREF)-1 ? data.m_clrFace : GetColor(1000);
    const COLORREF ring = bCustomBack ? data.m_clrBackground : GetColor(2001);
    const COLORREF hot = bCustomBack ? data.m_clrBackground : GetColor(2004);
    const COLORREF outer = bActive && data.m_clrBorder != (COLORREF)-1 ? data.m_clrBorder : face;
    CRect rc(data.m_rcItem);
    if (!data.m_bNoOuterBorder)
        dc.Draw3dRect(&rc, outer, outer);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, ring, ring);
    CRect rcButton(rc.right - ::GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom);
    dc.Draw3dRect(&rcButton, face, face);
    rcButton.DeflateRect(1, 1);
    dc.FillSolidRect(rcButton.left - 3, rc.top + 1, 3, rc.Height() - 2, back);
    if (bActive) {
        dc.FillSolidRect(&rcButton, ring);
        dc.Draw3dRect(&rcButton, hot, hot);
    }
    PaintComboDropButton(dc, rcButton, bActive, data.IsPushed(), data.IsEnabled(), !bActive);
    if (!bActive)
        dc.Draw3dRect(&rcButton, ring, ring);
    dc.RestoreDC(nSaved);
}

void CUiPaintManagerOffice2003::PaintComboFrame(CDC& dc, ComboFramePaintData& data)
{
    CWnd* pThemed = DYNAMIC_DOWNCAST(CComboBox, data.m_pAsking);
    CUiBarButton* pButton = DYNAMIC_DOWNCAST(CUiBarButton, data.m_pAsking);
    if (pButton != nullptr)
        pThemed = pButton->GetBar();
    const bool bDefaultColors = data.m_clrBackground == (COLORREF)-1 && data.m_clrFace == (COLORREF)-1 &&
                                data.m_clrBorder == (COLORREF)-1;
    const bool bThemed = pThemed != nullptr && bDefaultColors && HasThemedBackground(pThemed, 0) &&
                         GetBitsPerPixel(dc.GetSafeHdc()) > 8;
    CRect rc(data.m_rcItem);
    if (bThemed && data.IsEnabled()) {
        const bool bActive = data.IsHot() || data.IsPushed();
        CRect rcButton(rc.right - 1 - ::GetSystemMetrics(SM_CXHTHUMB), rc.top + 1, rc.right - 1, rc.bottom - 1);
        CRect rcEdit(rc.left, rc.top, rcButton.left, rc.bottom);
        CallerClip clip(dc.GetSafeHdc());
        dc.ExcludeClipRect(&rcEdit);
        const BOOL bPainted = PaintThemedBackground(dc, pThemed, 0);
        clip.Restore();
        if (bPainted) {
            CRect rcRing(rcEdit);
            dc.Draw3dRect(&rcRing, GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOW));
            rcRing.DeflateRect(1, 1);
            dc.Draw3dRect(&rcRing, GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOW));
            if (bActive)
                dc.Draw3dRect(&rcButton, GetColor(2004), GetColor(2004));
            rcButton.DeflateRect(1, 1);
            PaintComboDropButton(dc, rcButton, bActive, data.IsPushed(), TRUE, !bActive);
            return;
        }
    }
    CUiPaintManagerXP::PaintComboFrame(dc, data);
    if (bThemed && !data.IsEnabled()) {
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        CallerClip clip(dc.GetSafeHdc());
        dc.ExcludeClipRect(&rcInner);
        PaintThemedBackground(dc, pThemed, 0);
    }
}
