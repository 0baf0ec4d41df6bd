// Pixels of the 32-bit sections the command icon works on, and icons made from bitmaps.
//
// A 32-bit section stores blue in its lowest byte and red in its third, the reverse of a
// COLORREF; every comparison with a colour key goes through these conversions.
#pragma once

#include "afxwin.h"

inline COLORREF DibPixelToColor(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

inline DWORD ColorToDibPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

// An icon of the whole bitmap whose clrKey pixels are transparent; NULL on failure.
HICON CmdIconMakeIcon(HBITMAP hBitmap, COLORREF clrKey, bool bMapSysColors);
