// A small figure painted from a grid of colour-table indexes: 0 is transparent, 1 to count - 1
// pick the colour of that number in the table passed at paint time, so one figure serves
// every colour and every look. Figures stored in the program's constant tables point into
// them; turned copies own their values.
#pragma once
#include "afxwin.h"

class GlyphBitmap {
public:
    enum Turn { kClockwise, kHalfTurn, kCounterClockwise };

    // Points into a constant table of cx * cy values, row by row from the top.
    GlyphBitmap(UINT cx, UINT cy, UINT nColors, const UINT* pValues);
    // A copy of src (which must already be built) turned in place.
    GlyphBitmap(const GlyphBitmap& src, Turn turn);
    ~GlyphBitmap();

    UINT Width() const { return m_cx; }
    UINT Height() const { return m_cy; }
    UINT ColorCount() const { return m_nColors; }
    const UINT* Values() const { return m_pValues; }
    bool OwnsValues() const { return m_bOwns != 0; }
    UINT Value(int x, int y) const { return m_pValues[(UINT)y * m_cx + (UINT)x]; }

private:
    void TurnInPlace(Turn turn);

    UINT m_cx;
    UINT m_cy;
    UINT m_nColors;
    UINT* m_pValues;
    BYTE m_bOwns;

    GlyphBitmap(const GlyphBitmap&) = delete;
    GlyphBitmap& operator=(const GlyphBitmap&) = delete;
};
