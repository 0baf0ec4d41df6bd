// The auto-hide strips of a frame.
//
// A strip per side holds the side's auto-hidden bars as tabs: a plain bar as a group of one,
// a tabbed group as one group of its bars' tabs; the group-active tab is the one that shows
// its text in the collapsed look. Selecting a tab (a click, a rest of the cursor on it, or
// Ctrl+PageUp/PageDown) slides its bar out in the frame's slider; the selection is refused
// while the frame is not active, so that a strip of an inactive frame never opens. A strip
// without items hides and takes no room; the top and bottom strips leave the corners to the
// side strips while those have items.
#include "tabwnd.h"

#include "afxext.h"
#include "controlbar.h"
#include "dockbar.h"
#include "dynbar.h"
#include "dyntabbar.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "stripmenu.h"

IMPLEMENT_DYNCREATE(CUiDynAutoHideArea, CUiTabWnd)

bool CUiDynAutoHideArea::g_bRegisterDropTargets = true;
bool CUiDynAutoHideArea::g_bKeyboardSwitch = true;
int CUiDynAutoHideArea::g_nTabLook = -1;

namespace {
const UINT kSideIds[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
const DWORD kFullLook = CUiTabWnd::kGroupedFullMeasure;

int SideOfId(UINT nSideId)
{
    for (int i = 0; i < 4; i++) {
        if (kSideIds[i] == nSideId)
            return i;
    }
    return -1;
}

CFrameWnd* FrameOf(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == NULL)
        return nullptr;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pWnd) : pWnd->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

// The strip with the side id among the frame's children (the dock bars share the ids).
CUiDynAutoHideArea* FindStrip(CFrameWnd* pFrame, UINT nSideId)
{
    for (CWnd* p = pFrame->GetWindow(GW_CHILD); p != nullptr; p = p->GetWindow(GW_HWNDNEXT)) {
        if ((UINT)p->GetDlgCtrlID() != nSideId)
            continue;
        CWnd* pPerm = CWnd::FromHandlePermanent(p->m_hWnd);
        if (pPerm != nullptr && pPerm->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideArea)))
            return static_cast<CUiDynAutoHideArea*>(pPerm);
    }
    return nullptr;
}

void SetAutoHiddenFlag(CUiControlBar* pBar, bool bOn)
{
    if (bOn)
        pBar->m_bViewFlags |= CUiControlBar::kAutoHidden;
    else
        pBar->m_bViewFlags &= ~CUiControlBar::kAutoHidden;
}
}

DROPEFFECT CUiDynAutoHideArea::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                                           CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CUiDynAutoHideArea::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    const int nHit = m_pStrip->HitTestTab(point);
    if (nHit >= 0 && nHit != m_pStrip->SelectionGet())
        m_pStrip->SelectionSet(nHit, true, true);
    return DROPEFFECT_NONE;
}

CUiDynAutoHideArea::CUiDynAutoHideArea()
    : m_pSlider(nullptr), m_bQuiet(0), m_bNoAnimation(0)
{
    m_rcLastWindow.SetRectEmpty();
}

CUiDynAutoHideArea::~CUiDynAutoHideArea()
{
}

void CUiDynAutoHideArea::PostNcDestroy()
{
    delete this;
}

BOOL CUiDynAutoHideArea::Create(CFrameWnd* pFrame, CUiDynAutoHideSlider* pSlider, UINT nSideId)
{
    const int nSide = SideOfId(nSideId);
    if (pFrame == nullptr || nSide < 0)
        return FALSE;
    m_pSlider = pSlider;
    if (!CUiTabWnd::Create(pFrame, CRect(0, 0, 0, 0), nSideId, WS_CHILD | WS_VISIBLE, (DWORD)nSide | 0xC080))
        return FALSE;
    CControlBar* pSideBar = pFrame->GetControlBar(nSideId);
    if (pSideBar != nullptr && pSideBar->IsKindOf(RUNTIME_CLASS(CUiDockBar))) {
        for (CUiDockBar* p = static_cast<CUiDockBar*>(pSideBar); p != nullptr; p = p->m_pInner)
            p->m_pAutoHideArea = this;
    }
    PlaceInZOrder(pFrame, nSideId);
    if (g_bRegisterDropTargets && AfxOleIsInitialized())
        m_dropTarget.Register(this);
    return TRUE;
}

