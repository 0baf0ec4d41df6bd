// CFlowControlDlg: "フロー制御設定", the twelve flow-control fields of a port's device control
// block. The opener copies its values in, runs the dialog and takes them back only on IDOK.
// No range is checked: the lists give the flags, the edits the limits and the two characters.
#pragma once

#include "afxwin.h"
#include "numericedit.h"

class CFlowControlDlg : public CDialog {
public:
    // The values in the order of the device control block's fields; the array keeps room for 16.
    enum FlowField {
        OutxCtsFlow = 0,
        OutxDsrFlow,
        DtrControl,
        RtsControl,
        DsrSensitivity,
        InX,
        OutX,
        TXContinueOnXoff,
        XonLimField,
        XoffLimField,
        XonCharField,
        XoffCharField,
        kFieldCount,
        kArraySize = 16
    };

    explicit CFlowControlDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    int m_values[kArraySize];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CNumericEdit m_xonChar;
    CNumericEdit m_xoffChar;
};
