// Figure 7: the receive path over the real pseudo-terminal pair of the test command, one port.
// The device end writes the sequence stream in pieces of 1 to 4,096 bytes; the connection
// runs on the other end and the frame logs and checks every block. The floor is a bare Win32
// read loop on the same end, fed in the same way, run between the connection's runs.
//
// Beside it, the send path behind a stalled line, in the program itself: blocks given 20 ms
// apart while the device reads nothing, then the time from the device's going on to the last
// byte, against the line's own pace for the same bytes: a bare Win32 write of them all behind
// the same stall, run between the program's runs while its port is stopped.
//
// And a flood of numbered lines at a steady pace into the program itself, the hourly log on,
// while a short-lived Wine program starts every two seconds beside it: every line must be in the
// hourly file, in order, once the program has been closed. And a device's lines at 300 a second
// into the program whose log is full (every line trims the oldest record), its automatic scroll
// on: the log list's last row is never more than a second behind the device.
#include "benchframe.h"
#include "benchkit.h"
#include "figures.h"

#include "bytes_test_support.h"
#include "commsetrecord.h"
#include "currentcommset.h"
#include "journeys.h"
#include "portdevice.h"
#include "portsession.h"
#include "resource.h"
#include "setfile_writer.h"
#include "soakstreams.h"

#include "commlogrecord.h"
#include "logfiles.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

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

// The backlog: five blocks of 64 KiB, 20 ms apart, as five presses of Ctrl+2 with 64 KiB in the
// send data editor give. The program's script sends them when the device sends a byte (the
// stream's bytes, as StreamByte gives them), and a byte of its own once connected.
const int kBacklogBlocks = 5;
const size_t kBacklogBlockBytes = 65536;
const DWORD kStallMs = 500;
const char kBacklogScript[] = "local blocks = {}\n"
                              "for b = 0, 4 do\n"
                              "  local t = {}\n"
                              "  for i = 1, 65536 do\n"
                              "    local k = b * 65536 + i - 1\n"
                              "    t[i] = math.floor(math.floor(k / 4) / 256 ^ (k % 4)) % 256\n"
                              "  end\n"
                              "  blocks[b + 1] = t\n"
                              "end\n"
                              "local n = 0\n"
                              "function OnConnected() SendData({0x52}) end\n"
                              "function OnReceive(data) n = 0 SetTimer(0, 20) end\n"
                              "function OnTimer(id) n = n + 1 SendData(blocks[n]) if n == 5 then KillTimer(0) end end\n"
                              "function OnSendPush() end\n"
                              "function OnDisConnected() end\n";

// What the device end receives: while armed, the bytes in sequence and the time the last one
// came, taken on its reader thread and published by done; otherwise a count of stray bytes.
struct Arrivals
{
    size_t expected = 0;
    size_t matched = 0;
    size_t broken = 0;
    double lastByte = 0;
    std::atomic<bool> armed{false};
    std::atomic<bool> done{false};
    std::atomic<int> stray{0};

    // While the line is quiet.
    void Arm(size_t total)
    {
        expected = total;
        matched = broken = 0;
        lastByte = 0;
        done = false;
        armed = true;
    }
    void Take(const BYTE* data, size_t length)
    {
        if (!armed) {
            stray += static_cast<int>(length);
            return;
        }
        for (size_t i = 0; i < length; ++i) {
            if (data[i] == StreamByte(matched))
                ++matched;
            else
                ++broken;
        }
        if (matched + broken >= expected) {
            lastByte = Now();
            armed = false;
            done = true;
        }
    }
};

