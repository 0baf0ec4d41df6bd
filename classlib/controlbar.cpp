// CControlBar: layout through WM_SIZEPARENT, delayed showing, idle update, fly-by prompts.
#include "afxext.h"
#include "afxdc.h"
#include "afxwinstate.h"
#include <algorithm>
#include <cstdlib>

namespace {
// The fly-by timers: the prompt shows after the cursor rested on a command, and goes when
// the cursor has left.
const UINT_PTR kTimerWait = 0xE000;
const UINT_PTR kTimerCheck = 0xE001;
const UINT kWaitMs = 300;
const UINT kCheckMs = 200;
}

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(2), m_cyBottomBorder(2), m_nMRUWidth(32767),
      m_bAutoDelete(FALSE), m_nStateFlags(0), m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(nullptr),
      m_pDockBar(nullptr), m_pDockContext(nullptr)
{
}

CControlBar::~CControlBar()
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->pLastStatus == this)
        pState->pLastStatus = nullptr;
    DestroyWindow();
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
    // A bar made on a frame docks there; a floating frame's dock bar comes with the frame it
    // floats for as its dock site already.
    CWnd* pParent = GetParent();
    if (m_pDockSite == nullptr && pParent != nullptr && pParent->IsFrameWnd())
        m_pDockSite = (CFrameWnd*)pParent;
    if (m_pDockSite != nullptr)
        m_pDockSite->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    if (pState->pLastStatus == this)
        pState->pLastStatus = nullptr;
    if (m_pDockBar != nullptr) {
        // Taken out quietly: a floating frame left empty hides at its next layout.
        int nPos = m_pDockBar->FindBar(this);
        if (nPos > 0)
            m_pDockBar->RemoveEntry(nPos);
        CFrameWnd* pFrame = m_pDockBar->m_bFloating ? m_pDockBar->GetParentFrame() : m_pDockBar->GetDockingFrame();
        if (pFrame != nullptr)
            pFrame->DelayRecalcLayout();
        m_pDockBar = nullptr;
    }
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

// ---- Sizes.

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(m_cxLeftBorder + m_cxRightBorder, m_cyTopBorder + m_cyBottomBorder);
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle != dwStyle) {
        m_dwStyle = dwStyle;
        if (m_hWnd != NULL)
            Invalidate();
    }
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    // Docked, the bar's parent is a dock bar: its prompts and commands still go to the frame.
    if (m_hWndOwner == NULL && m_hWnd != NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

// ---- Visibility.

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayShow)
        return TRUE;
    return (GetStyle() & WS_VISIBLE) && !(m_nStateFlags & delayHide);
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return ((const CDockBar*)this)->m_bFloating;
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return m_pDockSite;
    if (IsFloating() && pFrame->GetParentFrame() != nullptr)
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return;
    if (lpLayout != NULL && lpLayout->hDWP == NULL)
        return;   // a query: the bar stays as it is
    UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                  ((m_nStateFlags & delayShow) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    m_nStateFlags &= ~(delayHide | delayShow);
    if (lpLayout != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0, nFlags);
    else
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, nFlags);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    // The visibility the bar has once its pending show or hide is applied.
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (m_nStateFlags & delayShow)
        bVisible = TRUE;
    else if (m_nStateFlags & delayHide)
        bVisible = FALSE;
    RecalcDelayShow(lpLayout);

    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (!bVisible || dwAlign == 0)
        return 0;
    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
        DWORD dwMode = (lpLayout->bStretch ? LM_STRETCH : 0) | (bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
        size = CalcDynamicLayout(-1, dwMode);
    } else {
        size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    }
    size.cx = std::min<LONG>(size.cx, sizeAvail.cx);
    size.cy = std::min<LONG>(size.cy, sizeAvail.cy);
    // The bar takes its thickness from its edge of the remaining rectangle.
    LONG nThick = bHorz ? size.cy : size.cx;
    LONG& nTotalAcross = bHorz ? lpLayout->sizeTotal.cy : lpLayout->sizeTotal.cx;
    LONG& nTotalAlong = bHorz ? lpLayout->sizeTotal.cx : lpLayout->sizeTotal.cy;
    nTotalAcross += nThick;
    nTotalAlong = std::max<LONG>(nTotalAlong, bHorz ? size.cx : size.cy);
    if (m_dwStyle & (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT)) {
        (bHorz ? lpLayout->rect.top : lpLayout->rect.left) += nThick;
    } else {
        LONG& nFar = bHorz ? lpLayout->rect.bottom : lpLayout->rect.right;
        (bHorz ? rect.top : rect.left) = nFar - nThick;
        nFar -= nThick;
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

// ---- Painting and updating.

void CControlBar::DoPaint(CDC*)
{
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = (pOwner != nullptr && pOwner->IsFrameWnd()) ? (CFrameWnd*)pOwner : GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    INT_PTR nID = ToolHitAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), NULL);
    return nID != -1 ? (LRESULT)(HID_BASE_COMMAND + nID) : 0;
}

