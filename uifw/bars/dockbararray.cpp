#include "dockbararray.h"

namespace {
bool IsBar(void* p)
{
    return p != nullptr && (UINT_PTR)p >= 0x10000;
}
} // namespace

void RowArrayRemoveEntry(CPtrArray& arr, int nPos)
{
    if (nPos <= 0 || nPos >= arr.GetSize())
        return;
    arr.RemoveAt(nPos);
    if (nPos < arr.GetSize() && arr[nPos] == nullptr && arr[nPos - 1] == nullptr)
        arr.RemoveAt(nPos);
    if (arr.GetSize() == 0 || arr[arr.GetSize() - 1] != nullptr)
        arr.Add(nullptr);
}

int RowArrayPlaceAtEdge(CPtrArray& arr, void* p, bool bInnerFirst)
{
    if (arr.GetSize() == 0)
        arr.Add(nullptr);
    if (bInnerFirst) {
        arr.InsertAt(1, p);
        if (arr.GetSize() <= 2 || arr[2] != nullptr)
            arr.InsertAt(2, (void*)nullptr);
        return 1;
    }
    if (arr.GetSize() > 1 && arr[arr.GetSize() - 1] == nullptr)
        arr.RemoveAt(arr.GetSize() - 1);
    int nPos = (int)arr.Add(p);
    arr.Add(nullptr);
    return nPos;
}

int RowArrayAppendRow(CPtrArray& arr, void* p)
{
    if (arr.GetSize() == 0 || arr[arr.GetSize() - 1] != nullptr)
        arr.Add(nullptr);
    int nPos = (int)arr.Add(p);
    arr.Add(nullptr);
    return nPos;
}

void RowArrayRowBounds(const CPtrArray& arr, int nPos, int& nFirst, int& nEnd)
{
    nFirst = nPos;
    while (nFirst > 0 && arr[nFirst - 1] != nullptr)
        --nFirst;
    nEnd = nPos;
    while (nEnd < arr.GetSize() && arr[nEnd] != nullptr)
        ++nEnd;
}

int RowArrayIsolate(CPtrArray& arr, int nPos)
{
    int nFirst, nEnd;
    RowArrayRowBounds(arr, nPos, nFirst, nEnd);
    const bool bBefore = nPos > nFirst, bAfter = nPos + 1 < nEnd;
    if (!bBefore && bAfter) {
        arr.InsertAt(nPos + 1, (void*)nullptr);
        return nPos;
    }
    if (bBefore && !bAfter) {
        arr.InsertAt(nPos, (void*)nullptr);
        return nPos + 1;
    }
    if (bBefore && bAfter) {
        void* p = arr[nPos];
        arr.RemoveAt(nPos);
        arr.InsertAt(nFirst, p);
        arr.InsertAt(nFirst + 1, (void*)nullptr);
        return nFirst;
    }
    return nPos;
}

int RowArrayInsertRowBeside(CPtrArray& arr, int nRef, void* p, bool bBackwards)
{
    int nFirst, nEnd;
    RowArrayRowBounds(arr, nRef, nFirst, nEnd);
    if (bBackwards) {
        arr.InsertAt(nFirst, p);
        arr.InsertAt(nFirst + 1, (void*)nullptr);
        return nFirst;
    }
    if (nEnd >= arr.GetSize())
        arr.Add(nullptr);
    arr.InsertAt(nEnd + 1, p);
    arr.InsertAt(nEnd + 2, (void*)nullptr);
    return nEnd + 1;
}

bool RowArrayPlaceOf(const CPtrArray& arr, int nPos, int& nRow, int& nInRow, bool& bOwnRow)
{
    if (nPos <= 0 || nPos >= arr.GetSize() || !IsBar(arr[nPos]))
        return false;
    nRow = 0;
    bool bRowHasBar = false;
    for (int i = 1; i < nPos; ++i) {
        if (arr[i] == nullptr) {
            nRow += bRowHasBar ? 1 : 0;
            bRowHasBar = false;
        } else if (IsBar(arr[i])) {
            bRowHasBar = true;
        }
    }
    int nFirst, nEnd;
    RowArrayRowBounds(arr, nPos, nFirst, nEnd);
    nInRow = 0;
    int nBars = 0;
    for (int i = nFirst; i < nEnd; ++i) {
        if (!IsBar(arr[i]))
            continue;
        ++nBars;
        nInRow += i < nPos ? 1 : 0;
    }
    bOwnRow = nBars == 1;
    return true;
}

int RowArrayPlaceAt(CPtrArray& arr, void* p, int nRow, int nInRow, bool bOwnRow)
{
    if (arr.GetSize() == 0)
        arr.Add(nullptr);
    // The first entry of the nRow-th row holding a bar, and its end.
    int nRowsSeen = 0, nFirst = -1, nEnd = -1;
    for (int i = 1; i < arr.GetSize() && nFirst < 0; ++i) {
        if (!IsBar(arr[i]))
            continue;
        int nStart, nStop;
        RowArrayRowBounds(arr, i, nStart, nStop);
        if (nRowsSeen++ == nRow) {
            nFirst = nStart;
            nEnd = nStop;
        }
        i = nStop;
    }
    if (nFirst < 0)
        return RowArrayAppendRow(arr, p);
    if (bOwnRow) {
        arr.InsertAt(nFirst, p);
        arr.InsertAt(nFirst + 1, (void*)nullptr);
        return nFirst;
    }
    int nAt = nEnd;
    for (int i = nFirst, nBars = 0; i < nEnd; ++i) {
        if (IsBar(arr[i]) && nBars++ == nInRow) {
            nAt = i;
            break;
        }
    }
    arr.InsertAt(nAt, p);
    if (nAt >= arr.GetSize() - 1)
        arr.Add(nullptr);
    return nAt;
}
