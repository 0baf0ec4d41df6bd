// CTextInputDlg: the send editor's text input. The user types or pastes text, picks the line
// end and applies it in an encoding with one of the toolbar's buttons; the dialog only
// collects the text, the encoding (CharCodeMode) and the line-end choice, and the editor
// turns them into bytes. The text of the last use comes back in as the initial data.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include "toolcontrolbar.h"

class CTextInputDlg : public CDialog {
public:
    explicit CTextInputDlg(CWnd* pParent = NULL);

    // The initial text as bytes (no terminating NUL needed).
    void SetData(const COleSafeArray& data);
    // The text as bytes when the dialog closed (no NUL).
    const COleSafeArray& GetData() const { return m_data; }
    const CString& GetText() const { return m_strText; }
    // The line-end choice: 0 CR+LF, 1 LF.
    bool IsLfOnly() const { return m_nLineEnd == 1; }

    int m_nCharCode;   // CharCodeMode: set by the caller, changed by the apply buttons
    int m_nLineEnd;

    // The line-end choice of the last use in this run of the program.
    static int GetLastLineEnd();
    static void SetLastLineEnd(int nLineEnd);

    // The caption suffix of an encoding code (" - EUC" for 3; " - Unknown" outside 0..4).
    static LPCSTR CaptionSuffix(int nCharCode);

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnApply();
    afx_msg void OnApplySjis();
    afx_msg void OnApplyJis();
    afx_msg void OnApplyEuc();
    afx_msg void OnApplyUtf8();
    afx_msg void OnCloseCommand();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    void Apply(int nCharCode);
    void RecalcLayout();

    COleSafeArray m_data;
    CString m_strText;
    CComboBox m_lineEndList;
    CEdit m_edit;
    CUiToolControlBar m_toolBar;
};
