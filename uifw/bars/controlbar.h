// The framework's control bar: the docking pane every pane of the main window lives in, and
// the base of the toolbars and the menu bar.
//
// A bar sits in a row of a dock bar at a frame side (rings of dock bars, dockbar.h), floats in
// a small frame, or lives contained in a dialog. It keeps its remembered sizes per orientation
// (top/bottom, left/right, floating); the resizable bars of one row share the row's length and
// thickness (row layout in controlbarrow.cpp, the arithmetic in rowmath.h). Its non-client
// area holds the caption and the strips by which rows are resized and neighbours split.
//
// Every live bar is in one process-wide list under one lock, from its constructor to its
// destructor; the frame-wide queries (the bars menu, the hit tests of the docking code) walk it.
#pragma once
#include "afxext.h"
#include "afxmt.h"
#include "afxtempl.h"
#include "mousecapturesink.h"
#include "outerrow.h"

class CUiPopupMenuWnd;
class CUiBarNcAreaButton;
class CUiDockBar;
class CUiDockOuterBar;
class CUiDynControlBar;
class CUiDynTabControlBar;
class CUiMiniDockFrameWnd;

// The frame's four sides by the ids of their dock bars, in the order side indices count them
// (top, bottom, left, right).
constexpr UINT kFrameSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
// The top and bottom sides, whose rows run across the frame.
inline bool IsTopOrBottomSide(UINT nSide)
{
    return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
}

class CUiControlBar : public CControlBar, public CUiMouseCaptureSink {
    DECLARE_DYNAMIC(CUiControlBar)
public:
    CUiControlBar();
    ~CUiControlBar() override;

    // Bar flags (m_bBarFlags).
    enum : BYTE {
        kCaptionAcross = 0x01, kEraseBackground = 0x02, kContained = 0x04, kFrameLayout = 0x08,
        kNoCmdUI = 0x10, kInBarsMenu = 0x20, kFixedSize = 0x40,
    };
    // State flags (m_bTrackFlags).
    enum : BYTE { kRowResizing = 0x01, kRowSplitting = 0x02, kDragging = 0x04, kChildFills = 0x08, kNoChildMove = 0x10 };
    // View flags (m_bViewFlags).
    enum : BYTE {
        kFocusInside = 0x01, kSplitPrev = 0x02, kButtonHot = 0x04, kAutoHidden = 0x08, kLeftOutByLayout = 0x10,
        kNewToOrientation = 0x20,
    };

    BYTE m_bBarFlags;
    int m_nCaptionTop;       // caption thickness across the top
    int m_nCaptionLeft;      // caption thickness at the left
    int m_nStripHorz;        // height of a horizontal strip
    int m_nStripVert;        // width of a vertical strip
    int m_nMinWidthBase;
    int m_nMinHeightBase;
    int m_nTrackerPos;       // screen coordinate of the tracker
    int m_nTrackedValue;     // new row thickness, or the length change of a split
    int m_nResizeGrip;       // a row resize: how far from the point that asks for no change the strip was taken
    CSize m_sizeHorz;        // docked at the top or bottom
    CSize m_sizeVert;        // docked at the left or right
    CSize m_sizeFloat;
    CRect m_rcCaption;       // window coordinates
    CRect m_rcRowResize;
    CRect m_rcSplitNext;
    CRect m_rcSplitPrev;
    BYTE m_bTrackFlags;
    int m_nReclaimExtent;
    CPoint m_ptSavedLayout;
    CPoint m_ptGrabFloat;
    CPoint m_ptGrabHorz;
    CPoint m_ptGrabVert;
    BYTE m_bViewFlags;
    CPoint m_ptLastDrag;
    CArray<CUiBarNcAreaButton*, CUiBarNcAreaButton*> m_arrNcButtons;
    // Where the bar was docked when it last floated, for toggling it back: a bar of the
    // group or container it left (into that group between the tabs it stood between, or
    // beside that bar on the side it was), and the frame side, ring and row it was docked in.
    struct DockedPlace {
        UINT nSide = 0;           // 0: never docked
        UINT nLevel = 0;
        HWND hPartner = NULL;
        UINT nPartnerSide = 0;    // 0: the partner's group; else the partner's side the bar was on
        int nTabIndex = -1;
        HWND hTabBefore = NULL;   // the panes of the tabs beside its own
        HWND hTabAfter = NULL;
        int nRow = -1;            // among the rows of its dock bar that hold a bar; -1: unknown
        int nInRow = 0;           // among the bars of that row
        bool bOwnRow = false;     // the only bar of its row
        bool bOwnRing = false;    // the only bar of its ring, which went as it left
        CRect rcDocked = CRect(0, 0, 0, 0);   // screen
        CSize sizeOwn[2], sizePartner[2];      // docked sizes (top or bottom, left or right)
        BarPlacementRecord record;             // a fixed-size bar's, in its row there
    } m_placeDocked;

