#include "hexundo.h"

namespace {

size_t HeldBytes(HexUndoRecord& record)
{
    return record.bytes.GetOneDimSize();
}

}  // namespace

void HexUndoList::Push(int position, int kind, const BYTE* bytes, UINT count, bool joined)
{
    m_records.emplace_back();
    HexUndoRecord& record = m_records.back();
    record.nPosition = position;
    record.nKind = kind;
    record.nCount = count;
    record.bJoined = joined;
    if (kind != HEXUNDO_INSERTED && bytes && count)
        record.bytes.CreateOneDim(VT_UI1, count, bytes);
    else
        record.bytes.CreateOneDim(VT_UI1, 0);
    m_nBytes += HeldBytes(record);
    // Over the byte limit the oldest records go until the one holding bytes is the only one
    // that does: the newest steps stay whole, however large.
    while (m_records.size() >= kLimit || (m_nBytes > kByteLimit && HeldBytes(m_records.front()) < m_nBytes)) {
        m_nBytes -= HeldBytes(m_records.front());
        m_records.pop_front();
        // The oldest record left has nothing before it to be undone with.
        m_records.front().bJoined = false;
    }
}

bool HexUndoList::Pop(HexUndoRecord& record)
{
    if (m_records.empty())
        return false;
    // The bytes are handed over, not copied: a copy would make and free a buffer each step.
    HexUndoRecord& newest = m_records.back();
    m_nBytes -= HeldBytes(newest);
    VARIANT bytes = newest.bytes.Detach();
    record = newest;
    record.bytes.Attach(bytes);
    m_records.pop_back();
    return true;
}
