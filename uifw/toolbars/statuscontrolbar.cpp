#include "statuscontrolbar.h"

#include "afxframe.h"
#include "cmdicon.h"
#include "cmdmanager.h"
#include "controlbar.h"
#include "dockbar.h"
#include "memorydc.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "statuspanepaintdata.h"
#include "toolcontrolbar.h"
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CUiStatusControlBar, CStatusBar)

BEGIN_MESSAGE_MAP(CUiStatusControlBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

} // namespace

CUiStatusControlBar::CUiStatusControlBar()
    : m_mapExtraData(10), m_bOptions(kThemed | kHideDisabledText), m_nDefaultTextFormat(kDefaultTextFormat),
      m_clrBackground((COLORREF)-1), m_clrText(0), m_clrTextDisabled(0), m_bFlags(0)
{
    m_mapExtraData.InitHashTable(17);
}

CUiStatusControlBar::~CUiStatusControlBar()
{
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i) {
        _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneControls[i];
        if (::IsWindow(pCtrl->m_hWnd)) {
            ::ShowWindow(pCtrl->m_hWnd, SW_HIDE);
            if (pCtrl->m_bAutoDestroy)
                ::DestroyWindow(pCtrl->m_hWnd);
        }
        delete pCtrl;
    }
    m_arrPaneControls.RemoveAll();
    m_mapExtraData.RemoveAll();
}

// ---- Extra data and pane controls.

UINT CUiStatusControlBar::GetPaneTextFormat(int nIndex) const
{
    _ED_ data;
    if (nIndex >= 0 && nIndex < GetCount() && m_mapExtraData.Lookup(GetItemID(nIndex), data))
        return data.m_nTextFormat;
    return m_nDefaultTextFormat;
}

CString CUiStatusControlBar::GetPaneTipText(int nIndex) const
{
    _ED_ data;
    if (nIndex >= 0 && nIndex < GetCount() && m_mapExtraData.Lookup(GetItemID(nIndex), data))
        return data.m_strTipText;
    return CString();
}

CUiStatusControlBar::_ED_* CUiStatusControlBar::PaneExtraData(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    const UINT nID = GetItemID(nIndex);
    _ED_ data;
    if (!m_mapExtraData.Lookup(nID, data)) {
        data.m_nTextFormat = m_nDefaultTextFormat;
        m_mapExtraData.SetAt(nID, data);
    }
    return &m_mapExtraData[nID];
}

bool CUiStatusControlBar::SetPaneTextFormat(int nIndex, UINT nFormat)
{
    _ED_* pData = PaneExtraData(nIndex);
    if (pData == nullptr)
        return false;
    pData->m_nTextFormat = nFormat;
    return true;
}

bool CUiStatusControlBar::SetPaneTipText(int nIndex, LPCSTR lpszTip)
{
    _ED_* pData = PaneExtraData(nIndex);
    if (pData == nullptr)
        return false;
    pData->m_strTipText = lpszTip != nullptr ? lpszTip : "";
    return true;
}

bool CUiStatusControlBar::AddPaneControl(HWND hWnd, UINT nPaneId, bool bAutoDestroy)
{
    if (!::IsWindow(hWnd))
        return false;
    m_arrPaneControls.Add(new _STATUSBAR_PANE_CTRL_{hWnd, nPaneId, bAutoDestroy});
    if (::IsWindow(m_hWnd))
        RepositionPaneControls();
    return true;
}

bool CUiStatusControlBar::RemovePaneControl(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i) {
        if (m_arrPaneControls[i]->m_hWnd == hWnd) {
            delete m_arrPaneControls[i];
            m_arrPaneControls.RemoveAt(i);
            return true;
        }
    }
    return false;
}

