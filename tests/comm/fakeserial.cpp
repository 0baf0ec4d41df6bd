#include "fakeserial.h"

#include "serialapi.h"

#include <algorithm>
#include <cstring>
#include <cstdio>

namespace {

const ULONG_PTR kStatusPending = 0x103;
const ULONG_PTR kStatusCancelled = 0xC0000120;

enum OperationKind { OpWait = 0, OpRead = 1, OpWrite = 2 };

std::string Hex(DWORD v)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%lX", static_cast<unsigned long>(v));
    return text;
}

const char* EscapeName(DWORD f)
{
    switch (f) {
    case SETXOFF: return "SETXOFF";
    case SETXON: return "SETXON";
    case SETRTS: return "SETRTS";
    case CLRRTS: return "CLRRTS";
    case SETDTR: return "SETDTR";
    case CLRDTR: return "CLRDTR";
    case SETBREAK: return "SETBREAK";
    case CLRBREAK: return "CLRBREAK";
    default: return "?";
    }
}

} // namespace

struct FakeSerial::Operation
{
    FakeSerialDevice* dev = nullptr;
    LPOVERLAPPED ov = nullptr;
    int kind = OpWait;
    unsigned serial = 0;
    bool pending = true;
    DWORD error = 0;
    DWORD bytes = 0;
    BYTE* readTo = nullptr;
    const BYTE* writeFrom = nullptr;
    DWORD length = 0;
    LPDWORD evtMask = nullptr;
    bool endLost = false;   // ended, but the record reads pending for good
    DWORD countedMs = 0;    // deaf to events, and counted this long after the mask's change
};

struct FakeSerial::Scheduled
{
    DWORD due;
    LPOVERLAPPED ov;
    unsigned serial;
    bool abort;
};

// A wait's event signalled after its record was marked done: the caller's handle value, and a
// handle of the device's own to the same event, which keeps it alive.
struct FakeSerial::LateSignal
{
    DWORD due;
    FakeSerialDevice* dev;
    HANDLE hCaller;
    HANDLE hOwn;
};

FakeSerial* FakeSerial::s_active = nullptr;

// ---- devices ---------------------------------------------------------------------------------

FakeSerialDevice::FakeSerialDevice(FakeSerial* owner, const std::string& name)
    : m_owner(owner), m_name(name)
{
    // A driver's state that differs from what the program sets, so that every field the
    // program writes is seen to change.
    m_dcb.DCBlength = sizeof(DCB);
    m_dcb.BaudRate = 4800;
    m_dcb.fBinary = 1;
    m_dcb.fParity = 1;
    m_dcb.fOutxCtsFlow = 1;
    m_dcb.fOutxDsrFlow = 1;
    m_dcb.fDtrControl = DTR_CONTROL_ENABLE;
    m_dcb.fDsrSensitivity = 1;
    m_dcb.fTXContinueOnXoff = 1;
    m_dcb.fOutX = 1;
    m_dcb.fInX = 1;
    m_dcb.fRtsControl = RTS_CONTROL_ENABLE;
    m_dcb.XonLim = 10;
    m_dcb.XoffLim = 20;
    m_dcb.ByteSize = 8;
    m_dcb.Parity = ODDPARITY;
    m_dcb.StopBits = ONESTOPBIT;
    m_dcb.XonChar = 1;
    m_dcb.XoffChar = 2;
}

void FakeSerialDevice::Inject(const std::vector<BYTE>& bytes)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_input.insert(m_input.end(), bytes.begin(), bytes.end());
    m_owner->RaiseLocked(this, EV_RXCHAR);
}

void FakeSerialDevice::Inject(const char* text)
{
    Inject(std::vector<BYTE>(text, text + std::strlen(text)));
}

void FakeSerialDevice::SetCts(bool on)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    if (m_cts != on) {
        m_cts = on;
        m_owner->RaiseLocked(this, EV_CTS);
    }
}

void FakeSerialDevice::SetDsr(bool on)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    if (m_dsr != on) {
        m_dsr = on;
        m_owner->RaiseLocked(this, EV_DSR);
    }
}

