// Tab strips in the classic, XP and Office 2003 looks: each look picks the colours and the
// three shared painters draw one tab, the strip's area and its scroll and close buttons. In
// Office 2003 the strips of MDI, docked-group and auto-hide tab windows continue the frame's
// gradient.
#include "cmdicon.h"
#include "glyphs.h"
#include "paintmanageroffice2003.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "tabpaintdata.h"
#include "tabwnd.h"

#include <algorithm>

// The classic look and the flat looks differ only in their colours.
void CUiPaintManager::PaintTabItem(CDC& dc, const CRect& rcArea, BOOL bTopLeft, BOOL bHorz, BOOL bSelected,
                                   BOOL bCenteredText, BOOL bGrouped, BOOL bGroupActive, BOOL bInvertedVert,
                                   const CRect& rcItem, int cxText, int cyText, CFont* pFont, LPCSTR lpszText,
                                   CUiCmdIcon* pIcon, CObject*, LPARAM)
{
    const TabItemArgs args = {rcArea, bTopLeft, bHorz, bSelected, bCenteredText, bGrouped, bGroupActive,
                              bInvertedVert, rcItem, cxText, cyText, pFont, lpszText, pIcon};
    const int nShadow = bGrouped ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW;
    const int nLight = bGrouped ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    TabItemColors colors;
    if (IsKindOf(RUNTIME_CLASS(CUiPaintManagerXP)))
        colors = {GetColor(bSelected || bGrouped ? COLOR_BTNTEXT : COLOR_BTNSHADOW), GetColor(bGrouped ? COLOR_BTNFACE : 2000),
                  GetColor(nLight), GetColor(nShadow), GetColor(COLOR_BTNSHADOW)};
    else
        colors = {GetColor(bSelected || bGrouped ? COLOR_BTNTEXT : COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNFACE),
                  GetColor(nLight), GetColor(nShadow), GetColor(bGrouped ? COLOR_BTNSHADOW : COLOR_3DLIGHT)};
    PaintTabItemFace(dc, args, colors);
}

void CUiPaintManager::PaintTabItemFace(CDC& dc, const TabItemArgs& a, const TabItemColors& c)
{
    CRect rc(a.rcItem);
    if (a.bGrouped) {
        (a.bHorz ? rc.right : rc.bottom) += 1;
        CRect rcFace(rc);
        if (a.bHorz)
            rcFace.InflateRect(0, 2);
        else
            rcFace.InflateRect(2, 0);
        dc.FillSolidRect(&rcFace, c.clrBack);
        dc.Draw3dRect(&rcFace, c.clrLight, c.clrShadow);
    } else if (a.bSelected) {
        (a.bHorz ? rc.left : rc.top) -= 1;
        const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
        CRect rcInside;
        if (a.bHorz && a.bTopLeft) {
            dc.FillSolidRect(l, t, 1, b - t, c.clrLight);
            dc.FillSolidRect(l, t, r - l - 1, 1, c.clrLight);
            dc.FillSolidRect(r - 1, t, 1, b - t, c.clrShadow);
            rcInside.SetRect(l + 1, t + 1, r - 1, b);
        } else if (a.bHorz) {
            dc.FillSolidRect(l, t, 1, b - t, c.clrLight);
            dc.FillSolidRect(l, b - 1, r - l, 1, c.clrShadow);
            dc.FillSolidRect(r - 1, t, 1, b - t, c.clrShadow);
            rcInside.SetRect(l + 1, t, r - 1, b - 1);
        } else if (a.bTopLeft) {
            dc.FillSolidRect(l, t, r - l, 1, c.clrLight);
            dc.FillSolidRect(l, t, 1, b - t, c.clrLight);
            dc.FillSolidRect(l, b - 1, r - l, 1, c.clrShadow);
            rcInside.SetRect(l + 1, t + 1, r, b - 1);
        } else {
            dc.FillSolidRect(l, t, r - l, 1, c.clrLight);
            dc.FillSolidRect(r - 1, t, 1, b - t, c.clrShadow);
            dc.FillSolidRect(l, b - 1, r - l, 1, c.clrShadow);
            rcInside.SetRect(l, t + 1, r - 1, b - 1);
        }
        dc.FillSolidRect(&rcInside, c.clrBack);
    } else if (a.bHorz) {
        dc.FillSolidRect(rc.right - 1, rc.top + 2, 1, rc.Height() - 4, c.clrSeparator);
    } else {
        dc.FillSolidRect(rc.left + 2, rc.bottom - 1, rc.Width() - 4, 1, c.clrSeparator);
    }

    CRect rcContent(rc);
    rcContent.DeflateRect(2, 2);
    const CSize szIcon = IconSize(a.pIcon);
    CRect rcIcon(rcContent.TopLeft(), szIcon);
    CRect rcText(rcContent);
    if (szIcon.cx > 0) {
        if (a.bHorz) {
            rcIcon.OffsetRect(0, (rcContent.Height() - szIcon.cy) / 2);
            rcText.left = rcIcon.right + 3;
        } else {
            rcIcon.OffsetRect((rcContent.Width() - szIcon.cx) / 2, 0);
            rcText.top = rcIcon.bottom + 3;
        }
        rcIcon.left = std::max(rcIcon.left, rc.left + 1);
        rcIcon.top = std::max(rcIcon.top, rc.top + 1);
    }
    const int nTextLength = a.bHorz ? rcText.Width() : rcText.Height();
    const int nIconLength = a.bHorz ? szIcon.cx : szIcon.cy;
    const bool bTextFits = nTextLength >= std::max(16, nIconLength);
    if (!bTextFits && !a.bGrouped && !a.bGroupActive && szIcon.cx > 0) {
        rcIcon = CRect(CPoint(rc.left + (rc.Width() - szIcon.cx) / 2, rc.top + (rc.Height() - szIcon.cy) / 2), szIcon);
    }
    PaintTabIconAndText(dc, a, rcIcon, bTextFits ? rcText : CRect(0, 0, 0, 0), c.clrText,
                        a.bInvertedVert ? rcText.bottom - 4 : rcText.top + 4);
}

