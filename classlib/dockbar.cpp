// CDockBar: the rows of docked bars along one side of a frame or in a floating frame.
//
// The row layout runs along the dock bar (x for top and bottom, y for left and right): each
// bar starts at the running point, or further on at the place it already has, and is kept
// inside the layout rectangle; a bar that would start at or beyond its end wraps into a row
// of its own. A floating dock bar keeps its bars packed at the running point. Rows are as
// thick as their thickest bar; the dock bar is as thick as its rows together.
#include "afxext.h"
#include "afxdc.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
const UINT_PTR kMaxPlaceHolder = 0x10000;

bool IsPlaceHolder(void* p)
{
    return p != nullptr && (UINT_PTR)p < kMaxPlaceHolder;
}
}

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE)
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
    m_rectLayout.SetRectEmpty();
}

CDockBar::~CDockBar()
{
    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
    DestroyWindow();
}

BOOL CDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    return CControlBar::PreCreateWindow(cs);
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(NULL, NULL, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const
{
    return TRUE;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

void CDockBar::DoPaint(CDC*)
{
}

BOOL CDockBar::OnEraseBkgnd(CDC* pDC)
{
    return CControlBar::OnEraseBkgnd(pDC);
}

void CDockBar::OnDestroy()
{
    // The bars outlive their dock bar's window only as children going with it; none may
    // reach back to it afterwards.
    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
    CControlBar::OnDestroy();
}

// ---- The row array.

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return nullptr;
    void* p = m_arrBars[nPos];
    return (p == nullptr || IsPlaceHolder(p)) ? nullptr : (CControlBar*)p;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        if (GetDockedControlBar(i) != nullptr)
            ++nCount;
    }
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->IsVisible())
            ++nCount;
    }
    return nCount;
}

void CDockBar::RemoveEntry(int nPos)
{
    if (nPos <= 0 || nPos >= m_arrBars.GetSize())
        return;
    m_arrBars.RemoveAt(nPos);
    if (m_arrBars[nPos - 1] == nullptr && nPos < m_arrBars.GetSize() && m_arrBars[nPos] == nullptr)
        m_arrBars.RemoveAt(nPos);
    if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    CControlBar* pID = (CControlBar*)(UINT_PTR)(pBar->GetDlgCtrlID() & 0xFFFF);
    int nPos;
    while ((nPos = FindBar(pID)) > 0)
        RemoveEntry(nPos);
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nAcross = bHorz ? ptMid.y : ptMid.x;
    int nStart = bHorz ? rect.left : rect.top;
    int nRowTop = 0;
    int nRowThick = 0;
    int nInsAfter = 0;
    for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++) {
        if (m_arrBars[nPos] == nullptr) {
            if (nAcross < nRowTop + nRowThick) {
                m_arrBars.InsertAt(nInsAfter + 1, pBarIns);
                return nInsAfter + 1;
            }
            nRowTop += nRowThick;
            nRowThick = 0;
            nInsAfter = nPos;
            continue;
        }
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        nRowThick = std::max<int>(nRowThick, bHorz ? rectBar.Height() : rectBar.Width());
        if (nStart > (bHorz ? rectBar.left : rectBar.top))
            nInsAfter = nPos;
    }
    // A new last row.
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
    int nPos = (int)m_arrBars.Add(pBarIns);
    m_arrBars.Add(nullptr);
    return nPos;
}

// ---- Docking and undocking.

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == NULL || m_hWnd == NULL)
        return;
    if (pBar->m_pDockBar == this && lpRect == NULL)
        return;

    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= m_dwStyle & CBRS_ALIGN_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
    if (m_bFloating) {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        CWnd* pFrame = GetParent();
        if (pFrame != nullptr)
            pFrame->SetWindowText(strTitle);
    }

    // Hidden while it changes parent, so nothing paints it half-way.
    BOOL bShow = (pBar->GetStyle() & WS_VISIBLE) != 0;
    if (bShow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);

    CRect rect;
    if (lpRect != NULL) {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    // The bar goes back into its placeholder when it left one here.
    int nPos = FindBar((CControlBar*)(UINT_PTR)(pBar->GetDlgCtrlID() & 0xFFFF));
    if (nPos > 0)
        m_arrBars[nPos] = pBar;
    else if (lpRect != NULL)
        nPos = Insert(pBar, rect, rect.CenterPoint());
    else {
        if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
            m_arrBars.Add(nullptr);
        nPos = (int)m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    pBar->SetParent(this);
    if (pOldDockBar == this)
        RemoveEntry(FindBar(pBar, nPos));
    else if (pOldDockBar != nullptr)
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0);
    pBar->m_pDockBar = this;
    if (pBar->m_pDockSite == nullptr) {
        pBar->m_pDockSite = GetDockingFrame();
        if (pBar->m_pDockSite != nullptr)
            pBar->m_pDockSite->AddControlBar(pBar);
    }

    if (lpRect != NULL)
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    else
        pBar->SetWindowPos(NULL, -2, -2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (bShow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    if (!m_bFloating && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->m_uMRUDockID = GetDlgCtrlID();
        if (lpRect != NULL)
            pBar->m_pDockContext->m_rectMRUDockPos = *lpRect;
    }
    CFrameWnd* pFrame = m_bFloating ? GetParentFrame() : GetDockingFrame();
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1) {
        CControlBar* pID = (CControlBar*)(UINT_PTR)(pBar->GetDlgCtrlID() & 0xFFFF);
        m_arrBars[nPos] = pID;
        int nOld = FindBar(pID, nPos);
        if (nOld > 0)
            RemoveEntry(nOld);
    } else {
        RemoveEntry(nPos);
        if (nAddPlaceHolder != -1)
            RemovePlaceHolder(pBar);
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;

    if (m_bFloating) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr && GetDockedVisibleCount() == 0) {
            if (GetDockedCount() == 0) {
                // This dock bar belongs to the frame: nothing of it is touched after.
                pFrame->DestroyWindow();
                return TRUE;
            }
            pFrame->ShowWindow(SW_HIDE);
        } else if (pFrame != nullptr) {
            pFrame->DelayRecalcLayout();
        }
        return TRUE;
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout();
    return TRUE;
}

void CDockBar::ShowAll(BOOL bShow)
{
    CFrameWnd* pFrame = GetDockingFrame();
    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || pBar->m_hWnd == NULL)
            continue;
        if (pFrame != nullptr)
            pFrame->ShowControlBar(pBar, bShow, FALSE);
        else
            pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    }
}

