// The menu bar's buttons for a maximised MDI child: made and removed to match the active
// child, the right button filled from the child's caption flags and kept at the far end.
#include "menucontrolbar.h"

#include "cmdmanager.h"
#include "dockbar.h"
#include "mdibuttons.h"

namespace {

bool IsDocButton(CUiBarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CUiBarMdiDocButton)) &&
           !pButton->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton));
}

bool IsRightButton(CUiBarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton));
}

} // namespace

bool CUiMenuControlBar::IsDocButtonFirst() const
{
    return IsDocButton(GetButton(0));
}

bool CUiMenuControlBar::SyncMdiButtons(bool bRecalcLayout)
{
    if (!IsMdiButtonsEnabled()) {
        if (bRecalcLayout)
            RequestFrameRecalcLayout();
        return true;
    }
    if (GetBarBeingDragged() != nullptr)
        return false;
    BOOL bMaximized = FALSE;
    const HWND hChild = GetActiveMdiChild(&bMaximized);
    const int nCount = GetButtonsCount();
    if (nCount == 0 && hChild == NULL)
        return false;
    CUiBarButton* pDoc = IsDocButton(GetButton(0)) ? GetButton(0) : nullptr;
    int nExamined = nCount - 1;
    if (!IsRightButton(GetButton(nExamined)) && nCount > 1 && !m_bFullRowLayout)
        --nExamined;
    CUiBarButton* pRight = IsRightButton(GetButton(nExamined)) ? GetButton(nExamined) : nullptr;
    bool bChanged = false;
    if (hChild == NULL || !bMaximized) {
        if (pRight != nullptr) {
            RemoveButton(pRight->IndexInBar(), false);
            bChanged = true;
        }
        if (pDoc != nullptr) {
            RemoveButton(0, false);
            bChanged = true;
        }
    } else {
        if (m_nMdiButtonsCmdID == 0) {
            CUiCmdProfile* pProfile = GetCmdProfile();
            CUiCmdItem* pItem = pProfile != nullptr
                                    ? CmdManagerHolder::GetStoredHandle()->CmdAllocPtr(pProfile->GetName(), 0)
                                    : nullptr;
            if (pItem == nullptr)
                return false;
            pItem->m_dwState |= CUiCmdItem::kStateBasic;
            m_nMdiButtonsCmdID = pItem->m_nCmdId;
        }
        if (pRight == nullptr) {
            pRight = new CUiBarMdiRightButton(this, m_nMdiButtonsCmdID, 0);
            if (m_bFullRowLayout || nCount == 0)
                m_arrButtons.Add(pRight);
            else
                m_arrButtons.InsertAt(nCount - 1, pRight);
            bChanged = true;
        }
        HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
        if (pDoc == nullptr && hSysMenu != NULL && ::IsMenu(hSysMenu)) {
            pDoc = new CUiBarMdiDocButton(this, m_nMdiButtonsCmdID, 0);
            pDoc->SetMenu(hSysMenu, false, false);
            m_arrButtons.InsertAt(0, pDoc);
            m_nMenuTrackingIndex = m_nPressedIndex = m_nHotIndex = -1;
            bChanged = true;
        }
    }
    if (pDoc != nullptr && pDoc->IndexInBar() >= 0)
        static_cast<CUiBarMdiDocButton*>(pDoc)->SetMdiChildHwnd(hChild);
    if (pRight != nullptr && pRight->IndexInBar() >= 0)
        static_cast<CUiBarMdiDocButton*>(pRight)->SetMdiChildHwnd(hChild);
    if (!bRecalcLayout)
        return bChanged;
    RequestFrameRecalcLayout();
    return false;
}

void CUiMenuControlBar::GetMdiRightButtonsInfo(MdiRightButtonsInfo& info, CUiBarMdiRightButton* pButton, bool bHorz)
{
    info.m_pBar = this;
    CWnd* pChild = pButton != nullptr ? pButton->GetCmdTargetWnd() : nullptr;
    info.m_pChild = pChild;
    if (pChild == nullptr || pChild->GetSafeHwnd() == NULL)
        return;
    const HWND hChild = pChild->GetSafeHwnd();
    HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
    const int nItems = hSysMenu != NULL ? ::GetMenuItemCount(hSysMenu) : 0;
    for (int i = 0; i < nItems; ++i) {
        if (::GetMenuItemID(hSysMenu, i) != SC_CLOSE)
            continue;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE;
        if (::GetMenuItemInfoA(hSysMenu, (UINT)i, TRUE, &mii) && !(mii.fState & (MFS_GRAYED | MFS_DISABLED)))
            info.m_dwFlags |= MdiRightButtonsInfo::kClose;
        break;
    }
    const DWORD dwStyle = (DWORD)::GetWindowLong(hChild, GWL_STYLE);
    const DWORD dwExStyle = (DWORD)::GetWindowLong(hChild, GWL_EXSTYLE);
    if (dwStyle & WS_MINIMIZEBOX)
        info.m_dwFlags |= MdiRightButtonsInfo::kMinimizeBox;
    if (dwStyle & WS_MAXIMIZEBOX)
        info.m_dwFlags |= MdiRightButtonsInfo::kMaximizeBox;
    if ((dwStyle & WS_MAXIMIZEBOX) && (dwExStyle & WS_EX_CONTEXTHELP))
        info.m_dwFlags |= MdiRightButtonsInfo::kHelp;
    info.CalcExtent(bHorz);
}

void CUiMenuControlBar::PlaceMdiRightButton()
{
    if (GetSafeHwnd() == NULL || IsBarFloating() || GetButtonsCount() < 2)
        return;
    const int nCount = GetButtonsCount();
    int nRight = nCount - 1;
    if (!IsRightButton(GetButton(nRight)))
        --nRight;
    CUiBarButton* pRight = GetButton(nRight);
    if (!IsRightButton(pRight) || !pRight->IsVisible())
        return;
    bool bHorz;
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
        bHorz = !IsDockedVertically();
    else
        bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CRect rcClient;
    GetClientRect(&rcClient);
    CUiBarButton* pExpand = nRight + 1 < nCount ? GetButton(nRight + 1) : nullptr;
    const bool bExpandAfter = pExpand != nullptr && pExpand->IsVisible();
    CRect rcRight = pRight->GetRect();
    int nLimit = (bHorz ? rcClient.right : rcClient.bottom) - 1;
    if (bExpandAfter)
        nLimit = (bHorz ? pExpand->GetRect().left : pExpand->GetRect().top) - 1;
    const int nFar = bHorz ? rcRight.right : rcRight.bottom;
    if (nFar >= nLimit)
        return;
    const int nShift = nLimit - nFar;
    const CRect rcOld = rcRight;
    rcRight.OffsetRect(bHorz ? nShift : 0, bHorz ? 0 : nShift);
    if (bExpandAfter) {
        CRect rcExpand = pExpand->GetRect();
        const int nExpandFar = bHorz ? rcExpand.right : rcExpand.bottom;
        if (bHorz) {
            rcExpand.OffsetRect(rcOld.left - rcExpand.left, 0);
            rcRight.OffsetRect(nExpandFar - rcRight.right, 0);
        } else {
            rcExpand.OffsetRect(0, rcOld.top - rcExpand.top);
            rcRight.OffsetRect(0, nExpandFar - rcRight.bottom);
        }
        pExpand->SetRect(rcExpand);
    }
    pRight->SetRect(rcRight);
}
