// Small 16 x 16 colour-sample icons of the colour buttons: a filled square, a framed square
// with a transparent hole, and a character over a colour bar. The caller destroys the icon.
#pragma once
#include "afxwin.h"

HICON CreateColorIcon(COLORREF clr);
HICON CreateFramedColorIcon(COLORREF clr);
HICON CreateTextColorIcon(COLORREF clr, HFONT hFont, char ch);
