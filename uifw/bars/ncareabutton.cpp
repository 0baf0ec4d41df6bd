#include "ncareabutton.h"

#include "controlbar.h"
#include "dockbar.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "ncbuttonpaintdata.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "resourcemanager.h"
#include "tabwnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUiBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CUiBarNcAreaButtonExpand, CUiBarNcAreaButton)
IMPLEMENT_DYNCREATE(CUiBarNcAreaButtonClose, CUiBarNcAreaButton)
IMPLEMENT_DYNCREATE(CUiBarNcAreaButtonAutoHide, CUiBarNcAreaButton)
IMPLEMENT_DYNCREATE(CUiBarNcAreaButtonMenu, CUiBarNcAreaButton)

namespace {
enum : UINT { kGlyphClose = 1, kGlyphMenu = 3, kGlyphPinOut = 10, kGlyphPinIn = 11 };

// A docked tabbed group closes only the bar it shows.
CUiControlBar* BarHiddenByClose(CUiControlBar* pBar)
{
    if (pBar->IsBarFloating() || !pBar->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)))
        return pBar;
    CUiControlBar* pSelected = static_cast<CUiDynTabControlBar*>(pBar)->GetSelectedBar();
    return pSelected != nullptr ? pSelected : pBar;
}

bool LeftButtonAlone()
{
    return ::GetKeyState(VK_LBUTTON) < 0 && ::GetKeyState(VK_MBUTTON) >= 0 && ::GetKeyState(VK_RBUTTON) >= 0;
}
} // namespace

CUiBarNcAreaButton::CUiBarNcAreaButton(CUiControlBar* pBar) : m_pBar(pBar), m_bFlags(0)
{
    m_rc.SetRectEmpty();
}

CUiBarNcAreaButton::~CUiBarNcAreaButton()
{
}

void CUiBarNcAreaButton::Release()
{
    delete this;
}

// ---- Questions to the bar.

bool CUiBarNcAreaButton::IsBarFixedSize() const
{
    return m_pBar->IsFixedSizeBar();
}

bool CUiBarNcAreaButton::IsBarVisible() const
{
    return m_pBar->IsVisible() != FALSE;
}

bool CUiBarNcAreaButton::IsBarFloating() const
{
    return m_pBar->IsBarFloating() != FALSE;
}

bool CUiBarNcAreaButton::IsBarDockedHorizontally() const
{
    return m_pBar->IsDockedHorizontally();
}

CFrameWnd* CUiBarNcAreaButton::GetBarFrame() const
{
    return m_pBar->GetDockSiteFrame();
}

bool CUiBarNcAreaButton::IsBarAloneInRow() const
{
    return m_pBar->IsSingleVisibleInRow(false, false);
}

bool CUiBarNcAreaButton::IsBarExpandedInRow() const
{
    return m_pBar->IsMaximizedInRow();
}

bool CUiBarNcAreaButton::QueryAutoHideState(bool* pbShownInSlider, bool* pbSliderActive) const
{
    if (pbShownInSlider != nullptr)
        *pbShownInSlider = false;
    if (pbSliderActive != nullptr)
        *pbSliderActive = false;
    if (!m_pBar->IsAutoHidden())
        return false;
    const CUiDynAutoHideSlider* pSlider = CUiDynAutoHideSlider::FromBar(m_pBar);
    if (pSlider != nullptr && pSlider->ShowsBar(m_pBar)) {
        if (pbShownInSlider != nullptr)
            *pbShownInSlider = true;
        if (pbSliderActive != nullptr)
            *pbSliderActive = pSlider->IsFocusInside();
    }
    return true;
}

CUiMiniDockFrameWnd* CUiBarNcAreaButton::FloatingFrame() const
{
    CFrameWnd* pFrame = m_pBar->GetSafeHwnd() != NULL ? m_pBar->GetParentFrame() : nullptr;
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)) ? static_cast<CUiMiniDockFrameWnd*>(pFrame)
                                                                                     : nullptr;
}

