// The program's global operator new: a failed allocation throws the library's
// CMemoryException* (what the file and buffer code catches) instead of std::bad_alloc, so that
// even new BYTE[huge] reaches the memory-exception handlers.
#include "afx.h"
#include <atomic>
#include <stdlib.h>

namespace {

std::atomic<AFX_ALLOC_HOOK> g_allocHook{NULL};
std::atomic<LONG> g_allocRequest{0};

} // namespace

AFX_ALLOC_HOOK AFXAPI AfxSetAllocHook(AFX_ALLOC_HOOK pfnAllocHook)
{
    return g_allocHook.exchange(pfnAllocHook);
}

void* operator new(size_t nSize)
{
    AFX_ALLOC_HOOK hook = g_allocHook.load();
    if (hook != NULL && !hook(nSize, FALSE, ++g_allocRequest))
        AfxThrowMemoryException();
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
