// Figure 11: the soak. The real program, started as the end-to-end tests start it, runs both
// ports on pseudo-terminal pairs for KORVANE_SOAK_MINUTES (default 10) while a peer on each far
// end sends at full speed: port 1 answers with the automatic echo, port 2 with a Lua script's
// OnReceive, the hourly log takes every record and the log holds at most 9,999. It is set up
// as a user sets it up: the "CMN" settings in the registry, a start-up set in its folder, the
// COM control panes floated out of their group by their tabs and the automatic scroll turned
// on from the view menu, so that the detailed log data pane shows every new record.
//
// Every 10 s the process's memory, handles and drawing and window objects are read from
// outside, with the bytes the peers sent and got back and the bytes in the hourly files.
// Goals: once the log is full no count grows by more than 2 % over the rest of the traffic
// (the least-squares trend of the samples since, against the value when it filled); every
// byte sent is in the hourly files in order; every echo and script reply came back; the
// program ends with 0 when closed; and once the log is full, no second passes without a new
// record in the hourly files while the peers send (the files are followed every 100 ms; the
// peers' own pauses last at most half a second). One more sample is taken once the peers stopped and all
// came back; the program's memory steps up once as it falls idle there (a few MiB, then flat
// however long it idles), so that sample is shown but kept out of the trends.
#include "benchkit.h"
#include "figures.h"
#include "soakcounts.h"
#include "soakstreams.h"

#include "journeys.h"
#include "setfile_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace bench {

