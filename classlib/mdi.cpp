// Documents, the active document of a frame, and the MDI frame and child windows.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CPreviewView, CView)

CDocument::CDocument()
{
}

CDocument::~CDocument()
{
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

// ---------------------------------------------------------------------------------------
// CMDIFrameWnd

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

namespace {
const UINT kFirstMDIChildID = 0xFF00;
}

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL)
{
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu != nullptr ? pWindowMenu->m_hMenu : NULL;
    ccs.idFirstChild = kFirstMDIChildID;
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                                           WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                       0, 0, 0, 0, m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST,
                                       AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != NULL;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL
                    ? (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    if (pbMaximized != NULL)
        *pbMaximized = bMaximized;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? (CMDIChildWnd*)pWnd : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != NULL && pWndActivate != nullptr)
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->m_hWnd, 0);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != nullptr ? (CFrameWnd*)pActive : (CFrameWnd*)this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (and its view) comes first.
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != nullptr && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWndMDIClient != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// CMDIChildWnd

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_bPseudoInactive(FALSE)
{
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_MDICHILD;
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            return FALSE;
        pParentWnd = (CMDIFrameWnd*)pMain;
    }
    if (pParentWnd->m_hWndMDIClient == NULL)
        return FALSE;
    m_strTitle = lpszWindowName;
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (::EqualRect(&rect, &rectDefault))
        x = y = cx = cy = CW_USEDEFAULT;
    // A window with WS_EX_MDICHILD made on the MDI client is an MDI child; its creation
    // parameter comes back as the lParam of the MDICREATESTRUCT of WM_CREATE.
    if (!CWnd::CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, x, y, cx, cy,
                        pParentWnd->m_hWndMDIClient, NULL, (LPVOID)pContext))
        return FALSE;
    if (dwStyle & WS_VISIBLE)
        MDIActivate();
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    MDICREATESTRUCT* pMDI = (MDICREATESTRUCT*)lpcs->lpCreateParams;
    CCreateContext* pContext = pMDI != nullptr ? (CCreateContext*)pMDI->lParam : nullptr;
    return OnCreateHelper(lpcs, pContext) ? 0 : -1;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(hWndClient != NULL ? ::GetParent(hWndClient) : NULL);
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? (CMDIFrameWnd*)pFrame : nullptr;
}

void CMDIChildWnd::MDIActivate()
{
    HWND hWndClient = ::GetParent(m_hWnd);
    if (hWndClient != NULL)
        ::SendMessage(hWndClient, WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIDestroy()
{
    HWND hWndClient = ::GetParent(m_hWnd);
    if (hWndClient != NULL)
        ::SendMessage(hWndClient, WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, nMsg, wParam, lParam);
}