void CUiStatusControlBar::GetPaneRect(int nIndex, CRect& rc) const
{
    GetItemRect(nIndex, rc);
    if (nIndex != GetCount() - 1 || rc.IsRectEmpty())
        return;
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    GetPaneInfo(nIndex, nID, nStyle, cxWidth);
    if ((nStyle & SBPS_STRETCH) != 0) {
        CRect rcClient;
        GetClientRect(rcClient);
        rc.right = rcClient.right;
        if ((GetStyle() & SBARS_SIZEGRIP) != 0)
            rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
    } else {
        rc.right = rc.left + cxWidth + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
}

void CUiStatusControlBar::RepositionPaneControls()
{
    if (m_arrPaneControls.GetSize() == 0 || !::IsWindow(m_hWnd))
        return;
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    HDWP hDWP = ::BeginDeferWindowPos((int)m_arrPaneControls.GetSize());
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i) {
        const _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneControls[i];
        const int nIndex = CommandToIndex(pCtrl->m_nPaneId);
        if (nIndex < 0 || !::IsWindow(pCtrl->m_hWnd))
            continue;
        CRect rc;
        GetPaneRect(nIndex, rc);
        if ((GetPaneStyle(nIndex) & SBPS_NOBORDERS) == 0 && (m_bOptions & kSeparators) == 0)
            rc.DeflateRect(cxEdge, cxEdge);
        else
            rc.DeflateRect(cxEdge, 1);
        if (hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, pCtrl->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), 0x374);
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

// ---- Painting.

void CUiStatusControlBar::UpdateColors()
{
    CUiPaintManager* pPaint = PaintManager();
    if (pPaint == nullptr)
        return;
    const COLORREF clrBack = pPaint->GetColor(1000);
    if (clrBack != m_clrBackground) {
        m_clrBackground = clrBack;
        if (::IsWindow(m_hWnd))
            DefWindowProc(SB_SETBKCOLOR, 0, (LPARAM)clrBack);
    }
    m_clrText = pPaint->GetColor(COLOR_BTNTEXT);
    m_clrTextDisabled = pPaint->GetColor(COLOR_BTNSHADOW);
}

void CUiStatusControlBar::EraseBackground(CDC& dc, const CRect& rc)
{
    const bool bThemed = (m_bOptions & kThemed) != 0;
    CUiPaintManager* pPaint = PaintManager();
    if (bThemed && pPaint->HasThemedBackground(this, 0) && pPaint->PaintThemedBackground(dc, this, 0))
        return;
    dc.FillSolidRect(rc, m_clrBackground);
    if (!bThemed)
        DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
}

void CUiStatusControlBar::PrePaintPane(CDC&, int, const CRect&, LPCSTR)
{
}

COLORREF CUiStatusControlBar::GetPaneTextColor(int) const
{
    return (COLORREF)-1;
}

bool CUiStatusControlBar::IsGripperVisible() const
{
    return true;
}

void CUiStatusControlBar::DrawPane(CDC& dc, int nIndex, const CRect& rc, UINT nStyle, HICON hIcon,
                                   LPCSTR lpszText, UINT nFormat)
{
    const bool bThemed = (m_bOptions & kThemed) != 0;
    const bool bDisabled = (nStyle & SBPS_DISABLED) != 0;
    CUiPaintManager* pPaint = PaintManager();
    if (bThemed) {
        CRect rcText(rc);
        if (hIcon != NULL) {
            CUiCmdIcon icon;
            icon.AssignFromHICON(hIcon, true);
            const CSize size = icon.GetSize();
            icon.Paint(&dc, CPoint(rc.left + 1, rc.top + (rc.Height() - size.cy) / 2));
            rcText.left += size.cx + 1;
        }
        const bool bEmpty = lpszText == nullptr || *lpszText == '\0';
        if (!bEmpty && !(bDisabled && (m_bOptions & kHideDisabledText) != 0)) {
            rcText.DeflateRect(2, 0);
            if (!rcText.IsRectEmpty()) {
                COLORREF clr = GetPaneTextColor(nIndex);
                if (clr == (COLORREF)-1 && bDisabled)
                    clr = m_clrTextDisabled;
                const COLORREF clrOld = clr != (COLORREF)-1 ? dc.SetTextColor(clr) : 0;
                dc.DrawText(lpszText, -1, &rcText, nFormat);
                if (clr != (COLORREF)-1)
                    dc.SetTextColor(clrOld);
            }
        }
    }
    if (!(bThemed && (m_bOptions & kSeparators) != 0)) {
        const bool bBorder =
            nIndex == 0 ? (m_bOptions & kBorderFirstPane) != 0 : (nStyle & SBPS_NOBORDERS) == 0;
        if (bBorder) {
            StatusPanePaintData data(this, StatusPanePaintData::kPane, 0, rc);
            pPaint->PaintStatusPane(dc, data);
        }
    }
    if (!bThemed && (CUiPaintManager::g_dwOptions & 1) != 0) {
        CRect rcFrame(rc);
        rcFrame.DeflateRect(1, 1);
        dc.Draw3dRect(rcFrame, m_clrBackground, m_clrBackground);
    }
}

void CUiStatusControlBar::DrawGripper(CDC& dc, const CRect& rc)
{
    if ((m_bOptions & kThemed) == 0)
        dc.FillSolidRect(rc, m_clrBackground);
    if (!IsGripperVisible())
        return;
    CRect rcGrip(rc);
    rcGrip.OffsetRect(-2, -2);
    PaintManager()->PaintSizeGrip(dc, rcGrip, 0, 0);
}

void CUiStatusControlBar::DrawPaneSeparator(CDC& dc, int, const CRect& rcPrev, const CRect& rcPane)
{
    const CRect rc(rcPrev.right, rcPane.top + 1, rcPane.left, rcPane.bottom - 1);
    PaintManager()->PaintSeparator(dc, rc, TRUE, TRUE, this, 0);
}

void CUiStatusControlBar::PaintBar(CDC& dc)
{
    UpdateColors();
    CUiPaintManager* pPaint = PaintManager();
    CRect rcClient;
    GetClientRect(rcClient);
    EraseBackground(dc, rcClient);

    CRect rcGripper;
    rcGripper.SetRectEmpty();
    CWnd* pParent = GetParent();
    if (pParent != nullptr && !pParent->IsZoomed() && (pParent->GetStyle() & WS_BORDER) != 0) {
        rcGripper = rcClient;
        rcGripper.left = rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL);
        dc.ExcludeClipRect(rcGripper);
    }

    const bool bThemed = (m_bOptions & kThemed) != 0;
    CFont* pOldFont = nullptr;
    int nOldMode = 0;
    COLORREF clrOldText = 0;
    if (bThemed) {
        pOldFont = dc.SelectObject(&pPaint->GetStatusBarFont());
        nOldMode = dc.SetBkMode(TRANSPARENT);
        clrOldText = dc.SetTextColor(m_clrText);
    }
    CRect rcPrev;
    for (int i = 0; i < GetCount(); ++i) {
        CRect rc;
        GetPaneRect(i, rc);
        const UINT nStyle = GetPaneStyle(i);
        HICON hIcon = (m_bOptions & kNoIcons) != 0 ? NULL : (HICON)DefWindowProc(SB_GETICON, (WPARAM)i, 0);
        const CString strText = GetPaneText(i);
        PrePaintPane(dc, i, rc, strText);
        DrawPane(dc, i, rc, nStyle, hIcon, strText, GetPaneTextFormat(i));
        if (bThemed && (m_bOptions & kSeparators) != 0 && i > 0)
            DrawPaneSeparator(dc, i, rcPrev, rc);
        rcPrev = rc;
    }
    if (bThemed) {
        dc.SetTextColor(clrOldText);
        dc.SetBkMode(nOldMode);
        dc.SelectObject(pOldFont);
    }
    if (!rcGripper.IsRectEmpty()) {
        dc.SelectClipRgn(nullptr);
        DrawGripper(dc, rcGripper);
    }
}

void CUiStatusControlBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(rcClient);
    CUiMemoryDC dc(&dcPaint, &rcClient);
    PaintBar(dc);
}

void CUiStatusControlBar::OnNcPaint()
{
    UpdateColors();
    CRect rcWindow, rcClient;
    GetWindowRect(rcWindow);
    GetClientRect(rcClient);
    ClientToScreen(rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    CWindowDC dc(this);
    dc.ExcludeClipRect(rcClient);
    StatusPanePaintData data(this, 1, m_dwStyle, rcWindow);
    PaintManager()->PaintStatusPane(dc, data);
}

// ---- Messages.

int CUiStatusControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CStatusBar::OnCreate(lpcs) == -1)
        return -1;
    EnableToolTips(TRUE);
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetWindowPos(nullptr, 0, 0, 0, 0, 0x51B);
    UpdateColors();
    return 0;
}

LRESULT CUiStatusControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((m_bFlags & kPaintSuppressed) != 0) {
        if (message == WM_PAINT)
            return 0;
        if (message == WM_ERASEBKGND)
            return 1;
    }
    switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
        return OnSystemChange(message, wParam, lParam);
    case WM_SIZE: {
        const LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
        RepositionPaneControls();
        return lResult;
    }
    default:
        return CStatusBar::WindowProc(message, wParam, lParam);
    }
}

