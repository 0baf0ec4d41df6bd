#include "popuptipshape.h"

#include <algorithm>

void PopupTipShape::Layout(CSize szText, CSize szIcon, CPoint ptAnchor, const RECT& rcArea)
{
    CRect rc(0, 0, szText.cx, szText.cy);
    rc.InflateRect(12, 10);
    if (szIcon.cx > 0)
        rc.right += szIcon.cx + 5;
    m_cx = rc.Width();
    m_cy = std::max<int>(rc.Height(), szIcon.cy);
    const int W = m_cx;
    const int H = m_cy;
    m_pointer[0] = {W - 12, H - 10};
    m_pointer[1] = {W - 12, H + 15};
    m_pointer[2] = {W - 37, H - 10};
    m_bFlags = 0;
    if (ptAnchor.x - W < rcArea.left) {
        m_bFlags |= kPointerLeft;
        m_pointer[0] = {12, H - 10};
        m_pointer[1] = {12, H + 15};
        m_pointer[2] = {37, H - 10};
    }
    if (ptAnchor.y - H - 20 < rcArea.top) {
        m_bFlags |= kPointerTop;
        m_pointer[0].y = 10;
        m_pointer[1].y = -15;
        m_pointer[2].y = H - 20;
    }
}

CPoint PopupTipShape::WindowOrigin(CPoint ptAnchor, CSize szItem) const
{
    if (m_bFlags & kPointerLeft)
        ptAnchor.x += szItem.cx + m_cx - 36;
    if (m_bFlags & kPointerTop)
        ptAnchor.y += szItem.cy + m_cy + kPointerHeight - 36;
    return CPoint(ptAnchor.x - m_cx + 12, ptAnchor.y - (m_cy + kPointerHeight) + 10);
}

HRGN PopupTipShape::CreateRegion() const
{
    HRGN hRgn = ::CreateRoundRectRgn(0, 0, m_cx, m_cy, 12, 10);
    HRGN hPointer = ::CreatePolygonRgn(m_pointer, 3, ALTERNATE);
    ::CombineRgn(hRgn, hRgn, hPointer, RGN_OR);
    ::DeleteObject(hPointer);
    if (m_bFlags & kPointerTop)
        ::OffsetRgn(hRgn, 0, kPointerHeight);
    return hRgn;
}
