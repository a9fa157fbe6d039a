#pragma once
// The allocator through which buffers change hands between the program, its
// plug-ins and the calculation cache: whatever one side allocates with
// CorvMalloc the other frees with CorvFree. It lives in the model library so
// that every module shares one heap.
#include <cstddef>

// Null when size is 0 or the memory is not available.
void* CorvMalloc(std::size_t size);
// Accepts null.
void CorvFree(void* p);
