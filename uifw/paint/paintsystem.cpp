#include "paintsystem.h"

#include "bitmaputil.h"

namespace {

int g_nBitsOverride = 0;
// Asked of a screen, window or memory context, the depth costs Wine a look at the display's
// configuration (a fifth of a millisecond), and painting asks it hundreds of times in a start;
// it changes only with the display mode, which WM_DISPLAYCHANGE announces. 0: not known.
int g_nDisplayBits = 0;

// The context of a window or of the screen.
bool IsWindowContext(HDC hDC)
{
    return ::GetObjectType(hDC) == OBJ_DC && ::WindowFromDC(hDC) != NULL;
}

// A memory context answers the depth of the device it was made for, whatever bitmap it
// holds, and the program makes memory contexts for the display only.
bool IsDisplayContext(HDC hDC)
{
    return ::GetObjectType(hDC) == OBJ_MEMDC || IsWindowContext(hDC);
}

struct SysColorOverride {
    bool active = false;
    COLORREF colors[kSysColorCount] = {};
    HBRUSH brushes[kSysColorCount] = {};

    void Release()
    {
        for (HBRUSH& hBrush : brushes) {
            if (hBrush != NULL)
                ::DeleteObject(hBrush);
            hBrush = NULL;
        }
        active = false;
    }
    ~SysColorOverride() { Release(); }
};

SysColorOverride g_sysOverride;

} // namespace

int GetBitsPerPixel(HDC hDC)
{
    if (g_nBitsOverride != 0)
        return g_nBitsOverride;
    if (hDC == NULL)
        return 0;
    if (!IsDisplayContext(hDC))
        return ::GetDeviceCaps(hDC, BITSPIXEL);
    if (g_nDisplayBits == 0)
        g_nDisplayBits = ::GetDeviceCaps(hDC, BITSPIXEL);
    return g_nDisplayBits;
}

int GetScreenBitsPerPixel()
{
    if (g_nBitsOverride != 0)
        return g_nBitsOverride;
    if (g_nDisplayBits != 0)
        return g_nDisplayBits;
    HDC hDC = ::GetDC(NULL);
    int nBits = GetBitsPerPixel(hDC);
    ::ReleaseDC(NULL, hDC);
    return nBits;
}

HBITMAP CreateOffscreenBitmap(HDC hTarget, int cx, int cy)
{
    // Other contexts keep their own kind: a memory context may hold a monochrome bitmap.
    if (hTarget != NULL && !IsWindowContext(hTarget))
        return ::CreateCompatibleBitmap(hTarget, cx, cy);
    if (cx > 0 && cy > 0 && GetScreenBitsPerPixel() == 32) {
        COLORREF* pBits = NULL;
        if (HBITMAP hBitmap = Create32BitSection(cx, cy, &pBits))
            return hBitmap;
    }
    if (hTarget != NULL)
        return ::CreateCompatibleBitmap(hTarget, cx, cy);
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

void SetBitsPerPixelOverride(int nBits)
{
    g_nBitsOverride = nBits;
}

void ForgetDisplayBitsPerPixel()
{
    g_nDisplayBits = 0;
}

bool IsPaletteDevice(HDC hDC)
{
    if (g_nBitsOverride != 0)
        return g_nBitsOverride <= 8;
    return hDC != NULL && (::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE) != 0;
}

PaletteScope::PaletteScope(CDC& dc, CPalette* pPalette) : m_hDC(dc.GetSafeHdc()), m_hOld(NULL)
{
    if (pPalette == nullptr || pPalette->GetSafeHandle() == NULL || !IsPaletteDevice(m_hDC))
        return;
    m_hOld = ::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
    ::RealizePalette(m_hDC);
}

PaletteScope::~PaletteScope()
{
    if (m_hOld != NULL)
        ::SelectPalette(m_hDC, m_hOld, FALSE);
}

COLORREF PaintGetSysColor(int nIndex)
{
    if (g_sysOverride.active && nIndex >= 0 && nIndex < kSysColorCount)
        return g_sysOverride.colors[nIndex];
    return ::GetSysColor(nIndex);
}

HBRUSH PaintGetSysColorBrush(int nIndex)
{
    if (g_sysOverride.active && nIndex >= 0 && nIndex < kSysColorCount)
        return g_sysOverride.brushes[nIndex];
    return ::GetSysColorBrush(nIndex);
}

void SetSysColorOverride(const COLORREF* pColors)
{
    g_sysOverride.Release();
    if (pColors == NULL)
        return;
    for (int i = 0; i < kSysColorCount; ++i) {
        g_sysOverride.colors[i] = pColors[i];
        g_sysOverride.brushes[i] = ::CreateSolidBrush(pColors[i]);
    }
    g_sysOverride.active = true;
}