// The icon through the command-icon painter and the text horizontal or vertical; a vertical
// text that is not centred starts at nStartY.
void CUiPaintManager::PaintTabIconAndText(CDC& dc, const TabItemArgs& a, const CRect& rcIcon, const CRect& rcTextIn,
                                          COLORREF clrText, int nStartY)
{
    if (a.pIcon != nullptr && !a.pIcon->IsEmpty()) {
        CRect rcMoved(rcIcon);
        rcMoved.OffsetRect(-4, -1);
        CRect rcDummy;
        PaintCmdIcon(dc, a.bHorz, a.lpszText, a.pIcon, rcMoved, rcDummy, FALSE, TRUE, FALSE, 0);
    }
    if (rcTextIn.IsRectEmpty() || a.lpszText == nullptr || a.lpszText[0] == '\0')
        return;
    HDC hDC = dc.GetSafeHdc();
    COLORREF clrOld = ::SetTextColor(hDC, clrText);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    HGDIOBJ hOldFont = a.pFont != nullptr ? ::SelectObject(hDC, a.pFont->GetSafeHandle()) : NULL;
    CRect rcText(rcTextIn);
    if (a.bHorz) {
        ::DrawTextA(hDC, a.lpszText, -1, &rcText,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (a.bCenteredText ? DT_CENTER : 0));
    } else {
        rcText.OffsetRect(a.bInvertedVert ? a.cyText / 2 : -a.cyText / 2, 0);
        const int x = rcText.left + rcText.Width() / 2;
        int y;
        UINT nAlign = TA_BASELINE;
        if (a.bCenteredText) {
            nAlign |= TA_CENTER;
            y = rcText.top + rcText.Height() / 2;
        } else {
            y = nStartY;
        }
        UINT nOldAlign = ::SetTextAlign(hDC, nAlign);
        ::ExtTextOutA(hDC, x, y, ETO_CLIPPED, &rcText, a.lpszText, lstrlenA(a.lpszText), NULL);
        ::SetTextAlign(hDC, nOldAlign);
    }
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, clrOld);
}

void CUiPaintManager::PaintTabClientArea(CDC& dc, const CRect& rcStrip, const CRect&, const CRect& rcNearBorder,
                                         int nPosition, BOOL bGrouped, CObject*, LPARAM)
{
    PaintTabAreaFace(dc, rcStrip, rcNearBorder, nPosition, bGrouped, GetColor(bGrouped ? COLOR_BTNFACE : COLOR_BTNSHADOW),
                     GetColor(COLOR_BTNFACE), GetColor(nPosition == 1 || nPosition == 3 ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT));
}

