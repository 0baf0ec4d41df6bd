// The machinery every connection loop runs on: the port and its reporter, the channel buffer
// registered with the frame, the connection's named events, the write and comm-event
// completions, the wait on all of them, the comm-event path (line state, line events, reading
// what is queued) and the gathering of received bytes into blocks by the port's framing rule.
//
// A loop derives from CConnectionLoop, gives the result codes of its failures, and keeps only
// what it does differently: what a wait index means, what a read or a block leads to, how a
// send is written and how the connection ends.
//
// Under load: a wait reports the lowest signalled handle, so after serving one the loop serves
// every other handle already signalled, in list order from the one after it, before it waits
// again; a source that expires again before a pass ends cannot starve the others. No exception
// leaves a pass: a failed allocation ends the connection as a reported failure.
//
// At the end: a stop is taken by resetting the stop event, so a second stop can cut short what the
// end still waits for. The user's stop drops the blocks not yet handed to the system, those waiting
// for their turn to be written and those still queued in the channel buffer: however long the queue
// behind a stalled line, or from a peer that routes faster than the log takes it, has grown, only
// the write the system holds is waited for. A pass that hands on block after block (the lines of
// one read, the channel buffer's queue) looks at the stop between two, so a stop waits behind one
// block of a backlog at most; the lines of the read after that one were read from the device all
// the same and are logged, as one block, before the stop. The writes still on their way are waited
// for (bounded) and reported; then the comm-event wait is ended and waited for, unfinished writes
// are cancelled and waited for, and only then is the port closed and are the records and events
// released. A system may complete a cancelled operation some time after the call that cancelled it,
// writing into its OVERLAPPED record and signalling its event; a record that never completes is
// left allocated with its event open rather than released under the system's hands.
#pragma once

