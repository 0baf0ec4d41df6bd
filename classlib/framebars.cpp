// The frame's side of its control bars: the bar list, showing and hiding, the bar toggle
// commands, the key indicators and the tips of commands.
#include "afxext.h"
#include "afxres.h"

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != nullptr && m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    // A floating bar changes at once: its hidden frame sees no idle pass. The frame shows
    // with its first visible bar and hides with its last (its layout sees to it).
    CFrameWnd* pFloatingFrame = pBar->IsFloating() && pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetParentFrame() : nullptr;
    if (bDelay && pFloatingFrame == nullptr) {
        pBar->DelayShow(bShow);
        DelayRecalcLayout();
        return;
    }
    pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (pFloatingFrame != nullptr)
        pFloatingFrame->RecalcLayout();
    else
        RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    case ID_INDICATOR_KANA:
        nVK = VK_KANA;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->Enable(::GetKeyState(nVK) & 1);
}

// A tool's tip is the part after the first '\n' of its command's string.
BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOA* pTTT = (NMTTDISPINFOA*)pNMHDR;
    UINT_PTR nID = pNMHDR->idFrom;
    if (pTTT->uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    CString strTip;
    if (nID != 0) {
        CString strFull;
        if (strFull.LoadString((UINT)nID)) {
            int nNewLine = strFull.Find('\n');
            if (nNewLine >= 0)
                strTip = strFull.Mid(nNewLine + 1);
        }
    }
    lstrcpynA(pTTT->szText, strTip, (int)(sizeof(pTTT->szText) / sizeof(pTTT->szText[0])));
    pTTT->lpszText = pTTT->szText;
    pTTT->hinst = NULL;
    *pResult = 0;
    // The tip stays above the frame's other top-level windows.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}
