// CHexEdit: keys, typed and input-method characters, focus and the system caret.
#include "hexedit.h"

#include <imm.h>

UINT CHexEdit::OnGetDlgCode()
{
    // A dialog host hands every key to the control, Tab included.
    return DLGC_WANTALLKEYS;
}

void CHexEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const HexKeyAction action = m_model.KeyDown(nChar, shift, ctrl);
    ApplyViewChanges();
    switch (action) {
    case HEXKEY_NEXT_CONTROL:
    case HEXKEY_PREVIOUS_CONTROL: {
        CWnd* pOwner = GetParentOwner();
        if (pOwner != NULL && pOwner->m_hWnd != m_hWnd)
            pOwner->SendMessage(WM_NEXTDLGCTL, action == HEXKEY_PREVIOUS_CONTROL ? 1 : 0, 0);
        break;
    }
    case HEXKEY_COPY:
        Copy();
        break;
    case HEXKEY_CUT:
        Cut();
        break;
    case HEXKEY_PASTE:
        Paste();
        break;
    default:
        break;
    }
}

void CHexEdit::OnKeyUp(UINT, UINT, UINT)
{
}

void CHexEdit::OnChar(UINT nChar, UINT, UINT)
{
    m_model.Char(nChar);
    ApplyViewChanges();
}

LRESULT CHexEdit::OnImeChar(WPARAM wParam, LPARAM)
{
    m_model.ImeChar(static_cast<UINT>(wParam));
    ApplyViewChanges();
    return 0;
}

void CHexEdit::OnSetFocus(CWnd*)
{
    RecalcLayout();
    m_model.SetFocus();
    ApplyViewChanges();
}

void CHexEdit::OnKillFocus(CWnd*)
{
    m_model.KillFocus();
    ApplyViewChanges();
}

// ---------------------------------------------------------------------------------------
// System caret

void CHexEdit::CreateSystemCaret()
{
    // The thread has one caret; only the window with the focus may own it.
    if (::GetFocus() != m_hWnd)
        return;
    DestroySystemCaret();
    const SIZE size = m_model.GetCaretSize();
    CreateSolidCaret(size.cx, size.cy);
    m_bHaveCaret = true;
    m_bCaretVisible = false;
}

void CHexEdit::DestroySystemCaret()
{
    if (!m_bHaveCaret)
        return;
    ::DestroyCaret();
    m_bHaveCaret = false;
    m_bCaretVisible = false;
}

void CHexEdit::PlaceCaret()
{
    const HexCaretPlacement& placement = m_model.GetCaretPlacement();
    if (m_bHaveCaret) {
        ::SetCaretPos(placement.x, placement.y);
        // The system counts hides; show and hide only on a change so the count stays at one.
        if (placement.bVisible && !m_bCaretVisible) {
            ShowCaret();
            m_bCaretVisible = true;
        } else if (!placement.bVisible && m_bCaretVisible) {
            HideCaret();
            m_bCaretVisible = false;
        }
    }
    if (::GetFocus() == m_hWnd)
        PlaceImeWindow(placement.x, placement.y);
}

void CHexEdit::PlaceImeWindow(int x, int y)
{
    HIMC himc = ::ImmGetContext(m_hWnd);
    if (himc == NULL)
        return;
    // The composition is written in the control's own font (the control answers no
    // WM_GETFONT); before the first layout it has none and the font is left alone.
    LOGFONTA lf;
    if (m_font.m_hObject != NULL && m_font.GetLogFont(&lf) != 0)
        ::ImmSetCompositionFontA(himc, &lf);
    COMPOSITIONFORM form = {};
    ::ImmGetCompositionWindow(himc, &form);
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos.x = x;
    form.ptCurrentPos.y = y;
    ::ImmSetCompositionWindow(himc, &form);
    ::ImmReleaseContext(m_hWnd, himc);
}