bool CUiBarNcAreaButton::QueryCaptionGeometry(CRect* pCaption, CRect* pWindow, bool* pbHorizontal, bool* pbPresent) const
{
    if (pCaption != nullptr)
        pCaption->SetRectEmpty();
    if (pWindow != nullptr)
        pWindow->SetRectEmpty();
    if (pbHorizontal != nullptr)
        *pbHorizontal = false;
    if (pbPresent != nullptr)
        *pbPresent = false;
    if (m_pBar->GetSafeHwnd() == NULL)
        return false;
    if (IsBarFloating() || (!IsBarFixedSize() && m_pBar->IsAloneInFloatingFrame())) {
        CUiMiniDockFrameWnd* pFrame = FloatingFrame();
        if (pFrame == nullptr)
            return false;
        if (pWindow != nullptr)
            pFrame->GetWindowRect(pWindow);
        if (pCaption != nullptr) {
            *pCaption = pFrame->m_rcCaption;
            pCaption->InflateRect(2, 2, 1, 2);
        }
        if (pbHorizontal != nullptr)
            *pbHorizontal = true;
        if (pbPresent != nullptr)
            *pbPresent = true;
        return true;
    }
    // An auto-hidden bar's caption is the one the slider draws for it.
    const CUiDynAutoHideSlider* pSlider = m_pBar->IsAutoHidden() ? CUiDynAutoHideSlider::FromBar(m_pBar) : nullptr;
    if (pSlider != nullptr && !pSlider->ShowsBar(m_pBar))
        pSlider = nullptr;
    if (pWindow != nullptr)
        (pSlider != nullptr ? static_cast<const CWnd*>(pSlider) : m_pBar)->GetWindowRect(pWindow);
    bool bAcross = false, bLeft = false;
    const bool bCaption = m_pBar->QueryGripperLayout(bAcross, bLeft);
    if (pbHorizontal != nullptr)
        *pbHorizontal = bAcross;
    if (pbPresent != nullptr)
        *pbPresent = bCaption;
    if (pCaption != nullptr)
        *pCaption = pSlider != nullptr ? pSlider->CaptionRect() : CRect(m_pBar->m_rcCaption);
    return bCaption;
}

bool CUiBarNcAreaButton::IsBarCaptionActive() const
{
    if (!IsBarFloating())
        return (m_pBar->m_bViewFlags & CUiControlBar::kFocusInside) != 0;
    CUiMiniDockFrameWnd* pFrame = FloatingFrame();
    HWND hFocus = ::GetFocus();
    return pFrame != nullptr && hFocus != NULL && (hFocus == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, hFocus));
}

// ---- The base behaviour.

void CUiBarNcAreaButton::LayoutInCaption(CUiBarNcAreaButton* pPrevious)
{
    CRect rc;
    bool bHorizontal = false;
    QueryCaptionGeometry(&rc, nullptr, &bHorizontal, nullptr);
    if (rc.IsRectEmpty()) {
        m_rc.SetRectEmpty();
        return;
    }
    if (bHorizontal) {
        rc.DeflateRect(2, 3, 2, 3);
        rc.left = rc.right - rc.Height();
        rc.OffsetRect(-1, 0);
        if (pPrevious != nullptr)
            rc.OffsetRect(pPrevious->m_rc.left - 3 - rc.right, 0);
    } else {
        rc.DeflateRect(3, 2, 3, 2);
        rc.bottom = rc.top + rc.Width();
        rc.OffsetRect(0, 1);
        if (pPrevious != nullptr)
            rc.OffsetRect(0, pPrevious->m_rc.bottom + 3 - rc.top);
    }
    m_rc = rc;
}

bool CUiBarNcAreaButton::IsButtonVisible()
{
    if (!IsBarVisible()) {
        bool bShown = false;
        return QueryAutoHideState(&bShown, nullptr) && bShown;
    }
    CRect rc;
    return QueryCaptionGeometry(&rc, nullptr, nullptr, nullptr) && !rc.IsRectEmpty();
}

void CUiBarNcAreaButton::Paint(CDC&)
{
}

UINT CUiBarNcAreaButton::NcHitTest(CPoint ptWindow)
{
    if (m_rc.PtInRect(ptWindow)) {
        m_bFlags |= kHover;
        if (LeftButtonAlone())
            m_bFlags |= kPressed;
        else
            m_bFlags &= ~kPressed;
        return HTNOWHERE;
    }
    ClearHoverAndPressed();
    return HTCLIENT;
}

