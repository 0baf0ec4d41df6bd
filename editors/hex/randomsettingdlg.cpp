// The random-region list dialog.
#include "randomsettingdlg.h"

#include <utility>

#include "resource.h"
#include "messagetext.h"
#include "randominputdlg.h"

BEGIN_MESSAGE_MAP(CRandomSettingDlg, CDialog)
    ON_BN_CLICKED(IDC_RANDOM_ADD, OnAdd)
    ON_BN_CLICKED(IDC_RANDOM_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_RANDOM_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_RANDOM_UP, OnUp)
    ON_BN_CLICKED(IDC_RANDOM_DOWN, OnDown)
    ON_BN_CLICKED(IDC_RANDOM_OK, OnOkButton)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_RANDOM_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_RANDOM_LIST, OnListDblClk)
    ON_NOTIFY(NM_RETURN, IDC_RANDOM_LIST, OnListReturn)
END_MESSAGE_MAP()

CRandomSettingDlg::CRandomSettingDlg(CWnd* pParent) : CDialog(IDD_RANDOM_SETTING, pParent), m_nSelected(-1)
{
}

void CRandomSettingDlg::SetRegionData(const COleSafeArray& blob)
{
    m_loaded = RandomRegionsFromBlob(blob);
}

COleSafeArray CRandomSettingDlg::GetRegionData() const
{
    return RandomRegionsToBlob(m_shown);
}

void CRandomSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RANDOM_LIST, m_list);
}

BOOL CRandomSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.ModifyStyle(0, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.InsertColumn(0, "No.", LVCFMT_LEFT, 34);
    m_list.InsertColumn(1, "Start Addr.", LVCFMT_LEFT, 70);
    m_list.InsertColumn(2, "End Addr.", LVCFMT_LEFT, 70);
    m_list.InsertColumn(3, "TYPE", LVCFMT_LEFT, 90);
    m_list.InsertColumn(4, "min", LVCFMT_LEFT, 90);
    m_list.InsertColumn(5, "max", LVCFMT_LEFT, 90);

    m_shown.clear();
    m_nSelected = -1;
    for (size_t i = 0; i < m_loaded.size(); ++i)
        SetListRow(static_cast<int>(i), m_loaded[i], false);
    m_loaded.clear();
    return TRUE;
}

void CRandomSettingDlg::SetListRow(int row, const RandomRegion& region, bool replace)
{
    CString no;
    no.Format("%d", row + 1);
    if (replace) {
        m_list.SetItemText(row, 0, no);
        m_shown[static_cast<size_t>(row)] = region;
    } else {
        row = m_list.InsertItem(row, no);
        m_shown.push_back(region);
    }
    CString text;
    text.Format("%08X", region.start);
    m_list.SetItemText(row, 1, text);
    text.Format("%08X", region.end);
    m_list.SetItemText(row, 2, text);
    m_list.SetItemText(row, 3, RandomValueTypeName(region.type));
    m_list.SetItemText(row, 4, RandomRangeMinText(region));
    m_list.SetItemText(row, 5, RandomRangeMaxText(region));
}

void CRandomSettingDlg::SelectRow(int row)
{
    m_nSelected = row;
    if (row < 0)
        return;
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(row, FALSE);
}

void CRandomSettingDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (pView->uNewState == (LVIS_SELECTED | LVIS_FOCUSED))
        m_nSelected = pView->iItem;
    *pResult = 0;
}

void CRandomSettingDlg::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    if (m_list.GetSelectionMark() != -1)
        OnEdit();
    *pResult = 0;
}

void CRandomSettingDlg::OnListReturn(NMHDR*, LRESULT* pResult)
{
    OnEdit();
    *pResult = 0;
}

void CRandomSettingDlg::OnOK()
{
    // Enter reaches the dialog as the hidden default button: in the list it edits the row,
    // elsewhere it does nothing (the dialog closes only through its own OK button).
    if (::GetFocus() == m_list.m_hWnd)
        OnEdit();
}

void CRandomSettingDlg::OnOkButton()
{
    EndDialog(IDOK);
}

void CRandomSettingDlg::OnAdd()
{
    CRandomInputDlg dlg(this);
    dlg.m_bNewRecord = 1;
    if (dlg.DoModal() != IDOK)
        return;
    const int row = static_cast<int>(m_shown.size());
    SetListRow(row, dlg.m_region, false);
    SelectRow(row);
}

void CRandomSettingDlg::OnEdit()
{
    const int row = m_nSelected;
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return;
    CRandomInputDlg dlg(this);
    dlg.m_region = m_shown[static_cast<size_t>(row)];
    dlg.m_bNewRecord = 0;
    if (dlg.DoModal() != IDOK)
        return;
    SetListRow(row, dlg.m_region, true);
    SelectRow(row);
}

void CRandomSettingDlg::OnDelete()
{
    const int row = m_nSelected;
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return;
    if (AfxMessageBox(GetMessageText(13016), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_shown.erase(m_shown.begin() + row);
    m_list.DeleteItem(row);
    // The rows below moved up: their numbers follow.
    for (int i = row; i < static_cast<int>(m_shown.size()); ++i)
        SetListRow(i, m_shown[static_cast<size_t>(i)], true);
    if (m_shown.empty()) {
        m_nSelected = -1;
        return;
    }
    SelectRow(row < static_cast<int>(m_shown.size()) ? row : static_cast<int>(m_shown.size()) - 1);
}

void CRandomSettingDlg::SwapRows(int row, int other)
{
    std::swap(m_shown[static_cast<size_t>(row)], m_shown[static_cast<size_t>(other)]);
    SetListRow(row, m_shown[static_cast<size_t>(row)], true);
    SetListRow(other, m_shown[static_cast<size_t>(other)], true);
    SelectRow(other);
}

void CRandomSettingDlg::OnUp()
{
    const int row = m_nSelected;
    if (row <= 0 || row >= static_cast<int>(m_shown.size()))
        return;
    SwapRows(row, row - 1);
}

void CRandomSettingDlg::OnDown()
{
    const int row = m_nSelected;
    if (row < 0 || row + 1 >= static_cast<int>(m_shown.size()))
        return;
    SwapRows(row, row + 1);
}
