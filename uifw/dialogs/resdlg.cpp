// CUiResDlg: templates and init data through the resource manager, with the font rule.
#include "resdlg.h"
#include "dlgresource.h"
#include "dlgtemplatefont.h"

IMPLEMENT_DYNAMIC(CUiResDlg, CDialog)

CUiResDlg::CUiResDlg() : m_lpszPendingTemplate(NULL)
{
}

CUiResDlg::CUiResDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_lpszPendingTemplate(NULL)
{
}

CUiResDlg::CUiResDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd), m_lpszPendingTemplate(NULL)
{
}

BOOL CUiResDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CUiResDlg::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_lpszPendingTemplate = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    UiFoundResource found;
    if (!UiFindDialogResource((LPCSTR)RT_DIALOG, lpszTemplateName, found))
        return FALSE;
    CDialogTemplate dlgTemplate((const DLGTEMPLATE*)found.pData, found.cbData);
    if (dlgTemplate.GetHandle() == NULL || !UiApplyDialogFontRule(dlgTemplate))
        return FALSE;
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    return CreateIndirect(dlgTemplate.GetTemplate(), pParentWnd, NULL, found.hModule);
}

INT_PTR CUiResDlg::DoModal()
{
    m_lpszPendingTemplate = m_lpszTemplateName;
    return DoModalFromResource();
}

INT_PTR CUiResDlg::DoModalFromResource()
{
    const DLGTEMPLATE* pSource = m_lpDialogTemplate;
    UINT cbSource = 0;
    if (m_lpszTemplateName != NULL) {
        UiFoundResource found;
        if (!UiFindDialogResource((LPCSTR)RT_DIALOG, m_lpszTemplateName, found))
            return -1;
        pSource = (const DLGTEMPLATE*)found.pData;
        cbSource = found.cbData;
    } else if (m_hDialogTemplate != NULL) {
        pSource = (const DLGTEMPLATE*)::LockResource(m_hDialogTemplate);
    }
    if (pSource == nullptr)
        return -1;
    CDialogTemplate dlgTemplate(pSource, cbSource);
    if (dlgTemplate.GetHandle() == NULL || !UiApplyDialogFontRule(dlgTemplate))
        return -1;

    // The class library's modal run on the copy; the dialog's own template fields come back
    // afterwards, so it can run again.
    LPCTSTR lpszTemplateName = m_lpszTemplateName;
    HGLOBAL hDialogTemplate = m_hDialogTemplate;
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    InitModalIndirect(dlgTemplate.GetTemplate(), m_pParentWnd, m_lpDialogInit);
    INT_PTR nResult = CDialog::DoModal();
    m_lpszTemplateName = lpszTemplateName;
    m_hDialogTemplate = hDialogTemplate;
    m_lpDialogTemplate = lpDialogTemplate;
    return nResult;
}

bool UiApplyPendingDlgInit(CWnd* pWnd, LPCTSTR lpszPendingTemplate)
{
    if (lpszPendingTemplate == NULL)
        return true;
    UiFoundResource found;
    if (UiFindDialogResource((LPCSTR)RT_DLGINIT, lpszPendingTemplate, found) &&
        !pWnd->ExecuteDlgInit(found.pData, found.cbData))
        return false;
    pWnd->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return true;
}

BOOL CUiResDlg::OnInitDialog()
{
    return UiInitDialogOnce(this, m_lpszPendingTemplate, [this] { return CDialog::OnInitDialog(); });
}
