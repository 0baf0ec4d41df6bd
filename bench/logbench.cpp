// Figure 5: the log. Appending with trimming keeps far ahead of two fast ports and costs the
// same whatever MAXLOG is; the log list fills about as fast as a bare list view; a flood of
// records reaches the screen of a shown, following log at a good share of a bare list's
// batched pace and is all shown soon after its last record; a saved log reads about as fast
// as its bytes.
#include "benchkit.h"
#include "figures.h"

#include "appsettings.h"
#include "commlogrecord.h"
#include "commsetrecord.h"
#include "logfiles.h"
#include "logstore.h"
#include "logtext.h"
#include "logview.h"
#include "portreporter.h"
#include "sampler.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace bench {

namespace {

CCommLogRecord Block(int port, int n)
{
    CCommLogRecord record(port, 0);
    record.m_nKind = CCommLogRecord::KindReceive;
    GetLocalTime(&record.m_time);
    BYTE bytes[16];
    for (int i = 0; i < 16; ++i)
        bytes[i] = static_cast<BYTE>(n + i);
    record.SetPayload(bytes, 16);
    return record;
}

// Seconds per appended record in a store kept full at maxLog.
double AppendCost(CLogStore& store, const std::vector<CCommLogRecord>& records)
{
    return TimeOf([&] {
               for (const CCommLogRecord& record : records)
                   store.AppendLogRecord(record);
           }) /
           static_cast<double>(records.size());
}

void AppendFigures(const CCommSetRecord& set)
{
    std::vector<CCommLogRecord> records;
    for (int i = 0; i < 20000; ++i)
        records.push_back(Block(i & 1, i));
    CAppSettings full, small;
    full.m_nMaxLog = 9999;
    small.m_nMaxLog = 100;
    full.m_nAutoSave = small.m_nAutoSave = 0;
    CLogStore fullStore, smallStore;
    fullStore.SetSources(&full, &set);
    smallStore.SetSources(&small, &set);
    // Both start full, so every measured append trims.
    AppendCost(fullStore, records);
    AppendCost(smallStore, records);
    std::vector<double> floors, values;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(AppendCost(smallStore, records));
        values.push_back(AppendCost(fullStore, records));
    }
    const double rate = 1 / Median(values);
    // Two ports at 921,600 baud in 16-byte blocks give 11,520 records a second; ten times that.
    Report("5 log.append-rate-maxlog-9999", rate, "rec/s", 115200, "10x-2-ports", AtLeast, 1);
    Report("5 log.append-cost-9999-vs-100", Median(values) * 1e6, "us/rec", Median(floors) * 1e6, "maxlog-100",
           AtMost, 1.5);
}

// A report list of the log's four columns over the given part of the parent, in the given font
// (none: the list's own), filled with nothing but the texts, batch rows at a time: each batch
// is inserted while the list's redraw is held off and drawn once redraw is back on, when
// following with its last row scrolled into view first.
void FillBareList(CWnd& parent, const CRect& area, HFONT font, const std::vector<CLogRowTexts>& rows, size_t count,
                  size_t batch, bool follow)
{
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, area.left, area.top,
                                area.Width(), area.Height(), parent.m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (font != nullptr)
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const char* titles[] = {"No.", "ID", "Time", "Contents"};
    const int widths[] = {40, 50, 100, 600};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(titles[i]);
        column.cx = widths[i];
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    for (size_t first = 0; first < count; first += batch) {
        const size_t end = std::min(count, first + batch);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        for (size_t row = first; row < end; ++row) {
            const CString* texts[] = {&rows[row].strNo, &rows[row].strId, &rows[row].strTime, &rows[row].strContents};
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.pszText = const_cast<char*>(texts[0]->GetString());
            const int index =
                static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            for (int sub = 1; sub < 4; ++sub) {
                item.iSubItem = sub;
                item.pszText = const_cast<char*>(texts[sub]->GetString());
                SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
            }
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        // A list whose redraw is off keeps its old scroll range under Wine, so it could
        // scroll only part of the way.
        if (follow)
            SendMessageA(list, LVM_ENSUREVISIBLE, end - 1, FALSE);
        UpdateWindow(list);
    }
    DestroyWindow(list);
}

const CRect kListArea(0, 0, 780, 560);

CLogview* NewView(CWnd& parent, const CAppSettings& settings, const CCommSetRecord& set,
                  const CRect& area = kListArea)
{
    CLogview* view = dynamic_cast<CLogview*>(RUNTIME_CLASS(CLogview)->CreateObject());
    view->SetSources(&settings, &set);
    view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, area, &parent, AFX_IDW_PANE_FIRST);
    return view;
}

