// Dock markers: the small always-on-top windows that guide a dragged bar in the looks that ask
// for marker docking. One set stands at the edges of the frame's free area (no target
// window); a second set stands over the bar, tabbed group or view under the cursor. A marker
// is a hidden popup shaped by its picture's region, owned by one hidden popup shared by every
// marker and highlight; it owns its two pictures and its shape from the moment it is made.
// Its 50-ms timer follows the cursor: the hover picture while the cursor is on it.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CUiDynDockHighlightWnd;

class CUiDynDockMarkerWnd : public CWnd {
    DECLARE_DYNAMIC(CUiDynDockMarkerWnd)
public:
    typedef CTypedPtrArray<CPtrArray, CUiDynDockMarkerWnd*> MarkerArray;

    // The window exists afterwards when GetSafeHwnd() is not null.
    CUiDynDockMarkerWnd(CWnd* pTarget, int nType, HBITMAP hHover, HBITMAP hNormal, HRGN hShape, const RECT& rc);
    ~CUiDynDockMarkerWnd() override;

    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int GetMarkerType() const { return m_nType; }
    HWND GetTargetWnd() const { return m_hWndTarget; }
    int GetHoverState() const { return m_nHoverState; }
    CUiDynDockHighlightWnd* GetHighlight() const { return m_pHighlight; }
    bool IsValidMarkerType() const;
    // 14..26 for the drop this marker stands for, 0 for none.
    int GetDockCode() const;
    bool ShowHighlight(bool bShow);

    static void CreateOuterMarkers(CFrameWnd* pFrame, bool bShow);
    static void UpdateInnerMarkers(CFrameWnd* pFrame, bool bShow);
    static void ShowAllMarkers(bool bShow);
    static void DestroyAllMarkers();
    static void HideAllHighlights(bool bPassPaint);
    static HWND FindTargetInContainer(CWnd* pContainer, CPoint pt);
    // The shared owner of markers and highlights, made on first need; null when it cannot be.
    static CWnd* EnsureOwnerWnd();
    static bool RegisterMarkerClass();

    static MarkerArray OuterDockMarkers;     // top, bottom, left, right
    static MarkerArray InnerDockMarkers;
    static HWND InnerMarkerTarget;
    static CWnd* DockMarkerOwnerWnd;
    static const char* const kClassName;

protected:
    CUiDynDockHighlightWnd* m_pHighlight;
    HWND m_hWndTarget;
    int m_nType;
    CBitmap m_bmpHover;
    CBitmap m_bmpNormal;
    CRgn m_rgnShape;
    int m_nHoverState;

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};

// For every marker: its window destroyed when it has one, then the object; the array emptied.
void DestroyDockMarkerArray(CUiDynDockMarkerWnd::MarkerArray& arr);
