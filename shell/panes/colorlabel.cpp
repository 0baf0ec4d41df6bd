#include "colorlabel.h"

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CColorLabel::CColorLabel()
    : m_clrBack(::GetSysColor(COLOR_BTNFACE)), m_clrText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_nFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE), m_bUseWindowText(TRUE), m_pFont(nullptr)
{
    m_brushBack.CreateSolidBrush(m_clrBack);
}

CColorLabel::~CColorLabel() {}

void CColorLabel::SetBkColor(COLORREF clr)
{
    m_brushBack.DeleteObject();
    m_brushBack.CreateSolidBrush(clr);
    m_clrBack = clr;
    if (GetSafeHwnd() != NULL)
        Invalidate();
}

void CColorLabel::SetLabelFont(CFont* pFont)
{
    m_pFont = pFont;
    if (GetSafeHwnd() != NULL)
        Invalidate();
}

void CColorLabel::OnPaint()
{
    CPaintDC dc(this);
    // The line labels of a COM control pane behind the selected tab of its group: none shows.
    CRect rcClip;
    if (dc.GetClipBox(&rcClip) == NULLREGION)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rc(0, 0, rcWindow.Width() - 2, rcWindow.Height() - 2);
    dc.FillRect(&rc, &m_brushBack);
    CFont* pOld = m_pFont != nullptr ? dc.SelectObject(m_pFont) : nullptr;
    dc.SetTextColor(m_clrText);
    dc.SetBkMode(TRANSPARENT);
    CString strText = m_strText;
    if (m_bUseWindowText)
        GetWindowText(strText);
    dc.DrawText(strText, &rc, m_nFormat);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
}