void FakeSerialDevice::SetRlsd(bool on)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    if (m_rlsd != on) {
        m_rlsd = on;
        m_owner->RaiseLocked(this, EV_RLSD);
    }
}

void FakeSerialDevice::Ring()
{
    RaiseEvents(EV_RING);
}

void FakeSerialDevice::RaiseErrors(DWORD errors)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_errors |= errors;
    m_owner->RaiseLocked(this, EV_ERR | ((errors & CE_BREAK) ? EV_BREAK : 0));
}

void FakeSerialDevice::RaiseEvents(DWORD events)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_owner->RaiseLocked(this, events);
}

void FakeSerialDevice::SetWriteDelay(DWORD ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_writeDelay = ms;
}

void FakeSerialDevice::HoldWrites(bool hold)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_holdWrites = hold;
}

void FakeSerialDevice::ReleaseWrites()
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_holdWrites = false;
    std::vector<FakeSerial::Operation*> writes;
    for (auto& entry : m_owner->m_ops) {
        FakeSerial::Operation& op = *entry.second;
        if (op.dev == this && op.kind == OpWrite && op.pending)
            writes.push_back(&op);
    }
    std::sort(writes.begin(), writes.end(),
              [](auto* a, auto* b) { return a->serial < b->serial; });
    for (auto* op : writes)
        m_owner->FinishWrite(*op);
}

void FakeSerialDevice::SetReadDelay(DWORD ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_readDelay = ms;
}

void FakeSerialDevice::SetLateCompletion(DWORD ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_lateMs = ms;
}

void FakeSerialDevice::SetLateWaitSignal(DWORD ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_lateSignalMs = ms;
}

void FakeSerialDevice::KeepWaitCounted(DWORD ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    auto it = m_waitOv ? m_owner->m_ops.find(m_waitOv) : m_owner->m_ops.end();
    if (it != m_owner->m_ops.end())
        it->second->countedMs = ms;
    else
        m_nextCountedMs = ms;
}

void FakeSerialDevice::LoseWaitEnds(int count, bool signalled)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_lostWaitEnds = count;
    m_lostWaitEndsSignalled = signalled;
}

void FakeSerialDevice::SetWineAtOnceWait(bool on)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_wineAtOnceWait = on;
}

void FakeSerialDevice::SetDriverDcb(const DCB& dcb)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_dcb = dcb;
    m_dcbSet = false;
}

void FakeSerialDevice::SetProperties(const COMMPROP& prop)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_prop = prop;
}

void FakeSerialDevice::SetDriverMask(DWORD mask)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_driverMask = mask;
}

void FakeSerialDevice::SetModemStatus(DWORD status)
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    m_modemStatus = status;
}

std::vector<BYTE> FakeSerialDevice::Transmitted() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_transmitted;
}

DCB FakeSerialDevice::LastDcb() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_dcb;
}

COMMTIMEOUTS FakeSerialDevice::LastTimeouts() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_timeouts;
}

DWORD FakeSerialDevice::Mask() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_mask;
}

int FakeSerialDevice::WriteCount() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_writeCount;
}

LONGLONG FakeSerialDevice::LastWriteCounter() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_lastWriteCounter;
}

int FakeSerialDevice::OpenCount() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_openCount;
}

bool FakeSerialDevice::IsOpen() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_open;
}

DWORD FakeSerialDevice::InputQueueCount() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return static_cast<DWORD>(m_input.size());
}

DWORD FakeSerialDevice::ReadTotal() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_readTotal;
}

int FakeSerialDevice::PendingAtClose() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_pendingAtClose;
}

int FakeSerialDevice::WaitsTaken() const
{
    std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
    return m_waitsTaken;
}

int FakeSerialDevice::SignalledAfterClose() const
{
    // Once the device's late signals have all come.
    for (DWORD start = GetTickCount();; Sleep(1)) {
        std::lock_guard<std::recursive_mutex> lock(m_owner->m_lock);
        const std::vector<FakeSerial::LateSignal>& late = m_owner->m_lateSignals;
        const bool bQueued = std::any_of(late.begin(), late.end(), [this](const FakeSerial::LateSignal& l) { return l.dev == this; });
        if (!bQueued || GetTickCount() - start > 30000)
            return m_signalledAfterClose;
    }
}

