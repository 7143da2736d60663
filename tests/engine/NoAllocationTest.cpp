// Its own executable, as it counts every allocation of the program.
#include "engine/Patch.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/PatchFixtures.h"

#include <gtest/gtest.h>

namespace kilosynth {
namespace {

TEST(RenderAllocation, HeavyRenderAllocatesNothing) {
    Patch patch;
    test::makeHeavyPatch(patch);
    const long before = test::allocations();
    patch.render();
    patch.render();
    EXPECT_EQ(test::allocations(), before);
}

TEST(RenderAllocation, CountingSeesAllocations) {
    // Shows the counter works, so the test above cannot pass by accident.
    const long before = test::allocations();
    auto* p = new Patch;
    EXPECT_GT(test::allocations(), before);
    delete p;
}

} // namespace
} // namespace kilosynth
