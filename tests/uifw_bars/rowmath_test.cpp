// The window-free arithmetic of rows: sharing a row's length, resizing and splitting, the row
// array edits of the dock bars, and the outer rows of fixed-size bars.
#include <gtest/gtest.h>

#include "dockbararray.h"
#include "outerrow.h"
#include "rowmath.h"

#include <numeric>

namespace {

std::vector<RowItem> Row(int nCount, int nMin, int nLength = 200)
{
    std::vector<RowItem> items(nCount);
    for (RowItem& it : items) {
        it.nMinLength = nMin;
        it.nLength = nLength;
        it.nThickness = 100;
    }
    return items;
}

TEST(RowLength, ThreeBarsShareTheRowAndAFourthThatDoesNotFitWraps)
{
    std::vector<RowItem> items = Row(3, 40);
    RowFit fit = DistributeRowLength(items, 0, 300, 2);
    EXPECT_EQ(RowFit::kLaidOut, fit.outcome);
    int nSum = 0;
    for (const RowItem& it : items) {
        EXPECT_GE(it.nLength, 40);
        nSum += it.nLength;
    }
    EXPECT_EQ(300, nSum);
    EXPECT_LE(std::abs(items[0].nLength - items[2].nLength), 1);

    std::vector<RowItem> four = Row(4, 80);
    fit = DistributeRowLength(four, 0, 300, 2);
    EXPECT_EQ(3, fit.nBreakBefore);
    EXPECT_EQ(3, fit.nRowEnd);
    EXPECT_EQ(300, four[0].nLength + four[1].nLength + four[2].nLength);

    // Only the first visible resizable bar lays the row out.
    std::vector<RowItem> again = Row(3, 40);
    EXPECT_EQ(RowFit::kAnswerFixed, DistributeRowLength(again, 1, 300, 2).outcome);
    EXPECT_EQ(200, again[1].nLength);
}

TEST(RowLength, AtTheirMinimumsTheLastResizableBarTakesTheRestNotAFixedOne)
{
    std::vector<RowItem> items = Row(3, 40, 40);
    items[2].bResizable = false;   // a toolbar at the row's end, 50 long
    items[2].nLength = 50;
    DistributeRowLength(items, 0, 300, 2);
    EXPECT_EQ(40, items[0].nLength);
    EXPECT_EQ(300 - 50 - 40, items[1].nLength);
    EXPECT_EQ(50, items[2].nLength);
}

TEST(RowLength, ResizeAndSplitKeepTheMinimums)
{
    // Dragged 30 px further than the strip: 30 px thicker; never below twice the minimum.
    EXPECT_EQ(2 + 130, RowResizeThickness(130, 2, 100, true, 20, 1000));
    EXPECT_EQ(40, RowResizeThickness(5, 2, 100, true, 20, 1000));
    EXPECT_EQ(500, RowResizeThickness(900, 2, 100, true, 20, 500));

    int nLength = 100, nNeighbour = 40;
    ApplySplitLengths(nLength, 40, &nNeighbour, 40, -30);   // grow towards a neighbour at its minimum
    EXPECT_EQ(100, nLength);
    EXPECT_EQ(40, nNeighbour);
    nLength = 100;
    nNeighbour = 120;
    ApplySplitLengths(nLength, 40, &nNeighbour, 40, -30);
    EXPECT_EQ(130, nLength);
    EXPECT_EQ(90, nNeighbour);
    ApplySplitLengths(nLength, 40, &nNeighbour, 40, 200);   // never below its own minimum
    EXPECT_EQ(40, nLength);

    std::vector<RowItem> items = Row(3, 40, 100);
    MaximizeRowItem(items, 1);
    EXPECT_EQ(40, items[0].nLength);
    EXPECT_EQ(220, items[1].nLength);
    EXPECT_EQ(40, items[2].nLength);
    MinimizeRowItem(items, 1);
    EXPECT_EQ(40, items[1].nLength);
    EXPECT_EQ(300, items[0].nLength + items[1].nLength + items[2].nLength);
}

void* B(int n)
{
    return (void*)(UINT_PTR)(0x100000 * n);
}

std::vector<void*> Entries(const CPtrArray& arr)
{
    std::vector<void*> v;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        v.push_back(arr[i]);
    return v;
}

TEST(RowArray, EdgeInsertionIsolationAndRemoval)
{
    CPtrArray arr;
    for (void* p : {(void*)nullptr, B(1), B(2), (void*)nullptr, B(3), (void*)nullptr})
        arr.Add(p);
    // At the inner side of a right or bottom dock bar: index 1, followed by a row break.
    RowArrayPlaceAtEdge(arr, B(9), true);
    EXPECT_EQ((std::vector<void*>{nullptr, B(9), nullptr, B(1), B(2), nullptr, B(3), nullptr}), Entries(arr));
    // Elsewhere: it joins the last row.
    RowArrayPlaceAtEdge(arr, B(8), false);
    EXPECT_EQ((std::vector<void*>{nullptr, B(9), nullptr, B(1), B(2), nullptr, B(3), B(8), nullptr}), Entries(arr));
    // A bar wanting its own row, between two bars of a row, goes alone into a new row before it.
    CPtrArray row;
    for (void* p : {(void*)nullptr, B(1), B(5), B(2), (void*)nullptr})
        row.Add(p);
    EXPECT_EQ(1, RowArrayIsolate(row, 2));
    EXPECT_EQ((std::vector<void*>{nullptr, B(5), nullptr, B(1), B(2), nullptr}), Entries(row));
    // Removing the only bar of a row leaves one row break.
    RowArrayRemoveEntry(row, 1);
    EXPECT_EQ((std::vector<void*>{nullptr, B(1), B(2), nullptr}), Entries(row));
    EXPECT_EQ(1, RowArrayInsertRowBeside(row, 2, B(7), true));
    EXPECT_EQ((std::vector<void*>{nullptr, B(7), nullptr, B(1), B(2), nullptr}), Entries(row));
}

struct OuterRow {
    std::vector<OuterLayoutItemData> items;
    std::vector<BarPlacementRecord> records;
    OuterRow(int nCount, int nPreferred, int nMin) : records(nCount)
    {
        for (int i = 0; i < nCount; ++i) {
            OuterLayoutItemData item;
            item.bControlBar = true;
            item.pRecord = &records[i];
            item.sizePreferred = CSize(nPreferred, 22);
            item.sizeMin = CSize(nMin, 22);
            item.rcCurrent = CRect(i * nPreferred, 0, (i + 1) * nPreferred, 22);
            items.push_back(item);
        }
    }
    outerrow::RowLayoutResult Layout(int nLength)
    {
        CPoint pt(0, 0);
        CSize size(0, 0);
        auto result = outerrow::LayoutRowItems(items, nLength, true, false, pt, size);
        for (OuterLayoutItemData& item : items)
            item.rcCurrent = item.rcLayout;
        return result;
    }
};

TEST(OuterRows, GapsGoFirstThenBarsShrinkFromTheLastAndOnlyThenWrap)
{
    OuterRow row(2, 150, 60);
    row.items[1].rcCurrent.OffsetRect(50, 0);   // a gap of 50
    EXPECT_EQ(1, row.Layout(330).nRows);
    EXPECT_EQ(CRect(0, 0, 150, 22), row.items[0].rcLayout);
    EXPECT_EQ(CRect(180, 0, 330, 22), row.items[1].rcLayout);   // the gap shrank, no bar did

    OuterRow three(3, 150, 60);
    EXPECT_EQ(1, three.Layout(400).nRows);
    EXPECT_EQ(150, three.items[0].rcLayout.Width());
    EXPECT_EQ(150, three.items[1].rcLayout.Width());
    EXPECT_EQ(100, three.items[2].rcLayout.Width());   // the last shrinks first
    EXPECT_EQ(400, three.items[2].rcLayout.right);
    // Widening gives the lengths back.
    EXPECT_EQ(1, three.Layout(600).nRows);
    for (const OuterLayoutItemData& item : three.items)
        EXPECT_EQ(150, item.rcLayout.Width());

    OuterRow six(6, 150, 60);
    EXPECT_EQ(1, six.Layout(400).nRows);    // 6 x 60 = 360 still fits
    for (const OuterLayoutItemData& item : six.items)
        EXPECT_GE(item.rcLayout.Width(), 60);
    OuterRow seven(7, 150, 60);
    outerrow::RowLayoutResult result = seven.Layout(400);
    EXPECT_EQ(2, result.nRows);             // 7 x 60 = 420 does not: the last wraps
    EXPECT_EQ(22, seven.items[6].rcLayout.top);
}

TEST(OuterRows, PlacementOrderAndThickness)
{
    BarPlacementRecord b1, b2, b3;
    b1.nOrder = 1;
    b2.nOrder = 0;
    b3.nOrder = 2;
    outerrow::CaptureRowPlacement(&b2, {&b1, &b3}, 4);
    EXPECT_EQ(1u, b2.nOrder);
    EXPECT_EQ(2u, b1.nOrder);
    EXPECT_EQ(3u, b3.nOrder);

    OuterRow row(3, 100, 40);
    row.items[0].bSingleOnRow = row.items[2].bSingleOnRow = true;
    row.items[0].rcLayout = CRect(0, 0, 100, 22);
    row.items[1].rcLayout = CRect(100, 0, 200, 30);
    row.items[2].rcLayout = CRect(200, 0, 300, 26);
    outerrow::EqualizeRowThickness(true, row.items, 0, 2);
    EXPECT_EQ(26, row.items[0].rcLayout.Height());
    EXPECT_EQ(30, row.items[1].rcLayout.Height());
    EXPECT_EQ(26, row.items[2].rcLayout.Height());

    // Pushing: a gap is used up first, then the neighbour moves; the row end stops it.
    OuterRow push(2, 100, 40);
    push.items[0].rcLayout = CRect(0, 0, 100, 22);
    push.items[1].rcLayout = CRect(120, 0, 220, 22);
    EXPECT_EQ(50, outerrow::PushBars(push.items, {0, 1}, 50, 300, true));
    EXPECT_EQ(150, push.items[1].rcLayout.left);
    EXPECT_EQ(50, outerrow::PushBars(push.items, {0, 1}, 500, 300, true));
    EXPECT_EQ(300, push.items[1].rcLayout.right);
}

TEST(OuterRows, ABarDraggedPastTheMiddleOfANeighbourExchangesPlacesWithIt)
{
    OuterRow row(3, 90, 40);
    row.items[0].rcLayout = CRect(0, 0, 100, 22);
    row.items[1].rcLayout = CRect(110, 0, 200, 22);
    row.items[2].rcLayout = CRect(210, 0, 300, 22);
    for (int i = 0; i < 3; ++i)
        row.items[i].sizePreferred = CSize(i, 0);   // tells the bars apart
    std::vector<std::pair<int, int>> swaps;
    auto note = [&](int i, int j) { swaps.push_back({i, j}); };
    int nIndex = 0;
    // Short of the middle: the neighbours are pushed, nothing is exchanged.
    EXPECT_EQ(0, outerrow::DragItemInRow(row.items, nIndex, 20, 400, true, note));
    EXPECT_EQ(0, nIndex);
    EXPECT_EQ(CRect(20, 0, 120, 22), row.items[0].rcLayout);
    EXPECT_EQ(120, row.items[1].rcLayout.left);
    // Past it: the neighbour takes the place where the bar began, the bar goes behind it.
    EXPECT_EQ(1, outerrow::DragItemInRow(row.items, nIndex, 60, 400, true, note));
    EXPECT_EQ(1, nIndex);
    EXPECT_EQ(0, row.items[1].sizePreferred.cx);
    EXPECT_EQ(1, row.items[0].sizePreferred.cx);
    EXPECT_EQ(CRect(0, 0, 90, 22), row.items[0].rcLayout);   // back where it was, as far as room allows
    EXPECT_EQ(90, row.items[1].rcLayout.left);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 1}}), swaps);
    // Backwards past both: it leads the row, the others follow in their order, none overlap.
    nIndex = 2;
    row.items[2].rcLayout = CRect(300, 0, 390, 22);
    EXPECT_EQ(2, outerrow::DragItemInRow(row.items, nIndex, -350, 400, true, note));
    EXPECT_EQ(0, nIndex);
    EXPECT_EQ(0, row.items[0].rcLayout.left);
    EXPECT_EQ(2, row.items[0].sizePreferred.cx);
    for (int i = 1; i < 3; ++i)
        EXPECT_LE(row.items[i - 1].rcLayout.right, row.items[i].rcLayout.left);
}

TEST(OuterRows, ABarMovedAlongItsRowGoesBeforeTheFirstBarAfterItsStart)
{
    const std::vector<std::pair<int, int>> spans = {{0, 100}, {150, 250}, {300, 400}};
    outerrow::RowInsertion where;
    ASSERT_TRUE(outerrow::FindRowInsertion(spans, 120, where));   // in the gap after the first
    EXPECT_EQ(1, where.nBefore);
    ASSERT_TRUE(outerrow::FindRowInsertion(spans, 160, where));   // first half of the second
    EXPECT_EQ(1, where.nBefore);
    ASSERT_TRUE(outerrow::FindRowInsertion(spans, 240, where));   // second half: after it
    EXPECT_EQ(-1, where.nBefore);
    EXPECT_EQ(1, where.nAfter);
    ASSERT_TRUE(outerrow::FindRowInsertion(spans, 500, where));   // beyond all: after the last
    EXPECT_EQ(2, where.nAfter);
    EXPECT_FALSE(outerrow::FindRowInsertion({}, 10, where));
}

} // namespace
