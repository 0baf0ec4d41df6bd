// Figures 2 and 3: the program as a person starts it. Start-up: from the launch of korvane.exe
// to its main window shown and its thread idle after the first command-update pass, against a
// bare Win32 frame program started the same way, the two interleaved. Memory: the working
// set after start against the bare program's, and what 1 MiB received on the pseudo-terminal
// pair with MAXLOG 9999 adds, against what the log's own records take in this process. Beside
// the start-up figure, for information: a program doing only what the start cannot do without
// (the common controls, the program's count of windows, its first paint's image-list icons).
#include "benchframe.h"
#include "benchkit.h"
#include "figures.h"
#include "programdriver.h"
#include "programrun.h"

#include "afxwin.h"
#include "commlogrecord.h"
#include "logview.h"
#include "portdevice.h"
#include "setfile_writer.h"

#include <psapi.h>

#include <cstdio>

namespace bench {

namespace {

using e2e::BinFolder;
using e2e::kProgramKey;
using e2e::NewFolder;
using e2e::RemoveFolder;

const DWORD kStartBoundMs = 60000;

struct StartResult
{
    double seconds = -1;
    double workingSet = 0;
};

// One start of the program, or of a helper of the benchmark's folder, in a fresh working
// folder, closed afterwards.
StartResult StartOnce(const char* exeName)
{
    StartResult result;
    const std::string folder = NewFolder("kvstart");
    {
        const std::string exeFolder = std::string(exeName) == "korvane.exe" ? e2e::ProgramFolder() : BinFolder();
        ProgramRun run(exeFolder + "\\" + exeName, folder);
        if (run.Start()) {
            result.seconds = run.WaitShownAndIdle(kStartBoundMs);
            result.workingSet = run.WorkingSet();
            if (!run.Close(kStartBoundMs))
                result.seconds = -1;
        }
    }
    RemoveFolder(folder);
    return result;
}

void SetProgramDword(const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kProgramKey) + "\\CMN").c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

double OwnWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize);
}

void StartFigures()
{
    // A first start (nothing saved) leaves the layout and profile that every later start reads.
    e2e::EmptyProgramKey();
    const StartResult first = StartOnce("korvane.exe");
    std::vector<double> bare, program, required, bareSets, programSets;
    int failed = first.seconds < 0;
    for (int run = 0; run < Runs(); ++run) {
        const StartResult b = StartOnce("kvrbareframe.exe");
        const StartResult p = StartOnce("korvane.exe");
        const StartResult r = StartOnce("kvrrequiredfloor.exe");
        failed += b.seconds < 0 || p.seconds < 0 || r.seconds < 0;
        bare.push_back(b.seconds);
        program.push_back(p.seconds);
        required.push_back(r.seconds);
        bareSets.push_back(b.workingSet);
        programSets.push_back(p.workingSet);
    }
    const double floor = Median(bare);
    Report("2 start.to-idle", Median(program) * 1e3, "ms", floor * 1e3, "bare-frame-start", AtMost, 2);
    ReportInfo("2 start.first-start", first.seconds * 1e3, "ms", floor * 1e3, "bare-frame-start");
    ReportInfo("2 start.required-only", Median(required) * 1e3, "ms", floor * 1e3, "bare-frame-start");
    if (failed)
        Report("2 start.failed-starts", failed, "starts", 0, "none", AtMost, 0);
    Report("3 memory.after-start", Median(programSets) / 1048576, "MiB", Median(bareSets) / 1048576, "bare-frame",
           AtMost, 2.5);
}

bool PairPorts(int& connection, int& device)
{
    char text[64] = {};
    if (!GetEnvironmentVariableA("KORVANE_PTY_COMS", text, sizeof(text)))
        return false;
    return std::sscanf(text, "%d %d", &connection, &device) == 2 && connection > 0 && device > 0;
}

const DWORD kBlockBytes = 1024;
const size_t kReceiveBytes = 1u << 20;

