// Bitmap conversions shared by the resource manager, command icons and docking markers:
// copies, colour counts, packed DIBs, and bitmap files read from and written to archives.
//
// A bitmap file or resource is untrusted input: the loader checks that the header, the
// colour table and the pixels all lie inside the bytes it was given before it builds the
// bitmap, and it copies no more pixels than the bitmap it made can hold.
#pragma once

#include "afxwin.h"

typedef CMap<COLORREF, COLORREF, DWORD, DWORD> CBitmapColorCounts;
typedef CArray<COLORREF, COLORREF> CBitmapColorList;

// A 32-bit bottom-up DIB section of the size (blue in the lowest byte of each pixel), its
// pixels at *ppBits. NULL on failure.
HBITMAP Create32BitSection(int cx, int cy, COLORREF** ppBits);

// A copy of the bitmap (or of pRect of it): with ppBits a 32-bit bottom-up DIB section whose
// pixels *ppBits points to, else a bitmap compatible with the screen. NULL on failure.
HBITMAP CloneBitmap(HBITMAP hBitmap, const RECT* pRect = NULL, COLORREF** ppBits = NULL);

// Counts every pixel's colour into counts (emptied first); the bitmap's bits per pixel, or 0.
UINT CountBitmapColors(HBITMAP hBitmap, CBitmapColorCounts& counts);

// Above 8 bits per pixel the distinct colours; else the colour table (2^bits entries), with
// later duplicates left out on request. The bits per pixel, or 0.
UINT GetBitmapColorList(HBITMAP hBitmap, CBitmapColorList& colors, bool bRemoveDuplicates);

// A fixed global block: BITMAPINFOHEADER, colour table (2^bits entries up to 8 bits) and the
// bits; NULL on failure. hPalette NULL: the default palette.
HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette = NULL);

// Storing writes a bitmap file (file header and packed DIB). Loading with dwCount 0 reads a
// bitmap file; with dwCount set it reads a packed DIB of that many bytes (a bitmap
// resource). On success hBitmap is a new DIB section; on failure it is left as it was.
bool SerializeBitmap(CArchive& ar, HBITMAP& hBitmap, DWORD dwCount = 0);

// A bitmap file in memory, or NULL.
HBITMAP LoadBitmapFromMemory(const void* pData, DWORD dwSize);
// A bitmap resource found in hInstance, or NULL.
HBITMAP LoadBitmapFromResource(HINSTANCE hInstance, HRSRC hResource);