// Top after the right outer dock bar, then each strip after the one of the side before.
void CUiDynAutoHideArea::PlaceInZOrder(CFrameWnd* pFrame, UINT nSideId)
{
    const int nSide = SideOfId(nSideId);
    CWnd* pAfter = nSide == 0 ? static_cast<CWnd*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT)) : FindStrip(pFrame, kSideIds[nSide - 1]);
    if (pAfter == nullptr || pAfter->GetWindow(GW_HWNDNEXT) == this)
        return;
    SetWindowPos(pAfter, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
}

CUiControlBar* CUiDynAutoHideArea::GetItemBar(int nIndex) const
{
    TAB_ITEM_INFO* pItem = ItemGetInfo(nIndex);
    return pItem != nullptr ? reinterpret_cast<CUiControlBar*>(pItem->m_lParam) : nullptr;
}

// ---------------------------------------------------------------------------------------

void CUiDynAutoHideArea::AppendControlBar(CUiControlBar* pBar, bool bQuiet)
{
    CArray<CUiControlBar*, CUiControlBar*> arrMembers;
    CUiControlBar* pActive = pBar;
    if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))) {
        CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(pBar);
        for (int i = 0; i < pGroup->m_wndTabs.ItemGetCount(); i++) {
            if (CUiControlBar* pMember = pGroup->m_wndTabs.GetItemBar(i, true))
                arrMembers.Add(pMember);
        }
        pActive = pGroup->GetSelectedBar();
    } else {
        arrMembers.Add(pBar);
    }
    if (arrMembers.GetSize() == 0)
        return;
    if (pActive == nullptr)
        pActive = arrMembers[0];
    int nActive = -1;
    for (INT_PTR i = 0; i < arrMembers.GetSize(); i++) {
        const int nIndex = ItemGetCount();
        ItemInsert(NULL, NULL, false, i == 0 ? (DWORD)TAB_ITEM_INFO::kGroupStart : 0u, nIndex, (LPARAM)arrMembers[i], false);
        SetAutoHiddenFlag(arrMembers[i], true);
        if (arrMembers[i] == pActive)
            nActive = nIndex;
    }
    const BYTE bOldQuiet = m_bQuiet;
    m_bQuiet |= kQuietNoSlide | kQuietActive;
    SelectionSet(nActive, false, false);
    SelectionSet(-1, false, false);
    m_bQuiet = bOldQuiet;
    UpdateLayout(!bQuiet);
    if (bQuiet)
        return;
    if (CFrameWnd* pFrame = FrameOf(this))
        pFrame->RecalcLayout(TRUE);
    AnimateAutoHideSlider(pActive, true, false, true);
}

void CUiDynAutoHideArea::RemovePlainBar(CUiControlBar* pBar, bool bQuiet)
{
    SetAutoHiddenFlag(pBar, false);
    const int nIndex = ItemFindByLParam((LPARAM)pBar);
    if (nIndex >= 0)
        ItemRemove(nIndex, 1, false);
    CFrameWnd* pFrame = FrameOf(this);
    if (pFrame == nullptr)
        return;
    if (bQuiet) {
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
        return;
    }
    if (pBar->m_pDockBar == nullptr || !pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynTabBar)))
        pBar->MakeRoomInRow();
    pFrame->ShowControlBar(pBar, TRUE, TRUE);
}