// Seconds from the device's going on to the last byte of the bytes written by a bare loop as
// one write behind the stall, once the program has let the port go; 0 when they did not all
// arrive in order.
double BareBacklog(int comNumber, PortDevice& device, Arrivals& arrivals, const std::vector<BYTE>& bytes)
{
    char name[32];
    std::snprintf(name, sizeof(name), "\\\\.\\COM%d", comNumber);
    HANDLE port = INVALID_HANDLE_VALUE;
    e2e::WaitFor([&] {
        port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                           nullptr);
        return port != INVALID_HANDLE_VALUE;
    }, 10000);
    if (port == INVALID_HANDLE_VALUE)
        return 0;
    COMMTIMEOUTS timeouts = {};
    SetupComm(port, kQueueBytes, kQueueBytes);
    SetCommTimeouts(port, &timeouts);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    device.PauseReading(true);
    arrivals.Arm(bytes.size());
    OVERLAPPED ov = {};
    ov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD written = 0;
    const bool started = WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &ov) ||
                         GetLastError() == ERROR_IO_PENDING;
    Sleep(kStallMs);
    const double start = Now();
    device.PauseReading(false);
    const bool arrived = started && e2e::WaitFor([&] { return arrivals.done.load(); }, 30000);
    if (started)
        GetOverlappedResult(port, &ov, &written, TRUE);
    CloseHandle(ov.hEvent);
    CloseHandle(port);
    return arrived && arrivals.broken == 0 ? arrivals.lastByte - start : 0;
}

// The same for the program's connection, started as the user starts it (unless the program's
// start started it) and given the blocks by its script; it is stopped again afterwards. The
// connection says it is ready with a byte of its own, the stray bytes' count passing readies.
double ProgramBacklog(HWND hMain, bool bStart, PortDevice& device, Arrivals& arrivals, size_t total, int& readies)
{
    if (bStart)
        PostMessageA(hMain, WM_COMMAND, ID_PORT1_START, 0);
    double seconds = 0;
    if (e2e::WaitFor([&] { return arrivals.stray > readies; }, 10000)) {
        readies = arrivals.stray;
        device.PauseReading(true);
        arrivals.Arm(total);
        device.StartWriting({0x47}, {1});
        device.WaitWritten(5000);
        Sleep(kStallMs);
        const double start = Now();
        device.PauseReading(false);
        if (e2e::WaitFor([&] { return arrivals.done.load(); }, 30000) && arrivals.broken == 0)
            seconds = arrivals.lastByte - start;
    }
    PostMessageA(hMain, WM_COMMAND, ID_PORT1_STOP, 0);
    return seconds;
}

// In the program itself: each block's completion report reaches its log view, which the frame
// of the receive figure does not have, so a connection that waited for the frame's answer block
// by block shows here.
void BacklogFigure(int connectionCom, int deviceCom)
{
    Arrivals arrivals;
    PortDevice device;
    device.SetReceiver([&](const BYTE* data, size_t length) { arrivals.Take(data, length); });
    e2e::Korvane program;
    CCommSetRecord set = testsets::PortOneSet("Backlog", connectionCom);
    set.m_nRecvFraming[0] = 0;
    set.m_nRecvBufferSize[0] = kQueueBytes;
    set.m_nInQueue[0] = set.m_nOutQueue[0] = kQueueBytes;
    set.m_nScriptMode[0] = 1;
    set.m_scriptText[0] =
        testbytes::BufferOf(std::vector<BYTE>(kBacklogScript, kBacklogScript + sizeof(kBacklogScript) - 1));
    if (!device.Open(deviceCom) || !testsets::WriteSetFileTo(program.File("auto.kvr").c_str(), set) ||
        !program.Start()) {
        Report("7 send.pty.backlog-set-up", 0, "steps", 1, "device+set+program", AtLeast, 1);
        return;
    }
    std::vector<BYTE> bytes(kBacklogBlocks * kBacklogBlockBytes);
    FillStream(bytes.data(), bytes.size(), 0);
    std::vector<double> floors, values;
    int failedRuns = 0, readies = 0;
    for (int run = 0; run < Runs(); ++run) {
        // The set starts its port with the program.
        const double value = ProgramBacklog(program.Main(), run > 0, device, arrivals, bytes.size(), readies);
        const double bare = BareBacklog(connectionCom, device, arrivals, bytes);
        if (bare > 0 && value > 0) {
            floors.push_back(bare);
            values.push_back(value);
        } else {
            ++failedRuns;
        }
    }
    program.Close();
    device.Close();
    Report("7 send.pty.backlog-after-stall", Median(values) * 1e3, "ms", Median(floors) * 1e3, "bare-one-write", AtMost,
           1.5);
    if (failedRuns)
        Report("7 send.pty.backlog-runs-failed", failedRuns, "runs", 0, "none", AtMost, 0);
}