HCURSOR CUiBarNcAreaButton::CursorAt(CPoint ptWindow)
{
    return m_rc.PtInRect(ptWindow) ? CUiControlBar::g_hCursorArrow : NULL;
}

bool CUiBarNcAreaButton::OnClick(CPoint ptWindow)
{
    return m_rc.PtInRect(ptWindow) != FALSE;
}

INT_PTR CUiBarNcAreaButton::GetTipInfo(CPoint, TOOLINFO*)
{
    return -1;
}

void CUiBarNcAreaButton::PaintGlyph(CDC& dc, UINT nGlyph)
{
    if (m_rc.IsRectEmpty())
        return;
    const bool bTracking = CUiPopupMenuWnd::IsTrackingMenu() != FALSE;
    bool bSliderActive = false;
    const bool bActive = QueryAutoHideState(nullptr, &bSliderActive) ? bSliderActive : IsBarCaptionActive();
    const bool bResizableLook = !IsBarFixedSize() || (m_bFlags & kPaintingInMenu);
    const bool bLive = !(m_bFlags & kDisabled) && !bTracking && !(m_bFlags & kPaintingInMenu);
    NcButtonPaintData data(this, m_rc, nGlyph, bLive && (m_bFlags & kHover), bLive && (m_bFlags & kPressed),
                           !(m_bFlags & kDisabled), bResizableLook, bActive, IsBarFloating());
    PaintManagerHolder::Get()->PaintBarNcAreaButton(dc, data);
}

INT_PTR CUiBarNcAreaButton::FillTipInfo(TOOLINFO* pTI, UINT nStringId, LPCSTR lpszBuiltIn)
{
    CString strText;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(strText, nStringId) || strText.IsEmpty())
        strText = lpszBuiltIn;
    // An auto-hidden bar's window is hidden; its tip can only show over the slider that shows it.
    CUiDynAutoHideSlider* pSlider = m_pBar->IsAutoHidden() ? CUiDynAutoHideSlider::FromBar(m_pBar) : nullptr;
    if (m_pBar->IsAutoHidden() && (pSlider == nullptr || !pSlider->ShowsBar(m_pBar)))
        return 0;
    if (pTI == nullptr)
        return -1;
    CWnd* pWnd = pSlider != nullptr ? static_cast<CWnd*>(pSlider)
                 : IsBarFloating() ? static_cast<CWnd*>(m_pBar->GetParentFrame())
                                   : static_cast<CWnd*>(m_pBar);
    CRect rcWindow, rcClient;
    pWnd->GetWindowRect(&rcWindow);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    pTI->rect = m_rc;
    ::OffsetRect(&pTI->rect, rcWindow.left - rcClient.left, rcWindow.top - rcClient.top);
    pTI->uId = (UINT_PTR)m_pBar->GetDlgCtrlID();
    pTI->hwnd = pSlider != nullptr ? pSlider->m_hWnd : m_pBar->m_hWnd;
    const int nLength = strText.GetLength() + 1;
    char* pszCopy = static_cast<char*>(::calloc((size_t)nLength, 1));
    if (pszCopy != nullptr) {
        ::memcpy(pszCopy, (LPCSTR)strText, (size_t)nLength - 1);
        pTI->lpszText = pszCopy;
    } else {
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return m_pBar->GetDlgCtrlID();
}

// ---- Expand.

bool CUiBarNcAreaButtonExpand::IsButtonVisible()
{
    return CUiBarNcAreaButton::IsButtonVisible() && !m_pBar->IsAutoHidden() && !IsBarFixedSize() && !IsBarFloating();
}

void CUiBarNcAreaButtonExpand::Paint(CDC& dc)
{
    if (m_pBar->IsAutoHidden() || IsBarAloneInRow())
        m_bFlags |= kDisabled;
    else
        m_bFlags &= ~kDisabled;
    const bool bExpanded = IsBarExpandedInRow();
    const bool bHorz = m_pBar->IsDockedAtTop() || m_pBar->IsDockedAtBottom();
    PaintGlyph(dc, bHorz ? (bExpanded ? 5 : 4) : (bExpanded ? 3 : 2));
}

