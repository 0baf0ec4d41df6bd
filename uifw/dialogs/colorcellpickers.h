// The cell-based pickers: the honeycomb of basic colours, the RGB, CMY and grey-scale
// mixers (columns of 256 cells each) and the difference view (two halves).
#pragma once
#include "colorpickerbase.h"

#include <vector>

// Mode 0: the honeycomb; the base of every picker made of cells.
class CUiColorCtrl::cell_based_data_t : public CUiColorCtrl::any_picker_data_t {
public:
    void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Paint(CDC* pDC, CPalette* pPalette) override;
    // Tracking state 6, then the move with the button flag.
    void OnMouseDown(UINT nFlags, int x, int y) override;
    // In state 6 the first cell under the point gives its colour.
    void OnMouseMove(UINT nFlags, int x, int y) override;

    std::vector<CUiColorCtrl::cell_t> m_cells;

protected:
    static void PaintCell(CDC* pDC, const CUiColorCtrl::cell_t& cell);
    static void PaintHighlightedCell(CDC* pDC, const CUiColorCtrl::cell_t& cell);
    // The cells drawn again with a frame, after all cells.
    virtual void PaintHighlights(CDC* pDC);
};

// Mode 5: three columns of red, green and blue; a pick sets that column's channel alone.
class CUiColorCtrl::rgb_mixer_data_t : public CUiColorCtrl::cell_based_data_t {
public:
    rgb_mixer_data_t() : m_bCmy(false) {}
    void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void OnMouseMove(UINT nFlags, int x, int y) override;

protected:
    void PaintHighlights(CDC* pDC) override;
    bool m_bCmy;
};

// Mode 8: the same in cyan, magenta and yellow.
class CUiColorCtrl::cmy_mixer_data_t : public CUiColorCtrl::rgb_mixer_data_t {
public:
    cmy_mixer_data_t() { m_bCmy = true; }
};

// Mode 6: one column of 256 greys.
class CUiColorCtrl::grayscale_mixer_data_t : public CUiColorCtrl::cell_based_data_t {
public:
    void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
};

// Mode 15: the upper half shows the picker colour, the lower half the reference colour.
class CUiColorCtrl::diff_data_t : public CUiColorCtrl::cell_based_data_t {
public:
    void Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void SetRefColor(COLORREF clr) override;
    void SetColor(COLORREF clr) override;

protected:
    void PaintHighlights(CDC*) override {}
};
