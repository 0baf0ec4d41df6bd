#include "comportpage.h"

#include "resource.h"

namespace {

const int kFramingFixedSize = 1;
const int kFramingDelimiter = 2;

} // namespace

BEGIN_MESSAGE_MAP(CComPortPage, CSettingsPageBase)
    ON_BN_CLICKED(IDC_COMPORT_RETRY, OnRetryClicked)
    ON_CBN_SELCHANGE(IDC_COMPORT_BAUD_LIST, OnBaudListChanged)
    ON_CBN_SELCHANGE(IDC_COMPORT_FLOW, OnFlowChanged)
    ON_CBN_SELCHANGE(IDC_COMPORT_FRAMING, OnFramingChanged)
    ON_BN_CLICKED(IDC_COMPORT_FLOW_SETTINGS, OnFlowSettings)
END_MESSAGE_MAP()

CComPortPage::CComPortPage(CWnd* pParent) : CSettingsPageBase(IDD_COM_PORT_PAGE, pParent)
{
    for (int i = 0; i < CFlowControlDlg::kArraySize; ++i)
        m_flow[i] = 0;
    Create(IDD_COM_PORT_PAGE, pParent);
}

void CComPortPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMPORT_DELIMITER, m_delimiter);
}

BOOL CComPortPage::OnInitDialog()
{
    CSettingsPageBase::OnInitDialog();
    HexEditModel& model = m_delimiter.GetModel();
    model.m_bShowChars = FALSE;
    model.m_nGroupDigits = 2;
    model.m_nAddressDigits = 4;
    m_delimiter.RecalcLayout();
    m_delimiter.Invalidate();
    LimitText(IDC_COMPORT_BAUD, 10);
    LimitText(IDC_COMPORT_BLOCK_SIZE, 5);
    LimitText(IDC_COMPORT_OUT_QUEUE, 9);
    LimitText(IDC_COMPORT_IN_QUEUE, 9);
    LimitText(IDC_COMPORT_RETRY_PERIOD, 6);
    SetListIndex(IDC_COMPORT_BAUD_LIST, 0);
    return TRUE;
}

void CComPortPage::PutPort(const CCommSetRecord& set, int nPort)
{
    SetListIndex(IDC_COMPORT_PORT, set.m_nComIndex[nPort]);
    SetDlgItemNumber(IDC_COMPORT_BAUD, set.m_nBaudRate[nPort]);
    SetListIndex(IDC_COMPORT_DATA_BITS, set.m_nDataBits[nPort]);
    SetListIndex(IDC_COMPORT_PARITY, set.m_nParity[nPort]);
    SetListIndex(IDC_COMPORT_STOP_BITS, set.m_nStopBits[nPort]);
    SetListIndex(IDC_COMPORT_FLOW, set.m_nDetailedFlow[nPort]);
    SetListIndex(IDC_COMPORT_FRAMING, set.m_nRecvFraming[nPort]);
    SetDlgItemNumber(IDC_COMPORT_BLOCK_SIZE, set.m_nFixedBlockSize[nPort]);
    SetDlgItemNumber(IDC_COMPORT_IN_QUEUE, set.m_nInQueue[nPort]);
    SetDlgItemNumber(IDC_COMPORT_OUT_QUEUE, set.m_nOutQueue[nPort]);
    m_delimiter.SetData(set.m_delimiters[nPort]);

    // The box stands for the engine's automatic retry as well as the page's own period, so a
    // set that retries by its engine fields alone shows as retrying.
    const int nPagePeriod = set.m_nOptionValue[nPort];
    const bool bRetry = nPagePeriod != 0 || set.m_nAutoRetry[nPort] != 0;
    SetCheck(IDC_COMPORT_RETRY, bRetry);
    SetDlgItemNumber(IDC_COMPORT_RETRY_PERIOD, !bRetry ? 0 : nPagePeriod != 0 ? nPagePeriod : set.m_nRetryPeriod[nPort]);
    UpdateRetry();
    UpdateFlow();
    UpdateFraming();

    const int flow[CFlowControlDlg::kFieldCount] = {
        set.fOutxCtsFlow[nPort], set.fOutxDsrFlow[nPort], set.fDtrControl[nPort], set.fRtsControl[nPort],
        set.fDsrSensitivity[nPort], set.fInX[nPort], set.fOutX[nPort], set.fTXContinueOnXoff[nPort],
        set.XonLim[nPort], set.XoffLim[nPort], set.XonChar[nPort], set.XoffChar[nPort]};
    for (int i = 0; i < CFlowControlDlg::kFieldCount; ++i)
        m_flow[i] = flow[i];
}