namespace {

const int kMaxLog = 9999;
const DWORD kSampleMs = 10000;
const DWORD kFollowMs = 100;
const BYTE kDelimiter = 0x0A;
const unsigned kSeeds[2] = {0x50A4C001u, 0x50A4C002u};
const char kPrefix[] = "SOAK";
const char kScript[] = "function OnConnected() end\n"
                       "function OnReceive(t) SendData(t) end\n"
                       "function OnSendPush() end\n"
                       "function OnTimer(id) end\n"
                       "function OnDisConnected() end\n";

struct Sample
{
    double t = 0;  // seconds since the peers began
    ProcessCounts counts;
    unsigned long long records = 0;
    unsigned long long logBytes = 0;
    unsigned long long sent[2] = {};
    unsigned long long back[2] = {};
    unsigned long long filed[2] = {};
};

bool ComPair(const char* variable, int& program, int& peer)
{
    char text[64] = {};
    if (!GetEnvironmentVariableA(variable, text, sizeof(text)))
        return false;
    return std::sscanf(text, "%d %d", &program, &peer) == 2 && program > 0 && peer > 0;
}

double Minutes()
{
    char text[32] = {};
    if (GetEnvironmentVariableA("KORVANE_SOAK_MINUTES", text, sizeof(text)) && std::atof(text) > 0)
        return std::atof(text);
    return 10;
}

// Port 1: plain, blocks up to a line feed, the received bytes echoed on the same port.
// Port 2: the script, every read one block.
bool WriteStartupSet(const std::string& path, const int programCom[2])
{
    CCommSetRecord set;
    SetCommSetDefaults(set, TRUE);
    set.m_strSetName = "Soak";
    for (int port = 0; port < 2; ++port) {
        set.m_nInUse[port] = 1;
        set.m_nCommType[port] = CCommSetRecord::kCommTypeSerial;
        set.m_nComIndex[port] = programCom[port] - 1;
        set.m_nBaudRate[port] = 115200;
        set.m_nRecvBufferSize[port] = 65536;
        set.m_nInQueue[port] = set.m_nOutQueue[port] = 65536;
    }
    set.m_nRecvFraming[0] = 2;
    set.m_delimiters[0] = testbytes::BufferOf({kDelimiter});
    set.m_nRecvActionOn[0] = 1;
    set.m_nReplyKind[0] = 1;
    set.m_nReplyTarget[0] = 0;
    set.m_nRecvFraming[1] = 0;
    set.m_nScriptMode[1] = 1;
    set.m_scriptText[1] = testbytes::BufferOf(std::vector<BYTE>(kScript, kScript + sizeof(kScript) - 1));
    return testsets::WriteSetFileTo(path.c_str(), set);
}

const int kDetailPane = 32774;
const int kComPanes[2] = {32860, 32861};

// Drags a pane's tab, the one fromEnd places before the last of its group's strip, out to a
// point; true once the pane floats.
bool FloatByTab(e2e::Korvane& k, int paneId, size_t fromEnd, POINT drop)
{
    for (int attempt = 0; attempt < 3 && e2e::FloatingFrameOf(k, paneId) == NULL; ++attempt) {
        const e2e::LayoutView layout = k.ReadLayout();
        const e2e::GroupView* group = layout.GroupOf(paneId);
        if (group == nullptr)
            return false;
        // The strip is read from its pixels: wait until it shows a label for every member (a
        // tab of a pane floated before may stay on it).
        HWND strip = e2e::TabStripOf(group->hwnd);
        std::vector<e2e::TabLabel> labels;
        if (!e2e::WaitFor([&] { return (labels = k.TabLabels(strip)).size() >= group->members.size(); }, 3000) ||
            labels.size() <= fromEnd)
            continue;
        e2e::Drag(e2e::Center(labels[labels.size() - 1 - fromEnd].rc), drop);
        e2e::WaitFor([&] { return e2e::FloatingFrameOf(k, paneId) != NULL; }, 3000);
    }
    return e2e::FloatingFrameOf(k, paneId) != NULL;
}

// The COM control panes dragged out of the bottom group by their tabs (the last two of its
// strip), each to a place of its own beside the main window (a floating frame may fall behind
// it); the detailed log data pane stays the group's shown tab. Answers the names of the three
// panes that are not seen.
std::string ShowPanes(e2e::Korvane& k)
{
    const RECT main = e2e::ScreenRect(k.Main());
    FloatByTab(k, kComPanes[0], 1, POINT{main.right + 40, main.top + 60});
    FloatByTab(k, kComPanes[1], 0, POINT{main.right + 40, main.top + 360});
    const e2e::LayoutView layout = k.ReadLayout();
    if (const e2e::GroupView* group = layout.GroupOf(kDetailPane)) {
        if (group->selected != kDetailPane) {
            const std::vector<e2e::TabLabel> labels = k.TabLabels(e2e::TabStripOf(group->hwnd));
            if (!labels.empty()) {
                const POINT at = e2e::Center(labels.front().rc);
                e2e::Click(at.x, at.y);
            }
        }
    }
    std::string unseen;
    e2e::WaitFor([&] {
        const e2e::LayoutView now = k.ReadLayout();
        unseen.clear();
        for (int id : {kDetailPane, kComPanes[0], kComPanes[1]}) {
            const e2e::PaneView* pane = now.Pane(id);
            if (pane == nullptr || !pane->seen)
                unseen += std::string(unseen.empty() ? "" : ", ") + e2e::NameOf(id);
        }
        return unseen.empty();
    });
    return unseen;
}

void PrintHeader()
{
    std::printf("%7s %8s %8s %8s %8s %7s %5s %5s | %9s %9s %9s | %9s %9s %9s\n", "t/s", "records", "log/KiB",
                "ws/MiB", "priv/MiB", "handles", "gdi", "user", "sent1/KiB", "echo1/KiB", "file1/KiB", "sent2/KiB",
                "reply2/KiB", "file2/KiB");
}

void PrintSample(const Sample& s, bool full)
{
    char gdi[16] = "n/a";
    if (s.counts.gdiObjects >= 0)
        std::snprintf(gdi, sizeof(gdi), "%.0f", s.counts.gdiObjects);
    std::printf("%7.0f %7llu%s %8.0f %8.2f %8.2f %7.0f %5s %5.0f | %9.0f %9.0f %9.0f | %9.0f %9.0f %9.0f\n", s.t,
                s.records, full ? "*" : " ", s.logBytes / 1024.0, s.counts.workingSet / 1048576,
                s.counts.privateBytes / 1048576,
                s.counts.handles, gdi, s.counts.userObjects, s.sent[0] / 1024.0, s.back[0] / 1024.0,
                s.filed[0] / 1024.0, s.sent[1] / 1024.0, s.back[1] / 1024.0, s.filed[1] / 1024.0);
    std::fflush(stdout);
}

// The rise of the least-squares line through the samples [first, end) from the first to the last.
double Trend(const std::vector<Sample>& samples, size_t first, size_t end, double ProcessCounts::*count)
{
    const size_t n = end - first;
    if (n < 2)
        return 0;
    double st = 0, sv = 0;
    for (size_t i = first; i < end; ++i) {
        st += samples[i].t;
        sv += samples[i].counts.*count;
    }
    const double mt = st / n, mv = sv / n;
    double num = 0, den = 0;
    for (size_t i = first; i < end; ++i) {
        num += (samples[i].t - mt) * (samples[i].counts.*count - mv);
        den += (samples[i].t - mt) * (samples[i].t - mt);
    }
    return den > 0 ? num / den * (samples[end - 1].t - samples[first].t) : 0;
}

// One soak: the program, the two peers, the hourly files and the samples taken so far.
class SoakRun
{
public:
    SoakRun() : m_peers{SoakPeer(kSeeds[0]), SoakPeer(kSeeds[1])} {}

