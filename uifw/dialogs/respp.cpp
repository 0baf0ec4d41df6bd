// CUiResPP and CUiResPS.
#include "respp.h"
#include "dlgresource.h"
#include "dlgtemplatefont.h"
#include "resdlg.h"
#include "resourcemanager.h"

IMPLEMENT_DYNAMIC(CUiResPP, CPropertyPage)

CUiResPP::CUiResPP() : m_lpszPendingTemplate(NULL), m_hPageTemplate(NULL)
{
}

CUiResPP::CUiResPP(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(), m_lpszPendingTemplate(MAKEINTRESOURCE(nIDTemplate)), m_hPageTemplate(NULL)
{
    // Built again here: the base's construction cannot reach this class's caption loader.
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CUiResPP::CUiResPP(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(), m_lpszPendingTemplate(lpszTemplateName), m_hPageTemplate(NULL)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CUiResPP::~CUiResPP()
{
    if (m_hPageTemplate != NULL)
        ::GlobalFree(m_hPageTemplate);
}

void CUiResPP::LoadCaption(UINT nIDCaption)
{
    ResourceManagerHolder::GetResourceManager()->LoadString(m_strCaption, nIDCaption);
}

void CUiResPP::PreProcessPageTemplate(PROPSHEETPAGE& psp, BOOL bWizard)
{
    const DLGTEMPLATE* pSource = nullptr;
    UINT cbSource = 0;
    if (psp.dwFlags & PSP_DLGINDIRECT) {
        pSource = psp.pResource;
    } else {
        UiFoundResource found;
        if (!UiFindDialogResource((LPCSTR)RT_DIALOG, psp.pszTemplate, found))
            return;
        pSource = (const DLGTEMPLATE*)found.pData;
        cbSource = found.cbData;
        psp.hInstance = found.hModule;
    }
    CDialogTemplate dlgTemplate(pSource, cbSource);
    if (dlgTemplate.GetHandle() == NULL)
        return;
    UiApplyPageFontRule(dlgTemplate, bWizard != FALSE);
    if (m_hPageTemplate != NULL)
        ::GlobalFree(m_hPageTemplate);
    m_hPageTemplate = dlgTemplate.Detach();
    psp.pResource = (LPCDLGTEMPLATE)m_hPageTemplate;
    psp.dwFlags |= PSP_DLGINDIRECT;
}

BOOL CUiResPP::OnInitDialog()
{
    return UiInitDialogOnce(this, m_lpszPendingTemplate, [this] { return CPropertyPage::OnInitDialog(); });
}

IMPLEMENT_DYNAMIC(CUiResPS, CPropertySheet)

CUiResPS::CUiResPS()
{
}

CUiResPS::CUiResPS(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet((LPCTSTR)NULL, pParentWnd, iSelectPage)
{
    ResourceManagerHolder::GetResourceManager()->LoadString(m_strCaption, nIDCaption);
}

CUiResPS::CUiResPS(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}