// ---- the device set --------------------------------------------------------------------------

FakeSerial::FakeSerial()
{
    m_timerWake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_timerThread = CreateThread(nullptr, 0, TimerThread, this, 0, nullptr);
    s_active = this;
    SerialApiTable& t = SerialApi();
    t.CreateFileA = FakeCreateFileA;
    t.GetCommState = FakeGetCommState;
    t.SetCommState = FakeSetCommState;
    t.EscapeCommFunction = FakeEscapeCommFunction;
    t.SetupComm = FakeSetupComm;
    t.SetCommTimeouts = FakeSetCommTimeouts;
    t.SetCommMask = FakeSetCommMask;
    t.PurgeComm = FakePurgeComm;
    t.WaitCommEvent = FakeWaitCommEvent;
    t.ClearCommError = FakeClearCommError;
    t.ReadFile = FakeReadFile;
    t.WriteFile = FakeWriteFile;
    t.GetOverlappedResult = FakeGetOverlappedResult;
    t.CancelIo = FakeCancelIo;
    t.CloseHandle = FakeCloseHandle;
    t.GetCommProperties = FakeGetCommProperties;
    t.GetCommMask = FakeGetCommMask;
    t.GetCommModemStatus = FakeGetCommModemStatus;
}

FakeSerial::~FakeSerial()
{
    ResetSerialApi();
    {
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        m_quit = true;
        SetEvent(m_timerWake);
    }
    WaitForSingleObject(m_timerThread, INFINITE);
    CloseHandle(m_timerThread);
    CloseHandle(m_timerWake);
    for (const LateSignal& late : m_lateSignals)
        CloseHandle(late.hOwn);
    s_active = nullptr;
}

FakeSerialDevice& FakeSerial::AddDevice(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    auto& slot = m_devices[name];
    if (!slot)
        slot.reset(new FakeSerialDevice(this, name));
    return *slot;
}

FakeSerialDevice* FakeSerial::Find(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    auto it = m_devices.find(name);
    return it == m_devices.end() ? nullptr : it->second.get();
}

void FakeSerial::FailOnce(const std::string& call, DWORD error)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_failures[call] = error;
}

std::vector<std::string> FakeSerial::Calls() const
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_calls;
}

std::vector<std::string> FakeSerial::Calls(const std::vector<std::string>& names) const
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    std::vector<std::string> out;
    for (const auto& call : m_calls) {
        std::string name = call.substr(0, call.find(' '));
        if (std::find(names.begin(), names.end(), name) != names.end())
            out.push_back(call);
    }
    return out;
}

void FakeSerial::ClearCalls()
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_calls.clear();
}

void FakeSerial::Log(const std::string& entry)
{
    m_calls.push_back(entry);
}

bool FakeSerial::TakeFailure(const char* call)
{
    auto it = m_failures.find(call);
    if (it == m_failures.end())
        return false;
    DWORD error = it->second;
    m_failures.erase(it);
    SetLastError(error);
    return true;
}

FakeSerialDevice* FakeSerial::DeviceOf(HANDLE h)
{
    auto it = m_handles.find(h);
    if (it == m_handles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second;
}

FakeSerial::Operation& FakeSerial::StartOperation(FakeSerialDevice* dev, LPOVERLAPPED ov, int kind)
{
    auto& slot = m_ops[ov];
    slot.reset(new Operation);
    slot->dev = dev;
    slot->ov = ov;
    slot->kind = kind;
    slot->serial = m_nextSerial++;
    ov->Internal = kStatusPending;
    ov->InternalHigh = 0;
    if (ov->hEvent)
        ResetEvent(ov->hEvent);
    return *slot;
}

void FakeSerial::Complete(Operation& op, DWORD error, DWORD bytes)
{
    op.pending = false;
    op.error = error;
    op.bytes = bytes;
    op.ov->Internal = error ? kStatusCancelled : 0;
    op.ov->InternalHigh = bytes;
    if (!op.ov->hEvent)
        return;
    if (op.kind == OpWait && op.dev->m_lateSignalMs)
        SignalLate(op.dev, op.ov->hEvent);
    else
        SetEvent(op.ov->hEvent);
}

void FakeSerial::SignalLate(FakeSerialDevice* dev, HANDLE hEvent)
{
    HANDLE hOwn = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), hEvent, GetCurrentProcess(), &hOwn, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        SetEvent(hEvent);
        return;
    }
    m_lateSignals.push_back({GetTickCount() + dev->m_lateSignalMs, dev, hEvent, hOwn});
    SetEvent(m_timerWake);
}