const int kFloodLinesPerSecond = 150;
const DWORD kFloodStartGapMs = 2000;
const char kFloodPrefix[] = "FLOOD";

int FloodSeconds()
{
    char text[32] = {};
    if (GetEnvironmentVariableA("KORVANE_FLOOD_SECONDS", text, sizeof(text)) && std::atoi(text) > 0)
        return std::atoi(text);
    return 30;
}

// Line n: its number in eight digits, filled to 40 bytes with the line feed.
std::string FloodLine(unsigned n)
{
    char line[48];
    std::snprintf(line, sizeof(line), "%08u flood line, forty bytes long....\n", n);
    return line;
}

// Starts the program connected to the device's port, its hourly log on in the program's folder
// "hourly" (returned) and MAXLOG as given, through the startup set `setName`; false after
// reporting `setUpFigure` when a step failed.
bool StartFloodedProgram(e2e::Korvane& program, PortDevice& device, int deviceCom, const char* setName, DWORD maxLog,
                         const char* setUpFigure, std::string& hourly)
{
    hourly = program.File("hourly");
    CreateDirectoryA(hourly.c_str(), nullptr);
    if (!WriteHourlySettings(hourly, kFloodPrefix, maxLog) || !e2e::WriteStartupSet(program, setName, "", true) ||
        !device.Open(deviceCom) || !program.Start() ||
        !e2e::WaitFor([&] { return e2e::PortState(program) == e2e::kConnected; }, 30000)) {
        Report(setUpFigure, 0, "steps", 1, "device+set+program", AtLeast, 1);
        return false;
    }
    return true;
}

// Lines a device sends at a steady pace from when they start: `total` of them, numbered from
// `first`, `perSecond` a second. `sent` counts those handed to the line, and sentAt holds when
// each was; both are read by the thread that watches the program while the device writes.
struct PacedLines
{
    unsigned first = 0;
    unsigned total = 0;
    int perSecond = 1;
    std::vector<double> sentAt;
    std::atomic<unsigned> sent{0};
    std::string piece;
    double start = 0;

    void StartOn(PortDevice& device)
    {
        sentAt.assign(total, 0);
        start = Now();
        device.StartWritingFrom([this](const BYTE*& data, size_t& length) {
            const unsigned k = sent;
            if (k >= total)
                return false;
            const double due = start + static_cast<double>(k) / perSecond;
            while (Now() < due)
                Sleep(1);
            piece = FloodLine(first + k);
            data = reinterpret_cast<const BYTE*>(piece.data());
            length = piece.size();
            sentAt[k] = Now();
            sent = k + 1;
            return true;
        });
    }
};

// What the hourly files of the folder hold of the lines: how many came in order from the first,
// how many did not, and the longest time between two received records.
struct FiledLines
{
    unsigned inOrder = 0;
    unsigned outOfOrder = 0;
    double longestGapMs = 0;
};

double RecordSeconds(const SYSTEMTIME& t)
{
    return ((t.wDay * 24.0 + t.wHour) * 60 + t.wMinute) * 60 + t.wSecond + t.wMilliseconds / 1000.0;
}

FiledLines ReadFiledLines(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\" + kFloodPrefix + "*.mqt").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            names.insert(found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    FiledLines filed;
    std::string text;
    double last = -1;
    for (const std::string& name : names) {
        ReadLogFileRecords((folder + "\\" + name).c_str(), [&](const CCommLogRecord& record) {
            if (record.m_nKind != CCommLogRecord::KindReceive)
                return;
            const double at = RecordSeconds(record.m_time);
            if (last >= 0)
                filed.longestGapMs = std::max(filed.longestGapMs, (at - last) * 1e3);
            last = at;
            const std::vector<BYTE> bytes = testbytes::BytesOf(record.m_data);
            text.append(bytes.begin(), bytes.end());
        });
    }
    for (size_t at = 0; at + 8 <= text.size();) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
        if (line == FloodLine(filed.inOrder))
            ++filed.inOrder;
        else
            ++filed.outOfOrder;
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return filed;
}

