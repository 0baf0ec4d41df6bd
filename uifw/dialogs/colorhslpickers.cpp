#include "colorhslpickers.h"

#include "colorhls.h"

#include <cmath>

using namespace colorpicker;

namespace {

const double kTwoPi = 6.283185307179586;
const int kMarkHalf = 3;
// The wheel takes presses this far outside its rim, which pick the full saturation.
const int kWheelGrip = 18;

}  // namespace

CUiColorCtrl::hsl_panel_data_t::hsl_panel_data_t() : m_ptLast(0, 0), m_nLastStrip(0)
{
    m_layout = ComputeAreaLayout(m_cx, m_cy);
}

void CUiColorCtrl::hsl_panel_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
    const int cxOld = m_cx, cyOld = m_cy;
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    if (m_cx != cxOld || m_cy != cyOld) {
        m_imgMain.Destroy();
        m_imgStrip.Destroy();
    }
    m_layout = ComputeAreaLayout(m_cx, m_cy);
    BuildImages(pDC);
}

void CUiColorCtrl::hsl_panel_data_t::Release()
{
    any_picker_data_t::Release();
    m_imgMain.Destroy();
    m_imgStrip.Destroy();
}

void CUiColorCtrl::hsl_panel_data_t::BuildImages(CDC* pDC)
{
    if (m_imgMain.IsEmpty() && m_layout.HasMain())
        BuildMainImage(pDC);
    if (m_imgStrip.IsEmpty() && m_layout.HasStrip())
        BuildStripImage(pDC);
}

bool CUiColorCtrl::hsl_panel_data_t::CreateMainImage(CDC* pDC)
{
    return m_imgMain.Create(pDC, m_layout.rcMain.Width(), m_layout.rcMain.Height(), RGB(255, 255, 255));
}

bool CUiColorCtrl::hsl_panel_data_t::CreateStripImage(CDC* pDC)
{
    return m_imgStrip.Create(pDC, m_layout.rcStrip.Width(), m_layout.rcStrip.Height(), RGB(255, 255, 255));
}

void CUiColorCtrl::hsl_panel_data_t::BuildMainImage(CDC* pDC)
{
    const double width = MainWidth(), height = MainHeight();
    if (!CreateMainImage(pDC))
        return;
    m_imgMain.Render(4, 4, [&](int x, int y) { return HLSToRGB(x / width, 0.5, (height - y) / height); });
}

void CUiColorCtrl::hsl_panel_data_t::BuildStripImage(CDC* pDC)
{
    const double width = m_layout.rcStrip.Width();
    if (!CreateStripImage(pDC))
        return;
    m_imgStrip.Render(4, 4, [&](int x, int) { return HLSToRGB(m_hue, x / width, m_saturation); });
}

void CUiColorCtrl::hsl_panel_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
    PickerPaletteScope palette(pDC, pPalette);
    BuildImages(pDC);
    m_imgMain.Draw(pDC, m_layout.rcMain.left, m_layout.rcMain.top);
    m_imgStrip.Draw(pDC, m_layout.rcStrip.left, m_layout.rcStrip.top);
    CPoint pt;
    if (m_layout.HasMain() && GetMainMark(pt))
        DrawPickerMark(pDC, CRect(pt.x - kMarkHalf, pt.y - kMarkHalf, pt.x + kMarkHalf, pt.y + kMarkHalf));
    if (m_layout.HasStrip()) {
        const int x = GetStripMark();
        DrawPickerMark(pDC, CRect(x - kMarkHalf, m_layout.rcStrip.top, x + kMarkHalf, m_layout.rcStrip.bottom));
    }
}

void CUiColorCtrl::hsl_panel_data_t::OnMouseDown(UINT, int, int y)
{
    if (IsStripPress(m_layout, y))
        m_nTracking = m_layout.HasStrip() ? kTrackStrip : kTrackIdle;
    else
        m_nTracking = m_layout.HasMain() ? kTrackMain : kTrackIdle;
}

void CUiColorCtrl::hsl_panel_data_t::OnMouseMove(UINT nFlags, int x, int y)
{
    if (m_nTracking == kTrackStrip && m_layout.HasStrip()) {
        const int nOffset = (nFlags & MK_CONTROL) ? m_nLastStrip : StripOffset(m_layout, x);
        m_nLastStrip = nOffset;
        PickStrip(nOffset);
    } else if (m_nTracking == kTrackMain && m_layout.HasMain()) {
        CPoint pt = AreaOffset(m_layout, x, y);
        if (nFlags & MK_CONTROL)
            pt.x = m_ptLast.x;
        if (nFlags & MK_SHIFT)
            pt.y = m_ptLast.y;
        m_ptLast = pt;
        PickMain(pt);
    }
}

void CUiColorCtrl::hsl_panel_data_t::PickMain(CPoint ptArea)
{
    SetHLS(ptArea.x / MainWidth(), (MainHeight() - ptArea.y) / MainHeight(), m_lightness);
}

void CUiColorCtrl::hsl_panel_data_t::PickStrip(int nOffset)
{
    SetHLS(m_hue, m_saturation, nOffset / (double)m_layout.rcStrip.Width());
}

