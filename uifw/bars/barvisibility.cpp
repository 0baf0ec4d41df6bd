// Showing and hiding a docked bar: a hidden bar remembers the length it gave up to its row
// neighbours and takes it back, a pixel from each in turn, when it shows again; a nested
// container shows and hides with its last visible bar; a tabbed group follows its bars' tabs.
// Also the bars' show/hide commands and the switch into and out of auto-hide mode.
#include "controlbar.h"

#include "dockbar.h"
#include "dynbar.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "paintdraw.h"

namespace {

bool IsFixed(const CUiControlBar* pBar)
{
    return pBar->IsFixedSizeBar() || pBar->IsFixedSizeForDrag();
}

int MinLengthAlongRow(const CUiControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->GetMinExtentHorz() : pBar->GetMinExtentVert();
}

// Takes up to nExtent pixels from the bars, one from each in turn, never below a minimum;
// the pixels taken.
int TakeFromBars(CArray<CUiControlBar*, CUiControlBar*>& arr, int nExtent, bool bHorz)
{
    int nTaken = 0;
    while (nTaken < nExtent && arr.GetSize() > 0) {
        for (INT_PTR i = 0; i < arr.GetSize() && nTaken < nExtent;) {
            LONG& nLength = arr[i]->LengthAlong(bHorz);
            if (nLength <= MinLengthAlongRow(arr[i], bHorz)) {
                arr.RemoveAt(i);
                continue;
            }
            --nLength;
            ++nTaken;
            ++i;
        }
    }
    return nTaken;
}

} // namespace

bool CUiControlBar::IsVisibilityBookkeepingOn() const
{
    if (m_pDockBar == nullptr && !(m_bBarFlags & kContained))
        return false;
    if (IsAutoHidden() || GetBarBeingDragged() != nullptr || GetBarBeingFloated() != nullptr || IsFixed(this))
        return false;
    if (m_pDockSite == nullptr || m_pDockBar == nullptr)
        return false;
    if (const_cast<CUiControlBar*>(this)->IsDockSiteInPrintPreview())
        return false;
    return !(m_bTrackFlags & kNoChildMove);
}

void CUiControlBar::OnBarVisibilityChanged()
{
    const int nExtent = m_nReclaimExtent;
    m_nReclaimExtent = 0;
    if (!IsVisibilityBookkeepingOn())
        return;
    m_bTrackFlags |= kNoChildMove;
    m_nReclaimExtent = nExtent;
    ReclaimRowExtent();
    const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    // A tabbed group is a container too: it hides with its last shown bar and shows with its first.
    if (m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockDynBar))) {
        CWnd* pParent = m_pDockBar->GetParent();
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
            CControlBar* pContainer = static_cast<CControlBar*>(pParent);
            const bool bContainerVisible = (pContainer->GetStyle() & WS_VISIBLE) != 0;
            if (bVisible && !bContainerVisible)
                m_pDockSite->ShowControlBar(pContainer, TRUE, TRUE);
            else if (!bVisible && m_pDockBar->GetDockedVisibleCount() == 0 && bContainerVisible)
                m_pDockSite->ShowControlBar(pContainer, FALSE, TRUE);
        }
    }
    if (!bVisible && IsPlainContainer()) {
        CArray<CUiControlBar*, CUiControlBar*> arr;
        static_cast<CUiDynControlBar*>(this)->GetInnerBars(arr);
        for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
            if (arr[i]->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
                arr[i]->DelayShow(FALSE);
        }
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pParentFrame->RecalcLayout(TRUE);
    m_bTrackFlags &= ~kNoChildMove;
}

