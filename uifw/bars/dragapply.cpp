// A finished drag target turned into one docking operation.
#include "dragstate.h"

#include "dockbar.h"
#include "dockmarkerwnd.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"

namespace {

const UINT kSideOfKind[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

// A docked bar leaving its row gives its length to the nearest visible bar of the row.
void GiveLengthToRowNeighbour(CUiControlBar* pBar)
{
    CControlBar* pNeighbour = pBar->FindRowNeighbour(true, true, true);
    if (pNeighbour == nullptr || !pNeighbour->IsWindowVisible())
        pNeighbour = pBar->FindRowNeighbour(false, true, true);
    if (pNeighbour == nullptr || !pNeighbour->IsWindowVisible() || !pNeighbour->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
        return;
    CUiControlBar* pOther = static_cast<CUiControlBar*>(pNeighbour);
    CRect rc;
    pBar->GetWindowRect(&rc);
    const bool bHorz = pBar->IsDockedHorizontally();
    pOther->LengthAlong(bHorz) += bHorz ? rc.Width() : rc.Height();
}

} // namespace

bool CUiControlBar::DragApplyTarget(InternalDraggingState_t& state, bool bFromMarkers)
{
    CUiDynDockMarkerWnd::HideAllHighlights(true);
    state.ForgetDeadTarget();
    CUiControlBar* pBar = state.m_pBar;
    if (state.IsEmptyState() || pBar == nullptr || pBar->IsFixedSizeForDrag())
        return false;
    CFrameWnd* pSite = pBar->m_pDockSite;
    CFrameWnd* pOldFrame = pBar->GetParentFrame();
    const HWND hOldFrame = pOldFrame != nullptr ? pOldFrame->GetSafeHwnd() : NULL;
    CUiControlBar* pTarget = state.m_pTarget;
    const int nKind = state.m_nKind;

    if (bFromMarkers && nKind >= 14 && nKind <= 26) {
        if (nKind <= 17)
            return pBar->DockAtFrameSide(kSideOfKind[nKind - 14], false, nullptr, true);
        if (nKind <= 21)
            return pBar->DockAtFrameSide(kSideOfKind[nKind - 18], true, nullptr, true);
        if (pTarget == nullptr)
            return false;
        if (nKind <= 25)
            return pBar->DockIntoBarHalf(pTarget, kSideOfKind[nKind - 22], true);
        return pTarget->DockIntoTabbedGroup(pBar, 0, nullptr, true);
    }

    switch (nKind) {
    case 0: {
        // The place the bar leaves is the one it had before its row neighbour took its length:
        // a partner it docks back beside gets back the size it had beside it, not both.
        const bool bWasDocked = !pBar->IsBarFloating();
        DockedPlace placeLeft;
        if (bWasDocked) {
            pBar->RememberDockedPlace();
            placeLeft = pBar->m_placeDocked;
            GiveLengthToRowNeighbour(pBar);
        }
        CRect rcSite(0, 0, 0, 0);
        if (pSite != nullptr)
            pSite->GetWindowRect(&rcSite);
        const CPoint ptFloat(state.m_rect.left - rcSite.left, state.m_rect.top - rcSite.top);
        if (!pBar->FloatAt(ptFloat.x, ptFloat.y, CBRS_ALIGN_TOP))
            return false;
        if (bWasDocked)
            pBar->m_placeDocked = placeLeft;
        if (pBar->m_pDockContext != nullptr)
            pBar->m_pDockContext->m_ptMRUFloatPos = ptFloat;
        if (pSite != nullptr && !pBar->IsMarkerDockingMode())
            pSite->RecalcLayout(TRUE);
        return true;
    }
    case 1: case 2: case 3: case 4:
        return pTarget != nullptr && pBar->DockIntoBarHalf(pTarget, kSideOfKind[nKind - 1], true);
    case 5: case 6: case 7: case 8: case 9: case 10: case 11: case 12: {
        if (pSite == nullptr)
            return false;
        const UINT nSide = kSideOfKind[(nKind - 5) % 4];
        CControlBar* pControlBar = pSite->GetControlBar(nSide);
        if (pControlBar == nullptr || !pControlBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
            return false;
        CUiDockBar* pOuter = static_cast<CUiDockBar*>(pControlBar);
        CUiDockBar* pDockBar = nullptr;
        pBar->NoteOrientationOfNewSide(nSide);
        if (nKind <= 8) {
            if (nKind <= 6)
                pBar->m_sizeHorz.cy = state.m_rect.Height();
            else
                pBar->m_sizeVert.cx = state.m_rect.Width();
            pDockBar = pOuter->GetRingDockBar(state.m_nLevel);
        } else {
            pOuter->InsertRingInside();
            pDockBar = pOuter->GetRingDockBar(1);
        }
        if (pDockBar == nullptr)
            return false;
        pDockBar->DockBarAtEdge(pBar, nKind <= 8);
        if (::GetKeyState(VK_CONTROL) >= 0) {
            pSite->RecalcLayout(TRUE);
            if (pOldFrame != nullptr && pOldFrame != pSite && ::IsWindow(hOldFrame)) {
                if (pOldFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
                    pOldFrame->RecalcLayout(TRUE);
                else
                    pOldFrame->m_nIdleFlags |= 12;
            }
            pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        return true;
    }
    case 13:
        if (pSite != nullptr)
            pSite->m_nIdleFlags |= 12;
        return false;
    case 27: case 28: case 29: case 30:
        return pTarget != nullptr && pTarget->DockIntoTabbedGroup(pBar, nKind >= 29 ? state.m_nTabIndex : -1, nullptr, true);
    default:
        if (nKind >= 14 && nKind <= 26) {
            CPoint pt;
            if (::GetCursorPos(&pt)) {
                CWnd* pUnder = CWnd::FromHandlePermanent(::WindowFromPoint(pt));
                if (pUnder != nullptr && pUnder->IsKindOf(RUNTIME_CLASS(CUiDynDockMarkerWnd))) {
                    CUiDynDockMarkerWnd* pMarker = static_cast<CUiDynDockMarkerWnd*>(pUnder);
                    if (pMarker->IsValidMarkerType() && pMarker->GetDockCode() == nKind)
                        pMarker->ShowHighlight(true);
                }
            }
        }
        return false;
    }
}
