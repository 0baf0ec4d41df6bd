// Shows a command's prompt in the status bar of a window's frame: the frame (the window
// itself when it is a frame, else its parent frame) is asked with WM_SETMESSAGESTRING.
#pragma once
#include "afxwin.h"

void ShowCommandStatusText(CWnd* pWnd, UINT nID);