#include "channelbuffer.h"
#include "connectionparts.h"
#include "pendingbytes.h"
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
    int nNoMemory;          // an allocation failed
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

    CConnectionLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup,
                    const ConnectionLoopResults& results);
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
    // gave no index of the list. Returns with dwIndex nCount, nothing to serve, when a look at
    // the port left work at the loop head.
    bool WaitNext(const HANDLE* pHandles, DWORD nCount, DWORD& dwIndex);
    // Whether bytes a look read wait for the loop head rather than being handed on at once.
    virtual bool HasWorkAtHead() const { return false; }
    // Serves the handle the wait reported, then every other one already signalled, in list
    // order from the one after it. False when the connection ends.
    bool ServeRound(const HANDLE* pHandles, DWORD nCount, DWORD dwFirst);
    // Whether the round goes on to the next signalled handle.
    virtual bool KeepServing() { return true; }
    // Runs a step; an exception (a failed allocation) ends the connection as a failure.
    template <typename Step>
    bool Guarded(Step step)
    {
        try {
            return step();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
        return NoMemory();
    }
    bool NoMemory();

    // Takes the stop: resets the stop event, so that a second stop is seen, and reports 20011.
    // The user's stop drops the blocks waiting for their turn to be written and those queued in
    // the channel buffer, and is noted in m_bUserStopTaken. What was read from the device is
    // kept: the complete blocks of a read that the stop cut short are logged before 20011 (an
    // incomplete block goes with the pending bytes, as at any end).
    void TakeStop(bool bByUser = true);
    // Logs the complete pending blocks as one received block.
    void KeepCutRead();
    // Looked at between two blocks of a pass: a stop that came meanwhile is served as the wait
    // serves it. True when the pass ends here.
    virtual bool StopsHere();

    // What every loop does on the shared wait indexes: a send pass on the send and trigger
    // events, the write and comm-event completions and the line commands. An index no loop
    // knows ends the connection as a failure.
    virtual bool Serve(DWORD dwIndex);

    // Hands every block of the channel buffer to SendBlock, looking at the stop between two,
    // then collects finished writes.
    bool SendPath();
    virtual bool SendBlock(const std::vector<BYTE>& bytes) = 0;
    // Logs the block as sent and starts its write.
    bool WriteBlock(const std::vector<BYTE>& bytes, int nFailResult);

    // Reports every block whose write finished, and a failed write, which ends the connection.
    // A write that finished at once may have had its completion signal cleared by the start of
    // the next write on the shared event, so loops also call this after each send pass rather
    // than wait for the event.
    bool CollectWrites();
    // When the connection ends: waits, bounded and cut short by a stop, for the blocks still on
    // their way, reporting each completion, or the failure that drops the rest.
    void DrainWrites();

    // The completed comm-event wait: line state, line events, the queued bytes read into
    // m_recv and handed to OnBytesRead, then the next wait.
    bool CommEvent();
    // The port served after a wait that ended with these events: line state, line events, the
    // queued bytes read and handed on, then the next wait.
    bool ServePort(DWORD dwEvtMask);
    virtual bool OnBytesRead(DWORD dwRead) = 0;

    // Hands the dwRead bytes of m_recv to OnBlock block by block by the port's framing rule,
    // looking at the stop between two; bytes of an incomplete block stay pending and are shown
    // in the COM control pane.
    bool FrameReceivedBytes(DWORD dwRead);
    // Appends the dwRead bytes of m_recv to the pending bytes; false (reported) without memory.
    bool AppendPending(DWORD dwRead);
    // Length of the next complete pending block by the port's framing rule, 0 when none.
    size_t NextPendingBlock();
    virtual bool OnBlock(const std::vector<BYTE>& block);
    // Shows the pending bytes in the COM control pane.
    void ShowPending();
    // Logs a block taken from the pending bytes as received, and shows what is left of them.
    void LogTakenBlock(const std::vector<BYTE>& block);

    // The next line command of the COM control pane that is neither an escape function nor
    // the discard of the pending bytes, which are carried out here; 0 when none is left.
    int NextLineCommand();
    virtual void DiscardPending();
    virtual bool LineCommands() = 0;

    bool Fail(int nCode, DWORD dwError, int nResult);

    void UnregisterBuffer();
    // Ends the comm-event wait and the writes still running, purges the port when asked, closes
    // it, then releases the records and closes the events.
    void ClosePort(bool bPurge);

    const CCommSetRecord& m_set;
    const int m_nPort;
    const HANDLE m_hThreadStop;
    HANDLE m_hPort;
    CPortSlot& m_slot;
    CPortReporter m_reporter;
    std::vector<BYTE> m_delimiters;
    CPendingBytes m_pending;
    std::vector<BYTE> m_recv;
    CChannelBuffer m_buffer;
    bool m_bRegistered;
    CConnectionEvents m_events;
    HANDLE m_hWriteEvent;
    HANDLE m_hWaitEvent;
    CSerialWriter m_writer;
    DWORD m_dwErrors;
    COMSTAT m_stat;
    int m_nResult;
    bool m_bUserStopTaken;  // the user's stop ends the connection

private:
    // The comm-event wait's OVERLAPPED record and event mask, which the system fills when the
    // wait completes; on the heap, so that a wait that never completes can be left to it.
    struct CommWait
    {
        OVERLAPPED ov;
        DWORD dwEvtMask;
    };

    bool ArmCommWait(int nFailResult);
    // Done when a wait has gone by without one: a comm-event wait that completed without a
    // signal is served; one that has left bytes queued since the last look is renewed.
    bool LookAtPort();
    // Ends the armed comm-event wait that missed its completion (bOver: known to be over already)
    // and serves the port as after one, received characters among the events; a record the
    // system does not give back is left to it and a new one takes its place.
    bool RenewCommWait(bool bOver);
    // Without an armed wait, while the system still counted the last one: reads what is queued
    // and tries a new wait.
    bool ServeUnarmed();
    // Waits, bounded, until the armed comm-event wait has completed; true when it has.
    bool FinishCommWait(DWORD dwTimeout);
    void CloseEvents();

    DWORD m_dwLookErrors;   // line errors a look took from the port, for the next completion
    DWORD m_dwLastLook;
    unsigned m_nArm;        // comm-event waits armed so far
    unsigned m_nSuspectArm; // the wait that had left bytes queued at the last look
    CommWait* m_pWait;
    bool m_bWaitArmed;
    bool m_bRearmDue;       // the system still counted the last wait: the looks read and try again
    bool m_bWaitLeft;       // a wait's record was left to the system, whose event stays open
    bool m_bWritesLeft;     // writes that never completed were left to the system

    const ConnectionLoopResults m_results;
};
