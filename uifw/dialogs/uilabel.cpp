// CUiLabel: painting and the repaint after text and state changes.
#include "uilabel.h"
#include "memorydc.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

IMPLEMENT_DYNCREATE(CUiLabel, CStatic)

CUiLabel::CUiLabel() : m_bFontFlags(0), m_clrTextEnabled(0xFFFFFFFF), m_clrTextDisabled(0xFFFFFFFF)
{
}

UINT CUiLabel::FormatForStyle(DWORD dwStyle, LPCTSTR lpszText)
{
    UINT nFormat;
    switch (dwStyle & SS_TYPEMASK) {
    case SS_CENTER:
        nFormat = DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        nFormat = DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
        nFormat = DT_LEFT;
        break;
    default:
        nFormat = DT_LEFT | DT_WORDBREAK;
        break;
    }
    if (lpszText != nullptr && strchr(lpszText, '\t') != nullptr)
        nFormat |= DT_EXPANDTABS;
    if (dwStyle & SS_CENTERIMAGE) {
        nFormat = DT_CENTER;
        if (lpszText == nullptr || strstr(lpszText, "\r\n") == nullptr)
            nFormat |= DT_VCENTER | DT_SINGLELINE;
    }
    return nFormat | DT_END_ELLIPSIS | DT_VCENTER;
}

COLORREF CUiLabel::GetTextColor(BOOL bEnabled)
{
    const COLORREF clrOwn = bEnabled ? m_clrTextEnabled : m_clrTextDisabled;
    if (clrOwn != 0xFFFFFFFF)
        return clrOwn;
    return PaintManagerHolder::Get()->GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
}

void CUiLabel::DrawLabelText(CDC& dc, const RECT& rc, LPCTSTR lpszText, UINT nFormat, BOOL bEnabled)
{
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL && GetParent() != nullptr)
        hFont = (HFONT)GetParent()->SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof(lf), &lf);
    lf.lfWeight = (m_bFontFlags & kBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (m_bFontFlags & kItalic) ? TRUE : FALSE;
    lf.lfUnderline = (m_bFontFlags & kUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (m_bFontFlags & kStrikeOut) ? TRUE : FALSE;
    HFONT hCopy = ::CreateFontIndirectA(&lf);
    const int nSaved = ::SaveDC(dc.GetSafeHdc());
    ::SelectObject(dc.GetSafeHdc(), hCopy != NULL ? hCopy : hFont);
    ::SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
    ::SetTextColor(dc.GetSafeHdc(), GetTextColor(bEnabled));
    RECT rcText = rc;
    ::DrawTextA(dc.GetSafeHdc(), lpszText, -1, &rcText, nFormat);
    ::RestoreDC(dc.GetSafeHdc(), nSaved);
    if (hCopy != NULL)
        ::DeleteObject(hCopy);
}

void CUiLabel::PaintLabel()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.IsRectEmpty() && ::RectVisible(hDC, &rcClient)) {
        CUiMemoryDC dc(CDC::FromHandle(hDC), &rcClient);
        CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
        bool bPainted = false;
        if (pManager->HasThemedBackground(this, 0)) {
            ExcludeChildWindowsFromClip(dc.GetSafeHdc(), m_hWnd, ChildClassExcludeFilterProc, 0);
            bPainted = pManager->PaintThemedBackground(dc, this, 0) != FALSE;
        }
        if (!bPainted)
            dc.FillSolidRect(&rcClient, pManager->GetColor(kFirstExtendedColorId));
        CString strText;
        GetWindowText(strText);
        if (!strText.IsEmpty())
            DrawLabelText(dc, rcClient, strText, FormatForStyle(GetStyle(), strText), IsWindowEnabled());
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CUiLabel::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        PaintLabel();
        return 0;
    case WM_SETTEXT:
    case WM_ENABLE: {
        SetRedraw(FALSE);
        LRESULT lr = CStatic::WindowProc(nMsg, wParam, lParam);
        SetRedraw(TRUE);
        CWnd* pParent = GetParent();
        if ((GetStyle() & WS_CHILD) && pParent != nullptr) {
            CRect rc;
            GetWindowRect(&rc);
            pParent->ScreenToClient(&rc);
            pParent->InvalidateRect(&rc, TRUE);
        }
        Invalidate();
        return lr;
    }
    default:
        return CStatic::WindowProc(nMsg, wParam, lParam);
    }
}
