#include "benchframe.h"

#include "channelbuffer.h"
#include "commlogrecord.h"
#include "portreporter.h"
#include "portsession.h"
#include "sessionthreads.h"
#include "recorderwindow.h"
#include "benchkit.h"
#include "serialapi.h"

#include <algorithm>

namespace bench {

namespace {

const char kClassName[] = "KorvaneBenchFrame";

// Messages a running connection reports on its own: started, stopped, ended, write done.
bool IsUsualMessage(int code)
{
    return code == 20001 || code == 20002 || code == 20011 || code == 20016;
}

int MillisecondOfDay(const SYSTEMTIME& t)
{
    return ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

} // namespace

void FillStream(BYTE* out, size_t n, unsigned long long first)
{
    for (size_t i = 0; i < n; ++i)
        out[i] = StreamByte(first + i);
}

unsigned long long ReadStreamBare(HANDLE port, unsigned long long total, DWORD bufferSize)
{
    const SerialApiTable& api = SerialApi();
    api.SetCommMask(port, EV_RXCHAR);
    OVERLAPPED ov = {};
    ov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<BYTE> buffer(bufferSize);
    unsigned long long matched = 0;
    // The calls of a connection's receive path, and nothing else: wait for a comm event, ask
    // what is queued, read it. The first pass reads before it waits, so bytes that came
    // before the mask was set (and raised no event) are not left waiting for more.
    for (bool first = true; matched < total; first = false) {
        if (!first) {
            DWORD mask = 0, count = 0;
            if (!api.WaitCommEvent(port, &mask, &ov)) {
                // A minute without a byte: the sender is gone, and what came is what counts.
                if (GetLastError() != ERROR_IO_PENDING || WaitForSingleObject(ov.hEvent, 60000) != WAIT_OBJECT_0)
                    break;
            }
            api.GetOverlappedResult(port, &ov, &count, FALSE);
        }
        DWORD errors = 0;
        COMSTAT stat = {};
        if (!api.ClearCommError(port, &errors, &stat))
            break;
        if (!stat.cbInQue)
            continue;
        DWORD read = 0;
        if (!api.ReadFile(port, buffer.data(), std::min<DWORD>(stat.cbInQue, bufferSize), &read, &ov)) {
            if (GetLastError() != ERROR_IO_PENDING || !api.GetOverlappedResult(port, &ov, &read, TRUE))
                break;
        }
        for (DWORD i = 0; i < read; ++i)
            matched += buffer[i] == StreamByte(matched);
    }
    CloseHandle(ov.hEvent);
    return matched;
}

BenchFrame::BenchFrame()
{
    m_settings.m_nMaxLog = 9999;
    m_settings.m_nAutoSave = 0;
    m_store.SetSources(&m_settings, nullptr);
    m_hWnd = CreateReportWindow(kClassName, WndProc, this);
}

BenchFrame::~BenchFrame()
{
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hWnd);
}

void BenchFrame::ResetCounts()
{
    for (Port& port : m_ports) {
        port.expected = port.matched = port.broken = 0;
        port.lastByte = 0;
        port.maxWaitMs = 0;
        port.failures = 0;
    }
}

bool BenchFrame::WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpMessagesUntil(done, timeoutMs);
}

LRESULT CALLBACK BenchFrame::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<BenchFrame*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && msg == WM_COMM_NOTIFY)
        return self->OnCommNotify(wParam, lParam);
    if (self && msg == WM_COM_PANE) {
        const int port = LOWORD(wParam) & 1;
        if (HIWORD(wParam) == ComPaneLineState)
            self->m_ports[port].lineShown = true;
        if (HIWORD(wParam) == ComPanePending) {
            ++self->m_ports[port].pendingShows;
            self->m_ports[port].lastPendingShown = Now();
        }
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT BenchFrame::OnCommNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CommNotifyRegister || wParam == CommNotifyUnregister) {
        auto* buffer = reinterpret_cast<CChannelBuffer*>(lParam);
        m_ports[buffer->m_nPort & 1].buffer = wParam == CommNotifyRegister ? buffer : nullptr;
        return 0;
    }
    if (wParam != CommNotifyRecord)
        return 0;
    const auto& record = *reinterpret_cast<const CCommLogRecord*>(lParam);
    Port& port = m_ports[record.m_nPort & 1];
    m_store.AppendLogRecord(record);
    if (record.m_nKind == CCommLogRecord::KindMessage && !IsUsualMessage(record.m_nMsgCode))
        ++port.failures;
    if (record.m_nKind == CCommLogRecord::KindReceive) {
        COleSafeArray& data = const_cast<COleSafeArray&>(record.m_data);
        const DWORD n = data.GetOneDimSize();
        void* p = nullptr;
        data.AccessData(&p);
        const BYTE* bytes = static_cast<const BYTE*>(p);
        for (DWORD i = 0; i < n; ++i) {
            if (bytes[i] == StreamByte(port.expected)) {
                ++port.matched;
                ++port.expected;
            } else {
                ++port.broken;
            }
        }
        data.UnaccessData();
        port.lastByte = Now();
        if (port.reply && port.buffer) {
            COleSafeArray reply;
            reply.CreateOneDim(VT_UI1, static_cast<DWORD>(port.replyBytes.size()), port.replyBytes.data());
            port.buffer->Push(reply, 0);
            port.buffer->Signal();
        }
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    int wait = MillisecondOfDay(now) - MillisecondOfDay(record.m_time);
    if (wait < 0)
        wait += 24 * 3600 * 1000;
    port.maxWaitMs = std::max(port.maxWaitMs, wait);
    return 0;
}

COleSafeArray BenchEditor::GetSendEditorData()
{
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, 0);
    return data;
}

void StartConnection(BenchFrame& frame, int port)
{
    CPortSlot& slot = GetPortSlot(port);
    slot.m_nPort = port;
    slot.m_hFrameWnd = frame.Handle();
    slot.m_nRetryWait = 0;
    BeginPortSessionThread(port);
}

bool StopConnections()
{
    return StopPortSessionsAndWait(10000).empty();
}

} // namespace bench
