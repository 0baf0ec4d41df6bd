// What the paint managers read of the running system, behind one narrow door each: the
// bits per pixel of the screen or of a device context, and the system colours and brushes.
// By default they are the real system's answers; a test may put fixed answers in their place
// (a palette display, a chosen set of system colours) that Wine or the test display cannot
// give, and takes them away again with the null or zero argument.
#pragma once
#include "afxwin.h"

const int kSysColorCount = 50;

// BITSPIXEL of a screen device context (or of the given one).
int GetScreenBitsPerPixel();
int GetBitsPerPixel(HDC hDC);
// 0 gives the real answer back.
void SetBitsPerPixelOverride(int nBits);
// The display's depth is read again at the next question: the display mode changed.
void ForgetDisplayBitsPerPixel();
// A bitmap to draw on off screen and copy to the window or screen context hTarget (NULL: the
// screen): a bitmap compatible with it. A compatible bitmap costs Wine a look at the display's
// configuration when made and again each time it is selected; on a 32-bit display a 32-bit
// section holds the same pixels without that cost, and that is what such a target gets.
HBITMAP CreateOffscreenBitmap(HDC hTarget, int cx, int cy);
// Whether the context draws through a palette (RC_PALETTE); under the bits-per-pixel
// override, whether that depth has one.
bool IsPaletteDevice(HDC hDC);

// The palette selected into a palette device and realised for the scope's life; on any other
// device, or without a palette, nothing happens.
class PaletteScope {
public:
    PaletteScope(CDC& dc, CPalette* pPalette);
    ~PaletteScope();
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    HDC m_hDC;
    HPALETTE m_hOld;
};

COLORREF PaintGetSysColor(int nIndex);
HBRUSH PaintGetSysColorBrush(int nIndex);
// pColors: kSysColorCount colours indexed like GetSysColor, or NULL for the real ones. Solid
// brushes of the given colours stand in for the system brushes while the override holds.
void SetSysColorOverride(const COLORREF* pColors);
