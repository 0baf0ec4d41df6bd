// The root of the colour control's picker-data objects and the cached image the pickers
// render their gradients into once per layout.
#pragma once
#include "colorctrl.h"

// A bitmap of its own in a memory context: a 32-bit DIB section whose pixels the pickers
// write directly, so rendering a gradient costs no drawing call per pixel. Writes outside
// the bitmap are dropped.
class ColorPickerImage {
public:
    ColorPickerImage();
    ~ColorPickerImage();

    // A cx x cy image for drawing onto pTarget, filled with clrFill; false (and empty) when
    // either size is 0 or less or the bitmap cannot be made.
    bool Create(CDC* pTarget, int cx, int cy, COLORREF clrFill);
    void Destroy();
    bool IsEmpty() const { return m_pBits == nullptr; }
    CDC* GetDC() { return &m_dc; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    void SetPixel(int x, int y, COLORREF clr);
    void FillBlock(int x, int y, int cx, int cy, COLORREF clr);
    // CLR_INVALID outside the image.
    COLORREF GetPixel(int x, int y) const;
    // Copies the image to (x, y) of pDC.
    void Draw(CDC* pDC, int x, int y);

    // Fills the image from fnColor(x, y): per pixel, or on a screen of 8 bits per pixel or
    // fewer one computation every nStep pixels, drawn as a block of nBlock x nBlock.
    template <class Fn>
    void Render(int nStep, int nBlock, Fn fnColor)
    {
        if (!IsPaletteScreen())
            nStep = nBlock = 1;
        for (int y = 0; y < m_cy; y += nStep)
            for (int x = 0; x < m_cx; x += nStep)
                FillBlock(x, y, nBlock, nBlock, fnColor(x, y));
    }

    static bool IsPaletteScreen();

private:
    // The section is bottom-up: the first pixel of image row y.
    int Row(int y) const { return (m_cy - 1 - y) * m_cx; }

    CDC m_dc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;
    DWORD* m_pBits;
    int m_cx;
    int m_cy;

    ColorPickerImage(const ColorPickerImage&) = delete;
    ColorPickerImage& operator=(const ColorPickerImage&) = delete;
};

// Draws a mark: a white rectangle with a black one a pixel outside it.
void DrawPickerMark(CDC* pDC, const CRect& rc);

class CUiColorCtrl::any_picker_data_t {
public:
    enum {
        kTrackIdle = 0,
        kTrackHandle0 = 1,
        kTrackHandle1 = 2,
        kTrackHandle2 = 3,
        kTrackStrip = 4,
        kTrackMain = 5,
        kTrackCells = 6,
    };

    any_picker_data_t();
    virtual ~any_picker_data_t();

    // Stores the size (at least 1 x 1); each type builds its geometry here. bKeepColors
    // rebuilds the geometry only.
    virtual void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
    virtual void Release();
    virtual void Paint(CDC* pDC, CPalette* pPalette);
    virtual void OnMouseDown(UINT nFlags, int x, int y);
    virtual void OnMouseUp(UINT nFlags, int x, int y);
    virtual void OnMouseMove(UINT nFlags, int x, int y);
    virtual void SetRefColor(COLORREF clr);
    virtual void SetColor(COLORREF clr);
    virtual void SetHLS(double hue, double saturation, double lightness);

    int m_nTracking;
    int m_cx;
    int m_cy;
    COLORREF m_clr;
    COLORREF m_clrRef;
    double m_hue;
    double m_saturation;
    double m_lightness;
};

// Selects and realises a palette for the lifetime of the object when one is given.
class PickerPaletteScope {
public:
    PickerPaletteScope(CDC* pDC, CPalette* pPalette);
    ~PickerPaletteScope();

private:
    CDC* m_pDC;
    CPalette* m_pOld;
};
