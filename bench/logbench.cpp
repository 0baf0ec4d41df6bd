// Figure 5: the log. Appending with trimming keeps far ahead of two fast ports and costs the
// same whatever MAXLOG is; the log list fills about as fast as a bare list view; a saved log
// reads about as fast as its bytes.
#include "benchkit.h"
#include "figures.h"

#include "appsettings.h"
#include "commlogrecord.h"
#include "commsetrecord.h"
#include "logfiles.h"
#include "logstore.h"
#include "logtext.h"
#include "logview.h"

#include <commctrl.h>

#include <string>
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

// A report list of the log's four columns, filled with nothing but the texts while its
// redraw is held off, then drawn once.
void FillBareList(CWnd& parent, const std::vector<CLogRowTexts>& rows, size_t count)
{
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 780, 560,
                                parent.m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
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
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (size_t row = 0; row < count; ++row) {
        const CString* texts[] = {&rows[row].strNo, &rows[row].strId, &rows[row].strTime, &rows[row].strContents};
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(texts[0]->GetString());
        const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int sub = 1; sub < 4; ++sub) {
            item.iSubItem = sub;
            item.pszText = const_cast<char*>(texts[sub]->GetString());
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    UpdateWindow(list);
    DestroyWindow(list);
}

CLogview* NewView(CWnd& parent, const CAppSettings& settings, const CCommSetRecord& set)
{
    CLogview* view = dynamic_cast<CLogview*>(RUNTIME_CLASS(CLogview)->CreateObject());
    view->SetSources(&settings, &set);
    view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 780, 560), &parent, AFX_IDW_PANE_FIRST);
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
        floors.push_back(TimeOf([&] { FillBareList(parent, rows, rows.size()); }));
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

} // namespace

void LogFigures()
{
    CCommSetRecord set;
    SetCommSetDefaults(set, 0);
    AppendFigures(set);
    ListFigures(set);
    SavedLogFigures();
}

} // namespace bench
