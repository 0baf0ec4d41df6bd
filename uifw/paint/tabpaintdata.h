// The arguments of one tab as the tab painters pass them on, and the colours a look picks.
#pragma once
#include "paintmanager.h"

struct TabItemArgs {
    CRect rcArea;
    BOOL bTopLeft;
    BOOL bHorz;
    BOOL bSelected;
    BOOL bCenteredText;
    BOOL bGrouped;
    BOOL bGroupActive;
    BOOL bInvertedVert;
    CRect rcItem;
    int cxText;
    int cyText;
    CFont* pFont;
    LPCSTR lpszText;
    CUiCmdIcon* pIcon;
};

struct TabItemColors {
    COLORREF clrText;
    COLORREF clrBack;
    COLORREF clrLight;
    COLORREF clrShadow;
    COLORREF clrSeparator;
};
