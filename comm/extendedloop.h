// The connection of a port in extended mode, driven by the port's extension DLL.
//
// RunExtendedMode loads the DLL named in the communication set and checks its interface
// version (100 or 256); ExtendedModeLoop then serves the port like the plain loop, but tells
// the DLL what happens (connected 1, a received block 4, the user's send 8, a timer 0x10,
// disconnecting 2) and carries out what the DLL answers: route bytes to a port's connections
// (0x100), end the connection (0x200), start or stop its two timers (0x400, 0x800), call it
// again with the send data editor's bytes (0x1000), or put bytes into the send data editor
// (0x2000). The user's send bytes are written only when the DLL's reply leaves word 1 at 0;
// routed and answered bytes are written at once. No automatic send, receive time-out or end
// rule applies here, and every block keeps its bytes until its write completes.
#pragma once

#include <windows.h>

class CPluginDll;
struct CConnectionSetup;

// The connection thread's entry for extended mode. Returns 0 after a connection, or -200 (DLL
// not loaded), -201 (version query failed), -202 (wrong interface version); on those the port
// handle is closed here.
int RunExtendedMode(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort,
                    const CConnectionSetup& setup);

// The connection itself, with the loaded DLL. Owns the port handle and closes it at its end.
int ExtendedModeLoop(int nCommType, HANDLE hPort, int nPort, const CConnectionSetup& setup, CPluginDll& dll);
