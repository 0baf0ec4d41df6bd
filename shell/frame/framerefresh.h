// The message by which dialogs ask the main frame to bring itself up to date after a settings
// change: wParam 0 lists the log again, 1 a changed toolbar size (used at the next start),
// 3 the title and the notification-area icon again.
#pragma once

#include "afxwin.h"

inline constexpr UINT WM_FRAME_REFRESH = WM_APP + 3;
