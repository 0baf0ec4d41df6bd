// The device at the far end of a pseudo-terminal pair, played with plain Win32 serial calls.
//
// The COM port is opened for overlapped I/O and set to return from a read at once with what
// has arrived. A reader thread keeps every byte the connection sends; a writer thread writes
// byte pieces of given sizes, once or round and round until stopped. Every wait is bounded: a
// write that the other side does not take within its bound is cancelled and counts as failed.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class PortDevice
{
public:
    PortDevice() = default;
    ~PortDevice();
    PortDevice(const PortDevice&) = delete;
    PortDevice& operator=(const PortDevice&) = delete;

    // Opens "COMn" and starts the reader. False (with nothing left open) when the port cannot
    // be opened or configured.
    bool Open(int comNumber);
    // Stops the writer and the reader and closes the port.
    void Close();

    // Starts writing the bytes in pieces of the given sizes; with repeat, starts again from
    // the first piece until StopWriting.
    void StartWriting(std::vector<BYTE> bytes, std::vector<size_t> pieces, bool repeat = false);
    // Waits until the writer is done, at most timeoutMs; true when every write went out.
    bool WaitWritten(DWORD timeoutMs);
    // Ends the writer at its next piece (a write in progress is cancelled) and joins it.
    void StopWriting();
    bool Writing() const { return !m_writeDone; }

    std::vector<BYTE> Received() const;
    size_t ReceivedCount() const;
    // Waits until nothing has arrived for quietMs, at most timeoutMs; then forgets what came.
    bool DrainQuiet(DWORD quietMs, DWORD timeoutMs);

private:
    void ReadLoop();
    void WriteLoop(std::vector<BYTE> bytes, std::vector<size_t> pieces, bool repeat);
    // One overlapped write or read waited for in short steps; cancelled when stop is set or
    // the bound runs out. Returns the count transferred, or -1 on failure.
    long Transfer(bool write, BYTE* data, DWORD length, const std::atomic<bool>& stop, DWORD boundMs);

    HANDLE m_hPort = INVALID_HANDLE_VALUE;
    std::thread m_reader;
    std::thread m_writer;
    std::atomic<bool> m_closing{false};
    std::atomic<bool> m_stopWriting{false};
    std::atomic<bool> m_writeDone{true};
    std::atomic<bool> m_writeFailed{false};
    mutable std::mutex m_lock;
    std::vector<BYTE> m_received;
};
