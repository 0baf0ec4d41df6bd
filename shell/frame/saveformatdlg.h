// The question of the export command: the log as CSV with digests, or as text.
#pragma once

#include "afxwin.h"
#include "afxdialog.h"

class CSaveFormatDlg : public CDialog {
public:
    enum { FormatCsv = 0, FormatText = 1 };

    explicit CSaveFormatDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nFormat;
};
