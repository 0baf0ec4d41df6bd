// CUiResizablePropertyPage.
#include "resizablepropertypage.h"
#include "idletrigger.h"
#include "resizabledialog.h"
#include "resizablepropertysheet.h"

IMPLEMENT_DYNCREATE(CUiResizablePropertyPage, CUiResPP)

CUiResizablePropertyPage::CUiResizablePropertyPage() : m_bRDFlags(0)
{
    m_bWSFlags &= ~kGripperShown;
}

CUiResizablePropertyPage::CUiResizablePropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CUiResizablePropertyPageBase(nIDTemplate, nIDCaption), m_bRDFlags(0)
{
    m_bWSFlags &= ~kGripperShown;
}

void CUiResizablePropertyPage::OnOK()
{
    if (!(GetStyle() & WS_CHILD))
        CUiResizablePropertyPageBase::OnOK();
}

void CUiResizablePropertyPage::OnCancel()
{
    if (!(GetStyle() & WS_CHILD))
        CUiResizablePropertyPageBase::OnCancel();
}

void CUiResizablePropertyPage::PreSubclassWindow()
{
    CUiResizablePropertyPageBase::PreSubclassWindow();
    m_bRDFlags |= kAttached;
    EnableToolTips(TRUE);
}

BOOL CUiResizablePropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (UiPreTranslateToBars(this, pMsg, false))
        return TRUE;
    return CUiResizablePropertyPageBase::PreTranslateMessage(pMsg);
}

LRESULT CUiResizablePropertyPage::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_DESTROY)
        m_bRDFlags &= ~kAttached;
    const bool bIdleTrigger = (m_bRDFlags & kAttached) && !(m_bRDFlags & kUpdating) && UiIsCurrentMessageIdleTrigger();
    HWND hWnd = m_hWnd;
    LRESULT lr = CUiResizablePropertyPageBase::WindowProc(nMsg, wParam, lParam);
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this) {
        CWnd* pParent = GetParent();
        CUiResizablePropertySheet* pSheet =
            pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiResizablePropertySheet))
                ? static_cast<CUiResizablePropertySheet*>(pParent)
                : nullptr;
        if ((nMsg == WM_SHOWWINDOW || nMsg == WM_WINDOWPOSCHANGED) && IsWindowVisible()) {
            if (pSheet != nullptr)
                pSheet->ArrangeAnchoredChildren(-1, -1);
            ArrangeAnchoredChildren(-1, -1);
        } else if (nMsg == WM_INITDIALOG && pSheet != nullptr && pSheet->GetActiveIndex() != 0) {
            pSheet->AnchorPage(this);
        }
    }
    UiUpdateChildBarsAfter(this, hWnd, bIdleTrigger, m_bRDFlags, kUpdating);
    return lr;
}
