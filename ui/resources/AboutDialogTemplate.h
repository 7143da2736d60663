#pragma once

#include "ui/resources/DialogTemplate.h"

namespace kilosynth {

// Template 137, the About box.
struct AboutDialogTemplate {
    static constexpr int Id = 137;
    static constexpr int OkButton = 1;

    static const DialogTemplate& get();
};

} // namespace kilosynth
