// A plain window on the test's main thread that stands in for the main frame: it records every
// report a connection thread sends (WM_APP+4 and WM_APP+8), keeps the channel buffers that are
// registered with it, and answers the COM control pane's "next line command" request from a
// queue the test fills. Tests wait for reports while it pumps messages, with a time-out.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CChannelBuffer;

struct RecordedReport
{
    enum Type { State, Record, Register, Unregister, Route, Pane };

    Type type = State;
    int port = 0;
    int state = 0;              // State
    int kind = 0;               // Record, Route: 0 message, 1 send, 2 receive
    int code = 0;               // Record: message code
    DWORD error = 0;            // Record: system error number
    std::vector<BYTE> payload;  // Record, Route; Pane action 4: the pending bytes
    int action = 0;             // Pane
    DWORD word = 0;             // Pane action 2: line-state word; action 3: the answer given
    CChannelBuffer* buffer = nullptr;  // Register, Unregister

    // "state 3", "msg 20003 err 2", "send 41 42", "recv 0A", "pane 2 89000000", "pane 4 43",
    // "linecmd 128", "register", "unregister", "route 2 41".
    std::string Text() const;
};

// Pumps the calling thread's messages until done() holds or the time-out runs out; returns
// done(). Connection threads report by synchronous messages, so a wait for them must pump.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A hidden popup window of the class (registered on first use) whose user data is self.
HWND CreateReportWindow(const char* className, WNDPROC proc, void* self);

class RecorderWindow
{
public:
    RecorderWindow();
    ~RecorderWindow();
    RecorderWindow(const RecorderWindow&) = delete;
    RecorderWindow& operator=(const RecorderWindow&) = delete;

    HWND Handle() const { return m_hWnd; }

    // Line commands that the next WM_APP+8 action 3 requests get, in order; then 0.
    void QueueLineCommands(const std::vector<int>& codes);

    // Whether the pending bytes of WM_APP+8 action 4 are copied into the report (a test that
    // piles up megabytes turns this off, so the frame's copy does not hide the engine's cost).
    bool recordPending = true;

    // What each logged record (WM_APP+4 wParam 2) costs the frame in milliseconds, while its
    // sender waits, as a row of the real window's log list costs the UI thread (0: nothing).
    DWORD recordDelayMs = 0;

    // Called on the main thread after each report was recorded, while the sender waits.
    std::function<void(const RecordedReport&)> onReport;

    // Pumps messages until the predicate holds or the time-out runs out; returns the predicate.
    // The time-out is generous: the machines are shared, and a met wait returns at once.
    bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 30000);
    // Until a report with this text was recorded (count times).
    bool WaitForText(const std::string& text, DWORD timeoutMs = 30000, int count = 1);
    // Pumps messages for the given time.
    void Pump(DWORD ms);

    const std::vector<RecordedReport>& Reports() const { return m_reports; }
    std::vector<std::string> Trace() const;
    // The trace without the reports of the given prefixes (e.g. "pane 2", "register").
    std::vector<std::string> Trace(const std::vector<std::string>& skipPrefixes) const;
    int Count(const std::string& text) const;
    const RecordedReport* FindMessage(int code) const;
    // The channel buffers registered and not yet unregistered.
    const std::vector<CChannelBuffer*>& Buffers() const { return m_buffers; }
    void Clear();

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnCommNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnComPane(WPARAM wParam, LPARAM lParam);
    void Add(const RecordedReport& report);

    HWND m_hWnd = nullptr;
    std::vector<RecordedReport> m_reports;
    std::vector<CChannelBuffer*> m_buffers;
    std::deque<int> m_lineCommands;
};
