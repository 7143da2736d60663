#include "ui/bindings/CheckBinding.h"

namespace kilosynth {

CheckBinding::CheckBinding(std::uint8_t& field, std::uint8_t bit, CheckControl& checkBox)
    : target(&field), mask(bit), control(checkBox) {
    refresh();
}

void CheckBinding::refresh() {
    control.setChecked((*target & mask) != 0);
}

void CheckBinding::onCommand(const Control* source) {
    if (source != &control) {
        return;
    }
    // The control may already show the new state (an automatic check box
    // flips itself); the refresh below sets it from the bit in any case.
    if ((*target & mask) != 0) {
        *target = static_cast<std::uint8_t>(*target & ~mask);
    } else {
        *target = static_cast<std::uint8_t>(*target | mask);
    }
    refresh();
}

void CheckBinding::rebind(std::uint8_t& newTarget) {
    target = &newTarget;
    refresh();
}

} // namespace kilosynth
