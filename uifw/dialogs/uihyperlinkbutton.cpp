#include "uihyperlinkbutton.h"
#include "hyperlinktext.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

#include <algorithm>
#include <intshcut.h>
#include <objbase.h>

IMPLEMENT_DYNCREATE(CUiHyperLinkButton, CUiButton)

namespace {

// The application's hand cursor, else the system's (the same id).
const UINT kIdcHand = 32649;

// A registry default value read as a string of at most 260 bytes, always terminated.
bool ReadClassesRootDefault(LPCSTR lpszKey, CString& strValue)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    char szValue[261] = {};
    DWORD dwType = 0;
    DWORD cbValue = 260;
    const LONG lResult = ::RegQueryValueExA(hKey, NULL, NULL, &dwType, (LPBYTE)szValue, &cbValue);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ || cbValue > 260)
        return false;
    szValue[cbValue] = '\0';
    strValue = szValue;
    return true;
}

void ShowOpenError(int nCode)
{
    AfxMessageBox(UiHyperLinkErrorMessage(nCode), MB_OK | MB_ICONERROR);
}

} // namespace

CUiHyperLinkButton::CUiHyperLinkButton()
    : m_bLinkFlags(kShowVisited), m_nLinkAlign(DT_LEFT), m_clrVisited(RGB(128, 0, 128)), m_bAlwaysUnderline(false)
{
    m_clrTextNormal = RGB(0, 0, 255);
    m_clrTextHover = RGB(255, 0, 0);
    SetCursorFromResource(kIdcHand);
}

CString CUiHyperLinkButton::GetEffectiveTarget() const
{
    if (!m_strTarget.IsEmpty())
        return m_strTarget;
    CString strText;
    if (::IsWindow(m_hWnd))
        GetWindowText(strText);
    strText.Trim();
    return strText;
}

void CUiHyperLinkButton::OnClick(bool bFromKeyboard, bool bOnDropDownPart)
{
    if (m_bLinkFlags & kCommandMode) {
        HWND hWnd = m_hWnd;
        CUiButton::OnClick(bFromKeyboard, bOnDropDownPart);
        if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this) {
            m_bLinkFlags |= kVisited;
            Repaint();
        }
        return;
    }
    OpenLink(GetEffectiveTarget(), kVerbOpen, false);
}

bool CUiHyperLinkButton::OpenLink(LPCSTR lpszTarget, int nVerb, bool bShowErrors)
{
    bool bOpened;
    if (UiIsWebLinkTarget(lpszTarget))
        bOpened = OpenViaShellCommand(lpszTarget, nVerb, bShowErrors) ||
                  OpenViaUrlShortcut(lpszTarget, nVerb, bShowErrors) ||
                  OpenViaShellExecute(lpszTarget, nVerb, bShowErrors);
    else
        bOpened = OpenViaUrlShortcut(lpszTarget, nVerb, false) || OpenViaShellExecute(lpszTarget, nVerb, false) ||
                  OpenViaShellCommand(lpszTarget, nVerb, false);
    if (!bOpened)
        return false;
    m_bLinkFlags |= kVisited;
    if (::IsWindow(m_hWnd))
        Repaint();
    return true;
}

bool CUiHyperLinkButton::OpenViaUrlShortcut(LPCSTR lpszTarget, int nVerb, bool)
{
    IUniformResourceLocatorA* pUrl = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_InternetShortcut, NULL, CLSCTX_INPROC_SERVER, IID_IUniformResourceLocatorA,
                                  (void**)&pUrl)) ||
        pUrl == nullptr)
        return false;
    if (FAILED(pUrl->SetURL(lpszTarget, IURL_SETURL_FL_GUESS_PROTOCOL))) {
        pUrl->Release();
        return false;
    }
    // Size 16 is the record's size in this 32-bit build.
    URLINVOKECOMMANDINFOA info = {};
    info.dwcbSize = 16;
    info.dwFlags = IURL_INVOKECOMMAND_FL_ALLOW_UI;
    info.hwndParent = ::GetDesktopWindow();
    info.pcszVerb = UiHyperLinkVerbText(nVerb);
    const HRESULT hr = pUrl->InvokeCommand(&info);
    pUrl->Release();
    return SUCCEEDED(hr);
}

bool CUiHyperLinkButton::OpenViaShellExecute(LPCSTR lpszTarget, int nVerb, bool bShowErrors)
{
    const int nResult =
        (int)(INT_PTR)::ShellExecuteA(::GetDesktopWindow(), UiHyperLinkVerbText(nVerb), lpszTarget, NULL, NULL, SW_SHOW);
    if (nResult > 32)
        return true;
    if (bShowErrors)
        ShowOpenError(nResult);
    return false;
}

