// The application object of the shell's tests: its name is the program's, which the About box
// shows.
#include "afxwin.h"

CWinApp theApp("Korvane");
