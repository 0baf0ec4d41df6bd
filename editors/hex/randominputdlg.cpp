// The random-region input dialog.
#include "randominputdlg.h"

#include "resource.h"
#include "messagetext.h"
#include "randominput.h"

BEGIN_MESSAGE_MAP(CRandomInputDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_RANDOM_TYPE, OnTypeChange)
    ON_EN_SETFOCUS(IDC_RANDOM_START, OnStartFocus)
    ON_EN_SETFOCUS(IDC_RANDOM_END, OnEndFocus)
    ON_EN_SETFOCUS(IDC_RANDOM_MIN, OnMinFocus)
END_MESSAGE_MAP()

CRandomInputDlg::CRandomInputDlg(CWnd* pParent)
    : CDialog(IDD_RANDOM_INPUT, pParent), m_region(MakeEmptyRandomRegion()), m_bNewRecord(0)
{
}

void CRandomInputDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RANDOM_START, m_start);
    DDX_Control(pDX, IDC_RANDOM_END, m_end);
    DDX_Control(pDX, IDC_RANDOM_TYPE, m_type);
    DDX_Control(pDX, IDC_RANDOM_MIN, m_min);
    DDX_Control(pDX, IDC_RANDOM_MAX, m_max);
}

BOOL CRandomInputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_type.GetCount() == 0) {
        for (uint32_t type = 0; type < RandomValueTypeCount; ++type)
            m_type.AddString(RandomValueTypeName(type));
    }
    // The limits bind typing only; the full-range texts of the float types are longer.
    m_start.LimitText(8);
    m_end.LimitText(8);
    m_min.LimitText(16);
    m_max.LimitText(16);

    if (m_bNewRecord) {
        m_type.SetCurSel(0);
        OnTypeChange();
    } else {
        CString text;
        text.Format("%08X", m_region.start);
        m_start.SetWindowText(text);
        text.Format("%08X", m_region.end);
        m_end.SetWindowText(text);
        m_type.SetCurSel(static_cast<int>(m_region.type));
        m_min.SetWindowText(RandomRangeMinText(m_region));
        m_max.SetWindowText(RandomRangeMaxText(m_region));
    }
    return TRUE;
}

void CRandomInputDlg::ShowFullRange()
{
    RandomRegion full = MakeEmptyRandomRegion();
    full.type = static_cast<uint32_t>(m_type.GetCurSel());
    SetRandomFullRange(full);
    m_min.SetWindowText(RandomRangeMinText(full));
    m_max.SetWindowText(RandomRangeMaxText(full));
}

void CRandomInputDlg::OnTypeChange()
{
    ShowFullRange();
}

void CRandomInputDlg::SelectAllOf(CEdit& edit)
{
    edit.SetSel(0, -1);
}

void CRandomInputDlg::OnStartFocus()
{
    SelectAllOf(m_start);
}

void CRandomInputDlg::OnEndFocus()
{
    SelectAllOf(m_end);
}

void CRandomInputDlg::OnMinFocus()
{
    SelectAllOf(m_min);
}

void CRandomInputDlg::OnOK()
{
    CString start, end, min, max;
    m_start.GetWindowText(start);
    m_end.GetWindowText(end);
    m_min.GetWindowText(min);
    m_max.GetWindowText(max);

    RandomRegion region = MakeEmptyRandomRegion();
    const int result = ParseRandomRegionInput(start, end, m_type.GetCurSel(), min, max, region);
    if (result != kRandomInputAccepted) {
        AfxMessageBox(GetMessageText(result), MB_ICONEXCLAMATION);
        return;
    }
    m_region = region;
    EndDialog(IDOK);
}
