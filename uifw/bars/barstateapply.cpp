// Putting a saved layout back into a live frame.
//
// Every bar is first taken to a neutral place (docked on a side and hidden); the tree of bar
// records then docks the resizable bars into their rings and rows and rebuilds the nested
// and floating containers, and the class library's dock state with the outer items puts the
// fixed-size bars back. The frame is held in the frame lock map meanwhile and lays itself
// out only at the explicit layouts below. A floating frame that cannot be made stops the
// apply; the frame's in-layout flag is cleared on that way out too and a layout is asked for
// at idle, or the frame would never lay itself out again.
#include "barstaterecords.h"

#include "afxext.h"
#include "barstatelimits.h"
#include "dockbar.h"
#include "dynbar.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "monitorinfo.h"
#include "tabwnd.h"

#include <algorithm>
#include <vector>

namespace {
const UINT kIdleLayout = CFrameWnd::idleLayout | CFrameWnd::idleNotify;

UINT SideOfStyle(DWORD dwStyle)
{
    if (dwStyle & CBRS_ALIGN_BOTTOM)
        return AFX_IDW_DOCKBAR_BOTTOM;
    if (dwStyle & CBRS_ALIGN_LEFT)
        return AFX_IDW_DOCKBAR_LEFT;
    if (dwStyle & CBRS_ALIGN_RIGHT)
        return AFX_IDW_DOCKBAR_RIGHT;
    return AFX_IDW_DOCKBAR_TOP;
}

bool IsInRingOrContainer(CDockBar* pDockBar)
{
    if (pDockBar == nullptr || !pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return false;
    return static_cast<CUiDockBar*>(pDockBar)->m_nLevel > 0 || pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar));
}

// A container's inner dock bar is no dock bar of the frame: the frame's layout and the
// capture must never take it for one.
void TakeOutOfFrameList(CUiDynControlBar* pContainer, CFrameWnd* pFrame)
{
    CUiDockDynBar* pInner = pContainer->m_pInnerDockBar;
    if (pInner == nullptr || (pInner->m_bDynFlags & CUiDockDynBar::kOutOfFrameList))
        return;
    pFrame->RemoveControlBar(pInner);
    pInner->m_bDynFlags |= CUiDockDynBar::kOutOfFrameList;
}

// Moves a floating frame back onto its monitor's work area when it lies wholly outside.
void KeepOnWorkArea(CFrameWnd* pFloatingFrame)
{
    CRect rc;
    pFloatingFrame->GetWindowRect(&rc);
    const CRect rcFit = FitRectToMonitor(rc, TRUE, FALSE);
    if (rcFit == rc)
        return;
    pFloatingFrame->SetWindowPos(NULL, rcFit.left, rcFit.top, rcFit.Width(), rcFit.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    pFloatingFrame->m_nIdleFlags |= kIdleLayout;
}

// Moves a bar inside its dock bar without the bar moving its child or laying out its row.
void PlaceBar(CUiControlBar* pBar, const CRect& rc)
{
    pBar->m_bTrackFlags |= CUiControlBar::kNoChildMove;
    const CRect rcPlace = barstatelimits::DockPlace(rc, CRect(0, 0, 200, 200));
    pBar->MoveWindow(&rcPlace, FALSE);
    pBar->m_bTrackFlags &= ~CUiControlBar::kNoChildMove;
}

// The frame side a saved dock rectangle (screen) lay on: the side whose triangle between the
// diagonals of the frame's client area holds the rectangle's centre; 0 for an empty rectangle.
UINT SideOfDockRect(const CRect& rcDock, CFrameWnd* pFrame)
{
    if (rcDock.IsRectEmpty())
        return 0;
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    if (rcClient.IsRectEmpty())
        return 0;
    // In 64 bits, and inside the client area: a damaged rectangle must not overflow.
    const long long x = std::max<long long>(rcClient.left, std::min<long long>(rcClient.right, ((long long)rcDock.left + rcDock.right) / 2));
    const long long y = std::max<long long>(rcClient.top, std::min<long long>(rcClient.bottom, ((long long)rcDock.top + rcDock.bottom) / 2));
    const long long dx = 2 * x - rcClient.left - rcClient.right, dy = 2 * y - rcClient.top - rcClient.bottom;
    if ((dx < 0 ? -dx : dx) * rcClient.Height() > (dy < 0 ? -dy : dy) * rcClient.Width())
        return dx < 0 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_RIGHT;
    return dy < 0 ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_BOTTOM;
}

CRect WorkAreaOf(CWnd* pWnd)
{
    MonitorInfo info;
    MonitorInfoFromWindow(info, pWnd);
    return CRect(info.rcWork);
}

CRect WorkAreaAt(POINT pt)
{
    MonitorInfo info;
    MonitorInfoFromPoint(info, pt);
    return CRect(info.rcWork);
}

// The smallest floating frame there is: its borders and caption around a bar's caption.
CSize MinFloatingFrameSize()
{
    const int nCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    return CSize(2 * ::GetSystemMetrics(SM_CXFRAME) + nCaption, 2 * ::GetSystemMetrics(SM_CYFRAME) + 2 * nCaption);
}

// Mends each record of the array (children of pParent) and deletes those that cannot be.
void RefuseRecords(CArray<CUiControlBar::InternalDockStateBar*, CUiControlBar::InternalDockStateBar*>& records,
                   CFrameWnd* pFrame, CUiControlBar::InternalDockStateBar* pParent, std::vector<UINT>& named)
{
    for (INT_PTR i = 0; i < records.GetSize();) {
        if (records[i]->RefuseDamage(pFrame, pParent, named)) {
            i++;
            continue;
        }
        delete records[i];
        records.RemoveAt(i);
    }
}

// A bar of the frame that a plain bar record may name: never a container, which only the
// apply itself makes (one may carry the id a damaged record names).
CUiControlBar* PlainBarOf(CFrameWnd* pFrame, UINT nId)
{
    CControlBar* pBar = nId != 0 ? pFrame->GetControlBar(nId) : nullptr;
    if (pBar == nullptr || pBar->IsDockBar() || !pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) ||
        pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
        return nullptr;
    return static_cast<CUiControlBar*>(pBar);
}
}

