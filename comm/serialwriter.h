// Overlapped writes to a port, each with its own OVERLAPPED record and its own copy of the
// bytes, both kept until the system reports the write complete.
//
// A connection loop writes a block and goes back to waiting without waiting for the write;
// several blocks may be on their way at once, but only the oldest is handed to the system:
// Wine writes a block given while an earlier one still waits for room on the line as soon as
// there is room, ahead of the rest of the earlier one, and the bytes reach the other end out
// of order. The others wait here and go to the system one by one as each before them
// completes. The system reads a block's bytes and fills its OVERLAPPED record until the write
// completes, so neither may be reused or freed before. All records share the loop's
// write-completion event; after it fires (or after any write was started) the loop collects
// every write that has finished, in the order they were given, which starts the next. A write
// that fails drops the writes waiting behind it: the line is lost, and each of them would only
// fail the same way.
#pragma once

#include <windows.h>

#include <list>
#include <vector>

class CSerialWriter
{
public:
    CSerialWriter();
    ~CSerialWriter();
    CSerialWriter(const CSerialWriter&) = delete;
    CSerialWriter& operator=(const CSerialWriter&) = delete;

    void Attach(HANDLE hPort, HANDLE hEvent);

    // Takes a copy of the bytes for an overlapped write, started at once when no write runs.
    // 0 when it runs, waits its turn or has finished, otherwise the error of WriteFile.
    DWORD Write(const void* pData, int nLength);

    // Takes every finished write, oldest first, starting each next one as the one before it
    // completes. Returns the number of writes that finished well; stops at the first that
    // failed, or could not be started, and gives its error in dwError (0 when none did); the
    // writes after it are dropped.
    int Collect(DWORD& dwError);

    // Writes running or waiting their turn.
    int GetPendingCount() const { return static_cast<int>(m_writes.size()); }

    // Waits until every write has finished, at most dwTimeout ms, and stops early when hStop is
    // set. Returns the number that finished well; dwError as for Collect.
    int WaitAll(DWORD dwTimeout, HANDLE hStop, DWORD& dwError);

    // After the writes were cancelled: waits, bounded, until the system has finished with their
    // records, and frees those. True when none is left.
    bool WaitReleased(DWORD dwTimeout);
    // Gives up on the writes still running: they are left allocated, since the system may
    // still touch them. True when there were none (their event may then be closed).
    bool Abandon();

private:
    struct PendingWrite
    {
        OVERLAPPED ov;
        std::vector<BYTE> bytes;
        bool bStarted;   // handed to the system: its record and bytes are the system's until it completes
    };
    // Hands the oldest write to the system; 0 or the error of WriteFile, after which no write
    // is left.
    DWORD StartOldest();
    // Frees every write; none may be in the system's hands.
    void DropAll();

    HANDLE m_hPort;
    HANDLE m_hEvent;
    std::list<PendingWrite*> m_writes;
};
