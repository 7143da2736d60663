#pragma once

#include <span>
#include <string_view>

namespace kilosynth {

// One pull-down menu of a menu bar; an item with id Separator is a separator.
struct MenuTemplate {
    struct Item {
        static constexpr int Separator = 0;
        std::string_view text;
        int id = Separator;
    };

    std::string_view title;
    std::span<const Item> items;
};

} // namespace kilosynth
