// The device at the far end of a pseudo-terminal pair, played with plain Win32 serial calls.
//
// The COM port is opened for overlapped I/O and set to return from a read at once with what
// has arrived. A reader thread keeps every byte the connection sends (or hands it on to a
// receiver, for streams too long to keep); a writer thread writes byte pieces of given sizes,
// once or round and round until stopped, or the pieces a source makes as it goes. Every wait
// is bounded: a write that the other side does not take within its bound is cancelled and
// counts as failed.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
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

    // Gives the next piece to write: points data at its bytes (kept until the next call) and
    // sets length; false ends the writing. It runs on the writer thread, so it may pause there.
    using PieceSource = std::function<bool(const BYTE*& data, size_t& length)>;
    // Takes the bytes of each read as they arrive, on the reader thread.
    using Receiver = std::function<void(const BYTE* data, size_t length)>;

    // Every byte that arrives goes to the receiver instead of being kept; set before Open.
    void SetReceiver(Receiver receiver) { m_receiver = std::move(receiver); }
    // How long one write may wait for the other side to take it (10 s unless set).
    void SetWriteBound(DWORD boundMs) { m_writeBoundMs = boundMs; }
    // Opens "COMn" and starts the reader. False (with nothing left open) when the port cannot
    // be opened or configured.
    bool Open(int comNumber);
    // Stops the writer and the reader and closes the port.
    void Close();

    // Starts writing the bytes in pieces of the given sizes; with repeat, starts again from
    // the first piece until StopWriting.
    void StartWriting(std::vector<BYTE> bytes, std::vector<size_t> pieces, bool repeat = false);
    // Starts writing the pieces the source gives until it ends them or StopWriting.
    void StartWritingFrom(PieceSource source);
    // Waits until the writer is done, at most timeoutMs; true when every write went out.
    bool WaitWritten(DWORD timeoutMs);
    // Ends the writer at its next piece (a write in progress is cancelled) and joins it.
    void StopWriting();
    bool Writing() const { return !m_writeDone; }
    // A paused reader reads nothing, so what the connection writes fills the line and then
    // waits; once it goes on, it reads as fast as before.
    void PauseReading(bool paused) { m_paused = paused; }

    std::vector<BYTE> Received() const;
    size_t ReceivedCount() const;
    // Waits until nothing has arrived for quietMs, at most timeoutMs; then forgets what came.
    bool DrainQuiet(DWORD quietMs, DWORD timeoutMs);

private:
    void ReadLoop();
    void WriteLoop(PieceSource source);
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
    std::atomic<bool> m_paused{false};
    mutable std::mutex m_lock;
    std::vector<BYTE> m_received;
    Receiver m_receiver;
    DWORD m_writeBoundMs = 10000;
};
