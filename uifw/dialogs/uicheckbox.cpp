#include "uicheckbox.h"
#include "buttonkinds.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "pushbuttonpaintdata.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUiCheckBox, CUiButton)

CUiCheckBox::CUiCheckBox() : m_bPressFlags(0) {}

void CUiCheckBox::OnClick(bool bFromKeyboard, bool bOnDropDownPart)
{
    if (!UiIsCheckKind(m_nLogicalType)) {
        CUiButton::OnClick(bFromKeyboard, bOnDropDownPart);
        return;
    }
    const int nStates = UiIsTriStateKind(m_nLogicalType) ? 3 : 2;
    SendMessage(BM_SETCHECK, (WPARAM)(((int)SendMessage(BM_GETCHECK) + 1) % nStates));
    if (::GetParent(m_hWnd) != NULL)
        NotifyParentAndRepaint();
}

BOOL CUiCheckBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        switch (pMsg->message) {
        case WM_LBUTTONDBLCLK:
            pMsg->message = WM_LBUTTONDOWN;
            m_bPressFlags |= kMouseHeld;
            break;
        case WM_LBUTTONDOWN:
            m_bPressFlags |= kMouseHeld;
            break;
        case WM_LBUTTONUP:
            m_bPressFlags &= ~kMouseHeld;
            break;
        case WM_KEYDOWN:
            if (pMsg->wParam == VK_SPACE)
                m_bPressFlags |= kSpaceHeld;
            else
                m_bPressFlags &= ~kSpaceHeld;
            break;
        case WM_KEYUP:
            m_bPressFlags &= ~kSpaceHeld;
            break;
        default:
            break;
        }
    }
    return CUiButton::PreTranslateMessage(pMsg);
}

void CUiCheckBox::PaintButton(CDC& dc, bool bBackgroundPainted)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    if (pManager == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CString strText;
    GetWindowText(strText);
    const bool bHover = (m_bState & kHover) && !CUiPopupMenuWnd::IsTrackingMenu();
    const bool bPushed = (m_bState & kPushed) || m_nCheck != 0;
    if (!bBackgroundPainted)
        bBackgroundPainted = PaintBackground(dc, bHover, bPushed);
    PushButtonPaintData data(this, TRUE, rcClient, strText, nullptr, (GetStyle() & BS_FLAT) != 0, bHover, bPushed,
                             FALSE, IsEffectivelyEnabled(), (m_bState & kBorder) != 0,
                             ::GetFocus() == m_hWnd && (m_bState & kShowFocus), m_nLogicalType == BS_DEFPUSHBUTTON,
                             m_nTextAlign, GetDialogFont(), FALSE, 0, bBackgroundPainted);
    CopyTextColors(data);
    PaintCheckBox(dc, data);
    pManager->EndPaintSession(this, 0);
}

