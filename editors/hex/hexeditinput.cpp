// Hex editor model: keys, mouse and focus. The window passes the key with the state of Shift
// and Ctrl, and the mouse points in client coordinates; what needs the window (clipboard,
// dialog navigation, capture, timer, tooltip) comes back as a key action or view changes.
#include "hexeditmodel.h"

// ---------------------------------------------------------------------------------------
// Keys

HexKeyAction HexEditModel::KeyDown(UINT vk, bool shift, bool ctrl)
{
    if (m_bMouseSelecting)
        return HEXKEY_NONE;
    if (vk == VK_TAB && !ctrl)
        return shift ? HEXKEY_PREVIOUS_CONTROL : HEXKEY_NEXT_CONTROL;
    if (!HasData())
        return HEXKEY_NONE;
    HexKeyAction action = HEXKEY_NONE;
    if (ctrl && shift) {
        // Ctrl+Shift combinations do nothing.
    } else if (ctrl) {
        action = CtrlKey(vk);
    } else if (shift) {
        action = ShiftKey(vk);
    } else {
        bool handled = false;
        PlainKey(vk, handled);
        if (handled && !HasNoSelection()) {
            ClearSelection();
            UpdateCaretPos();
        }
    }
    Changed(HEXVIEW_REDRAW);
    return action;
}

void HexEditModel::PlainKey(UINT vk, bool& handled)
{
    handled = true;
    const int column = m_nCaret % kHexBytesPerLine;
    switch (vk) {
    case VK_LEFT:
        MoveCaret(-1, 0, false);
        break;
    case VK_RIGHT:
        MoveCaret(1, 0, false);
        break;
    case VK_UP:
        MoveCaret(0, -1, false);
        break;
    case VK_DOWN:
        MoveCaret(0, 1, false);
        break;
    case VK_PRIOR:
        MoveCaret(0, -m_layout.nVisibleRows, false);
        break;
    case VK_NEXT:
        MoveCaret(0, m_layout.nVisibleRows, false);
        break;
    case VK_HOME:
        if (IsHexColumn())
            m_nHScroll = 0;
        MoveCaret(-column, 0, false);
        break;
    case VK_END:
        MoveCaret(kHexBytesPerLine - 1 - column, 0, false);
        break;
    case VK_INSERT:
        if (!m_bEditable) {
            handled = false;
            break;
        }
        m_dwMode ^= HEXMODE_INSERT;
        Changed(HEXVIEW_CARET_CREATE);
        UpdateCaretPos();
        break;
    case VK_DELETE:
        if (m_bEditable)
            DeleteKey();
        else
            handled = false;
        break;
    case VK_BACK:
        if (m_bEditable)
            BackspaceKey();
        else
            handled = false;
        break;
    default:
        handled = false;
        break;
    }
}

HexKeyAction HexEditModel::ShiftKey(UINT vk)
{
    const int old = m_nCaret;
    const int column = m_nCaret % kHexBytesPerLine;
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME: {
        bool handled = false;
        PlainKey(vk, handled);
        ExtendSelection(old, m_nCaret);
        return HEXKEY_NONE;
    }
    case VK_END:
        MoveCaret(kHexBytesPerLine - column, 0, false);
        ExtendSelection(old, m_nCaret);
        return HEXKEY_NONE;
    case VK_INSERT:
        return m_bEditable ? HEXKEY_PASTE : HEXKEY_NONE;
    case VK_DELETE:
        return m_bEditable ? HEXKEY_CUT : HEXKEY_NONE;
    default:
        return HEXKEY_NONE;
    }
}

