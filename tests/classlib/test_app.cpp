// The test program's application object. It is built without a name and no WinMain runs,
// so its names come from the module: the tests see what a program that never set them sees.
#include "afxwin.h"

CWinApp theTestApp;
