// The control bar's window procedure and its non-client area: the caption across the top or
// at the left, the row-resize strip at the row's far side and the split strips between
// neighbours of a row, their hit tests, and the caption's active state, which follows the
// keyboard focus at idle time.
#include "controlbar.h"

#include "afxdc.h"
#include "barpaintdata.h"
#include "barwndclass.h"
#include "cmdmanager.h"
#include "dockbar.h"
#include "dragstate.h"
#include "dyntabbar.h"
#include "memorydc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

BEGIN_MESSAGE_MAP(CUiControlBar, CControlBar)
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_RBUTTONUP()
    ON_WM_NCRBUTTONUP()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

LRESULT CUiControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const bool bPlaced = m_pDockBar != nullptr || (m_bBarFlags & kContained);
    switch (nMsg) {
    case WM_CREATE:
        if (!(m_bBarFlags & kContained) && !IsFixedSizeBar()) {
            CWnd* pWnd = GetParent();
            while (pWnd != nullptr && !pWnd->IsFrameWnd())
                pWnd = pWnd->GetParent();
            CFrameWnd* pFrame = static_cast<CFrameWnd*>(pWnd);
            if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
                pFrame = pFrame->GetParentFrame();
            if (pFrame != nullptr)
                EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE);
        }
        break;
    case WM_DESTROY:
        m_bBarFlags |= kNoCmdUI;
        break;
    case WM_NCDESTROY:
        m_bBarFlags |= kNoCmdUI;
        ReleaseNcAreaButtons();
        break;
    case WM_CLOSE:
        m_bBarFlags |= kNoCmdUI;
        return 0;
    case WM_ERASEBKGND:
        if (!(m_bBarFlags & kEraseBackground))
            return 1;
        break;
    case WM_WINDOWPOSCHANGING:
        if (bPlaced)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
        break;
    case WM_WINDOWPOSCHANGED: {
        // The frame shows and hides bars with SetWindowPos, which sends no WM_SHOWWINDOW: the
        // visibility bookkeeping follows the window's new state here.
        const UINT nFlags = reinterpret_cast<WINDOWPOS*>(lParam)->flags;
        if (!bPlaced && !(nFlags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            break;
        LRESULT lResult = CControlBar::WindowProc(nMsg, wParam, lParam);
        if (bPlaced) {
            if (nFlags & SWP_FRAMECHANGED)
                LayoutNcAreaButtons();
            else
                RecalcNcFrame();
        }
        if (nFlags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            OnBarVisibilityChanged();
        return lResult;
    }
    case WM_TIMER:
        if (wParam == 4101) {
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
            return 0;
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
    case WM_DISPLAYCHANGE: {
        LRESULT lResult = CControlBar::WindowProc(nMsg, wParam, lParam);
        RelaySystemChange(this, nMsg, wParam, lParam);
        if (nMsg == WM_SYSCOLORCHANGE || nMsg == WM_SETTINGCHANGE)
            RequestFrameRecalcLayout();
        return lResult;
    }
    case WM_LBUTTONDBLCLK:
        if (m_pDockBar != nullptr) {
            ToggleDocking();
            return 0;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (m_pDockBar != nullptr && wParam == HTCAPTION) {
            ToggleDocking();
            return 0;
        }
        break;
    default:
        break;
    }
    return CControlBar::WindowProc(nMsg, wParam, lParam);
}

LRESULT CUiControlBar::OnSetText(WPARAM, LPARAM lParam)
{
    LRESULT lResult = DefWindowProc(WM_SETTEXT, 0, lParam);
    // Where else the text shows: the tab of an auto-hidden bar and its slider's caption, or
    // the tab of a grouped bar, and the group's caption while it is the selected one.
    if (!IsFixedSizeBar() && !IsKindOf(RUNTIME_CLASS(CUiDynControlBar))) {
        CUiControlBar* pCaptioned = this;
        if (IsAutoHidden()) {
            if (CUiDynAutoHideArea* pArea = CUiDynAutoHideArea::FindAreaOfBar(this, nullptr)) {
                pArea->UpdateLayout(true);
                CUiDynAutoHideSlider* pSlider = pArea->GetAutoHideSlider();
                if (pSlider != nullptr && pSlider->GetSafeHwnd() != NULL && pSlider->IsWindowVisible())
                    pSlider->SendMessage(WM_NCPAINT);
            }
        } else if (CUiDynTabControlBar* pGroup = IsVisible() ? GetTabContainerBar() : nullptr) {
            pGroup->m_wndTabs.UpdateLayout(true);
            if (CFrameWnd* pSite = GetDockSiteFrame()) {
                pSite->m_nIdleFlags |= 12;
                pSite->PostMessage(WM_NULL);
            }
            if (pGroup->GetSelectedBar() == this)
                pGroup->SetWindowText((LPCTSTR)lParam);
            pCaptioned = pGroup;
        }
        pCaptioned->RecalcNcFrame();
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (m_pDockBar != nullptr && pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
        m_pDockBar->SetWindowText((LPCTSTR)lParam);
        pParentFrame->SetWindowText((LPCTSTR)lParam);
        pParentFrame->m_nIdleFlags |= 12;
        pParentFrame->SendMessage(WM_NCPAINT);
    }
    bool bAcross, bLeft;
    if (QueryGripperLayout(bAcross, bLeft))
        SendMessage(WM_NCPAINT);
    return lResult;
}

void CUiControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (!(m_bTrackFlags & kNoChildMove))
        RepositionChildWindow(cx, cy, TRUE);
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
        LayoutNcAreaButtons();
        pParentFrame->SendMessage(WM_NCPAINT);
    }
}

void CUiControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CControlBar::OnSetFocus(pOldWnd);
    if (m_pDockBar != nullptr && !IsBarFloating() && IsMinimizedInRow())
        MaximizeInRow();
    if (!IsFixedSizeBar()) {
        CWnd* pChild = GetWindow(GW_CHILD);
        if (pChild != nullptr)
            pChild->SetFocus();
    }
}

// ---- Non-client area.

bool CUiControlBar::QueryGripperLayout(bool& bCaptionAcross, bool& bCaptionLeft)
{
    bCaptionAcross = bCaptionLeft = false;
    if (GetSafeHwnd() == NULL || !(m_dwStyle & CBRS_GRIPPER) || IsBarFloating() || IsAloneInFloatingFrame() ||
        (IsInTabbedGroup() && !IsAutoHidden()))
        return false;
    if ((m_bBarFlags & kCaptionAcross) || IsDockedVertically())
        bCaptionAcross = true;
    else
        bCaptionLeft = true;
    return true;
}

CUiControlBar::SplitterEdges CUiControlBar::SplitterEdgesAt(CDockBar* pDock, void* pEntry, CControlBar* pLeaving)
{
    SplitterEdges edges;
    if (pDock == nullptr)
        return edges;
    const CPtrArray& arr = pDock->m_arrBars;
    int nSelf = -1;
    for (int i = 0; i < arr.GetSize() && nSelf < 0; ++i) {
        if (arr[i] == pEntry)
            nSelf = i;
    }
    for (int i = nSelf - 1; nSelf > 0 && i > 0 && arr[i] != nullptr; --i) {
        if (!IsBarEntry(arr[i]) || arr[i] == pLeaving)
            continue;
        CControlBar* pPrev = static_cast<CControlBar*>(arr[i]);
        edges.bFollows = pPrev->IsKindOf(RUNTIME_CLASS(CUiControlBar)) &&
                         !static_cast<CUiControlBar*>(pPrev)->IsFixedSizeBar() && pPrev->IsVisible();
        break;
    }
    if (!pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return edges;
    if (pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar))) {
        edges.bLeft = edges.bTop = edges.bRight = edges.bBottom = false;
        return edges;
    }
    CUiDockBar* pUiDock = static_cast<CUiDockBar*>(pDock);
    const int nDocked = pUiDock->GetDockedCount() - (pLeaving != nullptr && pDock->FindBar(pLeaving) >= 0 ? 1 : 0);
    // The dock bars inside containers stand at level 0 too, but they are no outer dock bars.
    if (nDocked == 1 || (pUiDock->m_nLevel == 0 && !pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))))
        return edges;
    bool bVisibleBefore = false, bVisibleAfter = false, bRowBefore = false, bRowAfter = false;
    for (int i = 0; i < arr.GetSize(); ++i) {
        if (i == nSelf || !IsBarEntry(arr[i]) || arr[i] == pLeaving || !static_cast<CControlBar*>(arr[i])->IsVisible())
            continue;
        if (nSelf >= 0 && i < nSelf) {
            bool bSameRow = true;
            for (int k = i + 1; k < nSelf; ++k)
                bSameRow = bSameRow && arr[k] != nullptr;
            (bSameRow ? bVisibleBefore : bRowBefore) = true;
        } else if (nSelf >= 0) {
            bool bSameRow = true;
            for (int k = nSelf + 1; k < i; ++k)
                bSameRow = bSameRow && arr[k] != nullptr;
            (bSameRow ? bVisibleAfter : bRowAfter) = true;
        }
    }
    if (pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        if (static_cast<CUiDockDynBar*>(pDock)->IsHorizontal()) {
            edges.bTop = bRowBefore;
            edges.bBottom = bRowAfter;
            edges.bLeft = bVisibleBefore;
            edges.bRight = bVisibleAfter;
        } else {
            edges.bLeft = bRowBefore;
            edges.bRight = bRowAfter;
            edges.bTop = bVisibleBefore;
            edges.bBottom = bVisibleAfter;
        }
        return edges;
    }
    switch (pDock->GetDlgCtrlID()) {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
        edges.bTop = pDock->GetDlgCtrlID() == AFX_IDW_DOCKBAR_TOP ? bRowBefore : true;
        edges.bBottom = pDock->GetDlgCtrlID() == AFX_IDW_DOCKBAR_BOTTOM ? bRowAfter : true;
        edges.bLeft = bVisibleBefore;
        edges.bRight = bVisibleAfter;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
    case AFX_IDW_DOCKBAR_RIGHT:
        edges.bLeft = pDock->GetDlgCtrlID() == AFX_IDW_DOCKBAR_LEFT ? bRowBefore : true;
        edges.bRight = pDock->GetDlgCtrlID() == AFX_IDW_DOCKBAR_RIGHT ? bRowAfter : true;
        edges.bTop = bVisibleBefore;
        edges.bBottom = bVisibleAfter;
        break;
    default:
        break;
    }
    return edges;
}

