// CDllSelectDlg: "DLL選択", the extension DLLs of the program folder in a list with their
// type and first comment; the selected one's details below; OK returns its file name.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "pluginprobe.h"

#include <vector>

class CDllSelectDlg : public CDialog {
public:
    explicit CDllSelectDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    CString m_strCurrent;   // the opener's current choice (not used by the dialog)
    CString m_strResult;    // the chosen DLL's file name, set by OK
    // The folder listed, ending with a backslash: the program's folder unless set before
    // DoModal.
    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void AddRow(int nIndex, const DllInfo& info);

    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CListCtrl m_list;
    CEdit m_details;
    std::vector<DllInfo> m_infos;
    int m_nSelected;
};
