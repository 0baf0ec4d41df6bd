// The toolbar's button array, its command update, tips and the class-wide state.
#include "toolcontrolbar.h"

#include "cmdmanager.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "popuptrackingstate.h"

IMPLEMENT_DYNCREATE(CUiToolControlBar, CUiControlBar)

const UINT CUiToolControlBar::g_nMsgTrackButtonMenu =
    ::RegisterWindowMessageA("CUiToolControlBar::g_nMsgTrackButtonMenu");
const UINT CUiToolControlBar::g_nMsgContinueTrackMenu =
    ::RegisterWindowMessageA("CUiToolControlBar::g_nMsgContinueTrackMenu");
const CSize CUiToolControlBar::g_sizeDefaultButton(23, 22);
bool& CUiToolControlBar::g_bMenuTracking = PopupBarTrackingBridge::g_bButtonMenuTracking;
bool CUiToolControlBar::g_bMenuExpanded = false;
bool CUiToolControlBar::g_bHelpLoopActive = false;
bool CUiToolControlBar::g_bOptionA = false;
bool CUiToolControlBar::g_bShowToolTips = true;
bool CUiToolControlBar::g_bOptionC = false;

namespace {

bool IsPointInTrackedButton(HWND hWndBar, POINT ptScreen)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndBar);
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)))
        return false;
    CUiToolControlBar* pBar = static_cast<CUiToolControlBar*>(pWnd);
    CUiBarButton* pButton = pBar->GetButton(pBar->m_nMenuTrackingIndex);
    if (pButton == nullptr)
        return false;
    CPoint pt(ptScreen);
    pBar->ScreenToClient(&pt);
    return pButton->GetRect().PtInRect(pt) != FALSE;
}

// The popup menus learn at start-up how to end and recognise the toolbars' button menus.
struct BridgeInstaller {
    BridgeInstaller()
    {
        PopupBarTrackingBridge::g_pfnEndAllBarMenuTracking = &CUiToolControlBar::EndAllBarMenuTracking;
        PopupBarTrackingBridge::g_pfnIsToolBar = &CUiToolControlBar::IsLiveToolBar;
        PopupBarTrackingBridge::g_pfnIsPointInTrackedButton = &IsPointInTrackedButton;
    }
} g_bridgeInstaller;

} // namespace

BEGIN_MESSAGE_MAP(CUiToolControlBar, CUiControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_SIZE()
    ON_WM_CAPTURECHANGED()
    ON_REGISTERED_MESSAGE(CUiToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

CUiToolControlBar::CUiToolControlBar()
    : m_pContentExpandButton(nullptr), m_bShowBarsInContentMenu(1), m_bNoContentExpand(0), m_bContentWrapped(0),
      m_bInRelayout(0), m_nMenuTrackingIndex(-1), m_nPressedIndex(-1), m_nHotIndex(-1)
{
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 0;
    // A toolbar docked at the top or bottom keeps its gripper at its left end; only a bar
    // docked at a side has it across the top.
    m_bBarFlags = (m_bBarFlags | kFixedSize) & ~kCaptionAcross;
    // The controls attached to buttons stand where their buttons are, at their own size; no
    // child window fills a toolbar.
    m_bTrackFlags &= ~kChildFills;
    m_nCaptionTop = 10;
    m_nCaptionLeft = 8;
}

CUiToolControlBar::~CUiToolControlBar()
{
    RemoveAllButtons();
    // The base removes the bar from the list of all bars under the list's lock.
}

bool CUiToolControlBar::IsLiveToolBar(LPVOID pCookie)
{
    CSingleLock lock(&g_csAllBars, TRUE);
    for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); ++i) {
        if (g_arrAllBars[i] == pCookie)
            return g_arrAllBars[i]->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) != FALSE;
    }
    return false;
}

// ---- Command update record.

CUiToolControlBar* CUiToolControlBar::CUiToolControlBarCmdUI::Bar() const
{
    return static_cast<CUiToolControlBar*>(m_pOther);
}

bool CUiToolControlBar::CUiToolControlBarCmdUI::IsChevron() const
{
    return Bar()->IsContentExpandButton((int)m_nIndex);
}

