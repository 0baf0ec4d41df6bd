// Property pages and sheets over the common controls' PropertySheet.
//
// A CPropertyPage is a dialog whose window the sheet makes: its page description (m_psp)
// carries the object in lParam, and the page callback hooks the object onto the window the
// sheet creates next, so the page's message map sees the page from WM_INITDIALOG on. A
// CPropertySheet builds one description per page (BuildPropPageArray, virtual so a derived
// sheet can rewrite templates first) and hooks itself onto the sheet window around the
// PropertySheet call, so its object sees WM_CREATE. Modeless sheets (Create) come back at
// once; DoModal runs the control's own modal loop.
#pragma once
#include "afxdialog.h"
#include <commctrl.h>
#include <vector>

#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();

    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // Gives the sheet the page's template; the class library passes the description on as
    // it is.
    virtual void PreProcessPageTemplate(PROPSHEETPAGE& psp, BOOL bWizard);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;
    void SetModified(BOOL bChanged = TRUE);

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    PROPSHEETPAGE m_psp;
    CString m_strCaption;

protected:
    // The caption text of a string id (the library's loader); derived pages load their own.
    virtual void LoadCaption(UINT nIDCaption);
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CWnd* GetTabControl() const;
    BOOL IsWizard() const;
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }

    virtual INT_PTR DoModal();
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    virtual void BuildPropPageArray();
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    PROPSHEETHEADER m_psh;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_arrPsp;   // what the last BuildPropPageArray made
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bModeless;

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
};