UINT CUiBarNcAreaButtonExpand::NcHitTest(CPoint ptWindow)
{
    if (CUiBarNcAreaButton::NcHitTest(ptWindow) == HTCLIENT)
        return HTCLIENT;
    return m_pBar->IsAutoHidden() || IsBarAloneInRow() ? HTCLIENT : HTMINBUTTON;
}

bool CUiBarNcAreaButtonExpand::OnClick(CPoint ptWindow)
{
    if (!m_rc.PtInRect(ptWindow))
        return false;
    ClearHoverAndPressed();
    if (m_pBar->IsAutoHidden())
        return false;
    if (!IsBarAloneInRow()) {
        if (IsBarExpandedInRow()) {
            m_pBar->MinimizeInRow();
        } else {
            m_pBar->MaximizeInRow();
            m_pBar->SetFocus();
        }
    } else if (!IsBarCaptionActive()) {
        m_pBar->SetFocus();
    }
    return true;
}

INT_PTR CUiBarNcAreaButtonExpand::GetTipInfo(CPoint, TOOLINFO* pTI)
{
    return IsBarExpandedInRow() ? FillTipInfo(pTI, 30047, "Contract") : FillTipInfo(pTI, 30046, "Expand");
}

// ---- Close.

bool CUiBarNcAreaButtonClose::IsButtonVisible()
{
    return CUiBarNcAreaButton::IsButtonVisible() && (!IsBarFixedSize() || IsBarFloating());
}

void CUiBarNcAreaButtonClose::Paint(CDC& dc)
{
    PaintGlyph(dc, kGlyphClose);
}

