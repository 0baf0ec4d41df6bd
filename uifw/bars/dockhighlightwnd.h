// The drop area of a dock marker: a top-most popup over the place where the dragged bar would
// land, showing what lies beneath it tinted in the look's colours (with a tab shape for a
// drop into a tabbed group).
//
// The picture is taken from the screen before the window is shown and tinted then: once the
// window stands there, a composited desktop (and Wine) would hand back the window's own
// surface instead of what lies beneath.
#pragma once
#include "afxwin.h"

class CUiDynDockMarkerWnd;

class CUiDynDockHighlightWnd : public CWnd {
    DECLARE_DYNAMIC(CUiDynDockHighlightWnd)
public:
    // The window exists afterwards when GetSafeHwnd() is not null.
    explicit CUiDynDockHighlightWnd(CUiDynDockMarkerWnd* pMarker);
    ~CUiDynDockHighlightWnd() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The screen rectangle a marker's highlight covers; false when it gets none.
    static bool CalcHighlightRect(CUiDynDockMarkerWnd* pMarker, CRect& rc);
    // Height of the tab of a tabbed-group shape over a rectangle so high.
    static int TabHeightFor(int cy) { return cy < 36 ? cy / 2 : 18; }

    static const char* const kClassName;

protected:
    CUiDynDockMarkerWnd* m_pMarker;
    CBitmap m_bmpImage;

    void TakeSnapshot(const CRect& rcScreen);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};
