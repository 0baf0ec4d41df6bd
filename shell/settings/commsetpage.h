// CCommSetPage: the set's name and comment. The auto-start box stays on the template, hidden
// and disabled, only to carry the set's flag through Put and Take unchanged.
#pragma once

#include "afxwin.h"
#include "commsetrecord.h"
#include "settingspage.h"

class CCommSetPage : public CSettingsPage<CCommSetRecord> {
public:
    // Creates the page at once, hidden, as a child of pParent.
    explicit CCommSetPage(CWnd* pParent);

    void PutSettings(const CCommSetRecord& set) override;
    int TakeSettings(CCommSetRecord& set) override;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnNameFocus();
    afx_msg void OnCommentFocus();
    DECLARE_MESSAGE_MAP()
};