void ListFigures(CCommSetRecord& set)
{
    const int kRows = 9999;
    const int kFewRows = 1000;
    std::vector<CCommLogRecord> records;
    std::vector<CLogRowTexts> rows(kRows);
    for (int i = 0; i < kRows; ++i) {
        records.push_back(Block(i & 1, i));
        records.back().m_nSeq = i;
        BuildLogRowTexts(records.back(), set, rows[i]);
    }
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "kvl", 0, path);
    size_t next = 0;
    WriteLogFileRecords(path, [&]() -> const CCommLogRecord* { return next < records.size() ? &records[next++] : nullptr; });

    CAppSettings settings;
    settings.m_nMaxLog = kRows;
    settings.m_nAutoSave = 0;
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "log bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr);
    CLogview* full = NewView(parent, settings, set);
    for (const CCommLogRecord& record : records)
        full->AppendLogRecord(record);
    CAppSettings fewSettings = settings;
    fewSettings.m_nMaxLog = kFewRows;
    CLogview* few = NewView(parent, fewSettings, set);
    for (int i = 0; i < kFewRows; ++i)
        few->AppendLogRecord(records[static_cast<size_t>(i)]);
    std::vector<double> floors, refresh, load, perRowFull, perRowFew;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(TimeOf([&] { FillBareList(parent, kListArea, nullptr, rows, rows.size(), rows.size(), false); }));
        refresh.push_back(TimeOf([&] {
            full->RefreshList();
            full->UpdateWindow();
        }));
        load.push_back(TimeOf([&] {
            full->ReadLogFile(path);
            full->UpdateWindow();
        }));
        perRowFew.push_back(TimeOf([&] {
            few->RefreshList();
            few->UpdateWindow();
        }) / kFewRows);
    }
    for (double seconds : refresh)
        perRowFull.push_back(seconds / kRows);
    const double floor = Median(floors);
    Report("5 log.refresh-list-9999-rows", Median(refresh) * 1e3, "ms", floor * 1e3, "bare-list-no-redraw", AtMost,
           1.2);
    Report("5 log.load-saved-9999-records", Median(load) * 1e3, "ms", floor * 1e3, "bare-list-no-redraw", AtMost, 1.2);
    Report("5 log.refresh-row-9999-vs-1000", Median(perRowFull) * 1e6, "us/row", Median(perRowFew) * 1e6,
           "row-at-1000", AtMost, 1.5);

    // Appending to a full log through the shown list: each append drops the oldest row.
    std::vector<CCommLogRecord> more;
    for (int i = 0; i < 500; ++i)
        more.push_back(Block(i & 1, kRows + i));
    CAppSettings smallSettings = settings;
    smallSettings.m_nMaxLog = 100;
    CLogview* small = NewView(parent, smallSettings, set);
    for (int i = 0; i < 100; ++i)
        small->AppendLogRecord(records[static_cast<size_t>(i)]);
    std::vector<double> appendFull, appendSmall;
    for (int run = 0; run < Runs(); ++run) {
        auto appendAll = [&](CLogview* view) {
            return TimeOf([&] {
                       for (const CCommLogRecord& record : more) {
                           view->AppendLogRecord(record);
                           view->UpdateWindow();
                       }
                   }) /
                   static_cast<double>(more.size());
        };
        appendSmall.push_back(appendAll(small));
        appendFull.push_back(appendAll(full));
    }
    Report("5 log.append-shown-9999-vs-100", Median(appendFull) * 1e6, "us/rec", Median(appendSmall) * 1e6,
           "maxlog-100", AtMost, 1.5);
    // The views delete themselves with their windows.
    full->DestroyWindow();
    few->DestroyWindow();
    small->DestroyWindow();
    parent.DestroyWindow();
    DeleteFileA(path);
}