// ---- Layout.

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    m_rectLayout = lpLayout->rect;
    m_bLayoutQuery = lpLayout->hDWP == NULL;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_rectLayout.SetRectEmpty();
    m_bLayoutQuery = FALSE;
    return lResult;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    // Coordinates along the rows and across them.
    auto along = [bHorz](const CRect& r) { return bHorz ? r.left : r.top; };
    int nMax = 32767;
    if (!m_rectLayout.IsRectEmpty())
        nMax = bHorz ? m_rectLayout.Width() : m_rectLayout.Height();

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    int nPos = 0;         // running point along the row
    int nAcross = 0;      // start of the row across
    int nThick = 0;       // thickness of the row
    int nAlongMax = 0;
    bool bWrapPending = false;

    for (int i = 0; i < m_arrBars.GetSize(); i++) {
        void* pEntry = m_arrBars[i];
        if (pEntry == nullptr) {
            nAcross += nThick;
            nThick = 0;
            nPos = 0;
            continue;
        }
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || pBar->m_hWnd == NULL)
            continue;
        if (!pBar->IsVisible()) {
            if (!bWrapPending)
                pBar->RecalcDelayShow(&layout);
            continue;
        }
        DWORD dwMode;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
            dwMode = LM_HORZ | LM_MRUWIDTH;
        else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
            dwMode = LM_HORZ | LM_HORZDOCK;
        else
            dwMode = LM_VERTDOCK;
        CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
        int nLength = bHorz ? sizeBar.cx : sizeBar.cy;
        int nBarThick = bHorz ? sizeBar.cy : sizeBar.cx;

        CRect rectOld;
        pBar->GetWindowRect(&rectOld);
        ScreenToClient(&rectOld);
        int nStart = nPos;
        int nEnd = nStart + nLength;
        if (!m_bFloating) {
            if (bWrapPending) {
                bWrapPending = false;
            } else {
                if (along(rectOld) > nStart) {
                    nEnd += along(rectOld) - nStart;
                    nStart = along(rectOld);
                }
                if (nEnd > nMax) {
                    int nBack = std::min(nEnd - nMax, nStart - nPos);
                    nStart -= nBack;
                    nEnd -= nBack;
                }
                if (nStart >= nMax && i > 0 && m_arrBars[i - 1] != nullptr) {
                    // Wraps into a row of its own: after the row break inserted at i the bar
                    // comes next; a query only pretends the break is there.
                    if (!m_bLayoutQuery)
                        m_arrBars.InsertAt(i, (void*)nullptr);
                    else
                        --i;
                    nAcross += nThick;
                    nThick = 0;
                    nPos = 0;
                    bWrapPending = true;
                    continue;
                }
            }
            nEnd = std::max(nStart, std::min(nEnd, nMax));
        }
        CRect rect = bHorz ? CRect(nStart, nAcross, nEnd, nAcross + nBarThick)
                           : CRect(nAcross, nStart, nAcross + nBarThick, nEnd);
        if (rect != rectOld && !m_bLayoutQuery) {
            if (!(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != nullptr) {
                CRect rectScreen = rect;
                ClientToScreen(&rectScreen);
                pBar->m_pDockContext->m_rectMRUDockPos = rectScreen;
            }
            layout.hDWP = ::DeferWindowPos(layout.hDWP, pBar->m_hWnd, NULL, rect.left, rect.top, rect.Width(),
                                           rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        nPos = nStart + nLength;
        nAlongMax = std::max(nAlongMax, nPos);
        nThick = std::max(nThick, nBarThick);
        pBar->RecalcDelayShow(&layout);
    }
    nAcross += nThick;
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    CSize size = sizeFixed;
    LONG& nSizeAlong = bHorz ? size.cx : size.cy;
    LONG& nSizeAcross = bHorz ? size.cy : size.cx;
    if (!bStretch)
        nSizeAlong = nAlongMax;
    nSizeAcross = nAcross;
    return size;
}
