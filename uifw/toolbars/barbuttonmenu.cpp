// A bar button's drop-down menu, hover, press and release, command delivery, tool tip,
// context help and its entry in the chevron's menu.
#include "barbutton.h"

#include <cstdlib>
#include <cstring>

#include "cmdmanager.h"
#include "popupmenuwnd.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

namespace {

const UINT kIdleMessage = 0xE001;   // AFX_IDS_IDLEMESSAGE

// The popup flags every bar button adds to its dock-side code.
const UINT kBarMenuFlags = 0x820;

} // namespace

LPSTR AllocTipText(const CString& strText)
{
    const size_t nLength = (size_t)strText.GetLength();
    char* psz = static_cast<char*>(calloc(nLength + 1, 1));
    if (psz == nullptr)
        return LPSTR_TEXTCALLBACK;
    memcpy(psz, (LPCSTR)strText, nLength);
    return psz;
}

int CUiBarButton::GetBarDockCode() const
{
    if (m_pBar == nullptr)
        return 4;
    if (m_pBar->m_bBarFlags & CUiControlBar::kContained) {
        if (m_pBar->IsDockedAtRight())
            return 3;
        if (m_pBar->IsDockedAtLeft())
            return 1;
        if (m_pBar->IsDockedAtBottom())
            return 6;
        return 4;
    }
    switch (m_pBar->GetDockBarId()) {
    case AFX_IDW_DOCKBAR_LEFT:
        return 1;
    case AFX_IDW_DOCKBAR_RIGHT:
        return 3;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return 6;
    default:
        return 4;
    }
}

void CUiBarButton::TrackPopupAtButton(CUiPopupMenuWnd* pPopup, CPoint point, bool bSelectFirst)
{
    CRect rcButton = GetRect();
    m_pBar->ClientToScreen(&rcButton);
    m_pBar->ClientToScreen(&point);
    const int nIndex = IndexInBar();
    m_pBar->SetMenuTrackingButton(nIndex);
    UINT nFlags = (UINT)GetBarDockCode() | kBarMenuFlags;
    if (bSelectFirst)
        nFlags |= CUiPopupMenuWnd::kSelectFirst;
    if (CUiToolControlBar::g_bMenuExpanded)
        nFlags |= CUiPopupMenuWnd::kShowAll;
    if (!pPopup->TrackMenu(nFlags, point.x, point.y, &rcButton, m_pBar, &CUiToolControlBar::PaintTrackedButtonCallback,
                           nullptr, TRUE)) {
        delete pPopup;
        CUiToolControlBar::EndAllBarMenuTracking();
        return;
    }
    CUiToolControlBar::g_bMenuTracking = true;
    m_pBar->SetMenuTrackingButton(nIndex);
}

