#include "comtooldlg.h"

#include "commreport.h"
#include "messagetext.h"
#include "resource.h"
#include "tooldialog.h"

BEGIN_MESSAGE_MAP(CComToolDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CComToolDlg::CComToolDlg(CWnd* pParent)
    : CDialog(IDD_COM_TOOL, pParent), m_crBack(::GetSysColor(COLOR_WINDOW))
{
    m_brush.CreateSolidBrush(m_crBack);
    CreateToolFont(m_font);
}

void CComToolDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMTOOL_PORT, m_port);
    DDX_Control(pDX, IDC_COMTOOL_REPORT, m_report);
}

BOOL CComToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetToolIcons(this);
    m_port.SetFont(&m_font, TRUE);
    m_report.SetFont(&m_font, TRUE);
    m_port.SetCurSel(0);
    m_report.SetWindowText(GetMessageText(13041));
    return TRUE;
}

void CComToolDlg::OnOK()
{
    // The dialog stays open: each press replaces the report.
    m_report.SetWindowText(ReportPortDefaultStatus(m_port.GetCurSel()));
}

void CComToolDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // The first sizes arrive while the dialog is being created, before the field is bound.
    if (m_report.m_hWnd == NULL)
        return;
    CRect rc;
    m_report.GetWindowRect(&rc);
    ScreenToClient(&rc);
    m_report.MoveWindow(rc.left, rc.top, cx - 16, cy - 44);
}

HBRUSH CComToolDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != NULL && pWnd->GetDlgCtrlID() == IDC_COMTOOL_REPORT) {
        pDC->SetBkColor(m_crBack);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return hbr;
}
