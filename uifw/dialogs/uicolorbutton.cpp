#include "uicolorbutton.h"
#include "afxdlgs.h"
#include "coloricons.h"
#include "popupcolormenuwnd.h"
#include "toolcontrolbar.h"
#include "uicolordlg.h"

IMPLEMENT_DYNCREATE(CUiColorButton, CUiButton)

CUiColorButton::CUiColorButton()
    : m_bShowDefaultColor(true), m_bShowCustomColor(true), m_bUseSystemColorDialog(true),
      m_clrDefault((COLORREF)-1), m_clrCurrent(0), m_lNotifyValue(0)
{
}

void CUiColorButton::GetColorIcon(HICON& hIcon, bool& bOwned)
{
    hIcon = CreateColorIcon(m_clrCurrent);
    bOwned = hIcon != NULL;
}

void CUiColorButton::PaintButton(CDC& dc, bool bBackgroundPainted)
{
    HICON hIcon = NULL;
    bool bOwned = false;
    GetColorIcon(hIcon, bOwned);
    PaintFace(dc, bBackgroundPainted, hIcon, true);
    if (bOwned && hIcon != NULL)
        ::DestroyIcon(hIcon);
}

void CUiColorButton::OnClick(bool bFromKeyboard, bool bOnDropDownPart)
{
    if (!(m_bState & kSplit) || bOnDropDownPart) {
        TrackDropDown(bFromKeyboard);
        return;
    }
    ::SendMessageA(::GetParent(m_hWnd), CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrCurrent,
                   m_lNotifyValue);
}

bool CUiColorButton::TrackDropDown(bool bFromKeyboard)
{
    DWORD dwFlags = m_dwMenuAlign;
    UINT nCode = 0;
    CWnd* pReceiver = FindMenuReceiver(dwFlags, nCode);
    CWnd* pParent = GetParent();
    const bool bInBar = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CControlBar));
    CWnd* pOwner = bInBar ? pReceiver : this;
    if (pOwner == nullptr)
        return true;

    CUiPopupColorMenuWnd* pPopup = new CUiPopupColorMenuWnd;
    pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);
    pPopup->m_lCookie = m_lNotifyValue;
    if (!pPopup->InitRootMenu(pOwner->m_hWnd)) {
        delete pPopup;
        return true;
    }
    pPopup->m_dwOptions = (m_bShowDefaultColor ? CUiPopupColorMenuWnd::kShowDefaultButton : 0) |
                          (m_bShowCustomColor ? CUiPopupColorMenuWnd::kShowCustomButton : 0);
    pPopup->m_clrDefault = m_clrDefault;
    pPopup->m_clrInitial = m_clrCurrent;
    if (!m_strDefaultColorText.IsEmpty())
        pPopup->m_strDefaultText = m_strDefaultColorText;
    if (!m_strCustomColorText.IsEmpty())
        pPopup->m_strCustomText = m_strCustomColorText;

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int x = (rcWindow.left + rcWindow.right) / 2;
    const int y = (rcWindow.top + rcWindow.bottom) / 2;
    pOwner->SetFocus();
    if (bInBar)
        CUiToolControlBar::EndAllBarMenuTracking();
    dwFlags |= nCode | 0x20;
    if (bFromKeyboard)
        dwFlags |= 0x40;
    if (!pPopup->TrackMenu(dwFlags, x, y, &rcWindow, this, &CUiButton::PaintCombinedContent, nullptr, TRUE))
        delete pPopup;
    else if (bInBar)
        CUiToolControlBar::g_bMenuTracking = true;
    return true;
}

bool CUiColorButton::ChooseCustomColor(LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    COLORREF clr = m_clrCurrent;
    bool bChosen;
    if (m_bUseSystemColorDialog) {
        CColorDialog dlg(m_clrCurrent, CC_FULLOPEN, this);
        bChosen = dlg.DoModal() == IDOK;
        clr = dlg.GetColor();
    } else {
        CUiColorDlg dlg(m_clrCurrent, m_clrCurrent, this);
        bChosen = dlg.DoModal() == IDOK;
        clr = dlg.m_clrNew;
    }
    if (!bChosen || !::IsWindow(hWnd))
        return false;
    m_clrCurrent = clr;
    ::SendMessageA(::GetParent(hWnd), CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)clr, lParam);
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        Repaint();
    return true;
}

LRESULT CUiColorButton::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged) {
        ::SendMessageA(::GetParent(m_hWnd), nMsg, wParam, lParam);
        return 0;
    }
    if (nMsg == CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally) {
        m_clrCurrent = wParam == (WPARAM)-1 ? 0 : (COLORREF)wParam;
        Repaint();
        ::SendMessageA(::GetParent(m_hWnd), nMsg, wParam, lParam);
        return 0;
    }
    if (nMsg == CUiPopupColorMenuWnd::g_nMsgNotifyCustColor) {
        ChooseCustomColor(lParam);
        return 0;
    }
    return CUiButton::WindowProc(nMsg, wParam, lParam);
}
