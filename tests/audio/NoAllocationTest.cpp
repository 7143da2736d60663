// Its own executable: it replaces the global allocation functions to count
// every allocation made while playSample runs.
#include "audio/Preview.h"

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

TEST(PreviewAllocation, PlayingAfterEveryEditAllocatesNothing) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(initPreview()) << previewError();
    Patch patch;
    const long before = allocations.load();
    for (const std::uint8_t length : {std::uint8_t{MaxLength}, std::uint8_t{1}, std::uint8_t{0}}) {
        patch.length = length;
        playSample(patch);
        previewProgress();
    }
    stopPreview();
    EXPECT_EQ(allocations.load(), before);
    shutdownPreview();
}

TEST(PreviewAllocation, CountingSeesAllocations) {
    // Shows the counter works, so the test above cannot pass by accident.
    const long before = allocations.load();
    auto* p = new Patch;
    EXPECT_GT(allocations.load(), before);
    delete p;
}

} // namespace
} // namespace kilosynth
