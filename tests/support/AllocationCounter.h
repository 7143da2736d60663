#pragma once

// Counts every allocation of the program that includes it, by replacing the
// global allocation functions. Include it in exactly one source file of a
// test executable of its own, so no other test pays for the counting.

#include <atomic>
#include <cstdlib>
#include <new>

namespace kilosynth::test {

inline std::atomic<long> allocationCount{0};

// Allocations made so far by the whole program.
inline long allocations() {
    return allocationCount.load(std::memory_order_relaxed);
}

} // namespace kilosynth::test

void* operator new(std::size_t size) {
    kilosynth::test::allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
