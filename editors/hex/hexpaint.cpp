// Hex editor painting. Every cell is drawn with an opaque background so that each byte shows
// its own colours (marker, selection, analysis highlight); a double-width character of the
// character column is drawn twice, clipped to each of its two cells, so each half can carry
// the colours of its own byte.
#include "hexpaint.h"

#include <stdio.h>

#include <string>
#include <vector>

#include "hexeditmodel.h"
#include "lowlinecell.h"

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

// Where the painter's drawing goes: into a device context, into a signature, or both.
class HexCanvas {
public:
    HexCanvas(HDC hdc, HexPaintSignature* pSig) : m_hdc(hdc), m_pSig(pSig) {}

    bool Draws() const { return m_hdc != NULL; }
    HDC Dc() const { return m_hdc; }
    // Drawing from now on belongs to row n (-1: to the whole).
    void BeginRow(int n)
    {
        m_nRow = n;
        if (m_pSig != nullptr && n >= 0 && static_cast<size_t>(n) >= m_pSig->rows.size())
            m_pSig->rows.resize(static_cast<size_t>(n) + 1, kHexSignatureStart);
    }
    void Fill(const RECT& rc, COLORREF color)
    {
        Feed('F', &rc, sizeof(rc), color, color);
        if (m_hdc == NULL)
            return;
        ::SetBkColor(m_hdc, color);
        ::ExtTextOutA(m_hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    }
    void Text(int x, int y, const std::string& text, COLORREF crText, COLORREF crBack)
    {
        const POINT pt = {x, y};
        Feed('T', &pt, sizeof(pt), crText, crBack, text);
        if (m_hdc == NULL)
            return;
        ::SetTextColor(m_hdc, crText);
        ::SetBkColor(m_hdc, crBack);
        ::TextOutA(m_hdc, x, y, text.data(), static_cast<int>(text.size()));
    }
    void ClippedText(int x, int y, const RECT& rcClip, const std::string& text, COLORREF crText, COLORREF crBack)
    {
        const RECT rcPlace = {x, y, rcClip.right, rcClip.bottom};
        Feed('C', &rcPlace, sizeof(rcPlace), crText, crBack, text);
        const RECT rcFrom = rcClip;
        Feed('c', &rcFrom, sizeof(rcFrom), 0, 0);
        if (m_hdc == NULL)
            return;
        ::SetTextColor(m_hdc, crText);
        ::SetBkColor(m_hdc, crBack);
        ::ExtTextOutA(m_hdc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rcClip, text.data(), static_cast<int>(text.size()),
                      NULL);
    }
    void Value(unsigned long long value) { Feed('V', &value, sizeof(value), 0, 0); }
    // The low line under a "_" just drawn where the font leaves it out: it follows from the
    // text and the font height, both fed already, so it feeds nothing itself.
    void LowLine(int x, int y, const CellLowLine& line, COLORREF color)
    {
        if (m_hdc != NULL)
            DrawCellLowLine(m_hdc, line, x, y, color);
    }

private:
    void Feed(char kind, const void* p, size_t n, COLORREF c1, COLORREF c2, const std::string& text = std::string())
    {
        if (m_pSig == nullptr)
            return;
        unsigned long long& h = m_nRow >= 0 ? m_pSig->rows[static_cast<size_t>(m_nRow)] : m_pSig->whole;
        auto mix = [&h](const void* q, size_t count) {
            const BYTE* b = static_cast<const BYTE*>(q);
            for (size_t i = 0; i < count; ++i) {
                h ^= b[i];
                h *= 1099511628211ull;
            }
        };
        mix(&kind, 1);
        mix(p, n);
        mix(&c1, sizeof(c1));
        mix(&c2, sizeof(c2));
        const size_t length = text.size();
        mix(&length, sizeof(length));
        mix(text.data(), length);
    }

    HDC m_hdc;
    HexPaintSignature* m_pSig;
    int m_nRow = -1;
};

class HexPainter {
public:
    HexPainter(HexCanvas& canvas, const RECT& rc, const HexEditModel& model)
        : m_canvas(canvas), m_rc(rc), m_model(model), m_layout(model.GetLayout()), m_cols(m_layout.cols),
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

