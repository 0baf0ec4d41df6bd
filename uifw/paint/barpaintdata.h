// The records the bar, frame, edit and combo painters take: built on the caller's stack by
// their constructors, read by the paint manager, never kept.
#pragma once
#include "paintmanager.h"

class CUiCmdIcon;

// The gripper of a fixed-size bar, or the caption of a resizable bar or a floating frame.
struct GripperPaintData : PaintDataHead {
    enum { kActive = 1, kFloating = 2, kHorzBar = 4, kResizable = 8 };
    // Look bit: the caption's background is already painted (the XP body skips its fill).
    enum { kLookBackgroundPainted = 2 };

    GripperPaintData(CObject* pAsking, const RECT& rcGripper, const RECT& rcText, BOOL bActive, BOOL bFloating,
                     BOOL bHorzBar, BOOL bResizable, LPCSTR lpszText)
        : m_rcText(rcText), m_bFlags(0), m_lpszText(lpszText != nullptr ? lpszText : ""), m_bLookFlags(0)
    {
        m_pAsking = pAsking;
        m_rcItem = rcGripper;
        m_bFlags = (BYTE)((bActive ? kActive : 0) | (bFloating ? kFloating : 0) | (bHorzBar ? kHorzBar : 0) |
                          (bResizable ? kResizable : 0));
    }
    bool IsActive() const { return (m_bFlags & kActive) != 0; }
    bool IsFloating() const { return (m_bFlags & kFloating) != 0; }
    bool IsHorzBar() const { return (m_bFlags & kHorzBar) != 0; }
    bool IsResizable() const { return (m_bFlags & kResizable) != 0; }

    CRect m_rcText;
    BYTE m_bFlags;
    LPCSTR m_lpszText;
    BYTE m_bLookFlags;
};

// The non-client frame of a control bar or floating frame: the window rectangle less the
// client rectangle.
struct BarFramePaintData : PaintDataHead {
    enum { kFloating = 1, kResizable = 2, kResizableDocked = 4 };

    BarFramePaintData(CObject* pAsking, const RECT& rcWindow, const RECT& rcClient, BOOL bFloating,
                      BOOL bResizable, BOOL bThird)
        : m_rcClient(rcClient),
          m_bFlags((BYTE)((bFloating ? kFloating : 0) | (bResizable ? kResizable : 0) |
                          (bThird ? kResizableDocked : 0)))
    {
        m_pAsking = pAsking;
        m_rcItem = rcWindow;
    }
    bool IsFloating() const { return (m_bFlags & kFloating) != 0; }
    bool IsResizable() const { return (m_bFlags & kResizable) != 0; }

    CRect m_rcClient;
    BYTE m_bFlags;
};

// The flat border of an edit: m_rcItem is the client rectangle deflated by 1.
struct ControlFramePaintData : PaintDataHead {
    enum { kAlways = 1, kHover = 2, kEnabled = 4, kFocused = 8 };

    ControlFramePaintData(CObject* pAsking, const RECT& rc, BOOL bAlways, BOOL bHover, BOOL bEnabled, BOOL bFocused)
        : m_bFlags((BYTE)((bAlways ? kAlways : 0) | (bHover ? kHover : 0) | (bEnabled ? kEnabled : 0) |
                          (bFocused ? kFocused : 0)))
    {
        m_pAsking = pAsking;
        m_rcItem = rc;
    }
    bool IsHover() const { return (m_bFlags & kHover) != 0; }
    bool IsEnabled() const { return (m_bFlags & kEnabled) != 0; }
    bool IsFocused() const { return (m_bFlags & kFocused) != 0; }

    BYTE m_bFlags;
};

// The flat border of a combo box and its drop-down button; colours of -1 are the look's.
struct ComboFramePaintData : PaintDataHead {
    enum { kHot = 1, kPushed = 2, kEnabled = 4 };

    ComboFramePaintData(CObject* pAsking, const RECT& rc, BOOL bHot, BOOL bPushed, BOOL bEnabled)
        : m_bFlags((BYTE)((bHot ? kHot : 0) | (bPushed ? kPushed : 0) | (bEnabled ? kEnabled : 0))),
          m_clrBackground((COLORREF)-1), m_clrFace((COLORREF)-1), m_clrBorder((COLORREF)-1), m_bNoOuterBorder(0)
    {
        m_pAsking = pAsking;
        m_rcItem = rc;
    }
    bool IsHot() const { return (m_bFlags & kHot) != 0; }
    bool IsPushed() const { return (m_bFlags & kPushed) != 0; }
    bool IsEnabled() const { return (m_bFlags & kEnabled) != 0; }

    BYTE m_bFlags;
    COLORREF m_clrBackground;
    COLORREF m_clrFace;
    COLORREF m_clrBorder;
    BYTE m_bNoOuterBorder : 1;
};

// An in-place field of a popup menu: bit 0 combo style, 1 hot, 2 pushed, 3 enabled.
struct MenuInPlaceWndPaintData {
    enum { kCombo = 1, kHot = 2, kPushed = 4, kEnabled = 8 };

    CObject* m_pAsking = nullptr;
    CRect m_rcField;
    CRect m_rcSecond;
    BYTE m_bFlags = 0;
};

// A one-pixel frame without its four corner pixels: top and left in the first colour, right
// and bottom in the second.
void DrawCutCornerFrame(CDC& dc, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
