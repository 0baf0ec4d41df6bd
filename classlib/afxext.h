// Control bars: the strips a frame lays out around its view (status bar, and the bars of the
// UI framework that derive from CControlBar).
//
// A frame lays out its client area by sending WM_SIZEPARENT to its bars in z-order; each bar
// takes its part from an edge of the remaining rectangle (its alignment), and the view gets
// what is left. A bar can be shown or hidden at once or at the next idle pass (the delayed
// flags), which lets several changes share one layout. At idle, a visible bar updates its
// items from its frame (OnUpdateCmdUI). Bars with CBRS_FLYBY put the prompt of the command
// under the cursor into the status bar after the cursor rested on it a moment.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"

class CDockBar;
class CDockContext;
class CControlBarInfo;
class CDockState;

// ---- Bar styles (CControlBar::m_dwStyle).
#define CBRS_NOALIGN 0x00000000L
#define CBRS_FLOATING 0x00000001L
#define CBRS_SIZE_FIXED 0x00000002L
#define CBRS_SIZE_DYNAMIC 0x00000004L
#define CBRS_HIDE_INPLACE 0x00000008L
#define CBRS_TOOLTIPS 0x00000010L
#define CBRS_FLYBY 0x00000020L
#define CBRS_FLOAT_MULTI 0x00000040L
#define CBRS_BORDER_LEFT 0x00000100L
#define CBRS_BORDER_TOP 0x00000200L
#define CBRS_BORDER_RIGHT 0x00000400L
#define CBRS_BORDER_BOTTOM 0x00000800L
#define CBRS_BORDER_ANY 0x00000F00L
#define CBRS_BORDER_3D 0x00000080L
#define CBRS_ALIGN_LEFT 0x00001000L
#define CBRS_ALIGN_TOP 0x00002000L
#define CBRS_ALIGN_RIGHT 0x00004000L
#define CBRS_ALIGN_BOTTOM 0x00008000L
#define CBRS_ALIGN_ANY 0x0000F000L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// ---- Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

#define HID_BASE_COMMAND 0x00010000UL
// A tool flag of ours: a click on the tool is no button press (the fly-by prompt stays).
#define TTF_NOTBUTTON 0x80000000L

// ---- Mini frame styles.
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

// ---- Status bar pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    virtual ~CControlBar();

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_nMRUWidth;          // width when floating, kept across docking
    BOOL m_bAutoDelete;       // deleted with its window
    UINT m_nStateFlags;
    DWORD m_dwStyle;          // CBRS_ bits
    DWORD m_dwDockStyle;      // sides it may dock on (CBRS_ALIGN_ bits)
    CFrameWnd* m_pDockSite;   // the frame whose bar list holds it
    CDockBar* m_pDockBar;     // the dock bar holding it, if docked or floating
    CDockContext* m_pDockContext;

    // The size the bar wants: borders, and 32767 along a stretched direction.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    virtual BOOL IsDockBar() const;
    // Applies a pending delayed show or hide and clears its flags: deferred into the layout
    // when given one, at once without. In a layout query (a layout without a deferred-position
    // handle) nothing changes.
    virtual void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    // Allows docking on the given sides and makes the bar's dock context.
    void EnableDocking(DWORD dwDockStyle);
    // The bar's part of a dock state, and putting it back (pFrameWnd: its dock site).
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
    BOOL IsVisible() const;
    BOOL IsFloating() const;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // The frame the bar docks in; a floating bar's small frame is passed over.
    CFrameWnd* GetDockingFrame() const;
    void DelayShow(BOOL bShow);
    // The rectangle inside the borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // Puts the prompt of command nHit into the owner frame's message bar; -1 restores the
    // idle prompt.
    BOOL SetStatusText(INT_PTR nHit);
    // The fly-by hit last seen on this thread (-1: none).
    static INT_PTR PASCAL GetLastStatusHit();
    static void PASCAL SetLastStatusHit(INT_PTR nHit);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    // The frame whose message bar shows this bar's prompts.
    CWnd* GetStatusOwner() const;
    void FilterFlyBy(const MSG* pMsg);
    INT_PTR HitAtCursor() const;
    // OnToolHitTest at a client point, its text freed; pFlags receives the tool's flags.
    INT_PTR ToolHitAt(CPoint point, UINT* pFlags) const;
};

