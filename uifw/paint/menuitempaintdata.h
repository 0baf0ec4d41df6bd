// The record of one popup-menu item: texts, icon, check state, submenu arrow, the look of
// rarely used items and an optional in-place edit or combo field.
#pragma once
#include "paintmanager.h"

struct MenuItemPaintData : PaintDataHead {
    // First flags byte.
    static const BYTE kPopup = 0x01, kSelected = 0x02, kChecked = 0x04, kRadio = 0x08, kIndeterminate = 0x10,
                      kEnabled = 0x20, kRarelyUsed = 0x40, kPrevRarelyUsed = 0x80;
    // Second flags byte; all but the first set by the caller after construction.
    static const BYTE kNextRarelyUsed = 0x01, kNoIconArea = 0x02, kArrowGlyph = 0x04, kSplitCommand = 0x08,
                      kIconRightHalf = 0x10, kCheckBoxLeft = 0x20;
    static const BYTE kInPlaceDropDownPushed = 0x01;

    MenuItemPaintData(CObject* pAsking, const RECT& rcItem, int cxIconArea, LPCSTR lpszText, LPCSTR lpszAccel,
                      CUiCmdIcon* pIcon, BOOL bPopup, BOOL bSelected, BOOL bChecked, BOOL bRadio,
                      BOOL bIndeterminate, BOOL bEnabled, BOOL bRarelyUsed, BOOL bPrevRarelyUsed,
                      BOOL bNextRarelyUsed, UINT nSysCmd)
        : m_cxIconArea(cxIconArea), m_pszText(lpszText), m_pszAccel(lpszAccel), m_pIcon(pIcon), m_nSysCmd(nSysCmd),
          m_bFlags(0), m_bFlags2(0), m_rcInPlace(0, 0, 0, 0), m_bInPlaceFlags(0)
    {
        m_pAsking = pAsking;
        m_dwCallerValue = 0;
        m_rcItem = rcItem;
        const BOOL bits[8] = {bPopup, bSelected, bChecked, bRadio, bIndeterminate, bEnabled, bRarelyUsed,
                              bPrevRarelyUsed};
        for (int i = 0; i < 8; ++i) {
            if (bits[i])
                m_bFlags |= (BYTE)(1 << i);
        }
        if (bNextRarelyUsed)
            m_bFlags2 |= kNextRarelyUsed;
    }
    bool Has(BYTE bFlag) const { return (m_bFlags & bFlag) != 0; }
    bool Has2(BYTE bFlag) const { return (m_bFlags2 & bFlag) != 0; }

    int m_cxIconArea;
    LPCSTR m_pszText;
    LPCSTR m_pszAccel;
    CUiCmdIcon* m_pIcon;
    UINT m_nSysCmd;
    BYTE m_bFlags;
    BYTE m_bFlags2;
    CRect m_rcInPlace;
    CString m_strInPlace;
    BYTE m_bInPlaceFlags;
};
