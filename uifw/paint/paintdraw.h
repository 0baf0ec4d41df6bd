// Drawing operations every look shares: gradient fills (the system's GradientFill when it is
// loaded, else bands), clip exclusion of child windows, colour-keyed blits, dispatch of
// pending paint messages, dither bitmaps and the small check-mark and radio-bullet figures.
#pragma once
#include "afxwin.h"

// From "from" to "to": left to right, or bottom to top when bVertical.
void FillGradientRect(HDC hDC, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bVertical, int nSteps);

typedef BOOL (*ChildClipFilter)(HDC hDC, HWND hParent, HWND hChild, LPARAM lParam);
// Excludes every visible child of hParent from the clip region unless pfnFilter answers TRUE.
void ExcludeChildWindowsFromClip(HDC hDC, HWND hParent, ChildClipFilter pfnFilter, LPARAM lParam);
// TRUE for children the background shows through: statics, tab controls, track bars and
// the transparent kinds of buttons.
BOOL ChildClassExcludeFilter(HWND hChild);
BOOL ChildClassExcludeFilterProc(HDC hDC, HWND hParent, HWND hChild, LPARAM lParam);

// Copies the source rectangle to (x, y), stretched to cx x cy (negative: the source size);
// pixels of the key colour leave the destination as it was.
void BlitWithColorKey(HDC hDest, int x, int y, int cx, int cy, HDC hSrc, int xSrc, int ySrc, int cxSrc,
                      int cySrc, COLORREF clrKey);

// Dispatches the thread's pending WM_NCPAINT, WM_ERASEBKGND and WM_PAINT messages, each kind
// when its flag is set.
void PassPaintMessages(BOOL bNcPaint, BOOL bEraseBkgnd, BOOL bPaint);

// A 16 x 16 screen-compatible bitmap of a two-colour dither with optional lines; -1 colours
// are face (A), 3-D highlight (B) and colour A (line).
HBITMAP MakeDitherBitmap(COLORREF clrA, COLORREF clrB, int mx, int my, int lx, int ly, COLORREF clrLine);

// A 7 x 7 check mark with its shadow one pixel below, and a 6 x 6 radio bullet with its
// shadow one pixel right and down; the shadow is the nearest colour of the inverted colour.
void PaintCheckMark(HDC hDC, int x, int y, COLORREF clr);
void PaintRadioBullet(HDC hDC, int x, int y, COLORREF clr);

// The rectangle of a one-line text in the font.
void MeasureTextRect(HDC hDC, LPCSTR lpszText, HFONT hFont, RECT& rcText);
