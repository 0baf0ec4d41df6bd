// The control bar's life, its process-wide list and registered messages, its placement
// queries and the frame set-up that installs the outer dock bars.
#include "controlbar.h"

#include "afxole.h"
#include "cmdmanager.h"
#include "dockbar.h"
#include "dragstate.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "popupmenuwnd.h"
#include "resourcemanager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiControlBar, CControlBar)

CArray<CUiControlBar*, CUiControlBar*> CUiControlBar::g_arrAllBars;
CCriticalSection CUiControlBar::g_csAllBars;
CMap<UINT, UINT, DWORD, DWORD> CUiControlBar::g_mapSideAlign(17);
HCURSOR CUiControlBar::g_hCursorArrow = ::LoadCursor(NULL, IDC_ARROW);
HCURSOR CUiControlBar::g_hCursorMove = ::LoadCursor(NULL, IDC_SIZEALL);
HCURSOR CUiControlBar::g_hCursorSizeNS = ::LoadCursor(NULL, IDC_SIZENS);
HCURSOR CUiControlBar::g_hCursorSizeWE = ::LoadCursor(NULL, IDC_SIZEWE);
UINT CUiControlBar::g_nMsgConstructPopupMenu = ::RegisterWindowMessageA("CUiControlBar::g_nMsgConstructPopupMenu");
UINT CUiControlBar::g_nMsgDrawTackedArea = ::RegisterWindowMessageA("CUiControlBar::g_nMsgDrawTackedArea");
UINT CUiControlBar::g_nMsgCreateTabbedBar = ::RegisterWindowMessageA("CUiControlBar::g_nMsgCreateTabbedBar");
UINT CUiControlBar::g_nMsgQueryIcon = ::RegisterWindowMessageA("CUiControlBar::g_nMsgQueryIcon");
UINT CUiControlBar::g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CUiControlBar::g_nMsgPutToPopupMenu");
UINT CUiControlBar::g_nMsgQueryRepositionCalcEffect =
    ::RegisterWindowMessageA("CUiControlBar::g_nMsgQueryRepositionCalcEffect");
int CUiControlBar::g_nDragDockMode = -1;
bool CUiControlBar::g_bIdleDuringLoops = false;
bool CUiControlBar::g_bDragTrackBusy = false;
CUiControlBar* CUiControlBar::g_pBarBeingFloated = nullptr;
CUiControlBar::InternalDraggingState_t CUiControlBar::g_DragStatePrevious(nullptr);
CUiControlBar::InternalDraggingState_t CUiControlBar::g_DragStateCurrent(nullptr);

namespace {
struct SideMapFiller {
    SideMapFiller()
    {
        CUiControlBar::g_mapSideAlign[AFX_IDW_DOCKBAR_TOP] = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
        CUiControlBar::g_mapSideAlign[AFX_IDW_DOCKBAR_BOTTOM] = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
        CUiControlBar::g_mapSideAlign[AFX_IDW_DOCKBAR_LEFT] = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
        CUiControlBar::g_mapSideAlign[AFX_IDW_DOCKBAR_RIGHT] = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
    }
} g_sideMapFiller;

int StripThickness(int nIndex)
{
    return std::min(::GetSystemMetrics(nIndex), 4);
}
}

bool IsSideDockBarId(UINT nID)
{
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM || nID == AFX_IDW_DOCKBAR_LEFT ||
           nID == AFX_IDW_DOCKBAR_RIGHT;
}

