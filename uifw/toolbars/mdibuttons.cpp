#include "mdibuttons.h"

#include <algorithm>

#include "bitmapicon.h"
#include "menucontrolbar.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "pushbuttonpaintdata.h"
#include "resourcemanager.h"
#include "windowsversion.h"

IMPLEMENT_DYNCREATE(CUiBarMdiDocButton, CUiBarButton)
IMPLEMENT_DYNCREATE(CUiBarMdiRightButton, CUiBarMdiDocButton)

namespace {

const UINT kIdsActiveDocument = 30003;
// The tips of the parts; the help part has no text of its own.
const UINT kTipHelp = 0xE145, kTipRestore = 0xEF12, kTipMinimize = 0xEF02, kTipMaximize = 0xEF03,
           kTipClose = 0xEF06;

UINT TipOfCommand(UINT nSysCmd)
{
    switch (nSysCmd) {
    case SC_CONTEXTHELP:
        return kTipHelp;
    case SC_RESTORE:
        return kTipRestore;
    case SC_MINIMIZE:
        return kTipMinimize;
    case SC_MAXIMIZE:
        return kTipMaximize;
    case SC_CLOSE:
        return kTipClose;
    default:
        return 0;
    }
}

} // namespace

// ---- MdiRightButtonsInfo.

CSize MdiRightButtonsInfo::PartSizeFor(bool bXpOrLater, int cxSmSize, int cySmSize, int cxSize, int cySize)
{
    if (bXpOrLater) {
        const int n = std::max(std::max(cxSmSize, cySmSize) + 1, 18);
        return CSize(n - 2, n - 2);
    }
    return CSize(cxSize - 2, cySize - 2);
}

MdiRightButtonsInfo::MdiRightButtonsInfo()
    : m_pChild(nullptr), m_pBar(nullptr), m_cxTotal(0), m_cyTotal(0), m_dwFlags(0)
{
    const bool bXp = (PaintManagerHolder::Get().m_wFamilyFlags & kWinNTAbove50) != 0;
    const CSize size = PartSizeFor(bXp, ::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE),
                                   ::GetSystemMetrics(SM_CXSIZE), ::GetSystemMetrics(SM_CYSIZE));
    m_cxPart = size.cx;
    m_cyPart = size.cy;
    for (CRect* pRect : {&m_rcClose, &m_rcMaximize, &m_rcRestore, &m_rcMinimize, &m_rcHelp})
        pRect->SetRectEmpty();
}

void MdiRightButtonsInfo::CalcExtent(bool bHorz)
{
    // Along the row: a margin of 2, then each part and its gap; minimise and restore go as a
    // pair with a wider gap.
    const int nPartAlong = bHorz ? m_cxPart : m_cyPart;
    int nAlong = 2;
    if (Has(kMinimizeBox))
        nAlong = 2 * nPartAlong + 6;
    else if (Has(kMaximizeBox))
        nAlong += nPartAlong + 2;
    if (Has(kHelp))
        nAlong += nPartAlong + 2;
    if (Has(kClose))
        nAlong += nPartAlong + 2;
    if (bHorz) {
        m_cxTotal = nAlong;
        m_cyTotal = m_cyPart + 2;
    } else {
        m_cxTotal = m_cxPart + 2;
        m_cyTotal = nAlong;
    }
    m_dwFlags |= kValid;
}

void MdiRightButtonsInfo::LayoutInRect(const RECT& rcGiven, bool bHorz)
{
    for (CRect* pRect : {&m_rcClose, &m_rcMaximize, &m_rcRestore, &m_rcMinimize, &m_rcHelp})
        pRect->SetRectEmpty();
    const CRect rc(rcGiven);
    if (rc.IsRectEmpty())
        return;
    CRect rcPart;
    if (bHorz) {
        rcPart.left = rc.left + 2;
        rcPart.top = rc.top + (rc.Height() - m_cyPart) / 2;
        rcPart.right = rcPart.left + m_cxPart;
        rcPart.bottom = rcPart.top + m_cyPart;
    } else {
        rcPart.left = rc.left + (rc.Width() - m_cxPart) / 2;
        rcPart.top = rc.top + 2;
        rcPart.right = rcPart.left + m_cxPart;
        rcPart.bottom = rcPart.top + m_cxPart;
    }
    const CSize step = bHorz ? CSize(m_cxPart + 2, 0) : CSize(0, m_cyPart + 2);
    auto take = [&](CRect& rcTarget) {
        rcTarget = rcPart;
        rcPart.OffsetRect(step);
    };
    if (Has(kHelp))
        take(m_rcHelp);
    if (Has(kMinimizeBox)) {
        take(m_rcMinimize);
        take(m_rcRestore);
    } else if (Has(kMaximizeBox)) {
        take(m_rcMaximize);
    }
    if (Has(kClose))
        take(m_rcClose);
}

