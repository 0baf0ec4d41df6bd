// The benchmark's figures, one function per group; each prints its lines through Report.
#pragma once

namespace bench {

void ReceiveFigures();     // 1 and 3: the receive path and the automatic reply, fake device
void PtyFigures();         // 2: the receive path over the real pseudo-terminal pair
void LogFigures();         // 4: the log store, the log list and saved-log reading
void HexFigures();         // 5: the hex editor over 16 MiB
void ScriptFigures();      // 6: the script editor over 10,000 lines
void SoakFigures();        // 8: the real program for minutes on two pseudo-terminal pairs

} // namespace bench
