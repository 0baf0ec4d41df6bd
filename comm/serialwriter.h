// Overlapped writes to a port, each with its own OVERLAPPED record and its own copy of the
// bytes, both kept until the system reports the write complete.
//
// A connection loop writes a block and goes back to waiting without waiting for the write;
// several blocks may be on their way at once. The system reads a block's bytes and fills its
// OVERLAPPED record until the write completes, so neither may be reused or freed before. All
// records share the loop's write-completion event; after it fires (or after any write was
// started) the loop collects every write that has finished, in the order they were started.
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

    // Starts an overlapped write of a copy of the bytes. 0 when it runs or has finished,
    // otherwise the error of WriteFile.
    DWORD Write(const void* pData, int nLength);

    // Takes every finished write, oldest first. Returns the number of writes that finished
    // well; stops at the first that failed and gives its error in dwError (0 when none did).
    int Collect(DWORD& dwError);

    // Writes still running.
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
    };

    HANDLE m_hPort;
    HANDLE m_hEvent;
    std::list<PendingWrite*> m_writes;
};
