#include "cmdiconpixels.h"

#include "bitmaputil.h"

#include <vector>

HICON CmdIconMakeIcon(HBITMAP hBitmap, COLORREF clrKey, bool)
{
    COLORREF* pBits = NULL;
    HBITMAP hColor = CloneBitmap(hBitmap, NULL, &pBits);
    if (hColor == NULL)
        return NULL;
    BITMAP bm;
    ::GetObject(hColor, sizeof(bm), &bm);
    const int cx = bm.bmWidth, cy = bm.bmHeight;
    // Monochrome rows are padded to 16 bits; the section is bottom-up, the mask top-down.
    const int nMaskStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> mask((size_t)nMaskStride * cy, 0);
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    const DWORD dwKey = ColorToDibPixel(clrKey);
    for (int y = 0; y < cy; y++) {
        DWORD* pRow = pPixels + (size_t)(cy - 1 - y) * cx;
        for (int x = 0; x < cx; x++) {
            if ((pRow[x] & 0xFFFFFF) != dwKey)
                continue;
            mask[(size_t)y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
            pRow[x] = 0;
        }
    }
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, mask.data());
    HICON hIcon = NULL;
    if (hMask != NULL) {
        ICONINFO info = {TRUE, 0, 0, hMask, hColor};
        hIcon = ::CreateIconIndirect(&info);
        ::DeleteObject(hMask);
    }
    ::DeleteObject(hColor);
    return hIcon;
}
