// CRandomInputDlg: edits one random region: the start and end address (hexadecimal digits
// only), the value type and the minimum and maximum of the type's pair. The caller sets the
// record and the new-record flag, runs the dialog, and on IDOK takes the record back. Input
// that ParseRandomRegionInput refuses keeps the dialog open with the user's text.
#pragma once

#include "afxwin.h"

#include "numericedit.h"
#include "randomregion.h"

class CRandomInputDlg : public CDialog {
public:
    explicit CRandomInputDlg(CWnd* pParent = NULL);

    RandomRegion m_region;
    int m_bNewRecord;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTypeChange();
    afx_msg void OnStartFocus();
    afx_msg void OnEndFocus();
    afx_msg void OnMinFocus();
    DECLARE_MESSAGE_MAP()

    void ShowFullRange();
    void SelectAllOf(CEdit& edit);

    CNumericEdit m_start;
    CNumericEdit m_end;
    CComboBox m_type;
    CEdit m_min;
    CEdit m_max;
};