namespace {

// Whether the caller's handle value still names the event the device holds.
bool SameEvent(HANDLE hCaller, HANDLE hOwn)
{
    typedef BOOL(WINAPI * CompareFn)(HANDLE, HANDLE);
    static const CompareFn compare =
        reinterpret_cast<CompareFn>(GetProcAddress(GetModuleHandleA("kernelbase.dll"), "CompareObjectHandles"));
    DWORD flags = 0;
    if (!GetHandleInformation(hCaller, &flags))
        return false;
    return compare == nullptr || compare(hCaller, hOwn);
}

} // namespace

void FakeSerial::RaiseLocked(FakeSerialDevice* dev, DWORD events)
{
    if (!dev->m_open)
        return;
    DWORD seen = events & dev->m_mask;
    if (!seen)
        return;
    if (dev->m_waitOv) {
        auto it = m_ops.find(dev->m_waitOv);
        if (it == m_ops.end() || !it->second->countedMs)
            CompleteWait(dev, seen);
    }
    else
        dev->m_history |= seen;
}

void FakeSerial::CompleteWait(FakeSerialDevice* dev, DWORD events)
{
    auto it = m_ops.find(dev->m_waitOv);
    dev->m_waitOv = nullptr;
    if (it == m_ops.end())
        return;
    Operation& op = *it->second;
    if (events && dev->m_lostWaitEnds > 0) {
        --dev->m_lostWaitEnds;
        op.pending = false;
        op.endLost = true;
        if (dev->m_lostWaitEndsSignalled) {
            if (op.evtMask)
                *op.evtMask = events;
            if (op.ov->hEvent)
                SetEvent(op.ov->hEvent);
        }
        return;
    }
    if (op.evtMask)
        *op.evtMask = events;
    Complete(op, 0, 0);
}

void FakeSerial::FinishWrite(Operation& op)
{
    FakeSerialDevice* dev = op.dev;
    // The bytes are taken from the caller's buffer when the write completes, as a driver
    // does: a buffer released early shows up as wrong bytes on the line.
    dev->m_transmitted.insert(dev->m_transmitted.end(), op.writeFrom, op.writeFrom + op.length);
    Complete(op, 0, op.length);
}

void FakeSerial::FinishRead(Operation& op)
{
    FakeSerialDevice* dev = op.dev;
    DWORD n = std::min<DWORD>(op.length, static_cast<DWORD>(dev->m_input.size()));
    std::copy(dev->m_input.begin(), dev->m_input.begin() + n, op.readTo);
    dev->m_input.erase(dev->m_input.begin(), dev->m_input.begin() + n);
    dev->m_readTotal += n;
    Complete(op, 0, n);
}

void FakeSerial::AbortOperations(FakeSerialDevice* dev, int kind)
{
    for (auto& entry : m_ops) {
        Operation& op = *entry.second;
        if (op.dev == dev && op.pending && (kind < 0 || op.kind == kind))
            Cancel(dev, op);
    }
}

void FakeSerial::Schedule(Operation& op, DWORD delay, bool abort)
{
    m_scheduled.push_back({GetTickCount() + delay, op.ov, op.serial, abort});
    SetEvent(m_timerWake);
}

void FakeSerial::Cancel(FakeSerialDevice* dev, Operation& op)
{
    if (dev->m_lateMs) {
        Schedule(op, dev->m_lateMs, true);
        return;
    }
    if (op.kind == OpWait) {
        dev->m_waitOv = nullptr;
        if (op.evtMask)
            *op.evtMask = 0;
    }
    Complete(op, ERROR_OPERATION_ABORTED, 0);
}