void CUiControlBar::ReclaimRowExtent()
{
    if (IsPlainContainer() || m_pDockBar == nullptr)
        return;
    if (CUiDynTabControlBar* pGroup = GetTabContainerBar()) {
        pGroup->OnBarVisibilityChanged(this);
        return;
    }
    const UINT nId = GetDockBarId();
    if (nId == AFX_IDW_DOCKBAR_FLOAT)
        return;
    const bool bHorz = IsTopOrBottomSide(nId);
    if (!(GetStyle() & WS_VISIBLE)) {
        m_nReclaimExtent = LengthAlong(bHorz);
        return;
    }
    const int nExtent = m_nReclaimExtent;
    if (nExtent <= 0)
        return;
    m_nReclaimExtent = 0;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CollectRowBars(arr, false);
    for (INT_PTR i = arr.GetSize() - 1; i >= 0; --i) {
        CUiControlBar* pBar = arr[i];
        if (pBar == this || !(pBar->GetStyle() & WS_VISIBLE) || pBar->IsFixedSizeBar() ||
            pBar->LengthAlong(bHorz) <= MinLengthAlongRow(pBar, bHorz))
            arr.RemoveAt(i);
    }
    TakeFromBars(arr, nExtent, bHorz);
}

void CUiControlBar::MakeRoomInRow()
{
    if ((GetStyle() & WS_VISIBLE) || IsBarFloating() || m_pDockBar == nullptr)
        return;
    const bool bHorz = !IsDockedVertically();
    CArray<CUiControlBar*, CUiControlBar*> arr;
    CollectRowBars(arr, false);
    for (INT_PTR i = arr.GetSize() - 1; i >= 0; --i) {
        if (arr[i] == this || !(arr[i]->GetStyle() & WS_VISIBLE) || IsFixed(arr[i]))
            arr.RemoveAt(i);
    }
    LONG& nLength = LengthAlong(bHorz);
    if (nLength == 0)
        nLength = MinLengthAlongRow(this, bHorz);
    CUiControlBar* pFirst = arr.GetSize() > 0 ? arr[0] : nullptr;
    TakeFromBars(arr, nLength, bHorz);
    if (pFirst != nullptr) {
        const int nThickness = pFirst->ThicknessAcross(bHorz);
        if (nThickness > 0)
            ThicknessAcross(bHorz) = nThickness;
    }
}

void CUiControlBar::ToggleVisibility(bool bToggle)
{
    const bool bVisible = IsWindowVisible() != FALSE;
    if (IsFixedSizeForDrag() || (bToggle && bVisible)) {
        if (m_pDockSite != nullptr)
            m_pDockSite->ShowControlBar(this, !bVisible, FALSE);
        return;
    }
    if (IsAutoHidden()) {
        // It slides out of its strip, and its slider takes the focus.
        int nIndex = -1;
        CUiDynAutoHideArea* pArea = CUiDynAutoHideArea::FindAreaOfBar(this, &nIndex);
        CUiDynAutoHideSlider* pSlider = pArea != nullptr ? pArea->GetAutoHideSlider() : nullptr;
        if (pArea == nullptr || pSlider == nullptr || pSlider->GetSafeHwnd() == NULL)
            return;
        if (!pSlider->ShowsBar(this))
            pArea->SelectionSet(nIndex, true, true);
        pSlider->SetFocus();
        return;
    }
    if (!bVisible && m_pDockSite != nullptr) {
        m_pDockSite->ShowControlBar(this, TRUE, FALSE);
        CFrameWnd* pParentFrame = GetParentFrame();
        if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) {
            OnBarVisibilityChanged();
            pParentFrame->RecalcLayout(TRUE);
        }
    }
    if (CUiDynTabControlBar* pGroup = GetTabContainerBar()) {
        const int nTab = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)this);
        if (nTab >= 0)
            pGroup->m_wndTabs.SelectionSet(nTab);
        SetFocus();
    } else if (IsBarFloating()) {
        if (CFrameWnd* pMini = GetParentFrame())
            pMini->BringWindowToTop();
        SetFocus();
    }
}

// A container hidden alone would leave its bars shown in their own state while none of them is
// on the screen: the view menu would check them, and choosing one there would hide it unseen.
void CUiControlBar::HideByClose()
{
    CFrameWnd* pSite = GetDockSiteFrame();
    if (pSite == nullptr)
        return;
    // The container goes first, so that its bars leave no tab changes on the screen.
    if (GetStyle() & WS_VISIBLE)
        pSite->ShowControlBar(this, FALSE, FALSE);
    if (!::IsWindow(m_hWnd) || !IsKindOf(RUNTIME_CLASS(CUiDynControlBar)))
        return;
    CArray<CUiControlBar*, CUiControlBar*> arr;
    static_cast<CUiDynControlBar*>(this)->GetInnerBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        arr[i]->HideByClose();
}

