// ColorEditWnd: mouse selection. A click puts the caret at the nearest cell border, a drag
// moves the caret while the anchor stays at the click, a double click selects the run of
// bytes between delimiters.
#include "coloreditwnd.h"
#include <algorithm>
#include <cmath>

void ColorEditWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nMouseDownX = point.x - kLeftMargin;
    m_nMouseDownY = point.y;
    m_bSelecting = TRUE;
    SetFocus();
    SetCapture();
    UpdateCaret(FALSE);
    m_model.SetCaret(PositionFromPoint(point));
    if ((nFlags & MK_SHIFT) == 0) {
        m_model.CollapseSelection();
        HasSelection();
    } else {
        Invalidate(FALSE);
    }
    UpdateCaret(TRUE);
}

void ColorEditWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bSelecting) {
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    const double x = point.x - kLeftMargin;
    const double w = std::max(m_nCellWidth, 1);
    // Dragging right selects a cell once the pointer has crossed it; dragging left, once the
    // pointer has entered it.
    const int column = x > m_nMouseDownX ? (int)std::floor((x + w) / w) - 1 + m_nFirstColumn
                                         : (int)std::ceil((x - w) / w) + m_nFirstColumn;
    const int line = point.y / std::max(m_nLineHeight, 1) + m_nTopLine;
    const ColorEditPos pos = m_model.ClampPosition(column, line);
    const ColorEditPos old = m_model.GetCaret();
    if (pos != old) {
        UpdateCaret(FALSE);
        m_model.SetCaret(pos);
        InvalidateLines(old.line, pos.line);
        HasSelection();
        UpdateCaret(TRUE);
    }
}

void ColorEditWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bSelecting = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CWnd::OnLButtonUp(nFlags, point);
}

void ColorEditWnd::OnLButtonDblClk(UINT, CPoint point)
{
    m_bSelecting = FALSE;
    SetFocus();
    UpdateCaret(FALSE);
    InvalidateLines(m_model.GetAnchor().line, m_model.GetCaret().line);
    const ColorEditPos click = PositionFromPoint(point);
    m_model.SelectWordAt(click.column, click.line);
    InvalidateLines(click.line, click.line);
    HasSelection();
    UpdateCaret(TRUE);
}