    HexCanvas& m_canvas;
    RECT m_rc;
    const HexEditModel& m_model;
    const HexLayout& m_layout;
    const HexColumns& m_cols;
    int m_cw;
    int m_ch;
    CellLowLine m_lowLine;
};

void HexPainter::Fill(int x, int y, int cx, int cy, COLORREF color)
{
    RECT rc = {x, y, x + cx, y + cy};
    m_canvas.Fill(rc, color);
}

void HexPainter::Text(int x, int y, const std::string& text, COLORREF crText, COLORREF crBack)
{
    m_canvas.Text(x, y, text, crText, crBack);
}

void HexPainter::CellText(int x, int y, const HexCharCell& cell, COLORREF crText, COLORREF crBack)
{
    if (cell.text.empty())
        return;
    if (cell.nHalf == 0) {
        Text(x, y, cell.text, crText, crBack);
        if (cell.text == "_")
            m_canvas.LowLine(x, y, m_lowLine, crText);
        return;
    }
    RECT rcCell = {x, y, x + m_cw, y + m_ch};
    const int textX = cell.nHalf == 2 ? x - m_cw : x;
    m_canvas.ClippedText(textX, y, rcCell, cell.text, crText, crBack);
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
    m_canvas.BeginRow(-1);
    Fill(m_rc.left, m_rc.top, width, height, m_model.m_crBack);
    m_canvas.Value(m_model.HasData() ? 1 : 0);
    if (!m_model.HasData())
        return;

    if (m_cols.bCharShown) {
        const int x0 = CellX(m_cols.nCharStart) - 2;
        Fill(x0, m_rc.top, 1, height, kHexSeparatorLine);
        Fill(x0 + kHexBytesPerLine * m_cw + 4, m_rc.top, 1, height, kHexSeparatorLine);
    }

    m_canvas.Value(static_cast<unsigned long long>(m_model.m_nFontHeight));
    HDC hdc = m_canvas.Dc();
    HFONT font = NULL;
    HGDIOBJ oldFont = NULL;
    int oldMode = 0;
    COLORREF oldText = 0, oldBack = 0;
    if (m_canvas.Draws()) {
        font = CreateHexEditFont(m_model.m_nFontHeight);
        m_lowLine = GetCellLowLine(font, m_ch);
        oldFont = ::SelectObject(hdc, font);
        oldMode = ::SetBkMode(hdc, OPAQUE);
        oldText = ::GetTextColor(hdc);
        oldBack = ::GetBkColor(hdc);
    }

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
    for (int row = 0; row < rows; ++row) {
        m_canvas.BeginRow(row);
        Row(row, cells, bytes);
    }
    m_canvas.BeginRow(-1);

    if (m_canvas.Draws()) {
        ::SetBkColor(hdc, oldBack);
        ::SetTextColor(hdc, oldText);
        ::SetBkMode(hdc, oldMode);
        ::SelectObject(hdc, oldFont);
        ::DeleteObject(font);
    }
}

}  // namespace

void PaintHexEdit(HDC hdc, const RECT& rcClient, const HexEditModel& model, HexPaintSignature* pSig)
{
    if (pSig != nullptr)
        *pSig = HexPaintSignature();
    HexCanvas canvas(hdc, pSig);
    HexPainter painter(canvas, rcClient, model);
    painter.Paint();
}

void SignHexPaint(const RECT& rcClient, const HexEditModel& model, HexPaintSignature& sig)
{
    PaintHexEdit(NULL, rcClient, model, &sig);
}

RECT HexPaintRowRect(const RECT& rcClient, const HexEditModel& model, int row)
{
    const int ch = model.GetLayout().nCellHeight;
    const int y = rcClient.top + (row + (model.m_bShowHeader ? 1 : 0)) * ch;
    const RECT rc = {rcClient.left, y, rcClient.right, y + ch};
    return rc;
}
