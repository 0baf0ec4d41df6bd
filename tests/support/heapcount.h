// The blocks the C runtime's heap holds at the moment. Code that frees everything it takes
// leaves the count where it found it, so a count taken before and after a run of inputs shows
// a leak however small.
#pragma once
#include <malloc.h>

namespace heapcount {

inline long LiveBlocks()
{
    _HEAPINFO info = {};
    long nBlocks = 0;
    while (_heapwalk(&info) == _HEAPOK) {
        if (info._useflag == _USEDENTRY)
            ++nBlocks;
    }
    return nBlocks;
}

} // namespace heapcount
