// The row layout of fixed-size bars on the outer dock bars, free of windows.
//
// Each bar keeps the place the user gave it: a row is laid out from the bars' current places
// with their preferred lengths; a row that does not fit first loses its gaps, then its bars
// shrink towards their minimum lengths from the last one back, and only then does a bar wrap
// into a new line. A bar that fills its row (the menu bar) stretches over the row's free length
// but wants only what its contents need: that stretch goes first when the others need room.
// The placement records remember, per bar, the order in which the bars of a row were placed
// (1 = most recently), the saved rectangle and the saved lengths; they give compressed bars
// their lengths and places back when the row has room again.
#pragma once
#include "afxgeom.h"
#include <functional>
#include <vector>

class CArchive;
class CControlBar;

struct BarPlacementRecord {
    unsigned nOrder = 0;       // 0: nothing recorded
    CRect rcSaved;             // dock-bar client coordinates
    int nSavedHorz = 0;
    int nSavedVert = 0;
    int nReserved = 1;

    BarPlacementRecord() { rcSaved.SetRectEmpty(); }
    void Reset() { *this = BarPlacementRecord(); }
    // A WORD (1: empty), then for a filled record the order, the rectangle, the two lengths
    // and the last integer.
    void Serialize(CArchive& ar);
};

struct OuterLayoutItemData {
    CControlBar* pBar = nullptr;
    BarPlacementRecord* pRecord = nullptr;
    bool bControlBar = false;    // a framework bar (order and squeezing rules apply)
    bool bFixedSize = true;
    bool bSingleOnRow = false;
    BYTE bFlags = 1;             // bit 0: visible
    CSize sizePreferred;         // a bar that fills its row: the whole row along it
    int nContentLength = 0;      // along the row, what a bar that fills it needs; 0: the preferred length
    CSize sizeMin;
    CRect rcLayout;
    CRect rcCurrent;
};

namespace outerrow {

inline int Start(const CRect& rc, bool bHorz) { return bHorz ? rc.left : rc.top; }
inline int End(const CRect& rc, bool bHorz) { return bHorz ? rc.right : rc.bottom; }
inline int Length(const CRect& rc, bool bHorz) { return bHorz ? rc.Width() : rc.Height(); }
inline int Across(const CSize& size, bool bHorz) { return bHorz ? size.cy : size.cx; }
inline int Along(const CSize& size, bool bHorz) { return bHorz ? size.cx : size.cy; }
// The length the bar's contents need along the row.
int WantedLength(const OuterLayoutItemData& item, bool bHorz);
// Moves the rectangle along the row to start at nStart, keeping its length.
void MoveTo(CRect& rc, bool bHorz, int nStart);
void SetSpan(CRect& rc, bool bHorz, int nStart, int nEnd);

// The placement order of items[nFirst..nLast]: bars with records by ascending order number,
// then (without bInit) the bars whose record is unset, then bars without a record in array
// order. With bInit, unset records are filled from the current rectangles first.
void BuildPlacementOrder(bool bHorz, std::vector<int>& order, std::vector<OuterLayoutItemData>& items, bool bInit,
                         int nFirst, int nLast);
// Fits items[nFirst..nLast] into [0, nRowLength): packs them, then takes back what bars have
// beyond their wanted lengths, then shrinks them from the last back; hands saved lengths back
// within a run starting at 0. False (nothing written) when the minimums do not fit.
bool SqueezeRowSegment(std::vector<OuterLayoutItemData>& items, int nFirst, int nLast, int nRowLength, bool bHorz,
                       bool& bChanged);
// Moves the bar at the leading end of run (its indices in pushing order) by nAmount; gaps are
// used up first, then the rest of the run is pushed; the run stays in [0, nRowLength].
// Answers the distance moved.
int PushBars(std::vector<OuterLayoutItemData>& items, const std::vector<int>& run, int nAmount, int nRowLength,
             bool bHorz);
// Drags items[nIndex] by nOffset along its row. Its leading edge passing the middle of a
// neighbour, the two exchange places (onSwap(i, i + 1) is told, and the items are swapped): the
// neighbour takes the place where the bar began, the bar goes right behind it. The rest of
// the way pushes the bars ahead as PushBars does. nIndex follows the bar; answers the swaps.
int DragItemInRow(std::vector<OuterLayoutItemData>& items, int& nIndex, int nOffset, int nRowLength, bool bHorz,
                  const std::function<void(int, int)>& onSwap);
// The bars of the range that ask for it share the thickest one's thickness.
void EqualizeRowThickness(bool bHorz, std::vector<OuterLayoutItemData>& items, int nFirst, int nLast);
// Makes pSelf the most recently placed bar of its row; records of 0 go beyond any in use
// (counted from 4 x nEntries); then the row is renumbered 1, 2, 3, ...
void CaptureRowPlacement(BarPlacementRecord* pSelf, const std::vector<BarPlacementRecord*>& others, int nEntries);

// Where a bar moved to nWanted along its row goes among the other bars (their spans in row
// order): before the first bar starting at or after it, or before or after the bar holding it
// (by the half it falls in), else after the last bar wholly before it. False when none.
struct RowInsertion {
    int nBefore = -1;
    int nAfter = -1;
};
bool FindRowInsertion(const std::vector<std::pair<int, int>>& spans, int nWanted, RowInsertion& result);

struct RowLayoutResult {
    int nRows = 1;
    bool bChanged = false;
};
// Lays out the visible items of one row array along [0, nMaxExtent) starting at ptRunning
// (moved across the lines made); sizeResult grows as the dock bar's size does.
RowLayoutResult LayoutRowItems(std::vector<OuterLayoutItemData>& items, int nMaxExtent, bool bHorz, bool bFloating,
                               CPoint& ptRunning, CSize& sizeResult);

} // namespace outerrow
