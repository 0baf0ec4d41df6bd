// Bitmap operations of the dock markers: the shape of a picture as a region, and recoloured
// copies with hue, lightness and saturation moved. Pixels within the key range (key to key
// plus tolerance on every channel) count as transparent.
#pragma once
#include "afxwin.h"

// The region of the pixels outside the key range, one rectangle per run of a row; an empty
// region for a picture without such pixels; null when no copy of the bitmap can be made.
HRGN BitmapToRegion(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance);
// A new 32-bit copy with every pixel outside the key range moved by the three shifts; null
// when all three are 0 (nothing to do) or no copy can be made.
HBITMAP AdjustBitmapHLS(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance, double dHue, double dLightness,
                        double dSaturation);
// Replaces the bitmap by its adjusted copy; true also when the shifts change nothing.
bool ReplaceBitmapHLS(CBitmap& bitmap, COLORREF clrKey, COLORREF clrTolerance, double dHue, double dLightness,
                      double dSaturation);

// A 32-bit DIB pixel (0x00RRGGBB) as a colour and back.
inline COLORREF DibPixelToColor(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}
inline DWORD ColorToDibPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}
