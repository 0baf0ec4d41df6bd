// The machinery every connection loop runs on: the port and its reporter, the channel buffer
// registered with the frame, the connection's named events, the write and comm-event
// completions, the wait on all of them, the comm-event path (line state, line events, reading
// what is queued) and the gathering of received bytes into blocks by the port's framing rule.
//
// A loop derives from CConnectionLoop, gives the result codes of its failures, and keeps only
// what it does differently: what a wait index means, what a read or a block leads to, how a
// send is written and how the connection ends.
#pragma once

#include "channelbuffer.h"
#include "connectionparts.h"
#include "portreporter.h"
#include "serialwriter.h"

#include <vector>

class CCommSetRecord;
struct CPortSlot;

// The results a loop ends with on each failure of the shared paths.
struct ConnectionLoopResults
{
    int nCreateWriteEvent;
    int nCreateWaitEvent;
    int nFirstClearError;
    int nFirstCommWait;
    int nWaitFailed;
    int nUnexpectedWait;
    int nWriteFailed;       // a finished write reported an error
    int nCommWaitFailed;    // the comm-event wait completed with an error
    int nClearError;
    int nTooManyQueued;
    int nReadFailed;
    int nNothingRead;
    int nRearmCommWait;
};

class CConnectionLoop
{
public:
    // The wait handles every loop waits on, in the order in which a wait reports them; a loop
    // may wait on more after these.
    enum
    {
        WaitStop,
        WaitSend,
        WaitTimer0,         // the automatic-send period, or the first timer
        WaitTimer1,         // the receive time-out, or the second timer
        WaitTrigger,
        WaitWriteDone,
        WaitCommEvent,
        WaitLineCommand,
        WaitSharedCount
    };

    CConnectionLoop(int nCommType, HANDLE hPort, int nPort, const ConnectionLoopResults& results);
    virtual ~CConnectionLoop();
    CConnectionLoop(const CConnectionLoop&) = delete;
    CConnectionLoop& operator=(const CConnectionLoop&) = delete;

protected:
    // Sizes the receive buffer, opens the events, attaches the writer and registers the
    // channel buffer with the frame.
    bool OpenConnection();
    // Shows the line state in the COM control pane and starts the first comm-event wait.
    bool StartLineWatch();

    // The first WaitSharedCount entries of a wait list.
    void FillSharedHandles(HANDLE* pHandles) const;
    // Serves the shared wait handles until Serve ends the connection.
    void ServeUntilEnd();
    // Waits on the handles; false (after the failure is reported) when the wait failed or
    // gave no index of the list.
    bool WaitNext(const HANDLE* pHandles, DWORD nCount, DWORD& dwIndex);

    // What every loop does on the shared wait indexes: a send pass on the send and trigger
    // events, the write and comm-event completions and the line commands. An index no loop
    // knows ends the connection as a failure.
    virtual bool Serve(DWORD dwIndex);

    // Hands every block of the channel buffer to SendBlock, then collects finished writes.
    bool SendPath();
    virtual bool SendBlock(const std::vector<BYTE>& bytes) = 0;
    // Logs the block as sent and starts its write.
    bool WriteBlock(const std::vector<BYTE>& bytes, int nFailResult);

    // Reports every finished write. A write that finished at once may have had its completion
    // signal cleared by the start of the next write on the shared event, so loops also call
    // this after each send pass rather than wait for the event.
    bool CollectWrites();
    // The last collection when the connection ends: a failure is reported, nothing more.
    void ReportFinalWrites();

    // The completed comm-event wait: line state, line events, the queued bytes read into
    // m_recv and handed to OnBytesRead, then the next wait.
    bool CommEvent();
    virtual bool OnBytesRead(DWORD dwRead) = 0;

    // Hands the dwRead bytes of m_recv to OnBlock block by block by the port's framing rule;
    // bytes of an incomplete block stay pending and are shown in the COM control pane.
    bool FrameReceivedBytes(DWORD dwRead);
    virtual bool OnBlock(const std::vector<BYTE>& block);
    // Shows the pending bytes in the COM control pane.
    void ShowPending();

    // The next line command of the COM control pane that is neither an escape function nor
    // the discard of the pending bytes, which are carried out here; 0 when none is left.
    int NextLineCommand();
    virtual void DiscardPending();
    virtual bool LineCommands() = 0;

    bool Fail(int nCode, DWORD dwError, int nResult);

    void UnregisterBuffer();
    // Closes the write and wait events and the connection's events; the port is closed first.
    void CloseEvents();

    const CCommSetRecord& m_set;
    const int m_nPort;
    HANDLE m_hPort;
    CPortSlot& m_slot;
    CPortReporter m_reporter;
    std::vector<BYTE> m_delimiters;
    std::vector<BYTE> m_pending;
    std::vector<BYTE> m_recv;
    CChannelBuffer m_buffer;
    bool m_bRegistered;
    CConnectionEvents m_events;
    HANDLE m_hWriteEvent;
    HANDLE m_hWaitEvent;
    OVERLAPPED m_ovWait;
    CSerialWriter m_writer;
    DWORD m_dwEvtMask;
    DWORD m_dwErrors;
    COMSTAT m_stat;
    int m_nResult;

private:
    bool ArmCommWait(int nFailResult);

    const ConnectionLoopResults m_results;
};
