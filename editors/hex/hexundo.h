// Undo and redo histories of the hex editor: byte-level edit records in two bounded lists,
// oldest first. A push that makes a list 1,000 records long drops its oldest record, so each
// list keeps at most 999. The bytes the records hold are bounded as well: a push that takes
// them past kByteLimit drops oldest records until they fit again, or until only one record
// still holds bytes, so the last edit can always be undone however large it was. Without
// that, an editor whose whole data is replaced again and again (a script filling it with what
// a device sends) would hold hundreds of copies of it.
#pragma once

#include "afxdisp.h"

#include <deque>

enum HexUndoKind {
    HEXUNDO_INSERTED = 1,     // bytes were inserted (only their count is kept)
    HEXUNDO_OVERWRITTEN = 2,  // bytes were overwritten (the previous bytes are kept)
    HEXUNDO_REMOVED = 3,      // bytes were removed (the removed bytes are kept)
};

struct HexUndoRecord {
    int nPosition = 0;
    int nKind = 0;
    UINT nCount = 0;
    COleSafeArray bytes;  // empty for HEXUNDO_INSERTED
    // Undone and redone in one step with the record before it (one edit that both
    // overwrote and inserted bytes).
    bool bJoined = false;
};

class HexUndoList {
public:
    static const size_t kLimit = 1000;
    static const size_t kByteLimit = 16u << 20;

    // Appends a record of kind at position with a copy of count bytes (none for kind 1).
    void Push(int position, int kind, const BYTE* bytes, UINT count, bool joined = false);
    // Removes the newest record into record; false when the list is empty.
    bool Pop(HexUndoRecord& record);
    void Clear()
    {
        m_records.clear();
        m_nBytes = 0;
    }
    bool IsEmpty() const { return m_records.empty(); }
    size_t GetCount() const { return m_records.size(); }
    // The bytes all records hold.
    size_t GetByteCount() const { return m_nBytes; }
    const HexUndoRecord& GetAt(size_t index) const { return m_records[index]; }

private:
    // A deque drops its oldest record without moving (and deep-copying) the others.
    std::deque<HexUndoRecord> m_records;
    size_t m_nBytes = 0;
};