// ---------------------------------------------------------------------------------------

bool CUiControlBar::InternalDockStateSite::ApplyState(bool bPositionFrame)
{
    KeepPlacementOnWorkArea();
    if (bPositionFrame)
        PositionFrame();
    UndockAll();
    CUiDockBar::OptimizeRings(m_pFrame);
    m_pFrame->RecalcLayout(TRUE);

    RefuseDamagedRecords();
    if (!ApplyBarRecords())
        return false;
    ApplyAutoHideIds();
    KeepTreeBarsOutOfDockState();
    if (!FrameBarInfoApply(m_pFrame, *m_pDockState, m_arrOuterItems)) {
        m_pFrame->m_nIdleFlags |= kIdleLayout;
        return false;
    }
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        m_arrBars[i]->RestoreSizes(m_pFrame, nullptr);
    m_pFrame->RecalcLayout(TRUE);
    FinishBars();
    // A container the records left with one bar (the others named bars this frame does not
    // have) gives it its place now, as when a person drags the others out; kept, it would
    // dissolve only at the next load, and a second save and load would differ from the first.
    bool bDissolved = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        bDissolved = m_arrBars[i]->DissolveIfSingle() || bDissolved;
    if (bDissolved)
        m_pFrame->RecalcLayout(TRUE);
    MarkLeftOutBars();
    return true;
}

// Every framework bar that no record placed: the tree's plain bars, the class library's bar
// records, the bars of its dock bar records' rows and the outer items' bars are the placed ones.
void CUiControlBar::InternalDockStateSite::MarkLeftOutBars()
{
    std::vector<CControlBar*> placed;
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        m_arrBars[i]->CollectPlainBarIds(ids);
    for (INT_PTR i = 0; i < m_arrOuterItems.GetSize(); i++)
        ids.push_back(m_arrOuterItems[i].m_nBarId);
    for (INT_PTR i = 0; i < m_pDockState->m_arrBarInfo.GetSize(); i++) {
        CControlBar* pBar = m_pDockState->GetBarInfo((int)i)->m_pBar;
        if (pBar == nullptr || pBar->GetSafeHwnd() == NULL)
            continue;
        placed.push_back(pBar);
        if (!pBar->IsDockBar())
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pBar);
        for (INT_PTR j = 1; j < pDockBar->m_arrBars.GetSize(); j++) {
            if (IsBarEntry(pDockBar->m_arrBars[j]))
                placed.push_back(static_cast<CControlBar*>(pDockBar->m_arrBars[j]));
        }
    }
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == NULL || pBar->IsDockBar() || !pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pUiBar = static_cast<CUiControlBar*>(pBar);
        const bool bPlaced = std::find(placed.begin(), placed.end(), pBar) != placed.end() ||
                             std::find(ids.begin(), ids.end(), (UINT)pBar->GetDlgCtrlID()) != ids.end();
        if (bPlaced) {
            pUiBar->m_bViewFlags &= ~kLeftOutByLayout;
            continue;
        }
        pUiBar->m_bViewFlags |= kLeftOutByLayout;
        // Parked on the outer ring a resizable bar has no size once it shows: it waits on the
        // inner ring. Moved only now, when no container of the records is left half built.
        CDockBar* pDockBar = pUiBar->m_pDockBar;
        if (!pUiBar->IsFixedSizeBar() && !pUiBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) && pDockBar != nullptr &&
            pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)) && !pDockBar->m_bFloating &&
            static_cast<CUiDockBar*>(pDockBar)->m_nLevel == 0 && !pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
            pUiBar->InsertIntoFrameDockBar(SideOfStyle(pUiBar->GetBarStyle()), 1, m_pFrame, false);
            // A row of its own: several left out would share the last row down to nothing.
            CDockBar* pRing = pUiBar->m_pDockBar;
            const int nIndex = pRing != nullptr ? pRing->FindBar(pUiBar) : -1;
            if (nIndex > 1 && pRing->m_arrBars[nIndex - 1] != nullptr)
                pRing->m_arrBars.InsertAt(nIndex, (void*)nullptr);
            m_pFrame->ShowControlBar(pUiBar, FALSE, TRUE);
            m_pFrame->m_nIdleFlags |= kIdleLayout;
        }
    }
}