DWORD WINAPI FakeSerial::TimerThread(LPVOID self)
{
    static_cast<FakeSerial*>(self)->RunTimers();
    return 0;
}

void FakeSerial::RunTimers()
{
    for (;;) {
        DWORD wait = INFINITE;
        {
            std::lock_guard<std::recursive_mutex> lock(m_lock);
            if (m_quit)
                return;
            DWORD now = GetTickCount();
            for (size_t i = 0; i < m_scheduled.size();) {
                Scheduled s = m_scheduled[i];
                LONG left = static_cast<LONG>(s.due - now);
                if (left > 0) {
                    wait = std::min<DWORD>(wait, static_cast<DWORD>(left));
                    ++i;
                    continue;
                }
                m_scheduled.erase(m_scheduled.begin() + i);
                auto it = m_ops.find(s.ov);
                if (it == m_ops.end() || it->second->serial != s.serial || !it->second->pending)
                    continue;
                Operation& op = *it->second;
                if (s.abort) {
                    if (op.kind == OpWait) {
                        if (op.dev->m_waitOv == op.ov)
                            op.dev->m_waitOv = nullptr;
                        if (op.evtMask)
                            *op.evtMask = 0;
                    }
                    Complete(op, ERROR_OPERATION_ABORTED, 0);
                } else if (op.kind == OpWrite) {
                    if (!op.dev->m_holdWrites)
                        FinishWrite(op);
                } else if (op.kind == OpRead) {
                    FinishRead(op);
                }
            }
            for (size_t i = 0; i < m_lateSignals.size();) {
                const LateSignal late = m_lateSignals[i];
                LONG left = static_cast<LONG>(late.due - now);
                if (left > 0) {
                    wait = std::min<DWORD>(wait, static_cast<DWORD>(left));
                    ++i;
                    continue;
                }
                m_lateSignals.erase(m_lateSignals.begin() + i);
                late.dev->m_signalledAfterClose += !SameEvent(late.hCaller, late.hOwn);
                SetEvent(late.hOwn);
                CloseHandle(late.hOwn);
            }
        }
        WaitForSingleObject(m_timerWake, wait);
    }
}

// ---- the seam entries ------------------------------------------------------------------------

HANDLE WINAPI FakeSerial::FakeCreateFileA(LPCSTR name, DWORD access, DWORD share,
                                          LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                                          DWORD flags, HANDLE templ)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log(std::string("CreateFileA ") + (name ? name : "") + " " + Hex(access) + " " +
              Hex(share) + " " + Hex(disposition) + " " + Hex(flags));
    if (self->TakeFailure("CreateFileA"))
        return INVALID_HANDLE_VALUE;
    auto it = self->m_devices.find(name ? name : "");
    if (it == self->m_devices.end()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FakeSerialDevice* dev = it->second.get();
    if (dev->m_open) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    dev->m_open = true;
    dev->m_openCount++;
    dev->m_mask = dev->m_driverMask;
    dev->m_history = 0;
    HANDLE h = reinterpret_cast<HANDLE>(self->m_nextHandle);
    self->m_nextHandle += 4;
    self->m_handles[h] = dev;
    return h;
}

