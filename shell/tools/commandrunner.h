// The command tool's worker: runs one command line of the system's command interpreter as a
// hidden child whose standard output and standard error go into a pipe, and reports to the
// dialog by posted messages only.
//
// While the command runs the worker posts WM_COMMAND_OUTPUT (1, 0) about every 100 ms; when it
// is over it posts (0, status): 0 ended, 1 stopped through the stop event, 2 the wait failed.
// The child runs in a job of its own, so stopping ends whatever the interpreter started too,
// not only the interpreter. A command line the system refuses fails like any other start:
// message 13040, then the end with status 0.
#pragma once

#include "afxwin.h"

#define WM_COMMAND_OUTPUT (WM_APP + 6)

// Handed to the worker, which frees it. The dialog keeps the stop event and the pipe's write
// end open until the worker has ended.
struct CommandRunParams
{
    HWND hDialog;
    CString strCommand;
    HANDLE hStop;
    HANDLE hWrite;
};

// Thread procedure; the parameter is a CommandRunParams made with new. Returns 0.
UINT CommandRunnerThread(LPVOID pParam);

// The interpreter's command line for a command: the system folder's cmd.exe, "/A /C " and the
// command, however long (the system decides what it accepts).
CString MakeInterpreterCommandLine(const CString& strCommand);
