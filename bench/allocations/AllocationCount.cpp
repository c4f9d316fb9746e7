#include "bench/allocations/AllocationCount.h"

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)

std::uint64_t allocationCount() {
    return 0;
}
bool countingAllocations() {
    return false;
}

#else

extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void *__libc_memalign(std::size_t, std::size_t);
}

namespace {
std::atomic<std::uint64_t> count{0};
void counted() {
    count.fetch_add(1, std::memory_order_relaxed);
}
} // namespace

// These replace the C library's entry points for the whole process (libstdc++'s
// operator new and Qt's containers call them), and hand the work back to it.
extern "C" void *malloc(std::size_t n) {
    counted();
    return __libc_malloc(n);
}
extern "C" void *calloc(std::size_t n, std::size_t size) {
    counted();
    return __libc_calloc(n, size);
}
extern "C" void *realloc(void *p, std::size_t n) {
    counted();
    return __libc_realloc(p, n);
}
extern "C" void *aligned_alloc(std::size_t alignment, std::size_t n) {
    counted();
    return __libc_memalign(alignment, n);
}

std::uint64_t allocationCount() {
    return count.load(std::memory_order_relaxed);
}
bool countingAllocations() {
    return true;
}

#endif
