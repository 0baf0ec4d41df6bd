#include "commandstatustext.h"

#include "afxext.h"
#include "cmdmanager.h"

void ShowCommandStatusText(CWnd* pWnd, UINT nID)
{
    if (pWnd == nullptr || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CWnd* pTarget = pWnd;
    if (!pWnd->IsFrameWnd()) {
        if (CFrameWnd* pFrame = pWnd->GetParentFrame())
            pTarget = pFrame;
    }
    // A floating frame's prompts belong to the frame it floats for.
    if (pTarget->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) && pTarget->GetParentFrame() != nullptr)
        pTarget = pTarget->GetParentFrame();
    if (g_bUiCommandTips && nID != AFX_IDS_IDLEMESSAGE) {
        CWnd* pStatus = pTarget->GetDlgItem(AFX_IDW_STATUS_BAR);
        CWnd* pPerm = pStatus != nullptr ? CWnd::FromHandlePermanent(pStatus->GetSafeHwnd()) : nullptr;
        if (pPerm != nullptr && pPerm->IsKindOf(RUNTIME_CLASS(CStatusBar))) {
            CStatusBar* pBar = static_cast<CStatusBar*>(pPerm);
            const int nPane = pBar->CommandToIndex(0);
            if (nPane == -1)
                return;
            CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
            CUiCmdProfile* pProfile = pManager->ProfileFindByWindow(pTarget->m_hWnd);
            CUiCmdItem* pItem = pProfile != nullptr ? pManager->CmdGetPtr(pProfile->GetName(), nID) : nullptr;
            pBar->SetPaneText(nPane, pItem != nullptr ? (LPCTSTR)pItem->m_strTipStatus : "");
            return;
        }
    }
    pTarget->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}
