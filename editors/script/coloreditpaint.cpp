// ColorEditWnd: painting. Every byte is a cell filled with its background and drawn in its
// own colour; a double-byte character is two cells and one glyph; selected cells take the
// selection colours.
#include "coloreditwnd.h"
#include "paintsystem.h"
#include "coloreditchars.h"
#include "afxdc.h"
#include <algorithm>
#include <climits>

using namespace ColorEditChars;

void ColorEditWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcPaint(dc.m_ps.rcPaint);
    // A script pane behind the selected tab of its group is sent its paint too: none of it shows.
    CRect rcClip;
    if (rcPaint.IsRectEmpty() || dc.GetClipBox(&rcClip) == NULLREGION)
        return;
    if (dc.IsPrinting()) {
        Paint(&dc, rcPaint);
        return;
    }
    // Drawn off screen and copied in one piece, so the cells never flicker.
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&dc) ||
        !bitmap.Attach(CreateOffscreenBitmap(dc.GetSafeHdc(), rcPaint.Width(), rcPaint.Height()))) {
        Paint(&dc, rcPaint);
        return;
    }
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    memDC.SetWindowOrg(rcPaint.left, rcPaint.top);
    Paint(&memDC, rcPaint);
    dc.BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &memDC, rcPaint.left, rcPaint.top,
              SRCCOPY);
    memDC.SelectObject(pOldBitmap);
}

LRESULT ColorEditWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC == NULL)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    Paint(pDC, rc);
    return 0;
}

void ColorEditWnd::Paint(CDC* pDC, const RECT& rcPaint)
{
    CFont* pOldFont = pDC->SelectObject(&m_font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(&rcClient, m_crBack);

    const int nEnd = std::min(LastVisibleLine() + 1, m_model.GetLineCount());
    const CellLowLine lowLine = GetCellLowLine(static_cast<HFONT>(m_font.GetSafeHandle()), m_nLineHeight);
    CRect rcDummy;
    for (int nLine = m_nTopLine; nLine < nEnd; ++nLine) {
        const CRect rcLine = LineRect(nLine);
        if (rcDummy.IntersectRect(&rcLine, &rcPaint))
            DrawLine(pDC, nLine, (nLine - m_nTopLine) * m_nLineHeight, lowLine);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void ColorEditWnd::DrawLine(CDC* pDC, int nLine, int y, const CellLowLine& lowLine)
{
    const CString& strLine = m_model.GetLineRef(nLine);
    const LineColorVector& colors = m_model.GetLineColors(nLine);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strLine.GetString());
    const int len = strLine.GetLength();
    int selFrom = 0, selTo = 0;
    const bool bSel = m_model.GetLineSelection(nLine, selFrom, selTo);

    int x = kLeftMargin;
    int i = m_nFirstColumn;
    // A window scrolled to the middle of a double-byte character shows its trail half blank.
    if (i > 0 && IsTrailPosition(p, len, i)) {
        ++i;
        x += m_nCellWidth;
    }
    for (; i < len; ++i) {
        const int n = CharLengthAt(p, len, i);
        const bool bSelected = bSel && i >= selFrom && i < selTo;
        const COLORREF crText = bSelected ? m_crSelText : (i < (int)colors.size() ? colors[i] : RGB(0, 0, 0));
        const COLORREF crCell = bSelected ? m_crSelBack : m_crBack;
        pDC->FillSolidRect(x, y, n * m_nCellWidth, m_nLineHeight, crCell);
        pDC->SetTextColor(crText);
        pDC->TextOut(x, y, reinterpret_cast<LPCSTR>(p + i), n);
        if (n == 1 && p[i] == '_')
            DrawCellLowLine(pDC->GetSafeHdc(), lowLine, x, y, crText);
        i += n - 1;
        x += n * m_nCellWidth;
    }
}
