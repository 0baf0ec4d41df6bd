// The shape of a menu tip, free of any window: a rounded balloon of the text and icon with
// margins, and a triangular pointer whose point rests on the anchor near the item. The
// balloon goes to the upper left of the anchor unless that leaves the work area, when it
// turns to the right (pointer on the left) or below (pointer at the top, the balloon moved
// down by the pointer's height).
#pragma once
#include "afxwin.h"

class PopupTipShape {
public:
    enum { kPointerLeft = 0x01, kPointerTop = 0x02 };
    static constexpr int kPointerHeight = 25;

    // szText: the measured text; szIcon: (0, 0) without an icon; ptAnchor: item top-left + 6.
    void Layout(CSize szText, CSize szIcon, CPoint ptAnchor, const RECT& rcArea);

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    BYTE Flags() const { return m_bFlags; }
    const POINT* Pointer() const { return m_pointer; }
    CSize WindowSize() const { return CSize(m_cx, m_cy + kPointerHeight); }
    // Where the window's top-left goes so the pointer's tip rests on the anchor, for an item
    // rectangle of the given size.
    CPoint WindowOrigin(CPoint ptAnchor, CSize szItem) const;
    // The balloon and its pointer as a region in window coordinates (the caller owns it).
    HRGN CreateRegion() const;

private:
    int m_cx = 0;
    int m_cy = 0;
    BYTE m_bFlags = 0;
    POINT m_pointer[3] = {};
};
