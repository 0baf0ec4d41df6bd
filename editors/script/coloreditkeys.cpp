// ColorEditWnd: keys, typed characters and the accelerators.
//
// Navigation keys move the caret through the model; Shift keeps the anchor where it was, so
// any navigation key extends the selection. Every edit is one model action (one undo step and
// one EN_CHANGE) and none happens while the editor is read-only.
#include "coloreditwnd.h"
#include <algorithm>

BOOL ColorEditWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bAccelEnabled && m_hAccel != NULL && pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd &&
        ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void ColorEditWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nChar) {
    case VK_BACK:
    case VK_DELETE:
        UpdateCaret(FALSE);
        if (!m_bReadOnly) {
            if (nChar == VK_BACK)
                m_model.KeyBackspace();
            else
                m_model.KeyDelete();
            ApplyRefresh();
        }
        break;
    case VK_RETURN:
        // Plain Enter arrives as WM_CHAR 13; Ctrl+Enter does not, so it is made into one.
        if (bCtrl && !m_bReadOnly)
            PostMessage(WM_CHAR, 13, 0);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        UpdateCaret(FALSE);
        UpdateAnchor(TRUE);
        const int nLine = nChar == VK_PRIOR ? m_model.PageUp(VisibleLines()) : m_model.PageDown(VisibleLines());
        ScrollToLine(nLine);
        break;
    }
    case VK_END:
    case VK_HOME:
        UpdateCaret(FALSE);
        if (nChar == VK_END)
            m_model.MoveEnd(bCtrl);
        else
            m_model.MoveHome(bCtrl);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        UpdateCaret(FALSE);
        UpdateAnchor(TRUE);
        if (nChar == VK_LEFT)
            m_model.MoveLeft(bCtrl);
        else if (nChar == VK_RIGHT)
            m_model.MoveRight(bCtrl);
        else if (nChar == VK_UP)
            m_model.MoveUp();
        else
            m_model.MoveDown();
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    EnsureCaretVisible();
    UpdateAnchor(TRUE);
    HasSelection();
    UpdateCaret(TRUE);
}

void ColorEditWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bReadOnly || nChar == 8) {
        CWnd::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    UpdateCaret(FALSE);
    m_model.TypeChar(nChar);
    ApplyRefresh();
    EnsureCaretVisible();
    if (HasSelection()) {
        const ColorEditPos anchor = m_model.GetAnchor();
        const ColorEditPos caret = m_model.GetCaret();
        InvalidateLines(std::min(anchor.line, caret.line) - 1, std::max(anchor.line, caret.line) + 1);
    }
    UpdateCaret(TRUE);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}