// The working set that the log's own records take in this process: a log view holding what
// the program's log holds after the figure, for every block its receive entry, its echo's
// send entry and the write-done message.
double LogRecordsBytes(int blocks)
{
    CAppSettings settings;
    settings.m_nMaxLog = 9999;
    settings.m_nAutoSave = 0;
    CCommSetRecord set;
    SetCommSetDefaults(set, 0);
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "memory bench", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    const double before = OwnWorkingSet();
    double grown = 0;
    {
        CLogview* view = dynamic_cast<CLogview*>(RUNTIME_CLASS(CLogview)->CreateObject());
        view->SetSources(&settings, &set);
        view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 780, 560), &parent, AFX_IDW_PANE_FIRST);
        std::vector<BYTE> bytes(kBlockBytes);
        for (int i = 0; i < blocks; ++i) {
            FillStream(bytes.data(), bytes.size(), static_cast<unsigned long long>(i) * kBlockBytes);
            for (int kind : {CCommLogRecord::KindReceive, CCommLogRecord::KindSend, CCommLogRecord::KindMessage}) {
                CCommLogRecord record(0, 0);
                record.m_nKind = kind;
                GetLocalTime(&record.m_time);
                if (kind == CCommLogRecord::KindMessage)
                    record.m_nMsgCode = 20016;
                else
                    record.SetPayload(bytes.data(), static_cast<int>(kBlockBytes));
                view->AppendLogRecord(record);
            }
        }
        grown = OwnWorkingSet() - before;
        view->DestroyWindow();
    }
    parent.DestroyWindow();
    return grown;
}

void ReceiveMemoryFigure()
{
    int connectionCom = 0, deviceCom = 0;
    if (!PairPorts(connectionCom, deviceCom)) {
        std::printf("3 memory.receive: skipped, KORVANE_PTY_COMS names no pseudo-terminal pair (run scripts/bench.sh)\n");
        return;
    }
    SetProgramDword("MAXLOG", 9999);
    SetProgramDword("AUTO", 0);
    const std::string folder = NewFolder("kvmem");
    // Port 1 on the pair in blocks of a fixed size, each answered with its own bytes: the
    // echo tells the device end that the block was received and logged.
    CCommSetRecord set = testsets::PortOneSet("Memory", connectionCom);
    set.m_nRecvFraming[0] = 1;
    set.m_nFixedBlockSize[0] = kBlockBytes;
    set.m_nRecvActionOn[0] = 1;
    set.m_nReplyTarget[0] = 0;
    set.m_nReplyKind[0] = 1;
    if (!testsets::WriteSetFileTo((folder + "\\auto.kvr").c_str(), set)) {
        Report("3 memory.receive-set-written", 0, "files", 1, "one", AtLeast, 1);
        RemoveFolder(folder);
        return;
    }
    double before = 0, after = 0;
    size_t echoed = 0;
    {
        PortDevice device;
        ProgramRun run(e2e::ProgramFolder() + "\\korvane.exe", folder);
        if (device.Open(deviceCom) && run.Start() && run.WaitShownAndIdle(kStartBoundMs) > 0) {
            // The connection is up once a block comes back.
            std::vector<BYTE> probe(kBlockBytes, 0x55);
            for (int i = 0; i < 100 && device.ReceivedCount() < kBlockBytes; ++i) {
                device.StartWriting(probe, {probe.size()});
                device.WaitWritten(5000);
                Sleep(50);
            }
            device.DrainQuiet(300, 5000);
            run.WaitIdle(kStartBoundMs);
            before = run.WorkingSet();
            std::vector<BYTE> stream(kReceiveBytes);
            FillStream(stream.data(), stream.size(), 0);
            device.StartWriting(stream, std::vector<size_t>(kReceiveBytes / 4096, 4096));
            const DWORD given = GetTickCount();
            while (device.ReceivedCount() < kReceiveBytes && GetTickCount() - given < 120000)
                Sleep(20);
            echoed = device.ReceivedCount();
            run.WaitIdle(kStartBoundMs);
            after = run.WorkingSet();
        }
        run.Close(kStartBoundMs);
        device.Close();
    }
    RemoveFolder(folder);
    e2e::EmptyProgramKey();
    if (echoed < kReceiveBytes)
        Report("3 memory.receive-echoed", static_cast<double>(echoed), "bytes", kReceiveBytes, "sent", AtLeast, 1);
    const double records = LogRecordsBytes(static_cast<int>(kReceiveBytes / kBlockBytes));
    const double bareSet = StartOnce("kvrbareframe.exe").workingSet;
    ReportInfo("3 memory.after-1MiB", after / 1048576, "MiB", bareSet / 1048576, "bare-frame");
    Report("3 memory.added-by-1MiB", (after - before) / 1048576, "MiB", records / 1048576, "its-log-entries", AtMost,
           1.2);
}

} // namespace

void StartupFigures()
{
    StartFigures();
}

void MemoryFigures()
{
    ReceiveMemoryFigure();
}

} // namespace bench