UINT MdiRightButtonsInfo::HitTestPart(CPoint pt) const
{
    if (m_rcHelp.PtInRect(pt))
        return SC_CONTEXTHELP;
    if (m_rcMinimize.PtInRect(pt))
        return SC_MINIMIZE;
    if (m_rcRestore.PtInRect(pt))
        return SC_RESTORE;
    if (m_rcMaximize.PtInRect(pt))
        return SC_MAXIMIZE;
    if (m_rcClose.PtInRect(pt))
        return SC_CLOSE;
    return 0;
}

// ---- The document button.

CUiBarMdiDocButton::CUiBarMdiDocButton() : m_hWndChild(NULL)
{
}

CUiBarMdiDocButton::CUiBarMdiDocButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CUiBarButton(pBar, nCmdID, dwStyle & ~TBBS_DISABLED), m_hWndChild(NULL)
{
}

CUiBarMdiDocButton::~CUiBarMdiDocButton()
{
    m_icon.Empty();
}

CUiMenuControlBar* CUiBarMdiDocButton::MenuBar() const
{
    if (m_pBar == nullptr || !m_pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)))
        return nullptr;
    return static_cast<CUiMenuControlBar*>(m_pBar);
}

DWORD CUiBarMdiDocButton::GetStyle() const
{
    return CUiBarButton::GetStyle() & ~TBBS_DISABLED;
}

void CUiBarMdiDocButton::SetStyle(DWORD dwStyle)
{
    CUiBarButton::SetStyle(dwStyle & ~TBBS_DISABLED);
}

void CUiBarMdiDocButton::ModifyStyle(DWORD dwAdd, DWORD dwRemove)
{
    CUiBarButton::ModifyStyle(dwAdd & ~TBBS_DISABLED, dwRemove | TBBS_DISABLED);
}

HWND CUiBarMdiDocButton::GetMdiChildHwnd() const
{
    if (m_hWndChild != NULL && ::IsWindow(m_hWndChild))
        return m_hWndChild;
    CUiMenuControlBar* pBar = MenuBar();
    return pBar != nullptr ? pBar->GetActiveMdiChild(nullptr) : NULL;
}

void CUiBarMdiDocButton::SetMdiChildHwnd(HWND hWnd)
{
    if (hWnd != m_hWndChild)
        m_icon.Empty();
    m_hWndChild = hWnd;
}

CWnd* CUiBarMdiDocButton::GetCmdTargetWnd() const
{
    const HWND hChild = GetMdiChildHwnd();
    if (hChild == NULL)
        return nullptr;
    CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
    return pWnd != nullptr ? pWnd : CWnd::FromHandle(hChild);
}

bool CUiBarMdiDocButton::LoadMdiChildIcon(HWND hChild) const
{
    HICON hIcon = (HICON)::SendMessage(hChild, CUiControlBar::g_nMsgQueryIcon, 0, 0);
    if (hIcon == NULL)
        hIcon = FindWindowIcon(hChild);
    m_icon.Empty();
    if (hIcon == NULL)
        return false;
    CUiCmdIcon icon;
    icon.AssignFromHICON(hIcon, true);
    if (icon.IsEmpty() || !m_icon.ScaleToSize(icon, 16, 16))
        m_icon.AssignFromOther(icon);
    return !m_icon.IsEmpty();
}

CUiCmdIcon* CUiBarMdiDocButton::GetIconPtr() const
{
    if (m_hWndChild != NULL && ::IsWindow(m_hWndChild) && !m_icon.IsEmpty())
        return &m_icon;
    const HWND hChild = GetMdiChildHwnd();
    if (hChild == NULL || !LoadMdiChildIcon(hChild))
        return nullptr;
    return &m_icon;
}