CUiControlBar::CUiControlBar()
    : m_bBarFlags(kCaptionAcross | kFrameLayout | kInBarsMenu),
      m_nCaptionTop(::GetSystemMetrics(SM_CYSMCAPTION) + 1), m_nCaptionLeft(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
      m_nStripHorz(StripThickness(SM_CYFRAME)), m_nStripVert(StripThickness(SM_CXFRAME)), m_nTrackerPos(0),
      m_nTrackedValue(0), m_nResizeGrip(0), m_sizeHorz(200, 150), m_sizeVert(150, 200), m_sizeFloat(200, 200),
      m_bTrackFlags(kChildFills), m_nReclaimExtent(0), m_ptSavedLayout(0, 0), m_ptGrabFloat(0, 0),
      m_ptGrabHorz(0, 0), m_ptGrabVert(0, 0), m_bViewFlags(0), m_ptLastDrag(-1, -1)
{
    m_nMinWidthBase = m_nMinHeightBase = ::GetSystemMetrics(SM_CYSMCAPTION) + m_nStripHorz + 1;
    m_rcCaption.SetRectEmpty();
    m_rcRowResize.SetRectEmpty();
    m_rcSplitNext.SetRectEmpty();
    m_rcSplitPrev.SetRectEmpty();
    CSingleLock lock(&g_csAllBars, TRUE);
    g_arrAllBars.Add(this);
}

CUiControlBar::~CUiControlBar()
{
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); ++i) {
            if (g_arrAllBars[i] == this) {
                g_arrAllBars.RemoveAt(i);
                break;
            }
        }
    }
    if (g_pBarBeingFloated == this)
        g_pBarBeingFloated = nullptr;
    ReleaseNcAreaButtons();
}

BOOL CUiControlBar::Create(LPCTSTR lpszText, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!RegisterBarWindowClass())
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    CString strText;
    if (lpszText != NULL) {
        strText = lpszText;
    } else if (nID > 0 && nID < 0xFFFFFFFF) {
        CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
        CUiCmdProfile* pProfile = pParentWnd != nullptr ? pManager->ProfileFindByWindow(pParentWnd->GetSafeHwnd()) : nullptr;
        CUiCmdItem* pItem = pProfile != nullptr ? pManager->CmdGetPtr(pProfile->GetName(), nID) : nullptr;
        if (pItem != nullptr) {
            strText = pItem->m_strMenuText;
            strText.Remove('&');
        } else {
            ResourceManagerHolder::GetResourceManager()->LoadString(strText, nID);
        }
    }
    int nLineFeed = strText.Find('\n');
    if (nLineFeed >= 0)
        strText = strText.Left(nLineFeed);
    return CWnd::Create("VaviRIZ-ControlBar", strText, (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                        pParentWnd, nID);
}

// ---- Simple slots.

bool CUiControlBar::IsFixedSizeBar() const
{
    return (m_bBarFlags & kFixedSize) != 0;
}

bool CUiControlBar::IsFixedSizeForDrag() const
{
    return IsFixedSizeBar();
}

bool CUiControlBar::RowQueryFlag() const
{
    return false;
}

// The strip towards the previous bar of a row takes room along the row only: beside that bar
// in a row at the top or bottom, above it in a column at the left or right. Across, it is as
// long as the bar and asks for nothing, or a bar could never be made thinner than it is.
int CUiControlBar::GetMinExtentHorz() const
{
    const UINT nSide = GetDockBarId();
    const bool bColumn = nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_RIGHT;
    int n = m_nMinWidthBase + (bColumn ? 0 : m_rcSplitPrev.Width());
    return (m_bBarFlags & kCaptionAcross) ? std::max(n, 10) : n;
}

int CUiControlBar::GetMinExtentVert() const
{
    const UINT nSide = GetDockBarId();
    const bool bRow = IsTopOrBottomSide(nSide);
    return m_nMinHeightBase + (bRow ? 0 : m_rcSplitPrev.Height());
}

CSize CUiControlBar::GetDefaultFloatSize() const
{
    return CSize(80, 60);
}

CSize CUiControlBar::GetMinSize() const
{
    return CSize(GetMinExtentHorz(), GetMinExtentVert());
}

BarPlacementRecord* CUiControlBar::GetPlacementRecord()
{
    return nullptr;
}

void CUiControlBar::SetPlacementRecord(const BarPlacementRecord&)
{
}

void CUiControlBar::CapturePlacementRecord()
{
    if (GetPlacementRecord() == nullptr || m_pDockBar == nullptr)
        return;
    if (m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)))
        static_cast<CUiDockOuterBar*>(m_pDockBar)->CapturePlacement(this);
}

