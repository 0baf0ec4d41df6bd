// The soft shadow a popup casts to its right and below it. It is no window: the popup's window
// is larger than its body by the shadow size, and the shadow is a darkened copy of what the
// screen showed there before the popup appeared. Rendered once and cached, so that a repaint
// restores the cached strips instead of darkening twice.
//
// The gradient (more than 8 bits per pixel) and the dithered half-tone (palette screens) are
// computed on pixel buffers by plain functions.
#pragma once
#include "afxwin.h"

class PopupShadow {
public:
    PopupShadow();
    ~PopupShadow();

    // TRUE when the shadow is on the screen.
    BOOL Paint(CDC& dc, const CRect& rcBody, const CRect& rcExclude1, const CRect& rcExclude2, int nSize,
               int nDarkest, int nLightest, BOOL bCache, BOOL bTint, BOOL bOffscreen);
    void Destroy();
    void DestroyStrips();
    bool HasCachedStrips() const { return m_bmpRight.GetSafeHandle() != NULL && m_bmpBottom.GetSafeHandle() != NULL; }

    // Darkens the shadow pixels of a 32-bit top-down buffer of (w + s) x (h + s) pixels whose
    // top left is the body's top left. clrTint CLR_INVALID: no tint.
    static void ShadeGradient(DWORD* pBits, int w, int h, int s, int nDarkest, int nLightest, COLORREF clrTint,
                              const CRect& rcExclude1, const CRect& rcExclude2);
    // One pixel darkened to nPercent brightness.
    static DWORD DarkenPixel(DWORD px, int nPercent, COLORREF clrTint);

    CBitmap m_bmpRight;
    CBitmap m_bmpBottom;
    CRect m_rcBody;
    CRect m_rcExclude1;
    CRect m_rcExclude2;
    int m_nSize;
    int m_nDarkest;
    int m_nLightest;
    BYTE m_bOptions;
    CRgn m_rgnClip;

private:
    BOOL Render(CDC& dc);
    BOOL RenderDithered(CDC& dc);
    BOOL RenderGradient(CDC& dc);
    BOOL SaveStrips(CDC& dc);
};
