#pragma once

#include "ui/resources/ControlTemplate.h"

#include <span>
#include <string_view>

namespace kilosynth {

// A dialog described as data: its size in dialog units, its font size and
// its controls in creation (and tab) order.
struct DialogTemplate {
    int id = 0;
    std::string_view caption;
    int width = 0;
    int height = 0;
    int fontPointSize = 8;
    std::span<const ControlTemplate> controls;
};

} // namespace kilosynth
