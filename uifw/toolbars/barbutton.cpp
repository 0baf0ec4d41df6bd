// A bar button's state, ids, attached control, texts, measuring, painting and command update;
// its menu, clicks, tips and help are in barbuttonmenu.cpp.
#include "barbutton.h"

#include <algorithm>

#include "cmdmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "pushbuttonpaintdata.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

IMPLEMENT_DYNCREATE(CUiBarButton, CObject)
IMPLEMENT_DYNCREATE(CUiBarColorButton, CUiBarButton)

namespace {

// "&&" becomes "&", every other '&' goes: the text as it shows.
CString StripMnemonics(const CString& strText)
{
    CString strOut;
    for (int i = 0; i < strText.GetLength(); ++i) {
        if (strText[i] == '&') {
            if (i + 1 < strText.GetLength() && strText[i + 1] == '&') {
                strOut += '&';
                ++i;
            }
            continue;
        }
        strOut += strText[i];
    }
    return strOut;
}

} // namespace

CUiBarButton::CUiBarButton() : CUiBarButton(nullptr, 0, 0)
{
}

CUiBarButton::CUiBarButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : m_pBar(pBar), m_nCmdID(0), m_nEffectiveCmdID(0), m_dwStyle(dwStyle), m_size(0, 0), m_rect(0, 0, 0, 0),
      m_bWrap{false, false, false}, m_bVisible(true), m_bHover(false), m_bCtrlNotOwned(false),
      m_bVerticalLayout(false), m_bMenuPopupOnly(false), m_bMenuOwned(false), m_bAppendMdiWindows(false),
      m_bSeparatedDropDown(false), m_bAutoChangeCmd(false), m_bDropDownPressed(false), m_bNoRotateVertical(false),
      m_bCtrlVisibleVertically(false), m_bTrackingPressed(false), m_pCtrl(nullptr), m_hMenu(NULL)
{
    SetCmdID(nCmdID, false, false);
}

CUiBarButton::~CUiBarButton()
{
    if (m_hMenu != NULL && m_bMenuOwned)
        ::DestroyMenu(m_hMenu);
}

bool CUiBarButton::QueryBarOptionA() const
{
    return !IsSeparator() && m_pBar != nullptr && m_pBar->QueryGlobalOptionA();
}

bool CUiBarButton::IsToolTipAllowed() const
{
    return !IsSeparator() && m_pBar != nullptr && m_pBar->IsToolTipsEnabled();
}

bool CUiBarButton::QueryBarOptionC() const
{
    return !IsSeparator() && m_pBar != nullptr && m_pBar->QueryGlobalOptionC();
}

UINT CUiBarButton::GetCmdID(bool bEffective) const
{
    return bEffective ? m_nEffectiveCmdID : m_nCmdID;
}

void CUiBarButton::SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bNotify)
{
    const bool bChanged = bNotify && m_nEffectiveCmdID != nCmdID;
    m_nEffectiveCmdID = nCmdID;
    if (!bEffectiveOnly) {
        m_nCmdID = nCmdID;
        if (nCmdID == 0)
            m_dwStyle |= TBBS_SEPARATOR;
        else
            m_dwStyle &= ~TBBS_SEPARATOR;
    }
    if (!bChanged || m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL)
        return;
    m_pBar->Invalidate(TRUE);
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame != nullptr)
        pFrame->RecalcLayout(TRUE);
    else
        m_pBar->CalcButtonLayout();
}

// ---- Style and attached control.

DWORD CUiBarButton::GetStyle() const
{
    return m_dwStyle;
}

void CUiBarButton::SetStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle;
    if (!(m_dwStyle & TBBS_PRESSED))
        m_bDropDownPressed = false;
    if (m_dwStyle & TBBS_SEPARATOR)
        m_nCmdID = m_nEffectiveCmdID = 0;
    SyncCtrlVisibility();
}

void CUiBarButton::ModifyStyle(DWORD dwAdd, DWORD dwRemove)
{
    SetStyle((m_dwStyle & ~dwRemove) | (dwAdd & ~dwRemove));
}

