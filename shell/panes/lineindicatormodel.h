// The seven line indicators of a COM control pane: which bit of the connection's line word
// each one shows and its colours. The modem lines are pale yellow when on and olive when off,
// the line errors light red when on and dark red when off. The ring bit has no indicator.
#pragma once

#include <windows.h>

struct LineIndicator
{
    UINT nId;            // command id, also the label's control id
    const char* pszText;
    DWORD dwBit;         // bit of the line word
    COLORREF crOn;
    COLORREF crOff;
};

const int kLineIndicatorCount = 7;

// CTS, DSR, RLSD, FRM, OVR, PRT, BRK: the order in which the pane shows them.
extern const LineIndicator kLineIndicators[kLineIndicatorCount];

// The indicator's colour for a line word.
COLORREF LineIndicatorColor(const LineIndicator& indicator, DWORD dwLineWord);
