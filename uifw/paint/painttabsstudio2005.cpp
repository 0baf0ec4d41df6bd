// Studio 2005 tabs: slanted six-point outlines with a gradient face. Each tab narrows the
// clip to its own inside while it paints and gives the caller's clip back, so the next tab
// of the strip on the same context is not clipped away.
#include "cmdicon.h"
#include "paintclip.h"
#include "paintdraw.h"
#include "paintmanagerstudio2005.h"
#include "paintparts.h"
#include "paintsystem.h"
#include "tabpaintdata.h"
#include "tabwnd.h"

#include <algorithm>

namespace {

// The outer and inner outlines of one tab (see the class comment for the four strips).
void TabOutlines(const CRect& rc, bool bHorz, bool bTopLeft, bool bOpenSideOut, POINT outer[6], POINT inner[6])
{
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const int d = bOpenSideOut ? 1 : 0;
    if (bHorz && bTopLeft) {
        const POINT o[6] = {{L, B}, {L, T + 2}, {L + 2, T}, {R - 1, T}, {R + 1, T + 2}, {R + 1, B}};
        const POINT i[6] = {{L + 1, B + d}, {L + 1, T + 3}, {L + 3, T + 1}, {R - 2, T + 1}, {R, T + 3}, {R, B + d}};
        std::copy(o, o + 6, outer);
        std::copy(i, i + 6, inner);
    } else if (bHorz) {
        const POINT o[6] = {{L, T}, {R + 1, T}, {R + 1, B - 3}, {R - 2, B}, {L + 3, B}, {L, B - 3}};
        const POINT i[6] = {{L + 1, T - d}, {R, T - d}, {R, B - 4}, {R - 3, B - 1}, {L + 4, B - 1}, {L + 1, B - 4}};
        std::copy(o, o + 6, outer);
        std::copy(i, i + 6, inner);
    } else if (bTopLeft) {
        const POINT o[6] = {{R, T}, {R, B + 1}, {L + 2, B + 1}, {L, B - 2}, {L, T + 2}, {L + 2, T}};
        const POINT i[6] = {{R + d, T + 1}, {R + d, B}, {L + 3, B}, {L + 1, B - 3}, {L + 1, T + 3}, {L + 3, T + 1}};
        std::copy(o, o + 6, outer);
        std::copy(i, i + 6, inner);
    } else {
        const POINT o[6] = {{L, T}, {R - 2, T}, {R, T + 2}, {R, B - 2}, {R - 3, B + 1}, {L, B + 1}};
        const POINT i[6] = {{L - d, T + 1}, {R - 3, T + 1}, {R - 1, T + 3}, {R - 1, B - 3}, {R - 4, B}, {L - d, B}};
        std::copy(o, o + 6, outer);
        std::copy(i, i + 6, inner);
    }
}

} // namespace

void CUiPaintManagerStudio2005::PaintTabItem(CDC& dc, const CRect& rcArea, BOOL bTopLeft, BOOL bHorz, BOOL bSelected,
                                             BOOL bCenteredText, BOOL bGrouped, BOOL bGroupActive, BOOL bInvertedVert,
                                             const CRect& rcItem, int cxText, int cyText, CFont* pFont,
                                             LPCSTR lpszText, CUiCmdIcon* pIcon, CObject* pAsking, LPARAM)
{
    HDC hDC = dc.GetSafeHdc();
    const bool bOuterTopLeft = bGrouped ? !bTopLeft : bTopLeft != FALSE;
    CUiTabWnd* pTabWnd = DYNAMIC_DOWNCAST(CUiTabWnd, pAsking);
    const bool bKeepMargin = pTabWnd != nullptr && (pTabWnd->GetTabStyle() & 0x0080) != 0;
    const bool bSelectedFace = bSelected && !bGrouped;
    POINT outer[6], inner[6];
    TabOutlines(rcItem, bHorz != FALSE, bOuterTopLeft, bSelectedFace && !bKeepMargin, outer, inner);
    HRGN hOuter = ::CreatePolygonRgn(outer, 6, ALTERNATE);
    HRGN hInner = ::CreatePolygonRgn(inner, 6, ALTERNATE);

    CallerClip clip(hDC);
    HBRUSH hFrame = ::CreateSolidBrush(GetColor(COLOR_BTNSHADOW));
    ::FrameRgn(hDC, hOuter, hFrame, 1, 1);
    ::DeleteObject(hFrame);
    if (!bSelectedFace && GetBitsPerPixel(hDC) > 8) {
        IntersectClipWithRegion(hDC, hInner);
        FillGradientRect(hDC, rcItem, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_3DLIGHT), bHorz, 256);
    } else {
        HBRUSH hFace = ::CreateSolidBrush(GetColor(bSelectedFace ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
        ::FillRgn(hDC, hInner, hFace);
        ::DeleteObject(hFace);
    }
    ::DeleteObject(hInner);
    ::DeleteObject(hOuter);

    CRect rcContent(rcItem);
    rcContent.DeflateRect(3, bHorz ? 2 : 3, 2, 2);
    const CSize szIcon = IconSize(pIcon);
    CRect rcIcon(rcContent.TopLeft(), szIcon);
    CRect rcText(rcContent);
    if (szIcon.cx > 0) {
        if (bHorz) {
            rcIcon.OffsetRect(0, (rcContent.Height() - szIcon.cy) / 2);
            rcIcon.left = std::max(rcIcon.left, rcContent.left + 1);
            rcIcon.right = rcIcon.left + szIcon.cx;
            rcText.left = rcIcon.right + 3;
        } else {
            rcIcon.OffsetRect((rcContent.Width() - szIcon.cx) / 2, 0);
            rcIcon.top = std::max(rcIcon.top, rcContent.top + 1);
            rcIcon.bottom = rcIcon.top + szIcon.cy;
            rcText.top = rcIcon.bottom + 3;
        }
    }
    if (!bHorz && rcText.Width() < rcContent.Width() + 6) {
        if (bInvertedVert)
            rcText.left = rcText.right - (rcContent.Width() + 6);
        else
            rcText.right = rcText.left + rcContent.Width() + 6;
    }
    const int nTextLength = bHorz ? rcText.Width() : rcText.Height();
    const bool bTextFits = nTextLength >= std::max(16, bHorz ? (int)szIcon.cx : (int)szIcon.cy);
    if (!bTextFits && !bGrouped && !bGroupActive && szIcon.cx > 0)
        rcIcon = CRect(CPoint(rcContent.left + (rcContent.Width() - szIcon.cx) / 2,
                              rcContent.top + (rcContent.Height() - szIcon.cy) / 2), szIcon);
    const TabItemArgs args = {rcArea, bTopLeft, bHorz, bSelected, bCenteredText, bGrouped, bGroupActive,
                              bInvertedVert, rcItem, cxText, cyText, pFont, lpszText, pIcon};
    PaintTabIconAndText(dc, args, rcIcon, bTextFits ? rcText : CRect(0, 0, 0, 0), GetColor(COLOR_BTNTEXT),
                        bInvertedVert ? rcText.top + cxText - 4 : rcText.top + 4);
}