LRESULT CUiStatusControlBar::OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    switch (message) {
    case WM_SYSCOLORCHANGE:
        UpdateColors();
        holder.OnSysColorChange(this);
        CmdManagerHolder::OnSysColorChange(this);
        break;
    case WM_SETTINGCHANGE:
        UpdateColors();
        holder.OnSettingChange(this, (UINT)wParam, (LPCSTR)lParam);
        CmdManagerHolder::OnSettingChange(this, (UINT)wParam, (LPCSTR)lParam);
        break;
    case WM_DISPLAYCHANGE:
        holder.OnDisplayChange(this, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
        CmdManagerHolder::OnDisplayChange(this, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    default:
        holder.OnThemeChanged(this, wParam, lParam);
        CmdManagerHolder::OnThemeChanged(this, wParam, lParam);
        break;
    }
    return lResult;
}

LRESULT CUiStatusControlBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != SB_SETTEXTA && message != SB_SETICON)
        return CStatusBar::DefWindowProc(message, wParam, lParam);
    // The control would paint the change in its own look first.
    m_bFlags |= kPaintSuppressed;
    const LRESULT lResult = CStatusBar::DefWindowProc(message, wParam, lParam);
    m_bFlags &= ~kPaintSuppressed;
    if (::IsWindow(m_hWnd)) {
        InvalidateRect(nullptr, FALSE);
        UpdateWindow();
    }
    return lResult;
}

int CUiStatusControlBar::HitTestPane(CPoint point) const
{
    if (!::IsWindow(m_hWnd) || GetCount() == 0)
        return -1;
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    const HWND hUnder = ::WindowFromPoint(ptScreen);
    if (hUnder != m_hWnd && !::IsChild(m_hWnd, hUnder))
        return -1;
    for (int i = 0; i < GetCount(); ++i) {
        CRect rc;
        GetItemRect(i, rc);
        if (rc.PtInRect(point))
            return i;
    }
    return -1;
}

INT_PTR CUiStatusControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (CUiToolControlBar::g_bMenuTracking || CUiPopupMenuWnd::IsTrackingMenu())
        return -1;
    const int nIndex = HitTestPane(point);
    if (nIndex < 0)
        return -1;
    const UINT nID = GetItemID(nIndex);
    if (pTI != nullptr) {
        CRect rc;
        GetItemRect(nIndex, rc);
        pTI->hwnd = m_hWnd;
        pTI->uId = nID;
        pTI->rect = rc;
        const CString strTip = GetPaneTipText(nIndex);
        if (strTip.IsEmpty()) {
            pTI->lpszText = LPSTR_TEXTCALLBACK;
        } else {
            // The tooltip code frees the copy.
            pTI->lpszText = static_cast<LPSTR>(malloc(strTip.GetLength() + 1));
            if (pTI->lpszText != nullptr)
                memcpy(pTI->lpszText, (LPCSTR)strTip, strTip.GetLength() + 1);
        }
    }
    return (INT_PTR)nID;
}

void CUiStatusControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (CUiControlBar::IsFrameInHelpMode(this))
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == nullptr) {
        Default();
        return;
    }
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (pOwner == nullptr || !pMenu->InitRootMenu(pOwner->GetSafeHwnd()) ||
        !CUiDockBar::BuildBarsPopupMenu(pFrame, pMenu, 3, this, WM_CONTEXTMENU, 0) || pMenu->ItemGetCount() == 0) {
        delete pMenu;
        return;
    }
    pOwner->SetFocus();
    if (!pMenu->TrackMenu(0x800, point.x, point.y))
        delete pMenu;
}

LRESULT CUiStatusControlBar::OnNcHitTest(CPoint point)
{
    const LRESULT lResult = CStatusBar::OnNcHitTest(point);
    return IsGripperVisible() ? lResult : HTCLIENT;
}