    // ---- Process-wide.
    static CArray<CUiControlBar*, CUiControlBar*> g_arrAllBars;
    static CCriticalSection g_csAllBars;
    static CMap<UINT, UINT, DWORD, DWORD> g_mapSideAlign;
    static HCURSOR g_hCursorArrow, g_hCursorMove, g_hCursorSizeNS, g_hCursorSizeWE;
    static UINT g_nMsgConstructPopupMenu;
    static UINT g_nMsgDrawTackedArea;
    static UINT g_nMsgCreateTabbedBar;
    static UINT g_nMsgQueryIcon;
    static UINT g_nMsgPutToPopupMenu;
    static UINT g_nMsgQueryRepositionCalcEffect;
    static int g_nDragDockMode;
    static bool g_bIdleDuringLoops;
    static bool g_bDragTrackBusy;
    static CUiControlBar* g_pBarBeingFloated;

    class InternalDraggingState_t;
    class InternalDockStateBar;
    class InternalDockStateSite;
    struct OuterItemData_t;
    static InternalDraggingState_t g_DragStatePrevious;
    static InternalDraggingState_t g_DragStateCurrent;

    // ---- Class-library slots.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    // ---- Own slots, in order.
    virtual bool InsertBarsMenuItem(CUiPopupMenuWnd* pMenu);
    virtual BOOL Create(LPCTSTR lpszText, CWnd* pParentWnd, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    virtual bool IsDockSiteInPrintPreview();
    virtual bool IsVisibleInLayout();
    virtual bool IsFixedSizeBar() const;
    virtual bool IsFixedSizeForDrag() const;
    virtual bool QueryGripperLayout(bool& bCaptionAcross, bool& bCaptionLeft);
    virtual void PaintClientBackground(CDC& dc, const CRect& rc);
    virtual bool RowQueryFlag() const;
    virtual int GetMinExtentHorz() const;
    virtual int GetMinExtentVert() const;
    virtual CSize GetDefaultFloatSize() const;
    virtual CSize GetMinSize() const;
    virtual BarPlacementRecord* GetPlacementRecord();
    virtual void SetPlacementRecord(const BarPlacementRecord& record);
    virtual void CapturePlacementRecord();
    virtual void ResetPlacementRecord();
    virtual bool IsSingleOnRow() const;
    virtual void RequestFrameRecalcLayout();
    virtual void RecalcNcFrame();
    virtual bool IsMarkerDockingMode() const;
    virtual bool IsLiveRowResize() const;
    virtual bool IsLiveRowSplit() const;
    virtual void RepositionChildWindow(int cx, int cy, BOOL bRepaint);
    virtual void RowResizeLoop(CPoint ptTaken);
    virtual void RowResizeStop(bool bCancelled);
    virtual void RowResizeTrack();
    virtual void RowSplitLoop();
    virtual void RowSplitStop(bool bCancelled);
    virtual void RowSplitTrack();
    virtual bool CanSplitNext();
    virtual bool CanSplitPrev();
    virtual void DrawRowResizeTracker(bool bErasing);
    virtual void DrawRowSplitTracker(bool bErasing);
    virtual bool DockBarBeside(CUiControlBar* pBar, UINT nSide, int nPercent);
    virtual bool DragApplyTarget(InternalDraggingState_t& state, bool bFromMarkers);
    virtual void DragLoop(CPoint ptScreen, CPoint ptGrab = CPoint(0, 0), int nThresholdX = 1, int nThresholdY = 1);
    virtual void DragStop(bool bCancelled);
    virtual void DragTrack(CPoint ptScreen, bool bCtrl);
    virtual void OnDragStarted();
    virtual void OnDragEnded(InternalDraggingState_t* pPrevious, InternalDraggingState_t* pCurrent, bool bCancelled);
    virtual void UpdateCursor(CPoint ptClient);
    virtual bool IsContentExpandWanted() const;
    // Lays the bar's content out again for the room its row gives it now; nothing by default.
    virtual void RefreshContentExpandLayout();
    virtual bool IsDockableByDrag() const;
    virtual bool CanDockNow(CUiControlBar* pOther);
    virtual CUiDynTabControlBar* GetTabContainerBar();
    virtual void ToggleVisibility(bool bToggle);
    // Hides the bar as its close does: a container (a tabbed group too) with every bar it holds.
    void HideByClose();
    virtual void UpdateBarCheckCmdUI(CCmdUI* pCmdUI, bool bAllBars);
    virtual CUiMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    virtual void ToggleDocking();
    // False when the bar could not be floated; it then stays where it was.
    virtual bool FloatAt(int x, int y, DWORD dwStyle);
    virtual bool DockAtFrameSide(UINT nDockBarId, bool bInner, CFrameWnd* pFrame = nullptr, bool bRecalc = true);
    virtual bool DockIntoBar(int nPercent, CUiControlBar* pTarget, UINT nSide, bool bRecalc);
    virtual bool DockAtSideWithDragState(CUiControlBar* pBar, bool bAlong, bool bBefore, CFrameWnd* pFrame = nullptr,
                                         bool bRecalc = true);
    virtual bool InsertIntoFrameDockBar(UINT nDockBarId, UINT nLevel, CFrameWnd* pFrame = nullptr, bool bRecalc = true);
    virtual bool DockIntoTabbedGroup(CUiControlBar* pBar, int nIndex = -1, CFrameWnd* pFrame = nullptr,
                                     bool bRecalc = true);
    // nKind: 0 docked caption, 1 floating-frame caption (the tabbed group asks with 2 and 3).
    virtual void GetCaptionText(int nKind, CString& strText);
    virtual void AdjustCaptionTextRect(CRect& rcText);
    virtual void CreateNcAreaButtons();
    virtual void LayoutNcAreaButtons();
    virtual int HelpHitTestAt(int x, int y);
    virtual bool HandleMouseMove(UINT nFlags, int x, int y);

    // ---- Placement queries.
    CFrameWnd* FindDockSiteFrame() const;
    CFrameWnd* GetDockSiteFrame() const;
    UINT GetDockBarId() const;
    bool IsDockedAtTop() const;
    bool IsDockedAtBottom() const;
    bool IsDockedAtLeft() const;
    bool IsDockedAtRight() const;
    bool IsDockedHorizontally() const;
    BOOL IsDockedVertically() const;
    bool IsDockedAtFrameSide() const;
    BOOL IsBarFloating() const;
    BOOL IsBarDocked() const;
    bool IsAloneInFloatingFrame() const;
    bool IsAutoHidden() const { return (m_bViewFlags & kAutoHidden) != 0; }
    // The last saved layout applied to the frame did not name the bar: it waits hidden where
    // the apply parked it, and its frame may place it as it would without a saved layout.
    bool IsLeftOutByLayout() const { return (m_bViewFlags & kLeftOutByLayout) != 0; }
    // Docked on a frame side from a side of the other orientation (itself, or a container or
    // group holding it): the thickness it remembers for this orientation was never laid out
    // here, and its first layout here holds it to what the frame leaves.
    bool IsNewToOrientation() const { return (m_bViewFlags & kNewToOrientation) != 0; }
    void SetNewToOrientation(bool bNew)
    {
        m_bViewFlags = bNew ? (m_bViewFlags | kNewToOrientation) : (m_bViewFlags & ~kNewToOrientation);
    }
    // Before the bar docks on the side nSide: notes whether it comes from the other orientation.
    void NoteOrientationOfNewSide(UINT nSide);
    static void CollectFrameBars(CWnd* pExclude, CFrameWnd* pFrame, CArray<CUiControlBar*, CUiControlBar*>& arr,
                                 DWORD dwMask, int x, int y);
    void CollectBarsOfSameFrame(bool bExcludeSelf, CArray<CUiControlBar*, CUiControlBar*>& arr, DWORD dwMask, int x, int y);
    static void AddBarUnique(CArray<CUiControlBar*, CUiControlBar*>& arr, CUiControlBar* pBar);
    static bool IsInPlaceActiveFrame(CFrameWnd* pFrame);
    bool IsDockSiteInPlaceActive() const;
    static CUiControlBar* GetBarBeingFloated() { return g_pBarBeingFloated; }
    static CUiControlBar* GetBarBeingDragged();
    static bool PreTranslateChildBars(CWnd* pWnd, MSG* pMsg);
    static void UpdateChildBarsCmdUI(CWnd* pWnd, BOOL bDisableIfNoHndler);
    bool UpdateCmdUIGuarded(BOOL bDisableIfNoHndler);
    bool IsResizable() const { return !IsFixedSizeBar(); }
    // The ring level of the dock bar the bar sits on (it must sit on one).
    UINT GetDockBarLevel() const;
    bool FloatAtMRUPosition(DWORD dwStyle);
    // The size the bar takes floating: a container never less than what its bars take.
    CSize FloatingSize() const;
    // The window rectangle of the floating frame the bar gets floated at ptFrame (FloatAt).
    CRect FloatingFrameRectAt(CPoint ptFrame) const;
    // Notes where the docked bar is (m_placeDocked); a floating bar goes back there.
    void RememberDockedPlace();
    bool DockAtMRUPlace();
    // A fixed-size bar floated leaves a placeholder at that place in its outer dock bar, where
    // its dock context docks it again, across a restart too, and takes back the placement
    // record it had there.
    void LeavePlaceHolderAtDockedPlace();
    // A double click on a docked bar: it floats where it floated last; one that never floated
    // beside where it is docked now. The frame is held on the work area either way.
    bool FloatByDoubleClick();
    // The window rectangle of what holds the bar on its frame side (the bar, or its outermost
    // group or container), and that side.
    CRect DockedHolderRect(UINT& nSide) const;
    // The same toggle of a fixed-size bar, through its dock context.
    void ToggleDockingByContext();
    bool DockIntoBarHalf(CUiControlBar* pTarget, UINT nSide, bool bRecalc);
    // A nested container that is no tabbed group.
    bool IsPlainContainer() const;
    // Whether the bar is one of a tabbed group's bars.
    bool IsInTabbedGroup() const;
    // Whether the bar floats in a frame of the framework that shows no other bar: only then may
    // the frame hide as the bar leaves it.
    bool IsLastShownInFloatingFrame() const;
    // A shown bar shows the containers and the floating frame it lies in.
    void ShowHoldersOfShownBar();
    // The screen rectangle pBar and this bar share when pBar joins it.
    CRect PlaceToShareWith(CUiControlBar* pBar) const;
    // The part of rc (the place two bars share) that a bar joining on the side nSide takes
    // with nPercent of its extent; rc keeps the rest.
    static CRect SplitForJoining(CRect& rc, UINT nSide, int nPercent);
    // What a bar joining pTarget joins: its tabbed group when it has one.
    static CUiControlBar* HostOfJoining(CUiControlBar* pTarget);
    // Where the bar would lie once docked beside pTarget on its side nSide (DockIntoBarHalf),
    // as far as the layout can know it in advance: its own place left, the frame laid out
    // again, the two sharing the target's place there.
    CRect PlaceBeside(CUiControlBar* pTarget, UINT nSide);
    // Where the bar would lie docked in a new row of its own on the side nSide of its dock
    // site, at the edge nearest the view (CUiDockBar::PlaceOfNewRow): in the ring dock bar
    // pInto, or in a new ring outside the others (bOutermost) or inside them all.
    CRect PlaceOfNewRowOnSide(UINT nSide, CUiDockBar* pInto, bool bOutermost);

    // ---- Rows.
    // The sizes the bar keeps for where it lies, a width and a height: those for the
    // orientation of the frame side its outermost holder is docked on (a bar stacked or set
    // side by side in a container on the right keeps its left-and-right sizes there), else
    // those of its own row's orientation. The other orientation's stay as the bar last had
    // them there, for when it goes back to a side of that orientation.
    CSize& PlaceSize();
    const CSize& PlaceSize() const { return const_cast<CUiControlBar*>(this)->PlaceSize(); }
    // Its length along a row of that direction and its thickness across it, in PlaceSize().
    LONG& LengthAlong(bool bHorzRow) { return bHorzRow ? PlaceSize().cx : PlaceSize().cy; }
    LONG& ThicknessAcross(bool bHorzRow) { return bHorzRow ? PlaceSize().cy : PlaceSize().cx; }
    int GetRowLength() const;
    void SetRowLength(int nLength);
    int GetRowThickness() const;
    void SetRowThickness(int nThickness);
    int GetMinRowLength() const;
    int GetMinRowThickness() const;
    void CollectRowBars(CArray<CUiControlBar*, CUiControlBar*>& arr, bool bResizableOnly, CRect* pRect = nullptr,
                        int* pIndex = nullptr, bool* pAnyResizable = nullptr, bool* pFull = nullptr);
    void CollectVisibleRowBars(CArray<CUiControlBar*, CUiControlBar*>& arr, CRect* pRect = nullptr,
                               int* pIndex = nullptr, bool* pAnyResizable = nullptr, bool* pFull = nullptr);
    void CollectAdjacentRowBars(bool bForward, CArray<CUiControlBar*, CUiControlBar*>& arr);
    CControlBar* FindRowNeighbour(bool bForward, bool bControlBarsOnly, bool bResizableOnly);
    CControlBar* FindRowEnd(bool bLast, bool bControlBarsOnly, bool bResizableOnly);
    bool IsFirstInRow(bool bStrict);
    bool IsLastInRow(bool bResizableOnly);
    bool IsSingleVisibleInRow(bool bFixedOnly, bool bResizableOnly);
    bool IsMinimizedInRow();
    bool IsMaximizedInRow();
    void MinimizeInRow();
    void MaximizeInRow();
    void MakeOwnRowAndStretch();

    // ---- Non-client area.
    // The edges of a docked resizable bar that show strips (towards a row or a bar before or
    // after it), and whether a shown resizable bar comes before it in its row: for the place
    // the entry pEntry has in the dock bar pDock, pLeaving no longer counting there.
    struct SplitterEdges {
        bool bLeft = true, bTop = true, bRight = true, bBottom = true;
        bool bFollows = false;
    };
    static SplitterEdges SplitterEdgesAt(CDockBar* pDock, void* pEntry, CControlBar* pLeaving);
    // The strips a resizable bar docked in a dock bar of that id shows on those edges, taken
    // from rc (its window rectangle at 0,0): the row-resize strip and the split strips after
    // and before it.
    static void TakeStrips(UINT nDockBarId, const SplitterEdges& edges, int nStripVert, int nStripHorz, CRect& rc,
                           CRect& rcRowResize, CRect& rcSplitNext, CRect& rcSplitPrev);
    UINT NcButtonsHitTest(CPoint ptScreen, CUiBarNcAreaButton** ppButton);
    void PaintNcAreaButtons(CDC& dc);
    // Offers a click to the visible caption buttons in order; true when one took it.
    bool ClickNcAreaButtons(CPoint ptScreen);
    void ReleaseNcAreaButtons();
    // The window the caption buttons' rectangles are relative to: the bar's, or its floating
    // frame's; null when the buttons have no place now.
    CWnd* NcButtonsWindow() const;

    // ---- The frames whose docking layout is being saved (flag 0) or loaded (flag 1): their
    // bars ask them for no layout meanwhile.
    static bool FrameLockMapAdd(CFrameWnd* pFrame, bool bLoading);
    static bool FrameLockMapRemove(CFrameWnd* pFrame);
    static bool FrameLockMapFind(CFrameWnd* pFrame, bool* pbLoading = nullptr);

    // ---- Window services.
    static bool RegisterBarWindowClass();
    void MoveFocusToFrame();
    static bool IsFrameInHelpMode(CWnd* pWnd);
    static bool IsFrameInPrintPreview(CFrameWnd* pFrame);
    static void ShowCommandStatusText(CWnd* pWnd, UINT nID);
    static void RepositionBarsEx(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                                 LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch);
    static int GetDragDockMode();
    static bool ToggleBarById(CFrameWnd* pFrame, UINT nID, bool bToggle);

    // ---- Fixed-size bars during a drag.
    void DragFixedSizeBar(InternalDraggingState_t& state, int x, int y, bool bNoDock);
    void FloatMoveFixedSizeBar(InternalDraggingState_t& state, int x, int y);
    bool PlaceFixedSizeBarInDockBar(InternalDraggingState_t& state, int x, int y, CDockBar* pDockBar);
    static void RelayoutDockBarAfterMove(CFrameWnd* pFrame, CDockBar* pDockBar);
    // Moves pBar's whole row to the other side of pOther's row (both in one dock bar).
    static void MoveRowPastRow(CControlBar* pBar, CControlBar* pOther);

    // ---- Visibility.
    void OnBarVisibilityChanged();
    void ReclaimRowExtent();
    void MakeRoomInRow();
    bool SetAutoHideMode(bool bAutoHide, bool bArg2, bool bRecalc, bool bQuiet);

    // The record a layout query carries (g_nMsgQueryRepositionCalcEffect).
    struct LayoutQueryRecord {
        BYTE bMode;              // low 4 bits: 0 normal, 1 query, 2 extra; bit 4: leave me out
        CWnd* pWnd;
        UINT nIDFirst;
        UINT nIDLast;
        UINT nIDLeftOver;
        CRect rcParam;
        CRect rcClient;
        BYTE bStretch : 1;
        enum : BYTE { kLeaveMeOut = 0x10 };
    };

    class POPUP_MENU_EVENT_DATA {
    public:
        POPUP_MENU_EVENT_DATA(WORD nEvent, CUiPopupMenuWnd* pMenu, CWnd* pSource, CPoint pt, UINT nMsg, LPARAM lExtra);
        virtual ~POPUP_MENU_EVENT_DATA();
        virtual bool IsControlBarMenuListEvent() const;
        virtual bool NotifyTarget(bool bAfter);

        WORD m_nEvent;
        CUiPopupMenuWnd* m_pMenu;
        CWnd* m_pSource;
        UINT m_nMsg;
        LPARAM m_lExtra;
        CFrameWnd* m_pTarget;
        BYTE m_bFlags;           // 0x01: the framework has filled the menu
        CPoint m_pt;
    };

protected:
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void ShowBarsMenu(WORD nEvent, UINT nMsg);
    // One idle pass when the loops allow it, then waits for the next message.
    static void IdleAndWait();
    bool IsVisibilityBookkeepingOn() const;
    // The resize and split loops: WaitMessage, cancel on the listed messages, else dispatch.
    void RunTrackingLoop(BYTE bFlag, bool bSplit);
    // The right click that ends one of the bar's loops is the loop's: the press (msg, still
    // queued) is taken before the loop lets the mouse go (true), its release after.
    bool TakeRightPressThatEnded(const MSG& msg);
    void TakeRightRelease();
    CDockBar* DockBarOfRow() const;
    void RecalcFrameNow();
    void SetThicknessOfRow(int nThickness);
    // After a resize's layout: the row keeps the thickness it shows where a limit stopped it.
    void KeepShownRowThickness();
    // The resizable bars of the rows between this bar's row and the frame's edge, on a frame's
    // dock bar: those of its own dock bar on that side and those of the rings outside it.
    void CollectOuterRowBars(CArray<CUiControlBar*, CUiControlBar*>& arr);
    void KeepOuterRowsShown();
    void ApplySplit(int nTracked);
    void GiveOwnPlaceTo(CUiDynControlBar* pContainer, CUiControlBar* pJoining);
};

// Whether nID is one of the frame's four side dock bars.
bool IsSideDockBarId(UINT nID);
// Whether an entry of a dock bar's row array is a bar (not a row break or a placeholder).
inline bool IsBarEntry(void* p)
{
    return p != nullptr && (UINT_PTR)p >= 0x10000;
}
// Replaces the frame's side dock bars by outer dock bars; see the implementation.
bool EnableFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle, BOOL bReplaceFloatingClass);