// The frame shows, and lies on the work area of its monitor, whatever the saved placement says.
void CUiControlBar::InternalDockStateSite::KeepPlacementOnWorkArea()
{
    WINDOWPLACEMENT wpOwn;
    CRect rcOwn(m_wp.rcNormalPosition);
    if (BarStateNeutralPlacement(m_pFrame, wpOwn))
        rcOwn = wpOwn.rcNormalPosition;
    const CSize sizeMinTrack(::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CYMINTRACK));
    const CPoint ptSaved(m_wp.rcNormalPosition.left, m_wp.rcNormalPosition.top);
    m_wp.rcNormalPosition = barstatelimits::FramePlacement(m_wp.rcNormalPosition, rcOwn, WorkAreaAt(ptSaved), sizeMinTrack);
}

// Makes the record tree one the capture could have written: a bar named twice keeps its first
// place, a bar that does not exist or is a container is left out with any container
// left without bars, a container has a container's id, a child the kind of place its parent
// offers, a floating container a floating frame's style, and a docked top-level record a
// frame side and an inner ring.
void CUiControlBar::InternalDockStateSite::RefuseDamagedRecords()
{
    std::vector<UINT> named;
    RefuseRecords(m_arrBars, m_pFrame, nullptr, named);
}

// The class library's records never name a bar that the record tree placed: the capture keeps
// the two apart, and such a record would pull the bar out of its group or container again.
void CUiControlBar::InternalDockStateSite::KeepTreeBarsOutOfDockState()
{
    std::vector<UINT> placed;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        m_arrBars[i]->CollectPlainBarIds(placed);
    auto isPlaced = [&](UINT nId) { return std::find(placed.begin(), placed.end(), nId) != placed.end(); };
    for (INT_PTR i = 0; i < m_pDockState->m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = m_pDockState->GetBarInfo((int)i);
        if (!pInfo->m_bDockBar) {
            if (isPlaced(pInfo->m_nBarID))
                pInfo->m_nBarID = 0;
            continue;
        }
        for (INT_PTR j = pInfo->m_arrBarID.GetSize() - 1; j >= 0; j--) {
            const DWORD dwId = pInfo->m_arrBarID[j];
            if (dwId != 0 && !(dwId & CControlBarInfo::kPlaceHolderFlag) && isPlaced(dwId & 0xFFFF))
                pInfo->m_arrBarID.RemoveAt(j);
        }
    }
    for (INT_PTR i = 0; i < m_arrOuterItems.GetSize(); i++) {
        if (isPlaced(m_arrOuterItems[i].m_nBarId))
            m_arrOuterItems[i].m_nBarId = 0;
    }
}

void CUiControlBar::InternalDockStateSite::PositionFrame()
{
    CRect rc(m_wp.rcNormalPosition);
    switch (m_wp.showCmd) {
    case SW_SHOWMAXIMIZED:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_HIDE:
    case SW_FORCEMINIMIZE: {
        MonitorInfo info;
        MonitorInfoFromRect(info, rc);
        rc = info.rcWork;
        break;
    }
    default:
        break;
    }
    m_pFrame->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

// Every bar to a neutral place: bars floating alone docked on the side of their style, the
// resizable bars of the rings and containers hidden where they are; all hidden at idle.
void CUiControlBar::InternalDockStateSite::UndockAll()
{
    CArray<CControlBar*, CControlBar*> arrBars;
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
        arrBars.Add(static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos)));

    CArray<CUiControlBar*, CUiControlBar*> arrFloating;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
        CControlBar* pBar = arrBars[i];
        if (pBar->GetSafeHwnd() == NULL)
            continue;
        CFrameWnd* pParentFrame = pBar->GetParentFrame();
        const bool bUiBar = pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) != FALSE;
        const bool bContainer = pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) != FALSE;
        if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && bUiBar && !bContainer) {
            arrFloating.Add(static_cast<CUiControlBar*>(pBar));
            continue;
        }
        if (pBar->IsDockBar() || pBar->m_pDockSite == nullptr || pBar->m_pDockContext == nullptr)
            continue;
        if (pBar->m_pDockBar == nullptr) {
            m_pFrame->DockControlBar(pBar, (UINT)0);
            m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
        } else if (bUiBar && !bContainer && !static_cast<CUiControlBar*>(pBar)->IsFixedSizeBar() &&
                   IsInRingOrContainer(pBar->m_pDockBar)) {
            m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
        }
    }
    for (INT_PTR i = 0; i < arrFloating.GetSize(); i++) {
        CUiControlBar* pBar = arrFloating[i];
        const UINT nSide = SideOfStyle(pBar->GetBarStyle());
        if (pBar->IsFixedSizeBar()) {
            if (pBar->IsBarFloating())
                pBar->ShowWindow(SW_HIDE);
            m_pFrame->DockControlBar(pBar, nSide);
        } else {
            pBar->InsertIntoFrameDockBar(nSide, 1, m_pFrame, false);
        }
        m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    }
}

