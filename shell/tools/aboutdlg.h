// CAboutDlg: the program's version, the script DLLs loaded at start-up with the functions each
// gives to scripts, and the way to the support web page (the help button or the address).
#pragma once

#include "afxwin.h"

// One line "[Lua] [file name] [Module:name,name]\r\n" per loaded script DLL, in load order.
CString FormatScriptDllLines();

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSupportPage();
    DECLARE_MESSAGE_MAP()

    CStatic m_version;
    CEdit m_dlls;
    CStatic m_engine;
    CStatic m_address;
    CButton m_help;
};
