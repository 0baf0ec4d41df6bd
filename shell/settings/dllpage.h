// CDllPage: the extension DLL of one port and its own settings data. The page loads the DLL
// whenever it needs it: to show its type and comments, and to let it edit its settings data
// in its own window (the details request). Choosing another DLL drops the old DLL's data.
//
// A DLL's replies are outside input: a comment address of 0 reads as an empty text, and a
// details reply giving a size with a null address leaves the settings data as it was.
#pragma once

#include "afxdisp.h"
#include "commsetrecord.h"
#include "settingspage.h"

class CDllPage : public CSettingsPage<CCommSetRecord> {
public:
    explicit CDllPage(CWnd* pParent);

    void SetPort(int nPort) { m_nPort = nPort; }

    void PutSettings(const CCommSetRecord& set) override;
    int TakeSettings(CCommSetRecord& set) override;

    const CString& GetDllPath() const { return m_strDllPath; }
    const COleSafeArray& GetDllData() const { return m_dllData; }
    // The folder the selection dialog lists: the program's folder unless set.
    CString m_strSelectFolder;

protected:
    void Refresh();

    afx_msg void OnChoose();
    afx_msg void OnClear();
    afx_msg void OnDetails();
    DECLARE_MESSAGE_MAP()

    int m_nPort;
    CString m_strDllPath;
    COleSafeArray m_dllData;
};
