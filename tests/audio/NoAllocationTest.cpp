// Its own executable, as it counts every allocation of the program.
#include "audio/Preview.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

namespace kilosynth {
namespace {

TEST(PreviewAllocation, PlayingAfterEveryEditAllocatesNothing) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(initPreview()) << previewError();
    Patch patch;
    const long before = test::allocations();
    for (const std::uint8_t length : {std::uint8_t{MaxLength}, std::uint8_t{1}, std::uint8_t{0}}) {
        patch.length = length;
        playSample(patch);
        previewProgress();
    }
    stopPreview();
    EXPECT_EQ(test::allocations(), before);
    shutdownPreview();
}

TEST(PreviewAllocation, CountingSeesAllocations) {
    // Shows the counter works, so the test above cannot pass by accident.
    const long before = test::allocations();
    auto* p = new Patch;
    EXPECT_GT(test::allocations(), before);
    delete p;
}

} // namespace
} // namespace kilosynth
