#include "textink.h"

#include "bitmaputil.h"

bool RenderTextInk(HFONT hFont, const char* pszText, int nLength, int cx, int cy, std::vector<bool>& ink)
{
    ink.clear();
    if (cx <= 0 || cy <= 0)
        return false;
    COLORREF* pPixels = nullptr;
    HBITMAP hBitmap = Create32BitSection(cx, cy, &pPixels);
    HDC hDC = hBitmap != NULL ? ::CreateCompatibleDC(NULL) : NULL;
    if (hDC != NULL) {
        HGDIOBJ hOldBitmap = ::SelectObject(hDC, hBitmap);
        HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
        const RECT rc = {0, 0, cx, cy};
        ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, RGB(0, 0, 0));
        ::TextOutA(hDC, 0, 0, pszText, nLength);
        ::GdiFlush();
        // The section's rows run from the bottom up.
        ink.resize(static_cast<size_t>(cx) * cy);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                ink[static_cast<size_t>(y) * cx + x] = (pPixels[static_cast<size_t>(cy - 1 - y) * cx + x] & 0xFFFFFF) != 0xFFFFFF;
        ::SelectObject(hDC, hOldFont);
        ::SelectObject(hDC, hOldBitmap);
        ::DeleteDC(hDC);
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    return hDC != NULL;
}
