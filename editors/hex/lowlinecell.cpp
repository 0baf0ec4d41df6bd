#include "lowlinecell.h"

#include "textink.h"

#include <stddef.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

// Whether the font draws ink of "_" within the rows of the cell, drawn at the cell's top.
bool InkInsideCell(HFONT hFont, int nCellHeight, int nWidth)
{
    std::vector<bool> ink;
    // Without a surface to look at, the font is trusted.
    if (!RenderTextInk(hFont, "_", 1, nWidth, nCellHeight * 3, ink))
        return true;
    return std::find(ink.begin(), ink.begin() + nWidth * nCellHeight, true) != ink.begin() + nWidth * nCellHeight;
}

CellLowLine MeasureCellLowLine(HFONT hFont, int nCellHeight)
{
    CellLowLine line;
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    SIZE advance = {};
    if (::GetTextMetricsA(hDC, &tm) && ::GetTextExtentPoint32A(hDC, "_", 1, &advance) && advance.cx > 0 &&
        !InkInsideCell(hFont, nCellHeight, std::max<int>(advance.cx, tm.tmMaxCharWidth) + 8)) {
        // The ink box the font gives the character, moved up into the cell when it lies below.
        GLYPHMETRICS gm = {};
        const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        int x = 0, cx = advance.cx, y = tm.tmAscent + 1, cy = 1;
        if (::GetGlyphOutlineA(hDC, '_', GGO_METRICS, &gm, 0, NULL, &identity) != GDI_ERROR && gm.gmBlackBoxX > 0) {
            x = std::max<int>(0, gm.gmptGlyphOrigin.x);
            cx = std::min<int>(static_cast<int>(gm.gmBlackBoxX), advance.cx - x);
            y = tm.tmAscent - gm.gmptGlyphOrigin.y;
            cy = std::max<int>(1, static_cast<int>(gm.gmBlackBoxY));
        }
        y = std::max(0, std::min(y, nCellHeight - cy));
        line.bDrawn = cx > 0;
        line.rc = {x, y, x + cx, y + cy};
    }
    ::SelectObject(hDC, hOldFont);
    ::DeleteDC(hDC);
    return line;
}

// The same font description; the face name's bytes after its end are left out.
bool SameFont(const LOGFONTA& a, const LOGFONTA& b)
{
    return memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
           strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

struct KnownFont {
    LOGFONTA lf;
    int nCellHeight;
    CellLowLine line;
};

} // namespace

CellLowLine GetCellLowLine(HFONT hFont, int nCellHeight)
{
    LOGFONTA lf = {};
    if (hFont == NULL || nCellHeight <= 0 || ::GetObjectA(hFont, sizeof(lf), &lf) != sizeof(lf))
        return CellLowLine();
    // Painting asks at every paint; the editors use a few fonts only. Painting is the UI
    // thread's alone.
    static std::vector<KnownFont> known;
    for (const KnownFont& font : known)
        if (font.nCellHeight == nCellHeight && SameFont(font.lf, lf))
            return font.line;
    const KnownFont font = {lf, nCellHeight, MeasureCellLowLine(hFont, nCellHeight)};
    if (known.size() >= 16)
        known.erase(known.begin());
    known.push_back(font);
    return font.line;
}

void DrawCellLowLine(HDC hdc, const CellLowLine& line, int x, int y, COLORREF color)
{
    if (!line.bDrawn)
        return;
    const RECT rc = {x + line.rc.left, y + line.rc.top, x + line.rc.right, y + line.rc.bottom};
    const COLORREF old = ::SetBkColor(hdc, color);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    ::SetBkColor(hdc, old);
}