// The main frame as its log view sees it: a shown top-level window whose client area the
// view fills, handing every record a connection reports to the view as the frame's
// WM_APP+4 handler does.
class FloodFrame : public CWnd
{
public:
    CLogview* m_pView = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMM_NOTIFY && wParam == CommNotifyRecord) {
            if (m_pView != nullptr)
                m_pView->AppendLogRecord(*reinterpret_cast<const CCommLogRecord*>(lParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Line n of a device that sends numbered 40-byte lines ending in LF.
void DeviceLine(int n, char (&line)[41])
{
    std::snprintf(line, sizeof(line), "%06d abcdefghijklmnopqrstuvwxyz012345\n", n);
}

struct Flood
{
    int rows = 0;           // records sent
    double firstSend = 0;
    double lastReturn = 0;  // when the send of the last record returned
    double shown = 0;       // when its row was first seen shown; 0: not within the wait
};

// Whether the list holds exactly rows rows, the last of them numbered number ("No.", which at
// a full log is all that tells the newest row from an older one), lying within its visible
// rows, its redraw on and painted since (no update region left): the row is on the screen.
bool LastRowShown(HWND list, int rows, int number)
{
    const int last = rows - 1;
    const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    if (SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != rows || top > last ||
        last >= top + SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0) || !IsWindowVisible(list) ||
        GetUpdateRect(list, nullptr, FALSE))
        return false;
    char text[16] = {}, expected[16];
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, last, reinterpret_cast<LPARAM>(&item));
    std::snprintf(expected, sizeof(expected), "%04d", number);
    return std::strcmp(text, expected) == 0;
}

// The device's lines as fast as they are taken: a connection thread reports each line as one
// received record through a synchronous send to the frame, the next as soon as the send
// returned, for count records or feedSeconds, whichever ends first. The log holds held
// records before the first line (a full log: every line trims the oldest). The UI thread meanwhile runs an ordinary message loop, so paints and timers come as
// in the program, and between messages looks whether the last record's row is shown.
Flood FloodView(FloodFrame& frame, int count, double feedSeconds, int held, int maxLog)
{
    Flood flood;
    std::atomic<bool> done(false);
    std::thread feeder([&] {
        CPortReporter reporter(frame.m_hWnd, 0);
        char line[41];
        flood.firstSend = Now();
        for (int i = 0; i < count && Now() - flood.firstSend < feedSeconds; ++i) {
            DeviceLine(i, line);
            reporter.Data(CCommLogRecord::KindReceive, line, 40);
            flood.rows = i + 1;
        }
        flood.lastReturn = Now();
        done = true;
    });
    const HWND list = frame.m_pView->m_hWnd;
    double giveUp = 0;
    for (;;) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
        if (!done)
            continue;
        if (LastRowShown(list, std::min(held + flood.rows, maxLog), (held + flood.rows - 1) % CLogStore::kSeqLimit + 1)) {
            flood.shown = Now();
            break;
        }
        if (giveUp == 0)
            giveUp = Now() + 20;
        else if (Now() > giveUp)
            break;
    }
    feeder.join();
    return flood;
}