CUiCmdItem* CUiToolControlBar::CUiToolControlBarCmdUI::Item() const
{
    CUiCmdProfile* pProfile = Bar()->GetCmdProfile();
    return pProfile != nullptr ? pProfile->CmdGetPtr(Bar()->GetButtonID((int)m_nIndex)) : nullptr;
}

void CUiToolControlBar::CUiToolControlBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (IsChevron())
        return;
    CUiToolControlBar* pBar = Bar();
    DWORD dwStyle = pBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
    if (!bOn)
        dwStyle |= TBBS_DISABLED;
    pBar->SetButtonStyle((int)m_nIndex, dwStyle);
    if (CUiCmdItem* pItem = Item())
        pItem->StateEnable(bOn != FALSE);
}

void CUiToolControlBar::CUiToolControlBarCmdUI::StoreCheck(int nCheck)
{
    CUiToolControlBar* pBar = Bar();
    DWORD dwStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        dwStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        dwStyle |= TBBS_INDETERMINATE;
    pBar->SetButtonStyle((int)m_nIndex, dwStyle | TBBS_CHECKBOX);
}

void CUiToolControlBar::CUiToolControlBarCmdUI::SetCheck(int nCheck)
{
    if (IsChevron())
        return;
    StoreCheck(nCheck);
    if (CUiCmdItem* pItem = Item())
        pItem->StateSetCheck(nCheck == 1 || nCheck == 2);
}

void CUiToolControlBar::CUiToolControlBarCmdUI::SetRadio(BOOL bOn)
{
    if (IsChevron())
        return;
    StoreCheck(bOn ? 1 : 0);
    if (CUiCmdItem* pItem = Item())
        pItem->StateSetRadio(bOn != FALSE);
}

void CUiToolControlBar::CUiToolControlBarCmdUI::SetText(LPCTSTR)
{
}

// ---- Options, factories and fonts.

void CUiToolControlBar::GetButtonRect(int nIndex, RECT* pRect) const
{
    CUiBarButton* pButton = GetButton(nIndex);
    *pRect = pButton != nullptr ? (RECT)pButton->GetRect() : RECT{0, 0, 0, 0};
}

bool CUiToolControlBar::QueryGlobalOptionA() const
{
    return g_bOptionA;
}

bool CUiToolControlBar::IsToolTipsEnabled() const
{
    return g_bShowToolTips;
}

bool CUiToolControlBar::QueryGlobalOptionC() const
{
    return g_bOptionC;
}

CUiBarButton* CUiToolControlBar::CreateBarButton(UINT nCmdID, DWORD dwStyle)
{
    return new CUiBarButton(this, nCmdID, dwStyle);
}

CUiBarContentExpandButton* CUiToolControlBar::CreateContentExpandButton()
{
    if (m_bNoContentExpand)
        return nullptr;
    return new CUiBarContentExpandButton(this);
}

CSize CUiToolControlBar::GetDefaultButtonSize() const
{
    return g_sizeDefaultButton;
}

bool CUiToolControlBar::IsContentExpandAllowed() const
{
    return false;
}

CFont* CUiToolControlBar::GetButtonFont(bool bVertical)
{
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    if (pPaint == nullptr)
        return nullptr;
    return bVertical ? &pPaint->m_fontNormalVert : &pPaint->m_fontNormal;
}

void CUiToolControlBar::AdjustInsideRect(CRect& rect, bool bHorz) const
{
    CalcInsideRect(rect, bHorz);
}

CUiCmdProfile* CUiToolControlBar::GetCmdProfile() const
{
    if (GetSafeHwnd() == NULL)
        return nullptr;
    return CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(GetSafeHwnd());
}

// ---- The button array.

CUiBarButton* CUiToolControlBar::GetButton(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetButtonsCount())
        return nullptr;
    return m_arrButtons[nIndex];
}

bool CUiToolControlBar::SetButtonList(const UINT* pIds, int nCount)
{
    RemoveAllButtons();
    if (pIds == nullptr || nCount <= 0)
        return true;
    for (int i = 0; i < nCount; ++i)
        m_arrButtons.Add(CreateBarButton(pIds[i], 0));
    m_pContentExpandButton = CreateContentExpandButton();
    if (m_pContentExpandButton != nullptr)
        m_arrButtons.Add(m_pContentExpandButton);
    return true;
}

