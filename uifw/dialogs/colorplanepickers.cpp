#include "colorplanepickers.h"

#include <algorithm>

using namespace colorpicker;

CUiColorCtrl::xyz_plain_data_t::xyz_plain_data_t(int nAxis) : m_nAxis(nAxis)
{
}

void CUiColorCtrl::xyz_plain_data_t::BuildMainImage(CDC* pDC)
{
    const int width = m_layout.rcMain.Width(), height = m_layout.rcMain.Height();
    if (!CreateMainImage(pDC))
        return;
    m_imgMain.Render(4, 4, [&](int x, int y) {
        int a = 0, b = 0;
        PlaneValues(x, y, width, height, a, b);
        return PlaneColor(m_nAxis, m_clr, a, b);
    });
}

void CUiColorCtrl::xyz_plain_data_t::BuildStripImage(CDC* pDC)
{
    const int width = m_layout.rcStrip.Width();
    if (!CreateStripImage(pDC))
        return;
    m_imgStrip.Render(4, 4, [&](int x, int) { return PlaneStripColor(m_nAxis, std::min(255, x * 255 / width)); });
}

void CUiColorCtrl::xyz_plain_data_t::PickMain(CPoint ptArea)
{
    int a = 0, b = 0;
    if (PlaneValues(ptArea.x, ptArea.y, m_layout.rcMain.Width(), m_layout.rcMain.Height(), a, b))
        SetColor(PlaneColor(m_nAxis, m_clr, a, b));
}

void CUiColorCtrl::xyz_plain_data_t::PickStrip(int nOffset)
{
    const int width = m_layout.rcStrip.Width();
    if (width > 0)
        SetColor(WithChannel(m_clr, AxisChannel(m_nAxis), std::min(255, nOffset * 255 / width), IsCmyAxis(m_nAxis)));
}

bool CUiColorCtrl::xyz_plain_data_t::GetMainMark(CPoint& pt) const
{
    int nFirst = 0, nSecond = 0;
    PlaneChannels(m_nAxis, nFirst, nSecond);
    const bool bCmy = IsCmyAxis(m_nAxis);
    pt.x = m_layout.rcMain.left + Channel(m_clr, nFirst, bCmy) * m_layout.rcMain.Width() / 255;
    pt.y = m_layout.rcMain.top + Channel(m_clr, nSecond, bCmy) * m_layout.rcMain.Height() / 255;
    return true;
}

int CUiColorCtrl::xyz_plain_data_t::GetStripMark() const
{
    return m_layout.rcStrip.left +
           Channel(m_clr, AxisChannel(m_nAxis), IsCmyAxis(m_nAxis)) * m_layout.rcStrip.Width() / 255;
}

void CUiColorCtrl::xyz_plain_data_t::OnColorChanged(COLORREF clrOld, double, double)
{
    if (m_clr != clrOld)
        m_imgMain.Destroy();
}
