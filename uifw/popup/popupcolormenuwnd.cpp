#include "popupcolormenuwnd.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "pushbuttonpaintdata.h"
#include "popuptrackingstate.h"
#include "resourcemanager.h"

IMPLEMENT_DYNCREATE(CUiPopupColorMenuWnd, CUiPopupMenuWnd)

const UINT CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged =
    ::RegisterWindowMessageA("CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged");
const UINT CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally =
    ::RegisterWindowMessageA("CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally");
const UINT CUiPopupColorMenuWnd::g_nMsgNotifyCustColor =
    ::RegisterWindowMessageA("CUiPopupColorMenuWnd::g_nMsgNotifyCustColor");

BEGIN_MESSAGE_MAP(CUiPopupColorMenuWnd, CUiPopupMenuWnd)
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

namespace {

const UINT kIdsCustomColor = 30010;
const UINT kIdsDefaultColor = 30011;
const int kSoundMenuCommand = 3;

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

CString LoadTextOr(UINT nId, LPCSTR lpszDefault)
{
    CString text;
    if (!ResourceManagerHolder::GetResourceManager()->LoadString(text, nId))
        text = lpszDefault;
    return text;
}

bool IsAnyMenuAnimating()
{
    return PopupTrackingState::Get().m_pAnimating != nullptr;
}

CSize MeasureButtonText(CString text)
{
    text.Replace("&", "");
    HDC hScreen = ::GetDC(NULL);
    CDC screen;
    screen.Attach(hScreen);
    CFont* pOldFont = screen.SelectObject(&PaintManager()->m_fontNormal);
    CRect rc(0, 0, 0, 0);
    screen.DrawText(text, &rc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    screen.SelectObject(pOldFont);
    screen.Detach();
    ::ReleaseDC(NULL, hScreen);
    return rc.Size();
}

}  // namespace

CUiPopupColorMenuWnd::CUiPopupColorMenuWnd()
    : m_hWndNotify(NULL), m_lCookie(0), m_pResult(nullptr), m_clrDefault(0), m_clrInitial((COLORREF)-1),
      m_dwOptions(kShowDefaultButton | kShowCustomButton),
      m_strDefaultText(LoadTextOr(kIdsDefaultColor, "Default Color")),
      m_strCustomText(LoadTextOr(kIdsCustomColor, "Custom Color ...")), m_nChosen(PopupColorGrid::kChosenNone),
      m_nCurrent(-1)
{
}

CUiPopupColorMenuWnd::~CUiPopupColorMenuWnd() = default;

CSize CUiPopupColorMenuWnd::CalcMenuSize() const
{
    PopupColorGrid::Metrics metrics;
    metrics.nMargin = GetItemMargin();
    metrics.nShadow = GetShadowSize();
    metrics.nBorder = PaintManager()->GetMenuBorderSize();
    metrics.nLeftBand = m_cxLeftArea;
    const bool bDefault = (m_dwOptions & kShowDefaultButton) != 0;
    const bool bCustom = (m_dwOptions & kShowCustomButton) != 0;
    m_grid.Layout(metrics, bDefault, bDefault ? MeasureButtonText(m_strDefaultText) : CSize(0, 0), bCustom,
                  bCustom ? MeasureButtonText(m_strCustomText) : CSize(0, 0));
    return m_grid.GetSize();
}

void CUiPopupColorMenuWnd::PaintContent(CDC& dc, BOOL bToWindow)
{
    // The menu's own painting gives the background, border, left band and shadow; with no
    // items it draws nothing else.
    CUiPopupMenuWnd::PaintContent(dc, bToWindow);
    CUiPaintManager* pPM = PaintManager();
    CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
    const HFONT hFont = (HFONT)pPM->m_fontNormal.GetSafeHandle();
    const int b = pPM->GetMenuBorderSize();
    auto paintButton = [&](const CRect& rc, LPCSTR lpszText, bool bHover, bool bPushed) {
        PushButtonPaintData data(this, TRUE, rc, lpszText, nullptr, TRUE, bHover, bPushed, FALSE, TRUE, FALSE, FALSE,
                                 FALSE, 5, hFont, FALSE, 0, FALSE);
        pPM->PaintPushButton(dc, data);
    };
    if (m_grid.HasDefaultButton()) {
        const CRect& rc = m_grid.GetDefaultButtonRect();
        paintButton(rc, m_strDefaultText, m_nChosen == PopupColorGrid::kChosenDefault, false);
        const int top = rc.bottom + 3 + b / 2;
        pPM->PaintSeparator(dc, CRect(rc.left, top, rc.right, top + 1), TRUE, FALSE, this, 0);
    }
    if (m_grid.HasCustomButton()) {
        const CRect& rc = m_grid.GetCustomButtonRect();
        paintButton(rc, m_strCustomText, m_nChosen == PopupColorGrid::kChosenCustom, false);
        const int top = rc.top - 3 - b + b / 2;
        pPM->PaintSeparator(dc, CRect(rc.left, top, rc.right, top + 1), TRUE, FALSE, this, 0);
    }
    const COLORREF clrFrame = pPM->GetColor(21);
    for (int i = 0; i < PopupColorGrid::kColorCount; ++i) {
        CRect rc = GetCellRect(i);
        const bool bMarked = i == m_nChosen || i == m_nCurrent;
        paintButton(rc, nullptr, bMarked, bMarked);
        rc.DeflateRect(2, 2);
        dc.FillSolidRect(rc, PopupColorGrid::Entry(i).clr);
        dc.Draw3dRect(rc, clrFrame, clrFrame);
    }
    dc.SelectObject(pOldFont);
}

BOOL CUiPopupColorMenuWnd::CreateMenuWindow(HWND hWndOwner)
{
    if (!CUiPopupMenuWnd::CreateMenuWindow(hWndOwner))
        return FALSE;
    const int nIndex = PopupColorGrid::FindColorIndex(m_clrInitial);
    if (nIndex >= 0) {
        m_nCurrent = nIndex;
        Invalidate(FALSE);
    }
    CRect rcContent;
    GetContentRect(rcContent);
    m_grid.PlaceInWindow(rcContent.TopLeft());
    return TRUE;
}

CRect CUiPopupColorMenuWnd::GetCellRect(int nIndex) const
{
    return m_grid.GetCellRect(nIndex);
}

int CUiPopupColorMenuWnd::HitTestColor(CPoint pt) const
{
    return m_grid.HitTest(pt);
}

int CUiPopupColorMenuWnd::HitTestItem(CPoint, bool* pbOnEdit, bool* pbOnArrow) const
{
    if (pbOnEdit != nullptr)
        *pbOnEdit = false;
    if (pbOnArrow != nullptr)
        *pbOnArrow = false;
    return -1;
}

void CUiPopupColorMenuWnd::NotifyColor(bool bFinal)
{
    const PopupColorGrid::Notification n = PopupColorGrid::Decide(m_nChosen, bFinal, m_clrDefault);
    if (n.kind == PopupColorGrid::NotifyNone)
        return;
    if (n.bStoreResult && m_pResult != nullptr)
        *m_pResult = n.clrResult;
    const HWND hWndTarget = m_hWndNotify != NULL ? m_hWndNotify : GetOwnerHwnd();
    UINT nMsg = g_nMsgNotifyColorChanged;
    if (n.kind == PopupColorGrid::NotifyChangedFinally)
        nMsg = g_nMsgNotifyColorChangedFinally;
    else if (n.kind == PopupColorGrid::NotifyCustColor)
        nMsg = g_nMsgNotifyCustColor;
    ::PostMessageA(hWndTarget, nMsg, n.wParam, m_lCookie);
}

void CUiPopupColorMenuWnd::ChooseAndEnd(int nIndex)
{
    const HWND hWnd = m_hWnd;
    if ((nIndex >= 0 || nIndex == PopupColorGrid::kChosenDefault || nIndex == PopupColorGrid::kChosenCustom) &&
        !IsNestedTracking()) {
        m_nChosen = nIndex;
        NotifyColor(true);
        PlaySoundEvent(kSoundMenuCommand);
    }
    if (::IsWindow(hWnd))
        EndTrackingWithCommand(0, NULL);
}

BOOL CUiPopupColorMenuWnd::OnTrackMouseMove(UINT message, CPoint pt, bool& bPassOn)
{
    if (!::IsWindow(m_hWnd) || IsAnyMenuAnimating())
        return FALSE;
    CPoint ptScreen(pt);
    ClientToScreen(&ptScreen);
    const HWND hUnder = ::WindowFromPoint(ptScreen);
    if (hUnder != NULL && hUnder != m_hWnd && ::IsChild(m_hWnd, hUnder))
        return FALSE;
    if (!IsPointOverWindow(pt))
        return CUiPopupMenuWnd::OnTrackMouseMove(message, pt, bPassOn);
    const int nIndex = HitTestColor(pt);
    const bool bChanged = nIndex != m_nChosen;
    if (bChanged) {
        m_nChosen = nIndex;
        Invalidate(FALSE);
        if (nIndex != PopupColorGrid::kChosenCustom)
            NotifyColor(false);
    }
    if (m_nChosen < 0) {
        HideTip(FALSE);
    } else if (bChanged && g_bMenuTips && GetTrackingState().m_pFocused == this && !IsAnyMenuAnimating()) {
        CRect rcCell = GetCellRect(m_nChosen);
        ClientToScreen(rcCell);
        m_wndTip.SetText(PopupColorGrid::Entry(m_nChosen).pszName);
        m_wndTip.ShowTipAt(this, rcCell);
    }
    return TRUE;
}

BOOL CUiPopupColorMenuWnd::OnTrackMouseClick(UINT message, CPoint pt, bool&)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    if (IsAnyMenuAnimating())
        return TRUE;
    const bool bRelease = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
    if ((m_bBaseFlags & kHasExclude) != 0 && m_pParent == nullptr) {
        CPoint ptScreen(pt);
        ClientToScreen(&ptScreen);
        if (m_rcExclude.PtInRect(ptScreen)) {
            if (!bRelease && (m_bBaseFlags & kJoined) != 0) {
                CloseMenu(FALSE);
                return TRUE;
            }
            // The release of the very click that opened the menu over its button: without
            // this, a plain click on a colour button would open the menu and shut it again.
            if (bRelease && HitTestColor(pt) == PopupColorGrid::kChosenNone)
                return TRUE;
        }
    }
    if (!bRelease)
        return FALSE;
    ChooseAndEnd(HitTestColor(pt));
    return TRUE;
}

BOOL CUiPopupColorMenuWnd::OnTrackKeyDown(UINT nChar, UINT, UINT, bool&)
{
    if (!::IsWindow(m_hWnd) || IsAnyMenuAnimating())
        return TRUE;
    switch (nChar) {
    case VK_RETURN:
        ChooseAndEnd(m_nChosen);
        return TRUE;
    case VK_MENU:
    case VK_ESCAPE:
        EndTrackingWithCommand(0, NULL);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        m_nChosen = PopupColorGrid::MoveInGrid(m_nChosen, nChar);
        HideTip(FALSE);
        Invalidate(FALSE);
        NotifyColor(false);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CUiPopupColorMenuWnd::IsSubmenuOpenAllowed() const
{
    return !IsContextHelpMode() && !IsNestedTracking();
}

void CUiPopupColorMenuWnd::OnPaletteChanged(CWnd* pFocusWnd)
{
    CUiPopupMenuWnd::OnPaletteChanged(pFocusWnd);
    if (pFocusWnd == nullptr || pFocusWnd->GetSafeHwnd() != m_hWnd)
        Invalidate(FALSE);
}