bool CUiBarButton::IsCtrlShown() const
{
    return m_pCtrl != nullptr && (!m_bVerticalLayout || m_bCtrlVisibleVertically);
}

CWnd* CUiBarButton::SetCtrl(CWnd* pCtrl, bool bNotOwned)
{
    if (m_pCtrl != nullptr && m_pCtrl != pCtrl) {
        if (::IsWindow(m_pCtrl->GetSafeHwnd()))
            m_pCtrl->DestroyWindow();
        if (!m_bCtrlNotOwned)
            delete m_pCtrl;
    }
    m_pCtrl = pCtrl;
    m_bCtrlNotOwned = bNotOwned;
    return m_pCtrl;
}

void CUiBarButton::SyncCtrlVisibility()
{
    if (m_pCtrl == nullptr || !::IsWindow(m_pCtrl->GetSafeHwnd()))
        return;
    const bool bShow = m_bVisible && IsCtrlShown() && !(m_dwStyle & TBBS_HIDDEN);
    m_pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_pCtrl->EnableWindow(!IsDisabled());
    if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton))) {
        const WPARAM nCheck = IsPressed() ? 1 : IsIndeterminate() ? 2 : 0;
        m_pCtrl->SendMessage(BM_SETCHECK, nCheck, 0);
    }
}

void CUiBarButton::SetVerticalLayout(bool bVertical)
{
    m_bVerticalLayout = bVertical;
    SyncCtrlVisibility();
}

bool CUiBarButton::GetWrap(int nMode) const
{
    return m_bWrap[std::min(std::max(nMode, 0), 2)];
}

BYTE CUiBarButton::SetWrap(int nMode, bool bOn)
{
    const BYTE bOld = (BYTE)((m_bWrap[0] ? 1 : 0) | (m_bWrap[1] ? 2 : 0) | (m_bWrap[2] ? 4 : 0));
    m_bWrap[std::min(std::max(nMode, 0), 2)] = bOn;
    return bOld;
}

bool CUiBarButton::IsSeparator() const
{
    return (GetStyle() & TBBS_SEPARATOR) != 0;
}

bool CUiBarButton::IsDisabled() const
{
    return (GetStyle() & TBBS_DISABLED) != 0;
}

bool CUiBarButton::IsIndeterminate() const
{
    return (GetStyle() & TBBS_INDETERMINATE) != 0;
}

BOOL CUiBarButton::IsPressed() const
{
    return (GetStyle() & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
}

void CUiBarButton::SetVisible(bool bOn)
{
    m_bVisible = bOn;
    SyncCtrlVisibility();
}

void CUiBarButton::SetHover(bool bOn)
{
    m_bHover = bOn;
    SyncCtrlVisibility();
}

void CUiBarButton::SetRect(const RECT& rc)
{
    m_rect = rc;
    if (IsCtrlShown() && ::IsWindow(m_pCtrl->GetSafeHwnd())) {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        int x = m_rect.left, y = m_rect.top;
        if (m_bVerticalLayout)
            x += (m_rect.Width() - rcCtrl.Width()) / 2;
        else
            y += (m_rect.Height() - rcCtrl.Height()) / 2;
        m_pCtrl->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    SyncCtrlVisibility();
}

CRect CUiBarButton::GetRect() const
{
    return m_rect;
}

CRect CUiBarButton::GetDropDownRect() const
{
    CRect rc(m_rect);
    if (m_bNoRotateVertical || m_pBar == nullptr || !m_pBar->IsDockedVertically())
        rc.left = rc.right - kDropDownExtent;
    else
        rc.top = rc.bottom - kDropDownExtent;
    return rc;
}

// ---- Commands, texts and icons.

CUiCmdItem* CUiBarButton::FindCmdItem(UINT nCmdID) const
{
    CUiCmdProfile* pProfile = m_pBar != nullptr ? m_pBar->GetCmdProfile() : nullptr;
    return pProfile != nullptr ? pProfile->CmdGetPtr(nCmdID) : nullptr;
}

int CUiBarButton::IndexInBar() const
{
    if (m_pBar == nullptr)
        return -1;
    for (int i = 0; i < m_pBar->GetButtonsCount(); ++i) {
        if (m_pBar->m_arrButtons[i] == this)
            return i;
    }
    return -1;
}

CString CUiBarButton::GetText() const
{
    if (IsSeparator())
        return CString();
    CUiCmdItem* pItem = FindCmdItem(m_nCmdID);
    if (pItem == nullptr)
        return CString();
    CString strText = pItem->m_strToolbarText;
    const int nTab = strText.Find('\t');
    if (nTab >= 0)
        strText = strText.Left(nTab);
    return strText;
}

CUiCmdIcon* CUiBarButton::GetIconPtr() const
{
    CUiCmdProfile* pProfile = m_pBar != nullptr && m_pBar->GetSafeHwnd() != NULL ? m_pBar->GetCmdProfile() : nullptr;
    return pProfile != nullptr ? pProfile->CmdGetIconPtr(m_nEffectiveCmdID) : nullptr;
}

CWnd* CUiBarButton::GetCmdTargetWnd() const
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL)
        return nullptr;
    CWnd* pOwner = m_pBar->GetOwner();
    return pOwner != nullptr ? pOwner : m_pBar->GetParent();
}

