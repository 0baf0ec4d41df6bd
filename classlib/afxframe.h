// Frames and views.
//
// A CFrameWnd is a top-level window created from one resource id (title string, menu,
// accelerators, icon). Its client area is laid out by RecalcLayout: control bars (children
// answering WM_SIZEPARENT) take their edges, the pane AFX_IDW_PANE_FIRST - the view - the
// rest. Commands reach the active view first, then the frame, then the application. At
// idle the frame and its descendants receive WM_IDLEUPDATECMDUI, through which bars update
// their buttons and panes.
#pragma once
#include "afxwnd.h"

class CView;
class CFrameWnd;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;
class CDocument;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass;
    CObject* m_pCurrentDoc;
    CObject* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;

    CCreateContext()
        : m_pNewViewClass(nullptr), m_pCurrentDoc(nullptr), m_pNewDocTemplate(nullptr),
          m_pLastView(nullptr), m_pCurrentFrame(nullptr)
    {
    }
};

// A document: what a view shows. The library keeps only its title.
class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);

protected:
    CString m_strTitle;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    virtual ~CFrameWnd();

    static const CRect rectDefault;

    // What the idle pass still has to do (OR of the idle flags).
    enum { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags;
    BOOL m_bAutoMenuEnable;   // menu items without handlers are greyed
    HMENU m_hMenuDefault;
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;
    CString m_strTitle;
    CRect m_rectBorder;       // space reserved around the view (reposExtra)
    CPtrList m_listControlBars;
    int m_nShowDelay;
    UINT m_nIDTracking;
    UINT m_nIDLastMessage;
    BOOL m_bInRecalcLayout;
    BOOL m_bHelpMode;         // context help (Shift+F1) is running
    int m_nWindow;            // number of the frame's window on its document (0: none)
    CRuntimeClass* m_pFloatingFrameClass;   // what floats a bar (EnableDocking)

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0,
                        CCreateContext* pContext = NULL);
    // Creates the frame from resource nIDResource: the title is the string of that id (up
    // to its first '\n'), the menu, accelerator table and icon of that id are used when present.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    virtual CView* GetActiveView() const;
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame();
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CObject* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    virtual HACCEL GetDefaultAccelerator();
    // The status-bar prompt of a command: the string of nID up to its first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual BOOL IsFrameWnd() const;

    // ---- Control bars (kept in m_listControlBars, in the order they were made).
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The first bar of the list with the id.
    CControlBar* GetControlBar(UINT nID);
    // Shows or hides a bar, at once (with a layout) or at the next idle pass.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // ---- Docking: dock bars on the frame's sides, floating frames, the saved layout.
    // One dock bar per requested side, in the order top, bottom, left, right.
    void EnableDocking(DWORD dwDockStyle);
    // nDockBarID 0: the first side, of top, bottom, left and right, that the bar allows.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000 /* CBRS_ALIGN_TOP */);
    // NULL when the floating frame cannot be made.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    // Sends WM_FLOATSTATUS with the flags to every window this frame owns; the floating
    // frames among them follow it (FS_ENABLE, FS_DISABLE).
    void NotifyFloatingWindows(DWORD dwFlags);
    virtual CDocument* GetActiveDocument();

    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Caps, Num, Scroll and Kana indicators: enabled while the key is toggled on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    BOOL IsTracking() const { return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE && m_nIDTracking != AFX_IDS_IDLEMESSAGE; }

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    BOOL OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDropFiles(HDROP hDropInfo);

    DECLARE_MESSAGE_MAP()

protected:
    CView* m_pViewActive;
    friend class CView;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    virtual ~CView();

    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = NULL);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    // The document of the view's creation context.
    CDocument* GetDocument() const { return m_pDocument; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    CDocument* m_pDocument;
};

// The view of a print preview; known by its class only (this program prints nothing).
class CPreviewView : public CView {
    DECLARE_DYNAMIC(CPreviewView)
public:
    CPreviewView() {}
};

// A view that is a control of the system (list view, tree view, edit...): the control
// paints itself.
class CCtrlView : public CView {
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView();
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    CString m_strClass;
    DWORD m_dwDefaultStyle;

    virtual void OnDraw(CDC* pDC);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};

// ---- MDI: a frame whose client area is the system's MDI client, holding child frames.

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    virtual CFrameWnd* GetActiveFrame();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // A hidden child kept active without showing as active; nothing here sets it.
    BOOL m_bPseudoInactive;

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