bool CUiControlBar::InternalDockStateSite::ApplyBarRecords()
{
    m_pFrame->m_bInRecalcLayout = TRUE;
    bool bApplied = true;
    for (INT_PTR i = 0; i < m_arrBars.GetSize() && bApplied; i++)
        bApplied = m_arrBars[i]->ApplyState(m_pFrame, nullptr);
    m_pFrame->m_bInRecalcLayout = FALSE;
    if (!bApplied)
        m_pFrame->m_nIdleFlags |= kIdleLayout;
    return bApplied;
}

// Each saved id is the group-active bar of its strip group: it is made so again.
void CUiControlBar::InternalDockStateSite::ApplyAutoHideIds()
{
    for (INT_PTR i = 0; i < m_arrAutoHideIds.GetSize(); i++) {
        CControlBar* pFound = m_pFrame->GetControlBar(m_arrAutoHideIds[i]);
        if (pFound == nullptr || pFound->IsDockBar() || !pFound->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pBar = static_cast<CUiControlBar*>(pFound);
        pBar->SetAutoHideMode(true, false, true, true);
        CWnd* pDock = pBar->m_pDockBar;
        while (pDock != nullptr && (!pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) || pDock->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))))
            pDock = pDock->GetParent();
        CControlBar* pSide = pDock != nullptr ? m_pFrame->GetControlBar((UINT)pDock->GetDlgCtrlID()) : nullptr;
        CWnd* pAreaWnd = pSide != nullptr && pSide->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ? static_cast<CUiDockBar*>(pSide)->GetAutoHideArea()
                                                                                      : nullptr;
        if (pAreaWnd == nullptr || !pAreaWnd->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideArea)))
            continue;
        CUiDynAutoHideArea* pArea = static_cast<CUiDynAutoHideArea*>(pAreaWnd);
        const int nItem = pArea->ItemFindByLParam((LPARAM)pBar);
        if (nItem < 0)
            continue;
        const BYTE bOldQuiet = pArea->m_bQuiet;
        pArea->m_bQuiet |= CUiDynAutoHideArea::kQuietNoSlide | CUiDynAutoHideArea::kQuietActive;
        pArea->SelectionSet(nItem, false, false);
        pArea->SelectionSet(-1, false, false);
        pArea->m_bQuiet = bOldQuiet;
    }
}

void CUiControlBar::InternalDockStateSite::FinishBars()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
        InternalDockStateBar* pRecord = m_arrBars[i];
        pRecord->FinishApply(m_pFrame, nullptr);
        if (!(pRecord->m_dwFlags & InternalDockStateBar::kFloating) || pRecord->m_pBar == nullptr)
            continue;
        pRecord->m_pBar->RecalcNcFrame();
        pRecord->m_pBar->RepositionChildWindow(-1, -1, TRUE);
        if (CFrameWnd* pFloatingFrame = pRecord->m_pBar->GetParentFrame())
            pFloatingFrame->RecalcLayout(TRUE);
    }
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == NULL || pBar->IsDockBar() || !pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) ||
            pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            continue;
        CUiControlBar* pUiBar = static_cast<CUiControlBar*>(pBar);
        if (!pUiBar->IsFixedSizeBar())
            continue;
        pUiBar->RecalcNcFrame();
        if (pUiBar->IsBarFloating())
            pUiBar->RequestFrameRecalcLayout();
    }
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    m_pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

// ---------------------------------------------------------------------------------------

