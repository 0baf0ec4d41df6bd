#include "slidermath.h"

#include <algorithm>
#include <cstdlib>

namespace SliderMath {

namespace {

// A span along the bar, turned into a rectangle across the whole button.
RECT Span(const RECT& rcButton, bool bHorz, int nStart, int nEnd)
{
    RECT rc = rcButton;
    if (bHorz) {
        rc.left = nStart;
        rc.right = nEnd;
    } else {
        rc.top = nStart;
        rc.bottom = nEnd;
    }
    return rc;
}

const RECT kEmpty = {0, 0, 0, 0};

} // namespace

UINT PositionRange(UINT nTotal, UINT nPage, int nArrowExtent)
{
    if (nTotal <= nPage)
        return 0;
    return nArrowExtent < 1 ? nTotal : nTotal - nPage;
}

void CalcSliderLayout(const RECT& rcButton, bool bHorz, const Settings& s, RECT parts[kPartCount])
{
    const int nBegin = bHorz ? rcButton.left : rcButton.top;
    const int nEnd = bHorz ? rcButton.right : rcButton.bottom;
    const int nAreaStart = std::max(nBegin, nEnd - std::max(s.nAreaLength, 0));
    const int a = std::max(s.nArrowExtent, 0);
    const UINT nRange = PositionRange(s.nTotal, s.nPage, s.nArrowExtent);

    parts[kLabel] = Span(rcButton, bHorz, nBegin, nAreaStart);
    parts[kScrollArea] = Span(rcButton, bHorz, nAreaStart, nEnd);
    parts[kPageBefore] = parts[kPageAfter] = parts[kThumb] = kEmpty;

    int nThumb = 0;
    if (nRange > 0 && s.nPage == 0)
        nThumb = a > 0 ? a : 6;

    const int nTrackStart = nAreaStart + a;
    const int nTrackEnd = std::max(nTrackStart, nEnd - a);
    parts[kTrack] = Span(rcButton, bHorz, nTrackStart, nTrackEnd);
    parts[kDecrement] = Span(rcButton, bHorz, nAreaStart, std::min(nEnd, nAreaStart + a));
    parts[kIncrement] = Span(rcButton, bHorz, std::max(nAreaStart, nEnd - a), nEnd);
    const int nTrack = nTrackEnd - nTrackStart;
    if (nTrack <= 5)
        return;

    if (s.nPage > 0) {
        if (s.nTotal / s.nPage == 0)
            return;
        nThumb = ::MulDiv(nTrack, (int)s.nPage, (int)s.nTotal);
        if (nThumb == 0)
            return;
        nThumb = std::max(nThumb, 4);
    }
    // A new slider (nothing to scroll, no page) has no thumb length at all.
    if (nThumb <= 0)
        return;
    int nThumbStart = nTrackStart;
    if (nRange > 0) {
        const UINT nPos = std::min(s.nPos, nRange);
        nThumbStart += ::MulDiv(nTrack - nThumb, (int)nPos, (int)nRange);
    }
    parts[kThumb] = Span(rcButton, bHorz, nThumbStart, nThumbStart + nThumb);
    if (nRange == 0)
        return;
    if (s.nPos > 0)
        parts[kPageBefore] = Span(rcButton, bHorz, nTrackStart, nThumbStart);
    if (s.nPos < nRange)
        parts[kPageAfter] = Span(rcButton, bHorz, nThumbStart + nThumb, nTrackEnd);
}

int StepOf(int nPart, UINT nPage, UINT nRange)
{
    const int nPageStep = (int)std::min<UINT>(nPage == 0 ? 1 : nPage, nRange);
    const int nOne = (int)std::min<UINT>(1, nRange);
    switch (nPart) {
    case kPageBefore:
        return -nPageStep;
    case kPageAfter:
        return nPageStep;
    case kDecrement:
        return -nOne;
    case kIncrement:
        return nOne;
    default:
        return 0;
    }
}

UINT MoveByStep(UINT nPos, int nStep, UINT nRange)
{
    if (nStep < 0) {
        const UINT nDown = (UINT)-nStep;
        return nPos < nDown ? 0 : nPos - nDown;
    }
    const UINT nUp = (UINT)nStep;
    return nPos >= nRange || nRange - nPos < nUp ? nRange : nPos + nUp;
}

UINT DragPosition(UINT nStartPos, int nDistance, int nFreeLength, UINT nRange)
{
    if (nFreeLength < 1)
        return nStartPos;
    const int nLimited = std::min(std::abs(nDistance), nFreeLength);
    const UINT nChange = (UINT)::MulDiv(nLimited, (int)nRange, nFreeLength);
    if (nDistance < 0)
        return nStartPos < nChange ? 0 : nStartPos - nChange;
    return std::min(nRange, nStartPos + nChange);
}

} // namespace SliderMath
