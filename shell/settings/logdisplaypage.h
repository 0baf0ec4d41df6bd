// CLogDisplayPage: how the log list shows its entries: the date format, per port whether
// messages are listed, which send and receive entries are listed with which columns, and the
// four colours of each port.
#pragma once

#include "afxwin.h"
#include "colorbutton.h"
#include "isettingspage.h"

class CCommSetRecord;

class CLogDisplayPage : public CDialog, public ISettingsPage {
public:
    explicit CLogDisplayPage(CWnd* pParent);

    void PutSettings(void* pRecord) override;
    int TakeSettings(void* pRecord) override;
    void Put(const CCommSetRecord& set);
    void Take(CCommSetRecord& set);

    // Port 1 background, message, send, receive; then the same four of port 2.
    CColorButton m_colors[8];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // The column boxes of a group follow its "list the entries" box.
    void ApplyColumnRule(int nGroup);
    afx_msg void OnListBox(UINT nId);
    DECLARE_MESSAGE_MAP()
};