BOOL WINAPI FakeSerial::FakeGetCommState(HANDLE h, LPDCB dcb)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("GetCommState");
    if (self->TakeFailure("GetCommState"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    *dcb = dev->m_dcb;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeSetCommState(HANDLE h, LPDCB dcb)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("SetCommState");
    if (self->TakeFailure("SetCommState"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    dev->m_dcb = *dcb;
    dev->m_dcbSet = true;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeEscapeCommFunction(HANDLE h, DWORD func)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log(std::string("EscapeCommFunction ") + EscapeName(func));
    if (self->TakeFailure("EscapeCommFunction"))
        return FALSE;
    return self->DeviceOf(h) != nullptr;
}

BOOL WINAPI FakeSerial::FakeSetupComm(HANDLE h, DWORD in, DWORD out)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("SetupComm " + std::to_string(in) + " " + std::to_string(out));
    if (self->TakeFailure("SetupComm"))
        return FALSE;
    return self->DeviceOf(h) != nullptr;
}

BOOL WINAPI FakeSerial::FakeSetCommTimeouts(HANDLE h, LPCOMMTIMEOUTS t)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("SetCommTimeouts " + std::to_string(t->ReadIntervalTimeout) + " " +
              std::to_string(t->ReadTotalTimeoutMultiplier) + " " +
              std::to_string(t->ReadTotalTimeoutConstant) + " " +
              std::to_string(t->WriteTotalTimeoutMultiplier) + " " +
              std::to_string(t->WriteTotalTimeoutConstant));
    if (self->TakeFailure("SetCommTimeouts"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    dev->m_timeouts = *t;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeSetCommMask(HANDLE h, DWORD mask)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("SetCommMask " + Hex(mask));
    if (self->TakeFailure("SetCommMask"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    dev->m_mask = mask;
    dev->m_history = 0;
    if (dev->m_waitOv) {
        auto it = self->m_ops.find(dev->m_waitOv);
        if (it != self->m_ops.end() && it->second->countedMs)
            self->Schedule(*it->second, it->second->countedMs, true);
        else if (dev->m_lateMs && it != self->m_ops.end())
            self->Cancel(dev, *it->second);
        else
            self->CompleteWait(dev, 0);
    }
    return TRUE;
}

BOOL WINAPI FakeSerial::FakePurgeComm(HANDLE h, DWORD flags)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("PurgeComm " + Hex(flags));
    if (self->TakeFailure("PurgeComm"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    if ((flags & PURGE_TXABORT) && !dev->m_lateMs)
        self->AbortOperations(dev, OpWrite);
    if (flags & PURGE_RXABORT)
        self->AbortOperations(dev, OpRead);
    if (flags & PURGE_RXCLEAR)
        dev->m_input.clear();
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeWaitCommEvent(HANDLE h, LPDWORD mask, LPOVERLAPPED ov)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("WaitCommEvent");
    if (self->TakeFailure("WaitCommEvent"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    if (!ov || dev->m_waitOv) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Operation& op = self->StartOperation(dev, ov, OpWait);
    op.evtMask = mask;
    ++dev->m_waitsTaken;
    DWORD events = dev->m_history;
    if (dev->m_wineAtOnceWait && !dev->m_input.empty())
        events |= dev->m_mask & EV_RXCHAR;
    if (events) {
        // Events that happened since the last wait complete the new one at once.
        dev->m_history = 0;
        if (mask)
            *mask = events;
        // Done within the call, so never signalled late; Wine's is not signalled at all.
        op.pending = false;
        op.ov->Internal = 0;
        op.ov->InternalHigh = 0;
        if (ov->hEvent && !dev->m_wineAtOnceWait)
            SetEvent(ov->hEvent);
        return TRUE;
    }
    op.countedMs = dev->m_nextCountedMs;
    dev->m_nextCountedMs = 0;
    dev->m_waitOv = ov;
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

BOOL WINAPI FakeSerial::FakeClearCommError(HANDLE h, LPDWORD errors, LPCOMSTAT stat)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("ClearCommError");
    if (self->TakeFailure("ClearCommError"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    if (errors)
        *errors = dev->m_errors;
    dev->m_errors = 0;
    if (stat) {
        ZeroMemory(stat, sizeof(*stat));
        stat->fCtsHold = dev->m_cts;
        stat->fDsrHold = dev->m_dsr;
        stat->fRlsdHold = dev->m_rlsd;
        stat->cbInQue = static_cast<DWORD>(dev->m_input.size());
    }
    // A call that succeeds leaves the thread's last error as it was, which after an
    // overlapped start is ERROR_IO_PENDING.
    SetLastError(ERROR_IO_PENDING);
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeReadFile(HANDLE h, LPVOID buffer, DWORD length, LPDWORD read,
                                     LPOVERLAPPED ov)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("ReadFile " + std::to_string(length));
    if (self->TakeFailure("ReadFile"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    if (!ov) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Operation& op = self->StartOperation(dev, ov, OpRead);
    op.readTo = static_cast<BYTE*>(buffer);
    op.length = length;
    if (dev->m_readDelay) {
        self->Schedule(op, dev->m_readDelay);
        SetLastError(ERROR_IO_PENDING);
        return FALSE;
    }
    self->FinishRead(op);
    if (read)
        *read = op.bytes;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeWriteFile(HANDLE h, LPCVOID buffer, DWORD length, LPDWORD written,
                                      LPOVERLAPPED ov)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("WriteFile " + std::to_string(length));
    if (self->TakeFailure("WriteFile"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    if (!ov) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto existing = self->m_ops.find(ov);
    if (existing != self->m_ops.end() && existing->second->pending) {
        // A second write on an OVERLAPPED whose write still runs: the first one's record
        // would be overwritten on a real system. Fail loudly so that tests see it.
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    dev->m_writeCount++;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    dev->m_lastWriteCounter = now.QuadPart;
    Operation& op = self->StartOperation(dev, ov, OpWrite);
    op.writeFrom = static_cast<const BYTE*>(buffer);
    op.length = length;
    if (dev->m_holdWrites || dev->m_writeDelay) {
        if (!dev->m_holdWrites)
            self->Schedule(op, dev->m_writeDelay);
        SetLastError(ERROR_IO_PENDING);
        return FALSE;
    }
    self->FinishWrite(op);
    if (written)
        *written = length;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeGetOverlappedResult(HANDLE h, LPOVERLAPPED ov, LPDWORD bytes, BOOL wait)
{
    FakeSerial* self = s_active;
    std::unique_lock<std::recursive_mutex> lock(self->m_lock);
    self->Log(wait ? "GetOverlappedResult wait" : "GetOverlappedResult");
    if (self->TakeFailure("GetOverlappedResult"))
        return FALSE;
    if (!self->DeviceOf(h))
        return FALSE;
    auto it = self->m_ops.find(ov);
    if (it == self->m_ops.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    unsigned serial = it->second->serial;
    while (it->second->pending || it->second->endLost) {
        if (!wait) {
            SetLastError(ERROR_IO_INCOMPLETE);
            return FALSE;
        }
        HANDLE event = ov->hEvent;
        lock.unlock();
        WaitForSingleObject(event, 50);
        lock.lock();
        it = self->m_ops.find(ov);
        if (it == self->m_ops.end() || it->second->serial != serial) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    const Operation& op = *it->second;
    if (bytes)
        *bytes = op.bytes;
    if (op.error) {
        SetLastError(op.error);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeCancelIo(HANDLE h)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("CancelIo");
    if (self->TakeFailure("CancelIo"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    self->AbortOperations(dev, -1);
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeCloseHandle(HANDLE h)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("CloseHandle");
    if (self->TakeFailure("CloseHandle"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    // Whatever still runs on the handle may be finished by a real system after the caller has
    // released its records: it is counted and dropped here, never written.
    for (auto& entry : self->m_ops)
        dev->m_pendingAtClose += entry.second->dev == dev && entry.second->pending;
    dev->m_waitOv = nullptr;
    for (auto it = self->m_ops.begin(); it != self->m_ops.end();) {
        if (it->second->dev == dev)
            it = self->m_ops.erase(it);
        else
            ++it;
    }
    dev->m_open = false;
    dev->m_mask = 0;
    dev->m_history = 0;
    self->m_handles.erase(h);
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeGetCommProperties(HANDLE h, LPCOMMPROP prop)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("GetCommProperties");
    if (self->TakeFailure("GetCommProperties"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    *prop = dev->m_prop;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeGetCommMask(HANDLE h, LPDWORD mask)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("GetCommMask");
    if (self->TakeFailure("GetCommMask"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    *mask = dev->m_mask;
    return TRUE;
}

BOOL WINAPI FakeSerial::FakeGetCommModemStatus(HANDLE h, LPDWORD status)
{
    FakeSerial* self = s_active;
    std::lock_guard<std::recursive_mutex> lock(self->m_lock);
    self->Log("GetCommModemStatus");
    if (self->TakeFailure("GetCommModemStatus"))
        return FALSE;
    FakeSerialDevice* dev = self->DeviceOf(h);
    if (!dev)
        return FALSE;
    *status = dev->m_modemStatus;
    return TRUE;
}
