// A dock marker: a hidden always-on-top popup shaped by its picture's region, owned by one
// hidden popup shared by every marker. It owns its two pictures and its shape from the
// moment it is made.
#pragma once
#include "afxwin.h"

class CUiDynDockMarkerWnd : public CWnd {
    DECLARE_DYNAMIC(CUiDynDockMarkerWnd)
public:
    // The window exists afterwards when GetSafeHwnd() is not null.
    CUiDynDockMarkerWnd(CWnd* pTarget, int nType, HBITMAP hHover, HBITMAP hNormal, HRGN hShape, const RECT& rc);
    ~CUiDynDockMarkerWnd() override;

    int GetMarkerType() const { return m_nType; }
    HWND GetTargetWnd() const { return m_hWndTarget; }

    static const char* const kClassName;

protected:
    HWND m_hWndTarget;
    int m_nType;
    CBitmap m_bmpHover;
    CBitmap m_bmpNormal;
    CRgn m_rgnShape;
    int m_nHoverState;
};
