// The low lines of the log list's rows. Some fonts draw the low line "_" as nothing at some
// sizes (the IPA fonts under Wine at 12, 13 and 18 pixels: the character has its place and its
// ink box, but the box rounds to no pixel), so "EV_TXEMPTY" would read "EV TXEMPTY". With such
// a font the list draws the line itself where the character stands, after the list has drawn
// the row, in the colour the list drew the row's text in.
#include "logview.h"
#include "textink.h"

#include <algorithm>

namespace {

// The first column of ink of the text drawn at x 0 in the font, or -1 when it draws none.
int FirstInkColumn(HFONT hFont, const char* pszText, int nLength)
{
    std::vector<bool> ink;
    if (!RenderTextInk(hFont, pszText, nLength, 64, 64, ink))
        return -1;
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            if (ink[y * 64 + x])
                return x;
    return -1;
}

} // namespace

void CLogview::CheckLowLine()
{
    m_bDrawLowLine = FirstInkColumn(static_cast<HFONT>(m_font.GetSafeHandle()), "_", 1) < 0;
}

void CLogview::DrawLowLines(HDC hDC, int nRow)
{
    CListCtrl& list = GetListCtrl();
    const CString strText = list.GetItemText(nRow, kContentsColumn);
    if (strText.Find('_') < 0)
        return;
    CRect rcLabel;
    if (!list.GetSubItemRect(nRow, kContentsColumn, LVIR_LABEL, rcLabel) || rcLabel.IsRectEmpty())
        return;
    const int nSaved = ::SaveDC(hDC);
    ::SelectObject(hDC, m_font.GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    GLYPHMETRICS gm = {};
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const int nTop = rcLabel.top + (rcLabel.Height() - tm.tmHeight) / 2;
    // Where the list began the text: the first column of the label holding other than its
    // background, less the first character's own offset from its place.
    const char* psz = strText;
    const int nFirstChar = ::IsDBCSLeadByteEx(932, static_cast<BYTE>(psz[0])) && psz[1] != '\0' ? 2 : 1;
    const int nBearing = FirstInkColumn(static_cast<HFONT>(m_font.GetSafeHandle()), psz, nFirstChar);
    // The label's outermost column may carry the focus rectangle's dots; the one beside it
    // is background, as is everything before the text.
    const COLORREF clrBack = ::GetPixel(hDC, rcLabel.left + 1, nTop + tm.tmHeight / 2);
    int xInk = -1;
    COLORREF clrInk = 0;
    for (int x = rcLabel.left + 2; x < rcLabel.right && x < rcLabel.left + 32 && xInk < 0; ++x)
        for (int y = nTop; y < nTop + tm.tmHeight && y < rcLabel.bottom; ++y) {
            const COLORREF clr = ::GetPixel(hDC, x, y);
            if (clr != clrBack && clr != CLR_INVALID) {
                xInk = x;
                clrInk = clr;
                break;
            }
        }
    if (xInk >= 0 && nBearing >= 0 && ::GetGlyphOutlineA(hDC, '_', GGO_METRICS, &gm, 0, NULL, &identity) != GDI_ERROR) {
        const int xText = xInk - nBearing;
        // A text cut short ends in an ellipsis; no line goes under it.
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, psz, strText.GetLength(), &size);
        SIZE ellipsis = {};
        ::GetTextExtentPoint32A(hDC, "...", 3, &ellipsis);
        const int xEnd = xText + size.cx <= rcLabel.right ? rcLabel.right : rcLabel.right - ellipsis.cx;
        ::IntersectClipRect(hDC, rcLabel.left, rcLabel.top, rcLabel.right, rcLabel.bottom);
        const int y = nTop + tm.tmAscent - gm.gmptGlyphOrigin.y;
        const int cy = std::max<int>(1, gm.gmBlackBoxY);
        for (int i = 0; i < strText.GetLength(); ++i) {
            if (::IsDBCSLeadByteEx(932, static_cast<BYTE>(psz[i])) && psz[i + 1] != '\0') {
                ++i;
                continue;
            }
            if (psz[i] != '_')
                continue;
            SIZE before = {};
            ::GetTextExtentPoint32A(hDC, psz, i, &before);
            const int x = xText + before.cx + gm.gmptGlyphOrigin.x;
            if (x + static_cast<int>(gm.gmBlackBoxX) > xEnd)
                break;
            ::SetBkColor(hDC, clrInk);
            const RECT rcLine = {x, y, x + static_cast<int>(gm.gmBlackBoxX), y + cy};
            ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rcLine, NULL, 0, NULL);
        }
    }
    ::RestoreDC(hDC, nSaved);
}
