// Starting connection threads, and stopping them all when the program closes.
//
// BeginPortSessionThread starts a port's connection the way the frame does, with one
// difference that makes every stop count: it creates (or opens) and resets the port's stop
// event itself, before the thread exists, and hands it to the thread, which holds it for its
// whole life. A stop given at any moment after the call (even while the device is being opened
// and set up, and by a frame that opens the event by name, sets it and closes it) is seen.
//
// Before it starts a port, it has the process's module keeper map the extension DLLs that the
// current set names for the two ports, on the calling (UI) thread. Under Wine the keeper keeps
// them mapped, so that no connection, probe or later start maps them again once connections
// have run (see modulekeeper.h); on Windows it does nothing, and each connection in extended
// mode loads its DLL itself and frees it at its end.
//
// StopPortSessionsAndWait is the shell's close path: it stops every connection started here
// that still runs, and any started while it waits (an automatic retry), and waits for their
// threads. Connection threads report to the UI thread by synchronous messages, so the wait
// pumps the calling thread's messages; a wait that did not would never end. Halfway through
// the bound it stops them once more, which cuts short what an ending connection still waits
// for (writes on their way, a script's OnDisConnected). A thread that is still inside an
// extension DLL's call when the bound runs out cannot be interrupted safely: it is named in the
// answer and left to end on its own.
#pragma once

#include "afxwin.h"

#include <vector>

// Starts the connection thread of a port (0 or 1), whose slot the caller has filled. FALSE
// when the stop event or the thread could not be created; nothing runs then.
BOOL BeginPortSessionThread(int nPort);

struct UnendedSession
{
    int nPort;
    DWORD dwThreadId;
};

// Stops every running connection started by BeginPortSessionThread and waits for their threads
// at most dwTimeout ms, pumping messages. Returns the threads that did not end, empty when all
// did.
std::vector<UnendedSession> StopPortSessionsAndWait(DWORD dwTimeout);
