// The framework's dock bars: the strips along the frame's sides that hold docked bars in
// rows, arranged in rings.
//
// Ring 0 is the four outer dock bars (CUiDockOuterBar, ids 0xE81B top, 0xE81E bottom, 0xE81C
// left, 0xE81D right) that EnableFrameDocking installs; they hold the fixed-size bars. Each
// further ring is four plain CUiDockBars with the same ids inside the previous ring; the
// resizable bars dock there. A dock bar knows its level and its outer and inner neighbour of
// the same side; rings come when a bar must dock inside the bars already docked and go when
// all four of their dock bars are empty. Bars survive their dock bar: destroying one gives its
// bars back to the frame.
#pragma once
#include "afxext.h"
#include "outerrow.h"
#include "rowmath.h"

#include <vector>

class CUiControlBar;
class CUiPopupMenuWnd;

class CUiDockBar : public CDockBar {
    DECLARE_DYNAMIC(CUiDockBar)
public:
    explicit CUiDockBar(UINT nLevel = 0);
    ~CUiDockBar() override;

    enum : BYTE { kLayoutLock = 0x01 };
    BYTE m_bDockFlags;
    UINT m_nLevel;
    CUiDockBar* m_pOuter;
    CUiDockBar* m_pInner;
    CRect m_rcEdgeLine;       // screen coordinates
    CWnd* m_pAutoHideArea;
    BYTE m_bReentry;

    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    virtual CWnd* GetAutoHideArea();
    virtual bool SetLayoutLock(bool bLock);
    virtual void RecalcLayoutNow();
    virtual void RefreshBarsState();

    bool IsLocked() const { return (m_bDockFlags & kLayoutLock) != 0; }

    // ---- Putting bars in and taking them out.
    void DockControlBarEx(CControlBar* pBar, LPCRECT lpRect, bool bMove);
    void DockBarAtEdge(CControlBar* pBar, bool bInnerSide);
    // Takes the bar in at a place a bar had (RowArrayPlaceAt).
    void DockBarAtRow(CControlBar* pBar, int nRow, int nInRow, bool bOwnRow);
    int DockBarInRow(CControlBar* pRefBar, CControlBar* pBar, bool bBackwards);
    bool RemoveControlBarEx(CControlBar* pBar, int nPosExclude, int nPlaceHolderMode, bool bDelayLayout);
    void RemovePlaceHolderEx(void* pBarOrId, bool bSearchFrame, bool* pbFound = nullptr);
    static void RemovePlaceHolderInFrame(CFrameWnd* pFrame, void* pBarOrId, bool* pbFound = nullptr);
    void RemoveAllPlaceHolders(bool bSearchFrame);
    void ReleaseAllBars();

    // ---- Rings.
    CUiDockBar* GetRingDockBar(UINT nLevel);
    UINT GetInnerLevel();
    CUiDockBar* FindSameLevelDockBar(UINT nID, bool bCreate);
    static CUiDockBar* FindDockBarOfLevel(CFrameWnd* pFrame, UINT nLevel, UINT nID, bool bCreate);
    static UINT AppendRing(CFrameWnd* pFrame);
    static bool InsertRingAtLevel(CFrameWnd* pFrame, UINT nLevel);
    bool InsertRingInside();
    static void OptimizeRings(CFrameWnd* pFrame);
    void OptimizeRingsIfUnlocked();
    bool IsEmpty() const;
    void DestroyRingDockBar();
    // Ring links without windows: joins the neighbours around this dock bar, or clears every
    // link to it.
    void JoinNeighbours();
    void UnlinkFromRing();
    void LinkInside(CUiDockBar* pOuter);

    // ---- The frame's layout asked in advance.
    // What a child of the frame takes from rcFree (client coordinates) in the frame's layout,
    // as a layout query tells.
    static void TakeLayoutRoom(CFrameWnd* pFrame, HWND hChild, CRect& rcFree);
    // Where a bar would lie, in screen coordinates, once the frame is laid out with it in a new
    // row of its own on the side nSide at the edge nearest the view, row being what it brings
    // across: in the ring dock bar pInto, or without one in a new ring laid out before the
    // others (bOutermost) or after them all. pLeaving, the bar that moves, leaves its place.
    static CRect PlaceOfNewRow(CFrameWnd* pFrame, UINT nSide, CUiDockBar* pInto, bool bOutermost, const RowSpan& row,
                               CControlBar* pLeaving);
    // Where a docked bar will lie, in screen coordinates, once pLeaving has left its place and
    // the frame is laid out again: a bar left alone in a container takes the container's
    // place, and the container's other bars and a ring dock bar's rows share the room anew.
    // A floating bar stays where it is.
    static CRect PlaceOnceLeft(CControlBar* pBar, CControlBar* pLeaving);
    // Where the dock bar of a plain container (no caption, strips of those widths) would lie,
    // in screen coordinates, if the container stood in the place of pEntry once pLeaving has
    // left (the place pEntry then takes).
    static CRect InnerOnceLeft(CControlBar* pEntry, int nStripVert, int nStripHorz, CControlBar* pLeaving);

    static bool BuildBarsPopupMenu(CFrameWnd* pFrame, CUiPopupMenuWnd* pMenu, WORD nEvent, CWnd* pSource,
                                   UINT nMsg, LPARAM lExtra);
    static bool RegisterDockBarClass();

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // A bar placed by a layout: remembered as where it was docked last, moved with the others.
    void MoveBarInLayout(CControlBar* pBar, const CRect& rcBar, HDWP& hDWP);
    // The length the rows may take: the layout rectangle's, else the frame's client area's.
    int MaxRowExtent(bool bAlongX) const;
    // How thick the rows may be together in the frame's layout (INT_MAX outside one).
    int RoomAcrossRows(bool bAlongX, const std::vector<RowSpan>& rows) const;
    // The layout mode a bar's ideal size is asked with.
    static DWORD IdealLayoutMode(CControlBar* pBar);
    // The rows' size as the frame takes it: one pixel more each way that holds rows.
    static CSize FinishRowsSize(CSize sizeResult, int nAlong, int nAcross, bool bAlongX, BOOL bStretch);
    // Takes the bar from its old dock bar before it is put here.
    void TakeFromOldDockBar(CControlBar* pBar);
    void AdoptBar(CControlBar* pBar);
    // The bar placed in the row array is this dock bar's now, shown.
    void FinishDockingInRow(CControlBar* pBar);
    // DockControlBarEx once the bar is out of its old dock bar.
    void DockControlBarHere(CControlBar* pBar, LPCRECT lpRect, bool bMove);
};

class CUiDockOuterBar : public CUiDockBar {
    DECLARE_DYNAMIC(CUiDockOuterBar)
public:
    CUiDockOuterBar();
    ~CUiDockOuterBar() override;

    enum : BYTE { kRunning = 0x01, kPending = 0x02 };
    enum : UINT_PTR { kDelayedLayoutTimer = 901 };
    BYTE m_bOuterFlags;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void RequestDelayedLayout();
    void StartDelayedLayoutTimer();
    bool TryLayoutNow();
    void CapturePlacement(CUiControlBar* pBar);
    bool MoveBarInRow(CUiControlBar* pBar, CArray<CUiControlBar*, CUiControlBar*>& arrRow, int nOffset);
    void DragBarInRow(CUiControlBar* pBar, int nOffset, bool* pbChanged);
    // Exchanges the places of two bars of a row in the row array.
    void SwapRowItems(CControlBar* pA, CControlBar* pB);

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void InitItem(OuterLayoutItemData& item, CControlBar* pBar, int nMaxExtent, bool bHorz);
};