void CUiDynAutoHideArea::RemoveControlBar(CUiControlBar* pBar, bool bQuiet)
{
    if (m_pSlider != nullptr && m_pSlider->IsShown())
        m_pSlider->Hide(false);
    if (!pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar))) {
        RemovePlainBar(pBar, bQuiet);
        UpdateLayout(true);
        return;
    }
    CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(pBar);
    CUiControlBar* pActive = nullptr;
    int nActivePos = 0;
    for (int i = pGroup->m_wndTabs.ItemGetCount() - 1; i >= 0; i--) {
        CUiControlBar* pMember = pGroup->m_wndTabs.GetItemBar(i, true);
        const int nItem = pMember != nullptr ? ItemFindByLParam((LPARAM)pMember) : -1;
        if (nItem < 0)
            continue;
        if (ItemGetInfo(nItem)->m_dwFlags & TAB_ITEM_INFO::kGroupActive) {
            pActive = pMember;
            int nStart = nItem;
            while (nStart > 0 && !(ItemGetInfo(nStart)->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
                nStart--;
            nActivePos = nItem - nStart;
            continue;
        }
        RemovePlainBar(pMember, bQuiet);
    }
    if (pActive != nullptr) {
        const int nItem = ItemFindByLParam((LPARAM)pActive);
        if (nItem >= 0)
            ItemRemove(nItem, 1, false);
        SetAutoHiddenFlag(pActive, false);
    }
    SetAutoHiddenFlag(pGroup, false);
    UpdateLayout(true);
    CFrameWnd* pFrame = FrameOf(this);
    if (pFrame == nullptr)
        return;
    if (bQuiet) {
        pFrame->ShowControlBar(pGroup, TRUE, TRUE);
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
        return;
    }
    pGroup->MakeRoomInRow();
    if (pActive != nullptr)
        pFrame->ShowControlBar(pActive, TRUE, TRUE);
    pFrame->ShowControlBar(pGroup, TRUE, FALSE);
    int nVisible = 0;
    CUiDynTabWnd& tabs = pGroup->m_wndTabs;
    for (int i = 0; i < tabs.ItemGetCount(); i++) {
        if (!tabs.ItemGetInfo(i)->IsVisible())
            continue;
        if (nVisible++ == nActivePos) {
            tabs.SelectionSet(i, false, false);
            return;
        }
    }
    tabs.SelectionSet(nActivePos < tabs.ItemGetCount() ? nActivePos : -1, false, false);
}

CUiDynAutoHideArea* CUiDynAutoHideArea::FindAreaOfBar(CUiControlBar* pBar, int* pnIndex)
{
    if (pnIndex != nullptr)
        *pnIndex = -1;
    CUiDynAutoHideArea* pAreas[4] = {};
    GetFrameAreas(pBar, &pAreas[0], &pAreas[1], &pAreas[2], &pAreas[3]);
    for (CUiDynAutoHideArea* pArea : pAreas) {
        const int nIndex = pArea != nullptr ? pArea->ItemFindByLParam((LPARAM)pBar) : -1;
        if (nIndex >= 0) {
            if (pnIndex != nullptr)
                *pnIndex = nIndex;
            return pArea;
        }
    }
    return nullptr;
}

void CUiDynAutoHideArea::GetFrameAreas(CWnd* pWnd, CUiDynAutoHideArea** ppTop, CUiDynAutoHideArea** ppBottom,
                                       CUiDynAutoHideArea** ppLeft, CUiDynAutoHideArea** ppRight)
{
    CUiDynAutoHideArea** pp[4] = {ppTop, ppBottom, ppLeft, ppRight};
    CFrameWnd* pFrame = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiControlBar))
                            ? static_cast<CUiControlBar*>(pWnd)->GetDockSiteFrame()
                            : FrameOf(pWnd);
    if (pFrame == nullptr)
        pFrame = FrameOf(pWnd);
    for (int i = 0; i < 4; i++) {
        if (pp[i] != nullptr)
            *pp[i] = pFrame != nullptr ? FindStrip(pFrame, kSideIds[i]) : nullptr;
    }
}

// ---------------------------------------------------------------------------------------

bool CUiDynAutoHideArea::IsFrameActive() const
{
    CFrameWnd* pFrame = FrameOf(const_cast<CUiDynAutoHideArea*>(this));
    if (pFrame == nullptr)
        return false;
    if (!CUiPopupMenuWnd::HoverTestWindowChain(m_hWnd, ::GetActiveWindow(), false, false, false) &&
        !(m_bQuiet & kQuietActive))
        return false;
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL)
        return false;
    if (hFocus == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, hFocus))
        return true;
    CWnd* pFocus = CWnd::FromHandle(hFocus);
    for (CFrameWnd* p = pFocus->GetParentFrame(); p != nullptr; p = p->GetParentFrame()) {
        if (p == pFrame)
            return true;
    }
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        CMDIFrameWnd* pMdi = static_cast<CMDIChildWnd*>(pFrame)->GetMDIFrame();
        return pMdi != nullptr && pMdi->MDIGetActive() == pFrame;
    }
    return false;
}

