// Figure 7: the receive path over the real pseudo-terminal pair of the test command, one port.
// The device end writes the sequence stream in pieces of 1 to 4,096 bytes; the connection
// runs on the other end and the frame logs and checks every block. The floor is a bare Win32
// read loop on the same end, fed in the same way, run between the connection's runs.
#include "benchframe.h"
#include "benchkit.h"
#include "figures.h"

#include "commsetrecord.h"
#include "currentcommset.h"
#include "portdevice.h"
#include "portsession.h"

#include <cstdio>

namespace bench {

namespace {

const size_t kStreamBytes = 2u << 20;
const DWORD kQueueBytes = 65536;
const int kLineRateBytes = 300000;   // 3,000,000 baud, ten bits a byte

bool PairPorts(int& connection, int& device)
{
    char text[64] = {};
    if (!GetEnvironmentVariableA("KORVANE_PTY_COMS", text, sizeof(text)))
        return false;
    return std::sscanf(text, "%d %d", &connection, &device) == 2 && connection > 0 && device > 0;
}

std::vector<size_t> Pieces(size_t total, unsigned seed)
{
    std::vector<size_t> pieces;
    size_t sum = 0;
    while (sum < total) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        const size_t piece = std::min<size_t>(1 + seed % 4096, total - sum);
        pieces.push_back(piece);
        sum += piece;
    }
    return pieces;
}

// Seconds the bare loop takes to read the stream the device writes, 0 when it failed.
double BareRun(int comNumber, PortDevice& device, const std::vector<BYTE>& stream, const std::vector<size_t>& pieces)
{
    char name[32];
    std::snprintf(name, sizeof(name), "\\\\.\\COM%d", comNumber);
    HANDLE port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                              nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return 0;
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    SetupComm(port, kQueueBytes, kQueueBytes);
    SetCommTimeouts(port, &timeouts);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    const double start = Now();
    device.StartWriting(stream, pieces);
    const unsigned long long matched = ReadStreamBare(port, stream.size(), kQueueBytes);
    const double seconds = Now() - start;
    device.WaitWritten(10000);
    CloseHandle(port);
    return matched == stream.size() ? seconds : 0;
}

} // namespace

void PtyFigures()
{
    int connectionCom = 0, deviceCom = 0;
    if (!PairPorts(connectionCom, deviceCom)) {
        std::printf("7 receive.pty: skipped, KORVANE_PTY_COMS names no pseudo-terminal pair (run scripts/bench.sh)\n");
        return;
    }
    CCommSetRecord& set = GetCurrentCommSet();
    const CCommSetRecord saved = set;
    SetCommSetDefaults(set, 0);
    set.m_nComIndex[0] = connectionCom - 1;
    set.m_nRecvFraming[0] = 0;
    set.m_nRecvBufferSize[0] = kQueueBytes;
    set.m_nInQueue[0] = set.m_nOutQueue[0] = kQueueBytes;
    SetStartTickCount(GetTickCount() + 17);
    BenchEditor editor;
    SetAppAccessors(&editor);

    std::vector<BYTE> stream(kStreamBytes);
    FillStream(stream.data(), stream.size(), 0);
    PortDevice device;
    if (!device.Open(deviceCom)) {
        std::printf("7 receive.pty: skipped, COM%d does not open\n", deviceCom);
        return;
    }
    BenchFrame frame;
    std::vector<double> floors, values;
    unsigned long long lost = 0;
    int maxWait = 0, failures = 0;
    for (int run = 0; run < Runs(); ++run) {
        const std::vector<size_t> pieces = Pieces(kStreamBytes, 41 + run);
        const double bare = BareRun(connectionCom, device, stream, pieces);
        floors.push_back(bare > 0 ? kStreamBytes / bare : 0);

        frame.ResetCounts();
        StartConnection(frame, 0);
        frame.WaitFor([&] { return frame.GetPort(0).buffer && frame.GetPort(0).lineShown; }, 10000);
        const double start = Now();
        device.StartWriting(stream, pieces);
        frame.WaitFor([&] { return frame.GetPort(0).matched + frame.GetPort(0).broken >= kStreamBytes; }, 120000);
        BenchFrame::Port& port = frame.GetPort(0);
        values.push_back(port.lastByte > start ? kStreamBytes / (port.lastByte - start) : 0);
        device.WaitWritten(10000);
        StopConnections();
        lost += kStreamBytes - port.matched;
        maxWait = std::max(maxWait, port.maxWaitMs);
        failures += port.failures;
    }
    device.Close();
    SetAppAccessors(nullptr);
    set = saved;

    const double value = Median(values);
    Report("7 receive.pty.one-port", value, "B/s", kLineRateBytes, "3Mbaud-line", AtLeast, 1);
    Report("7 receive.pty.one-port-vs-bare", value, "B/s", Median(floors), "bare-win32-loop", AtLeast, 0.5);
    Report("7 receive.pty.lost", static_cast<double>(lost), "bytes", 0, "none", AtMost, 0);
    ReportInfo("7 receive.pty.ui-wait-max", maxWait, "ms", 50, "bound");
    if (failures)
        Report("7 receive.pty.failure-messages", failures, "records", 0, "none", AtMost, 0);
}

} // namespace bench