bool CUiControlBar::InternalDockStateBar::RefuseDamage(CFrameWnd* pFrame, InternalDockStateBar* pParent,
                                                       std::vector<UINT>& named)
{
    m_dwFlags &= ~(kChild | kTab);
    if (pParent != nullptr)
        m_dwFlags |= kChild | (pParent->GetKind() == kKindTabbed ? (DWORD)kTab : 0u);
    if (GetKind() == kKindContainer || GetKind() == kKindTabbed) {
        if (!IsSideDockBarId(m_nBarId) && m_nBarId != AFX_IDW_DOCKBAR_FLOAT)
            m_nBarId = AFX_IDW_DOCKBAR_TOP;
        RefuseRecords(m_arrChildren, pFrame, this, named);
        if (m_arrChildren.GetSize() == 0)
            return false;
        if (pParent != nullptr)
            m_dwFlags &= ~kFloating;
    } else {
        m_dwFlags = (m_dwFlags & ~(kKindMask | kFloating)) | kKindBar;
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            delete m_arrChildren[i];
        m_arrChildren.RemoveAll();
        if (PlainBarOf(pFrame, m_nBarId) == nullptr || std::find(named.begin(), named.end(), m_nBarId) != named.end())
            return false;
        named.push_back(m_nBarId);
    }
    if (m_dwFlags & kFloating)
        m_dwFloatFrameStyle = barstatelimits::FloatingFrameStyle(m_dwFloatFrameStyle);
    if (pParent == nullptr && !(m_dwFlags & kFloating)) {
        if (!IsSideDockBarId(m_nDockBarId))
            m_nDockBarId = SideOfStyle(m_dwStyle);
        m_nRingLevel = std::max(1, std::min((int)kMaxNesting, m_nRingLevel));
    }
    return true;
}

void CUiControlBar::InternalDockStateBar::CollectPlainBarIds(std::vector<UINT>& ids) const
{
    if (GetKind() == kKindBar && m_pBar != nullptr)
        ids.push_back(m_nBarId);
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        m_arrChildren[i]->CollectPlainBarIds(ids);
}

bool CUiControlBar::InternalDockStateBar::ApplyState(CFrameWnd* pFrame, InternalDockStateBar* pParent)
{
    m_pBar = nullptr;
    if (GetKind() == kKindContainer || GetKind() == kKindTabbed) {
        if (!CreateContainer(pFrame, pParent))
            return false;
        if (m_pBar == nullptr)
            return true;
        if (GetKind() == kKindTabbed) {
            m_nSelectedChild = -1;
            for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++) {
                if ((m_arrChildren[i]->m_dwFlags & (kSelectedTab | kVisible)) == (kSelectedTab | kVisible))
                    m_nSelectedChild = (int)i;
            }
        }
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++) {
            if (!m_arrChildren[i]->ApplyState(pFrame, this))
                return false;
        }
    } else {
        // A container the apply made may carry the id a record names: it is never a plain bar.
        m_pBar = PlainBarOf(pFrame, m_nBarId);
        if (m_pBar == nullptr)
            return true;
        DockIntoDockBar(pFrame, pParent);
    }

    pFrame->ShowControlBar(m_pBar, (m_dwFlags & kVisible) != 0, TRUE);
    CFrameWnd* pParentFrame = m_pBar->GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) {
        pParentFrame->m_listControlBars.RemoveAll();
        KeepOnWorkArea(pParentFrame);
    }
    // Where the bar sits decides its side and floating bits, not what the record says.
    const DWORD kPlaceBits = CBRS_ALIGN_ANY | CBRS_FLOATING;
    m_pBar->SetBarStyle((m_dwStyle & ~kPlaceBits) | (m_pBar->GetBarStyle() & kPlaceBits));
    CopyIntoBar(pFrame);
    return true;
}

bool CUiControlBar::InternalDockStateBar::CreateContainer(CFrameWnd* pFrame, InternalDockStateBar* pParent)
{
    CUiMiniDockFrameWnd* pFloatingFrame = nullptr;
    if (m_dwFlags & kFloating) {
        pFloatingFrame = new CUiMiniDockFrameWnd;
        // A frame that cannot be made has deleted itself.
        if (!pFloatingFrame->Create(pFrame, m_dwFloatFrameStyle))
            return false;
        const CRect rc = barstatelimits::FloatingFrame(m_rcFloatFrame, MinFloatingFrameSize(), CSize(200, 200),
                                                       WorkAreaAt(m_rcFloatFrame.TopLeft()));
        pFloatingFrame->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        pFloatingFrame->m_nIdleFlags |= kIdleLayout;
    }

    CUiDynControlBar* pContainer = nullptr;
    if (GetKind() == kKindTabbed) {
        CUiControlBar* pOffered = nullptr;
        pFrame->SendMessage(CUiControlBar::g_nMsgCreateTabbedBar, (WPARAM)&pOffered);
        pContainer = pOffered != nullptr && pOffered->IsKindOf(RUNTIME_CLASS(CUiDynControlBar))
                         ? static_cast<CUiDynControlBar*>(pOffered)
                         : new CUiDynTabControlBar;
    } else {
        pContainer = new CUiDynControlBar;
    }
    const CRect rcWork = WorkAreaOf(pFrame);
    pContainer->m_sizeHorz = barstatelimits::BarSize(m_sizeHorz, pContainer->m_sizeHorz, rcWork);
    pContainer->m_sizeVert = barstatelimits::BarSize(m_sizeVert, pContainer->m_sizeVert, rcWork);
    pContainer->m_sizeFloat = barstatelimits::BarSize(m_sizeFloat, pContainer->m_sizeFloat, rcWork);
    // A container that cannot be made has deleted itself; its floating frame goes with it.
    if (!pContainer->Create(NULL, pFrame, m_nBarId, 0x40000F10 | (m_dwFlags & kCreateStyleMask))) {
        if (pFloatingFrame != nullptr)
            pFloatingFrame->DestroyWindow();
        return true;
    }
    m_pBar = pContainer;
    pContainer->m_pDockSite = pFrame;
    if (pContainer->m_pInnerDockBar != nullptr)
        pContainer->m_pInnerDockBar->m_pDockSite = pFrame;
    pContainer->SetOwner(pFrame);
    pContainer->EnableDocking(CBRS_ALIGN_ANY);
    if (pFrame->m_listControlBars.Find(pContainer) == NULL)
        pFrame->AddControlBar(pContainer);
    if (pFloatingFrame != nullptr)
        pContainer->SetParent(&pFloatingFrame->m_wndDockBar);
    TakeOutOfFrameList(pContainer, pFrame);

    if (pFloatingFrame != nullptr) {
        pFloatingFrame->m_wndDockBar.DockControlBar(pContainer, NULL);
        PlaceBar(pContainer, m_rcDock);
    } else {
        DockIntoDockBar(pFrame, pParent);
    }
    return true;
}