void CUiControlBar::ResetPlacementRecord()
{
    if (BarPlacementRecord* pRecord = GetPlacementRecord())
        pRecord->Reset();
}

bool CUiControlBar::IsSingleOnRow() const
{
    return false;
}

bool CUiControlBar::IsMarkerDockingMode() const
{
    return GetDragDockMode() == 1;
}

bool CUiControlBar::IsLiveRowResize() const
{
    return GetDragDockMode() == 1 ? false : IsMarkerDockingMode();
}

bool CUiControlBar::IsLiveRowSplit() const
{
    return GetDragDockMode() == 1 ? false : IsMarkerDockingMode();
}

bool CUiControlBar::IsContentExpandWanted() const
{
    return false;
}

void CUiControlBar::RefreshContentExpandLayout()
{
}

bool CUiControlBar::IsDockableByDrag() const
{
    return true;
}

void CUiControlBar::GetCaptionText(int, CString& strText)
{
    GetWindowText(strText);
}

int CUiControlBar::HelpHitTestAt(int, int)
{
    return -1;
}

void CUiControlBar::RecalcNcFrame()
{
    if (IsVisible())
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

void CUiControlBar::RequestFrameRecalcLayout()
{
    if ((m_bBarFlags & (kFrameLayout | kContained)) != kFrameLayout)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr || pFrame->m_bInRecalcLayout || FrameLockMapFind(pFrame))
        return;
    WINDOWPLACEMENT wp = {sizeof(wp)};
    if (pFrame->GetWindowPlacement(&wp) && wp.showCmd == SW_SHOWMINIMIZED)
        return;
    if (IsFixedSizeBar() && IsBarFloating() && pFrame->IsWindowVisible())
        pFrame->RecalcLayout(TRUE);
    else
        pFrame->m_nIdleFlags |= 12;
}

void CUiControlBar::RepositionChildWindow(int cx, int cy, BOOL bRepaint)
{
    if (!(m_bTrackFlags & kChildFills))
        return;
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild == nullptr)
        return;
    CRect rc(0, 0, cx, cy);
    if (cx < 0 || cy < 0)
        GetClientRect(&rc);
    if (IsBarFloating())
        rc.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    CRect rcOld;
    pChild->GetWindowRect(&rcOld);
    ScreenToClient(&rcOld);
    if (rcOld != rc)
        pChild->MoveWindow(&rc, bRepaint);
}

bool CUiControlBar::IsVisibleInLayout()
{
    if (m_bBarFlags & kContained)
        return (GetStyle() & WS_VISIBLE) != 0;
    if (IsVisible() && !(m_nStateFlags & delayShow))
        return true;
    if (m_nStateFlags & tempHide)
        return false;
    if ((m_dwStyle & CBRS_HIDE_INPLACE) && IsDockSiteInPlaceActive())
        return false;
    // A show still waiting for the frame's next layout is made now, so the answer holds for
    // the window too. A bar plainly hidden stays hidden: the question shows nothing.
    if ((m_nStateFlags & delayShow) && GetSafeHwnd() != NULL) {
        if (CFrameWnd* pSite = FindDockSiteFrame())
            ToggleBarById(pSite, (UINT)GetDlgCtrlID(), false);
        CUiPopupMenuWnd::PumpPendingMessages(FALSE);
    }
    return GetSafeHwnd() != NULL && IsVisible();
}

// ---- Placement queries.

CFrameWnd* CUiControlBar::FindDockSiteFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

CFrameWnd* CUiControlBar::GetDockSiteFrame() const
{
    return FindDockSiteFrame();
}

UINT CUiControlBar::GetDockBarId() const
{
    CWnd* pDock = m_pDockBar;
    if (pDock == nullptr) {
        CWnd* pParent = GetSafeHwnd() != NULL ? GetParent() : nullptr;
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
            pDock = pParent;
    }
    if (pDock == nullptr || pDock->GetSafeHwnd() == NULL || !pDock->IsKindOf(RUNTIME_CLASS(CDockBar)))
        return AFX_IDW_DOCKBAR_FLOAT;
    return (UINT)pDock->GetDlgCtrlID();
}

