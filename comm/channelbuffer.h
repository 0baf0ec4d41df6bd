// The queue of byte blocks that travels from the main thread to one connection thread.
//
// Each connection loop owns one, registers it with the main frame for its lifetime, and writes
// what it pops. The main thread pushes (the user's send command with flag 1, replies and routed
// data with flag 0) and then signals the buffer, which sets the connection's trigger event; the
// loop wakes and drains the queue, oldest first. A pushed block is copied in and a popped one
// handed out whole, so neither side ever shares a block's storage with the other.
//
// A push or a pop sits on the path from a received block to its reply, which already waits for
// three synchronous reports; so neither takes a kernel call of its own. The lock is a critical
// section (held for a few pointer moves, the copy made outside it, so it never waits in the
// kernel unless both sides meet), and the trigger event is opened once and kept rather than
// opened by name on every signal. An entry and its flag are appended and removed together, and
// the lock is held by an object that always releases it, so a copy that fails for want of memory
// is a failed push, never a lock held for ever.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"
#include "afxmt.h"

#include <deque>

class CChannelBuffer
{
public:
    CChannelBuffer(int nCommType, int nSecond, int nComIndex);
    ~CChannelBuffer();
    CChannelBuffer(const CChannelBuffer&) = delete;
    CChannelBuffer& operator=(const CChannelBuffer&) = delete;

    // Appends a copy of the block with its flag; nonzero on success, 0 when the block could not
    // be copied or queued.
    BOOL Push(const COleSafeArray& data, int nFlag);

    // Removes the oldest block and returns it; an empty buffer when nothing is queued.
    COleSafeArray Pop();

    // Removes the oldest block into data and returns 1; 0, with data untouched, when nothing is
    // queued (so an empty block that was pushed is told from an empty queue); -1 when the lock
    // could not be taken.
    int PopNext(COleSafeArray& data);

    // Number of queued blocks.
    int GetCount();

    // Drops every queued block.
    void Clear();

    // Sets the trigger event named m_strEventName (auto reset; created when it does not exist).
    // The event of a connection that is waiting for it is kept open from the first signal on,
    // as long as the name stays the same; one that nobody holds is set and closed again.
    void Signal();

    int m_nPort;                // set by the owner before registration
    int m_nSub;                 // 0 for a serial connection
    CString m_strEventName;     // trigger event "%s_AT%04d"
    int m_nCommType;            // 3 for a serial connection
    SYSTEMTIME m_timeCreated;   // local time of construction
    int m_nSecond;              // 0 for a serial connection
    int m_nComIndex;            // 0 = "COM1"
    int m_nLastFlag;            // flag of the block popped last

private:
    struct Entry
    {
        COleSafeArray data;
        int nFlag;
    };

    CCriticalSection m_lock;
    std::deque<Entry> m_queue;
    HANDLE m_hTrigger;          // the kept trigger event, opened by the name below
    CString m_strTriggerName;
};