void CUiBarButton::SetMenu(HMENU hMenu, bool bPopupOnly, bool bOwned)
{
    if (m_hMenu != NULL && m_hMenu != hMenu && m_bMenuOwned)
        ::DestroyMenu(m_hMenu);
    m_hMenu = hMenu;
    if (hMenu == NULL)
        return;
    CUiCmdProfile* pProfile = m_pBar != nullptr ? m_pBar->GetCmdProfile() : nullptr;
    if (pProfile != nullptr)
        pProfile->UpdateFromMenu(hMenu, false, true);
    m_bMenuPopupOnly = bPopupOnly;
    m_dwStyle &= ~TBBS_DISABLED;
    m_bMenuOwned = bOwned;
}

bool CUiBarButton::IsAbleToTrackMenu(bool) const
{
    return m_hMenu != NULL || IsKindOf(RUNTIME_CLASS(CUiBarContentExpandButton));
}

bool CUiBarButton::IsPlainCommandButton() const
{
    return !IsSeparator() && (m_pCtrl == nullptr || m_pCtrl->GetSafeHwnd() == NULL);
}

// ---- Measuring and painting.

CSize CUiBarButton::CalculateLayout(CDC& dc, CSize sizeGiven, bool bHorz)
{
    if (m_bNoRotateVertical)
        bHorz = true;
    if (IsCtrlShown() && ::IsWindow(m_pCtrl->GetSafeHwnd())) {
        CRect rc;
        m_pCtrl->GetWindowRect(&rc);
        m_size = CSize(rc.Width(), std::max<int>(rc.Height(), sizeGiven.cy));
        return m_size;
    }
    CSize size = sizeGiven;
    if (IsSeparator()) {
        if (bHorz)
            size.cx = 6;
        else
            size.cy = 6;
    } else {
        if (FindCmdItem(m_nEffectiveCmdID) == nullptr) {
            m_size = size;
            return m_size;
        }
        int w = 0, h = 0;
        CUiCmdIcon* pIcon = GetIconPtr();
        if (pIcon != nullptr && !pIcon->IsEmpty()) {
            const CSize sizeIcon = pIcon->GetSize();
            const int nScale = QueryBarOptionA() ? 2 : 1;
            w = sizeIcon.cx * nScale;
            h = sizeIcon.cy * nScale;
        }
        const CString strText = StripMnemonics(GetText());
        if (!strText.IsEmpty()) {
            RECT rc = {0, 0, 0, 0};
            ::DrawTextA(dc.GetSafeHdc(), strText, strText.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            const int cxText = rc.right - rc.left, cyText = rc.bottom - rc.top;
            if (bHorz) {
                w += cxText + 6;
                h = std::max(h, cyText);
            } else {
                w = std::max(w, cyText);
                h += cxText + 3;
            }
        }
        size.cx = std::max<int>(size.cx, w + 6);
        size.cy = std::max<int>(size.cy, h + 6);
    }
    if (IsAbleToTrackMenu() && (m_pBar == nullptr || !m_pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)))) {
        if (bHorz)
            size.cx += kDropDownExtent;
        else
            size.cy += kDropDownExtent;
    }
    m_size = size;
    return m_size;
}