void CUiControlBar::UpdateBarCheckCmdUI(CCmdUI* pCmdUI, bool bAllBars)
{
    pCmdUI->Enable(TRUE);
    if (!bAllBars && !IsFixedSizeForDrag())
        return;
    pCmdUI->SetCheck(IsWindowVisible() ? 1 : 0);
}

bool CUiControlBar::ToggleBarById(CFrameWnd* pFrame, UINT nID, bool bToggle)
{
    CControlBar* pBar = pFrame != nullptr ? pFrame->GetControlBar(nID) : nullptr;
    if (pBar == nullptr)
        return false;
    if (pBar->IsKindOf(RUNTIME_CLASS(CUiControlBar)))
        static_cast<CUiControlBar*>(pBar)->ToggleVisibility(bToggle);
    else
        pFrame->ShowControlBar(pBar, !pBar->IsWindowVisible(), FALSE);
    return true;
}

bool CUiControlBar::SetAutoHideMode(bool bAutoHide, bool bArg2, bool bRecalc, bool bQuiet)
{
    if ((bAutoHide || IsAutoHidden()) && IsFixed(this))
        return false;
    if (IsBarFloating())
        return false;
    if (bAutoHide == IsAutoHidden())
        return true;
    // A group answers itself as its own group.
    CUiDynTabControlBar* pGroup = GetTabContainerBar();
    if (pGroup != nullptr && pGroup != this) {
        pGroup->m_nReclaimExtent = 0;
        return pGroup->SetAutoHideMode(bAutoHide, bArg2, bRecalc, bAutoHide || bQuiet);
    }
    if (m_pDockBar == nullptr || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CUiDockBar)))
        return false;
    CWnd* pAreaWnd = static_cast<CUiDockBar*>(m_pDockBar)->GetAutoHideArea();
    if (pAreaWnd == nullptr || !pAreaWnd->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideArea)))
        return false;
    CUiDynAutoHideArea* pArea = static_cast<CUiDynAutoHideArea*>(pAreaWnd);
    CFrameWnd* pSite = m_pDockSite;
    if (bAutoHide) {
        if (pSite != nullptr) {
            if (IsVisible())
                pSite->ShowControlBar(this, FALSE, TRUE);
            pSite->m_nIdleFlags |= 12;
        }
        pArea->AppendControlBar(this, bQuiet);
    } else {
        if (pSite != nullptr)
            pSite->m_nIdleFlags |= 12;
        pArea->RemoveControlBar(this, bQuiet);
        for (CWnd* p = bQuiet ? pArea->GetParent()->GetWindow(GW_CHILD) : nullptr; p != nullptr; p = p->GetWindow(GW_HWNDNEXT)) {
            char szClass[32] = {};
            ::GetClassNameA(p->m_hWnd, szClass, sizeof(szClass));
            if (lstrcmpA(szClass, "VaviRIZ-AutohideSlider") == 0) {
                p->SendMessage(WM_CANCELMODE);
                break;
            }
        }
    }
    if (bAutoHide)
        m_bViewFlags |= kAutoHidden;
    else
        m_bViewFlags &= ~kAutoHidden;
    if (bRecalc && pSite != nullptr) {
        const BYTE bFlags = m_bViewFlags;
        m_bViewFlags &= ~kAutoHidden;
        pSite->m_bInRecalcLayout = TRUE;
        OnBarVisibilityChanged();
        pSite->m_bInRecalcLayout = FALSE;
        m_bViewFlags = bFlags;
        pSite->RecalcLayout(TRUE);
        if (!IsAutoHidden()) {
            LayoutNcAreaButtons();
            PostMessage(WM_NCPAINT);
            PostMessage(WM_TIMER, 0x1005);
        }
        PassPaintMessages(TRUE, TRUE, TRUE);
    }
    return true;
}