void CUiCheckBox::PaintCheckBox(CDC& dc, PushButtonPaintData& data)
{
    CRect rc = data.m_rcItem;
    if (rc.IsRectEmpty())
        return;
    if (!data.Has(PushButtonPaintData::kEnabled))
        data.m_bFlags &= ~(PushButtonPaintData::kHover | PushButtonPaintData::kPushed | PushButtonPaintData::kDrawFocus);
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    const DWORD dwStyle = GetStyle();
    const bool bRightSide = (dwStyle & BS_LEFTTEXT) || (GetExStyle() & WS_EX_RIGHT);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);

    CRect rcBox(rc.left, rc.top, rc.left + kBoxSize, rc.top + kBoxSize);
    CRect rcText(rc.left + kBoxSize + kBoxGap, rc.top, rc.right, rc.bottom);
    if (bRightSide) {
        rcBox.OffsetRect(rc.right - kBoxSize - rcBox.left, 0);
        rcText.SetRect(rc.left + 1, rc.top, rcBox.left - 2, rc.bottom);
    }
    rcText.DeflateRect(1, 1);

    const CString strText = data.Text();
    CRect rcBounds = rcText;
    if (!strText.IsEmpty() && !rcText.IsRectEmpty()) {
        const bool bEnabled = data.Has(PushButtonPaintData::kEnabled);
        const bool bHover = data.Has(PushButtonPaintData::kHover);
        const bool bPushed = data.Has(PushButtonPaintData::kPushed);
        COLORREF clr;
        if (!bEnabled) {
            clr = m_clrTextDisabled != (COLORREF)-1 ? m_clrTextDisabled : pManager->GetColor(COLOR_BTNSHADOW);
        } else {
            clr = (COLORREF)-1;
            if (bPushed && bHover)
                clr = m_clrTextPressed;
            if (clr == (COLORREF)-1 && bHover)
                clr = m_clrTextHover;
            if (clr == (COLORREF)-1)
                clr = m_clrTextNormal;
            if (clr == (COLORREF)-1)
                clr = pManager->GetColor(COLOR_BTNTEXT);
        }
        HFONT hFont = data.m_hFont != NULL ? data.m_hFont : (HFONT)pManager->m_fontNormal.GetSafeHandle();
        HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
        const COLORREF clrOld = dc.SetTextColor(clr);
        const UINT nLines = (dwStyle & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        dc.DrawText(strText, &rcBounds, DT_CALCRECT | nLines);
        const int cx = std::min(rcBounds.Width(), rcText.Width());
        const int cy = std::min(rcBounds.Height(), rcText.Height());
        UINT nFormat = nLines;
        int x = rcText.left;
        if ((dwStyle & BS_CENTER) == BS_RIGHT) {
            nFormat |= DT_RIGHT;
            x = rcText.right - cx;
        } else if ((dwStyle & BS_CENTER) == BS_CENTER) {
            nFormat |= DT_CENTER;
            x = rcText.left + (rcText.Width() - cx) / 2;
        }
        int y = rcText.top + (rcText.Height() - cy) / 2;
        if ((dwStyle & BS_VCENTER) == BS_BOTTOM) {
            nFormat |= DT_BOTTOM;
            y = rcText.bottom - cy;
        } else if ((dwStyle & BS_VCENTER) == BS_TOP) {
            y = rcText.top;
        } else if (!(dwStyle & BS_MULTILINE)) {
            nFormat |= DT_VCENTER;
        }
        rcBounds.SetRect(x, y, x + cx, y + cy);
        if ((dwStyle & BS_VCENTER) == BS_BOTTOM)
            rcBox.OffsetRect(0, rcBounds.bottom - rcBox.bottom);
        else if ((dwStyle & BS_VCENTER) != BS_TOP)
            rcBox.OffsetRect(0, rc.top + (rc.Height() - kBoxSize) / 2 - rcBox.top);
        CRect rcDraw = (nFormat & DT_SINGLELINE) ? rcText : rcBounds;
        dc.DrawText(strText, &rcDraw, nFormat);
        dc.SetTextColor(clrOld);
        if (hOldFont != NULL)
            ::SelectObject(dc.GetSafeHdc(), hOldFont);
        if (data.Has(PushButtonPaintData::kDrawFocus)) {
            CRect rcFocus = rcBounds;
            rcFocus.InflateRect(2, 2);
            rcFocus.IntersectRect(&rcFocus, &rc);
            dc.DrawFocusRect(&rcFocus);
        }
    }
    dc.SetBkMode(nOldMode);
    DrawCheckMark(dc, rcBox, data);
}

int CUiCheckBox::MarkLookOf(const PushButtonPaintData& data) const
{
    return UiMarkLook(data.Has(PushButtonPaintData::kEnabled), data.Has(PushButtonPaintData::kHover),
                      (m_bPressFlags & kMouseHeld) != 0, (m_bPressFlags & kSpaceHeld) != 0);
}

void CUiCheckBox::DrawFrameMark(CDC& dc, const CRect& rcBox, UINT nKind, int nLook) const
{
    UINT nState = nKind;
    if (nLook == kUiMarkDisabled)
        nState |= DFCS_INACTIVE;
    if (nLook == kUiMarkPressed)
        nState |= DFCS_PUSHED;
    if (m_nCheck != 0)
        nState |= DFCS_CHECKED;
    if (GetStyle() & BS_FLAT)
        nState |= DFCS_FLAT;
    CRect rcMark = rcBox;
    ::DrawFrameControl(dc.GetSafeHdc(), &rcMark, DFC_BUTTON, nState);
}

void CUiCheckBox::DrawCheckMark(CDC& dc, const CRect& rcBox, const PushButtonPaintData& data)
{
    const int nLook = MarkLookOf(data);
    if (!PaintCheckBoxHook(dc, rcBox, UiCheckBoxStateIndex(nLook, m_nCheck)))
        DrawFrameMark(dc, rcBox, DFCS_BUTTONCHECK, nLook);
}

bool CUiCheckBox::PaintCheckBoxHook(CDC&, const CRect&, int)
{
    return false;
}
