#include "barcolorbutton.h"

#include "cmdmanager.h"
#include "coloricons.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupcolormenuwnd.h"
#include "toolcontrolbar.h"

IMPLEMENT_DYNCREATE(CUiBarColorButton, CUiBarButton)

CUiBarColorButton::CUiBarColorButton() : CUiBarColorButton(nullptr, 0, 0)
{
}

CUiBarColorButton::CUiBarColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CUiBarButton(pBar, nCmdID, dwStyle), m_dwIconStyle(kIconSquare), m_clrSelected(0), m_clrDefault(0),
      m_dwExtraValue(0), m_bMenuOptionA(true), m_bMenuOptionB(true)
{
    OnSyncIcon();
}

CUiBarColorButton::~CUiBarColorButton()
{
}

COLORREF CUiBarColorButton::GetColor(bool bSelected) const
{
    return bSelected ? m_clrSelected : m_clrDefault;
}

void CUiBarColorButton::SetColor(COLORREF clr, bool bSelected)
{
    COLORREF& clrStored = bSelected ? m_clrSelected : m_clrDefault;
    if (clrStored == clr)
        return;
    clrStored = clr;
    OnSyncIcon();
}

bool CUiBarColorButton::SetMenuOptionA(bool bOn)
{
    const bool bOld = m_bMenuOptionA;
    m_bMenuOptionA = bOn;
    return bOld;
}

bool CUiBarColorButton::SetMenuOptionB(bool bOn)
{
    const bool bOld = m_bMenuOptionB;
    m_bMenuOptionB = bOn;
    return bOld;
}

void CUiBarColorButton::GenerateColorIcon(HICON* phIcon)
{
    if (m_dwIconStyle == kIconFramed) {
        *phIcon = CreateFramedColorIcon(m_clrSelected);
        return;
    }
    if (m_dwIconStyle != kIconLetter) {
        *phIcon = CreateColorIcon(m_clrSelected);
        return;
    }
    LOGFONT lf = {};
    PaintManagerHolder::Get()->m_fontNormal.GetLogFont(&lf);
    lstrcpynA(lf.lfFaceName, "Times New Roman", LF_FACESIZE);
    lf.lfHeight = ::MulDiv(lf.lfHeight, 3, 2);
    lf.lfWeight = 900;
    HFONT hFont = ::CreateFontIndirectA(&lf);
    *phIcon = CreateTextColorIcon(m_clrSelected, hFont, 'A');
    if (hFont != NULL)
        ::DeleteObject(hFont);
}

void CUiBarColorButton::OnSyncIcon()
{
    HICON hIcon = NULL;
    GenerateColorIcon(&hIcon);
    if (hIcon == NULL)
        return;
    CUiCmdProfile* pProfile = m_pBar != nullptr ? m_pBar->GetCmdProfile() : nullptr;
    if (pProfile != nullptr)
        pProfile->CmdSetIconHandle(GetCmdID(true), hIcon, false);
    else
        ::DestroyIcon(hIcon);
}

CUiPopupColorMenuWnd* CUiBarColorButton::CreateColorMenu() const
{
    CUiPopupColorMenuWnd* pMenu = new CUiPopupColorMenuWnd;
    CWnd* pTarget = GetCmdTargetWnd();
    pMenu->InitRootMenu(pTarget != nullptr ? pTarget->GetSafeHwnd() : NULL);
    pMenu->m_lCookie = (LPARAM)m_dwExtraValue;
    pMenu->m_dwOptions = (m_bMenuOptionA ? CUiPopupColorMenuWnd::kShowDefaultButton : 0) |
                         (m_bMenuOptionB ? CUiPopupColorMenuWnd::kShowCustomButton : 0);
    pMenu->m_clrDefault = m_clrDefault;
    pMenu->m_clrInitial = m_clrSelected;
    if (!m_strFirstBtnText.IsEmpty())
        pMenu->m_strDefaultText = m_strFirstBtnText;
    if (!m_strSecondBtnText.IsEmpty())
        pMenu->m_strCustomText = m_strSecondBtnText;
    return pMenu;
}

int CUiBarColorButton::OnTrackPopup(CPoint point, bool bSelectFirst)
{
    if (IsDisabled() || m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL)
        return -1;
    const bool bWasTracking = CUiToolControlBar::g_bMenuTracking;
    if (!PrepareButtonMenu())
        return -1;
    CUiPopupColorMenuWnd* pMenu = CreateColorMenu();
    CUiToolControlBar::g_bMenuTracking = bWasTracking;
    // No result cell: the menu is tracked without its own loop, and a cell on this stack
    // would be written by the menu's end long after this call returned.
    TrackPopupAtButton(pMenu, point, bSelectFirst);
    return -1;
}

void CUiBarColorButton::OnDeliverCmd()
{
    CWnd* pTarget = GetCmdTargetWnd();
    if (pTarget != nullptr)
        pTarget->SendMessage(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrSelected,
                             (LPARAM)m_dwExtraValue);
}

int CUiBarColorButton::OnHelpHitTest(CPoint)
{
    return (int)GetCmdID(true);
}

bool CUiBarColorButton::PutToPopupMenu(CUiPopupMenuWnd* pMenu)
{
    if (IsDisabled())
        return pMenu->ItemInsert(GetCmdID(true), -1) != FALSE;
    CUiPopupColorMenuWnd* pColorMenu = CreateColorMenu();
    CUiCmdItem* pItem = FindCmdItem(GetCmdID(false));
    const CString strText = pItem != nullptr ? pItem->m_strMenuText : CString();
    CUiCmdIcon* pIcon = GetIconPtr();
    const HICON hIcon = pIcon != nullptr && !pIcon->IsEmpty() ? pIcon->GetIcon() : NULL;
    if (!pMenu->ItemInsertSubmenu(pColorMenu, -1, strText, hIcon)) {
        delete pColorMenu;
        return false;
    }
    return true;
}
