// Its own executable: it replaces the global allocation functions to count
// every allocation made while a render runs.
#include "engine/Patch.h"
#include "tests/support/PatchFixtures.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
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

namespace kilosynth {
namespace {

TEST(RenderAllocation, HeavyRenderAllocatesNothing) {
    Patch patch;
    test::makeHeavyPatch(patch);
    const long before = allocations.load();
    patch.render();
    patch.render();
    EXPECT_EQ(allocations.load(), before);
}

TEST(RenderAllocation, CountingSeesAllocations) {
    // Shows the counter works, so the test above cannot pass by accident.
    const long before = allocations.load();
    auto* p = new Patch;
    EXPECT_GT(allocations.load(), before);
    delete p;
}

} // namespace
} // namespace kilosynth
