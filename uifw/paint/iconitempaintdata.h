// An icon item of a bar (an icon box with a text beside it, or a separator): the element that
// shows it fills every field; the painter reads the icons, the rectangles, the text, the two
// flag bytes and the font.
#pragma once
#include "paintmanager.h"

class CUiCmdIcon;

struct IconItemPaintData {
    // First flags byte.
    static const BYTE kHot = 0x01, kPressed = 0x02, kInfoLook = 0x10, kVerticalText = 0x20, kSelected = 0x40,
                      kSeparator = 0x80;
    // Second flags byte: vertical text placed toward the left (from the bottom edge).
    static const BYTE kVertTextLeft = 0x10;

    DWORD m_dwValue1 = 0;
    DWORD m_dwValue2 = 0;
    CUiCmdIcon* m_pIconSelected = nullptr;
    CUiCmdIcon* m_pIcon = nullptr;
    DWORD m_dwValue3 = 0;
    CRect m_rcOuter;
    CRect m_rcIcon;
    CRect m_rcTextArea;
    CRect m_rcText;
    CString m_strText;
    BYTE m_bFlags = 0;
    BYTE m_bFlags2 = 0;
    HFONT m_hFont = NULL;
};