void CUiControlBar::InternalDockStateBar::DockIntoDockBar(CFrameWnd* pFrame, InternalDockStateBar* pParent)
{
    if ((m_dwFlags & kTab) && pParent != nullptr) {
        if (pParent->m_pBar != nullptr)
            pParent->m_pBar->DockIntoTabbedGroup(m_pBar, -1, pFrame, false);
        return;
    }
    CUiDockBar* pDockBar = nullptr;
    if ((m_dwFlags & kChild) && pParent != nullptr) {
        if (pParent->m_pBar != nullptr && pParent->m_pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
            pDockBar = static_cast<CUiDynControlBar*>(pParent->m_pBar)->m_pInnerDockBar;
    } else if (m_nRingLevel >= 0 && m_nRingLevel <= kMaxNesting) {
        // A damaged level must not make thousands of rings.
        CControlBar* pSide = pFrame->GetControlBar(m_nDockBarId);
        if (IsSideDockBarId(m_nDockBarId) && pSide != nullptr && pSide->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            pDockBar = static_cast<CUiDockBar*>(pSide)->GetRingDockBar((UINT)m_nRingLevel);
    }
    if (pDockBar == nullptr)
        return;

    const bool bWasLocked = pDockBar->SetLayoutLock(true);
    pDockBar->DockControlBarEx(m_pBar, NULL, false);
    if ((m_dwFlags & kChild) || GetKind() != kKindBar)
        PlaceBar(m_pBar, m_rcDock);
    pDockBar->SetLayoutLock(bWasLocked);

    const int nIndex = pDockBar->FindBar(m_pBar);
    if (nIndex <= 1)
        return;
    const bool bBreakBefore = pDockBar->m_arrBars[nIndex - 1] == nullptr;
    if ((m_dwFlags & kNewRow) && !bBreakBefore)
        pDockBar->m_arrBars.InsertAt(nIndex, (void*)nullptr);
    else if (!(m_dwFlags & kNewRow) && bBreakBefore)
        pDockBar->m_arrBars.RemoveAt(nIndex - 1);
}

// The sizes a bar could not have had are refused (it keeps its own), and the places it floats
// at later are held on the work area.
void CUiControlBar::InternalDockStateBar::CopyIntoBar(CFrameWnd* pFrame)
{
    const CRect rcWork = WorkAreaOf(pFrame);
    m_pBar->m_ptSavedLayout = barstatelimits::ScreenPoint(m_ptLastFloat, WorkAreaAt(m_ptLastFloat));
    m_pBar->m_sizeHorz = barstatelimits::BarSize(m_sizeHorz, m_pBar->m_sizeHorz, rcWork);
    m_pBar->m_sizeVert = barstatelimits::BarSize(m_sizeVert, m_pBar->m_sizeVert, rcWork);
    m_pBar->m_sizeFloat = barstatelimits::BarSize(m_sizeFloat, m_pBar->m_sizeFloat, rcWork);
    const int nExtent = (int)m_dwBarValue;
    m_pBar->m_nReclaimExtent = nExtent >= 0 && nExtent <= std::max(rcWork.Width(), rcWork.Height()) ? nExtent : 0;
    if (m_nMRUWidth > 0)
        m_pBar->m_nMRUWidth = m_nMRUWidth;
    if (CDockContext* pContext = m_pBar->m_pDockContext) {
        pContext->m_rectMRUDockPos = m_rcMRUDock;
        pContext->m_dwMRUFloatStyle = m_dwMRUFloatStyle;
        pContext->m_ptMRUFloatPos = barstatelimits::ScreenPoint(m_ptMRUFloat, WorkAreaAt(m_ptMRUFloat));
        // A floating container's record names no side it was docked on, and its new window
        // was never docked: without one, a double click on its caption would dock it at the
        // top. The side is read from where it lay when it floated.
        if ((m_dwFlags & kFloating) && !IsSideDockBarId(pContext->m_uMRUDockID))
            pContext->m_uMRUDockID = SideOfDockRect(m_rcMRUDock, pFrame);
    }
}

void CUiControlBar::InternalDockStateBar::RestoreSizes(CFrameWnd* pFrame, InternalDockStateBar*)
{
    if (m_pBar != nullptr)
        CopyIntoBar(pFrame);
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        m_arrChildren[i]->RestoreSizes(pFrame, this);
}

void CUiControlBar::InternalDockStateBar::FinishApply(CFrameWnd* pFrame, InternalDockStateBar*)
{
    if (m_pBar == nullptr)
        return;
    if (m_pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar))) {
        TakeOutOfFrameList(static_cast<CUiDynControlBar*>(m_pBar), pFrame);
        if (m_dwFlags & kFloating) {
            if (CFrameWnd* pFloatingFrame = m_pBar->GetParentFrame())
                pFloatingFrame->RecalcLayout(TRUE);
        }
        if (GetKind() == kKindTabbed && m_nSelectedChild >= 0)
            SelectChildTab();
        // The container was placed without sizing its inner dock bar, and the frame's layout
        // that followed gave it the same rectangle, so no size message came: the inner dock bar
        // would stay empty, its bars unseen, until the main window is resized. Done before the
        // children, whose containers the inner dock bar's layout has placed by then.
        if (!(m_dwFlags & kFloating))
            m_pBar->RepositionChildWindow(-1, -1, TRUE);
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            m_arrChildren[i]->FinishApply(pFrame, this);
    }
    CopyIntoBar(pFrame);
}