HexKeyAction HexEditModel::CtrlKey(UINT vk)
{
    switch (vk) {
    case VK_HOME:
        MoveCaret(-m_nCaret, 0, false);
        return HEXKEY_NONE;
    case VK_END:
        MoveCaret(static_cast<int>(m_buffer.GetSize()) - m_nCaret, 0, false);
        return HEXKEY_NONE;
    case 'A':
        SelectAll();
        return HEXKEY_NONE;
    case 'C':
        return HEXKEY_COPY;
    case VK_INSERT:
        return m_bEditable ? HEXKEY_COPY : HEXKEY_NONE;
    case 'V':
        return m_bEditable ? HEXKEY_PASTE : HEXKEY_NONE;
    case 'X':
        return m_bEditable ? HEXKEY_CUT : HEXKEY_NONE;
    case 'Z':
        if (m_bEditable)
            Undo();
        return HEXKEY_NONE;
    case 'Y':
        if (m_bEditable)
            Redo();
        return HEXKEY_NONE;
    default:
        return HEXKEY_NONE;
    }
}

void HexEditModel::ExtendSelection(int oldCaret, int newCaret)
{
    if (HasNoSelection()) {
        if (newCaret < oldCaret) {
            m_nSelStart = newCaret;
            m_nSelEnd = oldCaret - 1;
        } else if (newCaret > oldCaret) {
            m_nSelStart = oldCaret;
            m_nSelEnd = newCaret - 1;
        }
    } else if (m_nSelEnd == oldCaret - 1) {
        // The caret stood after the selection.
        if (newCaret >= m_nSelStart) {
            m_nSelEnd = newCaret - 1;
        } else {
            m_nSelEnd = m_nSelStart - 1;
            m_nSelStart = newCaret;
        }
    } else if (m_nSelStart == oldCaret) {
        // The caret stood on the selection's first byte.
        if (newCaret - 1 > m_nSelEnd) {
            m_nSelStart = m_nSelEnd + 1;
            m_nSelEnd = newCaret - 1;
        } else {
            m_nSelStart = newCaret;
        }
    }
    if (!HasNoSelection() && m_nSelStart == m_nSelEnd + 1)
        ClearSelection();
    UpdateCaretPos();
}

void HexEditModel::DeleteKey()
{
    m_nNibble = 0;
    if (IsInsertMode()) {
        if (!HasNoSelection()) {
            RemoveSelection();
        } else if (static_cast<UINT>(m_nCaret) < m_buffer.GetSize()) {
            RemoveUnits(static_cast<UINT>(m_nCaret), 1);
            EnsureCaretVisible();
            UpdateScrollBars();
            UpdateCaretPos();
        }
    } else if (!HasNoSelection()) {
        // Overwrite mode never changes the size: the selected bytes become 0x00.
        ZeroSelection();
    }
}

void HexEditModel::BackspaceKey()
{
    m_nNibble = 0;
    if (!IsInsertMode())
        return;
    if (!HasNoSelection()) {
        RemoveSelection();
    } else if (m_nCaret > 0) {
        RemoveUnits(static_cast<UINT>(m_nCaret - 1), 1);
        EnsureCaretVisible();
        UpdateScrollBars();
        UpdateCaretPos();
    }
}

// ---------------------------------------------------------------------------------------
// Mouse

void HexEditModel::UpdateDragSelection(int x, int y)
{
    if (!HasData() || !m_bMouseSelecting)
        return;
    const int oldStart = m_nSelStart, oldEnd = m_nSelEnd;
    const int oldTop = m_nTop, oldHScroll = m_nHScroll;
    if (!HitTest(x, y))
        return;
    const int size = static_cast<int>(m_buffer.GetSize());
    if (m_nAnchor < m_nCaret) {
        m_nSelStart = m_nAnchor;
        m_nSelEnd = m_nCaret == size ? m_nCaret - 1 : m_nCaret;
    } else {
        m_nSelStart = m_nCaret;
        m_nSelEnd = m_nAnchor;
    }
    m_nNibble = 0;
    const bool scrolled = m_nTop != oldTop || m_nHScroll != oldHScroll;
    if (scrolled)
        UpdateScrollBars();
    if (scrolled || m_nSelStart != oldStart || m_nSelEnd != oldEnd)
        Changed(HEXVIEW_REDRAW);
}

