#include "platform/ComMemory.h"

#include <cstdlib>

namespace {

// Negative: no failure planned. Only tests set it, on one thread.
int allocationsBeforeFailure = -1;

}  // namespace

void* CoTaskMemAlloc(std::size_t size)
{
    if (allocationsBeforeFailure == 0) return nullptr;
    if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    return std::malloc(size == 0 ? 1 : size);
}

void CoTaskMemFree(void* block)
{
    std::free(block);
}

void CoTaskMemFailAfter(int successes)
{
    allocationsBeforeFailure = successes < 0 ? -1 : successes;
}
