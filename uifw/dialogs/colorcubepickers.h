// Modes 4 and 7: the RGB and the CMY cube. Three faces of a cube seen from a corner, one
// channel per edge from the centre vertex O (0) to E0, E1, E2 (255); three handles on the
// edges drag one channel each, a click on a face picks the pixel under it.
#pragma once
#include "colorpickerbase.h"
#include "colorpickergeometry.h"

class CUiColorCtrl::rgb_cube_data_t : public CUiColorCtrl::any_picker_data_t {
public:
    rgb_cube_data_t();
    ~rgb_cube_data_t() override;

    void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Release() override;
    void Paint(CDC* pDC, CPalette* pPalette) override;
    void OnMouseDown(UINT nFlags, int x, int y) override;
    void OnMouseMove(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHLS(double hue, double saturation, double lightness) override;

    bool IsCmy() const { return m_bCmy; }
    int ChannelValue(int k) const;
    const colorpicker::CubeGeometry& GetGeometry() const { return m_geo; }
    const colorpicker::CubePoints& GetPoints() const { return m_pts; }

    ColorPickerImage m_image;
    CSize m_szHandleHalf;
    int m_nMargin;

protected:
    bool m_bCmy;

private:
    void BuildImage(CDC* pDC, CPalette* pPalette);
    void RecomputePoints();
    // The face click: the pixel of the image under the point, or nothing.
    void PickFace(UINT nFlags, int x, int y);

    colorpicker::CubeGeometry m_geo;
    colorpicker::CubePoints m_pts;
};

class CUiColorCtrl::cmy_cube_data_t : public CUiColorCtrl::rgb_cube_data_t {
public:
    cmy_cube_data_t() { m_bCmy = true; }
};
