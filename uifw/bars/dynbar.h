// Nested docking containers: bars docked beside one another share the place one bar had.
//
// A CUiDynControlBar takes the place of the target bar in its dock bar; inside it a
// CUiDockDynBar holds the bars in rows of its own (side by side in rows stacked downwards for
// the ids 0xE81B and 0xE81E, one under another in columns side by side otherwise). The rows
// fill the container exactly: the difference is handed out one pixel at a time, never below a
// bar's minimum. A container left with one bar gives that bar its place and size back; an
// empty one goes away. Containers nest, float with their bars, and are never listed in the
// bars menu. The tabbed group (dyntabbar.h) is built on the same two classes.
#pragma once
#include "controlbar.h"
#include "dockbar.h"

class CUiDockDynBar : public CUiDockBar {
    DECLARE_DYNAMIC(CUiDockDynBar)
public:
    explicit CUiDockDynBar(UINT nLevel = 0);
    ~CUiDockDynBar() override;

    enum : BYTE { kOutOfFrameList = 0x01 };
    BYTE m_bDynFlags;

    // One row of the rows laid out: its bars, its thickness (the first bar's docked extent
    // across), the smallest minimum thickness of its bars and their docked lengths together.
    struct VisibleLayoutItem_t {
        CArray<CUiControlBar*, CUiControlBar*> m_arrBars;
        int m_nThickness = 0;
        int m_nMinThickness = 0;
        int m_nPreferredLength = 0;
    };
    class VisibleLayoutRows {
    public:
        VisibleLayoutRows();
        ~VisibleLayoutRows();
        CArray<VisibleLayoutItem_t*, VisibleLayoutItem_t*> m_arrRows;
        int m_nTotalThickness;
        int m_nTotalMinThickness;
        int m_nMaxRowMinLength;
        int m_nBarCount;
        void AddBarToLastRow(CUiControlBar* pBar);
        void StartRow();
        bool IsEmpty() const;

    private:
        VisibleLayoutRows(const VisibleLayoutRows&) = delete;
        VisibleLayoutRows& operator=(const VisibleLayoutRows&) = delete;
    };

    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CWnd* GetAutoHideArea() override;
    bool SetLayoutLock(bool bLock) override;
    void RecalcLayoutNow() override;
    void RefreshBarsState() override;
    virtual void CollectVisibleItems(CArray<CUiControlBar*, CUiControlBar*>& arr);

    bool IsHorizontal() const;
    // The rows of the shown bars, pLeaving (a bar about to go elsewhere) left out.
    void BuildRows(VisibleLayoutRows& rows, CControlBar* pLeaving = nullptr);
    void LayoutRows(VisibleLayoutRows& rows, int cx, int cy);
    // Where pBar will lie, in screen coordinates, once pLeaving has left and this dock bar is
    // laid out in rcDockBar.
    CRect PlaceOnceLeft(CUiControlBar* pBar, const CRect& rcDockBar, CControlBar* pLeaving);
    void DissolveIfSingle();
    // Shows and hides its bars as they asked to be at the next layout.
    void CarryOutDelayedShows();
    // The window holding the container: the dock bar the container sits on.
    CWnd* GetOuterWindow() const;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CUiDynControlBar : public CUiControlBar {
    DECLARE_DYNCREATE(CUiDynControlBar)
public:
    CUiDynControlBar();
    ~CUiDynControlBar() override;

    CUiDockDynBar* m_pInnerDockBar;

    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void RepositionChildWindow(int cx, int cy, BOOL bRepaint) override;
    bool QueryGripperLayout(bool& bCaptionAcross, bool& bCaptionLeft) override;
    int GetMinExtentHorz() const override;
    int GetMinExtentVert() const override;
    CSize GetDefaultFloatSize() const override;
    bool CanDockNow(CUiControlBar* pOther) override;
    // Whether a bar it holds shows, in a container inside it too: a group whose shown bars
    // all left shows nothing, though its window is still up until its own layout.
    bool HoldsShownBar() const;
    // The framework's bars it holds, in the order of its inner dock bar.
    void GetInnerBars(CArray<CUiControlBar*, CUiControlBar*>& arr) const;
    virtual CSize CalcInnerSize() const;
    virtual CUiDockDynBar* CreateInnerDockBar();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};