void CUiPaintManagerXP::PaintTabClientArea(CDC& dc, const CRect& rcStrip, const CRect&, const CRect& rcNearBorder,
                                           int nPosition, BOOL bGrouped, CObject*, LPARAM)
{
    PaintTabAreaFace(dc, rcStrip, rcNearBorder, nPosition, bGrouped,
                     GetColor(GetBitsPerPixel(dc.GetSafeHdc()) <= 8 ? 2000 : 2001), GetColor(2000),
                     GetColor(nPosition == 1 || nPosition == 3 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
}

void CUiPaintManager::PaintTabAreaFace(CDC& dc, const CRect& rcStrip, const CRect& rcNearBorder, int nPosition,
                                       BOOL bGrouped, COLORREF clrStrip, COLORREF clrBorder, COLORREF clrLine)
{
    dc.FillSolidRect(&rcStrip, clrStrip);
    if (bGrouped)
        return;
    dc.FillSolidRect(&rcNearBorder, clrBorder);
    PaintNearBorderLine(dc, rcNearBorder, nPosition, clrLine);
}

void CUiPaintManager::PaintNearBorderLine(CDC& dc, const CRect& rc, int nPosition, COLORREF clrLine)
{
    switch (nPosition) {
    case 0: dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrLine); break;
    case 1: dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrLine); break;
    case 2: dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrLine); break;
    case 3: dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrLine); break;
    default: break;
    }
}

void CUiPaintManagerOffice2003::PaintTabClientArea(CDC& dc, const CRect& rcStrip, const CRect& rcSecond,
                                                   const CRect& rcNearBorder, int nPosition, BOOL bGrouped,
                                                   CObject* pAsking, LPARAM lParam)
{
    CUiTabWnd* pTabWnd = DYNAMIC_DOWNCAST(CUiTabWnd, pAsking);
    const bool bFrameGradient = pTabWnd != nullptr && pTabWnd->GetSafeHwnd() != NULL && GetScreenBitsPerPixel() > 8 &&
                                (pTabWnd->IsKindOf(RUNTIME_CLASS(CUiTabMdiWnd)) ||
                                 pTabWnd->IsKindOf(RUNTIME_CLASS(CUiDynTabWnd)) ||
                                 pTabWnd->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideArea)) || pTabWnd->IsTabFlagSet(0));
    if (!bFrameGradient) {
        CUiPaintManagerXP::PaintTabClientArea(dc, rcStrip, rcSecond, rcNearBorder, nPosition, bGrouped, pAsking, lParam);
        return;
    }
    CWnd* pFrame = pTabWnd->GetParentFrame();
    if (pFrame == nullptr)
        pFrame = pTabWnd->GetParent();
    if (pFrame != nullptr) {
        CRect rcFrame;
        pFrame->GetClientRect(&rcFrame);
        pFrame->MapWindowPoints(pTabWnd, &rcFrame);
        PaintGradientBackground(dc, rcFrame, rcStrip, lParam);
    }
    if (bGrouped)
        return;
    dc.FillSolidRect(&rcNearBorder, GetColor(1000));
    PaintNearBorderLine(dc, rcNearBorder, nPosition, GetColor(COLOR_BTNSHADOW));
}

void CUiPaintManager::PaintTabButton(CDC& dc, const CRect& rcButton, int nKind, int, BOOL bHorz, BOOL bEnabled,
                                     BOOL bHover, BOOL bPushed, BOOL bGrouped, CObject*, LPARAM)
{
    const int nGlyphColor = bGrouped ? (bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW)
                                     : (bEnabled ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE);
    PaintTabButtonFace(dc, rcButton, nKind, bHorz, bEnabled, bHover, bPushed, GetColor(nGlyphColor));
}

void CUiPaintManagerXP::PaintTabButton(CDC& dc, const CRect& rcButton, int nKind, int, BOOL bHorz, BOOL bEnabled,
                                       BOOL bHover, BOOL bPushed, BOOL, CObject*, LPARAM)
{
    PaintTabButtonFace(dc, rcButton, nKind, bHorz, bEnabled, bHover, bPushed,
                       GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
}

void CUiPaintManager::PaintTabButtonFace(CDC& dc, const CRect& rcButton, int nKind, BOOL bHorz, BOOL bEnabled,
                                         BOOL bHover, BOOL bPushed, COLORREF clrGlyph)
{
    int nGlyph = -1;
    switch (nKind) {
    case -8: nGlyph = 45; break;
    case -7: nGlyph = kGlyphHeavyCross; break;
    case -6: nGlyph = kGlyphQuestion; break;
    case -5: nGlyph = bHorz ? (bEnabled ? 5 : 20) : (bEnabled ? 3 : 18); break;
    case -4: nGlyph = bHorz ? (bEnabled ? 4 : 19) : (bEnabled ? 2 : 17); break;
    default: break;
    }
    if (nGlyph >= 0) {
        const COLORREF colors[2] = {0, clrGlyph};
        PaintGlyphCentered(dc, rcButton, GetCaptionGlyph(nGlyph), colors);
    }
    if (bPushed)
        dc.Draw3dRect(&rcButton, GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_BTNHIGHLIGHT));
    else if (bHover)
        dc.Draw3dRect(&rcButton, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_3DDKSHADOW));
}