void HexEditModel::LButtonDown(int x, int y, bool shift)
{
    if (IsOnHeaderRow(y))
        return;
    m_ptLastDown.x = x;
    m_ptLastDown.y = y;
    Changed(HEXVIEW_FOCUS);
    if (!HasData())
        return;
    m_bMouseSelecting = true;
    ClearSelection();
    const int size = static_cast<int>(m_buffer.GetSize());
    if (shift) {
        m_nAnchor = m_nCaret == size ? m_nCaret - 1 : m_nCaret;
        UpdateDragSelection(x, y);
        m_bKeepColumn = true;
    } else {
        HitTest(x, y);
        m_nAnchor = m_nCaret == size ? m_nCaret - 1 : m_nCaret;
    }
    Changed(HEXVIEW_CAPTURE | HEXVIEW_REDRAW);
    UpdateCaretPos();
}

void HexEditModel::MouseMove(int x, int y)
{
    if (!HasData() || (x == m_ptLastDown.x && y == m_ptLastDown.y))
        return;
    if (!m_bMouseSelecting) {
        const CString tip = GetMarkerTipAt(x, y);
        if (!tip.IsEmpty() && tip == m_strLastTip)
            return;
        m_strTip = tip;
        m_strLastTip = tip;
        Changed(HEXVIEW_TIP_UPDATE);
        return;
    }
    Changed(HEXVIEW_TIP_DEACTIVATE);
    m_bKeepColumn = true;
    const bool inside = IsInClient(x, y);
    if (!m_bTimerRunning && !inside) {
        m_bTimerRunning = true;
        Changed(HEXVIEW_TIMER_START);
    } else if (m_bTimerRunning && inside) {
        m_bTimerRunning = false;
        Changed(HEXVIEW_TIMER_STOP);
    }
    m_ptLastDrag.x = x;
    m_ptLastDrag.y = y;
    UpdateDragSelection(x, y);
}

void HexEditModel::DragTimer()
{
    // Repeats the last drag point while the button is held outside the rows, so the view
    // keeps scrolling toward it.
    if (!m_bTimerRunning)
        return;
    UpdateDragSelection(m_ptLastDrag.x, m_ptLastDrag.y);
    UpdateCaretPos();
}

void HexEditModel::LButtonUp(int x, int y)
{
    if (!HasData())
        return;
    if (IsOnHeaderRow(y) && !m_bMouseSelecting)
        return;
    if (m_bMouseSelecting) {
        if (m_bKeepColumn)
            UpdateDragSelection(x, y);
        EndDrag();
    }
    if (!HasNoSelection() && m_nCaret == m_nSelEnd) {
        m_nCaret = m_nSelEnd + 1;
        m_nNibble = 0;
    }
    UpdateCaretPos();
    Changed(HEXVIEW_REDRAW);
}

void HexEditModel::LButtonDblClk(int x, int y)
{
    if (!HasData() || IsOnHeaderRow(y))
        return;
    m_bKeepColumn = false;
    HitTest(x, y);
    if (static_cast<UINT>(m_nCaret) != m_buffer.GetSize()) {
        m_nSelStart = m_nSelEnd = m_nCaret;
        m_nNibble = 0;
        ++m_nCaret;
    }
    EndDrag();
    Changed(HEXVIEW_RELEASE_CAPTURE | HEXVIEW_REDRAW);
    UpdateCaretPos();
}

void HexEditModel::EndDrag()
{
    if (m_bMouseSelecting)
        Changed(HEXVIEW_RELEASE_CAPTURE);
    m_bMouseSelecting = false;
    m_bKeepColumn = false;
    if (m_bTimerRunning) {
        m_bTimerRunning = false;
        Changed(HEXVIEW_TIMER_STOP);
    }
}

// ---------------------------------------------------------------------------------------
// Focus

void HexEditModel::SetFocus()
{
    m_bFocused = true;
    RecalcLayout();
    if (HasData()) {
        Changed(HEXVIEW_CARET_CREATE);
        UpdateCaretPos();
    }
}

void HexEditModel::KillFocus()
{
    if (HasData())
        Changed(HEXVIEW_CARET_DESTROY);
    m_bFocused = false;
    m_bCaretShown = false;
}
