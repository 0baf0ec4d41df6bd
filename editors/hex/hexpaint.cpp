// Hex editor painting. Every cell is drawn with an opaque background so that each byte shows
// its own colours (marker, selection, analysis highlight); a double-width character of the
// character column is drawn twice, clipped to each of its two cells, so each half can carry
// the colours of its own byte.
#include "hexpaint.h"

#include <stdio.h>

#include <string>
#include <vector>

#include "hexeditmodel.h"

HFONT CreateHexEditFont(int height)
{
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL);
}

SIZE MeasureHexCell(HDC hdc, HFONT font)
{
    SIZE size = {0, 0};
    HGDIOBJ old = ::SelectObject(hdc, font);
    ::GetTextExtentPoint32A(hdc, "0", 1, &size);
    ::SelectObject(hdc, old);
    return size;
}

namespace {

class HexPainter {
public:
    HexPainter(HDC hdc, const RECT& rc, const HexEditModel& model)
        : m_hdc(hdc), m_rc(rc), m_model(model), m_layout(model.GetLayout()), m_cols(m_layout.cols),
          m_cw(m_layout.nCellWidth), m_ch(m_layout.nCellHeight)
    {
    }

    void Paint();

private:
    int CellX(int column) const { return m_rc.left + (column - m_model.GetHScroll()) * m_cw + m_cw / 2; }
    void Fill(int x, int y, int cx, int cy, COLORREF color);
    void Text(int x, int y, const std::string& text, COLORREF crText, COLORREF crBack);
    // Half 0: the text at x. Half 1 and 2: the left or right half of a two-cell glyph, each
    // clipped to its own cell.
    void CellText(int x, int y, const HexCharCell& cell, COLORREF crText, COLORREF crBack);
    void Header();
    void Row(int row, const std::vector<HexCharCell>& cells, const std::vector<BYTE>& bytes);

