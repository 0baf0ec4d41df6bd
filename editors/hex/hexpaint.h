// Painting of the hex editor: the header row, the address column, the hex column, the
// character column, markers, the selection, the analysis highlight and the shadow caret bar,
// all read from a HexEditModel and drawn into any device context. The window paints through
// an off-screen bitmap; tests paint into a DIB section and read the pixels back.
#pragma once

#include <windows.h>

#include <vector>

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

const unsigned long long kHexSignatureStart = 14695981039346656037ull;

// What the painting draws, boiled down: one value for what spans the rows (size, layout,
// scroll, colours, header, font) and one per row drawn, each a hash of the drawing calls made
// for it. Two states of a model with equal values paint the same pixels there, so a row whose
// value changed is all that needs painting again.
struct HexPaintSignature
{
    unsigned long long whole = kHexSignatureStart;
    std::vector<unsigned long long> rows;
};

// Paints the whole client rectangle from the model's layout, scroll position, bytes, colours
// and caret. Without a byte array only the background is filled. With pSig the signature of
// what was painted is made on the way.
void PaintHexEdit(HDC hdc, const RECT& rcClient, const HexEditModel& model, HexPaintSignature* pSig = nullptr);
// The signature of what PaintHexEdit would paint now, without painting.
void SignHexPaint(const RECT& rcClient, const HexEditModel& model, HexPaintSignature& sig);
// The band that a row (0: the first row of bytes) takes in the client rectangle.
RECT HexPaintRowRect(const RECT& rcClient, const HexEditModel& model, int row);
