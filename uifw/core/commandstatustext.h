// Shows a command's prompt for a window: in the first pane of its frame's status bar (id
// 0xE801) while the command tips are on, else (and always for the idle prompt 0xE001) by
// WM_SETMESSAGESTRING to the frame. A floating frame passes its prompts to the frame it
// floats for.
#pragma once
#include "afxwin.h"

void ShowCommandStatusText(CWnd* pWnd, UINT nID);
