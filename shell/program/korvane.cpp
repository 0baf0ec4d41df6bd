// The program: its one application object. The class library's WinMain runs it.
#include "mainapp.h"

CMainApp theApp;
