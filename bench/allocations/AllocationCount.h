#pragma once

#include <cstdint>

// Heap allocations (malloc, calloc, realloc and everything built on them, operator new
// included) made by this process so far. Counting needs our own malloc in front of the
// C library's, which the sanitizers forbid; there countingAllocations() is false.
std::uint64_t allocationCount();
bool countingAllocations();