    // Settings, start-up set, peers, the program and its panes; false (said why) on failure.
    bool SetUp(const int programCom[2], const int peerCom[2], double minutes);
    // The peers send until the time is up; a sample every 10 s.
    void Traffic(double minutes);
    // The peers end at a delimiter; then everything sent must come back and reach the files.
    void Drain();
    // Closed through its window as a person closes it.
    void Close();
    void ReportGoals();

private:
    // A row of the table for every sample of a short run, for every few of a long one, and for
    // the one when the log filled and the last.
    void TakeSample(bool last = false);
    // Reads the hourly files on; while the peers send, times the stretches without a record.
    void Follow();
    void ReportCounts();
    void ReportStreams();

    e2e::Korvane m_program;
    SoakPeer m_peers[2];
    std::unique_ptr<HourlyFollower> m_files;
    std::vector<Sample> m_samples;
    size_t m_filled = SIZE_MAX;
    size_t m_traffic = 0;  // the samples taken while the peers sent
    size_t m_printEvery = 1;
    bool m_sending = false;
    unsigned long long m_followed = 0;  // records seen by the last Follow
    double m_lastRecord = 0;            // when a new record was last seen
    double m_longestStill = -1;         // the longest stretch without one once the log was full
    double m_longestStillAt = 0;
    CountSources m_sources;
    double m_start = 0;
    bool m_sentWhole = true;
    bool m_ended = false;
    DWORD m_exitCode = 1;
};

bool SoakRun::SetUp(const int programCom[2], const int peerCom[2], double minutes)
{
    const std::string hourly = m_program.File("hourly");
    CreateDirectoryA(hourly.c_str(), nullptr);
    if (!WriteHourlySettings(hourly, kPrefix, kMaxLog) || !WriteStartupSet(m_program.File("auto.kvr"), programCom)) {
        Report("11 soak.set-up", 0, "steps", 1, "settings+set", AtLeast, 1);
        return false;
    }
    m_files.reset(new HourlyFollower(hourly, kPrefix, kSeeds, kMaxLog));
    for (int port = 0; port < 2; ++port) {
        if (!m_peers[port].Open(peerCom[port])) {
            std::printf("11 soak: skipped, COM%d does not open\n", peerCom[port]);
            return false;
        }
    }
    if (!m_program.Start()) {
        Report("11 soak.program-started", 0, "windows", 1, "main-window", AtLeast, 1);
        return false;
    }
    // The automatic scroll first: once panes float, their frames stand among the menus' windows.
    const bool autoScroll = e2e::TurnOnAutoScroll(m_program);
    const std::string unseen = ShowPanes(m_program);
    if (!unseen.empty()) {
        // A picture of the screen as it was, beside the benchmark, for looking at why.
        e2e::Screenshot(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})
            .SaveBmp(e2e::BinFolder() + "\\soak-panes.bmp");
    }
    std::printf("11 soak: %.4g minutes, ports COM%d (echo) and COM%d (script), peers on COM%d and COM%d; "
                "detailed log data and COM control panes %s%s, automatic scroll %s\n",
                minutes, programCom[0], programCom[1], peerCom[0], peerCom[1], unseen.empty() ? "shown" : "NOT seen: ",
                unseen.c_str(), autoScroll ? "on" : "NOT on");
    // A small table: at most about 60 rows, however long the run.
    m_printEvery = std::max<size_t>(1, static_cast<size_t>(minutes * 60 / (kSampleMs / 1000.0) / 60 + 0.5));
    return true;
}

