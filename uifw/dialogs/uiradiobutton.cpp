#include "uiradiobutton.h"
#include "buttonkinds.h"
#include "pushbuttonpaintdata.h"

IMPLEMENT_DYNCREATE(CUiRadioButton, CUiCheckBox)

namespace {

// The framework radio button of a radio type behind a window, or null.
CUiRadioButton* RadioOf(HWND hWnd)
{
    CUiRadioButton* pRadio = dynamic_cast<CUiRadioButton*>(CWnd::FromHandlePermanent(hWnd));
    return pRadio != nullptr && UiIsRadioKind(pRadio->m_nLogicalType) ? pRadio : nullptr;
}

void AddTabStop(HWND hWnd, bool bAdd)
{
    const LONG lStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    ::SetWindowLongA(hWnd, GWL_STYLE, bAdd ? (lStyle | WS_TABSTOP) : (lStyle & ~WS_TABSTOP));
}

} // namespace

bool CUiRadioButton::PaintRadioHook(CDC&, const CRect&, int)
{
    return false;
}

LRESULT CUiRadioButton::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_GETDLGCODE)
        return CUiCheckBox::WindowProc(nMsg, wParam, lParam) | DLGC_RADIOBUTTON;
    return CUiCheckBox::WindowProc(nMsg, wParam, lParam);
}

void CUiRadioButton::ClearGroup()
{
    if (!IsWindowEnabled())
        return;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return;
    for (HWND hWalk = ::GetNextDlgGroupItem(hParent, m_hWnd, FALSE); hWalk != NULL && hWalk != m_hWnd;
         hWalk = ::GetNextDlgGroupItem(hParent, hWalk, FALSE)) {
        CUiRadioButton* pRadio = RadioOf(hWalk);
        if (pRadio == nullptr || pRadio->m_nCheck != 1)
            continue;
        pRadio->SendMessage(BM_SETCHECK, 0);
        AddTabStop(hWalk, false);
        pRadio->Repaint();
    }
}

void CUiRadioButton::OnClick(bool bFromKeyboard, bool bOnDropDownPart)
{
    if (!UiIsRadioKind(m_nLogicalType)) {
        CUiCheckBox::OnClick(bFromKeyboard, bOnDropDownPart);
        return;
    }
    if (m_nCheck == 0) {
        ClearGroup();
        SendMessage(BM_SETCHECK, 1);
    }
    AddTabStop(m_hWnd, true);
    if (::GetParent(m_hWnd) != NULL)
        NotifyParentAndRepaint();
}

bool CUiRadioButton::MoveInGroup(bool bNext)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return false;
    CUiRadioButton* pTarget = nullptr;
    for (HWND hWalk = ::GetNextDlgGroupItem(hParent, m_hWnd, bNext ? FALSE : TRUE); hWalk != NULL && hWalk != m_hWnd;
         hWalk = ::GetNextDlgGroupItem(hParent, hWalk, bNext ? FALSE : TRUE)) {
        CUiRadioButton* pRadio = RadioOf(hWalk);
        if (pRadio != nullptr && ::IsWindowVisible(hWalk) && ::IsWindowEnabled(hWalk)) {
            pTarget = pRadio;
            break;
        }
    }
    if (pTarget == nullptr || pTarget->m_nCheck != 0)
        return false;
    // As a click does: a group never ends with two checked buttons.
    pTarget->ClearGroup();
    pTarget->SendMessage(BM_SETCHECK, 1);
    AddTabStop(pTarget->m_hWnd, true);
    pTarget->SetFocus();
    ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(pTarget->GetDlgCtrlID(), BN_CLICKED), (LPARAM)pTarget->m_hWnd);
    return true;
}

BOOL CUiRadioButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN && ::GetParent(m_hWnd) != NULL) {
        const bool bPrevious = pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP;
        const bool bNext = pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_DOWN;
        if ((bPrevious || bNext) && MoveInGroup(bNext))
            return TRUE;
    }
    return CUiCheckBox::PreTranslateMessage(pMsg);
}

void CUiRadioButton::DrawCheckMark(CDC& dc, const CRect& rcBox, const PushButtonPaintData& data)
{
    const int nLook = MarkLookOf(data);
    if (!PaintRadioHook(dc, rcBox, UiRadioStateIndex(nLook, m_nCheck)))
        DrawFrameMark(dc, rcBox, DFCS_BUTTONRADIO, nLook);
}
