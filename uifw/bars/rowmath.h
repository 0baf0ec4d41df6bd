// The arithmetic of the rows of resizable bars, free of windows: how a row's length is shared
// out, how a row is resized and two neighbours are split, and how a bar is made the largest
// of its row. The bars' window code reads lengths into these records, calls these functions
// and writes the results back.
#pragma once
#include <vector>

struct RowItem {
    bool bVisible = true;
    bool bResizable = true;     // a resizable framework bar; anything else keeps its length
    int nLength = 0;            // stored length (resizable) or window length (others)
    int nMinLength = 0;
    int nThickness = 0;
};

struct RowFit {
    enum Outcome { kLaidOut, kAnswerFixed, kSelfClipped };
    Outcome outcome = kLaidOut;
    int nBreakAfter = -1;       // a row break goes after this item (an item before the bar)
    int nBreakBefore = -1;      // a row break goes before this item (an item after the bar)
    int nRowEnd = 0;            // items from this index on left the row
    int nThickness = 0;         // the common thickness of the visible resizable bars
};

// A row of a dock bar across it: its thickness, the least it needs, and whether it may give
// pixels up (it holds only resizable bars).
struct RowSpan {
    int nThickness = 0;
    int nMinThickness = 0;
    bool bShrinks = true;
};

// The shown rows of a dock bar laid out after another, as that one's rows see them: their
// direction, and the longest least length of one of its shown bars along them.
struct LaterDockRows {
    bool bAlongX = true;
    std::vector<RowSpan> rows;
    int nAlong = 0;
};

// How thick a dock bar's rows may be together, as the frame lays it out in nExtent across: the
// dock bars laid out after it keep what their bars need along their rows (those of the other
// direction) and the view keeps nViewLeast as far as the rows keep their least thickness; the
// rows of the same direction laid out after it share the rest with the own rows as one set,
// FitRowsAcross deciding each one's part.
int RoomForRows(const std::vector<RowSpan>& own, bool bAlongX, int nExtent, int nViewLeast,
                const std::vector<LaterDockRows>& later);

// A row of a container's dock bar: its thickness across and the least it needs, and its bars'
// lengths along it with their least ones.
struct InnerRow {
    RowSpan span;
    std::vector<RowItem> bars;
};

// The rows of a container's dock bar laid out in nAcross x nAlong: a row or bar remembering less
// than its least gets its least; the rows share the thickness one pixel at a time in their
// order, none going below its least, and each row's bars share its length the same way.
void ShareInnerRows(std::vector<InnerRow>& rows, int nAcross, int nAlong);

// Lays the row out from the bar at nSelf: only the first visible resizable bar of a row does
// (else kAnswerFixed and nothing changes). nAvailable: the dock bar's length along the row;
// nStartTotal: what the row's borders take before the first bar.
RowFit DistributeRowLength(std::vector<RowItem>& items, int nSelf, int nAvailable, int nStartTotal);

// The new thickness of a row dragged to nDistance from the bar's leading edge (bFromLeading:
// the bar lies at the top or left, so the strip is at its far side).
int RowResizeThickness(int nDistance, int nHalfStrip, int nThickness, bool bFromLeading, int nMinThickness,
                       int nMaxThickness);

// A split of tracked pixels (this bar's length minus its new length) between a bar and its
// neighbour: neither goes below its minimum; while both stay above it the sum is kept.
void ApplySplitLengths(int& nLength, int nMinLength, int* pNeighbourLength, int nNeighbourMinLength, int nTracked);

// The bar at nSelf takes every pixel the other resizable bars have above their minimum.
void MaximizeRowItem(std::vector<RowItem>& items, int nSelf);
// The bar at nSelf goes to its minimum; the freed pixels go one at a time to the others.
void MinimizeRowItem(std::vector<RowItem>& items, int nSelf);

// The rows of a dock bar made to fit nRoom across. While their least thicknesses fit, the rows
// that may shrink are held to one largest thickness (none below its least), so that thin rows
// keep theirs and the thickest give; pixels that one thickness cannot share go one each to the
// first rows held. A row laid out at what it got gets the same again. When even the least
// thicknesses do not fit, those are shared out in proportion, each row keeping one pixel at
// least. The others keep their thickness.
void FitRowsAcross(std::vector<RowSpan>& rows, int nRoom);
