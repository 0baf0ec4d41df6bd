// The record of a status bar's pane frame (kind 2) or of the bar's own border lines (any
// other kind).
#pragma once
#include "paintmanager.h"

struct StatusPanePaintData : PaintDataHead {
    static const DWORD kPane = 2;

    StatusPanePaintData(CObject* pAsking, DWORD dwKind, DWORD dwBarStyle, const RECT& rc)
        : m_dwKind(dwKind), m_dwBarStyle(dwBarStyle)
    {
        m_pAsking = pAsking;
        m_dwCallerValue = 0;
        m_rcItem = rc;
    }

    DWORD m_dwKind;
    DWORD m_dwBarStyle;   // CBRS_BORDER_ bits
};

// The bar's border lines from the CBRS_BORDER_ bits of the record: the second colour for
// the outer lines, the first for the inner lines of a 3-D border.
void PaintBarBorderLines(CDC& dc, const StatusPanePaintData& data, COLORREF clrFirst, COLORREF clrSecond);