int CUiBarButton::OnTrackPopup(CPoint point, bool bSelectFirst)
{
    if (IsDisabled() || m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL)
        return -1;
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd())) {
        m_pCtrl->SendMessage(CUiToolControlBar::g_nMsgContinueTrackMenu, (WPARAM)this, bSelectFirst ? 1 : 0);
        return -1;
    }
    const int nIndex = IndexInBar();
    const bool bWasTracking = CUiToolControlBar::g_bMenuTracking;
    if (!IsAbleToTrackMenu() || (bWasTracking && nIndex >= 0 && m_pBar->m_nMenuTrackingIndex == nIndex))
        return -1;
    CUiToolControlBar::EndAllBarMenuTracking();
    if (m_pBar->IsBarFloating()) {
        m_pBar->GetTopLevelParent()->SetActiveWindow();
        if (CFrameWnd* pFrame = m_pBar->GetDockSiteFrame())
            pFrame->BringWindowToTop();
    }
    CWnd* pTarget = GetCmdTargetWnd();
    const HWND hTarget = pTarget != nullptr ? pTarget->GetSafeHwnd() : NULL;
    CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
    if (!pPopup->LoadMenu(hTarget, m_hMenu, m_bMenuPopupOnly, TRUE)) {
        delete pPopup;
        return -1;
    }
    if (m_bAppendMdiWindows)
        pPopup->AppendMdiWindowList(hTarget);
    CUiToolControlBar::g_bMenuTracking = bWasTracking;

    const bool bAutoChange = m_bAutoChangeCmd && !CUiControlBar::IsFrameInHelpMode(m_pBar);
    if (!bAutoChange) {
        TrackPopupAtButton(pPopup, point, bSelectFirst);
        return -1;
    }
    CRect rcButton = GetRect();
    m_pBar->ClientToScreen(&rcButton);
    m_pBar->ClientToScreen(&point);
    m_pBar->SetMenuTrackingButton(nIndex);
    UINT nFlags = (UINT)GetBarDockCode() | kBarMenuFlags | CUiPopupMenuWnd::kOwnLoop | CUiPopupMenuWnd::kNoSend;
    if (bSelectFirst)
        nFlags |= CUiPopupMenuWnd::kSelectFirst;
    if (CUiToolControlBar::g_bMenuExpanded)
        nFlags |= CUiPopupMenuWnd::kShowAll;
    CUiToolControlBar::g_bMenuTracking = true;
    CUiToolControlBar* pBar = m_pBar;
    const HWND hBar = pBar->GetSafeHwnd();
    UINT nChosen = 0;
    if (!pPopup->TrackMenu(nFlags, point.x, point.y, &rcButton, pBar, &CUiToolControlBar::PaintTrackedButtonCallback,
                           &nChosen, TRUE)) {
        delete pPopup;
        CUiToolControlBar::EndAllBarMenuTracking();
        return -1;
    }
    // The menu's own loop may have rebuilt the bar: the button counts only while it is still
    // one of the bar's buttons.
    if (nChosen == 0 || !::IsWindow(hBar))
        return -1;
    bool bStillThere = false;
    for (int i = 0; i < pBar->GetButtonsCount(); ++i)
        bStillThere = bStillThere || pBar->m_arrButtons[i] == this;
    if (!bStillThere)
        return -1;
    SetCmdID(nChosen, true, true);
    OnDeliverCmd();
    return -1;
}

void CUiBarButton::OnHover(CPoint point, bool bEntering)
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL)
        return;
    if (!bEntering) {
        CUiControlBar::ShowCommandStatusText(GetCmdTargetWnd(), kIdleMessage);
        ::ReleaseCapture();
        return;
    }
    if (CUiToolControlBar::g_bMenuTracking) {
        OnTrackPopup(point, false);
    } else {
        UINT nID = m_nEffectiveCmdID;
        if (m_pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)) || IsKindOf(RUNTIME_CLASS(CUiBarContentExpandButton)) ||
            (int)m_nCmdID <= 0)
            nID = kIdleMessage;
        CUiControlBar::ShowCommandStatusText(GetCmdTargetWnd(), nID);
    }
    if (m_pCtrl == nullptr || !::IsWindow(m_pCtrl->GetSafeHwnd()) || !(m_pCtrl->GetStyle() & WS_VISIBLE))
        m_pBar->CUiMouseCaptureSink::SetCapture(m_pBar->GetSafeHwnd());
}