void SoakRun::TakeSample(bool last)
{
    Sample s;
    s.t = Now() - m_start;
    SampleProcess(m_program.Process().Process(), m_program.Pid(), s.counts, m_sources);
    Follow();
    s.records = m_files->Records();
    s.logBytes = m_files->LogBytes();
    for (int port = 0; port < 2; ++port) {
        s.sent[port] = m_peers[port].Sent();
        s.back[port] = m_peers[port].Back().Matched();
        s.filed[port] = m_files->Received(port).Matched();
    }
    const bool fills = !last && m_filled == SIZE_MAX && s.records >= static_cast<unsigned long long>(kMaxLog);
    if (fills)
        m_filled = m_samples.size();
    m_samples.push_back(s);
    if (fills || last || (m_samples.size() - 1) % m_printEvery == 0)
        PrintSample(s, fills);
}

void SoakRun::Follow()
{
    m_files->Poll();
    const double now = Now();
    const unsigned long long records = m_files->Records();
    if (records != m_followed) {
        m_followed = records;
        m_lastRecord = now;
    }
    // A stretch still going on counts as far as it has come.
    if (m_sending && records >= static_cast<unsigned long long>(kMaxLog) && now - m_lastRecord > m_longestStill) {
        m_longestStill = now - m_lastRecord;
        m_longestStillAt = m_lastRecord - m_start;
    }
}

void SoakRun::Traffic(double minutes)
{
    PrintHeader();
    m_start = Now();
    m_lastRecord = m_start;
    m_sending = true;
    for (SoakPeer& peer : m_peers)
        peer.StartSending();
    TakeSample();
    const double end = m_start + minutes * 60;
    while (Now() < end) {
        Sleep(static_cast<DWORD>(std::min<double>(kFollowMs, (end - Now()) * 1000) + 1));
        Follow();
        if (Now() >= m_start + m_samples.size() * kSampleMs / 1000.0 - 0.5)
            TakeSample();
    }
    Follow();
    m_sending = false;
}

void SoakRun::Drain()
{
    for (SoakPeer& peer : m_peers)
        peer.EndSending(kDelimiter);
    for (SoakPeer& peer : m_peers)
        m_sentWhole = peer.WaitSent(30000) && m_sentWhole;
    auto settled = [&] {
        m_files->Poll();
        for (int port = 0; port < 2; ++port) {
            const StreamCheck& back = m_peers[port].Back();
            const StreamCheck& filed = m_files->Received(port);
            if (back.Matched() + back.Stray() < m_peers[port].Sent() ||
                filed.Matched() + filed.Stray() < m_peers[port].Sent())
                return false;
        }
        return true;
    };
    const double drainEnd = Now() + 120;
    while (!settled() && Now() < drainEnd)
        Sleep(500);
    m_traffic = m_samples.size();
    TakeSample(true);
}

void SoakRun::Close()
{
    m_program.Process().PostClose();
    m_ended = m_program.Process().WaitExit(60000, &m_exitCode);
    m_files->Poll();
    for (SoakPeer& peer : m_peers)
        peer.Close();
}

