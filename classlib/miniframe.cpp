// CMiniFrameWnd, a popup frame with a small caption, and CMiniDockFrameWnd, the floating
// frame of docked bars.
#include "afxext.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          (HMENU)(UINT_PTR)nID, NULL);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The small caption of a tool window; the mini-frame bits ask for a sizing border.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME))
        cs.style |= WS_THICKFRAME;
    cs.style &= ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    return TRUE;
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle() & ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME |
                                                      MFS_MOVEFRAME | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS),
                         FALSE, GetExStyle());
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // With MFS_SYNCACTIVE the caption looks active while its owner frame is active.
    if (GetStyle() & MFS_SYNCACTIVE) {
        HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        HWND hWndActive = ::GetActiveWindow();
        bActive = hWndActive == m_hWnd || (hWndOwner != NULL && hWndActive == hWndOwner);
    }
    return (BOOL)DefWindowProc(WM_NCACTIVATE, (WPARAM)bActive, 0);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return 0;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
    m_wndDockBar.DestroyWindow();
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    // A failure here has deleted the frame already (PostNcDestroy).
    if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, CRect(0, 0, 0, 0), pParent))
        return FALSE;
    // The dock bar belongs to the bar list of the frame it floats for, as its bars do.
    if (pParent != nullptr && pParent->IsFrameWnd())
        m_wndDockBar.m_pDockSite = (CFrameWnd*)pParent;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    // Made while a modal dialog holds its owner, it takes no input until the owner does.
    if (pParent != nullptr && !pParent->IsWindowEnabled())
        EnableWindow(FALSE);
    RecalcLayout();
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++) {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i);
        if (pBar != nullptr)
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    // The frame is seen while it holds a visible bar.
    if (m_wndDockBar.m_hWnd == NULL)
        return;
    BOOL bShow = m_wndDockBar.GetDockedVisibleCount() > 0;
    if (bShow != IsWindowVisible())
        ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
}

void CMiniDockFrameWnd::OnClose()
{
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr &&
        !(pBar->m_dwStyle & CBRS_FLOAT_MULTI)) {
        ActivateTopParent();
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        ActivateTopParent();
        pBar->m_pDockContext->StartResize((int)nHitTest, point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
    // Small enough for any bar, and never a maximised tool window.
    CRect rect(0, 0, 0, 0);
    CalcWindowRect(&rect);
    lpMMI->ptMinTrackSize.x = rect.Width();
    lpMMI->ptMinTrackSize.y = rect.Height();
    lpMMI->ptMaxSize.x = ::GetSystemMetrics(SM_CXSCREEN);
    lpMMI->ptMaxSize.y = ::GetSystemMetrics(SM_CYSCREEN);
}
