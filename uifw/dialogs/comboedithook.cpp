// CUiComboEditCtrlHook.
#include "comboedithook.h"
#include "afxres.h"
#include "uicombobox.h"

IMPLEMENT_DYNCREATE(CUiComboEditCtrlHook, CUiEditBase)

CUiComboEditCtrlHook::CUiComboEditCtrlHook()
{
}

CUiComboBox* CUiComboEditCtrlHook::GetCombo() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CUiComboBox)) ? static_cast<CUiComboBox*>(pParent)
                                                                               : nullptr;
}

BOOL CUiComboEditCtrlHook::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr && nID >= ID_EDIT_CLEAR && nID <= ID_EDIT_REDO) {
        if (CUiComboBox* pCombo = GetCombo())
            pCombo->m_bComboFlags &= ~CUiComboBox::kCompletionArmed;
    }
    return CUiEditBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CUiComboEditCtrlHook::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (CUiComboBox* pCombo = GetCombo())
            pCombo->m_bComboFlags &= ~CUiComboBox::kCompletionArmed;
        break;
    case WM_CONTEXTMENU: {
        if (!(m_bEditFlags & kFrameworkMenu))
            return CEdit::WindowProc(nMsg, wParam, lParam);
        CUiComboBox* pCombo = GetCombo();
        if (pCombo != nullptr) {
            if (pCombo->m_bComboFlags & CUiComboBox::kEditMenu)
                m_bEditFlags |= kFrameworkMenu;
            else
                m_bEditFlags &= ~kFrameworkMenu;
        }
        SetFocus();
        LRESULT lr = CUiEditBase::WindowProc(nMsg, wParam, lParam);
        if (pCombo != nullptr && ::IsWindow(pCombo->m_hWnd))
            pCombo->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return lr;
    }
    default:
        break;
    }
    return CUiEditBase::WindowProc(nMsg, wParam, lParam);
}
