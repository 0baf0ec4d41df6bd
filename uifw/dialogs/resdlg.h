// CUiResDlg: the class library's dialog with its template and init data found through the
// resource manager (wanted language, then any) and its template's font rewritten to the
// property-sheet font before the window is made.
//
// The pending template names the init data still to be applied: Create and DoModal set it,
// OnInitDialog applies it once (then sends WM_INITIALUPDATE to the descendants when every
// record went in) and hides the template name from the base, so the base does not apply the
// data a second time from the program's own module. A failing record leaves the dialog open.
// The modal run goes through the class library's DoModal on the prepared copy, which gives
// the owner back and destroys the window on every way out.
#pragma once
#include "afxdialog.h"

class CUiResDlg : public CDialog {
    DECLARE_DYNAMIC(CUiResDlg)
public:
    CUiResDlg();
    explicit CUiResDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CUiResDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    using CDialog::CreateIndirect;
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL) override;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) override;
    INT_PTR DoModal() override;
    virtual INT_PTR DoModalFromResource();
    BOOL OnInitDialog() override;

    LPCTSTR m_lpszPendingTemplate;
};

// Applies the init data of a pending template to pWnd's controls and, when all went in,
// sends WM_INITIALUPDATE to its descendants; false when a record failed.
bool UiApplyPendingDlgInit(CWnd* pWnd, LPCTSTR lpszPendingTemplate);

// The initialisation of a framework dialog or page: the pending template's init data once
// (the pending template is cleared), then the base's initialisation (baseInit) with the
// template name and the in-memory init data hidden from it when the data went in here.
template <class TBaseInit>
BOOL UiInitDialogOnce(CDialog* pDlg, LPCTSTR& lpszPendingTemplate, TBaseInit baseInit)
{
    LPCTSTR lpszPending = lpszPendingTemplate;
    lpszPendingTemplate = NULL;
    UiApplyPendingDlgInit(pDlg, lpszPending);
    LPCTSTR lpszTemplateName = pDlg->m_lpszTemplateName;
    void* lpDialogInit = pDlg->m_lpDialogInit;
    if (lpszPending != NULL) {
        pDlg->m_lpszTemplateName = NULL;
        pDlg->m_lpDialogInit = nullptr;
    }
    BOOL bResult = baseInit();
    pDlg->m_lpszTemplateName = lpszTemplateName;
    pDlg->m_lpDialogInit = lpDialogInit;
    return bResult;
}
