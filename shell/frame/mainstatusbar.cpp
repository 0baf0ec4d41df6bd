#include "mainstatusbar.h"

#include "afxdc.h"

namespace {

// Tools are numbered from 1: tool 0 would be the whole window.
UINT_PTR ToolId(int nIndex)
{
    return (UINT_PTR)nIndex + 1;
}

} // namespace

BEGIN_MESSAGE_MAP(CMainStatusBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMainStatusBar::CMainStatusBar() {}

CMainStatusBar::~CMainStatusBar()
{
    for (int i = 0; i < m_arrOwnerDrawn.GetSize(); ++i)
        delete m_arrOwnerDrawn[i];
}

int CMainStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The control bar's creation puts the bar into its frame's list, through which the frame
    // shows, hides, saves and updates its bars.
    if (CStatusBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolTip.Create(this, TTS_ALWAYSTIP))
        return -1;
    m_wndToolTip.Activate(TRUE);
    return 0;
}

void CMainStatusBar::OnDestroy()
{
    Default();
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.DestroyWindow();
}

void CMainStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CStatusBar::OnSize(nType, cx, cy);
    UpdateToolRects();
    for (int i = 0; i < m_arrOwnerDrawn.GetSize(); ++i)
        MarkOwnerDrawn(*m_arrOwnerDrawn[i]);
}

BOOL CMainStatusBar::SetIndicatorsEx(const UINT* pIds, int nCount, const UINT* pTipIds, const HICON* pIcons)
{
    if (!SetIndicators(pIds, nCount))
        return FALSE;
    for (int i = 0; i < nCount; ++i) {
        if (pIds == nullptr || pIds[i] == 0)
            continue;
        if (pTipIds != nullptr && pTipIds[i] != 0 && m_wndToolTip.GetSafeHwnd() != NULL) {
            CString strTip;
            strTip.LoadString(pTipIds[i]);
            CRect rc;
            GetItemRect(i, &rc);
            m_wndToolTip.AddTool(this, strTip, &rc, ToolId(i));
        }
        if (pIcons != nullptr && pIcons[i] != NULL)
            SetPaneIcon(i, pIcons[i]);
    }
    return TRUE;
}

void CMainStatusBar::SetPaneOwnerDrawn(int nIndex, COLORREF clrText, COLORREF clrBack)
{
    MainStatusPaneRecord* pRecord = FindOwnerDrawn(nIndex);
    if (pRecord == nullptr) {
        pRecord = new MainStatusPaneRecord{nIndex, clrText, clrBack, GetPaneText(nIndex), 0};
        m_arrOwnerDrawn.Add(pRecord);
    }
    pRecord->clrText = clrText;
    pRecord->clrBack = clrBack;
    if (GetSafeHwnd() != NULL && GetStatusBarCtrl().GetIcon(nIndex) != NULL)
        pRecord->cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    MarkOwnerDrawn(*pRecord);
}

MainStatusPaneRecord* CMainStatusBar::FindOwnerDrawn(int nIndex) const
{
    for (int i = 0; i < m_arrOwnerDrawn.GetSize(); ++i) {
        if (m_arrOwnerDrawn[i]->nIndex == nIndex)
            return m_arrOwnerDrawn[i];
    }
    return nullptr;
}

void CMainStatusBar::MarkOwnerDrawn(const MainStatusPaneRecord& record)
{
    if (GetSafeHwnd() != NULL)
        SendMessage(SB_SETTEXTA, (WPARAM)(record.nIndex | SBT_OWNERDRAW), (LPARAM)&record);
}

void CMainStatusBar::UpdateToolRects()
{
    if (m_wndToolTip.GetSafeHwnd() == NULL)
        return;
    for (int i = 0; i < GetCount(); ++i) {
        CRect rc;
        GetItemRect(i, &rc);
        m_wndToolTip.SetToolRect(this, ToolId(i), &rc);
    }
}

void CMainStatusBar::FitPaneWidth(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const MainStatusPaneRecord* pRecord = FindOwnerDrawn(nIndex);
    int cx = TextWidth(pRecord != nullptr ? (LPCTSTR)pRecord->strText : (LPCTSTR)GetPaneText(nIndex));
    if (GetStatusBarCtrl().GetIcon(nIndex) != NULL)
        cx += ::GetSystemMetrics(SM_CXSMICON);
    SetPaneWidth(nIndex, cx);
}

void CMainStatusBar::SetPaneTextFitted(int nIndex, LPCTSTR lpszText)
{
    MainStatusPaneRecord* pRecord = FindOwnerDrawn(nIndex);
    if (pRecord != nullptr) {
        if (pRecord->strText != lpszText) {
            pRecord->strText = lpszText;
            CRect rc;
            GetItemRect(nIndex, &rc);
            InvalidateRect(&rc);
            UpdateWindow();
        }
    } else {
        SetPaneText(nIndex, lpszText);
    }
    FitPaneWidth(nIndex);
}

