#include "core/platform/CorvAlloc.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void* CorvMalloc(std::size_t size)
{
    return size ? std::malloc(size) : nullptr;
}

void CorvFree(void* p)
{
    std::free(p);
}

void CorvKeepFreedMemory()
{
#if defined(__GLIBC__)
    // Up to 1 GiB free at the top of the heap stays mapped, and blocks below
    // 32 MiB (a history of a few hundred thousand bars) come from the heap,
    // not from mappings of their own that each free would return.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}
