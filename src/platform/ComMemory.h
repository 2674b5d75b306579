// Task memory: blocks one COM party allocates and another frees, such as the
// strings an enumerator hands out.
#pragma once

#include <cstddef>

// A block of `size` bytes (a distinct block even for 0), or null when none
// can be had.
void* CoTaskMemAlloc(std::size_t size);

// Frees a block from CoTaskMemAlloc; null is ignored.
void CoTaskMemFree(void* block);

// For tests of the out-of-memory paths: the next `successes` allocations
// succeed and every later one fails, until called again with a negative
// count, which lets all succeed again.
void CoTaskMemFailAfter(int successes);
