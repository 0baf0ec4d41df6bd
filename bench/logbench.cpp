// Figure 4: the log. Appending with trimming keeps far ahead of two fast ports and costs the
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
    Report("4 log.append-rate-maxlog-9999", rate, "rec/s", 115200, "10x-2-ports", AtLeast, 1);
    Report("4 log.append-cost-9999-vs-100", Median(values) * 1e6, "us/rec", Median(floors) * 1e6, "maxlog-100",
           AtMost, 1.5);
}

// A report list of the log's four columns, filled with nothing but the texts.
void FillBareList(CWnd& parent, const std::vector<CLogRowTexts>& rows)
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
    for (size_t row = 0; row < rows.size(); ++row) {
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
    DestroyWindow(list);
}

void ListFigures(CCommSetRecord& set)
{
    const int kRows = 9999;
    std::vector<CCommLogRecord> records;
    std::vector<CLogRowTexts> rows(kRows);
    for (int i = 0; i < kRows; ++i) {
        records.push_back(Block(i & 1, i));
        records.back().m_nSeq = i;
        BuildLogRowTexts(records.back(), set, rows[i]);
    }
    CAppSettings settings;
    settings.m_nMaxLog = 9999;
    settings.m_nAutoSave = 0;
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "log bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr);
    std::vector<double> floors, values;
    for (int run = 0; run < Runs(); ++run) {
        floors.push_back(TimeOf([&] { FillBareList(parent, rows); }));
        values.push_back(TimeOf([&] {
            CLogview* view = dynamic_cast<CLogview*>(RUNTIME_CLASS(CLogview)->CreateObject());
            view->SetSources(&settings, &set);
            view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 780, 560), &parent, AFX_IDW_PANE_FIRST);
            for (const CCommLogRecord& record : records)
                view->AppendLogRecord(record);
            // The view deletes itself with its window.
            view->DestroyWindow();
        }));
    }
    parent.DestroyWindow();
    Report("4 log.list-9999-rows", Median(values) * 1e3, "ms", Median(floors) * 1e3, "bare-list-view", AtMost, 1.5);
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
    Report("4 log.read-saved-100000-records", Median(values) * 1e3, "ms", Median(floors) * 1e3, "read-bytes-whole",
           AtMost, 3);
    if (counted != kRecords)
        Report("4 log.read-saved-record-count", counted, "records", kRecords, "written", AtLeast, 1);
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