namespace {
// A bar made on its frame has the frame as its dock site before it is docked anywhere; until
// it has a dock bar its style tells where it will stand.
bool HasDockPlace(const CUiControlBar* pBar)
{
    if (pBar->m_pDockSite == nullptr)
        return false;
    if (pBar->m_pDockBar != nullptr)
        return true;
    CWnd* pParent = pBar->GetSafeHwnd() != NULL ? pBar->GetParent() : nullptr;
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDockBar));
}

bool DockedAt(const CUiControlBar* pBar, UINT nID, DWORD dwAlignBits)
{
    if (!HasDockPlace(pBar))
        return ((pBar->m_dwStyle >> 8) & dwAlignBits) != 0;
    return pBar->GetDockBarId() == nID;
}
}

bool CUiControlBar::IsDockedAtTop() const
{
    return DockedAt(this, AFX_IDW_DOCKBAR_TOP, 0x28);
}

bool CUiControlBar::IsDockedAtBottom() const
{
    return DockedAt(this, AFX_IDW_DOCKBAR_BOTTOM, 0x82);
}

bool CUiControlBar::IsDockedAtLeft() const
{
    return DockedAt(this, AFX_IDW_DOCKBAR_LEFT, 0x14);
}

bool CUiControlBar::IsDockedAtRight() const
{
    return DockedAt(this, AFX_IDW_DOCKBAR_RIGHT, 0x41);
}

bool CUiControlBar::IsDockedHorizontally() const
{
    if (!HasDockPlace(this))
        return ((m_dwStyle >> 8) & 0xAA) != 0;
    return IsDockedAtTop() || IsDockedAtBottom();
}

BOOL CUiControlBar::IsDockedVertically() const
{
    if (!HasDockPlace(this))
        return ((m_dwStyle >> 8) & 0x55) != 0;
    return IsDockedAtLeft() || IsDockedAtRight();
}

bool CUiControlBar::IsDockedAtFrameSide() const
{
    return !HasDockPlace(this) || IsSideDockBarId(GetDockBarId());
}

BOOL CUiControlBar::IsBarFloating() const
{
    return !IsDockedAtFrameSide() && GetSafeHwnd() != NULL && GetParentFrame() != nullptr;
}

BOOL CUiControlBar::IsBarDocked() const
{
    return m_pDockBar != nullptr && m_pDockBar->GetSafeHwnd() != NULL &&
           IsSideDockBarId((UINT)m_pDockBar->GetDlgCtrlID());
}

bool CUiControlBar::IsAloneInFloatingFrame() const
{
    if (m_pDockSite == nullptr || !IsVisible() || IsFixedSizeBar())
        return false;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame == nullptr || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return false;
    POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* p = (CControlBar*)m_pDockSite->m_listControlBars.GetNext(pos);
        if (p == this || !p->IsKindOf(RUNTIME_CLASS(CUiControlBar)) || p->m_pDockBar == nullptr)
            continue;
        CUiControlBar* pOther = static_cast<CUiControlBar*>(p);
        if (!pOther->IsFixedSizeBar() && pOther->GetParentFrame() == pParentFrame && pOther->IsVisible())
            return false;
    }
    return true;
}

CUiControlBar* CUiControlBar::GetBarBeingDragged()
{
    return g_DragStatePrevious.IsEmptyState() ? nullptr : g_DragStatePrevious.m_pBar;
}

bool CUiControlBar::IsInPlaceActiveFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain == nullptr || !pMain->IsFrameWnd())
            return false;
        pFrame = static_cast<CFrameWnd*>(pMain);
    }
    if (IsFrameInPrintPreview(pFrame))
        return false;
    // The item is active in the view of the frame a floating bar belongs to, and in an MDI
    // frame in the view of its active child.
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        pFrame = static_cast<CMDIFrameWnd*>(pFrame)->MDIGetActive();
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    if (pView == nullptr || pView->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        return false;
    CDocument* pDoc = pView->GetDocument();
    return pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(COleDocument)) &&
           static_cast<COleDocument*>(pDoc)->GetInPlaceActiveItem(pView) != nullptr;
}

