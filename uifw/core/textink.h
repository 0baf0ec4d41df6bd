// Where a font puts ink: the text drawn black on white into a small 32-bit surface, for the
// painters that must learn whether a font draws a character at all (some draw the low line
// "_" as nothing at some sizes) and where its first column of ink lies.
#pragma once

#include <windows.h>

#include <vector>

// The pixels of a cx × cy surface, row by row from the top, that are not white once the text
// is drawn at (0, 0) in the font; false, with ink left empty, when no surface could be made.
bool RenderTextInk(HFONT hFont, const char* pszText, int nLength, int cx, int cy, std::vector<bool>& ink);
