// The chevron: measuring, painting, its tip and its menu of hidden buttons and bars.
#include "contentexpandbutton.h"

#include <cstdlib>
#include <cstring>

#include "dockbar.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "resourcemanager.h"
#include "toolcontrolbar.h"

IMPLEMENT_DYNCREATE(CUiBarContentExpandButton, CUiBarButton)

namespace {

const UINT kIdleMessage = 0xE001;   // AFX_IDS_IDLEMESSAGE
const UINT kStrWhereAreButtons = 30045;
const UINT kStrShowHidePanels = 30009;
// The menu events of the chevron: the whole menu, the bars' entry, the bars' submenu.
const WORD kEventChevronMenu = 12, kEventBarsEntry = 13, kEventBarsSubmenu = 14;
const UINT kNcLButtonDown = 0xA1;

CString FrameworkString(UINT nId, LPCSTR lpszFallback)
{
    CString strText;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(strText, nId) || strText.IsEmpty())
        strText = lpszFallback;
    return strText;
}

} // namespace

CUiBarContentExpandButton::CUiBarContentExpandButton() : CUiBarContentExpandButton(nullptr)
{
}

CUiBarContentExpandButton::CUiBarContentExpandButton(CUiToolControlBar* pBar)
    : CUiBarButton(pBar, kCmdID, 0), m_bNothingHidden(false)
{
}

CUiBarContentExpandButton::~CUiBarContentExpandButton()
{
    m_arrHidden.RemoveAll();
}

bool CUiBarContentExpandButton::IsMenuAvailable() const
{
    return m_arrHidden.GetSize() > 0 || (m_pBar != nullptr && m_pBar->m_bShowBarsInContentMenu);
}

CSize CUiBarContentExpandButton::CalculateLayout(CDC&, CSize sizeGiven, bool bHorz)
{
    m_size = bHorz ? CSize(kDropDownExtent, sizeGiven.cy) : CSize(sizeGiven.cx, kDropDownExtent);
    return m_size;
}

bool CUiBarContentExpandButton::PutToPopupMenu(CUiPopupMenuWnd*)
{
    return false;
}

void CUiBarContentExpandButton::Paint(CDC& dc, bool bHorz)
{
    if (m_rect.right <= m_rect.left || m_rect.bottom <= m_rect.top)
        return;
    bool bEnabled = !IsDisabled();
    bool bPushed = false, bHover = false;
    if (!IsMenuAvailable()) {
        bEnabled = false;
    } else {
        bPushed = bEnabled && IsPressed();
        bHover = bEnabled && IsHover() && !CUiToolControlBar::g_bMenuTracking && !CUiPopupMenuWnd::IsTrackingMenu();
    }
    PaintManagerHolder::Get()->PaintContentExpandButton(dc, m_rect, bHorz, m_arrHidden.GetSize() == 0, bEnabled,
                                                        bPushed, bHover, this, 0, !bPushed && !bHover);
}

void CUiBarContentExpandButton::OnClick(CPoint point, bool bDown)
{
    if (!bDown)
        return;
    CUiToolControlBar::g_bMenuExpanded = false;
    OnTrackPopup(point, false);
}

INT_PTR CUiBarContentExpandButton::OnToolHitTest(CPoint, TOOLINFO* pTI) const
{
    if (pTI == nullptr)
        return -1;
    const CString strTip = FrameworkString(kStrWhereAreButtons, "Where are buttons?");
    pTI->rect = m_rect;
    pTI->uId = kIdleMessage;
    pTI->hwnd = m_pBar != nullptr ? m_pBar->GetSafeHwnd() : NULL;
    char* psz = static_cast<char*>(calloc((size_t)strTip.GetLength() + 1, 1));
    if (psz != nullptr)
        memcpy(psz, (LPCSTR)strTip, (size_t)strTip.GetLength());
    pTI->lpszText = psz != nullptr ? psz : LPSTR_TEXTCALLBACK;
    return kIdleMessage;
}

int CUiBarContentExpandButton::OnTrackPopup(CPoint point, bool bSelectFirst)
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == NULL || IsDisabled())
        return -1;
    const int nIndex = IndexInBar();
    if (CUiToolControlBar::g_bMenuTracking && nIndex >= 0 && m_pBar->m_nMenuTrackingIndex == nIndex)
        return -1;
    if (m_arrHidden.GetSize() == 0 && !m_pBar->m_bShowBarsInContentMenu)
        return -1;
    const bool bWasTracking = CUiToolControlBar::g_bMenuTracking;
    CUiToolControlBar::EndAllBarMenuTracking();
    CUiToolControlBar::g_bMenuTracking = bWasTracking;
    if (m_pBar->IsBarFloating()) {
        m_pBar->GetTopLevelParent()->SetActiveWindow();
        if (CFrameWnd* pFrame = m_pBar->GetParentFrame())
            pFrame->BringWindowToTop();
    }
    CWnd* pTarget = GetCmdTargetWnd();
    CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
    pPopup->InitRootMenu(pTarget != nullptr ? pTarget->GetSafeHwnd() : NULL);

    const bool bContained = (m_pBar->m_bBarFlags & CUiControlBar::kContained) != 0;
    const bool bBars = !bContained && m_pBar->m_bShowBarsInContentMenu;
    CUiControlBar::POPUP_MENU_EVENT_DATA menuEvent(kEventChevronMenu, pPopup, m_pBar, CPoint(-1, -1), kNcLButtonDown,
                                                   (LPARAM)this);
    if (!menuEvent.NotifyTarget(false)) {
        bool bAdded = false;
        for (INT_PTR i = 0; i < m_arrHidden.GetSize(); ++i) {
            CUiBarButton* pButton = m_arrHidden[i];
            if (i == 0 && pButton->IsSeparator())
                continue;
            bAdded = pButton->PutToPopupMenu(pPopup) || bAdded;
        }
        if (bAdded && bBars)
            pPopup->ItemInsert(0, -1);
        if (bBars && m_pBar->GetDockSiteFrame() != nullptr) {
            const CString strText = FrameworkString(kStrShowHidePanels, "&Show/hide panels");
            CUiControlBar::POPUP_MENU_EVENT_DATA barsEvent(kEventBarsEntry, pPopup, m_pBar, CPoint(-1, -1),
                                                           kNcLButtonDown, (LPARAM)this);
            if (!barsEvent.NotifyTarget(false) && pPopup->ItemInsert((UINT)-1, -1, strText)) {
                const int nItem = pPopup->ItemGetCount() - 1;
                CUiPopupMenuWnd::MENUITEMDATA& item = pPopup->ItemGetInfo(nItem);
                const bool bMeasure = (item.m_bFlags1 & CUiPopupMenuWnd::MENUITEMDATA::kCompact) == 0;
                item.m_bFlags1 |= CUiPopupMenuWnd::MENUITEMDATA::kJoinSubmenu | CUiPopupMenuWnd::MENUITEMDATA::kCompact;
                if (bMeasure)
                    item.MeasureItem();
                if (!CUiDockBar::BuildBarsPopupMenu(m_pBar->GetDockSiteFrame(), pPopup->ItemGetPopup(nItem),
                                                    kEventBarsSubmenu, m_pBar, kNcLButtonDown, (LPARAM)this))
                    pPopup->ItemRemove(nItem);
            }
            barsEvent.NotifyTarget(true);
        }
    }
    menuEvent.NotifyTarget(true);
    if (pPopup->ItemGetCount() == 0) {
        delete pPopup;
        return -1;
    }
    TrackPopupAtButton(pPopup, point, bSelectFirst);
    return -1;
}