void CMainStatusBar::SetPaneTip(int nIndex, LPCTSTR lpszText)
{
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.UpdateTipText(lpszText, this, ToolId(nIndex));
}

CString CMainStatusBar::GetPaneTip(int nIndex) const
{
    CString str;
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.GetText(str, const_cast<CMainStatusBar*>(this), ToolId(nIndex));
    return str;
}

void CMainStatusBar::SetPaneWidth(int nIndex, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    UINT nID, nStyle;
    int cxOld;
    GetPaneInfo(nIndex, nID, nStyle, cxOld);
    if (cxOld == cxWidth)
        return;
    SetPaneInfo(nIndex, nID, nStyle, cxWidth);
    UpdateToolRects();
    // Setting the parts gave every pane its plain text again.
    for (int i = 0; i < m_arrOwnerDrawn.GetSize(); ++i)
        MarkOwnerDrawn(*m_arrOwnerDrawn[i]);
}

void CMainStatusBar::SetPaneIcon(int nIndex, HICON hIcon)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    GetStatusBarCtrl().SetIcon(nIndex, hIcon);
    if (MainStatusPaneRecord* pRecord = FindOwnerDrawn(nIndex))
        pRecord->cxIcon = hIcon != NULL ? ::GetSystemMetrics(SM_CXSMICON) : 0;
    FitPaneWidth(nIndex);
}

BOOL CMainStatusBar::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_wndToolTip.GetSafeHwnd() != NULL)
            m_wndToolTip.RelayEvent(pMsg);
        break;
    default:
        break;
    }
    return CStatusBar::PreTranslateMessage(pMsg);
}

BOOL CMainStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const NMMOUSE* pMouse = reinterpret_cast<const NMMOUSE*>(lParam);
        if (pMouse->hdr.code == NM_DBLCLK && (int)pMouse->dwItemSpec >= 0 && (int)pMouse->dwItemSpec < GetCount()) {
            const UINT nID = GetItemID((int)pMouse->dwItemSpec);
            CWnd* pFrame = GetParentFrame();
            if (pFrame != nullptr && nID != 0)
                pFrame->SendMessage(WM_COMMAND, nID, 0);
        }
    }
    return CStatusBar::OnChildNotify(message, wParam, lParam, pResult);
}

void CMainStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CMainStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetItemID((int)state.m_nIndex);
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    CStatusBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CMainStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const MainStatusPaneRecord* pRecord = reinterpret_cast<const MainStatusPaneRecord*>(lpDrawItemStruct->itemData);
    if (pRecord == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    pDC->SetTextColor(pRecord->clrText);
    if (pRecord->clrBack == (COLORREF)-1) {
        pDC->SetBkMode(TRANSPARENT);
    } else {
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(pRecord->clrBack);
        pDC->FillSolidRect(&rc, pRecord->clrBack);
    }
    rc.left += 2 + pRecord->cxIcon;
    pDC->DrawText(pRecord->strText, &rc, 0);
}

// ---- The update record.

CMainStatusCmdUI::CMainStatusCmdUI()
{
    m_pMenu = reinterpret_cast<CMenu*>(kMarker);
}

CMainStatusCmdUI* CMainStatusCmdUI::FromCmdUI(CCmdUI* pCmdUI)
{
    if (pCmdUI == nullptr || pCmdUI->m_pMenu != reinterpret_cast<CMenu*>(kMarker))
        return nullptr;
    return static_cast<CMainStatusCmdUI*>(pCmdUI);
}

void CMainStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    UINT nStyle = Bar()->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
    if (!bOn)
        nStyle |= SBPS_DISABLED;
    Bar()->SetPaneStyle((int)m_nIndex, nStyle);
}

void CMainStatusCmdUI::SetCheck(int nCheck)
{
    UINT nStyle = Bar()->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
    if (nCheck != 0)
        nStyle |= SBPS_POPOUT;
    Bar()->SetPaneStyle((int)m_nIndex, nStyle);
}

void CMainStatusCmdUI::SetText(LPCTSTR lpszText)
{
    Bar()->SetPaneTextFitted((int)m_nIndex, lpszText);
}

void CMainStatusCmdUI::SetTooltip(LPCTSTR lpszText)
{
    Bar()->SetPaneTip((int)m_nIndex, lpszText);
}

void CMainStatusCmdUI::SetWidth(int cxWidth)
{
    Bar()->SetPaneWidth((int)m_nIndex, cxWidth);
}

void CMainStatusCmdUI::SetIcon(HICON hIcon)
{
    Bar()->SetPaneIcon((int)m_nIndex, hIcon);
}