void SoakRun::ReportGoals()
{
    std::printf("11 soak: the last row was taken once the peers had stopped and all came back; the trends are of "
                "the rows before it\n");
    std::printf("11 soak: working set from GetProcessMemoryInfo, private bytes from its %s, handles from %s, gdi objects "
                "from %s, user objects from %s; the log filled (*) at %s\n",
                m_sources.privateBytes.c_str(), m_sources.handles.c_str(), m_sources.gdi.c_str(),
                m_sources.user.c_str(),
                m_filled == SIZE_MAX ? "no sample"
                                     : (std::to_string(static_cast<int>(m_samples[m_filled].t)) + " s").c_str());
    std::string messages;
    for (const auto& entry : m_files->Messages())
        messages += " " + std::to_string(entry.first) + "x" + std::to_string(entry.second);
    std::printf("11 soak: hourly files %d, records %llu, damaged %llu, messages by code:%s\n", m_files->Files(),
                m_files->Records(), m_files->Damaged(), messages.c_str());
    ReportCounts();
    if (m_longestStill < 0) {
        Report("11 soak.longest-still-when-full", 1, "s", 0, "log-never-full", AtMost, 1);
    } else {
        std::printf("11 soak: the longest stretch without a record once the log was full began at %.0f s\n",
                    m_longestStillAt);
        Report("11 soak.longest-still-when-full", m_longestStill, "s", 1, "a-second", AtMost, 1);
    }
    ReportStreams();
    Report("11 soak.exit-code", m_ended ? m_exitCode : STILL_ACTIVE, "code", 0, "zero", AtMost, 0);
}

void SoakRun::ReportCounts()
{
    const struct
    {
        const char* name;
        double ProcessCounts::*count;
        const char* unit;
    } counts[] = {
        {"11 soak.working-set-growth", &ProcessCounts::workingSet, "bytes"},
        {"11 soak.private-bytes-growth", &ProcessCounts::privateBytes, "bytes"},
        {"11 soak.handle-growth", &ProcessCounts::handles, "handles"},
        {"11 soak.gdi-object-growth", &ProcessCounts::gdiObjects, "objects"},
        {"11 soak.user-object-growth", &ProcessCounts::userObjects, "objects"},
    };
    for (const auto& c : counts) {
        if (m_samples.front().counts.*c.count < 0) {
            std::printf("%-36s %12s %-9s  the system answers no count here              n/a\n", c.name, "-", c.unit);
        } else if (m_filled == SIZE_MAX || m_filled + 3 > m_traffic) {
            Report(c.name, 1, c.unit, 0, "log-never-full", AtMost, 0.02);
        } else {
            Report(c.name, Trend(m_samples, m_filled, m_traffic, c.count), c.unit,
                   m_samples[m_filled].counts.*c.count, "when-log-full", AtMost, 0.02);
        }
    }
}

void SoakRun::ReportStreams()
{
    for (int port = 0; port < 2; ++port) {
        const double sent = static_cast<double>(m_peers[port].Sent());
        const std::string p = port == 0 ? "port1" : "port2";
        const StreamCheck& filed = m_files->Received(port);
        const StreamCheck& back = m_peers[port].Back();
        Report("11 soak.hourly-in-order-" + p, static_cast<double>(filed.Matched()), "bytes", sent, "peer-sent",
               AtLeast, 1);
        if (filed.Stray() != 0)
            Report("11 soak.hourly-stray-" + p, static_cast<double>(filed.Stray()), "bytes", 0, "none", AtMost, 0);
        Report(std::string("11 soak.") + (port == 0 ? "echo-back-" : "script-reply-back-") + p,
               static_cast<double>(back.Matched()), "bytes", sent, "peer-sent", AtLeast, 1);
        if (back.Stray() != 0)
            Report("11 soak.back-stray-" + p, static_cast<double>(back.Stray()), "bytes", 0, "none", AtMost, 0);
    }
    if (!m_sentWhole)
        Report("11 soak.peer-writes-taken", 0, "peers", 2, "both", AtLeast, 1);
}

} // namespace

void SoakFigures()
{
    int programCom[2] = {}, peerCom[2] = {};
    if (!ComPair("KORVANE_PTY_COMS", programCom[0], peerCom[0]) ||
        !ComPair("KORVANE_PTY_COMS2", programCom[1], peerCom[1])) {
        std::printf("11 soak: skipped, KORVANE_PTY_COMS and KORVANE_PTY_COMS2 name no two pseudo-terminal pairs "
                    "(run scripts/bench.sh soak)\n");
        return;
    }
    const double minutes = Minutes();
    SoakRun run;
    if (!run.SetUp(programCom, peerCom, minutes))
        return;
    run.Traffic(minutes);
    run.Drain();
    run.Close();
    run.ReportGoals();
}

} // namespace bench
