// Shared by the control-bar and docking tests: a bar of a fixed size and a frame with a
// client area of 400 x 300 that toggles bars by command.
#pragma once
#include "test_app.h"
#include "afxext.h"

// A bar of a fixed size, stretched along its edge; it can answer one command over its left
// half and records how it was shown or hidden.
class CFixedBar : public CControlBar {
public:
    CSize m_size;
    UINT m_nPosFlags = 0;
    int m_nUpdates = 0;
    INT_PTR m_nHit = -1;

    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID, CSize size = CSize(100, 40));
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_nUpdates; }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};

class CBarFrame : public CFrameWnd {
public:
    DECLARE_MESSAGE_MAP()
};

// A visible frame at (20, 20) with a client area of 400 x 300 and the view as its pane.
CBarFrame* MakeBarFrame(CWnd& view);
// A child's rectangle in its parent's client coordinates.
CRect ChildRect(CWnd* pChild);
