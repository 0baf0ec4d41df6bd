// Small questions every look's element painters share.
#pragma once
#include "afxwin.h"

class CUiCmdIcon;
class CUiPaintManager;
class GlyphBitmap;

// An icon that is there and holds an image.
bool IsNonEmptyIcon(CUiCmdIcon* pIcon);
CSize IconSize(CUiCmdIcon* pIcon);

// The caption-glyph index of a system command (close, minimise, maximise, restore, help), or
// -1 for any other command.
int SysCmdGlyphIndex(UINT nSysCmd);
// The glyph of a system command and its rectangle, moved by the look's offset when pushed;
// null for a command without a glyph.
const GlyphBitmap* PlaceSysCmdGlyph(CUiPaintManager& pm, UINT nSysCmd, const CRect& rcIn, BOOL bPushed, CRect& rc);
// An odd width gives up the left column, an odd height the top row, so a glyph centres the
// same way in every caption button.
void MakeRectEven(CRect& rc);

// Grows rc by n on the side that meets a menu's owner button: 1 bottom, 2 top, 3 left, 4 right.
void GrowOnSide(CRect& rc, int nSide, int n);
// The two-pixel line across the middle of a separator: upright for a horizontal row of
// items, one pixel short at its bottom (or right) end.
CRect TwoPixelSeparatorLine(const CRect& rc, BOOL bHorz);

// Solid fills and 3-D frames that leave the context's background colour as they found it.
void SolidFill(CDC& dc, const RECT& rc, COLORREF clr);
void SolidFill(CDC& dc, int x, int y, int cx, int cy, COLORREF clr);
void Frame3d(CDC& dc, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
