#include "core/platform/CorvAlloc.h"

#include <cstdlib>

void* CorvMalloc(std::size_t size)
{
    return size ? std::malloc(size) : nullptr;
}

void CorvFree(void* p)
{
    std::free(p);
}
