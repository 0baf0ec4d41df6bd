#include "colorcellpickers.h"

#include "colorpickergeometry.h"

using namespace colorpicker;

void CUiColorCtrl::cell_based_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    BuildHoneycombCells(m_cx, m_cy, m_cells, bKeepColors);
}

void CUiColorCtrl::cell_based_data_t::PaintCell(CDC* pDC, const CUiColorCtrl::cell_t& cell)
{
    if (cell.rc.IsRectEmpty())
        return;
    if (!cell.bHexagon) {
        pDC->FillSolidRect(&cell.rc, cell.clr);
        return;
    }
    // The DC pen and brush take each cell's colour without making drawing objects for it.
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(DC_PEN));
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(DC_BRUSH));
    const COLORREF clrOldPen = ::SetDCPenColor(hDC, cell.clr);
    const COLORREF clrOldBrush = ::SetDCBrushColor(hDC, cell.clr);
    ::Polygon(hDC, cell.pts, 6);
    ::SetDCPenColor(hDC, clrOldPen);
    ::SetDCBrushColor(hDC, clrOldBrush);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
}

void CUiColorCtrl::cell_based_data_t::PaintHighlightedCell(CDC* pDC, const CUiColorCtrl::cell_t& cell)
{
    if (cell.rc.IsRectEmpty())
        return;
    if (!cell.bHexagon) {
        CRect rc(cell.rc);
        pDC->FillSolidRect(&rc, cell.clr);
        for (int i = 0; i < 3; ++i) {
            rc.InflateRect(1, 1);
            const COLORREF clr = i == 1 ? RGB(255, 255, 255) : RGB(0, 0, 0);
            pDC->Draw3dRect(&rc, clr, clr);
        }
        return;
    }
    POINT grown[6];
    GrowHexagon(cell.pts, grown);
    CBrush brush(cell.clr);
    CBrush* pOldBrush = (CBrush*)pDC->SelectStockObject(NULL_BRUSH);
    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    pDC->Polygon(grown, 6);
    pDC->SelectStockObject(WHITE_PEN);
    pDC->SelectObject(&brush);
    pDC->Polygon(cell.pts, 6);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CUiColorCtrl::cell_based_data_t::PaintHighlights(CDC* pDC)
{
    int nDrawn = 0;
    for (const CUiColorCtrl::cell_t& cell : m_cells) {
        if (cell.clr != m_clr)
            continue;
        PaintHighlightedCell(pDC, cell);
        if (++nDrawn == 2)
            break;
    }
}

void CUiColorCtrl::cell_based_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
    PickerPaletteScope palette(pDC, pPalette);
    for (const CUiColorCtrl::cell_t& cell : m_cells)
        PaintCell(pDC, cell);
    PaintHighlights(pDC);
}

void CUiColorCtrl::cell_based_data_t::OnMouseDown(UINT nFlags, int x, int y)
{
    m_nTracking = kTrackCells;
    OnMouseMove(nFlags | MK_LBUTTON, x, y);
}

void CUiColorCtrl::cell_based_data_t::OnMouseMove(UINT, int x, int y)
{
    if (m_nTracking != kTrackCells)
        return;
    const int nCell = HitCell(m_cells, CPoint(x, y));
    if (nCell >= 0)
        SetColor(m_cells[nCell].clr);
}

void CUiColorCtrl::rgb_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    BuildMixerCells(m_cx, m_cy, 3, m_bCmy ? CmyMixerColor : RgbMixerColor, m_cells);
}

void CUiColorCtrl::rgb_mixer_data_t::OnMouseMove(UINT, int x, int y)
{
    if (m_nTracking != kTrackCells)
        return;
    const int nCell = HitCell(m_cells, CPoint(x, y));
    if (nCell >= 0)
        SetColor(WithChannel(m_clr, nCell / 256, nCell % 256, m_bCmy));
}

void CUiColorCtrl::rgb_mixer_data_t::PaintHighlights(CDC* pDC)
{
    for (int nColumn = 0; nColumn < 3; ++nColumn) {
        const size_t nCell = nColumn * 256 + Channel(m_clr, nColumn, m_bCmy);
        if (nCell < m_cells.size())
            PaintHighlightedCell(pDC, m_cells[nCell]);
    }
}

void CUiColorCtrl::grayscale_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    BuildMixerCells(m_cx, m_cy, 1, GreyMixerColor, m_cells);
}

void CUiColorCtrl::diff_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    BuildDiffCells(m_cx, m_cy, m_clr, m_clrRef, m_cells);
}

void CUiColorCtrl::diff_data_t::SetRefColor(COLORREF clr)
{
    cell_based_data_t::SetRefColor(clr);
    if (m_cells.size() == 2)
        m_cells[1].clr = m_clrRef;
}

void CUiColorCtrl::diff_data_t::SetColor(COLORREF clr)
{
    cell_based_data_t::SetColor(clr);
    if (m_cells.size() == 2)
        m_cells[0].clr = m_clr;
}