void CUiControlBar::TakeStrips(UINT nDockBarId, const SplitterEdges& edges, int nStripVert, int nStripHorz, CRect& rc,
                               CRect& rcRowResize, CRect& rcSplitNext, CRect& rcSplitPrev)
{
    const CRect rcWindow = rc;
    rcRowResize.SetRectEmpty();
    rcSplitNext.SetRectEmpty();
    rcSplitPrev.SetRectEmpty();
    switch (nDockBarId) {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
        if (edges.bRight) {
            rcSplitNext.SetRect(rc.right - nStripVert, rc.top, rc.right, rc.bottom);
            rc.right -= nStripVert;
        }
        if (nDockBarId == AFX_IDW_DOCKBAR_TOP ? edges.bBottom : edges.bTop) {
            if (nDockBarId == AFX_IDW_DOCKBAR_TOP) {
                rcRowResize.SetRect(rcWindow.left, rc.bottom - nStripHorz, rcWindow.right, rc.bottom);
                rc.bottom -= nStripHorz;
            } else {
                rcRowResize.SetRect(rcWindow.left, rc.top, rcWindow.right, rc.top + nStripHorz);
                rc.top += nStripHorz;
            }
        }
        if (edges.bFollows) {
            rcSplitPrev.SetRect(rc.left, rc.top, rc.left + nStripVert, rc.bottom);
            rc.left += nStripVert;
        }
        break;
    case AFX_IDW_DOCKBAR_LEFT:
    case AFX_IDW_DOCKBAR_RIGHT:
        if (edges.bBottom) {
            rcSplitNext.SetRect(rc.left, rc.bottom - nStripHorz, rc.right, rc.bottom);
            rc.bottom -= nStripHorz;
        }
        if (nDockBarId == AFX_IDW_DOCKBAR_LEFT ? edges.bRight : edges.bLeft) {
            if (nDockBarId == AFX_IDW_DOCKBAR_LEFT) {
                rcRowResize.SetRect(rc.right - nStripVert, rcWindow.top, rc.right, rcWindow.bottom);
                rc.right -= nStripHorz;
            } else {
                rcRowResize.SetRect(rc.left, rcWindow.top, rc.left + nStripVert, rcWindow.bottom);
                rc.left += nStripHorz;
            }
        }
        if (edges.bFollows) {
            rcSplitPrev.SetRect(rc.left, rc.top, rc.right, rc.top + nStripVert);
            rc.top += nStripHorz;
        }
        break;
    default:
        break;
    }
}

void CUiControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_pDockBar == nullptr && !(m_bBarFlags & kContained)) {
        CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    CRect& rc = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
    if (IsBarFloating()) {
        if (IsFixedSizeBar())
            rc.OffsetRect(-rc.left, -rc.top);
        else
            rc.DeflateRect(1, 1);
        return;
    }
    const CPoint ptWindow = rc.TopLeft();
    SplitterEdges edges = SplitterEdgesAt(m_pDockBar, this, nullptr);
    if (IsFixedSizeBar() || m_pDockSite == nullptr)
        edges.bLeft = edges.bTop = edges.bRight = edges.bBottom = true;
    m_nMinWidthBase = m_nStripVert;
    m_nMinHeightBase = m_nStripHorz;
    bool bAcross, bAtLeft;
    const bool bCaption = QueryGripperLayout(bAcross, bAtLeft);
    // Window coordinates from here on; moved back to the parent's at the end.
    rc.OffsetRect(-ptWindow.x, -ptWindow.y);
    m_rcRowResize.SetRectEmpty();
    m_rcSplitNext.SetRectEmpty();
    m_rcSplitPrev.SetRectEmpty();
    if (IsFixedSizeBar())
        PaintManagerHolder::Get()->AdjustBarClientRect(this, rc);
    else
        TakeStrips(GetDockBarId(), edges, m_nStripVert, m_nStripHorz, rc, m_rcRowResize, m_rcSplitNext, m_rcSplitPrev);
    m_rcCaption.SetRectEmpty();
    if (bCaption) {
        if (bAcross) {
            m_rcCaption.SetRect(rc.left, rc.top, rc.right, rc.top + m_nCaptionTop);
            m_nMinHeightBase += m_nCaptionTop;
        } else {
            m_rcCaption.SetRect(rc.left, rc.top, rc.left + m_nCaptionLeft, rc.bottom);
            m_nMinWidthBase += m_nCaptionLeft;
        }
        if (IsFixedSizeBar()) {
            if (bAcross)
                m_rcCaption.DeflateRect(1, 0);
            else
                m_rcCaption.DeflateRect(0, 1);
        }
        CreateNcAreaButtons();
        LayoutNcAreaButtons();
        if (bAcross)
            rc.top += m_nCaptionTop + 1;
        else
            rc.left += m_nCaptionLeft + 1;
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    rc.OffsetRect(ptWindow.x, ptWindow.y);
}

LRESULT CUiControlBar::OnNcHitTest(CPoint point)
{
    if (GetBarBeingDragged() != nullptr)
        return HTNOWHERE;
    CUiBarNcAreaButton* pButton = nullptr;
    UINT nButtonHit = NcButtonsHitTest(point, &pButton);
    if (nButtonHit != HTCLIENT) {
        m_bViewFlags |= kButtonHot;
        return nButtonHit;
    }
    if (m_bViewFlags & kButtonHot) {
        PostMessage(WM_NCPAINT);
        m_bViewFlags &= ~kButtonHot;
    }
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (IsFixedSizeBar() || IsBarFloating() || rcWindow == rcClient)
        return HTCLIENT;
    CPoint pt = point - rcWindow.TopLeft();
    const bool bHorz = IsDockedHorizontally();
    if (m_rcRowResize.PtInRect(pt))
        return bHorz ? HTBOTTOM : HTRIGHT;
    if (m_rcSplitNext.PtInRect(pt)) {
        if (IsLastInRow(true) || !CanSplitNext())
            return HTCLIENT;
        return bHorz ? HTRIGHT : HTBOTTOM;
    }
    if (m_rcSplitPrev.PtInRect(pt)) {
        if (IsFirstInRow(false) || !CanSplitPrev())
            return HTCLIENT;
        return bHorz ? HTLEFT : HTTOP;
    }
    return HTCLIENT;
}

void CUiControlBar::OnNcPaint()
{
    // Bars are laid out, and ask for their frames to be drawn, before the main window first
    // shows: nothing drawn then is seen, and showing the window sends each its paint again.
    if (!IsWindowVisible())
        return;
    if (m_pDockBar == nullptr && !(m_bBarFlags & kContained)) {
        Default();
        return;
    }
    CWindowDC dcWindow(this);
    CRect rcWindow, rcClient;
    GetNonClientRects(this, rcWindow, rcClient);
    dcWindow.ExcludeClipRect(&rcClient);
    {
        CUiMemoryDC dc;
        dc.BeginOffscreen(&dcWindow, rcWindow, 3);
        CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
        if (!(pPaint->HasThemedBackground(this, 0) && pPaint->PaintThemedBackground(dc, this, 0)))
            dc.FillSolidRect(&rcWindow, pPaint->GetColor(1000));
        const bool bResizable = !IsFixedSizeBar();
        BarFramePaintData frame(this, rcWindow, rcClient, IsBarFloating(), bResizable, bResizable);
        pPaint->PaintControlBarBorders(dc, frame);
        bool bAcross, bAtLeft;
        if (!IsBarFloating() && QueryGripperLayout(bAcross, bAtLeft)) {
            CRect rcText = m_rcCaption;
            if (bAcross)
                rcText.DeflateRect(2, 0);
            else
                rcText.DeflateRect(0, 2);
            AdjustCaptionTextRect(rcText);
            CString strText;
            GetCaptionText(0, strText);
            GripperPaintData caption(this, m_rcCaption, rcText, (m_bViewFlags & kFocusInside) != 0, FALSE, bAtLeft,
                                     bResizable, strText);
            pPaint->PaintGripper(dc, caption);
            PaintNcAreaButtons(dc);
        }
    }
    PaintManagerHolder::Get()->EndPaintSession(this, 0);
}

void CUiControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CWnd* pChild = GetWindow(GW_CHILD);
    if ((m_bTrackFlags & kChildFills) && !IsFixedSizeBar() && pChild != nullptr && pChild->IsWindowVisible()) {
        CRect rcChild;
        pChild->GetWindowRect(&rcChild);
        ScreenToClient(&rcChild);
        if (rcChild.left <= rcClient.left && rcChild.top <= rcClient.top && rcChild.right >= rcClient.right &&
            rcChild.bottom >= rcClient.bottom)
            return;
    }
    if (rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
        return;
    {
        CUiMemoryDC dc;
        dc.BeginOffscreen(pDC, rcClient, 3);
        PaintClientBackground(dc, rcClient);
    }
    PaintManagerHolder::Get()->EndPaintSession(this, 0);
}

void CUiControlBar::PaintClientBackground(CDC& dc, const CRect& rc)
{
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    if (m_pDockSite != nullptr) {
        pPaint->PaintControlBarBackground(dc, rc, this, 0);
        return;
    }
    if (!(pPaint->HasThemedBackground(this, 0) && pPaint->PaintThemedBackground(dc, this, 0)))
        dc.FillSolidRect(&rc, pPaint->GetColor(1000));
}

void CUiControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if ((m_bBarFlags & kContained) || (m_bTrackFlags & (kRowResizing | kRowSplitting | kDragging)) ||
        GetBarBeingDragged() != nullptr || !IsWindowVisible())
        return;
    const BYTE bOld = m_bViewFlags;
    CPoint pt;
    ::GetCursorPos(&pt);
    if (NcButtonsHitTest(pt, nullptr) != HTCLIENT)
        m_bViewFlags |= kButtonHot;
    else
        m_bViewFlags &= ~kButtonHot;
    HWND hFocus = ::GetFocus();
    if (hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)))
        m_bViewFlags |= kFocusInside;
    else
        m_bViewFlags &= ~kFocusInside;
    if (bOld != m_bViewFlags) {
        SendMessage(WM_NCPAINT);
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_NCPAINT);
    }
}

