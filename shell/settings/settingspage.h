// The settings pages: each page is a modeless child dialog on its own template that copies a
// record into its controls (PutSettings) and back (TakeSettings). The communication settings
// pages work on a CCommSetRecord, the other settings pages on a CAppSettings.
//
// A page is created hidden by its own constructor (the page templates carry no WS_VISIBLE);
// the settings dialog shows the page whose tree item is selected. Enter and Esc inside a page
// do nothing: only the dialog's own buttons close it.
//
// A page disabled as a whole (a port page while its port runs) greys every control on it, since
// a disabled dialog alone still draws its controls as editable; enabled again, each control
// takes back the state it had.
#pragma once

#include <vector>

#include "afxwin.h"
#include "framerefresh.h"

template <class Record>
class ISettingsPage {
public:
    virtual void PutSettings(const Record& record) = 0;
    // Returns 0.
    virtual int TakeSettings(Record& record) = 0;

protected:
    ~ISettingsPage() {}
};

class CSettingsPageBase : public CDialog {
public:
    explicit CSettingsPageBase(UINT nIDTemplate, CWnd* pParent);

    // Lets Tab enter the page: no modal frame, a tab stop of its own.
    BOOL OnInitDialog() override;

protected:
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()

    // The number at the start of a control's text, clamped to the int32 range (0 when empty).
    int GetDlgItemNumber(int nID) const;
    void SetDlgItemNumber(int nID, int nValue);
    // The leading hex digits of a control's text (0 when none).
    int GetDlgItemHex(int nID) const;
    void SetCheck(int nID, int nChecked);
    int GetCheck(int nID) const;
    void EnableItem(int nID, BOOL bEnable);
    void ShowItem(int nID, BOOL bShow);
    void LimitText(int nID, int nChars);
    int GetListIndex(int nID) const;
    void SetListIndex(int nID, int nIndex);

private:
    // The controls that the page's own disabling greyed.
    std::vector<HWND> m_greyedControls;
};

// A page of one record type. The concrete page's constructor creates its window, so that its
// own OnInitDialog runs.
template <class Record>
class CSettingsPage : public CSettingsPageBase, public ISettingsPage<Record> {
public:
    CSettingsPage(UINT nIDTemplate, CWnd* pParent) : CSettingsPageBase(nIDTemplate, pParent) {}
};