bool CUiControlBar::InternalDockStateBar::DissolveIfSingle()
{
    bool bDissolved = false;
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        bDissolved = m_arrChildren[i]->DissolveIfSingle() || bDissolved;
    if (m_pBar == nullptr || !m_pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
        return bDissolved;
    CUiDockDynBar* pInner = static_cast<CUiDynControlBar*>(m_pBar)->m_pInnerDockBar;
    if (pInner == nullptr || pInner->GetSafeHwnd() == NULL || pInner->GetDockedCount() != 1)
        return bDissolved;
    const HWND hContainer = m_pBar->m_hWnd;
    pInner->RefreshBarsState();
    if (::IsWindow(hContainer))
        return bDissolved;
    m_pBar = nullptr;
    return true;
}

// The tab is found by its bar: counting shown tabs up to the child's index would pick
// another tab whenever a tab before it is hidden.
void CUiControlBar::InternalDockStateBar::SelectChildTab()
{
    if (!(m_pBar->GetStyle() & WS_VISIBLE))
        m_pBar->ShowWindow(SW_SHOWNA);
    CUiDynTabControlBar* pGroup = static_cast<CUiDynTabControlBar*>(m_pBar);
    CUiControlBar* pChild = m_arrChildren[m_nSelectedChild]->m_pBar;
    if (pChild == nullptr || pGroup->GetSelectedBar() == pChild || !pChild->IsVisible() ||
        pGroup->m_wndTabs.GetSafeHwnd() == NULL)
        return;
    const int nItem = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)pChild);
    if (nItem >= 0)
        pGroup->m_wndTabs.SelectionSet(nItem, true, true);
}

// ---------------------------------------------------------------------------------------

namespace {
// Holds the places and sizes that the class library's records and the outer items give bars
// to what the program could have written: screen points on the work area, positions inside a
// dock bar near it, positive widths, sizes no larger than the work area (else the bar's own).
void KeepDockStateOnWorkArea(CFrameWnd* pFrame, CDockState& state,
                             CArray<CUiControlBar::OuterItemData_t, CUiControlBar::OuterItemData_t&>& items)
{
    const CRect rcWork = WorkAreaOf(pFrame);
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        if (pInfo->m_bDockBar && pInfo->m_bFloating)
            pInfo->m_pointPos = barstatelimits::ScreenPoint(pInfo->m_pointPos, WorkAreaAt(pInfo->m_pointPos));
        else
            pInfo->m_pointPos = barstatelimits::DockPlace(CRect(pInfo->m_pointPos, CSize(0, 0)), CRect(0, 0, 0, 0)).TopLeft();
        if (pInfo->m_nMRUWidth <= 0)
            pInfo->m_nMRUWidth = 32767;
        pInfo->m_ptMRUFloatPos = barstatelimits::ScreenPoint(pInfo->m_ptMRUFloatPos, WorkAreaAt(pInfo->m_ptMRUFloatPos));
    }
    for (INT_PTR i = 0; i < items.GetSize(); i++) {
        CUiControlBar::OuterItemData_t& item = items[i];
        CControlBar* pBar = pFrame->GetControlBar(item.m_nBarId);
        if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pUiBar = static_cast<CUiControlBar*>(pBar);
        item.m_ptPos = barstatelimits::ScreenPoint(item.m_ptPos, WorkAreaAt(item.m_ptPos));
        item.m_sizeHorz = barstatelimits::BarSize(item.m_sizeHorz, pUiBar->m_sizeHorz, rcWork);
        item.m_sizeVert = barstatelimits::BarSize(item.m_sizeVert, pUiBar->m_sizeVert, rcWork);
        item.m_sizeFloat = barstatelimits::BarSize(item.m_sizeFloat, pUiBar->m_sizeFloat, rcWork);
    }
}
} // namespace

