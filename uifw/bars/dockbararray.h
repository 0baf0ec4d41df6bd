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
