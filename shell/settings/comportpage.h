// CComPortPage: the serial parameters of one port, a child of the port-use page: port, baud
// rate, framing, queues, retry and the custom flow control (CFlowControlDlg). The port-use
// page puts the set into its controls and takes it back; the page itself keeps the rules
// between its controls and the twelve flow-control values.
#pragma once

#include "commsetrecord.h"
#include "flowcontroldlg.h"
#include "hexedit.h"
#include "settingspage.h"

class CComPortPage : public CSettingsPageBase {
public:
    explicit CComPortPage(CWnd* pParent);

    BOOL OnInitDialog() override;

    void PutPort(const CCommSetRecord& set, int nPort);
    void TakePort(CCommSetRecord& set, int nPort);

    // The twelve flow-control values (CFlowControlDlg's order), room for 16.
    int m_flow[CFlowControlDlg::kArraySize];

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void UpdateRetry();
    void UpdateFlow();
    void UpdateFraming();

    afx_msg void OnRetryClicked();
    afx_msg void OnBaudListChanged();
    afx_msg void OnFlowChanged();
    afx_msg void OnFramingChanged();
    afx_msg void OnFlowSettings();
    DECLARE_MESSAGE_MAP()

    CHexEdit m_delimiter;
};