int CUiBarMdiDocButton::OnTrackPopup(CPoint point, bool bSelectFirst)
{
    if (m_pBar == nullptr || m_pBar->IsContentExpandWanted())
        return -1;
    CUiMenuControlBar* pBar = MenuBar();
    if (pBar == nullptr)
        return CUiBarButton::OnTrackPopup(point, bSelectFirst);
    const int nIndex = IndexInBar();
    if (CUiToolControlBar::g_bMenuTracking && nIndex == pBar->m_nMenuTrackingIndex)
        return -1;
    const bool bWasTracking = CUiToolControlBar::g_bMenuTracking;
    CUiToolControlBar::EndAllBarMenuTracking();
    if (pBar->IsBarFloating()) {
        if (CFrameWnd* pMini = pBar->GetParentFrame())
            pMini->BringWindowToTop();
    }
    UINT nAlign = 4;
    if (pBar->IsDockedAtLeft())
        nAlign = 1;
    else if (pBar->IsDockedAtRight())
        nAlign = 3;
    else if (pBar->IsDockedAtBottom())
        nAlign = 6;
    CRect rcButton = GetRect();
    pBar->ClientToScreen(&rcButton);
    const CPoint ptCentre = rcButton.CenterPoint();
    CUiToolControlBar::g_bMenuTracking = bWasTracking;
    pBar->SetMenuTrackingButton(nIndex);
    const HWND hChild = GetMdiChildHwnd();
    CWnd* pChild = hChild != NULL ? CWnd::FromHandle(hChild) : nullptr;
    pBar->m_bSysMenuTracking = pBar->TrackFrameSystemMenu(pChild, &ptCentre, true, &rcButton, nAlign, true);
    CUiToolControlBar::g_bMenuTracking = true;
    return -1;
}

bool CUiBarMdiDocButton::PutToPopupMenu(CUiPopupMenuWnd* pMenu)
{
    const HWND hChild = GetMdiChildHwnd();
    HMENU hSysMenu = hChild != NULL ? ::GetSystemMenu(hChild, FALSE) : NULL;
    if (hSysMenu == NULL)
        return false;
    CString strText;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(strText, kIdsActiveDocument) || strText.IsEmpty())
        strText = "Active document";
    CUiCmdIcon* pIcon = GetIconPtr();
    if (!pMenu->ItemInsert((UINT)-1, -1, strText, pIcon != nullptr ? pIcon->GetIcon() : NULL))
        return false;
    CUiPopupMenuWnd* pSub = pMenu->ItemGetPopup(pMenu->ItemGetCount() - 1);
    if (pSub == nullptr || !pSub->LoadMenu(m_pBar->GetSafeHwnd(), hSysMenu, FALSE, FALSE))
        return false;
    pSub->SetCmdReceiver(hChild);
    return pMenu->ItemInsert(0, -1) != FALSE;
}

// ---- The right button.

CUiBarMdiRightButton::CUiBarMdiRightButton()
{
}

CUiBarMdiRightButton::CUiBarMdiRightButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CUiBarMdiDocButton(pBar, nCmdID, dwStyle)
{
}

CUiBarMdiRightButton::~CUiBarMdiRightButton()
{
}

CUiCmdIcon* CUiBarMdiRightButton::GetIconPtr() const
{
    return nullptr;
}

int CUiBarMdiRightButton::OnTrackPopup(CPoint, bool)
{
    return -1;
}

bool CUiBarMdiRightButton::IsHorizontalInBar() const
{
    return m_pBar == nullptr || !m_pBar->IsDockedVertically();
}

bool CUiBarMdiRightButton::GetLaidOutInfo(MdiRightButtonsInfo& info) const
{
    CUiMenuControlBar* pBar = MenuBar();
    if (pBar == nullptr)
        return false;
    const bool bHorz = IsHorizontalInBar();
    pBar->GetMdiRightButtonsInfo(info, const_cast<CUiBarMdiRightButton*>(this), bHorz);
    if (!info.Has(MdiRightButtonsInfo::kValid))
        return false;
    info.LayoutInRect(m_rect, bHorz);
    return true;
}

CSize CUiBarMdiRightButton::CalculateLayout(CDC&, CSize sizeGiven, bool bHorz)
{
    MdiRightButtonsInfo info;
    CUiMenuControlBar* pBar = MenuBar();
    const bool bBarHorz = IsHorizontalInBar();
    if (pBar != nullptr)
        pBar->GetMdiRightButtonsInfo(info, this, bBarHorz);
    CSize size(1, 1);
    if (info.Has(MdiRightButtonsInfo::kValid)) {
        size = CSize(info.m_cxTotal, info.m_cyTotal);
        if (bHorz)
            size.cy = std::max<int>(size.cy, sizeGiven.cy);
        else
            size.cx = std::max<int>(size.cx, sizeGiven.cx);
    }
    m_size = size;
    return m_size;
}