// The command-update record of one status-bar pane.
class CStatusBar;
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override;
    void SetCheck(int nCheck) override;
    void SetText(LPCTSTR lpszText) override;
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // Id 0 is a separator; a leading separator stretches. Other panes show the string of
    // their id, at its width.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return m_nCount; }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CStatusBarCtrl& GetStatusBarCtrl() const { return *(CStatusBarCtrl*)this; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    struct Pane {
        UINT nID;
        UINT nStyle;   // SBPS_ bits
        int cxText;
        CString strText;
    };
    Pane* m_pPanes;
    int m_nCount;
    HFONT m_hFont;

    void AllocPanes(int nCount);
    // Sets the control's parts from the pane widths and shows every pane's text.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void UpdatePane(int nIndex);
    int TextWidth(LPCTSTR lpsz) const;
    friend class CStatusCmdUI;
};

// ---- Docking.

// The strip along one side of a frame (or inside a floating frame) that holds docked bars in
// rows. m_arrBars: entry 0 is always null, a null ends a row, an entry below 0x10000 is a
// placeholder holding the control id of a bar that left (it comes back to that place), any
// other entry is a bar. The array always ends with a null.
class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    virtual ~CDockBar();

    CPtrArray m_arrBars;
    BOOL m_bFloating;
    CRect m_rectLayout;     // the rectangle left to the dock bar while a layout runs
    BOOL m_bLayoutQuery;    // the running layout is a query: nothing moves

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    virtual BOOL IsDockBar() const;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    // The index of the bar, or of a placeholder when given a control id as the pointer;
    // -1 when absent. nPosExclude is passed over.
    int FindBar(CControlBar* pBar, int nPosExclude = -1);
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    CControlBar* GetDockedControlBar(int nPos) const;
    // Puts the bar into the row whose band holds ptMid (client coordinates), after the bars
    // that start before rect; a new last row when no row holds it. Answers the index.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    // Docks the bar here, at a screen rectangle when given.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes the bar out: nAddPlaceHolder 1 leaves its id in its place, 0 removes its
    // placeholders here too, -1 leaves them as they are.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    void ShowAll(BOOL bShow);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

protected:
    // Removes entry nPos; a row break left doubled collapses.
    void RemoveEntry(int nPos);
    friend class CControlBar;
};

// What a bar remembers of its docking: where it floated and docked last.
class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    CPoint m_ptMRUFloatPos;     // screen position of its floating frame
    CRect m_rectMRUDockPos;     // screen rectangle when last docked
    DWORD m_dwMRUFloatStyle;    // alignment of its floating dock bar
    UINT m_uMRUDockID;          // the dock bar it was docked on last

    // Moves a bar with the mouse, or sizes a floating one, until the button is released.
    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    // Docked: floats at its last floating place; floating: docks where it was docked last.
    virtual void ToggleDocking();

protected:
    // Runs a captured mouse loop; false when cancelled. ptEnd: screen point of the release.
    BOOL TrackMouse(CPoint ptStart, CPoint& ptEnd, void (*pfnMove)(CDockContext*, CPoint, CPoint));
};

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = NULL, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);
    using CFrameWnd::Create;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    afx_msg BOOL OnNcActivate(BOOL bActive);
    // The owner frame's state: the mini frame takes input only while its owner does.
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The floating frame of docked bars: a hidden popup owned by the docking frame with a
// floating dock bar as its only child; it sizes itself around that dock bar's bars.
class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    virtual ~CMiniDockFrameWnd();

    CDockBar m_wndDockBar;

    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    using CMiniFrameWnd::Create;
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

    DECLARE_MESSAGE_MAP()

protected:
    CControlBar* GetFirstBar() const;
};

// One bar's record in a dock state.
class CControlBarInfo {
public:
    CControlBarInfo();

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    BOOL m_bHorz;
    BOOL m_bDockBar;
    CPoint m_pointPos;          // floating: its frame's screen position; docked: in its dock bar
    int m_nMRUWidth;
    BOOL m_bDocking;            // it has a dock context: the MRU values below mean something
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
    // A dock bar's rows: 0 ends a row, a bar's id stands for the bar, a placeholder's id has
    // kPlaceHolderFlag added.
    CDWordArray m_arrBarID;
    CControlBar* m_pBar;        // the live bar; not saved

    enum : DWORD { kPlaceHolderFlag = 0x10000 };

    void Serialize(CArchive& ar);
    BOOL operator==(const CControlBarInfo& other) const;
};

// The frame's bar layout: one record per bar and dock bar, in the frame's bar-list order.
class CDockState : public CObject {
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    virtual ~CDockState();

    CPtrArray m_arrBarInfo;   // of CControlBarInfo*

    void Clear();
    // A stored form of our own: a tag, a version and the records. A form that is not ours
    // reads as an empty state.
    virtual void Serialize(CArchive& ar);
    CControlBarInfo* GetBarInfo(int nIndex) const { return (CControlBarInfo*)m_arrBarInfo[nIndex]; }

private:
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;
};
