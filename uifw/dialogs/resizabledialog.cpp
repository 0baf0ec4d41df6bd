// CUiResizableDialog: pane-friendly keyboard routing, OK and Cancel of child dialogs, and
// the idle update of child control bars.
#include "resizabledialog.h"
#include "controlbar.h"
#include "idletrigger.h"
#include "tabwnd.h"

IMPLEMENT_DYNCREATE(CUiResizableDialog, CUiResDlg)

CUiResizableDialog::CUiResizableDialog() : m_bRDFlags(0)
{
}

CUiResizableDialog::CUiResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CUiResizableDialogBase(nIDTemplate, pParentWnd), m_bRDFlags(0)
{
}

void CUiResizableDialog::OnOK()
{
    if (!(GetStyle() & WS_CHILD))
        CUiResizableDialogBase::OnOK();
}

void CUiResizableDialog::OnCancel()
{
    if (!(GetStyle() & WS_CHILD))
        CUiResizableDialogBase::OnCancel();
}

void CUiResizableDialog::PreSubclassWindow()
{
    CUiResizableDialogBase::PreSubclassWindow();
    m_bRDFlags |= kAttached;
    EnableToolTips(TRUE);
}

bool UiPreTranslateToBars(CWnd* pWnd, MSG* pMsg, bool bAskParent)
{
    const DWORD dwStyle = pWnd->GetStyle();
    if (bAskParent && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        (dwStyle & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE)) {
        CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(pWnd->m_hWnd));
        if (pParent != nullptr &&
            (pParent->IsKindOf(RUNTIME_CLASS(CUiControlBar)) || pParent->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideSlider))) &&
            pParent->PreTranslateMessage(pMsg))
            return true;
    }
    return CUiControlBar::PreTranslateChildBars(pWnd, pMsg);
}

BOOL CUiResizableDialog::PreTranslateMessage(MSG* pMsg)
{
    if (UiPreTranslateToBars(this, pMsg, true))
        return TRUE;
    return CUiResizableDialogBase::PreTranslateMessage(pMsg);
}

void UiUpdateChildBarsAfter(CWnd* pWnd, HWND hWnd, bool bIdleTrigger, BYTE& bFlags, BYTE bUpdatingBit)
{
    // The object may be gone with its window (a pane deleted at WM_NCDESTROY).
    if (!bIdleTrigger || !::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != pWnd || (bFlags & bUpdatingBit))
        return;
    bFlags |= bUpdatingBit;
    CUiControlBar::UpdateChildBarsCmdUI(pWnd, TRUE);
    bFlags &= ~bUpdatingBit;
}

LRESULT CUiResizableDialog::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_DESTROY)
        m_bRDFlags &= ~kAttached;
    const bool bIdleTrigger = (m_bRDFlags & kAttached) && !(m_bRDFlags & kUpdating) && UiIsCurrentMessageIdleTrigger();
    HWND hWnd = m_hWnd;
    LRESULT lr = CUiResizableDialogBase::WindowProc(nMsg, wParam, lParam);
    UiUpdateChildBarsAfter(this, hWnd, bIdleTrigger, m_bRDFlags, kUpdating);
    return lr;
}
