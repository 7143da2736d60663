#pragma once

#include "ui/resources/ControlKind.h"
#include "ui/resources/DialogRect.h"

#include <string_view>

namespace kilosynth {

// One control of a dialog template.
struct ControlTemplate {
    // Style bits beyond the kind.
    static constexpr unsigned Disabled = 1;
    static constexpr unsigned ReadOnly = 2;
    static constexpr unsigned Border = 4; // an edit with a frame

    // A static control without its own id.
    static constexpr int NoId = -1;

    int id = NoId;
    ControlKind kind = ControlKind::Static;
    std::string_view text;
    // For a combo box the height is that of the open list.
    DialogRect rect;
    unsigned style = 0;
};

} // namespace kilosynth
