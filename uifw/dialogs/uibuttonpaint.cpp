// CUiButton: painting through the paint manager, off-screen, and under a joined menu.
#include "uibutton.h"
#include "afxext.h"
#include "buttonkinds.h"
#include "cmdicon.h"
#include "memorydc.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "pushbuttonpaintdata.h"

void CUiButton::PaintBuffered(HDC hDC)
{
    if (hDC == NULL || !::IsWindow(m_hWnd))
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CDC* pTarget = CDC::FromHandle(hDC);
    CUiMemoryDC dc(pTarget, &rcClient);
    PaintButton(dc, false);
}

void CUiButton::PaintButton(CDC& dc, bool bBackgroundPainted)
{
    PaintFace(dc, bBackgroundPainted, NULL, false);
}

void CUiButton::PaintFace(CDC& dc, bool bBackgroundPainted, HICON hIconOverride, bool bColorSample)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CString strText;
    GetWindowText(strText);

    const bool bTracking = CUiPopupMenuWnd::IsTrackingMenu() != FALSE;
    bool bFocus = ::GetFocus() == m_hWnd && (m_bState & kShowFocus);
    if (bColorSample)
        bFocus = bFocus && !bTracking && !strText.IsEmpty();
    const bool bDefault = m_nLogicalType == BS_DEFPUSHBUTTON;
    bool bPushed = (m_bState & kPushed) != 0;
    const BOOL bEnabled = IsEffectivelyEnabled();
    bool bFlat = (GetStyle() & BS_FLAT) != 0;
    const bool bHover = (m_bState & kHover) && !bTracking;
    HICON hIcon = hIconOverride != NULL ? hIconOverride : (bHover ? m_hIconHover : m_hIconNormal);

    CUiCmdIcon icon;
    if (UiIsCheckKind(m_nLogicalType)) {
        if (GetStyle() & BS_PUSHLIKE) {
            if (m_nCheck != 0)
                bPushed = true;
        } else {
            bFocus = false;
            bFlat = true;
            hIcon = NULL;
            const COLORREF clrKey = RGB(255, 0, 255);
            if (m_nCheck == 0)
                icon.CreateBlankBitmap(clrKey, 24, 16);
            else if (UiIsRadioKind(m_nLogicalType))
                icon.CreateRadioBitmap(pManager->GetColor(1010), clrKey, 24, 16);
            else
                icon.CreateCheckMarkBitmap(pManager->GetColor(1010), clrKey, 24, 16);
        }
    }
    if (hIcon != NULL)
        icon.AssignFromHICON(hIcon, true);

    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        bFocus = false;
        bFlat = true;
    }

    if (!bBackgroundPainted)
        bBackgroundPainted = PaintBackground(dc, bHover, bPushed);

    PushButtonPaintData data(this, TRUE, rcClient, strText, icon.IsEmpty() ? nullptr : &icon, bFlat, bHover,
                             bPushed, FALSE, bEnabled, (m_bState & kBorder) && !(bColorSample && bTracking), bFocus,
                             bDefault, m_nTextAlign, bColorSample ? NULL : GetDialogFont(), HasDropDownMenu(), 0,
                             bBackgroundPainted);
    if (m_bState & kSplit) {
        data.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown;
        if (bPushed && m_nPressedPart == kUiPartDropDown) {
            data.m_bFlags &= ~PushButtonPaintData::kPushed;
            data.m_bFlags2 |= PushButtonPaintData::kDropDownPushed;
        }
    }
    CopyTextColors(data);
    pManager->PaintPushButton(dc, data);
}

bool CUiButton::PaintBackground(CDC& dc, bool bHover, bool bPushed)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (!bHover && !bPushed && pManager->HasThemedBackground(this, 0)) {
        ExcludeChildWindowsFromClip(dc.GetSafeHdc(), m_hWnd, ChildClassExcludeFilterProc, 0);
        if (pManager->PaintThemedBackground(dc, this, 0))
            return true;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, pManager->GetColor(kFirstExtendedColorId));
    return false;
}

void CUiButton::CopyTextColors(PushButtonPaintData& data) const
{
    data.m_clrForced[PushButtonPaintData::kForcedDisabled] = m_clrTextDisabled;
    data.m_clrForced[PushButtonPaintData::kForcedNormal] = m_clrTextNormal;
    data.m_clrForced[PushButtonPaintData::kForcedHover] = m_clrTextHover;
    data.m_clrForced[PushButtonPaintData::kForcedPressed] = m_clrTextPressed;
}

void CUiButton::PaintCombinedContent(LPVOID pCookie, CDC& dc, CWnd* pMenu, const RECT& rcExclude, int)
{
    CUiButton* pButton = static_cast<CUiButton*>(pCookie);
    if (pButton == nullptr || pMenu == nullptr || ::IsRectEmpty(&rcExclude) || !::IsWindow(pButton->m_hWnd))
        return;
    POINT ptButton = {0, 0}, ptMenu = {0, 0};
    ::ClientToScreen(pButton->m_hWnd, &ptButton);
    ::ClientToScreen(pMenu->GetSafeHwnd(), &ptMenu);
    POINT ptOld;
    ::OffsetViewportOrgEx(dc.GetSafeHdc(), ptButton.x - ptMenu.x, ptButton.y - ptMenu.y, &ptOld);
    pButton->PaintButton(dc, true);
    ::SetViewportOrgEx(dc.GetSafeHdc(), ptOld.x, ptOld.y, NULL);
}
