// The serial calls of the connection engine, reached through one table of function pointers.
//
// Every call that touches a port handle goes through SerialApi(); by default the table holds
// the system's own functions. Tests put a scripted device behind it, because the machines the
// tests run on have no serial hardware with modem lines. Events, waits, threads and every
// other system call stay direct.
#pragma once

#include <windows.h>

struct SerialApiTable
{
    HANDLE(WINAPI* CreateFileA)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* GetCommState)(HANDLE, LPDCB);
    BOOL(WINAPI* SetCommState)(HANDLE, LPDCB);
    BOOL(WINAPI* EscapeCommFunction)(HANDLE, DWORD);
    BOOL(WINAPI* SetupComm)(HANDLE, DWORD, DWORD);
    BOOL(WINAPI* SetCommTimeouts)(HANDLE, LPCOMMTIMEOUTS);
    BOOL(WINAPI* SetCommMask)(HANDLE, DWORD);
    BOOL(WINAPI* PurgeComm)(HANDLE, DWORD);
    BOOL(WINAPI* WaitCommEvent)(HANDLE, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* ClearCommError)(HANDLE, LPDWORD, LPCOMSTAT);
    BOOL(WINAPI* ReadFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* WriteFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* GetOverlappedResult)(HANDLE, LPOVERLAPPED, LPDWORD, BOOL);
    BOOL(WINAPI* CancelIo)(HANDLE);
    BOOL(WINAPI* CloseHandle)(HANDLE);
    BOOL(WINAPI* GetCommProperties)(HANDLE, LPCOMMPROP);
    BOOL(WINAPI* GetCommMask)(HANDLE, LPDWORD);
    BOOL(WINAPI* GetCommModemStatus)(HANDLE, LPDWORD);
};

// The table in use. Replace entries only while no connection runs.
SerialApiTable& SerialApi();

// The table of the system's own functions.
const SerialApiTable& SystemSerialApi();

// Puts the system's functions back into the table in use.
void ResetSerialApi();