bool CUiDynAutoHideArea::OnSelectionChanged(int nOld, int nNew, bool bBefore)
{
    const bool bSliderShown = m_pSlider != nullptr && m_pSlider->IsShown();
    if (nOld == nNew && m_pSlider != nullptr && m_pSlider->IsWindowVisible())
        return true;
    if (bBefore) {
        // A quiet change slides nothing out; refusing it in an inactive frame would leave a
        // group without its active tab, and a saved layout without the auto-hidden bar.
        if (nNew >= 0 && !(m_bQuiet & kQuietNoSlide) && !IsFrameActive())
            return false;
        if (bSliderShown && !(m_bQuiet & kQuietNoSlide))
            m_pSlider->Hide(false);
        return true;
    }
    if ((m_bQuiet & kQuietNoSlide) || nNew < 0)
        return true;
    TAB_ITEM_INFO* pItem = ItemGetInfo(nNew);
    CUiControlBar* pBar = GetItemBar(nNew);
    if (pItem == nullptr || !pItem->IsVisible() || pBar == nullptr || pBar->GetSafeHwnd() == NULL ||
        pBar->IsContentExpandWanted())
        return true;
    const bool bAnimate = !(m_bNoAnimation & 1);
    m_bNoAnimation &= ~1;
    AnimateAutoHideSlider(pBar, true, bAnimate, true);
    return true;
}

// Steps from the selection to the next tab whose bar is not showing, wrapping at the ends.
bool CUiDynAutoHideArea::SwitchByKey(bool bForward)
{
    const int nSel = SelectionGet();
    const int nCount = ItemGetCount();
    if (nSel < 0 || nCount == 0)
        return false;
    int nIndex = nSel;
    for (;;) {
        nIndex = (nIndex + (bForward ? 1 : nCount - 1)) % nCount;
        if (nIndex == nSel)
            return true;
        CUiControlBar* pBar = GetItemBar(nIndex);
        CWnd* pContent = pBar != nullptr ? pBar->GetWindow(GW_CHILD) : nullptr;
        if (ItemGetInfo(nIndex)->IsVisible() && (pContent == nullptr || !pContent->IsWindowVisible()))
            break;
    }
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.SendMessage(TTM_POP);
    m_bNoAnimation |= 1;
    SelectionSet(nIndex, true, true);
    CUiControlBar* pBar = GetItemBar(nIndex);
    CWnd* pContent = pBar != nullptr ? pBar->GetWindow(GW_CHILD) : nullptr;
    if (pContent == nullptr)
        pContent = m_pSlider != nullptr ? m_pSlider->GetWindow(GW_CHILD) : nullptr;
    if (pContent != nullptr && pContent->IsWindowVisible() && pContent->IsWindowEnabled() && m_pSlider != nullptr &&
        pContent->GetParent() == m_pSlider)
        pContent->SetFocus();
    return true;
}

BOOL CUiDynAutoHideArea::PreTranslateMessage(MSG* pMsg)
{
    if (g_bKeyboardSwitch && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        (::GetKeyState(VK_CONTROL) & 0x8000) && !(::GetKeyState(VK_SHIFT) & 0x8000) && !(::GetKeyState(VK_MENU) & 0x8000) &&
        SwitchByKey(pMsg->wParam == VK_NEXT))
        return TRUE;
    return CUiTabWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------

LPCSTR CUiDynAutoHideArea::ItemGetTextPtr(TAB_ITEM_INFO* pItem)
{
    return BarItemCaptionText(pItem);
}

CUiCmdIcon* CUiDynAutoHideArea::ItemGetIconPtr(TAB_ITEM_INFO* pItem)
{
    return BarItemCommandIcon(pItem);
}

void CUiDynAutoHideArea::GetLayoutMargins(int& nLead, int& nFar, int& nCross)
{
    CUiTabWnd::GetLayoutMargins(nLead, nFar, nCross);
    nCross = 0;
    if (!IsHorizontal())
        return;
    CFrameWnd* pFrame = FrameOf(this);
    if (pFrame == nullptr)
        return;
    CRect rc;
    GetWindowRect(&rc);
    // The corners belong to the side strips while they have items.
    const UINT nSides[2] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 2; i++) {
        CControlBar* pDock = pFrame->GetControlBar(nSides[i]);
        if (pDock == nullptr || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) || static_cast<CUiDockBar*>(pDock)->m_nLevel != 0)
            return;
        CWnd* pArea = static_cast<CUiDockBar*>(pDock)->GetAutoHideArea();
        if (pArea == nullptr || !pArea->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideArea)))
            return;
        if (static_cast<CUiDynAutoHideArea*>(pArea)->ItemGetCount() > 0)
            (i == 0 ? nLead : nFar) += rc.Height();
    }
}