void FloodFigure(int deviceCom)
{
    e2e::Korvane program;
    PortDevice device;
    std::string hourly;
    if (!StartFloodedProgram(program, device, deviceCom, "Flood", 9999, "7 receive.pty.flood-set-up", hourly))
        return;
    const unsigned total = static_cast<unsigned>(FloodSeconds() * kFloodLinesPerSecond);
    PacedLines lines;
    lines.total = total;
    lines.perSecond = kFloodLinesPerSecond;
    lines.StartOn(device);
    int starts = 0;
    while (device.Writing()) {
        char command[] = "cmd.exe /c exit";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
            ++starts;
            WaitForSingleObject(pi.hProcess, 30000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        const DWORD since = GetTickCount();
        while (device.Writing() && GetTickCount() - since < kFloodStartGapMs)
            Sleep(20);
    }
    const bool written = device.WaitWritten(120000);
    // The program takes what the line still holds, then is closed as a user closes it.
    e2e::WaitFor([&] { return e2e::PortState(program) == e2e::kConnected && ReadFiledLines(hourly).inOrder >= total; },
                 20000);
    const double closeStart = Now();
    const bool closed = program.Close();
    const double closeSeconds = Now() - closeStart;
    device.Close();
    const FiledLines filed = ReadFiledLines(hourly);
    Report("7 receive.pty.flood-lines-filed", filed.inOrder, "lines", written ? total : 0, "device-sent", AtLeast, 1);
    if (filed.outOfOrder)
        Report("7 receive.pty.flood-lines-out-of-order", filed.outOfOrder, "lines", 0, "none", AtMost, 0);
    ReportInfo("7 receive.pty.flood-longest-gap", filed.longestGapMs, "ms", 1000.0 / kFloodLinesPerSecond,
               "line-period");
    ReportInfo("7 receive.pty.flood-wine-starts", starts, "programs", FloodSeconds() * 1000.0 / kFloodStartGapMs,
               "one-per-2s");
    Report("7 receive.pty.flood-close", closed ? closeSeconds : 99, "s", 1, "bound", AtMost, 1);
}

const int kFullLogLinesPerSecond = 300;
const int kFullLogRecords = 9999;

// The number of the flood line whose first 16 bytes a log row's contents show, as hex digits
// or as printable characters in brackets; -1 when they show none.
long FloodLineOfRow(const std::string& contents)
{
    auto number = [](const std::string& digits) {
        if (digits.size() < 8)
            return -1L;
        for (size_t i = 0; i < 8; ++i)
            if (!std::isdigit(static_cast<unsigned char>(digits[i])))
                return -1L;
        return std::atol(digits.substr(0, 8).c_str());
    };
    const size_t open = contents.find('[');
    if (open != std::string::npos && number(contents.substr(open + 1)) >= 0)
        return number(contents.substr(open + 1));
    for (size_t colon = contents.find(':'); colon != std::string::npos; colon = contents.find(':', colon + 1)) {
        std::string hex, bytes;
        for (size_t i = colon + 1; i < contents.size() && contents[i] != ':' && hex.size() < 16; ++i) {
            if (std::isxdigit(static_cast<unsigned char>(contents[i])))
                hex += contents[i];
        }
        for (size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
        if (number(bytes) >= 0)
            return number(bytes);
    }
    return -1;
}

// The flood line the log list's last row shows, -1 when it shows none.
long LastRowLine(HWND list)
{
    const int count = e2e::ListCount(list);
    return count > 0 ? FloodLineOfRow(e2e::ListCell(list, count - 1, 3)) : -1;
}

// The program as a user leaves it to watch a chatty device: lines framed at their line feed, the
// hourly log on, MAXLOG 9999 and the automatic scroll on. The log is filled first with as many
// lines as it holds, as fast as the line takes them; then the device sends a line every
// 1/300 s while the log list is read every tenth of a second. How far the list is behind the
// device is the age of the oldest line sent that the last row does not show yet.
void FullLogFigure(int deviceCom)
{
    e2e::Korvane program;
    PortDevice device;
    std::string hourly;
    if (!StartFloodedProgram(program, device, deviceCom, "FullLog", kFullLogRecords, "7 receive.pty.full-log-set-up",
                             hourly))
        return;
    PostMessageA(program.Main(), WM_COMMAND, ID_FRAME_AUTO_SCROLL, 0);
    const HWND list = program.LogList();
    std::string fill;
    for (int n = 0; n < kFullLogRecords; ++n)
        fill += FloodLine(static_cast<unsigned>(n));
    device.StartWriting(std::vector<BYTE>(fill.begin(), fill.end()),
                        std::vector<size_t>(fill.size() / 4000 + 1, 4000));
    const bool filled = device.WaitWritten(300000) && e2e::WaitFor([&] {
        return e2e::ListCount(list) == kFullLogRecords && LastRowLine(list) == kFullLogRecords - 1;
    }, 120000);
    e2e::WaitIdle(program.Main());
    if (!filled) {
        Report("7 receive.pty.full-log-filled", e2e::ListCount(list), "rows", kFullLogRecords, "maxlog", AtLeast, 1);
        program.Close();
        device.Close();
        return;
    }

    const unsigned first = kFullLogRecords;
    const unsigned total = static_cast<unsigned>(FloodSeconds() * kFullLogLinesPerSecond);
    PacedLines lines;
    lines.first = first;
    lines.total = total;
    lines.perSecond = kFullLogLinesPerSecond;
    lines.StartOn(device);
    const std::vector<double>& sentAt = lines.sentAt;
    const std::atomic<unsigned>& sent = lines.sent;
    const double start = lines.start;
    // The newest line the last row shows once the list has painted; and how far that is
    // behind the device: the age of the oldest line sent that the row does not show yet.
    long painted = static_cast<long>(first) - 1;
    auto Look = [&] {
        const long line = LastRowLine(list);
        if (line >= 0 && !GetUpdateRect(list, nullptr, FALSE))
            painted = line;
    };
    auto Behind = [&] {
        Look();
        const double now = Now();
        const unsigned shown = painted >= static_cast<long>(first) ? static_cast<unsigned>(painted - first) + 1 : 0;
        const unsigned out = sent;
        return shown < out ? now - sentAt[shown] : 0.0;
    };
    std::vector<double> samples;
    while (device.Writing()) {
        Sleep(100);
        samples.push_back(Behind());
    }
    const double writeEnd = Now();
    const bool written = device.WaitWritten(10000) && sent == total;
    double lastShown = 0;
    e2e::WaitFor([&] {
        Look();
        if (painted != static_cast<long>(first + total - 1))
            return false;
        lastShown = Now();
        return true;
    }, 30000);
    const double lastBehind = lastShown != 0 ? lastShown - sentAt[total - 1] : 99;
    program.Close();
    device.Close();
    // The device's own pace: a program that takes its lines more slowly holds the line's
    // writes back, and the writes go out late.
    ReportInfo("7 receive.pty.full-log-lines-sent", total / (writeEnd - start), "lines/s", kFullLogLinesPerSecond,
               "device-pace");
    ReportInfo("7 receive.pty.full-log-behind-median", Median(samples), "s", 1, "a-second");
    const double worst = samples.empty() ? 99 : *std::max_element(samples.begin(), samples.end());
    Report("7 receive.pty.full-log-last-row-behind", worst, "s", 1, "a-second", AtMost, 1);
    Report("7 receive.pty.full-log-last-line-shown", lastBehind, "s", 1, "a-second", AtMost, 1);
    if (!written)
        Report("7 receive.pty.full-log-lines-written", sent, "lines", total, "device-sent", AtLeast, 1);
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

    const double value = Median(values);
    Report("7 receive.pty.one-port", value, "B/s", kLineRateBytes, "3Mbaud-line", AtLeast, 1);
    Report("7 receive.pty.one-port-vs-bare", value, "B/s", Median(floors), "bare-win32-loop", AtLeast, 0.5);
    Report("7 receive.pty.lost", static_cast<double>(lost), "bytes", 0, "none", AtMost, 0);
    ReportInfo("7 receive.pty.ui-wait-max", maxWait, "ms", 50, "bound");
    if (failures)
        Report("7 receive.pty.failure-messages", failures, "records", 0, "none", AtMost, 0);

    BacklogFigure(connectionCom, deviceCom);
    FloodFigure(deviceCom);
    FullLogFigure(deviceCom);
    SetAppAccessors(nullptr);
    set = saved;
}

} // namespace bench