void CComPortPage::TakePort(CCommSetRecord& set, int nPort)
{
    set.m_nComIndex[nPort] = GetListIndex(IDC_COMPORT_PORT);
    set.m_nDataBits[nPort] = GetListIndex(IDC_COMPORT_DATA_BITS);
    set.m_nParity[nPort] = GetListIndex(IDC_COMPORT_PARITY);
    set.m_nStopBits[nPort] = GetListIndex(IDC_COMPORT_STOP_BITS);
    set.m_nDetailedFlow[nPort] = GetListIndex(IDC_COMPORT_FLOW);
    set.m_nRecvFraming[nPort] = GetListIndex(IDC_COMPORT_FRAMING);
    set.m_delimiters[nPort] = m_delimiter.GetData();
    set.m_nFixedBlockSize[nPort] = GetDlgItemNumber(IDC_COMPORT_BLOCK_SIZE);
    set.m_nInQueue[nPort] = GetDlgItemNumber(IDC_COMPORT_IN_QUEUE);
    set.m_nOutQueue[nPort] = GetDlgItemNumber(IDC_COMPORT_OUT_QUEUE);

    // The box drives the engine's automatic retry; unchecked, the engine keeps its period for
    // a set file that turns retry on again.
    const int nPeriod = GetCheck(IDC_COMPORT_RETRY) ? GetDlgItemNumber(IDC_COMPORT_RETRY_PERIOD) : 0;
    if (nPeriod > 0) {
        set.m_nAutoRetry[nPort] = 1;
        set.m_nRetryPeriod[nPort] = nPeriod;
        set.m_nOptionValue[nPort] = nPeriod;
    } else {
        set.m_nAutoRetry[nPort] = 0;
        set.m_nOptionValue[nPort] = 0;
    }

    const int nBaud = GetDlgItemNumber(IDC_COMPORT_BAUD);
    set.m_nBaudRate[nPort] = nBaud == 0 ? 9600 : nBaud;

    int* const fields[CFlowControlDlg::kFieldCount] = {
        &set.fOutxCtsFlow[nPort], &set.fOutxDsrFlow[nPort], &set.fDtrControl[nPort], &set.fRtsControl[nPort],
        &set.fDsrSensitivity[nPort], &set.fInX[nPort], &set.fOutX[nPort], &set.fTXContinueOnXoff[nPort],
        &set.XonLim[nPort], &set.XoffLim[nPort], &set.XonChar[nPort], &set.XoffChar[nPort]};
    for (int i = 0; i < CFlowControlDlg::kFieldCount; ++i)
        *fields[i] = m_flow[i];
}

void CComPortPage::UpdateRetry()
{
    EnableItem(IDC_COMPORT_RETRY_PERIOD, GetCheck(IDC_COMPORT_RETRY));
}

void CComPortPage::UpdateFlow()
{
    EnableItem(IDC_COMPORT_FLOW_SETTINGS, GetListIndex(IDC_COMPORT_FLOW) != 0);
}

void CComPortPage::UpdateFraming()
{
    const int nFraming = GetListIndex(IDC_COMPORT_FRAMING);
    if (nFraming == kFramingFixedSize) {
        SetDlgItemText(IDC_COMPORT_FRAMING_LABEL, "データサイズ");
        ShowItem(IDC_COMPORT_FRAMING_LABEL, TRUE);
        ShowItem(IDC_COMPORT_BLOCK_SIZE, TRUE);
        ShowItem(IDC_COMPORT_DELIMITER, FALSE);
    } else if (nFraming == kFramingDelimiter) {
        SetDlgItemText(IDC_COMPORT_FRAMING_LABEL, "Char指定");
        ShowItem(IDC_COMPORT_FRAMING_LABEL, TRUE);
        ShowItem(IDC_COMPORT_BLOCK_SIZE, FALSE);
        ShowItem(IDC_COMPORT_DELIMITER, TRUE);
    } else {
        ShowItem(IDC_COMPORT_FRAMING_LABEL, FALSE);
        ShowItem(IDC_COMPORT_BLOCK_SIZE, FALSE);
        ShowItem(IDC_COMPORT_DELIMITER, FALSE);
    }
}

void CComPortPage::OnRetryClicked()
{
    UpdateRetry();
}

void CComPortPage::OnBaudListChanged()
{
    const int nIndex = GetListIndex(IDC_COMPORT_BAUD_LIST);
    if (nIndex <= 0)
        return;
    CString text;
    const int nLength = static_cast<int>(SendDlgItemMessage(IDC_COMPORT_BAUD_LIST, CB_GETLBTEXTLEN, nIndex, 0));
    SendDlgItemMessage(IDC_COMPORT_BAUD_LIST, CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(text.GetBuffer(nLength + 1)));
    text.ReleaseBuffer();
    SetDlgItemText(IDC_COMPORT_BAUD, text);
}

void CComPortPage::OnFlowChanged()
{
    UpdateFlow();
}

void CComPortPage::OnFramingChanged()
{
    UpdateFraming();
}

void CComPortPage::OnFlowSettings()
{
    CFlowControlDlg dlg(this);
    for (int i = 0; i < CFlowControlDlg::kArraySize; ++i)
        dlg.m_values[i] = m_flow[i];
    if (dlg.DoModal() != IDOK)
        return;
    for (int i = 0; i < CFlowControlDlg::kArraySize; ++i)
        m_flow[i] = dlg.m_values[i];
}
