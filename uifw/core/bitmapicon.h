// Icons made from bitmaps: a command icon's image, its generated look and every bitmap button
// image become icons through here.
#pragma once

#include "afxwin.h"

// An icon of the bitmap (or of pRect of it) whose clrKey pixels are transparent. With
// bMapSysColors the classic toolbar greys (0x808080, 0xC0C0C0, 0xDFDFDF) become the current
// shadow, face and light system colours. NULL on failure.
HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRect = NULL, bool bMapSysColors = false);

// The icon a window shows: its small icon, else its big one, else its class's small icon,
// else its class icon. Not a copy; NULL when it has none.
HICON FindWindowIcon(HWND hWnd);