bool FrameBarInfoApply(CFrameWnd* pFrame, CDockState& state,
                       CArray<CUiControlBar::OuterItemData_t, CUiControlBar::OuterItemData_t&>& items)
{
    KeepDockStateOnWorkArea(pFrame, state, items);
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bDockBar && pInfo->m_bFloating) {
            CMiniDockFrameWnd* pFloatingFrame = pFrame->CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (pFloatingFrame == nullptr)
                return false;
            CRect rc(pInfo->m_pointPos, CSize(10, 10));
            pFloatingFrame->CalcWindowRect(&rc);
            pFloatingFrame->SetWindowPos(NULL, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFloatingFrame->m_wndDockBar;
        } else {
            CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
            if (pBar != nullptr && !pBar->IsDockBar() == !pInfo->m_bDockBar)
                pInfo->m_pBar = pBar;
        }
        if (pInfo->m_pBar != nullptr)
            pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
    }
    for (INT_PTR i = 0; i < items.GetSize(); i++) {
        const CUiControlBar::OuterItemData_t& item = items[i];
        CControlBar* pBar = pFrame->GetControlBar(item.m_nBarId);
        if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        CUiControlBar* pUiBar = static_cast<CUiControlBar*>(pBar);
        pUiBar->m_ptSavedLayout = item.m_ptPos;
        pUiBar->m_sizeHorz = item.m_sizeHorz;
        pUiBar->m_sizeVert = item.m_sizeVert;
        pUiBar->m_sizeFloat = item.m_sizeFloat;
        pUiBar->SetPlacementRecord(item.m_record);
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        if (pInfo->m_pBar == nullptr)
            continue;
        if (pInfo->m_pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)) && pInfo->m_pBar->m_pDockContext != nullptr)
            static_cast<CUiControlBar*>(pInfo->m_pBar)->m_ptSavedLayout = pInfo->m_ptMRUFloatPos;
        pInfo->m_pBar->SetBarInfo(pInfo, pFrame);
    }
    for (INT_PTR i = 0; i < items.GetSize(); i++) {
        const CUiControlBar::OuterItemData_t& item = items[i];
        if (!(item.m_bFlags & CUiControlBar::OuterItemData_t::kFloating))
            continue;
        CControlBar* pBar = pFrame->GetControlBar(item.m_nBarId);
        if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
            continue;
        const CRect rcTarget = FitRectToMonitor(CRect(item.m_ptPos, item.m_sizeFloat), TRUE, FALSE);
        CFrameWnd* pParentFrame = pBar->GetParentFrame();
        if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) {
            CRect rc;
            pParentFrame->GetWindowRect(&rc);
            if (rc != rcTarget) {
                pParentFrame->SetWindowPos(NULL, rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(),
                                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
                pParentFrame->m_nIdleFlags |= kIdleLayout;
            }
        } else {
            static_cast<CUiControlBar*>(pBar)->FloatAt(rcTarget.left, rcTarget.top, CBRS_ALIGN_TOP);
        }
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = state.GetBarInfo((int)i);
        if (pInfo->m_pBar == nullptr || !pInfo->m_bDockBar || !pInfo->m_bFloating)
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pInfo->m_pBar);
        CFrameWnd* pFloatingFrame = pDockBar->GetParentFrame();
        // A floating frame none of whose bars exist any more would only linger hidden.
        if (pDockBar->GetDockedCount() == 0) {
            pInfo->m_pBar = nullptr;
            pFloatingFrame->DestroyWindow();
            continue;
        }
        if (pDockBar->GetDockedVisibleCount() > 0) {
            pFloatingFrame->RecalcLayout(TRUE);
            pFloatingFrame->ShowWindow(SW_SHOWNA);
        }
        for (INT_PTR j = 1; j < pDockBar->m_arrBars.GetSize(); j++) {
            void* p = pDockBar->m_arrBars[j];
            if (IsBarEntry(p) && static_cast<CControlBar*>(p)->IsKindOf(RUNTIME_CLASS(CUiControlBar)) &&
                !static_cast<CUiControlBar*>(p)->IsFixedSizeBar())
                static_cast<CUiControlBar*>(p)->RecalcNcFrame();
        }
    }
    return true;
}
