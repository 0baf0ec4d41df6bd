// The connection loop of a port that runs neither a script nor an extension DLL.
//
// It waits on eight handles at once: stop, send, the automatic-send period, the receive
// time-out, the channel-buffer trigger, write completion, comm-event completion and line
// command. It writes what its channel buffer holds (logging each block as sent before writing
// it), sends the editor's bytes on the automatic-send period, gathers received bytes into
// blocks by the port's framing rule, reports modem-line changes, line errors and ring, carries
// out the line commands of the COM control pane, and ends on the stop event, the receive
// time-out, an end rule or a failure. Every block and every notable event is reported to the
// frame as a log record.
#pragma once

#include <windows.h>

struct CConnectionSetup;

// Results: 1 stopped by the user, 0 ended by an end rule, negative on a failure.
int PlainModeLoop(int nCommType, int nReserved1, int nReserved2, HANDLE hPort, int nPort,
                  const CConnectionSetup& setup);
