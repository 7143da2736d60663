#include "ui/resources/EffectsPageTemplate.h"

#include <array>

namespace kilosynth {

namespace {

using T = EffectsPageTemplate;
using K = ControlKind;
constexpr int None = ControlTemplate::NoId;
constexpr unsigned Disabled = ControlTemplate::Disabled;

// The frames come first so that every control inside lies above them and
// gets its own clicks. Each switch sits on its frame's top edge and comes
// before the frame's rows in the tab order.
constexpr std::array controls{
    ControlTemplate{None, K::GroupBox, "Overdrive", {0, 18, 278, 35}},
    ControlTemplate{None, K::GroupBox, "Resonance", {0, 67, 278, 38}},
    ControlTemplate{None, K::GroupBox, "Delay", {0, 106, 278, 38}},
    ControlTemplate{None, K::GroupBox, "Flanger", {280, 5, 230, 38}},

    ControlTemplate{None, K::Static, "Volume :", {2, 5, 28, 8}},
    ControlTemplate{T::VolumeText, K::Edit, "", {30, 5, 30, 12}, Disabled},
    ControlTemplate{T::VolumeBar, K::HorizontalScrollBar, "", {62, 5, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 7, 6, 8}},
    ControlTemplate{T::VolumeSourceCombo, K::ComboBox, "", {236, 5, 40, 122}},

    ControlTemplate{None, K::Static, "Limit :", {2, 26, 19, 8}},
    ControlTemplate{T::LimitText, K::Edit, "", {30, 26, 30, 12}, Disabled},
    ControlTemplate{T::LimitBar, K::HorizontalScrollBar, "", {62, 26, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 28, 6, 8}},
    ControlTemplate{T::LimitSourceCombo, K::ComboBox, "", {236, 25, 40, 122}},

    ControlTemplate{None, K::Static, "Wrap :", {2, 39, 22, 8}},
    ControlTemplate{T::WrapText, K::Edit, "", {30, 39, 30, 12}, Disabled},
    ControlTemplate{T::WrapBar, K::HorizontalScrollBar, "", {62, 39, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 41, 6, 8}},
    ControlTemplate{T::WrapSourceCombo, K::ComboBox, "", {236, 38, 40, 122}},

    ControlTemplate{None, K::Static, "Cutoff :", {2, 54, 24, 8}},
    ControlTemplate{T::CutoffText, K::Edit, "", {30, 54, 30, 12}, Disabled},
    ControlTemplate{T::CutoffBar, K::HorizontalScrollBar, "", {62, 54, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 56, 6, 8}},
    ControlTemplate{T::CutoffSourceCombo, K::ComboBox, "", {236, 54, 40, 122}},

    ControlTemplate{T::ResonanceOn, K::CheckBox, "", {50, 67, 10, 8}},
    ControlTemplate{None, K::Static, "Freq :", {2, 77, 19, 8}},
    ControlTemplate{T::ResonanceFreqText, K::Edit, "", {30, 77, 30, 12}, Disabled},
    ControlTemplate{T::ResonanceFreqBar, K::HorizontalScrollBar, "", {62, 77, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 79, 6, 8}},
    ControlTemplate{T::ResonanceFreqSourceCombo, K::ComboBox, "", {236, 77, 40, 122}},

    ControlTemplate{None, K::Static, "Reso :", {2, 90, 22, 8}},
    ControlTemplate{T::ResoText, K::Edit, "", {30, 90, 30, 12}, Disabled},
    ControlTemplate{T::ResoBar, K::HorizontalScrollBar, "", {62, 90, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 92, 6, 8}},
    ControlTemplate{T::ResoSourceCombo, K::ComboBox, "", {236, 90, 40, 122}},

    ControlTemplate{T::DelayOn, K::CheckBox, "", {50, 106, 10, 8}},
    ControlTemplate{None, K::Static, "Time :", {2, 116, 20, 8}},
    ControlTemplate{T::DelayTimeText, K::Edit, "", {30, 116, 30, 12}, Disabled},
    ControlTemplate{T::DelayTimeBar, K::HorizontalScrollBar, "", {62, 116, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 118, 6, 8}},
    ControlTemplate{T::DelayTimeSourceCombo, K::ComboBox, "", {236, 116, 40, 122}, Disabled},

    ControlTemplate{None, K::Static, "Level :", {2, 129, 22, 8}},
    ControlTemplate{T::DelayLevelText, K::Edit, "", {30, 129, 30, 12}, Disabled},
    ControlTemplate{T::DelayLevelBar, K::HorizontalScrollBar, "", {62, 129, 165, 11}},
    ControlTemplate{None, K::Static, "X", {229, 130, 6, 8}},
    ControlTemplate{T::DelayLevelSourceCombo, K::ComboBox, "", {236, 129, 40, 122}, Disabled},

    ControlTemplate{T::FlangerOn, K::CheckBox, "", {330, 5, 10, 8}},
    ControlTemplate{None, K::Static, "Delay :", {282, 15, 23, 8}},
    ControlTemplate{T::FlangerDelayText, K::Edit, "", {310, 15, 30, 12}, Disabled},
    ControlTemplate{T::FlangerDelayBar, K::HorizontalScrollBar, "", {342, 15, 165, 11}},

    ControlTemplate{None, K::Static, "Rate :", {282, 28, 20, 8}},
    ControlTemplate{T::FlangerRateText, K::Edit, "", {310, 28, 30, 12}, Disabled},
    ControlTemplate{T::FlangerRateBar, K::HorizontalScrollBar, "", {342, 28, 165, 11}},
};

// A child page without caption, in the small 6-point dialog font.
constexpr DialogTemplate effectsPage{T::Id, "", 511, 145, 6, controls};

} // namespace

const DialogTemplate& EffectsPageTemplate::get() {
    return effectsPage;
}

} // namespace kilosynth
