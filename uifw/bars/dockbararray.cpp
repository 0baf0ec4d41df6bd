#include "dockbararray.h"

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
