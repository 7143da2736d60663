#pragma once

#include "ui/bindings/Control.h"

namespace kilosynth {

// A check box (or a push-like check button) that a CheckBinding drives.
class CheckControl : public Control {
public:
    virtual void setChecked(bool checked) = 0;
};

} // namespace kilosynth
