// A gradient in two parts meeting at two fifths of the rectangle: on screen the colours run
// first, middle, last from left to right, or from top to bottom when vertical.
#pragma once
#include "afxwin.h"

void PaintTwoPartGradient(HDC hDC, const RECT& rc, COLORREF clrFirst, COLORREF clrMiddle, COLORREF clrLast,
                          BOOL bVertical, int nSteps);
