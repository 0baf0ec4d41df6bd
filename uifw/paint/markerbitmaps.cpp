#include "markerbitmaps.h"

#include "bitmaputil.h"
#include "colorhls.h"

#include <algorithm>
#include <vector>

namespace {

struct KeyRange {
    BYTE lo[3];
    BYTE hi[3];

    KeyRange(COLORREF clrKey, COLORREF clrTolerance)
    {
        const BYTE key[3] = {GetRValue(clrKey), GetGValue(clrKey), GetBValue(clrKey)};
        const BYTE tol[3] = {GetRValue(clrTolerance), GetGValue(clrTolerance), GetBValue(clrTolerance)};
        for (int i = 0; i < 3; ++i) {
            lo[i] = key[i];
            hi[i] = (BYTE)std::min(255, key[i] + tol[i]);
        }
    }
    bool Contains(COLORREF clr) const
    {
        const BYTE c[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
        for (int i = 0; i < 3; ++i) {
            if (c[i] < lo[i] || c[i] > hi[i])
                return false;
        }
        return true;
    }
};

// ORs the collected rectangles into hResult and empties them.
void FlushRects(HRGN hResult, std::vector<RECT>& rects, int cx, int cy)
{
    if (rects.empty())
        return;
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATA* pData = reinterpret_cast<RGNDATA*>(buffer.data());
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = (DWORD)rects.size();
    pData->rdh.nRgnSize = (DWORD)(rects.size() * sizeof(RECT));
    ::SetRect(&pData->rdh.rcBound, 0, 0, cx, cy);
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(pData->Buffer));
    HRGN hPart = ::ExtCreateRegion(NULL, (DWORD)buffer.size(), pData);
    if (hPart != NULL) {
        ::CombineRgn(hResult, hResult, hPart, RGN_OR);
        ::DeleteObject(hPart);
    }
    rects.clear();
}

// A 32-bit bottom-up copy of the bitmap with its pixels and size; null when none can be made.
HBITMAP PixelCopy(HBITMAP hBitmap, DWORD** ppPixels, int& cx, int& cy)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return NULL;
    COLORREF* pBits = nullptr;
    HBITMAP hCopy = CloneBitmap(hBitmap, NULL, &pBits);
    if (hCopy == NULL)
        return NULL;
    ::GdiFlush();
    *ppPixels = reinterpret_cast<DWORD*>(pBits);
    cx = bm.bmWidth;
    cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    return hCopy;
}

} // namespace

HRGN BitmapToRegion(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance)
{
    DWORD* pPixels = nullptr;
    int cx = 0, cy = 0;
    HBITMAP hCopy = PixelCopy(hBitmap, &pPixels, cx, cy);
    if (hCopy == NULL)
        return NULL;
    const KeyRange range(clrKey, clrTolerance);
    HRGN hResult = ::CreateRectRgn(0, 0, 0, 0);
    std::vector<RECT> rects;
    const size_t kBatch = 2000;
    for (int y = 0; y < cy; ++y) {
        // The section is bottom-up: the picture's top row is the last in memory.
        const DWORD* pRow = pPixels + (size_t)(cy - 1 - y) * (size_t)cx;
        for (int x = 0; x < cx; ++x) {
            if (range.Contains(DibPixelToColor(pRow[x])))
                continue;
            const int x0 = x;
            while (x < cx && !range.Contains(DibPixelToColor(pRow[x])))
                ++x;
            rects.push_back(RECT{x0, y, x, y + 1});
            if (rects.size() >= kBatch)
                FlushRects(hResult, rects, cx, cy);
        }
    }
    FlushRects(hResult, rects, cx, cy);
    ::DeleteObject(hCopy);
    return hResult;
}

HBITMAP AdjustBitmapHLS(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance, double dHue, double dLightness,
                        double dSaturation)
{
    if (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0)
        return NULL;
    DWORD* pPixels = nullptr;
    int cx = 0, cy = 0;
    HBITMAP hCopy = PixelCopy(hBitmap, &pPixels, cx, cy);
    if (hCopy == NULL)
        return NULL;
    const KeyRange range(clrKey, clrTolerance);
    const size_t count = (size_t)cx * (size_t)cy;
    for (size_t i = 0; i < count; ++i) {
        // Pixels are read as the colours they show (red in the third byte), so a hue shift
        // turns the way it does on the screen.
        const COLORREF clr = DibPixelToColor(pPixels[i]);
        if (!range.Contains(clr))
            pPixels[i] = ColorToDibPixel(AdjustColorHLS(clr, dHue, dLightness, dSaturation));
    }
    return hCopy;
}

bool ReplaceBitmapHLS(CBitmap& bitmap, COLORREF clrKey, COLORREF clrTolerance, double dHue, double dLightness,
                      double dSaturation)
{
    if (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0)
        return true;
    HBITMAP hAdjusted = AdjustBitmapHLS((HBITMAP)bitmap.GetSafeHandle(), clrKey, clrTolerance, dHue, dLightness,
                                        dSaturation);
    if (hAdjusted == NULL)
        return false;
    bitmap.DeleteObject();
    bitmap.Attach(hAdjusted);
    return true;
}
