// A fixed-size docking bar that hosts one child window (its first child) inside a margin
// instead of buttons. It takes the toolbar's docking, gripper and fixed-size behaviour, sizes
// itself from the child's window size plus the margins, keeps the child at the margin corner
// through moves and resizes without ever resizing it, hands the focus to the child and
// paints its own background through the look.
#pragma once
#include "toolcontrolbar.h"

class CUiPanelControlBar : public CUiToolControlBar {
    DECLARE_DYNCREATE(CUiPanelControlBar)
public:
    CUiPanelControlBar();
    ~CUiPanelControlBar() override;

    enum DockMode { kFloating = 0, kDockedHorz = 1, kDockedVert = 2 };

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    int GetMinExtentHorz() const override;
    int GetMinExtentVert() const override;
    CSize GetDefaultFloatSize() const override;
    CSize CalcLayoutExtent(DWORD nMode, int nLength) override;

    virtual CSize CalcPanelSize(int nMode) const;
    virtual const RECT& GetPanelMargins() const { return m_rcMargins; }
    virtual CSize CalcSizeForDockMode(int nMode) const;
    virtual void RepositionChild(bool bRepaint);
    virtual CSize GetChildSize() const;

    // The docked size asked for one direction.
    CSize GetDockedSize(bool bHorz) const;

    RECT m_rcMargins;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