UINT CUiBarNcAreaButtonClose::NcHitTest(CPoint ptWindow)
{
    return CUiBarNcAreaButton::NcHitTest(ptWindow) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

bool CUiBarNcAreaButtonClose::OnClick(CPoint ptWindow)
{
    if (!m_rc.PtInRect(ptWindow))
        return false;
    ClearHoverAndPressed();
    if (!IsBarFixedSize() && m_pBar->IsAutoHidden())
        m_pBar->SetAutoHideMode(false, false, true, true);
    BarHiddenByClose(m_pBar)->HideByClose();
    return true;
}

INT_PTR CUiBarNcAreaButtonClose::GetTipInfo(CPoint, TOOLINFO* pTI)
{
    return FillTipInfo(pTI, 30048, "Hide");
}

// ---- AutoHide.

void CUiBarNcAreaButtonAutoHide::LayoutInCaption(CUiBarNcAreaButton* pPrevious)
{
    if (!m_pBar->IsAutoHidden())
        ClearHoverAndPressed();
    CUiBarNcAreaButton::LayoutInCaption(pPrevious);
}

bool CUiBarNcAreaButtonAutoHide::IsButtonVisible()
{
    if (!CUiBarNcAreaButton::IsButtonVisible() || IsBarFixedSize() || IsBarFloating())
        return false;
    CDockBar* pDock = m_pBar->m_pDockBar;
    if (pDock == nullptr || !pDock->IsKindOf(RUNTIME_CLASS(CUiDockBar)) ||
        static_cast<CUiDockBar*>(pDock)->GetAutoHideArea() == nullptr)
        return false;
    CFrameWnd* pParentFrame = m_pBar->GetParentFrame();
    return pParentFrame == nullptr || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
}

void CUiBarNcAreaButtonAutoHide::Paint(CDC& dc)
{
    PaintGlyph(dc, m_pBar->IsAutoHidden() ? kGlyphPinIn : kGlyphPinOut);
}

UINT CUiBarNcAreaButtonAutoHide::NcHitTest(CPoint ptWindow)
{
    return CUiBarNcAreaButton::NcHitTest(ptWindow) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

bool CUiBarNcAreaButtonAutoHide::OnClick(CPoint ptWindow)
{
    if (!m_rc.PtInRect(ptWindow))
        return false;
    ClearHoverAndPressed();
    m_pBar->SetAutoHideMode(!m_pBar->IsAutoHidden(), false, true, false);
    return true;
}

INT_PTR CUiBarNcAreaButtonAutoHide::GetTipInfo(CPoint, TOOLINFO* pTI)
{
    return FillTipInfo(pTI, 30056, "Auto Hide");
}

// ---- Menu.

bool CUiBarNcAreaButtonMenu::IsButtonVisible()
{
    return CUiBarNcAreaButton::IsButtonVisible() && IsBarFixedSize() && IsBarFloating();
}

void CUiBarNcAreaButtonMenu::Paint(CDC& dc)
{
    PaintGlyph(dc, kGlyphMenu);
}

UINT CUiBarNcAreaButtonMenu::NcHitTest(CPoint ptWindow)
{
    return CUiBarNcAreaButton::NcHitTest(ptWindow) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

INT_PTR CUiBarNcAreaButtonMenu::GetTipInfo(CPoint, TOOLINFO* pTI)
{
    return FillTipInfo(pTI, 30049, "Options");
}

bool CUiBarNcAreaButtonMenu::OnClick(CPoint ptWindow)
{
    ClearHoverAndPressed();
    if (CUiControlBar::IsFrameInHelpMode(m_pBar))
        return true;
    if (!m_rc.PtInRect(ptWindow))
        return false;
    CFrameWnd* pFrame = GetBarFrame();
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (pFrame == nullptr || !pMenu->InitRootMenu(pFrame->m_hWnd)) {
        delete pMenu;
        return false;
    }
    CUiControlBar::POPUP_MENU_EVENT_DATA data(10, pMenu, m_pBar, CPoint(-1, -1), WM_NCLBUTTONDOWN, (LPARAM)this);
    if (!data.NotifyTarget(false)) {
        CString strText;
        if (!ResourceManagerHolder::GetResourceManager()->LoadString(strText, 30009) || strText.IsEmpty())
            strText = "&Show/hide panels";
        if (pMenu->ItemInsert(CUiPopupMenuWnd::MENUITEMDATA::kSubmenuId, -1, strText)) {
            const int nItem = pMenu->ItemGetCount() - 1;
            CUiPopupMenuWnd::MENUITEMDATA& item = pMenu->ItemGetInfo(nItem);
            item.m_bFlags1 |= CUiPopupMenuWnd::MENUITEMDATA::kJoinSubmenu;
            if (!(item.m_bFlags1 & CUiPopupMenuWnd::MENUITEMDATA::kCompact)) {
                item.m_bFlags1 |= CUiPopupMenuWnd::MENUITEMDATA::kCompact;
                item.MeasureItem();
            }
            if (!CUiDockBar::BuildBarsPopupMenu(pFrame, pMenu->ItemGetPopup(nItem), 11, m_pBar, WM_NCLBUTTONDOWN,
                                                (LPARAM)this))
                pMenu->ItemRemove(nItem);
        }
    }
    data.NotifyTarget(true);
    if (pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return false;
    }
    CRect rcWindow;
    QueryCaptionGeometry(nullptr, &rcWindow, nullptr, nullptr);
    CRect rcButton = m_rc;
    rcButton.OffsetRect(rcWindow.TopLeft());
    rcButton.InflateRect(1, 1);
    const CPoint ptCentre((rcButton.left + rcButton.right) / 2, (rcButton.top + rcButton.bottom) / 2);
    pFrame->SetFocus();
    if (!pMenu->TrackMenu(0x824, ptCentre.x, ptCentre.y, &rcButton, this, &CUiBarNcAreaButtonMenu::PaintIntoMenu, nullptr,
                          TRUE)) {
        delete pMenu;
        return false;
    }
    return true;
}

void CUiBarNcAreaButtonMenu::PaintIntoMenu(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rc, int)
{
    if (::IsRectEmpty(&rc) || pCookie == nullptr || pMenu == nullptr)
        return;
    CUiBarNcAreaButtonMenu* pButton = static_cast<CUiBarNcAreaButtonMenu*>(pCookie);
    CRect rcWindow, rcMenuClient;
    pButton->QueryCaptionGeometry(nullptr, &rcWindow, nullptr, nullptr);
    pMenu->GetClientRect(&rcMenuClient);
    pMenu->ClientToScreen(&rcMenuClient);
    const CPoint ptOld = dc.SetViewportOrg(rcWindow.left - rcMenuClient.left, rcWindow.top - rcMenuClient.top);
    pButton->m_bFlags |= kPaintingInMenu;
    pButton->Paint(dc);
    pButton->m_bFlags &= ~kPaintingInMenu;
    dc.SetViewportOrg(ptOld);
}
