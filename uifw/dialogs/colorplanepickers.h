// Modes 9-14, the single-axis planes: the main area spans the two channels other than the
// axis (red, green, blue, cyan, magenta or yellow) at the current value of the axis, and
// the strip runs the axis component alone from 0 to 255.
#pragma once
#include "colorhslpickers.h"

class CUiColorCtrl::xyz_plain_data_t : public CUiColorCtrl::hsl_panel_data_t {
public:
    explicit xyz_plain_data_t(int nAxis);

    int GetAxis() const { return m_nAxis; }
    void BuildMainImage(CDC* pDC) override;
    void BuildStripImage(CDC* pDC) override;

protected:
    void PickMain(CPoint ptArea) override;
    void PickStrip(int nOffset) override;
    bool GetMainMark(CPoint& pt) const override;
    int GetStripMark() const override;
    void OnColorChanged(COLORREF clrOld, double hueOld, double saturationOld) override;

private:
    int m_nAxis;
};