// Notifications and owner-drawing of the bar's child controls belong to the bar's owner.
LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    bool bToOwner = nMsg == WM_COMMAND || nMsg == WM_NOTIFY || nMsg == WM_DRAWITEM || nMsg == WM_MEASUREITEM ||
                    nMsg == WM_DELETEITEM || nMsg == WM_COMPAREITEM || nMsg == WM_VKEYTOITEM ||
                    nMsg == WM_CHARTOITEM || (nMsg >= WM_CTLCOLORMSGBOX && nMsg <= WM_CTLCOLORSTATIC);
    if (!bToOwner)
        return CWnd::WindowProc(nMsg, wParam, lParam);
    LRESULT lResult = 0;
    if (OnWndMsg(nMsg, wParam, lParam, &lResult))
        return lResult;
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && pOwner->m_hWnd != NULL && pOwner->m_hWnd != m_hWnd)
        return pOwner->SendMessage(nMsg, wParam, lParam);
    return DefWindowProc(nMsg, wParam, lParam);
}

// ---- Fly-by prompts.

INT_PTR PASCAL CControlBar::GetLastStatusHit()
{
    return AfxGetWinThreadState()->nLastStatus;
}

void PASCAL CControlBar::SetLastStatusHit(INT_PTR nHit)
{
    AfxGetWinThreadState()->nLastStatus = nHit;
}

CWnd* CControlBar::GetStatusOwner() const
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->IsFrameWnd())
        return pOwner;
    CFrameWnd* pFrame = pOwner->GetTopLevelFrame();
    return pFrame != nullptr ? (CWnd*)pFrame : pOwner;
}

BOOL CControlBar::SetStatusText(INT_PTR nHit)
{
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    CWnd* pOwner = GetStatusOwner();
    if (nHit == -1) {
        KillTimer(kTimerWait);
        if (pState->pLastStatus == this)
            pState->pLastStatus = nullptr;
        m_nStateFlags &= ~statusSet;
        if (pOwner != nullptr)
            pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        return TRUE;
    }
    pState->pLastStatus = this;
    if (pOwner != nullptr)
        pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    m_nStateFlags |= statusSet;
    SetTimer(kTimerCheck, kCheckMs);
    return TRUE;
}

// The command under the cursor, when the cursor is over this bar.
INT_PTR CControlBar::HitAtCursor() const
{
    CPoint point;
    if (!::GetCursorPos(&point))
        return -1;
    HWND hWndAt = ::WindowFromPoint(point);
    if (hWndAt != m_hWnd && !::IsChild(m_hWnd, hWndAt))
        return -1;
    ScreenToClient(&point);
    return ToolHitAt(point, NULL);
}

INT_PTR CControlBar::ToolHitAt(CPoint point, UINT* pFlags) const
{
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);
    if (pFlags != NULL)
        *pFlags = ti.uFlags;
    return nHit;
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerWait && nIDEvent != kTimerCheck) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (::GetKeyState(VK_LBUTTON) < 0)
        return;   // a button held keeps the prompt as it is
    INT_PTR nHit = HitAtCursor();
    if (nIDEvent == kTimerWait) {
        KillTimer(kTimerWait);
        if (nHit >= 0 && nHit == GetLastStatusHit())
            SetStatusText(nHit);
        return;
    }
    if (nHit < 0) {
        KillTimer(kTimerCheck);
        SetLastStatusHit(-1);
        if (m_nStateFlags & statusSet)
            SetStatusText(-1);
    }
}

void CControlBar::FilterFlyBy(const MSG* pMsg)
{
    UINT message = pMsg->message;
    if (!AfxIsMouseMessage(message))
        return;
    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    UINT nToolFlags = 0;
    INT_PTR nHit = ToolHitAt(point, &nToolFlags);

    BOOL bButtonDown = ::GetKeyState(VK_LBUTTON) < 0;
    if (bButtonDown)
        nHit = GetLastStatusHit();
    if (nHit < 0 || (message == WM_LBUTTONDOWN && (nToolFlags & TTF_NOTBUTTON))) {
        if (!bButtonDown) {
            KillTimer(kTimerWait);
            if (m_nStateFlags & statusSet)
                SetStatusText(-1);
            KillTimer(kTimerCheck);
        }
    } else if (message == WM_LBUTTONUP) {
        SetStatusText(-1);
        SetTimer(kTimerCheck, kCheckMs);
    } else if ((m_nStateFlags & statusSet) || bButtonDown) {
        SetStatusText(nHit);
    } else if (nHit != GetLastStatusHit()) {
        SetTimer(kTimerWait, kWaitMs);
    }
    SetLastStatusHit(nHit);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (m_dwStyle & CBRS_FLYBY)
        FilterFlyBy(pMsg);
    return FALSE;
}
