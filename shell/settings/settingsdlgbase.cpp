#include "settingsdlgbase.h"

#include "resource.h"
#include "settingspage.h"

namespace {

// The page area, in client pixels of the dialog.
const int kPageX = 170;
const int kPageY = 10;
const int kPageWidth = 536;
const int kPageHeight = 354;

} // namespace

BEGIN_MESSAGE_MAP(CSettingsDlgBase, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, IDC_SETTINGS_TREE, OnTreeSelChanged)
    ON_BN_CLICKED(IDC_SETTINGS_APPLY, OnApply)
END_MESSAGE_MAP()

CSettingsDlgBase::CSettingsDlgBase(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_nShownPage(-1)
{
    for (int i = 0; i < kMaxPages; ++i)
        m_pages[i] = NULL;
}

void CSettingsDlgBase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTINGS_TREE, m_tree);
}

BOOL CSettingsDlgBase::DestroyWindow()
{
    for (int i = 0; i < kMaxPages; ++i) {
        delete m_pages[i];
        m_pages[i] = NULL;
    }
    return CDialog::DestroyWindow();
}

void CSettingsDlgBase::OnOK()
{
    Apply();
    CDialog::OnOK();
}

void CSettingsDlgBase::OnApply()
{
    Apply();
}

void CSettingsDlgBase::PlacePagesAndImages()
{
    for (int i = 0; i < kMaxPages; ++i) {
        if (m_pages[i] != NULL)
            m_pages[i]->MoveWindow(kPageX, kPageY, kPageWidth, kPageHeight, TRUE);
    }
    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 1);
    CBitmap bitmap;
    bitmap.LoadBitmap(IDB_SETTINGS_TREE);
    m_images.Add(&bitmap, RGB(0, 0, 0));
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
}

HTREEITEM CSettingsDlgBase::InsertTreeItem(LPCTSTR lpszText, int nImage, HTREEITEM hParent, CDialog* pPage)
{
    return m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, lpszText, nImage, nImage, 0, 0,
                             reinterpret_cast<LPARAM>(pPage), hParent, TVI_LAST);
}

void CSettingsDlgBase::ShowPage(int nIndex)
{
    for (int i = 0; i < kMaxPages; ++i) {
        if (m_pages[i] != NULL)
            m_pages[i]->ShowWindow(SW_HIDE);
    }
    m_nShownPage = nIndex;
    OnPageShown(nIndex);
    if (m_pages[nIndex] != NULL)
        m_pages[nIndex]->ShowWindow(SW_SHOW);
}

void CSettingsDlgBase::PostToFrame(WPARAM wParam)
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner == NULL && m_pParentWnd != NULL)
        hOwner = m_pParentWnd->GetSafeHwnd();
    if (hOwner != NULL)
        ::PostMessageA(hOwner, WM_FRAME_REFRESH, wParam, 0);
}

void CSettingsDlgBase::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEW* pTree = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    CDialog* pPage = reinterpret_cast<CDialog*>(pTree->itemNew.lParam);
    // A group item holds no page: the page shown stays.
    if (pPage == NULL)
        return;
    for (int i = 0; i < kMaxPages; ++i) {
        if (m_pages[i] == pPage) {
            ShowPage(i);
            return;
        }
    }
}
