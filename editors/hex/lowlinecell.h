// The low line "_" of a font drawn in fixed cells. Some fonts draw it as nothing at some sizes
// (the IPA fonts under Wine at 12, 13 and 18 pixels: the character has its place and its ink
// box, but the box rounds to no pixel), or under the cell, where the next line's cells cover
// it; "port_name" would then read "port name". With such a font the text's painter draws the
// line itself, inside the cell, after drawing the character.
#pragma once

#include <windows.h>

struct CellLowLine {
    // The font leaves the cell without a low line: the painter draws rc itself.
    bool bDrawn = false;
    // Where the line goes, from the top left of the cell the character is drawn at.
    RECT rc = {};
};

// For a font whose text is drawn at the top of cells nCellHeight high; answered from what was
// found for the same font and height before, after the first time.
CellLowLine GetCellLowLine(HFONT hFont, int nCellHeight);
// Draws the line into the cell at (x, y) when the painter has to.
void DrawCellLowLine(HDC hdc, const CellLowLine& line, int x, int y, COLORREF color);
