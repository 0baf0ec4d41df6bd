#include "rowmath.h"

#include <algorithm>
#include <cstdlib>

RowFit DistributeRowLength(std::vector<RowItem>& items, int nSelf, int nAvailable, int nStartTotal)
{
    RowFit fit;
    const int nCount = (int)items.size();
    fit.nRowEnd = nCount;
    int nVisible = 0, nResizable = 0, nThickness = 0;
    for (int i = 0; i < nCount; ++i) {
        const RowItem& it = items[i];
        if (!it.bVisible)
            continue;
        if (i < nSelf && it.bResizable) {
            fit.outcome = RowFit::kAnswerFixed;
            return fit;
        }
        ++nVisible;
        if (it.bResizable) {
            ++nResizable;
            nThickness = std::max(nThickness, it.nThickness);
        }
    }
    fit.nThickness = nThickness;
    RowItem& self = items[nSelf];
    if (nVisible == 1) {
        self.nLength = std::max(nAvailable, self.nMinLength);
        return fit;
    }

    int nTotal = nStartTotal, nLeft = nAvailable, nSum = 0;
    for (int i = 0; i < nCount; ++i) {
        RowItem& it = items[i];
        if (!it.bVisible)
            continue;
        if (it.bResizable)
            it.nLength = std::max(it.nLength, it.nMinLength);
        nTotal += it.bResizable ? it.nMinLength : it.nLength;
        if (nTotal > nAvailable) {
            if (i < nSelf) {
                fit.nBreakAfter = i;
                fit.outcome = RowFit::kAnswerFixed;
                return fit;
            }
            if (i == nSelf) {
                self.nLength = std::max(nLeft, self.nMinLength);
                fit.outcome = RowFit::kSelfClipped;
                return fit;
            }
            fit.nBreakBefore = i;
            fit.nRowEnd = i;
            break;
        }
        if (it.bResizable)
            nSum += it.nLength;
        else
            nLeft -= it.nLength;
    }

    // The rest goes to the last visible resizable bar: a fixed-size bar keeps its window's
    // length, so what it were given would be lost to the row.
    int nAtMin = 0, nInRow = 0, nLastVisible = -1;
    for (int i = 0; i < fit.nRowEnd; ++i) {
        const RowItem& it = items[i];
        if (!it.bVisible || !it.bResizable)
            continue;
        nLastVisible = i;
        ++nInRow;
        if (it.nLength == it.nMinLength)
            ++nAtMin;
    }
    int nRest = nLeft - nSum;
    if (nAtMin == nInRow) {
        if (nLastVisible >= 0)
            items[nLastVisible].nLength += nRest;
        return fit;
    }
    const int nStep = nRest >= 1 ? 1 : -1;
    const int nPasses = 2 * std::abs(nRest);
    for (int nPass = 0; nPass < nPasses && nRest != 0 && nAtMin < nInRow; ++nPass) {
        for (int i = 0; i < fit.nRowEnd && nRest != 0; ++i) {
            RowItem& it = items[i];
            if (!it.bVisible || !it.bResizable)
                continue;
            it.nThickness = nThickness;
            if (it.nLength == it.nMinLength)
                continue;
            it.nLength += nStep;
            nRest -= nStep;
            if (it.nLength == it.nMinLength)
                ++nAtMin;
        }
    }
    for (int i = 0; i < fit.nRowEnd; ++i) {
        if (items[i].bVisible && items[i].bResizable)
            items[i].nThickness = nThickness;
    }
    return fit;
}

int RowResizeThickness(int nDistance, int nHalfStrip, int nThickness, bool bFromLeading, int nMinThickness,
                       int nMaxThickness)
{
    int nNew = bFromLeading ? nHalfStrip + nDistance : nHalfStrip + nThickness - nDistance;
    nNew = std::max(nNew, 2 * nMinThickness);
    return std::min(nNew, nMaxThickness);
}

void ApplySplitLengths(int& nLength, int nMinLength, int* pNeighbourLength, int nNeighbourMinLength, int nTracked)
{
    int nShortfall = 0;
    if (pNeighbourLength != nullptr) {
        *pNeighbourLength += nTracked;
        if (*pNeighbourLength < nNeighbourMinLength) {
            nShortfall = nNeighbourMinLength - *pNeighbourLength;
            *pNeighbourLength = nNeighbourMinLength;
        }
    }
    nLength = std::max(nLength - nTracked - nShortfall, nMinLength);
}

void MaximizeRowItem(std::vector<RowItem>& items, int nSelf)
{
    int nFreed = 0;
    for (int i = 0; i < (int)items.size(); ++i) {
        RowItem& it = items[i];
        if (i == nSelf || !it.bResizable)
            continue;
        nFreed += it.nLength - it.nMinLength;
        it.nLength = it.nMinLength;
    }
    items[nSelf].nLength += nFreed;
}

