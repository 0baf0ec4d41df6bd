// The marker-setting and marker-information dialogs.
#include "markerdlgs.h"

#include <algorithm>
#include <utility>

#include "afxdlgs.h"

#include "resource.h"
#include "hexedit.h"
#include "messagetext.h"

namespace {
const char kMarkerFileFilter[] = "Mirtolex Marker file(*.mrk)|*.mrk|All Files(*.*)|*.*||";
const char kMarkerFileExt[] = "mrk";
} // namespace

// ---------------------------------------------------------------------------------------
// Marker setting

CMarkerSettingDlg::CMarkerSettingDlg(CWnd* pParent)
    : CDialog(IDD_MARKER_SETTING, pParent), m_crText(0x0000FF), m_crBack(0xCCCCEE),
      m_strComment("Please Input Comment")
{
}

void CMarkerSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MARKER_TEXT_COLOR, m_textButton);
    DDX_Control(pDX, IDC_MARKER_BACK_COLOR, m_backButton);
    DDX_Control(pDX, IDC_MARKER_COMMENT, m_comment);
}

BOOL CMarkerSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_textButton.SetColor(m_crText);
    m_backButton.SetColor(m_crBack);
    m_comment.SetWindowText(m_strComment);
    return TRUE;
}

void CMarkerSettingDlg::OnOK()
{
    m_crText = m_textButton.GetColor();
    m_crBack = m_backButton.GetColor();
    m_comment.GetWindowText(m_strComment);
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------------------
// Marker information

BEGIN_MESSAGE_MAP(CMarkerInfoDlg, CDialog)
    ON_BN_CLICKED(IDC_MARKER_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_MARKER_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_MARKER_UP, OnUp)
    ON_BN_CLICKED(IDC_MARKER_DOWN, OnDown)
    ON_BN_CLICKED(IDC_MARKER_DELETE_ALL, OnDeleteAll)
    ON_BN_CLICKED(IDC_MARKER_LOAD, OnLoad)
    ON_BN_CLICKED(IDC_MARKER_SAVE, OnSave)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_MARKER_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_MARKER_LIST, OnListDblClk)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_MARKER_LIST, OnCustomDraw)
END_MESSAGE_MAP()

CMarkerInfoDlg::CMarkerInfoDlg(CWnd* pParent)
    : CDialog(IDD_MARKER_INFO, pParent), m_pEditor(nullptr), m_bChanged(false), m_nSelected(-1)
{
}

void CMarkerInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MARKER_LIST, m_list);
}

BOOL CMarkerInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "Start", LVCFMT_LEFT, 50);
    m_list.InsertColumn(1, "Length", LVCFMT_LEFT, 50);
    m_list.InsertColumn(2, "Comment", LVCFMT_LEFT, 280);
    m_markers.clear();
    if (m_pEditor != nullptr)
        m_markers = m_pEditor->GetModel().GetMarkers();
    FillList();
    UpdateButtons();
    return TRUE;
}

void CMarkerInfoDlg::FillList()
{
    m_list.DeleteAllItems();
    m_nSelected = -1;
    for (size_t i = 0; i < m_markers.size(); ++i)
        SetRow(static_cast<int>(i), true);
}

void CMarkerInfoDlg::SetRow(int row, bool insert)
{
    const HexMarker& marker = m_markers[static_cast<size_t>(row)];
    CString text;
    text.Format("%d", marker.nStart);
    if (insert)
        row = m_list.InsertItem(row, text);
    else
        m_list.SetItemText(row, 0, text);
    text.Format("%d", marker.nLength);
    m_list.SetItemText(row, 1, text);
    m_list.SetItemText(row, 2, marker.strComment);
}

void CMarkerInfoDlg::SelectRow(int row)
{
    m_nSelected = row;
    if (row >= 0) {
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(row, FALSE);
    }
}

void CMarkerInfoDlg::UpdateButtons()
{
    const int count = static_cast<int>(m_markers.size());
    const bool any = count > 0;
    const bool selected = any && m_nSelected >= 0 && m_nSelected < count;
    GetDlgItem(IDC_MARKER_EDIT)->EnableWindow(selected);
    GetDlgItem(IDC_MARKER_DELETE)->EnableWindow(selected);
    GetDlgItem(IDC_MARKER_UP)->EnableWindow(selected && m_nSelected > 0);
    GetDlgItem(IDC_MARKER_DOWN)->EnableWindow(selected && m_nSelected < count - 1);
    GetDlgItem(IDC_MARKER_SAVE)->EnableWindow(any);
    GetDlgItem(IDC_MARKER_DELETE_ALL)->EnableWindow(any);
}

void CMarkerInfoDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (pView->uNewState == (LVIS_SELECTED | LVIS_FOCUSED)) {
        m_nSelected = pView->iItem;
        UpdateButtons();
    }
    *pResult = 0;
}

void CMarkerInfoDlg::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    if (m_nSelected >= 0)
        OnEdit();
    *pResult = 0;
}

void CMarkerInfoDlg::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const size_t row = static_cast<size_t>(pDraw->nmcd.dwItemSpec);
        if (row < m_markers.size()) {
            pDraw->clrText = m_markers[row].crText;
            pDraw->clrTextBk = m_markers[row].crBack;
        }
    }
}

void CMarkerInfoDlg::OnEdit()
{
    const int row = m_nSelected;
    if (row < 0 || row >= static_cast<int>(m_markers.size()))
        return;
    HexMarker& marker = m_markers[static_cast<size_t>(row)];
    CMarkerSettingDlg dlg(this);
    dlg.m_crText = marker.crText;
    dlg.m_crBack = marker.crBack;
    dlg.m_strComment = marker.strComment;
    if (dlg.DoModal() != IDOK)
        return;
    marker.crText = dlg.m_crText;
    marker.crBack = dlg.m_crBack;
    marker.strComment = dlg.m_strComment;
    SetRow(row, false);
    m_list.RedrawItems(row, row);
    m_bChanged = true;
}

void CMarkerInfoDlg::OnDelete()
{
    const int row = m_nSelected;
    if (row < 0 || row >= static_cast<int>(m_markers.size()))
        return;
    CString text;
    text.Format("%s\r\n\r\n", static_cast<LPCSTR>(m_markers[static_cast<size_t>(row)].strComment));
    text += GetMessageText(13053);
    if (AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_markers.erase(m_markers.begin() + row);
    m_list.DeleteItem(row);
    const int count = static_cast<int>(m_markers.size());
    SelectRow(count == 0 ? -1 : (row < count ? row : count - 1));
    UpdateButtons();
    m_bChanged = true;
}

void CMarkerInfoDlg::Swap(int row, int other)
{
    std::swap(m_markers[static_cast<size_t>(row)], m_markers[static_cast<size_t>(other)]);
    SetRow(row, false);
    SetRow(other, false);
    m_list.RedrawItems(std::min(row, other), std::max(row, other));
    SelectRow(other);
    UpdateButtons();
    m_bChanged = true;
}

void CMarkerInfoDlg::OnUp()
{
    if (m_nSelected > 0 && m_nSelected < static_cast<int>(m_markers.size()))
        Swap(m_nSelected, m_nSelected - 1);
}

void CMarkerInfoDlg::OnDown()
{
    if (m_nSelected >= 0 && m_nSelected + 1 < static_cast<int>(m_markers.size()))
        Swap(m_nSelected, m_nSelected + 1);
}

void CMarkerInfoDlg::OnDeleteAll()
{
    if (AfxMessageBox(GetMessageText(13056), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_markers.clear();
    m_list.DeleteAllItems();
    m_nSelected = -1;
    UpdateButtons();
    m_bChanged = true;
}

void CMarkerInfoDlg::OnLoad()
{
    CFileDialog dlg(TRUE, kMarkerFileExt, GetMarkerFilePath(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kMarkerFileFilter,
                    this);
    if (dlg.DoModal() != IDOK)
        return;
    SetMarkerFilePath(dlg.GetPathName());
    m_list.DeleteAllItems();
    m_markers.clear();
    if (!ReadMarkerFile(GetMarkerFilePath(), m_markers))
        AfxMessageBox(GetMessageText(13021), MB_ICONERROR);
    FillList();
    UpdateButtons();
    m_bChanged = true;
}

void CMarkerInfoDlg::OnSave()
{
    CFileDialog dlg(FALSE, kMarkerFileExt, GetMarkerFilePath(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    kMarkerFileFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    SetMarkerFilePath(dlg.GetPathName());
    if (!WriteMarkerFile(GetMarkerFilePath(), m_markers))
        AfxMessageBox(GetMessageText(13022), MB_ICONERROR);
}

void CMarkerInfoDlg::OnOK()
{
    if (m_bChanged && m_pEditor != nullptr) {
        m_pEditor->ClearMarkers();
        for (const HexMarker& marker : m_markers)
            m_pEditor->AddMarker(marker.nStart, marker.nLength, marker.crText, marker.crBack, marker.strComment);
        if (::IsWindow(m_pEditor->m_hWnd))
            m_pEditor->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    EndDialog(IDOK);
}
