// The application object of the shell's tests: the program's own, so the start-up and the main
// frame run in-process; its name is the program's, which the About box shows.
#include "mainapp.h"

CMainApp theApp;
