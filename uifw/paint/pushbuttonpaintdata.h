// The record a caller fills to have a button face painted: dialog push buttons, toolbar and
// menu-bar buttons, the chevron and menu-expand buttons. Built on the caller's stack and
// passed to one PaintPushButton call; the painter may clear state bits of a disabled button
// in the record itself.
#pragma once
#include "paintmanager.h"

struct PushButtonPaintData : PaintDataHead {
    // First flags byte.
    static const BYTE kHorz = 0x01, kFlat = 0x02, kHover = 0x04, kPushed = 0x08, kIndeterminate = 0x10,
                      kEnabled = 0x20, kDrawBorder = 0x40, kDrawFocus = 0x80;
    // What a disabled button keeps of the first byte: no hover, indeterminate or focus.
    static const BYTE kDisabledMask = 0x6B;
    // Second flags byte.
    static const BYTE kDefault = 0x01, kDropDown = 0x02, kTransparent = 0x04, kSeparatedDropDown = 0x08,
                      kDropDownPushed = 0x10;
    // Third flags byte.
    static const BYTE kUseDrawText = 0x01;
    enum { kForcedDisabled, kForcedNormal, kForcedHover, kForcedPressed };

    PushButtonPaintData(CObject* pAsking, BOOL bHorz, const RECT& rcClient, LPCSTR lpszText, CUiCmdIcon* pIcon,
                        BOOL bFlat, BOOL bHover, BOOL bPushed, BOOL bIndeterminate, BOOL bEnabled,
                        BOOL bDrawBorder, BOOL bDrawFocus, BOOL bDefault, int nAlign, HFONT hFont,
                        BOOL bDropDown, UINT nSysCmd, BOOL bTransparent);

    bool Has(BYTE bFlag) const { return (m_bFlags & bFlag) != 0; }
    bool Has2(BYTE bFlag) const { return (m_bFlags2 & bFlag) != 0; }
    LPCSTR Text() const { return m_pszText != nullptr ? m_pszText : ""; }

    LPCSTR m_pszText;
    CUiCmdIcon* m_pIcon;
    int m_nAlign;   // bit 0 centre, bit 1 right, bit 2 vertical centre
    HFONT m_hFont;
    UINT m_nSysCmd;
    BYTE m_bFlags;
    BYTE m_bFlags2;
    COLORREF m_clrForced[4];
    UINT m_nTextFormat;
    BYTE m_bFlags3;
};

// The rectangle a one-line text takes in the font, at the origin.
RECT MeasureTextRect(CDC& dc, CFont* pFont, LPCSTR lpszText);
int MeasureTextWidth(CDC& dc, CFont* pFont, LPCSTR lpszText);
