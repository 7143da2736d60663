#include "ui/resources/SequencerPageTemplate.h"

#include <array>

namespace kilosynth {

namespace {

using T = SequencerPageTemplate;
using K = ControlKind;
constexpr int None = ControlTemplate::NoId;
constexpr unsigned Disabled = ControlTemplate::Disabled;

constexpr std::array controls{
    ControlTemplate{T::StepList, K::StepList, "", {1, 0, 105, 150}},
    ControlTemplate{T::SequencerOn, K::PushLikeCheckBox, "On", {110, 5, 25, 10}},
    ControlTemplate{None, K::Static, "Num notes :", {165, 5, 39, 8}},
    ControlTemplate{T::NumNotesCombo, K::ComboBox, "", {221, 5, 50, 122}, Disabled},
    ControlTemplate{None, K::Static, "Note envelope :", {165, 20, 52, 8}},
    ControlTemplate{T::NoteEnvelopeCombo, K::ComboBox, "", {221, 20, 50, 122}, Disabled},
    ControlTemplate{None, K::Static, "Attack :", {110, 40, 26, 8}},
    ControlTemplate{T::AttackText, K::Edit, "", {138, 40, 30, 12}, Disabled},
    ControlTemplate{T::AttackBar, K::HorizontalScrollBar, "", {170, 40, 165, 11}},
    ControlTemplate{None, K::Static, "Decay :", {110, 55, 26, 8}},
    ControlTemplate{T::DecayText, K::Edit, "", {138, 55, 30, 12}, Disabled},
    ControlTemplate{T::DecayBar, K::HorizontalScrollBar, "", {170, 55, 165, 11}},
};

// A child page without caption, in the 8-point dialog font.
constexpr DialogTemplate sequencerPage{T::Id, "", 341, 151, 8, controls};

} // namespace

const DialogTemplate& SequencerPageTemplate::get() {
    return sequencerPage;
}

} // namespace kilosynth
