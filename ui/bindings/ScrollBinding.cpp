#include "ui/bindings/ScrollBinding.h"

#include "ui/bindings/Truncation.h"

#include <cstdio>
#include <stdexcept>

namespace kilosynth {

namespace {

// A byte field can never hold more than this, whatever maximum was asked for.
constexpr float ByteMaximum = 255.0f;

} // namespace

ScrollBinding::ScrollBinding(float& field, float largest, TextControl& valueText,
                             ScrollControl& bar)
    : ScrollBinding(ValueKind::Float, &field, nullptr, largest, valueText, bar) {}

ScrollBinding::ScrollBinding(std::uint8_t& field, float largest, TextControl& valueText,
                             ScrollControl& bar)
    : ScrollBinding(ValueKind::Byte, nullptr, &field, largest > ByteMaximum ? ByteMaximum : largest,
                    valueText, bar) {}

ScrollBinding::ScrollBinding(ValueKind kind, float* floatField, std::uint8_t* byteField,
                             float largest, TextControl& valueText, ScrollControl& bar)
    : valueKind(kind), floatTarget(floatField), byteTarget(byteField), maximum(largest),
      edit(valueText), scrollBar(bar) {
    scrollBar.setRange(0, truncateToInt(maximum));
    refresh();
}

void ScrollBinding::refresh() {
    char text[128];
    if (valueKind == ValueKind::Float) {
        std::snprintf(text, sizeof text, "%.3f", static_cast<double>(*floatTarget));
        edit.setText(text);
        scrollBar.setPosition(truncateToInt(*floatTarget));
    } else {
        std::snprintf(text, sizeof text, "%d", int{*byteTarget});
        edit.setText(text);
        scrollBar.setPosition(*byteTarget);
    }
}

void ScrollBinding::onScroll(const Control* source, ScrollRequest request,
                             std::uint16_t thumbPosition) {
    if (source != &scrollBar) {
        return;
    }
    double value = valueKind == ValueKind::Float ? static_cast<double>(*floatTarget)
                                                 : static_cast<double>(*byteTarget);
    switch (request) {
    case ScrollRequest::LineLeft:
        value -= 1.0;
        break;
    case ScrollRequest::LineRight:
        value += 1.0;
        break;
    case ScrollRequest::PageLeft:
        value -= 10.0;
        break;
    case ScrollRequest::PageRight:
        value += 10.0;
        break;
    case ScrollRequest::ThumbTrack:
        value = static_cast<float>(thumbPosition);
        break;
    default:
        // ThumbPosition repeats the last ThumbTrack; the rest change nothing.
        return;
    }
    if (value > maximum) {
        value = maximum;
    }
    if (value < 0.0) {
        value = 0.0;
    }
    if (valueKind == ValueKind::Float) {
        *floatTarget = static_cast<float>(value);
    } else {
        *byteTarget = static_cast<std::uint8_t>(truncateToInt(value) & 0xFF);
    }
    refresh();
}

void ScrollBinding::rebind(float& newTarget) {
    if (valueKind != ValueKind::Float) {
        throw std::logic_error("a byte scroll binding cannot show a float field");
    }
    floatTarget = &newTarget;
    refresh();
}

void ScrollBinding::rebind(std::uint8_t& newTarget) {
    if (valueKind != ValueKind::Byte) {
        throw std::logic_error("a float scroll binding cannot show a byte field");
    }
    byteTarget = &newTarget;
    refresh();
}

} // namespace kilosynth
