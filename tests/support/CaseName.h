#pragma once

#include <gtest/gtest.h>
#include <string>

namespace kilosynth::test {

// Names each instance of a table-driven test after the `name` field of its case.
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& c) const {
        return c.param.name;
    }
};

} // namespace kilosynth::test