void FloodFigures(const CCommSetRecord& set)
{
    // Enough rows for several batches of a view that batches its rows; a view that pays for
    // every row on its own is measured over the rows that its first seconds let through.
    const int kRecords = 3000;
    const double kFeedSeconds = 10;
    const size_t kBatch = 500;
    const int kMaxLog = 9999;
    std::vector<CLogRowTexts> rows(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        CCommLogRecord record(0, 0);
        record.m_nKind = CCommLogRecord::KindReceive;
        record.m_nSeq = i;
        GetLocalTime(&record.m_time);
        char line[41];
        DeviceLine(i, line);
        record.SetPayload(line, 40);
        BuildLogRowTexts(record, set, rows[static_cast<size_t>(i)]);
    }
    CAppSettings settings;
    settings.m_nMaxLog = kMaxLog;
    settings.m_nAutoSave = 0;
    settings.m_nAutoScroll = 1;
    // The program's window at about its normal size, its client area all log.
    FloodFrame frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "log flood bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700,
                   nullptr, nullptr);
    CRect area;
    frame.GetClientRect(&area);
    std::vector<double> floors, rates, delays, fullRates, fullDelays;
    int unshown = 0;
    // A flood into the view holding held records already, shown and scrolled to its last row.
    auto FloodInto = [&](int held, std::vector<double>& rateOut, std::vector<double>& delayOut) {
        frame.m_pView = NewView(frame, settings, set, area);
        for (int i = 0; i < held; ++i)
            frame.m_pView->AppendLogRecord(Block(0, i));
        frame.m_pView->UpdateRows();
        frame.m_pView->UpdateWindow();
        const char* part = held == 0 ? "flood-empty" : "flood-full";
        ThreadSampler sampler;
        const bool profiled = rateOut.empty() && ProfileWanted(part);
        if (profiled)
            sampler.Start();
        const Flood flood = FloodView(frame, kRecords, kFeedSeconds, held, kMaxLog);
        if (profiled) {
            sampler.Stop();
            sampler.Print(part);
        }
        const double shown = flood.shown != 0 ? flood.shown : Now();
        unshown += flood.shown == 0;
        rateOut.push_back(flood.rows / (shown - flood.firstSend));
        delayOut.push_back(shown - flood.lastReturn);
        frame.m_pView->DestroyWindow();
        frame.m_pView = nullptr;
    };
    for (int run = 0; run < Runs(); ++run) {
        // The floor fills a bare list of the same size and font where the view stands.
        {
            CLogview* probe = NewView(frame, settings, set, area);
            const HFONT font = reinterpret_cast<HFONT>(probe->SendMessage(WM_GETFONT));
            probe->ShowWindow(SW_HIDE);
            floors.push_back(kRecords / TimeOf([&] { FillBareList(frame, area, font, rows, rows.size(), kBatch, true); }));
            probe->DestroyWindow();
        }
        FloodInto(0, rates, delays);
        FloodInto(kMaxLog, fullRates, fullDelays);
    }
    frame.DestroyWindow();
    // The synchronous report of every record alone lets through about a third of the bare
    // list's pace here. A view that paints every row on its own reaches a two-hundredth of
    // it; one that brings the list up to date every few tens of milliseconds reaches 0.14 to
    // 0.2, and a tenth is about a thousand rows a second.
    Report("5 log.flood-shown-rate-vs-bare", Median(rates), "rows/s", Median(floors), "bare-list-500s", AtLeast, 0.1);
    // A device's last line is to be on the screen within half a second of it.
    Report("5 log.flood-last-row-shown-delay", Median(delays) * 1e3, "ms", 500, "half-second", AtMost, 0.6);
    // Once the log is full every line trims the oldest row: the same pace as an empty log's,
    // and at least a thousand lines a second.
    Report("5 log.flood-full-log-rate-vs-empty", Median(fullRates), "rows/s", Median(rates), "empty-log", AtLeast, 0.8);
    Report("5 log.flood-full-log-rate", Median(fullRates), "rows/s", 1000, "a-thousand", AtLeast, 1);
    Report("5 log.flood-full-log-last-row-delay", Median(fullDelays) * 1e3, "ms", 500, "half-second", AtMost, 0.6);
    if (unshown != 0)
        ReportInfo("5 log.flood-runs-last-row-unshown", unshown, "runs", 2 * Runs(), "runs");
}

void SavedLogFigures()
{
    const int kRecords = 100000;
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "kvb", 0, path);
    std::vector<CCommLogRecord> records;
    for (int i = 0; i < kRecords; ++i)
        records.push_back(Block(i & 1, i));
    size_t next = 0;
    WriteLogFileRecords(path, [&]() -> const CCommLogRecord* { return next < records.size() ? &records[next++] : nullptr; });

    std::vector<double> floors, values;
    int counted = 0;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(TimeOf([&] {
            HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            std::vector<BYTE> bytes(GetFileSize(h, nullptr));
            DWORD got = 0;
            ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
            CloseHandle(h);
        }));
        values.push_back(TimeOf([&] {
            counted = 0;
            ReadLogFileRecords(path, [&](const CCommLogRecord&) { ++counted; });
        }));
    }
    DeleteFileA(path);
    Report("5 log.read-saved-100000-records", Median(values) * 1e3, "ms", Median(floors) * 1e3, "read-bytes-whole",
           AtMost, 3);
    if (counted != kRecords)
        Report("5 log.read-saved-record-count", counted, "records", kRecords, "written", AtLeast, 1);
}

