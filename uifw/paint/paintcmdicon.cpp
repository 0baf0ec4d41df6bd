// A command icon laid out beside a text: the icon takes its place at the start (or end) of
// the client rectangle and the text rectangle gives way to it. The classic look lets the
// icon paint itself; the flat looks paint a disabled icon in their generated flat form and
// raise a hovered one over its shadow in the XP look.
#include "paintmanagerxp.h"

#include "cmdicon.h"
#include "paintparts.h"

bool IsNonEmptyIcon(CUiCmdIcon* pIcon)
{
    return pIcon != nullptr && !pIcon->IsEmpty();
}

CSize IconSize(CUiCmdIcon* pIcon)
{
    return IsNonEmptyIcon(pIcon) ? pIcon->GetSize() : CSize(0, 0);
}

namespace {

void CentreHorz(CRect& rcIcon, const CRect& rcClient)
{
    rcIcon.OffsetRect(rcClient.left + (rcClient.Width() - rcIcon.Width()) / 2 - rcIcon.left, 0);
}

void CentreVert(CRect& rcIcon, const CRect& rcClient)
{
    rcIcon.OffsetRect(0, rcClient.top + (rcClient.Height() - rcIcon.Height()) / 2 - rcIcon.top);
}

// The icon's place in the client rectangle, and the text rectangle beside it.
CRect LayOutIcon(CSize size, BOOL bHorz, bool bText, const CRect& rcClient, CRect& rcText, UINT nAlign)
{
    CRect rcIcon(rcClient.TopLeft(), size);
    const bool bEndAligned = (nAlign & 3) == 2;
    if (bHorz) {
        if (bEndAligned) {
            if (bText) {
                rcIcon.OffsetRect(rcClient.right - size.cx - 3 - rcIcon.left, 0);
                CentreVert(rcIcon, rcClient);
                rcText.left = rcClient.left + 3;
                rcText.right = rcClient.right - size.cx - 3;
            } else {
                CentreHorz(rcIcon, rcClient);
            }
        } else if (bText) {
            rcIcon.OffsetRect(3, 0);
            rcText.left += size.cx + 3;
        } else {
            CentreHorz(rcIcon, rcClient);
        }
        if ((nAlign & 4) != 0)
            CentreVert(rcIcon, rcClient);
        return rcIcon;
    }
    if ((nAlign & 1) != 0) {
        if (bText) {
            rcIcon.OffsetRect(0, 3);
            rcText.top += size.cy + 3;
        } else {
            CentreVert(rcIcon, rcClient);
        }
    } else if (bEndAligned) {
        if (bText) {
            rcIcon.OffsetRect(0, rcClient.bottom - size.cy - 3 - rcIcon.top);
            CentreHorz(rcIcon, rcClient);
            rcText.top = rcClient.top + 3;
            rcText.bottom = rcClient.bottom - size.cy - 3;
        } else {
            CentreVert(rcIcon, rcClient);
        }
    }
    if ((nAlign & 4) != 0)
        CentreHorz(rcIcon, rcClient);
    return rcIcon;
}

// The icon's rectangle, moved by the look's offset when pushed; false without an icon.
bool PlaceIcon(CUiPaintManager& pm, BOOL bHorz, LPCSTR lpszText, CUiCmdIcon* pIcon, const CRect& rcClient,
               CRect& rcText, BOOL bPushed, UINT nAlign, CRect& rcIcon)
{
    rcText = rcClient;
    if (!IsNonEmptyIcon(pIcon))
        return false;
    const bool bText = lpszText != nullptr && lpszText[0] != '\0';
    rcIcon = LayOutIcon(pIcon->GetSize(), bHorz, bText, rcClient, rcText, nAlign);
    if (bPushed) {
        CSize offset = pm.GetGlyphShadowOffset();
        rcIcon.OffsetRect(offset.cx, offset.cy);
    }
    return true;
}

} // namespace

void CUiPaintManager::PaintCmdIcon(CDC& dc, BOOL bHorz, LPCSTR lpszText, CUiCmdIcon* pIcon, const CRect& rcClient,
                                   CRect& rcText, BOOL bPushed, BOOL bEnabled, BOOL, UINT nAlign)
{
    CRect rcIcon;
    if (!PlaceIcon(*this, bHorz, lpszText, pIcon, rcClient, rcText, bPushed, nAlign, rcIcon))
        return;
    pIcon->Paint(&dc, rcIcon.TopLeft(), bEnabled ? CUiCmdIcon::kPaintNormal : CUiCmdIcon::kPaintDisabled);
}

void CUiPaintManagerXP::PaintCmdIcon(CDC& dc, BOOL bHorz, LPCSTR lpszText, CUiCmdIcon* pIcon,
                                     const CRect& rcClient, CRect& rcText, BOOL bPushed, BOOL bEnabled, BOOL bHover,
                                     UINT nAlign)
{
    CRect rcIcon;
    if (!PlaceIcon(*this, bHorz, lpszText, pIcon, rcClient, rcText, bPushed, nAlign, rcIcon))
        return;
    const bool bRaisedLook = (m_bLookBits & 1) != 0;
    if (bRaisedLook)
        rcIcon.OffsetRect(1, 1);
    if (!bEnabled) {
        const COLORREF clrHint = GetIconBkColorHint();
        if (clrHint != (COLORREF)-1 && clrHint != pIcon->GetTintColor())
            pIcon->SetTintColor(clrHint);
        const double dFactor = GetIconEffectFactor();
        if (dFactor != pIcon->GetLightnessFactor())
            pIcon->SetLightnessFactor(dFactor);
        CBrush brush(GetColor(2002));
        pIcon->Paint(&dc, rcIcon.TopLeft(), CUiCmdIcon::kPaintFlatDisabled, (HBRUSH)brush.GetSafeHandle());
        return;
    }
    if (bRaisedLook && bHover && !bPushed) {
        CBrush brush(GetColor(COLOR_BTNSHADOW));
        pIcon->Paint(&dc, rcIcon.TopLeft(), CUiCmdIcon::kPaintMono, (HBRUSH)brush.GetSafeHandle());
        rcIcon.OffsetRect(-2, -2);
    }
    pIcon->Paint(&dc, rcIcon.TopLeft(), CUiCmdIcon::kPaintNormal);
}