void CUiBarButton::Paint(CDC& dc, bool bHorz)
{
    if (m_bNoRotateVertical)
        bHorz = true;
    if (IsCtrlShown())
        return;
    if (m_rect.right <= m_rect.left || m_rect.bottom <= m_rect.top || !m_bVisible || (GetStyle() & TBBS_HIDDEN) ||
        !dc.RectVisible(&m_rect))
        return;
    const bool bPushed = IsPressed() != FALSE;
    const bool bEnabled = !IsDisabled();
    const bool bHover = (m_bHover || m_bTrackingPressed) && !CUiToolControlBar::g_bMenuTracking &&
                        !CUiPopupMenuWnd::IsTrackingMenu();
    const bool bIndeterminate = IsIndeterminate();
    CUiCmdIcon* pIcon = GetIconPtr();
    CUiCmdIcon iconLarge;
    if (pIcon != nullptr && !pIcon->IsEmpty() && QueryBarOptionA()) {
        const CSize sizeIcon = pIcon->GetSize();
        if (iconLarge.ScaleToSize(*pIcon, sizeIcon.cx * 2, sizeIcon.cy * 2))
            pIcon = &iconLarge;
    }
    const bool bDropDown =
        IsAbleToTrackMenu() && (m_pBar == nullptr || !m_pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)));
    CFont* pFont = CUiToolControlBar::GetButtonFont(!bHorz);
    const CString strText = GetText();
    PushButtonPaintData data(this, bHorz, m_rect, strText, pIcon, TRUE, bHover, bPushed, bIndeterminate, bEnabled, TRUE,
                             FALSE, FALSE, 5, pFont != nullptr ? (HFONT)pFont->GetSafeHandle() : NULL, bDropDown, 0,
                             !bEnabled || (!bHover && !bPushed));
    if (m_bSeparatedDropDown) {
        data.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown;
        if ((m_bDropDownPressed || CUiToolControlBar::g_bMenuTracking) && bPushed)
            data.m_bFlags2 |= PushButtonPaintData::kDropDownPushed;
    }
    PaintManagerHolder::Get()->PaintPushButton(dc, data);
}

void CUiBarButton::RedrawButton(bool bUpdateNow)
{
    if (!m_bVisible || (GetStyle() & TBBS_HIDDEN) || m_pBar == nullptr)
        return;
    const int nIndex = IndexInBar();
    if (nIndex < 0)
        return;
    m_pBar->InvalidateButton(nIndex);
    if (bUpdateNow && m_pBar->GetSafeHwnd() != NULL)
        m_pBar->UpdateWindow();
}

bool CUiBarButton::OnSetCursor(CPoint)
{
    return false;
}

// ---- Command update.

void CUiBarButton::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex)
{
    if (IsSeparator() || m_pBar == nullptr || pTarget == nullptr)
        return;
    if (m_hMenu != NULL && m_pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)))
        return;
    CUiToolControlBar::CUiToolControlBarCmdUI cmdUI;
    cmdUI.m_pOther = m_pBar;
    cmdUI.m_nID = m_nCmdID;
    cmdUI.m_nIndex = (UINT)nIndex;
    cmdUI.m_nIndexMax = (UINT)m_pBar->GetButtonsCount();
    cmdUI.DoUpdate(pTarget, bDisableIfNoHndler);
}

// ---- The colour button's identity.

CUiBarColorButton::CUiBarColorButton()
{
}

CUiBarColorButton::CUiBarColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CUiBarButton(pBar, nCmdID, dwStyle)
{
}

CUiBarColorButton::~CUiBarColorButton()
{
}
