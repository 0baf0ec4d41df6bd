// Figures 8 and 6: the receive path and the automatic reply over the scripted serial device.
//
// Figure 8: both ports run a plain connection with a block per read; a feeder thread per port
// injects the sequence stream at full speed in pieces of 1 to 4,096 bytes, holding back only
// while the device's input queue is full (a driver's flow control), and the frame logs every
// block. The floor is a bare loop per port reading another device of the same fake with the
// same overlapped calls and nothing else, run in the same way.
//
// Beside figure 8: a read of 64 bytes while 16 MiB wait for their delimiter against the same
// read with nothing waiting (the fastest of a few reads each, so the moments the machine was
// busy elsewhere do not count): the bytes waiting are kept, not walked again, on every read.
//
// Figure 6: one port, and the frame answers every received block through the channel
// buffer. The time from a block's injection to the write of its reply is set against the
// work a reply cannot do without, measured beside it: three synchronous reports from a
// connection thread to the frame (the line state before the read, the received block, the
// send entry before its write) and one write straight to a device of the fake.
#include "benchframe.h"
#include "benchkit.h"
#include "figures.h"

#include "channelbuffer.h"
#include "currentcommset.h"
#include "commsetrecord.h"
#include "fakeserial.h"
#include "portsession.h"
#include "serialapi.h"

#include <atomic>
#include <thread>

