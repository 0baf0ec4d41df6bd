// The main frame as the connection threads see it, for the receive-path figures: a real
// window on the benchmark's (UI) thread that logs every report in a real log store, checks
// the received bytes against the stream the feeder sent, measures how long each report kept
// its connection thread waiting, and answers a received block with a reply through the
// port's channel buffer when asked to, as the frame's automatic reply does.
#pragma once

#include "appaccess.h"
#include "appsettings.h"
#include "logstore.h"

#include <windows.h>

#include <functional>
#include <vector>

class CChannelBuffer;

namespace bench {

// Byte k of the stream a feeder sends: the bytes of the 32-bit sequence numbers 0, 1, 2, ...
// little-endian, so a lost, doubled or moved byte breaks the sequence where it happens.
inline BYTE StreamByte(unsigned long long k)
{
    return static_cast<BYTE>((k >> 2) >> (8 * (k & 3)));
}

void FillStream(BYTE* out, size_t n, unsigned long long first);

// The bare receive loop on an open port (through the serial seam): wait for a comm event,
// ask what is queued, read it, check it against the stream, until total bytes arrived in
// sequence or a call failed. Returns the bytes that arrived in sequence.
unsigned long long ReadStreamBare(HANDLE port, unsigned long long total, DWORD bufferSize);

class BenchFrame
{
public:
    struct Port
    {
        CChannelBuffer* buffer = nullptr;
        bool lineShown = false;
        unsigned long long expected = 0;   // stream position of the next byte
        unsigned long long matched = 0;    // bytes that arrived in sequence
        unsigned long long broken = 0;     // bytes out of sequence
        double lastByte = 0;               // when the last byte of the stream arrived
        int maxWaitMs = 0;                 // longest report wait of the connection thread
        int failures = 0;                  // messages other than the usual ones
        bool reply = false;
        std::vector<BYTE> replyBytes;
        int pendingShows = 0;              // showings of the bytes waiting for their delimiter
        double lastPendingShown = 0;       // when the last one came
    };

    BenchFrame();
    ~BenchFrame();
    BenchFrame(const BenchFrame&) = delete;
    BenchFrame& operator=(const BenchFrame&) = delete;

    HWND Handle() const { return m_hWnd; }
    Port& GetPort(int n) { return m_ports[n]; }
    CLogStore& Store() { return m_store; }
    // Counters of both ports back to zero; the stream starts again at 0.
    void ResetCounts();

    // Pumps messages until done() holds or the time runs out; returns done().
    bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnCommNotify(WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    Port m_ports[2];
    CAppSettings m_settings;
    CLogStore m_store;
};

// The send data editor as the connection threads read it.
class BenchEditor : public IAppAccessors
{
public:
    COleSafeArray GetSendEditorData() override;
};

// Starts the connection of a port the way the frame does, reporting to the frame; the current
// communication set must name its device first.
void StartConnection(BenchFrame& frame, int port);
// Stops every connection and waits (pumping) until their threads ended.
bool StopConnections();

} // namespace bench
