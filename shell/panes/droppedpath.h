// The first file of a shell drop, read at its full length: a path that is longer than the old
// 260-character limit (a "\\?\" path or a long folder tree) must load as it stands, never cut
// into the name of some other file.
#pragma once

#include "afxwin.h"

// The number of files the drop carries and, when there is at least one, the first one's path.
UINT FirstDroppedPath(HDROP hDrop, CString& path);
