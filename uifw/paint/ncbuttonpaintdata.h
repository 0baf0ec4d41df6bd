// The record of one caption button of a control bar or floating frame.
#pragma once
#include "paintmanager.h"

struct NcButtonPaintData : PaintDataHead {
    static const BYTE kHover = 0x01, kPushed = 0x02, kEnabled = 0x04;
    // The caption styles of the asking bar: resizable-bar look, bar active, bar floating.
    static const BYTE kFlag3 = 0x08, kFlag4 = 0x10, kFlag5 = 0x20;

    NcButtonPaintData(CObject* pAsking, const RECT& rcButton, UINT nGlyph, BOOL bHover, BOOL bPushed, BOOL bEnabled,
                      BOOL bFlag3, BOOL bFlag4, BOOL bFlag5)
        : m_nGlyph(nGlyph), m_bFlags(0)
    {
        m_pAsking = pAsking;
        m_dwCallerValue = 0;
        m_rcItem = rcButton;
        const BOOL bits[6] = {bHover, bPushed, bEnabled, bFlag3, bFlag4, bFlag5};
        for (int i = 0; i < 6; ++i) {
            if (bits[i])
                m_bFlags |= (BYTE)(1 << i);
        }
    }
    bool Has(BYTE bFlag) const { return (m_bFlags & bFlag) != 0; }

    UINT m_nGlyph;   // index into the caption-glyph table
    BYTE m_bFlags;
};
