#pragma once

#include "ui/bindings/CheckControl.h"
#include "ui/bindings/ControlBinding.h"

#include <cstdint>

namespace kilosynth {

// Ties a check box to one bit of a byte field.
class CheckBinding final : public ControlBinding {
public:
    // Shows the bit at once.
    CheckBinding(std::uint8_t& field, std::uint8_t bit, CheckControl& checkBox);
    ~CheckBinding() = default;

    // Checked exactly when the bit is set.
    void refresh() override;

    // A click reported by `source` (null for a menu item or a key): when it is
    // this binding's control, the bit is toggled and every other bit of the
    // byte kept; commands from other controls are ignored.
    void onCommand(const Control* source);

    // Points the binding at another byte, same mask, and shows it.
    void rebind(std::uint8_t& newTarget);

private:
    std::uint8_t* target;
    std::uint8_t mask;
    CheckControl& control;
};

} // namespace kilosynth