void MinimizeRowItem(std::vector<RowItem>& items, int nSelf)
{
    RowItem& self = items[nSelf];
    int nFreed = self.nLength - self.nMinLength;
    if (nFreed <= 0)
        return;
    self.nLength = self.nMinLength;
    bool bAny = false;
    for (int i = 0; i < (int)items.size(); ++i)
        bAny = bAny || (i != nSelf && items[i].bResizable);
    if (!bAny)
        return;
    while (nFreed > 0) {
        for (int i = 0; i < (int)items.size() && nFreed > 0; ++i) {
            if (i == nSelf || !items[i].bResizable)
                continue;
            ++items[i].nLength;
            --nFreed;
        }
    }
}

void FitRowsAcross(std::vector<RowSpan>& rows, int nRoom)
{
    long long nTotal = 0, nFixed = 0, nLeast = 0;
    int nThickest = 0;
    for (RowSpan& row : rows) {
        nTotal += row.nThickness;
        if (!row.bShrinks) {
            nFixed += row.nThickness;
            continue;
        }
        row.nMinThickness = std::min(row.nMinThickness, row.nThickness);
        nLeast += row.nMinThickness;
        nThickest = std::max(nThickest, row.nThickness);
    }
    if (nTotal <= nRoom || nFixed == nTotal)
        return;
    if (nFixed + nLeast >= nRoom) {
        const long long nFor = std::max<long long>(0, nRoom - nFixed);
        for (RowSpan& row : rows) {
            if (row.bShrinks)
                row.nThickness = std::max(1, (int)(nLeast > 0 ? row.nMinThickness * nFor / nLeast : 0));
        }
        return;
    }
    auto filled = [&](int nCap) {
        long long n = nFixed;
        for (const RowSpan& row : rows) {
            if (row.bShrinks)
                n += std::max(row.nMinThickness, std::min(row.nThickness, nCap));
        }
        return n;
    };
    int nLow = 0, nHigh = nThickest;   // filled(nLow) <= nRoom < filled(nHigh)
    while (nHigh - nLow > 1) {
        const int nMid = nLow + (nHigh - nLow) / 2;
        (filled(nMid) <= nRoom ? nLow : nHigh) = nMid;
    }
    long long nLeft = nRoom - filled(nLow);
    for (RowSpan& row : rows) {
        if (!row.bShrinks || row.nThickness <= nLow)
            continue;
        row.nThickness = std::max(row.nMinThickness, nLow);
        if (nLeft > 0 && row.nThickness == nLow) {
            ++row.nThickness;
            --nLeft;
        }
    }
}

int RoomForRows(const std::vector<RowSpan>& own, bool bAlongX, int nExtent, int nViewLeast,
                const std::vector<LaterDockRows>& later)
{
    std::vector<RowSpan> shared(own);
    int nKeepAlong = 0;
    for (const LaterDockRows& dock : later) {
        if (dock.bAlongX == bAlongX)
            shared.insert(shared.end(), dock.rows.begin(), dock.rows.end());
        else
            nKeepAlong = std::max(nKeepAlong, dock.nAlong);
    }
    const int nRoom = nExtent - nKeepAlong;
    // The bars across this dock bar's rows laid out later share the view's extent there.
    const int nForView = std::max(0, nViewLeast - nKeepAlong);
    int nLeast = 0;
    for (const RowSpan& row : shared)
        nLeast += row.bShrinks ? std::min(row.nMinThickness, row.nThickness) : row.nThickness;
    FitRowsAcross(shared, std::max(nRoom - nForView, std::min(nRoom, nLeast)));
    int nOwn = 0;
    for (size_t i = 0; i < own.size(); ++i)
        nOwn += shared[i].nThickness;
    return std::max(0, nOwn);
}

namespace {
// nDiff handed out one pixel at a time over the values in their order, starting over at the
// first; when taking, a value at its least is passed over.
template <class Least> void SharePixels(std::vector<int*>& values, int nDiff, Least least)
{
    const int nStep = nDiff > 0 ? 1 : -1;
    bool bProgress = true;
    while (nDiff != 0 && bProgress) {
        bProgress = false;
        for (size_t i = 0; i < values.size() && nDiff != 0; ++i) {
            if (nStep < 0 && *values[i] <= least(i))
                continue;
            *values[i] += nStep;
            nDiff -= nStep;
            bProgress = true;
        }
    }
}
} // namespace

void ShareInnerRows(std::vector<InnerRow>& rows, int nAcross, int nAlong)
{
    int nTotal = 0;
    std::vector<int*> thicknesses;
    for (InnerRow& row : rows) {
        row.span.nThickness = std::max(row.span.nThickness, row.span.nMinThickness);
        nTotal += row.span.nThickness;
        thicknesses.push_back(&row.span.nThickness);
        for (RowItem& bar : row.bars)
            bar.nLength = std::max(bar.nLength, bar.nMinLength);
    }
    SharePixels(thicknesses, nAcross - nTotal, [&](size_t i) { return rows[i].span.nMinThickness; });
    for (InnerRow& row : rows) {
        int nPreferred = 0;
        std::vector<int*> lengths;
        for (RowItem& bar : row.bars) {
            nPreferred += bar.nLength;
            lengths.push_back(&bar.nLength);
        }
        SharePixels(lengths, nAlong - nPreferred, [&](size_t i) { return row.bars[i].nMinLength; });
    }
}