void CUiDynAutoHideArea::OnSizeParentHook()
{
    CFrameWnd* pFrame = FrameOf(this);
    const bool bShow = ItemGetCount() > 0 && !(pFrame != nullptr && CUiControlBar::IsFrameInPrintPreview(pFrame));
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER |
                     (bShow ? SWP_SHOWWINDOW | SWP_FRAMECHANGED : SWP_HIDEWINDOW));
}

void CUiDynAutoHideArea::SettleLook()
{
    bool bFull = g_nTabLook == 1;
    if (g_nTabLook < 0) {
        CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
        bFull = pManager != nullptr && pManager->IsStudioStyleAutoHideTabs();
    }
    if (bFull == ((m_dwTabStyle & kFullLook) != 0))
        return;
    ModifyTabStyle(kFullLook, bFull ? kFullLook : 0);
    if (m_dwTabStyle & kEqualWidths)
        m_nScrollPos = 0;
    m_bState |= kLayoutDirty;
}

// A strip that moved or changed size closes the slider.
void CUiDynAutoHideArea::NoticeMove(bool bUnlessResizing)
{
    CRect rc;
    GetWindowRect(&rc);
    if (rc == m_rcLastWindow)
        return;
    m_rcLastWindow = rc;
    if (m_pSlider == nullptr || !m_pSlider->IsShown() || m_pSlider->IsAnimating() ||
        (bUnlessResizing && m_pSlider->IsResizing()))
        return;
    m_pSlider->SendMessage(WM_CANCELMODE);
}

// The frame may fill the menu itself; else one command per auto-hidden bar, a separator
// between the groups.
void CUiDynAutoHideArea::ShowContextMenu(CPoint pt)
{
    CFrameWnd* pFrame = FrameOf(this);
    if (pFrame == nullptr || CUiControlBar::IsFrameInHelpMode(this) || (m_pSlider != nullptr && m_pSlider->IsAnimating()) ||
        m_nHoverSelectIndex >= 0)
        return;
    TrackStripMenu(this, pFrame, 8, pt, WM_CONTEXTMENU, [this](CUiPopupMenuWnd* pMenu) {
        for (int i = 0; i < ItemGetCount(); i++) {
            CUiControlBar* pBar = GetItemBar(i);
            if (pBar == nullptr)
                continue;
            if (i > 0 && (ItemGetInfo(i)->m_dwFlags & TAB_ITEM_INFO::kGroupStart))
                pMenu->ItemInsert(0, -1);
            pMenu->ItemInsert((UINT)pBar->GetDlgCtrlID(), -1);
        }
    });
}

LRESULT CUiDynAutoHideArea::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CONTEXTMENU:
        ShowContextMenu(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return DefWindowProc(nMsg, wParam, lParam);
    case WM_PAINT:
        SettleLook();
        break;
    case WM_SIZE: {
        const LRESULT lResult = CUiTabWnd::WindowProc(nMsg, wParam, lParam);
        NoticeMove(false);
        return lResult;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT lResult = CUiTabWnd::WindowProc(nMsg, wParam, lParam);
        NoticeMove(true);
        return lResult;
    }
    case WM_SIZEPARENT: {
        const LRESULT lResult = CUiTabWnd::WindowProc(nMsg, wParam, lParam);
        CFrameWnd* pFrame = FrameOf(this);
        CControlBar* pDock = pFrame != nullptr ? pFrame->GetControlBar((UINT)GetDlgCtrlID()) : nullptr;
        if (!(GetStyle() & WS_VISIBLE) || pDock == nullptr || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ||
            static_cast<CUiDockBar*>(pDock)->m_nLevel != 0)
            return lResult;
        CRect rc;
        GetWindowRect(&rc);
        CRect& rcEdge = static_cast<CUiDockBar*>(pDock)->m_rcEdgeLine;
        switch (GetSide()) {
        case 0:
            rcEdge.bottom += rc.Height();
            break;
        case 1:
            rcEdge.top -= rc.Height();
            break;
        case 2:
            rcEdge.right += rc.Width();
            break;
        default:
            rcEdge.left -= rc.Width();
            break;
        }
        return lResult;
    }
    default:
        break;
    }
    return CUiTabWnd::WindowProc(nMsg, wParam, lParam);
}
