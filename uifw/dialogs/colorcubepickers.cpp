#include "colorcubepickers.h"

#include "paintdraw.h"

using namespace colorpicker;

CUiColorCtrl::rgb_cube_data_t::rgb_cube_data_t()
    : m_szHandleHalf(kCubeHandleHalf, kCubeHandleHalf), m_nMargin(kCubeMargin), m_bCmy(false)
{
    m_geo = ComputeCubeGeometry(m_cx, m_cy);
    RecomputePoints();
}

CUiColorCtrl::rgb_cube_data_t::~rgb_cube_data_t()
{
    rgb_cube_data_t::Release();
}

int CUiColorCtrl::rgb_cube_data_t::ChannelValue(int k) const
{
    return Channel(m_clr, k, m_bCmy);
}

void CUiColorCtrl::rgb_cube_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
    if (cx != m_cx || cy != m_cy)
        Release();
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    m_geo = ComputeCubeGeometry(m_cx, m_cy);
    if (m_image.IsEmpty())
        BuildImage(pDC, pPalette);
    RecomputePoints();
}

void CUiColorCtrl::rgb_cube_data_t::Release()
{
    m_image.Destroy();
    m_nTracking = kTrackIdle;
}

void CUiColorCtrl::rgb_cube_data_t::BuildImage(CDC* pDC, CPalette* pPalette)
{
    if (!m_geo.HasImage() || !m_image.Create(pDC, m_geo.nWidth, m_geo.nSize, RGB(255, 255, 255)))
        return;
    PickerPaletteScope palette(m_image.GetDC(), pPalette);
    const bool bBlocks = ColorPickerImage::IsPaletteScreen();
    const bool bCmy = m_bCmy;
    ColorPickerImage& image = m_image;
    ForEachCubeImagePoint(m_geo, [&](int, int x, int y, int c0, int c1, int c2) {
        const COLORREF clr =
            WithChannel(WithChannel(WithChannel(RGB(0, 0, 0), 0, c0, bCmy), 1, c1, bCmy), 2, c2, bCmy);
        if (bBlocks)
            image.FillBlock(x - 2, y - 2, 4, 4, clr);
        else
            image.SetPixel(x, y, clr);
    });
}

void CUiColorCtrl::rgb_cube_data_t::RecomputePoints()
{
    if (m_geo.HasImage())
        m_pts = ComputeCubePoints(m_geo, ChannelValue(0), ChannelValue(1), ChannelValue(2));
}

void CUiColorCtrl::rgb_cube_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
    if (!m_geo.HasImage())
        return;
    PickerPaletteScope palette(pDC, pPalette);
    if (m_image.IsEmpty())
        BuildImage(pDC, pPalette);
    if (!m_image.IsEmpty())
        BlitWithColorKey(pDC->GetSafeHdc(), m_geo.rcSquare.left, m_geo.rcSquare.top, -1, -1,
                         m_image.GetDC()->GetSafeHdc(), 0, 0, m_image.Width(), m_image.Height(), RGB(255, 255, 255));

    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    const CPoint O = m_geo.O;
    pDC->MoveTo(m_geo.E0);
    pDC->LineTo(O);
    pDC->LineTo(m_geo.E2);
    pDC->MoveTo(m_geo.E1);
    pDC->LineTo(O);

    pDC->SelectStockObject(WHITE_PEN);
    const CubePoints& p = m_pts;
    const POINT box[] = {p.p01, p.handle[1], p.p12, p.handle[2], p.p02, p.handle[0], p.p01, p.colour, p.p02};
    pDC->Polyline(box, 9);
    pDC->MoveTo(p.colour);
    pDC->LineTo(p.p12);
    pDC->SelectObject(pOldPen);

    for (int k = 0; k < 3; ++k) {
        const CPoint pt = p.handle[k];
        // Handle 0 is one pixel larger than the others.
        const int nGrow = k == 0 ? 1 : 0;
        CRect rc(pt.x - m_szHandleHalf.cx, pt.y - m_szHandleHalf.cy, pt.x + m_szHandleHalf.cx + nGrow,
                 pt.y + m_szHandleHalf.cy + nGrow);
        pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, RGB(255, 255, 255), RGB(255, 255, 255));
    }
}

void CUiColorCtrl::rgb_cube_data_t::OnMouseDown(UINT nFlags, int x, int y)
{
    m_nTracking = kTrackIdle;
    const CPoint pt(x, y);
    for (int k = 0; k < 3; ++k) {
        const CPoint h = m_pts.handle[k];
        const CRect rc(h.x - m_szHandleHalf.cx, h.y - m_szHandleHalf.cy, h.x + m_szHandleHalf.cx,
                       h.y + m_szHandleHalf.cy);
        if (rc.PtInRect(pt)) {
            m_nTracking = kTrackHandle0 + k;
            OnMouseMove(nFlags | MK_LBUTTON, x, y);
            return;
        }
    }
    PickFace(nFlags, x, y);
}

void CUiColorCtrl::rgb_cube_data_t::PickFace(UINT nFlags, int x, int y)
{
    // Faces are picked from the image's pixels, which on a palette screen are blocks of
    // approximate colours.
    if (!m_geo.HasImage() || m_image.IsEmpty() || ColorPickerImage::IsPaletteScreen())
        return;
    for (int nFace = 0; nFace < 3; ++nFace) {
        POINT pts[4];
        CubeFace(m_geo, nFace, pts);
        HRGN hRgn = ::CreatePolygonRgn(pts, 4, ALTERNATE);
        const BOOL bInside = hRgn != NULL && ::PtInRegion(hRgn, x, y);
        if (hRgn != NULL)
            ::DeleteObject(hRgn);
        if (!bInside)
            continue;
        COLORREF clr = m_image.GetPixel(x - m_geo.rcSquare.left, y - m_geo.rcSquare.top);
        if (clr == CLR_INVALID || clr == RGB(255, 255, 255))
            return;
        if (nFlags & MK_CONTROL) {
            // The byte of the channel the face does not span stays the picker's.
            const int nKept = 2 - nFace;
            clr = WithChannel(clr, nKept, Channel(m_clr, nKept, false), false);
        }
        rgb_cube_data_t::SetColor(clr);
        return;
    }
}

void CUiColorCtrl::rgb_cube_data_t::OnMouseMove(UINT, int x, int y)
{
    if (m_nTracking < kTrackHandle0 || m_nTracking > kTrackHandle2)
        return;
    int v = 0;
    if (!CubeDragValue(m_geo, m_nTracking, x, y, v))
        return;
    const int k = m_nTracking - kTrackHandle0;
    if (v != ChannelValue(k))
        SetColor(WithChannel(m_clr, k, v, m_bCmy));
}

void CUiColorCtrl::rgb_cube_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    RecomputePoints();
}

void CUiColorCtrl::rgb_cube_data_t::SetHLS(double hue, double saturation, double lightness)
{
    any_picker_data_t::SetHLS(hue, saturation, lightness);
    RecomputePoints();
}
