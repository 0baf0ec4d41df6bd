// The program's global operator new: a failed allocation throws the library's
// CMemoryException* (what the file and buffer code catches) instead of std::bad_alloc, so that
// even new BYTE[huge] reaches the memory-exception handlers.
#include "afx.h"
#include <stdlib.h>

void* operator new(size_t nSize)
{
    if (nSize == 0)
        nSize = 1;
    for (;;) {
        void* p = malloc(nSize);
        if (p != NULL)
            return p;
        std::new_handler handler = std::get_new_handler();
        if (handler == NULL)
            AfxThrowMemoryException();
        handler();
    }
}

void* operator new[](size_t nSize)
{
    return ::operator new(nSize);
}

void operator delete(void* p) noexcept
{
    free(p);
}

void operator delete[](void* p) noexcept
{
    free(p);
}

void operator delete(void* p, size_t) noexcept
{
    free(p);
}

void operator delete[](void* p, size_t) noexcept
{
    free(p);
}
