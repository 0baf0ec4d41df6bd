// Pieces the flat looks' element painters share: the colour-id pairs of the look and the
// icon-area fill of menu items and menu separators.
#pragma once
#include "paintmanagerxp.h"

// The five pairs of the look's colour-id slots.
enum { kSlotPairIconArea = 0, kSlotPairRarelyUsed = 1, kSlotPairHover = 2, kSlotPairPressed = 3,
       kSlotPairHoverPressed = 4 };

// The pair's two colours; false when either slot holds no id.
bool GetColorIdPair(CUiPaintManagerXP& pm, int nPair, COLORREF& clrFirst, COLORREF& clrSecond);

// The left column of a menu item: colour 1000 (2005 when rarely used), or above 8 bits the
// pair's gradient, over only its left 7/10 when the look's colour scheme is not usable.
void FillMenuIconArea(CUiPaintManagerXP& pm, CDC& dc, const CRect& rcArea, bool bRarelyUsed);
