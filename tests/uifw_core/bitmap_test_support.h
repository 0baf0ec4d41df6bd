// Bitmaps with known pixels for the bitmap and resource tests; the test resources
// colors24.bmp and palette8.bmp hold the same pictures.
#pragma once

#include <windows.h>

#include <vector>

namespace bitmaptest {

const int kColorsWidth = 5, kColorsHeight = 3;
const int kPaletteWidth = 7, kPaletteHeight = 5;

inline COLORREF ColorsPixel(int x, int y)
{
    return RGB((x * 50) % 256, (y * 80 + 10) % 256, (x * y * 30 + 5) % 256);
}

inline COLORREF PaletteEntry(int i)
{
    return RGB((i * 16) % 256, 255 - i * 15, (i * 37) % 256);
}

inline int PaletteIndex(int x, int y)
{
    return (x + y * 3) % 16;
}

inline COLORREF PalettePixel(int x, int y)
{
    return PaletteEntry(PaletteIndex(x, y));
}

// A 24-bit DIB section of the colours picture.
inline HBITMAP MakeColors24()
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kColorsWidth;
    bmi.bmiHeader.biHeight = -kColorsHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    const int stride = (kColorsWidth * 3 + 3) & ~3;
    for (int y = 0; y < kColorsHeight; y++)
        for (int x = 0; x < kColorsWidth; x++) {
            BYTE* p = static_cast<BYTE*>(pBits) + y * stride + x * 3;
            const COLORREF c = ColorsPixel(x, y);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return hBitmap;
}

// An 8-bit DIB section of the palette picture with a colour table of 16 entries.
inline HBITMAP MakePalette8()
{
    struct {
        BITMAPINFOHEADER bmih;
        RGBQUAD colors[16];
    } bmi = {};
    bmi.bmih.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmih.biWidth = kPaletteWidth;
    bmi.bmih.biHeight = -kPaletteHeight;
    bmi.bmih.biPlanes = 1;
    bmi.bmih.biBitCount = 8;
    bmi.bmih.biClrUsed = 16;
    for (int i = 0; i < 16; i++) {
        const COLORREF c = PaletteEntry(i);
        bmi.colors[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    }
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS, &pBits, NULL, 0);
    const int stride = (kPaletteWidth + 3) & ~3;
    for (int y = 0; y < kPaletteHeight; y++)
        for (int x = 0; x < kPaletteWidth; x++)
            static_cast<BYTE*>(pBits)[y * stride + x] = (BYTE)PaletteIndex(x, y);
    return hBitmap;
}

// The bitmap's pixels as COLORREFs, top row first; empty when it cannot be read.
inline std::vector<COLORREF> Pixels(HBITMAP hBitmap, int* pWidth = nullptr, int* pHeight = nullptr)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return {};
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> raw((size_t)bm.bmWidth * bm.bmHeight);
    HDC hScreen = ::GetDC(NULL);
    const int nLines = ::GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, raw.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hScreen);
    if (nLines != bm.bmHeight)
        return {};
    std::vector<COLORREF> pixels;
    for (DWORD bgra : raw)
        pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    if (pWidth != nullptr)
        *pWidth = bm.bmWidth;
    if (pHeight != nullptr)
        *pHeight = bm.bmHeight;
    return pixels;
}

inline std::vector<COLORREF> ExpectedColors()
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kColorsHeight; y++)
        for (int x = 0; x < kColorsWidth; x++)
            pixels.push_back(ColorsPixel(x, y));
    return pixels;
}

inline std::vector<COLORREF> ExpectedPalette()
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kPaletteHeight; y++)
        for (int x = 0; x < kPaletteWidth; x++)
            pixels.push_back(PalettePixel(x, y));
    return pixels;
}

inline int BitsPerPixel(HBITMAP hBitmap)
{
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    return bm.bmBitsPixel * bm.bmPlanes;
}

} // namespace bitmaptest
