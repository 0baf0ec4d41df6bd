// Starting a worker thread whose end its starter can wait for.
//
// A thread started by AfxBeginThread deletes its thread object, and closes the object's handle,
// when it ends; a starter that wants to wait for the end needs a handle of its own, taken
// before the thread may run.
#pragma once

#include "afxwin.h"

// Starts pfnProc(pParam) at the priority; returns a handle to wait on (the caller closes it)
// and the thread's id, or NULL when the thread could not start (pfnProc never runs then).
HANDLE BeginWorkerThread(AFX_THREADPROC pfnProc, LPVOID pParam, int nPriority, DWORD* pdwThreadId = NULL);