bool CUiColorCtrl::hsl_panel_data_t::GetMainMark(CPoint& pt) const
{
    const int width = m_layout.rcMain.Width(), height = m_layout.rcMain.Height();
    pt.x = m_layout.rcMain.left + (int)(width * MainAcross());
    pt.y = m_layout.rcMain.top + height - (int)(height * m_saturation) - 1;
    return true;
}

int CUiColorCtrl::hsl_panel_data_t::GetStripMark() const
{
    return m_layout.rcStrip.left + (int)(m_layout.rcStrip.Width() * StripValue());
}

void CUiColorCtrl::hsl_panel_data_t::SetColor(COLORREF clr)
{
    const COLORREF clrOld = m_clr;
    const double hueOld = m_hue, saturationOld = m_saturation;
    any_picker_data_t::SetColor(clr);
    OnColorChanged(clrOld, hueOld, saturationOld);
}

void CUiColorCtrl::hsl_panel_data_t::SetHLS(double hue, double saturation, double lightness)
{
    const COLORREF clrOld = m_clr;
    const double hueOld = m_hue, saturationOld = m_saturation;
    any_picker_data_t::SetHLS(hue, saturation, lightness);
    OnColorChanged(clrOld, hueOld, saturationOld);
}

void CUiColorCtrl::hsl_panel_data_t::OnColorChanged(COLORREF, double hueOld, double saturationOld)
{
    if (m_hue != hueOld || m_saturation != saturationOld)
        m_imgStrip.Destroy();
}

void CUiColorCtrl::hsl_basic_hue_data_t::BuildMainImage(CDC* pDC)
{
    const double width = MainWidth(), height = MainHeight();
    if (!CreateMainImage(pDC))
        return;
    m_imgMain.Render(4, 4, [&](int x, int y) { return HLSToRGB(m_hue, x / width, (height - y) / height); });
}

void CUiColorCtrl::hsl_basic_hue_data_t::BuildStripImage(CDC* pDC)
{
    const double width = m_layout.rcStrip.Width();
    if (!CreateStripImage(pDC))
        return;
    m_imgStrip.Render(4, 4, [&](int x, int) { return HLSToRGB(x / width, 0.5, 1.0); });
}

void CUiColorCtrl::hsl_basic_hue_data_t::PickMain(CPoint ptArea)
{
    SetHLS(m_hue, (MainHeight() - ptArea.y) / MainHeight(), ptArea.x / MainWidth());
}

void CUiColorCtrl::hsl_basic_hue_data_t::PickStrip(int nOffset)
{
    SetHLS(nOffset / (double)m_layout.rcStrip.Width(), m_saturation, m_lightness);
}

double CUiColorCtrl::hsl_basic_hue_data_t::MainAcross() const
{
    return m_lightness;
}

double CUiColorCtrl::hsl_basic_hue_data_t::StripValue() const
{
    return m_hue;
}

void CUiColorCtrl::hsl_basic_hue_data_t::OnColorChanged(COLORREF, double hueOld, double)
{
    if (m_hue != hueOld)
        m_imgMain.Destroy();
}

void CUiColorCtrl::hsl_roller_data_t::OnMouseDown(UINT, int x, int y)
{
    m_nTracking = kTrackIdle;
    CPoint ptCentre;
    int nRadius = 0;
    if (WheelDisc(m_layout, ptCentre, nRadius)) {
        const double dx = ptCentre.x - x, dy = ptCentre.y - y;
        const double grip = nRadius + kWheelGrip;
        if (dx * dx + dy * dy <= grip * grip) {
            m_nTracking = kTrackMain;
            return;
        }
    }
    if (IsStripPress(m_layout, y) && m_layout.HasStrip())
        m_nTracking = kTrackStrip;
}

void CUiColorCtrl::hsl_roller_data_t::BuildMainImage(CDC* pDC)
{
    CPoint ptCentre;
    int nRadius = 0;
    if (!WheelDisc(m_layout, ptCentre, nRadius))
        return;
    if (!CreateMainImage(pDC))
        return;
    const int xCentre = ptCentre.x - m_layout.rcMain.left, yCentre = ptCentre.y - m_layout.rcMain.top;
    m_imgMain.Render(4, 5, [&](int x, int y) {
        const int dx = xCentre - x, dy = yCentre - y;
        return dx * dx + dy * dy <= nRadius * nRadius ? WheelColor(dx, dy, nRadius) : RGB(255, 255, 255);
    });
}

void CUiColorCtrl::hsl_roller_data_t::PickMain(CPoint ptArea)
{
    CPoint ptCentre;
    int nRadius = 0;
    if (!WheelDisc(m_layout, ptCentre, nRadius))
        return;
    double hue = 0.0, saturation = 0.0;
    WheelPick(ptCentre.x - (m_layout.rcMain.left + ptArea.x), ptCentre.y - (m_layout.rcMain.top + ptArea.y), nRadius,
              hue, saturation);
    SetHLS(hue, saturation, m_lightness);
}

bool CUiColorCtrl::hsl_roller_data_t::GetMainMark(CPoint& pt) const
{
    CPoint ptCentre;
    int nRadius = 0;
    if (!WheelDisc(m_layout, ptCentre, nRadius))
        return false;
    const double angle = m_hue * kTwoPi;
    const double distance = std::sqrt(m_saturation) * nRadius;
    pt.x = ptCentre.x - (int)std::lround(distance * std::cos(angle));
    pt.y = ptCentre.y - (int)std::lround(distance * std::sin(angle));
    return true;
}