    HDC m_hdc;
    RECT m_rc;
    const HexEditModel& m_model;
    const HexLayout& m_layout;
    const HexColumns& m_cols;
    int m_cw;
    int m_ch;
};

void HexPainter::Fill(int x, int y, int cx, int cy, COLORREF color)
{
    RECT rc = {x, y, x + cx, y + cy};
    ::SetBkColor(m_hdc, color);
    ::ExtTextOutA(m_hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
}

void HexPainter::Text(int x, int y, const std::string& text, COLORREF crText, COLORREF crBack)
{
    ::SetTextColor(m_hdc, crText);
    ::SetBkColor(m_hdc, crBack);
    ::TextOutA(m_hdc, x, y, text.data(), static_cast<int>(text.size()));
}

void HexPainter::CellText(int x, int y, const HexCharCell& cell, COLORREF crText, COLORREF crBack)
{
    if (cell.text.empty())
        return;
    if (cell.nHalf == 0) {
        Text(x, y, cell.text, crText, crBack);
        return;
    }
    RECT rcCell = {x, y, x + m_cw, y + m_ch};
    ::SetTextColor(m_hdc, crText);
    ::SetBkColor(m_hdc, crBack);
    const int textX = cell.nHalf == 2 ? x - m_cw : x;
    ::ExtTextOutA(m_hdc, textX, y, ETO_OPAQUE | ETO_CLIPPED, &rcCell, cell.text.data(),
                  static_cast<int>(cell.text.size()), NULL);
}

void HexPainter::Header()
{
    const int y = m_rc.top;
    Fill(m_rc.left, y, m_rc.right - m_rc.left, m_ch, kHexHeaderBack);
    if (m_model.m_bShowAddress)
        Text(CellX(-1), y, HexAddressLabel(m_model.m_nAddressDigits), kHexHeaderText, kHexHeaderBack);
    Text(CellX(m_cols.nHexStart), y, HexGroupHeaderText(m_model.m_nGroupDigits), kHexHeaderText, kHexHeaderBack);
    if (m_cols.bCharShown)
        Text(CellX(m_cols.nCharStart), y, kHexCharHeaderText, kHexHeaderText, kHexHeaderBack);
}

void HexPainter::Row(int row, const std::vector<HexCharCell>& cells, const std::vector<BYTE>& bytes)
{
    const UINT size = m_model.GetDataSize();
    const LONGLONG b0 = static_cast<LONGLONG>(m_model.GetTop()) + kHexBytesPerLine * row;
    const int y = m_rc.top + (row + (m_model.m_bShowHeader ? 1 : 0)) * m_ch;
    if (m_model.m_bShowAddress) {
        const bool beyond = b0 > static_cast<LONGLONG>(size);
        Text(CellX(-1), y, HexAddressText(m_model.m_nAddressDigits, static_cast<UINT>(b0), beyond),
             kHexAddressText, kHexAddressBack);
    }
    const bool caretShown = m_model.IsCaretShown();
    const bool hexCaret = m_model.IsHexColumn();
    const int caret = m_model.GetCaret();
    // The bar height follows the font height, as the caret bar of a text line would.
    const int barHeight = m_model.m_nFontHeight / 7;
    const COLORREF crCaretBar = 0xFFFFFF - m_model.m_crBack;
    for (int i = 0; i < kHexBytesPerLine; ++i) {
        const LONGLONG b = b0 + i;
        COLORREF crText, crBack;
        m_model.GetCellColors(b, crText, crBack);
        const size_t offset = static_cast<size_t>(row) * kHexBytesPerLine + i;

        const int hexX = CellX(m_cols.HexCellOf(i));
        if (b < static_cast<LONGLONG>(size) && offset < bytes.size()) {
            char digits[3];
            snprintf(digits, sizeof(digits), "%02X", bytes[offset]);
            Text(hexX, y, digits, crText, crBack);
        }
        // The column without the caret shows where the caret is with a bar under the byte.
        if (caretShown && !hexCaret && caret == b)
            Fill(hexX, y + m_ch - barHeight, 2 * m_cw, barHeight, crCaretBar);

        if (m_cols.bCharShown) {
            const int charX = CellX(m_cols.CharCellOf(i));
            if (offset < cells.size())
                CellText(charX, y, cells[offset], crText, crBack);
            if (caretShown && hexCaret && caret == b)
                Fill(charX, y + m_ch - barHeight, m_cw, barHeight, crCaretBar);
        }
    }
}

void HexPainter::Paint()
{
    const int width = m_rc.right - m_rc.left;
    const int height = m_rc.bottom - m_rc.top;
    Fill(m_rc.left, m_rc.top, width, height, m_model.m_crBack);
    if (!m_model.HasData())
        return;

    if (m_cols.bCharShown) {
        const int x0 = CellX(m_cols.nCharStart) - 2;
        Fill(x0, m_rc.top, 1, height, kHexSeparatorLine);
        Fill(x0 + kHexBytesPerLine * m_cw + 4, m_rc.top, 1, height, kHexSeparatorLine);
    }

    HFONT font = CreateHexEditFont(m_model.m_nFontHeight);
    HGDIOBJ oldFont = ::SelectObject(m_hdc, font);
    const int oldMode = ::SetBkMode(m_hdc, OPAQUE);
    const COLORREF oldText = ::GetTextColor(m_hdc);
    const COLORREF oldBack = ::GetBkColor(m_hdc);

    if (m_model.m_bShowHeader)
        Header();

    // One row more than fits, cut by the bottom edge; a character that begins above the
    // first row continues in its first cells.
    const int rows = m_layout.nVisibleRows + 1;
    const UINT first = static_cast<UINT>(m_model.GetTop());
    const UINT count = static_cast<UINT>(rows) * kHexBytesPerLine;
    std::vector<HexCharCell> cells;
    if (m_cols.bCharShown)
        m_model.GetDisplayCells(first, count, cells);
    std::vector<BYTE> bytes;
    m_model.GetBuffer().Read(first, count, bytes);
    for (int row = 0; row < rows; ++row)
        Row(row, cells, bytes);

    ::SetBkColor(m_hdc, oldBack);
    ::SetTextColor(m_hdc, oldText);
    ::SetBkMode(m_hdc, oldMode);
    ::SelectObject(m_hdc, oldFont);
    ::DeleteObject(font);
}

}  // namespace

void PaintHexEdit(HDC hdc, const RECT& rcClient, const HexEditModel& model)
{
    HexPainter painter(hdc, rcClient, model);
    painter.Paint();
}
