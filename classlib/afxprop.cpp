// CPropertyPage and CPropertySheet.
#include "afxprop.h"
#include "afxapp.h"

// ---------------------------------------------------------------------------------------
// CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// The page's window is the next one the sheet makes: the object is hooked onto it here.
UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGEA pPropPage)
{
    if (message == PSPCB_CREATE && pPropPage != nullptr)
        AfxHookWindowCreate((CWnd*)pPropPage->lParam);
    return TRUE;
}

INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        // The hook was taken by the page window; a slot left over would catch a stranger.
        AfxUnhookWindowCreate();
        return TRUE;
    }
    return FALSE;
}

} // namespace

CPropertyPage::CPropertyPage()
{
    CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::LoadCaption(UINT nIDCaption)
{
    m_strCaption.LoadString(nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = AfxPropPageCallback;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    if (nIDCaption != 0) {
        LoadCaption(nIDCaption);
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

void CPropertyPage::PreProcessPageTemplate(PROPSHEETPAGE&, BOOL)
{
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != NULL)
        ::SendMessageA(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

LRESULT CPropertyPage::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NOTIFY) {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if (pHdr != nullptr && pHdr->hwndFrom == ::GetParent(m_hWnd)) {
            switch (pHdr->code) {
            case PSN_SETACTIVE:
                return OnSetActive() ? 0 : -1;
            case PSN_KILLACTIVE:
                return OnKillActive() ? FALSE : TRUE;
            case PSN_APPLY:
                return OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            case PSN_RESET:
                OnReset();
                return 0;
            case PSN_QUERYCANCEL:
                return OnQueryCancel() ? FALSE : TRUE;
            default:
                break;
            }
        }
    }
    return CDialog::WindowProc(nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bModeless = FALSE;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    m_pages.push_back(pPage);
    if (m_hWnd != NULL) {
        PROPSHEETPAGE psp = pPage->m_psp;
        pPage->PreProcessPageTemplate(psp, IsWizard());
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&psp);
        if (hPage == NULL || !SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage)) {
            if (hPage != NULL)
                ::DestroyPropertySheetPage(hPage);
            m_pages.pop_back();
        }
    }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[(size_t)nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[(size_t)i] == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    return hPage != NULL ? (int)::SendMessageA(m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hPage, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == NULL)
        return GetPage((int)m_psh.nStartPage);
    CWnd* pPage = CWnd::FromHandlePermanent((HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return pPage != nullptr && pPage->IsKindOf(RUNTIME_CLASS(CPropertyPage)) ? static_cast<CPropertyPage*>(pPage)
                                                                               : nullptr;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

CWnd* CPropertySheet::GetTabControl() const
{
    return m_hWnd != NULL ? CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)) : nullptr;
}

BOOL CPropertySheet::IsWizard() const
{
    return (m_psh.dwFlags & (PSH_WIZARD | 0x2000)) != 0;
}

void CPropertySheet::BuildPropPageArray()
{
    m_arrPsp.clear();
    for (CPropertyPage* pPage : m_pages) {
        PROPSHEETPAGE psp = pPage->m_psp;
        pPage->PreProcessPageTemplate(psp, IsWizard());
        m_arrPsp.push_back(psp);
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.nPages = (UINT)m_arrPsp.size();
    m_psh.ppsp = m_arrPsp.empty() ? nullptr : m_arrPsp.data();
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    (void)dwStyle;
    (void)dwExStyle;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    m_bModeless = TRUE;
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = m_pParentWnd->GetSafeHwnd();
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    BuildPropPageArray();
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    return hWnd != NULL && hWnd == m_hWnd;
}

INT_PTR CPropertySheet::DoModal()
{
    m_bModeless = FALSE;
    m_psh.dwFlags &= ~(DWORD)PSH_MODELESS;
    HWND hWndTop = NULL;
    m_psh.hwndParent = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    BuildPropPageArray();
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    if (m_hWnd != NULL)
        DestroyWindow();
    return nResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    return (BOOL)Default();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return (BOOL)SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage != nullptr && pPage->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CPropertySheet::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(nMsg, wParam, lParam);
}
