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

// Keeps memory the program frees for its next allocations instead of
// handing it back to the system at once.  Loading history after history
// (the idea finder and the tester read thousands in a row) would otherwise
// pay for fresh pages on every load, which costs as much as reading the
// rows on some machines.  Called once at start.
void CorvKeepFreedMemory();
