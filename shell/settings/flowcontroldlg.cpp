#include "flowcontroldlg.h"

#include "conversions.h"
#include "resource.h"
#include "settingsnumbers.h"

namespace {

// The list of each flag field, in field order.
const int kListIds[] = {IDC_FLOW_OUTX_CTS, IDC_FLOW_OUTX_DSR, IDC_FLOW_DTR_CONTROL, IDC_FLOW_RTS_CONTROL,
                        IDC_FLOW_DSR_SENSITIVITY, IDC_FLOW_INX, IDC_FLOW_OUTX, IDC_FLOW_TX_CONTINUE};

} // namespace

CFlowControlDlg::CFlowControlDlg(CWnd* pParent) : CDialog(IDD_FLOW_CONTROL, pParent)
{
    for (int i = 0; i < kArraySize; ++i)
        m_values[i] = 0;
}

void CFlowControlDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FLOW_XON_CHAR, m_xonChar);
    DDX_Control(pDX, IDC_FLOW_XOFF_CHAR, m_xoffChar);
}

BOOL CFlowControlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_FLOW_XON_LIM, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessage(IDC_FLOW_XOFF_LIM, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessage(IDC_FLOW_XON_CHAR, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessage(IDC_FLOW_XOFF_CHAR, EM_LIMITTEXT, 2, 0);
    for (int i = 0; i < XonLimField; ++i)
        SendDlgItemMessage(kListIds[i], CB_SETCURSEL, m_values[i], 0);
    CString text;
    text.Format("%d", m_values[XonLimField]);
    SetDlgItemText(IDC_FLOW_XON_LIM, text);
    text.Format("%d", m_values[XoffLimField]);
    SetDlgItemText(IDC_FLOW_XOFF_LIM, text);
    text.Format("%02X", m_values[XonCharField]);
    SetDlgItemText(IDC_FLOW_XON_CHAR, text);
    text.Format("%02X", m_values[XoffCharField]);
    SetDlgItemText(IDC_FLOW_XOFF_CHAR, text);
    return TRUE;
}

void CFlowControlDlg::OnOK()
{
    for (int i = 0; i < XonLimField; ++i)
        m_values[i] = static_cast<int>(SendDlgItemMessage(kListIds[i], CB_GETCURSEL, 0, 0));
    CString text;
    GetDlgItemText(IDC_FLOW_XON_LIM, text);
    m_values[XonLimField] = ParseDecimalClamped(text);
    GetDlgItemText(IDC_FLOW_XOFF_LIM, text);
    m_values[XoffLimField] = ParseDecimalClamped(text);
    GetDlgItemText(IDC_FLOW_XON_CHAR, text);
    m_values[XonCharField] = static_cast<int>(ParseHexText(text));
    GetDlgItemText(IDC_FLOW_XOFF_CHAR, text);
    m_values[XoffCharField] = static_cast<int>(ParseHexText(text));
    EndDialog(IDOK);
}
