// Edits of a dock bar's row array (CDockBar::m_arrBars), free of windows: entry 0 is always
// a row break, a null ends a row, an entry below 0x10000 is a placeholder, any other a bar.
#pragma once
#include "afxcoll.h"

// Removes the entry; a row break left doubled collapses into one.
void RowArrayRemoveEntry(CPtrArray& arr, int nPos);
// Puts p at index 1 in a row of its own (bInnerFirst), or at the end of the last row.
// Answers its index.
int RowArrayPlaceAtEdge(CPtrArray& arr, void* p, bool bInnerFirst);
// Appends p in a new last row of its own. Answers its index.
int RowArrayAppendRow(CPtrArray& arr, void* p);
// Gives the entry at nPos a row of its own: a break before it when only bars follow it in
// its row, after it when only bars precede it, and with bars on both sides it moves into a
// new row placed before its old row. Answers its new index.
int RowArrayIsolate(CPtrArray& arr, int nPos);
// Inserts p in a row of its own directly before (bBackwards) or after the row of nRef.
int RowArrayInsertRowBeside(CPtrArray& arr, int nRef, void* p, bool bBackwards);
// The first and one-past-last index of the row holding nPos.
void RowArrayRowBounds(const CPtrArray& arr, int nPos, int& nFirst, int& nEnd);
// Where the bar at nPos stands: the index of its row among the rows that hold a bar, its index
// among that row's bars, and whether it is the row's only bar. False when nPos holds no bar.
bool RowArrayPlaceOf(const CPtrArray& arr, int nPos, int& nRow, int& nInRow, bool& bOwnRow);
// Puts p at such a place: in a row of its own before the nRow-th row that holds a bar (after
// the last one when there are fewer), or, unless bOwnRow, in that row before its nInRow-th
// bar. Answers its index.
int RowArrayPlaceAt(CPtrArray& arr, void* p, int nRow, int nInRow, bool bOwnRow);