void CUiBarMdiRightButton::Paint(CDC& dc, bool)
{
    if (!m_bVisible || (GetStyle() & TBBS_HIDDEN) || m_rect.IsRectEmpty())
        return;
    MdiRightButtonsInfo info;
    if (!GetLaidOutInfo(info))
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    m_pBar->ScreenToClient(&ptCursor);
    const bool bEnabled = !CUiBarButton::IsDisabled();
    const struct {
        const CRect& rc;
        UINT nCmd;
    } parts[] = {{info.m_rcHelp, SC_CONTEXTHELP}, {info.m_rcRestore, SC_RESTORE}, {info.m_rcMinimize, SC_MINIMIZE},
                 {info.m_rcMaximize, SC_MAXIMIZE}, {info.m_rcClose, SC_CLOSE}};
    for (const auto& part : parts) {
        if (part.rc.IsRectEmpty())
            continue;
        const bool bIn = part.rc.PtInRect(ptCursor) != FALSE;
        const bool bHover = bEnabled && IsHover() && bIn;
        const bool bPushed = bEnabled && IsPressed() && bIn;
        PushButtonPaintData data(this, TRUE, part.rc, "", nullptr, TRUE, bHover, bPushed, FALSE, bEnabled, TRUE, FALSE,
                                 FALSE, 5, NULL, FALSE, part.nCmd, !bHover && !bPushed);
        PaintManagerHolder::Get()->PaintPushButton(dc, data);
    }
}

void CUiBarMdiRightButton::OnClick(CPoint point, bool bDown)
{
    if (m_pBar == nullptr || m_pBar->IsContentExpandWanted() || bDown)
        return;
    MdiRightButtonsInfo info;
    if (!GetLaidOutInfo(info))
        return;
    const UINT nCmd = info.HitTestPart(point);
    const HWND hChild = GetMdiChildHwnd();
    if (nCmd == 0 || hChild == NULL)
        return;
    if (nCmd == SC_MAXIMIZE) {
        ::PostMessage(::GetParent(hChild), WM_MDIRESTORE, (WPARAM)hChild, 0);
        return;
    }
    CPoint ptScreen(point);
    m_pBar->ClientToScreen(&ptScreen);
    ::PostMessage(hChild, WM_SYSCOMMAND, nCmd, MAKELPARAM(ptScreen.x, ptScreen.y));
    if (nCmd == SC_MINIMIZE || nCmd == SC_RESTORE) {
        SetVisible(false);
        CUiBarButton* pFirst = m_pBar->GetButton(0);
        if (pFirst != nullptr && pFirst->IsKindOf(RUNTIME_CLASS(CUiBarMdiDocButton)) &&
            !pFirst->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton)) && pFirst->IsVisible())
            pFirst->SetVisible(false);
        m_pBar->Invalidate();
    }
}

INT_PTR CUiBarMdiRightButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    MdiRightButtonsInfo info;
    if (!GetLaidOutInfo(info))
        return -1;
    const UINT nCmd = info.HitTestPart(point);
    if (nCmd == 0)
        return -1;
    const UINT nTip = TipOfCommand(nCmd);
    if (pTI != nullptr) {
        const CRect* pRects[] = {&info.m_rcHelp, &info.m_rcMinimize, &info.m_rcRestore, &info.m_rcMaximize,
                                 &info.m_rcClose};
        for (const CRect* pRect : pRects)
            if (pRect->PtInRect(point))
                pTI->rect = *pRect;
        CString strText;
        ResourceManagerHolder::GetResourceManager()->LoadString(strText, nTip);
        pTI->uId = nTip;
        pTI->hwnd = m_pBar->GetSafeHwnd();
        pTI->lpszText = AllocTipText(strText);
    }
    return (INT_PTR)nTip;
}

int CUiBarMdiRightButton::OnHelpHitTest(CPoint point)
{
    return (int)OnToolHitTest(point, nullptr);
}

bool CUiBarMdiRightButton::PutToPopupMenu(CUiPopupMenuWnd* pMenu)
{
    MdiRightButtonsInfo info;
    CUiMenuControlBar* pBar = MenuBar();
    if (pBar == nullptr)
        return false;
    pBar->GetMdiRightButtonsInfo(info, this, IsHorizontalInBar());
    if (!info.Has(MdiRightButtonsInfo::kValid))
        return false;
    const int nCount = pMenu->ItemGetCount();
    if (nCount > 0 && pMenu->ItemGetCmdID(nCount - 1) != (UINT)-1)
        pMenu->ItemInsert(0, -1);
    const HWND hChild = GetMdiChildHwnd();
    auto add = [&](UINT nCmd) { pMenu->ItemInsert(nCmd, -1, nullptr, NULL, hChild); };
    if (info.Has(MdiRightButtonsInfo::kHelp))
        add(SC_CONTEXTHELP);
    if (info.Has(MdiRightButtonsInfo::kMinimizeBox)) {
        add(SC_MINIMIZE);
        add(SC_RESTORE);
    }
    if (info.Has(MdiRightButtonsInfo::kMaximizeBox))
        add(info.Has(MdiRightButtonsInfo::kMinimizeBox) ? SC_MAXIMIZE : SC_RESTORE);
    if (info.Has(MdiRightButtonsInfo::kClose))
        add(SC_CLOSE);
    return true;
}
