// The arithmetic of the colour dialog's nine value fields, free of windows: a colour as the
// three values of a field group, and a group's three values back into a colour.
#pragma once
#include "afxwin.h"

enum { kUiColorGroupRgb = 0, kUiColorGroupCmy = 1, kUiColorGroupHsl = 2, kUiColorGroupCount = 3 };

// Red, green, blue; cyan, magenta, yellow (255 minus each channel); or hue, saturation,
// lightness scaled to 0..255 (rounded half up, at most 255).
void UiColorToGroupValues(COLORREF clr, int nGroup, int values[3]);
// The index (0..2) of the first value outside 0..255, or -1 when all are valid, in which
// case clr is the colour the group describes.
int UiColorFromGroupValues(int nGroup, const int values[3], COLORREF& clr);