bool CUiControlBar::IsDockSiteInPlaceActive() const
{
    return IsInPlaceActiveFrame(FindDockSiteFrame());
}

bool CUiControlBar::PreTranslateChildBars(CWnd* pWnd, MSG* pMsg)
{
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        CWnd* pPerm = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
        if (pPerm != nullptr && pPerm->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && pPerm->PreTranslateMessage(pMsg))
            return true;
    }
    return false;
}

void CUiControlBar::UpdateChildBarsCmdUI(CWnd* pWnd, BOOL bDisableIfNoHndler)
{
    // Every message a pane gets may end here: the bars are found among the thread's window
    // objects rather than by a walk over the children, which costs a request per child.
    CArray<HWND, HWND> children;
    AfxGetPermanentChildren(pWnd->GetSafeHwnd(), children);
    for (INT_PTR i = 0; i < children.GetSize(); ++i) {
        // Looked up at its turn: an update may destroy a bar met later in the list.
        CWnd* pPerm = CWnd::FromHandlePermanent(children[i]);
        if (pPerm != nullptr && pPerm->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            static_cast<CUiControlBar*>(pPerm)->UpdateCmdUIGuarded(bDisableIfNoHndler);
    }
}

bool CUiControlBar::UpdateCmdUIGuarded(BOOL bDisableIfNoHndler)
{
    if (m_bBarFlags & kNoCmdUI)
        return true;
    if (GetSafeHwnd() == NULL)
        return false;
    m_bBarFlags |= kNoCmdUI;
    OnUpdateCmdUI((m_bBarFlags & kContained) ? nullptr : FindDockSiteFrame(), bDisableIfNoHndler);
    m_bBarFlags &= ~kNoCmdUI;
    return true;
}

void CUiControlBar::AddBarUnique(CArray<CUiControlBar*, CUiControlBar*>& arr, CUiControlBar* pBar)
{
    // A bar of a tabbed group takes part as its group, which may itself be a tab of another.
    while (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar))) {
        CWnd* pGroup = pBar->m_pDockBar->GetParent();
        if (pGroup == nullptr || !pGroup->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)))
            break;
        pBar = static_cast<CUiControlBar*>(pGroup);
    }
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        if (arr[i] == pBar)
            return;
    }
    arr.Add(pBar);
}

void CUiControlBar::CollectBarsOfSameFrame(bool bExcludeSelf, CArray<CUiControlBar*, CUiControlBar*>& arr,
                                           DWORD dwMask, int x, int y)
{
    CollectFrameBars(bExcludeSelf ? this : nullptr, FindDockSiteFrame(), arr, dwMask, x, y);
}

// ---- Frame set-up.

bool EnableFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle, BOOL bReplaceFloatingClass)
{
    pFrame->EnableDocking(dwDockStyle);
    for (UINT nID : kFrameSides) {
        DWORD dwAlign = 0;
        CUiControlBar::g_mapSideAlign.Lookup(nID, dwAlign);
        if (!(dwAlign & dwDockStyle & CBRS_ALIGN_ANY))
            return false;
        CControlBar* pOld = pFrame->GetControlBar(nID);
        if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)))
            continue;
        if (pOld != nullptr) {
            pFrame->RemoveControlBar(pOld);
            pOld->m_pDockSite = nullptr;
            const BOOL bAutoDelete = pOld->m_bAutoDelete;
            pOld->DestroyWindow();
            if (!bAutoDelete)
                delete pOld;
        }
        CUiDockOuterBar* pDockBar = new CUiDockOuterBar;
        pDockBar->m_bAutoDelete = TRUE;
        // A failed creation has deleted the dock bar.
        if (!pDockBar->Create(pFrame, dwAlign | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, nID))
            return false;
    }
    if (bReplaceFloatingClass)
        pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CUiMiniDockFrameWnd);
    return true;
}
