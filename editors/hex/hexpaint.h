// Painting of the hex editor: the header row, the address column, the hex column, the
// character column, markers, the selection, the analysis highlight and the shadow caret bar,
// all read from a HexEditModel and drawn into any device context. The window paints through
// an off-screen bitmap; tests paint into a DIB section and read the pixels back.
#pragma once

#include <windows.h>

class HexEditModel;

// Colours of the fixed parts.
const COLORREF kHexHeaderText = 0x888888;
const COLORREF kHexHeaderBack = 0xFFFFFF;
const COLORREF kHexAddressText = 0xFFFFFF;
const COLORREF kHexAddressBack = 0x888888;
const COLORREF kHexSeparatorLine = 0x888888;

// The control's font: the logical height, normal weight, fixed pitch of the modern family,
// no face name. The caller deletes it.
HFONT CreateHexEditFont(int height);

// Cell size: the extent of "0" in the font.
SIZE MeasureHexCell(HDC hdc, HFONT font);

// Paints the whole client rectangle from the model's layout, scroll position, bytes, colours
// and caret. Without a byte array only the background is filled.
void PaintHexEdit(HDC hdc, const RECT& rcClient, const HexEditModel& model);
