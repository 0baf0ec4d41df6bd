#include "outerrow.h"

#include <algorithm>

namespace outerrow {

void MoveTo(CRect& rc, bool bHorz, int nStart)
{
    if (bHorz)
        rc.OffsetRect(nStart - rc.left, 0);
    else
        rc.OffsetRect(0, nStart - rc.top);
}

int WantedLength(const OuterLayoutItemData& item, bool bHorz)
{
    const int nPreferred = Along(item.sizePreferred, bHorz);
    return item.nContentLength > 0 ? std::min(item.nContentLength, nPreferred) : nPreferred;
}

void SetSpan(CRect& rc, bool bHorz, int nStart, int nEnd)
{
    if (bHorz) {
        rc.left = nStart;
        rc.right = nEnd;
    } else {
        rc.top = nStart;
        rc.bottom = nEnd;
    }
}

namespace {

int& SavedLength(BarPlacementRecord& rec, bool bHorz)
{
    return bHorz ? rec.nSavedHorz : rec.nSavedVert;
}

bool HasOrder(const OuterLayoutItemData& item)
{
    return item.pRecord != nullptr && item.pRecord->nOrder != 0;
}

void PackFrom(std::vector<OuterLayoutItemData>& items, int nFirst, int nLast, bool bHorz, int nStart)
{
    for (int i = nFirst; i <= nLast; ++i) {
        MoveTo(items[i].rcLayout, bHorz, nStart);
        nStart = End(items[i].rcLayout, bHorz);
    }
}

// Saved lengths handed back inside a compressed run that starts at 0: the most recently
// placed bars are served first, from what the earliest placed ones have above their minimum.
bool HandBackSavedLengths(std::vector<OuterLayoutItemData>& items, int nFirst, int nLast, bool bHorz)
{
    std::vector<int> order;
    BuildPlacementOrder(bHorz, order, items, false, nFirst, nLast);
    bool bMoved = false;
    for (int p = (int)order.size() - 2; p >= 0; --p) {
        OuterLayoutItemData& asking = items[order[p]];
        if (!HasOrder(asking))
            continue;
        const int nLength = Length(asking.rcLayout, bHorz);
        int nNeed = SavedLength(*asking.pRecord, bHorz) - nLength;
        if (nNeed <= 0)
            continue;
        int nGot = 0;
        for (int q = (int)order.size() - 1; q > p && nGot < nNeed; --q) {
            OuterLayoutItemData& giver = items[order[q]];
            if (!HasOrder(giver))
                continue;
            const int nSpare = Length(giver.rcLayout, bHorz) - Along(giver.sizeMin, bHorz);
            const int nGive = std::min(std::max(nSpare, 0), nNeed - nGot);
            if (nGive <= 0)
                continue;
            SetSpan(giver.rcLayout, bHorz, Start(giver.rcLayout, bHorz), End(giver.rcLayout, bHorz) - nGive);
            nGot += nGive;
        }
        if (nGot > 0) {
            SetSpan(asking.rcLayout, bHorz, Start(asking.rcLayout, bHorz), End(asking.rcLayout, bHorz) + nGot);
            bMoved = true;
        }
    }
    if (bMoved)
        PackFrom(items, nFirst, nLast, bHorz, 0);
    return bMoved;
}

} // namespace

void BuildPlacementOrder(bool bHorz, std::vector<int>& order, std::vector<OuterLayoutItemData>& items, bool bInit,
                         int nFirst, int nLast)
{
    std::vector<int> recorded, unset, without;
    unsigned nNext = (unsigned)(nLast - nFirst + 1);
    for (int i = nFirst; i <= nLast; ++i) {
        OuterLayoutItemData& item = items[i];
        if (item.pRecord == nullptr || !item.bControlBar) {
            without.push_back(i);
            continue;
        }
        BarPlacementRecord& rec = *item.pRecord;
        if (bInit) {
            if (rec.nOrder == 0)
                rec.nOrder = ++nNext;
            if (rec.rcSaved.IsRectEmpty())
                rec.rcSaved = item.rcCurrent;
            int& nSaved = SavedLength(rec, bHorz);
            if (nSaved == 0)
                nSaved = Length(item.rcCurrent, bHorz);
            // A bar that fills its row asks back what its contents need, not the whole row
            // it stretched over: that would leave the bars beside it their least.
            nSaved = std::min(nSaved, WantedLength(item, bHorz));
        } else if (rec.nOrder == 0 || rec.rcSaved.IsRectEmpty()) {
            unset.push_back(i);
            continue;
        }
        recorded.push_back(i);
    }
    std::stable_sort(recorded.begin(), recorded.end(),
                     [&](int a, int b) { return items[a].pRecord->nOrder < items[b].pRecord->nOrder; });
    order = recorded;
    order.insert(order.end(), unset.begin(), unset.end());
    order.insert(order.end(), without.begin(), without.end());
}

bool SqueezeRowSegment(std::vector<OuterLayoutItemData>& items, int nFirst, int nLast, int nRowLength, bool bHorz,
                       bool& bChanged)
{
    std::vector<OuterLayoutItemData> work(items.begin() + nFirst, items.begin() + nLast + 1);
    const int nCount = (int)work.size();
    int nTotal = 0;
    for (const OuterLayoutItemData& item : work)
        nTotal += Length(item.rcLayout, bHorz);
    bool bShrunk = false;
    int nLimit = nRowLength;
    if (nRowLength - nTotal > 0) {
        for (int k = nCount - 1; k >= 0; --k) {
            CRect& rc = work[k].rcLayout;
            if (End(rc, bHorz) > nLimit)
                MoveTo(rc, bHorz, nLimit - Length(rc, bHorz));
            nLimit = Start(rc, bHorz);
        }
        if (nLimit < 0)
            return false;
    } else {
        // What a bar has beyond its wanted length (the menu bar's stretch over the row) goes
        // before any bar shrinks below what its contents need; then the bars shrink from the
        // last back towards their minimums.
        int nOverflow = nTotal - nRowLength;
        std::vector<int> lengths(nCount);
        for (int k = nCount - 1; k >= 0; --k) {
            const int nLength = Length(work[k].rcLayout, bHorz);
            const int nGive = std::min(std::max(nLength - WantedLength(work[k], bHorz), 0), nOverflow);
            nOverflow -= nGive;
            lengths[k] = nLength - nGive;
        }
        for (int k = nCount - 1; k >= 0; --k) {
            const int nGive = std::min(std::max(lengths[k] - Along(work[k].sizeMin, bHorz), 0), nOverflow);
            nOverflow -= nGive;
            bShrunk = bShrunk || nGive > 0;
            lengths[k] -= nGive;
        }
        for (int k = nCount - 1; k >= 0; --k) {
            CRect& rc = work[k].rcLayout;
            SetSpan(rc, bHorz, nLimit - lengths[k], nLimit);
            nLimit = Start(rc, bHorz);
        }
        if (nOverflow > 0 || nLimit < 0)
            return false;
    }
    if (Start(work[0].rcLayout, bHorz) == 0 && nCount >= 2)
        HandBackSavedLengths(work, 0, nCount - 1, bHorz);
    for (int k = 0; k < nCount; ++k)
        items[nFirst + k].rcLayout = work[k].rcLayout;
    if (bShrunk && (nFirst == 0 || nLast == (int)items.size() - 1))
        bChanged = true;
    return true;
}

int PushBars(std::vector<OuterLayoutItemData>& items, const std::vector<int>& run, int nAmount, int nRowLength,
             bool bHorz)
{
    if (run.empty() || nAmount == 0)
        return 0;
    const bool bForward = nAmount > 0;
    CRect& rc = items[run[0]].rcLayout;
    int nMoved;
    if (run.size() == 1) {
        nMoved = bForward ? std::min(nAmount, nRowLength - End(rc, bHorz)) : std::max(nAmount, -Start(rc, bHorz));
        if (bForward ? nMoved < 0 : nMoved > 0)
            nMoved = 0;
    } else {
        const CRect& rcNext = items[run[1]].rcLayout;
        int nGap = bForward ? Start(rcNext, bHorz) - End(rc, bHorz) : Start(rc, bHorz) - End(rcNext, bHorz);
        nGap = std::max(nGap, 0);
        if ((bForward ? nAmount : -nAmount) <= nGap) {
            nMoved = nAmount;
        } else {
            const int nSigned = bForward ? nGap : -nGap;
            std::vector<int> rest(run.begin() + 1, run.end());
            nMoved = nSigned + PushBars(items, rest, nAmount - nSigned, nRowLength, bHorz);
        }
    }
    MoveTo(rc, bHorz, Start(rc, bHorz) + nMoved);
    return nMoved;
}

int DragItemInRow(std::vector<OuterLayoutItemData>& items, int& nIndex, int nOffset, int nRowLength, bool bHorz,
                  const std::function<void(int, int)>& onSwap)
{
    const int nCount = (int)items.size();
    if (nIndex < 0 || nIndex >= nCount || nOffset == 0)
        return 0;
    const int nLength = Length(items[nIndex].rcLayout, bHorz);
    const int nWanted = Start(items[nIndex].rcLayout, bHorz) + nOffset;
    int nSwaps = 0;
    for (;;) {
        const int nOther = nOffset > 0 ? nIndex + 1 : nIndex - 1;
        if (nOther < 0 || nOther >= nCount)
            break;
        CRect& rcBar = items[nIndex].rcLayout;
        CRect& rcOther = items[nOther].rcLayout;
        const int nMiddle = (Start(rcOther, bHorz) + End(rcOther, bHorz)) / 2;
        if (nOffset > 0 ? nWanted + nLength <= nMiddle : nWanted >= nMiddle)
            break;
        if (nOffset > 0) {
            MoveTo(rcOther, bHorz, Start(rcBar, bHorz));
            MoveTo(rcBar, bHorz, End(rcOther, bHorz));
        } else {
            MoveTo(rcOther, bHorz, End(rcBar, bHorz) - Length(rcOther, bHorz));
            MoveTo(rcBar, bHorz, Start(rcOther, bHorz) - nLength);
        }
        const int nFirst = std::min(nIndex, nOther);
        onSwap(nFirst, nFirst + 1);
        std::swap(items[nIndex], items[nOther]);
        nIndex = nOther;
        ++nSwaps;
    }
    const int nRest = nWanted - Start(items[nIndex].rcLayout, bHorz);
    std::vector<int> run;
    for (int k = nIndex; k >= 0 && k < nCount; k += nRest > 0 ? 1 : -1)
        run.push_back(k);
    PushBars(items, run, nRest, nRowLength, bHorz);
    return nSwaps;
}

void EqualizeRowThickness(bool bHorz, std::vector<OuterLayoutItemData>& items, int nFirst, int nLast)
{
    int nCount = 0, nThickest = 0;
    for (int i = nFirst; i <= nLast; ++i) {
        if (!items[i].bSingleOnRow)
            continue;
        ++nCount;
        nThickest = std::max(nThickest, bHorz ? items[i].rcLayout.Height() : items[i].rcLayout.Width());
    }
    if (nCount < 2)
        return;
    for (int i = nFirst; i <= nLast; ++i) {
        if (!items[i].bSingleOnRow)
            continue;
        CRect& rc = items[i].rcLayout;
        if (bHorz)
            rc.bottom = rc.top + nThickest;
        else
            rc.right = rc.left + nThickest;
    }
}

void CaptureRowPlacement(BarPlacementRecord* pSelf, const std::vector<BarPlacementRecord*>& others, int nEntries)
{
    unsigned nBeyond = (unsigned)(4 * nEntries);
    unsigned nMax = 0;
    for (BarPlacementRecord* p : others)
        nMax = std::max(nMax, p->nOrder);
    nBeyond = std::max(nBeyond, nMax + 1);
    std::vector<BarPlacementRecord*> all;
    all.push_back(pSelf);
    for (BarPlacementRecord* p : others) {
        p->nOrder = p->nOrder == 0 ? nBeyond++ : p->nOrder + 1;
        all.push_back(p);
    }
    pSelf->nOrder = 1;
    if (all.size() < 2)
        return;
    std::stable_sort(all.begin(), all.end(),
                     [](const BarPlacementRecord* a, const BarPlacementRecord* b) { return a->nOrder < b->nOrder; });
    unsigned n = 1;
    for (BarPlacementRecord* p : all)
        p->nOrder = n++;
}

bool FindRowInsertion(const std::vector<std::pair<int, int>>& spans, int nWanted, RowInsertion& result)
{
    result = RowInsertion();
    for (int k = 0; k < (int)spans.size(); ++k) {
        const int nStart = spans[k].first, nEnd = spans[k].second;
        if (nStart >= nWanted) {
            // The first bar at or after the wanted start: inserting before a later one would
            // put the bar behind bars that start after it.
            if (result.nBefore < 0)
                result.nBefore = k;
        } else if (nWanted < nEnd) {
            if (nWanted <= (nStart + nEnd) / 2)
                result.nBefore = k;
            else
                result.nAfter = k;
            break;
        } else {
            if (result.nBefore >= 0)
                break;
            result.nAfter = k;
        }
    }
    if (result.nBefore >= 0)
        result.nAfter = -1;
    return result.nBefore >= 0 || result.nAfter >= 0;
}

namespace {

// A bar moved towards its saved start, no further than its neighbours allow.
void MoveToSavedPosition(std::vector<OuterLayoutItemData>& items, int i, int nRowLength, bool bHorz)
{
    CRect& rc = items[i].rcLayout;
    const int nWanted = Start(items[i].pRecord->rcSaved, bHorz);
    const int nLow = i > 0 ? End(items[i - 1].rcLayout, bHorz) : 0;
    const int nHigh = (i + 1 < (int)items.size() ? Start(items[i + 1].rcLayout, bHorz) : nRowLength) - Length(rc, bHorz);
    if (nHigh < nLow)
        return;
    MoveTo(rc, bHorz, std::min(std::max(nWanted, nLow), nHigh));
}

void ShiftToSavedPosition(std::vector<OuterLayoutItemData>& items, int i, int nRowLength, bool bHorz)
{
    const int nDelta = Start(items[i].pRecord->rcSaved, bHorz) - Start(items[i].rcLayout, bHorz);
    std::vector<int> run;
    if (nDelta > 0) {
        for (int k = i; k < (int)items.size(); ++k)
            run.push_back(k);
    } else {
        for (int k = i; k >= 0; --k)
            run.push_back(k);
    }
    PushBars(items, run, nDelta, nRowLength, bHorz);
}

bool WantsSavedPlace(const OuterLayoutItemData& item, bool bHorz)
{
    return HasOrder(item) && !item.pRecord->rcSaved.IsRectEmpty() &&
           Start(item.pRecord->rcSaved, bHorz) != Start(item.rcLayout, bHorz);
}

} // namespace

RowLayoutResult LayoutRowItems(std::vector<OuterLayoutItemData>& items, int nMaxExtent, bool bHorz, bool bFloating,
                               CPoint& ptRunning, CSize& sizeResult)
{
    RowLayoutResult result;
    const int nCount = (int)items.size();
    if (nCount == 0)
        return result;
    std::vector<int> order;
    BuildPlacementOrder(bHorz, order, items, true, 0, nCount - 1);

    LONG& nAlong = bHorz ? ptRunning.x : ptRunning.y;
    LONG& nAcross = bHorz ? ptRunning.y : ptRunning.x;
    LONG& nSizeAlong = bHorz ? sizeResult.cx : sizeResult.cy;
    LONG& nSizeAcross = bHorz ? sizeResult.cy : sizeResult.cx;
    int nThickness = 0, nLineStart = 0;
    bool bLastSqueezeFailed = false;
    auto endLine = [&]() {
        nSizeAlong = std::max<LONG>(nSizeAlong, nAlong);
        nAcross += nThickness;
        nSizeAcross = std::max<LONG>(nSizeAcross, nAcross - 1);
        nAlong = 0;
        nThickness = 0;
    };
    auto placeAtRunning = [&](OuterLayoutItemData& item) {
        item.rcLayout = CRect(ptRunning, item.sizePreferred);
    };
    for (int i = 0; i < nCount; ++i) {
        OuterLayoutItemData& item = items[i];
        placeAtRunning(item);
        if (!bFloating && Start(item.rcCurrent, bHorz) > nAlong)
            MoveTo(item.rcLayout, bHorz, Start(item.rcCurrent, bHorz));
        if (End(item.rcLayout, bHorz) >= nMaxExtent && (item.bFixedSize || !item.bControlBar)) {
            bool bOk = SqueezeRowSegment(items, nLineStart, i, nMaxExtent, bHorz, result.bChanged);
            bLastSqueezeFailed = !bOk;
            if (!bOk && i > nLineStart) {
                ++result.nRows;
                result.bChanged = true;
                EqualizeRowThickness(bHorz, items, nLineStart, i - 1);
                endLine();
                nLineStart = i;
                placeAtRunning(item);
            }
        }
        nAlong = End(item.rcLayout, bHorz);
        nThickness = std::max(nThickness, Across(item.sizePreferred, bHorz));
    }
    if (!bLastSqueezeFailed)
        EqualizeRowThickness(bHorz, items, nLineStart, nCount - 1);
    if (result.nRows == 1) {
        for (int p = (int)order.size() - 1; p >= 0; --p) {
            if (WantsSavedPlace(items[order[p]], bHorz))
                ShiftToSavedPosition(items, order[p], nMaxExtent, bHorz);
        }
        for (int p = (int)order.size() - 1; p >= 0; --p) {
            if (WantsSavedPlace(items[order[p]], bHorz))
                MoveToSavedPosition(items, order[p], nMaxExtent, bHorz);
        }
    }
    for (OuterLayoutItemData& item : items) {
        CRect& rc = item.rcLayout;
        if (End(rc, bHorz) > nMaxExtent)
            SetSpan(rc, bHorz, Start(rc, bHorz), std::max(nMaxExtent, Start(rc, bHorz) + Along(item.sizeMin, bHorz)));
    }
    endLine();
    return result;
}

} // namespace outerrow
