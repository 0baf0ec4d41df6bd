// The drop-area highlight: the screen copy under the highlight window tinted in place. On a
// palette display a checkerboard of the shadow colour stands in for the tint.
#include "colorhls.h"
#include "markerbitmaps.h"
#include "paintmanagerholder.h"
#include "paintmanageroffice2003.h"
#include "paintsystem.h"
#include "themeapi.h"

#include <algorithm>

namespace {

bool InBand(const RECT& rc, int w, int x, int y, bool bTop)
{
    if (x < rc.left || x >= rc.right || y < rc.top || y >= rc.bottom)
        return false;
    return x < rc.left + w || x >= rc.right - w || y >= rc.bottom - w || (bTop && y < rc.top + w);
}

BYTE Halfway(BYTE p, BYTE t)
{
    return (BYTE)std::min(255, p + (t - p) / 2);
}

} // namespace

void CUiPaintManager::PaintDockMarkerHighlight(DWORD* pPixels, int cx, int cy, BOOL bUseRects, const RECT& rcOuterIn,
                                               const RECT& rcTab, COLORREF clrTint, COLORREF clrBorderTint,
                                               int nBorderWidth)
{
    if (pPixels == nullptr || cx <= 0 || cy <= 0)
        return;
    const RECT rcOuter = bUseRects ? rcOuterIn : RECT{0, 0, cx, cy};
    auto touched = [&](int x, int y) {
        if (!bUseRects)
            return true;
        const POINT pt = {x, y};
        return ::PtInRect(&rcOuter, pt) || ::PtInRect(&rcTab, pt);
    };
    if (GetScreenBitsPerPixel() < 9) {
        const DWORD dwShadow = ColorToDibPixel(GetColor(COLOR_BTNSHADOW));
        for (int row = 0; row < cy; ++row) {
            for (int x = 0; x < cx; ++x) {
                // Rows from the top of the picture; the buffer keeps the bottom row first.
                const int nBufferRow = cy - 1 - row;
                if ((nBufferRow & 1) != (x & 1) && touched(x, row))
                    pPixels[(size_t)nBufferRow * cx + x] = dwShadow;
            }
        }
        return;
    }
    const int w = nBorderWidth;
    const COLORREF tint = clrTint != (COLORREF)-1 ? clrTint : PaintGetSysColor(COLOR_HIGHLIGHT);
    const COLORREF border = clrBorderTint != (COLORREF)-1 ? clrBorderTint : PaintGetSysColor(COLOR_BTNFACE);
    for (int row = 0; row < cy; ++row) {
        for (int x = 0; x < cx; ++x) {
            if (!touched(x, row))
                continue;
            bool bBorder = false;
            if (w >= 1) {
                const bool bTabBand = x >= rcTab.left && x < rcTab.right && row >= rcTab.top && row < rcTab.bottom &&
                                      (x < rcTab.left + w || x >= rcTab.right - w || row >= rcTab.bottom - w);
                bool bOuterBand = InBand(rcOuter, w, x, row, true);
                // The outer rectangle stays open where the tab joins it.
                if (bOuterBand && row >= rcOuter.bottom - w && x >= rcTab.left + w && x < rcTab.right - w &&
                    x >= rcOuter.left + w && x < rcOuter.right - w)
                    bOuterBand = false;
                bBorder = bTabBand || bOuterBand;
            }
            const COLORREF t = bBorder ? border : tint;
            DWORD& dwPixel = pPixels[(size_t)(cy - 1 - row) * cx + x];
            const COLORREF p = DibPixelToColor(dwPixel);
            const COLORREF mixed = RGB(Halfway(GetRValue(p), GetRValue(t)), Halfway(GetGValue(p), GetGValue(t)),
                                       Halfway(GetBValue(p), GetBValue(t)));
            dwPixel = ColorToDibPixel(AdjustColorHLS(mixed, 0, 0.1, 0));
        }
    }
}

void CUiPaintManagerOffice2003::PaintDockMarkerHighlight(DWORD* pPixels, int cx, int cy, BOOL bUseRects,
                                                         const RECT& rcOuter, const RECT& rcTab, COLORREF clrTint,
                                                         COLORREF clrBorderTint, int nBorderWidth)
{
    if (clrTint == (COLORREF)-1 && GetScreenBitsPerPixel() > 8) {
        switch (PaintManagerHolder::Get().m_nScheme) {
        case kSchemeBlue: clrTint = RGB(0, 0, 128); break;
        case kSchemeOlive: clrTint = RGB(170, 187, 131); break;
        case kSchemeSilver: clrTint = RGB(96, 96, 144); break;
        default: break;
        }
    }
    CUiPaintManagerXP::PaintDockMarkerHighlight(pPixels, cx, cy, bUseRects, rcOuter, rcTab, clrTint, clrBorderTint,
                                                nBorderWidth);
}
