#include "glyphbitmap.h"

#include <cstring>

GlyphBitmap::GlyphBitmap(UINT cx, UINT cy, UINT nColors, const UINT* pValues)
    : m_cx(cx), m_cy(cy), m_nColors(nColors), m_pValues(const_cast<UINT*>(pValues)), m_bOwns(0)
{
}

GlyphBitmap::GlyphBitmap(const GlyphBitmap& src, Turn turn)
    : m_cx(src.m_cx), m_cy(src.m_cy), m_nColors(src.m_nColors), m_pValues(nullptr), m_bOwns(1)
{
    const UINT n = m_cx * m_cy;
    m_pValues = new UINT[n];
    if (n != 0)
        std::memcpy(m_pValues, src.m_pValues, n * sizeof(UINT));
    TurnInPlace(turn);
}

GlyphBitmap::~GlyphBitmap()
{
    if (m_bOwns)
        delete[] m_pValues;
    m_pValues = nullptr;
    m_cx = 0;
    m_cy = 0;
    m_bOwns = 0;
    m_nColors = 1;
}

void GlyphBitmap::TurnInPlace(Turn turn)
{
    const UINT w = m_cx;
    const UINT h = m_cy;
    const UINT n = w * h;
    if (n == 0)
        return;
    UINT* pTurned = new UINT[n];
    UINT newWidth = turn == kHalfTurn ? w : h;
    for (UINT y = 0; y < h; ++y) {
        for (UINT x = 0; x < w; ++x) {
            UINT nx = 0, ny = 0;
            switch (turn) {
            case kClockwise:
                nx = h - 1 - y;
                ny = x;
                break;
            case kHalfTurn:
                nx = w - 1 - x;
                ny = h - 1 - y;
                break;
            case kCounterClockwise:
                nx = y;
                ny = w - 1 - x;
                break;
            }
            pTurned[ny * newWidth + nx] = m_pValues[y * w + x];
        }
    }
    std::memcpy(m_pValues, pTurned, n * sizeof(UINT));
    delete[] pTurned;
    if (turn != kHalfTurn) {
        m_cx = h;
        m_cy = w;
    }
}