bool CUiToolControlBar::LoadToolBarCommands(UINT nResourceId)
{
    CUiCmdProfile* pProfile = GetCmdProfile();
    if (pProfile == nullptr)
        return false;
    UINT* pIds = nullptr;
    int nCount = 0;
    if (!CmdManagerHolder::GetStoredHandle()->ProfileLoadToolBarEx(pProfile->GetName(), nResourceId, &pIds, &nCount,
                                                                  false, true, RGB(192, 192, 192)))
        return false;
    const bool bResult = SetButtonList(pIds, nCount);
    delete[] pIds;
    return bResult;
}

bool CUiToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bRecalc)
{
    const int nCount = GetButtonsCount();
    if (nPos > nCount)
        return false;
    if (nPos < 0)
        nPos = nCount;
    // "At the end" stands before the chevron, which stays last.
    if (nPos == nCount && nCount > 0 && IsContentExpandButton(nCount - 1))
        --nPos;
    CUiBarButton* pButton = CreateBarButton(nCmdID, 0);
    if (pButton == nullptr)
        return false;
    m_arrButtons.InsertAt(nPos, pButton);
    // The indexes at and after the new place name the same buttons as before.
    for (int* pIndex : {&m_nMenuTrackingIndex, &m_nPressedIndex, &m_nHotIndex}) {
        if (*pIndex >= nPos)
            ++*pIndex;
    }
    if (bRecalc)
        RequestFrameRecalcLayout();
    return true;
}

bool CUiToolControlBar::RemoveButton(int nIndex, bool bRecalc)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton == m_pContentExpandButton)
        return false;
    if (m_pContentExpandButton != nullptr) {
        for (INT_PTR i = m_pContentExpandButton->m_arrHidden.GetSize() - 1; i >= 0; --i) {
            if (m_pContentExpandButton->m_arrHidden[i] == pButton)
                m_pContentExpandButton->m_arrHidden.RemoveAt(i);
        }
    }
    delete pButton;
    m_arrButtons.RemoveAt(nIndex);
    m_nMenuTrackingIndex = m_nPressedIndex = m_nHotIndex = -1;
    if (bRecalc)
        RequestFrameRecalcLayout();
    return true;
}

void CUiToolControlBar::RemoveAllButtons()
{
    if (m_pContentExpandButton != nullptr)
        m_pContentExpandButton->m_arrHidden.RemoveAll();
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    m_pContentExpandButton = nullptr;
    m_nMenuTrackingIndex = m_nPressedIndex = m_nHotIndex = -1;
}

int CUiToolControlBar::CommandToButtonIndex(UINT nCmdID) const
{
    for (int i = 0; i < GetButtonsCount(); ++i) {
        if (m_arrButtons[i]->GetCmdID(false) == nCmdID)
            return i;
    }
    return -1;
}

UINT CUiToolControlBar::GetButtonID(int nIndex) const
{
    CUiBarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->GetCmdID(false) : 0;
}

DWORD CUiToolControlBar::GetButtonStyle(int nIndex) const
{
    CUiBarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->GetStyle() : 0;
}

void CUiToolControlBar::SetButtonStyle(int nIndex, DWORD dwStyle)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->GetStyle() == dwStyle)
        return;
    pButton->SetStyle(dwStyle);
    InvalidateButton(nIndex);
    if (GetSafeHwnd() != NULL)
        UpdateWindow();
}

bool CUiToolControlBar::AttachButtonControl(int nIndex, CWnd* pCtrl, bool bNotOwned, bool bRecalc)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return false;
    if (pCtrl != nullptr) {
        const HWND hCtrl = pCtrl->GetSafeHwnd();
        if (hCtrl == NULL || !(::GetWindowLongA(hCtrl, GWL_STYLE) & WS_CHILD) || GetSafeHwnd() == NULL ||
            !::IsChild(GetSafeHwnd(), hCtrl) || (UINT)::GetDlgCtrlID(hCtrl) != pButton->GetCmdID(false))
            return false;
    }
    pButton->SetCtrl(pCtrl, bNotOwned);
    if (bRecalc)
        RequestFrameRecalcLayout();
    return true;
}

bool CUiToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupOnly, bool bOwned, bool bRecalc)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return false;
    pButton->SetMenu(hMenu, bPopupOnly, bOwned);
    if (bRecalc)
        RequestFrameRecalcLayout();
    return true;
}