// The hourly appender while a reader denying writers holds one hour's file (as `type` does):
// the records of that hour wait, and those of the next hour's file, which is free, go in.
class HourlyBench
{
public:
    HourlyBench()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_folder.Format("%skvrhourly%lu", temp, GetCurrentProcessId());
        CreateDirectoryA(m_folder, nullptr);
        m_record.m_nKind = CCommLogRecord::KindReceive;
        GetLocalTime(&m_record.m_time);
        m_record.m_time.wHour = 10;
    }
    ~HourlyBench()
    {
        for (int hour = 10; hour < 13; ++hour)
            DeleteFileA(Path(hour));
        RemoveDirectoryA(m_folder);
    }

    // The hour's file made about 30 MB of whole records, as an hour of a busy port leaves it:
    // an appender that forgot where it ends would walk it again.
    void Fill(int hour)
    {
        char one[MAX_PATH];
        GetTempFileNameA(m_folder, "one", 0, one);
        const CCommLogRecord* pNext = &m_record;
        WriteLogFileRecords(one, [&] {
            const CCommLogRecord* p = pNext;
            pNext = nullptr;
            return p;
        });
        std::vector<BYTE> bytes(4096);
        HANDLE h = CreateFileA(one, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD got = 0;
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(h);
        DeleteFileA(one);
        const std::vector<BYTE> record(bytes.begin() + kLogFileHeaderSize, bytes.begin() + got);
        std::vector<BYTE> file(bytes.begin(), bytes.begin() + kLogFileHeaderSize);
        while (file.size() < 30 * 1024 * 1024)
            file.insert(file.end(), record.begin(), record.end());
        h = CreateFileA(Path(hour), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        WriteFile(h, file.data(), static_cast<DWORD>(file.size()), &got, nullptr);
        CloseHandle(h);
    }

    CString Path(int hour)
    {
        SYSTEMTIME time = m_record.m_time;
        time.wHour = static_cast<WORD>(hour);
        return HourlyLogPath(m_folder, "HB", time);
    }

    // Seconds per record of count 40-byte lines of the hour appended.
    double Append(CHourlyLogAppender& appender, int hour, int count, bool timed = true)
    {
        auto append = [&] {
            char line[41];
            for (int i = 0; i < count; ++i) {
                DeviceLine(m_nLine++, line);
                m_record.SetPayload(line, 40);
                m_record.m_time.wHour = static_cast<WORD>(hour);
                appender.Append(m_folder, "HB", m_record);
            }
        };
        if (!timed) {
            append();
            return 0;
        }
        return TimeOf(append) / count;
    }

private:
    CString m_folder;
    CCommLogRecord m_record{0, 0};
    int m_nLine = 0;
};

void HourlyFigures()
{
    const int kWaiting = 100000;
    const int kMeasured = 2000;
    HourlyBench bench;
    std::vector<double> none, many, alone, beside;
    int unwritten = 0;
    bench.Fill(11);
    bench.Fill(12);
    for (int run = 0; run < Runs(); ++run) {
        // Each appender learns where the large file ends with its first record, before the
        // records timed.
        {
            CHourlyLogAppender appender;
            bench.Append(appender, 12, 1, false);
            alone.push_back(bench.Append(appender, 12, kMeasured));
        }
        const HANDLE hReader = CreateFileA(bench.Path(10), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
        CHourlyLogAppender appender;
        none.push_back(bench.Append(appender, 10, kMeasured));
        bench.Append(appender, 10, kWaiting - kMeasured, false);
        many.push_back(bench.Append(appender, 10, kMeasured));
        bench.Append(appender, 11, 1, false);
        beside.push_back(bench.Append(appender, 11, kMeasured));
        CloseHandle(hReader);
        appender.Release();
        unwritten += appender.GetWaitingBytes() != 0;
        DeleteFileA(bench.Path(10));
    }
    // A record that waits behind 100,000 others costs what the first to wait costs.
    Report("5 log.hourly-100000-waiting-vs-none", Median(many) * 1e6, "us/rec", Median(none) * 1e6,
           "none-waiting", AtMost, 2);
    // A free file's records go in as fast while another file's records wait as while none do,
    // its end remembered across the tries of the other.
    Report("5 log.hourly-free-file-beside-held", Median(beside) * 1e6, "us/rec", Median(alone) * 1e6,
           "none-waiting", AtMost, 1.5);
    if (unwritten != 0)
        Report("5 log.hourly-runs-left-waiting", unwritten, "runs", 0, "none", AtMost, 1);
}

} // namespace

void LogFigures()
{
    CCommSetRecord set;
    SetCommSetDefaults(set, 0);
    AppendFigures(set);
    ListFigures(set);
    FloodFigures(set);
    SavedLogFigures();
    HourlyFigures();
}

} // namespace bench
