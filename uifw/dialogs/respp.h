// CUiResPP and CUiResPS: the class library's property page and sheet with the page's
// template, init data and caption found through the resource manager, and every page's
// template rewritten to the property-sheet font and handed to the sheet in memory.
//
// A page made with a template sets its pending template, so it applies its init data once
// at its initialisation, as a framework dialog does; the base then sees no template name.
#pragma once
#include "afxprop.h"

class CUiResPP : public CPropertyPage {
    DECLARE_DYNAMIC(CUiResPP)
public:
    CUiResPP();
    explicit CUiResPP(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CUiResPP(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CUiResPP() override;

    void PreProcessPageTemplate(PROPSHEETPAGE& psp, BOOL bWizard) override;
    BOOL OnInitDialog() override;

    LPCTSTR m_lpszPendingTemplate;
    HGLOBAL m_hPageTemplate;   // the rewritten copy handed to the sheet, owned

protected:
    void LoadCaption(UINT nIDCaption) override;
};

class CUiResPS : public CPropertySheet {
    DECLARE_DYNAMIC(CUiResPS)
public:
    CUiResPS();
    explicit CUiResPS(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CUiResPS(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
};
