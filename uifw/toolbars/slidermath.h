// The slider bar button's arithmetic, free of windows: the position range, the placement of
// its eight parts in the button rectangle, the step of a pressed part and the moves of the
// position by a step or by a thumb drag.
#pragma once
#include <windows.h>

namespace SliderMath {

enum Part {
    kLabel = 0, kScrollArea = 1, kTrack = 2, kPageBefore = 3, kPageAfter = 4, kDecrement = 5, kIncrement = 6,
    kThumb = 7, kPartCount = 8,
};

struct Settings {
    UINT nTotal = 0;
    UINT nPos = 0;
    UINT nPage = 0;
    int nArrowExtent = 0;   // of the current orientation; 0 = no arrows
    int nAreaLength = 50;   // of the current orientation
};

// 0 when the total does not exceed the page; the total without arrows; else total - page.
UINT PositionRange(UINT nTotal, UINT nPage, int nArrowExtent);

// Fills the eight part rectangles of a button rectangle; the scroll area is at the right end
// (bHorz) or the bottom end. A slider with nothing to scroll and no page has no thumb.
void CalcSliderLayout(const RECT& rcButton, bool bHorz, const Settings& s, RECT parts[kPartCount]);

// The signed step of a pressed part (0 for the thumb or no part), at most the range.
int StepOf(int nPart, UINT nPage, UINT nRange);

// The position moved by a step, held inside 0..range.
UINT MoveByStep(UINT nPos, int nStep, UINT nRange);

// The position of a thumb drag by nDistance pixels along the bar from the press, started at
// nStartPos, over a free track of nFreeLength (> 0) pixels.
UINT DragPosition(UINT nStartPos, int nDistance, int nFreeLength, UINT nRange);

} // namespace SliderMath