namespace bench {

namespace {

const unsigned long long kStreamBytes = 8u << 20;
const DWORD kQueueBytes = 65536;
const int kLineRateBytes = 300000;   // 3,000,000 baud, ten bits a byte

unsigned NextRandom(unsigned& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// Injects the stream into the device in pieces of 1 to 4,096 bytes; gives up when quit is
// set while the queue stays full.
void Feed(FakeSerialDevice& device, unsigned long long total, unsigned seed, const std::atomic<bool>& quit)
{
    std::vector<BYTE> piece(4096);
    unsigned long long sent = 0;
    while (sent < total) {
        DWORD n = 1 + NextRandom(seed) % 4096;
        if (n > total - sent)
            n = static_cast<DWORD>(total - sent);
        while (device.InputQueueCount() + n > kQueueBytes) {
            if (quit)
                return;
            SwitchToThread();
        }
        FillStream(piece.data(), n, sent);
        device.Inject(std::vector<BYTE>(piece.begin(), piece.begin() + n));
        sent += n;
    }
}

void SetUpPorts(CCommSetRecord& set)
{
    SetCommSetDefaults(set, 0);
    for (int port = 0; port < 2; ++port) {
        set.m_nComIndex[port] = port;
        set.m_nRecvFraming[port] = 0;
        set.m_nRecvBufferSize[port] = kQueueBytes;
        set.m_nInQueue[port] = set.m_nOutQueue[port] = kQueueBytes;
    }
}

void ThroughputFigures(FakeSerial& fake, BenchFrame& frame)
{
    FakeSerialDevice* devices[2] = {&fake.AddDevice("\\\\.\\COM1"), &fake.AddDevice("\\\\.\\COM2")};
    FakeSerialDevice* bareDevices[2] = {&fake.AddDevice("\\\\.\\COM3"), &fake.AddDevice("\\\\.\\COM4")};
    const char* bareNames[2] = {"\\\\.\\COM3", "\\\\.\\COM4"};
    StartConnection(frame, 0);
    StartConnection(frame, 1);
    frame.WaitFor([&] {
        return frame.GetPort(0).buffer && frame.GetPort(1).buffer && frame.GetPort(0).lineShown &&
               frame.GetPort(1).lineShown;
    }, 10000);

    std::vector<double> floors, values;
    unsigned long long lost = 0;
    int maxWait = 0, failures = 0;
    for (int run = 0; run < Runs(); ++run) {
        fake.ClearCalls();
        // The floor: two bare loops, each fed by its own feeder.
        double bareSeconds[2] = {};
        {
            // The ports are opened and watching before the first byte arrives.
            HANDLE ports[2];
            for (int p = 0; p < 2; ++p) {
                ports[p] = SerialApi().CreateFileA(bareNames[p], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                   OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
                SerialApi().SetCommMask(ports[p], EV_RXCHAR);
            }
            std::atomic<bool> quit{false};
            std::thread readers[2], feeders[2];
            const double start = Now();
            for (int p = 0; p < 2; ++p) {
                readers[p] = std::thread([&, p] {
                    ReadStreamBare(ports[p], kStreamBytes, kQueueBytes);
                    bareSeconds[p] = Now() - start;
                });
                feeders[p] = std::thread([&, p] { Feed(*bareDevices[p], kStreamBytes, 7 + p + run, quit); });
            }
            for (std::thread& reader : readers)
                reader.join();
            quit = true;
            for (int p = 0; p < 2; ++p) {
                feeders[p].join();
                SerialApi().CloseHandle(ports[p]);
            }
        }
        fake.ClearCalls();
        frame.ResetCounts();
        std::thread feeders[2];
        std::atomic<bool> quit{false};
        const double start = Now();
        for (int p = 0; p < 2; ++p)
            feeders[p] = std::thread([&, p] { Feed(*devices[p], kStreamBytes, 11 + p + run, quit); });
        frame.WaitFor([&] {
            return frame.GetPort(0).matched + frame.GetPort(0).broken >= kStreamBytes &&
                   frame.GetPort(1).matched + frame.GetPort(1).broken >= kStreamBytes;
        }, 120000);
        quit = true;
        for (std::thread& feeder : feeders)
            feeder.join();
        for (int p = 0; p < 2; ++p) {
            BenchFrame::Port& port = frame.GetPort(p);
            const double seconds = port.lastByte > start ? port.lastByte - start : 1e9;
            values.push_back(static_cast<double>(kStreamBytes) / seconds);
            floors.push_back(static_cast<double>(kStreamBytes) / bareSeconds[p]);
            lost += kStreamBytes - port.matched;
            maxWait = std::max(maxWait, port.maxWaitMs);
            failures += port.failures;
        }
    }
    StopConnections();

    const double value = Median(values);
    Report("8 receive.fake.per-port", value, "B/s", 10.0 * kLineRateBytes, "10x-3Mbaud", AtLeast, 1);
    Report("8 receive.fake.per-port-vs-bare", value, "B/s", Median(floors), "bare-loop", AtLeast, 0.5);
    Report("8 receive.fake.lost", static_cast<double>(lost), "bytes", 0, "none", AtMost, 0);
    Report("8 receive.fake.ui-wait-max", maxWait, "ms", 50, "bound", AtMost, 1);
    if (failures)
        Report("8 receive.fake.failure-messages", failures, "records", 0, "none", AtMost, 0);
}

// Seconds of the fastest of a few reads of 64 bytes on port 0 as the connection shows their
// bytes waiting for the delimiter; negative when a read was never shown.
double PendingReadCost(FakeSerialDevice& device, BenchFrame& frame)
{
    BenchFrame::Port& port = frame.GetPort(0);
    double best = 1e9;
    for (int i = 0; i < 7; ++i) {
        const int before = port.pendingShows;
        const double start = Now();
        device.Inject(std::vector<BYTE>(64, 0x41));
        if (!frame.WaitFor([&] { return port.pendingShows > before; }, 60000))
            return -1;
        best = std::min(best, port.lastPendingShown - start);
    }
    return best;
}

void PendingFigures(FakeSerial& fake, BenchFrame& frame)
{
    const size_t kPile = 16 * 1024 * 1024;
    CCommSetRecord& set = GetCurrentCommSet();
    const CCommSetRecord saved = set;
    set.m_nRecvFraming[0] = 2;
    const BYTE delimiter = 0x0A;
    COleSafeArray delimiters;
    delimiters.CreateOneDim(VT_UI1, 1, &delimiter);
    set.m_delimiters[0] = delimiters;
    set.m_nRecvBufferSize[0] = static_cast<int>(kPile + 4096);
    FakeSerialDevice& device = fake.AddDevice("\\\\.\\COM1");
    frame.ResetCounts();
    StartConnection(frame, 0);
    frame.WaitFor([&] { return frame.GetPort(0).buffer && frame.GetPort(0).lineShown; }, 10000);
    BenchFrame::Port& port = frame.GetPort(0);
    std::vector<double> empties, piled;
    for (int run = 0; run < Runs(); ++run) {
        // What waits is delivered first: nothing waits.
        int before = port.pendingShows;
        device.Inject({0x0A});
        frame.WaitFor([&] { return port.pendingShows > before; }, 60000);
        empties.push_back(PendingReadCost(device, frame));
        before = port.pendingShows;
        device.Inject(std::vector<BYTE>(kPile, 0x42));
        frame.WaitFor([&] { return port.pendingShows > before; }, 60000);
        piled.push_back(PendingReadCost(device, frame));
    }
    StopConnections();
    set = saved;
    Report("8 receive.fake.read-with-16MiB-pending", Median(piled) * 1e6, "us", Median(empties) * 1e6,
           "read-with-nothing-pending", AtMost, 2);
}

// Seconds of one overlapped 16-byte write straight to a device of the fake.
double DeviceWriteTime(const char* name, int writes)
{
    const SerialApiTable& api = SerialApi();
    HANDLE port = api.CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED, nullptr);
    OVERLAPPED ov = {};
    ov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    BYTE bytes[16] = {};
    const double seconds = TimeOf([&] {
        for (int i = 0; i < writes; ++i) {
            DWORD written = 0;
            if (!api.WriteFile(port, bytes, sizeof(bytes), &written, &ov) && GetLastError() == ERROR_IO_PENDING)
                api.GetOverlappedResult(port, &ov, &written, TRUE);
        }
    });
    api.CloseHandle(port);
    CloseHandle(ov.hEvent);
    return seconds / writes;
}

// Seconds of one synchronous report from another thread to the frame: the unit every
// report of a connection costs whatever the frame does with it.
double ReportRoundTrip(BenchFrame& frame, int reports)
{
    double seconds = 0;
    std::atomic<bool> done{false};
    std::thread sender([&] {
        seconds = TimeOf([&] {
            for (int i = 0; i < reports; ++i)
                SendMessageA(frame.Handle(), WM_NULL, 0, 0);
        });
        done = true;
    });
    frame.WaitFor([&] { return done.load(); }, 60000);
    sender.join();
    return seconds / reports;
}

// Seconds of one block through a channel buffer as a reply takes it: pushed and signalled
// by the frame, popped by the connection, which then finds the queue empty.
double ChannelBufferBlock(int blocks)
{
    CChannelBuffer buffer(3, 0, 0);
    buffer.m_strEventName = "KorvaneBenchChannelBuffer";
    HANDLE trigger = CreateEventA(nullptr, FALSE, FALSE, buffer.m_strEventName);
    COleSafeArray block, popped;
    block.CreateOneDim(VT_UI1, 16);
    const double seconds = TimeOf([&] {
        for (int i = 0; i < blocks; ++i) {
            buffer.Push(block, 0);
            buffer.Signal();
            buffer.PopNext(popped);
            buffer.PopNext(popped);
        }
    });
    CloseHandle(trigger);
    return seconds / blocks;
}

void ReplyFigures(FakeSerial& fake, BenchFrame& frame)
{
    FakeSerialDevice& device = fake.AddDevice("\\\\.\\COM1");
    fake.AddDevice("\\\\.\\COM5");
    frame.ResetCounts();
    frame.GetPort(0).reply = true;
    frame.GetPort(0).replyBytes.assign(16, 0x5A);
    StartConnection(frame, 0);
    frame.WaitFor([&] { return frame.GetPort(0).buffer && frame.GetPort(0).lineShown; }, 10000);

    const int kBlocks = 200;
    std::vector<double> latencies, floors, reports, buffers;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(DeviceWriteTime("\\\\.\\COM5", kBlocks));
        reports.push_back(ReportRoundTrip(frame, kBlocks));
        buffers.push_back(ChannelBufferBlock(kBlocks));
        fake.ClearCalls();
        std::atomic<bool> done{false};
        std::thread feeder([&] {
            std::vector<BYTE> block(16);
            for (int i = 0; i < kBlocks; ++i) {
                FillStream(block.data(), block.size(), static_cast<unsigned long long>(i) * 16);
                const int before = device.WriteCount();
                const double start = Now();
                device.Inject(block);
                // Looked at now and then, so the looking takes no time from the connection.
                const DWORD given = GetTickCount();
                while (device.WriteCount() == before && GetTickCount() - given < 5000)
                    Sleep(1);
                latencies.push_back(CounterSeconds(device.LastWriteCounter()) - start);
            }
            done = true;
        });
        frame.WaitFor([&] { return done.load(); }, 60000);
        feeder.join();
        frame.ResetCounts();
    }
    frame.GetPort(0).reply = false;
    StopConnections();
    const double write = Median(floors);
    const double report = Median(reports);
    std::vector<double> required;
    for (size_t i = 0; i < floors.size(); ++i)
        required.push_back(3 * reports[i] + floors[i]);
    const double floor = Median(required);
    Report("6 reply.fake.median", Median(latencies) * 1e6, "us", floor * 1e6, "3-reports+write", AtMost, 1.3);
    ReportInfo("6 reply.fake.p99", Percentile(latencies, 0.99) * 1e6, "us", floor * 1e6, "3-reports+write");
    ReportInfo("6 reply.report-round-trip", report * 1e6, "us", write * 1e6, "device-write");
    ReportInfo("6 reply.channel-buffer-block", Median(buffers) * 1e6, "us", write * 1e6, "device-write");
}

} // namespace

void ReceiveFigures()
{
    CCommSetRecord& set = GetCurrentCommSet();
    const CCommSetRecord saved = set;
    SetUpPorts(set);
    SetStartTickCount(GetTickCount());
    BenchEditor editor;
    SetAppAccessors(&editor);
    {
        FakeSerial fake;
        BenchFrame frame;
        ThroughputFigures(fake, frame);
        ReplyFigures(fake, frame);
        PendingFigures(fake, frame);
    }
    SetAppAccessors(nullptr);
    set = saved;
}

} // namespace bench
