// Hex editor model: the editing primitives, typed digits and characters, input-method
// characters, and the undo and redo histories. Every user edit records its inverse on the
// undo list and empties the redo list; undo and redo move records between the two lists.
#include "hexeditmodel.h"

#include <algorithm>

namespace {

int HexDigitValue(UINT ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Primitives

bool HexEditModel::InsertUnits(UINT index, UINT n)
{
    // Nothing to insert is not an error; growing to 2^31 bytes or more, or an allocation the
    // system refuses, leaves the data as it was and is reported by the result.
    if (n == 0 || index > m_buffer.GetSize())
        return false;
    if (!m_buffer.Insert(index, n))
        return false;
    RecalcLayout();
    return true;
}

void HexEditModel::RemoveUnits(UINT index, UINT n)
{
    const UINT size = m_buffer.GetSize();
    if (n == 0 || index >= size)
        return;
    n = std::min(n, size - index);
    m_nCaret = static_cast<int>(index);
    std::vector<BYTE> removed;
    m_buffer.Read(index, n, removed);
    AddUndoRecord(HEXUNDO_REMOVED, removed.data(), n, true);
    m_buffer.Remove(index, n);
    RecalcLayout();
}

void HexEditModel::RemoveSelection()
{
    UINT start, count;
    if (!GetSelectionRange(start, count))
        return;
    RemoveUnits(start, count);
    m_nCaret = static_cast<int>(start);
    ClearSelection();
    Changed(HEXVIEW_REDRAW);
    EnsureCaretVisible();
    UpdateScrollBars();
    UpdateCaretPos();
}

void HexEditModel::ZeroSelection()
{
    UINT start, count;
    if (!GetSelectionRange(start, count))
        return;
    m_nCaret = static_cast<int>(start);
    std::vector<BYTE> previous;
    m_buffer.Read(start, count, previous);
    AddUndoRecord(HEXUNDO_OVERWRITTEN, previous.data(), count, true);
    m_buffer.Fill(start, count, 0);
    ClearSelection();
    Changed(HEXVIEW_REDRAW);
    UpdateCaretPos();
}

int HexEditModel::PrepareTyping()
{
    const UINT caret = static_cast<UINT>(m_nCaret);
    if (HasNoSelection()) {
        if (caret >= m_buffer.GetSize()) {
            // Nothing is typed past the end in overwrite mode.
            if (!IsInsertMode())
                return -1;
            return InsertUnits(caret, 1) ? 1 : -1;
        }
        if (IsInsertMode() && m_nNibble == 0)
            return InsertUnits(caret, 1) ? 1 : -1;
        return 0;
    }
    if (!IsInsertMode()) {
        ZeroSelection();
        return 0;
    }
    m_nCaret = m_nSelStart;
    RemoveSelection();
    return InsertUnits(static_cast<UINT>(m_nCaret), 1) ? 1 : -1;
}

void HexEditModel::InsertData(const BYTE* bytes, UINT n)
{
    // Nothing to write leaves everything as it was, the selection included.
    if (!m_bEditable || !HasData() || n == 0 || !bytes)
        return;
    // A half-typed byte ends here: the next digit starts a byte of its own.
    m_nNibble = 0;
    if (IsInsertMode()) {
        if (!HasNoSelection())
            RemoveSelection();
        const UINT caret = static_cast<UINT>(m_nCaret);
        if (!InsertUnits(caret, n))
            return;
        AddUndoRecord(HEXUNDO_INSERTED, NULL, n, true);
        m_buffer.Write(caret, bytes, n);
    } else {
        UINT start, count;
        if (GetSelectionRange(start, count)) {
            m_nCaret = static_cast<int>(start);
            n = std::min(n, count);
            ClearSelection();
        }
        const UINT caret = static_cast<UINT>(m_nCaret);
        const UINT size = m_buffer.GetSize();
        n = caret >= size ? 0 : std::min(n, size - caret);
        if (n > 0) {
            std::vector<BYTE> previous;
            m_buffer.Read(caret, n, previous);
            AddUndoRecord(HEXUNDO_OVERWRITTEN, previous.data(), n, true);
            m_buffer.Write(caret, bytes, n);
        }
        UpdateCaretPos();
    }
    Changed(HEXVIEW_REDRAW);
}

void HexEditModel::CutSelection()
{
    if (!m_bEditable || HasNoSelection())
        return;
    if (IsInsertMode())
        RemoveSelection();
    else
        ZeroSelection();
    Changed(HEXVIEW_REDRAW);
}

// ---------------------------------------------------------------------------------------
// Typing

void HexEditModel::Char(UINT ch)
{
    if (!m_bEditable || m_bMouseSelecting || !HasData())
        return;
    int digit = -1;
    if (IsHexColumn()) {
        digit = HexDigitValue(ch);
        if (digit < 0)
            return;
    } else if (ch < 0x20) {
        return;
    }
    const int prepared = PrepareTyping();
    if (prepared < 0)
        return;
    const UINT caret = static_cast<UINT>(m_nCaret);
    if (prepared == 1) {
        AddUndoRecord(HEXUNDO_INSERTED, NULL, 1, true);
    } else {
        const BYTE previous = m_buffer.GetAt(caret);
        AddUndoRecord(HEXUNDO_OVERWRITTEN, &previous, 1, true);
    }
    if (digit < 0) {
        m_buffer.SetAt(caret, static_cast<BYTE>(ch & 0xFF));
        MoveCaret(1, 0, true);
        return;
    }
    const BYTE old = m_buffer.GetAt(caret);
    const BYTE value = m_nNibble == 0 ? static_cast<BYTE>((digit << 4) | (old & 0x0F))
                                      : static_cast<BYTE>((old & 0xF0) | digit);
    m_buffer.SetAt(caret, value);
    if (++m_nNibble >= 2) {
        MoveCaret(1, 0, true);
        return;
    }
    EnsureCaretVisible();
    UpdateScrollBars();
    Changed(HEXVIEW_REDRAW);
    UpdateCaretPos();
}

void HexEditModel::ImeChar(UINT code)
{
    // As with keys and characters: bytes changed under a drag would leave it selecting over
    // data that is no longer there.
    if (!m_bEditable || m_bMouseSelecting || !HasData())
        return;
    const std::vector<BYTE> bytes = ImeCharToBytes(code, m_nCharCode);
    if (bytes.empty())
        return;
    const UINT n = static_cast<UINT>(bytes.size());
    if (IsInsertMode())
        InsertData(bytes.data(), n);
    else
        OverwriteAndInsert(bytes.data(), n);
    MoveCaret(static_cast<int>(n), 0, true);
}

void HexEditModel::OverwriteAndInsert(const BYTE* bytes, UINT n)
{
    // A character is never cut to the room there is: the bytes over the selection or before
    // the data end are overwritten and the rest is inserted after them, in one undo step.
    UINT start, room;
    if (!GetSelectionRange(start, room)) {
        start = static_cast<UINT>(m_nCaret);
        room = start < m_buffer.GetSize() ? m_buffer.GetSize() - start : 0;
    }
    if (room >= n) {
        InsertData(bytes, n);
        return;
    }
    m_nNibble = 0;
    ClearSelection();
    m_nCaret = static_cast<int>(start);
    const UINT tail = start + room;
    if (!InsertUnits(tail, n - room))
        return;
    // Records take the caret as their position.
    if (room > 0) {
        std::vector<BYTE> previous;
        m_buffer.Read(start, room, previous);
        AddUndoRecord(HEXUNDO_OVERWRITTEN, previous.data(), room, true);
    }
    m_nCaret = static_cast<int>(tail);
    AddUndoRecord(HEXUNDO_INSERTED, NULL, n - room, true, room > 0);
    m_nCaret = static_cast<int>(start);
    m_buffer.Write(start, bytes, n);
    Changed(HEXVIEW_REDRAW);
}

// ---------------------------------------------------------------------------------------
// Undo and redo

void HexEditModel::AddUndoRecord(int kind, const BYTE* bytes, UINT count, bool clearRedo, bool joined)
{
    m_undo.Push(m_nCaret, kind, bytes, count, joined);
    if (clearRedo)
        m_redo.Clear();
}

void HexEditModel::AddRedoRecord(int kind, const BYTE* bytes, UINT count, bool joined)
{
    m_redo.Push(m_nCaret, kind, bytes, count, joined);
}

bool HexEditModel::ApplyHistoryRecord(HexUndoRecord& record, bool toRedo, bool joinInverse)
{
    // Applies a record at its position and records the inverse on the other list. A record
    // that no longer fits the data is dropped.
    const UINT size = m_buffer.GetSize();
    const UINT position = static_cast<UINT>(record.nPosition);
    if (record.nPosition < 0 || position > size)
        return false;
    auto recordInverse = [&](int kind, const BYTE* bytes, UINT count) {
        if (toRedo)
            AddRedoRecord(kind, bytes, count, joinInverse);
        else
            AddUndoRecord(kind, bytes, count, false, joinInverse);
    };
    COleSafeArray& stored = record.bytes;
    const UINT storedSize = stored.GetOneDimSize();
    switch (record.nKind) {
    case HEXUNDO_INSERTED: {
        if (record.nCount > size - position)
            return false;
        std::vector<BYTE> current;
        m_buffer.Read(position, record.nCount, current);
        recordInverse(HEXUNDO_REMOVED, current.data(), record.nCount);
        m_buffer.Remove(position, record.nCount);
        return true;
    }
    case HEXUNDO_OVERWRITTEN: {
        if (record.nCount > size - position || storedSize < record.nCount)
            return false;
        std::vector<BYTE> current;
        m_buffer.Read(position, record.nCount, current);
        recordInverse(HEXUNDO_OVERWRITTEN, current.data(), record.nCount);
        void* p = NULL;
        stored.AccessData(&p);
        m_buffer.Write(position, static_cast<const BYTE*>(p), record.nCount);
        stored.UnaccessData();
        return true;
    }
    case HEXUNDO_REMOVED: {
        if (storedSize < record.nCount || !m_buffer.Insert(position, record.nCount))
            return false;
        recordInverse(HEXUNDO_INSERTED, NULL, record.nCount);
        void* p = NULL;
        stored.AccessData(&p);
        m_buffer.Write(position, static_cast<const BYTE*>(p), record.nCount);
        stored.UnaccessData();
        return true;
    }
    default:
        return false;
    }
}

void HexEditModel::AfterHistoryStep()
{
    UpdateCaretPos();
    RecalcLayout();
    ClearSelection();
    Changed(HEXVIEW_REDRAW);
    EnsureCaretVisible();
    UpdateScrollBars();
    UpdateCaretPos();
}

void HexEditModel::StepHistory(HexUndoList& source, bool toRedo)
{
    // Records joined to the one before them go in the same step. Their inverses arrive on
    // the other list newest first, so there every inverse but the first is joined.
    HexUndoRecord record;
    bool first = true;
    while (source.Pop(record)) {
        m_nNibble = 0;
        m_nCaret = record.nPosition;
        ApplyHistoryRecord(record, toRedo, !first);
        first = false;
        if (!record.bJoined)
            break;
    }
    if (!first)
        AfterHistoryStep();
}

void HexEditModel::Undo()
{
    StepHistory(m_undo, true);
}

void HexEditModel::Redo()
{
    StepHistory(m_redo, false);
}
