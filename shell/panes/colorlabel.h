// A label in a colour of its own: the indicators of the COM control pane. It paints its
// background and text itself, leaving the two pixels at the right and bottom edges to what
// is behind it, so neighbouring labels stand apart.
#pragma once
#include "afxctrls.h"
#include "afxdc.h"

class CColorLabel : public CStatic {
public:
    CColorLabel();
    ~CColorLabel() override;

    void SetBkColor(COLORREF clr);
    void SetLabelFont(CFont* pFont);

    COLORREF GetBkColor() const { return m_clrBack; }

    CBrush m_brushBack;
    COLORREF m_clrBack;     // the colour of m_brushBack
    COLORREF m_clrText;
    UINT m_nFormat;
    BOOL m_bUseWindowText;
    CString m_strText;      // drawn when m_bUseWindowText is off
    CFont* m_pFont;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
