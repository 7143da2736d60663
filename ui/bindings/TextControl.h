#pragma once

#include "ui/bindings/Control.h"

#include <string>

namespace kilosynth {

// A read-only text field that shows a bound value.
class TextControl : public Control {
public:
    virtual void setText(const std::string& text) = 0;
};

} // namespace kilosynth
