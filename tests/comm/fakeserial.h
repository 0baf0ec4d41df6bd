// A scripted serial device behind the engine's serial seam.
//
// FakeSerial replaces every entry of SerialApi() while it lives and puts the system's functions
// back when it is destroyed. It keeps a set of named devices; CreateFileA opens a known name and
// fails with ERROR_FILE_NOT_FOUND for any other. A device honours the overlapped contract of a
// real port: starting an operation resets the caller's event, a completion (at once or later)
// sets it, GetOverlappedResult reports ERROR_IO_INCOMPLETE while the operation runs and waits
// for it when asked to, SetCommMask and CloseHandle complete a pending WaitCommEvent, and
// PurgeComm with PURGE_TXABORT aborts pending writes. CancelIo aborts whatever runs on the handle.
// With late completions on, the device behaves as Wine does on a real port: a wait ended by
// SetCommMask, and operations cancelled by CancelIo, complete (ERROR_OPERATION_ABORTED) only
// some milliseconds later, and PurgeComm does not abort pending writes. Whatever is still
// pending when the handle is closed is counted (the caller's records may be gone by the time a
// real system finishes it) and dropped without touching the caller's memory. With late wait
// signals on, a comm-event wait is marked done in its record some time before its event is
// signalled, as Wine finishes it on a thread of its own; an event that the caller closed in
// between is counted (its handle value may belong to a newer event by then).
//
// Tests inject received bytes, switch the lines, ring, raise line errors and breaks, delay or
// hold write completions, make reads complete late, and fail any named call once with a chosen
// error. Every call is logged by name with its arguments, so tests can check the order of the
// set-up calls, and the bytes a device transmitted are kept in its transmit log.
//
// Modem lines are reported the way the program reads them: a line that is on shows as its hold
// flag in COMSTAT (fCtsHold, fDsrHold, fRlsdHold).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class FakeSerial;

class FakeSerialDevice
{
public:
    // Received bytes: appended to the input queue, EV_RXCHAR raised.
    void Inject(const std::vector<BYTE>& bytes);
    void Inject(const char* text);
    // Line changes: each raises its event when the state changes.
    void SetCts(bool on);
    void SetDsr(bool on);
    void SetRlsd(bool on);
    void Ring();
    // Line errors (CE_FRAME, CE_OVERRUN, CE_RXPARITY, CE_BREAK): kept in the error word until
    // ClearCommError; EV_ERR is raised, and EV_BREAK as well when CE_BREAK is among them.
    void RaiseErrors(DWORD errors);
    // Raises the given event bits (after changing the state as the test wishes).
    void RaiseEvents(DWORD events);

    // Writes complete this many milliseconds after WriteFile (0: at once).
    void SetWriteDelay(DWORD ms);
    // Held writes stay pending until ReleaseWrites or a PurgeComm with PURGE_TXABORT.
    void HoldWrites(bool hold);
    void ReleaseWrites();
    // Reads answer ERROR_IO_PENDING and complete this many milliseconds later (0: at once).
    void SetReadDelay(DWORD ms);

    // Cancellations complete this many milliseconds late, as under Wine (0: at once).
    void SetLateCompletion(DWORD ms);
    // A comm-event wait's event is signalled this many milliseconds after its record reads
    // done (0: at once); a wait that completes within its call is signalled at once.
    void SetLateWaitSignal(DWORD ms);
    // Comm-event waits as Wine's: a wait armed while bytes are queued finds EV_RXCHAR at once,
    // and a wait that completes at once leaves its event unsignalled (reset, as at any start).
    void SetWineAtOnceWait(bool on);
    // The next count waits that end by an event end as Wine's can when the event comes while
    // the wait's own call still runs: the device counts the wait no more, but its record reads
    // pending for good. Signalled, the events are written and the event is set, as Wine's
    // waiting thread does before the call writes "pending" over its result; otherwise nothing
    // tells the caller at all.
    void LoseWaitEnds(int count, bool signalled);
    // The wait running now, or else the next one, misses every event, and a change of the mask
    // ends it only this many milliseconds later: until then the device still counts it and
    // refuses another wait, as a system whose waiting thread has fallen behind does.
    void KeepWaitCounted(DWORD ms);

    // The device control block that GetCommState answers before the first SetCommState.
    void SetDriverDcb(const DCB& dcb);
    // What GetCommProperties answers; the event mask a handle has when it is opened; the
    // modem status word that GetCommModemStatus answers.
    void SetProperties(const COMMPROP& prop);
    void SetDriverMask(DWORD mask);
    void SetModemStatus(DWORD status);

    // What the program did with the device.
    std::vector<BYTE> Transmitted() const;
    DCB LastDcb() const;             // as given to SetCommState
    COMMTIMEOUTS LastTimeouts() const;
    DWORD Mask() const;
    int WriteCount() const;          // WriteFile calls
    LONGLONG LastWriteCounter() const;  // performance counter at the last WriteFile call
    int OpenCount() const;           // successful CreateFileA calls
    bool IsOpen() const;
    DWORD InputQueueCount() const;
    DWORD ReadTotal() const;         // bytes handed out by reads
    int PendingAtClose() const;      // operations still pending when a handle was closed
    int WaitsTaken() const;          // comm-event waits the device took (not refused)
    // Wait events the caller had closed when the device signalled them, once every late
    // signal has come.
    int SignalledAfterClose() const;

private:
    friend class FakeSerial;
    explicit FakeSerialDevice(FakeSerial* owner, const std::string& name);

