#include "recorderwindow.h"

#include "channelbuffer.h"
#include "commlogrecord.h"
#include "connectionparts.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kClassName[] = "KorvaneTestRecorder";

std::string HexBytes(const std::vector<BYTE>& bytes)
{
    std::string text;
    char part[4];
    for (BYTE b : bytes) {
        std::snprintf(part, sizeof(part), " %02X", b);
        text += part;
    }
    return text;
}

} // namespace

std::string RecordedReport::Text() const
{
    char text[64];
    switch (type) {
    case State:
        std::snprintf(text, sizeof(text), "state %d", state);
        return text;
    case Record:
        if (kind == 1)
            return "send" + HexBytes(payload);
        if (kind == 2)
            return "recv" + HexBytes(payload);
        if (error)
            std::snprintf(text, sizeof(text), "msg %d err %lu", code, static_cast<unsigned long>(error));
        else
            std::snprintf(text, sizeof(text), "msg %d", code);
        return text;
    case Register:
        return "register";
    case Unregister:
        return "unregister";
    case Route:
        std::snprintf(text, sizeof(text), "route %d", code);
        return text + HexBytes(payload);
    case Pane:
        if (action == 2) {
            std::snprintf(text, sizeof(text), "pane 2 %08lX", static_cast<unsigned long>(word));
            return text;
        }
        if (action == 3) {
            std::snprintf(text, sizeof(text), "linecmd %lu", static_cast<unsigned long>(word));
            return text;
        }
        std::snprintf(text, sizeof(text), "pane %d", action);
        return action == 4 ? text + HexBytes(payload) : std::string(text);
    }
    return "?";
}

HWND CreateReportWindow(const char* className, WNDPROC proc, void* self)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), className, &wc)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = className;
        RegisterClassA(&wc);
    }
    HWND hWnd = CreateWindowExA(0, className, className, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return hWnd;
}

RecorderWindow::RecorderWindow()
{
    m_hWnd = CreateReportWindow(kClassName, WndProc, this);
}

RecorderWindow::~RecorderWindow()
{
    if (m_hWnd) {
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

void RecorderWindow::QueueLineCommands(const std::vector<int>& codes)
{
    m_lineCommands.insert(m_lineCommands.end(), codes.begin(), codes.end());
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeoutMs - elapsed), QS_ALLINPUT);
    }
}

bool RecorderWindow::WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpMessagesUntil(done, timeoutMs);
}

bool RecorderWindow::WaitForText(const std::string& text, DWORD timeoutMs, int count)
{
    return WaitFor([&] { return Count(text) >= count; }, timeoutMs);
}

void RecorderWindow::Pump(DWORD ms)
{
    WaitFor([] { return false; }, ms);
}

std::vector<std::string> RecorderWindow::Trace() const
{
    return Trace({});
}

std::vector<std::string> RecorderWindow::Trace(const std::vector<std::string>& skipPrefixes) const
{
    std::vector<std::string> out;
    for (const auto& report : m_reports) {
        std::string text = report.Text();
        bool skip = false;
        for (const auto& prefix : skipPrefixes)
            skip = skip || text.compare(0, prefix.size(), prefix) == 0;
        if (!skip)
            out.push_back(text);
    }
    return out;
}

int RecorderWindow::Count(const std::string& text) const
{
    int n = 0;
    for (const auto& report : m_reports)
        n += report.Text() == text;
    return n;
}

const RecordedReport* RecorderWindow::FindMessage(int code) const
{
    for (const auto& report : m_reports) {
        if (report.type == RecordedReport::Record && report.kind == 0 && report.code == code)
            return &report;
    }
    return nullptr;
}

void RecorderWindow::Clear()
{
    m_reports.clear();
}

void RecorderWindow::Add(const RecordedReport& report)
{
    m_reports.push_back(report);
    if (onReport)
        onReport(m_reports.back());
}

LRESULT CALLBACK RecorderWindow::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<RecorderWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && msg == WM_APP + 4)
        return self->OnCommNotify(wParam, lParam);
    if (self && msg == WM_APP + 8)
        return self->OnComPane(wParam, lParam);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT RecorderWindow::OnCommNotify(WPARAM wParam, LPARAM lParam)
{
    RecordedReport report;
    switch (wParam) {
    case 1: {
        const int* state = reinterpret_cast<const int*>(lParam);
        report.type = RecordedReport::State;
        report.port = state[0];
        report.state = state[1];
        break;
    }
    case 2:
    case 6: {
        const auto* record = reinterpret_cast<const CCommLogRecord*>(lParam);
        report.type = wParam == 2 ? RecordedReport::Record : RecordedReport::Route;
        report.port = record->m_nPort;
        report.kind = record->m_nKind;
        report.code = wParam == 2 ? record->m_nMsgCode : record->m_nRouteTarget;
        report.error = static_cast<DWORD>(record->m_nSysError);
        report.payload = BytesOf(record->m_data);
        break;
    }
    case 3:
    case 4: {
        auto* buffer = reinterpret_cast<CChannelBuffer*>(lParam);
        report.type = wParam == 3 ? RecordedReport::Register : RecordedReport::Unregister;
        report.buffer = buffer;
        report.port = buffer->m_nPort;
        if (wParam == 3)
            m_buffers.push_back(buffer);
        else
            m_buffers.erase(std::remove(m_buffers.begin(), m_buffers.end(), buffer), m_buffers.end());
        break;
    }
    default:
        return 0;
    }
    Add(report);
    if (report.type == RecordedReport::Record && recordDelayMs)
        Sleep(recordDelayMs);
    return 0;
}

LRESULT RecorderWindow::OnComPane(WPARAM wParam, LPARAM lParam)
{
    RecordedReport report;
    report.type = RecordedReport::Pane;
    report.port = LOWORD(wParam);
    report.action = HIWORD(wParam);
    LRESULT result = 0;
    if (report.action == 2) {
        report.word = static_cast<DWORD>(lParam);
    } else if (report.action == 3) {
        if (!m_lineCommands.empty()) {
            result = m_lineCommands.front();
            m_lineCommands.pop_front();
        }
        report.word = static_cast<DWORD>(result);
    } else if (report.action == 4 && recordPending) {
        report.payload = BytesOf(*reinterpret_cast<const COleSafeArray*>(lParam));
    }
    Add(report);
    return result;
}
