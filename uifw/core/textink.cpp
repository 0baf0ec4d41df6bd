#include "textink.h"

bool RenderTextInk(HFONT hFont, const char* pszText, int nLength, int cx, int cy, std::vector<bool>& ink)
{
    ink.clear();
    if (cx <= 0 || cy <= 0)
        return false;
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = hDC != NULL ? ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0) : NULL;
    if (hBitmap != NULL) {
        HGDIOBJ hOldBitmap = ::SelectObject(hDC, hBitmap);
        HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
        const RECT rc = {0, 0, cx, cy};
        ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, RGB(0, 0, 0));
        ::TextOutA(hDC, 0, 0, pszText, nLength);
        ::GdiFlush();
        const DWORD* pPixels = static_cast<const DWORD*>(pBits);
        ink.resize(static_cast<size_t>(cx) * cy);
        for (size_t i = 0; i < ink.size(); ++i)
            ink[i] = (pPixels[i] & 0xFFFFFF) != 0xFFFFFF;
        ::SelectObject(hDC, hOldFont);
        ::SelectObject(hDC, hOldBitmap);
        ::DeleteObject(hBitmap);
    }
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return hBitmap != NULL;
}
