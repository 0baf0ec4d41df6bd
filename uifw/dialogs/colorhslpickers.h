// The pickers with a main area and a strip below it: the hue/saturation/lightness panel, the
// basic-hue picker and the roller (colour wheel). Each renders its main image and its strip
// once into cached images and drops the one that depends on the colour when the colour
// changes. The single-axis planes (colorplanepickers.h) share this frame.
#pragma once
#include "colorpickerbase.h"
#include "colorpickergeometry.h"

// Mode 1: the main area runs over hue (x) and saturation (y, full at the top) at lightness
// 0.5; the strip over lightness at the current hue and saturation.
class CUiColorCtrl::hsl_panel_data_t : public CUiColorCtrl::any_picker_data_t {
public:
    hsl_panel_data_t();

    void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Release() override;
    void Paint(CDC* pDC, CPalette* pPalette) override;
    // Tracking state 4 below the main area, else 5.
    void OnMouseDown(UINT nFlags, int x, int y) override;
    // Ctrl holds the horizontal coordinate, Shift the vertical one.
    void OnMouseMove(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHLS(double hue, double saturation, double lightness) override;
    virtual void BuildMainImage(CDC* pDC);
    virtual void BuildStripImage(CDC* pDC);

    const colorpicker::AreaLayout& GetAreaLayout() const { return m_layout; }
    ColorPickerImage m_imgMain;
    ColorPickerImage m_imgStrip;

protected:
    // A point of the main area (offsets from its corner, clamped to it) or of the strip.
    virtual void PickMain(CPoint ptArea);
    virtual void PickStrip(int nOffset);
    // Where the marks stand; false for no mark.
    virtual bool GetMainMark(CPoint& pt) const;
    virtual int GetStripMark() const;
    // What the main area runs over from left to right (saturation runs upwards), and what the
    // strip shows.
    virtual double MainAcross() const { return m_hue; }
    virtual double StripValue() const { return m_lightness; }
    // Drops the images that depend on the colour after it changed from the old one.
    virtual void OnColorChanged(COLORREF clrOld, double hueOld, double saturationOld);
    void BuildImages(CDC* pDC);
    // White images of the main area's and the strip's size; false for an empty part.
    bool CreateMainImage(CDC* pDC);
    bool CreateStripImage(CDC* pDC);
    double MainWidth() const { return m_layout.rcMain.Width(); }
    double MainHeight() const { return m_layout.rcMain.Height(); }

    colorpicker::AreaLayout m_layout;
    CPoint m_ptLast;
    int m_nLastStrip;
};

// Mode 2: the strip shows every hue fully saturated and picks the hue; the main area runs
// over lightness (x) and saturation (y) at the current hue.
class CUiColorCtrl::hsl_basic_hue_data_t : public CUiColorCtrl::hsl_panel_data_t {
public:
    void BuildMainImage(CDC* pDC) override;
    void BuildStripImage(CDC* pDC) override;

protected:
    void PickMain(CPoint ptArea) override;
    void PickStrip(int nOffset) override;
    double MainAcross() const override;
    double StripValue() const override;
    void OnColorChanged(COLORREF clrOld, double hueOld, double saturationOld) override;
};

// Mode 3: a colour wheel in the main area (hue around, saturation outwards) and the
// lightness strip of mode 1.
class CUiColorCtrl::hsl_roller_data_t : public CUiColorCtrl::hsl_panel_data_t {
public:
    void OnMouseDown(UINT nFlags, int x, int y) override;
    void BuildMainImage(CDC* pDC) override;

protected:
    void PickMain(CPoint ptArea) override;
    bool GetMainMark(CPoint& pt) const override;
};
