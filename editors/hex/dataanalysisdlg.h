// CDataAnalyzerDlg: a read-only report of how the bytes at the caret of a hex editor read as
// numbers of the common sizes, signed and unsigned, little- and big-endian, and as floats.
// The caller sets the caret position and the data and runs it modally; nothing comes back.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

// The report for the bytes from caret on: the position lines, then the 1-, 2-, 4- and 8-byte
// groups for which the data holds enough bytes.
CString BuildDataAnalysisText(int caret, const BYTE* data, UINT size);

class CDataAnalyzerDlg : public CDialog {
public:
    explicit CDataAnalyzerDlg(CWnd* pParent = NULL);

    int m_nCaret;          // byte index of the caret in the data
    COleSafeArray m_data;  // the editor's bytes (VT_UI1)

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CFont m_font;
    CEdit m_text;
    CBrush m_brush;        // the window colour, so the read-only field looks like a plain one
    COLORREF m_crBack;
};
