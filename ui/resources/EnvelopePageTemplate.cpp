#include "ui/resources/EnvelopePageTemplate.h"

#include <array>

namespace kilosynth {

namespace {

using T = EnvelopePageTemplate;
using K = ControlKind;
constexpr int None = ControlTemplate::NoId;
constexpr unsigned Disabled = ControlTemplate::Disabled;

// One parameter row: the label at x 5, the value, the scroll bar.
constexpr ControlTemplate label(std::string_view text, int y, int width) {
    return {None, K::Static, text, {5, y, width, 8}};
}
constexpr ControlTemplate value(int id, int y) {
    return {id, K::Edit, "", {40, y, 35, 12}, Disabled};
}
constexpr ControlTemplate bar(int id, int y) {
    return {id, K::HorizontalScrollBar, "", {80, y, 190, 11}};
}

// The frame comes before the graph so that the graph lies above it.
constexpr std::array controls{
    ControlTemplate{None, K::Static, "Envelope", {5, 0, 31, 8}},
    ControlTemplate{T::EnvelopeCombo, K::ComboBox, "", {40, 0, 50, 122}},
    ControlTemplate{T::EnvelopeOn, K::PushLikeCheckBox, "On", {95, 0, 25, 10}},
    ControlTemplate{None, K::GroupBox, "Graphic :", {275, 15, 165, 130}},
    ControlTemplate{T::EnvelopeGraph, K::SurfaceView, "", {280, 25, 155, 115}, Disabled},
    label("Delay :", 15, 23),
    value(T::DelayText, 15),
    bar(T::DelayBar, 15),
    label("Attack :", 30, 26),
    value(T::AttackText, 30),
    bar(T::AttackBar, 30),
    label("Hold :", 45, 20),
    value(T::HoldText, 45),
    bar(T::HoldBar, 45),
    label("Decay :", 60, 26),
    value(T::DecayText, 60),
    bar(T::DecayBar, 60),
    label("Sustain :", 75, 28),
    value(T::SustainText, 75),
    bar(T::SustainBar, 75),
    label("Level :", 90, 22),
    value(T::LevelText, 90),
    bar(T::LevelBar, 90),
    label("Release :", 105, 31),
    value(T::ReleaseText, 105),
    bar(T::ReleaseBar, 105),
    label("Amp :", 120, 19),
    value(T::AmpText, 120),
    bar(T::AmpBar, 120),
    label("Base pnt :", 135, 33),
    value(T::BasePointText, 135),
    bar(T::BasePointBar, 135),
};

// A child page without caption, in the 8-point dialog font.
constexpr DialogTemplate envelopePage{T::Id, "", 446, 151, 8, controls};

} // namespace

const DialogTemplate& EnvelopePageTemplate::get() {
    return envelopePage;
}

} // namespace kilosynth
