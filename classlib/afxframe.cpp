// CFrameWnd, CView and CCtrlView.
#include "afxframe.h"
#include "afxdc.h"
#include "afxmenu.h"
#include "afxapp.h"
#include "afxwinstate.h"
#include "afxres.h"
#include <algorithm>

static LPCTSTR AfxGetFrameOrViewClass()
{
    static LPCTSTR s_lpszClass = nullptr;
    if (s_lpszClass == nullptr)
        s_lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                          (HBRUSH)(COLOR_WINDOW + 1), ::LoadIcon(NULL, IDI_APPLICATION));
    return s_lpszClass;
}

void AFXAPI AfxAddFrameWnd(CFrameWnd* pFrame)
{
    AfxGetWinThreadState()->frames.push_back(pFrame);
}

CObject* AFXAPI AfxCreateObjectOfKind(CRuntimeClass* pClass, CRuntimeClass* pKind)
{
    CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
    if (pObject != nullptr && !pObject->IsKindOf(pKind)) {
        delete pObject;
        pObject = nullptr;
    }
    return pObject;
}

void AFXAPI AfxRemoveFrameWnd(CFrameWnd* pFrame)
{
    std::vector<CFrameWnd*>& frames = AfxGetWinThreadState()->frames;
    frames.erase(std::remove(frames.begin(), frames.end(), pFrame), frames.end());
}

// ---------------------------------------------------------------------------------------
// CFrameWnd

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_nIdleFlags(0), m_bAutoMenuEnable(TRUE), m_hMenuDefault(NULL), m_hAccelTable(NULL),
      m_nIDHelp(0), m_nShowDelay(-1), m_nIDTracking(0), m_nIDLastMessage(0),
      m_bInRecalcLayout(FALSE), m_bHelpMode(FALSE), m_nWindow(0), m_pFloatingFrameClass(nullptr),
      m_pViewActive(nullptr)
{
    AfxAddFrameWnd(this);
}

CFrameWnd::~CFrameWnd()
{
    AfxRemoveFrameWnd(this);
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetFrameOrViewClass();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL) {
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == NULL) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (::EqualRect(&rect, &rectDefault)) {
        x = y = cx = cy = CW_USEDEFAULT;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext)) {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON) == NULL)
        return NULL;
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    if (hIcon == NULL)
        return NULL;
    CREATESTRUCT cs = {};
    cs.style = dwDefaultStyle;
    PreCreateWindow(cs);
    if (cs.lpszClass == NULL)
        return NULL;
    WNDCLASS wndcls;
    if (!::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) || wndcls.hIcon == hIcon)
        return NULL;
    return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource)) {
        int nNewLine = strFullString.Find('\n');
        m_strTitle = nNewLine >= 0 ? strFullString.Left(nNewLine) : strFullString;
    }
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCTSTR lpszMenu = ::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_MENU) != NULL
                           ? MAKEINTRESOURCE(nIDResource)
                           : NULL;
    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE;   // the object has been cleaned up by PostNcDestroy
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResource(hInst, lpszResourceName, RT_ACCELERATOR) == NULL)
        return FALSE;
    m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, (CCreateContext*)lpcs->lpCreateParams) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return FALSE;
    if (!OnCreateClient(lpcs, pContext))
        return FALSE;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return TRUE;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == nullptr)
            return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CWnd* pView = (CWnd*)AfxCreateObjectOfKind(pContext->m_pNewViewClass, RUNTIME_CLASS(CWnd));
    if (pView == nullptr)
        return nullptr;
    // A view that fails to be created has deleted itself in PostNcDestroy.
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (bNotify && pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS) {
        // The frame takes the size its bars want.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        if (GetParent() == nullptr && nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE &&
            nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
            CWnd* pLastPopup = GetLastActivePopup();
            if (pLastPopup != nullptr && pLastPopup->IsWindowVisible())
                pLastPopup->BringWindowToTop();
        }
    }
}

void CFrameWnd::InitialUpdateFrame(CObject*, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (GetActiveView() == nullptr) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        ActivateFrame();
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!bAddToTitle || !(GetStyle() & FWS_ADDTOTITLE))
        return;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != m_strTitle)
        SetWindowText(m_strTitle);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // A frame whose menu was taken away (a menu bar shows it instead) stays without one.
    HMENU hMenuCurrent = ::GetMenu(m_hWnd);
    if (hMenuCurrent == NULL)
        return;
    HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault;
    if (hMenu != NULL && hMenuCurrent != hMenu)
        ::SetMenu(m_hWnd, hMenu);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU)
{
    m_nIdleFlags |= idleMenu;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString strFull;
    if (strFull.LoadString(nID)) {
        int nNewLine = strFull.Find('\n');
        rMessage = nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
    }
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr)
        ((CWnd*)m_pViewActive)->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// A modal dialog or message box disables its owner frame: the frame's floating frames, which
// would otherwise take clicks and keys for it, follow, and take input again with it.
void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area; erasing under it would only flicker.
    if (m_pViewActive != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == (UINT)-1) {
            // A popup item takes the state of its popup's first command; never greyed.
            state.m_pSubMenu = pMenu->GetSubMenu((int)state.m_nIndex);
            if (state.m_pSubMenu == nullptr || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // An update handler may have added or removed items.
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == NULL) {
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = 0xEF00 + ((nItemID - 0xF000) >> 4);   // system commands' prompts
    else
        m_nIDTracking = nItemID;
    m_nFlags |= WF_NOPOPMSG;
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr) {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0)
            lpsz = (LPCTSTR)lParam;
        else if (wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(NULL);
    }
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout) {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    if (m_nIDTracking != m_nIDLastMessage && m_nIDTracking != 0)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

// ---------------------------------------------------------------------------------------
// CView

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr)
{
}

CView::~CView()
{
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxGetFrameOrViewClass();
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (nAdjustType != 0) {
        ::AdjustWindowRectEx(lpClientRect, 0, FALSE, GetExStyle());
        return;
    }
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnDraw(CDC*)
{
}

void CView::OnPrepareDC(CDC*, void*)
{
}

void CView::OnInitialUpdate()
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    if (bActivate && IsTopParentActive())
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr &&
        pContext->m_pCurrentDoc->IsKindOf(RUNTIME_CLASS(CDocument)))
        m_pDocument = (CDocument*)pContext->m_pCurrentDoc;
    // The first pane of a frame without an active view becomes its active view, so that
    // commands are routed through it from the start.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->m_pViewActive == nullptr && GetDlgCtrlID() == AFX_IDW_PANE_FIRST &&
        ::GetParent(m_hWnd) == pFrame->m_hWnd)
        pFrame->SetActiveView(this, FALSE);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr) {
        CView* pView = pParentFrame->GetActiveView();
        HWND hWndFocus = ::GetFocus();
        if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

// ---------------------------------------------------------------------------------------
// CCtrlView

IMPLEMENT_DYNCREATE(CCtrlView, CView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView() : m_dwDefaultStyle(0)
{
}

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle)
{
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*)
{
}

void CCtrlView::OnPaint()
{
    Default();
}