bool CUiHyperLinkButton::OpenViaShellCommand(LPCSTR lpszTarget, int nVerb, bool bShowErrors)
{
    CString strClass;
    if (!ReadClassesRootDefault(".htm", strClass))
        return false;
    LPCSTR lpszVerbKey = UiHyperLinkVerbCommandKey(nVerb);
    if (lpszVerbKey == nullptr)
        return false;
    CString strCommand;
    if (!ReadClassesRootDefault(strClass + lpszVerbKey, strCommand))
        return false;
    CString strLine;
    if (!UiBuildShellCommandLine(strCommand, lpszTarget, strLine))
        return false;
    const UINT nResult = ::WinExec(strLine, SW_SHOW);
    if (nResult > 32)
        return true;
    if (bShowErrors)
        ShowOpenError((int)nResult);
    return false;
}

CString CUiHyperLinkButton::GetLinkText(bool)
{
    CString strText;
    if (::IsWindow(m_hWnd))
        GetWindowText(strText);
    return strText;
}

COLORREF CUiHyperLinkButton::GetLinkColor(bool bVisited, bool bEnabled, bool, bool bFocus, bool bHover, bool bPushed)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    COLORREF clr;
    if (!bEnabled) {
        clr = m_clrTextDisabled;
        if (clr == (COLORREF)-1)
            return pManager->GetColor(COLOR_BTNSHADOW);
        return clr;
    }
    if (bHover || bPushed || bFocus)
        clr = m_clrTextHover;
    else if (bVisited)
        clr = m_clrVisited;
    else
        clr = m_clrTextNormal;
    return clr == (COLORREF)-1 ? pManager->GetColor(COLOR_BTNTEXT) : clr;
}

void CUiHyperLinkButton::PaintButton(CDC& dc, bool)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!pManager->HasThemedBackground(this, 0) || !pManager->PaintThemedBackground(dc, this, 0))
        dc.FillSolidRect(&rcClient, pManager->GetColor(kFirstExtendedColorId));
    const bool bFocus = ::GetFocus() == m_hWnd;
    const bool bPushed = (m_bState & kPushed) != 0;
    const bool bEnabled = IsEffectivelyEnabled() != FALSE;
    const bool bHover = (m_bState & kHover) && !CUiPopupMenuWnd::IsTrackingMenu();
    const bool bVisited = (m_bLinkFlags & kVisited) && (m_bLinkFlags & kShowVisited);
    PaintLink(dc, rcClient, bVisited, bEnabled, (m_bState & kShowFocus) != 0, bFocus, bHover, bPushed);
}

void CUiHyperLinkButton::PaintLink(CDC& dc, CRect rc, bool bVisited, bool bEnabled, bool bShowFocus, bool bFocus,
                                   bool bHover, bool bPushed)
{
    const CString strText = GetLinkText(false);
    if (strText.IsEmpty())
        return;
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    CFont fontUnderline;
    CFont* pFont = &pManager->m_fontNormal;
    if (bHover || bPushed || bFocus || m_bAlwaysUnderline) {
        LOGFONT lf = {};
        if (pManager->m_fontNormal.GetSafeHandle() != NULL && pManager->m_fontNormal.GetLogFont(&lf)) {
            lf.lfUnderline = TRUE;
            if (fontUnderline.CreateFontIndirect(&lf))
                pFont = &fontUnderline;
        }
    }
    CFont* pOldFont = pFont->GetSafeHandle() != NULL ? dc.SelectObject(pFont) : nullptr;
    const COLORREF clrOld =
        dc.SetTextColor(GetLinkColor(bVisited, bEnabled, bShowFocus, bFocus, bHover, bPushed));
    CRect rcText = rc;
    rcText.DeflateRect(2, 2);
    CRect rcFocus;
    if (bFocus) {
        CRect rcExtent = rcText;
        dc.DrawText(strText, &rcExtent, DT_CALCRECT | DT_SINGLELINE);
        const int cx = std::min(rcExtent.Width(), rcText.Width());
        const int cy = std::min(rcExtent.Height(), rcText.Height());
        int x = rcText.left;
        if (m_nLinkAlign == DT_RIGHT)
            x = rcText.right - cx;
        else if (m_nLinkAlign == DT_CENTER)
            x = rcText.left + (rcText.Width() - cx) / 2;
        const int y = rcText.top + (rcText.Height() - cy) / 2;
        rcFocus.SetRect(x, y, x + cx, y + cy);
        rcFocus.InflateRect(2, 2);
    }
    dc.DrawText(strText, &rcText, (UINT)m_nLinkAlign | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    dc.SetTextColor(clrOld);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    dc.SetBkMode(nOldMode);
    if (bFocus && bShowFocus)
        dc.DrawFocusRect(&rcFocus);
}
