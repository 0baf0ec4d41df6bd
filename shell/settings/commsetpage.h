// CCommSetPage: the set's name and comment. The auto-start box stays on the template, hidden
// and disabled, only to carry the set's flag through Put and Take unchanged.
#pragma once

#include "afxwin.h"
#include "isettingspage.h"

class CCommSetRecord;

class CCommSetPage : public CDialog, public ISettingsPage {
public:
    // Creates the page at once, hidden, as a child of pParent.
    explicit CCommSetPage(CWnd* pParent);

    void PutSettings(void* pRecord) override;
    int TakeSettings(void* pRecord) override;
    void Put(const CCommSetRecord& set);
    void Take(CCommSetRecord& set);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnNameFocus();
    afx_msg void OnCommentFocus();
    DECLARE_MESSAGE_MAP()
};
