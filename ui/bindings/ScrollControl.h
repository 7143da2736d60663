#pragma once

#include "ui/bindings/Control.h"

namespace kilosynth {

// A scroll bar that a ScrollBinding drives. The bar does not move by itself:
// it shows the position it was last given.
class ScrollControl : public Control {
public:
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setPosition(int position) = 0;
};

} // namespace kilosynth
