// CLogDisplayPage: how the log list shows its entries: the date format, per port whether
// messages are listed, which send and receive entries are listed with which columns, and the
// four colours of each port.
#pragma once

#include "afxwin.h"
#include "colorbutton.h"
#include "commsetrecord.h"
#include "settingspage.h"

class CLogDisplayPage : public CSettingsPage<CCommSetRecord> {
public:
    explicit CLogDisplayPage(CWnd* pParent);

    void PutSettings(const CCommSetRecord& set) override;
    int TakeSettings(CCommSetRecord& set) override;

    // Port 1 background, message, send, receive; then the same four of port 2.
    CColorButton m_colors[8];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The column boxes of a group follow its "list the entries" box.
    void ApplyColumnRule(int nGroup);
    afx_msg void OnListBox(UINT nId);
    DECLARE_MESSAGE_MAP()
};
