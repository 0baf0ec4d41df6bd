#include "pushbuttonpaintdata.h"

PushButtonPaintData::PushButtonPaintData(CObject* pAsking, BOOL bHorz, const RECT& rcClient, LPCSTR lpszText,
                                         CUiCmdIcon* pIcon, BOOL bFlat, BOOL bHover, BOOL bPushed,
                                         BOOL bIndeterminate, BOOL bEnabled, BOOL bDrawBorder, BOOL bDrawFocus,
                                         BOOL bDefault, int nAlign, HFONT hFont, BOOL bDropDown, UINT nSysCmd,
                                         BOOL bTransparent)
    : m_pszText(lpszText), m_pIcon(pIcon), m_nAlign(nAlign), m_hFont(hFont), m_nSysCmd(nSysCmd), m_bFlags(0),
      m_bFlags2(0), m_clrForced{(COLORREF)-1, (COLORREF)-1, (COLORREF)-1, (COLORREF)-1}, m_nTextFormat(0),
      m_bFlags3(0)
{
    m_pAsking = pAsking;
    m_dwCallerValue = 0;
    m_rcItem = rcClient;
    const BOOL bits[8] = {bHorz, bFlat, bHover, bPushed, bIndeterminate, bEnabled, bDrawBorder, bDrawFocus};
    for (int i = 0; i < 8; ++i) {
        if (bits[i])
            m_bFlags |= (BYTE)(1 << i);
    }
    if (bDefault)
        m_bFlags2 |= kDefault;
    if (bDropDown)
        m_bFlags2 |= kDropDown;
    if (bTransparent)
        m_bFlags2 |= kTransparent;
    m_nTextFormat = (nAlign & 1) != 0 ? DT_SINGLELINE | DT_CENTER : DT_SINGLELINE | ((UINT)nAlign & DT_RIGHT);
    if ((nAlign & 4) != 0)
        m_nTextFormat |= DT_VCENTER;
}

RECT MeasureTextRect(CDC& dc, CFont* pFont, LPCSTR lpszText)
{
    RECT rc = {0, 0, 0, 0};
    if (lpszText == nullptr)
        return rc;
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    UINT nFormat = DT_CALCRECT | DT_SINGLELINE;
    if (strchr(lpszText, '\t') != nullptr)
        nFormat |= DT_EXPANDTABS;
    dc.DrawText(lpszText, -1, &rc, nFormat);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    ::OffsetRect(&rc, -rc.left, -rc.top);
    return rc;
}

int MeasureTextWidth(CDC& dc, CFont* pFont, LPCSTR lpszText)
{
    RECT rc = MeasureTextRect(dc, pFont, lpszText);
    return rc.right - rc.left;
}