    FakeSerial* m_owner;
    std::string m_name;
    bool m_open = false;
    int m_openCount = 0;
    DCB m_dcb{};
    bool m_dcbSet = false;
    COMMPROP m_prop{};
    DWORD m_driverMask = 0;
    DWORD m_modemStatus = 0;
    COMMTIMEOUTS m_timeouts{};
    DWORD m_mask = 0;
    DWORD m_history = 0;             // events seen since the last wait, within the mask
    DWORD m_errors = 0;
    bool m_cts = false, m_dsr = false, m_rlsd = false;
    std::vector<BYTE> m_input;
    std::vector<BYTE> m_transmitted;
    DWORD m_writeDelay = 0;
    bool m_holdWrites = false;
    DWORD m_readDelay = 0;
    int m_writeCount = 0;
    LONGLONG m_lastWriteCounter = 0;
    DWORD m_lateMs = 0;
    DWORD m_lateSignalMs = 0;
    bool m_wineAtOnceWait = false;
    int m_lostWaitEnds = 0;
    bool m_lostWaitEndsSignalled = false;
    DWORD m_nextCountedMs = 0;
    int m_waitsTaken = 0;
    DWORD m_readTotal = 0;
    int m_pendingAtClose = 0;
    int m_signalledAfterClose = 0;
    LPOVERLAPPED m_waitOv = nullptr; // pending WaitCommEvent
    LPDWORD m_waitMask = nullptr;
};

class FakeSerial
{
public:
    FakeSerial();
    ~FakeSerial();
    FakeSerial(const FakeSerial&) = delete;
    FakeSerial& operator=(const FakeSerial&) = delete;

    // A known device, by the exact name CreateFileA will be given (e.g. "\\\\.\\COM1").
    FakeSerialDevice& AddDevice(const std::string& name);
    FakeSerialDevice* Find(const std::string& name);

    // The next call of the named seam entry ("SetCommState", "ReadFile", ...) fails with this
    // error, once, before it has any effect.
    void FailOnce(const std::string& call, DWORD error);

    // Every call so far as "Name args", e.g. "EscapeCommFunction CLRDTR", "SetupComm 2048 2048".
    std::vector<std::string> Calls() const;
    // The calls of the given names only, in order.
    std::vector<std::string> Calls(const std::vector<std::string>& names) const;
    void ClearCalls();

private:
    friend class FakeSerialDevice;
    struct Operation;
    struct Scheduled;
    struct LateSignal;

    static FakeSerial* s_active;

    static HANDLE WINAPI FakeCreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    static BOOL WINAPI FakeGetCommState(HANDLE, LPDCB);
    static BOOL WINAPI FakeSetCommState(HANDLE, LPDCB);
    static BOOL WINAPI FakeEscapeCommFunction(HANDLE, DWORD);
    static BOOL WINAPI FakeSetupComm(HANDLE, DWORD, DWORD);
    static BOOL WINAPI FakeSetCommTimeouts(HANDLE, LPCOMMTIMEOUTS);
    static BOOL WINAPI FakeSetCommMask(HANDLE, DWORD);
    static BOOL WINAPI FakePurgeComm(HANDLE, DWORD);
    static BOOL WINAPI FakeWaitCommEvent(HANDLE, LPDWORD, LPOVERLAPPED);
    static BOOL WINAPI FakeClearCommError(HANDLE, LPDWORD, LPCOMSTAT);
    static BOOL WINAPI FakeReadFile(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    static BOOL WINAPI FakeWriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    static BOOL WINAPI FakeGetOverlappedResult(HANDLE, LPOVERLAPPED, LPDWORD, BOOL);
    static BOOL WINAPI FakeCancelIo(HANDLE);
    static BOOL WINAPI FakeCloseHandle(HANDLE);
    static BOOL WINAPI FakeGetCommProperties(HANDLE, LPCOMMPROP);
    static BOOL WINAPI FakeGetCommMask(HANDLE, LPDWORD);
    static BOOL WINAPI FakeGetCommModemStatus(HANDLE, LPDWORD);

    // All of these run with m_lock held.
    void Log(const std::string& entry);
    bool TakeFailure(const char* call);
    FakeSerialDevice* DeviceOf(HANDLE h);
    Operation& StartOperation(FakeSerialDevice* dev, LPOVERLAPPED ov, int kind);
    void Complete(Operation& op, DWORD error, DWORD bytes);
    void SignalLate(FakeSerialDevice* dev, HANDLE hEvent);
    void RaiseLocked(FakeSerialDevice* dev, DWORD events);
    void CompleteWait(FakeSerialDevice* dev, DWORD events);
    void FinishWrite(Operation& op);
    void FinishRead(Operation& op);
    void AbortOperations(FakeSerialDevice* dev, int kind);
    void Schedule(Operation& op, DWORD delay, bool abort = false);
    // Aborts now, or late when the device completes cancellations late.
    void Cancel(FakeSerialDevice* dev, Operation& op);

    static DWORD WINAPI TimerThread(LPVOID self);
    void RunTimers();

    mutable std::recursive_mutex m_lock;
    std::map<std::string, std::unique_ptr<FakeSerialDevice>> m_devices;
    std::map<HANDLE, FakeSerialDevice*> m_handles;
    UINT_PTR m_nextHandle = 0x6A000000;
    std::map<std::string, DWORD> m_failures;
    std::vector<std::string> m_calls;
    std::map<LPOVERLAPPED, std::unique_ptr<Operation>> m_ops;
    unsigned m_nextSerial = 1;
    std::vector<Scheduled> m_scheduled;
    std::vector<LateSignal> m_lateSignals;
    HANDLE m_timerWake = nullptr;
    HANDLE m_timerThread = nullptr;
    bool m_quit = false;
};