void CUiBarButton::OnClick(CPoint point, bool bDown)
{
    if (m_pBar == nullptr)
        return;
    const bool bInArrow = m_bSeparatedDropDown && GetDropDownRect().PtInRect(point);
    if (bDown) {
        CUiToolControlBar::EndAllBarMenuTracking();
        m_bDropDownPressed = m_bSeparatedDropDown && bInArrow;
        if (IsAbleToTrackMenu() && (!m_bSeparatedDropDown || bInArrow)) {
            CUiToolControlBar::g_bMenuExpanded = false;
            OnTrackPopup(point, false);
        } else {
            CUiControlBar::ShowCommandStatusText(GetCmdTargetWnd(), m_nCmdID);
        }
        return;
    }
    CUiControlBar::ShowCommandStatusText(GetCmdTargetWnd(), kIdleMessage);
    const bool bArrowRelease = bInArrow && m_bDropDownPressed;
    m_bDropDownPressed = false;
    if ((IsAbleToTrackMenu() && !m_bSeparatedDropDown) || bArrowRelease)
        return;
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd()) && (m_pCtrl->GetStyle() & WS_VISIBLE) &&
        ::GetCapture() == m_pBar->GetSafeHwnd()) {
        m_pBar->SendMessage(WM_CANCELMODE);
        return;
    }
    OnDeliverCmd();
}

void CUiBarButton::OnDeliverCmd()
{
    if ((int)m_nCmdID <= 0 || m_pBar == nullptr)
        return;
    CUiCmdItem* pItem = FindCmdItem(m_nEffectiveCmdID);
    if (pItem != nullptr)
        pItem->DeliverToOwner(m_pBar, true);
}

INT_PTR CUiBarButton::OnToolHitTest(CPoint, TOOLINFO* pTI) const
{
    if (!IsToolTipAllowed())
        return -1;
    CUiCmdItem* pItem = FindCmdItem(m_nEffectiveCmdID);
    if (pItem == nullptr || pItem->m_strTipTool.IsEmpty())
        return -1;
    if (pTI != nullptr) {
        CString strTip = pItem->m_strTipTool;
        if (QueryBarOptionC() && !pItem->m_strAccelText.IsEmpty()) {
            if (!strTip.IsEmpty())
                strTip += " ";
            strTip += "(" + pItem->m_strAccelText + ")";
        }
        pTI->rect = m_rect;
        pTI->uId = m_nEffectiveCmdID;
        pTI->hwnd = m_pBar->GetSafeHwnd();
        pTI->lpszText = AllocTipText(strTip);
    }
    return (INT_PTR)m_nEffectiveCmdID;
}

int CUiBarButton::OnHelpHitTest(CPoint point)
{
    if (IsSeparator())
        return -1;
    if (!IsAbleToTrackMenu())
        return FindCmdItem(m_nCmdID) != nullptr ? (int)m_nCmdID : -1;
    if (m_pBar == nullptr || m_pBar->m_pDockSite == nullptr || !CUiControlBar::IsFrameInHelpMode(m_pBar))
        return -3;
    OnTrackPopup(point, false);
    return m_pBar->HelpModeMenuLoop();
}

bool CUiBarButton::PutToPopupMenu(CUiPopupMenuWnd* pMenu)
{
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd()))
        return m_pCtrl->SendMessage(CUiControlBar::g_nMsgPutToPopupMenu, (WPARAM)pMenu, 0) != 0;
    if (!IsAbleToTrackMenu())
        return pMenu->ItemInsert(m_nEffectiveCmdID, -1) != FALSE;
    CUiCmdItem* pItem = FindCmdItem(m_nCmdID);
    CString strText;
    if (pItem != nullptr)
        strText = pItem->m_strMenuText.IsEmpty() ? pItem->m_strToolbarText : pItem->m_strMenuText;
    CUiCmdIcon* pIcon = GetIconPtr();
    HICON hIcon = pIcon != nullptr && !pIcon->IsEmpty() ? pIcon->GetIcon() : NULL;
    if (!pMenu->ItemInsert((UINT)-1, -1, strText, hIcon))
        return false;
    CUiPopupMenuWnd* pSub = pMenu->ItemGetPopup(pMenu->ItemGetCount() - 1);
    CWnd* pTarget = GetCmdTargetWnd();
    if (pSub != nullptr)
        pSub->LoadMenu(pTarget != nullptr ? pTarget->GetSafeHwnd() : NULL, m_hMenu, m_bMenuPopupOnly, FALSE);
    return true;
}
