// Overlapped writes to a port: the system gets one write at a time, with its own OVERLAPPED
// record and its own copy of the bytes, both kept until the system reports it complete.
//
// A connection loop writes a block and goes back to waiting without waiting for the write, so
// blocks come while an earlier one is still on its way. Only one write is handed to the system
// at a time: Wine writes a block given while an earlier one still waits for room on the line
// as soon as there is room, ahead of the rest of the earlier one, and the bytes reach the other
// end out of order. The blocks that come meanwhile wait here, and when the write completes,
// all of them go to the system together as the next write (up to a mebibyte, so that an end
// waits for little and a long queue is never copied whole): handed over one per completion,
// a queue that built up behind a stalled line would drain at the pace of the loop's turns,
// which report every completion to the frame, not at the pace of the line.
//
// The system reads a write's bytes and fills its OVERLAPPED record until the write completes,
// so neither may be reused or freed before. The records share the loop's write-completion
// event; after it fires (or after any block was written) the loop collects the finished write,
// which starts the next. A write that fails drops the blocks waiting behind it: the line is
// lost, and each of them would only fail the same way.
#pragma once

#include <windows.h>

#include <deque>
#include <vector>

class CSerialWriter
{
public:
    CSerialWriter();
    ~CSerialWriter();
    CSerialWriter(const CSerialWriter&) = delete;
    CSerialWriter& operator=(const CSerialWriter&) = delete;

    void Attach(HANDLE hPort, HANDLE hEvent);

    // Takes a copy of the block, handed to the system at once when no write runs. 0 when it
    // runs, waits its turn or has finished, otherwise the error of WriteFile.
    DWORD Write(const void* pData, int nLength);

    // Takes the finished write and starts the next with every block waiting. Returns the number
    // of blocks that were written well, oldest first; dwError gives the error of a write that
    // failed, or could not be started (0 when none did).
    int Collect(DWORD& dwError);

    // Blocks on their way: in the write the system holds or waiting for their turn.
    int GetPendingCount() const;

    // Waits until every block has been written, at most dwTimeout ms, and stops early when hStop
    // is set. Returns the number written well; dwError as for Collect.
    int WaitAll(DWORD dwTimeout, HANDLE hStop, DWORD& dwError);

    // Drops the blocks that wait for their turn; the write the system holds goes on.
    void DropWaiting();

    // After the write was cancelled: drops the waiting blocks and waits, bounded, until the
    // system has finished with the write's record, then frees it. True when none is left.
    bool WaitReleased(DWORD dwTimeout);
    // Gives up on the write still running: it is left allocated, since the system may still
    // touch it. True when there was none (its event may then be closed).
    bool Abandon();

private:
    struct SystemWrite
    {
        OVERLAPPED ov;
        std::vector<BYTE> bytes;
        int nBlocks;
    };
    // Hands the oldest waiting blocks to the system as one write; 0 or the error of WriteFile,
    // after which nothing waits any more.
    DWORD StartWaiting();
    // Frees the running write once the system has finished with it; false while it runs.
    bool ReleaseFinished();

    HANDLE m_hPort;
    HANDLE m_hEvent;
    SystemWrite* m_pRunning;    // handed to the system: its record and bytes are the system's until it completes
    std::deque<std::vector<BYTE>> m_waiting;
};
