// ColorEditWnd: scroll position, scroll bars, the wheel, and keeping the caret in view.
// The vertical position is the top line, the horizontal one the first visible column.
#include "coloreditwnd.h"
#include "afxdc.h"
#include <algorithm>

void ColorEditWnd::EnsureCaretVisible()
{
    if (m_hWnd == NULL)
        return;
    const ColorEditPos caret = m_model.GetCaret();
    const int nLast = LastVisibleLine();
    if (caret.line > nLast - 1 && m_model.GetLineCount() - 1 > VisibleLines()) {
        m_nTopLine = std::max(0, m_nTopLine + caret.line - (nLast - 1));
        SetScrollPos(SB_VERT, m_nTopLine);
        Invalidate(FALSE);
    } else if (caret.line < m_nTopLine) {
        m_nTopLine = caret.line;
        SetScrollPos(SB_VERT, m_nTopLine);
        Invalidate(FALSE);
    }

    const int nColumns = VisibleColumns();
    if (caret.column > m_nFirstColumn + nColumns) {
        m_nFirstColumn = caret.column - nColumns + nColumns / 4;
        SetScrollPos(SB_HORZ, m_nFirstColumn);
        Invalidate(FALSE);
    } else if (caret.column < m_nFirstColumn) {
        m_nFirstColumn = std::max(0, caret.column - nColumns / 4);
        SetScrollPos(SB_HORZ, m_nFirstColumn);
        Invalidate(FALSE);
    }
}

void ColorEditWnd::ScrollToLine(int nLine)
{
    m_nTopLine = std::clamp(nLine, 0, std::max(m_model.GetLineCount() - 1, 0));
    if (m_hWnd == NULL)
        return;
    SetScrollPos(SB_VERT, m_nTopLine);
    Invalidate(FALSE);
}

void ColorEditWnd::EnsureLineVisible(int nLine)
{
    if (nLine >= m_nTopLine && nLine < m_nTopLine + WholeLinesThatFit())
        return;
    ScrollToLine(nLine);
}

// The horizontal bar is only kept up to date in a window that was given one: setting its
// range would otherwise add a bar the caller did not ask for.
void ColorEditWnd::UpdateScrollBars()
{
    if (m_hWnd == NULL)
        return;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;

    const int nLines = m_model.GetLineCount();
    const int nVisible = VisibleLines();
    si.nMin = 0;
    si.nMax = nLines > nVisible ? nLines - 1 : 0;
    si.nPage = (UINT)std::max(nVisible, 0);
    si.nPos = m_nTopLine;
    SetScrollInfo(SB_VERT, &si, TRUE);

    if ((GetStyle() & WS_HSCROLL) == 0)
        return;
    const int nLongest = m_model.GetLongestLineLength();
    const int nColumns = VisibleColumns();
    si.nMin = 0;
    si.nMax = nLongest > nColumns ? nLongest - 1 : 0;
    si.nPage = (UINT)std::max(nColumns, 0);
    si.nPos = m_nFirstColumn;
    SetScrollInfo(SB_HORZ, &si, TRUE);
}

// Moves the pixels already drawn right of the margin and repaints only the strip that the
// move exposed.
void ColorEditWnd::ScrollClient(int dx, int dy)
{
    CRect rc;
    GetClientRect(&rc);
    rc.left = kLeftMargin;
    if (rc.IsRectEmpty())
        return;
    ScrollWindowEx(dx, dy, &rc, &rc, NULL, NULL, SW_INVALIDATE);
}

BOOL ColorEditWnd::HasScrollBar(int nBar) const
{
    const DWORD dwStyle = GetStyle();
    if (nBar == SB_VERT && (dwStyle & WS_VSCROLL) != 0)
        return TRUE;
    if (nBar == SB_HORZ && (dwStyle & WS_HSCROLL) != 0)
        return TRUE;
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    return pBar != NULL && ::IsWindowVisible(pBar->GetSafeHwnd());
}

void ColorEditWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    UpdateCaret(FALSE);
    const int nLines = m_model.GetLineCount();
    const int nVisible = VisibleLines();
    switch (nSBCode) {
    case SB_LINEUP:
        if (m_nTopLine > 0) {
            --m_nTopLine;
            ScrollClient(0, m_nLineHeight);
        }
        break;
    case SB_LINEDOWN:
        if (m_nTopLine < nLines - nVisible) {
            ++m_nTopLine;
            ScrollClient(0, -m_nLineHeight);
        }
        break;
    case SB_PAGEUP:
        m_nTopLine = std::max(0, m_nTopLine - 3 * nVisible / 4);
        Invalidate(FALSE);
        break;
    case SB_PAGEDOWN:
        // No clamp: the last page may show empty space below the text.
        m_nTopLine += 3 * nVisible / 4;
        Invalidate(FALSE);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        if ((int)nPos != m_nTopLine) {
            const int nNew = std::min((int)nPos, nLines);
            const int nOld = m_nTopLine;
            m_nTopLine = nNew;
            ScrollClient(0, (nOld - nNew) * m_nLineHeight);
        }
        break;
    case SB_TOP:
        m_nTopLine = 0;
        Invalidate(FALSE);
        break;
    case SB_BOTTOM:
        m_nTopLine = std::max(0, nLines - nVisible);
        Invalidate(FALSE);
        break;
    default:
        break;
    }
    UpdateWindow();
    SetScrollPos(SB_VERT, m_nTopLine);
    UpdateCaret(TRUE);
}

void ColorEditWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    UpdateCaret(FALSE);
    const int nLongest = m_model.GetLongestLineLength();
    const int nColumns = VisibleColumns();
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nPage = 3 * (rcClient.Width() / std::max(m_nCellWidth, 1)) / 4;
    switch (nSBCode) {
    case SB_LINELEFT:
        if (m_nFirstColumn > 0) {
            --m_nFirstColumn;
            ScrollClient(m_nCellWidth, 0);
        }
        break;
    case SB_LINERIGHT:
        if (m_nFirstColumn < nLongest - nColumns) {
            ++m_nFirstColumn;
            ScrollClient(-m_nCellWidth, 0);
        }
        break;
    case SB_PAGELEFT:
        m_nFirstColumn = std::max(0, m_nFirstColumn - nPage);
        Invalidate(FALSE);
        break;
    case SB_PAGERIGHT:
        m_nFirstColumn += nPage;
        Invalidate(FALSE);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        if ((int)nPos != m_nFirstColumn) {
            const int nNew = std::max(0, std::min((int)nPos, nLongest - nColumns));
            const int nOld = m_nFirstColumn;
            m_nFirstColumn = nNew;
            ScrollClient((nOld - nNew) * m_nCellWidth, 0);
        }
        break;
    case SB_LEFT:
        m_nFirstColumn = 0;
        Invalidate(FALSE);
        break;
    default:
        break;
    }
    UpdateWindow();
    SetScrollPos(SB_HORZ, m_nFirstColumn);
    UpdateCaret(TRUE);
}

// A notch (120) scrolls five lines. Upward messages keep their full size; downward ones
// scroll five lines at most, however many notches they carry.
BOOL ColorEditWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    if ((nFlags & (MK_SHIFT | MK_CONTROL)) != 0)
        return FALSE;
    const BOOL bVert = HasScrollBar(SB_VERT);
    if (!bVert && !HasScrollBar(SB_HORZ))
        return FALSE;
    UpdateCaret(FALSE);
    if (bVert) {
        const int nNotches = ::MulDiv(-zDelta, 1, 120);
        int nStep = nNotches == -1 ? (zDelta > 0 ? -5 : 5) : nNotches * 5;
        if (nStep > 5)
            nStep = 5;
        const int nMax = m_model.GetLineCount() - VisibleLines();
        const int nTop = std::min(std::max(m_nTopLine + nStep, 0), nMax);
        if (nTop != m_nTopLine) {
            m_nTopLine = nTop;
            SetScrollPos(SB_VERT, m_nTopLine);
            Invalidate(FALSE);
        }
    }
    UpdateCaret(TRUE);
    return TRUE;
}