// ---- The bars menu.

void CUiControlBar::OnRButtonUp(UINT, CPoint)
{
    ShowBarsMenu(1, WM_RBUTTONUP);
}

void CUiControlBar::OnNcRButtonUp(UINT, CPoint)
{
    ShowBarsMenu(2, WM_NCRBUTTONUP);
}

void CUiControlBar::OnContextMenu(CWnd*, CPoint point)
{
    ScreenToClient(&point);
    OnRButtonUp(0, point);
}

void CUiControlBar::ShowBarsMenu(WORD nEvent, UINT nMsg)
{
    CFrameWnd* pFrame = FindDockSiteFrame();
    if ((m_bBarFlags & kContained) || pFrame == nullptr || IsFrameInHelpMode(pFrame))
        return;
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (pOwner == nullptr || !pMenu->InitRootMenu(pOwner->m_hWnd) ||
        !CUiDockBar::BuildBarsPopupMenu(pFrame, pMenu, nEvent, this, WM_RBUTTONUP, 0) || pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    if (nMsg == WM_RBUTTONUP) {
        if (CWnd* pChild = GetWindow(GW_CHILD))
            pChild->SetFocus();
    } else {
        pOwner->SetFocus();
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    if (!pMenu->TrackMenu(0x800, pt.x, pt.y))
        delete pMenu;
}

CUiControlBar::POPUP_MENU_EVENT_DATA::POPUP_MENU_EVENT_DATA(WORD nEvent, CUiPopupMenuWnd* pMenu, CWnd* pSource,
                                                            CPoint pt, UINT nMsg, LPARAM lExtra)
    : m_nEvent(nEvent), m_pMenu(pMenu), m_pSource(pSource), m_nMsg(nMsg), m_lExtra(lExtra), m_pTarget(nullptr),
      m_bFlags(0), m_pt(pt)
{
    if (m_pt.x < 0 || m_pt.y < 0) {
        if (!::GetCursorPos(&m_pt))
            m_pt = CPoint(0, 0);
    }
}

CUiControlBar::POPUP_MENU_EVENT_DATA::~POPUP_MENU_EVENT_DATA()
{
}

bool CUiControlBar::POPUP_MENU_EVENT_DATA::IsControlBarMenuListEvent() const
{
    switch (m_nEvent) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 11: case 14:
        return true;
    default:
        return false;
    }
}

bool CUiControlBar::POPUP_MENU_EVENT_DATA::NotifyTarget(bool bAfter)
{
    m_bFlags = bAfter ? (m_bFlags | 0x01) : (m_bFlags & ~0x01);
    CWnd* pTarget = m_pTarget;
    if (pTarget == nullptr && m_pSource != nullptr) {
        if (m_pSource->IsKindOf(RUNTIME_CLASS(CControlBar)) && static_cast<CControlBar*>(m_pSource)->m_pDockSite != nullptr) {
            m_pTarget = static_cast<CControlBar*>(m_pSource)->m_pDockSite;
        } else {
            CFrameWnd* pFrame = m_pSource->GetParentFrame();
            if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
                pFrame = pFrame->GetParentFrame();
            m_pTarget = pFrame;
        }
        pTarget = m_pTarget != nullptr ? static_cast<CWnd*>(m_pTarget) : m_pSource->GetParent();
    }
    if (pTarget == nullptr || pTarget->GetSafeHwnd() == NULL)
        return false;
    return pTarget->SendMessage(g_nMsgConstructPopupMenu, (WPARAM)this, 0) != 0;
}
