// CComToolDlg: the COM tool. The user picks COM1 to COM16 and presses the run button; the
// report of what the system says about that port (see commreport.h) replaces the text of the
// read-only report field, which follows the dialog's size.
#pragma once

#include "afxwin.h"

class CComToolDlg : public CDialog {
public:
    explicit CComToolDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CComboBox m_port;
    CEdit m_report;
    CFont m_font;
    CBrush m_brush;      // the window colour, so the read-only report looks like a plain field
    COLORREF m_crBack;
};
