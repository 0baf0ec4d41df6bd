#include "dllselectdlg.h"

#include "messagetext.h"
#include "plugindll.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CDllSelectDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DLLSELECT_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_DLLSELECT_LIST, OnDblClick)
END_MESSAGE_MAP()

CDllSelectDlg::CDllSelectDlg(CWnd* pParent) : CDialog(IDD_DLL_SELECT, pParent), m_strFolder(GetAppDirectory()), m_nSelected(-1)
{
}

void CDllSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DLLSELECT_LIST, m_list);
    DDX_Control(pDX, IDC_DLLSELECT_DETAILS, m_details);
}

BOOL CDllSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.ModifyStyle(0, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    static const struct {
        LPCSTR pszHeader;
        int nWidth;
    } kColumns[] = {{"No.", 34}, {"Name", 120}, {"Type", 100}, {"Comment", 350}};
    for (int i = 0; i < 4; ++i)
        m_list.InsertColumn(i, kColumns[i].pszHeader, LVCFMT_LEFT, kColumns[i].nWidth);

    if (EnumPluginDlls(m_strFolder, m_infos) != 0) {
        AfxMessageBox(GetMessageText(13026), MB_ICONEXCLAMATION);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    for (size_t i = 0; i < m_infos.size(); ++i)
        AddRow(static_cast<int>(i), m_infos[i]);
    return TRUE;
}

void CDllSelectDlg::AddRow(int nIndex, const DllInfo& info)
{
    CString text;
    text.Format("%d", nIndex + 1);
    m_list.InsertItem(nIndex, text);
    m_list.SetItemText(nIndex, 1, info.strFileName);
    text.Format("0x%08X", static_cast<unsigned>(info.dwType));
    m_list.SetItemText(nIndex, 2, text);
    m_list.SetItemText(nIndex, 3, info.strComment1);
}

void CDllSelectDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pItem = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (pItem->uNewState != (LVIS_SELECTED | LVIS_FOCUSED))
        return;
    if (pItem->iItem < 0 || pItem->iItem >= static_cast<int>(m_infos.size()))
        return;
    m_nSelected = pItem->iItem;
    const DllInfo& info = m_infos[static_cast<size_t>(m_nSelected)];
    CString text;
    text.Format("Name:%s\r\nType:%08X\r\n\r\nComment(1):\r\n%s\r\n\r\nComment(2):\r\n%s", (LPCSTR)info.strFileName,
                static_cast<unsigned>(info.dwType), (LPCSTR)info.strComment1, (LPCSTR)info.strComment2);
    m_details.SetWindowText(text);
}

void CDllSelectDlg::OnDblClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    *pResult = 0;
    if (m_nSelected >= 0)
        OnOK();
}

void CDllSelectDlg::OnOK()
{
    if (m_nSelected < 0 || m_nSelected >= static_cast<int>(m_infos.size())) {
        AfxMessageBox(GetMessageText(13025), MB_ICONEXCLAMATION);
        return;
    }
    m_strResult = m_infos[static_cast<size_t>(m_nSelected)].strFileName;
    EndDialog(IDOK);
}
