#pragma once

#include "ui/bindings/ControlBinding.h"
#include "ui/bindings/ScrollControl.h"
#include "ui/bindings/ScrollRequest.h"
#include "ui/bindings/TextControl.h"

#include <cstdint>

namespace kilosynth {

// Ties a horizontal scroll bar and the text field beside it to a float or a
// byte field that ranges from 0 to a maximum. Line steps move the value by 1,
// page steps by 10, dragging the thumb sets it to the thumb's whole position.
class ScrollBinding final : public ControlBinding {
public:
    // A float field, shown as "%.3f"; the maximum is kept as given.
    ScrollBinding(float& field, float largest, TextControl& valueText, ScrollControl& bar);
    // A byte field, shown as "%d"; a maximum above 255 becomes 255.
    ScrollBinding(std::uint8_t& field, float largest, TextControl& valueText, ScrollControl& bar);
    ~ScrollBinding() = default;

    // Sets the text and the scroll position (the value truncated) from the field.
    void refresh() override;

    // A scroll message from `source` with its request code and, for
    // ThumbTrack, the thumb position. Messages from other scroll bars and
    // codes without a value change store nothing and refresh nothing.
    void onScroll(const Control* source, ScrollRequest request, std::uint16_t thumbPosition);

    // Points the binding at another field of the same kind and shows it. The
    // maximum and the scroll range stay. Throws std::logic_error for a field
    // of the other kind.
    void rebind(float& newTarget);
    void rebind(std::uint8_t& newTarget);

private:
    enum class ValueKind { Float = 0, Byte = 1 };

    ScrollBinding(ValueKind kind, float* floatField, std::uint8_t* byteField, float largest,
                  TextControl& valueText, ScrollControl& bar);

    ValueKind valueKind;
    float* floatTarget;
    std::uint8_t* byteTarget;
    float maximum;
    TextControl& edit;
    ScrollControl& scrollBar;
};

} // namespace kilosynth
