// The connection loop of a port in script mode.
//
// The port's behaviour is a Lua 5.1 script, the text of the port's script pane. The loop
// serves the same port events as the plain loop, but instead of the automatic send, the
// receive time-out and the end rules it gives the script five callbacks (OnConnected,
// OnReceive, OnSendPush, OnTimer, OnDisConnected), two timers and the function library, and
// lets the script end the connection with Disconnect(). Received bytes are gathered into
// blocks by the port's framing rule and each block is handed to OnReceive; the user's send
// command only wakes OnSendPush through the script send event, so nothing is sent unless the
// script sends it. Every block the script writes keeps its bytes until its write completes.
#pragma once

#include "afxwin.h"

struct CConnectionSetup;

// Results: 0 when ended by the stop event or Disconnect(), negative on a failure.
int ScriptModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort,
                   const CConnectionSetup& setup);

// "%08X%08XMirtolexLuaScriptSendEvent%d" of a port, from the start tick count and the process
// id like every other connection event, so a second running copy of the program never wakes
// this one's script. The send command sets this auto-reset event to call OnSendPush.
CString MakeScriptSendEventName(int nPort);
