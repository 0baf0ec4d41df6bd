// Each icon is drawn twice on memory contexts of the screen: the colour image (black where
// transparent, as an icon's XOR part wants it) and the monochrome mask (white where
// transparent).
#include "coloricons.h"

#include <functional>

namespace {

const int kSize = 16;

typedef std::function<void(HDC hColor, HDC hMask)> IconPainter;

HICON MakeIcon(const IconPainter& paint)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hColorDC = ::CreateCompatibleDC(hScreen);
    HDC hMaskDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, kSize, kSize);
    HBITMAP hMask = ::CreateBitmap(kSize, kSize, 1, 1, NULL);
    ::ReleaseDC(NULL, hScreen);
    HICON hIcon = NULL;
    if (hColorDC != NULL && hMaskDC != NULL && hColor != NULL && hMask != NULL) {
        HGDIOBJ hOldColor = ::SelectObject(hColorDC, hColor);
        HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);
        const RECT rcAll = {0, 0, kSize, kSize};
        ::FillRect(hColorDC, &rcAll, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        ::FillRect(hMaskDC, &rcAll, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        paint(hColorDC, hMaskDC);
        ::SelectObject(hColorDC, hOldColor);
        ::SelectObject(hMaskDC, hOldMask);
        ICONINFO info = {TRUE, 0, 0, hMask, hColor};
        hIcon = ::CreateIconIndirect(&info);
    }
    if (hColor != NULL)
        ::DeleteObject(hColor);
    if (hMask != NULL)
        ::DeleteObject(hMask);
    if (hColorDC != NULL)
        ::DeleteDC(hColorDC);
    if (hMaskDC != NULL)
        ::DeleteDC(hMaskDC);
    return hIcon;
}

void Fill(HDC hDC, const RECT& rc, COLORREF clr)
{
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}

} // namespace

HICON CreateColorIcon(COLORREF clr)
{
    return MakeIcon([clr](HDC hColor, HDC hMask) {
        const RECT rc = {0, 0, kSize, kSize};
        Fill(hColor, rc, clr);
        Fill(hMask, rc, RGB(0, 0, 0));
    });
}

HICON CreateFramedColorIcon(COLORREF clr)
{
    return MakeIcon([clr](HDC hColor, HDC hMask) {
        const RECT rcOuter = {1, 2, kSize - 1, kSize - 2};
        const RECT rcHole = {3, 4, kSize - 3, kSize - 4};
        Fill(hColor, rcOuter, clr);
        Fill(hColor, rcHole, RGB(0, 0, 0));
        Fill(hMask, rcOuter, RGB(0, 0, 0));
        Fill(hMask, rcHole, RGB(255, 255, 255));
    });
}

HICON CreateTextColorIcon(COLORREF clr, HFONT hFont, char ch)
{
    return MakeIcon([clr, hFont, ch](HDC hColor, HDC hMask) {
        const char text[2] = {ch, '\0'};
        RECT rcText = {0, 0, kSize, 12};
        // The character is black on both: opaque in the mask, black in the colour image.
        for (HDC hDC : {hColor, hMask}) {
            HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
            const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
            const COLORREF clrOld = ::SetTextColor(hDC, RGB(0, 0, 0));
            ::DrawTextA(hDC, text, 1, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ::SetTextColor(hDC, clrOld);
            ::SetBkMode(hDC, nOldMode);
            if (hOldFont != NULL)
                ::SelectObject(hDC, hOldFont);
        }
        const RECT rcBar = {2, 13, 14, 16};
        Fill(hColor, rcBar, clr);
        Fill(hMask, rcBar, RGB(0, 0, 0));
    });
}
