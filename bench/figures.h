// The benchmark's figures, one function per group; each prints its lines through Report.
// (Figure 1, the build of a clean clone, is measured by scripts/bench.sh itself.)
#pragma once

namespace bench {

void StartupFigures();     // 2 and 3: the program's start-up, and its memory after start
void MemoryFigures();      // 3: what receiving 1 MiB adds to the program's memory
void KeyFigures();         // 4: a key typed into the program's editors, the command tool's output
void CommandToolFigures(); // beside 4: the command tool's output against a bare edit, its stop
void LogFigures();         // 5: the log list, the log store and saved-log reading
void ReceiveFigures();     // 8 and 6: the receive path and the automatic reply, fake device
void PtyFigures();         // 7: the receive path over the real pseudo-terminal pair
void HexFigures();         // 9: the hex editor model over 16 MiB
void ScriptFigures();      // 10: the script editor model over 10,000 lines
void SoakFigures();        // 11: the real program for minutes on two pseudo-terminal pairs

} // namespace bench