bool CUiToolControlBar::SetButtonAppendMdiWindows(int nIndex, bool bOn)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return false;
    pButton->SetAppendMdiWindows(bOn);
    return true;
}

bool CUiToolControlBar::IsContentExpandButton(int nIndex) const
{
    CUiBarButton* pButton = GetButton(nIndex);
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CUiBarContentExpandButton));
}

int CUiToolControlBar::GetLayoutMode() const
{
    if ((m_bBarFlags & kContained) || GetSafeHwnd() == NULL || IsBarFloating())
        return 2;
    return IsDockedVertically() ? 1 : 0;
}

// ---- Command update.

void CUiToolControlBar::UpdateButtonCmdUI(int nIndex)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || GetSafeHwnd() == NULL)
        return;
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget == nullptr) {
        if (m_bBarFlags & kContained)
            return;
        pTarget = GetParentFrame();
        if (pTarget == nullptr)
            return;
    }
    BOOL bDisableIfNoHndler = TRUE;
    if (pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        bDisableIfNoHndler = static_cast<CFrameWnd*>(pTarget)->m_bAutoMenuEnable;
    pButton->OnUpdateCmdUI(pTarget, bDisableIfNoHndler, nIndex);
}

void CUiToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CWnd* pTargetWnd = pTarget;
    if (m_bBarFlags & kContained) {
        if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return;
        pTargetWnd = GetOwner();
        if (pTargetWnd == nullptr)
            pTargetWnd = GetParent();
        if (pTargetWnd == nullptr)
            return;
    } else {
        CUiControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        if (GetBarBeingDragged() != nullptr || pTarget == nullptr)
            return;
    }
    if (GetSafeHwnd() == NULL || !(GetStyle() & WS_VISIBLE))
        return;
    bool bHoldsControls = false;
    for (int i = 0; i < GetButtonsCount(); ++i) {
        m_arrButtons[i]->OnUpdateCmdUI(pTargetWnd, bDisableIfNoHndler, i);
        bHoldsControls = bHoldsControls || m_arrButtons[i]->GetCtrl() != nullptr;
    }
    // A toolbar's child windows are the controls its buttons hold. Without one there is no
    // child to update, and asking for the first child costs Wine a request on every update.
    if (bHoldsControls)
        UpdateDialogControls(pTargetWnd, bDisableIfNoHndler);
}

// ---- Tips, help and cursor.

INT_PTR CUiToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!IsToolTipsEnabled() || g_bMenuTracking || CUiPopupMenuWnd::IsTrackingMenu())
        return -1;
    CUiBarButton* pButton = GetButton(HitTestButton(point.x, point.y));
    if (pButton != nullptr) {
        const INT_PTR nHit = pButton->OnToolHitTest(point, pTI);
        if (nHit != -1)
            return nHit;
    }
    return CUiControlBar::OnToolHitTest(point, pTI);
}

int CUiToolControlBar::HelpHitTestAt(int x, int y)
{
    CUiBarButton* pButton = GetButton(HitTestButton(x, y));
    if (pButton == nullptr)
        return CUiControlBar::HelpHitTestAt(x, y);
    const int nHit = pButton->OnHelpHitTest(CPoint(x, y));
    return nHit == -1 ? -2 : nHit;
}

void CUiToolControlBar::UpdateCursor(CPoint ptClient)
{
    CUiBarButton* pButton = GetButton(HitTestButtonEx(ptClient.x, ptClient.y, 0, 0, false));
    if (pButton != nullptr && pButton->OnSetCursor(ptClient))
        return;
    CUiControlBar::UpdateCursor(ptClient);
}

// ---- Docking answers.

bool CUiToolControlBar::RowQueryFlag() const
{
    return m_bContentWrapped ? true : CUiControlBar::RowQueryFlag();
}

BarPlacementRecord* CUiToolControlBar::GetPlacementRecord()
{
    return &m_placement;
}

void CUiToolControlBar::SetPlacementRecord(const BarPlacementRecord& record)
{
    m_placement = record;
}

bool CUiToolControlBar::IsSingleOnRow() const
{
    return !m_bNoContentExpand;
}

bool CUiToolControlBar::IsMarkerDockingMode() const
{
    return true;
}

